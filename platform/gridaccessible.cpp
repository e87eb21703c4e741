#include "platform/gridaccessible.h"

#include "platform/grid.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QHeaderView>
#include <QPointer>
#include <QScrollBar>
#include <QWindow>

namespace {

class GridAccessible;

// The text heading a row: that of its first shown cell (the cell spanning
// down over it, where one does).
QString rowHeading(const Grid* grid, int row) {
    for (int col = 0; col < grid->columnCount(); ++col) {
        if (grid->isColumnHidden(col))
            continue;
        int origin = row;
        if (grid->rowSpan(row, col) > 1) {
            const QRect span = grid->visualRect(grid->model()->index(row, col));
            const int top = grid->rowAt(span.top());
            if (top >= 0)
                origin = top;
        }
        return grid->shownText(col + 1, origin + 1);
    }
    return QString();
}

// The row or the column numbers of indexes (number: QModelIndex::row or
// QModelIndex::column).
QList<int> numbersOf(const QModelIndexList& indexes, int (QModelIndex::*number)() const) {
    QList<int> numbers;
    for (const QModelIndex& index : indexes)
        numbers << (index.*number)();
    return numbers;
}

// One cell of the table (row and column from 0), a column heading (row -1),
// a row heading (column -1) or the corner between the headings (both -1).
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCellAccessible(Grid* grid, int row, int column) : m_grid(grid), m_row(row), m_col(column) {}

    bool isValid() const override {
        return m_grid && m_row < m_grid->rowCount() && m_col < m_grid->columnCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return m_grid && m_grid->window() ? m_grid->window()->windowHandle() : nullptr;
    }
    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation) const override {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_grid.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !isValid())
            return QString();
        if (m_row < 0 && m_col < 0)
            return QString();
        if (m_row < 0)
            return m_grid->shownText(m_col + 1, 0);
        if (m_col < 0)
            return rowHeading(m_grid, m_row);
        return m_grid->shownText(m_col + 1, m_row + 1);
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid())
            return QRect();
        if (m_row < 0 && m_col >= 0) {
            const QHeaderView* header = m_grid->horizontalHeader();
            if (header->isHidden())
                return QRect();
            const QRect section(header->sectionViewportPosition(m_col), 0,
                                header->sectionSize(m_col), header->height());
            return section.translated(header->viewport()->mapToGlobal(QPoint(0, 0)));
        }
        if (m_row < 0 || m_col < 0)
            return QRect();
        const QRect cell = m_grid->visualRect(index());
        return cell.translated(m_grid->viewport()->mapToGlobal(QPoint(0, 0)));
    }

    QAccessible::Role role() const override {
        if (m_row < 0 && m_col >= 0)
            return QAccessible::ColumnHeader;
        if (m_col < 0 && m_row >= 0)
            return QAccessible::RowHeader;
        return QAccessible::Cell;
    }

    QAccessible::State state() const override {
        QAccessible::State st;
        if (!isValid()) {
            st.invalid = true;
            return st;
        }
        if (m_row < 0 || m_col < 0) {
            // The headings: the header row where it is shown; the row headings
            // are read with their cells, never shown.
            st.invisible = m_col < 0 || m_grid->horizontalHeader()->isHidden() ||
                           m_grid->isColumnHidden(m_col);
            return st;
        }
        const QModelIndex at = index();
        const QRect cell = m_grid->visualRect(at);
        st.invisible = m_grid->isColumnHidden(m_col) || m_grid->isRowHidden(m_row) ||
                       !m_grid->isVisible() || !cell.intersects(m_grid->viewport()->rect());
        st.offscreen = st.invisible;
        st.focusable = true;
        st.focused = m_grid->hasFocus() && m_grid->currentIndex() == at;
        st.active = m_grid->currentIndex() == at;
        st.selectable = m_grid->selectionMode() != QAbstractItemView::NoSelection;
        st.selected = m_grid->selectionModel() && m_grid->selectionModel()->isSelected(at);
        const GridCellFormat fmt = m_grid->cellFormat(m_col + 1, m_row + 1);
        if (fmt.type == GridCellType::CheckBox) {
            st.checkable = true;
            st.checked = m_grid->GetText(m_col + 1, m_row + 1) == QLatin1String("1");
        }
        const bool entry = fmt.type != GridCellType::StaticText && !fmt.locked;
        st.editable =
            entry && fmt.type != GridCellType::CheckBox && fmt.type != GridCellType::Button;
        st.readOnly = !entry;
        st.multiLine = fmt.multiLine;
        return st;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    // --- the cell in its table ---------------------------------------------
    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return m_col; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override {
        return m_row >= 0 && m_col >= 0 && isValid() ? m_grid->columnSpan(m_row, m_col) : 1;
    }
    int rowExtent() const override {
        return m_row >= 0 && m_col >= 0 && isValid() ? m_grid->rowSpan(m_row, m_col) : 1;
    }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QModelIndex index() const { return m_grid->model()->index(m_row, m_col); }

    QPointer<Grid> m_grid;
    int m_row, m_col;
};

// The grid as a table of its cells.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(Grid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~GridAccessible() override { forgetCells(); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // Children: (rows + 1) * (columns + 1), header row and heading column first.
    int childCount() const override {
        return (grid()->rowCount() + 1) * (grid()->columnCount() + 1);
    }
    QAccessibleInterface* child(int index) const override {
        const int width = grid()->columnCount() + 1;
        if (index < 0 || index >= childCount())
            return nullptr;
        return cell(index / width - 1, index % width - 1);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child || child->parent() != this)
            return -1;
        const QAccessibleTableCellInterface* cellIface =
            const_cast<QAccessibleInterface*>(child)->tableCellInterface();
        if (!cellIface)
            return -1;
        return (cellIface->rowIndex() + 1) * (grid()->columnCount() + 1) +
               cellIface->columnIndex() + 1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint at = grid()->viewport()->mapFromGlobal(QPoint(x, y));
        const QModelIndex index = grid()->indexAt(at);
        return index.isValid() ? cell(index.row(), index.column()) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const QModelIndex current = grid()->currentIndex();
        if (!grid()->hasFocus() || !current.isValid())
            return nullptr;
        return cell(current.row(), current.column());
    }

    // --- the table -------------------------------------------------------
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
            return nullptr;
        return cell(row, column);
    }
    int columnCount() const override { return grid()->columnCount(); }
    int rowCount() const override { return grid()->rowCount(); }
    QString columnDescription(int column) const override {
        return grid()->shownText(column + 1, 0);
    }
    QString rowDescription(int row) const override { return rowHeading(grid(), row); }

    int selectedCellCount() const override { return int(selectedIndexes().size()); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells;
        for (const QModelIndex& index : selectedIndexes())
            cells << cell(index.row(), index.column());
        return cells;
    }
    int selectedColumnCount() const override { return int(selectedColumns().size()); }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    QList<int> selectedColumns() const override {
        const QItemSelectionModel* model = grid()->selectionModel();
        return model ? numbersOf(model->selectedColumns(), &QModelIndex::column) : QList<int>();
    }
    QList<int> selectedRows() const override {
        const QItemSelectionModel* model = grid()->selectionModel();
        return model ? numbersOf(model->selectedRows(), &QModelIndex::row) : QList<int>();
    }
    bool isColumnSelected(int column) const override { return selectedColumns().contains(column); }
    bool isRowSelected(int row) const override { return selectedRows().contains(row); }
    // The program decides what is selected: a screen reader selects nothing.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }

    void modelChange(QAccessibleTableModelChangeEvent*) override { forgetCells(); }

private:
    Grid* grid() const { return static_cast<Grid*>(widget()); }

    QModelIndexList selectedIndexes() const {
        QItemSelectionModel* model = grid()->selectionModel();
        return model ? model->selectedIndexes() : QModelIndexList();
    }

    // The cell's interface, made on first use and kept until the rows change.
    QAccessibleInterface* cell(int row, int column) const {
        const quint64 key = (quint64(quint32(row + 1)) << 32) | quint32(column + 1);
        const auto found = m_cells.constFind(key);
        if (found != m_cells.constEnd())
            return QAccessible::accessibleInterface(found.value());
        auto* iface = new GridCellAccessible(grid(), row, column);
        m_cells.insert(key, QAccessible::registerAccessibleInterface(iface));
        return iface;
    }
    void forgetCells() {
        for (const QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
        m_cells.clear();
    }

    mutable QHash<quint64, QAccessible::Id> m_cells;
};

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const {
    if (m_row < 0 || m_col < 0 || !isValid() || m_grid->horizontalHeader()->isHidden())
        return {};
    QAccessibleTableInterface* tableIface = table() ? table()->tableInterface() : nullptr;
    if (!tableIface)
        return {};
    return {table()->child(m_col + 1)};
}

QList<QAccessibleInterface*> GridCellAccessible::rowHeaderCells() const {
    if (m_row < 0 || m_col < 0 || !isValid() || rowHeading(m_grid, m_row).isEmpty())
        return {};
    QAccessibleInterface* tableIface = table();
    if (!tableIface)
        return {};
    return {tableIface->child((m_row + 1) * (m_grid->columnCount() + 1))};
}

QAccessibleInterface* gridFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("Grid") && object && object->isWidgetType())
        return new GridAccessible(static_cast<Grid*>(object));
    return nullptr;
}

} // namespace

void installGridAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    (void)installed;
}
