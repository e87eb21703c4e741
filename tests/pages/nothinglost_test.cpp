// Nothing a user types is lost without a word, done as a user does it: text
// still in a cell's editor when the page is left, a value the cell refuses
// when Save is clicked, an entry typed and never added, a long text typed
// over (the page's undo), pastes that do not fit or hold control characters,
// the additional-disabilities window, and a double click on Next Page.
#include "platform/colors.h"
#include "platform/entryguard.h"
#include "profile/frmbackgroundinfo.h"
#include "profile/frmextendedprofile1.h"
#include "profile/frmextendedprofile2.h"
#include "profile/profileforms.h"
#include "services/formregistry.h"
#include "support/frmactionplan3.h"
#include "support/frmisp.h"
#include "support/frmschoolrequestsupport.h"
#include "support/supportforms.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"
#include "workspace/frmmultipledisabilities.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

const QString kNotSaved =
    "You have NOT saved your data. Are you sure you want to exit without saving?";

class NothingLost : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        registerProfileForms();
        registerSupportForms();
    }
    std::unique_ptr<AssessmentPage> open(const QString& name) {
        std::unique_ptr<AssessmentPage> page = registeredPages().value(name)();
        EXPECT_TRUE(showPage(*page));
        return page;
    }
    // The question of leaving was asked (and nothing else since clear()).
    bool askedToLeave() {
        for (const msgbox::Shown& box : boxes())
            if (box.text == kNotSaved)
                return true;
        return false;
    }
    static QWidget* editorOf(Grid* grid) {
        QWidget* focus = QApplication::focusWidget();
        return focus && grid->viewport()->isAncestorOf(focus) ? focus : nullptr;
    }
    static QString textOf(QWidget* editor) {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            return line->text();
        if (auto* plain = qobject_cast<QPlainTextEdit*>(editor))
            return plain->toPlainText();
        return QString();
    }
    // Clicks cell (col, row) and types text into it, without leaving it.
    static void typeWithoutLeaving(Grid* grid, int col, int row, const QString& text) {
        user::clickCell(grid, col, row);
        user::type(text);
    }
    // A press and release of the left button at widget's middle, stamped as
    // the window system stamps them (milliseconds).
    static void clickAt(QWidget* widget, quint64 pressTime, bool doubleClick = false) {
        const QPointF at = QRectF(widget->rect()).center();
        const QPointF global = widget->mapToGlobal(at);
        const auto send = [&](QEvent::Type type, quint64 time, Qt::MouseButtons buttons) {
            QMouseEvent event(type, at, global, Qt::LeftButton, buttons, Qt::NoModifier);
            event.setTimestamp(time);
            QApplication::sendEvent(widget, &event);
        };
        send(QEvent::MouseButtonPress, pressTime, Qt::LeftButton);
        if (doubleClick)
            send(QEvent::MouseButtonDblClick, pressTime, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, pressTime + 60, Qt::NoButton);
        QApplication::processEvents();
    }
};

// ---- 1. text still in a cell's editor --------------------------------------------------

TEST_F(NothingLost, EveryWayOfLeavingTakesTheOpenEditorsTextAndAsks) {
    struct Cell {
        QString page;
        QString grid;
        int col, row;
    };
    const Cell cells[] = {{"frmExtendedProfile1", "gridBarriers", 1, 4},
                          {"frmHealthReport", "gridAreas", 2, 11},
                          {"frmCriteriaSelection2", "gridScores", 0, 0}};
    const QStringList ways = {"title bar", "menu", "next", "previous", "program"};
    for (const Cell& c : cells) {
        for (const QString& way : ways) {
            SCOPED_TRACE((c.page + " " + way).toStdString());
            auto page = open(c.page);
            if (way == "previous" && !page->cmdPrevious)
                continue;
            auto* grid = page->findChild<Grid*>(c.grid);
            ASSERT_NE(grid, nullptr);
            const int col = c.col ? c.col : grid->ActiveCol();
            const int row = c.row ? c.row : grid->ActiveRow();
            const QString typed = c.page.startsWith("frmCriteria") ? "2" : "Reads slowly";
            typeWithoutLeaving(grid, col, row, typed);
            // The first key marked the page: Save is yellow before the cell is left.
            EXPECT_TRUE(grid->isEditing());
            EXPECT_EQ(page->cmdSave->BackColor(), vbYellow);
            boxes().clear();
            answerAll(msgbox::vbNo);
            if (way == "title bar") {
                page->close(); // the close event a window manager sends
            } else if (way == "program") {
                QEvent quit(QEvent::Quit); // closing the program
                QApplication::sendEvent(qApp, &quit);
            } else {
                QPushButton* button = way == "menu"   ? page->cmdMenu
                                      : way == "next" ? page->cmdNext
                                                      : page->cmdPrevious;
                user::click(button);
            }
            EXPECT_TRUE(askedToLeave());
            // No: the page stays, the text in its cell.
            EXPECT_FALSE(page->isClosed());
            EXPECT_EQ(grid->GetText(col, row), typed);
            EXPECT_TRUE(page->isUnsaved());
            // Yes: the page closes.
            answerAll(msgbox::vbYes);
            page->close();
            EXPECT_TRUE(page->isClosed());
        }
    }
}

TEST_F(NothingLost, SaveStraightFromTheCellStoresTheEditorsText) {
    auto page = open("frmExtendedProfile1");
    auto* grid = page->findChild<Grid*>("gridBarriers");
    typeWithoutLeaving(grid, 1, 4, "Reads slowly");
    user::click(page->cmdSave);
    EXPECT_TRUE(shown().contains(kSaved));
    EXPECT_FALSE(page->isUnsaved());
    EXPECT_EQ(learnerYearRows("Learning", "TAV_Learning_And_Development_Barriers"),
              QStringList{"Reads slowly"});
}

// ---- 2. a value the cell refuses -------------------------------------------------------

TEST_F(NothingLost, ARefusedDateStopsSaveKeepsTheFocusAndLeavingAsks) {
    rawExec(dbPath, "INSERT INTO TAV_Action_Review (LearnerID, [Action], Name, Review_Date, "
                    "Data_Year) VALUES (2, 1, 'Ms Khumalo', '15/03/2026', 2026)");
    for (const QString refused : {"05/03/26", "31/02/2026"}) {
        SCOPED_TRACE(refused.toStdString());
        auto page = open("frmActionPlan3");
        Grid* a = static_cast<frmActionPlan3*>(page.get())->gridActionTaken;
        ASSERT_EQ(a->GetText(5, 3), "15/03/2026");
        typeWithoutLeaving(a, 5, 3, refused);
        boxes().clear();
        user::click(page->cmdSave);
        QApplication::processEvents();
        ASSERT_EQ(boxes().size(), 1);
        EXPECT_TRUE(boxes().first().text.contains("is not a date this cell takes"));
        EXPECT_FALSE(shown().contains(kSaved));
        EXPECT_EQ(page->cmdSave->BackColor(), vbYellow);
        // The cell keeps the focus with the text; the row keeps its date.
        EXPECT_EQ(textOf(editorOf(a)), refused);
        EXPECT_EQ(a->GetText(5, 3), "15/03/2026");
        EXPECT_EQ(learnerYearRows("Review_Date", "TAV_Action_Review"), QStringList{"15/03/2026"});
        // Main Menu asks.
        boxes().clear();
        answerAll(msgbox::vbNo);
        user::click(page->cmdMenu);
        EXPECT_TRUE(askedToLeave());
        EXPECT_FALSE(page->isClosed());
        answerAll(msgbox::vbYes);
        page->close();
    }
}

// ---- 3. an entry typed and not added ---------------------------------------------------

TEST_F(NothingLost, AnEntryNotAddedKeepsSaveYellowAndLeavingAsks) {
    struct Entry {
        QString page;
        std::function<PreviewList*(AssessmentPage&)> list;
    };
    const Entry entries[] = {
        {"frmExtendedProfile2",
         [](AssessmentPage& p) { return static_cast<frmExtendedProfile2&>(p).communityList; }},
        {"frmISP", [](AssessmentPage& p) { return static_cast<frmISP&>(p).actionList(1); }},
        {"frmSchoolRequestSupport",
         [](AssessmentPage& p) { return static_cast<frmSchoolRequestSupport&>(p).listOf(1); }}};
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.page.toStdString());
        auto page = open(e.page);
        PreviewList* list = e.list(*page);
        if (QLineEdit* box = list->entryBox()) {
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
            user::type("Bullying at break");
        } else {
            Grid* row = list->setup().entryGrid;
            typeWithoutLeaving(row, 1, list->setup().entryRow, "Bullying at break");
            EXPECT_EQ(page->cmdSave->BackColor(), vbYellow); // from the first key
            user::key(Qt::Key_Tab);
        }
        EXPECT_EQ(list->addButton()->BackColor(), vbYellow);
        EXPECT_EQ(page->cmdSave->BackColor(), vbYellow);
        boxes().clear();
        answerAll(msgbox::vbNo);
        user::click(page->cmdMenu);
        EXPECT_TRUE(askedToLeave());
        EXPECT_FALSE(page->isClosed());
        // Save saves what was added (nothing) and stays yellow while the entry waits.
        boxes().clear();
        user::click(page->cmdSave);
        EXPECT_TRUE(shown().contains(kSaved));
        EXPECT_EQ(page->cmdSave->BackColor(), vbYellow);
        boxes().clear();
        user::click(page->cmdMenu);
        EXPECT_TRUE(askedToLeave());
        EXPECT_FALSE(page->isClosed());
        answerAll(msgbox::vbYes);
        page->close();
    }
    EXPECT_EQ(rawScalar(dbPath, "SELECT COUNT(*) FROM TAV_Factors_Community"), "0");
}

// ---- 4. the page's undo ----------------------------------------------------------------

TEST_F(NothingLost, UndoBringsBackALongTextTypedOverDeletedOrPastedOver) {
    const QString report = QString("The learner reads slowly and needs support. ").repeated(142);
    ASSERT_GE(report.size(), 6216);
    rawExec(dbPath, "INSERT INTO TAV_Learning_And_Development_Barriers (LearnerID, Learning, "
                    "Data_Year) VALUES (2, '" +
                        report + "', 2026)");
    auto page = open("frmExtendedProfile1");
    auto* grid = page->findChild<Grid*>("gridBarriers");
    ASSERT_EQ(grid->GetText(1, 4), report);
    const auto undo = [] { user::key(Qt::Key_Z, Qt::ControlModifier); };

    // Typed over, the cell left: Ctrl+Z, then Ctrl+Y and Ctrl+Shift+Z.
    typeWithoutLeaving(grid, 1, 4, "x");
    user::key(Qt::Key_Tab);
    EXPECT_EQ(grid->GetText(1, 4), "x");
    undo();
    EXPECT_EQ(grid->GetText(1, 4), report);
    user::key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(grid->GetText(1, 4), "x");
    undo();
    user::key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(grid->GetText(1, 4), "x");
    undo();
    EXPECT_EQ(grid->GetText(1, 4), report);

    // Typed over, still in the editor: the editor's own undo brings it back.
    typeWithoutLeaving(grid, 1, 4, "y");
    undo();
    EXPECT_EQ(textOf(editorOf(grid)), report);
    user::key(Qt::Key_Escape);

    // Delete, Backspace and a paste on the chosen cell.
    for (const auto& change : std::initializer_list<std::function<void()>>{
             [] { user::key(Qt::Key_Delete); }, [] { user::key(Qt::Key_Backspace); },
             [] { user::paste("Pasted over"); }}) {
        user::clickCell(grid, 1, 4);
        change();
        EXPECT_NE(grid->GetText(1, 4), report);
        user::clickCell(grid, 1, 7); // another cell
        undo();
        EXPECT_EQ(grid->GetText(1, 4), report);
    }

    // At least the last 20 changes of the page, in two cells.
    for (int i = 1; i <= 24; ++i) {
        user::clickCell(grid, 1, i % 2 ? 4 : 7);
        user::type(QString::number(i % 10), 10);
        user::key(Qt::Key_Tab);
    }
    for (int i = 1; i <= 24; ++i)
        undo();
    EXPECT_EQ(grid->GetText(1, 4), report);
    EXPECT_EQ(grid->GetText(1, 7), "");
    // Undoing every change leaves the page unsaved; Save stores the text as it stands.
    EXPECT_TRUE(page->isUnsaved());
    user::click(page->cmdSave);
    EXPECT_EQ(learnerYearRows("Learning", "TAV_Learning_And_Development_Barriers"),
              QStringList{report});
}

// ---- 5. pastes that do not fit, control characters ---------------------------------------

TEST_F(NothingLost, APasteThatDoesNotFitIsRefusedWithItsLengthAndTheLimit) {
    auto page = open("frmActionPlan3");
    Grid* a = static_cast<frmActionPlan3*>(page.get())->gridActionTaken;
    ASSERT_EQ(a->cellFormat(1, 3).maxLength, 255);
    QApplication::setActiveWindow(page.get());
    user::clickCell(a, 1, 3);
    boxes().clear();
    user::paste(QString(300, 'p'));
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes().first().text.contains("300 characters long"));
    EXPECT_TRUE(boxes().first().text.contains("at most 255 characters"));
    EXPECT_EQ(a->GetText(1, 3), "");
    EXPECT_FALSE(page->isUnsaved());

    // Typing past the limit is said once.
    user::paste(QString(253, 'n'));
    boxes().clear();
    user::key(Qt::Key_F2);
    user::type("abcd", 10);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes().first().text.contains("at most 255 characters"));
    user::key(Qt::Key_Return); // no line break either
    EXPECT_EQ(boxes().size(), 1);
    user::key(Qt::Key_Tab);
    EXPECT_EQ(a->GetText(1, 3).size(), 255);
    EXPECT_EQ(a->GetText(1, 3).right(4), "nnab");

    // The school request's box: refused whole, never cut.
    auto request = open("frmSchoolRequestSupport");
    QLineEdit* box = static_cast<frmSchoolRequestSupport*>(request.get())->listOf(1)->entryBox();
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
    boxes().clear();
    user::paste(QString(300, 'q'));
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes().first().text.contains("300 characters long"));
    EXPECT_TRUE(boxes().first().text.contains("at most 255 characters"));
    EXPECT_EQ(box->text(), "");
    user::paste(QString(200, 'q'));
    EXPECT_EQ(box->text(), QString(200, 'q'));
    request->markSaved();
    box->clear();
    page->markSaved();
}

TEST_F(NothingLost, AControlCharacterIsRefusedAtThePasteAndSaveStoresTheOtherEdits) {
    for (const QString& bad : {QString("Reads") + QChar(0) + "slowly", QString("Bell\aringing")}) {
        SCOPED_TRACE(bad.toStdString());
        const QString code =
            entryguard::controlCharacter(bad)->unicode() == 0 ? "U+0000" : "U+0007";
        // A grid cell: chosen, and in its editor.
        auto page = open("frmExtendedProfile1");
        auto* grid = page->findChild<Grid*>("gridBarriers");
        QApplication::setActiveWindow(page.get());
        user::clickCell(grid, 1, 4);
        boxes().clear();
        user::paste(bad);
        ASSERT_EQ(boxes().size(), 1);
        EXPECT_TRUE(boxes().first().text.contains(code));
        user::key(Qt::Key_F2);
        user::paste(bad);
        EXPECT_EQ(boxes().size(), 2);
        user::key(Qt::Key_Escape);
        EXPECT_EQ(grid->GetText(1, 4), "");
        typeWithoutLeaving(grid, 1, 7, "Talks little");
        boxes().clear();
        user::click(page->cmdSave);
        EXPECT_EQ(shown(), QStringList{kSaved});
        EXPECT_EQ(
            learnerYearRows("Learning, Communication", "TAV_Learning_And_Development_Barriers"),
            QStringList{" |Talks little"});
        rawExec(dbPath, "DELETE FROM TAV_Learning_And_Development_Barriers");

        // An entry box.
        auto factors = open("frmExtendedProfile2");
        PreviewList* list = static_cast<frmExtendedProfile2*>(factors.get())->communityList;
        QLineEdit* box = list->entryBox();
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
        boxes().clear();
        user::paste(bad);
        ASSERT_EQ(boxes().size(), 1);
        EXPECT_TRUE(boxes().first().text.contains(code));
        EXPECT_EQ(box->text(), "");
        user::type("Bullying");
        user::click(list->optionB());
        user::click(list->addButton());
        boxes().clear();
        user::click(factors->cmdSave);
        EXPECT_EQ(shown(), QStringList{kSaved});
        EXPECT_EQ(rawRows(dbPath, "SELECT Barrier FROM TAV_Factors_Community WHERE "
                                  "LearnerID = 2 AND Barrier <> ''"),
                  QStringList{"Bullying"});
        rawExec(dbPath, "DELETE FROM TAV_Factors_Community");
    }
}

// ---- 6. the additional-disabilities window ---------------------------------------------

TEST_F(NothingLost, TheAdditionalWindowMarksThePagesChoiceAndKeepsRowsItCannotShow) {
    gLearnerID = 1; // primary Attention Deficit Disorder; additional 3 and 8
    gLearnerName = "DE BEER Thabo";
    rawExec(dbPath, "INSERT INTO MultipleDisabilities (LearnerID, DisabilityID, Knumber, "
                    "Testdate) VALUES (1, 42, 'K1001', '2024-03-14'), "
                    "(1, NULL, 'K1001', '2024-03-14')");
    auto page = open("frmBackgroundInfo");
    auto* background = static_cast<frmBackgroundInfo*>(page.get());
    Grid* grid = background->gridDisability;
    ASSERT_EQ(grid->GetText(1, 2), "Attention Deficit Disorder");
    user::chooseInCell(grid, 1, 2, "Blind");
    ASSERT_EQ(grid->GetText(1, 2), "Blind");
    EXPECT_TRUE(page->isUnsaved());

    QStringList red;
    bool sawWindow = false;
    user::whenShown<frmMultipleDisabilities>([&](frmMultipleDisabilities& window) {
        sawWindow = true;
        for (int i = 0; i < window.lvwDisabilities->count(); ++i) {
            QListWidgetItem* item = window.lvwDisabilities->item(i);
            if (window.isPrimaryItem(item))
                red << item->text();
            if (item->text() == "Epilepsy")
                user::tickItem(window.lvwDisabilities, item, true);
        }
        user::click(window.cmdSave);
        user::click(window.cmdDone);
    });
    user::clickCell(grid, 3, 2); // "Additional Disabilities"
    EXPECT_TRUE(sawWindow);
    EXPECT_EQ(red, QStringList{"Blind"});
    // The page keeps its choice, unsaved, and shows the new additional ones.
    EXPECT_EQ(grid->GetText(1, 2), "Blind");
    EXPECT_TRUE(grid->GetText(2, 2).contains("Epilepsy"));
    EXPECT_EQ(page->cmdSave->BackColor(), vbYellow);
    // The rows the window cannot show are kept as they were.
    EXPECT_EQ(rawRows(dbPath, "SELECT IFNULL(DisabilityID, 'NULL'), Knumber FROM "
                              "MultipleDisabilities WHERE LearnerID = 1 AND (DisabilityID = 42 "
                              "OR DisabilityID IS NULL) ORDER BY DisabilityID"),
              QStringList({"NULL|K1001", "42|K1001"}));
    boxes().clear();
    user::click(page->cmdSave);
    EXPECT_TRUE(shown().contains(kSaved));
    EXPECT_EQ(rawScalar(dbPath, "SELECT LSENDisabilities FROM Learner_Info WHERE ID = 1"), "4");
}

// ---- 7. one click, one thing -----------------------------------------------------------

TEST_F(NothingLost, ADoubleClickOnNextPageMovesOnePage) {
    // The second click of the two reaches the page shown after the first.
    bool secondStayed = false;
    QStringList visited = walkChain([] { showFormChain("frmCriteriaSelection1"); }, {"menu"},
                                    [&](AssessmentPage& page) {
                                        if (page.formName() == "frmCriteriaSelection1") {
                                            clickAt(page.cmdNext, 100000);
                                        } else {
                                            clickAt(page.cmdNext, 100180, true);
                                            secondStayed = !page.isClosed();
                                        }
                                    });
    EXPECT_EQ(visited, QStringList({"frmCriteriaSelection1", "frmCriteriaSelection2"}));
    EXPECT_TRUE(secondStayed);

    // A click long after the page showed is a click.
    quint64 time = 200000;
    visited = walkChain([] { showFormChain("frmCriteriaSelection1"); }, {"menu"},
                        [&](AssessmentPage& page) {
                            if (page.formName() != "frmCriteriaSelection3")
                                clickAt(page.cmdNext, time += 1000);
                        });
    EXPECT_EQ(visited, QStringList({"frmCriteriaSelection1", "frmCriteriaSelection2",
                                    "frmCriteriaSelection3"}));
}

} // namespace
