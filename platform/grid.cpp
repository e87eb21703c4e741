// The grid's API and its cells: size and design, values, the active cell,
// and the items that hold the cells' texts and shapes.
#include "platform/grid.h"

#include "platform/colors.h"
#include "platform/gridaccessible.h"
#include "platform/gridprivate.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QPointer>
#include <algorithm>
#include <cmath>

using namespace gridimpl;

namespace {

// The grid of the window that the user worked in last: of a window's grids
// only it shows its selection.
QPointer<Grid> s_activeGrid;

bool isTicked(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && v != 0;
}

// Keeps the program's own changes from being taken for the user's.
struct Silence {
    explicit Silence(int& counter) : m_counter(counter) { ++m_counter; }
    ~Silence() { --m_counter; }
    int& m_counter;
};

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

Grid::Grid(QWidget* parent) : QTableWidget(parent) {
    installGridAccessibility();
    setItemPrototype(new GridItem);
    setItemDelegate(newDelegate());
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
