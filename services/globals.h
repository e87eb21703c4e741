#pragma once
// The program-wide working state: set by the start-up windows, read by all.
#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <optional>

extern qint16 gDataYear;
extern qint16 gReportYear;
// The current learner's key: the host's whole-number ID exactly (learnerKey).
extern qint64 gLearnerID;
extern QString gLearnerName;
extern QString gAccessionNo;
extern QString gBirthDate; // YYYYMMDD
extern QString gSchoolName;
extern QString gDistrict;
extern QString gCircuit;
extern QString gEmisCode;
extern QString gBarriers;

// The key a learner's rows are kept under: the host's ID (Learner_Info.ID) as
// read from the database, when it is a whole number (one stored as a whole
// number, or as a number without a fraction that a 64-bit key holds exactly).
// None for any other ID (Null, a text, a fraction): such a learner cannot be
// chosen, as no key would be that learner's alone.
std::optional<qint64> learnerKey(const QVariant& hostId);

// What Print Learner Profile hands to the report options window
// ("frmReportOptions") just before showing it: the accession number of the
// clicked learner (empty when none) and the report to run.
struct ReportOptionsRequest {
    QString txtAccession;
    QString strReportName;
};
extern ReportOptionsRequest gReportOptionsRequest;
