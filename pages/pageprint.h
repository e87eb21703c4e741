#pragma once
// The page print: what a page prints after its heading and learner line,
// given as a list of items, and the routine that puts them on the sheets.
#include <QList>
#include <QString>

class Grid;
class Printer;

// One step of the page print after the heading and the learner line.
struct PrintItem {
    enum class Kind { Grid, PagedGrid, Text, NewPage };
    // A rectangle in twips whose right and bottom are the printer's Width and
    // Height plus the given amounts (rightAdd 3000 gives Width + 3000).
    struct Rect {
        int left = 500;
        int top = 800;
        int rightAdd = 0;
        int bottomAdd = 0;
    };

    Kind kind = Kind::Grid;
    Grid* target = nullptr;
    Rect draw;            // Grid and PagedGrid: the rectangle drawn in
    Rect count;           // PagedGrid: the rectangle the pages are counted in
    QString text;         // Text: the line printed at draw.left, draw.top
    double fontSize = 9;  // Text
    bool fontBold = true; // Text
    // A heading: printed on the sheet of the first row of the item after it
    // (a text line heads what follows it).
    bool keepWithNext = false;

    // Grid drawn at left, top; right is Width + rightAdd, bottom Height. A grid
    // longer than the rest of its sheet goes on over the next sheets, from
    // their top margin.
    static PrintItem grid(Grid* grid, int left, int top, int rightAdd = 0);
    // Every page of grid: counted in count, drawn in draw, NewPage between pages.
    static PrintItem paged(Grid* grid, Rect count, Rect draw);
    // A text line in Times New Roman at x, y.
    static PrintItem textLine(int x, int y, const QString& text, double fontSize = 9,
                              bool bold = true);
    static PrintItem newPage();
    // This item as a heading of the item after it.
    PrintItem keptWithNext() const;
};

// What the page print prints: the heading " EMIS NUMBER: " & gEmisCode & title
// at 500, 130 (bold Times New Roman, 11 pt, 12 pt on landscape pages, which
// first print an empty line at 140, 130), the learner line at 500, 360 when
// learnerLine is set, then the items in order, then EndDoc. Every further
// sheet carries the heading and the learner line again. A heading item
// (keepWithNext) that would end a sheet without the first row of what it
// heads goes on to the next sheet with it. A grid that would
// be drawn over a grid printed before it on the same sheet moves down below
// it, and the items after it move down as far. After a grid that went on over
// further sheets the items follow below its end; grids placed side by side
// (one top, apart from each other) go on over the sheets side by side.
struct PrintLayout {
    bool landscape = false;
    QString title = {};
    bool learnerLine = true;
    QList<PrintItem> items = {};
    double headingFontSize = 0; // 0: 11, or 12 on landscape pages
};

// Prints the heading, the learner line and items on printer, which the print
// dialog has set up; the caller ends the document.
void printPage(Printer& printer, const PrintLayout& layout, const QList<PrintItem>& items);

// The name of a page print's job and of the file the print dialog offers:
// the page's title (its caption when it prints none) and the learner.
QString printDocumentName(const PrintLayout& layout, const QString& caption);
