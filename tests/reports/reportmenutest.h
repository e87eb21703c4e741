#pragma once
// What the report-window tests share: the demo school with the program's
// tables, Section 1 rows for two years, a fixed clock and data year, and the
// report viewer replaced by a double that records what it was handed.
#include "platform/runtime.h"
#include "reports/frmreportview.h"
#include "services/checktables.h"
#include "services/formregistry.h"
#include "services/globals.h"
#include "services/moddatabaseconnection.h"
#include "tests/common/fixture.h"
#include "tests/common/user.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringList>

// The texts of a combo box's list, in order.
inline QStringList items(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

// The viewer's properties at the moment a window showed it.
struct ViewerCall {
    QString ReportMode;
    QString SQL;
    QString RepVar;
    bool RepGrade = false;
};

class ReportMenuTest : public DemoDbTest {
protected:
    void SetUp() override {
        DemoDbTest::SetUp();
        checkTables();
        setClockOverride(QDate(2026, 6, 15));
        gDataYear = 2026;
        gReportYear = 1999;
        frmReportview::Default() = ReportviewProperties{};
        // Section 1 rows: 1, 2 and 13 current with a barrier; 5 archived; 6
        // current without a primary barrier; 7 only in 2025.
        rawExec(dbPath, "INSERT INTO TAV_Learner_Background_Info (LearnerID, Data_Year, "
                        "Name_Of_Provider, Nature_Of_Support_Received, Family_Situation) VALUES "
                        "(1, 2026, 'Clinic A', 'Speech therapy', 'Lives with aunt'),"
                        "(2, 2026, 'Clinic B', NULL, NULL),"
                        "(13, 2026, 'Clinic B', NULL, NULL),"
                        "(5, 2026, 'Clinic A', NULL, NULL),"
                        "(6, 2026, 'O''Brien Trust', NULL, NULL),"
                        "(7, 2025, 'Clinic C', NULL, NULL)");
        calls().clear();
        registerForm("frmReportview", [] {
            const ReportviewProperties& p = frmReportview::Default();
            calls().append({p.ReportMode, p.SQL, p.RepVar, p.RepGrade});
            return QString();
        });
        boxes().clear();
    }
    void TearDown() override {
        setClockOverride(std::nullopt);
        CloseConnection();
        DemoDbTest::TearDown();
    }

    static QList<ViewerCall>& calls() {
        static QList<ViewerCall> c;
        return c;
    }

    // The texts of the message boxes shown so far.
    QStringList messages() {
        QStringList out;
        for (const msgbox::Shown& box : boxes())
            out << box.text;
        return out;
    }

    // Types text key by key into the edit box of an editable combo of a shown
    // window, over what it holds, as the user does.
    static void typeInto(QComboBox* combo, const QString& text) {
        user::typeIntoBox(combo->lineEdit(), text);
    }

    // Every row of sql run through the program's own data access (the host
    // dialect translated), the columns named joined by '|'.
    QStringList run(const QString& sql, const QStringList& columns) {
        QStringList out;
        try {
            ConnectionScope connection;
            ado::Recordset rs;
            rs.Open(sql, gConnection.get());
            while (!rs.Eof()) {
                QStringList cols;
                for (const QString& c : columns)
                    cols << rs.Fields(c).text();
                out << cols.join('|');
                rs.MoveNext();
            }
        } catch (const AppError& e) {
            ADD_FAILURE() << e.description().toStdString() << " in " << sql.toStdString();
        }
        return out;
    }
};
