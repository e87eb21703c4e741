#pragma once
// The windowing runtime's services the program relies on: the per-user
// setting, the clock and the twips measure of the window layouts.
#include <QDate>
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
constexpr int twips(int t) { return (t + 7) / 15; }
