// Yes/No pairs: the design of the two boxes, exclusivity on the user's
// clicks, the answer read back from a stored Yes/No value and the value given
// to store.
#include "pages/yesnopair.h"
#include "platform/adodb.h"
#include "platform/grid.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"

#include <QObject>
#include <gtest/gtest.h>

namespace {

class YesNoPairTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.setMaxCols(5);
        grid.setMaxRows(4);
        grid.setLocked({-1, -1}, true);
        pairs = YesNoPairs(&grid);
        pairs.addPair(2, 4, 5);
        pairs.addPair(3, 4, 5);
        QObject::connect(&grid, &Grid::ButtonClicked, [this](int col, int row, int) {
            handled << pairs.ButtonClicked(col, row);
        });
        ASSERT_TRUE(user::showActive(&grid));
    }
    QString boxes(int row) const { return grid.GetText(4, row) + grid.GetText(5, row); }

    Grid grid;
    YesNoPairs pairs;
    QList<bool> handled;
};

TEST_F(YesNoPairTest, DesignsTwoClearBoxesOpenForClicks) {
    for (int row : {2, 3}) {
        EXPECT_EQ(grid.cellType(4, row), GridCellType::CheckBox);
        EXPECT_EQ(grid.cellFormat(4, row).caption, "Yes");
        EXPECT_EQ(grid.cellFormat(5, row).caption, "No");
        EXPECT_FALSE(grid.cellLocked(4, row));
        EXPECT_FALSE(grid.cellLocked(5, row));
        EXPECT_EQ(boxes(row), "00");
        EXPECT_EQ(pairs.storedText(row), "0");
    }
    EXPECT_TRUE(pairs.hasPair(2));
    EXPECT_FALSE(pairs.hasPair(1));
    EXPECT_TRUE(grid.cellLocked(4, 1)); // cells outside the pairs keep their design
}

TEST_F(YesNoPairTest, UserClicksKeepEachPairExclusive) {
    user::tickCell(&grid, 4, 2, true);
    EXPECT_EQ(boxes(2), "10");
    user::tickCell(&grid, 5, 2, true); // No clears Yes
    EXPECT_EQ(boxes(2), "01");
    user::tickCell(&grid, 4, 2, true); // and Yes clears No
    EXPECT_EQ(boxes(2), "10");
    EXPECT_EQ(boxes(3), "00") << "the other pair is not touched";

    user::tickCell(&grid, 4, 2, false); // clearing a box leaves both clear
    EXPECT_EQ(boxes(2), "00");
    EXPECT_EQ(pairs.storedText(2), "0");
    EXPECT_FALSE(pairs.isYes(2));
    EXPECT_FALSE(pairs.isNo(2));

    user::tickCell(&grid, 5, 3, true);
    user::tickCell(&grid, 5, 3, false);
    EXPECT_EQ(boxes(3), "00");
    EXPECT_EQ(handled, QList<bool>({true, true, true, true, true, true}));
}

TEST_F(YesNoPairTest, ClicksOutsideThePairsAreNotTheirs) {
    grid.setCheckBox(1, 4, "Other");
    grid.setLocked({1, 4}, false);
    user::tickCell(&grid, 1, 4, true);
    EXPECT_EQ(handled, QList<bool>({false}));
    EXPECT_FALSE(pairs.ButtonClicked(3, 2)); // a column of the row outside the pair
    EXPECT_EQ(boxes(2), "00");
}

TEST_F(YesNoPairTest, StoredValueDerivesBothBoxes) {
    // Yes/No values as the host database and older rows hold them.
    const struct {
        QVariant stored;
        const char* boxes;
    } cases[] = {
        {1, "10"}, {-1, "10"},    {QString("1"), "10"}, {true, "10"},
        {0, "01"}, {false, "01"}, {QString("0"), "01"}, {QVariant(), "01"},
    };
    for (const auto& c : cases) {
        ado::Recordset rs;
        rs.setData({"Answer"}, {{c.stored}});
        pairs.setAnswer(2, rs.Fields("Answer"));
        EXPECT_EQ(boxes(2), c.boxes) << c.stored.toString().toStdString();
        EXPECT_EQ(pairs.storedText(2), QString(c.boxes).left(1));
    }
    EXPECT_EQ(boxes(3), "00");
}

TEST_F(YesNoPairTest, AnswerSetByTheProgramRaisesNoClick) {
    int changes = 0;
    QObject::connect(&grid, &Grid::Change, [&](int, int) { ++changes; });
    pairs.setAnswer(3, true);
    EXPECT_EQ(boxes(3), "10");
    EXPECT_TRUE(pairs.isYes(3));
    pairs.setAnswer(3, false);
    EXPECT_EQ(boxes(3), "01");
    EXPECT_TRUE(pairs.isNo(3));
    EXPECT_TRUE(handled.isEmpty());
    EXPECT_EQ(changes, 0);
}

} // namespace
