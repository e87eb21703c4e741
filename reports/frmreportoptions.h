#pragma once
// The options of the learner profile ("LearnerProfile", from the learner
// list) and the learner score summary ("LearnerScoreSummary", from the report
// menu): all learners, one grade or one learner, and the report year. Print
// hands the choice to the report viewer.
#include "reports/clssql.h"
#include "services/modcentralroutines.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmReportOptions : public QDialog {
    Q_OBJECT

public:
    // Takes the report name and the accession number from
    // gReportOptionsRequest (services/globals.h) and loads.
    explicit frmReportOptions(QWidget* parent = nullptr);

    void setStrReportName(const QString& name) { m_strReportName = name; }

    void loadGrades();
    // The grade table: entry i (from 1) holds the ID and the name of the i-th
    // grade of cboGrade; entry 0 stays empty.
    const QList<ListEntry>& gradeTable() const { return m_grades; }

    // Event handlers; the tests call them directly.
    void Form_Load();
    void cboYear_KeyPress(int& keyAscii);
    void optAll_Click();
    void optGrade_Click();
    void optLearner_Click();
    void cmdPrint_Click();
    void cmdDone_Click();

    QGroupBox* frmOptions;
    QRadioButton* optAll;
    QRadioButton* optGrade;
    QRadioButton* optLearner;
    QLabel* lblYr;
    QComboBox* cboYear;
    QGroupBox* frmGrade;
    QLabel* lblGrade;
    QComboBox* cboGrade;
    QGroupBox* frmLearner;
    QLabel* lblAcc;
    QLineEdit* txtAccession;
    QPushButton* cmdPrint;
    QPushButton* cmdDone;

private:
    clsSQL& sql();
    // Whether a frame is shown on the window (also while the window itself
    // is not shown, as when the tests drive it).
    static bool frameShown(const QGroupBox* frame);

    QString m_strReportName;
    QList<ListEntry> m_grades{ListEntry{}};
    std::unique_ptr<clsSQL> m_sql;
};
