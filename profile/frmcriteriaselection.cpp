#include "profile/frmcriteriaselection.h"

#include "platform/adodb.h"
#include "platform/colors.h"
#include "platform/runtime.h"
#include "services/globals.h"

#include <algorithm>

namespace {

const QString kCaption = QStringLiteral("RER [DP : DIAGNOSTIC PROFILE]");

// Column widths of gridScores (grid units of 105 twips); gridCriteria spans
// the first four.
constexpr double kScoreColWidths[] = {26, 22, 22, 22, 8};

// Designed row heights (points): the heading row, an empty row, and the
// least height of a row of text (the grid grows a row to its texts).
constexpr double kHeadingRowHeight = 42;
constexpr double kEmptyRowHeight = 12;
constexpr double kTextRowHeight = 36;

QString formOfPage(int page) {
    return criteriaPage(page).formName;
}

} // namespace

frmCriteriaSelection::frmCriteriaSelection(int page, QWidget* parent)
    : AssessmentPage(criteriaPage(page).formName, parent), m_layout(criteriaPage(page)) {
    setWindowTitle(kCaption);
    setPrintButtonName("cmdPrint");
    setFrameSize(11600, 8400);

    gridCriteria = new Grid;
    gridCriteria->setObjectName("gridCriteria");
    gridCriteria->setMaxCols(4);
    for (int c = 1; c <= 4; ++c)
        gridCriteria->SetColWidth(c, kScoreColWidths[c - 1]);
    gridCriteria->setColHeadersShown(false);
    gridCriteria->setMaxRows(2);
    QFont small = gridCriteria->font();
    small.setPointSizeF(8);
    gridCriteria->setFont(small);
    for (const CriteriaCell& cell : criteriaHeadingTexts())
        gridCriteria->setFixedText(cell.col, cell.row, cell.text, 4);
    gridCriteria->setLocked({-1, -1}, true);
    gridCriteria->setCellBold({1, 1}, true);
    gridCriteria->SetRowHeight(1, 14);
    gridCriteria->SetRowHeight(2, 42);
    gridCriteria->setFixedHeight(twips(1250));
    addToFrame(gridCriteria);

    gridScores = new Grid;
    gridScores->setObjectName("gridScores");
    gridScores->setMaxCols(5);
    for (int c = 1; c <= 5; ++c)
        gridScores->SetColWidth(c, kScoreColWidths[c - 1]);
    gridScores->setColHeadersShown(false);
    gridScores->setMaxRows(m_layout.rows);
    gridScores->setLocked({-1, -1}, true);
    for (int r = 2; r <= m_layout.rows; ++r)
        gridScores->SetRowHeight(r, kEmptyRowHeight);
    for (const CriteriaCell& cell : m_layout.texts) {
        gridScores->setFixedText(cell.col, cell.row, cell.text);
        gridScores->setMultiLine({cell.col, cell.row}, true);
        if (cell.row > 1)
            gridScores->SetRowHeight(cell.row, kTextRowHeight);
    }
    gridScores->SetRowHeight(1, kHeadingRowHeight);
    gridScores->setCellBold({1, 1, 5, 1}, true);
    gridScores->setCellBackColor({1, 1, 5, 1}, vbLabelGrey);
    for (const CriteriaCell& cell : m_layout.texts) {
        // Domain rows: the title (bold) and its guidance, no descriptions.
        if (cell.col == 2 && cell.row > 1 &&
            std::none_of(m_layout.activities.begin(), m_layout.activities.end(),
                         [&](const CriteriaActivity& a) { return a.row == cell.row; }))
            gridScores->setCellBold({1, cell.row}, true);
    }
    // Score cells take 1, 2 or 3, or nothing; any other entry is refused whole.
    for (const CriteriaActivity& a : m_layout.activities) {
        gridScores->setIntegerCell({kScoreCol, a.row}, 1, 3);
        gridScores->setLocked({kScoreCol, a.row}, false);
        storeEntries(gridScores, {kScoreCol, a.row}, "TAV_Criteria_For_Selection", "Score");
    }
    if (m_layout.otherRow > 0) {
        gridScores->setEditCell({2, m_layout.otherRow, 4, m_layout.otherRow}, 0, true);
        gridScores->setLocked({2, m_layout.otherRow, 4, m_layout.otherRow}, false);
        gridScores->setIntegerCell({kScoreCol, m_layout.otherRow}, 1, 3);
        gridScores->setLocked({kScoreCol, m_layout.otherRow}, false);
        const QString other = QStringLiteral("TAV_Criteria_For_Selection_Other");
        storeEntries(gridScores, {2, m_layout.otherRow}, other, "None_Mild");
        storeEntries(gridScores, {3, m_layout.otherRow}, other, "Moderate");
        storeEntries(gridScores, {4, m_layout.otherRow}, other, "Severe");
        storeEntries(gridScores, {kScoreCol, m_layout.otherRow}, other, "Score");
        gridScores->SetRowHeight(m_layout.otherRow, 3 * kTextRowHeight / 2);
    }
    addToFrame(gridScores, 1);
    connect(gridScores, &Grid::Change, this,
            [this](int col, int row) { gridScores_Change(col, row); });

    setLoadRoutines({[this] { return getScores(); }});
    setActiveCell(gridScores, kScoreCol, m_layout.activeRow);
    setSaveRoutines({[this] { return saveScores(); }});
    setPrevious(page == 1 ? QStringLiteral("frmHealthReport") : formOfPage(page - 1));
    if (page < kCriteriaPages)
        setNext(formOfPage(page + 1));
    setPrint({.title = QString(),
              .learnerLine = false,
              .items = {PrintItem::grid(gridCriteria, 500, 800),
                        PrintItem::grid(gridScores, 500, 2000)}});
}

bool frmCriteriaSelection::isScoreCell(int col, int row) const {
    if (col != kScoreCol)
        return false;
    if (row == m_layout.otherRow && row > 0)
        return true;
    return std::any_of(m_layout.activities.begin(), m_layout.activities.end(),
                       [row](const CriteriaActivity& a) { return a.row == row; });
}

void frmCriteriaSelection::gridScores_Change(int, int) {
    markUnsaved();
}

bool frmCriteriaSelection::getScores() {
    const bool done = withConnection("getScores Routine", [this] {
        forEachRow("SELECT Sub_Section, Score "
                   "FROM TAV_Criteria_For_Selection " +
                       whereLearnerYear() + m_layout.rangeFilter + " ORDER By Sub_Section",
                   [this](ado::Recordset& rs) {
                       const int subSection = rs.Fields("Sub_Section").toInt();
                       for (const CriteriaActivity& a : m_layout.activities) {
                           if (a.subSection == subSection)
                               gridScores->SetText(kScoreCol, a.row, rs.Fields("Score").text());
                       }
                   });
        if (m_layout.otherRow > 0) {
            bool first = true;
            forEachRow("SELECT None_Mild, Moderate, Severe, Score "
                       "FROM TAV_Criteria_For_Selection_Other " +
                           whereLearnerYear(),
                       [&](ado::Recordset& rs) {
                           if (!first)
                               return;
                           first = false;
                           const int row = m_layout.otherRow;
                           gridScores->SetText(2, row, rs.Fields("None_Mild").text());
                           gridScores->SetText(3, row, rs.Fields("Moderate").text());
                           gridScores->SetText(4, row, rs.Fields("Severe").text());
                           gridScores->SetText(kScoreCol, row, rs.Fields("Score").text());
                       });
        }
    });
    return done;
}

bool frmCriteriaSelection::saveScores() {
    const auto scored = [this](int row) {
        const QString text = gridScores->GetText(kScoreCol, row);
        return !text.trimmed().isEmpty() && text != "0";
    };
    const auto score = [this](int row) {
        return QString::number(gridScores->GetText(kScoreCol, row).trimmed().toInt());
    };

    QStringList deletes{"DELETE FROM TAV_Criteria_For_Selection " + whereLearnerYear() +
                        m_layout.rangeFilter};
    if (m_layout.otherRow > 0)
        deletes << "DELETE FROM TAV_Criteria_For_Selection_Other " + whereLearnerYear();

    QStringList inserts;
    for (const CriteriaActivity& a : m_layout.activities) {
        if (!scored(a.row))
            continue;
        inserts << "INSERT INTO TAV_Criteria_For_Selection (LearnerID, Sub_Section, Score, "
                   "Data_Year) VALUES "
                   "(" +
                       QString::number(gLearnerID) + "," + QString::number(a.subSection) + "," +
                       score(a.row) + "," + QString::number(gDataYear) + ")";
    }
    if (const int row = m_layout.otherRow; row > 0 && scored(row)) {
        inserts << "INSERT INTO TAV_Criteria_For_Selection_Other (LearnerID, None_Mild, "
                   "Moderate, Severe, Score, Data_Year) VALUES "
                   "(" +
                       QString::number(gLearnerID) + "," + quoted(gridScores->GetText(2, row)) +
                       "," + quoted(gridScores->GetText(3, row)) + "," +
                       quoted(gridScores->GetText(4, row)) + "," + score(row) + "," +
                       QString::number(gDataYear) + ")";
    }
    return replaceRows("saveScores Routine", deletes, inserts);
}

void registerCriteriaSelectionForms() {
    for (int page = 1; page <= kCriteriaPages; ++page) {
        registerPageMaker(formOfPage(page), [page] {
            return std::unique_ptr<AssessmentPage>(new frmCriteriaSelection(page));
        });
    }
}
