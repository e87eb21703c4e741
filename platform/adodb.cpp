#include "platform/adodb.h"

#include "platform/jetdialect.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <ctime>
#include <sqlite3.h>
#include <sys/stat.h>
#include <vector>

namespace ado {
namespace {

[[noreturn]] void raiseSqlite(sqlite3* db, int rc) {
    const char* msg = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    QString description = QString::fromUtf8(msg);
    if (description.startsWith(QLatin1String("unsafe use of ")))
        description += ": a trigger or view of the database file calls what it may not";
    throw AppError(db ? sqlite3_extended_errcode(db) : rc, description, true);
}

QVariant columnValue(sqlite3_stmt* st, int i) {
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_INTEGER:
        return QVariant::fromValue<qlonglong>(sqlite3_column_int64(st, i));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, i));
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(st, i)),
                          sqlite3_column_bytes(st, i));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                 sqlite3_column_bytes(st, i));
    }
}

// Runs every statement of a translated text; the rows of the last one that
// returns columns are handed to the sink.
template <class Sink> void runStatements(sqlite3* db, const QString& sql, Sink&& sink) {
    // SQLite reads a statement only up to a NUL: the rest of the text would
    // be cut off, or never read at all. Such a text runs nothing.
    if (sql.contains(QChar(0)))
        throw AppError(SQLITE_ERROR,
                       "The statement holds a NUL character (code 0), which cannot be stored; "
                       "nothing of it was run.",
                       true);
    const QByteArray utf8 = translateJetSql(sql, db).toUtf8();
    const char* tail = utf8.constData();
    const char* end = tail + utf8.size();
    while (tail < end) {
        sqlite3_stmt* st = nullptr;
        const char* from = tail;
        int rc = sqlite3_prepare_v2(db, tail, int(end - tail), &st, &tail);
        if (rc != SQLITE_OK)
            raiseSqlite(db, rc);
        if (!st) {
            // Blanks or a comment; a text SQLite does not read on from ends here.
            if (tail <= from)
                throw AppError(SQLITE_ERROR, "The statement could not be read to its end.", true);
            continue;
        }
        sink.begin(st);
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            sink.row(st);
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE)
            raiseSqlite(db, rc);
        sink.end();
    }
}

} // namespace

namespace {

// The file a path names, as it stands: which file it is, its size, when it
// was last written and when it last changed in any way, and SQLite's change
// counter in its header. Writing a file in place, then setting its time of
// writing back, still gives it a change time of now: the system sets that,
// and nothing can set it back.
struct FileState {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec written{};
    timespec changed{};
    quint32 changeCounter = 0;
    bool operator==(const FileState& o) const {
        return device == o.device && inode == o.inode && size == o.size &&
               written.tv_sec == o.written.tv_sec && written.tv_nsec == o.written.tv_nsec &&
               changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec &&
               changeCounter == o.changeCounter;
    }
};

bool fileState(const QString& path, FileState& state) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    struct stat st {};
    if (::fstat(file.handle(), &st) != 0)
        return false;
    // The file change counter: four bytes, most significant first, at 24.
    unsigned char header[28] = {};
    if (file.read(reinterpret_cast<char*>(header), sizeof header) != qint64(sizeof header))
        return false;
    state = {st.st_dev,
             st.st_ino,
             st.st_size,
             st.st_mtim,
             st.st_ctim,
             quint32(header[24]) << 24 | quint32(header[25]) << 16 | quint32(header[26]) << 8 |
                 quint32(header[27])};
    return true;
}

// True when the file changed so lately that a further change could still
// bear the same change time: the system stamps a change with a clock that
// moves in steps (of a few milliseconds; of whole seconds, or two, on a file
// system that keeps no fractions). Such a file may have changed again
// unseen; so may a file whose change time lies ahead of the clock.
bool changedTooLately(const FileState& state) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const bool wholeSeconds = state.changed.tv_nsec == 0 && state.written.tv_nsec == 0;
    const qint64 stepNs = wholeSeconds ? 2'000'000'000LL : 50'000'000LL;
    const qint64 sinceNs = (qint64(now.tv_sec) - qint64(state.changed.tv_sec)) * 1'000'000'000LL +
                           (qint64(now.tv_nsec) - qint64(state.changed.tv_nsec));
    return sinceNs < stepNs;
}

// The handle of the connection closed last, kept open while nothing else is:
// the program opens a connection for each piece of work, and the next one to
// the same file, untouched since, reads the pages the last one read from
// SQLite's cache rather than the system's again. A file written meanwhile,
// or another file at the path, gets a handle of its own; so does a file that
// had changed just before the handle was kept, as a change after it could
// not be told from it.
class IdleHandle {
public:
    ~IdleHandle() { drop(); }
    void park(sqlite3* db, const QString& path) {
        drop();
        FileState state;
        if (!fileState(path, state) || changedTooLately(state)) {
            sqlite3_close_v2(db);
            return;
        }
        m_db = db;
        m_path = path;
        m_state = state;
    }
    // The parked handle of the file at path, if it is still as it was parked.
    sqlite3* take(const QString& path) {
        if (!m_db)
            return nullptr;
        FileState state;
        if (m_path != path || !fileState(path, state) || !(state == m_state)) {
            drop();
            return nullptr;
        }
        sqlite3* db = m_db;
        m_db = nullptr;
        return db;
    }

private:
    void drop() {
        if (m_db)
            sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    sqlite3* m_db = nullptr;
    QString m_path;
    FileState m_state;
};

IdleHandle& idleHandle() {
    static IdleHandle handle;
    return handle;
}

} // namespace

namespace {

// What a database file may make the engine do: no schema written as data
// (SQLITE_DBCONFIG_DEFENSIVE), and no function that is not marked harmless
// called from the file's triggers, views, indexes or defaults (trusted_schema
// off). The program's own functions are never callable from the file
// (registerJetFunctions).
int guardAgainstTheFile(sqlite3* db) {
    int on = 0;
    int rc = sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, &on);
    if (rc == SQLITE_OK && on != 1)
        rc = SQLITE_ERROR;
    if (rc == SQLITE_OK)
        rc = sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, &on);
    if (rc == SQLITE_OK && on != 0)
        rc = SQLITE_ERROR;
    return rc;
}

std::function<void()>& workingHook() {
    static std::function<void()> hook;
    return hook;
}

std::function<bool()>& stopCheck() {
    static std::function<bool()> stop;
    return stop;
}

// SQLite calls this every so many steps of a statement.
int onWorking(void*) {
    if (workingHook())
        workingHook()();
    return stopCheck() && stopCheck()() ? 1 : 0; // 0: go on
}

// SQLite steps between two calls of onWorking.
constexpr int kWorkingSteps = 10000;

} // namespace

void setWorkingHook(std::function<void()> hook) {
    workingHook() = std::move(hook);
}

void setStopCheck(std::function<bool()> stop) {
    stopCheck() = std::move(stop);
}

Connection::Connection() = default;

Connection::~Connection() {
    if (m_db)
        sqlite3_close_v2(m_db);
}

void Connection::setProperty(const QString& name, const QVariant& value) {
    m_properties.insert(name.toLower(), value);
}

QVariant Connection::property(const QString& name) const {
    return m_properties.value(name.toLower());
}

void Connection::Open(const QString& connectionString, const QString&, const QString&, int) {
    if (m_db)
        throw AppError(ErrNo::OpenFailed, "Operation is not allowed when the object is open.");
    QString path = property("Data Source").toString();
    for (const QString& part : connectionString.split(';', Qt::SkipEmptyParts)) {
        const qsizetype eq = part.indexOf('=');
        if (eq > 0 && part.left(eq).trimmed().compare("Data Source", Qt::CaseInsensitive) == 0)
            path = part.mid(eq + 1).trimmed();
    }
    if (path.trimmed().isEmpty())
        throw AppError(ErrNo::OpenFailed, "No database file is named.");
    if (!QFileInfo(path).isFile())
        throw AppError(ErrNo::OpenFailed, QString("Could not find file '%1'.").arg(path));
    if (sqlite3_libversion_number() < kMinSqliteVersion)
        throw AppError(
            ErrNo::OpenFailed,
            QString("SQLite %1 is too old; 3.39 or later is needed.").arg(sqlite3_libversion()));
    if (sqlite3* parked = idleHandle().take(path)) {
        m_db = parked;
        m_properties.insert("data source", path);
        return;
    }
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        // The file is data: its triggers and views may call none of the
        // program's functions, and nothing may write its schema by hand.
        rc = guardAgainstTheFile(db);
    }
    if (rc == SQLITE_OK) {
        // A file another program is writing is waited for a while, not refused.
        sqlite3_busy_timeout(db, 5000);
        // Reading the schema tells a database from any other file.
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        const QString reason = QString::fromUtf8(sqlite3_errmsg(db));
        const AppError err(rc,
                           (rc & 0xFF) == SQLITE_NOTADB
                               ? QString("'%1' is not a database: %2").arg(path, reason)
                               : QString("Could not open '%1': %2").arg(path, reason),
                           true);
        sqlite3_close_v2(db);
        throw err;
    }
    sqlite3_exec(db, "PRAGMA foreign_keys = OFF", nullptr, nullptr, nullptr);
    registerJetFunctions(db);
    sqlite3_progress_handler(db, kWorkingSteps, onWorking, nullptr);
    m_db = db;
    m_properties.insert("data source", path);
}

QString Connection::ConnectionString() const {
    return QString("Provider=%1;Data Source=%2").arg(Provider, property("Data Source").toString());
}

void Connection::requireOpen() const {
    if (!m_db)
        throw AppError(ErrNo::NotOpen, "Operation is not allowed when the object is closed.");
}

void Connection::Execute(const QString& sql, qint64* recordsAffected, int) {
    requireOpen();
    // sqlite3_changes() keeps the count of the last INSERT, UPDATE or DELETE,
    // so a statement that changed no row (CREATE, ALTER) adds 0.
    struct Count {
        sqlite3* db;
        qint64 total = 0;
        sqlite3_int64 before = 0;
        void begin(sqlite3_stmt*) { before = sqlite3_total_changes64(db); }
        void row(sqlite3_stmt*) {}
        void end() {
            if (sqlite3_total_changes64(db) != before)
                total += sqlite3_changes64(db);
        }
    } count{m_db};
    runStatements(m_db, sql, count);
    if (recordsAffected)
        *recordsAffected = count.total;
}

std::unique_ptr<Recordset> Connection::OpenSchema(int schema, const QStringList& restrictions) {
    requireOpen();
    if (schema != adSchemaColumns)
        throw AppError(3251,
                       "Object or provider is not capable of performing requested operation.");
    const QString table = restrictions.value(2);
    QVector<QVector<QVariant>> rows;
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(m_db, "SELECT name, cid FROM pragma_table_info(?1) ORDER BY cid",
                                -1, &st, nullptr);
    if (rc != SQLITE_OK)
        raiseSqlite(m_db, rc);
    const QByteArray t = table.toUtf8();
    sqlite3_bind_text(st, 1, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        rows.append({table, columnValue(st, 0),
                     QVariant::fromValue<qlonglong>(sqlite3_column_int64(st, 1) + 1)});
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        raiseSqlite(m_db, rc);
    auto rs = std::make_unique<Recordset>();
    rs->setData({"TABLE_NAME", "COLUMN_NAME", "ORDINAL_POSITION"}, std::move(rows));
    return rs;
}

void Connection::BeginTrans() {
    Execute("BEGIN IMMEDIATE");
    m_savepoints = 0;
}

void Connection::CommitTrans() {
    Execute("COMMIT");
}

void Connection::RollbackTrans() {
    if (m_db && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_savepoints = 0;
}

bool Connection::InTransaction() const {
    return m_db && !sqlite3_get_autocommit(m_db);
}

QString Connection::Savepoint() {
    requireOpen();
    if (!InTransaction())
        throw AppError(ErrNo::NotOpen, "No transaction is open for a savepoint.");
    const QString name = QString("rer_savepoint_%1").arg(m_savepoints + 1);
    Execute("SAVEPOINT " + name);
    ++m_savepoints;
    return name;
}

void Connection::ReleaseSavepoint(const QString& name) {
    Execute("RELEASE " + name);
    --m_savepoints;
}

void Connection::RollbackToSavepoint(const QString& name) {
    if (InTransaction()) {
        const QByteArray sql = ("ROLLBACK TO " + name + "; RELEASE " + name).toUtf8();
        sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, nullptr);
    }
    if (m_savepoints > 0)
        --m_savepoints;
}

void Connection::Close() {
    requireOpen();
    // Kept for the next connection when it is done with: no transaction open
    // and no statement left.
    RollbackTrans();
    if (sqlite3_next_stmt(m_db, nullptr) == nullptr)
        idleHandle().park(m_db, m_properties.value("data source").toString());
    else
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

// ---- Field -------------------------------------------------------------------

QVariant Field::Value() const {
    m_rs->requireRow();
    return m_rs->m_store.at(m_rs->m_pos, m_index);
}

void Field::setValue(const QVariant& v) {
    m_rs->requireRow();
    m_rs->m_store.set(m_rs->m_pos, m_index, v);
}

QString Field::text() const {
    const QVariant v = Value();
    return v.isNull() ? QString() : v.toString();
}

bool Field::isTrue() const {
    const QVariant v = Value();
    if (v.isNull())
        return false;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok)
        return d != 0;
    const QString s = v.toString().trimmed();
    return s.compare("True", Qt::CaseInsensitive) == 0 ||
           s.compare("Yes", Qt::CaseInsensitive) == 0;
}

QString Field::Name() const {
    return m_rs->m_names[m_index];
}

// ---- Recordset ---------------------------------------------------------------

namespace {

// The texts of one column of a result seen so far, found by a hash of a few
// of their bytes: report data repeats a few long texts (a description, the
// name of an area or a grade) on thousands of rows, and each is kept once.
class ColumnTexts {
public:
    // The text of the row above: a learner's long texts stand on each of
    // the learner's rows.
    qsizetype above = -1;

    // The listed text of the same bytes seen before, or -1.
    qsizetype find(const RowStore& store, const char* text, int size) {
        if (!m_lookingUp || m_slots.empty())
            return -1;
        const size_t mask = m_slots.size() - 1;
        for (size_t i = hashOf(text, size) & mask;; i = (i + 1) & mask) {
            const qsizetype listed = m_slots[i];
            if (listed < 0)
                break;
            const QByteArray& seen = store.listedText(listed);
            if (seen.size() == size && std::memcmp(seen.constData(), text, size_t(size)) == 0) {
                ++m_hits;
                return listed;
            }
        }
        // A column of mostly different texts (a learner's own notes) stops
        // being looked up once it has shown many.
        if (++m_misses > kMostTexts && m_misses > 4 * m_hits)
            m_lookingUp = false;
        return -1;
    }
    void add(const RowStore& store, qsizetype listed) {
        if (!m_lookingUp || m_count >= kMostTexts)
            return;
        if (m_slots.empty())
            m_slots.assign(kSlots, -1);
        const QByteArray& text = store.listedText(listed);
        const size_t mask = m_slots.size() - 1;
        size_t i = hashOf(text.constData(), int(text.size())) & mask;
        while (m_slots[i] >= 0)
            i = (i + 1) & mask;
        m_slots[i] = listed;
        ++m_count;
    }

private:
    static constexpr int kMostTexts = 512;
    static constexpr size_t kSlots = 2048; // a power of two, well above kMostTexts
    // The length and up to 16 bytes from each end, and 8 from the middle.
    static size_t hashOf(const char* text, int size) {
        quint64 h = quint64(size) * 0x9E3779B97F4A7C15ull;
        const auto mix = [&h](const char* p, int n) {
            quint64 v = 0;
            std::memcpy(&v, p, size_t(n));
            h = (h ^ v) * 0xFF51AFD7ED558CCDull;
            h ^= h >> 29;
        };
        const int n = qMin(size, 8);
        if (n > 0) {
            mix(text, n);
            mix(text + size - n, n);
            mix(text + (size - n) / 2, n);
        }
        if (size > 16) {
            mix(text + 8, 8);
            mix(text + size - 16, 8);
        }
        return size_t(h);
    }
    std::vector<qsizetype> m_slots;
    int m_count = 0;
    qint64 m_hits = 0, m_misses = 0;
    bool m_lookingUp = true;
};

// Reads the rows of a statement into a store, field by field as SQLite
// gives them: whole numbers into the fields themselves, texts as their UTF-8
// bytes, shared with the row above or an earlier row where they are the same.
struct RowCollector {
    QStringList& names;
    RowStore& store;
    std::vector<ColumnTexts> texts;
    void begin(sqlite3_stmt* st) {
        const int n = sqlite3_column_count(st);
        if (n == 0)
            return;
        names.clear();
        store.reset(n);
        for (int i = 0; i < n; ++i)
            names.append(QString::fromUtf8(sqlite3_column_name(st, i)));
        texts.assign(size_t(n), ColumnTexts());
    }
    void row(sqlite3_stmt* st) {
        const int n = int(names.size());
        store.addRow();
        const qsizetype r = store.rowCount() - 1;
        for (int i = 0; i < n; ++i) {
            ColumnTexts& column = texts[size_t(i)];
            switch (sqlite3_column_type(st, i)) {
            case SQLITE_TEXT:
                column.above = sharedText(st, r, i, column);
                continue;
            case SQLITE_INTEGER:
                store.setWhole(r, i, sqlite3_column_int64(st, i));
                break;
            case SQLITE_NULL:
                break; // a new row's fields are Null
            default:
                store.set(r, i, columnValue(st, i));
                break;
            }
            column.above = -1;
        }
    }
    // Gives the field its text, shared with the row above or with an
    // earlier row where it is the same; the text's listed value.
    qsizetype sharedText(sqlite3_stmt* st, qsizetype r, int i, ColumnTexts& column) {
        const char* text = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        const int size = sqlite3_column_bytes(st, i);
        if (column.above >= 0) {
            const QByteArray& up = store.listedText(column.above);
            if (up.size() == size && std::memcmp(up.constData(), text, size_t(size)) == 0) {
                store.share(r, i, column.above);
                return column.above;
            }
        }
        const qsizetype seen = column.find(store, text, size);
        if (seen >= 0) {
            store.share(r, i, seen);
            return seen;
        }
        const qsizetype listed = store.setText(r, i, QByteArray(text, size));
        column.add(store, listed);
        return listed;
    }
    void end() {}
};

} // namespace

void Recordset::Open(const QString& source, Connection* activeConnection, int cursorType,
                     int lockType, int) {
    if (m_open)
        throw AppError(ErrNo::NotOpen, "Operation is not allowed when the object is open.");
    if (!activeConnection)
        throw AppError(ErrNo::NotOpen, "The connection cannot be used to perform this operation.");
    activeConnection->requireOpen();
    if (cursorType != -1)
        CursorType = cursorType;
    if (lockType != -1)
        LockType = lockType;
    QStringList names;
    RowStore store;
    runStatements(activeConnection->handle(), source, RowCollector{names, store, {}});
    m_names = std::move(names);
    m_store = std::move(store);
    m_pos = 0;
    m_open = true;
}

void Recordset::setData(QStringList names, QVector<QVector<QVariant>> rows) {
    m_names = std::move(names);
    m_store.reset(int(m_names.size()));
    for (const QVector<QVariant>& row : rows) {
        m_store.addRow();
        for (int i = 0; i < m_names.size(); ++i)
            m_store.set(m_store.rowCount() - 1, i, row.value(i));
    }
    m_pos = 0;
    m_open = true;
}

void Recordset::Close() {
    if (!m_open)
        throw AppError(ErrNo::NotOpen, "Operation is not allowed when the object is closed.");
    m_open = false;
    m_store.reset(0);
    m_names.clear();
    m_pos = 0;
}

void Recordset::MoveNext() {
    if (Eof())
        throw AppError(ErrNo::NoCurrentRow,
                       "Either BOF or EOF is True, or the current record has been deleted.");
    ++m_pos;
}

int Recordset::fieldIndex(const QString& name) const {
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Field Recordset::Fields(const QString& name) {
    const int i = fieldIndex(name);
    if (i < 0)
        throw AppError(ErrNo::NoSuchField,
                       QString("Item cannot be found in the collection corresponding to the "
                               "requested name or ordinal. (%1)")
                           .arg(name));
    return Field(this, i);
}

Field Recordset::Fields(int index) {
    if (index < 0 || index >= m_names.size())
        throw AppError(ErrNo::NoSuchField, "Item cannot be found in the collection corresponding "
                                           "to the requested name or ordinal.");
    return Field(this, index);
}

void Recordset::requireRow() const {
    if (!m_open)
        throw AppError(ErrNo::NotOpen, "Operation is not allowed when the object is closed.");
    if (m_pos < 0 || m_pos >= m_store.rowCount())
        throw AppError(ErrNo::NoCurrentRow,
                       "Either BOF or EOF is True, or the current record has been deleted.");
}

void Recordset::Append(const QString& name, int, int, int) {
    if (m_open)
        throw AppError(3219, "Operation is not allowed in this context.");
    m_names.append(name);
}

void Recordset::OpenDisconnected() {
    m_store.reset(int(m_names.size()));
    m_pos = 0;
    m_open = true;
}

void Recordset::AddNew() {
    if (!m_open)
        throw AppError(ErrNo::NotOpen, "Operation is not allowed when the object is closed.");
    m_store.addRow();
    m_pos = m_store.rowCount() - 1;
}

} // namespace ado
