#pragma once
// The six pages of criteria for selection share one design; this table holds
// what differs from page to page: the activities and their rows, the range of
// activities the page owns in TAV_Criteria_For_Selection, and the fixed texts
// of its score grid.
#include <QList>
#include <QString>

struct CriteriaCell {
    int col = 0;
    int row = 0;
    QString text;
};

// A score row of the page and the activity (Sub_Section) it stands for.
struct CriteriaActivity {
    int row = 0;
    int subSection = 0;
};

struct CriteriaPageLayout {
    int page = 0;        // 1..6
    QString formName;    // "frmCriteriaSelection1" ..
    int rows = 0;        // rows of gridScores, the heading row included
    QString rangeFilter; // narrows the load and the delete to the page's activities
    QList<CriteriaActivity> activities;
    int otherRow = 0;          // the "Other medical conditions" row (page 6), else 0
    int activeRow = 3;         // score cell made active after loading
    QList<CriteriaCell> texts; // fixed texts of gridScores
};

constexpr int kCriteriaPages = 6;
constexpr int kScoreCol = 5;

// The layout of page 1..6.
const CriteriaPageLayout& criteriaPage(int page);

// Fixed texts shared by all six pages.
QList<CriteriaCell> criteriaHeadingTexts(); // gridCriteria, 4 x 2
QList<CriteriaCell> scoresColumnHeadings(); // row 1 of gridScores
