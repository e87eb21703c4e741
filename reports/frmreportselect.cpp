#include "reports/frmreportselect.h"

#include "platform/commandbutton.h"
#include "platform/keypress.h"
#include "platform/runtime.h"
#include "reports/frmbarrierselect.h"
#include "services/formregistry.h"
#include "services/globals.h"
#include "services/modcentralroutines.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

frmReportSelect::frmReportSelect(QWidget* parent) : QDialog(parent) {
    setObjectName("frmReportSelect");
    setFixedSize(twips(6135), twips(3975));

    Label2 = new QLabel("Select Report Year:", this);
    Label2->setGeometry(twipsRect(240, 240, 1785, 255));
    cboYear = new QComboBox(this);
    cboYear->setObjectName("cboYear");
    cboYear->setGeometry(twipsRect(2040, 180, 1575, 315));
    cboYear->setEditable(false);
    routeKeyPress(cboYear, [this](int& keyAscii) { cboYear_KeyPress(keyAscii); });

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(twipsRect(120, 720, 5895, 2415));
    const auto reportButton = [this](const QString& caption, int top) {
        auto* button = new CommandButton(caption, Frame1);
        button->setGeometry(twipsRect(240, top, 5415, 495));
        return button;
    };
    cmdLearnerPerBarrier = reportButton("Summary of Learners per Barrier", 300);
    cmdListPerResponsiblePerson =
        reportButton("List of Learners per Provider (organisation/department)", 960);
    cmdLearnerScore = reportButton("Learner Score Summary", 1620);

    cmdDone = new CommandButton("Done", this);
    cmdDone->setGeometry(twipsRect(4320, 3300, 1695, 495));

    connect(cmdLearnerPerBarrier, &QPushButton::clicked, this,
            [this] { cmdLearnerPerBarrier_Click(); });
    connect(cmdListPerResponsiblePerson, &QPushButton::clicked, this,
            [this] { cmdListPerResponsiblePerson_Click(); });
    connect(cmdLearnerScore, &QPushButton::clicked, this, [this] { cmdLearnerScore_Click(); });
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });

    Form_Load();
}

void frmReportSelect::Form_Load() {
    setWindowTitle("RER [ REPORT SELECTION ]");
    FillYearCombo(*cboYear);
}

void frmReportSelect::cboYear_KeyPress(int& keyAscii) {
    // The year comes from the list only.
    keyAscii = 0;
}

void frmReportSelect::showBarrierSelect(const QString& mode) {
    if (!ValidateReportYear(*cboYear))
        return;
    // The list holds only the years FillYearCombo put there.
    gReportYear = static_cast<qint16>(cboYear->currentText().trimmed().toInt());
    gBarrierSelectRequest.FormMode = mode;
    showFormChain("frmBarrierSelect");
}

void frmReportSelect::cmdLearnerPerBarrier_Click() {
    showBarrierSelect("LearnerSummary");
}

void frmReportSelect::cmdListPerResponsiblePerson_Click() {
    showBarrierSelect("LearnerList");
}

void frmReportSelect::cmdLearnerScore_Click() {
    // The options window has a year list of its own: no year check here.
    gReportOptionsRequest.txtAccession.clear();
    gReportOptionsRequest.strReportName = "LearnerScoreSummary";
    showFormChain("frmReportOptions");
}

void frmReportSelect::cmdDone_Click() {
    done(QDialog::Accepted);
}
