#pragma once
// The host engine's functions and text order on SQLite, for the statements
// the dialect (platform/jetdialect.h) writes: jet_concat (the & operator),
// jet_isnull (IsNull), Len, Mid, jet_left (Left) and CInt, and the collation
// jet_nocase, which compares every letter without case.
struct sqlite3;

// Registers them on db, callable from the program's statements only.
void registerSqlFunctions(sqlite3* db);
