#include "services/moddatabaseconnection.h"

#include "services/modextendedmsgbox.h"

#include <sqlite3.h>

QString gDbPath;
std::unique_ptr<ado::Connection> gConnection;
std::unique_ptr<ado::Command> gCommand;
std::unique_ptr<ado::Recordset> gRecordset;

void OpenConnection() {
    gConnection = std::make_unique<ado::Connection>();
    try {
        gConnection->Provider = "Microsoft.jet.oledb.4.0";
        gConnection->setProperty("Data Source", gDbPath);
        gConnection->setProperty("Jet OLEDB:Database Password", kDatabasePassword);
        gConnection->Open("", "", "", -1);
    } catch (const AppError& e) {
        const bool notADatabase = e.fromDatabase() && (int(e.number()) & 0xFF) == SQLITE_NOTADB;
        ShowErrorReport("modDatabaseConnection",
                        notADatabase ? notSchoolDatabaseText(gDbPath) : e.description(),
                        "Database Access Error", e.number());
    }
}

QString notSchoolDatabaseText(const QString& path, const QStringList& missing) {
    return "The file " + path + ", named by the setting Startup/Database, is not the school's " +
           "database: " +
           (missing.isEmpty()     ? QStringLiteral("it is no database at all.")
            : missing.size() == 1 ? "it has no table " + missing.first() + "."
                                  : "it has none of the tables " + missing.join(", ") + ".");
}

void CloseConnection() {
    if (!gConnection || gConnection->State() != ado::adStateOpen)
        return;
    gConnection->Close();
    gConnection.reset();
}

qint64 ExecuteQuery(const QString& sql) {
    if (!gConnection || gConnection->State() != ado::adStateOpen)
        OpenConnection();
    if (!gCommand)
        gCommand = std::make_unique<ado::Command>();
    gCommand->ActiveConnection = gConnection->ConnectionString();
    gCommand->CommandText = sql;
    gCommand->CommandType = ado::adCmdText;
    gRecordset = std::make_unique<ado::Recordset>();
    gRecordset->CursorType = ado::adOpenStatic;
    gRecordset->CursorLocation = ado::adUseClient;
    gRecordset->LockType = ado::adLockOptimistic;
    gRecordset->Open(gCommand->CommandText, gConnection.get());
    return gRecordset->RecordCount();
}
