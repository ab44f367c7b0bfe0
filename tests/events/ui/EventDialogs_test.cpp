// The event commands in the main frame of a fresh install: new event, save, load, and the
// selection dialog's list, limits, create and delete, and the processed-events window, driven
// through their widgets.

#include "events/ui/EventDialogs.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QSpinBox>
#include <QTreeWidget>

#include "app/ui/MainFrame.h"
#include "config/ResourceDir.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "events/ui/EventCommands.h"
#include "events/ui/GetArrivalsDlg.h"
#include "events/ui/PhaseListSetup.h"
#include "events/ui/PhasesWnd.h"
#include "events/ui/ShowOrigins.h"
#include "session/AppContext.h"
#include "support/TempDir.h"
#include "widgets/Commands.h"

namespace zel {
namespace {

TEST(EventCommands, NewEventSaveAndLoadThroughTheFrameAndItsDialogs) {
    test::TempDir dir;
    RecordingMessageSink messages;
    AppPaths paths;
    paths.ini = dir.file("config/ZEL.ini");
    paths.registry = dir.file("config/registry.ini");
    paths.embeddedDatabase = dir.file("data/zel.db");
    paths.demoDiskLoop = dir.file("data/diskloop");
    paths.executableDir = std::string(ZEL_TEST_BIN_DIR) + "/";
    paths.resources = FindResourceDir(paths.executableDir);
    AppContext context({}, paths, messages);
    context.loadConfiguration();
    auto frame = std::make_unique<CMainFrame>(context);
    context.openDatabases();
    CPhasesWnd* window = InstallPhaseList(*frame, context);
    EventCommands* commands = InstallEventCommands(*frame, context);
    for (int id : {cmd::kSavePhaseListDb, cmd::kLoadPhaseListDb, cmd::kNewEvent})
        EXPECT_TRUE(frame->action(id)->isEnabled()) << id;
    EXPECT_TRUE(frame->savePhaseList);

    context.stations().resize(1);
    context.stations()[0].code = "OBN";
    context.stations()[0].slots[0].channel = "SHZ";
    ZELPhases& list = context.session().phases();
    CurrentEvent& event = context.session().event();

    // A new event clears the list; a taken id is refused and the dialog stays open.
    SEISMIC_PHASE pick;
    pick.phaseIndex = context.session().catalogue().IndexOf("P");
    SetPickTime(pick, 1371212400.0);
    list.Add(pick);
    CNewEventDlg first(commands->store(), messages, true);
    EXPECT_EQ(first.idEdit()->text().size(), 14);  // the local time as the default id
    first.idEdit()->setText("E1");
    first.commentEdit()->setText("Kamchatka's");
    first.accept();
    EXPECT_EQ(first.result(), QDialog::Accepted);
    EXPECT_EQ(event.eventId, PadEventId("E1"));
    EXPECT_TRUE(list.Empty());
    CNewEventDlg again(commands->store(), messages, true);
    again.idEdit()->setText("E1");
    again.accept();
    EXPECT_NE(again.result(), QDialog::Accepted);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, kDuplicateEventId);
    messages.clear();

    list.Add(pick);
    EventListRow current;
    current.eventId = event.eventId;
    EXPECT_TRUE(commands->saveInto(current));
    list.RemoveAll();
    window->rebuildRows();
    commands->loadFrom("E1", true);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(window->model()->rowCount(), 1);
    EXPECT_EQ(event.comment, "Kamchatka's");
    EXPECT_TRUE(messages.messages().empty());

    // The selection dialog: limits, the unsaved current event as first row, create, delete.
    commands->store().CreateEventRow("E2", "second");
    event.eventId = PadEventId("UNSAVED");
    CSelectPhaseGroup select(commands->store(), event, messages, &context.ini(), CSelectPhaseGroup::kSave);
    EXPECT_EQ(select.list()->topLevelItemCount(), 3);
    EXPECT_EQ(select.list()->currentItem(), select.list()->topLevelItem(0));
    EXPECT_EQ(select.list()->topLevelItem(0)->text(0).trimmed(), "UNSAVED");
    select.maxBox()->setValue(1);
    select.allBox()->setChecked(false);
    EXPECT_EQ(select.list()->topLevelItemCount(), 2);  // the newest one and the current event

    select.allBox()->setChecked(true);
    for (int i = 0; i < select.list()->topLevelItemCount(); ++i)
        if (select.list()->topLevelItem(i)->text(0).trimmed() == "E2")
            select.list()->setCurrentItem(select.list()->topLevelItem(i));
    messages.queueAnswer(MessageAnswer::No);
    select.deleteSelected();
    EXPECT_EQ(select.list()->topLevelItemCount(), 3);
    messages.queueAnswer(MessageAnswer::Yes);
    select.deleteSelected();
    EXPECT_EQ(select.list()->topLevelItemCount(), 2);
    EXPECT_FALSE(commands->store().EventExists("E2"));
    EXPECT_EQ(messages.messages().at(0).caption, "Предупреждение");

    select.list()->setCurrentItem(select.list()->topLevelItem(0));
    select.accept();
    ASSERT_TRUE(select.chosen());
    EXPECT_EQ(TrimEventId(select.chosen()->eventId), "UNSAVED");
    EXPECT_EQ(context.ini().getInt("SelectPhaseGroup", "MaxEvents", 0), 1);
    context.ini().writeString("InitialIndexList", "Columns Width", "150,0,-5");
    CSelectPhaseGroup widths(commands->store(), event, messages, &context.ini(), CSelectPhaseGroup::kLoad);
    EXPECT_EQ(widths.list()->columnWidth(0), 150);
    EXPECT_EQ(widths.list()->columnWidth(1), select.list()->columnWidth(1));  // 0 keeps the built-in width
    widths.list()->setColumnWidth(2, 77);
    widths.reject();
    EXPECT_TRUE(context.ini().getString("InitialIndexList", "Columns Width").starts_with("150,"));
    EXPECT_NE(context.ini().getString("InitialIndexList", "Columns Width").find(",77,"), std::string::npos);

    // The processed-events window lists what is stored and remembers whether it is open.
    frame->action(cmd::kShowOrigins)->trigger();
    CShowOrigins* origins = commands->origins();
    EXPECT_TRUE(origins->isVisible());
    EXPECT_EQ(context.ini().getInt("SHOWORIGINS", "SHOWWINDOW", 0), 1);
    ASSERT_EQ(origins->list()->topLevelItemCount(), 1);
    EXPECT_EQ(origins->list()->topLevelItem(0)->text(0), "E1");
    commands->store().CreateEventRow("E3", "");
    commands->loadFrom("E3", true);  // a load refreshes the open window
    EXPECT_EQ(origins->list()->topLevelItemCount(), 2);
    origins->close();
    EXPECT_EQ(context.ini().getInt("SHOWORIGINS", "SHOWWINDOW", 1), 0);

    frame.reset();
    list.RemoveAll();
    event = CurrentEvent{};
}

TEST(GetArrivals, TheWindowIsReadInUtcAndOnlyCheckedRowsAreTaken) {
    RecordingMessageSink messages;
    std::vector<std::pair<double, double>> asked;
    auto reader = [&asked](double from, double to) {
        asked.emplace_back(from, to);
        DetectionRow p;
        p.station = "OBN";
        p.time = 1615896004.0;  // 16.03.2021 12:00:04
        p.phase = "P";
        p.difference = 4.0;
        p.checked = true;
        DetectionRow n;
        n.station = "ARU";
        n.time = 1615896100.0;
        return std::vector<DetectionRow>{p, n};
    };
    CGetArrivalsDlg dialog(reader, messages, 1615896000.0, 1615899600.0);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_pair(1615896000.0, 1615899600.0));
    EXPECT_EQ(dialog.fromEdit()->text(), "16.03.2021 12:00:00");
    ASSERT_EQ(dialog.list()->topLevelItemCount(), 2);
    EXPECT_EQ(dialog.list()->topLevelItem(0)->text(2), "16.03.2021 12:00:04");
    EXPECT_EQ(dialog.list()->topLevelItem(0)->text(3), "4.000");
    EXPECT_EQ(dialog.list()->topLevelItem(1)->text(3), "");
    EXPECT_EQ(dialog.checkedRows().size(), 1u);
    dialog.list()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    dialog.list()->topLevelItem(1)->setCheckState(0, Qt::Checked);
    const std::vector<DetectionRow> taken = dialog.checkedRows();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].station, "ARU");
}

}  // namespace
}  // namespace zel
