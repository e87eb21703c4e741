#include "platform/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

// Outside any namespace, as the resource system needs.
static void initFontResources() {
    Q_INIT_RESOURCE(fonts);
}

namespace fonts {

namespace {

constexpr double kWindowPoints = 8;
constexpr double kTwipsPerPoint = 20;

const char* const kFiles[] = {
    "LiberationSans-Regular.ttf",    "LiberationSans-Bold.ttf",        "LiberationSans-Italic.ttf",
    "LiberationSans-BoldItalic.ttf", "LiberationSerif-Regular.ttf",    "LiberationSerif-Bold.ttf",
    "LiberationSerif-Italic.ttf",    "LiberationSerif-BoldItalic.ttf",
};

bool isSerif(const QString& name) {
    const QString n = name.trimmed().toLower();
    return n.contains(QLatin1String("times")) ||
           (n.contains(QLatin1String("serif")) && !n.contains(QLatin1String("sans")));
}

// Only the carried face: no substitution by whatever the machine offers.
QFont carried(const QString& familyName) {
    QFont font(familyName);
    font.setFamilies({familyName});
    font.setStyleHint(familyName == kSerif ? QFont::Serif : QFont::SansSerif);
    return font;
}

} // namespace

bool install() {
    static const bool installed = [] {
        initFontResources();
        bool ok = true;
        for (const char* file : kFiles) {
            if (QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/") +
                                                  QLatin1String(file)) < 0)
                ok = false;
        }
        return ok;
    }();
    QApplication::setFont(windowFont());
    return installed;
}

QString family(const QString& requested) {
    return isSerif(requested) ? kSerif : kSans;
}

QFont windowFont() {
    QFont font = carried(kSans);
    font.setPointSizeF(kWindowPoints);
    return font;
}

QFont printFont(const QString& name, double points, bool bold) {
    QFont font = carried(family(name));
    font.setPointSizeF(points > 0 ? points : 10);
    font.setBold(bold);
    return font;
}

QFont reportFont(double points, bool bold, bool italic) {
    QFont font = carried(kSans);
    font.setPixelSize(std::max(1, qRound(points * kTwipsPerPoint)));
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::ForceOutline | QFont::PreferNoShaping));
    return font;
}

} // namespace fonts
