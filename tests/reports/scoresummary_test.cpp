// The learner score summary: levels of the eight areas of impairment from the
// report year's criteria scores and the five support-area ratings, one row a
// current learner, built in memory and shown in the viewer.
#include "platform/reportviewer.h"
#include "reports/reportlayouts.h"
#include "tests/reports/reportviewtest.h"

#include <QFontMetricsF>

namespace {

class ScoreSummaryTest : public ReportViewTest {
protected:
    // The score summary's table for the learner query as the options set it.
    std::unique_ptr<ado::Recordset> table(bool repGrade, const QString& repVar, int year = 2026) {
        OpenConnection();
        auto t = buildScoreSummaryTable(scoreSummaryLearnerQuery(repGrade, repVar), year);
        CloseConnection();
        return t;
    }
    // The row of a learner: its columns by name.
    QHash<QString, QString> rowOf(ado::Recordset& t, int id) {
        QHash<QString, QString> row;
        t.MoveFirst();
        while (!t.Eof()) {
            if (t.Fields("ID").toInt() == id) {
                for (const QString& name : t.fieldNames())
                    row.insert(name, t.Fields(name).text());
                return row;
            }
            t.MoveNext();
        }
        return row;
    }
};

TEST(LevelText, OnlyWholeAveragesOfOneToThreeHaveALevel) {
    const struct {
        double average;
        const char* text;
    } cases[] = {{1, "MILD"},  {2, "MODERATE"}, {3, "SEVERE"},
                 {1.5, "N/A"}, {2.25, "N/A"},   {4.0 / 3.0, "N/A"},
                 {0, "N/A"},   {4, "N/A"},      {2.0000001, "N/A"}};
    for (const auto& c : cases)
        EXPECT_EQ(getLevelText(c.average), c.text) << c.average;
}

TEST(ScoreSummaryQuery, CurrentLearnersNotOfStatusOneFilteredByGradeOrAccession) {
    const QString base = "SELECT  Grade, SName, FName, AccessionNo, ID, LSENStatus From "
                         "Learner_Info  WHERE Status='C' AND LSENStatus<>1 ";
    const QString order = " ORDER BY Grade, SName, FName";
    EXPECT_EQ(scoreSummaryLearnerQuery(false, ""), base + order);
    EXPECT_EQ(scoreSummaryLearnerQuery(true, "3"), base + " AND Grade =3" + order);
    EXPECT_EQ(scoreSummaryLearnerQuery(false, "006"), base + " AND AccessionNo ='006'" + order);
    // A quote in a typed number cannot end the text early.
    EXPECT_EQ(scoreSummaryLearnerQuery(false, "0'6"), base + " AND AccessionNo ='0''6'" + order);
}

TEST(ScoreSummaryQuery, AGradeFilterIsAlwaysANumberAsInTheProfile) {
    const QString base = "SELECT  Grade, SName, FName, AccessionNo, ID, LSENStatus From "
                         "Learner_Info  WHERE Status='C' AND LSENStatus<>1 ";
    const QString order = " ORDER BY Grade, SName, FName";
    EXPECT_EQ(scoreSummaryLearnerQuery(true, " 7 "), base + " AND Grade =7" + order);
    EXPECT_EQ(scoreSummaryLearnerQuery(true, "3 OR 1=1"), base + " AND Grade =0" + order);
}

TEST_F(ScoreSummaryTest, LevelsAndRatingsOfTheReportYearOnly) {
    // Learner 1: area 1 scores 1, 1, 2 (no level); area 2 scores 2 and 2;
    // area 3 a 3; area 4 only in 2025.
    addScore(1, 2026, activity(1, 0), 1);
    addScore(1, 2026, activity(1, 1), 1);
    addScore(1, 2026, activity(1, 2), 2);
    addScore(1, 2026, activity(2, 0), 2);
    addScore(1, 2026, activity(2, 1), 2);
    addScore(1, 2026, activity(3, 0), 3);
    addScore(1, 2025, activity(4, 0), 3);
    addScore(1, 2026, activity(8, 0), 1);
    addRating(1, 2026, 1, 4);
    addRating(1, 2026, 2, 2);
    addRating(1, 2026, 5, 3);
    addRating(4, 2026, 5, 1); // another learner's row between them
    addRating(1, 2026, 5, 5); // a later row for the area replaces the earlier
    addRating(1, 2026, 7, 9); // no such support area
    addRating(1, 2025, 3, 4);

    auto t = table(false, "");
    EXPECT_EQ(t->fieldNames(),
              QStringList({"Grade", "FName", "SName", "AccessionNo", "ID", "Mobility", "SelfCare",
                           "Communication", "Vision", "Hearing", "Mental", "Cognition", "Needs",
                           "Staff", "HRD", "Devices", "Cassessment", "Access"}));
    QHash<QString, QString> r = rowOf(*t, 1);
    EXPECT_EQ(r["SName"], "de Beer");
    EXPECT_EQ(r["FName"], "Thabo");
    EXPECT_EQ(r["AccessionNo"], "003");
    EXPECT_EQ(r["Grade"], "1");
    EXPECT_EQ(r["Mobility"], "N/A");
    EXPECT_EQ(r["SelfCare"], "MODERATE");
    EXPECT_EQ(r["Communication"], "SEVERE");
    EXPECT_EQ(r["Vision"], "N/A");
    EXPECT_EQ(r["Needs"], "MILD");
    EXPECT_EQ(r["Staff"], "4");
    EXPECT_EQ(r["HRD"], "2");
    EXPECT_EQ(r["Devices"], "0");
    EXPECT_EQ(r["Cassessment"], "0");
    EXPECT_EQ(r["Access"], "5");
    EXPECT_EQ(t->Fields("Staff").Value().typeId(), QMetaType::Int);

    EXPECT_EQ(rowOf(*t, 4)["Access"], "1");

    // Learner 2 has nothing for the year: no levels, no ratings.
    r = rowOf(*t, 2);
    for (const char* name : {"Mobility", "SelfCare", "Communication", "Vision", "Hearing", "Mental",
                             "Cognition", "Needs"})
        EXPECT_EQ(r[name], "N/A") << name;
    for (const char* name : {"Staff", "HRD", "Devices", "Cassessment", "Access"})
        EXPECT_EQ(r[name], "0") << name;

    // The 2025 rows make their own levels in a 2025 summary.
    auto t2025 = table(false, "003", 2025);
    ASSERT_EQ(t2025->RecordCount(), 1);
    r = rowOf(*t2025, 1);
    EXPECT_EQ(r["Vision"], "SEVERE");
    EXPECT_EQ(r["Devices"], "4");
    EXPECT_EQ(r["SelfCare"], "N/A");
}

TEST_F(ScoreSummaryTest, OnlyCurrentLearnersNotOfStatusOneByGradeThenName) {
    // Names whose order depends on case: by grade, then by surname and first
    // name without regard to case.
    rawExec(dbPath, "INSERT INTO Learner_Info (ID, FName, SName, Grade, AccessionNo, Status, "
                    "LSENStatus) VALUES (900, 'zoe', 'abrahams', 2, 'A900', 'C', 2),"
                    "(901, 'Adam', 'ZWANE', 2, 'A901', 'C', 2),"
                    "(902, 'anna', 'Abrahams', 2, 'A902', 'C', 2)");
    const QStringList expected =
        rawRows(dbPath, "SELECT ID FROM Learner_Info WHERE Status = 'C' AND LSENStatus <> 1 "
                        "ORDER BY Grade, lower(SName), lower(FName)");
    auto all = table(false, "");
    QStringList ids;
    for (all->MoveFirst(); !all->Eof(); all->MoveNext())
        ids << all->Fields("ID").text();
    EXPECT_EQ(ids, expected);
    // LSENStatus 1 ('009') and archived ('015') are not listed even when chosen.
    EXPECT_EQ(table(false, "009")->RecordCount(), 0);
    EXPECT_EQ(table(false, "015")->RecordCount(), 0);
    EXPECT_EQ(table(false, "006")->RecordCount(), 1);
    // A grade: its current learners; a grade no learner has: none.
    EXPECT_EQ(table(true, "2")->RecordCount(),
              rawScalar(dbPath, "SELECT count(*) FROM Learner_Info WHERE Grade = 2 AND Status = "
                                "'C' AND LSENStatus <> 1")
                  .toInt());
    EXPECT_EQ(table(true, "0")->RecordCount(), 0);
}

TEST_F(ScoreSummaryTest, RunnerShowsTheSummaryOnLandscapeA4) {
    addScore(2, 2026, activity(5, 0), 2);
    addScore(2, 2026, activity(5, 1), 2);
    addRating(2, 2026, 2, 3);
    frmReportview::Default().ReportMode = "ScoreSummary";
    frmReportview::Default().RepGrade = false;
    frmReportview::Default().RepVar = "006";
    frmReportview w;
    w.Form_Load();
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(frmReportview::Default().SQL, scoreSummaryLearnerQuery(false, "006"));
    EXPECT_TRUE(connectionClosed());
    ASSERT_TRUE(w.shownReport());
    EXPECT_EQ(w.CRViewer1->pageCount(), 1);

    const QString path = printToPdf(*w.shownReport(), "summary.pdf");
    const QString text = pdfText(path);
    EXPECT_TRUE(text.contains("Kliprivier Combined School"));
    EXPECT_TRUE(text.contains("Learner Score Summary: 2026"));
    EXPECT_TRUE(text.contains("HRD"));
    const QString row = text.section("O'Neill", 1).section('\n', 0, 0).simplified();
    // Lerato; four areas without a level, Hearing MODERATE, three more; then
    // the ratings Staff 0, HRD 3, Devices 0, Curriculum 0, Access 0.
    EXPECT_EQ(row, "Lerato N/A N/A N/A N/A MODERATE N/A N/A N/A 0 3 0 0 0") << text.toStdString();
    EXPECT_TRUE(pdfInfo(path).contains("842 x 595 pts (A4)")) << pdfInfo(path).toStdString();

    w.Form_Unload();
    EXPECT_TRUE(connectionClosed());
    EXPECT_EQ(frmReportview::Default().ReportMode, "");
}

TEST(ScoreSummaryLayout, TheWidestLevelAndEveryRatingStandClearOfTheNextColumn) {
    const auto layout = crdLearnerScoreSummary();
    ASSERT_EQ(layout->details.size(), 1);
    QList<report::Item> fields;
    for (const report::Item& item : layout->details.first().items) {
        if (item.kind == report::Item::Field)
            fields << item;
    }
    std::sort(fields.begin(), fields.end(),
              [](const report::Item& a, const report::Item& b) { return a.left < b.left; });
    ASSERT_EQ(fields.size(), 18 - 1); // every column but ID
    // The sheet's own measure: fonts sized in twips.
    const auto advance = [](const report::Item& item, const QString& text) {
        return QFontMetricsF(report::itemFont(item)).horizontalAdvance(text);
    };
    const QStringList levels = {"Mobility", "SelfCare", "Communication", "Vision",
                                "Hearing",  "Mental",   "Cognition",     "Needs"};
    constexpr int kGap = 150; // twips between a column's text and the next column
    for (int i = 0; i + 1 < fields.size(); ++i) {
        const report::Item& f = fields[i];
        const QString widest = levels.contains(f.field) ? "MODERATE" : "5";
        if (!levels.contains(f.field) && f.left < fields[4].left)
            continue; // the names wrap within their columns
        EXPECT_LE(f.left + advance(f, widest) + kGap, fields[i + 1].left) << f.field.toStdString();
    }
    // Every word of a column's caption fits its column (captions wrap on words).
    for (const report::Item& caption : layout->pageHeader.items) {
        if (caption.kind != report::Item::Text || caption.width == 0)
            continue; // the school and the title run across the page
        for (const QString& word : caption.text.split(' ', Qt::SkipEmptyParts))
            EXPECT_LE(advance(caption, word), caption.width) << word.toStdString();
    }
    // The last column ends within landscape A4's margins.
    EXPECT_LE(fields.last().left + fields.last().width, 16838 - 2 * 720);
}

TEST_F(ScoreSummaryTest, AGradeWithoutLearnersGivesAnEmptyReportWithItsTitle) {
    frmReportview::Default().ReportMode = "ScoreSummary";
    frmReportview::Default().RepGrade = true;
    frmReportview::Default().RepVar = "0";
    frmReportview w;
    w.Form_Load();
    ASSERT_TRUE(w.shownReport());
    const QString text = pdfText(printToPdf(*w.shownReport(), "empty.pdf"));
    EXPECT_TRUE(text.contains("Learner Score Summary: 2026"));
    EXPECT_TRUE(text.contains("Kliprivier Combined School"));
    EXPECT_FALSE(text.contains("N/A"));
}

TEST_F(ScoreSummaryTest, AFailureShowsOnlyItsDescriptionAndLeavesTheViewerEmpty) {
    rawExec(dbPath, "DROP TABLE TAV_Assessment_Supp_Req_Rating");
    frmReportview::Default().ReportMode = "ScoreSummary";
    frmReportview w;
    w.Form_Load();
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].title, "User Message");
    EXPECT_TRUE(boxes()[0].text.contains("TAV_Assessment_Supp_Req_Rating"))
        << boxes()[0].text.toStdString();
    EXPECT_FALSE(w.shownReport());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    w.Form_Unload();
    EXPECT_TRUE(connectionClosed());
}

} // namespace
