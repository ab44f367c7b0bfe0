#include "wave/ui/BeamPane.h"

#include "session/AppContext.h"
#include "wave/PaneBeam.h"
#include "wave/ui/waveform.h"

namespace zel {

CBeamWindow::CBeamWindow(TracePane& pane, waveform& owner, QWidget* parent)
    : CZoomWindow(pane, owner, parent) {
    pane.beam = true;  // the caption and the saved channel lists tell it from a trace pane
}

CBeamWindow* FormBeamPane(waveform& window, const CZoomWindow& reference,
                          const std::vector<const CZoomWindow*>& parts, float azimuthDeg,
                          float slownessSecPerKm) {
    const PaneChannel& channel = reference.pane().channel();
    CBeamWindow* beam = nullptr;
    for (CZoomWindow* w : window.zoomWindows())
        if (w->isBeam() && w->pane().channel().stationIndex == channel.stationIndex &&
            w->pane().channel().slot == channel.slot) {
            beam = static_cast<CBeamWindow*>(w);
            break;
        }
    if (!beam)
        beam = window.appendBeamPane(channel.stationIndex, channel.slot, reference.pane().start(),
                                     reference.pane().duration());
    std::vector<const TracePane*> panes;
    panes.reserve(parts.size());
    for (const CZoomWindow* p : parts) panes.push_back(&p->pane());
    FormPaneBeam(beam->pane(), reference.pane(), panes, window.context().stations(), azimuthDeg,
                 slownessSecPerKm);
    beam->redraw();
    window.scrollToBottomOf(beam);
    return beam;
}

}  // namespace zel
