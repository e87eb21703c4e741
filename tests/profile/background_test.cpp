// Section 1 background information: the texts, the primary disability written
// back to the host, the additional disabilities, the conflict check and the
// page print.
#include "profile/frmbackgroundinfo.h"
#include "profile/profileforms.h"
#include "services/formregistry.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"
#include "workspace/frmmultipledisabilities.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>

namespace {

const QString kConflict =
    "User Message: The Primary Disablility is also added as an Additional Disability, please "
    "correct the information before saving.";

class BackgroundInfo : public PageTest {
protected:
    // The page of a learner, loaded and shown.
    std::unique_ptr<frmBackgroundInfo> open(int learnerId) {
        gLearnerID = learnerId;
        auto page = std::make_unique<frmBackgroundInfo>();
        EXPECT_TRUE(showPage(*page));
        return page;
    }
    QString backgroundRow(int learnerId) {
        return learnerYearRows("Nature_Of_Support_Received, Name_Of_Provider, Contact_Details, "
                               "Family_Situation, Parent_Understanding_Of_Child",
                               "TAV_Learner_Background_Info", {}, learnerId)
            .join('/');
    }
    QString primaryId(int learnerId) {
        return rawScalar(
            dbPath,
            QString("SELECT LSENDisabilities FROM Learner_Info WHERE ID = %1").arg(learnerId));
    }
    void storeRow(int learnerId, const QString& values) {
        rawExec(dbPath, QString("INSERT INTO TAV_Learner_Background_Info (LearnerID, "
                                "Nature_Of_Support_Received, Name_Of_Provider, Contact_Details, "
                                "Family_Situation, Parent_Understanding_Of_Child, Data_Year) "
                                "VALUES (%1, %2, 2026)")
                            .arg(learnerId)
                            .arg(values));
    }
    // Types the five texts into their cells (a text of more than one line is
    // pasted, as it is copied in).
    static void fill(frmBackgroundInfo& p, const QStringList& texts) {
        const std::pair<Grid*, int> cells[] = {{p.gridEarlyIntervention, 1},
                                               {p.gridEarlyIntervention, 2},
                                               {p.gridEarlyIntervention, 3},
                                               {p.gridFamilySituation, 1},
                                               {p.gridParent_Understanding, 1}};
        for (int i = 0; i < 5; ++i) {
            const auto [grid, col] = cells[i];
            if (texts[i].contains('\n'))
                user::pasteIntoCell(grid, col, 3, texts[i]);
            else
                user::typeIntoCell(grid, col, 3, texts[i]);
        }
    }
    static QStringList texts(frmBackgroundInfo& p) {
        return {p.gridEarlyIntervention->GetText(1, 3), p.gridEarlyIntervention->GetText(2, 3),
                p.gridEarlyIntervention->GetText(3, 3), p.gridFamilySituation->GetText(1, 3),
                p.gridParent_Understanding->GetText(1, 3)};
    }
    static QStringList names(const frmBackgroundInfo& p) {
        QStringList out;
        for (qsizetype i = 1; i < p.disabilityList().size(); ++i)
            out << p.disabilityList()[i].text;
        return out;
    }
    static QStringList comboItems(frmBackgroundInfo& p) {
        return p.gridDisability->cellFormat(1, 2).comboList.split('\t', Qt::SkipEmptyParts);
    }
};

TEST_F(BackgroundInfo, AnEmptyYearShowsTheDesignAndThePrimaryDisability) {
    auto page = open(3);
    EXPECT_EQ(page->windowTitle(), "RER [Section 1: BACKGROUND INFORMATION ON LEARNER]");
    EXPECT_EQ(page->gridEarlyIntervention->GetText(1, 1), "1.1 Early intervention services");
    EXPECT_EQ(page->gridEarlyIntervention->GetText(1, 2), "Name of support received ");
    EXPECT_EQ(page->gridDisability->GetText(1, 1), "1.2 State disability (if any)");
    EXPECT_EQ(page->gridParent_Understanding->GetText(1, 1),
              "1.4 Parent's understanding of the child");
    EXPECT_EQ(texts(*page), QStringList(5, ""));
    EXPECT_EQ(page->gridDisability->GetText(1, 2), "Behaviour Disorder");
    EXPECT_EQ(page->gridDisability->GetText(2, 2), "");
    EXPECT_EQ(names(*page).size(), 12);
    EXPECT_EQ(comboItems(*page), names(*page));
    EXPECT_EQ(page->disabilityList()[7].code, "7");
    EXPECT_FALSE(page->isUnsaved());
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_TRUE(connectionClosed());
}

TEST_F(BackgroundInfo, TextsRoundTripAndThePrimaryIsWrittenToTheHost) {
    auto page = open(3);
    fill(*page, {"Speech therapy", "O'Hara Clinic", "011 555 0101",
                 "Lives with gran\r\nTwo "
                 "brothers",
                 "Wants him to read"});
    EXPECT_TRUE(page->isUnsaved());
    user::chooseInCell(page->gridDisability, 1, 2, "Deaf");
    user::click(page->cmdSave);
    EXPECT_EQ(shown(), QStringList{kSaved});
    EXPECT_FALSE(page->isUnsaved());
    EXPECT_EQ(primaryId(3), "6");
    EXPECT_EQ(backgroundRow(3), "Speech therapy|O'Hara Clinic|011 555 0101|Lives with "
                                "gran\r\nTwo brothers|Wants him to read");

    // Saving again replaces the row; an empty text is stored as one blank.
    user::typeIntoCell(page->gridEarlyIntervention, 3, 3, "");
    user::click(page->cmdSave);
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM TAV_Learner_Background_Info"), "1");
    EXPECT_EQ(rawScalar(dbPath, "SELECT Contact_Details FROM TAV_Learner_Background_Info"), " ");

    auto again = open(3);
    EXPECT_EQ(again->gridDisability->GetText(1, 2), "Deaf");
    EXPECT_EQ(again->gridFamilySituation->GetText(1, 3), "Lives with gran\r\nTwo brothers");
    EXPECT_EQ(again->gridEarlyIntervention->GetText(2, 3), "O'Hara Clinic");
    // Other learners and years are untouched.
    EXPECT_EQ(primaryId(4), "4");
}

TEST_F(BackgroundInfo, ALearnerWithoutAPrimaryDisabilitySeesAndKeepsTheStoredTexts) {
    for (const QString primary : {"0", "99"}) {
        SCOPED_TRACE(primary.toStdString());
        rawExec(dbPath, "DELETE FROM TAV_Learner_Background_Info");
        rawExec(dbPath, "UPDATE Learner_Info SET LSENDisabilities = " + primary + " WHERE ID = 6");
        storeRow(6, "'Clinic', 'Dept', 'Phone', 'Family', 'Parent'");
        auto page = open(6);
        EXPECT_EQ(texts(*page), (QStringList{"Clinic", "Dept", "Phone", "Family", "Parent"}));
        EXPECT_EQ(page->gridDisability->GetText(1, 2), "");
        EXPECT_EQ(names(*page).size(), 12);

        user::typeIntoCell(page->gridFamilySituation, 1, 3, "Family, updated");
        user::click(page->cmdSave);
        EXPECT_EQ(backgroundRow(6), "Clinic|Dept|Phone|Family, updated|Parent");
        EXPECT_EQ(primaryId(6), primary); // the primary cell was not touched
    }
}

// The host's primary disability is written only when the user changed the
// primary cell: an id the page cannot show survives saves of the other texts.
TEST_F(BackgroundInfo, OnlyAChangedPrimaryCellIsWrittenToTheHost) {
    using namespace user;
    struct Case {
        const char* what;
        QString setUp;
        QString stored;
    };
    const Case cases[] = {
        {"a disability without a name", "UPDATE Disabilities SET Name = NULL WHERE id = 7", "7"},
        {"no primary at all", "UPDATE Learner_Info SET LSENDisabilities = NULL WHERE ID = 7",
         "NULL"},
        {"an id without a disability", "UPDATE Learner_Info SET LSENDisabilities = 42 WHERE ID = 7",
         "42"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(dbPath);
        createDatabaseFromScript(dbPath);
        checkTables();
        rawExec(dbPath, c.setUp);
        auto page = open(7);
        EXPECT_EQ(page->gridDisability->GetText(1, 2), "");
        typeIntoCell(page->gridFamilySituation, 1, 3, "Lives with an aunt");
        click(page->cmdSave);
        typeIntoCell(page->gridEarlyIntervention, 1, 3, "Speech therapy");
        click(page->cmdSave);
        EXPECT_EQ(primaryId(7), c.stored);
        EXPECT_EQ(backgroundRow(7), "Speech therapy| | |Lives with an aunt| ");

        // Choosing a primary writes its id; a blank cell is written as 0.
        chooseInCell(page->gridDisability, 1, 2, "Blind");
        EXPECT_EQ(page->gridDisability->GetText(1, 2), "Blind");
        click(page->cmdSave);
        EXPECT_EQ(primaryId(7), "4");
        chooseInCell(page->gridDisability, 1, 2, "");
        click(page->cmdSave);
        EXPECT_EQ(primaryId(7), "0");
        EXPECT_TRUE(errorProcedures().isEmpty());
    }
}

TEST_F(BackgroundInfo, TheDropDownLeavesOutTheAdditionalDisabilities) {
    auto page = open(8);
    EXPECT_EQ(page->gridDisability->GetText(2, 2),
              "Deaf, Physical Disability, Attention Deficit Disorder");
    EXPECT_EQ(page->gridDisability->GetText(1, 2), "Hard of Hearing");
    const QStringList offered = names(*page);
    EXPECT_EQ(offered.size(), 9);
    for (const char* additional : {"Deaf", "Physical Disability", "Attention Deficit Disorder"})
        EXPECT_FALSE(offered.contains(additional)) << additional;
    EXPECT_EQ(comboItems(*page), offered);
}

TEST_F(BackgroundInfo, ThePrimaryListOpensOnOneClickShowsSixAndOffersABlank) {
    auto page = open(2);
    const QString primary = page->gridDisability->GetText(1, 2);
    ASSERT_FALSE(primary.isEmpty());
    user::clickCell(page->gridDisability, 1, 2);
    auto* list = page->gridDisability->viewport()->findChild<QComboBox*>();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->view()->isVisible());
    ASSERT_GT(list->count(), 8);
    EXPECT_EQ(list->itemText(0), "");
    EXPECT_EQ(list->currentText(), primary);
    // Six items in sight, not all of them.
    const int item = list->view()->sizeHintForRow(1);
    EXPECT_LE(list->view()->viewport()->height(), 7 * item);
    EXPECT_GE(list->view()->viewport()->height(), 5 * item);
    // The blank entry clears the primary disability.
    QTest::keyClick(list->view(), Qt::Key_Home);
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_EQ(page->gridDisability->GetText(1, 2), "");
    EXPECT_TRUE(page->isUnsaved());
    page->markSaved();
}

TEST_F(BackgroundInfo, LoadDisJoinsTheAdditionalNames) {
    struct Case {
        int learner;
        QString expected;
    };
    for (const Case& c : {Case{3, ""}, Case{2, ""} /* the placeholder row only */,
                          Case{4, "Specific Learning Disability"},
                          Case{1, "Behaviour Disorder, Hard of Hearing"}, Case{999, ""}}) {
        EXPECT_EQ(frmBackgroundInfo::loadDis(c.learner), c.expected) << c.learner;
        EXPECT_TRUE(connectionClosed()) << "a connection loadDis opened stays open";
    }
}

TEST_F(BackgroundInfo, APrimaryAlsoAdditionalIsShownOnLoadAndRefusedOnSave) {
    rawExec(dbPath, "INSERT INTO MultipleDisabilities VALUES (1, 1, 'K1001', '2024-03-14')");
    storeRow(1, "'Kept', ' ', ' ', ' ', ' '");
    auto page = open(1);
    // The primary is not offered as such, so it is added at the end of the list.
    EXPECT_EQ(page->gridDisability->GetText(1, 2), "Attention Deficit Disorder");
    EXPECT_EQ(names(*page).last(), "Attention Deficit Disorder");
    EXPECT_EQ(comboItems(*page).last(), "Attention Deficit Disorder");
    EXPECT_EQ(page->disabilityList().last().code, "1");
    EXPECT_TRUE(boxes().isEmpty());

    user::typeIntoCell(page->gridEarlyIntervention, 1, 3, "Changed");
    user::click(page->cmdSave);
    EXPECT_EQ(shown(), QStringList{kConflict});
    EXPECT_TRUE(page->isUnsaved());
    EXPECT_EQ(page->gridDisability->ActiveCol(), 3);
    EXPECT_EQ(page->gridDisability->ActiveRow(), 2);
    EXPECT_EQ(backgroundRow(1), "Kept| | | | ");
    EXPECT_EQ(primaryId(1), "1");
}

TEST_F(BackgroundInfo, APrimaryNamePartOfALongerAdditionalNameIsNoConflict) {
    rawExec(dbPath, "INSERT INTO Disabilities VALUES (13, 'Sighted')");
    rawExec(dbPath, "INSERT INTO MultipleDisabilities VALUES (9, 10, 'K9', '2024-01-01')");
    auto page = open(9);
    EXPECT_EQ(page->gridDisability->GetText(2, 2), "Partially Sighted");
    user::chooseInCell(page->gridDisability, 1, 2, "Sighted");
    user::typeIntoCell(page->gridEarlyIntervention, 1, 3, "Low vision unit");
    user::click(page->cmdSave);
    EXPECT_EQ(shown(), QStringList{kSaved});
    EXPECT_EQ(primaryId(9), "13");
}

TEST_F(BackgroundInfo, BlankValuesDeleteTheRowAndABlankPrimaryIsWrittenAsZero) {
    storeRow(3, "'Old', 'Old', 'Old', 'Old', 'Old'");
    auto page = open(3);
    fill(*page, QStringList(5, "  "));
    user::chooseInCell(page->gridDisability, 1, 2, "");
    user::click(page->cmdSave);
    EXPECT_EQ(shown(), QStringList{kSaved});
    EXPECT_EQ(backgroundRow(3), "");
    EXPECT_EQ(primaryId(3), "3"); // nothing was inserted, so the host row is left alone

    boxes().clear();
    user::typeIntoCell(page->gridFamilySituation, 1, 3, "Only this");
    user::click(page->cmdSave);
    EXPECT_EQ(shown(), QStringList{kSaved});
    EXPECT_EQ(backgroundRow(3), "  |  |  |Only this|  ");
    EXPECT_EQ(primaryId(3), "0");
}

TEST_F(BackgroundInfo, EditsInEveryGridMarkThePageUnsaved) {
    auto page = open(3);
    for (Grid* grid : {page->gridEarlyIntervention, page->gridDisability, page->gridFamilySituation,
                       page->gridParent_Understanding}) {
        boxes().clear();
        user::click(page->cmdSave);
        ASSERT_FALSE(page->isUnsaved());
        if (grid == page->gridDisability)
            user::chooseInCell(grid, 1, 2, "Deaf");
        else
            user::typeIntoCell(grid, 1, grid->MaxRows(), "x");
        EXPECT_TRUE(page->isUnsaved()) << grid->objectName().toStdString();
    }
}

TEST_F(BackgroundInfo, AFailedSaveKeepsTheStoredRowAndTheHostRow) {
    storeRow(3, "'Old', 'Old', 'Old', 'Old', 'Old'");
    // The failure comes after the delete: at the insert, or at the host update.
    for (const char* trigger :
         {"CREATE TRIGGER refuse BEFORE INSERT ON TAV_Learner_Background_Info BEGIN SELECT "
          "RAISE(ABORT, 'disk full'); END",
          "CREATE TRIGGER refuse BEFORE UPDATE ON Learner_Info BEGIN SELECT RAISE(ABORT, 'disk "
          "full'); END"}) {
        SCOPED_TRACE(trigger);
        rawExec(dbPath, trigger);
        boxes().clear();
        auto page = open(3);
        fill(*page, {"New", "New", "New", "New", "New"});
        user::chooseInCell(page->gridDisability, 1, 2, "Deaf");
        user::click(page->cmdSave);
        EXPECT_EQ(errorProcedures(), QStringList{"saveBackgroundInfo Routine"});
        EXPECT_FALSE(shown().contains(kSaved));
        EXPECT_TRUE(page->isUnsaved());
        EXPECT_EQ(backgroundRow(3), "Old|Old|Old|Old|Old");
        EXPECT_EQ(primaryId(3), "3");
        EXPECT_TRUE(connectionClosed());
        rawExec(dbPath, "DROP TRIGGER refuse");
    }
}

// The host deletes the learner while the page is open: the Save writes
// nothing (no second row of the learner-year, no host row) and says why.
TEST_F(BackgroundInfo, ALearnerDeletedWhileThePageIsOpenGetsNothingSaved) {
    using namespace user;
    storeRow(3, "'Old', 'Old', 'Old', 'Old', 'Old'");
    auto page = open(3);
    rawExec(dbPath, "DELETE FROM Learner_Info WHERE ID = 3");
    typeIntoCell(page->gridFamilySituation, 1, 3, " and gran");
    click(page->cmdSave);
    EXPECT_EQ(shown(), QStringList({"User Message: This learner is no longer in the school's "
                                    "database, so nothing was saved."}));
    EXPECT_TRUE(page->isUnsaved());
    EXPECT_EQ(rawRows(dbPath, "SELECT Family_Situation FROM TAV_Learner_Background_Info"),
              QStringList{"Old"});
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM Learner_Info WHERE ID = 3"), "0");
    EXPECT_TRUE(connectionClosed());
}

// A trigger of the file that calls the program's functions fails the Save
// instead of running: learner 1 is not archived, and nothing is written.
TEST_F(BackgroundInfo, ATriggerCallingTheProgramsFunctionsRunsNothing) {
    using namespace user;
    rawExec(dbPath, "CREATE TRIGGER archive AFTER INSERT ON TAV_Learner_Background_Info BEGIN "
                    "UPDATE Learner_Info SET Status = 'A' WHERE ID = cint(len('x')); END");
    auto page = open(3);
    typeIntoCell(page->gridFamilySituation, 1, 3, "Gran");
    click(page->cmdSave);
    EXPECT_EQ(errorProcedures(), QStringList{"saveBackgroundInfo Routine"});
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_EQ(rawScalar(dbPath, "SELECT Status FROM Learner_Info WHERE ID = 1"), "C");
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM TAV_Learner_Background_Info"), "0");

    // A plain trigger of the host's runs with the save.
    rawExec(dbPath, "DROP TRIGGER archive; CREATE TABLE Seen (LearnerID INTEGER, At TEXT);"
                    "CREATE TRIGGER seen AFTER INSERT ON TAV_Learner_Background_Info BEGIN "
                    "INSERT INTO Seen VALUES (NEW.LearnerID, datetime('now')); END");
    boxes().clear();
    click(page->cmdSave);
    EXPECT_EQ(shown(), QStringList{kSaved});
    EXPECT_EQ(rawScalar(dbPath, "SELECT LearnerID FROM Seen"), "3");
}

TEST_F(BackgroundInfo, ClosingTheAdditionalWindowRefreshesTheDisabilitiesOnly) {
    auto page = open(3);
    user::typeIntoCell(page->gridFamilySituation, 1, 3, "Typed, not saved");
    user::chooseInCell(page->gridDisability, 1, 2, "Deaf"); // chosen, not saved

    // The button cell opens the window; the user ticks two, saves, and is done.
    bool sawWindow = false;
    user::whenShown<frmMultipleDisabilities>([&](frmMultipleDisabilities& window) {
        sawWindow = true;
        EXPECT_EQ(window.txtPrimary->text(), "Deaf"); // the one the page shows
        EXPECT_EQ(window.txtLearner->text(), "O'NEILL Lerato");
        for (int i = 0; i < window.lvwDisabilities->count(); ++i) {
            QListWidgetItem* item = window.lvwDisabilities->item(i);
            if (item->text() == "Cerebral Palsy" || item->text() == "Epilepsy")
                user::tickItem(window.lvwDisabilities, item, true);
        }
        user::click(window.cmdSave);
        EXPECT_FALSE(window.isUnsaved());
        user::click(window.cmdDone);
    });
    user::clickCell(page->gridDisability, 3, 2);
    ASSERT_TRUE(sawWindow);

    EXPECT_EQ(page->gridDisability->GetText(2, 2), "Cerebral Palsy, Epilepsy");
    // The page's unsaved choice stays.
    EXPECT_EQ(page->gridDisability->GetText(1, 2), "Deaf");
    EXPECT_EQ(page->gridFamilySituation->GetText(1, 3), "Typed, not saved");
    EXPECT_TRUE(page->isUnsaved());
    EXPECT_EQ(names(*page).size(), 10);
    EXPECT_FALSE(names(*page).contains("Epilepsy"));
    EXPECT_TRUE(connectionClosed());
}

TEST_F(BackgroundInfo, AFailedRefreshRefusesTheNextSave) {
    auto page = open(3);
    rawExec(dbPath, "ALTER TABLE Disabilities RENAME TO D_gone");
    EXPECT_FALSE(page->getBackground_Info(false));
    EXPECT_EQ(errorProcedures(), QStringList{"getBackground_Info Routine"});
    rawExec(dbPath, "ALTER TABLE D_gone RENAME TO Disabilities");
    user::typeIntoCell(page->gridEarlyIntervention, 1, 3, "New");
    boxes().clear();
    user::click(page->cmdSave);
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_EQ(primaryId(3), "3");
    EXPECT_EQ(backgroundRow(3), "");
}

TEST_F(BackgroundInfo, PrintsTheHeadingLearnerAndGrids) {
    storeRow(2, "'Speech therapy', 'Clinic', '011', 'Lives with gran', 'Wants reading'");
    auto page = open(2);
    const QString pdf = clickPrint(*page, "background.pdf");
    EXPECT_TRUE(boxes().isEmpty());
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("EMIS NUMBER: 700123456 [ BACKGROUND INFORMATION OF LEARNER ]"));
    // pdftotext reads the two blanks before ASSESION as one.
    EXPECT_TRUE(text.contains("LEARNER NAME : O'NEILL Lerato ASSESION NUMBER: 006"));
    for (const char* part :
         {"1.1 Early intervention services", "Speech therapy", "1.2 State disability",
          "Autism Spectrum Disorder", "1.3 Family and home situation", "Lives with gran",
          "1.4 Parent's understanding of the child", "Wants reading"})
        EXPECT_TRUE(text.contains(part)) << part;
    EXPECT_EQ(pdfPages(pdf), 1);

    printdialog::setAnswerer(printdialog::cancel);
    user::click(page->cmdPrint);
    EXPECT_EQ(errorProcedures(), QStringList{"Print Routine"});
}

TEST_F(BackgroundInfo, TheSectionOneButtonOpensThePage) {
    registerProfileForms();
    EXPECT_TRUE(isFormRegistered("frmBackgroundInfo"));
}

} // namespace
