#include "profile/frmcriteriaselection.h"

#include "platform/adodb.h"
#include "platform/griddesign.h"
#include "platform/runtime.h"
#include "services/globals.h"

#include <algorithm>

namespace {

const QString kCaption = QStringLiteral("RER [DP : DIAGNOSTIC PROFILE]");

// Column widths of gridScores (grid units of 105 twips); gridCriteria spans
// the first four.
const QList<double> kScoreColWidths = {26, 22, 22, 22, 8};

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

    GridDesign criteria{.columns = gridColumns(kScoreColWidths.first(4)),
                        .rows = 2,
                        .locked = true,
                        .fontPoints = 8,
                        .heightTwips = 1250};
    for (const CriteriaCell& cell : criteriaHeadingTexts()) {
        criteria.lines.append(
            {.row = cell.row,
             .height = cell.row == 1 ? 14.0 : 42.0,
             .cells = {GridCell::label(cell.col, cell.text, 4).bold(cell.row == 1)}});
    }
    gridCriteria = newGrid("gridCriteria", criteria);
    addToFrame(gridCriteria);

    // Domain rows: the title (bold) and its guidance, no descriptions.
    const auto isDomainRow = [this](int row) {
        return row > 1 &&
               std::any_of(m_layout.texts.begin(), m_layout.texts.end(),
                           [&](const CriteriaCell& c) { return c.row == row && c.col == 2; }) &&
               std::none_of(m_layout.activities.begin(), m_layout.activities.end(),
                            [&](const CriteriaActivity& a) { return a.row == row; });
    };
    GridDesign scores{
        .columns = gridColumns(kScoreColWidths), .rows = m_layout.rows, .locked = true};
    // The column headings head every sheet the scores run on to.
    scores.printHeadingRows = 1;
    for (int r = 1; r <= m_layout.rows; ++r) {
        GridRow line{.row = r, .height = r == 1 ? kHeadingRowHeight : kEmptyRowHeight};
        line.bold = line.grey = r == 1;
        for (const CriteriaCell& cell : m_layout.texts) {
            if (cell.row != r)
                continue;
            line.cells.append(GridCell::label(cell.col, cell.text)
                                  .wrapped()
                                  .bold(cell.col == 1 && isDomainRow(r)));
            if (r > 1)
                line.height = kTextRowHeight;
        }
        if (r == m_layout.otherRow) {
            line.height = 3 * kTextRowHeight / 2;
            for (int c = 2; c <= 4; ++c)
                line.cells.append(GridCell::entry(c));
        }
        scores.lines.append(line);
    }
    gridScores = newGrid("gridScores", scores);
    // Score cells take 1, 2 or 3, or nothing; any other entry is refused whole.
    for (const CriteriaActivity& a : m_layout.activities) {
        gridScores->setIntegerCell({kScoreCol, a.row}, 1, 3);
        gridScores->setLocked({kScoreCol, a.row}, false);
        storeEntries(gridScores, {kScoreCol, a.row}, "TAV_Criteria_For_Selection", "Score");
    }
    if (m_layout.otherRow > 0) {
        gridScores->setIntegerCell({kScoreCol, m_layout.otherRow}, 1, 3);
        gridScores->setLocked({kScoreCol, m_layout.otherRow}, false);
        const QString other = QStringLiteral("TAV_Criteria_For_Selection_Other");
        storeEntries(gridScores, {2, m_layout.otherRow}, other, "None_Mild");
        storeEntries(gridScores, {3, m_layout.otherRow}, other, "Moderate");
        storeEntries(gridScores, {4, m_layout.otherRow}, other, "Severe");
        storeEntries(gridScores, {kScoreCol, m_layout.otherRow}, other, "Score");
    }
    addToFrame(gridScores, 1);
    watchEdits(gridScores);

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
