#pragma once
// A grid of labels and entry cells described once: its columns (widths,
// headers and the shape of their cells, as Grid::setColumns takes them), its
// number of rows, and the rows that hold something, each with its designed
// height and the cells placed in it. designGrid builds the grid described.
//
//     designGrid(grid, {.columns = gridColumns({26, 34, 32, 8, 8}), .rows = 9, .locked = true,
//                       .lines = {{.row = 1, .cells = {GridCell::label(1, "1. REVIEW", 5).bold()}},
//                                 {.row = 6, .height = 60,
//                                  .cells = {GridCell::entry(1, 9000, 5)}}}});
//
// The header row shows when a column has a header. Rows and columns count
// from 1, as in the grid.
#include "platform/grid.h"

#include <QList>
#include <QString>

// A label (a fixed text, locked), an entry cell (an edit cell open to the
// user) or a plain cell (only its look designed; the program writes its
// text) at a column of its row.
struct GridCell {
    enum class Kind { Label, Entry, Plain };
    Kind kind = Kind::Label;
    int col = 1;
    QString text{}; // a label's text
    int colSpan = 1;
    int rowSpan = 1;
    int maxLength = 0; // an entry's size; 0 is no limit
    bool multiLine = false;
    bool isBold = false;
    bool isGrey = false; // vbLabelGrey

    static GridCell label(int col, const QString& text, int colSpan = 1, int rowSpan = 1) {
        GridCell cell;
        cell.col = col;
        cell.text = text;
        cell.colSpan = colSpan;
        cell.rowSpan = rowSpan;
        return cell;
    }
    // An entry cell spanning colSpan columns, multi-line unless said otherwise.
    static GridCell entry(int col, int maxLength = 0, int colSpan = 1, bool multiLine = true) {
        GridCell cell;
        cell.kind = Kind::Entry;
        cell.col = col;
        cell.maxLength = maxLength;
        cell.colSpan = colSpan;
        cell.multiLine = multiLine;
        return cell;
    }
    static GridCell plain(int col, int colSpan = 1) {
        GridCell cell;
        cell.kind = Kind::Plain;
        cell.col = col;
        cell.colSpan = colSpan;
        return cell;
    }
    GridCell bold(bool on = true) const {
        GridCell cell = *this;
        cell.isBold = on;
        return cell;
    }
    GridCell grey() const {
        GridCell cell = *this;
        cell.isGrey = true;
        return cell;
    }
    // Its text wrapped and its editor of several lines.
    GridCell wrapped() const {
        GridCell cell = *this;
        cell.multiLine = true;
        return cell;
    }
};

// A row as designed: its height (points; 0 keeps the default) and its cells;
// bold and grey shape every cell of the row, the cells its labels cover too.
struct GridRow {
    int row = 1;
    double height = 0;
    QList<GridCell> cells{};
    bool bold = false;
    bool grey = false;
};

struct GridDesign {
    QList<GridColumn> columns{};
    int rows = 0;
    bool locked = false;   // every cell locked but the entry cells
    double fontPoints = 0; // 0 keeps the grid's font
    QList<GridRow> lines{};
    int heightTwips = 0;                // > 0: the grid stands so high
    int printHeadingRows = 0;           // rows from 1 that head every printed page
    Qt::Orientations noScrollBars = {}; // the scroll bars it never shows
};

// Columns of these widths (grid units; 0 hides a column), without headers,
// their cells edit cells.
QList<GridColumn> gridColumns(const QList<double>& widths);

// Shapes grid, made fresh, as design describes it.
void designGrid(Grid* grid, const GridDesign& design);
// A new grid named name, designed so.
Grid* newGrid(const QString& name, const GridDesign& design);
