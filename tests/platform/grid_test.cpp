// The grid: cell values, shapes by blocks and columns, and which actions
// raise the events (the user's edits do, the program's own changes do not).
#include "platform/colors.h"
#include "platform/grid.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The user's keys and clicks, sent as the window system sends them.
void keyClick(QWidget* widget, char c) {
    const int key = c >= 'a' && c <= 'z' ? Qt::Key_A + (c - 'a') : int(c);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(c)));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(QChar(c)));
    QApplication::sendEvent(widget, &release);
}

void keyClicks(QWidget* widget, const QString& text) {
    for (QChar c : text)
        keyClick(widget, c.toLatin1());
}

void mouseClick(QWidget* widget, QPoint pos) {
    const QPointF global = widget->mapToGlobal(QPointF(pos));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), global, Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos), global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// Every event the grid raised, in order, as text.
struct EventLog {
    explicit EventLog(Grid& grid) {
        QObject::connect(&grid, &Grid::Change,
                         [this](int c, int r) { events << QString("Change %1,%2").arg(c).arg(r); });
        QObject::connect(&grid, &Grid::ButtonClicked, [this](int c, int r, int down) {
            events << QString("ButtonClicked %1,%2,%3").arg(c).arg(r).arg(down);
        });
        QObject::connect(&grid, &Grid::Click,
                         [this](int c, int r) { events << QString("Click %1,%2").arg(c).arg(r); });
    }
    QStringList events;
};

// A grid of three columns (the third multi-line with at most 10 characters)
// and five rows, shown so that the view lays its cells out.
struct GridFixture : ::testing::Test {
    void SetUp() override {
        grid.setColumns({{.header = "Name", .width = 12},
                         {.header = "Tick", .width = 6, .type = GridCellType::CheckBox},
                         {.header = "Notes", .width = 20, .maxLength = 10, .multiLine = true}});
        grid.setMaxRows(5);
        grid.resize(600, 300);
        grid.show();
    }

    // Types text into cell (col, row) as the user does: the first key opens
    // the editor, the rest go to it, Return commits.
    void typeInto(int col, int row, const QString& text) {
        grid.setFocus();
        grid.SetActiveCell(col, row);
        keyClick(&grid, text.at(0).toLatin1());
        QWidget* editor = QApplication::focusWidget();
        if (!editor || editor == &grid)
            editor = grid.viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        if (text.size() > 1)
            keyClicks(editor, text.mid(1));
        grid.SetActiveCell(1, row == 1 ? 2 : 1); // moving on commits the edit
    }

    QModelIndex index(int col, int row) { return grid.model()->index(row - 1, col - 1); }

    Grid grid;
};

TEST_F(GridFixture, TextsCheckBoxesAndIntegersReadBackAsTheRuntimeDoes) {
    grid.SetText(1, 1, "Thandi");
    EXPECT_EQ(grid.GetText(1, 1), "Thandi");
    EXPECT_EQ(grid.GetText(1, 0), "Name"); // row 0: the header
    grid.SetText(1, 0, "Learner");
    EXPECT_EQ(grid.GetText(1, 0), "Learner");

    struct Case {
        QString placed;
        QString reads;
    } cases[] = {{"1", "1"}, {"0", "0"}, {"True", "1"}, {"", "0"}, {"-1", "1"}, {"x", "0"}};
    for (const Case& c : cases) {
        grid.SetText(2, 1, c.placed);
        EXPECT_EQ(grid.GetText(2, 1), c.reads) << c.placed.toStdString();
    }
    grid.SetInteger(2, 2, 1);
    EXPECT_EQ(grid.GetInteger(2, 2), 1);
    EXPECT_EQ(grid.GetText(2, 2), "1");
    EXPECT_EQ(grid.GetInteger(1, 1), 0); // text that is no number

    // Cells outside the grid read empty and take nothing.
    grid.SetText(9, 9, "lost");
    EXPECT_EQ(grid.GetText(9, 9), "");
    EXPECT_EQ(grid.GetText(1, 6), "");
}

TEST_F(GridFixture, ProgramChangesRaiseNoEventsButUserEditsDo) {
    EventLog log(grid);
    grid.SetText(1, 1, "loaded");
    grid.SetInteger(2, 1, 1);
    grid.SetText(3, 2, "note");
    grid.ClearRange(1, 1, 3, 1, true);
    grid.DeleteRows(2, 1);
    grid.setMaxRows(7);
    grid.setCellBackColor({1, 1, 3, 3}, vbLabelGrey);
    grid.setCheckBox(1, 7, "Yes");
    EXPECT_TRUE(log.events.isEmpty()) << log.events.join("; ").toStdString();

    typeInto(1, 3, "Sipho");
    EXPECT_EQ(grid.GetText(1, 3), "Sipho");
    EXPECT_TRUE(log.events.contains("Change 1,3")) << log.events.join("; ").toStdString();
    EXPECT_EQ(log.events.count("Change 1,3"), 1);

    // Ticking a box by the mouse: ButtonClicked with the new value, then Change.
    log.events.clear();
    const QRect cell = grid.visualRect(index(2, 4));
    mouseClick(grid.viewport(), cell.center());
    EXPECT_EQ(grid.GetText(2, 4), "1");
    EXPECT_EQ(log.events.mid(0, 3),
              QStringList({"ButtonClicked 2,4,1", "Change 2,4", "Click 2,4"}));
    log.events.clear();
    mouseClick(grid.viewport(), cell.center());
    EXPECT_EQ(grid.GetText(2, 4), "0");
    EXPECT_EQ(log.events.first(), "ButtonClicked 2,4,0");
}

TEST_F(GridFixture, LockedCellsTakeNoEditsAndNoTicks) {
    grid.SetText(1, 1, "fixed");
    grid.setLocked({1, 1, 2, 1}, true);
    EventLog log(grid);
    grid.setFocus();
    grid.SetActiveCell(1, 1);
    keyClick(&grid, 'z');
    EXPECT_EQ(grid.viewport()->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(grid.GetText(1, 1), "fixed");
    mouseClick(grid.viewport(), grid.visualRect(index(2, 1)).center());
    EXPECT_EQ(grid.GetText(2, 1), "0");
    EXPECT_EQ(log.events, QStringList({"Click 2,1"}));
}

TEST_F(GridFixture, EditCellsKeepToTheirMaximumLength) {
    grid.setMaxLength({1, -1}, 4);
    typeInto(1, 2, "abcdefg");
    EXPECT_EQ(grid.GetText(1, 2), "abcd");

    // The multi-line column (at most 10) takes line breaks; a paste that
    // would make its text longer is refused whole.
    grid.setFocus();
    grid.SetActiveCell(3, 1);
    keyClick(&grid, 'a');
    auto* editor = grid.viewport()->findChild<QPlainTextEdit*>();
    ASSERT_NE(editor, nullptr);
    QApplication::clipboard()->setText("line one\nline two");
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->toPlainText(), "a");
    QApplication::clipboard()->setText("\nline 2");
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    grid.SetActiveCell(1, 1);
    EXPECT_EQ(grid.GetText(3, 1), "a\nline 2");
}

TEST_F(GridFixture, KeyPressCanDiscardOrReplaceTheTypedKey) {
    int seen = 0;
    QObject::connect(&grid, &Grid::KeyPress, [&](int& key) {
        seen = key;
        if (key == 'x')
            key = 0;
        else if (key == 'a')
            key = 'A';
    });
    EventLog log(grid);
    grid.setFocus();
    grid.SetActiveCell(1, 1);
    keyClick(&grid, 'x');
    EXPECT_EQ(seen, 'x');
    EXPECT_EQ(grid.viewport()->findChild<QLineEdit*>(), nullptr); // nothing was typed
    EXPECT_TRUE(log.events.isEmpty());

    // While a cell is edited the keys pass KeyPress too.
    typeInto(1, 2, "bab");
    EXPECT_EQ(grid.GetText(1, 2), "bAb");
}

TEST_F(GridFixture, ReadOnlyPreviewGridSwallowsAllTyping) {
    grid.SetText(1, 1, "entry");
    QObject::connect(&grid, &Grid::KeyPress, [](int& key) { key = 0; });
    EventLog log(grid);
    grid.setFocus();
    grid.SetActiveCell(1, 1);
    keyClicks(&grid, "abc");
    // Even an editor opened by a double click takes nothing.
    grid.editItem(grid.item(0, 0));
    auto* editor = grid.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    keyClicks(editor, "zz");
    // Nor do the keys that delete or paste.
    QApplication::clipboard()->setText("pasted");
    for (auto [key, modifiers, text] :
         {std::tuple{Qt::Key_Backspace, Qt::NoModifier, QString("\b")},
          std::tuple{Qt::Key_Delete, Qt::NoModifier, QString("\x7f")},
          std::tuple{Qt::Key_V, Qt::ControlModifier, QString("\x16")}}) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(editor, &press);
    }
    EXPECT_EQ(editor->text(), "entry");
    grid.SetActiveCell(1, 2);
    EXPECT_EQ(grid.GetText(1, 1), "entry");
    EXPECT_FALSE(log.events.contains("Change 1,1"));
}

TEST_F(GridFixture, SearchRowFindsTheFirstCellStartingWithTheTextIgnoringCase) {
    grid.SetText(1, 1, "Mokoena Lerato");
    grid.SetText(3, 1, "ACC-200");
    struct Case {
        int first, last;
        QString text;
        int flags;
        int column;
    } cases[] = {
        {1, 1, "moko", SearchFlagsPartialMatch, 1},
        {1, 1, "MOKOENA LERATO", SearchFlagsPartialMatch, 1},
        {1, 1, "Lerato", SearchFlagsPartialMatch, -1}, // not at the start
        {1, 1, "acc", SearchFlagsPartialMatch, -1},    // only in column 3
        {3, 3, "acc", SearchFlagsPartialMatch, 3},
        {1, 3, "acc-200", SearchFlagsPartialMatch, 3},
        {1, 1, "moko", 0, -1}, // without the flag the whole text must match
        {1, 1, "mokoena lerato", 0, 1},
    };
    for (const Case& c : cases) {
        int row = 1;
        EXPECT_EQ(grid.SearchRow(row, c.first, c.last, c.text, c.flags), c.column)
            << c.text.toStdString();
    }
    EXPECT_EQ(grid.SearchRow(2, 1, 3, "moko", SearchFlagsPartialMatch), -1);
}

TEST_F(GridFixture, ClearRangeBlanksTextsButKeepsShapesAndLooks) {
    grid.SetText(1, 1, "a");
    grid.SetText(1, 2, "b");
    grid.SetText(1, 3, "kept");
    grid.SetInteger(2, 1, 1);
    grid.setCellBackColor({1, 1}, vbYellow);
    grid.setCellBold({1, 2}, true);
    grid.ClearRange(1, 1, 2, 2, true);
    EXPECT_EQ(grid.GetText(1, 1), "");
    EXPECT_EQ(grid.GetText(1, 2), "");
    EXPECT_EQ(grid.GetText(2, 1), "0");
    EXPECT_EQ(grid.GetText(1, 3), "kept");
    EXPECT_EQ(grid.cellBackColor(1, 1), vbYellow);
    EXPECT_TRUE(grid.cellBold(1, 2));
    EXPECT_EQ(grid.cellType(2, 1), GridCellType::CheckBox);
}

TEST_F(GridFixture, DeleteRowsMovesRowsUpAndKeepsMaxRows) {
    for (int r = 1; r <= 5; ++r)
        grid.SetText(1, r, QString("row %1").arg(r));
    grid.SetInteger(2, 3, 1);
    grid.DeleteRows(2, 1);
    EXPECT_EQ(grid.MaxRows(), 5);
    EXPECT_EQ(grid.GetText(1, 2), "row 3");
    EXPECT_EQ(grid.GetText(2, 2), "1"); // all columns move together
    EXPECT_EQ(grid.GetText(1, 4), "row 5");
    EXPECT_EQ(grid.GetText(1, 5), "");
    EXPECT_EQ(grid.cellType(2, 5), GridCellType::CheckBox); // the new row has its column's shape
    EXPECT_EQ(grid.cellFormat(3, 5).maxLength, 10);
}

TEST_F(GridFixture, BlockSettersShapeTheCellRowOrBlock) {
    // A block, as the review grid locks and greys its reason cells.
    grid.setLocked({2, 2, 3, 3}, true);
    grid.setCellForeColor({2, 2, 3, 3}, vbBlack);
    grid.setCellBackColor({2, 2, 3, 3}, vbLabelGrey);
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 4; ++r) {
            const bool inBlock = c >= 2 && r >= 2 && r <= 3;
            EXPECT_EQ(grid.cellLocked(c, r), inBlock) << c << "," << r;
            EXPECT_EQ(grid.cellBackColor(c, r), inBlock ? vbLabelGrey : vbWhite) << c << "," << r;
        }

    // Only Row set (Col never set): the whole row, as the row highlight does.
    Grid fresh;
    fresh.setMaxCols(3);
    fresh.setMaxRows(4);
    fresh.setCellForeColor({-1, 3}, vbBlue);
    fresh.setCellBold({-1, 3}, true);
    for (int c = 1; c <= 3; ++c) {
        EXPECT_EQ(fresh.cellForeColor(c, 3), vbBlue);
        EXPECT_TRUE(fresh.cellBold(c, 3));
        EXPECT_FALSE(fresh.cellBold(c, 2));
    }
    EXPECT_EQ(fresh.cellForeColor(1, 3), vbBlue);
    EXPECT_TRUE(fresh.cellBold(1, 3));

    // Only Col set: the whole column, also the rows added later.
    fresh.setLocked({1, -1}, true);
    fresh.setMaxRows(6);
    EXPECT_TRUE(fresh.cellLocked(1, 6));
    EXPECT_FALSE(fresh.cellLocked(2, 6));
}

TEST_F(GridFixture, DropDownCellOffersTheTabSeparatedItems) {
    grid.setComboBox({1, 2}, "LOW\tMODERATE\tHIGH LEVEL\t", false, 150);
    EXPECT_EQ(grid.cellFormat(1, 2).comboList, "LOW\tMODERATE\tHIGH LEVEL\t");
    grid.SetText(1, 2, "MODERATE");

    EventLog log(grid);
    grid.SetActiveCell(1, 2);
    grid.editItem(grid.item(1, 0));
    auto* combo = grid.viewport()->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    EXPECT_FALSE(combo->isEditable());
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    // A blank entry first, to clear the cell with.
    EXPECT_EQ(items, QStringList({"", "LOW", "MODERATE", "HIGH LEVEL"}));
    EXPECT_EQ(combo->currentText(), "MODERATE");
    EXPECT_EQ(combo->maxVisibleItems(), 6);
    combo->setCurrentIndex(3);
    emit combo->activated(3); // the user picks the third item
    EXPECT_EQ(grid.GetText(1, 2), "HIGH LEVEL");
    EXPECT_TRUE(log.events.contains("Change 1,2"));
}

TEST_F(GridFixture, DesignSettersGiveSpansWidthsAndFixedTexts) {
    grid.setFixedText(1, 1, "A. HEALTH PROFESSIONAL REPORT", 3);
    EXPECT_EQ(grid.columnSpan(0, 0), 3);
    EXPECT_TRUE(grid.cellLocked(1, 1));
    EXPECT_EQ(grid.GetText(1, 1), "A. HEALTH PROFESSIONAL REPORT");
    grid.SetColWidth(1, 0);
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_EQ(grid.ColWidth(2), 6);
    grid.SetRowHeight(3, 20);
    EXPECT_NEAR(grid.RowHeight(3), 20, 1);
    grid.setButton(3, 4, "Additional Disabilities");
    EventLog log(grid);
    mouseClick(grid.viewport(), grid.visualRect(index(3, 4)).center());
    EXPECT_EQ(log.events.first(), "ButtonClicked 3,4,1");
    EXPECT_FALSE(log.events.contains("Change 3,4"));
    EXPECT_EQ(grid.GetText(3, 4), ""); // a button holds no text
}

TEST_F(GridFixture, ActiveCellAndClicks) {
    EXPECT_EQ(grid.ActiveRow(), 1); // before any cell was made active
    grid.SetActiveCell(3, 4);
    EXPECT_EQ(grid.ActiveRow(), 4);
    EXPECT_EQ(grid.ActiveCol(), 3);
    EventLog log(grid);
    mouseClick(grid.viewport(), grid.visualRect(index(1, 2)).center());
    EXPECT_EQ(log.events, QStringList({"Click 1,2"}));
    EXPECT_EQ(grid.ActiveRow(), 2);
}

} // namespace

namespace {

TEST_F(GridFixture, DateCellsTakeDatesInTheirRangeOnly) {
    grid.setMaxRows(10);
    grid.setDateCell({1, -1}, QDate(1990, 1, 1), QDate(2100, 12, 31));
    EventLog log(grid);
    const struct {
        const char* typed;
        const char* kept;
    } cases[] = {
        {"12/03/2026", "12/03/2026"},
        {"1/2/1990", "01/02/1990"},
        {"31/12/2100", "31/12/2100"},
        {"31/12/1989", ""},
        {"01/01/2101", ""},
        {"30/02/2026", ""},
        {"soon", ""},
        {"2026/03/12", ""},
    };
    int row = 1;
    for (const auto& c : cases) {
        typeInto(1, ++row, c.typed);
        EXPECT_EQ(grid.GetText(1, row), c.kept) << c.typed;
        // The editor just closed goes before the next one opens.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(log.events.filter("Change").size(), 3); // refused entries change nothing
    // The program places any text; a refused entry keeps it.
    grid.SetText(1, 10, "as stored");
    typeInto(1, 10, "x");
    EXPECT_EQ(grid.GetText(1, 10), "as stored");
    EXPECT_EQ(log.events.filter("Change").size(), 3);
    EXPECT_EQ(grid.cellType(1, 10), GridCellType::Date);
}

} // namespace

// Rows given whole: their texts read back, search and show as placed ones
// do, a cell changed keeps its text, rows deleted and added keep their
// places, typing in a locked column changes nothing, and the rows look as
// placed rows look.
TEST(GridRows, GivenRowsReadShowAndChangeAsPlacedOnes) {
    const QList<GridColumn> columns = {{.header = "ID", .width = 0},
                                       {.header = "Name", .width = 12, .locked = true},
                                       {.header = "Grade", .width = 8, .locked = true}};
    Grid given, placed;
    for (Grid* g : {&given, &placed}) {
        g->setColumns(columns);
        g->setRowsFitText(false);
        g->resize(400, 200);
    }
    given.setRows({{"7", "SMITH Anna", "Grade 1"}, {"8", "ZULU Ben", ""}, {"9", "NKOSI Cleo"}});
    placed.setMaxRows(3);
    const QStringList texts[3] = {
        {"7", "SMITH Anna", "Grade 1"}, {"8", "ZULU Ben", ""}, {"9", "NKOSI Cleo", ""}};
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c)
            placed.SetText(c, r, texts[r - 1][c - 1]);

    EXPECT_EQ(given.MaxRows(), 3);
    EXPECT_EQ(given.GetText(2, 2), "ZULU Ben");
    EXPECT_EQ(given.GetText(3, 3), "");
    EXPECT_EQ(given.SearchRow(3, 2, 2, "nk", SearchFlagsPartialMatch), 2);
    EXPECT_TRUE(given.cellLocked(2, 1));
    EXPECT_EQ(given.cellBackColor(2, 1), placed.cellBackColor(2, 1));

    // The same look as rows placed cell by cell.
    given.show();
    placed.show();
    EXPECT_EQ(given.grab().toImage(), placed.grab().toImage());

    // Typing in a locked cell opens nothing.
    given.setFocus();
    given.SetActiveCell(2, 1);
    keyClick(&given, 'x');
    EXPECT_EQ(given.viewport()->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(given.GetText(2, 1), "SMITH Anna");

    // A cell given its own look keeps its text; one given a text shows it.
    given.setCellBackColor({2, 2, 3, 2}, 0x80FFFF);
    EXPECT_EQ(given.GetText(2, 2), "ZULU Ben");
    EXPECT_EQ(given.cellBackColor(3, 2), 0x80FFFFu);
    given.SetText(3, 3, "Grade 4");
    EXPECT_EQ(given.GetText(3, 3), "Grade 4");

    // Rows deleted move the rest up; rows added are blank; fewer rows drop
    // the last.
    given.DeleteRows(1, 1);
    EXPECT_EQ(given.GetText(2, 1), "ZULU Ben");
    EXPECT_EQ(given.cellBackColor(2, 1), 0x80FFFFu);
    EXPECT_EQ(given.GetText(3, 2), "Grade 4");
    EXPECT_EQ(given.GetText(2, 3), "");
    given.setMaxRows(1);
    given.setMaxRows(2);
    EXPECT_EQ(given.GetText(2, 1), "ZULU Ben");
    EXPECT_EQ(given.GetText(2, 2), "");

    // Given rows again replace every row.
    given.setRows({{"1", "NEW Row"}});
    EXPECT_EQ(given.MaxRows(), 1);
    EXPECT_EQ(given.GetText(2, 1), "NEW Row");
    EXPECT_EQ(given.cellBackColor(2, 1), placed.cellBackColor(2, 1));
}
