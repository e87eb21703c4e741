// rer_bench's command line: help, and a refusal of anything it does not
// know before it measures or writes anything.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct BenchRun {
    int exitCode = -1;
    QString out;
    QString err;
};

BenchRun bench(const QStringList& args) {
    QProcess p;
    p.start(RER_BENCH_PATH, args);
    BenchRun r;
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        r.err = "still running after 20 s";
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

TEST(BenchCommandLine, HelpDescribesTheOptionsAndMeasuresNothing) {
    for (const char* help : {"--help", "-h"}) {
        const BenchRun r = bench({help});
        EXPECT_EQ(r.exitCode, 0) << help << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith("Usage: rer_bench")) << r.out.toStdString();
        for (const char* option : {"--learners", "--runs", "--out", "--work"})
            EXPECT_TRUE(r.out.contains(option)) << option;
    }
}

TEST(BenchCommandLine, UnknownArgumentsAndInvalidCountsAreRefused) {
    QTemporaryDir dir;
    const QString report = dir.filePath("BENCHMARKS.md");
    QFile f(report);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("kept\n");
    f.close();
    struct Case {
        QStringList args;
        const char* says;
    };
    const Case cases[] = {
        {{"--bogus"}, "unknown argument '--bogus'"},
        {{"help"}, "unknown argument 'help'"},
        {{"--runs", "0"}, "--runs"},
        {{"--runs", "many"}, "--runs"},
        {{"--runs", "-3"}, "--runs"},
        {{"--runs"}, "--runs needs a value"},
        {{"--learners", "200,abc"}, "--learners"},
        {{"--learners", "0"}, "--learners"},
        {{"--learners", "200,,2000"}, "--learners"},
        {{"--measure"}, "--measure"},
        {{"--generate", "ten", "x.db"}, "--generate"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const BenchRun r = bench(c.args + QStringList{"--out", report, "--work", dir.path()});
        EXPECT_EQ(r.exitCode, 2) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("rer_bench --help")) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "kept\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"BENCHMARKS.md"});
}

} // namespace
