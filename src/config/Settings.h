#pragma once
// The start-up settings of ZEL.ini and the writers of the settings pages that own some of them.
// The file overrides the built-in defaults below, the command line overrides the file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/PrivateProfile.h"
#include "config/CommandLine.h"
#include "db/DatabaseSettings.h"

namespace zel {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The label font as a Windows logical font, field by field as section FONT stores it.
struct LabelFont {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string faceName = "ARIAL";
    friend bool operator==(const LabelFont&, const LabelFont&) = default;
};

struct TraceColors {
    Rgb waveforms{0, 0, 127};
    Rgb transforms{255, 0, 0};
    Rgb labels{255, 255, 255};
    Rgb background{192, 192, 192};
    friend bool operator==(const TraceColors&, const TraceColors&) = default;
};

// A directory name as the catalogue stores it, and the directory to use on this machine.
struct DirectoryMapEntry {
    std::string name;
    std::string dir;
    friend bool operator==(const DirectoryMapEntry&, const DirectoryMapEntry&) = default;
};

enum PhasePreset { kPresetTeleseismic = 0, kPresetRegional = 1, kPresetLocal = 2, kPresetNone = 3 };

struct StartupSettings {
    std::string workingDir;                       // ZEL/DIR or the program's directory; ends with a separator
    std::string dataDir = "\\";                   // DATA/DIR, replaced by DATA=/DIR=: root of the disk loop
    std::string outDir = "\\";                    // OUT/DIR: reports
    std::string css30OutputDir = "\\";            // CSS30DATAOUTPUT/DIR: CSS 3.0 waveform export
    int css30OutputFormat = 0;                    // CSS30DATAOUTPUT/FORMAT
    std::string cssDataPath = "\\";               // DIR/CSSDATAPATH: CSS 3.0 bulletin tables
    std::string imsRebPath = "\\";                // DIR/IMSREBPATH: IMS/REB bulletins
    bool localLastId = false;                     // DATABASE/LOCALLASTID
    bool useTend = false;                         // DATABASE/USE_TEND
    bool wfd = false;                             // DATABASE/WFD: segments from the CSS wfdisc table
    bool saveToCssDb = false;                     // DATABASE/SAVETOCSSDB
    int godographIndex = 0;                       // GODOGRAPH/N#: current travel-time table set
    std::string godographDir = "\\";              // GODOGRAPH/DIR<N#>
    std::string conturFile = "\\";                // CONTUR/FILE
    std::string calibFile = "..\\calib.fun";      // CALIBF/FILE
    bool showOrigins = false;                     // SHOWORIGINS/SHOWWINDOW
    bool keepTransformation = true;               // WAVEFORMS/KEEPTRANSFORMATION: 0 drops a pane's filter on reload
    bool pickModeStays = true;                    // WAVEFORMS/PICKMODESTAYS: 0 ends pick mode after each pick
    int amplitudeDefault = 0;                     // AMPLITUDE/DEFAULT: 0, 1 or 2
    std::string phasePresetSelection;             // PRESELECTED PHASES/Selection as written
    int phasePreset = kPresetNone;                // PhasePresetIndex of the selection
    LabelFont font;                               // FONT
    TraceColors colors;                           // COLORS
    std::vector<DirectoryMapEntry> directoryMap;  // DIRSMAP
    std::string interfaceLanguage;                // INTERFACE/LANGUAGE: "ru", "en", else the locale's
};

// Reads every start-up key in the documented order; missing file, section or key give defaults.
StartupSettings LoadStartupSettings(const PrivateProfile& ini, const CommandLineOverrides& commandLine,
                                    const std::string& executableDir);

// DATABASE keys with the command line taking precedence; CHKDB asks for the schema check.
DatabaseSettings LoadDatabaseSettings(const PrivateProfile& ini, const CommandLineOverrides& commandLine);

// The configured directory, or the program's directory when none is configured, without
// trailing blanks and ending with a separator ('/' is appended unless it ends with '/' or '\').
std::string WorkingDirectory(std::string_view configured, std::string_view executableDir);

// Exact, case-sensitive: "Teleseismic" 0, "Regional" 1, "Local" 2, anything else 3.
int PhasePresetIndex(std::string_view selection);

// "r,g,b" read like atoi of each part, each clamped to 0..255; nothing with fewer than three parts.
std::optional<Rgb> ParseColor(std::string_view text);
std::string FormatColor(const Rgb& color);

LabelFont LoadFont(const PrivateProfile& ini);
TraceColors LoadColors(const PrivateProfile& ini);
std::vector<DirectoryMapEntry> LoadDirectoryMap(const PrivateProfile& ini);

// The font command: all 14 FONT keys, numbers as decimal text.
void SaveFont(PrivateProfile& ini, const LabelFont& font);
// The waveform display page: the four COLORS keys.
void SaveColors(PrivateProfile& ini, const TraceColors& colors);
// The directories page: OUT/DIR, DIR/CSSDATAPATH, DIR/IMSREBPATH and the DATABASE flags
// SAVETOCSSDB, WFD, USE_TEND as "1"/"0". The data directory is for this run only and not written.
void SaveWorkingDirectories(PrivateProfile& ini, const StartupSettings& settings);
// The directory-map editor: "#" and every NAME<i>/DIR<i>; entries beyond the new count are removed.
void SaveDirectoryMap(PrivateProfile& ini, const std::vector<DirectoryMapEntry>& entries);

}  // namespace zel
