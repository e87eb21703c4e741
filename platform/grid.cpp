#include "platform/grid.h"

#include "platform/colors.h"
#include "platform/printer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cmath>

Q_DECLARE_METATYPE(GridCellFormat)

namespace {

constexpr int FormatRole = Qt::UserRole + 1;
constexpr double kColUnitPixels = 7;       // 105 twips
constexpr double kRowUnitPixels = 4.0 / 3; // a point at 96 pixels an inch
constexpr double kTwipsPerPixel = 15;
constexpr double kCellPadTwips = 40;

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

// Keeps the program's own changes from being taken for the user's.
struct Silence {
    explicit Silence(int& counter) : m_counter(counter) { ++m_counter; }
    ~Silence() { --m_counter; }
    int& m_counter;
};

} // namespace

// ---------------------------------------------------------------------------
// The cells' editors and the mouse on check-box and button cells.

class Grid::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(Grid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        const GridCellFormat fmt = formatOf(m_grid->item(index.row(), index.column()));
        if (fmt.locked)
            return nullptr;
        QWidget* editor = nullptr;
        if (fmt.type == GridCellType::ComboBox) {
            auto* combo = new QComboBox(parent);
            combo->setEditable(fmt.comboEditable);
            combo->addItems(comboItems(fmt.comboList));
            combo->setMaxVisibleItems(fmt.comboMaxDrop > 0 ? fmt.comboMaxDrop : 6);
            if (fmt.comboWidth > 0)
                combo->view()->setMinimumWidth(fmt.comboWidth);
            if (combo->lineEdit())
                combo->lineEdit()->installEventFilter(m_grid);
            // A choice from the list takes effect at once.
            auto* self = const_cast<Delegate*>(this);
            QObject::connect(combo, &QComboBox::activated, self,
                             [self, combo] { emit self->commitData(combo); });
            editor = combo;
        } else if (fmt.type == GridCellType::Edit && fmt.multiLine) {
            auto* edit = new QPlainTextEdit(parent);
            const int maxLength = fmt.maxLength;
            if (maxLength > 0) {
                QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, maxLength] {
                    const QString text = edit->toPlainText();
                    if (text.size() > maxLength) {
                        QSignalBlocker block(edit);
                        edit->setPlainText(text.left(maxLength));
                        edit->moveCursor(QTextCursor::End);
                    }
                });
            }
            editor = edit;
        } else if (fmt.type == GridCellType::Edit) {
            auto* edit = new QLineEdit(parent);
            edit->setFrame(false);
            if (fmt.maxLength > 0)
                edit->setMaxLength(fmt.maxLength);
            editor = edit;
        } else if (fmt.type == GridCellType::Date) {
            auto* edit = new QLineEdit(parent);
            edit->setFrame(false);
            edit->setMaxLength(10);
            editor = edit;
        }
        if (editor)
            editor->installEventFilter(m_grid);
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        const QString text = index.data(Qt::EditRole).toString();
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            if (combo->isEditable())
                combo->setEditText(text);
            else
                combo->setCurrentIndex(combo->findText(text));
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(editor)) {
            plain->setPlainText(text);
        } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setText(text);
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        QString text;
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            text = combo->currentText();
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(editor))
            text = plain->toPlainText();
        else if (auto* line = qobject_cast<QLineEdit*>(editor))
            text = line->text();
        else
            return;
        const GridCellFormat fmt = formatOf(m_grid->item(index.row(), index.column()));
        if (fmt.type == GridCellType::Date && !Grid::acceptDate(fmt, text))
            return;
        model->setData(index, text, Qt::EditRole);
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        const GridCellFormat fmt = formatOf(m_grid->item(index.row(), index.column()));
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
        const GridCellFormat fmt = formatOf(m_grid->item(index.row(), index.column()));
        if (fmt.type != GridCellType::Button) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionButton button;
        button.rect = option.rect.adjusted(1, 1, -1, -1);
        button.text = fmt.caption;
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        button.palette = option.palette;
        m_grid->style()->drawControl(QStyle::CE_PushButton, &button, painter, m_grid);
    }

private:
    Grid* m_grid;
};

// ---------------------------------------------------------------------------

Grid::Grid(QWidget* parent) : QTableWidget(parent) {
    setItemDelegate(new Delegate(this));
    verticalHeader()->hide();
    horizontalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(qRound(kGridDefaultRowHeight * kRowUnitPixels));
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(true);
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
    setRowCount(rows);
    for (int r = old + 1; r <= rows; ++r)
        prepareRow(r);
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
            auto* item = new QTableWidgetItem;
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
}

double Grid::ColWidth(int col) const {
    return col >= 1 && col <= columnCount() ? m_colWidths[col - 1] : 0;
}

void Grid::SetRowHeight(int row, double height) {
    if (row < 1 || row > rowCount())
        return;
    setRowHeight(row - 1, std::max(1, int(std::lround(height * kRowUnitPixels))));
}

double Grid::RowHeight(int row) const {
    return row >= 1 && row <= rowCount() ? rowHeight(row - 1) / kRowUnitPixels : 0;
}

void Grid::AddCellSpan(int col, int row, int numCols, int numRows) {
    if (col < 1 || row < 1 || col > columnCount() || row > rowCount())
        return;
    numCols = std::clamp(numCols, 1, columnCount() - col + 1);
    numRows = std::clamp(numRows, 1, rowCount() - row + 1);
    if (numCols > 1 || numRows > 1)
        setSpan(row - 1, col - 1, numRows, numCols);
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

void Grid::setComboBox(Block block, const QString& tabList, bool editable) {
    shape(block, [&](GridCellFormat& f) {
        f.type = GridCellType::ComboBox;
        f.comboList = tabList;
        f.comboEditable = editable;
    });
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

bool Grid::acceptDate(const GridCellFormat& fmt, QString& text) {
    text = text.trimmed();
    if (text.isEmpty())
        return true;
    const QDate date = QDate::fromString(text, QStringLiteral("d/M/yyyy"));
    if (!date.isValid() || (fmt.dateMin.isValid() && date < fmt.dateMin) ||
        (fmt.dateMax.isValid() && date > fmt.dateMax))
        return false;
    text = date.toString(QStringLiteral("dd/MM/yyyy"));
    return true;
}

void Grid::setCellType(Block block, GridCellType type) {
    shape(block, [&](GridCellFormat& f) { f.type = type; });
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
    return formatOf(cellItem(col, row));
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
}

QString Grid::GetText(int col, int row) const {
    if (row == 0)
        return col >= 1 && col <= columnCount() ? horizontalHeaderItem(col - 1)->text() : QString();
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
}

void Grid::DeleteRows(int row, int count) {
    Silence quiet(m_silent);
    const int total = rowCount();
    if (row < 1 || row > total || count < 1)
        return;
    count = std::min(count, total - row + 1);
    for (int i = 0; i < count; ++i)
        removeRow(row - 1);
    for (int i = 0; i < count; ++i) {
        insertRow(rowCount());
        prepareRow(rowCount());
    }
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

// --- the selection members -------------------------------------------------

Grid::Block Grid::selection() const {
    if (m_blockMode)
        return Block(m_col, m_row, m_col2, m_row2);
    return Block(m_col, m_row);
}

void Grid::setLock(bool locked) {
    setLocked(selection(), locked);
}
bool Grid::Lock() const {
    return firstOfSelection().locked;
}
void Grid::setForeColor(quint32 color) {
    setCellForeColor(selection(), color);
}
quint32 Grid::ForeColor() const {
    return firstOfSelection().foreColor;
}
void Grid::setBackColor(quint32 color) {
    setCellBackColor(selection(), color);
}
quint32 Grid::BackColor() const {
    return firstOfSelection().backColor;
}
void Grid::setFontBold(bool bold) {
    setCellBold(selection(), bold);
}
bool Grid::FontBold() const {
    return firstOfSelection().bold;
}
void Grid::setCellType(GridCellType type) {
    setCellType(selection(), type);
}
void Grid::setTypeEditMultiLine(bool multiLine) {
    setMultiLine(selection(), multiLine);
}
void Grid::setTypeMaxEditLen(int maxLength) {
    setMaxLength(selection(), maxLength);
}

void Grid::setTypeComboBoxEditable(bool editable) {
    shape(selection(), [&](GridCellFormat& f) { f.comboEditable = editable; });
}

void Grid::setTypeComboBoxList(const QString& tabList) {
    shape(selection(), [&](GridCellFormat& f) { f.comboList = tabList; });
}

QString Grid::TypeComboBoxList() const {
    return firstOfSelection().comboList;
}

void Grid::setTypeComboBoxMaxDrop(int items) {
    shape(selection(), [&](GridCellFormat& f) { f.comboMaxDrop = items; });
}

void Grid::setTypeComboBoxWidth(int width) {
    shape(selection(), [&](GridCellFormat& f) { f.comboWidth = width; });
}

// --- cells and shapes ----------------------------------------------------------

QTableWidgetItem* Grid::cellItem(int col, int row) const {
    if (col < 1 || row < 1 || col > columnCount() || row > rowCount())
        return nullptr;
    return item(row - 1, col - 1);
}

void Grid::prepareRow(int row) {
    for (int c = 1; c <= columnCount(); ++c) {
        auto* cell = new QTableWidgetItem;
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
    if (!fmt.locked && (fmt.type == GridCellType::Edit || fmt.type == GridCellType::ComboBox ||
                        fmt.type == GridCellType::Date))
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

GridCellFormat Grid::firstOfSelection() const {
    const Block b = selection();
    int col = b.col < 1 ? 1 : b.col;
    int row = b.row < 1 ? 1 : b.row;
    return formatOf(cellItem(col, row));
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
            if (QTableWidgetItem* cell = item(r - 1, c - 1))
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
    forEachItem(block, [&](QTableWidgetItem* cell) {
        GridCellFormat fmt = formatOf(cell);
        change(fmt);
        applyFormat(cell, fmt);
    });
}

// --- the user's actions --------------------------------------------------------

void Grid::onItemChanged(QTableWidgetItem* changed) {
    if (m_silent > 0 || !changed || changed->tableWidget() != this)
        return;
    const int col = changed->column() + 1, row = changed->row() + 1;
    if (formatOf(changed).type == GridCellType::CheckBox)
        emit ButtonClicked(col, row, changed->checkState() == Qt::Checked ? 1 : 0);
    emit Change(col, row);
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
    if (event->type() == QEvent::KeyPress && event != m_forwardedKey && widget &&
        viewport()->isAncestorOf(widget)) {
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
    return QTableWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Printing.

struct Grid::PrintLayout {
    QRectF area;             // twips on the sheet, clipped to the printable part
    double scale = 1;        // grid twips to sheet twips
    QList<double> colLeft;   // grid twips from the grid's left, index col (1..), [0] unused
    QList<double> colWidth;  // grid twips, 0 for hidden columns
    QList<double> rowHeight; // grid twips, index row; [0] the header row (0 when not printed)
    QList<int> pageFirstRow; // first row of each page
    double gridWidth = 0;
    double k = 1; // device pixels per twip
};

Grid::PrintLayout Grid::layoutFor(Printer& printer, int left, int top, int right,
                                  int bottom) const {
    PrintLayout layout;
    layout.k = printer.twipsToDevice();
    const QRectF printable = printer.printableArea();
    layout.area = QRectF(QPointF(left, top), QPointF(right, bottom)).intersected(printable);
    if (!layout.area.isValid())
        layout.area = QRectF(QPointF(std::max<double>(left, printable.left()),
                                     std::max<double>(top, printable.top())),
                             QSizeF(0, 0));

    const int cols = columnCount(), rows = rowCount();
    layout.colLeft.resize(cols + 1);
    layout.colWidth.resize(cols + 1);
    double x = 0;
    for (int c = 1; c <= cols; ++c) {
        layout.colLeft[c] = x;
        layout.colWidth[c] = isColumnHidden(c - 1) ? 0 : columnWidth(c - 1) * kTwipsPerPixel;
        x += layout.colWidth[c];
    }
    layout.gridWidth = x;
    if (x > 0 && layout.area.width() > 0 && x > layout.area.width())
        layout.scale = layout.area.width() / x;

    // Row heights: as designed, or as tall as the wrapped texts need.
    QPaintDevice* device = &printer.qprinter();
    const double k = printer.twipsToDevice();
    auto textHeight = [&](const QString& text, bool bold, double widthTwips) {
        if (text.isEmpty())
            return 0.0;
        QFont f = font();
        f.setBold(bold);
        const QFontMetricsF fm(f, device);
        const double w = std::max(1.0, (widthTwips - 2 * kCellPadTwips) * k);
        const QRectF r =
            fm.boundingRect(QRectF(0, 0, w, 1e7), Qt::TextWordWrap | Qt::AlignLeft, text);
        return r.height() / k + 2 * kCellPadTwips;
    };
    layout.rowHeight.resize(rows + 1);
    if (colHeadersShown()) {
        double h = horizontalHeader()->height() * kTwipsPerPixel;
        for (int c = 1; c <= cols; ++c)
            if (layout.colWidth[c] > 0)
                h = std::max(h, textHeight(GetText(c, 0), false, layout.colWidth[c]));
        layout.rowHeight[0] = h;
    }
    for (int r = 1; r <= rows; ++r) {
        double h = rowHeight(r - 1) * kTwipsPerPixel;
        for (int c = 1; c <= cols; ++c) {
            if (layout.colWidth[c] <= 0 || rowSpan(r - 1, c - 1) > 1)
                continue;
            const QTableWidgetItem* cell = item(r - 1, c - 1);
            if (!cell || cell->text().isEmpty())
                continue;
            double w = 0;
            for (int s = c; s < c + columnSpan(r - 1, c - 1) && s <= cols; ++s)
                w += layout.colWidth[s];
            const GridCellFormat fmt = formatOf(cell);
            if (fmt.type == GridCellType::CheckBox)
                w -= 240;
            h = std::max(h, textHeight(cell->text(), fmt.bold, w));
        }
        layout.rowHeight[r] = h;
    }

    // Pages: as many rows as fit below the header in the rectangle's height.
    const double room = layout.area.height() / layout.scale - layout.rowHeight[0];
    double used = 0;
    layout.pageFirstRow.append(1);
    for (int r = 1; r <= rows; ++r) {
        if (used > 0 && used + layout.rowHeight[r] > room) {
            layout.pageFirstRow.append(r);
            used = 0;
        }
        used += layout.rowHeight[r];
    }
    return layout;
}

int Grid::OwnerPrintPageCount(Printer& printer, int left, int top, int right, int bottom) {
    m_countedPages = int(layoutFor(printer, left, top, right, bottom).pageFirstRow.size());
    return m_countedPages;
}

void Grid::OwnerPrintDraw(Printer& printer, int left, int top, int right, int bottom, int page) {
    const PrintLayout layout = layoutFor(printer, left, top, right, bottom);
    const int pages = int(layout.pageFirstRow.size());
    if (page < 1 || page > pages || layout.area.width() <= 0 || layout.area.height() <= 0) {
        if (page >= m_countedPages)
            m_countedPages = 0;
        return;
    }
    auto lastRowOf = [&](int p) { return p < pages ? layout.pageFirstRow[p] - 1 : rowCount(); };
    drawRows(printer.painter(), layout, layout.pageFirstRow[page - 1], lastRowOf(page));
    // The last page counted carries what a smaller counting rectangle left over.
    if (page == m_countedPages) {
        for (int p = page + 1; p <= pages; ++p) {
            printer.NewPage();
            drawRows(printer.painter(), layout, layout.pageFirstRow[p - 1], lastRowOf(p));
        }
        m_countedPages = 0;
    }
}

QRectF Grid::OwnerPrintExtent(Printer& printer, int left, int top, int right, int bottom,
                              int page) const {
    const PrintLayout layout = layoutFor(printer, left, top, right, bottom);
    const int pages = int(layout.pageFirstRow.size());
    if (page <= 0)
        page = pages;
    if (page > pages || layout.area.width() <= 0 || layout.area.height() <= 0)
        return {};
    const int first = layout.pageFirstRow[page - 1];
    const int last = page < pages ? layout.pageFirstRow[page] - 1 : rowCount();
    double height = layout.rowHeight[0];
    for (int r = first; r <= last; ++r)
        height += layout.rowHeight[r];
    const double width = std::min(layout.gridWidth * layout.scale, layout.area.width());
    return QRectF(layout.area.left(), layout.area.top(), width,
                  std::min(height * layout.scale, layout.area.height()));
}

void Grid::drawRows(QPainter& painter, const PrintLayout& layout, int firstRow, int lastRow) const {
    const double k = layout.k;
    const double s = layout.scale;
    const int cols = columnCount();
    // Sheet device pixels of a grid-twips position.
    auto dx = [&](double gx) { return (layout.area.left() + gx * s) * k; };
    double y = layout.area.top();
    QList<double> rowTop(rowCount() + 2);
    const double headerTop = y;
    y += layout.rowHeight[0] * s;
    for (int r = firstRow; r <= lastRow; ++r) {
        rowTop[r] = y;
        y += layout.rowHeight[r] * s;
    }
    rowTop[lastRow + 1] = y;

    painter.save();
    // Nothing is drawn outside the rectangle (a row taller than it is cut).
    painter.setClipRect(QRectF(layout.area.topLeft() * k, layout.area.bottomRight() * k));
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, 8 * k * s));
    auto drawCell = [&](const QRectF& rect, const QString& text, const GridCellFormat& fmt,
                        bool header, Qt::CheckState check) {
        const QColor back = header ? QColor(0xE0, 0xE0, 0xE0) : toQColor(fmt.backColor);
        if (back != Qt::white)
            painter.fillRect(rect, back);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect);
        QFont f = font();
        f.setBold(fmt.bold);
        if (f.pointSizeF() > 0)
            f.setPointSizeF(f.pointSizeF() * s);
        painter.setFont(f);
        painter.setPen(header ? QColor(Qt::black) : toQColor(fmt.foreColor));
        const double pad = kCellPadTwips * k * s;
        QRectF textRect = rect.adjusted(pad, pad, -pad, -pad);
        if (fmt.type == GridCellType::CheckBox) {
            const double box = 160 * k * s;
            const QRectF boxRect(textRect.left(), rect.center().y() - box / 2, box, box);
            QPen boxPen = pen;
            painter.setPen(boxPen);
            painter.drawRect(boxRect);
            if (check == Qt::Checked) {
                painter.drawLine(boxRect.topLeft(), boxRect.bottomRight());
                painter.drawLine(boxRect.topRight(), boxRect.bottomLeft());
            }
            painter.setPen(toQColor(fmt.foreColor));
            textRect.setLeft(boxRect.right() + pad);
        }
        if (fmt.type == GridCellType::Button) {
            painter.drawRoundedRect(rect.adjusted(pad, pad, -pad, -pad), pad, pad);
        }
        const int align = header || fmt.type == GridCellType::Button
                              ? Qt::AlignCenter
                              : Qt::AlignLeft | Qt::AlignVCenter;
        painter.drawText(textRect, align | Qt::TextWordWrap, text);
    };

    if (layout.rowHeight[0] > 0) {
        for (int c = 1; c <= cols; ++c) {
            if (layout.colWidth[c] <= 0)
                continue;
            const QRectF rect(QPointF(dx(layout.colLeft[c]), headerTop * k),
                              QPointF(dx(layout.colLeft[c] + layout.colWidth[c]),
                                      (headerTop + layout.rowHeight[0] * s) * k));
            drawCell(rect, GetText(c, 0), GridCellFormat{}, true, Qt::Unchecked);
        }
    }

    // Which cell covers each cell of a span.
    QHash<QPair<int, int>, QPair<int, int>> origin;
    for (int r = 1; r <= rowCount(); ++r)
        for (int c = 1; c <= cols; ++c) {
            // The view gives every cell inside a span the span's size: only
            // its top-left cell starts it.
            if (origin.contains({r, c}))
                continue;
            const int rs = rowSpan(r - 1, c - 1), cs = columnSpan(r - 1, c - 1);
            if (rs > 1 || cs > 1)
                for (int rr = r; rr < r + rs; ++rr)
                    for (int cc = c; cc < c + cs; ++cc)
                        if (rr != r || cc != c)
                            origin.insert({rr, cc}, {r, c});
        }

    for (int r = firstRow; r <= lastRow; ++r) {
        for (int c = 1; c <= cols; ++c) {
            int orow = r, ocol = c;
            if (auto it = origin.constFind({r, c}); it != origin.constEnd()) {
                // A span begun on an earlier page is drawn again from this page's first row.
                if (!(it->first < firstRow && r == firstRow && it->second == c))
                    continue;
                orow = it->first;
                ocol = it->second;
            }
            const int cs = columnSpan(orow - 1, ocol - 1), rs = rowSpan(orow - 1, ocol - 1);
            double width = 0;
            for (int cc = ocol; cc < ocol + cs && cc <= cols; ++cc)
                width += layout.colWidth[cc];
            if (width <= 0)
                continue;
            const int lastSpanRow = std::min(orow + rs - 1, lastRow);
            const QRectF rect(
                QPointF(dx(layout.colLeft[ocol]), rowTop[r] * k),
                QPointF(dx(layout.colLeft[ocol] + width), rowTop[lastSpanRow + 1] * k));
            const QTableWidgetItem* cell = item(orow - 1, ocol - 1);
            const GridCellFormat fmt = formatOf(cell);
            drawCell(rect, cell ? cell->text() : QString(), fmt, false,
                     cell ? cell->checkState() : Qt::Unchecked);
        }
    }
    painter.restore();
}
