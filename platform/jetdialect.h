#pragma once
// The host engine's SQL dialect on SQLite: the statement texts are translated
// on tokens; the host engine's functions they call are in
// platform/sqlfunctions.*.
#include <QString>

struct sqlite3;

// Rewrites one statement written for the host engine into SQLite's dialect.
// Every ORDER BY and GROUP BY term is taken for text.
QString translateJetSql(const QString& sql);
// The same for the database db (a handle registerJetFunctions was called
// on): a term that is a column db declares as a number, or a count, sum,
// average, CInt or Len, is ordered and grouped as a number, without the
// text collation.
// Both raise AppError for a text that is not well-formed.
QString translateJetSql(const QString& sql, sqlite3* db);

// Readies db for the translated statements: registers the host engine's
// functions and the collation jet_nocase on it (platform/sqlfunctions.h),
// and gives it a number of its own, under which the translations that asked
// its schema are kept (a handle opened later at the same address is another
// database).
void registerJetFunctions(sqlite3* db);

// Lowest SQLite version the dialect relies on (RIGHT JOIN).
constexpr int kMinSqliteVersion = 3039000;
