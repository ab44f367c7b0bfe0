#include "db/ConnectString.h"

#include <cctype>

namespace zel {
namespace {

std::string QuoteValue(const std::string& value) {
    bool needs = value.find_first_of(";{}") != std::string::npos || value.find('=') != std::string::npos ||
                 (!value.empty() && (std::isspace(static_cast<unsigned char>(value.front())) ||
                                     std::isspace(static_cast<unsigned char>(value.back()))));
    if (!needs) return value;
    std::string out = "{";
    for (char c : value) {
        out += c;
        if (c == '}') out += '}';
    }
    return out + "}";
}

}  // namespace

std::string BuildConnectString(const std::string& dsnOrConnect, const std::string& user,
                               const std::string& password) {
    if (dsnOrConnect.find('=') != std::string::npos) return dsnOrConnect;
    return "DSN=" + QuoteValue(dsnOrConnect) + ";UID=" + QuoteValue(user) + ";PWD=" + QuoteValue(password) +
           ";";
}

std::string MaskPassword(const std::string& connectString) {
    std::string out;
    size_t i = 0;
    while (i < connectString.size()) {
        size_t end = i;
        // One attribute runs to the next ';' outside braces.
        int depth = 0;
        while (end < connectString.size()) {
            char c = connectString[end];
            if (c == '{')
                ++depth;
            else if (c == '}' && depth > 0)
                --depth;
            else if (c == ';' && depth == 0)
                break;
            ++end;
        }
        std::string attribute = connectString.substr(i, end - i);
        size_t eq = attribute.find('=');
        std::string key = eq == std::string::npos ? attribute : attribute.substr(0, eq);
        std::string upper;
        for (char c : key) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        while (!upper.empty() && upper.front() == ' ') upper.erase(upper.begin());
        while (!upper.empty() && upper.back() == ' ') upper.pop_back();
        if (eq != std::string::npos && (upper == "PWD" || upper == "PASSWORD"))
            out += key + "=***";
        else
            out += attribute;
        if (end < connectString.size()) out += ';';
        i = end + 1;
    }
    return out;
}

}  // namespace zel
