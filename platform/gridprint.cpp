// The grid on the printer: its layout, pagination and drawing.
#include "platform/grid.h"

#include "platform/colors.h"
#include "platform/gridprivate.h"
#include "platform/printer.h"

#include <QHash>
#include <QHeaderView>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <memory>

using namespace gridimpl;

// ---------------------------------------------------------------------------
// Printing.
//
// The layout is in twips on the sheet (the grid's scale applied); drawing is
// in the printer's device pixels, k of them to a twip. Texts are set in lines
// from the top of their row, so that a row may be split between two lines
// when it does not fit on a page; a row printed whole has its texts centred
// in it, as on the screen.

namespace {
constexpr double kGridLineTwips = 8;
constexpr double kCheckBoxTwips = 160;
constexpr double kNoLimit = 1e12;
constexpr double kEpsilon = 0.01;
} // namespace

// A line of a cell's text: its top and bottom in twips from its row's top,
// and its line in the cell's text (-1: the box of a check box without a
// caption).
struct Grid::PrintLine {
    double top = 0;
    double bottom = 0;
    int line = -1;
};

// A cell as printed: where it stands in the grid and its text set in lines.
struct Grid::PrintCell {
    int row = 0;
    int rowSpan = 1;
    double left = 0; // twips from the grid's left
    double width = 0;
    GridCellFormat fmt;
    bool header = false;
    Qt::CheckState check = Qt::Unchecked;
    std::shared_ptr<QTextLayout> text; // device pixels
    double textLeft = 0;               // twips from the cell's left
    QList<PrintLine> lines;
    double height = 0; // what the texts need, padding included; 0 without text
};

// The part of a row on one page: from and to are twips from the row's top;
// the lines whose bottoms lie after linesAfter and up to linesTo are drawn.
struct Grid::PrintSlice {
    int row = 0;
    double from = 0;
    double to = 0;
    double linesAfter = -kNoLimit;
    double linesTo = kNoLimit;
    bool whole = true; // the whole row on one page: its texts are centred in it
};

struct Grid::PrintPage {
    double top = 0; // twips on the sheet
    QList<PrintSlice> slices;
    double height = 0; // header included; 0 when the page draws nothing
};

struct Grid::PrintLayout {
    QRectF area;             // the first page's rectangle, clipped to the printable part
    double continuedTop = 0; // where every further page starts
    double scale = 1;        // designed twips to sheet twips
    double k = 1;            // device pixels per twip
    double pad = 0;          // a cell's padding
    double pen = 0;          // the grid lines' width
    QList<double> colLeft;   // twips from the grid's left, index col (1..), [0] unused
    QList<double> colWidth;  // 0 for hidden columns
    double width = 0;
    QList<double> rowHeight;       // index row; [0] the header row (0 when not printed)
    int headingRows = 0;           // rows 1.. printed atop every page below the header row
    QList<QList<PrintCell>> cells; // the cells that start in each row; [0] the header row
    QList<bool> splittable;        // rows that no cell spans down into or from
    QList<PrintPage> pages;
};

// The print's one measure of a cell's text: set in lines in the cell's width
// (less the padding and a check box), the row's height following from it.
Grid::PrintCell Grid::layoutCell(const QString& rawText, const GridCellFormat& fmt,
                                 double widthTwips, bool header, const PrintLayout& layout,
                                 QPaintDevice* device) const {
    PrintCell cell;
    cell.fmt = fmt;
    cell.header = header;
    cell.width = widthTwips;
    const bool box = !header && fmt.type == GridCellType::CheckBox;
    const double boxSize = kCheckBoxTwips * layout.scale;
    cell.textLeft = layout.pad + (box ? boxSize + layout.pad : 0);
    const double textWidth = std::max(1.0, widthTwips - cell.textLeft - layout.pad);

    QFont f = font();
    f.setBold(fmt.bold);
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * layout.scale);
    const bool centred = header || fmt.type == GridCellType::Button;
    // Blank lines at the end of a text carry nothing to print.
    cell.text = setInLines(rawText, f, textWidth * layout.k, device,
                           centred ? Qt::AlignHCenter : Qt::AlignLeft, true);
    for (int i = 0; cell.text && i < cell.text->lineCount(); ++i) {
        const QTextLine line = cell.text->lineAt(i);
        cell.lines.append({layout.pad + line.y() / layout.k,
                           layout.pad + (line.y() + line.height()) / layout.k, line.lineNumber()});
    }
    if (box && cell.lines.isEmpty())
        cell.lines.append({layout.pad, layout.pad + boxSize, -1});
    cell.height = cell.lines.isEmpty() ? 0 : cell.lines.last().bottom + layout.pad;
    return cell;
}

Grid::PrintLayout Grid::layoutFor(Printer& printer, int left, int top, int right,
                                  int bottom) const {
    PrintLayout layout;
    layout.k = printer.twipsToDevice();
    const QRectF printable = printer.printableArea();
    const double areaLeft = std::max<double>(left, printable.left());
    const double areaRight = std::max(areaLeft, std::min<double>(right, printable.right()));
    const double areaTop = std::max<double>(top, printable.top());
    const double areaBottom = std::max(areaTop, std::min<double>(bottom, printable.bottom()));
    layout.area = QRectF(QPointF(areaLeft, areaTop), QPointF(areaRight, areaBottom));
    layout.continuedTop =
        std::max<double>(printable.top(), std::min(top, int(Printer::kContinuedTop)));

    const int cols = columnCount(), rows = rowCount();
    QList<double> designed(cols + 1, 0.0);
    double designedWidth = 0;
    for (int c = 1; c <= cols; ++c) {
        designed[c] = isColumnHidden(c - 1) ? 0 : columnWidth(c - 1) * kTwipsPerPixel;
        designedWidth += designed[c];
    }
    // A grid wider than the rectangle is scaled down so that it fits with its
    // outer lines, which stand half outside the cells.
    const double available = layout.area.width();
    if (designedWidth > 0 && available > 0 && designedWidth + kGridLineTwips > available)
        layout.scale = available / (designedWidth + kGridLineTwips);
    const double s = layout.scale;
    layout.pad = kCellPadTwips * s;
    layout.pen = kGridLineTwips * s;
    layout.colLeft.resize(cols + 1);
    layout.colWidth.resize(cols + 1);
    double x = 0;
    for (int c = 1; c <= cols; ++c) {
        layout.colLeft[c] = x;
        layout.colWidth[c] = designed[c] * s;
        x += layout.colWidth[c];
    }
    layout.width = x;

    QPaintDevice* device = &printer.qprinter();
    layout.rowHeight.resize(rows + 1);
    layout.cells.resize(rows + 1);
    layout.splittable.fill(true, rows + 1);
    if (colHeadersShown()) {
        double h = horizontalHeader()->height() * kTwipsPerPixel * s;
        for (int c = 1; c <= cols; ++c) {
            if (layout.colWidth[c] <= 0)
                continue;
            PrintCell cell = layoutCell(GetText(c, 0), GridCellFormat{}, layout.colWidth[c], true,
                                        layout, device);
            cell.left = layout.colLeft[c];
            h = std::max(h, cell.height);
            layout.cells[0].append(cell);
        }
        layout.rowHeight[0] = h;
    }

    // The cells that spans cover are not printed on their own.
    QList<QList<bool>> covered(rows + 1, QList<bool>(cols + 1, false));
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= cols; ++c) {
            if (covered[r][c])
                continue;
            const int rs = std::max(1, rowSpan(r - 1, c - 1));
            const int cs = std::max(1, columnSpan(r - 1, c - 1));
            for (int rr = r; rr < r + rs && rr <= rows; ++rr) {
                for (int cc = c; cc < c + cs && cc <= cols; ++cc)
                    covered[rr][cc] = rr != r || cc != c;
                if (rs > 1)
                    layout.splittable[rr] = false;
            }
            double width = 0;
            for (int cc = c; cc < c + cs && cc <= cols; ++cc)
                width += layout.colWidth[cc];
            if (width <= 0)
                continue;
            const QTableWidgetItem* item = itemAt(r - 1, c - 1);
            PrintCell cell = layoutCell(item ? item->text() : QString(), formatOf(item), width,
                                        false, layout, device);
            cell.row = r;
            cell.rowSpan = rs;
            cell.left = layout.colLeft[c];
            cell.check = item ? item->checkState() : Qt::Unchecked;
            layout.cells[r].append(cell);
        }
    }
    // Rows as designed, or as tall as their texts need.
    for (int r = 1; r <= rows; ++r) {
        double h = m_designedHeights.value(r - 1) * kTwipsPerPixel * s;
        for (const PrintCell& cell : layout.cells[r]) {
            if (cell.rowSpan == 1)
                h = std::max(h, cell.height);
        }
        layout.rowHeight[r] = h;
    }
    // The heading rows end where no span goes on from them into the rows below.
    int headings = std::min(m_printHeadingRows, rows);
    for (bool spanned = true; spanned && headings > 0;) {
        spanned = false;
        for (int r = 1; r <= headings; ++r) {
            for (const PrintCell& cell : layout.cells[r])
                spanned = spanned || r + cell.rowSpan - 1 > headings;
        }
        if (spanned)
            --headings;
    }
    layout.headingRows = headings;
    paginate(layout);
    return layout;
}

void Grid::paginate(PrintLayout& layout) const {
    // The header row and the heading rows head every page.
    double headerHeight = 0;
    for (int r = 0; r <= layout.headingRows; ++r)
        headerHeight += layout.rowHeight[r];
    const double bottom = layout.area.bottom();
    const double fullRoom = bottom - layout.continuedTop - headerHeight;
    const int rows = rowCount();

    PrintPage page{layout.area.top(), {}, 0};
    double y = page.top + headerHeight;
    auto finish = [&] {
        page.height = 0;
        if (!page.slices.isEmpty() || rows == layout.headingRows) {
            page.height = headerHeight;
            for (const PrintSlice& slice : page.slices)
                page.height += slice.to - slice.from;
        }
        layout.pages.append(page);
    };
    auto newPage = [&] {
        finish();
        page = PrintPage{layout.continuedTop, {}, 0};
        y = page.top + headerHeight;
    };

    for (int r = layout.headingRows + 1; r <= rows; ++r) {
        const QList<PrintCell>& cells = layout.cells[r];
        const double height = layout.rowHeight[r];
        // The lowest line bottom after `after` and up to `limit` at which the
        // row may end a page, one that no line straddles when there is such
        // a one; -1 when no line ends in that range.
        auto cut = [&](double after, double limit) {
            double any = -1, clean = -1;
            for (const PrintCell& cell : cells) {
                for (const PrintLine& line : cell.lines) {
                    const double at = line.bottom;
                    if (at <= after + kEpsilon || at > limit + kEpsilon || at <= clean)
                        continue;
                    any = std::max(any, at);
                    bool straddled = false;
                    for (const PrintCell& other : cells) {
                        for (const PrintLine& l : other.lines)
                            straddled = straddled || (l.top < at - kEpsilon &&
                                                      l.bottom > at + kEpsilon && l.bottom > after);
                    }
                    if (!straddled)
                        clean = at;
                }
            }
            return clean > 0 ? clean : any;
        };
        // The top of the first line that ends after `after`.
        auto nextTop = [&](double after) {
            double top = kNoLimit;
            for (const PrintCell& cell : cells) {
                for (const PrintLine& line : cell.lines) {
                    if (line.bottom > after + kEpsilon)
                        top = std::min(top, line.top);
                }
            }
            return top;
        };

        // Where the row's texts end: a row split over pages ends there.
        double textEnd = 0;
        for (const PrintCell& cell : cells)
            textEnd = std::max(textEnd, cell.height);

        // A heading row goes on to the next page when the first line of the
        // row it heads does not find room below it on this one.
        if (m_printKeptWithNext.contains(r) && r < rows && !page.slices.isEmpty()) {
            double firstLine = 0;
            for (const PrintCell& cell : layout.cells[r + 1]) {
                if (!cell.lines.isEmpty())
                    firstLine = std::max(firstLine, cell.lines.first().bottom + layout.pad);
            }
            const double next = layout.splittable[r + 1] && firstLine > 0
                                    ? std::min(layout.rowHeight[r + 1], firstLine)
                                    : layout.rowHeight[r + 1];
            if (y + height + next > bottom + kEpsilon && height + next <= fullRoom)
                newPage();
        }

        double from = 0;
        double after = -kNoLimit;
        for (;;) {
            const double room = bottom - y;
            const double end = from > 0 ? std::min(height, textEnd) : height;
            if (end - from <= room + kEpsilon) {
                page.slices.append({r, from, end, after, kNoLimit, from == 0});
                y += end - from;
                break;
            }
            const double at = layout.splittable[r] ? cut(after, from + room - layout.pad) : -1;
            if (at > 0 && at > after) {
                // The lines up to `at` on this page, the rest from the next one on.
                page.slices.append({r, from, at + layout.pad, after, at, false});
                y += at + layout.pad - from;
                const double next = nextTop(at);
                if (next >= kNoLimit)
                    break; // no text left: the rest of the row is blank
                after = at;
                from = next - layout.pad;
                newPage();
                continue;
            }
            if (page.slices.isEmpty() && room >= fullRoom - kEpsilon) {
                // Taller than a whole page and not to be split: cut at the foot.
                page.slices.append({r, from, from + room, after, kNoLimit, false});
                y = bottom;
                break;
            }
            newPage();
        }
    }
    finish();
}

int Grid::OwnerPrintPageCount(Printer& printer, int left, int top, int right, int bottom) {
    m_countedPages = OwnerPrintPagesNeeded(printer, left, top, right, bottom);
    return m_countedPages;
}

int Grid::OwnerPrintPagesNeeded(Printer& printer, int left, int top, int right, int bottom) const {
    return int(layoutFor(printer, left, top, right, bottom).pages.size());
}

void Grid::OwnerPrintDraw(Printer& printer, int left, int top, int right, int bottom, int page) {
    const PrintLayout layout = layoutFor(printer, left, top, right, bottom);
    const int pages = int(layout.pages.size());
    if (page < 1 || page > pages || layout.area.width() <= 0) {
        if (page >= m_countedPages)
            m_countedPages = 0;
        return;
    }
    if (layout.pages[page - 1].height > 0)
        drawPage(printer.painter(), layout, page - 1);
    // The last page counted carries what a smaller counting rectangle left over.
    if (page == m_countedPages) {
        for (int p = page + 1; p <= pages; ++p) {
            printer.NewPage();
            drawPage(printer.painter(), layout, p - 1);
        }
        m_countedPages = 0;
    }
}

QRectF Grid::OwnerPrintExtent(Printer& printer, int left, int top, int right, int bottom,
                              int page) const {
    const PrintLayout layout = layoutFor(printer, left, top, right, bottom);
    const int pages = int(layout.pages.size());
    if (page <= 0)
        page = pages;
    if (page > pages || layout.area.width() <= 0 || layout.pages[page - 1].height <= 0)
        return {};
    const PrintPage& p = layout.pages[page - 1];
    return QRectF(layout.area.left(), p.top, std::min(layout.width, layout.area.width()), p.height);
}

void Grid::drawPage(QPainter& painter, const PrintLayout& layout, int pageIndex) const {
    const PrintPage& page = layout.pages[pageIndex];
    const double k = layout.k;
    auto device = [&](double x, double y) { return QPointF((layout.area.left() + x) * k, y * k); };

    painter.save();
    // Nothing is drawn outside the rectangle, but for the outer lines.
    const double pen = layout.pen;
    painter.setClipRect(QRectF(device(-pen, page.top - pen),
                               device(layout.area.width() + pen, layout.area.bottom() + pen)));
    QPen linePen(Qt::black);
    linePen.setWidthF(std::max(1.0, pen * k));

    // One cell in rect (twips: x from the grid's left, y on the sheet); the
    // lines of its text in the slice, from the slice's `from`.
    auto drawCell = [&](const PrintCell& cell, const QRectF& rect, const PrintSlice& slice,
                        bool centred) {
        const QRectF deviceRect(device(rect.left(), rect.top()),
                                device(rect.right(), rect.bottom()));
        const QColor back = cell.header ? QColor(0xE0, 0xE0, 0xE0) : toQColor(cell.fmt.backColor);
        if (back != Qt::white)
            painter.fillRect(deviceRect, back);
        painter.setPen(linePen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(deviceRect);
        if (cell.fmt.type == GridCellType::Button && !cell.header && slice.whole) {
            const double pad = layout.pad * k;
            painter.drawRoundedRect(deviceRect.adjusted(pad, pad, -pad, -pad), pad, pad);
        }
        // A row on one page shows its texts centred; a split one from the top.
        const double offset = centred ? std::max(0.0, (rect.height() - cell.height) / 2) : 0.0;
        const QColor ink = cell.header ? QColor(Qt::black) : toQColor(cell.fmt.foreColor);
        painter.save();
        painter.setClipRect(deviceRect, Qt::IntersectClip);
        for (const PrintLine& line : cell.lines) {
            if (line.bottom <= slice.linesAfter + kEpsilon ||
                line.bottom > slice.linesTo + kEpsilon)
                continue;
            const double top = rect.top() + offset + line.top - slice.from;
            if (line.line == cell.lines.first().line && !cell.header &&
                cell.fmt.type == GridCellType::CheckBox) {
                const double box = kCheckBoxTwips * layout.scale;
                const double middle = top + (line.bottom - line.top) / 2;
                const QRectF boxRect(device(rect.left() + layout.pad, middle - box / 2),
                                     device(rect.left() + layout.pad + box, middle + box / 2));
                painter.setPen(linePen);
                painter.drawRect(boxRect);
                if (cell.check == Qt::Checked) {
                    painter.drawLine(boxRect.topLeft(), boxRect.bottomRight());
                    painter.drawLine(boxRect.topRight(), boxRect.bottomLeft());
                }
            }
            if (line.line < 0 || !cell.text)
                continue;
            const QTextLine textLine = cell.text->lineAt(line.line);
            painter.setPen(ink);
            textLine.draw(&painter,
                          device(rect.left() + cell.textLeft, top) - QPointF(0, textLine.y()));
        }
        painter.restore();
    };

    double y = page.top;
    if (layout.rowHeight[0] > 0) {
        const PrintSlice all;
        for (const PrintCell& cell : layout.cells[0])
            drawCell(cell, QRectF(cell.left, y, cell.width, layout.rowHeight[0]), all, true);
        y += layout.rowHeight[0];
    }
    // The heading rows, whole, atop every page.
    for (int r = 1; r <= layout.headingRows; ++r) {
        const PrintSlice all{r};
        for (const PrintCell& cell : layout.cells[r]) {
            double height = 0;
            for (int rr = r; rr < r + cell.rowSpan; ++rr)
                height += layout.rowHeight[rr];
            drawCell(cell, QRectF(cell.left, y, cell.width, height), all, true);
        }
        y += layout.rowHeight[r];
    }
    // Where each row stands on this page.
    QHash<int, QPair<double, double>> rowAt;
    for (const PrintSlice& slice : page.slices) {
        rowAt.insert(slice.row, {y, y + slice.to - slice.from});
        y += slice.to - slice.from;
    }
    for (int i = 0; i < page.slices.size(); ++i) {
        const PrintSlice& slice = page.slices[i];
        const double rowTop = rowAt.value(slice.row).first;
        const double rowBottom = rowAt.value(slice.row).second;
        QList<const PrintCell*> cells;
        for (const PrintCell& cell : layout.cells[slice.row])
            cells.append(&cell);
        // A span begun on an earlier page is drawn again from this page's first row.
        if (i == 0) {
            for (int r = 1; r < slice.row; ++r) {
                for (const PrintCell& cell : layout.cells[r]) {
                    if (cell.rowSpan > 1 && r + cell.rowSpan - 1 >= slice.row)
                        cells.append(&cell);
                }
            }
        }
        // A row gone on from an earlier page shows its label again: its first
        // column's text, which ended there.
        const PrintCell* label = nullptr;
        if (slice.linesAfter > -kNoLimit) {
            for (const PrintCell& cell : layout.cells[slice.row]) {
                if (!label || cell.left < label->left)
                    label = &cell;
            }
            if (label && (label->rowSpan != 1 || label->lines.isEmpty() ||
                          label->lines.last().bottom > slice.linesAfter + kEpsilon))
                label = nullptr;
        }
        for (const PrintCell* cell : cells) {
            if (cell == label) {
                drawCell(*cell, QRectF(cell->left, rowTop, cell->width, rowBottom - rowTop),
                         PrintSlice{slice.row, 0, rowBottom - rowTop, -kNoLimit, kNoLimit, false},
                         false);
                continue;
            }
            if (cell->rowSpan == 1) {
                drawCell(*cell, QRectF(cell->left, rowTop, cell->width, rowBottom - rowTop), slice,
                         slice.whole);
                continue;
            }
            // A span down over several rows: as far as its rows are on this page.
            double spanBottom = rowBottom;
            for (int r = slice.row; r < cell->row + cell->rowSpan; ++r) {
                if (rowAt.contains(r))
                    spanBottom = rowAt.value(r).second;
            }
            drawCell(*cell, QRectF(cell->left, rowTop, cell->width, spanBottom - rowTop),
                     PrintSlice{}, true);
        }
    }
    painter.restore();
}
