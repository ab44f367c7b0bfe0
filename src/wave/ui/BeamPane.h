#pragma once
// The beam pane: a trace pane whose one data block is the delay-and-sum beam of array panes for
// a back azimuth and slowness (the F-K result or typed values). It is never read from the
// catalogue; forming the beam again replaces its samples.

#include <vector>

#include "wave/ui/CZoomWindow.h"

namespace zel {

class waveform;

class CBeamWindow : public CZoomWindow {
    Q_OBJECT
  public:
    CBeamWindow(TracePane& pane, waveform& owner, QWidget* parent);
    bool isBeam() const override { return true; }
};

// Forms the beam of `parts` over the reference pane's interval into the window's beam pane of
// the reference pane's station and channel, creating and appending that pane when there is none;
// then draws it and scrolls the window so that its bottom edge lies on the bottom of the window.
// A part without a transformed signal adds nothing but still counts in the average.
CBeamWindow* FormBeamPane(waveform& window, const CZoomWindow& reference,
                          const std::vector<const CZoomWindow*>& parts, float azimuthDeg,
                          float slownessSecPerKm);

}  // namespace zel
