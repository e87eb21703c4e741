// A user without a mouse, from start-up to a saved page and an opened report:
// the program's own windows, shown modally one over the other as they are in
// a run, worked only with keys (Tab, the arrows, Space, typing and Enter).
#include "tests/common/fixture.h"
#include "tests/common/pdf.h"
#include "tests/common/user.h"

#include "pages/assessmentpage.h"
#include "platform/grid.h"
#include "platform/printer.h"
#include "platform/reportviewer.h"
#include "platform/runtime.h"
#include "profile/frmbackgroundinfo.h"
#include "profile/profileforms.h"
#include "reports/frmbarrierselect.h"
#include "reports/frmreportselect.h"
#include "reports/frmreportview.h"
#include "reports/reportforms.h"
#include "services/endprogram.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "support/supportforms.h"
#include "workspace/frmrer_main.h"
#include "workspace/frmselectlearner.h"
#include "workspace/frmselectyear.h"
#include "workspace/workspaceforms.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>

namespace {

// The user's hands on the windows as they come: each step waits for its
// window (by class) to be the active modal one, then presses its keys. The
// last key of a step (lastKey) may open the next window, which runs inside
// it, so the next step is set going before that key.
class Hands {
public:
    struct Step {
        QString window;
        std::function<void(QWidget*)> keys;
        std::function<bool(QWidget*)> ready = {};
    };

    explicit Hands(QList<Step> steps) : m_steps(std::move(steps)) {}

    // Runs start (which shows the first window modally) with the steps.
    void run(const std::function<void()>& start) {
        m_clock.start();
        QTimer::singleShot(0, [this] { poll(); });
        start();
    }
    void lastKey(Qt::Key key) {
        QTimer::singleShot(0, [this] { poll(); });
        user::key(key);
    }
    int done() const { return m_done; }
    QString waitingFor() const { return m_done < m_steps.size() ? m_steps[m_done].window : ""; }

private:
    void poll() {
        if (m_done >= m_steps.size())
            return;
        QWidget* modal = QApplication::activeModalWidget();
        if (m_clock.hasExpired(60000)) {
            // Given up: every window is closed, so the run ends.
            ADD_FAILURE() << "no " << waitingFor().toStdString() << " came";
            m_done = int(m_steps.size());
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
                    dialog->done(QDialog::Rejected);
            return;
        }
        const Step& step = m_steps[m_done];
        if (!modal || QString(modal->metaObject()->className()) != step.window ||
            (step.ready && !step.ready(modal))) {
            QTimer::singleShot(20, [this] { poll(); });
            return;
        }
        if (QApplication::activeWindow() != modal) {
            // The window system gives a newly shown window the keyboard.
            modal->activateWindow();
            QApplication::setActiveWindow(modal);
        }
        ++m_done;
        step.keys(modal);
    }

    QList<Step> m_steps;
    int m_done = 0;
    QElapsedTimer m_clock;
};

class Journey : public DemoDbTest {
protected:
    void SetUp() override {
        DemoDbTest::SetUp();
        SaveSetting("MarvikEmis", "Startup", "Database", dbPath);
        setClockOverride(QDate(2026, 3, 1));
        registerWorkspaceForms();
        registerProfileForms();
        registerSupportForms();
        registerReportForms();
        // Done on the learner list ends the run: its window goes.
        setEndProgramHook([this] {
            ++ends;
            if (QWidget* modal = QApplication::activeModalWidget())
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->done(QDialog::Rejected);
        });
    }
    void TearDown() override {
        setEndProgramHook({});
        setClockOverride(std::nullopt);
        CloseConnection();
        DemoDbTest::TearDown();
    }
    int ends = 0;
};

TEST_F(Journey, FromStartUpToASavedPageAndAnOpenedReportWithTheKeysAlone) {
    QString reportText;
    Hands* hands = nullptr;
    const auto last = [&](Qt::Key key) { hands->lastKey(key); };
    Hands h({
        // The data year: the list has the focus; Enter continues with this year.
        {"frmSelectYear", [&](QWidget*) { last(Qt::Key_Return); }},
        // The list: to O'NEILL Lerato with the arrows, Space chooses her.
        {"frmSelectLearner",
         [&](QWidget* w) {
             auto* list = static_cast<frmSelectLearner*>(w);
             user::tabTo(list->gridLearner);
             for (int r = 1; list->gridLearner->GetText(3, r) != "006" && r < 40; ++r)
                 user::key(Qt::Key_Down);
             user::key(Qt::Key_Space);
             EXPECT_EQ(gLearnerName, "O'NEILL Lerato");
             user::tabTo(list->cmdSupport);
             last(Qt::Key_Return);
         }},
        // The menu: Stage 1, then Section 1.
        {"frmRER_Main",
         [&](QWidget* w) {
             auto* menu = static_cast<frmRER_Main*>(w);
             user::tabTo(menu->cmdStage1);
             user::key(Qt::Key_Return);
             user::tabTo(menu->cmdBackground);
             last(Qt::Key_Return);
         }},
        // The page: into the first grid, two texts, Save, Main Menu.
        {"frmBackgroundInfo",
         [&](QWidget* w) {
             auto* page = static_cast<frmBackgroundInfo*>(w);
             user::tabTo(page->gridEarlyIntervention);
             user::type("Speech therapy");
             user::key(Qt::Key_Tab);
             user::type("Keyboard Clinic");
             user::key(Qt::Key_Tab);
             EXPECT_TRUE(page->cmdSave->isUnsaved());
             user::tabTo(page->cmdSave);
             user::key(Qt::Key_Return);
             EXPECT_FALSE(page->cmdSave->isUnsaved());
             user::tabTo(page->cmdMenu);
             last(Qt::Key_Return);
         }},
        {"frmRER_Main",
         [&](QWidget* w) {
             user::tabTo(static_cast<frmRER_Main*>(w)->cmdMainMenu);
             last(Qt::Key_Return);
         }},
        // Back on the list: Reports, the list per provider, Print Report.
        {"frmSelectLearner",
         [&](QWidget* w) {
             user::tabTo(static_cast<frmSelectLearner*>(w)->cmdReports);
             last(Qt::Key_Return);
         }},
        {"frmReportSelect",
         [&](QWidget* w) {
             user::tabTo(static_cast<frmReportSelect*>(w)->cmdListPerResponsiblePerson);
             last(Qt::Key_Return);
         }},
        {"frmBarrierSelect",
         [&](QWidget* w) {
             user::tabTo(static_cast<frmBarrierSelect*>(w)->cmdPrint);
             last(Qt::Key_Return);
         }},
        // The report is open: what it shows is read back, then Done.
        {"frmReportview",
         [&](QWidget* w) {
             auto* viewer = static_cast<frmReportview*>(w);
             const std::shared_ptr<report::Report> shown = viewer->CRViewer1->reportSource();
             EXPECT_TRUE(shown);
             if (shown) {
                 const QString pdf = dir.filePath("journey.pdf");
                 Printer printer;
                 shown->preparePrinter(printer);
                 printer.qprinter().setOutputFormat(QPrinter::PdfFormat);
                 printer.qprinter().setOutputFileName(pdf);
                 shown->print(printer);
                 reportText = pdfText(pdf).simplified();
             }
             user::tabTo(viewer->cmdDone);
             last(Qt::Key_Return);
         },
         [](QWidget* w) { return static_cast<frmReportview*>(w)->CRViewer1->pageCount() > 0; }},
        {"frmBarrierSelect",
         [&](QWidget* w) {
             user::tabTo(static_cast<frmBarrierSelect*>(w)->cmdDone);
             last(Qt::Key_Return);
         }},
        {"frmReportSelect",
         [&](QWidget* w) {
             user::tabTo(static_cast<frmReportSelect*>(w)->cmdDone);
             last(Qt::Key_Return);
         }},
        // Done ends the program.
        {"frmSelectLearner",
         [&](QWidget* w) {
             user::tabTo(static_cast<frmSelectLearner*>(w)->cmdMenu);
             last(Qt::Key_Return);
         }},
    });
    hands = &h;
    h.run([] {
        frmSelectYear start;
        start.exec();
    });

    EXPECT_EQ(h.waitingFor(), "");
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(gDataYear, 2026);
    // The page was saved ...
    EXPECT_EQ(rawRows(dbPath,
                      "SELECT Nature_Of_Support_Received, Name_Of_Provider FROM "
                      "TAV_Learner_Background_Info WHERE LearnerID = 2 AND Data_Year = 2026"),
              QStringList({"Speech therapy|Keyboard Clinic"}));
    QStringList messages;
    for (const msgbox::Shown& b : boxes())
        messages << b.text;
    EXPECT_TRUE(messages.contains("Your Information has been saved."))
        << messages.join(" | ").toStdString();
    // ... and the report opened on it lists her under the provider.
    EXPECT_TRUE(reportText.contains("Keyboard Clinic")) << reportText.toStdString();
    EXPECT_TRUE(reportText.contains("006 O'Neill Lerato Grade 1")) << reportText.toStdString();
}

} // namespace
