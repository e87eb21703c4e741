#pragma once
// The printer object of the page prints. Each page print makes a fresh
// Printer, sets its orientation, shows the print dialog on it, prints and
// calls EndDoc. Positions and sizes are twips from the top-left corner of the
// sheet. The job starts with the first thing printed; a Printer destroyed
// without EndDoc (an error while printing) aborts its job, so nothing half
// printed is sent.
//
// printJob prints a job as the print dialog chose it (its page range,
// copies, collation and page order), showing its progress while the sheets
// are written; Report::print does the same for a report's pages.
#include <QFont>
#include <QPointer>
#include <QPrinter>
#include <QRectF>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

class QPainter;
class QPaintDevice;
class QProgressBar;
class QProgressDialog;
class WritingProgress;

// Which sheets of a job are written, how many times and in what order.
struct PrintRange {
    int fromPage = 0; // from 1; 0: the first
    int toPage = 0;   // 0: the last
    int copies = 1;
    bool collate = true;  // 1 2 3 1 2 3 rather than 1 1 2 2 3 3
    bool reverse = false; // the last sheet of the range first

    // The sheets (from 0) of a job of `sheets` sheets, in the order written.
    QVector<int> order(int sheets) const;
    // What the print dialog chose on printer: its range (the current sheet,
    // from 0, for "Current Page"), its page order, and the copies the
    // printer does not make itself. The printer is left to write the sheets
    // in the order given and to make only the copies it makes itself.
    static PrintRange chosen(QPrinter& printer, int currentSheet = 0);
};

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
    // Printed atop every sheet after the first as it starts (a page's
    // heading lines); CurrentX, CurrentY and the font are kept round it.
    void setSheetHeading(std::function<void(Printer&)> heading) { m_heading = std::move(heading); }

    // The name of the job in the print queue, which the print dialog also
    // offers as the file to print to.
    void setDocumentName(const QString& name);
    // A name that may stand as a file's: every character no file name can
    // hold made a blank.
    static QString fileNameOf(const QString& name);

    // Prints the job that draw prints (every sheet of it, from the first, on
    // this printer; draw may be called more than once) as the print dialog
    // chose it: the range, the copies the printer does not make itself,
    // collated or not, in the page order chosen; meanwhile the wait cursor,
    // the windows repainting and "Writing page n of m" in bar (or a window
    // of its own when bar is null). Ends the job.
    void printJob(const std::function<void(Printer&)>& draw, QProgressBar* bar = nullptr);
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
    void beginSheet();
    // One run of draw in which only the sheets of live (ascending) are written.
    void runPass(const std::function<void(Printer&)>& draw, const QVector<int>& live);
    QPainter& sinkPainter();

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    // A pass of printJob draws every sheet, the ones it does not write on a
    // device that keeps nothing.
    std::unique_ptr<QPaintDevice> m_sinkDevice;
    std::unique_ptr<QPainter> m_sink;
    QPainter* m_current = nullptr;
    const QVector<int>* m_live = nullptr; // sheets (from 1) written in this pass; null: all
    qsizetype m_liveAt = 0;
    WritingProgress* m_progress = nullptr;
    std::function<void(Printer&)> m_heading;
    bool m_inHeading = false;
    QString m_fontName = "Arial";
    double m_fontSize = 10;
    bool m_fontBold = false;
    int m_currentX = 0;
    int m_currentY = 0;
    bool m_newPagePending = false;
    int m_sheets = 0;
};

// While a job's sheets are written: the wait cursor, the windows repainting
// and a progress bar "Writing page n of m" (the bar given, or a small window
// of its own over the active window), all ended when it goes, on every path.
class WritingProgress {
public:
    explicit WritingProgress(QProgressBar* bar = nullptr);
    ~WritingProgress();
    WritingProgress(const WritingProgress&) = delete;
    WritingProgress& operator=(const WritingProgress&) = delete;

    // The sheets to be written (0: not known yet).
    void setTotal(int sheets);
    // The sheet written now, from 1.
    void sheet(int n);
    QString text() const; // "Writing page n of m"
    bool shown() const;

    // The progress of the job being written; null when none is.
    static const WritingProgress* active();
    // Test seam: told as each sheet is begun (and once with sheet 0 when the
    // progress starts).
    using Observer = std::function<void(const WritingProgress&)>;
    static void setObserver(Observer observer);

private:
    // Shows the sheet being written, and text(), in the bar or the window.
    void tell();
    bool repaintDue() const;
    void repaint(bool now);

    QProgressBar* m_bar = nullptr;
    std::unique_ptr<QProgressDialog> m_window;
    QString m_barFormat;
    bool m_barShown = false;
    int m_total = 0;
    int m_sheet = 0;
    qint64 m_lastRepaint = -1;
    WritingProgress* m_outer = nullptr;
    // The window that had the keyboard when the job began: it has it again
    // when the job's own progress window goes.
    QPointer<QWidget> m_activeBefore;
};
