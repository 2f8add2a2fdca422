#include "platform/db/Query.h"

#include "platform/Cp932.h"
#include "platform/db/Database.h"
#include "platform/db/FbError.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/Transaction.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace dbtest;

// A database with one table of every column kind the program uses and two
// procedures, and an open read-committed transaction.
class DbQueryTest : public FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        dbtest::CreateTestDatabase(database_, DbPath("query.fdb"));
        transaction_.Start();
        db::Query ddl(database_, transaction_);
        ddl.SetParamCheck(false);  // PSQL bodies
        for (const char* sql :
             {"CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(10), AMOUNT NUMERIC(18,4),"
              " PRICE NUMERIC(15,2), RATE DOUBLE PRECISION, BIG BIGINT, DAY_ DATE, STAMP TIMESTAMP,"
              " CLOCK TIME, MEMO BLOB SUB_TYPE TEXT, DATA BLOB SUB_TYPE BINARY)",
              "CREATE PROCEDURE SQUARES (N INTEGER) RETURNS (I INTEGER, SQ INTEGER) AS BEGIN"
              " I = 1; WHILE (I <= :N) DO BEGIN SQ = I * I; SUSPEND; I = I + 1; END END",
              "CREATE PROCEDURE ADD_UP (A INTEGER, B INTEGER) RETURNS (TOTAL INTEGER, LABEL VARCHAR(20)) AS"
              " BEGIN TOTAL = A + B; LABEL = '合計'; END"}) {
            ddl.SetSQL(sql);
            ddl.ExecSQL();
        }
        transaction_.Commit();
        transaction_.Start();
    }

    void Insert(int id)
    {
        db::Query insert(database_, transaction_, "INSERT INTO T (ID) VALUES (:ID)");
        insert.ParamByName("ID").SetInteger(id);
        insert.ExecSQL();
    }

    db::Database database_;
    db::Transaction transaction_{database_};
};

TEST_F(DbQueryTest, FixedLengthTextKeepsItsDeclaredLength)
{
    // The connection's set takes two bytes a character, so the engine hands a
    // CHAR(n) over as 2n blank-padded bytes, a one-byte set's column too.
    db::Query ddl(database_, transaction_);
    ddl.SetSQL(
        "CREATE TABLE C (A1 CHAR(1) CHARACTER SET ASCII, A3 CHAR(3) CHARACTER SET ASCII,"
        " O3 CHAR(3) CHARACTER SET OCTETS, S3 CHAR(3), N2 CHAR(2) CHARACTER SET NONE, I2 CHAR(2) CHARACTER SET ASCII)");
    ddl.ExecSQL();
    transaction_.Commit();
    transaction_.Start();
    db::Query insert(database_, transaction_, "INSERT INTO C VALUES ('B', 'x', 'xy', 'あ', 'q', '7')");
    insert.ExecSQL();
    db::Query q(database_, transaction_,
                "SELECT A1, A3, O3, S3, N2, I2, CAST('z' AS CHAR(2) CHARACTER SET ASCII) AS E, A1 || '' AS J FROM C");
    q.Open();
    const struct {
        const char* field;
        std::string text;
    } cases[] = {{"A1", "B"}, {"A3", "x  "}, {"O3", std::string("xy\0", 3)}, {"S3", "あ  "}, {"N2", "q "}, {"I2", "7 "},
                 {"E", "z "}, {"J", "B"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(q.FieldByName(c.field).AsString(), c.text);
    }
    EXPECT_EQ(q.FieldByName("S3").AsBlob(), cp932::FromUtf8("あ  "));
    EXPECT_EQ(q.FieldByName("I2").AsInteger(), 7);
    EXPECT_EQ(q.FieldByName("A1").OptionalString(), std::optional<std::string>("B"));
}

TEST_F(DbQueryTest, JapaneseTextRoundTripsThroughSjisColumns)
{
    // CP932's own characters (circled digits, ㈱, the full-width tilde),
    // half-width katakana, and "表", whose second byte is a backslash.
    const std::vector<std::string> texts = {"①②③", "㈱ノーベル", "～", "ｱｲｳｴｵﾞ", "表示", "予定表\\", "ABC abc"};
    db::Query insert(database_, transaction_, "INSERT INTO T (ID, NAME, MEMO) VALUES (:ID, :NAME, :NAME)");
    for (std::size_t i = 0; i < texts.size(); ++i) {
        insert.ParamByName("ID").SetInteger(static_cast<int>(i));
        insert.ParamByName("NAME").SetString(texts[i]);
        insert.ExecSQL();
    }
    db::Query select(database_, transaction_, "SELECT NAME, MEMO FROM T WHERE NAME = :NAME");
    for (const std::string& text : texts) {
        select.ParamByName("NAME").SetString(text);
        select.Open();
        ASSERT_FALSE(select.Eof()) << text;
        EXPECT_EQ(text, select.FieldByName("NAME").AsString());
        EXPECT_EQ(text, select.FieldByName("MEMO").AsString());
        EXPECT_EQ(cp932::FromUtf8(text), select.FieldByName("MEMO").AsBlob());
    }
}

TEST_F(DbQueryTest, VarcharCapacityIsTwoCp932BytesACharacter)
{
    // The engine sizes an SJIS_0208 VARCHAR(n) at 2n bytes and checks only
    // that: ten kanji or twenty half-width characters fit VARCHAR(10), one
    // byte more does not. Widths the program counts itself are its own checks.
    struct Case {
        const char* text;
        bool fits;
    };
    const Case cases[] = {
        {"表表表表表表表表表表", true},    // 20 bytes
        {"ｱｲｳｴｵｶｷｸｹｺｱｲｳｴｵｶｷｸｹｺ", true},    // 20 bytes
        {"表表表表表表表表表ｱｲ", true},    // 20 bytes
        {"表表表表表表表表表表ｱ", false},  // 21 bytes
        {"ｱｲｳｴｵｶｷｸｹｺｱｲｳｴｵｶｷｸｹｺｻ", false},  // 21 bytes
    };
    db::Query insert(database_, transaction_, "INSERT INTO T (ID, NAME) VALUES (:ID, :NAME)");
    int id = 0;
    for (const Case& c : cases) {
        insert.ParamByName("ID").SetInteger(++id);
        insert.ParamByName("NAME").SetString(c.text);
        if (c.fits) {
            EXPECT_NO_THROW(insert.ExecSQL()) << c.text;
            continue;
        }
        try {
            insert.ExecSQL();
            ADD_FAILURE() << c.text << " went into VARCHAR(10)";
        } catch (const db::FbError& error) {
            // The parameter's text is converted on its way in, which the
            // server reports as a dynamic SQL error around the truncation.
            EXPECT_EQ(335544569, error.IBErrorCode()) << error.what();
            EXPECT_EQ(-303, error.SQLCode()) << error.what();
            EXPECT_TRUE(error.HasCode(335544321)) << error.what();  // arithmetic exception
            EXPECT_NE(std::string::npos, error.Message().find("string right truncation")) << error.what();
        }
    }
    // A character CP932 cannot hold is refused before anything is sent.
    EXPECT_THROW(insert.ParamByName("NAME").SetString("한"), db::FbError);
}

TEST_F(DbQueryTest, ParametersReachEveryColumnType)
{
    db::Query insert(database_, transaction_,
                     "INSERT INTO T (ID, AMOUNT, PRICE, RATE, BIG, DAY_, STAMP, CLOCK, NAME)"
                     " VALUES (:ID, :AMOUNT, :PRICE, :RATE, :BIG, :WHEN, :WHEN, :WHEN, :NAME)");
    insert.ParamByName("ID").SetInteger(1);
    insert.ParamByName("AMOUNT").SetCurrency(-123456789012345);  // -12345678901.2345
    insert.ParamByName("PRICE").SetCurrency(12345);              // 1.2345 -> 1.23
    insert.ParamByName("RATE").SetCurrency(15000);               // 1.5
    insert.ParamByName("BIG").SetInt64(9007199254740993LL);
    // 2024/02/29 18:30:15.250
    insert.ParamByName("WHEN").SetDateTime(45351.0 + (18 * 3600 + 30 * 60 + 15.25) / 86400.0);
    insert.ParamByName("NAME").SetNull();
    insert.ExecSQL();

    insert.ParamByName("ID").SetInteger(2);
    insert.ParamByName("AMOUNT").SetString("7.5");  // text, read by the server
    insert.ParamByName("PRICE").SetDouble(2.675);
    insert.ParamByName("RATE").SetInteger(3);
    insert.ParamByName("BIG").SetNull();
    insert.ParamByName("WHEN").SetDateTime(-1.25);  // 1899/12/29 06:00
    insert.ParamByName("NAME").SetString("");
    insert.ExecSQL();

    db::Query select(database_, transaction_, "SELECT * FROM T ORDER BY ID");
    select.Open();
    EXPECT_EQ(-123456789012345, select.FieldByName("AMOUNT").AsCurrency());
    EXPECT_EQ("-12345678901.2345", select.FieldByName("AMOUNT").AsString());
    EXPECT_EQ(12300, select.FieldByName("PRICE").AsCurrency());
    EXPECT_EQ("1.23", select.FieldByName("PRICE").AsString());
    EXPECT_EQ(1, select.FieldByName("PRICE").AsInteger());
    EXPECT_DOUBLE_EQ(1.5, select.FieldByName("RATE").AsDouble());
    EXPECT_EQ(15000, select.FieldByName("RATE").AsCurrency());
    EXPECT_EQ(9007199254740993LL, select.FieldByName("BIG").AsInt64());
    EXPECT_DOUBLE_EQ(45351.0, select.FieldByName("DAY_").AsDateTime());
    EXPECT_EQ("2024/02/29", select.FieldByName("DAY_").AsString());
    EXPECT_NEAR(45351.0 + (18 * 3600 + 30 * 60 + 15.25) / 86400.0, select.FieldByName("STAMP").AsDateTime(), 1e-9);
    EXPECT_EQ("2024/02/29 18:30:15", select.FieldByName("STAMP").AsString());
    EXPECT_NEAR((18 * 3600 + 30 * 60 + 15.25) / 86400.0, select.FieldByName("CLOCK").AsDateTime(), 1e-9);
    EXPECT_TRUE(select.FieldByName("NAME").IsNull());
    EXPECT_EQ("", select.FieldByName("NAME").AsString());
    EXPECT_EQ(0, select.FieldByName("NAME").AsInteger());

    select.Next();
    ASSERT_FALSE(select.Eof());
    EXPECT_EQ(75000, select.FieldByName("AMOUNT").AsCurrency());
    EXPECT_EQ(26800, select.FieldByName("PRICE").AsCurrency());
    EXPECT_DOUBLE_EQ(3.0, select.FieldByName("RATE").AsDouble());
    EXPECT_TRUE(select.FieldByName("BIG").IsNull());
    EXPECT_DOUBLE_EQ(-1.25, select.FieldByName("STAMP").AsDateTime());
    EXPECT_DOUBLE_EQ(-1.0, select.FieldByName("DAY_").AsDateTime());
    EXPECT_FALSE(select.FieldByName("NAME").IsNull());
    EXPECT_EQ("", select.FieldByName("NAME").AsString());

    select.Next();
    EXPECT_TRUE(select.Eof());
    // The last row stays readable at the end.
    EXPECT_EQ(2, select.FieldByName("ID").AsInteger());
}

TEST_F(DbQueryTest, OptionalValuesKeepNullApartFromZero)
{
    db::Query insert(database_, transaction_,
                     "INSERT INTO T (ID, NAME, AMOUNT, RATE, BIG, STAMP, DATA)"
                     " VALUES (:ID, :NAME, :AMOUNT, :RATE, :BIG, :STAMP, :DATA)");
    insert.ParamByName("ID").SetOptionalInteger(1);
    insert.ParamByName("NAME").SetOptionalString("");
    insert.ParamByName("AMOUNT").SetOptionalCurrency(0);
    insert.ParamByName("RATE").SetOptionalDouble(0.0);
    insert.ParamByName("BIG").SetOptionalInt64(0);
    insert.ParamByName("STAMP").SetOptionalDateTime(0.0);
    insert.ParamByName("DATA").SetOptionalBlob("");
    insert.ExecSQL();
    insert.ParamByName("ID").SetOptionalInteger(2);
    insert.ParamByName("NAME").SetOptionalString(std::nullopt);
    insert.ParamByName("AMOUNT").SetOptionalCurrency(std::nullopt);
    insert.ParamByName("RATE").SetOptionalDouble(std::nullopt);
    insert.ParamByName("BIG").SetOptionalInt64(std::nullopt);
    insert.ParamByName("STAMP").SetOptionalDateTime(std::nullopt);
    insert.ParamByName("DATA").SetOptionalBlob(std::nullopt);
    insert.ExecSQL();

    db::Query select(database_, transaction_, "SELECT * FROM T ORDER BY ID");
    select.Open();
    EXPECT_EQ(std::optional<std::int32_t>(1), select.FieldByName("ID").OptionalInteger());
    EXPECT_EQ(std::optional<std::string>(""), select.FieldByName("NAME").OptionalString());
    EXPECT_EQ(std::optional<Currency>(0), select.FieldByName("AMOUNT").OptionalCurrency());
    EXPECT_EQ(std::optional<double>(0.0), select.FieldByName("RATE").OptionalDouble());
    EXPECT_EQ(std::optional<std::int64_t>(0), select.FieldByName("BIG").OptionalInt64());
    EXPECT_EQ(std::optional<TDateTime>(0.0), select.FieldByName("STAMP").OptionalDateTime());
    EXPECT_EQ(std::optional<std::string>(""), select.FieldByName("DATA").OptionalBlob());

    select.Next();
    EXPECT_EQ(std::nullopt, select.FieldByName("NAME").OptionalString());
    EXPECT_EQ(std::nullopt, select.FieldByName("AMOUNT").OptionalCurrency());
    EXPECT_EQ(std::nullopt, select.FieldByName("RATE").OptionalDouble());
    EXPECT_EQ(std::nullopt, select.FieldByName("BIG").OptionalInt64());
    EXPECT_EQ(std::nullopt, select.FieldByName("BIG").OptionalInteger());
    EXPECT_EQ(std::nullopt, select.FieldByName("STAMP").OptionalDateTime());
    EXPECT_EQ(std::nullopt, select.FieldByName("DATA").OptionalBlob());
    // The dataset readers still read a NULL as nothing.
    EXPECT_EQ(0, select.FieldByName("AMOUNT").AsCurrency());
}

TEST_F(DbQueryTest, ReadingWithNoCurrentRowIsAnError)
{
    Insert(1);
    // Each way a query can be without a row: prepared but not run, an
    // empty result, closed after a row.
    struct State {
        const char* label;
        const char* sql;
        bool open;
        bool close;
    };
    const State states[] = {
        {"prepared", "SELECT ID FROM T", false, false},
        {"empty result", "SELECT ID FROM T WHERE ID < 0", true, false},
        {"closed", "SELECT ID FROM T", true, true},
    };
    for (const State& state : states) {
        db::Query query(database_, transaction_, state.sql);
        query.Prepare();
        if (state.open)
            query.Open();
        if (state.close)
            query.Close();
        const db::Field field = query.FieldByName("ID");
        EXPECT_EQ("ID", field.Name()) << state.label;
        EXPECT_THROW(field.IsNull(), db::FbError) << state.label;
        EXPECT_THROW(field.AsInteger(), db::FbError) << state.label;
        EXPECT_THROW(field.AsString(), db::FbError) << state.label;
        EXPECT_THROW(field.AsCurrency(), db::FbError) << state.label;
        EXPECT_THROW(field.OptionalInteger(), db::FbError) << state.label;
    }
}

TEST_F(DbQueryTest, TextFieldsReadAsNumbersAndDates)
{
    db::Query select(database_, transaction_,
                     "SELECT '42' AS N, ' -7.25 ' AS C, '2024/03/31' AS D, 'x' AS BAD FROM RDB$DATABASE");
    select.Open();
    EXPECT_EQ(42, select.FieldByName("n").AsInteger());
    EXPECT_EQ(-72500, select.FieldByName("c").AsCurrency());
    EXPECT_DOUBLE_EQ(45382.0, select.FieldByName("d").AsDateTime());
    EXPECT_THROW(select.FieldByName("bad").AsInteger(), db::FbError);
    EXPECT_THROW(select.FieldByName("bad").AsDateTime(), db::FbError);
}

TEST_F(DbQueryTest, BlobsKeepEveryByte)
{
    std::string bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += static_cast<char>((i * 7) & 0xFF);
    std::string memo;
    for (int i = 0; i < 5000; ++i)
        memo += "仕訳①ｶﾅ;";

    db::Query insert(database_, transaction_, "INSERT INTO T (ID, DATA, MEMO) VALUES (1, :DATA, :MEMO)");
    insert.ParamByName("DATA").SetBlob(bytes);
    insert.ParamByName("MEMO").SetString(memo);
    insert.ExecSQL();
    transaction_.Commit();
    transaction_.Start();

    db::Query select(database_, transaction_, "SELECT DATA, MEMO, OCTET_LENGTH(MEMO) AS LEN FROM T");
    select.Open();
    EXPECT_EQ(bytes, select.FieldByName("DATA").AsBlob());
    EXPECT_EQ(memo, select.FieldByName("MEMO").AsString());
    EXPECT_EQ(static_cast<int>(cp932::FromUtf8(memo).size()), select.FieldByName("LEN").AsInteger());

    // Blob ids are only good within their transaction.
    transaction_.CommitRetaining();
    EXPECT_EQ(bytes, select.FieldByName("DATA").AsBlob());
    transaction_.Commit();
    EXPECT_FALSE(select.Active());
    EXPECT_THROW(select.FieldByName("DATA").AsBlob(), db::FbError);  // no row any more
}

TEST_F(DbQueryTest, ProceduresGiveRows)
{
    db::Query selectable(database_, transaction_, "SELECT I, SQ FROM SQUARES(:N)");
    selectable.ParamByName("N").SetInteger(4);
    selectable.Open();
    std::vector<int> squares;
    while (!selectable.Eof()) {
        squares.push_back(selectable.FieldByName("SQ").AsInteger());
        selectable.Next();
    }
    EXPECT_EQ((std::vector<int>{1, 4, 9, 16}), squares);

    db::Query execute(database_, transaction_, "EXECUTE PROCEDURE ADD_UP(:A, :B)");
    execute.ParamByName("A").SetInteger(40);
    execute.ParamByName("B").SetInteger(2);
    execute.ExecSQL();
    EXPECT_TRUE(execute.Active());
    EXPECT_FALSE(execute.Eof());
    EXPECT_EQ(42, execute.FieldByName("total").AsInteger());
    EXPECT_EQ("合計", execute.FieldByName("LABEL").AsString());
    execute.Next();
    EXPECT_TRUE(execute.Eof());

    db::Query returning(database_, transaction_, "INSERT INTO T (ID, NAME) VALUES (7, '七') RETURNING ID, NAME");
    returning.Open();
    EXPECT_EQ(7, returning.FieldByName("ID").AsInteger());
    EXPECT_EQ("七", returning.FieldByName("NAME").AsString());
}

TEST_F(DbQueryTest, MisuseIsAnFbError)
{
    db::Query query(database_, transaction_, "SELECT ID FROM T WHERE ID = :ID");
    EXPECT_THROW(query.ParamByName("NOPE"), db::FbError);
    EXPECT_THROW(query.FieldByName("ID"), db::FbError);  // not prepared yet
    query.ParamByName("id").SetInteger(1);
    query.Open();
    EXPECT_TRUE(query.Eof());
    EXPECT_THROW(query.FieldByName("ID").IsNull(), db::FbError);  // no row to read
    EXPECT_THROW(query.FieldByName("NAME"), db::FbError);

    db::Query update(database_, transaction_, "UPDATE T SET NAME = 'x'");
    EXPECT_THROW(update.Open(), db::FbError);  // gives no rows
}

struct ProvokedError {
    const char* sql;
    std::int32_t code;
    std::int32_t sqlCode;
    const char* sqlState;
};

TEST_F(DbQueryTest, ErrorsCarryFirebirdAndSqlCodes)
{
    Insert(1);
    const ProvokedError cases[] = {
        {"SELECT * FROM NO_SUCH_TABLE", 335544569, -204, "42S02"},
        {"INSERT INTO T (ID) VALUES (1)", 335544665, -803, "23000"},
        {"SELEC 1 FROM T", 335544569, -104, "42000"},
        {"INSERT INTO T (ID) VALUES (NULL)", 335544347, -625, "23000"},
    };
    for (const ProvokedError& c : cases) {
        db::Query query(database_, transaction_, c.sql);
        try {
            query.ExecSQL();
            ADD_FAILURE() << c.sql << " did not fail";
        } catch (const db::FbError& error) {
            EXPECT_EQ(c.code, error.IBErrorCode()) << c.sql << ": " << error.what();
            EXPECT_EQ(c.sqlCode, error.SQLCode()) << c.sql << ": " << error.what();
            EXPECT_EQ(c.sqlState, error.SQLState()) << c.sql << ": " << error.what();
            EXPECT_FALSE(error.Message().empty());
        }
    }
}

TEST_F(DbQueryTest, LongErrorTextIsKeptWhole)
{
    // The engine puts the offending token into the message: a long one
    // makes a text well beyond a few kilobytes.
    const std::string token = "'" + std::string(6000, 'x') + "END'";
    db::Query query(database_, transaction_, "SELECT 1 FROM RDB$DATABASE WHERE 1 = 1 " + token);
    try {
        query.Open();
        FAIL() << "the statement did not fail";
    } catch (const db::FbError& error) {
        EXPECT_NE(std::string::npos, error.Message().find(std::string(6000, 'x') + "END")) << error.Message().size();
    }
}

TEST_F(DbQueryTest, UniqueViolationNamesTheKeyInUtf8)
{
    db::Query create(database_, transaction_, "ALTER TABLE T ADD CONSTRAINT T_NAME UNIQUE (NAME)");
    create.ExecSQL();
    transaction_.Commit();
    transaction_.Start();
    db::Query insert(database_, transaction_, "INSERT INTO T (ID, NAME) VALUES (:ID, '表①')");
    insert.ParamByName("ID").SetInteger(1);
    insert.ExecSQL();
    insert.ParamByName("ID").SetInteger(2);
    try {
        insert.ExecSQL();
        FAIL();
    } catch (const db::FbError& error) {
        EXPECT_EQ(335544665, error.IBErrorCode());
        EXPECT_NE(std::string::npos, error.Message().find("表①")) << error.what();
    }
}

TEST_F(DbQueryTest, ErrorMidQueryLeavesTheLayerUsable)
{
    for (int id = 1; id <= 5; ++id)
        Insert(id);
    db::Query query(database_, transaction_, "SELECT 10 / (ID - 3) AS X FROM T ORDER BY ID");
    query.Open();
    EXPECT_EQ(-5, query.FieldByName("X").AsInteger());
    query.Next();
    EXPECT_THROW(query.Next(), db::FbError);  // division by zero on the third row
    EXPECT_FALSE(query.Active());

    // The same query object and transaction go on working.
    query.SetSQL("SELECT COUNT(*) AS N FROM T");
    query.Open();
    EXPECT_EQ(5, query.FieldByName("N").AsInteger());
    transaction_.Rollback();
    EXPECT_FALSE(transaction_.InTransaction());

    // Exactly one transaction of ours is active again, and it works.
    transaction_.Start();
    db::Query count(database_, transaction_,
                    "SELECT COUNT(*) AS N FROM MON$TRANSACTIONS WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION");
    count.Open();
    EXPECT_EQ(1, count.FieldByName("N").AsInteger());
    query.Open();
    EXPECT_EQ(0, query.FieldByName("N").AsInteger());
}

TEST_F(DbQueryTest, RunsOnlyInAnActiveTransactionUnlessToldToStartIt)
{
    transaction_.Commit();
    db::Query query(database_, transaction_, "SELECT COUNT(*) AS N FROM T");
    EXPECT_THROW(query.Open(), db::FbError);
    query.SetAutoStart(true);
    query.Open();
    EXPECT_TRUE(transaction_.InTransaction());
    EXPECT_EQ(0, query.FieldByName("N").AsInteger());
}

TEST_F(DbQueryTest, SurvivesAReconnectOfItsDatabase)
{
    Insert(1);
    transaction_.Commit();
    transaction_.Start();
    db::Query query(database_, transaction_, "SELECT ID FROM T");
    query.Open();
    EXPECT_EQ(1, query.FieldByName("ID").AsInteger());

    const std::string name = database_.DatabaseName();
    database_.Detach();  // rolls back and releases the statement
    EXPECT_FALSE(transaction_.InTransaction());
    EXPECT_FALSE(query.Active());
    EXPECT_THROW(query.Open(), db::FbError);

    database_.Attach(name, User, Password);
    transaction_.Start();
    query.Open();
    EXPECT_EQ(1, query.FieldByName("ID").AsInteger());
}

}  // namespace
