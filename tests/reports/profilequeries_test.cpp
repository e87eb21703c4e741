// The learner profile's queries, as the program runs them, give the rows of
// the queries as first written: the main query its rows, and the two
// subreport queries their rows for every learner the main query lists (the
// only rows the subreports print), on a school with archived learners,
// other years, learners without rows, a learner whose grade is not listed,
// repeated health reports and scores outside the lookup.
#include "reports/clssql.h"
#include "tests/reports/reportmenutest.h"

#include <QMap>
#include <QSet>

namespace {

QString year() {
    return QString::number(gReportYear);
}

// The queries as first written, for the filter and the report year. The
// scores of the diagnostic profile are matched on the report's year, as the
// program has always done.
QString firstBackgroundQuery(const QString& filter) {
    return "SELECT LI.ID AS LearnerID, LI.SName & ', ' & LI.FName AS Learner"
           " , LI.AccessionNo, SchoolGrades.Name AS Grade, BI.Nature_Of_Support_Received"
           " , BI.Name_Of_Provider, BI.Contact_Details, Disabilities.Name AS PDisa "
           " , BI.Family_Situation, BI.Parent_Understanding_Of_Child, Disab.Name AS AddDisa"
           " FROM (((TAV_Learner_Background_Info AS BI RIGHT JOIN Learner_Info AS LI ON "
           "(BI.LearnerID = LI.ID AND BI.Data_Year = " +
           year() +
           "))"
           " LEFT JOIN Disabilities ON LI.LSENDisabilities = Disabilities.id) "
           " INNER JOIN SchoolGrades ON LI.Grade = SchoolGrades.ID) "
           " LEFT JOIN (MultipleDisabilities AS MD "
           " LEFT JOIN Disabilities AS Disab ON MD.DisabilityID = Disab.id) ON LI.ID = "
           "MD.LearnerID"
           " WHERE ((((LI.LSENStatus)=2 Or (LI.LSENStatus)=3)) OR ((LI.SocialGrantNo)<>''))" +
           filter + (gDataYear == gReportYear ? " AND (LI.Status)='C'" : "") +
           " ORDER BY LI.SName & ', ' & LI.FName";
}

QString firstDPQuery() {
    return "SELECT LI.ID, LI.SName & ' ' & LI.FName AS LName, IIf(Len(LI.BirthDate)=8,"
           " Mid(LI.BirthDate,7,2) & '/' & Mid(LI.BirthDate,5,2) & ' / ' & "
           "Left(LI.BirthDate,4),'') AS BirthDate,"
           " Disabilities.Name AS Disability, HPR.Data_Year, HPR.Impairment_Type, "
           "IIF(IsNull(HPR.Medical_Record_Viewed), False,HPR.Medical_Record_Viewed) as "
           "Medical_Record_Viewed,"
           " IIF(IsNull(HPR.Medical_Record_Attached),False,HPR.Medical_Record_Attached) as "
           "Medical_Record_Attached, HPR.Comments, CInt(Sum(CFS.Score)/Count(CFS.Sub_Section)) "
           "AS Score, LIA.Description"
           " FROM (Learner_Info AS LI LEFT JOIN ((TAV_Health_Professional_Report AS HPR LEFT JOIN"
           " (TAV_Criteria_For_Selection AS CFS LEFT JOIN TAV_lu_Activity_Domain_Sub_Section AS "
           "LADS"
           " ON CFS.Sub_Section = LADS.ID) ON (HPR.LearnerID = CFS.LearnerID AND HPR.Data_Year = "
           "CFS.Data_Year)) LEFT JOIN TAV_lu_Impairment_Area AS LIA"
           " ON LADS.Activity_Domain = LIA.ID) ON (LI.ID = HPR.LearnerID AND (HPR.Data_Year)=" +
           year() +
           "))"
           " INNER JOIN Disabilities ON LI.LSENDisabilities = Disabilities.id"
           " GROUP BY LI.ID, LI.SName & ' ' & LI.FName, Disabilities.Name, HPR.Data_Year, "
           "HPR.Impairment_Type,"
           " IIF(IsNull(HPR.Medical_Record_Viewed), False,HPR.Medical_Record_Viewed),"
           " IIF(IsNull(HPR.Medical_Record_Attached),False,HPR.Medical_Record_Attached), "
           "HPR.Comments, LIA.Description, LI.BirthDate, LI.Grade, LI.Status"
           " ORDER BY LI.SName & ' ' & LI.FName, Disabilities.Name, LIA.Description, LI.Grade";
}

QString firstCFSQuery() {
    return "SELECT CFS.LearnerID, CFS.Score, LIA.Description AS AArea, ADSS.Description AS "
           "ADomain,"
           " ADLD.DescMild, ADLD.DescMod, ADLD.DescSevere"
           " FROM ((TAV_Criteria_For_Selection AS CFS"
           " INNER JOIN TAV_lu_Activity_Domain_Sub_Section AS ADSS ON CFS.Sub_Section = ADSS.ID)"
           " INNER JOIN TAV_lu_Impairment_Area AS LIA ON ADSS.Activity_Domain = LIA.ID)"
           " INNER JOIN TAV_lu_Activity_Domain_Limit_Desc AS ADLD ON ADSS.ID = ADLD.ID"
           " WHERE (((CFS.Data_Year) = " +
           year() +
           "))"
           " ORDER BY CFS.LearnerID, LIA.Description, ADSS.Description";
}

const QStringList kMainColumns = {"LearnerID",
                                  "Learner",
                                  "AccessionNo",
                                  "Grade",
                                  "PDisa",
                                  "AddDisa",
                                  "Name_Of_Provider",
                                  "Nature_Of_Support_Received",
                                  "Contact_Details",
                                  "Family_Situation",
                                  "Parent_Understanding_Of_Child"};
const QStringList kDPColumns = {"ID",
                                "LName",
                                "BirthDate",
                                "Disability",
                                "Data_Year",
                                "Impairment_Type",
                                "Medical_Record_Viewed",
                                "Medical_Record_Attached",
                                "Comments",
                                "Score",
                                "Description"};
const QStringList kCFSColumns = {"LearnerID", "Score",   "AArea",     "ADomain",
                                 "DescMild",  "DescMod", "DescSevere"};

// The rows whose first column is one of the learners.
QStringList ofLearners(const QStringList& rows, const QSet<QString>& learners) {
    QStringList out;
    for (const QString& row : rows)
        if (learners.contains(row.section('|', 0, 0)))
            out << row;
    return out;
}

QStringList sorted(QStringList rows) {
    rows.sort();
    return rows;
}

// Each learner's rows in their order, with their areas alone (rows of one
// area may come in either order).
QMap<QString, QStringList> areasByLearner(const QStringList& rows) {
    QMap<QString, QStringList> out;
    for (const QString& row : rows)
        out[row.section('|', 0, 0)] << row.section('|', -1);
    return out;
}

} // namespace

class ProfileQueriesTest : public ReportMenuTest {
protected:
    void SetUp() override {
        ReportMenuTest::SetUp();
        rawExec(dbPath,
                // Background rows of another year and a second one for a learner.
                "INSERT INTO TAV_Learner_Background_Info (LearnerID, Data_Year, Contact_Details) "
                "VALUES (1, 2025, 'Old'), (1, 2026, 'Second'), (16, 2024, 'x');"
                // Additional disabilities: two for one learner, one not listed.
                "INSERT INTO MultipleDisabilities (LearnerID, DisabilityID) VALUES (1, 3), (1, 4),"
                " (2, 999), (5, 2);"
                // A learner whose grade SchoolGrades does not hold.
                "UPDATE Learner_Info SET Grade = 99 WHERE ID = 4;"
                // Health reports: the report year and others, a repeated row, two rows
                // that differ, one without flags, for current, archived and unlisted
                // learners.
                "INSERT INTO TAV_Health_Professional_Report (LearnerID, Data_Year, "
                "Impairment_Type, Medical_Record_Viewed, Medical_Record_Attached, Comments) "
                "VALUES (1, 2026, 'Perm', -1, 0, 'Seen'), (1, 2025, 'Temp', 0, 0, 'Old'),"
                " (2, 2026, 'Temp', NULL, NULL, NULL), (2, 2026, 'Temp', NULL, NULL, NULL),"
                " (7, 2026, 'Perm', 0, -1, 'One'), (7, 2026, 'Perm', 0, -1, 'Two'),"
                " (5, 2026, 'Perm', 0, 0, 'Archived'), (5, 2025, 'Perm', 0, 0, 'Archived'),"
                " (3, 2026, 'Perm', 0, 0, 'Unlisted'), (4, 2026, 'Perm', 0, 0, 'No grade'),"
                " (13, 2026, 'Temp', 0, 0, 'No scores');"
                // An activity under an area the lookup does not hold.
                "INSERT INTO TAV_lu_Activity_Domain_Sub_Section (ID, Activity_Domain, "
                "Description) VALUES (90, 42, 'Elsewhere'), (91, 43, 'Nowhere');"
                // Scores of several years, of every area, one outside the lookup, one
                // under an unknown area, one without a score.
                "INSERT INTO TAV_Criteria_For_Selection (LearnerID, Data_Year, Sub_Section, "
                "Score) VALUES (1, 2026, 1, 1), (1, 2026, 2, 2), (1, 2026, 6, 3), (1, 2026, 12, 2),"
                " (1, 2026, 29, 3), (1, 2026, 99, 1), (1, 2026, 90, 2), (1, 2026, 91, 3), (1, "
                "2025, 1, 3), (1, 2025, "
                "2, 3),"
                " (2, 2026, 1, 2), (2, 2026, 2, NULL), (2, 2026, 20, 3),"
                " (7, 2026, 3, 1), (7, 2026, 4, 2), (7, 2026, 4, 2),"
                " (5, 2026, 1, 3), (5, 2025, 1, 1), (3, 2026, 1, 2), (4, 2026, 1, 2),"
                " (16, 2026, 5, 2), (16, 2025, 5, 1), (19, 2024, 1, 1)");
    }

    // The program's three queries and those first written give the same rows
    // for the filter, in every report year.
    void expectSameRows(bool repGrade, const QString& repVar, const QString& firstFilter) {
        for (const qint16 reportYear : {qint16(2026), qint16(2025), qint16(2024)}) {
            SCOPED_TRACE(
                QString("filter '%1', report year %2").arg(repVar).arg(reportYear).toStdString());
            gReportYear = reportYear;
            frmReportview::Default().RepGrade = repGrade;
            frmReportview::Default().RepVar = repVar;
            const QStringList main = run(sql.Rep01BackgroundQuery(), kMainColumns);
            const QStringList dp = run(sql.Rep01DPQuery(), kDPColumns);
            const QStringList cfs = run(sql.Rep01CFS(), kCFSColumns);

            const QStringList firstMain = run(firstBackgroundQuery(firstFilter), kMainColumns);
            EXPECT_EQ(sorted(main), sorted(firstMain));
            QSet<QString> learners;
            QList<qint64> ids;
            for (const QString& row : firstMain) {
                learners.insert(row.section('|', 0, 0));
                ids << row.section('|', 0, 0).toLongLong();
            }
            const QStringList firstDP = ofLearners(run(firstDPQuery(), kDPColumns), learners);
            // The scores in the order the subreport prints them.
            const QStringList firstCFS = ofLearners(run(firstCFSQuery(), kCFSColumns), learners);
            EXPECT_EQ(sorted(dp), sorted(firstDP));
            // Beside each learner the subreport prints the learner's rows in
            // the order of their areas.
            EXPECT_EQ(areasByLearner(dp), areasByLearner(firstDP));
            EXPECT_EQ(cfs, firstCFS);
            // The same with the main query's learners named.
            sql.setMainLearners(ids);
            EXPECT_EQ(sorted(run(sql.Rep01DPQuery(), kDPColumns)), sorted(firstDP));
            EXPECT_EQ(run(sql.Rep01CFS(), kCFSColumns), firstCFS);
            // The main query finding the learners a typed accession number
            // picked first.
            const QString pick = sql.Rep01FilterLearnersQuery();
            EXPECT_EQ(pick.isEmpty(), repGrade || repVar.isEmpty());
            if (!pick.isEmpty()) {
                QList<qint64> picked;
                for (const QString& id : run(pick, {"ID"}))
                    picked << id.toLongLong();
                sql.setFilterLearners(picked);
                EXPECT_EQ(sorted(run(sql.Rep01BackgroundQuery(), kMainColumns)), sorted(firstMain));
            }
        }
    }

    clsSQL sql;
};

TEST_F(ProfileQueriesTest, EveryFilterGivesTheRowsOfTheQueriesAsFirstWritten) {
    expectSameRows(false, "", "");
    expectSameRows(false, "003", " AND LI.AccessionNo = '003'");
    expectSameRows(false, "015", " AND LI.AccessionNo = '015'"); // archived
    expectSameRows(false, "009", " AND LI.AccessionNo = '009'"); // not listed
    expectSameRows(true, "1", " AND LI.Grade = 1");
    expectSameRows(true, "99", " AND LI.Grade = 99"); // a grade SchoolGrades lacks
}

TEST_F(ProfileQueriesTest, TheFixtureHoldsWhatTheComparisonNeeds) {
    // The comparison is only as good as its rows: the profile of all
    // learners in 2026 repeats a learner per background row and additional
    // disability, leaves out an archived learner, one without a listed grade
    // and one without special needs, and its diagnostic profile holds two
    // health reports of a year, a repeated one, a score without a value, a
    // score outside the lookup, scores under two areas the lookup lacks (one
    // row) and a report without scores.
    gReportYear = 2026;
    frmReportview::Default().RepVar = "";
    const QStringList main = run(sql.Rep01BackgroundQuery(), {"LearnerID", "AddDisa"});
    EXPECT_GT(main.filter(QRegularExpression("^1\\|")).size(), 2);
    for (const char* absent : {"^4\\|", "^5\\|", "^17\\|"})
        EXPECT_TRUE(main.filter(QRegularExpression(absent)).isEmpty()) << absent;
    const QStringList dp = run(sql.Rep01DPQuery(), {"ID", "Comments", "Score", "Description"});
    for (const char* row :
         {"7|One|2|Mobility", "7|Two|2|Mobility", "2||1|Mobility", "1|Seen|2|", "13|No scores||"})
        EXPECT_TRUE(dp.contains(row))
            << row << dp.filter(QRegularExpression("^1\\\\|")).join(" ; ").toStdString();
    EXPECT_FALSE(run(sql.Rep01CFS(), {"LearnerID"}).contains("5"));
}
