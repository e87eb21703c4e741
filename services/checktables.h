#pragma once
// The program's own tables inside the host database: their layouts, and the
// check that brings them up to date at start-up (creating missing tables,
// seeding the lookup tables it creates, and moving section tables of the older
// layout from the key column Learner_ID to LearnerID).
#include "platform/apperror.h"

#include <QString>
#include <array>

// A table of assessment data per learner and data year. The frame
// "ID COUNTER, LearnerID LONG, <columns>, Data_Year INTEGER" is the same for all.
struct SectionTable {
    const char* name;
    const char* columns; // own columns, "name TYPE" joined by ", "
    const char* constraint;
    bool rolledOver; // copied into the next year by the roll-over
};

// A table of fixed rows keyed by a plain INTEGER ID.
struct LookupTable {
    const char* name;
    const char* columns;
    const char* constraint;
};

// In the order in which the check probes them.
extern const std::array<SectionTable, 18> kSectionTables;
extern const std::array<LookupTable, 4> kLookupTables;

// The nine tables the roll-over copies, in its own copy order (which is not
// the probe order: the classroom factors come before the community factors).
inline constexpr std::array<const char*, 9> kRolloverTables = {
    "TAV_Learner_Background_Info",
    "TAV_Learning_And_Development_Barriers",
    "TAV_Factors_Classroom",
    "TAV_Factors_Community",
    "TAV_Factors_School",
    "TAV_Learner_Support_Needs",
    "TAV_DBST_Review_ILST_Request",
    "TAV_DBST_Support_Strategy",
    "TAV_Action_Review"};

// The declared size of a text column of the program's tables: n for TEXT(n),
// 0 for MEMO (any length), -1 for a column that holds no text or is unknown.
int declaredTextSize(const QString& table, const QString& column);

// The host product's tables that the program reads: a file without them is
// not the school's database.
inline constexpr std::array<const char*, 5> kHostTables = {
    "Learner_Info", "SchoolGrades", "Disabilities", "MultipleDisabilities", "General_Info"};

// Probes every own table on a fresh connection and repairs those whose probe
// fails; then drops the old key column while TAV_Learner_Background_Info still
// has it, and adds the (LearnerID, Data_Year) index of each section table.
// Called by the learner-selection window's load; needs no window.
//
// Before anything is written, the file must hold the host's tables: a file
// that does not (an empty file, another program's database) is reported as
// "Database Access Error" and left as it was. A failure that is about the
// file itself (read-only, locked by another program, disk full) is reported
// once and ends the check. False in these cases and when the database did
// not open: the program cannot go on with the file.
bool checkTables();

// True when the error is about the database file rather than one statement:
// the file cannot be written (read-only, locked, full) or read as a database.
bool isFileFailure(const AppError& error);

// True when lookup is false and "Select Learner_ID from <tableName>" opens on
// gConnection.
bool checkOldLearnerID(const QString& tableName, bool lookup);

// Moves one section table from Learner_ID to LearnerID (translated through
// Learner_Info.LearnerID), all or nothing; reports its own failure.
void addID(const QString& tableName);
// addID, false when its failure was about the file (see isFileFailure).
bool addIDChecked(const QString& tableName);
