#include "wave/ui/WaveformCommands.h"

#include <QAction>
#include <QSignalBlocker>

#include "app/ui/MainFrame.h"
#include "wave/ui/waveform.h"

namespace zel {
namespace {

// Command ids of the waveform window's menu and toolbar.
enum : int {
    kAddChannels = 32701,
    kRebuild = 32771,
    kNewPane = 33202,
    kChooseChannel = 33201,
    kDeleteActive = 33212,
    kSaveList = 33144,
    kLoadList = 33143,
    kAlignTime = 33057,
    kPickMode = 32712,
    kDeleteMarks = 33135,
    kAlignMarks = 32775,
};

}  // namespace

void CreateNavigationCommands(CMainFrame& frame, waveform& window) {
    auto command = [&](int id, auto handler) {
        QAction* a = frame.action(id);
        a->setEnabled(true);
        QObject::connect(a, &QAction::triggered, &window, handler);
    };
    const std::pair<int, NavCommand> navigation[] = {
        {33017, NavCommand::ShiftEarlier},
        {33018, NavCommand::ShiftLater},
        {33019, NavCommand::ShiftUp},
        {33020, NavCommand::ShiftDown},
        {33023, NavCommand::Return},
        {33022, NavCommand::CompressTime},
        {32779, NavCommand::CompressTime},
        {33016, NavCommand::CompressAmplitude},
        {33025, NavCommand::CompressAmplitude},
        {33021, NavCommand::StretchTime},
        {32777, NavCommand::StretchTime},
        {33015, NavCommand::StretchAmplitude},
        {32776, NavCommand::StretchAmplitude},
        {33056, NavCommand::Centre},
        {32780, NavCommand::Centre},
        {32774, NavCommand::AlignAmplitude},
        {33169, NavCommand::OneScale},
    };
    for (auto [id, nav] : navigation) command(id, [&window, nav = nav] { window.navigate(nav); });

    const std::pair<int, PaneOrder> sorts[] = {
        {33165, PaneOrder::StationIndex}, {33166, PaneOrder::PickTime},   {33203, PaneOrder::Name},
        {33204, PaneOrder::Activation},   {33211, PaneOrder::Distance},   {33220, PaneOrder::Amplitude},
        {33221, PaneOrder::Mb},           {33209, PaneOrder::Activation},
    };
    for (auto [id, order] : sorts) command(id, [&window, order = order] { window.sortPanes(order); });

    QAction* align = frame.action(kAlignTime);
    align->setEnabled(true);
    align->setCheckable(true);
    align->setChecked(waveform::timeAligned());
    QObject::connect(align, &QAction::toggled, &window, [&window, align](bool on) {
        if (window.setTimeAligned(on)) return;
        const QSignalBlocker quiet(align);
        align->setChecked(false);
    });

    QAction* pickMode = frame.action(kPickMode);
    pickMode->setEnabled(true);
    pickMode->setCheckable(true);
    pickMode->setChecked(window.pickMode());
    QObject::connect(pickMode, &QAction::toggled, &window, [&window](bool on) { window.setPickMode(on); });
    // Pick mode also ends in the window (Escape, a finished pick): the menu item follows.
    QObject::connect(&window, &waveform::pickModeChanged, pickMode, [pickMode](bool on) {
        const QSignalBlocker quiet(pickMode);
        pickMode->setChecked(on);
    });
    command(kDeleteMarks, [&window] { window.deleteMarks(); });
    command(kAlignMarks, [&window] { window.alignMarks(); });

    command(kAddChannels, [&window] { window.addChannelsDialog(); });
    command(kRebuild, [&window] { window.rebuildFromSelection(); });
    command(kNewPane, [&window] { window.newPaneDialog(); });
    command(kChooseChannel, [&window] { window.chooseMainStationChannel(); });
    command(kDeleteActive, [&window] { window.deleteFirstActive(); });
    command(kSaveList, [&window] { window.saveChannelListDialog(); });
    command(kLoadList, [&window] { window.loadChannelListDialog(); });
}

}  // namespace zel
