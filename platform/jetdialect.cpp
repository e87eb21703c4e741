#include "platform/jetdialect.h"

#include "platform/apperror.h"
#include "platform/sqlfunctions.h"
#include "platform/sqlquote.h"

#include <QHash>
#include <QRegularExpression>
#include <QVector>
#include <sqlite3.h>

// The translation works on tokens, in a fixed order of passes over each
// statement of the text:
//   1. literals      #date# to ISO text, True/False to -1/0, "text" to 'text'
//   2. functions     Left( and IsNull( renamed (SQLite reads both as keywords)
//   3. division      a / b always divides as floating point
//   4. statements    CREATE/ALTER column types, the DELETE and UPDATE forms
//   5. concatenation each chain a & b & c becomes jet_concat(a, b, c)
//   6. text order    ORDER BY / GROUP BY terms and text literals compared
//                    with COLLATE jet_nocase (every letter without case, as
//                    the host engine compares; the tables keep NOCASE)
//   7. result names  unaliased outer columns X.Y get the name Y
//   8. names         a [name] holding a ] (doubled in it) in SQLite's quotes
// Quoted text, [names] and #dates# are single tokens, so no pass looks inside.
//
// A text that is not well-formed (an unterminated quote or name, a #date#
// that is no date, two literals with no operator between them, an unknown
// DELETE target) is refused with the host engine's syntax error, never
// rewritten into some other statement.

namespace {

enum class Kind { Space, Word, Number, Text, Name, Date, Punct };

struct Token {
    Kind kind;
    QString text;
    bool is(const char* word) const {
        return kind == Kind::Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isPunct(const char* p) const { return kind == Kind::Punct && text == QLatin1String(p); }
};

using Tokens = QVector<Token>;

// The host engine's syntax error.
[[noreturn]] void syntaxError(const QString& what, const QString& sql) {
    throw AppError(3075, QString("Syntax error %1 in query expression '%2'.").arg(what, sql));
}

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == '_' || c == '$';
}

Tokens tokenize(const QString& s) {
    Tokens out;
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        qsizetype j = i + 1;
        Kind kind = Kind::Punct;
        if (c.isSpace()) {
            while (j < n && s[j].isSpace())
                ++j;
            kind = Kind::Space;
        } else if (c == '\'' || c == '"') {
            // Quoted text; a doubled quote stands for one.
            bool closed = false;
            while (j < n) {
                if (s[j] == c) {
                    if (j + 1 < n && s[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    ++j;
                    closed = true;
                    break;
                }
                ++j;
            }
            if (!closed)
                syntaxError("in string", s);
            kind = Kind::Text;
        } else if (c == '[') {
            // A name; a doubled ] inside stands for one.
            while (j < n && (s[j] != ']' || (j + 1 < n && s[j + 1] == ']')))
                j += s[j] == ']' ? 2 : 1;
            if (j >= n)
                syntaxError("(unterminated name)", s);
            ++j;
            kind = Kind::Name;
        } else if (c == '#') {
            const qsizetype close = s.indexOf('#', j);
            if (close > 0) {
                j = close + 1;
                kind = Kind::Date;
            }
        } else if (c.isDigit() || (c == '.' && i + 1 < n && s[i + 1].isDigit() &&
                                   (out.isEmpty() || out.last().kind != Kind::Word))) {
            while (j < n && (s[j].isDigit() || s[j] == '.'))
                ++j;
            if (j < n && (s[j] == 'e' || s[j] == 'E')) {
                qsizetype k = j + 1;
                if (k < n && (s[k] == '+' || s[k] == '-'))
                    ++k;
                if (k < n && s[k].isDigit()) {
                    j = k;
                    while (j < n && s[j].isDigit())
                        ++j;
                }
            }
            // A number glued to letters is a name (Jet allows 2ndTerm).
            if (j < n && isWordChar(s[j])) {
                while (j < n && isWordChar(s[j]))
                    ++j;
                kind = Kind::Word;
            } else {
                kind = Kind::Number;
            }
        } else if (isWordChar(c)) {
            while (j < n && isWordChar(s[j]))
                ++j;
            kind = Kind::Word;
        } else if (j < n) {
            const QString two = s.mid(i, 2);
            if (two == "<>" || two == "<=" || two == ">=" || two == "!=" || two == "==" ||
                two == "||")
                j = i + 2;
        }
        out.append({kind, s.mid(i, j - i)});
        i = j;
    }
    return out;
}

QString join(const Tokens& t) {
    QString s;
    for (const Token& k : t)
        s += k.text;
    return s;
}

Token word(const QString& w) {
    return {Kind::Word, w};
}
Token punct(const QString& p) {
    return {Kind::Punct, p};
}
Token space() {
    return {Kind::Space, " "};
}

void insertAt(Tokens& t, qsizetype at, const Tokens& what) {
    for (qsizetype k = 0; k < what.size(); ++k)
        t.insert(at + k, what[k]);
}

// Index of the next token from i on that is not blank, or t.size().
qsizetype nextSolid(const Tokens& t, qsizetype i) {
    while (i < t.size() && t[i].kind == Kind::Space)
        ++i;
    return i;
}

qsizetype prevSolid(const Tokens& t, qsizetype i) {
    while (i >= 0 && t[i].kind == Kind::Space)
        --i;
    return i;
}

// Index of the bracket that closes the one at open, or t.size().
qsizetype matchingParen(const Tokens& t, qsizetype open) {
    int depth = 0;
    for (qsizetype i = open; i < t.size(); ++i) {
        if (t[i].isPunct("("))
            ++depth;
        else if (t[i].isPunct(")") && --depth == 0)
            return i;
    }
    return t.size();
}

// Position of the first top-level word w at or after from (bracket depth 0),
// or -1.
qsizetype findTopWord(const Tokens& t, const char* w, qsizetype from = 0, qsizetype to = -1) {
    if (to < 0)
        to = t.size();
    int depth = 0;
    for (qsizetype i = from; i < to; ++i) {
        if (t[i].isPunct("("))
            ++depth;
        else if (t[i].isPunct(")"))
            --depth;
        else if (depth == 0 && t[i].is(w))
            return i;
    }
    return -1;
}

Tokens slice(const Tokens& t, qsizetype from, qsizetype to) {
    return t.mid(from, qMax<qsizetype>(0, to - from));
}

Tokens trimmed(Tokens t) {
    while (!t.isEmpty() && t.first().kind == Kind::Space)
        t.removeFirst();
    while (!t.isEmpty() && t.last().kind == Kind::Space)
        t.removeLast();
    return t;
}

// ---- 1. literals ---------------------------------------------------------------

// #...# as the program writes it (ISO) or in the host engine's US order.
QString dateLiteral(const QString& inner) {
    static const QRegularExpression iso(
        R"(^\s*(\d{4})[-/](\d{1,2})[-/](\d{1,2})(?:[ T]+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)");
    static const QRegularExpression us(
        R"(^\s*(\d{1,2})/(\d{1,2})/(\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)");
    int y = 0, m = 0, d = 0;
    QRegularExpressionMatch mt = iso.match(inner);
    if (mt.hasMatch()) {
        y = mt.captured(1).toInt();
        m = mt.captured(2).toInt();
        d = mt.captured(3).toInt();
    } else if ((mt = us.match(inner)).hasMatch()) {
        m = mt.captured(1).toInt();
        d = mt.captured(2).toInt();
        y = mt.captured(3).toInt();
    } else {
        syntaxError("in date", '#' + inner + '#');
    }
    if (m < 1 || m > 12 || d < 1 || d > 31)
        syntaxError("in date", '#' + inner + '#');
    QString out = QString::asprintf("%04d-%02d-%02d", y, m, d);
    if (!mt.captured(4).isEmpty())
        out += QString::asprintf(" %02d:%02d:%02d", mt.captured(4).toInt(), mt.captured(5).toInt(),
                                 mt.captured(6).toInt());
    return quotedExact(out);
}

void passLiterals(Tokens& t) {
    for (qsizetype i = 0; i < t.size(); ++i) {
        Token& k = t[i];
        if (k.kind == Kind::Date) {
            k = {Kind::Text, dateLiteral(k.text.mid(1, k.text.size() - 2))};
        } else if (k.kind == Kind::Text && k.text.startsWith('"')) {
            QString inner = k.text.mid(1, k.text.size() - 2);
            inner.replace("\"\"", "\"");
            k = {Kind::Text, quotedExact(inner)};
        } else if (k.is("True") || k.is("False")) {
            const qsizetype p = prevSolid(t, i - 1);
            if (p >= 0 && t[p].isPunct("."))
                continue; // a column that happens to be named so
            k = {Kind::Number, k.is("True") ? "-1" : "0"};
        }
    }
}

// ---- 2. functions --------------------------------------------------------------

void passFunctions(Tokens& t) {
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!t[i].is("Left") && !t[i].is("IsNull"))
            continue;
        const qsizetype n = nextSolid(t, i + 1);
        if (n < t.size() && t[n].isPunct("("))
            t[i].text = t[i].is("Left") ? "jet_left" : "jet_isnull";
    }
}

// ---- 3. division ---------------------------------------------------------------

void passDivision(Tokens& t) {
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].isPunct("/")) {
            insertAt(t, i, {punct("*"), {Kind::Number, "1.0"}});
            i += 2;
        }
    }
}

// ---- 4. statements -------------------------------------------------------------

struct ColumnType {
    QString sqlType;
    bool counter = false;
    int textLimit = 0; // 0: no limit
    bool text = false;
};

// The host engine's column type at tokens [from, to) of a column definition;
// returns false for a type it does not know (left as written).
bool mapType(const Tokens& def, qsizetype from, qsizetype& to, ColumnType& out) {
    const qsizetype i = nextSolid(def, from);
    if (i >= def.size() || def[i].kind != Kind::Word)
        return false;
    const QString w = def[i].text.toUpper();
    to = i + 1;
    int size = 0;
    const qsizetype p = nextSolid(def, to);
    if (p < def.size() && def[p].isPunct("(")) {
        const qsizetype close = matchingParen(def, p);
        size = join(slice(def, p + 1, close)).section(',', 0, 0).trimmed().toInt();
        to = qMin(close + 1, def.size());
    }
    if (w == "COUNTER" || w == "AUTOINCREMENT" || w == "IDENTITY") {
        out = {"INTEGER", true, 0, false};
    } else if (w == "TEXT" || w == "VARCHAR" || w == "CHAR" || w == "NVARCHAR" || w == "NCHAR" ||
               w == "STRING" || w == "ALPHANUMERIC") {
        out = {"TEXT COLLATE NOCASE", false, size > 0 ? size : 255, true};
    } else if (w == "MEMO" || w == "LONGTEXT" || w == "NOTE" || w == "NTEXT") {
        out = {"TEXT COLLATE NOCASE", false, 0, true};
    } else if (w == "LONG" || w == "INTEGER" || w == "INT" || w == "SHORT" || w == "SMALLINT" ||
               w == "BYTE" || w == "TINYINT" || w == "BIT" || w == "YESNO" || w == "LOGICAL" ||
               w == "BOOLEAN" || w == "INTEGER1" || w == "INTEGER2" || w == "INTEGER4") {
        out = {"INTEGER", false, 0, false};
    } else if (w == "DATETIME" || w == "DATE" || w == "TIME" || w == "TIMESTAMP") {
        out = {"TEXT", false, 0, false};
    } else if (w == "DOUBLE" || w == "SINGLE" || w == "FLOAT" || w == "REAL" || w == "CURRENCY" ||
               w == "MONEY" || w == "NUMERIC" || w == "DECIMAL") {
        out = {"REAL", false, 0, false};
    } else {
        return false;
    }
    return true;
}

// One column definition "name TYPE ..." rewritten; pkName names the table's
// key constraint when this column is the counter key.
Tokens columnDef(const Tokens& def, const QString& pkName, bool& usedPk) {
    const qsizetype nameAt = nextSolid(def, 0);
    if (nameAt >= def.size())
        return def;
    ColumnType type;
    qsizetype typeEnd = 0;
    if (!mapType(def, nameAt + 1, typeEnd, type))
        return def;
    const QString name = def[nameAt].text;
    QString sql = name + ' ' + type.sqlType;
    if (type.counter) {
        if (!pkName.isNull()) {
            sql += " CONSTRAINT " + pkName;
            usedPk = true;
        }
        sql += " PRIMARY KEY AUTOINCREMENT";
    }
    if (type.textLimit > 0)
        sql += QString(" CHECK (length(%1) <= %2)").arg(name).arg(type.textLimit);
    return slice(def, 0, nameAt) + tokenize(sql) + slice(def, typeEnd, def.size());
}

QString bareName(const Token& k) {
    return k.kind == Kind::Name ? k.text.mid(1, k.text.size() - 2).replace("]]", "]") : k.text;
}

// SQLite's [name] ends at the first ]: a name holding one is written in
// double quotes for it.
void passNames(Tokens& t) {
    for (Token& k : t) {
        if (k.kind == Kind::Name && k.text.contains("]]"))
            k.text = '"' + bareName(k).replace('"', "\"\"") + '"';
    }
}

// CREATE TABLE t (col TYPE, ..., CONSTRAINT x PRIMARY KEY (col)).
void createTable(Tokens& t, qsizetype open) {
    const qsizetype close = matchingParen(t, open);
    if (close >= t.size())
        return;
    // Split the body at top-level commas.
    QVector<Tokens> defs(1);
    int depth = 0;
    for (qsizetype i = open + 1; i < close; ++i) {
        if (t[i].isPunct("("))
            ++depth;
        else if (t[i].isPunct(")"))
            --depth;
        if (depth == 0 && t[i].isPunct(",")) {
            defs.append(Tokens());
            continue;
        }
        defs.last().append(t[i]);
    }
    // The key constraint of a single counter column moves onto the column, as
    // SQLite numbers a key itself (never reusing a number) only when so declared.
    QString pkName, pkColumn;
    qsizetype pkDef = -1;
    for (qsizetype d = 0; d < defs.size(); ++d) {
        const Tokens& def = defs[d];
        const qsizetype a = nextSolid(def, 0);
        if (a >= def.size() || !def[a].is("CONSTRAINT"))
            continue;
        const qsizetype nm = nextSolid(def, a + 1);
        const qsizetype pk = nextSolid(def, nm + 1);
        const qsizetype key = nextSolid(def, pk + 1);
        const qsizetype par = nextSolid(def, key + 1);
        if (key < def.size() && def[pk].is("PRIMARY") && def[key].is("KEY") && par < def.size() &&
            def[par].isPunct("(")) {
            const Tokens cols = trimmed(slice(def, par + 1, matchingParen(def, par)));
            if (cols.size() == 1) {
                pkName = def[nm].text;
                pkColumn = bareName(cols.first());
                pkDef = d;
            }
        }
    }
    Tokens body;
    bool dropPk = false;
    for (qsizetype d = 0; d < defs.size(); ++d) {
        if (d == pkDef)
            continue;
        const qsizetype a = nextSolid(defs[d], 0);
        const bool forKey =
            a < defs[d].size() && bareName(defs[d][a]).compare(pkColumn, Qt::CaseInsensitive) == 0;
        bool usedPk = false;
        Tokens def = columnDef(defs[d], forKey ? pkName : QString(), usedPk);
        dropPk = dropPk || usedPk;
        if (!body.isEmpty())
            body.append(punct(","));
        body += def;
    }
    if (pkDef >= 0 && !dropPk) {
        body.append(punct(","));
        body += defs[pkDef];
    }
    t = slice(t, 0, open + 1) + body + slice(t, close, t.size());
}

// ALTER TABLE t ADD [COLUMN] col TYPE
void alterTable(Tokens& t, qsizetype at) {
    const qsizetype add = findTopWord(t, "ADD", at);
    if (add < 0)
        return;
    qsizetype col = nextSolid(t, add + 1);
    if (col < t.size() && t[col].is("CONSTRAINT"))
        return;
    if (col < t.size() && t[col].is("COLUMN"))
        col = nextSolid(t, col + 1);
    bool unused = false;
    t = slice(t, 0, col) + columnDef(slice(t, col, t.size()), QString(), unused);
}

// The table named (or aliased) q in a FROM list such as "T AS A INNER JOIN U ON ...".
QString tableOfAlias(const Tokens& from, const QString& q) {
    for (qsizetype i = 0; i < from.size(); ++i) {
        if (from[i].kind != Kind::Word && from[i].kind != Kind::Name)
            continue;
        if (bareName(from[i]).compare(q, Qt::CaseInsensitive) == 0) {
            // Either the table itself, or its alias after AS / directly after it.
            qsizetype p = prevSolid(from, i - 1);
            if (p >= 0 && from[p].is("AS"))
                p = prevSolid(from, p - 1);
            if (p >= 0 && (from[p].kind == Kind::Word || from[p].kind == Kind::Name) &&
                !from[p].is("JOIN") && !from[p].is("FROM"))
                return from[p].text;
            return from[i].text;
        }
    }
    return q;
}

// DELETE * FROM t ...; DELETE FROM t t WHERE ...; DELETE t.* FROM t INNER JOIN ...
// cppcheck-suppress constParameter ; both forms write the statement back into t
void deleteForms(Tokens& t, qsizetype at) {
    const qsizetype from = findTopWord(t, "FROM", at + 1);
    if (from < 0)
        return;
    const Tokens target = trimmed(slice(t, at + 1, from));
    // The target is nothing, * or T.*: anything else is no DELETE statement.
    const bool star = target.size() == 1 && target[0].isPunct("*");
    const bool tableStar = target.size() == 3 &&
                           (target[0].kind == Kind::Word || target[0].kind == Kind::Name) &&
                           target[1].isPunct(".") && target[2].isPunct("*");
    if (!target.isEmpty() && !star && !tableStar)
        throw AppError(3075, "Syntax error in DELETE statement: '" + join(target) +
                                 "' is no table to delete from.");
    const qsizetype where = findTopWord(t, "WHERE", from + 1);
    const qsizetype fromEnd = where < 0 ? t.size() : where;
    const Tokens source = trimmed(slice(t, from + 1, fromEnd));
    const Tokens rest = slice(t, fromEnd, t.size());
    const bool joined = findTopWord(source, "JOIN") >= 0;
    if (joined) {
        // Delete the target's rows that the joined select finds.
        // "DELETE T.* FROM ..." names the target; "DELETE * FROM ..." means the first table.
        const Token& q = target.size() >= 3 && target[1].isPunct(".") ? target[0] : source.first();
        const QString table = tableOfAlias(source, bareName(q));
        const QString rowid = q.text + ".rowid";
        t = slice(t, 0, at + 1) +
            tokenize(" FROM " + table + " WHERE rowid IN (SELECT " + rowid + " FROM ") + source +
            Tokens{space()} + trimmed(rest) + Tokens{punct(")")};
        return;
    }
    // A lone alias after the table ("FROM T T") is read by SQLite as AS T.
    Tokens src = source;
    if (src.size() == 3 && src[1].kind == Kind::Space && !src[2].is("AS"))
        insertAt(src, 2, {word("AS"), space()});
    t = slice(t, 0, at + 1) + tokenize(" FROM ") + src + Tokens{space()} + trimmed(rest);
}

// In a SET list, "T.col =" assigns col: SQLite names the target column alone.
void unqualifySet(Tokens& set) {
    int depth = 0;
    bool atTarget = true;
    for (qsizetype i = 0; i < set.size(); ++i) {
        if (set[i].isPunct("("))
            ++depth;
        else if (set[i].isPunct(")"))
            --depth;
        else if (depth == 0 && set[i].isPunct(","))
            atTarget = true;
        else if (depth == 0 && set[i].isPunct("="))
            atTarget = false;
        else if (atTarget && depth == 0 && set[i].isPunct(".")) {
            const qsizetype p = prevSolid(set, i - 1);
            if (p >= 0) {
                set.remove(p, i - p + 1);
                i = p - 1;
            }
        }
    }
}

// UPDATE t SET t.c = ...; UPDATE t INNER JOIN u ON cond SET ... WHERE ...
void updateForms(Tokens& t, qsizetype at) {
    const qsizetype set = findTopWord(t, "SET", at + 1);
    if (set < 0)
        return;
    const qsizetype where = findTopWord(t, "WHERE", set + 1);
    const qsizetype setEnd = where < 0 ? t.size() : where;
    Tokens assignments = slice(t, set + 1, setEnd);
    unqualifySet(assignments);
    const Tokens cond = where < 0 ? Tokens() : trimmed(slice(t, where + 1, t.size()));
    const Tokens joinPart = trimmed(slice(t, at + 1, set));
    const qsizetype firstJoin = findTopWord(joinPart, "JOIN");
    if (firstJoin < 0) {
        t = slice(t, 0, set + 1) + assignments + slice(t, setEnd, t.size());
        return;
    }
    // Only INNER JOINs: the joined tables go to FROM, their conditions to WHERE.
    const qsizetype inner = prevSolid(joinPart, firstJoin - 1);
    if (inner < 0 || !joinPart[inner].is("INNER"))
        return;
    const Tokens target = trimmed(slice(joinPart, 0, inner));
    Tokens fromList;
    QStringList conditions;
    qsizetype i = firstJoin;
    while (i >= 0 && i < joinPart.size()) {
        const qsizetype on = findTopWord(joinPart, "ON", i + 1);
        if (on < 0)
            return;
        qsizetype next = findTopWord(joinPart, "JOIN", on + 1);
        qsizetype condEnd = joinPart.size();
        if (next >= 0) {
            const qsizetype kw = prevSolid(joinPart, next - 1);
            if (kw < 0 || !joinPart[kw].is("INNER"))
                return;
            condEnd = kw;
        }
        if (!fromList.isEmpty())
            fromList.append(punct(","));
        fromList += trimmed(slice(joinPart, i + 1, on));
        conditions << '(' + join(trimmed(slice(joinPart, on + 1, condEnd))) + ')';
        i = next;
    }
    if (!cond.isEmpty())
        conditions << '(' + join(cond) + ')';
    t = slice(t, 0, at + 1) + Tokens{space()} + target + tokenize(" SET ") + trimmed(assignments) +
        tokenize(" FROM ") + fromList + tokenize(" WHERE " + conditions.join(" AND "));
}

void passStatements(Tokens& t) {
    const qsizetype first = nextSolid(t, 0);
    if (first >= t.size())
        return;
    if (t[first].is("CREATE")) {
        const qsizetype tbl = nextSolid(t, first + 1);
        if (tbl < t.size() && t[tbl].is("TABLE")) {
            for (qsizetype i = tbl; i < t.size(); ++i)
                if (t[i].isPunct("(")) {
                    createTable(t, i);
                    break;
                }
        }
    } else if (t[first].is("ALTER")) {
        alterTable(t, first);
    } else if (t[first].is("DELETE")) {
        deleteForms(t, first);
    } else if (t[first].is("UPDATE")) {
        updateForms(t, first);
    }
}

// ---- 5. concatenation ----------------------------------------------------------

// Words that end an operand of &: & binds tighter than comparison and logic,
// looser than arithmetic.
bool endsOperand(const Token& k) {
    if (k.kind == Kind::Punct)
        return k.text == "," || k.text == ";" || k.text == "=" || k.text == "<>" || k.text == "<" ||
               k.text == ">" || k.text == "<=" || k.text == ">=" || k.text == "!=" ||
               k.text == "==";
    if (k.kind != Kind::Word)
        return false;
    static const QStringList words = {
        "AND",     "OR",   "NOT",     "XOR",    "EQV",    "IMP",        "LIKE",  "IS",       "IN",
        "BETWEEN", "AS",   "FROM",    "WHERE",  "SELECT", "ON",         "ORDER", "GROUP",    "BY",
        "HAVING",  "SET",  "VALUES",  "THEN",   "ELSE",   "WHEN",       "END",   "CASE",     "JOIN",
        "INNER",   "LEFT", "RIGHT",   "OUTER",  "UNION",  "ASC",        "DESC",  "DISTINCT", "INTO",
        "LIMIT",   "ALL",  "COLLATE", "ESCAPE", "TOP",    "DISTINCTROW"};
    for (const QString& w : words)
        if (k.text.compare(w, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Rewrites the & chains of t[from, to) (one bracket level; inner levels first).
Tokens concatLevel(const Tokens& t) {
    // Inner brackets first.
    Tokens flat;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].isPunct("(")) {
            const qsizetype close = matchingParen(t, i);
            flat.append(t[i]);
            flat += concatLevel(slice(t, i + 1, close));
            if (close < t.size())
                flat.append(t[close]);
            i = close;
        } else {
            flat.append(t[i]);
        }
    }
    // Then the chains of this level; a bracketed group is one piece of an operand.
    Tokens out;
    qsizetype i = 0;
    while (i < flat.size()) {
        // Operand boundaries: start of an operand just after a boundary token.
        qsizetype amp = -1;
        int depth = 0;
        qsizetype start = i;
        for (qsizetype j = i; j < flat.size(); ++j) {
            if (flat[j].isPunct("("))
                ++depth;
            else if (flat[j].isPunct(")"))
                --depth;
            else if (depth == 0 && endsOperand(flat[j]))
                start = j + 1;
            else if (depth == 0 && flat[j].isPunct("&")) {
                amp = j;
                break;
            }
        }
        if (amp < 0) {
            out += slice(flat, i, flat.size());
            break;
        }
        out += slice(flat, i, start);
        QVector<Tokens> operands{trimmed(slice(flat, start, amp))};
        qsizetype j = amp + 1;
        qsizetype opStart = j;
        depth = 0;
        for (; j < flat.size(); ++j) {
            if (flat[j].isPunct("("))
                ++depth;
            else if (flat[j].isPunct(")"))
                --depth;
            else if (depth == 0 && endsOperand(flat[j]))
                break;
            else if (depth == 0 && flat[j].isPunct("&")) {
                operands.append(trimmed(slice(flat, opStart, j)));
                opStart = j + 1;
            }
        }
        operands.append(trimmed(slice(flat, opStart, j)));
        // Keep the blanks that stood before the chain's end.
        qsizetype tailBlank = j;
        while (tailBlank > opStart && flat[tailBlank - 1].kind == Kind::Space)
            --tailBlank;
        qsizetype leadBlank = start;
        while (leadBlank < amp && flat[leadBlank].kind == Kind::Space)
            out.append(flat[leadBlank++]);
        out.append(word("jet_concat"));
        out.append(punct("("));
        for (qsizetype k = 0; k < operands.size(); ++k) {
            if (k)
                out.append(punct(","));
            out += operands[k];
        }
        out.append(punct(")"));
        out += slice(flat, tailBlank, j);
        i = j;
    }
    return out;
}

void passConcat(Tokens& t) {
    for (const Token& k : t)
        if (k.isPunct("&")) {
            t = concatLevel(t);
            return;
        }
}

// ---- 6. text order -------------------------------------------------------------

bool isComparison(const Token& k) {
    return k.kind == Kind::Punct &&
           (k.text == "=" || k.text == "<>" || k.text == "<" || k.text == ">" || k.text == "<=" ||
            k.text == ">=" || k.text == "!=");
}

void addCollate(Tokens& t, qsizetype at) {
    insertAt(t, at, {space(), word("COLLATE"), space(), word("jet_nocase")});
}

// The FROM clause of the query that the clause at `at` belongs to (its
// tables and joins, up to its WHERE, GROUP BY, HAVING or ORDER BY), or empty
// where there is none or the query is a compound one.
QString fromClauseAt(const Tokens& t, qsizetype at) {
    qsizetype start = 0;
    int depth = 0;
    for (qsizetype i = at - 1; i >= 0; --i) {
        if (t[i].isPunct(")")) {
            ++depth;
        } else if (t[i].isPunct("(")) {
            if (depth == 0) {
                start = i + 1;
                break;
            }
            --depth;
        }
    }
    const qsizetype from = findTopWord(t, "FROM", start, at);
    if (from < 0 || findTopWord(t, "UNION", start, at) >= 0)
        return {};
    qsizetype end = at;
    for (const char* w : {"WHERE", "GROUP", "HAVING", "ORDER"}) {
        const qsizetype k = findTopWord(t, w, from + 1, end);
        if (k >= 0)
            end = k;
    }
    return join(slice(t, from + 1, end));
}

// A declared column type whose values SQLite keeps as numbers (its INTEGER
// and REAL affinities).
bool numericDeclaredType(const char* declared) {
    if (!declared)
        return false;
    const QByteArray d = QByteArray(declared).toUpper();
    if (d.contains("INT"))
        return true;
    if (d.contains("CHAR") || d.contains("CLOB") || d.contains("TEXT") || d.contains("BLOB"))
        return false;
    return d.contains("REAL") || d.contains("FLOA") || d.contains("DOUB");
}

// The database a statement is translated for, and whether its column
// types were asked for (the translation then holds for that schema only).
struct Schema {
    sqlite3* db = nullptr;
    bool asked = false;
};

// A term that is always a number, so that no collation belongs to it: a
// count, sum, average, whole-number conversion or length, or a column that
// the database declares as a number (asked by preparing the column over the
// query's own FROM clause). Anything else, or a term that cannot be asked
// so (a result column's alias, say), is taken for text.
bool numericTerm(const Tokens& t, const Tokens& term, qsizetype at, Schema& schema) {
    if (term.isEmpty())
        return false;
    if (term.size() >= 3 && term[0].kind == Kind::Word && term[1].isPunct("(") &&
        matchingParen(term, 1) == term.size() - 1) {
        for (const char* f : {"Count", "Sum", "Avg", "CInt", "Len"})
            if (term[0].is(f))
                return true;
        return false;
    }
    const auto isName = [](const Token& k) { return k.kind == Kind::Word || k.kind == Kind::Name; };
    const bool column =
        (term.size() == 1 && isName(term[0])) ||
        (term.size() == 3 && isName(term[0]) && term[1].isPunct(".") && isName(term[2]));
    if (!column || !schema.db)
        return false;
    const QString from = fromClauseAt(t, at);
    if (from.trimmed().isEmpty())
        return false;
    schema.asked = true;
    const QByteArray probe = ("SELECT " + join(term) + " FROM " + from).toUtf8();
    sqlite3_stmt* st = nullptr;
    bool numeric = false;
    if (sqlite3_prepare_v2(schema.db, probe.constData(), int(probe.size()), &st, nullptr) ==
            SQLITE_OK &&
        st && sqlite3_column_count(st) == 1)
        numeric = numericDeclaredType(sqlite3_column_decltype(st, 0));
    sqlite3_finalize(st);
    return numeric;
}

// Each ORDER BY / GROUP BY term compares text without regard to case; a term
// that is a bare column number stays a column number, and a term that is
// always a number takes no collation (with one, SQLite could not read an
// index in its order, and would sort every row in a temporary tree).
void collateTerms(Tokens& t, qsizetype by, qsizetype end, Schema& schema) {
    qsizetype termStart = by + 1;
    int depth = 0;
    for (qsizetype i = by + 1; i <= end; ++i) {
        const bool atEnd = i == end;
        if (!atEnd && t[i].isPunct("("))
            ++depth;
        else if (!atEnd && t[i].isPunct(")"))
            --depth;
        if (!atEnd && !(depth == 0 && t[i].isPunct(",")))
            continue;
        Tokens term = trimmed(slice(t, termStart, i));
        qsizetype last = prevSolid(t, i - 1);
        if (!term.isEmpty() && last >= termStart) {
            if (t[last].is("ASC") || t[last].is("DESC"))
                last = prevSolid(t, last - 1);
            const bool number = term.size() == 1 && term[0].kind == Kind::Number;
            const bool hasCollate = findTopWord(term, "COLLATE") >= 0;
            if (!number && !hasCollate && last >= termStart &&
                !numericTerm(t, trimmed(slice(t, termStart, last + 1)), by, schema)) {
                addCollate(t, last + 1);
                i += 4;
                end += 4;
            }
        }
        termStart = i + 1;
    }
}

// Clause end: next top-level word of the statement's structure.
qsizetype clauseEnd(const Tokens& t, qsizetype from) {
    int depth = 0;
    for (qsizetype i = from; i < t.size(); ++i) {
        if (t[i].isPunct("("))
            ++depth;
        else if (t[i].isPunct(")")) {
            if (--depth < 0)
                return i;
        } else if (depth == 0 && (t[i].is("HAVING") || t[i].is("ORDER") || t[i].is("LIMIT") ||
                                  t[i].is("UNION") || t[i].isPunct(";")))
            return i;
    }
    return t.size();
}

void passTextOrder(Tokens& t, Schema& schema) {
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].is("ORDER") || t[i].is("GROUP")) {
            const qsizetype by = nextSolid(t, i + 1);
            if (by < t.size() && t[by].is("BY")) {
                const qsizetype end = clauseEnd(t, by + 1);
                const qsizetype before = t.size();
                collateTerms(t, by, end, schema);
                i = end + (t.size() - before) - 1;
            }
        }
    }
    // Text literals compared with = <> < > <= >=.
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].kind != Kind::Text)
            continue;
        const qsizetype p = prevSolid(t, i - 1);
        const qsizetype n = nextSolid(t, i + 1);
        const bool compared =
            (p >= 0 && isComparison(t[p])) || (n < t.size() && isComparison(t[n]));
        if (compared && !(n < t.size() && t[n].is("COLLATE"))) {
            addCollate(t, i + 1);
            i += 4;
        }
    }
}

// ---- 7. result names -----------------------------------------------------------

// SQLite names an unaliased column of a bracketed join after its place in the
// join ("Description:1"); the host engine names it after the column.
void passResultNames(Tokens& t) {
    const qsizetype sel = nextSolid(t, 0);
    if (sel >= t.size() || !t[sel].is("SELECT"))
        return;
    const qsizetype from = findTopWord(t, "FROM", sel + 1);
    if (from < 0)
        return;
    Tokens out = slice(t, 0, sel + 1);
    qsizetype itemStart = sel + 1;
    int depth = 0;
    for (qsizetype i = sel + 1; i <= from; ++i) {
        if (i < from && t[i].isPunct("("))
            ++depth;
        else if (i < from && t[i].isPunct(")"))
            --depth;
        if (i < from && !(depth == 0 && t[i].isPunct(",")))
            continue;
        const Tokens item = slice(t, itemStart, i);
        out += item;
        // Exactly "X.Y" (blanks around kept): add AS Y.
        Tokens solid;
        for (const Token& k : item)
            if (k.kind != Kind::Space)
                solid.append(k);
        if (itemStart == sel + 1 && !solid.isEmpty() &&
            (solid[0].is("DISTINCT") || solid[0].is("ALL")))
            solid.removeFirst();
        if (solid.size() == 3 && solid[1].isPunct(".") &&
            (solid[2].kind == Kind::Word || solid[2].kind == Kind::Name) &&
            (solid[0].kind == Kind::Word || solid[0].kind == Kind::Name)) {
            qsizetype blanks = out.size();
            while (blanks > 0 && out[blanks - 1].kind == Kind::Space)
                --blanks;
            Tokens tail = slice(out, blanks, out.size());
            out.resize(blanks);
            out += Tokens{space(), word("AS"), space(), solid[2]};
            out += tail;
        }
        if (i < from)
            out.append(t[i]);
        itemStart = i + 1;
    }
    out += slice(t, from, t.size());
    t = out;
}

// Two literals written together with no operator between them ('a'"b",
// #1/2/2020#'x') are no expression.
void refuseJoinedLiterals(const Tokens& t) {
    for (qsizetype i = 1; i < t.size(); ++i) {
        const bool literal = t[i].kind == Kind::Text || t[i].kind == Kind::Date;
        const bool before = t[i - 1].kind == Kind::Text || t[i - 1].kind == Kind::Date;
        if (literal && before)
            syntaxError("(missing operator)", join(t));
    }
}

// One statement, as the tokens of its text.
QString translateStatement(Tokens t, Schema& schema) {
    refuseJoinedLiterals(t);
    passLiterals(t);
    passFunctions(t);
    passDivision(t);
    passStatements(t);
    passConcat(t);
    passTextOrder(t, schema);
    passResultNames(t);
    passNames(t);
    return join(t);
}

// A translation, and for one that asked the database's column types, the
// handle and schema it holds for.
struct Translation {
    // cppcheck-suppress unusedStructMember ; what translateJetSql gives for a text found again
    QString text;
    bool schemaBound = false;
    quint64 handle = 0;
    int schemaVersion = 0;
};

QHash<QString, Translation>& cache() {
    static QHash<QString, Translation> c;
    return c;
}

// Each handle the functions were registered on gets a number of its own: a
// handle opened later at the same address is another database.
QHash<sqlite3*, quint64>& handleNumbers() {
    static QHash<sqlite3*, quint64> numbers;
    return numbers;
}

int schemaVersion(sqlite3* db) {
    sqlite3_stmt* st = nullptr;
    int version = -1;
    if (sqlite3_prepare_v2(db, "PRAGMA schema_version", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        version = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    return version;
}

} // namespace

QString translateJetSql(const QString& sql, sqlite3* db) {
    auto& c = cache();
    const QString key = db ? QStringLiteral("db:") + sql : sql;
    const quint64 handle = db ? handleNumbers().value(db) : 0;
    const auto hit = c.constFind(key);
    if (hit != c.constEnd()) {
        if (!hit->schemaBound)
            return hit->text;
        if (handle != 0 && hit->handle == handle && hit->schemaVersion == schemaVersion(db))
            return hit->text;
    }
    // Statement by statement (a text may hold several, joined by ';'), the
    // text read into tokens once.
    Schema schema{db};
    QString out;
    const Tokens all = tokenize(sql);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= all.size(); ++i) {
        if (i == all.size() || all[i].isPunct(";")) {
            out += translateStatement(slice(all, start, i), schema);
            if (i < all.size())
                out += ';';
            start = i + 1;
        }
    }
    if (c.size() > 4096)
        c.clear();
    Translation entry{out, schema.asked, handle, schema.asked ? schemaVersion(db) : 0};
    c.insert(key, entry);
    return out;
}

void registerJetFunctions(sqlite3* db) {
    registerSqlFunctions(db);
    static quint64 lastHandle = 0;
    handleNumbers().insert(db, ++lastHandle);
}
