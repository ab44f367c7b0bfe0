#pragma once
// A lock by name that every program on one database honours, held until the current transaction
// ends: two workstations saving one event take turns instead of writing it twice.

#include <functional>
#include <string_view>

#include "db/DbDialect.h"

namespace zel::Db {

class Connection;
class Error;

// Takes the lock inside the open transaction. When another program holds it, waiting() is
// called first (to tell the analyst), then the wait lasts as long as the lock timeout of the
// connection (SetLockWait) allows. PostgreSQL: a transaction advisory lock on a stable 64-bit
// hash of the name (two names sharing a hash only take turns needlessly). SQLite: the
// database's write lock, which then covers the whole transaction. Other servers take no lock.
// Throws Error.
void LockForTransaction(Connection& connection, DbDialect dialect, std::string_view name,
                        const std::function<void()>& waiting);

// Bounds every wait of the connection for a lock another program holds (PostgreSQL's
// lock_timeout; SQLite's is part of its connect string), so that a save behind another never
// waits for ever.
void SetLockWait(Connection& connection, DbDialect dialect, int seconds);

// True for the failure of a wait for a lock that another program holds.
bool IsLockWaitFailure(const Error& error);

}  // namespace zel::Db
