// The report viewer: the two list reports, the learner profile with its two
// subreports, the failures its runners show, and its page view and print.
#include "reports/clssql.h"
#include "reports/frmbarrierselect.h"
#include "reports/reportforms.h"
#include "reports/reportlayouts.h"
#include "services/formregistry.h"
#include "tests/common/user.h"
#include "tests/reports/reportviewtest.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

namespace {

class ReportViewerTest : public ReportViewTest {
protected:
    void SetUp() override {
        ReportViewTest::SetUp();
        // Section 1 rows of 2026: 1, 2 and 13 current; 5 archived; 6 without
        // a primary barrier; 7 only in 2025.
        rawExec(dbPath,
                "INSERT INTO TAV_Learner_Background_Info (LearnerID, Data_Year, "
                "Name_Of_Provider, Nature_Of_Support_Received, Contact_Details, Family_Situation, "
                "Parent_Understanding_Of_Child) VALUES "
                "(1, 2026, 'Clinic A', 'Speech therapy', '011 555 0101', 'Lives with aunt', "
                "'Understands the needs well'),"
                "(2, 2026, 'Clinic B', NULL, NULL, NULL, NULL),"
                "(13, 2026, 'Clinic B', NULL, NULL, NULL, NULL),"
                "(5, 2026, 'Clinic A', NULL, NULL, NULL, NULL),"
                "(6, 2026, 'Clinic C', NULL, NULL, NULL, NULL),"
                "(7, 2025, 'Clinic C', NULL, NULL, NULL, NULL)");
    }

    // The query the barrier window builds for its mode with every "All" ticked.
    QString listQuery(const QString& mode) {
        gBarrierSelectRequest.FormMode = mode;
        frmBarrierSelect select;
        select.setFormMode(mode);
        return mode == "LearnerSummary" ? select.learnerSummaryQuery() : select.learnerListQuery();
    }

    // Runs the viewer in a mode and prints what it shows; "" when it shows nothing.
    QString run(const QString& mode, const QString& pdf, int* pages = nullptr) {
        frmReportview::Default().ReportMode = mode;
        frmReportview w;
        w.Form_Load();
        QString text;
        if (w.shownReport()) {
            const QString path = printToPdf(*w.shownReport(), pdf);
            text = pdfText(path);
            if (pages)
                *pages = pdfPages(path);
            lastPdf = path;
        }
        w.Form_Unload();
        return text;
    }
    QString lastPdf;
};

TEST_F(ReportViewerTest, LearnersPerBarrierGroupedByBarrierOnLandscape) {
    frmReportview::Default().SQL = listQuery("LearnerSummary");
    const QString text = flat(run("LearnerSummary", "barrier.pdf"));
    EXPECT_TRUE(boxes().isEmpty()) << shown().join('\n').toStdString();
    EXPECT_TRUE(text.contains("Kliprivier Combined School"));
    EXPECT_TRUE(text.contains("Learner Summary per Barrier (Primary): 2026"));
    EXPECT_TRUE(pdfInfo(lastPdf).contains("842 x 595 pts (A4)"));
    // Each barrier heads its learners, in barrier order; the archived learner
    // 5 and learner 6 without a barrier are not listed.
    const qsizetype add = text.indexOf("Primary Barrier: Attention Deficit Disorder");
    const qsizetype autism = text.indexOf("Primary Barrier: Autism Spectrum Disorder");
    ASSERT_GE(add, 0) << text.toStdString();
    ASSERT_GT(autism, add);
    const QString addGroup = text.mid(add, autism - add);
    EXPECT_TRUE(addGroup.contains("de Beer")) << text.toStdString();
    EXPECT_TRUE(addGroup.contains("du Plessis"));
    EXPECT_TRUE(text.mid(autism).contains("O'Neill"));
    EXPECT_EQ(text.count("Primary Barrier:"), 2);
    // A count under each barrier's learners, the total at the end.
    EXPECT_TRUE(addGroup.contains("du Plessis Chloe Grade R 003 de Beer Thabo Number of "
                                  "learners: 2"))
        << addGroup.toStdString();
    EXPECT_TRUE(text.mid(autism).contains("Lerato Number of learners: 1"));
    EXPECT_TRUE(text.endsWith("Total number of learners: 3 Page 1 of 1")) << text.toStdString();
    EXPECT_FALSE(text.contains("Zulu"));
    EXPECT_FALSE(text.contains("Botha"));
    // Grade name, accession number, surname, first name on one line.
    EXPECT_TRUE(text.contains("Grade R 003 de Beer Thabo")) << text.toStdString();
    EXPECT_TRUE(connectionClosed());
    EXPECT_EQ(frmReportview::Default().ReportMode, "");
    EXPECT_EQ(frmReportview::Default().SQL, "");
}

TEST_F(ReportViewerTest, LearnersPerProviderGroupedByProviderOnPortrait) {
    gReportYear = 2025; // another year than the data year: archived learners too
    rawExec(dbPath, "INSERT INTO TAV_Learner_Background_Info (LearnerID, Data_Year, "
                    "Name_Of_Provider) VALUES (5, 2025, 'Clinic C')");
    frmReportview::Default().SQL = listQuery("LearnerList");
    const QString text = run("LearnerList", "provider.pdf");
    EXPECT_TRUE(boxes().isEmpty()) << shown().join('\n').toStdString();
    EXPECT_TRUE(text.contains("Learner List per Responsible Provider : 2025"));
    EXPECT_TRUE(pdfInfo(lastPdf).contains("595 x 842 pts (A4)"));
    EXPECT_EQ(text.count("Responsible Provider:"), 1) << text.toStdString();
    EXPECT_TRUE(flat(text).contains("Responsible Provider: Clinic C"));
    EXPECT_TRUE(text.contains("Nkosi"));
    EXPECT_TRUE(text.contains("Zulu"));
    EXPECT_FALSE(text.contains("de Beer"));
}

TEST_F(ReportViewerTest, ProvidersSpeltInOtherCasesAreOneGroupCountedWithTheBlankOnesApart) {
    // One provider in three spellings; learners 3 and 6 with none, stored as
    // the page stores an empty name (a blank) and as Null.
    rawExec(dbPath,
            "UPDATE TAV_Learner_Background_Info SET Name_Of_Provider = CASE LearnerID "
            "WHEN 2 THEN 'Dr Smith Clinic' WHEN 1 THEN 'DR SMITH CLINIC' WHEN 13 THEN 'dr smith "
            "clinic' WHEN 6 THEN ' ' ELSE Name_Of_Provider END WHERE Data_Year = 2026;"
            "INSERT INTO TAV_Learner_Background_Info (LearnerID, Data_Year) VALUES (3, 2026)");

    // The user picks the provider's one entry in the list.
    gBarrierSelectRequest.FormMode = "LearnerList";
    frmBarrierSelect select;
    ASSERT_TRUE(user::showActive(&select));
    user::click(select.chkAllSupport);
    ASSERT_TRUE(select.cboSupport->isEnabled());
    const int entry = select.cboSupport->findText("dr smith clinic", Qt::MatchFixedString);
    ASSERT_GE(entry, 0);
    user::chooseInList(select.cboSupport, select.cboSupport->itemText(entry));
    frmReportview::Default().SQL = select.learnerListQuery();
    QString text = flat(run("LearnerList", "oneprovider.pdf"));
    EXPECT_TRUE(boxes().isEmpty()) << shown().join('\n').toStdString();
    // One group, under the spelling of its first row (by grade name: Grade 1).
    EXPECT_EQ(text.count("Responsible Provider:"), 1) << text.toStdString();
    EXPECT_TRUE(text.contains("Responsible Provider: Dr Smith Clinic 006 O'Neill Lerato"))
        << text.toStdString();
    EXPECT_FALSE(text.contains("DR SMITH CLINIC"));
    EXPECT_TRUE(text.contains("Number of learners: 3 Total number of learners: 3"));

    // All providers: the blank ones are one group with a heading of its own.
    frmReportview::Default().SQL = listQuery("LearnerList");
    text = flat(run("LearnerList", "providers.pdf"));
    EXPECT_EQ(text.count("Responsible Provider:"), 2) << text.toStdString();
    const qsizetype none = text.indexOf("Responsible Provider: (no provider)");
    const qsizetype smith = text.indexOf("Responsible Provider: Dr Smith Clinic");
    ASSERT_GE(none, 0) << text.toStdString();
    ASSERT_GT(smith, none);
    const QString blankGroup = text.mid(none, smith - none);
    EXPECT_TRUE(blankGroup.contains("Mokoena") && blankGroup.contains("Botha"));
    EXPECT_TRUE(blankGroup.contains("Number of learners: 2"));
    EXPECT_TRUE(text.mid(smith).contains("Number of learners: 3 Total number of learners: 5"))
        << text.toStdString();
}

TEST_F(ReportViewerTest, ABarrierRunningOnToANewPageIsNamedAtopIt) {
    QString sql;
    for (int i = 500; i < 580; ++i)
        sql += QString("INSERT INTO Learner_Info (ID, FName, SName, Grade, AccessionNo, Status, "
                       "LSENStatus, LSENDisabilities) VALUES (%1, 'Learner', 'S%1', 2, 'X%1', "
                       "'C', 2, 1); INSERT INTO TAV_Learner_Background_Info (LearnerID, "
                       "Data_Year) VALUES (%1, 2026);")
                   .arg(i);
    rawExec(dbPath, sql);
    frmReportview::Default().SQL = listQuery("LearnerSummary");
    int pages = 0;
    run("LearnerSummary", "long.pdf", &pages);
    ASSERT_GE(pages, 2);
    // Every sheet carries the school, the title with its year and the
    // captions, then the barrier whose lines run on to it.
    for (int p = 2; p <= pages; ++p) {
        const QString sheet = flat(pdfPageText(lastPdf, p));
        EXPECT_TRUE(sheet.startsWith("Kliprivier Combined School Learner Summary per Barrier "
                                     "(Primary): 2026 Grade Accession No Surname First Name "
                                     "Primary Barrier: "))
            << p << ": " << sheet.left(160).toStdString();
    }
}

TEST_F(ReportViewerTest, AListWithoutRowsShowsItsTitleAndTheSchool) {
    gReportYear = 2019;
    frmReportview::Default().SQL = listQuery("LearnerSummary");
    int pages = 0;
    const QString text = run("LearnerSummary", "empty.pdf", &pages);
    EXPECT_TRUE(text.contains("Learner Summary per Barrier (Primary): 2019"));
    EXPECT_TRUE(text.contains("Kliprivier Combined School"));
    EXPECT_FALSE(text.contains("Primary Barrier:"));
    EXPECT_EQ(pages, 1);
}

TEST_F(ReportViewerTest, ARefusedQueryShowsOnlyItsDescription) {
    // A barrier name with a quote, placed as it stands.
    frmReportview::Default().SQL = listQuery("LearnerSummary") + " AND Disa.Name = 'O'Brien'";
    frmReportview::Default().ReportMode = "LearnerSummary";
    frmReportview w;
    w.Form_Load();
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, "User Message");
    EXPECT_FALSE(boxes()[0].text.contains("Error"));
    EXPECT_FALSE(boxes()[0].text.isEmpty());
    EXPECT_FALSE(w.shownReport());
    // No hourglass and no progress stay behind.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(w.CRViewer1->progress->isHidden());
    // The connection of a failed report is closed as well.
    w.Form_Unload();
    EXPECT_TRUE(connectionClosed());
    EXPECT_EQ(frmReportview::Default().ReportMode, "");
}

TEST_F(ReportViewerTest, ADatabaseThatCannotBeOpenedIsReportedAndTheViewerStaysEmpty) {
    frmReportview::Default().SQL = listQuery("LearnerList");
    gDbPath = dir.filePath("missing.db");
    frmReportview::Default().ReportMode = "LearnerList";
    frmReportview w;
    w.Form_Load();
    // The connection's own error report, then the runner's message.
    ASSERT_EQ(boxes().size(), 2) << shown().join('\n').toStdString();
    EXPECT_TRUE(boxes()[0].title.startsWith("Error : "));
    EXPECT_EQ(boxes()[1].title, "User Message");
    EXPECT_FALSE(w.shownReport());
    w.Form_Unload();
    EXPECT_TRUE(connectionClosed());
}

TEST_F(ReportViewerTest, AModeThatNamesNoReportLeavesTheViewerEmpty) {
    frmReportview::Default().ReportMode = "LearnerProfile";
    frmReportview w;
    w.Form_Load();
    EXPECT_FALSE(w.shownReport());
    EXPECT_EQ(w.CRViewer1->pageCount(), 0);
    EXPECT_TRUE(boxes().isEmpty());
    w.Form_Unload();
    EXPECT_TRUE(connectionClosed());
}

TEST_F(ReportViewerTest, ProfileShowsEachLearnerOnItsPageWithTheSubreports) {
    rawExec(dbPath, "INSERT INTO TAV_Health_Professional_Report (LearnerID, Data_Year, "
                    "Impairment_Type, Medical_Record_Viewed, Medical_Record_Attached, Comments) "
                    "VALUES (1, 2026, 'Perm', -1, 0, 'Seen by the clinic'),"
                    "(2, 2026, 'Temp', 0, -1, 'Follow up in June')");
    addScore(1, 2026, activity(1, 0), 2);
    addScore(1, 2026, activity(1, 1), 2);
    addScore(2, 2026, activity(4, 0), 3);
    const QString domain1 = rawScalar(dbPath, "SELECT Description FROM "
                                              "TAV_lu_Impairment_Area WHERE ID = 1");
    const QString domain4 = rawScalar(dbPath, "SELECT Description FROM "
                                              "TAV_lu_Impairment_Area WHERE ID = 4");
    const QString moderate1 =
        rawScalar(dbPath, "SELECT DescMod FROM TAV_lu_Activity_Domain_Limit_Desc WHERE ID = " +
                              activity(1, 0));

    // First one grade, then "All": all learners again the second time.
    frmReportview::Default().RepGrade = true;
    frmReportview::Default().RepVar = "2";
    int pages = 0;
    QString text = run("MainReport", "grade.pdf", &pages);
    EXPECT_TRUE(boxes().isEmpty()) << shown().join('\n').toStdString();
    EXPECT_TRUE(text.contains("O'Neill, Lerato"));
    EXPECT_FALSE(text.contains("de Beer, Thabo"));

    frmReportview::Default().RepGrade = false;
    frmReportview::Default().RepVar = "";
    text = run("MainReport", "all.pdf", &pages);
    EXPECT_TRUE(boxes().isEmpty()) << shown().join('\n').toStdString();
    EXPECT_TRUE(text.contains("de Beer, Thabo"));
    EXPECT_TRUE(text.contains("O'Neill, Lerato"));
    EXPECT_TRUE(text.contains("Report Year: 2026") || flat(text).contains("Report Year: 2026"));
    const int learners = rawScalar(dbPath, "SELECT count(*) FROM Learner_Info WHERE Status = 'C' "
                                           "AND (LSENStatus IN (2, 3) OR SocialGrantNo <> '')")
                             .toInt();
    EXPECT_GE(pages, learners);

    // Learner 1's page: background, both additional disabilities, the
    // health report with its average per area and the scores' descriptions;
    // nothing of learner 2's profile.
    int page1 = 0;
    for (int p = 1; p <= pages && !page1; ++p) {
        if (pdfPageText(lastPdf, p).contains("de Beer, Thabo"))
            page1 = p;
    }
    ASSERT_GT(page1, 0);
    const QString one = flat(pdfPageText(lastPdf, page1));
    for (const QString& expected :
         {QString("Speech therapy"), QString("Clinic A"), QString("011 555 0101"),
          QString("Lives with aunt"), QString("Understands the needs well"),
          QString("Primary Disability: Attention Deficit Disorder"), QString("Behaviour Disorder"),
          QString("Hard of Hearing"), QString("DIAGNOSTIC PROFILE"),
          QString("Date of Birth: 01/01 / 2008"), QString("Impairment Type: Perm"),
          QString("Medical Record Viewed: Yes"), QString("Medical Record Attached: No"),
          QString("Seen by the clinic"), domain1 + " 2", QString("CRITERIA FOR SELECTION"),
          moderate1.simplified().left(30)})
        EXPECT_TRUE(one.contains(expected)) << expected.toStdString() << "\n" << one.toStdString();
    EXPECT_FALSE(one.contains("Follow up in June"));
    EXPECT_FALSE(one.contains(domain4));
}

TEST_F(ReportViewerTest, EveryProfileSheetNamesItsLearner) {
    // Learner 1's criteria scores run its profile over a second sheet.
    rawExec(dbPath, "INSERT INTO TAV_Health_Professional_Report (LearnerID, Data_Year, "
                    "Impairment_Type) VALUES (1, 2026, 'Perm')");
    const QStringList subSections =
        rawRows(dbPath, "SELECT ID FROM TAV_lu_Activity_Domain_Sub_Section WHERE ID <= 28");
    for (const QString& sub : subSections)
        addScore(1, 2026, sub, 3);
    frmReportview::Default().RepVar = "003";
    int pages = 0;
    run("MainReport", "sheets.pdf", &pages);
    ASSERT_GE(pages, 2);
    // Each sheet carries the school, the report, its year and the learner.
    for (int p = 1; p <= pages; ++p) {
        EXPECT_TRUE(flat(pdfPageText(lastPdf, p))
                        .startsWith("Kliprivier Combined School LEARNER PROFILE Report Year: "
                                    "2026 Learner: de Beer, Thabo (003)"))
            << p << ": " << flat(pdfPageText(lastPdf, p)).left(120).toStdString();
    }
    // The criteria scores run on to the second sheet under their captions and
    // the heading of the area they run on in.
    const QString second = flat(pdfPageText(lastPdf, 2)).section("(003) ", 1);
    EXPECT_TRUE(second.startsWith("CRITERIA FOR SELECTION Activity Score Limitation "))
        << second.left(120).toStdString();
    EXPECT_EQ(flat(pdfText(lastPdf)).count("Activity Score Limitation"), pages);
    EXPECT_TRUE(boxes().isEmpty()) << shown().join('\n').toStdString();
}

TEST_F(ReportViewerTest, ALongFamilySituationStartsWhereItStandsAndPrintsEachLineOnce) {
    QString family;
    for (int i = 1; family.size() < 8500; ++i)
        family += QString("Sentence %1 tells how the family lives and who cares for the "
                          "learner after school. ")
                      .arg(i, 3, 10, QChar('0'));
    family = family.trimmed();
    rawExec(dbPath, "UPDATE TAV_Learner_Background_Info SET Family_Situation = '" + family +
                        "' WHERE LearnerID = 1 AND Data_Year = 2026");
    frmReportview::Default().RepVar = "003";
    int pages = 0;
    const QString text = run("MainReport", "family.pdf", &pages);
    ASSERT_GE(pages, 2);
    EXPECT_TRUE(boxes().isEmpty()) << shown().join('\n').toStdString();
    // Every sentence once, in order: the stored text whole.
    QStringList numbers;
    for (const auto& m : QRegularExpression("Sentence (\\d{3})").globalMatch(text))
        numbers << m.captured(1);
    QStringList stored;
    for (const auto& m : QRegularExpression("Sentence (\\d{3})").globalMatch(family))
        stored << m.captured(1);
    EXPECT_EQ(numbers, stored);
    EXPECT_EQ(QString(text).remove(QRegularExpression("[^a-z]")).count("tellshowthefamily"),
              stored.size());
    // It starts on the first sheet, beside its caption, below the answers
    // before it; what follows it comes after its last line.
    const QString first = flat(pdfPageText(lastPdf, 1));
    EXPECT_TRUE(first.contains("Contact Details: 011 555 0101 Family Situation: Sentence 001"))
        << first.toStdString();
    const QString all = flat(text);
    EXPECT_GT(all.indexOf("Parent's Understanding of Child:"),
              all.indexOf("Sentence " + stored.last()));
}

TEST(ReportLayouts, EveryLayoutTakesTheSchoolsNameAndTheProfileTheYear) {
    for (const LayoutPtr& layout : {crdLearner_DisSum(), crdLearner_ListProv(), crd_01Background(),
                                    crd_02LDP(), crd_03CFS(), crdLearnerScoreSummary()}) {
        report::Report rpt(layout);
        EXPECT_NO_THROW(rpt.setText(kSchoolNameObject, "School")) << layout->name.toStdString();
    }
    report::Report profile(crd_01Background());
    EXPECT_NO_THROW(profile.setText(kYearObject, "2026"));
}

TEST_F(ReportViewerTest, ViewerPagesAndPrintsThroughThePrintDialog) {
    frmReportview::Default().ReportMode = "MainReport";
    frmReportview w;
    w.Form_Load();
    ASSERT_TRUE(w.shownReport());
    ASSERT_TRUE(user::showActive(&w));
    const int pages = w.CRViewer1->pageCount();
    ASSERT_GT(pages, 1);
    EXPECT_EQ(w.CRViewer1->txtPage->text(), "1");
    EXPECT_EQ(w.CRViewer1->lblPage->text(), QString("of %1").arg(pages));
    EXPECT_FALSE(w.CRViewer1->cmdPrevious->isEnabled());
    user::click(w.CRViewer1->cmdNext);
    EXPECT_EQ(w.CRViewer1->currentPage(), 1);
    user::click(w.CRViewer1->cmdLast);
    EXPECT_EQ(w.CRViewer1->currentPage(), pages - 1);
    EXPECT_FALSE(w.CRViewer1->cmdNext->isEnabled());
    user::click(w.CRViewer1->cmdFirst);
    EXPECT_EQ(w.CRViewer1->currentPage(), 0);

    // Cancel prints nothing; Print prints every page.
    const QString path = pdfPath("printed.pdf");
    printdialog::setAnswerer(printdialog::cancel);
    user::click(w.CRViewer1->cmdPrint);
    EXPECT_FALSE(QFile::exists(path));
    printdialog::setAnswerer(printdialog::printToPdf(path));
    user::click(w.CRViewer1->cmdPrint);
    EXPECT_EQ(pdfPages(path), pages);
    EXPECT_TRUE(pdfText(path).contains("LEARNER PROFILE"));
    EXPECT_TRUE(boxes().isEmpty());

    // The viewer fills the window at every size (the window resized as a
    // window manager does).
    w.resize(700, 500);
    QApplication::processEvents();
    EXPECT_EQ(w.CRViewer1->geometry(), QRect(0, 0, 700, 500));
    if (!qEnvironmentVariableIsEmpty("REPORT_PDF_DIR"))
        w.grab().save(qEnvironmentVariable("REPORT_PDF_DIR") + "/viewer.png");
    user::click(w.cmdDone);
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST_F(ReportViewerTest, ShownByNameItBuildsTheReportAndDoneUnloadsIt) {
    registerReportForms();
    frmReportview::Default().SQL = listQuery("LearnerSummary");
    frmReportview::Default().ReportMode = "LearnerSummary";
    int shownPages = 0;
    bool wasModal = false;
    bool whole = false;
    bool openAfterEnter = false;
    QTimer::singleShot(0, [&] {
        auto* w = qobject_cast<frmReportview*>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        wasModal = w->isModal() && w->windowTitle() == "Printouts";
        shownPages = w->CRViewer1->pageCount();
        // The landscape sheet shows whole across the window.
        whole = w->CRViewer1->pageArea->horizontalScrollBar()->maximum() == 0;
        // Enter in the page box goes to the page; it is not Done.
        QTest::mouseClick(w->CRViewer1->txtPage, Qt::LeftButton);
        QTest::keyClicks(w->CRViewer1->txtPage, "1", Qt::NoModifier, 20);
        QTest::keyClick(w->CRViewer1->txtPage, Qt::Key_Return);
        openAfterEnter = w->isVisible();
        if (!qEnvironmentVariableIsEmpty("REPORT_PDF_DIR"))
            w->grab().save(qEnvironmentVariable("REPORT_PDF_DIR") + "/viewer-shown.png");
        user::click(w->cmdDone);
    });
    showFormChain("frmReportview");
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(shownPages, 1);
    EXPECT_TRUE(whole);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_TRUE(connectionClosed());
    EXPECT_EQ(frmReportview::Default().ReportMode, "");
    EXPECT_EQ(frmReportview::Default().SQL, "");
}

// A query that runs until it is stopped, giving no row: the report is
// still being built when the user gives up on it.
QString endlessQuery() {
    return "WITH RECURSIVE N(X) AS (SELECT 1 UNION ALL SELECT X + 1 FROM N) SELECT X AS "
           "AccessionNo, X AS SName, X AS FName, X AS Disability, X AS Name FROM N WHERE X < 0";
}

// Done, or closing the window as the window manager does, while the report
// is built stops the building and closes the viewer: nothing is shown, no
// error reported, and the viewer is unloaded.
TEST_F(ReportViewerTest, DoneOrClosingWhileTheReportIsBuiltStopsItAndClosesTheViewer) {
    registerReportForms();
    for (const bool byDone : {true, false}) {
        SCOPED_TRACE(byDone ? "Done" : "closed");
        boxes().clear();
        frmReportview::Default().SQL = endlessQuery();
        frmReportview::Default().ReportMode = "LearnerSummary";
        bool building = false;
        bool closed = false;
        frmReportview* viewer = nullptr;
        // Once the building has shown its progress.
        QTimer::singleShot(400, [&] {
            viewer = qobject_cast<frmReportview*>(QApplication::activeModalWidget());
            ASSERT_NE(viewer, nullptr);
            building = viewer->CRViewer1->progress->isVisible();
            if (byDone) {
                QTest::mouseClick(viewer->cmdDone, Qt::LeftButton);
            } else {
                QCloseEvent close;
                QApplication::sendEvent(viewer, &close);
            }
            closed = !viewer->isVisible();
        });
        showFormChain("frmReportview");
        EXPECT_TRUE(building);
        EXPECT_TRUE(closed);
        EXPECT_TRUE(boxes().isEmpty()) << shown().join('\n').toStdString();
        EXPECT_TRUE(connectionClosed());
        EXPECT_EQ(frmReportview::Default().ReportMode, "");
    }
}

} // namespace
