#pragma once
// A test that drives the whole frame of a first start on the demo disk loop: the context of a
// fresh temporary install, the frame with its demo data, shown at a size where every pane fits.

#include <gtest/gtest.h>

#include <QApplication>
#include <functional>
#include <memory>

#include "app/ui/MainFrame.h"
#include "app/ui/ZelApplication.h"
#include "base/MessageSink.h"
#include "session/AppContext.h"
#include "support/TempDir.h"
#include "support/TestAppPaths.h"

namespace zel::test {

class DemoFrameTest : public ::testing::Test {
  protected:
    // `configure` may write settings the frame reads as it starts; `commandLine` is the run's
    // command line (a working database other than the embedded one, for instance).
    void openDemoFrame(const std::function<void(AppContext&)>& configure = {}) {
        context = std::make_unique<AppContext>(commandLine, TestAppPaths(dir), messages);
        context->loadConfiguration();
        if (configure) configure(*context);
        frame = CreateMainFrame(*context, {.splash = false, .demoData = true});
        frame->setAttribute(Qt::WA_DeleteOnClose, false);
        frame->resize(1200, 900);
        frame->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        delete frame;
        frame = nullptr;
        context.reset();
    }

    TempDir dir;
    CommandLineOverrides commandLine;
    RecordingMessageSink messages;
    std::unique_ptr<AppContext> context;
    CMainFrame* frame = nullptr;
};

}  // namespace zel::test
