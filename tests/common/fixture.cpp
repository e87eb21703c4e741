#include "tests/common/fixture.h"

#include "platform/runtime.h"
#include "services/moddatabaseconnection.h"

#include <QFile>
#include <sqlite3.h>

namespace {
sqlite3* openRaw(const QString& path, int flags) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << "cannot open " << path.toStdString();
    }
    return db;
}
} // namespace

void createDatabaseFromScript(const QString& path, const QString& scriptPath) {
    QFile f(scriptPath);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << scriptPath.toStdString();
    const QByteArray sql = f.readAll();
    sqlite3* db = openRaw(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    char* err = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        ADD_FAILURE() << "script failed: " << (err ? err : "");
        sqlite3_free(err);
    }
    sqlite3_close(db);
}

void dropProgramTables(const QString& path) {
    for (const QString& table :
         rawRows(path, "SELECT name FROM sqlite_master WHERE type = 'table' AND name LIKE "
                       "'TAV\\_%' ESCAPE '\\'"))
        rawExec(path, "DROP TABLE " + table);
    // The file as the host's alone would be: no pages left over.
    rawExec(path, "VACUUM");
}

void rawExec(const QString& path, const QString& sql) {
    sqlite3* db = openRaw(path, SQLITE_OPEN_READWRITE);
    char* err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        ADD_FAILURE() << "rawExec failed: " << (err ? err : "") << " in " << sql.toStdString();
        sqlite3_free(err);
    }
    sqlite3_close(db);
}

QStringList rawRows(const QString& path, const QString& sql) {
    QStringList out;
    sqlite3* db = openRaw(path, SQLITE_OPEN_READONLY);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << "rawRows failed: " << sqlite3_errmsg(db) << " in " << sql.toStdString();
        sqlite3_close(db);
        return out;
    }
    while (sqlite3_step(st) == SQLITE_ROW) {
        QStringList cols;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            cols << (sqlite3_column_type(st, i) == SQLITE_NULL
                         ? QStringLiteral("NULL")
                         : QString::fromUtf8(
                               reinterpret_cast<const char*>(sqlite3_column_text(st, i))));
        }
        out << cols.join('|');
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}

QString rawScalar(const QString& path, const QString& sql) {
    const QStringList rows = rawRows(path, sql);
    return rows.isEmpty() ? QString() : rows.first().section('|', 0, 0);
}

namespace {
int g_failFrom = 0;
int g_commits = 0;

int failingCommit(void*) {
    ++g_commits;
    return g_failFrom > 0 && g_commits >= g_failFrom ? 1 : 0; // non-zero: rolled back
}

int installCommitHook(sqlite3* db, char**, const void*) {
    sqlite3_commit_hook(db, failingCommit, nullptr);
    return SQLITE_OK;
}
} // namespace

CommitFailures::CommitFailures() {
    failFrom(0);
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(installCommitHook));
}

CommitFailures::~CommitFailures() {
    failFrom(0);
    sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(installCommitHook));
}

void CommitFailures::failFrom(int n) {
    g_failFrom = n;
    g_commits = 0;
}

int CommitFailures::commits() const {
    return g_commits;
}

void DemoDbTest::SetUp() {
    ASSERT_TRUE(dir.isValid());
    dbPath = dir.filePath("school.db");
    createDatabaseFromScript(dbPath);
    if (!wholeDemo())
        dropProgramTables(dbPath);
    gDbPath = dbPath;
    msgbox::shownBoxes().clear();
    msgbox::setAnswerer(msgbox::answerDefault);
}

void DemoDbTest::TearDown() {
    CloseConnection();
    gConnection.reset();
    gRecordset.reset();
    setClockOverride(std::nullopt);
    msgbox::setAnswerer(msgbox::answerDefault);
}

void DemoDbTest::answerAll(int code) {
    msgbox::setAnswerer([code](const msgbox::Shown&) { return code; });
}
