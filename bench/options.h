#pragma once
// The command line of rer_bench. The measuring run is long and rewrites
// BENCHMARKS.md, so anything the parser does not know ends the program
// before it starts.
#include <QList>
#include <QString>
#include <QStringList>

struct BenchOptions {
    enum class Mode {
        Steer,         // generate and measure every size, write the report
        Generate,      // child: --generate N PATH [--years Y]
        Measure,       // child: --measure PATH [--runs N] [--json FILE]
        MeasureWindow, // child: --measure-window PATH [--runs N] [--json FILE]
        Help,
    };
    Mode mode = Mode::Steer;
    QList<int> sizes{200, 2000, 10000, 30000};
    // The data years of the schools on which the list-report window is
    // opened (empty: none).
    QList<int> years{5, 15, 30};
    bool reuse = false; // keep a school generated before with the same parameters
    int runs = 7;
    QString out;  // empty: the source folder's BENCHMARKS.md
    QString work; // empty: a temporary folder
    QString path; // --generate and --measure: the database
    int generateLearners = 0;
    int generateYears =
        0;        // --generate: only background rows of so many years (0: every table, 15 years)
    QString json; // --measure: where the figures go (empty: PATH.json)
};

// Largest school size: with the archived and unlisted learners beside the
// listed ones (fewer of them at this size), every learner ID stays within
// kMaxLearnerId (generator.h).
constexpr int kMaxBenchLearners = 30000;

// Reads the arguments (without the program name). False when they are not
// valid; error then says why in one line.
bool parseBenchOptions(const QStringList& args, BenchOptions& options, QString& error);

// The text of --help.
QString benchUsage();
