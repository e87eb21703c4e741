// The individual support plan page: the learner's community barriers and
// strengths, the five action previews with their entry rows and the blank
// fields question, the per-kind save, the print of the tab on show and the
// way in from the main menu.
#include "pages/previewlist.h"
#include "platform/colors.h"
#include "services/formregistry.h"
#include "support/frmisp.h"
#include "support/supportforms.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

constexpr int S = frmISP::kFirstDataRow;

class IspTest : public PageTest {
protected:
    // Types the cells of the entry row, one after the other (an empty text
    // is the Delete key).
    static void type(Grid* entry, const QStringList& cells) {
        for (int c = 1; c <= cells.size(); ++c)
            user::typeIntoCell(entry, c, S, cells[c - 1]);
    }
    // The data rows of a preview grid, cells joined by '|'.
    static QStringList dataRows(Grid* grid) {
        QStringList out;
        for (int r = S; r <= grid->MaxRows(); ++r) {
            QStringList cells;
            for (int c = 1; c <= 6; ++c)
                cells << grid->GetText(c, r);
            out << cells.join('|');
        }
        return out;
    }
    static QStringList listRows(Grid* grid) {
        QStringList out;
        for (int r = 2; r <= grid->MaxRows(); ++r)
            out << grid->GetText(1, r);
        return out;
    }
    void storeAction(int learner, int kind, int year, const QString& target,
                     const QString& date = "2026-06-30") {
        rawExec(dbPath, QString("INSERT INTO TAV_ISP (LearnerID, [Action], Target, Strategy, "
                                "Achievement_Criteria, Person_Responsible, Review_Date, "
                                "Review_Comments, Data_Year) VALUES (%1, %2, '%3', 'strategy', "
                                "'criteria', 'Mrs Dlamini', '%4', 'comment', %5)")
                            .arg(learner)
                            .arg(kind)
                            .arg(target, date)
                            .arg(year));
    }
    QStringList stored(int kind) {
        return rawRows(dbPath, QString("SELECT Target, Strategy, Achievement_Criteria, "
                                       "Person_Responsible, Review_Date, Review_Comments FROM "
                                       "TAV_ISP WHERE LearnerID = 2 AND [Action] = %1 AND "
                                       "Data_Year = 2026 ORDER BY ID")
                                   .arg(kind));
    }
    QString countAll() { return rawScalar(dbPath, "SELECT COUNT(*) FROM TAV_ISP"); }
};

} // namespace

TEST_F(IspTest, EmptyLearnerYearShowsTheDesignedPage) {
    frmISP page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(page.windowTitle(), "RER [ ISP : INDIVIDUAL SUPPORT PLAN ]");
    EXPECT_EQ(page.lblLearner->text(), "O'NEILL Lerato : Acc Number: 006");
    EXPECT_EQ(page.txtCurrentYear->text(), "2026");
    EXPECT_FALSE(page.isUnsaved());
    EXPECT_FALSE(page.loadFailed());
    EXPECT_EQ(page.cmdNext, nullptr);
    EXPECT_EQ(page.cmdPrevious, nullptr);
    EXPECT_EQ(page.cmdPrint->objectName(), "cmdPrintPage");

    EXPECT_EQ(page.gridBarrier->GetText(1, 1), "Barrier/s or concern:\r\n");
    EXPECT_EQ(page.gridStrengths->GetText(1, 1), "Strengths:");
    EXPECT_EQ(listRows(page.gridBarrier), QStringList({""}));
    EXPECT_EQ(listRows(page.gridStrengths), QStringList({""}));
    EXPECT_EQ(page.vaSpread3->GetText(1, 1),
              "SUPPORT TARGETS (To be completed by the educator in consultation with the ILST, "
              "partents and learner)");
    EXPECT_EQ(page.gridHeading->GetText(1, 1),
              "1. ACTIONS TO BE TAKEN TO ADDRESS LEARNER'S ADDITIONAL SUPPORT NEEDS");

    const QStringList titles = {
        "Whole school development intervention",
        "Educator training or other educator support to be given",
        "Learner support to be given(e.g curriculum differentiation,adapted assessment "
        "strategies,emotional)",
        "Consultation with parents / caregivers", "Support to be provided by DBST"};
    const QStringList names[] = {
        {"gridAddAction", "gridActionPreview", "cmdAddPreview", "cmdRemove"},
        {"gridAdd2Action", "gridAction2Preview", "cmdAddTo2Preview", "cmdRemoveFrom2Preview"},
        {"gridAdd3Action", "gridAction3Preview", "cmdAddTo3Preview", "cmdRemoveFrom3Preview"},
        {"gridAdd4Action", "gridAction4Preview", "cmdAddTo4Preview", "cmdRemoveFrom4Preview"},
        {"gridAdd5Action", "gridAction5Preview", "cmdAddTo5Preview", "cmdRemoveFrom5Preview"}};
    ASSERT_EQ(page.SSTab1->count(), 5);
    for (int k = 1; k <= 5; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(page.SSTab1->tabText(k - 1), QString("Action %1").arg(k));
        Grid* entry = page.entryGrid(k);
        Grid* preview = page.previewGrid(k);
        EXPECT_EQ(entry->objectName(), names[k - 1][0]);
        EXPECT_EQ(preview->objectName(), names[k - 1][1]);
        EXPECT_EQ(page.addButton(k)->objectName(), names[k - 1][2]);
        EXPECT_EQ(page.addButton(k)->text(), "Add to Preview");
        EXPECT_EQ(page.addButton(k)->BackColor(), vbButtonFace);
        EXPECT_EQ(page.removeButton(k)->objectName(), names[k - 1][3]);
        EXPECT_EQ(page.removeButton(k)->text(), "Remove from Preview");
        EXPECT_EQ(entry->MaxRows(), 3);
        EXPECT_EQ(entry->MaxCols(), 6);
        EXPECT_EQ(entry->GetText(1, 1), titles[k - 1]);
        EXPECT_EQ(preview->MaxRows(), 2);
        EXPECT_EQ(preview->GetText(1, 1), "Preview of Actions.Click the SAVE button when all the "
                                          "Actions are listed in the Preview.");
        for (Grid* grid : {entry, preview}) {
            EXPECT_EQ(grid->GetText(1, 2), "Target to be achieved");
            EXPECT_EQ(grid->GetText(5, 2), "Review Date");
            EXPECT_EQ(grid->GetText(6, 2), "Review comments");
        }
    }
    EXPECT_EQ(page.gridAddAction, page.entryGrid(1));
    EXPECT_EQ(page.gridAction5Preview, page.previewGrid(5));
    EXPECT_EQ(page.cmdRemoveFrom3Preview, page.removeButton(3));
}

TEST_F(IspTest, BarriersAndStrengthsComeFromTheStoredCommunityFactors) {
    // As the factors page stores them: a blank cell is one blank.
    const char* rows[][2] = {{"Grandmother cares", "Household poverty"},
                             {" ", "Violence nearby"},
                             {"Church youth group", " "}};
    for (const auto& row : rows)
        rawExec(dbPath, QString("INSERT INTO TAV_Factors_Community (LearnerID, "
                                "Positive_Influence, Barrier, Data_Year) VALUES (2, '%1', '%2', "
                                "2026)")
                            .arg(row[0], row[1]));
    // Another year and another learner are not shown; nor are classroom factors.
    rawExec(dbPath, "INSERT INTO TAV_Factors_Community (LearnerID, Positive_Influence, Barrier, "
                    "Data_Year) VALUES (2, 'Old strength', 'Old barrier', 2025)");
    rawExec(dbPath, "INSERT INTO TAV_Factors_Community (LearnerID, Positive_Influence, Barrier, "
                    "Data_Year) VALUES (3, 'Other strength', 'Other barrier', 2026)");
    rawExec(dbPath, "INSERT INTO TAV_Factors_Classroom (LearnerID, Enabling_Factor, Barrier, "
                    "Data_Year) VALUES (2, 'Patient teacher', 'Crowded classroom', 2026)");

    frmISP page;
    ASSERT_TRUE(showPage(page));
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_FALSE(page.isUnsaved());
    // One row per record in both lists; a blank factor keeps its row blank.
    EXPECT_EQ(listRows(page.gridBarrier),
              QStringList({"Household poverty", "Violence nearby", ""}));
    EXPECT_EQ(listRows(page.gridStrengths),
              QStringList({"Grandmother cares", "", "Church youth group"}));
    // The lists are read only.
    for (Grid* grid : {page.gridBarrier, page.gridStrengths}) {
        for (int r = 1; r <= grid->MaxRows(); ++r)
            EXPECT_TRUE(grid->cellLocked(1, r)) << r;
    }
}

TEST_F(IspTest, FourCommunityFactorsAreInSightUnderTheirHeadings) {
    for (int i = 1; i <= 4; ++i)
        rawExec(dbPath, QString("INSERT INTO TAV_Factors_Community (LearnerID, "
                                "Positive_Influence, Barrier, Data_Year) VALUES (2, 'strength "
                                "%1', 'barrier %1', 2026)")
                            .arg(i));
    frmISP page;
    ASSERT_TRUE(showPage(page));
    for (Grid* grid : {page.gridBarrier, page.gridStrengths}) {
        ASSERT_EQ(grid->MaxRows(), 5);
        // The last factor's row ends inside the list's view.
        EXPECT_LE(grid->rowViewportPosition(4) + grid->rowHeight(4), grid->viewport()->height())
            << grid->objectName().toStdString();
    }
}

TEST_F(IspTest, EachKindLoadsItsOwnStoredActions) {
    storeAction(2, 1, 2026, "Ramp at the gate");
    storeAction(2, 3, 2026, "Extra time in tests");
    storeAction(2, 3, 2026, "Reader for exams");
    storeAction(2, 3, 2025, "Last year action");
    storeAction(3, 3, 2026, "Another learner action");

    frmISP page;
    ASSERT_TRUE(showPage(page));
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_FALSE(page.isUnsaved());
    EXPECT_EQ(dataRows(page.previewGrid(1)),
              QStringList({"Ramp at the gate|strategy|criteria|Mrs Dlamini|2026-06-30|comment"}));
    EXPECT_EQ(dataRows(page.previewGrid(3)),
              QStringList({"Extra time in tests|strategy|criteria|Mrs Dlamini|2026-06-30|comment",
                           "Reader for exams|strategy|criteria|Mrs Dlamini|2026-06-30|comment"}));
    for (int k : {2, 4, 5})
        EXPECT_EQ(page.previewGrid(k)->MaxRows(), 2) << k;
    // Loaded rows are 20 high and wrap their texts.
    EXPECT_NEAR(page.previewGrid(3)->RowHeight(4), 20, 0.5);
    EXPECT_TRUE(page.previewGrid(3)->cellFormat(6, 4).multiLine);
}

TEST_F(IspTest, AddAsksForBlankFieldsAndMovesTheEntryRowIntoThePreview) {
    frmISP page;
    ASSERT_TRUE(showPage(page));
    Grid* entry = page.gridAdd2Action;
    Grid* preview = page.gridAction2Preview;
    SaveButton* add = page.cmdAddTo2Preview;

    // Blanks typed into the entry row are no entry: neither flag shows.
    type(entry, {"  ", " "});
    EXPECT_EQ(add->BackColor(), vbButtonFace);
    EXPECT_EQ(page.addButton(1)->BackColor(), vbButtonFace);
    EXPECT_FALSE(page.isUnsaved());

    // Blanks only: nothing is added and nothing asked; the Add button is restored.
    user::click(add);
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(add->BackColor(), vbButtonFace);
    EXPECT_EQ(preview->MaxRows(), 2);

    // Only the target filled: the list starts with a line break; No keeps the entry.
    type(entry, {"Workshop on reading", "", " ", "", "", ""});
    user::click(add);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, "User Question?");
    EXPECT_EQ(boxes()[0].text, "You have left the following fields blank: \r\n\r\n - Strategy\r\n"
                               " - Achievement criteria\r\n - Person responsible\r\n - Review "
                               "Date\r\n - Review Comment\r\n\r\nAre you sure you want to leave "
                               "them blank?");
    EXPECT_EQ(preview->MaxRows(), 2);
    EXPECT_EQ(entry->GetText(1, S), "Workshop on reading");
    EXPECT_EQ(add->BackColor(), vbYellow);
    EXPECT_TRUE(page.isUnsaved()); // the entry kept waits: an unsaved change
    EXPECT_EQ(page.addButton(1)->BackColor(), vbButtonFace);

    // Only the target blank: the list is that field alone; Yes adds the row as typed.
    boxes().clear();
    answerAll(msgbox::vbYes);
    type(entry, {" ", " Teachers' course ", "All attend", "Principal", "2026-09-01", "Check"});
    user::click(add);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, "You have left the following fields blank: \r\n - Target to be "
                               "achived\r\n\r\nAre you sure you want to leave them blank?");
    EXPECT_EQ(dataRows(preview),
              QStringList({" | Teachers' course |All attend|Principal|2026-09-01|Check"}));
    EXPECT_EQ(dataRows(entry), QStringList({"|||||"}));
    EXPECT_EQ(add->BackColor(), vbButtonFace);
    EXPECT_TRUE(page.isUnsaved());

    // Every field filled: no question; the new row goes last.
    boxes().clear();
    type(entry, {"a", "b", "c", "d", "e", "f"});
    user::click(add);
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(preview->MaxRows(), 4);
    EXPECT_EQ(dataRows(preview).last(), "a|b|c|d|e|f");
    // The other kinds are untouched.
    EXPECT_EQ(page.gridActionPreview->MaxRows(), 2);

    // Add of another kind does nothing here.
    type(entry, {"x", "x", "x", "x", "x", "x"});
    user::click(page.addButton(1));
    EXPECT_EQ(preview->MaxRows(), 4);
}

TEST_F(IspTest, RemoveAndHighlightWorkOnDataRowsOnly) {
    storeAction(2, 4, 2026, "first");
    storeAction(2, 4, 2026, "second");
    storeAction(2, 4, 2026, "third");
    frmISP page;
    ASSERT_TRUE(showPage(page));
    Grid* preview = page.gridAction4Preview;

    // The cursor on a heading row: nothing is removed, the page stays saved.
    for (int row : {1, 2}) {
        user::clickCell(preview, 1, row);
        user::click(page.cmdRemoveFrom4Preview);
        EXPECT_EQ(preview->MaxRows(), 5);
        EXPECT_FALSE(page.isUnsaved());
    }
    // The empty preview of another kind: nothing to remove.
    user::click(page.removeButton(5));
    EXPECT_EQ(page.gridAction5Preview->MaxRows(), 2);
    EXPECT_FALSE(page.isUnsaved());

    user::clickCell(preview, 2, 4);
    user::click(page.cmdRemoveFrom4Preview);
    EXPECT_EQ(preview->MaxRows(), 4);
    EXPECT_EQ(preview->GetText(1, 3), "first");
    EXPECT_EQ(preview->GetText(1, 4), "third");
    EXPECT_TRUE(page.isUnsaved());

    // A click on a data row leaves that row alone blue and bold.
    user::clickCell(preview, 1, 3);
    user::clickCell(preview, 1, 4);
    for (int c = 1; c <= 6; ++c) {
        EXPECT_EQ(preview->cellForeColor(c, 4), vbBlue);
        EXPECT_TRUE(preview->cellBold(c, 4));
        EXPECT_EQ(preview->cellForeColor(c, 3), vbBlack);
        EXPECT_FALSE(preview->cellBold(c, 3));
    }
    // A heading row changes nothing.
    user::clickCell(preview, 1, 2);
    EXPECT_EQ(preview->cellForeColor(1, 4), vbBlue);

    // Typing into a preview is discarded.
    user::clickCell(preview, 1, 4);
    user::type("x");
    user::key(Qt::Key_Delete);
    EXPECT_EQ(preview->GetText(1, 4), "third");

    // ChangeAddButtoColor knows kinds 1 to 5 only.
    page.ChangeAddButtoColor(3);
    EXPECT_EQ(page.cmdAddTo3Preview->BackColor(), vbYellow);
    page.ChangeAddButtoColor(0);
    page.ChangeAddButtoColor(6);
}

TEST_F(IspTest, SaveReplacesEveryKindAndReadsBackUnchanged) {
    storeAction(2, 1, 2026, "to be replaced");
    storeAction(2, 2, 2026, "to be removed");
    storeAction(2, 1, 2025, "last year stays");
    storeAction(3, 1, 2026, "another learner stays");
    answerAll(msgbox::vbYes);
    {
        frmISP page;
        ASSERT_TRUE(showPage(page));
        user::clickCell(page.gridActionPreview, 1, 3);
        user::click(page.cmdRemove);
        user::clickCell(page.gridAction2Preview, 1, 3);
        user::click(page.cmdRemoveFrom2Preview);
        type(page.gridAddAction, {"Learner's 'buddy' system", "Pair with a peer", "Settles in",
                                  "O'Brien", "End of term's week", ""});
        user::click(page.cmdAddPreview);
        type(page.gridAdd5Action, {"DBST visit", "", "", "", "", ""});
        user::click(page.cmdAddTo5Preview);
        // A preview row whose cells are all blank is not stored (no Add puts
        // one there).
        page.gridAction5Preview->setMaxRows(4);
        page.gridAction5Preview->SetText(2, 4, "  ");
        boxes().clear();

        user::click(page.cmdSave);
        EXPECT_EQ(shown(), QStringList({kSaved}));
        EXPECT_FALSE(page.isUnsaved());
        EXPECT_TRUE(connectionClosed());
        // Saving twice gives the same rows.
        user::click(page.cmdSave);
    }
    EXPECT_EQ(stored(1), QStringList({"Learner's 'buddy' system|Pair with a peer|Settles "
                                      "in|O'Brien|End of term's week| "}));
    EXPECT_TRUE(stored(2).isEmpty());
    EXPECT_EQ(stored(5), QStringList({"DBST visit| | | | | "}));
    EXPECT_EQ(countAll(), "4");

    frmISP again;
    ASSERT_TRUE(showPage(again));
    EXPECT_EQ(dataRows(again.gridActionPreview),
              QStringList({"Learner's 'buddy' system|Pair with a peer|Settles in|O'Brien|End of "
                           "term's week| "}));
    EXPECT_EQ(again.gridAction2Preview->MaxRows(), 2);

    // Save with every preview emptied deletes every action of the learner-year.
    for (int k = 1; k <= 5; ++k) {
        while (again.previewGrid(k)->MaxRows() > 2) {
            user::clickCell(again.previewGrid(k), 1, S);
            user::click(again.removeButton(k));
        }
    }
    user::click(again.cmdSave);
    for (int k = 1; k <= 5; ++k)
        EXPECT_TRUE(stored(k).isEmpty()) << k;
    EXPECT_EQ(countAll(), "2");
}

TEST_F(IspTest, AKindThatFailsKeepsItsRowsWhileTheOthersAreSaved) {
    storeAction(2, 3, 2026, "kept");
    frmISP page;
    ASSERT_TRUE(showPage(page));
    type(page.gridAddAction, {"t1", "s1", "c1", "p1", "r1", "x1"});
    user::click(page.cmdAddPreview);
    // The database refuses the third kind's rows.
    rawExec(dbPath, "CREATE TRIGGER refuse_kind_3 BEFORE INSERT ON TAV_ISP WHEN NEW.[Action] = 3 "
                    "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    type(page.gridAdd3Action, {"t3", "s3", "c3", "p3", "r3", "x3"});
    user::click(page.cmdAddTo3Preview);
    type(page.gridAdd4Action, {"t4", "s4", "c4", "p4", "r4", "x4"});
    user::click(page.cmdAddTo4Preview);
    boxes().clear();

    user::click(page.cmdSave);
    EXPECT_EQ(errorProcedures(), QStringList({"saveAction Routine"}));
    ASSERT_FALSE(boxes().isEmpty());
    EXPECT_EQ(boxes()[0].text.section("Location: ", 1).section('\n', 0, 0).trimmed(), "frmISP");
    // Not reported as saved: the page still shows unsaved edits.
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_TRUE(connectionClosed());
    EXPECT_EQ(stored(1), QStringList({"t1|s1|c1|p1|r1|x1"}));
    EXPECT_EQ(stored(3).size(), 1);
    EXPECT_TRUE(stored(3)[0].startsWith("kept|"));
    EXPECT_EQ(stored(4), QStringList({"t4|s4|c4|p4|r4|x4"}));
}

TEST_F(IspTest, AFailedLoadIsReportedAndRefusesTheSave) {
    storeAction(2, 1, 2026, "stored");
    rawExec(dbPath, "DROP TABLE TAV_Factors_Community");
    {
        frmISP page;
        ASSERT_TRUE(showPage(page));
        EXPECT_EQ(errorProcedures(), QStringList({"getBarriers Routine"}));
        EXPECT_TRUE(connectionClosed());
        // The actions loaded all the same.
        EXPECT_EQ(page.gridActionPreview->GetText(1, 3), "stored");
        EXPECT_TRUE(page.loadFailed());
    }
    checkTables();
    rawExec(dbPath, "ALTER TABLE TAV_ISP RENAME TO TAV_ISP_Gone");
    boxes().clear();
    frmISP page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(errorProcedures(), QStringList(5, "getAction Routine"));
    boxes().clear();
    user::click(page.cmdSave);
    // Nothing was written: the stored rows are kept.
    EXPECT_TRUE(errorProcedures().isEmpty());
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_EQ(rawScalar(dbPath, "SELECT COUNT(*) FROM TAV_ISP_Gone"), "1");
}

TEST_F(IspTest, PrintShowsTheListsAndTheCurrentKindOverAsManyPagesAsItNeeds) {
    rawExec(dbPath, "INSERT INTO TAV_Factors_Community (LearnerID, Positive_Influence, Barrier, "
                    "Data_Year) VALUES (2, 'Grandmother cares', 'Household poverty', 2026)");
    for (int i = 1; i <= 70; ++i)
        storeAction(2, 4, 2026, QString("Parent meeting %1").arg(i));
    storeAction(2, 1, 2026, "Ramp at the gate");
    frmISP page;
    ASSERT_TRUE(showPage(page));
    EXPECT_EQ(page.SSTab1->Tab(), 0);

    // The first tab: one landscape page.
    QString pdf = pdfPath("action1.pdf");
    printdialog::setAnswerer(printdialog::printToPdf(pdf));
    user::click(page.cmdPrint);
    EXPECT_TRUE(boxes().isEmpty());
    QString text = pdfText(pdf);
    EXPECT_EQ(text.trimmed().section('\n', 0, 0).trimmed(),
              "EMIS NUMBER: 700123456 RER [ ISP : INDIVIDUAL SUPPORT PLAN ]");
    for (const char* word :
         {"LEARNER NAME : O'NEILL Lerato ASSESION NUMBER: 006",
          "Barrier/s or concern:", "Household poverty", "Strengths:", "Grandmother cares",
          "1. ACTIONS TO BE TAKEN TO ADDRESS LEARNER'S ADDITIONAL SUPPORT NEEDS",
          "WHOLE SCHOOL DEVELOPMENT INTERVENTION", "Ramp at the gate"})
        EXPECT_TRUE(text.contains(word)) << word << "\n" << text.toStdString();
    for (const char* word : {"SUPPORT TARGETS", "Parent meeting", "CONSULTATION WITH"})
        EXPECT_FALSE(text.contains(word)) << word;
    EXPECT_EQ(pdfPages(pdf), 1);
    EXPECT_TRUE(pdfIsLandscape(pdf));

    // The fourth tab's long preview: every row printed, the page's heading
    // and the preview's column headings on every sheet.
    user::clickTab(page.SSTab1, 3);
    pdf = pdfPath("action4.pdf");
    printdialog::setAnswerer(printdialog::printToPdf(pdf));
    user::click(page.cmdPrint);
    EXPECT_TRUE(boxes().isEmpty());
    const int pages = pdfPages(pdf);
    EXPECT_GE(pages, 3);
    text = pdfText(pdf);
    EXPECT_EQ(text.count("EMIS NUMBER"), pages);
    EXPECT_EQ(text.count("LEARNER NAME : O'NEILL Lerato"), pages);
    for (int p = 2; p <= pages; ++p)
        EXPECT_TRUE(withoutSpaces(pdfPageText(pdf, p)).contains("Targettobeachieved")) << p;
    EXPECT_EQ(text.count("CONSULTATION WITH PARENTS/CAREGIVERS"), 1);
    EXPECT_EQ(text.count("Household poverty"), 1);
    EXPECT_TRUE(text.section('\f', 0, 0).contains("EMIS NUMBER"));
    for (int i = 1; i <= 70; ++i)
        EXPECT_TRUE(text.contains(QRegularExpression(QString("Parent meeting %1\\b").arg(i)))) << i;
    EXPECT_FALSE(text.contains("Ramp at the gate"));
    // On the first sheet the title stands between the heading grid and the preview.
    const QRectF heading = pdfWordBox(pdf, "ACTIONS");
    const QRectF title = pdfWordBox(pdf, "CONSULTATION");
    const QRectF preview = pdfWordBox(pdf, "Preview");
    ASSERT_FALSE(heading.isNull() || title.isNull() || preview.isNull());
    EXPECT_LT(heading.bottom(), title.top());
    EXPECT_LT(title.bottom(), preview.top());

    // Cancel in the printer dialog: the error report, nothing printed.
    const QString cancelled = pdfPath("cancelled.pdf");
    printdialog::setAnswerer([&](QPrinter& printer) {
        printdialog::printToPdf(cancelled)(printer);
        return false;
    });
    user::click(page.cmdPrint);
    EXPECT_EQ(errorProcedures(), QStringList({"Print Routine"}));
    EXPECT_FALSE(QFile::exists(cancelled));
}

TEST_F(IspTest, ALongBarrierListGoesOnBesideTheStrengthsOnTheNextSheet) {
    // 36 community rows: every one a barrier of two lines, the first five a strength too.
    QStringList inserts;
    for (int i = 1; i <= 36; ++i)
        inserts << QString("INSERT INTO TAV_Factors_Community (LearnerID, Positive_Influence, "
                           "Barrier, Data_Year) VALUES (2, '%1', 'Barrier bar%2 keeps the learner "
                           "from class on many days of the week, so the work falls behind', "
                           "2026)")
                       .arg(i <= 5 ? QString("Strength str%1").arg(i) : QString(" "))
                       .arg(i, 2, 10, QChar('0'));
    rawExec(dbPath, inserts.join(';'));
    frmISP page;
    ASSERT_TRUE(showPage(page));
    const QString pdf = clickPrint(page, "barriers.pdf");
    EXPECT_TRUE(boxes().isEmpty());

    ASSERT_EQ(pdfPages(pdf), 2);
    const QHash<QString, int> counts = printedWordCounts(pdf);
    QHash<QString, PdfWord> words;
    for (const PdfWord& w : pdfWords(pdf))
        words.insert(w.text, w);
    for (int i = 1; i <= 36; ++i)
        EXPECT_EQ(counts.value(QString("bar%1").arg(i, 2, 10, QChar('0'))), 1) << i;
    // The strengths stand beside the barriers on the first sheet.
    for (int i = 1; i <= 5; ++i) {
        const PdfWord strength = words.value(QString("str%1").arg(i));
        EXPECT_EQ(strength.page, 1) << i;
        EXPECT_GT(strength.box.left(), words["bar01"].box.right());
    }
    EXPECT_NEAR(words["str1"].box.top(), words["bar01"].box.top(), 1);
    // The barriers go on at the top margin of the second sheet, and the
    // actions follow below them there.
    EXPECT_EQ(words["bar36"].page, 2);
    EXPECT_LT(firstWordTop(pdf, 2), 800 / 20.0 + 5);
    const PdfWord actions = words["ACTIONS"];
    EXPECT_EQ(actions.page, 2);
    EXPECT_GT(actions.box.top(), words["bar36"].box.bottom());
}

TEST_F(IspTest, TheMainMenuButtonShowsThePageAndMainMenuLeavesIt) {
    registerSupportForms();
    ASSERT_TRUE(isFormRegistered("frmISP"));
    QString shownForm;
    walkChain([] { showFormChain("frmISP"); }, {"menu"},
              [&](AssessmentPage& shown) {
                  auto* page = qobject_cast<frmISP*>(&shown);
                  ASSERT_NE(page, nullptr);
                  shownForm = page->formName();
                  EXPECT_EQ(page->SSTab1->Tab(), 0);
                  // Unsaved edits: No keeps the page, Yes leaves it.
                  user::typeIntoCell(page->gridAddAction, 1, S, "Ramp");
                  answerAll(msgbox::vbNo);
                  user::click(page->cmdMenu);
                  EXPECT_FALSE(page->isClosed());
                  EXPECT_EQ(boxes().last().title, "Data has NOT been Saved");
                  answerAll(msgbox::vbYes);
                  user::click(page->cmdMenu);
                  EXPECT_TRUE(page->isClosed());
              });
    EXPECT_EQ(shownForm, "frmISP");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(IspTest, EntryCellsTakeNoMoreThanTheirColumnsHold) {
    frmISP page;
    ASSERT_TRUE(showPage(page));
    Grid* entry = page.gridAddAction;
    const QString date = "By the end of the third school term 2026";              // 40 characters
    const QString target = QString("Reads a graded reader aloud. ").repeated(11); // 319
    user::typeIntoCell(entry, 5, S, date, 10);
    user::typeIntoCell(entry, 1, S, target, 10);
    EXPECT_EQ(entry->GetText(5, S), date.left(30));
    EXPECT_EQ(entry->GetText(1, S), target.left(255));

    answerAll(msgbox::vbYes);
    user::click(page.cmdAddPreview);
    boxes().clear();
    user::click(page.cmdSave);
    EXPECT_EQ(shown(), QStringList{kSaved});
    EXPECT_EQ(rawRows(dbPath, "SELECT Target, Review_Date FROM TAV_ISP WHERE LearnerID = 2 AND "
                              "Data_Year = 2026"),
              QStringList{target.left(255) + "|" + date.left(30)});
}
