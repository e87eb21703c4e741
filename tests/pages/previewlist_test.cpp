// The preview list on a test page: both entry forms, Remove, the highlight
// and the read-only preview grid.
#include "pages/assessmentpage.h"
#include "pages/previewlist.h"
#include "platform/colors.h"
#include "profile/frmextendedprofile2.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"

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
    ASSERT_TRUE(showPage(page));
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
    ASSERT_TRUE(showPage(page));
    user::typeIntoBox(page.list->entryBox(), "   ");
    user::click(page.list->addButton());
    user::typeIntoBox(page.list->entryBox(), "violence");
    user::click(page.list->addButton()); // no option chosen yet
    EXPECT_EQ(shown(),
              QStringList({"User Message: You must enter the Positive Infuence or Barrier.",
                           "User Message: You must select the Positive Infuence or Barrier "
                           "options."}));
    EXPECT_EQ(page.preview->MaxRows(), S);
    EXPECT_EQ(page.column(1), QStringList({""}));
    // The entry not added waits in its box: an unsaved change.
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_EQ(page.list->entryBox()->text(), "violence");
    user::typeIntoBox(page.list->entryBox(), "");
    EXPECT_FALSE(page.isUnsaved());
}

TEST_F(PreviewListTest, EntryTextColoursTheAddButton) {
    ListPage page;
    ASSERT_TRUE(showPage(page));
    user::typeIntoBox(page.list->entryBox(), "abuse");
    EXPECT_TRUE(page.list->addButton()->isUnsaved());
    user::typeIntoBox(page.list->entryBox(), "  ");
    EXPECT_FALSE(page.list->addButton()->isUnsaved());
}

TEST_F(PreviewListTest, RemoveDeletesTheActiveDataRowInBothColumns) {
    ListPage page;
    ASSERT_TRUE(showPage(page));
    page.add("first", 'A');
    page.add("second", 'A');
    page.add("barrier", 'B');
    user::click(page.cmdSave);

    user::clickCell(page.preview, 1, 5); // a heading
    user::click(page.list->removeButton());
    EXPECT_FALSE(page.isUnsaved());
    EXPECT_EQ(page.column(1), QStringList({"first", "second", "", ""}));

    user::clickCell(page.preview, 2, S);
    user::click(page.list->removeButton());
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_EQ(page.preview->MaxRows(), S + 3); // the box form keeps its size
    EXPECT_EQ(page.column(1), QStringList({"second", "", "", ""}));
    EXPECT_EQ(page.column(2), QStringList({"", "", "", ""}));
    EXPECT_EQ(page.preview->GetText(1, 5), "ENABLING FACTORS");
}

TEST_F(PreviewListTest, RemoveTakesTheRowTheUserClickedAndHighlighted) {
    ListPage page;
    ASSERT_TRUE(showPage(page));
    page.add("one", 'A');
    page.add("two", 'A');
    page.add("three", 'A');
    user::clickCell(page.preview, 1, S + 1);
    EXPECT_EQ(page.preview->cellForeColor(1, S + 1), vbBlue);
    EXPECT_EQ(page.preview->ActiveRow(), S + 1);
    user::click(page.list->removeButton());
    EXPECT_EQ(page.column(1), QStringList({"one", "three", "", ""}));
    page.markSaved();
    page.hide();
}

TEST_F(PreviewListTest, ClickHighlightsExactlyOneDataRow) {
    ListPage page;
    ASSERT_TRUE(showPage(page));
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
    user::clickCell(page.preview, 1, 1); // heading: nothing changes
    EXPECT_TRUE(blueRows().isEmpty());
    user::clickCell(page.preview, 1, S);
    EXPECT_EQ(blueRows(), QList<int>({S}));
    user::clickCell(page.preview, 2, S + 1);
    EXPECT_EQ(blueRows(), QList<int>({S + 1}));
    user::clickCell(page.preview, 1, S - 2);
    EXPECT_EQ(blueRows(), QList<int>({S + 1}));
}

TEST_F(PreviewListTest, TheBlueRowIsTheRowRemoveActsOnAndNoOther) {
    ListPage page;
    ASSERT_TRUE(showPage(page));
    page.add("one", 'A');
    page.add("two", 'A');
    page.add("three", 'A');
    user::click(page.cmdSave);
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
    user::click(page.list->entryBox());
    EXPECT_TRUE(blueRows().isEmpty());
    user::click(page.list->removeButton());
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
    user::click(page.list->removeButton());
    EXPECT_EQ(page.column(1), QStringList({"one", "three", "", ""}));
    // The removed row was the chosen one: none is now, none looks it.
    EXPECT_TRUE(blueRows().isEmpty());
    user::click(page.list->removeButton());
    EXPECT_EQ(page.column(1), QStringList({"one", "three", "", ""}));

    // The print shows no row as chosen.
    user::clickCell(page.preview, 1, S);
    EXPECT_EQ(blueRows(), QList<int>{S});
    const QString pdf = clickPrint(page, "preview.pdf");
    EXPECT_TRUE(blueRows().isEmpty());
    EXPECT_TRUE(pdfText(pdf).contains("three"));
    page.markSaved();
}

TEST_F(PreviewListTest, TypingIntoThePreviewIsDiscarded) {
    ListPage page;
    ASSERT_TRUE(showPage(page));
    page.add("kept", 'A');
    user::click(page.cmdSave);
    // A key, Enter, Delete, Backspace and a paste on an entry of the preview.
    user::clickCell(page.preview, 1, S);
    user::type("x");
    user::key(Qt::Key_Return);
    user::key(Qt::Key_Delete);
    user::key(Qt::Key_Backspace);
    user::paste("pasted");
    EXPECT_EQ(page.preview->GetText(1, S), "kept");
    EXPECT_FALSE(page.isUnsaved());

    // No cell of the entries opens an editor, on the rows added later too.
    page.add("more", 'B');
    for (int r = S; r <= page.preview->MaxRows(); ++r)
        for (int c = 1; c <= 2; ++c)
            EXPECT_FALSE(page.preview->item(r - 1, c - 1)->flags() & Qt::ItemIsEditable)
                << c << "," << r;
}

TEST_F(PreviewListTest, AFullColumnTakesANewLastRowNeverAHeading) {
    ListPage page;
    ASSERT_TRUE(showPage(page));
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
    ASSERT_TRUE(showPage(page));
    user::clickCell(page.entry, 1, 3);
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
    ASSERT_TRUE(showPage(page));
    user::typeIntoCell(page.entry, 1, 3, "Read");
    EXPECT_TRUE(page.list->addButton()->isUnsaved());
    EXPECT_TRUE(page.isUnsaved()); // the entry waits
    user::typeIntoCell(page.entry, 1, 3, " ");
    EXPECT_FALSE(page.list->addButton()->isUnsaved()); // blanks are no entry
    user::click(page.list->addButton()); // nothing entered: the button is reset, nothing asked
    EXPECT_FALSE(page.list->addButton()->isUnsaved());
    EXPECT_FALSE(page.isUnsaved());
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(page.preview->MaxRows(), 2);

    user::typeIntoCell(page.entry, 1, 3, "Read a page");
    answerAll(msgbox::vbNo);
    user::click(page.list->addButton());
    EXPECT_EQ(shown(), QStringList({"User Question?: Leave them blank?"}));
    EXPECT_EQ(page.preview->MaxRows(), 2);
    EXPECT_EQ(page.entry->GetText(1, 3), "Read a page");

    answerAll(msgbox::vbYes);
    user::click(page.list->addButton());
    for (int c = 1; c <= 6; ++c)
        user::typeIntoCell(page.entry, c, 3, QString("c%1").arg(c));
    user::click(page.list->addButton());
    EXPECT_EQ(page.preview->MaxRows(), 4);
    EXPECT_EQ(page.preview->GetText(1, 3), "Read a page");
    EXPECT_EQ(page.preview->GetText(6, 4), "c6");
    EXPECT_EQ(page.entry->GetText(1, 3), "");
    EXPECT_EQ(boxes().size(), 2);
    EXPECT_TRUE(page.isUnsaved());

    user::clickCell(page.preview, 1, 3);
    user::click(page.list->removeButton());
    EXPECT_EQ(page.preview->MaxRows(), 3);
    EXPECT_EQ(page.preview->GetText(1, 3), "c1");
}
