// The data-access objects over SQLite: opening, transactions, values and counts.
#include "platform/adodb.h"
#include "tests/common/fixture.h"
#include "tests/platform/qtprint.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <thread>

namespace {

QString newDatabase(const QTemporaryDir& dir, const QString& sql) {
    const QString path = dir.filePath("data.db");
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                    nullptr);
    sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
}

} // namespace

class AdoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = newDatabase(dir, "CREATE TABLE T (ID INTEGER PRIMARY KEY, Name TEXT, N INTEGER);"
                                "INSERT INTO T VALUES (1, 'a', 10), (2, '', 20), (3, NULL, 20);");
        cn.setProperty("Data Source", path);
        cn.setProperty("Jet OLEDB:Database Password", "Mup@rka");
        cn.Open("", "", "", -1);
        ASSERT_EQ(cn.State(), ado::adStateOpen);
    }

    QStringList names() { return rawRows(path, "SELECT ID || ':' || ifnull(Name, '-') FROM T"); }
    // The name of row 1, read on a connection opened for it and closed again.
    QString nameOfOne() {
        cn.Open("", "", "", -1);
        ado::Recordset rs;
        rs.Open("SELECT Name FROM T WHERE ID = 1", &cn);
        const QString name = rs.Fields("Name").text();
        rs.Close();
        cn.Close();
        return name;
    }

    QTemporaryDir dir;
    QString path;
    ado::Connection cn;
};

TEST(AdoOpen, FailsWithNumberAndDescriptionAndNeverCreatesAFile) {
    QTemporaryDir dir;
    QFile text(dir.filePath("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("This is not a database file, only some text that is long enough.\n");
    text.close();
    const QString missing = dir.filePath("missing.mdb");
    for (const QString& source : {QString(), missing, text.fileName(), dir.path()}) {
        SCOPED_TRACE(source.toStdString());
        ado::Connection cn;
        cn.setProperty("Data Source", source);
        try {
            cn.Open("", "", "", -1);
            ADD_FAILURE() << "opened";
        } catch (const AppError& e) {
            EXPECT_NE(e.number(), 0);
            EXPECT_FALSE(e.description().isEmpty());
        }
        EXPECT_EQ(cn.State(), ado::adStateClosed);
        EXPECT_THROW(cn.Execute("SELECT 1"), AppError);
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"notes.txt"}));
}

TEST_F(AdoTest, OpenWaitsForAFileThatAnotherProgramIsWriting) {
    // Another program holds the file for a moment, as the host product may.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE; UPDATE T SET N = 11 WHERE ID = 1", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    std::thread writer([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    });
    ado::Connection second;
    second.setProperty("Data Source", path);
    EXPECT_NO_THROW(second.Open());
    writer.join();
    sqlite3_close(other);
    EXPECT_EQ(second.State(), ado::adStateOpen);
}

TEST_F(AdoTest, ConnectionStringOpensASecondConnectionToTheSameFile) {
    ado::Connection second;
    second.Open(cn.ConnectionString());
    ado::Recordset rs;
    rs.Open("SELECT count(*) AS n FROM T", &second);
    EXPECT_EQ(rs.Fields("n").toInt(), 3);
}

TEST_F(AdoTest, FailedStatementInsideATransactionThenRollbackLeavesTheTable) {
    const QStringList before = names();
    cn.BeginTrans();
    cn.Execute("DELETE FROM T WHERE ID = 1");
    cn.Execute("INSERT INTO T VALUES (4, 'd', 1)");
    EXPECT_THROW(cn.Execute("INSERT INTO T VALUES (4, 'again', 1)"), AppError);
    EXPECT_THROW(cn.Execute("INSERT INTO Nowhere VALUES (1)"), AppError);
    cn.RollbackTrans();
    EXPECT_EQ(names(), before);

    // Harmless with no transaction open, also twice and on a closed connection.
    EXPECT_NO_THROW(cn.RollbackTrans());
    EXPECT_NO_THROW(cn.RollbackTrans());

    cn.BeginTrans();
    cn.Execute("UPDATE T SET Name = 'z' WHERE ID = 1");
    cn.CommitTrans();
    cn.RollbackTrans();
    EXPECT_EQ(rawScalar(path, "SELECT Name FROM T WHERE ID = 1"), "z");

    cn.Close();
    EXPECT_NO_THROW(cn.RollbackTrans());
}

TEST_F(AdoTest, RecordsAffectedCountsTheRowsTouched) {
    const auto affected = [&](const QString& sql) {
        qint64 n = -1;
        cn.Execute(sql, &n, -1);
        return n;
    };
    EXPECT_EQ(affected("UPDATE T SET N = 21 WHERE N = 20"), 2);
    EXPECT_EQ(affected("CREATE TABLE U (A INTEGER)"), 0); // not the last update's count
    EXPECT_EQ(affected("INSERT INTO U SELECT N FROM T"), 3);
    EXPECT_EQ(affected("INSERT INTO U SELECT N FROM T WHERE 0"), 0);
    EXPECT_EQ(affected("DELETE FROM T WHERE ID > 100"), 0);
    EXPECT_EQ(affected("SELECT * FROM T"), 0);
    EXPECT_EQ(affected("DELETE FROM U"), 3);
}

TEST_F(AdoTest, RecordSetHoldsEveryRowAndTellsNullFromEmpty) {
    ado::Recordset rs;
    rs.Open("SELECT ID, Name AS Label, N FROM T ORDER BY ID", &cn, ado::adOpenKeyset);
    EXPECT_EQ(rs.State(), ado::adStateOpen);
    EXPECT_EQ(rs.RecordCount(), 3);
    QStringList seen;
    for (; !rs.Eof(); rs.MoveNext()) {
        const ado::Field f = rs.Fields("label"); // any case, as ADO
        seen << QString("%1:%2:%3")
                    .arg(rs.Fields("id").text(), f.isNull() ? "null" : "'" + f.text() + "'",
                         rs.Fields("N").text());
    }
    EXPECT_EQ(seen, QStringList({"1:'a':10", "2:'':20", "3:null:20"}));
    EXPECT_THROW(rs.MoveNext(), AppError);
    EXPECT_THROW(rs.Fields("ID").Value(), AppError);
    rs.MoveFirst();
    try {
        rs.Fields("Missing");
        ADD_FAILURE() << "unknown field found";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrNo::NoSuchField);
    }
    rs.Close();
    EXPECT_EQ(rs.State(), ado::adStateClosed);

    ado::Recordset empty;
    empty.Open("SELECT * FROM T WHERE ID = 99", &cn);
    EXPECT_TRUE(empty.Eof());
    EXPECT_EQ(empty.RecordCount(), 0);
    EXPECT_EQ(empty.fieldNames(), QStringList({"ID", "Name", "N"}));
}

TEST_F(AdoTest, RecordSetKeepsEveryKindOfValueAndATextSharedDownItsColumnStaysPerRow) {
    // More rows than a block holds; texts repeated on the row above, further
    // down, and beside numbers, reals, blobs and Nulls in the same column.
    ASSERT_EQ(sqlite3_exec(
                  cn.handle(),
                  "CREATE TABLE V (ID INTEGER PRIMARY KEY, X);"
                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2100) "
                  "INSERT INTO V SELECT i, CASE i % 6 WHEN 0 THEN 'same' WHEN 1 THEN 'same' "
                  "WHEN 2 THEN i WHEN 3 THEN i + 0.5 WHEN 4 THEN x'00ff' ELSE NULL END FROM n",
                  nullptr, nullptr, nullptr),
              SQLITE_OK);
    ado::Recordset rs;
    rs.Open("SELECT ID, X FROM V ORDER BY ID", &cn);
    ASSERT_EQ(rs.RecordCount(), 2100);
    for (int i = 1; !rs.Eof(); ++i, rs.MoveNext()) {
        const QVariant x = rs.Fields("X").Value();
        SCOPED_TRACE(i);
        ASSERT_EQ(rs.Fields("ID").Value(), QVariant::fromValue<qlonglong>(i));
        switch (i % 6) {
        case 0:
        case 1:
            ASSERT_EQ(x, QVariant(QString("same")));
            break;
        case 2:
            ASSERT_EQ(x, QVariant::fromValue<qlonglong>(i));
            break;
        case 3:
            ASSERT_EQ(x, QVariant(i + 0.5));
            break;
        case 4:
            ASSERT_EQ(x, QVariant(QByteArray("\x00\xff", 2)));
            break;
        default:
            ASSERT_FALSE(x.isValid());
        }
    }
    // A value written into one field of a shared text leaves the others.
    rs.MoveFirst();
    rs.Fields("X").setValue(QString("changed")); // row 1
    rs.MoveNext();
    rs.MoveNext(); // row 3, a real
    rs.Fields("X").setValue(true);
    rs.MoveFirst();
    EXPECT_EQ(rs.Fields("X").text(), "changed");
    for (int i = 1; i < 6; ++i)
        rs.MoveNext();
    EXPECT_EQ(rs.Fields("X").text(), "same"); // row 6
    rs.MoveNext();
    EXPECT_EQ(rs.Fields("X").text(), "same"); // row 7
    rs.MoveFirst();
    rs.MoveNext();
    rs.MoveNext();
    EXPECT_EQ(rs.Fields("X").Value(), QVariant(true));
}

TEST_F(AdoTest, EachOpeningReadsTheFileAsItNowStands) {
    cn.Close();
    EXPECT_EQ(nameOfOne(), "a");
    // Written by another program between two openings.
    sqlite3* other = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr);
    ASSERT_EQ(
        sqlite3_exec(other, "UPDATE T SET Name = 'b' WHERE ID = 1", nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(other);
    EXPECT_EQ(nameOfOne(), "b");
    // Another file put in its place.
    ASSERT_TRUE(QFile::remove(path));
    newDatabase(dir, "CREATE TABLE T (ID INTEGER PRIMARY KEY, Name TEXT, N INTEGER);"
                     "INSERT INTO T VALUES (1, 'c', 10);");
    EXPECT_EQ(nameOfOne(), "c");
    // Gone.
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_THROW(cn.Open("", "", "", -1), AppError);
    EXPECT_EQ(cn.State(), ado::adStateClosed);
}

// Another copy of the file written over it in place (cat other > file), of
// the same size and with the same change counter in its header, its time of
// writing set back (touch -r): the kept handle would show, and write back,
// what it read from the file before.
TEST_F(AdoTest, AFileOverwrittenInPlaceWithItsTimeSetBackIsReadAfresh) {
    cn.Close();
    const QString otherPath = dir.filePath("other.db");
    ASSERT_TRUE(QFile::copy(path, otherPath));
    rawExec(path, "UPDATE T SET Name = 'x' WHERE ID = 1");
    rawExec(otherPath, "UPDATE T SET Name = 'y' WHERE ID = 1");
    const auto header = [](const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.read(100) : QByteArray();
    };
    ASSERT_EQ(QFileInfo(path).size(), QFileInfo(otherPath).size());
    ASSERT_EQ(header(path).mid(24, 4), header(otherPath).mid(24, 4));

    EXPECT_EQ(nameOfOne(), "x");
    EXPECT_EQ(nameOfOne(), "x");

    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
    QFile other(otherPath);
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    const QByteArray bytes = other.readAll();
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::WriteOnly | QIODevice::Truncate)); // the same file, written anew
    ASSERT_EQ(in.write(bytes), bytes.size());
    in.close();
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    ASSERT_EQ(after.st_ino, before.st_ino);
    ASSERT_EQ(after.st_size, before.st_size);
    ASSERT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);

    EXPECT_EQ(nameOfOne(), "y");
    // What is written goes into the file as it now stands.
    cn.Open("", "", "", -1);
    cn.Execute("UPDATE T SET N = 11 WHERE ID = 2");
    cn.Close();
    EXPECT_EQ(rawRows(path, "SELECT Name, N FROM T WHERE ID <= 2 ORDER BY ID"),
              QStringList({"y|10", "|11"}));
}

// A NUL in a statement's text, inside a quoted text or outside one, runs
// nothing and ends with an error (SQLite would read the text only up to it).
TEST_F(AdoTest, ATextHoldingANulRunsNothingAndEndsWithAnError) {
    const QString nul(QChar(0));
    const QStringList texts = {
        "SELECT 1" + nul,
        nul + "SELECT 1",
        "UPDATE T SET N = 0" + nul,
        "UPDATE T SET Name = 'a" + nul + "b' WHERE ID = 1",
        "UPDATE T SET N = 0; " + nul + "; UPDATE T SET N = 1",
        "UPDATE T SET N = 5 " + nul + "WHERE ID = 1",
    };
    const QStringList before = rawRows(path, "SELECT * FROM T ORDER BY ID");
    for (const QString& sql : texts) {
        SCOPED_TRACE(QString(sql).replace(nul, "<NUL>").toStdString());
        EXPECT_THROW(cn.Execute(sql), AppError);
        ado::Recordset rs;
        EXPECT_THROW(rs.Open(sql, &cn), AppError);
    }
    EXPECT_EQ(rawRows(path, "SELECT * FROM T ORDER BY ID"), before);
    // The connection goes on working.
    cn.Execute("UPDATE T SET N = 30 WHERE ID = 3");
    EXPECT_EQ(rawScalar(path, "SELECT N FROM T WHERE ID = 3"), "30");
}

// A transaction scope inside an open transaction is a savepoint of it: its
// work is undone alone, or kept for the outer transaction's commit.
TEST_F(AdoTest, AScopeInsideATransactionIsASavepointOfIt) {
    {
        ado::TransactionScope outer(cn);
        cn.Execute("UPDATE T SET N = 11 WHERE ID = 1");
        try {
            ado::TransactionScope inner(cn);
            cn.Execute("UPDATE T SET N = 22 WHERE ID = 2");
            cn.Execute("UPDATE Missing SET N = 0");
            inner.commit();
        } catch (const AppError&) {
        }
        EXPECT_TRUE(cn.InTransaction());
        {
            ado::TransactionScope inner(cn);
            cn.Execute("UPDATE T SET N = 33 WHERE ID = 3");
            inner.commit();
        }
        // Nothing is in the file before the outer commit.
        EXPECT_EQ(rawRows(path, "SELECT N FROM T ORDER BY ID"), QStringList({"10", "20", "20"}));
        outer.commit();
    }
    EXPECT_FALSE(cn.InTransaction());
    EXPECT_EQ(rawRows(path, "SELECT N FROM T ORDER BY ID"), QStringList({"11", "20", "33"}));
    {
        // An outer transaction that is not committed takes its savepoints with it.
        ado::TransactionScope outer(cn);
        ado::TransactionScope inner(cn);
        cn.Execute("UPDATE T SET N = 0");
        inner.commit();
    }
    EXPECT_EQ(rawRows(path, "SELECT N FROM T ORDER BY ID"), QStringList({"11", "20", "33"}));
}

TEST_F(AdoTest, ErrorsReachTheCallerWithoutABox) {
    msgbox::shownBoxes().clear();
    ado::Recordset rs;
    try {
        rs.Open("SELECT Nothing FROM T", &cn);
        ADD_FAILURE() << "opened";
    } catch (const AppError& e) {
        EXPECT_NE(e.number(), 0);
        EXPECT_TRUE(e.description().contains("Nothing")) << e.description().toStdString();
    }
    EXPECT_EQ(rs.State(), ado::adStateClosed);
    cn.Close();
    EXPECT_THROW(rs.Open("SELECT * FROM T", &cn), AppError);
    EXPECT_THROW(cn.Close(), AppError);
    EXPECT_TRUE(msgbox::shownBoxes().isEmpty());
}

TEST_F(AdoTest, ColumnsSchemaListsTheColumnsInOrder) {
    cn.Execute("CREATE TABLE TAV_Factors_School (ID INTEGER PRIMARY KEY, LearnerID INTEGER, "
               "Enabling_Factor TEXT, Barrier TEXT, Data_Year INTEGER)");
    auto rs = cn.OpenSchema(ado::adSchemaColumns, {"", "", "TAV_Factors_School", ""});
    QStringList cols;
    for (; !rs->Eof(); rs->MoveNext())
        cols << rs->Fields("column_name").text();
    EXPECT_EQ(cols, QStringList({"ID", "LearnerID", "Enabling_Factor", "Barrier", "Data_Year"}));
    EXPECT_EQ(cn.OpenSchema(ado::adSchemaColumns, {"", "", "NoSuchTable", ""})->RecordCount(), 0);
}

TEST(AdoDisconnected, RecordSetFilledRowByRow) {
    ado::Recordset rs;
    rs.Append("Grade", ado::adVarChar, 50);
    rs.Append("Score", ado::adInteger);
    rs.OpenDisconnected();
    EXPECT_EQ(rs.RecordCount(), 0);
    for (int i = 1; i <= 2; ++i) {
        rs.AddNew();
        rs.Fields("grade").setValue(QString("Grade %1").arg(i));
        rs.Fields("Score").setValue(i * 10);
        rs.Update();
    }
    rs.MoveFirst();
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.Fields("Grade").text(), "Grade 1");
    rs.MoveNext();
    EXPECT_EQ(rs.Fields("Score").toInt(), 20);
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
}

TEST_F(AdoTest, ALongStatementCallsTheWorkingHookWhileItRunsAndNoneOnceItIsCleared) {
    int calls = 0;
    const auto count = [&] {
        ado::Recordset rs;
        rs.Open("SELECT Count(*) AS N FROM T AS A, T AS B, T AS C, T AS D, T AS E, T AS F, "
                "T AS G, T AS H, T AS I, T AS J",
                &cn);
        return rs.Fields("N").Value().toLongLong();
    };
    ado::setWorkingHook([&] { ++calls; });
    EXPECT_EQ(count(), 59049);
    EXPECT_GT(calls, 0);
    ado::setWorkingHook({});
    calls = 0;
    EXPECT_EQ(count(), 59049);
    EXPECT_EQ(calls, 0);
}
