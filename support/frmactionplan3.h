#pragma once
// Section 4, page 3: the district senior manager's approval, whether the
// school discussed the DBST recommendation with the parent or caregiver and
// the learner (a Yes/No pair) with a comment on their response, kept in the
// shared review row; and up to ten reviews of the action taken
// (TAV_Action_Review, [Action] holding the line number 1 to 10).
#include "pages/yesnopair.h"
#include "support/actionplanpage.h"

class frmActionPlan3 : public ActionPlanPage {
    Q_OBJECT

public:
    explicit frmActionPlan3(QWidget* parent = nullptr);

    bool getSupportLevel();
    bool saveSupportLevel();
    bool getActionReview();
    bool saveActionReview();

    // Keeps the Yes/No pair of item 4 exclusive.
    void gridSupportLevel_ButtonClicked(int col, int row, int buttonDown);

    Grid* gridSupportLevel = nullptr;
    Grid* gridActionTaken = nullptr;

    static constexpr int kDiscussedRow = 5;
    static constexpr int kYesCol = 3;
    static constexpr int kNoCol = 4;
    static constexpr int kApprovalRow = 3; // (1,3)
    static constexpr int kResponseRow = 7; // (1,7)
    static constexpr int kFirstReviewRow = 3;
    static constexpr int kLastReviewRow = 12;
    // Name and Designation hold 255 characters in the table.
    static constexpr int kNameLength = 255;

private:
    YesNoPairs m_pairs;
};
