#pragma once
// The overall rating of each support area of Section 3a, computed from the
// levels stored for a learner-year on the four assessment pages.
//
// "Level 1" to "Level 5" count 1 to 5; "N/A" is left out; any other non-blank
// text is a rated cell worth 0. An area's rating is the mean of its counted
// levels rounded to the nearest whole number, halves to the even neighbour
// (levels 2 and 3 give 2, 3 and 4 give 4, 1, 2 and 2 give 2).
#include <QList>
#include <QString>
#include <array>
#include <optional>

constexpr int kSupportAreas = 5; // 1 staff, 2 HRD, 3 devices, 4 curriculum, 5 access

// One stored level: its support area (1..5) and the text of [Level].
struct StoredLevel {
    int supportArea = 0;
    QString level;
};

// 1..5 for exactly "Level 1".."Level 5", else 0.
int levelValue(const QString& level);

// Rounds to the nearest whole number, halves to the even neighbour.
int roundHalfEven(double value);

// The ratings of areas 1..5 (index area - 1); an area without a counted level
// has none. Levels of areas outside 1..5 are ignored.
std::array<std::optional<int>, kSupportAreas> supportAreaRatings(const QList<StoredLevel>& levels);
