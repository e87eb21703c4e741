// rer_snapshots: pictures of everything the program shows and prints, to see
// that a change meant to alter nothing alters nothing. Not part of the tests.
//
//     build/tools/rer_snapshots take DIR           # writes DIR/*.png
//     build/tools/rer_snapshots compare DIR1 DIR2  # exit 0 when every picture is equal
//
// take builds the demo school from demo/school.sql in a temporary folder,
// headless (QT_QPA_PLATFORM=offscreen) with the program's own fonts, the
// clock fixed and the demo learner Zanele Dlamini chosen. It writes a
// screenshot of each registered page after its load (one a tab of a tabbed
// page), of the start-up, learner-list, menu and report-option windows, each
// page's print, and the five report runs (learner profile, whole-school
// profile, learners per barrier, learners per provider, score summary) shown
// in the viewer and printed: prints go to PDF and pdftoppm turns each sheet
// into a PNG. compare says which pictures of the two folders differ in
// pixels (or are missing from either).
#include "pages/assessmentpage.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/printdialog.h"
#include "platform/printer.h"
#include "platform/reportengine.h"
#include "platform/runtime.h"
#include "profile/profileforms.h"
#include "reports/frmbarrierselect.h"
#include "reports/frmreportoptions.h"
#include "reports/frmreportselect.h"
#include "reports/frmreportview.h"
#include "services/checktables.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "support/supportforms.h"
#include "workspace/frmrer_main.h"
#include "workspace/frmselectlearner.h"
#include "workspace/frmselectyear.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <sqlite3.h>

namespace {

QDir g_out;

bool createDemo(const QString& path) {
    QFile script(RER_DEMO_SQL);
    if (!script.open(QIODevice::ReadOnly))
        return false;
    sqlite3* db = nullptr;
    bool ok =
        sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK &&
        sqlite3_exec(db, script.readAll().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

void shoot(QWidget* w, const QString& name) {
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w);
    settle();
    w->grab().toImage().save(g_out.filePath(name + ".png"));
}

// Each sheet of the PDF as name-N.png (150 dpi).
void sheets(const QString& pdf, const QString& name) {
    QProcess p;
    p.start("pdftoppm", {"-png", "-r", "150", pdf, g_out.filePath(name)});
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        std::fprintf(stderr, "pdftoppm failed on %s\n", qPrintable(pdf));
    QFile::remove(pdf);
}

void pages() {
    registerProfileForms();
    registerSupportForms();
    for (auto make = registeredPages().cbegin(); make != registeredPages().cend(); ++make) {
        std::unique_ptr<AssessmentPage> page = make.value()();
        page->Form_Load();
        const QList<QTabWidget*> tabs = page->findChildren<QTabWidget*>();
        if (tabs.isEmpty()) {
            shoot(page.get(), make.key());
        } else {
            for (int t = 0; t < tabs.first()->count(); ++t) {
                tabs.first()->setCurrentIndex(t);
                shoot(page.get(), make.key() + "-tab" + QString::number(t + 1));
            }
            tabs.first()->setCurrentIndex(0);
        }
        const QString pdf = g_out.filePath(make.key() + ".pdf");
        printdialog::setAnswerer(printdialog::printToPdf(pdf));
        page->cmdPrint_Click();
        printdialog::setAnswerer({});
        sheets(pdf, make.key() + "-print");
        page->hide();
    }
}

void windows() {
    {
        frmSelectYear w;
        shoot(&w, "frmSelectYear");
    }
    {
        frmSelectLearner w;
        shoot(&w, "frmSelectLearner");
    }
    {
        frmRER_Main w;
        shoot(&w, "frmRER_Main");
    }
    {
        frmReportSelect w;
        shoot(&w, "frmReportSelect");
    }
    for (const char* mode : {"LearnerProfile", "LearnerScoreSummary"}) {
        gReportOptionsRequest = {gAccessionNo, mode};
        frmReportOptions w;
        shoot(&w, QString("frmReportOptions-") + mode);
    }
    for (const char* mode : {"LearnerSummary", "LearnerList"}) {
        gBarrierSelectRequest.FormMode = mode;
        frmBarrierSelect w;
        shoot(&w, QString("frmBarrierSelect-") + mode);
    }
}

void report(const QString& name, const QString& mode, const QString& repVar) {
    ReportviewProperties& p = frmReportview::Default();
    p = ReportviewProperties{};
    p.ReportMode = mode;
    p.RepVar = repVar;
    if (mode == "LearnerSummary" || mode == "LearnerList") {
        gBarrierSelectRequest.FormMode = mode;
        frmBarrierSelect select;
        select.setFormMode(mode);
        p.SQL = mode == "LearnerSummary" ? select.learnerSummaryQuery() : select.learnerListQuery();
    }
    frmReportview w;
    w.Form_Load();
    shoot(&w, "report-" + name);
    if (const auto rpt = w.shownReport()) {
        const QString pdf = g_out.filePath(name + ".pdf");
        Printer printer;
        rpt->preparePrinter(printer);
        printer.qprinter().setOutputFormat(QPrinter::PdfFormat);
        printer.qprinter().setOutputFileName(pdf);
        rpt->print(printer);
        sheets(pdf, "report-" + name + "-print");
    } else {
        std::fprintf(stderr, "no report for %s\n", qPrintable(name));
    }
    w.Form_Unload();
}

int take(const QString& dir) {
    g_out = QDir(dir);
    g_out.mkpath(".");
    QTemporaryDir temp;
    const QString db = temp.filePath("school.db");
    if (!createDemo(db)) {
        std::fprintf(stderr, "cannot build the demo school\n");
        return 1;
    }
    SaveSetting("MarvikEmis", "Startup", "Database", db);
    gDbPath = db;
    setClockOverride(QDate(QDate::currentDate().year(), 6, 15));
    if (!checkTables())
        return 1;
    gDataYear = qint16(QDate::currentDate().year());
    gReportYear = gDataYear;
    gLearnerID = 8;
    gLearnerName = "DLAMINI Zanele";
    gAccessionNo = "024";
    gBirthDate = "20151222";
    gSchoolName = "Kliprivier Combined School";
    gEmisCode = "700123456";
    pages();
    windows();
    report("profile", "MainReport", gAccessionNo);
    report("school-profile", "MainReport", "");
    report("per-barrier", "LearnerSummary", "");
    report("per-provider", "LearnerList", "");
    report("score-summary", "ScoreSummary", "");
    CloseConnection();
    std::printf("%lld pictures in %s\n", qlonglong(g_out.entryList({"*.png"}).size()),
                qPrintable(dir));
    return 0;
}

int compare(const QString& a, const QString& b) {
    QStringList names = QDir(a).entryList({"*.png"}) + QDir(b).entryList({"*.png"});
    names.removeDuplicates();
    names.sort();
    int differ = 0;
    for (const QString& name : names) {
        const QImage x(QDir(a).filePath(name)), y(QDir(b).filePath(name));
        if (x.isNull() || y.isNull() ||
            x.convertToFormat(QImage::Format_ARGB32) != y.convertToFormat(QImage::Format_ARGB32)) {
            std::printf("differs: %s\n", qPrintable(name));
            ++differ;
        }
    }
    std::printf("%lld pictures compared, %d differ\n", qlonglong(names.size()), differ);
    return differ == 0 && !names.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == "take") {
        if (!fonts::install())
            return 1;
        QApplication::setCursorFlashTime(0); // a caret that does not blink draws the same
        msgbox::setAnswerer(msgbox::answerDefault);
        return take(args[2]);
    }
    if (args.size() == 4 && args[1] == "compare")
        return compare(args[2], args[3]);
    std::fprintf(stderr, "usage: rer_snapshots take DIR | compare DIR1 DIR2\n");
    return 2;
}
