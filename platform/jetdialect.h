#pragma once
// The host engine's SQL dialect on SQLite: the statement texts are translated
// on tokens, and the host engine's functions are registered on each connection.
#include <QString>

struct sqlite3;

// Rewrites one statement written for the host engine into SQLite's dialect.
QString translateJetSql(const QString& sql);

// Registers the host engine's functions on db: jet_concat (the & operator),
// jet_isnull (IsNull), Len, Mid, jet_left (Left) and CInt.
void registerJetFunctions(sqlite3* db);

// Lowest SQLite version the dialect relies on (RIGHT JOIN).
constexpr int kMinSqliteVersion = 3039000;
