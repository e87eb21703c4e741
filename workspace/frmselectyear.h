#pragma once
// The start-up window: the user chooses the data year, the calendar year of
// every assessment row the program reads or writes, then goes on to the
// learner list or back to TELLURA.
#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class SaveButton;

class frmSelectYear : public QDialog {
    Q_OBJECT

public:
    explicit frmSelectYear(QWidget* parent = nullptr);

    // Event handlers; the tests call them directly.
    void Form_Load();
    void cboYear_Click();
    void cboYear_KeyPress(int& keyAscii);
    void cmdContinue_Click();
    void cmdCancel_Click();

    QGroupBox* Frame1;
    QLabel* Label1;
    QComboBox* cboYear;
    QPushButton* cmdCancel;
    SaveButton* cmdContinue;
    QLabel* Label2;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}
};
