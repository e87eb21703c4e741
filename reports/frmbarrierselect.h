#pragma once
// The filter window of the two list reports: learners per primary barrier
// ("LearnerSummary") and learners per responsible provider ("LearnerList").
// The user keeps "all" or narrows the report to one barrier or provider and
// one learner; Print Report hands the query to the report viewer.
#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the report menu sets on this window just before showing it
// ("frmBarrierSelect"): the report mode.
struct BarrierSelectRequest {
    QString FormMode;
};
extern BarrierSelectRequest gBarrierSelectRequest;

class frmBarrierSelect : public QDialog {
    Q_OBJECT

public:
    // Takes its mode from gBarrierSelectRequest and loads.
    explicit frmBarrierSelect(QWidget* parent = nullptr);

    void setFormMode(const QString& mode) { m_formMode = mode; }

    void getBarriers();
    void getPerson();
    // The provider list's query: the providers of the data year.
    static QString personQuery();

    // The report queries for the window's current choices.
    QString learnerSummaryQuery() const;
    QString learnerListQuery() const;

    // Event handlers; the tests call them directly.
    void Form_Load();
    void cboBarrier_KeyPress(int& keyAscii);
    void chkAllBarriers_Click();
    void chkAllSupport_Click();
    void chkAllLearners_Click();
    void cmdPrint_Click();
    void cmdDone_Click();

    QGroupBox* fraBarrier;
    QLabel* Label1;
    QComboBox* cboBarrier;
    QCheckBox* chkAllBarriers;
    QGroupBox* fraSupport;
    QLabel* Label3;
    QComboBox* cboSupport;
    QCheckBox* chkAllSupport;
    QGroupBox* Frame2;
    QLabel* Label2;
    QLineEdit* txtAssNo;
    QCheckBox* chkAllLearners;
    QPushButton* cmdPrint;
    QPushButton* cmdDone;

private:
    // Fills combo with the first column of every row of sql.
    void fillList(QComboBox* combo, const QString& sql, const QString& field,
                  const QString& procedure);
    // The WHERE clause of both reports: the report year, current learners only
    // when it is the data year (the two reports bracket the year alone apart).
    QString yearFilter(bool perBarrier) const;
    // " AND BI.LearnerID IN (the learners the report takes)".
    QString ofLearnersTaken() const;

    QString m_formMode;
};
