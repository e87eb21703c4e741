// The assessment page frame on a small page of its own: the save and load
// shapes, the Save handler, leaving, the page print, and walking a chain.
#include "pages/assessmentpage.h"
#include "platform/adodb.h"
#include "platform/printer.h"
#include "services/formregistry.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <sqlite3.h>

namespace {

class TestPage : public AssessmentPage {
public:
    explicit TestPage(const QString& name = "frmTestPage") : AssessmentPage(name) {
        setWindowTitle("Test page");
        grid = new Grid;
        grid->setMaxCols(1);
        grid->setMaxRows(3);
        addToFrame(grid, 1);
        watchEdits(grid);
        setLoadRoutines({[this] { return getItems(); }});
        setSaveRoutines({[this] { return saveItems(); }});
    }

    bool getItems() {
        int row = 1;
        return loadRows(
            "getItems Routine", "SELECT Item FROM T_Items " + whereLearnerYear() + " ORDER By ID",
            [&](ado::Recordset& rs) { grid->SetText(1, row++, rs.Fields("Item").text()); });
    }

    bool saveItems() {
        QStringList inserts;
        for (int r = 1; r <= grid->MaxRows(); ++r) {
            const QString text = grid->GetText(1, r);
            if (!allBlank({text}))
                inserts << "INSERT INTO T_Items (LearnerID, Item, Data_Year) VALUES (" +
                               QString::number(gLearnerID) + "," + quoted(text) + "," +
                               QString::number(gDataYear) + ")";
        }
        return replaceRows("saveItems Routine", {"DELETE FROM T_Items " + whereLearnerYear()},
                           inserts);
    }

    bool saveMine(const QString& mine) {
        return updateOrInsert("saveMine Routine", "SELECT Mine FROM T_Shared " + whereLearnerYear(),
                              "UPDATE T_Shared SET Mine = " + quoted(mine) + " " +
                                  whereLearnerYear(),
                              "INSERT INTO T_Shared (LearnerID, Mine, Data_Year) VALUES (" +
                                  QString::number(gLearnerID) + "," + quoted(mine) + "," +
                                  QString::number(gDataYear) + ")");
    }

    // Empties the shared row, then fails: its work is to be undone.
    bool saveBroken() {
        return replaceRows("saveBroken Routine", {"DELETE FROM T_Shared " + whereLearnerYear()},
                           {"INSERT INTO T_Missing (LearnerID) VALUES (1)"});
    }

    using AssessmentPage::setNext;
    using AssessmentPage::setPrevious;
    using AssessmentPage::setPrint;
    using AssessmentPage::setSaveRoutines;

    Grid* grid = nullptr;
};

class FrameTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        // At most 8 characters an item, so a long item makes an insert fail.
        rawExec(dbPath, "CREATE TABLE T_Items (ID INTEGER PRIMARY KEY, LearnerID INTEGER, "
                        "Item TEXT CHECK (length(Item) <= 8), Data_Year INTEGER);"
                        "CREATE TABLE T_Shared (ID INTEGER PRIMARY KEY, LearnerID INTEGER, "
                        "Mine TEXT, Theirs TEXT, Data_Year INTEGER);");
    }
    QStringList items() {
        return rawRows(dbPath, "SELECT Item FROM T_Items WHERE LearnerID = 2 AND Data_Year = "
                               "2026 ORDER BY ID");
    }
};

} // namespace

TEST_F(FrameTest, LoadsRowsInOrderWithoutMarkingThePage) {
    rawExec(dbPath, "INSERT INTO T_Items (LearnerID, Item, Data_Year) VALUES "
                    "(2, 'one', 2026), (2, 'two', 2026), (2, 'other', 2025), (3, 'x', 2026)");
    TestPage page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(page.grid->GetText(1, 1), "one");
    EXPECT_EQ(page.grid->GetText(1, 2), "two");
    EXPECT_EQ(page.grid->GetText(1, 3), "");
    EXPECT_FALSE(page.isUnsaved());
    EXPECT_FALSE(page.loadFailed());
    EXPECT_TRUE(connectionClosed());
    EXPECT_EQ(page.txtCurrentYear->text(), "2026");
    EXPECT_EQ(page.lblLearner->text(), "O'NEILL Lerato : Acc Number: 006");
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(FrameTest, SaveReplacesTheLearnerYearRowsAndConfirms) {
    rawExec(dbPath, "INSERT INTO T_Items (LearnerID, Item, Data_Year) VALUES "
                    "(2, 'old', 2026), (2, 'kept', 2025)");
    TestPage page;
    ASSERT_TRUE(showPage(page));
    user::typeIntoCell(page.grid, 1, 2, "O'Hara");
    user::click(page.cmdSave);
    user::click(page.cmdSave);
    EXPECT_EQ(items(), QStringList({"old", "O'Hara"}));
    EXPECT_EQ(rawScalar(dbPath, "SELECT Item FROM T_Items WHERE Data_Year = 2025"), "kept");
    EXPECT_FALSE(page.isUnsaved());
    EXPECT_EQ(shown(), QStringList({kSaved, kSaved}));
    EXPECT_TRUE(connectionClosed());
}

TEST_F(FrameTest, FailedInsertRollsBackKeepsSaveYellowAndDoesNotConfirm) {
    rawExec(dbPath, "INSERT INTO T_Items (LearnerID, Item, Data_Year) VALUES (2, 'stored', 2026)");
    TestPage page;
    ASSERT_TRUE(showPage(page));
    user::typeIntoCell(page.grid, 1, 1, "fine");
    user::typeIntoCell(page.grid, 1, 2, "far too long for the column");
    user::click(page.cmdSave);
    EXPECT_EQ(items(), QStringList({"stored"}));
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_EQ(errorProcedures(), QStringList({"saveItems Routine"}));
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_TRUE(connectionClosed());
    ASSERT_FALSE(boxes().isEmpty());
    EXPECT_TRUE(boxes().first().text.contains("Location: frmTestPage"));
}

TEST_F(FrameTest, EverySaveRoutineRunsAndOnlyAllSucceedingConfirms) {
    TestPage page;
    ASSERT_TRUE(showPage(page));
    int secondRuns = 0;
    bool firstSucceeds = false;
    page.setSaveRoutines({[&] { return firstSucceeds; }, [&] { return ++secondRuns > 0; }});
    user::typeIntoCell(page.grid, 1, 1, "typed");
    user::click(page.cmdSave);
    EXPECT_EQ(secondRuns, 1);
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_TRUE(boxes().isEmpty());

    firstSucceeds = true;
    user::click(page.cmdSave);
    EXPECT_EQ(secondRuns, 2);
    EXPECT_FALSE(page.isUnsaved());
    EXPECT_EQ(shown(), QStringList({kSaved}));
}

TEST_F(FrameTest, FailedLoadRefusesSaveForThatOpening) {
    rawExec(dbPath, "ALTER TABLE T_Items RENAME TO T_Items_Away");
    TestPage page;
    ASSERT_TRUE(showPage(page));
    EXPECT_TRUE(page.loadFailed());
    EXPECT_EQ(errorProcedures(), QStringList({"getItems Routine"}));
    EXPECT_TRUE(connectionClosed());

    rawExec(dbPath, "ALTER TABLE T_Items_Away RENAME TO T_Items;"
                    "INSERT INTO T_Items (LearnerID, Item, Data_Year) VALUES (2, 'stored', 2026)");
    boxes().clear();
    user::typeIntoCell(page.grid, 1, 1, "typed");
    user::click(page.cmdSave);
    EXPECT_EQ(items(), QStringList({"stored"}));
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, "User Message");
    EXPECT_NE(boxes()[0].text, "Your Information has been saved.");
    EXPECT_TRUE(page.isUnsaved());
}

TEST_F(FrameTest, UpdateOrInsertWritesOnlyThePagesColumnsOfOneRow) {
    TestPage page;
    EXPECT_TRUE(page.saveMine("first"));
    rawExec(dbPath, "UPDATE T_Shared SET Theirs = 'other page'");
    EXPECT_TRUE(page.saveMine("second"));
    EXPECT_EQ(rawRows(dbPath, "SELECT LearnerID, Mine, Theirs, Data_Year FROM T_Shared"),
              QStringList({"2|second|other page|2026"}));

    rawExec(dbPath, "ALTER TABLE T_Shared RENAME COLUMN Mine TO Gone");
    EXPECT_FALSE(page.saveMine("third"));
    EXPECT_EQ(errorProcedures(), QStringList({"saveMine Routine"}));
    EXPECT_TRUE(connectionClosed());
}

TEST_F(FrameTest, LeavingAsksOnlyWithUnsavedEditsAndHandsOnTheNeighbour) {
    registerForm("frmTestNeighbour", [] { return QString(); });
    struct Case {
        const char* button;
        bool unsaved;
        int answer;
        bool closed;
        QString next;
    } cases[] = {
        {"menu", false, msgbox::vbNo, true, ""},
        {"next", false, msgbox::vbNo, true, "frmTestNeighbour"},
        {"previous", true, msgbox::vbNo, false, ""},
        {"previous", true, msgbox::vbYes, true, "frmTestNeighbour"},
        {"menu", true, msgbox::vbYes, true, ""},
        {"unregistered", false, msgbox::vbNo, true, ""}, // a page not built yet: the menu
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.button) + (c.unsaved ? " unsaved" : " saved"));
        boxes().clear();
        answerAll(c.answer);
        TestPage page;
        page.setNext(QString(c.button) == "unregistered" ? "frmNotThereYet" : "frmTestNeighbour");
        page.setPrevious("frmTestNeighbour");
        ASSERT_TRUE(showPage(page));
        if (c.unsaved)
            user::typeIntoCell(page.grid, 1, 1, "typed");
        const QString button = c.button;
        user::click(button == "menu"       ? page.cmdMenu
                    : button == "previous" ? page.cmdPrevious
                                           : page.cmdNext);
        EXPECT_EQ(page.isClosed(), c.closed);
        EXPECT_EQ(page.nextForm(), c.next);
        EXPECT_EQ(page.isUnsaved(), c.unsaved); // leaving saves nothing
        ASSERT_EQ(boxes().size(), c.unsaved ? 1 : 0);
        if (c.unsaved) {
            EXPECT_EQ(boxes()[0].title, "Data has NOT been Saved");
            EXPECT_EQ(boxes()[0].text, "You have NOT saved your data. Are you sure you want to "
                                       "exit without saving?");
        }
    }
}

TEST_F(FrameTest, TitleBarCloseGoesThroughTheUnsavedQuestion) {
    TestPage page;
    page.setNext("frmTestNeighbour");
    page.Form_Load();
    answerAll(msgbox::vbNo);
    bool keptOpen = false;
    QTimer::singleShot(0, &page, [&] {
        user::typeIntoCell(page.grid, 1, 1, "typed");
        page.close(); // the close event a window manager sends
        keptOpen = page.isVisible() && !page.isClosed();
        answerAll(msgbox::vbYes);
        page.close();
    });
    page.exec();
    EXPECT_TRUE(keptOpen);
    EXPECT_TRUE(page.isClosed());
    EXPECT_FALSE(page.isVisible());
    EXPECT_EQ(page.nextForm(), "");
    EXPECT_EQ(boxes().size(), 2);
}

TEST_F(FrameTest, WalkingAChainFiftyTimesNeverNestsPages) {
    int depth = 0;
    int deepest = 0;
    int shows = 0;
    int pagesAtOnce = 0;
    // The pages that exist, shown or not.
    const auto pagesAlive = [] {
        int alive = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            alive += qobject_cast<AssessmentPage*>(w) != nullptr;
        return alive;
    };
    const auto runner = [&](const QString& name, const QString& neighbour, bool first) {
        return [&, name, neighbour, first] {
            ++depth;
            deepest = std::max(deepest, depth);
            TestPage page(name);
            if (first)
                page.setNext(neighbour);
            else
                page.setPrevious(neighbour);
            const QString next = page.run();
            --depth;
            return next;
        };
    };
    registerForm("frmWalkFirst", runner("frmWalkFirst", "frmWalkSecond", true));
    registerForm("frmWalkSecond", runner("frmWalkSecond", "frmWalkFirst", false));
    // Next and Previous fifty times each, then the menu.
    QStringList script;
    for (int i = 0; i < 50; ++i)
        script << "next"
               << "previous";
    walkChain([] { showFormChain("frmWalkFirst"); }, script,
              [&](AssessmentPage&) {
                  ++shows;
                  pagesAtOnce = std::max(pagesAtOnce, pagesAlive());
              });

    EXPECT_EQ(shows, 101);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(pagesAtOnce, 1);
    const int left = pagesAlive();
    EXPECT_EQ(left, 0);
}

TEST_F(FrameTest, LandscapePrintPagesAPagedGridAndPrintsItsOwnLines) {
    TestPage page;
    Grid* list = new Grid;
    list->setMaxCols(2);
    list->setMaxRows(120);
    list->SetColWidth(1, 30);
    for (int r = 1; r <= 120; ++r) {
        list->SetText(1, r, QString("entry %1").arg(r));
        list->SetText(2, r, "x");
    }
    page.setPrint({.landscape = true,
                   .title = " RER [ TEST ]",
                   .learnerLine = true,
                   .items = {PrintItem::textLine(260, 600, "THE LIST TITLE"),
                             PrintItem::paged(list, {100, 1000, 0, -1000}, {300, 800, 3000, 0})}});
    const QString pdf = pdfPath("landscape.pdf");
    printdialog::setAnswerer(printdialog::printToPdf(pdf));
    ASSERT_TRUE(user::showActive(&page));
    user::click(page.cmdPrint);
    EXPECT_TRUE(boxes().isEmpty());
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("EMIS NUMBER: 700123456 RER [ TEST ]"));
    // pdftotext reads the two blanks before ASSESION as one.
    EXPECT_TRUE(text.contains("LEARNER NAME : O'NEILL Lerato ASSESION NUMBER: 006"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("THE LIST TITLE"));
    // Every row reaches the paper (pdftotext may split a cell's words over lines).
    const QString compact = withoutSpaces(text);
    for (int r = 1; r <= 120; ++r)
        EXPECT_TRUE(compact.contains(QString("entry%1x").arg(r))) << r;
    EXPECT_GE(pdfPages(pdf), 2);
    // Landscape: the sheet is wider than high.
    EXPECT_TRUE(pdfIsLandscape(pdf));
    delete list;
}

TEST_F(FrameTest, AGridReachingIntoTheNextMovesItDownAndALongGridGoesOnOverMoreSheets) {
    TestPage page;
    // Thirty rows from 800 run past 2000, where the second grid is placed;
    // a text line at 2300 belongs under the second grid.
    Grid first, second, tall;
    for (Grid* grid : {&first, &second, &tall}) {
        grid->setMaxCols(1);
        grid->SetColWidth(1, 40);
    }
    first.setMaxRows(30);
    for (int r = 1; r <= 30; ++r)
        first.SetText(1, r, QString("upper%1").arg(r));
    second.setMaxRows(1);
    second.SetText(1, 1, "secondgrid");
    tall.setMaxRows(150);
    for (int r = 1; r <= 150; ++r)
        tall.SetText(1, r, QString("tall%1").arg(r));
    page.setPrint({.title = " [ TEST ]",
                   .items = {PrintItem::grid(&first, 500, 800), PrintItem::grid(&second, 500, 2000),
                             PrintItem::textLine(500, 2300, "underneath"), PrintItem::newPage(),
                             PrintItem::grid(&tall, 500, 800)}});
    const QString pdf = pdfPath("flow.pdf");
    printdialog::setAnswerer(printdialog::printToPdf(pdf));
    ASSERT_TRUE(user::showActive(&page));
    user::click(page.cmdPrint);
    EXPECT_TRUE(boxes().isEmpty());

    const QRectF last = pdfWordBox(pdf, "upper30");
    const QRectF moved = pdfWordBox(pdf, "secondgrid");
    const QRectF line = pdfWordBox(pdf, "underneath");
    ASSERT_FALSE(last.isNull());
    ASSERT_FALSE(moved.isNull());
    ASSERT_FALSE(line.isNull());
    EXPECT_GT(moved.top(), last.bottom());
    EXPECT_GT(line.top(), moved.bottom());
    // 150 rows do not fit one sheet: none of them is cut off.
    const QString text = pdfText(pdf);
    for (int r = 1; r <= 150; ++r)
        EXPECT_TRUE(text.contains(QString("tall%1\n").arg(r)) ||
                    text.contains(QString("tall%1 ").arg(r)))
            << r;
    EXPECT_GE(pdfPages(pdf), 3);
}

namespace {
// A one-column grid of rows "<prefix>1" ... "<prefix>n".
void fillList(Grid& grid, const QString& prefix, int rows) {
    grid.setMaxCols(1);
    grid.SetColWidth(1, 50);
    grid.setMaxRows(rows);
    for (int r = 1; r <= rows; ++r)
        grid.SetText(1, r, prefix + QString::number(r));
}

// The words of a printed file by text (each printed once is checked by the caller).
QHash<QString, PdfWord> wordsByText(const QString& pdf) {
    QHash<QString, PdfWord> out;
    for (const PdfWord& w : pdfWords(pdf))
        out.insert(w.text, w);
    return out;
}
} // namespace

TEST_F(FrameTest, AGridRunningOverGoesOnAtTheTopMarginAndWhatFollowsComesRightBelowIt) {
    TestPage page;
    Grid low;
    fillList(low, "low", 70);
    page.setPrint({.title = " [ TEST ]",
                   .items = {PrintItem::grid(&low, 500, 6000),
                             PrintItem::textLine(500, 6400, "underneath")}});
    const QString pdf = pdfPath("low.pdf");
    printdialog::setAnswerer(printdialog::printToPdf(pdf));
    ASSERT_TRUE(user::showActive(&page));
    user::click(page.cmdPrint);
    EXPECT_TRUE(boxes().isEmpty());

    ASSERT_EQ(pdfPages(pdf), 2);
    const QHash<QString, PdfWord> words = wordsByText(pdf);
    const QString text = pdfText(pdf);
    for (int r = 1; r <= 70; ++r)
        EXPECT_EQ(text.count(QRegularExpression(QString("\\blow%1\\b").arg(r))), 1) << r;
    EXPECT_NEAR(words["low1"].box.top(), 6000 / 20.0, 5);
    // The first row on the second sheet: at the top margin of 800 twips.
    double top = 1e9;
    for (const PdfWord& w : words) {
        if (w.page == 2 && w.text.startsWith("low"))
            top = std::min(top, w.box.top());
    }
    EXPECT_GT(top, Printer::kContinuedTop / 20.0);
    EXPECT_LT(top, Printer::kContinuedTop / 20.0 + 5);
    // The line after the grid follows below its end, not at its designed place.
    const PdfWord line = words["underneath"];
    EXPECT_EQ(line.page, 2);
    EXPECT_GT(line.box.top(), words["low70"].box.bottom());
    EXPECT_LT(line.box.top(), words["low70"].box.bottom() + 30);
}

TEST_F(FrameTest, GridsSideBySideGoOnSideBySideAndWhatFollowsComesBelowBoth) {
    TestPage page;
    Grid left, right, after;
    fillList(left, "left", 60);
    fillList(right, "right", 45);
    fillList(after, "after", 1);
    page.setPrint(
        {.landscape = true,
         .title = " [ TEST ]",
         .items = {PrintItem::grid(&left, 300, 800, 3000), PrintItem::grid(&right, 6500, 800, 3000),
                   PrintItem::grid(&after, 300, 2300, 3000),
                   PrintItem::textLine(300, 2700, "underneath")}});
    const QString pdf = pdfPath("sidebyside.pdf");
    printdialog::setAnswerer(printdialog::printToPdf(pdf));
    ASSERT_TRUE(user::showActive(&page));
    user::click(page.cmdPrint);
    EXPECT_TRUE(boxes().isEmpty());

    ASSERT_EQ(pdfPages(pdf), 2);
    const QString text = pdfText(pdf);
    for (const auto& [prefix, rows] : {std::pair{"left", 60}, std::pair{"right", 45}}) {
        for (int r = 1; r <= rows; ++r)
            EXPECT_EQ(text.count(QRegularExpression(QString("\\b%1%2\\b").arg(prefix).arg(r))), 1)
                << prefix << r;
    }
    const QHash<QString, PdfWord> words = wordsByText(pdf);
    // Both start on the first sheet at one top, and both go on on the second.
    EXPECT_EQ(words["left1"].page, 1);
    EXPECT_EQ(words["right1"].page, 1);
    EXPECT_NEAR(words["left1"].box.top(), words["right1"].box.top(), 1);
    EXPECT_EQ(words["left60"].page, 2);
    EXPECT_EQ(words["right45"].page, 2);
    auto firstOnSheetTwo = [&](const QString& prefix) {
        PdfWord first{{}, {}, 0};
        double top = 1e9;
        for (const PdfWord& w : words) {
            if (w.page == 2 && w.text.startsWith(prefix) && w.box.top() < top) {
                top = w.box.top();
                first = w;
            }
        }
        return first;
    };
    const PdfWord leftGoesOn = firstOnSheetTwo("left");
    const PdfWord rightGoesOn = firstOnSheetTwo("right");
    EXPECT_NEAR(leftGoesOn.box.top(), rightGoesOn.box.top(), 1);
    EXPECT_LT(leftGoesOn.box.top(), Printer::kContinuedTop / 20.0 + 5);
    // Each list goes on where it left off, beside the other.
    EXPECT_EQ(words[leftGoesOn.text].box.left(), words["left1"].box.left());
    EXPECT_EQ(words[rightGoesOn.text].box.left(), words["right1"].box.left());
    // What the page puts below them follows below the longer one.
    EXPECT_EQ(words["after1"].page, 2);
    EXPECT_GT(words["after1"].box.top(), words["left60"].box.bottom());
    EXPECT_GT(words["underneath"].box.top(), words["after1"].box.bottom());
}

namespace {
class ActivatedPage : public TestPage {
public:
    void Form_Activate() override { ++activations; }
    int activations = 0;
};

bool waitUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 200 && !done(); ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}
} // namespace

TEST_F(FrameTest, ActivationRunsForm_ActivateButNotAfterAMessageBox) {
    ActivatedPage page;
    page.Form_Load();
    page.show();
    page.activateWindow();
    ASSERT_TRUE(waitUntil([&] { return page.activations == 1; }));

    QMessageBox box(QMessageBox::Information, "User Message", "Saved.");
    box.show();
    box.activateWindow();
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &box; }));
    box.hide();
    page.activateWindow();
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &page; }));
    EXPECT_EQ(page.activations, 1);

    ActivatedPage other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &other; }));
    other.hide();
    page.activateWindow();
    ASSERT_TRUE(waitUntil([&] { return page.activations == 2; }));
    page.hide();
}

TEST_F(FrameTest, EscapeDoesNotLeaveThePage) {
    TestPage page;
    page.Form_Load();
    bool openAfterEscape = false;
    QTimer::singleShot(0, &page, [&] {
        QApplication::setActiveWindow(&page);
        user::key(Qt::Key_Escape);
        openAfterEscape = page.isVisible() && !page.isClosed();
        user::click(page.cmdMenu);
    });
    page.exec();
    EXPECT_TRUE(openAfterEscape);
    EXPECT_TRUE(page.isClosed());
}

namespace {

// The Save of a page with several routines, cut off on the way.
class FrameSaveTest : public FrameTest {
protected:
    CommitFailures commits; // before the test's first connection
};

// Whether another program could write the file now.
bool fileWritable(const QString& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const bool free =
        sqlite3_exec(db, "BEGIN IMMEDIATE; ROLLBACK", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return free;
}

} // namespace

// The whole Save is one transaction, committed once at its end: cut off
// anywhere before that commit has done its work, it leaves every routine's
// rows as they were; after it, every routine's rows are the new ones.
TEST_F(FrameSaveTest, ASaveReachesTheFileWholeOrNotAtAll) {
    rawExec(dbPath, "INSERT INTO T_Items (LearnerID, Item, Data_Year) VALUES (2, 'old', 2026);"
                    "INSERT INTO T_Shared (LearnerID, Mine, Theirs, Data_Year) VALUES "
                    "(2, 'old', 'theirs', 2026)");
    TestPage page;
    QString mine = "new";
    page.setSaveRoutines({[&] { return page.saveItems(); }, [&] { return page.saveMine(mine); }});
    ASSERT_TRUE(showPage(page));
    const auto shared = [&] { return rawRows(dbPath, "SELECT Mine, Theirs FROM T_Shared"); };

    // Cut off at the Save's commit: nothing of it is in the file.
    user::typeIntoCell(page.grid, 1, 2, "added");
    commits.failFrom(1);
    user::click(page.cmdSave);
    EXPECT_EQ(commits.commits(), 1);
    EXPECT_EQ(items(), QStringList({"old"}));
    EXPECT_EQ(shared(), QStringList({"old|theirs"}));
    EXPECT_EQ(errorProcedures(), QStringList({"cmdSave_Click Routine"}));
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_TRUE(connectionClosed());

    // The program would have been cut off after a first commit: there is no
    // other, so the Save is in the file whole.
    boxes().clear();
    commits.failFrom(2);
    user::click(page.cmdSave);
    EXPECT_EQ(commits.commits(), 1);
    EXPECT_EQ(items(), QStringList({"old", "added"}));
    EXPECT_EQ(shared(), QStringList({"new|theirs"}));
    EXPECT_EQ(shown(), QStringList({kSaved}));
    EXPECT_FALSE(page.isUnsaved());
    page.hide();
}

// A routine that fails is undone alone: the others' work is kept and
// committed. Its error report is shown once the Save's transaction is over,
// so the file is free while the user reads it.
TEST_F(FrameSaveTest, ARoutineThatFailsIsUndoneAloneAndTheFileIsFreeWhileItIsReported) {
    rawExec(dbPath, "INSERT INTO T_Shared (LearnerID, Mine, Theirs, Data_Year) VALUES "
                    "(2, 'old', 'theirs', 2026)");
    TestPage page;
    page.setSaveRoutines({[&] { return page.saveItems(); }, [&] { return page.saveBroken(); },
                          [&] { return page.saveMine("new"); }});
    ASSERT_TRUE(showPage(page));
    QList<bool> writableWhileShown;
    msgbox::setAnswerer([&](const msgbox::Shown& box) {
        writableWhileShown << fileWritable(dbPath);
        return msgbox::answerDefault(box);
    });
    user::typeIntoCell(page.grid, 1, 1, "typed");
    user::click(page.cmdSave);
    EXPECT_EQ(errorProcedures(), QStringList({"saveBroken Routine"}));
    EXPECT_EQ(writableWhileShown, QList<bool>({true}));
    EXPECT_EQ(items(), QStringList({"typed"}));
    EXPECT_EQ(rawRows(dbPath, "SELECT Mine, Theirs FROM T_Shared"), QStringList({"new|theirs"}));
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_TRUE(connectionClosed());
    page.hide();
}
