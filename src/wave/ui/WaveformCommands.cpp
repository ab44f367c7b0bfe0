#include "wave/ui/WaveformCommands.h"

#include <QAction>
#include <QSignalBlocker>

#include "wave/ui/waveform.h"
#include "widgets/Workbench.h"

namespace zel {

void CreateNavigationCommands(Workbench& frame, waveform& window) {
    const std::pair<int, NavCommand> navigation[] = {
        {cmd::kShiftEarlier, NavCommand::ShiftEarlier},
        {cmd::kShiftLater, NavCommand::ShiftLater},
        {cmd::kPageEarlier, NavCommand::PageEarlier},
        {cmd::kPageLater, NavCommand::PageLater},
        {cmd::kShiftUp, NavCommand::ShiftUp},
        {cmd::kShiftDown, NavCommand::ShiftDown},
        {cmd::kReturn, NavCommand::Return},
        {cmd::kCompressTime, NavCommand::CompressTime},
        {cmd::kCompressTimePane, NavCommand::CompressTime},
        {cmd::kCompressAmplitude, NavCommand::CompressAmplitude},
        {cmd::kCompressAmplitudePane, NavCommand::CompressAmplitude},
        {cmd::kStretchTime, NavCommand::StretchTime},
        {cmd::kStretchTimePane, NavCommand::StretchTime},
        {cmd::kStretchAmplitude, NavCommand::StretchAmplitude},
        {cmd::kStretchAmplitudePane, NavCommand::StretchAmplitude},
        {cmd::kCentrePanes, NavCommand::Centre},
        {cmd::kCentre, NavCommand::Centre},
        {cmd::kAlignAmplitude, NavCommand::AlignAmplitude},
        {cmd::kOneScale, NavCommand::OneScale},
    };
    for (auto [id, nav] : navigation) frame.bind(id, &window, [&window, nav = nav] { window.navigate(nav); });

    const std::pair<int, PaneOrder> sorts[] = {
        {cmd::kSortByStationIndex, PaneOrder::StationIndex},
        {cmd::kSortByPickTime, PaneOrder::PickTime},
        {cmd::kSortByName, PaneOrder::Name},
        {cmd::kSortByActivation, PaneOrder::Activation},
        {cmd::kSortByDistance, PaneOrder::Distance},
        {cmd::kSortByAmplitude, PaneOrder::Amplitude},
        {cmd::kSortByMb, PaneOrder::Mb},
        {cmd::kSortPanes, PaneOrder::Activation},
    };
    for (auto [id, order] : sorts) frame.bind(id, &window, [&window, order = order] { window.sortPanes(order); });

    QAction* align = frame.action(cmd::kAlignTime);
    align->setCheckable(true);
    align->setChecked(window.timeAligned());
    frame.bindToggle(cmd::kAlignTime, &window, [&window, align](bool on) {
        if (window.setTimeAligned(on)) return;
        const QSignalBlocker quiet(align);
        align->setChecked(false);
    });

    QAction* pickMode = frame.action(cmd::kPickMode);
    pickMode->setCheckable(true);
    pickMode->setChecked(window.pickMode());
    frame.bindToggle(cmd::kPickMode, &window, [&window](bool on) { window.setPickMode(on); });
    // Pick mode also ends in the window (Escape, a finished pick): the menu item follows.
    QObject::connect(&window, &waveform::pickModeChanged, pickMode, [pickMode](bool on) {
        const QSignalBlocker quiet(pickMode);
        pickMode->setChecked(on);
    });
    // The keys that pick where the pointer is.
    frame.bind(cmd::kKeyPickP, &window, [&window] { window.keyPick("P"); });
    frame.bind(cmd::kKeyPickS, &window, [&window] { window.keyPick("S"); });
    for (int n = 1; n <= 9; ++n)
        frame.bind(cmd::kKeyPickSet1 + n - 1, &window, [&window, n] { window.keyPickFromSet(n); });
    frame.bind(cmd::kDeleteNearestPick, &window, [&window] { window.deleteNearestPick(); });
    frame.bind(cmd::kKeyAmplitude, &window, [&window] { window.measureAfterNearestPick(); });
    frame.bind(cmd::kDeleteMarks, &window, [&window] { window.deleteMarks(); });
    frame.bind(cmd::kAlignMarks, &window, [&window] { window.alignMarks(); });

    frame.bind(cmd::kAddChannels, &window, [&window] { window.addChannelsDialog(); });
    frame.bind(cmd::kRebuildPanes, &window, [&window] { window.rebuildFromSelection(); });
    frame.bind(cmd::kNewPane, &window, [&window] { window.newPaneDialog(); });
    frame.bind(cmd::kChooseStationChannel, &window, [&window] { window.chooseMainStationChannel(); });
    frame.bind(cmd::kDeleteActivePanes, &window, [&window] { window.deleteFirstActive(); });
    frame.bind(cmd::kSaveChannelList, &window, [&window] { window.saveChannelListDialog(); });
    frame.bind(cmd::kLoadChannelList, &window, [&window] { window.loadChannelListDialog(); });
}

}  // namespace zel
