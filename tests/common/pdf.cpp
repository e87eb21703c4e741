#include "tests/common/pdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QString spellLigatures(QString text) {
    static const std::pair<const char16_t*, const char*> ligatures[] = {
        {u"\uFB00", "ff"},  {u"\uFB01", "fi"}, {u"\uFB02", "fl"}, {u"\uFB03", "ffi"},
        {u"\uFB04", "ffl"}, {u"\uFB05", "st"}, {u"\uFB06", "st"}};
    for (const auto& [ligature, letters] : ligatures)
        text.replace(QString::fromUtf16(ligature), QLatin1String(letters));
    return text;
}

// Runs a poppler tool; fails the test when it did not run, ended with an
// error or printed nothing.
QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    const bool finished = p.waitForFinished(60000);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    if (!finished || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << args.join(' ').toStdString()
                      << " failed: " << p.errorString().toStdString() << " "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    if (out.trimmed().isEmpty())
        ADD_FAILURE() << program.toStdString() << " read nothing from "
                      << args.join(' ').toStdString();
    return spellLigatures(out);
}

QString unescaped(QString text) {
    text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
    text.replace("&apos;", "'").replace("&#39;", "'").replace("&amp;", "&");
    return text;
}

} // namespace

QString pdfText(const QString& path, int firstPage, int lastPage) {
    QStringList args = {"-layout"};
    if (firstPage > 0)
        args << "-f" << QString::number(firstPage);
    if (lastPage > 0)
        args << "-l" << QString::number(lastPage);
    return run("pdftotext", args << path << "-");
}

QString pdfPageText(const QString& path, int page) {
    return pdfText(path, page, page);
}

QString withoutSpaces(QString text) {
    static const QRegularExpression space("\\s");
    return text.remove(space);
}

QString pdfInfo(const QString& path) {
    return run("pdfinfo", {path});
}

int pdfPages(const QString& path) {
    const auto m = QRegularExpression(R"(Pages:\s+(\d+))").match(pdfInfo(path));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QSizeF pdfPageSize(const QString& path) {
    const auto m = QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+))").match(pdfInfo(path));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

bool pdfIsLandscape(const QString& path) {
    const QSizeF size = pdfPageSize(path);
    return size.width() > size.height();
}

QString pdfFonts(const QString& path) {
    return run("pdffonts", {path});
}

QList<PdfWord> pdfWords(const QString& path) {
    const QString html = run("pdftotext", {"-bbox", path, "-"});
    static const QRegularExpression tag(
        R"re(<page |<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    QList<PdfWord> words;
    int page = 0;
    for (const QRegularExpressionMatch& m : tag.globalMatch(html)) {
        if (m.captured(0).startsWith("<page")) {
            ++page;
            continue;
        }
        words << PdfWord{unescaped(m.captured(5)),
                         QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                         page};
    }
    return words;
}

QRectF pdfWordBox(const QString& path, const QString& word) {
    for (const PdfWord& w : pdfWords(path)) {
        if (w.text == word)
            return w.box;
    }
    return {};
}

QList<double> pdfWordTops(const QString& path, const QString& word) {
    QList<double> tops;
    for (const PdfWord& w : pdfWords(path)) {
        if (w.text == word)
            tops << w.box.top();
    }
    return tops;
}

QImage pdfImage(const QString& path, int page, int dpi) {
    QProcess p;
    p.start("pdftoppm", {"-gray", "-r", QString::number(dpi), "-f", QString::number(page), "-l",
                         QString::number(page), path});
    const bool finished = p.waitForFinished(60000);
    const QByteArray out = p.readAllStandardOutput();
    if (!finished || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftoppm failed on " << path.toStdString() << ": "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    QImage image = QImage::fromData(out, "PGM");
    if (image.isNull())
        ADD_FAILURE() << "pdftoppm gave no picture of " << path.toStdString() << " page " << page;
    return image.convertToFormat(QImage::Format_Grayscale8);
}

QList<QPair<int, int>> darkRuns(const QImage& image, int y) {
    QList<QPair<int, int>> runs;
    if (y < 0 || y >= image.height())
        return runs;
    const uchar* line = image.constScanLine(y);
    int start = -1;
    for (int x = 0; x <= image.width(); ++x) {
        const bool dark = x < image.width() && line[x] < 128;
        if (dark && start < 0)
            start = x;
        if (!dark && start >= 0) {
            runs.append({start, x - start});
            start = -1;
        }
    }
    return runs;
}
