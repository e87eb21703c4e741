#include "workspace/frmselectyear.h"

#include "platform/colors.h"
#include "platform/commandbutton.h"
#include "platform/keypress.h"
#include "platform/runtime.h"
#include "platform/savebutton.h"
#include "services/endprogram.h"
#include "services/formregistry.h"
#include "services/globals.h"
#include "services/modcentralroutines.h"
#include "services/modextendedmsgbox.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

frmSelectYear::frmSelectYear(QWidget* parent) : QDialog(parent) {
    setObjectName("frmSelectYear");
    setFixedSize(twips(4005), twips(1890));

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(twipsRect(120, 120, 3735, 855));
    Label1 = new QLabel("Select Data Year:", Frame1);
    Label1->setGeometry(twipsRect(240, 360, 1455, 255));
    cboYear = new QComboBox(Frame1);
    cboYear->setObjectName("cboYear");
    cboYear->setGeometry(twipsRect(1800, 360, 1575, 315));
    cboYear->setEditable(false);
    routeKeyPress(cboYear, [this](int& keyAscii) { cboYear_KeyPress(keyAscii); });

    cmdCancel = new CommandButton("Return to TELLURA", this);
    cmdCancel->setGeometry(twipsRect(120, 1080, 1935, 375));
    cmdContinue = new SaveButton("Continue", this);
    cmdContinue->setGeometry(twipsRect(2190, 1080, 1635, 375));
    // Enter anywhere but on the other button continues.
    cmdContinue->setDefault(true);
    Label2 = new QLabel("Version 1.1 ( 27 August 2011)", this);
    Label2->setGeometry(twipsRect(120, 1560, 3735, 495));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    connect(cboYear, &QComboBox::activated, this, [this] { cboYear_Click(); });
    connect(cmdContinue, &QPushButton::clicked, this, [this] { cmdContinue_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    Form_Load();
}

void frmSelectYear::Form_Load() {
    setWindowTitle("RER [Select Data Year]");
    FillYearCombo(*cboYear);
}

void frmSelectYear::cboYear_Click() {
    if (!cboYear->currentText().trimmed().isEmpty())
        cmdContinue->setBackColor(vbYellow);
}

void frmSelectYear::cboYear_KeyPress(int& keyAscii) {
    // A year is only chosen from the list: nothing can be typed into it.
    keyAscii = 0;
}

void frmSelectYear::cmdContinue_Click() {
    if (cboYear->currentText().trimmed().isEmpty()) {
        ShowUserMessage("Please select Data year to continue.");
        cboYear->setFocus();
        return;
    }
    gDataYear = static_cast<qint16>(cboYear->currentText().trimmed().toInt());
    // The data-year window goes before the learner list is shown; the learner
    // list ends the program, so this handler does not come back in a run.
    done(QDialog::Accepted);
    showFormChain("frmSelectLearner");
}

void frmSelectYear::cmdCancel_Click() {
    EndProgram();
}

void frmSelectYear::closeEvent(QCloseEvent* event) {
    // Closing before Continue unloads the last open window: the program ends.
    event->accept();
    done(QDialog::Rejected);
}
