#include "support/frmassessment_support_reg.h"

#include "platform/adodb.h"
#include "platform/colors.h"
#include "platform/runtime.h"
#include "support/supportrating.h"
#include "services/globals.h"

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
constexpr double kLevelColWidths[] = {36, 14, 14, 14, 14, 14};
constexpr double kHeadingColWidths[] = {62, 22, 15};
constexpr double kKeyColWidths[] = {8, 10, 60};

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

QFont smallFont(const QWidget* widget) {
    QFont font = widget->font();
    font.setPointSizeF(8);
    return font;
}

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

    cmdShowKEY = new QPushButton(QStringLiteral("Show rating KEY >>"));
    cmdShowKEY->setObjectName("cmdShowKEY");
    cmdShowKEY->setAutoDefault(false);
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
    auto* grid = new Grid;
    grid->setMaxCols(3);
    for (int c = 1; c <= 3; ++c)
        grid->SetColWidth(c, kHeadingColWidths[c - 1]);
    grid->setColHeadersShown(false);
    grid->setMaxRows(2);
    grid->setFont(smallFont(grid));
    grid->setFixedText(1, 1, "Assessment of nature and intensity of additional support needs", 3);
    grid->setCellBold({1, 1}, true);
    grid->setCellBackColor({1, 1, 3, 1}, vbLabelGrey);
    grid->setFixedText(1, 2, kInstructions);
    grid->setFixedText(2, 2, "Name of provider (organisation/department)");
    grid->setFixedText(3, 2, "Contact Details");
    grid->setMultiLine({1, 2, 3, 2}, true);
    grid->setLocked({-1, -1}, true);
    grid->SetRowHeight(1, 15);
    // As high as its rows, the instructions' row grown to their text.
    grid->setFixedHeight(twips(int((15 + grid->RowHeight(2)) * 20) + 90));
    addToFrame(grid);
    return grid;
}

Grid* frmAssessment_Support_Reg::makeLearnerTextGrid(const QString& name, const QString& heading) {
    auto* grid = new Grid;
    grid->setObjectName(name);
    grid->setMaxCols(3);
    for (int c = 1; c <= 3; ++c)
        grid->SetColWidth(c, kHeadingColWidths[c - 1]);
    grid->setColHeadersShown(false);
    grid->setMaxRows(2);
    grid->setFixedText(1, 1, heading, 3);
    grid->setCellBold({1, 1}, true);
    grid->setCellBackColor({1, 1, 3, 1}, vbLabelGrey);
    grid->setLocked({-1, -1}, true);
    grid->setEditCell({1, 2}, 0, true);
    grid->setLocked({1, 2}, false);
    grid->AddCellSpan(1, 2, 3, 1);
    grid->SetRowHeight(1, 15);
    grid->SetRowHeight(2, 45);
    grid->setFixedHeight(twips((15 + 45) * 20 + 90));
    addToFrame(grid);
    watchEdits(grid);
    return grid;
}

void frmAssessment_Support_Reg::makeLevelGrid() {
    gridAreaLevel = new Grid;
    gridAreaLevel->setObjectName("gridAreaLevel");
    gridAreaLevel->setMaxCols(6);
    for (int c = 1; c <= 6; ++c)
        gridAreaLevel->SetColWidth(c, kLevelColWidths[c - 1]);
    gridAreaLevel->setColHeadersShown(false);
    gridAreaLevel->setMaxRows(m_layout.rows);
    gridAreaLevel->setFont(smallFont(gridAreaLevel));
    gridAreaLevel->setLocked({-1, -1}, true);

    const QStringList headings = supportAreaHeadings();
    for (int c = 1; c <= 6; ++c)
        gridAreaLevel->setFixedText(c, 1, headings[c - 1]);
    gridAreaLevel->setMultiLine({1, 1, 6, 1}, true);
    gridAreaLevel->setCellBold({1, 1, 6, 1}, true);
    gridAreaLevel->setCellBackColor({1, 1, 6, 1}, vbLabelGrey);

    for (const SupportHeading& h : m_layout.headings) {
        gridAreaLevel->setFixedText(1, h.row, h.text);
        gridAreaLevel->setMultiLine({1, h.row}, true);
        gridAreaLevel->setCellBold({1, h.row}, true);
    }
    for (const SupportItem& item : m_layout.items) {
        gridAreaLevel->setFixedText(1, item.textRow, item.text);
        gridAreaLevel->setMultiLine({1, item.textRow}, true);
        for (int area : item.areas) {
            gridAreaLevel->setComboBox({area + 1, item.row}, levelList(), false, 150);
            gridAreaLevel->setLocked({area + 1, item.row}, false);
            gridAreaLevel->setCellBackColor({area + 1, item.row}, vbWhite);
        }
        // The cells of an item row that take no level are blocked out.
        for (int c = 2; c <= 6; ++c) {
            if (!item.areas.contains(c - 1))
                gridAreaLevel->setCellBackColor({c, item.row}, vbLabelGrey);
        }
    }
    if (m_layout.page == kSupportPages) {
        gridAreaLevel->setCellBold({2, kRatingRow, 6, kRatingRow}, true);
        gridAreaLevel->SetRowHeight(kRatingRow, 18);
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
    vaSpread2 = new Grid;
    vaSpread2->setObjectName("vaSpread2");
    vaSpread2->setMaxCols(3);
    for (int c = 1; c <= 3; ++c)
        vaSpread2->SetColWidth(c, kKeyColWidths[c - 1]);
    vaSpread2->setColHeadersShown(false);
    vaSpread2->setMaxRows(5);
    vaSpread2->setFont(smallFont(vaSpread2));
    for (int r = 1; r <= 5; ++r) {
        const KeyRow& key = kKeyRows[r - 1];
        vaSpread2->setFixedText(1, r, key.level);
        vaSpread2->setFixedText(2, r, key.name);
        vaSpread2->setFixedText(3, r, key.description);
    }
    vaSpread2->setMultiLine({3, 1, 3, 5}, true);
    vaSpread2->setCellBold({1, 1, 2, 5}, true);
    vaSpread2->setLocked({-1, -1}, true);
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
