#pragma once
// The user's hands: real key and mouse events through QTest, sent to the
// widget with the keyboard focus, with a pause between keys as a person types.
#include "platform/grid.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <functional>
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

// A click on tab index of a tab control.
inline void clickTab(QTabWidget* tabs, int index) {
    QApplication::setActiveWindow(tabs->window());
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
    QApplication::processEvents();
}

// Brings widget into sight as the user does: a click on each tab that holds it.
inline void bringIntoView(QWidget* widget) {
    for (QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget()) {
        auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget()
                                                                 : nullptr);
        const int index = tabs ? tabs->indexOf(w) : -1;
        if (index >= 0 && tabs->currentIndex() != index)
            clickTab(tabs, index);
    }
}

// A left click in the middle of cell (col, row) of grid, scrolled into sight
// first (the click makes its window the active one, as a window manager does).
inline void clickCell(Grid* grid, int col, int row) {
    QApplication::setActiveWindow(grid->window());
    bringIntoView(grid);
    grid->scrollTo(grid->model()->index(row - 1, col - 1));
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

// Where the user clicks a control: a check box or option on its box, any
// other control in its middle.
inline QPoint clickPoint(QWidget* control) {
    QStyleOptionButton option;
    option.initFrom(control);
    if (qobject_cast<QCheckBox*>(control))
        return control->style()
            ->subElementRect(QStyle::SE_CheckBoxIndicator, &option, control)
            .center();
    if (qobject_cast<QRadioButton*>(control))
        return control->style()
            ->subElementRect(QStyle::SE_RadioButtonIndicator, &option, control)
            .center();
    return control->rect().center();
}

// A left click on a control (a button, a box, an option) of its window,
// brought into sight first.
inline void click(QWidget* control) {
    QApplication::setActiveWindow(control->window());
    bringIntoView(control);
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, clickPoint(control));
    QApplication::processEvents();
}

// Ticks or clears a check box (or chooses an option) with a click, when it is
// not so already.
inline void tick(QAbstractButton* box, bool ticked) {
    if (box->isChecked() != ticked)
        click(box);
}

// Ticks or clears a list's check-box item: a click on the item, then Space.
inline void tickItem(QListWidget* list, QListWidgetItem* item, bool ticked) {
    if ((item->checkState() == Qt::Checked) == ticked)
        return;
    QApplication::setActiveWindow(list->window());
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(item).center());
    key(Qt::Key_Space);
}

// Types text into a text box: a click in it, Ctrl+A to choose what it holds,
// and the keys (or, with paste, Ctrl+V).
inline void typeIntoBox(QLineEdit* box, const QString& text, bool paste = false) {
    click(box);
    key(Qt::Key_A, Qt::ControlModifier);
    if (paste)
        user::paste(text);
    else if (!text.isEmpty())
        type(text);
    else
        key(Qt::Key_Delete);
}

// Leaves the cell being edited, as a click on a cell beside it does (the
// edit is committed): a shown cell that does nothing when clicked (no check
// box, button or list), else Tab.
inline void leaveCell(Grid* grid, int col, int row) {
    QApplication::setActiveWindow(grid->window());
    const int right = col + std::max(1, grid->columnSpan(row - 1, col - 1));
    for (const int beside : {right, col - 1}) {
        if (beside < 1 || beside > grid->MaxCols() || grid->isColumnHidden(beside - 1) ||
            grid->columnWidth(beside - 1) <= 0)
            continue;
        const GridCellType type = grid->cellType(beside, row);
        if (type == GridCellType::CheckBox || type == GridCellType::Button ||
            type == GridCellType::ComboBox)
            continue;
        clickCell(grid, beside, row);
        QApplication::processEvents();
        return;
    }
    key(Qt::Key_Tab);
}

// Types text into an edit cell of a window that is shown: a click on the
// cell (unless it is the chosen cell already), the keys (the first opens the
// editor), and a click on the cell beside it. An empty text is the Delete key.
inline void typeIntoCell(Grid* grid, int col, int row, const QString& text, int delay = kKeyDelay) {
    QApplication::setActiveWindow(grid->window());
    if (grid->currentIndex() != grid->model()->index(row - 1, col - 1) || !grid->hasFocus())
        clickCell(grid, col, row);
    grid->setFocus();
    if (text.isEmpty()) {
        key(Qt::Key_Delete);
        return;
    }
    type(text, delay);
    leaveCell(grid, col, row);
}

// Pastes text into a cell with Ctrl+V: the cell is clicked and takes the
// text whole (a long text, or one with line breaks, as the user copies it in).
inline void pasteIntoCell(Grid* grid, int col, int row, const QString& text) {
    clickCell(grid, col, row);
    paste(text);
}

// Ticks or clears a check-box cell with a click, when it is not so already.
inline void tickCell(Grid* grid, int col, int row, bool ticked) {
    if ((grid->GetText(col, row) == "1") != ticked)
        clickCell(grid, col, row);
}

// Chooses an item of a drop-down list: a click on the list opens it (unless
// it is open), and a click on the item chooses it.
inline void chooseInList(QComboBox* combo, const QString& item) {
    const int index = combo->findText(item);
    ASSERT_GE(index, 0) << item.toStdString() << " is not in the list";
    QAbstractItemView* view = combo->view();
    if (!view->isVisible()) {
        QApplication::setActiveWindow(combo->window());
        // The list's arrow (a click on the text of a list that takes typing
        // goes to its text).
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.subControls = QStyle::SC_All;
        const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxArrow, combo);
        QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier,
                          arrow.isValid() ? arrow.center() : combo->rect().center());
        // A list opened by a click takes no click on an item until a double
        // click's time has passed: the user's eye goes to the item first.
        QTest::qWait(QApplication::doubleClickInterval() + kKeyDelay);
    }
    ASSERT_TRUE(view->isVisible()) << "the list did not open";
    const QModelIndex at = view->model()->index(index, 0);
    view->scrollTo(at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      view->visualRect(at).center());
    QApplication::processEvents();
}

// Chooses an item of a drop-down list cell: the cell's list is opened and
// the item clicked in it.
inline void chooseInCell(Grid* grid, int col, int row, const QString& item) {
    clickCell(grid, col, row);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F2);
    QComboBox* combo = nullptr;
    for (QComboBox* open : grid->viewport()->findChildren<QComboBox*>())
        if (open->isVisible())
            combo = open;
    ASSERT_NE(combo, nullptr) << "the cell opened no list";
    chooseInList(combo, item);
    leaveCell(grid, col, row);
}

// A click on the column header of col.
inline void clickHeader(Grid* grid, int col) {
    QApplication::setActiveWindow(grid->window());
    QHeaderView* header = grid->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(col - 1) + header->sectionSize(col - 1) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QApplication::processEvents();
}

// Works in the window of class Window that the program shows next, modally:
// act runs on it from the window's own loop, once it shows.
template <class Window> void whenShown(std::function<void(Window&)> act) {
    QTimer::singleShot(0, [act] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<Window*>(w); window && window->isVisible()) {
                act(*window);
                return;
            }
        }
        ADD_FAILURE() << "no " << Window::staticMetaObject.className() << " showed";
    });
}

} // namespace user
