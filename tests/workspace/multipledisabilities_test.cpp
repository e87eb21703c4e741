// The additional-disabilities window: the list with its red primary item, the
// learner's rows, and the save that rewrites them.
#include "tests/common/fixture.h"
#include "tests/common/paintprobe.h"
#include "tests/common/user.h"

#include "platform/colors.h"
#include "platform/runtime.h"
#include "platform/savebutton.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "workspace/frmmultipledisabilities.h"

#include <QApplication>
#include <QDateEdit>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <optional>

namespace {

class MultipleDisabilities : public DemoDbTest {
protected:
    void SetUp() override {
        DemoDbTest::SetUp();
        setClockOverride(QDate(2026, 5, 4));
        gLearnerName = "SMITH Megan";
    }

    // Opens the window for a learner the way the background page does, without
    // the modal loop.
    std::unique_ptr<frmMultipleDisabilities> open(int learnerId, const QString& primary) {
        gLearnerID = learnerId;
        auto w = std::make_unique<frmMultipleDisabilities>();
        w->txtPrimary->setText(primary);
        w->txtLearner->setText(gLearnerName);
        w->setOnUnload([this] { ++unloads; });
        w->Form_Load();
        w->Form_Activate();
        EXPECT_TRUE(user::showActive(w.get()));
        return w;
    }

    static QListWidgetItem* item(frmMultipleDisabilities& w, const QString& key) {
        for (int i = 0; i < w.lvwDisabilities->count(); ++i)
            if (frmMultipleDisabilities::itemKey(w.lvwDisabilities->item(i)) == key)
                return w.lvwDisabilities->item(i);
        ADD_FAILURE() << "no item " << key.toStdString();
        return nullptr;
    }
    static QStringList ticked(frmMultipleDisabilities& w) {
        QStringList keys;
        for (int i = 0; i < w.lvwDisabilities->count(); ++i)
            if (w.lvwDisabilities->item(i)->checkState() == Qt::Checked)
                keys << frmMultipleDisabilities::itemKey(w.lvwDisabilities->item(i));
        return keys;
    }
    QStringList rows(int learnerId) {
        return rawRows(dbPath, QString("SELECT LearnerID, DisabilityID, Knumber, Testdate FROM "
                                       "MultipleDisabilities WHERE LearnerID = %1 ORDER BY "
                                       "DisabilityID")
                                   .arg(learnerId));
    }
    // The user ticks or unticks an item with a click and Space.
    static void tick(QListWidgetItem* it, bool on) { user::tickItem(it->listWidget(), it, on); }
    // The user types a date into the date box: a click on its year, then the
    // digits of the year, month and day (each part full goes on to the next).
    static void typeDate(QDateEdit* box, const QDate& date) {
        QApplication::setActiveWindow(box->window());
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
        user::type(date.toString("yyyyMMdd"));
        user::key(Qt::Key_Tab);
    }
    static bool connectionHeld() { return gConnection && gConnection->State() == ado::adStateOpen; }

    int unloads = 0;
};

TEST_F(MultipleDisabilities, LearnerWithoutRowsShowsTheListUntickedWithTodaysDate) {
    auto w = open(3, "Behaviour Disorder");
    EXPECT_EQ(w->windowTitle(), "Multiple Disabilities per Learner");
    // The list's one column.
    ASSERT_EQ(w->lvwDisabilitiesHeader->count(), 1);
    EXPECT_EQ(w->lvwDisabilitiesHeader->model()->headerData(0, Qt::Horizontal).toString(),
              "Disability");
    ASSERT_EQ(w->lvwDisabilities->count(), 12);
    EXPECT_EQ(w->lvwDisabilities->item(0)->text(), "Attention Deficit Disorder");
    EXPECT_EQ(frmMultipleDisabilities::itemKey(w->lvwDisabilities->item(6)), "K7");
    EXPECT_TRUE(ticked(*w).isEmpty());
    EXPECT_EQ(w->txtKNumber->text(), "");
    EXPECT_EQ(w->dtTest->date(), QDate(2026, 5, 4));
    EXPECT_FALSE(w->isUnsaved());
    // Only the primary disability is red.
    for (int i = 0; i < w->lvwDisabilities->count(); ++i)
        EXPECT_EQ(w->isPrimaryItem(w->lvwDisabilities->item(i)), i == 2) << i;
    // The window holds no connection while it waits for the user.
    EXPECT_FALSE(connectionHeld());
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(MultipleDisabilities, LoadsTheLearnersRowsWithKNumberAndDate) {
    auto w = open(1, "Attention Deficit Disorder");
    EXPECT_EQ(ticked(*w), (QStringList{"K3", "K8"}));
    EXPECT_EQ(w->txtKNumber->text(), "K1001");
    EXPECT_EQ(w->dtTest->date(), QDate(2024, 3, 14));
    EXPECT_FALSE(w->isUnsaved()); // loading marks nothing
}

TEST_F(MultipleDisabilities, APrimaryNameMatchingNoDisabilityMakesNoItemRed) {
    auto w = open(6, "Nothing of that name");
    for (int i = 0; i < w->lvwDisabilities->count(); ++i)
        EXPECT_FALSE(w->isPrimaryItem(w->lvwDisabilities->item(i)));
    // The comparison is exact.
    auto w2 = open(6, "epilepsy");
    EXPECT_FALSE(w2->isPrimaryItem(item(*w2, "K7")));
}

TEST_F(MultipleDisabilities, SavingWithNothingTickedWritesThePlaceholderRow) {
    auto w = open(3, "Behaviour Disorder");
    user::typeIntoBox(w->txtKNumber, "K3003");
    typeDate(w->dtTest, QDate(2025, 1, 31));
    EXPECT_EQ(w->dtTest->date(), QDate(2025, 1, 31));
    EXPECT_TRUE(w->isUnsaved());
    user::click(w->cmdSave);
    EXPECT_EQ(rows(3), QStringList{"3|0|K3003|2025-01-31"});
    EXPECT_FALSE(w->isUnsaved());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, "Data Saved");
    EXPECT_EQ(boxes()[0].text, "Your Information has been Saved.");
    EXPECT_FALSE(connectionHeld());

    auto again = open(3, "Behaviour Disorder");
    EXPECT_TRUE(ticked(*again).isEmpty());
    EXPECT_EQ(again->txtKNumber->text(), "K3003");
    EXPECT_EQ(again->dtTest->date(), QDate(2025, 1, 31));
}

TEST_F(MultipleDisabilities, ThreeTicksGiveThreeRowsWithOneKNumberAndDate) {
    auto w = open(1, "Attention Deficit Disorder");
    tick(item(*w, "K3"), false);
    EXPECT_TRUE(w->isUnsaved());
    tick(item(*w, "K2"), true);
    tick(item(*w, "K12"), true);
    typeDate(w->dtTest, QDate(2026, 2, 1));
    user::click(w->cmdSave);
    EXPECT_FALSE(w->isUnsaved());
    EXPECT_EQ(rows(1), (QStringList{"1|2|K1001|2026-02-01", "1|8|K1001|2026-02-01",
                                    "1|12|K1001|2026-02-01"}));
    // Other learners' rows are untouched.
    EXPECT_EQ(rows(8).size(), 3);
}

TEST_F(MultipleDisabilities, ThePrimaryItemCanNeverBeSavedAsAdditional) {
    auto w = open(3, "Behaviour Disorder");
    QListWidgetItem* red = item(*w, "K3");
    ASSERT_TRUE(w->isPrimaryItem(red));
    tick(red, true);
    EXPECT_EQ(red->checkState(), Qt::Unchecked); // undone at once
    EXPECT_FALSE(w->isUnsaved());                // and not an edit
    QTest::mouseClick(w->lvwDisabilities->viewport(), Qt::LeftButton, Qt::NoModifier,
                      w->lvwDisabilities->visualItemRect(red).center());
    EXPECT_FALSE(red->isSelected());

    // Even a tick placed past the handlers is skipped by the save.
    w->lvwDisabilities->blockSignals(true);
    red->setCheckState(Qt::Checked);
    w->lvwDisabilities->blockSignals(false);
    tick(item(*w, "K4"), true);
    user::click(w->cmdSave);
    EXPECT_FALSE(w->isUnsaved());
    EXPECT_EQ(rows(3), QStringList{"3|4| |2026-05-04"});

    // A stored row naming the primary disability is not ticked on load.
    rawExec(dbPath, "INSERT INTO MultipleDisabilities VALUES (3, 3, 'K1', '2024-01-01')");
    auto again = open(3, "Behaviour Disorder");
    EXPECT_EQ(ticked(*again), QStringList{"K4"});
}

TEST_F(MultipleDisabilities, KNumberIsStoredSafelyAndReadBackAsTyped) {
    struct Case {
        QString typed, stored, readBack;
    };
    for (const Case& c : {Case{"K'12 O'Neill", "K'12 O'Neill", "K'12 O'Neill"}, Case{"", " ", " "},
                          Case{"K7; DROP", "K7; DROP", "K7; DROP"}}) {
        auto w = open(3, "Behaviour Disorder");
        user::typeIntoBox(w->txtKNumber, c.typed);
        user::click(w->cmdSave);
        EXPECT_FALSE(w->isUnsaved());
        EXPECT_EQ(rawScalar(dbPath, "SELECT Knumber FROM MultipleDisabilities WHERE LearnerID = 3"),
                  c.stored);
        EXPECT_EQ(open(3, "Behaviour Disorder")->txtKNumber->text(), c.readBack);
    }
}

TEST_F(MultipleDisabilities, UserEditsOfKNumberAndDateMarkUnsaved) {
    auto w = open(3, "Behaviour Disorder");
    user::click(w->txtKNumber);
    user::type("a");
    EXPECT_TRUE(w->isUnsaved());

    auto w2 = open(3, "Behaviour Disorder");
    typeDate(w2->dtTest, QDate(2020, 1, 1));
    EXPECT_TRUE(w2->isUnsaved());
}

TEST_F(MultipleDisabilities, AFailedSaveKeepsTheRowsAndStaysUnsaved) {
    rawExec(dbPath, "CREATE TRIGGER refuse BEFORE INSERT ON MultipleDisabilities "
                    "WHEN NEW.DisabilityID = 12 BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    auto w = open(1, "Attention Deficit Disorder");
    tick(item(*w, "K2"), true);
    tick(item(*w, "K12"), true);
    user::click(w->cmdSave);
    EXPECT_EQ(rows(1), (QStringList{"1|3|K1001|2024-03-14", "1|8|K1001|2024-03-14"}));
    EXPECT_TRUE(w->isUnsaved());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].title.startsWith("Error : "));
    EXPECT_TRUE(boxes()[0].text.contains("disk full"));
    EXPECT_TRUE(boxes()[0].text.contains("Location: frmMultipleDisabilities"));
    EXPECT_TRUE(boxes()[0].text.endsWith("Procedure: Save Data Routine"));
    EXPECT_FALSE(connectionHeld());
}

TEST_F(MultipleDisabilities, LoadFailuresAreReportedPerRoutine) {
    rawExec(dbPath, "ALTER TABLE MultipleDisabilities RENAME TO MD_gone");
    auto w = open(1, "Attention Deficit Disorder");
    EXPECT_EQ(w->lvwDisabilities->count(), 12);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].text.endsWith("Procedure: Get Data Routine"));
    EXPECT_FALSE(connectionHeld());
    // The rows that could not be shown are not replaced by a save.
    rawExec(dbPath, "ALTER TABLE MD_gone RENAME TO MultipleDisabilities");
    tick(item(*w, "K5"), true);
    EXPECT_FALSE(w->cmdSave->isEnabled());
    user::click(w->cmdSave); // a click on a button that is off does nothing
    EXPECT_EQ(rows(1), (QStringList{"1|3|K1001|2024-03-14", "1|8|K1001|2024-03-14"}));
    EXPECT_EQ(boxes().size(), 1);
    rawExec(dbPath, "ALTER TABLE MultipleDisabilities RENAME TO MD_gone");

    boxes().clear();
    rawExec(dbPath, "ALTER TABLE Disabilities RENAME TO D_gone");
    auto w2 = open(1, "Attention Deficit Disorder");
    EXPECT_EQ(w2->lvwDisabilities->count(), 0);
    ASSERT_GE(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].text.endsWith("Procedure: Get Disabilities Routine"));
}

TEST_F(MultipleDisabilities, DoneAsksOnlyWithUnsavedEditsAndCallsTheOpenerBack) {
    auto clean = open(3, "Behaviour Disorder");
    user::click(clean->cmdDone);
    EXPECT_FALSE(clean->isVisible());
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(unloads, 1);

    unloads = 0;
    auto w = open(3, "Behaviour Disorder");
    tick(item(*w, "K5"), true);
    answerAll(msgbox::vbNo);
    user::click(w->cmdDone);
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, "Data has NOT been Saved");
    EXPECT_EQ(unloads, 0);
    EXPECT_EQ(item(*w, "K5")->checkState(), Qt::Checked); // edits kept

    answerAll(msgbox::vbYes);
    user::click(w->cmdDone);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(rows(3), QStringList{}); // nothing saved
}

TEST_F(MultipleDisabilities, ClosingByTheTitleBarAsksLikeDone) {
    auto w = open(3, "Behaviour Disorder");
    tick(item(*w, "K5"), true);
    answerAll(msgbox::vbNo);
    EXPECT_FALSE(w->close()); // the close event a window manager sends
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(boxes().size(), 1);
    EXPECT_EQ(unloads, 0);

    answerAll(msgbox::vbYes);
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(boxes().size(), 2);
    EXPECT_EQ(unloads, 1);
}

// The red that marks the primary disability, in the list and in the key
// below it, reads on a light desktop and on a dark one, and stays a red.
TEST_F(MultipleDisabilities, ThePrimaryRedReadsOnLightAndDarkDesktops) {
    for (const bool darkDesktop : {false, true}) {
        std::optional<DarkDesktop> dark;
        if (darkDesktop)
            dark.emplace();
        auto w = open(3, "Behaviour Disorder");
        QListWidgetItem* primary = item(*w, "K3");
        ASSERT_TRUE(w->isPrimaryItem(primary));
        const QColor red = primary->foreground().color();
        EXPECT_GE(contrastRatio(red, w->lvwDisabilities->palette().color(QPalette::Base)), 4.5)
            << darkDesktop;
        EXPECT_TRUE(red.hslHue() <= 10 || red.hslHue() >= 350) << red.name().toStdString();
        EXPECT_GT(red.red(), red.green() + 60) << red.name().toStdString();
        expectReadable(w.get(), darkDesktop ? "disabilities, dark" : "disabilities, light");
        w->close();
    }
}

} // namespace
