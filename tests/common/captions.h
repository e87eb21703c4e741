#pragma once
// Checks that fixed captions show whole with the program's fonts: on a
// window's labels, buttons, option boxes and frame titles, and on a report
// layout's text objects. Each returns one line per caption that is cut or
// runs into its neighbour; empty when all fit.
#include <QString>
#include <QStringList>

class QWidget;
namespace report {
struct Layout;
}

// The window's captions that are shown (hidden controls are skipped).
QStringList cutCaptions(QWidget& window);

// The layout's text objects and those of its subreports, on a sheet whose
// printable width is given in twips; "{Title}" reads as title.
QStringList cutCaptions(const report::Layout& layout, int printableWidth,
                        const QString& title = QString());
