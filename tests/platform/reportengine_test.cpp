// The report engine: groups, detail rows across pages with the page header
// and footer on every page, subreports linked by a field, growing sections,
// and the errors of a layout and its data that do not fit.
#include "platform/fonts.h"
#include "platform/printer.h"
#include "platform/reportengine.h"
#include "platform/textlines.h"
#include "tests/common/pdf.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextLayout>
#include <gtest/gtest.h>

using namespace report;

namespace {

ado::Recordset rows(const QStringList& names, const QVector<QVector<QVariant>>& data) {
    ado::Recordset rs;
    rs.setData(names, data);
    return rs;
}

QString printed(const Report& rpt, const QString& path, int* pages = nullptr) {
    Printer printer;
    rpt.preparePrinter(printer);
    printer.qprinter().setOutputFormat(QPrinter::PdfFormat);
    printer.qprinter().setOutputFileName(path);
    rpt.print(printer);
    // Kept to be looked at where REPORT_PDF_DIR names a folder.
    const QString keep = qEnvironmentVariable("REPORT_PDF_DIR");
    if (!keep.isEmpty())
        QFile::copy(path, keep + "/engine-" + QFileInfo(path).fileName());
    const QString text = pdfText(path);
    if (pages)
        *pages = text.count('\f');
    return text;
}

std::shared_ptr<Layout> groupedLayout() {
    auto l = std::make_shared<Layout>();
    l->name = "grouped";
    l->reportHeader << text("").named("txtSchool") << text("{Title}").at(0, 300);
    l->reportHeader.height = 700;
    l->pageHeader << text("Caption Row");
    l->pageHeader.height = 300;
    Group g;
    g.field = "G";
    Section h;
    h << text("Group").at(0, 0, 900) << field("G").at(900, 0);
    g.headers << h;
    l->groups << g;
    Section d;
    d << field("N").at(300, 0);
    l->details << d;
    l->pageFooter << text("Page {Page} of {Pages}");
    return l;
}

TEST(ReportEngine, GroupsBreakOnTheirFieldAndPagesRepeatHeaderAndFooter) {
    QTemporaryDir dir;
    QVector<QVector<QVariant>> data;
    for (int i = 0; i < 120; ++i)
        data << QVector<QVariant>{i < 70 ? "A" : "B", QString("Row%1").arg(i, 3, 10, QChar('0'))};
    ado::Recordset rs = rows({"G", "N"}, data);
    Report rpt(groupedLayout());
    rpt.discardSavedData(0);
    rpt.database().setDataSource(rs);
    rpt.setText("txtSchool", "Test School {Page}");
    rpt.setReportTitle("A Title: 2026");
    int pages = 0;
    const QString text = printed(rpt, dir.filePath("g.pdf"), &pages);
    ASSERT_GE(pages, 2);
    EXPECT_EQ(text.count("Test School {Page}"), 1);
    EXPECT_EQ(text.count("A Title: 2026"), 1);
    EXPECT_EQ(text.count("Caption Row"), pages);
    for (int p = 1; p <= pages; ++p)
        EXPECT_TRUE(text.contains(QString("Page %1 of %2").arg(p).arg(pages))) << p;
    EXPECT_EQ(text.count(QRegularExpression("Group\\s+A")), 1);
    EXPECT_EQ(text.count(QRegularExpression("Group\\s+B")), 1);
    // Every row once, in order, B's group after the last row of A.
    qsizetype at = -1;
    for (int i = 0; i < 120; ++i) {
        const qsizetype next = text.indexOf(QString("Row%1").arg(i, 3, 10, QChar('0')));
        ASSERT_GT(next, at) << i;
        at = next;
    }
    EXPECT_GT(text.indexOf(QRegularExpression("Group\\s+B")), text.indexOf("Row069"));
    EXPECT_LT(text.indexOf(QRegularExpression("Group\\s+B")), text.indexOf("Row070"));
}

TEST(ReportEngine, SubreportsShowTheRowsLinkedToTheirMainRow) {
    auto sub = std::make_shared<Layout>();
    sub->name = "sub";
    sub->reportHeader << text("Sub Heading");
    Section sd;
    sd << field("What").at(600, 0);
    sub->details << sd;

    auto main = std::make_shared<Layout>();
    main->name = "main";
    Section d;
    d << field("Name");
    Section s;
    s.subreport = "items";
    s.linkField = "ID";
    s.subreportLinkField = "OwnerID";
    s.hideWhenSubreportEmpty = true;
    main->details << d << s;
    main->subreports.insert("items", sub);

    ado::Recordset mainRows = rows({"ID", "Name"}, {{1, "First"}, {2, "Second"}, {3, "Third"}});
    ado::Recordset subRows =
        rows({"OwnerID", "What"}, {{2, "Item2a"}, {1, "Item1a"}, {2, "Item2b"}, {1, "Item1b"}});
    Report rpt(main);
    rpt.database().setDataSource(mainRows);
    rpt.openSubreport("items").database().setDataSource(subRows);
    QTemporaryDir dir;
    const QString text = printed(rpt, dir.filePath("s.pdf")).simplified();
    EXPECT_EQ(text, "First Sub Heading Item1a Item1b Second Sub Heading Item2a Item2b Third")
        << text.toStdString();
}

TEST(ReportEngine, AWrappedFieldGrowsItsSection) {
    auto l = std::make_shared<Layout>();
    l->name = "wrap";
    Section d;
    d << field("T").at(0, 0, 2000);
    d.height = 200;
    l->details << d;
    const QString longText = QString("word ").repeated(60);
    ado::Recordset rs = rows({"T"}, {{"short"}, {longText}, {"short"}});
    Report rpt(l);
    rpt.database().setDataSource(rs);
    const QVector<Page> pages = rpt.paginate(rpt.sheetSize());
    ASSERT_EQ(pages.size(), 1);
    QVector<int> ys;
    for (const PlacedBand& b : pages[0].bands)
        if (b.section == &l->details[0])
            ys << b.y;
    ASSERT_EQ(ys.size(), 3);
    const int oneLine = ys[1] - ys[0];
    EXPECT_GT(ys[2] - ys[1], 5 * oneLine);
}

// Short rows, then a long text beside its caption, then a last row.
std::shared_ptr<Layout> longTextLayout() {
    auto l = std::make_shared<Layout>();
    l->name = "long";
    l->pageHeader << text("Heading");
    l->pageHeader.height = 300;
    l->pageFooter << text("Footer {Page}");
    Section d;
    d << field("Caption").at(0, 0, 1400) << field("T").at(1400, 0, 3000);
    l->details << d;
    return l;
}

QVector<QVector<QVariant>> rowsBefore(int n, const QString& longText) {
    QVector<QVector<QVariant>> data;
    for (int i = 0; i < n; ++i)
        data << QVector<QVariant>{QString("Row%1").arg(i, 3, 10, QChar('0')), "short"};
    data << QVector<QVariant>{"Long:", longText} << QVector<QVariant>{"Last", "row"};
    return data;
}

QString numberedWords(int n) {
    QStringList words;
    for (int i = 0; i < n; ++i)
        words << QString("w%1").arg(i, 4, 10, QChar('0'));
    return words.join(' ');
}

TEST(ReportEngine, ALongTextStartsWhereItStandsAndPrintsEachLineOnceAndWhole) {
    const QString stored = numberedWords(1500);
    ado::Recordset rs = rows({"Caption", "T"}, rowsBefore(20, stored));
    Report rpt(longTextLayout());
    rpt.database().setDataSource(rs);
    QTemporaryDir dir;
    const QString path = dir.filePath("long.pdf");
    int pages = 0;
    const QString text = printed(rpt, path, &pages);
    ASSERT_GE(pages, 3);
    // The stored text, every word once and in order.
    QStringList words;
    for (const auto& m : QRegularExpression("w\\d{4}").globalMatch(text))
        words << m.captured();
    EXPECT_EQ(words.join(' '), stored);
    // It starts on the first page, below the rows before it, not on a page
    // of its own.
    const QString first = pdfPageText(path, 1);
    EXPECT_TRUE(first.contains("Row019") && first.contains("w0000")) << first.toStdString();
    EXPECT_TRUE(pdfPageText(path, pages).contains("Last"));
    // Every line whole between the page's heading and its footer.
    QHash<int, double> headingBottom, footerTop;
    const QList<PdfWord> all = pdfWords(path);
    for (const PdfWord& w : all) {
        if (w.text == "Heading")
            headingBottom[w.page] = w.box.bottom();
        if (w.text == "Footer")
            footerTop[w.page] = w.box.top();
    }
    int checked = 0;
    for (const PdfWord& w : all) {
        if (!w.text.startsWith('w'))
            continue;
        ++checked;
        EXPECT_GT(w.box.top(), headingBottom.value(w.page)) << w.text.toStdString();
        EXPECT_LT(w.box.bottom(), footerTop.value(w.page)) << w.text.toStdString();
    }
    EXPECT_EQ(checked, 1500);
}

TEST(ReportEngine, ACutLeavesTwoLinesOnEachSideAndAShortTextGoesOverWhole) {
    const double line = QFontMetricsF(fonts::reportFont(9, false, false)).lineSpacing();
    const QString longText = numberedWords(60);  // a dozen lines
    const QString shortText = numberedWords(15); // three lines
    // So many rows before them that the texts come at every height of the
    // first page's foot, and past it.
    for (int before = 57; before <= 72; ++before) {
        for (const QString& t : {longText, shortText}) {
            ado::Recordset rs = rows({"Caption", "T"}, rowsBefore(before, t));
            Report rpt(longTextLayout());
            rpt.database().setDataSource(rs);
            const QVector<Page> pages = rpt.paginate(rpt.sheetSize());
            QVector<std::pair<int, const PlacedBand*>> pieces; // page and piece
            int rowPage = -1;
            for (int p = 0; p < pages.size(); ++p) {
                for (const PlacedBand& b : pages[p].bands) {
                    if (b.section != &rpt.layout().details[0])
                        continue;
                    if (b.row == before - 1)
                        rowPage = p;
                    if (b.row == before)
                        pieces.append({p, &b});
                }
            }
            ASSERT_FALSE(pieces.isEmpty());
            SCOPED_TRACE(
                QString("%1 rows, %2 pieces").arg(before).arg(pieces.size()).toStdString());
            if (t == shortText) {
                EXPECT_EQ(pieces.size(), 1);
                continue;
            }
            // The pieces follow on from each other, page after page.
            EXPECT_EQ(pieces.first().second->from, 0);
            EXPECT_EQ(pieces.last().second->to, -1);
            for (int i = 0; i + 1 < pieces.size(); ++i) {
                EXPECT_EQ(pieces[i].second->to, pieces[i + 1].second->from);
                EXPECT_EQ(pieces[i + 1].first, pieces[i].first + 1);
                EXPECT_GE(pieces[i].second->to - pieces[i].second->from, 2 * line - 1);
            }
            // The last piece holds two lines at least: the row after it
            // stands two lines below its top.
            for (const PlacedBand& b : pages[pieces.last().first].bands) {
                if (b.row == before + 1 && b.section == &rpt.layout().details[0]) {
                    EXPECT_GE(b.y - pieces.last().second->y, 2 * line - 1);
                }
            }
            // It starts on the last row's page unless two lines had no room.
            const PlacedBand& footer = pages[rowPage].bands.last();
            const PlacedBand* lastRow = nullptr;
            for (const PlacedBand& b : pages[rowPage].bands) {
                if (b.row == before - 1 && b.section == &rpt.layout().details[0])
                    lastRow = &b;
            }
            ASSERT_NE(lastRow, nullptr);
            const double room = footer.y - (lastRow->y + line);
            if (room >= 2 * line + 1)
                EXPECT_EQ(pieces.first().first, rowPage) << room / line << " lines of room";
            else
                EXPECT_EQ(pieces.first().first, rowPage + 1) << room / line << " lines of room";
        }
    }
}

TEST(ReportEngine, APageBegunInsideASubreportHeadsItWithTheMainRow) {
    auto sub = std::make_shared<Layout>();
    sub->name = "sub";
    Section sd;
    sd << field("What").at(600, 0);
    sub->details << sd;

    auto main = std::make_shared<Layout>();
    main->name = "main";
    main->pageHeader << text("Running:").at(0, 0, 1200) << field("Name").at(1200, 0);
    main->pageHeader.height = 300;
    Section d;
    d.newPageBefore = true;
    d << field("Name").at(0, 0);
    Section s;
    s.subreport = "items";
    s.linkField = "ID";
    s.subreportLinkField = "OwnerID";
    main->details << d << s;
    main->subreports.insert("items", sub);

    // The second main row's items run over three pages; the subreport's rows
    // 0 and 1 would name the main rows First and Second.
    ado::Recordset mainRows = rows({"ID", "Name"}, {{1, "First"}, {2, "Second"}});
    QVector<QVector<QVariant>> items = {{1, "one"}};
    for (int i = 0; i < 150; ++i)
        items << QVector<QVariant>{2, QString("Item%1").arg(i)};
    ado::Recordset subRows = rows({"OwnerID", "What"}, items);
    Report rpt(main);
    rpt.database().setDataSource(mainRows);
    rpt.openSubreport("items").database().setDataSource(subRows);
    QTemporaryDir dir;
    int pages = 0;
    const QStringList sheets = printed(rpt, dir.filePath("r.pdf"), &pages).split('\f');
    ASSERT_GE(pages, 3);
    EXPECT_TRUE(sheets[0].simplified().startsWith("Running: First")) << sheets[0].toStdString();
    for (int p = 1; p < pages; ++p)
        EXPECT_TRUE(sheets[p].simplified().startsWith("Running: Second"))
            << p << ": " << sheets[p].left(200).toStdString();
}

TEST(ReportEngine, AHeadingKeptWithWhatFollowsNeverEndsAPage) {
    // Groups of one to seven rows: without the keep some group's heading
    // falls last on a page, its rows on the next.
    const auto data = [](int groups) {
        QVector<QVector<QVariant>> out;
        for (int g = 0; g < groups; ++g)
            for (int r = 0; r <= g % 7; ++r)
                out << QVector<QVariant>{QString("G%1").arg(g, 2, 10, QChar('0')), "row"};
        return out;
    };
    const auto headingsEndingAPage = [&](int groups, bool keep) {
        auto l = groupedLayout();
        l->groups[0].headers[0].keepWithNext = keep;
        l->groups[0].headers[0].height = 500;
        ado::Recordset rs = rows({"G", "N"}, data(groups));
        Report rpt(l);
        rpt.database().setDataSource(rs);
        const QVector<Page> pages = rpt.paginate(rpt.sheetSize());
        int count = 0;
        for (const Page& page : pages) {
            // The last band before the page footer.
            const PlacedBand& last = page.bands[page.bands.size() - 2];
            count += last.section == &rpt.layout().groups[0].headers[0] ? 1 : 0;
        }
        return std::pair{count, int(pages.size())};
    };
    // The first number of groups whose loose layout leaves a heading last on
    // a page: where that happens depends on the rows' height.
    int groups = 20;
    while (groups < 99 && headingsEndingAPage(groups, false).first == 0)
        ++groups;
    const auto [loose, loosePages] = headingsEndingAPage(groups, false);
    ASSERT_GT(loose, 0) << "no number of groups leaves a heading last on a page";
    const auto [kept, keptPages] = headingsEndingAPage(groups, true);
    EXPECT_EQ(kept, 0);
    EXPECT_GE(keptPages, loosePages);
}

TEST(ReportEngine, AGroupHeadingRepeatsAtopEveryPageItsGroupRunsOnTo) {
    QVector<QVector<QVariant>> data;
    for (int i = 0; i < 400; ++i)
        data << QVector<QVariant>{i < 300 ? "A" : "B", QString("Row%1").arg(i, 3, 10, QChar('0'))};
    ado::Recordset rs = rows({"G", "N"}, data);
    auto l = groupedLayout();
    l->groups[0].headers[0].repeatOnNewPage = true;
    Report rpt(l);
    rpt.database().setDataSource(rs);
    QTemporaryDir dir;
    int pages = 0;
    const QStringList sheets = printed(rpt, dir.filePath("h.pdf"), &pages).split('\f');
    ASSERT_GE(pages, 4);
    // Each page starts, under its captions, with the group of its first row.
    for (int p = 0; p < pages; ++p) {
        const QString sheet = sheets[p].simplified();
        const QString first = sheet.mid(sheet.indexOf(QRegularExpression("Row\\d{3}")), 6);
        const QString group = first.mid(3).toInt() < 300 ? "A" : "B";
        EXPECT_TRUE(sheet.contains(QRegularExpression("Caption Row Group " + group + " " + first)))
            << p << ": " << sheet.left(120).toStdString();
    }
    // Every row once.
    const QString all = sheets.join(' ');
    EXPECT_EQ(all.count(QRegularExpression("Row\\d{3}")), 400);
}

TEST(ReportEngine, GroupsCompareWithoutCaseShowTheirFirstSpellingAndCountTheirRows) {
    // Blank values (Null, empty, blanks only), one value in three spellings
    // over several pages, and another.
    QVector<QVector<QVariant>> data = {{QVariant(), "n0"}, {"", "n1"}, {"  ", "n2"}};
    const QStringList spellings = {"Alpha", "ALPHA", "alpha"};
    for (int i = 0; i < 150; ++i)
        data << QVector<QVariant>{spellings[i % 3], QString("a%1").arg(i)};
    data << QVector<QVariant>{"Beta", "b0"} << QVector<QVariant>{"BETA", "b1"};
    ado::Recordset rs = rows({"G", "N"}, data);
    auto l = groupedLayout();
    l->groups[0].headers[0].repeatOnNewPage = true;
    Section footer;
    footer << text("Count {Count}");
    l->groups[0].footers << footer;
    l->reportFooter << text("Total {Count}");
    Report rpt(l);
    rpt.database().setDataSource(rs);
    QTemporaryDir dir;
    int pages = 0;
    const QString printedText = printed(rpt, dir.filePath("case.pdf"), &pages);
    const QString text = printedText.simplified();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(text.count("Count "), 3) << text.toStdString();
    EXPECT_TRUE(text.contains("n2 Count 3 Group Alpha a0"));
    EXPECT_TRUE(text.contains("a149 Count 150 Group Beta b0 b1 Count 2 Total 155"))
        << text.toStdString();
    // Atop each page it runs on to, the group has its first spelling.
    const QStringList sheets = printedText.split('\f');
    for (int p = 1; p < pages; ++p)
        EXPECT_TRUE(sheets[p].simplified().startsWith("Caption Row Group Alpha a")) << p;
    EXPECT_FALSE(text.contains("ALPHA") || text.contains("Group alpha"));
    EXPECT_FALSE(text.contains("BETA"));
}

TEST(ReportEngine, ANewPageGroupStartsEachGroupOnItsOwnSheet) {
    auto l = groupedLayout();
    l->groups[0].headers[0].newPageBefore = true;
    ado::Recordset rs = rows({"G", "N"}, {{"A", "a1"}, {"A", "a2"}, {"B", "b1"}, {"C", "c1"}});
    Report rpt(l);
    rpt.database().setDataSource(rs);
    EXPECT_EQ(rpt.paginate(rpt.sheetSize()).size(), 3);
    // Landscape turns the sheet.
    rpt.setPaperOrientation(Report::crLandscape);
    EXPECT_GT(rpt.sheetSize().width(), rpt.sheetSize().height());
}

TEST(ReportEngine, DataAndNamesTheLayoutDoesNotHaveAreRefused) {
    Report rpt(groupedLayout());
    ado::Recordset missing = rows({"G"}, {{"A"}});
    try {
        rpt.database().setDataSource(missing);
        FAIL() << "a missing field was taken";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.description().contains("N")) << e.description().toStdString();
    }
    EXPECT_FALSE(rpt.database().hasDataSource());
    EXPECT_THROW(rpt.setText("txtNoSuch", "x"), AppError);
    EXPECT_THROW(rpt.openSubreport("none"), AppError);
    ado::Recordset closed;
    EXPECT_THROW(rpt.database().setDataSource(closed), AppError);
    // With no data the report still has its page: headers and footer.
    EXPECT_EQ(rpt.paginate(rpt.sheetSize()).size(), 1);
}

} // namespace

// A text is measured as high as the layout sets it, whatever it holds: plain
// words (measured from the glyphs' advances), punctuation, brackets, quotes,
// blanks at either end or doubled, words wider than the box, other scripts.
TEST(ReportEngine, ATextIsMeasuredAsHighAsItIsSet) {
    // Plain words first, then the rest.
    const QStringList words = {"learner",    "reads",      "Slowly",   "with",
                               "O'Neill",    "\"quoted\"", "(aside)",  "end.",
                               "yes,",       "no;",        "so:",      "well!",
                               "why?",       "3.5",        "011",      "x",
                               "iiiiii",     "AVATAR",     "Tomorrow", "WWWWWWWWWWWWWWWWWWWW",
                               "(",          ")",          ".",        "-",
                               "well-known", "a/b",        "Émile",    "ÑANDÚ"};
    const int plainWords = 20;
    quint32 seed = 20260611;
    const auto next = [&seed](int n) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % quint32(n));
    };
    int measured = 0;
    for (const double size : {8.0, 9.0, 11.0}) {
        for (const bool bold : {false, true}) {
            Item item = field("X").font(size, bold);
            for (int t = 0; t < 400; ++t) {
                // Three texts in four of plain words between single blanks.
                const bool plain = t % 4 != 0;
                QString text;
                for (int w = 0, n = 1 + next(40); w < n; ++w) {
                    if (w > 0)
                        text += !plain && next(6) == 0 ? "  " : " ";
                    text += words[next(plain ? plainWords : int(words.size()))];
                }
                if (!plain && next(4) == 0)
                    text = " " + text;
                if (!plain && next(4) == 0)
                    text += " ";
                const double width = 800 + next(9000);
                QTextLayout layout;
                layout.setFont(itemFont(item));
                const double expected = layOutLines(layout, text, width, Qt::AlignLeft, true);
                ASSERT_EQ(itemTextHeight(item, text, width), expected)
                    << text.toStdString() << " across " << width;
                ++measured;
            }
        }
    }
    EXPECT_EQ(measured, 2400);
}

// Laid out a few pages at a time, a report gives the pages it gives laid out
// at once.
TEST(ReportEngine, APaginationAFewPagesAtATimeGivesThePagesOfOneAtOnce) {
    auto l = std::make_shared<Layout>();
    l->pageHeader << text("Header");
    Group g;
    g.field = "G";
    Section h;
    h << field("G").at(0, 0);
    h.keepWithNext = true;
    h.repeatOnNewPage = true;
    g.headers << h;
    l->groups << g;
    Section d;
    d << field("N").at(300, 0, 3000);
    l->details << d;
    l->pageFooter << text("Page {Page} of {Pages}");
    QVector<QVector<QVariant>> data;
    for (int i = 0; i < 600; ++i)
        data << QVector<QVariant>{QString("Group %1").arg(i / 70),
                                  QString("row %1 ").arg(i).repeated(1 + i % 9)};
    ado::Recordset rs = rows({"G", "N"}, data);
    Report rpt(l);
    rpt.database().setDataSource(rs);
    const QVector<Page> whole = rpt.paginate(rpt.sheetSize());
    ASSERT_GT(whole.size(), 10);

    Pagination pagination(rpt, rpt.sheetSize());
    EXPECT_FALSE(pagination.advance(1));
    EXPECT_EQ(pagination.completePages(), 1);
    EXPECT_FALSE(pagination.advance(3));
    EXPECT_EQ(pagination.completePages(), 3);
    while (!pagination.advance(pagination.completePages() + 2)) {
    }
    const QVector<Page>& pages = pagination.pages();
    ASSERT_EQ(pages.size(), whole.size());
    for (qsizetype p = 0; p < pages.size(); ++p) {
        ASSERT_EQ(pages[p].bands.size(), whole[p].bands.size()) << "page " << p + 1;
        for (qsizetype b = 0; b < pages[p].bands.size(); ++b) {
            const PlacedBand& a = pages[p].bands[b];
            const PlacedBand& o = whole[p].bands[b];
            EXPECT_TRUE(a.section == o.section && a.row == o.row && a.y == o.y &&
                        a.from == o.from && a.to == o.to)
                << "page " << p + 1 << ", band " << b;
        }
    }
}
