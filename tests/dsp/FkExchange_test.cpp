// The exchange files of the external F-K module, and the stand-in module answering through them.

#include "dsp/FkExchange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "data/CssWaveformImport.h"
#include "data/demo/DemoDiskLoop.h"
#include "support/TempDir.h"

namespace zel {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

TEST(FkExchange, FilesAreWrittenAnewAndStaleResultsRemoved) {
    TempDir dir;
    const std::string exchange = dir.file("fk");
    std::filesystem::create_directories(exchange);
    WriteFile(exchange + "/results", "0.1 45\n");
    WriteFile(exchange + "/data.w", std::string(1000, 'x'));
    // Marks [1, 3] at 2 sps: 4 samples at 1, 1.5, 2, 2.5; the sample at 3 lies on the mark's end.
    FkChannel a{{0, 1, 2, 3, 4, 5, 6, 7}, 0.5, 2.0, 3.0, 1.0, 0.6, -0.2};
    FkChannel b{{9, 9, 9, 9}, 1.0, 2.0, 1.0, 2.0, 0.0, 1.5};  // shorter window: 1 s
    const FkExchangeFiles files = WriteFkExchange(exchange, {{"BKA1", "SHZ", a}, {"BKA2", "SHZ", b}});
    EXPECT_FALSE(std::filesystem::exists(files.results));
    EXPECT_EQ(files.window, 1.0);

    const std::vector<std::string> lines = Lines(files.wfdisc);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(ReadFile(files.wfdisc).size(), 2 * 284u);
    const WfdiscRecord first = ParseWfdiscLine(lines[0]).value();
    EXPECT_EQ(first.chan, "shz");
    EXPECT_EQ(first.nsamp, 4);
    EXPECT_EQ(first.time, 1.0);
    EXPECT_EQ(first.endtime, 2.5);
    EXPECT_EQ(first.datatype, "f4");
    EXPECT_EQ(ParseWfdiscLine(lines[1]).value().foff, 16);
    const std::string bytes = ReadFile(files.samples);
    ASSERT_EQ(bytes.size(), 24u);  // 4 + 2 samples, the old content gone
    EXPECT_EQ(ConvertWfdiscSamples("f4", bytes), (std::vector<float>{1, 2, 3, 4, 9, 9}));
    const auto sites = ReadFkSiteFile(files.site);
    ASSERT_EQ(sites.size(), 2u);
    EXPECT_EQ(sites[1].station, "BKA2");
    EXPECT_EQ(sites[1].deast, 1.5);
    EXPECT_FALSE(ReadFkResults(files.results));
}

TEST(FkExchange, StandInModuleFindsAPlaneWaveThroughTheFiles) {
    constexpr double kDeg = std::numbers::pi / 180;
    const double baz = 130.0, s = 0.1;
    std::vector<FkExchangeChannel> channels;
    for (const demo::DemoStation& st : demo::DemoStations()) {
        if (std::string(st.refsta) != "BKA0") continue;
        FkChannel c{{}, 100.0, st.sps, 104.0, 108.0, st.dnorth, st.deast};
        const double arrival =
            106.0 - s * (std::sin(baz * kDeg) * st.deast + std::cos(baz * kDeg) * st.dnorth);
        for (int k = 0; k < 1000; ++k) {
            const double a = std::numbers::pi * 3.0 * (c.start + k / c.sps - arrival);
            c.samples.push_back(static_cast<float>((1 - 2 * a * a) * std::exp(-a * a)));
        }
        channels.push_back({st.code, "SHZ", c});
    }
    TempDir dir;
    const FkExchangeFiles files = WriteFkExchange(dir.file("x"), channels);
    const std::string command = std::string("\"") + ZEL_FK_MODULE + "\" \"" + files.wfdisc + "\" \"" +
                                files.results + "\" " + std::to_string(files.window);
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto r = ReadFkResults(files.results);
    ASSERT_TRUE(r);
    EXPECT_NEAR(r->slowness, s, 0.01);
    EXPECT_NEAR(r->azimuth, baz, 5.0);
}

}  // namespace
}  // namespace zel
