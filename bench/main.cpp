// rer_bench: the program at school scale. Builds a synthetic school of each
// size asked for, measures start-up, the list search, every page's load and
// save, the roll-over, each report's data build and the peak memory, prints
// the figures and writes them into BENCHMARKS.md.
//
//   rer_bench [--learners 200,2000,10000] [--runs 7] [--out BENCHMARKS.md] [--work DIR]
//   rer_bench --help
//
// Each size is generated and then measured in a process of its own, so that
// the peak memory of a size is that of the program's work at that size.
#include "bench/generator.h"
#include "bench/limits.h"
#include "bench/measure.h"
#include "bench/options.h"
#include "bench/rawdb.h"
#include "pages/assessmentpage.h"
#include "platform/fonts.h"
#include "platform/grid.h"
#include "platform/jetdialect.h"
#include "platform/messagebox.h"
#include "platform/printdialog.h"
#include "platform/reportviewer.h"
#include "platform/runtime.h"
#include "profile/profileforms.h"
#include "reports/clssql.h"
#include "reports/frmbarrierselect.h"
#include "reports/frmreportview.h"
#include "services/checktables.h"
#include "services/endprogram.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "support/supportforms.h"
#include "workspace/frmselectlearner.h"
#include "workspace/rollover.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QtEndian>
#include <cstdio>
#include <memory>
#include <sqlite3.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// The clock of every run: data years 2011-2025 are filled, 2026 is the
// current year into which the roll-over copies 2025.
const QDate kToday(2026, 6, 15);
constexpr int kHeadlineSize = 2000;
// The school size of the targets for a large school, and of the schools
// that differ in the years they keep.
constexpr int kLargeSchool = 10000;
constexpr int kYearsSchool = 10000;

// Targets at the headline size, in milliseconds (memory in MB).
constexpr double kStartupTarget = 300;
constexpr double kLoadTarget = 10;
constexpr double kSaveTarget = 20;
constexpr double kRolloverTarget = 1000;
constexpr double kMemoryTarget = 150;

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

// ---- in the measuring process ---------------------------------------------

// The text of the last message box.
QString gLastMessage;

void answerBoxes() {
    msgbox::setAnswerer([](const msgbox::Shown& box) {
        if (box.title.startsWith("Error")) {
            ++gFailures;
            QTextStream(stderr) << "error box: " << box.text << "\n";
        }
        gLastMessage = box.text;
        msgbox::shownBoxes().clear();
        return msgbox::answerDefault(box);
    });
}

void rawExec(const QString& path, const QString& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    char* err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        QTextStream(stderr) << "sql failed: " << err << "\n";
        sqlite3_free(err);
    }
    sqlite3_close_v2(db);
}

// ---- limits: the least SQL for the same rows ------------------------------

// Times the limit of a figure: body runs on a raw connection.
void addLimit(Figure& f, const QString& path, int runs, const std::function<void(RawDb&)>& body,
              const std::function<void()>& tearDown = {}) {
    RawDb db(path);
    f.limit = timeIt(
                  f.name, runs, 0, [&] { body(db); }, {}, tearDown)
                  .median;
}

// The rows of every section table for one learner-year.
qint64 learnerYearRows(const QString& path, qint64 learner, int year) {
    QStringList counts;
    for (const SectionTable& table : kSectionTables)
        counts << QString("(SELECT count(*) FROM %1 WHERE LearnerID = %2 AND Data_Year = %3)")
                      .arg(table.name)
                      .arg(learner)
                      .arg(year);
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    qint64 n = -1;
    if (sqlite3_prepare_v2(db, ("SELECT " + counts.join(" + ")).toUtf8().constData(), -1, &st,
                           nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        n = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    sqlite3_close_v2(db);
    return n;
}

// The process's peak resident memory so far.
Figure peakMemory(const QString& name, double targetMb) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    Figure f;
    f.name = name;
    f.unit = "MB";
    f.median = f.min = f.max = usage.ru_maxrss / 1024.0; // kilobytes on Linux
    f.target = targetMb;
    f.runs = 1;
    return f;
}

// A report opened as the user opens it, from the click: the viewer's window
// made and shown and the report built in it (as its exec() does), then
// painted with its first page; and then the whole report paginated and its
// last page shown and painted.
struct ViewerTimes {
    double firstPage = 0; // ms from the click
    double lastPage = 0;
    int pages = 0;
};

ViewerTimes openReport(const QString& mode, const QString& sql, const QString& repVar) {
    ReportviewProperties& p = frmReportview::Default();
    p.ReportMode = mode;
    p.SQL = sql;
    p.RepVar = repVar;
    p.RepGrade = false;
    gLastMessage.clear();
    ViewerTimes t;
    QElapsedTimer clock;
    clock.start();
    {
        frmReportview viewer;
        viewer.show();
        viewer.Form_Load();
        viewer.repaint();
        t.firstPage = clock.nsecsElapsed() / 1e6;
        report::ReportViewer* v = viewer.CRViewer1;
        v->showPage(v->pageCount() - 1);
        viewer.repaint();
        t.lastPage = clock.nsecsElapsed() / 1e6;
        t.pages = v->pageCount();
        viewer.Form_Unload();
        viewer.hide();
    }
    // The runners tell a failure in a plain message box.
    if (!gLastMessage.isEmpty()) {
        QTextStream(stderr) << mode << ": " << gLastMessage << "\n";
        ++gFailures;
    }
    return t;
}

// The two figures of a report opened runs times after one warm-up run.
QList<Figure> timeReport(const QString& name, int runs, const QString& mode, const QString& sql,
                         const QString& repVar) {
    std::vector<double> first, last;
    int pages = 0;
    const Figure whole = timeIt(name, runs, 0, [&] {
        const ViewerTimes t = openReport(mode, sql, repVar);
        first.push_back(t.firstPage);
        last.push_back(t.lastPage);
        pages = t.pages;
    });
    Q_UNUSED(whole);
    first.erase(first.begin()); // the warm-up run
    last.erase(last.begin());
    out() << "  " << name << ": " << pages << " pages\n";
    return {figureOf(name + ", first page shown", first),
            figureOf(name + ", last page shown", last)};
}

// The SQL of the learner profile for a learner filter: the learners a typed
// accession number names, the main query, and the subreports' queries for
// the learners it gives.
QStringList profileSql(RawDb& db, const QString& repVar) {
    frmReportview::Default().RepVar = repVar;
    frmReportview::Default().RepGrade = false;
    clsSQL q;
    const QString pick = q.Rep01FilterLearnersQuery();
    if (!pick.isEmpty()) {
        QList<qint64> picked;
        for (const QString& id : db.column(pick))
            picked << id.toLongLong();
        q.setFilterLearners(picked);
    }
    const QString main = q.Rep01BackgroundQuery();
    QList<qint64> ids;
    for (const QString& id : db.column(main))
        ids << id.toLongLong();
    q.setMainLearners(ids);
    QStringList texts{main, q.Rep01DPQuery(), q.Rep01CFS()};
    if (!pick.isEmpty())
        texts.prepend(pick);
    return texts;
}

// The database file's change counter, which SQLite raises by one with every
// transaction that writes to it.
quint32 changeCounter(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(24))
        return 0;
    const QByteArray b = f.read(4);
    return b.size() == 4 ? qFromBigEndian<quint32>(b.constData()) : 0;
}

// The digest of the rows a query of the program gives, read through the
// program's record set.
RowsDigest programRows(const QString& jetSql) {
    ConnectionScope connection;
    ado::Recordset rs;
    rs.Open(jetSql, gConnection.get(), ado::adOpenForwardOnly, ado::adLockOptimistic);
    return digestOf(rs);
}

// The program's queries of a report and the least SQL of its limit give the
// same rows, statement by statement.
void checkSameRows(const QString& name, const QStringList& program, const QStringList& least,
                   const QString& path) {
    RawDb db(path);
    QStringList counts;
    for (qsizetype i = 0; i < program.size() && i < least.size(); ++i) {
        const RowsDigest p = programRows(program[i]);
        const RowsDigest l = db.digest(least[i]);
        counts << QString::number(p.rows);
        if (p != l) {
            QTextStream(stderr) << name << ": query " << i + 1 << " gives " << p.rows
                                << " rows, its least SQL " << l.rows
                                << (p.rows == l.rows ? " (other values)" : "") << "\n";
            ++gFailures;
        }
    }
    if (program.size() != least.size()) {
        QTextStream(stderr) << name << ": " << program.size() << " queries, " << least.size()
                            << " in the limit\n";
        ++gFailures;
    }
    out() << "  " << name << ": the same rows as its least SQL (" << counts.join(" + ") << ")\n";
}

// The list-report window opened as the report menu opens it (its lists
// filled), and closed again.
void openSelectionWindow() {
    gBarrierSelectRequest.FormMode = "LearnerList";
    frmBarrierSelect window;
    if (window.cboSupport->count() == 0)
        ++gFailures;
}

// The list-report window: its first opening in the process and its
// opening after that, beside the least SQL of its two lists.
QList<Figure> measureSelectionWindow(const QString& path, int runs) {
    QElapsedTimer clock;
    clock.start();
    openSelectionWindow();
    Figure first =
        figureOf("List-report window opened, the first time", {clock.nsecsElapsed() / 1e6});
    Figure again = timeIt("List-report window opened", runs, 0, [] { openSelectionWindow(); });
    const QStringList least = selectionListsLimitSql(gDataYear);
    addLimit(again, path, runs, [&](RawDb& db) {
        for (const QString& sql : least)
            db.run(sql);
    });
    first.limit = again.limit;
    checkSameRows("List-report window",
                  {"SELECT DISTINCT Disabilities.Name as Disability FROM Disabilities",
                   frmBarrierSelect::personQuery()},
                  least, path);
    return {first, again};
}

// The whole-school profile printed (the print dialog answered: every page to
// a PDF file) and exported (the save dialog answered), each timed once from
// the click on Print or Export to the end of the job.
QList<Figure> measurePrintAndExport(const QString& path) {
    frmReportview::Default().ReportMode = "MainReport";
    frmReportview::Default().RepVar.clear();
    frmReportview::Default().RepGrade = false;
    QList<Figure> figures;
    frmReportview viewer;
    viewer.show();
    viewer.Form_Load();
    report::ReportViewer* v = viewer.CRViewer1;
    const QString printed = path + ".printed.pdf", exported = path + ".exported.pdf";
    printdialog::setAnswerer(printdialog::printToPdf(printed));
    savedialog::setAnswerer([&](const QString&) { return exported; });
    QElapsedTimer clock;
    clock.start();
    v->cmdPrint->click();
    const double print = clock.nsecsElapsed() / 1e6;
    clock.restart();
    v->cmdExport->click();
    const double exportMs = clock.nsecsElapsed() / 1e6;
    printdialog::setAnswerer({});
    savedialog::setAnswerer({});
    const int pages = v->pageCount();
    for (const QString& pdf : {printed, exported}) {
        if (QFileInfo(pdf).size() <= 0) {
            QTextStream(stderr) << pdf << " was not written\n";
            ++gFailures;
        }
        QFile::remove(pdf);
    }
    viewer.Form_Unload();
    out() << "  the whole-school profile printed and exported: " << pages << " pages\n";
    figures << figureOf("Report: learner profile, all learners, printed to a PDF file (once)",
                        {print});
    figures << figureOf("Report: learner profile, all learners, exported (once)", {exportMs});
    return figures;
}

// The four reports for the whole school in the data year, and the learner
// profile of the learner in use, each opened from the click to its first and
// to its last page; each beside its limit, the least SQL for its rows.
QList<Figure> measureReports(const QString& path, int runs) {
    gReportYear = gDataYear;
    QList<Figure> figures;
    QString summarySql, listSql;
    {
        gBarrierSelectRequest.FormMode = "LearnerSummary";
        frmBarrierSelect barriers;
        summarySql = barriers.learnerSummaryQuery();
        gBarrierSelectRequest.FormMode = "LearnerList";
        frmBarrierSelect providers;
        listSql = providers.learnerListQuery();
    }
    const auto report = [&](const QString& name, const QString& mode, const QString& sql,
                            const QString& repVar, const QStringList& program,
                            const QStringList& least) {
        checkSameRows(name, program, least, path);
        QList<Figure> two = timeReport(name, runs, mode, sql, repVar);
        addLimit(two[0], path, runs, [&](RawDb& db) {
            for (const QString& text : least)
                db.run(text);
        });
        two[1].limit = two[0].limit;
        figures << two;
    };
    const int y = gReportYear;
    report("Report: learners per barrier, all learners", "LearnerSummary", summarySql, QString(),
           {summarySql}, {barrierLimitSql(y)});
    report("Report: learners per provider, all learners", "LearnerList", listSql, QString(),
           {listSql}, {providerLimitSql(y)});
    {
        // The learners of the accession number picked first, by both.
        RawDb db(path);
        const QString pick = accessionLearnersSql(gAccessionNo);
        const QStringList picked = db.column(pick, true);
        report("Report: learner profile, one learner", "MainReport", QString(), gAccessionNo,
               profileSql(db, gAccessionNo),
               QStringList{pick} + profileLimitSql(y, picked.join(", ")));
    }
    {
        RawDb db(path);
        const QStringList all = profileSql(db, QString());
        report("Report: learner profile, all learners", "MainReport", QString(), QString(), all,
               profileLimitSql(y));
    }
    const QString learners = scoreSummaryLearnerQuery(false, QString());
    report("Report: score summary, all learners", "ScoreSummary", QString(), QString(),
           {learners, scoreSummaryScoresQuery(learners, y), scoreSummaryRatingsQuery(learners, y)},
           scoreSummaryLimitSql(y));
    return figures;
}

QList<Figure> measure(const QString& path, int runs) {
    QList<Figure> figures;
    gDbPath = path;
    SaveSetting("MarvikEmis", "Startup", "Database", path);
    gDataYear = qint16(kToday.year() - 1);

    // Start-up: the learner window's load (database path, table check,
    // school details, learner list) as the window is made. The window of the
    // run before is closed first, outside the time.
    std::unique_ptr<frmSelectLearner> window;
    const auto closeWindow = [&] { window.reset(); };
    figures << timeIt(
        "Start-up to a filled list", runs, kStartupTarget,
        [&] { window = std::make_unique<frmSelectLearner>(); }, closeWindow);
    // The list's limit: its query's rows.
    const QString listSql = frmSelectLearner::learnersQuery("C");
    const auto listLimit = [&](Figure f) {
        addLimit(f, path, runs, [&](RawDb& db) { db.run(listSql); });
        return f;
    };
    figures.last() = listLimit(figures.last());
    figures << timeIt("  of which checkTables", runs, 0, [] { checkTables(); });
    figures << listLimit(timeIt("  of which getLearners", runs, 0, [&] { window->getLearners(); }));
    // The same with the window on the screen: its first painting, and the
    // list filled again while it shows (Current clicked).
    figures << timeIt(
        "Start-up, window shown and painted", runs, 0,
        [&] {
            window = std::make_unique<frmSelectLearner>();
            window->show();
            QApplication::processEvents();
        },
        closeWindow);
    figures << timeIt("List filled again while shown", runs, 0, [&] {
        window->optCurrent_Click();
        QApplication::processEvents();
    });
    window->hide();
    figures << peakMemory("Peak memory after start-up", 0);
    Grid* list = window->gridLearner;
    const int rows = list->MaxRows();
    out() << "  list holds " << rows << " learners\n";

    // The search runs down the list: the last row is the longest search.
    window->optAssNo->setChecked(true);
    window->txtSearch->setText(list->GetText(3, rows));
    figures << timeIt("Search by accession number (last row)", runs, 0,
                      [&] { window->Command1_Click(); });
    out() << "  accession search found row " << list->ActiveRow() << " of " << rows << "\n";
    window->optName->setChecked(true);
    window->txtSearch->setText(list->GetText(2, rows));
    figures << timeIt("Search by name (last row)", runs, 0, [&] { window->Command1_Click(); });
    out() << "  name search found row " << list->ActiveRow() << " (the first of that name)\n";

    // The learner in the middle of the list, clicked as the user does.
    window->gridLearner_Click(2, rows / 2);
    out() << "  learner " << gLearnerID << " " << gLearnerName << ", data year " << gDataYear
          << "\n";

    // What one sync of the disk costs now: every save commits a transaction,
    // which syncs the journal and the database file a few times.
    {
        QFile probe(path + ".sync");
        probe.open(QIODevice::ReadWrite | QIODevice::Truncate);
        const QByteArray page(4096, 'x');
        figures << timeIt("Disk: one fdatasync of 4 KB, for reference", runs, 0, [&] {
            probe.write(page);
            probe.flush();
            ::fdatasync(probe.handle());
        });
        probe.remove();
    }
    const qint64 rowsBefore = learnerYearRows(path, gLearnerID, gDataYear);
    // A page's limits: reading the learner-year's rows of every section table
    // (more than any one page reads), and writing the year's criteria scores
    // back in a transaction (the rows of the page that saves the most).
    const QString learnerYear = " " + AssessmentPage::whereLearnerYear();
    QString loadLimitSql;
    for (const SectionTable& table : kSectionTables)
        loadLimitSql += QString("SELECT * FROM %1").arg(table.name) + learnerYear + ";";
    // The learner-year's criteria scores, deleted and written back: each
    // row's values and its sub-section.
    QStringList scoreRows, scoreSections;
    {
        RawDb db(path);
        for (const QString& row : db.column(
                 "SELECT '(' || LearnerID || ', ' || Sub_Section || ', ' || IFNULL(Score, 'NULL') "
                 "|| ', ' || Data_Year || ')|' || Sub_Section FROM TAV_Criteria_For_Selection" +
                     learnerYear + " ORDER BY ID",
                 true)) {
            scoreRows << row.section('|', 0, 0);
            scoreSections << row.section('|', 1);
        }
    }
    Figure loadLimit;
    addLimit(loadLimit, path, runs, [&](RawDb& db) { db.run(loadLimitSql); });
    // A save's limit in as many commits as the save makes: the same rows
    // deleted and written back in that many transactions, each with its part
    // of them.
    QMap<int, double> saveLimits;
    const auto saveLimit = [&](int commits) {
        if (!saveLimits.contains(commits)) {
            QString sql;
            const int n = int(scoreRows.size());
            for (int part = 0; part < commits; ++part) {
                const int from = part * n / commits, to = (part + 1) * n / commits;
                sql += "BEGIN IMMEDIATE; DELETE FROM TAV_Criteria_For_Selection" + learnerYear +
                       " AND Sub_Section IN (" + scoreSections.mid(from, to - from).join(", ") +
                       ");";
                if (to > from)
                    sql += "INSERT INTO TAV_Criteria_For_Selection (LearnerID, Sub_Section, Score, "
                           "Data_Year) VALUES " +
                           scoreRows.mid(from, to - from).join(", ") + ";";
                sql += "COMMIT;";
            }
            Figure f;
            addLimit(f, path, runs, [&](RawDb& db) { db.run(sql); });
            saveLimits.insert(commits, f.limit);
        }
        return saveLimits.value(commits);
    };
    // Every page the program registers, each made off-screen.
    registerProfileForms();
    registerSupportForms();
    for (auto page = registeredPages().cbegin(); page != registeredPages().cend(); ++page) {
        const QString& name = page.key();
        const PageMaker& make = page.value();
        std::unique_ptr<AssessmentPage> form;
        figures << timeIt(
            name + " open (window made)", runs, 0, [&] { form = make(); }, {},
            [&] { form.reset(); });
        // Load: what showing the page runs, its Form_Load and Form_Activate.
        figures << timeIt(
            name + " load", runs, kLoadTarget,
            [&] {
                form->Form_Load();
                form->Form_Activate();
            },
            [&] { form = make(); }, [&] { form.reset(); });
        // Save: the loaded learner-year written back through the Save button.
        form = make();
        form->Form_Load();
        form->Form_Activate();
        gLastMessage.clear();
        figures.last().limit = loadLimit.limit;
        figures << timeIt(name + " save", runs, kSaveTarget, [&] {
            form->markUnsaved();
            form->cmdSave_Click();
        });
        // The commits one save makes, told by the file's change counter.
        const quint32 before = changeCounter(path);
        form->markUnsaved();
        form->cmdSave_Click();
        const int commits = int(changeCounter(path) - before);
        // A save that wrote nothing (the row as it was) has no limit.
        if (commits > 0) {
            figures.last().limit = saveLimit(commits);
            figures.last().limitNote =
                commits == 1 ? QStringLiteral("1 commit") : QString("%1 commits").arg(commits);
        }
        form.reset();
        // A save the page refused (after a failed load, say) would be no save.
        if (!gLastMessage.contains("saved", Qt::CaseInsensitive)) {
            QTextStream(stderr) << name << " did not save: " << gLastMessage << "\n";
            ++gFailures;
        }
    }

    // Every save wrote back what its page had loaded.
    const qint64 rowsAfter = learnerYearRows(path, gLearnerID, gDataYear);
    out() << "  the learner-year's section rows: " << rowsBefore << " before the pages, "
          << rowsAfter << " after their saves\n";
    if (rowsBefore <= 0 || rowsAfter != rowsBefore)
        ++gFailures;

    // The roll-over of the previous year for all current learners; between
    // runs the copied year is deleted again.
    QString reset;
    for (const char* table : kRolloverTables)
        reset += QString("DELETE FROM %1 WHERE Data_Year = %2;").arg(table).arg(kToday.year());
    rawExec(path, reset);
    QString rolled;
    figures << timeIt(
        "Roll-over of the previous year (AppendInfo)", runs, kRolloverTarget,
        [&] {
            AppendInfo();
            rolled = gLastMessage;
        },
        {}, [&] { rawExec(path, reset); });
    out() << "  roll-over: " << rolled << "\n";
    // Its limit: the least INSERT ... SELECT of the same rows for each table,
    // driven from the current learners through the learner-year index, in
    // one transaction.
    {
        QString rollSql = "BEGIN IMMEDIATE;";
        RawDb db(path);
        for (const char* table : kRolloverTables) {
            QStringList columns =
                db.column(QString("SELECT name FROM pragma_table_info('%1') WHERE name <> 'ID' "
                                  "ORDER BY cid")
                              .arg(table),
                          true);
            rollSql += appendInfoSql(table, columns, kToday.year()) + ";";
        }
        rollSql += "COMMIT";
        addLimit(
            figures.last(), path, runs, [&](RawDb& raw) { raw.run(rollSql); },
            [&] { rawExec(path, reset); });
    }

    figures << measureSelectionWindow(path, runs);
    figures << measureReports(path, runs);
    figures << measurePrintAndExport(path);

    window.reset();
    figures << peakMemory("Peak memory (ru_maxrss), whole run", kMemoryTarget);
    return figures;
}

// The list-report window alone, on a school of background rows.
QList<Figure> measureWindowOnly(const QString& path, int runs) {
    gDbPath = path;
    SaveSetting("MarvikEmis", "Startup", "Database", path);
    gDataYear = qint16(kToday.year() - 1);
    return measureSelectionWindow(path, runs);
}

void setUpHeadless(QTemporaryDir& settingsDir) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_RUNTIME_DIR", settingsDir.path().toUtf8());
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (auto scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, settingsDir.path());
}

// ---- in the parent process ------------------------------------------------

struct SizeResult {
    int learners = 0;
    QJsonObject school;
    QList<Figure> figures;
    QString loadBefore, loadAfter; // the machine's load average around the measuring
};

// The one-minute load average: other work on the machine slows the figures,
// the saves' disk syncs most of all.
QString loadAverage() {
    QFile f("/proc/loadavg");
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(' ', 0, 0)
                                       : QStringLiteral("?");
}

QString machineText() {
    QString cpu;
    QFile cpuinfo("/proc/cpuinfo");
    if (cpuinfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : cpuinfo.readAll().split('\n')) {
            if (line.startsWith("model name")) {
                cpu = QString::fromUtf8(line.mid(line.indexOf(':') + 1)).trimmed();
                break;
            }
        }
    }
    QString memory;
    QFile meminfo("/proc/meminfo");
    if (meminfo.open(QIODevice::ReadOnly)) {
        const QByteArray first = meminfo.readLine();
        memory = QString::number(
                     first.simplified().split(' ').value(1).toLongLong() / 1024 / 1024.0, 'f', 1) +
                 " GB";
    }
    return QString("%1 CPUs (nproc), %2, %3 memory; %4; Qt %5, SQLite %6")
        .arg(QThread::idealThreadCount())
        .arg(cpu, memory, QSysInfo::prettyProductName(), qVersion(), sqlite3_libversion());
}

QString fmt(const Figure& f, double v) {
    return QString::number(v, 'f', v < 10 ? 2 : 1) + " " + f.unit;
}

QString limitText(const Figure& f) {
    if (f.limit <= 0)
        return QString();
    return QString::number(f.limit, 'f', f.limit < 10 ? 2 : 1) + " ms" +
           (f.limitNote.isEmpty() ? QString() : " (" + f.limitNote + ")");
}

QString ratioText(const Figure& f) {
    return f.limit > 0 ? QString::number(f.median / f.limit, 'f', 1) + "x" : QString();
}

QString headlineTable(const SizeResult& r) {
    QString t = "| measure | median | min | max | limit | program / limit | target | |\n"
                "|---|---:|---:|---:|---:|---:|---:|---|\n";
    for (const Figure& f : r.figures) {
        t += QString("| %1 | %2 | %3 | %4 | %5 | %6 | %7 | %8 |\n")
                 .arg(f.name.trimmed().startsWith("of which") ? "&nbsp;&nbsp;" + f.name.trimmed()
                                                              : f.name)
                 .arg(fmt(f, f.median), fmt(f, f.min), fmt(f, f.max), limitText(f), ratioText(f),
                      f.hasTarget() ? "< " + QString::number(f.target) + " " + f.unit : "",
                      f.hasTarget() ? (f.met() ? "met" : "**MISSED**") : "");
    }
    return t;
}

// Each figure at each size, with its limit and the ratio program / limit,
// and how it grew from the first size to the last.
QString growthTable(const QList<SizeResult>& results) {
    QString t = "| measure (median) |";
    QString rule = "|---|";
    for (const SizeResult& r : results) {
        t += QString(" %1 learners |").arg(r.learners);
        rule += "---:|";
    }
    t += QString(" %1 / %2 |\n").arg(results.back().learners).arg(results.front().learners);
    rule += "---:|";
    t += rule + "\n";
    for (int i = 0; i < results.front().figures.size(); ++i) {
        const Figure& f = results.front().figures[i];
        t += "| " + f.name.trimmed() + " |";
        for (const SizeResult& r : results) {
            QString cell;
            if (i < r.figures.size()) {
                const Figure& g = r.figures[i];
                cell = fmt(g, g.median);
                if (g.limit > 0)
                    cell += " (limit " + limitText(g) + ", " + ratioText(g) + ")";
            }
            t += " " + cell + " |";
        }
        const Figure* last =
            i < results.back().figures.size() ? &results.back().figures[i] : nullptr;
        t += " " +
             (last && f.median > 0 ? QString::number(last->median / f.median, 'f', 1) + "x"
                                   : QString()) +
             " |\n";
    }
    return t;
}

// The targets for a large school, at 10,000 learners (or the largest size
// measured below it), and how the peak memory grows beyond it.
QString targetsTable(const QList<SizeResult>& results) {
    const SizeResult* large = &results.back();
    for (const SizeResult& r : results)
        if (r.learners <= kLargeSchool)
            large = &r;
    const SizeResult& big = *large;
    const SizeResult& small = results.front();
    const auto find = [](const SizeResult& r, const QString& name) -> const Figure* {
        for (const Figure& f : r.figures)
            if (f.name == name)
                return &f;
        return nullptr;
    };
    QString t = QString("| at %1 learners | figure | limit | target | |\n|---|---:|---:|---|---|\n")
                    .arg(big.learners);
    const auto row = [&](const QString& name, const QString& target, bool met) {
        const Figure* f = find(big, name);
        if (!f)
            return;
        t += QString("| %1 | %2 | %3 | %4 | %5 |\n")
                 .arg(name, fmt(*f, f->median), limitText(*f), target, met ? "met" : "**MISSED**");
    };
    const auto under = [&](const QString& name, double target) {
        const Figure* f = find(big, name);
        row(name, "< " + QString::number(target) + " " + (f ? f->unit : QString()),
            f && f->median < target);
    };
    const auto withinLimit = [&](const QString& name, double ratio) {
        const Figure* f = find(big, name);
        if (f)
            row(name,
                QString("within %1x of its limit (%2x)")
                    .arg(ratio)
                    .arg(f->limit > 0 ? f->median / f->limit : 0, 0, 'f', 2),
                f->limit > 0 && f->median <= ratio * f->limit);
    };
    const QString one = "Report: learner profile, one learner, last page shown";
    const Figure* oneBig = find(big, one);
    const Figure* oneSmall = find(small, one);
    under(one, 50);
    if (oneBig && oneSmall)
        row(one,
            QString("at most 1.5x its %1 at %2 learners (%3x)")
                .arg(fmt(*oneSmall, oneSmall->median))
                .arg(small.learners)
                .arg(oneBig->median / oneSmall->median, 0, 'f', 2),
            oneBig->median <= 1.5 * oneSmall->median);
    under("Report: learner profile, all learners, first page shown", 1000);
    withinLimit("Report: learner profile, all learners, last page shown", 1.5);
    under("Peak memory (ru_maxrss), whole run", kMemoryTarget);
    under("Report: score summary, all learners, last page shown", 300);
    under("Report: learners per barrier, all learners, last page shown", 60);
    under("Report: learners per provider, all learners, last page shown", 60);
    under("Start-up to a filled list", 60);
    withinLimit("Roll-over of the previous year (AppendInfo)", 1.2);
    // Beyond the large school, the peak memory grows by less than 10 MB for
    // every 1,000 learners more.
    const QString memory = "Peak memory (ru_maxrss), whole run";
    const Figure* atLarge = find(big, memory);
    const Figure* atLargest = find(results.back(), memory);
    if (atLarge && atLargest && results.back().learners > big.learners) {
        const double perThousand = (atLargest->median - atLarge->median) /
                                   ((results.back().learners - big.learners) / 1000.0);
        t += QString("| Peak memory growth from %1 to %2 learners | %3 MB per 1,000 learners | | "
                     "< 10 MB per 1,000 learners | %4 |\n")
                 .arg(big.learners)
                 .arg(results.back().learners)
                 .arg(perThousand, 0, 'f', 1)
                 .arg(perThousand < 10 ? "met" : "**MISSED**");
    }
    return t;
}

QString schoolLine(const SizeResult& r) {
    const QJsonObject& s = r.school;
    return QString("- %1 listed learners (+ %2 archived, %3 not listed): %4 host rows, %5 "
                   "assessment rows over 15 data years, file %6 MB, generated in %7; "
                   "measured while the load average went from %8 to %9\n")
        .arg(r.learners)
        .arg(s["archived"].toInt())
        .arg(s["notListed"].toInt())
        .arg(qint64(s["learnerRows"].toDouble()))
        .arg(qint64(s["assessmentRows"].toDouble()))
        .arg(s["fileBytes"].toDouble() / 1e6, 0, 'f', 1)
        .arg(QString::number(s["seconds"].toDouble(), 'f', 1) + " s" +
             (s["reused"].toBool() ? QStringLiteral(" (by an earlier run, measured again)")
                                   : QString()))
        .arg(r.loadBefore, r.loadAfter);
}

// Replaces the part of BENCHMARKS.md between the markers, keeping the rest.
void writeReport(const QString& path, const QString& body) {
    const QString begin = "<!-- rer_bench:begin -->", end = "<!-- rer_bench:end -->";
    QString text;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        text = QString::fromUtf8(file.readAll());
    file.close();
    const qsizetype b = text.indexOf(begin), e = text.indexOf(end);
    const QString block = begin + "\n" + body + end;
    if (b >= 0 && e > b)
        text.replace(b, e + end.size() - b, block);
    else
        text = "# Benchmarks\n\n" + block + "\n" + text;
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toUtf8());
}

bool runChild(const QStringList& args, QByteArray* stdoutText) {
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(QCoreApplication::applicationFilePath(), args);
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        QTextStream(stderr) << "rer_bench " << args.join(' ') << " failed:\n"
                            << p.readAllStandardError();
        return false;
    }
    const QByteArray err = p.readAllStandardError();
    if (!err.isEmpty())
        QTextStream(stderr) << err;
    *stdoutText = p.readAllStandardOutput();
    return true;
}

// Generates a school (or, with reuse, keeps the one an earlier run left
// with the same parameters) and tells what the generator wrote.
bool generate(const QStringList& args, const QString& db, bool reuse, QJsonObject& school) {
    QFile described(db + ".school.json");
    if (reuse && QFileInfo::exists(db) && described.open(QIODevice::ReadOnly)) {
        const QJsonObject o = QJsonDocument::fromJson(described.readAll()).object();
        described.close();
        if (o["args"].toString() == args.join(' ')) {
            school = o;
            school["reused"] = true;
            return true;
        }
    }
    QByteArray text;
    if (!runChild(args, &text))
        return false;
    school = QJsonDocument::fromJson(text).object();
    school["args"] = args.join(' ');
    if (described.open(QIODevice::WriteOnly | QIODevice::Truncate))
        described.write(QJsonDocument(school).toJson());
    // The generator's writes reach the disk first, so that they do not
    // stall the measured saves' syncs.
    ::sync();
    return true;
}

// Runs a measuring child; its figures, or false when it failed or reported
// failures.
bool measureChild(const QStringList& args, const QString& json, const QString& what,
                  QList<Figure>& figures) {
    QByteArray text;
    if (!runChild(args + QStringList{"--json", json}, &text))
        return false;
    out() << text;
    QFile f(json);
    f.open(QIODevice::ReadOnly);
    const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
    if (o["failures"].toInt() > 0) {
        QTextStream(stderr) << what << ": " << o["failures"].toInt()
                            << " failures (error reports, refused saves, saves that did not "
                               "write back what was loaded, rows other than the least SQL's); "
                               "the figures are not valid\n";
        return false;
    }
    for (const QJsonValue& v : o["figures"].toArray())
        figures << Figure::fromJson(v.toObject());
    return true;
}

struct YearsResult {
    int years = 0;
    int learners = 0;
    QJsonObject school;
    QList<Figure> figures;
};

// The list-report window on schools that differ only in the years kept.
QString yearsTable(const QList<YearsResult>& results) {
    QString t = "| data years kept | rows of the background table | file | window opened, first "
                "time | window opened (median) | limit | program / limit |\n"
                "|---:|---:|---:|---:|---:|---:|---:|\n";
    for (const YearsResult& r : results) {
        if (r.figures.size() < 2)
            continue;
        const Figure& first = r.figures[0];
        const Figure& again = r.figures[1];
        t += QString("| %1 | %2 | %3 MB | %4 | %5 | %6 | %7 |\n")
                 .arg(r.years)
                 .arg(qint64(r.school["assessmentRows"].toDouble()))
                 .arg(r.school["fileBytes"].toDouble() / 1e6, 0, 'f', 1)
                 .arg(fmt(first, first.median), fmt(again, again.median), limitText(again),
                      ratioText(again));
    }
    if (results.size() > 1 && results.front().figures.size() > 1 &&
        results.back().figures.size() > 1)
        t +=
            QString("\nOpened at %1 data years in %2x the time at %3 (the limit %4x).\n")
                .arg(results.back().years)
                .arg(results.back().figures[1].median / results.front().figures[1].median, 0, 'f',
                     2)
                .arg(results.front().years)
                .arg(results.back().figures[1].limit / results.front().figures[1].limit, 0, 'f', 2);
    return t;
}

int runParent(const BenchOptions& options, const QString& reportPath, const QString& workDir) {
    const int runs = options.runs;
    QList<SizeResult> results;
    for (int n : options.sizes) {
        const QString db = QDir(workDir).filePath(QString("school-%1.db").arg(n));
        out() << "== " << n << " learners: generating " << db << "\n";
        out().flush();
        SizeResult r;
        r.learners = n;
        if (!generate({"--generate", QString::number(n), db}, db, options.reuse, r.school))
            return 1;
        out() << "== " << n << " learners: measuring (" << runs << " runs each)\n";
        out().flush();
        r.loadBefore = loadAverage();
        if (!measureChild({"--measure", db, "--runs", QString::number(runs)}, db + ".json",
                          QString("%1 learners").arg(n), r.figures))
            return 1;
        r.loadAfter = loadAverage();
        results << r;
    }
    // The schools of the years kept: the largest size up to 10,000 learners.
    int yearsLearners = 0;
    for (int n : options.sizes)
        if (n <= kYearsSchool)
            yearsLearners = qMax(yearsLearners, n);
    if (yearsLearners == 0)
        yearsLearners = kYearsSchool;
    QList<YearsResult> years;
    for (int y : options.years) {
        const QString db =
            QDir(workDir).filePath(QString("school-%1-years-%2.db").arg(yearsLearners).arg(y));
        out() << "== " << yearsLearners << " learners, " << y << " data years: generating " << db
              << "\n";
        out().flush();
        YearsResult r;
        r.years = y;
        r.learners = yearsLearners;
        if (!generate(
                {"--generate", QString::number(yearsLearners), db, "--years", QString::number(y)},
                db, options.reuse, r.school))
            return 1;
        if (!measureChild({"--measure-window", db, "--runs", QString::number(runs)}, db + ".json",
                          QString("%1 data years").arg(y), r.figures))
            return 1;
        years << r;
    }

    const SizeResult* headline = &results.front();
    for (const SizeResult& r : results)
        if (r.learners == kHeadlineSize)
            headline = &r;

    QString body;
    body += "Written by `rer_bench` (bench/); run `build/bench/rer_bench` to measure again.\n\n";
    body += "Machine: " + machineText() + ".\n\n";
    body += QString("## At %1 learners\n\nEach figure is the median of %2 runs after one "
                    "warm-up run, with the fastest and slowest run.\n\n")
                .arg(headline->learners)
                .arg(runs);
    body += headlineTable(*headline) + "\n";
    if (results.size() > 1) {
        body += "## How the cost grows\n\nEach figure with its limit (the least SQL for the same "
                "rows, timed in the same run) and the ratio program / limit; the last column is "
                "the figure at the largest size over the figure at the smallest.\n\n" +
                growthTable(results) + "\n";
        body += "## Targets for a large school\n\n" + targetsTable(results) + "\n";
    }
    if (!years.isEmpty())
        body += QString("## The list-report window and the years kept\n\nSchools of %1 listed "
                        "learners that keep only their background rows (all the window reads), "
                        "of so many data years ending in %2; the window opened as the report menu "
                        "opens it, its barrier and provider lists filled, beside the least SQL of "
                        "the two lists.\n\n")
                    .arg(yearsLearners)
                    .arg(kToday.year() - 1) +
                yearsTable(years) + "\n";
    body += "## The synthetic schools\n\n";
    for (const SizeResult& r : results)
        body += schoolLine(r);
    body += "\n";

    out() << "\n" << headlineTable(*headline) << "\n";
    if (results.size() > 1)
        out() << growthTable(results) << "\n" << targetsTable(results) << "\n";
    if (!years.isEmpty())
        out() << yearsTable(years) << "\n";
    writeReport(reportPath, body);
    out() << "written to " << reportPath << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    BenchOptions options;
    QString error;
    if (!parseBenchOptions(args, options, error)) {
        QTextStream(stderr) << "rer_bench: " << error << "\nTry 'rer_bench --help'.\n";
        return 2;
    }
    if (options.mode == BenchOptions::Mode::Help) {
        out() << benchUsage();
        return 0;
    }

    QTemporaryDir settingsDir;
    setUpHeadless(settingsDir);
    QApplication app(argc, argv);
    // The program's own fonts, as it draws with them when it runs.
    fonts::install();
    answerBoxes();
    setClockOverride(kToday);
    setEndProgramHook([] { QTextStream(stderr) << "the program asked to end\n"; });

    if (options.mode == BenchOptions::Mode::Generate) {
        const SchoolSize size =
            options.generateYears > 0
                ? SchoolSize::backgroundYears(options.generateLearners, options.generateYears,
                                              kToday.year())
                : SchoolSize::forLearners(options.generateLearners, kToday.year());
        const GeneratedSchool s = generateSchool(options.path, size, RER_DEMO_SQL);
        const QJsonObject o{{"archived", size.archived},
                            {"notListed", size.notListed},
                            {"learnerRows", double(s.learnerRows)},
                            {"assessmentRows", double(s.assessmentRows)},
                            {"fileBytes", double(s.fileBytes)},
                            {"seconds", s.seconds}};
        out() << QJsonDocument(o).toJson(QJsonDocument::Compact);
        return gFailures ? 1 : 0;
    }
    if (options.mode == BenchOptions::Mode::Measure ||
        options.mode == BenchOptions::Mode::MeasureWindow) {
        const QList<Figure> figures = options.mode == BenchOptions::Mode::Measure
                                          ? measure(options.path, options.runs)
                                          : measureWindowOnly(options.path, options.runs);
        QJsonArray list;
        for (const Figure& f : figures)
            list.append(f.toJson());
        QFile json(options.json.isEmpty() ? options.path + ".json" : options.json);
        json.open(QIODevice::WriteOnly | QIODevice::Truncate);
        json.write(QJsonDocument(QJsonObject{{"figures", list}, {"failures", gFailures}}).toJson());
        return 0;
    }

    QTemporaryDir scratch;
    const QString workDir = options.work.isEmpty() ? scratch.path() : options.work;
    QDir().mkpath(workDir);
    return runParent(options, options.out.isEmpty() ? RER_SOURCE_DIR "/BENCHMARKS.md" : options.out,
                     workDir);
}
