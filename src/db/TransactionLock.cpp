#include "db/TransactionLock.h"

#include <cstdint>
#include <string>

#include "db/ConnectString.h"
#include "db/Odbc.h"

namespace zel::Db {
namespace {

// FNV-1a: the same number for the same name in every program and every build.
std::int64_t StableHash(std::string_view name) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
    return static_cast<std::int64_t>(hash);
}

}  // namespace

void LockForTransaction(Connection& connection, DbDialect dialect, std::string_view name,
                        const std::function<void()>& waiting) {
    switch (dialect) {
        case kDialectPostgres: {
            const std::int64_t key = StableHash(name);
            {
                Statement attempt(connection);
                attempt.execute("select pg_try_advisory_xact_lock(?)", {key});
                if (attempt.fetch() && attempt.integer(0).value_or(0) != 0) return;
            }
            if (waiting) waiting();
            Statement st(connection);
            st.execute("select pg_advisory_xact_lock(?)", {key});
            return;
        }
        case kDialectSqlite: {
            // Asked on a connection of its own that gives up at once, since the driver's lock
            // timeout belongs to its connection.
            try {
                Connection probe;
                probe.open(WithConnectAttribute(connection.connectString(), "Timeout", "1"));
                probe.execute("BEGIN IMMEDIATE");
                probe.execute("ROLLBACK");
            } catch (const Error& error) {
                if (IsLockWaitFailure(error) && waiting) waiting();
            }
            // A write that touches nothing still takes the write lock for the transaction, before
            // anything is read: reading first could stall the upgrade for the whole busy timeout.
            connection.execute("update LASTID set KEYVALUE=KEYVALUE where 1=0");
            return;
        }
        default:
            return;
    }
}

void SetLockWait(Connection& connection, DbDialect dialect, int seconds) {
    switch (dialect) {
        case kDialectPostgres:
            connection.execute("SET lock_timeout = " + std::to_string(seconds * 1000));
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
