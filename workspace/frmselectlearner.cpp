#include "workspace/frmselectlearner.h"

#include "platform/colors.h"
#include "platform/commandbutton.h"
#include "platform/grid.h"
#include "platform/runtime.h"
#include "services/checktables.h"
#include "services/endprogram.h"
#include "services/formregistry.h"
#include "services/frmimages.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "services/modextendedmsgbox.h"
#include "workspace/rollover.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The background of the row a search found: a mark that is no selection.
constexpr quint32 kFoundColor = 0xB0F0FF;

QPushButton* menuButton(const QString& caption, QWidget* parent, int top, int height) {
    auto* b = new CommandButton(caption, parent);
    b->setGeometry(twipsRect(120, top, 2175, height));
    return b;
}
} // namespace

template <class Body> bool frmSelectLearner::runUntrapped(const QString& procedure, Body&& body) {
    if (m_ended)
        return false;
    try {
        body();
        return true;
    } catch (const AppError& e) {
        ShowErrorReport("frmSelectLearner", e.description(), procedure + " Routine", e.number());
        m_ended = true;
        EndProgram();
        return false;
    }
}

frmSelectLearner::frmSelectLearner(QWidget* parent) : QDialog(parent) {
    setObjectName("frmSelectLearner");
    setWindowTitle("Select Learner");
    setFixedSize(twips(10560), twips(8505));

    Frame2 = new QGroupBox(this);
    Frame2->setGeometry(twipsRect(120, 120, 7815, 6975));
    Label4 = new QLabel("CLICK on the Learner name to select the Learner", Frame2);
    Label4->setGeometry(twipsRect(120, 270, 5175, 255));
    optCurrent = new QRadioButton("Current", Frame2);
    optCurrent->setGeometry(twipsRect(5400, 240, 1035, 255));
    optCurrent->setToolTip("Display only Current Learners");
    optCurrent->setChecked(true);
    optArchived = new QRadioButton("Archived", Frame2);
    optArchived->setGeometry(twipsRect(6480, 240, 1215, 255));
    optArchived->setToolTip("Display only Archived Learners");
    gridLearner = new Grid(Frame2);
    gridLearner->setObjectName("gridLearner");
    gridLearner->setGeometry(twipsRect(120, 600, 7575, 6255));
    // Columns 2 to 5 of every row are locked against editing.
    gridLearner->setColumns({{.header = "ID", .width = 0},
                             {.header = "Name of Learner", .width = 26.75, .locked = true},
                             {.header = "Accession No", .width = 15, .locked = true},
                             {.header = "Grade", .width = 16.37, .locked = true},
                             {.header = "DOB", .locked = true}});
    gridLearner->setMaxRows(0);
    // One line a learner; the selected row is the selected learner's, never
    // a row the keys or a search moved to.
    gridLearner->setRowsFitText(false);
    gridLearner->setSelectionMode(QAbstractItemView::NoSelection);

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(twipsRect(120, 7080, 6015, 1335));
    Label1 = new QLabel("Search for Learner in the list.", Frame1);
    Label1->setGeometry(twipsRect(30, 165, 4935, 255));
    txtSearch = new QLineEdit(Frame1);
    txtSearch->setGeometry(twipsRect(120, 435, 4845, 315));
    optAssNo = new QRadioButton("Accession Number", Frame1);
    optAssNo->setGeometry(twipsRect(120, 900, 1815, 255));
    optAssNo->setChecked(true);
    optName = new QRadioButton("Name", Frame1);
    optName->setGeometry(twipsRect(2040, 900, 975, 255));
    Command1 = new CommandButton("Search", Frame1);
    Command1->setGeometry(twipsRect(3120, 840, 1845, 375));
    Image1 = new QLabel(Frame1);
    Image1->setGeometry(twipsRect(5280, 240, 480, 480));
    Image1->setScaledContents(true);

    Label3 = new QLabel("Learners", this);
    Label3->setGeometry(twipsRect(6360, 7200, 900, 255));
    txtNumber = new QLineEdit(this);
    txtNumber->setGeometry(twipsRect(7320, 7200, 615, 315));

    Frame3 = new QGroupBox(this);
    Frame3->setGeometry(twipsRect(8040, 120, 2400, 8265));
    cmdSupport = menuButton("Support Needs Assessment", Frame3, 240, 855);
    cmdReports = menuButton("Reports", Frame3, 1320, 855);
    btnPrint = menuButton("Print Learner Profile", Frame3, 2400, 855);
    cmdMenu = menuButton("Done", Frame3, 3480, 855);
    cmdRoll = menuButton("Append Previous Year Information", Frame3, 7440, 615);

    connect(optCurrent, &QRadioButton::clicked, this, [this] { optCurrent_Click(); });
    connect(optArchived, &QRadioButton::clicked, this, [this] { optArchived_Click(); });
    connect(gridLearner, &Grid::Click, this,
            [this](int col, int row) { gridLearner_Click(col, row); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    // Enter in the search box searches, as the Search button does.
    connect(txtSearch, &QLineEdit::returnPressed, Command1, &QPushButton::click);
    connect(gridLearner, &Grid::KeyPress, this,
            [this](int& keyAscii) { gridLearner_KeyPress(keyAscii); });
    connect(cmdSupport, &QPushButton::clicked, this, [this] { cmdSupport_Click(); });
    connect(cmdReports, &QPushButton::clicked, this, [this] { cmdReports_Click(); });
    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrint_Click(); });
    connect(cmdMenu, &QPushButton::clicked, this, [this] { cmdMenu_Click(); });
    connect(cmdRoll, &QPushButton::clicked, this, [this] { cmdRoll_Click(); });

    Form_Load();
}

void frmSelectLearner::Form_Load() {
    getDatabasePath();

    // Without a database nothing further can be read: say so and end, before
    // anything is written.
    OpenConnection();
    const bool opened = gConnection && gConnection->State() == ado::adStateOpen;
    CloseConnection();
    if (!opened) {
        ShowUserMessage(gDbPath.trimmed().isEmpty()
                            ? "No database is set for this program, so it cannot continue. "
                              "The program will now close."
                            : "The database " + gDbPath +
                                  " could not be opened, so the program cannot continue. "
                                  "The program will now close.");
        m_ended = true;
        EndProgram();
        return;
    }

    // A file that is not the school's database, or one the table check cannot
    // write, has been reported: no page could save, so the program ends.
    bool checked = false;
    if (!runUntrapped("checkTables", [&checked] { checked = checkTables(); }))
        return;
    if (!checked) {
        ShowUserMessage("The program cannot work with the database " + gDbPath +
                        ", so it cannot continue. The program will now close.");
        m_ended = true;
        EndProgram();
        return;
    }
    runUntrapped("getSchoolInfo", [this] { getSchoolInfo(); }) &&
        runUntrapped("getLearners", [this] { getLearners(); });
}

void frmSelectLearner::getDatabasePath() {
    gDbPath = GetSetting("MarvikEmis", "Startup", "Database");
}

void frmSelectLearner::getSchoolInfo() {
    ConnectionScope connection;
    ado::Recordset rs;
    rs.Open("SELECT SchoolName, District, Circuit, EmisCode FROM General_Info", gConnection.get(),
            ado::adOpenKeyset);
    if (!rs.Eof()) {
        gSchoolName = rs.Fields("SchoolName").text();
        gCircuit = rs.Fields("Circuit").text();
        gDistrict = rs.Fields("District").text();
        gEmisCode = rs.Fields("EmisCode").text();
    }
    rs.Close();
}

QString frmSelectLearner::learnersQuery(const QString& status) {
    return QString("SELECT l.ID, l.FName, l.SName, s.Name as Grade, l.AccessionNo, l.BirthDate ") +
           "FROM Learner_Info l " + "LEFT JOIN SchoolGrades s ON s.ID = l.Grade " +
           "WHERE l.Status = '" + status + "' AND " +
           "(l.LSENStatus in (2,3) OR l.SocialGrantNo <> '') " + "ORDER BY l.SName";
}

void frmSelectLearner::getLearners() {
    const QString status = optArchived->isChecked() ? "A" : "C";

    ConnectionScope connection;
    ado::Recordset rs;
    rs.Open(learnersQuery(status), gConnection.get(), ado::adOpenKeyset);
    const qint64 count = rs.RecordCount();
    // No learners of the chosen kind: an empty list and a count of 0.
    txtNumber->setText(QString::number(count));
    // The list shows the rows as loaded (the rows before them go): a list of
    // thousands of learners fills at once.
    const int id = rs.fieldIndex("ID"), sname = rs.fieldIndex("SName"),
              fname = rs.fieldIndex("FName"), accession = rs.fieldIndex("AccessionNo"),
              grade = rs.fieldIndex("Grade"), birth = rs.fieldIndex("BirthDate");
    QVector<QStringList> rows;
    rows.reserve(count);
    m_keys.clear();
    m_keys.reserve(count);
    for (; !rs.Eof(); rs.MoveNext()) {
        m_keys.append(learnerKey(rs.Fields(id).Value()));
        rows.append({rs.Fields(id).text(),
                     rs.Fields(sname).text().toUpper() + " " + rs.Fields(fname).text(),
                     rs.Fields(accession).text(), rs.Fields(grade).text(),
                     rs.Fields(birth).text()});
    }
    gridLearner->setRows(std::move(rows));
    rs.Close();
    m_foundRow = 0;
    showSelectedLearner();
}

void frmSelectLearner::showSelectedLearner() {
    int row = 0;
    if (!m_ID.isEmpty()) {
        for (int r = 1; r <= gridLearner->MaxRows() && row == 0; ++r) {
            if (gridLearner->GetText(1, r) == m_ID)
                row = r;
        }
        if (row == 0) {
            // Not on the list any more: Support Needs Assessment asks again.
            clearChosenLearner();
        }
    }
    gridLearner->ShowRowSelected(row);
}

void frmSelectLearner::clearChosenLearner() {
    m_ID.clear();
    m_Name.clear();
    m_AccNo.clear();
    m_Grade.clear();
    m_BirthDate.clear();
}

void frmSelectLearner::markFound(int row) {
    if (m_foundRow >= 1 && m_foundRow <= gridLearner->MaxRows())
        gridLearner->setCellBackColor({2, m_foundRow, 5, m_foundRow}, vbWhite);
    m_foundRow = row;
    if (row >= 1 && row <= gridLearner->MaxRows())
        gridLearner->setCellBackColor({2, row, 5, row}, kFoundColor);
}

void frmSelectLearner::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
        // The window opens with the keyboard in the list, its cursor on the
        // first learner: the arrows and Space choose at once.
        gridLearner->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void frmSelectLearner::Form_Activate() {
    clearChosenLearner();
    showSelectedLearner();
    Image1->setPixmap(frmImages::learnerPicture());
}

void frmSelectLearner::showForm(const QString& name) {
    const bool opens = isFormRegistered(name);
    showFormChain(name);
    if (opens)
        Form_Activate();
}

void frmSelectLearner::optCurrent_Click() {
    runUntrapped("getLearners", [this] { getLearners(); });
}

void frmSelectLearner::optArchived_Click() {
    runUntrapped("getLearners", [this] { getLearners(); });
}

void frmSelectLearner::gridLearner_Click(int /*col*/, int row) {
    if (row <= 0)
        return;
    // A learner whose ID is no whole number is listed, but never chosen:
    // the rows saved for it would be another learner's, or no one's.
    const std::optional<qint64> key = m_keys.value(row - 1);
    if (!key) {
        const QString id = gridLearner->GetText(1, row);
        ShowUserMessage(gridLearner->GetText(2, row) + " cannot be selected: " +
                        (id.isEmpty() ? QStringLiteral("the learner has no ID")
                                      : "the learner's ID (" + id + ") is not a whole number") +
                        " in the school's database, so this learner's information could not be "
                        "kept apart from other learners'. Please correct the learner's record "
                        "in TELLURA.");
        clearChosenLearner();
        markFound(0);
        showSelectedLearner();
        return;
    }
    m_ID = gridLearner->GetText(1, row);
    m_Name = gridLearner->GetText(2, row);
    m_AccNo = gridLearner->GetText(3, row);
    m_Grade = gridLearner->GetText(4, row);
    m_BirthDate = gridLearner->GetText(5, row);
    gLearnerID = *key;
    gLearnerName = m_Name;
    gAccessionNo = m_AccNo;
    gBirthDate = m_BirthDate;
    markFound(0);
    showSelectedLearner();
}

void frmSelectLearner::gridLearner_KeyPress(int& keyAscii) {
    // Space and Enter choose the learner of the cursor's row, as a click on
    // it does; every other key leaves the list as it is.
    if (keyAscii != ' ' && keyAscii != '\r')
        return;
    keyAscii = 0;
    const QModelIndex cursor = gridLearner->currentIndex();
    if (cursor.isValid())
        gridLearner_Click(cursor.column() + 1, cursor.row() + 1);
}

void frmSelectLearner::Command1_Click() {
    if (gridLearner->MaxRows() == 0) {
        ShowUserMessage("You have no items to search for.");
        return;
    }
    if (txtSearch->text().trimmed().isEmpty()) {
        ShowUserMessage("You must enter a search term.");
        txtSearch->setFocus();
        return;
    }
    const int col = optAssNo->isChecked() ? 3 : 2;
    for (int row = 1; row <= gridLearner->MaxRows(); ++row) {
        if (gridLearner->SearchRow(row, col, col, txtSearch->text(), SearchFlagsPartialMatch) ==
            col) {
            // The search only shows the row, marked as found: the user still
            // clicks it to select the learner.
            markFound(row);
            gridLearner->SetActiveCell(col, row);
            gridLearner->scrollTo(gridLearner->model()->index(row - 1, col - 1));
            gridLearner->setFocus();
            return;
        }
    }
    ShowUserMessage("Your search word was not found.");
}

void frmSelectLearner::cmdSupport_Click() {
    if (m_Name.trimmed().isEmpty()) {
        ShowUserMessage("Please select the Learner to continue.");
        return;
    }
    showForm("frmRER_Main");
}

void frmSelectLearner::btnPrint_Click() {
    gReportOptionsRequest.txtAccession = m_AccNo.trimmed().isEmpty() ? QString() : m_AccNo;
    gReportOptionsRequest.strReportName = "LearnerProfile";
    showForm("frmReportOptions");
}

void frmSelectLearner::cmdReports_Click() {
    showForm("frmReportSelect");
}

void frmSelectLearner::cmdRoll_Click() {
    ::cmdRoll_Click();
}

void frmSelectLearner::cmdMenu_Click() {
    m_ended = true;
    EndProgram();
}

void frmSelectLearner::Form_QueryUnload(int& /*cancel*/, int /*unloadMode*/) {
    // Closing this window in any way ends the program.
    m_ended = true;
    EndProgram();
}

void frmSelectLearner::closeEvent(QCloseEvent* event) {
    int cancel = 0;
    Form_QueryUnload(cancel, 0);
    event->accept();
    done(QDialog::Rejected);
}
