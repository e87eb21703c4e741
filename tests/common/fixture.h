#pragma once
// Test databases: a copy of the demo school in a temporary folder.
#include "platform/messagebox.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

struct sqlite3;

// Creates a new SQLite file at path from an SQL script (the demo script by default).
void createDatabaseFromScript(const QString& path, const QString& scriptPath = DEMO_SQL_PATH);

// Runs SQL straight on a file, outside the program's layers.
void rawExec(const QString& path, const QString& sql);
// The first column of the first row of a query, as text ("" for no row, "NULL" for Null).
QString rawScalar(const QString& path, const QString& sql);
// Every row of a query, columns joined by '|'.
QStringList rawRows(const QString& path, const QString& sql);

// A demo database in a temporary folder, named by gDbPath; message boxes are
// recorded and answered by the default button unless a test says otherwise.
class DemoDbTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Answer every following box with this code.
    void answerAll(int code);
    QList<msgbox::Shown>& boxes() { return msgbox::shownBoxes(); }

    QTemporaryDir dir;
    QString dbPath;
};
