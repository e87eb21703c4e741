// The roll-over copies last year's rows of the nine roll-over tables into the
// current year for the current learners, all or nothing.
#include "tests/common/fixture.h"

#include "platform/jetdialect.h"
#include "platform/runtime.h"
#include "workspace/globals.h"
#include "workspace/moddatabaseconnection.h"
#include "workspace/rollover.h"

#include <QDate>

namespace {

const QStringList kRollTables = {"TAV_Learner_Background_Info",
                                 "TAV_Learning_And_Development_Barriers",
                                 "TAV_Factors_Classroom",
                                 "TAV_Factors_Community",
                                 "TAV_Factors_School",
                                 "TAV_Learner_Support_Needs",
                                 "TAV_DBST_Review_ILST_Request",
                                 "TAV_DBST_Support_Strategy",
                                 "TAV_Action_Review"};

class RollOver : public DemoDbTest {
protected:
    void SetUp() override {
        DemoDbTest::SetUp();
        createTables();
        setClockOverride(QDate(2026, 3, 10));
        gDataYear = 2026;
    }

    void createTables() {
        rawExec(dbPath,
                "CREATE TABLE TAV_Learner_Background_Info (ID INTEGER PRIMARY KEY, LearnerID "
                "INTEGER, Nature_Of_Support_Received TEXT, Name_Of_Provider TEXT, "
                "Contact_Details TEXT, Family_Situation TEXT, Parent_Understanding_Of_Child TEXT, "
                "Data_Year INTEGER);"
                "CREATE TABLE TAV_Learning_And_Development_Barriers (ID INTEGER PRIMARY KEY, "
                "LearnerID INTEGER, Learning TEXT, Communication TEXT, "
                "Behavioural_Social_Competence TEXT, Health_Wellness_Personal_Care TEXT, "
                "Physical_Access TEXT, Data_Year INTEGER);"
                "CREATE TABLE TAV_Factors_Community (ID INTEGER PRIMARY KEY, LearnerID INTEGER, "
                "Positive_Influence TEXT, Barrier TEXT, Data_Year INTEGER);"
                "CREATE TABLE TAV_Factors_Classroom (ID INTEGER PRIMARY KEY, LearnerID INTEGER, "
                "Enabling_Factor TEXT, Barrier TEXT, Data_Year INTEGER);"
                "CREATE TABLE TAV_Factors_School (ID INTEGER PRIMARY KEY, LearnerID INTEGER, "
                "Enabling_Factor TEXT, Barrier TEXT, Data_Year INTEGER);"
                "CREATE TABLE TAV_Learner_Support_Needs (ID INTEGER PRIMARY KEY, LearnerID "
                "INTEGER, Support_Area INTEGER, Low_Moderate_High TEXT, School_Need TEXT, "
                "School_Available TEXT, Data_Year INTEGER);"
                "CREATE TABLE TAV_DBST_Review_ILST_Request (ID INTEGER PRIMARY KEY, LearnerID "
                "INTEGER, ISLT_Coord_Educ_Req_Made BIT, Parent_Accept_Recom BIT, Parent_Reason "
                "TEXT, ISLT_Approved_Reason TEXT, ISLT_Not_Approved_Reason TEXT, "
                "DBST_Support_School_Site INTEGER, Senior_Manager_Approval TEXT, "
                "School_Discussed_Parent BIT, School_Discussed_Comment TEXT, Data_Year INTEGER);"
                "CREATE TABLE TAV_DBST_Support_Strategy (ID INTEGER PRIMARY KEY, LearnerID "
                "INTEGER, Support_Needed TEXT, Support_Area INTEGER, Support_Level TEXT, "
                "School_Steps TEXT, Learner_Steps TEXT, Person_Responsible TEXT, Timeframe TEXT, "
                "Budget TEXT, School_Outcome TEXT, Learner_Outcome TEXT, Designation TEXT, "
                "Review_Date DATETIME, Data_Year INTEGER);"
                "CREATE TABLE TAV_Action_Review (ID INTEGER PRIMARY KEY, LearnerID INTEGER, "
                "[Action] INTEGER, Name TEXT, Outcome TEXT, Designation TEXT, Review_Date TEXT, "
                "Data_Year INTEGER);"
                "CREATE TABLE TAV_ISP (ID INTEGER PRIMARY KEY, LearnerID INTEGER, [Action] "
                "INTEGER, Target TEXT, Data_Year INTEGER);");
        for (const QString& t : kRollTables)
            rawExec(dbPath, QString("CREATE INDEX %1_LY ON %1 (LearnerID, Data_Year)").arg(t));
    }

    // The table's columns other than ID, in the table's order.
    QStringList dataColumns(const QString& table) {
        QStringList cols = rawRows(
            dbPath, QString("SELECT name FROM pragma_table_info('%1') ORDER BY cid").arg(table));
        cols.removeAll("ID");
        return cols;
    }

    // One row of the table for the learner and year, every column filled with
    // a value that tells the row apart (tag), numbers where the column is numeric.
    void addRow(const QString& table, int learner, int year, const QString& tag = "a") {
        QStringList names;
        QStringList values;
        const QStringList cols = rawRows(
            dbPath, QString("SELECT name, upper(type) FROM pragma_table_info('%1') ORDER BY cid")
                        .arg(table));
        for (const QString& c : cols) {
            const QString name = c.section('|', 0, 0);
            const QString type = c.section('|', 1, 1);
            if (name == "ID")
                continue;
            names << "[" + name + "]";
            if (name == "LearnerID")
                values << QString::number(learner);
            else if (name == "Data_Year")
                values << QString::number(year);
            else if (type.contains("INT") || type.contains("BIT") || type.contains("LONG"))
                values << QString::number(tag.size() % 2);
            else
                values << QString("'%1 %2 %3'").arg(name, tag).arg(learner);
        }
        rawExec(dbPath, QString("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table, names.join(','), values.join(',')));
    }

    // The rows of one year, every column but ID and Data_Year, in a fixed order.
    QStringList yearRows(const QString& table, int year) {
        QStringList cols = dataColumns(table);
        cols.removeAll("Data_Year");
        for (QString& c : cols)
            c = "[" + c + "]";
        return rawRows(dbPath, QString("SELECT %1 FROM %2 WHERE Data_Year = %3 ORDER BY %1")
                                   .arg(cols.join(','), table)
                                   .arg(year));
    }

    QString count(const QString& table, const QString& where = "1") {
        return rawScalar(dbPath, QString("SELECT count(*) FROM %1 WHERE %2").arg(table, where));
    }

    // Everything in the nine tables, for comparing before and after.
    QStringList snapshot() {
        QStringList all;
        for (const QString& t : kRollTables)
            all << rawRows(dbPath, QString("SELECT * FROM %1 ORDER BY ID").arg(t));
        return all;
    }

    void expectOnlyMessage(const QString& text) {
        ASSERT_EQ(boxes().size(), 1);
        EXPECT_EQ(boxes()[0].title, "User Message");
        EXPECT_EQ(boxes()[0].text, text);
    }
};

TEST_F(RollOver, WarnsFirstAndNoWritesNothing) {
    addRow("TAV_Factors_Community", 1, 2025);
    const QStringList before = snapshot();

    cmdRoll_Click(); // the default answer is No

    ASSERT_EQ(boxes().size(), 1);
    const msgbox::Shown& box = boxes()[0];
    EXPECT_EQ(box.title, "User Warning");
    EXPECT_EQ(box.buttonNames, (QStringList{"Yes", "No"}));
    EXPECT_EQ(box.defaultAnswer, msgbox::vbNo);
    EXPECT_EQ(box.text,
              "When appending KELD information from 2025 to 2026, the following sections \r\n"
              "will not be brought over as learners must be re-evaluated and information might "
              "change.\r\n\r\n"
              "Stage 1:    DP Diagnostic Profile\r\n\r\n"
              "Stage 2:    ISP: Individual Support Plan\r\n\r\n"
              "Stage 3:    Section 3a: Assessment of support requirements\r\n\r\n"
              "Please remember to update the rolled over sections where information has changed "
              "and \r\n"
              "complete the outstanding section information.\r\n\r\n"
              "Append?");
    EXPECT_EQ(snapshot(), before);
}

TEST_F(RollOver, YesRunsTheCopy) {
    addRow("TAV_Factors_Community", 1, 2025);
    answerAll(msgbox::vbYes);

    cmdRoll_Click();

    ASSERT_EQ(boxes().size(), 2);
    EXPECT_EQ(boxes()[0].title, "User Warning");
    EXPECT_EQ(boxes()[1].text, "Append Complete: 1 Rows Affected");
    EXPECT_EQ(count("TAV_Factors_Community", "Data_Year = 2026"), "1");
}

TEST_F(RollOver, NoPreviousYearRowsReportsZero) {
    addRow("TAV_Factors_Community", 1, 2024);
    addRow("TAV_Factors_School", 2, 2026);

    AppendInfo();

    expectOnlyMessage("Append Complete: 0 Rows Affected");
    EXPECT_EQ(count("TAV_Factors_Community"), "1");
    EXPECT_EQ(count("TAV_Factors_School"), "1");
}

TEST_F(RollOver, CopiesExactlyTheLearnersRowsWithNewIdsAndTheCurrentYear) {
    addRow("TAV_Factors_Community", 3, 2025, "first");
    addRow("TAV_Factors_Community", 3, 2025, "second");
    addRow("TAV_Factors_Community", 4, 2024, "older");
    const QStringList oldIds =
        rawRows(dbPath, "SELECT ID FROM TAV_Factors_Community WHERE Data_Year = 2025");

    AppendInfo();

    expectOnlyMessage("Append Complete: 2 Rows Affected");
    EXPECT_EQ(yearRows("TAV_Factors_Community", 2026), yearRows("TAV_Factors_Community", 2025));
    EXPECT_EQ(count("TAV_Factors_Community", "Data_Year = 2026 AND LearnerID = 3"), "2");
    const QStringList newIds =
        rawRows(dbPath, "SELECT ID FROM TAV_Factors_Community WHERE Data_Year = 2026");
    ASSERT_EQ(newIds.size(), 2);
    for (const QString& id : newIds)
        EXPECT_FALSE(oldIds.contains(id)) << id.toStdString();
    for (const QString& t : kRollTables) {
        if (t != "TAV_Factors_Community") {
            EXPECT_EQ(count(t), "0") << t.toStdString();
        }
    }
    // The previous year stays as it was.
    EXPECT_EQ(count("TAV_Factors_Community", "Data_Year = 2025"), "2");
}

TEST_F(RollOver, CopiesEveryColumnOfEveryTable) {
    for (const QString& t : kRollTables) {
        addRow(t, 1, 2025, "x");
        addRow(t, 2, 2025, "yy");
    }
    addRow("TAV_ISP", 1, 2025); // not a roll-over table

    AppendInfo();

    expectOnlyMessage("Append Complete: 18 Rows Affected");
    for (const QString& t : kRollTables) {
        EXPECT_EQ(count(t, "Data_Year = 2026"), "2") << t.toStdString();
        EXPECT_EQ(yearRows(t, 2026), yearRows(t, 2025)) << t.toStdString();
    }
    EXPECT_EQ(count("TAV_ISP", "Data_Year = 2026"), "0");
}

TEST_F(RollOver, ASecondRunCopiesOnlyWhatIsStillMissing) {
    for (const QString& t : kRollTables)
        addRow(t, 1, 2025);
    // Learner 2 already has this year's school factors, but not the rest.
    addRow("TAV_Factors_School", 2, 2025, "old");
    addRow("TAV_Factors_School", 2, 2026, "new");
    addRow("TAV_Factors_Classroom", 2, 2025);

    AppendInfo();
    EXPECT_EQ(boxes().last().text, "Append Complete: 10 Rows Affected");
    EXPECT_EQ(yearRows("TAV_Factors_School", 2026).filter("old").size(), 0);

    // Rows added later for a table the first run filled stay behind; a
    // learner who had nothing in a table is still served.
    addRow("TAV_Factors_Community", 1, 2025, "late");
    addRow("TAV_Action_Review", 4, 2025);
    const QStringList before = snapshot();
    AppendInfo();
    EXPECT_EQ(boxes().last().text, "Append Complete: 1 Rows Affected");
    EXPECT_EQ(count("TAV_Factors_Community", "Data_Year = 2026"), "1");
    EXPECT_EQ(count("TAV_Action_Review", "Data_Year = 2026 AND LearnerID = 4"), "1");
    EXPECT_EQ(snapshot().size(), before.size() + 1);
}

TEST_F(RollOver, TheClockNotTheChosenYearSetsTheYears) {
    setClockOverride(QDate(2012, 7, 1));
    gDataYear = 2020;
    addRow("TAV_Factors_Community", 1, 2011);
    addRow("TAV_Factors_Community", 1, 2019);
    answerAll(msgbox::vbYes);

    cmdRoll_Click();

    EXPECT_TRUE(boxes()[0].text.startsWith(
        "When appending KELD information from 2011 to 2012, the following sections"));
    EXPECT_EQ(boxes().last().text, "Append Complete: 1 Rows Affected");
    EXPECT_EQ(rawRows(dbPath, "SELECT Data_Year, count(*) FROM TAV_Factors_Community GROUP BY "
                              "Data_Year ORDER BY Data_Year"),
              (QStringList{"2011|1", "2012|1", "2019|1"}));
}

TEST_F(RollOver, LeavesArchivedAndUnknownLearnersBehind) {
    addRow("TAV_Learner_Background_Info", 5, 2025);   // archived
    addRow("TAV_Learner_Background_Info", 999, 2025); // no longer in Learner_Info
    addRow("TAV_Learner_Background_Info", 6, 2025);   // current
    rawExec(dbPath, "UPDATE Learner_Info SET Status = 'A' WHERE ID = 7");
    addRow("TAV_Factors_School", 7, 2025); // archived since

    AppendInfo();

    expectOnlyMessage("Append Complete: 1 Rows Affected");
    EXPECT_EQ(rawRows(dbPath, "SELECT LearnerID FROM TAV_Learner_Background_Info WHERE "
                              "Data_Year = 2026"),
              QStringList{"6"});
    EXPECT_EQ(count("TAV_Factors_School", "Data_Year = 2026"), "0");
}

TEST_F(RollOver, AFailingTableLeavesAllNineAsTheyWere) {
    for (const QString& t : kRollTables)
        addRow(t, 1, 2025);
    // The seventh table refuses every new row.
    rawExec(dbPath, "CREATE TRIGGER refuse BEFORE INSERT ON TAV_DBST_Review_ILST_Request "
                    "BEGIN SELECT RAISE(ABORT, 'The table is locked by another user'); END");
    const QStringList before = snapshot();
    answerAll(msgbox::vbYes);

    cmdRoll_Click();

    ASSERT_EQ(boxes().size(), 2);
    const msgbox::Shown& report = boxes()[1];
    EXPECT_TRUE(report.title.startsWith("Error : ")) << report.title.toStdString();
    EXPECT_EQ(report.text, "Error Description: The table is locked by another user\r\n"
                           "Location: frmSelectLearner\r\nProcedure: AppendInfo");
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(!gConnection || gConnection->State() == ado::adStateClosed);

    // Nothing is left locked: once the table takes rows again, the roll-over runs.
    rawExec(dbPath, "DROP TRIGGER refuse");
    AppendInfo();
    EXPECT_EQ(boxes().last().text, "Append Complete: 9 Rows Affected");
}

TEST_F(RollOver, CountsPastTheSixteenBitRange) {
    rawExec(dbPath, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                    "33000) INSERT INTO TAV_Factors_Classroom (LearnerID, Enabling_Factor, "
                    "Barrier, Data_Year) SELECT 1 + i % 4, 'f' || i, 'b' || i, 2025 FROM n");

    AppendInfo();

    expectOnlyMessage("Append Complete: 33000 Rows Affected");
    EXPECT_EQ(count("TAV_Factors_Classroom", "Data_Year = 2026"), "33000");
}

// The current year's rows are looked up through the (LearnerID, Data_Year)
// index, so a large school costs no more than a pass over last year's rows.
TEST_F(RollOver, FindsThisYearsRowsThroughTheIndex) {
    for (const QString& t : kRollTables) {
        const QString sql = appendInfoSql(t, dataColumns(t), 2026);
        const QStringList plan = rawRows(dbPath, "EXPLAIN QUERY PLAN " + translateJetSql(sql));
        ASSERT_FALSE(plan.isEmpty()) << t.toStdString();
        for (const QString& step : plan) {
            const QString detail = step.section('|', 3);
            EXPECT_FALSE(detail.startsWith("SCAN sCurY"))
                << t.toStdString() << ": " << detail.toStdString();
        }
    }
}

} // namespace
