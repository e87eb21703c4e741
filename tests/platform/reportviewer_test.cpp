// The report viewer's toolbar as a user works it: zoom and the fits, the
// page box, paging keys and the wheel, printing through the print dialog
// (its page range and copies, paper turned or smaller than the report's),
// and export to PDF.
#include "platform/printdialog.h"
#include "platform/printer.h"
#include "platform/reportviewer.h"
#include "tests/common/pdf.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace report;

namespace {

// Five groups, each on a page of its own, numbered in the footer; a word
// at each side of the sheet.
std::shared_ptr<Layout> fivePages() {
    auto l = std::make_shared<Layout>();
    l->name = "five";
    l->pageHeader << text("LeftEdge").at(0, 0, 1400) << text("{Title}").at(3000, 0, 6000);
    l->pageHeader.height = 400;
    Group g;
    g.field = "G";
    Section h;
    h.newPageBefore = true;
    h << text("Group").at(0, 0, 900) << field("G").at(900, 0);
    g.headers << h;
    l->groups << g;
    Section d;
    // Rows enough to make a page taller than the view.
    d << field("N").at(300, 0, 3000) << text("RightEdge").at(0, 0).aligned(Qt::AlignRight);
    d.height = 400;
    l->details << d;
    l->pageFooter << text("Page {Page} of {Pages}");
    return l;
}

class ReportViewerWidget : public ::testing::Test {
protected:
    void SetUp() override {
        QVector<QVector<QVariant>> data;
        for (const char* group : {"A", "B", "C", "D", "E"})
            for (int i = 0; i < 20; ++i)
                data << QVector<QVariant>{group, QString("%1 row %2").arg(group).arg(i)};
        rs.setData({"G", "N"}, data);
        rpt = std::make_shared<Report>(fivePages());
        rpt->database().setDataSource(rs);
        rpt->setReportTitle("Test Report: 2026");
        viewer.setReportSource(rpt);
        viewer.viewReport();
        viewer.resize(900, 700);
        viewer.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
        ASSERT_EQ(viewer.pageCount(), 5);
    }
    void TearDown() override {
        printdialog::setAnswerer({});
        savedialog::setAnswerer({});
    }

    QScrollBar* vbar() { return viewer.pageArea->verticalScrollBar(); }
    QSize view() { return viewer.pageArea->viewport()->size(); }
    // The page numbers a PDF's sheets show, in order.
    QList<int> printedPages(const QString& path) {
        QList<int> out;
        for (int p = 1; p <= pdfPages(path); ++p) {
            const QString t = pdfPageText(path, p).simplified();
            out << t.section("Page ", 1).section(' ', 0, 0).toInt();
        }
        return out;
    }
    void wheel(int delta) {
        QWidget* port = viewer.pageArea->viewport();
        const QPointF at(port->width() / 2.0, port->height() / 2.0);
        QWheelEvent event(at, port->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(port, &event);
    }

    QTemporaryDir dir;
    ado::Recordset rs;
    std::shared_ptr<Report> rpt;
    ReportViewer viewer;
};

TEST_F(ReportViewerWidget, ZoomAndTheFitsFromTheToolbar) {
    // A portrait page opens at its printed size where the view is wide enough.
    EXPECT_EQ(viewer.lblZoom->text(), "100%");
    EXPECT_EQ(viewer.pageArea->horizontalScrollBar()->maximum(), 0);
    const int width100 = viewer.pageView->width();

    QTest::mouseClick(viewer.cmdZoomIn, Qt::LeftButton);
    EXPECT_EQ(viewer.lblZoom->text(), "125%");
    EXPECT_GT(viewer.pageView->width(), width100 * 6 / 5);
    QTest::mouseClick(viewer.cmdZoomOut, Qt::LeftButton);
    QTest::mouseClick(viewer.cmdZoomOut, Qt::LeftButton);
    EXPECT_EQ(viewer.lblZoom->text(), "75%");
    EXPECT_LT(viewer.pageView->width(), width100);

    // Fit Width: as wide as the view, no sideways scrolling.
    QTest::mouseClick(viewer.cmdFitWidth, Qt::LeftButton);
    EXPECT_EQ(viewer.pageArea->horizontalScrollBar()->maximum(), 0);
    EXPECT_GE(viewer.pageView->width(), view().width() - 4);
    EXPECT_GT(vbar()->maximum(), 0);
    // Fit Page: the whole page in the view, and still when the window grows.
    QTest::mouseClick(viewer.cmdFitPage, Qt::LeftButton);
    EXPECT_EQ(vbar()->maximum(), 0);
    EXPECT_LE(viewer.pageView->height(), view().height());
    EXPECT_GE(viewer.pageView->height(), view().height() - 4);
    const double small = viewer.zoom();
    viewer.resize(1000, 900);
    QApplication::processEvents();
    EXPECT_GT(viewer.zoom(), small);
    EXPECT_LE(viewer.pageView->height(), view().height());
    EXPECT_GE(viewer.pageView->height(), view().height() - 4);

    // A landscape page on a small screen's window opens without sideways
    // scrolling.
    rpt->setPaperOrientation(Report::crLandscape);
    viewer.resize(1000, 700);
    viewer.viewReport();
    QApplication::processEvents();
    EXPECT_LT(viewer.zoom(), 1);
    EXPECT_EQ(viewer.pageArea->horizontalScrollBar()->maximum(), 0);
}

TEST_F(ReportViewerWidget, ThePageBoxGoesToTheTypedPage) {
    EXPECT_EQ(viewer.txtPage->text(), "1");
    EXPECT_EQ(viewer.lblPage->text(), "of 5");
    const struct {
        const char* typed;
        int page; // shown after Enter, from 1
    } cases[] = {{"4", 4}, {"2", 2}, {"99", 5}, {"0", 1}, {"x3", 3}};
    for (const auto& c : cases) {
        QTest::mouseClick(viewer.txtPage, Qt::LeftButton);
        QTest::keyClicks(viewer.txtPage, c.typed, Qt::NoModifier, 20);
        QTest::keyClick(viewer.txtPage, Qt::Key_Return);
        EXPECT_EQ(viewer.currentPage() + 1, c.page) << c.typed;
        EXPECT_EQ(viewer.txtPage->text(), QString::number(c.page)) << c.typed;
        EXPECT_TRUE(viewer.isVisible()); // Enter pressed no button
    }
    // A number typed but not entered is dropped when the box is left.
    QTest::mouseClick(viewer.txtPage, Qt::LeftButton);
    QTest::keyClicks(viewer.txtPage, "5", Qt::NoModifier, 20);
    QTest::mouseClick(viewer.pageView, Qt::LeftButton);
    EXPECT_EQ(viewer.currentPage(), 2);
    EXPECT_EQ(viewer.txtPage->text(), "3");
}

TEST_F(ReportViewerWidget, KeysAndTheWheelRunFromPageToPage) {
    QTest::mouseClick(viewer.cmdFitWidth, Qt::LeftButton);
    ASSERT_GT(vbar()->maximum(), 0);
    QTest::mouseClick(viewer.pageView, Qt::LeftButton);
    ASSERT_TRUE(viewer.pageArea->hasFocus());

    // Page Down scrolls down the page, then runs on to the next one's head.
    int presses = 0;
    while (viewer.currentPage() == 0 && presses < 20) {
        QTest::keyClick(viewer.pageArea, Qt::Key_PageDown);
        ++presses;
    }
    EXPECT_GT(presses, 1);
    EXPECT_EQ(viewer.currentPage(), 1);
    EXPECT_EQ(vbar()->value(), 0);
    // Page Up at a page's head goes back to the foot of the one before.
    QTest::keyClick(viewer.pageArea, Qt::Key_PageUp);
    EXPECT_EQ(viewer.currentPage(), 0);
    EXPECT_EQ(vbar()->value(), vbar()->maximum());

    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int page;
    } keys[] = {{Qt::Key_End, Qt::NoModifier, 4},
                {Qt::Key_Home, Qt::NoModifier, 0},
                {Qt::Key_End, Qt::ControlModifier, 4},
                {Qt::Key_Home, Qt::ControlModifier, 0}};
    for (const auto& k : keys) {
        QTest::keyClick(viewer.pageArea, k.key, k.modifiers);
        EXPECT_EQ(viewer.currentPage(), k.page) << k.key << " " << k.modifiers;
    }
    // The keys work from the toolbar's buttons too.
    QTest::keyClick(viewer.cmdNext, Qt::Key_End);
    EXPECT_EQ(viewer.currentPage(), 4);
    QTest::keyClick(viewer.cmdPrevious, Qt::Key_Home);
    EXPECT_EQ(viewer.currentPage(), 0);

    // The wheel scrolls the page, and at its foot turns to the next page.
    wheel(-120);
    EXPECT_EQ(viewer.currentPage(), 0);
    EXPECT_GT(vbar()->value(), 0);
    for (int i = 0; i < 100 && viewer.currentPage() == 0; ++i)
        wheel(-120);
    EXPECT_EQ(viewer.currentPage(), 1);
    EXPECT_EQ(vbar()->value(), 0);
    wheel(120);
    EXPECT_EQ(viewer.currentPage(), 0);
    EXPECT_EQ(vbar()->value(), vbar()->maximum());
}

TEST_F(ReportViewerWidget, PrintingTakesThePageRangeAndCopiesOfThePrintDialog) {
    const struct {
        const char* what;
        int from, to; // 0: all pages
        int copies;
        bool collate;
        QList<int> pages;
    } cases[] = {
        {"all", 0, 0, 1, true, {1, 2, 3, 4, 5}},
        {"pages 2 to 3", 2, 3, 1, true, {2, 3}},
        {"pages 1 to 1", 1, 1, 1, true, {1}},
        {"pages 4 to 9", 4, 9, 1, true, {4, 5}},
        {"2 to 3, two copies", 2, 3, 2, true, {2, 3, 2, 3}},
        {"2 to 3, two copies uncollated", 2, 3, 2, false, {2, 2, 3, 3}},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString("print%1.pdf").arg(n++));
        printdialog::setAnswerer([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            if (c.from > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(c.from, c.to);
            }
            printer.setCopyCount(c.copies);
            printer.setCollateCopies(c.collate);
            return true;
        });
        QTest::mouseClick(viewer.cmdPrint, Qt::LeftButton);
        EXPECT_EQ(printedPages(path), c.pages) << c.what;
        if (c.from == 0) {
            EXPECT_TRUE(pdfText(path).contains("Page 5 of 5"));
        }
    }
    // Cancel prints nothing.
    printdialog::setAnswerer(printdialog::cancel);
    QTest::mouseClick(viewer.cmdPrint, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(dir.filePath(QString("print%1.pdf").arg(n))));
}

TEST_F(ReportViewerWidget, ExportWritesWhatPrintPrintsWithoutThePrintDialog) {
    const QString printed = dir.filePath("printed.pdf");
    printdialog::setAnswerer(printdialog::printToPdf(printed));
    QTest::mouseClick(viewer.cmdPrint, Qt::LeftButton);

    const int dialogs = printdialog::shownCount();
    QString offered;
    savedialog::setAnswerer([&](const QString& name) {
        offered = name;
        return dir.filePath("exported"); // the extension is added
    });
    QTest::mouseClick(viewer.cmdExport, Qt::LeftButton);
    EXPECT_EQ(offered, "Test Report 2026.pdf");
    EXPECT_EQ(printdialog::shownCount(), dialogs);
    const QString exported = dir.filePath("exported.pdf");
    ASSERT_TRUE(QFile::exists(exported));
    EXPECT_EQ(pdfPages(exported), 5);
    EXPECT_EQ(pdfText(exported), pdfText(printed));
    EXPECT_EQ(pdfPageSize(exported), pdfPageSize(printed));

    // Cancel writes nothing.
    QFile::remove(exported);
    savedialog::setAnswerer(savedialog::cancel);
    QTest::mouseClick(viewer.cmdExport, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(exported));
}

TEST_F(ReportViewerWidget, ALandscapeReportOnPortraitOrSmallerPaperIsTurnedAndScaledWhole) {
    rpt->setPaperOrientation(Report::crLandscape);
    viewer.viewReport();
    const struct {
        const char* paper;
        QPageSize size;
        QPageLayout::Orientation orientation;
        QSizeF points;
    } papers[] = {
        {"A4 landscape", QPageSize(QPageSize::A4), QPageLayout::Landscape, {842, 595}},
        {"A4 portrait", QPageSize(QPageSize::A4), QPageLayout::Portrait, {595, 842}},
        {"Letter portrait", QPageSize(QPageSize::Letter), QPageLayout::Portrait, {612, 792}},
        {"A5 landscape", QPageSize(QPageSize::A5), QPageLayout::Landscape, {595, 420}},
    };
    for (const auto& p : papers) {
        const QString path = dir.filePath(QString(p.paper).replace(' ', '-') + ".pdf");
        printdialog::setAnswerer([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            printer.setPageSize(p.size);
            printer.setPageOrientation(p.orientation);
            return true;
        });
        QTest::mouseClick(viewer.cmdPrint, Qt::LeftButton);
        const QString keep = qEnvironmentVariable("REPORT_PDF_DIR");
        if (!keep.isEmpty())
            QFile::copy(path, keep + "/viewer-" + QFileInfo(path).fileName());
        EXPECT_EQ(pdfPages(path), 5) << p.paper;
        const QSizeF size = pdfPageSize(path);
        EXPECT_NEAR(size.width(), p.points.width(), 1) << p.paper;
        EXPECT_NEAR(size.height(), p.points.height(), 1) << p.paper;
        // Both edges of every page, every word on the paper.
        const QList<PdfWord> words = pdfWords(path);
        int left = 0, right = 0;
        for (const PdfWord& w : words) {
            left += w.text == "LeftEdge";
            right += w.text == "RightEdge";
            EXPECT_TRUE(QRectF(QPointF(0, 0), size).contains(w.box))
                << p.paper << ": " << w.text.toStdString() << " on page " << w.page;
        }
        EXPECT_EQ(left, 5) << p.paper;
        EXPECT_EQ(right, 5 * 20) << p.paper;
    }
}

} // namespace

namespace {

// The viewer in a window of its own, as the program shows it: Escape there
// would close the window.
class ReportViewerKeys : public ReportViewerWidget {};

} // namespace

TEST_F(ReportViewerKeys, TheFocusGoesIntoThePageBoxOnlyWhenTheUserPutsItThere) {
    // First turns itself off on page 1: the focus goes to the page, whose
    // keys then page the report.
    QTest::mouseClick(viewer.cmdLast, Qt::LeftButton);
    ASSERT_EQ(viewer.currentPage(), 4);
    QTest::mouseClick(viewer.cmdFirst, Qt::LeftButton);
    EXPECT_EQ(viewer.currentPage(), 0);
    EXPECT_FALSE(viewer.txtPage->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    EXPECT_EQ(viewer.currentPage(), 4);
    // Last, the same at the other end.
    QTest::mouseClick(viewer.cmdFirst, Qt::LeftButton);
    QTest::mouseClick(viewer.cmdLast, Qt::LeftButton);
    EXPECT_FALSE(viewer.txtPage->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    EXPECT_EQ(viewer.currentPage(), 0);
    // From Next and Done-like buttons too: the paging keys work.
    QTest::mouseClick(viewer.cmdNext, Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(viewer.currentPage(), 4);

    // A click in the box, even with the focus already there, selects its
    // number: typing 3 and Enter shows page 3.
    QTest::mouseClick(viewer.txtPage, Qt::LeftButton);
    QTest::mouseClick(viewer.txtPage, Qt::LeftButton, {}, QPoint(4, 4));
    QApplication::processEvents();
    QTest::keyClicks(viewer.txtPage, "3", Qt::NoModifier, 20);
    QTest::keyClick(viewer.txtPage, Qt::Key_Return);
    EXPECT_EQ(viewer.currentPage(), 2);
}

TEST_F(ReportViewerKeys, EnterPressesTheFocusedToolbarButton) {
    viewer.cmdNext->setFocus();
    QTest::keyClick(viewer.cmdNext, Qt::Key_Return);
    EXPECT_EQ(viewer.currentPage(), 1);
    viewer.cmdLast->setFocus();
    QTest::keyClick(viewer.cmdLast, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(viewer.currentPage(), 4);
    const double before = viewer.zoom();
    viewer.cmdZoomIn->setFocus();
    QTest::keyClick(viewer.cmdZoomIn, Qt::Key_Return);
    EXPECT_GT(viewer.zoom(), before);
}

TEST_F(ReportViewerKeys, EscapeInThePageBoxGivesBackItsNumberAndKeepsTheViewerOpen) {
    QDialog window;
    auto* holder = new QVBoxLayout(&window);
    viewer.setParent(&window);
    holder->addWidget(&viewer);
    window.resize(900, 700);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(viewer.txtPage, Qt::LeftButton);
    QApplication::processEvents();
    QTest::keyClicks(viewer.txtPage, "4", Qt::NoModifier, 20);
    EXPECT_EQ(viewer.txtPage->text(), "4");
    QTest::keyClick(viewer.txtPage, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(viewer.txtPage->text(), "1");
    EXPECT_EQ(viewer.currentPage(), 0);
    viewer.setParent(nullptr);
}

TEST_F(ReportViewerKeys, CtrlPPrintsAndTheZoomKeysAndCtrlWheelZoom) {
    const QString path = dir.filePath("ctrlp.pdf");
    printdialog::setAnswerer(printdialog::printToPdf(path));
    QTest::mouseClick(viewer.pageView, Qt::LeftButton);
    QTest::keyClick(viewer.pageArea, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(pdfPages(path), 5);

    const double opening = viewer.zoom();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int direction; // +1 in, -1 out, 0 the opening size
    } keys[] = {{Qt::Key_Plus, Qt::ControlModifier, 1},   {Qt::Key_Equal, Qt::ControlModifier, 1},
                {Qt::Key_Minus, Qt::ControlModifier, -1}, {Qt::Key_0, Qt::ControlModifier, 0},
                {Qt::Key_Minus, Qt::ControlModifier, -1}, {Qt::Key_0, Qt::ControlModifier, 0}};
    for (const auto& k : keys) {
        const double before = viewer.zoom();
        QTest::keyClick(viewer.pageArea, k.key, k.modifiers);
        if (k.direction > 0)
            EXPECT_GT(viewer.zoom(), before) << k.key;
        else if (k.direction < 0)
            EXPECT_LT(viewer.zoom(), before) << k.key;
        else
            EXPECT_DOUBLE_EQ(viewer.zoom(), opening) << k.key;
    }
    EXPECT_EQ(viewer.lblZoom->text(), QString("%1%").arg(qRound(opening * 100)));

    // Ctrl and the wheel: a step a notch, the page not turned.
    QWidget* port = viewer.pageArea->viewport();
    const auto ctrlWheel = [&](int delta) {
        const QPointF at(port->width() / 2.0, port->height() / 2.0);
        QWheelEvent event(at, port->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(port, &event);
    };
    const double before = viewer.zoom();
    ctrlWheel(120);
    EXPECT_GT(viewer.zoom(), before);
    ctrlWheel(-120);
    ctrlWheel(-120);
    EXPECT_LT(viewer.zoom(), before);
    EXPECT_EQ(viewer.currentPage(), 0);
}

// Run with QT_SCALE_FACTOR=2 (a CTest test of its own): the page is drawn in
// the screen's pixels, as sharp as a page drawn at twice the size.
TEST_F(ReportViewerKeys, ThePageIsDrawnAtTheScreensPixelRatio) {
    const double ratio = viewer.devicePixelRatioF();
    if (ratio < 2)
        GTEST_SKIP() << "needs a screen of device pixel ratio 2 (QT_SCALE_FACTOR=2)";
    const QPixmap shown = viewer.pageView->pixmap();
    EXPECT_DOUBLE_EQ(shown.devicePixelRatio(), ratio);
    // The page drawn afresh at twice the size, pixel for pixel.
    const QSizeF sheet = rpt->sheetSize();
    const double k = 96.0 / 1440.0 * viewer.zoom() * ratio;
    QImage sharp(qCeil(sheet.width() * k), qCeil(sheet.height() * k), QImage::Format_RGB32);
    sharp.fill(Qt::white);
    {
        QPainter p(&sharp);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        rpt->drawPage(p, rpt->paginate(rpt->sheetSize()), 0, k);
    }
    // What the screen shows of the page: its label grabbed at the ratio.
    const QImage grabbed = viewer.pageView->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int pad = qRound(viewer.pageView->margin() * ratio);
    const int left = (grabbed.width() - sharp.width()) / 2;
    ASSERT_GE(left, 0);
    // Mean difference of grey over the page's upper part, where its texts are.
    double diff = 0;
    int n = 0;
    for (int y = 0; y < std::min(sharp.height(), 300); ++y) {
        for (int x = 0; x < sharp.width(); ++x) {
            diff += std::abs(qGray(sharp.pixel(x, y)) - qGray(grabbed.pixel(left + x, pad + y)));
            ++n;
        }
    }
    EXPECT_LT(diff / n, 0.25);
}

TEST_F(ReportViewerKeys, PrintAndExportShowTheirProgressAndEndItOnEveryPath) {
    QStringList texts;
    bool waitCursor = true;
    WritingProgress::setObserver([&](const WritingProgress& p) {
        texts << p.text();
        waitCursor = waitCursor && QApplication::overrideCursor() &&
                     QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        if (p.text().startsWith("Writing page"))
            EXPECT_TRUE(viewer.progress->isVisible()) << p.text().toStdString();
    });
    const auto ended = [&](const char* path) {
        EXPECT_EQ(WritingProgress::active(), nullptr) << path;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << path;
        EXPECT_FALSE(viewer.progress->isVisible()) << path;
    };
    // Export: every sheet counted, in the viewer's progress bar.
    savedialog::setAnswerer([&](const QString&) { return dir.filePath("export.pdf"); });
    QTest::mouseClick(viewer.cmdExport, Qt::LeftButton);
    for (int n = 1; n <= 5; ++n)
        EXPECT_TRUE(texts.contains(QString("Writing page %1 of 5").arg(n))) << n;
    EXPECT_TRUE(waitCursor);
    ended("export");

    // Printing pages 2 to 4 reversed: three sheets counted.
    texts.clear();
    printdialog::setAnswerer([&](QPrinter& printer) {
        printdialog::printToPdf(dir.filePath("print.pdf"))(printer);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 4);
        printer.setPageOrder(QPrinter::LastPageFirst);
        return true;
    });
    QTest::mouseClick(viewer.cmdPrint, Qt::LeftButton);
    EXPECT_TRUE(texts.contains("Writing page 3 of 3"));
    EXPECT_EQ(printedPages(dir.filePath("print.pdf")), QList<int>({4, 3, 2}));
    ended("print");

    // A file that cannot be written: the failure told, the progress ended.
    QString failure;
    viewer.onError = [&](const AppError& e) { failure = e.description(); };
    savedialog::setAnswerer([](const QString&) { return QString("/nonexistent-folder/x.pdf"); });
    QTest::mouseClick(viewer.cmdExport, Qt::LeftButton);
    EXPECT_TRUE(failure.contains("could not be written")) << failure.toStdString();
    ended("failure");

    // Cancel in either dialog: no progress at all.
    texts.clear();
    savedialog::setAnswerer(savedialog::cancel);
    QTest::mouseClick(viewer.cmdExport, Qt::LeftButton);
    printdialog::setAnswerer(printdialog::cancel);
    QTest::mouseClick(viewer.cmdPrint, Qt::LeftButton);
    EXPECT_TRUE(texts.isEmpty());
    ended("cancel");
    WritingProgress::setObserver({});
}

// The first page shows as soon as it is laid out; the rest is laid out
// while the reader reads, the number of pages told once it is known, and
// the pages are those of the report laid out at once.
TEST(ReportViewerAhead, TheFirstPageShowsWhileTheRestIsLaidOut) {
    QVector<QVector<QVariant>> data;
    for (const char* group : {"A", "B", "C", "D", "E", "F", "G", "H"})
        for (int i = 0; i < 20; ++i)
            data << QVector<QVariant>{group, QString("%1 row %2").arg(group).arg(i)};
    ado::Recordset rs;
    rs.setData({"G", "N"}, data);
    auto rpt = std::make_shared<Report>(fivePages());
    rpt->database().setDataSource(rs);
    const int whole = int(rpt->paginate(rpt->sheetSize()).size());
    ASSERT_EQ(whole, 8);

    ReportViewer viewer;
    viewer.setReportSource(rpt);
    viewer.resize(900, 700);
    viewer.viewReport();
    EXPECT_FALSE(viewer.paginated());
    EXPECT_EQ(viewer.currentPage(), 0);
    EXPECT_EQ(viewer.lblPage->text(), QString("of 1") + QChar(0x2026));
    EXPECT_TRUE(viewer.cmdNext->isEnabled());
    EXPECT_TRUE(viewer.cmdLast->isEnabled());
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    QTRY_VERIFY(viewer.paginated());
    EXPECT_EQ(viewer.lblPage->text(), QString("of %1").arg(whole));
    EXPECT_EQ(viewer.pageCount(), whole);

    // Going to a page not laid out yet lays it out first.
    viewer.viewReport();
    EXPECT_FALSE(viewer.paginated());
    viewer.cmdLast->click();
    EXPECT_TRUE(viewer.paginated());
    EXPECT_EQ(viewer.currentPage(), whole - 1);
}
