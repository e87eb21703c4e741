#pragma once
// A connection of the benchmark's own on the school's file, for the limits:
// the SQL dialect's functions and collation and no data-access layer, record
// set or window. Each statement is prepared and stepped and every value of
// every row read.
#include <QString>
#include <QStringList>
#include <QtGlobal>

struct sqlite3;

namespace ado {
class Recordset;
}

// How many rows a query gave and a checksum of all their values that does
// not depend on the rows' order: two queries that give the same rows give
// the same digest.
struct RowsDigest {
    qint64 rows = 0;
    quint64 sum = 0;
    bool operator==(const RowsDigest& o) const { return rows == o.rows && sum == o.sum; }
    bool operator!=(const RowsDigest& o) const { return !(*this == o); }
};

class RawDb {
public:
    explicit RawDb(const QString& path);
    ~RawDb();
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;

    // Runs every statement of a text in SQLite's own dialect (with the
    // dialect's functions); the rows read. A statement SQLite refuses counts
    // as a failure of the run.
    qint64 run(const QString& sql);
    // The same for a text in the host's dialect, translated as the program
    // translates it.
    qint64 runJet(const QString& jetSql);
    // The digest of the rows of the last statement of a text in SQLite's
    // dialect.
    RowsDigest digest(const QString& sql);
    // The first column of a query's rows, in the host's dialect or, when
    // plain, in SQLite's.
    QStringList column(const QString& sql, bool plain = false);

    sqlite3* handle() const { return m_db; }

private:
    qint64 runStatements(const QByteArray& utf8, RowsDigest* digest);
    sqlite3* m_db = nullptr;
    qint64 m_sink = 0; // what was read, so that nothing is left unread
};

// The digest of every row of a record set, as the program read them.
RowsDigest digestOf(const ado::Recordset& rs);

// Error reports and failed checks of the measuring run.
extern int gFailures;
