#pragma once
// What a caller asks of the report viewer (reports/frmreportview.h): the
// viewer's properties, kept on its default instance, and the learner filter
// that the report queries build from RepGrade and RepVar.
#include <QString>

// The viewer's properties: what the caller sets before showing it.
struct ReportviewProperties {
    QString ReportMode;    // "LearnerSummary", "LearnerList", "MainReport", "ScoreSummary"
    QString SQL;           // query of the list reports; the score summary's learner query
    QString RepVar;        // a grade ID, an accession number, or empty for all learners
    bool RepGrade = false; // RepVar holds a grade ID
    QString Learner;       // stored only
    QString ReportTitle;   // stored only
};

// The default instance's properties (frmReportview::Default()), shared by
// every viewer window and caller.
ReportviewProperties& reportviewDefault();

// The learners a report run is narrowed to: the grade chosen from the grade
// list (gradeTerm followed by its ID, always a number), else the accession
// number typed (accessionTerm followed by it as a quoted literal), else none.
QString reportLearnerFilter(bool repGrade, const QString& repVar, const QString& gradeTerm,
                            const QString& accessionTerm);
