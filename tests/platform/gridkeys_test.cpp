// The grid as the user works it, with real clicks and keys: no letter lost
// after a click, Tab from entry cell to entry cell, typing that replaces, F2
// and double clicks that append, Delete that clears, values refused whole,
// drop-down and date cells, rows as tall as their texts, and the selection
// shown by one grid of a window only.
#include "platform/colors.h"
#include "platform/grid.h"
#include "tests/common/user.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// The columns of the test grid.
enum Col { LineCol = 1, LockedCol = 2, NotesCol = 3, ScoreCol = 4 };

// A window as a page has it: a grid of entry cells, a second grid, a button.
// Grid rows: 1 a heading (locked); 2 and 3 entries: a one-line text (at most
// 10 characters), a locked label, a multi-line note, a score 1 to 3.
struct GridWindow : ::testing::Test {
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        grid = new Grid;
        grid->setColumns({{.header = {}, .width = 14, .maxLength = 10},
                          {.header = {}, .width = 10, .locked = true},
                          {.header = {}, .width = 24, .multiLine = true},
                          {.header = {}, .width = 6}});
        grid->setColHeadersShown(false);
        grid->setMaxRows(3);
        grid->setIntegerCell({ScoreCol, -1}, 1, 3);
        grid->setFixedText(1, 1, "Heading", 4);
        grid->SetText(LockedCol, 2, "label");
        grid->SetText(LockedCol, 3, "label");
        other = new Grid;
        other->setMaxCols(2);
        other->setMaxRows(2);
        button = new QPushButton("Save");
        layout->addWidget(grid);
        layout->addWidget(other);
        layout->addWidget(button);
        window.resize(700, 400);
        QObject::connect(grid, &Grid::Change,
                         [this](int c, int r) { changes << QString("%1,%2").arg(c).arg(r); });
        QObject::connect(
            grid, &Grid::EntryRefused,
            [this](int, int, const QString&, const QString& message) { refusals << message; });
        ASSERT_TRUE(user::showActive(&window));
    }

    // The user has cell (col, row) chosen in the grid, as a page opens with
    // its entry cell highlighted.
    void choose(int col, int row) {
        grid->setFocus();
        grid->SetActiveCell(col, row);
    }

    QWidget* editor() const {
        QWidget* focus = QApplication::focusWidget();
        return focus && grid->viewport()->isAncestorOf(focus) ? focus : nullptr;
    }

    QWidget window;
    Grid* grid = nullptr;
    Grid* other = nullptr;
    QPushButton* button = nullptr;
    QStringList changes;
    QStringList refusals;
};

TEST_F(GridWindow, AClickOnTheChosenCellThenTypingKeepsEveryLetter) {
    const int interval = QApplication::doubleClickInterval();
    const struct {
        int col;
        QString typed;
    } cells[] = {{LineCol, "Reads well"}, {NotesCol, "Reading is weak"}, {ScoreCol, "2"}};
    for (const int wait : {0, interval / 4, interval + 200}) {
        for (const auto& cell : cells) {
            SCOPED_TRACE(QString("column %1, wait %2 ms").arg(cell.col).arg(wait).toStdString());
            grid->SetText(cell.col, 2, cell.col == ScoreCol ? "3" : "was here");
            choose(cell.col, 2);
            user::clickCell(grid, cell.col, 2);
            QTest::qWait(wait);
            user::type(cell.typed);
            user::key(Qt::Key_Tab);
            EXPECT_EQ(grid->GetText(cell.col, 2), cell.typed);
        }
    }
}

TEST_F(GridWindow, TabGoesFromEntryCellToEntryCellAndOnToTheNextControl) {
    grid->SetText(NotesCol, 3, "kept\tas stored");
    choose(LineCol, 2);
    user::type("Clinic");
    user::key(Qt::Key_Tab); // past the locked label
    EXPECT_EQ(grid->ActiveCol(), NotesCol);
    user::type("Reads aloud");
    user::key(Qt::Key_Tab);
    EXPECT_EQ(grid->ActiveCol(), ScoreCol);
    user::key(Qt::Key_Tab); // on to the next row's first entry cell
    EXPECT_EQ(grid->ActiveRow(), 3);
    EXPECT_EQ(grid->ActiveCol(), LineCol);
    EXPECT_EQ(grid->GetText(LineCol, 2), "Clinic");
    EXPECT_EQ(grid->GetText(NotesCol, 2), "Reads aloud");

    user::key(Qt::Key_Tab);
    user::key(Qt::Key_Tab); // the note holding a stored tab, passed unopened
    EXPECT_EQ(grid->GetText(NotesCol, 3), "kept\tas stored");
    // From the last entry cell on to the next control: the other grid.
    user::key(Qt::Key_Tab);
    EXPECT_TRUE(other->hasFocus());
    EXPECT_EQ(other->ActiveRow(), 1); // at its first entry cell
    EXPECT_EQ(other->ActiveCol(), 1);
    user::key(Qt::Key_Backtab); // back into the grid, at its last entry cell
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->ActiveRow(), 3);
    EXPECT_EQ(grid->ActiveCol(), ScoreCol);

    // A Tab typed in a multi-line cell being edited moves on; no tab is kept.
    choose(NotesCol, 2);
    user::key(Qt::Key_F2);
    user::type(" daily");
    user::key(Qt::Key_Tab);
    EXPECT_EQ(grid->GetText(NotesCol, 2), "Reads aloud daily");
    EXPECT_EQ(grid->ActiveCol(), ScoreCol);
    for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 4; ++c) {
            if (!(c == NotesCol && r == 3)) {
                EXPECT_FALSE(grid->GetText(c, r).contains('\t')) << c << "," << r;
            }
        }
    }
}

TEST_F(GridWindow, TypingReplacesAndF2OrADoubleClickAppends) {
    for (const int col : {int(LineCol), int(NotesCol)}) {
        SCOPED_TRACE(col);
        grid->SetText(col, 2, "Parent");
        choose(col, 2);
        user::type("XYZ");
        user::key(Qt::Key_Tab);
        EXPECT_EQ(grid->GetText(col, 2), "XYZ");

        grid->SetText(col, 2, "Parent");
        choose(col, 2);
        user::key(Qt::Key_F2);
        user::type("s");
        user::key(Qt::Key_Tab);
        EXPECT_EQ(grid->GetText(col, 2), "Parents");

        grid->SetText(col, 2, "Parent");
        choose(col, 2);
        user::doubleClickCell(grid, col, 2);
        user::type("al");
        user::key(Qt::Key_Tab);
        EXPECT_EQ(grid->GetText(col, 2), "Parental");
    }
}

TEST_F(GridWindow, DeleteAndBackspaceClearAChosenCellOfEveryKind) {
    grid->setComboBox({NotesCol, 3}, "LOW\tMODERATE\tHIGH LEVEL");
    grid->setDateCell({LineCol, 3}, QDate(1990, 1, 1), QDate(2100, 12, 31));
    const struct {
        int col, row;
        QString text;
    } cells[] = {{LineCol, 2, "text"},
                 {NotesCol, 2, "a note"},
                 {ScoreCol, 2, "2"},
                 {NotesCol, 3, "MODERATE"},
                 {LineCol, 3, "15/03/2026"}};
    for (const Qt::Key key : {Qt::Key_Delete, Qt::Key_Backspace}) {
        for (const auto& cell : cells) {
            SCOPED_TRACE(
                QString("%1,%2 key %3").arg(cell.col).arg(cell.row).arg(key).toStdString());
            grid->SetText(cell.col, cell.row, cell.text);
            changes.clear();
            choose(cell.col, cell.row);
            user::key(key);
            EXPECT_EQ(grid->GetText(cell.col, cell.row), "");
            EXPECT_EQ(changes, QStringList{QString("%1,%2").arg(cell.col).arg(cell.row)});
            EXPECT_EQ(editor(), nullptr);
        }
    }
    // A locked cell keeps its text.
    choose(LockedCol, 2);
    user::key(Qt::Key_Delete);
    EXPECT_EQ(grid->GetText(LockedCol, 2), "label");
}

TEST_F(GridWindow, ATypedOrPastedValueIsTakenWholeOrNotAtAll) {
    grid->setComboBox({NotesCol, 3}, "LOW\tMODERATE\tHIGH LEVEL");
    grid->setMaxLength({ScoreCol, 3}, 1);
    grid->setEditCell({ScoreCol, 3}, 1);
    grid->setDateCell({LineCol, 3}, QDate(1990, 1, 1), QDate(2100, 12, 31));
    const struct {
        int col, row;
        QString old, pasted, kept;
    } cases[] = {
        {ScoreCol, 2, "2", "12", "2"},
        {ScoreCol, 2, "2", "2x", "2"},
        {ScoreCol, 2, "2", "0", "2"},
        {ScoreCol, 2, "2", "4", "2"},
        {ScoreCol, 2, "1", " 2", "2"},
        {ScoreCol, 2, "1", "3", "3"},
        {NotesCol, 3, "LOW", "Level 9", "LOW"},
        {NotesCol, 3, "LOW", "high level", "HIGH LEVEL"},
        {ScoreCol, 3, "L", "MH", "L"},
        {ScoreCol, 3, "L", "M", "M"},
        {LineCol, 2, "short", "eleven char", "short"},
        {LineCol, 2, "short", "ten chars!", "ten chars!"},
        {LineCol, 3, "01/01/2026", "31/02/2026", "01/01/2026"},
        {LineCol, 3, "01/01/2026", "2026-03-15", "15/03/2026"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString("%1,%2 \"%3\"").arg(c.col).arg(c.row).arg(c.pasted).toStdString());
        grid->SetText(c.col, c.row, c.old);
        changes.clear();
        choose(c.col, c.row);
        user::paste(c.pasted);
        EXPECT_EQ(grid->GetText(c.col, c.row), c.kept);
        EXPECT_EQ(changes.size(), c.kept == c.old ? 0 : 1);
    }
    // Typed keys: a score cell takes no key that makes no score.
    grid->SetText(ScoreCol, 2, "3");
    choose(ScoreCol, 2);
    user::type("a");
    EXPECT_EQ(editor(), nullptr);
    user::type("1");
    user::type("2");
    user::key(Qt::Key_Tab);
    EXPECT_EQ(grid->GetText(ScoreCol, 2), "1");
    // Pasted into an open editor: the text it would make is checked whole.
    choose(ScoreCol, 2);
    user::key(Qt::Key_F2);
    user::paste("3");
    user::key(Qt::Key_Tab);
    EXPECT_EQ(grid->GetText(ScoreCol, 2), "1");
    choose(LineCol, 2);
    user::key(Qt::Key_F2);
    user::paste(" and more text");
    user::key(Qt::Key_Tab);
    EXPECT_EQ(grid->GetText(LineCol, 2), "ten chars!");
}

TEST_F(GridWindow, ADateTheCellCannotTakeStaysInSightWithWhatTheCellTakes) {
    grid->setDateCell({LineCol, 2}, QDate(1990, 1, 1), QDate(2100, 12, 31));
    grid->SetText(LineCol, 2, "01/01/2026");
    choose(LineCol, 2);
    user::type("31/02/2026");
    user::key(Qt::Key_Tab);
    ASSERT_EQ(refusals.size(), 1);
    EXPECT_TRUE(refusals.first().contains("31/02/2026"));
    EXPECT_TRUE(refusals.first().contains("DD/MM/YYYY"));
    EXPECT_TRUE(refusals.first().contains("YYYY-MM-DD"));
    EXPECT_EQ(grid->GetText(LineCol, 2), "01/01/2026");
    auto* line = qobject_cast<QLineEdit*>(editor());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), "31/02/2026");
    // Leaving by a click elsewhere: refused again, and the entry still stays.
    user::clickCell(grid, NotesCol, 2);
    QTest::qWait(50);
    EXPECT_EQ(refusals.size(), 2);
    line = qobject_cast<QLineEdit*>(editor());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), "31/02/2026");
    EXPECT_EQ(grid->ActiveCol(), LineCol);
    // Put right in the ISO form: taken and kept as the cell shows dates.
    line->selectAll();
    user::type("2026-03-15");
    user::key(Qt::Key_Return);
    EXPECT_EQ(grid->GetText(LineCol, 2), "15/03/2026");
    EXPECT_EQ(editor(), nullptr);
    // Escape gives a refused entry up.
    choose(LineCol, 2);
    user::type("1990");
    user::key(Qt::Key_Escape);
    EXPECT_EQ(grid->GetText(LineCol, 2), "15/03/2026");
    EXPECT_EQ(editor(), nullptr);

    // Said in a window of its own, which takes the focus while it shows: the
    // entry has it back afterwards and the keys go on into it.
    QObject::connect(grid, &Grid::EntryRefused, &window, [this] {
        QDialog message(&window);
        QTimer::singleShot(100, &message, &QDialog::accept);
        message.exec();
    });
    choose(LineCol, 2);
    user::type("30/02/2026");
    user::key(Qt::Key_Tab);
    QTest::qWait(300);
    ASSERT_TRUE(user::showActive(&window));
    line = qobject_cast<QLineEdit*>(editor());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), "30/02/2026");
    user::key(Qt::Key_Home);
    user::key(Qt::Key_Delete);
    user::key(Qt::Key_Delete);
    user::type("28");
    user::key(Qt::Key_Return);
    EXPECT_EQ(grid->GetText(LineCol, 2), "28/02/2026");
}

TEST_F(GridWindow, ADropDownCellShowsItsArrowOpensOnOneClickAndOffersABlank) {
    const QString tenItems = "a\tb\tc\td\te\tf\tg\th\ti\tj";
    grid->setComboBox({NotesCol, 3}, tenItems);
    grid->SetText(NotesCol, 3, "c");
    choose(LineCol, 3);
    user::clickCell(grid, NotesCol, 3);
    auto* combo = grid->viewport()->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->view()->isVisible()); // the list is open
    EXPECT_EQ(combo->itemText(0), "");
    EXPECT_EQ(combo->count(), 11);
    EXPECT_EQ(combo->currentText(), "c");
    // Six items in sight at once, the rest by scrolling.
    const int itemHeight = combo->view()->sizeHintForRow(0);
    EXPECT_LT(combo->view()->viewport()->height(), 8 * itemHeight);
    EXPECT_GE(combo->view()->viewport()->height(), 5 * itemHeight);
    // The blank entry clears the cell.
    QTest::keyClick(combo->view(), Qt::Key_Home);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_EQ(grid->GetText(NotesCol, 3), "");
    EXPECT_TRUE(changes.contains("3,3"));

    // The arrow: the right end of a drop-down cell is drawn on, that of an
    // edit cell with the same text is not.
    grid->SetText(NotesCol, 3, "b");
    grid->SetText(NotesCol, 2, "b");
    other->setFocus();
    QTest::qWait(20);
    const QImage shot = grid->viewport()->grab().toImage();
    auto darkAtRightEnd = [&](int row) {
        const QRect cell = grid->visualRect(grid->model()->index(row - 1, NotesCol - 1));
        int dark = 0;
        for (int x = cell.right() - 14; x < cell.right() - 1; ++x)
            for (int y = cell.top() + 1; y < cell.bottom(); ++y)
                dark += qGray(shot.pixel(x, y)) < 128;
        return dark;
    };
    EXPECT_GT(darkAtRightEnd(3), 3);
    EXPECT_EQ(darkAtRightEnd(2), 0);
}

TEST_F(GridWindow, RowsGrowToTheirTextsAndALongTextIsReadToItsEndByScrolling) {
    const double designed = grid->RowHeight(2);
    QStringList lines;
    for (int i = 1; i <= 60; ++i)
        lines << QString("Line %1 of a long report").arg(i);
    grid->SetText(NotesCol, 2, lines.join('\n'));
    EXPECT_GT(grid->RowHeight(2), designed);
    QTest::qWait(20); // the view lays its rows out
    const QRect cell = grid->visualRect(grid->model()->index(1, NotesCol - 1));
    EXPECT_GT(cell.height(), grid->viewport()->height()); // taller than the view
    // Scrolled to the end, the row's end is in sight.
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    const QRect end = grid->visualRect(grid->model()->index(1, NotesCol - 1));
    EXPECT_LE(end.bottom(), grid->viewport()->height());
    EXPECT_GT(end.bottom(), grid->viewport()->height() - grid->RowHeight(3) * 4 / 3 - 4);
    // A row keeps at least its designed height.
    grid->SetText(NotesCol, 2, QString());
    EXPECT_DOUBLE_EQ(grid->RowHeight(2), designed);

    // A grid designed without a scroll bar gets one when its rows outgrow it.
    other->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    other->SetText(1, 1, lines.join('\n'));
    other->RowHeight(1);
    QTest::qWait(20);
    EXPECT_NE(other->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    other->SetText(1, 1, "short");
    other->RowHeight(1);
    QTest::qWait(20);
    EXPECT_EQ(other->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(GridWindow, OnlyTheGridTheUserWorksInShowsItsSelection) {
    other->SetActiveCell(2, 2);
    choose(LineCol, 2);
    EXPECT_TRUE(grid->showsSelection());
    EXPECT_FALSE(other->showsSelection());
    const auto highlighted = [](Grid* g, int col, int row) {
        const QImage shot = g->viewport()->grab().toImage();
        const QPoint at = g->visualRect(g->model()->index(row - 1, col - 1)).center();
        const QColor seen = shot.pixelColor(at);
        const QColor highlight = g->palette().color(QPalette::Highlight);
        return std::abs(seen.red() - highlight.red()) + std::abs(seen.green() - highlight.green()) +
                   std::abs(seen.blue() - highlight.blue()) <
               30;
    };
    EXPECT_TRUE(highlighted(grid, LineCol, 2));
    EXPECT_FALSE(highlighted(other, 2, 2));
    user::clickCell(other, 1, 1);
    EXPECT_TRUE(other->showsSelection());
    EXPECT_FALSE(grid->showsSelection());
    // A button takes the focus: the grid last worked in keeps showing its cell.
    button->setFocus();
    EXPECT_TRUE(other->showsSelection());
    EXPECT_FALSE(grid->showsSelection());
}

} // namespace
