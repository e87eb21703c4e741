#include "services/globals.h"

#include <cmath>

qint16 gDataYear = 0;
qint16 gReportYear = 0;
qint64 gLearnerID = 0;
QString gLearnerName;
QString gAccessionNo;
QString gBirthDate;
QString gSchoolName;
QString gDistrict;
QString gCircuit;
QString gEmisCode;
QString gBarriers;
ReportOptionsRequest gReportOptionsRequest;

std::optional<qint64> learnerKey(const QVariant& hostId) {
    if (hostId.typeId() == QMetaType::LongLong)
        return hostId.toLongLong();
    if (hostId.typeId() == QMetaType::Double) {
        // Whole numbers up to 2^53 are held by a double exactly.
        constexpr double kExact = 9007199254740992.0;
        const double d = hostId.toDouble();
        if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) <= kExact)
            return qint64(d);
    }
    return std::nullopt;
}
