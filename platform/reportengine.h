#pragma once
// A small banded report engine. A Layout describes a report: a report header
// (first page), a page header and footer (every page), groups that break on
// a field (header before, footer after the group's rows), one or more detail
// sections (one set per row) and a report footer. A section holds text
// objects, fields and lines at twip positions; a section may carry a
// subreport, which prints its own layout for the rows of its data whose link
// field matches the current row's.
//
// A Report is a layout with its data: each report and subreport reads its
// rows from the record set given to its database, fields by name. Reports
// are paginated for their sheet band by band and drawn with QPainter, on a
// Printer or into the ReportViewer page view.
//
// Groups compare their field as the host engine's queries compare text:
// without regard to case, so rows whose values differ only in case are one
// group, shown with the spelling of its first row; a value of blanks only is
// no value. A text too long for the rest of a page starts where it stands
// and goes on over the next pages, cut between its lines: each line is
// printed once and whole.
#include "platform/adodb.h"
#include "platform/printer.h"

#include <QHash>
#include <QMap>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <array>
#include <functional>
#include <memory>

class QPainter;
class QProgressBar;

namespace report {

// The rows a report reads: a copy of a record set's fields and rows.
struct DataTable {
    QStringList names;
    ado::RowStore cells; // a field of each name to a row
    int rowCount() const { return int(cells.rowCount()); }
    QVariant at(int row, int column) const { return cells.at(row, column); }
    quint64 raw(int row, int column) const { return cells.raw(row, column); }
    int column(const QString& name) const; // any case; -1 when absent
    int column(const char* name) const;    // a name written in the program
    static DataTable fromRecordset(ado::Recordset& rs);

private:
    bool namesChanged() const;
    int lookUp(const QString& name) const;
    // The names asked for last, found again by where their text stands: a
    // layout asks with its own texts on every row. Each is held, so that
    // its place holds no other text meanwhile.
    struct Asked {
        QString name;
        const char* literal = nullptr;
        int column = -1;
    };
    mutable std::array<Asked, 32> m_asked;
    mutable int m_nextAsked = 0;
    mutable QStringList m_indexedNames;
    mutable QHash<QString, int> m_index;
};

// One row of a report's data, as the formulas see it.
class Row {
public:
    Row(const DataTable* table, int row) : m_table(table), m_row(row) {}
    QVariant value(const QString& field) const; // Null when absent or no row
    QString text(const QString& field) const;   // Null reads as ""
    QVariant value(const char* field) const;
    QString text(const char* field) const;

private:
    static QString textOf(const QVariant& value);
    const DataTable* m_table;
    int m_row;
};

struct Item {
    enum Kind { Text, Field, Formula, Line };
    Kind kind = Text;
    QString name; // a text object's name (Report::setText)
    // Text: may hold {Title}, {Page}, {Pages} and {Count} (in a group footer
    // the rows of its group, in the report footer the rows of the report).
    QString text;
    QString field; // Field: the field shown
    std::function<QString(const Row&)> formula;
    QStringList formulaFields; // the fields a formula reads
    int left = 0;              // twips from the section's left edge
    int top = 0;               // twips from the section's top
    int width = 0;             // 0: to the right edge
    double fontSize = 9;
    bool bold = false;
    bool italic = false;
    Qt::Alignment align = Qt::AlignLeft;
    bool wrap = false; // grows downwards to hold all its text

    Item& at(int l, int t, int w = 0);
    Item& font(double size, bool isBold = false);
    Item& aligned(Qt::Alignment a);
    Item& wrapped();
    Item& named(const QString& n);
};

Item text(const QString& text);
Item field(const QString& field);
Item formula(QStringList fields, std::function<QString(const Row&)> f);
Item line(int top = 0);

// The font an item's text is measured and drawn in.
QFont itemFont(const Item& item);
// The height (twips) of an item's text set in lines across width twips, as
// it is drawn.
double itemTextHeight(const Item& item, const QString& text, double width);

struct Section {
    QList<Item> items;
    int height = 0;                // twips at least
    bool newPageBefore = false;    // starts a new page unless the page is still empty
    bool keepWithNext = false;     // printed on the page of the band after it
    bool keepWithPrevious = false; // printed on the page of the band before it
    // A group heading printed again atop each page its group runs on to; a
    // subreport's report header, atop each page the subreport runs on to.
    bool repeatOnNewPage = false;
    QString subreport;          // a subreport of the layout printed below the items
    QString linkField;          // this report's field ...
    QString subreportLinkField; // ... matched by the subreport's field
    int subreportIndent = 0;    // twips
    bool hideWhenSubreportEmpty = false;

    Section& operator<<(const Item& item) {
        items << item;
        return *this;
    }
};

struct Group {
    QString field;
    // A group whose rows come in several runs (values that differ only in
    // case or blanks, or no value at all, which the group takes as one) has
    // its runs merged into one order by these fields, compared without
    // regard to case; each run keeps its own order.
    QStringList mergeRunsBy;
    QList<Section> headers; // printed in turn when the group starts
    QList<Section> footers; // printed in turn when it ends
};

struct Layout {
    QString name;
    Section reportHeader;
    Section pageHeader;
    QList<Group> groups;
    QList<Section> details;
    Section reportFooter;
    Section pageFooter;
    QMap<QString, std::shared_ptr<const Layout>> subreports;

    // Every field the layout reads from its own data.
    QStringList fields() const;
};

class Report;

// Where a report's rows come from.
class Database {
public:
    // Reads the record set's rows; raises when a field the layout prints is
    // not among the record set's fields.
    void setDataSource(ado::Recordset& rs);
    bool hasDataSource() const { return m_set; }
    const DataTable& table() const { return m_table; }

private:
    friend class Report;
    explicit Database(const Layout* layout) : m_layout(layout) {}
    const Layout* m_layout;
    DataTable m_table;
    bool m_set = false;
};

// One sheet of a paginated report: bands placed at twip positions.
struct PlacedBand {
    const Report* report = nullptr;
    const Section* section = nullptr;
    int row = -1;  // row of the report's data the band shows
    int x = 0;     // twips from the sheet's left edge
    int y = 0;     // twips from the sheet's top
    int count = 0; // {Count}: the rows of the group or report the band closes
    // A band cut between pages is placed in pieces: this piece shows the
    // lines of the band (twips from its top) that start at or below from
    // and end at or above to (to < 0: to the band's end), from at y.
    float from = 0; // (a long report keeps a band for every piece it prints)
    float to = -1;
};
struct Page {
    QVector<PlacedBand> bands;
    QSizeF sheet; // twips
};

class Report {
public:
    static constexpr int crPortrait = 1;
    static constexpr int crLandscape = 2;
    static constexpr int crPaperA4 = 9;

    explicit Report(std::shared_ptr<const Layout> layout);
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    const Layout& layout() const { return *m_layout; }

    // Drops the rows and texts given so far (0: all of them), so the report
    // is as its layout designs it. Called first on every fresh report.
    void discardSavedData(int scope = 0);

    int paperOrientation() const { return m_orientation; }
    void setPaperOrientation(int orientation); // 1 portrait, 2 landscape
    int paperSize() const { return m_paperSize; }
    void setPaperSize(int size); // 9 A4 (the default); 0 the printer's own

    Database& database() { return m_database; }
    const Database& database() const { return m_database; }

    // Gives the text object name its text; raises when the layout has none.
    void setText(const QString& objectName, const QString& text);
    QString objectText(const QString& objectName) const;
    void setReportTitle(const QString& title) { m_title = title; }
    QString reportTitle() const { return m_title; }

    // The subreport of that name; raises when the layout has none.
    Report& openSubreport(const QString& name);
    const Report* subreport(const QString& name) const;

    // The pages for a sheet of the given size (twips).
    QVector<Page> paginate(const QSizeF& sheet) const;
    // The sheet size (twips) of the report's paper and orientation.
    QSizeF sheetSize() const;
    // Draws one page; the painter's units are device pixels, k of them a twip.
    // pageCount is the report's number of pages for "{Pages}" (-1: as many
    // as pages holds; 0: not known yet).
    void drawPage(QPainter& painter, const QVector<Page>& pages, int index, double k,
                  int pageCount = -1) const;
    // Draws one page on the printer's current sheet: as it stands on a sheet
    // of its own size and orientation, turned a quarter where the sheet's
    // orientation differs, and scaled down where it is smaller.
    void drawPageOnSheet(Printer& printer, const QVector<Page>& pages, int index) const;
    // Sets the printer's orientation and paper to the report's.
    void preparePrinter(Printer& printer) const;

    // Prints every page on the printer's sheets and ends the job.
    void print(Printer& printer) const;
    // Prints the range of the pages (which, how many times and in what
    // order; the pages as paginate gave them for the report's own sheet) and
    // ends the job; a range holding no page prints nothing.
    // Meanwhile the wait cursor, the windows repainting and "Writing page n
    // of m" in bar (or a window of its own when bar is null).
    void print(Printer& printer, const QVector<Page>& pages, const PrintRange& range,
               QProgressBar* bar = nullptr) const;

private:
    std::shared_ptr<const Layout> m_layout;
    Database m_database;
    QHash<QString, QString> m_texts;
    QString m_title;
    int m_orientation = crPortrait;
    int m_paperSize = crPaperA4;
    std::map<QString, std::unique_ptr<Report>> m_subreports;
};

// A report laid out a few pages at a time, so that its first pages can be
// shown while the rest are still being laid out. The report must outlive
// it and stay as it is meanwhile.
class Pagination {
public:
    Pagination(const Report& report, const QSizeF& sheet);
    ~Pagination();
    Pagination(const Pagination&) = delete;
    Pagination& operator=(const Pagination&) = delete;

    // Lays out until at least `pages` pages are complete (-1: all of them)
    // or `budgetMs` has passed (0: no limit); true when the whole report is.
    bool advance(int pages, qint64 budgetMs = 0);
    bool complete() const;
    // The pages laid out to their foot; pages() may hold one more, the page
    // being laid out.
    int completePages() const;
    const QVector<Page>& pages() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace report
