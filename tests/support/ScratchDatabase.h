#pragma once
// An empty database of one back-end for one test: a SQLite file, or a new PostgreSQL database on
// the server named by ZEL_TEST_PG (dropped at the end). Database tests are parameterised over both.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/TempDir.h"

namespace zel::test {

enum class Backend { SQLite, PostgreSQL };

std::string BackendName(Backend backend);

class ScratchDatabase {
  public:
    explicit ScratchDatabase(Backend backend);
    ~ScratchDatabase();
    ScratchDatabase(const ScratchDatabase&) = delete;
    ScratchDatabase& operator=(const ScratchDatabase&) = delete;

    // False when the back-end is not configured here (PostgreSQL without ZEL_TEST_PG).
    bool available() const { return !connect_.empty(); }
    const std::string& connectString() const { return connect_; }
    Backend backend() const { return backend_; }

  private:
    Backend backend_;
    std::unique_ptr<TempDir> dir_;
    std::string connect_;
    std::string pgName_;
};

// Base of the parameterised database tests: skips PostgreSQL cases when no server is configured.
class DatabaseTest : public ::testing::TestWithParam<Backend> {
  protected:
    void SetUp() override;
    std::unique_ptr<ScratchDatabase> scratch;
};

struct BackendNamePrinter {
    std::string operator()(const ::testing::TestParamInfo<Backend>& info) const {
        return BackendName(info.param);
    }
};

#define ZEL_INSTANTIATE_DATABASE_TEST(Suite)                                                                \
    INSTANTIATE_TEST_SUITE_P(                                                                               \
        Backends, Suite, ::testing::Values(::zel::test::Backend::SQLite, ::zel::test::Backend::PostgreSQL), \
        ::zel::test::BackendNamePrinter())

}  // namespace zel::test
