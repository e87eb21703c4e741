#include "workspace/rollover.h"

#include "platform/adodb.h"
#include "platform/runtime.h"
#include "platform/sqlquote.h"
#include "platform/waitcursor.h"
#include "services/checktables.h"
#include "services/moddatabaseconnection.h"
#include "services/modextendedmsgbox.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString rollWarningText(int y) {
    return "When appending KELD information from " + QString::number(y - 1) + " to " +
           QString::number(y) + ", the following sections " + kCrLf +
           "will not be brought over as learners must be re-evaluated and information might "
           "change." +
           kCrLf + kCrLf + "Stage 1:    DP Diagnostic Profile" + kCrLf + kCrLf +
           "Stage 2:    ISP: Individual Support Plan" + kCrLf + kCrLf +
           "Stage 3:    Section 3a: Assessment of support requirements" + kCrLf + kCrLf +
           "Please remember to update the rolled over sections where information has changed "
           "and " +
           kCrLf + "complete the outstanding section information." + kCrLf + kCrLf + "Append?";
}

} // namespace

void cmdRoll_Click() {
    if (AskUserWarning(rollWarningText(currentDate().year()))) {
        // The window cannot answer while the tables are copied.
        const WaitCursor wait;
        AppendInfo();
    }
}

QString appendInfoSql(const QString& table, const QStringList& columns, int y) {
    QString columnList;
    QString selectList;
    // The names come from the file: each stays one name, whatever it holds.
    // The copies belong to the current year; every other column is copied as it is.
    for (const QString& name : columns) {
        columnList += bracketedName(name) + ",";
        selectList += (name == QLatin1String("Data_Year") ? QString::number(y) + " As [Data_Year]"
                                                          : "[Tbl]." + bracketedName(name)) +
                      ",";
    }
    columnList.chop(1);
    selectList.chop(1);
    // The current learners lead, and each one's rows of last year are found
    // through the (LearnerID, Data_Year) index: the same rows as joining
    // every row of the table with its learner (a learner's ID is its key),
    // without reading every year's rows.
    return "INSERT INTO " + table + " (" + columnList + ") " + "SELECT " + selectList + " FROM " +
           table + " AS [Tbl] " +
           " WHERE ([Tbl].[LearnerID] IN (SELECT [LI].[ID] FROM [Learner_Info] AS [LI] WHERE "
           "[LI].[Status] = 'C') AND ((([Tbl].[Data_Year])=" +
           QString::number(y - 1) + ")" +
           " AND [Tbl].[LearnerID] not in (Select [sCurY].[LearnerID] From " + table +
           " AS [sCurY] Where [sCurY].[data_year] = " + QString::number(y) +
           " AND [sCurY].[LearnerID] = [Tbl].[LearnerID])))";
}

void AppendInfo() {
    const int y = currentDate().year();
    OpenConnection();
    qint64 total = 0;
    try {
        ado::TransactionScope transaction(*gConnection);
        for (const QString table : kRolloverTables) {
            QStringList columns;
            std::unique_ptr<ado::Recordset> schema =
                gConnection->OpenSchema(ado::adSchemaColumns, {"", "", table, ""});
            while (!schema->Eof()) {
                const QString name = schema->Fields("COLUMN_NAME").text();
                if (name != QLatin1String("ID"))
                    columns << name;
                schema->MoveNext();
            }
            schema->Close();
            qint64 affected = 0;
            gConnection->Execute(appendInfoSql(table, columns, y), &affected);
            total += affected;
        }
        transaction.commit();
    } catch (const AppError& e) {
        // Nothing of a failed roll-over stays: no year is left half copied.
        CloseConnection();
        ShowErrorReport("frmSelectLearner", e.description(), "AppendInfo", e.number());
        return;
    }
    CloseConnection();
    ShowUserMessage("Append Complete: " + QString::number(total) + " Rows Affected");
}
