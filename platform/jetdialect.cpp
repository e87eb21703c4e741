#include "platform/jetdialect.h"

#include <sqlite3.h>

QString translateJetSql(const QString& sql) { return sql; }

void registerJetFunctions(sqlite3*) {}
