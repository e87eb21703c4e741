// The demo school: its host tables hold the cases the learner lists rely on;
// its assessment is one every page and report of the program can show.
#include "profile/frmbackgroundinfo.h"
#include "profile/frmcriteriaselection.h"
#include "profile/frmextendedprofile1.h"
#include "profile/frmextendedprofile2.h"
#include "profile/frmhealthreport.h"
#include "services/checktables.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "support/frmactionplan.h"
#include "support/frmactionplan2.h"
#include "support/frmactionplan3.h"
#include "support/frmassessment_support_reg.h"
#include "support/frmilstintervention.h"
#include "support/frmisp.h"
#include "support/frmschoolrequestsupport.h"
#include "support/supportrating.h"
#include "tests/common/fixture.h"

#include <QDate>
#include <QRegularExpression>
#include <functional>
#include <memory>

using DemoSchool = DemoDbTest;

TEST_F(DemoSchool, LoadsHostTablesOnly) {
    EXPECT_EQ(rawRows(dbPath, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT "
                              "LIKE 'sqlite%' ORDER BY name"),
              (QStringList{"Disabilities", "General_Info", "Learner_Info", "MultipleDisabilities",
                           "SchoolGrades"}));
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM General_Info"), "1");
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM Learner_Info"), "40");
    // The older learner numbers are distinct, so the key migration can match them.
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(DISTINCT LearnerID) FROM Learner_Info"), "40");
}

TEST_F(DemoSchool, CoversTheListCases) {
    // Exactly one learner has neither special needs nor a grant number.
    EXPECT_EQ(rawRows(dbPath, "SELECT ID FROM Learner_Info WHERE LSENStatus = 1 AND "
                              "SocialGrantNo = ''"),
              QStringList{"17"});
    for (const char* status : {"C", "A"}) {
        for (int lsen : {1, 2, 3}) {
            EXPECT_NE(rawScalar(dbPath, QString("SELECT count(*) FROM Learner_Info WHERE Status "
                                                "= '%1' AND LSENStatus = %2")
                                            .arg(status)
                                            .arg(lsen)),
                      "0")
                << status << lsen;
        }
    }
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM Learner_Info WHERE SName IN ('de Beer', "
                                "'O''Neill')"),
              "2");
    // Text compares without regard to case, as in the host engine.
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM Learner_Info WHERE Status = 'c'"),
              rawScalar(dbPath, "SELECT count(*) FROM Learner_Info WHERE Status = 'C'"));
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM Learner_Info WHERE length(BirthDate) <> 8"),
              "0");
}

// ---- the whole demo: its assessment ---------------------------------------------------------

namespace {

// The demo's assessed learners: 8 Zanele Dlamini (long texts, three
// additional disabilities), 1 Thabo de Beer, 4 Anika van der Merwe, 11 Ruan Khumalo.
const QList<int> kAssessed = {8, 1, 4, 11};

// The whole demo school, as a user's first run finds it: the program's tables
// checked at start-up, the data year the current one.
class DemoAssessment : public DemoDbTest {
protected:
    bool wholeDemo() const override { return true; }
    void SetUp() override {
        DemoDbTest::SetUp();
        checkTables();
        gDataYear = qint16(QDate::currentDate().year());
        gEmisCode = "700123456";
    }
    // The demo's years: the one the database was made in and the one before.
    static QList<int> years() {
        const int year = QDate::currentDate().year();
        return {year, year - 1};
    }
    void chooseLearner(int id) {
        const QStringList row = rawRows(dbPath, QString("SELECT upper(SName) || ' ' || FName, "
                                                        "AccessionNo, BirthDate FROM "
                                                        "Learner_Info WHERE ID = %1")
                                                    .arg(id))
                                    .value(0)
                                    .split('|');
        gLearnerID = qint16(id);
        gLearnerName = row.value(0);
        gAccessionNo = row.value(1);
        gBirthDate = row.value(2);
    }
};

// A table's text without blanks, to compare layouts however they are set out.
QString compactSql(QString sql) {
    return sql.remove(QRegularExpression("\\s"));
}

// The cells of a page's grids that show something: a text, a tick.
int filledCells(const QWidget& page) {
    int filled = 0;
    for (const Grid* grid : page.findChildren<Grid*>()) {
        for (int r = 0; r <= grid->MaxRows(); ++r) {
            for (int c = 1; c <= grid->MaxCols(); ++c) {
                const QString text = grid->GetText(c, r).trimmed();
                filled += !text.isEmpty() && text != "0";
            }
        }
    }
    return filled;
}

} // namespace

TEST_F(DemoAssessment, MakesTheSectionTablesAsTheTableCheckDoes) {
    EXPECT_TRUE(boxes().isEmpty());
    // The same tables made by the check in a school without them.
    const QString other = dir.filePath("check.db");
    createDatabaseFromScript(other);
    dropProgramTables(other);
    gDbPath = other;
    checkTables();
    gDbPath = dbPath;
    for (const SectionTable& table : kSectionTables) {
        const QString sql =
            QString("SELECT sql FROM sqlite_master WHERE name = '%1'").arg(table.name);
        EXPECT_EQ(compactSql(rawScalar(dbPath, sql)), compactSql(rawScalar(other, sql)))
            << table.name;
        EXPECT_EQ(rawScalar(dbPath, QString("SELECT count(*) FROM sqlite_master WHERE type = "
                                            "'index' AND tbl_name = '%1'")
                                        .arg(table.name)),
                  "1")
            << table.name;
    }
    // The check made and filled the lookup tables beside them.
    for (const LookupTable& table : kLookupTables)
        EXPECT_NE(rawScalar(dbPath, QString("SELECT count(*) FROM %1").arg(table.name)), "0")
            << table.name;
}

TEST_F(DemoAssessment, EveryAssessedLearnerHasTheRowsOfEveryPageInBothYears) {
    for (const SectionTable& table : kSectionTables) {
        // The areas of impairment are worked out, never stored; the "Other"
        // activity is scored for some learners only.
        const QString name = table.name;
        if (name == "TAV_Learner_Impairment_Area" || name == "TAV_Criteria_For_Selection_Other")
            continue;
        for (int learner : kAssessed) {
            for (int year : years())
                EXPECT_NE(rawScalar(dbPath, QString("SELECT count(*) FROM %1 WHERE LearnerID = "
                                                    "%2 AND Data_Year = %3")
                                                .arg(name)
                                                .arg(learner)
                                                .arg(year)),
                          "0")
                    << name.toStdString() << " " << learner << " " << year;
        }
    }
    EXPECT_NE(rawScalar(dbPath, "SELECT count(*) FROM TAV_Criteria_For_Selection_Other"), "0");
    // Zanele: several additional disabilities and long texts.
    EXPECT_GE(rawScalar(dbPath, "SELECT count(*) FROM MultipleDisabilities WHERE LearnerID = 8 "
                                "AND DisabilityID > 0")
                  .toInt(),
              3);
    EXPECT_GT(rawScalar(dbPath, "SELECT min(length(Family_Situation)) FROM "
                                "TAV_Learner_Background_Info WHERE LearnerID = 8")
                  .toInt(),
              2000);
    EXPECT_GT(rawScalar(dbPath, "SELECT min(length(Comments)) FROM "
                                "TAV_Health_Professional_Report WHERE LearnerID = 8 AND "
                                "Data_Year = " +
                                    QString::number(years().first()))
                  .toInt(),
              2000);
    // The dates in the texts are of their rows' years.
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM TAV_ISP WHERE Review_Date NOT LIKE '%/' || "
                                "Data_Year"),
              "0");
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM TAV_Action_Review WHERE Review_Date NOT "
                                "LIKE '%/' || Data_Year"),
              "0");
}

TEST_F(DemoAssessment, TheStoredRatingsAreThoseTheLastAssessmentPageWorksOut) {
    for (int learner : kAssessed) {
        for (int year : years()) {
            SCOPED_TRACE(QString("%1 %2").arg(learner).arg(year).toStdString());
            chooseLearner(learner);
            gDataYear = qint16(year);
            frmAssessment_Support_Reg page(kSupportPages);
            page.Form_Load();
            QStringList shown;
            for (int area = 1; area <= kSupportAreas; ++area)
                shown << QString("%1|%2").arg(area).arg(
                    page.gridAreaLevel->GetText(area + 1, kRatingRow));
            EXPECT_EQ(shown, rawRows(dbPath, QString("SELECT Support_Area, Rating FROM "
                                                     "TAV_Assessment_Supp_Req_Rating WHERE "
                                                     "LearnerID = %1 AND Data_Year = %2 ORDER BY "
                                                     "Support_Area")
                                                 .arg(learner)
                                                 .arg(year)));
        }
    }
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(DemoAssessment, EveryPageShowsTheLearnersAssessment) {
    using Make = std::function<std::unique_ptr<AssessmentPage>()>;
    QList<Make> pages = {
        [] { return std::make_unique<frmBackgroundInfo>(); },
        [] { return std::make_unique<frmHealthReport>(); },
        [] { return std::make_unique<frmExtendedProfile1>(); },
        [] { return std::make_unique<frmExtendedProfile2>(); },
        [] { return std::make_unique<frmISP>(); },
        [] { return std::make_unique<frmSchoolRequestSupport>(); },
        [] { return std::make_unique<frmILSTIntervention>(); },
        [] { return std::make_unique<frmActionPlan>(); },
        [] { return std::make_unique<frmActionPlan2>(); },
        [] { return std::make_unique<frmActionPlan3>(); },
    };
    for (int p = 1; p <= 6; ++p)
        pages << [p] { return std::make_unique<frmCriteriaSelection>(p); };
    for (int p = 1; p <= kSupportPages; ++p)
        pages << [p] { return std::make_unique<frmAssessment_Support_Reg>(p); };
    ASSERT_EQ(pages.size(), 20);

    // What a page shows for a learner: of one without an assessment (2,
    // Lerato O'Neill) only its design and the learner's own details.
    const auto shownFor = [&](const Make& make, int learner) {
        chooseLearner(learner);
        const std::unique_ptr<AssessmentPage> page = make();
        page->Form_Load();
        page->Form_Activate();
        return std::pair{page->formName(), filledCells(*page)};
    };
    for (const Make& make : pages) {
        const auto [name, designed] = shownFor(make, 2);
        SCOPED_TRACE(name.toStdString());
        for (int learner : kAssessed)
            EXPECT_GT(shownFor(make, learner).second, designed) << learner;
    }
    EXPECT_TRUE(boxes().isEmpty());
}
