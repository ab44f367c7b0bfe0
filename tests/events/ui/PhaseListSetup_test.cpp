// The phase list in the main frame of a fresh install: the shipped IASP91 curves are loaded, the
// window replaces the placeholder, its commands are live (the recompute stays off), the exit
// question knows whether the list is empty, and its toolbar follows the active window.

#include "events/ui/PhaseListSetup.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMdiSubWindow>
#include <algorithm>

#include "app/ui/MainFrame.h"
#include "config/ResourceDir.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "events/ui/PhasesWnd.h"
#include "session/AppContext.h"
#include "support/TempDir.h"
#include "widgets/Commands.h"
#include "widgets/ZelToolbar.h"

namespace zel {
namespace {

TEST(PhaseListSetup, TheFrameOfAFreshInstallHasAWorkingPhaseList) {
    test::TempDir dir;
    RecordingMessageSink messages;
    AppPaths paths;
    paths.ini = dir.file("config/ZEL.ini");
    paths.registry = dir.file("config/registry.ini");
    paths.embeddedDatabase = dir.file("data/zel.db");
    paths.demoDiskLoop = dir.file("data/diskloop");
    paths.executableDir = std::string(ZEL_TEST_BIN_DIR) + "/";  // inside the source tree: finds resources/
    paths.resources = FindResourceDir(paths.executableDir);
    AppContext context({}, paths, messages);
    context.loadConfiguration();
    auto frame = std::make_unique<CMainFrame>(context);
    context.openDatabases();
    InstallPhaseList(*frame, context);
    frame->show();
    frame->activateChild(CMainFrame::kWaveforms, true);

    auto* window = qobject_cast<CPhasesWnd*>(frame->child(CMainFrame::kPhaseList)->widget());
    ASSERT_NE(window, nullptr);
    const PhaseCatalogue& catalogue = context.session().catalogue();
    EXPECT_EQ(catalogue.Count(), 64);
    EXPECT_TRUE(catalogue.HasCurve(catalogue.IndexOf("P")));
    EXPECT_FALSE(catalogue.HasCurve(catalogue.IndexOf("Lg")));
    // A fresh install picks with the local set: seven phases to choose from, not the whole catalogue.
    const std::vector<int> offered = OfferedPhases(catalogue, LoadPhaseSets(context.ini()));
    EXPECT_EQ(offered.size(), 7u);
    for (const char* name : {"Pg", "Sg", "Pn", "Sn", "Lg", "P", "S"})
        EXPECT_NE(std::find(offered.begin(), offered.end(), catalogue.IndexOf(name)), offered.end()) << name;

    EXPECT_TRUE(frame->action(cmd::kInsertPhase)->isEnabled());
    EXPECT_TRUE(frame->action(cmd::kDeletePhase)->isEnabled());
    EXPECT_TRUE(frame->action(cmd::kClearPhaseList)->isEnabled());
    EXPECT_FALSE(frame->action(cmd::kRecomputeResiduals)->isEnabled());

    ZELPhases& list = context.session().phases();
    list.RemoveAll();
    EXPECT_TRUE(list.Empty());
    SEISMIC_PHASE pick;
    pick.phaseIndex = catalogue.IndexOf("Pn");
    SetPickTime(pick, 1371212400.0);
    const auto firstArid = list.Add(pick).arid;
    EXPECT_GT(firstArid, 0);  // drawn from the embedded database
    window->rebuildRows();
    EXPECT_FALSE(list.Empty());
    EXPECT_EQ(window->model()->rowCount(), 1);
    frame->action(cmd::kClearPhaseList)->trigger();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(window->model()->rowCount(), 0);

    EXPECT_FALSE(frame->toolbar("PHASELIST")->isVisible());
    frame->activateChild(CMainFrame::kPhaseList, true);
    EXPECT_TRUE(frame->toolbar("PHASELIST")->isVisible());
    frame->activateChild(CMainFrame::kWaveforms, true);
    EXPECT_FALSE(frame->toolbar("PHASELIST")->isVisible());

    frame.reset();
    list.Add(pick);  // the list is the session's, not the frame's: it keeps drawing keys
    EXPECT_GT(list.GetAt(0)->arid, firstArid);
    list.RemoveAll();
}

}  // namespace
}  // namespace zel
