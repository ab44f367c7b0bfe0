// The working and CSS connections against real servers: SQLite always, PostgreSQL when configured.

#include "db/Databases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "db/Schema.h"
#include "support/ScratchDatabase.h"

namespace zel {
namespace {

using test::DatabaseTest;
using test::ScratchDatabase;

DatabaseSettings SettingsFor(const std::string& connect) {
    DatabaseSettings s;
    s.odbc = connect;
    s.localLastId = true;
    return s;
}

// Column name -> type as the server reports it, for one table.
std::map<std::string, std::string> ColumnTypes(Databases& db, const std::string& table) {
    std::map<std::string, std::string> types;
    Db::Statement st(db.work());
    if (db.dialect() == kDialectPostgres) {
        st.execute("select column_name, data_type from information_schema.columns where table_name=?",
                   {std::string(table)});
    } else {
        st.execute("select name, type from pragma_table_info(" + Db::SqlQuote(table) + ")");
    }
    while (st.fetch()) types[*st.text(0)] = *st.text(1);
    return types;
}

class DatabasesTest : public DatabaseTest {};

TEST_P(DatabasesTest, OpeningAnEmptyDatabaseCreatesTheSchemaAndAnUpgradeChangesNothing) {
    RecordingMessageSink messages;
    Databases db(SettingsFor(scratch->connectString()), messages);
    ASSERT_EQ(db.openWorkDb(), 1) << (messages.messages().empty() ? "" : messages.messages()[0].text);
    EXPECT_EQ(db.dialect(), GetParam() == test::Backend::SQLite ? kDialectSqlite : kDialectPostgres);
    EXPECT_TRUE(db.hasCommentsColumn());
    EXPECT_STREQ(db.originCommentColumn(), "COMMENTS");
    for (const TableDef& t : WorkingSchema()) EXPECT_TRUE(TableExists(db.work(), t.name)) << t.name;

    Db::Statement st(db.work());
    st.execute("select keyname, keyvalue from LASTID order by keyname");
    std::vector<std::string> keys;
    while (st.fetch()) {
        keys.push_back(*st.text(0));
        EXPECT_EQ(st.integer(1), 0);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"ampid", "arid", "commid", "magid", "orid"}));

    std::map<std::string, std::map<std::string, std::string>> before;
    for (const char* t : {"FILELIST", "SITE", "SITECHAN", "ORIGIN", "ARRIVAL"})
        before[t] = ColumnTypes(db, db.dialect() == kDialectPostgres ? [&] {
            std::string lower(t);
            std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
            return lower;
        }() : std::string(t));
    db.upgradeSchema();
    EXPECT_TRUE(messages.messages().empty());
    for (auto& [t, types] : before) {
        std::string name = t;
        if (db.dialect() == kDialectPostgres)
            std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        EXPECT_EQ(ColumnTypes(db, name), types) << t;
    }

    // A second opening finds everything in place and creates nothing again.
    Databases again(SettingsFor(scratch->connectString()), messages);
    ASSERT_EQ(again.openWorkDb(), 1);
    EXPECT_TRUE(CreateMissingTables(again.work(), again.dialect(), WorkingSchema()).empty());
}

TEST_P(DatabasesTest, UpgradeAddsMissingColumnsToAnOldSchemaAndWidensOffsets) {
    {
        Db::Connection raw;
        raw.open(scratch->connectString());
        // An old catalogue: no LCODE, CALIB, CALPER, FOFF or TEND; TEND typed as text on purpose elsewhere.
        raw.execute(
            "create table FILELIST (STA VARCHAR(32), SPS FLOAT, GAIN INT, CPATH VARCHAR(255), "
            "DATATYPE INT, CH VARCHAR(16), CREATER VARCHAR(64), LDDATE TIMESTAMP, TBEGIN FLOAT, "
            "TQTY FLOAT)");
        raw.execute(
            "create table ORIGIN (EVENTID VARCHAR(255), LAT FLOAT, LON FLOAT, DEPTH FLOAT, "
            "ORIGINTIME FLOAT, RMS FLOAT, DH FLOAT, DZ FLOAT, LDDATE TIMESTAMP, \"COMMENT\" "
            "VARCHAR(255))");
    }
    RecordingMessageSink messages;
    DatabaseSettings settings = SettingsFor(scratch->connectString());
    Databases db(settings, messages);
    ASSERT_EQ(db.openWorkDb(), 1);
    EXPECT_FALSE(db.hasCommentsColumn());
    EXPECT_STREQ(db.originCommentColumn(), "COMMENT");
    EXPECT_FALSE(db.columnExists("FILELIST", "LCODE"));

    db.upgradeSchema();
    for (const Message& m : messages.messages()) ADD_FAILURE() << m.text;
    for (const char* c : {"LCODE", "CALPER", "CALIB", "FOFF", "TEND"})
        EXPECT_TRUE(db.columnExists("FILELIST", c));
    EXPECT_TRUE(db.hasCommentsColumn());

    const std::int64_t beyond4GiB = 5'000'000'123LL;
    db.work().execute("insert into FILELIST (STA, CH, CPATH, FOFF, TEND) values (?, ?, ?, ?, ?)",
                      {std::string("ABC"), std::string("SHZ"), std::string("a/b.bin"), beyond4GiB, 12.5});
    Db::Statement st(db.work());
    st.execute("select FOFF, TEND from FILELIST where STA='ABC'");
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.integer(0), beyond4GiB);
    EXPECT_DOUBLE_EQ(*st.real(1), 12.5);
}

TEST_P(DatabasesTest, UpgradeFailureIsReportedPerColumnAndTheRestGoOn) {
    {
        Db::Connection raw;
        raw.open(scratch->connectString());
        raw.execute("create table SITECHAN (STA VARCHAR(32), CHAN VARCHAR(16))");
    }
    RecordingMessageSink messages;
    Databases db(SettingsFor(scratch->connectString()), messages);
    ASSERT_EQ(db.openWorkDb(), 1);
    db.work().execute("drop table SITE");  // every SITE column now fails to be added
    db.upgradeSchema();
    ASSERT_EQ(messages.messages().size(), 10u);  // the ten SITE rows
    EXPECT_EQ(messages.messages()[0].text.rfind(
                  "Ошибка базы данных: Ошибка добавления поля NINDEX в таблицу SITE", 0),
              0u);
    EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Error);
    EXPECT_TRUE(db.columnExists("SITECHAN", "LCODE"));  // the rows after SITE still ran
    EXPECT_TRUE(db.columnExists("ARRIVAL", "ML"));
}

TEST_P(DatabasesTest, TextWithQuotesAndCyrillicRoundTripsIntact) {
    RecordingMessageSink messages;
    Databases db(SettingsFor(scratch->connectString()), messages);
    ASSERT_EQ(db.openWorkDb(), 1);
    const std::string sta = "O'B";
    const std::string descr = "Станция 'Обнинск'; ; -- \\ \"x\"";
    db.work().execute("insert into SITE (STA, DESCR, LAT, LON, ELEV, NGROUPS) values (?, ?, ?, ?, ?, ?)",
                      {sta, descr, 55.1, 36.6, 0.16, std::int64_t{1}});
    // The literal form, for statements that must keep a documented text shape.
    db.work().execute("insert into SITE (STA, DESCR) values (" + Db::SqlQuote("X'Y") + ", " +
                      Db::SqlQuote(descr) + ")");
    Db::Statement st(db.work());
    st.execute("select STA, DESCR, LAT, ELEV, NGROUPS, NINDEX from SITE where STA=?", {sta});
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.text(0), sta);
    EXPECT_EQ(st.text(1), descr);
    EXPECT_NEAR(*st.real(2), 55.1, 1e-12);
    EXPECT_EQ(st.integer(4), 1);
    EXPECT_EQ(st.integer(5), std::nullopt);
    EXPECT_FALSE(st.fetch());
    st.execute("select DESCR from SITE where STA=" + Db::SqlQuote("X'Y"));
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.text(0), descr);
    // Column lookup ignores case (PostgreSQL reports names in lower case).
    st.execute("select STA, DESCR from SITE");
    EXPECT_EQ(st.findColumn("descr"), 1);
    EXPECT_EQ(st.findColumn("nothing"), -1);
}

TEST_P(DatabasesTest, KeysAreConsecutiveAndMissingKeyNamesGiveMinusOne) {
    RecordingMessageSink messages;
    Databases db(SettingsFor(scratch->connectString()), messages);
    ASSERT_EQ(db.openWorkDb(), 1);
    EXPECT_EQ(db.nextArid(), 1);
    EXPECT_EQ(db.nextArid(), 2);
    EXPECT_EQ(db.nextOrid(), 1);
    EXPECT_EQ(db.nextKey("nosuchkey"), -1);
    EXPECT_EQ(db.nextArid(), 3);  // a failed draw leaves the connection usable
    EXPECT_TRUE(messages.messages().empty());

    // Without LOCALLASTID keys come from the CSS database, and there is none here.
    DatabaseSettings remote = SettingsFor(scratch->connectString());
    remote.localLastId = false;
    Databases noCss(remote, messages);
    ASSERT_EQ(noCss.openWorkDb(), 1);
    ASSERT_EQ(noCss.openCssDb(), 1);
    EXPECT_FALSE(noCss.cssAvailable());
    EXPECT_EQ(noCss.nextArid(), -1);
}

TEST_P(DatabasesTest, KeysComeFromTheCssDatabaseWhenConfigured) {
    ScratchDatabase cssScratch(GetParam());
    RecordingMessageSink messages;
    DatabaseSettings s = SettingsFor(scratch->connectString());
    s.localLastId = false;
    s.odbcCss = cssScratch.connectString();
    Databases db(s, messages);
    ASSERT_EQ(db.openWorkDb(), 1);
    ASSERT_EQ(db.openCssDb(), 1);
    EXPECT_TRUE(db.cssAvailable());
    db.css().execute("update LASTID set keyvalue=41 where keyname='orid'");
    EXPECT_EQ(db.nextOrid(), 42);
    Db::Statement st(db.work());
    st.execute("select keyvalue from LASTID where keyname='orid'");
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.integer(0), 0);  // the working database's own counter is untouched
}

TEST_P(DatabasesTest, TwoProcessesDrawingKeysAtOnceNeverGetTheSameKey) {
    {
        RecordingMessageSink messages;
        Databases db(SettingsFor(scratch->connectString()), messages);
        ASSERT_EQ(db.openWorkDb(), 1);
    }
    const std::string program = std::string(ZEL_TEST_BIN_DIR) + "/zel_test_keydraw";
    const std::string command = program + " '" + scratch->connectString() + "' 500 arid";
    FILE* first = popen(command.c_str(), "r");
    FILE* second = popen(command.c_str(), "r");
    ASSERT_TRUE(first && second);
    std::vector<long long> keys;
    for (FILE* f : {first, second}) {
        long long k;
        while (std::fscanf(f, "%lld", &k) == 1) keys.push_back(k);
        EXPECT_EQ(pclose(f), 0);
    }
    ASSERT_EQ(keys.size(), 1000u);
    std::sort(keys.begin(), keys.end());
    EXPECT_GT(keys.front(), 0);
    EXPECT_EQ(std::set<long long>(keys.begin(), keys.end()).size(), 1000u);
    EXPECT_EQ(keys.back() - keys.front(), 999);
}

TEST_P(DatabasesTest, ReconnectAsksFirstAndReopensBothDatabases) {
    RecordingMessageSink messages;
    Databases db(SettingsFor(scratch->connectString()), messages);
    OpenDatabases(db, messages);
    ASSERT_TRUE(messages.messages().empty());

    messages.queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(ReconnectCommand(db, messages));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Переподключиться к БД?");
    EXPECT_EQ(messages.messages()[0].caption, "Внимание!");
    EXPECT_EQ(messages.messages()[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(db.work().isOpen());

    messages.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(ReconnectCommand(db, messages));
    EXPECT_EQ(messages.messages().size(), 2u);
    EXPECT_TRUE(db.work().isOpen());
    EXPECT_EQ(db.nextArid(), 1);
}

ZEL_INSTANTIATE_DATABASE_TEST(DatabasesTest);

TEST(DatabasesOpenTest, AFailedOpeningIsReportedWithTheMaskedConnectStringAndTheProgramGoesOn) {
    RecordingMessageSink messages;
    DatabaseSettings s;
    s.odbc = "nosuchdsn";
    s.password = "secret";
    Databases db(s, messages);
    OpenDatabases(db, messages);
    ASSERT_EQ(messages.messages().size(), 2u);
    const std::string& first = messages.messages()[0].text;
    EXPECT_NE(first.find("\nDSN=nosuchdsn;UID=ZEL;PWD=***;"), std::string::npos) << first;
    EXPECT_EQ(first.find("secret"), std::string::npos);
    EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Error);
    EXPECT_EQ(messages.messages()[1].text, "Ошибка инициализации интерфейса к базе данных ZEL");
    EXPECT_FALSE(db.work().isOpen());
    EXPECT_EQ(db.nextArid(), -1);
    EXPECT_FALSE(db.columnExists("FILELIST", "STA"));
}

TEST(DatabasesOpenTest, CssDatabaseIsSilentlyAbsentWithoutADsnAndReportedWhenItFails) {
    RecordingMessageSink messages;
    DatabaseSettings s;
    s.odbcCss = "";
    s.userCss = "someone";
    Databases db(s, messages);
    EXPECT_EQ(db.buildCssConnect(), "");
    EXPECT_EQ(db.openCssDb(), 1);
    EXPECT_FALSE(db.cssAvailable());
    EXPECT_TRUE(messages.messages().empty());

    s.odbcCss = "nosuchcss";
    s.passwordCss = "hush";
    Databases bad(s, messages);
    EXPECT_EQ(bad.openCssDb(), 0);
    ASSERT_EQ(messages.messages().size(), 1u);
    const std::string& text = messages.messages()[0].text;
    EXPECT_EQ(text.rfind("Ошибка инициализации интерфейса к базе данных CSS\n", 0), 0u) << text;
    EXPECT_NE(text.find("DSN=nosuchcss;UID=someone;PWD=***;"), std::string::npos);
    EXPECT_EQ(text.find("hush"), std::string::npos);
    EXPECT_FALSE(bad.cssAvailable());
}

}  // namespace
}  // namespace zel
