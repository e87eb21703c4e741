// The three Section 4 pages: the learner header and gBarriers, the shared
// review row that each page writes only its own columns of, the Yes/No
// items, the strategy lines, the review lines, the chain and the prints.
#include "platform/adodb.h"
#include "platform/colors.h"
#include "profile/frmbackgroundinfo.h"
#include "services/formregistry.h"
#include "services/globals.h"
#include "support/frmactionplan.h"
#include "support/frmactionplan2.h"
#include "support/frmactionplan3.h"
#include "support/supportforms.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <memory>

namespace {

const QString kReviewColumns =
    "ISLT_Coord_Educ_Req_Made, Parent_Accept_Recom, Parent_Reason, ISLT_Approved_Reason, "
    "ISLT_Not_Approved_Reason, DBST_Support_School_Site, Senior_Manager_Approval, "
    "School_Discussed_Parent, School_Discussed_Comment";

// The texts of a row's cells from col to col2, joined.
QString ticks(const Grid* grid, int row, int col, int col2) {
    QString out;
    for (int c = col; c <= col2; ++c)
        out += grid->GetText(c, row);
    return out;
}

class ActionPlanTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        gSchoolName = "Kliprivier Combined School";
        gBirthDate = "20090608";
        gBarriers = "left over from another learner";
    }
    // The learner-year's review rows, the columns joined by '|'.
    QStringList reviewRows() {
        return learnerYearRows(kReviewColumns, "TAV_DBST_Review_ILST_Request");
    }
    void insertReview(const QString& columns, const QString& values, int learner = 2,
                      int year = 2026) {
        rawExec(dbPath, "INSERT INTO TAV_DBST_Review_ILST_Request (LearnerID, Data_Year, " +
                            columns + ") VALUES (" + QString::number(learner) + "," +
                            QString::number(year) + "," + values + ")");
    }
};

// ---- the header and gBarriers ------------------------------------------------------

TEST_F(ActionPlanTest, PageOneShowsTheHeaderAndBuildsTheBarriers) {
    frmActionPlan page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(page.windowTitle(),
              "RER [Section 4 : ACTION PLAN FOR ADDITIONAL SUPPORT PROVISION AND MONITORING]");
    EXPECT_EQ(page.txtCurrentYear->text(), "2026");
    EXPECT_TRUE(page.lblLearner->isHidden());
    EXPECT_FALSE(page.txtCurrentYear->isHidden());
    EXPECT_EQ(page.cmdPrevious, nullptr);
    ASSERT_NE(page.cmdNext, nullptr);
    EXPECT_EQ(page.cmdNext->text(), "Next");
    EXPECT_EQ(page.cmdPrint->objectName(), "cmdPrintPage");

    const Grid* s = page.gridSignature;
    EXPECT_EQ(s->GetText(1, 1), "Name of School:");
    EXPECT_EQ(s->GetText(2, 1), "Kliprivier Combined School");
    EXPECT_EQ(s->GetText(3, 1), "Emis No:");
    EXPECT_EQ(s->GetText(4, 1), "700123456");
    EXPECT_EQ(s->GetText(1, 2), "Name of Learner:");
    EXPECT_EQ(s->GetText(2, 2), "O'NEILL Lerato");
    EXPECT_EQ(s->GetText(3, 2), "Date of Birth:");
    EXPECT_EQ(s->GetText(4, 2), "08/06/2009");
    EXPECT_EQ(s->GetText(1, 3), "Barriers or concern:");
    EXPECT_EQ(s->columnSpan(2, 1), 3); // the barriers span columns 2 to 4
    EXPECT_EQ(s->cellBackColor(1, 1), vbLabelGrey);
    EXPECT_EQ(s->cellBackColor(2, 1), vbWhite);
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 3; ++r)
            EXPECT_TRUE(s->cellLocked(c, r)) << c << "," << r;
    // Learner 2: primary Autism; the additional disability 0 is no disability.
    EXPECT_EQ(gBarriers, "Autism Spectrum Disorder");
    EXPECT_EQ(s->GetText(2, 3), "Autism Spectrum Disorder");
    EXPECT_FALSE(page.isUnsaved());
}

TEST_F(ActionPlanTest, BarriersAreThePrimaryThenTheAdditionalDisabilities) {
    rawExec(dbPath, "INSERT INTO MultipleDisabilities (LearnerID, DisabilityID, Knumber, "
                    "Testdate) VALUES (12, 4, 'K1012', '2024-01-01')");
    const struct {
        int learner;
        QString additional; // as loadDis joins them ("" for none)
        QString barriers;
    } cases[] = {
        {8, frmBackgroundInfo::loadDis(8), "Hard of Hearing, " + frmBackgroundInfo::loadDis(8)},
        {4, "Specific Learning Disability", "Blind, Specific Learning Disability"},
        {3, "", "Behaviour Disorder"}, // primary alone
        {6, "", ""},                   // neither
        {12, "Blind", ", Blind"},      // additional without primary
        {999, "", ""},                 // no such learner: nothing is built
    };
    EXPECT_EQ(frmBackgroundInfo::loadDis(8).count(", "), 2);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.learner);
        gLearnerID = c.learner;
        EXPECT_EQ(frmBackgroundInfo::loadDis(c.learner), c.additional);
        frmActionPlan page;
        ASSERT_TRUE(showPage(page));
        EXPECT_EQ(gBarriers, c.barriers);
        EXPECT_EQ(page.gridSignature->GetText(2, 3), c.barriers);
        // Pages 2 and 3 show the text page 1 built.
        frmActionPlan2 two;
        ASSERT_TRUE(showPage(two));
        EXPECT_EQ(two.gridSignature->GetText(2, 3), c.barriers);
        frmActionPlan3 three;
        ASSERT_TRUE(showPage(three));
        EXPECT_EQ(three.gridSignature->GetText(2, 3), c.barriers);
        EXPECT_EQ(three.gridSignature->GetText(4, 2), "08/06/2009");
    }
    EXPECT_TRUE(errorProcedures().isEmpty());
}

TEST_F(ActionPlanTest, BirthDatePartsAreTakenAsTheyStand) {
    EXPECT_EQ(ActionPlanPage::birthDateText("20090608"), "08/06/2009");
    EXPECT_EQ(ActionPlanPage::birthDateText("2009-6-8"), "-8/-6/2009");
    EXPECT_EQ(ActionPlanPage::birthDateText(""), "//");
}

// ---- page 1 --------------------------------------------------------------------------

TEST_F(ActionPlanTest, PageOneWithoutReviewRowShowsNoAndSavesThenUpdatesOneRow) {
    frmActionPlan page;
    ASSERT_TRUE(showPage(page));
    const Grid* g = page.gridReview;
    EXPECT_EQ(ticks(g, 2, 4, 5), "01");
    EXPECT_EQ(ticks(g, 3, 4, 5), "01");
    EXPECT_EQ(g->GetText(2, 4), "");
    EXPECT_EQ(g->GetText(1, 6), "");
    EXPECT_EQ(g->GetText(1, 8), "");
    EXPECT_EQ(g->GetText(1, 2).left(11), "1.1 COORDIN");
    EXPECT_EQ(g->GetText(1, 9), "");
    EXPECT_FALSE(g->cellLocked(2, 4));
    EXPECT_EQ(g->cellBackColor(2, 4), vbWhite);
    EXPECT_TRUE(g->cellLocked(1, 5));

    user::click(page.cmdSave);
    EXPECT_EQ(shown(), QStringList{kSaved});
    EXPECT_EQ(reviewRows(), QStringList{"0|0| | | |NULL|NULL|NULL|NULL"});

    user::typeIntoCell(page.gridReview, 1, 6, "Amended: O'Brien's plan");
    EXPECT_TRUE(page.isUnsaved());
    user::tickCell(page.gridReview, 4, 2, true);
    user::click(page.cmdSave);
    EXPECT_FALSE(page.isUnsaved());
    EXPECT_EQ(reviewRows(), QStringList{"1|0| |Amended: O'Brien's plan| |NULL|NULL|NULL|NULL"});

    frmActionPlan again;
    ASSERT_TRUE(showPage(again));
    EXPECT_EQ(again.gridReview->GetText(1, 6), "Amended: O'Brien's plan");
    EXPECT_EQ(ticks(again.gridReview, 2, 4, 5), "10");
    EXPECT_TRUE(connectionClosed());
}

TEST_F(ActionPlanTest, PageOneReadsTheStoredYesNoValues) {
    const struct {
        const char* stored;
        const char* boxes;
    } cases[] = {{"1", "10"}, {"-1", "10"}, {"0", "01"}, {"NULL", "01"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        rawExec(dbPath, "DELETE FROM TAV_DBST_Review_ILST_Request");
        insertReview("ISLT_Coord_Educ_Req_Made, Parent_Accept_Recom, Parent_Reason",
                     QString("%1, %1, 'reason'").arg(c.stored));
        frmActionPlan page;
        ASSERT_TRUE(showPage(page));
        EXPECT_EQ(ticks(page.gridReview, 2, 4, 5), c.boxes);
        EXPECT_EQ(ticks(page.gridReview, 3, 4, 5), c.boxes);
        EXPECT_EQ(page.gridReview->GetText(2, 4), "reason");
        EXPECT_FALSE(page.gridReview->cellLocked(2, 4)); // the load leaves the reason open
    }
    // Another year's row is not this year's.
    rawExec(dbPath, "DELETE FROM TAV_DBST_Review_ILST_Request");
    insertReview("Parent_Accept_Recom, Parent_Reason", "1, 'last year'", 2, 2025);
    frmActionPlan page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(ticks(page.gridReview, 3, 4, 5), "01");
    EXPECT_EQ(page.gridReview->GetText(2, 4), "");
}

TEST_F(ActionPlanTest, PageOneTicksKeepTheItemsExclusiveAndTheNoOfItemTwoGuardsTheReason) {
    frmActionPlan page;
    ASSERT_TRUE(showPage(page));
    Grid* g = page.gridReview;
    user::tickCell(g, 4, 2, true);
    EXPECT_EQ(ticks(g, 2, 4, 5), "10");
    EXPECT_TRUE(page.isUnsaved()); // a tick is an edit
    user::tickCell(g, 5, 2, true);
    EXPECT_EQ(ticks(g, 2, 4, 5), "01");
    user::tickCell(g, 5, 2, false);
    EXPECT_EQ(ticks(g, 2, 4, 5), "00");
    EXPECT_EQ(ticks(g, 3, 4, 5), "01") << "the other item keeps its boxes";

    // Clearing "No" of 1.2 empties the reason and greys and locks it.
    user::typeIntoCell(g, 2, 4, "The parent wants another opinion");
    user::tickCell(g, 5, 3, false);
    EXPECT_EQ(ticks(g, 3, 4, 5), "00");
    EXPECT_EQ(g->GetText(2, 4), "");
    for (int c = 2; c <= 5; ++c) {
        EXPECT_TRUE(g->cellLocked(c, 4)) << c;
        EXPECT_EQ(g->cellBackColor(c, 4), vbLabelGrey) << c;
        EXPECT_EQ(g->cellForeColor(c, 4), vbBlack) << c;
    }
    EXPECT_TRUE(g->cellLocked(1, 4)); // the label is no part of it
    // Ticking it again opens the reason.
    user::tickCell(g, 5, 3, true);
    EXPECT_FALSE(g->cellLocked(2, 4));
    EXPECT_EQ(g->cellBackColor(2, 4), vbWhite);
    user::typeIntoCell(g, 2, 4, "Kept");
    // "Yes" of 1.2 clears "No" without locking or emptying the reason.
    user::tickCell(g, 4, 3, true);
    EXPECT_EQ(ticks(g, 3, 4, 5), "10");
    EXPECT_EQ(g->GetText(2, 4), "Kept");
    EXPECT_FALSE(g->cellLocked(2, 4));

    // Both boxes of 1.1 clear: saved as 0, shown as "No" on reopening.
    user::click(page.cmdSave);
    EXPECT_EQ(reviewRows(), QStringList{"0|1|Kept| | |NULL|NULL|NULL|NULL"});
    frmActionPlan again;
    ASSERT_TRUE(showPage(again));
    EXPECT_EQ(ticks(again.gridReview, 2, 4, 5), "01");
    EXPECT_EQ(ticks(again.gridReview, 3, 4, 5), "10");
}

TEST_F(ActionPlanTest, EachPageWritesOnlyItsOwnColumnsOfTheSharedRow) {
    // Page 3 saves first: it creates the row.
    frmActionPlan3 three;
    ASSERT_TRUE(showPage(three));
    user::typeIntoCell(three.gridSupportLevel, 1, 3, "Approved");
    user::tickCell(three.gridSupportLevel, 3, 5, true);
    user::typeIntoCell(three.gridSupportLevel, 1, 7, "Happy");
    user::click(three.cmdSave);
    EXPECT_EQ(reviewRows(), QStringList{"NULL|NULL|NULL|NULL|NULL|NULL|Approved|1|Happy"});

    frmActionPlan one;
    ASSERT_TRUE(showPage(one));
    user::typeIntoCell(one.gridReview, 2, 4, "r");
    user::typeIntoCell(one.gridReview, 1, 8, "n");
    user::tickCell(one.gridReview, 4, 3, true);
    user::click(one.cmdSave);
    EXPECT_EQ(reviewRows(), QStringList{"0|1|r| |n|NULL|Approved|1|Happy"});

    frmActionPlan2 two;
    ASSERT_TRUE(showPage(two));
    user::tickCell(two.gridDBST_Support_Level, 4, 1, true);
    user::click(two.cmdSave);
    EXPECT_EQ(reviewRows(), QStringList{"0|1|r| |n|2|Approved|1|Happy"});

    frmActionPlan3 threeAgain;
    ASSERT_TRUE(showPage(threeAgain));
    EXPECT_EQ(ticks(threeAgain.gridSupportLevel, 5, 3, 4), "10");
    user::tickCell(threeAgain.gridSupportLevel, 4, 5, true);
    user::click(threeAgain.cmdSave);
    EXPECT_EQ(reviewRows(), QStringList{"0|1|r| |n|2|Approved|0|Happy"});
    EXPECT_EQ(shown(), QStringList({kSaved, kSaved, kSaved, kSaved}));
    EXPECT_EQ(rawScalar(dbPath, "SELECT COUNT(*) FROM TAV_DBST_Review_ILST_Request"), "1");
}

TEST_F(ActionPlanTest, PageOneFailuresAreReportedAndNothingIsConfirmed) {
    rawExec(dbPath, "ALTER TABLE TAV_DBST_Review_ILST_Request RENAME TO Gone");
    frmActionPlan page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(errorProcedures(), QStringList{"getActionPlan Routine"});
    EXPECT_EQ(boxes().first().text.section("Location: ", 1).section('\n', 0, 0).trimmed(),
              "frmActionPlan");
    EXPECT_EQ(gBarriers, "");
    EXPECT_TRUE(connectionClosed());
    boxes().clear();
    user::click(page.cmdSave); // refused after the failed load
    EXPECT_FALSE(shown().contains(kSaved));
    rawExec(dbPath, "ALTER TABLE Gone RENAME TO TAV_DBST_Review_ILST_Request");

    // A save that fails rolls back and is not confirmed.
    frmActionPlan loaded;
    ASSERT_TRUE(showPage(loaded));
    user::typeIntoCell(loaded.gridReview, 1, 6, "new");
    rawExec(dbPath, "CREATE TRIGGER NoInsert BEFORE INSERT ON TAV_DBST_Review_ILST_Request "
                    "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    boxes().clear();
    user::click(loaded.cmdSave);
    EXPECT_EQ(errorProcedures(), QStringList{"saveActionPlan Routine"});
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_TRUE(loaded.isUnsaved());
    EXPECT_TRUE(reviewRows().isEmpty());
    EXPECT_TRUE(connectionClosed());
}

TEST_F(ActionPlanTest, PagesTwoAndThreeReportEachFailedLoadAndRefuseToSave) {
    const struct {
        int page;
        const char* table;
        const char* procedure;
    } cases[] = {
        {2, "TAV_DBST_Support_Strategy", "getSupportStrategy Routine"},
        {2, "TAV_DBST_Review_ILST_Request", "getSupportLevel Routine"},
        {3, "TAV_DBST_Review_ILST_Request", "getSupportLevel Routine"},
        {3, "TAV_Action_Review", "getActionReview Routine"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.procedure);
        boxes().clear();
        rawExec(dbPath, QString("ALTER TABLE %1 RENAME TO Gone").arg(c.table));
        std::unique_ptr<ActionPlanPage> page;
        if (c.page == 2)
            page = std::make_unique<frmActionPlan2>();
        else
            page = std::make_unique<frmActionPlan3>();
        ASSERT_TRUE(showPage(*page));
        EXPECT_EQ(errorProcedures(), QStringList{c.procedure});
        EXPECT_TRUE(boxes().first().text.contains("frmActionPlan" + QString::number(c.page)));
        EXPECT_TRUE(connectionClosed());
        user::click(page->cmdSave);
        EXPECT_FALSE(shown().contains(kSaved));
        rawExec(dbPath, QString("ALTER TABLE Gone RENAME TO %1").arg(c.table));
    }
    EXPECT_TRUE(reviewRows().isEmpty());
}

// ---- page 2 --------------------------------------------------------------------------

TEST_F(ActionPlanTest, PageTwoGridsAsDesigned) {
    frmActionPlan2 page;
    ASSERT_TRUE(showPage(page));
    const Grid* s = page.gridStrategy;
    EXPECT_EQ(s->MaxCols(), 7);
    EXPECT_EQ(s->MaxRows(), 40);
    const struct {
        int row;
        const char* heading;
    } areas[] = {{4, "Specialised staff e.g Learning Support Educator, counsellor"},
                 {10, "Assistive devices e.g wheelchair, FM radio system"},
                 {16, "Curriculum differentiation e.g access to therapy programmes"},
                 {22, "Training e.g educators need info on ADHD and implications for classroom "
                      "management"},
                 {28, "Environmental access e.g ramps, support rails"},
                 {34, "Social support e.g grants, nutrition "}};
    for (const auto& a : areas) {
        EXPECT_EQ(s->GetText(1, a.row), a.heading);
        EXPECT_TRUE(s->cellLocked(1, a.row));
        EXPECT_EQ(s->columnSpan(a.row - 1, 0), 7);
    }
    EXPECT_EQ(s->GetText(2, 2), "Support Level\r\nL,M,H");
    EXPECT_EQ(s->GetText(4, 3), "LEARNER LEVEL");
    EXPECT_EQ(s->rowSpan(1, 4), 2); // Person responsible spans rows 2 and 3
    for (int line = 1; line <= 30; ++line) {
        const int r = frmActionPlan2::lineRow(line);
        EXPECT_FALSE(s->cellLocked(1, r)) << line;
        EXPECT_EQ(s->cellFormat(2, r).maxLength, 1);
        EXPECT_EQ(s->cellFormat(5, r).maxLength, 60);
    }
    EXPECT_EQ(frmActionPlan2::lineRow(1), 5);
    EXPECT_EQ(frmActionPlan2::lineRow(7), 12);
    EXPECT_EQ(frmActionPlan2::lineRow(30), 39);
    const Grid* l = page.gridDBST_Support_Level;
    EXPECT_EQ(l->cellFormat(3, 1).caption, "Completely");
    EXPECT_EQ(l->cellFormat(4, 1).caption, "Partially");
    EXPECT_EQ(l->cellFormat(5, 1).caption, "Alternate site");
    EXPECT_EQ(ticks(l, 1, 3, 5), "000");
    EXPECT_EQ(l->GetText(1, 2), "Date:  ");
    EXPECT_EQ(page.cmdNext->text(), "Next");
    EXPECT_EQ(page.cmdPrevious->text(), "Previous");
}

TEST_F(ActionPlanTest, PageTwoColumnHeadingsShowWhole) {
    frmActionPlan2 page;
    ASSERT_TRUE(showPage(page));
    const Grid* s = page.gridStrategy;
    QFont bold = s->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    for (int c : {1, 2}) {
        SCOPED_TRACE(c);
        QString text = s->GetText(c, 2);
        text.replace("\r\n", "\n");
        const QRect needed = metrics.boundingRect(QRect(0, 0, s->columnWidth(c - 1) - 8, 10000),
                                                  Qt::TextWordWrap, text);
        EXPECT_LE(needed.height(), s->rowHeight(1));
    }
}

TEST_F(ActionPlanTest, PageTwoLinesKeepTheirNumbersAndComeBackInTheirRows) {
    frmActionPlan2 page;
    ASSERT_TRUE(showPage(page));
    EXPECT_TRUE(page.cmdSave->isEnabled());
    user::click(page.cmdSave); // no lines: none stored, the shared row gets 0
    EXPECT_EQ(rawScalar(dbPath, "SELECT COUNT(*) FROM TAV_DBST_Support_Strategy"), "0");
    EXPECT_EQ(reviewRows(), QStringList{"NULL|NULL|NULL|NULL|NULL|0|NULL|NULL|NULL"});

    Grid* s = page.gridStrategy;
    user::typeIntoCell(s, 1, 12, "FM radio"); // line 7, the second of assistive devices
    user::typeIntoCell(s, 6, 12, "Term 2");
    user::typeIntoCell(s, 2, 39, "H");    // line 30: a support level alone
    user::typeIntoCell(s, 7, 5, "R2000"); // line 1: a budget alone
    user::typeIntoCell(s, 3, 17, "   ");  // line 11: blanks only
    user::click(page.cmdSave);
    user::click(page.cmdSave); // twice: the lines are replaced
    const QStringList stored = rawRows(
        dbPath, "SELECT Support_Area, Support_Needed, Support_Level, School_Steps, Learner_Steps, "
                "Person_Responsible, Budget, Timeframe FROM TAV_DBST_Support_Strategy "
                "WHERE LearnerID = 2 AND Data_Year = 2026 ORDER BY Support_Area");
    EXPECT_EQ(stored, QStringList({"1| | | | | | |R2000", "7|FM radio| | | | |Term 2| ",
                                   "30| |H| | | | | "}));

    frmActionPlan2 again;
    ASSERT_TRUE(showPage(again));
    EXPECT_EQ(again.gridStrategy->GetText(1, 12), "FM radio");
    EXPECT_EQ(again.gridStrategy->GetText(6, 12), "Term 2");
    EXPECT_EQ(again.gridStrategy->GetText(2, 39), "H");
    EXPECT_EQ(again.gridStrategy->GetText(7, 5), "R2000");
    EXPECT_EQ(again.gridStrategy->GetText(1, 11), "");
    EXPECT_FALSE(again.isUnsaved());
}

TEST_F(ActionPlanTest, PageTwoLoadSkipsLinesOutsideTheGrid) {
    rawExec(dbPath, "INSERT INTO TAV_DBST_Support_Strategy (LearnerID, Support_Area, "
                    "Support_Needed, Data_Year) VALUES (2, 0, 'zero', 2026), (2, 31, 'past', "
                    "2026), (2, 6, 'six', 2026), (2, 6, 'six', 2025)");
    frmActionPlan2 page;
    ASSERT_TRUE(showPage(page));
    EXPECT_TRUE(errorProcedures().isEmpty());
    EXPECT_EQ(page.gridStrategy->GetText(1, 4),
              "Specialised staff e.g Learning Support Educator, counsellor");
    EXPECT_EQ(page.gridStrategy->GetText(1, 40), "");
    EXPECT_EQ(page.gridStrategy->GetText(1, 11), "six");
}

TEST_F(ActionPlanTest, PageTwoSupportLevelTicks) {
    const struct {
        const char* stored;
        const char* boxes;
    } cases[] = {{"1", "100"}, {"2", "010"}, {"3", "001"}, {"0", "000"}, {"NULL", "000"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        rawExec(dbPath, "DELETE FROM TAV_DBST_Review_ILST_Request");
        insertReview("DBST_Support_School_Site", c.stored);
        frmActionPlan2 page;
        ASSERT_TRUE(showPage(page));
        EXPECT_EQ(ticks(page.gridDBST_Support_Level, 1, 3, 5), c.boxes);
    }
    frmActionPlan2 page;
    ASSERT_TRUE(showPage(page));
    Grid* l = page.gridDBST_Support_Level;
    user::tickCell(l, 3, 1, true);
    user::tickCell(l, 5, 1, true);
    EXPECT_EQ(ticks(l, 1, 3, 5), "001");
    user::tickCell(l, 4, 1, true); // Partially clears Completely and Alternate site
    EXPECT_EQ(ticks(l, 1, 3, 5), "010");
    EXPECT_TRUE(page.isUnsaved());
    user::click(page.cmdSave);
    EXPECT_EQ(reviewRows(), QStringList{"NULL|NULL|NULL|NULL|NULL|2|NULL|NULL|NULL"});
    user::tickCell(l, 4, 1, false); // none ticked: 0
    user::click(page.cmdSave);
    EXPECT_EQ(reviewRows(), QStringList{"NULL|NULL|NULL|NULL|NULL|0|NULL|NULL|NULL"});
    frmActionPlan2 again;
    ASSERT_TRUE(showPage(again));
    EXPECT_EQ(ticks(again.gridDBST_Support_Level, 1, 3, 5), "000");
}

TEST_F(ActionPlanTest, PageTwoFailedStrategySaveRollsBackAndTheLevelIsStoredAllTheSame) {
    rawExec(dbPath, "INSERT INTO TAV_DBST_Support_Strategy (LearnerID, Support_Area, "
                    "Support_Needed, Data_Year) VALUES (2, 3, 'earlier', 2026)");
    frmActionPlan2 page;
    ASSERT_TRUE(showPage(page));
    // Longer than Support_Needed holds (no key puts it there: the cell takes as much as the
    // column holds).
    page.gridStrategy->SetText(1, 5, QString(300, 'x'));
    user::tickCell(page.gridDBST_Support_Level, 5, 1, true);
    user::click(page.cmdSave);
    EXPECT_EQ(errorProcedures(), QStringList{"saveSupportStrategy Routine"});
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_EQ(rawRows(dbPath, "SELECT Support_Area, Support_Needed FROM TAV_DBST_Support_Strategy"),
              QStringList{"3|earlier"});
    EXPECT_EQ(reviewRows(), QStringList{"NULL|NULL|NULL|NULL|NULL|3|NULL|NULL|NULL"});
    EXPECT_TRUE(connectionClosed());
}

// ---- page 3 --------------------------------------------------------------------------

TEST_F(ActionPlanTest, PageThreeWithoutReviewRowShowsBothClearAndInsertsTheRow) {
    frmActionPlan3 page;
    ASSERT_TRUE(showPage(page));
    const Grid* g = page.gridSupportLevel;
    EXPECT_EQ(ticks(g, 5, 3, 4), "00");
    EXPECT_EQ(g->GetText(1, 3), "");
    EXPECT_EQ(g->GetText(1, 7), "");
    EXPECT_EQ(g->GetText(1, 8), "Date:" + QString(24, ' '));
    EXPECT_EQ(g->GetText(1, 4), "Date:" + QString(25, ' ') +
                                    "District Senior Manager:" + QString(49, ' ') + "Signature:");
    EXPECT_EQ(page.cmdNext, nullptr);
    EXPECT_EQ(page.cmdPrevious->text(), "Previous");
    const Grid* a = page.gridActionTaken;
    EXPECT_EQ(a->GetText(1, 1), "5. REVIEW OF ACTION TAKEN");
    EXPECT_EQ(a->GetText(5, 2), "Review Date");
    for (int r = 3; r <= 12; ++r) {
        EXPECT_TRUE(a->cellLocked(3, r)) << r; // the signature is signed by hand
        EXPECT_FALSE(a->cellLocked(1, r));
        EXPECT_EQ(a->cellFormat(1, r).maxLength, 255);
        EXPECT_EQ(a->cellFormat(4, r).maxLength, 255);
        EXPECT_EQ(a->cellFormat(2, r).maxLength, 2000);
        EXPECT_EQ(a->cellType(5, r), GridCellType::Date);
        EXPECT_EQ(a->cellFormat(5, r).dateMin, QDate(1990, 1, 1));
        EXPECT_EQ(a->cellFormat(5, r).dateMax, QDate(2100, 12, 31));
        EXPECT_FALSE(a->cellLocked(5, r));
    }

    user::click(page.cmdSave);
    EXPECT_EQ(shown(), QStringList{kSaved});
    EXPECT_EQ(reviewRows(), QStringList{"NULL|NULL|NULL|NULL|NULL|NULL| |0| "});
    EXPECT_EQ(rawScalar(dbPath, "SELECT COUNT(*) FROM TAV_Action_Review"), "0");
}

TEST_F(ActionPlanTest, PageThreeShowsTheStoredAnswerOfARowAnotherPageCreated) {
    const struct {
        const char* stored;
        const char* boxes;
    } cases[] = {{"1", "10"}, {"-1", "10"}, {"0", "01"}, {"NULL", "01"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        rawExec(dbPath, "DELETE FROM TAV_DBST_Review_ILST_Request");
        insertReview("DBST_Support_School_Site, School_Discussed_Parent",
                     QString("1, ") + c.stored);
        frmActionPlan3 page;
        ASSERT_TRUE(showPage(page));
        EXPECT_EQ(ticks(page.gridSupportLevel, 5, 3, 4), c.boxes);
    }
    frmActionPlan3 page;
    ASSERT_TRUE(showPage(page));
    Grid* g = page.gridSupportLevel;
    user::tickCell(g, 3, 5, true);
    EXPECT_EQ(ticks(g, 5, 3, 4), "10");
    user::tickCell(g, 3, 5, false);
    EXPECT_EQ(ticks(g, 5, 3, 4), "00");
    user::typeIntoCell(g, 1, 3, "Manager's note");
    user::click(page.cmdSave);
    EXPECT_EQ(reviewRows(), QStringList{"NULL|NULL|NULL|NULL|NULL|1|Manager's note|0| "});
}

TEST_F(ActionPlanTest, PageThreeReviewLinesKeepTheirRows) {
    frmActionPlan3 page;
    ASSERT_TRUE(showPage(page));
    Grid* a = page.gridActionTaken;
    user::typeIntoCell(a, 1, 7, "Ms O'Hara");
    user::typeIntoCell(a, 5, 7, "12/03/2026");
    user::typeIntoCell(a, 2, 12, "Outcome ten");
    user::typeIntoCell(a, 4, 4, "  ");
    user::click(page.cmdSave);
    user::click(page.cmdSave);
    EXPECT_EQ(rawRows(dbPath, "SELECT [Action], Name, Outcome, Designation, Review_Date FROM "
                              "TAV_Action_Review WHERE LearnerID = 2 AND Data_Year = 2026 "
                              "ORDER BY [Action]"),
              QStringList({"5|Ms O'Hara| | |12/03/2026", "10| |Outcome ten| | "}));
    frmActionPlan3 again;
    ASSERT_TRUE(showPage(again));
    EXPECT_EQ(again.gridActionTaken->GetText(1, 7), "Ms O'Hara");
    EXPECT_EQ(again.gridActionTaken->GetText(5, 7), "12/03/2026");
    EXPECT_EQ(again.gridActionTaken->GetText(2, 12), "Outcome ten");
    EXPECT_EQ(again.gridActionTaken->GetText(1, 1), "5. REVIEW OF ACTION TAKEN");
}

TEST_F(ActionPlanTest, PageThreeReviewDateTakesItsFormsAndSaysSoOfAnyOther) {
    frmActionPlan3 page;
    ASSERT_TRUE(showPage(page));
    Grid* a = page.gridActionTaken;
    user::clickCell(a, 5, 3);
    user::type("2026-03-15"); // the ISO form is taken as well as the form shown
    user::key(Qt::Key_Tab);
    EXPECT_EQ(a->GetText(5, 3), "15/03/2026");
    EXPECT_TRUE(boxes().isEmpty());

    user::clickCell(a, 5, 4);
    user::type("31/02/2026");
    user::key(Qt::Key_Tab);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes().first().title, "User Message");
    EXPECT_TRUE(boxes().first().text.contains("31/02/2026"));
    EXPECT_TRUE(boxes().first().text.contains("DD/MM/YYYY"));
    EXPECT_TRUE(boxes().first().text.contains("YYYY-MM-DD"));
    // The refused date stays in sight, in its cell's editor, to be put right.
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "31/02/2026");
    EXPECT_EQ(a->GetText(5, 4), "");
    user::key(Qt::Key_A, Qt::ControlModifier);
    user::type("11/01/2027");
    user::key(Qt::Key_Return);
    EXPECT_EQ(a->GetText(5, 4), "11/01/2027");
    EXPECT_EQ(boxes().size(), 1);
    user::click(page.cmdSave);
    EXPECT_EQ(rawRows(dbPath, "SELECT [Action], Review_Date FROM TAV_Action_Review WHERE "
                              "LearnerID = 2 AND Data_Year = 2026 ORDER BY [Action]"),
              QStringList({"1|15/03/2026", "2|11/01/2027"}));
}

TEST_F(ActionPlanTest, PageThreeFailedReviewSaveKeepsTheLinesAndStoresTheSharedRow) {
    rawExec(dbPath, "INSERT INTO TAV_Action_Review (LearnerID, [Action], Name, Data_Year) "
                    "VALUES (2, 1, 'Earlier', 2026)");
    frmActionPlan3 page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(page.gridActionTaken->GetText(1, 3), "Earlier");
    // More than Name holds (no key puts it there: the cell takes as much as the column holds).
    page.gridActionTaken->SetText(1, 4, QString(256, 'n'));
    user::typeIntoCell(page.gridSupportLevel, 1, 7, "Response");
    user::click(page.cmdSave);
    EXPECT_EQ(errorProcedures(), QStringList{"saveActionReview Routine"});
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_EQ(rawRows(dbPath, "SELECT [Action], Name FROM TAV_Action_Review"),
              QStringList{"1|Earlier"});
    EXPECT_EQ(reviewRows(), QStringList{"NULL|NULL|NULL|NULL|NULL|NULL| |0|Response"});
    EXPECT_TRUE(connectionClosed());
}

// ---- the chain and the prints -----------------------------------------------------------

TEST_F(ActionPlanTest, MainMenusSectionFourButtonWalksTheChain) {
    registerSupportForms();
    ASSERT_TRUE(isFormRegistered("frmActionPlan"));
    const QStringList script = {"next", "next", "previous", "previous", "next", "menu"};
    const QStringList visited = walkChain([] { showFormChain("frmActionPlan"); }, script);
    EXPECT_EQ(visited, (QStringList{"frmActionPlan", "frmActionPlan2", "frmActionPlan3",
                                    "frmActionPlan2", "frmActionPlan", "frmActionPlan2"}));
    EXPECT_TRUE(errorProcedures().isEmpty());

    // Unsaved edits: leaving asks first, and No keeps the page.
    frmActionPlan2 page;
    ASSERT_TRUE(showPage(page));
    user::typeIntoCell(page.gridStrategy, 1, 5, "x");
    answerAll(msgbox::vbNo);
    user::click(page.cmdPrevious);
    EXPECT_FALSE(page.isClosed());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes().first().title, "Data has NOT been Saved");
}

// A text typed, or a box ticked, in any grid of the three pages is an edit
// that leaving asks about.
TEST_F(ActionPlanTest, AnEditInAnyGridOfTheThreePagesMakesLeavingAsk) {
    using user::tickCell;
    using user::typeIntoCell;
    expectEachEditMakesLeavingAsk<frmActionPlan>(
        {[](frmActionPlan& p) { typeIntoCell(p.gridReview, 1, 6, "Typed"); },
         [](frmActionPlan& p) { tickCell(p.gridReview, 4, 3, true); }});
    expectEachEditMakesLeavingAsk<frmActionPlan2>(
        {[](frmActionPlan2& p) { typeIntoCell(p.gridStrategy, 1, 5, "Typed"); },
         [](frmActionPlan2& p) { tickCell(p.gridDBST_Support_Level, 4, 1, true); }});
    expectEachEditMakesLeavingAsk<frmActionPlan3>(
        {[](frmActionPlan3& p) { typeIntoCell(p.gridSupportLevel, 1, 3, "Typed"); },
         [](frmActionPlan3& p) { tickCell(p.gridSupportLevel, 3, 5, true); },
         [](frmActionPlan3& p) { typeIntoCell(p.gridActionTaken, 2, 4, "Typed"); },
         [](frmActionPlan3& p) { typeIntoCell(p.gridActionTaken, 5, 3, "01/02/2026"); }});
    EXPECT_TRUE(reviewRows().isEmpty());
    EXPECT_EQ(rawScalar(dbPath, "SELECT COUNT(*) FROM TAV_Action_Review"), "0");
}

TEST_F(ActionPlanTest, PrintsHoldTheHeadingAndTheGrids) {
    insertReview("Parent_Reason, Senior_Manager_Approval", "'Because', 'Signed off'");
    rawExec(dbPath, "INSERT INTO TAV_Action_Review (LearnerID, [Action], Name, Data_Year) "
                    "VALUES (2, 10, 'Reviewer Ten', 2026)");
    const QString heading = "EMIS NUMBER: 700123456 [ Section 4: ACTION PLAN FOR ADDITIONAL "
                            "SUPPORT PROVISION AND MONITORING ]"; // made to fit the sheet
    frmActionPlan one;
    ASSERT_TRUE(showPage(one));
    const QString pdf1 = clickPrint(one, "plan1.pdf");
    QString text = pdfText(pdf1);
    EXPECT_TRUE(text.contains(heading)) << text.toStdString();
    EXPECT_FALSE(text.contains("LEARNER NAME"));
    for (const char* expected :
         {"NameofSchool:", "KliprivierCombinedSchool", "08/06/2009", "AutismSpectrumDisorder",
          "1.DBSTREVIEWSILSTREQUEST", "Because", "1.4Notapproved"})
        EXPECT_TRUE(withoutSpaces(text).contains(expected)) << expected;
    EXPECT_EQ(pdfPages(pdf1), 1);
    // The header grid at top 800, the review grid below it from top 2000.
    EXPECT_LT(pdfWordBox(pdf1, "School:").top(), pdfWordBox(pdf1, "DBST").top());
    EXPECT_GE(pdfWordBox(pdf1, "DBST").top(), 2000 / 20.0 - 2);

    frmActionPlan2 two;
    ASSERT_TRUE(showPage(two));
    for (int line = 1; line <= 30; ++line)
        two.gridStrategy->SetText(1, frmActionPlan2::lineRow(line),
                                  QString("Support need number %1 ").arg(line).repeated(3));
    const QString pdf2 = clickPrint(two, "plan2.pdf");
    text = pdfText(pdf2);
    EXPECT_TRUE(text.contains(heading));
    for (const char* expected : {"Completely", "Alternatesite", "2.DBSTSUPPORTSTRATEGY",
                                 "Supportneednumber1", "Supportneednumber30", "Socialsupport"})
        EXPECT_TRUE(withoutSpaces(text).contains(expected)) << expected;
    EXPECT_GE(pdfPages(pdf2), 2); // the strategy grid goes on over further sheets
    EXPECT_LT(firstWordTop(pdf2, 2), 800 / 20.0 + 5); // from the top margin
    // The grids scaled to the sheet keep their right lines.
    EXPECT_TRUE(lineRightOf(pdf2, "700123456"));
    EXPECT_TRUE(lineRightOf(pdf2, "site"));
    EXPECT_TRUE(lineRightOf(pdf2, "Budget"));

    frmActionPlan3 three;
    ASSERT_TRUE(showPage(three));
    const QString pdf3 = clickPrint(three, "plan3.pdf");
    text = pdfText(pdf3);
    EXPECT_TRUE(text.contains(heading));
    for (const char* expected :
         {"3.APPROVALBYDISTRICTSENIORMANAGER", "Signed", "5.REVIEWOFACTIONTAKEN", "ReviewerTen"})
        EXPECT_TRUE(withoutSpaces(text).contains(expected)) << expected;
    EXPECT_EQ(pdfPages(pdf3), 1);
    const double reviewTop = pdfWordBox(pdf3, "REVIEW").top();
    EXPECT_GE(reviewTop, 5000 / 20.0 - 2);
    // The approval grid ends above the review grid: its last "Date:" too.
    const QList<double> dates = pdfWordTops(pdf3, "Date:");
    ASSERT_EQ(dates.size(), 2);
    EXPECT_LT(dates[1] + 8, reviewTop);

    EXPECT_TRUE(boxes().isEmpty());
    printdialog::setAnswerer(printdialog::cancel);
    user::click(three.cmdPrint);
    EXPECT_EQ(errorProcedures(), QStringList{"Print Routine"});
}

} // namespace
