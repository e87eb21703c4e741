// The shared text, list and year routines, and the unsaved flag of a page as
// ConfirmLeave reads it.
#include "platform/apperror.h"
#include "platform/colors.h"
#include "platform/grid.h"
#include "platform/messagebox.h"
#include "platform/runtime.h"
#include "platform/savebutton.h"
#include "platform/sqlquote.h"
#include "platform/tabcontrol.h"
#include "services/frmimages.h"
#include "services/modcentralroutines.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

TEST(SqlText, DoublesQuotesAndGivesABlankForTheEmptyText) {
    struct Case {
        QString in, out;
    } cases[] = {{"O'Brien", "O''Brien"}, {"", " "},         {"   ", "   "}, {"''", "''''"},
                 {"'a'b'", "''a''b''"},   {"plain", "plain"}};
    for (const Case& c : cases)
        EXPECT_EQ(SqlText(c.in), c.out) << c.in.toStdString();
}

TEST(SqlQuoting, PlainDoublingKeepsTheValueAsTypedAndTheLiteralsWrapEitherRule) {
    struct Case {
        QString in, doubled, literal, exactLiteral;
    } cases[] = {{"O'Brien", "O''Brien", "'O''Brien'", "'O''Brien'"},
                 {"", "", "' '", "''"},
                 {"  ", "  ", "'  '", "'  '"},
                 {"'", "''", "''''", "''''"},
                 {"x' OR ''='", "x'' OR ''''=''", "'x'' OR ''''='''", "'x'' OR ''''='''"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in.toStdString());
        EXPECT_EQ(SqlDoubled(c.in), c.doubled);
        EXPECT_EQ(quoted(c.in), c.literal);
        EXPECT_EQ(quotedExact(c.in), c.exactLiteral);
    }
}

TEST(DropFirstChar, DropsOneCharacter) {
    EXPECT_EQ(DropFirstChar("K12"), "12");
    EXPECT_EQ(DropFirstChar("K"), "");
    EXPECT_EQ(DropFirstChar(""), "");
}

TEST(GetListCode, MatchesTheTextExactlyAmongEntriesOneToN) {
    const QList<ListEntry> grades = {
        {"99", "Grade 0"}, {"4", "Grade 1"}, {"7", "Grade 2"}, {"12", " Grade 3 "}};
    struct Case {
        QString text;
        qint16 n;
        qint16 code;
    } cases[] = {
        {"Grade 1", 3, 4},    {"Grade 2", 3, 7}, {"grade 1", 3, 0}, // letter case counts
        {"Grade 2", 1, 0},                                          // beyond n
        {"Grade 0", 3, 0},                                          // entry 0 is not searched
        {" Grade 3 ", 3, 12},                                       // untrimmed match
        {"Grade 3", 3, 0},    {"Grade 1", 0, 0}, {"   ", 3, 0},     {"", 3, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetListCode(c.text, grades, c.n), c.code) << c.text.toStdString() << " n=" << c.n;
}

TEST(GetListCode, CodesThatAreNoSmallWholeNumberRaiseTheRuntimeErrors) {
    const QList<ListEntry> list = {{}, {"x", "bad"}, {"70000", "big"}, {"2.5", "half"}};
    try {
        GetListCode("bad", list, 3);
        FAIL();
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), 13);
    }
    try {
        GetListCode("big", list, 3);
        FAIL();
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), 6);
    }
    EXPECT_EQ(GetListCode("half", list, 3), 2);           // rounded half to even
    EXPECT_THROW(GetListCode("none", list, 9), AppError); // n past the list's end
}

struct YearComboTest : ::testing::Test {
    void SetUp() override {
        setClockOverride(QDate(2026, 3, 1));
        msgbox::shownBoxes().clear();
    }
    void TearDown() override { setClockOverride(std::nullopt); }
};

TEST_F(YearComboTest, FillYearComboListsThisYearDownTo2008AndChoosesThisYear) {
    QComboBox combo;
    combo.addItem("stale");
    FillYearCombo(combo);
    ASSERT_EQ(combo.count(), 2026 - 2008 + 1);
    EXPECT_EQ(combo.itemText(0), "2026");
    EXPECT_EQ(combo.itemText(combo.count() - 1), "2008");
    EXPECT_EQ(combo.currentText(), "2026");
    EXPECT_TRUE(ValidateReportYear(combo));
    EXPECT_TRUE(msgbox::shownBoxes().isEmpty());
}

TEST_F(YearComboTest, ValidateReportYearRefusesAnEmptyYear) {
    QComboBox combo;
    combo.setEditable(true);
    FillYearCombo(combo);
    combo.setEditText("  ");
    EXPECT_FALSE(ValidateReportYear(combo));
    ASSERT_EQ(msgbox::shownBoxes().size(), 1);
    EXPECT_EQ(msgbox::shownBoxes().first().text, "Please select Report Year to continue.");
    EXPECT_EQ(msgbox::shownBoxes().first().title, "User Message");
}

// A page as the assessment pages are built: a grid on a tab and the Save
// button whose flag the grid's Change sets.
struct PageWindow : QDialog {
    PageWindow() {
        auto* layout = new QVBoxLayout(this);
        tab1 = new TabControl(this);
        grid = new Grid;
        grid->setColumns({{.header = "", .width = 20}, {.header = "", .width = 20}});
        grid->setMaxRows(3);
        tab1->addTab(grid, "Community");
        tab1->addTab(new QWidget, "Classroom");
        cmdSave = new SaveButton("Save", this);
        layout->addWidget(tab1);
        layout->addWidget(cmdSave);
        connect(grid, &Grid::Change, this, [this](int, int) { cmdSave->setUnsaved(true); });
    }
    void load() {
        grid->SetText(1, 1, "loaded text");
        grid->SetText(2, 1, "more");
    }
    TabControl* tab1;
    Grid* grid;
    SaveButton* cmdSave;
};

struct ConfirmLeaveTest : ::testing::Test {
    void SetUp() override {
        msgbox::shownBoxes().clear();
        page.show();
    }
    void TearDown() override { msgbox::setAnswerer(msgbox::answerDefault); }

    // The user types into cell (col, row) and moves on.
    void userTypes(int col, int row, const QString& text) {
        page.grid->setFocus();
        page.grid->SetActiveCell(col, row);
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, text.left(1));
        QApplication::sendEvent(page.grid, &key);
        auto* editor = page.grid->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        page.grid->SetActiveCell(col, row + 1);
    }

    PageWindow page;
};

TEST_F(ConfirmLeaveTest, EditingACellTurnsSaveYellowLoadingDoesNot) {
    page.load();
    EXPECT_FALSE(page.cmdSave->isUnsaved());
    EXPECT_EQ(page.cmdSave->BackColor(), vbButtonFace);
    page.tab1->setTab(0);
    EXPECT_EQ(page.tab1->Tab(), 0);
    userTypes(1, 2, "typed");
    EXPECT_TRUE(page.cmdSave->isUnsaved());
    EXPECT_EQ(page.cmdSave->BackColor(), vbYellow);
    // The button is painted yellow (the style shades it a little).
    const auto isYellow = [&] {
        const QImage shown = page.cmdSave->grab().toImage();
        const QColor c = shown.pixelColor(6, shown.height() / 2);
        return c.red() > 200 && c.green() > 200 && c.blue() < 150;
    };
    EXPECT_TRUE(isYellow());
    page.cmdSave->setUnsaved(false); // after a save
    EXPECT_EQ(page.cmdSave->BackColor(), vbButtonFace);
    EXPECT_FALSE(isYellow());
    page.tab1->setTab(1);
    EXPECT_EQ(page.tab1->Tab(), 1);
}

TEST_F(ConfirmLeaveTest, WithTheFlagClearThePageClosesAtOnce) {
    page.load();
    EXPECT_TRUE(ConfirmLeave(*page.cmdSave, page));
    EXPECT_TRUE(msgbox::shownBoxes().isEmpty());
    EXPECT_FALSE(page.isVisible());
    EXPECT_EQ(page.result(), QDialog::Rejected);
}

TEST_F(ConfirmLeaveTest, WithTheFlagSetItAsksAndNoKeepsThePage) {
    userTypes(1, 1, "unsaved");
    ASSERT_TRUE(page.cmdSave->isUnsaved());
    EXPECT_FALSE(ConfirmLeave(*page.cmdSave, page)); // the default answer: No
    ASSERT_EQ(msgbox::shownBoxes().size(), 1);
    const msgbox::Shown box = msgbox::shownBoxes().first();
    EXPECT_EQ(box.text,
              "You have NOT saved your data. Are you sure you want to exit without saving?");
    EXPECT_EQ(box.title, "Data has NOT been Saved");
    EXPECT_EQ(box.buttonNames, QStringList({"Yes", "No"}));
    EXPECT_EQ(box.defaultAnswer, msgbox::vbNo);
    EXPECT_EQ(box.iconKey, frmImages::picStop().cacheKey());
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(page.grid->GetText(1, 1), "unsaved");

    msgbox::setAnswerer([](const msgbox::Shown&) { return msgbox::vbYes; });
    EXPECT_TRUE(ConfirmLeave(*page.cmdSave, page));
    EXPECT_FALSE(page.isVisible());
}

} // namespace
