#include "platform/sqlquote.h"

QString SqlDoubled(const QString& text) {
    QString result = text;
    result.replace(QLatin1Char('\''), QStringLiteral("''"));
    return result;
}

QString SqlText(const QString& text) {
    const QString result = SqlDoubled(text);
    if (result.isEmpty())
        return QStringLiteral(" ");
    return result;
}

QString quoted(const QString& text) {
    return '\'' + SqlText(text) + '\'';
}

QString quotedExact(const QString& text) {
    return '\'' + SqlDoubled(text) + '\'';
}

QString bracketedName(const QString& name) {
    QString inner = name;
    inner.replace(QLatin1Char(']'), QStringLiteral("]]"));
    return '[' + inner + ']';
}
