// The health professional report page: the areas of impairment worked out
// from the criteria scores, the medical-record row, the page print.
#include "profile/areasofimpairment.h"
#include "profile/frmhealthreport.h"
#include "profile/profileforms.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QList<DomainScore> scoresOf(std::initializer_list<std::pair<int, QVariant>> list) {
    QList<DomainScore> out;
    for (const auto& [domain, score] : list)
        out.append({domain, score});
    return out;
}

} // namespace

TEST(AreasOfImpairment, RoundsHalvesToTheEvenNeighbour) {
    struct Case {
        int sum, count, level;
    } cases[] = {
        {3, 2, 2},  // 1.5
        {5, 2, 2},  // 2.5, never 3
        {7, 2, 4},  // 3.5
        {1, 2, 0},  // 0.5
        {5, 3, 2},  // 1.67
        {8, 3, 3},  // 2.67
        {4, 3, 1},  // 1.33
        {10, 4, 2}, // 2.5
        {6, 3, 2},  {-3, 2, -2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(roundHalfEven(c.sum, c.count), c.level) << c.sum << "/" << c.count;
}

TEST(AreasOfImpairment, LevelsOfTheWorkedExamples) {
    struct Case {
        QList<int> scores;
        int level;
    } cases[] = {
        {{1, 2, 2}, 2}, {{2, 3}, 2},       {{1, 2}, 2},    {{3, 3, 2}, 3},
        {{1, 1, 3}, 2}, {{2, 3, 2, 3}, 2}, {{1, 1, 2}, 1}, {{3}, 3},
    };
    for (const Case& c : cases) {
        QList<DomainScore> scores;
        for (int s : c.scores)
            scores.append({4, s});
        const QList<AreaLevel> levels = computeAreaLevels(scores);
        ASSERT_EQ(levels.size(), 1);
        EXPECT_EQ(levels[0], (AreaLevel{4, c.level}));
    }
    EXPECT_EQ(areaLevelLabel(1), "MILD");
    EXPECT_EQ(areaLevelLabel(2), "MODERATE");
    EXPECT_EQ(areaLevelLabel(3), "SEVERE");
    EXPECT_EQ(areaLevelLabel(0), "");
    EXPECT_EQ(areaLevelLabel(4), "");
}

TEST(AreasOfImpairment, NullAndZeroScoresAreSkippedAndEmptyDomainsGetNoLevel) {
    // Domain 1: Null skipped, mean of 1 and 2 is 1.5 -> 2. Domain 2: only a
    // Null and a 0, so no level, and domain 3 after it is still computed.
    const auto levels = computeAreaLevels(
        scoresOf({{1, QVariant()}, {1, 1}, {1, 2}, {2, QVariant()}, {2, 0}, {3, 3}, {3, 3}}));
    EXPECT_EQ(levels, (QList<AreaLevel>{{1, 2}, {3, 3}}));
    EXPECT_TRUE(computeAreaLevels({}).isEmpty());
}

TEST(AreasOfImpairment, OnlyLevelsOneToThreeOfDomainsOneToEightAreGiven) {
    // A stored 0 adds nothing to the count; an out-of-range score pulls the
    // mean off the scale; domains outside 1..8 have no row on the page.
    const auto levels =
        computeAreaLevels(scoresOf({{0, 2}, {1, 9}, {5, 1}, {5, 0}, {8, 1}, {8, 3}, {9, 2}}));
    EXPECT_EQ(levels, (QList<AreaLevel>{{5, 1}, {8, 2}}));
}

namespace {

class HealthReportTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        gBirthDate = "20090608";
    }
    QStringList reportRows() {
        return learnerYearRows("Impairment_Type, Medical_Record_Viewed, "
                               "Medical_Record_Attached, Comments",
                               "TAV_Health_Professional_Report");
    }
    void storeScores(int subSection, QList<int> scores, int learner = 2) {
        for (int score : scores)
            rawExec(dbPath, QString("INSERT INTO TAV_Criteria_For_Selection (LearnerID, "
                                    "Sub_Section, Score, Data_Year) VALUES (%1, %2, %3, 2026)")
                                .arg(learner)
                                .arg(subSection)
                                .arg(score));
    }
    // The level cells of gridAreas, one text per domain row: "" or "col:LABEL".
    static QStringList levels(const frmHealthReport& page) {
        QStringList out;
        for (int row = 3; row <= 10; ++row) {
            QStringList cells;
            for (int col = 2; col <= 4; ++col) {
                const QString text = page.gridAreas->GetText(col, row);
                if (!text.isEmpty())
                    cells << QString("%1:%2").arg(col).arg(text);
            }
            out << cells.join(",");
        }
        return out;
    }
    static QStringList ticks(const frmHealthReport& page) {
        const Grid* m = page.gridMedicalRecords;
        return {m->GetText(4, 5), m->GetText(5, 5), m->GetText(4, 6), m->GetText(5, 6)};
    }
};

} // namespace

TEST_F(HealthReportTest, OpensWithTheLearnerAndNoReportRow) {
    frmHealthReport page;
    page.Form_Load();
    EXPECT_EQ(page.windowTitle(), "RER [DP : DIAGNOSTIC PROFILE]");
    EXPECT_TRUE(page.txtCurrentYear->isHidden());
    EXPECT_TRUE(page.lblLearner->isHidden());
    EXPECT_EQ(page.cmdPrevious, nullptr);
    ASSERT_NE(page.cmdNext, nullptr);
    EXPECT_EQ(page.cmdPrint->objectName(), "cmdPrint");
    const Grid* m = page.gridMedicalRecords;
    EXPECT_EQ(m->GetText(1, 1), "A. HEALTH PROFESSIONAL REPORT");
    EXPECT_EQ(m->GetText(2, 2), "O'NEILL Lerato");
    EXPECT_EQ(m->GetText(4, 2), "08/06/2009");
    EXPECT_EQ(m->GetText(2, 3), "Autism Spectrum Disorder");
    EXPECT_EQ(ticks(page), (QStringList{"0", "0", "0", "0"}));
    EXPECT_EQ(page.gridAreas->GetText(2, 11), "");
    EXPECT_FALSE(page.isUnsaved());
    EXPECT_TRUE(boxes().isEmpty());

    // No primary disability (no Disabilities row for 0), and a birth date
    // that is not eight characters long, show empty cells.
    gLearnerID = 6;
    for (const QString date : {"", "2009068", "200906080"}) {
        gBirthDate = date;
        frmHealthReport other;
        other.Form_Load();
        EXPECT_EQ(other.gridMedicalRecords->GetText(2, 3), "");
        EXPECT_EQ(other.gridMedicalRecords->GetText(4, 2), "") << date.toStdString();
    }
    EXPECT_EQ(frmHealthReport::birthDateText("20160501"), "01/05/2016");
}

TEST_F(HealthReportTest, MedicalRecordTicksTypeAndCommentRoundTrip) {
    {
        frmHealthReport page;
        ASSERT_TRUE(showPage(page));
        user::click(page.cmdSave); // nothing ticked, no comment: the row is stored all the same
        EXPECT_EQ(reportRows(), QStringList{"|0|0| "});
        EXPECT_EQ(shown(), QStringList{kSaved});

        user::tickCell(page.gridMedicalRecords, 4, 5, true);
        EXPECT_TRUE(page.isUnsaved());
        user::tickCell(page.gridMedicalRecords, 5, 6, true);
        user::typeIntoCell(page.gridAreas, 2, 11, "Seen by Dr O'Brien; report attached later");
        user::click(page.cmdSave);
        user::click(page.cmdSave);
        EXPECT_FALSE(page.isUnsaved());
    }
    EXPECT_EQ(reportRows(), QStringList{"PERM|-1|0|Seen by Dr O'Brien; report attached later"});
    frmHealthReport page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(ticks(page), (QStringList{"1", "0", "0", "1"}));
    EXPECT_EQ(page.gridAreas->GetText(2, 11), "Seen by Dr O'Brien; report attached later");
    EXPECT_EQ(page.commentsText(), "Seen by Dr O'Brien; report attached later");

    user::tickCell(page.gridMedicalRecords, 4, 5, false);
    user::tickCell(page.gridMedicalRecords, 5, 5, true);
    user::tickCell(page.gridMedicalRecords, 4, 6, true);
    user::click(page.cmdSave);
    EXPECT_EQ(reportRows(), QStringList{"TEMP|0|-1|Seen by Dr O'Brien; report attached later"});
}

TEST_F(HealthReportTest, TempAndPermExcludeEachOtherAndMayBothBeClear) {
    frmHealthReport page;
    ASSERT_TRUE(showPage(page));
    Grid* m = page.gridMedicalRecords;
    using user::tickCell;
    tickCell(m, 5, 6, true);
    tickCell(m, 4, 6, true); // Temp after Perm unticks Perm
    EXPECT_EQ(ticks(page), (QStringList{"0", "0", "1", "0"}));
    tickCell(m, 5, 6, true); // and the other way round
    EXPECT_EQ(ticks(page), (QStringList{"0", "0", "0", "1"}));
    tickCell(m, 4, 5, true); // Viewed and Attached are not coupled
    tickCell(m, 5, 5, true);
    EXPECT_EQ(ticks(page), (QStringList{"1", "1", "0", "1"}));
    tickCell(m, 5, 6, false); // unticking leaves both clear
    EXPECT_EQ(ticks(page), (QStringList{"1", "1", "0", "0"}));
    user::click(page.cmdSave);
    EXPECT_EQ(reportRows(), QStringList{"|-1|-1| "});
}

TEST_F(HealthReportTest, StoredImpairmentTypeTicksTheBoxes) {
    struct Case {
        const char* stored; // SQL literal
        QStringList ticks;
    } cases[] = {
        {"'TEMP'", {"0", "0", "1", "0"}}, {"'TEM'", {"0", "0", "0", "1"}},
        {"'PERM'", {"0", "0", "0", "1"}}, {"'XYZ'", {"0", "0", "0", "1"}},
        {"''", {"0", "0", "0", "0"}},     {"' '", {"0", "0", "0", "0"}},
        {"NULL", {"0", "0", "0", "0"}}, // a Null type is none chosen
    };
    for (const Case& c : cases) {
        rawExec(dbPath, "DELETE FROM TAV_Health_Professional_Report");
        rawExec(dbPath, QString("INSERT INTO TAV_Health_Professional_Report (LearnerID, "
                                "Impairment_Type, Medical_Record_Viewed, Medical_Record_Attached, "
                                "Data_Year, Comments) VALUES (2, %1, NULL, NULL, 2026, NULL)")
                            .arg(c.stored));
        frmHealthReport page;
        page.Form_Load();
        EXPECT_EQ(ticks(page), c.ticks) << c.stored;
        EXPECT_EQ(page.gridAreas->GetText(2, 11), "");
    }
    EXPECT_TRUE(errorProcedures().isEmpty());
}

TEST_F(HealthReportTest, AreasOfImpairmentAreComputedFromTheScoresAtEachActivation) {
    storeScores(1, {1, 1});
    storeScores(3, {3}); // Mobility 1, 1, 3: 1.67 -> MODERATE
    storeScores(6, {2, 3});
    storeScores(8, {2, 3}); // Self-care 2, 3, 2, 3: 2.5 -> MODERATE, never SEVERE
    storeScores(15, {3});   // Vision: SEVERE
    storeScores(16, {1});
    storeScores(17, {2});       // Hearing 1.5 -> MODERATE
    storeScores(22, {0});       // Cognition: only a 0, no level
    storeScores(24, {1});       // Health care needs: MILD
    storeScores(12, {3, 3}, 5); // another learner's scores count for nothing
    rawExec(dbPath, "INSERT INTO TAV_Criteria_For_Selection (LearnerID, Sub_Section, Score, "
                    "Data_Year) VALUES (2, 25, NULL, 2026), (2, 40, 3, 2026)");

    frmHealthReport page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(levels(page), (QStringList{"3:MODERATE", "3:MODERATE", "", "4:SEVERE", "3:MODERATE",
                                         "", "", "2:MILD"}));
    EXPECT_EQ(page.gridAreas->ActiveCol(), 2);
    EXPECT_EQ(page.gridAreas->ActiveRow(), 3);
    EXPECT_EQ(page.gridAreas->GetText(1, 3), "2.1 Mobility");
    EXPECT_EQ(page.gridAreas->GetText(1, 10), "2.8 Health care needs");
    EXPECT_FALSE(page.isUnsaved());
    EXPECT_TRUE(boxes().isEmpty());

    // Back from the criteria pages with other scores: the levels follow them.
    rawExec(dbPath, "DELETE FROM TAV_Criteria_For_Selection WHERE Sub_Section IN (1, 3, 15)");
    storeScores(15, {1});
    storeScores(23, {2}); // Cognition 0 and 2: the 0 is not counted, MODERATE
    ASSERT_TRUE(activateAgain(page));
    EXPECT_EQ(levels(page), (QStringList{"", "3:MODERATE", "", "2:MILD", "3:MODERATE", "",
                                         "3:MODERATE", "2:MILD"}));
    EXPECT_TRUE(rawRows(dbPath, "SELECT * FROM TAV_Learner_Impairment_Area").isEmpty());

    rawExec(dbPath, "DELETE FROM TAV_Criteria_For_Selection");
    ASSERT_TRUE(activateAgain(page));
    EXPECT_EQ(levels(page), QStringList(8, QString()));
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(HealthReportTest, FailedSaveKeepsTheStoredRow) {
    rawExec(dbPath, "INSERT INTO TAV_Health_Professional_Report (LearnerID, Impairment_Type, "
                    "Medical_Record_Viewed, Medical_Record_Attached, Data_Year, Comments) VALUES "
                    "(2, 'TEMP', -1, 0, 2026, 'kept')");
    frmHealthReport page;
    ASSERT_TRUE(showPage(page));
    user::typeIntoCell(page.gridAreas, 2, 11, "changed");
    rawExec(dbPath, "CREATE TRIGGER no_report BEFORE INSERT ON TAV_Health_Professional_Report "
                    "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    user::click(page.cmdSave);
    EXPECT_EQ(errorProcedures(), QStringList{"saveMedicalRecord Routine"});
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_EQ(reportRows(), QStringList{"TEMP|-1|0|kept"});
    EXPECT_TRUE(connectionClosed());
}

TEST_F(HealthReportTest, NextPageLeadsToCriteriaPageOne) {
    registerProfileForms();
    frmHealthReport page;
    ASSERT_TRUE(showPage(page));
    user::click(page.cmdNext);
    EXPECT_TRUE(page.isClosed());
    EXPECT_EQ(page.nextForm(), "frmCriteriaSelection1");

    // A tick of the medical record, or a comment typed: leaving asks.
    expectEachEditMakesLeavingAsk<frmHealthReport>(
        {[](frmHealthReport& p) { user::tickCell(p.gridMedicalRecords, 5, 5, true); },
         [](frmHealthReport& p) { user::typeIntoCell(p.gridAreas, 2, 11, "Seen by the nurse"); }});
    EXPECT_TRUE(reportRows().isEmpty());
}

TEST_F(HealthReportTest, PagePrintHoldsTheReportAndTheAreas) {
    storeScores(1, {2, 2});
    rawExec(dbPath, "INSERT INTO TAV_Health_Professional_Report (LearnerID, Impairment_Type, "
                    "Medical_Record_Viewed, Medical_Record_Attached, Data_Year, Comments) VALUES "
                    "(2, 'PERM', -1, 0, 2026, 'Wears hearing aids')");
    frmHealthReport page;
    ASSERT_TRUE(showPage(page));
    const QString pdf = clickPrint(page, "health.pdf");
    EXPECT_TRUE(boxes().isEmpty());
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("EMIS NUMBER: 700123456")) << text.toStdString();
    EXPECT_FALSE(text.contains("LEARNER NAME"));
    const QString compact = withoutSpaces(text);
    for (const char* expected :
         {"A.HEALTHPROFESSIONALREPORT", "NameofLearner:O'NEILLLerato", "08/06/2009",
          "AutismSpectrumDisorder", "1.MEDICALRECORDSViewedAttached", "TempPerm",
          "Istheimpairmenttemporaryorpermanent?", "2.AREASOFIMPAIRMENTANDACTIVITYLIMITATION",
          "NA=Notapplicable", "2.1Mobility", "2.8Healthcareneeds", "FurtherComments",
          "Wearshearingaids"})
        EXPECT_TRUE(compact.contains(expected)) << expected;
    EXPECT_TRUE(text.contains(QRegularExpression("2\\.1 Mobility[^\\n]*MODERATE")));
    EXPECT_EQ(pdfPages(pdf), 1);

    printdialog::setAnswerer(printdialog::cancel);
    user::click(page.cmdPrint);
    EXPECT_EQ(errorProcedures(), QStringList{"Print Routine"});
}

TEST_F(HealthReportTest, ALongCommentPrintsEveryLineOnceOverTheSheetsItNeeds) {
    // 171 sentences, some 7,700 characters, each with a word of its own.
    QStringList sentences;
    for (int i = 1; i <= 171; ++i)
        sentences << QString("Note n%1 records how the learner copes in class.")
                         .arg(i, 3, 10, QChar('0'));
    const QString comment = sentences.join(' ');
    ASSERT_GT(comment.size(), 7500);
    rawExec(dbPath, "INSERT INTO TAV_Health_Professional_Report (LearnerID, Impairment_Type, "
                    "Medical_Record_Viewed, Medical_Record_Attached, Data_Year, Comments) VALUES "
                    "(2, 'PERM', -1, 0, 2026, '" +
                        comment + "')");
    frmHealthReport page;
    ASSERT_TRUE(showPage(page));
    const QString pdf = clickPrint(page, "longcomment.pdf");
    EXPECT_TRUE(boxes().isEmpty());

    EXPECT_EQ(pdfPages(pdf), 2);
    const QHash<QString, int> words = printedWordCounts(pdf);
    for (int i = 1; i <= 171; ++i) {
        const QString word = QString("n%1").arg(i, 3, 10, QChar('0'));
        EXPECT_EQ(words.value(word), 1) << word.toStdString();
    }
    EXPECT_EQ(words.value("Mobility"), 1);
    // The comment goes on at the top margin of 800 twips, below the
    // heading line the second sheet carries too.
    EXPECT_TRUE(pdfPageText(pdf, 2).contains("EMIS NUMBER: 700123456"));
    EXPECT_GT(firstWordTopBelowHeading(pdf, 2), 800 / 20.0);
    EXPECT_LT(firstWordTopBelowHeading(pdf, 2), 800 / 20.0 + 5);
}

TEST_F(HealthReportTest, LoadFailuresAreReportedWithTheirRoutine) {
    storeScores(1, {3});
    rawExec(dbPath, "DROP TABLE TAV_Health_Professional_Report");
    frmHealthReport page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(levels(page)[0], "4:SEVERE"); // the areas do not depend on the report row
    rawExec(dbPath, "DROP TABLE TAV_lu_Activity_Domain_Sub_Section");
    ASSERT_TRUE(activateAgain(page));
    EXPECT_EQ(levels(page), QStringList(8, QString()));
    EXPECT_EQ(errorProcedures(),
              (QStringList{"getMedicalRecords Routine", "getImpairment_Area Routine"}));
    EXPECT_TRUE(boxes().first().text.contains("Location: frmHealthReport"));
    EXPECT_TRUE(connectionClosed());
}
