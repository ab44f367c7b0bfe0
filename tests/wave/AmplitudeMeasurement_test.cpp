// Amplitude and period on a pane: the swing search on known signals, the checks and their
// messages, a transformed signal whose rate differs from the channel's, and the conversions to
// micrometres with their refusals of a zero response or gain.

#include "wave/AmplitudeMeasurement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

#include "base/ZelError.h"
#include "dsp/Simulation.h"
#include "support/TempDir.h"

namespace zel {
namespace {

std::vector<float> Sine(int count, double sps, double amplitude, double period, double phase = 0.3) {
    std::vector<float> x(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        x[static_cast<std::size_t>(i)] =
            static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * i / sps / period + phase));
    return x;
}

TracePane PaneWith(std::vector<float> samples, double sps, int code, double nominalSps,
                   double duration = 60) {
    PaneChannel channel;
    channel.station = "ARS";
    channel.channel = "SHZ";
    channel.nominalSps = nominalSps;
    TracePane pane(1, channel, 1000.0, duration);
    TransformedSignal t;
    t.samples = std::move(samples);
    t.sps = sps;
    t.how = code >= 1000 ? Transformation::Simulated(code) : Transformation::Filtered({.type = code});
    pane.setTransformed(std::move(t));
    return pane;
}

std::string ErrorOf(const TracePane& pane) {
    try {
        MeasurePaneSwing(pane);
    } catch (const ZelError& e) {
        return e.what();
    }
    return {};
}

TEST(AmplitudeSwing, PureSineGivesItsSwingAndPeriod) {
    // Amplitude 1, period 1 s, 20 samples per second over 4 s.
    const std::vector<float> x = Sine(80, 20, 1.0, 1.0);
    const Swing s = FindLargestSwing(x, 1.0 / 20);
    EXPECT_EQ(s.dominantPeriod, 20);
    EXPECT_NEAR(s.peakToPeak, 2.0, 0.03);
    EXPECT_NEAR(s.period, 1.0, 0.1);
}

TEST(AmplitudeSwing, LargestGroupWinsOverATrendAndNoise) {
    // A small 0.5 Hz wave on a strong trend, with a 2 s burst of amplitude 3 in the middle.
    std::vector<float> x(400);
    for (int i = 0; i < 400; ++i) {
        const double t = i / 40.0;
        double v = 0.2 * std::sin(std::numbers::pi * t) + 0.5 * t;
        if (t >= 4 && t < 6) v += 3 * std::sin(2 * std::numbers::pi * 2 * (t - 4));
        x[static_cast<std::size_t>(i)] = static_cast<float>(v);
    }
    const Swing s = FindLargestSwing(x, 1.0 / 40);
    EXPECT_EQ(s.dominantPeriod, 20);  // 2 Hz at 40 sps, once the trend is gone
    EXPECT_NEAR(s.peakToPeak, 6.0, 0.3);
    EXPECT_NEAR(s.period, 0.5, 0.06);
    EXPECT_GE(s.centre, 160);
    EXPECT_LT(s.centre, 240);
}

TEST(AmplitudeSwing, TooFewSamplesAreRefused) {
    EXPECT_THROW(FindLargestSwing(std::vector<float>{1, 2}, 0.01), ZelError);
    // Three samples make one window, without a spectrum.
    const Swing s = FindLargestSwing(std::vector<float>{0, 4, -1}, 0.01);
    EXPECT_EQ(s.dominantPeriod, 0);
    EXPECT_FLOAT_EQ(s.peakToPeak, 5);
}

TEST(AmplitudeOnPane, ChecksInOrderWithTheirMessages) {
    PaneChannel channel;
    channel.nominalSps = 100;
    TracePane raw(1, channel, 1000, 60);
    raw.intervalMark = IntervalMark{1010, 1015};
    EXPECT_EQ(ErrorOf(raw), "Оценка амплитуды и периода производится только по фильтрованным данным");

    TracePane pane = PaneWith(Sine(6000, 100, 1, 1), 100, 1000, 100);
    EXPECT_EQ(ErrorOf(pane), "Не выбран интервал");
    pane.intervalMark = IntervalMark{1055, 1060.5};  // past the pane's end
    EXPECT_EQ(ErrorOf(pane), "Интервал вне пределов активного окна");
    pane.intervalMark = IntervalMark{999.9, 1003};
    EXPECT_EQ(ErrorOf(pane), "Интервал вне пределов активного окна");
    pane.intervalMark = IntervalMark{1060, 1060};  // lo must lie before the end
    EXPECT_EQ(ErrorOf(pane), "Интервал вне пределов активного окна");
    pane.intervalMark = IntervalMark{1055, 1060};  // hi may be the end
    EXPECT_EQ(ErrorOf(pane), "");
}

TEST(AmplitudeOnPane, FiveSecondMarkMeasuresFiveHundredSamplesAndMovesTheMark) {
    TracePane pane = PaneWith(Sine(6000, 100, 2.0, 0.5), 100, 1000, 100);
    pane.intervalMark = IntervalMark{1020, 1025};  // either order
    const PaneSwing m = MeasurePaneSwing(pane);
    EXPECT_EQ(m.samples, 500);
    EXPECT_EQ(m.firstSample, 2000);
    EXPECT_NEAR(m.swing.peakToPeak, 4.0, 0.01);
    EXPECT_NEAR(m.swing.period, 0.5, 0.03);
    EXPECT_NEAR(m.mark.second - m.mark.first, m.swing.period, 1e-9);
    EXPECT_GE(m.mark.first, 1020 - 0.5);
    EXPECT_LE(m.mark.second, 1025 + 0.5);
    EXPECT_DOUBLE_EQ(m.time, (m.mark.first + m.mark.second) / 2);
    EXPECT_DOUBLE_EQ(m.time, 1000 + (2000 + m.swing.centre) / 100.0);
}

TEST(AmplitudeOnPane, SignalAtAnotherRateThanTheChannelIsNeverReadPastItsEnd) {
    // The channel says 100 sps, its transformed signal holds 40 sps: 400 samples for 10 s.
    TracePane pane = PaneWith(Sine(400, 40, 1.0, 1.0), 40, 1000, 100, 10);
    pane.intervalMark = IntervalMark{1008, 1010};
    const PaneSwing m = MeasurePaneSwing(pane);
    EXPECT_EQ(m.firstSample, 320);
    EXPECT_EQ(m.samples, 80);
    EXPECT_NEAR(m.swing.period, 1.0, 0.1);
    // A signal shorter than the pane (its last block ended early) is cut at its own end.
    TracePane shorter = PaneWith(Sine(250, 40, 1.0, 1.0), 40, 1000, 40, 10);
    shorter.intervalMark = IntervalMark{1004, 1010};
    const PaneSwing s = MeasurePaneSwing(shorter);
    EXPECT_EQ(s.firstSample + s.samples, 250);
}

TEST(AmplitudeConversion, SimulatedSeismographsRecordNanometres) {
    // Displacement, normalisation off: A = P / 2000 micrometres.
    EXPECT_DOUBLE_EQ(SimulatedGroundAmplitude(kSimDisplacement, 500, 1.0, false).amplitude, 0.25);
    EXPECT_DOUBLE_EQ(SimulatedGroundAmplitude(kSimWoodAnderson, 500, 1.0, false).amplitude, 0.25);
    // Wood-Anderson at 1.25 Hz has |T| = 1 / (2 * 0.8) (damping 0.8 at its natural frequency).
    const GroundAmplitude wa = SimulatedGroundAmplitude(kSimWoodAnderson, 500, 0.8, true);
    EXPECT_NEAR(wa.response, 0.625, 1e-4);
    EXPECT_NEAR(wa.amplitude, 0.25 / 0.625, 1e-4);
    // Displacement has no instrument: |T| = 1 changes nothing.
    EXPECT_DOUBLE_EQ(SimulatedGroundAmplitude(kSimDisplacement, 500, 1.0, true).amplitude, 0.25);
}

TEST(AmplitudeConversion, ZeroResponseOrGainIsRefusedNotDividedBy) {
    EXPECT_DOUBLE_EQ(FilteredGroundAmplitude(1000, 0.1, 1).amplitude, 0.05);  // 100 nm peak to peak
    EXPECT_DOUBLE_EQ(FilteredGroundAmplitude(1000, 0.1, 4).amplitude, 0.0125);
    EXPECT_THROW(FilteredGroundAmplitude(1000, 0.1, 0), ZelError);
    EXPECT_THROW(FilteredGroundAmplitude(1000, 0.0, 1), ZelError);
    EXPECT_THROW(FilteredGroundAmplitude(1000, std::nan(""), 1), ZelError);
}

TEST(AmplitudeConversion, ResponseByFileCalibOrDatabaseWithTheirMessages) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "RESPONSE");
    test::WriteFile(dir.file("RESPONSE/ARS_SHZ.fap"), "3\n0.5 4.0\n1.0 2.0\n2.0 1.0\n");
    ChannelResponseSource source;
    source.workingDir = dir.path().string();
    source.station = "ARS";
    source.slot.channel = "SHZ";
    source.slot.calibFile = "ARS_SHZ.fap";
    source.calib = 0.1;
    source.calper = 1;

    ChannelResponse r = ChannelNmPerCount(kAmplitudeByFapFile, 1.0, 0, source);
    EXPECT_DOUBLE_EQ(r.nmPerCount, 2.0);
    EXPECT_TRUE(r.fromFile);
    EXPECT_DOUBLE_EQ(ChannelNmPerCount(kAmplitudeByFapFile, 1 / 0.75, 0, source).nmPerCount, 3.0);
    r = ChannelNmPerCount(kAmplitudeByCalib, 1.0, 0, source);
    EXPECT_DOUBLE_EQ(r.nmPerCount, 0.1);
    EXPECT_FALSE(r.fromFile);
    // Without a database the database method falls back to the file.
    EXPECT_DOUBLE_EQ(ChannelNmPerCount(kAmplitudeByDatabase, 1.0, 0, source).nmPerCount, 2.0);

    source.calib = 0;
    source.calper = 0;
    auto message = [&](int method) {
        try {
            ChannelNmPerCount(method, 1.0, 0, source);
        } catch (const ZelError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(message(kAmplitudeByCalib), "Нет calib и calper для канала 'SHZ' станции 'ARS'");
    source.slot.calibFile = "missing.fap";
    EXPECT_EQ(message(kAmplitudeByFapFile), "Не найден файл " + source.workingDir +
                                                "/RESPONSE/missing.fap с АЧХ для канала 'SHZ' станции 'ARS'");
    EXPECT_EQ(message(kAmplitudeByDatabase),
              "Ошибка открытия таблицы калибровок для канала 'SHZ' станции 'ARS'");
    EXPECT_THROW(ChannelNmPerCount(kAmplitudeByFapFile, 0.0, 0, source), ZelError);
}

}  // namespace
}  // namespace zel
