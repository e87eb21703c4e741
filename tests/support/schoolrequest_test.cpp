// Section 3b school request page: the five support-area preview lists with
// their level drop-downs, the rows of TAV_Learner_Support_Needs per area, the
// signature grid and the print of the tab on show.
#include "pages/previewlist.h"
#include "platform/colors.h"
#include "platform/runtime.h"
#include "support/frmschoolrequestsupport.h"
#include "support/supportforms.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

using Page = frmSchoolRequestSupport;
constexpr int S = Page::kFirstDataRow;

class SchoolRequestTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        gSchoolName = "Thuto Primary";
        gDistrict = "Ekurhuleni North";
        gCircuit = "Circuit 7";
        setClockOverride(QDate(2026, 3, 14));
        // A South African workstation's settings.
        QLocale::setDefault(QLocale("en_ZA"));
    }
    void TearDown() override {
        setClockOverride(std::nullopt);
        QLocale::setDefault(locale);
        PageTest::TearDown();
    }
    const QLocale locale; // the workstation's, as the test found it
    // The data rows of a preview grid as "level|has|needs".
    static QStringList dataRows(Grid* grid) {
        QStringList out;
        for (int r = S; r <= grid->MaxRows(); ++r)
            out << grid->GetText(1, r) + "|" + grid->GetText(2, r) + "|" + grid->GetText(3, r);
        return out;
    }
    // The stored rows of an area as "level|available|need", in stored order.
    QStringList stored(int area, int learner = 2, int year = 2026) {
        return learnerYearRows(
            "Low_Moderate_High, School_Available, School_Need", "TAV_Learner_Support_Needs",
            QString(" AND Support_Area = %1 ORDER BY ID").arg(area), learner, year);
    }
    static bool firstRowBlank(Grid* grid) {
        return (grid->GetText(1, S) + grid->GetText(2, S) + grid->GetText(3, S)).isEmpty();
    }
    static bool isLevelCell(Grid* grid, int row) {
        const GridCellFormat f = grid->cellFormat(Page::kLevelCol, row);
        return f.type == GridCellType::ComboBox && f.comboList == Page::kLevels &&
               !f.comboEditable && f.comboMaxDrop == 6 && f.comboWidth == 150;
    }
};

} // namespace

TEST_F(SchoolRequestTest, EmptyLearnerYearShowsTheDesignedTabsAndTheSignature) {
    Page page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(page.windowTitle(),
              "Support Needs Assessment [Section 3b : SCHOOL REQUEST FORM FOR ADDITIONAL SUPPORT]");
    EXPECT_EQ(page.lblLearner->text(), "O'NEILL Lerato : Acc Number: 006");
    EXPECT_EQ(page.txtCurrentYear->text(), "2026");
    EXPECT_EQ(page.vaSpread4->GetText(1, 1), "1. SUMMARY OF SCHOOL NEEDS IN TERMS OF LEVELS");

    const QStringList captions = {"1. Staffing", "2. Assistive Devices",
                                  "3. Curriculum Differentiation", "4. HRD",
                                  "5. Environmental Access"};
    ASSERT_EQ(page.SSTab1->count(), 5);
    for (int area = 1; area <= 5; ++area) {
        SCOPED_TRACE(area);
        EXPECT_EQ(page.SSTab1->tabText(area - 1), captions[area - 1]);
        Grid* grid = page.previewOf(area);
        EXPECT_EQ(grid->MaxCols(), 3);
        EXPECT_EQ(grid->MaxRows(), 5);
        EXPECT_EQ(grid->GetText(1, 1), "Select Option below and enter the Factor in the box and "
                                       "then click the \"Add to Preview\" button.");
        EXPECT_EQ(grid->GetText(1, 3), "Preview Captured Information");
        EXPECT_EQ(grid->GetText(1, 4), "LOW/MODERATE/HIGH LEVEL");
        EXPECT_EQ(grid->GetText(2, 4), "WHAT SCHOOL HAS");
        EXPECT_EQ(grid->GetText(3, 4), "WHAT SCHOOL NEEDS");
        EXPECT_EQ(dataRows(grid), QStringList({"||"}));
        EXPECT_TRUE(isLevelCell(grid, S));
        PreviewList* list = page.listOf(area);
        EXPECT_EQ(list->optionA()->text(), "What school has");
        EXPECT_EQ(list->optionB()->text(), "What school needs");
        EXPECT_EQ(list->addButton()->text(), "Add to Preview");
        EXPECT_EQ(list->removeButton()->text(), "Remove from Preview");
    }
    EXPECT_EQ(page.gridStaffingPreview->objectName(), "gridStaffingPreview");
    EXPECT_EQ(page.gridCuriculumPreview->objectName(), "gridCuriculumPreview");
    EXPECT_EQ(page.txtAddEnv->objectName(), "txtAddEnv");
    EXPECT_EQ(page.optStaffingNeed->objectName(), "optStaffingNeed");
    EXPECT_EQ(page.cmdRemoveHRD->objectName(), "cmdRemoveHRD");

    EXPECT_EQ(page.gridSignature->GetText(1, 1), "School:");
    EXPECT_EQ(page.gridSignature->GetText(2, 1), "Thuto Primary");
    EXPECT_EQ(page.gridSignature->GetText(3, 1), "Date:");
    EXPECT_EQ(page.gridSignature->GetText(4, 1), "2026/03/14");
    EXPECT_EQ(page.gridSignature->GetText(1, 2), "District/Circuit/Ward:");
    EXPECT_EQ(page.gridSignature->GetText(2, 2), "Ekurhuleni North, Circuit 7");

    EXPECT_FALSE(page.isUnsaved());
    ASSERT_NE(page.cmdNext, nullptr);
    EXPECT_EQ(page.cmdNext->text(), "Next");
    EXPECT_EQ(page.cmdPrevious, nullptr);
    EXPECT_EQ(page.cmdPrint->objectName(), "cmdPrintPage");
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_TRUE(connectionClosed());

    user::clickTab(page.SSTab1, 3);
    ASSERT_EQ(page.SSTab1->Tab(), 3);
    ASSERT_TRUE(activateAgain(page));
    EXPECT_EQ(page.SSTab1->Tab(), 0);
}

// The date beside the signature is today's in the short form the
// workstation's settings give.
TEST_F(SchoolRequestTest, TheSignatureDateFollowsTheWorkstationsSettings) {
    const struct {
        const char* locale;
        QString date;
    } cases[] = {{"en_US", "3/14/26"}, {"de_DE", "14.03.26"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        QLocale::setDefault(QLocale(c.locale));
        Page page;
        page.Form_Load();
        EXPECT_EQ(page.gridSignature->GetText(4, 1), c.date);
    }
}

TEST_F(SchoolRequestTest, AddRefusesBlanksAndMissingOptionsWithEachAreasMessage) {
    Page page;
    ASSERT_TRUE(showPage(page));
    for (int area = 1; area <= 5; ++area) {
        SCOPED_TRACE(area);
        boxes().clear();
        PreviewList* list = page.listOf(area);
        user::typeIntoBox(list->entryBox(), "   ");
        user::click(list->addButton());
        user::typeIntoBox(list->entryBox(), "a braille reader");
        user::click(list->addButton()); // no option chosen yet
        const QString option = area == Page::Staffing ? "HAs" : "Has";
        EXPECT_EQ(shown(), QStringList({"User Message: You must enter what School has or what "
                                        "School needs.",
                                        "User Message: You must select What School " + option +
                                            " or What School Needs options."}));
        EXPECT_EQ(dataRows(list->grid()), QStringList({"||"}));
        EXPECT_EQ(list->entryBox()->text(), "a braille reader");
        EXPECT_EQ(list->entryBox()->maxLength(), 255);
        // The entry not added waits in its box: an unsaved change.
        EXPECT_TRUE(page.isUnsaved());
        user::typeIntoBox(list->entryBox(), "");
    }
    EXPECT_FALSE(page.isUnsaved());
}

TEST_F(SchoolRequestTest, HasAndNeedsFillTheirColumnsIndependentlyEachEntryRowGettingALevel) {
    Page page;
    ASSERT_TRUE(showPage(page));
    Grid* grid = page.gridHRDPreview;
    addToPreview(page.hrdList, "one trained educator", true);
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_EQ(page.cmdAddHRDPreview->BackColor(), vbButtonFace);
    EXPECT_EQ(page.txtAddHRD->text(), "");
    EXPECT_TRUE(page.optHRDHas->isChecked());
    addToPreview(page.hrdList, " a remedial room ", true);
    addToPreview(page.hrdList, "sign language training", false);
    EXPECT_EQ(dataRows(grid), QStringList({"|one trained educator|sign language training",
                                           "| a remedial room |", "||", "||"}));
    EXPECT_EQ(grid->MaxRows(), 8);
    EXPECT_TRUE(isLevelCell(grid, 5));
    EXPECT_TRUE(isLevelCell(grid, 6));
    EXPECT_FALSE(isLevelCell(grid, 7));
    EXPECT_FALSE(isLevelCell(grid, 8));
    // The other areas are untouched.
    EXPECT_EQ(dataRows(page.gridStaffingPreview), QStringList({"||"}));
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(SchoolRequestTest, EachAreaIsStoredUnderItsTabNumberAndComesBackInPlace) {
    rawExec(dbPath,
            "INSERT INTO TAV_Learner_Support_Needs (LearnerID, Support_Area, Low_Moderate_High, "
            "School_Need, School_Available, Data_Year) VALUES "
            "(2, 1, 'LOW', 'last year', ' ', 2025), (3, 1, 'LOW', 'other learner', ' ', 2026), "
            "(2, 7, 'LOW', 'no such area', ' ', 2026)");
    Page page;
    ASSERT_TRUE(showPage(page));
    addToPreview(page.staffingList, "a class assistant", true);
    addToPreview(page.staffingList, "a therapist", false);
    addToPreview(page.staffingList, "a second assistant", true);
    user::chooseInCell(page.gridStaffingPreview, 1, 5, "HIGH LEVEL");
    addToPreview(page.curriculumList, "O'Brien's adapted tests", false);
    user::click(page.cmdSave);
    ASSERT_FALSE(page.isUnsaved());
    boxes().clear();
    // Choosing a level marks the page on every tab.
    user::chooseInCell(page.gridCuriculumPreview, 1, 5, "MODERATE");
    EXPECT_TRUE(page.isUnsaved());
    // A row with a level only.
    user::chooseInCell(page.gridEnvPreview, 1, 5, "LOW");
    addToPreview(page.hrdList, "workshops", false);

    user::click(page.cmdSave);
    EXPECT_EQ(shown(), QStringList({kSaved}));
    EXPECT_FALSE(page.isUnsaved());
    EXPECT_TRUE(connectionClosed());
    EXPECT_EQ(stored(1),
              QStringList({"HIGH LEVEL|a class assistant|a therapist", "|a second assistant| "}));
    EXPECT_TRUE(stored(2).isEmpty());
    EXPECT_EQ(stored(3), QStringList({"MODERATE| |O'Brien's adapted tests"}));
    EXPECT_EQ(stored(4), QStringList({"| |workshops"}));
    EXPECT_EQ(stored(5), QStringList({"LOW| | "}));
    // A row without a level keeps an empty level, not a blank.
    EXPECT_EQ(rawScalar(dbPath, "SELECT COUNT(*) FROM TAV_Learner_Support_Needs WHERE "
                                "Low_Moderate_High = '' AND Data_Year = 2026"),
              "2");
    EXPECT_EQ(stored(1, 2, 2025), QStringList({"LOW| |last year"}));
    EXPECT_EQ(stored(1, 3), QStringList({"LOW| |other learner"}));
    EXPECT_EQ(stored(7), QStringList({"LOW| |no such area"}));

    // Saving again replaces the rows; a fresh opening shows them in their rows.
    user::click(page.cmdSave);
    EXPECT_EQ(stored(1).size(), 2);
    Page again;
    ASSERT_TRUE(showPage(again));
    EXPECT_EQ(
        dataRows(again.gridStaffingPreview),
        QStringList({"HIGH LEVEL|a class assistant|a therapist", "|a second assistant| ", "||"}));
    EXPECT_EQ(dataRows(again.gridCuriculumPreview),
              QStringList({"MODERATE| |O'Brien's adapted tests", "||"}));
    EXPECT_EQ(dataRows(again.gridEnvPreview), QStringList({"LOW| | ", "||"}));
    EXPECT_EQ(dataRows(again.gridAssistivePreview), QStringList({"||"}));
    EXPECT_TRUE(isLevelCell(again.gridStaffingPreview, 5));
    EXPECT_TRUE(isLevelCell(again.gridStaffingPreview, 6));
    EXPECT_FALSE(isLevelCell(again.gridStaffingPreview, 7));
    EXPECT_FALSE(again.isUnsaved());
    EXPECT_EQ(boxes().size(), 2);

    // All previews emptied: every stored row of the learner-year goes.
    for (int area = 1; area <= 5; ++area) {
        Grid* grid = again.previewOf(area);
        while (!firstRowBlank(grid)) {
            user::clickCell(grid, 2, S);
            user::click(again.listOf(area)->removeButton());
        }
    }
    user::click(again.cmdSave);
    EXPECT_EQ(rawScalar(dbPath, "SELECT COUNT(*) FROM TAV_Learner_Support_Needs WHERE "
                                "LearnerID = 2 AND Data_Year = 2026 AND Support_Area <= 5"),
              "0");
    EXPECT_EQ(stored(7).size(), 1);
}

TEST_F(SchoolRequestTest, RowsOfOneAreaComeBackInTheOrderTheyWereStored) {
    // The areas' rows interleaved in the table.
    for (int i = 1; i <= 12; ++i)
        rawExec(dbPath, QString("INSERT INTO TAV_Learner_Support_Needs (LearnerID, Support_Area, "
                                "Low_Moderate_High, School_Need, School_Available, Data_Year) "
                                "VALUES (2, %1, 'LOW', 'need %2', 'has %2', 2026)")
                            .arg(i % 2 ? 4 : 2)
                            .arg(i));
    Page page;
    ASSERT_TRUE(showPage(page));
    QStringList hrd, assistive;
    for (int i = 1; i <= 12; ++i)
        (i % 2 ? hrd : assistive) << QString("LOW|has %1|need %1").arg(i);
    EXPECT_EQ(dataRows(page.gridHRDPreview), hrd + QStringList({"||"}));
    EXPECT_EQ(dataRows(page.gridAssistivePreview), assistive + QStringList({"||"}));
}

TEST_F(SchoolRequestTest, RemoveAndHighlightActOnDataRowsOnly) {
    Page page;
    ASSERT_TRUE(showPage(page));
    Grid* grid = page.gridEnvPreview;
    addToPreview(page.envList, "ramps", true);
    addToPreview(page.envList, "toilets", true);
    addToPreview(page.envList, "a lift", false);
    user::click(page.cmdSave);
    ASSERT_FALSE(page.isUnsaved());
    boxes().clear();

    // A heading row: nothing removed, no highlight.
    user::clickCell(grid, 2, 4);
    user::click(page.cmdRemoveEnv);
    EXPECT_FALSE(page.isUnsaved());
    user::clickCell(grid, 1, 3);
    user::clickCell(grid, 2, 2);
    for (int r = S; r <= grid->MaxRows(); ++r)
        EXPECT_FALSE(grid->cellBold(1, r));

    user::clickCell(grid, 3, 6);
    user::clickCell(grid, 2, 5);
    for (int r = S; r <= grid->MaxRows(); ++r) {
        for (int c = 1; c <= 3; ++c) {
            EXPECT_EQ(grid->cellBold(c, r), r == 5) << c << "," << r;
            EXPECT_EQ(grid->cellForeColor(c, r), r == 5 ? vbBlue : vbBlack) << c << "," << r;
        }
    }

    // A data row: its level, has and needs go together; the size stays.
    const int rows = grid->MaxRows();
    user::clickCell(grid, 3, 5);
    user::click(page.cmdRemoveEnv);
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_EQ(grid->MaxRows(), rows);
    EXPECT_EQ(dataRows(grid), QStringList({"|toilets|", "||", "||", "||"}));
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(SchoolRequestTest, OnlyTheAssistiveDevicesListTakesTyping) {
    Page page;
    ASSERT_TRUE(showPage(page));
    // The assistive devices list last: typing there marks the page.
    for (const int area : {1, 3, 4, 5, 2}) {
        SCOPED_TRACE(area);
        user::typeIntoCell(page.previewOf(area), 2, S, "x");
        EXPECT_EQ(page.previewOf(area)->GetText(2, S), area == Page::AssistiveDevices ? "x" : "");
        EXPECT_EQ(page.isUnsaved(), area == Page::AssistiveDevices);
    }
    // A typed level is no wider than its column and may hold a quote.
    Grid* grid = page.gridAssistivePreview;
    user::typeIntoCell(grid, 2, 5, "a hearing aid");
    EXPECT_TRUE(page.isUnsaved());
    addToPreview(page.assistiveList, "a wheelchair", true);
    EXPECT_EQ(grid->cellFormat(1, 7).maxLength, 20);
    EXPECT_EQ(grid->cellFormat(2, 7).maxLength, 255);
    user::typeIntoCell(grid, 1, 7, "Ma'am's");
    user::typeIntoCell(grid, 3, 7, "a laptop");
    user::click(page.cmdSave);
    EXPECT_EQ(shown(), QStringList({kSaved}));
    EXPECT_EQ(stored(2),
              QStringList({"|a hearing aid| ", "|a wheelchair| ", "Ma'am's| |a laptop"}));

    // Every row of the has column typed full: the entry goes to a new last
    // row, never into a heading.
    rawExec(dbPath, "DELETE FROM TAV_Learner_Support_Needs");
    Page typed;
    ASSERT_TRUE(showPage(typed));
    Grid* full = typed.gridAssistivePreview;
    user::typeIntoCell(full, 2, 5, "typed has");
    addToPreview(typed.assistiveList, "added has", true);
    EXPECT_EQ(dataRows(full), QStringList({"|typed has|", "|added has|", "||"}));
    EXPECT_TRUE(isLevelCell(full, 6));
    EXPECT_EQ(full->GetText(2, 4), "WHAT SCHOOL HAS");
}

TEST_F(SchoolRequestTest, AnAreaThatFailsKeepsItsRowsWhileTheOthersAreSaved) {
    rawExec(dbPath,
            "INSERT INTO TAV_Learner_Support_Needs (LearnerID, Support_Area, Low_Moderate_High, "
            "School_Need, School_Available, Data_Year) VALUES (2, 2, 'LOW', 'stored', ' ', 2026);"
            "CREATE TRIGGER refuse BEFORE INSERT ON TAV_Learner_Support_Needs "
            "WHEN NEW.Support_Area = 2 BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    Page page;
    ASSERT_TRUE(showPage(page));
    addToPreview(page.assistiveList, "a magnifier", false);
    addToPreview(page.staffingList, "a therapist", false);
    addToPreview(page.envList, "ramps", true);
    user::click(page.cmdSave);
    EXPECT_EQ(errorProcedures(), QStringList({"saveData Routine"}));
    ASSERT_EQ(boxes().size(), 1); // no confirmation
    EXPECT_TRUE(boxes()[0].text.contains("Location: frmSchoolRequestSupport"));
    EXPECT_TRUE(connectionClosed());
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_EQ(stored(2), QStringList({"LOW| |stored"}));
    EXPECT_EQ(stored(1), QStringList({"| |a therapist"}));
    EXPECT_EQ(stored(5), QStringList({"|ramps| "}));
}

TEST_F(SchoolRequestTest, FailedLoadIsReportedAndSaveRefused) {
    rawExec(dbPath, "ALTER TABLE TAV_Learner_Support_Needs RENAME TO Needs_Away");
    Page page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(errorProcedures(), QStringList({"getData Routine"}));
    EXPECT_TRUE(connectionClosed());
    EXPECT_EQ(page.gridSignature->GetText(2, 1), "Thuto Primary");
    rawExec(dbPath, "ALTER TABLE Needs_Away RENAME TO TAV_Learner_Support_Needs");
    addToPreview(page.staffingList, "a therapist", false);
    user::click(page.cmdSave);
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_TRUE(stored(1).isEmpty());
}

TEST_F(SchoolRequestTest, PrintsTheListOfTheTabOnShowInLandscape) {
    Page page;
    ASSERT_TRUE(showPage(page));
    addToPreview(page.staffingList, "Staffing entry", true);
    addToPreview(page.hrdList, "Workshop on braille", true);
    user::chooseInCell(page.gridHRDPreview, 1, 5, "MODERATE");
    addToPreview(page.hrdList, "Sign language course", false);
    ASSERT_EQ(page.SSTab1->Tab(), 3);
    const QString pdf = clickPrint(page, "hrd.pdf");
    EXPECT_TRUE(boxes().isEmpty());
    const QString text = pdfText(pdf);
    EXPECT_EQ(text.trimmed().section('\n', 0, 0).simplified(),
              "EMIS NUMBER: 700123456 Support Needs Assessment [Section 3b : SCHOOL REQUEST FORM "
              "FOR ADDITIONAL SUPPORT]");
    EXPECT_TRUE(text.contains("LEARNER NAME : O'NEILL Lerato ASSESION NUMBER: 006"));
    for (const char* word : {"Workshop on braille", "Sign language course", "MODERATE",
                             "WHAT SCHOOL NEEDS", "Preview Captured Information"})
        EXPECT_TRUE(text.contains(word)) << word << "\n" << text.toStdString();
    for (const char* word : {"Staffing entry", "SUMMARY OF SCHOOL NEEDS", "Thuto Primary",
                             "District/Circuit", "4. HRD"})
        EXPECT_FALSE(text.contains(word)) << word;
    EXPECT_EQ(pdfPages(pdf), 1);
    EXPECT_TRUE(pdfIsLandscape(pdf));

    // Cancel in the dialog prints nothing and reports the print routine.
    printdialog::setAnswerer(printdialog::cancel);
    user::click(page.cmdPrint);
    EXPECT_EQ(errorProcedures(), QStringList({"Print Routine"}));
}

TEST_F(SchoolRequestTest, NextAsksWhenUnsavedAndLeadsToTheIlstRecord) {
    registerSupportForms();
    Page page;
    ASSERT_TRUE(showPage(page));
    addToPreview(page.envList, "ramps", true);
    answerAll(msgbox::vbNo);
    user::click(page.cmdNext);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, "Data has NOT been Saved");
    EXPECT_FALSE(page.isClosed());
    answerAll(msgbox::vbYes);
    user::click(page.cmdNext);
    EXPECT_TRUE(page.isClosed());
    EXPECT_EQ(page.nextForm(), "frmILSTIntervention");
    EXPECT_TRUE(stored(5).isEmpty());
}

TEST_F(SchoolRequestTest, TheHeadingsOfThePreviewColumnsAreShownWhole) {
    Page page;
    ASSERT_TRUE(showPage(page));
    for (int area = 1; area <= 5; ++area) {
        Grid* grid = page.previewOf(area);
        QFont bold = grid->font();
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        // Row 4 is one line high: each heading on one line in its column.
        for (int c = 1; c <= 3; ++c) {
            const QString heading = grid->GetText(c, 4);
            SCOPED_TRACE(heading.toStdString());
            EXPECT_LE(metrics.horizontalAdvance(heading) + 6, grid->columnWidth(c - 1));
        }
    }
}
