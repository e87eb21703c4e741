// The preview list on a test page: both entry forms, Remove, the highlight
// and the read-only preview grid.
#include "platform/colors.h"
#include "pages/assessmentpage.h"
#include "pages/previewlist.h"
#include "profile/frmextendedprofile2.h"
#include "tests/common/user.h"
#include "tests/common/pagetest.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int S = 7;

// The list as the factors page sets up its community list: the entry box,
// Enabling Factors (column 1) and Barrier (column 2), data from row S.
PreviewListSetup communitySetup() {
    const frmExtendedProfile2 factors;
    return factors.communityList->setup();
}

class ListPage : public AssessmentPage {
public:
    ListPage() : AssessmentPage("frmListPage") {
        preview = new Grid;
        preview->setMaxCols(2);
        preview->setMaxRows(S);
        preview->setFixedText(1, 1, "What factors are impacting on the child?", 2);
        preview->setFixedText(1, 5, "ENABLING FACTORS");
        preview->setFixedText(2, 5, "BARRIERS");
        list = new PreviewList(*this, preview, communitySetup());
        addToFrame(list, 1);
        setPrint({.items = {PrintItem::grid(preview, 500, 800)}});
    }

    // Types text into the entry box, chooses column A or B and adds it.
    void add(const QString& text, char column) { addToPreview(list, text, column == 'A'); }
    QStringList column(int col) const {
        QStringList out;
        for (int r = S; r <= preview->MaxRows(); ++r)
            out << preview->GetText(col, r);
        return out;
    }

    Grid* preview = nullptr;
    PreviewList* list = nullptr;
};

// The ISP's shape: an entry grid of 6 columns whose row 3 becomes a preview row.
class RowFormPage : public AssessmentPage {
public:
    RowFormPage() : AssessmentPage("frmRowPage") {
        entry = new Grid;
        entry->setMaxCols(6);
        entry->setMaxRows(3);
        entry->setFixedText(1, 1, "Whole school development intervention", 6);
        preview = new Grid;
        preview->setMaxCols(6);
        preview->setMaxRows(2);
        preview->setFixedText(1, 1, "Preview of Actions.", 6);
        list = new PreviewList(*this, preview,
                               {.firstDataRow = 3,
                                .addErrorLabel = "AddToPreview Routine",
                                .entryGrid = entry,
                                .entryRow = 3,
                                .blankCellsQuestion = [](const QStringList& cells) {
                                    return cells.contains("") ? QString("Leave them blank?")
                                                              : QString();
                                }});
        addToFrame(list, 1);
    }
    Grid* entry = nullptr;
    Grid* preview = nullptr;
    PreviewList* list = nullptr;
};

class PreviewListTest : public PageTest {};

// Every data row but the last holds an entry in one column at least; the last
// is blank in both.
void expectOneBlankRowAtTheEnd(const ListPage& page) {
    const int last = page.preview->MaxRows();
    EXPECT_TRUE(page.preview->GetText(1, last).isEmpty());
    EXPECT_TRUE(page.preview->GetText(2, last).isEmpty());
    EXPECT_FALSE(page.preview->GetText(1, last - 1).isEmpty() &&
                 page.preview->GetText(2, last - 1).isEmpty());
}

} // namespace

TEST_F(PreviewListTest, ColumnsFillIndependentlyWithOneBlankRowAfterTheLongest) {
    ListPage page;
    page.Form_Load();
    page.add("family support", 'A');
    EXPECT_EQ(page.preview->MaxRows(), S + 1);
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_TRUE(page.list->entryBox()->text().isEmpty());
    EXPECT_FALSE(page.list->addButton()->isUnsaved());
    EXPECT_TRUE(page.list->optionA()->isChecked());
    page.add("caregiver present", 'A');
    page.add(" home based care ", 'A');
    EXPECT_EQ(page.preview->MaxRows(), S + 3);
    expectOneBlankRowAtTheEnd(page);

    // The first barrier goes beside the first enabling factor.
    page.add("poverty", 'B');
    EXPECT_EQ(page.preview->MaxRows(), S + 4);
    EXPECT_EQ(page.column(1),
              QStringList({"family support", "caregiver present", " home based care ", "", ""}));
    EXPECT_EQ(page.column(2), QStringList({"poverty", "", "", "", ""}));
    for (int i = 0; i < 4; ++i)
        page.add(QString("barrier %1").arg(i), 'B');
    EXPECT_EQ(page.preview->MaxRows(), S + 5); // five barriers, then the blank row
    expectOneBlankRowAtTheEnd(page);
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(PreviewListTest, RefusesBlankEntriesAndMissingOptionsWithTheirMessages) {
    ListPage page;
    page.Form_Load();
    page.list->entryBox()->setText("   ");
    page.list->optionA()->setChecked(true);
    page.list->Add();
    page.list->optionA()->setAutoExclusive(false);
    page.list->optionA()->setChecked(false);
    page.list->entryBox()->setText("violence");
    page.list->Add();
    EXPECT_EQ(shown(),
              QStringList({"User Message: You must enter the Positive Infuence or Barrier.",
                           "User Message: You must select the Positive Infuence or Barrier "
                           "options."}));
    EXPECT_EQ(page.preview->MaxRows(), S);
    EXPECT_EQ(page.column(1), QStringList({""}));
    // The entry not added waits in its box: an unsaved change.
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_EQ(page.list->entryBox()->text(), "violence");
    page.list->entryBox()->clear();
    EXPECT_FALSE(page.isUnsaved());
}

TEST_F(PreviewListTest, EntryTextColoursTheAddButton) {
    ListPage page;
    page.list->entryBox()->setText("abuse");
    EXPECT_TRUE(page.list->addButton()->isUnsaved());
    page.list->entryBox()->setText("  ");
    EXPECT_FALSE(page.list->addButton()->isUnsaved());
}

TEST_F(PreviewListTest, RemoveDeletesTheActiveDataRowInBothColumns) {
    ListPage page;
    page.Form_Load();
    page.add("first", 'A');
    page.add("second", 'A');
    page.add("barrier", 'B');
    page.markSaved();

    page.preview->SetActiveCell(1, 5); // a heading
    page.list->Remove();
    EXPECT_FALSE(page.isUnsaved());
    EXPECT_EQ(page.column(1), QStringList({"first", "second", "", ""}));

    page.preview->SetActiveCell(2, S);
    page.list->Remove();
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_EQ(page.preview->MaxRows(), S + 3); // the box form keeps its size
    EXPECT_EQ(page.column(1), QStringList({"second", "", "", ""}));
    EXPECT_EQ(page.column(2), QStringList({"", "", "", ""}));
    EXPECT_EQ(page.preview->GetText(1, 5), "ENABLING FACTORS");
}

TEST_F(PreviewListTest, RemoveTakesTheRowTheUserClickedAndHighlighted) {
    ListPage page;
    page.add("one", 'A');
    page.add("two", 'A');
    page.add("three", 'A');
    page.show();
    const QRect cell = page.preview->visualItemRect(page.preview->item(S, 0)); // row S + 1
    const QPoint at = cell.center();
    QMouseEvent press(QEvent::MouseButtonPress, at, page.preview->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, page.preview->viewport()->mapToGlobal(at),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(page.preview->viewport(), &press);
    QApplication::sendEvent(page.preview->viewport(), &release);
    EXPECT_EQ(page.preview->cellForeColor(1, S + 1), vbBlue);
    EXPECT_EQ(page.preview->ActiveRow(), S + 1);
    page.list->removeButton()->click();
    EXPECT_EQ(page.column(1), QStringList({"one", "three", "", ""}));
    page.markSaved();
    page.hide();
}

TEST_F(PreviewListTest, ClickHighlightsExactlyOneDataRow) {
    ListPage page;
    page.add("a", 'A');
    page.add("b", 'A');
    page.add("c", 'B');
    const auto blueRows = [&] {
        QList<int> rows;
        for (int r = 1; r <= page.preview->MaxRows(); ++r) {
            const bool blue = page.preview->cellForeColor(1, r) == vbBlue &&
                              page.preview->cellForeColor(2, r) == vbBlue;
            if (blue) {
                EXPECT_TRUE(page.preview->cellBold(1, r) && page.preview->cellBold(2, r));
                rows << r;
            } else {
                EXPECT_FALSE(page.preview->cellBold(1, r) && r >= S);
            }
        }
        return rows;
    };
    page.preview->Click(1, 1); // heading: nothing changes
    EXPECT_TRUE(blueRows().isEmpty());
    page.preview->Click(1, S);
    EXPECT_EQ(blueRows(), QList<int>({S}));
    page.preview->Click(2, S + 1);
    EXPECT_EQ(blueRows(), QList<int>({S + 1}));
    page.preview->Click(1, S - 2);
    EXPECT_EQ(blueRows(), QList<int>({S + 1}));
}

TEST_F(PreviewListTest, TheBlueRowIsTheRowRemoveActsOnAndNoOther) {
    ListPage page;
    page.add("one", 'A');
    page.add("two", 'A');
    page.add("three", 'A');
    page.markSaved();
    ASSERT_TRUE(user::showActive(&page));
    const auto blueRows = [&] {
        QList<int> rows;
        for (int r = 1; r <= page.preview->MaxRows(); ++r) {
            if (page.preview->cellForeColor(1, r) == vbBlue || page.preview->cellBold(1, r))
                rows << r;
        }
        return rows;
    };
    // Clicked, then the user turns to the entry box: the row is no longer
    // chosen, and Remove removes nothing.
    user::clickCell(page.preview, 1, S + 1);
    EXPECT_EQ(blueRows(), QList<int>{S + 1});
    QTest::mouseClick(page.list->entryBox(), Qt::LeftButton);
    EXPECT_TRUE(blueRows().isEmpty());
    QTest::mouseClick(page.list->removeButton(), Qt::LeftButton);
    EXPECT_EQ(page.column(1), QStringList({"one", "two", "three", ""}));
    EXPECT_FALSE(page.isUnsaved());

    // A heading chooses nothing: the chosen row stays the one Remove takes.
    user::clickCell(page.preview, 1, S + 1);
    user::clickCell(page.preview, 1, 1);
    EXPECT_EQ(blueRows(), QList<int>{S + 1});
    EXPECT_EQ(page.preview->ActiveRow(), S + 1);
    // The keys choose as a click does.
    user::key(Qt::Key_Up);
    EXPECT_EQ(blueRows(), QList<int>{S});
    user::key(Qt::Key_Down);
    EXPECT_EQ(blueRows(), QList<int>{S + 1});
    QTest::mouseClick(page.list->removeButton(), Qt::LeftButton);
    EXPECT_EQ(page.column(1), QStringList({"one", "three", "", ""}));
    // The removed row was the chosen one: none is now, none looks it.
    EXPECT_TRUE(blueRows().isEmpty());
    QTest::mouseClick(page.list->removeButton(), Qt::LeftButton);
    EXPECT_EQ(page.column(1), QStringList({"one", "three", "", ""}));

    // The print shows no row as chosen.
    user::clickCell(page.preview, 1, S);
    EXPECT_EQ(blueRows(), QList<int>{S});
    const QString pdf = pdfPath("preview.pdf");
    printdialog::setAnswerer(printdialog::printToPdf(pdf));
    QTest::mouseClick(page.cmdPrint, Qt::LeftButton);
    EXPECT_TRUE(blueRows().isEmpty());
    EXPECT_TRUE(pdfText(pdf).contains("three"));
    page.markSaved();
}

TEST_F(PreviewListTest, TypingIntoThePreviewIsDiscarded) {
    ListPage page;
    page.add("kept", 'A');
    int key = 'x';
    page.preview->KeyPress(key);
    EXPECT_EQ(key, 0);

    page.show();
    page.preview->SetActiveCell(1, S);
    page.preview->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    QApplication::sendEvent(page.preview, &press);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(page.preview, &enter);
    EXPECT_EQ(page.preview->GetText(1, S), "kept");
    page.markSaved();
    page.hide();

    // No cell of the entries opens an editor, on the rows added later too.
    page.add("more", 'B');
    for (int r = S; r <= page.preview->MaxRows(); ++r)
        for (int c = 1; c <= 2; ++c)
            EXPECT_FALSE(page.preview->item(r - 1, c - 1)->flags() & Qt::ItemIsEditable)
                << c << "," << r;
}

TEST_F(PreviewListTest, AFullColumnTakesANewLastRowNeverAHeading) {
    ListPage page;
    // As a load may leave it: every data row holds an enabling factor.
    page.preview->setMaxRows(S + 1);
    page.preview->SetText(1, S, "one");
    page.preview->SetText(1, S + 1, "two");
    EXPECT_EQ(page.list->CheckAvailableRow(1), 0);
    page.add("three", 'A');
    EXPECT_EQ(page.column(1), QStringList({"one", "two", "three", ""}));
    EXPECT_EQ(page.preview->MaxRows(), S + 3);
    for (int r = 1; r < S; ++r)
        EXPECT_NE(page.preview->GetText(1, r), "three");
}

TEST_F(PreviewListTest, TabGoesFromTheEntryToAddRemoveAndThePreview) {
    RowFormPage page;
    page.Form_Load();
    ASSERT_TRUE(user::showActive(&page));
    page.entry->setFocus();
    page.entry->SetActiveCell(1, 3);
    user::type("Ramp");
    for (int c = 1; c <= 6; ++c)
        user::key(Qt::Key_Tab);
    EXPECT_EQ(page.entry->GetText(1, 3), "Ramp");
    EXPECT_TRUE(page.list->addButton()->hasFocus());
    answerAll(msgbox::vbYes); // the other cells left blank
    user::key(Qt::Key_Space); // Add
    EXPECT_EQ(page.preview->GetText(1, 3), "Ramp");
    user::key(Qt::Key_Tab);
    EXPECT_TRUE(page.list->removeButton()->hasFocus());
    user::key(Qt::Key_Tab);
    EXPECT_TRUE(page.preview->hasFocus());
    page.markSaved();
}

TEST_F(PreviewListTest, RowFormAppendsAskingAboutBlankCells) {
    RowFormPage page;
    page.Form_Load();
    userEdit(page.entry, 1, 3, "Read");
    EXPECT_TRUE(page.list->addButton()->isUnsaved());
    EXPECT_TRUE(page.isUnsaved()); // the entry waits
    userEdit(page.entry, 1, 3, " ");
    EXPECT_FALSE(page.list->addButton()->isUnsaved()); // blanks are no entry
    page.list->Add(); // nothing entered: the button is reset, nothing asked
    EXPECT_FALSE(page.list->addButton()->isUnsaved());
    EXPECT_FALSE(page.isUnsaved());
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(page.preview->MaxRows(), 2);

    page.entry->SetText(1, 3, "Read a page");
    answerAll(msgbox::vbNo);
    page.list->Add();
    EXPECT_EQ(shown(), QStringList({"User Question?: Leave them blank?"}));
    EXPECT_EQ(page.preview->MaxRows(), 2);
    EXPECT_EQ(page.entry->GetText(1, 3), "Read a page");

    answerAll(msgbox::vbYes);
    page.list->Add();
    for (int c = 1; c <= 6; ++c)
        page.entry->SetText(c, 3, QString("c%1").arg(c));
    page.list->Add();
    EXPECT_EQ(page.preview->MaxRows(), 4);
    EXPECT_EQ(page.preview->GetText(1, 3), "Read a page");
    EXPECT_EQ(page.preview->GetText(6, 4), "c6");
    EXPECT_EQ(page.entry->GetText(1, 3), "");
    EXPECT_EQ(boxes().size(), 2);
    EXPECT_TRUE(page.isUnsaved());

    page.preview->SetActiveCell(1, 3);
    page.list->Remove();
    EXPECT_EQ(page.preview->MaxRows(), 3);
    EXPECT_EQ(page.preview->GetText(1, 3), "c1");
}
