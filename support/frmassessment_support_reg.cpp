#include "support/frmassessment_support_reg.h"

#include "platform/adodb.h"
#include "platform/commandbutton.h"
#include "platform/griddesign.h"
#include "platform/runtime.h"
#include "services/globals.h"
#include "support/supportrating.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const QString kCaption = QStringLiteral("RER [Section 3a: ASSESSMENT FOR SUPPORT REQUIREMENTS]");
const QString kPrintTitle = QStringLiteral(" [ ASSESSMENT FOR SUPPORT REQUIREMENTS ]");
const QString kShowKey = QStringLiteral(" Show rating KEY >>");
const QString kHideKey = QStringLiteral(" Hide rating KEY <<");

// Twips: the page's frame, and the rating key's size.
constexpr int kFrameWidth = 11600;
constexpr int kFrameHeight = 9300;
constexpr int kKeyWidth = 8895;
constexpr int kKeyHeight = 4500;
// The key is never made shorter than this (twips), so that it shows at least
// one level whole.
constexpr int kKeyLeast = 1800;

// Column widths of gridAreaLevel (grid units of 105 twips): the support
// areas' columns as wide as the longest word of their headings. The heading
// grid's first column is wide enough for the instructions to end above the
// level grid, which the print draws 1700 twips below the heading grid's top.
const QList<double> kLevelColWidths = {36, 14, 14, 14, 14, 14};
const QList<double> kHeadingColWidths = {62, 22, 15};
const QList<double> kKeyColWidths = {8, 10, 60};
// The grids' font size, in points.
constexpr double kSmallFont = 8;

const QString kInstructions = QStringLiteral(
    "After reviewing possible areas of support, rate the support needed in the relevant column "
    "according to the rating scale above. Mark all sections. If no support is needed in any "
    "particular area indicate NA. The sections which would not be applicable under each "
    "sub-area of support are blocked out. Provide an aggregate rating for each area of support at "
    "the end of each section. Aggregate scores are then captured in the school request for "
    "support form.");

struct KeyRow {
    const char* level;
    const char* name;
    const char* description;
};
constexpr KeyRow kKeyRows[] = {
    {"Level 1", "Very Low",
     "Low frequency intervention by ILST, specialist staff, DBST consultation - once per annum\r\n"
     "Low cost shared assistive devices\r\n"
     "Minimal adjustments needed\r\n"
     "Structures in place with minimal training"},
    {"Level 2", "Low",
     "Low frequency intervention by ILST, specialist staff, DBST consultation - once per term\r\n"
     "Low cost individual assistive devices\r\n"
     "Reasonable adjustments needed\r\n"
     "Structures not yet in place, training needed"},
    {"Level 3", "Moderate",
     "Moderate frequency intervention by ILST, specialist staff, DBST consultation - once per "
     "month\r\n"
     "Moderate cost individual assistive devices\r\n"
     "Moderate adjustments needed\r\n"
     "A series of training needed"},
    {"Level 4", "High",
     "High frequency intervention by ILST, specialist staff, DBST consultation - once per week\r\n"
     "High cost individual assistive devices\r\n"
     "High level of adjustments needed\r\n"
     "Substantial training needed"},
    {"Level 5", "Very High",
     "High frequency intervention by ILST, specialist staff, DBST consultation - once per day\r\n"
     "High cost individual assistive devices needed to support several functions\r\n"
     "Extensive adjustments needed\r\n"
     "Specialised structures and extensive staff training needed"},
};

} // namespace

frmAssessment_Support_Reg::frmAssessment_Support_Reg(int page, QWidget* parent)
    : AssessmentPage(supportPage(page).formName, parent), m_layout(supportPage(page)) {
    setWindowTitle(kCaption);
    setPrintButtonName("cmdPrint");
    setFrameSize(kFrameWidth, kFrameHeight);

    Grid* heading = makeHeadingGrid();
    if (page == 1) {
        gridFamilySistuation = heading;
        gridFamilySistuation->setObjectName("gridFamilySistuation");
        gridDisability = makeLearnerTextGrid(
            "gridDisability", "IF LEARNER HAS DISABILITY-DESCRIPTION(Attach any diagnostic "
                              "reports by hospital/specialists)");
        gridSupport = makeLearnerTextGrid(
            "gridSupport",
            "PSYCHO-SOCIAL SUPPORT NEEDED(attach report of social worker if available)");
        storeEntries(gridDisability, {1, 2}, "TAV_Learner_Supp_Needs", "Disability_Descr");
        storeEntries(gridSupport, {1, 2}, "TAV_Learner_Supp_Needs", "Psycho_Social_Support");
    } else {
        gridHearder = heading;
        gridHearder->setObjectName("gridHearder");
    }

    cmdShowKEY = new CommandButton(QStringLiteral("Show rating KEY >>"));
    cmdShowKEY->setObjectName("cmdShowKEY");
    cmdShowKEY->setFixedWidth(twips(2200));
    connect(cmdShowKEY, &QPushButton::clicked, this, [this] { cmdShowKEY_Click(); });
    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(cmdShowKEY);
    keyRow->addStretch(1);
    frameLayout()->addLayout(keyRow);

    makeLevelGrid();
    makeRatingKey();

    QList<Routine> loads;
    QList<Routine> saves;
    if (page == 1) {
        loads << [this] { return getLearnerInfo(); };
        saves << [this] { return saveLearnerInfo(); };
    }
    loads << [this] { return getAreaLevels(); };
    saves << [this] { return saveAreaLevels(); };
    if (page == kSupportPages) {
        loads << [this] { return getFinalRating(); };
        // The ratings are stored only when they were computed afresh.
        saves << [this] { return getFinalRating() && saveFinalRating(); };
    }
    setLoadRoutines(loads);
    setSaveRoutines(saves);
    if (page > 1)
        setPrevious(supportPage(page - 1).formName);
    if (page < kSupportPages)
        setNext(supportPage(page + 1).formName);

    // The level grid is counted in a smaller rectangle than it is drawn in;
    // the grid carries any rows left over onto further sheets.
    QList<PrintItem> items;
    if (page == 1) {
        items = {
            PrintItem::grid(gridDisability, 500, 800), PrintItem::grid(gridSupport, 500, 2300),
            PrintItem::paged(gridAreaLevel, rect(500, 3000, 0, -1000), rect(500, 3500, 3000, 0))};
    } else if (page == 2) {
        items = {PrintItem::grid(gridHearder, 500, 800), PrintItem::grid(gridAreaLevel, 500, 2500)};
    } else {
        items = {
            PrintItem::grid(gridHearder, 500, 800),
            PrintItem::paged(gridAreaLevel, rect(500, 3000, 0, -1000), rect(500, 2500, 3000, 0))};
    }
    setPrint({.title = kPrintTitle, .learnerLine = true, .items = items});
}

Grid* frmAssessment_Support_Reg::makeHeadingGrid() {
    using C = GridCell;
    auto* grid = new Grid;
    designGrid(
        grid,
        {.columns = gridColumns(kHeadingColWidths),
         .rows = 2,
         .locked = true,
         .fontPoints = kSmallFont,
         .lines = {{.row = 1,
                    .height = 15,
                    .cells = {C::label(1,
                                       "Assessment of nature and intensity of additional support "
                                       "needs",
                                       3)
                                  .bold()},
                    .grey = true},
                   {.row = 2,
                    .cells = {C::label(1, kInstructions).wrapped(),
                              C::label(2, "Name of provider (organisation/department)").wrapped(),
                              C::label(3, "Contact Details").wrapped()}}},
         // A title of fixed texts: as high as its rows, the instructions'
         // row grown to their text.
         .heightTwips = (15 + 15) * 20,
         .noScrollBars = Qt::Vertical});
    addToFrame(grid);
    return grid;
}

Grid* frmAssessment_Support_Reg::makeLearnerTextGrid(const QString& name, const QString& heading) {
    Grid* grid =
        newGrid(name, {.columns = gridColumns(kHeadingColWidths),
                       .rows = 2,
                       .locked = true,
                       .lines = {{.row = 1,
                                  .height = 15,
                                  .cells = {GridCell::label(1, heading, 3).bold()},
                                  .grey = true},
                                 {.row = 2, .height = 45, .cells = {GridCell::entry(1, 0, 3)}}},
                       .heightTwips = (15 + 45) * 20 + 90});
    addToFrame(grid);
    watchEdits(grid);
    return grid;
}

void frmAssessment_Support_Reg::makeLevelGrid() {
    using C = GridCell;
    GridDesign design{.columns = gridColumns(kLevelColWidths),
                      .rows = m_layout.rows,
                      .locked = true,
                      .fontPoints = kSmallFont};
    GridRow areas{.row = 1, .bold = true, .grey = true};
    const QStringList headings = supportAreaHeadings();
    for (int c = 1; c <= 6; ++c)
        areas.cells.append(C::label(c, headings[c - 1]).wrapped());
    design.lines.append(areas);
    for (const SupportHeading& h : m_layout.headings)
        design.lines.append({.row = h.row, .cells = {C::label(1, h.text).wrapped().bold()}});
    for (const SupportItem& item : m_layout.items) {
        design.lines.append({.row = item.textRow, .cells = {C::label(1, item.text).wrapped()}});
        // The cells of an item row that take no level are blocked out.
        GridRow blocked{.row = item.row};
        for (int c = 2; c <= 6; ++c) {
            if (!item.areas.contains(c - 1))
                blocked.cells.append(C::plain(c).grey());
        }
        design.lines.append(blocked);
    }
    if (m_layout.page == kSupportPages) {
        GridRow ratings{.row = kRatingRow, .height = 18};
        for (int c = 2; c <= 6; ++c)
            ratings.cells.append(C::plain(c).bold());
        design.lines.append(ratings);
    }
    gridAreaLevel = newGrid("gridAreaLevel", design);
    for (const SupportItem& item : m_layout.items) {
        for (int area : item.areas) {
            gridAreaLevel->setComboBox({area + 1, item.row}, levelList(), false, 150);
            gridAreaLevel->setLocked({area + 1, item.row}, false);
        }
    }
    addToFrame(gridAreaLevel, 1);
    watchEdits(gridAreaLevel);
}

void frmAssessment_Support_Reg::makeRatingKey() {
    fraRatingKey = new QGroupBox(
        QStringLiteral("To complete this section use the following rating KEY"), this);
    fraRatingKey->setObjectName("fraRatingKey");
    fraRatingKey->setAutoFillBackground(true);
    auto* keyLayout = new QVBoxLayout(fraRatingKey);
    GridDesign key{
        .columns = gridColumns(kKeyColWidths), .rows = 5, .locked = true, .fontPoints = kSmallFont};
    for (int r = 1; r <= 5; ++r) {
        const KeyRow& level = kKeyRows[r - 1];
        key.lines.append({.row = r,
                          .cells = {GridCell::label(1, level.level).bold(),
                                    GridCell::label(2, level.name).bold(),
                                    GridCell::label(3, level.description).wrapped()}});
    }
    vaSpread2 = newGrid("vaSpread2", key);
    keyLayout->addWidget(vaSpread2);
    // The key shows between its button and the level grid: it covers neither
    // the button nor the level cells it explains.
    fraRatingKey->setFixedSize(twips(kKeyWidth), twips(kKeyHeight));
    frameLayout()->insertWidget(frameLayout()->indexOf(gridAreaLevel), fraRatingKey, 0,
                                Qt::AlignLeft);
    fraRatingKey->hide();
}

bool frmAssessment_Support_Reg::isLevelCell(int col, int row) const {
    return gridAreaLevel->cellType(col, row) == GridCellType::ComboBox &&
           !gridAreaLevel->cellLocked(col, row);
}

void frmAssessment_Support_Reg::cmdShowKEY_Click() {
    if (!fraRatingKey->isHidden()) {
        fraRatingKey->hide();
        cmdShowKEY->setText(kShowKey);
        return;
    }
    // The key takes the room of the level grid below it, but for what the
    // grid needs to keep its headings and first item in sight; the page keeps
    // its size, so it still fits a small screen.
    frameLayout()->activate();
    const SupportItem& first = layout().items.first();
    const QRect firstCells = gridAreaLevel->visualRect(
        gridAreaLevel->model()->index(first.row - 1, first.areas.first()));
    const int inSight = firstCells.bottom() + 2 * gridAreaLevel->frameWidth() + 1;
    const int room = gridAreaLevel->height() - frameLayout()->spacing() - inSight;
    fraRatingKey->setFixedHeight(std::clamp(room, twips(kKeyLeast), twips(kKeyHeight)));
    fraRatingKey->show();
    cmdShowKEY->setText(kHideKey);
}

// ---- page 1: the learner's texts ----------------------------------------------------------

bool frmAssessment_Support_Reg::getLearnerInfo() {
    return loadFirstRow("getLearnerInfo Routine",
                        "SELECT Disability_Descr, Psycho_Social_Support "
                        "FROM TAV_Learner_Supp_Needs " +
                            whereLearnerYear(),
                        [this](ado::Recordset& rs) {
                            gridDisability->SetText(1, 2, rs.Fields("Disability_Descr").text());
                            gridSupport->SetText(1, 2, rs.Fields("Psycho_Social_Support").text());
                        });
}

bool frmAssessment_Support_Reg::saveLearnerInfo() {
    const QString d = gridDisability->GetText(1, 2);
    const QString p = gridSupport->GetText(1, 2);
    QStringList inserts;
    if (!allBlank({d, p})) {
        inserts << "INSERT INTO TAV_Learner_Supp_Needs (LearnerID, Disability_Descr, "
                   "Psycho_Social_Support, Data_Year) VALUES "
                   "(" +
                       QString::number(gLearnerID) + "," + quoted(d) + "," + quoted(p) + "," +
                       QString::number(gDataYear) + ")";
    }
    return replaceRows("saveLearnerInfo Routine",
                       {"DELETE FROM TAV_Learner_Supp_Needs " + whereLearnerYear()}, inserts);
}

// ---- the levels ------------------------------------------------------------------------------

bool frmAssessment_Support_Reg::getAreaLevels() {
    return loadRows("getAreaLevels Routine",
                    "SELECT GridID, Support_Area, [Level] "
                    "FROM TAV_Assessment_Supp_Req " +
                        whereLearnerYear() + " " + m_layout.narrowing + m_layout.ordering,
                    [this](ado::Recordset& rs) {
                        const int col = rs.Fields("Support_Area").toInt() + 1;
                        const int row = m_layout.rowOfGridId(rs.Fields("GridID").toInt());
                        // Only the support areas' columns hold levels; the item
                        // texts of column 1 stay as they are.
                        if (col < 2 || col > 6 || row < 1 || row > gridAreaLevel->MaxRows())
                            return;
                        gridAreaLevel->SetText(col, row, rs.Fields("Level").text());
                    });
}

bool frmAssessment_Support_Reg::saveAreaLevels() {
    QStringList inserts;
    for (const SupportCell& cell : m_layout.saveOrder()) {
        const QString text = gridAreaLevel->GetText(cell.col, cell.row);
        if (text.trimmed().isEmpty())
            continue;
        inserts << "INSERT INTO TAV_Assessment_Supp_Req (LearnerID, GridID, Support_Area, "
                   "[Level] , Data_Year) VALUES "
                   "(" +
                       QString::number(gLearnerID) + "," +
                       QString::number(m_layout.gridIdOfRow(cell.row)) + "," +
                       QString::number(cell.col - 1) + "," + quoted(text) + "," +
                       QString::number(gDataYear) + ")";
    }
    return replaceRows(
        "saveAreaLevels Routine",
        {"DELETE FROM TAV_Assessment_Supp_Req " + whereLearnerYear() + " " + m_layout.narrowing},
        inserts);
}

// ---- page 4: the overall ratings ---------------------------------------------------------------

bool frmAssessment_Support_Reg::getFinalRating() {
    QList<StoredLevel> levels;
    const bool read =
        loadRows("getFinalRating Routine",
                 "SELECT Support_Area, [Level] "
                 "FROM TAV_Assessment_Supp_Req " +
                     whereLearnerYear() + " AND [Level] <> 'N/A'" + " ORDER BY Support_Area",
                 [&levels](ado::Recordset& rs) {
                     levels.append({rs.Fields("Support_Area").toInt(), rs.Fields("Level").text()});
                 });
    if (!read)
        return false;
    const auto ratings = supportAreaRatings(levels);
    for (int area = 1; area <= kSupportAreas; ++area) {
        const auto& rating = ratings[area - 1];
        gridAreaLevel->SetText(area + 1, kRatingRow, rating ? QString::number(*rating) : QString());
    }
    return true;
}

bool frmAssessment_Support_Reg::saveFinalRating() {
    QStringList inserts;
    for (int col = 2; col <= 6; ++col) {
        const QString v = gridAreaLevel->GetText(col, kRatingRow);
        if (v.trimmed().isEmpty())
            continue;
        // Rating is a whole-number column: a number that is not whole is
        // rounded, and one beyond any rating is no rating.
        const double number = Val(v);
        if (!std::isfinite(number) || std::fabs(number) > 32767)
            continue;
        const int rating = roundHalfEven(number);
        if (rating == 0)
            continue;
        inserts << "INSERT INTO TAV_Assessment_Supp_Req_Rating (LearnerID, Support_Area, Rating, "
                   "Data_Year) VALUES "
                   "(" +
                       QString::number(gLearnerID) + "," + QString::number(col - 1) + "," +
                       QString::number(rating) + "," + QString::number(gDataYear) + ")";
    }
    return replaceRows("saveFinalRating Routine",
                       {"DELETE FROM TAV_Assessment_Supp_Req_Rating " + whereLearnerYear()},
                       inserts);
}

void registerAssessmentSupportForms() {
    for (int page = 1; page <= kSupportPages; ++page) {
        registerPageMaker(supportPage(page).formName, [page] {
            return std::unique_ptr<AssessmentPage>(new frmAssessment_Support_Reg(page));
        });
    }
}
