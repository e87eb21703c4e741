#include "support/frmactionplan.h"

#include "platform/adodb.h"
#include "platform/colors.h"
#include "platform/grid.h"
#include "profile/frmbackgroundinfo.h"
#include "services/globals.h"

namespace {
constexpr int kTextLength = 9000;
const QString kReview = QStringLiteral("TAV_DBST_Review_ILST_Request");
} // namespace

frmActionPlan::frmActionPlan(QWidget* parent) : ActionPlanPage("frmActionPlan", parent) {
    using C = GridCell;
    gridReview = newGrid(
        "gridReview",
        {.columns = gridColumns({26, 34, 32, 8, 8}),
         .rows = 9,
         .locked = true,
         .lines = {
             {.row = 1, .cells = {label(1, "1. DBST REVIEWS ILST REQUEST", 5).bold()}},
             {.row = kRequestRow,
              .height = 26,
              .cells = {label(1,
                              "1.1 COORDINATOR OF ILST AND EDUCATOR DISCUSSED WITH "
                              "PARENT/CAREGIVER AND LEARNER REQUEST MADE TO DBST",
                              3)}},
             {.row = kAcceptRow,
              .cells = {label(1, "1.2 Parent or caregiver accepts the recommendations of ILST",
                              3)}},
             {.row = kReasonRow,
              .height = 60,
              .cells = {label(1, "Reason (if no)"), C::entry(2, kTextLength, 4)}},
             {.row = 5,
              .cells = {label(1,
                              "1.3 ILST request approved with the following amendments (as per "
                              "action below)",
                              5)}},
             {.row = kAmendmentRow, .height = 60, .cells = {C::entry(1, kTextLength, 5)}},
             {.row = 7,
              .cells = {label(1,
                              "1.4 Not approved and reason (see action plan below for DBST "
                              "recommendations)",
                              5)}},
             {.row = kNotApprovedRow, .height = 60, .cells = {C::entry(1, kTextLength, 5)}},
             {.row = 9, .height = 8, .cells = {label(1, QString(), 5)}},
         }});
    Grid* g = gridReview;
    storeEntries(g, {2, kReasonRow}, kReview, "Parent_Reason");
    storeEntries(g, {1, kAmendmentRow}, kReview, "ISLT_Approved_Reason");
    storeEntries(g, {1, kNotApprovedRow}, kReview, "ISLT_Not_Approved_Reason");
    m_pairs = YesNoPairs(g);
    m_pairs.addPair(kRequestRow, kYesCol, kNoCol);
    m_pairs.addPair(kAcceptRow, kYesCol, kNoCol);
    addToFrame(g, 1);
    watchEdits(g);
    connect(g, &Grid::ButtonClicked, this, &frmActionPlan::gridReview_ButtonClicked);

    setLoadRoutines({signatureRoutine(false), [this] { return getActionPlan(); }});
    setSaveRoutines({[this] { return saveActionPlan(); }});
    setNext("frmActionPlan2", "Next");
    setActionPlanPrint({PrintItem::grid(gridReview, 500, 2000)});
}

bool frmActionPlan::getActionPlan() {
    gBarriers.clear();
    // The learner's own row leads the join, so that the year's review row is
    // found through the (LearnerID, Data_Year) index: the right join the other
    // way round would be run by SQLite over every review row of every year.
    return loadFirstRow(
        "getActionPlan Routine",
        "SELECT DBSTRR.ISLT_Coord_Educ_Req_Made, DBSTRR.Parent_Accept_Recom, "
        "DBSTRR.Parent_Reason, "
        "DBSTRR.ISLT_Approved_Reason, DBSTRR.ISLT_Not_Approved_Reason, DI.Name "
        "FROM (Learner_Info as LI "
        "LEFT JOIN Disabilities as DI "
        "ON (LI.LSENDisabilities = DI.ID)) "
        "LEFT JOIN TAV_DBST_Review_ILST_Request AS DBSTRR "
        "ON (DBSTRR.LearnerID = LI.ID AND DBSTRR.Data_Year = " +
            QString::number(gDataYear) + ") " + "WHERE LI.ID = " + QString::number(gLearnerID),
        [this](ado::Recordset& rs) {
            gBarriers = frmBackgroundInfo::loadDis(gLearnerID);
            if (!gBarriers.isEmpty())
                gBarriers.prepend(", ");
            gBarriers.prepend(rs.Fields("Name").text());
            gridSignature->SetText(2, 3, gBarriers);

            Grid* g = gridReview;
            g->SetText(2, kReasonRow, rs.Fields("Parent_Reason").text());
            g->SetText(1, kAmendmentRow, rs.Fields("ISLT_Approved_Reason").text());
            g->SetText(1, kNotApprovedRow, rs.Fields("ISLT_Not_Approved_Reason").text());
            m_pairs.setAnswer(kRequestRow, rs.Fields("ISLT_Coord_Educ_Req_Made"));
            m_pairs.setAnswer(kAcceptRow, rs.Fields("Parent_Accept_Recom"));
        });
}

bool frmActionPlan::saveActionPlan() {
    const Grid* g = gridReview;
    const QString reason = g->GetText(2, kReasonRow);
    const QString amendments = g->GetText(1, kAmendmentRow);
    const QString notApproved = g->GetText(1, kNotApprovedRow);
    const QString request = m_pairs.storedText(kRequestRow);
    const QString accept = m_pairs.storedText(kAcceptRow);
    return updateOrInsert(
        "saveActionPlan Routine",
        "SELECT ISLT_Coord_Educ_Req_Made, Parent_Accept_Recom, Parent_Reason, "
        "ISLT_Approved_Reason, "
        "ISLT_Not_Approved_Reason "
        "FROM TAV_DBST_Review_ILST_Request " +
            whereLearnerYear(),
        "UPDATE TAV_DBST_Review_ILST_Request "
        "SET ISLT_Coord_Educ_Req_Made = " +
            request + ", Parent_Accept_Recom = " + accept + ", Parent_Reason = " + quoted(reason) +
            ", ISLT_Approved_Reason = " + quoted(amendments) +
            ", ISLT_Not_Approved_Reason = " + quoted(notApproved) + " " + whereLearnerYear(),
        "INSERT INTO TAV_DBST_Review_ILST_Request (LearnerID, ISLT_Coord_Educ_Req_Made, "
        "Parent_Accept_Recom "
        ", Parent_Reason, ISLT_Approved_Reason, ISLT_Not_Approved_Reason, Data_Year) VALUES (" +
            QString::number(gLearnerID) + "," + request + "," + accept + "," + quoted(reason) +
            "," + quoted(amendments) + "," + quoted(notApproved) + "," +
            QString::number(gDataYear) + ")");
}

void frmActionPlan::gridReview_ButtonClicked(int col, int row, int) {
    if (!m_pairs.ButtonClicked(col, row))
        return;
    if (row == kAcceptRow && col == kNoCol) {
        if (gridReview->GetInteger(col, row) == 1) {
            LockUnlockCell(false);
        } else {
            LockUnlockCell(true);
            gridReview->SetText(2, kReasonRow, QString());
        }
    }
}

void frmActionPlan::LockUnlockCell(bool vHow) {
    const Grid::Block reason(2, kReasonRow, 5, kReasonRow);
    gridReview->setLocked(reason, vHow);
    gridReview->setCellForeColor(reason, vbBlack);
    gridReview->setCellBackColor(reason, vHow ? vbLabelGrey : vbWhite);
}
