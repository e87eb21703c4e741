#include "reports/frmbarrierselect.h"

#include "platform/commandbutton.h"
#include "platform/keypress.h"
#include "platform/runtime.h"
#include "platform/sqlquote.h"
#include "reports/frmreportview.h"
#include "services/formregistry.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "services/modextendedmsgbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

BarrierSelectRequest gBarrierSelectRequest;

namespace {

// Ticked: the paired box is disabled and emptied; cleared: enabled and focused.
void pairBox(QCheckBox* check, QWidget* box) {
    if (check->isChecked()) {
        box->setEnabled(false);
        if (auto* combo = qobject_cast<QComboBox*>(box)) {
            combo->setCurrentIndex(-1);
            if (combo->isEditable())
                combo->setEditText(QString());
        } else if (auto* edit = qobject_cast<QLineEdit*>(box)) {
            edit->clear();
        }
    } else {
        box->setEnabled(true);
        box->setFocus();
    }
}

} // namespace

frmBarrierSelect::frmBarrierSelect(QWidget* parent)
    : QDialog(parent), m_formMode(gBarrierSelectRequest.FormMode) {
    setObjectName("frmBarrierSelect");
    setFixedSize(twips(6420), twips(3870));

    const auto checkBox = [](const QString& caption, QWidget* frame, QRect rect) {
        auto* box = new QCheckBox(caption, frame);
        box->setGeometry(rect);
        box->setChecked(true);
        return box;
    };

    fraBarrier = new QGroupBox("Primary Barrier Selection", this);
    fraBarrier->setGeometry(twipsRect(120, 120, 6135, 1215));
    Label1 = new QLabel("Barrier:", fraBarrier);
    Label1->setGeometry(twipsRect(240, 360, 1215, 255));
    cboBarrier = new QComboBox(fraBarrier);
    cboBarrier->setObjectName("cboBarrier");
    cboBarrier->setGeometry(twipsRect(1560, 300, 4335, 315));
    cboBarrier->setEditable(false);
    cboBarrier->setEnabled(false);
    routeKeyPress(cboBarrier, [this](int& keyAscii) { cboBarrier_KeyPress(keyAscii); });
    chkAllBarriers = checkBox("All Barriers", fraBarrier, twipsRect(1560, 780, 2535, 255));

    fraSupport = new QGroupBox("Responsible Provider Selection", this);
    fraSupport->setGeometry(twipsRect(120, 120, 6135, 1215));
    Label3 = new QLabel("Person:", fraSupport);
    Label3->setGeometry(twipsRect(240, 360, 1215, 255));
    cboSupport = new QComboBox(fraSupport);
    cboSupport->setObjectName("cboSupport");
    cboSupport->setGeometry(twipsRect(1560, 300, 4335, 315));
    cboSupport->setEditable(true);
    cboSupport->setInsertPolicy(QComboBox::NoInsert);
    // What is typed stays as typed: no completion from the list.
    cboSupport->setCompleter(nullptr);
    cboSupport->setEnabled(false);
    chkAllSupport =
        checkBox("All Responsible Providers", fraSupport, twipsRect(1560, 780, 2895, 255));
    fraSupport->setVisible(false);

    Frame2 = new QGroupBox(this);
    Frame2->setGeometry(twipsRect(120, 1440, 6135, 1215));
    Label2 = new QLabel("Learner Ass Number:", Frame2);
    Label2->setGeometry(twipsRect(240, 360, 2175, 255));
    txtAssNo = new QLineEdit(Frame2);
    txtAssNo->setObjectName("txtAssNo");
    txtAssNo->setGeometry(twipsRect(2520, 300, 2055, 315));
    txtAssNo->setEnabled(false);
    chkAllLearners = checkBox("All Learners", Frame2, twipsRect(2520, 780, 2055, 255));

    cmdPrint = new CommandButton("Print Report", this);
    cmdPrint->setGeometry(twipsRect(2760, 2880, 1695, 495));
    cmdDone = new CommandButton("Done", this);
    cmdDone->setGeometry(twipsRect(4560, 2880, 1695, 495));

    connect(chkAllBarriers, &QCheckBox::clicked, this, [this] { chkAllBarriers_Click(); });
    connect(chkAllSupport, &QCheckBox::clicked, this, [this] { chkAllSupport_Click(); });
    connect(chkAllLearners, &QCheckBox::clicked, this, [this] { chkAllLearners_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });

    Form_Load();
}

void frmBarrierSelect::Form_Load() {
    setWindowTitle("RER [ BARRIER/LEARNER SELECTION ]");
    getBarriers();
    getPerson();
    if (m_formMode == "LearnerSummary") {
        fraBarrier->setVisible(true);
        fraSupport->setVisible(false);
    } else if (m_formMode == "LearnerList") {
        fraBarrier->setVisible(false);
        fraSupport->setVisible(true);
    }
}

void frmBarrierSelect::fillList(QComboBox* combo, const QString& sql, const QString& field,
                                const QString& procedure) {
    trapErrors("frmBarrierSelect", procedure, [&] {
        ConnectionScope connection;
        ado::Recordset rs;
        rs.Open(sql, gConnection.get(), ado::adOpenKeyset);
        combo->clear();
        while (!rs.Eof()) {
            combo->addItem(rs.Fields(field).text());
            rs.MoveNext();
        }
        rs.Close();
    });
    // The list starts with nothing chosen.
    combo->setCurrentIndex(-1);
}

void frmBarrierSelect::getBarriers() {
    fillList(cboBarrier,
             QStringLiteral("SELECT DISTINCT Disabilities.Name as Disability ") +
                 "FROM Disabilities",
             "Disability", "getBarriers Routine");
}

void frmBarrierSelect::getPerson() {
    fillList(cboSupport, personQuery(), "Name_Of_Provider", "getPerson Routine");
}

QString frmBarrierSelect::personQuery() {
    // The providers of the data year's background rows. The rows are found
    // through the learner-year index rather than by reading every year's
    // rows: each learner the table holds is found in turn by stepping the
    // index from one learner to the next (a learner the host no longer
    // lists too), and that learner's row of the year looked up; rows without
    // a learner are picked beside them. These are all the year's rows.
    const QString Y = QString::number(gDataYear);
    return QStringLiteral("WITH RECURSIVE Learners(LearnerID) AS (SELECT Min(LearnerID) FROM "
                          "TAV_Learner_Background_Info") +
           " UNION ALL SELECT (SELECT Min(B.LearnerID) FROM TAV_Learner_Background_Info AS B"
           " WHERE B.LearnerID > Learners.LearnerID) FROM Learners"
           " WHERE Learners.LearnerID IS NOT NULL) " +
           "SELECT DISTINCT Name_Of_Provider FROM (SELECT BI.Name_Of_Provider FROM Learners"
           " INNER JOIN TAV_Learner_Background_Info AS BI ON (BI.LearnerID = Learners.LearnerID"
           " AND BI.Data_Year = " +
           Y + ")" +
           " UNION ALL SELECT Name_Of_Provider FROM TAV_Learner_Background_Info"
           " WHERE LearnerID IS NULL AND Data_Year = " +
           Y + ") AS BI" + " Group By Name_Of_Provider";
}

void frmBarrierSelect::cboBarrier_KeyPress(int& keyAscii) {
    keyAscii = 0;
}

void frmBarrierSelect::chkAllBarriers_Click() {
    pairBox(chkAllBarriers, cboBarrier);
}

void frmBarrierSelect::chkAllSupport_Click() {
    pairBox(chkAllSupport, cboSupport);
}

void frmBarrierSelect::chkAllLearners_Click() {
    pairBox(chkAllLearners, txtAssNo);
}

QString frmBarrierSelect::yearFilter(bool perBarrier) const {
    const QString Y = QString::number(gReportYear);
    if (gDataYear != gReportYear) {
        // Another year than the data year: archived learners are listed too.
        return perBarrier ? " WHERE (((BI.Data_Year) = " + Y + "))"
                          : " WHERE ((BI.Data_Year) = " + Y + ")";
    }
    return " WHERE (((LI.Status) = 'C') And ((BI.Data_Year) = " + Y + "))";
}

QString frmBarrierSelect::learnerSummaryQuery() const {
    QString sql =
        QStringLiteral("SELECT LI.AccessionNo, LI.SName, LI.FName, Disa.Name AS Disability, "
                       "SG.Name") +
        " FROM ((Learner_Info as LI INNER JOIN TAV_Learner_Background_Info as BI ON LI.ID = "
        "BI.LearnerID)" +
        " INNER JOIN Disabilities as Disa ON LI.LSENDisabilities = Disa.id)" +
        " INNER JOIN SchoolGrades as SG ON LI.Grade = SG.ID" + yearFilter(true);
    if (!chkAllBarriers->isChecked())
        sql += " AND Disa.Name = " + quotedExact(cboBarrier->currentText());
    if (!chkAllLearners->isChecked())
        sql += " AND LI.AccessionNo = " + quotedExact(txtAssNo->text());
    sql += ofLearnersTaken();
    sql += " ORDER BY Disa.Name, SG.Name,LI.SName";
    return sql;
}

QString frmBarrierSelect::ofLearnersTaken() const {
    // The background rows of the learners taken, found through the
    // learner-year index rather than by reading every year's rows (the same
    // rows: the join takes only those learners' rows).
    return " AND BI.LearnerID IN (SELECT LI.ID FROM Learner_Info AS LI" +
           QString(gDataYear == gReportYear ? " WHERE LI.Status = 'C'" : "") + ")";
}

QString frmBarrierSelect::learnerListQuery() const {
    QString sql =
        QStringLiteral("SELECT BI.Name_Of_Provider, LI.AccessionNo, LI.SName, LI.FName, SG.Name") +
        " FROM (Learner_Info as LI INNER JOIN TAV_Learner_Background_Info as BI ON LI.ID = "
        "BI.LearnerID)" +
        " INNER JOIN SchoolGrades as SG ON LI.Grade = SG.ID" + yearFilter(false);
    if (!chkAllSupport->isChecked())
        sql += " AND BI.Name_Of_Provider = " + quotedExact(cboSupport->currentText());
    if (!chkAllLearners->isChecked())
        sql += " AND LI.AccessionNo = " + quotedExact(txtAssNo->text());
    sql += ofLearnersTaken();
    sql += " ORDER BY BI.Name_Of_Provider, SG.Name, LI.SName";
    return sql;
}

void frmBarrierSelect::cmdPrint_Click() {
    if (!chkAllBarriers->isChecked() && cboBarrier->currentText().isEmpty()) {
        ShowUserMessage("Please select the Barrier from the list or select All Barriers");
        cboBarrier->setFocus();
        return;
    }
    if (!chkAllLearners->isChecked() && txtAssNo->text().trimmed().isEmpty()) {
        ShowUserMessage("Please enter the Assession Number or select All Learner");
        txtAssNo->setFocus();
        return;
    }
    QString sql;
    if (m_formMode == "LearnerSummary")
        sql = learnerSummaryQuery();
    else if (m_formMode == "LearnerList")
        sql = learnerListQuery();
    else
        return;
    frmReportview::Default().SQL = sql;
    frmReportview::Default().ReportMode = m_formMode;
    showFormChain("frmReportview");
}

void frmBarrierSelect::cmdDone_Click() {
    done(QDialog::Accepted);
}
