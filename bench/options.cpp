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
               "Usage: rer_bench [--learners N,N,...] [--years Y,Y,...] [--runs N] [--out FILE]\n"
               "                 [--work DIR] [--reuse]\n"
               "\n"
               "Builds a synthetic school of each size, measures start-up, the list search, every\n"
               "page's load and save, the roll-over, the reports and the peak memory, prints the\n"
               "figures and writes them into the report file. Schools that keep only the given\n"
               "numbers of data years of background rows show how the list-report window's\n"
               "opening grows with the years.\n"
               "\n"
               "  --learners N,N,...  listed learners of each school, 1 to %1\n"
               "                      (default 200,2000,10000,30000)\n"
               "  --years Y,Y,...     data years of the schools for the list-report window, 1 to "
               "60,\n"
               "                      at the largest size up to 10000 (default 5,15,30; 0: none)\n"
               "  --runs N            timed runs of each operation, at least 1 (default 7)\n"
               "  --out FILE          the report to write (default: BENCHMARKS.md of the sources)\n"
               "  --work DIR          folder for the generated databases (default: a temporary "
               "one)\n"
               "  --reuse             measure a school the work folder holds from an earlier run\n"
               "                      rather than generating it again\n"
               "  --help              this text\n")
        .arg(kMaxBenchLearners);
}

namespace {

// Whole numbers from min to max joined by commas.
bool numberList(const QString& text, int min, int max, QList<int>& values) {
    values.clear();
    for (const QString& part : text.split(',')) {
        int n = 0;
        if (!wholeNumber(part, min, max, n))
            return false;
        values << n;
    }
    return true;
}

} // namespace

bool parseBenchOptions(const QStringList& args, BenchOptions& options, QString& error) {
    options = BenchOptions();
    qsizetype i = 0;
    // The two modes in which rer_bench runs itself as a child process.
    if (args.value(0) == "--generate") {
        options.mode = BenchOptions::Mode::Generate;
        const bool years = args.size() == 5 && args[3] == "--years";
        if ((args.size() != 3 && !years) ||
            !wholeNumber(args[1], 1, kMaxBenchLearners, options.generateLearners) ||
            (years && !wholeNumber(args[4], 1, 60, options.generateYears))) {
            error = "--generate takes a number of learners and a database file, and may take "
                    "--years and a number of years";
            return false;
        }
        options.path = args[2];
        return true;
    }
    if (args.value(0) == "--measure" || args.value(0) == "--measure-window") {
        options.mode = args.value(0) == "--measure" ? BenchOptions::Mode::Measure
                                                    : BenchOptions::Mode::MeasureWindow;
        if (args.size() < 2 || args[1].startsWith("--")) {
            error = args.value(0) + " takes a database file";
            return false;
        }
        options.path = args[1];
        i = 2;
    }
    const bool child = options.mode == BenchOptions::Mode::Measure ||
                       options.mode == BenchOptions::Mode::MeasureWindow;
    for (; i < args.size(); ++i) {
        const QString& name = args[i];
        if (name == "--help" || name == "-h") {
            options.mode = BenchOptions::Mode::Help;
            return true;
        }
        if (!child && name == "--reuse") {
            options.reuse = true;
            continue;
        }
        const bool known = name == "--runs" || (child && name == "--json") ||
                           (!child && (name == "--learners" || name == "--years" ||
                                       name == "--out" || name == "--work"));
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
            if (!numberList(value, 1, kMaxBenchLearners, options.sizes)) {
                error = QString("--learners takes whole numbers from 1 to %1 joined by "
                                "commas, not '%2'")
                            .arg(kMaxBenchLearners)
                            .arg(value);
                return false;
            }
        } else if (name == "--years") {
            if (value.trimmed() == "0") {
                options.years.clear();
            } else if (!numberList(value, 1, 60, options.years)) {
                error = QString("--years takes whole numbers from 1 to 60 joined by commas, or "
                                "0, not '%1'")
                            .arg(value);
                return false;
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
