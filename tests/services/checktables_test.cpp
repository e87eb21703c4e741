// The start-up table check: creation, seeding, key migration and indexes.
#include "services/checktables.h"
#include "services/moddatabaseconnection.h"
#include "tests/common/fixture.h"

#include <QFile>
#include <ostream>
#include <sqlite3.h>

// Failures print texts as texts.
static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

// Every change a statement asks for, seen through an authorizer installed on
// each new SQLite connection: "create T", "insert T", "alter T", ... in order.
QStringList gEvents;
QString gDenyInsertInto; // refuse inserts into this table ...
int gDenyAfter = 0;      // ... once this many have gone through
int gInsertsSeen = 0;

int authorize(void*, int action, const char* a1, const char* a2, const char*, const char*) {
    const QString first = QString::fromUtf8(a1 ? a1 : "");
    const QString second = QString::fromUtf8(a2 ? a2 : "");
    switch (action) {
    case SQLITE_CREATE_TABLE:
        if (first.startsWith("TAV_"))
            gEvents << "create " + first;
        break;
    case SQLITE_INSERT:
        if (first.startsWith("TAV_")) {
            gEvents << "insert " + first;
            if (first == gDenyInsertInto && ++gInsertsSeen > gDenyAfter)
                return SQLITE_DENY;
        }
        break;
    case SQLITE_UPDATE:
    case SQLITE_DELETE:
    case SQLITE_DROP_TABLE:
        if (first.startsWith("TAV_"))
            gEvents << "write " + first;
        break;
    case SQLITE_ALTER_TABLE:
        gEvents << "alter " + second;
        break;
    case SQLITE_CREATE_INDEX:
        gEvents << "index " + second;
        break;
    default:
        break;
    }
    return SQLITE_OK;
}

int installAuthorizer(sqlite3* db, const char**, const sqlite3_api_routines*) {
    sqlite3_set_authorizer(db, authorize, nullptr);
    return SQLITE_OK;
}

// Runs of the same event folded into "event xN".
QStringList folded(const QStringList& events) {
    QStringList out;
    for (qsizetype i = 0; i < events.size();) {
        qsizetype j = i;
        while (j < events.size() && events[j] == events[i])
            ++j;
        out << (j - i > 1 ? QString("%1 x%2").arg(events[i]).arg(j - i) : events[i]);
        i = j;
    }
    return out;
}

// Lists compared as text, one item a line, so a failure reads plainly.
std::string lines(const QStringList& list) {
    return list.join('\n').toStdString();
}

QStringList sectionNames() {
    QStringList names;
    for (const SectionTable& t : kSectionTables)
        names << t.name;
    return names;
}

const QStringList kLookupNames = {"TAV_lu_Impairment_Area", "TAV_lu_Activity_Domain_Sub_Section",
                                  "TAV_lu_ISP_Actions", "TAV_lu_Activity_Domain_Limit_Desc"};

const QStringList kActivities = {
    "1|1|Transfer",
    "2|1|Moving from one body position to another",
    "3|1|Getting in and out of bed",
    "4|1|Walking/wheelchair",
    "5|1|Stairs or lift",
    "6|2|Dressing: Upper body",
    "7|2|Dressing: Lower body",
    "8|2|Washing",
    "9|2|Feeding",
    "10|2|Use the toilet",
    "11|2|Bowel and Bladder Control",
    "12|3|Understanding",
    "13|3|Producing language",
    "14|3|Initiating and maintaining a conversation",
    "15|4|Visual acuity",
    "16|5|Sound recognition",
    "17|5|Following a conversation in noise",
    "18|6|Interpersonal interactions and relationships",
    "19|6|Basic interpersonal interactions",
    "20|6|Family relationships",
    "21|6|Handling stress and other psychological demands",
    "22|7|Problem solving",
    "23|7|Memory",
    "24|8|Chronic illness",
    "25|8|Medication needed",
    "26|8|Surgery undergone",
    "27|8|Surgery still to be undergone",
    "28|8|Allergies",
    "29|8|Other",
};
// Activities 18 to 21 carry texts of our own; the rest stand as the forms print them.
const QStringList kLimitDescriptions = {
    "1|No difficulty, or may need help occasionally.|Can move, but must be assisted, is slow, or "
    "gets very tired.|Unable to move alone",
    "2|No difficulty, or may need help occasionally|Can move, but must be assisted, is slow, or "
    "gets very tired|Unable to move alone.",
    "3|Moves around without any difficulty, or slow, but manages without discomfort.|Manages if "
    "holding onto something stable, or assisted.|Unable to manage alone.",
    "4|Moves around without any difficulty and manages without discomfort.|10 to 200 meters, with "
    "a stop for rest and some discomfort|Unable to move around  alone, or very restricted e.g < "
    "than 10 meters; very slow.",
    "5|No difficulty, or manages given time.|Manages, but is slow and must stop to rest or be "
    "helped.|Unable to climb steps or use a lift.",
    "6|Manages most; may ask for help with buttons or zip fastenings. Can undress.|Needs help "
    "with underwear; fastenings and tie; or tries but not always successful.|Attempts to put on "
    "shirt or jersey but does not usually manage.",
    "7|May need help with shoes and socks/stockings.|Manages pull-on and loose clothing; needs "
    "help with fastenings, shoes and belt.|Cannot put on underwear or other items properly. Kicks "
    "off shoes.",
    "8|Manages in reasonable time; or occasional help.|Manages partly but not hair or "
    "feet.|Assist with washing face and upper body; or cannot do this alone.",
    "9|Eats and drinks without help|Can eat and drink but needs help with cutting food and uses a "
    "special cup.|Can eat only with hands or drink from a straw; or unable to manage.",
    "10|Manages independently; needs occasional help.|Requires help with handling paper and/or "
    "sanitary aids.|Cannot do personal hygiene associated with toileting.",
    "11|No problem or might lapse occasionally.|Loses control occasionally; bowel control; no "
    "bladder control or vise-versa; uses aids; social embarrassment.|Needs to be reminded "
    "regularly; or incontinent.",
    "12|Understands everything that is said or misses just a few meanings.|Able to understand "
    "basic, simple sentences.|Unable to understand any meaningful language.",
    "13|Person is generally intelligent at the level of articulation, grammer and meaning.|Able "
    "to produce basic, simple sentences.|Difficulty due to severe disturbance or no voluntary "
    "control of speech muscles (dysarthria) or has no voice due to structural impairment ( e.g "
    "laryngectomy, tracheotomy, tracheostoma).",
    "14|Can hold a meaningful conversation.|Can initiate and maintain a conversation about "
    "familiar subjects with some assistance from listener; Frequent failure to convey "
    "idea.|Fragmentary expression with great need for inference, questioning and guessing by "
    "listener; Can engage only with alternative, augmentative communication.",
    "15|Some difficulty that is resolved with use of Spectacles;|Recognises familliar person "
    "across the street; Can see to read and write (incl. learning these skills); 6/24 - "
    "6/36;\r\nCan manage to get around in a low lit area.|Cannot recognise any object at arms "
    "length; familliar person across the street; Unable to read or write;  Cannot get around other "
    "than in familliar places; 6/60 - <3/60 in the better eye;",
    "16|Hears sounds and can usually identify them correctly.|Cannot always localise sounds or "
    "hear warnings e.g alarm ringing; traffic; >31dB <15 years; >41dB > 15 years;|Severe "
    "difficulty or complete inability to hear warning sounds; 61dB a 0,5; 1; 2 and 4KHz in better "
    "ear",
    "17|Follows conversation with one person and more than one if speech is clear even if there "
    "is some noise.|Some difficulty in oral communication because of impairment especially if "
    "there is some noise and/or in a group; uses lip-reading.|Conversation very limited or not "
    "possible except with one other person in a quiet room with good lighting; relies heavily on "
    "lip-reading.",
    "22|Able to solve the problem; or, had the right idea; score between 8 and 10|Didnt get the "
    "answer, even with one prompt, but went about solving the puzzle in a systematic way; score "
    "between 5 and 7.|Unable to solve the problem, even with two prompts; score between 0 and 4.",
    "23|Fairly good recall: 12/15|Moderate recall: 9/15\r\nOne prompt.|Poor recall: Less than "
    "7\r\nTwo prompts.",
    "24|Does not affect school attendance and participation.|Occasional absence from school, "
    "needs frequent rest periods.|Frequent absence due to hospitalisation or illness.",
    "25|Can be administered by educator.|Should be administered by health practitioner.\r\nOne "
    "prompt.|Requires medical practitioner or senior nurse.\r\nTwo prompts.",
    "26|Educator can support by reducing work load.|Should be monitored by health "
    "practitioner.|Should frequently be monitored by medical practitioner or senior nurse.",
    "27|Does not affect school attendance and participation.|Occasional absence from school, "
    "needs frequent rest periods.|Frequent absence due to hospitalisation or illness.",
    "28|Can be monitored by ordinary educator.|Should be monitored by health "
    "practitioner.|Intervention may be required from medical practitioner or senior nurse.",
};

class CheckTablesTest : public DemoDbTest {
protected:
    void SetUp() override {
        DemoDbTest::SetUp();
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(installAuthorizer));
        gEvents.clear();
        gDenyInsertInto.clear();
        gInsertsSeen = 0;
    }
    void TearDown() override {
        sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(installAuthorizer));
        DemoDbTest::TearDown();
    }
    QStringList columns(const QString& table) {
        return rawRows(dbPath, "SELECT name FROM pragma_table_info('" + table + "')");
    }
    QStringList ownTables() {
        return rawRows(dbPath, "SELECT name FROM sqlite_master WHERE type = 'table' AND name "
                               "LIKE 'TAV%' ORDER BY rowid");
    }
    QByteArray fileBytes() {
        QFile f(dbPath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(CheckTablesTest, EmptyDatabaseGetsEveryTableInProbeOrder) {
    checkTables();

    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(lines(ownTables()), lines(sectionNames() + kLookupNames));
    // Each lookup table is filled right after its own creation, then the indexes follow.
    QStringList expected;
    for (const QString& name : sectionNames())
        expected << "create " + name;
    expected << "create TAV_lu_Impairment_Area"
             << "insert TAV_lu_Impairment_Area x8"
             << "create TAV_lu_Activity_Domain_Sub_Section"
             << "insert TAV_lu_Activity_Domain_Sub_Section x29"
             << "create TAV_lu_ISP_Actions"
             << "insert TAV_lu_ISP_Actions x5"
             << "create TAV_lu_Activity_Domain_Limit_Desc"
             << "insert TAV_lu_Activity_Domain_Limit_Desc x28";
    for (const QString& name : sectionNames())
        expected << "index " + name;
    EXPECT_EQ(lines(folded(gEvents)), lines(expected));
}

TEST_F(CheckTablesTest, CreatedTablesHaveTheirLayout) {
    checkTables();

    for (const QString& name : sectionNames()) {
        const QStringList cols = columns(name);
        ASSERT_GE(cols.size(), 4) << name.toStdString();
        EXPECT_EQ(cols.mid(0, 2), (QStringList{"ID", "LearnerID"})) << name.toStdString();
        EXPECT_EQ(cols.last(), "Data_Year") << name.toStdString();
    }
    EXPECT_EQ(columns("TAV_ISP"), (QStringList{"ID", "LearnerID", "Action", "Target", "Strategy",
                                               "Achievement_Criteria", "Person_Responsible",
                                               "Review_Date", "Review_Comments", "Data_Year"}));
    EXPECT_EQ(columns("TAV_DBST_Support_Strategy"),
              (QStringList{"ID", "LearnerID", "Support_Needed", "Support_Area", "Support_Level",
                           "School_Steps", "Learner_Steps", "Person_Responsible", "Timeframe",
                           "Budget", "School_Outcome", "Learner_Outcome", "Designation",
                           "Review_Date", "Data_Year"}));
    EXPECT_EQ(columns("TAV_lu_Activity_Domain_Sub_Section"),
              (QStringList{"ID", "Activity_Domain", "Description"}));
    EXPECT_EQ(columns("TAV_lu_Activity_Domain_Limit_Desc"),
              (QStringList{"ID", "DescMild", "DescMod", "DescSevere"}));
    // The counter numbers rows itself.
    rawExec(dbPath, "INSERT INTO TAV_Factors_School (LearnerID, Barrier, Data_Year) VALUES "
                    "(1, 'Stairs', 2025)");
    EXPECT_EQ(rawScalar(dbPath, "SELECT ID FROM TAV_Factors_School"), "1");
}

TEST_F(CheckTablesTest, LookupRowsAreExact) {
    checkTables();

    EXPECT_EQ(
        rawRows(dbPath, "SELECT ID, Description FROM TAV_lu_Impairment_Area ORDER BY ID"),
        (QStringList{"1|Mobility", "2|Self-care", "3|Communication", "4|Vision", "5|Hearing",
                     "6|Mental-psychiatric diagnosis", "7|Cognition", "8|Health care needs"}));
    EXPECT_EQ(rawRows(dbPath, "SELECT ID, Activity_Domain, Description FROM "
                              "TAV_lu_Activity_Domain_Sub_Section ORDER BY ID"),
              kActivities);
    EXPECT_EQ(
        rawRows(dbPath, "SELECT ID, Description FROM TAV_lu_ISP_Actions ORDER BY ID"),
        (QStringList{"1|Whole school development intervention",
                     "2|Educator training or other educator support to be given ",
                     "3|Learner support to be given", "4|Consultation with parents/caregivers",
                     "5|Support to be provided by DBST"}));
    EXPECT_EQ(rawRows(dbPath, "SELECT ID, DescMild, DescMod, DescSevere FROM "
                              "TAV_lu_Activity_Domain_Limit_Desc WHERE ID NOT BETWEEN 18 AND 21 "
                              "ORDER BY ID"),
              kLimitDescriptions);
    // IDs 1 to 28: activity 29 ("Other") has no description row.
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) || ',' || min(ID) || ',' || max(ID) FROM "
                                "TAV_lu_Activity_Domain_Limit_Desc"),
              "28,1,28");
    // Our own texts for 18 to 21: plain sentences, no blank at either end.
    for (const QString& text :
         rawRows(dbPath, "SELECT DescMild FROM TAV_lu_Activity_Domain_Limit_Desc WHERE ID "
                         "BETWEEN 18 AND 21 UNION ALL SELECT DescMod FROM "
                         "TAV_lu_Activity_Domain_Limit_Desc WHERE ID BETWEEN 18 AND 21 UNION ALL "
                         "SELECT DescSevere FROM TAV_lu_Activity_Domain_Limit_Desc WHERE ID "
                         "BETWEEN 18 AND 21")) {
        EXPECT_FALSE(text.isEmpty());
        EXPECT_EQ(text, text.trimmed());
        EXPECT_TRUE(text.endsWith('.')) << text.toStdString();
    }
}

TEST_F(CheckTablesTest, CurrentDatabaseIsOnlyProbed) {
    checkTables();
    const QByteArray before = fileBytes();
    gEvents.clear();
    boxes().clear();

    checkTables();

    EXPECT_TRUE(gEvents.isEmpty()) << gEvents.join(", ").toStdString();
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(fileBytes(), before);
}

TEST_F(CheckTablesTest, ExistingEmptyLookupTableStaysEmpty) {
    rawExec(dbPath, "CREATE TABLE TAV_lu_ISP_Actions (ID INTEGER PRIMARY KEY, Description TEXT)");

    gEvents.clear();
    checkTables();

    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM TAV_lu_ISP_Actions"), "0");
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM TAV_lu_Impairment_Area"), "8");
    EXPECT_FALSE(gEvents.contains("create TAV_lu_ISP_Actions"));
    EXPECT_TRUE(boxes().isEmpty());
}

// An older section table keyed by the host's older learner number.
TEST_F(CheckTablesTest, OldLayoutTableMovesToTheNewKey) {
    // Learners 1 and 2 carry the older numbers 5011 and 5022; 9999 matches nobody.
    rawExec(dbPath, "CREATE TABLE TAV_Factors_Community (ID INTEGER PRIMARY KEY, Learner_ID "
                    "INTEGER, Positive_Influence TEXT, Barrier TEXT, Data_Year INTEGER);"
                    "INSERT INTO TAV_Factors_Community VALUES (1, 5011, 'Church', 'Distance', "
                    "2024), (2, 5022, 'Clinic', 'Noise', 2024), (3, 9999, 'Library', 'Cost', "
                    "2023)");

    gEvents.clear();
    checkTables();

    EXPECT_TRUE(boxes().isEmpty());
    const QStringList cols = columns("TAV_Factors_Community");
    EXPECT_FALSE(cols.contains("Learner_ID"));
    EXPECT_TRUE(cols.contains("LearnerID"));
    EXPECT_EQ(rawRows(dbPath, "SELECT ID, LearnerID, Positive_Influence, Barrier, Data_Year FROM "
                              "TAV_Factors_Community ORDER BY ID"),
              (QStringList{"1|1|Church|Distance|2024", "2|2|Clinic|Noise|2024",
                           "3|NULL|Library|Cost|2023"}));
    EXPECT_FALSE(gEvents.contains("create TAV_Factors_Community"));
}

TEST_F(CheckTablesTest, FailedMigrationIsReportedAndUndone) {
    // An index on the old key makes its drop fail, after the new column was added.
    rawExec(dbPath, "CREATE TABLE TAV_Factors_School (ID INTEGER PRIMARY KEY, Learner_ID INTEGER, "
                    "Enabling_Factor TEXT, Barrier TEXT, Data_Year INTEGER);"
                    "CREATE INDEX Old_School_Key ON TAV_Factors_School (Learner_ID);"
                    "INSERT INTO TAV_Factors_School VALUES (1, 5011, 'Ramps', 'Stairs', 2024)");

    checkTables();

    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].title.startsWith("Error : "));
    EXPECT_TRUE(boxes()[0].text.contains("Location: Alter/Update IDs\r\nProcedure: addID"))
        << boxes()[0].text.toStdString();
    // Back in its old layout, so the next start tries again.
    EXPECT_EQ(columns("TAV_Factors_School"),
              (QStringList{"ID", "Learner_ID", "Enabling_Factor", "Barrier", "Data_Year"}));
    EXPECT_EQ(rawRows(dbPath, "SELECT * FROM TAV_Factors_School"),
              QStringList{"1|5011|Ramps|Stairs|2024"});
    // The other tables are all there.
    EXPECT_EQ(ownTables().size(), 22);
}

TEST_F(CheckTablesTest, BothKeyColumnsAreLeftWhileBackgroundInfoIsCurrent) {
    rawExec(dbPath, "CREATE TABLE TAV_Factors_School (ID INTEGER PRIMARY KEY, LearnerID INTEGER, "
                    "Learner_ID INTEGER, Enabling_Factor TEXT, Barrier TEXT, Data_Year INTEGER);"
                    "INSERT INTO TAV_Factors_School VALUES (1, NULL, 5011, 'Ramps', 'Stairs', "
                    "2024)");

    checkTables();

    EXPECT_TRUE(columns("TAV_Factors_School").contains("Learner_ID"));
    EXPECT_EQ(rawRows(dbPath, "SELECT * FROM TAV_Factors_School"),
              QStringList{"1|NULL|5011|Ramps|Stairs|2024"});
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(CheckTablesTest, OldKeyIsDroppedWhileBackgroundInfoStillHasIt) {
    // Both tables have both key columns: their probes succeed, and the old key
    // goes only in the final drop, after the rows without a LearnerID got theirs.
    const QString both = "(ID INTEGER PRIMARY KEY, LearnerID INTEGER, Learner_ID INTEGER, Note "
                         "TEXT, Data_Year INTEGER)";
    rawExec(dbPath, "CREATE TABLE TAV_Learner_Background_Info " + both +
                        ";CREATE TABLE TAV_Factors_School " + both +
                        ";INSERT INTO TAV_Factors_School VALUES (1, NULL, 5022, 'moved', 2024), "
                        "(2, 7, 5011, 'kept', 2024), (3, NULL, 9999, 'unmatched', 2024), "
                        "(4, 3, NULL, 'new', 2025);"
                        "INSERT INTO TAV_Learner_Background_Info VALUES (1, NULL, 5033, 'x', "
                        "2024)");

    checkTables();

    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_FALSE(columns("TAV_Factors_School").contains("Learner_ID"));
    EXPECT_FALSE(columns("TAV_Learner_Background_Info").contains("Learner_ID"));
    EXPECT_EQ(rawRows(dbPath, "SELECT ID, LearnerID, Note FROM TAV_Factors_School ORDER BY ID"),
              (QStringList{"1|2|moved", "2|7|kept", "3|NULL|unmatched", "4|3|new"}));
    EXPECT_EQ(rawScalar(dbPath, "SELECT LearnerID FROM TAV_Learner_Background_Info"), "3");
}

TEST_F(CheckTablesTest, LookupTableIsNeverMigrated) {
    // No ID column: the probe fails, and a lookup table is created, never migrated.
    rawExec(dbPath, "CREATE TABLE TAV_lu_Impairment_Area (Learner_ID INTEGER, Description TEXT)");

    checkTables();

    EXPECT_EQ(columns("TAV_lu_Impairment_Area"), (QStringList{"Learner_ID", "Description"}));
    EXPECT_FALSE(gEvents.contains("alter TAV_lu_Impairment_Area"));
    // The create fails on the existing table: reported, and the check goes on.
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].text.contains("Location: frmSelectLearner\r\nProcedure: checkTables "
                                         "Routine"))
        << boxes()[0].text.toStdString();
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM TAV_lu_Activity_Domain_Limit_Desc"), "28");
}

TEST_F(CheckTablesTest, FailedLookupFillLeavesNoTable) {
    gDenyInsertInto = "TAV_lu_Activity_Domain_Limit_Desc";
    gDenyAfter = 10;

    checkTables();

    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].text.contains("Procedure: checkTables Routine"));
    EXPECT_FALSE(ownTables().contains("TAV_lu_Activity_Domain_Limit_Desc"));
    EXPECT_EQ(ownTables().size(), 21);

    // The next start creates and fills it in full.
    gDenyInsertInto.clear();
    boxes().clear();
    checkTables();
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM TAV_lu_Activity_Domain_Limit_Desc"), "28");
}

TEST_F(CheckTablesTest, UnopenedDatabaseStopsTheCheck) {
    gDbPath = dir.filePath("missing.db");

    checkTables();

    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].text.contains("Procedure: Database Access Error"));
    EXPECT_FALSE(QFile::exists(gDbPath));
}

TEST_F(CheckTablesTest, PageLoadsUseTheLearnerYearIndex) {
    checkTables();

    const QStringList plan = rawRows(
        dbPath, "EXPLAIN QUERY PLAN SELECT Sub_Section, Score FROM TAV_Criteria_For_Selection "
                "WHERE LearnerID = 12 AND Data_Year = 2025 AND Sub_Section < 6 ORDER By "
                "Sub_Section");
    EXPECT_TRUE(plan.join('\n').contains(
        "USING INDEX TAV_Criteria_For_Selection_Learner_Year (LearnerID=? AND Data_Year=?)"))
        << plan.join('\n').toStdString();
}

} // namespace
