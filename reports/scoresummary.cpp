#include "reports/scoresummary.h"

#include "reports/reportviewproperties.h"
#include "services/moddatabaseconnection.h"

#include <QHash>
#include <array>

QString scoreSummaryLearnerQuery(bool repGrade, const QString& repVar) {
    QString sql = "SELECT  Grade, SName, FName, ";
    sql += "AccessionNo, ID, LSENStatus From Learner_Info ";
    sql += " WHERE Status='C' AND LSENStatus<>1 ";
    sql += reportLearnerFilter(repGrade, repVar, " AND Grade =", " AND AccessionNo =");
    // The summary lists its learners by grade, then by name.
    sql += " ORDER BY Grade, SName, FName";
    return sql;
}

QString getLevelText(double average) {
    if (average == 1)
        return "MILD";
    if (average == 2)
        return "MODERATE";
    if (average == 3)
        return "SEVERE";
    return "N/A";
}

namespace {
QString ofSummaryLearners(const QString& learnerQuery) {
    return " c.LearnerID IN (SELECT L.ID FROM (" + learnerQuery + ") AS L)";
}
} // namespace

// The averages and ratings of all the learners at once, two queries for the
// year rather than two for each learner: the same groups (each learner's
// scores grouped by domain, the learner's terms first so that the grouping
// compares whole numbers first) and the same rating rows, each learner's in
// the order its own query gives them (its rows of the year in the
// learner-year index), found through that index for the learners of the
// learner query.
QString scoreSummaryScoresQuery(const QString& learnerQuery, int year) {
    return "SELECT c.LearnerID, Avg(c.Score) AS AvgOfScore, s.Activity_Domain as sDomain FROM "
           "TAV_Criteria_For_Selection AS c "
           " INNER JOIN TAV_lu_Activity_Domain_Sub_Section AS s ON c.Sub_Section = s.ID "
           " WHERE c.Data_Year =" +
           QString::number(year) + " AND" + ofSummaryLearners(learnerQuery) +
           " GROUP BY c.LearnerID, C.Data_Year, s.Activity_Domain";
}

QString scoreSummaryRatingsQuery(const QString& learnerQuery, int year) {
    return "SELECT c.LearnerID, c.Support_Area, c.Rating From TAV_Assessment_Supp_Req_Rating "
           "AS c WHERE c.Data_Year =" +
           QString::number(year) + " AND" + ofSummaryLearners(learnerQuery);
}

// The rows of sql gathered into one array a learner: the value of each row
// goes into the slot its slotField names (1 to N; other rows are passed
// over), a later row for the same slot replacing an earlier one. A learner's
// array starts as blank.
template <class T, std::size_t N, class Convert>
QHash<qint64, std::array<T, N>> perLearner(const QString& sql, const char* slotField,
                                           const char* valueField, const std::array<T, N>& blank,
                                           Convert convert) {
    ado::Recordset rs;
    rs.Open(sql, gConnection.get(), ado::adOpenKeyset);
    QHash<qint64, std::array<T, N>> arrays;
    const int learner = rs.fieldIndex("LearnerID");
    const int slotColumn = rs.fieldIndex(slotField);
    const int valueColumn = rs.fieldIndex(valueField);
    for (; !rs.Eof(); rs.MoveNext()) {
        const int slot = rs.Fields(slotColumn).toInt();
        if (slot < 1 || slot > int(N))
            continue;
        const qint64 id = rs.Fields(learner).Value().toLongLong();
        auto it = arrays.find(id);
        if (it == arrays.end())
            it = arrays.insert(id, blank);
        (*it)[slot - 1] = convert(rs.Fields(valueColumn));
    }
    rs.Close();
    return arrays;
}

std::unique_ptr<ado::Recordset> buildScoreSummaryTable(const QString& learnerQuery, int year) {
    ado::Recordset learners;
    learners.Open(learnerQuery, gConnection.get(), ado::adOpenKeyset);

    // The averages as level texts ("N/A" where a learner has no score of an
    // area) and the ratings, each learner's in one array.
    std::array<QString, 8> noLevels;
    noLevels.fill("N/A");
    const auto levelsOf =
        perLearner(scoreSummaryScoresQuery(learnerQuery, year), "sDomain", "AvgOfScore", noLevels,
                   [](const ado::Field& f) { return getLevelText(f.Value().toDouble()); });
    const std::array<qint32, 5> noRatings{};
    const auto ratingsOf =
        perLearner(scoreSummaryRatingsQuery(learnerQuery, year), "Support_Area", "Rating",
                   noRatings, [](const ado::Field& f) { return qint32(f.toInt()); });

    static const char* const kLevels[8] = {"Mobility", "SelfCare", "Communication", "Vision",
                                           "Hearing",  "Mental",   "Cognition",     "Needs"};
    static const char* const kRatings[5] = {"Staff", "HRD", "Devices", "Cassessment", "Access"};
    constexpr int kMayBeNull = 0x40;
    auto table = std::make_unique<ado::Recordset>();
    for (const char* name : {"Grade", "FName", "SName", "AccessionNo"})
        table->Append(name, ado::adVarChar, 255, kMayBeNull);
    table->Append("ID", ado::adInteger);
    for (const char* name : kLevels)
        table->Append(name, ado::adVarChar, 255, kMayBeNull);
    for (const char* name : kRatings)
        table->Append(name, ado::adInteger);
    table->OpenDisconnected();

    // The fields by position, looked up once.
    const auto at = [](const ado::Recordset& rs, const char* name) { return rs.fieldIndex(name); };
    const int from[5] = {at(learners, "Grade"), at(learners, "SName"), at(learners, "FName"),
                         at(learners, "AccessionNo"), at(learners, "ID")};
    const int to[5] = {at(*table, "Grade"), at(*table, "SName"), at(*table, "FName"),
                       at(*table, "AccessionNo"), at(*table, "ID")};
    int levelAt[8], ratingAt[5];
    for (int i = 0; i < 8; ++i)
        levelAt[i] = at(*table, kLevels[i]);
    for (int i = 0; i < 5; ++i)
        ratingAt[i] = at(*table, kRatings[i]);
    while (!learners.Eof()) {
        const qint64 id = learners.Fields(from[4]).Value().toLongLong();
        const auto levels = levelsOf.value(id, noLevels);
        const auto ratings = ratingsOf.value(id, noRatings);
        table->AddNew();
        for (int i = 0; i < 4; ++i) {
            const QVariant v = learners.Fields(from[i]).Value();
            table->Fields(to[i]).setValue(v.isNull() ? QVariant() : QVariant(v.toString()));
        }
        table->Fields(to[4]).setValue(qint32(learners.Fields(from[4]).toInt()));
        for (int i = 0; i < 8; ++i)
            table->Fields(levelAt[i]).setValue(levels[i]);
        for (int i = 0; i < 5; ++i)
            table->Fields(ratingAt[i]).setValue(ratings[i]);
        table->Update();
        learners.MoveNext();
    }
    if (table->RecordCount() > 0)
        table->MoveFirst();
    return table;
}
