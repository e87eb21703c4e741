// The printer, the print dialog and the grid's printing, checked on PDF files
// read back with pdftotext and pdfinfo.
#include "platform/apperror.h"
#include "platform/grid.h"
#include "platform/printdialog.h"
#include "platform/printer.h"
#include "tests/common/pdf.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The position (points) of the first word of the PDF equal to word.
QPointF wordPosition(const QString& path, const QString& word) {
    const QRectF box = pdfWordBox(path, word);
    return box.isNull() ? QPointF(-1, -1) : box.topLeft();
}

// A one-column-of-text grid of rows "Row 001" ... with a second column.
void fillLongGrid(Grid& grid, int rows) {
    grid.setColumns({{.header = "Entry", .width = 30}, {.header = "Other", .width = 20}});
    grid.setMaxRows(rows);
    for (int r = 1; r <= rows; ++r) {
        grid.SetText(1, r, QString("Row %1").arg(r, 3, 10, QLatin1Char('0')));
        grid.SetText(2, r, "x");
    }
}

// n words "<prefix>0001" ... to fill cells of many lines.
QString numberedWords(const QString& prefix, int n) {
    QStringList words;
    for (int i = 1; i <= n; ++i)
        words << QString("%1%2").arg(prefix).arg(i, 4, 10, QLatin1Char('0'));
    return words.join(' ');
}

struct PrinterTest : ::testing::Test {
    void SetUp() override { printdialog::setAnswerer(printdialog::printToPdf(pdf())); }
    void TearDown() override { printdialog::setAnswerer({}); }
    QString pdf() const { return dir.filePath("page.pdf"); }

    void printHeading(Printer& printer, const QString& text) {
        printer.setFontSize(12);
        printer.setFontBold(true);
        printer.setFontName("Times New Roman");
        printer.setCurrentX(500);
        printer.setCurrentY(130);
        printer.Print(text);
        printer.setFontBold(false);
    }

    QTemporaryDir dir;
};

TEST_F(PrinterTest, PagePrintHoldsHeadingFixedGridAndEveryRowOfALongGrid) {
    Grid fixed;
    fixed.setMaxCols(3);
    fixed.setMaxRows(2);
    fixed.setFixedText(1, 1, "Barriers of the learner", 3);
    fixed.SetText(1, 2, "Hearing");
    fixed.setCheckBox(2, 2, "Yes", true);
    fixed.SetText(3, 2, "Strength");
    Grid preview;
    fillLongGrid(preview, 70);

    {
        Printer printer;
        printer.setOrientation(Printer::vbPRORLandscape);
        CommonDialog cd1;
        cd1.setCancelError(true);
        ASSERT_TRUE(cd1.ShowPrinter(printer));
        printHeading(printer, " EMIS NUMBER: 500123456 [ INDIVIDUAL SUPPORT PLAN ]");
        fixed.OwnerPrintDraw(printer, 300, 800, printer.Width() + 3000, printer.Height(), 1);
        // Counted in a taller rectangle than the one drawn in, as the pages do.
        const int pages = preview.OwnerPrintPageCount(printer, 100, 1000, printer.Width(),
                                                      printer.Height() - 1000);
        for (int p = 1; p <= pages; ++p) {
            preview.OwnerPrintDraw(printer, 300, 2800, printer.Width() + 3000, printer.Height(), p);
            if (p < pages)
                printer.NewPage();
        }
        printer.EndDoc();
    }

    const QString text = pdfText(pdf());
    const QStringList sheets = text.split('\f', Qt::SkipEmptyParts);
    EXPECT_TRUE(text.trimmed().startsWith("EMIS NUMBER: 500123456 [ INDIVIDUAL SUPPORT PLAN ]"))
        << text.left(200).toStdString();
    const QPointF emis = wordPosition(pdf(), "EMIS");
    EXPECT_NEAR(emis.y(), 130 / 20.0, 3); // 130 twips down
    EXPECT_GT(emis.x(), 500 / 20.0);      // after the leading blank at 500 twips
    EXPECT_LT(emis.x(), 500 / 20.0 + 8);
    EXPECT_TRUE(text.contains("Barriers of the learner"));
    EXPECT_TRUE(text.contains("Hearing"));
    for (int r = 1; r <= 70; ++r) {
        const QString row = QString("Row %1").arg(r, 3, 10, QLatin1Char('0'));
        EXPECT_EQ(text.count(row), 1) << row.toStdString();
    }
    // Three sheets, none blank, each landscape.
    EXPECT_EQ(pdfPages(pdf()), 3);
    for (const QString& sheet : sheets)
        EXPECT_TRUE(sheet.contains("Row ")) << sheet.left(100).toStdString();
    const QSizeF size = pdfPageSize(pdf());
    EXPECT_GT(size.width(), size.height());
}

TEST_F(PrinterTest, CountingInASmallerRectangleAddsNoBlankSheet) {
    Grid preview;
    fillLongGrid(preview, 40);
    Printer printer;
    CommonDialog cd1;
    cd1.ShowPrinter(printer);
    const int pages =
        preview.OwnerPrintPageCount(printer, 500, 3000, printer.Width(), printer.Height() - 9000);
    ASSERT_GT(pages, 2);
    for (int p = 1; p <= pages; ++p) {
        preview.OwnerPrintDraw(printer, 500, 800, printer.Width(), printer.Height(), p);
        if (p < pages)
            printer.NewPage();
    }
    printer.EndDoc();
    // Forty rows fit on one portrait sheet when drawn from the top.
    EXPECT_EQ(pdfPages(pdf()), 1);
    const QString text = pdfText(pdf());
    EXPECT_TRUE(text.contains("Row 001"));
    EXPECT_TRUE(text.contains("Row 040"));
}

TEST_F(PrinterTest, EachJobHasTheOrientationItSets) {
    {
        Printer landscape;
        landscape.setOrientation(Printer::vbPRORLandscape);
        EXPECT_GT(landscape.Width(), landscape.Height());
        CommonDialog().ShowPrinter(landscape);
        printHeading(landscape, "landscape");
        landscape.EndDoc();
    }
    Printer portrait;
    portrait.setOrientation(Printer::vbPRORPortrait);
    EXPECT_EQ(portrait.Orientation(), Printer::vbPRORPortrait);
    EXPECT_EQ(portrait.Width(), 11906); // A4 in twips
    EXPECT_EQ(portrait.Height(), 16838);
    CommonDialog().ShowPrinter(portrait);
    printHeading(portrait, "portrait");
    portrait.EndDoc();
    const QSizeF size = pdfPageSize(pdf());
    EXPECT_LT(size.width(), size.height());
}

TEST_F(PrinterTest, TooWideGridIsScaledToFitTheSheet) {
    Grid wide;
    QList<GridColumn> columns;
    for (int c = 1; c <= 12; ++c)
        columns.append({.header = QString("H%1").arg(c, 2, 10, QLatin1Char('0')), .width = 20});
    wide.setColumns(columns);
    wide.setMaxRows(2);
    wide.SetRowHeight(2, 30);
    for (int c = 1; c <= 12; ++c)
        wide.SetText(c, 1, QString("C%1").arg(c, 2, 10, QLatin1Char('0')));
    Printer printer;
    CommonDialog().ShowPrinter(printer);
    wide.OwnerPrintDraw(printer, 500, 800, printer.Width() + 3000, printer.Height(), 1);
    printer.EndDoc();
    const QString text = pdfText(pdf());
    for (int c = 1; c <= 12; ++c) {
        EXPECT_TRUE(text.contains(QString("C%1").arg(c, 2, 10, QLatin1Char('0')))) << c;
        EXPECT_TRUE(text.contains(QString("H%1").arg(c, 2, 10, QLatin1Char('0')))) << c;
    }
    // The last column ends inside the sheet.
    const QPointF last = wordPosition(pdf(), "C12");
    EXPECT_GT(last.x(), 0);
    EXPECT_LT(last.x(), pdfPageSize(pdf()).width() - 10);

    // Every grid line is printed whole, the outer ones too: across the empty
    // second row stand 13 lines, the right one as strong as the left one and
    // inside the printable part of the sheet.
    constexpr int dpi = 300;
    const QImage sheet = pdfImage(pdf(), 1, dpi);
    const QRectF first = pdfWordBox(pdf(), "C01");
    const int y = qRound((first.bottom() + 12) * dpi / 72.0);
    const QList<QPair<int, int>> lines = darkRuns(sheet, y);
    ASSERT_EQ(lines.size(), 13) << y;
    EXPECT_GE(lines.last().second, lines.first().second);
    EXPECT_LT(lines.last().first + lines.last().second,
              printer.printableArea().right() / 20 * dpi / 72.0);
}

TEST_F(PrinterTest, ARowTallerThanTheRoomLeftGoesOnOverTheNextSheetsLineByLine) {
    const struct {
        const char* name;
        QString first;
        QString second;
        bool bold;
    } cases[] = {
        {"one long cell", numberedWords("a", 1400), "short", false},
        {"two long cells, one of them bold", numberedWords("a", 1400), numberedWords("b", 700),
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Grid grid;
        grid.setColumns({{.header = {}, .width = 50}, {.header = {}, .width = 40}});
        grid.setMaxRows(3);
        grid.SetText(1, 1, "firstrow");
        grid.SetText(1, 2, c.first);
        grid.SetText(2, 2, c.second);
        grid.setCellBold({2, 2}, c.bold);
        grid.SetText(1, 3, "lastrow");

        const QString file = dir.filePath(QString("split%1.pdf").arg(c.bold));
        printdialog::setAnswerer(printdialog::printToPdf(file));
        Printer printer;
        CommonDialog().ShowPrinter(printer);
        // Low on the sheet: a few lines of the long row fit below the first row.
        const int pages =
            grid.OwnerPrintPageCount(printer, 500, 13000, printer.Width(), printer.Height());
        for (int p = 1; p <= pages; ++p) {
            grid.OwnerPrintDraw(printer, 500, 13000, printer.Width(), printer.Height(), p);
            if (p < pages)
                printer.NewPage();
        }
        printer.EndDoc();
        const QRectF printable = printer.printableArea();

        EXPECT_GE(pages, 3);
        EXPECT_EQ(pdfPages(file), pages);
        const QList<PdfWord> words = pdfWords(file);
        QHash<QString, int> seen;
        QHash<QString, int> sheetOf;
        for (const PdfWord& w : words) {
            ++seen[w.text];
            sheetOf.insert(w.text, w.page);
            // Whole and inside the printable part: nothing cut at the foot.
            EXPECT_GE(w.box.top(), printable.top() / 20) << w.text.toStdString();
            EXPECT_LE(w.box.bottom(), printable.bottom() / 20) << w.text.toStdString();
        }
        for (const QString& text : (c.first + " " + c.second + " firstrow lastrow").split(' '))
            EXPECT_EQ(seen.value(text), 1) << text.toStdString();
        // The long row starts where it stands, and no line is drawn over another.
        EXPECT_EQ(sheetOf.value("a0001"), 1);
        EXPECT_EQ(sheetOf.value("firstrow"), 1);
        EXPECT_EQ(sheetOf.value("lastrow"), pages);
        for (qsizetype i = 0; i < words.size(); ++i) {
            for (qsizetype j = i + 1; j < words.size(); ++j) {
                if (words[i].page == words[j].page) {
                    EXPECT_LT(words[i].box.intersected(words[j].box).height(), 1)
                        << words[i].text.toStdString() << " " << words[j].text.toStdString();
                }
            }
        }
        // Every sheet after the first goes on from the top margin of 800 twips.
        for (int sheet = 2; sheet <= pages; ++sheet) {
            double top = 1e9;
            for (const PdfWord& w : words) {
                if (w.page == sheet)
                    top = std::min(top, w.box.top());
            }
            EXPECT_GT(top, Printer::kContinuedTop / 20.0) << sheet;
            EXPECT_LT(top, Printer::kContinuedTop / 20.0 + 5) << sheet;
        }
    }
}

TEST_F(PrinterTest, RowsWithoutTextGoOnOverTheSheetsToo) {
    Grid grid;
    grid.setColumns({{.header = {}, .width = 40}});
    grid.setMaxRows(90);
    grid.SetText(1, 90, "lastrow");
    Printer printer;
    CommonDialog().ShowPrinter(printer);
    const int pages =
        grid.OwnerPrintPageCount(printer, 500, 800, printer.Width(), printer.Height());
    for (int p = 1; p <= pages; ++p) {
        // Each page stays inside the printable part of its sheet.
        const QRectF drawn =
            grid.OwnerPrintExtent(printer, 500, 800, printer.Width(), printer.Height(), p);
        EXPECT_LE(drawn.bottom(), printer.printableArea().bottom()) << p;
        grid.OwnerPrintDraw(printer, 500, 800, printer.Width(), printer.Height(), p);
        if (p < pages)
            printer.NewPage();
    }
    printer.EndDoc();
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(pdfPages(pdf()), 2);
    const QList<PdfWord> words = pdfWords(pdf());
    ASSERT_EQ(words.size(), 1);
    EXPECT_EQ(words[0].page, 2);
    EXPECT_LE(words[0].box.bottom(), printer.printableArea().bottom() / 20);
}

TEST_F(PrinterTest, CancelRaisesTheCancelErrorAndPrintsNothing) {
    printdialog::setAnswerer(printdialog::cancel);
    bool drew = false;
    try {
        Printer printer;
        CommonDialog cd1;
        cd1.setCancelError(true);
        cd1.ShowPrinter(printer);
        drew = true;
        printHeading(printer, "never");
        printer.EndDoc();
        FAIL() << "no error raised";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrNo::PrintCancel);
        EXPECT_EQ(e.description(), "Cancel was selected.");
    }
    EXPECT_FALSE(drew);
    EXPECT_FALSE(QFile::exists(pdf()));

    // Without CancelError, Cancel only answers false.
    Printer printer;
    EXPECT_FALSE(CommonDialog().ShowPrinter(printer));
}

TEST_F(PrinterTest, AnErrorWhileDrawingAbortsTheJob) {
    try {
        Printer printer;
        CommonDialog().ShowPrinter(printer);
        printHeading(printer, "half a page");
        ASSERT_TRUE(printer.jobOpen());
        throw AppError(9, "Subscript out of range");
    } catch (const AppError&) {
    }
    EXPECT_FALSE(QFile::exists(pdf()));
}

TEST_F(PrinterTest, PrintMovesDownALineAndNewPageStartsAtTheTop) {
    Printer printer;
    CommonDialog().ShowPrinter(printer);
    printer.setFontSize(10);
    printer.setCurrentX(500);
    printer.setCurrentY(1000);
    printer.Print("first");
    EXPECT_EQ(printer.CurrentX(), 0);
    EXPECT_GT(printer.CurrentY(), 1000 + 150);
    EXPECT_LT(printer.CurrentY(), 1000 + 400);
    printer.Print(); // an empty line moves down too
    EXPECT_GT(printer.CurrentY(), 1300);
    printer.NewPage();
    printer.NewPage(); // nothing between: still one new sheet
    EXPECT_EQ(printer.CurrentY(), 0);
    printer.setCurrentY(500);
    printer.Print("second");
    printer.NewPage(); // nothing after it: no sheet
    printer.EndDoc();
    EXPECT_EQ(pdfPages(pdf()), 2);
    EXPECT_EQ(printer.sheetCount(), 2);
}

} // namespace
