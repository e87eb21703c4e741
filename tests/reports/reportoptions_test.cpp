// The learner-profile and score-summary options: the starting option, the
// grade list, the refusals of Print, what Print hands the viewer, and the
// profile's three queries run on the demo school.
#include "reports/clssql.h"
#include "reports/frmreportoptions.h"
#include "tests/reports/reportmenutest.h"
#include "workspace/frmselectlearner.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

class ReportOptionsTest : public ReportMenuTest {
protected:
    // The window as the menu opens it, shown.
    std::unique_ptr<frmReportOptions> open(const QString& report, const QString& accession = {}) {
        gReportOptionsRequest = {accession, report};
        auto w = std::make_unique<frmReportOptions>();
        EXPECT_TRUE(user::showActive(w.get()));
        return w;
    }
    // A click on Print; the single viewer call it made, or a failure.
    ViewerCall print(frmReportOptions& w) {
        calls().clear();
        user::click(w.cmdPrint);
        if (calls().size() != 1) {
            ADD_FAILURE() << "the viewer was shown " << calls().size() << " times";
            return {};
        }
        return calls().first();
    }
    // The learners (surnames, one per row) of the profile's main query for a filter.
    QStringList profileLearners(bool repGrade, const QString& repVar) {
        frmReportview::Default().RepGrade = repGrade;
        frmReportview::Default().RepVar = repVar;
        QStringList names = run(sql.Rep01BackgroundQuery(), {"AccessionNo"});
        names.removeDuplicates();
        return names;
    }
    clsSQL sql;
};

TEST_F(ReportOptionsTest, ProfileStartsOnTheLearnerWithTheAccessionHandedOver) {
    auto w = open("LearnerProfile", "006");
    EXPECT_EQ(w->windowTitle(), "Report Options");
    EXPECT_TRUE(w->optLearner->isChecked());
    EXPECT_TRUE(w->frmGrade->isHidden());
    EXPECT_FALSE(w->frmLearner->isHidden());
    EXPECT_EQ(w->txtAccession->text(), "006");
    EXPECT_EQ(w->cboYear->currentText(), "2026");

    user::chooseInList(w->cboYear, "2025");
    const ViewerCall call = print(*w);
    EXPECT_EQ(call.ReportMode, "MainReport");
    EXPECT_FALSE(call.RepGrade);
    EXPECT_EQ(call.RepVar, "006");
    EXPECT_EQ(gReportYear, 2025);
}

TEST_F(ReportOptionsTest, ScoreSummaryStartsOnAll) {
    auto w = open("LearnerScoreSummary");
    EXPECT_TRUE(w->optAll->isChecked());
    EXPECT_TRUE(w->frmGrade->isHidden());
    EXPECT_TRUE(w->frmLearner->isHidden());
    const ViewerCall call = print(*w);
    EXPECT_EQ(call.ReportMode, "ScoreSummary");
    EXPECT_FALSE(call.RepGrade);
    EXPECT_EQ(call.RepVar, "");
    EXPECT_EQ(gReportYear, 2026);
}

TEST_F(ReportOptionsTest, PrintRefusals) {
    struct Case {
        const char* option; // "Learner", "Grade"
        const char* text;   // accession or grade text
        bool yearEmpty;
        const char* message;
    };
    const Case cases[] = {
        {"Learner", "006", true, "Please select Report Year to continue."},
        {"Learner", "", false, "Please enter the Assession Number or select another option"},
        {"Learner", "   ", false, "Please enter the Assession Number or select another option"},
        {"Grade", " ", false, "Please select a Grade or choose another option"},
    };
    for (const Case& c : cases) {
        // Opened from the learner window with no learner selected: an empty box.
        auto w = open("LearnerProfile");
        if (QString(c.option) == "Grade") {
            user::click(w->optGrade);
            typeInto(w->cboGrade, c.text);
        } else {
            user::typeIntoBox(w->txtAccession, c.text);
        }
        if (c.yearEmpty)
            w->cboYear->setCurrentIndex(-1); // (no click empties the list)
        boxes().clear();
        calls().clear();
        user::click(w->cmdPrint);
        EXPECT_EQ(messages(), QStringList({c.message})) << c.option << " [" << c.text << "]";
        EXPECT_TRUE(calls().isEmpty());
        EXPECT_EQ(gReportYear, 1999);
    }
}

TEST_F(ReportOptionsTest, GradeListHoldsTheGradesWithLearnersOfTheReports) {
    auto w = open("LearnerProfile");
    EXPECT_EQ(w->cboGrade->count(), 0);
    user::click(w->optGrade);
    EXPECT_FALSE(w->frmGrade->isHidden());
    EXPECT_TRUE(w->frmLearner->isHidden());
    // schoolgrade 'Yes' grades only, each holding such a learner.
    QStringList names = items(w->cboGrade);
    names.sort();
    EXPECT_EQ(names, QStringList({"Grade 1", "Grade 2", "Grade 4", "Grade 6", "Grade R"}));
    EXPECT_EQ(w->cboGrade->currentIndex(), 0);
    ASSERT_EQ(w->gradeTable().size(), 6);
    EXPECT_EQ(w->gradeTable().at(0).text, "");
    EXPECT_EQ(w->gradeTable().at(1).text, w->cboGrade->itemText(0));

    // A grade whose learners all lack special needs and a grant is not listed.
    rawExec(dbPath, "UPDATE Learner_Info SET LSENStatus = 1, SocialGrantNo = '' WHERE Grade = 7");
    auto again = open("LearnerProfile");
    user::click(again->optGrade);
    EXPECT_FALSE(items(again->cboGrade).contains("Grade 6"));
    // Choosing Grade again does not fill the list twice.
    user::click(again->optLearner);
    user::click(again->optGrade);
    EXPECT_EQ(again->cboGrade->count(), 4);
}

TEST_F(ReportOptionsTest, GradeFilterIsTheGradesIdOrZeroForAnUnlistedText) {
    auto w = open("LearnerProfile");
    user::click(w->optGrade);
    user::chooseInList(w->cboGrade, "Grade 1");
    ViewerCall call = print(*w);
    EXPECT_TRUE(call.RepGrade);
    EXPECT_EQ(call.RepVar, "2");

    // A typed text stays as typed, even where it begins a listed grade's name.
    for (const char* typed : {"Grade 9", "Grade"}) {
        typeInto(w->cboGrade, typed);
        EXPECT_EQ(w->cboGrade->currentText(), QString(typed));
        call = print(*w);
        EXPECT_TRUE(call.RepGrade);
        EXPECT_EQ(call.RepVar, "0") << typed;
    }
    // No learner has grade 0: the profile is empty.
    EXPECT_TRUE(profileLearners(true, "0").isEmpty());
}

TEST_F(ReportOptionsTest, GradeListFailureIsReportedWithItsRoutine) {
    rawExec(dbPath, "DROP TABLE SchoolGrades");
    auto w = open("LearnerProfile");
    user::click(w->optGrade);
    EXPECT_EQ(w->cboGrade->count(), 0);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].title.startsWith("Error : "));
    EXPECT_TRUE(boxes()[0].text.contains("Location: frmReportOptions"))
        << boxes()[0].text.toStdString();
    EXPECT_TRUE(boxes()[0].text.contains("Procedure: loadGrades Routine"));
    EXPECT_TRUE(boxes()[0].text.contains("SchoolGrades"));
    EXPECT_TRUE(!gConnection || gConnection->State() == ado::adStateClosed);
    // Print with a typed grade then asks for no learner at all.
    typeInto(w->cboGrade, "Grade 1");
    EXPECT_EQ(print(*w).RepVar, "0");
}

TEST_F(ReportOptionsTest, TypingIntoTheYearBoxChangesNothing) {
    auto w = open("LearnerProfile", "006");
    user::tabTo(w->cboYear);
    user::type("x7");
    EXPECT_EQ(w->cboYear->currentText(), "2026");
    print(*w);
    EXPECT_EQ(gReportYear, 2026);
}

TEST_F(ReportOptionsTest, ProfileQueryListsTheSelectionWithItsAdditionalDisabilities) {
    gReportYear = 2026;
    frmReportview::Default().RepGrade = false;
    frmReportview::Default().RepVar = "";
    const QStringList rows =
        run(sql.Rep01BackgroundQuery(),
            {"LearnerID", "Learner", "AccessionNo", "Grade", "Nature_Of_Support_Received",
             "Name_Of_Provider", "PDisa", "Family_Situation", "AddDisa"});
    // Special needs (LSENStatus 2 or 3) or a social grant, current only.
    QStringList ids;
    for (const QString& row : rows)
        ids << row.section('|', 0, 0);
    ids.removeDuplicates();
    ids.sort();
    QStringList expected = rawRows(dbPath, "SELECT ID FROM Learner_Info WHERE Status = 'C' AND "
                                           "(LSENStatus IN (2, 3) OR SocialGrantNo <> '')");
    expected.sort();
    EXPECT_EQ(ids, expected);
    EXPECT_FALSE(ids.contains("17"));
    EXPECT_FALSE(ids.contains("5"));

    // One row per additional disability; the background columns of the year.
    EXPECT_EQ(rows.filter(QRegularExpression("^1\\|")),
              QStringList({"1|de Beer, Thabo|003|Grade R|Speech therapy|Clinic A|Attention "
                           "Deficit Disorder|Lives with aunt|Behaviour Disorder",
                           "1|de Beer, Thabo|003|Grade R|Speech therapy|Clinic A|Attention "
                           "Deficit Disorder|Lives with aunt|Hard of Hearing"}));
    EXPECT_EQ(rows.filter(QRegularExpression("^8\\|")).size(), 3);
    // Background columns left empty, an additional disability with no name
    // row, no background row of the year, no primary disability: one row
    // each with those columns empty.
    EXPECT_EQ(rows.filter(QRegularExpression("^2\\|")),
              QStringList({"2|O'Neill, Lerato|006|Grade 1||Clinic B|Autism Spectrum Disorder||"}));
    EXPECT_EQ(
        rows.filter(QRegularExpression("^4\\|")),
        QStringList({"4|van der Merwe, Anika|012|Grade 3|||Blind||Specific Learning Disability"}));
    EXPECT_EQ(rows.filter(QRegularExpression("^12\\|")),
              QStringList({"12|Naidoo, Ayanda|036|Grade 3|||||"}));
    // Ordered by surname and first name.
    EXPECT_TRUE(rows.first().startsWith("31|Baloyi, Themba")) << rows.first().toStdString();
}

TEST_F(ReportOptionsTest, ProfileFilterAndTheYearRule) {
    gReportYear = 2026;
    EXPECT_EQ(profileLearners(true, "2"), QStringList({"A0034", "054", "006", "078"}));
    // "All" after a grade: the earlier filter does not carry over.
    const QStringList all = profileLearners(false, "");
    EXPECT_GT(all.size(), 4);
    EXPECT_EQ(profileLearners(false, "012"), QStringList({"012"}));
    // Archived learners only for another year than the data year.
    EXPECT_TRUE(profileLearners(false, "015").isEmpty());
    gReportYear = 2025;
    EXPECT_EQ(profileLearners(false, "015"), QStringList({"015"}));
    EXPECT_GT(profileLearners(false, "").size(), all.size());
    // A typed accession number holding a quote stays one value.
    EXPECT_TRUE(profileLearners(false, "0' OR 'x'='x").isEmpty());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ReportOptionsTest, DiagnosticProfileQueryAveragesTheReportYearsScoresPerArea) {
    rawExec(dbPath,
            "INSERT INTO TAV_Health_Professional_Report (LearnerID, Data_Year, Impairment_Type, "
            "Medical_Record_Viewed, Comments) VALUES (1, 2026, 'Perm', -1, 'Seen'), "
            "(2, 2025, 'Temp', 0, 'Old');"
            // Mobility 1 and 1, self-care 2 and 3 in 2026; mobility 3 and 3 in 2025.
            "INSERT INTO TAV_Criteria_For_Selection (LearnerID, Data_Year, Sub_Section, Score) "
            "VALUES (1, 2026, 1, 1), (1, 2026, 2, 1), (1, 2026, 6, 2), (1, 2026, 7, 3), "
            "(1, 2025, 3, 3), (1, 2025, 4, 3)");
    gReportYear = 2026;
    const QStringList rows =
        run(sql.Rep01DPQuery(), {"ID", "LName", "BirthDate", "Disability", "Data_Year",
                                 "Impairment_Type", "Medical_Record_Viewed",
                                 "Medical_Record_Attached", "Comments", "Score", "Description"});
    EXPECT_EQ(rows.filter(QRegularExpression("^1\\|")),
              QStringList({"1|de Beer Thabo|01/01 / 2008|Attention Deficit Disorder|2026|Perm|-1|"
                           "0|Seen|1|Mobility",
                           "1|de Beer Thabo|01/01 / 2008|Attention Deficit Disorder|2026|Perm|-1|"
                           "0|Seen|2|Self-care"}));
    // No health report of the year: one row with its columns empty.
    EXPECT_EQ(rows.filter(QRegularExpression("^2\\|")),
              QStringList({"2|O'Neill Lerato|08/06 / 2009|Autism Spectrum Disorder|||0|0|||"}));
    // The main query's learners only (the subreport prints beside them):
    // not learner 17, whose LSEN status is 1, nor 6 without a listed
    // primary disability.
    EXPECT_EQ(rows.filter(QRegularExpression("^17\\|")).size(), 0);
    EXPECT_EQ(rows.filter(QRegularExpression("^6\\|")).size(), 0);
}

TEST_F(ReportOptionsTest, CriteriaScoreQueryTakesTheReportYearsScores) {
    rawExec(dbPath, "INSERT INTO TAV_Criteria_For_Selection (LearnerID, Data_Year, Sub_Section, "
                    "Score) VALUES (2, 2026, 12, 2), (1, 2026, 1, 1), (1, 2025, 2, 3)");
    gReportYear = 2026;
    const QStringList rows = run(sql.Rep01CFS(), {"LearnerID", "Score", "AArea", "ADomain"});
    EXPECT_EQ(rows, QStringList({"1|1|Mobility|Transfer", "2|2|Communication|Understanding"}));
    const QStringList desc = run(sql.Rep01CFS(), {"DescMild", "DescMod", "DescSevere"});
    EXPECT_EQ(desc.first(), "No difficulty, or may need help occasionally.|Can move, but must be "
                            "assisted, is slow, or gets very tired.|Unable to move alone");
}

TEST_F(ReportOptionsTest, GradeListQueryText) {
    EXPECT_EQ(sql.qSchoolGrades(),
              "Select SG.ID, SG.Name from SchoolGrades as SG INNER JOIN  Learner_Info as LI on "
              "SG.ID = LI.Grade WHERE schoolgrade ='Yes' AND ((((LI.LSENStatus)=2 Or "
              "(LI.LSENStatus)=3)) OR ((LI.SocialGrantNo)<>'')) GROUP BY SG.ID, SG.Name");
}

TEST_F(ReportOptionsTest, AGradeIdBeyondAWholeNumberIsReportedNotRun) {
    rawExec(dbPath, "INSERT INTO SchoolGrades (ID, Name, schoolgrade) VALUES (40000, 'Grade 12', "
                    "'Yes'); UPDATE Learner_Info SET Grade = 40000 WHERE ID = 1");
    auto w = open("LearnerProfile");
    user::click(w->optGrade);
    user::chooseInList(w->cboGrade, "Grade 12");
    ASSERT_EQ(w->cboGrade->currentText(), "Grade 12");
    calls().clear();
    user::click(w->cmdPrint);
    EXPECT_TRUE(calls().isEmpty());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes().first().text.contains("Procedure: cmdPrint_Click Routine"))
        << boxes().first().text.toStdString();
    EXPECT_EQ(gReportYear, 1999);
}
