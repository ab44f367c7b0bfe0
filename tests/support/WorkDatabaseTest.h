#pragma once
// A database test on each back-end with the run's working database opened on the scratch
// database, drawing its keys from its own LASTID table.

#include <memory>

#include "base/MessageSink.h"
#include "db/Databases.h"
#include "support/ScratchDatabase.h"

namespace zel::test {

class WorkDatabaseTest : public DatabaseTest {
  protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped()) return;
        DatabaseSettings s;
        s.odbc = scratch->connectString();
        s.localLastId = true;
        db = std::make_unique<Databases>(s, messages);
        ASSERT_EQ(db->openWorkDb(), 1);
    }
    // Derived set-ups stop here when the database is skipped or did not open.
    bool NotOpened() const { return IsSkipped() || HasFatalFailure(); }

    RecordingMessageSink messages;
    std::unique_ptr<Databases> db;
};

}  // namespace zel::test
