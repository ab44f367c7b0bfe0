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
