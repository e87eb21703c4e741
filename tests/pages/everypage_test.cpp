// Every page of the program, as a user types into it: the first key that goes
// into any of its entry cells or boxes marks the page unsaved before the cell
// is left, so that no way of leaving drops it without asking.
#include "profile/profileforms.h"
#include "support/supportforms.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"

#include <QLineEdit>
#include <QPointer>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <ostream>

// A page's form name as the test's parameter.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace {

QStringList pageNames() {
    registerProfileForms();
    registerSupportForms();
    return registeredPages().keys();
}

class EveryPage : public PageTest, public ::testing::WithParamInterface<QString> {};

// The cells of grid a user enters, in reading order: shown, unlocked, not
// covered by another cell's span.
QList<QPoint> entryCells(const Grid* grid) {
    QList<QPoint> cells;
    QSet<QPair<int, int>> covered;
    for (int r = 0; r < grid->rowCount(); ++r) {
        for (int c = 0; c < grid->columnCount(); ++c) {
            if (covered.contains({r, c}))
                continue;
            for (int rr = r; rr < r + grid->rowSpan(r, c); ++rr)
                for (int cc = c; cc < c + grid->columnSpan(r, c); ++cc)
                    if (rr != r || cc != c)
                        covered.insert({rr, cc});
            if (grid->isRowHidden(r) || grid->isColumnHidden(c) || grid->columnWidth(c) <= 0)
                continue;
            const GridCellFormat f = grid->cellFormat(c + 1, r + 1);
            if (!f.locked && f.type != GridCellType::StaticText && f.type != GridCellType::Button)
                cells << QPoint(c + 1, r + 1);
        }
    }
    return cells;
}

// The first key of a value the cell takes.
QString firstKey(const GridCellFormat& f) {
    if (f.type == GridCellType::Integer)
        return QString::number(f.maxValue).left(1);
    if (f.type == GridCellType::Date)
        return "1";
    return "x";
}

TEST_P(EveryPage, TheFirstKeyIntoAnyEntryMarksThePageBeforeTheEntryIsLeft) {
    const QString name = GetParam();
    std::unique_ptr<AssessmentPage> page = registeredPages().value(name)();
    ASSERT_TRUE(showPage(*page));
    answerAll(msgbox::vbOK);
    ASSERT_FALSE(page->isUnsaved());

    // Each tab of the page in turn, as the user clicks it.
    QList<QTabWidget*> tabs = page->findChildren<QTabWidget*>();
    const int tabCount = tabs.isEmpty() ? 1 : tabs.first()->count();
    int entries = 0;
    for (int t = 0; t < tabCount; ++t) {
        if (!tabs.isEmpty()) {
            QTabBar* bar = tabs.first()->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(t).center());
            QApplication::processEvents();
        }
        for (Grid* grid : page->findChildren<Grid*>()) {
            if (!grid->isVisible())
                continue;
            for (const QPoint& cell : entryCells(grid)) {
                const int col = cell.x(), row = cell.y();
                // A cell the page shows only and saves nowhere has nothing to lose.
                const auto stored = page->storedColumn(grid, col, row);
                if (stored && stored->table.isEmpty())
                    continue;
                const GridCellFormat f = grid->cellFormat(col, row);
                SCOPED_TRACE(QString("%1 %2 (%3,%4)")
                                 .arg(name, grid->objectName())
                                 .arg(col)
                                 .arg(row)
                                 .toStdString());
                ++entries;
                grid->scrollTo(grid->model()->index(row - 1, col - 1));
                QApplication::setActiveWindow(page.get());
                user::clickCell(grid, col, row);
                if (f.type == GridCellType::CheckBox) {
                    // (The click itself may tick it.)
                    if (!page->isUnsaved())
                        user::key(Qt::Key_Space);
                    EXPECT_TRUE(page->isUnsaved());
                } else if (f.type == GridCellType::ComboBox && !f.comboEditable) {
                    // The click opened the list: the next item, then Enter.
                    user::key(Qt::Key_Down);
                    user::key(Qt::Key_Return);
                    EXPECT_TRUE(page->isUnsaved());
                } else {
                    user::type(firstKey(f), 10);
                    EXPECT_TRUE(grid->isEditing()); // the cell is not left
                    EXPECT_TRUE(page->isUnsaved());
                    user::key(Qt::Key_Escape);
                }
                if (QWidget* popup = QApplication::activePopupWidget())
                    popup->close();
                grid->commitEditor(false);
                page->markSaved();
                page->setFocus();
            }
        }
        QList<QPointer<QLineEdit>> boxes;
        for (QLineEdit* box : page->Frame1->findChildren<QLineEdit*>())
            boxes << box;
        for (QLineEdit* box : boxes) {
            if (!box)
                continue;
            bool inGrid = false;
            for (QWidget* w = box->parentWidget(); w && !inGrid; w = w->parentWidget())
                inGrid = qobject_cast<Grid*>(w) != nullptr;
            if (!box->isVisible() || box->isReadOnly() || inGrid)
                continue;
            SCOPED_TRACE((name + " " + box->objectName()).toStdString());
            ++entries;
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
            user::type("x", 10);
            EXPECT_TRUE(page->isUnsaved());
            user::key(Qt::Key_Backspace);
            EXPECT_FALSE(page->isUnsaved()); // nothing waits in the box now
        }
    }
    EXPECT_GT(entries, 0);
    page->markSaved();
    user::click(page->cmdMenu);
    EXPECT_TRUE(page->isClosed());
}

INSTANTIATE_TEST_SUITE_P(Pages, EveryPage, ::testing::ValuesIn(pageNames()),
                         [](const ::testing::TestParamInfo<QString>& info) {
                             return info.param.toStdString();
                         });

} // namespace
