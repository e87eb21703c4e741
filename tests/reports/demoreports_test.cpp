// The demo school's assessment in the four reports, as a user's first run
// shows them: every assessed learner in each.
#include "reports/frmbarrierselect.h"
#include "tests/reports/reportviewtest.h"

#include <QDate>

namespace {

class DemoReports : public ReportViewTest {
protected:
    bool wholeDemo() const override { return true; }
    void SetUp() override {
        ReportViewTest::SetUp();
        gDataYear = qint16(QDate::currentDate().year());
        gReportYear = gDataYear;
    }

    // The report the viewer shows in mode, printed and read back.
    QString report(const QString& mode) {
        frmReportview::Default().ReportMode = mode;
        if (mode == "LearnerSummary" || mode == "LearnerList") {
            // The barrier window's query with every "All" ticked.
            gBarrierSelectRequest.FormMode = mode;
            frmBarrierSelect select;
            select.setFormMode(mode);
            frmReportview::Default().SQL =
                mode == "LearnerSummary" ? select.learnerSummaryQuery() : select.learnerListQuery();
        }
        frmReportview w;
        w.Form_Load();
        QString text;
        if (w.shownReport())
            text = flat(pdfText(printToPdf(*w.shownReport(), mode + ".pdf")));
        w.Form_Unload();
        return text;
    }
};

} // namespace

TEST_F(DemoReports, EveryReportShowsTheAssessedLearners) {
    const struct {
        const char* mode;
        QStringList shown;
    } cases[] = {
        {"LearnerSummary",
         {"Dlamini", "de Beer", "van der Merwe", "Khumalo", "Hard of Hearing",
          "Attention Deficit Disorder", "Blind", "Physical Disability"}},
        {"LearnerList",
         {"Dlamini", "de Beer", "van der Merwe", "Khumalo", "Riverbend Audiology Clinic",
          "Riverbend DBST", "Mosaic Low Vision Centre"}},
        {"MainReport",
         {"Dlamini, Zanele", "de Beer, Thabo", "van der Merwe, Anika", "Khumalo, Ruan",
          "three-roomed house", "Deaf", "Physical Disability", "Retinitis pigmentosa"}},
        {"ScoreSummary", {"Dlamini", "de Beer", "van der Merwe", "Khumalo", "SEVERE", "MODERATE"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        const QString text = report(c.mode);
        for (const QString& expected : c.shown)
            EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    }
    EXPECT_TRUE(boxes().isEmpty()) << shown().join('\n').toStdString();
}
