// The pages whose Save runs several routines (the five kinds of the support
// plan, the five areas of the school request, Section 3a pages 1 and 4,
// action plan pages 2 and 3), on the demo's assessed learner: a Save cut off
// before its end leaves the learner-year as it was, one that ends is in the
// file whole, and a routine that fails is undone alone.
#include "support/frmisp.h"
#include "support/supportforms.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"

#include <QDate>
#include <QFile>
#include <memory>

namespace {

class WholeSave : public PageTest {
protected:
    bool wholeDemo() const override { return true; }
    void SetUp() override {
        PageTest::SetUp();
        registerSupportForms();
        gLearnerID = 8; // Zanele Dlamini: every section filled in the current year
        gDataYear = qint16(QDate::currentDate().year());
        gLearnerName = "DLAMINI Zanele";
        gAccessionNo = "024";
    }

    // Every section table's rows of the learner-year, all columns but the key.
    QStringList learnerYear() {
        QStringList all;
        for (const SectionTable& table : kSectionTables) {
            QStringList columns = rawRows(
                dbPath, QString("SELECT name FROM pragma_table_info('%1') WHERE name <> 'ID' "
                                "ORDER BY cid")
                            .arg(table.name));
            for (QString& c : columns)
                c = "quote([" + c + "])";
            for (const QString& row :
                 learnerYearRows(columns.join(", "), table.name, " ORDER BY " + columns.join(", "),
                                 8, gDataYear))
                all << QString(table.name) + ": " + row;
        }
        return all;
    }
    void clearLearnerYear() {
        for (const SectionTable& table : kSectionTables)
            rawExec(dbPath, QString("DELETE FROM %1 WHERE LearnerID = 8 AND Data_Year = %2")
                                .arg(table.name)
                                .arg(gDataYear));
    }

    CommitFailures commits; // before the test's first connection
};

} // namespace

TEST_F(WholeSave, ASaveCutOffLeavesTheLearnerYearAsItWasAndOneThatEndsIsWhole) {
    for (const char* name : {"frmISP", "frmSchoolRequestSupport", "frmAssessment_Support_Reg1",
                             "frmAssessment_Support_Reg4", "frmActionPlan2", "frmActionPlan3"}) {
        SCOPED_TRACE(name);
        // The whole demo again for each page.
        QFile::remove(dbPath);
        createDatabaseFromScript(dbPath);
        checkTables();
        ASSERT_TRUE(registeredPages().contains(name));
        std::unique_ptr<AssessmentPage> page = registeredPages().value(name)();
        page->Form_Load();
        ASSERT_FALSE(page->loadFailed());
        ASSERT_TRUE(user::showActive(page.get()));
        // The page shows the learner-year it loaded; the file holds none of it.
        clearLearnerYear();
        const QStringList before = learnerYear();

        // Cut off at the commit of the Save: nothing of it is in the file.
        boxes().clear();
        commits.failFrom(1);
        user::click(page->cmdSave);
        EXPECT_EQ(learnerYear(), before);
        EXPECT_EQ(errorProcedures(), QStringList({"cmdSave_Click Routine"}));

        // Cut off after a first commit: the Save has made its only one, and
        // every routine's rows are in the file.
        boxes().clear();
        commits.failFrom(2);
        user::click(page->cmdSave);
        EXPECT_EQ(commits.commits(), 1);
        EXPECT_EQ(shown(), QStringList({kSaved}));
        const QStringList saved = learnerYear();
        EXPECT_NE(saved, before);

        // The same as a Save that nothing cut off.
        commits.failFrom(0);
        clearLearnerYear();
        user::click(page->cmdSave);
        EXPECT_EQ(learnerYear(), saved);
        page->hide();
    }
}

// A text holding a NUL that reaches the data layer fails its own routine
// cleanly: the other kinds are saved, that kind keeps its stored rows.
TEST_F(WholeSave, AKindHoldingANulIsRefusedAndTheOtherKindsAreSaved) {
    const auto kind = [&](int k) {
        return rawRows(dbPath, QString("SELECT Target FROM TAV_ISP WHERE LearnerID = 8 AND "
                                       "Data_Year = %1 AND [Action] = %2 ORDER BY ID")
                                   .arg(gDataYear)
                                   .arg(k));
    };
    const QStringList third = kind(3);
    ASSERT_FALSE(third.isEmpty());
    frmISP page;
    ASSERT_TRUE(showPage(page));
    page.previewGrid(1)->SetText(1, frmISP::kFirstDataRow, "First kind, changed");
    page.previewGrid(3)->SetText(1, frmISP::kFirstDataRow, QString("Half") + QChar(0) + "way");
    page.previewGrid(5)->SetText(1, frmISP::kFirstDataRow, "Fifth kind, changed");
    page.markUnsaved();
    user::click(page.cmdSave);
    EXPECT_EQ(errorProcedures(), QStringList({"saveAction Routine"}));
    EXPECT_TRUE(boxes().first().text.contains("NUL")) << boxes().first().text.toStdString();
    EXPECT_FALSE(shown().contains(kSaved));
    EXPECT_TRUE(page.isUnsaved());
    EXPECT_EQ(kind(1).value(0), "First kind, changed");
    EXPECT_EQ(kind(3), third);
    EXPECT_EQ(kind(5).value(0), "Fifth kind, changed");
    EXPECT_TRUE(connectionClosed());
    page.hide();
}
