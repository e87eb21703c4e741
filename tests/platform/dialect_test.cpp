// The host engine's SQL texts, as the windows hold them, run on SQLite.
#include "platform/adodb.h"
#include "platform/jetdialect.h"
#include "platform/sqlquote.h"
#include "tests/common/fixture.h"
#include "tests/platform/qtprint.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// A few host rows: two learners with their old learner numbers, grades and
// disabilities, in tables declared as the host product declares them.
const char* kHostTables = R"(
CREATE TABLE Learner_Info (ID INTEGER PRIMARY KEY, FName TEXT COLLATE NOCASE,
  SName TEXT COLLATE NOCASE, Grade INTEGER, AccessionNo TEXT COLLATE NOCASE,
  BirthDate TEXT COLLATE NOCASE, Status TEXT COLLATE NOCASE, LSENStatus INTEGER,
  SocialGrantNo TEXT COLLATE NOCASE, LSENDisabilities INTEGER, LearnerID INTEGER);
CREATE TABLE Disabilities (id INTEGER PRIMARY KEY, Name TEXT COLLATE NOCASE);
CREATE TABLE SchoolGrades (ID INTEGER PRIMARY KEY, Name TEXT COLLATE NOCASE,
  schoolgrade TEXT COLLATE NOCASE);
CREATE TABLE MultipleDisabilities (LearnerID INTEGER, DisabilityID INTEGER,
  Knumber TEXT COLLATE NOCASE, Testdate TEXT COLLATE NOCASE);
INSERT INTO Disabilities VALUES (1, 'Blind'), (2, 'Deaf'), (3, 'Epilepsy');
INSERT INTO SchoolGrades VALUES (1, 'Grade 1', 'Yes'), (2, 'Grade 2', 'No');
INSERT INTO Learner_Info VALUES
  (1, 'John', 'SMITH', 1, 'A001', '20120305', 'C', 2, '', 1, 501),
  (2, NULL, 'SMITH', 1, 'A002', '2012', 'C', 3, '', 2, 502),
  (3, 'Anna', 'Zulu', 2, 'A003', '20110101', 'C', 1, 'G9', 1, 503),
  (4, 'Piet', 'de Beer', 2, 'A004', '20100101', 'A', 2, '', 3, 504);
INSERT INTO MultipleDisabilities VALUES (1, 2, 'K1', '2024-01-05'), (1, 3, 'K1', '2024-01-05');
)";

} // namespace

class DialectTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("host.db");
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &db,
                                  SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
        rawExec(path, kHostTables);
        cn.setProperty("Data Source", path);
        cn.Open();
    }

    // Every row of a query through the layer, columns joined by '|', Null as "NULL".
    QStringList rows(const QString& sql) {
        ado::Recordset rs;
        rs.Open(sql, &cn);
        QStringList out;
        for (; !rs.Eof(); rs.MoveNext()) {
            QStringList cols;
            for (int i = 0; i < rs.fieldCount(); ++i) {
                const QVariant v = rs.Fields(i).Value();
                cols << (v.isNull() ? QStringLiteral("NULL") : v.toString());
            }
            out << cols.join('|');
        }
        return out;
    }

    QStringList names(const QString& sql) {
        ado::Recordset rs;
        rs.Open(sql, &cn);
        return rs.fieldNames();
    }

    qint64 exec(const QString& sql) {
        qint64 n = -1;
        cn.Execute(sql, &n);
        return n;
    }

    QTemporaryDir dir;
    QString path;
    ado::Connection cn;
};

// ---- tables ----------------------------------------------------------------------

TEST_F(DialectTest, SectionTableCounterNumbersItselfAndNeverReusesANumber) {
    exec("Create Table TAV_Health_Professional_Report(ID COUNTER, LearnerID LONG, "
         "Impairment_Type TEXT(4), Medical_Record_Viewed BIT, Medical_Record_Attached BIT, "
         "Comments MEMO, Data_Year INTEGER, Constraint Health_PK Primary Key (ID))");
    for (int i = 0; i < 3; ++i)
        exec("INSERT INTO TAV_Health_Professional_Report (LearnerID, Impairment_Type, "
             "Medical_Record_Viewed, Medical_Record_Attached, Data_Year, Comments) VALUES "
             "(1,'TEMP',True,False,2024,'007')");
    EXPECT_EQ(rows("SELECT ID FROM TAV_Health_Professional_Report"), QStringList({"1", "2", "3"}));
    exec("DELETE FROM TAV_Health_Professional_Report WHERE ID = 3");
    exec("INSERT INTO TAV_Health_Professional_Report (LearnerID, Data_Year) VALUES (2, 2024)");
    EXPECT_EQ(rawScalar(path, "SELECT max(ID) FROM TAV_Health_Professional_Report"), "4");

    // '007' stays text in a MEMO column; True and False are -1 and 0.
    EXPECT_EQ(rows("SELECT Comments, Medical_Record_Viewed, Medical_Record_Attached FROM "
                   "TAV_Health_Professional_Report WHERE ID = 1"),
              QStringList({"007|-1|0"}));
    EXPECT_EQ(rawScalar(path, "SELECT typeof(Comments) FROM TAV_Health_Professional_Report"),
              "text");

    // Column names and order as created; the constraint keeps its name.
    auto schema =
        cn.OpenSchema(ado::adSchemaColumns, {"", "", "TAV_Health_Professional_Report", ""});
    QStringList cols;
    for (; !schema->Eof(); schema->MoveNext())
        cols << schema->Fields("COLUMN_NAME").text();
    EXPECT_EQ(cols, QStringList({"ID", "LearnerID", "Impairment_Type", "Medical_Record_Viewed",
                                 "Medical_Record_Attached", "Comments", "Data_Year"}));
    EXPECT_TRUE(rawScalar(path, "SELECT sql FROM sqlite_master WHERE name = "
                                "'TAV_Health_Professional_Report'")
                    .contains("Health_PK"));
}

TEST_F(DialectTest, TextColumnRefusesAnOversizedValueAndKeepsItsLimit) {
    exec("Create Table TAV_ISP(ID COUNTER, LearnerID LONG, [Action] INTEGER, Target TEXT(255), "
         "Review_Date TEXT(30), Data_Year INTEGER, Constraint ISP_PK Primary Key (ID))");
    exec("INSERT INTO TAV_ISP (LearnerID, [Action], Target, Review_Date, Data_Year) VALUES "
         "(1, 2, 'x', '" +
         QString(30, 'd') + "', 2024)");
    try {
        exec("INSERT INTO TAV_ISP (LearnerID, [Action], Target, Review_Date, Data_Year) VALUES "
             "(1, 2, 'x', '" +
             QString(31, 'd') + "', 2024)");
        FAIL() << "an oversized value was stored";
    } catch (const AppError& e) {
        EXPECT_NE(e.number(), 0);
        EXPECT_FALSE(e.description().isEmpty());
    }
    EXPECT_EQ(rawScalar(path, "SELECT count(*) FROM TAV_ISP"), "1");
    // [Action] is a name, not a keyword; the literal 'X' matches 'x' whatever the case.
    EXPECT_EQ(
        rows("SELECT * FROM TAV_ISP WHERE LearnerID = 1 AND Action = 2 AND Target = 'X'").size(),
        1);
}

TEST_F(DialectTest, DateTimeColumnHoldsIsoTextAndLongAndBitHoldWholeNumbers) {
    exec("Create Table TAV_DBST_Support_Strategy(ID COUNTER, LearnerID LONG, Support_Needed "
         "TEXT(255), Support_Area INTEGER, Support_Level TEXT(1), School_Steps MEMO, "
         "Learner_Steps MEMO, Person_Responsible TEXT(255), Timeframe TEXT(255), Budget "
         "TEXT(100), School_Outcome TEXT(255), Learner_Outcome TEXT(255), Designation "
         "TEXT(255), Review_Date DATETIME, Data_Year INTEGER, Constraint STR_PK Primary Key "
         "(ID))");
    exec("INSERT INTO TAV_DBST_Support_Strategy (LearnerID, Support_Area, Review_Date, "
         "Data_Year) VALUES ('7', 3, #3/8/2024#, 2024)");
    exec("INSERT INTO TAV_DBST_Support_Strategy (LearnerID, Support_Area, Review_Date, "
         "Data_Year) VALUES (8, 4, #2024-11-30#, 2024)");
    EXPECT_EQ(rawRows(path, "SELECT LearnerID, typeof(LearnerID), Review_Date, "
                            "typeof(Review_Date) FROM TAV_DBST_Support_Strategy ORDER BY ID"),
              QStringList({"7|integer|2024-03-08|text", "8|integer|2024-11-30|text"}));
    // Compared with a date literal, as a date.
    EXPECT_EQ(rows("SELECT LearnerID FROM TAV_DBST_Support_Strategy WHERE Review_Date < "
                   "#10/1/2024#"),
              QStringList({"7"}));

    exec("Create Table TAV_Health_Professional_Report(ID COUNTER, LearnerID LONG, "
         "Impairment_Type TEXT(4), Medical_Record_Viewed BIT, Medical_Record_Attached BIT, "
         "Comments MEMO, Data_Year INTEGER, Constraint Health_PK Primary Key (ID))");
    exec("INSERT INTO TAV_Health_Professional_Report (LearnerID, Medical_Record_Viewed, "
         "Medical_Record_Attached, Data_Year) VALUES (1, True, '0', 2024)");
    EXPECT_EQ(rawRows(path, "SELECT Medical_Record_Viewed, typeof(Medical_Record_Viewed), "
                            "Medical_Record_Attached, typeof(Medical_Record_Attached) FROM "
                            "TAV_Health_Professional_Report"),
              QStringList({"-1|integer|0|integer"}));
}

TEST_F(DialectTest, LookupTableKeepsItsExplicitIds) {
    exec("Create Table TAV_lu_ISP_Actions(ID INTEGER, Description TEXT(100), "
         "Constraint LU_ISP_PK Primary Key (ID))");
    exec("INSERT INTO TAV_lu_ISP_Actions (ID, DESCRIPTION) VALUES (5, 'Assessment')");
    exec("INSERT INTO TAV_lu_ISP_Actions (ID, DESCRIPTION) VALUES (2, 'Curriculum')");
    EXPECT_EQ(rows("SELECT ID, Description FROM TAV_lu_ISP_Actions ORDER BY ID"),
              QStringList({"2|Curriculum", "5|Assessment"}));
    EXPECT_THROW(exec("INSERT INTO TAV_lu_ISP_Actions (ID, DESCRIPTION) VALUES (5, 'Again')"),
                 AppError);
}

TEST_F(DialectTest, KeyMigrationFillsMatchedRowsAndLeavesUnmatchedNull) {
    // A table of the older layout, keyed by the host's older learner number.
    exec("Create Table TAV_Factors_Community(ID COUNTER, Learner_ID LONG, Positive_Influence "
         "TEXT(255), Barrier TEXT(255), Data_Year INTEGER, Constraint Community_PK Primary Key "
         "(ID))");
    for (const char* row : {"(501, 'a', 2023)", "(503, 'b', 2023)", "(999, 'c', 2023)"})
        exec(QString("INSERT INTO TAV_Factors_Community (Learner_ID, Positive_Influence, "
                     "Data_Year) VALUES %1")
                 .arg(row));
    const QString name = "TAV_Factors_Community";
    exec("ALTER TABLE " + name + " ADD LearnerID LONG");
    exec("UPDATE " + name + " INNER JOIN Learner_Info as LI ON " + name +
         ".Learner_ID = LI.LearnerID " + "SET " + name + ".LearnerID = LI.ID");
    exec("ALTER TABLE " + name + " DROP COLUMN Learner_ID");
    EXPECT_EQ(rawRows(path, "SELECT Positive_Influence, LearnerID FROM TAV_Factors_Community "
                            "ORDER BY ID"),
              QStringList({"a|1", "b|3", "c|NULL"}));
    EXPECT_THROW(rows("Select Learner_ID from " + name), AppError);
    EXPECT_EQ(rows("Select LearnerID from " + name).size(), 3);
}

// ---- statement forms -------------------------------------------------------------

TEST_F(DialectTest, DeleteForms) {
    exec("Create Table TAV_Learner_Background_Info(ID COUNTER, LearnerID LONG, "
         "Nature_Of_Support_Received TEXT(255), Name_Of_Provider TEXT(255), Contact_Details "
         "TEXT(255), Family_Situation MEMO, Parent_Understanding_Of_Child MEMO, Data_Year "
         "INTEGER, Constraint Background_Info_PK Primary Key (ID))");
    const auto fill = [&] {
        exec("DELETE FROM TAV_Learner_Background_Info");
        for (const char* v : {"(1, 2024)", "(1, 2023)", "(2, 2024)", "(99, 2024)"})
            exec(QString("INSERT INTO TAV_Learner_Background_Info (LearnerID, Data_Year) "
                         "VALUES %1")
                     .arg(v));
    };
    const auto left = [&] {
        return rawRows(path, "SELECT LearnerID || '/' || Data_Year FROM "
                             "TAV_Learner_Background_Info ORDER BY ID");
    };
    fill();
    EXPECT_EQ(exec("DELETE * FROM TAV_Learner_Background_Info WHERE LearnerID = 1 AND "
                   "Data_Year = 2024"),
              1);
    EXPECT_EQ(left(), QStringList({"1/2023", "2/2024", "99/2024"}));

    fill();
    EXPECT_EQ(exec("DELETE FROM TAV_Learner_Background_Info TAV_Learner_Background_Info "
                   "WHERE LearnerID = 2 AND Data_Year = 2024"),
              1);
    EXPECT_EQ(left(), QStringList({"1/2024", "1/2023", "99/2024"}));

    fill();
    EXPECT_EQ(exec("DELETE TAV_Learner_Background_Info.* FROM TAV_Learner_Background_Info "
                   "INNER JOIN Learner_Info on TAV_Learner_Background_Info.LearnerID = "
                   "Learner_Info.ID WHERE TAV_Learner_Background_Info.LearnerID = 1 AND "
                   "TAV_Learner_Background_Info.Data_Year = 2024"),
              1);
    EXPECT_EQ(left(), QStringList({"1/2023", "2/2024", "99/2024"}));

    // Without a matching learner the joined delete touches nothing.
    EXPECT_EQ(exec("DELETE TAV_Learner_Background_Info.* FROM TAV_Learner_Background_Info "
                   "INNER JOIN Learner_Info on TAV_Learner_Background_Info.LearnerID = "
                   "Learner_Info.ID WHERE TAV_Learner_Background_Info.LearnerID = 99"),
              0);
}

TEST_F(DialectTest, UpdateWithQualifiedTarget) {
    EXPECT_EQ(exec("UPDATE Learner_Info SET Learner_Info.LSENDisabilities = 3 WHERE "
                   "Learner_Info.ID = 2"),
              1);
    EXPECT_EQ(rawScalar(path, "SELECT LSENDisabilities FROM Learner_Info WHERE ID = 2"), "3");
}

TEST_F(DialectTest, DateLiteralIsStoredAsIsoText) {
    exec("INSERT into MultipleDisabilities(LearnerID,DisabilityID,Knumber,Testdate)VALUES(3,0,"
         "' ',#2024-03-07#)");
    exec("INSERT into MultipleDisabilities(LearnerID,DisabilityID,Knumber,Testdate)VALUES(3,1,"
         "'K''9',#3/8/2024#)");
    EXPECT_EQ(rawRows(path, "SELECT Knumber, Testdate FROM MultipleDisabilities WHERE "
                            "LearnerID = 3 ORDER BY DisabilityID"),
              QStringList({" |2024-03-07", "K'9|2024-03-08"}));

    // What the user typed is stored as typed, whatever it looks like.
    const QString typed = "O''Neill & de Beer / True #1/2/2024# [x] Left( \"y\" -- ;";
    exec("INSERT into MultipleDisabilities(LearnerID,DisabilityID,Knumber,Testdate)VALUES(4,0,'" +
         typed + "',#2024-03-07#)");
    EXPECT_EQ(rawScalar(path, "SELECT Knumber FROM MultipleDisabilities WHERE LearnerID = 4"),
              QString(typed).replace("''", "'"));
}

// Quoted text, [names] and #dates# pass through untouched.
TEST(JetTranslation, LeavesQuotedTextAlone) {
    const QString t = translateJetSql("SELECT 'a & b / True' & [x & y], 'Left(' FROM T "
                                      "WHERE d = #2024-01-02#");
    EXPECT_TRUE(t.contains("'a & b / True'")) << t.toStdString();
    EXPECT_TRUE(t.contains("[x & y]")) << t.toStdString();
    EXPECT_TRUE(t.contains("'Left('")) << t.toStdString();
    EXPECT_TRUE(t.contains("'2024-01-02'")) << t.toStdString();
    const QString plain = "SELECT a, b FROM T WHERE c = 1";
    EXPECT_EQ(translateJetSql(plain), plain);
}

// ---- expressions -----------------------------------------------------------------

TEST_F(DialectTest, ConcatenationTreatsNullAsEmptyText) {
    EXPECT_EQ(rows("SELECT LI.ID AS LearnerID, LI.SName & ', ' & LI.FName AS Learner FROM "
                   "Learner_Info AS LI WHERE LI.ID <= 2 ORDER BY LI.ID"),
              QStringList({"1|SMITH, John", "2|SMITH, "}));
    EXPECT_EQ(rows("SELECT 1 & 2, 'n' & 2.5, NULL & NULL"), QStringList({"12|n2.5|NULL"}));
}

TEST_F(DialectTest, DivisionIsFloatingAndCIntRoundsHalvesToEven) {
    ado::Recordset rs;
    rs.Open("SELECT 5/3 AS q, (2+3)/3/2 AS r", &cn);
    EXPECT_EQ(QString::number(rs.Fields("q").Value().toDouble(), 'f', 2), "1.67");
    EXPECT_NEAR(rs.Fields("r").Value().toDouble(), 5.0 / 6.0, 1e-12);
    EXPECT_EQ(rows("SELECT 6/3, CInt(2.5), CInt(3.5), CInt(-2.5), CInt(2.6), CInt('1.5'), "
                   "CInt(NULL), CInt(7/2)"),
              QStringList({"2|2|4|-2|3|2|NULL|4"}));
    EXPECT_THROW(rows("SELECT CInt(40000)"), AppError);
}

TEST_F(DialectTest, BirthDateExpressionOfTheProfileQuery) {
    EXPECT_EQ(rows("SELECT LI.ID, LI.SName & ' ' & LI.FName AS LName, IIf(Len(LI.BirthDate)=8,"
                   " Mid(LI.BirthDate,7,2) & '/' & Mid(LI.BirthDate,5,2) & ' / ' & "
                   "Left(LI.BirthDate,4),'') AS BirthDate, IIF(IsNull(LI.FName), False, True) "
                   "AS Named FROM Learner_Info AS LI WHERE LI.ID <= 2 ORDER BY LI.ID"),
              QStringList({"1|SMITH John|05/03 / 2012|-1", "2|SMITH ||0"}));
}

// ---- the program's join queries -----------------------------------------------------

namespace {
const char* kReviewTable =
    "Create Table TAV_DBST_Review_ILST_Request(ID COUNTER, LearnerID LONG, "
    "ISLT_Coord_Educ_Req_Made BIT, Parent_Accept_Recom BIT, Parent_Reason MEMO, "
    "ISLT_Approved_Reason MEMO, ISLT_Not_Approved_Reason MEMO, DBST_Support_School_Site "
    "INTEGER, Senior_Manager_Approval MEMO, School_Discussed_Parent BIT, "
    "School_Discussed_Comment MEMO, Data_Year INTEGER, Constraint REV_PK Primary Key (ID))";

QString reviewQuery(int year, int learner) {
    return QString("SELECT DBSTRR.ISLT_Coord_Educ_Req_Made, DBSTRR.Parent_Accept_Recom, "
                   "DBSTRR.Parent_Reason, DBSTRR.ISLT_Approved_Reason, "
                   "DBSTRR.ISLT_Not_Approved_Reason, DI.Name FROM TAV_DBST_Review_ILST_Request "
                   "AS DBSTRR RIGHT JOIN (Learner_Info as LI LEFT JOIN Disabilities as DI ON "
                   "(LI.LSENDisabilities = DI.ID)) ON (DBSTRR.LearnerID = LI.ID AND "
                   "DBSTRR.Data_Year = %1) WHERE LI.ID = %2")
        .arg(year)
        .arg(learner);
}
} // namespace

TEST_F(DialectTest, RightJoinOnTheLearnerGivesTheLearnersRowWithOrWithoutAReview) {
    exec(kReviewTable);
    exec("INSERT INTO TAV_DBST_Review_ILST_Request (LearnerID, ISLT_Coord_Educ_Req_Made, "
         "Parent_Accept_Recom , Parent_Reason, ISLT_Approved_Reason, ISLT_Not_Approved_Reason, "
         "Data_Year) VALUES (1,True,False,'r','a','n',2024)");
    EXPECT_EQ(names(reviewQuery(2024, 1)),
              QStringList({"ISLT_Coord_Educ_Req_Made", "Parent_Accept_Recom", "Parent_Reason",
                           "ISLT_Approved_Reason", "ISLT_Not_Approved_Reason", "Name"}));
    EXPECT_EQ(rows(reviewQuery(2024, 1)), QStringList({"-1|0|r|a|n|Blind"}));
    EXPECT_EQ(rows(reviewQuery(2023, 1)), QStringList({"NULL|NULL|NULL|NULL|NULL|Blind"}));
    EXPECT_EQ(rows(reviewQuery(2024, 99)), QStringList());
}

TEST_F(DialectTest, BackgroundLoadAndAdditionalDisabilitiesQueries) {
    exec("Create Table TAV_Learner_Background_Info(ID COUNTER, LearnerID LONG, "
         "Nature_Of_Support_Received TEXT(255), Name_Of_Provider TEXT(255), Contact_Details "
         "TEXT(255), Family_Situation MEMO, Parent_Understanding_Of_Child MEMO, Data_Year "
         "INTEGER, Constraint Background_Info_PK Primary Key (ID))");
    exec("INSERT INTO TAV_Learner_Background_Info (LearnerID, Nature_Of_Support_Received, "
         "Name_Of_Provider, Contact_Details, Family_Situation, Parent_Understanding_Of_Child, "
         "Data_Year) VALUES (1,'Speech','Dr Mokoena','012','Lives with gran','Good',2024)");
    const QString load = "SELECT BI.*, LI.LSENDisabilities AS MainDisID, DI.Name AS MainDis "
                         "FROM (TAV_Learner_Background_Info as BI Right Join "
                         "Learner_Info  as LI ON (BI.LearnerID = LI.ID AND BI.Data_Year = "
                         "%1)) INNER JOIN Disabilities as DI ON LI.LSENDisabilities = DI.id "
                         "WHERE LI.ID = 1";
    ado::Recordset rs;
    rs.Open(load.arg(2024), &cn);
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Fields("ID").text(), "1");
    EXPECT_EQ(rs.Fields("nature_of_support_received").text(), "Speech");
    EXPECT_EQ(rs.Fields("Data_Year").text(), "2024");
    EXPECT_EQ(rs.Fields("MainDis").text(), "Blind");
    rs.Close();
    rs.Open(load.arg(2023), &cn);
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_TRUE(rs.Fields("Name_Of_Provider").isNull());
    EXPECT_EQ(rs.Fields("MainDisID").text(), "1");

    EXPECT_EQ(rows("SELECT LI.ID, MD.DisabilityID as DisID, D2.Name as Disability From  "
                   "((Learner_Info as LI  INNER JOIN MultipleDisabilities as MD on  LI.ID = "
                   "MD.LearnerID) INNER JOIN Disabilities AS D2 ON MD.DisabilityID = D2.id) "
                   "Where LI.ID = 1"),
              QStringList({"1|2|Deaf", "1|3|Epilepsy"}));
    EXPECT_EQ(rows("Select Di.ID, Di.Name from Disabilities as Di  WHERE Di.ID NOT IN (SELECT "
                   "MDis.DisabilityID FROM MultipleDisabilities as MDis INNER JOIN Learner_Info "
                   "ON MDis.LearnerID = Learner_Info.ID  WHERE (((Learner_Info.ID)=1)))"),
              QStringList({"1|Blind"}));
}

// The diagnostic-profile query of the learner profile: nested bracketed left
// joins, a column named from a joined lookup, and the average score by CInt.
TEST_F(DialectTest, DiagnosticProfileQueryAveragesScoresPerArea) {
    exec("Create Table TAV_Health_Professional_Report(ID COUNTER, LearnerID LONG, "
         "Impairment_Type TEXT(4), Medical_Record_Viewed BIT, Medical_Record_Attached BIT, "
         "Comments MEMO, Data_Year INTEGER, Constraint Health_PK Primary Key (ID))");
    exec("Create Table TAV_Criteria_For_Selection(ID COUNTER, LearnerID LONG, Sub_Section "
         "INTEGER, Score INTEGER, Data_Year INTEGER, Constraint Criteria_PK Primary Key (ID))");
    exec("Create Table TAV_lu_Impairment_Area(ID INTEGER, Description TEXT(50), Constraint "
         "LU_Impairment_PK Primary Key (ID))");
    exec("Create Table TAV_lu_Activity_Domain_Sub_Section(ID INTEGER, Activity_Domain INTEGER, "
         "Description TEXT(50), Constraint LU_Domain_PK Primary Key (ID))");
    exec("INSERT INTO TAV_lu_Impairment_Area (ID, DESCRIPTION) VALUES (1, 'Mobility')");
    exec("INSERT INTO TAV_lu_Impairment_Area (ID, DESCRIPTION) VALUES (2, 'Self-care')");
    for (const char* row :
         {"(1, 1, 'Transfer')", "(2, 1, 'Walking')", "(3, 2, 'Eating')", "(4, 2, 'Dressing')"})
        exec(QString("INSERT INTO TAV_lu_Activity_Domain_Sub_Section "
                     "(ID,Activity_Domain,DESCRIPTION) VALUES %1")
                 .arg(row));
    exec("INSERT INTO TAV_Health_Professional_Report (LearnerID, Impairment_Type, "
         "Medical_Record_Viewed, Medical_Record_Attached, Data_Year, Comments) VALUES "
         "(1,'PERM',True,False,2024,' ')");
    // Mobility 1 and 2 (1.5 rounds to 2), self-care 2 and 3 (2.5 rounds to 2).
    for (const char* row : {"(1,1,1,2024)", "(1,2,2,2024)", "(1,3,2,2024)", "(1,4,3,2024)"})
        exec(QString("INSERT INTO TAV_Criteria_For_Selection (LearnerID, Sub_Section, Score, "
                     "Data_Year) VALUES %1")
                 .arg(row));
    const QString y = "2024";
    const QString sql =
        "SELECT LI.ID, LI.SName & ' ' & LI.FName AS LName, IIf(Len(LI.BirthDate)=8,"
        " Mid(LI.BirthDate,7,2) & '/' & Mid(LI.BirthDate,5,2) & ' / ' & Left(LI.BirthDate,4),'') "
        "AS BirthDate,"
        " Disabilities.Name AS Disability, HPR.Data_Year, HPR.Impairment_Type, "
        "IIF(IsNull(HPR.Medical_Record_Viewed), False,HPR.Medical_Record_Viewed) as "
        "Medical_Record_Viewed,"
        " IIF(IsNull(HPR.Medical_Record_Attached),False,HPR.Medical_Record_Attached) as "
        "Medical_Record_Attached, HPR.Comments, CInt(Sum(CFS.Score)/Count(CFS.Sub_Section)) AS "
        "Score, LIA.Description"
        " FROM (Learner_Info AS LI LEFT JOIN ((TAV_Health_Professional_Report AS HPR LEFT JOIN"
        " (TAV_Criteria_For_Selection AS CFS LEFT JOIN TAV_lu_Activity_Domain_Sub_Section AS LADS"
        " ON CFS.Sub_Section = LADS.ID) ON HPR.LearnerID = CFS.LearnerID) LEFT JOIN "
        "TAV_lu_Impairment_Area AS LIA"
        " ON LADS.Activity_Domain = LIA.ID) ON (LI.ID = HPR.LearnerID AND (HPR.Data_Year)=" +
        y +
        "))"
        " INNER JOIN Disabilities ON LI.LSENDisabilities = Disabilities.id"
        " GROUP BY LI.ID, LI.SName & ' ' & LI.FName, Disabilities.Name, HPR.Data_Year, "
        "HPR.Impairment_Type,"
        " IIF(IsNull(HPR.Medical_Record_Viewed), False,HPR.Medical_Record_Viewed),"
        " IIF(IsNull(HPR.Medical_Record_Attached),False,HPR.Medical_Record_Attached), "
        "HPR.Comments, LIA.Description, LI.BirthDate, LI.Grade, LI.Status"
        " ORDER BY LI.SName & ' ' & LI.FName, Disabilities.Name, LIA.Description, LI.Grade";
    ado::Recordset rs;
    rs.Open(sql, &cn);
    EXPECT_EQ(rs.fieldNames(),
              QStringList({"ID", "LName", "BirthDate", "Disability", "Data_Year", "Impairment_Type",
                           "Medical_Record_Viewed", "Medical_Record_Attached", "Comments", "Score",
                           "Description"}));
    EXPECT_EQ(rows(sql),
              QStringList({"4|de Beer Piet|01/01 / 2010|Epilepsy|NULL|NULL|0|0|NULL|NULL|NULL",
                           "2|SMITH ||Deaf|NULL|NULL|0|0|NULL|NULL|NULL",
                           "1|SMITH John|05/03 / 2012|Blind|2024|PERM|-1|0| |2|Mobility",
                           "1|SMITH John|05/03 / 2012|Blind|2024|PERM|-1|0| |2|Self-care",
                           "3|Zulu Anna|01/01 / 2011|Blind|NULL|NULL|0|0|NULL|NULL|NULL"}));
}

// ---- text without regard to case -------------------------------------------------

TEST_F(DialectTest, TextSortsGroupsAndComparesWithoutRegardToCase) {
    // The learner list and the profile's order: "de Beer" before "SMITH" before "Zulu".
    EXPECT_EQ(rows("SELECT l.SName FROM Learner_Info l LEFT JOIN SchoolGrades s ON s.ID = "
                   "l.Grade WHERE l.Status = 'C' AND (l.LSENStatus in (2,3) OR l.SocialGrantNo "
                   "<> '') ORDER BY l.SName"),
              QStringList({"SMITH", "SMITH", "Zulu"}));
    EXPECT_EQ(rows("SELECT LI.SName & ', ' & LI.FName AS Learner FROM Learner_Info AS LI "
                   "ORDER BY LI.SName & ', ' & LI.FName"),
              QStringList({"de Beer, Piet", "SMITH, ", "SMITH, John", "Zulu, Anna"}));

    // A table of the host declared without NOCASE still compares literals so.
    rawExec(path, "CREATE TABLE Plain (Code TEXT, Name TEXT); INSERT INTO Plain VALUES "
                  "('C', 'Dr Smith'), ('c', 'DR SMITH'), ('A', 'Mr Zulu');");
    EXPECT_EQ(rows("SELECT Name FROM Plain WHERE Code = 'c' ORDER BY Name").size(), 2);
    EXPECT_EQ(rows("SELECT Name FROM Plain WHERE 'C' = Code").size(), 2);
    EXPECT_EQ(rows("SELECT Name FROM Plain GROUP BY Name ORDER BY Name"),
              QStringList({"Dr Smith", "Mr Zulu"}));

    // The provider list: one entry for names that differ only in case.
    exec("Create Table TAV_Learner_Background_Info(ID COUNTER, LearnerID LONG, "
         "Nature_Of_Support_Received TEXT(255), Name_Of_Provider TEXT(255), Contact_Details "
         "TEXT(255), Family_Situation MEMO, Parent_Understanding_Of_Child MEMO, Data_Year "
         "INTEGER, Constraint Background_Info_PK Primary Key (ID))");
    for (const char* p : {"'Dr Smith'", "'DR SMITH'", "'de Wet'"})
        exec(QString("INSERT INTO TAV_Learner_Background_Info (LearnerID, Name_Of_Provider, "
                     "Data_Year) VALUES (1, %1, 2024)")
                 .arg(p));
    EXPECT_EQ(rows("SELECT DISTINCT Name_Of_Provider FROM TAV_Learner_Background_Info WHERE "
                   "Data_Year = 2024 Group By Name_Of_Provider")
                  .size(),
              2);
    EXPECT_EQ(rows("SELECT BI.Name_Of_Provider FROM TAV_Learner_Background_Info AS BI WHERE "
                   "BI.Name_Of_Provider = 'dr smith'")
                  .size(),
              2);
}

// Only text is ordered and grouped with the text collation: a number ordered
// by it keeps SQLite from reading an index in its order.
TEST_F(DialectTest, NoCollationOnATermThatIsANumber) {
    exec("Create Table TAV_Criteria_For_Selection(ID COUNTER, LearnerID LONG, Sub_Section LONG, "
         "Score LONG, Data_Year INTEGER, Constraint CFS_PK Primary Key (ID))");
    exec("CREATE INDEX CFS_Learner_Year ON TAV_Criteria_For_Selection (LearnerID, Data_Year)");
    exec("Create Table TAV_lu_Activity_Domain_Sub_Section(ID LONG, Activity_Domain LONG, "
         "Description TEXT(255))");
    exec("INSERT INTO TAV_lu_Activity_Domain_Sub_Section VALUES (1, 1, 'walking'), "
         "(2, 1, 'Climbing'), (3, 2, 'eating')");
    for (const char* v : {"(3, 1, 2, 2024)", "(1, 3, 1, 2024)", "(1, 1, 3, 2024)",
                          "(1, 2, 2, 2024)", "(2, 1, 1, 2023)", "(12, 2, 1, 2024)"})
        exec(QString("INSERT INTO TAV_Criteria_For_Selection (LearnerID, Sub_Section, Score, "
                     "Data_Year) VALUES %1")
                 .arg(v));
    const auto translated = [&](const QString& sql) { return translateJetSql(sql, cn.handle()); };
    const auto collatedTerms = [](const QString& sql) {
        QStringList terms;
        const QRegularExpression collated(R"(([\w.()\[\]]+)\s+COLLATE\s+jet_nocase)");
        for (auto it = collated.globalMatch(sql); it.hasNext();)
            terms << it.next().captured(1);
        return terms;
    };

    // Whole numbers: a column the table declares as one, through an alias, in
    // a derived table, and a count; text keeps its collation.
    const QString scores =
        "SELECT CFS.LearnerID, CFS.Score, ADSS.Description AS ADomain FROM "
        "TAV_Criteria_For_Selection AS CFS INNER JOIN TAV_lu_Activity_Domain_Sub_Section AS "
        "ADSS ON CFS.Sub_Section = ADSS.ID WHERE CFS.Data_Year = 2024 AND CFS.LearnerID IN "
        "(1, 3, 12) ORDER BY CFS.LearnerID, ADSS.Description";
    EXPECT_EQ(collatedTerms(translated(scores)), QStringList{"ADSS.Description"});
    EXPECT_EQ(rows(scores), QStringList({"1|2|Climbing", "1|1|eating", "1|3|walking", "3|2|walking",
                                         "12|1|Climbing"}));
    const QString grouped =
        "SELECT S.LearnerID, LADS.Activity_Domain, Count(S.Sub_Section) AS N FROM "
        "(SELECT LearnerID, Sub_Section FROM TAV_Criteria_For_Selection WHERE Data_Year = 2024) "
        "AS S LEFT JOIN TAV_lu_Activity_Domain_Sub_Section AS LADS ON S.Sub_Section = LADS.ID "
        "GROUP BY S.LearnerID, LADS.Activity_Domain ORDER BY Count(S.Sub_Section) DESC, "
        "S.LearnerID";
    EXPECT_EQ(collatedTerms(translated(grouped)), QStringList());
    EXPECT_EQ(rows(grouped), QStringList({"1|1|2", "1|2|1", "3|1|1", "12|1|1"}));

    // Text, a result column's name and an expression stay text; so does
    // every column translated without the database.
    const QString texts = "SELECT LI.SName & ', ' & LI.FName AS Learner, LI.ID FROM "
                          "Learner_Info AS LI GROUP BY LI.SName, LI.FName, LI.ID "
                          "ORDER BY Learner, LI.ID";
    EXPECT_EQ(collatedTerms(translated(texts)), QStringList({"LI.SName", "LI.FName", "Learner"}));
    EXPECT_EQ(translated("SELECT LI.ID FROM Learner_Info AS LI ORDER BY LI.SName & ', ' & "
                         "LI.FName, LI.ID")
                  .section(" ORDER BY ", 1),
              QString("jet_concat(LI.SName,', ',LI.FName) COLLATE jet_nocase, LI.ID"));
    EXPECT_EQ(rows(texts),
              QStringList({"de Beer, Piet|4", "SMITH, |2", "SMITH, John|1", "Zulu, Anna|3"}));
    EXPECT_EQ(collatedTerms(translateJetSql(scores)),
              QStringList({"CFS.LearnerID", "ADSS.Description"}));

    // The scores of the learners in order of the learner read from the
    // learner-year index, only each learner's rows sorted on the text.
    ado::Recordset explain;
    explain.Open("EXPLAIN QUERY PLAN " + scores, &cn);
    QStringList steps;
    for (; !explain.Eof(); explain.MoveNext())
        steps << explain.Fields("detail").text();
    EXPECT_TRUE(steps.join('\n').contains("RIGHT PART OF ORDER BY"))
        << steps.join('\n').toStdString();

    // A column of the same name declared as text again is text: the
    // translation holds for the schema it was made for.
    exec("DROP TABLE TAV_lu_Activity_Domain_Sub_Section");
    exec("Create Table TAV_lu_Activity_Domain_Sub_Section(ID LONG, Activity_Domain TEXT(20), "
         "Description TEXT(255))");
    EXPECT_EQ(collatedTerms(translated(grouped)), QStringList{"LADS.Activity_Domain"});
}

TEST_F(DialectTest, ListReportColumnsKeepTheirPlainNames) {
    rawExec(path, "CREATE TABLE TAV_Learner_Background_Info (ID INTEGER PRIMARY KEY, LearnerID "
                  "INTEGER, Name_Of_Provider TEXT, Data_Year INTEGER);"
                  "INSERT INTO TAV_Learner_Background_Info VALUES (1, 1, 'Dr M', 2024);");
    const QString sql = "SELECT LI.AccessionNo, LI.SName, LI.FName, Disa.Name AS Disability, "
                        "SG.Name FROM ((Learner_Info as LI INNER JOIN "
                        "TAV_Learner_Background_Info as BI ON LI.ID = BI.LearnerID) INNER JOIN "
                        "Disabilities as Disa ON LI.LSENDisabilities = Disa.id) INNER JOIN "
                        "SchoolGrades as SG ON LI.Grade = SG.ID WHERE (((LI.Status) = 'C') And "
                        "((BI.Data_Year) = 2024)) ORDER BY Disa.Name, SG.Name,LI.SName";
    EXPECT_EQ(names(sql), QStringList({"AccessionNo", "SName", "FName", "Disability", "Name"}));
    // Inside a bracketed join SQLite would call these "Name:1".
    for (const char* select : {"SELECT SG.Name", "SELECT DISTINCT SG.Name"})
        EXPECT_EQ(names(QString(select) + " FROM (Learner_Info AS LI LEFT JOIN (Disabilities AS D "
                                          "LEFT JOIN SchoolGrades AS SG ON D.id = SG.ID) ON "
                                          "LI.LSENDisabilities = D.id)"),
                  QStringList({"Name"}));
    EXPECT_EQ(rows(sql), QStringList({"A001|SMITH|John|Blind|Grade 1"}));
}

TEST_F(DialectTest, YesNoValueReadsTrueWhenNonZero) {
    rawExec(path, "CREATE TABLE Flags (V); INSERT INTO Flags VALUES (-1), (1), ('1'), (0), "
                  "('0'), (NULL), ('True');");
    ado::Recordset rs;
    rs.Open("SELECT V FROM Flags", &cn);
    QList<bool> read;
    for (; !rs.Eof(); rs.MoveNext())
        read << rs.Fields("v").isTrue();
    EXPECT_EQ(read, QList<bool>({true, true, true, false, false, false, true}));
}

// ---- what the host engine prints and refuses -------------------------------------

TEST_F(DialectTest, TextFunctionsReadADivisionAsTheHostEnginePrintsIt) {
    EXPECT_EQ(rows("SELECT Len(4/2), Mid(6/3, 1), Left(7/2, 3), 'n' & 6/3, Len(1/4), 6/3 & ''"),
              QStringList({"1|2|3.5|n2|4|2"}));
}

TEST_F(DialectTest, MalformedTextIsRefusedNeverRewritten) {
    const QStringList malformed = {
        "SELECT \"abc AS x",              // unterminated text
        "SELECT 'abc AS x",               //
        "SELECT [Name FROM Disabilities", // unterminated name
        "SELECT 'a'\"b\"",                // two literals, no operator
        "SELECT ##'x'",                   //
        "SELECT #2024-01-02#'x'",         //
        "SELECT #next week#",             // no date
        "SELECT Name FROM Disabilities WHERE Name = 'Blind'\"Deaf\"",
    };
    for (const QString& sql : malformed) {
        SCOPED_TRACE(sql.toStdString());
        EXPECT_THROW(translateJetSql(sql), AppError);
        EXPECT_THROW(rows(sql), AppError);
    }
    for (const QString& sql : {QString("DELETE junk FROM Disabilities WHERE id = 1"),
                               QString("DELETE Disabilities FROM Disabilities"),
                               QString("DELETE id, Name FROM Disabilities")}) {
        SCOPED_TRACE(sql.toStdString());
        EXPECT_THROW(exec(sql), AppError);
    }
    EXPECT_EQ(rows("SELECT count(*) FROM Disabilities"), QStringList{"3"});

    // A doubled quote inside one literal stays what it is.
    EXPECT_EQ(rows("SELECT 'O''Neill', \"say \"\"hi\"\"\", 'a' & \"b\""),
              QStringList({"O'Neill|say \"hi\"|ab"}));
    EXPECT_EQ(exec("DELETE * FROM Disabilities WHERE id = 3"), 1);
    EXPECT_EQ(exec("DELETE Disabilities.* FROM Disabilities WHERE id = 2"), 1);
}

// A name in brackets holds a doubled ] for each of its own: whatever else it
// holds (a quote, a ; or a whole statement), it stays one name.
TEST_F(DialectTest, ANameHoldingABracketStaysOneName) {
    const QStringList crafted = {"a]b", "x]; DROP TABLE Disabilities; --", "say \"hi\"]", "]",
                                 "[Tbl].[ID]"};
    QStringList defs;
    for (QString name : crafted)
        defs << '"' + name.replace('"', "\"\"") + "\" INTEGER";
    rawExec(path, "CREATE TABLE W (" + defs.join(", ") + ")");
    QStringList columns, values;
    for (int i = 0; i < crafted.size(); ++i) {
        columns << bracketedName(crafted[i]);
        values << QString::number(i + 1);
    }
    EXPECT_EQ(bracketedName(crafted[0]), "[a]]b]");

    EXPECT_EQ(exec("INSERT INTO W (" + columns.join(", ") + ") VALUES (" + values.join(", ") + ")"),
              1);
    EXPECT_EQ(rows("SELECT [W]." + columns.join(", [W].") + " FROM [W]"),
              QStringList{values.join('|')});
    EXPECT_EQ(names(QString("SELECT W.") + columns[0] + " FROM W"), QStringList{"a]b"});
    EXPECT_EQ(rows("SELECT count(*) FROM Disabilities"), QStringList{"3"});
    EXPECT_EQ(exec("UPDATE W SET " + columns[1] + " = 7 WHERE " + columns[4] + " = 5"), 1);
    EXPECT_EQ(rows("SELECT " + columns[1] + " FROM W"), QStringList{"7"});
    // A ] that is not doubled still ends the name.
    EXPECT_THROW(rows("SELECT [a]]b FROM W"), AppError);
    EXPECT_THROW(rows("SELECT [a]b] FROM W"), AppError);
}

// The file's own code (its triggers and views) runs with the engine's own
// harmless functions only: none of the program's, which only the program's
// statements call, and its schema is never written as data.
TEST_F(DialectTest, TheFilesTriggersAndViewsCallNoneOfTheProgramsFunctions) {
    rawExec(path, "CREATE TABLE Audit (What TEXT, At TEXT);"
                  "CREATE TRIGGER archive AFTER UPDATE OF Grade ON Learner_Info BEGIN "
                  "UPDATE Learner_Info SET Status = 'A' WHERE ID = cint(len('x')); END;"
                  "CREATE TRIGGER audit AFTER UPDATE OF FName ON Learner_Info BEGIN "
                  "INSERT INTO Audit VALUES (upper(NEW.FName) || length(NEW.SName), "
                  "datetime('now')); END;"
                  "CREATE VIEW Lengths AS SELECT ID, len(SName) AS n FROM Learner_Info;"
                  "CREATE VIEW Plain AS SELECT ID, length(SName) AS n FROM Learner_Info;");

    try {
        exec("UPDATE Learner_Info SET Grade = 2 WHERE ID = 3");
        ADD_FAILURE() << "the trigger ran";
    } catch (const AppError& e) {
        EXPECT_EQ(e.description(), "unsafe use of len(): a trigger or view of the database "
                                   "file calls what it may not");
    }
    EXPECT_EQ(rows("SELECT ID, Grade, Status FROM Learner_Info WHERE ID IN (1, 3) ORDER BY ID"),
              QStringList({"1|1|C", "3|2|C"}));
    EXPECT_THROW(rows("SELECT n FROM Lengths"), AppError);
    // The program's own statements call them, on the same rows.
    EXPECT_EQ(rows("SELECT len(SName), cint(len('x')) FROM Learner_Info WHERE ID = 1"),
              QStringList{"5|1"});
    // A plain trigger and a plain view work as the host product made them.
    EXPECT_EQ(exec("UPDATE Learner_Info SET FName = 'Jan' WHERE ID = 1"), 1);
    EXPECT_EQ(rows("SELECT What FROM Audit"), QStringList{"JAN5"});
    EXPECT_EQ(rows("SELECT n FROM Plain WHERE ID = 1"), QStringList{"5"});

    // The schema is no table to write.
    try {
        exec("PRAGMA writable_schema = ON");
    } catch (const AppError&) {
    }
    EXPECT_THROW(exec("UPDATE sqlite_master SET sql = 'CREATE TABLE Audit (x)' "
                      "WHERE name = 'Audit'"),
                 AppError);
    EXPECT_EQ(rawScalar(path, "SELECT count(*) FROM sqlite_master WHERE sql LIKE '%What%'"), "1");
}

TEST_F(DialectTest, EveryLetterSortsAndMatchesWithoutCase) {
    exec("INSERT INTO Learner_Info (ID, FName, SName, Status, LSENStatus, SocialGrantNo) VALUES "
         "(11, 'Karabo', 'ZWANE', 'C', 2, ''), (12, 'Émile', 'ÉBERSOHN', 'C', 2, ''), "
         "(13, 'Ana', 'ÑANDÚ', 'C', 2, ''), (14, 'Lwazi', 'Ndlovu', 'C', 2, '')");
    EXPECT_EQ(rows("SELECT l.SName & ' ' & l.FName FROM Learner_Info l WHERE l.ID > 10 ORDER BY "
                   "l.SName"),
              QStringList({"ÉBERSOHN Émile", "ÑANDÚ Ana", "Ndlovu Lwazi", "ZWANE Karabo"}));
    EXPECT_EQ(rows("SELECT FName FROM Learner_Info WHERE SName = 'éBERSOHN'"),
              QStringList{"Émile"});
    EXPECT_EQ(rows("SELECT FName FROM Learner_Info WHERE SName = 'ñandú'"), QStringList{"Ana"});

    exec("Create Table TAV_Learner_Background_Info(ID COUNTER, LearnerID LONG, "
         "Nature_Of_Support_Received TEXT(255), Name_Of_Provider TEXT(255), Contact_Details "
         "TEXT(255), Family_Situation MEMO, Parent_Understanding_Of_Child MEMO, Data_Year "
         "INTEGER, Constraint Background_Info_PK Primary Key (ID))");
    for (const char* p : {"'Zoë''s Ñandú'", "'ZOË''S ÑANDÚ'", "'Zoe''s Nandu'"})
        exec(QString("INSERT INTO TAV_Learner_Background_Info (LearnerID, Name_Of_Provider, "
                     "Data_Year) VALUES (1, %1, 2024)")
                 .arg(p));
    EXPECT_EQ(rows("SELECT BI.Name_Of_Provider FROM TAV_Learner_Background_Info AS BI WHERE "
                   "BI.Name_Of_Provider = 'zoë''s ñandú' ORDER BY BI.Name_Of_Provider")
                  .size(),
              2);
    EXPECT_EQ(rows("SELECT DISTINCT Name_Of_Provider FROM TAV_Learner_Background_Info WHERE "
                   "Data_Year = 2024 Group By Name_Of_Provider")
                  .size(),
              2);
    // The tables are declared as before: other programs open the file too.
    EXPECT_FALSE(
        rawScalar(path, "SELECT group_concat(sql) FROM sqlite_master").contains("jet_nocase"));
}
