// A network's own data through the frame: a MiniSEED archive connected from the Functions menu,
// a StationXML inventory made the station table (refused while picks name the old one), and the
// current event written as QuakeML and read back into the phase list.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <filesystem>

#include "data/ui/NetworkDataCommands.h"
#include "events/PhaseCatalogue.h"
#include "events/SeismicPhase.h"
#include "events/ZELPhases.h"
#include "formats/QuakeMl.h"
#include "formats/ui/FormatCommands.h"
#include "support/ui/DemoFrameTest.h"
#include "widgets/Commands.h"

namespace zel {
namespace {

const std::string kData = ZEL_TEST_DATA_DIR;

class NetworkDataCommandsTest : public test::DemoFrameTest {
  protected:
    void SetUp() override { openDemoFrame(); }
    std::string lastMessage() const { return messages.messages().empty() ? "" : messages.messages().back().text; }
};

TEST_F(NetworkDataCommandsTest, ArchiveInventoryAndQuakeMlFromTheMenus) {
    const QList<QAction*> functions = frame->menu(cmd::Menu::Functions)->actions();
    EXPECT_TRUE(functions.contains(frame->action(cmd::kConnectArchive)));
    EXPECT_TRUE(functions.contains(frame->action(cmd::kImportStationXml)));
    auto* network = frame->findChild<NetworkDataCommands*>();
    auto* formats = frame->findChild<FormatCommands*>();
    ASSERT_NE(network, nullptr);
    ASSERT_NE(formats, nullptr);

    // An SDS day file of a station the table does not have: catalogued and named.
    const std::filesystem::path root = dir.file("sds");
    const std::filesystem::path day = root / "2003/NL/HGN/BHZ.D/NL.HGN.00.BHZ.D.2003.149";
    std::filesystem::create_directories(day.parent_path());
    std::filesystem::copy_file(kData + "/mseed/test.mseed", day);
    network->connectArchive(root.string());
    EXPECT_NE(lastMessage().find("строк каталога добавлено: 1"), std::string::npos) << lastMessage();
    EXPECT_NE(lastMessage().find("NL.HGN.00.BHZ"), std::string::npos) << lastMessage();

    // A pick names its station by position in the table: no import under it.
    Session& session = context->session();
    SEISMIC_PHASE pick;
    pick.stationIndex = 0;
    pick.channelIndex = 0;
    pick.phaseIndex = session.catalogue().IndexOf("Pg");
    ASSERT_TRUE(SetPickTime(pick, 1371212430.25));
    session.phases().Add(pick);
    const std::size_t stationsBefore = context->stations().size();
    network->importStations(kData + "/stationxml/IU_ANMO_BH.xml");
    EXPECT_NE(lastMessage().find("Список фаз не пуст"), std::string::npos) << lastMessage();
    EXPECT_EQ(context->stations().size(), stationsBefore);

    // The event goes out as QuakeML and its pick comes back from it.
    session.event().eventId = "qmltest";
    const std::string qml = dir.file("event.xml");
    formats->writeQuakeMlTo(qml);
    ASSERT_EQ(ReadQuakeMl(qml).size(), 1u);
    session.phases().RemoveAll();
    ASSERT_TRUE(formats->loadQuakeMlEvent(qml, 0));
    ASSERT_EQ(session.phases().Count(), 1);
    EXPECT_NEAR(session.phases().GetAt(0)->time, 1371212430.25, 1e-3);
    EXPECT_EQ(session.phases().GetAt(0)->stationIndex, 0);

    session.phases().RemoveAll();
    network->importStations(kData + "/stationxml/IU_ANMO_BH.xml");
    EXPECT_EQ(context->stations().size(), stationsBefore + 1) << lastMessage();
    EXPECT_GE(FindStation(context->stations(), "ANMO"), 0);
}

}  // namespace
}  // namespace zel
