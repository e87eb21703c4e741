// Section 2 barriers page: its grid, load, save, leaving and print.
#include "platform/sqlquote.h"
#include "profile/frmextendedprofile1.h"
#include "profile/profileforms.h"
#include "services/formregistry.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>

namespace {

const int kEntryRows[] = {4, 7, 10, 13, 16};

class ExtendedProfile1Test : public PageTest {
protected:
    QStringList stored() {
        return rawRows(dbPath, "SELECT LearnerID, Learning, Communication, "
                               "Behavioural_Social_Competence, Health_Wellness_Personal_Care, "
                               "Physical_Access, Data_Year FROM "
                               "TAV_Learning_And_Development_Barriers ORDER BY ID");
    }
    // Stores the learner's five barrier texts (learning to physical access) for a year.
    void storeBarriers(const QStringList& texts, int year = 2026) {
        QStringList values;
        for (const QString& text : texts)
            values << quotedExact(text);
        rawExec(dbPath, "INSERT INTO TAV_Learning_And_Development_Barriers (LearnerID, Learning, "
                        "Communication, Behavioural_Social_Competence, "
                        "Health_Wellness_Personal_Care, Physical_Access, Data_Year) VALUES (2, " +
                            values.join(", ") + ", " + QString::number(year) + ")");
    }
};

} // namespace

TEST_F(ExtendedProfile1Test, EmptyLearnerYearShowsTheDesignedGridAndAFaceSave) {
    frmExtendedProfile1 page;
    page.Form_Load();
    EXPECT_EQ(page.windowTitle(), "RER [ Section 2: EXTENDED PROFILE OF LEARNER NEEDS ]");
    EXPECT_EQ(page.gridBarriers->MaxRows(), 16);
    EXPECT_EQ(page.gridBarriers->MaxCols(), 3);
    EXPECT_EQ(page.gridBarriers->GetText(1, 1),
              "2.1 BARRIERS TO LEARNING AND DEVELOPMENT\r\n\r\nWhat barriers does the learner "
              "experience in terms of the following?");
    const QStringList headings = {"LEARNING", "COMMUNICATION", "BEHAVIOURAL AND SOCIAL COMPETENCE",
                                  "HEALTH, WELLNESS AND PERSONAL CARE", "PHYSICAL ACCESS"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(page.gridBarriers->GetText(1, 2 + 3 * i), headings[i]);
        EXPECT_FALSE(page.gridBarriers->GetText(1, 3 + 3 * i).isEmpty());
        EXPECT_EQ(page.gridBarriers->GetText(1, kEntryRows[i]), "");
        EXPECT_FALSE(page.gridBarriers->cellLocked(1, kEntryRows[i]));
    }
    EXPECT_TRUE(page.gridBarriers->GetText(1, 3).contains("extacts of portfolios"));
    EXPECT_TRUE(page.gridBarriers->GetText(1, 15).endsWith("on foot to get school."));
    EXPECT_EQ(page.gridBarriers->ActiveRow(), 4);
    EXPECT_EQ(page.cmdSave->BackColor(), vbButtonFace);
    EXPECT_EQ(page.cmdNext->text(), "Next Page");
    EXPECT_EQ(page.cmdPrint->text(), "Print Page");
    EXPECT_EQ(page.cmdPrevious, nullptr);
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_TRUE(connectionClosed());
}

TEST_F(ExtendedProfile1Test, LoadsTheStoredTextsIntoTheirCells) {
    storeBarriers({"reads slowly", "signs", " ", "asthma", "O'Brien ramp"});
    storeBarriers({"last year", "x", "x", "x", "x"}, 2025);
    frmExtendedProfile1 page;
    page.Form_Load();
    const QStringList expected = {"reads slowly", "signs", " ", "asthma", "O'Brien ramp"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(page.gridBarriers->GetText(1, kEntryRows[i]), expected[i]);
    EXPECT_FALSE(page.isUnsaved());
}

TEST_F(ExtendedProfile1Test, EditMarksSaveAndSavingTwiceStoresOneRow) {
    frmExtendedProfile1 page;
    ASSERT_TRUE(showPage(page));
    user::typeIntoCell(page.gridBarriers, 1, 13, "Needs medication at 10:00");
    EXPECT_EQ(page.cmdSave->BackColor(), vbYellow);
    user::click(page.cmdSave);
    EXPECT_EQ(page.cmdSave->BackColor(), vbButtonFace);
    user::click(page.cmdSave);
    EXPECT_EQ(stored(), QStringList({"2| | | |Needs medication at 10:00| |2026"}));
    EXPECT_EQ(shown(), QStringList({kSaved, kSaved}));
    EXPECT_TRUE(connectionClosed());

    // Stored blanks count as empty: all five blank deletes the row, and still confirms.
    frmExtendedProfile1 again;
    ASSERT_TRUE(showPage(again));
    user::typeIntoCell(again.gridBarriers, 1, 13, "  ");
    user::click(again.cmdSave);
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_EQ(shown().size(), 3);
    EXPECT_EQ(shown().last(), kSaved);
}

TEST_F(ExtendedProfile1Test, FailedSaveKeepsTheStoredRowAndTheYellowSave) {
    rawExec(dbPath, "INSERT INTO TAV_Learning_And_Development_Barriers (LearnerID, Learning, "
                    "Data_Year) VALUES (2, 'stored', 2026);"
                    "CREATE TRIGGER refuse BEFORE INSERT ON TAV_Learning_And_Development_Barriers "
                    "BEGIN SELECT RAISE(ABORT, 'the table is read only'); END;");
    frmExtendedProfile1 page;
    ASSERT_TRUE(showPage(page));
    user::typeIntoCell(page.gridBarriers, 1, 4, "changed");
    user::click(page.cmdSave);
    EXPECT_EQ(rawRows(dbPath, "SELECT Learning FROM TAV_Learning_And_Development_Barriers"),
              QStringList({"stored"}));
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_EQ(errorProcedures(), QStringList({"saveLearning_Barrier Routine"}));
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].text.contains("Location: frmExtendedProfile1"));
    EXPECT_TRUE(connectionClosed());
}

TEST_F(ExtendedProfile1Test, LeavingWithUnsavedEditsAsksAndNoKeepsThem) {
    for (QPushButton* frmExtendedProfile1::*button :
         {&frmExtendedProfile1::cmdNext, &frmExtendedProfile1::cmdMenu}) {
        boxes().clear();
        frmExtendedProfile1 page;
        ASSERT_TRUE(showPage(page));
        user::typeIntoCell(page.gridBarriers, 1, 7, "uses SASL");
        answerAll(msgbox::vbNo);
        user::click(page.*button);
        ASSERT_EQ(boxes().size(), 1);
        EXPECT_EQ(boxes()[0].title, "Data has NOT been Saved");
        EXPECT_FALSE(page.isClosed());
        EXPECT_EQ(page.gridBarriers->GetText(1, 7), "uses SASL");
        EXPECT_TRUE(page.isUnsaved());

        answerAll(msgbox::vbYes);
        user::click(page.*button);
        EXPECT_TRUE(page.isClosed());
        const bool next = button == &frmExtendedProfile1::cmdNext;
        EXPECT_EQ(page.nextForm(),
                  next && isFormRegistered("frmExtendedProfile2") ? "frmExtendedProfile2" : "");
        EXPECT_TRUE(stored().isEmpty());
    }
}

TEST_F(ExtendedProfile1Test, CancelInThePrintDialogReportsAndPrintsNothing) {
    // Cancel after choosing a PDF file as the output: nothing may reach it.
    const QString pdf = pdfPath("cancel.pdf");
    printdialog::setAnswerer([pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return false;
    });
    const int dialogs = printdialog::shownCount();
    frmExtendedProfile1 page;
    ASSERT_TRUE(showPage(page));
    user::click(page.cmdPrint);
    EXPECT_EQ(printdialog::shownCount(), dialogs + 1);
    EXPECT_EQ(errorProcedures(), QStringList({"Print Routine"}));
    EXPECT_TRUE(boxes()[0].text.contains("Location: frmExtendedProfile1"));
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(ExtendedProfile1Test, PrintedPageStartsWithTheEmisLineAndHoldsTheTexts) {
    storeBarriers({"Reads below grade", "Uses Makaton", "Works well in groups", "Asthma pump",
                   "Wheelchair user"});
    const QString pdf = pdfPath("page.pdf");
    printdialog::setAnswerer(printdialog::printToPdf(pdf));
    frmExtendedProfile1 page;
    ASSERT_TRUE(showPage(page));
    user::click(page.cmdPrint);
    EXPECT_TRUE(boxes().isEmpty());
    const QString text = pdfText(pdf);
    const QString firstLine = text.trimmed().section('\n', 0, 0).trimmed();
    EXPECT_EQ(firstLine, "EMIS NUMBER: 700123456 [ EXTENDED PROFILE OF LEARNER NEEDS ]");
    // pdftotext reads the two blanks before ASSESION as one.
    EXPECT_TRUE(text.contains("LEARNER NAME : O'NEILL Lerato ASSESION NUMBER: 006"))
        << text.toStdString();
    for (const char* entry : {"Reads below grade", "Uses Makaton", "Works well in groups",
                              "Asthma pump", "Wheelchair user"})
        EXPECT_TRUE(text.contains(entry)) << entry;
    EXPECT_TRUE(text.contains("BARRIERS TO LEARNING AND DEVELOPMENT"));
    EXPECT_EQ(pdfPages(pdf), 1);

    // The heading at 500, 130 twips (25, 6.5 points; the line starts with a
    // blank), in a bold Times face.
    const QRectF emis = pdfWordBox(pdf, "EMIS");
    EXPECT_NEAR(emis.top(), 6.5, 1.0);
    EXPECT_GT(emis.left(), 25.0);
    EXPECT_LT(emis.left(), 32.0);
    const QString fonts = pdfFonts(pdf);
    EXPECT_TRUE(QRegularExpression("(Times|Roman|Serif)[A-Za-z-]*Bold").match(fonts).hasMatch())
        << fonts.toStdString();
}

TEST_F(ExtendedProfile1Test, TheMenuOpensItByName) {
    registerProfileForms();
    ASSERT_TRUE(isFormRegistered("frmExtendedProfile1"));
    QString caption;
    walkChain([] { showFormChain("frmExtendedProfile1"); }, {"menu"},
              [&caption](AssessmentPage& shown) {
                  auto* page = qobject_cast<frmExtendedProfile1*>(&shown);
                  ASSERT_NE(page, nullptr);
                  caption = page->windowTitle();
              });
    EXPECT_EQ(caption, "RER [ Section 2: EXTENDED PROFILE OF LEARNER NEEDS ]");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ExtendedProfile1Test, AnEntryRowGrowsToShowALongText) {
    QStringList lines;
    for (int i = 1; i <= 20; ++i)
        lines << QString("Line %1 of the learning barriers").arg(i);
    storeBarriers({lines.join("\n"), "short", " ", " ", " "});
    frmExtendedProfile1 page;
    ASSERT_TRUE(showPage(page));
    const double line = QFontMetrics(page.gridBarriers->font()).lineSpacing() * 0.75;
    EXPECT_GE(page.gridBarriers->RowHeight(4), 20 * line);
    EXPECT_EQ(page.gridBarriers->RowHeight(7), 60); // a short text keeps the designed height

    user::pasteIntoCell(page.gridBarriers, 1, 10, lines.join("\n"));
    EXPECT_GE(page.gridBarriers->RowHeight(10), 20 * line);
    EXPECT_TRUE(page.isUnsaved());
    page.markSaved();
}

TEST_F(ExtendedProfile1Test, ATextTallerThanTheViewIsReadToItsLastLine) {
    QStringList lines;
    for (int i = 1; i <= 80; ++i)
        lines << QString("Line %1 of the physical access").arg(i);
    storeBarriers({" ", " ", " ", " ", lines.join("\n")});
    frmExtendedProfile1 page;
    ASSERT_TRUE(showPage(page));
    Grid* grid = page.gridBarriers;
    const QRect row = grid->visualRect(grid->model()->index(15, 0));
    ASSERT_GT(row.height(), grid->viewport()->height());
    // Scrolled to the end, the row ends inside the view: its last line is read.
    QScrollBar* bar = grid->verticalScrollBar();
    bar->setValue(bar->maximum());
    const QRect end = grid->visualRect(grid->model()->index(15, 0));
    EXPECT_LE(end.bottom(), grid->viewport()->height());
    EXPECT_GE(end.bottom(), grid->viewport()->height() - 2);
    // Half way, a part of the row's middle fills the view: the grid scrolls by
    // pixels, not a whole row at a time.
    bar->setValue(bar->maximum() - row.height() / 2);
    const QRect middle = grid->visualRect(grid->model()->index(15, 0));
    EXPECT_LT(middle.top(), 0);
    EXPECT_GT(middle.bottom(), grid->viewport()->height());
}

TEST_F(ExtendedProfile1Test, TypingAtOnceAfterAClickKeepsEveryLetterAndTabMovesOn) {
    frmExtendedProfile1 page;
    ASSERT_TRUE(showPage(page));
    // The page opens with the focus in its highlighted entry cell.
    EXPECT_TRUE(page.gridBarriers->hasFocus());
    EXPECT_FALSE(page.txtCurrentYear->focusPolicy() & Qt::TabFocus);
    user::clickCell(page.gridBarriers, 1, 4);
    user::type("Reading is weak");
    user::key(Qt::Key_Tab);
    EXPECT_EQ(page.gridBarriers->ActiveRow(), 7); // the next entry cell
    user::type("Clinic");
    user::key(Qt::Key_Tab);
    user::type("next");
    for (int i = 0; i < 3; ++i)
        user::key(Qt::Key_Tab);
    // From the last entry cell on to the buttons.
    EXPECT_TRUE(page.cmdNext->hasFocus());
    EXPECT_TRUE(page.isUnsaved());
    user::click(page.cmdSave);
    EXPECT_EQ(stored(), QStringList{"2|Reading is weak|Clinic|next| | |2026"});
}
