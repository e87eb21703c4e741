// The list reports' sheets read on their own: a group's heading stands with
// its first learner and its count line with its last one, whatever the size
// of the group; and the learners without a provider are one group listed in
// one order.
#include "platform/printdialog.h"
#include "platform/printer.h"
#include "platform/reportengine.h"
#include "reports/frmreportview.h"
#include "reports/reportlayouts.h"
#include "tests/common/pdf.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace report;

namespace {

// The bands of a page that are neither its running heading and footer nor a
// group heading repeated atop it.
QList<const PlacedBand*> contentOf(const Page& page, const Layout& layout) {
    QList<const PlacedBand*> out;
    for (const PlacedBand& b : page.bands) {
        if (b.section == &layout.pageHeader || b.section == &layout.pageFooter ||
            b.section == &layout.reportHeader)
            continue;
        out << &b;
    }
    return out;
}

// Learners in groups of the given sizes, grades and surnames in order.
void fillGroups(ado::Recordset& rs, const QList<int>& sizes, const char* groupField) {
    QVector<QVector<QVariant>> data;
    for (int g = 0; g < sizes.size(); ++g)
        for (int i = 0; i < sizes[g]; ++i)
            data << QVector<QVariant>{QString("Group %1").arg(QChar('A' + g)),
                                      QString("X%1-%2").arg(g).arg(i, 3, 10, QChar('0')),
                                      QString("Surname%1").arg(i, 3, 10, QChar('0')), "First",
                                      "Grade 1"};
    rs.setData({groupField, "AccessionNo", "SName", "FName", "Name"}, data);
}

} // namespace

TEST(ListSheets, AGroupsHeadingAndCountLineNeverStandAloneAtAPagesFootOrHead) {
    for (const auto& [layout, field] : {std::pair{crdLearner_DisSum(), "Disability"},
                                        {crdLearner_ListProv(), "Name_Of_Provider"}}) {
        const Section* heading = &layout->groups.first().headers.first();
        const Section* count = &layout->groups.first().footers.first();
        // The first group's size runs through every place its last learner
        // can take on the first pages.
        for (int first = 1; first <= 90; ++first) {
            ado::Recordset rs;
            fillGroups(rs, {first, 3, 40, 1}, field);
            Report rpt(layout);
            rpt.setPaperOrientation(layout->name == "crdLearner_DisSum" ? Report::crLandscape
                                                                        : Report::crPortrait);
            rpt.database().setDataSource(rs);
            const QVector<Page> pages = rpt.paginate(rpt.sheetSize());
            for (int p = 0; p < pages.size(); ++p) {
                const QList<const PlacedBand*> content = contentOf(pages[p], *layout);
                ASSERT_FALSE(content.isEmpty());
                // Atop a page (after the heading repeated there): not a count line.
                const PlacedBand* top = content.first();
                if (top->section == heading && content.size() > 1)
                    top = content[1];
                EXPECT_NE(top->section, count)
                    << layout->name.toStdString() << " " << first << " page " << p + 1;
                // At a page's foot: not a heading.
                EXPECT_NE(content.last()->section, heading)
                    << layout->name.toStdString() << " " << first << " page " << p + 1;
            }
        }
    }
}

TEST(ListSheets, ThePrintedCountLineStandsUnderItsGroupsLastLearner) {
    // The group's last learner fills the first page of the barrier list.
    auto layout = crdLearner_DisSum();
    int fills = 0;
    for (int n = 1; n < 100 && fills == 0; ++n) {
        ado::Recordset rs;
        fillGroups(rs, {n, 2}, "Disability");
        Report rpt(layout);
        rpt.setPaperOrientation(Report::crLandscape);
        rpt.database().setDataSource(rs);
        if (rpt.paginate(rpt.sheetSize()).size() > 1)
            fills = n;
    }
    ASSERT_GT(fills, 0);
    ado::Recordset rs;
    fillGroups(rs, {fills, 2}, "Disability");
    Report rpt(layout);
    rpt.setPaperOrientation(Report::crLandscape);
    rpt.database().setDataSource(rs);
    rpt.setReportTitle("Learner Summary per Barrier (Primary): 2026");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("barriers.pdf");
    Printer printer;
    printdialog::setAnswerer(printdialog::printToPdf(pdf));
    CommonDialog().ShowPrinter(printer);
    printdialog::setAnswerer({});
    rpt.preparePrinter(printer);
    rpt.print(printer);
    ASSERT_GE(pdfPages(pdf), 2);
    for (int p = 2; p <= pdfPages(pdf); ++p) {
        const QString sheet = pdfPageText(pdf, p).simplified();
        const QString body = sheet.section("First Name ", 1);
        EXPECT_FALSE(body.startsWith("Number of learners")) << p << ": " << sheet.toStdString();
        // A group going on names its barrier again.
        EXPECT_TRUE(body.startsWith("Primary Barrier:")) << p << ": " << sheet.toStdString();
    }
}

TEST(ListSheets, TheLearnersWithoutAProviderAreListedInOneOrder) {
    // Null, empty and blank providers, each run sorted by grade and surname
    // as the query gives them, then a named provider.
    QVector<QVector<QVariant>> data;
    int n = 0;
    for (const QVariant& provider : {QVariant(), QVariant(QString()), QVariant(QString(" "))}) {
        for (const char* grade : {"Grade 1", "Grade 2", "Grade R"})
            data << QVector<QVariant>{provider, QString("A%1").arg(n), QString("S%1").arg(n++),
                                      "First", grade};
    }
    data << QVector<QVariant>{"Clinic", "A99", "Zulu", "First", "Grade 1"};
    ado::Recordset rs;
    rs.setData({"Name_Of_Provider", "AccessionNo", "SName", "FName", "Name"}, data);
    auto layout = crdLearner_ListProv();
    Report rpt(layout);
    rpt.database().setDataSource(rs);
    const QVector<Page> pages = rpt.paginate(rpt.sheetSize());
    QStringList grades, groups;
    for (const Page& page : pages) {
        for (const PlacedBand& b : page.bands) {
            if (b.section == &layout->details.first())
                grades << rs.store().at(b.row, 4).toString();
            if (b.section == &layout->groups.first().headers.first())
                groups << rs.store().at(b.row, 1).toString();
        }
    }
    EXPECT_EQ(groups.size(), 2);
    EXPECT_EQ(grades.join(", ").toStdString(),
              "Grade 1, Grade 1, Grade 1, Grade 2, Grade 2, Grade 2, Grade R, "
              "Grade R, Grade R, Grade 1");
}

TEST(ViewerWindow, TheViewerWithItsFrameFitsTheScreensAvailableArea) {
    const struct {
        const char* screen;
        QRect available;
        QMargins frame;
        QSize wanted;
    } cases[] = {
        {"1024x768 with a panel", QRect(0, 0, 1024, 740), QMargins(1, 25, 1, 1), QSize(1180, 820)},
        {"1024x768, thick frame", QRect(0, 28, 1024, 740), QMargins(8, 32, 8, 8), QSize(1180, 820)},
        {"1920x1080", QRect(0, 0, 1920, 1050), QMargins(1, 25, 1, 1), QSize(1180, 820)},
        {"second screen", QRect(1920, 0, 1280, 800), QMargins(4, 30, 4, 4), QSize(1180, 820)},
    };
    for (const auto& c : cases) {
        const QRect client = fitWindowToScreen(c.wanted, c.frame, c.available);
        const QRect frame = client.marginsAdded(c.frame);
        EXPECT_TRUE(c.available.contains(frame)) << c.screen;
        // As large as the screen allows.
        EXPECT_EQ(client.size(), c.wanted.boundedTo(c.available.marginsRemoved(c.frame).size()))
            << c.screen;
    }
    // The window as the program makes it, on the screen it has.
    frmReportview viewer;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(available.contains(viewer.geometry()))
        << available.width() << "x" << available.height();
}
