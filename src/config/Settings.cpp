#include "config/Settings.h"

#include <algorithm>
#include <map>

#include "base/Strings.h"

namespace zel {

namespace {

std::uint8_t ToByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

bool Flag(const PrivateProfile& ini, std::string_view section, std::string_view key) {
    return ini.getInt(section, key, 0) != 0;
}

// "name12" -> 12 for the given lower-case prefix; nothing for other keys or "name012".
std::optional<int> IndexedKey(std::string_view lowerKey, std::string_view prefix) {
    if (lowerKey.substr(0, prefix.size()) != prefix) return std::nullopt;
    std::string_view digits = lowerKey.substr(prefix.size());
    if (digits.empty() || digits.size() > 9 || (digits.size() > 1 && digits[0] == '0')) return std::nullopt;
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return ParseLeadingInt(digits);
}

const char* const kFontIntKeys[] = {"lfHeight", "lfWidth", "lfEscapement", "lfOrientation", "lfWeight"};
const char* const kFontByteKeys[] = {"lfItalic",       "lfUnderline",     "lfStrikeOut", "lfCharSet",
                                     "lfOutPrecision", "lfClipPrecision", "lfQuality",   "lfPitchAndFamily"};

std::int32_t LabelFont::*const kFontIntFields[] = {&LabelFont::height, &LabelFont::width,
                                                   &LabelFont::escapement, &LabelFont::orientation,
                                                   &LabelFont::weight};
std::uint8_t LabelFont::*const kFontByteFields[] = {
    &LabelFont::italic,       &LabelFont::underline,     &LabelFont::strikeOut, &LabelFont::charSet,
    &LabelFont::outPrecision, &LabelFont::clipPrecision, &LabelFont::quality,   &LabelFont::pitchAndFamily};

}  // namespace

std::string WorkingDirectory(std::string_view configured, std::string_view executableDir) {
    auto stripped = [](std::string_view s) {
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
        return std::string(s);
    };
    std::string dir = stripped(configured);
    if (dir.empty()) dir = stripped(executableDir);
    if (dir.empty()) return "./";
    // A value carried over from Windows may already end with '\'; that is a separator too.
    if (dir.back() != '/' && dir.back() != '\\') dir += '/';
    return dir;
}

int PhasePresetIndex(std::string_view selection) {
    if (selection == "Teleseismic") return kPresetTeleseismic;
    if (selection == "Regional") return kPresetRegional;
    if (selection == "Local") return kPresetLocal;
    return kPresetNone;
}

std::optional<Rgb> ParseColor(std::string_view text) {
    size_t first = text.find(',');
    if (first == std::string_view::npos) return std::nullopt;
    size_t second = text.find(',', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    // Out-of-range parts are clamped: a colour channel wrapping round (300 -> 44) helps nobody.
    auto part = [](std::string_view s) { return static_cast<int>(ToByte(ParseLeadingInt(s))); };
    return Rgb{part(text), part(text.substr(first + 1)), part(text.substr(second + 1))};
}

std::string FormatColor(const Rgb& color) {
    return std::to_string(color.red) + "," + std::to_string(color.green) + "," + std::to_string(color.blue);
}

LabelFont LoadFont(const PrivateProfile& ini) {
    LabelFont font;
    for (size_t i = 0; i < std::size(kFontIntKeys); ++i)
        font.*kFontIntFields[i] = ParseLeadingInt(ini.getString("FONT", kFontIntKeys[i], ""));
    for (size_t i = 0; i < std::size(kFontByteKeys); ++i)
        font.*kFontByteFields[i] = ToByte(ParseLeadingInt(ini.getString("FONT", kFontByteKeys[i], "")));
    font.faceName = ini.getString("FONT", "lfFaceName", "ARIAL");
    return font;
}

TraceColors LoadColors(const PrivateProfile& ini) {
    TraceColors colors;
    auto read = [&](const char* key, Rgb& color) {
        if (auto parsed = ParseColor(ini.getString("COLORS", key, FormatColor(color)))) color = *parsed;
    };
    read("WAVEFORMS", colors.waveforms);
    read("TRANSFORMS", colors.transforms);
    read("LABELS", colors.labels);
    read("BACKGROUND", colors.background);
    return colors;
}

std::vector<DirectoryMapEntry> LoadDirectoryMap(const PrivateProfile& ini) {
    // One read of the section. Index i < "#" is a pair when NAME<i> or DIR<i> exists (the other
    // one then reads as empty); an index with neither key maps nothing and is left out, so a
    // damaged count cannot make us build millions of empty pairs.
    std::map<int, DirectoryMapEntry> byIndex;
    int count = 0;
    for (const auto& [key, value] : ini.sectionValues("DIRSMAP")) {
        std::string lower = LowerAscii(key);
        if (lower == "#") count = ParseLeadingInt(value);
        if (auto i = IndexedKey(lower, "name")) byIndex[*i].name = value;
        if (auto i = IndexedKey(lower, "dir")) byIndex[*i].dir = value;
    }
    std::vector<DirectoryMapEntry> entries;
    for (auto& [index, entry] : byIndex)
        if (index < count) entries.push_back(std::move(entry));
    return entries;
}

StartupSettings LoadStartupSettings(const PrivateProfile& ini, const CommandLineOverrides& commandLine,
                                    const std::string& executableDir) {
    StartupSettings s;
    s.workingDir = WorkingDirectory(ini.getString("ZEL", "DIR", ""), executableDir);

    s.dataDir = ini.getString("DATA", "DIR", "\\");
    if (!commandLine.dataDir.empty()) s.dataDir = commandLine.dataDir;
    s.outDir = ini.getString("OUT", "DIR", "\\");
    s.css30OutputDir = ini.getString("CSS30DATAOUTPUT", "DIR", "\\");
    s.css30OutputFormat = ini.getInt("CSS30DATAOUTPUT", "FORMAT", 0);
    s.cssDataPath = ini.getString("DIR", "CSSDATAPATH", "\\");
    s.imsRebPath = ini.getString("DIR", "IMSREBPATH", "\\");

    s.localLastId = Flag(ini, "DATABASE", "LOCALLASTID");
    s.useTend = Flag(ini, "DATABASE", "USE_TEND");
    s.wfd = Flag(ini, "DATABASE", "WFD");
    s.saveToCssDb = Flag(ini, "DATABASE", "SAVETOCSSDB");
    s.godographIndex = ParseLeadingInt(ini.getString("GODOGRAPH", "N#", "0"));
    s.godographDir = ini.getString("GODOGRAPH", "DIR" + std::to_string(s.godographIndex), "\\");
    s.conturFile = ini.getString("CONTUR", "FILE", "\\");
    s.calibFile = ini.getString("CALIBF", "FILE", "..\\calib.fun");
    s.showOrigins = Flag(ini, "SHOWORIGINS", "SHOWWINDOW");
    s.keepTransformation = ini.getInt("WAVEFORMS", "KEEPTRANSFORMATION", 1) != 0;
    s.pickModeStays = ini.getInt("WAVEFORMS", "PICKMODESTAYS", 1) != 0;
    s.amplitudeDefault = ini.getInt("AMPLITUDE", "DEFAULT", 0);
    s.phasePresetSelection = ini.getString("PRESELECTED PHASES", "Selection", "");
    s.phasePreset = PhasePresetIndex(s.phasePresetSelection);
    s.font = LoadFont(ini);
    s.colors = LoadColors(ini);

    s.directoryMap = LoadDirectoryMap(ini);
    s.interfaceLanguage = ini.getString("INTERFACE", "LANGUAGE", "");
    return s;
}

DatabaseSettings LoadDatabaseSettings(const PrivateProfile& ini, const CommandLineOverrides& commandLine) {
    auto pick = [&](const std::string& given, const char* key, const char* fallback) {
        return given.empty() ? ini.getString("DATABASE", key, fallback) : given;
    };
    DatabaseSettings d;
    d.odbc = pick(commandLine.odbc, "ODBC", "ZEL");
    d.user = pick(commandLine.user, "USER", "ZEL");
    d.password = pick(commandLine.password, "PASSWORD", "QPX");
    d.odbcCss = pick(commandLine.odbcCss, "ODBC_CSS", "");
    d.userCss = pick(commandLine.userCss, "USER_CSS", "ZEL");
    d.passwordCss = pick(commandLine.passwordCss, "PASSWORD_CSS", "QPX");
    auto given = [&](const std::string& value, const char* key) {
        return !value.empty() || ini.getString("DATABASE", key, "").size() > 0;
    };
    d.userGiven = given(commandLine.user, "USER");
    d.passwordGiven = given(commandLine.password, "PASSWORD");
    d.userCssGiven = given(commandLine.userCss, "USER_CSS");
    d.passwordCssGiven = given(commandLine.passwordCss, "PASSWORD_CSS");
    d.localLastId = Flag(ini, "DATABASE", "LOCALLASTID");
    d.checkSchema = commandLine.checkDb;
    return d;
}

void SaveFont(PrivateProfile& ini, const LabelFont& font) {
    std::vector<ProfileChange> changes;
    for (size_t i = 0; i < std::size(kFontIntKeys); ++i)
        changes.push_back({"FONT", kFontIntKeys[i], std::to_string(font.*kFontIntFields[i])});
    for (size_t i = 0; i < std::size(kFontByteKeys); ++i)
        changes.push_back({"FONT", kFontByteKeys[i], std::to_string(font.*kFontByteFields[i])});
    changes.push_back({"FONT", "lfFaceName", font.faceName});
    ini.write(changes);
}

void SaveColors(PrivateProfile& ini, const TraceColors& colors) {
    ini.write({{"COLORS", "WAVEFORMS", FormatColor(colors.waveforms)},
               {"COLORS", "TRANSFORMS", FormatColor(colors.transforms)},
               {"COLORS", "LABELS", FormatColor(colors.labels)},
               {"COLORS", "BACKGROUND", FormatColor(colors.background)}});
}

void SaveWorkingDirectories(PrivateProfile& ini, const StartupSettings& s) {
    auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    ini.write({{"OUT", "DIR", s.outDir},
               {"DIR", "CSSDATAPATH", s.cssDataPath},
               {"DIR", "IMSREBPATH", s.imsRebPath},
               {"DATABASE", "SAVETOCSSDB", flag(s.saveToCssDb)},
               {"DATABASE", "WFD", flag(s.wfd)},
               {"DATABASE", "USE_TEND", flag(s.useTend)}});
}

void SaveDirectoryMap(PrivateProfile& ini, const std::vector<DirectoryMapEntry>& entries) {
    std::vector<ProfileChange> changes;
    changes.push_back({"DIRSMAP", "#", std::to_string(entries.size())});
    for (size_t i = 0; i < entries.size(); ++i) {
        changes.push_back({"DIRSMAP", "NAME" + std::to_string(i), entries[i].name});
        changes.push_back({"DIRSMAP", "DIR" + std::to_string(i), entries[i].dir});
    }
    // Entries of a longer old list would come back if the count were ever raised again.
    for (const std::string& key : ini.keys("DIRSMAP")) {
        std::string lower = LowerAscii(key);
        for (const char* prefix : {"name", "dir"}) {
            auto index = IndexedKey(lower, prefix);
            if (index && static_cast<size_t>(*index) >= entries.size())
                changes.push_back({"DIRSMAP", key, std::nullopt});
        }
    }
    ini.write(changes);
}

}  // namespace zel
