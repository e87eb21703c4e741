#pragma once
// What the page tests share: a demo database with the program's tables, the
// current learner and data year set, and the text of a printed PDF.
#include "pages/assessmentpage.h"
#include "pages/previewlist.h"
#include "platform/grid.h"
#include "platform/printdialog.h"
#include "services/checktables.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "tests/common/fixture.h"
#include "tests/common/pdf.h"
#include "tests/common/user.h"

#include <QApplication>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRectF>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <functional>

// What shown() lists after a save that succeeded.
inline const QString kSaved = QStringLiteral("User Message: Your Information has been saved.");

// A cell's text as the grid's editor commits it, without the keys: for a
// test that arranges many cells for a print's layout (the user's typing is
// user::typeIntoCell).
inline void commitText(Grid* grid, int col, int row, const QString& text) {
    grid->model()->setData(grid->model()->index(row - 1, col - 1), text, Qt::EditRole);
}

// Loads page and shows it as the active window, as opening it does.
inline bool showPage(AssessmentPage& page) {
    page.Form_Load();
    return user::showActive(&page);
}

// The user turns to another window of the program and back to page, which
// is activated again.
inline bool activateAgain(AssessmentPage& page) {
    QWidget other;
    other.setWindowTitle("another window");
    if (!user::showActive(&other))
        return false;
    other.hide();
    return user::showActive(&page);
}

// How an entry reaches a box: typed key by key, or pasted (a long text, or
// many entries, which the user copies in).
enum class Entry { Typed, Pasted };

// Types text into a preview list's entry box of a page that is shown,
// clicks its first option (or its second) and clicks Add.
inline void addToPreview(PreviewList* list, const QString& text, bool optionA,
                         Entry entry = Entry::Typed) {
    user::typeIntoBox(list->entryBox(), text, entry == Entry::Pasted);
    user::click(optionA ? list->optionA() : list->optionB());
    user::click(list->addButton());
}

class PageTest : public DemoDbTest {
protected:
    void SetUp() override {
        DemoDbTest::SetUp();
        checkTables();
        gLearnerID = 2;
        gDataYear = 2026;
        gLearnerName = "O'NEILL Lerato";
        gAccessionNo = "006";
        gEmisCode = "700123456";
        boxes().clear();
    }
    void TearDown() override {
        printdialog::setAnswerer({});
        DemoDbTest::TearDown();
    }

    // Messages shown so far, as "title: text".
    QStringList shown() {
        QStringList out;
        for (const msgbox::Shown& box : boxes())
            out << box.title + ": " + box.text;
        return out;
    }
    // The procedure lines of the error reports shown so far.
    QStringList errorProcedures() {
        QStringList out;
        for (const msgbox::Shown& box : boxes()) {
            if (box.title.startsWith("Error : "))
                out << box.text.section("Procedure: ", 1);
        }
        return out;
    }
    // The columns of a table's rows for a learner and year, joined by '|';
    // more is added after the WHERE clause (" AND ...", " ORDER BY ...").
    QStringList learnerYearRows(const QString& columns, const QString& table,
                                const QString& more = {}, int learner = 2, int year = 2026) {
        return rawRows(dbPath, "SELECT " + columns + " FROM " + table +
                                   " WHERE LearnerID = " + QString::number(learner) +
                                   " AND Data_Year = " + QString::number(year) + more);
    }
    // After an edit of the user's, leaving by Main Menu asks: No keeps the
    // page with the edit, Yes closes it (nothing saved).
    void expectLeavingAsks(AssessmentPage& page) {
        boxes().clear();
        answerAll(msgbox::vbNo);
        user::click(page.cmdMenu);
        EXPECT_EQ(shown(), QStringList{"Data has NOT been Saved: You have NOT saved your data. "
                                       "Are you sure you want to exit without saving?"});
        EXPECT_FALSE(page.isClosed());
        EXPECT_TRUE(page.isUnsaved());
        answerAll(msgbox::vbYes);
        user::click(page.cmdMenu);
        EXPECT_TRUE(page.isClosed());
        msgbox::setAnswerer(msgbox::answerDefault);
        boxes().clear();
    }
    // For each edit, on a page of its own (loaded and shown): after the edit,
    // leaving asks.
    template <class Page>
    void expectEachEditMakesLeavingAsk(const QList<std::function<void(Page&)>>& edits) {
        for (qsizetype i = 0; i < edits.size(); ++i) {
            SCOPED_TRACE("edit " + std::to_string(i + 1));
            Page page;
            ASSERT_TRUE(showPage(page));
            edits[i](page);
            expectLeavingAsks(page);
        }
    }
    static bool connectionClosed() {
        return !gConnection || gConnection->State() == ado::adStateClosed;
    }
    QString pdfPath(const QString& name) const { return dir.filePath(name); }
    // Clicks the page's Print button and answers the print dialog with a PDF
    // file named name, as a user printing to a file does; gives its path.
    QString clickPrint(AssessmentPage& page, const QString& name) {
        const QString pdf = pdfPath(name);
        printdialog::setAnswerer(printdialog::printToPdf(pdf));
        user::click(page.cmdPrint);
        return pdf;
    }
};

// How often each word stands on the printed sheets. A word reaching into the
// quarter inch at a sheet's foot, below the printable part, fails the test:
// nothing may be cut off there.
inline QHash<QString, int> printedWordCounts(const QString& pdf) {
    const double foot = pdfPageSize(pdf).height() - 18;
    QHash<QString, int> counts;
    for (const PdfWord& w : pdfWords(pdf)) {
        ++counts[w.text];
        EXPECT_LE(w.box.bottom(), foot) << w.text.toStdString() << " on sheet " << w.page;
    }
    return counts;
}

// The top (points) of the highest word on a sheet whose top is below below
// (points); a large number when it holds none.
inline double firstWordTop(const QString& pdf, int sheet, double below = -1e9) {
    double top = 1e9;
    for (const PdfWord& w : pdfWords(pdf)) {
        if (w.page == sheet && w.box.top() > below)
            top = std::min(top, w.box.top());
    }
    return top;
}

// The top of the first word on a sheet (from 1) below its heading lines (the
// EMIS and learner lines every sheet of a page print carries), in points.
inline double firstWordTopBelowHeading(const QString& pdf, int sheet) {
    return firstWordTop(pdf, sheet, 700 / 20.0);
}

// True when a dark line stands right of the first word that reads word, on
// its line of text, and inside the printable part of the sheet: the right
// line of the cell that holds the word, when it is in a grid's last column.
inline bool lineRightOf(const QString& pdf, const QString& word) {
    constexpr int dpi = 300;
    const double printableRight = pdfPageSize(pdf).width() - 18;
    for (const PdfWord& w : pdfWords(pdf)) {
        if (w.text != word)
            continue;
        const QImage sheet = pdfImage(pdf, w.page, dpi);
        for (const auto& [x, width] : darkRuns(sheet, qRound(w.box.center().y() * dpi / 72))) {
            // (The sheet's size is read in whole points: two pixels to spare.)
            if (x > w.box.right() * dpi / 72 + 2 && x + width <= printableRight * dpi / 72 + 2)
                return true;
        }
        return false;
    }
    ADD_FAILURE() << word.toStdString() << " is not printed";
    return false;
}

// Walks a chain of pages as a user would while start() runs it: each page
// that shows is left by the next step of the script ("next", "previous" or
// "menu"; "menu" once the script is spent, or by a page without that button).
// onShow, when given, sees each page as it shows, before the step; a page it
// leaves itself takes no step. Returns the form names of the pages shown, in
// order.
inline QStringList walkChain(const std::function<void()>& start, const QStringList& script,
                             const std::function<void(AssessmentPage&)>& onShow = {}) {
    QStringList visited;
    int step = 0;
    int ticks = 0;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* page = qobject_cast<AssessmentPage*>(w);
            if (!page || !page->isVisible() || page->property("walked").toBool())
                continue;
            page->setProperty("walked", true);
            visited << page->formName();
            if (onShow) {
                onShow(*page);
                if (page->isClosed())
                    return;
            }
            const QString action = step < script.size() && ticks < 1000 ? script[step++] : "menu";
            QPushButton* button = action == "next"       ? page->cmdNext
                                  : action == "previous" ? page->cmdPrevious
                                                         : page->cmdMenu;
            (button ? button : page->cmdMenu)->click();
            return;
        }
    });
    timer.start();
    start();
    timer.stop();
    return visited;
}
