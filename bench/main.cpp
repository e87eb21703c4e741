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
#include "bench/measure.h"
#include "bench/options.h"
#include "bench/pages.h"
#include "pages/assessmentpage.h"
#include "platform/fonts.h"
#include "platform/grid.h"
#include "platform/jetdialect.h"
#include "platform/messagebox.h"
#include "platform/runtime.h"
#include "reports/clssql.h"
#include "reports/frmbarrierselect.h"
#include "reports/frmreportview.h"
#include "services/checktables.h"
#include "services/endprogram.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "workspace/frmselectlearner.h"
#include "workspace/rollover.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
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

// Error reports shown, and checks of the run that failed.
int gFailures = 0;
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
//
// A connection of its own on the file with the dialect's functions, and no
// data-access layer, record set or window: each statement is prepared and
// stepped, and every value of every row is read.
class RawDb {
public:
    explicit RawDb(const QString& path) {
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        registerJetFunctions(m_db);
    }
    ~RawDb() { sqlite3_close_v2(m_db); }
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;

    // Runs every statement of a text in the host's dialect; the rows read.
    qint64 run(const QString& jetSql) {
        const QByteArray utf8 = translateJetSql(jetSql).toUtf8();
        const char* tail = utf8.constData();
        const char* end = tail + utf8.size();
        qint64 rows = 0;
        while (tail < end) {
            sqlite3_stmt* st = nullptr;
            if (sqlite3_prepare_v2(m_db, tail, int(end - tail), &st, &tail) != SQLITE_OK) {
                QTextStream(stderr) << "limit sql failed: " << sqlite3_errmsg(m_db) << "\n";
                ++gFailures;
                return rows;
            }
            if (!st)
                continue;
            const int columns = sqlite3_column_count(st);
            qint64 bytes = 0;
            while (sqlite3_step(st) == SQLITE_ROW) {
                ++rows;
                for (int i = 0; i < columns; ++i) {
                    if (sqlite3_column_type(st, i) == SQLITE_TEXT)
                        bytes += sqlite3_column_bytes(st, i) + (sqlite3_column_text(st, i) ? 1 : 0);
                    else
                        bytes += sqlite3_column_int64(st, i);
                }
            }
            m_sink += bytes;
            sqlite3_finalize(st);
        }
        return rows;
    }
    // The first column of a query's rows, in the host's dialect or, when
    // plain, in SQLite's.
    QStringList column(const QString& sql, bool plain = false) {
        QStringList out;
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(m_db, (plain ? sql : translateJetSql(sql)).toUtf8().constData(), -1, &st,
                           nullptr);
        while (st && sqlite3_step(st) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        return out;
    }

private:
    sqlite3* m_db = nullptr;
    qint64 m_sink = 0; // what was read, so that nothing is left unread
};

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

// One report as the viewer builds it when it opens: its queries, the data
// it computes and the report laid out in the viewer.
Figure timeReport(const QString& name, int runs, const QString& mode, const QString& sql,
                  const QString& repVar) {
    ReportviewProperties& p = frmReportview::Default();
    std::unique_ptr<frmReportview> viewer;
    gLastMessage.clear();
    const Figure f = timeIt(
        name, runs, 0, [&] { viewer->Form_Load(); },
        [&] {
            p.ReportMode = mode;
            p.SQL = sql;
            p.RepVar = repVar;
            p.RepGrade = false;
            viewer = std::make_unique<frmReportview>();
        },
        [&] {
            viewer->Form_Unload();
            viewer.reset();
        });
    // The runners tell a failure in a plain message box.
    if (!gLastMessage.isEmpty()) {
        QTextStream(stderr) << name << ": " << gLastMessage << "\n";
        ++gFailures;
    }
    return f;
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

// The four reports for the whole school in the data year, and the learner
// profile of the learner in use; each beside its limit, its queries alone.
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
    const auto withLimit = [&](Figure f, const std::function<QStringList(RawDb&)>& sql) {
        QStringList texts;
        {
            RawDb db(path);
            texts = sql(db);
        }
        addLimit(f, path, runs, [&](RawDb& db) {
            for (const QString& text : texts)
                db.run(text);
        });
        return f;
    };
    figures << withLimit(timeReport("Report: learners per barrier, all learners", runs,
                                    "LearnerSummary", summarySql, QString()),
                         [&](RawDb&) { return QStringList{summarySql}; });
    figures << withLimit(timeReport("Report: learners per provider, all learners", runs,
                                    "LearnerList", listSql, QString()),
                         [&](RawDb&) { return QStringList{listSql}; });
    figures << withLimit(timeReport("Report: learner profile, one learner", runs, "MainReport",
                                    QString(), gAccessionNo),
                         [&](RawDb& db) { return profileSql(db, gAccessionNo); });
    figures << withLimit(timeReport("Report: learner profile, all learners", runs, "MainReport",
                                    QString(), QString()),
                         [&](RawDb& db) { return profileSql(db, QString()); });
    figures << withLimit(timeReport("Report: score summary, all learners", runs, "ScoreSummary",
                                    QString(), QString()),
                         [&](RawDb&) {
                             const QString learners = scoreSummaryLearnerQuery(false, QString());
                             return QStringList{learners,
                                                scoreSummaryScoresQuery(learners, gReportYear),
                                                scoreSummaryRatingsQuery(learners, gReportYear)};
                         });
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
    QString saveLimitSql;
    {
        RawDb db(path);
        const QStringList scores = db.column(
            "SELECT '(' || LearnerID || ', ' || Sub_Section || ', ' || IFNULL(Score, 'NULL') || "
            "', ' || Data_Year || ')' FROM TAV_Criteria_For_Selection" +
                learnerYear + " ORDER BY ID",
            true);
        saveLimitSql =
            "BEGIN IMMEDIATE; DELETE FROM TAV_Criteria_For_Selection" + learnerYear + ";";
        if (!scores.isEmpty())
            saveLimitSql +=
                "INSERT INTO TAV_Criteria_For_Selection (LearnerID, Sub_Section, Score, "
                "Data_Year) VALUES " +
                scores.join(", ") + ";";
        saveLimitSql += "COMMIT";
    }
    Figure loadLimit, saveLimit;
    addLimit(loadLimit, path, runs, [&](RawDb& db) { db.run(loadLimitSql); });
    addLimit(saveLimit, path, runs, [&](RawDb& db) { db.run(saveLimitSql); });
    for (const BenchPage& page : benchPages()) {
        std::unique_ptr<AssessmentPage> form;
        figures << timeIt(
            page.name + " open (window made)", runs, 0, [&] { form = page.make(); }, {},
            [&] { form.reset(); });
        // Load: what showing the page runs, its Form_Load and Form_Activate.
        figures << timeIt(
            page.name + " load", runs, kLoadTarget,
            [&] {
                form->Form_Load();
                form->Form_Activate();
            },
            [&] { form = page.make(); }, [&] { form.reset(); });
        // Save: the loaded learner-year written back through the Save button.
        form = page.make();
        form->Form_Load();
        form->Form_Activate();
        gLastMessage.clear();
        figures.last().limit = loadLimit.limit;
        figures << timeIt(page.name + " save", runs, kSaveTarget, [&] {
            form->markUnsaved();
            form->cmdSave_Click();
        });
        figures.last().limit = saveLimit.limit;
        form.reset();
        // A save the page refused (after a failed load, say) would be no save.
        if (!gLastMessage.contains("saved", Qt::CaseInsensitive)) {
            QTextStream(stderr) << page.name << " did not save: " << gLastMessage << "\n";
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

    figures << measureReports(path, runs);

    window.reset();
    figures << peakMemory("Peak memory (ru_maxrss), whole run", kMemoryTarget);
    return figures;
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
    return f.limit > 0 ? QString::number(f.limit, 'f', f.limit < 10 ? 2 : 1) + " ms" : QString();
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

// The targets for a large school, at the largest size measured.
QString targetsTable(const QList<SizeResult>& results) {
    const SizeResult& big = results.back();
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
    const Figure* one = find(big, "Report: learner profile, one learner");
    const Figure* oneSmall = find(small, "Report: learner profile, one learner");
    under("Report: learner profile, one learner", 50);
    if (one && oneSmall)
        row("Report: learner profile, one learner",
            QString("at most 1.5x its %1 at %2 learners (%3x)")
                .arg(fmt(*oneSmall, oneSmall->median))
                .arg(small.learners)
                .arg(one->median / oneSmall->median, 0, 'f', 2),
            one->median <= 1.5 * oneSmall->median);
    under("Report: learner profile, all learners", 3000);
    under("Peak memory (ru_maxrss), whole run", 200);
    under("Report: score summary, all learners", 300);
    under("Report: learners per barrier, all learners", 60);
    under("Report: learners per provider, all learners", 60);
    under("Start-up to a filled list", 60);
    if (const Figure* roll = find(big, "Roll-over of the previous year (AppendInfo)"))
        row("Roll-over of the previous year (AppendInfo)",
            QString("within 1.2x of its limit (%1x)").arg(roll->median / roll->limit, 0, 'f', 2),
            roll->limit > 0 && roll->median <= 1.2 * roll->limit);
    return t;
}

QString schoolLine(const SizeResult& r) {
    const QJsonObject& s = r.school;
    return QString("- %1 listed learners (+ %2 archived, %3 not listed): %4 host rows, %5 "
                   "assessment rows over 15 data years, file %6 MB, generated in %7 s; "
                   "measured while the load average went from %8 to %9\n")
        .arg(r.learners)
        .arg(s["archived"].toInt())
        .arg(s["notListed"].toInt())
        .arg(qint64(s["learnerRows"].toDouble()))
        .arg(qint64(s["assessmentRows"].toDouble()))
        .arg(s["fileBytes"].toDouble() / 1e6, 0, 'f', 1)
        .arg(s["seconds"].toDouble(), 0, 'f', 1)
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

int runParent(const QList<int>& sizes, int runs, const QString& reportPath,
              const QString& workDir) {
    QList<SizeResult> results;
    for (int n : sizes) {
        const QString db = QDir(workDir).filePath(QString("school-%1.db").arg(n));
        out() << "== " << n << " learners: generating " << db << "\n";
        out().flush();
        QByteArray text;
        if (!runChild({"--generate", QString::number(n), db}, &text))
            return 1;
        SizeResult r;
        r.learners = n;
        r.school = QJsonDocument::fromJson(text).object();
        // The generator's writes reach the disk first, so that they do not
        // stall the measured saves' syncs.
        ::sync();
        out() << "== " << n << " learners: measuring (" << runs << " runs each)\n";
        out().flush();
        const QString json = db + ".json";
        r.loadBefore = loadAverage();
        if (!runChild({"--measure", db, "--runs", QString::number(runs), "--json", json}, &text))
            return 1;
        r.loadAfter = loadAverage();
        out() << text;
        QFile f(json);
        f.open(QIODevice::ReadOnly);
        const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
        if (o["failures"].toInt() > 0) {
            QTextStream(stderr) << n << " learners: " << o["failures"].toInt()
                                << " failures (error reports, refused saves, saves that did not "
                                   "write back what was loaded); the figures are not valid\n";
            return 1;
        }
        for (const QJsonValue& v : o["figures"].toArray())
            r.figures << Figure::fromJson(v.toObject());
        results << r;
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
    body += "## The synthetic schools\n\n";
    for (const SizeResult& r : results)
        body += schoolLine(r);
    body += "\n";

    out() << "\n" << headlineTable(*headline) << "\n";
    if (results.size() > 1)
        out() << growthTable(results) << "\n" << targetsTable(results) << "\n";
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
        const SchoolSize size = SchoolSize::forLearners(options.generateLearners, kToday.year());
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
    if (options.mode == BenchOptions::Mode::Measure) {
        const QList<Figure> figures = measure(options.path, options.runs);
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
    return runParent(options.sizes, options.runs,
                     options.out.isEmpty() ? RER_SOURCE_DIR "/BENCHMARKS.md" : options.out,
                     workDir);
}
