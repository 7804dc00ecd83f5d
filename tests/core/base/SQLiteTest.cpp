// The SQLite wrapper: steps, binds, errors that carry SQLite's own message,
// and connections and statements that end in any order.
#include "core/SQLiteDatabase.h"
#include "core/SQLiteException.h"
#include "core/SQLiteStatement.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <string>


namespace {

class SQLiteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SQLITE_OK, m_db.Open(":memory:"));
        Run("create table t(id integer primary key, name text not null, data blob);");
        Run("insert into t values(1, 'one', NULL);");
    }

    void Run(const char* sql)
    {
        CSQLiteStatement st;
        ASSERT_EQ(SQLITE_OK, m_db.Prepare(sql, st));
        ASSERT_EQ(SQLITE_DONE, st.Execute());
    }

    int OpenStatements() const
    {
        int n = 0;
        for (sqlite3_stmt* s = sqlite3_next_stmt(m_db.GetHandle(), nullptr); s;
             s = sqlite3_next_stmt(m_db.GetHandle(), s))
            ++n;
        return n;
    }

    CSQLiteDatabase m_db;
};

TEST_F(SQLiteTest, QueryStepsRowsThenDoneAndUpdateReturnsDone)
{
    CSQLiteStatement st;
    ASSERT_EQ(SQLITE_OK, m_db.Prepare("insert into t values(2, 'two', NULL);", st));
    EXPECT_EQ(SQLITE_DONE, st.Step());
    st.Finalize();

    ASSERT_EQ(SQLITE_OK, m_db.Prepare("select id, name from t order by id;", st));
    EXPECT_EQ(SQLITE_ROW, st.Step());
    EXPECT_EQ(1, st.ColumnInt(0));
    EXPECT_EQ(SQLITE_ROW, st.Step());
    EXPECT_EQ("two", st.ColumnText(1));
    EXPECT_EQ(SQLITE_DONE, st.Step());
    EXPECT_EQ(2, st.ColumnCount());
    EXPECT_EQ("name", st.ColumnName(1));
}

// The legacy prepare makes step report a constraint as a bare SQLITE_ERROR;
// the exception must still carry the real cause.
TEST_F(SQLiteTest, ConstraintViolationOnStepThrowsWithSQLitesMessage)
{
    struct Case {
        const char* sql;
        const char* message;
    };
    const Case cases[] = {
        {"insert into t values(1, 'again', NULL);", "UNIQUE constraint failed: t.id"},
        {"insert into t values(5, NULL, NULL);", "NOT NULL constraint failed: t.name"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        CSQLiteStatement st;
        ASSERT_EQ(SQLITE_OK, m_db.Prepare(c.sql, st));
        try {
            st.Step();
            FAIL() << "no exception";
        } catch (const CSQLiteException& e) {
            EXPECT_EQ(c.message, e.GetMessage());
        }
    }
}

TEST_F(SQLiteTest, ExecuteThatThrowsLeavesTheStatementHeld)
{
    CSQLiteStatement st;
    ASSERT_EQ(SQLITE_OK, m_db.Prepare("insert into t values(1, 'again', NULL);", st));
    EXPECT_THROW(st.Execute(), CSQLiteException);
    EXPECT_FALSE(st.IsEmpty());
    st.Finalize();
    EXPECT_TRUE(st.IsEmpty());
    EXPECT_EQ(0, OpenStatements());
}

TEST_F(SQLiteTest, SyntaxErrorReturnsCodeAndStepOnFailedPrepareReturnsMisuse)
{
    CSQLiteStatement st;
    int rc = SQLITE_OK;
    EXPECT_NO_THROW(rc = m_db.Prepare("selec id from t;", st));
    EXPECT_EQ(SQLITE_ERROR, rc);
    EXPECT_TRUE(st.IsEmpty());
    EXPECT_STREQ("near \"selec\": syntax error", sqlite3_errmsg(m_db.GetHandle()));
    int step = 0;
    EXPECT_NO_THROW(step = st.Step());
    EXPECT_EQ(21, step);
}

TEST_F(SQLiteTest, BindIndexesAreZeroBasedAndNullReadsEmpty)
{
    const unsigned char bytes[] = {0, 1, 2, 0xFF};
    CSQLiteStatement st;
    ASSERT_EQ(SQLITE_OK, m_db.Prepare("insert into t values(3, ?, ?);", st));
    EXPECT_EQ(SQLITE_OK, st.BindText(0, "three"));
    EXPECT_EQ(SQLITE_OK, st.BindBlob(1, bytes, sizeof bytes, SQLITE_TRANSIENT));
    EXPECT_EQ(SQLITE_DONE, st.Execute());

    ASSERT_EQ(SQLITE_OK, m_db.Prepare("select name, data from t where id = 3;", st));
    ASSERT_EQ(SQLITE_ROW, st.Step());
    EXPECT_EQ("three", st.ColumnText(0));
    ASSERT_EQ((int)sizeof bytes, st.ColumnBytes(1));
    EXPECT_EQ(0, std::memcmp(bytes, st.ColumnBlob(1), sizeof bytes));
    EXPECT_EQ(SQLITE_BLOB, st.ColumnType(1));
    st.Finalize();

    ASSERT_EQ(SQLITE_OK, m_db.Prepare("select data, 2.5 from t where id = 1;", st));
    ASSERT_EQ(SQLITE_ROW, st.Step());
    EXPECT_EQ(SQLITE_NULL, st.ColumnType(0));
    EXPECT_EQ("", st.ColumnText(0));
    EXPECT_EQ(nullptr, st.ColumnBlob(0));
    EXPECT_DOUBLE_EQ(2.5, st.ColumnDouble(1));
}

TEST_F(SQLiteTest, PreparingOverAHeldStatementDoesNotLeakIt)
{
    CSQLiteStatement st;
    ASSERT_EQ(SQLITE_OK, m_db.Prepare("select id from t;", st));
    ASSERT_EQ(SQLITE_OK, m_db.Prepare("select name from t;", st));
    EXPECT_EQ(1, OpenStatements());
    ASSERT_EQ(SQLITE_ROW, st.Step());
    EXPECT_EQ("one", st.ColumnText(0));
}

TEST(SQLiteLifetime, EmptyObjectsFinalizeAndCloseSafely)
{
    CSQLiteStatement st;
    st.Finalize();
    st.Finalize();
    EXPECT_TRUE(st.IsEmpty());
    EXPECT_EQ("", st.ColumnName(0));
    CSQLiteDatabase db;
    db.Close();
    db.Close();
    EXPECT_EQ(nullptr, db.GetHandle());
    EXPECT_EQ(SQLITE_MISUSE, db.Prepare("select 1;", st));
    EXPECT_TRUE(st.IsEmpty());
}

TEST(SQLiteLifetime, FailedOpenReturnsCodeAndHoldsNoConnection)
{
    CSQLiteDatabase db;
    int rc = SQLITE_OK;
    EXPECT_NO_THROW(rc = db.Open("/nonexistent-folder/sub/x.db"));
    EXPECT_EQ(SQLITE_CANTOPEN, rc);
    EXPECT_EQ(nullptr, db.GetHandle());
}

// A process-wide row statement can outlive the layer database it came from.
TEST(SQLiteLifetime, StatementOutlivingItsDatabaseStillFinalizesAndFileReopens)
{
    const testsupport::TempFolder folder("kv_sqlite_");
    const CString path = folder.File("lifetime.db");
    CSQLiteStatement st;
    {
        CSQLiteDatabase db;
        ASSERT_EQ(SQLITE_OK, db.Open(path));
        CSQLiteStatement create;
        ASSERT_EQ(SQLITE_OK, db.Prepare("create table x(a int);", create));
        EXPECT_EQ(SQLITE_DONE, create.Execute());
        ASSERT_EQ(SQLITE_OK, db.Prepare("select count(*) from sqlite_master;", st));
        ASSERT_EQ(SQLITE_ROW, st.Step());
        db.Close();
        EXPECT_EQ(nullptr, db.GetHandle());
    }
    st.Finalize();

    CSQLiteDatabase again;
    ASSERT_EQ(SQLITE_OK, again.Open(path));
    ASSERT_EQ(SQLITE_OK, again.Prepare("insert into x values(8);", st));
    EXPECT_EQ(SQLITE_DONE, st.Execute());
    again.Close();
}

}
