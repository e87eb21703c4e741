// Focus, keys and editing: the entry cells Tab goes through, what the user
// types, clears and pastes, and the open editor.
#include "platform/grid.h"

#include "platform/entryguard.h"
#include "platform/gridprivate.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSet>
#include <QTextDocument>
#include <algorithm>

using namespace gridimpl;

// --- entry cells and the keys that move ------------------------------------------

bool Grid::hasEntryCells() const {
    return !entryCells().isEmpty();
}

QList<QModelIndex> Grid::entryCells() const {
    QList<QModelIndex> cells;
    QSet<QPair<int, int>> covered;
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            if (covered.contains({r, c}))
                continue;
            const int rs = rowSpan(r, c), cs = columnSpan(r, c);
            for (int rr = r; rr < r + rs; ++rr)
                for (int cc = c; cc < c + cs; ++cc)
                    if (rr != r || cc != c)
                        covered.insert({rr, cc});
            if (isRowHidden(r) || isColumnHidden(c) || columnWidth(c) <= 0)
                continue;
            const GridCellFormat fmt = formatAt(r, c);
            if (!fmt.locked && fmt.type != GridCellType::StaticText)
                cells << model()->index(r, c);
        }
    }
    return cells;
}

void Grid::moveToEntry(bool next) {
    const QList<QModelIndex> cells = entryCells();
    const QModelIndex current = currentIndex();
    const auto before = [](const QModelIndex& a, const QModelIndex& b) {
        return a.row() < b.row() || (a.row() == b.row() && a.column() < b.column());
    };
    QModelIndex to;
    if (next) {
        for (const QModelIndex& cell : cells) {
            if (!current.isValid() || before(current, cell)) {
                to = cell;
                break;
            }
        }
    } else if (current.isValid()) {
        for (auto it = cells.crbegin(); it != cells.crend(); ++it) {
            if (before(*it, current)) {
                to = *it;
                break;
            }
        }
    }
    if (to.isValid()) {
        setCurrentIndex(to);
        setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return;
    }
    // Past the last (first) entry cell: on to the window's next (previous) control.
    setFocus();
    QWidget::focusNextPrevChild(next);
}

bool Grid::focusNextPrevChild(bool next) {
    if (isEditing()) {
        finishEdit(m_editor, next ? 1 : -1);
        return true;
    }
    moveToEntry(next);
    return true;
}

void Grid::focusInEvent(QFocusEvent* event) {
    QTableWidget::focusInEvent(event);
    becomeActiveGrid();
    // Coming in by Tab (Shift+Tab), or with no cell chosen yet: the first
    // (last) entry cell.
    const bool tab = event->reason() == Qt::TabFocusReason;
    const bool backtab = event->reason() == Qt::BacktabFocusReason;
    const bool noCell = !currentIndex().isValid() && event->reason() != Qt::MouseFocusReason;
    if (tab || backtab || noCell) {
        const QList<QModelIndex> cells = entryCells();
        if (!cells.isEmpty())
            setCurrentIndex(backtab ? cells.last() : cells.first());
    }
    viewport()->update();
}

void Grid::focusOutEvent(QFocusEvent* event) {
    QTableWidget::focusOutEvent(event);
    viewport()->update();
}

void Grid::mouseReleaseEvent(QMouseEvent* event) {
    QTableWidget::mouseReleaseEvent(event);
    // A drop-down cell opens its list on one click.
    if (event->button() != Qt::LeftButton || state() == EditingState)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || index != currentIndex())
        return;
    const GridCellFormat fmt = formatAt(index.row(), index.column());
    if (fmt.type != GridCellType::ComboBox || fmt.locked)
        return;
    edit(index);
    if (auto* combo = qobject_cast<QComboBox*>(m_editor.data()))
        combo->showPopup();
}

bool Grid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const EditTrigger before = m_opening;
    m_opening = trigger;
    const bool opened = QTableWidget::edit(index, trigger, event);
    m_opening = before;
    return opened;
}

// Typing on a cell that takes no typing does nothing (it does not search the grid).
void Grid::keyboardSearch(const QString&) {}

// --- the user's actions --------------------------------------------------------

void Grid::onItemChanged(QTableWidgetItem* changed) {
    if (m_silent > 0 || !changed || changed->tableWidget() != this)
        return;
    const int col = changed->column() + 1, row = changed->row() + 1;
    fitRows(row, row);
    if (m_editBefore) {
        const QString before = *m_editBefore;
        m_editBefore.reset();
        emit TextEdited(col, row, before);
    }
    if (formatOf(changed).type == GridCellType::CheckBox)
        emit ButtonClicked(col, row, changed->checkState() == Qt::Checked ? 1 : 0);
    emit Change(col, row);
}

void Grid::refuse(int col, int row, const QString& text, const QString& said) {
    const GridCellFormat fmt = cellFormat(col, row);
    QString message = said;
    if (!message.isEmpty()) {
        // said by the caller
    } else if (entryguard::controlCharacter(text)) {
        message = entryguard::pasteRefusal(text, text.size(), 0, QStringLiteral("cell"));
    } else if (fmt.type == GridCellType::Integer) {
        message = "\"" + text.trimmed() + "\" is not a value this cell takes: it takes a whole " +
                  "number from " + QString::number(fmt.minValue) + " to " +
                  QString::number(fmt.maxValue) + ".";
    } else if (fmt.type == GridCellType::ComboBox && !fmt.comboEditable) {
        message = "\"" + text.trimmed() + "\" is not one of the items of this cell's list.";
    } else if ((fmt.type == GridCellType::Edit || fmt.type == GridCellType::ComboBox) &&
               fmt.maxLength > 0) {
        message = entryguard::pasteRefusal(
            text, text.size(), int(std::max<qsizetype>(fmt.maxLength, GetText(col, row).size())),
            QStringLiteral("cell"));
    } else if (fmt.type == GridCellType::Date) {
        const QString range = fmt.dateMin.isValid() && fmt.dateMax.isValid()
                                  ? " from " + fmt.dateMin.toString("dd/MM/yyyy") + " to " +
                                        fmt.dateMax.toString("dd/MM/yyyy")
                                  : QString();
        message = "\"" + text.trimmed() +
                  "\" is not a date this cell takes. Please type the date as DD/MM/YYYY (for "
                  "example 15/03/2026) or as YYYY-MM-DD (2026-03-15)" +
                  range + ".";
    }
    QApplication::beep();
    ++m_refusing;
    emit EntryRefused(col, row, text, message);
    --m_refusing;
}

void Grid::sayAtEditor(QWidget* editor, const QString& message) {
    if (!editor || editor != m_editor || !m_editorIndex.isValid() || message.isEmpty())
        return;
    const QPointer<QWidget> kept(editor);
    refuse(m_editorIndex.column() + 1, m_editorIndex.row() + 1, editorText(editor), message);
    // The message over the window took the focus: back to the entry.
    // cppcheck-suppress knownConditionTrueFalse ; kept is a QPointer, null once the editor is
    // deleted while the refusal is told
    if (kept && isVisible())
        kept->setFocus();
}

void Grid::editorEdited(QWidget* editor) {
    if (editor != m_editor || m_editStarted || !m_editorIndex.isValid())
        return;
    m_editStarted = true;
    emit EditStarted(m_editorIndex.column() + 1, m_editorIndex.row() + 1);
}

bool Grid::isEditing() const {
    return state() == EditingState && m_editor;
}

bool Grid::commitEditor(bool sayRefusal) {
    if (!isEditing())
        return true;
    QWidget* editor = m_editor;
    if (!editorAccepted(editor)) {
        if (sayRefusal)
            keepRefusedEntry(editor);
        return false;
    }
    finishEdit(editor, 0);
    return true;
}

void Grid::restoreText(int col, int row, const QString& text) {
    QTableWidgetItem* cell = cellItem(col, row);
    if (!cell || !holdsText(formatOf(cell)))
        return;
    ++m_restoring;
    cell->setText(text);
    --m_restoring;
}

void Grid::clearCell(const QModelIndex& index) {
    QTableWidgetItem* cell = itemAt(index.row(), index.column());
    const GridCellFormat fmt = formatOf(cell);
    if (!cell || fmt.locked || !holdsText(fmt) || cell->text().isEmpty())
        return;
    cell->setText(QString()); // the user's edit: Change
}

void Grid::pasteInto(const QModelIndex& index) {
    QTableWidgetItem* cell = itemAt(index.row(), index.column());
    const GridCellFormat fmt = formatOf(cell);
    if (!cell || fmt.locked || !holdsText(fmt))
        return;
    QString text = QApplication::clipboard()->text();
    if (!(fmt.type == GridCellType::Edit && fmt.multiLine)) {
        // A line copied with its line break.
        while (text.endsWith('\n') || text.endsWith('\r'))
            text.chop(1);
    }
    QString kept = text;
    if (!acceptEntry(fmt, kept, cell->text())) {
        refuse(index.column() + 1, index.row() + 1, text);
        return;
    }
    if (kept != cell->text())
        cell->setText(kept); // the user's edit: Change
}

// The key code of a key that types or changes text: its character, the
// control code of Ctrl and a letter (Ctrl+V is 22), 127 for Delete; 0 for
// keys that only move or do nothing.
static int typedKey(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers & Qt::AltModifier)
        return 0;
    if (modifiers & Qt::ControlModifier) {
        const int key = event->key();
        return key >= Qt::Key_A && key <= Qt::Key_Z ? key - Qt::Key_A + 1 : 0;
    }
    if (event->key() == Qt::Key_Delete)
        return 0x7F;
    if (event->key() == Qt::Key_Backspace)
        return 0x08;
    const QString text = event->text();
    if (text.isEmpty())
        return 0;
    const int key = text.at(0).unicode();
    return key == '\t' ? 0 : key;
}

// Raises KeyPress for a typed key. Returns the key as the handler left it:
// 0 discards it; -1 for keys that type nothing (no KeyPress raised).
int Grid::raiseKeyPress(QKeyEvent* event) {
    int key = typedKey(event);
    if (key == 0)
        return -1;
    emit KeyPress(key);
    return key;
}

void Grid::keyPressEvent(QKeyEvent* event) {
    const int key = raiseKeyPress(event);
    if (key == 0) {
        event->accept();
        return;
    }
    const QModelIndex current = currentIndex();
    if (state() != EditingState && current.isValid()) {
        const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (event->matches(QKeySequence::Paste)) {
            pasteInto(current);
            event->accept();
            return;
        }
        if (plain && (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)) {
            clearCell(current);
            event->accept();
            return;
        }
        // A typed character starts the cell's text afresh; a character that
        // cannot start a value of the cell opens nothing.
        if (plain && key >= 32 && key != 0x7F && refusesFirstKey(current, QString(QChar(key)))) {
            QApplication::beep();
            event->accept();
            return;
        }
    }
    // The view hands the key to the editor it opens: it was raised already.
    QKeyEvent replaced(event->type(), event->key(), event->modifiers(),
                       QString(QChar(char16_t(key > 0 ? key : 0))));
    QKeyEvent* handed = key >= 32 && key != typedKey(event) ? &replaced : event;
    m_forwardedKey = handed;
    QTableWidget::keyPressEvent(handed);
    m_forwardedKey = nullptr;
    event->setAccepted(handed->isAccepted());
}

bool Grid::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && viewport()->isAncestorOf(widget)) {
        if (event->type() == QEvent::FocusIn) {
            becomeActiveGrid();
        } else if (event->type() == QEvent::Show && widget->property("caretAtEnd").toBool()) {
            // A text opened for changing: the caret after it, nothing selected.
            widget->setProperty("caretAtEnd", false);
            if (auto* line = qobject_cast<QLineEdit*>(widget)) {
                line->deselect();
                line->end(false);
            }
        } else if (event->type() == QEvent::ShortcutOverride) {
            // Undo and redo keys the editor has nothing for go to the window
            // (the page's undo of its cells).
            auto* keyEvent = static_cast<QKeyEvent*>(event);
            const bool undo = keyEvent->matches(QKeySequence::Undo);
            const bool redo =
                keyEvent->matches(QKeySequence::Redo) ||
                keyEvent->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
                keyEvent->keyCombination() ==
                    QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
            if (undo || redo) {
                bool available = false;
                if (auto* line = qobject_cast<QLineEdit*>(widget))
                    available = undo ? line->isUndoAvailable() : line->isRedoAvailable();
                else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
                    available = undo ? plain->document()->isUndoAvailable()
                                     : plain->document()->isRedoAvailable();
                if (!available) {
                    event->ignore();
                    return true;
                }
            }
        } else if (event->type() == QEvent::KeyPress && event != m_forwardedKey) {
            auto* keyEvent = static_cast<QKeyEvent*>(event);
            const int key = raiseKeyPress(keyEvent);
            if (key == 0)
                return true;
            if (key >= 32 && key != 0x7F && key != typedKey(keyEvent)) {
                QKeyEvent replaced(keyEvent->type(), keyEvent->key(), keyEvent->modifiers(),
                                   QString(QChar(char16_t(key))));
                m_forwardedKey = &replaced;
                QCoreApplication::sendEvent(widget, &replaced);
                m_forwardedKey = nullptr;
                return true;
            }
        }
    }
    return QTableWidget::eventFilter(watched, event);
}

// --- the open editor -------------------------------------------------------------

QString Grid::editorText(QWidget* editor) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        return combo->currentText();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(editor))
        return plain->toPlainText();
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        return line->text();
    return QString();
}

bool Grid::editorAccepted(QWidget* editor) {
    if (editor != m_editor || !m_editorIndex.isValid())
        return true;
    const QTableWidgetItem* cell = item(m_editorIndex.row(), m_editorIndex.column());
    QString text = editorText(editor);
    return !cell || text == cell->text() || acceptEntry(formatOf(cell), text, cell->text());
}

// A refused entry stays in its editor, to be put right or given up with
// Escape: once the click or key that left it is done, the editor's cell is
// the chosen one again, the editor has the focus, and the refusal is said
// (once, though a click both moves the focus and chooses another cell).
void Grid::keepRefusedEntry(QWidget* editor) {
    if (m_refusalPending || !isVisible())
        return;
    m_refusalPending = true;
    const QPointer<QWidget> kept(editor);
    const QPersistentModelIndex cell = m_editorIndex;
    QMetaObject::invokeMethod(
        this,
        [this, kept, cell] {
            m_refusalPending = false;
            if (!kept || !cell.isValid() || kept != m_editor)
                return;
            if (currentIndex() != cell)
                selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
            // cppcheck-suppress nullPointerRedundantCheck ; kept was checked above; it is asked
            // again below because, a QPointer, it is null once the editor is deleted meanwhile
            kept->setFocus();
            refuse(cell.column() + 1, cell.row() + 1, editorText(kept));
            // The message over the window took the focus, and the view gave
            // it to itself as the editor lost it: back to the entry.
            if (kept)
                kept->setFocus();
        },
        Qt::QueuedConnection);
}

void Grid::finishEdit(QWidget* editor, int move) {
    if (m_refusing)
        return;
    if (!editorAccepted(editor)) {
        keepRefusedEntry(editor);
        return;
    }
    QTableWidget::commitData(editor);
    QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (move != 0)
        moveToEntry(move > 0);
}

void Grid::commitData(QWidget* editor) {
    if (m_refusing)
        return;
    if (!editorAccepted(editor)) {
        m_keptEditor = editor;
        keepRefusedEntry(editor);
        return;
    }
    QTableWidget::commitData(editor);
}

void Grid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (m_refusing)
        return;
    bool keep = editor && editor == m_keptEditor;
    m_keptEditor = nullptr;
    // An editor closed without its text committed (the delegate commits no
    // entry it cannot check): committed here when the cell takes it, kept
    // otherwise. Escape gives the entry up.
    if (!keep && editor && editor == m_editor && hint != QAbstractItemDelegate::RevertModelCache &&
        m_editorIndex.isValid()) {
        const QTableWidgetItem* cell = item(m_editorIndex.row(), m_editorIndex.column());
        if (cell && editorText(editor) != cell->text()) {
            if (editorAccepted(editor))
                QTableWidget::commitData(editor);
            else
                keep = true;
        }
    }
    if (keep && isVisible()) {
        keepRefusedEntry(editor);
        return;
    }
    QTableWidget::closeEditor(editor, hint);
}
