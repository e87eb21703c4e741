// A grid built from its description: every cell as the description says,
// and nothing more.
#include "platform/colors.h"
#include "platform/griddesign.h"

#include <gtest/gtest.h>

namespace {

using C = GridCell;

// Row 1 a grey bold heading over three columns; row 2 a label and an entry
// over the rest; row 3 labels spanning two rows and a plain bold cell; row
// 5 a tall entry of one line. The columns' shapes reach the rows added later.
GridDesign sample(bool locked) {
    return {
        .columns = {{.width = 20, .maxLength = 7}, {.width = 10}, {.width = 0}},
        .rows = 5,
        .locked = locked,
        .fontPoints = 8,
        .lines = {{.row = 1,
                   .height = 26,
                   .cells = {C::label(1, "Heading", 3)},
                   .bold = true,
                   .grey = true},
                  {.row = 2, .cells = {C::label(1, "Name").grey().wrapped(), C::entry(2, 40, 2)}},
                  {.row = 3, .cells = {C::label(1, "Tall", 1, 2).bold(), C::plain(2, 2).bold()}},
                  {.row = 5, .height = 30, .cells = {C::entry(1, 0, 1, false)}}}};
}

struct Expected {
    int col, row;
    QString text;
    GridCellType type;
    bool locked, bold, grey, multiLine;
    int maxLength, rowSpan, colSpan;
};

TEST(GridDesign, BuildsEveryCellAsDescribed) {
    const QList<Expected> cells = {
        // col row  text       type                       lock  bold   grey   wrap  max span
        {1, 1, "Heading", GridCellType::Edit, true, true, true, false, 7, 1, 3},
        {3, 1, "", GridCellType::Edit, true, true, true, false, 0, 1,
         3}, // covered: grey and bold too
        {1, 2, "Name", GridCellType::Edit, true, false, true, true, 7, 1, 1},
        {2, 2, "", GridCellType::Edit, false, false, false, true, 40, 1, 2},
        {1, 3, "Tall", GridCellType::Edit, true, true, false, false, 7, 2, 1},
        {2, 3, "", GridCellType::Edit, true, true, false, false, 0, 1, 2},
        {1, 4, "", GridCellType::Edit, true, false, false, false, 7, 2, 1}, // covered by "Tall"
        {2, 4, "", GridCellType::Edit, true, false, false, false, 0, 1, 1}, // nothing designed
        {1, 5, "", GridCellType::Edit, false, false, false, false, 0, 1, 1},
    };
    Grid grid;
    designGrid(&grid, sample(true));
    EXPECT_EQ(grid.MaxCols(), 3);
    EXPECT_EQ(grid.MaxRows(), 5);
    EXPECT_FALSE(grid.colHeadersShown());
    EXPECT_EQ(grid.font().pointSizeF(), 8);
    EXPECT_EQ(grid.ColWidth(1), 20);
    EXPECT_EQ(grid.ColWidth(2), 10);
    EXPECT_TRUE(grid.isColumnHidden(2));
    for (const Expected& e : cells) {
        const GridCellFormat f = grid.cellFormat(e.col, e.row);
        const QString at = QStringLiteral("(%1,%2)").arg(e.col).arg(e.row);
        EXPECT_EQ(grid.GetText(e.col, e.row), e.text) << at.toStdString();
        EXPECT_EQ(f.type, e.type) << at.toStdString();
        EXPECT_EQ(f.locked, e.locked) << at.toStdString();
        EXPECT_EQ(f.bold, e.bold) << at.toStdString();
        EXPECT_EQ(f.backColor, e.grey ? vbLabelGrey : vbWhite) << at.toStdString();
        EXPECT_EQ(f.multiLine, e.multiLine) << at.toStdString();
        EXPECT_EQ(f.maxLength, e.maxLength) << at.toStdString();
        EXPECT_EQ(grid.rowSpan(e.row - 1, e.col - 1), e.rowSpan) << at.toStdString();
        EXPECT_EQ(grid.columnSpan(e.row - 1, e.col - 1), e.colSpan) << at.toStdString();
    }
    // Rows as designed, or as tall as their texts need; a row not designed
    // keeps the grid's default height.
    EXPECT_GE(grid.RowHeight(1), 26);
    EXPECT_EQ(grid.RowHeight(5), 30);
    Grid plain;
    plain.setMaxCols(1);
    plain.setMaxRows(1);
    EXPECT_EQ(grid.RowHeight(4), plain.RowHeight(1));

    // Unlocked by design, only the labels are locked; rows added later take
    // their column's shape.
    Grid open;
    designGrid(&open, sample(false));
    EXPECT_FALSE(open.cellLocked(2, 4));
    EXPECT_TRUE(open.cellLocked(1, 2));
    EXPECT_FALSE(open.cellLocked(2, 3)); // a plain cell is shaped only
    open.setMaxRows(6);
    EXPECT_EQ(open.cellFormat(1, 6).maxLength, 7);
}

TEST(GridDesign, ColumnHeadersShowWhenAColumnHasOne) {
    const QList<std::pair<QList<GridColumn>, bool>> cases = {
        {gridColumns({10, 20}), false},
        {{{.header = "ID", .width = 0}, {.header = "Name", .width = 20}}, true},
    };
    for (const auto& [columns, shown] : cases) {
        std::unique_ptr<Grid> grid(newGrid("g", {.columns = columns, .rows = 1}));
        EXPECT_EQ(grid->objectName(), "g");
        EXPECT_EQ(grid->colHeadersShown(), shown);
        EXPECT_EQ(grid->GetText(1, 0), columns[0].header);
    }
}

} // namespace
