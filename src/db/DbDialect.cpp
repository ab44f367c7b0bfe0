#include "db/DbDialect.h"

#include <algorithm>
#include <cctype>

#include "db/Odbc.h"

namespace zel {

DbDialect DialectFromDbmsName(std::string_view dbmsName) {
    std::string upper(dbmsName);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    auto has = [&](const char* word) { return upper.find(word) != std::string::npos; };
    DbDialect d = kDialectAccess;
    if (has("ACCESS")) d = kDialectAccess;
    if (has("MICROSOFT") && has("SQL")) d = kDialectSqlServer;
    if (has("ORACLE")) d = kDialectOracle;
    if (has("MYSQL")) d = kDialectMySql;
    if (has("POSTGRES")) d = kDialectPostgres;
    if (has("SQLITE")) d = kDialectSqlite;
    return d;
}

DbDialect DetectDialect(const Db::Connection& connection) {
    return DialectFromDbmsName(connection.dbmsName());
}

std::string RealTypeWord(DbDialect dialect) { return dialect == kDialectAccess ? "DOUBLE" : "FLOAT"; }

std::string DateTypeWord(DbDialect dialect) { return dialect == kDialectSqlServer ? "DATETIME" : "DATE"; }

}  // namespace zel
