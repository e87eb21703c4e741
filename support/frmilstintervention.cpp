#include "support/frmilstintervention.h"

#include "platform/adodb.h"
#include "platform/grid.h"
#include "platform/griddesign.h"
#include "services/globals.h"

namespace {

const QString kCaption = QStringLiteral("RER [Section 3b: ILST RECORD OF INTERVENTIONS TAKEN AND "
                                        "MOTIVATION FOR ASSISTANCE FROM DBST]");

// A grid of fixed rows whose texts span every column (or the columns left of
// a Yes/No pair); the entry rows are open multi-line cells, the other rows
// grey and locked.
struct RowDesign {
    int row;
    QString text;      // the fixed text; empty for an entry row
    bool bold = false; // headings
    double height = 15;
};

Grid* makeGrid(const QString& name, const QList<double>& widths, const QList<RowDesign>& rows,
               const QList<int>& pairRows) {
    const int cols = int(widths.size());
    GridDesign design{.columns = gridColumns(widths), .rows = int(rows.size())};
    for (const RowDesign& d : rows) {
        const int span = pairRows.contains(d.row) ? cols - 2 : cols;
        if (d.text.isEmpty())
            design.lines.append(
                {.row = d.row, .height = d.height, .cells = {GridCell::entry(1, 0, span)}});
        else
            design.lines.append({.row = d.row,
                                 .height = d.height,
                                 .cells = {GridCell::label(1, d.text, span).bold(d.bold)},
                                 .grey = true});
    }
    return newGrid(name, design);
}

constexpr double kEntryHeight = 60;

} // namespace

frmILSTIntervention::frmILSTIntervention(QWidget* parent)
    : AssessmentPage("frmILSTIntervention", parent) {
    setWindowTitle(kCaption);
    setFrameSize(11600, 7800);

    SSTab1 = new TabControl;
    SSTab1->setObjectName("SSTab1");
    addToFrame(SSTab1, 1);

    gridLearnerAdditionalNeeds = makeGrid(
        "gridLearnerAdditionalNeeds", {34, 34, 34},
        {{1, "1. ACTION TAKEN TO ADDRESS LEARNER'S ADDITIONAL SUPPORT NEEDS", true},
         {2, "Comment on whole school development intervention taken (if applicable)"},
         {kWholeSchoolRow, {}, false, kEntryHeight},
         {4, "Comment on any educator training or other educator supoort given (if applicable)"},
         {kEducatorTrainingRow, {}, false, kEntryHeight},
         {6,
          "Comment on any learner support given (e.g curriculum differentiation, Individual "
          "Support Plan, emotional, health or social support)",
          false, 26},
         {kLearnerSupportRow, {}, false, kEntryHeight}},
        {});

    const QString signature =
        QStringLiteral("Date: ______________   Signature: ______________________");
    gridOther = makeGrid(
        "gridOther", {56, 30, 8, 8},
        {{kDiscussedRow, "2. DISCUSSIONS HELD WITH PARENT/CAREGIVER AND LEARNER", true},
         {2, "Comment on the response of the parent/caregiver and the learner"},
         {kParentResponseRow, {}, false, kEntryHeight},
         {4, "Date:"},
         {5, "3. ILST ANALYSIS OF ACTION TAKEN AND RECOMMENDATIONS TO DBST", true},
         {6, "Brief comment"},
         {kAnalysisRow, {}, false, kEntryHeight},
         {8, "Date: ______________   Name of ILST Chairperson: ______________________   "
             "Signature: ______________________"},
         {kPrincipalRow, "4. PRINCIPAL APPROVES REQUEST FOR DBST SUPPORT", true},
         {10, "Reason for decision and recommendation"},
         {kPrincipalReasonRow, {}, false, kEntryHeight},
         {12, signature},
         {kCircuitManagerRow, "5. CIRCUIT MANAGER ENDORSES REQUEST FOR DBST SUPPORT", true},
         {14, "Reason for decision and recommendation"},
         {kCircuitManagerReasonRow, {}, false, kEntryHeight},
         {16, signature}},
        {kDiscussedRow, kPrincipalRow, kCircuitManagerRow});
    m_answers = YesNoPairs(gridOther);
    for (int row : {kDiscussedRow, kPrincipalRow, kCircuitManagerRow})
        m_answers.addPair(row, kYesCol, kNoCol);

    SSTab1->addTab(gridLearnerAdditionalNeeds, "Action 1");
    SSTab1->addTab(gridOther, "Other Actions");

    const QString table = QStringLiteral("TAV_ILST_Intervention_Records");
    storeEntries(gridLearnerAdditionalNeeds, {1, kWholeSchoolRow}, table,
                 "Whole_School_Development");
    storeEntries(gridLearnerAdditionalNeeds, {1, kEducatorTrainingRow}, table, "Educator_Training");
    storeEntries(gridLearnerAdditionalNeeds, {1, kLearnerSupportRow}, table, "Learner_Support");
    storeEntries(gridOther, {1, kParentResponseRow}, table, "Learner_Parent_Response");
    storeEntries(gridOther, {1, kAnalysisRow}, table, "ILST_Analysis_To_DBST");
    storeEntries(gridOther, {1, kPrincipalReasonRow}, table, "Principal_Reason");
    storeEntries(gridOther, {1, kCircuitManagerReasonRow}, table, "Circuit_Manager_Reason");
    watchEdits(gridLearnerAdditionalNeeds);
    watchEdits(gridOther);
    connect(gridOther, &Grid::ButtonClicked, this,
            [this](int col, int row, int down) { gridOther_ButtonClicked(col, row, down); });

    setLoadRoutines({[this] { return getData(); }});
    setSaveRoutines({[this] { return saveData(); }});
    setPrevious("frmSchoolRequestSupport", "Previous");
    setPrint({.landscape = true, .title = " " + kCaption});
}

void frmILSTIntervention::Form_Activate() {
    SSTab1->setTab(ActionTab);
}

void frmILSTIntervention::gridOther_ButtonClicked(int Col, int Row, int) {
    m_answers.ButtonClicked(Col, Row);
}

bool frmILSTIntervention::getData() {
    return loadFirstRow(
        "getData Routine",
        "SELECT * "
        "FROM TAV_ILST_Intervention_Records " +
            whereLearnerYear(),
        [this](ado::Recordset& rs) {
            Grid* needs = gridLearnerAdditionalNeeds;
            needs->SetText(1, kWholeSchoolRow, rs.Fields("Whole_School_Development").text());
            needs->SetText(1, kEducatorTrainingRow, rs.Fields("Educator_Training").text());
            needs->SetText(1, kLearnerSupportRow, rs.Fields("Learner_Support").text());
            m_answers.setAnswer(kDiscussedRow, rs.Fields("Learner_Parent_Discussed"));
            gridOther->SetText(1, kParentResponseRow, rs.Fields("Learner_Parent_Response").text());
            gridOther->SetText(1, kAnalysisRow, rs.Fields("ILST_Analysis_To_DBST").text());
            m_answers.setAnswer(kPrincipalRow, rs.Fields("Principal_Approve_Request_DBST"));
            gridOther->SetText(1, kPrincipalReasonRow, rs.Fields("Principal_Reason").text());
            m_answers.setAnswer(kCircuitManagerRow, rs.Fields("Circuit_Manager_Endores"));
            gridOther->SetText(1, kCircuitManagerReasonRow,
                               rs.Fields("Circuit_Manager_Reason").text());
        });
}

bool frmILSTIntervention::saveData() {
    const QStringList values = {
        gridLearnerAdditionalNeeds->GetText(1, kWholeSchoolRow),
        gridLearnerAdditionalNeeds->GetText(1, kEducatorTrainingRow),
        gridLearnerAdditionalNeeds->GetText(1, kLearnerSupportRow),
        m_answers.storedText(kDiscussedRow),
        gridOther->GetText(1, kParentResponseRow),
        gridOther->GetText(1, kAnalysisRow),
        m_answers.storedText(kPrincipalRow),
        gridOther->GetText(1, kPrincipalReasonRow),
        m_answers.storedText(kCircuitManagerRow),
        gridOther->GetText(1, kCircuitManagerReasonRow),
    };
    QStringList inserts;
    if (!allBlank(values)) {
        QStringList quotedValues;
        for (const QString& value : values)
            quotedValues << quoted(value);
        inserts << "INSERT INTO TAV_ILST_Intervention_Records (LearnerID, "
                   "Whole_School_Development, Educator_Training,"
                   "Learner_Support, Learner_Parent_Discussed, Learner_Parent_Response, "
                   "ILST_Analysis_To_DBST, "
                   "Principal_Approve_Request_DBST, Principal_Reason, Circuit_Manager_Endores, "
                   "Circuit_Manager_Reason, Data_Year) VALUES ( " +
                       QString::number(gLearnerID) + "," + quotedValues.join(",") + "," +
                       QString::number(gDataYear) + ")";
    }
    return replaceRows("saveData Routine",
                       {"DELETE FROM TAV_ILST_Intervention_Records " + whereLearnerYear()},
                       inserts);
}

QList<PrintItem> frmILSTIntervention::printItems() const {
    Grid* grid = SSTab1->Tab() == OtherActionsTab ? gridOther : gridLearnerAdditionalNeeds;
    return {PrintItem::grid(grid, 300, 800, 3000)};
}
