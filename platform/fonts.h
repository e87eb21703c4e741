#pragma once
// The program's typefaces, in one place.
//
// The program carries Liberation Sans and Liberation Serif, the metric twins
// of Arial and Times New Roman, in its resources and registers them when it
// starts, so windows, page prints and reports are measured and drawn with the
// same glyphs whatever fonts the machine has or lacks. Every QFont the
// program draws with is built here.
#include <QFont>
#include <QString>

namespace fonts {

inline const QString kSans = QStringLiteral("Liberation Sans");
inline const QString kSerif = QStringLiteral("Liberation Serif");

// Registers the carried font files and makes the window font the
// application's font. Call once, after the QApplication is made. False when a
// font file could not be registered.
bool install();

// The family drawn for a font name the program asks for: "Arial" (and any
// sans name) gives Liberation Sans, "Times New Roman" (and any serif name)
// Liberation Serif.
QString family(const QString& requested);

// The windows' font: 8 pt sans, the size the twips layouts are made for.
QFont windowFont();
// A page print's font: the printer's FontName, FontSize and FontBold.
QFont printFont(const QString& name, double points, bool bold);
// A report's font, sized in twips (points × 20) as pixels, so one measure
// serves the screen and the printer.
QFont reportFont(double points, bool bold, bool italic);

} // namespace fonts
