#include "platform/printer.h"

#include "platform/apperror.h"
#include "platform/fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QProgressBar>
#include <QProgressDialog>
#include <algorithm>

namespace {
constexpr double kTwipsPerMillimetre = 1440 / 25.4;
constexpr double kMinimumMargin = 360; // a quarter inch

// A paint device of the printer's measures that keeps nothing drawn on it:
// the sheets a pass of printJob does not write are drawn there.
class SinkEngine : public QPaintEngine {
public:
    SinkEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF&, const QTextItem&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawLines(const QLineF*, int) override {}
    void drawRects(const QRectF*, int) override {}
    Type type() const override { return QPaintEngine::User; }
};

class SinkDevice : public QPaintDevice {
public:
    explicit SinkDevice(const QPrinter& printer)
        : m_metrics{{PdmWidth, printer.width()},
                    {PdmHeight, printer.height()},
                    {PdmWidthMM, printer.widthMM()},
                    {PdmHeightMM, printer.heightMM()},
                    {PdmNumColors, printer.colorCount()},
                    {PdmDepth, printer.depth()},
                    {PdmDpiX, printer.logicalDpiX()},
                    {PdmDpiY, printer.logicalDpiY()},
                    {PdmPhysicalDpiX, printer.physicalDpiX()},
                    {PdmPhysicalDpiY, printer.physicalDpiY()}} {}
    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return m_metrics.value(m, 0);
        }
    }

private:
    QHash<int, int> m_metrics;
    mutable SinkEngine m_engine;
};

// Raised to end a pass once its last sheet is written.
struct PassDone {};

WritingProgress*& activeProgress() {
    static WritingProgress* p = nullptr;
    return p;
}
WritingProgress::Observer& progressObserver() {
    static WritingProgress::Observer o;
    return o;
}
constexpr qint64 kRepaintEvery = 50; // ms
QElapsedTimer& sinceStart() {
    static QElapsedTimer t;
    if (!t.isValid())
        t.start();
    return t;
}
} // namespace

// ---- the sheets a job writes -------------------------------------------------------------

QVector<int> PrintRange::order(int sheets) const {
    QVector<int> out;
    const int first = std::max(1, fromPage) - 1;
    const int last = (toPage <= 0 ? sheets : std::min(toPage, sheets)) - 1;
    if (sheets <= 0 || first > last)
        return out;
    QVector<int> range;
    for (int s = first; s <= last; ++s)
        range << s;
    if (reverse)
        std::reverse(range.begin(), range.end());
    const int n = std::clamp(copies, 1, 999);
    if (collate) {
        for (int c = 0; c < n; ++c)
            out << range;
    } else {
        for (const int s : range)
            for (int c = 0; c < n; ++c)
                out << s;
    }
    return out;
}

PrintRange PrintRange::chosen(QPrinter& printer, int currentSheet) {
    PrintRange range;
    if (printer.printRange() == QPrinter::PageRange) {
        range.fromPage = printer.fromPage();
        range.toPage = printer.toPage();
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        range.fromPage = range.toPage = currentSheet + 1;
    }
    range.reverse = printer.pageOrder() == QPrinter::LastPageFirst;
    // The sheets go to the printer in the order wanted.
    printer.setPageOrder(QPrinter::FirstPageFirst);
    // Copies the printer cannot make itself are written one by one.
    if (!printer.supportsMultipleCopies()) {
        range.copies = printer.copyCount();
        range.collate = printer.collateCopies();
        printer.setCopyCount(1);
    }
    return range;
}

Printer::Printer() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    m_printer->setFullPage(true);
    m_printer->setPageSize(QPageSize(QPageSize::A4));
    m_printer->setPageOrientation(QPageLayout::Portrait);
    m_printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

Printer::~Printer() {
    if (jobOpen())
        KillDoc();
}

bool Printer::jobOpen() const {
    return m_painter && m_painter->isActive();
}

int Printer::Width() const {
    return qRound(m_printer->pageLayout().fullRect(QPageLayout::Millimeter).width() *
                  kTwipsPerMillimetre);
}

int Printer::Height() const {
    return qRound(m_printer->pageLayout().fullRect(QPageLayout::Millimeter).height() *
                  kTwipsPerMillimetre);
}

int Printer::Orientation() const {
    return m_printer->pageLayout().orientation() == QPageLayout::Landscape ? vbPRORLandscape
                                                                           : vbPRORPortrait;
}

void Printer::setOrientation(int orientation) {
    m_printer->setPageOrientation(orientation == vbPRORLandscape ? QPageLayout::Landscape
                                                                 : QPageLayout::Portrait);
}

QRectF Printer::printableArea() const {
    QPageLayout layout = m_printer->pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF hardware = layout.minimumMargins();
    auto margin = [](double mm) { return std::max(kMinimumMargin, mm * kTwipsPerMillimetre); };
    const double w = Width(), h = Height();
    return QRectF(QPointF(margin(hardware.left()), margin(hardware.top())),
                  QPointF(w - margin(hardware.right()), h - margin(hardware.bottom())));
}

double Printer::twipsToDevice() const {
    return m_printer->resolution() / 1440.0;
}

QFont Printer::currentFont() const {
    return fonts::printFont(m_fontName, m_fontSize, m_fontBold);
}

void Printer::ensureSheet() {
    if (m_sheets > 0 && !m_newPagePending)
        return;
    ++m_sheets;
    m_newPagePending = false;
    beginSheet();
    // The sheets after the first carry the page's heading.
    if (m_sheets > 1 && m_heading && !m_inHeading) {
        const int x = m_currentX, y = m_currentY;
        const QString name = m_fontName;
        const double size = m_fontSize;
        const bool bold = m_fontBold;
        m_inHeading = true;
        try {
            m_heading(*this);
        } catch (...) {
            m_inHeading = false;
            throw;
        }
        m_inHeading = false;
        m_currentX = x;
        m_currentY = y;
        m_fontName = name;
        m_fontSize = size;
        m_fontBold = bold;
    }
}

void Printer::beginSheet() {
    const bool live = !m_live || (m_liveAt < m_live->size() && m_live->at(m_liveAt) == m_sheets);
    if (!live) {
        if (m_live && !m_live->isEmpty() && m_sheets > m_live->last())
            throw PassDone{};
        m_current = &sinkPainter();
        return;
    }
    if (m_live)
        ++m_liveAt;
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(m_printer.get())) {
            m_painter.reset();
            throw AppError(PrinterErr::PrinterError, "Printer error");
        }
    } else if (!m_printer->newPage()) {
        throw AppError(PrinterErr::PrinterError, "Printer error");
    }
    m_current = m_painter.get();
    if (m_progress)
        m_progress->sheet(0);
}

QPainter& Printer::sinkPainter() {
    if (!m_sink) {
        m_sinkDevice = std::make_unique<SinkDevice>(*m_printer);
        m_sink = std::make_unique<QPainter>(m_sinkDevice.get());
    }
    return *m_sink;
}

QPainter& Printer::painter() {
    ensureSheet();
    return *m_current;
}

void Printer::Print(const QString& text) {
    const QFont font = currentFont();
    const QFontMetricsF metrics(font, m_printer.get());
    const double k = twipsToDevice();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (!line.isEmpty()) {
            QPainter& p = painter();
            p.setFont(font);
            p.setPen(Qt::black);
            p.drawText(QPointF(m_currentX * k, m_currentY * k + metrics.ascent()), line);
        }
        m_currentY += qRound(metrics.height() / k);
        m_currentX = 0;
    }
}

void Printer::NewPage() {
    if (m_sheets > 0)
        m_newPagePending = true;
    m_currentX = 0;
    m_currentY = 0;
}

void Printer::EndDoc() {
    if (m_painter) {
        m_painter->end();
        m_painter.reset();
    }
    m_current = nullptr;
    m_newPagePending = false;
}

QString Printer::fileNameOf(const QString& name) {
    QString out;
    for (const QChar c : name)
        out += QStringLiteral("\\/:*?\"<>|[]").contains(c) ? QChar(' ') : c;
    return out.simplified();
}

void Printer::setDocumentName(const QString& name) {
    // The print dialog offers the name as a file to print to.
    m_printer->setDocName(fileNameOf(name));
}

void Printer::runPass(const std::function<void(Printer&)>& draw, const QVector<int>& live) {
    m_sheets = 0;
    m_newPagePending = false;
    m_currentX = m_currentY = 0;
    m_live = &live;
    m_liveAt = 0;
    struct Done {
        Printer& p;
        ~Done() {
            p.m_live = nullptr;
            p.m_newPagePending = false;
        }
    } done{*this};
    try {
        draw(*this);
    } catch (const PassDone&) {
    }
}

void Printer::printJob(const std::function<void(Printer&)>& draw, QProgressBar* bar) {
    WritingProgress progress(bar);
    const PrintRange range = PrintRange::chosen(*m_printer);
    const QString fontName = m_fontName;
    const double fontSize = m_fontSize;
    const bool fontBold = m_fontBold;
    const auto restoreFont = [&] {
        m_fontName = fontName;
        m_fontSize = fontSize;
        m_fontBold = fontBold;
    };
    // How many sheets the job has: a pass that writes none of them.
    const QVector<int> none;
    runPass(draw, none);
    const QVector<int> order = range.order(m_sheets);
    progress.setTotal(int(order.size()));
    // The order in runs of ascending sheets, each written by a pass of its own.
    // cppcheck-suppress danglingLifetime ; Detach, made next, clears m_progress again before
    // progress goes out of scope
    m_progress = &progress;
    struct Detach {
        Printer& p;
        ~Detach() { p.m_progress = nullptr; }
    } detach{*this};
    for (qsizetype i = 0; i < order.size();) {
        QVector<int> run{order[i] + 1};
        for (++i; i < order.size() && order[i] + 1 > run.last(); ++i)
            run << order[i] + 1;
        restoreFont();
        runPass(draw, run);
    }
    EndDoc();
}

void Printer::KillDoc() {
    m_current = nullptr;
    if (!m_painter)
        return;
    m_printer->abort();
    if (m_painter->isActive())
        m_painter->end();
    m_painter.reset();
    m_newPagePending = false;
    // A file job is not left half written.
    if (!m_printer->outputFileName().isEmpty())
        QFile::remove(m_printer->outputFileName());
}

// ---- the progress while a job is written ---------------------------------------------------

WritingProgress::WritingProgress(QProgressBar* bar) : m_bar(bar), m_outer(activeProgress()) {
    activeProgress() = this;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_bar) {
        m_barFormat = m_bar->format();
        m_barShown = m_bar->isVisible();
    } else {
        m_activeBefore = QApplication::activeWindow();
        m_window = std::make_unique<QProgressDialog>(m_activeBefore.data());
        m_window->setWindowTitle(QStringLiteral("Printing"));
        // It tells, and takes nothing from the window the user works in.
        m_window->setAttribute(Qt::WA_ShowWithoutActivating);
        m_window->setCancelButton(nullptr);
        m_window->setMinimumDuration(0);
        m_window->setAutoClose(false);
        m_window->setAutoReset(false);
        m_window->setMinimumWidth(320);
    }
    setTotal(0);
    repaint(true);
    if (progressObserver())
        progressObserver()(*this);
}

WritingProgress::~WritingProgress() {
    if (m_bar) {
        m_bar->setFormat(m_barFormat);
        m_bar->setVisible(m_barShown);
    }
    const bool hadWindow = m_window != nullptr;
    m_window.reset();
    if (hadWindow && m_activeBefore && m_activeBefore->isVisible() &&
        QApplication::activeWindow() != m_activeBefore) {
        m_activeBefore->activateWindow();
        QApplication::setActiveWindow(m_activeBefore);
    }
    activeProgress() = m_outer;
    QApplication::restoreOverrideCursor();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString WritingProgress::text() const {
    return m_total > 0 ? QStringLiteral("Writing page %1 of %2").arg(m_sheet).arg(m_total)
                       : QStringLiteral("Writing pages");
}

bool WritingProgress::shown() const {
    return m_bar ? m_bar->isVisible() : m_window && m_window->isVisible();
}

void WritingProgress::setTotal(int sheets) {
    m_total = std::max(0, sheets);
    if (m_bar) {
        m_bar->setRange(0, m_total);
        tell();
        m_bar->show();
    } else {
        m_window->setRange(0, m_total);
        tell();
        m_window->show();
    }
}

void WritingProgress::tell() {
    if (m_bar) {
        m_bar->setValue(std::min(m_sheet, m_total));
        m_bar->setFormat(text());
    } else {
        m_window->setValue(std::min(m_sheet, m_total));
        m_window->setLabelText(text());
    }
}

void WritingProgress::sheet(int n) {
    m_sheet = n > 0 ? n : m_sheet + 1;
    // The bar is brought up to date as often as the windows repaint, and at
    // the last sheet: a long job writes thousands.
    if (repaintDue() || m_sheet >= m_total) {
        tell();
        repaint(false);
    }
    if (progressObserver())
        progressObserver()(*this);
}

bool WritingProgress::repaintDue() const {
    return m_lastRepaint < 0 || sinceStart().elapsed() - m_lastRepaint >= kRepaintEvery;
}

// The windows repaint now and then while the sheets are written; what the
// user does waits for the job.
void WritingProgress::repaint(bool now) {
    if (!now && !repaintDue())
        return;
    m_lastRepaint = sinceStart().elapsed();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

const WritingProgress* WritingProgress::active() {
    return activeProgress();
}

void WritingProgress::setObserver(Observer observer) {
    progressObserver() = std::move(observer);
}
