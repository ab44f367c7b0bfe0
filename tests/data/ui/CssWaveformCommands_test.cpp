// The CSS 3.0 waveform commands on the demo disk loop: the selected traces exported, the export
// imported back, and the waveform window showing what came in.

#include "data/ui/CssWaveformCommands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/ui/MainFrame.h"
#include "app/ui/ZelApplication.h"
#include "data/CssWaveformImport.h"
#include "db/Databases.h"
#include "db/Odbc.h"
#include "events/ZELPhases.h"
#include "session/AppContext.h"
#include "support/TestAppPaths.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"

namespace zel {
namespace {

class CssWaveformCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        context = std::make_unique<AppContext>(CommandLineOverrides{}, test::TestAppPaths(dir), messages);
        context->loadConfiguration();
        frame = CreateMainFrame(*context, {.splash = false, .demoData = true});
        frame->setAttribute(Qt::WA_DeleteOnClose, false);
        QApplication::processEvents();
        ASSERT_TRUE(frame->waveforms()->openDefaultView());
        w = frame->waveforms();
        start = w->zoomWindows()[0]->pane().start();
        w->removeAllPanes();
        for (int slot = 0; slot < 3; ++slot) w->addPane(0, slot, start, 120);
        commands = frame->waveforms()->findChild<CssWaveformCommands*>();
        ASSERT_NE(commands, nullptr);
    }
    void TearDown() override {
        delete frame;
    }
    int ImportedRows() {
        Db::Statement st(context->databases().work());
        st.execute("select count(*) from FILELIST where CREATER='CSS2ZEL_import'");
        st.fetch();
        return static_cast<int>(*st.integer(0));
    }

    test::TempDir dir, out;
    RecordingMessageSink messages;
    std::unique_ptr<AppContext> context;
    CMainFrame* frame = nullptr;
    waveform* w = nullptr;
    CssWaveformCommands* commands = nullptr;
    double start = 0;
};

TEST_F(CssWaveformCommandsTest, SelectedTracesGoOutAndComeBackAsTraces) {
    EXPECT_TRUE(frame->action(33210)->isEnabled());
    EXPECT_TRUE(frame->action(33167)->isEnabled());

    commands->exportTo(out.file("x.wfdisc"));  // nothing selected
    ASSERT_FALSE(messages.messages().empty());
    EXPECT_EQ(messages.messages().back().text, "Не выбрано главное окно");
    EXPECT_FALSE(std::filesystem::exists(out.file("x.wfdisc")));

    w->activateAll();
    const std::vector<float> first = w->zoomWindows()[0]->pane().data().blocks.at(0).samples;
    commands->exportTo(out.file("x.wfdisc"));
    std::ifstream in(out.file("x.wfdisc"));
    std::string line;
    int lines = 0;
    while (std::getline(in, line)) ++lines;
    EXPECT_EQ(lines, 3);

    const std::size_t said = messages.messages().size();
    commands->importFolder(out.path().string());
    EXPECT_EQ(messages.messages().size(), said);  // no problem to report
    EXPECT_EQ(ImportedRows(), 3);
    ASSERT_EQ(w->zoomWindows().size(), 3u);
    const TracePane& shown = w->zoomWindows()[0]->pane();
    EXPECT_EQ(shown.channel().stationIndex, 0);
    EXPECT_EQ(shown.start(), start);
    // The imported copy is what the pane holds, sample for sample (integers by default); the pane
    // ends at the last sample's time, which the window may leave out.
    std::vector<float> truncated = first;
    for (float& v : truncated) v = std::trunc(v);
    bool found = false;
    for (const ZELDataBlock& b : shown.data().blocks)
        found = found || (b.begin == start && b.Count() + 1 >= truncated.size() &&
                          std::equal(b.samples.begin(), b.samples.end(), truncated.begin()));
    EXPECT_TRUE(found);
}

}  // namespace
}  // namespace zel
