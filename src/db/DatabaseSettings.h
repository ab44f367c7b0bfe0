#pragma once
// What the two database connections are opened with: configuration overridden by the command line.

#include <string>

namespace zel {

struct DatabaseSettings {
    std::string odbc = "ZEL";  // DSN, or a full connect string when it holds '='
    std::string user = "ZEL";
    std::string password = "QPX";
    std::string odbcCss;  // empty: no CSS database
    std::string userCss = "ZEL";
    std::string passwordCss = "QPX";
    bool localLastId = false;  // keys come from the working database's LASTID, else from the CSS one
    bool checkSchema = false;  // run the column upgrade after the working database opens
};

}  // namespace zel
