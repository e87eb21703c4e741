// The six criteria-for-selection pages: scores per activity loaded and saved
// by each page's own rows and range, the Other row of page 6, score entry,
// the chain of neighbours and the page print.
#include "platform/adodb.h"
#include "profile/frmcriteriaselection.h"
#include "profile/profileforms.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>

namespace {

class CriteriaTest : public PageTest {
protected:
    // "Sub_Section|Score" of the learner-year, by activity.
    QStringList scores(int learner = 2, int year = 2026) {
        return learnerYearRows("Sub_Section, Score", "TAV_Criteria_For_Selection",
                               " ORDER BY Sub_Section", learner, year);
    }
    QStringList otherRows() {
        return learnerYearRows("None_Mild, Moderate, Severe, Score",
                               "TAV_Criteria_For_Selection_Other");
    }
    void storeScore(int subSection, int score, int learner = 2, int year = 2026) {
        rawExec(dbPath, QString("INSERT INTO TAV_Criteria_For_Selection (LearnerID, Sub_Section, "
                                "Score, Data_Year) VALUES (%1, %2, %3, %4)")
                            .arg(learner)
                            .arg(subSection)
                            .arg(score)
                            .arg(year));
    }
};

} // namespace

TEST_F(CriteriaTest, PageOneSavesOneRowPerScoredActivityAndLoadsThemBack) {
    {
        frmCriteriaSelection page(1);
        ASSERT_TRUE(showPage(page));
        EXPECT_FALSE(page.isUnsaved());
        EXPECT_EQ(page.objectName(), "frmCriteriaSelection1");
        EXPECT_EQ(page.windowTitle(), "RER [DP : DIAGNOSTIC PROFILE]");
        EXPECT_EQ(page.lblLearner->text(), "O'NEILL Lerato : Acc Number: 006");
        EXPECT_EQ(page.txtCurrentYear->text(), "2026");
        EXPECT_EQ(page.gridScores->ActiveCol(), 5);
        EXPECT_EQ(page.gridScores->ActiveRow(), 3);
        for (int r = 3; r <= 7; ++r)
            EXPECT_EQ(page.gridScores->GetText(5, r), "");

        user::typeIntoCell(page.gridScores, 5, 3, "2");
        EXPECT_TRUE(page.isUnsaved());
        user::typeIntoCell(page.gridScores, 5, 5, "1");
        user::typeIntoCell(page.gridScores, 5, 7, "3");
        // A 0, which no key puts there, counts as no score.
        page.gridScores->SetText(5, 4, "0");
        user::click(page.cmdSave);
        EXPECT_FALSE(page.isUnsaved());
        EXPECT_EQ(shown(), QStringList{kSaved});
        EXPECT_EQ(scores(), (QStringList{"1|2", "3|1", "5|3"}));
        EXPECT_EQ(rawScalar(dbPath, "SELECT DISTINCT typeof(Score) FROM "
                                    "TAV_Criteria_For_Selection"),
                  "integer");

        // Saving again replaces the rows; a cleared cell loses its row.
        user::typeIntoCell(page.gridScores, 5, 5, "");
        user::click(page.cmdSave);
        user::click(page.cmdSave);
        EXPECT_EQ(scores(), (QStringList{"1|2", "5|3"}));
    }
    frmCriteriaSelection again(1);
    again.Form_Load();
    EXPECT_EQ(again.gridScores->GetText(5, 3), "2");
    EXPECT_EQ(again.gridScores->GetText(5, 5), "");
    EXPECT_EQ(again.gridScores->GetText(5, 7), "3");
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM TAV_Criteria_For_Selection_Other"), "0");
}

TEST_F(CriteriaTest, EachPageMapsItsRowsToItsOwnActivitiesBothWays) {
    struct Case {
        int page;
        QList<std::pair<int, int>> rowToActivity;
    } cases[] = {
        {1, {{3, 1}, {4, 2}, {5, 3}, {6, 4}, {7, 5}}},
        {2, {{3, 6}, {4, 7}, {5, 8}, {6, 9}, {7, 10}, {8, 11}}},
        {3, {{3, 12}, {4, 13}, {5, 14}}},
        {4, {{4, 15}, {8, 16}, {9, 17}}},
        {5, {{3, 18}, {4, 19}, {5, 20}, {6, 21}}},
        {6, {{3, 22}, {4, 23}, {7, 24}, {8, 25}, {9, 26}, {10, 27}, {11, 28}}},
    };
    // Every activity stored with a score of its own: (activity mod 3) + 1.
    const auto scoreOf = [](int activity) { return activity % 3 + 1; };
    for (int a = 1; a <= 28; ++a) {
        storeScore(a, scoreOf(a));
        storeScore(a, 3, 5);       // another learner
        storeScore(a, 3, 2, 2025); // another year
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        frmCriteriaSelection page(c.page);
        ASSERT_TRUE(showPage(page));
        QList<int> scoreRows;
        for (const auto& [row, activity] : c.rowToActivity) {
            EXPECT_EQ(page.gridScores->GetText(5, row), QString::number(scoreOf(activity))) << row;
            scoreRows << row;
        }
        // Rows without an activity hold no score and take none.
        for (int row = 2; row <= page.gridScores->MaxRows(); ++row) {
            if (scoreRows.contains(row) || row == page.layout().otherRow)
                continue;
            EXPECT_EQ(page.gridScores->GetText(5, row), "") << row;
            EXPECT_TRUE(page.gridScores->cellLocked(5, row)) << row;
            EXPECT_FALSE(page.isScoreCell(5, row)) << row;
        }
        // Every score raised to 3 and saved: only the page's activities change.
        const QStringList before = scores();
        for (int row : scoreRows)
            user::typeIntoCell(page.gridScores, 5, row, "3");
        user::click(page.cmdSave);
        QStringList expected;
        for (const QString& r : before) {
            const int activity = r.section('|', 0, 0).toInt();
            const bool mine = std::any_of(c.rowToActivity.begin(), c.rowToActivity.end(),
                                          [&](const auto& p) { return p.second == activity; });
            expected << (mine ? QString("%1|3").arg(activity) : r);
        }
        EXPECT_EQ(scores(), expected);
        EXPECT_EQ(scores(5).size(), 28);
        EXPECT_EQ(scores(2, 2025).size(), 28);
    }
    EXPECT_EQ(scores().join(","), QString("1|3,2|3,3|3,4|3,5|3,6|3,7|3,8|3,9|3,10|3,11|3,12|3,13|"
                                          "3,14|3,15|3,16|3,17|3,18|3,19|3,20|3,21|3,22|3,23|3,"
                                          "24|3,25|3,26|3,27|3,28|3"));
    EXPECT_TRUE(errorProcedures().isEmpty());
}

TEST_F(CriteriaTest, PageSixKeepsTheOtherRowInItsOwnTableOnlyWithAScore) {
    {
        frmCriteriaSelection page(6);
        ASSERT_TRUE(showPage(page));
        user::typeIntoCell(page.gridScores, 2, 12, "Asthma");
        user::typeIntoCell(page.gridScores, 3, 12, "Needs an inhaler");
        user::click(page.cmdSave);
        EXPECT_TRUE(otherRows().isEmpty()); // texts without a score are not kept
    }
    {
        frmCriteriaSelection page(6);
        ASSERT_TRUE(showPage(page));
        for (int c = 2; c <= 5; ++c)
            EXPECT_EQ(page.gridScores->GetText(c, 12), "") << c;
        user::typeIntoCell(page.gridScores, 2, 12, "Learner's asthma");
        user::typeIntoCell(page.gridScores, 4, 12, "Can't run");
        user::typeIntoCell(page.gridScores, 5, 12, "2");
        user::typeIntoCell(page.gridScores, 5, 7, "1");
        user::click(page.cmdSave);
        user::click(page.cmdSave);
    }
    EXPECT_EQ(otherRows(), QStringList{"Learner's asthma| |Can't run|2"});
    EXPECT_EQ(scores(), QStringList{"24|1"}); // activity 29 never lands among the scores
    frmCriteriaSelection page(6);
    page.Form_Load();
    EXPECT_EQ(page.gridScores->GetText(2, 12), "Learner's asthma");
    EXPECT_EQ(page.gridScores->GetText(4, 12), "Can't run");
    EXPECT_EQ(page.gridScores->GetText(5, 12), "2");
    EXPECT_EQ(page.gridScores->GetText(5, 7), "1");
}

TEST_F(CriteriaTest, FailedSaveRollsBackThePagesRows) {
    storeScore(22, 1);
    rawExec(dbPath, "INSERT INTO TAV_Criteria_For_Selection_Other (LearnerID, None_Mild, "
                    "Moderate, Severe, Score, Data_Year) VALUES (2, 'a', 'b', 'c', 3, 2026)");
    frmCriteriaSelection page(6);
    ASSERT_TRUE(showPage(page));
    user::typeIntoCell(page.gridScores, 5, 3, "3");
    // The Other row's insert fails after both deletes have run.
    rawExec(dbPath, "CREATE TRIGGER no_other BEFORE INSERT ON TAV_Criteria_For_Selection_Other "
                    "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    user::click(page.cmdSave);
    EXPECT_EQ(errorProcedures(), QStringList{"saveScores Routine"});
    EXPECT_EQ(boxes().first().text.section("Location: ", 1).section('\n', 0, 0).trimmed(),
              "frmCriteriaSelection6");
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_EQ(scores(), QStringList{"22|1"});
    EXPECT_EQ(otherRows(), QStringList{"a|b|c|3"});
    EXPECT_TRUE(connectionClosed());
}

TEST_F(CriteriaTest, ScoreCellsTakeOnlyOneTwoOrThree) {
    storeScore(7, 2);
    frmCriteriaSelection page(2);
    ASSERT_TRUE(showPage(page));
    Grid* grid = page.gridScores;
    // The page opens with the focus in its highlighted score cell.
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->ActiveCol(), 5);
    EXPECT_EQ(grid->ActiveRow(), 3);

    // Keys: only 1, 2 and 3 reach a score cell.
    user::key(Qt::Key_Down); // row 4, activity 7, holding 2
    user::type("0457a-.x ");
    user::key(Qt::Key_Tab);
    EXPECT_EQ(grid->GetText(5, 4), "2");
    EXPECT_FALSE(page.isUnsaved());

    // A paste is checked whole: the cell keeps its score.
    for (const QString refused : {"5", "0", "12", "2x", "x", "-1", "2.5"}) {
        user::clickCell(grid, 5, 4);
        user::paste(refused);
        EXPECT_EQ(grid->GetText(5, 4), "2") << refused.toStdString();
    }
    EXPECT_FALSE(page.isUnsaved());
    user::paste(" 1"); // blanks around a score are dropped
    EXPECT_EQ(grid->GetText(5, 4), "1");
    EXPECT_TRUE(page.isUnsaved());

    // Delete clears a score; a score typed after a click on its cell is kept.
    user::key(Qt::Key_Delete);
    EXPECT_EQ(grid->GetText(5, 4), "");
    user::clickCell(grid, 5, 3);
    user::type("3");
    user::key(Qt::Key_Tab);
    EXPECT_EQ(grid->GetText(5, 3), "3");
    user::click(page.cmdSave);
    EXPECT_EQ(scores(), QStringList{"6|3"});

    // The free texts of page 6's Other row take any key.
    frmCriteriaSelection six(6);
    ASSERT_TRUE(showPage(six));
    EXPECT_FALSE(six.isScoreCell(2, 12));
    EXPECT_TRUE(six.isScoreCell(5, 12));
    user::clickCell(six.gridScores, 2, 12);
    user::type("x 1");
    user::key(Qt::Key_Tab);
    EXPECT_EQ(six.gridScores->GetText(2, 12), "x 1");
    user::clickCell(six.gridScores, 5, 12);
    user::type("x");
    EXPECT_EQ(six.gridScores->GetText(5, 12), "");
    six.markSaved();
    page.markSaved();
}

TEST_F(CriteriaTest, ChainRunsFromTheHealthReportThroughPagesOneToSix) {
    registerProfileForms();
    EXPECT_TRUE(isFormRegistered("frmHealthReport"));
    for (int p = 1; p <= 6; ++p) {
        SCOPED_TRACE(p);
        frmCriteriaSelection page(p);
        ASSERT_TRUE(showPage(page));
        ASSERT_NE(page.cmdPrevious, nullptr);
        EXPECT_EQ(page.cmdPrevious->text(), "Previous Page");
        EXPECT_TRUE(isFormRegistered(page.formName()));
        user::click(page.cmdPrevious);
        EXPECT_TRUE(page.isClosed());
        EXPECT_EQ(page.nextForm(), p == 1 ? QString("frmHealthReport")
                                          : QString("frmCriteriaSelection%1").arg(p - 1));
        frmCriteriaSelection forward(p);
        ASSERT_TRUE(showPage(forward));
        if (p == 6) {
            EXPECT_EQ(forward.cmdNext, nullptr);
        } else {
            ASSERT_NE(forward.cmdNext, nullptr);
            EXPECT_EQ(forward.cmdNext->text(), "Next Page");
            user::click(forward.cmdNext);
            EXPECT_EQ(forward.nextForm(), QString("frmCriteriaSelection%1").arg(p + 1));
        }
    }
    // Unsaved scores: leaving asks, and No keeps the page.
    frmCriteriaSelection page(3);
    ASSERT_TRUE(showPage(page));
    user::typeIntoCell(page.gridScores, 5, 3, "1");
    user::click(page.cmdNext);
    EXPECT_FALSE(page.isClosed());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes().first().title, "Data has NOT been Saved");
}

TEST_F(CriteriaTest, MainMenusDpButtonWalksTheWholeChain) {
    registerProfileForms();
    const QStringList script = {"next", "next",     "next",     "next", "next",
                                "next", "previous", "previous", "menu"};
    const QStringList visited = walkChain([] { showFormChain("frmHealthReport"); }, script);
    EXPECT_EQ(
        visited,
        (QStringList{"frmHealthReport", "frmCriteriaSelection1", "frmCriteriaSelection2",
                     "frmCriteriaSelection3", "frmCriteriaSelection4", "frmCriteriaSelection5",
                     "frmCriteriaSelection6", "frmCriteriaSelection5", "frmCriteriaSelection4"}));
    EXPECT_TRUE(errorProcedures().isEmpty());
}

TEST_F(CriteriaTest, PagePrintHoldsTheHeadingTheTextsAndTheScores) {
    storeScore(1, 2);
    storeScore(4, 3);
    frmCriteriaSelection page(1);
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(page.cmdPrint->objectName(), "cmdPrint");
    const QString pdf = clickPrint(page, "criteria1.pdf");
    EXPECT_TRUE(boxes().isEmpty());
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("EMIS NUMBER: 700123456")) << text.toStdString();
    EXPECT_FALSE(text.contains("LEARNER NAME"));
    const QString compact = withoutSpaces(text);
    for (const char* expected :
         {"B.CRITERIAFORSELECTION", "1=Noneormild", "3=Severe", "ACTIVITYDOMAIN", "SCORE",
          "MOBILITY", "Transfer", "Walking/wheel-chair", "Unabletomovealone"})
        EXPECT_TRUE(compact.contains(expected)) << expected;
    // The scores stand at the end of their activities' lines.
    EXPECT_TRUE(text.contains(QRegularExpression("Transfer[^\\n]*\\s2\\s*\\n")));
    EXPECT_TRUE(text.contains(QRegularExpression("Walking/wheel-chair[^\\n]*\\s3\\s*\\n")));
    EXPECT_EQ(pdfPages(pdf), 1);

    printdialog::setAnswerer(printdialog::cancel);
    user::click(page.cmdPrint);
    EXPECT_EQ(errorProcedures(), QStringList{"Print Routine"});
}

TEST_F(CriteriaTest, TheDescriptionsAreTheLookupTextsAndTheQuestionsStandInQuotes) {
    // Beside every activity stand its three limitation descriptions as the
    // lookup table holds them; only sound recognition leaves its decibel
    // figures to the Decibel loss row.
    for (int p = 1; p <= 6; ++p) {
        const CriteriaPageLayout& layout = criteriaPage(p);
        frmCriteriaSelection page(p);
        for (const CriteriaActivity& a : layout.activities) {
            SCOPED_TRACE(a.subSection);
            const QStringList lookup =
                rawRows(dbPath, QString("SELECT DescMild, DescMod, DescSevere FROM "
                                        "TAV_lu_Activity_Domain_Limit_Desc WHERE ID = %1")
                                    .arg(a.subSection));
            ASSERT_EQ(lookup.size(), 1);
            const QStringList descriptions = lookup[0].split('|');
            for (int col = 2; col <= 4; ++col) {
                if (a.subSection == 16 && col > 2)
                    continue;
                EXPECT_EQ(page.gridScores->GetText(col, a.row), descriptions[col - 2]) << col;
            }
        }
    }
    frmCriteriaSelection four(4);
    EXPECT_EQ(four.gridScores->GetText(3, 8),
              "Cannot always localise sounds or hear warnings e.g alarm ringing; traffic.");
    EXPECT_EQ(four.gridScores->GetText(4, 8),
              "Severe difficulty or complete inability to hear warning sounds.");
    EXPECT_EQ(four.gridScores->GetText(1, 4),
              "Visual acuity e.g. ability to identify objects and shapes at close range and "
              "distance; thread a needle\r\n\"Can you see well enough to recognise people and "
              "objects\"?");
    EXPECT_EQ(four.gridScores->GetText(1, 8), "Sound recognition\r\ne.g words; nature; warning "
                                              "sounds \"Can you hear any noise nearby? If so, "
                                              "what is It?\"");
    EXPECT_EQ(four.gridScores->GetText(2, 6),
              "This domain must be assessed through an auditory test + observation + asking of "
              "questions. \"How well can you hear when you are are alone, with one person, and a "
              "group\"?");
    EXPECT_EQ(four.gridScores->GetText(1, 7),
              "Decibel loss\r\n>31dB persons under the age of 15 = Moderate\r\n>41dB persons 15 "
              "years and older = Moderate\r\n>61dB at 0,5; 1; 2 and 4KHz in the better ear = "
              "Severe");
    frmCriteriaSelection three(3);
    EXPECT_EQ(three.gridScores->GetText(1, 3),
              "Understand:\r\n\"Can the child understand what other people are saying in "
              "his/her family or with friends and neighbours\" ?");
    frmCriteriaSelection six(6);
    EXPECT_EQ(six.gridScores->GetText(1, 3),
              "Problem solving\r\ne.g simple task that needs solution or explanation \"Listen to "
              "this puzzle and see if you can think of a way to solve it\".");
    EXPECT_EQ(six.gridScores->GetText(2, 6),
              "This domain needs to assessed by a medical practitioner.");
    EXPECT_EQ(six.gridScores->GetText(1, 12), "Other medical conditions");
    EXPECT_EQ(six.gridCriteria->GetText(1, 2),
              "Activity limitations:\r\n1 = None or mild\r\n2 = Moderate\r\n3 = Severe");
    EXPECT_EQ(six.gridScores->GetText(3, 1), "MODERATE\r\nimpairment / activity limitation");
}
