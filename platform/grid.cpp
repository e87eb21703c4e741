#include "platform/grid.h"

#include "platform/colors.h"
#include "platform/entryguard.h"
#include "platform/gridaccessible.h"
#include "platform/printer.h"
#include "platform/textlines.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetricsF>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QTextLayout>
#include <QValidator>
#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(GridCellFormat)

namespace {

constexpr int FormatRole = Qt::UserRole + 1;
constexpr double kColUnitPixels = 7;       // 105 twips
constexpr double kRowUnitPixels = 4.0 / 3; // a point at 96 pixels an inch
constexpr double kTwipsPerPixel = 15;
constexpr double kCellPadTwips = 40;
// The room a check box or a drop-down arrow takes beside a cell's text.
constexpr double kIndicatorTwips = 240;

// The grid of the window that the user worked in last: of a window's grids
// only it shows its selection.
QPointer<Grid> s_activeGrid;

GridCellFormat formatOf(const QTableWidgetItem* item) {
    return item ? item->data(FormatRole).value<GridCellFormat>() : GridCellFormat{};
}

bool isTicked(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && v != 0;
}

QStringList comboItems(const QString& tabList) {
    QStringList items = tabList.split(QLatin1Char('\t'));
    while (!items.isEmpty() && items.last().isEmpty())
        items.removeLast();
    return items;
}

// Cells whose text the user types, pastes or clears.
bool holdsText(const GridCellFormat& fmt) {
    return fmt.type == GridCellType::Edit || fmt.type == GridCellType::Integer ||
           fmt.type == GridCellType::Date || fmt.type == GridCellType::ComboBox;
}

// Keeps the program's own changes from being taken for the user's.
struct Silence {
    explicit Silence(int& counter) : m_counter(counter) { ++m_counter; }
    ~Silence() { --m_counter; }
    int& m_counter;
};

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
// A cell: the user's text reaches it only when the cell takes it whole.

class GridItem : public QTableWidgetItem {
public:
    GridItem() : QTableWidgetItem(QTableWidgetItem::UserType) {}
    QTableWidgetItem* clone() const override { return new GridItem(*this); }

    void setData(int role, const QVariant& value) override {
        auto* grid = qobject_cast<Grid*>(tableWidget());
        if (grid && grid->m_silent == 0 && (role == Qt::EditRole || role == Qt::DisplayRole)) {
            const GridCellFormat fmt = formatOf(this);
            if (holdsText(fmt)) {
                QString text = value.toString();
                const QString before = QTableWidgetItem::text();
                if (grid->m_restoring == 0) {
                    if (!Grid::acceptEntry(fmt, text, before)) {
                        grid->refuse(column() + 1, row() + 1, value.toString());
                        return;
                    }
                    grid->m_editBefore = before;
                }
                QTableWidgetItem::setData(role, text);
                grid->m_editBefore.reset();
                return;
            }
        }
        QTableWidgetItem::setData(role, value);
    }
};

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
        const int limit = limited && fmt.maxLength > 0 ? std::max(fmt.maxLength, int(text.size()))
                                                       : 0;
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
            const QString cell = index.data(Qt::EditRole).toString();
            if (combo->isEditable())
                combo->setEditText(cell);
            else
                combo->setCurrentIndex(std::max(0, combo->findText(cell)));
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

// ---------------------------------------------------------------------------

Grid::Grid(QWidget* parent) : QTableWidget(parent) {
    installGridAccessibility();
    setItemPrototype(new GridItem);
    setItemDelegate(new Delegate(this));
    verticalHeader()->hide();
    horizontalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(qRound(kGridDefaultRowHeight * kRowUnitPixels));
    // No editor opens a moment after a click: a click chooses the cell, and
    // the keys typed at once go to the editor the first of them opens.
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(true);
    // Tab goes from entry cell to entry cell, then on to the next control.
    setTabKeyNavigation(false);
    // A row taller than the view is read to its end.
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(this, &QTableWidget::itemChanged, this, &Grid::onItemChanged);
    connect(this, &QTableWidget::cellClicked, this,
            [this](int row, int column) { emit Click(column + 1, row + 1); });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { emit Click(column + 1, 0); });
}

Grid::~Grid() = default;

// --- size and design -------------------------------------------------------

int Grid::MaxRows() const {
    return rowCount();
}

void Grid::setMaxRows(int rows) {
    Silence quiet(m_silent);
    rows = std::max(0, rows);
    const int old = rowCount();
    if (m_heldRows.size() > rows)
        m_heldRows.resize(rows);
    setRowCount(rows);
    m_designedHeights.resize(rows, verticalHeader()->defaultSectionSize());
    for (int r = old + 1; r <= rows; ++r)
        prepareRow(r);
    fitVerticalScrollBar();
}

int Grid::MaxCols() const {
    return columnCount();
}

void Grid::setMaxCols(int cols) {
    Silence quiet(m_silent);
    cols = std::max(0, cols);
    const int old = columnCount();
    setColumnCount(cols);
    m_columnFormats.resize(cols);
    m_colWidths.resize(cols);
    for (int c = old + 1; c <= cols; ++c) {
        setHorizontalHeaderItem(c - 1, new QTableWidgetItem);
        SetColWidth(c, kGridDefaultColWidth);
        for (int r = 1; r <= rowCount(); ++r) {
            auto* item = new GridItem;
            setItem(r - 1, c - 1, item);
            applyFormat(item, m_columnFormats[c - 1]);
        }
    }
}

void Grid::setColumns(const QList<GridColumn>& columns) {
    setMaxCols(int(columns.size()));
    bool anyHeader = false;
    for (int c = 1; c <= int(columns.size()); ++c) {
        const GridColumn& column = columns[c - 1];
        SetText(c, 0, column.header);
        anyHeader = anyHeader || !column.header.isEmpty();
        SetColWidth(c, column.width);
        shape(Block(c, -1), [&](GridCellFormat& f) {
            f.type = column.type;
            f.maxLength = column.maxLength;
            f.multiLine = column.multiLine;
            f.locked = column.locked;
        });
    }
    setColHeadersShown(anyHeader);
}

void Grid::setColHeadersShown(bool shown) {
    horizontalHeader()->setVisible(shown);
}

bool Grid::colHeadersShown() const {
    return !horizontalHeader()->isHidden();
}

void Grid::SetColWidth(int col, double width) {
    if (col < 1 || col > columnCount())
        return;
    m_colWidths[col - 1] = std::max(0.0, width);
    if (width <= 0) {
        setColumnHidden(col - 1, true);
    } else {
        setColumnHidden(col - 1, false);
        setColumnWidth(col - 1, qRound(width * kColUnitPixels));
    }
    fitRows();
}

double Grid::ColWidth(int col) const {
    return col >= 1 && col <= columnCount() ? m_colWidths[col - 1] : 0;
}

void Grid::SetRowHeight(int row, double height) {
    if (row < 1 || row > rowCount())
        return;
    const int pixels = std::max(1, int(std::lround(height * kRowUnitPixels)));
    m_designedHeights[row - 1] = pixels;
    fitRows(row, row);
}

double Grid::RowHeight(int row) const {
    if (row < 1 || row > rowCount())
        return 0;
    return rowHeight(row - 1) / kRowUnitPixels;
}

void Grid::setRowsFitText(bool fit) {
    m_fitText = fit;
    fitRows();
}

void Grid::setVerticalScrollBarPolicy(Qt::ScrollBarPolicy policy) {
    m_vPolicy = policy;
    QAbstractScrollArea::setVerticalScrollBarPolicy(policy);
    fitVerticalScrollBar();
}

void Grid::AddCellSpan(int col, int row, int numCols, int numRows) {
    if (col < 1 || row < 1 || col > columnCount() || row > rowCount())
        return;
    numCols = std::clamp(numCols, 1, columnCount() - col + 1);
    numRows = std::clamp(numRows, 1, rowCount() - row + 1);
    if (numCols > 1 || numRows > 1)
        setSpan(row - 1, col - 1, numRows, numCols);
    fitRows(row, row + numRows - 1);
}

void Grid::setFixedText(int col, int row, const QString& text, int colSpan, int rowSpan) {
    SetText(col, row, text);
    setLocked(Block(col, row), true);
    AddCellSpan(col, row, colSpan, rowSpan);
}

void Grid::setCheckBox(int col, int row, const QString& caption, bool ticked) {
    shape(Block(col, row), [&](GridCellFormat& f) {
        f.type = GridCellType::CheckBox;
        f.caption = caption;
    });
    SetInteger(col, row, ticked ? 1 : 0);
}

void Grid::setButton(int col, int row, const QString& caption) {
    shape(Block(col, row), [&](GridCellFormat& f) {
        f.type = GridCellType::Button;
        f.caption = caption;
    });
}

void Grid::setComboBox(Block block, const QString& tabList, bool editable, int dropWidth) {
    shape(block, [&](GridCellFormat& f) {
        f.type = GridCellType::ComboBox;
        f.comboList = tabList;
        f.comboEditable = editable;
        f.comboWidth = dropWidth;
    });
}

void Grid::setComboList(Block block, const QString& tabList) {
    shape(block, [&](GridCellFormat& f) { f.comboList = tabList; });
}

void Grid::setEditCell(Block block, int maxLength, bool multiLine) {
    shape(block, [&](GridCellFormat& f) {
        f.type = GridCellType::Edit;
        f.maxLength = maxLength;
        f.multiLine = multiLine;
    });
}

void Grid::setDateCell(Block block, const QDate& min, const QDate& max) {
    shape(block, [&](GridCellFormat& f) {
        f.type = GridCellType::Date;
        f.dateMin = min;
        f.dateMax = max;
    });
}

void Grid::setIntegerCell(Block block, int min, int max) {
    shape(block, [&](GridCellFormat& f) {
        f.type = GridCellType::Integer;
        f.minValue = min;
        f.maxValue = max;
    });
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

void Grid::setLocked(Block block, bool locked) {
    shape(block, [&](GridCellFormat& f) { f.locked = locked; });
}

void Grid::setCellForeColor(Block block, quint32 color) {
    shape(block, [&](GridCellFormat& f) { f.foreColor = color; });
}

void Grid::setCellBackColor(Block block, quint32 color) {
    shape(block, [&](GridCellFormat& f) { f.backColor = color; });
}

void Grid::setCellBold(Block block, bool bold) {
    shape(block, [&](GridCellFormat& f) { f.bold = bold; });
}

void Grid::setMaxLength(Block block, int maxLength) {
    shape(block, [&](GridCellFormat& f) { f.maxLength = maxLength; });
}

void Grid::setMultiLine(Block block, bool multiLine) {
    shape(block, [&](GridCellFormat& f) { f.multiLine = multiLine; });
}

GridCellFormat Grid::cellFormat(int col, int row) const {
    if (col < 1 || row < 1 || col > columnCount() || row > rowCount())
        return GridCellFormat{};
    return formatAt(row - 1, col - 1);
}

// --- cell values -------------------------------------------------------------

void Grid::SetText(int col, int row, const QString& text) {
    Silence quiet(m_silent);
    if (row == 0) {
        if (col >= 1 && col <= columnCount())
            horizontalHeaderItem(col - 1)->setText(text);
        return;
    }
    QTableWidgetItem* item = cellItem(col, row);
    if (!item)
        return;
    const GridCellFormat fmt = formatOf(item);
    if (fmt.type == GridCellType::CheckBox)
        item->setCheckState(isTicked(text) ? Qt::Checked : Qt::Unchecked);
    else if (fmt.type != GridCellType::Button)
        item->setText(text);
    fitRows(row, row);
}

QString Grid::GetText(int col, int row) const {
    if (row == 0)
        return col >= 1 && col <= columnCount() ? horizontalHeaderItem(col - 1)->text() : QString();
    if (heldOnly(row - 1, col - 1)) {
        const GridCellFormat fmt = m_columnFormats.value(col - 1);
        if (fmt.type == GridCellType::CheckBox)
            return QStringLiteral("0");
        return fmt.type == GridCellType::Button ? QString() : heldText(row - 1, col - 1);
    }
    const QTableWidgetItem* item = cellItem(col, row);
    if (!item)
        return QString();
    const GridCellFormat fmt = formatOf(item);
    if (fmt.type == GridCellType::CheckBox)
        return item->checkState() == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0");
    if (fmt.type == GridCellType::Button)
        return QString();
    return item->text();
}

QString Grid::shownText(int col, int row) const {
    if (col < 1 || col > columnCount() || row < 0 || row > rowCount())
        return QString();
    if (row == 0)
        return horizontalHeaderItem(col - 1)->text();
    if (heldOnly(row - 1, col - 1))
        return heldText(row - 1, col - 1);
    const QTableWidgetItem* cell = item(row - 1, col - 1);
    if (!cell)
        return QString();
    const GridCellFormat fmt = formatOf(cell);
    if (fmt.type == GridCellType::Button || fmt.type == GridCellType::CheckBox)
        return fmt.caption;
    return cell->text();
}

void Grid::SetInteger(int col, int row, int value) {
    SetText(col, row, QString::number(value));
}

int Grid::GetInteger(int col, int row) const {
    bool ok = false;
    const double value = GetText(col, row).trimmed().toDouble(&ok);
    return ok ? int(std::lround(value)) : 0;
}

void Grid::ClearRange(int col, int row, int col2, int row2, bool) {
    Silence quiet(m_silent);
    forEachItem(Block(col, row, col2, row2), [](QTableWidgetItem* item) {
        const GridCellFormat fmt = formatOf(item);
        if (fmt.type == GridCellType::CheckBox)
            item->setCheckState(Qt::Unchecked);
        else if (fmt.type != GridCellType::Button)
            item->setText(QString());
    });
    fitRows(std::min(row, row2), std::max(row, row2));
}

void Grid::DeleteRows(int row, int count) {
    Silence quiet(m_silent);
    const int total = rowCount();
    if (row < 1 || row > total || count < 1)
        return;
    count = std::min(count, total - row + 1);
    if (row - 1 < m_heldRows.size())
        m_heldRows.remove(row - 1, std::min<qsizetype>(count, m_heldRows.size() - (row - 1)));
    for (int i = 0; i < count; ++i) {
        removeRow(row - 1);
        m_designedHeights.removeAt(row - 1);
    }
    for (int i = 0; i < count; ++i) {
        insertRow(rowCount());
        m_designedHeights.append(verticalHeader()->defaultSectionSize());
        prepareRow(rowCount());
    }
    fitVerticalScrollBar();
}

int Grid::SearchRow(int row, int colFirst, int colLast, const QString& text, int flags) const {
    if (row < 1 || row > rowCount())
        return -1;
    for (int c = std::max(1, colFirst); c <= std::min(colLast, columnCount()); ++c) {
        const QString cell = GetText(c, row);
        const bool match = (flags & SearchFlagsPartialMatch)
                               ? cell.startsWith(text, Qt::CaseInsensitive)
                               : cell.compare(text, Qt::CaseInsensitive) == 0;
        if (match)
            return c;
    }
    return -1;
}

// --- active cell -------------------------------------------------------------

void Grid::SetActiveCell(int col, int row) {
    if (col >= 1 && row >= 1 && col <= columnCount() && row <= rowCount())
        setCurrentCell(row - 1, col - 1);
}

int Grid::ActiveRow() const {
    return currentRow() >= 0 ? currentRow() + 1 : 1;
}

int Grid::ActiveCol() const {
    return currentColumn() >= 0 ? currentColumn() + 1 : 1;
}

void Grid::ClearActiveCell() {
    if (state() == EditingState && m_editor)
        QTableWidget::closeEditor(m_editor, QAbstractItemDelegate::RevertModelCache);
    selectionModel()->clear();
}

void Grid::ShowRowSelected(int row) {
    if (row < 1 || row > rowCount() || columnCount() == 0) {
        selectionModel()->clearSelection();
        return;
    }
    const QItemSelection cells(model()->index(row - 1, 0),
                               model()->index(row - 1, columnCount() - 1));
    selectionModel()->select(cells, QItemSelectionModel::ClearAndSelect);
}

bool Grid::showsSelection() const {
    return !s_activeGrid || s_activeGrid == this || s_activeGrid->window() != window();
}

void Grid::becomeActiveGrid() {
    if (s_activeGrid == this)
        return;
    Grid* before = s_activeGrid;
    s_activeGrid = this;
    if (before)
        before->viewport()->update();
    viewport()->update();
}

// --- cells and shapes ----------------------------------------------------------

QTableWidgetItem* Grid::cellItem(int col, int row) const {
    if (col < 1 || row < 1 || col > columnCount() || row > rowCount())
        return nullptr;
    return itemAt(row - 1, col - 1);
}

bool Grid::heldOnly(int row, int column) const {
    return row >= 0 && row < m_heldRows.size() && column >= 0 && column < columnCount() &&
           !item(row, column);
}

QString Grid::heldText(int row, int column) const {
    return m_heldRows.value(row).value(column);
}

GridCellFormat Grid::formatAt(int row, int column) const {
    if (heldOnly(row, column))
        return m_columnFormats.value(column);
    return formatOf(item(row, column));
}

QTableWidgetItem* Grid::itemAt(int row, int column) const {
    if (!heldOnly(row, column))
        return item(row, column);
    // The cell is given an item of its own, with its column's shape and
    // the text it showed.
    auto* self = const_cast<Grid*>(this);
    Silence quiet(self->m_silent);
    auto* cell = new GridItem;
    self->setItem(row, column, cell);
    self->applyFormat(cell, m_columnFormats[column]);
    const QString text = heldText(row, column);
    if (!text.isEmpty() && holdsText(m_columnFormats[column]))
        cell->setText(text);
    return cell;
}

void Grid::setRows(QVector<QStringList> rows) {
    Silence quiet(m_silent);
    // Every row afresh: none keeps a cell of its own.
    setRowCount(0);
    m_designedHeights.clear();
    m_heldRows = std::move(rows);
    setRowCount(int(m_heldRows.size()));
    m_designedHeights.resize(m_heldRows.size(), verticalHeader()->defaultSectionSize());
    fitVerticalScrollBar();
}

void Grid::prepareRow(int row) {
    for (int c = 1; c <= columnCount(); ++c) {
        auto* cell = new GridItem;
        setItem(row - 1, c - 1, cell);
        applyFormat(cell, m_columnFormats[c - 1]);
    }
}

void Grid::applyFormat(QTableWidgetItem* item, const GridCellFormat& fmt) {
    Silence quiet(m_silent);
    const GridCellFormat old = formatOf(item);
    const bool hadFormat = item->data(FormatRole).isValid();
    item->setData(FormatRole, QVariant::fromValue(fmt));
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!fmt.locked && holdsText(fmt))
        flags |= Qt::ItemIsEditable;
    if (!fmt.locked && fmt.type == GridCellType::CheckBox)
        flags |= Qt::ItemIsUserCheckable;
    item->setFlags(flags);
    item->setBackground(toQColor(fmt.backColor));
    item->setForeground(toQColor(fmt.foreColor));
    if (fmt.bold) {
        QFont bold = font();
        bold.setBold(true);
        item->setFont(bold);
    } else {
        item->setData(Qt::FontRole, QVariant());
    }
    const bool wasCaptioned =
        hadFormat && (old.type == GridCellType::CheckBox || old.type == GridCellType::Button);
    if (fmt.type == GridCellType::CheckBox) {
        if (!item->data(Qt::CheckStateRole).isValid())
            item->setCheckState(Qt::Unchecked);
        item->setText(fmt.caption);
    } else {
        if (item->data(Qt::CheckStateRole).isValid())
            item->setData(Qt::CheckStateRole, QVariant());
        if (fmt.type == GridCellType::Button)
            item->setText(fmt.caption);
        else if (wasCaptioned)
            item->setText(QString());
    }
}

void Grid::forEachItem(Block block, const std::function<void(QTableWidgetItem*)>& fn) {
    const int cols = columnCount(), rows = rowCount();
    int c1 = block.col, c2 = block.col2, r1 = block.row, r2 = block.row2;
    if (c1 == -1) {
        c1 = 1;
        c2 = cols;
    } else if (c2 == -1) {
        c2 = cols;
    }
    if (r1 == -1) {
        r1 = 1;
        r2 = rows;
    } else if (r2 == -1) {
        r2 = rows;
    }
    if (c1 > c2)
        std::swap(c1, c2);
    if (r1 > r2)
        std::swap(r1, r2);
    c1 = std::max(c1, 1);
    r1 = std::max(r1, 1);
    c2 = std::min(c2, cols);
    r2 = std::min(r2, rows);
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c)
            if (QTableWidgetItem* cell = itemAt(r - 1, c - 1))
                fn(cell);
}

void Grid::shape(Block block, const std::function<void(GridCellFormat&)>& change) {
    if (block.row == -1) {
        int c1 = block.col == -1 ? 1 : block.col;
        int c2 = (block.col == -1 || block.col2 == -1) ? columnCount() : block.col2;
        if (c1 > c2)
            std::swap(c1, c2);
        for (int c = std::max(1, c1); c <= std::min(c2, columnCount()); ++c)
            change(m_columnFormats[c - 1]);
    }
    int firstRow = rowCount() + 1, lastRow = 0;
    forEachItem(block, [&](QTableWidgetItem* cell) {
        GridCellFormat fmt = formatOf(cell);
        change(fmt);
        applyFormat(cell, fmt);
        firstRow = std::min(firstRow, cell->row() + 1);
        lastRow = std::max(lastRow, cell->row() + 1);
    });
    // A bold text or a cell's indicator may need more height.
    fitRows(firstRow, lastRow);
}

// --- a cell's text set in lines ---------------------------------------------------

std::shared_ptr<QTextLayout> Grid::setInLines(const QString& rawText, const QFont& font,
                                              double widthPixels, QPaintDevice* device,
                                              Qt::Alignment align, bool trimEnd) {
    QString text = rawText;
    // A shown text comes with its line feeds as line separators.
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (trimEnd && !text.isEmpty() && text.back().isSpace())
        text.chop(1);
    // Blanks before a line break show nothing, but would wrap a line that
    // they alone overfill onto an empty one.
    static const QRegularExpression blanksBeforeBreak(QStringLiteral("[ \\t]+\\n"));
    text.replace(blanksBeforeBreak, QStringLiteral("\n"));
    if (text.isEmpty())
        return nullptr;
    auto set = device ? std::make_shared<QTextLayout>(QString(), font, device)
                      : std::make_shared<QTextLayout>(QString(), font);
    layOutLines(*set, text, std::max(1.0, widthPixels), align);
    return set;
}

// --- rows as tall as their texts ------------------------------------------------

double Grid::textHeightTwips(const QFont& font, const QString& text, double widthTwips) {
    const std::shared_ptr<QTextLayout> set = setInLines(
        text, font, (widthTwips - 2 * kCellPadTwips) / kTwipsPerPixel, nullptr, Qt::AlignLeft);
    if (!set)
        return 0;
    const QTextLine last = set->lineAt(set->lineCount() - 1);
    return (last.y() + last.height()) * kTwipsPerPixel + 2 * kCellPadTwips;
}

double Grid::rowTextHeightTwips(int row, const QList<double>& colWidthTwips) const {
    const int cols = columnCount();
    double h = 0;
    for (int c = 1; c <= cols && c < colWidthTwips.size(); ++c) {
        if (colWidthTwips[c] <= 0 || rowSpan(row - 1, c - 1) > 1)
            continue;
        const QString text = GetText(c, row);
        if (text.isEmpty() || (!heldOnly(row - 1, c - 1) && !item(row - 1, c - 1)))
            continue;
        double w = 0;
        for (int s = c; s < c + columnSpan(row - 1, c - 1) && s <= cols && s < colWidthTwips.size();
             ++s)
            w += colWidthTwips[s];
        const GridCellFormat fmt = formatAt(row - 1, c - 1);
        if (fmt.type == GridCellType::CheckBox || fmt.type == GridCellType::ComboBox)
            w -= kIndicatorTwips;
        QFont f = font();
        f.setBold(fmt.bold);
        // A text is measured once for its width and weight.
        const QString key = QString::number(w) + (fmt.bold ? u'b' : u'n') + text;
        auto known = m_measured.constFind(key);
        if (known == m_measured.constEnd())
            known = m_measured.insert(key, textHeightTwips(f, text, w));
        h = std::max(h, *known);
    }
    return h;
}

void Grid::fitRows(int first, int last) {
    if (last < 0)
        last = rowCount();
    first = std::max(first, 1);
    last = std::min(last, rowCount());
    if (first > last) {
        fitVerticalScrollBar();
        return;
    }
    const int cols = columnCount();
    QList<double> widths(cols + 1, 0.0);
    for (int c = 1; c <= cols; ++c)
        widths[c] = isColumnHidden(c - 1) ? 0 : columnWidth(c - 1) * kTwipsPerPixel;
    for (int r = first; r <= last; ++r) {
        int pixels = m_designedHeights.value(r - 1, verticalHeader()->defaultSectionSize());
        if (m_fitText) {
            const double need = rowTextHeightTwips(r, widths);
            // The text's padding reaches over the grid line below it, as
            // its width reaches over the line on its right.
            if (need > 0)
                pixels = std::max(pixels, int(std::ceil(need / kTwipsPerPixel - 0.01)));
        }
        if (rowHeight(r - 1) != pixels)
            setRowHeight(r - 1, pixels);
    }
    fitVerticalScrollBar();
}

void Grid::fitVerticalScrollBar() {
    if (m_vPolicy != Qt::ScrollBarAlwaysOff || m_adjustingPolicy)
        return;
    m_adjustingPolicy = true;
    const int content = verticalHeader()->length() +
                        (colHeadersShown() ? horizontalHeader()->height() : 0) + 2 * frameWidth();
    if (minimumHeight() > 0 && minimumHeight() == maximumHeight() && !hasEntryCells()) {
        // A title of fixed texts, designed to be seen whole: as high as its rows.
        if (content > minimumHeight())
            setFixedHeight(content);
    } else {
        // Rows grown past the grid's height: they are read by scrolling.
        const Qt::ScrollBarPolicy wanted =
            content > height() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
        if (verticalScrollBarPolicy() != wanted)
            QAbstractScrollArea::setVerticalScrollBarPolicy(wanted);
    }
    m_adjustingPolicy = false;
}

void Grid::updateGeometries() {
    QTableWidget::updateGeometries();
    fitVerticalScrollBar();
}

void Grid::changeEvent(QEvent* event) {
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_measured.clear();
        fitRows();
    }
}

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
    if (state() == EditingState && m_editor) {
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

void Grid::sayAtEditor(QWidget* editor, const QString& message) {
    if (!editor || editor != m_editor || !m_editorIndex.isValid() || message.isEmpty())
        return;
    const QPointer<QWidget> kept(editor);
    const int col = m_editorIndex.column() + 1, row = m_editorIndex.row() + 1;
    QApplication::beep();
    ++m_refusing;
    emit EntryRefused(col, row, editorText(editor), message);
    --m_refusing;
    // The message over the window took the focus: back to the entry.
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
    QKeyEvent* handed = key > 0 && key >= 32 && key != typedKey(event) ? &replaced : event;
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
            const bool redo = keyEvent->matches(QKeySequence::Redo) ||
                              keyEvent->keyCombination() ==
                                  QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
                              keyEvent->keyCombination() ==
                                  QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier,
                                                  Qt::Key_Z);
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
// ---------------------------------------------------------------------------
// Printing.
//
// The layout is in twips on the sheet (the grid's scale applied); drawing is
// in the printer's device pixels, k of them to a twip. Texts are set in lines
// from the top of their row, so that a row may be split between two lines
// when it does not fit on a page; a row printed whole has its texts centred
// in it, as on the screen.

namespace {
constexpr double kGridLineTwips = 8;
constexpr double kCheckBoxTwips = 160;
constexpr double kNoLimit = 1e12;
constexpr double kEpsilon = 0.01;
} // namespace

// A line of a cell's text: its top and bottom in twips from its row's top,
// and its line in the cell's text (-1: the box of a check box without a
// caption).
struct Grid::PrintLine {
    double top = 0;
    double bottom = 0;
    int line = -1;
};

// A cell as printed: where it stands in the grid and its text set in lines.
struct Grid::PrintCell {
    int row = 0;
    int rowSpan = 1;
    double left = 0; // twips from the grid's left
    double width = 0;
    GridCellFormat fmt;
    bool header = false;
    Qt::CheckState check = Qt::Unchecked;
    std::shared_ptr<QTextLayout> text; // device pixels
    double textLeft = 0;               // twips from the cell's left
    QList<PrintLine> lines;
    double height = 0; // what the texts need, padding included; 0 without text
};

// The part of a row on one page: from and to are twips from the row's top;
// the lines whose bottoms lie after linesAfter and up to linesTo are drawn.
struct Grid::PrintSlice {
    int row = 0;
    double from = 0;
    double to = 0;
    double linesAfter = -kNoLimit;
    double linesTo = kNoLimit;
    bool whole = true; // the whole row on one page: its texts are centred in it
};

struct Grid::PrintPage {
    double top = 0; // twips on the sheet
    QList<PrintSlice> slices;
    double height = 0; // header included; 0 when the page draws nothing
};

struct Grid::PrintLayout {
    QRectF area;             // the first page's rectangle, clipped to the printable part
    double continuedTop = 0; // where every further page starts
    double scale = 1;        // designed twips to sheet twips
    double k = 1;            // device pixels per twip
    double pad = 0;          // a cell's padding
    double pen = 0;          // the grid lines' width
    QList<double> colLeft;   // twips from the grid's left, index col (1..), [0] unused
    QList<double> colWidth;  // 0 for hidden columns
    double width = 0;
    QList<double> rowHeight;       // index row; [0] the header row (0 when not printed)
    int headingRows = 0;           // rows 1.. printed atop every page below the header row
    QList<QList<PrintCell>> cells; // the cells that start in each row; [0] the header row
    QList<bool> splittable;        // rows that no cell spans down into or from
    QList<PrintPage> pages;
};

// The print's one measure of a cell's text: set in lines in the cell's width
// (less the padding and a check box), the row's height following from it.
Grid::PrintCell Grid::layoutCell(const QString& rawText, const GridCellFormat& fmt,
                                 double widthTwips, bool header, const PrintLayout& layout,
                                 QPaintDevice* device) const {
    PrintCell cell;
    cell.fmt = fmt;
    cell.header = header;
    cell.width = widthTwips;
    const bool box = !header && fmt.type == GridCellType::CheckBox;
    const double boxSize = kCheckBoxTwips * layout.scale;
    cell.textLeft = layout.pad + (box ? boxSize + layout.pad : 0);
    const double textWidth = std::max(1.0, widthTwips - cell.textLeft - layout.pad);

    QFont f = font();
    f.setBold(fmt.bold);
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * layout.scale);
    const bool centred = header || fmt.type == GridCellType::Button;
    // Blank lines at the end of a text carry nothing to print.
    cell.text = setInLines(rawText, f, textWidth * layout.k, device,
                           centred ? Qt::AlignHCenter : Qt::AlignLeft, true);
    for (int i = 0; cell.text && i < cell.text->lineCount(); ++i) {
        const QTextLine line = cell.text->lineAt(i);
        cell.lines.append({layout.pad + line.y() / layout.k,
                           layout.pad + (line.y() + line.height()) / layout.k, line.lineNumber()});
    }
    if (box && cell.lines.isEmpty())
        cell.lines.append({layout.pad, layout.pad + boxSize, -1});
    cell.height = cell.lines.isEmpty() ? 0 : cell.lines.last().bottom + layout.pad;
    return cell;
}

Grid::PrintLayout Grid::layoutFor(Printer& printer, int left, int top, int right,
                                  int bottom) const {
    PrintLayout layout;
    layout.k = printer.twipsToDevice();
    const QRectF printable = printer.printableArea();
    const double areaLeft = std::max<double>(left, printable.left());
    const double areaRight = std::max(areaLeft, std::min<double>(right, printable.right()));
    const double areaTop = std::max<double>(top, printable.top());
    const double areaBottom = std::max(areaTop, std::min<double>(bottom, printable.bottom()));
    layout.area = QRectF(QPointF(areaLeft, areaTop), QPointF(areaRight, areaBottom));
    layout.continuedTop =
        std::max<double>(printable.top(), std::min(top, int(Printer::kContinuedTop)));

    const int cols = columnCount(), rows = rowCount();
    QList<double> designed(cols + 1, 0.0);
    double designedWidth = 0;
    for (int c = 1; c <= cols; ++c) {
        designed[c] = isColumnHidden(c - 1) ? 0 : columnWidth(c - 1) * kTwipsPerPixel;
        designedWidth += designed[c];
    }
    // A grid wider than the rectangle is scaled down so that it fits with its
    // outer lines, which stand half outside the cells.
    const double available = layout.area.width();
    if (designedWidth > 0 && available > 0 && designedWidth + kGridLineTwips > available)
        layout.scale = available / (designedWidth + kGridLineTwips);
    const double s = layout.scale;
    layout.pad = kCellPadTwips * s;
    layout.pen = kGridLineTwips * s;
    layout.colLeft.resize(cols + 1);
    layout.colWidth.resize(cols + 1);
    double x = 0;
    for (int c = 1; c <= cols; ++c) {
        layout.colLeft[c] = x;
        layout.colWidth[c] = designed[c] * s;
        x += layout.colWidth[c];
    }
    layout.width = x;

    QPaintDevice* device = &printer.qprinter();
    layout.rowHeight.resize(rows + 1);
    layout.cells.resize(rows + 1);
    layout.splittable.fill(true, rows + 1);
    if (colHeadersShown()) {
        double h = horizontalHeader()->height() * kTwipsPerPixel * s;
        for (int c = 1; c <= cols; ++c) {
            if (layout.colWidth[c] <= 0)
                continue;
            PrintCell cell = layoutCell(GetText(c, 0), GridCellFormat{}, layout.colWidth[c], true,
                                        layout, device);
            cell.left = layout.colLeft[c];
            h = std::max(h, cell.height);
            layout.cells[0].append(cell);
        }
        layout.rowHeight[0] = h;
    }

    // The cells that spans cover are not printed on their own.
    QList<QList<bool>> covered(rows + 1, QList<bool>(cols + 1, false));
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= cols; ++c) {
            if (covered[r][c])
                continue;
            const int rs = std::max(1, rowSpan(r - 1, c - 1));
            const int cs = std::max(1, columnSpan(r - 1, c - 1));
            for (int rr = r; rr < r + rs && rr <= rows; ++rr) {
                for (int cc = c; cc < c + cs && cc <= cols; ++cc)
                    covered[rr][cc] = rr != r || cc != c;
                if (rs > 1)
                    layout.splittable[rr] = false;
            }
            double width = 0;
            for (int cc = c; cc < c + cs && cc <= cols; ++cc)
                width += layout.colWidth[cc];
            if (width <= 0)
                continue;
            const QTableWidgetItem* item = itemAt(r - 1, c - 1);
            PrintCell cell = layoutCell(item ? item->text() : QString(), formatOf(item), width,
                                        false, layout, device);
            cell.row = r;
            cell.rowSpan = rs;
            cell.left = layout.colLeft[c];
            cell.check = item ? item->checkState() : Qt::Unchecked;
            layout.cells[r].append(cell);
        }
    }
    // Rows as designed, or as tall as their texts need.
    for (int r = 1; r <= rows; ++r) {
        double h = m_designedHeights.value(r - 1) * kTwipsPerPixel * s;
        for (const PrintCell& cell : layout.cells[r]) {
            if (cell.rowSpan == 1)
                h = std::max(h, cell.height);
        }
        layout.rowHeight[r] = h;
    }
    // The heading rows end where no span goes on from them into the rows below.
    int headings = std::min(m_printHeadingRows, rows);
    for (bool spanned = true; spanned && headings > 0;) {
        spanned = false;
        for (int r = 1; r <= headings; ++r) {
            for (const PrintCell& cell : layout.cells[r])
                spanned = spanned || r + cell.rowSpan - 1 > headings;
        }
        if (spanned)
            --headings;
    }
    layout.headingRows = headings;
    paginate(layout);
    return layout;
}

void Grid::paginate(PrintLayout& layout) const {
    // The header row and the heading rows head every page.
    double headerHeight = 0;
    for (int r = 0; r <= layout.headingRows; ++r)
        headerHeight += layout.rowHeight[r];
    const double bottom = layout.area.bottom();
    const double fullRoom = bottom - layout.continuedTop - headerHeight;
    const int rows = rowCount();

    PrintPage page{layout.area.top(), {}, 0};
    double y = page.top + headerHeight;
    auto finish = [&] {
        page.height = 0;
        if (!page.slices.isEmpty() || rows == layout.headingRows) {
            page.height = headerHeight;
            for (const PrintSlice& slice : page.slices)
                page.height += slice.to - slice.from;
        }
        layout.pages.append(page);
    };
    auto newPage = [&] {
        finish();
        page = PrintPage{layout.continuedTop, {}, 0};
        y = page.top + headerHeight;
    };

    for (int r = layout.headingRows + 1; r <= rows; ++r) {
        const QList<PrintCell>& cells = layout.cells[r];
        const double height = layout.rowHeight[r];
        // The lowest line bottom after `after` and up to `limit` at which the
        // row may end a page, one that no line straddles when there is such
        // a one; -1 when no line ends in that range.
        auto cut = [&](double after, double limit) {
            double any = -1, clean = -1;
            for (const PrintCell& cell : cells) {
                for (const PrintLine& line : cell.lines) {
                    const double at = line.bottom;
                    if (at <= after + kEpsilon || at > limit + kEpsilon || at <= clean)
                        continue;
                    any = std::max(any, at);
                    bool straddled = false;
                    for (const PrintCell& other : cells) {
                        for (const PrintLine& l : other.lines)
                            straddled = straddled || (l.top < at - kEpsilon &&
                                                      l.bottom > at + kEpsilon && l.bottom > after);
                    }
                    if (!straddled)
                        clean = at;
                }
            }
            return clean > 0 ? clean : any;
        };
        // The top of the first line that ends after `after`.
        auto nextTop = [&](double after) {
            double top = kNoLimit;
            for (const PrintCell& cell : cells) {
                for (const PrintLine& line : cell.lines) {
                    if (line.bottom > after + kEpsilon)
                        top = std::min(top, line.top);
                }
            }
            return top;
        };

        // Where the row's texts end: a row split over pages ends there.
        double textEnd = 0;
        for (const PrintCell& cell : cells)
            textEnd = std::max(textEnd, cell.height);

        // A heading row goes on to the next page when the first line of the
        // row it heads does not find room below it on this one.
        if (m_printKeptWithNext.contains(r) && r < rows && !page.slices.isEmpty()) {
            double firstLine = 0;
            for (const PrintCell& cell : layout.cells[r + 1]) {
                if (!cell.lines.isEmpty())
                    firstLine = std::max(firstLine, cell.lines.first().bottom + layout.pad);
            }
            const double next = layout.splittable[r + 1] && firstLine > 0
                                    ? std::min(layout.rowHeight[r + 1], firstLine)
                                    : layout.rowHeight[r + 1];
            if (y + height + next > bottom + kEpsilon && height + next <= fullRoom)
                newPage();
        }

        double from = 0;
        double after = -kNoLimit;
        for (;;) {
            const double room = bottom - y;
            const double end = from > 0 ? std::min(height, textEnd) : height;
            if (end - from <= room + kEpsilon) {
                page.slices.append({r, from, end, after, kNoLimit, from == 0});
                y += end - from;
                break;
            }
            const double at = layout.splittable[r] ? cut(after, from + room - layout.pad) : -1;
            if (at > 0 && at > after) {
                // The lines up to `at` on this page, the rest from the next one on.
                page.slices.append({r, from, at + layout.pad, after, at, false});
                y += at + layout.pad - from;
                const double next = nextTop(at);
                if (next >= kNoLimit)
                    break; // no text left: the rest of the row is blank
                after = at;
                from = next - layout.pad;
                newPage();
                continue;
            }
            if (page.slices.isEmpty() && room >= fullRoom - kEpsilon) {
                // Taller than a whole page and not to be split: cut at the foot.
                page.slices.append({r, from, from + room, after, kNoLimit, false});
                y = bottom;
                break;
            }
            newPage();
        }
    }
    finish();
}

int Grid::OwnerPrintPageCount(Printer& printer, int left, int top, int right, int bottom) {
    m_countedPages = OwnerPrintPagesNeeded(printer, left, top, right, bottom);
    return m_countedPages;
}

int Grid::OwnerPrintPagesNeeded(Printer& printer, int left, int top, int right, int bottom) const {
    return int(layoutFor(printer, left, top, right, bottom).pages.size());
}

void Grid::OwnerPrintDraw(Printer& printer, int left, int top, int right, int bottom, int page) {
    const PrintLayout layout = layoutFor(printer, left, top, right, bottom);
    const int pages = int(layout.pages.size());
    if (page < 1 || page > pages || layout.area.width() <= 0) {
        if (page >= m_countedPages)
            m_countedPages = 0;
        return;
    }
    if (layout.pages[page - 1].height > 0)
        drawPage(printer.painter(), layout, page - 1);
    // The last page counted carries what a smaller counting rectangle left over.
    if (page == m_countedPages) {
        for (int p = page + 1; p <= pages; ++p) {
            printer.NewPage();
            drawPage(printer.painter(), layout, p - 1);
        }
        m_countedPages = 0;
    }
}

QRectF Grid::OwnerPrintExtent(Printer& printer, int left, int top, int right, int bottom,
                              int page) const {
    const PrintLayout layout = layoutFor(printer, left, top, right, bottom);
    const int pages = int(layout.pages.size());
    if (page <= 0)
        page = pages;
    if (page > pages || layout.area.width() <= 0 || layout.pages[page - 1].height <= 0)
        return {};
    const PrintPage& p = layout.pages[page - 1];
    return QRectF(layout.area.left(), p.top, std::min(layout.width, layout.area.width()), p.height);
}

void Grid::drawPage(QPainter& painter, const PrintLayout& layout, int pageIndex) const {
    const PrintPage& page = layout.pages[pageIndex];
    const double k = layout.k;
    auto device = [&](double x, double y) { return QPointF((layout.area.left() + x) * k, y * k); };

    painter.save();
    // Nothing is drawn outside the rectangle, but for the outer lines.
    const double pen = layout.pen;
    painter.setClipRect(QRectF(device(-pen, page.top - pen),
                               device(layout.area.width() + pen, layout.area.bottom() + pen)));
    QPen linePen(Qt::black);
    linePen.setWidthF(std::max(1.0, pen * k));

    // One cell in rect (twips: x from the grid's left, y on the sheet); the
    // lines of its text in the slice, from the slice's `from`.
    auto drawCell = [&](const PrintCell& cell, const QRectF& rect, const PrintSlice& slice,
                        bool centred) {
        const QRectF deviceRect(device(rect.left(), rect.top()),
                                device(rect.right(), rect.bottom()));
        const QColor back = cell.header ? QColor(0xE0, 0xE0, 0xE0) : toQColor(cell.fmt.backColor);
        if (back != Qt::white)
            painter.fillRect(deviceRect, back);
        painter.setPen(linePen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(deviceRect);
        if (cell.fmt.type == GridCellType::Button && !cell.header && slice.whole) {
            const double pad = layout.pad * k;
            painter.drawRoundedRect(deviceRect.adjusted(pad, pad, -pad, -pad), pad, pad);
        }
        // A row on one page shows its texts centred; a split one from the top.
        const double offset = centred ? std::max(0.0, (rect.height() - cell.height) / 2) : 0.0;
        const QColor ink = cell.header ? QColor(Qt::black) : toQColor(cell.fmt.foreColor);
        painter.save();
        painter.setClipRect(deviceRect, Qt::IntersectClip);
        for (const PrintLine& line : cell.lines) {
            if (line.bottom <= slice.linesAfter + kEpsilon ||
                line.bottom > slice.linesTo + kEpsilon)
                continue;
            const double top = rect.top() + offset + line.top - slice.from;
            if (line.line == cell.lines.first().line && !cell.header &&
                cell.fmt.type == GridCellType::CheckBox) {
                const double box = kCheckBoxTwips * layout.scale;
                const double middle = top + (line.bottom - line.top) / 2;
                const QRectF boxRect(device(rect.left() + layout.pad, middle - box / 2),
                                     device(rect.left() + layout.pad + box, middle + box / 2));
                painter.setPen(linePen);
                painter.drawRect(boxRect);
                if (cell.check == Qt::Checked) {
                    painter.drawLine(boxRect.topLeft(), boxRect.bottomRight());
                    painter.drawLine(boxRect.topRight(), boxRect.bottomLeft());
                }
            }
            if (line.line < 0 || !cell.text)
                continue;
            const QTextLine textLine = cell.text->lineAt(line.line);
            painter.setPen(ink);
            textLine.draw(&painter,
                          device(rect.left() + cell.textLeft, top) - QPointF(0, textLine.y()));
        }
        painter.restore();
    };

    double y = page.top;
    if (layout.rowHeight[0] > 0) {
        const PrintSlice all;
        for (const PrintCell& cell : layout.cells[0])
            drawCell(cell, QRectF(cell.left, y, cell.width, layout.rowHeight[0]), all, true);
        y += layout.rowHeight[0];
    }
    // The heading rows, whole, atop every page.
    for (int r = 1; r <= layout.headingRows; ++r) {
        const PrintSlice all{r};
        for (const PrintCell& cell : layout.cells[r]) {
            double height = 0;
            for (int rr = r; rr < r + cell.rowSpan; ++rr)
                height += layout.rowHeight[rr];
            drawCell(cell, QRectF(cell.left, y, cell.width, height), all, true);
        }
        y += layout.rowHeight[r];
    }
    // Where each row stands on this page.
    QHash<int, QPair<double, double>> rowAt;
    for (const PrintSlice& slice : page.slices) {
        rowAt.insert(slice.row, {y, y + slice.to - slice.from});
        y += slice.to - slice.from;
    }
    for (int i = 0; i < page.slices.size(); ++i) {
        const PrintSlice& slice = page.slices[i];
        const double rowTop = rowAt.value(slice.row).first;
        const double rowBottom = rowAt.value(slice.row).second;
        QList<const PrintCell*> cells;
        for (const PrintCell& cell : layout.cells[slice.row])
            cells.append(&cell);
        // A span begun on an earlier page is drawn again from this page's first row.
        if (i == 0) {
            for (int r = 1; r < slice.row; ++r) {
                for (const PrintCell& cell : layout.cells[r]) {
                    if (cell.rowSpan > 1 && r + cell.rowSpan - 1 >= slice.row)
                        cells.append(&cell);
                }
            }
        }
        // A row gone on from an earlier page shows its label again: its first
        // column's text, which ended there.
        const PrintCell* label = nullptr;
        if (slice.linesAfter > -kNoLimit) {
            for (const PrintCell& cell : layout.cells[slice.row]) {
                if (!label || cell.left < label->left)
                    label = &cell;
            }
            if (label && (label->rowSpan != 1 || label->lines.isEmpty() ||
                          label->lines.last().bottom > slice.linesAfter + kEpsilon))
                label = nullptr;
        }
        for (const PrintCell* cell : cells) {
            if (cell == label) {
                drawCell(*cell, QRectF(cell->left, rowTop, cell->width, rowBottom - rowTop),
                         PrintSlice{slice.row, 0, rowBottom - rowTop, -kNoLimit, kNoLimit, false},
                         false);
                continue;
            }
            if (cell->rowSpan == 1) {
                drawCell(*cell, QRectF(cell->left, rowTop, cell->width, rowBottom - rowTop), slice,
                         slice.whole);
                continue;
            }
            // A span down over several rows: as far as its rows are on this page.
            double spanBottom = rowBottom;
            for (int r = slice.row; r < cell->row + cell->rowSpan; ++r) {
                if (rowAt.contains(r))
                    spanBottom = rowAt.value(r).second;
            }
            drawCell(*cell, QRectF(cell->left, rowTop, cell->width, spanBottom - rowTop),
                     PrintSlice{}, true);
        }
    }
    painter.restore();
}
