#pragma once
// A preview list: the user collects entries that are shown in a read-only
// preview grid, with "Add to Preview" and "Remove from Preview"; the page's
// Save writes the grid's data rows (rows firstDataRow to MaxRows).
//
// Text typed into the entry and not added is no part of the page's rows:
// while it waits, the Add button and the page's Save are yellow (leaving the
// page asks), and Save saves the entries added.
//
// Two entry forms:
//  - box form: a text box and two option buttons that choose data column A or
//    B; the two columns fill independently, and the grid always ends with a
//    row that is blank in both;
//  - row form: row entryRow of an entry grid, copied as one new last row.
//
// The page designs the preview grid (and the entry grid of the row form),
// then configures one PreviewList per list; the list makes its own entry box,
// option buttons and buttons, lays them out with the grids, and does the Add,
// Remove, highlight and read-only handling. The page keeps the controls under
// its own names:
//
//     community = new PreviewList(*this, gridCommunity, {
//         .firstDataRow = 7,
//         .addErrorLabel = "AddPreview Routine",
//         .entryName = "txtAddCommunityFactor",
//         .optionA = {"optPositive", "Enabling Factors", 1},
//         .optionB = {"optBarriers", "Barrier", 2},
//         .emptyMessage = "You must enter the Positive Infuence or Barrier.",
//         .noOptionMessage = "You must select the Positive Infuence or Barrier options.",
//         .addName = "cmdAddPreview", .removeName = "cmdRemove"});
//     txtAddCommunityFactor = community->entryBox();
#include "platform/savebutton.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class AssessmentPage;
class Grid;
class QLineEdit;
class QPushButton;
class QRadioButton;

struct PreviewOption {
    QString name = {};    // object name (optPositive)
    QString caption = {}; // "Enabling Factors"
    int col = 1;          // the preview column the option fills
};

struct PreviewListSetup {
    int firstDataRow = 7;       // rows above are the grid's fixed headings
    QString addErrorLabel = {}; // procedure of an error report from Add

    // Box form (entryGrid not set).
    QString entryName = {};
    PreviewOption optionA = {};
    PreviewOption optionB = {};
    QString emptyMessage = {};
    QString noOptionMessage = {};

    // Row form: the cells (1..MaxCols, entryRow) of entryGrid become a new last row.
    Grid* entryGrid = nullptr;
    int entryRow = 3;
    // The question to ask before adding an entry some of whose cells are
    // blank ("" to add without asking); No adds nothing.
    std::function<QString(const QStringList& cells)> blankCellsQuestion = {};

    QString addName = QStringLiteral("cmdAddPreview");
    QString removeName = QStringLiteral("cmdRemove");
    // Typing into the preview grid is discarded.
    bool readOnlyPreview = true;
    // Called with each row an entry was written to (the box form's row, or
    // the row form's new row), for cells the page shapes itself.
    std::function<void(int row)> rowWritten = {};
};

class PreviewList : public QWidget {
    Q_OBJECT

public:
    PreviewList(AssessmentPage& page, Grid* preview, PreviewListSetup setup,
                QWidget* parent = nullptr);

    // The first data row whose cell in col is blank after Trim; 0 when none.
    int CheckAvailableRow(int col) const;

    // The handlers.
    void Add();
    void Remove();
    // Click(Col, Row) on the preview grid: a data row becomes the one blue,
    // bold row; a heading row changes nothing.
    void highlightRow(int row);

    Grid* grid() const { return m_grid; }
    QLineEdit* entryBox() const { return m_entry; }
    QRadioButton* optionA() const { return m_optionA; }
    QRadioButton* optionB() const { return m_optionB; }
    SaveButton* addButton() const { return m_add; }
    QPushButton* removeButton() const { return m_remove; }
    const PreviewListSetup& setup() const { return m_setup; }

private:
    bool isBoxForm() const { return m_setup.entryGrid == nullptr; }
    // Whether the entry holds text that was not added (a non-blank box or
    // entry row, or the row's editor open).
    bool entryWaiting() const;
    // The texts of the entry row, column by column.
    QStringList entryRowTexts() const;
    // The Add button yellow, and the page unsaved, while an entry waits
    // (typing: a key just went into the entry row).
    void showPending(bool typing = false);
    void addFromBox();
    void addFromRow();
    // The first blank row of col; a new last row when every data row is taken.
    int availableRow(int col);
    // The blue, bold row is the row Remove acts on, and no other: it follows
    // the user's choice of a data row (a click or the keys), stays when the
    // user goes to a heading, and goes, with the choice, when the row is
    // removed, when the page prints, and when the user turns to another
    // control than the list's Remove button.
    void followChoice(int row, int col);
    void dropChoice();
    void unhighlight();

    AssessmentPage& m_page;
    Grid* m_grid;
    PreviewListSetup m_setup;
    QLineEdit* m_entry = nullptr;
    QRadioButton* m_optionA = nullptr;
    QRadioButton* m_optionB = nullptr;
    SaveButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    int m_highlighted = 0; // the blue, bold row; 0 for none
};
