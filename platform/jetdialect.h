#pragma once
// The host engine's SQL dialect on SQLite: the statement texts are translated
// on tokens; the host engine's functions they call are in
// platform/sqlfunctions.*.
#include <QString>

struct sqlite3;

// Rewrites one statement written for the host engine into SQLite's dialect.
// An ORDER BY or GROUP BY term that is a count, sum, average, CInt or Len,
// or, given the database db (a handle registerJetFunctions was called on),
// a column db declares as a number, is ordered and grouped as a number,
// without the text collation; every other term is taken for text.
// Raises AppError for a text that is not well-formed.
QString translateJetSql(const QString& sql, sqlite3* db = nullptr);

// Readies db for the translated statements: registers the host engine's
// functions and the collation jet_nocase on it (platform/sqlfunctions.h),
// and gives it a number of its own, under which the translations that asked
// its schema are kept (a handle opened later at the same address is another
// database).
void registerJetFunctions(sqlite3* db);

// Lowest SQLite version the dialect relies on (RIGHT JOIN).
constexpr int kMinSqliteVersion = 3039000;
