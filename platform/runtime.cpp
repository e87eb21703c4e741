#include "platform/runtime.h"

#include <QSettings>

namespace {
std::optional<QDate> g_clock;
}

QString GetSetting(const QString& appName, const QString& section, const QString& key) {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, appName);
    return s.value(section + "/" + key).toString();
}

void SaveSetting(const QString& appName, const QString& section, const QString& key,
                 const QString& value) {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, appName);
    s.setValue(section + "/" + key, value);
}

QDate currentDate() { return g_clock ? *g_clock : QDate::currentDate(); }

void setClockOverride(std::optional<QDate> date) { g_clock = date; }
