#include "platform/reportviewer.h"

#include "platform/apperror.h"
#include "platform/commandbutton.h"
#include "platform/printdialog.h"
#include "platform/printer.h"
#include "platform/waitcursor.h"

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace report {

namespace {

constexpr double kZoomSteps[] = {0.25, 0.5, 0.75, 1, 1.25, 1.5, 2, 3, 4};
constexpr double kLeastZoom = 0.1;
constexpr double kMostZoom = 4;
constexpr double kScreenTwipsToPixel = 96.0 / 1440.0;
constexpr int kPagePad = 8; // pixels of the view round the page
constexpr int kWheelNotch = 120;
// A report built in less time (milliseconds) shows no progress.
constexpr qint64 kShowProgressAfter = 300;
// A building that has taken so long (ms) repaints the windows and hears the
// user.
constexpr qint64 kHearUserAfter = 100;

} // namespace

ReportViewer::ReportViewer(QWidget* parent) : QWidget(parent) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_toolbar = new QHBoxLayout;
    m_toolbar->setContentsMargins(4, 4, 4, 4);
    const auto button = [this](const QString& caption, const QString& tip, bool narrow = false) {
        // Enter presses the focused button; in the page box it goes to its
        // page, never to a button.
        auto* b = new CommandButton(caption, this);
        b->setToolTip(tip);
        if (narrow)
            b->setFixedWidth(32);
        return b;
    };
    cmdPrint = button("Print", "Print the report");
    cmdExport = button("Export to PDF", "Write the report to a PDF file");
    cmdFirst = button("|<", "First page", true);
    cmdPrevious = button("<", "Previous page", true);
    txtPage = new QLineEdit(this);
    txtPage->setObjectName("txtPage");
    txtPage->setFixedWidth(QFontMetrics(txtPage->font()).horizontalAdvance("99999") + 16);
    txtPage->setAlignment(Qt::AlignRight);
    txtPage->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]{0,5}"), txtPage));
    txtPage->setToolTip("Type a page number and press Enter");
    lblPage = new QLabel(this);
    lblPage->setContentsMargins(4, 0, 4, 0);
    cmdNext = button(">", "Next page", true);
    cmdLast = button(">|", "Last page", true);
    cmdZoomOut = button("-", "Zoom out", true);
    lblZoom = new QLabel(this);
    lblZoom->setAlignment(Qt::AlignCenter);
    lblZoom->setMinimumWidth(QFontMetrics(lblZoom->font()).horizontalAdvance("400%") + 12);
    cmdZoomIn = button("+", "Zoom in", true);
    cmdFitWidth = button("Fit Width", "The page as wide as the view");
    cmdFitPage = button("Fit Page", "The whole page in the view");

    m_toolbar->addWidget(cmdPrint);
    m_toolbar->addWidget(cmdExport);
    m_toolbar->addSpacing(12);
    m_toolbar->addWidget(cmdFirst);
    m_toolbar->addWidget(cmdPrevious);
    m_toolbar->addWidget(txtPage);
    m_toolbar->addWidget(lblPage);
    m_toolbar->addWidget(cmdNext);
    m_toolbar->addWidget(cmdLast);
    m_toolbar->addSpacing(12);
    m_toolbar->addWidget(cmdZoomOut);
    m_toolbar->addWidget(lblZoom);
    m_toolbar->addWidget(cmdZoomIn);
    m_toolbar->addWidget(cmdFitWidth);
    m_toolbar->addWidget(cmdFitPage);
    m_toolbar->addSpacing(12);
    progress = new QProgressBar(this);
    progress->setObjectName("progress");
    progress->setFormat("Building the report: %p%");
    progress->setMinimumWidth(
        QFontMetrics(progress->font()).horizontalAdvance("Building the report: 100%") + 24);
    progress->hide();
    m_toolbar->addWidget(progress);
    m_toolbar->addStretch();
    outer->addLayout(m_toolbar);

    pageArea = new QScrollArea(this);
    pageArea->setObjectName("pageArea");
    pageArea->setBackgroundRole(QPalette::Dark);
    pageArea->setAlignment(Qt::AlignCenter);
    pageArea->setFocusPolicy(Qt::StrongFocus);
    pageView = new QLabel;
    pageView->setBackgroundRole(QPalette::Dark);
    pageView->setMargin(kPagePad);
    pageArea->setWidget(pageView);
    outer->addWidget(pageArea, 1);
    setFocusProxy(pageArea);

    pageArea->installEventFilter(this);
    pageArea->viewport()->installEventFilter(this);
    txtPage->installEventFilter(this);

    connect(cmdPrint, &QPushButton::clicked, this, [this] { printReport(); });
    connect(cmdExport, &QPushButton::clicked, this, [this] { exportReport(); });
    connect(cmdFirst, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(cmdPrevious, &QPushButton::clicked, this, [this] { showPage(m_current - 1); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { showPage(m_current + 1); });
    connect(cmdLast, &QPushButton::clicked, this, [this] { showPage(pageCount() - 1); });
    // The pages after the first are laid out while the reader reads, a
    // short slice at a time between the window's events.
    m_ahead = new QTimer(this);
    m_ahead->setInterval(0);
    connect(m_ahead, &QTimer::timeout, this, [this] { layOutAhead(); });
    connect(cmdZoomIn, &QPushButton::clicked, this, [this] { zoomIn(); });
    connect(cmdZoomOut, &QPushButton::clicked, this, [this] { zoomOut(); });
    // The keys of any document viewer.
    const auto shortcut = [this](const QKeySequence& keys, auto action) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, action);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_P), [this] {
        if (cmdPrint->isEnabled())
            printReport();
    });
    for (const QKeyCombination keys :
         {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal, Qt::CTRL | Qt::SHIFT | Qt::Key_Plus,
          Qt::CTRL | Qt::SHIFT | Qt::Key_Equal})
        shortcut(QKeySequence(keys), [this] { zoomIn(); });
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_Minus, Qt::CTRL | Qt::Key_Underscore})
        shortcut(QKeySequence(keys), [this] { zoomOut(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [this] {
        if (pagesLaidOut() > 0)
            setFit(Fit::Auto);
    });
    connect(cmdFitWidth, &QPushButton::clicked, this, [this] { setFit(Fit::Width); });
    connect(cmdFitPage, &QPushButton::clicked, this, [this] { setFit(Fit::Page); });
    updateToolbar();
}

ReportViewer::~ReportViewer() = default;

void ReportViewer::addToolbarWidget(QWidget* widget) {
    widget->setParent(this);
    m_toolbar->addWidget(widget);
}

QString ReportViewer::documentName() const {
    if (!m_documentName.isEmpty())
        return m_documentName;
    if (m_report && !m_report->reportTitle().isEmpty())
        return m_report->reportTitle();
    return QStringLiteral("Report");
}

void ReportViewer::setReportSource(std::shared_ptr<Report> report) {
    m_ahead->stop();
    m_pagination.reset();
    m_report = std::move(report);
    m_current = 0;
    render();
    updateToolbar();
}

void ReportViewer::showProgress() {
    if (!m_building.isValid()) {
        m_building.start();
        m_stopped = false;
        // Meanwhile only what the window adds (its Done) works.
        for (QWidget* w : std::initializer_list<QWidget*>{
                 cmdPrint, cmdExport, cmdFirst, cmdPrevious, txtPage, cmdNext, cmdLast, cmdZoomOut,
                 cmdZoomIn, cmdFitWidth, cmdFitPage})
            w->setEnabled(false);
    }
    progress->setRange(0, 0);
    progress->setValue(0);
    // A report that takes a while shows how far it is; the windows repaint
    // meanwhile, and the window's Done and closing are heard.
    if (m_building.elapsed() >= kShowProgressAfter)
        progress->show();
    if (m_building.elapsed() >= kHearUserAfter)
        QCoreApplication::processEvents();
}

void ReportViewer::hideProgress() {
    progress->hide();
    m_building.invalidate();
    updateToolbar();
}

void ReportViewer::viewReport() {
    m_ahead->stop();
    m_pagination.reset();
    if (m_report && !m_stopped) {
        m_pagination = std::make_unique<Pagination>(*m_report, m_report->sheetSize());
        // The first page at once, the rest while the reader reads it.
        m_pagination->advance(1);
        if (!m_pagination->complete())
            m_ahead->start();
    }
    hideProgress();
    m_fit = Fit::Auto;
    m_zoom = fittedZoom();
    showPage(0);
    pageArea->setFocus();
}

const QVector<Page>& ReportViewer::pages() const {
    // cppcheck-suppress unassignedVariable ; an empty list, as it is made
    static const QVector<Page> none;
    return m_pagination ? m_pagination->pages() : none;
}

int ReportViewer::pagesLaidOut() const {
    return m_pagination ? m_pagination->completePages() : 0;
}

bool ReportViewer::paginated() const {
    return !m_pagination || m_pagination->complete();
}

int ReportViewer::pageCount() const {
    const_cast<ReportViewer*>(this)->layOutPages(-1);
    return pagesLaidOut();
}

// Laid out at once, with the hourglass: what the reader asked for.
void ReportViewer::layOutPages(int count) {
    if (!m_pagination || m_pagination->complete() ||
        (count >= 0 && m_pagination->completePages() >= count))
        return;
    {
        const WaitCursor wait;
        m_pagination->advance(count);
    }
    if (m_pagination->complete()) {
        m_ahead->stop();
        // Every page shown from now on names the number of pages.
        render();
    }
    updateToolbar();
}

// A slice of the laying out ahead, short enough for the window to answer
// the reader at once.
void ReportViewer::layOutAhead() {
    constexpr qint64 kSliceMs = 25;
    if (!m_pagination || m_pagination->complete()) {
        m_ahead->stop();
        return;
    }
    const int before = m_pagination->completePages();
    if (m_pagination->advance(-1, kSliceMs)) {
        m_ahead->stop();
        render(); // the page shown now names the number of pages
        updateToolbar();
    } else if (m_pagination->completePages() / 100 != before / 100) {
        updateToolbar();
    }
}

void ReportViewer::showPage(int index) {
    showPageAt(index, false);
}

void ReportViewer::showPageAt(int index, bool atFoot) {
    layOutPages(index + 1);
    const int n = pagesLaidOut();
    m_current = n == 0 ? 0 : std::clamp(index, 0, n - 1);
    render();
    updateToolbar();
    QScrollBar* bar = pageArea->verticalScrollBar();
    bar->setValue(atFoot ? bar->maximum() : bar->minimum());
}

// The zoom of the fit in force: the page as wide as the view (less a
// vertical scroll bar where its height needs one), or whole in it; at
// first the width, at most the printed size.
double ReportViewer::fittedZoom() const {
    if (m_fit == Fit::None || !m_report)
        return m_zoom;
    const QSizeF sheet = (pagesLaidOut() == 0 ? m_report->sheetSize() : pages()[m_current].sheet) *
                         kScreenTwipsToPixel;
    const QSizeF room =
        QSizeF(pageArea->maximumViewportSize()) - QSizeF(2 * kPagePad + 2, 2 * kPagePad + 2);
    double width = room.width() / sheet.width();
    if (sheet.height() * width > room.height())
        width = (room.width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent)) / sheet.width();
    const double page = std::min(room.width() / sheet.width(), room.height() / sheet.height());
    double zoom = m_fit == Fit::Page ? page : width;
    if (m_fit == Fit::Auto)
        zoom = std::min(1.0, zoom);
    return std::clamp(zoom, kLeastZoom, kMostZoom);
}

void ReportViewer::zoomIn() {
    if (pagesLaidOut() == 0)
        return;
    for (const double step : kZoomSteps) {
        if (step > m_zoom + 0.005) {
            setFit(Fit::None, step);
            return;
        }
    }
}

void ReportViewer::zoomOut() {
    if (pagesLaidOut() == 0)
        return;
    for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it) {
        if (*it < m_zoom - 0.005) {
            setFit(Fit::None, *it);
            return;
        }
    }
}

void ReportViewer::setFit(Fit fit, double zoom) {
    m_fit = fit;
    m_zoom = fit == Fit::None ? std::clamp(zoom, kLeastZoom, kMostZoom) : fittedZoom();
    render();
    updateToolbar();
}

void ReportViewer::render() {
    if (!m_report || pagesLaidOut() == 0) {
        pageView->clear();
        pageView->resize(0, 0);
        return;
    }
    // Drawn in the screen's own pixels: sharp on a screen of any density.
    const double ratio = std::max(1.0, devicePixelRatioF());
    const double k = kScreenTwipsToPixel * m_zoom;
    const QSizeF sheet = pages()[m_current].sheet;
    const QSize size(qCeil(sheet.width() * k), qCeil(sheet.height() * k));
    QImage image(qCeil(size.width() * ratio), qCeil(size.height() * ratio), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        m_report->drawPage(p, pages(), m_current, k * ratio, paginated() ? pagesLaidOut() : 0);
    }
    image.setDevicePixelRatio(ratio);
    pageView->setPixmap(QPixmap::fromImage(image));
    pageView->resize(size + QSize(2 * kPagePad, 2 * kPagePad));
}

void ReportViewer::scrollScreen(int direction) {
    QScrollBar* bar = pageArea->verticalScrollBar();
    if (direction > 0) {
        if (bar->value() < bar->maximum())
            bar->setValue(bar->value() + bar->pageStep());
        else if (m_current + 1 < pagesLaidOut() || !paginated())
            showPageAt(m_current + 1, false);
    } else {
        if (bar->value() > bar->minimum())
            bar->setValue(bar->value() - bar->pageStep());
        else if (m_current > 0)
            showPageAt(m_current - 1, true);
    }
}

bool ReportViewer::pagingKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier && mods != Qt::ControlModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_PageDown:
        scrollScreen(1);
        return true;
    case Qt::Key_PageUp:
        scrollScreen(-1);
        return true;
    case Qt::Key_Home:
        showPage(0);
        return true;
    case Qt::Key_End:
        showPage(pageCount() - 1);
        return true;
    default:
        return false;
    }
}

void ReportViewer::keyPressEvent(QKeyEvent* event) {
    if (!pagingKey(event))
        QWidget::keyPressEvent(event);
}

void ReportViewer::goToTypedPage() {
    bool ok = false;
    const int typed = txtPage->text().toInt(&ok);
    if (ok && pagesLaidOut() > 0) {
        layOutPages(typed);
        showPage(std::clamp(typed, 1, pagesLaidOut()) - 1);
    }
    updateToolbar();
    // On to the page: the paging keys work at once.
    pageArea->setFocus();
}

bool ReportViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pageArea) {
        if (event->type() == QEvent::KeyPress && pagingKey(static_cast<QKeyEvent*>(event)))
            return true;
        // The fits hold while the view changes size.
        if (event->type() == QEvent::Resize && m_fit != Fit::None && pagesLaidOut() > 0) {
            const double zoom = fittedZoom();
            if (std::abs(zoom - m_zoom) > 0.001) {
                m_zoom = zoom;
                render();
                updateToolbar();
            }
        }
    } else if (watched == pageArea->viewport() && event->type() == QEvent::Wheel) {
        // At the page's foot the wheel turns to the next page, at its head
        // to the previous one.
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const int delta = wheel->angleDelta().y();
        if (wheel->modifiers() == Qt::ControlModifier) {
            // Ctrl and the wheel zoom, a step a notch.
            m_wheelAtEdge += delta;
            while (std::abs(m_wheelAtEdge) >= kWheelNotch) {
                const bool in = m_wheelAtEdge > 0;
                m_wheelAtEdge -= in ? kWheelNotch : -kWheelNotch;
                in ? zoomIn() : zoomOut();
            }
            return true;
        }
        QScrollBar* bar = pageArea->verticalScrollBar();
        const bool onward = delta < 0 && bar->value() >= bar->maximum() &&
                            (m_current + 1 < pagesLaidOut() || !paginated());
        const bool back = delta > 0 && bar->value() <= bar->minimum() && m_current > 0;
        if (wheel->modifiers() == Qt::NoModifier && (onward || back)) {
            m_wheelAtEdge += std::abs(delta);
            if (m_wheelAtEdge >= kWheelNotch) {
                m_wheelAtEdge = 0;
                showPageAt(m_current + (onward ? 1 : -1), back);
            }
            return true;
        }
        m_wheelAtEdge = 0;
    } else if (watched == txtPage) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                goToTypedPage();
                return true;
            }
            // Escape gives back the page's number; the viewer stays open.
            if (key == Qt::Key_Escape) {
                updateToolbar();
                txtPage->selectAll();
                return true;
            }
        } else if (event->type() == QEvent::ShortcutOverride &&
                   static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        } else if (event->type() == QEvent::MouseButtonRelease ||
                   event->type() == QEvent::FocusIn) {
            // A click in the box selects its number, so typing replaces it.
            QTimer::singleShot(0, txtPage, &QLineEdit::selectAll);
        } else if (event->type() == QEvent::FocusOut) {
            updateToolbar(); // a number typed but not entered is dropped
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ReportViewer::printReport() {
    layOutPages(-1);
    if (!m_report || pagesLaidOut() == 0)
        return;
    try {
        Printer printer;
        m_report->preparePrinter(printer);
        printer.setDocumentName(documentName());
        CommonDialog dialog;
        dialog.setMin(1);
        dialog.setMax(pagesLaidOut());
        if (!dialog.ShowPrinter(printer))
            return;
        const PrintRange range = PrintRange::chosen(printer.qprinter(), m_current);
        m_report->print(printer, pages(), range, progress);
    } catch (const AppError& e) {
        if (onError)
            onError(e);
    }
}

void ReportViewer::exportReport() {
    layOutPages(-1);
    if (!m_report || pagesLaidOut() == 0)
        return;
    CommonDialog dialog;
    dialog.setDialogTitle("Export to PDF");
    dialog.setFilter("PDF files (*.pdf)");
    dialog.setDefaultExt("pdf");
    dialog.setFileName(Printer::fileNameOf(documentName()) + ".pdf");
    if (!dialog.ShowSave())
        return;
    const QString path = dialog.FileName();
    try {
        Printer printer;
        m_report->preparePrinter(printer);
        QPrinter& qprinter = printer.qprinter();
        printer.setDocumentName(documentName());
        qprinter.setOutputFormat(QPrinter::PdfFormat);
        qprinter.setOutputFileName(path);
        m_report->print(printer, pages(), PrintRange{}, progress);
    } catch (const AppError& e) {
        if (onError)
            onError(AppError(e.number(), QString("The report could not be written to %1.")
                                             .arg(QDir::toNativeSeparators(path))));
    }
}

void ReportViewer::updateToolbar() {
    const int n = pagesLaidOut();
    const bool more = !paginated();
    // A button turning itself off hands the focus to the page, not to the
    // page box next to it.
    const bool firstOff = !(n > 0 && m_current > 0);
    const bool lastOff = !(n > 0 && (m_current < n - 1 || more));
    if ((firstOff && (cmdFirst->hasFocus() || cmdPrevious->hasFocus())) ||
        (lastOff && (cmdNext->hasFocus() || cmdLast->hasFocus())))
        pageArea->setFocus();
    txtPage->setText(QString::number(n ? m_current + 1 : 0));
    txtPage->setEnabled(n > 0);
    // While the rest is laid out, the pages so far and an ellipsis.
    lblPage->setText(more ? QString("of %1\u2026").arg(n) : QString("of %1").arg(n));
    cmdFirst->setEnabled(!firstOff);
    cmdPrevious->setEnabled(!firstOff);
    cmdNext->setEnabled(!lastOff);
    cmdLast->setEnabled(!lastOff);
    cmdPrint->setEnabled(n > 0);
    cmdExport->setEnabled(n > 0);
    lblZoom->setText(n ? QString("%1%").arg(qRound(m_zoom * 100)) : QString());
    cmdZoomOut->setEnabled(n > 0 && m_zoom > kZoomSteps[0] + 0.005);
    cmdZoomIn->setEnabled(n > 0 && m_zoom < kMostZoom - 0.005);
    cmdFitWidth->setEnabled(n > 0);
    cmdFitPage->setEnabled(n > 0);
}

} // namespace report
