// The roll-over copies last year's rows of the nine roll-over tables into the
// current year for the current learners, all or nothing.
#include "tests/common/fixture.h"
#include "tests/common/user.h"

#include "platform/jetdialect.h"
#include "platform/runtime.h"
#include "services/checktables.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "workspace/frmselectlearner.h"
#include "workspace/rollover.h"

#include <QDate>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>

namespace {

const QStringList kRollTables(kRolloverTables.begin(), kRolloverTables.end());

class RollOver : public DemoDbTest {
protected:
    void SetUp() override {
        DemoDbTest::SetUp();
        checkTables();
        ASSERT_TRUE(boxes().isEmpty());
        setClockOverride(QDate(2026, 3, 10));
        gDataYear = 2026;
    }

    // The table's columns other than ID, in the table's order.
    QStringList dataColumns(const QString& table) {
        QStringList cols = rawRows(
            dbPath, QString("SELECT name FROM pragma_table_info('%1') ORDER BY cid").arg(table));
        cols.removeAll("ID");
        return cols;
    }

    // One row of the table for the learner and year, every column filled with
    // a value of its type that tells the row apart (tag).
    void addRow(const QString& table, int learner, int year, const QString& tag = "a") {
        const auto it = std::find_if(kSectionTables.begin(), kSectionTables.end(),
                                     [&](const SectionTable& t) { return table == t.name; });
        ASSERT_NE(it, kSectionTables.end()) << table.toStdString();
        QStringList names{"LearnerID", "Data_Year"};
        QStringList values{QString::number(learner), QString::number(year)};
        static const QRegularExpression def(R"(^\[?(\w+)\]? (\w+)(?:\((\d+)\))?$)");
        for (const QString& column : QString(it->columns).split(", ")) {
            const QRegularExpressionMatch m = def.match(column);
            ASSERT_TRUE(m.hasMatch()) << column.toStdString();
            const QString name = m.captured(1);
            const QString type = m.captured(2);
            names << "[" + name + "]";
            if (type == "INTEGER" || type == "LONG" || type == "BIT")
                values << QString::number(tag.size() % 2);
            else if (type == "DATETIME")
                values << QString("'2025-0%1-1%2'").arg(tag.size() % 9 + 1).arg(learner % 10);
            else
                values << "'" +
                              QString("%1 %2 %3")
                                  .arg(name, tag)
                                  .arg(learner)
                                  .left(m.captured(3).isEmpty() ? 1000 : m.captured(3).toInt()) +
                              "'";
        }
        rawExec(dbPath, QString("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table, names.join(','), values.join(',')));
    }

    // The rows of one year, every column but ID and Data_Year, in a fixed order.
    QStringList yearRows(const QString& table, int year) {
        QStringList cols = dataColumns(table);
        cols.removeAll("Data_Year");
        for (QString& c : cols)
            c = '"' + c.replace('"', "\"\"") + '"';
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

    // A click on the learner list's "Append Previous Year Information".
    void clickAppend() {
        SaveSetting("MarvikEmis", "Startup", "Database", dbPath);
        frmSelectLearner list;
        ASSERT_TRUE(user::showActive(&list));
        boxes().clear();
        user::click(list.cmdRoll);
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

    clickAppend(); // the default answer is No

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

    clickAppend();

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

    clickAppend();

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

    clickAppend();

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

// The column lists are built from the names the file gives: a name holding
// brackets, quotes or a statement stays one name, and its column is copied
// like any other.
TEST_F(RollOver, ColumnNamesFromTheFileStayNames) {
    const QStringList crafted = {"Barrier]) SELECT 1; DROP TABLE IF EXISTS General_Info; --",
                                 "Note\"]; DELETE FROM Learner_Info; --", "[Tbl].[Data_Year]",
                                 "It's [x]]"};
    for (const QString& name : crafted) {
        QString inner = name;
        rawExec(dbPath, "ALTER TABLE TAV_Factors_Community ADD COLUMN \"" +
                            inner.replace("\"", "\"\"") + "\" TEXT");
    }
    addRow("TAV_Factors_Community", 1, 2025);
    rawExec(dbPath, "UPDATE TAV_Factors_Community SET \"" + QString(crafted[0]) +
                        "\" = 'kept', \"[Tbl].[Data_Year]\" = 'not a year'");
    const QString learners = count("Learner_Info");
    answerAll(msgbox::vbYes);

    clickAppend();

    ASSERT_EQ(boxes().size(), 2);
    EXPECT_EQ(boxes()[1].text, "Append Complete: 1 Rows Affected");
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM sqlite_master WHERE name = 'General_Info'"),
              "1");
    EXPECT_EQ(count("Learner_Info"), learners);
    EXPECT_EQ(yearRows("TAV_Factors_Community", 2026), yearRows("TAV_Factors_Community", 2025));
    EXPECT_EQ(rawScalar(dbPath, "SELECT \"[Tbl].[Data_Year]\" FROM TAV_Factors_Community "
                                "WHERE Data_Year = 2026"),
              "not a year");
}

// Last year's and the current year's rows are looked up through the
// (LearnerID, Data_Year) index from the current learners, so a large school
// costs no more than the rows copied: no table is read whole.
TEST_F(RollOver, FindsThisYearsRowsThroughTheIndex) {
    for (const QString& t : kRollTables) {
        const QString sql = appendInfoSql(t, dataColumns(t), 2026);
        // The plan read outside the program's connections, which alone know
        // its collation: the index does not depend on it.
        const QStringList plan = rawRows(
            dbPath, "EXPLAIN QUERY PLAN " + translateJetSql(sql).replace("jet_nocase", "NOCASE"));
        ASSERT_FALSE(plan.isEmpty()) << t.toStdString();
        for (const QString& step : plan) {
            const QString detail = step.section('|', 3);
            EXPECT_FALSE(detail.startsWith("SCAN sCurY") || detail.startsWith("SCAN Tbl"))
                << t.toStdString() << ": " << detail.toStdString();
        }
    }
}

} // namespace
