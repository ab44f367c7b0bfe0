#pragma once
// The command table: every command of the menus, toolbars and pane menus with the number that the
// registry store keeps for it (toolbar layouts), its menu text, its icon and its shortcut. Windows
// name commands by these ids only; the main frame makes one action per id.

#include <QString>
#include <span>
#include <string>
#include <vector>

namespace zel::cmd {

enum Id : int {
    // main frame
    kFont = 32769,
    kAddChannels = 32701,
    kShowWaveforms = 32705,
    kShowPhaseList = 32708,
    kShowDsp = 33105,
    kShowMap = 32707,
    kCascade = 32714,
    kTileHorizontally = 32722,
    kTileVertically = 32700,
    kShowParticleMotion = 43,
    kSettings = 19,
    kEditNetworks = 33149,
    kReconnect = 33155,
    kEditDirsMap = 33190,
    kShowOrigins = 33191,
    kEditControlledRegions = 33219,
    kClearPhaseList = 32783,
    kExit = 57665,
    kAbout = 57664,
    kZelVersion = 33136,
    kGroupCombo = 33180,
    kGroupSelected = 187,
    kCustomizeToolbar = 33183,
    // map window
    kMapZoomIn = 160,
    kMapZoomOut = 163,
    kMapShiftEast = 166,
    kMapShiftWest = 169,
    kMapShiftNorth = 171,
    kMapShiftSouth = 172,
    kMapReset = 102,
    kMapRelief = 33041,
    kMapCoastlines = 33043,
    kMapSimple = 33044,
    kMapAzimuths = 33053,
    kMapMarkEpicentre = 33054,
    kMapHypocentreParameters = 33185,
    // waveform window: display
    kRebuildPanes = 32771,
    kRedrawPanes = 33216,
    kDrawWaveforms = 716,
    kFitAllPanes = 32735,
    kAcquisitionMarks = 33080,
    kDatabasePhases = 32772,
    kCommonCursor = 33148,
    // waveform window: scaling and navigation
    kCentrePanes = 33056,
    kAlignTime = 33057,
    kShiftEarlier = 33017,
    kShiftLater = 33018,
    kShiftUp = 33019,
    kShiftDown = 33020,
    kReturn = 33023,
    kCompressTime = 33022,
    kCompressAmplitude = 33016,
    kStretchTime = 33021,
    kStretchAmplitude = 33015,
    kStretchTimePane = 32777,
    kStretchAmplitudePane = 32776,
    kCompressTimePane = 32779,
    kCompressAmplitudePane = 33025,
    kCentre = 32780,
    kAlignAmplitude = 32774,
    kOneScale = 33169,
    // waveform window: panes and channels
    kNewPane = 33202,
    kChooseStationChannel = 33201,
    kChooseStationChannelPane = 33112,
    kDeleteActivePanes = 33212,
    kSaveChannelList = 33144,
    kLoadChannelList = 33143,
    kSortPanes = 33209,
    kSortByStationIndex = 33165,
    kSortByPickTime = 33166,
    kSortByName = 33203,
    kSortByActivation = 33204,
    kSortByDistance = 33211,
    kSortByAmplitude = 33220,
    kSortByMb = 33221,
    kCleanDiskLoop = 33109,
    kExportCss = 33167,
    kImportCss = 33210,
    // picking and marks
    kPickMode = 32712,
    kDeleteMarks = 33135,
    kAlignMarks = 32775,
    kExcludePhasesInMark = 33159,
    kIncludePhasesInMark = 33158,
    // signal processing
    kFilter = 32704,
    kFilterDesigner = 33126,
    kRemoveFilter = 32737,
    kFormula = 33145,
    kSimulateDisplacement = 33137,
    kSimulateWwssp = 33138,
    kSimulateKirnos = 33139,
    kSimulateWoodAnderson = 33140,
    kSimulateLpsro = 33141,
    kSimulateWwsslp = 33142,
    kSimulateSkm = 33214,
    kDisplacementByResponse = 33171,
    kSimulateWwsspByResponse = 33172,
    kSimulateWwsslpByResponse = 33173,
    kSimulateLpsroByResponse = 33174,
    kSimulateKirnosByResponse = 33175,
    kSimulateWoodAndersonByResponse = 33176,
    kSimulateVegikByResponse = 33188,
    kRunDetector = 33132,
    kClearDetections = 33134,
    kDetectorSettings = 33168,
    kThreeComponentAzimuth = 32711,
    kPolarizationAzimuth = 37,
    kRectilinearity = 22,
    kPlanarity = 38,
    kFkAnalysis = 33217,
    // amplitudes and magnitudes
    kAmplitudePeriod = 32733,
    kMeasureByCalib = 33160,
    kMeasureByFile = 33164,
    kMeasureByDatabase = 33229,
    kNormaliseAmplitude = 33184,
    kCoda = 185,
    kNomogramClass = 33170,
    kVegikClass = 33187,
    kSkmClass = 33213,
    // distances and location
    kAzimuthFromPOnsets = 32768,
    kPhasePlacement = 32724,
    kDistanceEstimate = 32717,
    kTravelTimeCalculator = 33107,
    kDistanceAzimuth = 33182,
    kLocateHypocentre = 32723,
    kLocateSvd = 33197,
    kRunLoq = 33198,
    // phase list and events
    kDeletePhase = 33240,
    kInsertPhase = 33241,
    kRecomputeResiduals = 33242,
    kSavePhaseListDb = 32731,
    kLoadPhaseListDb = 32732,
    kNewEvent = 33110,
    kLoadAutomatic = 33224,
    // a network's own data
    kConnectArchive = 33270,
    kImportStationXml = 33271,
    kWriteQuakeMl = 33272,
    kLoadQuakeMl = 33273,
    // keys of the analyst's road
    kUndoPicks = 33274,
    kRedoPicks = 33275,
    kPageEarlier = 33276,
    kPageLater = 33277,
    kKeyPickP = 33278,
    kKeyPickS = 33279,
    kKeyPickSet1 = 33280,  // ... kKeyPickSet1 + 8: the phases of the chosen set by number
    kKeyPickSet9 = 33288,
    kDeleteNearestPick = 33289,
    kShortcutsHelp = 33290,
    kKeyAmplitude = 33291,
    kMapFitNetwork = 33315,
    kMapFitEvent = 33316,
    kHelpContents = 33317,
    // plots of the located event
    kRecordSection = 33305,
    kResidualPlots = 33306,
    kEventReport = 33111,
    kWriteCssTables = 33153,
    kWriteStoredCssTables = 33181,
    kLoadImsBulletin = 33194,
    // DSP workspace
    kDspSaveWorksheet = 33250,
    kDspLoadWorksheet = 33251,
    kDspSaveData = 33252,
    kDspLoadData = 33253,
    kDspCopyData = 33254,
    kDspPasteData = 33255,
    kDspOverplot = 33256,
    kDspFixWindow = 33257,
    kDspProperties = 33258,
    kDspFormula = 33259,
    kDspAddWindow = 33260,
    kDspRemoveWindow = 33261,
    kDspRecompute = 33262,
    kDspSpectrogram = 33300,
    kPrint = 57607,
};

// The menus of the menu bar, found by these ids rather than by their titles.
enum class Menu { Functions, Waveforms, PhaseList, Dsp, Map, Window, Help };

struct Command {
    Id id;
    const char* text;      // the menu text's Russian id; "(*)" first: an entry of the pane menus only
    const char* icon;      // the icon's name (see CommandIcons), empty for none
    const char* shortcut;  // a key sequence in Qt's portable text form, empty for none
};

// Every command, in the order of the table.
std::span<const Command> AllCommands();
// nullptr for a number no command has.
const Command* Find(int id);
// The menu text of a command as the analyst reads it, in the interface's language (also its tool
// tip and status text); empty when the command has none. Never a key to store: that is the id.
std::string CommandText(int id);
// The title of a menu of the menu bar, translated.
QString MenuTitle(Menu menu);

// A key without Ctrl or Alt (arrows, letters, digits) acts only where the panes are: it is the
// waveform window's, never a text field's elsewhere.
bool IsPaneKey(const Command& command);

// An entry of a menu: a command, a separator (id 0, no title) or a submenu (a title, the Russian
// id of its translation, and its entries).
struct MenuItem {
    int id = 0;
    const char* title = nullptr;
    std::vector<MenuItem> items;
};
// The waveform window's menu, grouped the way the analyst works: channels, view, navigation,
// picking, transformations, analysis, amplitudes, location and event.
const std::vector<MenuItem>& WaveformMenu();
// The DSP workspace's commands in the order of its menu (0: a separator).
const std::vector<int>& DspWorkspaceCommands();
// The entries of a toolbar button's drop-down menu (the command itself among them); empty for a
// button without one.
const std::vector<int>& DropDownCommands(int id);
// The built-in layout of the toolbars "WAVEFORMS", "MAP", "PHASELIST" and "DSP" (0: a separator).
std::vector<int> DefaultToolbarLayout(const std::string& toolbarName);

}  // namespace zel::cmd
