#pragma once
// The user's keys and clicks on a shown window, sent through QTest.
#include "platform/grid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

namespace userinput {

// Milliseconds between two keys.
constexpr int kKeyDelay = 10;

// The user works in the grid's window: it is the active one.
inline void activate(QWidget* widget) {
    QApplication::setActiveWindow(widget->window());
    QApplication::processEvents();
}

inline QPoint cellCenter(Grid* grid, int col, int row) {
    return grid->visualRect(grid->model()->index(row - 1, col - 1)).center();
}

// Commits the cell being edited, as a click on another cell of the grid does.
inline void leaveCell(Grid* grid, int col, int row) {
    const int other = col < grid->MaxCols() ? col + 1 : col - 1;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                      cellCenter(grid, other, row));
    QApplication::processEvents();
}

// Types text into an edit cell: a click on the cell (unless it is the
// active cell already), the first key opens its editor, the others go to the
// editor, and a click on the next cell commits.
inline void typeIntoCell(Grid* grid, int col, int row, const QString& text) {
    activate(grid);
    if (grid->currentIndex() != grid->model()->index(row - 1, col - 1))
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                          cellCenter(grid, col, row));
    grid->setFocus();
    QTest::keyClick(grid, text.at(0).toLatin1());
    QWidget* editor = QApplication::focusWidget();
    ASSERT_TRUE(editor && editor != grid) << "the cell opened no editor";
    QTest::keyClicks(editor, text.mid(1), Qt::NoModifier, kKeyDelay);
    leaveCell(grid, col, row);
}

// Chooses an item of a drop-down list cell: a click on the cell and F2 open
// its list, and the item is clicked in it.
inline void chooseInCell(Grid* grid, int col, int row, const QString& item) {
    activate(grid);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                      cellCenter(grid, col, row));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F2);
    QComboBox* combo = nullptr;
    for (QComboBox* open : grid->viewport()->findChildren<QComboBox*>())
        if (open->isVisible())
            combo = open;
    ASSERT_NE(combo, nullptr) << "the cell opened no list";
    const int index = combo->findText(item);
    ASSERT_GE(index, 0) << item.toStdString() << " is not in the list";
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    const QModelIndex at = view->model()->index(index, 0);
    view->scrollTo(at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      view->visualRect(at).center());
    QApplication::processEvents();
    leaveCell(grid, col, row);
}

inline void click(QAbstractButton* button) {
    activate(button);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    QApplication::processEvents();
}

} // namespace userinput
