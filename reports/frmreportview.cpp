#include "reports/frmreportview.h"

#include "platform/commandbutton.h"
#include "platform/reportengine.h"
#include "platform/runtime.h"
#include "platform/sqlquote.h"
#include "reports/clssql.h"
#include "reports/reportlayouts.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "services/modextendedmsgbox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QHash>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <array>

namespace {

// A title bar and borders as window managers draw them, in pixels.
const QMargins kUsualFrame(8, 32, 8, 8);

// The hourglass and the viewer's progress while a report is built; the
// default pointer again, and the progress gone, on every way out.
class Building {
public:
    explicit Building(report::ReportViewer* viewer) : m_viewer(viewer) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_viewer->showProgress(0, 0);
        // While the report's queries run, the progress stays busy and the
        // windows repaint.
        m_sinceShown.start();
        ado::setWorkingHook([this] {
            if (m_sinceShown.elapsed() >= kRepaintEvery) {
                m_viewer->showProgress(0, 0);
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
        QApplication::restoreOverrideCursor();
    }
    Building(const Building&) = delete;
    Building& operator=(const Building&) = delete;

private:
    static constexpr qint64 kRepaintEvery = 50; // ms
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
    static ReportviewProperties properties;
    return properties;
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

void frmReportview::stopBuilding() {
    CRViewer1->stopBuilding();
    hide();
}

void frmReportview::closeEvent(QCloseEvent* event) {
    if (CRViewer1->building()) {
        stopBuilding();
        event->accept();
        return;
    }
    QDialog::closeEvent(event);
}

void frmReportview::reject() {
    if (CRViewer1->building()) {
        stopBuilding();
        return;
    }
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
    if (CRViewer1->building()) {
        stopBuilding();
        return;
    }
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

QString reportLearnerFilter(bool repGrade, const QString& repVar, const QString& gradeTerm,
                            const QString& accessionTerm) {
    if (repGrade) {
        bool isNumber = false;
        const qint64 gradeId = repVar.trimmed().toLongLong(&isNumber);
        return gradeTerm + QString::number(isNumber ? gradeId : 0);
    }
    // A quote in a typed accession number stays part of the value.
    if (!repVar.isEmpty())
        return accessionTerm + quoted(repVar);
    return QString();
}

QString scoreSummaryLearnerQuery(bool repGrade, const QString& repVar) {
    QString sql = "SELECT  Grade, SName, FName, ";
    sql += "AccessionNo, ID, LSENStatus From Learner_Info ";
    sql += " WHERE Status='C' AND LSENStatus<>1 ";
    sql += reportLearnerFilter(repGrade, repVar, " AND Grade =", " AND AccessionNo =");
    // The summary lists its learners by grade, then by name.
    sql += " ORDER BY Grade, SName, FName";
    return sql;
}

QString getLevelText(double average) {
    if (average == 1)
        return "MILD";
    if (average == 2)
        return "MODERATE";
    if (average == 3)
        return "SEVERE";
    return "N/A";
}

namespace {
QString ofSummaryLearners(const QString& learnerQuery) {
    return " c.LearnerID IN (SELECT L.ID FROM (" + learnerQuery + ") AS L)";
}
} // namespace

// The averages and ratings of all the learners at once, two queries for the
// year rather than two for each learner: the same groups (each learner's
// scores grouped by domain, the learner's terms first so that the grouping
// compares whole numbers first) and the same rating rows, each learner's in
// the order its own query gives them (its rows of the year in the
// learner-year index), found through that index for the learners of the
// learner query.
QString scoreSummaryScoresQuery(const QString& learnerQuery, int year) {
    return "SELECT c.LearnerID, Avg(c.Score) AS AvgOfScore, s.Activity_Domain as sDomain FROM "
           "TAV_Criteria_For_Selection AS c "
           " INNER JOIN TAV_lu_Activity_Domain_Sub_Section AS s ON c.Sub_Section = s.ID "
           " WHERE c.Data_Year =" +
           QString::number(year) + " AND" + ofSummaryLearners(learnerQuery) +
           " GROUP BY c.LearnerID, C.Data_Year, s.Activity_Domain";
}

QString scoreSummaryRatingsQuery(const QString& learnerQuery, int year) {
    return "SELECT c.LearnerID, c.Support_Area, c.Rating From TAV_Assessment_Supp_Req_Rating "
           "AS c WHERE c.Data_Year =" +
           QString::number(year) + " AND" + ofSummaryLearners(learnerQuery);
}

// The rows of sql gathered into one array a learner: the value of each row
// goes into the slot its slotField names (1 to N; other rows are passed
// over), a later row for the same slot replacing an earlier one. A learner's
// array starts as blank.
template <class T, std::size_t N, class Convert>
QHash<qint64, std::array<T, N>> perLearner(const QString& sql, const char* slotField,
                                           const char* valueField, const std::array<T, N>& blank,
                                           Convert convert) {
    ado::Recordset rs;
    rs.Open(sql, gConnection.get(), ado::adOpenKeyset);
    QHash<qint64, std::array<T, N>> arrays;
    const int learner = rs.fieldIndex("LearnerID");
    const int slotColumn = rs.fieldIndex(slotField);
    const int valueColumn = rs.fieldIndex(valueField);
    for (; !rs.Eof(); rs.MoveNext()) {
        const int slot = rs.Fields(slotColumn).toInt();
        if (slot < 1 || slot > int(N))
            continue;
        const qint64 id = rs.Fields(learner).Value().toLongLong();
        auto it = arrays.find(id);
        if (it == arrays.end())
            it = arrays.insert(id, blank);
        (*it)[slot - 1] = convert(rs.Fields(valueColumn));
    }
    rs.Close();
    return arrays;
}

std::unique_ptr<ado::Recordset> buildScoreSummaryTable(const QString& learnerQuery, int year) {
    ado::Recordset learners;
    learners.Open(learnerQuery, gConnection.get(), ado::adOpenKeyset);

    // The averages as level texts ("N/A" where a learner has no score of an
    // area) and the ratings, each learner's in one array.
    std::array<QString, 8> noLevels;
    noLevels.fill("N/A");
    const auto levelsOf =
        perLearner(scoreSummaryScoresQuery(learnerQuery, year), "sDomain", "AvgOfScore", noLevels,
                   [](const ado::Field& f) { return getLevelText(f.Value().toDouble()); });
    const std::array<qint32, 5> noRatings{};
    const auto ratingsOf =
        perLearner(scoreSummaryRatingsQuery(learnerQuery, year), "Support_Area", "Rating",
                   noRatings, [](const ado::Field& f) { return qint32(f.toInt()); });

    static const char* const kLevels[8] = {"Mobility", "SelfCare", "Communication", "Vision",
                                           "Hearing",  "Mental",   "Cognition",     "Needs"};
    static const char* const kRatings[5] = {"Staff", "HRD", "Devices", "Cassessment", "Access"};
    constexpr int kMayBeNull = 0x40;
    auto table = std::make_unique<ado::Recordset>();
    for (const char* name : {"Grade", "FName", "SName", "AccessionNo"})
        table->Append(name, ado::adVarChar, 255, kMayBeNull);
    table->Append("ID", ado::adInteger);
    for (const char* name : kLevels)
        table->Append(name, ado::adVarChar, 255, kMayBeNull);
    for (const char* name : kRatings)
        table->Append(name, ado::adInteger);
    table->OpenDisconnected();

    // The fields by position, looked up once.
    const auto at = [](ado::Recordset& rs, const char* name) { return rs.fieldIndex(name); };
    const int from[5] = {at(learners, "Grade"), at(learners, "SName"), at(learners, "FName"),
                         at(learners, "AccessionNo"), at(learners, "ID")};
    const int to[5] = {at(*table, "Grade"), at(*table, "SName"), at(*table, "FName"),
                       at(*table, "AccessionNo"), at(*table, "ID")};
    int levelAt[8], ratingAt[5];
    for (int i = 0; i < 8; ++i)
        levelAt[i] = at(*table, kLevels[i]);
    for (int i = 0; i < 5; ++i)
        ratingAt[i] = at(*table, kRatings[i]);
    while (!learners.Eof()) {
        const qint64 id = learners.Fields(from[4]).Value().toLongLong();
        const auto levels = levelsOf.value(id, noLevels);
        const auto ratings = ratingsOf.value(id, noRatings);
        table->AddNew();
        for (int i = 0; i < 4; ++i) {
            const QVariant v = learners.Fields(from[i]).Value();
            table->Fields(to[i]).setValue(v.isNull() ? QVariant() : QVariant(v.toString()));
        }
        table->Fields(to[4]).setValue(qint32(learners.Fields(from[4]).toInt()));
        for (int i = 0; i < 8; ++i)
            table->Fields(levelAt[i]).setValue(levels[i]);
        for (int i = 0; i < 5; ++i)
            table->Fields(ratingAt[i]).setValue(ratings[i]);
        table->Update();
        learners.MoveNext();
    }
    if (table->RecordCount() > 0)
        table->MoveFirst();
    return table;
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
