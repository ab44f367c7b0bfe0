#pragma once
// Which kind of server the working database is, and what that changes in SQL text.

#include <string>
#include <string_view>

namespace zel {

enum DbDialect : int {
    kDialectAccess = 0,
    kDialectSqlServer = 1,
    kDialectOracle = 2,
    kDialectMySql = 3,
    kDialectPostgres = 4,
    kDialectSqlite = 5,
};

namespace Db {
class Connection;
}

// Code of a driver's DBMS name; later matches override earlier ones, nothing matching is Access.
DbDialect DialectFromDbmsName(std::string_view dbmsName);
DbDialect DetectDialect(const Db::Connection& connection);

// Type words of the column upgrade.
std::string RealTypeWord(DbDialect dialect);
std::string DateTypeWord(DbDialect dialect);

}  // namespace zel
