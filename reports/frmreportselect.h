#pragma once
// The report menu: a report year and one of the learners-per-barrier,
// learners-per-provider and learner-score-summary reports. Opened from the
// learner list's Reports button.
#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

class frmReportSelect : public QDialog {
    Q_OBJECT

public:
    explicit frmReportSelect(QWidget* parent = nullptr);

    // Event handlers; the tests call them directly.
    void Form_Load();
    void cboYear_KeyPress(int& keyAscii);
    void cmdLearnerPerBarrier_Click();
    void cmdListPerResponsiblePerson_Click();
    void cmdLearnerScore_Click();
    void cmdDone_Click();

    QLabel* Label2;
    QComboBox* cboYear;
    QGroupBox* Frame1;
    QPushButton* cmdLearnerPerBarrier;
    QPushButton* cmdListPerResponsiblePerson;
    QPushButton* cmdLearnerScore;
    QPushButton* cmdDone;

private:
    // The year check of the two list reports, then the selection window in mode.
    void showBarrierSelect(const QString& mode);
};
