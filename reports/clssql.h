#pragma once
// The query texts of the grade list and of the learner profile's three data
// sources. The texts only: nothing here touches the database. The report
// options window and the report viewer each keep one instance.
#include <QList>
#include <QString>

class clsSQL {
public:
    // The grades that hold a learner with special needs or a social grant.
    QString qSchoolGrades();
    // The profile's main data: one row per learner and additional disability,
    // for the learner filter of the viewer's default instance (RepGrade and
    // RepVar) and gReportYear.
    QString Rep01BackgroundQuery();
    // The diagnostic-profile subreport: one row per learner and area of
    // impairment, from the health report and the scores of gReportYear, for
    // the learners of the last Rep01BackgroundQuery.
    QString Rep01DPQuery();
    // The criteria-score subreport: every score of gReportYear of the
    // learners of the last Rep01BackgroundQuery.
    QString Rep01CFS();

    // The learners the last Rep01BackgroundQuery gave, by ID: the subreport
    // queries that follow read their rows only.
    void setMainLearners(const QList<qint64>& learnerIds);

private:
    // "(SELECT LI.ID ...)" or "(id, ...)": the learners the main query lists.
    QString profileLearnerIds() const;
    QString m_body;   // the statement up to its learner filter
    QString m_filter; // the learner filter with the status, built afresh at each call
    QList<qint64> m_mainLearners;
};
