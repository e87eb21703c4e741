// The pages from the keyboard, to a screen reader and on a dark desktop: Enter
// on the focused buttons, a click on a check box making it the current cell,
// the grids' cells read as they are painted, every text readable.
#include "tests/common/pagetest.h"
#include "tests/common/paintprobe.h"
#include "tests/common/user.h"
#include "tests/platform/qtprint.h"

#include "pages/previewlist.h"
#include "profile/frmbackgroundinfo.h"
#include "profile/frmextendedprofile2.h"
#include "support/frmactionplan.h"

#include <QAccessible>
#include <QRadioButton>

namespace {

class PageKeys : public PageTest {};

TEST_F(PageKeys, EnterOnAFocusedAddToPreviewAddsAsSpaceDoes) {
    frmExtendedProfile2 page;
    ASSERT_TRUE(showPage(page));
    PreviewList* list = page.communityList;
    const int S = list->setup().firstDataRow;
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        const QString entry = key == Qt::Key_Return ? "Aunt helps" : "Near clinic";
        user::tabTo(list->entryBox());
        user::type(entry);
        EXPECT_TRUE(list->addButton()->isUnsaved());
        list->optionA()->setFocus();
        user::key(Qt::Key_Space);
        ASSERT_TRUE(list->optionA()->isChecked());
        user::tabTo(list->addButton());
        user::key(key);
        EXPECT_TRUE(list->entryBox()->text().isEmpty());
        EXPECT_FALSE(list->addButton()->isUnsaved());
        EXPECT_TRUE(page.cmdSave->isUnsaved());
    }
    EXPECT_EQ(list->grid()->GetText(1, S), "Aunt helps");
    EXPECT_EQ(list->grid()->GetText(1, S + 1), "Near clinic");

    // Enter on the focused Save saves.
    user::tabTo(page.cmdSave);
    user::key(Qt::Key_Return);
    EXPECT_FALSE(page.cmdSave->isUnsaved());
    EXPECT_TRUE(shown().contains(kSaved));
}

TEST_F(PageKeys, AClickOnACheckBoxMakesItTheCurrentCell) {
    frmActionPlan page;
    ASSERT_TRUE(showPage(page));
    Grid* grid = nullptr;
    int col = 0, row = 0;
    for (Grid* g : page.findChildren<Grid*>()) {
        for (int r = 1; r <= g->MaxRows() && !grid; ++r)
            for (int c = 1; c <= g->MaxCols() && !grid; ++c)
                if (g->cellType(c, r) == GridCellType::CheckBox && !g->cellLocked(c, r) &&
                    !g->isColumnHidden(c - 1) && r > 1) {
                    grid = g;
                    col = c;
                    row = r;
                }
        if (grid)
            break;
    }
    ASSERT_NE(grid, nullptr) << "the page has a check box";
    grid->SetActiveCell(1, 1);
    user::clickCell(grid, col, row);
    EXPECT_EQ(grid->GetText(col, row), "1");
    EXPECT_EQ(grid->ActiveCol(), col);
    EXPECT_EQ(grid->ActiveRow(), row);
    // Tab goes on from the box clicked.
    const QModelIndex before = grid->currentIndex();
    user::key(Qt::Key_Tab);
    if (QApplication::focusWidget() == grid) {
        const QModelIndex after = grid->currentIndex();
        EXPECT_TRUE(after.row() > before.row() ||
                    (after.row() == before.row() && after.column() > before.column()));
    }
}

TEST_F(PageKeys, ThePageGridsReadAsTheyArePaintedAndStayReadableOnADarkDesktop) {
    const DarkDesktop dark;
    frmBackgroundInfo page;
    ASSERT_TRUE(showPage(page));
    // A text typed into the provider's cell marks the page unsaved (yellow).
    user::typeIntoCell(page.gridEarlyIntervention, 2, 3, "Keyboard Clinic");
    ASSERT_TRUE(page.cmdSave->isUnsaved());
    expectReadable(&page, "background page");

    int read = 0;
    for (Grid* grid : page.findChildren<Grid*>())
        read += expectReadAsPainted(grid, 0);
    EXPECT_GT(read, 10);
    QAccessibleInterface* provider =
        QAccessible::queryAccessibleInterface(page.gridEarlyIntervention)
            ->tableInterface()
            ->cellAt(2, 1);
    EXPECT_EQ(provider->text(QAccessible::Name), "Keyboard Clinic");
    EXPECT_TRUE(provider->state().editable);
    const QAccessibleInterface* button =
        QAccessible::queryAccessibleInterface(page.gridDisability)->tableInterface()->cellAt(1, 2);
    EXPECT_EQ(button->text(QAccessible::Name), "Additional Disabilities");
}

} // namespace
