#pragma once
// A lock by name that every program on one database honours, held until the current transaction
// ends: two workstations saving one event take turns instead of writing it twice.

#include <string_view>

#include "app/db/DbDialect.h"

namespace zel::Db {

class Connection;
class Error;

// Takes the lock inside the open transaction, waiting for another holder as long as the
// server's lock timeout allows. PostgreSQL: a transaction advisory lock on a stable 64-bit hash
// of the name (two names sharing a hash only take turns needlessly). SQLite: the database's
// write lock, which then covers the whole transaction. Other servers take no lock. Throws Error.
void LockForTransaction(Connection& connection, DbDialect dialect, std::string_view name);

// True for the failure of a wait for a lock that another program holds.
bool IsLockWaitFailure(const Error& error);

}  // namespace zel::Db
