#include "tests/common/fixture.h"

#include "platform/runtime.h"
#include "services/moddatabaseconnection.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <cstdio>
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

namespace {
// Runs the script on a new file at path.
void runScript(const QString& path, const QString& scriptPath) {
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

// The demo school is built from its script once and then copied: a test
// process builds it at most once (the whole demo, and the host's tables
// alone as dropProgramTables leaves them), into the folder that every test
// process of the build shares (DEMO_CACHE_DIR), under a name of the script's
// text, the SQLite library and the year (the demo's assessment is dated in
// the year it is made in); a process that finds the file there copies it.
// A file is only ever put there whole, by a rename.
QString builtDemo(bool whole) {
    static QString built[2];
    QString& file = built[whole ? 1 : 0];
    if (!file.isEmpty() && QFile::exists(file))
        return file;
    QFile script(DEMO_SQL_PATH);
    if (!script.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << DEMO_SQL_PATH;
        return {};
    }
    const QString key =
        QString("%1-%2-%3")
            .arg(QString::fromLatin1(
                QCryptographicHash::hash(script.readAll(), QCryptographicHash::Sha1).toHex()))
            .arg(sqlite3_libversion_number())
            .arg(QDate::currentDate().year());
    const QDir dir(DEMO_CACHE_DIR);
    dir.mkpath(".");
    file = dir.filePath(QString("school-%1-%2.db").arg(key, whole ? "whole" : "host"));
    if (QFile::exists(file))
        return file;
    // Files of another script, library or year are not used again.
    for (const QString& old : dir.entryList({"school-*.db"}, QDir::Files)) {
        if (!old.contains(key))
            QFile::remove(dir.filePath(old));
    }
    const QString making = file + "." + QString::number(QCoreApplication::applicationPid());
    QFile::remove(making);
    runScript(making, DEMO_SQL_PATH);
    if (!whole)
        dropProgramTables(making);
    if (std::rename(making.toLocal8Bit().constData(), file.toLocal8Bit().constData()) != 0) {
        ADD_FAILURE() << "cannot keep the demo school as " << file.toStdString();
        file.clear();
        return making;
    }
    return file;
}

// A copy of the demo school at path (a new file).
void copyDemo(const QString& path, bool whole) {
    const QString built = builtDemo(whole);
    if (built.isEmpty())
        return;
    if (!QFile::copy(built, path))
        ADD_FAILURE() << "cannot copy the demo school to " << path.toStdString();
}
} // namespace

void createDatabaseFromScript(const QString& path, const QString& scriptPath) {
    if (scriptPath == QStringLiteral(DEMO_SQL_PATH))
        copyDemo(path, true);
    else
        runScript(path, scriptPath);
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
    copyDemo(dbPath, wholeDemo());
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
