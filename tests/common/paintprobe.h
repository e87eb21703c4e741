#pragma once
// What a window paints, read back as a screen reader and a contrast checker
// see it: every text it draws, with the colour it is drawn in, where it
// stands and the colour behind it; and the window's picture at a device
// pixel ratio.
#include <QColor>
#include <QImage>
#include <QList>
#include <QPalette>
#include <QRectF>
#include <QString>

class Grid;
class QWidget;

struct PaintedText {
    QString text;
    QRectF rect;       // in the widget's coordinates
    QColor color;      // the pen it was drawn with
    QColor background; // the colour most of its box is painted in
    double contrast = 0;
};

// The texts widget (its children included) draws, in the order drawn;
// blank texts are left out.
QList<PaintedText> paintedTexts(QWidget* widget);
// The texts one after another, as "text" lines, joined by " | ".
QString joinedTexts(const QList<PaintedText>& texts);

// The widget rendered at a device pixel ratio (its children included).
QImage renderAt(QWidget* widget, qreal devicePixelRatio);

// A dark desktop's palette: light texts on dark windows, fields and buttons.
QPalette darkPalette();

// While it lives, the application has the dark palette.
class DarkDesktop {
public:
    DarkDesktop();
    ~DarkDesktop();
    DarkDesktop(const DarkDesktop&) = delete;
    DarkDesktop& operator=(const DarkDesktop&) = delete;

private:
    QPalette m_before;
};

// Every text window draws keeps a contrast of at least 4.5:1 with what is
// behind it (a test failure names each one that does not).
void expectReadable(QWidget* window, const QString& name);

// Every shown cell of grid reads through the accessibility tree as it is
// painted, with its column heading (the header the grid paints over it,
// where it shows one) and its row heading (the text painted in the row's
// cell of headingColumn, 0-based); returns the number of cells read. The
// grid must show all its rows.
int expectReadAsPainted(Grid* grid, int headingColumn);
