#include "bench/rawdb.h"

#include "platform/adodb.h"
#include "platform/jetdialect.h"

#include <QTextStream>
#include <sqlite3.h>

int gFailures = 0;

namespace {

// One value as text, the same whichever way it was read: a whole number in
// decimal digits, a double in 15 digits, a text as its UTF-8 bytes, Null as
// a byte no text holds.
QByteArray canonical(const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return QByteArray(1, '\x01');
    if (v.typeId() == QMetaType::Double)
        return QByteArray::number(v.toDouble(), 'g', 15);
    if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int)
        return QByteArray::number(v.toLongLong());
    return v.toString().toUtf8();
}

quint64 fnv(quint64 h, const QByteArray& bytes) {
    for (const char c : bytes)
        h = (h ^ quint8(c)) * 0x100000001B3ull;
    return (h ^ 0x1F) * 0x100000001B3ull; // the end of a value
}

constexpr quint64 kFnvStart = 0xCBF29CE484222325ull;

} // namespace

RawDb::RawDb(const QString& path) {
    sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    registerJetFunctions(m_db);
}

RawDb::~RawDb() {
    sqlite3_close_v2(m_db);
}

qint64 RawDb::run(const QString& sql) {
    return runStatements(sql.toUtf8(), nullptr);
}

qint64 RawDb::runJet(const QString& jetSql) {
    return runStatements(translateJetSql(jetSql, m_db).toUtf8(), nullptr);
}

RowsDigest RawDb::digest(const QString& sql) {
    RowsDigest d;
    runStatements(sql.toUtf8(), &d);
    return d;
}

qint64 RawDb::runStatements(const QByteArray& utf8, RowsDigest* digest) {
    const char* tail = utf8.constData();
    const char* end = tail + utf8.size();
    qint64 rows = 0;
    while (tail < end) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, tail, int(end - tail), &st, &tail) != SQLITE_OK) {
            QTextStream(stderr) << "limit sql failed: " << sqlite3_errmsg(m_db) << "\n";
            ++gFailures;
            return rows;
        }
        if (!st)
            continue;
        const int columns = sqlite3_column_count(st);
        qint64 bytes = 0;
        if (digest && columns > 0)
            *digest = RowsDigest();
        while (sqlite3_step(st) == SQLITE_ROW) {
            ++rows;
            quint64 h = kFnvStart;
            for (int i = 0; i < columns; ++i) {
                const int type = sqlite3_column_type(st, i);
                if (type == SQLITE_TEXT)
                    bytes += sqlite3_column_bytes(st, i) + (sqlite3_column_text(st, i) ? 1 : 0);
                else
                    bytes += sqlite3_column_int64(st, i);
                if (!digest)
                    continue;
                switch (type) {
                case SQLITE_NULL:
                    h = fnv(h, canonical(QVariant()));
                    break;
                case SQLITE_INTEGER:
                    h = fnv(h, QByteArray::number(sqlite3_column_int64(st, i)));
                    break;
                case SQLITE_FLOAT:
                    h = fnv(h, QByteArray::number(sqlite3_column_double(st, i), 'g', 15));
                    break;
                default:
                    h = fnv(h, QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                          sqlite3_column_bytes(st, i)));
                    break;
                }
            }
            if (digest && columns > 0) {
                ++digest->rows;
                digest->sum += h;
            }
        }
        m_sink += bytes;
        sqlite3_finalize(st);
    }
    return rows;
}

QStringList RawDb::column(const QString& sql, bool plain) {
    QStringList out;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(m_db, (plain ? sql : translateJetSql(sql, m_db)).toUtf8().constData(), -1,
                       &st, nullptr);
    while (st && sqlite3_step(st) == SQLITE_ROW)
        out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return out;
}

RowsDigest digestOf(const ado::Recordset& rs) {
    RowsDigest d;
    const ado::RowStore& store = rs.store();
    for (qsizetype r = 0; r < store.rowCount(); ++r) {
        quint64 h = kFnvStart;
        for (int c = 0; c < store.columns(); ++c)
            h = fnv(h, canonical(store.at(r, c)));
        ++d.rows;
        d.sum += h;
    }
    return d;
}
