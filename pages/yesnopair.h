#pragma once
// Yes/No pairs: two check-box cells "Yes" and "No" of one grid row that the
// user's clicks keep exclusive. Only the "Yes" box is stored (in a Yes/No
// column); the "No" box is derived when the page loads.
//
//     pairs = YesNoPairs(gridOther);
//     pairs.addPair(1, 3, 4);   // row 1: "Yes" in column 3, "No" in column 4
//     ...
//     void frmX::gridOther_ButtonClicked(int col, int row, int) {
//         pairs.ButtonClicked(col, row);
//     }
//     // load:  pairs.setAnswer(1, rs.Fields("Learner_Parent_Discussed"));
//     // save:  ... + pairs.storedText(1) + ...
//
// The pairs do not connect themselves to the grid: the page's ButtonClicked
// handler hands them the click, so a page may add its own reaction after it.
#include <QList>
#include <QString>

class Grid;

namespace ado {
class Field;
}

class YesNoPairs {
public:
    explicit YesNoPairs(Grid* grid = nullptr) : m_grid(grid) {}

    // Designs (yesCol, row) and (noCol, row) as check boxes captioned "Yes"
    // and "No", both clear and open for the user's clicks. One pair a row.
    void addPair(int row, int yesCol, int noCol);
    bool hasPair(int row) const { return find(row) != nullptr; }

    // The ButtonClicked handler's part: a box of a pair that is now ticked
    // clears the other box of its pair. Clearing a box changes nothing else,
    // so both boxes may be clear. True when (col, row) is a box of a pair.
    bool ButtonClicked(int col, int row);

    // Ticks "Yes" and clears "No" when yes, the opposite otherwise.
    void setAnswer(int row, bool yes);
    // The stored Yes/No value: Yes when true or non-zero; false, 0 and Null
    // read as No.
    void setAnswer(int row, const ado::Field& stored);

    // The "Yes" box as stored: "1" ticked, "0" clear (never empty).
    QString storedText(int row) const;
    bool isYes(int row) const;
    bool isNo(int row) const;

private:
    struct Pair {
        int row;
        int yesCol;
        int noCol;
    };
    const Pair* find(int row) const;
    const Pair& at(int row) const;

    Grid* m_grid;
    QList<Pair> m_pairs;
};
