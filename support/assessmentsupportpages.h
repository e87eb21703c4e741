#pragma once
// Section 3a, ASSESSMENT OF SUPPORT REQUIREMENTS: the four pages share one
// design; this table holds what differs from page to page: the items with
// their GridID and the support areas rated for them, the headings of the
// level grid, and the GridIDs the page owns in TAV_Assessment_Supp_Req.
#include <QList>
#include <QString>

// An item of the level grid: its lead sentence in column 1 of textRow and its
// level cells (a drop-down list per support area rated) on row.
struct SupportItem {
    int row = 0;
    int gridId = 0;
    QList<int> areas; // Support_Area codes 1..5; the cell of area a is column a + 1
    QString text;
    int textRow = 0; // row itself or the row above it (items with a long text)
};

// A heading or other fixed text of column 1.
struct SupportHeading {
    int row = 0;
    QString text;
};

// A level cell of the grid, in the order the page saves it.
struct SupportCell {
    int col = 0;
    int row = 0;
};

struct SupportPageLayout {
    int page = 0;      // 1..4
    QString formName;  // "frmAssessment_Support_Reg1" ..
    int rows = 0;      // rows of gridAreaLevel, the column headings included
    QString narrowing; // narrows the select and the delete to the page's GridIDs
    QString ordering;  // ORDER BY of the select
    int firstLevelRow = 0;
    int lastLevelRow = 0;
    int gridIdOffset = 0; // pages 2-4: GridID = row + offset
    QList<SupportItem> items;
    QList<SupportHeading> headings;

    // The GridID of a level row, and the row a stored GridID is shown on.
    int gridIdOfRow(int row) const;
    int rowOfGridId(int gridId) const;
    // The level cells walked by the save: rows ascending, columns 2 to 6
    // (page 1: column by column, row 4 for the first two areas, then row 6).
    QList<SupportCell> saveOrder() const;
};

constexpr int kSupportPages = 4;
constexpr int kRatingRow = 21; // page 4: the overall rating of each support area

// The layout of page 1..4.
const SupportPageLayout& supportPage(int page);

// Row 1 of every level grid: "Areas of support" and the five support areas.
QStringList supportAreaHeadings();
// The list of a level cell, Tab-separated.
QString levelList();
