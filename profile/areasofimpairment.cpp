#include "profile/areasofimpairment.h"

int roundHalfEven(int sum, int count) {
    if (count < 0) {
        sum = -sum;
        count = -count;
    }
    // Floor division, then compare twice the remainder with the divisor.
    int quotient = sum / count;
    int remainder = sum % count;
    if (remainder < 0) {
        remainder += count;
        --quotient;
    }
    const int twice = 2 * remainder;
    if (twice > count || (twice == count && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

QString areaLevelLabel(int level) {
    switch (level) {
    case 1:
        return QStringLiteral("MILD");
    case 2:
        return QStringLiteral("MODERATE");
    case 3:
        return QStringLiteral("SEVERE");
    default:
        return QString();
    }
}

QList<AreaLevel> computeAreaLevels(const QList<DomainScore>& scores) {
    QList<AreaLevel> levels;
    int current = 0;
    int sum = 0;
    int count = 0;
    const auto finish = [&] {
        if (current < 1 || current > kActivityDomains || count == 0)
            return;
        const int level = roundHalfEven(sum, count);
        if (level >= 1 && level <= 3)
            levels.append({current, level});
    };
    for (const DomainScore& s : scores) {
        if (s.domain != current) {
            finish();
            sum = 0;
            count = 0;
            current = s.domain;
        }
        if (s.score.isNull())
            continue;
        const int score = s.score.toInt();
        sum += score;
        if (score > 0)
            ++count;
    }
    finish();
    return levels;
}
