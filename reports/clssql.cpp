#include "reports/clssql.h"

#include "platform/sqlquote.h"
#include "reports/reportviewproperties.h"
#include "services/globals.h"

namespace {
QString reportYear() {
    return QString::number(gReportYear);
}
} // namespace

QString clsSQL::qSchoolGrades() {
    return QStringLiteral("Select SG.ID, SG.Name from SchoolGrades as SG INNER JOIN ") +
           " Learner_Info as LI on SG.ID = LI.Grade" +
           " WHERE schoolgrade ='Yes' AND ((((LI.LSENStatus)=2 Or (LI.LSENStatus)=3)) OR "
           "((LI.SocialGrantNo)<>''))" +
           " GROUP BY SG.ID, SG.Name";
}

namespace {
// Up to so many learners are named in a query by their IDs.
constexpr qsizetype kNamedLearners = 200;

// " (id, id, ...)"
QString idList(const QList<qint64>& learnerIds) {
    QStringList ids;
    for (const qint64 id : learnerIds)
        ids << QString::number(id);
    return " (" + ids.join(", ") + ")";
}

// Which learners the profile lists, before the learner filter.
const char* const kProfileLearners =
    " WHERE ((((LI.LSENStatus)=2 Or (LI.LSENStatus)=3)) OR ((LI.SocialGrantNo)<>''))";
} // namespace

QString clsSQL::Rep01BackgroundQuery() {
    const bool repGrade = reportviewDefault().RepGrade;
    const QString repVar = reportviewDefault().RepVar;
    const QString Y = reportYear();
    // The filter of an earlier run never carries over to this one.
    m_filter = reportLearnerFilter(repGrade, repVar, " AND LI.Grade = ", " AND LI.AccessionNo = ");
    if (gDataYear == gReportYear)
        m_filter += " AND (LI.Status)='C'";
    // Led by the learner (the same rows as the background row's right join
    // with the learner), so that one learner's background row is found
    // through the learner-year index rather than every year's rows being
    // read; the additional disabilities of the listed learners are picked
    // once (the same rows for them), as the host's table has no index on the
    // learner that would find one learner's rows.
    m_mainLearners.clear();
    // The learners an accession number names, picked by the caller with one
    // read of the host's table: the main query and its additional
    // disabilities find them by ID (the same rows, the filter still applied).
    QString named;
    if (!m_filterLearners.isEmpty() && m_filterLearners.size() <= kNamedLearners)
        named = idList(m_filterLearners);
    m_filterLearners.clear();
    const QString addLearners = named.isEmpty() ? profileLearnerIds() : named;
    const QString byId = named.isEmpty() ? QString() : " AND LI.ID IN" + named;
    const QString body =
        QStringLiteral("SELECT LI.ID AS LearnerID, LI.SName & ', ' & LI.FName AS Learner") +
        " , LI.AccessionNo, SchoolGrades.Name AS Grade, BI.Nature_Of_Support_Received" +
        " , BI.Name_Of_Provider, BI.Contact_Details, Disabilities.Name AS PDisa " +
        " , BI.Family_Situation, BI.Parent_Understanding_Of_Child, Disab.Name AS AddDisa" +
        " FROM (((Learner_Info AS LI LEFT JOIN TAV_Learner_Background_Info AS BI ON "
        "(BI.LearnerID = LI.ID AND BI.Data_Year = " +
        Y + "))" + " LEFT JOIN Disabilities ON LI.LSENDisabilities = Disabilities.id) " +
        " INNER JOIN SchoolGrades ON LI.Grade = SchoolGrades.ID) " +
        " LEFT JOIN (SELECT MD.LearnerID, Disab.Name FROM MultipleDisabilities AS MD" +
        " LEFT JOIN Disabilities AS Disab ON MD.DisabilityID = Disab.id WHERE MD.LearnerID IN" +
        addLearners + ") AS Disab ON LI.ID = Disab.LearnerID" + kProfileLearners;
    return body + m_filter + byId + " ORDER BY LI.SName & ', ' & LI.FName";
}

QString clsSQL::Rep01FilterLearnersQuery() {
    m_filterLearners.clear();
    const ReportviewProperties& p = reportviewDefault();
    if (p.RepGrade || p.RepVar.isEmpty())
        return QString();
    return "SELECT LI.ID FROM Learner_Info AS LI WHERE LI.AccessionNo = " + quoted(p.RepVar);
}

void clsSQL::setFilterLearners(const QList<qint64>& learnerIds) {
    m_filterLearners = learnerIds;
}

void clsSQL::setMainLearners(const QList<qint64>& learnerIds) {
    // A learner's rows stand together in the main query's order.
    m_mainLearners.clear();
    for (const qint64 id : learnerIds)
        if (m_mainLearners.isEmpty() || m_mainLearners.last() != id)
            m_mainLearners << id;
}

QString clsSQL::profileLearnerIds() const {
    // A few learners the main query gave are named; otherwise its learner
    // filter, with a grade that SchoolGrades holds, picks them.
    if (!m_mainLearners.isEmpty() && m_mainLearners.size() <= kNamedLearners)
        return idList(m_mainLearners);
    return QStringLiteral(" (SELECT LI.ID FROM Learner_Info AS LI") + kProfileLearners + m_filter +
           " AND LI.Grade IN (SELECT SchoolGrades.ID FROM SchoolGrades))";
}

QString clsSQL::Rep01DPQuery() {
    const QString Y = reportYear();
    const QString viewed = "IIF(IsNull(%1.Medical_Record_Viewed), False,%1.Medical_Record_Viewed)";
    const QString attached =
        "IIF(IsNull(%1.Medical_Record_Attached),False,%1.Medical_Record_Attached)";
    // The subreport prints beside the main query's learners only, so only
    // their rows are read. The scores are matched on the health report's
    // year as well, so that the average of an area is that of the report
    // year, as on the score summary.
    //
    // Grouping every score row with the learner's and the health report's
    // columns gives one row for each area of each different health report
    // of the learner's year (reports alike in every column are one), each
    // with the average of the learner's scores of that area. The same rows
    // are made here without sorting the long texts: the scores are summed
    // and counted per learner and area first, through the learner-year
    // index; a health report is taken unless an earlier one of the
    // learner's year is alike in every grouped column; and each report is
    // joined with its learner's area sums (a repeated report would have
    // repeated the sums and counts alike, so the averages are the same). An
    // area is told by its ID, as the lookup names each area once.
    //
    // The subreport prints a learner's rows beside that learner, in the
    // order of their areas: the rows come learner by learner, each learner's
    // by area (a learner's name, primary disability and grade are the same
    // on all the learner's rows).
    return QStringLiteral(
               "SELECT LI.ID, LI.SName & ' ' & LI.FName AS LName, IIf(Len(LI.BirthDate)=8,") +
           " Mid(LI.BirthDate,7,2) & '/' & Mid(LI.BirthDate,5,2) & ' / ' & "
           "Left(LI.BirthDate,4),'') "
           "AS BirthDate," +
           " Disabilities.Name AS Disability, HPR.Data_Year, HPR.Impairment_Type, " +
           QString(viewed).arg("HPR") + " as Medical_Record_Viewed, " +
           QString(attached).arg("HPR") +
           " as Medical_Record_Attached, HPR.Comments, "
           "CInt(CFS.SumOfScore/CFS.CountOfSub_Section) AS Score, CFS.Description" +
           " FROM ((Learner_Info AS LI LEFT JOIN TAV_Health_Professional_Report AS HPR" +
           " ON (LI.ID = HPR.LearnerID AND HPR.Data_Year = " + Y +
           " AND NOT EXISTS (SELECT H.ID FROM TAV_Health_Professional_Report AS H" +
           " WHERE H.LearnerID = HPR.LearnerID AND H.Data_Year = HPR.Data_Year AND H.ID < HPR.ID" +
           " AND H.Impairment_Type IS HPR.Impairment_Type COLLATE jet_nocase AND " +
           QString(viewed).arg("H") + " = " + QString(viewed).arg("HPR") + " AND " +
           QString(attached).arg("H") + " = " + QString(attached).arg("HPR") +
           " AND H.Comments IS HPR.Comments COLLATE jet_nocase)))" +
           " LEFT JOIN (SELECT S.LearnerID, S.Data_Year, LIA.ID AS AreaID, LIA.Description,"
           " Sum(S.Score) AS SumOfScore, Count(S.Sub_Section) AS CountOfSub_Section" +
           " FROM (TAV_Criteria_For_Selection AS S LEFT JOIN TAV_lu_Activity_Domain_Sub_Section "
           "AS LADS ON S.Sub_Section = LADS.ID)" +
           " LEFT JOIN TAV_lu_Impairment_Area AS LIA ON LADS.Activity_Domain = LIA.ID" +
           " WHERE S.Data_Year = " + Y + " AND S.LearnerID IN" + profileLearnerIds() +
           " GROUP BY S.LearnerID, S.Data_Year, LIA.ID) AS CFS" +
           " ON (HPR.LearnerID = CFS.LearnerID AND HPR.Data_Year = CFS.Data_Year))" +
           " INNER JOIN Disabilities ON LI.LSENDisabilities = Disabilities.id" + " WHERE LI.ID IN" +
           profileLearnerIds() + " ORDER BY LI.ID, CFS.Description";
}

QString clsSQL::Rep01CFS() {
    const QString Y = reportYear();
    // The main query's learners' scores of the year, found through the
    // learner-year index rather than by reading every year's scores.
    return QStringLiteral(
               "SELECT CFS.LearnerID, CFS.Score, LIA.Description AS AArea, ADSS.Description AS "
               "ADomain,") +
           " ADLD.DescMild, ADLD.DescMod, ADLD.DescSevere" +
           " FROM ((TAV_Criteria_For_Selection AS CFS" +
           " INNER JOIN TAV_lu_Activity_Domain_Sub_Section AS ADSS ON CFS.Sub_Section = ADSS.ID)" +
           " INNER JOIN TAV_lu_Impairment_Area AS LIA ON ADSS.Activity_Domain = LIA.ID)" +
           " INNER JOIN TAV_lu_Activity_Domain_Limit_Desc AS ADLD ON ADSS.ID = ADLD.ID" +
           " WHERE (((CFS.Data_Year) = " + Y + ")) AND CFS.LearnerID IN" + profileLearnerIds() +
           " ORDER BY CFS.LearnerID, LIA.Description, ADSS.Description";
}
