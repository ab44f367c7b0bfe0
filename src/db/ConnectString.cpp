#include "db/ConnectString.h"

#include <cctype>
#include <vector>

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

// One "KEY=value" of a connect string as written, and its key upper-cased without blanks.
struct Attribute {
    std::string text;
    std::string key;
};

std::vector<Attribute> Attributes(const std::string& connectString) {
    std::vector<Attribute> attributes;
    std::size_t i = 0;
    while (i < connectString.size()) {
        // One attribute runs to the next ';' outside braces.
        std::size_t end = i;
        int depth = 0;
        while (end < connectString.size()) {
            const char c = connectString[end];
            if (c == '{')
                ++depth;
            else if (c == '}' && depth > 0)
                --depth;
            else if (c == ';' && depth == 0)
                break;
            ++end;
        }
        Attribute a{connectString.substr(i, end - i), {}};
        const std::size_t eq = a.text.find('=');
        for (char c : a.text.substr(0, eq))
            if (c != ' ') a.key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (eq == std::string::npos) a.key.clear();
        attributes.push_back(std::move(a));
        i = end + 1;
    }
    return attributes;
}

bool IsUserKey(const std::string& key) { return key == "UID" || key == "USER" || key == "USERNAME"; }
bool IsPasswordKey(const std::string& key) { return key == "PWD" || key == "PASSWORD"; }

}  // namespace

std::string BuildConnectString(const std::string& dsnOrConnect, const std::string& user,
                               const std::string& password) {
    if (dsnOrConnect.find('=') != std::string::npos) return dsnOrConnect;
    return "DSN=" + QuoteValue(dsnOrConnect) + ";UID=" + QuoteValue(user) + ";PWD=" + QuoteValue(password) +
           ";";
}

std::string OpeningConnectString(const std::string& dsnOrConnect, const std::string& user,
                                 const std::string& password, bool userGiven, bool passwordGiven,
                                 int lockWaitSeconds) {
    const bool whole = dsnOrConnect.find('=') != std::string::npos;
    std::string out;
    if (!whole) {
        out = BuildConnectString(dsnOrConnect, user, password);
    } else {
        for (const Attribute& a : Attributes(dsnOrConnect)) {
            if (a.text.empty() || (userGiven && IsUserKey(a.key)) || (passwordGiven && IsPasswordKey(a.key)))
                continue;
            out += a.text + ";";
        }
        if (userGiven) out += "UID=" + QuoteValue(user) + ";";
        if (passwordGiven) out += "PWD=" + QuoteValue(password) + ";";
    }
    if (!ConnectAttribute(out, "CommLog")) out += "CommLog=0;";
    // The driver waits about twice its Timeout.
    if (IsSqliteConnectString(out) && !ConnectAttribute(out, "Timeout"))
        out += "Timeout=" + std::to_string(lockWaitSeconds * 500) + ";";
    return out;
}

std::string WithConnectAttribute(const std::string& connectString, const std::string& name,
                                 const std::string& value) {
    std::string wanted;
    for (char c : name) wanted += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::string out;
    for (const Attribute& a : Attributes(connectString))
        if (!a.text.empty() && a.key != wanted) out += a.text + ";";
    return out + name + "=" + QuoteValue(value) + ";";
}

bool IsSqliteConnectString(const std::string& connectString) {
    std::string driver = ConnectAttribute(connectString, "Driver").value_or("");
    for (char& c : driver) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return driver.find("sqlite") != std::string::npos;
}

std::optional<std::string> ConnectAttribute(const std::string& connectString, const std::string& name) {
    std::string wanted;
    for (char c : name) wanted += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const Attribute& a : Attributes(connectString)) {
        if (a.key != wanted) continue;
        std::string value = a.text.substr(a.text.find('=') + 1);
        if (value.size() >= 2 && value.front() == '{' && value.back() == '}')
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return std::nullopt;
}

std::string MaskPassword(const std::string& connectString) {
    std::string out;
    const std::vector<Attribute> attributes = Attributes(connectString);
    for (std::size_t i = 0; i < attributes.size(); ++i) {
        const Attribute& a = attributes[i];
        if (IsPasswordKey(a.key))
            out += a.text.substr(0, a.text.find('=')) + "=***";
        else
            out += a.text;
        if (i + 1 < attributes.size() || connectString.back() == ';') out += ';';
    }
    return out;
}

}  // namespace zel
