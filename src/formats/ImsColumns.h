#pragma once
// The IMS1.0 columns (1-based, inclusive) of the bulletin fields this system reads and writes,
// shared by the bulletin reader and writer.

#include <optional>
#include <string>
#include <string_view>

#include "formats/FixedColumns.h"

namespace zel::ims {

struct Field {
    int first, last;
};
namespace origin {
constexpr Field kDate{1, 10}, kTime{12, 22}, kTimeError{25, 29}, kRms{31, 35}, kLat{37, 44}, kLon{46, 54},
    kSmaj{57, 61}, kSmin{63, 67}, kAz{69, 71}, kDepth{72, 76}, kDepthFixed{77, 77}, kDepthError{79, 82},
    kNdef{84, 87}, kNsta{89, 92}, kGap{94, 96}, kMinDist{98, 103}, kMaxDist{105, 110}, kAnalysis{112, 112},
    kAuthor{119, 127}, kOrigId{129, 136};
}
namespace phase {
constexpr Field kSta{1, 5}, kDist{7, 12}, kEvAz{14, 18}, kPhase{20, 27}, kTime{29, 40}, kTRes{42, 46},
    kAzim{48, 52}, kSlow{60, 65}, kDef{74, 76}, kSnr{78, 82}, kAmp{84, 92}, kPer{94, 98}, kPickType{100, 100},
    kQuality{101, 102}, kMagType{104, 108}, kMag{110, 113}, kArid{115, 122};
}
namespace magnitude {
constexpr Field kType{1, 5}, kValue{7, 10}, kError{12, 14}, kNsta{16, 19}, kAuthor{21, 29}, kOrigId{31, 38};
}
constexpr Field kEventId{7, 14}, kRegion{16, 80};

constexpr const char* kOriginHeader =
    "   Date       Time        Err   RMS Latitude Longitude  Smaj  Smin  Az Depth   Err Ndef Nsta Gap  mdist  "
    "Mdist Qual   Author      OrigID";
constexpr const char* kMagnitudeHeader = "Magnitude  Err Nsta Author      OrigID";
constexpr const char* kPhaseHeader =
    "Sta     Dist  EvAz Phase        Time      TRes  Azim AzRes   Slow   SRes Def   SNR       Amp   Per Qual "
    "Magnitude    ArrID";

inline std::string Text(std::string_view line, Field f) { return ColumnText(line, f.first, f.last); }
inline std::optional<double> Number(std::string_view line, Field f) { return ColumnNumber(line, f.first, f.last); }
inline void Put(std::string& line, Field f, std::string_view text, bool right = true) {
    PutField(line, f.first, f.last, text, right);
}

}  // namespace zel::ims
