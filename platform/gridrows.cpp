// Rows as tall as their texts: a cell's text set in lines, the one measure
// of the screen and the print.
#include "platform/grid.h"

#include "platform/gridprivate.h"
#include "platform/textlines.h"

#include <QHeaderView>
#include <QRegularExpression>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

using namespace gridimpl;

// --- a cell's text set in lines ---------------------------------------------------

std::shared_ptr<QTextLayout> Grid::setInLines(const QString& rawText, const QFont& font,
                                              double widthPixels, QPaintDevice* device,
                                              Qt::Alignment align, bool trimEnd) {
    QString text = rawText;
    // A shown text comes with its line feeds as line separators.
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (trimEnd && !text.isEmpty() && text.back().isSpace())
        text.chop(1);
    // Blanks before a line break show nothing, but would wrap a line that
    // they alone overfill onto an empty one.
    static const QRegularExpression blanksBeforeBreak(QStringLiteral("[ \\t]+\\n"));
    text.replace(blanksBeforeBreak, QStringLiteral("\n"));
    if (text.isEmpty())
        return nullptr;
    auto set = device ? std::make_shared<QTextLayout>(QString(), font, device)
                      : std::make_shared<QTextLayout>(QString(), font);
    layOutLines(*set, text, std::max(1.0, widthPixels), align);
    return set;
}

// --- rows as tall as their texts ------------------------------------------------

double Grid::textHeightTwips(const QFont& font, const QString& text, double widthTwips) {
    const std::shared_ptr<QTextLayout> set = setInLines(
        text, font, (widthTwips - 2 * kCellPadTwips) / kTwipsPerPixel, nullptr, Qt::AlignLeft);
    if (!set)
        return 0;
    const QTextLine last = set->lineAt(set->lineCount() - 1);
    return (last.y() + last.height()) * kTwipsPerPixel + 2 * kCellPadTwips;
}

double Grid::rowTextHeightTwips(int row, const QList<double>& colWidthTwips) const {
    const int cols = columnCount();
    double h = 0;
    for (int c = 1; c <= cols && c < colWidthTwips.size(); ++c) {
        if (colWidthTwips[c] <= 0 || rowSpan(row - 1, c - 1) > 1)
            continue;
        const QString text = GetText(c, row);
        if (text.isEmpty() || (!heldOnly(row - 1, c - 1) && !item(row - 1, c - 1)))
            continue;
        double w = 0;
        for (int s = c; s < c + columnSpan(row - 1, c - 1) && s <= cols && s < colWidthTwips.size();
             ++s)
            w += colWidthTwips[s];
        const GridCellFormat fmt = formatAt(row - 1, c - 1);
        if (fmt.type == GridCellType::CheckBox || fmt.type == GridCellType::ComboBox)
            w -= kIndicatorTwips;
        QFont f = font();
        f.setBold(fmt.bold);
        // A text is measured once for its width and weight.
        const QString key = QString::number(w) + (fmt.bold ? u'b' : u'n') + text;
        auto known = m_measured.constFind(key);
        if (known == m_measured.constEnd())
            known = m_measured.insert(key, textHeightTwips(f, text, w));
        h = std::max(h, *known);
    }
    return h;
}

void Grid::fitRows(int first, int last) {
    if (last < 0)
        last = rowCount();
    first = std::max(first, 1);
    last = std::min(last, rowCount());
    if (first > last) {
        fitVerticalScrollBar();
        return;
    }
    const int cols = columnCount();
    QList<double> widths(cols + 1, 0.0);
    for (int c = 1; c <= cols; ++c)
        widths[c] = isColumnHidden(c - 1) ? 0 : columnWidth(c - 1) * kTwipsPerPixel;
    for (int r = first; r <= last; ++r) {
        int pixels = m_designedHeights.value(r - 1, verticalHeader()->defaultSectionSize());
        if (m_fitText) {
            const double need = rowTextHeightTwips(r, widths);
            // The text's padding reaches over the grid line below it, as
            // its width reaches over the line on its right.
            if (need > 0)
                pixels = std::max(pixels, int(std::ceil(need / kTwipsPerPixel - 0.01)));
        }
        if (rowHeight(r - 1) != pixels)
            setRowHeight(r - 1, pixels);
    }
    fitVerticalScrollBar();
}

void Grid::fitVerticalScrollBar() {
    if (m_vPolicy != Qt::ScrollBarAlwaysOff || m_adjustingPolicy)
        return;
    m_adjustingPolicy = true;
    const int content = verticalHeader()->length() +
                        (colHeadersShown() ? horizontalHeader()->height() : 0) + 2 * frameWidth();
    if (minimumHeight() > 0 && minimumHeight() == maximumHeight() && !hasEntryCells()) {
        // A title of fixed texts, designed to be seen whole: as high as its rows.
        if (content > minimumHeight())
            setFixedHeight(content);
    } else {
        // Rows grown past the grid's height: they are read by scrolling.
        const Qt::ScrollBarPolicy wanted =
            content > height() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
        if (verticalScrollBarPolicy() != wanted)
            QAbstractScrollArea::setVerticalScrollBarPolicy(wanted);
    }
    m_adjustingPolicy = false;
}

void Grid::updateGeometries() {
    QTableWidget::updateGeometries();
    fitVerticalScrollBar();
}

void Grid::changeEvent(QEvent* event) {
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_measured.clear();
        fitRows();
    }
}
