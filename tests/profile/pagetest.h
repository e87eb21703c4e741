#pragma once
// What the page tests share: a demo database with the program's tables, the
// current learner and data year set, and the text of a printed PDF.
#include "platform/printdialog.h"
#include "tests/common/fixture.h"
#include "workspace/checktables.h"
#include "workspace/globals.h"
#include "workspace/moddatabaseconnection.h"

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
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
