#pragma once
// What the three Section 4 pages (frmActionPlan, frmActionPlan2,
// frmActionPlan3) share: the caption, the header with the current year but no
// learner label, the learner header grid gridSignature at the top of the
// frame, and the page print's title with gridSignature drawn first.
//
// The three pages keep their values in one row per learner and data year of
// TAV_DBST_Review_ILST_Request, each updating only its own columns when the
// row exists and inserting it otherwise (updateOrInsert of the frame).
//
// gridSignature:
//     "Name of School:"      gSchoolName    "Emis No:"        gEmisCode
//     "Name of Learner:"     gLearnerName   "Date of Birth:"  gBirthDate as DD/MM/YYYY
//     "Barriers or concern:" gBarriers (across columns 2 to 4)
// gBarriers is built by frmActionPlan's load; the other two pages show it.
#include "pages/assessmentpage.h"
#include "platform/griddesign.h"

class ActionPlanPage : public AssessmentPage {
    Q_OBJECT

public:
    static const QString kCaption;
    static const QString kPrintTitle;

    // YYYYMMDD as DD/MM/YYYY, the parts taken as they stand.
    static QString birthDateText(const QString& yyyymmdd);

    Grid* gridSignature = nullptr;

protected:
    ActionPlanPage(const QString& formName, QWidget* parent);

    // The load routine that fills gridSignature; with barriers, (2,3) shows
    // gBarriers too.
    Routine signatureRoutine(bool barriers);
    // Portrait, no learner line; gridSignature at 500, 800, then the items.
    void setActionPlanPrint(QList<PrintItem> items);

    // The pages' label: a grey, wrapped fixed text.
    static GridCell label(int col, const QString& text, int colSpan = 1, int rowSpan = 1);
};
