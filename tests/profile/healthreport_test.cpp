// The health professional report page: the areas of impairment worked out
// from the criteria scores, the medical-record row, the page print.
#include "profile/areasofimpairment.h"

#include <gtest/gtest.h>

namespace {

QList<DomainScore> scoresOf(std::initializer_list<std::pair<int, QVariant>> list) {
    QList<DomainScore> out;
    for (const auto& [domain, score] : list)
        out.append({domain, score});
    return out;
}

} // namespace

TEST(AreasOfImpairment, RoundsHalvesToTheEvenNeighbour) {
    struct Case {
        int sum, count, level;
    } cases[] = {
        {3, 2, 2},  // 1.5
        {5, 2, 2},  // 2.5, never 3
        {7, 2, 4},  // 3.5
        {1, 2, 0},  // 0.5
        {5, 3, 2},  // 1.67
        {8, 3, 3},  // 2.67
        {4, 3, 1},  // 1.33
        {10, 4, 2}, // 2.5
        {6, 3, 2},  {-3, 2, -2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(roundHalfEven(c.sum, c.count), c.level) << c.sum << "/" << c.count;
}

TEST(AreasOfImpairment, LevelsOfTheWorkedExamples) {
    struct Case {
        QList<int> scores;
        int level;
    } cases[] = {
        {{1, 2, 2}, 2}, {{2, 3}, 2},       {{1, 2}, 2},    {{3, 3, 2}, 3},
        {{1, 1, 3}, 2}, {{2, 3, 2, 3}, 2}, {{1, 1, 2}, 1}, {{3}, 3},
    };
    for (const Case& c : cases) {
        QList<DomainScore> scores;
        for (int s : c.scores)
            scores.append({4, s});
        const QList<AreaLevel> levels = computeAreaLevels(scores);
        ASSERT_EQ(levels.size(), 1);
        EXPECT_EQ(levels[0], (AreaLevel{4, c.level}));
    }
    EXPECT_EQ(areaLevelLabel(1), "MILD");
    EXPECT_EQ(areaLevelLabel(2), "MODERATE");
    EXPECT_EQ(areaLevelLabel(3), "SEVERE");
    EXPECT_EQ(areaLevelLabel(0), "");
    EXPECT_EQ(areaLevelLabel(4), "");
}

TEST(AreasOfImpairment, NullAndZeroScoresAreSkippedAndEmptyDomainsGetNoLevel) {
    // Domain 1: Null skipped, mean of 1 and 2 is 1.5 -> 2. Domain 2: only a
    // Null and a 0, so no level, and domain 3 after it is still computed.
    const auto levels = computeAreaLevels(
        scoresOf({{1, QVariant()}, {1, 1}, {1, 2}, {2, QVariant()}, {2, 0}, {3, 3}, {3, 3}}));
    EXPECT_EQ(levels, (QList<AreaLevel>{{1, 2}, {3, 3}}));
    EXPECT_TRUE(computeAreaLevels({}).isEmpty());
}

TEST(AreasOfImpairment, OnlyLevelsOneToThreeOfDomainsOneToEightAreGiven) {
    // A stored 0 adds nothing to the count; an out-of-range score pulls the
    // mean off the scale; domains outside 1..8 have no row on the page.
    const auto levels =
        computeAreaLevels(scoresOf({{0, 2}, {1, 9}, {5, 1}, {5, 0}, {8, 1}, {8, 3}, {9, 2}}));
    EXPECT_EQ(levels, (QList<AreaLevel>{{5, 1}, {8, 2}}));
}
