// The marks of a pane read from the working database, with names that SQL text would mangle.

#include "wave/DatabaseMarks.h"

#include <gtest/gtest.h>

#include "base/MessageSink.h"
#include "db/Databases.h"
#include "support/ScratchDatabase.h"

namespace zel {
namespace {

class DatabaseMarksTest : public test::DatabaseTest {};

TEST_P(DatabaseMarksTest, NamesAreMatchedExactlyWhateverTheyHold) {
    DatabaseSettings settings;
    settings.odbc = scratch->connectString();
    RecordingMessageSink messages;
    Databases db(settings, messages);
    ASSERT_EQ(db.openWorkDb(), 1);
    constexpr double kT0 = 1615896000.0;
    // Quotes, a backslash, a parameter marker, an escape brace and Cyrillic; and one that would
    // widen the condition if it were pasted into the statement.
    const std::vector<std::string> names = {"O'B", "A\\B", "Q?", "{fn", "ОБН", "X' or '1'='1"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const double t = kT0 + static_cast<double>(i);
        db.work().execute("insert into EVENTLIST (STA, TBEGIN, EVENT_TYPE) values (?, ?, 1)", {names[i], t});
        db.work().execute(
            "insert into ARRIVAL (EVENTID, STA, CHAN, IPHASE, ITIME) values ('E', ?, ?, 'Pn', ?)",
            {names[i], names[i], t + 0.25});
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        const double t = kT0 + static_cast<double>(i);
        EXPECT_EQ(ReadAcquisitionMarks(db.work(), names[i], kT0 - 10, kT0 + 10), std::vector<double>{t})
            << names[i];
        const auto phases = ReadStoredPhaseMarks(db.work(), names[i], names[i], kT0 - 10.5, kT0 + 10.5);
        ASSERT_EQ(phases.size(), 1u) << names[i];
        EXPECT_DOUBLE_EQ(phases[0].first, t + 0.25);
        EXPECT_EQ(phases[0].second, "Pn");
    }
    // The window: whole seconds for the acquisition events, exact times for the picks.
    EXPECT_EQ(ReadAcquisitionMarks(db.work(), "O'B", kT0 + 0.5, kT0 + 10).size(), 1u);
    EXPECT_TRUE(ReadAcquisitionMarks(db.work(), "O'B", kT0 + 1.5, kT0 + 10).empty());
    EXPECT_TRUE(ReadStoredPhaseMarks(db.work(), "O'B", "O'B", kT0 + 0.5, kT0 + 10).empty());
    EXPECT_TRUE(ReadStoredPhaseMarks(db.work(), "O'B", "A\\B", kT0 - 10, kT0 + 10).empty());
}

ZEL_INSTANTIATE_DATABASE_TEST(DatabaseMarksTest);

}  // namespace
}  // namespace zel
