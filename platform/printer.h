#pragma once
// The printer object of the page prints. Each page print makes a fresh
// Printer, sets its orientation, shows the print dialog on it, prints and
// calls EndDoc. Positions and sizes are twips from the top-left corner of the
// sheet. The job starts with the first thing printed; a Printer destroyed
// without EndDoc (an error while printing) aborts its job, so nothing half
// printed is sent.
#include <QFont>
#include <QPrinter>
#include <QRectF>
#include <QString>
#include <memory>

class QPainter;

namespace PrinterErr {
constexpr double PrinterError = 482; // the job could not be started
}

class Printer {
public:
    static constexpr int vbPRORPortrait = 1;
    static constexpr int vbPRORLandscape = 2;
    // The top margin of a sheet that continues a page print, in twips: what
    // runs over from the sheet before goes on from here.
    static constexpr int kContinuedTop = 800;

    Printer();
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    QString FontName() const { return m_fontName; }
    void setFontName(const QString& name) { m_fontName = name; }
    double FontSize() const { return m_fontSize; }
    void setFontSize(double points) { m_fontSize = points; }
    bool FontBold() const { return m_fontBold; }
    void setFontBold(bool bold) { m_fontBold = bold; }
    int CurrentX() const { return m_currentX; }
    void setCurrentX(int twips) { m_currentX = twips; }
    int CurrentY() const { return m_currentY; }
    void setCurrentY(int twips) { m_currentY = twips; }

    // Prints one line at CurrentX, CurrentY in the current font; then CurrentX
    // is 0 and CurrentY the top of the next line. An empty text only moves down.
    void Print(const QString& text = {});

    // The sheet's extent in twips (in the orientation set).
    int Width() const;
    int Height() const;
    // 1 portrait, 2 landscape; set before the job starts.
    int Orientation() const;
    void setOrientation(int orientation);

    // Ends the sheet; the next sheet starts when something is printed on it,
    // so a NewPage with nothing after it adds no blank sheet.
    void NewPage();
    // Ends the job and sends it.
    void EndDoc();
    // Abandons the job: nothing is sent.
    void KillDoc();

    // The printable part of the sheet in twips: the sheet less the printer's
    // margins (at least a quarter inch).
    QRectF printableArea() const;
    // The painter of the current sheet, in device pixels (starts the job or
    // the sheet a NewPage asked for). twipsToDevice gives the scale.
    QPainter& painter();
    double twipsToDevice() const;
    QFont currentFont() const; // the font of FontName, FontSize, FontBold for painter()

    QPrinter& qprinter() { return *m_printer; }
    // Sheets begun so far.
    int sheetCount() const { return m_sheets; }
    bool jobOpen() const;

private:
    void ensureSheet();

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    QString m_fontName = "Arial";
    double m_fontSize = 10;
    bool m_fontBold = false;
    int m_currentX = 0;
    int m_currentY = 0;
    bool m_newPagePending = false;
    bool m_ended = false;
    int m_sheets = 0;
};
