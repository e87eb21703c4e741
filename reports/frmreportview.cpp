#include "reports/frmreportview.h"

#include "platform/commandbutton.h"
#include "platform/reportviewer.h"
#include "platform/runtime.h"
#include "platform/waitcursor.h"
#include "reports/clssql.h"
#include "reports/reportlayouts.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "services/modextendedmsgbox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>

namespace {

// A title bar and borders as window managers draw them, in pixels.
const QMargins kUsualFrame(8, 32, 8, 8);

// The hourglass and the viewer's progress while a report is built; the
// default pointer again, and the progress gone, on every way out.
class Building {
public:
    explicit Building(report::ReportViewer* viewer) : m_viewer(viewer) {
        m_viewer->showProgress();
        // While the report's queries run, the progress stays busy and the
        // windows repaint.
        m_sinceShown.start();
        ado::setWorkingHook([this] {
            if (m_sinceShown.elapsed() >= kRepaintEvery) {
                m_viewer->showProgress();
                m_sinceShown.restart();
            }
        });
        // Done or closing the window stops the query running.
        ado::setStopCheck([viewer] { return viewer->buildStopped(); });
    }
    ~Building() {
        ado::setStopCheck({});
        ado::setWorkingHook({});
        m_viewer->hideProgress();
    }
    Building(const Building&) = delete;
    Building& operator=(const Building&) = delete;

private:
    static constexpr qint64 kRepaintEvery = 50; // ms
    const WaitCursor m_wait;
    report::ReportViewer* m_viewer;
    QElapsedTimer m_sinceShown;
};

// The runners show only the error's description; a building stopped by the
// user ends without a word.
template <class Body> void trapToUserMessage(const report::ReportViewer* viewer, Body&& body) {
    try {
        body();
    } catch (const AppError& e) {
        if (!viewer->buildStopped())
            ShowUserMessage(e.description());
    }
}

std::unique_ptr<ado::Recordset> openReportSource(const QString& sql) {
    auto rs = std::make_unique<ado::Recordset>();
    rs->Open(sql, gConnection.get(), ado::adOpenForwardOnly, ado::adLockOptimistic);
    return rs;
}

} // namespace

ReportviewProperties& frmReportview::Default() {
    return reportviewDefault();
}

clsSQL& frmReportview::sql() {
    static std::unique_ptr<clsSQL> instance;
    if (!instance)
        instance = std::make_unique<clsSQL>();
    return *instance;
}

frmReportview::frmReportview(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Printouts");
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    // Wide enough for a landscape sheet beside the scroll bar where the
    // screen allows it.
    QSize size(twips(13500), twips(9600));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        size = size.expandedTo(QSize(1180, 820));
        // Until the window manager has framed the window, a frame of the
        // usual size is allowed for.
        setGeometry(fitWindowToScreen(size, kUsualFrame, screen->availableGeometry()));
    } else {
        resize(size);
    }
    CRViewer1 = new report::ReportViewer(this);
    CRViewer1->onError = [](const AppError& e) { ShowUserMessage(e.description()); };
    // Done stands at the right end of the viewer's toolbar.
    cmdDone = new CommandButton("Done");
    cmdDone->setMinimumWidth(twips(1200));
    CRViewer1->addToolbarWidget(cmdDone);
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
    Form_Resize();
}

frmReportview::~frmReportview() = default;

int frmReportview::exec() {
    // The window is there while the report is built: a long one shows its
    // progress in it.
    setWindowModality(Qt::ApplicationModal);
    show();
    Form_Load();
    // Done or closing while the report was built closed the window.
    const int result = CRViewer1->buildStopped() ? QDialog::Rejected : QDialog::exec();
    Form_Unload();
    return result;
}

bool frmReportview::stopBuilding() {
    if (!CRViewer1->building())
        return false;
    CRViewer1->stopBuilding();
    hide();
    return true;
}

void frmReportview::closeEvent(QCloseEvent* event) {
    if (stopBuilding()) {
        event->accept();
        return;
    }
    QDialog::closeEvent(event);
}

void frmReportview::reject() {
    if (!stopBuilding())
        QDialog::reject();
}

void frmReportview::Form_Load() {
    m_unloaded = false;
    OpenConnection();
    const QString mode = Default().ReportMode;
    if (mode == "LearnerSummary")
        showLearnerSummary();
    else if (mode == "LearnerList")
        showLearnerList();
    else if (mode == "MainReport")
        showMainReport();
    else if (mode == "ScoreSummary")
        showScoreSummary();
}

void frmReportview::Form_Resize() {
    CRViewer1->setGeometry(0, 0, width(), height());
}

QRect fitWindowToScreen(const QSize& wanted, const QMargins& frame, const QRect& available) {
    const QRect room = available.marginsRemoved(frame);
    const QSize size = wanted.boundedTo(room.size());
    // Centred in the room, never beyond its top-left corner.
    const QPoint at(room.left() + std::max(0, (room.width() - size.width()) / 2),
                    room.top() + std::max(0, (room.height() - size.height()) / 2));
    return QRect(at, size);
}

void frmReportview::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Once framed, the window with its frame is kept within the screen.
    QTimer::singleShot(0, this, [this] {
        const QScreen* s = screen();
        if (!s)
            return;
        const QRect frame = frameGeometry(), client = geometry();
        const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                               frame.right() - client.right(), frame.bottom() - client.bottom());
        if (!s->availableGeometry().contains(frame))
            setGeometry(fitWindowToScreen(size(), margins, s->availableGeometry()));
    });
}

void frmReportview::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmReportview::cmdDone_Click() {
    if (!stopBuilding())
        accept();
}

void frmReportview::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    // Each step on its own: a report that failed before its record set was
    // open still has its connection closed and its properties cleared.
    try {
        if (m_rs && m_rs->State() == ado::adStateOpen)
            m_rs->Close();
    } catch (const AppError&) {
    }
    CloseConnection();
    Default().ReportMode.clear();
    Default().SQL.clear();
}

std::shared_ptr<report::Report> frmReportview::shownReport() const {
    return CRViewer1->reportSource();
}

void frmReportview::showListReport(std::shared_ptr<report::Report>& rpt, LayoutPtr layout,
                                   int orientation, const QString& title) {
    trapToUserMessage(CRViewer1, [&] {
        Building building(CRViewer1);
        rpt = std::make_shared<report::Report>(std::move(layout));
        rpt->discardSavedData(0);
        rpt->setPaperOrientation(orientation);
        m_rs = openReportSource(Default().SQL);
        rpt->database().setDataSource(*m_rs);
        rpt->setText(kSchoolNameObject, gSchoolName);
        rpt->setReportTitle(title + QString::number(gReportYear));
        CRViewer1->setReportSource(rpt);
        CRViewer1->viewReport();
    });
}

void frmReportview::showLearnerSummary() {
    showListReport(m_rptBarrier, crdLearner_DisSum(), report::Report::crLandscape,
                   "Learner Summary per Barrier (Primary): ");
}

void frmReportview::showLearnerList() {
    showListReport(m_rptProvider, crdLearner_ListProv(), report::Report::crPortrait,
                   "Learner List per Responsible Provider : ");
}

void frmReportview::showMainReport() {
    trapToUserMessage(CRViewer1, [&] {
        Building building(CRViewer1);
        m_rptProfile = std::make_shared<report::Report>(crd_01Background());
        m_rptProfile->discardSavedData(0);
        m_rptProfile->setPaperOrientation(report::Report::crPortrait);
        // A typed accession number's learners are picked first, with one
        // read of the host's table, and the main query finds them by ID.
        const QString filterLearners = sql().Rep01FilterLearnersQuery();
        if (!filterLearners.isEmpty()) {
            const auto picked = openReportSource(filterLearners);
            QList<qint64> ids;
            for (qsizetype r = 0; r < picked->RecordCount(); ++r)
                ids << picked->store().at(r, 0).toLongLong();
            sql().setFilterLearners(ids);
        }
        m_rs = openReportSource(sql().Rep01BackgroundQuery());
        // The subreports read the rows of the learners listed.
        QList<qint64> learners;
        const int learnerColumn = m_rs->fieldIndex("LearnerID");
        for (qsizetype r = 0; learnerColumn >= 0 && r < m_rs->RecordCount(); ++r)
            learners << m_rs->store().at(r, learnerColumn).toLongLong();
        sql().setMainLearners(learners);
        m_rsDP = openReportSource(sql().Rep01DPQuery());
        m_rsCFS = openReportSource(sql().Rep01CFS());
        m_rptProfile->database().setDataSource(*m_rs);
        m_rptProfile->setText(kSchoolNameObject, gSchoolName);
        m_rptProfile->setText(kYearObject, QString::number(gReportYear));
        m_rptProfile->openSubreport("crd_02LDP").database().setDataSource(*m_rsDP);
        m_rptProfile->openSubreport("crd_03CFS").database().setDataSource(*m_rsCFS);
        CRViewer1->setDocumentName("Learner Profile " + QString::number(gReportYear));
        CRViewer1->setReportSource(m_rptProfile);
        CRViewer1->viewReport();
    });
}

void frmReportview::showScoreSummary() {
    const QString y = QString::number(gReportYear);
    Default().SQL = scoreSummaryLearnerQuery(Default().RepGrade, Default().RepVar);
    trapToUserMessage(CRViewer1, [&] {
        Building building(CRViewer1);
        m_rptScoreSummary = std::make_shared<report::Report>(crdLearnerScoreSummary());
        m_rptScoreSummary->discardSavedData(0);
        m_rptScoreSummary->setPaperOrientation(report::Report::crLandscape);
        m_rptScoreSummary->setPaperSize(report::Report::crPaperA4);
        OpenConnection();
        std::unique_ptr<ado::Recordset> table = buildScoreSummaryTable(Default().SQL, y.toInt());
        CloseConnection();
        m_rptScoreSummary->database().setDataSource(*table);
        m_rptScoreSummary->setText(kSchoolNameObject, gSchoolName);
        m_rptScoreSummary->setReportTitle("Learner Score Summary: " + y);
        CRViewer1->setReportSource(m_rptScoreSummary);
        CRViewer1->viewReport();
    });
}
