#include "support/frmactionplan2.h"

#include "platform/adodb.h"
#include "platform/grid.h"
#include "services/globals.h"

namespace {

constexpr int kLevelRow = 1;
constexpr int kLastLevelCol = 5;
constexpr int kStrategyCols = 7;
constexpr int kBudgetCol = 7;
constexpr int kCellLength = 60;
// The columns of TAV_DBST_Support_Strategy that the grid's columns 1 to 7 are
// saved into (the grid's Timeframe in Budget and its Budget in Timeframe, see
// getSupportStrategy).
const char* const kStrategyColumns[kStrategyCols] = {
    "Support_Needed",     "Support_Level", "School_Steps", "Learner_Steps",
    "Person_Responsible", "Budget",        "Timeframe"};

const char* const kAreaHeadings[] = {
    "Specialised staff e.g Learning Support Educator, counsellor",
    "Assistive devices e.g wheelchair, FM radio system",
    "Curriculum differentiation e.g access to therapy programmes",
    "Training e.g educators need info on ADHD and implications for classroom management",
    "Environmental access e.g ramps, support rails",
    "Social support e.g grants, nutrition ",
};

const QString kTypeHeading = QStringLiteral("Type of support needed\r\nFill in where applicable");
const QString kLevelHeading = QStringLiteral("Support Level\r\nL,M,H");

} // namespace

frmActionPlan2::frmActionPlan2(QWidget* parent) : ActionPlanPage("frmActionPlan2", parent) {
    using C = GridCell;
    gridDBST_Support_Level = newGrid(
        "gridDBST_Support_Level",
        {.columns = gridColumns({32, 30, 15, 15, 16}),
         .rows = 2,
         .locked = true,
         .lines = {{.row = kLevelRow,
                    .height = 30,
                    .cells = {label(1,
                                    "DBST support strategy to be implemented at school site "
                                    "level\r\n(Please tick relevant block)",
                                    2)
                                  .bold()}},
                   {.row = 2,
                    .height = 20,
                    .cells = {C::label(1, "Date:  "), C::label(2, "Chairperson of DBST: "),
                              C::label(3, "Signature:"), C::label(4, QString(), 2)}}},
         .heightTwips = 1000,
         .noScrollBars = Qt::Horizontal | Qt::Vertical});
    Grid* l = gridDBST_Support_Level;
    l->setCheckBox(3, kLevelRow, "Completely");
    l->setCheckBox(4, kLevelRow, "Partially");
    l->setCheckBox(5, kLevelRow, "Alternate site");
    l->setLocked({3, kLevelRow, 5, kLevelRow}, false);
    addToFrame(l);
    watchEdits(l);
    connect(l, &Grid::ButtonClicked, this, &frmActionPlan2::gridDBST_Support_Level_ButtonClicked);

    GridDesign strategy{
        .columns = gridColumns({22, 10, 18, 18, 14, 12, 12}),
        .rows = 40,
        .locked = true,
        .lines = {
            {.row = 1,
             .cells = {label(1,
                             "2. DBST SUPPORT STRATEGY ACTION PLAN FOR SCHOOL (Refer to RER: "
                             "Section 3b)",
                             kStrategyCols)
                           .bold()}},
            // Row 2 at least 30 high; the grid grows it to its two-line headings.
            {.row = 2,
             .height = 30,
             .cells = {label(1, kTypeHeading), label(2, kLevelHeading),
                       label(3, "STEPS TO BE TAKEN", 2), label(5, "Person responsible", 1, 2),
                       label(6, "Timeframe", 1, 2), label(7, "Budget", 1, 2)},
             .bold = true},
            {.row = 3,
             .cells = {label(1, QString()), label(2, QString()), label(3, "SCHOOL LEVEL"),
                       label(4, "LEARNER LEVEL")},
             .bold = true},
            {.row = 40, .height = 8, .cells = {label(1, QString(), kStrategyCols)}},
        }};
    for (int area = 0; area < 6; ++area)
        strategy.lines.append(
            {.row = 4 + area * 6, .cells = {label(1, kAreaHeadings[area], kStrategyCols).bold()}});
    for (int line = 1; line <= kLines; ++line) {
        GridRow entries{.row = lineRow(line), .height = 26};
        for (int c = 1; c <= kStrategyCols; ++c)
            entries.cells.append(C::entry(c, c == 2 ? 1 : kCellLength, 1, c != 2));
        strategy.lines.append(entries);
    }
    strategy.noScrollBars = Qt::Horizontal;
    strategy.printHeadingRows = 3;
    gridStrategy = newGrid("gridStrategy", strategy);
    Grid* s = gridStrategy;
    // Each area's heading stands with its first line.
    for (int area = 0; area < 6; ++area)
        s->setPrintKeptWithNext(4 + area * 6);
    for (int line = 1; line <= kLines; ++line) {
        for (int c = 1; c <= kStrategyCols; ++c)
            storeEntries(s, {c, lineRow(line)}, "TAV_DBST_Support_Strategy",
                         kStrategyColumns[c - 1]);
    }
    addToFrame(s, 1);
    watchEdits(s);

    setLoadRoutines({signatureRoutine(true), [this] { return getSupportStrategy(); },
                     [this] { return getSupportLevel(); }});
    setSaveRoutines(
        {[this] { return saveSupportStrategy(); }, [this] { return saveSupportLevel(); }});
    setNext("frmActionPlan3", "Next");
    setPrevious("frmActionPlan", "Previous");
    setActionPlanPrint(
        {PrintItem::grid(gridDBST_Support_Level, 500, 2000),
         PrintItem::paged(gridStrategy, rect(500, 3000, 0, -1000), rect(500, 3500, 3000, 0))});
}

// A line's Budget (column 7) is kept in the row's Timeframe column, which
// nothing else writes; the Timeframe column of the grid (6) has always been
// kept in Budget, where the rows saved so far hold it.
bool frmActionPlan2::getSupportStrategy() {
    return loadRows("getSupportStrategy Routine",
                    "SELECT Support_Area, Support_Needed, Support_Level, School_Steps, "
                    "Learner_Steps, Person_Responsible, Timeframe, Budget, "
                    "School_Outcome, Learner_Outcome, Designation, Review_Date "
                    "FROM TAV_DBST_Support_Strategy " +
                        whereLearnerYear() + " ORDER BY Support_Area",
                    [this](ado::Recordset& rs) {
                        const int line = rs.Fields("Support_Area").toInt();
                        if (line < 1 || line > kLines)
                            return; // no line of the grid: headings stay as designed
                        const int r = lineRow(line);
                        Grid* s = gridStrategy;
                        s->SetText(1, r, rs.Fields("Support_Needed").text());
                        s->SetText(2, r, rs.Fields("Support_Level").text());
                        s->SetText(3, r, rs.Fields("School_Steps").text());
                        s->SetText(4, r, rs.Fields("Learner_Steps").text());
                        s->SetText(5, r, rs.Fields("Person_Responsible").text());
                        s->SetText(6, r, rs.Fields("Budget").text());
                        s->SetText(kBudgetCol, r, rs.Fields("Timeframe").text());
                    });
}

bool frmActionPlan2::saveSupportStrategy() {
    QStringList inserts;
    for (int line = 1; line <= kLines; ++line) {
        const int r = lineRow(line);
        QStringList texts;
        for (int c = 1; c <= kStrategyCols; ++c)
            texts << gridStrategy->GetText(c, r);
        if (allBlank(texts))
            continue;
        inserts << "INSERT INTO TAV_DBST_Support_Strategy (LearnerID, Support_Area, "
                   "Support_Needed, Support_Level, "
                   "School_Steps, Learner_Steps, Person_Responsible, Budget, Timeframe, "
                   "Data_Year) VALUES "
                   "(" +
                       QString::number(gLearnerID) + "," + QString::number(line) + "," +
                       quoted(texts[0]) + "," + quoted(texts[1]) + "," + quoted(texts[2]) + "," +
                       quoted(texts[3]) + "," + quoted(texts[4]) + "," + quoted(texts[5]) + "," +
                       quoted(texts[6]) + "," + QString::number(gDataYear) + ")";
    }
    return replaceRows("saveSupportStrategy Routine",
                       {"DELETE FROM TAV_DBST_Support_Strategy " + whereLearnerYear()}, inserts);
}

bool frmActionPlan2::getSupportLevel() {
    return loadFirstRow("getSupportLevel Routine",
                        "SELECT DBST_Support_School_Site "
                        "FROM TAV_DBST_Review_ILST_Request " +
                            whereLearnerYear(),
                        [this](ado::Recordset& rs) {
                            const int level = rs.Fields("DBST_Support_School_Site").toInt();
                            if (level < 1 || level > 3)
                                return; // none: the boxes keep their designed "0"
                            for (int c = kCompletelyCol; c <= kLastLevelCol; ++c)
                                gridDBST_Support_Level->SetText(
                                    c, kLevelRow, c - kCompletelyCol + 1 == level ? "1" : "0");
                        });
}

bool frmActionPlan2::saveSupportLevel() {
    int level = 0;
    for (int c = kCompletelyCol; c <= kLastLevelCol; ++c) {
        if (gridDBST_Support_Level->GetText(c, kLevelRow) == "1")
            level = c - kCompletelyCol + 1;
    }
    const QString levelText = QString::number(level);
    return updateOrInsert(
        "saveSupportLevel Routine",
        "SELECT DBST_Support_School_Site "
        "FROM TAV_DBST_Review_ILST_Request " +
            whereLearnerYear(),
        "UPDATE TAV_DBST_Review_ILST_Request "
        "SET DBST_Support_School_Site = " +
            levelText + " " + whereLearnerYear(),
        "INSERT INTO TAV_DBST_Review_ILST_Request (LearnerID, DBST_Support_School_Site, "
        "Data_Year) VALUES (" +
            QString::number(gLearnerID) + "," + levelText + "," + QString::number(gDataYear) + ")");
}

void frmActionPlan2::gridDBST_Support_Level_ButtonClicked(int col, int row, int) {
    if (row != kLevelRow || col < kCompletelyCol || col > kLastLevelCol)
        return;
    if (gridDBST_Support_Level->GetInteger(col, row) != 1)
        return;
    for (int c = kCompletelyCol; c <= kLastLevelCol; ++c) {
        if (c != col)
            gridDBST_Support_Level->SetText(c, row, "0");
    }
}
