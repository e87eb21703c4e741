#include "profile/frmbackgroundinfo.h"

#include "platform/adodb.h"
#include "platform/griddesign.h"
#include "platform/runtime.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "services/modextendedmsgbox.h"
#include "workspace/frmmultipledisabilities.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace {

const QString kConflictMessage =
    QStringLiteral("The Primary Disablility is also added as an Additional Disability, please "
                   "correct the information before saving.");

const QString kLearnerGoneMessage =
    QStringLiteral("This learner is no longer in the school's database, so nothing was saved.");

const QString kFamilyGuidance = QStringLiteral(
    "Include information on family structure, including siblings, other significant adults "
    "etc. \r\nFor example: Who lives with the child? Who does not live with the child? Any other "
    "significant home circumstances, etc.");
const QString kParentGuidance = QStringLiteral(
    "In this section the parent provides information of how they understand their child's "
    "strengths and challenges.\r\nFor example: What are parent's goals for their child and the "
    "child's goals? What are the interests of the child?\r\nWhat support do they need? How "
    "would they describe their child's personality? etc..");

// Column widths of the four grids (105 twips a unit): together they fill Frame1.
const QList<double> kColWidths = {36, 36, 35};

const QString kTable = QStringLiteral("TAV_Learner_Background_Info");

// A grid of these rows, designed to show all of itself: as high as its rows'
// designed heights (points, 20 twips each).
Grid* makeGrid(const QString& name, const QList<GridRow>& rows) {
    int twipsTotal = 60;
    for (const GridRow& row : rows)
        twipsTotal += int(row.height * 20);
    return newGrid(name, {.columns = gridColumns(kColWidths),
                          .rows = int(rows.size()),
                          .lines = rows,
                          .heightTwips = twipsTotal,
                          .noScrollBars = Qt::Horizontal | Qt::Vertical});
}

// A titled grid of three rows: the heading, the guidance and one text.
Grid* designTextGrid(const QString& name, const QString& heading, const QString& guidance,
                     double guidanceHeight) {
    return makeGrid(
        name, {{.row = 1, .height = 15, .cells = {GridCell::label(1, heading, 3).bold()}},
               {.row = 2, .height = guidanceHeight, .cells = {GridCell::label(1, guidance, 3)}},
               {.row = 3, .height = 75, .cells = {GridCell::entry(1, 0, 3)}}});
}

} // namespace

frmBackgroundInfo::frmBackgroundInfo(QWidget* parent)
    : AssessmentPage("frmBackgroundInfo", parent) {
    setWindowTitle("RER [Section 1: BACKGROUND INFORMATION ON LEARNER]");
    setFrameSize(11600, 8300);

    using C = GridCell;
    gridEarlyIntervention =
        makeGrid("gridEarlyIntervention",
                 {{.row = 1,
                   .height = 15,
                   .cells = {C::label(1, "1.1 Early intervention services", 3).bold()}},
                  {.row = 2,
                   .height = 24,
                   .cells = {C::label(1, "Name of support received "),
                             C::label(2, "Name of provider (organisation/department)"),
                             C::label(3, "Contact Details")}},
                  {.row = 3, .height = 45, .cells = {C::entry(1), C::entry(2), C::entry(3)}}});
    storeEntries(gridEarlyIntervention, {1, 3}, kTable, "Nature_Of_Support_Received");
    storeEntries(gridEarlyIntervention, {2, 3}, kTable, "Name_Of_Provider");
    storeEntries(gridEarlyIntervention, {3, 3}, kTable, "Contact_Details");

    gridDisability = makeGrid("gridDisability",
                              {{.row = 1,
                                .height = 15,
                                .cells = {C::label(1, "1.2 State disability (if any)", 3).bold()}},
                               {.row = 2, .height = 30, .cells = {C::entry(2)}}});
    gridDisability->setComboBox({1, 2}, QString(), false, 150);
    // The additional disabilities are kept by their own window.
    storeNowhere(gridDisability, {2, 2});
    gridDisability->setButton(3, 2, "Additional Disabilities");

    gridFamilySituation =
        designTextGrid("gridFamilySituation", "1.3 Family and home situation", kFamilyGuidance, 30);
    gridParent_Understanding = designTextGrid(
        "gridParent_Understanding", "1.4 Parent's understanding of the child", kParentGuidance, 42);
    storeEntries(gridFamilySituation, {1, 3}, kTable, "Family_Situation");
    storeEntries(gridParent_Understanding, {1, 3}, kTable, "Parent_Understanding_Of_Child");

    for (Grid* grid :
         {gridEarlyIntervention, gridDisability, gridFamilySituation, gridParent_Understanding}) {
        addToFrame(grid);
        watchEdits(grid);
    }
    frameLayout()->addStretch(1);
    connect(gridDisability, &Grid::ButtonClicked, this,
            &frmBackgroundInfo::gridDisability_ButtonClicked);

    setLoadRoutines({[this] { return getBackground_Info(true); }});
    setActiveCell(gridEarlyIntervention, 1, 3);
    setSaveRoutines({[this] { return saveBackgroundInfo(); }});
    setPrint({.title = " [ BACKGROUND INFORMATION OF LEARNER ]",
              .items = {PrintItem::grid(gridEarlyIntervention, 500, 800),
                        PrintItem::grid(gridDisability, 500, 2500),
                        PrintItem::grid(gridFamilySituation, 500, 3500),
                        PrintItem::grid(gridParent_Understanding, 500, 6000)}});
}

bool frmBackgroundInfo::getBackground_Info(bool PopulateAll) {
    // The learner's own row, with the year's background row when there is one
    // and the primary disability's name when it names a disability: a learner
    // without a primary disability (0) still sees the stored texts. The
    // learner's row leads the join, so the year's row is found through the
    // (LearnerID, Data_Year) index rather than by reading every year's rows.
    const QString sql = "SELECT BI.*, LI.LSENDisabilities AS MainDisID, DI.Name AS MainDis "
                        "FROM (Learner_Info  as LI Left Join "
                        "TAV_Learner_Background_Info as BI ON (BI.LearnerID = LI.ID AND "
                        "BI.Data_Year = " +
                        QString::number(gDataYear) +
                        ")) "
                        "LEFT JOIN Disabilities as DI ON LI.LSENDisabilities = DI.id "
                        "WHERE LI.ID = " +
                        QString::number(gLearnerID);
    // A refresh (the additional-disabilities window closed) keeps the
    // primary disability the user chose and has not saved.
    const QString chosenPrimary = gridDisability->GetText(1, 2);
    const bool keepChoice = !PopulateAll && chosenPrimary != m_ShownPrimary;
    const bool loaded = withConnection("getBackground_Info Routine", [&] {
        ado::Recordset rs;
        rs.Open(sql, gConnection.get(), ado::adOpenKeyset);
        if (rs.RecordCount() > 0) {
            if (PopulateAll) {
                gridEarlyIntervention->SetText(1, 3,
                                               rs.Fields("Nature_Of_Support_Received").text());
                gridEarlyIntervention->SetText(2, 3, rs.Fields("Name_Of_Provider").text());
                gridEarlyIntervention->SetText(3, 3, rs.Fields("Contact_Details").text());
                gridFamilySituation->SetText(1, 3, rs.Fields("Family_Situation").text());
                gridParent_Understanding->SetText(
                    1, 3, rs.Fields("Parent_Understanding_Of_Child").text());
            }
            // A MultipleDisabilities row without a DisabilityID is left out of
            // the NOT IN: it would leave the list empty.
            loadComboList("Select Di.ID, Di.Name from Disabilities as Di "
                          " WHERE Di.ID NOT IN (SELECT MDis.DisabilityID FROM "
                          "MultipleDisabilities as MDis"
                          " INNER JOIN Learner_Info ON MDis.LearnerID = Learner_Info.ID "
                          " WHERE (((Learner_Info.ID)=" +
                              QString::number(gLearnerID) + ")) AND MDis.DisabilityID IS NOT NULL)",
                          m_Disabilities, "id", "Name", 1, 2);
            m_AdditionalDisabilities = additionalDisabilities(gLearnerID);
            gridDisability->SetText(2, 2, m_AdditionalDisabilities.join(", "));
            bool conflict = false;
            checkPrimaryDisability(rs.Fields("MainDis").text(), rs.Fields("MainDisID").toInt(),
                                   true, conflict);
        } else {
            // No such learner: every disability is offered and nothing else is filled.
            loadComboList("Select Di.ID, Di.Name from Disabilities as Di ", m_Disabilities, "id",
                          "Name", 1, 2);
        }
        rs.Close();
        m_ShownPrimary = gridDisability->GetText(1, 2);
        if (keepChoice) {
            gridDisability->SetText(1, 2, chosenPrimary);
            m_PrimaryDisability = chosenPrimary;
        }
    });
    if (!loaded && !PopulateAll)
        markLoadFailed(); // a save now could write a primary disability never shown
    return loaded;
}

void frmBackgroundInfo::loadComboList(const QString& sql, QList<ListEntry>& list,
                                      const QString& idField, const QString& nameField, int Col,
                                      int Row) {
    ExecuteQuery(sql);
    QString items;
    list = {ListEntry{}};
    while (!gRecordset->Eof()) {
        items += gRecordset->Fields(nameField).text() + '\t';
        list.append({gRecordset->Fields(idField).text(), gRecordset->Fields(nameField).text()});
        gRecordset->MoveNext();
    }
    gRecordset.reset();
    gridDisability->setComboList({Col, Row}, items);
}

QStringList frmBackgroundInfo::additionalDisabilities(qint64 LID) {
    // Uses the caller's connection when one is open, else one of its own.
    const ConnectionScope connection(ConnectionScope::ShareOpen);
    ExecuteQuery("SELECT LI.ID, MD.DisabilityID as DisID, D2.Name as Disability"
                 " From  ((Learner_Info as LI  INNER JOIN MultipleDisabilities as MD on  LI.ID = "
                 "MD.LearnerID)"
                 " INNER JOIN Disabilities AS D2 ON MD.DisabilityID = D2.id)"
                 " Where LI.ID = " +
                 QString::number(LID));
    QStringList names;
    while (!gRecordset->Eof()) {
        names << gRecordset->Fields("Disability").text();
        gRecordset->MoveNext();
    }
    gRecordset.reset();
    return names;
}

QString frmBackgroundInfo::loadDis(qint64 LID) {
    return additionalDisabilities(LID).join(", ");
}

void frmBackgroundInfo::checkPrimaryDisability(const QString& name, int id, bool IsLoad,
                                               bool& Conflict) {
    m_PrimaryDisability = name;
    Conflict = false;
    // A conflict is the primary disability's own name among the additional
    // ones; a name that is only part of a longer one is none.
    if (!name.isEmpty() && m_AdditionalDisabilities.contains(name)) {
        if (GetListCode(name, m_Disabilities, qint16(m_Disabilities.size() - 1)) == 0) {
            m_Disabilities.append({QString::number(id), name});
            gridDisability->setComboList({1, 2},
                                         gridDisability->cellFormat(1, 2).comboList + name + '\t');
        }
        if (!IsLoad) {
            gridDisability->setFocus();
            gridDisability->SetActiveCell(3, 2);
            ShowUserMessage(kConflictMessage);
        }
        Conflict = true;
    }
    if (IsLoad)
        gridDisability->SetText(1, 2, name);
}

bool frmBackgroundInfo::saveBackgroundInfo() {
    const QString support = gridEarlyIntervention->GetText(1, 3);
    const QString provider = gridEarlyIntervention->GetText(2, 3);
    const QString contact = gridEarlyIntervention->GetText(3, 3);
    m_PrimaryDisability = gridDisability->GetText(1, 2);
    const QString family = gridFamilySituation->GetText(1, 3);
    const QString parent = gridParent_Understanding->GetText(1, 3);

    bool conflict = false;
    qint16 mainDisID = 0;
    const bool checked = trapErrors(formName(), "saveBackgroundInfo Routine", [&] {
        mainDisID =
            GetListCode(m_PrimaryDisability, m_Disabilities, qint16(m_Disabilities.size() - 1));
        checkPrimaryDisability(m_PrimaryDisability, mainDisID, false, conflict);
    });
    if (!checked || conflict)
        return false; // nothing written, the page stays unsaved

    const QString id = QString::number(gLearnerID);
    const QString year = QString::number(gDataYear);
    const bool blank = allBlank({support, provider, contact, m_PrimaryDisability, family, parent});
    const bool primaryChanged = m_PrimaryDisability != m_ShownPrimary;
    // The year's row and the host's primary disability change together or not at all.
    bool learnerGone = false;
    const bool saved = inTransaction("saveBackgroundInfo Routine", [&](ado::Connection& db) {
        // A learner the host has deleted since the page opened gets no row:
        // nothing of the page could be read for it again.
        ado::Recordset learner;
        learner.Open("SELECT ID FROM Learner_Info WHERE ID = " + id, &db, ado::adOpenKeyset);
        learnerGone = learner.RecordCount() == 0;
        learner.Close();
        if (learnerGone)
            return;
        db.Execute("DELETE TAV_Learner_Background_Info.* FROM TAV_Learner_Background_Info INNER "
                   "JOIN"
                   " Learner_Info on TAV_Learner_Background_Info.LearnerID = Learner_Info.ID " +
                   whereLearnerYear("TAV_Learner_Background_Info"));
        if (blank)
            return;
        db.Execute("INSERT INTO TAV_Learner_Background_Info (LearnerID, "
                   "Nature_Of_Support_Received, Name_Of_Provider, "
                   "Contact_Details, Family_Situation, Parent_Understanding_Of_Child, Data_Year) "
                   "VALUES "
                   "(" +
                   id + "," + quoted(support) + "," + quoted(provider) + "," + quoted(contact) +
                   "," + quoted(family) + "," + quoted(parent) + "," + year + ")");
        if (primaryChanged)
            db.Execute("UPDATE Learner_Info SET Learner_Info.LSENDisabilities = " +
                       QString::number(mainDisID) + " WHERE Learner_Info.ID = " + id);
    });
    if (learnerGone) {
        ShowUserMessage(kLearnerGoneMessage);
        return false;
    }
    if (saved && !blank)
        m_ShownPrimary = m_PrimaryDisability;
    return saved;
}

void frmBackgroundInfo::prepareAdditionalDisabilities(frmMultipleDisabilities& window) {
    // The primary disability the page shows, saved or not: it cannot be
    // ticked as an additional one.
    gridDisability->commitEditor(false);
    window.txtPrimary->setText(gridDisability->GetText(1, 2));
    window.txtLearner->setText(gLearnerName);
    window.setOnUnload([this] { getBackground_Info(false); });
}

void frmBackgroundInfo::gridDisability_ButtonClicked(int col, int row, int) {
    if (col != 3 || row != 2)
        return;
    frmMultipleDisabilities window(this);
    prepareAdditionalDisabilities(window);
    window.exec();
}
