// Sample files that go away under open panes (deleted, cut short, a folder put in their place by
// a cleaning job or another program): reloading and moving the panes tell the analyst which file
// is missing or short, keep the samples that still exist, and draw the rest as a gap.

#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <filesystem>

#include "data/Catalogue.h"
#include "data/SampleFile.h"
#include "db/Databases.h"
#include "session/AppContext.h"
#include "support/ui/DemoFrameTest.h"
#include "wave/Navigation.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

class VanishingSampleFileTest : public test::DemoFrameTest {
  protected:
    void SetUp() override { openDemoFrame(); }

    struct SampleFileOfPane {
        std::string path;  // on disk
        CatalogueFile row;
    };
    // The files that hold samples of a pane's window.
    std::vector<SampleFileOfPane> FilesOf(const TracePane& pane) {
        const CatalogueSettings settings = context->catalogueSettings();
        std::vector<SampleFileOfPane> files;
        for (const CatalogueFile& f :
             ListCatalogueFiles(context->databases().work(), pane.channel().station, std::nullopt,
                                {pane.channel().channel}))
            if (f.begin < pane.start() + pane.duration() && f.begin + f.duration > pane.start())
                files.push_back({SampleFilePath(settings.dataDir, f.path, !IsAbsoluteCatalogPath(f.path)), f});
        return files;
    }
    static std::size_t Samples(const TracePane& pane) {
        std::size_t n = 0;
        for (const ZELDataBlock& b : pane.data().blocks) n += b.Count();
        return n;
    }
    // The one message the last step showed.
    std::string OnlyMessage() {
        EXPECT_EQ(messages.messages().size(), 1u);
        const std::string text = messages.messages().empty() ? "" : messages.messages().back().text;
        messages.clear();
        return text;
    }
};

TEST_F(VanishingSampleFileTest, DeletedShortOrReplacedFilesAreNamedAndLeaveGaps) {
    waveform* w = frame->waveforms();
    ASSERT_GE(w->zoomWindows().size(), 3u);
    CZoomWindow* deleted = w->zoomWindows()[0];
    CZoomWindow* shortened = w->zoomWindows()[1];
    CZoomWindow* replaced = w->zoomWindows()[2];
    const std::size_t full = Samples(shortened->pane()), fullReplaced = Samples(replaced->pane());
    ASSERT_GT(full, 0u);
    const auto gone = FilesOf(deleted->pane());
    const auto cut = FilesOf(shortened->pane());
    const auto folder = FilesOf(replaced->pane());
    ASSERT_FALSE(gone.empty());
    ASSERT_FALSE(folder.empty());
    messages.clear();

    for (const auto& f : gone) fs::remove(f.path);
    // A file wholly inside the pane's window is cut in its middle.
    const TracePane& p = shortened->pane();
    const auto under = std::find_if(cut.begin(), cut.end(), [&](const SampleFileOfPane& f) {
        return f.row.begin >= p.start() && f.row.begin + f.row.duration <= p.start() + p.duration();
    });
    ASSERT_NE(under, cut.end());
    const CatalogueFile& row = under->row;
    fs::resize_file(under->path, static_cast<std::uintmax_t>(row.foff.value_or(512)) +
                                     static_cast<std::uintmax_t>(row.duration / 2 * row.sps) *
                                         static_cast<std::uintmax_t>(BytesPerSample(row.encoding)));
    fs::remove(folder[0].path);
    fs::create_directory(folder[0].path);

    w->reload(deleted);
    const std::string missing = OnlyMessage();
    for (const auto& f : gone) EXPECT_NE(missing.find("Нет файла данных: " + f.path), std::string::npos) << missing;
    EXPECT_EQ(Samples(deleted->pane()), 0u);

    w->reload(shortened);
    EXPECT_EQ(OnlyMessage(), "Файл данных короче, чем указано в каталоге: " + under->path);
    EXPECT_GT(Samples(shortened->pane()), 0u);
    EXPECT_LT(Samples(shortened->pane()), full);

    w->reload(replaced);
    EXPECT_EQ(OnlyMessage(), "Нет файла данных: " + folder[0].path);
    EXPECT_GT(Samples(replaced->pane()), 0u) << "the other files of the window are still read";
    EXPECT_LT(Samples(replaced->pane()), fullReplaced);

    // Moving the pane reads again: the same clear message, and the frame still draws.
    w->clickPlot(deleted);
    messages.clear();
    w->navigate(NavCommand::ShiftLater);
    EXPECT_NE(OnlyMessage().find("Нет файла данных: "), std::string::npos);
    QApplication::processEvents();
    EXPECT_FALSE(frame->grab().isNull());
}

}  // namespace
}  // namespace zel
