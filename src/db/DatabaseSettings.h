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
    // The login came from the command line or ZEL.ini, not from the defaults: it then also takes
    // the place of UID and PWD in a whole connect string.
    bool userGiven = false, passwordGiven = false, userCssGiven = false, passwordCssGiven = false;
    bool localLastId = false;  // keys come from the working database's LASTID, else from the CSS one
    bool checkSchema = false;  // run the column upgrade after the working database opens
    // How long a statement waits for a lock another program holds before it fails.
    int lockWaitSeconds = 30;
};

}  // namespace zel
