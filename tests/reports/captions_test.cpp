// Every fixed caption shows whole with the program's fonts, and the fonts
// drawn are the ones the program carries, whatever the machine has.
#include "platform/fonts.h"
#include "platform/printer.h"
#include "reports/reportlayouts.h"
#include "services/endprogram.h"
#include "tests/common/captions.h"
#include "tests/common/pdf.h"
#include "tests/reports/reportmenutest.h"
#include "workspace/frmrer_main.h"
#include "workspace/frmselectlearner.h"
#include "workspace/frmselectyear.h"

#include <QFontInfo>
#include <QPageSize>
#include <QTemporaryDir>

namespace {

TEST(Fonts, WindowsPagePrintsAndReportsDrawTheCarriedFonts) {
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), fonts::kSans);
    EXPECT_EQ(QApplication::font().pointSizeF(), 8);
    // Page prints ask for Arial and Times New Roman by name and get their metric twins.
    Printer printer;
    EXPECT_EQ(QFontInfo(printer.currentFont()).family(), fonts::kSans); // "Arial", the default
    printer.setFontName("Times New Roman");
    printer.setFontBold(true);
    EXPECT_EQ(QFontInfo(printer.currentFont()).family(), fonts::kSerif);
    EXPECT_TRUE(QFontInfo(printer.currentFont()).bold());
    EXPECT_EQ(QFontInfo(fonts::reportFont(9, true, true)).family(), fonts::kSans);
    EXPECT_TRUE(QFontInfo(fonts::reportFont(9, true, true)).italic());

    // And the paper has them.
    QTemporaryDir dir;
    const QString path = dir.filePath("fonts.pdf");
    printer.qprinter().setOutputFormat(QPrinter::PdfFormat);
    printer.qprinter().setOutputFileName(path);
    printer.Print("Times New Roman");
    printer.setFontName("Arial");
    printer.setFontBold(false);
    printer.Print("Arial");
    printer.EndDoc();
    const QString used = pdfFonts(path);
    EXPECT_TRUE(used.contains("LiberationSerif-Bold")) << used.toStdString();
    EXPECT_TRUE(used.contains("LiberationSans")) << used.toStdString();
    EXPECT_EQ(pdfText(path).simplified(), "Times New Roman Arial");
}

class Captions : public ReportMenuTest {
protected:
    void SetUp() override {
        ReportMenuTest::SetUp();
        SaveSetting("MarvikEmis", "Startup", "Database", dbPath);
        setEndProgramHook([this] { ++ends; });
    }
    void TearDown() override {
        setEndProgramHook({});
        ReportMenuTest::TearDown();
    }
    int ends = 0;
};

TEST_F(Captions, EveryFixedCaptionOfTheMenuTheLearnerWindowsAndTheReportLayoutsShowsWhole) {
    gLearnerName = "VAN DER WESTHUIZEN Nomvula";
    gAccessionNo = "A10234";
    frmRER_Main menu;
    for (int stage = 1; stage <= 4; ++stage) {
        menu.show_Sub_Menu(stage);
        EXPECT_EQ(cutCaptions(menu).join("\n").toStdString(), "") << "stage " << stage;
    }
    frmSelectYear year;
    EXPECT_EQ(cutCaptions(year).join("\n").toStdString(), "");
    frmSelectLearner learners;
    ASSERT_EQ(ends, 0);
    EXPECT_EQ(cutCaptions(learners).join("\n").toStdString(), "");

    // The layouts on the A4 sheets they print on, half an inch of margin round.
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Inch) * 1440;
    const int portrait = int(a4.width()) - 1440;
    const int landscape = int(a4.height()) - 1440;
    const struct {
        LayoutPtr layout;
        int width;
        const char* title;
    } layouts[] = {
        {crdLearner_DisSum(), landscape, "Learner Summary per Barrier (Primary): 2026"},
        {crdLearner_ListProv(), portrait, "Learner Summary per Responsible Provider: 2026"},
        {crd_01Background(), portrait, ""},
        {crdLearnerScoreSummary(), landscape, "Learner Score Summary: 2026"},
    };
    for (const auto& l : layouts)
        EXPECT_EQ(cutCaptions(*l.layout, l.width, l.title).join("\n").toStdString(), "")
            << l.layout->name.toStdString();
}

} // namespace
