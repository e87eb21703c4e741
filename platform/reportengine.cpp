#include "platform/reportengine.h"

#include "platform/apperror.h"
#include "platform/fonts.h"
#include "platform/printer.h"
#include "platform/textlines.h"

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QTextLayout>
#include <QtMath>
#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <map>
#include <numeric>
#include <span>

namespace report {

// Fonts are sized in twips, so one measure serves the screen and the printer.
QFont itemFont(const Item& item) {
    return fonts::reportFont(item.fontSize, item.bold, item.italic);
}

namespace {

constexpr int kMargin = 720; // half an inch round the sheet
constexpr int kRuleHeight = 15;
// How far a line's edge may stand over a cut and still count as on its side.
constexpr double kEdge = 0.5;

int itemWidth(const Item& item, int bandWidth) {
    return item.width > 0 ? item.width : std::max(0, bandWidth - item.left);
}

QString resolveText(const Report& report, const Item& item, int row, int page, int pages,
                    int count) {
    const DataTable& table = report.database().table();
    switch (item.kind) {
    case Item::Field:
        return Row(&table, row).text(item.field);
    case Item::Formula:
        return item.formula ? item.formula(Row(&table, row)) : QString();
    case Item::Line:
        return {};
    case Item::Text:
        break;
    }
    // A text given to a text object prints as it stands.
    if (!item.name.isEmpty())
        return report.objectText(item.name);
    QString t = item.text;
    t.replace("{Page}", QString::number(page + 1));
    // The number of pages, while it is not known yet, an ellipsis.
    t.replace("{Pages}", pages > 0 ? QString::number(pages) : QStringLiteral("\u2026"));
    t.replace("{Title}", report.reportTitle());
    t.replace("{Count}", QString::number(count));
    return t;
}

// Lays an item's text out in lines across its width: wrapped between words
// (a word wider than the box wherever it must be), or on one line. Every
// kind of line break in the text starts a new line. Returns the height.
double layOut(QTextLayout& layout, const Item& item, const QString& text, double width) {
    layout.setFont(itemFont(item));
    return layOutLines(layout, text, width, item.align & Qt::AlignHorizontal_Mask, item.wrap);
}

// The heights of items' texts, as layOut gives them. A band is measured for
// every row of its report, and a large report measures the same texts again
// and again (a description on thousands of rows, the same grade, the same
// captions), so each distinct text is laid out once per font and width; and
// a text of Latin-1 letters far narrower than its box stands on one line,
// whose height is the font's, without being laid out at all.
class Measurer {
public:
    struct Font {
        double lineSpacing = 0;
        double oneLine = 0;       // a line laid out
        double advance[256] = {}; // of each Latin-1 character
        double widest = 0;
    };

    const Font& font(const Item& item) {
        const quint32 key = fontKey(item);
        auto it = m_fonts.find(key);
        if (it == m_fonts.end()) {
            auto f = std::make_unique<Font>();
            const QFontMetricsF metrics(itemFont(item));
            f->lineSpacing = metrics.lineSpacing();
            for (int c = 0x20; c < 0x100; ++c) {
                if (c >= 0x7F && c < 0xA0)
                    continue;
                f->advance[c] = metrics.horizontalAdvance(QChar(c));
                f->widest = std::max(f->widest, f->advance[c]);
            }
            Item probe = item;
            probe.wrap = false;
            QTextLayout layout;
            f->oneLine = layOut(layout, probe, QStringLiteral("Xg"), 1e6);
            it = m_fonts.emplace(key, std::move(f)).first;
        }
        return *it->second;
    }

    double textHeight(const Item& item, const QString& text, double width) {
        const Font& f = font(item);
        if (onOneLine(f, text, width))
            return f.oneLine;
        double h = 0;
        if (item.wrap && wrappedHeight(f, text, width, h))
            return h;
        // A long text comes seldom twice: only the shorter ones are kept.
        const bool keep = text.size() <= kKeptText;
        const TextKey key{keep ? text : QString(), fontKey(item), item.wrap, qRound(width * 16)};
        if (keep) {
            const auto hit = m_texts.constFind(key);
            if (hit != m_texts.cend())
                return *hit;
        }
        QTextLayout layout;
        h = layOut(layout, item, text, width);
        if (keep)
            m_texts.insert(key, h);
        return h;
    }

    // The texts are kept for one pagination.
    void forgetTexts();

private:
    struct TextKey {
        QString text;
        quint32 font;
        bool wrap;
        int width;
        bool operator==(const TextKey& o) const {
            return font == o.font && wrap == o.wrap && width == o.width && text == o.text;
        }
    };
    friend size_t qHash(const TextKey& k, size_t seed) {
        return qHashMulti(seed, k.text, k.font, k.wrap, k.width);
    }

    static constexpr qsizetype kKeptText = 200;

    // The height of a wrapped text of plain words, worked out from the
    // glyphs' advances as the layout sets it: ASCII letters and digits, the
    // punctuation . , ; : ! ? ' " ( ) and single blanks between words, each
    // word beginning with a letter, a digit, a quote or "(" and not ending
    // in "(", which the layout breaks between words only (the line-breaking
    // rules keep no other break there), each line taking as many words as
    // fit (the blanks at a line's end taking no room). False for any other
    // text, and where a line's fit is too close to call (a glyph's overhang,
    // the layout's rounding) or a word needs a line of its own that it may
    // not fit: the layout then decides.
    static bool wrappedHeight(const Font& f, const QString& text, double width, double& height) {
        constexpr double kTooClose = 8; // twips
        const qsizetype n = text.size();
        if (n == 0 || text.front() == u' ' || text.back() == u' ')
            return false;
        const double blank = f.advance[0x20];
        int lines = 1;
        double line = -1; // the width of the line's words so far; -1: none yet
        for (qsizetype i = 0; i < n;) {
            double word = 0;
            qsizetype j = i;
            for (; j < n && text[j] != u' '; ++j) {
                const char16_t u = text[j].unicode();
                const bool alnum =
                    (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
                const bool opens = u == '\'' || u == '"' || u == '(';
                const bool plain = alnum || opens || u == '.' || u == ',' || u == ';' || u == ':' ||
                                   u == '!' || u == '?' || u == ')';
                if (!plain || (j == i && !alnum && !opens))
                    return false;
                word += f.advance[u];
            }
            if (text[j - 1] == u'(')
                return false;
            if (j + 1 < n && text[j + 1] == u' ')
                return false; // blanks after blanks
            if (word > width - kTooClose)
                return false;
            if (line < 0) {
                line = word;
            } else {
                const double wider = line + blank + word;
                if (std::abs(wider - width) <= kTooClose)
                    return false;
                if (wider < width) {
                    line = wider;
                } else {
                    ++lines;
                    line = word;
                }
            }
            i = j + 1;
        }
        height = 0;
        for (int k = 0; k < lines; ++k)
            height += f.oneLine; // each line as high as the first, added as the layout adds them
        return true;
    }

    static quint32 fontKey(const Item& item) {
        return quint32(qRound(item.fontSize * 64)) << 2 | (item.bold ? 1 : 0) |
               (item.italic ? 2 : 0);
    }

    // Printable Latin-1 only (no breaks, tabs or other scripts, whose glyphs
    // may come from another font), and narrower than the box by a wide
    // margin whatever kerning and shaping do.
    static bool onOneLine(const Font& f, const QString& text, double width) {
        if (text.size() * f.widest * 1.1 + 2 * f.widest <= width) {
            for (const QChar c : text)
                if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0) ||
                    c.unicode() > 0xFF)
                    return false;
            return true;
        }
        double sum = 0;
        for (const QChar c : text) {
            const ushort u = c.unicode();
            if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u > 0xFF)
                return false;
            sum += f.advance[u];
        }
        return sum * 1.1 + 2 * f.widest <= width;
    }

    std::map<quint32, std::unique_ptr<Font>> m_fonts;
    QHash<TextKey, double> m_texts;
};

Measurer& measurer() {
    static Measurer m;
    return m;
}

} // namespace

double itemTextHeight(const Item& item, const QString& text, double width) {
    return measurer().textHeight(item, text, width);
}

namespace {

double lineHeight(const Item& item) {
    return measurer().font(item).lineSpacing;
}

// The height of an item measured for the values it shows: an item shows the
// same text for the same fields, and a field of a large report holds the
// same value (a description, a grade) on thousands of rows, kept once.
struct HeightKey {
    const DataTable* table;
    const Item* item;
    int width;
    int fields;
    std::array<quint64, 4> raw;
    bool operator==(const HeightKey& o) const {
        return table == o.table && item == o.item && width == o.width && fields == o.fields &&
               raw == o.raw;
    }
};
size_t qHash(const HeightKey& k, size_t seed) {
    return qHashMulti(seed, k.table, k.item, k.width, k.fields, k.raw[0], k.raw[1], k.raw[2],
                      k.raw[3]);
}

// Kept for one pagination, with the measured texts.
QHash<HeightKey, int>& itemHeights() {
    static QHash<HeightKey, int> heights;
    return heights;
}

// How often an item's height was found again: an item whose values are all
// different (a name, an accession number) is measured without being kept.
struct HeightsFound {
    int again = 0;
    int anew = 0;
    bool keeping = true;
};
QHash<const Item*, HeightsFound>& heightsFound() {
    static QHash<const Item*, HeightsFound> found;
    return found;
}

void Measurer::forgetTexts() {
    m_texts = {};
    itemHeights() = {};
    heightsFound() = {};
}

// The key of an item's height on a row: the fields it shows, as they are
// kept; false for an item whose text depends on more.
bool heightKey(const Report& report, const Item& item, int row, int width, HeightKey& key) {
    const DataTable& table = report.database().table();
    key = HeightKey{&table, &item, width, 0, {}};
    if (item.kind == Item::Text)
        return true; // its text is the same on every row
    const bool isField = item.kind == Item::Field;
    const qsizetype n = isField ? 1 : item.formulaFields.size();
    if (n > qsizetype(key.raw.size()) || (!isField && n == 0))
        return false;
    const bool hasRow = row >= 0 && row < table.rowCount();
    for (qsizetype i = 0; i < n; ++i) {
        const int c = table.column(isField ? item.field : item.formulaFields[i]);
        key.raw[size_t(i)] = c >= 0 && hasRow ? table.raw(row, c) : ~quint64(0);
    }
    key.fields = int(n);
    return true;
}

int itemHeight(const Report& report, const Item& item, int row, int bandWidth) {
    if (item.kind == Item::Line)
        return kRuleHeight;
    const double one = lineHeight(item);
    if (!item.wrap)
        return qCeil(one);
    const int width = itemWidth(item, bandWidth);
    HeightKey key;
    HeightsFound& found = heightsFound()[&item];
    const bool keyed = found.keeping && heightKey(report, item, row, width, key);
    if (keyed) {
        const auto hit = itemHeights().constFind(key);
        if (hit != itemHeights().cend()) {
            ++found.again;
            return *hit;
        }
        constexpr int kTried = 256;
        if (++found.anew >= kTried && found.again * 4 < found.anew)
            found.keeping = false;
    }
    const QString t = resolveText(report, item, row, 0, 1, 0);
    const int h =
        t.isEmpty() ? qCeil(one) : qCeil(std::max(measurer().textHeight(item, t, width), one));
    if (keyed)
        itemHeights().insert(key, h);
    return h;
}

int sectionHeight(const Report& report, const Section& section, int row, int bandWidth) {
    int h = section.height;
    for (const Item& item : section.items)
        h = std::max(h, item.top + itemHeight(report, item, row, bandWidth));
    return h;
}

// Where a section may be cut between pages: the tops (twips from the
// section's top) of the rows of lines that no line of any item spans, in
// order, the section's top itself left out.
QVector<double> cutsOf(const Report& report, const Section& section, int row, int bandWidth) {
    QVector<std::pair<double, double>> lines; // top and bottom of each line
    for (const Item& item : section.items) {
        if (item.kind == Item::Line) {
            lines.append({item.top, item.top + kRuleHeight});
            continue;
        }
        const QString t = resolveText(report, item, row, 0, 1, 0);
        if (t.isEmpty())
            continue;
        QTextLayout layout;
        layOut(layout, item, t, itemWidth(item, bandWidth));
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            lines.append({item.top + line.y(), item.top + line.y() + line.height()});
        }
    }
    std::sort(lines.begin(), lines.end());
    QVector<double> cuts;
    double reach = 0;
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0 && lines[i].first >= reach - kEdge && lines[i].first > 0 &&
            (cuts.isEmpty() || lines[i].first > cuts.last()))
            cuts.append(lines[i].first);
        reach = std::max(reach, lines[i].second);
    }
    return cuts;
}

// The value a group compares: as the host engine compares text, without
// regard to case; blanks only are no value.
QString groupKey(const QString& value) {
    for (const QChar c : value) {
        if (!c.isSpace())
            return value.toCaseFolded();
    }
    return {};
}

// A section to be placed, in the order the report prints them.
struct Band {
    const Report* report;
    const Section* section;
    int row;
    int indent;
    int height;
    int count;       // a group footer's rows, the report footer's
    int groupRowsAt; // where in Bands::groupRows the first rows of its groups stand; -1 none
    int groups;      // how many
};

// The bands of a report in order, and the first rows of the groups they are
// in (one entry for each time a group starts, shared by the bands after it).
struct Bands {
    std::deque<Band> bands; // from the band numbered first on
    int first = 0;
    int end() const { return first + int(bands.size()); }
    const Band& operator[](int i) const { return bands[size_t(i - first)]; }
    // Forgets the bands before i.
    void dropBefore(int i) {
        while (first < i && !bands.empty()) {
            bands.pop_front();
            ++first;
        }
    }
    QVector<int> groupRows;
    int groupRow(const Band& b, int g) const {
        return b.groupRowsAt >= 0 && g < b.groups ? groupRows[b.groupRowsAt + g] : -1;
    }
};

// The rows of a subreport that belong to one row of its main report, found
// through an index of the subreport's link field made on first use: reading
// the whole subreport for every main row grew with the square of the size.
class SubreportRows {
public:
    // The rows of sub whose link field reads key, in order.
    std::span<const int> rows(const Report& sub, const QString& linkField, const QString& key) {
        auto [it, made] = m_index.try_emplace({&sub, linkField});
        Index& index = it->second;
        if (made)
            build(index, sub.database().table(), linkField);
        if (linkField.isEmpty())
            return index.found(index.atText.constFind(QString()), index.atText.cend());
        if (index.whole) {
            // A link of whole numbers: the key read as the text of one.
            if (key.isEmpty())
                return index.found(index.atText.constFind(QString()), index.atText.cend());
            bool isNumber = false;
            const qint64 value = key.toLongLong(&isNumber);
            if (!isNumber || QString::number(value) != key)
                return {};
            return index.found(index.atWhole.constFind(value), index.atWhole.cend());
        }
        return index.found(index.atText.constFind(key), index.atText.cend());
    }

private:
    struct Index {
        QVector<int> rows; // the rows, a key's together in their order
        // By key: where its rows start, and how many.
        QHash<QString, std::pair<int, int>> atText;
        QHash<qint64, std::pair<int, int>> atWhole;
        bool whole = false; // the link's fields are whole numbers (or Null, read as "")
        template <class It> std::span<const int> found(It it, It end) const {
            if (it == end)
                return {};
            return {rows.constData() + it->first, size_t(it->second)};
        }
    };

    static void build(Index& index, const DataTable& table, const QString& linkField) {
        const int c = linkField.isEmpty() ? -1 : table.column(linkField);
        index.rows.reserve(table.rowCount());
        // A link of whole numbers is grouped by its numbers as kept.
        index.whole = c >= 0;
        QVector<std::pair<qint64, int>> numbered;
        QVector<int> nulls;
        for (int r = 0; index.whole && r < table.rowCount(); ++r) {
            const quint64 raw = table.raw(r, c);
            qint64 value = 0;
            if (ado::RowStore::isNull(raw))
                nulls << r;
            else if (ado::RowStore::wholeOf(raw, value))
                numbered.append({value, r});
            else
                index.whole = false;
        }
        if (index.whole) {
            std::stable_sort(numbered.begin(), numbered.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            for (qsizetype i = 0; i < numbered.size();) {
                qsizetype j = i;
                while (j < numbered.size() && numbered[j].first == numbered[i].first)
                    index.rows << numbered[j++].second;
                index.atWhole.insert(numbered[i].first,
                                     {int(index.rows.size() - (j - i)), int(j - i)});
                i = j;
            }
            if (!nulls.isEmpty()) {
                index.atText.insert(QString(), {int(index.rows.size()), int(nulls.size())});
                index.rows << nulls;
            }
            return;
        }
        // The rows grouped by their link field's text.
        QHash<QString, QVector<int>> byKey;
        for (int r = 0; r < table.rowCount(); ++r)
            byKey[c < 0 ? QString() : Row(&table, r).text(linkField)] << r;
        for (auto k = byKey.cbegin(); k != byKey.cend(); ++k) {
            index.atText.insert(k.key(), {int(index.rows.size()), int(k.value().size())});
            index.rows << k.value();
        }
    }

    std::map<std::pair<const Report*, QString>, Index> m_index;
};

void addBand(Bands& out, SubreportRows& subRowsOf, const Report& report, const Section& section,
             int row, int indent, int width, int count, int groupRowsAt, int groups);

// The bands of a report's rows, made one row at a time (with the subreports
// the row prints), so that a long report's bands need not all be held.
class RowStream {
public:
    RowStream(SubreportRows& subRowsOf, const Report& report, QVector<int> rows, int indent,
              int width, bool withHeader, bool withFooter)
        : m_subRowsOf(subRowsOf), m_report(report), m_layout(report.layout()),
          m_table(report.database().table()), m_rows(std::move(rows)), m_indent(indent),
          m_width(width), m_withHeader(withHeader), m_withFooter(withFooter),
          m_groups(int(m_layout.groups.size())), m_groupRows(m_groups, -1),
          m_groupStart(m_groups, 0), m_keys(m_groups), m_previous(m_groups), m_raw(m_groups),
          m_previousRaw(m_groups) {}

    // Adds the next row's bands; false when every band has been added.
    bool step(Bands& out) {
        if (m_done)
            return false;
        if (m_next < 0) {
            m_at = m_groups > 0 ? snapshot(out) : -1;
            if (m_withHeader)
                add(out, m_layout.reportHeader, m_rows.isEmpty() ? -1 : m_rows.first(), 0);
            m_next = 0;
            return true;
        }
        if (m_next < m_rows.size()) {
            addRow(out, m_next++);
            return true;
        }
        if (!m_rows.isEmpty()) {
            for (int g = m_groups - 1; g >= 0; --g)
                for (const Section& s : m_layout.groups[g].footers)
                    add(out, s, m_rows.last(), int(m_rows.size()) - m_groupStart[g]);
        }
        if (m_withFooter)
            add(out, m_layout.reportFooter, m_rows.isEmpty() ? -1 : m_rows.last(),
                int(m_rows.size()));
        m_done = true;
        return true;
    }

private:
    // Where the first rows of the open groups stand in out.groupRows.
    int snapshot(Bands& out) const {
        const int at = int(out.groupRows.size());
        out.groupRows << m_groupRows;
        return at;
    }

    void add(Bands& out, const Section& section, int row, int count) {
        addBand(out, m_subRowsOf, m_report, section, row, m_indent, m_width, count, m_at, m_groups);
    }

    void addRow(Bands& out, int i) {
        const int row = m_rows[i];
        for (int g = 0; g < m_groups; ++g) {
            // A field kept as the row before's holds the same value.
            const int c = m_table.column(m_layout.groups[g].field);
            m_raw[g] = c >= 0 ? m_table.raw(row, c) : 0;
            if (i > 0 && m_raw[g] == m_previousRaw[g])
                m_keys[g] = m_previous[g];
            else
                m_keys[g] = groupKey(Row(&m_table, row).text(m_layout.groups[g].field));
        }
        // The outermost group whose value changed closes every inner group.
        int changed = m_groups;
        if (i == 0) {
            changed = 0;
        } else {
            for (int g = 0; g < m_groups; ++g) {
                if (m_keys[g] != m_previous[g]) {
                    changed = g;
                    break;
                }
            }
        }
        if (i > 0) {
            for (int g = m_groups - 1; g >= changed; --g)
                for (const Section& s : m_layout.groups[g].footers)
                    add(out, s, m_rows[i - 1], i - m_groupStart[g]);
        }
        for (int g = changed; g < m_groups; ++g) {
            m_groupRows[g] = row;
            m_groupStart[g] = i;
        }
        if (changed < m_groups)
            m_at = snapshot(out);
        for (int g = changed; g < m_groups; ++g)
            for (const Section& s : m_layout.groups[g].headers)
                add(out, s, row, 0);
        for (const Section& detail : m_layout.details)
            add(out, detail, row, 0);
        std::swap(m_keys, m_previous);
        std::swap(m_raw, m_previousRaw);
    }

    SubreportRows& m_subRowsOf;
    const Report& m_report;
    const Layout& m_layout;
    const DataTable& m_table;
    const QVector<int> m_rows;
    const int m_indent;
    const int m_width;
    const bool m_withHeader;
    const bool m_withFooter;
    const int m_groups;
    QVector<int> m_groupRows;  // the first row of each open group
    QVector<int> m_groupStart; // where in rows it opened
    QStringList m_keys, m_previous;
    QVector<quint64> m_raw, m_previousRaw; // the group fields as kept
    int m_at = -1;
    int m_next = -1; // -1: the report header comes first
    bool m_done = false;
};

void addBand(Bands& out, SubreportRows& subRowsOf, const Report& report, const Section& section,
             int row, int indent, int width, int count, int groupRowsAt, int groups) {
    const Report* sub = section.subreport.isEmpty() ? nullptr : report.subreport(section.subreport);
    QVector<int> subRows;
    if (sub) {
        const QString key = Row(&report.database().table(), row).text(section.linkField);
        const std::span<const int> found = subRowsOf.rows(*sub, section.subreportLinkField, key);
        subRows = QVector<int>(found.begin(), found.end());
        if (subRows.isEmpty() && section.hideWhenSubreportEmpty)
            return;
    }
    const int h = sectionHeight(report, section, row, width - indent);
    if (h > 0 || section.newPageBefore)
        out.bands.push_back(Band{&report, &section, row, indent, h, count, groupRowsAt, groups});
    if (sub) {
        RowStream stream(subRowsOf, *sub, subRows, indent + section.subreportIndent, width, true,
                         true);
        while (stream.step(out)) {
        }
    }
}

// Places a report's bands on pages, one after the other: a band goes where
// it stands when it fits there; one that does not is cut between its lines
// where it is long enough to be (at least two lines on each side of a cut),
// and moved whole to the next page where it is not.
class Paginator {
public:
    Paginator(const Report& report, const QSizeF& sheet)
        : m_report(report), m_layout(report.layout()), m_sheet(sheet),
          m_width(int(sheet.width()) - 2 * kMargin),
          m_bottom(int(sheet.height()) - kMargin -
                   sectionHeight(report, report.layout().pageFooter, -1, m_width)) {}

    QVector<Page> run();
    // Lays out bands until at least `pages` pages are complete (-1: all)
    // or `budgetMs` has passed (0: no limit); true when the report is laid
    // out to its end.
    bool advance(int pages, qint64 budgetMs);
    bool complete() const { return m_complete; }
    // The pages laid out to their foot.
    int completePages() const { return m_complete ? int(m_pages.size()) : int(m_pages.size()) - 1; }
    const QVector<Page>& pages() const { return m_pages; }
    QVector<Page> takePages() { return std::move(m_pages); }

private:
    void begin();
    // Places the next band; false when there is none left.
    bool placeNext();
    const QVector<double>& cuts(int i);
    int firstPiece(int i);
    int neededToStart(int i);
    double chooseCut(int i, double from, bool fresh);
    void place(const Report* report, const Section* section, int row, int indent, int height,
               int count = 0);
    void startPage(int row);
    void finishPage();
    void repeatHeadings(const Band& b);

    const Report& m_report;
    const Layout& m_layout;
    const QSizeF m_sheet;
    const int m_width;
    const int m_bottom;
    // Made as the pages need them, a few bands ahead.
    bool has(int i);
    SubreportRows m_subRowsOf;
    std::unique_ptr<RowStream> m_stream;
    Bands m_bands;
    QHash<int, QVector<double>> m_cuts; // of the bands that had to be cut, by index
    QVector<Page> m_pages;
    int m_y = 0;
    bool m_hasContent = false;
    int m_lastRow = -1;
    int m_next = 0; // the band placed next
    bool m_begun = false;
    bool m_complete = false;
};

const QVector<double>& Paginator::cuts(int i) {
    auto it = m_cuts.find(i);
    if (it == m_cuts.end()) {
        const Band& b = m_bands[i];
        it = m_cuts.insert(i, cutsOf(*b.report, *b.section, b.row, m_width - b.indent));
    }
    return *it;
}

// The least of a band that may start at a page's foot: its first two lines
// when it may be cut, all of it when not.
int Paginator::firstPiece(int i) {
    const QVector<double>& c = cuts(i);
    return c.size() >= 3 ? qCeil(c[1]) : m_bands[i].height;
}

// The room band i needs to start on this page: itself, or its first piece
// when it is cut; with what it is kept with.
int Paginator::neededToStart(int i) {
    const int room = m_bottom - m_y;
    if (m_bands[i].height > room)
        return firstPiece(i);
    int needed = m_bands[i].height;
    for (int j = i; has(j + 1) &&
                    (m_bands[j].section->keepWithNext || m_bands[j + 1].section->keepWithPrevious);
         ++j) {
        if (m_bands[j + 1].section->newPageBefore)
            break;
        int part = m_bands[j + 1].height;
        const bool cut = needed + part > room;
        if (cut)
            part = firstPiece(j + 1);
        if (part > (m_bottom - kMargin) / 2)
            break;
        needed += part;
        if (cut)
            break;
    }
    return needed;
}

// Where to cut band i, placed from `from` at the page's y, for the page's
// foot: the lowest cut that fits, leaving at least two lines for the last
// piece and, on a page that holds something already, putting at least two
// on this one. `from` itself when no cut will do.
double Paginator::chooseCut(int i, double from, bool fresh) {
    const QVector<double>& c = cuts(i);
    const double limit = from + (m_bottom - m_y);
    const int first = int(std::upper_bound(c.begin(), c.end(), from + kEdge) - c.begin());
    const int last = int(std::upper_bound(c.begin(), c.end(), limit) - c.begin()) - 1;
    if (last < first)
        return from;
    if (c.size() < 3) // too short to be cut but across pages
        return fresh ? c[last] : from;
    const int best = std::min(last, int(c.size()) - 2);
    if (!fresh)
        return best >= first + 1 ? c[best] : from;
    return best >= first ? c[best] : c[last];
}

void Paginator::place(const Report* report, const Section* section, int row, int indent, int height,
                      int count) {
    m_pages.last().bands << PlacedBand{report, section, row, kMargin + indent, m_y, count, 0, -1};
    m_y += height;
}

void Paginator::startPage(int row) {
    m_pages << Page{{}, m_sheet};
    m_y = kMargin;
    m_hasContent = false;
    if (m_pages.size() == 1)
        place(&m_report, &m_layout.reportHeader, row, 0,
              sectionHeight(m_report, m_layout.reportHeader, row, m_width));
    place(&m_report, &m_layout.pageHeader, row, 0,
          sectionHeight(m_report, m_layout.pageHeader, row, m_width));
}

void Paginator::finishPage() {
    m_pages.last().bands << PlacedBand{&m_report, &m_layout.pageFooter, m_lastRow, kMargin,
                                       m_bottom};
    // A long report keeps thousands of pages: each holds no more than it needs.
    m_pages.last().bands.squeeze();
}

// Atop a page that band b begins or goes on to: its subreport's heading
// and the headings of the groups it runs on in, where they repeat; not
// when the band is itself such a heading or ends its group.
void Paginator::repeatHeadings(const Band& b) {
    const Layout& bl = b.report->layout();
    if (b.section == &bl.reportHeader || b.section == &bl.reportFooter)
        return;
    const int width = m_width - b.indent;
    if (b.report != &m_report && bl.reportHeader.repeatOnNewPage)
        place(b.report, &bl.reportHeader, b.row, b.indent,
              sectionHeight(*b.report, bl.reportHeader, b.row, width));
    if (b.section->newPageBefore)
        return;
    for (int g = 0; g < bl.groups.size(); ++g) {
        const Group& group = bl.groups[g];
        bool boundary = false;
        for (const Section& h : group.headers)
            boundary = boundary || &h == b.section;
        for (const Section& f : group.footers)
            boundary = boundary || &f == b.section;
        if (boundary)
            break;
        // The heading shows its group's first row.
        const int first = m_bands.groupRow(b, g);
        const int row = first >= 0 ? first : b.row;
        for (const Section& h : group.headers) {
            if (h.repeatOnNewPage)
                place(b.report, &h, row, b.indent, sectionHeight(*b.report, h, row, width));
        }
    }
}

bool Paginator::has(int i) {
    while (i >= m_bands.end() && m_stream->step(m_bands)) {
    }
    return i < m_bands.end();
}

// The main report's rows in the order printed: as its data gives them, but
// where a group's rows come in several runs, those runs merged into one.
QVector<int> printedRows(const Report& report) {
    const DataTable& table = report.database().table();
    QVector<int> rows(table.rowCount());
    std::iota(rows.begin(), rows.end(), 0);
    const Layout& layout = report.layout();
    if (layout.groups.isEmpty() || layout.groups.first().mergeRunsBy.isEmpty())
        return rows;
    const Group& group = layout.groups.first();
    const int field = table.column(group.field);
    QVector<int> by;
    for (const QString& f : group.mergeRunsBy)
        by << table.column(f);
    if (field < 0)
        return rows;
    const auto textAt = [&](int row, int column) {
        return column < 0 ? QString() : Row(&table, row).text(table.names[column]);
    };
    const auto before = [&](int a, int b) {
        for (const int c : by) {
            const int d = textAt(a, c).compare(textAt(b, c), Qt::CaseInsensitive);
            if (d != 0)
                return d < 0;
        }
        return false;
    };
    for (int start = 0; start < rows.size();) {
        const QString key = groupKey(textAt(rows[start], field));
        int end = start + 1;
        QVector<int> runStarts{start};
        for (; end < rows.size(); ++end) {
            // A value as the row before's is its run going on (Null and
            // empty are two values, one group).
            const QVariant value = table.at(rows[end], field);
            const QVariant previous = table.at(rows[end - 1], field);
            if (value.isNull() == previous.isNull() && value == previous)
                continue;
            if (groupKey(textAt(rows[end], field)) != key)
                break;
            runStarts << end;
        }
        // The runs merged in turn, each kept in its own order.
        for (qsizetype r = 1; r < runStarts.size(); ++r) {
            const int mid = runStarts[r];
            const int last = r + 1 < runStarts.size() ? runStarts[r + 1] : end;
            std::inplace_merge(rows.begin() + start, rows.begin() + mid, rows.begin() + last,
                               before);
        }
        start = end;
    }
    return rows;
}

QVector<Page> Paginator::run() {
    advance(-1, 0);
    return takePages();
}

void Paginator::begin() {
    m_begun = true;
    const QVector<int> rows = printedRows(m_report);
    // The report header is placed with the first page; the report footer
    // follows the last band like any other, so that it may be kept with it.
    m_stream = std::make_unique<RowStream>(m_subRowsOf, m_report, rows, 0, m_width, false, true);

    m_lastRow = rows.isEmpty() ? -1 : rows.first();
    startPage(m_lastRow);
}

bool Paginator::advance(int pages, qint64 budgetMs) {
    if (!m_begun)
        begin();
    QElapsedTimer clock;
    clock.start();
    while (!m_complete && (pages < 0 || completePages() < pages) &&
           (budgetMs <= 0 || clock.elapsed() < budgetMs)) {
        if (!placeNext()) {
            finishPage();
            m_complete = true;
        }
    }
    return m_complete;
}

bool Paginator::placeNext() {
    const int i = m_next;
    if (!has(i))
        return false;
    ++m_next;
    // The bands placed are done with.
    m_bands.dropBefore(i);
    m_cuts.remove(i - 1);
    const Band& b = m_bands[i];
    // A page begun inside a subreport shows the main row it belongs to
    // in its page header, not the subreport's row of the same number.
    if (m_hasContent && (b.section->newPageBefore || m_y + neededToStart(i) > m_bottom)) {
        finishPage();
        startPage(b.report == &m_report ? b.row : m_lastRow);
        repeatHeadings(b);
    }
    if (b.report == &m_report)
        m_lastRow = b.row;
    // What does not fit goes on over the next pages, cut between lines.
    double from = 0;
    while (b.height - from > m_bottom - m_y) {
        const bool fresh = !m_hasContent;
        double cut = chooseCut(i, from, fresh);
        if (cut <= from) {
            if (!fresh) {
                finishPage();
                startPage(m_lastRow);
                repeatHeadings(b);
                continue;
            }
            // Not one line fits a whole page: the next runs over its foot.
            const QVector<double>& c = cuts(i);
            const auto next = std::upper_bound(c.begin(), c.end(), from + kEdge);
            if (next == c.end())
                break;
            cut = *next;
        }
        m_pages.last().bands << PlacedBand{b.report, b.section, b.row,       kMargin + b.indent,
                                           m_y,      b.count,   float(from), float(cut)};
        from = cut;
        finishPage();
        startPage(m_lastRow);
        repeatHeadings(b);
    }
    m_pages.last().bands << PlacedBand{b.report, b.section, b.row,       kMargin + b.indent,
                                       m_y,      b.count,   float(from), -1};
    m_y += qCeil(b.height - from);
    m_hasContent = true;
    return true;
}

} // namespace

// ---------------------------------------------------------------- data

bool DataTable::namesChanged() const {
    if (m_indexedNames == names)
        return false;
    m_index.clear();
    m_asked = {};
    m_indexedNames = names;
    return true;
}

int DataTable::lookUp(const QString& name) const {
    // Each name is looked up without case once.
    const auto hit = m_index.constFind(name);
    if (hit != m_index.cend())
        return *hit;
    int found = -1;
    for (int i = 0; i < names.size() && found < 0; ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            found = i;
    }
    m_index.insert(name, found);
    return found;
}

int DataTable::column(const QString& name) const {
    namesChanged();
    for (const Asked& a : m_asked)
        if (!a.literal && a.name.constData() == name.constData() && a.name.size() == name.size())
            return a.column;
    const int found = lookUp(name);
    m_asked[size_t(m_nextAsked)] = Asked{name, nullptr, found};
    m_nextAsked = (m_nextAsked + 1) % int(m_asked.size());
    return found;
}

int DataTable::column(const char* name) const {
    namesChanged();
    for (const Asked& a : m_asked)
        if (a.literal == name && a.name == QLatin1StringView(name))
            return a.column;
    const QString text = QString::fromLatin1(name);
    const int found = lookUp(text);
    m_asked[size_t(m_nextAsked)] = Asked{text, name, found};
    m_nextAsked = (m_nextAsked + 1) % int(m_asked.size());
    return found;
}

DataTable DataTable::fromRecordset(ado::Recordset& rs) {
    if (rs.State() != ado::adStateOpen)
        throw AppError(ErrNo::NotOpen, "Operation is not allowed when the object is closed.");
    DataTable t;
    t.names = rs.fieldNames();
    // The record set's rows, shared rather than copied.
    t.cells = rs.store();
    if (rs.RecordCount() > 0)
        rs.MoveFirst();
    return t;
}

QVariant Row::value(const QString& field) const {
    if (!m_table || m_row < 0 || m_row >= m_table->rowCount())
        return {};
    const int c = m_table->column(field);
    return c < 0 ? QVariant() : m_table->at(m_row, c);
}

QVariant Row::value(const char* field) const {
    if (!m_table || m_row < 0 || m_row >= m_table->rowCount())
        return {};
    const int c = m_table->column(field);
    return c < 0 ? QVariant() : m_table->at(m_row, c);
}

QString Row::text(const char* field) const {
    return textOf(value(field));
}

QString Row::text(const QString& field) const {
    return textOf(value(field));
}

QString Row::textOf(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::Double) {
        const double d = v.toDouble();
        if (d == std::floor(d) && std::abs(d) < 1e15)
            return QString::number(qint64(d));
    }
    return v.toString();
}

// ---------------------------------------------------------------- layout

Item& Item::at(int l, int t, int w) {
    left = l;
    top = t;
    width = w;
    return *this;
}
Item& Item::font(double size, bool isBold) {
    fontSize = size;
    bold = isBold;
    return *this;
}
Item& Item::aligned(Qt::Alignment a) {
    align = a;
    return *this;
}
Item& Item::wrapped() {
    wrap = true;
    return *this;
}
Item& Item::named(const QString& n) {
    name = n;
    return *this;
}

Item text(const QString& t) {
    Item i;
    i.kind = Item::Text;
    i.text = t;
    return i;
}
Item field(const QString& f) {
    Item i;
    i.kind = Item::Field;
    i.field = f;
    i.wrap = true;
    return i;
}
Item formula(QStringList fields, std::function<QString(const Row&)> f) {
    Item i;
    i.kind = Item::Formula;
    i.formula = std::move(f);
    i.formulaFields = std::move(fields);
    i.wrap = true;
    return i;
}
Item line(int top) {
    Item i;
    i.kind = Item::Line;
    i.top = top;
    return i;
}

QStringList Layout::fields() const {
    QStringList out;
    const auto addSection = [&out](const Section& s) {
        for (const Item& item : s.items) {
            if (item.kind == Item::Field)
                out << item.field;
            else if (item.kind == Item::Formula)
                out << item.formulaFields;
        }
        if (!s.linkField.isEmpty())
            out << s.linkField;
    };
    addSection(reportHeader);
    addSection(pageHeader);
    for (const Group& g : groups) {
        out << g.field;
        for (const Section& s : g.headers)
            addSection(s);
        for (const Section& s : g.footers)
            addSection(s);
    }
    for (const Section& s : details)
        addSection(s);
    addSection(reportFooter);
    addSection(pageFooter);
    out.removeDuplicates();
    return out;
}

// ---------------------------------------------------------------- report

void Database::setDataSource(ado::Recordset& rs) {
    DataTable t = DataTable::fromRecordset(rs);
    for (const QString& f : m_layout->fields()) {
        if (t.column(f) < 0)
            throw AppError(
                ErrNo::NoSuchField,
                QString("The report %1 needs the field %2, which its data does not hold.")
                    .arg(m_layout->name, f));
    }
    m_table = std::move(t);
    m_set = true;
}

Report::Report(std::shared_ptr<const Layout> layout)
    : m_layout(std::move(layout)), m_database(m_layout.get()) {
    for (auto it = m_layout->subreports.cbegin(); it != m_layout->subreports.cend(); ++it)
        m_subreports[it.key()] = std::make_unique<Report>(it.value());
}

void Report::discardSavedData(int) {
    m_database.m_table = {};
    m_database.m_set = false;
    m_texts.clear();
    m_title.clear();
    for (auto& [name, sub] : m_subreports)
        sub->discardSavedData(0);
}

void Report::setPaperOrientation(int orientation) {
    m_orientation = orientation == crLandscape ? crLandscape : crPortrait;
}

void Report::setPaperSize(int size) {
    m_paperSize = size;
}

void Report::setText(const QString& objectName, const QString& t) {
    bool found = false;
    const auto look = [&](const Section& s) {
        for (const Item& item : s.items)
            found = found || (item.kind == Item::Text && item.name == objectName);
    };
    look(m_layout->reportHeader);
    look(m_layout->pageHeader);
    look(m_layout->reportFooter);
    look(m_layout->pageFooter);
    for (const Group& g : m_layout->groups) {
        for (const Section& s : g.headers)
            look(s);
        for (const Section& s : g.footers)
            look(s);
    }
    for (const Section& s : m_layout->details)
        look(s);
    if (!found)
        throw AppError(
            ErrNo::NoSuchField,
            QString("The report %1 has no text object %2.").arg(m_layout->name, objectName));
    m_texts.insert(objectName, t);
}

QString Report::objectText(const QString& objectName) const {
    const auto it = m_texts.constFind(objectName);
    if (it != m_texts.constEnd())
        return it.value();
    // A text object keeps its design text until it is given one.
    const auto find = [&](const Section& s) -> QString {
        for (const Item& item : s.items)
            if (item.kind == Item::Text && item.name == objectName)
                return item.text;
        return {};
    };
    QString t = find(m_layout->reportHeader);
    if (t.isEmpty())
        t = find(m_layout->pageHeader);
    return t;
}

Report& Report::openSubreport(const QString& name) {
    const auto it = m_subreports.find(name);
    if (it == m_subreports.end())
        throw AppError(ErrNo::NoSuchField,
                       QString("The report %1 has no subreport %2.").arg(m_layout->name, name));
    return *it->second;
}

const Report* Report::subreport(const QString& name) const {
    const auto it = m_subreports.find(name);
    return it == m_subreports.end() ? nullptr : it->second.get();
}

QSizeF Report::sheetSize() const {
    // A4, the paper the layouts are made for, in the report's orientation.
    const QSizeF mm = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    QSizeF twips(mm.width() * 1440 / 25.4, mm.height() * 1440 / 25.4);
    if (m_orientation == crLandscape)
        twips.transpose();
    return twips;
}

QVector<Page> Report::paginate(const QSizeF& sheet) const {
    struct Forget {
        ~Forget() { measurer().forgetTexts(); }
    } forget;
    return Paginator(*this, sheet).run();
}

struct Pagination::Impl {
    Impl(const Report& report, const QSizeF& sheet) : paginator(report, sheet) {}
    Paginator paginator;
};

Pagination::Pagination(const Report& report, const QSizeF& sheet)
    : d(std::make_unique<Impl>(report, sheet)) {}

Pagination::~Pagination() {
    // The texts measured are kept for one pagination.
    measurer().forgetTexts();
}

bool Pagination::advance(int pages, qint64 budgetMs) {
    const bool done = d->paginator.advance(pages, budgetMs);
    if (done)
        measurer().forgetTexts();
    return done;
}

bool Pagination::complete() const {
    return d->paginator.complete();
}

int Pagination::completePages() const {
    return d->paginator.completePages();
}

const QVector<Page>& Pagination::pages() const {
    return d->paginator.pages();
}

void Report::drawPage(QPainter& painter, const QVector<Page>& pages, int index, double k,
                      int pageCount) const {
    if (index < 0 || index >= pages.size())
        return;
    if (pageCount < 0)
        pageCount = int(pages.size());
    // The page's width, for items that run to the right edge.
    const QSizeF sheet = pages[index].sheet;
    painter.save();
    painter.scale(k, k);
    painter.setPen(QPen(Qt::black, 10));
    for (const PlacedBand& band : pages[index].bands) {
        const int bandWidth = int(sheet.width()) - kMargin - band.x;
        // A piece of a band shows the lines that lie whole inside it.
        const double to = band.to < 0 ? std::numeric_limits<double>::max() : band.to;
        const auto inPiece = [&](double top, double bottom) {
            return top >= band.from - kEdge && bottom <= to + kEdge;
        };
        const double top = band.y - band.from;
        for (const Item& item : band.section->items) {
            const int x = band.x + item.left;
            const int w = itemWidth(item, bandWidth);
            if (item.kind == Item::Line) {
                if (inPiece(item.top, item.top + kRuleHeight))
                    painter.drawLine(QPointF(x, top + item.top + 7),
                                     QPointF(x + w, top + item.top + 7));
                continue;
            }
            const QString t =
                resolveText(*band.report, item, band.row, index, pageCount, band.count);
            if (t.isEmpty())
                continue;
            QTextLayout layout;
            layOut(layout, item, t, w);
            for (int i = 0; i < layout.lineCount(); ++i) {
                const QTextLine line = layout.lineAt(i);
                if (inPiece(item.top + line.y(), item.top + line.y() + line.height()))
                    line.draw(&painter, QPointF(x, top + item.top));
            }
        }
    }
    painter.restore();
}

void Report::drawPageOnSheet(Printer& printer, const QVector<Page>& pages, int index) const {
    if (index < 0 || index >= pages.size())
        return;
    QPainter& painter = printer.painter();
    const double k = printer.twipsToDevice();
    const QSizeF sheet = pages[index].sheet;
    const QSizeF paper(printer.Width(), printer.Height());
    const bool turn = (sheet.width() > sheet.height()) != (paper.width() > paper.height());
    const QSizeF placed = turn ? sheet.transposed() : sheet;
    const double s =
        std::min({1.0, paper.width() / placed.width(), paper.height() / placed.height()});
    painter.save();
    // Centred on the paper; turned, the page's head lies along its left edge.
    painter.translate((paper.width() - placed.width() * s) / 2 * k,
                      (paper.height() - placed.height() * s) / 2 * k);
    if (turn) {
        painter.translate(0, placed.height() * s * k);
        painter.rotate(-90);
    }
    painter.scale(s, s);
    drawPage(painter, pages, index, k);
    painter.restore();
}

void Report::preparePrinter(Printer& printer) const {
    printer.setOrientation(m_orientation);
    if (m_paperSize == crPaperA4)
        printer.qprinter().setPageSize(QPageSize(QPageSize::A4));
}

void Report::print(Printer& printer) const {
    print(printer, paginate(sheetSize()), PrintRange{});
}

void Report::print(Printer& printer, const QVector<Page>& pages, const PrintRange& range,
                   QProgressBar* bar) const {
    WritingProgress progress(bar);
    const QVector<int> order = range.order(int(pages.size()));
    progress.setTotal(int(order.size()));
    for (qsizetype i = 0; i < order.size(); ++i) {
        if (i > 0)
            printer.NewPage();
        progress.sheet(int(i) + 1);
        drawPageOnSheet(printer, pages, order[i]);
    }
    printer.EndDoc();
}

} // namespace report
