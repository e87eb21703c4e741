#pragma once
// What the page tests share: a demo database with the program's tables, the
// current learner and data year set, and the text of a printed PDF.
#include "platform/printdialog.h"
#include "tests/common/fixture.h"
#include "workspace/checktables.h"
#include "workspace/globals.h"
#include "workspace/moddatabaseconnection.h"

#include <QProcess>
#include <QStringList>

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
