#pragma once
// What the page tests share: a demo database with the program's tables, the
// current learner and data year set, and the text of a printed PDF.
#include "platform/printdialog.h"
#include "profile/assessmentpage.h"
#include "tests/common/fixture.h"
#include "workspace/checktables.h"
#include "workspace/globals.h"
#include "workspace/moddatabaseconnection.h"

#include <QApplication>
#include <QProcess>
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

// The text of a PDF as pdftotext reads it (layout kept).
inline QString pdfText(const QString& path) {
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// "Pages" and "Page size" lines of pdfinfo.
inline QString pdfInfo(const QString& path) {
    QProcess p;
    p.start("pdfinfo", {path});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline int pdfPages(const QString& path) {
    for (const QString& line : pdfInfo(path).split('\n')) {
        if (line.startsWith("Pages:"))
            return line.section(':', 1).trimmed().toInt();
    }
    return 0;
}

// True when the first sheet of a PDF is wider than it is high.
inline bool pdfIsLandscape(const QString& path) {
    const QStringList size =
        pdfInfo(path).section("Page size:", 1).trimmed().section(' ', 0, 2).split(" x ");
    return size.size() == 2 && size[0].toDouble() > size[1].toDouble();
}

// The box, in points from the sheet's top-left corner, of the first word of
// the PDF that reads word; a null box when there is none.
inline QRectF pdfWordBox(const QString& path, const QString& word) {
    QProcess p;
    p.start("pdftotext", {"-bbox", path, "-"});
    p.waitForFinished(30000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    const QRegularExpression re("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                                "yMax=\"([0-9.]+)\">" +
                                QRegularExpression::escape(word) + "</word>");
    const QRegularExpressionMatch m = re.match(html);
    if (!m.hasMatch())
        return {};
    return QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                  QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
}

// The names of the fonts a PDF uses, as pdffonts lists them.
inline QString pdfFonts(const QString& path) {
    QProcess p;
    p.start("pdffonts", {path});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

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
