#pragma once
// The one program-wide connection to the host database, and a small query
// routine over a shared command and record set.
#include "platform/adodb.h"

#include <memory>

extern QString gDbPath;
extern std::unique_ptr<ado::Connection> gConnection;
extern std::unique_ptr<ado::Command> gCommand;
extern std::unique_ptr<ado::Recordset> gRecordset;

// The fixed database password of the host product.
inline const QString kDatabasePassword = QStringLiteral("Mup@rka");

// A fresh, open connection in gConnection; a failure is reported
// ("modDatabaseConnection" / "Database Access Error") and gConnection then
// holds a closed connection.
void OpenConnection();
// The report's text for a file named by the setting that is not the school's
// database: one that is no database at all (missing empty), or one without
// the host tables named in missing.
QString notSchoolDatabaseText(const QString& path, const QStringList& missing = {});
// Closes and releases gConnection; never reports.
void CloseConnection();
// Runs sql into gRecordset on the shared connection (opening it when closed)
// and returns the number of rows.
qint64 ExecuteQuery(const QString& sql);

// Opens the connection for the lifetime of a scope and closes it on every
// path out of it, failures included.
class ConnectionScope {
public:
    ConnectionScope() { OpenConnection(); }
    // Shares the connection a caller holds open, closing nothing; when none is
    // open, the one opened inside the scope (ExecuteQuery opens it) is closed
    // on every path out of it.
    enum Sharing { ShareOpen };
    explicit ConnectionScope(Sharing) : m_own(!isOpen()) {}
    ~ConnectionScope() {
        if (m_own)
            CloseConnection();
    }
    ConnectionScope(const ConnectionScope&) = delete;
    ConnectionScope& operator=(const ConnectionScope&) = delete;
    ado::Connection& operator*() const { return *gConnection; }
    ado::Connection* operator->() const { return gConnection.get(); }
    bool isOpen() const { return gConnection && gConnection->State() == ado::adStateOpen; }

private:
    bool m_own = true;
};
