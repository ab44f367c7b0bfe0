#include "base/PrivateProfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>

#include "base/ReplaceFile.h"
#include "base/ZelError.h"

namespace zel {

namespace {

// ---- text helpers ----

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view TrimLeft(std::string_view s) {
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return s.substr(b);
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) --e;
    return s.substr(0, e);
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

// ---- the file as lines ----

struct Line {
    std::string text;
    std::string eol;  // "\n", "\r\n" or "" for a last line without a line break
};

struct Document {
    std::string bom;  // a UTF-8 byte-order mark is kept but never parsed as part of a name
    std::vector<Line> lines;

    std::string newline() const {
        for (const Line& l : lines)
            if (!l.eol.empty()) return l.eol;
        return "\n";
    }
};

Document Parse(const std::string& data) {
    Document doc;
    size_t pos = 0;
    if (data.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        doc.bom = data.substr(0, 3);
        pos = 3;
    }
    while (pos < data.size()) {
        size_t nl = data.find('\n', pos);
        Line line;
        if (nl == std::string::npos) {
            line.text = data.substr(pos);
            pos = data.size();
        } else {
            line.text = data.substr(pos, nl - pos);
            line.eol = "\n";
            pos = nl + 1;
            if (!line.text.empty() && line.text.back() == '\r') {
                line.text.pop_back();
                line.eol = "\r\n";
            }
        }
        doc.lines.push_back(std::move(line));
    }
    return doc;
}

std::string Serialise(const Document& doc) {
    std::string out = doc.bom;
    for (const Line& l : doc.lines) {
        out += l.text;
        out += l.eol;
    }
    return out;
}

// "[name]" with blanks allowed around; the name runs to the last ']' so that names holding ']'
// (user-chosen preset names end up in registry paths) survive.
std::optional<std::string_view> HeaderName(std::string_view text) {
    std::string_view t = TrimLeft(text);
    if (t.empty() || t[0] != '[') return std::nullopt;
    size_t close = t.rfind(']');
    if (close == std::string_view::npos || close == 0) return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

struct KeyLine {
    std::string_view name;
    std::string_view value;
    size_t valueStart = 0;  // offset in the line of the first character after '=' and its blanks
};

// "name=value"; ';' starts a comment line. '#' does not: "#" is a real key (the entry counts).
std::optional<KeyLine> ParseKey(std::string_view text) {
    size_t lead = 0;
    while (lead < text.size() && IsBlank(text[lead])) ++lead;
    if (lead == text.size() || text[lead] == ';' || text[lead] == '[') return std::nullopt;
    size_t eq = text.find('=', lead);
    if (eq == std::string_view::npos) return std::nullopt;
    KeyLine k;
    k.name = Trim(text.substr(lead, eq - lead));
    if (k.name.empty()) return std::nullopt;
    k.valueStart = eq + 1;
    while (k.valueStart < text.size() && IsBlank(text[k.valueStart])) ++k.valueStart;
    k.value = Trim(text.substr(k.valueStart));
    return k;
}

struct Span {
    size_t header = 0;
    size_t end = 0;  // one past the last line before the next header
};

std::vector<Span> FindSections(const Document& doc, std::string_view name) {
    std::vector<Span> found;
    std::string_view want = Trim(name);
    bool inside = false;
    for (size_t i = 0; i < doc.lines.size(); ++i) {
        auto h = HeaderName(doc.lines[i].text);
        if (!h) continue;
        if (inside) found.back().end = i;
        inside = EqualsNoCase(*h, want);
        if (inside) found.push_back({i, doc.lines.size()});
    }
    return found;
}

// Like Windows, only the first section of a name counts, and in it the first line of a key.
std::optional<Span> FirstSection(const Document& doc, std::string_view name) {
    auto all = FindSections(doc, name);
    if (all.empty()) return std::nullopt;
    return all.front();
}

std::optional<size_t> FindKey(const Document& doc, const Span& span, std::string_view key) {
    std::string_view want = Trim(key);
    for (size_t i = span.header + 1; i < span.end; ++i) {
        auto k = ParseKey(doc.lines[i].text);
        if (k && EqualsNoCase(k->name, want)) return i;
    }
    return std::nullopt;
}

bool IsBlankLine(const Line& l) { return Trim(l.text).empty(); }

// ---- file access ----

enum class ReadResult { Ok, Missing, Failed };

ReadResult ReadFile(const std::string& path, std::string& data, int& error) {
    data.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return error == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    }
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = errno;
            ::close(fd);
            return ReadResult::Failed;
        }
        if (n == 0) break;
        data.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return ReadResult::Ok;
}

Document LoadForReading(const std::string& path) {
    std::string data;
    int error = 0;
    if (ReadFile(path, data, error) != ReadResult::Ok) return {};
    return Parse(data);
}

UserText ErrorText(const char* what, const std::string& path, int error) {
    return Tr(what).arg(path).arg(std::strerror(error));
}

// A write must start from what is on disk: a file that exists but cannot be read would
// otherwise be replaced by one holding only the new key.
Document LoadForWriting(const std::string& path) {
    std::string data;
    int error = 0;
    switch (ReadFile(path, data, error)) {
        case ReadResult::Ok:
            return Parse(data);
        case ReadResult::Missing:
            return {};
        case ReadResult::Failed:
            break;
    }
    throw ZelError(ErrorText(ZEL_TR_NOOP("Не удалось прочитать файл настроек %1: %2"), path, error));
}

// Writes beside the target and renames over it; a symbolic link is followed so the link stays.
void SaveAtomically(const std::string& path, const std::string& data) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path dir = fs::path(path).parent_path();
    if (!dir.empty()) {
        fs::create_directories(dir, ec);
        if (ec) throw ZelError(Tr("Не удалось создать каталог %1: %2").arg(dir.string()).arg(ec.message()));
    }
    // Passwords live in this file: a new one is private to the user, an old one keeps its mode.
    if (const auto failure = ReplaceFile(path, data, 0600))
        throw ZelError(ErrorText(ZEL_TR_NOOP("Не удалось записать файл настроек %1: %2"), path, failure->error));
}

// ---- validation of what is written ----

bool HasLineBreak(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos; }

void CheckSection(std::string_view section) {
    if (Trim(section).empty() || HasLineBreak(section))
        throw ZelError(Tr("Недопустимое имя раздела файла настроек: \"%1\"").arg(section));
}

void CheckKey(std::string_view key) {
    std::string_view k = Trim(key);
    if (k.empty() || HasLineBreak(key) || k.find('=') != k.npos || k[0] == ';' || k[0] == '[')
        throw ZelError(Tr("Недопустимое имя ключа файла настроек: \"%1\"").arg(key));
}

void CheckValue(std::string_view key, std::string_view value) {
    if (HasLineBreak(value))
        throw ZelError(Tr("Значение ключа %1 содержит перевод строки и не может быть записано в файл настроек")
                           .arg(key));
}

// ---- edits ----

void MakeLineEnd(Document& doc, size_t index) {
    if (doc.lines[index].eol.empty()) doc.lines[index].eol = doc.newline();
}

bool SetKey(Document& doc, std::string_view section, std::string_view key, std::string_view value) {
    const std::string nl = doc.newline();
    auto span = FirstSection(doc, section);
    if (!span) {
        if (!doc.lines.empty()) {
            MakeLineEnd(doc, doc.lines.size() - 1);
            if (!IsBlankLine(doc.lines.back())) doc.lines.push_back({"", nl});
        }
        doc.lines.push_back({"[" + std::string(Trim(section)) + "]", nl});
        doc.lines.push_back({std::string(Trim(key)) + "=" + std::string(value), nl});
        return true;
    }
    if (auto at = FindKey(doc, *span, key)) {
        Line& line = doc.lines[*at];
        // Keep the key's spelling and the blanks around '=' as the file had them.
        std::string updated = line.text.substr(0, ParseKey(line.text)->valueStart) + std::string(value);
        if (updated == line.text) return false;
        line.text = std::move(updated);
        return true;
    }
    // New key: after the last non-blank line of the section, so blank separators stay in front
    // of the next section.
    size_t insertAt = span->header + 1;
    for (size_t i = span->end; i > span->header + 1; --i) {
        if (!IsBlankLine(doc.lines[i - 1])) {
            insertAt = i;
            break;
        }
    }
    MakeLineEnd(doc, insertAt - 1);
    doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                     Line{std::string(Trim(key)) + "=" + std::string(value), nl});
    return true;
}

// Removes every line of the key in the section: a duplicate must not reappear after a delete.
bool RemoveKey(Document& doc, std::string_view section, std::string_view key) {
    auto span = FirstSection(doc, section);
    if (!span) return false;
    bool changed = false;
    for (size_t i = span->end; i > span->header + 1; --i) {
        auto k = ParseKey(doc.lines[i - 1].text);
        if (k && EqualsNoCase(k->name, Trim(key))) {
            doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(i - 1));
            changed = true;
        }
    }
    return changed;
}

bool RemoveSection(Document& doc, std::string_view section) {
    auto spans = FindSections(doc, section);
    for (auto it = spans.rbegin(); it != spans.rend(); ++it)
        doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(it->header),
                        doc.lines.begin() + static_cast<std::ptrdiff_t>(it->end));
    return !spans.empty();
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> Lookup(const std::string& path, std::string_view section, std::string_view key) {
    Document doc = LoadForReading(path);
    if (auto span = FirstSection(doc, section))
        if (auto at = FindKey(doc, *span, key)) return std::string(ParseKey(doc.lines[*at].text)->value);
    return std::nullopt;
}

}  // namespace

int ParseLeadingInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    const long long limit = static_cast<long long>(INT_MAX) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) value = limit;
    }
    if (negative) return static_cast<int>(-value);
    return static_cast<int>(value > INT_MAX ? INT_MAX : value);
}

PrivateProfile::PrivateProfile(std::string path) : path_(std::move(path)) {}

std::string PrivateProfile::getString(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
    if (auto value = Lookup(path_, section, key)) return *value;
    return std::string(defaultValue);
}

int PrivateProfile::getInt(std::string_view section, std::string_view key, int defaultValue) const {
    auto value = Lookup(path_, section, key);
    return value ? ParseLeadingInt(*value) : defaultValue;
}

std::optional<std::vector<std::uint8_t>> PrivateProfile::getBinary(std::string_view section,
                                                                   std::string_view key) const {
    auto value = Lookup(path_, section, key);
    if (!value || value->size() % 2 != 0) return std::nullopt;
    const std::string& hex = *value;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2) {
        int hi = HexDigit(hex[i]);
        int lo = HexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
    return bytes;
}

bool PrivateProfile::hasSection(std::string_view section) const {
    return FirstSection(LoadForReading(path_), section).has_value();
}

bool PrivateProfile::hasKey(std::string_view section, std::string_view key) const {
    return Lookup(path_, section, key).has_value();
}

std::vector<std::string> PrivateProfile::sections() const {
    Document doc = LoadForReading(path_);
    std::vector<std::string> names;
    for (const Line& l : doc.lines) {
        auto h = HeaderName(l.text);
        if (!h) continue;
        bool seen = false;
        for (const auto& n : names) seen = seen || EqualsNoCase(n, *h);
        if (!seen) names.emplace_back(*h);
    }
    return names;
}

std::vector<std::string> PrivateProfile::keys(std::string_view section) const {
    std::vector<std::string> names;
    for (auto& [name, value] : sectionValues(section)) names.push_back(std::move(name));
    return names;
}

std::vector<std::pair<std::string, std::string>> PrivateProfile::sectionValues(
    std::string_view section) const {
    Document doc = LoadForReading(path_);
    std::vector<std::pair<std::string, std::string>> entries;
    auto span = FirstSection(doc, section);
    if (!span) return entries;
    for (size_t i = span->header + 1; i < span->end; ++i) {
        auto k = ParseKey(doc.lines[i].text);
        if (!k) continue;
        bool seen = false;
        for (const auto& e : entries) seen = seen || EqualsNoCase(e.first, k->name);
        if (!seen) entries.emplace_back(std::string(k->name), std::string(k->value));
    }
    return entries;
}

void PrivateProfile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    write({{std::string(section), std::string(key), std::string(value)}});
}

void PrivateProfile::writeBinary(std::string_view section, std::string_view key,
                                 const std::vector<std::uint8_t>& bytes) {
    writeString(section, key, ProfileHex(bytes));
}

void PrivateProfile::deleteKey(std::string_view section, std::string_view key) {
    write({{std::string(section), std::string(key), std::nullopt}});
}

void PrivateProfile::deleteSection(std::string_view section) {
    CheckSection(section);
    Document doc = LoadForWriting(path_);
    if (RemoveSection(doc, section)) SaveAtomically(path_, Serialise(doc));
}

void PrivateProfile::write(const std::vector<ProfileChange>& changes) {
    for (const ProfileChange& c : changes) {
        CheckSection(c.section);
        CheckKey(c.key);
        if (c.value) CheckValue(c.key, *c.value);
    }
    Document doc = LoadForWriting(path_);
    bool changed = false;
    for (const ProfileChange& c : changes) {
        if (c.value)
            changed = SetKey(doc, c.section, c.key, *c.value) || changed;
        else
            changed = RemoveKey(doc, c.section, c.key) || changed;
    }
    if (changed) SaveAtomically(path_, Serialise(doc));
}

std::string ProfileHex(const std::vector<std::uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 0x0F];
    }
    return out;
}

}  // namespace zel
