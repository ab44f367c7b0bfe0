#include "dsp/ui/FkCommands.h"

#include <QAction>
#include <algorithm>

#include "dsp/ui/FKResultsDlg.h"
#include "events/ZELPhases.h"
#include "session/AppContext.h"
#include "wave/FkPanes.h"
#include "wave/ui/BeamPane.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"
#include "widgets/Workbench.h"

namespace zel {
namespace {


}  // namespace

FkCommands::FkCommands(AppContext& context, waveform& window, QObject* parent)
    : QObject(parent), context_(context), window_(window) {}

void FkCommands::connectTo(Workbench& frame) {
    frame.bind(cmd::kFkAnalysis, this, [this] { analyse(); });
}

void FkCommands::analyse() {
    const std::vector<CZoomWindow*> windows = window_.zoomWindows();
    std::vector<const TracePane*> panes;
    for (CZoomWindow* w : windows) panes.push_back(&w->pane());
    auto taking = CollectFkPanes(panes, context_.stations(), context_.messages());
    if (!taking) return;
    const auto main = std::find_if(windows.begin(), windows.end(), [](CZoomWindow* w) { return w->pane().main; });
    CZoomWindow* reference = *main;  // CollectFkPanes answers only when there is one
    const TracePane& ref = reference->pane();
    std::vector<const CZoomWindow*> parts;
    for (const FkExchangeChannel& c : *taking)
        for (const CZoomWindow* w : windows)
            if (w->pane().number() == c.pane) parts.push_back(w);
    // The reference rate sets the beam length: its transformed signal's, else its channel's.
    const double sps = ref.transformed() && ref.transformed()->sps > 0 ? ref.transformed()->sps
                       : ref.channel().nominalSps > 0                  ? ref.channel().nominalSps
                                                                       : taking->front().data.sps;
    FkDialogInput input{std::move(*taking), sps, ref.channel().stationIndex, ref.channel().slot};
    CFKResultsDlg dialog(context_, std::move(input), window_.phaseCatalogue(), context_.session().phases(), &window_);
    dialog.formBeam = [this, reference, parts](const FkTypedResult& r) {
        FormBeamPane(window_, *reference, parts, static_cast<float>(r.azimuth), static_cast<float>(r.slowness));
    };
    if (dialog.exec() != QDialog::Accepted) return;
    context_.session().changed(SessionChange::Picks);
}

FkCommands* InstallFkCommands(Workbench& frame, AppContext& context) {
    if (frame.waveforms() == nullptr) return nullptr;
    auto* commands = new FkCommands(context, *frame.waveforms(), frame.waveforms());
    commands->connectTo(frame);
    return commands;
}

}  // namespace zel
