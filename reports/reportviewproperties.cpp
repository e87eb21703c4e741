#include "reports/reportviewproperties.h"

#include "platform/sqlquote.h"

ReportviewProperties& reportviewDefault() {
    static ReportviewProperties properties;
    return properties;
}

QString reportLearnerFilter(bool repGrade, const QString& repVar, const QString& gradeTerm,
                            const QString& accessionTerm) {
    if (repGrade) {
        bool isNumber = false;
        const qint64 gradeId = repVar.trimmed().toLongLong(&isNumber);
        return gradeTerm + QString::number(isNumber ? gradeId : 0);
    }
    // A quote in a typed accession number stays part of the value.
    if (!repVar.isEmpty())
        return accessionTerm + quoted(repVar);
    return QString();
}
