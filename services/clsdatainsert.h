#pragma once
// Fills the program's lookup tables with their fixed rows, right after the
// table check has created them. Every statement runs on gConnection, which the
// caller holds open; a failing insert raises AppError to the caller.
#include <QString>
#include <QStringList>

class clsDataInsert {
public:
    void InsertIA();   // TAV_lu_Impairment_Area, 8 rows
    void InsertADDS(); // TAV_lu_Activity_Domain_Sub_Section, 29 rows
    void InsertADLD(); // TAV_lu_Activity_Domain_Limit_Desc, 28 rows
    void InsertISP();  // TAV_lu_ISP_Actions, 5 rows

private:
    void InsertRows(const QString& tableName);

    QString m_Columns;  // the column list between the INSERT's parentheses
    QStringList m_Rows; // one value tuple per row, in ID order
};
