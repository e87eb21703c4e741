// Checks of what a window paints against what it says it shows.
#include "tests/common/paintprobe.h"

#include "platform/grid.h"
#include "tests/platform/qtprint.h"

#include <QAccessible>
#include <QHash>
#include <QHeaderView>
#include <gtest/gtest.h>

void expectReadable(QWidget* window, const QString& name) {
    const QList<PaintedText> texts = paintedTexts(window);
    EXPECT_FALSE(texts.isEmpty()) << name.toStdString();
    for (const PaintedText& t : texts) {
        EXPECT_GE(t.contrast, 4.5)
            << name.toStdString() << ": \"" << t.text.toStdString() << "\" in "
            << t.color.name().toStdString() << " on " << t.background.name().toStdString();
    }
}

// The texts a grid paints in each cell (0-based), lines joined by a blank.
namespace {

QHash<QPair<int, int>, QString> paintedCells(Grid* grid) {
    QHash<QPair<int, int>, QString> cells;
    for (const PaintedText& t : paintedTexts(grid)) {
        const QPoint at = grid->viewport()->mapFrom(grid, t.rect.center().toPoint());
        const QModelIndex index = grid->indexAt(at);
        if (!index.isValid() || !grid->viewport()->rect().contains(at))
            continue;
        QString& text = cells[{index.row(), index.column()}];
        text = (text + " " + t.text).simplified();
    }
    return cells;
}

// The header texts a grid paints, by column.
QHash<int, QString> paintedHeaders(Grid* grid) {
    QHash<int, QString> headers;
    for (const PaintedText& t : paintedTexts(grid)) {
        const QPoint at = grid->horizontalHeader()->mapFrom(grid, t.rect.center().toPoint());
        if (grid->horizontalHeader()->rect().contains(at))
            headers[grid->horizontalHeader()->logicalIndexAt(at)] = t.text;
    }
    return headers;
}

} // namespace

int expectReadAsPainted(Grid* grid, int headingColumn) {
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    EXPECT_TRUE(table && table->tableInterface());
    if (!table || !table->tableInterface())
        return 0;
    QAccessibleTableInterface* cells = table->tableInterface();
    EXPECT_EQ(cells->rowCount(), grid->MaxRows());
    EXPECT_EQ(cells->columnCount(), grid->MaxCols());
    const auto painted = paintedCells(grid);
    const auto headers = paintedHeaders(grid);
    int read = 0;
    for (int r = 0; r < cells->rowCount(); ++r) {
        for (int c = 0; c < cells->columnCount(); ++c) {
            QAccessibleInterface* cell = cells->cellAt(r, c);
            EXPECT_TRUE(cell && cell->tableCellInterface());
            if (!cell || !cell->tableCellInterface())
                continue;
            if (grid->isColumnHidden(c)) {
                EXPECT_TRUE(cell->state().invisible); // not shown: not read
                continue;
            }
            ++read;
            const QString where = QString("cell %1,%2").arg(r + 1).arg(c + 1);
            EXPECT_EQ(cell->role(), QAccessible::Cell);
            EXPECT_EQ(cell->text(QAccessible::Name).simplified().toStdString(),
                      painted.value({r, c}).toStdString())
                << where.toStdString();
            const QList<QAccessibleInterface*> columnHeads =
                cell->tableCellInterface()->columnHeaderCells();
            EXPECT_EQ(columnHeads.size(), grid->colHeadersShown() ? 1 : 0) << where.toStdString();
            if (!columnHeads.isEmpty())
                EXPECT_EQ(columnHeads[0]->text(QAccessible::Name).toStdString(),
                          headers.value(c).toStdString())
                    << where.toStdString();
            const QList<QAccessibleInterface*> rowHeads =
                cell->tableCellInterface()->rowHeaderCells();
            EXPECT_EQ(rowHeads.size(), painted.value({r, headingColumn}).isEmpty() ? 0 : 1)
                << where.toStdString();
            if (!rowHeads.isEmpty())
                EXPECT_EQ(rowHeads[0]->text(QAccessible::Name).simplified().toStdString(),
                          painted.value({r, headingColumn}).toStdString())
                    << where.toStdString();
            EXPECT_EQ(cell->tableCellInterface()->table(), table);
        }
    }
    return read;
}
