#pragma once
// B. CRITERIA FOR SELECTION: the six pages frmCriteriaSelection1 to
// frmCriteriaSelection6 of the diagnostic profile. One page design, set up
// from the page's layout (criteriapages.h): each activity is scored 1 none or
// mild, 2 moderate, 3 severe in TAV_Criteria_For_Selection; page 6 also keeps
// the "Other medical conditions" row in TAV_Criteria_For_Selection_Other.
#include "profile/assessmentpage.h"
#include "profile/criteriapages.h"

#include <QHash>

class frmCriteriaSelection : public AssessmentPage {
    Q_OBJECT

public:
    // page: 1..6
    explicit frmCriteriaSelection(int page, QWidget* parent = nullptr);

    bool getScores();
    bool saveScores();

    // A score cell takes 1, 2 or 3, or is cleared; any other entry is refused
    // and the cell keeps what it held.
    void gridScores_KeyPress(int& keyAscii);
    void gridScores_Change(int col, int row);

    const CriteriaPageLayout& layout() const { return m_layout; }
    // True for the score cells the page saves.
    bool isScoreCell(int col, int row) const;

    Grid* gridCriteria = nullptr;
    Grid* gridScores = nullptr;

private:
    static bool acceptedScore(const QString& text);
    void rememberScores();

    const CriteriaPageLayout& m_layout;
    QHash<int, QString> m_scores; // score row -> the text last accepted in it
};

// Registers frmCriteriaSelection1 .. frmCriteriaSelection6 by form name.
void registerCriteriaSelectionForms();
