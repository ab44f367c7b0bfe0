#pragma once
// The texts a trace pane shows: caption, amplitude labels and the status-line readout.

#include <string>

namespace zel {

class TracePane;

struct PaneCaptionInfo {
    int paneNumber = 0;
    std::string station, channel, locationCode;
    double nominalSps = 0;
    double start = 0;
    bool beam = false;
};

// "D3  ABCDE.SHZ.00 100.000 sps 2013-Jun-14"
std::string PaneCaption(const PaneCaptionInfo& info);
// The caption of a pane as it stands; a beam pane's carries "#BEAM#".
std::string PaneCaption(const TracePane& pane);

// The time and amplitude under the pointer: "12:20:05.500  14/06/2013 A:12.500000".
std::string PointerReadout(double time, double amplitude);
// The difference from the drag start: "00:00:01.250  A:3.000000".
std::string DragReadout(double timeDifference, double amplitudeDifference);

}  // namespace zel
