#include "support/frmactionplan3.h"

#include "platform/adodb.h"
#include "platform/colors.h"
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
    gridSupportLevel = new Grid;
    Grid* g = gridSupportLevel;
    g->setObjectName("gridSupportLevel");
    g->setMaxCols(4);
    g->setMaxRows(8);
    g->setColHeadersShown(false);
    const double widths[] = {42, 42, 12, 12};
    for (int c = 1; c <= 4; ++c)
        g->SetColWidth(c, widths[c - 1]);
    g->setLocked({-1, -1}, true);
    setLabel(g, 1, 1, "3. APPROVAL BY DISTRICT SENIOR MANAGER", 4);
    g->setCellBold({1, 1}, true);
    setLabel(g, 1, 2, "Comment", 4);
    setEntry(g, 1, kApprovalRow, kTextLength, kReview, "Senior_Manager_Approval", 4);
    setLabel(g, 1, 4,
             "Date:                         District Senior Manager:                         "
             "                        Signature:",
             4);
    setLabel(g, 1, kDiscussedRow,
             "4. SCHOOL DISCUSSED DBST RECOMMENDATION WITH PARENT/CAREGIVER AND LEARNER", 2);
    g->setCellBold({1, kDiscussedRow}, true);
    m_pairs = YesNoPairs(g);
    m_pairs.addPair(kDiscussedRow, kYesCol, kNoCol);
    setLabel(g, 1, 6,
             "Brief comment on learner and parent/caregiver response including goals, aims, "
             "hopes and wishes for the learner:",
             4);
    setEntry(g, 1, kResponseRow, kTextLength, kReview, "School_Discussed_Comment", 4);
    setLabel(g, 1, 8, "Date:                        ", 4);
    // Printed at top 2000, the grid ends above the review grid at top 5000.
    g->SetRowHeight(kApprovalRow, 26);
    g->SetRowHeight(kDiscussedRow, 22);
    g->SetRowHeight(kResponseRow, 26);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixHeight(g, 3000);
    addToFrame(g);
    watchEdits(g);
    connect(g, &Grid::ButtonClicked, this, &frmActionPlan3::gridSupportLevel_ButtonClicked);

    gridActionTaken = new Grid;
    Grid* a = gridActionTaken;
    a->setObjectName("gridActionTaken");
    a->setMaxCols(5);
    a->setMaxRows(kLastReviewRow);
    a->setColHeadersShown(false);
    const double reviewWidths[] = {23, 36, 14, 18, 14};
    for (int c = 1; c <= 5; ++c)
        a->SetColWidth(c, reviewWidths[c - 1]);
    a->setLocked({-1, -1}, true);
    setLabel(a, 1, 1, "5. REVIEW OF ACTION TAKEN", 5);
    a->setCellBold({1, 1}, true);
    const char* const headings[] = {"Name", "Outcome of actions taken", "Signature", "Designation",
                                    "Review Date"};
    for (int c = 1; c <= 5; ++c)
        setLabel(a, c, 2, headings[c - 1]);
    a->setCellBold({1, 2, 5, 2}, true);
    for (int r = kFirstReviewRow; r <= kLastReviewRow; ++r) {
        setEntry(a, kNameCol, r, kNameLength, kActionReview, "Name");
        setEntry(a, kOutcomeCol, r, kReviewLength, kActionReview, "Outcome");
        setEntry(a, kDesignationCol, r, kNameLength, kActionReview, "Designation");
        setEntry(a, kDateCol, r, 0, kActionReview, "Review_Date", 1, false);
        a->setDateCell({kDateCol, r}, QDate(1990, 1, 1), QDate(2100, 12, 31));
        a->setLocked({kSignatureCol, r}, true);
        a->SetRowHeight(r, 26);
    }
    a->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
