#include "bench/measure.h"

QJsonObject Figure::toJson() const {
    return {{"name", name}, {"unit", unit},   {"median", median},
            {"min", min},   {"max", max},     {"target", target},
            {"runs", runs}, {"limit", limit}, {"limitNote", limitNote}};
}

Figure Figure::fromJson(const QJsonObject& o) {
    Figure f;
    f.name = o["name"].toString();
    f.unit = o["unit"].toString();
    f.median = o["median"].toDouble();
    f.min = o["min"].toDouble();
    f.max = o["max"].toDouble();
    f.target = o["target"].toDouble();
    f.runs = o["runs"].toInt();
    f.limit = o["limit"].toDouble();
    f.limitNote = o["limitNote"].toString();
    return f;
}

Figure timeIt(const QString& name, int runs, double targetMs, const std::function<void()>& body,
              const std::function<void()>& setUp, const std::function<void()>& tearDown) {
    std::vector<double> ms;
    for (int i = 0; i <= runs; ++i) {
        if (setUp)
            setUp();
        QElapsedTimer timer;
        timer.start();
        body();
        const double elapsed = timer.nsecsElapsed() / 1e6;
        if (tearDown)
            tearDown();
        if (i > 0) // the first run warms the caches up
            ms.push_back(elapsed);
    }
    Figure f = figureOf(name, std::move(ms));
    f.target = targetMs;
    return f;
}

Figure figureOf(const QString& name, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    Figure f;
    f.name = name;
    f.runs = int(ms.size());
    if (ms.empty())
        return f;
    f.min = ms.front();
    f.max = ms.back();
    const size_t n = ms.size();
    f.median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    return f;
}
