// The support-area rating: level values, rounding halves to even, the mean
// per area with N/A left out, and the leading number of a rating cell.
#include "support/supportrating.h"

#include <gtest/gtest.h>

namespace {

using Ratings = std::array<std::optional<int>, kSupportAreas>;

QList<StoredLevel> inArea(int area, const QStringList& levels) {
    QList<StoredLevel> out;
    for (const QString& level : levels)
        out.append({area, level});
    return out;
}

} // namespace

TEST(SupportRating, LevelValuesAreExactTexts) {
    EXPECT_EQ(levelValue("Level 1"), 1);
    EXPECT_EQ(levelValue("Level 5"), 5);
    for (const char* other : {"N/A", "", "Level 6", "level 3", "Level 3 ", " Level 3", "3"})
        EXPECT_EQ(levelValue(other), 0) << other;
}

TEST(SupportRating, RoundsHalvesToTheEvenNeighbour) {
    const std::pair<double, int> cases[] = {{1.5, 2},     {2.5, 2},     {3.5, 4},  {4.5, 4},
                                            {5.0 / 3, 2}, {7.0 / 3, 2}, {2.75, 3}, {0.5, 0},
                                            {1.0, 1},     {4.49, 4}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(roundHalfEven(value), expected) << value;
}

TEST(SupportRating, MeanPerAreaOfItsCountedLevels) {
    struct Case {
        QStringList levels;
        std::optional<int> rating;
    } cases[] = {
        {{"Level 2", "Level 3"}, 2},
        {{"Level 3", "Level 4"}, 4},
        {{"Level 4"}, 4},
        {{"Level 1", "Level 2", "Level 2"}, 2},
        {{"Level 5", "Level 5", "Level 4"}, 5},
        {{"Level 4", "N/A", "N/A"}, 4}, // N/A is left out, not counted as 0
        {{"N/A", "N/A"}, std::nullopt},
        {{"Level 4", "rubbish"}, 2}, // any other text is a rated 0
        {{"rubbish"}, 0},
        {{"", "  "}, std::nullopt}, // blanks are not counted: no division by 0
        {{"Level 3", ""}, 3},
        {{}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.levels.join(",").toStdString());
        const Ratings ratings = supportAreaRatings(inArea(3, c.levels));
        EXPECT_EQ(ratings[2], c.rating);
        for (int i : {0, 1, 3, 4})
            EXPECT_FALSE(ratings[i].has_value());
    }
}

TEST(SupportRating, AreasAreRatedApartInAnyOrderAndUnknownAreasIgnored) {
    QList<StoredLevel> levels = {{5, "Level 1"}, {1, "Level 2"}, {2, "Level 5"}, {1, "Level 3"},
                                 {5, "Level 2"}, {0, "Level 5"}, {6, "Level 5"}, {-1, "Level 1"}};
    const Ratings ratings = supportAreaRatings(levels);
    EXPECT_EQ(ratings[0], 2);
    EXPECT_EQ(ratings[1], 5);
    EXPECT_FALSE(ratings[2].has_value());
    EXPECT_FALSE(ratings[3].has_value());
    EXPECT_EQ(ratings[4], 2); // 1.5 to the even 2

    // Every item of all four pages at Level 5 in one area: no overflow.
    const Ratings many = supportAreaRatings(inArea(1, QStringList(5000, "Level 5")));
    EXPECT_EQ(many[0], 5);
}
