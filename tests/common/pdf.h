#pragma once
// Reading printed PDFs back: their text (pdftotext), their words with their
// boxes, their pages, sheet size and fonts (pdfinfo, pdffonts). Each helper
// fails the running test when its tool did not run or read nothing. Texts
// have their ligatures spelt out ("ﬁ" reads "fi").
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

// The text, layout kept; pages first to last (from 1; 0: all). Sheets are
// separated by form feeds.
QString pdfText(const QString& path, int firstPage = 0, int lastPage = 0);
// The text of one page (from 1).
QString pdfPageText(const QString& path, int page);
// A text read back without its white space, so that words the sheet (or
// pdftotext) breaks over lines or spreads over columns still read as a run.
QString withoutSpaces(QString text);

// What pdfinfo says of the file.
QString pdfInfo(const QString& path);
int pdfPages(const QString& path);
// Width and height of the first sheet, in points.
QSizeF pdfPageSize(const QString& path);
// True when the first sheet is wider than it is high.
bool pdfIsLandscape(const QString& path);
// The fonts the file uses, as pdffonts lists them.
QString pdfFonts(const QString& path);

// A word on a sheet: its text, its box in points from the sheet's top-left
// corner, and its sheet (from 1).
struct PdfWord {
    QString text;
    QRectF box;
    int page = 0;
};
QList<PdfWord> pdfWords(const QString& path);
// The box of the first word that reads word; a null box when there is none.
QRectF pdfWordBox(const QString& path, const QString& word);
// The tops of every word that reads word.
QList<double> pdfWordTops(const QString& path, const QString& word);

// One sheet (from 1) rendered in grey at dpi dots an inch (pdftoppm); a
// point of the sheet is dpi / 72 pixels.
QImage pdfImage(const QString& path, int page, int dpi);
// The dark runs (pixels darker than mid grey) along row y of image: the x
// of each run's first pixel and its width.
QList<QPair<int, int>> darkRuns(const QImage& image, int y);
