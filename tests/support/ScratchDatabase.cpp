#include "support/ScratchDatabase.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <regex>

#include "db/Odbc.h"

namespace zel::test {
namespace {

std::string WithDatabase(const std::string& connect, const std::string& database) {
    return std::regex_replace(connect, std::regex("Database=[^;]*", std::regex::icase),
                              "Database=" + database);
}

}  // namespace

std::string BackendName(Backend backend) { return backend == Backend::SQLite ? "SQLite" : "PostgreSQL"; }

ScratchDatabase::ScratchDatabase(Backend backend) : backend_(backend) {
    if (backend == Backend::SQLite) {
        dir_ = std::make_unique<TempDir>();
        connect_ = "Driver=SQLite3;Database=" + dir_->file("zel.db") + ";";
        return;
    }
    const char* server = std::getenv("ZEL_TEST_PG");
    if (!server || !*server) return;
    static std::atomic<int> counter{0};
    pgName_ = "zt_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
    Db::Connection admin;
    admin.open(server);
    admin.execute("drop database if exists " + pgName_);
    admin.execute("create database " + pgName_);
    connect_ = WithDatabase(server, pgName_);
}

ScratchDatabase::~ScratchDatabase() {
    if (pgName_.empty()) return;
    try {
        Db::Connection admin;
        admin.open(std::getenv("ZEL_TEST_PG"));
        admin.execute("drop database if exists " + pgName_ + " with (force)");
    } catch (const Db::Error&) {
        // The throwaway server is removed at the end of the run anyway.
    }
}

void DatabaseTest::SetUp() {
    scratch = std::make_unique<ScratchDatabase>(GetParam());
    if (!scratch->available()) GTEST_SKIP() << "ZEL_TEST_PG is not set: no PostgreSQL server for this run";
}

}  // namespace zel::test
