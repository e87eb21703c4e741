// Section 3b ILST record: the two tabs of texts and Yes/No answers, the one
// record per learner-year, the print of the tab on show and the way between
// the school request page and this page.
#include "platform/colors.h"
#include "services/formregistry.h"
#include "support/frmilstintervention.h"
#include "support/frmschoolrequestsupport.h"
#include "support/supportforms.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

using Page = frmILSTIntervention;
const QString kCaption = "RER [Section 3b: ILST RECORD OF INTERVENTIONS TAKEN AND MOTIVATION FOR "
                         "ASSISTANCE FROM DBST]";
const QString kColumns =
    "Whole_School_Development, Educator_Training, Learner_Support, Learner_Parent_Discussed, "
    "Learner_Parent_Response, ILST_Analysis_To_DBST, Principal_Approve_Request_DBST, "
    "Principal_Reason, Circuit_Manager_Endores, Circuit_Manager_Reason";

class IlstTest : public PageTest {
protected:
    // The learner-year's records, columns in the table's order.
    QStringList stored() { return learnerYearRows(kColumns, "TAV_ILST_Intervention_Records"); }
    // The Yes and No boxes of the three items as "YN YN YN".
    static QString ticks(const Page& page) {
        QStringList out;
        for (int row : {1, 9, 13})
            out << page.gridOther->GetText(3, row) + page.gridOther->GetText(4, row);
        return out.join(' ');
    }
};

} // namespace

TEST_F(IlstTest, EmptyLearnerYearShowsTheDesignAndStillStoresARecordOfNoes) {
    Page page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(page.windowTitle(), kCaption);
    EXPECT_EQ(page.lblLearner->text(), "O'NEILL Lerato : Acc Number: 006");
    EXPECT_EQ(page.txtCurrentYear->text(), "2026");
    ASSERT_EQ(page.SSTab1->count(), 2);
    EXPECT_EQ(page.SSTab1->tabText(0), "Action 1");
    EXPECT_EQ(page.SSTab1->tabText(1), "Other Actions");

    Grid* needs = page.gridLearnerAdditionalNeeds;
    EXPECT_EQ(needs->MaxCols(), 3);
    EXPECT_EQ(needs->MaxRows(), 7);
    EXPECT_EQ(needs->GetText(1, 1),
              "1. ACTION TAKEN TO ADDRESS LEARNER'S ADDITIONAL SUPPORT NEEDS");
    EXPECT_EQ(needs->GetText(1, 4), "Comment on any educator training or other educator supoort "
                                    "given (if applicable)");
    Grid* other = page.gridOther;
    EXPECT_EQ(other->MaxCols(), 4);
    EXPECT_EQ(other->MaxRows(), 16);
    EXPECT_EQ(other->GetText(1, 9), "4. PRINCIPAL APPROVES REQUEST FOR DBST SUPPORT");
    EXPECT_EQ(other->GetText(1, 13), "5. CIRCUIT MANAGER ENDORSES REQUEST FOR DBST SUPPORT");
    EXPECT_EQ(other->GetText(1, 14), "Reason for decision and recommendation");
    for (int row : {1, 9, 13}) {
        EXPECT_EQ(other->cellFormat(3, row).caption, "Yes");
        EXPECT_EQ(other->cellFormat(4, row).caption, "No");
    }
    EXPECT_EQ(ticks(page), "00 00 00");
    // Prompts are grey and fixed, entries open.
    EXPECT_EQ(other->cellBackColor(1, 10), vbLabelGrey);
    EXPECT_TRUE(other->cellLocked(1, 10));
    EXPECT_FALSE(other->cellLocked(1, 11));
    EXPECT_FALSE(needs->cellLocked(1, 3));
    EXPECT_EQ(needs->cellBackColor(1, 2), vbLabelGrey);

    EXPECT_FALSE(page.isUnsaved());
    ASSERT_NE(page.cmdPrevious, nullptr);
    EXPECT_EQ(page.cmdPrevious->text(), "Previous");
    EXPECT_EQ(page.cmdNext, nullptr);
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_TRUE(connectionClosed());

    user::clickTab(page.SSTab1, 1);
    ASSERT_EQ(page.SSTab1->Tab(), 1);
    ASSERT_TRUE(activateAgain(page));
    EXPECT_EQ(page.SSTab1->Tab(), 0);

    user::click(page.cmdSave);
    EXPECT_EQ(shown(), QStringList({kSaved}));
    EXPECT_EQ(stored(), QStringList({" | | |0| | |0| |0| "}));
}

TEST_F(IlstTest, TextsAndAnswersAreStoredInOneRecordAndShownAgain) {
    rawExec(dbPath, "INSERT INTO TAV_ILST_Intervention_Records (LearnerID, " + kColumns +
                        ", Data_Year) VALUES (2, 'last year', ' ', ' ', 1, ' ', ' ', 1, ' ', 1, "
                        "' ', 2025), (3, 'other learner', ' ', ' ', 0, ' ', ' ', 0, ' ', 0, ' ', "
                        "2026)");
    Page page;
    ASSERT_TRUE(showPage(page));
    const QStringList texts = {"Ramps built",
                               "Braille course",
                               "An ISP",
                               "Mrs O'Connor agreed",
                               "Needs a DBST visit",
                               "Approved",
                               "Endorsed, see the report"};
    user::typeIntoCell(page.gridLearnerAdditionalNeeds, 1, 3, texts[0]);
    EXPECT_TRUE(page.isUnsaved());
    user::typeIntoCell(page.gridLearnerAdditionalNeeds, 1, 5, texts[1]);
    user::typeIntoCell(page.gridLearnerAdditionalNeeds, 1, 7, texts[2]);
    user::typeIntoCell(page.gridOther, 1, 3, texts[3]);
    user::typeIntoCell(page.gridOther, 1, 7, texts[4]);
    user::typeIntoCell(page.gridOther, 1, 11, texts[5]);
    user::typeIntoCell(page.gridOther, 1, 15, texts[6]);
    user::tickCell(page.gridOther, 3, 1, true);
    user::tickCell(page.gridOther, 4, 9, true); // No, which is not stored
    user::tickCell(page.gridOther, 3, 13, true);
    EXPECT_EQ(ticks(page), "10 01 10");

    user::click(page.cmdSave);
    user::click(page.cmdSave);
    EXPECT_EQ(shown(), QStringList({kSaved, kSaved}));
    EXPECT_TRUE(connectionClosed());
    EXPECT_EQ(stored(), QStringList({"Ramps built|Braille course|An ISP|1|Mrs O'Connor "
                                     "agreed|Needs a DBST visit|0|Approved|1|Endorsed, see the "
                                     "report"}));
    EXPECT_EQ(rawScalar(dbPath, "SELECT COUNT(*) FROM TAV_ILST_Intervention_Records"), "3");

    Page again;
    ASSERT_TRUE(showPage(again));
    EXPECT_EQ(again.gridLearnerAdditionalNeeds->GetText(1, 3), texts[0]);
    EXPECT_EQ(again.gridLearnerAdditionalNeeds->GetText(1, 5), texts[1]);
    EXPECT_EQ(again.gridLearnerAdditionalNeeds->GetText(1, 7), texts[2]);
    EXPECT_EQ(again.gridOther->GetText(1, 3), texts[3]);
    EXPECT_EQ(again.gridOther->GetText(1, 7), texts[4]);
    EXPECT_EQ(again.gridOther->GetText(1, 11), texts[5]);
    EXPECT_EQ(again.gridOther->GetText(1, 15), texts[6]);
    EXPECT_EQ(ticks(again), "10 01 10");
    EXPECT_FALSE(again.isUnsaved());
}

TEST_F(IlstTest, AStoredAnswerReadsYesWhenTrueOrOneAndNoOtherwise) {
    const struct {
        const char* stored;
        const char* ticks;
    } cases[] = {{"-1", "10"}, {"1", "10"}, {"0", "01"}, {"NULL", "01"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        rawExec(dbPath, QString("DELETE FROM TAV_ILST_Intervention_Records; "
                                "INSERT INTO TAV_ILST_Intervention_Records (LearnerID, "
                                "Learner_Parent_Discussed, Principal_Approve_Request_DBST, "
                                "Circuit_Manager_Endores, Data_Year) VALUES (2, 0, %1, NULL, "
                                "2026)")
                            .arg(c.stored));
        Page page;
        ASSERT_TRUE(showPage(page));
        EXPECT_EQ(ticks(page), QString("01 ") + c.ticks + " 01");
    }
}

TEST_F(IlstTest, EachPairStaysExclusiveButMayBeLeftClear) {
    Page page;
    ASSERT_TRUE(showPage(page));
    user::tickCell(page.gridOther, 4, 9, true);
    EXPECT_EQ(ticks(page), "00 01 00");
    EXPECT_TRUE(page.isUnsaved());
    user::tickCell(page.gridOther, 3, 9, true);
    EXPECT_EQ(ticks(page), "00 10 00");
    user::tickCell(page.gridOther, 4, 9, true);
    EXPECT_EQ(ticks(page), "00 01 00");
    user::tickCell(page.gridOther, 4, 9, false);
    EXPECT_EQ(ticks(page), "00 00 00");
    // The items keep to their own pair.
    user::tickCell(page.gridOther, 3, 1, true);
    user::tickCell(page.gridOther, 4, 13, true);
    EXPECT_EQ(ticks(page), "10 00 01");
    user::clickCell(page.gridOther, 3, 2); // a cell of no pair
    EXPECT_EQ(ticks(page), "10 00 01");
}

TEST_F(IlstTest, FailedSaveKeepsTheEarlierRecord) {
    rawExec(dbPath,
            "INSERT INTO TAV_ILST_Intervention_Records (LearnerID, Whole_School_Development, "
            "Data_Year) VALUES (2, 'kept', 2026);"
            "CREATE TRIGGER refuse BEFORE INSERT ON TAV_ILST_Intervention_Records "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    Page page;
    ASSERT_TRUE(showPage(page));
    user::typeIntoCell(page.gridLearnerAdditionalNeeds, 1, 3, "changed");
    user::click(page.cmdSave);
    EXPECT_EQ(errorProcedures(), QStringList({"saveData Routine"}));
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].text.contains("Location: frmILSTIntervention"));
    EXPECT_TRUE(connectionClosed());
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_EQ(rawRows(dbPath, "SELECT Whole_School_Development FROM "
                              "TAV_ILST_Intervention_Records"),
              QStringList({"kept"}));
}

TEST_F(IlstTest, FailedLoadIsReportedAndSaveRefused) {
    rawExec(dbPath,
            "INSERT INTO TAV_ILST_Intervention_Records (LearnerID, Whole_School_Development, "
            "Data_Year) VALUES (2, 'kept', 2026);"
            "ALTER TABLE TAV_ILST_Intervention_Records RENAME TO Ilst_Away");
    Page page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(errorProcedures(), QStringList({"getData Routine"}));
    EXPECT_TRUE(connectionClosed());
    rawExec(dbPath, "ALTER TABLE Ilst_Away RENAME TO TAV_ILST_Intervention_Records");
    user::click(page.cmdSave);
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_EQ(rawRows(dbPath, "SELECT Whole_School_Development FROM "
                              "TAV_ILST_Intervention_Records"),
              QStringList({"kept"}));
}

TEST_F(IlstTest, PrintsTheGridOfTheTabOnShowOnOneLandscapeSheet) {
    Page page;
    ASSERT_TRUE(showPage(page));
    user::typeIntoCell(page.gridLearnerAdditionalNeeds, 1, 3, "Ramps were built");
    user::typeIntoCell(page.gridOther, 1, 11, "The principal agrees");
    const struct {
        int tab;
        QStringList present;
        QStringList absent;
    } cases[] = {
        {Page::ActionTab,
         {"1. ACTION TAKEN TO ADDRESS", "Ramps were built"},
         {"PRINCIPAL APPROVES", "The principal agrees"}},
        {Page::OtherActionsTab,
         {"2. DISCUSSIONS HELD", "PRINCIPAL APPROVES", "The principal agrees", "CIRCUIT MANAGER"},
         {"1. ACTION TAKEN", "Ramps were built"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tab);
        const QString pdf = pdfPath(QString("ilst%1.pdf").arg(c.tab));
        printdialog::setAnswerer(printdialog::printToPdf(pdf));
        user::clickTab(page.SSTab1, c.tab);
        user::click(page.cmdPrint);
        EXPECT_TRUE(boxes().isEmpty());
        const QString text = pdfText(pdf);
        EXPECT_EQ(text.trimmed().section('\n', 0, 0).simplified(),
                  "EMIS NUMBER: 700123456 " + kCaption);
        EXPECT_TRUE(text.contains("LEARNER NAME : O'NEILL Lerato ASSESION NUMBER: 006"));
        for (const QString& word : c.present)
            EXPECT_TRUE(text.contains(word)) << word.toStdString() << "\n" << text.toStdString();
        for (const QString& word : c.absent)
            EXPECT_FALSE(text.contains(word)) << word.toStdString();
        EXPECT_EQ(pdfPages(pdf), 1);
        EXPECT_TRUE(pdfIsLandscape(pdf));
    }
    printdialog::setAnswerer(printdialog::cancel);
    user::click(page.cmdPrint);
    EXPECT_EQ(errorProcedures(), QStringList({"Print Routine"}));
}

TEST_F(IlstTest, PreviousAsksWhenUnsavedAndLeadsBackToTheSchoolRequest) {
    registerSupportForms();
    Page page;
    ASSERT_TRUE(showPage(page));
    user::typeIntoCell(page.gridOther, 1, 7, "typed");
    answerAll(msgbox::vbNo);
    user::click(page.cmdPrevious);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, "Data has NOT been Saved");
    EXPECT_FALSE(page.isClosed());
    EXPECT_EQ(page.gridOther->GetText(1, 7), "typed");
    answerAll(msgbox::vbYes);
    user::click(page.cmdPrevious);
    EXPECT_TRUE(page.isClosed());
    EXPECT_EQ(page.nextForm(), "frmSchoolRequestSupport");
    EXPECT_TRUE(stored().isEmpty());

    // A text of the first tab, and an answer, are edits too.
    expectEachEditMakesLeavingAsk<Page>(
        {[](Page& p) { user::typeIntoCell(p.gridLearnerAdditionalNeeds, 1, 5, "Braille course"); },
         [](Page& p) { user::tickCell(p.gridOther, 3, 13, true); }});
    EXPECT_TRUE(stored().isEmpty());
}

TEST_F(IlstTest, TheMainMenusButtonLeadsThroughBothPagesAndBack) {
    registerSupportForms();
    QStringList walk;
    walkChain([] { showFormChain("frmSchoolRequestSupport"); }, {"next", "previous", "menu"},
              [&walk](AssessmentPage& page) {
                  walk << page.formName() + ":" + page.windowTitle().left(24);
              });
    EXPECT_EQ(walk, QStringList({"frmSchoolRequestSupport:Support Needs Assessment",
                                 "frmILSTIntervention:RER [Section 3b: ILST RE",
                                 "frmSchoolRequestSupport:Support Needs Assessment"}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(boxes().isEmpty());
}
