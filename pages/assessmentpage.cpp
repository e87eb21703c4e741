#include "pages/assessmentpage.h"

#include "platform/adodb.h"
#include "platform/commandbutton.h"
#include "platform/entryguard.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
#include "platform/runtime.h"
#include "services/checktables.h"
#include "services/globals.h"
#include "services/modcentralroutines.h"
#include "services/moddatabaseconnection.h"
#include "services/modextendedmsgbox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const QString kSavedMessage = QStringLiteral("Your Information has been saved.");
const QString kSaveUndoneMessage =
    QStringLiteral("The database undid the whole Save after the failure above: nothing of this "
                   "page was saved.");
const QString kNotLoadedMessage =
    QStringLiteral("The information of this page could not be read, so it cannot be saved. "
                   "Please return to the Main Menu and open the page again.");

// Button size and the gaps of the frame, in twips.
constexpr int kButtonWidth = 1455;
constexpr int kButtonHeight = 375;
constexpr int kMargin = 120;
constexpr int kHeaderHeight = 480;

// Each page made gets a serial number of its own.
int s_pageSerial = 0;

// The last press of the left button on a page button: the page and the time.
struct ButtonPress {
    int page = 0;
    quint64 time = 0;
};
std::optional<ButtonPress> s_lastPress;

} // namespace

// ---- the frame ---------------------------------------------------------------------

AssessmentPage::AssessmentPage(const QString& formName, QWidget* parent)
    : QDialog(parent), m_formName(formName), m_serial(++s_pageSerial) {
    setObjectName(formName);
    setModal(true);

    // The page's undo, wherever the focus is on the page (a box to type in
    // keeps the keys, and a cell's open editor while it has something of its
    // own to undo).
    for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::Undo))
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
                [this] { stepHistory(true); });
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
                [this] { stepHistory(false); });

    Label1 = new QLabel(QStringLiteral("Current Year:"), this);
    Label1->setObjectName("Label1");
    txtCurrentYear = new QLineEdit(this);
    txtCurrentYear->setObjectName("txtCurrentYear");
    txtCurrentYear->setReadOnly(true);
    // Nothing to type there: the keys go to the page's entries.
    txtCurrentYear->setFocusPolicy(Qt::NoFocus);
    lblLearner = new QLabel(this);
    lblLearner->setObjectName("lblLearner");
    QFont bold = lblLearner->font();
    bold.setBold(true);
    lblLearner->setFont(bold);

    Frame1 = new QFrame(this);
    Frame1->setObjectName("Frame1");
    Frame1->setFrameShape(QFrame::StyledPanel);
    m_frameLayout = new QVBoxLayout(Frame1);
    m_frameLayout->setContentsMargins(twips(60), twips(60), twips(60), twips(60));

    lblTab = new QLabel(QStringLiteral("TAB button to move between controls"), this);
    lblTab->setObjectName("lblTab");

    cmdSave = new SaveButton(QStringLiteral("Save"), this);
    cmdSave->setObjectName("cmdSave");
    connect(this, &AssessmentPage::unsavedChanged, cmdSave, &SaveButton::setUnsaved);
    cmdPrint = new CommandButton(QStringLiteral("Print Page"), this);
    cmdPrint->setObjectName("cmdPrintPage");
    cmdMenu = new CommandButton(QStringLiteral("Main Menu"), this);
    cmdMenu->setObjectName("cmdMenu");
    for (QPushButton* b : {static_cast<QPushButton*>(cmdSave), cmdPrint, cmdMenu})
        watchButton(b);

    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdMenu, &QPushButton::clicked, this, [this] { cmdMenu_Click(); });

    layoutFrame();
}

AssessmentPage::~AssessmentPage() = default;

void AssessmentPage::setHeader(bool yearBox, bool learnerLabel) {
    Label1->setVisible(yearBox);
    txtCurrentYear->setVisible(yearBox);
    lblLearner->setVisible(learnerLabel);
    layoutFrame();
}

void AssessmentPage::setPrintButtonName(const QString& name) {
    cmdPrint->setObjectName(name);
}

void AssessmentPage::setFrameSize(int widthTwips, int heightTwips) {
    m_frameWidth = widthTwips;
    m_frameHeight = heightTwips;
    layoutFrame();
}

void AssessmentPage::addToFrame(QWidget* widget, int stretch) {
    m_frameLayout->addWidget(widget, stretch);
}

void AssessmentPage::watchEdits(Grid* grid) {
    connect(grid, &Grid::Change, this, [this](int, int) { markUnsaved(); });
    // The first key that goes into a cell marks the page, before the cell is left.
    connect(grid, &Grid::EditStarted, this, [this](int, int) { markUnsaved(); });
    keepHistory(grid);
}

void AssessmentPage::keepHistory(Grid* grid) {
    if (grid->property("pageHistory").toBool())
        return;
    grid->setProperty("pageHistory", true);
    const QPointer<Grid> watched(grid);
    connect(grid, &Grid::TextEdited, this,
            [this, watched](int col, int row, const QString& before) {
                if (m_applyingHistory || !watched)
                    return;
                m_undo.append({watched,
                               QPersistentModelIndex(watched->model()->index(row - 1, col - 1)),
                               before, watched->GetText(col, row)});
                if (m_undo.size() > kHistorySize)
                    m_undo.removeFirst();
                m_redo.clear();
            });
}

bool AssessmentPage::applyStep(const HistoryStep& step, bool undo) {
    if (!step.grid || !step.cell.isValid())
        return false;
    Grid* grid = step.grid;
    const int col = step.cell.column() + 1, row = step.cell.row() + 1;
    // A cell the program has changed since (a reload, an entry added) is
    // not the user's to take back.
    if (grid->GetText(col, row) != (undo ? step.after : step.before))
        return false;
    m_applyingHistory = true;
    grid->restoreText(col, row, undo ? step.before : step.after);
    m_applyingHistory = false;
    grid->SetActiveCell(col, row);
    grid->scrollTo(grid->model()->index(row - 1, col - 1));
    return true;
}

void AssessmentPage::stepHistory(bool undo) {
    if (!takeOpenEntries(true))
        return;
    QList<HistoryStep>& from = undo ? m_undo : m_redo;
    QList<HistoryStep>& to = undo ? m_redo : m_undo;
    while (!from.isEmpty()) {
        const HistoryStep step = from.takeLast();
        if (applyStep(step, undo)) {
            to.append(step);
            return;
        }
    }
    QApplication::beep();
}

void AssessmentPage::setEntryPending(const QObject* entry, bool pending) {
    if (pending)
        m_pendingEntries.insert(entry);
    else
        m_pendingEntries.remove(entry);
    showUnsaved();
}

bool AssessmentPage::takeOpenEntries(bool sayRefusal) {
    bool taken = true;
    for (Grid* grid : findChildren<Grid*>()) {
        if (!grid->commitEditor(sayRefusal))
            taken = false;
    }
    return taken;
}

void AssessmentPage::storeEntries(Grid* grid, Grid::Block block, const QString& table,
                                  const QString& column) {
    const int size = declaredTextSize(table, column);
    if (size > 0) {
        // A smaller limit the page gave a cell stays.
        const int col2 = block.col == -1 ? grid->MaxCols() : block.col2;
        const int row2 = block.row == -1 ? grid->MaxRows() : block.row2;
        for (int col = block.col == -1 ? 1 : block.col; col <= col2; ++col) {
            for (int row = block.row == -1 ? 1 : block.row; row <= row2; ++row) {
                const int given = grid->cellFormat(col, row).maxLength;
                if (given == 0 || given > size)
                    grid->setMaxLength({col, row}, size);
            }
            const int columnLimit = grid->cellFormat(col, 1).maxLength;
            if (block.row == -1 && (columnLimit == 0 || columnLimit > size))
                grid->setMaxLength({col, -1}, size);
        }
    }
    m_storedCells.append({grid, block, {table, column}});
}

void AssessmentPage::storeEntries(QLineEdit* box, const QString& table, const QString& column) {
    const int size = declaredTextSize(table, column);
    if (size > 0 && box->maxLength() > size)
        box->setMaxLength(size);
    m_storedBoxes.insert(box, {table, column});
}

void AssessmentPage::storeNowhere(Grid* grid, Grid::Block block) {
    m_storedCells.append({grid, block, {}});
}

std::optional<AssessmentPage::StoredColumn> AssessmentPage::storedColumn(const Grid* grid, int col,
                                                                         int row) const {
    // The last declaration that covers the cell holds.
    for (qsizetype i = m_storedCells.size() - 1; i >= 0; --i) {
        const StoredCells& cells = m_storedCells[i];
        const Grid::Block& b = cells.block;
        if (cells.grid == grid && (b.col == -1 || (col >= b.col && col <= b.col2)) &&
            (b.row == -1 || (row >= b.row && row <= b.row2)))
            return cells.column;
    }
    return std::nullopt;
}

std::optional<AssessmentPage::StoredColumn>
AssessmentPage::storedColumn(const QLineEdit* box) const {
    const auto it = m_storedBoxes.constFind(box);
    if (it == m_storedBoxes.cend())
        return std::nullopt;
    return *it;
}

void AssessmentPage::setActiveCell(Grid* grid, int col, int row) {
    m_activeGrid = grid;
    m_activeCol = col;
    m_activeRow = row;
}

void AssessmentPage::setNext(const QString& form, const QString& caption) {
    m_next = form;
    showNeighbourButton(cmdNext, "cmdNext", caption, [this] { cmdNext_Click(); });
}

void AssessmentPage::setPrevious(const QString& form, const QString& caption) {
    m_previous = form;
    showNeighbourButton(cmdPrevious, "cmdPrevious", caption, [this] { cmdPrevious_Click(); });
}

// Next Page and Previous Page are made when a page first names its neighbour.
void AssessmentPage::showNeighbourButton(QPushButton*& button, const QString& name,
                                         const QString& caption,
                                         const std::function<void()>& click) {
    if (!button) {
        button = new CommandButton(QString(), this);
        button->setObjectName(name);
        watchButton(button);
        connect(button, &QPushButton::clicked, this, click);
    }
    button->setText(caption);
    layoutFrame();
}

// The header on top, Frame1 below it, the buttons in one row under the frame:
// the hint on the left; Previous, Next, Print Page, Save and Main Menu on the right.
void AssessmentPage::layoutFrame() {
    const bool header = !Label1->isHidden() || !lblLearner->isHidden();
    Label1->setGeometry(twips(kMargin), twips(150), twips(1200), twips(285));
    txtCurrentYear->setGeometry(twips(1320), twips(90), twips(900), twips(315));
    const int learnerLeft = Label1->isHidden() ? kMargin : 2400;
    lblLearner->setGeometry(twips(learnerLeft), twips(150), twips(m_frameWidth - learnerLeft),
                            twips(285));

    const int frameTop = header ? kHeaderHeight : kMargin;
    Frame1->setGeometry(twips(kMargin), twips(frameTop), twips(m_frameWidth), twips(m_frameHeight));

    const int buttonTop = frameTop + m_frameHeight + kMargin;
    lblTab->setGeometry(twips(kMargin), twips(buttonTop + 60), twips(3600), twips(285));
    int right = kMargin + m_frameWidth;
    for (QPushButton* b :
         {cmdMenu, static_cast<QPushButton*>(cmdSave), cmdPrint, cmdNext, cmdPrevious}) {
        if (!b)
            continue;
        right -= kButtonWidth;
        b->setGeometry(twips(right), twips(buttonTop), twips(kButtonWidth), twips(kButtonHeight));
        right -= kMargin;
    }
    setFixedSize(twips(m_frameWidth + 2 * kMargin), twips(buttonTop + kButtonHeight + kMargin));
}

// ---- opening ----------------------------------------------------------------------

void AssessmentPage::Form_Load() {
    prepareKeyboard();
    lblLearner->setText(gLearnerName + " : Acc Number: " + gAccessionNo);
    txtCurrentYear->setText(QString::number(gDataYear));
    for (const Routine& load : m_loadRoutines) {
        if (!load())
            m_loadFailed = true;
    }
    if (m_activeGrid)
        m_activeGrid->SetActiveCell(m_activeCol, m_activeRow);
    markSaved();
    m_undo.clear();
    m_redo.clear();
}

QString AssessmentPage::run() {
    Form_Load();
    exec();
    return m_nextForm;
}

bool AssessmentPage::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowDeactivate) {
        // A message box or the print dialog over the page is no window of the
        // program's own, nor is another application: the page getting the
        // focus back from them is no activation.
        const QWidget* now = QApplication::activeWindow();
        m_lostToDialog = !now || now->inherits("QMessageBox") || now->inherits("QPrintDialog");
    } else if (event->type() == QEvent::WindowActivate) {
        if (!m_focusPlaced) {
            m_focusPlaced = true;
            focusFirstEntry();
        }
        if (!m_lostToDialog)
            Form_Activate();
        m_lostToDialog = false;
    }
    return handled;
}

// ---- one click, one thing ---------------------------------------------------------------

void AssessmentPage::watchButton(QPushButton* button) {
    button->installEventFilter(this);
}

bool AssessmentPage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    auto* button = qobject_cast<QPushButton*>(watched);
    if (!button || button->window() != this ||
        (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
         type != QEvent::MouseButtonRelease))
        return QDialog::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return QDialog::eventFilter(watched, event);
    const char* ignoring = "ignoringClick";
    if (type == QEvent::MouseButtonRelease) {
        // The release of a press that was ignored does nothing either.
        const bool ignored = button->property(ignoring).toBool();
        button->setProperty(ignoring, false);
        return ignored || QDialog::eventFilter(watched, event);
    }
    if (type == QEvent::MouseButtonDblClick && button->property(ignoring).toBool())
        return true;
    const std::optional<ButtonPress> before = s_lastPress;
    s_lastPress = ButtonPress{m_serial, mouse->timestamp()};
    // While the page is being left, or when the press is the second of a
    // double click whose first left the page before this one: nothing.
    const bool secondOfPair =
        type == QEvent::MouseButtonPress && before && before->page != m_serial &&
        mouse->timestamp() >= before->time &&
        mouse->timestamp() - before->time <= quint64(QApplication::doubleClickInterval());
    if (m_closed || m_confirming || secondOfPair) {
        button->setProperty(ignoring, true);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// ---- the keyboard ----------------------------------------------------------------------

void AssessmentPage::prepareKeyboard() {
    if (m_keyboardPrepared)
        return;
    m_keyboardPrepared = true;
    for (Grid* grid : Frame1->findChildren<Grid*>()) {
        connect(grid, &Grid::EntryRefused, this,
                [](int, int, const QString&, const QString& message) {
                    if (!message.isEmpty())
                        ShowUserMessage(message);
                });
    }
    // The boxes to type in say what they refuse of a paste, as the cells do.
    for (QLineEdit* box : Frame1->findChildren<QLineEdit*>()) {
        bool inGrid = false;
        for (QWidget* w = box->parentWidget(); w && !inGrid; w = w->parentWidget())
            inGrid = qobject_cast<Grid*>(w) != nullptr;
        if (!inGrid && !box->isReadOnly())
            entryguard::guardBox(box, [](const QString& message) { ShowUserMessage(message); });
    }
    // The buttons after the page's own controls, in their order on the screen.
    QWidget* last = nullptr;
    for (QWidget* w = Frame1->nextInFocusChain(); w && w != Frame1; w = w->nextInFocusChain()) {
        if (Frame1->isAncestorOf(w))
            last = w;
    }
    for (QPushButton* b :
         {cmdPrevious, cmdNext, cmdPrint, static_cast<QPushButton*>(cmdSave), cmdMenu}) {
        if (!b)
            continue;
        if (last)
            setTabOrder(last, b);
        last = b;
    }
}

void AssessmentPage::focusFirstEntry() {
    prepareKeyboard();
    if (m_activeGrid && m_activeGrid->isVisible()) {
        m_activeGrid->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The first control of the page that takes an entry: a grid with an entry
    // cell, or a box to type in.
    for (QWidget* w = Frame1->nextInFocusChain(); w && w != Frame1; w = w->nextInFocusChain()) {
        if (!Frame1->isAncestorOf(w) || !w->isVisible() || !w->isEnabled() ||
            !(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (auto* grid = qobject_cast<Grid*>(w)) {
            if (!grid->hasEntryCells())
                continue;
        } else if (auto* box = qobject_cast<QLineEdit*>(w)) {
            if (box->isReadOnly())
                continue;
        } else {
            continue;
        }
        w->setFocus(Qt::TabFocusReason);
        return;
    }
}

// ---- the unsaved flag ----------------------------------------------------------------

void AssessmentPage::setUnsaved(bool unsaved) {
    m_unsaved = unsaved;
    showUnsaved();
}

void AssessmentPage::showUnsaved() {
    const bool shown = isUnsaved();
    if (shown == m_shownUnsaved)
        return;
    m_shownUnsaved = shown;
    emit unsavedChanged(shown);
}

// ---- saving --------------------------------------------------------------------------

void AssessmentPage::cmdSave_Click() {
    if (m_loadFailed) {
        ShowUserMessage(kNotLoadedMessage);
        return;
    }
    // A text still in a cell's editor is saved with the rest; one its cell
    // refuses is said, keeps the focus, and nothing is saved.
    if (!takeOpenEntries(true)) {
        markUnsaved();
        return;
    }
    // The whole Save is one transaction, each routine in a savepoint of it: a
    // routine that fails is undone alone and the others are kept, and the
    // file takes the page's rows only at the one commit at the end, so a Save
    // cut off on the way leaves them as they were. What the routines have to
    // say is shown once the transaction is over, so that no message waits
    // for the user while the file is held.
    bool allSaved = true;
    bool committed = false;
    {
        const msgbox::HeldBoxes held;
        const ConnectionScope connection;
        if (!connection.isOpen())
            return; // reported
        m_saving = true;
        const auto saved = qScopeGuard([this] { m_saving = false; });
        committed = trapErrors(m_formName, "cmdSave_Click Routine", [&] {
            ado::TransactionScope transaction(*connection);
            for (const Routine& save : m_saveRoutines) {
                allSaved = save() && allSaved;
                if (!connection->InTransaction())
                    throw AppError(ErrNo::SaveUndone, kSaveUndoneMessage);
            }
            transaction.commit();
        });
    }
    if (!committed || !allSaved)
        return;
    markSaved();
    ShowUserMessage(kSavedMessage);
}

// ---- leaving ---------------------------------------------------------------------------

bool AssessmentPage::confirmLeave() {
    // The open editor's text is the page's before the question; a text its
    // cell refuses stays in the editor, and the page asks.
    if (!takeOpenEntries(false))
        markUnsaved();
    m_confirming = true;
    const bool closed = ConfirmLeave(*cmdSave, *this);
    m_confirming = false;
    if (closed) {
        m_closed = true;
        if (isVisible())
            QDialog::done(QDialog::Rejected);
    }
    return closed;
}

void AssessmentPage::leave(const QString& neighbour) {
    if (m_closed || !confirmLeave())
        return;
    // A neighbour that is not part of the program yet leads back to the menu.
    m_nextForm = (!neighbour.isEmpty() && isFormRegistered(neighbour)) ? neighbour : QString();
}

void AssessmentPage::closeEvent(QCloseEvent* event) {
    if (m_confirming || m_closed) {
        QDialog::closeEvent(event);
        return;
    }
    // The title bar's close (and closing the program) leaves like Main Menu.
    event->ignore();
    if (confirmLeave()) {
        m_nextForm.clear();
        event->accept();
    }
}

// A page is left by its buttons or its title bar only: the Escape key, which
// a dialog takes for reject(), leaves it open.
void AssessmentPage::reject() {
    if (m_confirming || m_closed)
        QDialog::reject();
}

// ---- printing ----------------------------------------------------------------------------

void AssessmentPage::cmdPrint_Click() {
    emit printing();
    trapErrors(m_formName, "Print Routine", [&] {
        Printer printer;
        printer.setOrientation(m_print.landscape ? Printer::vbPRORLandscape
                                                 : Printer::vbPRORPortrait);
        printer.setDocumentName(printDocumentName(m_print, windowTitle()));
        cd1.setCancelError(true);
        cd1.ShowPrinter(printer);

        // The sheets are written as the dialog chose them; the job ends there.
        const QList<PrintItem> items = printItems();
        printer.printJob([&](Printer& p) { printPage(p, m_print, items); });
    });
}

// ---- SQL pieces ----------------------------------------------------------------------------

QString AssessmentPage::whereLearnerYear(const QString& table) {
    const QString column = table.isEmpty() ? QString() : table + '.';
    return "WHERE " + column + "LearnerID = " + QString::number(gLearnerID) + " AND " + column +
           "Data_Year = " + QString::number(gDataYear);
}

bool AssessmentPage::allBlank(const QStringList& texts) {
    return texts.join(QString()).trimmed().isEmpty();
}

// ---- the load shape ------------------------------------------------------------------------

void AssessmentPage::useConnection(std::optional<ConnectionScope>& connection) const {
    if (m_saving)
        connection.emplace(ConnectionScope::ShareOpen); // the Save's, in its transaction
    else
        connection.emplace();
}

bool AssessmentPage::withConnection(const QString& procedure, const std::function<void()>& body) {
    std::optional<ConnectionScope> connection;
    useConnection(connection);
    return trapErrors(m_formName, procedure, body);
}

qint64 AssessmentPage::forEachRow(const QString& sql,
                                  const std::function<void(ado::Recordset&)>& eachRow) {
    ado::Recordset rs;
    rs.Open(sql, gConnection.get(), ado::adOpenKeyset);
    const qint64 count = rs.RecordCount();
    if (count > 0) {
        while (!rs.Eof()) {
            eachRow(rs);
            rs.MoveNext();
        }
    }
    rs.Close();
    return count;
}

bool AssessmentPage::loadRows(const QString& procedure, const QString& sql,
                              const std::function<void(ado::Recordset&)>& eachRow) {
    return withConnection(procedure, [&] { forEachRow(sql, eachRow); });
}

bool AssessmentPage::loadFirstRow(const QString& procedure, const QString& sql,
                                  const std::function<void(ado::Recordset&)>& firstRow) {
    return withConnection(procedure, [&] {
        ado::Recordset rs;
        rs.Open(sql, gConnection.get(), ado::adOpenKeyset);
        if (rs.RecordCount() > 0)
            firstRow(rs);
        rs.Close();
    });
}

// ---- the save shapes ------------------------------------------------------------------------

bool AssessmentPage::inTransaction(const QString& procedure,
                                   const std::function<void(ado::Connection&)>& body) {
    std::optional<ConnectionScope> connection;
    useConnection(connection);
    // Inside the Save's transaction, a savepoint of it.
    return trapErrors(m_formName, procedure, [&] {
        ado::TransactionScope transaction(*gConnection);
        body(*gConnection);
        transaction.commit();
    });
}

bool AssessmentPage::replaceRows(const QString& procedure, const QStringList& deletes,
                                 const QStringList& inserts) {
    return inTransaction(procedure, [&](ado::Connection& db) {
        for (const QString& sql : deletes)
            db.Execute(sql);
        for (const QString& sql : inserts)
            db.Execute(sql);
    });
}

bool AssessmentPage::updateOrInsert(const QString& procedure, const QString& selectSql,
                                    const QString& updateSql, const QString& insertSql) {
    return inTransaction(procedure, [&](ado::Connection& db) {
        ado::Recordset rs;
        rs.Open(selectSql, &db, ado::adOpenKeyset);
        const bool exists = rs.RecordCount() >= 1;
        rs.Close();
        db.Execute(exists ? updateSql : insertSql);
    });
}

namespace {
QMap<QString, PageMaker>& pageMakers() {
    static QMap<QString, PageMaker> makers;
    return makers;
}
} // namespace

void registerPageMaker(const QString& name, PageMaker make) {
    pageMakers().insert(name, make);
    registerForm(name, [make] { return make()->run(); });
}

const QMap<QString, PageMaker>& registeredPages() {
    return pageMakers();
}
