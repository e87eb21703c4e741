#pragma once
// The user's hands: real key and mouse events through QTest, sent to the
// widget with the keyboard focus, with a pause between keys as a person types.
#include "platform/grid.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace user {

// The pause between two keys, in milliseconds (about as fast as a quick typist).
constexpr int kKeyDelay = 50;

// Shows window and waits until it is the active window, as the user sees it.
inline bool showActive(QWidget* window) {
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

// A left click in the middle of cell (col, row) of grid.
inline void clickCell(Grid* grid, int col, int row) {
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, col - 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

// A double click: the window system sends a press, a release, then a press
// that comes as a double click, and a release.
inline void doubleClickCell(Grid* grid, int col, int row) {
    const QPoint at = grid->visualRect(grid->model()->index(row - 1, col - 1)).center();
    QWidget* viewport = grid->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at);
}

// The widget the keys go to: the focus widget of the active window.
inline QWidget* keyboardFocus() {
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        ADD_FAILURE() << "no widget has the keyboard focus";
    return focus;
}

// One key, pressed and released at the widget with the keyboard focus after
// the pause between keys (the press and the release each at the widget with
// the focus at that moment: a key may close the editor it was typed in);
// then what the key set going is done, as before the next key.
template <class Key> void press(Key key, Qt::KeyboardModifiers modifiers, int delay = kKeyDelay) {
    QTest::qWait(delay);
    if (QWidget* focus = keyboardFocus())
        QTest::keyPress(focus, key, modifiers);
    if (QWidget* focus = QApplication::focusWidget())
        QTest::keyRelease(focus, key, modifiers);
    QCoreApplication::processEvents();
}

// Types text at the keyboard focus, key by key (delay milliseconds apart).
inline void type(const QString& text, int delay = kKeyDelay) {
    for (const QChar c : text)
        press(c.toLatin1(), Qt::NoModifier, delay);
}

// One key at the keyboard focus.
inline void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    press(key, modifiers);
}

// Presses Tab until target has the keyboard focus, as a user does (at most
// about two rounds of a window's controls).
inline void tabTo(QWidget* target) {
    for (int i = 0; i < 80 && QApplication::focusWidget() != target; ++i)
        key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), target) << "Tab never reached the control";
}

// Copies text and pastes it with Ctrl+V at the keyboard focus.
inline void paste(const QString& text) {
    QApplication::clipboard()->setText(text);
    key(Qt::Key_V, Qt::ControlModifier);
}

// A left click on a button of the active window.
inline void click(QAbstractButton* button) {
    QApplication::setActiveWindow(button->window());
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    QApplication::processEvents();
}

// Leaves the cell being edited for the one beside it, as a click there does
// (the edit is committed).
inline void leaveCell(Grid* grid, int col, int row) {
    clickCell(grid, col < grid->MaxCols() ? col + 1 : col - 1, row);
    QApplication::processEvents();
}

// Types text into an edit cell of a window that is shown: a click on the
// cell (unless it is the chosen cell already), the keys (the first opens the
// editor), and a click on the cell beside it.
inline void typeIntoCell(Grid* grid, int col, int row, const QString& text, int delay = kKeyDelay) {
    QApplication::setActiveWindow(grid->window());
    if (grid->currentIndex() != grid->model()->index(row - 1, col - 1))
        clickCell(grid, col, row);
    grid->setFocus();
    type(text, delay);
    leaveCell(grid, col, row);
}

// Chooses an item of a drop-down list cell: the cell's list is opened and
// the item clicked in it.
inline void chooseInCell(Grid* grid, int col, int row, const QString& item) {
    QApplication::setActiveWindow(grid->window());
    clickCell(grid, col, row);
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

} // namespace user
