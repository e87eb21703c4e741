#pragma once
// Test databases: a copy of the demo school in a temporary folder.
#include "platform/messagebox.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

struct sqlite3;

// Creates a new SQLite file at path from an SQL script (the demo script by
// default: the demo school is built once and copied).
void createDatabaseFromScript(const QString& path, const QString& scriptPath = DEMO_SQL_PATH);
// Drops every table of the program's own (named TAV_...) from the file at
// path, leaving the file as small as the host's tables make it.
void dropProgramTables(const QString& path);

// Runs SQL straight on a file, outside the program's layers.
void rawExec(const QString& path, const QString& sql);
// The first column of the first row of a query, as text ("" for no row, "NULL" for Null).
QString rawScalar(const QString& path, const QString& sql);
// Every row of a query, columns joined by '|'.
QStringList rawRows(const QString& path, const QString& sql);

// While it lives, the commits on every connection opened meanwhile can be
// made to fail from the nth one on, as if the program had been cut off
// there (a crash, a power cut): the transaction does not reach the file.
// Make it before the test opens its first connection. It holds for the
// test's own connections too (rawExec): a test writes with none armed.
class CommitFailures {
public:
    CommitFailures();
    ~CommitFailures();
    CommitFailures(const CommitFailures&) = delete;
    CommitFailures& operator=(const CommitFailures&) = delete;
    // From now on, the nth commit and every one after it fail (0: none);
    // the count of commits starts again.
    void failFrom(int n);
    // The commits tried since the last failFrom.
    int commits() const;
};

// A demo database in a temporary folder, named by gDbPath; message boxes are
// recorded and answered by the default button unless a test says otherwise.
// It holds the demo school's host tables only: the demo's assessment, and its
// tables, are left out, and each test makes the rows it needs (a test of the
// demo itself keeps them with wholeDemo).
class DemoDbTest : public ::testing::Test {
protected:
    void SetUp() override;
    // True to keep the demo's assessment: the whole demo school.
    virtual bool wholeDemo() const { return false; }
    void TearDown() override;
    // Answer every following box with this code.
    void answerAll(int code);
    QList<msgbox::Shown>& boxes() { return msgbox::shownBoxes(); }

    QTemporaryDir dir;
    QString dbPath;
};
