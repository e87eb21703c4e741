#include "pages/pageprint.h"

#include "platform/grid.h"
#include "platform/printer.h"
#include "services/globals.h"

#include <QFontMetricsF>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>

namespace {

const QString kPrintFont = QStringLiteral("Times New Roman");

// The room left between a grid and one moved down below it, in twips.
constexpr int kPrintGap = 120;

// A heading wider than the printable part of the sheet right of CurrentX is
// printed smaller, down to 8 points, so that none of it runs off the sheet.
void fitHeading(Printer& printer, const QString& heading) {
    const double room = printer.printableArea().right() - printer.CurrentX();
    while (printer.FontSize() > 8) {
        const QFontMetricsF metrics(printer.currentFont(), &printer.qprinter());
        if (metrics.horizontalAdvance(heading) / printer.twipsToDevice() <= room)
            break;
        printer.setFontSize(printer.FontSize() - 0.5);
    }
}

// The items of a page print go where the page puts them, with these
// exceptions, so that nothing printed is lost or drawn over:
//  - a grid that would be drawn over one printed before it on the same sheet
//    moves down below it, and the items after it move down as far;
//  - a grid too long for the rest of its sheet goes on over the next sheets
//    from their top margin (the grid sees to that), and the items after it
//    follow on below its end there;
//  - grids put side by side (at one top, apart from each other) go on over
//    the next sheets side by side;
//  - a text line below the foot of its sheet goes at the top of the next.
class SheetFlow {
public:
    explicit SheetFlow(Printer& printer) : m_printer(printer) {}

    void print(const QList<PrintItem>& items) {
        for (qsizetype i = 0; i < items.size();) {
            // A heading that would stand at the sheet's foot without the
            // first row it heads goes on to the next sheet with it.
            if (items[i].keepWithNext && !m_sheetEmpty && !fitsWithWhatItHeads(items, i)) {
                m_printer.NewPage();
                newSheet();
                m_shift = Printer::kContinuedTop - items[i].draw.top;
            }
            i = step(items, i);
        }
    }

private:
    // Prints the item at i (with the grids beside it); returns the next one's index.
    qsizetype step(const QList<PrintItem>& items, qsizetype i) {
        const PrintItem& item = items[i];
        switch (item.kind) {
        case PrintItem::Kind::Grid: {
            QList<const PrintItem*> band{&item};
            while (i + 1 < items.size() && besideBand(band, items[i + 1]))
                band.append(&items[++i]);
            printBand(band, false);
            break;
        }
        case PrintItem::Kind::PagedGrid:
            printBand({&item}, true);
            break;
        case PrintItem::Kind::Text:
            printText(item);
            break;
        case PrintItem::Kind::NewPage:
            if (!m_dry) {
                m_printer.NewPage();
                newSheet();
            }
            break;
        }
        return i + 1;
    }

    // Whether the headings from i on and the first row of the item they head
    // find room on this sheet: tried on a copy of the flow that draws nothing.
    bool fitsWithWhatItHeads(const QList<PrintItem>& items, qsizetype i) const {
        SheetFlow trial(*this);
        trial.m_dry = true;
        qsizetype k = i;
        while (k < items.size() && items[k].keepWithNext && trial.m_fits)
            k = trial.step(items, k);
        if (!trial.m_fits || k >= items.size())
            return trial.m_fits;
        trial.m_headed = true;
        trial.step(items, k);
        return trial.m_fits;
    }
    int right(const PrintItem::Rect& r) const { return m_printer.Width() + r.rightAdd; }
    int bottom(const PrintItem::Rect& r) const { return m_printer.Height() + r.bottomAdd; }

    // The part of the sheet the grid of item covers from top on the page given.
    QRectF extent(const PrintItem& item, int top, int page) const {
        const PrintItem::Rect& d = item.draw;
        return item.target->OwnerPrintExtent(m_printer, d.left, top, right(d), bottom(d), page);
    }

    // A grid at the band's top and clear of every grid of the band, left or right.
    bool besideBand(const QList<const PrintItem*>& band, const PrintItem& next) const {
        if (next.kind != PrintItem::Kind::Grid || next.draw.top != band.first()->draw.top)
            return false;
        const int top = Printer::kContinuedTop;
        const QRectF span = extent(next, top, 1);
        for (const PrintItem* member : band) {
            const QRectF other = extent(*member, top, 1);
            if (span.isEmpty() || other.isEmpty() ||
                (span.left() < other.right() && other.left() < span.right()))
                return false;
        }
        return true;
    }

    void newSheet() {
        m_covered.clear();
        m_shift = 0;
        m_followAt.reset();
        m_sheetEmpty = true;
    }

    // Where an item designed at top goes: moved as the items before it were,
    // or right below a grid that went on over sheets.
    int topOf(int designed) {
        if (m_followAt) {
            m_shift = *m_followAt - designed;
            m_followAt.reset();
        }
        return designed + m_shift;
    }

    void printBand(const QList<const PrintItem*>& band, bool paged) {
        const int designed = band.first()->draw.top;
        int top = topOf(designed);
        // Below every grid printed before on this sheet that it would cover.
        for (int tries = 0; tries <= m_covered.size(); ++tries) {
            int below = top;
            for (const PrintItem* item : band) {
                const QRectF mine = extent(*item, top, 1);
                for (const QRectF& drawn : m_covered) {
                    if (!mine.isEmpty() && drawn.intersects(mine))
                        below = std::max(below, int(std::ceil(drawn.bottom())) + kPrintGap);
                }
            }
            if (below == top)
                break;
            top = below;
        }
        m_shift = top - designed;

        if (m_dry) {
            // A trial: what a heading heads shows a row on this sheet; a
            // heading itself fits on it whole.
            for (const PrintItem* item : band) {
                const PrintItem::Rect& d = item->draw;
                const QRectF first = extent(*item, top, 1);
                if (m_headed ? first.isEmpty()
                             : item->target->OwnerPrintPagesNeeded(m_printer, d.left, top, right(d),
                                                                   bottom(d)) > 1)
                    m_fits = false;
                if (!first.isEmpty())
                    m_covered << first;
            }
            return;
        }

        // The pages each grid needs, and those it is drawn in: a paged grid in
        // its own place is counted in its counting rectangle.
        QList<int> needed, counted;
        for (const PrintItem* item : band) {
            const PrintItem::Rect& d = item->draw;
            needed << item->target->OwnerPrintPagesNeeded(m_printer, d.left, top, right(d),
                                                          bottom(d));
            const PrintItem::Rect& c = paged && top == designed ? item->count : d;
            const int countTop = paged && top == designed ? c.top : top;
            counted << item->target->OwnerPrintPageCount(m_printer, c.left, countTop, right(c),
                                                         bottom(c));
        }
        const int sheets = *std::max_element(needed.begin(), needed.end());
        const int pages = std::max(sheets, *std::max_element(counted.begin(), counted.end()));
        for (int p = 1; p <= pages; ++p) {
            for (qsizetype i = 0; i < band.size(); ++i) {
                const PrintItem::Rect& d = band[i]->draw;
                if (p <= counted[i])
                    band[i]->target->OwnerPrintDraw(m_printer, d.left, top, right(d), bottom(d), p);
            }
            // A count beyond the grid's end adds no sheet; the last page
            // counted short of the end carries the rest itself.
            bool more = false;
            for (qsizetype i = 0; i < band.size(); ++i)
                more = more || p + 1 <= std::min(counted[i], needed[i]);
            if (more)
                m_printer.NewPage();
        }

        m_sheetEmpty = false;
        if (sheets > 1) {
            newSheet();
            m_sheetEmpty = false;
            double end = 0;
            for (qsizetype i = 0; i < band.size(); ++i) {
                if (needed[i] != sheets)
                    continue;
                const QRectF last = extent(*band[i], top, sheets);
                if (!last.isEmpty()) {
                    m_covered << last;
                    end = std::max(end, last.bottom());
                }
            }
            m_followAt = int(std::ceil(end)) + kPrintGap;
        } else {
            for (const PrintItem* item : band) {
                const QRectF drawn = extent(*item, top, 1);
                if (!drawn.isEmpty())
                    m_covered << drawn;
            }
        }
    }

    void printText(const PrintItem& item) {
        m_printer.setFontName(kPrintFont);
        m_printer.setFontSize(item.fontSize);
        m_printer.setFontBold(item.fontBold);
        int top = topOf(item.draw.top);
        const QFontMetricsF metrics(m_printer.currentFont(), &m_printer.qprinter());
        if (top + metrics.height() / m_printer.twipsToDevice() >
            m_printer.printableArea().bottom()) {
            if (m_dry) {
                m_fits = false;
                return;
            }
            m_printer.NewPage();
            newSheet();
            top = Printer::kContinuedTop;
            m_shift = top - item.draw.top;
        }
        if (m_dry)
            return;
        m_printer.setCurrentX(item.draw.left);
        m_printer.setCurrentY(top);
        m_printer.Print(item.text);
        m_sheetEmpty = false;
    }

    Printer& m_printer;
    bool m_sheetEmpty = true; // nothing but the heading lines on the sheet yet
    bool m_dry = false;       // a trial: nothing is drawn
    bool m_headed = false;    // the trial's item headed by the ones before
    bool m_fits = true;
    QList<QRectF> m_covered; // twips, what grids have drawn on the current sheet
    int m_shift = 0;         // how far the items still to come are moved down
    std::optional<int> m_followAt;
};

} // namespace

PrintItem PrintItem::grid(Grid* grid, int left, int top, int rightAdd) {
    PrintItem item;
    item.kind = Kind::Grid;
    item.target = grid;
    item.draw = {left, top, rightAdd, 0};
    return item;
}

PrintItem PrintItem::paged(Grid* grid, Rect count, Rect draw) {
    PrintItem item;
    item.kind = Kind::PagedGrid;
    item.target = grid;
    item.count = count;
    item.draw = draw;
    return item;
}

PrintItem PrintItem::textLine(int x, int y, const QString& text, double fontSize, bool bold) {
    PrintItem item;
    item.kind = Kind::Text;
    item.keepWithNext = true;
    item.draw = {x, y, 0, 0};
    item.text = text;
    item.fontSize = fontSize;
    item.fontBold = bold;
    return item;
}

PrintItem PrintItem::keptWithNext() const {
    PrintItem item = *this;
    item.keepWithNext = true;
    return item;
}

PrintItem PrintItem::newPage() {
    PrintItem item;
    item.kind = Kind::NewPage;
    return item;
}

namespace {

// The page's heading lines: the EMIS line with the page's title, and the
// learner line where the page prints it.
void printHeadingLines(Printer& printer, const PrintLayout& layout) {
    const double headingSize = layout.headingFontSize > 0 ? layout.headingFontSize
                               : layout.landscape         ? 12
                                                          : 11;
    printer.setFontSize(headingSize);
    printer.setFontBold(true);
    printer.setFontName(kPrintFont);
    if (layout.landscape) {
        printer.setCurrentX(140);
        printer.setCurrentY(130);
        printer.Print();
    }
    printer.setCurrentX(500);
    printer.setCurrentY(130);
    const QString heading = " EMIS NUMBER: " + gEmisCode + layout.title;
    fitHeading(printer, heading);
    printer.Print(heading);

    if (layout.learnerLine) {
        printer.setFontSize(9);
        printer.setFontBold(true);
        printer.setFontName(kPrintFont);
        printer.setCurrentX(500);
        printer.setCurrentY(360);
        printer.Print(" LEARNER NAME : " + gLearnerName + "  ASSESION NUMBER: " + gAccessionNo);
    }
    printer.setFontBold(false);
}

} // namespace

void printPage(Printer& printer, const PrintLayout& layout, const QList<PrintItem>& items) {
    printHeadingLines(printer, layout);
    // Every sheet the page runs on to reads on its own: it carries the
    // heading lines too.
    printer.setSheetHeading([&layout](Printer& p) { printHeadingLines(p, layout); });
    const auto done = qScopeGuard([&printer] { printer.setSheetHeading({}); });
    SheetFlow(printer).print(items);
}

QString printDocumentName(const PrintLayout& layout, const QString& caption) {
    QString title = layout.title;
    title.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    title = title.simplified();
    if (title.isEmpty())
        title = caption.simplified();
    const QString learner = gLearnerName.simplified();
    return learner.isEmpty() ? title : title + " - " + learner;
}
