#include "profile/frmhealthreport.h"

#include "platform/adodb.h"
#include "platform/griddesign.h"
#include "platform/runtime.h"
#include "profile/areasofimpairment.h"
#include "services/globals.h"

namespace {

const QString kCaption = QStringLiteral("RER [DP : DIAGNOSTIC PROFILE]");

// gridMedicalRecords: the check boxes.
constexpr int kViewedCol = 4, kAttachedCol = 5, kRecordsRow = 5;
constexpr int kTempCol = 4, kPermCol = 5, kImpairmentRow = 6;
// gridAreas: the level columns 2..4 (mild, moderate, severe) of the domain rows
// 3..10 (domain + 2), and the comments.
constexpr int kFirstLevelCol = 2, kLastLevelCol = 4;
constexpr int kFirstDomainRow = 3;
constexpr int kCommentsCol = 2, kCommentsRow = 11;

const char* const kDomainTitles[kActivityDomains] = {
    "2.1 Mobility",  "2.2 Self-care",         "2.3 Communication",
    "2.4 Vision",    "2.5 Hearing",           "2.6 Mental-psychiatric diagnosis",
    "2.7 Cognition", "2.8 Health care needs",
};

} // namespace

frmHealthReport::frmHealthReport(QWidget* parent) : AssessmentPage("frmHealthReport", parent) {
    setWindowTitle(kCaption);
    setHeader(false, false);
    setPrintButtonName("cmdPrint");
    setFrameSize(11100, 7600);

    using C = GridCell;
    gridMedicalRecords = newGrid(
        "gridMedicalRecords",
        {.columns = gridColumns({26, 30, 16, 14, 14}),
         .rows = 6,
         .locked = true,
         .lines =
             {
                 {.row = 1,
                  .cells = {C::label(1, "A. HEALTH PROFESSIONAL REPORT", 5).bold().grey()}},
                 {.row = 2,
                  .cells = {C::label(1, "Name of Learner:"), C::label(3, "Date of birth:"),
                            C::plain(4, 2)}},
                 {.row = 3, .cells = {C::label(1, "Disability:"), C::plain(2, 4)}},
                 {.row = 4, .height = 8},
                 {.row = 5, .cells = {C::label(1, "1. MEDICAL RECORDS", 3).bold()}},
                 {.row = 6,
                  .cells = {C::label(1, "Is the impairment temporary or permanent?", 3).bold()}},
             },
         .heightTwips = 1900});
    Grid* m = gridMedicalRecords;
    m->setCheckBox(kViewedCol, kRecordsRow, "Viewed");
    m->setCheckBox(kAttachedCol, kRecordsRow, "Attached");
    m->setCheckBox(kTempCol, kImpairmentRow, "Temp");
    m->setCheckBox(kPermCol, kImpairmentRow, "Perm");
    m->setLocked({kViewedCol, kRecordsRow, kAttachedCol, kImpairmentRow}, false);
    addToFrame(m);
    watchEdits(m);
    connect(m, &Grid::ButtonClicked, this, [this](int col, int row, int down) {
        gridMedicalRecords_ButtonClicked(col, row, down);
    });

    GridDesign areas{
        .columns = gridColumns({31, 23, 23, 23}),
        .rows = 11,
        .locked = true,
        .lines = {
            {.row = 1,
             .cells =
                 {C::label(1, "2. AREAS OF IMPAIRMENT AND ACTIVITY LIMITATION", 4).bold().grey()}},
            {.row = 2,
             .height = 52,
             .cells = {C::label(1, "NA = Not applicable").wrapped(),
                       C::label(2, "Mild impairment / activity limitation").wrapped(),
                       C::label(3, "Moderate impairment / activity limitation (Level 4 within "
                                   "KELD framework)")
                           .wrapped(),
                       C::label(4, "Severe impairment / activity limitation (Level 5 within "
                                   "KELD framework )")
                           .wrapped()},
             .bold = true},
            {.row = kCommentsRow,
             .height = 75,
             .cells = {C::label(1, "Further Comments"), C::entry(kCommentsCol, 0, 3)}},
        }};
    for (int d = 1; d <= kActivityDomains; ++d) {
        GridRow domain{.row = kFirstDomainRow + d - 1,
                       .cells = {C::label(1, kDomainTitles[d - 1])}};
        for (int c = kFirstLevelCol; c <= kLastLevelCol; ++c)
            domain.cells.append(C::plain(c).bold());
        areas.lines.append(domain);
    }
    gridAreas = newGrid("gridAreas", areas);
    Grid* a = gridAreas;
    storeEntries(a, {kCommentsCol, kCommentsRow}, "TAV_Health_Professional_Report", "Comments");
    addToFrame(a, 1);
    watchEdits(a);

    setLoadRoutines({[this] {
                         gridMedicalRecords->SetText(2, 2, gLearnerName);
                         gridMedicalRecords->SetText(4, 2, birthDateText(gBirthDate));
                         return true;
                     },
                     [this] {
                         const bool done = getDisability();
                         gridMedicalRecords->SetText(2, 3, m_disability);
                         return done;
                     },
                     [this] { return getMedicalRecords(); }});
    setSaveRoutines({[this] { return saveMedicalRecord(); }});
    setNext("frmCriteriaSelection1");
    setPrint({.title = QString(),
              .learnerLine = false,
              .items = {PrintItem::grid(gridMedicalRecords, 500, 800),
                        PrintItem::grid(gridAreas, 500, 3000)}});
}

QString frmHealthReport::birthDateText(const QString& yyyymmdd) {
    if (yyyymmdd.size() != 8)
        return QString();
    return yyyymmdd.right(2) + "/" + yyyymmdd.mid(4, 2) + "/" + yyyymmdd.left(4);
}

bool frmHealthReport::getDisability() {
    m_disability.clear();
    return loadFirstRow(
        "getDisability Routine",
        "SELECT DI.Name AS Disability "
        "FROM Learner_Info  as LI "
        "INNER JOIN Disabilities as DI ON LI.LSENDisabilities = DI.id "
        "WHERE LI.ID = " +
            QString::number(gLearnerID),
        [this](ado::Recordset& rs) { m_disability = rs.Fields("Disability").text(); });
}

bool frmHealthReport::getMedicalRecords() {
    return loadFirstRow(
        "getMedicalRecords Routine",
        "SELECT Impairment_Type, Medical_Record_Viewed, Medical_Record_Attached, Comments "
        "FROM TAV_Health_Professional_Report " +
            whereLearnerYear(),
        [this](ado::Recordset& rs) {
            Grid* m = gridMedicalRecords;
            // A Null type, like an empty one, is none chosen.
            const QString type = rs.Fields("Impairment_Type").text().trimmed();
            m->SetInteger(kTempCol, kImpairmentRow, type == "TEMP" ? 1 : 0);
            m->SetInteger(kPermCol, kImpairmentRow, !type.isEmpty() && type != "TEMP" ? 1 : 0);
            m->SetInteger(kViewedCol, kRecordsRow, rs.Fields("Medical_Record_Viewed").isTrue());
            m->SetInteger(kAttachedCol, kRecordsRow, rs.Fields("Medical_Record_Attached").isTrue());
            m_comments = rs.Fields("Comments").text();
            gridAreas->SetText(kCommentsCol, kCommentsRow, m_comments);
        });
}

void frmHealthReport::gridMedicalRecords_ButtonClicked(int col, int row, int) {
    Grid* m = gridMedicalRecords;
    if (row != kImpairmentRow)
        return;
    if (col == kTempCol && m->GetText(kTempCol, kImpairmentRow) == "1")
        m->SetInteger(kPermCol, kImpairmentRow, 0);
    if (col == kPermCol && m->GetText(kPermCol, kImpairmentRow) == "1")
        m->SetInteger(kTempCol, kImpairmentRow, 0);
}

void frmHealthReport::Form_Activate() {
    getImpairment_Area();
    gridAreas->SetActiveCell(kFirstLevelCol, kFirstDomainRow);
}

bool frmHealthReport::getImpairment_Area() {
    // A page activated again must not keep the levels of its last showing.
    gridAreas->ClearRange(kFirstLevelCol, kFirstDomainRow, kLastLevelCol,
                          kFirstDomainRow + kActivityDomains - 1, true);
    QList<DomainScore> scores;
    const bool done = loadRows(
        "getImpairment_Area Routine",
        "SELECT c.Sub_Section, c.Score, s.Activity_Domain "
        "FROM TAV_Criteria_For_Selection c "
        "INNER JOIN TAV_lu_Activity_Domain_Sub_Section s ON c.Sub_Section = s.ID " +
            whereLearnerYear("c") + " ORDER By s.Activity_Domain",
        [&](ado::Recordset& rs) {
            scores.append({rs.Fields("Activity_Domain").toInt(), rs.Fields("Score").Value()});
        });
    if (!done)
        return false;
    for (const AreaLevel& area : computeAreaLevels(scores))
        gridAreas->SetText(area.level + 1, area.domain + 2, areaLevelLabel(area.level));
    return true;
}

bool frmHealthReport::saveMedicalRecord() {
    const Grid* m = gridMedicalRecords;
    const bool viewed = m->GetText(kViewedCol, kRecordsRow).trimmed() == "1";
    const bool attached = m->GetText(kAttachedCol, kRecordsRow).trimmed() == "1";
    QString type;
    if (m->GetText(kTempCol, kImpairmentRow).trimmed() == "1")
        type = "TEMP";
    else if (m->GetText(kPermCol, kImpairmentRow).trimmed() == "1")
        type = "PERM";
    const QString comments = gridAreas->GetText(kCommentsCol, kCommentsRow);
    const auto truth = [](bool b) { return QString(b ? "True" : "False"); };

    // The row is replaced in one transaction, so a failing insert keeps the old one.
    return replaceRows(
        "saveMedicalRecord Routine",
        {"DELETE FROM TAV_Health_Professional_Report TAV_Health_Professional_Report " +
         whereLearnerYear()},
        {"INSERT INTO TAV_Health_Professional_Report (LearnerID, Impairment_Type, "
         "Medical_Record_Viewed, Medical_Record_Attached, Data_Year, Comments) VALUES "
         "(" +
         QString::number(gLearnerID) + ",'" + type + "'," + truth(viewed) + "," + truth(attached) +
         "," + QString::number(gDataYear) + "," + quoted(comments) + ")"});
}
