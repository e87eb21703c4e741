#pragma once
// The windowing runtime's services the program relies on: the per-user
// setting, the clock and the twips measure of the window layouts.
#include <QDate>
#include <QRect>
#include <QString>
#include <optional>

// The per-user setting: application, section, key (empty when missing).
QString GetSetting(const QString& appName, const QString& section, const QString& key);
void SaveSetting(const QString& appName, const QString& section, const QString& key,
                 const QString& value);

// Today's date; tests set a fixed one.
QDate currentDate();
void setClockOverride(std::optional<QDate> date);

// Window layouts are given in twips: fifteen to a pixel.
constexpr int twips(int t) {
    return (t + 7) / 15;
}
inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// The number a text starts with, as the runtime's Val reads it: leading
// blanks skipped, then an optional sign, digits and one decimal point; reading
// stops at the first other character. No digits give 0 ("12abc" gives 12).
double Val(const QString& text);
