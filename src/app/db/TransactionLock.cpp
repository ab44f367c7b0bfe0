#include "app/db/TransactionLock.h"

#include <cstdint>
#include <string>

#include "app/db/Odbc.h"

namespace zel::Db {
namespace {

// FNV-1a: the same number for the same name in every program and every build.
std::int64_t StableHash(std::string_view name) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
    return static_cast<std::int64_t>(hash);
}

}  // namespace

void LockForTransaction(Connection& connection, DbDialect dialect, std::string_view name) {
    switch (dialect) {
        case kDialectPostgres: {
            Statement st(connection);
            st.execute("select pg_advisory_xact_lock(?)", {StableHash(name)});
            return;
        }
        case kDialectSqlite:
            // A write that touches nothing still takes the write lock for the transaction, before
            // anything is read: reading first could stall the upgrade for the whole busy timeout.
            connection.execute("update LASTID set KEYVALUE=KEYVALUE where 1=0");
            return;
        default:
            return;
    }
}

bool IsLockWaitFailure(const Error& error) {
    // PostgreSQL's lock_not_available (lock_timeout), SQLite's busy timeout.
    const std::string text = error.what();
    return error.sqlState() == "55P03" || text.find("lock timeout") != std::string::npos ||
           text.find("database is locked") != std::string::npos;
}

}  // namespace zel::Db
