#include "reports/frmreportoptions.h"

#include "platform/commandbutton.h"
#include "platform/keypress.h"
#include "platform/runtime.h"
#include "reports/frmreportview.h"
#include "services/formregistry.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "services/modextendedmsgbox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

frmReportOptions::frmReportOptions(QWidget* parent)
    : QDialog(parent), m_strReportName(gReportOptionsRequest.strReportName) {
    setObjectName("frmReportOptions");
    setWindowTitle("Report Options");
    setFixedSize(twips(5775), twips(3465));

    frmOptions = new QGroupBox("Options", this);
    frmOptions->setGeometry(twipsRect(120, 120, 5535, 735));
    optAll = new QRadioButton("All", frmOptions);
    optAll->setGeometry(twipsRect(360, 360, 1095, 255));
    optGrade = new QRadioButton("Grade", frmOptions);
    optGrade->setGeometry(twipsRect(2040, 360, 1095, 255));
    optLearner = new QRadioButton("Learner", frmOptions);
    optLearner->setGeometry(twipsRect(3720, 360, 1215, 255));
    optLearner->setChecked(true);

    lblYr = new QLabel("Select Report Year:", this);
    lblYr->setGeometry(twipsRect(240, 1080, 1785, 255));
    cboYear = new QComboBox(this);
    cboYear->setObjectName("cboYear");
    cboYear->setGeometry(twipsRect(2040, 1020, 1575, 315));
    // Typed text could be no year at all: the year is chosen from the list only.
    cboYear->setEditable(false);
    routeKeyPress(cboYear, [this](int& keyAscii) { cboYear_KeyPress(keyAscii); });

    frmGrade = new QGroupBox(this);
    frmGrade->setGeometry(twipsRect(120, 1440, 5535, 855));
    lblGrade = new QLabel("Grade:", frmGrade);
    lblGrade->setGeometry(twipsRect(240, 360, 1575, 255));
    cboGrade = new QComboBox(frmGrade);
    cboGrade->setObjectName("cboGrade");
    cboGrade->setGeometry(twipsRect(1920, 300, 3255, 315));
    cboGrade->setEditable(true);
    cboGrade->setInsertPolicy(QComboBox::NoInsert);
    // What is typed stays as typed: no completion from the list.
    cboGrade->setCompleter(nullptr);
    frmGrade->setVisible(false);

    frmLearner = new QGroupBox(this);
    frmLearner->setGeometry(twipsRect(120, 1440, 5535, 855));
    lblAcc = new QLabel("Accession No:", frmLearner);
    lblAcc->setGeometry(twipsRect(240, 360, 1575, 255));
    txtAccession = new QLineEdit(frmLearner);
    txtAccession->setObjectName("txtAccession");
    txtAccession->setGeometry(twipsRect(1920, 300, 2055, 315));
    txtAccession->setText(gReportOptionsRequest.txtAccession);

    cmdPrint = new CommandButton("Print", this);
    cmdPrint->setGeometry(twipsRect(2160, 2520, 1695, 495));
    cmdDone = new CommandButton("Done", this);
    cmdDone->setGeometry(twipsRect(3960, 2520, 1695, 495));

    connect(optAll, &QRadioButton::clicked, this, [this] { optAll_Click(); });
    connect(optGrade, &QRadioButton::clicked, this, [this] { optGrade_Click(); });
    connect(optLearner, &QRadioButton::clicked, this, [this] { optLearner_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });

    Form_Load();
}

clsSQL& frmReportOptions::sql() {
    if (!m_sql)
        m_sql = std::make_unique<clsSQL>();
    return *m_sql;
}

bool frmReportOptions::frameShown(const QGroupBox* frame) {
    return frame->isVisibleTo(frame->parentWidget());
}

void frmReportOptions::Form_Load() {
    FillYearCombo(*cboYear);
    if (m_strReportName == "LearnerScoreSummary") {
        optAll_Click();
        optAll->setChecked(true);
    }
}

void frmReportOptions::cboYear_KeyPress(int& keyAscii) {
    keyAscii = 0;
}

void frmReportOptions::optAll_Click() {
    frmGrade->setVisible(false);
    frmLearner->setVisible(false);
    cmdPrint->setFocus();
}

void frmReportOptions::optGrade_Click() {
    frmGrade->setVisible(true);
    frmLearner->setVisible(false);
    cmdPrint->setFocus();
    if (cboGrade->count() == 0)
        loadGrades();
}

void frmReportOptions::optLearner_Click() {
    frmGrade->setVisible(false);
    frmLearner->setVisible(true);
    txtAccession->setFocus();
}

void frmReportOptions::loadGrades() {
    // A failure is reported; the list keeps what was added, and the grade is
    // then chosen from that.
    const bool loaded = trapErrors("frmReportOptions", "loadGrades Routine", [&] {
        ConnectionScope connection;
        ExecuteQuery(sql().qSchoolGrades());
        while (!gRecordset->Eof()) {
            m_grades.append({gRecordset->Fields("ID").text(), gRecordset->Fields("Name").text()});
            cboGrade->addItem(gRecordset->Fields("Name").text());
            gRecordset->MoveNext();
        }
        gRecordset.reset();
    });
    if (!loaded) {
        gRecordset.reset();
        return;
    }
    if (cboGrade->count() > 0)
        cboGrade->setCurrentIndex(0);
}

void frmReportOptions::cmdPrint_Click() {
    if (!ValidateReportYear(*cboYear))
        return;
    QString filter;
    if (frameShown(frmGrade)) {
        if (cboGrade->currentText().trimmed().isEmpty()) {
            ShowUserMessage("Please select a Grade or choose another option");
            cboGrade->setFocus();
            return;
        }
        const bool found = trapErrors("frmReportOptions", "cmdPrint_Click Routine", [&] {
            const auto n = static_cast<qint16>(qMin<qsizetype>(m_grades.size() - 1, 32767));
            filter = QString::number(GetListCode(cboGrade->currentText(), m_grades, n));
        });
        if (!found)
            return;
    } else if (frameShown(frmLearner)) {
        if (txtAccession->text().trimmed().isEmpty()) {
            ShowUserMessage("Please enter the Assession Number or select another option");
            txtAccession->setFocus();
            return;
        }
        filter = txtAccession->text();
    }
    // The list holds only the years FillYearCombo put there.
    gReportYear = static_cast<qint16>(cboYear->currentText().trimmed().toInt());

    ReportviewProperties& viewer = frmReportview::Default();
    if (m_strReportName == "LearnerScoreSummary")
        viewer.ReportMode = "ScoreSummary";
    else if (m_strReportName == "LearnerProfile")
        viewer.ReportMode = "MainReport";
    viewer.RepGrade = frameShown(frmGrade);
    viewer.RepVar = filter;
    showFormChain("frmReportview");
}

void frmReportOptions::cmdDone_Click() {
    done(QDialog::Accepted);
}
