// Page prints that run over several sheets, as a user prints them through
// the print dialog: every further sheet carries the page's heading lines and
// the column headings of the grid that goes on there, a row split over two
// sheets shows its name on both, and no heading stands alone at a sheet's
// foot; the dialog's range, copies and page order are honoured, and the
// progress shows while the sheets are written and ends on every path.
//
// With RER_KEEP_PRINTS set to a folder, the PDFs printed are copied there to
// be looked at.
#include "platform/printer.h"
#include "profile/frmcriteriaselection.h"
#include "profile/frmextendedprofile2.h"
#include "support/frmactionplan2.h"
#include "support/frmactionplan3.h"
#include "support/frmisp.h"
#include "tests/common/pagetest.h"
#include "tests/common/user.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProgressBar>
#include <QProgressDialog>
#include <QTest>

namespace {

// A text of about n characters whose words are numbered from word w.
QString longText(int n, const QString& word) {
    QStringList parts;
    for (int i = 1; parts.join(' ').size() < n; ++i)
        parts << QString("%1%2 learner needs support in class").arg(word).arg(i);
    return parts.join(' ');
}

class SheetsTest : public PageTest {
protected:
    void TearDown() override {
        WritingProgress::setObserver({});
        PageTest::TearDown();
    }
    // The file to print to; kept where RER_KEEP_PRINTS says.
    QString print(AssessmentPage& page, const QString& name,
                  const std::function<void(QPrinter&)>& choose = {}) {
        const QString pdf = pdfPath(name);
        printdialog::setAnswerer([&](QPrinter& printer) {
            printdialog::printToPdf(pdf)(printer);
            if (choose)
                choose(printer);
            return true;
        });
        user::click(page.cmdPrint);
        const QString keep = qEnvironmentVariable("RER_KEEP_PRINTS");
        if (!keep.isEmpty()) {
            QDir().mkpath(keep);
            QFile::remove(keep + "/" + name);
            QFile::copy(pdf, keep + "/" + name);
        }
        return pdf;
    }
    void storeFactors(int n) {
        QStringList inserts;
        for (int i = 1; i <= n; ++i)
            inserts << QString("INSERT INTO TAV_Factors_Community (LearnerID, Positive_Influence, "
                               "Barrier, Data_Year) VALUES (2, 'Strength st%1 of the family', "
                               "'Barrier ba%1 keeps the learner from school', 2026)")
                           .arg(i);
        rawExec(dbPath, inserts.join(';'));
    }
    // The words a text of the factor lists holds, as long as a list's text may be.
    static QString factorText(const QString& word, int i) {
        return (QString("Factor %1%2 ").arg(word).arg(i) + longText(240, "y")).left(250);
    }
    void storeActions(int kind, int n, int longEvery = 0) {
        QStringList inserts;
        for (int i = 1; i <= n; ++i) {
            // Every so often a row whose fields are full.
            const bool full = longEvery > 0 && i % longEvery == 0;
            const QString target = QString("Target tg%1 for the learner").arg(i);
            const QString more = full ? longText(220, "x").left(225) : QString("strategy");
            inserts << QString("INSERT INTO TAV_ISP (LearnerID, [Action], Target, Strategy, "
                               "Achievement_Criteria, Person_Responsible, Review_Date, "
                               "Review_Comments, Data_Year) VALUES (2, %1, '%2', '%3', "
                               "'%3', 'Mrs Dlamini', '2026-06-30', '%3', 2026)")
                           .arg(kind)
                           .arg(full ? (target + " " + more).left(255) : target, more);
        }
        rawExec(dbPath, inserts.join(';'));
    }
    // The words of each sheet, from 1.
    static QList<QList<PdfWord>> sheets(const QString& pdf) {
        QList<QList<PdfWord>> out(pdfPages(pdf) + 1);
        for (const PdfWord& w : pdfWords(pdf))
            out[w.page] << w;
        return out;
    }
    // Every sheet carries the page's heading lines.
    static void expectHeadingOnEverySheet(const QString& pdf, bool learnerLine = true) {
        for (int p = 1; p <= pdfPages(pdf); ++p) {
            const QString text = pdfPageText(pdf, p);
            EXPECT_TRUE(text.contains("EMIS NUMBER: 700123456")) << "sheet " << p;
            EXPECT_EQ(withoutSpaces(text).contains("LEARNERNAME:O'NEILLLeratoASSESIONNUMBER:006"),
                      learnerLine)
                << "sheet " << p;
        }
    }
};

} // namespace

TEST_F(SheetsTest, TheIspsHeadingsGoWithTheFirstActionWhateverTheNumberOfFactors) {
    // 51 actions of the first kind, every tenth target some 6,000 characters long.
    storeActions(1, 51, 10);
    for (int factors = 60; factors <= 68; ++factors) {
        SCOPED_TRACE(factors);
        rawExec(dbPath, "DELETE FROM TAV_Factors_Community");
        storeFactors(factors);
        frmISP page;
        ASSERT_TRUE(showPage(page));
        const QString pdf = print(page, QString("isp%1.pdf").arg(factors));
        EXPECT_TRUE(boxes().isEmpty());
        expectHeadingOnEverySheet(pdf);

        const auto words = sheets(pdf);
        const int pages = int(words.size()) - 1;
        ASSERT_GE(pages, 4);
        int actionsSheet = 0;
        for (int p = 1; p <= pages; ++p) {
            QString text;
            for (const PdfWord& w : words[p])
                text += w.text;
            const bool factorsHere = text.contains(QRegularExpression("ba\\d+"));
            const bool actionsHere = text.contains(QRegularExpression("tg\\d+|t\\d+w\\d+"));
            // The lists of factors go on under their headings.
            if (factorsHere) {
                EXPECT_TRUE(text.contains("Barrier/sorconcern:")) << "sheet " << p;
                EXPECT_TRUE(text.contains("Strengths:")) << "sheet " << p;
            }
            // The action heading, the kind's title and the preview's headings
            // stand on the sheet of the first action, and the preview's
            // headings on every sheet the actions go on to.
            if (text.contains("ACTIONSTOBETAKEN")) {
                EXPECT_EQ(actionsSheet, 0);
                actionsSheet = p;
                EXPECT_TRUE(actionsHere) << "sheet " << p;
                EXPECT_TRUE(text.contains("WHOLESCHOOLDEVELOPMENTINTERVENTION")) << "sheet " << p;
            }
            if (actionsHere)
                EXPECT_TRUE(text.contains("Targettobeachieved")) << "sheet " << p;
        }
        EXPECT_GT(actionsSheet, 0);
        // No heading of the preview stands on a sheet without an action.
        for (int p = 1; p <= pages; ++p) {
            QString text;
            for (const PdfWord& w : words[p])
                text += w.text;
            if (text.contains("Targettobeachieved"))
                EXPECT_TRUE(text.contains(QRegularExpression("tg\\d+|t\\d+w\\d+"))) << p;
        }
        // Every factor and action once.
        const QHash<QString, int> counts = printedWordCounts(pdf);
        for (int i = 1; i <= factors; ++i)
            EXPECT_EQ(counts.value(QString("ba%1").arg(i)), 1) << i;
        for (int i = 1; i <= 51; ++i) {
            if (i % 10 != 0)
                EXPECT_EQ(counts.value(QString("tg%1").arg(i)), 1) << i;
        }
    }
}

TEST_F(SheetsTest, TheFactorListsGoOnUnderTheirHeadingsOnEverySheet) {
    frmExtendedProfile2 page;
    ASSERT_TRUE(showPage(page));
    PreviewList* community = page.communityList;
    for (int i = 1; i <= 66; ++i)
        addToPreview(community, factorText("fc", i), i % 2 == 0, Entry::Pasted);
    const QString pdf = print(page, "factors.pdf");
    EXPECT_TRUE(boxes().isEmpty());
    ASSERT_GE(pdfPages(pdf), 3);
    expectHeadingOnEverySheet(pdf);
    // The preview's heading rows head every sheet.
    const QString headings = withoutSpaces(community->grid()->GetText(1, 1));
    for (int p = 1; p <= pdfPages(pdf); ++p)
        EXPECT_TRUE(withoutSpaces(pdfPageText(pdf, p)).contains(headings.left(20))) << p;
    const QHash<QString, int> counts = printedWordCounts(pdf);
    for (int i = 1; i <= 66; ++i)
        EXPECT_EQ(counts.value(QString("fc%1").arg(i)), 1) << i;
}

TEST_F(SheetsTest, AReviewSplitOverTwoSheetsShowsItsNameOnBoth) {
    frmActionPlan3 page;
    ASSERT_TRUE(showPage(page));
    Grid* reviews = page.gridActionTaken;
    const int first = frmActionPlan3::kFirstReviewRow;
    user::typeIntoCell(reviews, 1, first, "Mrs Reviewer");
    user::pasteIntoCell(reviews, 2, first, longText(1990, "oc").left(1990));
    user::typeIntoCell(reviews, 1, first + 1, "Mr Second");
    user::pasteIntoCell(reviews, 2, first + 1, longText(1990, "rv").left(1990));
    user::typeIntoCell(reviews, 1, first + 2, "Ms Third");
    user::pasteIntoCell(reviews, 2, first + 2, longText(1990, "th").left(1990));
    const QString pdf = print(page, "reviews.pdf");
    EXPECT_TRUE(boxes().isEmpty());
    ASSERT_GE(pdfPages(pdf), 2);
    // The action plan pages print no learner line.
    expectHeadingOnEverySheet(pdf, false);
    const auto words = sheets(pdf);
    for (int p = 2; p < words.size(); ++p) {
        QString text;
        for (const PdfWord& w : words[p])
            text += w.text;
        // The review's column headings on every sheet it goes on to.
        EXPECT_TRUE(text.contains("Outcomeofactionstaken")) << p;
        // The name of each review beside its outcome wherever it goes on.
        if (text.contains(QRegularExpression("rv\\d+")))
            EXPECT_TRUE(text.contains("MrSecond")) << p;
        if (text.contains(QRegularExpression("oc\\d+")))
            EXPECT_TRUE(text.contains("MrsReviewer")) << p;
        if (text.contains(QRegularExpression("th\\d+")))
            EXPECT_TRUE(text.contains("MsThird")) << p;
    }
}

TEST_F(SheetsTest, CriteriaPageSixsOtherRowGoesOnUnderTheColumnHeadingsWithoutALearnerLine) {
    frmCriteriaSelection page(6);
    ASSERT_TRUE(showPage(page));
    const int other = page.layout().otherRow;
    ASSERT_GT(other, 0);
    for (int c = 2; c <= 4; ++c)
        user::pasteIntoCell(page.gridScores, c, other, longText(3000, QString("o%1w").arg(c)));
    const QString pdf = print(page, "criteria6.pdf");
    EXPECT_TRUE(boxes().isEmpty());
    ASSERT_GE(pdfPages(pdf), 2);
    // The EMIS line on every sheet; the criteria pages print no learner line.
    expectHeadingOnEverySheet(pdf, false);
    const QString headings = withoutSpaces(page.gridScores->GetText(1, 1));
    ASSERT_FALSE(headings.isEmpty());
    for (int p = 2; p <= pdfPages(pdf); ++p) {
        const QString text = withoutSpaces(pdfPageText(pdf, p));
        EXPECT_TRUE(text.contains(headings)) << p;
        // The row's label beside its texts on each sheet it goes on to.
        const QString label = withoutSpaces(page.gridScores->GetText(1, other));
        if (!label.isEmpty() && text.contains(QRegularExpression("o\\dw\\d+")))
            EXPECT_TRUE(text.contains(label)) << p;
    }
}

TEST_F(SheetsTest, AStrategyAreasHeadingStandsWithItsFirstLine) {
    const QStringList headings = {"Specialisedstaff",          "Assistivedevices",
                                  "Curriculumdifferentiation", "Training",
                                  "Environmentalaccess",       "Socialsupport"};
    // Full lines up to a point move the area headings through every place on the sheets.
    for (int full = 0; full <= frmActionPlan2::kLines; ++full) {
        SCOPED_TRACE(full);
        frmActionPlan2 page;
        ASSERT_TRUE(showPage(page));
        Grid* s = page.gridStrategy;
        for (int line = 1; line <= frmActionPlan2::kLines; ++line) {
            const int row = frmActionPlan2::lineRow(line);
            // Full lines of three lines' height, the others of one or two.
            const QString text = line <= full ? longText(50, "w").left(52)
                                 : line % 2   ? QString("short")
                                              : longText(25, "v").left(28);
            commitText(s, 1, row, QString("Ln%1 ").arg(line) + text.left(50));
            for (const int c : {3, 4, 5, 6, 7})
                commitText(s, c, row, text);
        }
        const QString pdf = print(page, QString("strategy%1.pdf").arg(full));
        ASSERT_TRUE(boxes().isEmpty());
        for (int p = 1; p <= pdfPages(pdf); ++p) {
            const QString text = withoutSpaces(pdfPageText(pdf, p));
            for (int area = 0; area < 6; ++area) {
                // The heading only where its area's first line starts.
                if (text.contains(headings[area]))
                    EXPECT_TRUE(text.contains(QString("Ln%1").arg(area * 5 + 1)))
                        << "area " << area + 1 << " on sheet " << p;
            }
            if (p > 1)
                EXPECT_TRUE(text.contains("STEPSTOBETAKEN")) << p;
        }
    }
}

TEST_F(SheetsTest, ThePrintDialogsRangeCopiesAndOrderAreHonoured) {
    storeActions(1, 80);
    frmISP page;
    ASSERT_TRUE(showPage(page));
    const QString all = print(page, "all.pdf");
    const int pages = pdfPages(all);
    ASSERT_GE(pages, 4);
    QStringList sheetTexts;
    for (int p = 1; p <= pages; ++p)
        sheetTexts << pdfPageText(all, p);
    // Which sheets of the whole print a print holds, in order.
    const auto sheetsOf = [&](const QString& pdf) {
        QList<int> out;
        for (int p = 1; p <= pdfPages(pdf); ++p)
            out << int(sheetTexts.indexOf(pdfPageText(pdf, p))) + 1;
        return out;
    };
    const struct {
        const char* what;
        int from, to; // 0: all
        int copies;
        bool collate, reverse;
        QList<int> sheets;
    } cases[] = {
        {"2 to 4", 2, 4, 1, true, false, {2, 3, 4}},
        {"2 to 4 reversed", 2, 4, 1, true, true, {4, 3, 2}},
        {"2 to 3 twice", 2, 3, 2, true, false, {2, 3, 2, 3}},
        {"2 to 3 twice uncollated", 2, 3, 2, false, false, {2, 2, 3, 3}},
        {"2 to 3 twice reversed", 2, 3, 2, true, true, {3, 2, 3, 2}},
        {"1 to 1", 1, 1, 1, true, false, {1}},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString pdf = print(page, QString("range%1.pdf").arg(n++), [&](QPrinter& printer) {
            if (c.from > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(c.from, c.to);
            }
            printer.setCopyCount(c.copies);
            printer.setCollateCopies(c.collate);
            printer.setPageOrder(c.reverse ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
        });
        EXPECT_EQ(sheetsOf(pdf), c.sheets) << c.what;
    }
    // All pages reversed: the last sheet first.
    const QString reversed = print(page, "reversed.pdf", [](QPrinter& printer) {
        printer.setPageOrder(QPrinter::LastPageFirst);
    });
    QList<int> backwards;
    for (int p = pages; p >= 1; --p)
        backwards << p;
    EXPECT_EQ(sheetsOf(reversed), backwards);
}

TEST_F(SheetsTest, TheProgressShowsWhileTheSheetsAreWrittenAndEndsOnEveryPath) {
    storeActions(1, 40);
    frmISP page;
    ASSERT_TRUE(showPage(page));
    QStringList texts;
    bool waitCursor = true;
    bool shown = true;
    WritingProgress::setObserver([&](const WritingProgress& p) {
        texts << p.text();
        waitCursor = waitCursor && QApplication::overrideCursor() &&
                     QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        shown = shown && p.shown();
    });
    const QString pdf = print(page, "progress.pdf");
    const int pages = pdfPages(pdf);
    ASSERT_GE(pages, 2);
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_TRUE(waitCursor);
    EXPECT_TRUE(shown);
    for (int n = 1; n <= pages; ++n)
        EXPECT_TRUE(texts.contains(QString("Writing page %1 of %2").arg(n).arg(pages))) << n;
    // Ended: no progress, the pointer as before, no progress window left.
    const auto ended = [&] {
        EXPECT_EQ(WritingProgress::active(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_FALSE(qobject_cast<QProgressDialog*>(w) && w->isVisible());
    };
    ended();

    // A printer that cannot start the job: the error report, the progress ended.
    texts.clear();
    printdialog::setAnswerer([](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName("/nonexistent-folder/x/print.pdf");
        return true;
    });
    user::click(page.cmdPrint);
    EXPECT_EQ(errorProcedures(), QStringList({"Print Routine"}));
    EXPECT_FALSE(texts.isEmpty());
    ended();

    // Cancel in the dialog: no progress at all.
    texts.clear();
    boxes().clear();
    printdialog::setAnswerer(printdialog::cancel);
    user::click(page.cmdPrint);
    EXPECT_TRUE(texts.isEmpty());
    ended();
}

TEST_F(SheetsTest, APagePrintsJobIsNamedAfterThePageAndTheLearner) {
    frmISP page;
    ASSERT_TRUE(showPage(page));
    QString docName;
    printdialog::setAnswerer([&](QPrinter& printer) {
        docName = printer.docName();
        return false;
    });
    user::click(page.cmdPrint);
    EXPECT_EQ(docName, "RER ISP INDIVIDUAL SUPPORT PLAN - O'NEILL Lerato");
}
