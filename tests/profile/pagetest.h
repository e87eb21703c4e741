#pragma once
// What the page tests share: a demo database with the program's tables, the
// current learner and data year set, and the text of a printed PDF.
#include "platform/printdialog.h"
#include "profile/assessmentpage.h"
#include "tests/common/fixture.h"
#include "tests/common/pdf.h"
#include "workspace/checktables.h"
#include "workspace/globals.h"
#include "workspace/moddatabaseconnection.h"

#include <QApplication>
#include <QPushButton>
#include <QRectF>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>
#include <functional>

class PageTest : public DemoDbTest {
protected:
    void SetUp() override {
        DemoDbTest::SetUp();
        checkTables();
        gLearnerID = 2;
        gDataYear = 2026;
        gLearnerName = "O'NEILL Lerato";
        gAccessionNo = "006";
        gEmisCode = "700123456";
        boxes().clear();
    }
    void TearDown() override {
        printdialog::setAnswerer({});
        DemoDbTest::TearDown();
    }

    // Messages shown so far, as "title: text".
    QStringList shown() {
        QStringList out;
        for (const msgbox::Shown& box : boxes())
            out << box.title + ": " + box.text;
        return out;
    }
    // The procedure lines of the error reports shown so far.
    QStringList errorProcedures() {
        QStringList out;
        for (const msgbox::Shown& box : boxes()) {
            if (box.title.startsWith("Error : "))
                out << box.text.section("Procedure: ", 1);
        }
        return out;
    }
    static bool connectionClosed() {
        return !gConnection || gConnection->State() == ado::adStateClosed;
    }
    QString pdfPath(const QString& name) const { return dir.filePath(name); }
};

// Walks a chain of pages as a user would while start() runs it: each page
// that shows is left by the next step of the script ("next", "previous" or
// "menu"; "menu" once the script is spent, or by a page without that button).
// Returns the form names of the pages shown, in order.
inline QStringList walkChain(const std::function<void()>& start, const QStringList& script) {
    QStringList visited;
    int step = 0;
    int ticks = 0;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* page = qobject_cast<AssessmentPage*>(w);
            if (!page || !page->isVisible() || page->property("walked").toBool())
                continue;
            page->setProperty("walked", true);
            visited << page->formName();
            const QString action = step < script.size() && ticks < 1000 ? script[step++] : "menu";
            QPushButton* button = action == "next"       ? page->cmdNext
                                  : action == "previous" ? page->cmdPrevious
                                                         : page->cmdMenu;
            (button ? button : page->cmdMenu)->click();
            return;
        }
    });
    timer.start();
    start();
    timer.stop();
    return visited;
}
