#include "support/frmschoolrequestsupport.h"

#include "pages/previewlist.h"
#include "platform/adodb.h"
#include "platform/grid.h"
#include "platform/griddesign.h"
#include "platform/runtime.h"
#include "services/globals.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

const QString frmSchoolRequestSupport::kLevels = QStringLiteral("LOW\tMODERATE\tHIGH LEVEL");

namespace {

const QString kCaption = QStringLiteral(
    "Support Needs Assessment [Section 3b : SCHOOL REQUEST FORM FOR ADDITIONAL SUPPORT]");
const QString kInstruction =
    QStringLiteral("Select Option below and enter the Factor in the box and then click the "
                   "\"Add to Preview\" button.");
const QString kEmptyMessage =
    QStringLiteral("You must enter what School has or what School needs.");
const QString kNoOptionMessage =
    QStringLiteral("You must select What School Has or What School Needs options.");

// The widest texts the table takes: Low_Moderate_High TEXT(20), School_Need
// and School_Available TEXT(255).
constexpr int kLevelLength = 20;
constexpr int kTextLength = 255;

// A preview grid as designed: 3 columns, 5 rows; headings in rows 1 to 4 and
// the first data row, its level already a drop-down cell.
Grid* makePreviewGrid(const QString& name) {
    using K = frmSchoolRequestSupport;
    using C = GridCell;
    Grid* grid = newGrid(
        name,
        // The level column as wide as its heading "LOW/MODERATE/HIGH LEVEL".
        {.columns = {{.width = 31, .maxLength = kLevelLength},
                     {.width = 36, .maxLength = kTextLength},
                     {.width = 36, .maxLength = kTextLength}},
         .rows = K::kFirstDataRow,
         .lines = {{.row = 1, .height = 26, .cells = {C::label(1, kInstruction, 3)}, .grey = true},
                   {.row = 2, .height = 6, .cells = {C::label(1, QString(), 3)}, .grey = true},
                   {.row = 3,
                    .cells = {C::label(1, "Preview Captured Information", 3).bold()},
                    .grey = true},
                   {.row = 4,
                    .cells = {C::label(K::kLevelCol, "LOW/MODERATE/HIGH LEVEL"),
                              C::label(K::kHasCol, "WHAT SCHOOL HAS"),
                              C::label(K::kNeedsCol, "WHAT SCHOOL NEEDS")},
                    .bold = true,
                    .grey = true}}});
    K::SetColumnType(K::kFirstDataRow, K::kLevelCol, grid);
    return grid;
}

} // namespace

frmSchoolRequestSupport::frmSchoolRequestSupport(QWidget* parent)
    : AssessmentPage("frmSchoolRequestSupport", parent) {
    setFrameSize(11600, 7800);

    vaSpread4 = newGrid(
        "vaSpread4",
        {.columns = gridColumns({34, 34, 34}),
         .rows = 1,
         .lines = {{.row = 1,
                    .cells = {GridCell::label(1, "1. SUMMARY OF SCHOOL NEEDS IN TERMS OF LEVELS", 3)
                                  .bold()}}},
         .heightTwips = 330,
         .noScrollBars = Qt::Horizontal | Qt::Vertical});
    addToFrame(vaSpread4);

    SSTab1 = new TabControl;
    SSTab1->setObjectName("SSTab1");
    addToFrame(SSTab1, 1);

    gridStaffingPreview = makePreviewGrid("gridStaffingPreview");
    gridAssistivePreview = makePreviewGrid("gridAssistivePreview");
    gridCuriculumPreview = makePreviewGrid("gridCuriculumPreview");
    gridHRDPreview = makePreviewGrid("gridHRDPreview");
    gridEnvPreview = makePreviewGrid("gridEnvPreview");

    staffingList = makeArea("1. Staffing", gridStaffingPreview, "AddPreview Routine",
                            "txtAddStaffing", "optStaffingHas", "optStaffingNeed",
                            "You must select What School HAs or What School Needs options.",
                            "cmdAddPreview", "cmdRemove", true);
    // The assistive devices list may be typed into.
    assistiveList =
        makeArea("2. Assistive Devices", gridAssistivePreview, "AddAssistivePreview Routine",
                 "txtAddAssistive", "optAssistiveHas", "optAssistiveNeeds", kNoOptionMessage,
                 "cmdAddAssistivePreview", "cmdRemoveAssistive", false);
    curriculumList = makeArea("3. Curriculum Differentiation", gridCuriculumPreview,
                              "AddCurriculumPreview Routine", "txtAddCurriculum",
                              "optCurriculumHas", "optCurriculumNeeds", kNoOptionMessage,
                              "cmdAddCurriculumPreview", "cmdRemoveCurriculum", true);
    hrdList = makeArea("4. HRD", gridHRDPreview, "AddHRDPreview Routine", "txtAddHRD", "optHRDHas",
                       "optHRDNeeds", kNoOptionMessage, "cmdAddHRDPreview", "cmdRemoveHRD", true);
    envList = makeArea("5. Environmental Access", gridEnvPreview, "AddEnvPreview Routine",
                       "txtAddEnv", "optEnvHas", "optEnvNeeds", kNoOptionMessage,
                       "cmdAddEnvPreview", "cmdRemoveEnv", true);
    m_lists[0] = staffingList;
    m_lists[1] = assistiveList;
    m_lists[2] = curriculumList;
    m_lists[3] = hrdList;
    m_lists[4] = envList;

    txtAddStaffing = staffingList->entryBox();
    optStaffingHas = staffingList->optionA();
    optStaffingNeed = staffingList->optionB();
    cmdAddPreview = staffingList->addButton();
    cmdRemove = staffingList->removeButton();

    txtAddAssistive = assistiveList->entryBox();
    optAssistiveHas = assistiveList->optionA();
    optAssistiveNeeds = assistiveList->optionB();
    cmdAddAssistivePreview = assistiveList->addButton();
    cmdRemoveAssistive = assistiveList->removeButton();

    txtAddCurriculum = curriculumList->entryBox();
    optCurriculumHas = curriculumList->optionA();
    optCurriculumNeeds = curriculumList->optionB();
    cmdAddCurriculumPreview = curriculumList->addButton();
    cmdRemoveCurriculum = curriculumList->removeButton();

    txtAddHRD = hrdList->entryBox();
    optHRDHas = hrdList->optionA();
    optHRDNeeds = hrdList->optionB();
    cmdAddHRDPreview = hrdList->addButton();
    cmdRemoveHRD = hrdList->removeButton();

    txtAddEnv = envList->entryBox();
    optEnvHas = envList->optionA();
    optEnvNeeds = envList->optionB();
    cmdAddEnvPreview = envList->addButton();
    cmdRemoveEnv = envList->removeButton();

    gridSignature = newGrid(
        "gridSignature",
        {.columns = gridColumns({24, 46, 8, 24}),
         .rows = 2,
         .lines = {{.row = 1,
                    .cells = {GridCell::label(1, "School:").bold(),
                              GridCell::label(3, "Date:").bold()}},
                   {.row = 2, .cells = {GridCell::label(1, "District/Circuit/Ward:").bold()}}},
         .heightTwips = 600,
         .noScrollBars = Qt::Horizontal | Qt::Vertical});
    addToFrame(gridSignature);
    // The school's details and the date are filled in for the print only.
    storeNowhere(gridSignature, {2, 1, 4, 2});

    // What the school has or needs is kept in TAV_Learner_Support_Needs: the
    // entry box's text in either column, both of the same size.
    const QString table = QStringLiteral("TAV_Learner_Support_Needs");
    for (PreviewList* list : m_lists) {
        storeEntries(list->entryBox(), table, "School_Need");
        storeEntries(list->grid(), {kHasCol, -1}, table, "School_Available");
        storeEntries(list->grid(), {kNeedsCol, -1}, table, "School_Need");
        storeEntries(list->grid(), {kLevelCol, -1}, table, "Low_Moderate_High");
    }

    setLoadRoutines({[this] {
        gridSignature->SetText(2, 1, gSchoolName);
        gridSignature->SetText(2, 2, gDistrict + ", " + gCircuit);
        gridSignature->SetText(4, 1, QLocale().toString(currentDate(), QLocale::ShortFormat));
        return getData();
    }});
    QList<Routine> saves;
    for (int area = 1; area <= kAreaCount; ++area)
        saves << [this, area] { return saveData(area); };
    setSaveRoutines(saves);
    setNext("frmILSTIntervention", "Next");
    setPrint({.landscape = true, .title = " " + kCaption});
    setWindowTitle(kCaption);
}

PreviewList* frmSchoolRequestSupport::makeArea(const QString& caption, Grid* preview,
                                               const QString& errorLabel, const QString& entryName,
                                               const QString& hasName, const QString& needsName,
                                               const QString& noOptionMessage,
                                               const QString& addName, const QString& removeName,
                                               bool readOnly) {
    auto* list = new PreviewList(
        *this, preview,
        {.firstDataRow = kFirstDataRow,
         .addErrorLabel = errorLabel,
         .entryName = entryName,
         .optionA = {hasName, "What school has", kHasCol},
         .optionB = {needsName, "What school needs", kNeedsCol},
         .emptyMessage = kEmptyMessage,
         .noOptionMessage = noOptionMessage,
         .addName = addName,
         .removeName = removeName,
         .readOnlyPreview = readOnly,
         .rowWritten = [preview](int row) { SetColumnType(row, kLevelCol, preview); }});
    // An entry wider than the table's column could never be saved.
    list->entryBox()->setMaxLength(kTextLength);
    // Choosing a level (and typing, where the list takes it) marks the page.
    watchEdits(preview);
    SSTab1->addTab(list, caption);
    return list;
}

void frmSchoolRequestSupport::Form_Activate() {
    SSTab1->setTab(0);
}

PreviewList* frmSchoolRequestSupport::listOf(int area) const {
    return area >= 1 && area <= kAreaCount ? m_lists[area - 1] : nullptr;
}

Grid* frmSchoolRequestSupport::previewOf(int area) const {
    PreviewList* list = listOf(area);
    return list ? list->grid() : nullptr;
}

void frmSchoolRequestSupport::SetColumnType(int vRow, int vCol, Grid* grid) {
    grid->setComboBox({vCol, vRow}, kLevels, false, 150);
}

bool frmSchoolRequestSupport::getData() {
    return loadRows("getData Routine",
                    "SELECT Support_Area, Low_Moderate_High, School_Need, School_Available "
                    "FROM TAV_Learner_Support_Needs " +
                        whereLearnerYear() + " ORDER BY Support_Area",
                    [this](ado::Recordset& rs) {
                        // A row of no known area has no tab to show it; the
                        // save, which replaces areas 1 to 5 only, leaves it.
                        Grid* grid = previewOf(rs.Fields("Support_Area").toInt());
                        if (!grid)
                            return;
                        const int r = grid->MaxRows();
                        grid->SetText(kLevelCol, r, rs.Fields("Low_Moderate_High").text());
                        grid->SetText(kHasCol, r, rs.Fields("School_Available").text());
                        grid->SetText(kNeedsCol, r, rs.Fields("School_Need").text());
                        SetColumnType(r, kLevelCol, grid);
                        grid->setMaxRows(r + 1);
                    });
}

bool frmSchoolRequestSupport::saveData(int vGridID) {
    Grid* grid = previewOf(vGridID);
    if (!grid)
        return false;
    const QString id = QString::number(gLearnerID);
    const QString year = QString::number(gDataYear);
    const QString area = QString::number(vGridID);
    QStringList inserts;
    for (int r = kFirstDataRow; r <= grid->MaxRows(); ++r) {
        const QString level = grid->GetText(kLevelCol, r);
        const QString has = grid->GetText(kHasCol, r);
        const QString needs = grid->GetText(kNeedsCol, r);
        if (allBlank({level, has, needs}))
            continue;
        // The level comes from the list, but a typed one may hold a quote;
        // an empty level stays empty.
        inserts << "INSERT INTO TAV_Learner_Support_Needs (LearnerID, Support_Area, "
                   "Low_Moderate_High , "
                   "School_Need, School_Available, Data_Year) VALUES "
                   "(" +
                       id + "," + area + "," + quotedExact(level) + "," + quoted(needs) + "," +
                       quoted(has) + "," + year + ")";
    }
    return replaceRows("saveData Routine",
                       {"DELETE FROM TAV_Learner_Support_Needs " + whereLearnerYear() +
                        " AND Support_Area = " + area},
                       inserts);
}

QList<PrintItem> frmSchoolRequestSupport::printItems() const {
    Grid* grid = previewOf(SSTab1->Tab() + 1);
    if (!grid)
        return {};
    return {PrintItem::paged(grid, rect(100, 1000, 0, -1000), rect(300, 800, 3000, 0))};
}
