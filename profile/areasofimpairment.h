#pragma once
// The areas of impairment: the level of limitation of each activity domain,
// worked out from the scores of the criteria pages. Nothing here touches the
// database or a window, so the reckoning can be checked on its own.
#include <QList>
#include <QString>
#include <QVariant>

// One stored score with the activity domain of its activity, in the order
// the scores were read (the query orders them by domain).
struct DomainScore {
    int domain = 0;
    QVariant score; // Null where no score is stored
};

// The computed level of one domain: 1 mild, 2 moderate, 3 severe.
struct AreaLevel {
    int domain = 0;
    int level = 0;
    bool operator==(const AreaLevel&) const = default;
};

// Number of activity domains (1 Mobility .. 8 Health care needs).
constexpr int kActivityDomains = 8;

// sum / count rounded to a whole number, halves going to the even neighbour
// (3/2 gives 2, 5/2 gives 2, 7/2 gives 4). count must be above 0.
int roundHalfEven(int sum, int count);

// Walks the scores domain by domain: each domain's level is the mean of its
// scores above 0, rounded half to even. Null scores are skipped; a domain
// without any score above 0 gets no level, and neither does a mean that
// rounds outside 1..3. Only domains 1..8 are returned, in the order met.
QList<AreaLevel> computeAreaLevels(const QList<DomainScore>& scores);

// "MILD", "MODERATE" or "SEVERE" for the levels 1, 2, 3; "" otherwise.
QString areaLevelLabel(int level);
