#include "platform/reportengine.h"

#include "platform/apperror.h"
#include "platform/fonts.h"
#include "platform/printdialog.h"
#include "platform/printer.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPageSize>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

namespace report {

namespace {

constexpr int kMargin = 720; // half an inch round the sheet
constexpr double kScreenTwipsToPixel = 96.0 / 1440.0;

// Fonts are sized in twips, so one measure serves the screen and the printer.
QFont itemFont(const Item& item) {
    return fonts::reportFont(item.fontSize, item.bold, item.italic);
}

int itemWidth(const Item& item, int bandWidth) {
    return item.width > 0 ? item.width : std::max(0, bandWidth - item.left);
}

QString resolveText(const Report& report, const Item& item, int row, int page, int pages) {
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
    t.replace("{Pages}", QString::number(pages));
    t.replace("{Title}", report.reportTitle());
    return t;
}

int flags(const Item& item) {
    return int(item.align) | (item.wrap ? int(Qt::TextWordWrap) : 0);
}

int itemHeight(const Report& report, const Item& item, int row, int bandWidth) {
    if (item.kind == Item::Line)
        return 15;
    const QFontMetricsF fm(itemFont(item));
    if (!item.wrap)
        return qCeil(fm.height());
    const QString t = resolveText(report, item, row, 0, 1);
    const QRectF r = fm.boundingRect(QRectF(0, 0, itemWidth(item, bandWidth), 1e7), flags(item),
                                     t.isEmpty() ? QStringLiteral(" ") : t);
    return qCeil(std::max(r.height(), fm.height()));
}

int sectionHeight(const Report& report, const Section& section, int row, int bandWidth) {
    int h = section.height;
    for (const Item& item : section.items)
        h = std::max(h, item.top + itemHeight(report, item, row, bandWidth));
    return h;
}

// The line spacing of a section's first growing item: where a band too tall
// for a page is cut.
double lineStep(const Section* section) {
    for (const Item& item : section->items) {
        if (item.wrap && item.kind != Item::Line)
            return std::max(1.0, QFontMetricsF(itemFont(item)).lineSpacing());
    }
    return 240;
}

// A section to be placed, in the order the report prints them.
struct Band {
    const Report* report;
    const Section* section;
    int row;
    int indent;
    int height;
};

// The rows of a subreport that belong to one row of its main report, found
// through an index of the subreport's link field made on first use: reading
// the whole subreport for every main row grew with the square of the size.
class SubreportRows {
public:
    const QVector<int>& rows(const Report& sub, const QString& linkField, const QString& key) {
        auto [it, made] = m_index.try_emplace({&sub, linkField});
        QHash<QString, QVector<int>>& byKey = it->second;
        if (made) {
            const DataTable& table = sub.database().table();
            for (int r = 0; r < table.rows.size(); ++r)
                byKey[linkField.isEmpty() ? QString() : Row(&table, r).text(linkField)] << r;
        }
        const auto found = byKey.constFind(linkField.isEmpty() ? QString() : key);
        static const QVector<int> none;
        return found == byKey.cend() ? none : *found;
    }

private:
    std::map<std::pair<const Report*, QString>, QHash<QString, QVector<int>>> m_index;
};

void addBand(QVector<Band>& out, SubreportRows& subRowsOf, const Report& report,
             const Section& section, int row, int indent, int width);

void streamRows(QVector<Band>& out, SubreportRows& subRowsOf, const Report& report,
                const QVector<int>& rows, int indent, int width, bool withHeaderAndFooter) {
    const Layout& layout = report.layout();
    const DataTable& table = report.database().table();
    if (withHeaderAndFooter)
        addBand(out, subRowsOf, report, layout.reportHeader, rows.isEmpty() ? -1 : rows.first(),
                indent, width);
    const auto groupValue = [&](int g, int row) {
        return Row(&table, row).text(layout.groups[g].field);
    };
    const int groups = layout.groups.size();
    for (int i = 0; i < rows.size(); ++i) {
        const int row = rows[i];
        // The outermost group whose value changed closes every inner group.
        int changed = groups;
        if (i == 0) {
            changed = 0;
        } else {
            for (int g = 0; g < groups; ++g) {
                if (groupValue(g, row) != groupValue(g, rows[i - 1])) {
                    changed = g;
                    break;
                }
            }
        }
        if (i > 0) {
            for (int g = groups - 1; g >= changed; --g)
                for (const Section& s : layout.groups[g].footers)
                    addBand(out, subRowsOf, report, s, rows[i - 1], indent, width);
        }
        for (int g = changed; g < groups; ++g)
            for (const Section& s : layout.groups[g].headers)
                addBand(out, subRowsOf, report, s, row, indent, width);
        for (const Section& detail : layout.details)
            addBand(out, subRowsOf, report, detail, row, indent, width);
    }
    if (!rows.isEmpty()) {
        for (int g = groups - 1; g >= 0; --g)
            for (const Section& s : layout.groups[g].footers)
                addBand(out, subRowsOf, report, s, rows.last(), indent, width);
    }
    if (withHeaderAndFooter)
        addBand(out, subRowsOf, report, layout.reportFooter, rows.isEmpty() ? -1 : rows.last(),
                indent, width);
}

void addBand(QVector<Band>& out, SubreportRows& subRowsOf, const Report& report,
             const Section& section, int row, int indent, int width) {
    const Report* sub = section.subreport.isEmpty() ? nullptr : report.subreport(section.subreport);
    QVector<int> subRows;
    if (sub) {
        const QString key = Row(&report.database().table(), row).text(section.linkField);
        subRows = subRowsOf.rows(*sub, section.subreportLinkField, key);
        if (subRows.isEmpty() && section.hideWhenSubreportEmpty)
            return;
    }
    const int h = sectionHeight(report, section, row, width - indent);
    if (h > 0 || section.newPageBefore)
        out << Band{&report, &section, row, indent, h};
    if (sub)
        streamRows(out, subRowsOf, *sub, subRows, indent + section.subreportIndent, width, true);
}

} // namespace

// ---------------------------------------------------------------- data

int DataTable::column(const QString& name) const {
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

DataTable DataTable::fromRecordset(ado::Recordset& rs) {
    if (rs.State() != ado::adStateOpen)
        throw AppError(ErrNo::NotOpen, "Operation is not allowed when the object is closed.");
    DataTable t;
    t.names = rs.fieldNames();
    if (rs.RecordCount() > 0)
        rs.MoveFirst();
    while (!rs.Eof()) {
        QVector<QVariant> row;
        row.reserve(t.names.size());
        for (int i = 0; i < t.names.size(); ++i)
            row << rs.Fields(i).Value();
        t.rows << row;
        rs.MoveNext();
    }
    if (rs.RecordCount() > 0)
        rs.MoveFirst();
    return t;
}

QVariant Row::value(const QString& field) const {
    if (!m_table || m_row < 0 || m_row >= m_table->rows.size())
        return {};
    const int c = m_table->column(field);
    return c < 0 ? QVariant() : m_table->rows[m_row][c];
}

QString Row::text(const QString& field) const {
    const QVariant v = value(field);
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
    // The A4 sheet unless the printer says otherwise.
    const QSizeF mm = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    QSizeF twips(mm.width() * 1440 / 25.4, mm.height() * 1440 / 25.4);
    if (m_orientation == crLandscape)
        twips.transpose();
    return twips;
}

QVector<Page> Report::paginate(const QSizeF& sheet) const {
    const int width = int(sheet.width()) - 2 * kMargin;
    const int footerHeight = sectionHeight(*this, m_layout->pageFooter, -1, width);
    const int bottom = int(sheet.height()) - kMargin - footerHeight;

    QVector<Band> bands;
    const DataTable& table = m_database.table();
    QVector<int> rows(table.rows.size());
    std::iota(rows.begin(), rows.end(), 0);
    SubreportRows subRowsOf;
    streamRows(bands, subRowsOf, *this, rows, 0, width, false);

    QVector<Page> pages;
    int y = 0;
    bool pageHasContent = false;
    int lastRow = rows.isEmpty() ? -1 : rows.first();
    const auto place = [&](const Report* r, const Section* s, int row, int indent, int h) {
        pages.last().bands << PlacedBand{r, s, row, kMargin + indent, y};
        y += h;
    };
    const auto finishPage = [&] {
        pages.last().bands << PlacedBand{this, &m_layout->pageFooter, lastRow, kMargin, bottom};
    };
    const auto startPage = [&](int row) {
        pages << Page{{}, sheet};
        y = kMargin;
        pageHasContent = false;
        if (pages.size() == 1)
            place(this, &m_layout->reportHeader, row, 0,
                  sectionHeight(*this, m_layout->reportHeader, row, width));
        place(this, &m_layout->pageHeader, row, 0,
              sectionHeight(*this, m_layout->pageHeader, row, width));
    };
    startPage(lastRow);
    for (qsizetype i = 0; i < bands.size(); ++i) {
        const Band& b = bands[i];
        // A band is kept on one page when it fits one; a heading kept with
        // what follows it goes over to the next page with that.
        int needed = b.height;
        for (qsizetype j = i; j + 1 < bands.size() && bands[j].section->keepWithNext; ++j) {
            if (bands[j + 1].height > (bottom - kMargin) / 2)
                break;
            needed += bands[j + 1].height;
        }
        const bool breakHere = pageHasContent && (b.section->newPageBefore || y + needed > bottom);
        // A page begun inside a subreport shows the main row it belongs to
        // in its page header, not the subreport's row of the same number.
        if (breakHere) {
            finishPage();
            startPage(b.report == this ? b.row : lastRow);
            // A group whose lines run on to this page has its heading again;
            // not when the page starts with its heading or its footer.
            const Layout& bl = b.report->layout();
            if (!b.section->newPageBefore && b.section != &bl.reportHeader &&
                b.section != &bl.reportFooter) {
                for (const Group& g : bl.groups) {
                    bool boundary = false;
                    for (const Section& h : g.headers)
                        boundary = boundary || &h == b.section;
                    for (const Section& f : g.footers)
                        boundary = boundary || &f == b.section;
                    if (boundary)
                        break;
                    for (const Section& h : g.headers) {
                        if (h.repeatOnNewPage)
                            place(b.report, &h, b.row, b.indent,
                                  sectionHeight(*b.report, h, b.row, width - b.indent));
                    }
                }
            }
        }
        if (b.report == this)
            lastRow = b.row;
        // One taller than the room a fresh page has goes on over the next
        // pages, cut between its lines.
        int offset = 0;
        int lines = 0;
        const double step = lineStep(b.section);
        while (b.height - offset > bottom - y) {
            lines += std::max(1, int((bottom - y) / step));
            const int cut = int(lines * step);
            pages.last().bands << PlacedBand{b.report, b.section, b.row,       kMargin + b.indent,
                                             y,        offset,    cut - offset};
            offset = cut;
            finishPage();
            startPage(lastRow);
        }
        pages.last().bands << PlacedBand{b.report,
                                         b.section,
                                         b.row,
                                         kMargin + b.indent,
                                         y,
                                         offset,
                                         offset > 0 ? b.height - offset : -1};
        y += b.height - offset;
        pageHasContent = true;
    }
    const int rfHeight = sectionHeight(*this, m_layout->reportFooter, lastRow, width);
    if (rfHeight > 0) {
        if (pageHasContent && y + rfHeight > bottom) {
            finishPage();
            startPage(lastRow);
        }
        place(this, &m_layout->reportFooter, lastRow, 0, rfHeight);
    }
    finishPage();
    return pages;
}

void Report::drawPage(QPainter& painter, const QVector<Page>& pages, int index, double k) const {
    if (index < 0 || index >= pages.size())
        return;
    // The page's width, for items that run to the right edge.
    const QSizeF sheet = pages[index].sheet;
    painter.save();
    painter.scale(k, k);
    painter.setPen(QPen(Qt::black, 10));
    for (const PlacedBand& band : pages[index].bands) {
        const int bandWidth = int(sheet.width()) - kMargin - band.x;
        painter.save();
        if (band.clipHeight >= 0)
            painter.setClipRect(QRectF(0, band.y, sheet.width(), band.clipHeight));
        for (const Item& item : band.section->items) {
            const int x = band.x + item.left;
            const int y = band.y - band.clipTop + item.top;
            const int w = itemWidth(item, bandWidth);
            if (item.kind == Item::Line) {
                painter.drawLine(QPointF(x, y + 7), QPointF(x + w, y + 7));
                continue;
            }
            const QString t = resolveText(*band.report, item, band.row, index, pages.size());
            if (t.isEmpty())
                continue;
            painter.setFont(itemFont(item));
            painter.drawText(QRectF(x, y, w, 1e6), flags(item), t);
        }
        painter.restore();
    }
    painter.restore();
}

void Report::preparePrinter(Printer& printer) const {
    printer.setOrientation(m_orientation);
    if (m_paperSize == crPaperA4)
        printer.qprinter().setPageSize(QPageSize(QPageSize::A4));
}

void Report::print(Printer& printer) const {
    const QVector<Page> pages = paginate(QSizeF(printer.Width(), printer.Height()));
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0)
            printer.NewPage();
        drawPage(printer.painter(), pages, i, printer.twipsToDevice());
    }
    printer.EndDoc();
}

// ---------------------------------------------------------------- viewer

ReportViewer::ReportViewer(QWidget* parent) : QWidget(parent) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    cmdFirst = new QPushButton("|<", this);
    cmdPrevious = new QPushButton("<", this);
    lblPage = new QLabel(this);
    cmdNext = new QPushButton(">", this);
    cmdLast = new QPushButton(">|", this);
    cmdPrint = new QPushButton("Print", this);
    for (QPushButton* b : {cmdFirst, cmdPrevious, cmdNext, cmdLast})
        b->setFixedWidth(32);
    bar->addWidget(cmdPrint);
    bar->addSpacing(12);
    bar->addWidget(cmdFirst);
    bar->addWidget(cmdPrevious);
    bar->addWidget(lblPage);
    bar->addWidget(cmdNext);
    bar->addWidget(cmdLast);
    bar->addStretch();
    outer->addLayout(bar);
    m_scroll = new QScrollArea(this);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_pageView = new QLabel;
    m_scroll->setWidget(m_pageView);
    outer->addWidget(m_scroll);
    connect(cmdFirst, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(cmdPrevious, &QPushButton::clicked, this, [this] { showPage(m_current - 1); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { showPage(m_current + 1); });
    connect(cmdLast, &QPushButton::clicked, this, [this] { showPage(m_pages.size() - 1); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { printReport(); });
    updateToolbar();
}

void ReportViewer::setReportSource(std::shared_ptr<Report> report) {
    m_report = std::move(report);
    m_pages.clear();
    m_current = 0;
    m_pageView->clear();
    updateToolbar();
}

void ReportViewer::viewReport() {
    m_pages = m_report ? m_report->paginate(m_report->sheetSize()) : QVector<Page>{};
    m_current = 0;
    showPage(0);
}

void ReportViewer::showPage(int index) {
    if (m_pages.isEmpty() || !m_report) {
        m_pageView->clear();
        updateToolbar();
        return;
    }
    m_current = std::clamp(index, 0, int(m_pages.size()) - 1);
    const QSizeF sheet = m_report->sheetSize();
    QImage image(qCeil(sheet.width() * kScreenTwipsToPixel),
                 qCeil(sheet.height() * kScreenTwipsToPixel), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        m_report->drawPage(p, m_pages, m_current, kScreenTwipsToPixel);
    }
    m_pageView->setPixmap(QPixmap::fromImage(image));
    m_pageView->resize(image.size());
    updateToolbar();
}

void ReportViewer::printReport() {
    if (!m_report)
        return;
    try {
        Printer printer;
        m_report->preparePrinter(printer);
        CommonDialog dialog;
        if (dialog.ShowPrinter(printer))
            m_report->print(printer);
    } catch (const AppError& e) {
        if (onError)
            onError(e);
    }
}

void ReportViewer::updateToolbar() {
    const int n = m_pages.size();
    lblPage->setText(n ? QString("%1 of %2").arg(m_current + 1).arg(n) : QString("0 of 0"));
    cmdFirst->setEnabled(n > 0 && m_current > 0);
    cmdPrevious->setEnabled(n > 0 && m_current > 0);
    cmdNext->setEnabled(n > 0 && m_current < n - 1);
    cmdLast->setEnabled(n > 0 && m_current < n - 1);
    cmdPrint->setEnabled(m_report != nullptr);
}

} // namespace report
