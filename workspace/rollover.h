#pragma once
// Roll-over of the previous year: the learner-selection window's "Append
// Previous Year Information" copies last year's rows of the sections that need
// no fresh assessment into the current year, for every current learner.
#include <QString>
#include <QStringList>

// The click handler of cmdRoll: asks first, then runs AppendInfo.
void cmdRoll_Click();

// Copies the previous calendar year's rows of the nine roll-over tables into
// the current one and reports how many rows it added. All nine statements run
// in one transaction: a failure is reported and leaves every table as it was.
void AppendInfo();

// The INSERT ... SELECT that copies table's rows of year y - 1 to year y, the
// columns (ID left out) in the order given.
QString appendInfoSql(const QString& table, const QStringList& columns, int y);
