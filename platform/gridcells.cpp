// The cells' rules (what a cell takes), their editors, and the delegate that
// draws them and takes the mouse on check-box and button cells.
#include "platform/grid.h"

#include "platform/colors.h"
#include "platform/entryguard.h"
#include "platform/gridprivate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStyledItemDelegate>
#include <QTextLayout>
#include <QValidator>
#include <algorithm>
#include <climits>

using namespace gridimpl;

namespace {

QStringList comboItems(const QString& tabList) {
    QStringList items = tabList.split(QLatin1Char('\t'));
    while (!items.isEmpty() && items.last().isEmpty())
        items.removeLast();
    return items;
}

// A whole number from min to max, or nothing; a number still too short for
// the range may be on its way.
class IntegerValidator : public QValidator {
public:
    IntegerValidator(int min, int max, QObject* parent)
        : QValidator(parent), m_min(min), m_max(max) {}
    State validate(QString& input, int&) const override {
        const QString t = input.trimmed();
        if (input.isEmpty())
            return Acceptable;
        if (t.isEmpty())
            return Invalid; // blanks alone are no number
        static const QRegularExpression number(QStringLiteral("^-?[0-9]+$"));
        if (!number.match(t).hasMatch())
            return t == QLatin1String("-") && m_min < 0 ? Intermediate : Invalid;
        bool ok = false;
        const qlonglong v = t.toLongLong(&ok);
        if (ok && v >= m_min && v <= m_max)
            return Acceptable;
        const int digits =
            int(std::max(QString::number(m_min).size(), QString::number(m_max).size()));
        return ok && t.size() < digits ? Intermediate : Invalid;
    }

private:
    int m_min, m_max;
};

// The characters of a date as day/month/year or year-month-day.
class DateValidator : public QValidator {
public:
    explicit DateValidator(QObject* parent) : QValidator(parent) {}
    State validate(QString& input, int&) const override {
        static const QRegularExpression chars(QStringLiteral("^[0-9/\\-. ]{0,10}$"));
        return chars.match(input).hasMatch() ? Intermediate : Invalid;
    }
};

// A text of at most max characters; one that came longer into the editor
// (stored before the limit) may stay as long, not grow.
class LengthValidator : public QValidator {
public:
    LengthValidator(int max, int start, QObject* parent)
        : QValidator(parent), m_max(std::max(max, start)) {}
    State validate(QString& input, int&) const override {
        return input.size() <= m_max ? Acceptable : Invalid;
    }

private:
    int m_max;
};

// The multi-line editor: Tab never enters the text, and typed or pasted text
// that would make it longer than the cell takes is refused whole.
class MultiLineEditor : public QPlainTextEdit {
public:
    MultiLineEditor(int maxLength, std::function<void(const QString&)> say, QWidget* parent)
        : QPlainTextEdit(parent), m_max(maxLength), m_say(std::move(say)) {
        setTabChangesFocus(true);
    }
    void setStartLength(int length) { m_start = length; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const QString text = event->text();
        // A character, or a line break, that would make the text too long.
        const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (!text.isEmpty() && (text.at(0) >= QChar(' ') || lineBreak) &&
            text.at(0) != QChar(0x7F) &&
            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
            lengthAfter(lineBreak ? 1 : text.size()) > limit()) {
            QApplication::beep();
            event->accept();
            // Said once while the editor is open.
            if (!m_toldLimit) {
                m_toldLimit = true;
                m_say(entryguard::typingRefusal(limit(), QStringLiteral("cell")));
            }
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }
    void insertFromMimeData(const QMimeData* source) override {
        if (source && source->hasText()) {
            const QString text = source->text();
            const QString why = entryguard::pasteRefusal(
                text, lengthAfter(text.size()), m_max > 0 ? limit() : 0, QStringLiteral("cell"));
            if (!why.isEmpty()) {
                QApplication::beep();
                m_say(why);
                return;
            }
        }
        QPlainTextEdit::insertFromMimeData(source);
    }

private:
    int limit() const { return m_max > 0 ? std::max(m_max, m_start) : INT_MAX; }
    qsizetype lengthAfter(qsizetype added) const {
        return toPlainText().size() - textCursor().selectedText().size() + added;
    }
    int m_max;
    std::function<void(const QString&)> m_say;
    int m_start = 0;
    bool m_toldLimit = false;
};

// Drop-down lists open as a list of the cell's number of visible items, not
// as a menu of all of them.
class ListPopupStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The colour of a cell's text: its own, or where that is a system colour on a
// background of the grid's, the one that goes with the background.
QColor cellTextColor(const GridCellFormat& fmt) {
    if ((fmt.foreColor & 0x80000000u) && !(fmt.backColor & 0x80000000u))
        return textColorOn(toQColor(fmt.backColor));
    return toQColor(fmt.foreColor);
}

} // namespace

// ---------------------------------------------------------------------------
// The cells' editors and looks, and the mouse on check-box and button cells.

class Grid::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(Grid* grid) : QStyledItemDelegate(grid), m_grid(grid) {
        m_listStyle = new ListPopupStyle;
        m_listStyle->setParent(this);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        const GridCellFormat fmt = m_grid->formatAt(index.row(), index.column());
        if (fmt.locked)
            return nullptr;
        const QString text = index.data(Qt::EditRole).toString();
        QWidget* editor = nullptr;
        if (fmt.type == GridCellType::ComboBox) {
            auto* combo = new QComboBox(parent);
            combo->setStyle(m_listStyle);
            combo->setEditable(fmt.comboEditable);
            // A blank entry first: choosing it clears the cell.
            if (!fmt.comboEditable)
                combo->addItem(QString());
            combo->addItems(comboItems(fmt.comboList));
            combo->setMaxVisibleItems(fmt.comboMaxDrop > 0 ? fmt.comboMaxDrop : 6);
            if (fmt.comboWidth > 0)
                combo->view()->setMinimumWidth(fmt.comboWidth);
            Grid* grid = m_grid;
            if (QLineEdit* line = combo->lineEdit()) {
                line->installEventFilter(m_grid);
                guardLine(line, combo, fmt, text);
                QObject::connect(line, &QLineEdit::textEdited, grid,
                                 [grid, combo] { grid->editorEdited(combo); });
            } else {
                QObject::connect(combo, &QComboBox::currentIndexChanged, grid, [grid, combo] {
                    if (!grid->m_fillingEditor)
                        grid->editorEdited(combo);
                });
            }
            // A choice from the list takes effect at once.
            auto* self = const_cast<Delegate*>(this);
            QObject::connect(combo, &QComboBox::activated, self,
                             [self, combo] { emit self->commitData(combo); });
            editor = combo;
        } else if (fmt.type == GridCellType::Edit && fmt.multiLine) {
            Grid* grid = m_grid;
            auto* edit = new MultiLineEditor(
                fmt.maxLength,
                [grid](const QString& message) { grid->sayAtEditor(grid->m_editor, message); },
                parent);
            edit->setStartLength(int(text.size()));
            QObject::connect(edit, &QPlainTextEdit::textChanged, grid, [grid, edit] {
                if (!grid->m_fillingEditor)
                    grid->editorEdited(edit);
            });
            editor = edit;
        } else if (holdsText(fmt)) {
            auto* edit = new QLineEdit(parent);
            edit->setFrame(false);
            if (fmt.type == GridCellType::Integer)
                edit->setValidator(new IntegerValidator(fmt.minValue, fmt.maxValue, edit));
            else if (fmt.type == GridCellType::Date)
                edit->setValidator(new DateValidator(edit));
            else if (fmt.maxLength > 0)
                edit->setValidator(new LengthValidator(fmt.maxLength, int(text.size()), edit));
            QObject::connect(edit, &QLineEdit::inputRejected, edit, [] { QApplication::beep(); });
            guardLine(edit, edit, fmt, text);
            Grid* grid = m_grid;
            QObject::connect(edit, &QLineEdit::textEdited, grid,
                             [grid, edit] { grid->editorEdited(edit); });
            editor = edit;
        }
        if (editor) {
            editor->installEventFilter(m_grid);
            m_grid->m_editor = editor;
            m_grid->m_editorIndex = index;
            m_grid->m_editStarted = false;
        }
        return editor;
    }

    // A one-line editor's pastes, and keys typed past its limit, are said as
    // the cell's (editor: the cell's editor that line belongs to).
    void guardLine(QLineEdit* line, QWidget* editor, const GridCellFormat& fmt,
                   const QString& text) const {
        const bool limited = fmt.type == GridCellType::Edit ||
                             (fmt.type == GridCellType::ComboBox && fmt.comboEditable);
        const int limit =
            limited && fmt.maxLength > 0 ? std::max(fmt.maxLength, int(text.size())) : 0;
        Grid* grid = m_grid;
        const QPointer<QWidget> owner(editor);
        entryguard::guardBox(
            line,
            [grid, owner](const QString& message) {
                if (owner)
                    grid->sayAtEditor(owner, message);
            },
            [limit] { return limit; }, QStringLiteral("cell"));
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        // A key typed on the cell starts its text afresh; a double click or F2
        // opens the text with the caret after it.
        // (The cell's text is in the editor, chosen, so that the key replaces
        // it and the editor's own undo brings it back.)
        const bool fresh = m_grid->m_opening == QAbstractItemView::AnyKeyPressed;
        const QString text = index.data(Qt::EditRole).toString();
        m_grid->m_fillingEditor = true;
        const auto filled = qScopeGuard([this] { m_grid->m_fillingEditor = false; });
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            if (combo->isEditable())
                combo->setEditText(text);
            else
                combo->setCurrentIndex(std::max(0, combo->findText(text)));
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(editor)) {
            plain->setPlainText(text);
            if (fresh)
                plain->selectAll();
            else
                plain->moveCursor(QTextCursor::End);
        } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setText(text);
            // The view selects a line editor's text once it is filled.
            if (fresh)
                line->selectAll();
            else
                line->setProperty("caretAtEnd", true);
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        const QString text = m_grid->editorText(editor);
        if (text == index.data(Qt::EditRole).toString())
            return; // nothing changed: no Change
        model->setData(index, text, Qt::EditRole);
    }

    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool plainKey = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
            // Tab and Shift+Tab leave the cell for the next or previous entry
            // cell and never enter a text.
            if (key->key() == Qt::Key_Tab && plainKey && !(key->modifiers() & Qt::ShiftModifier)) {
                m_grid->finishEdit(editor, 1);
                return true;
            }
            if (key->key() == Qt::Key_Backtab ||
                (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier))) {
                m_grid->finishEdit(editor, -1);
                return true;
            }
            // Enter ends a one-line entry (a multi-line cell takes line breaks).
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                qobject_cast<QLineEdit*>(editor)) {
                if (m_grid->raiseKeyPress(key) == 0)
                    return true;
                m_grid->finishEdit(editor, 0);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        const GridCellFormat fmt = m_grid->formatAt(index.row(), index.column());
        if (fmt.type != GridCellType::CheckBox && fmt.type != GridCellType::Button)
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        bool act = false;
        switch (event->type()) {
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            act = mouse->button() == Qt::LeftButton &&
                  option.rect.contains(mouse->position().toPoint());
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Space && key != Qt::Key_Select)
                return false;
            act = true;
            break;
        }
        default:
            return false;
        }
        // A click on the cell makes it the current one, as on any other cell.
        if (act && event->type() == QEvent::MouseButtonRelease)
            m_grid->setCurrentIndex(index);
        if (act && !fmt.locked) {
            if (fmt.type == GridCellType::CheckBox) {
                const bool ticked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
                model->setData(index, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
            } else {
                emit m_grid->ButtonClicked(index.column() + 1, index.row() + 1, 1);
            }
        }
        return true;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const GridCellFormat fmt = m_grid->formatAt(index.row(), index.column());
        if (fmt.type == GridCellType::Button) {
            QStyleOptionButton button;
            button.rect = option.rect.adjusted(1, 1, -1, -1);
            button.text = fmt.caption;
            button.state = QStyle::State_Enabled | QStyle::State_Raised;
            button.palette = option.palette;
            m_grid->style()->drawControl(QStyle::CE_PushButton, &button, painter, m_grid);
            return;
        }
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.text = m_grid->shownText(index.column() + 1, index.row() + 1);
        if (m_grid->heldOnly(index.row(), index.column())) {
            // A cell of the rows given: its column's look.
            opt.backgroundBrush = toQColor(fmt.backColor);
        }
        if (!m_grid->showsSelection())
            opt.state &= ~QStyle::State_Selected;
        // The cells' backgrounds are the grid's own, not the palette's: their
        // texts take the colours that go with them, whatever the palette.
        opt.palette.setColor(QPalette::Text, cellTextColor(fmt));
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            opt.palette.setColor(group, QPalette::HighlightedText,
                                 textColorOn(opt.palette.color(group, QPalette::Highlight)));
        }
        QStyle* style = m_grid->style();
        if (fmt.type == GridCellType::CheckBox) {
            style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, m_grid);
            return;
        }
        // The background, selection and focus as the style draws them; the
        // text wrapped and padded as the grid measures it (and prints it).
        const QString text = opt.text;
        opt.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, m_grid);
        const double pad = kCellPadTwips / kTwipsPerPixel;
        // The cell less its grid line: the text keeps the measured width.
        QRectF textRect = QRectF(option.rect).adjusted(pad, pad, 1 - pad, 1 - pad);
        const bool arrow = fmt.type == GridCellType::ComboBox && !fmt.locked;
        if (fmt.type == GridCellType::ComboBox)
            textRect.setRight(textRect.right() - kIndicatorTwips / kTwipsPerPixel);
        painter->save();
        QFont font = m_grid->font();
        font.setBold(fmt.bold);
        painter->setFont(font);
        const QPalette::ColorGroup group =
            (opt.state & QStyle::State_Active) ? QPalette::Normal : QPalette::Inactive;
        painter->setPen(opt.palette.color(group, (opt.state & QStyle::State_Selected)
                                                     ? QPalette::HighlightedText
                                                     : QPalette::Text));
        // The lines as the grid measures and prints them, centred in the
        // cell's height while they fit it, from its top otherwise.
        if (const auto set =
                Grid::setInLines(text, font, textRect.width(), nullptr, Qt::AlignLeft)) {
            const QTextLine last = set->lineAt(set->lineCount() - 1);
            const double height = last.y() + last.height();
            const double top = textRect.top() + std::max(0.0, (textRect.height() - height) / 2);
            painter->setClipRect(option.rect);
            set->draw(painter, QPointF(textRect.left(), top));
        }
        if (arrow) {
            // A drop-down cell shows its arrow.
            const int w = int(kIndicatorTwips / kTwipsPerPixel);
            QStyleOption arrowOption;
            arrowOption.initFrom(m_grid);
            arrowOption.rect =
                QRect(option.rect.right() - w, option.rect.center().y() - w / 2, w, w);
            style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrowOption, painter, m_grid);
        }
        painter->restore();
    }

private:
    Grid* m_grid;
    QStyle* m_listStyle;
};

QAbstractItemDelegate* Grid::newDelegate() {
    return new Delegate(this);
}

bool Grid::acceptDate(const GridCellFormat& fmt, QString& text) {
    text = text.trimmed();
    if (text.isEmpty())
        return true;
    QDate date = QDate::fromString(text, QStringLiteral("d/M/yyyy"));
    if (!date.isValid())
        date = QDate::fromString(text, QStringLiteral("yyyy-M-d"));
    if (!date.isValid() || (fmt.dateMin.isValid() && date < fmt.dateMin) ||
        (fmt.dateMax.isValid() && date > fmt.dateMax))
        return false;
    text = date.toString(QStringLiteral("dd/MM/yyyy"));
    return true;
}

bool Grid::acceptEntry(const GridCellFormat& fmt, QString& text, const QString& old) {
    // A control character the tables cannot keep is refused in every cell.
    if (entryguard::controlCharacter(text))
        return false;
    switch (fmt.type) {
    case GridCellType::Date:
        return acceptDate(fmt, text);
    case GridCellType::Integer: {
        const QString t = text.trimmed();
        if (t.isEmpty()) {
            text.clear();
            return true;
        }
        int pos = 0;
        QString copy = t;
        if (IntegerValidator(fmt.minValue, fmt.maxValue, nullptr).validate(copy, pos) !=
            QValidator::Acceptable)
            return false;
        text = QString::number(t.toInt());
        return true;
    }
    case GridCellType::ComboBox:
        if (!fmt.comboEditable) {
            if (text.trimmed().isEmpty()) {
                text.clear();
                return true;
            }
            for (const QString& item : comboItems(fmt.comboList)) {
                if (item.compare(text.trimmed(), Qt::CaseInsensitive) == 0) {
                    text = item;
                    return true;
                }
            }
            return false;
        }
        [[fallthrough]];
    case GridCellType::Edit:
        // Longer than the cell takes: refused, unless it was as long before.
        return fmt.maxLength <= 0 || text.size() <= std::max<qsizetype>(fmt.maxLength, old.size());
    default:
        return true;
    }
}

bool Grid::refusesFirstKey(const QModelIndex& index, const QString& typed) const {
    const GridCellFormat fmt = formatAt(index.row(), index.column());
    if (fmt.locked)
        return false;
    QString text = typed;
    int pos = int(text.size());
    if (fmt.type == GridCellType::Integer)
        return IntegerValidator(fmt.minValue, fmt.maxValue, nullptr).validate(text, pos) ==
               QValidator::Invalid;
    if (fmt.type == GridCellType::Date)
        return DateValidator(nullptr).validate(text, pos) == QValidator::Invalid;
    return false;
}
