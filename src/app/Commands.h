#pragma once
// Command identifiers of the menus and toolbars, with their menu texts (the string table):
// the toolbar customisation dialog and the menus take their texts from here.

#include <string>
#include <vector>

namespace zel::cmd {

enum : int {
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
    kLocateHypocentre = 32723,
    // waveform window
    kRedrawPanes = 33216,
    kDrawWaveforms = 716,
    kFitAllPanes = 32735,
    kAcquisitionMarks = 33080,
    kDatabasePhases = 32772,
    kCommonCursor = 33148,
    // waveform window commands with toolbar drop-down menus
    kSortPanes = 33209,
    kFilter = 32704,
    kFormula = 33145,
    kAmplitudePeriod = 32733,
    // phase list window
    kDeletePhase = 33240,
    kInsertPhase = 33241,
    kRecomputeResiduals = 33242,
    // event tables
    kSavePhaseListDb = 32731,
    kLoadPhaseListDb = 32732,
    kNewEvent = 33110,
    kLoadAutomatic = 33224,
    // reports and CSS 3.0 tables
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
    kPrint = 57607,
};

// The menu text of a command; empty when the command has none.
std::string CommandText(int id);

// The waveform window's commands in the order of its menu.
const std::vector<int>& WaveformWindowCommands();

// The DSP workspace's commands in the order of its menu (0: a separator).
const std::vector<int>& DspWorkspaceCommands();

}  // namespace zel::cmd
