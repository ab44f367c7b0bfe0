// zelbatch's waveform commands on the demo disk loop of the embedded default: samples read
// against the sample files' own bytes, filters, the detector against the demo's true arrivals,
// rendering, and bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

#include "base/PrivateProfile.h"
#include "data/demo/DemoDiskLoop.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"
#include "wave/FilterSettings.h"

namespace zel::test {
namespace {

constexpr double kFileStart = 1371211200.0;  // 2013-06-14 12:00:00, the demo's first file
constexpr double kWindowStart = 1371211700.0;  // 12:08:20, before the local event's P at ARS

struct Sample {
    double time;
    double value;
};

std::vector<Sample> ParseSamples(const std::string& text) {
    std::vector<Sample> samples;
    std::istringstream in(text);
    Sample s{};
    while (in >> s.time >> s.value) samples.push_back(s);
    return samples;
}

double Rms(const std::vector<Sample>& samples) {
    double mean = 0, sum = 0;
    for (const Sample& s : samples) mean += s.value;
    mean /= static_cast<double>(samples.size());
    for (const Sample& s : samples) sum += (s.value - mean) * (s.value - mean);
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

std::vector<float> LittleEndianFloats(const std::string& bytes, std::size_t offset, std::size_t count) {
    std::vector<float> values(count);
    if (bytes.size() < offset + count * 4) return {};
    std::memcpy(values.data(), bytes.data() + offset, count * 4);  // the test machines are little-endian
    return values;
}

class BatchWaveDemo : public ::testing::Test {
  protected:
    // One home for the suite: every run would otherwise build the demo loop anew.
    static void SetUpTestSuite() {
        home = new TempDir;
        ProgramResult r = Run({"stations"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
    }
    static void TearDownTestSuite() {
        delete home;
        home = nullptr;
    }
    static ProgramResult Run(const std::vector<std::string>& args) {
        std::vector<std::string> argv{ZEL_BATCH};
        argv.insert(argv.end(), args.begin(), args.end());
        return RunProgram(argv, {},
                          {{"XDG_CONFIG_HOME", home->file("config")}, {"XDG_DATA_HOME", home->file("data")}});
    }
    static std::vector<std::string> Window(const std::string& from, const std::string& to) {
        return {"--station", "ARS", "--channel", "SHZ", "--from", from, "--to", to};
    }
    static std::vector<std::string> With(std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
    static TempDir* home;
};

TempDir* BatchWaveDemo::home = nullptr;

TEST_F(BatchWaveDemo, ReadGivesTheCataloguedFilesSamplesWhicheverTimeFormIsUsed) {
    ProgramResult cat = Run({"catalogue", "--station", "ars", "--channel", "shz", "--from", "2013-06-14T12:08:20",
                             "--to", "2013-06-14T12:08:21"});
    ASSERT_EQ(cat.exitCode, 0) << cat.err;
    std::istringstream line(cat.out);
    std::string sta, chan, start, end, sps, path, more;
    line >> sta >> chan >> start >> end >> sps >> path >> more;
    EXPECT_EQ(sta + " " + chan + " " + start + " " + end + " " + sps,
              "ARS SHZ 2013-06-14T12:00:00.000 2013-06-14T12:15:00.000 100");
    EXPECT_TRUE(more.empty()) << "one segment covers the window: " << cat.out;

    ProgramResult read = Run(With({"read"}, Window("2013-06-14T12:08:20", "2013-06-14 12:08:21")));
    ASSERT_EQ(read.exitCode, 0) << read.err;
    const std::vector<Sample> samples = ParseSamples(read.out);
    ASSERT_EQ(samples.size(), 100u);
    // The oracle is the sample file itself: a 512-byte header, then little-endian floats.
    const std::vector<float> file =
        LittleEndianFloats(ReadFile(path), 512 + 4 * static_cast<std::size_t>((kWindowStart - kFileStart) * 100), 100);
    ASSERT_EQ(file.size(), 100u);
    for (std::size_t i = 0; i < 100; ++i) {
        EXPECT_NEAR(samples[i].time, kWindowStart + static_cast<double>(i) / 100, 1e-6);
        EXPECT_EQ(samples[i].value, file[i]) << i;
    }
    // The same window in the workstation's form and in epoch seconds.
    EXPECT_EQ(Run(With({"read"}, Window("14/06/2013 12:08:20", "14/06/2013 12:08:21"))).out, read.out);
    EXPECT_EQ(Run(With({"read"}, Window("1371211700", "1371211701.0"))).out, read.out);

    // A ZEL sample file of the window holds the same floats after its header.
    const std::string zel = home->file("window.zel");
    ProgramResult saved = Run(With({"read", "--format", "zel", "--output", zel},
                                   Window("2013-06-14T12:08:20", "2013-06-14T12:08:21")));
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    const std::string bytes = ReadFile(zel);
    EXPECT_EQ(bytes.rfind("[ZEL4.0]", 0), 0u);
    EXPECT_EQ(LittleEndianFloats(bytes, 512, 100), file);
    EXPECT_EQ(bytes.size(), 512u + 400u);
}

TEST_F(BatchWaveDemo, FiltersChangeTheSamplesAsTheirBandsSay) {
    // Four seconds around the local event's P at ARS: a wavelet of some 6 Hz.
    const std::vector<std::string> window = Window("2013-06-14T12:08:24", "2013-06-14T12:08:28");
    const std::vector<Sample> raw = ParseSamples(Run(With({"read"}, window)).out);
    ASSERT_EQ(raw.size(), 400u);
    auto filtered = [&](const std::vector<std::string>& how) {
        ProgramResult r = Run(With(With({"filter"}, window), how));
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return ParseSamples(r.out);
    };
    const std::vector<Sample> band = filtered({"--type", "bandpass", "--low", "3", "--high", "12"});
    const std::vector<Sample> low = filtered({"--type", "lowpass", "--high", "0.3"});
    ASSERT_EQ(band.size(), raw.size());
    ASSERT_EQ(low.size(), raw.size());
    EXPECT_DOUBLE_EQ(band.front().time, raw.front().time);
    EXPECT_GT(Rms(band), 0.5 * Rms(raw));  // the wavelet's band passes
    EXPECT_LT(Rms(low), 0.1 * Rms(raw));   // far below it almost nothing does
    double mean = 0;
    for (const Sample& s : band) mean += s.value;
    EXPECT_LT(std::fabs(mean / static_cast<double>(band.size())), 0.05 * Rms(raw));

    // A stored preset is the same filter by name.
    {
        PrivateProfile registry(home->file("config/zel/registry.ini"));
        ChannelFilterSettings preset;
        preset.type = 0;
        preset.low = 3;
        preset.high = 12;
        preset.lowText = "3";
        preset.highText = "12";
        preset.order = 3;
        SaveFilterPreset(registry, "P band", preset);
    }
    EXPECT_EQ(filtered({"--preset", "P band"}).size(), band.size());
    const std::vector<Sample> byPreset = filtered({"--preset", "P band"});
    for (std::size_t i = 0; i < band.size(); ++i) ASSERT_EQ(byPreset[i].value, band[i].value) << i;

    // A formula sees the channel as "current"; a seismograph simulation gives a record as well.
    const std::vector<Sample> doubled = filtered({"--formula", "current*2"});
    ASSERT_EQ(doubled.size(), raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) ASSERT_EQ(doubled[i].value, 2 * raw[i].value) << i;
    EXPECT_FALSE(filtered({"--simulate", "wood-anderson"}).empty());
}

TEST_F(BatchWaveDemo, DetectorFindsTheLocalEventsFirstArrivals) {
    ProgramResult r = Run({"detect", "--channels", "ARS:SHZ,BGD:SHZ,BKA0:SHZ", "--from", "2013-06-14T12:05:00", "--to",
                           "2013-06-14T12:12:00"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::map<std::string, std::vector<double>> onsets;
    std::istringstream in(r.out);
    for (std::string sta, chan, time; in >> sta >> chan >> time;) {
        int y, mo, d, h, mi;
        double s;
        ASSERT_EQ(std::sscanf(time.c_str(), "%d-%d-%dT%d:%d:%lf", &y, &mo, &d, &h, &mi, &s), 6) << time;
        onsets[sta].push_back(kFileStart + (h - 12) * 3600 + mi * 60 + s);
    }
    int checked = 0;
    for (const demo::DemoArrival& a : demo::DemoArrivals(ZEL_RESOURCES_DIR)) {
        if (a.event != 0 || a.phase != "P" || !onsets.count(a.station)) continue;
        double nearest = 1e9;
        for (double t : onsets[a.station]) nearest = std::min(nearest, std::fabs(t - a.time));
        EXPECT_LT(nearest, 0.5) << a.station << " P at " << a.time;
        ++checked;
    }
    EXPECT_EQ(checked, 3) << r.out;
}

TEST_F(BatchWaveDemo, RenderWritesAPictureOfTheAskedSize) {
    const std::string png = home->file("panes.png");
    ProgramResult r = Run({"render", "--channels", "ARS:SHZ,BGD:SHZ", "--from", "2013-06-14T12:08:00", "--to",
                           "2013-06-14T12:09:00", "--type", "bandpass", "--low", "1", "--high", "10", "--output", png,
                           "--width", "640", "--height", "300"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string bytes = ReadFile(png);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
    };
    EXPECT_EQ(be32(16), 640);  // IHDR width and height
    EXPECT_EQ(be32(20), 300);
}

TEST_F(BatchWaveDemo, BadInputGetsOneClearLineAndTheRightExitCode) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    };
    const std::string out = home->file("never.txt");
    const std::vector<Case> cases = {
        {{"read", "--station", "NOPE", "--channel", "SHZ", "--from", "2013-06-14T12:08:20", "--to",
          "2013-06-14T12:08:21", "--output", out},
         1, "unknown station 'NOPE'"},
        {{"read", "--station", "ARS", "--channel", "BHZ", "--from", "2013-06-14T12:08:20", "--to",
          "2013-06-14T12:08:21", "--output", out},
         1, "station ARS has no channel 'BHZ'"},
        {With({"read", "--output", out}, Window("2013-06-14T12:08:21", "2013-06-14T12:08:21")), 1, "empty time window"},
        {With({"read", "--output", out}, Window("2020-01-01", "2020-01-02")), 1, "ARS SHZ: no samples in the window"},
        {With({"read"}, Window("2013-06-31T12:00:00", "2013-07-01")), 2, "--from: '2013-06-31T12:00:00' is not a time"},
        {With({"filter", "--type", "bandpass", "--low", "1", "--high", "x5"}, Window("2013-06-14", "2013-06-14T00:01")),
         2, "--high: 'x5' is not a number"},
        {With({"filter", "--type", "bandpass", "--low", "1", "--high", "5", "--order", "11"},
              Window("2013-06-14", "2013-06-14T00:01")),
         2, "--order: 11 is outside 1..10"},
        {With({"filter", "--simulate", "seismoscope"}, Window("2013-06-14", "2013-06-14T00:01")), 2,
         "--simulate: unknown 'seismoscope'"},
        {With({"filter", "--preset", "none such", "--output", out}, Window("2013-06-14T12:08:20", "2013-06-14T12:08:21")),
         1, "no filter preset 'none such'"},
        {With({"filter", "--formula", "current+", "--output", out},
              Window("2013-06-14T12:08:20", "2013-06-14T12:08:21")),
         1, ""},
        {With({"read", "--format", "zel"}, Window("2013-06-14", "2013-06-14T00:01")), 2, "--format zel writes a binary file"},
        {{"detect", "--channels", "ARS:SHZ", "--from", "2013-01-01", "--to", "2014-01-01"}, 1,
         "ARS SHZ: the window holds 3153600000 samples at 100 Hz"},
        {{"export", "--channels", "ARS:SHZ", "--from", "2013-06-14", "--to", "2013-06-15"}, 2, "missing OUTDIR"},
        {{"import", home->file("no-such-folder")}, 1, "no folder '"},
        {{"import", home->path().string()}, 1, "no wfdisc file"},
        {{"render", "--channels", "ARS", "--from", "2013-06-14", "--to", "2013-06-14T00:01", "--output", out}, 2,
         "--channels: 'ARS' is not STATION:CHANNEL"},
    };
    for (const Case& c : cases) {
        ProgramResult r = Run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0] << ": " << r.err;
        EXPECT_EQ(r.err.rfind("zelbatch: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
    EXPECT_FALSE(std::filesystem::exists(out));  // no output file for a failed command
}

}  // namespace
}  // namespace zel::test
