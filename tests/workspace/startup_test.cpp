// Start-up: the data-year window, the learner list and the main menu, worked
// with clicks and keys on the demo school.
#include "tests/common/user.h"
#include "tests/common/workspacetest.h"

#include "platform/colors.h"
#include "platform/grid.h"
#include "platform/runtime.h"
#include "platform/savebutton.h"
#include "profile/frmbackgroundinfo.h"
#include "services/checktables.h"
#include "services/endprogram.h"
#include "services/formregistry.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "workspace/frmrer_main.h"
#include "workspace/frmselectlearner.h"
#include "workspace/frmselectyear.h"
#include "workspace/workspaceforms.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <sqlite3.h>

namespace {

class Startup : public WorkspaceTest {
protected:
    static QStringList column(Grid& grid, int col) {
        QStringList texts;
        for (int row = 1; row <= grid.MaxRows(); ++row)
            texts << grid.GetText(col, row);
        return texts;
    }
    static int rowOf(Grid& grid, const QString& id) {
        return static_cast<int>(column(grid, 1).indexOf(id)) + 1;
    }
    QStringList boxTexts() const {
        QStringList texts;
        for (const auto& b : msgbox::shownBoxes())
            texts << b.title + " | " + b.text;
        return texts;
    }
};

// --- the data-year window ---------------------------------------------------

TEST_F(Startup, YearListRunsFromTheClocksYearDownTo2008) {
    const struct {
        QDate today;
        QStringList years;
    } cases[] = {
        {QDate(2008, 6, 1), {"2008"}},
        {QDate(2011, 1, 1), {"2011", "2010", "2009", "2008"}},
    };
    for (const auto& c : cases) {
        setClockOverride(c.today);
        frmSelectYear w;
        QStringList items;
        for (int i = 0; i < w.cboYear->count(); ++i)
            items << w.cboYear->itemText(i);
        EXPECT_EQ(items, c.years);
        EXPECT_EQ(w.cboYear->currentText(), c.years.first());
        EXPECT_EQ(w.windowTitle(), "RER [Select Data Year]");
    }
}

TEST_F(Startup, TypingIntoTheYearListChangesNothing) {
    setClockOverride(QDate(2011, 3, 1));
    frmSelectYear w;
    ASSERT_TRUE(user::showActive(&w));
    user::tabTo(w.cboYear);
    for (const QString key : {"2", "0", "8", "x"}) {
        user::type(key);
        EXPECT_EQ(w.cboYear->currentText(), "2011") << key.toStdString();
    }
    EXPECT_FALSE(w.cmdContinue->isUnsaved());
}

TEST_F(Startup, ContinueHandsTheYearToTheLearnerWindowAfterClosing) {
    setClockOverride(QDate(2011, 3, 1));
    qint16 yearSeen = 0;
    bool yearWindowGone = false;
    frmSelectYear w;
    ASSERT_TRUE(user::showActive(&w));
    stubForm("frmSelectLearner", [&] {
        yearSeen = gDataYear;
        yearWindowGone = !w.isVisible();
    });

    // Untouched list: the current year.
    user::click(w.cmdContinue);
    EXPECT_EQ(yearSeen, 2011);
    EXPECT_TRUE(yearWindowGone);

    // A year picked from the list marks Continue and is taken.
    frmSelectYear w2;
    ASSERT_TRUE(user::showActive(&w2));
    user::chooseInList(w2.cboYear, "2009");
    EXPECT_TRUE(w2.cmdContinue->isUnsaved());
    user::click(w2.cmdContinue);
    EXPECT_EQ(yearSeen, 2009);
    EXPECT_EQ(opened, QStringList({"frmSelectLearner", "frmSelectLearner"}));
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(ends, 0);
}

TEST_F(Startup, ContinueWithAnEmptyListAsksForAYear) {
    setClockOverride(QDate(2007, 3, 1)); // before the first year: nothing to choose
    stubForm("frmSelectLearner");
    gDataYear = 1999;
    frmSelectYear w;
    ASSERT_TRUE(user::showActive(&w));
    user::click(w.cmdContinue);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, "User Message");
    EXPECT_EQ(boxes()[0].text, "Please select Data year to continue.");
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(gDataYear, 1999);
}

TEST_F(Startup, ReturnToTelluraEndsWithoutTouchingTheDatabase) {
    const QString missing = dir.filePath("never.db");
    SaveSetting("MarvikEmis", "Startup", "Database", missing);
    stubForm("frmSelectLearner");
    frmSelectYear w;
    ASSERT_TRUE(user::showActive(&w));
    user::click(w.cmdCancel);
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(gConnection, nullptr);
    EXPECT_FALSE(QFile::exists(missing));
}

// --- the learner list -------------------------------------------------------

TEST_F(Startup, LoadChecksTablesReadsTheSchoolAndListsCurrentLearners) {
    frmSelectLearner w;
    EXPECT_EQ(w.windowTitle(), "Select Learner");
    EXPECT_TRUE(boxes().isEmpty()) << boxTexts().join("\n").toStdString();
    EXPECT_EQ(rawScalar(dbPath, "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND "
                                "name LIKE 'TAV\\_%' ESCAPE '\\'"),
              "22");
    EXPECT_EQ(gSchoolName, "Kliprivier Combined School");
    EXPECT_EQ(gDistrict, "Riverbend District");
    EXPECT_EQ(gCircuit, "Circuit 7");
    EXPECT_EQ(gEmisCode, "700123456");

    Grid& g = *w.gridLearner;
    const QStringList expected =
        rawRows(dbPath, "SELECT ID FROM Learner_Info WHERE Status = 'C' AND "
                        "(LSENStatus IN (2, 3) OR SocialGrantNo <> '')");
    QStringList ids = column(g, 1);
    EXPECT_EQ(g.MaxRows(), expected.size());
    EXPECT_EQ(w.txtNumber->text(), QString::number(expected.size()));
    QStringList sortedIds = ids, sortedExpected = expected;
    sortedIds.sort();
    sortedExpected.sort();
    EXPECT_EQ(sortedIds, sortedExpected);
    EXPECT_FALSE(ids.contains("17")); // LSEN status 1 without a grant number

    // Surname order without regard to case: "de Beer" among the Ds.
    const QStringList names = column(g, 2);
    for (int i = 1; i < names.size(); ++i)
        EXPECT_LE(names[i - 1].compare(names[i], Qt::CaseInsensitive), 0)
            << names[i - 1].toStdString() << " before " << names[i].toStdString();
    const int deBeer = rowOf(g, "1");
    ASSERT_GT(deBeer, 1);
    ASSERT_LT(deBeer, names.size());
    EXPECT_TRUE(names[deBeer - 2].startsWith("C")) << names[deBeer - 2].toStdString();
    EXPECT_TRUE(names[deBeer].startsWith("D")) << names[deBeer].toStdString();

    // One learner's row: surname in capitals, accession number, grade name, birth date.
    EXPECT_EQ(g.GetText(2, deBeer), "DE BEER Thabo");
    EXPECT_EQ(g.GetText(3, deBeer), "003");
    EXPECT_EQ(g.GetText(4, deBeer), "Grade R");
    EXPECT_EQ(g.GetText(5, deBeer), "20080101");
    EXPECT_EQ(g.ColWidth(1), 0);
    for (int col = 2; col <= 5; ++col)
        EXPECT_TRUE(g.cellLocked(col, deBeer)) << col;
    EXPECT_EQ(g.GetText(2, 0), "Name of Learner");
}

TEST_F(Startup, ArchivedLearnersOnlyWithTheArchivedOption) {
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    const QStringList current = column(*w.gridLearner, 1);
    user::click(w.optArchived);
    const QStringList archived = column(*w.gridLearner, 1);
    EXPECT_EQ(archived.size(), rawScalar(dbPath, "SELECT COUNT(*) FROM Learner_Info WHERE Status "
                                                 "= 'A' AND (LSENStatus IN (2, 3) OR "
                                                 "SocialGrantNo <> '')")
                                   .toInt());
    EXPECT_TRUE(archived.contains("5"));
    for (const QString& id : archived) {
        EXPECT_EQ(rawScalar(dbPath, "SELECT Status FROM Learner_Info WHERE ID = " + id), "A");
        EXPECT_FALSE(current.contains(id));
    }
    EXPECT_EQ(w.txtNumber->text(), QString::number(archived.size()));
    user::click(w.optCurrent);
    EXPECT_EQ(column(*w.gridLearner, 1), current);
}

TEST_F(Startup, NullsReadAsEmptyTextAndLargeIdsAreServed) {
    rawExec(dbPath, "UPDATE General_Info SET District = NULL, EmisCode = NULL;"
                    "UPDATE Learner_Info SET ID = 40000, FName = NULL, AccessionNo = NULL, "
                    "BirthDate = NULL, Grade = 99 WHERE ID = 1;");
    gDistrict = "stale";
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    EXPECT_EQ(gSchoolName, "Kliprivier Combined School");
    EXPECT_EQ(gDistrict, "");
    EXPECT_EQ(gEmisCode, "");
    Grid& g = *w.gridLearner;
    const int row = rowOf(g, "40000");
    ASSERT_GT(row, 0);
    EXPECT_EQ(g.GetText(2, row).trimmed(), "DE BEER");
    EXPECT_EQ(g.GetText(3, row), "");
    EXPECT_EQ(g.GetText(4, row), ""); // grade without a SchoolGrades row
    EXPECT_EQ(g.GetText(5, row), "");
    user::clickCell(&g, 2, row);
    EXPECT_EQ(gLearnerID, 40000);
    EXPECT_EQ(gAccessionNo, "");
}

TEST_F(Startup, NoLearnersGivesAnEmptyListWithCountZero) {
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    ASSERT_GT(w.gridLearner->MaxRows(), 0);
    rawExec(dbPath, "UPDATE Learner_Info SET Status = 'A'");
    user::click(w.optCurrent);
    EXPECT_EQ(w.gridLearner->MaxRows(), 0);
    EXPECT_EQ(w.txtNumber->text(), "0");
    // Searching an empty list, even with a search text.
    user::typeIntoBox(w.txtSearch, "003");
    user::click(w.Command1);
    EXPECT_EQ(boxTexts(), QStringList({"User Message | You have no items to search for."}));
}

TEST_F(Startup, ClickingARowSelectsTheLearnerAndTheHeaderRowDoesNothing) {
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    Grid& g = *w.gridLearner;
    const int row = rowOf(g, "2");
    gLearnerID = 7;
    gLearnerName = "KEEP";
    user::clickHeader(&g, 3);
    EXPECT_EQ(gLearnerID, 7);
    EXPECT_EQ(gLearnerName, "KEEP");
    EXPECT_TRUE(w.m_Name.isEmpty());

    user::clickCell(&g, 4, row); // the column does not matter
    EXPECT_EQ(gLearnerID, 2);
    EXPECT_EQ(gLearnerName, "O'NEILL Lerato");
    EXPECT_EQ(gAccessionNo, "006");
    EXPECT_EQ(gBirthDate, "20090608");
    EXPECT_EQ(w.m_Grade, "Grade 1");
}

TEST_F(Startup, SearchLooksOnlyInTheChosenColumn) {
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    Grid& g = *w.gridLearner;
    const int oNeill = rowOf(g, "2");
    const struct {
        bool byName;
        QString term;
        int hitRow; // 0: not found
    } cases[] = {
        {false, "006", oNeill},  {false, "O'NEILL", 0}, // stands only in the name column
        {true, "o'nei", oNeill},                        // start of the name, any case
        {true, "006", 0},                               // stands only in the accession column
        {true, "nobody", 0},
    };
    for (const auto& c : cases) {
        boxes().clear();
        user::click(c.byName ? w.optName : w.optAssNo);
        user::typeIntoBox(w.txtSearch, c.term);
        user::click(w.Command1);
        if (c.hitRow) {
            EXPECT_TRUE(boxes().isEmpty()) << c.term.toStdString();
            EXPECT_EQ(g.ActiveRow(), c.hitRow) << c.term.toStdString();
            EXPECT_EQ(g.ActiveCol(), c.byName ? 2 : 3) << c.term.toStdString();
        } else {
            EXPECT_EQ(boxTexts(), QStringList({"User Message | Your search word was not found."}))
                << c.term.toStdString();
        }
    }
    EXPECT_TRUE(w.m_Name.isEmpty()); // a search selects no learner

    boxes().clear();
    user::typeIntoBox(w.txtSearch, "   ");
    user::key(Qt::Key_Return); // Enter searches as the button does
    EXPECT_EQ(boxTexts(), QStringList({"User Message | You must enter a search term."}));
}

TEST_F(Startup, TheRowThatLooksSelectedIsTheLearnerTheButtonsActOn) {
    stubForm("frmRER_Main");
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    Grid& g = *w.gridLearner;
    const auto selectedRows = [&] {
        QList<int> rows;
        for (const QModelIndex& index : g.selectionModel()->selectedRows())
            rows << index.row() + 1;
        return rows;
    };
    EXPECT_TRUE(selectedRows().isEmpty());
    const int oNeill = rowOf(g, "2");
    user::clickCell(&g, 2, oNeill);
    EXPECT_EQ(w.m_Name, "O'NEILL Lerato");
    EXPECT_EQ(selectedRows(), QList<int>{oNeill});
    // The arrow keys move the cursor, not the selection.
    user::key(Qt::Key_Down);
    user::key(Qt::Key_Down);
    EXPECT_EQ(selectedRows(), QList<int>{oNeill});

    // A search marks the row it found, which is not selected; the selection
    // stays the clicked learner's, the one Support Needs Assessment opens.
    const int other = oNeill == 1 ? 2 : 1;
    user::click(w.optName);
    user::typeIntoBox(w.txtSearch, g.GetText(2, other).left(4));
    user::click(w.Command1);
    EXPECT_EQ(g.ActiveRow(), other);
    EXPECT_NE(g.cellBackColor(2, other), vbWhite);
    EXPECT_EQ(selectedRows(), QList<int>{oNeill});
    EXPECT_EQ(w.m_Name, "O'NEILL Lerato");
    // Clicking the found row selects it; the mark goes.
    user::clickCell(&g, 3, other);
    EXPECT_EQ(selectedRows(), QList<int>{other});
    EXPECT_EQ(g.cellBackColor(2, other), vbWhite);
    EXPECT_EQ(w.m_ID, g.GetText(1, other));

    // Another list without the selected learner: no row selected, and no
    // learner for Support Needs Assessment.
    user::clickCell(&g, 2, oNeill);
    user::click(w.optArchived);
    EXPECT_EQ(rowOf(g, "2"), 0);
    EXPECT_TRUE(selectedRows().isEmpty());
    boxes().clear();
    user::click(w.cmdSupport);
    EXPECT_EQ(boxTexts(), QStringList({"User Message | Please select the Learner to continue."}));
    EXPECT_TRUE(opened.isEmpty());
    user::click(w.optCurrent);
    EXPECT_TRUE(selectedRows().isEmpty());

    // A list filled again with the selected learner on it shows that learner's row.
    user::clickCell(&g, 2, oNeill);
    user::click(w.optCurrent);
    EXPECT_EQ(selectedRows(), QList<int>{oNeill});
    // Back from the main menu no learner is selected, and no row looks it.
    user::click(w.cmdSupport);
    EXPECT_EQ(opened, QStringList{"frmRER_Main"});
    EXPECT_TRUE(w.m_Name.isEmpty());
    EXPECT_TRUE(selectedRows().isEmpty());
}

// The learner key is the host's ID exactly, 64 bits wide; a learner whose ID
// is no whole number is listed but cannot be chosen, so that nothing is ever
// saved under another learner's key (learner 8's, for "8a" and 8.7).
TEST_F(Startup, OnlyALearnerWithAWholeNumberIdCanBeChosenAndItsKeyIsThatNumber) {
    // A host table whose ID column takes any value.
    rawExec(dbPath,
            "ALTER TABLE Learner_Info RENAME TO Learner_Old;"
            "CREATE TABLE Learner_Info (ID, FName TEXT, SName TEXT, Grade INTEGER, "
            "AccessionNo TEXT, BirthDate TEXT, Status TEXT, LSENStatus INTEGER, SocialGrantNo "
            "TEXT, LSENDisabilities INTEGER, LearnerID INTEGER);"
            "INSERT INTO Learner_Info SELECT * FROM Learner_Old; DROP TABLE Learner_Old;"
            "INSERT INTO Learner_Info (ID, FName, SName, Grade, AccessionNo, BirthDate, Status, "
            "LSENStatus, SocialGrantNo, LSENDisabilities) VALUES "
            "('8a', 'Text', 'Odd', 1, 'T1', '20100101', 'C', 2, '', 1),"
            "(8.7, 'Fraction', 'Odd', 1, 'T2', '20100101', 'C', 2, '', 1),"
            "(NULL, 'Nothing', 'Odd', 1, 'T3', '20100101', 'C', 2, '', 1),"
            "(2147483648, 'Two31', 'Big', 1, 'T4', '20100101', 'C', 2, '', 1),"
            "(4294967304, 'Two32', 'Big', 1, 'T5', '20100101', 'C', 2, '', 1),"
            "(12.0, 'Whole', 'Real', 1, 'T6', '20100101', 'C', 2, '', 1);");
    checkTables();
    rawExec(dbPath, "INSERT INTO TAV_Learner_Background_Info (LearnerID, Family_Situation, "
                    "Data_Year) VALUES (8, 'Zanele''s own', 2026)");
    gDataYear = 2026;
    stubForm("frmRER_Main");
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    Grid& g = *w.gridLearner;
    const auto rowNamed = [&](const QString& name) {
        return static_cast<int>(column(g, 2).indexOf(name)) + 1;
    };

    const struct {
        QString name;
        QString says;
    } refused[] = {{"ODD Text", "the learner's ID (8a) is not a whole number"},
                   {"ODD Fraction", "the learner's ID (8.7) is not a whole number"},
                   {"ODD Nothing", "the learner has no ID"}};
    user::clickCell(&g, 2, rowOf(g, "2"));
    ASSERT_EQ(gLearnerID, 2);
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name.toStdString());
        const int row = rowNamed(c.name);
        ASSERT_GT(row, 0) << "listed";
        boxes().clear();
        user::clickCell(&g, 2, row);
        ASSERT_EQ(boxes().size(), 1);
        EXPECT_EQ(boxes()[0].title, "User Message");
        EXPECT_TRUE(boxes()[0].text.startsWith(c.name + " cannot be selected: " + c.says +
                                               " in the school's database"))
            << boxes()[0].text.toStdString();
        EXPECT_EQ(gLearnerID, 2);
        EXPECT_TRUE(w.m_Name.isEmpty());
        EXPECT_TRUE(g.selectionModel()->selectedRows().isEmpty());
        boxes().clear();
        user::click(w.cmdSupport);
        EXPECT_EQ(boxTexts(),
                  QStringList({"User Message | Please select the Learner to continue."}));
    }
    EXPECT_TRUE(opened.isEmpty());

    // Whole numbers beyond 32 bits are keys of their own; a whole number
    // stored with a fraction part of 0 is that number.
    const struct {
        QString name;
        qint64 key;
        QString text;
    } chosen[] = {{"BIG Two31", 2147483648LL, "thirty-one"},
                  {"BIG Two32", 4294967304LL, "thirty-two"},
                  {"REAL Whole", 12, "twelve"}};
    for (const auto& c : chosen) {
        SCOPED_TRACE(c.name.toStdString());
        boxes().clear();
        user::clickCell(&g, 2, rowNamed(c.name));
        EXPECT_TRUE(boxes().isEmpty());
        EXPECT_EQ(gLearnerID, c.key);
        EXPECT_EQ(w.m_Name, c.name);
        frmBackgroundInfo page;
        page.Form_Load();
        ASSERT_TRUE(user::showActive(&page));
        user::typeIntoCell(page.gridFamilySituation, 1, 3, c.text);
        user::click(page.cmdSave);
        EXPECT_EQ(boxTexts(), QStringList({"User Message | Your Information has been saved."}));
        page.close();
        QApplication::setActiveWindow(&w);
    }
    EXPECT_EQ(rawRows(dbPath, "SELECT LearnerID, Family_Situation FROM "
                              "TAV_Learner_Background_Info ORDER BY LearnerID"),
              QStringList({"8|Zanele's own", "12|twelve", "2147483648|thirty-one",
                           "4294967304|thirty-two"}));
}

TEST_F(Startup, SupportNeedsAssessmentOpensTheMenuForTheClickedLearner) {
    QString caption, label;
    registerForm("frmRER_Main", [&] {
        opened << "frmRER_Main";
        frmRER_Main menu;
        caption = menu.windowTitle();
        label = menu.lblLearner->text();
        EXPECT_TRUE(user::showActive(&menu));
        user::click(menu.cmdMainMenu);
        return QString();
    });
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    user::click(w.cmdSupport);
    EXPECT_EQ(boxTexts(), QStringList({"User Message | Please select the Learner to continue."}));
    EXPECT_TRUE(opened.isEmpty());

    boxes().clear();
    user::clickCell(w.gridLearner, 2, rowOf(*w.gridLearner, "1"));
    user::click(w.cmdSupport);
    EXPECT_EQ(opened, QStringList({"frmRER_Main"}));
    EXPECT_EQ(caption, "Support needs assessment [MAIN MENU] Learner : DE BEER Thabo");
    EXPECT_EQ(label, "DE BEER Thabo : Acc Number: 003");
    EXPECT_TRUE(boxes().isEmpty());

    // Back on the list: same rows, but a learner must be clicked again.
    const QStringList rowsBefore = column(*w.gridLearner, 1);
    user::click(w.cmdSupport);
    EXPECT_EQ(boxTexts(), QStringList({"User Message | Please select the Learner to continue."}));
    EXPECT_EQ(opened.size(), 1);
    EXPECT_EQ(column(*w.gridLearner, 1), rowsBefore);
    EXPECT_EQ(gLearnerID, 1); // the program-wide learner stays until the next click
}

TEST_F(Startup, ReportButtonsOpenTheirWindowsByName) {
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    // Not there yet: the plain message.
    user::click(w.cmdReports);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, "User Message");
    EXPECT_TRUE(boxes()[0].text.contains("not available yet"));

    QString accession;
    stubForm("frmReportSelect");
    stubForm("frmReportOptions", [&] { accession = gReportOptionsRequest.txtAccession; });
    user::click(w.cmdReports);
    gReportOptionsRequest.txtAccession = "stale";
    user::click(w.btnPrint); // no learner clicked: no accession number
    EXPECT_EQ(accession, "");
    EXPECT_EQ(gReportOptionsRequest.strReportName, "LearnerProfile");
    user::clickCell(w.gridLearner, 2, rowOf(*w.gridLearner, "2"));
    user::click(w.btnPrint);
    EXPECT_EQ(accession, "006");
    EXPECT_EQ(opened, QStringList({"frmReportSelect", "frmReportOptions", "frmReportOptions"}));
    EXPECT_TRUE(w.m_AccNo.isEmpty()); // active again after the window closed
}

TEST_F(Startup, AppendPreviousYearInformationAsksBeforeTheRollOver) {
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    boxes().clear();
    answerAll(msgbox::vbNo);
    user::click(w.cmdRoll);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, "User Warning");
    EXPECT_TRUE(boxes()[0].text.endsWith("Append?"));
}

TEST_F(Startup, DoneAndClosingEndTheProgram) {
    frmSelectLearner w;
    ASSERT_TRUE(user::showActive(&w));
    user::click(w.cmdMenu);
    EXPECT_EQ(ends, 1);
    frmSelectLearner w2;
    w2.show();
    w2.close(); // the close event a window manager sends
    EXPECT_EQ(ends, 2);
}

TEST_F(Startup, AMissingDatabaseEndsCleanlyAndCreatesNoFile) {
    const QString missing = dir.filePath("moved/away.db");
    const struct {
        QString setting;
        QString mentions;
    } cases[] = {{missing, missing}, {"", "No database is set"}};
    for (const auto& c : cases) {
        boxes().clear();
        ends = 0;
        SaveSetting("MarvikEmis", "Startup", "Database", c.setting);
        setClockOverride(QDate(2011, 3, 1));
        // The whole start: data year, Continue, the learner window's load.
        frmSelectYear year;
        ASSERT_TRUE(user::showActive(&year));
        user::click(year.cmdContinue);
        EXPECT_EQ(ends, 1);
        ASSERT_EQ(boxes().size(), 2) << boxTexts().join("\n").toStdString();
        EXPECT_TRUE(boxes()[0].title.startsWith("Error : "));
        EXPECT_TRUE(boxes()[0].text.endsWith("Procedure: Database Access Error"));
        EXPECT_EQ(boxes()[1].title, "User Message");
        EXPECT_TRUE(boxes()[1].text.contains(c.mentions)) << boxes()[1].text.toStdString();
        EXPECT_TRUE(boxes()[1].text.contains("cannot continue"));
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"school.db"}));
}

// Every connection the program opens gets this pragma (when set).
QByteArray gConnectionPragma;
int applyConnectionPragma(sqlite3* db, const char**, const sqlite3_api_routines*) {
    if (!gConnectionPragma.isEmpty())
        sqlite3_exec(db, gConnectionPragma.constData(), nullptr, nullptr, nullptr);
    return SQLITE_OK;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

TEST_F(Startup, AFileThatIsNotTheSchoolsDatabaseIsReportedAndLeftAsItWas) {
    struct Case {
        const char* what;
        QByteArray content; // written as it stands, or the SQL of a database
        bool sql;
    };
    const Case cases[] = {
        {"an empty file", "", false},
        {"another program's database", "CREATE TABLE Orders (ID INTEGER, Item TEXT);", true},
        {"a text file", "Learner_Info, General_Info\nnot a database at all\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir other;
        const QString path = other.filePath("setting names this.db");
        if (c.sql) {
            QFile script(other.filePath("other.sql"));
            ASSERT_TRUE(script.open(QIODevice::WriteOnly));
            script.write(c.content);
            script.close();
            createDatabaseFromScript(path, script.fileName());
            script.remove();
        } else {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.content);
        }
        const QByteArray before = fileBytes(path);
        SaveSetting("MarvikEmis", "Startup", "Database", path);
        boxes().clear();
        ends = 0;

        frmSelectLearner w;
        EXPECT_EQ(ends, 1);
        ASSERT_EQ(boxes().size(), 2) << boxTexts().join("\n").toStdString();
        EXPECT_TRUE(boxes()[0].title.startsWith("Error : "));
        EXPECT_TRUE(boxes()[0].text.contains("The file " + path + ", named by the setting"))
            << boxes()[0].text.toStdString();
        EXPECT_TRUE(boxes()[0].text.contains("is not the school's database"));
        EXPECT_TRUE(boxes()[0].text.endsWith("Procedure: Database Access Error"));
        EXPECT_TRUE(boxes()[1].text.contains("cannot continue"));
        EXPECT_EQ(w.gridLearner->MaxRows(), 0);
        EXPECT_EQ(fileBytes(path), before);
        EXPECT_EQ(QDir(other.path()).entryList(QDir::Files), QStringList{"setting names this.db"});
    }

    // The school's database starts as it always did.
    SaveSetting("MarvikEmis", "Startup", "Database", dbPath);
    boxes().clear();
    ends = 0;
    frmSelectLearner w;
    EXPECT_EQ(ends, 0);
    EXPECT_TRUE(boxes().isEmpty()) << boxTexts().join("\n").toStdString();
    EXPECT_GT(w.gridLearner->MaxRows(), 0);
}

TEST_F(Startup, ATableCheckThatCannotWriteTheFileReportsOnceAndEnds) {
    ASSERT_EQ(sqlite3_auto_extension(reinterpret_cast<void (*)()>(applyConnectionPragma)),
              SQLITE_OK);
    struct Case {
        const char* what;
        QByteArray pragma;
        bool locked;
        const char* says;
    };
    const Case cases[] = {
        {"read-only", "PRAGMA query_only = 1", false, "readonly"},
        {"disk full", "PRAGMA max_page_count = 1", false, "full"},
        {"locked by another program", "", true, "locked"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(dbPath);
        createDatabaseFromScript(dbPath);
        dropProgramTables(dbPath); // the host's database before the program's first start
        const QByteArray before = fileBytes(dbPath);
        sqlite3* other = nullptr;
        if (c.locked) {
            sqlite3_open_v2(dbPath.toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr);
            ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        }
        gConnectionPragma = c.pragma;
        boxes().clear();
        ends = 0;

        frmSelectLearner w;
        gConnectionPragma.clear();
        if (other) {
            sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(other);
        }
        // One report, not one per table.
        EXPECT_EQ(ends, 1);
        ASSERT_EQ(boxes().size(), 2) << boxTexts().join("\n").toStdString();
        EXPECT_TRUE(boxes()[0].text.contains(c.says)) << boxes()[0].text.toStdString();
        EXPECT_TRUE(boxes()[0].text.endsWith("Procedure: checkTables Routine"));
        EXPECT_TRUE(boxes()[1].text.contains("cannot continue"));
        EXPECT_EQ(w.gridLearner->MaxRows(), 0);
        // Nothing half-made: no table of the program's.
        EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM sqlite_master WHERE name LIKE 'TAV%'"),
                  "0");
        EXPECT_EQ(fileBytes(dbPath), before);
    }
    sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(applyConnectionPragma));
}

TEST_F(Startup, AFailingStartUpReadIsReportedAndEndsTheProgram) {
    rawExec(dbPath, "ALTER TABLE General_Info RENAME COLUMN EmisCode TO Emis");
    frmSelectLearner w;
    EXPECT_EQ(ends, 1);
    ASSERT_EQ(boxes().size(), 1) << boxTexts().join("\n").toStdString();
    EXPECT_TRUE(boxes()[0].title.startsWith("Error : "));
    EXPECT_TRUE(boxes()[0].text.endsWith("Location: frmSelectLearner\r\nProcedure: "
                                         "getSchoolInfo Routine"))
        << boxes()[0].text.toStdString();
    EXPECT_EQ(w.gridLearner->MaxRows(), 0); // the list is not filled after it
    EXPECT_TRUE(w.ended());
}

// --- the main menu ----------------------------------------------------------

TEST_F(Startup, MainMenuShowsOneStageAtATime) {
    gLearnerName = "SMITH Megan";
    gAccessionNo = "027";
    frmRER_Main m;
    EXPECT_EQ(m.windowTitle(), "Support needs assessment [MAIN MENU] Learner : SMITH Megan");
    // The menu's picture: learners (in their blue) on the band.
    const QImage picture = m.Image1->grab().toImage();
    int learnerPixels = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            learnerPixels += picture.pixelColor(x, y) == QColor(0x2d, 0x5f, 0x9a);
    EXPECT_GT(learnerPixels, 1000);
    const auto shown = [&] {
        QString s;
        for (int k = 0; k < 4; ++k)
            s += QString("%1%2%3 ")
                     .arg(m.subMenus[k]->isHidden() ? '-' : 'F')
                     .arg(m.lines[k]->isHidden() ? '-' : 'L')
                     .arg(m.stageButtons[k]->BackColor() == vbYellow ? 'Y' : '-');
        return s.trimmed();
    };
    EXPECT_EQ(shown(), "--- --- --- ---");
    ASSERT_TRUE(user::showActive(&m));
    user::click(m.cmdStage3);
    EXPECT_EQ(shown(), "--- --- FLY ---");
    EXPECT_EQ(m.fraStage3->geometry(), QRect(twips(4800), twips(700), twips(5450), twips(2775)));
    user::click(m.cmdStage1);
    EXPECT_EQ(shown(), "FLY --- --- ---");
    EXPECT_EQ(m.fraStage1->geometry(), QRect(twips(4800), twips(700), twips(4600), twips(2775)));
    m.show_Sub_Menu(0);
    m.show_Sub_Menu(5);
    EXPECT_EQ(shown(), "FLY --- --- ---");
}

TEST_F(Startup, SectionButtonsOpenTheirFirstPages) {
    frmRER_Main m;
    ASSERT_TRUE(user::showActive(&m));
    // The stage, then its section.
    const struct {
        QPushButton* stage;
        QPushButton* section;
        QString page;
    } cases[] = {
        {m.cmdStage1, m.cmdBackground, "frmBackgroundInfo"},
        {m.cmdStage1, m.cmdDiagnosticProfile, "frmHealthReport"},
        {m.cmdStage2, m.cmdExtendedProfile, "frmExtendedProfile1"},
        {m.cmdStage2, m.cmdISP, "frmISP"},
        {m.cmdStage3, m.cmdSection3a, "frmAssessment_Support_Reg1"},
        {m.cmdStage3, m.cmdSection3b, "frmSchoolRequestSupport"},
        {m.cmdStage4, m.cmdSection4, "frmActionPlan"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page.toStdString());
        opened.clear();
        stubForm(c.page);
        user::click(c.stage);
        user::click(c.section);
        EXPECT_EQ(opened, QStringList({c.page}));
    }
}

} // namespace
