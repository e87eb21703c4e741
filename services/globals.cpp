#include "services/globals.h"

qint16 gDataYear = 0;
qint16 gReportYear = 0;
qint32 gLearnerID = 0;
QString gLearnerName;
QString gAccessionNo;
QString gBirthDate;
QString gSchoolName;
QString gDistrict;
QString gCircuit;
QString gEmisCode;
QString gBarriers;
ReportOptionsRequest gReportOptionsRequest;
