#include "platform/sqlfunctions.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cmath>
#include <sqlite3.h>

namespace {

// A value as the host engine prints it where it becomes text: a number
// with a fraction only when it has one (6/3 reads "2", not "2.0").
QString argText(sqlite3_value* v) {
    if (sqlite3_value_type(v) == SQLITE_FLOAT)
        return QString::number(sqlite3_value_double(v), 'g', 15);
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                             sqlite3_value_bytes(v));
}

void resultText(sqlite3_context* ctx, const QString& s) {
    const QByteArray u = s.toUtf8();
    sqlite3_result_text(ctx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

// The bytes of a text argument when every character of it is plain ASCII,
// one byte each, so that it is cut and counted as it stands; a number with a
// fraction is not, as it becomes text the host engine's way (argText).
bool asciiArg(sqlite3_value* v, const char*& text, int& size) {
    if (sqlite3_value_type(v) == SQLITE_FLOAT)
        return false;
    text = reinterpret_cast<const char*>(sqlite3_value_text(v));
    size = sqlite3_value_bytes(v);
    if (!text)
        return false;
    for (int i = 0; i < size; ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return false;
    return true;
}

// a & b & ...: Null counts as the empty text; Null only when every part is.
// Report queries run it on every row, so plain ASCII parts are joined as
// they stand.
void jetConcat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    {
        QByteArray joined;
        bool any = false;
        bool ascii = true;
        for (int i = 0; i < argc && ascii; ++i) {
            if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
                continue;
            any = true;
            const char* text = nullptr;
            int size = 0;
            ascii = asciiArg(argv[i], text, size);
            if (ascii)
                joined.append(text, size);
        }
        if (ascii) {
            if (any)
                sqlite3_result_text(ctx, joined.constData(), int(joined.size()), SQLITE_TRANSIENT);
            else
                sqlite3_result_null(ctx);
            return;
        }
    }
    QString s;
    bool any = false;
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            continue;
        any = true;
        s += argText(argv[i]);
    }
    if (any)
        resultText(ctx, s);
    else
        sqlite3_result_null(ctx);
}

void jetIsNull(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_result_int(ctx, sqlite3_value_type(argv[0]) == SQLITE_NULL ? -1 : 0);
}

void jetLen(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        sqlite3_result_null(ctx);
    else {
        const char* text = nullptr;
        int size = 0;
        sqlite3_result_int64(ctx, asciiArg(argv[0], text, size) ? size : argText(argv[0]).size());
    }
}

// Mid(text, start[, length]), start counted from 1.
void jetMid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const qint64 start = sqlite3_value_int64(argv[1]);
    if (start < 1 || (argc > 2 && sqlite3_value_int64(argv[2]) < 0)) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
        return;
    }
    const char* text = nullptr;
    int size = 0;
    if (asciiArg(argv[0], text, size)) {
        const qint64 from = std::min<qint64>(start - 1, size);
        const qint64 n =
            argc > 2 ? std::min<qint64>(sqlite3_value_int64(argv[2]), size - from) : size - from;
        sqlite3_result_text(ctx, text + from, int(n), SQLITE_TRANSIENT);
        return;
    }
    const QString s = argText(argv[0]);
    resultText(ctx, argc > 2 ? s.mid(start - 1, sqlite3_value_int64(argv[2])) : s.mid(start - 1));
}

void jetLeft(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const qint64 n = sqlite3_value_int64(argv[1]);
    if (n < 0) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
        return;
    }
    const char* text = nullptr;
    int size = 0;
    if (asciiArg(argv[0], text, size)) {
        sqlite3_result_text(ctx, text, int(std::min<qint64>(n, size)), SQLITE_TRANSIENT);
        return;
    }
    resultText(ctx, argText(argv[0]).left(n));
}

// CInt: to a 16-bit whole number, halves to the even neighbour.
void jetCInt(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const int type = sqlite3_value_numeric_type(argv[0]);
    if (type == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    if (type != SQLITE_INTEGER && type != SQLITE_FLOAT) {
        sqlite3_result_error(ctx, "Type mismatch", -1);
        return;
    }
    const double r = std::nearbyint(sqlite3_value_double(argv[0])); // FE_TONEAREST: half to even
    if (r < -32768.0 || r > 32767.0) {
        sqlite3_result_error(ctx, "Overflow", -1);
        return;
    }
    sqlite3_result_int(ctx, int(r));
}

// Text compared without case for every letter, and ordered as the host
// engine orders it, the same on every machine: first by the letters without
// case and without their accents (so "Émile" sorts among the Es), then by
// the letters without case. Texts equal without case are equal. On plain
// ASCII texts this is SQLite's NOCASE order, and it is worked out as cheaply.
QString withoutAccents(const QString& folded) {
    const QString decomposed = folded.normalized(QString::NormalizationForm_D);
    QString plain;
    plain.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (!c.isMark())
            plain += c;
    return plain;
}

int jetNoCase(void*, int n1, const void* s1, int n2, const void* s2) {
    const auto* a = static_cast<const unsigned char*>(s1);
    const auto* b = static_cast<const unsigned char*>(s2);
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : int(c); };
    // Up to the first letter beyond ASCII, the first difference decides.
    int i = 0;
    for (; i < n1 && i < n2 && a[i] < 0x80 && b[i] < 0x80; ++i) {
        const int d = lower(a[i]) - lower(b[i]);
        if (d != 0)
            return d;
    }
    if ((i == n1 || a[i] < 0x80) && (i == n2 || b[i] < 0x80))
        return n1 == n2 ? 0 : (n1 < n2 ? -1 : 1);
    const QString fa = QString::fromUtf8(reinterpret_cast<const char*>(a), n1).toCaseFolded();
    const QString fb = QString::fromUtf8(reinterpret_cast<const char*>(b), n2).toCaseFolded();
    const int primary = withoutAccents(fa).compare(withoutAccents(fb));
    if (primary != 0)
        return primary;
    return fa.compare(fb);
}

} // namespace

void registerSqlFunctions(sqlite3* db) {
    // The program's statements alone call them: no trigger, view, index or
    // default of the database file can.
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_DIRECTONLY;
    sqlite3_create_function(db, "jet_concat", -1, flags, nullptr, jetConcat, nullptr, nullptr);
    sqlite3_create_function(db, "jet_isnull", 1, flags, nullptr, jetIsNull, nullptr, nullptr);
    sqlite3_create_function(db, "len", 1, flags, nullptr, jetLen, nullptr, nullptr);
    sqlite3_create_function(db, "mid", 2, flags, nullptr, jetMid, nullptr, nullptr);
    sqlite3_create_function(db, "mid", 3, flags, nullptr, jetMid, nullptr, nullptr);
    sqlite3_create_function(db, "jet_left", 2, flags, nullptr, jetLeft, nullptr, nullptr);
    sqlite3_create_function(db, "cint", 1, flags, nullptr, jetCInt, nullptr, nullptr);
    sqlite3_create_collation(db, "jet_nocase", SQLITE_UTF8, nullptr, jetNoCase);
}
