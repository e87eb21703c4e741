#include "platform/printer.h"

#include "platform/apperror.h"
#include "platform/fonts.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <algorithm>

namespace {
constexpr double kTwipsPerMillimetre = 1440 / 25.4;
constexpr double kMinimumMargin = 360; // a quarter inch
} // namespace

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
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(m_printer.get())) {
            m_painter.reset();
            throw AppError(PrinterErr::PrinterError, "Printer error");
        }
        m_sheets = 1;
        m_newPagePending = false;
        m_ended = false;
    } else if (m_newPagePending) {
        if (!m_printer->newPage())
            throw AppError(PrinterErr::PrinterError, "Printer error");
        ++m_sheets;
        m_newPagePending = false;
    }
}

QPainter& Printer::painter() {
    ensureSheet();
    return *m_painter;
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
    if (m_painter)
        m_newPagePending = true;
    m_currentX = 0;
    m_currentY = 0;
}

void Printer::EndDoc() {
    if (m_painter) {
        m_painter->end();
        m_painter.reset();
    }
    m_newPagePending = false;
    m_ended = true;
}

void Printer::KillDoc() {
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
