#include "base/Strings.h"
#include "config/CommandLine.h"
#include "config/InterfaceLanguage.h"

#include <algorithm>
#include <string_view>

namespace zel {

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool IsQuote(char c) { return c == '"' || c == '\''; }

// Quotes around the data directory go; an apostrophe inside a path name stays.
std::string Unquoted(std::string_view value) {
    while (!value.empty() && IsQuote(value.front())) value.remove_prefix(1);
    while (!value.empty() && IsQuote(value.back())) value.remove_suffix(1);
    return std::string(value);
}

// Substitutes the two %s of a usage text in order, without treating the text as a printf format.
std::string Fill(std::string text, const std::string& first, const std::string& second) {
    size_t pos = 0;
    for (const std::string* value : {&first, &second}) {
        pos = text.find("%s", pos);
        if (pos == std::string::npos) break;
        text.replace(pos, 2, *value);
        pos += value->size();
    }
    return text;
}

const char* const kUsageRussian =
    "Windows Quakegrapher (ZEL) - Система обработки сейсмических данных v%s (%s)\n"
    "==============================================================================\n"
    "Использование: ZEL.exe [[-|/]?|h[elp]] | [[-|/]CHCKDB DATA|DIR=ZEL_DATA_PATH\n"
    "\t ODBC=ZEL_DSN_NAME USER=ZEL_USER PASSWORD=ZEL_PSW\n"
    "\t ODBC_CSS=CSS_DSN_NAME USER_CSS=CSS_USER PASSWORD_CSS=CSS_PSW]\n"
    "где -\n"
    "[-|/]?|h[elp]]\t\t- этот экран помощи\n"
    "[-|/]CHKDB\t\t- предварительная проверка структуры основной БД\n"
    "\t\t\t(таблиц SITE, SITECHAN, FILELIST, ARRIVAL, ORIGIN)\n"
    "DATA|DIR=ZEL_DATA_PATH\t- путь к базовому каталогу \"дисковых петель\"\n"
    "\t\t\t(двоичных файлов волновых форм), по-умолчанию D:\\Data\n"
    "ODBC=ZEL_DSN_NAME\t- ODBC-имя основного источника данных (БД zel.mdb)\n"
    "USER=ZEL_USER\t\t- имя пользователя основной БД (по-умолчанию ZEL)\n"
    "PASSWORD=ZEL_PSW\t- пароль пользователя основной БД (по-умолчанию QPX)\n"
    "ODBC_CSS=CSS_DSN_NAME\t- ODBC-имя вторичного источника данных (БД CSS v3.0)\n"
    "USER_CSS=CSS_USER\t- имя пользователя вторичной БД (по-умолчанию zel)\n"
    "PASSWORD_CSS=CSS_PSW\t- пароль пользователя вторичной БД (по-умолчанию qpx)\n"
    "\n"
    "Алгоритм анализа настроек:\n"
    " если есть значения в командной строке, берутся из нее (НАИВЫСШИЙ приоритет),\n"
    " далее - из файла настройки (ZEL.ini) в системном каталоге Windows,\n"
    " далее - (при отсутствии какого-либо параметра) - значения по умолчанию.\n";

const char* const kUsageEnglish =
    "Windows Quakegrapher (ZEL) - seismic data processing v%s (%s)\n"
    "==============================================================================\n"
    "Usage: ZEL.exe [[-|/]?|h[elp]] | [[-|/]CHCKDB DATA|DIR=ZEL_DATA_PATH\n"
    "\t ODBC=ZEL_DSN_NAME USER=ZEL_USER PASSWORD=ZEL_PSW\n"
    "\t ODBC_CSS=CSS_DSN_NAME USER_CSS=CSS_USER PASSWORD_CSS=CSS_PSW]\n"
    "where - \n"
    "[-|/]?|h[elp]]\t\t- this help screen \n"
    "[-|/]CHKDB\t\t- primary DataBase (DB) structure check\n"
    "\t\t\t(table SITE, SITECHAN, FILELIST, ARRIVAL, ORIGIN)\n"
    "DATA|DIR=ZEL_DATA_PATH\t- path to base \"diskloop\" directory\n"
    "\t\t\t(digital waveforms files), default D:\\Data\n"
    "ODBC=ZEL_DSN_NAME\t- ODBC-name of primary DB (like zel.mdb)\n"
    "USER=ZEL_USER\t\t- user name of primary DB (default ZEL)\n"
    "PASSWORD=ZEL_PSW\t- user password of primary DB (default QPX)\n"
    "ODBC_CSS=CSS_DSN_NAME\t- ODBC-name of secondary DB (CSS v3.0)\n"
    "USER_CSS=CSS_USER\t- user name of secondary DB (default zel)\n"
    "PASSWORD_CSS=CSS_PSW\t- user password of secondary DB (default qpx)\n"
    "\n"
    "Analysis algorithm of settings:\n"
    " if there are values in command line, set from it (Highest precedence),\n"
    " next - from the setup file (ZEL.ini) in the system catalog Windows,\n"
    " next - (in the absence of any parameter) - values by default.";

}  // namespace

CommandLineOverrides ParseCommandLine(const std::vector<std::string>& args) {
    CommandLineOverrides result;
    const struct {
        std::string_view prefix;
        std::string CommandLineOverrides::*field;
    } valueSwitches[] = {
        {"ODBC=", &CommandLineOverrides::odbc},         {"USER=", &CommandLineOverrides::user},
        {"PASSWORD=", &CommandLineOverrides::password}, {"ODBC_CSS=", &CommandLineOverrides::odbcCss},
        {"USER_CSS=", &CommandLineOverrides::userCss},  {"PASSWORD_CSS=", &CommandLineOverrides::passwordCss},
        {"DATA=", &CommandLineOverrides::dataDir},      {"DIR=", &CommandLineOverrides::dataDir},
    };
    for (const std::string& arg : args) {
        const std::string upper = UpperAscii(arg);
        bool matched = false;
        for (const auto& sw : valueSwitches) {
            if (!StartsWith(upper, sw.prefix)) continue;
            std::string value = arg.substr(sw.prefix.size());
            result.*sw.field = (sw.field == &CommandLineOverrides::dataDir) ? Unquoted(value) : value;
            matched = true;
            break;
        }
        if (matched) continue;
        // A Linux path such as /home/x would otherwise clean up to "HOMEX" and ask for help.
        if (std::count(arg.begin(), arg.end(), '/') >= 2) continue;
        std::string cleaned;
        for (char c : upper)
            if (c != '/' && c != '-') cleaned += c;
        if (cleaned == "CHKDB")
            result.checkDb = true;
        else if (cleaned == "?" || StartsWith(cleaned, "H"))
            result.help = true;
    }
    return result;
}

CommandLineOverrides ParseCommandLine(int argc, const char* const* argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i] ? argv[i] : "");
    return ParseCommandLine(args);
}

std::string UsageText(bool russian, const std::string& version, const std::string& buildDate) {
    return Fill(russian ? kUsageRussian : kUsageEnglish, version, buildDate);
}

std::string UsageMessage(const std::string& version, const std::string& buildDate) {
    // The English interface says it once, in its own language.
    if (CurrentInterfaceLanguage() == InterfaceLanguage::English) return UsageText(false, version, buildDate);
    return UsageText(true, version, buildDate) + "\n\n" + UsageText(false, version, buildDate);
}

std::string FormatVersion(int major, int minor, int patch, int tweak) {
    return std::to_string(major) + "." + std::to_string(minor) + std::to_string(patch) +
           std::to_string(tweak);
}

std::string ProgramVersion() {
    return FormatVersion(ZEL_VERSION_MAJOR, ZEL_VERSION_MINOR, ZEL_VERSION_PATCH, ZEL_VERSION_TWEAK);
}

std::string ProgramBuildDate() { return ZEL_BUILD_DATE; }

}  // namespace zel
