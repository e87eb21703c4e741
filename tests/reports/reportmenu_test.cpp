// The report menu: its year list, the year check of the two list reports and
// the windows each button opens with what it hands them.
#include "reports/frmbarrierselect.h"
#include "reports/frmreportoptions.h"
#include "reports/frmreportselect.h"
#include "reports/reportforms.h"
#include "tests/common/captions.h"
#include "tests/reports/reportmenutest.h"
#include "workspace/frmselectlearner.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

class ReportMenuWindowTest : public ReportMenuTest {
protected:
    void SetUp() override {
        ReportMenuTest::SetUp();
        opened.clear();
        // The next windows record the state they would load with.
        registerForm("frmBarrierSelect", [this] {
            opened << "frmBarrierSelect " + gBarrierSelectRequest.FormMode + " " +
                          QString::number(gReportYear);
            return QString();
        });
        registerForm("frmReportOptions", [this] {
            opened << "frmReportOptions " + gReportOptionsRequest.strReportName + " [" +
                          gReportOptionsRequest.txtAccession + "]";
            return QString();
        });
    }
    void TearDown() override {
        registerForm("frmBarrierSelect", [] { return QString(); });
        registerForm("frmReportOptions", [] { return QString(); });
        ReportMenuTest::TearDown();
    }
    QStringList opened;
};

TEST_F(ReportMenuWindowTest, LoadSetsTheCaptionAndShowsThisYear) {
    frmReportSelect w;
    EXPECT_EQ(w.windowTitle(), "RER [ REPORT SELECTION ]");
    EXPECT_EQ(w.cboYear->currentText(), "2026");
    EXPECT_EQ(w.cboYear->count(), 2026 - 2008 + 1);
    EXPECT_EQ(w.cboYear->itemText(w.cboYear->count() - 1), "2008");
}

TEST_F(ReportMenuWindowTest, TypingIntoTheYearBoxChangesNothing) {
    frmReportSelect w;
    ASSERT_TRUE(user::showActive(&w));
    user::chooseInList(w.cboYear, "2025");
    ASSERT_TRUE(w.cboYear->hasFocus());
    user::type("20x7");
    EXPECT_EQ(w.cboYear->currentText(), "2025");
}

TEST_F(ReportMenuWindowTest, ListReportsSetTheReportYearAndTheSelectionMode) {
    frmReportSelect w;
    ASSERT_TRUE(user::showActive(&w));
    // A year other than the data year is allowed.
    user::chooseInList(w.cboYear, "2024");
    user::click(w.cmdLearnerPerBarrier);
    EXPECT_EQ(gReportYear, 2024);
    user::chooseInList(w.cboYear, "2026");
    user::click(w.cmdListPerResponsiblePerson);
    EXPECT_EQ(opened, QStringList({"frmBarrierSelect LearnerSummary 2024",
                                   "frmBarrierSelect LearnerList 2026"}));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ReportMenuWindowTest, ListReportsRefuseAnEmptyYear) {
    frmReportSelect w;
    ASSERT_TRUE(user::showActive(&w));
    w.cboYear->setCurrentIndex(-1); // (no click empties the list)
    user::click(w.cmdLearnerPerBarrier);
    user::click(w.cmdListPerResponsiblePerson);
    EXPECT_EQ(messages(), QStringList({"Please select Report Year to continue.",
                                       "Please select Report Year to continue."}));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(gReportYear, 1999);
}

TEST_F(ReportMenuWindowTest, ScoreSummaryOpensTheOptionsWithoutAYearCheck) {
    // The learner window's profile print left an accession number behind.
    gReportOptionsRequest = {"006", "LearnerProfile"};
    frmReportSelect w;
    ASSERT_TRUE(user::showActive(&w));
    w.cboYear->setCurrentIndex(-1); // (no click empties the list)
    user::click(w.cmdLearnerScore);
    EXPECT_EQ(opened, QStringList({"frmReportOptions LearnerScoreSummary []"}));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(gReportYear, 1999);
}

TEST_F(ReportMenuWindowTest, EveryCaptionOfTheReportWindowsIsShownWhole) {
    frmReportSelect menu;
    EXPECT_EQ(cutCaptions(menu).join("; ").toStdString(), "");
    for (const char* mode : {"LearnerSummary", "LearnerList"}) {
        gBarrierSelectRequest.FormMode = mode;
        frmBarrierSelect select;
        EXPECT_EQ(cutCaptions(select).join("; ").toStdString(), "") << mode;
    }
    gReportOptionsRequest = {"", "LearnerProfile"};
    frmReportOptions options;
    EXPECT_EQ(cutCaptions(options).join("; ").toStdString(), "");
}

TEST(ReportForms, TheReportWindowsAreShownByName) {
    registerReportForms();
    for (const char* name :
         {"frmReportSelect", "frmBarrierSelect", "frmReportOptions", "frmReportview"})
        EXPECT_TRUE(isFormRegistered(name)) << name;
}
