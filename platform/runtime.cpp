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

QDate currentDate() {
    return g_clock ? *g_clock : QDate::currentDate();
}

void setClockOverride(std::optional<QDate> date) {
    g_clock = date;
}

double Val(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    QString number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        number += text[i++];
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            digits = true;
            number += c;
        } else if (c == '.' && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    return digits ? number.toDouble() : 0.0;
}
