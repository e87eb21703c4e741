// The barrier and provider selection: its lists, the check boxes and their
// boxes, the refusals of Print Report and the list reports' queries run on
// the demo school.
#include "platform/jetdialect.h"
#include "reports/frmbarrierselect.h"
#include "tests/reports/reportmenutest.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QStringList kBarrierColumns = {"AccessionNo", "SName", "FName", "Disability", "Name"};
const QStringList kProviderColumns = {"Name_Of_Provider", "AccessionNo", "SName", "FName", "Name"};

} // namespace

class SelectionTest : public ReportMenuTest {
protected:
    // The window in mode for report year year, loaded and shown as the menu opens it.
    std::unique_ptr<frmBarrierSelect> open(const QString& mode, qint16 year = 2026) {
        gReportYear = year;
        gBarrierSelectRequest.FormMode = mode;
        auto w = std::make_unique<frmBarrierSelect>();
        EXPECT_TRUE(user::showActive(w.get()));
        return w;
    }
    // A click on Print Report, then the rows of the query the viewer was handed.
    QStringList print(frmBarrierSelect& w, const QStringList& columns) {
        calls().clear();
        user::click(w.cmdPrint);
        if (calls().size() != 1) {
            ADD_FAILURE() << "the viewer was shown " << calls().size() << " times";
            return {};
        }
        return run(calls().first().SQL, columns);
    }
};

TEST_F(SelectionTest, LoadShowsTheModesFrameAndFillsBothLists) {
    auto summary = open("LearnerSummary");
    EXPECT_EQ(summary->windowTitle(), "RER [ BARRIER/LEARNER SELECTION ]");
    EXPECT_FALSE(summary->fraBarrier->isHidden());
    EXPECT_TRUE(summary->fraSupport->isHidden());
    EXPECT_EQ(summary->cboBarrier->count(), 12);
    EXPECT_TRUE(items(summary->cboBarrier).contains("Autism Spectrum Disorder"));
    // Design state: every "All" box ticked, its box disabled and empty.
    for (QCheckBox* check :
         {summary->chkAllBarriers, summary->chkAllSupport, summary->chkAllLearners})
        EXPECT_TRUE(check->isChecked());
    EXPECT_FALSE(summary->cboBarrier->isEnabled());
    EXPECT_EQ(summary->cboBarrier->currentText(), "");
    EXPECT_FALSE(summary->txtAssNo->isEnabled());

    auto list = open("LearnerList");
    EXPECT_TRUE(list->fraBarrier->isHidden());
    EXPECT_FALSE(list->fraSupport->isHidden());

    // Another mode leaves the frames as designed.
    auto other = open("Other");
    EXPECT_FALSE(other->fraBarrier->isHidden());
    EXPECT_TRUE(other->fraSupport->isHidden());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(SelectionTest, ProviderListIsTheDataYearsWhateverTheReportYear) {
    auto w = open("LearnerList", 2025);
    QStringList providers = items(w->cboSupport);
    providers.sort();
    EXPECT_EQ(providers, QStringList({"Clinic A", "Clinic B", "O'Brien Trust"}));
    EXPECT_EQ(w->cboSupport->currentText(), "");
}

// The provider list reads the year's rows through the learner-year index and
// lists the providers of the query as first written: of every year's row, a
// learner the host no longer lists, a row without a learner, names that
// differ in case only, empty and missing names.
TEST_F(SelectionTest, ProviderListGivesTheProvidersOfTheQueryAsFirstWritten) {
    rawExec(dbPath, "INSERT INTO TAV_Learner_Background_Info (LearnerID, Data_Year, "
                    "Name_Of_Provider) VALUES (1, 2025, 'Old clinic'), (4000, 2026, 'Gone'), "
                    "(NULL, 2026, 'Nobody''s'), (NULL, 2024, 'Older'), (2, 2026, 'clinic A'), "
                    "(3, 2026, ''), (4, 2026, NULL), (-5, 2026, 'Negative')");
    for (const qint16 year : {qint16(2026), qint16(2025), qint16(2024), qint16(2030)}) {
        SCOPED_TRACE(year);
        gDataYear = year;
        auto w = open("LearnerList", year);
        QStringList providers = items(w->cboSupport);
        EXPECT_EQ(providers, run("SELECT DISTINCT Name_Of_Provider FROM "
                                 "TAV_Learner_Background_Info WHERE Data_Year = " +
                                     QString::number(year) + " Group By Name_Of_Provider",
                                 {"Name_Of_Provider"}));
        if (year == 2026)
            for (const char* p : {"Gone", "Nobody's", "Negative"})
                EXPECT_TRUE(providers.contains(p)) << p;
        const QStringList plan = rawRows(
            dbPath,
            "EXPLAIN QUERY PLAN " +
                translateJetSql(frmBarrierSelect::personQuery()).replace("jet_nocase", "NOCASE"));
        for (const QString& step : plan)
            EXPECT_FALSE(step.section('|', 3).startsWith("SCAN TAV_Learner_Background_Info") ||
                         step.section('|', 3).startsWith("SCAN B "))
                << step.toStdString();
    }
}

TEST_F(SelectionTest, ListFailuresAreReportedWithTheirRoutines) {
    rawExec(dbPath, "DROP TABLE TAV_Learner_Background_Info; DROP TABLE Disabilities");
    auto w = open("LearnerSummary");
    QStringList procedures;
    for (const msgbox::Shown& box : boxes()) {
        EXPECT_TRUE(box.title.startsWith("Error : ")) << box.title.toStdString();
        EXPECT_TRUE(box.text.contains("Location: frmBarrierSelect")) << box.text.toStdString();
        procedures << box.text.section("Procedure: ", 1).trimmed();
    }
    EXPECT_EQ(procedures, QStringList({"getBarriers Routine", "getPerson Routine"}));
    EXPECT_EQ(w->cboBarrier->count(), 0);
    EXPECT_TRUE(!gConnection || gConnection->State() == ado::adStateClosed);
}

TEST_F(SelectionTest, AllBoxEmptiesAndDisablesItsPairedBoxAndClearingFocusesIt) {
    // Each mode shows the barrier or the provider pair, and the learner pair.
    for (const QString mode : {"LearnerSummary", "LearnerList"}) {
        SCOPED_TRACE(mode.toStdString());
        auto w = open(mode);
        const bool barriers = mode == "LearnerSummary";
        struct Pair {
            QCheckBox* check;
            QWidget* box;
        };
        const Pair pairs[] = {barriers ? Pair{w->chkAllBarriers, w->cboBarrier}
                                       : Pair{w->chkAllSupport, w->cboSupport},
                              {w->chkAllLearners, w->txtAssNo}};
        for (const Pair& p : pairs) {
            user::click(p.check);
            EXPECT_FALSE(p.check->isChecked());
            EXPECT_TRUE(p.box->isEnabled());
            EXPECT_TRUE(p.box->hasFocus() || p.box->isAncestorOf(QApplication::focusWidget()))
                << p.check->text().toStdString();
        }
        if (barriers)
            user::chooseInList(w->cboBarrier, w->cboBarrier->itemText(1));
        else
            typeInto(w->cboSupport, "Clinic A");
        user::typeIntoBox(w->txtAssNo, "003");
        for (const Pair& p : pairs) {
            user::click(p.check);
            EXPECT_TRUE(p.check->isChecked());
            EXPECT_FALSE(p.box->isEnabled());
        }
        EXPECT_EQ(w->cboBarrier->currentText(), "");
        EXPECT_EQ(w->cboSupport->currentText(), "");
        EXPECT_EQ(w->txtAssNo->text(), "");
        // Cleared again: the boxes stay empty.
        user::click(pairs[0].check);
        EXPECT_EQ(w->cboBarrier->currentText(), "");
        EXPECT_EQ(w->cboSupport->currentText(), "");
    }
}

TEST_F(SelectionTest, TypingIntoTheBarrierBoxChangesNothing) {
    auto w = open("LearnerSummary");
    user::click(w->chkAllBarriers);
    ASSERT_TRUE(w->cboBarrier->hasFocus());
    user::type("Aa");
    EXPECT_EQ(w->cboBarrier->currentText(), "");
}

TEST_F(SelectionTest, PrintRefusesAMissingBarrierOrAccessionNumber) {
    struct Case {
        const char* mode;
        bool allBarriers;
        bool allLearners;
        const char* assNo;
        const char* message;
    };
    const Case cases[] = {
        {"LearnerSummary", false, true, "",
         "Please select the Barrier from the list or select All Barriers"},
        {"LearnerSummary", true, false, "  ",
         "Please enter the Assession Number or select All Learner"},
        {"LearnerList", true, false, "", "Please enter the Assession Number or select All Learner"},
    };
    for (const Case& c : cases) {
        auto w = open(c.mode);
        user::tick(w->chkAllBarriers, c.allBarriers);
        user::tick(w->chkAllLearners, c.allLearners);
        if (!c.allLearners)
            user::typeIntoBox(w->txtAssNo, c.assNo);
        boxes().clear();
        calls().clear();
        user::click(w->cmdPrint);
        EXPECT_EQ(messages(), QStringList({c.message})) << c.mode;
        EXPECT_TRUE(calls().isEmpty());
        // The box the message asks for has the focus.
        QWidget* asked = c.allBarriers ? static_cast<QWidget*>(w->txtAssNo) : w->cboBarrier;
        EXPECT_TRUE(asked->hasFocus()) << c.mode;
    }
    // No check of the provider box: an empty provider is filtered on as such.
    boxes().clear();
    auto w = open("LearnerList");
    user::click(w->chkAllSupport);
    EXPECT_TRUE(print(*w, kProviderColumns).isEmpty());
    EXPECT_TRUE(calls().first().SQL.contains(" AND BI.Name_Of_Provider = ''"));
    EXPECT_TRUE(messages().isEmpty());

    // A mode that names no report shows nothing.
    auto other = open("Other");
    calls().clear();
    user::click(other->cmdPrint);
    EXPECT_TRUE(calls().isEmpty());
}

TEST_F(SelectionTest, PerBarrierReportListsTheYearsLearnersWithABackgroundRow) {
    auto w = open("LearnerSummary");
    // Current learners only, ordered by barrier, grade name, surname.
    EXPECT_EQ(print(*w, kBarrierColumns),
              QStringList({"039|du Plessis|Chloe|Attention Deficit Disorder|Grade 4",
                           "003|de Beer|Thabo|Attention Deficit Disorder|Grade R",
                           "006|O'Neill|Lerato|Autism Spectrum Disorder|Grade 1"}));
    EXPECT_EQ(calls().first().ReportMode, "LearnerSummary");
    EXPECT_EQ(calls().first().SQL,
              "SELECT LI.AccessionNo, LI.SName, LI.FName, Disa.Name AS Disability, SG.Name"
              " FROM ((Learner_Info as LI INNER JOIN TAV_Learner_Background_Info as BI ON LI.ID "
              "= BI.LearnerID)"
              " INNER JOIN Disabilities as Disa ON LI.LSENDisabilities = Disa.id)"
              " INNER JOIN SchoolGrades as SG ON LI.Grade = SG.ID"
              " WHERE (((LI.Status) = 'C') And ((BI.Data_Year) = 2026))"
              " AND BI.LearnerID IN (SELECT LI.ID FROM Learner_Info AS LI WHERE LI.Status = 'C')"
              " ORDER BY Disa.Name, SG.Name,LI.SName");

    user::click(w->chkAllBarriers);
    user::chooseInList(w->cboBarrier, "Attention Deficit Disorder");
    EXPECT_EQ(print(*w, {"AccessionNo"}), QStringList({"039", "003"}));
    user::click(w->chkAllLearners);
    user::typeIntoBox(w->txtAssNo, "003");
    EXPECT_EQ(print(*w, {"AccessionNo"}), QStringList({"003"}));
}

TEST_F(SelectionTest, AnotherReportYearListsArchivedLearnersToo) {
    gDataYear = 2025;
    auto w = open("LearnerSummary", 2026);
    EXPECT_EQ(print(*w, {"SName"}), QStringList({"du Plessis", "de Beer", "O'Neill", "Zulu"}));
    EXPECT_TRUE(calls().first().SQL.contains(" WHERE (((BI.Data_Year) = 2026))"));

    auto list = open("LearnerList", 2026);
    EXPECT_EQ(print(*list, {"Name_Of_Provider", "SName"}),
              QStringList({"Clinic A|Zulu", "Clinic A|de Beer", "Clinic B|O'Neill",
                           "Clinic B|du Plessis", "O'Brien Trust|Botha"}));
    EXPECT_TRUE(calls().first().SQL.contains(" WHERE ((BI.Data_Year) = 2026)"));

    // The 2025 rows are of their year only.
    auto old = open("LearnerList", 2025);
    EXPECT_EQ(print(*old, {"Name_Of_Provider", "SName"}), QStringList({"Clinic C|Nkosi"}));
}

TEST_F(SelectionTest, PerProviderReportAndValuesHoldingAQuote) {
    auto w = open("LearnerList");
    EXPECT_EQ(print(*w, kProviderColumns), QStringList({"Clinic A|003|de Beer|Thabo|Grade R",
                                                        "Clinic B|006|O'Neill|Lerato|Grade 1",
                                                        "Clinic B|039|du Plessis|Chloe|Grade 4",
                                                        "O'Brien Trust|018|Botha|Naledi|Grade 5"}));
    EXPECT_EQ(calls().first().ReportMode, "LearnerList");

    // A chosen provider or typed accession number with a quote stays one value.
    user::click(w->chkAllSupport);
    user::chooseInList(w->cboSupport, "O'Brien Trust");
    EXPECT_EQ(print(*w, {"SName"}), QStringList({"Botha"}));
    // A typed name is taken as typed, not completed from the list.
    typeInto(w->cboSupport, "Clinic");
    EXPECT_TRUE(print(*w, {"SName"}).isEmpty());
    EXPECT_TRUE(calls().first().SQL.contains(" AND BI.Name_Of_Provider = 'Clinic'"));
    user::click(w->chkAllSupport);
    user::click(w->chkAllLearners);
    user::typeIntoBox(w->txtAssNo, "0' OR ''='");
    EXPECT_TRUE(print(*w, {"SName"}).isEmpty());
    EXPECT_TRUE(messages().isEmpty());
}

// The two list reports' queries find the background rows through the
// learner-year index and give the rows of the queries as first written, in
// both kinds of report year, for every learner or one, every barrier or
// provider or one.
TEST_F(SelectionTest, ListQueriesGiveTheRowsOfTheQueriesAsFirstWritten) {
    rawExec(dbPath, "INSERT INTO TAV_Learner_Background_Info (LearnerID, Data_Year, "
                    "Name_Of_Provider) VALUES (1, 2025, 'Clinic A'), (5, 2025, 'Clinic C'), "
                    "(99, 2026, 'Clinic A'), (2, 2026, 'clinic a'), (3, 2026, 'Twice')");
    const struct {
        const char* mode;
        const char* first;     // the query as first written, to its WHERE
        const char* otherYear; // its WHERE for another year than the data year
        const char* chosen;    // a barrier or provider chosen, and its field
        const char* field;
        const char* order;
        QStringList columns;
    } reports[] = {
        {"LearnerSummary",
         "SELECT LI.AccessionNo, LI.SName, LI.FName, Disa.Name AS Disability, SG.Name FROM "
         "((Learner_Info as LI INNER JOIN TAV_Learner_Background_Info as BI ON LI.ID = "
         "BI.LearnerID) INNER JOIN Disabilities as Disa ON LI.LSENDisabilities = Disa.id) INNER "
         "JOIN SchoolGrades as SG ON LI.Grade = SG.ID",
         " WHERE (((BI.Data_Year) = %1))", "Attention Deficit Disorder", "Disa.Name",
         " ORDER BY Disa.Name, SG.Name,LI.SName", kBarrierColumns},
        {"LearnerList",
         "SELECT BI.Name_Of_Provider, LI.AccessionNo, LI.SName, LI.FName, SG.Name FROM "
         "(Learner_Info as LI INNER JOIN TAV_Learner_Background_Info as BI ON LI.ID = "
         "BI.LearnerID) INNER JOIN SchoolGrades as SG ON LI.Grade = SG.ID",
         " WHERE ((BI.Data_Year) = %1)", "Clinic A", "BI.Name_Of_Provider",
         " ORDER BY BI.Name_Of_Provider, SG.Name, LI.SName", kProviderColumns},
    };
    for (const auto& report : reports) {
        const bool perBarrier = QString(report.mode) == "LearnerSummary";
        for (const qint16 year : {qint16(2026), qint16(2025)}) {
            for (const auto& [chosen, accession] :
                 {std::pair<QString, QString>{"", ""}, {report.chosen, ""}, {"", "003"}}) {
                SCOPED_TRACE(QString("%1 %2 '%3' '%4'")
                                 .arg(report.mode)
                                 .arg(year)
                                 .arg(chosen, accession)
                                 .toStdString());
                auto w = open(report.mode, year);
                QString first = report.first;
                first += year == gDataYear ? QString(" WHERE (((LI.Status) = 'C') And "
                                                     "((BI.Data_Year) = %1))")
                                                 .arg(year)
                                           : QString(report.otherYear).arg(year);
                if (!chosen.isEmpty()) {
                    (perBarrier ? w->chkAllBarriers : w->chkAllSupport)->setChecked(false);
                    (perBarrier ? w->cboBarrier : w->cboSupport)->setCurrentText(chosen);
                    first += QString(" AND %1 = '%2'").arg(report.field, chosen);
                }
                if (!accession.isEmpty()) {
                    w->chkAllLearners->setChecked(false);
                    w->txtAssNo->setText(accession);
                    first += " AND LI.AccessionNo = '" + accession + "'";
                }
                first += report.order;
                const QString query = perBarrier ? w->learnerSummaryQuery() : w->learnerListQuery();
                const QStringList rows = run(query, report.columns);
                EXPECT_FALSE(rows.isEmpty());
                EXPECT_EQ(rows, run(first, report.columns));
                const QStringList plan =
                    rawRows(dbPath, "EXPLAIN QUERY PLAN " +
                                        translateJetSql(query).replace("jet_nocase", "NOCASE"));
                for (const QString& step : plan)
                    EXPECT_FALSE(step.section('|', 3).startsWith("SCAN BI")) << step.toStdString();
            }
        }
    }
}
