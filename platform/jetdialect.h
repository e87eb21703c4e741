#pragma once
// The host engine's SQL dialect on SQLite: the statement texts are translated
// on tokens, and the host engine's functions are registered on each connection.
#include <QString>

struct sqlite3;

// Rewrites one statement written for the host engine into SQLite's dialect.
QString translateJetSql(const QString& sql);

// Registers jet_concat, IsNull, Len, Mid, jet_left, CInt and the rest on db.
void registerJetFunctions(sqlite3* db);

// Lowest SQLite version the dialect relies on (RIGHT JOIN).
constexpr int kMinSqliteVersion = 3039000;
