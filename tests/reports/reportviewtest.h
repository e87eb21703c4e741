#pragma once
// What the viewer tests share: the demo school with the program's tables,
// the data and report year 2026, and a report printed to PDF and read back.
#include "platform/printer.h"
#include "platform/reportviewer.h"
#include "reports/frmreportview.h"
#include "tests/common/pagetest.h"

#include <QApplication>

class ReportViewTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        gDataYear = 2026;
        gReportYear = 2026;
        gSchoolName = "Kliprivier Combined School";
        frmReportview::Default() = ReportviewProperties{};
    }
    void TearDown() override {
        CloseConnection();
        frmReportview::Default() = ReportviewProperties{};
        PageTest::TearDown();
    }

    // The ID of the n-th (from 0) activity of an area of impairment.
    QString activity(int domain, int n = 0) {
        return rawRows(dbPath, QString("SELECT ID FROM TAV_lu_Activity_Domain_Sub_Section WHERE "
                                       "Activity_Domain = %1 ORDER BY ID")
                                   .arg(domain))
            .value(n);
    }
    void addScore(int learner, int year, const QString& subSection, int score) {
        rawExec(dbPath, QString("INSERT INTO TAV_Criteria_For_Selection (LearnerID, Data_Year, "
                                "Sub_Section, Score) VALUES (%1, %2, %3, %4)")
                            .arg(learner)
                            .arg(year)
                            .arg(subSection)
                            .arg(score));
    }
    void addRating(int learner, int year, int area, int rating) {
        rawExec(dbPath, QString("INSERT INTO TAV_Assessment_Supp_Req_Rating (LearnerID, "
                                "Data_Year, Support_Area, Rating) VALUES (%1, %2, %3, %4)")
                            .arg(learner)
                            .arg(year)
                            .arg(area)
                            .arg(rating));
    }

    // Prints the report the viewer shows to a PDF and returns its path.
    QString printToPdf(const report::Report& rpt, const QString& name) {
        const QString keep = qEnvironmentVariable("REPORT_PDF_DIR");
        const QString path = keep.isEmpty() ? pdfPath(name) : keep + "/" + name;
        Printer printer;
        rpt.preparePrinter(printer);
        printer.qprinter().setOutputFormat(QPrinter::PdfFormat);
        printer.qprinter().setOutputFileName(path);
        rpt.print(printer);
        return path;
    }
};

// The text of a PDF on one line, runs of blanks as one, for phrases that
// the layout may break across columns.
inline QString flat(const QString& text) {
    return text.simplified();
}
