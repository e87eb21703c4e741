#pragma once
// The assessment's main menu for the selected learner: four stages, each with
// a sub-menu of section buttons that open the section's first page.
#include <QDialog>
#include <array>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class SaveButton;

class frmRER_Main : public QDialog {
    Q_OBJECT

public:
    explicit frmRER_Main(QWidget* parent = nullptr);

    // Shows the sub-menu of stage vMenu (1 to 4) and its line, hides the
    // others, and marks the stage's button yellow; other values change nothing.
    void show_Sub_Menu(qint16 vMenu);

    // Event handlers; the tests call them directly.
    void Form_Load();
    void cmdStage1_Click() { show_Sub_Menu(1); }
    void cmdStage2_Click() { show_Sub_Menu(2); }
    void cmdStage3_Click() { show_Sub_Menu(3); }
    void cmdStage4_Click() { show_Sub_Menu(4); }
    void cmdBackground_Click();
    void cmdDiagnosticProfile_Click();
    void cmdExtendedProfile_Click();
    void cmdISP_Click();
    void cmdSection3a_Click();
    void cmdSection3b_Click();
    void cmdSection4_Click();
    void cmdMainMenu_Click();

    QGroupBox* Frame2;
    QLabel* lblLearner;
    QGroupBox* Frame1;
    QLabel* Label2;
    std::array<QLabel*, 4> stageLabels{};      // Label3 to Label6
    std::array<SaveButton*, 4> stageButtons{}; // cmdStage1 to cmdStage4
    std::array<QFrame*, 4> lines{};            // Line1 to Line4
    std::array<QGroupBox*, 4> subMenus{};      // fraStage1 to fraStage4
    SaveButton*& cmdStage1 = stageButtons[0];
    SaveButton*& cmdStage2 = stageButtons[1];
    SaveButton*& cmdStage3 = stageButtons[2];
    SaveButton*& cmdStage4 = stageButtons[3];
    QGroupBox*& fraStage1 = subMenus[0];
    QGroupBox*& fraStage2 = subMenus[1];
    QGroupBox*& fraStage3 = subMenus[2];
    QGroupBox*& fraStage4 = subMenus[3];
    QPushButton* cmdBackground;
    QPushButton* cmdDiagnosticProfile;
    QPushButton* cmdExtendedProfile;
    QPushButton* cmdISP;
    QPushButton* cmdSection3a;
    QPushButton* cmdSection3b;
    QPushButton* cmdSection4;
    QPushButton* cmdMainMenu;
    QLabel* Image1;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}
};
