#include "services/checktables.h"

#include "services/clsdatainsert.h"
#include "services/moddatabaseconnection.h"
#include "services/modextendedmsgbox.h"

#include <memory>
#include <sqlite3.h>

const std::array<SectionTable, 18> kSectionTables = {{
    {"TAV_Learner_Background_Info",
     "Nature_Of_Support_Received TEXT(255), Name_Of_Provider TEXT(255), Contact_Details "
     "TEXT(255), Family_Situation MEMO, Parent_Understanding_Of_Child MEMO",
     "Background_Info_PK", true},
    {"TAV_Health_Professional_Report",
     "Impairment_Type TEXT(4), Medical_Record_Viewed BIT, Medical_Record_Attached BIT, Comments "
     "MEMO",
     "Health_PK", false},
    {"TAV_Learner_Impairment_Area",
     "Impairment_Area INTEGER, Mild_Imp TEXT(255), Moderate_Imp TEXT(255), Severe_Imp TEXT(255)",
     "Imp_Area_PK", false},
    {"TAV_Criteria_For_Selection", "Sub_Section INTEGER, Score INTEGER", "Criteria_PK", false},
    {"TAV_Criteria_For_Selection_Other",
     "None_Mild MEMO, Moderate MEMO, Severe MEMO, Score INTEGER", "Criteria_Other_PK", false},
    {"TAV_Learning_And_Development_Barriers",
     "Learning MEMO, Communication MEMO, Behavioural_Social_Competence MEMO, "
     "Health_Wellness_Personal_Care MEMO, Physical_Access MEMO",
     "Learning_PK", true},
    {"TAV_Factors_Community", "Positive_Influence TEXT(255), Barrier TEXT(255)", "Community_PK",
     true},
    {"TAV_Factors_Classroom", "Enabling_Factor TEXT(255), Barrier TEXT(255)", "Community_PK", true},
    {"TAV_Factors_School", "Enabling_Factor TEXT(255), Barrier TEXT(255)", "Community_PK", true},
    {"TAV_ISP",
     "[Action] INTEGER, Target TEXT(255), Strategy TEXT(255), Achievement_Criteria TEXT(255), "
     "Person_Responsible TEXT(255), Review_Date TEXT(30), Review_Comments TEXT(255)",
     "ISP_PK", false},
    {"TAV_Assessment_Supp_Req", "GridID INTEGER, Support_Area INTEGER, [Level] TEXT(20)", "ASR_PK",
     false},
    {"TAV_Assessment_Supp_Req_Rating", "Support_Area INTEGER, Rating INTEGER", "ASRIR_PK", false},
    {"TAV_Learner_Support_Needs",
     "Support_Area INTEGER, Low_Moderate_High TEXT(20), School_Need TEXT(255), School_Available "
     "TEXT(255)",
     "ASLEARNER_PK", true},
    {"TAV_ILST_Intervention_Records",
     "Whole_School_Development MEMO, Educator_Training MEMO, Learner_Support MEMO, "
     "Learner_Parent_Discussed BIT, Learner_Parent_Response MEMO, ILST_Analysis_To_DBST MEMO, "
     "Principal_Approve_Request_DBST BIT, Principal_Reason MEMO, Circuit_Manager_Endores BIT, "
     "Circuit_Manager_Reason MEMO",
     "ILST_PK", false},
    {"TAV_DBST_Review_ILST_Request",
     "ISLT_Coord_Educ_Req_Made BIT, Parent_Accept_Recom BIT, Parent_Reason MEMO, "
     "ISLT_Approved_Reason MEMO, ISLT_Not_Approved_Reason MEMO, DBST_Support_School_Site "
     "INTEGER, Senior_Manager_Approval MEMO, School_Discussed_Parent BIT, "
     "School_Discussed_Comment MEMO",
     "REV_PK", true},
    {"TAV_DBST_Support_Strategy",
     "Support_Needed TEXT(255), Support_Area INTEGER, Support_Level TEXT(1), School_Steps MEMO, "
     "Learner_Steps MEMO, Person_Responsible TEXT(255), Timeframe TEXT(255), Budget TEXT(100), "
     "School_Outcome TEXT(255), Learner_Outcome TEXT(255), Designation TEXT(255), Review_Date "
     "DATETIME",
     "STR_PK", true},
    {"TAV_Action_Review",
     "[Action] INTEGER, Name TEXT(255), Outcome MEMO, Designation TEXT(255), Review_Date MEMO",
     "STR_K", true},
    {"TAV_Learner_Supp_Needs", "Disability_Descr TEXT(255), Psycho_Social_Support TEXT(255)",
     "ASLEARNER_PK", false},
}};

const std::array<LookupTable, 4> kLookupTables = {{
    {"TAV_lu_Impairment_Area", "Description TEXT(50)", "LU_Impairment_PK"},
    {"TAV_lu_Activity_Domain_Sub_Section", "Activity_Domain INTEGER, Description TEXT(50)",
     "LU_Domain_PK"},
    {"TAV_lu_ISP_Actions", "Description TEXT(100)", "LU_ISP_PK"},
    {"TAV_lu_Activity_Domain_Limit_Desc", "DescMild MEMO, DescMod MEMO, DescSevere MEMO",
     "LU_DomainDesc_PK"},
}};

namespace {

// The CREATE statements of one table.
QString createStatement(const SectionTable& table) {
    return QString("Create Table ") + table.name + "(ID COUNTER, LearnerID LONG, " + table.columns +
           ", Data_Year INTEGER, Constraint " + table.constraint + " Primary Key (ID))";
}

QString createStatement(const LookupTable& table) {
    return QString("Create Table ") + table.name + "(ID INTEGER, " + table.columns +
           ", Constraint " + table.constraint + " Primary Key (ID))";
}

const QString kLocation = QStringLiteral("frmSelectLearner");
const QString kProcedure = QStringLiteral("checkTables Routine");

// The statement that gives each row its LearnerID from its old Learner_ID.
QString updateFromOldKey(const QString& name) {
    return "UPDATE " + name + " INNER JOIN Learner_Info as LI ON " + name +
           ".Learner_ID = LI.LearnerID " + "SET " + name + ".LearnerID = LI.ID";
}

// True when the probe opened; the record set is closed again. Whether it
// opens is all a probe tells, so it asks for no rows: a section table of many
// years read whole would cost every start its time and memory.
bool probe(ado::Recordset& rs, const QString& sql) {
    try {
        rs.Open(sql + " WHERE 1 = 0", gConnection.get());
        if (rs.State() == ado::adStateOpen)
            rs.Close();
        return true;
    } catch (const AppError&) {
        return false;
    }
}

void fillLookup(clsDataInsert& inserter, const QString& name) {
    if (name == "TAV_lu_Impairment_Area")
        inserter.InsertIA();
    else if (name == "TAV_lu_Activity_Domain_Sub_Section")
        inserter.InsertADDS();
    else if (name == "TAV_lu_Activity_Domain_Limit_Desc")
        inserter.InsertADLD();
    else if (name == "TAV_lu_ISP_Actions")
        inserter.InsertISP();
}

// A table's CREATE (and, for a lookup table, its rows) as one unit: a failure
// leaves no table behind, so the next start creates it again. False when the
// failure was about the file: nothing further can be written.
bool createTable(const QString& createSql, const QString& lookupName,
                 std::unique_ptr<clsDataInsert>& inserter) {
    try {
        ado::TransactionScope transaction(*gConnection);
        gConnection->Execute(createSql);
        if (!lookupName.isEmpty()) {
            if (!inserter)
                inserter = std::make_unique<clsDataInsert>();
            fillLookup(*inserter, lookupName);
        }
        transaction.commit();
    } catch (const AppError& e) {
        ShowErrorReport(kLocation, e.description(), kProcedure, e.number());
        return !isFileFailure(e);
    }
    return true;
}

// A table whose probe failed, for whatever reason: an older section table is
// migrated, anything else is created (and a lookup table filled). False when
// the file cannot be written.
bool repair(const QString& name, bool lookup, const QString& createSql,
            std::unique_ptr<clsDataInsert>& inserter) {
    if (checkOldLearnerID(name, lookup))
        return addIDChecked(name);
    return createTable(createSql, lookup ? name : QString(), inserter);
}

// The host tables the file lacks.
QStringList missingHostTables(ado::Recordset& rs) {
    QStringList missing;
    for (const char* table : kHostTables) {
        if (!probe(rs, QString("Select * from ") + table))
            missing << table;
    }
    return missing;
}

// Drops Learner_ID from one table that still has it, after giving every row
// without a LearnerID the one its old key translates to. Failures are ignored:
// a table without Learner_ID simply fails.
void dropOldKey(const QString& name) {
    try {
        ado::TransactionScope transaction(*gConnection);
        gConnection->Execute(updateFromOldKey(name) + " WHERE " + name + ".LearnerID Is Null");
        gConnection->Execute("ALTER TABLE " + name + " DROP COLUMN Learner_ID");
        transaction.commit();
    } catch (const AppError&) {
    }
}

// Every page reads and writes a section table by learner and data year.
void addLearnerYearIndex(const QString& name) {
    try {
        gConnection->Execute("CREATE INDEX IF NOT EXISTS " + name + "_Learner_Year ON " + name +
                             " (LearnerID, Data_Year)");
    } catch (const AppError&) {
        // A table the check could not repair keeps working without its index.
    }
}

} // namespace

int declaredTextSize(const QString& table, const QString& column) {
    QString columns;
    for (const SectionTable& t : kSectionTables)
        if (table.compare(t.name, Qt::CaseInsensitive) == 0)
            columns = t.columns;
    for (const LookupTable& t : kLookupTables)
        if (table.compare(t.name, Qt::CaseInsensitive) == 0)
            columns = t.columns;
    for (const QString& def : columns.split(',')) {
        QString name = def.section(' ', 0, 0, QString::SectionSkipEmpty);
        if (name.startsWith('[') && name.endsWith(']'))
            name = name.mid(1, name.size() - 2);
        if (name.compare(column, Qt::CaseInsensitive) != 0)
            continue;
        const QString type = def.section(' ', 1, 1, QString::SectionSkipEmpty).toUpper();
        if (type == "MEMO")
            return 0;
        if (type.startsWith("TEXT(") && type.endsWith(')'))
            return type.mid(5, type.size() - 6).toInt();
        return -1;
    }
    return -1;
}

bool checkOldLearnerID(const QString& tableName, bool lookup) {
    if (lookup)
        return false;
    try {
        ado::Recordset rs;
        rs.Open("Select Learner_ID from " + tableName, gConnection.get());
        if (rs.State() == ado::adStateOpen) {
            rs.Close();
            return true;
        }
        return false;
    } catch (const AppError&) {
        return false;
    }
}

void addID(const QString& tableName) {
    addIDChecked(tableName);
}

bool addIDChecked(const QString& tableName) {
    try {
        ado::TransactionScope transaction(*gConnection);
        gConnection->Execute("ALTER TABLE " + tableName + " ADD LearnerID LONG");
        gConnection->Execute(updateFromOldKey(tableName));
        gConnection->Execute("ALTER TABLE " + tableName + " DROP COLUMN Learner_ID");
        transaction.commit();
    } catch (const AppError& e) {
        ShowErrorReport("Alter/Update IDs", e.description(), "addID", e.number());
        return !isFileFailure(e);
    }
    return true;
}

bool isFileFailure(const AppError& error) {
    if (!error.fromDatabase())
        return false;
    switch (int(error.number()) & 0xFF) {
    case SQLITE_READONLY:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return true;
    default:
        return false;
    }
}

bool checkTables() {
    OpenConnection();
    // A connection that did not open has been reported; there is nothing to check.
    if (!gConnection || gConnection->State() != ado::adStateOpen)
        return false;
    std::unique_ptr<clsDataInsert> inserter; // created on its first use
    ado::Recordset rs;

    // Another file than the school's database gets none of the program's tables.
    const QStringList missing = missingHostTables(rs);
    if (!missing.isEmpty()) {
        ShowErrorReport("modDatabaseConnection", notSchoolDatabaseText(gDbPath, missing),
                        "Database Access Error", ErrNo::OpenFailed);
        CloseConnection();
        return false;
    }

    bool writable = true;
    for (const SectionTable& table : kSectionTables) {
        if (writable && !probe(rs, QString("Select LearnerID from ") + table.name))
            writable = repair(table.name, false, createStatement(table), inserter);
    }
    for (const LookupTable& table : kLookupTables) {
        if (writable && !probe(rs, QString("Select ID from ") + table.name))
            writable = repair(table.name, true, createStatement(table), inserter);
    }
    if (!writable) {
        CloseConnection();
        return false;
    }

    if (checkOldLearnerID(kSectionTables.front().name, false)) {
        for (const SectionTable& table : kSectionTables)
            dropOldKey(table.name);
    }
    for (const SectionTable& table : kSectionTables)
        addLearnerYearIndex(table.name);

    CloseConnection();
    return true;
}
