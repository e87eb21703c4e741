#pragma once
// The figures of one benchmark run at one school size, and the timing of
// one operation repeated several times.
#include <QElapsedTimer>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <algorithm>
#include <functional>
#include <vector>

struct Figure {
    QString name;
    QString unit = QStringLiteral("ms");
    double median = 0;
    double min = 0;
    double max = 0;
    double target = 0; // 0: no target
    int runs = 0;
    // The limit: the median of the least SQL that reads or writes the same
    // rows, timed in the same run (0: none).
    double limit = 0;
    // What the limit is beside its time, where it says more than the rows
    // (a save's commits).
    QString limitNote;

    bool hasTarget() const { return target > 0; }
    bool met() const { return !hasTarget() || median < target; }
    QJsonObject toJson() const;
    static Figure fromJson(const QJsonObject& o);
};

// The figure of timed runs (milliseconds): their median, fastest and slowest.
Figure figureOf(const QString& name, std::vector<double> ms);

// Runs setUp (untimed), then body (timed), then tearDown (untimed), first
// once to warm up and then runs times; the figure holds milliseconds.
Figure timeIt(const QString& name, int runs, double targetMs, const std::function<void()>& body,
              const std::function<void()>& setUp = {}, const std::function<void()>& tearDown = {});
