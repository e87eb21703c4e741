#pragma once
// B. CRITERIA FOR SELECTION: the six pages frmCriteriaSelection1 to
// frmCriteriaSelection6 of the diagnostic profile. One page design, set up
// from the page's layout (criteriapages.h): each activity is scored 1 none or
// mild, 2 moderate, 3 severe in TAV_Criteria_For_Selection; page 6 also keeps
// the "Other medical conditions" row in TAV_Criteria_For_Selection_Other.
#include "pages/assessmentpage.h"
#include "profile/criteriapages.h"

class frmCriteriaSelection : public AssessmentPage {
    Q_OBJECT

public:
    // page: 1..6
    explicit frmCriteriaSelection(int page, QWidget* parent = nullptr);

    bool getScores();
    bool saveScores();

    const CriteriaPageLayout& layout() const { return m_layout; }
    // True for the score cells the page saves.
    bool isScoreCell(int col, int row) const;

    Grid* gridCriteria = nullptr;
    Grid* gridScores = nullptr;

private:
    const CriteriaPageLayout& m_layout;
};

// Registers frmCriteriaSelection1 .. frmCriteriaSelection6 by form name.
void registerCriteriaSelectionForms();
