#pragma once
// Section 4, page 1: the DBST's review of the ILST request. Two Yes/No items,
// the reason for a No, the approval's amendments and the reason for not
// approving, kept in the learner-year's shared row of
// TAV_DBST_Review_ILST_Request. Its load builds gBarriers, the learner's
// primary disability followed by the additional ones, which the next two
// pages show.
#include "pages/yesnopair.h"
#include "support/actionplanpage.h"

class frmActionPlan : public ActionPlanPage {
    Q_OBJECT

public:
    explicit frmActionPlan(QWidget* parent = nullptr);

    // gBarriers, the header's barriers and the review items.
    bool getActionPlan();
    // The page's five columns of the shared row.
    bool saveActionPlan();
    // Locks (true) or opens the reason cells (2,4)-(5,4); locked ones are grey.
    void LockUnlockCell(bool vHow);

    // Keeps the Yes/No pairs of 1.1 and 1.2 exclusive; the "No" of 1.2 opens
    // the reason when ticked, and empties and locks it when cleared.
    void gridReview_ButtonClicked(int col, int row, int buttonDown);

    Grid* gridReview = nullptr;

    // The rows of the two items, their boxes and the text cells.
    static constexpr int kRequestRow = 2; // 1.1
    static constexpr int kAcceptRow = 3;  // 1.2
    static constexpr int kYesCol = 4;
    static constexpr int kNoCol = 5;
    static constexpr int kReasonRow = 4;      // (2,4)
    static constexpr int kAmendmentRow = 6;   // (1,6)
    static constexpr int kNotApprovedRow = 8; // (1,8)

private:
    YesNoPairs m_pairs;
};
