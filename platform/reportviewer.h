#pragma once
#include "platform/apperror.h"
#include "platform/reportengine.h"

#include <QElapsedTimer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTimer;

namespace report {

// The page view of a report, with its toolbar:
//   Print         the print dialog; prints the pages and copies chosen there
//   Export to PDF asks for a file name and writes the report to it
//   |< < [n] of m > >|   first, previous, the page box (type a number and
//                 press Enter to go to that page), next, last
//   - 100% +      zoom out, the zoom, zoom in
//   Fit Width, Fit Page  the page as wide as the view, or whole in it
// and, at its right end, what the window adds (its Done button).
//
// The page opens as wide as the view allows, at most at its printed size;
// the fits hold while the window is resized. Wherever the focus is but in
// the page box, Page Down and Page Up scroll a screen and run on to the next
// or previous page at the page's foot or head; Home and Ctrl+Home show the
// first page, End and Ctrl+End the last. The mouse wheel scrolls the page and
// runs on to the next or previous page the same way; with Ctrl it zooms.
// Ctrl+P prints, Ctrl++ (or Ctrl+=) and Ctrl+- zoom, Ctrl+0 returns to the
// opening size. The focus goes into the page box only when the user puts it
// there; a click in it selects its number, so that typing replaces it, and
// Escape there gives back the number of the page shown. The page is drawn
// at the screen's pixel ratio.
class ReportViewer : public QWidget {
    Q_OBJECT

public:
    explicit ReportViewer(QWidget* parent = nullptr);
    ~ReportViewer() override;

    void setReportSource(std::shared_ptr<Report> report);
    std::shared_ptr<Report> reportSource() const { return m_report; }
    // Paginates the report and shows its first page; a long report shows
    // how far it is meanwhile.
    void viewReport();
    // Tells that the report is being built (a busy progress, no measure):
    // once it has taken a while, the progress shows and the windows repaint.
    // hideProgress ends the building.
    void showProgress();
    void hideProgress();
    // The name of the print job and of the exported file (the report's
    // title when none is given).
    void setDocumentName(const QString& name) { m_documentName = name; }
    QString documentName() const;

    // The report's pages: it is laid out to its end first.
    int pageCount() const;
    // Whether the report is laid out to its end; until it is, the viewer
    // shows the pages laid out so far and lays out the rest meanwhile.
    bool paginated() const;
    // Stops a report's building: the building's work asks buildStopped()
    // and ends early.
    void stopBuilding() { m_stopped = true; }
    bool building() const { return m_building.isValid(); }
    bool buildStopped() const { return m_stopped; }
    int currentPage() const { return m_current; } // 0-based
    // Shows a page (clamped to the report's) from its head.
    void showPage(int index);
    // The print dialog on a fresh printer; prints the pages and copies
    // chosen there when accepted.
    void printReport();
    // The save dialog; writes the report to the PDF file named there.
    void exportReport();

    // The scale of the page shown: 1 is the sheet's printed size.
    double zoom() const { return m_zoom; }

    // Adds a control at the toolbar's right end.
    void addToolbarWidget(QWidget* widget);

    // Called with a failure while printing or exporting.
    std::function<void(const AppError&)> onError;

    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdFirst = nullptr;
    QPushButton* cmdPrevious = nullptr;
    QLineEdit* txtPage = nullptr; // the page shown, from 1
    QLabel* lblPage = nullptr;    // "of m"
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdLast = nullptr;
    QPushButton* cmdZoomOut = nullptr;
    QLabel* lblZoom = nullptr; // "75%"
    QPushButton* cmdZoomIn = nullptr;
    QPushButton* cmdFitWidth = nullptr;
    QPushButton* cmdFitPage = nullptr;
    QProgressBar* progress = nullptr; // while a report is built
    // The scrolled view of the page, and the page in it.
    QScrollArea* pageArea = nullptr;
    QLabel* pageView = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Fit { Auto, None, Width, Page };
    void setFit(Fit fit, double zoom = 1);
    void zoomIn();
    void zoomOut();
    double fittedZoom() const;
    void render();
    void showPageAt(int index, bool atFoot);
    // Scrolls a screen down (1) or up (-1), running on to the next page.
    void scrollScreen(int direction);
    bool pagingKey(QKeyEvent* event);
    void goToTypedPage();
    void updateToolbar();

    std::shared_ptr<Report> m_report;
    // The report's pages, laid out ahead of the reader.
    const QVector<Page>& pages() const;
    int pagesLaidOut() const; // complete pages so far
    // Lays the report out up to `count` pages (-1: to its end) at once.
    void layOutPages(int count);
    void layOutAhead();
    std::unique_ptr<Pagination> m_pagination;
    QTimer* m_ahead = nullptr;
    bool m_stopped = false;
    int m_current = 0;
    Fit m_fit = Fit::Auto;
    double m_zoom = 1;
    int m_wheelAtEdge = 0; // wheel turned at a page's head or foot
    QString m_documentName;
    QHBoxLayout* m_toolbar = nullptr;
    QElapsedTimer m_building; // since the building began
};

} // namespace report
