#pragma once
// A synthetic school for the benchmark: the host tables of the demo school
// (its grades, disabilities and school details) with generated learners, the
// program's own tables made by checkTables, and years of assessments for the
// learners, all from a fixed seed so that every run builds the same file.
#include <QString>
#include <QtGlobal>

// The highest learner ID of a generated school: its IDs stay within the
// 16-bit range of the host's learner numbers, whatever its size.
constexpr int kMaxLearnerId = 32767;

struct SchoolSize {
    int listed = 2000;    // current learners in the learner list
    int archived = 0;     // archived learners (the Archived list)
    int notListed = 0;    // current learners that belong to no list
    int firstYear = 2011; // first data year with assessments
    int lastYear = 2025;  // last data year with assessments (the roll-over's previous year)
    quint32 seed = 20260611;
    // Only the learners and their background rows (all the list-report
    // window reads), for schools that differ in the years they keep.
    bool backgroundOnly = false;

    // listed learners with a quarter as many archived and not-listed ones, and
    // fifteen data years ending in the year before currentYear.
    static SchoolSize forLearners(int listed, int currentYear);
    // The same learners with only background rows, of the given number of
    // years ending in the year before currentYear.
    static SchoolSize backgroundYears(int listed, int years, int currentYear);
};

// What the generator wrote, for the benchmark's choice of learner and its report.
struct GeneratedSchool {
    QString path;
    qint64 learnerRows = 0;
    qint64 assessmentRows = 0; // rows written into the program's section tables
    qint64 fileBytes = 0;
    qint32 sampleLearnerId = 0; // a listed learner with every section filled
    double seconds = 0;
};

// Writes the school to path (replacing any file there). Needs the Qt
// application object: the program's tables are created through checkTables,
// with gDbPath pointing at path while it runs.
GeneratedSchool generateSchool(const QString& path, const SchoolSize& size,
                               const QString& demoScriptPath);
