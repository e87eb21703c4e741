#include "bench/options.h"

namespace {

// A whole number from min to max, or false.
bool wholeNumber(const QString& text, int min, int max, int& value) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < min || n > max)
        return false;
    value = n;
    return true;
}

} // namespace

QString benchUsage() {
    return QStringLiteral(
        "Usage: rer_bench [--learners N,N,...] [--runs N] [--out FILE] [--work DIR]\n"
        "\n"
        "Builds a synthetic school of each size, measures start-up, the list search, every\n"
        "page's load and save, the roll-over, the reports and the peak memory, prints the\n"
        "figures and writes them into the report file.\n"
        "\n"
        "  --learners N,N,...  listed learners of each school, 1 to %1\n"
        "                      (default 200,2000,10000)\n"
        "  --runs N            timed runs of each operation, at least 1 (default 7)\n"
        "  --out FILE          the report to write (default: BENCHMARKS.md of the sources)\n"
        "  --work DIR          folder for the generated databases (default: a temporary one)\n"
        "  --help              this text\n")
        .arg(kMaxBenchLearners);
}

bool parseBenchOptions(const QStringList& args, BenchOptions& options, QString& error) {
    options = BenchOptions();
    qsizetype i = 0;
    // The two modes in which rer_bench runs itself as a child process.
    if (args.value(0) == "--generate") {
        options.mode = BenchOptions::Mode::Generate;
        if (args.size() != 3 ||
            !wholeNumber(args[1], 1, kMaxBenchLearners, options.generateLearners)) {
            error = "--generate takes a number of learners and a database file";
            return false;
        }
        options.path = args[2];
        return true;
    }
    if (args.value(0) == "--measure") {
        options.mode = BenchOptions::Mode::Measure;
        if (args.size() < 2 || args[1].startsWith("--")) {
            error = "--measure takes a database file";
            return false;
        }
        options.path = args[1];
        i = 2;
    }
    const bool child = options.mode == BenchOptions::Mode::Measure;
    for (; i < args.size(); ++i) {
        const QString& name = args[i];
        if (name == "--help" || name == "-h") {
            options.mode = BenchOptions::Mode::Help;
            return true;
        }
        const bool known = name == "--runs" || (child && name == "--json") ||
                           (!child && (name == "--learners" || name == "--out" || name == "--work"));
        if (!known) {
            error = QString("unknown argument '%1'").arg(name);
            return false;
        }
        if (i + 1 >= args.size() || args[i + 1].startsWith("--")) {
            error = QString("%1 needs a value").arg(name);
            return false;
        }
        const QString value = args[++i];
        if (name == "--runs") {
            if (!wholeNumber(value, 1, 1000, options.runs)) {
                error = QString("--runs takes a whole number from 1 to 1000, not '%1'").arg(value);
                return false;
            }
        } else if (name == "--learners") {
            options.sizes.clear();
            for (const QString& part : value.split(',')) {
                int n = 0;
                if (!wholeNumber(part, 1, kMaxBenchLearners, n)) {
                    error = QString("--learners takes whole numbers from 1 to %1 joined by "
                                    "commas, not '%2'")
                                .arg(kMaxBenchLearners)
                                .arg(value);
                    return false;
                }
                options.sizes << n;
            }
        } else if (name == "--out") {
            options.out = value;
        } else if (name == "--work") {
            options.work = value;
        } else if (name == "--json") {
            options.json = value;
        }
    }
    return true;
}
