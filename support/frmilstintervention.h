#pragma once
// Section 3b, second page: the ILST record of interventions taken and the
// motivation for assistance from the DBST. One record per learner and data
// year in TAV_ILST_Intervention_Records: seven texts and three Yes/No answers
// (the "Yes" box of each pair is stored, the "No" box derived on load).
#include "pages/assessmentpage.h"
#include "pages/yesnopair.h"
#include "platform/tabcontrol.h"

class frmILSTIntervention : public AssessmentPage {
    Q_OBJECT

public:
    enum TabIndex { ActionTab = 0, OtherActionsTab = 1 };
    // gridLearnerAdditionalNeeds: the entry rows of item 1.
    static constexpr int kWholeSchoolRow = 3;
    static constexpr int kEducatorTrainingRow = 5;
    static constexpr int kLearnerSupportRow = 7;
    // gridOther: the item rows with a Yes/No pair, and the entry rows.
    static constexpr int kDiscussedRow = 1;
    static constexpr int kParentResponseRow = 3;
    static constexpr int kAnalysisRow = 7;
    static constexpr int kPrincipalRow = 9;
    static constexpr int kPrincipalReasonRow = 11;
    static constexpr int kCircuitManagerRow = 13;
    static constexpr int kCircuitManagerReasonRow = 15;
    static constexpr int kYesCol = 3;
    static constexpr int kNoCol = 4;

    explicit frmILSTIntervention(QWidget* parent = nullptr);

    // The first tab on every activation.
    void Form_Activate() override;

    bool getData();
    bool saveData();

    // Keeps the Yes/No pair of an item exclusive.
    void gridOther_ButtonClicked(int Col, int Row, int ButtonDown);

    TabControl* SSTab1 = nullptr;
    Grid* gridLearnerAdditionalNeeds = nullptr;
    Grid* gridOther = nullptr;

protected:
    // The grid of the tab on show, on one sheet.
    QList<PrintItem> printItems() const override;

private:
    YesNoPairs m_answers;
};
