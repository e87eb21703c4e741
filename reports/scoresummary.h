#pragma once
// The learner score summary's data: the levels of the eight areas of
// impairment from the report year's criteria scores and the five
// support-area ratings, one row a learner, built in memory for the report
// viewer's score summary.
#include "platform/adodb.h"

#include <QString>
#include <memory>

// The level of an average criteria score: exactly 1 "MILD", 2 "MODERATE",
// 3 "SEVERE", anything else "N/A".
QString getLevelText(double average);

// The in-memory score summary of the learners of the learner query, one row
// per learner (columns Grade, FName, SName, AccessionNo, ID, Mobility,
// SelfCare, Communication, Vision, Hearing, Mental, Cognition, Needs, Staff,
// HRD, Devices, Cassessment, Access), built on the open gConnection for the
// report year.
std::unique_ptr<ado::Recordset> buildScoreSummaryTable(const QString& learnerQuery, int year);

// The learner query of the score summary for RepGrade and RepVar.
QString scoreSummaryLearnerQuery(bool repGrade, const QString& repVar);
// The score summary's two queries for the learners of its learner query:
// the average score per learner and domain, and the ratings per learner.
QString scoreSummaryScoresQuery(const QString& learnerQuery, int year);
QString scoreSummaryRatingsQuery(const QString& learnerQuery, int year);
