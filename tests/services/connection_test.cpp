// The shared connection: opening with its error report, closing without one,
// and the query routine over the shared record set.
#include "services/moddatabaseconnection.h"
#include "services/modextendedmsgbox.h"
#include "tests/common/fixture.h"

#include <QFile>
#include <gtest/gtest.h>

class ConnectionTest : public DemoDbTest {};

TEST_F(ConnectionTest, FailedOpenIsReportedAsDatabaseAccessError) {
    QFile text(dir.filePath("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("Not a database at all, just a line of text for the test.\n");
    text.close();
    const QString missing = dir.filePath("gone.mdb");
    for (const QString& path : {QString(), missing, text.fileName()}) {
        SCOPED_TRACE(path.toStdString());
        boxes().clear();
        gDbPath = path;
        OpenConnection();
        ASSERT_EQ(boxes().size(), 1);
        const msgbox::Shown& box = boxes().first();
        EXPECT_TRUE(box.title.startsWith("Error : ")) << box.title.toStdString();
        EXPECT_NE(box.title, "Error : 0");
        const QStringList lines = box.text.split("\r\n");
        ASSERT_EQ(lines.size(), 3);
        EXPECT_TRUE(lines[0].startsWith("Error Description: "));
        EXPECT_GT(lines[0].size(), QString("Error Description: ").size());
        EXPECT_EQ(lines[1], "Location: modDatabaseConnection");
        EXPECT_EQ(lines[2], "Procedure: Database Access Error");
        // The caller goes on with a connection that is not open.
        ASSERT_TRUE(gConnection);
        EXPECT_EQ(gConnection->State(), ado::adStateClosed);
        EXPECT_THROW(gConnection->Execute("SELECT 1"), AppError);
    }
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(ConnectionTest, OpenGivesAFreshConnectionToTheSettingsFile) {
    OpenConnection();
    ASSERT_TRUE(gConnection);
    ado::Connection* first = gConnection.get();
    EXPECT_EQ(gConnection->State(), ado::adStateOpen);
    EXPECT_EQ(gConnection->property("Data Source").toString(), dbPath);
    EXPECT_EQ(gConnection->property("Jet OLEDB:Database Password").toString(), "Mup@rka");
    OpenConnection(); // replaces the one held before
    EXPECT_NE(gConnection.get(), first);
    EXPECT_EQ(gConnection->State(), ado::adStateOpen);
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(ConnectionTest, CloseNeverReports) {
    gConnection.reset();
    EXPECT_NO_THROW(CloseConnection()); // none held
    OpenConnection();
    CloseConnection();
    EXPECT_FALSE(gConnection);
    EXPECT_NO_THROW(CloseConnection());

    gDbPath = dir.filePath("gone.mdb");
    OpenConnection(); // reported once
    boxes().clear();
    EXPECT_NO_THROW(CloseConnection()); // a connection that never opened
    EXPECT_TRUE(gConnection);           // kept; the next open replaces it
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(ConnectionTest, ExecuteQueryOpensAClosedConnectionAndCountsTheRows) {
    const qint64 expected = rawScalar(dbPath, "SELECT count(*) FROM Disabilities").toLongLong();
    ASSERT_GT(expected, 0);
    gConnection.reset();
    EXPECT_EQ(ExecuteQuery("Select * from disabilities order by id"), expected);
    ASSERT_TRUE(gConnection);
    EXPECT_EQ(gConnection->State(), ado::adStateOpen);
    ASSERT_TRUE(gRecordset);
    EXPECT_EQ(gRecordset->RecordCount(), expected);
    EXPECT_FALSE(gRecordset->Fields("Name").text().isEmpty());
    EXPECT_EQ(ExecuteQuery("SELECT * FROM Disabilities WHERE id = -1"), 0);
    EXPECT_TRUE(gRecordset->Eof());
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(ConnectionTest, ExecuteQueryFailuresReachTheCaller) {
    EXPECT_THROW(ExecuteQuery("SELECT Nothing FROM Nowhere"), AppError);
    EXPECT_TRUE(boxes().isEmpty());

    CloseConnection();
    gDbPath = dir.filePath("gone.mdb");
    EXPECT_THROW(ExecuteQuery("SELECT * FROM Disabilities"), AppError);
    EXPECT_EQ(boxes().size(), 1); // the open's own report, nothing more
}

TEST_F(ConnectionTest, ScopeClosesTheConnectionOnEveryPath) {
    {
        ConnectionScope cn;
        EXPECT_TRUE(cn.isOpen());
    }
    EXPECT_FALSE(gConnection);

    const bool ran = trapErrors("frmTest", "getTest Routine", [] {
        ConnectionScope cn;
        cn->Execute("SELECT Nothing FROM Nowhere");
    });
    EXPECT_FALSE(ran);
    EXPECT_FALSE(gConnection);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes().first().text.endsWith("Location: frmTest\r\nProcedure: getTest Routine"));
}

TEST_F(ConnectionTest, SharingScopeClosesOnlyTheConnectionItsQueriesOpened) {
    // The caller's open connection is used and stays open.
    OpenConnection();
    ado::Connection* callers = gConnection.get();
    {
        ConnectionScope shared(ConnectionScope::ShareOpen);
        EXPECT_GT(ExecuteQuery("SELECT * FROM Disabilities"), 0);
        EXPECT_EQ(gConnection.get(), callers);
    }
    ASSERT_TRUE(gConnection);
    EXPECT_EQ(gConnection.get(), callers);
    EXPECT_EQ(gConnection->State(), ado::adStateOpen);

    // None open: the one the query opened is closed on the way out, also on a failure.
    CloseConnection();
    {
        ConnectionScope shared(ConnectionScope::ShareOpen);
        EXPECT_GT(ExecuteQuery("SELECT * FROM Disabilities"), 0);
        EXPECT_TRUE(shared.isOpen());
    }
    EXPECT_FALSE(gConnection);
    EXPECT_THROW(
        {
            ConnectionScope shared(ConnectionScope::ShareOpen);
            ExecuteQuery("SELECT Nothing FROM Nowhere");
        },
        AppError);
    EXPECT_FALSE(gConnection);
    EXPECT_TRUE(boxes().isEmpty());
}
