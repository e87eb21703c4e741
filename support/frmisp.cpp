#include "support/frmisp.h"

#include "pages/previewlist.h"
#include "platform/adodb.h"
#include "platform/grid.h"
#include "platform/griddesign.h"
#include "platform/runtime.h"
#include "services/globals.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace {

const QString kCaption = QStringLiteral("RER [ ISP : INDIVIDUAL SUPPORT PLAN ]");

// The six fields of an action: the columns 1 to 6 of the entry and preview
// rows and of TAV_ISP.
const QStringList kHeadings = {"Target to be achieved", "Strategy / resources",
                               "Achievement criteria",  "Person Responsible",
                               "Review Date",           "Review comments"};
const QStringList kFields = {
    "Target",      "Strategy",       "Achievement_Criteria", "Person_Responsible",
    "Review_Date", "Review_Comments"};
// How the question names a blank field.
const QStringList kBlankItems = {" - Target to be achived", " - Strategy",
                                 " - Achievement criteria", " - Person responsible",
                                 " - Review Date",          " - Review Comment"};

// The controls and texts of one kind of action.
struct KindDesign {
    QString entryName;
    QString title; // (1,1) of the entry grid
    QString previewName;
    QString addName;
    QString removeName;
    QString printedTitle;
};

const std::array<KindDesign, frmISP::kKinds> kKindDesigns = {{
    {"gridAddAction", "Whole school development intervention", "gridActionPreview", "cmdAddPreview",
     "cmdRemove", "WHOLE SCHOOL DEVELOPMENT INTERVENTION"},
    {"gridAdd2Action", "Educator training or other educator support to be given",
     "gridAction2Preview", "cmdAddTo2Preview", "cmdRemoveFrom2Preview",
     "EDUCATOR TRAINING OR OTHER EDUCATOR SUPPORT TO BE GIVEN"},
    {"gridAdd3Action",
     "Learner support to be given(e.g curriculum differentiation,adapted assessment "
     "strategies,emotional)",
     "gridAction3Preview", "cmdAddTo3Preview", "cmdRemoveFrom3Preview",
     "LEARNER SUPPORT TO BE GIVEN"},
    {"gridAdd4Action", "Consultation with parents / caregivers", "gridAction4Preview",
     "cmdAddTo4Preview", "cmdRemoveFrom4Preview", "CONSULTATION WITH PARENTS/CAREGIVERS"},
    {"gridAdd5Action", "Support to be provided by DBST", "gridAction5Preview", "cmdAddTo5Preview",
     "cmdRemoveFrom5Preview", "SUPPORT TO BE PROVIDED BY THE DBST"},
}};

// Column widths of the six fields (7-pixel units).
const QList<double> kFieldWidths = {26, 26, 22, 20, 12, 21};

// A grid of the six fields: row 1 the title over all columns, row 2 the
// headings; rows 1 and 2 fixed.
Grid* makeActionGrid(const QString& name, const QString& title, int rows) {
    GridRow headings{.row = 2, .height = 26, .bold = true, .grey = true};
    for (int c = 1; c <= 6; ++c)
        headings.cells.append(GridCell::label(c, kHeadings[c - 1]));
    return newGrid(name, {.columns = gridColumns(kFieldWidths),
                          .rows = rows,
                          .lines = {{.row = 1,
                                     .height = 20,
                                     .cells = {GridCell::label(1, title, 6)},
                                     .bold = true,
                                     .grey = true},
                                    headings}});
}

// A read-only list of one column: the heading in row 1, the texts from row 2.
Grid* makeFactorList(const QString& name, const QString& heading) {
    return newGrid(
        name,
        {.columns = {{.width = 55, .multiLine = true, .locked = true}},
         .rows = 2,
         .lines = {{.row = 1, .height = 26, .cells = {GridCell::label(1, heading).bold().grey()}}},
         .printHeadingRows = 1});
}

// Fixed lines over three columns, the grid heightTwips high. Each line is one
// printed line high, so the heading ends above the text printed under it.
Grid* makeTitleGrid(const QString& name, const QStringList& lines, double lineHeight,
                    int heightTwips) {
    GridDesign design{.columns = gridColumns({44, 44, 44}),
                      .rows = int(lines.size()),
                      .heightTwips = heightTwips,
                      .noScrollBars = Qt::Horizontal | Qt::Vertical};
    for (int r = 1; r <= lines.size(); ++r) {
        design.lines.append({.row = r,
                             .height = lineHeight,
                             .cells = {GridCell::label(1, lines[r - 1], 3).wrapped()},
                             .bold = true});
    }
    return newGrid(name, design);
}

} // namespace

frmISP::frmISP(QWidget* parent) : AssessmentPage("frmISP", parent) {
    setWindowTitle(kCaption);
    setFrameSize(14400, 9600);

    gridBarrier = makeFactorList("gridBarrier", "Barrier/s or concern:\r\n");
    gridStrengths = makeFactorList("gridStrengths", "Strengths:");
    auto* factors = new QWidget;
    auto* factorsLayout = new QHBoxLayout(factors);
    factorsLayout->setContentsMargins(0, 0, 0, 0);
    factorsLayout->addWidget(gridBarrier);
    factorsLayout->addWidget(gridStrengths);
    // The heading and four factors in sight.
    factors->setFixedHeight(twips(1800));
    addToFrame(factors);

    vaSpread3 =
        makeTitleGrid("vaSpread3",
                      {"SUPPORT TARGETS (To be completed by the educator in consultation with the "
                       "ILST, partents and learner)",
                       "Interventions planned by school, class educator with inputs from the "
                       "Learning Support educator or counsellor/social auxillary worker, parent "
                       "and learner."},
                      13, 780);
    vaSpread3->SetRowHeight(2, 24);
    addToFrame(vaSpread3);
    gridHeading = makeTitleGrid(
        "gridHeading", {"1. ACTIONS TO BE TAKEN TO ADDRESS LEARNER'S ADDITIONAL SUPPORT NEEDS"}, 13,
        300);
    addToFrame(gridHeading);

    SSTab1 = new TabControl;
    SSTab1->setObjectName("SSTab1");
    addToFrame(SSTab1, 1);

    for (int k = 1; k <= kKinds; ++k) {
        const KindDesign& design = kKindDesigns[k - 1];
        Grid* entry = makeActionGrid(design.entryName, design.title, kFirstDataRow);
        entry->setMultiLine({1, kFirstDataRow, 6, kFirstDataRow}, true);
        entry->SetRowHeight(kFirstDataRow, 30);
        for (int c = 1; c <= 6; ++c)
            storeEntries(entry, {c, kFirstDataRow}, "TAV_ISP", kFields[c - 1]);
        entry->setFixedHeight(twips(1700));
        Grid* preview = makeActionGrid(
            design.previewName,
            "Preview of Actions.Click the SAVE button when all the Actions are listed in the "
            "Preview.",
            2);
        auto* list = new PreviewList(*this, preview,
                                     {.firstDataRow = kFirstDataRow,
                                      .addErrorLabel = "AddToPreview Routine",
                                      .entryGrid = entry,
                                      .entryRow = kFirstDataRow,
                                      .blankCellsQuestion = &frmISP::blankFieldsQuestion,
                                      .addName = design.addName,
                                      .removeName = design.removeName});
        m_kinds[k - 1] = {list, design.printedTitle};
        SSTab1->addTab(list, "Action " + QString::number(k));
    }

    gridAddAction = entryGrid(1);
    gridAdd2Action = entryGrid(2);
    gridAdd3Action = entryGrid(3);
    gridAdd4Action = entryGrid(4);
    gridAdd5Action = entryGrid(5);
    gridActionPreview = previewGrid(1);
    gridAction2Preview = previewGrid(2);
    gridAction3Preview = previewGrid(3);
    gridAction4Preview = previewGrid(4);
    gridAction5Preview = previewGrid(5);
    cmdAddPreview = addButton(1);
    cmdAddTo2Preview = addButton(2);
    cmdAddTo3Preview = addButton(3);
    cmdAddTo4Preview = addButton(4);
    cmdAddTo5Preview = addButton(5);
    cmdRemove = removeButton(1);
    cmdRemoveFrom2Preview = removeButton(2);
    cmdRemoveFrom3Preview = removeButton(3);
    cmdRemoveFrom4Preview = removeButton(4);
    cmdRemoveFrom5Preview = removeButton(5);

    QList<Routine> loads = {[this] { return getBarries_Strengths(); }};
    QList<Routine> saves;
    for (int k = 1; k <= kKinds; ++k) {
        loads << [this, k] { return getAction(k, previewGrid(k)); };
        // Each kind is its own transaction: a kind that fails keeps its
        // stored rows, the others are saved all the same.
        saves << [this, k] { return saveAction(k, previewGrid(k)); };
    }
    setLoadRoutines(loads);
    setSaveRoutines(saves);
    setPrint({.landscape = true, .title = " " + kCaption});
}

// ---- the kinds -------------------------------------------------------------------------

PreviewList* frmISP::actionList(int k) const {
    return k >= 1 && k <= kKinds ? m_kinds[k - 1].list : nullptr;
}

Grid* frmISP::entryGrid(int k) const {
    const PreviewList* list = actionList(k);
    return list ? list->setup().entryGrid : nullptr;
}

Grid* frmISP::previewGrid(int k) const {
    const PreviewList* list = actionList(k);
    return list ? list->grid() : nullptr;
}

SaveButton* frmISP::addButton(int k) const {
    const PreviewList* list = actionList(k);
    return list ? list->addButton() : nullptr;
}

QPushButton* frmISP::removeButton(int k) const {
    const PreviewList* list = actionList(k);
    return list ? list->removeButton() : nullptr;
}

void frmISP::Form_Activate() {
    SSTab1->setTab(0);
}

// ---- the preview lists --------------------------------------------------------------------

QString frmISP::blankFieldsQuestion(const QStringList& cells) {
    QString list;
    for (int c = 0; c < kBlankItems.size(); ++c) {
        if (!cells.value(c).trimmed().isEmpty())
            continue;
        // A blank target starts the list; every other blank field goes on a
        // line of its own.
        list += (c == 0 ? QString() : QStringLiteral("\r\n")) + kBlankItems[c];
    }
    if (list.trimmed().isEmpty())
        return QString();
    return "You have left the following fields blank: \r\n" + list +
           "\r\n\r\nAre you sure you want to leave them blank?";
}

void frmISP::ChangeAddButtoColor(int vAction) {
    if (SaveButton* add = addButton(vAction))
        add->setBackColor(vbYellow);
}

// ---- load ---------------------------------------------------------------------------------

bool frmISP::getBarries_Strengths() {
    int r = 2;
    return loadRows("getBarriers Routine",
                    "SELECT * FROM TAV_Factors_Community " + whereLearnerYear(),
                    [&](ado::Recordset& rs) {
                        if (r == 2) {
                            const int rows = int(rs.RecordCount()) + 1;
                            gridBarrier->setMaxRows(rows);
                            gridStrengths->setMaxRows(rows);
                        }
                        // Every record takes a row of both lists, so a blank
                        // barrier or strength leaves its row blank.
                        const QString barrier = rs.Fields("Barrier").text();
                        if (!barrier.trimmed().isEmpty())
                            gridBarrier->SetText(1, r, barrier);
                        const QString strength = rs.Fields("Positive_Influence").text();
                        if (!strength.trimmed().isEmpty())
                            gridStrengths->SetText(1, r, strength);
                        ++r;
                    });
}

bool frmISP::getAction(int vAction, Grid* grid) {
    int r = kFirstDataRow;
    return loadRows("getAction Routine",
                    "SELECT * FROM TAV_ISP WHERE LearnerID = " + QString::number(gLearnerID) +
                        " AND Action = " + QString::number(vAction) +
                        " AND Data_Year = " + QString::number(gDataYear),
                    [&](ado::Recordset& rs) {
                        if (r == kFirstDataRow)
                            grid->setMaxRows(int(rs.RecordCount()) + kFirstDataRow - 1);
                        for (int c = 1; c <= kFields.size(); ++c)
                            grid->SetText(c, r, rs.Fields(kFields[c - 1]).text());
                        grid->SetRowHeight(r, 20);
                        grid->setMultiLine({1, r, 6, r}, true);
                        ++r;
                    });
}

// ---- save ---------------------------------------------------------------------------------

bool frmISP::saveAction(int vAction, Grid* grid) {
    const QString id = QString::number(gLearnerID);
    const QString kind = QString::number(vAction);
    const QString year = QString::number(gDataYear);
    QStringList inserts;
    for (int r = kFirstDataRow; r <= grid->MaxRows(); ++r) {
        QStringList cells;
        for (int c = 1; c <= kFields.size(); ++c)
            cells << grid->GetText(c, r);
        if (allBlank(cells))
            continue;
        QStringList values;
        for (const QString& cell : cells)
            values << quoted(cell);
        inserts << "INSERT INTO TAV_ISP (LearnerID, [Action], Target, Strategy, "
                   "Achievement_Criteria, Person_Responsible, Review_Date, Review_Comments, "
                   "Data_Year) VALUES (" +
                       id + "," + kind + "," + values.join(",") + "," + year + ")";
    }
    return replaceRows("saveAction Routine",
                       {"DELETE * FROM TAV_ISP WHERE LearnerID = " + id + " AND Action = " + kind +
                        " AND Data_Year = " + year},
                       inserts);
}

// ---- print --------------------------------------------------------------------------------

QList<PrintItem> frmISP::printItems() const {
    const int tab = SSTab1->Tab();
    if (tab < 0 || tab >= kKinds)
        return {};
    const Kind& kind = m_kinds[tab];
    return {
        PrintItem::grid(gridBarrier, 300, 800, 3000),
        PrintItem::grid(gridStrengths, 6500, 800, 3000),
        PrintItem::grid(gridHeading, 300, 2300, 3000).keptWithNext(),
        PrintItem::textLine(260, 2600, kind.printedTitle, 9, true),
        PrintItem::paged(kind.list->grid(), rect(100, 1000, 0, -1000), rect(300, 2800, 3000, 0))};
}
