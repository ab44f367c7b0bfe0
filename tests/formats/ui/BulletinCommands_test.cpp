// The bulletin and phase list file commands in the main frame: a real IMS bulletin loaded into the
// phase list window, a load refused with a message, the event dialog, and a bulletin and an
// all-phases list written and read back through the commands.

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>
#include <fstream>
#include <iterator>

#include "app/ui/MainFrame.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/TravelTimeCommands.h"
#include "events/ZELPhases.h"
#include "events/ui/EventCommands.h"
#include "events/ui/EventDialogs.h"
#include "events/ui/PhaseListSetup.h"
#include "events/ui/PhasesWnd.h"
#include "formats/ui/FormatCommands.h"
#include "formats/ui/ImsEventDialog.h"
#include "session/AppContext.h"
#include "session/Locating.h"
#include "support/TestAppPaths.h"
#include "widgets/Commands.h"

namespace zel {
namespace {

const std::string kRealBulletin = std::string(ZEL_TEST_DATA_DIR) + "/bulletins/ipe202409sel_ims.txt";

Station ThreeComponent(const std::string& code) {
    Station s;
    s.code = code;
    const char* names[] = {"SHZ", "SHN", "SHE"};
    for (int i = 0; i < 3; ++i) {
        s.slots[i].channel = names[i];
        s.slots[i].componentIndex = i + 1;
    }
    return s;
}

TEST(BulletinCommands, BulletinAndPhaseFilesThroughTheFrame) {
    test::TempDir dir;
    RecordingMessageSink messages;
    AppContext context({}, test::TestAppPaths(dir), messages);
    context.loadConfiguration();
    auto frame = std::make_unique<CMainFrame>(context);
    context.openDatabases();
    InstallPhaseList(*frame, context);
    EventCommands* events = InstallEventCommands(*frame, context);
    FormatCommands* commands = InstallFormatCommands(*frame, context, events);
    EXPECT_TRUE(frame->action(cmd::kLoadImsBulletin)->isEnabled());
    EXPECT_TRUE(events->loadReb);
    {
        // "Загрузить REB" of the new-event dialog ends it with its own result, makes no event.
        CNewEventDlg dialog(events->store(), messages, true, frame.get());
        QPushButton* reb = nullptr;
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            if (b->text() == "Загрузить REB") reb = b;
        ASSERT_TRUE(reb);
        reb->click();
        EXPECT_EQ(dialog.result(), CNewEventDlg::kLoadReb);
        EXPECT_TRUE(dialog.createdId().empty());
    }
    auto* window = qobject_cast<CPhasesWnd*>(frame->child(CMainFrame::kPhaseList)->widget());
    ASSERT_TRUE(window);
    QStringList texts;
    for (QAction* a : window->actions()) texts << a->text();
    for (const char* text : {"Загрузить список фаз в формате IMS", "Сохранить результаты обработки в формате REB/IMS",
                             "Загрузить бюллетень в формате NORDIS", "Сохранить список всех фаз",
                             "Загрузить список  фаз из файла", "Добавить список  фаз из файла",
                             "Сохранить список фаз для HYPO71", "*Сохранить список фаз в формате KPW2",
                             "Сохранить список фаз в формате TRAVO"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;

    context.stations() = {ThreeComponent("MORC"), ThreeComponent("VRAC"), ThreeComponent("KRUC")};
    context.session().phases().RemoveAll();

    // The event without coordinates: the picks come, the hypocentre stays invalid.
    ASSERT_TRUE(commands->loadBulletinEvent(kRealBulletin, ImsLayout::Columns, 0, false));
    EXPECT_EQ(context.session().phases().Count(), 3 + 3 * 2);
    EXPECT_FALSE(context.session().event().hypocentreValid);
    EXPECT_EQ(window->table()->model()->rowCount(), 9);

    context.session().distanceEstimates()[1] = 3.5f;
    ASSERT_TRUE(commands->loadBulletinEvent(kRealBulletin, ImsLayout::Columns, 1, false));
    EXPECT_TRUE(context.session().distanceEstimates().empty());
    EXPECT_EQ(context.session().phases().Count(), 9);
    EXPECT_TRUE(context.session().event().hypocentreValid);
    EXPECT_EQ(context.session().event().orid, 2032257);
    // JAVC is not in this station table: its arrival is skipped, and said so once.
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text,
              "Из 7 вступлений события 2032257 пропущено 1: неизвестные станции — 1 (JAVC).");
    messages.clear();

    // An event without its origin is refused with a message and leaves the list alone.
    const std::string noOrigin = dir.file("no-origin.txt");
    std::ofstream(noOrigin) << "EVENT 9\nSta Dist EvAz Phase\nMORC 0.5 10 Pg 12:00:00.0\n";
    EXPECT_FALSE(commands->loadBulletinEvent(noOrigin, ImsLayout::Whitespace, 0, false));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, std::string(kImsNoOrigin) + "9");
    EXPECT_EQ(context.session().phases().Count(), 9);
    messages.clear();

    // The bulletin written by the command reads back to the same picks.
    const std::string bulletin = dir.file("out.txt");
    commands->writeBulletinTo(bulletin);
    const ZELPhases before = context.session().phases();
    ASSERT_TRUE(commands->loadBulletinEvent(bulletin, ImsLayout::Columns, 0, false));
    ASSERT_EQ(context.session().phases().Count(), before.Count());
    for (int i = 0; i < before.Count(); ++i) {
        EXPECT_NEAR(context.session().phases().GetAt(i)->time, before.GetAt(i)->time, 0.005);
        EXPECT_EQ(context.session().phases().GetAt(i)->arid, before.GetAt(i)->arid);
    }
    EXPECT_EQ(context.session().event().orid, 2032257);
    {
        std::ifstream written(bulletin);
        const std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
        EXPECT_NE(text.find("  2.2   1.7  61"), std::string::npos);  // the loaded origin's ellipse
    }
    // Once the hypocentre is set anew (here by hand, without an ellipse), that ellipse is no longer written.
    const CurrentEvent& loaded = context.session().event();
    SetHypocentre(context.session().event(), {loaded.lat + 0.1, loaded.lon, loaded.depth, loaded.originTime, {}});
    commands->writeBulletinTo(bulletin);
    {
        std::ifstream written(bulletin);
        const std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
        EXPECT_EQ(text.find("  2.2   1.7  61"), std::string::npos);
    }

    // The all-phases list: written, then loaded in place of the list and added to it.
    const std::string arr = dir.file("event.arr");
    commands->writePhaseFileTo(FormatCommands::PhaseFile::AllPhases, arr);
    commands->readAllPhasesFrom(arr, true);
    EXPECT_EQ(context.session().phases().Count(), before.Count());
    commands->writePhaseFileTo(FormatCommands::PhaseFile::Hypo71, dir.file("none") + "/x/y.out");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text,
              "Ошибка открытия файла  '" + dir.file("none") + "/x/y.out': No such file or directory");
    context.session().phases().RemoveAll();
    context.session().event() = CurrentEvent{};
}

TEST(BulletinCommands, EventDialogListsEveryEventWithItsOrigin) {
    const std::vector<ImsEvent> events = ReadImsBulletinFile(kRealBulletin, ImsLayout::Columns);
    CSelectIMSEvent dialog(events);
    ASSERT_EQ(dialog.list()->topLevelItemCount(), 3);
    EXPECT_EQ(dialog.windowTitle(), "Выбор EVENT");
    EXPECT_EQ(dialog.list()->topLevelItem(1)->text(0), "2032257");
    EXPECT_EQ(dialog.list()->topLevelItem(1)->text(1), "01/09/2024");
    EXPECT_EQ(dialog.list()->topLevelItem(1)->text(2), "12:33:19.91");
    EXPECT_EQ(dialog.list()->topLevelItem(1)->text(3), "49.8219");
    EXPECT_EQ(dialog.list()->topLevelItem(0)->text(3), "");
    EXPECT_EQ(dialog.chosen(), 0);
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(2));
    EXPECT_EQ(dialog.chosen(), 2);
    EXPECT_FALSE(dialog.phasesOnly());
    dialog.phasesOnlyBox()->setChecked(true);
    EXPECT_TRUE(dialog.phasesOnly());
}

}  // namespace
}  // namespace zel
