#pragma once
// A text set in lines, as the grid and the report engine show, measure and
// print it.
#include <QString>
#include <Qt>

class QTextLayout;

// Lays text out in layout, whose font is set, in lines width wide: every kind
// of line break (CR, LF, CR LF, the line separator) starts a new line; the
// lines are wrapped between words (a word wider than the line wherever it
// must be), or with wrap false each stands on one line; they stand from 0
// down, their leading included. Returns their height.
double layOutLines(QTextLayout& layout, QString text, double width, Qt::Alignment align,
                   bool wrap = true);
