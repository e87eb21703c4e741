#pragma once
// Section 3a: ASSESSMENT FOR SUPPORT REQUIREMENTS, the four pages
// frmAssessment_Support_Reg1 to frmAssessment_Support_Reg4. One page design,
// set up from the page's layout (assessmentsupportpages.h): each item is
// rated "Level 1" to "Level 5" or "N/A" per support area in
// TAV_Assessment_Supp_Req. Page 1 also keeps the learner's disability and
// psycho-social texts in TAV_Learner_Supp_Needs; page 4 ends with the overall
// rating of each support area, kept in TAV_Assessment_Supp_Req_Rating.
#include "pages/assessmentpage.h"
#include "support/assessmentsupportpages.h"

class QGroupBox;

class frmAssessment_Support_Reg : public AssessmentPage {
    Q_OBJECT

public:
    // page: 1..4
    explicit frmAssessment_Support_Reg(int page, QWidget* parent = nullptr);

    bool getLearnerInfo();  // page 1
    bool saveLearnerInfo(); // page 1
    bool getAreaLevels();
    bool saveAreaLevels();
    // Page 4: the rating of each support area from every level stored for the
    // learner-year, shown in row 21; an area without a counted level is blank.
    bool getFinalRating();
    bool saveFinalRating();

    // Shows or hides the rating key.
    void cmdShowKEY_Click();

    const SupportPageLayout& layout() const { return m_layout; }
    // True for the cells that carry the level list.
    bool isLevelCell(int col, int row) const;

    Grid* gridAreaLevel = nullptr;
    Grid* gridDisability = nullptr;       // page 1
    Grid* gridSupport = nullptr;          // page 1
    Grid* gridFamilySistuation = nullptr; // page 1: the heading grid
    Grid* gridHearder = nullptr;          // pages 2-4: the heading grid
    QGroupBox* fraRatingKey = nullptr;
    Grid* vaSpread2 = nullptr;
    QPushButton* cmdShowKEY = nullptr;

private:
    Grid* makeHeadingGrid();
    Grid* makeLearnerTextGrid(const QString& name, const QString& heading);
    void makeLevelGrid();
    void makeRatingKey();

    const SupportPageLayout& m_layout;
};

// Registers frmAssessment_Support_Reg1 .. frmAssessment_Support_Reg4 by form name.
void registerAssessmentSupportForms();
