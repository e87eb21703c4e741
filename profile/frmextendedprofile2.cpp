#include "profile/frmextendedprofile2.h"

#include "pages/previewlist.h"
#include "platform/adodb.h"
#include "platform/grid.h"
#include "platform/griddesign.h"
#include "platform/runtime.h"
#include "services/globals.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The designed height of the summary lists, in points (the grid grows the
// list's row to its lines).
constexpr int kSummaryListHeight = 120;
// A title grid's height, in twips.
constexpr int kTitleHeight = 560;

const QString kTitle =
    QStringLiteral("2.2 CONTEXTUAL FACTORS IMPACTING ON THE LEARNER, COMMUNITY AND FAMILY\r\n");

const QString kInstruction =
    QStringLiteral("Select Option below and enter the Factor in the box and then click the "
                   "\"Add to Preview\" button.");

const QString kPositiveIntro = QStringLiteral(
    "Your answer may include a description of any one or more of the factors below, which have "
    "a positive impact on the learner's capacity for learning, for example:");
const QString kNegativeIntro = QStringLiteral(
    "Your answer may include a description of any one or more of the factors below, which have "
    "had a negative impact on the learner's capacity for learning, for example:");

const QStringList kClassroomFactors = {"Teaching methodology",
                                       "Curriculum differentiation",
                                       "Classroom management",
                                       "Learning and teaching materials",
                                       "Language of teaching and learning",
                                       "Knowledge of NCS delivery",
                                       "Peer relationships",
                                       "etc"};
const QStringList kSchoolFactors = {"Ethos of the school",
                                    "Policies",
                                    "Attitudes",
                                    "School buildings and additional rooms",
                                    "Space, class size",
                                    "Access e.g ramps, appropriate toilets / sanitation",
                                    "Safe environment",
                                    "Facilities",
                                    "Issues of Governance",
                                    "etc"};

// The intro, then each factor on its own line as "   * factor", then tail.
QString guidance(const QString& intro, const QStringList& factors, const QString& tail) {
    QString text = intro;
    for (const QString& factor : factors)
        text += "\r\n   * " + factor;
    return text + tail;
}

// The fixed texts of one preview grid that differ between the tabs.
struct PreviewDesign {
    QString name;
    QString question; // (1,1)
    QString enabling; // (1,6)
    QString barriers; // (2,6)
};

// A preview grid as designed: 2 columns, 7 rows, the headings in rows 1 to 6
// (row 3 empty), the data from row 7 on.
Grid* makePreviewGrid(const PreviewDesign& design) {
    using C = GridCell;
    return newGrid(design.name,
                   {.columns = gridColumns({51, 51}),
                    .rows = frmExtendedProfile2::kFirstDataRow,
                    .lines = {
                        {.row = 1,
                         .height = 26,
                         .cells = {C::label(1, design.question, 2).bold()},
                         .grey = true},
                        {.row = 2, .cells = {C::label(1, kInstruction, 2)}, .grey = true},
                        {.row = 3, .height = 6, .cells = {C::label(1, QString(), 2)}, .grey = true},
                        {.row = 4,
                         .cells = {C::label(1, "Preview Captured Information", 2).bold()},
                         .grey = true},
                        {.row = 5,
                         .cells = {C::label(1, "ENABLING FACTORS"), C::label(2, "BARRIERS")},
                         .bold = true,
                         .grey = true},
                        {.row = 6,
                         .height = design.enabling.count('\n') > 0 ? 150.0 : 40.0,
                         .cells = {C::label(1, design.enabling), C::label(2, design.barriers)},
                         .grey = true},
                    }});
}

// A summary grid of 3 columns, as wide as the tab: the heading in row 1 and,
// with a list row, the stored texts in row 2 (which scroll up and down); all
// of it read only. Without a list row it is a title.
Grid* makeSummaryGrid(const QString& name, const QString& heading, bool listRow,
                      int listHeight = 0) {
    GridDesign design{
        .columns = gridColumns({34.5, 34.5, 34.5}),
        .rows = listRow ? 2 : 1,
        .lines = {{.row = 1, .height = 26, .cells = {GridCell::label(1, heading, 3).bold()}}},
        .heightTwips = listRow ? 0 : kTitleHeight,
        .noScrollBars = Qt::Horizontal};
    if (listRow) {
        design.lines.append({.row = 2,
                             .height = double(listHeight),
                             .cells = {GridCell::label(1, QString(), 3).wrapped()}});
    }
    Grid* grid = newGrid(name, design);
    // A title has nothing to select (its one cell is no entry).
    if (!listRow)
        grid->setFocusPolicy(Qt::NoFocus);
    return grid;
}

} // namespace

frmExtendedProfile2::frmExtendedProfile2(QWidget* parent)
    : AssessmentPage("frmExtendedProfile2", parent) {
    setWindowTitle("RER [ Section 2: EXTENDED PROFILE OF LEARNER NEEDS ]");
    setFrameSize(11600, 8400);

    vaSpread1 = newGrid(
        "vaSpread1",
        {.columns = gridColumns({36, 36, 36}),
         .rows = 1,
         .lines = {{.row = 1, .height = 26, .cells = {GridCell::label(1, kTitle, 3).bold()}}},
         .heightTwips = kTitleHeight,
         .noScrollBars = Qt::Horizontal | Qt::Vertical});
    // A title has nothing to select (its one cell is no entry).
    vaSpread1->setFocusPolicy(Qt::NoFocus);
    addToFrame(vaSpread1);

    tab1 = new TabControl;
    tab1->setObjectName("tab1");
    addToFrame(tab1, 1);

    gridCommunity = makePreviewGrid(
        {"gridCommunity",
         "What factors in the community and family are impacting on the child's learning and "
         "development?",
         "e.g good relationships with family members, caregiver present, community based support "
         "structures, home based care, etc.",
         "e.g poverty, violence, physical abuse, substance abuse, sexual abuse, poor parenting or "
         "absence of parental figures, trauma, illness. "});
    gridClassroom = makePreviewGrid(
        {"gridClassroom",
         "What factors in the classroom are impacting on the learner's capacity to participate in "
         "the learning process?",
         guidance(kPositiveIntro, kClassroomFactors, "  "),
         guidance(kNegativeIntro, kClassroomFactors, "  ")});
    gridSchool = makePreviewGrid(
        {"gridSchool",
         "What factors in the school are impacting on the learner's participation in the "
         "programmes offered at the school?",
         guidance(kPositiveIntro, kSchoolFactors, QString()),
         guidance(kNegativeIntro, kSchoolFactors, QString())});

    communityList = new PreviewList(
        *this, gridCommunity,
        {.firstDataRow = kFirstDataRow,
         .addErrorLabel = "AddPreview Routine",
         .entryName = "txtAddCommunityFactor",
         .optionA = {"optPositive", "Enabling Factors", 1},
         .optionB = {"optBarriers", "Barrier", 2},
         .emptyMessage = "You must enter the Positive Infuence or Barrier.",
         .noOptionMessage = "You must select the Positive Infuence or Barrier options.",
         .addName = "cmdAddPreview",
         .removeName = "cmdRemove"});
    classroomList = new PreviewList(
        *this, gridClassroom,
        {.firstDataRow = kFirstDataRow,
         .addErrorLabel = "AddPreview Routine",
         .entryName = "txtAddClassroomFactor",
         .optionA = {"optEnabling", "Enabling Factors", 1},
         .optionB = {"optClassroomBarrier", "Barriers", 2},
         .emptyMessage = "You must enter the Enabling Factor or Barrier.",
         .noOptionMessage = "You must select the Enabling Factor or Barrier options.",
         .addName = "cmdAddToClassPreview",
         .removeName = "cmdRemoveFromClassPreview"});
    schoolList = new PreviewList(
        *this, gridSchool,
        {.firstDataRow = kFirstDataRow,
         .addErrorLabel = "AddPreview Routine",
         .entryName = "txtAddSchoolFactor",
         .optionA = {"optSchoolEnabling", "Enabling Factors", 1},
         .optionB = {"optSchoolBarrier", "Barriers", 2},
         .emptyMessage = "You must enter the Enabling Factor or Barrier.",
         .noOptionMessage = "You must select the Enabling Factor or Barrier options.",
         .addName = "cmdAddToSchoolPreview",
         .removeName = "cmdRemoveFromSchoolPreview"});
    // Only the community grid marks the page on Change; typing into any
    // preview grid is discarded by its list anyway.
    watchEdits(gridCommunity);

    // An entry is kept as a barrier or as the other kind of factor, in
    // columns of the same size: the boxes take no more.
    storeEntries(communityList->entryBox(), "TAV_Factors_Community", "Barrier");
    storeEntries(classroomList->entryBox(), "TAV_Factors_Classroom", "Barrier");
    storeEntries(schoolList->entryBox(), "TAV_Factors_School", "Barrier");

    txtAddCommunityFactor = communityList->entryBox();
    optPositive = communityList->optionA();
    optBarriers = communityList->optionB();
    cmdAddPreview = communityList->addButton();
    cmdRemove = communityList->removeButton();

    txtAddClassroomFactor = classroomList->entryBox();
    optEnabling = classroomList->optionA();
    optClassroomBarrier = classroomList->optionB();
    cmdAddToClassPreview = classroomList->addButton();
    cmdRemoveFromClassPreview = classroomList->removeButton();

    txtAddSchoolFactor = schoolList->entryBox();
    optSchoolEnabling = schoolList->optionA();
    optSchoolBarrier = schoolList->optionB();
    cmdAddToSchoolPreview = schoolList->addButton();
    cmdRemoveFromSchoolPreview = schoolList->removeButton();

    tab1->addTab(communityList, "COMMUNITY");
    tab1->addTab(classroomList, "CLASSROOM");
    tab1->addTab(schoolList, "SCHOOL");

    auto* summary = new QWidget;
    auto* summaryLayout = new QVBoxLayout(summary);
    gridSummHeader =
        makeSummaryGrid("gridSummHeader", "SUMMARY OF BARRIERS TO LEARNING\r\n", false);
    gridSummBarriers =
        makeSummaryGrid("gridSummBarriers", "BARRIERS\r\n", true, kSummaryListHeight);
    gridSummEnabling =
        makeSummaryGrid("gridSummEnabling", "ENABLING FACTORS", true, kSummaryListHeight);
    summaryLayout->addWidget(gridSummHeader);
    summaryLayout->addWidget(gridSummBarriers, 1);
    summaryLayout->addWidget(gridSummEnabling, 1);
    tab1->addTab(summary, "SUMMARY OF BARRIERS TO LEARNING");

    setLoadRoutines({[this] { return getData(); }});
    // The stored rows are shown again after a save, summary included. A save
    // that failed leaves the rows the user typed on show, still unsaved. A
    // reload that failed leaves rows half read, which must not be saved.
    setSaveRoutines({[this] {
        if (!saveData())
            return false;
        if (!getData())
            markLoadFailed();
        return true;
    }});
    setPrevious("frmExtendedProfile1");
    setPrint({.landscape = true, .title = " RER [ Section 2: EXTENDED PROFILE OF LEARNER NEEDS ]"});
}

QList<frmExtendedProfile2::FactorTab> frmExtendedProfile2::factorTabs() const {
    return {
        {communityList, "TAV_Factors_Community", "Positive_Influence"},
        {classroomList, "TAV_Factors_Classroom", "Enabling_Factor"},
        {schoolList, "TAV_Factors_School", "Enabling_Factor"},
    };
}

void frmExtendedProfile2::Form_Activate() {
    tab1->setTab(CommunityTab);
    txtAddCommunityFactor->setFocus();
}

bool frmExtendedProfile2::getData() {
    gridSummBarriers->SetText(1, 2, QString());
    gridSummEnabling->SetText(1, 2, QString());
    QString barriers;
    QString enabling;
    const bool done = withConnection("getData Routine", [&] {
        for (const FactorTab& tab : factorTabs()) {
            Grid* grid = tab.list->grid();
            int r = kFirstDataRow;
            forEachRow("SELECT * FROM " + tab.table + " " + whereLearnerYear(),
                       [&](ado::Recordset& rs) {
                           if (r == kFirstDataRow)
                               grid->setMaxRows(int(rs.RecordCount()) + kFirstDataRow);
                           const QString factor = rs.Fields(tab.column1Field).text();
                           const QString barrier = rs.Fields("Barrier").text();
                           grid->SetText(1, r, factor);
                           grid->SetText(2, r, barrier);
                           barriers += barrier + "\r\n";
                           enabling += factor + "\r\n";
                           gridSummBarriers->SetText(1, 2, barriers);
                           gridSummEnabling->SetText(1, 2, enabling);
                           ++r;
                       });
        }
    });
    return done;
}

bool frmExtendedProfile2::saveData() {
    QStringList deletes;
    QStringList inserts;
    for (const FactorTab& tab : factorTabs()) {
        deletes << "DELETE * FROM " + tab.table + " " + whereLearnerYear();
        Grid* grid = tab.list->grid();
        for (int r = kFirstDataRow; r <= grid->MaxRows(); ++r) {
            const QString a = grid->GetText(1, r);
            const QString b = grid->GetText(2, r);
            if (allBlank({a, b}))
                continue;
            inserts << "INSERT INTO " + tab.table + " (LearnerID, " + tab.column1Field +
                           ", Barrier, Data_Year) VALUES (" + QString::number(gLearnerID) + "," +
                           quoted(a) + "," + quoted(b) + "," + QString::number(gDataYear) + ")";
        }
    }
    return replaceRows("saveData Routine", deletes, inserts);
}

QList<PrintItem> frmExtendedProfile2::printItems() const {
    switch (tab1->Tab()) {
    case CommunityTab:
    case ClassroomTab:
    case SchoolTab:
        return {PrintItem::paged(factorTabs()[tab1->Tab()].list->grid(), rect(100, 1000, 0, -1000),
                                 rect(300, 800, 3000, 0))};
    case SummaryTab:
        return {PrintItem::grid(gridSummHeader, 300, 800, 3000),
                PrintItem::grid(gridSummEnabling, 300, 1500, 3000),
                PrintItem::grid(gridSummBarriers, 300, 4500, 3000)};
    }
    return {};
}
