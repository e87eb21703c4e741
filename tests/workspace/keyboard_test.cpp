// The learner-selection windows from the keyboard alone: Tab to a control,
// the arrows, Space and Enter, as a user without a mouse works them.
#include "tests/common/user.h"
#include "tests/common/workspacetest.h"

#include "platform/grid.h"
#include "platform/runtime.h"
#include "platform/savebutton.h"
#include "platform/waitcursor.h"
#include "services/endprogram.h"
#include "services/formregistry.h"
#include "services/globals.h"
#include "workspace/frmrer_main.h"
#include "workspace/frmselectlearner.h"
#include "workspace/frmselectyear.h"
#include "workspace/workspaceforms.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

class Keyboard : public WorkspaceTest {
protected:
    QStringList boxTexts() const {
        QStringList texts;
        for (const auto& b : msgbox::shownBoxes())
            texts << b.text;
        return texts;
    }
};

TEST_F(Keyboard, SpaceAndEnterOnTheListChooseTheCursorsLearnerAsAClickDoes) {
    stubForm("frmRER_Main");
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    Grid* list = w.gridLearner;

    // Nobody chosen yet: Enter on the focused button asks for a learner.
    user::tabTo(w.cmdSupport);
    user::key(Qt::Key_Return);
    EXPECT_EQ(boxTexts(), QStringList({"Please select the Learner to continue."}));
    EXPECT_TRUE(opened.isEmpty());

    // Into the list: the cursor on the first learner; two rows down, Space.
    user::tabTo(list);
    ASSERT_EQ(list->currentIndex().row(), 0);
    user::key(Qt::Key_Down);
    user::key(Qt::Key_Down);
    EXPECT_TRUE(w.m_Name.isEmpty()); // moving the cursor chooses nobody
    user::key(Qt::Key_Space);
    EXPECT_EQ(w.m_Name, list->GetText(2, 3));
    EXPECT_EQ(gLearnerName, list->GetText(2, 3));
    EXPECT_EQ(gLearnerID, int(Val(list->GetText(1, 3))));
    EXPECT_EQ(gAccessionNo, list->GetText(3, 3));
    EXPECT_EQ(gBirthDate, list->GetText(5, 3));
    EXPECT_TRUE(list->selectionModel()->isRowSelected(2, {}));

    // Enter chooses as well; the row that looks chosen follows.
    user::key(Qt::Key_Down);
    user::key(Qt::Key_Return);
    EXPECT_EQ(w.m_Name, list->GetText(2, 4));
    EXPECT_EQ(w.m_AccNo, list->GetText(3, 4));
    EXPECT_TRUE(list->selectionModel()->isRowSelected(3, {}));
    EXPECT_FALSE(list->selectionModel()->isRowSelected(2, {}));
    EXPECT_EQ(list->GetText(2, 4), w.m_Name); // nothing was typed into the list

    // Enter on Support Needs Assessment opens the menu for that learner.
    msgbox::shownBoxes().clear();
    user::tabTo(w.cmdSupport);
    user::key(Qt::Key_Return);
    EXPECT_EQ(opened, QStringList({"frmRER_Main"}));
    EXPECT_TRUE(boxTexts().isEmpty());
}

TEST_F(Keyboard, TheListHasTheKeyboardWhenTheWindowOpens) {
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    Grid* list = w.gridLearner;
    EXPECT_EQ(QApplication::focusWidget(), list);
    user::key(Qt::Key_Down);
    user::key(Qt::Key_Space);
    EXPECT_EQ(w.m_Name, list->GetText(2, 2));
}

TEST_F(Keyboard, EnterInTheSearchBoxSearchesAndChoosesNobody) {
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    Grid* list = w.gridLearner;
    int row = 0;
    for (int r = 1; r <= list->MaxRows(); ++r)
        if (list->GetText(3, r) == "024")
            row = r;
    ASSERT_GT(row, 1);

    user::tabTo(w.txtSearch);
    user::type("024");
    user::key(Qt::Key_Return);
    EXPECT_TRUE(boxTexts().isEmpty());
    // The found row is marked and has the cursor and the focus, but nobody is chosen.
    EXPECT_EQ(list->cellBackColor(2, row), 0xB0F0FFu);
    EXPECT_EQ(list->currentIndex().row(), row - 1);
    EXPECT_EQ(QApplication::focusWidget(), list);
    EXPECT_TRUE(w.m_Name.isEmpty());
    // Space then chooses it.
    user::key(Qt::Key_Space);
    EXPECT_EQ(w.m_AccNo, "024");
    EXPECT_EQ(list->cellBackColor(2, row), vbWhite);

    // Enter with an empty search box says what is missing.
    user::tabTo(w.txtSearch);
    w.txtSearch->selectAll();
    user::key(Qt::Key_Delete);
    user::key(Qt::Key_Return);
    EXPECT_EQ(boxTexts(), QStringList({"You must enter a search term."}));
}

TEST_F(Keyboard, EnterPressesTheFocusedButtonAndContinueIsTheDataYearWindowsDefault) {
    setClockOverride(QDate(2011, 3, 1));
    stubForm("frmSelectLearner");
    {
        // The year list has the focus: Enter continues with the year shown.
        frmSelectYear w;
        ASSERT_TRUE(user::showActive(&w));
        EXPECT_TRUE(w.cmdContinue->isDefault());
        w.cboYear->setFocus();
        user::key(Qt::Key_Down); // 2010
        EXPECT_TRUE(w.cmdContinue->isUnsaved());
        user::key(Qt::Key_Return);
        EXPECT_EQ(opened, QStringList({"frmSelectLearner"}));
        EXPECT_EQ(gDataYear, 2010);
        EXPECT_EQ(ends, 0);
    }
    {
        // Enter on Return to TELLURA presses that button, not the default.
        frmSelectYear w;
        ASSERT_TRUE(user::showActive(&w));
        user::tabTo(w.cmdCancel);
        user::key(Qt::Key_Return);
        EXPECT_EQ(ends, 1);
        EXPECT_EQ(opened.size(), 1);
        // And Enter on Continue itself continues.
        user::tabTo(w.cmdContinue);
        user::key(Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(opened.size(), 2);
    }
}

TEST_F(Keyboard, TheMainMenuOpensStagesAndSectionsAndReturnsFromTheKeys) {
    stubForm("frmISP");
    gLearnerName = "SMITH Megan";
    frmRER_Main m;
    ASSERT_TRUE(user::showActive(&m));
    user::tabTo(m.cmdStage2);
    user::key(Qt::Key_Return);
    EXPECT_FALSE(m.fraStage2->isHidden());
    EXPECT_TRUE(m.cmdStage2->isUnsaved());
    user::tabTo(m.cmdISP);
    user::key(Qt::Key_Return);
    EXPECT_EQ(opened, QStringList({"frmISP"}));
    user::tabTo(m.cmdMainMenu);
    user::key(Qt::Key_Return);
    EXPECT_FALSE(m.isVisible());
}

TEST_F(Keyboard, TheRollOverShowsTheHourglassFromYesToItsLastMessage) {
    setClockOverride(QDate(2026, 3, 1));
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    answerAll(msgbox::vbYes);
    user::tabTo(w.cmdRoll);
    user::key(Qt::Key_Return);
    ASSERT_EQ(boxes().size(), 2);
    EXPECT_EQ(boxes()[0].title, "User Warning");
    EXPECT_FALSE(boxes()[0].afterWaitCursor); // the question comes with the pointer
    EXPECT_TRUE(boxes()[1].text.startsWith("Append Complete: "));
    EXPECT_TRUE(boxes()[1].afterWaitCursor); // the copy ran under the hourglass
    EXPECT_FALSE(waitCursorShown());

    // A roll-over that fails: the hourglass up to the error report, then gone.
    boxes().clear();
    rawExec(dbPath, "DROP TABLE TAV_Action_Review");
    user::key(Qt::Key_Return);
    ASSERT_EQ(boxes().size(), 2);
    EXPECT_TRUE(boxes()[1].title.startsWith("Error : "));
    EXPECT_TRUE(boxes()[1].afterWaitCursor);
    EXPECT_FALSE(waitCursorShown());

    // No: nothing runs, no hourglass.
    boxes().clear();
    answerAll(msgbox::vbNo);
    user::key(Qt::Key_Return);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_FALSE(waitCursorShown());
}

} // namespace
