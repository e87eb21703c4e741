#pragma once
// Colours are kept as the runtime's colour values: 0x00BBGGRR for a plain
// colour, 0x800000nn for system colour nn (0x8000000F is the button face).
// toQColor is the one place where they become Qt colours.
#include <QColor>
#include <QtGlobal>

constexpr quint32 vbBlack = 0x000000;
constexpr quint32 vbWhite = 0xFFFFFF;
constexpr quint32 vbRed = 0x0000FF;
constexpr quint32 vbGreen = 0x00FF00;
constexpr quint32 vbBlue = 0xFF0000;
constexpr quint32 vbYellow = 0x00FFFF;
constexpr quint32 vbLabelGrey = 0xE9E9E9; // the grey of the label cells
constexpr quint32 vbButtonFace = 0x8000000F;
constexpr quint32 vbButtonText = 0x80000012;
constexpr quint32 vbWindowBackground = 0x80000005;
constexpr quint32 vbWindowText = 0x80000008;

QColor toQColor(quint32 vbColor);
// The colour value of a plain Qt colour (alpha dropped).
quint32 fromQColor(const QColor& color);

// The contrast of two colours as screen-reading guidelines measure it: the
// ratio of their relative luminances, each plus 0.05 (1 to 21).
double contrastRatio(const QColor& a, const QColor& b);
// The text colour that goes with a background the program sets: black or
// white, whichever stands out more from it.
QColor textColorOn(const QColor& background);
// A colour the program gives a text (the red of a marked entry) as near to
// tone as it can be while it reads on background: darkened on a light
// background, lightened on a dark one, until the contrast is at least 4.5:1.
QColor readableTone(const QColor& tone, const QColor& background);
