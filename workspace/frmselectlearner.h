#pragma once
// The program's home window: it brings the program's tables up to date, reads
// the school's details, lists the learners and opens the assessment, the
// reports, the learner profile and the roll-over for them. Closing it ends
// the program.
#include <QDialog>
#include <QString>
#include <QVector>
#include <optional>

class Grid;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmSelectLearner : public QDialog {
    Q_OBJECT

public:
    explicit frmSelectLearner(QWidget* parent = nullptr);

    // (Re)fills the learner list for the chosen status.
    void getLearners();
    // The list's query for the learners of a status ("C" current, "A" archived).
    static QString learnersQuery(const QString& status);
    // True once this window has ended the program.
    bool ended() const { return m_ended; }

    // Event handlers; the tests call them directly.
    void Form_Load();
    void Form_Activate();
    void Form_QueryUnload(int& cancel, int unloadMode);
    void optCurrent_Click();
    void optArchived_Click();
    void gridLearner_Click(int col, int row);
    void gridLearner_KeyPress(int& keyAscii);
    void Command1_Click();
    void cmdSupport_Click();
    void btnPrint_Click();
    void cmdReports_Click();
    void cmdRoll_Click();
    void cmdMenu_Click();

    QGroupBox* Frame2;
    QLabel* Label4;
    QRadioButton* optCurrent;
    QRadioButton* optArchived;
    Grid* gridLearner;
    QGroupBox* Frame1;
    QLabel* Label1;
    QLineEdit* txtSearch;
    QRadioButton* optAssNo;
    QRadioButton* optName;
    QPushButton* Command1;
    QLabel* Image1;
    QLabel* Label3;
    QLineEdit* txtNumber;
    QGroupBox* Frame3;
    QPushButton* cmdSupport;
    QPushButton* cmdReports;
    QPushButton* btnPrint;
    QPushButton* cmdMenu;
    QPushButton* cmdRoll;

    // Columns 1 to 5 of the row clicked last; cleared at every activation.
    QString m_ID, m_Name, m_AccNo, m_Grade, m_BirthDate;
    // The row the last search found; 0 for none.
    int m_foundRow = 0;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}

private:
    // The row that looks selected is the selected learner's (m_ID) and no
    // other: shown when the learner is listed; a learner no longer listed is
    // no longer selected.
    void showSelectedLearner();
    // No learner is chosen: m_ID to m_BirthDate are cleared.
    void clearChosenLearner();
    // The search's row is marked as found, not as selected.
    void markFound(int row);
    void getDatabasePath();
    void getSchoolInfo();
    // Shows a window opened from here; this window is active again after it.
    void showForm(const QString& name);
    // An error that a start-up or list routine does not trap itself is
    // reported and ends the program. False when it did.
    template <class Body> bool runUntrapped(const QString& procedure, Body&& body);

    bool m_activated = false;
    bool m_ended = false;
    // By list row, the learner's key (learnerKey); none where the ID is no whole number.
    QVector<std::optional<qint64>> m_keys;
};
