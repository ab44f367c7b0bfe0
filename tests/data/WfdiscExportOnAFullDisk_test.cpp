// The wfdisc export when the disk fills up: the analyst is told, the earlier export of that name
// is left as it was (index and sample files), and no temporary file stays behind.

#include <gtest/gtest.h>

#include "data/CssWaveformImport.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

namespace zel {
namespace {

TEST(WfdiscExportOnAFullDisk, TheEarlierExportStaysWhole) {
    ZELDataBlockArray channel;
    channel.station = "OBN";
    channel.channel = "SHZ";
    channel.blocks.emplace_back(1615896000.0, 20.0, std::vector<float>(400, 1.5f));
    const XZELDataBlockArrays channels = {channel};

    test::TempDir dir;
    const std::string index = dir.file("x.wfdisc");
    ExportWfdisc(index, channels, WfdiscExportFormat::Float32Le);
    const std::string listing = test::FolderListing(dir.path().string());
    const std::string oldIndex = test::ReadFile(index);
    const std::string samples = dir.file(ParseWfdiscLine(oldIndex.substr(0, kWfdiscLineLength))->dfile);
    const std::string oldSamples = test::ReadFile(samples);
    ASSERT_EQ(oldSamples.size(), 1600u);

    // The new samples are other numbers in another format: a half-written file would show.
    channel.blocks[0].samples.assign(400, -7.0f);
    for (std::size_t limit : {std::size_t{0}, std::size_t{1000}}) {
        const auto failure = test::FailureWithFileSizeLimit(
            limit, [&] { ExportWfdisc(index, {channel}, WfdiscExportFormat::Int32Le); });
        ASSERT_TRUE(failure) << "the export was reported written";
        EXPECT_EQ(*failure, "Ошибка записи файла wfdisc");
        EXPECT_EQ(test::ReadFile(index), oldIndex);
        EXPECT_EQ(test::ReadFile(samples), oldSamples);
        EXPECT_EQ(test::FolderListing(dir.path().string()), listing);
    }
}

}  // namespace
}  // namespace zel
