#include "support/frmactionplan3.h"

#include "platform/adodb.h"
#include "platform/grid.h"
#include "services/globals.h"

namespace {

constexpr int kTextLength = 9000;
constexpr int kReviewLength = 2000;
const QString kReview = QStringLiteral("TAV_DBST_Review_ILST_Request");
const QString kActionReview = QStringLiteral("TAV_Action_Review");
constexpr int kNameCol = 1;
constexpr int kOutcomeCol = 2;
constexpr int kSignatureCol = 3;
constexpr int kDesignationCol = 4;
constexpr int kDateCol = 5;

} // namespace

frmActionPlan3::frmActionPlan3(QWidget* parent) : ActionPlanPage("frmActionPlan3", parent) {
    using C = GridCell;
    // Printed at top 2000, the grid ends above the review grid at top 5000.
    gridSupportLevel = newGrid(
        "gridSupportLevel",
        {.columns = gridColumns({42, 42, 12, 12}),
         .rows = 8,
         .locked = true,
         .lines =
             {
                 {.row = 1,
                  .cells = {label(1, "3. APPROVAL BY DISTRICT SENIOR MANAGER", 4).bold()}},
                 {.row = 2, .cells = {label(1, "Comment", 4)}},
                 {.row = kApprovalRow, .height = 26, .cells = {C::entry(1, kTextLength, 4)}},
                 {.row = 4,
                  .cells = {label(1,
                                  "Date:                         District Senior Manager:          "
                                  "                                       Signature:",
                                  4)}},
                 {.row = kDiscussedRow,
                  .height = 22,
                  .cells = {label(1,
                                  "4. SCHOOL DISCUSSED DBST RECOMMENDATION WITH PARENT/CAREGIVER "
                                  "AND LEARNER",
                                  2)
                                .bold()}},
                 {.row = 6,
                  .cells = {label(
                      1,
                      "Brief comment on learner and parent/caregiver response including "
                      "goals, aims, hopes and wishes for the learner:",
                      4)}},
                 {.row = kResponseRow, .height = 26, .cells = {C::entry(1, kTextLength, 4)}},
                 {.row = 8, .cells = {label(1, "Date:                        ", 4)}},
             },
         .heightTwips = 3000,
         .noScrollBars = Qt::Horizontal | Qt::Vertical});
    Grid* g = gridSupportLevel;
    storeEntries(g, {1, kApprovalRow}, kReview, "Senior_Manager_Approval");
    storeEntries(g, {1, kResponseRow}, kReview, "School_Discussed_Comment");
    m_pairs = YesNoPairs(g);
    m_pairs.addPair(kDiscussedRow, kYesCol, kNoCol);
    addToFrame(g);
    watchEdits(g);
    connect(g, &Grid::ButtonClicked, this, &frmActionPlan3::gridSupportLevel_ButtonClicked);

    GridDesign review{
        .columns = gridColumns({23, 36, 14, 18, 14}),
        .rows = kLastReviewRow,
        .locked = true,
        .lines = {
            {.row = 1, .cells = {label(1, "5. REVIEW OF ACTION TAKEN", 5).bold()}},
            {.row = 2,
             .cells = {label(kNameCol, "Name"), label(kOutcomeCol, "Outcome of actions taken"),
                       label(kSignatureCol, "Signature"), label(kDesignationCol, "Designation"),
                       label(kDateCol, "Review Date")},
             .bold = true}}};
    for (int r = kFirstReviewRow; r <= kLastReviewRow; ++r) {
        review.lines.append(
            {.row = r,
             .height = 26,
             .cells = {C::entry(kNameCol, kNameLength), C::entry(kOutcomeCol, kReviewLength),
                       C::entry(kDesignationCol, kNameLength), C::entry(kDateCol, 0, 1, false)}});
    }
    review.noScrollBars = Qt::Horizontal;
    review.printHeadingRows = 2;
    gridActionTaken = newGrid("gridActionTaken", review);
    Grid* a = gridActionTaken;
    for (int r = kFirstReviewRow; r <= kLastReviewRow; ++r) {
        storeEntries(a, {kNameCol, r}, kActionReview, "Name");
        storeEntries(a, {kOutcomeCol, r}, kActionReview, "Outcome");
        storeEntries(a, {kDesignationCol, r}, kActionReview, "Designation");
        storeEntries(a, {kDateCol, r}, kActionReview, "Review_Date");
        a->setDateCell({kDateCol, r}, QDate(1990, 1, 1), QDate(2100, 12, 31));
    }
    addToFrame(a, 1);
    watchEdits(a);

    setLoadRoutines({signatureRoutine(true), [this] { return getSupportLevel(); },
                     [this] { return getActionReview(); }});
    setSaveRoutines({[this] { return saveSupportLevel(); }, [this] { return saveActionReview(); }});
    setPrevious("frmActionPlan2", "Previous");
    setActionPlanPrint({PrintItem::grid(gridSupportLevel, 500, 2000),
                        PrintItem::grid(gridActionTaken, 500, 5000)});
}

bool frmActionPlan3::getSupportLevel() {
    return loadFirstRow("getSupportLevel Routine",
                        "SELECT Senior_Manager_Approval, School_Discussed_Parent, "
                        "School_Discussed_Comment  "
                        "FROM TAV_DBST_Review_ILST_Request " +
                            whereLearnerYear(),
                        [this](ado::Recordset& rs) {
                            m_pairs.setAnswer(kDiscussedRow, rs.Fields("School_Discussed_Parent"));
                            gridSupportLevel->SetText(1, kApprovalRow,
                                                      rs.Fields("Senior_Manager_Approval").text());
                            gridSupportLevel->SetText(1, kResponseRow,
                                                      rs.Fields("School_Discussed_Comment").text());
                        });
}

bool frmActionPlan3::saveSupportLevel() {
    const QString discussed = m_pairs.storedText(kDiscussedRow);
    const QString approval = gridSupportLevel->GetText(1, kApprovalRow);
    const QString response = gridSupportLevel->GetText(1, kResponseRow);
    return updateOrInsert(
        "saveSupportLevel Routine",
        "SELECT Senior_Manager_Approval, School_Discussed_Parent, School_Discussed_Comment  "
        "FROM TAV_DBST_Review_ILST_Request " +
            whereLearnerYear(),
        "UPDATE TAV_DBST_Review_ILST_Request "
        "SET Senior_Manager_Approval = " +
            quoted(approval) + ", School_Discussed_Parent = " + discussed +
            ", School_Discussed_Comment = " + quoted(response) + " " + whereLearnerYear(),
        "INSERT INTO TAV_DBST_Review_ILST_Request (LearnerID, Senior_Manager_Approval, "
        "School_Discussed_Comment, School_Discussed_Parent, Data_Year) VALUES (" +
            QString::number(gLearnerID) + "," + quoted(approval) + "," + quoted(response) + "," +
            discussed + "," + QString::number(gDataYear) + ")");
}

bool frmActionPlan3::getActionReview() {
    return loadRows("getActionReview Routine",
                    "SELECT [Action], Name, Outcome, Designation, Review_Date  "
                    "FROM TAV_Action_Review " +
                        whereLearnerYear() + " ORDER BY [Action]",
                    [this](ado::Recordset& rs) {
                        const int line = rs.Fields("Action").toInt();
                        if (line < 1 || line > kLastReviewRow - kFirstReviewRow + 1)
                            return; // no line of the grid: the headings stay
                        const int r = line + 2;
                        Grid* a = gridActionTaken;
                        a->SetText(kNameCol, r, rs.Fields("Name").text());
                        a->SetText(kOutcomeCol, r, rs.Fields("Outcome").text());
                        a->SetText(kDesignationCol, r, rs.Fields("Designation").text());
                        a->SetText(kDateCol, r, rs.Fields("Review_Date").text());
                    });
}

bool frmActionPlan3::saveActionReview() {
    QStringList inserts;
    for (int r = kFirstReviewRow; r <= kLastReviewRow; ++r) {
        const Grid* a = gridActionTaken;
        const QString name = a->GetText(kNameCol, r);
        const QString outcome = a->GetText(kOutcomeCol, r);
        const QString designation = a->GetText(kDesignationCol, r);
        const QString date = a->GetText(kDateCol, r);
        if (allBlank({name, outcome, designation, date}))
            continue;
        inserts << "INSERT INTO TAV_Action_Review (LearnerID, [Action], Name, Outcome, "
                   "Designation, Review_Date, Data_Year) VALUES "
                   "(" +
                       QString::number(gLearnerID) + "," + QString::number(r - 2) + "," +
                       quoted(name) + "," + quoted(outcome) + "," + quoted(designation) + "," +
                       quoted(date) + "," + QString::number(gDataYear) + ")";
    }
    return replaceRows("saveActionReview Routine",
                       {"DELETE FROM TAV_Action_Review " + whereLearnerYear()}, inserts);
}

void frmActionPlan3::gridSupportLevel_ButtonClicked(int col, int row, int) {
    m_pairs.ButtonClicked(col, row);
}
