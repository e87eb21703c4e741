#pragma once
// The frame every assessment page is built on: the header (current year and
// learner line), Frame1 for the page's grids, the Save button and its unsaved
// flag, Print Page, Main Menu, Next Page / Previous Page, the page print, and
// the load and save shapes with their error traps.
//
// A page derives from AssessmentPage, builds its grids into Frame1 in its
// constructor and configures the frame there; everything else is the frame's:
//
//     frmExtendedProfile1::frmExtendedProfile1(QWidget* parent)
//         : AssessmentPage("frmExtendedProfile1", parent) {
//         setWindowTitle("RER [ Section 2: EXTENDED PROFILE OF LEARNER NEEDS ]");
//         gridBarriers = new Grid;               // designed here
//         addToFrame(gridBarriers);
//         watchEdits(gridBarriers);              // Change marks the page unsaved
//         setLoadRoutines({[this] { return getLearning_Barrier(); }});
//         setActiveCell(gridBarriers, 1, 4);
//         setSaveRoutines({[this] { return saveLearning_Barrier(); }});
//         setNext("frmExtendedProfile2");
//         setPrint({.title = " [ EXTENDED PROFILE OF LEARNER NEEDS ]",
//                   .items = {PrintItem::grid(gridBarriers, 500, 800)}});
//     }
//
// with getLearning_Barrier() built on loadFirstRow(...) and
// saveLearning_Barrier() on replaceRows(...). A page is shown through
// registerPage<frmExtendedProfile1>("frmExtendedProfile1"): each showing makes
// a fresh page, calls Form_Load, runs it modally and hands the neighbour the
// user left for (or "" for the main menu) to showFormChain, so pages never
// nest. Tests construct a page, call Form_Load and drive the handlers directly.
//
// Load and save routines return true when they ran to their end; each traps
// its own error and reports it with the form name as location. Save is
// confirmed only when every save routine succeeded; after a failed load the
// page refuses to save for that opening. A Save is one transaction, each
// save routine in a savepoint of it: a routine that fails is undone alone,
// and the file takes the others' rows at the one commit at the end.
//
// The keyboard: a page opens with the focus in its highlighted entry cell (or
// the first entry of the page); Tab goes through the page's entries in their
// order, then the buttons. A grid's refusal of an entry that says why (what
// the cell takes, its limit, a control character) is shown in a message box,
// and so is a box's refusal of a paste.
//
// Nothing the user typed is lost without a word: the first key that goes
// into a watched cell marks the page unsaved; Save and every way of leaving
// (the buttons, the title bar's close, closing the program) first take an
// open editor's text into its cell. While a cell's editor holds a text the
// cell refuses, Save saves nothing (the refusal is said and the editor keeps
// the focus). Text waiting in an entry that was never added (a preview
// list's box or entry row) keeps the Save button yellow, so leaving asks;
// Save saves what was added and leaves the button yellow while it waits.
//
// The page's undo: Ctrl+Z puts back the text a watched cell held before the
// user's edit (typing, a choice, Delete, Backspace, a paste), also after the
// cell was left, for the last kHistorySize edits of the page; Ctrl+Y and
// Ctrl+Shift+Z redo. An undone edit is an edit: the page stays unsaved. In an
// open editor the keys are the editor's own while it has something to undo.
//
// A click on a page button while the page is being left does nothing, nor
// does the second click of a double click that reaches a page shown after
// the first click (Next Page twice moves one page).
#include "pages/pageprint.h"
#include "platform/grid.h"
#include "platform/printdialog.h"
#include "platform/savebutton.h"
#include "platform/sqlquote.h"
#include "services/formregistry.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QMap>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class ConnectionScope;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class Printer;

namespace ado {
class Connection;
class Recordset;
} // namespace ado

class AssessmentPage : public QDialog {
    Q_OBJECT

public:
    // A load or save routine: true when it ran to its end.
    using Routine = std::function<bool()>;

    explicit AssessmentPage(const QString& formName, QWidget* parent = nullptr);
    ~AssessmentPage() override;

    const QString& formName() const { return m_formName; }

    // --- the frame's handlers ----------------------------------------------
    // Learner line, current year, the load routines in order, the active cell.
    void Form_Load();
    // Runs each time the page becomes the active window (tabbed pages reset
    // their tab here); not when a message box or the print dialog over the
    // page closes, nor when the user comes back from another application.
    virtual void Form_Activate() {}
    // The save routines in order; the button face and "Your Information has
    // been saved." only when all of them succeeded.
    virtual void cmdSave_Click();
    void cmdPrint_Click();
    void cmdPrintPage_Click() { cmdPrint_Click(); }
    void cmdMenu_Click() { leave(QString()); }
    void cmdNext_Click() { leave(m_next); }
    void cmdPrevious_Click() { leave(m_previous); }

    // --- state ---------------------------------------------------------------
    // The unsaved flag; the Save button's colour follows it and the entries
    // waiting to be added (yellow while either is there, the button face
    // otherwise), which is what leaving the page tests.
    void markUnsaved() { setUnsaved(true); }
    void markSaved() { setUnsaved(false); }
    bool isUnsaved() const { return m_unsaved || !m_pendingEntries.isEmpty(); }
    // An entry (a preview list) holds text typed but not added: the page
    // shows unsaved while it does.
    void setEntryPending(const QObject* entry, bool pending);
    // The user's edits of grid's text cells can be undone with the page's
    // undo (watchEdits does this for the grids it watches).
    void keepHistory(Grid* grid);
    static constexpr int kHistorySize = 100;
    // True after a load routine failed: Save is refused for this opening.
    bool loadFailed() const { return m_loadFailed; }
    // True once the page was left (by a button or the title bar).
    bool isClosed() const { return m_closed; }
    // The form the user left for; "" for the main menu.
    const QString& nextForm() const { return m_nextForm; }

    // Form_Load, the modal showing, and the form to show next.
    QString run();

signals:
    // The page print starts: marks that only the screen shows (the
    // highlighted row of a preview list) are put away.
    void printing();
    // The unsaved flag was set or cleared.
    void unsavedChanged(bool unsaved);

public:
    // --- controls of the frame ----------------------------------------------
    SaveButton* cmdSave = nullptr;
    QPushButton* cmdPrint = nullptr; // "Print Page"; named cmdPrint or cmdPrintPage
    QPushButton* cmdMenu = nullptr;
    QPushButton* cmdNext = nullptr;     // only with setNext
    QPushButton* cmdPrevious = nullptr; // only with setPrevious
    QLabel* lblTab = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtCurrentYear = nullptr;
    QLabel* lblLearner = nullptr;
    QFrame* Frame1 = nullptr;
    CommonDialog cd1;

    // --- entries and the columns that keep them ------------------------------
    // The column of the program's tables that an entry's text is saved into;
    // an empty table for an entry that is saved nowhere.
    struct StoredColumn {
        QString table;
        QString column;
    };
    // What the page declared for an entry cell or box; nullopt when it
    // declared nothing.
    std::optional<StoredColumn> storedColumn(const Grid* grid, int col, int row) const;
    std::optional<StoredColumn> storedColumn(const QLineEdit* box) const;

    // --- SQL pieces ------------------------------------------------------------
    // "WHERE LearnerID = " & gLearnerID & " AND Data_Year = " & gDataYear, the
    // two columns named table.LearnerID and table.Data_Year when a table is given.
    static QString whereLearnerYear(const QString& table = QString());
    // True when the texts joined hold nothing but blanks.
    static bool allBlank(const QStringList& texts);

protected:
    // A load routine run after Form_Load (a refresh) failed: Save is refused
    // for this opening, as after a failed Form_Load.
    void markLoadFailed() { m_loadFailed = true; }

    // --- configuration, from the page's constructor ---------------------------
    // Current-year box and learner label (both shown unless switched off).
    void setHeader(bool yearBox, bool learnerLabel);
    // The object name of the print button: "cmdPrint" or "cmdPrintPage" (default).
    void setPrintButtonName(const QString& name);
    // Size of Frame1 in twips; the buttons and the window follow it.
    void setFrameSize(int widthTwips, int heightTwips);
    QVBoxLayout* frameLayout() const { return m_frameLayout; }
    void addToFrame(QWidget* widget, int stretch = 0);
    // The user's edits in grid mark the page unsaved.
    void watchEdits(Grid* grid);
    // The entry cells of block (or the box) are saved into table.column: they
    // take at most a text column's declared size (a smaller limit the page
    // gave stays; a MEMO or number column leaves the page's limit as it is).
    void storeEntries(Grid* grid, Grid::Block block, const QString& table, const QString& column);
    void storeEntries(QLineEdit* box, const QString& table, const QString& column);
    // The entry cells of block are shown only and saved nowhere.
    void storeNowhere(Grid* grid, Grid::Block block);
    void setLoadRoutines(QList<Routine> routines) { m_loadRoutines = std::move(routines); }
    void setActiveCell(Grid* grid, int col, int row);
    void setSaveRoutines(QList<Routine> routines) { m_saveRoutines = std::move(routines); }
    // The neighbours; a neighbour not yet in the form registry leads to the
    // main menu.
    void setNext(const QString& form, const QString& caption = QStringLiteral("Next Page"));
    void setPrevious(const QString& form, const QString& caption = QStringLiteral("Previous Page"));
    void setPrint(PrintLayout layout) { m_print = std::move(layout); }
    const PrintLayout& printLayout() const { return m_print; }
    // The items printed after the heading; tabbed pages print the tab on show.
    virtual QList<PrintItem> printItems() const { return m_print.items; }

    // --- the load shape ----------------------------------------------------------
    // Opens a fresh connection, runs body, and closes the connection on every
    // path; an error is reported with procedure and false returned. While the
    // page's Save runs, body runs on the Save's connection.
    bool withConnection(const QString& procedure, const std::function<void()>& body);
    // Inside withConnection: a keyset record set on sql; when it holds rows,
    // eachRow sees every row in turn (the record set gives RecordCount too).
    // The record set is closed afterwards. Returns the number of rows.
    static qint64 forEachRow(const QString& sql,
                             const std::function<void(ado::Recordset&)>& eachRow);
    // withConnection + forEachRow.
    bool loadRows(const QString& procedure, const QString& sql,
                  const std::function<void(ado::Recordset&)>& eachRow);
    // As loadRows, for the first record only (tables of one row a learner-year).
    bool loadFirstRow(const QString& procedure, const QString& sql,
                      const std::function<void(ado::Recordset&)>& firstRow);

    // --- the save shapes ---------------------------------------------------------
    // Opens a fresh connection, BeginTrans, body, CommitTrans, close. On an
    // error: the report with procedure, RollbackTrans, close; false. While
    // the page's Save runs, the Save's connection and a savepoint of its one
    // transaction instead: an error undoes this routine's work alone.
    bool inTransaction(const QString& procedure, const std::function<void(ado::Connection&)>& body);
    // Transactional replace: the DELETE statements, then the INSERT statements,
    // in one transaction.
    bool replaceRows(const QString& procedure, const QStringList& deletes,
                     const QStringList& inserts);
    // Update or insert of a row shared by several pages, in one transaction:
    // selectSql picks the learner-year's row; updateSql runs when it exists,
    // insertSql otherwise.
    bool updateOrInsert(const QString& procedure, const QString& selectSql,
                        const QString& updateSql, const QString& insertSql);

    // Print helpers for printItems overrides.
    static PrintItem::Rect rect(int left, int top, int rightAdd = 0, int bottomAdd = 0) {
        return {left, top, rightAdd, bottomAdd};
    }

    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The connection of a load or save shape: the Save's while it runs, else a fresh one.
    void useConnection(std::optional<ConnectionScope>& connection) const;
    void setUnsaved(bool unsaved);
    void showUnsaved();
    // Takes the open editors' texts into their cells; false when a cell
    // refuses its editor's text (said when sayRefusal).
    bool takeOpenEntries(bool sayRefusal);
    void watchButton(QPushButton* button);
    struct HistoryStep {
        QPointer<Grid> grid;
        QPersistentModelIndex cell;
        QString before;
        QString after;
    };
    // Puts back step's text (before, or after for a redo); false when the
    // cell no longer holds what the step left there.
    bool applyStep(const HistoryStep& step, bool undo);
    // The page's undo (Ctrl+Z) and redo (Ctrl+Y, Ctrl+Shift+Z) of its cells'
    // texts: one step back (undo) or forward through the page's history.
    void stepHistory(bool undo);
    void leave(const QString& neighbour);
    // Takes the open editors' texts, then asks when the page is unsaved;
    // true when the page was closed.
    bool confirmLeave();
    void layoutFrame();
    void showNeighbourButton(QPushButton*& button, const QString& name, const QString& caption,
                             const std::function<void()>& click);
    // The grids of the page: their refusals are said; Tab runs through the
    // page's entries, then the buttons.
    void prepareKeyboard();
    // The focus in the highlighted entry cell, or the page's first entry.
    void focusFirstEntry();

    QString m_formName;
    QList<Routine> m_loadRoutines;
    QList<Routine> m_saveRoutines;
    Grid* m_activeGrid = nullptr;
    int m_activeCol = 0;
    int m_activeRow = 0;
    QString m_next;
    QString m_previous;
    PrintLayout m_print;
    QVBoxLayout* m_frameLayout = nullptr;
    int m_frameWidth = 11600;
    int m_frameHeight = 7200;
    bool m_unsaved = false;
    bool m_shownUnsaved = false;
    QSet<const QObject*> m_pendingEntries;
    QList<HistoryStep> m_undo;
    QList<HistoryStep> m_redo;
    bool m_applyingHistory = false;
    int m_serial = 0; // tells this page's clicks from those of the page before it
    bool m_loadFailed = false;
    bool m_closed = false;
    bool m_saving = false; // the Save runs: its routines share its connection and transaction
    bool m_confirming = false;
    bool m_lostToDialog =
        false; // deactivated by a message box, the print dialog or another application
    bool m_keyboardPrepared = false;
    bool m_focusPlaced = false;
    QString m_nextForm;
    struct StoredCells {
        const Grid* grid;
        Grid::Block block;
        StoredColumn column;
    };
    QList<StoredCells> m_storedCells;
    QHash<const QLineEdit*, StoredColumn> m_storedBoxes;
};

// Makes one page, not yet loaded or shown.
using PageMaker = std::function<std::unique_ptr<AssessmentPage>()>;

// Registers a page under name: each showing makes a fresh page and runs it.
void registerPageMaker(const QString& name, PageMaker make);
// Every page registered so far, by form name.
const QMap<QString, PageMaker>& registeredPages();

template <class Page> void registerPage(const QString& name) {
    registerPageMaker(name, [] { return std::unique_ptr<AssessmentPage>(new Page); });
}
