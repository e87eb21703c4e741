#pragma once
// The report viewer "Printouts": one report built from one of the program's
// report layouts and shown in CRViewer1, which pages and prints it.
//
// How a caller opens it: the viewer's properties live on its default
// instance, frmReportview::Default(), which outlives every window. The
// caller sets them there and then shows the viewer by name:
//
//     frmReportview::Default().SQL = query;
//     frmReportview::Default().ReportMode = "LearnerSummary";
//     showFormChain("frmReportview"); // registered by registerReportForms()
//
// The registered runner makes a fresh window, which reads the properties in
// Form_Load (exec() runs Form_Load first), builds the report and waits for
// Done. Form_Unload empties ReportMode and SQL again. A test that only wants
// to see what a caller asked for registers its own "frmReportview" runner and
// reads Default(); a test of the viewer itself builds a frmReportview, calls
// Form_Load() (or a runner) without showing it and prints shownReport().
//
// The properties themselves, and the learner filter they give, are in
// reports/reportviewproperties.h; the score summary's data is built by
// reports/scoresummary.h. clsSQL (reports/clssql.h) builds the learner
// profile's three queries; its Rep01BackgroundQuery reads RepGrade and RepVar
// from Default(). The viewer keeps one clsSQL, sql(), made on first use and
// kept for the whole run.
#include "platform/adodb.h"
#include "reports/reportviewproperties.h"
#include "reports/scoresummary.h"

#include <QDialog>
#include <QString>
#include <memory>

class QPushButton;
class clsSQL;
namespace report {
struct Layout;
class Report;
class ReportViewer;
} // namespace report

class frmReportview : public QDialog {
    Q_OBJECT

public:
    explicit frmReportview(QWidget* parent = nullptr);
    ~frmReportview() override;

    // The default instance's properties, shared by every window and caller.
    static ReportviewProperties& Default();
    // The default instance's clsSQL, made on first use.
    static clsSQL& sql();

    // Form_Load, then modal until Done or the window is closed; Form_Unload.
    int exec() override;

    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    // Done: closes the window; while the report is built, stops the
    // building first (nothing half-built is shown).
    void cmdDone_Click();

    // The runners: each builds its report, hands it to CRViewer1 and shows
    // only an error's description (ShowUserMessage) when something fails.
    void showLearnerSummary();
    void showLearnerList();
    void showMainReport();
    void showScoreSummary();

    // The report CRViewer1 shows (null while the viewer is empty).
    std::shared_ptr<report::Report> shownReport() const;

    report::ReportViewer* CRViewer1 = nullptr;
    QPushButton* cmdDone = nullptr;

    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // While the report is built: stops the building and closes the window;
    // false when no report is being built.
    bool stopBuilding();
    void showListReport(std::shared_ptr<report::Report>& rpt,
                        std::shared_ptr<const report::Layout> layout, int orientation,
                        const QString& title);

    // One report object per layout kind and the record sets they read.
    std::shared_ptr<report::Report> m_rptBarrier;
    std::shared_ptr<report::Report> m_rptProvider;
    std::shared_ptr<report::Report> m_rptProfile;
    std::shared_ptr<report::Report> m_rptScoreSummary;
    std::unique_ptr<ado::Recordset> m_rs;
    std::unique_ptr<ado::Recordset> m_rsDP;
    std::unique_ptr<ado::Recordset> m_rsCFS;
    bool m_unloaded = false;
};

// Where a window whose client area would be `wanted` stands so that, with
// its frame, it lies within the screen's available area: its client area's
// geometry, as large as wanted where the area allows.
QRect fitWindowToScreen(const QSize& wanted, const QMargins& frame, const QRect& available);
