#pragma once
// The program-wide working state: set by the start-up windows, read by all.
#include <QString>
#include <QtGlobal>

extern qint16 gDataYear;
extern qint16 gReportYear;
extern qint32 gLearnerID; // 32-bit: learner ids above 32767 are served like any other
extern QString gLearnerName;
extern QString gAccessionNo;
extern QString gBirthDate; // YYYYMMDD
extern QString gSchoolName;
extern QString gDistrict;
extern QString gCircuit;
extern QString gEmisCode;
extern QString gBarriers;

// What Print Learner Profile hands to the report options window
// ("frmReportOptions") just before showing it: the accession number of the
// clicked learner (empty when none) and the report to run.
struct ReportOptionsRequest {
    QString txtAccession;
    QString strReportName;
};
extern ReportOptionsRequest gReportOptionsRequest;
