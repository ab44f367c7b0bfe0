// Pieces of the application shell that need no window: the first start and the exit question.

#include <gtest/gtest.h>

#include <filesystem>

#include "base/PrivateProfile.h"
#include "config/EmbeddedDefault.h"
#include "session/ExitConfirmation.h"
#include "support/TempDir.h"

namespace zel {
namespace {

TEST(EmbeddedDefaultTest, OnlyTheFirstStartWritesTheEmbeddedDatabaseSettings) {
    test::TempDir dir;
    PrivateProfile ini(dir.file("config/ZEL.ini"));
    ASSERT_TRUE(PrepareEmbeddedDefault(ini, dir.file("data/zel.db"), dir.file("data/loop")));
    EXPECT_EQ(ini.getString("DATABASE", "ODBC"), "Driver=SQLite3;Database=" + dir.file("data/zel.db") + ";");
    EXPECT_EQ(ini.getInt("DATABASE", "LOCALLASTID", 0), 1);
    EXPECT_EQ(ini.getString("DATA", "DIR"), dir.file("data/loop") + "/");
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("data/loop")));

    // An analyst's own configuration is never overwritten.
    ini.writeString("DATABASE", "ODBC", "MYDSN");
    EXPECT_FALSE(PrepareEmbeddedDefault(ini, dir.file("data/zel.db"), dir.file("data/loop")));
    EXPECT_EQ(ini.getString("DATABASE", "ODBC"), "MYDSN");
}

TEST(ExitConfirmationTest, QuestionsAndAnswers) {
    RecordingMessageSink messages;
    messages.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(ConfirmExit(true, messages, nullptr));
    messages.queueAnswer(MessageAnswer::No);
    EXPECT_TRUE(ConfirmExit(false, messages, [] { return false; }));  // No: close without saving
    EXPECT_EQ(messages.messages().back().buttons, MessageButtons::YesNoCancel);
    messages.queueAnswer(MessageAnswer::Yes);
    EXPECT_FALSE(ConfirmExit(false, messages, nullptr));  // nothing could save the list: stay open
}

}  // namespace
}  // namespace zel
