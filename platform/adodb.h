#pragma once
// Data-access objects over SQLite: a connection, a record set and a command
// with the members the windows rely on. SQL texts are written in the host
// engine's dialect; translateJetSql (jetdialect.h) turns them into SQLite's.
#include "platform/apperror.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

struct sqlite3;

namespace ado {

enum ObjectState { adStateClosed = 0, adStateOpen = 1 };
enum SchemaEnum { adSchemaColumns = 4 };
enum CursorType {
    adOpenUnspecified = -1,
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3
};
enum LockType {
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3
};
enum CursorLocation { adUseServer = 2, adUseClient = 3 };
enum CommandType { adCmdText = 1 };
// Field types for a record set built without a connection.
enum DataType { adInteger = 3, adDouble = 5, adBoolean = 11, adVarChar = 200, adLongVarChar = 201 };

class Recordset;

// Rows of fields, kept in blocks of rows: a large result grows without its
// rows being moved or copied, and without a separate allocation for each
// row. Copies share the blocks. A field takes 8 bytes: a whole number stands
// in it as it is, a text in a list of texts kept as UTF-8 (where fields of
// the same text can share one, see share), and any other value (a double, a
// very large number) in a list of values.
class RowStore {
public:
    static constexpr qsizetype kRowsPerBlock = 1024;

    void reset(int columns) {
        m_columns = columns;
        m_rows = 0;
        m_blocks.clear();
        m_texts.clear();
        m_values.clear();
    }
    int columns() const { return m_columns; }
    qsizetype rowCount() const { return m_rows; }
    // Adds a row of Null fields.
    void addRow() {
        if (m_rows % kRowsPerBlock == 0) {
            m_blocks.append(QVector<quint64>());
            m_blocks.last().reserve(kRowsPerBlock * m_columns);
        }
        m_blocks.last().resize(m_blocks.last().size() + m_columns);
        ++m_rows;
    }
    QVariant at(qsizetype row, int column) const {
        const quint64 c = cell(row, column);
        switch (c & kTagMask) {
        case kWhole:
            return QVariant::fromValue<qlonglong>(qint64(c) >> kTagBits);
        case kText:
            return QString::fromUtf8(m_texts[qsizetype(c >> kTagBits)]);
        case kValue:
            return m_values[qsizetype(c >> kTagBits)];
        default:
            return QVariant();
        }
    }
    void set(qsizetype row, int column, const QVariant& value) {
        if (!value.isValid())
            cell(row, column) = kNull;
        else if (value.typeId() == QMetaType::LongLong)
            setWhole(row, column, value.toLongLong());
        else if (value.typeId() == QMetaType::QString)
            setText(row, column, value.toString().toUtf8());
        else
            setValue(row, column, value);
    }
    void setWhole(qsizetype row, int column, qint64 value) {
        if (value >= kMinWhole && value <= kMaxWhole)
            cell(row, column) = (quint64(value) << kTagBits) | kWhole;
        else
            setValue(row, column, QVariant::fromValue<qlonglong>(value));
    }
    // A text as UTF-8; its listed text.
    qsizetype setText(qsizetype row, int column, const QByteArray& utf8) {
        m_texts.append(utf8);
        const qsizetype listed = m_texts.size() - 1;
        cell(row, column) = (quint64(listed) << kTagBits) | kText;
        return listed;
    }
    // Points a field to a listed text another field points to.
    void share(qsizetype row, int column, qsizetype listed) {
        cell(row, column) = (quint64(listed) << kTagBits) | kText;
    }
    // The UTF-8 bytes of a listed text.
    const QByteArray& listedText(qsizetype listed) const { return m_texts[listed]; }
    // A field as it is kept: fields that read the same whole number, or
    // share one listed text, are kept the same.
    quint64 raw(qsizetype row, int column) const { return cell(row, column); }
    // The whole number a field kept so holds, if it holds one.
    static bool wholeOf(quint64 raw, qint64& value) {
        if ((raw & kTagMask) != kWhole)
            return false;
        value = qint64(raw) >> kTagBits;
        return true;
    }
    static bool isNull(quint64 raw) { return raw == kNull; }

private:
    static constexpr int kTagBits = 2;
    static constexpr quint64 kTagMask = 3;
    static constexpr quint64 kNull = 0, kWhole = 1, kText = 2, kValue = 3;
    static constexpr qint64 kMaxWhole = (qint64(1) << 61) - 1;
    static constexpr qint64 kMinWhole = -(qint64(1) << 61);

    void setValue(qsizetype row, int column, const QVariant& value) {
        m_values.append(value);
        cell(row, column) = (quint64(m_values.size() - 1) << kTagBits) | kValue;
    }
    quint64 cell(qsizetype row, int column) const {
        return m_blocks[row / kRowsPerBlock][(row % kRowsPerBlock) * m_columns + column];
    }
    quint64& cell(qsizetype row, int column) {
        return m_blocks[row / kRowsPerBlock][(row % kRowsPerBlock) * m_columns + column];
    }

    int m_columns = 0;
    qsizetype m_rows = 0;
    QVector<QVector<quint64>> m_blocks;
    QVector<QByteArray> m_texts;
    QVector<QVariant> m_values;
};

// Called now and then while a statement runs on any connection (set while
// a long piece of work wants its window painted meanwhile; empty: none).
// It must not use a connection itself.
void setWorkingHook(std::function<void()> hook);
// Asked right after the working hook: true stops the statement running,
// which then fails as interrupted (empty: never).
void setStopCheck(std::function<bool()> stop);

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QString Provider;
    // "Data Source" and "Jet OLEDB:Database Password"; names compared without case.
    void setProperty(const QString& name, const QVariant& value);
    QVariant property(const QString& name) const;

    // Opens the file named by "Data Source" (or by "Data Source=..." in the
    // connection string). Never creates a file. Raises AppError on failure.
    void Open(const QString& connectionString = QString(), const QString& user = QString(),
              const QString& password = QString(), int options = -1);
    int State() const { return m_db ? adStateOpen : adStateClosed; }
    QString ConnectionString() const;

    // Runs one statement; recordsAffected receives sqlite3_changes().
    void Execute(const QString& sql, qint64* recordsAffected = nullptr, int options = -1);
    // adSchemaColumns with restrictions (catalog, schema, table, column): one
    // row per column of the table, its name in COLUMN_NAME, in the table's order.
    std::unique_ptr<Recordset> OpenSchema(int schema, const QStringList& restrictions);
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans(); // harmless when no transaction is open
    // True while a transaction is open (the engine may have ended one that
    // failed on the way).
    bool InTransaction() const;
    // A savepoint inside the open transaction, its name returned: released,
    // its work stays part of the transaction; rolled back to, its work is
    // undone and the rest of the transaction kept.
    QString Savepoint();
    void ReleaseSavepoint(const QString& name);
    void RollbackToSavepoint(const QString& name); // harmless when the transaction is gone
    void Close();                                  // raises when already closed

    sqlite3* handle() const { return m_db; }
    void requireOpen() const;

private:
    sqlite3* m_db = nullptr;
    QHash<QString, QVariant> m_properties; // keys lower case
    int m_savepoints = 0;                  // open savepoints
};

// One column of the current row.
class Field {
public:
    Field(Recordset* rs, int index) : m_rs(rs), m_index(index) {}
    QVariant Value() const;
    void setValue(const QVariant& v);
    bool isNull() const { return Value().isNull(); }
    // The value as text, Null reading as the empty text (the "& \"\"" idiom).
    QString text() const;
    int toInt() const { return Value().toInt(); }
    // A Yes/No value: true when non-zero, whether -1, 1 or '1' was written;
    // Null reads as false.
    bool isTrue() const;
    QString Name() const;

private:
    Recordset* m_rs;
    int m_index;
};

class Recordset {
public:
    Recordset() = default;

    int CursorType = adOpenUnspecified;
    int LockType = adLockUnspecified;
    int CursorLocation = adUseServer;

    // Reads every row of the SELECT into memory, positioned on the first.
    void Open(const QString& source, Connection* activeConnection, int cursorType = -1,
              int lockType = -1, int options = -1);
    int State() const { return m_open ? adStateOpen : adStateClosed; }
    void Close();

    bool Eof() const { return m_pos >= m_store.rowCount(); }
    bool Bof() const { return m_pos < 0 || m_store.rowCount() == 0; }
    void MoveNext();
    void MoveFirst() { m_pos = 0; }
    qint64 RecordCount() const { return m_store.rowCount(); }
    int fieldCount() const { return m_names.size(); }

    // Field by name (any case) or by position; raises for an unknown name.
    Field Fields(const QString& name);
    Field Fields(int index);
    int fieldIndex(const QString& name) const; // -1 when absent

    // A record set without a connection, filled row by row.
    void Append(const QString& name, int type, int size = 0, int attributes = 0);
    void OpenDisconnected();
    void AddNew();
    void Update() {}

    const QStringList& fieldNames() const { return m_names; }
    // Every row's fields (shared, not copied, by whoever keeps them).
    const RowStore& store() const { return m_store; }
    // Fills the record set directly (the schema and the tests use it).
    void setData(QStringList names, QVector<QVector<QVariant>> rows);

private:
    friend class Field;
    void requireRow() const;
    QStringList m_names;
    RowStore m_store;
    qsizetype m_pos = 0;
    bool m_open = false;
};

// A transaction for the lifetime of a scope: BeginTrans at its start; leaving
// the scope without commit() (an error on the way) rolls it back. Inside a
// transaction already open on the connection it is a savepoint of it:
// commit() keeps its work for that transaction's commit, and leaving without
// commit() undoes its work alone.
class TransactionScope {
public:
    explicit TransactionScope(Connection& cn) : m_cn(cn) {
        if (m_cn.InTransaction())
            m_savepoint = m_cn.Savepoint();
        else
            m_cn.BeginTrans();
    }
    ~TransactionScope() {
        if (m_committed)
            return;
        if (m_savepoint.isEmpty())
            m_cn.RollbackTrans();
        else
            m_cn.RollbackToSavepoint(m_savepoint);
    }
    TransactionScope(const TransactionScope&) = delete;
    TransactionScope& operator=(const TransactionScope&) = delete;
    void commit() {
        if (m_savepoint.isEmpty())
            m_cn.CommitTrans();
        else
            m_cn.ReleaseSavepoint(m_savepoint);
        m_committed = true;
    }

private:
    Connection& m_cn;
    QString m_savepoint; // empty: the transaction itself
    bool m_committed = false;
};

class Command {
public:
    QString ActiveConnection; // a connection string
    QString CommandText;
    int CommandType = adCmdText;
};

} // namespace ado
