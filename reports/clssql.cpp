#include "reports/clssql.h"

#include "reports/frmreportview.h"
#include "workspace/globals.h"
#include "workspace/modcentralroutines.h"

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

QString clsSQL::Rep01BackgroundQuery() {
    const bool repGrade = frmReportview::Default().RepGrade;
    const QString repVar = frmReportview::Default().RepVar;
    const QString Y = reportYear();
    m_body = QStringLiteral("SELECT LI.ID AS LearnerID, LI.SName & ', ' & LI.FName AS Learner") +
             " , LI.AccessionNo, SchoolGrades.Name AS Grade, BI.Nature_Of_Support_Received" +
             " , BI.Name_Of_Provider, BI.Contact_Details, Disabilities.Name AS PDisa " +
             " , BI.Family_Situation, BI.Parent_Understanding_Of_Child, Disab.Name AS AddDisa" +
             " FROM (((TAV_Learner_Background_Info AS BI RIGHT JOIN Learner_Info AS LI ON "
             "(BI.LearnerID = LI.ID AND BI.Data_Year = " +
             Y + "))" + " LEFT JOIN Disabilities ON LI.LSENDisabilities = Disabilities.id) " +
             " INNER JOIN SchoolGrades ON LI.Grade = SchoolGrades.ID) " +
             " LEFT JOIN (MultipleDisabilities AS MD " +
             " LEFT JOIN Disabilities AS Disab ON MD.DisabilityID = Disab.id) ON LI.ID = "
             "MD.LearnerID" +
             " WHERE ((((LI.LSENStatus)=2 Or (LI.LSENStatus)=3)) OR ((LI.SocialGrantNo)<>''))";
    // The filter of an earlier run never carries over to this one.
    m_filter.clear();
    if (repGrade) {
        // A grade ID from the grade list: always a number.
        bool isNumber = false;
        const qint64 gradeId = repVar.trimmed().toLongLong(&isNumber);
        m_filter = " AND LI.Grade = " + QString::number(isNumber ? gradeId : 0);
    } else if (!repVar.isEmpty()) {
        // A typed accession number: its quotes doubled so that it stays one value.
        m_filter = " AND LI.AccessionNo = '" + SqlText(repVar) + "'";
    }
    QString sql = m_body + m_filter;
    if (gDataYear == gReportYear)
        sql += " AND (LI.Status)='C'";
    sql += " ORDER BY LI.SName & ', ' & LI.FName";
    return sql;
}

QString clsSQL::Rep01DPQuery() {
    const QString Y = reportYear();
    // The scores are matched on the health report's year as well, so that the
    // average of an area is that of the report year, as on the score summary.
    // The joins run one after the other from the learner, each a left join on
    // the one before (the same rows as the health report joined with its
    // scores first), so that the report year's rows are found through the
    // learner-year indexes rather than every year's scores being joined.
    return QStringLiteral(
               "SELECT LI.ID, LI.SName & ' ' & LI.FName AS LName, IIf(Len(LI.BirthDate)=8,") +
           " Mid(LI.BirthDate,7,2) & '/' & Mid(LI.BirthDate,5,2) & ' / ' & "
           "Left(LI.BirthDate,4),'') "
           "AS BirthDate," +
           " Disabilities.Name AS Disability, HPR.Data_Year, HPR.Impairment_Type, "
           "IIF(IsNull(HPR.Medical_Record_Viewed), False,HPR.Medical_Record_Viewed) as "
           "Medical_Record_Viewed," +
           " IIF(IsNull(HPR.Medical_Record_Attached),False,HPR.Medical_Record_Attached) as "
           "Medical_Record_Attached, HPR.Comments, CInt(Sum(CFS.Score)/Count(CFS.Sub_Section)) AS "
           "Score, LIA.Description" +
           " FROM ((((Learner_Info AS LI LEFT JOIN TAV_Health_Professional_Report AS HPR" +
           " ON (LI.ID = HPR.LearnerID AND (HPR.Data_Year)=" + Y + "))" +
           " LEFT JOIN TAV_Criteria_For_Selection AS CFS ON (HPR.LearnerID = CFS.LearnerID AND "
           "HPR.Data_Year = CFS.Data_Year))" +
           " LEFT JOIN TAV_lu_Activity_Domain_Sub_Section AS LADS ON CFS.Sub_Section = LADS.ID)" +
           " LEFT JOIN TAV_lu_Impairment_Area AS LIA ON LADS.Activity_Domain = LIA.ID)" +
           " INNER JOIN Disabilities ON LI.LSENDisabilities = Disabilities.id" +
           " GROUP BY LI.ID, LI.SName & ' ' & LI.FName, Disabilities.Name, HPR.Data_Year, "
           "HPR.Impairment_Type," +
           " IIF(IsNull(HPR.Medical_Record_Viewed), False,HPR.Medical_Record_Viewed)," +
           " IIF(IsNull(HPR.Medical_Record_Attached),False,HPR.Medical_Record_Attached), "
           "HPR.Comments, LIA.Description, LI.BirthDate, LI.Grade, LI.Status" +
           " ORDER BY LI.SName & ' ' & LI.FName, Disabilities.Name, LIA.Description, LI.Grade";
}

QString clsSQL::Rep01CFS() {
    const QString Y = reportYear();
    return QStringLiteral(
               "SELECT CFS.LearnerID, CFS.Score, LIA.Description AS AArea, ADSS.Description AS "
               "ADomain,") +
           " ADLD.DescMild, ADLD.DescMod, ADLD.DescSevere" +
           " FROM ((TAV_Criteria_For_Selection AS CFS" +
           " INNER JOIN TAV_lu_Activity_Domain_Sub_Section AS ADSS ON CFS.Sub_Section = ADSS.ID)" +
           " INNER JOIN TAV_lu_Impairment_Area AS LIA ON ADSS.Activity_Domain = LIA.ID)" +
           " INNER JOIN TAV_lu_Activity_Domain_Limit_Desc AS ADLD ON ADSS.ID = ADLD.ID" +
           " WHERE (((CFS.Data_Year) = " + Y + "))" +
           " ORDER BY CFS.LearnerID, LIA.Description, ADSS.Description";
}
