#pragma once
// The host engine's SQL dialect on SQLite: the statement texts are translated
// on tokens, and the host engine's functions are registered on each connection.
#include <QString>

struct sqlite3;

// Rewrites one statement written for the host engine into SQLite's dialect.
// Every ORDER BY and GROUP BY term is taken for text.
QString translateJetSql(const QString& sql);
// The same for the database db (a handle registerJetFunctions was called
// on): a term that is a column db declares as a number, or a count, sum,
// average, CInt or Len, is ordered and grouped as a number, without the
// text collation.
QString translateJetSql(const QString& sql, sqlite3* db);

// Registers the host engine's functions on db: jet_concat (the & operator),
// jet_isnull (IsNull), Len, Mid, jet_left (Left) and CInt; and the collation
// jet_nocase, which compares every letter without case.
// translateJetSql raises AppError for a text that is not well-formed.
void registerJetFunctions(sqlite3* db);

// Lowest SQLite version the dialect relies on (RIGHT JOIN).
constexpr int kMinSqliteVersion = 3039000;
