#pragma once
// The spreadsheet grid of the learner list and the assessment pages.
//
// Rows and columns count from 1; row 0 is the header row (its texts are the
// column headers). Cells are edit cells unless made check-box, drop-down
// list, button or static-text cells.
//
// Cells are shaped by blocks: one cell or a rectangle, -1 as a column or row
// meaning "every column" / "every row":
//     grid->setColumns({{.header = "ID", .width = 0}, {.header = "Name", .width = 26.75}});
//     grid->setMaxRows(10);
//     grid->setFixedText(1, 1, "A. HEALTH PROFESSIONAL REPORT", 5);   // spans 5 columns
//     grid->setCellBackColor({1, 1, 4, 3}, vbLabelGrey);
//     grid->setCheckBox(4, 5, "Viewed");
// A grid of labels and entry cells is described once as a GridDesign
// (platform/griddesign.h) and built by designGrid.
//
// Shaping a whole column (row -1) also shapes the rows that MaxRows adds later.
//
// Only the user's edits raise Change and ButtonClicked: everything the program
// places (SetText, SetInteger, ClearRange, DeleteRows, MaxRows) raises nothing.
//
// The keys, as in a spreadsheet: a click or the arrows choose a cell; typing
// on a chosen cell replaces its text; a double click or F2 opens the cell's
// editor with the caret after its text; Delete and Backspace clear a chosen
// cell; Ctrl+V puts the clipboard's text into it; Tab and Shift+Tab go to the
// next and previous entry cell (an unlocked cell of the user's), and on from
// the last one to the window's next control. A cell with a rule (a number
// range, a list, a date, a length) takes a typed or pasted value only whole:
// one it does not take is refused and the cell keeps its value.
//
// Rows are as tall as designed (SetRowHeight) or as their texts need, wrapped
// in their cells, whichever is more; the print measures them with the same
// routine. A grid designed without a vertical scroll bar shows one when its
// rows have grown past its height; a title grid of fixed texts and a fixed
// height grows as high as its rows instead.
#include <QDate>
#include <QHash>
#include <QList>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QRectF>
#include <QSet>
#include <QString>
#include <QTableWidget>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>

class Printer;
class QPainter;
class QTextLayout;

enum class GridCellType {
    Date = 0, // a date typed as day/month/year or year-month-day, kept as dd/MM/yyyy
    Edit = 1,
    Integer = 3, // a whole number from a least to a greatest value
    StaticText = 5,
    Button = 7,
    ComboBox = 8, // drop-down list of Tab-separated items
    CheckBox = 10,
};

// Column width units: 105 twips (7 pixels) each; row height units: points
// (20 twips each).
constexpr double kGridDefaultColWidth = 9;
constexpr double kGridDefaultRowHeight = 15;

// Search flag of SearchRow: the cell's text starts with the searched text.
constexpr int SearchFlagsPartialMatch = 2;

// A column as designed: header text (row 0), width and the cell shape of every
// row of the column.
struct GridColumn {
    QString header{};
    double width = kGridDefaultColWidth; // 0 hides the column
    GridCellType type = GridCellType::Edit;
    int maxLength = 0; // edit cells: 0 is no limit
    bool multiLine = false;
    bool locked = false;
};

// The shape and look of one cell.
struct GridCellFormat {
    GridCellType type = GridCellType::Edit;
    bool locked = false;
    quint32 foreColor = 0x000000;
    quint32 backColor = 0xFFFFFF;
    bool bold = false;
    int maxLength = 0;
    bool multiLine = false;
    QString comboList; // Tab-separated items
    bool comboEditable = false;
    int comboMaxDrop = 6;
    int comboWidth = 0;
    QString caption; // check-box and button cells
    QDate dateMin;   // date cells: the dates the cell takes
    QDate dateMax;
    int minValue = 0; // whole-number cells: the numbers the cell takes
    int maxValue = 0;
    bool operator==(const GridCellFormat&) const = default;
};

class Grid : public QTableWidget {
    Q_OBJECT

public:
    // One cell (col, row) or the block (col, row)-(col2, row2), ends included.
    struct Block {
        Block(int col, int row) : col(col), row(row), col2(col), row2(row) {}
        Block(int col, int row, int col2, int row2) : col(col), row(row), col2(col2), row2(row2) {}
        int col, row, col2, row2;
    };

    explicit Grid(QWidget* parent = nullptr);
    ~Grid() override;

    // --- size and design -------------------------------------------------
    int MaxRows() const;
    void setMaxRows(int rows); // new rows take their column's shape
    int MaxCols() const;
    void setMaxCols(int cols);
    // Sets MaxCols to the number of columns given, with their headers, widths
    // and shapes. Any header text shows the header row.
    void setColumns(const QList<GridColumn>& columns);
    void setColHeadersShown(bool shown);
    bool colHeadersShown() const;
    void SetColWidth(int col, double width); // 0 hides the column
    double ColWidth(int col) const;
    void SetRowHeight(int row, double height); // RowHeight(row) = height
    double RowHeight(int row) const;
    void AddCellSpan(int col, int row, int numCols, int numRows);
    // Text placed at design: the cell shows it, is locked and may span.
    void setFixedText(int col, int row, const QString& text, int colSpan = 1, int rowSpan = 1);
    void setCheckBox(int col, int row, const QString& caption = {}, bool ticked = false);
    void setButton(int col, int row, const QString& caption);
    // Drop-down list cell: items separated by Tab (a trailing Tab is allowed);
    // dropWidth, when above 0, the least width in pixels of its open list.
    void setComboBox(Block block, const QString& tabList, bool editable = false, int dropWidth = 0);
    // The items a drop-down cell offers, its shape kept.
    void setComboList(Block block, const QString& tabList);
    void setEditCell(Block block, int maxLength = 0, bool multiLine = false);
    // Date cell: the user types day/month/year (d/M/yyyy) or year-month-day
    // (yyyy-M-d); a date from min to max is kept as dd/MM/yyyy, an empty entry
    // blanks the cell, and any other entry is refused: the cell keeps its
    // text, the refused entry stays in the cell's editor and EntryRefused
    // says which form the cell takes. SetText places any text.
    void setDateCell(Block block, const QDate& min, const QDate& max);
    // Whole-number cell: it takes the numbers from min to max, or nothing;
    // blanks around the number are dropped.
    void setIntegerCell(Block block, int min, int max);
    // Fills the grid with the rows given, as many rows as there are: a list
    // of thousands of rows fills at once. The texts are shown where they
    // are held, each cell shaped as its column, and a cell becomes a cell of
    // its own only when its text or look is changed; rows keep the height
    // designed. Rows MaxRows adds later are blank cells as ever.
    void setRows(QVector<QStringList> rows);
    // Whether rows grow to their texts (on unless switched off; a list whose
    // cells hold one short line each may keep its rows as designed).
    void setRowsFitText(bool fit);
    // The scroll bar policy as designed; AlwaysOff holds while every row is in sight.
    void setVerticalScrollBarPolicy(Qt::ScrollBarPolicy policy);

    // The look and limits of a block.
    void setLocked(Block block, bool locked);
    void setCellForeColor(Block block, quint32 color);
    void setCellBackColor(Block block, quint32 color);
    void setCellBold(Block block, bool bold);
    void setMaxLength(Block block, int maxLength);
    void setMultiLine(Block block, bool multiLine);

    // The shape and look of a cell.
    GridCellFormat cellFormat(int col, int row) const;
    // True when the grid has a cell the user enters: shown, unlocked, and an
    // edit, number, date, drop-down, check-box or button cell.
    bool hasEntryCells() const;
    GridCellType cellType(int col, int row) const { return cellFormat(col, row).type; }
    bool cellLocked(int col, int row) const { return cellFormat(col, row).locked; }
    quint32 cellForeColor(int col, int row) const { return cellFormat(col, row).foreColor; }
    quint32 cellBackColor(int col, int row) const { return cellFormat(col, row).backColor; }
    bool cellBold(int col, int row) const { return cellFormat(col, row).bold; }

    // --- cell values ------------------------------------------------------
    // Check-box cells: "1"/"0" (SetText takes "1", "True" or any non-zero
    // number as ticked). Row 0: the column header.
    void SetText(int col, int row, const QString& text);
    QString GetText(int col, int row) const;
    // The text cell (col, row) shows, as the screen shows it and a screen
    // reader reads it: a check box's or button's caption, another cell's
    // text; row 0 its column's header.
    QString shownText(int col, int row) const;
    void SetInteger(int col, int row, int value);
    int GetInteger(int col, int row) const; // the text as a whole number, 0 when not one
    // Blanks the texts of the block (check boxes unticked); shapes and looks stay.
    void ClearRange(int col, int row, int col2, int row2, bool dataOnly = true);
    // Removes count rows from row on; the rows below move up and as many blank
    // rows are added at the end, so MaxRows stays.
    void DeleteRows(int row, int count);
    // The first column from colFirst to colLast of row whose text matches;
    // -1 when none does. Flags SearchFlagsPartialMatch: starts with the text;
    // otherwise the whole text. Letter case is ignored.
    int SearchRow(int row, int colFirst, int colLast, const QString& text, int flags) const;

    // --- active cell --------------------------------------------------------
    void SetActiveCell(int col, int row);
    int ActiveRow() const; // 1 before any cell was made active
    int ActiveCol() const;
    // No active cell: ActiveRow and ActiveCol read 1 again.
    void ClearActiveCell();
    // For a list whose selected row the program decides (the user's keys and
    // clicks select nothing themselves): shows row as the selected one, its
    // cells all; 0 shows none.
    void ShowRowSelected(int row);
    // Of the grids of a window, only the one the user worked in last (the
    // grid with the focus, or last with it) shows its selected cells.
    bool showsSelection() const;

    // --- the open editor and the user's edits ----------------------------------
    // True while a cell's editor is open.
    bool isEditing() const;
    // Takes the open editor's text into its cell (Change when it differs) and
    // closes the editor; true when no editor is open. False when the cell
    // refuses the text: the editor stays open with it, and with sayRefusal
    // the refusal is said and the editor gets the focus back.
    bool commitEditor(bool sayRefusal = true);
    // Puts text back into text cell (col, row) as the user's edit, as an undo
    // does: Change is raised (TextEdited is not), and the cell takes the text
    // whatever its rule, as one it held before.
    void restoreText(int col, int row, const QString& text);

    // --- printing ------------------------------------------------------------
    // The rows from 1 that head the grid's other rows in print (0: none).
    void setPrintHeadingRows(int rows) { m_printHeadingRows = std::max(0, rows); }
    // A row below them that heads the row after it: printed on the page of
    // that row's first line.
    void setPrintKeptWithNext(int row) { m_printKeptWithNext.insert(row); }
    // The grid is printed with its header row (when shown), fixed texts, cell
    // colours, wrapped texts and grid lines at twips positions on the printer
    // page. The rectangle is clipped to the printable area; a grid wider than
    // it is scaled down to fit, its outer lines kept inside. The first page
    // starts at the rectangle's top; every further page starts on a new sheet
    // at the top margin of a continued sheet (Printer::kContinuedTop, or the
    // rectangle's top when that is higher), with the header row again. Rows
    // go onto a page while they fit; a row taller than the room left is split
    // between two lines of its texts and goes on over the next pages, so that
    // every line of every cell is printed once and whole (a page the first
    // line does not fit on stays empty). Count the pages with the rectangle
    // you draw in. Should the count have been made in a smaller rectangle,
    // drawing its last page carries the rows left over onto further sheets, so
    // no row is lost; pages past the grid's end draw nothing (and the printer
    // adds no blank sheet for them).
    //
    // The first rows may be the grid's headings (setPrintHeadingRows): they
    // are printed below the header row atop every page the grid runs on to,
    // and a page that holds no row after them holds none of them either. A
    // row split over pages shows its label again on each page it goes on to:
    // the text of its first column, when that ended on an earlier page.
    int OwnerPrintPageCount(Printer& printer, int left, int top, int right, int bottom);
    // The pages the grid needs in that rectangle: what OwnerPrintPageCount
    // counts, without changing what drawing the last page counted carries.
    int OwnerPrintPagesNeeded(Printer& printer, int left, int top, int right, int bottom) const;
    void OwnerPrintDraw(Printer& printer, int left, int top, int right, int bottom, int page);
    // The part of the sheet, in twips, that OwnerPrintDraw covers with the
    // given page in that rectangle (0 or less: the last page); an empty
    // rectangle when the page draws nothing.
    QRectF OwnerPrintExtent(Printer& printer, int left, int top, int right, int bottom,
                            int page) const;

    // --- the height of texts -----------------------------------------------
    // A cell's text set in lines widthPixels wide in font, on device (the
    // screen when null), as the grid shows, measures and prints it: its line
    // breaks kept, words wrapped at blanks (one wider than the line at any
    // letter), with trimEnd its blank lines at the end dropped; the lines
    // stand from 0 down, their leading included. Null for a text with nothing
    // to show.
    static std::shared_ptr<QTextLayout> setInLines(const QString& text, const QFont& font,
                                                   double widthPixels, QPaintDevice* device,
                                                   Qt::Alignment align, bool trimEnd = false);

signals:
    // A check-box or button cell was clicked by the user; buttonDown is the
    // check box's new value (1 ticked, 0 clear), 1 for a button.
    void ButtonClicked(int col, int row, int buttonDown);
    // The user changed a cell's text, choice or tick.
    void Change(int col, int row);
    // The user clicked a cell (row 0: a column header).
    void Click(int col, int row);
    // A key that types (a character, Backspace, Enter, Delete, Ctrl and a
    // letter as its control code) was pressed at the grid or in a cell being
    // edited; setting keyAscii to 0 discards it, another character replaces it.
    void KeyPress(int& keyAscii);
    // The user's entry text for cell (col, row) was refused whole; message,
    // when not empty, says why: what the cell takes (a date, a number, an item
    // of its list), its limit and the pasted length, or the control character
    // it cannot keep. A key typed past a cell's limit is said so too, once
    // while its editor is open.
    void EntryRefused(int col, int row, const QString& text, const QString& message);
    // The user's first key (or paste) changed the text in the open editor of
    // cell (col, row): the cell takes the text when the editor closes.
    void EditStarted(int col, int row);
    // The user's edit replaced the text before of text cell (col, row): typing,
    // a choice, Delete, Backspace or a paste. Raised before Change; not by
    // restoreText.
    void TextEdited(int col, int row, const QString& before);

public:
    using QTableWidget::edit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void updateGeometries() override;

protected slots:
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    // How tall a text stands on the screen wrapped in a cell widthTwips wide,
    // padding included; 0 for no text.
    static double textHeightTwips(const QFont& font, const QString& text, double widthTwips);
    // The height in twips that the texts of row need in columns of the given
    // widths (twips, index col, 0 for a column not shown).
    double rowTextHeightTwips(int row, const QList<double>& colWidthTwips) const;
    // Whether text is a value a cell of fmt takes whole (old: the cell's text
    // before); text is then the value as the cell keeps it.
    static bool acceptEntry(const GridCellFormat& fmt, QString& text, const QString& old);
    // A date cell's entry: true when it is taken, text then as it is kept.
    static bool acceptDate(const GridCellFormat& fmt, QString& text);
    class Delegate;
    friend class Delegate;
    // The cells' delegate (gridcells.cpp).
    QAbstractItemDelegate* newDelegate();
    friend class GridItem;
    struct PrintLine;
    struct PrintCell;
    struct PrintSlice;
    struct PrintPage;
    struct PrintLayout;

    QTableWidgetItem* cellItem(int col, int row) const;
    // The item of a cell (0-based), made on first use for a cell of the
    // rows given to setRows; null outside the grid.
    QTableWidgetItem* itemAt(int row, int column) const;
    // Whether the cell (0-based) is one of the rows given to setRows that
    // has no item of its own yet, and its text then.
    bool heldOnly(int row, int column) const;
    QString heldText(int row, int column) const;
    // The shape of a cell (0-based) without making its item.
    GridCellFormat formatAt(int row, int column) const;
    void prepareRow(int row);
    void applyFormat(QTableWidgetItem* item, const GridCellFormat& fmt);
    void forEachItem(Block block, const std::function<void(QTableWidgetItem*)>& fn);
    void shape(Block block, const std::function<void(GridCellFormat&)>& change);
    void onItemChanged(QTableWidgetItem* item);
    int raiseKeyPress(QKeyEvent* event);

    // Rows first to last (-1: the last row) as designed or grown to their texts.
    void fitRows(int first = 1, int last = -1);
    void fitVerticalScrollBar();

    // The entry cells in reading order (row by row, left to right).
    QList<QModelIndex> entryCells() const;
    // Moves to the next (previous) entry cell; past the last (first) one the
    // focus goes on to the window's next (previous) control.
    void moveToEntry(bool next);
    void becomeActiveGrid();

    // The user's own actions on the chosen cell.
    bool refusesFirstKey(const QModelIndex& index, const QString& typed) const;
    void clearCell(const QModelIndex& index);
    void pasteInto(const QModelIndex& index);
    // Reports an entry refused whole; message, when empty, is the rule the
    // cell's format gives for text.
    void refuse(int col, int row, const QString& text, const QString& message = {});
    // Says message about the open editor's entry; the editor stays open and
    // gets the focus back.
    void sayAtEditor(QWidget* editor, const QString& message);
    // The user changed the open editor's text.
    void editorEdited(QWidget* editor);

    // The open editor: its text, whether it may be committed (a refusal is
    // reported), and finishing it by Tab, Shift+Tab or Enter.
    QString editorText(QWidget* editor) const;
    bool editorAccepted(QWidget* editor);
    void keepRefusedEntry(QWidget* editor);
    void finishEdit(QWidget* editor, int move);
    PrintLayout layoutFor(Printer& printer, int left, int top, int right, int bottom) const;
    PrintCell layoutCell(const QString& text, const GridCellFormat& fmt, double widthTwips,
                         bool header, const PrintLayout& layout, QPaintDevice* device) const;
    void paginate(PrintLayout& layout) const;
    void drawPage(QPainter& painter, const PrintLayout& layout, int page) const;

    QList<GridCellFormat> m_columnFormats; // index col - 1
    QVector<QStringList> m_heldRows;       // the rows given to setRows, index row - 1
    QList<double> m_colWidths;
    int m_silent = 0; // > 0 while the program itself changes cells
    int m_countedPages = 0;
    int m_printHeadingRows = 0;
    QSet<int> m_printKeptWithNext;
    QEvent* m_forwardedKey = nullptr;

    QList<int> m_designedHeights;              // pixels, index row - 1
    mutable QHash<QString, double> m_measured; // screen heights of texts, by width and weight
    bool m_fitText = true;
    Qt::ScrollBarPolicy m_vPolicy = Qt::ScrollBarAsNeeded;
    bool m_adjustingPolicy = false;

    EditTrigger m_opening = NoEditTriggers; // while an editor opens
    QPointer<QWidget> m_editor;             // the open editor and its cell
    QPersistentModelIndex m_editorIndex;
    QPointer<QWidget> m_keptEditor;      // an editor whose refused text stays
    int m_refusing = 0;                  // > 0 while a refusal is reported
    int m_restoring = 0;                 // > 0 while restoreText puts a text back
    bool m_fillingEditor = false;        // the delegate is putting the cell's text in
    bool m_editStarted = false;          // EditStarted was raised for the open editor
    std::optional<QString> m_editBefore; // the text a user's edit is replacing
    bool m_refusalPending = false;       // a refused entry is to be shown and said
    QPersistentModelIndex m_pressed;     // the cell a left button went down on
};
