#include "support/supportrating.h"

#include <cmath>

int levelValue(const QString& level) {
    static const QString kLevels[] = {"Level 1", "Level 2", "Level 3", "Level 4", "Level 5"};
    for (int i = 0; i < 5; ++i) {
        if (level == kLevels[i])
            return i + 1;
    }
    return 0;
}

int roundHalfEven(double value) {
    const double lower = std::floor(value);
    const double diff = value - lower;
    double result = lower;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(lower, 2.0) != 0))
        result = lower + 1;
    return static_cast<int>(result);
}

std::array<std::optional<int>, kSupportAreas> supportAreaRatings(const QList<StoredLevel>& levels) {
    std::array<int, kSupportAreas> sums{};
    std::array<int, kSupportAreas> counts{};
    for (const StoredLevel& stored : levels) {
        if (stored.supportArea < 1 || stored.supportArea > kSupportAreas || stored.level == "N/A")
            continue;
        const int i = stored.supportArea - 1;
        sums[i] += levelValue(stored.level);
        if (!stored.level.trimmed().isEmpty())
            ++counts[i];
    }
    std::array<std::optional<int>, kSupportAreas> ratings;
    for (int i = 0; i < kSupportAreas; ++i) {
        if (counts[i] > 0)
            ratings[i] = roundHalfEven(double(sums[i]) / counts[i]);
    }
    return ratings;
}
