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
    // The learners a typed accession number names, whatever their status,
    // by ID; empty when the filter is a grade or the whole school. Their IDs,
    // given to setFilterLearners, let the next Rep01BackgroundQuery find its
    // learners by ID: the host's table has no index on the accession number.
    QString Rep01FilterLearnersQuery();
    void setFilterLearners(const QList<qint64>& learnerIds);
    // The diagnostic-profile subreport: one row per learner and area of
    // impairment, from the health report and the scores of gReportYear, for
    // the learners of the last Rep01BackgroundQuery.
    QString Rep01DPQuery();
    // The criteria-score subreport: every score of gReportYear of the
    // learners of the last Rep01BackgroundQuery.
    QString Rep01CFS();

    // The learners the last Rep01BackgroundQuery gave, its LearnerID column
    // as read: the subreport queries that follow read their rows only.
    void setMainLearners(const QList<qint64>& learnerIds);

private:
    // "(SELECT LI.ID ...)" or "(id, ...)": the learners the main query lists.
    QString profileLearnerIds() const;
    QString m_filter; // the learner filter with the status, built afresh at each call
    QList<qint64> m_mainLearners;
    QList<qint64> m_filterLearners; // for the next Rep01BackgroundQuery only
};
