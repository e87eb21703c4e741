#pragma once
// Section 4, page 2: the DBST's support strategy action plan for the school,
// up to thirty lines in six support areas of five lines each
// (TAV_DBST_Support_Strategy, Support_Area holding the line number 1 to 30;
// the grid's Timeframe is kept in Budget, its Budget in Timeframe), and where the strategy is
// carried out (DBST_Support_School_Site of the shared review row: 0 none, 1 completely, 2
// partially, 3 alternate site).
#include "support/actionplanpage.h"

class frmActionPlan2 : public ActionPlanPage {
    Q_OBJECT

public:
    explicit frmActionPlan2(QWidget* parent = nullptr);

    bool getSupportStrategy();
    bool saveSupportStrategy();
    bool getSupportLevel();
    bool saveSupportLevel();

    // Ticking one of the three boxes clears the other two.
    void gridDBST_Support_Level_ButtonClicked(int col, int row, int buttonDown);

    // Line n (1 to 30) of the strategy grid and its row: r = n + 4 + (n - 1) div 5.
    static int lineRow(int line) { return line + 4 + (line - 1) / 5; }

    Grid* gridDBST_Support_Level = nullptr;
    Grid* gridStrategy = nullptr;

    static constexpr int kLines = 30;
    static constexpr int kCompletelyCol = 3; // level 1; Partially 4 is 2, Alternate site 5 is 3
};
