// Section 2 factors page: the three preview lists, their rows in the three
// tables, the summary of stored factors, the print of the tab on show and the
// way back to the barriers page.
#include "pages/previewlist.h"
#include "profile/frmextendedprofile1.h"
#include "profile/frmextendedprofile2.h"
#include "profile/profileforms.h"
#include "services/formregistry.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

constexpr int S = frmExtendedProfile2::kFirstDataRow;

class ExtendedProfile2Test : public PageTest {
protected:
    // Types text into the list's entry box (or pastes it), clicks column A or
    // B and clicks Add.
    static void add(PreviewList* list, const QString& text, char column,
                    Entry entry = Entry::Typed) {
        addToPreview(list, text, column == 'A', entry);
    }
    // The data rows of a preview grid as "col1|col2".
    static QStringList dataRows(Grid* grid) {
        QStringList out;
        for (int r = S; r <= grid->MaxRows(); ++r)
            out << grid->GetText(1, r) + "|" + grid->GetText(2, r);
        return out;
    }
    QStringList stored(const QString& table, const QString& column1) {
        return learnerYearRows(column1 + ", Barrier", table, " ORDER BY ID");
    }
    QStringList storedCommunity() { return stored("TAV_Factors_Community", "Positive_Influence"); }
    QStringList storedClassroom() { return stored("TAV_Factors_Classroom", "Enabling_Factor"); }
    QStringList storedSchool() { return stored("TAV_Factors_School", "Enabling_Factor"); }
};

} // namespace

TEST_F(ExtendedProfile2Test, EmptyLearnerYearShowsTheDesignedTabs) {
    frmExtendedProfile2 page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(page.windowTitle(), "RER [ Section 2: EXTENDED PROFILE OF LEARNER NEEDS ]");
    EXPECT_EQ(page.vaSpread1->GetText(1, 1),
              "2.2 CONTEXTUAL FACTORS IMPACTING ON THE LEARNER, COMMUNITY AND FAMILY\r\n");
    ASSERT_EQ(page.tab1->count(), 4);
    const QStringList captions = {"COMMUNITY", "CLASSROOM", "SCHOOL",
                                  "SUMMARY OF BARRIERS TO LEARNING"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(page.tab1->tabText(i), captions[i]);

    for (Grid* grid : {page.gridCommunity, page.gridClassroom, page.gridSchool}) {
        SCOPED_TRACE(grid->objectName().toStdString());
        EXPECT_EQ(grid->MaxCols(), 2);
        EXPECT_EQ(grid->MaxRows(), 7);
        EXPECT_EQ(grid->GetText(1, 2), "Select Option below and enter the Factor in the box and "
                                       "then click the \"Add to Preview\" button.");
        EXPECT_EQ(grid->GetText(1, 3), "");
        EXPECT_EQ(grid->GetText(1, 4), "Preview Captured Information");
        EXPECT_EQ(grid->GetText(1, 5), "ENABLING FACTORS");
        EXPECT_EQ(grid->GetText(2, 5), "BARRIERS");
        EXPECT_EQ(dataRows(grid), QStringList({"|"}));
    }
    EXPECT_EQ(page.gridCommunity->GetText(2, 6),
              "e.g poverty, violence, physical abuse, substance abuse, sexual abuse, poor "
              "parenting or absence of parental figures, trauma, illness. ");
    EXPECT_TRUE(page.gridClassroom->GetText(1, 6).startsWith(
        "Your answer may include a description of any one or more of the factors below, which "
        "have a positive impact on the learner's capacity for learning, for example:\r\n"
        "   * Teaching methodology\r\n   * Curriculum differentiation\r\n"));
    EXPECT_TRUE(
        page.gridClassroom->GetText(2, 6).endsWith("\r\n   * Peer relationships\r\n   * etc  "));
    EXPECT_TRUE(page.gridSchool->GetText(2, 6).startsWith(
        "Your answer may include a description of any one or more of the factors below, which "
        "have had a negative impact on the learner's capacity for learning, for example:\r\n"
        "   * Ethos of the school\r\n"));
    EXPECT_TRUE(
        page.gridSchool->GetText(1, 6).endsWith("\r\n   * Issues of Governance\r\n   * etc"));

    EXPECT_EQ(page.gridSummHeader->GetText(1, 1), "SUMMARY OF BARRIERS TO LEARNING\r\n");
    EXPECT_EQ(page.gridSummBarriers->GetText(1, 1), "BARRIERS\r\n");
    EXPECT_EQ(page.gridSummEnabling->GetText(1, 1), "ENABLING FACTORS");
    EXPECT_EQ(page.gridSummBarriers->GetText(1, 2), "");
    EXPECT_EQ(page.gridSummEnabling->GetText(1, 2), "");

    EXPECT_FALSE(page.isUnsaved());
    EXPECT_EQ(page.cmdPrevious->text(), "Previous Page");
    EXPECT_EQ(page.cmdNext, nullptr);
    EXPECT_EQ(page.cmdPrint->objectName(), "cmdPrintPage");
    EXPECT_EQ(page.optBarriers->text(), "Barrier");
    EXPECT_EQ(page.optClassroomBarrier->text(), "Barriers");
    EXPECT_EQ(page.optSchoolEnabling->text(), "Enabling Factors");
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_TRUE(connectionClosed());

    // Each activation shows the COMMUNITY tab again.
    user::clickTab(page.tab1, frmExtendedProfile2::SchoolTab);
    ASSERT_EQ(page.tab1->Tab(), frmExtendedProfile2::SchoolTab);
    ASSERT_TRUE(activateAgain(page));
    EXPECT_EQ(page.tab1->Tab(), frmExtendedProfile2::CommunityTab);
}

TEST_F(ExtendedProfile2Test, EachListRefusesBlanksAndMissingOptionsWithItsOwnMessages) {
    const QString community = "Positive Infuence or Barrier";
    const QString other = "Enabling Factor or Barrier";
    frmExtendedProfile2 page;
    ASSERT_TRUE(showPage(page));
    const struct {
        PreviewList* list;
        QString words;
    } cases[] = {
        {page.communityList, community}, {page.classroomList, other}, {page.schoolList, other}};
    for (const auto& c : cases) {
        boxes().clear();
        user::typeIntoBox(c.list->entryBox(), "  ");
        user::click(c.list->addButton());
        user::typeIntoBox(c.list->entryBox(), "trauma");
        user::click(c.list->addButton()); // no option chosen yet
        EXPECT_EQ(shown(),
                  QStringList({"User Message: You must enter the " + c.words + ".",
                               "User Message: You must select the " + c.words + " options."}));
        EXPECT_EQ(dataRows(c.list->grid()), QStringList({"|"}));
        // "trauma" waits in the box, not added: an unsaved change until it goes.
        EXPECT_TRUE(page.isUnsaved());
        user::typeIntoBox(c.list->entryBox(), "");
    }
    EXPECT_FALSE(page.isUnsaved());
}

TEST_F(ExtendedProfile2Test, EntriesOfBothColumnsAreStoredOneRecordPerRowAndComeBackInPlace) {
    rawExec(dbPath, "INSERT INTO TAV_Factors_Community (LearnerID, Positive_Influence, Barrier, "
                    "Data_Year) VALUES (2, 'last year', 'kept', 2025), (3, 'other learner', "
                    "'kept', 2026)");
    frmExtendedProfile2 page;
    ASSERT_TRUE(showPage(page));
    // Community: 3 enabling factors and 1 barrier.
    add(page.communityList, "caregiver present", 'A');
    add(page.communityList, "home based care", 'A');
    add(page.communityList, "O'Brien family support", 'A');
    add(page.communityList, "poverty", 'B');
    // Classroom: a row with only a barrier.
    add(page.classroomList, "peer relationships", 'A');
    add(page.classroomList, "large class", 'B');
    add(page.classroomList, " language of teaching ", 'B');
    // School: only barriers, so column 1 stays blank.
    add(page.schoolList, "no ramps", 'B');
    EXPECT_TRUE(page.isUnsaved());

    user::click(page.cmdSave);
    EXPECT_EQ(shown(), QStringList({kSaved}));
    EXPECT_FALSE(page.isUnsaved());
    EXPECT_TRUE(connectionClosed());
    EXPECT_EQ(storedCommunity(), QStringList({"caregiver present|poverty", "home based care| ",
                                              "O'Brien family support| "}));
    EXPECT_EQ(storedClassroom(),
              QStringList({"peer relationships|large class", " | language of teaching "}));
    EXPECT_EQ(storedSchool(), QStringList({" |no ramps"}));
    EXPECT_EQ(rawRows(dbPath, "SELECT Positive_Influence FROM TAV_Factors_Community WHERE "
                              "LearnerID <> 2 OR Data_Year <> 2026 ORDER BY ID"),
              QStringList({"last year", "other learner"}));

    // The reload shows the stored rows with one blank row after them.
    const QStringList community = {"caregiver present|poverty", "home based care| ",
                                   "O'Brien family support| ", "|"};
    EXPECT_EQ(dataRows(page.gridCommunity), community);

    // Saving again stores the same rows; a fresh opening shows them in the same rows.
    user::click(page.cmdSave);
    EXPECT_EQ(storedCommunity().size(), 3);
    frmExtendedProfile2 again;
    ASSERT_TRUE(showPage(again));
    EXPECT_EQ(dataRows(again.gridCommunity), community);
    EXPECT_EQ(dataRows(again.gridClassroom),
              QStringList({"peer relationships|large class", " | language of teaching ", "|"}));
    EXPECT_EQ(dataRows(again.gridSchool), QStringList({" |no ramps", "|"}));
    EXPECT_FALSE(again.isUnsaved());

    // An enabling factor goes beside the first barrier that has none; the
    // grid then ends one row after the first blank barrier.
    add(again.schoolList, "safe environment", 'A');
    EXPECT_EQ(dataRows(again.gridSchool), QStringList({"safe environment|no ramps", "|", "|"}));
}

TEST_F(ExtendedProfile2Test, SummaryListsTheStoredFactorsOnly) {
    rawExec(dbPath,
            "INSERT INTO TAV_Factors_School (LearnerID, Enabling_Factor, Barrier, Data_Year) "
            "VALUES (2, 'ethos', 'no ramps', 2026);"
            "INSERT INTO TAV_Factors_Community (LearnerID, Positive_Influence, Barrier, "
            "Data_Year) VALUES (2, 'caregiver', 'poverty', 2026), (2, 'church group', ' ', 2026);"
            "INSERT INTO TAV_Factors_Classroom (LearnerID, Enabling_Factor, Barrier, Data_Year) "
            "VALUES (2, ' ', 'large class', 2026)");
    frmExtendedProfile2 page;
    ASSERT_TRUE(showPage(page));
    // Community, classroom, school; a stored blank gives a line of one blank.
    EXPECT_EQ(page.gridSummBarriers->GetText(1, 2), "poverty\r\n \r\nlarge class\r\nno ramps\r\n");
    EXPECT_EQ(page.gridSummEnabling->GetText(1, 2), "caregiver\r\nchurch group\r\n \r\nethos\r\n");

    // Add and Remove leave the summary as stored until the next Save.
    add(page.classroomList, "peer support", 'A');
    user::clickCell(page.gridCommunity, 1, S);
    user::click(page.cmdRemove);
    EXPECT_EQ(dataRows(page.gridCommunity), QStringList({"church group| ", "|", "|"}));
    EXPECT_EQ(page.gridSummBarriers->GetText(1, 2), "poverty\r\n \r\nlarge class\r\nno ramps\r\n");
    EXPECT_EQ(page.gridSummEnabling->GetText(1, 2), "caregiver\r\nchurch group\r\n \r\nethos\r\n");

    user::click(page.cmdSave);
    EXPECT_EQ(page.gridSummBarriers->GetText(1, 2), " \r\nlarge class\r\nno ramps\r\n");
    EXPECT_EQ(page.gridSummEnabling->GetText(1, 2), "church group\r\npeer support\r\nethos\r\n");
    EXPECT_EQ(dataRows(page.gridClassroom), QStringList({"peer support|large class", "|"}));
}

TEST_F(ExtendedProfile2Test, FailedSaveKeepsTheTypedRowsUnsavedAndTheStoredRowsAsTheyWere) {
    rawExec(dbPath, "INSERT INTO TAV_Factors_Community (LearnerID, Positive_Influence, Barrier, "
                    "Data_Year) VALUES (2, 'stored factor', 'stored barrier', 2026);"
                    "CREATE TRIGGER refuse BEFORE INSERT ON TAV_Factors_School "
                    "BEGIN SELECT RAISE(ABORT, 'the table is read only'); END;");
    frmExtendedProfile2 page;
    ASSERT_TRUE(showPage(page));
    user::clickCell(page.gridCommunity, 1, S);
    user::click(page.cmdRemove);
    add(page.communityList, "typed factor", 'A');
    add(page.schoolList, "typed school barrier", 'B');
    user::click(page.cmdSave);

    EXPECT_EQ(errorProcedures(), QStringList({"saveData Routine"}));
    ASSERT_EQ(boxes().size(), 1); // no confirmation
    EXPECT_TRUE(boxes()[0].text.contains("Location: frmExtendedProfile2"));
    EXPECT_TRUE(connectionClosed());
    // The community delete and insert were rolled back with the school insert.
    EXPECT_EQ(storedCommunity(), QStringList({"stored factor|stored barrier"}));
    EXPECT_TRUE(storedSchool().isEmpty());
    // The page was not reloaded over the typed rows.
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_EQ(dataRows(page.gridCommunity), QStringList({"typed factor|", "|"}));
    EXPECT_EQ(dataRows(page.gridSchool), QStringList({"|typed school barrier", "|"}));
    EXPECT_EQ(page.gridSummEnabling->GetText(1, 2), "stored factor\r\n");

    // Once the table takes rows again the same rows are saved.
    rawExec(dbPath, "DROP TRIGGER refuse");
    boxes().clear();
    user::click(page.cmdSave);
    EXPECT_EQ(shown(), QStringList({kSaved}));
    EXPECT_EQ(storedCommunity(), QStringList({"typed factor| "}));
    EXPECT_EQ(storedSchool(), QStringList({" |typed school barrier"}));
    EXPECT_EQ(page.gridSummEnabling->GetText(1, 2), "typed factor\r\n \r\n");
}

TEST_F(ExtendedProfile2Test, PrintsTheTabOnShowInLandscape) {
    rawExec(dbPath,
            "INSERT INTO TAV_Factors_Community (LearnerID, Positive_Influence, Barrier, "
            "Data_Year) VALUES (2, 'Grandmother cares', 'Household poverty', 2026);"
            "INSERT INTO TAV_Factors_Classroom (LearnerID, Enabling_Factor, Barrier, Data_Year) "
            "VALUES (2, 'Patient teacher', 'Crowded classroom', 2026)");
    frmExtendedProfile2 page;
    ASSERT_TRUE(showPage(page));

    const struct {
        int tab;
        QStringList present;
        QStringList absent;
    } cases[] = {
        {frmExtendedProfile2::CommunityTab,
         {"Grandmother cares", "Household poverty", "community and family are impacting"},
         {"Patient teacher", "SUMMARY OF BARRIERS"}},
        {frmExtendedProfile2::ClassroomTab,
         {"Patient teacher", "Crowded classroom", "Teaching methodology"},
         {"Grandmother cares", "SUMMARY OF BARRIERS"}},
        {frmExtendedProfile2::SummaryTab,
         {"SUMMARY OF BARRIERS TO LEARNING", "ENABLING FACTORS", "BARRIERS", "Grandmother cares",
          "Patient teacher", "Household poverty", "Crowded classroom"},
         {"Preview Captured Information"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tab);
        const QString pdf = pdfPath(QString("tab%1.pdf").arg(c.tab));
        printdialog::setAnswerer(printdialog::printToPdf(pdf));
        user::clickTab(page.tab1, c.tab);
        user::click(page.cmdPrint);
        EXPECT_TRUE(boxes().isEmpty());
        const QString text = pdfText(pdf);
        EXPECT_EQ(text.trimmed().section('\n', 0, 0).trimmed(),
                  "EMIS NUMBER: 700123456 RER [ Section 2: EXTENDED PROFILE OF LEARNER NEEDS ]");
        EXPECT_TRUE(text.contains("LEARNER NAME : O'NEILL Lerato ASSESION NUMBER: 006"));
        for (const QString& word : c.present)
            EXPECT_TRUE(text.contains(word)) << word.toStdString() << "\n" << text.toStdString();
        for (const QString& word : c.absent)
            EXPECT_FALSE(text.contains(word)) << word.toStdString();
        // The title grid above the tabs is never printed.
        EXPECT_FALSE(text.contains("2.2 CONTEXTUAL FACTORS"));
        EXPECT_EQ(pdfPages(pdf), 1);
        // Landscape: the sheet is wider than it is high.
        EXPECT_TRUE(pdfIsLandscape(pdf));
    }
}

TEST_F(ExtendedProfile2Test, ALongPreviewPrintsOverSeveralPagesWithEveryEntry) {
    frmExtendedProfile2 page;
    ASSERT_TRUE(showPage(page));
    for (int i = 1; i <= 60; ++i)
        add(page.schoolList, QString("School barrier number %1").arg(i), 'B', Entry::Pasted);
    ASSERT_EQ(page.tab1->Tab(), frmExtendedProfile2::SchoolTab);
    const QString pdf = clickPrint(page, "school.pdf");
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_GT(pdfPages(pdf), 1);
    const QString text = pdfText(pdf);
    for (int i = 1; i <= 60; ++i)
        EXPECT_TRUE(text.contains(QString("School barrier number %1\n").arg(i)) ||
                    text.contains(QString("School barrier number %1 ").arg(i)))
            << i;
}

TEST_F(ExtendedProfile2Test, TheSummaryOfEightyTwoCommunityRowsPrintsEveryLineOnce) {
    // 82 enabling factors, 54 barriers (the last rows have none).
    QStringList inserts;
    for (int i = 1; i <= 82; ++i)
        inserts << QString("INSERT INTO TAV_Factors_Community (LearnerID, Positive_Influence, "
                           "Barrier, Data_Year) VALUES (2, 'Support e%1 at home', '%2', 2026)")
                       .arg(i, 2, 10, QChar('0'))
                       .arg(i <= 54 ? QString("Strain b%1 at home").arg(i, 2, 10, QChar('0'))
                                    : QString(" "));
    rawExec(dbPath, inserts.join(';'));
    frmExtendedProfile2 page;
    ASSERT_TRUE(showPage(page));
    user::clickTab(page.tab1, frmExtendedProfile2::SummaryTab);
    const QString pdf = clickPrint(page, "summary.pdf");
    EXPECT_TRUE(boxes().isEmpty());

    const QHash<QString, int> words = printedWordCounts(pdf);
    for (int i = 1; i <= 82; ++i) {
        const QString enabling = QString("e%1").arg(i, 2, 10, QChar('0'));
        EXPECT_EQ(words.value(enabling), 1) << enabling.toStdString();
        const QString barrier = QString("b%1").arg(i, 2, 10, QChar('0'));
        EXPECT_EQ(words.value(barrier), i <= 54 ? 1 : 0) << barrier.toStdString();
    }
    // Every sheet after the first goes on from the top margin, none of them blank.
    const int sheets = pdfPages(pdf);
    EXPECT_GE(sheets, 2);
    for (int sheet = 2; sheet <= sheets; ++sheet)
        EXPECT_LT(firstWordTop(pdf, sheet), 800 / 20.0 + 5) << sheet;
}

TEST_F(ExtendedProfile2Test, PreviousPageAsksWhenUnsavedAndLeadsBackToTheBarriersPage) {
    registerProfileForms();
    frmExtendedProfile2 page;
    ASSERT_TRUE(showPage(page));
    add(page.communityList, "violence", 'B');
    answerAll(msgbox::vbNo);
    user::click(page.cmdPrevious);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, "Data has NOT been Saved");
    EXPECT_FALSE(page.isClosed());
    EXPECT_EQ(dataRows(page.gridCommunity), QStringList({"|violence", "|"}));

    answerAll(msgbox::vbYes);
    user::click(page.cmdPrevious);
    EXPECT_TRUE(page.isClosed());
    EXPECT_EQ(page.nextForm(), "frmExtendedProfile1");
    EXPECT_TRUE(storedCommunity().isEmpty());
}

TEST_F(ExtendedProfile2Test, TheBarriersPageLeadsHereAndBack) {
    registerProfileForms();
    // Barriers page: Next; factors page: Previous; barriers page: Main Menu.
    const QStringList walk =
        walkChain([] { showFormChain("frmExtendedProfile1"); }, {"next", "previous", "menu"});
    EXPECT_EQ(walk,
              QStringList({"frmExtendedProfile1", "frmExtendedProfile2", "frmExtendedProfile1"}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(ExtendedProfile2Test, FailedLoadReportsAndKeepsWhatWasRead) {
    rawExec(dbPath, "INSERT INTO TAV_Factors_Community (LearnerID, Positive_Influence, Barrier, "
                    "Data_Year) VALUES (2, 'caregiver', 'poverty', 2026);"
                    "ALTER TABLE TAV_Factors_Classroom RENAME TO Classroom_Away");
    frmExtendedProfile2 page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(errorProcedures(), QStringList({"getData Routine"}));
    EXPECT_TRUE(boxes()[0].text.contains("Location: frmExtendedProfile2"));
    EXPECT_TRUE(connectionClosed());
    EXPECT_EQ(dataRows(page.gridCommunity), QStringList({"caregiver|poverty", "|"}));
    EXPECT_EQ(page.gridSummBarriers->GetText(1, 2), "poverty\r\n");

    // Rows never read are not replaced.
    add(page.communityList, "church group", 'A');
    user::click(page.cmdSave);
    EXPECT_EQ(storedCommunity(), QStringList({"caregiver|poverty"}));
    EXPECT_FALSE(shown().contains(kSaved));
}

TEST_F(ExtendedProfile2Test, AnEntryTooLongForItsColumnIsCutAtTheBoxSoTheSaveSucceeds) {
    frmExtendedProfile2 page;
    ASSERT_TRUE(showPage(page));
    for (PreviewList* list : {page.communityList, page.classroomList, page.schoolList}) {
        SCOPED_TRACE(list->entryBox()->objectName().toStdString());
        // The box cuts a text placed in it to its limit (no key or paste puts
        // more there: those are refused and said).
        list->entryBox()->setText(QString(300, 'x'));
        user::click(list->optionB());
        user::click(list->addButton());
        EXPECT_EQ(list->grid()->GetText(2, S), QString(255, 'x'));
    }
    user::click(page.cmdSave);
    EXPECT_EQ(shown(), QStringList({kSaved}));
    EXPECT_EQ(storedSchool(), QStringList({" |" + QString(255, 'x')}));
}

TEST_F(ExtendedProfile2Test, TheSummaryListsGrowToShowEveryStoredLine) {
    frmExtendedProfile2 page;
    ASSERT_TRUE(showPage(page));
    const double designed = page.gridSummBarriers->RowHeight(2);
    for (int i = 1; i <= 30; ++i)
        add(page.communityList, QString("barrier %1").arg(i), 'B', Entry::Pasted);
    user::click(page.cmdSave);
    // Thirty lines need more than the designed height; the enabling list,
    // thirty blanks, as much.
    const double line = QFontMetrics(page.gridSummBarriers->font()).lineSpacing() * 0.75;
    EXPECT_GE(page.gridSummBarriers->RowHeight(2), 30 * line);
    EXPECT_GT(page.gridSummBarriers->RowHeight(2), designed);
    EXPECT_EQ(page.gridSummEnabling->RowHeight(2), page.gridSummBarriers->RowHeight(2));
}

TEST_F(ExtendedProfile2Test, AReloadThatFailsAfterASaveRefusesTheNextSave) {
    frmExtendedProfile2 page;
    ASSERT_TRUE(showPage(page));
    // The school table becomes a view that takes rows but cannot read them
    // back (the stored text makes its column overflow), so the save succeeds
    // and the reload fails.
    rawExec(dbPath, "ALTER TABLE TAV_Factors_School RENAME TO School_Store;"
                    "CREATE VIEW TAV_Factors_School AS SELECT ID, LearnerID, "
                    "abs(-9223372036854775807 - 1 + length(Enabling_Factor) * 0) AS "
                    "Enabling_Factor, Barrier, Data_Year "
                    "FROM School_Store;"
                    "CREATE TRIGGER view_insert INSTEAD OF INSERT ON TAV_Factors_School BEGIN "
                    "INSERT INTO School_Store (LearnerID, Enabling_Factor, Barrier, Data_Year) "
                    "VALUES (NEW.LearnerID, NEW.Enabling_Factor, NEW.Barrier, NEW.Data_Year); END;"
                    "CREATE TRIGGER view_delete INSTEAD OF DELETE ON TAV_Factors_School BEGIN "
                    "DELETE FROM School_Store WHERE ID = OLD.ID; END;");
    add(page.communityList, "caregiver", 'A');
    add(page.schoolList, "no ramps", 'B');
    user::click(page.cmdSave);
    EXPECT_EQ(errorProcedures(), QStringList({"getData Routine"}));
    EXPECT_TRUE(shown().contains(kSaved));
    EXPECT_TRUE(connectionClosed());

    boxes().clear();
    add(page.communityList, "church group", 'A');
    user::click(page.cmdSave);
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_EQ(storedCommunity(), QStringList({"caregiver| "}));
}
