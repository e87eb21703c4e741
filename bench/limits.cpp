#include "bench/limits.h"

#include "platform/sqlquote.h"

namespace {

// The learners a profile lists: special needs or a social grant, current,
// and in a grade the host holds; or those among some learners.
QString profileLearners(const QString& among) {
    QString sql = "SELECT ID FROM Learner_Info WHERE (LSENStatus IN (2, 3) OR SocialGrantNo <> '')"
                  " AND Status = 'C' AND Grade IN (SELECT ID FROM SchoolGrades)";
    if (!among.isEmpty())
        sql += " AND ID IN (" + among + ")";
    return sql;
}

} // namespace

QString barrierLimitSql(int year) {
    return QString(
               "SELECT LI.AccessionNo, LI.SName, LI.FName, D.Name, SG.Name FROM Learner_Info "
               "AS LI CROSS JOIN TAV_Learner_Background_Info AS BI ON BI.LearnerID = LI.ID "
               "AND BI.Data_Year = %1 JOIN Disabilities AS D ON D.id = LI.LSENDisabilities JOIN "
               "SchoolGrades AS SG ON SG.ID = LI.Grade WHERE LI.Status = 'C' ORDER BY D.Name "
               "COLLATE jet_nocase, SG.Name COLLATE jet_nocase, LI.SName COLLATE jet_nocase")
        .arg(year);
}

QString providerLimitSql(int year) {
    return QString("SELECT BI.Name_Of_Provider, LI.AccessionNo, LI.SName, LI.FName, SG.Name FROM "
                   "Learner_Info AS LI CROSS JOIN TAV_Learner_Background_Info AS BI ON "
                   "BI.LearnerID = LI.ID AND BI.Data_Year = %1 JOIN SchoolGrades AS SG ON SG.ID = "
                   "LI.Grade WHERE "
                   "LI.Status = 'C' ORDER BY BI.Name_Of_Provider COLLATE jet_nocase, SG.Name "
                   "COLLATE jet_nocase, LI.SName COLLATE jet_nocase")
        .arg(year);
}

QString accessionLearnersSql(const QString& accessionNo) {
    return "SELECT ID FROM Learner_Info WHERE AccessionNo = " + quotedExact(accessionNo);
}

QStringList profileLimitSql(int year, const QString& among) {
    const QString learners = profileLearners(among);
    const QString y = QString::number(year);
    // One row per learner and additional disability, by name.
    const QString main =
        "SELECT LI.ID, ifnull(LI.SName, '') || ', ' || ifnull(LI.FName, '') AS Learner, "
        "LI.AccessionNo, SG.Name, BI.Nature_Of_Support_Received, BI.Name_Of_Provider, "
        "BI.Contact_Details, D.Name, BI.Family_Situation, BI.Parent_Understanding_Of_Child, "
        "AD.Name FROM Learner_Info AS LI JOIN SchoolGrades AS SG ON SG.ID = LI.Grade LEFT JOIN "
        "TAV_Learner_Background_Info AS BI ON BI.LearnerID = LI.ID AND BI.Data_Year = " +
        y +
        " LEFT JOIN Disabilities AS D ON D.id = LI.LSENDisabilities LEFT JOIN (SELECT LearnerID, "
        "DisabilityID FROM MultipleDisabilities WHERE LearnerID IN (" +
        learners +
        ")) AS MD ON MD.LearnerID = LI.ID LEFT JOIN Disabilities AS AD ON AD.id = MD.DisabilityID "
        "WHERE LI.ID IN (" +
        learners + ") ORDER BY Learner COLLATE jet_nocase";
    // One row per learner, health report and area, each learner's by area:
    // the average of the learner's scores of the year in that area.
    const QString dp =
        "SELECT LI.ID, ifnull(LI.SName, '') || ' ' || ifnull(LI.FName, ''), CASE WHEN "
        "length(LI.BirthDate) = 8 THEN substr(LI.BirthDate, 7, 2) || '/' || "
        "substr(LI.BirthDate, 5, 2) || ' / ' || substr(LI.BirthDate, 1, 4) ELSE '' END, D.Name, "
        "H.Data_Year, H.Impairment_Type, ifnull(H.Medical_Record_Viewed, 0), "
        "ifnull(H.Medical_Record_Attached, 0), H.Comments, cint(A.Total * 1.0 / A.N), "
        "A.Description FROM Learner_Info AS LI JOIN Disabilities AS D ON D.id = "
        "LI.LSENDisabilities LEFT JOIN TAV_Health_Professional_Report AS H ON H.LearnerID = "
        "LI.ID AND H.Data_Year = " +
        y +
        " LEFT JOIN (SELECT S.LearnerID, IA.Description, sum(S.Score) AS Total, "
        "count(S.Sub_Section) AS N FROM TAV_Criteria_For_Selection AS S LEFT JOIN "
        "TAV_lu_Activity_Domain_Sub_Section AS SS ON SS.ID = S.Sub_Section LEFT JOIN "
        "TAV_lu_Impairment_Area AS IA ON IA.ID = SS.Activity_Domain WHERE S.Data_Year = " +
        y + " AND S.LearnerID IN (" + learners +
        ") GROUP BY S.LearnerID, IA.ID) AS A ON A.LearnerID = H.LearnerID WHERE LI.ID IN (" +
        learners + ") ORDER BY LI.ID, A.Description COLLATE jet_nocase";
    // Every score of the year with its descriptions, each learner's by area
    // and activity.
    const QString cfs =
        "SELECT S.LearnerID, S.Score, IA.Description, SS.Description, L.DescMild, L.DescMod, "
        "L.DescSevere FROM TAV_Criteria_For_Selection AS S JOIN "
        "TAV_lu_Activity_Domain_Sub_Section AS SS ON SS.ID = S.Sub_Section JOIN "
        "TAV_lu_Impairment_Area AS IA ON IA.ID = SS.Activity_Domain JOIN "
        "TAV_lu_Activity_Domain_Limit_Desc AS L ON L.ID = SS.ID WHERE S.Data_Year = " +
        y + " AND S.LearnerID IN (" + learners +
        ") ORDER BY S.LearnerID, IA.Description COLLATE jet_nocase, SS.Description COLLATE "
        "jet_nocase";
    return {main, dp, cfs};
}

QStringList scoreSummaryLimitSql(int year) {
    const QString learners = "SELECT ID FROM Learner_Info WHERE Status = 'C' AND LSENStatus <> 1";
    const QString y = QString::number(year);
    return {"SELECT Grade, SName, FName, AccessionNo, ID, LSENStatus FROM Learner_Info WHERE "
            "Status = 'C' AND LSENStatus <> 1 ORDER BY Grade, SName COLLATE jet_nocase, FName "
            "COLLATE jet_nocase",
            "SELECT S.LearnerID, avg(S.Score), SS.Activity_Domain FROM "
            "TAV_Criteria_For_Selection AS S JOIN TAV_lu_Activity_Domain_Sub_Section AS SS ON "
            "SS.ID = S.Sub_Section WHERE S.Data_Year = " +
                y + " AND S.LearnerID IN (" + learners +
                ") GROUP BY S.LearnerID, SS.Activity_Domain",
            "SELECT LearnerID, Support_Area, Rating FROM TAV_Assessment_Supp_Req_Rating WHERE "
            "Data_Year = " +
                y + " AND LearnerID IN (" + learners + ")"};
}

QString learnerListLimitSql() {
    return "SELECT L.ID, L.FName, L.SName, G.Name, L.AccessionNo, L.BirthDate FROM Learner_Info "
           "AS L LEFT JOIN SchoolGrades AS G ON G.ID = L.Grade WHERE L.Status = 'C' AND "
           "(L.LSENStatus IN (2, 3) OR L.SocialGrantNo <> '') ORDER BY L.SName COLLATE "
           "jet_nocase";
}

QStringList selectionListsLimitSql(int dataYear) {
    // Every learner of the background table in turn, through its index,
    // and that learner's row of the year; rows without a learner beside.
    const QString y = QString::number(dataYear);
    return {"SELECT DISTINCT Name FROM Disabilities",
            "WITH RECURSIVE K(Id) AS (SELECT min(LearnerID) FROM TAV_Learner_Background_Info "
            "UNION ALL SELECT (SELECT min(LearnerID) FROM TAV_Learner_Background_Info WHERE "
            "LearnerID > K.Id) FROM K WHERE K.Id IS NOT NULL) SELECT Name_Of_Provider FROM "
            "(SELECT B.Name_Of_Provider FROM K JOIN TAV_Learner_Background_Info AS B ON "
            "B.LearnerID = K.Id AND B.Data_Year = " +
                y +
                " UNION ALL SELECT Name_Of_Provider FROM TAV_Learner_Background_Info WHERE "
                "LearnerID IS NULL AND Data_Year = " +
                y + ") GROUP BY Name_Of_Provider COLLATE jet_nocase"};
}
