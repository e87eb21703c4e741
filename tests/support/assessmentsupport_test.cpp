// Section 3a: the four assessment-of-support-requirements pages (levels per
// item and support area loaded and saved by each page's own GridIDs, page 1's
// learner texts, the rating key, the chain and the page print) and page 4's
// overall rating per support area.
#include "platform/adodb.h"
#include "platform/runtime.h"
#include "support/frmassessment_support_reg.h"
#include "support/supportforms.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"
#include "workspace/frmrer_main.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {

// The level cells of each page: GridID -> support areas rated.
struct PageItems {
    int page;
    QList<std::pair<int, QList<int>>> items; // GridID, areas
    int offset;                              // row = GridID - offset (page 1: mapped)
};
const PageItems kPages[] = {
    {1, {{1, {1, 2}}, {2, {1, 2, 3, 4, 5}}}, 0},
    {2,
     {{3, {1, 2, 3, 4, 5}},
      {4, {1, 3}},
      {5, {1, 2}},
      {7, {1, 2, 4}},
      {8, {1, 2, 4}},
      {10, {1, 2, 3, 4}},
      {11, {1, 2, 5}}},
     0},
    {3,
     {{12, {4}},
      {13, {2, 4}},
      {14, {1, 2, 4}},
      {16, {1, 2, 3, 4}},
      {17, {1, 2, 3, 4, 5}},
      {18, {1}},
      {19, {1, 4}},
      {20, {4}},
      {21, {1}},
      {22, {4}},
      {23, {4}},
      {24, {4}},
      {25, {1, 2, 4}},
      {26, {1, 2, 4}},
      {27, {1, 2, 4}},
      {28, {1, 2, 4}}},
     7},
    {4,
     {{29, {4}},
      {30, {4}},
      {31, {3, 4}},
      {32, {4}},
      {35, {1, 2, 3, 4, 5}},
      {36, {2, 3}},
      {37, {1}},
      {39, {1, 2, 3, 4}},
      {40, {1, 2}},
      {41, {1, 2}},
      {43, {1, 2}},
      {45, {1, 2}}},
     26},
};

int rowOf(const PageItems& p, int gridId) {
    if (p.page == 1)
        return gridId == 1 ? 4 : 6;
    return gridId - p.offset;
}

class AssessmentSupportTest : public PageTest {
protected:
    void storeLevel(int gridId, int area, const QString& level, int learner = 2, int year = 2026) {
        rawExec(dbPath, QString("INSERT INTO TAV_Assessment_Supp_Req (LearnerID, GridID, "
                                "Support_Area, [Level], Data_Year) VALUES (%1, %2, %3, '%4', %5)")
                            .arg(learner)
                            .arg(gridId)
                            .arg(area)
                            .arg(level)
                            .arg(year));
    }
    // "GridID|Support_Area|Level" of the learner-year.
    QStringList levels(int learner = 2, int year = 2026) {
        return learnerYearRows("GridID, Support_Area, [Level]", "TAV_Assessment_Supp_Req",
                               " ORDER BY GridID, Support_Area", learner, year);
    }
    // "Support_Area|Rating" of the learner-year.
    QStringList ratings(int learner = 2, int year = 2026) {
        return learnerYearRows("Support_Area, Rating", "TAV_Assessment_Supp_Req_Rating",
                               " ORDER BY Support_Area", learner, year);
    }
    QStringList learnerTexts() {
        return learnerYearRows("Disability_Descr, Psycho_Social_Support", "TAV_Learner_Supp_Needs");
    }
    static QStringList ratingRow(frmAssessment_Support_Reg& page) {
        QStringList out;
        for (int c = 2; c <= 6; ++c)
            out << page.gridAreaLevel->GetText(c, kRatingRow);
        return out;
    }
};

} // namespace

TEST_F(AssessmentSupportTest, PageOneSavesLevelsAndTextsAndShowsThemAgain) {
    {
        frmAssessment_Support_Reg page(1);
        ASSERT_TRUE(showPage(page));
        EXPECT_EQ(page.objectName(), "frmAssessment_Support_Reg1");
        EXPECT_EQ(page.windowTitle(), "RER [Section 3a: ASSESSMENT FOR SUPPORT REQUIREMENTS]");
        EXPECT_EQ(page.lblLearner->text(), "O'NEILL Lerato : Acc Number: 006");
        EXPECT_EQ(page.txtCurrentYear->text(), "2026");
        EXPECT_EQ(page.cmdPrint->objectName(), "cmdPrint");
        EXPECT_FALSE(page.isUnsaved());
        EXPECT_EQ(page.gridAreaLevel->MaxRows(), 6);
        for (int r = 2; r <= 6; ++r)
            for (int c = 2; c <= 6; ++c)
                EXPECT_EQ(page.gridAreaLevel->GetText(c, r), "") << c << "," << r;
        EXPECT_EQ(page.gridDisability->GetText(1, 2), "");
        EXPECT_EQ(page.gridSupport->GetText(1, 2), "");

        user::chooseInCell(page.gridAreaLevel, 3, 4, "Level 3");
        EXPECT_TRUE(page.isUnsaved());
        user::chooseInCell(page.gridAreaLevel, 6, 6, "N/A");
        user::typeIntoCell(page.gridDisability, 1, 2, "Learner's hearing loss");
        user::click(page.cmdSave);
        EXPECT_FALSE(page.isUnsaved());
        EXPECT_EQ(shown(), QStringList{kSaved});
        user::click(page.cmdSave);
    }
    EXPECT_EQ(levels(), (QStringList{"1|2|Level 3", "2|5|N/A"}));
    EXPECT_EQ(learnerTexts(), QStringList{"Learner's hearing loss| "});
    {
        frmAssessment_Support_Reg page(1);
        ASSERT_TRUE(showPage(page));
        EXPECT_EQ(page.gridAreaLevel->GetText(3, 4), "Level 3");
        EXPECT_EQ(page.gridAreaLevel->GetText(6, 6), "N/A");
        EXPECT_EQ(page.gridDisability->GetText(1, 2), "Learner's hearing loss");
        EXPECT_FALSE(page.isUnsaved());
        // Only the psycho-social text: the disability column holds one blank.
        user::typeIntoCell(page.gridDisability, 1, 2, "");
        user::typeIntoCell(page.gridSupport, 1, 2, "Weekly sessions");
        user::click(page.cmdSave);
        EXPECT_EQ(learnerTexts(), QStringList{" |Weekly sessions"});
        // Both empty: no row remains.
        user::typeIntoCell(page.gridSupport, 1, 2, "   ");
        user::click(page.cmdSave);
        EXPECT_TRUE(learnerTexts().isEmpty());
    }
    EXPECT_TRUE(errorProcedures().isEmpty());
}

TEST_F(AssessmentSupportTest, EachPageMapsItsRowsToItsOwnGridIdsBothWays) {
    // Every level cell of all four pages stored, for this learner-year and others.
    const auto levelOf = [](int gridId, int area) {
        return QString("Level %1").arg((gridId + area) % 5 + 1);
    };
    for (const PageItems& p : kPages) {
        for (const auto& [gridId, areas] : p.items) {
            for (int area : areas) {
                storeLevel(gridId, area, levelOf(gridId, area));
                storeLevel(gridId, area, "Level 1", 5);
                storeLevel(gridId, area, "Level 1", 2, 2025);
            }
        }
    }
    const int stored = levels().size();
    for (const PageItems& p : kPages) {
        SCOPED_TRACE(p.page);
        frmAssessment_Support_Reg page(p.page);
        ASSERT_TRUE(showPage(page));
        Grid* grid = page.gridAreaLevel;
        QSet<std::pair<int, int>> levelCells;
        for (const auto& [gridId, areas] : p.items) {
            for (int area : areas) {
                const int row = rowOf(p, gridId);
                EXPECT_EQ(grid->GetText(area + 1, row), levelOf(gridId, area)) << gridId;
                EXPECT_TRUE(page.isLevelCell(area + 1, row)) << gridId << "," << area;
                EXPECT_EQ(grid->cellFormat(area + 1, row).comboList,
                          "Level 1\tLevel 2\tLevel 3\tLevel 4\tLevel 5\tN/A");
                EXPECT_EQ(grid->cellFormat(area + 1, row).comboWidth, 150);
                EXPECT_FALSE(grid->cellFormat(area + 1, row).comboEditable);
                levelCells.insert({area + 1, row});
            }
        }
        // Every other cell is fixed: texts, headings, blocked-out cells.
        for (int r = 1; r <= grid->MaxRows(); ++r) {
            for (int c = 1; c <= 6; ++c) {
                if (levelCells.contains({c, r}))
                    continue;
                EXPECT_TRUE(grid->cellLocked(c, r)) << c << "," << r;
                if (c > 1 && r > 1 && !(p.page == 4 && r == kRatingRow)) {
                    EXPECT_EQ(grid->GetText(c, r), "") << c << "," << r;
                }
            }
        }
        EXPECT_EQ(grid->GetText(2, 1), "Specialised/additional staff");
        EXPECT_EQ(grid->GetText(6, 1), "Environmental access");

        // Every level changed to N/A and saved: only the page's rows change.
        const QStringList before = levels();
        for (const auto& cell : levelCells)
            user::chooseInCell(grid, cell.first, cell.second, "N/A");
        user::click(page.cmdSave);
        QStringList expected;
        for (const QString& row : before) {
            const int gridId = row.section('|', 0, 0).toInt();
            const bool mine = std::any_of(p.items.begin(), p.items.end(),
                                          [&](const auto& item) { return item.first == gridId; });
            expected << (mine ? row.section('|', 0, 1) + "|N/A" : row);
        }
        EXPECT_EQ(levels(), expected);
        EXPECT_EQ(levels(5).size(), stored);
        EXPECT_EQ(levels(2, 2025).size(), stored);
    }
    for (const QString& row : levels())
        EXPECT_TRUE(row.endsWith("|N/A")) << row.toStdString();
    EXPECT_TRUE(errorProcedures().isEmpty());
}

TEST_F(AssessmentSupportTest, ClearingPageTwoRemovesItsRowsOnlyAndSavingTwiceIsSavingOnce) {
    storeLevel(2, 1, "Level 2");  // page 1
    storeLevel(3, 1, "Level 4");  // page 2
    storeLevel(11, 5, "Level 1"); // page 2
    storeLevel(6, 2, "Level 3");  // page 2, a text-only row: loaded and kept as it stands
    storeLevel(12, 4, "Level 5"); // page 3
    {
        frmAssessment_Support_Reg page(2);
        ASSERT_TRUE(showPage(page));
        EXPECT_EQ(page.gridAreaLevel->GetText(3, 6), "Level 3");
        user::click(page.cmdSave);
        EXPECT_EQ(levels(), (QStringList{"2|1|Level 2", "3|1|Level 4", "6|2|Level 3",
                                         "11|5|Level 1", "12|4|Level 5"}));
        // Every cell of the page emptied, the text-only row's too (which no
        // key reaches).
        for (int r = 3; r <= 11; ++r)
            for (int c = 2; c <= 6; ++c)
                page.gridAreaLevel->SetText(c, r, "");
        user::click(page.cmdSave);
    }
    EXPECT_EQ(levels(), (QStringList{"2|1|Level 2", "12|4|Level 5"}));

    frmAssessment_Support_Reg three(3);
    ASSERT_TRUE(showPage(three));
    user::chooseInCell(three.gridAreaLevel, 2, 21, "Level 2");
    user::click(three.cmdSave);
    const QStringList once = levels();
    user::click(three.cmdSave);
    EXPECT_EQ(levels(), once);
    EXPECT_EQ(once, (QStringList{"2|1|Level 2", "12|4|Level 5", "28|1|Level 2"}));
}

TEST_F(AssessmentSupportTest, TextsWithQuotesAreStoredIntactAndBadLevelsComeBackUntouched) {
    // A stored level of another area number than 1 to 5 leaves the item texts alone.
    storeLevel(3, 0, "Level 2");
    frmAssessment_Support_Reg two(2);
    ASSERT_TRUE(showPage(two));
    EXPECT_TRUE(two.gridAreaLevel->GetText(1, 3).startsWith("a. Assessment of learner's"));
    // A level that is no list entry, with a quote, cannot break the statement
    // (no key puts it there: the list takes its own items only).
    two.gridAreaLevel->SetText(2, 4, "it's");
    user::click(two.cmdSave);
    EXPECT_TRUE(errorProcedures().isEmpty());
    EXPECT_EQ(levels(), QStringList{"4|1|it's"});

    frmAssessment_Support_Reg one(1);
    ASSERT_TRUE(showPage(one));
    user::typeIntoCell(one.gridDisability, 1, 2, "Can't see the board; 'low vision'");
    user::click(one.cmdSave);
    EXPECT_EQ(learnerTexts(), QStringList{"Can't see the board; 'low vision'| "});
    EXPECT_EQ(one.gridDisability->cellFormat(1, 2).maxLength, 255);
}

TEST_F(AssessmentSupportTest, FailedSavesRollBackAndAreNotConfirmed) {
    storeLevel(1, 1, "Level 1");
    rawExec(dbPath, "INSERT INTO TAV_Learner_Supp_Needs (LearnerID, Disability_Descr, "
                    "Psycho_Social_Support, Data_Year) VALUES (2, 'old', 'old', 2026)");
    frmAssessment_Support_Reg page(1);
    ASSERT_TRUE(showPage(page));
    user::chooseInCell(page.gridAreaLevel, 2, 6, "Level 4");
    user::typeIntoCell(page.gridDisability, 1, 2, "new");
    rawExec(dbPath, "CREATE TRIGGER no_levels BEFORE INSERT ON TAV_Assessment_Supp_Req "
                    "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    user::click(page.cmdSave);
    // The texts' transaction was committed before the levels' failed.
    EXPECT_EQ(learnerTexts(), QStringList{"new|old"});
    EXPECT_EQ(levels(), QStringList{"1|1|Level 1"});
    EXPECT_EQ(errorProcedures(), QStringList{"saveAreaLevels Routine"});
    EXPECT_TRUE(boxes().first().text.contains("Location: frmAssessment_Support_Reg1"));
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_TRUE(connectionClosed());

    // A failed load reports its routine and refuses the save for that opening.
    boxes().clear();
    rawExec(dbPath, "DROP TABLE TAV_Learner_Supp_Needs");
    frmAssessment_Support_Reg again(1);
    ASSERT_TRUE(showPage(again));
    EXPECT_EQ(errorProcedures(), QStringList{"getLearnerInfo Routine"});
    EXPECT_EQ(again.gridAreaLevel->GetText(2, 4), "Level 1");
    EXPECT_TRUE(again.loadFailed());
    EXPECT_TRUE(connectionClosed());
}

TEST_F(AssessmentSupportTest, PageFourRatesEveryAreaFromTheLevelsOfAllFourPages) {
    storeLevel(1, 1, "Level 2");  // page 1
    storeLevel(17, 1, "Level 3"); // page 3: area 1 is (2 + 3) / 2 = 2.5, so 2
    storeLevel(3, 2, "Level 3");  // page 2
    storeLevel(36, 2, "Level 4"); // page 4: area 2 is 3.5, so 4
    storeLevel(31, 3, "Level 4"); // area 3 is 4
    storeLevel(2, 4, "N/A");      // area 4 only N/A: no rating
    storeLevel(29, 4, "N/A");
    storeLevel(35, 5, "Level 1"); // area 5: 1, 2, 2 give 2
    storeLevel(17, 5, "Level 2");
    storeLevel(11, 5, "Level 2");
    storeLevel(35, 1, "Level 5", 5);       // another learner
    storeLevel(35, 4, "Level 5", 2, 2025); // another year
    rawExec(dbPath, "INSERT INTO TAV_Assessment_Supp_Req_Rating (LearnerID, Support_Area, Rating, "
                    "Data_Year) VALUES (2, 4, 3, 2026), (5, 1, 5, 2026)");
    frmAssessment_Support_Reg page(4);
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(ratingRow(page), (QStringList{"2", "4", "4", "", "2"}));
    EXPECT_FALSE(page.isUnsaved());
    for (int c = 2; c <= 6; ++c)
        EXPECT_TRUE(page.gridAreaLevel->cellLocked(c, kRatingRow));
    EXPECT_TRUE(page.gridAreaLevel->GetText(1, 20).startsWith("Overall Ratings:"));
    user::click(page.cmdSave);
    EXPECT_EQ(shown(), QStringList{kSaved});
    EXPECT_EQ(ratings(), (QStringList{"1|2", "2|4", "3|4", "5|2"}));
    EXPECT_EQ(ratings(5), QStringList{"1|5"});

    // A level changed on page 2 counts only once page 4 is saved again.
    {
        frmAssessment_Support_Reg two(2);
        ASSERT_TRUE(showPage(two));
        user::chooseInCell(two.gridAreaLevel, 3, 3, "Level 1");
        user::click(two.cmdSave);
    }
    EXPECT_EQ(ratings(), (QStringList{"1|2", "2|4", "3|4", "5|2"}));
    user::click(page.cmdSave);
    EXPECT_EQ(ratingRow(page), (QStringList{"2", "2", "4", "", "2"})); // (1 + 4) / 2 to the even 2
    EXPECT_EQ(ratings(), (QStringList{"1|2", "2|2", "3|4", "5|2"}));
    EXPECT_TRUE(errorProcedures().isEmpty());
}

TEST_F(AssessmentSupportTest, AreasWithoutCountedLevelsHaveNoRating) {
    // No levels at all: row 21 blank; the save deletes the learner-year's ratings.
    rawExec(dbPath, "INSERT INTO TAV_Assessment_Supp_Req_Rating (LearnerID, Support_Area, Rating, "
                    "Data_Year) VALUES (2, 1, 3, 2026), (2, 1, 3, 2025)");
    {
        frmAssessment_Support_Reg page(4);
        ASSERT_TRUE(showPage(page));
        EXPECT_EQ(ratingRow(page), (QStringList{"", "", "", "", ""}));
        user::click(page.cmdSave);
        EXPECT_TRUE(ratings().isEmpty());
        EXPECT_EQ(ratings(2, 2025), QStringList{"1|3"});
    }
    // An area whose only levels are on page 4, changed there to N/A and saved,
    // is left without a rating, on the page and in the table alike.
    storeLevel(40, 1, "Level 4");
    storeLevel(40, 2, "Level 3");
    frmAssessment_Support_Reg page(4);
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(ratingRow(page), (QStringList{"4", "3", "", "", ""}));
    user::click(page.cmdSave);
    EXPECT_EQ(ratings(), (QStringList{"1|4", "2|3"}));
    user::chooseInCell(page.gridAreaLevel, 2, 14, "N/A");
    user::click(page.cmdSave);
    EXPECT_EQ(ratingRow(page), (QStringList{"", "3", "", "", ""}));
    EXPECT_EQ(ratings(), QStringList{"2|3"});

    // The save stores the whole numbers row 21 holds; 0 and texts that do not
    // start with a number store nothing.
    const QStringList cells = {"0", "abc", " 2", "3x", "2.5"};
    for (int c = 2; c <= 6; ++c)
        page.gridAreaLevel->SetText(c, kRatingRow, cells[c - 2]);
    EXPECT_TRUE(page.saveFinalRating());
    EXPECT_EQ(ratings(), (QStringList{"3|2", "4|3", "5|2"}));
    EXPECT_EQ(rawScalar(dbPath, "SELECT DISTINCT typeof(Rating) FROM "
                                "TAV_Assessment_Supp_Req_Rating"),
              "integer");
}

TEST_F(AssessmentSupportTest, RatingFailuresKeepTheStoredRatings) {
    storeLevel(29, 4, "Level 3");
    rawExec(dbPath, "INSERT INTO TAV_Assessment_Supp_Req_Rating (LearnerID, Support_Area, Rating, "
                    "Data_Year) VALUES (2, 4, 1, 2026)");
    frmAssessment_Support_Reg page(4);
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(ratingRow(page), (QStringList{"", "", "", "3", ""}));
    rawExec(dbPath, "CREATE TRIGGER no_ratings BEFORE INSERT ON TAV_Assessment_Supp_Req_Rating "
                    "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    user::click(page.cmdSave);
    EXPECT_EQ(errorProcedures(), QStringList{"saveFinalRating Routine"});
    EXPECT_TRUE(boxes().first().text.contains("Location: frmAssessment_Support_Reg4"));
    EXPECT_EQ(ratings(), QStringList{"4|1"}); // rolled back
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_TRUE(connectionClosed());

    // Without the levels' table neither the levels nor the ratings load.
    boxes().clear();
    rawExec(dbPath, "DROP TABLE TAV_Assessment_Supp_Req");
    frmAssessment_Support_Reg broken(4);
    ASSERT_TRUE(showPage(broken));
    EXPECT_EQ(errorProcedures(), (QStringList{"getAreaLevels Routine", "getFinalRating Routine"}));
    EXPECT_EQ(ratingRow(broken), (QStringList{"", "", "", "", ""}));
    EXPECT_TRUE(broken.loadFailed());
    EXPECT_TRUE(connectionClosed());
}

TEST_F(AssessmentSupportTest, RatingKeyShowsAndHidesWithoutMarkingThePage) {
    frmAssessment_Support_Reg page(3);
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(page.fraRatingKey->title(), "To complete this section use the following rating KEY");
    EXPECT_TRUE(page.fraRatingKey->isHidden());
    EXPECT_EQ(page.cmdShowKEY->text(), "Show rating KEY >>");
    EXPECT_EQ(page.vaSpread2->GetText(1, 3), "Level 3");
    EXPECT_EQ(page.vaSpread2->GetText(2, 5), "Very High");
    EXPECT_TRUE(page.vaSpread2->GetText(3, 1).startsWith(
        "Low frequency intervention by ILST, specialist staff, DBST consultation - once per "
        "annum"));
    user::click(page.cmdShowKEY);
    EXPECT_FALSE(page.fraRatingKey->isHidden());
    EXPECT_EQ(page.cmdShowKEY->text(), " Hide rating KEY <<");
    EXPECT_EQ(page.fraRatingKey->size(), QSize(twips(8895), twips(4500)));
    user::click(page.cmdShowKEY);
    EXPECT_TRUE(page.fraRatingKey->isHidden());
    EXPECT_EQ(page.cmdShowKEY->text(), " Show rating KEY >>");
    EXPECT_FALSE(page.isUnsaved());
}

// The key shows below its button and above the level grid on every page: the
// button stays where the user can click it again, and the level cells stay
// in sight beside the key that explains them.
TEST_F(AssessmentSupportTest, TheRatingKeyCoversNeitherItsButtonNorTheLevelCells) {
    for (int p = 1; p <= kSupportPages; ++p) {
        SCOPED_TRACE(p);
        frmAssessment_Support_Reg page(p);
        ASSERT_TRUE(showPage(page));
        const QSize designed = page.size();
        const auto inPage = [&page](const QWidget* w, QRect r) {
            return QRect(w->mapTo(&page, r.topLeft()), r.size());
        };
        // What the user's click on the button lands on.
        const auto clickButton = [&] {
            const QPoint at = page.cmdShowKEY->mapTo(&page, page.cmdShowKEY->rect().center());
            QWidget* hit = page.childAt(at);
            ASSERT_EQ(hit, page.cmdShowKEY) << "the button is covered";
            QTest::mouseClick(hit, Qt::LeftButton, Qt::NoModifier, hit->rect().center());
            QApplication::processEvents();
        };

        clickButton();
        ASSERT_TRUE(page.fraRatingKey->isVisible());
        EXPECT_EQ(page.cmdShowKEY->text(), " Hide rating KEY <<");
        const QRect key = inPage(page.fraRatingKey, page.fraRatingKey->rect());
        Grid* grid = page.gridAreaLevel;
        const QRect cells = inPage(grid->viewport(), grid->viewport()->rect());
        EXPECT_FALSE(key.intersects(inPage(page.cmdShowKEY, page.cmdShowKEY->rect())));
        EXPECT_FALSE(key.intersects(cells));
        // The first item's level cells are in sight.
        const SupportItem& first = page.layout().items.first();
        const QRect firstCells =
            inPage(grid->viewport(),
                   grid->visualRect(grid->model()->index(first.row - 1, first.areas.first())));
        EXPECT_TRUE(cells.contains(firstCells)) << "item a is out of sight";
        EXPECT_TRUE(QRect(QPoint(0, 0), page.size()).contains(key));
        EXPECT_EQ(page.size(), designed) << "the page grew";

        clickButton();
        EXPECT_FALSE(page.fraRatingKey->isVisible());
        EXPECT_EQ(page.cmdShowKEY->text(), " Show rating KEY >>");
        EXPECT_EQ(page.size(), designed);
        EXPECT_FALSE(page.isUnsaved());
    }
}

TEST_F(AssessmentSupportTest, ChainRunsFromPageOneToPageFourAndBack) {
    registerSupportForms();
    for (int p = 1; p <= kSupportPages; ++p) {
        SCOPED_TRACE(p);
        EXPECT_TRUE(isFormRegistered(QString("frmAssessment_Support_Reg%1").arg(p)));
        frmAssessment_Support_Reg back(p);
        ASSERT_TRUE(showPage(back));
        if (p == 1) {
            EXPECT_EQ(back.cmdPrevious, nullptr);
        } else {
            ASSERT_NE(back.cmdPrevious, nullptr);
            EXPECT_EQ(back.cmdPrevious->text(), "Previous Page");
            user::click(back.cmdPrevious);
            EXPECT_EQ(back.nextForm(), QString("frmAssessment_Support_Reg%1").arg(p - 1));
        }
        frmAssessment_Support_Reg forward(p);
        ASSERT_TRUE(showPage(forward));
        if (p == kSupportPages) {
            EXPECT_EQ(forward.cmdNext, nullptr);
        } else {
            ASSERT_NE(forward.cmdNext, nullptr);
            EXPECT_EQ(forward.cmdNext->text(), "Next Page");
            user::click(forward.cmdNext);
            EXPECT_EQ(forward.nextForm(), QString("frmAssessment_Support_Reg%1").arg(p + 1));
        }
    }
    // Unsaved levels: leaving asks, and No keeps the page with its edits.
    frmAssessment_Support_Reg page(2);
    ASSERT_TRUE(showPage(page));
    user::chooseInCell(page.gridAreaLevel, 2, 3, "Level 2");
    answerAll(msgbox::vbNo);
    user::click(page.cmdNext);
    EXPECT_FALSE(page.isClosed());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes().first().title, "Data has NOT been Saved");
    EXPECT_EQ(page.gridAreaLevel->GetText(2, 3), "Level 2");

    // Page 1's learner texts are edits too.
    for (const char* name : {"gridDisability", "gridSupport"}) {
        SCOPED_TRACE(name);
        frmAssessment_Support_Reg one(1);
        ASSERT_TRUE(showPage(one));
        user::typeIntoCell(one.findChild<Grid*>(name), 1, 2, "Uses a hearing aid");
        expectLeavingAsks(one);
    }
    EXPECT_TRUE(learnerTexts().isEmpty());
}

TEST_F(AssessmentSupportTest, MainMenusSection3aButtonWalksTheChain) {
    registerSupportForms();
    const QStringList script = {"next", "next", "next", "previous", "menu"};
    const QStringList visited = walkChain(
        [] {
            frmRER_Main menu;
            ASSERT_TRUE(user::showActive(&menu));
            user::click(menu.cmdStage3);
            user::click(menu.cmdSection3a);
        },
        script);
    EXPECT_EQ(visited, (QStringList{"frmAssessment_Support_Reg1", "frmAssessment_Support_Reg2",
                                    "frmAssessment_Support_Reg3", "frmAssessment_Support_Reg4",
                                    "frmAssessment_Support_Reg3"}));
    EXPECT_TRUE(errorProcedures().isEmpty());
}

TEST_F(AssessmentSupportTest, PagePrintsHoldTheirGridsOnTheirSheets) {
    storeLevel(1, 2, "Level 3");
    storeLevel(11, 5, "Level 4");
    storeLevel(28, 4, "Level 5");
    storeLevel(45, 2, "Level 1");
    rawExec(dbPath, "INSERT INTO TAV_Learner_Supp_Needs (LearnerID, Disability_Descr, "
                    "Psycho_Social_Support, Data_Year) VALUES (2, 'Low vision', 'Counselling', "
                    "2026)");
    struct Case {
        int page;
        QStringList expected; // texts of the print, blanks removed
        QStringList absent;
    } cases[] = {
        {1,
         {"IFLEARNERHASDISABILITY-DESCRIPTION", "Lowvision", "PSYCHO-SOCIALSUPPORTNEEDED",
          "Counselling", "1.MANAGEMENTANDPLANNING", "b.ISPReviewandmonitoring", "Level3"},
         {"Assessmentofnatureandintensity", "VeryHigh"}},
        {2,
         {"Assessmentofnatureandintensityofadditionalsupportneeds", "ContactDetails",
          "2.ASSISTIVETECHNOLOGYANDMATERIALS", "g.Individualsupportintheuseofspecialised",
          "Level4"},
         {"Lowvision"}},
        {3,
         {"3.CURRICULUMDIFFERENTIATION", "m.Supportandguidelearner'sadministration", "Level5"},
         {}},
        {4, {"5.ENVIRONMENTALACCESS", "h.Teachingof", "OverallRatings:", "Level1"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        boxes().clear();
        frmAssessment_Support_Reg page(c.page);
        ASSERT_TRUE(showPage(page));
        const QString pdf = clickPrint(page, QString("support%1.pdf").arg(c.page));
        EXPECT_TRUE(boxes().isEmpty());
        const QString text = pdfText(pdf);
        EXPECT_TRUE(text.trimmed().startsWith(
            "EMIS NUMBER: 700123456 [ ASSESSMENT FOR SUPPORT REQUIREMENTS ]"))
            << text.left(200).toStdString();
        const QString compact = withoutSpaces(text);
        EXPECT_TRUE(compact.contains("LEARNERNAME:O'NEILLLeratoASSESIONNUMBER:006"));
        for (const QString& expected : c.expected)
            EXPECT_TRUE(compact.contains(expected)) << expected.toStdString();
        for (const QString& absent : c.absent)
            EXPECT_FALSE(compact.contains(absent)) << absent.toStdString();
        EXPECT_FALSE(compact.contains("HideratingKEY") || compact.contains("onceperannum"));
        if (c.page == 2) {
            EXPECT_EQ(pdfPages(pdf), 1);
        }
        for (const QString& sheet : text.split('\f', Qt::SkipEmptyParts))
            EXPECT_FALSE(sheet.trimmed().isEmpty());
    }
    printdialog::setAnswerer(printdialog::cancel);
    boxes().clear();
    frmAssessment_Support_Reg page(3);
    ASSERT_TRUE(showPage(page));
    user::click(page.cmdPrint);
    EXPECT_EQ(errorProcedures(), QStringList{"Print Routine"});
}

TEST_F(AssessmentSupportTest, TheLevelGridScaledToTheSheetKeepsItsRightLine) {
    frmAssessment_Support_Reg page(1);
    ASSERT_TRUE(showPage(page));
    const QString pdf = clickPrint(page, "rightline.pdf");
    EXPECT_TRUE(boxes().isEmpty());
    // The last column's heading and its last item's row.
    EXPECT_TRUE(lineRightOf(pdf, "Environmental"));
    EXPECT_TRUE(lineRightOf(pdf, "monitoring"));
}

TEST_F(AssessmentSupportTest, DeleteOrBackspaceClearsALevelCell) {
    storeLevel(3, 2, "Level 4");
    storeLevel(4, 1, "Level 2");
    frmAssessment_Support_Reg page(2);
    ASSERT_TRUE(showPage(page));
    Grid* grid = page.gridAreaLevel;
    // The item's text chosen with a click, its level cells with the arrows.
    user::clickCell(grid, 1, 3);
    user::key(Qt::Key_Right);
    user::key(Qt::Key_Right);
    ASSERT_EQ(grid->ActiveCol(), 3);
    user::key(Qt::Key_Delete);
    EXPECT_EQ(grid->GetText(3, 3), "");
    EXPECT_TRUE(page.isUnsaved());
    user::key(Qt::Key_Down);
    user::key(Qt::Key_Left);
    ASSERT_EQ(grid->ActiveRow(), 4);
    ASSERT_EQ(grid->ActiveCol(), 2);
    user::key(Qt::Key_Backspace);
    EXPECT_EQ(grid->GetText(2, 4), "");
    // Other cells keep their texts.
    user::clickCell(grid, 1, 3);
    user::key(Qt::Key_Delete);
    EXPECT_TRUE(grid->GetText(1, 3).startsWith("a. Assessment"));
    user::click(page.cmdSave);
    EXPECT_TRUE(levels().isEmpty());
}

TEST_F(AssessmentSupportTest, PrintedInstructionsEndAboveTheLevelGrid) {
    // The heading grid is drawn at top 800 and the level grid at top 2500:
    // the instructions have to end above the level grid's headings.
    for (int p = 2; p <= kSupportPages; ++p) {
        SCOPED_TRACE(p);
        frmAssessment_Support_Reg page(p);
        ASSERT_TRUE(showPage(page));
        const QString pdf = clickPrint(page, QString("instructions%1.pdf").arg(p));
        const QRectF lastWord = pdfWordBox(pdf, "form.");
        const QRectF levelHeading = pdfWordBox(pdf, "Areas");
        ASSERT_FALSE(lastWord.isNull());
        ASSERT_FALSE(levelHeading.isNull());
        EXPECT_LT(lastWord.bottom(), levelHeading.top());
        EXPECT_GE(levelHeading.top(), 2500 / 20.0 - 1); // still drawn from top 2500
    }
}

TEST_F(AssessmentSupportTest, ALevelIsChosenByOneClickAndClearedByDeleteOrTheBlankEntry) {
    frmAssessment_Support_Reg page(1);
    ASSERT_TRUE(showPage(page));
    Grid* grid = page.gridAreaLevel;
    // One click opens the list (row 4, HRD), with a blank entry first.
    user::clickCell(grid, 3, 4);
    auto* list = grid->viewport()->findChild<QComboBox*>();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->view()->isVisible());
    EXPECT_EQ(list->itemText(0), "");
    EXPECT_EQ(list->itemText(1), "Level 1");
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_EQ(grid->GetText(3, 4), "Level 3");
    EXPECT_TRUE(page.isUnsaved());
    user::click(page.cmdSave);
    EXPECT_EQ(levels(), QStringList{"1|2|Level 3"});

    // Delete on the chosen level cell (the item's text clicked, the arrows to
    // its level) clears it, and the page is unsaved.
    user::clickCell(grid, 1, 4);
    user::key(Qt::Key_Right);
    user::key(Qt::Key_Right);
    ASSERT_EQ(grid->ActiveCol(), 3);
    user::key(Qt::Key_Delete);
    EXPECT_EQ(grid->GetText(3, 4), "");
    EXPECT_TRUE(page.isUnsaved());
    // A paste that is no level of the list is refused whole.
    user::paste("Level 9");
    EXPECT_EQ(grid->GetText(3, 4), "");
    user::paste("n/a");
    EXPECT_EQ(grid->GetText(3, 4), "N/A");
    page.markSaved();
}

TEST_F(AssessmentSupportTest, EveryWordOfTheSupportAreaHeadingsFitsItsColumn) {
    frmAssessment_Support_Reg page(3);
    ASSERT_TRUE(showPage(page));
    Grid* grid = page.gridAreaLevel;
    QFont bold = grid->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const QStringList headings = supportAreaHeadings();
    for (int c = 2; c <= 6; ++c) {
        // The grid wraps after blanks and after "/".
        for (const QString& word :
             headings[c - 1].split(QRegularExpression("(?<=/)| "), Qt::SkipEmptyParts)) {
            SCOPED_TRACE(word.toStdString());
            EXPECT_LE(metrics.horizontalAdvance(word) + 6, grid->columnWidth(c - 1))
                << metrics.horizontalAdvance(word);
        }
    }
    // The row of the headings is tall enough for their wrapped lines.
    const int lines = 3; // "Differentiated / Curriculum & / assessment"
    EXPECT_GE(grid->rowHeight(0), lines * metrics.lineSpacing());
}
