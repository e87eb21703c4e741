#include "platform/griddesign.h"

#include "platform/colors.h"
#include "platform/runtime.h"

QList<GridColumn> gridColumns(const QList<double>& widths) {
    QList<GridColumn> columns;
    for (double width : widths)
        columns.append(GridColumn{.width = width});
    return columns;
}

void designGrid(Grid* grid, const GridDesign& design) {
    const int cols = int(design.columns.size());
    grid->setColumns(design.columns);
    grid->setMaxRows(design.rows);
    if (design.fontPoints > 0) {
        QFont font = grid->font();
        font.setPointSizeF(design.fontPoints);
        grid->setFont(font);
    }
    if (design.locked)
        grid->setLocked({-1, -1}, true);
    for (const GridRow& line : design.lines) {
        const int r = line.row;
        if (line.height > 0)
            grid->SetRowHeight(r, line.height);
        if (line.bold)
            grid->setCellBold({1, r, cols, r}, true);
        if (line.grey)
            grid->setCellBackColor({1, r, cols, r}, vbLabelGrey);
        for (const GridCell& cell : line.cells) {
            const Grid::Block at(cell.col, r);
            switch (cell.kind) {
            case GridCell::Kind::Entry:
                grid->setEditCell(at, cell.maxLength, cell.multiLine);
                grid->setLocked(at, false);
                grid->AddCellSpan(cell.col, r, cell.colSpan, 1);
                break;
            case GridCell::Kind::Label:
                grid->setFixedText(cell.col, r, cell.text, cell.colSpan, cell.rowSpan);
                [[fallthrough]];
            case GridCell::Kind::Plain:
                if (cell.kind == GridCell::Kind::Plain && cell.colSpan > 1)
                    grid->AddCellSpan(cell.col, r, cell.colSpan, 1);
                if (cell.multiLine)
                    grid->setMultiLine(at, true);
                break;
            }
            if (cell.isBold)
                grid->setCellBold(at, true);
            if (cell.isGrey)
                grid->setCellBackColor(at, vbLabelGrey);
        }
    }
    if (design.noScrollBars & Qt::Horizontal)
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (design.noScrollBars & Qt::Vertical)
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setPrintHeadingRows(design.printHeadingRows);
    if (design.heightTwips > 0)
        grid->setFixedHeight(twips(design.heightTwips));
}

Grid* newGrid(const QString& name, const GridDesign& design) {
    auto* grid = new Grid;
    grid->setObjectName(name);
    designGrid(grid, design);
    return grid;
}
