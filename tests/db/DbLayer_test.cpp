// The database layer without a server: dialect names, statement texts, connect strings.

#include <gtest/gtest.h>

#include "db/ConnectString.h"
#include "db/Databases.h"
#include "db/Odbc.h"
#include "db/Schema.h"

namespace zel {
namespace {

TEST(DbDialectTest, DbmsNamesMapToDialectCodesWithLaterMatchesWinning) {
    EXPECT_EQ(DialectFromDbmsName("ACCESS"), kDialectAccess);
    EXPECT_EQ(DialectFromDbmsName("Microsoft Access"), kDialectAccess);  // MICROSOFT without SQL
    EXPECT_EQ(DialectFromDbmsName("Microsoft SQL Server"), kDialectSqlServer);
    EXPECT_EQ(DialectFromDbmsName("Oracle"), kDialectOracle);
    EXPECT_EQ(DialectFromDbmsName("MySQL"), kDialectMySql);
    EXPECT_EQ(DialectFromDbmsName("PostgreSQL"), kDialectPostgres);
    EXPECT_EQ(DialectFromDbmsName("SQLite"), kDialectSqlite);
    EXPECT_EQ(DialectFromDbmsName("Something else"), kDialectAccess);
    EXPECT_EQ(RealTypeWord(kDialectAccess), "DOUBLE");
    EXPECT_EQ(RealTypeWord(kDialectPostgres), "FLOAT");
    EXPECT_EQ(DateTypeWord(kDialectSqlServer), "DATETIME");
    EXPECT_EQ(DateTypeWord(kDialectOracle), "DATE");
}

TEST(DbDialectTest, AlterColumnStatementsKeepTheirExactShape) {
    const ColumnDef lcode{"LCODE", ColumnType::Text, 8};
    const ColumnDef tend{"TEND", ColumnType::Real};
    // The blank type word sits between two separating blanks: three blanks in all.
    EXPECT_EQ(AlterColumnStatement("FILELIST", lcode, false, kDialectAccess),
              "ALTER TABLE FILELIST ADD LCODE   VARCHAR(8)");
    EXPECT_EQ(AlterColumnStatement("FILELIST", tend, true, kDialectPostgres),
              "ALTER TABLE FILELIST ALTER TEND TYPE FLOAT");
    EXPECT_EQ(AlterColumnStatement("FILELIST", tend, true, kDialectAccess),
              "ALTER TABLE FILELIST ALTER TEND   DOUBLE");
    EXPECT_EQ(AlterColumnStatement("FILELIST", tend, true, kDialectSqlServer),
              "ALTER TABLE FILELIST ALTER COLUMN TEND   FLOAT");
    EXPECT_EQ(AlterColumnStatement("FILELIST", tend, true, kDialectOracle),
              "ALTER TABLE FILELIST MODIFY TEND   FLOAT");
    EXPECT_EQ(AlterColumnStatement("FILELIST", tend, true, kDialectMySql),
              "ALTER TABLE FILELIST MODIFY TEND   FLOAT");
    EXPECT_EQ(AlterColumnStatement("FILELIST", tend, false, kDialectSqlite),
              "ALTER TABLE FILELIST ADD TEND   FLOAT");
    EXPECT_EQ(AlterColumnStatement("FILELIST", tend, true, kDialectSqlite), std::nullopt);
    // Offsets past 2 GiB must survive the upgrade.
    EXPECT_EQ(AlterColumnStatement("FILELIST", {"FOFF", ColumnType::BigInt}, true, kDialectPostgres),
              "ALTER TABLE FILELIST ALTER FOFF TYPE BIGINT");
}

TEST(DbSchemaTest, FreshColumnsHaveTheTypeTheUpgradeWouldGiveThem) {
    for (const UpgradeRow& row : UpgradeColumns()) {
        const TableDef* table = nullptr;
        for (const TableDef& t : WorkingSchema())
            if (t.name == row.table) table = &t;
        ASSERT_NE(table, nullptr) << row.table;
        const ColumnDef* column = nullptr;
        for (const ColumnDef& c : table->columns)
            if (c.name == row.column.name) column = &c;
        ASSERT_NE(column, nullptr) << row.table << "." << row.column.name;
        for (DbDialect d : {kDialectPostgres, kDialectSqlite})
            EXPECT_EQ(TypeWord(*column, d), TypeWord(row.column, d)) << row.table << "." << row.column.name;
    }
}

TEST(ConnectStringTest, BuildsQuotesAndMasks) {
    EXPECT_EQ(BuildConnectString("ZEL", "ZEL", "QPX"), "DSN=ZEL;UID=ZEL;PWD=QPX;");
    EXPECT_EQ(BuildConnectString("ZEL", "a;b", "p}w;d"), "DSN=ZEL;UID={a;b};PWD={p}}w;d};");
    // A value with '=' is a whole connect string and is used as it stands.
    EXPECT_EQ(BuildConnectString("Driver=SQLite3;Database=/x/zel.db;", "ZEL", "QPX"),
              "Driver=SQLite3;Database=/x/zel.db;");
    EXPECT_EQ(MaskPassword("DSN=ZEL;UID=ZEL;PWD=QPX;"), "DSN=ZEL;UID=ZEL;PWD=***;");
    EXPECT_EQ(MaskPassword("Driver={PostgreSQL Unicode};Server=h;pwd={se;cret};Database=d"),
              "Driver={PostgreSQL Unicode};Server=h;pwd=***;Database=d");
    EXPECT_EQ(MaskPassword("DSN=x;Password=abc"), "DSN=x;Password=***");
    EXPECT_EQ(Db::SqlQuote("O'Brien"), "'O''Brien'");
}

// What is opened: a login given apart replaces the whole string's own (it was ignored), and
// psqlODBC's log of every statement into /tmp is off unless the string asks for it.
TEST(ConnectStringTest, TheOpenedStringCarriesTheGivenLoginAndNoDriverLog) {
    struct Case {
        std::string odbc;
        bool userGiven, passwordGiven;
        std::string opened;
    };
    const std::string pg = "Driver={PostgreSQL Unicode};Server=h;Database=zel;UID=team;PWD=old;";
    const std::vector<Case> cases = {
        {"ZEL", false, false, "DSN=ZEL;UID=me;PWD={p{w}}};CommLog=0;"},
        {"ZEL", true, true, "DSN=ZEL;UID=me;PWD={p{w}}};CommLog=0;"},
        {pg, false, false, pg + "CommLog=0;"},
        {pg, true, true, "Driver={PostgreSQL Unicode};Server=h;Database=zel;UID=me;PWD={p{w}}};CommLog=0;"},
        {pg, false, true,
         "Driver={PostgreSQL Unicode};Server=h;Database=zel;UID=team;PWD={p{w}}};CommLog=0;"},
        {"Driver=SQLite3;Database=/x/zel.db", true, false,
         "Driver=SQLite3;Database=/x/zel.db;UID=me;CommLog=0;Timeout=15000;"},
        {"Driver={SQLite3};Database=/x/zel.db;timeout=500;", false, false,
         "Driver={SQLite3};Database=/x/zel.db;timeout=500;CommLog=0;"},
        {"Driver={PostgreSQL Unicode};user=team;Password={a;b};commlog=1", true, true,
         "Driver={PostgreSQL Unicode};commlog=1;UID=me;PWD={p{w}}};"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OpeningConnectString(c.odbc, "me", "p{w}", c.userGiven, c.passwordGiven, 30), c.opened)
            << c.odbc;
    EXPECT_EQ(ConnectAttribute(pg, "pwd"), "old");
    EXPECT_EQ(ConnectAttribute("A={x;y}", "a"), "x;y");
    EXPECT_EQ(ConnectAttribute(pg, "CommLog"), std::nullopt);
    EXPECT_EQ(WithConnectAttribute("Driver=SQLite3;TIMEOUT=9;Database=d", "Timeout", "1"),
              "Driver=SQLite3;Database=d;Timeout=1;");
}

}  // namespace
}  // namespace zel
