#pragma once
// The least SQL for the rows of each report, written for SQLite from what
// each report shows (not translated from the program's texts): each reads
// its rows through the tables' keys and the learner-year index, with the
// SQL dialect's functions and collation where the report's values and order
// need them (CInt's rounding, the text order without case).
#include <QString>
#include <QStringList>

// The learners per barrier of the report year, current learners only.
QString barrierLimitSql(int year);
// The learners per responsible provider of the report year, current only.
QString providerLimitSql(int year);
// The learners of one accession number, by ID (the host's table has no index
// on it: they are picked first, with one read).
QString accessionLearnersSql(const QString& accessionNo);
// The learner profile of the report year (current learners) for every
// learner with special needs or a social grant, or for those among the
// learners of a list of IDs: its main rows, diagnostic profile and criteria
// scores.
QStringList profileLimitSql(int year, const QString& among = QString());
// The score summary: its learners, their average score per activity domain
// and their support-area ratings.
QStringList scoreSummaryLimitSql(int year);
// The learner list of the current learners with special needs or a grant.
QString learnerListLimitSql();
// The two lists of the barrier and provider selection: the barriers, and
// the providers of the data year.
QStringList selectionListsLimitSql(int dataYear);
