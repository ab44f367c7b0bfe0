#include "batch/PaneTransform.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "base/FormatText.h"
#include "base/Strings.h"
#include "base/ZelError.h"
#include "batch/ChannelWindow.h"
#include "dsp/Butterworth.h"
#include "dsp/Simulation.h"
#include "session/PaneTransformation.h"

namespace zel::batch {

namespace {

struct NamedCode {
    const char* name;
    int code;
};

// Simulation names on the command line; "-fap" runs through the amplitude table instead of
// poles and zeros, as the workstation's "... с использованием АЧХ" commands do.
constexpr NamedCode kSimulations[] = {
    {"displacement", kSimDisplacement},     {"kirnos", kSimKirnos},
    {"wwssn-lp", kSimWwssnLp},              {"wwssn-sp", kSimWwssnSp},
    {"wood-anderson", kSimWoodAnderson},    {"lpsro", kSimLpsro},
    {"vegik", kSimVegik},                   {"skm", kSimSkm},
    {"velocity", kSimVelocity},             {"displacement-fap", kFapDisplacement},
    {"kirnos-fap", kFapKirnos},             {"wwssn-lp-fap", kFapWwssnLp},
    {"wwssn-sp-fap", kFapWwssnSp},          {"wood-anderson-fap", kFapWoodAnderson},
    {"lpsro-fap", kFapLpsro},               {"vegik-fap", kFapVegik},
    {"skm-fap", kFapSkm},
};

constexpr NamedCode kFilterTypes[] = {
    {"bandpass", static_cast<int>(FilterType::BandPass)},
    {"lowpass", static_cast<int>(FilterType::LowPass)},
    {"bandstop", static_cast<int>(FilterType::BandReject)},
    {"highpass", static_cast<int>(FilterType::HighPass)},
};

template <std::size_t N>
int CodeOf(const NamedCode (&table)[N], const std::string& text, const std::string& what) {
    const std::string name = LowerAscii(text);
    std::string known;
    for (const NamedCode& entry : table) {
        if (name == entry.name) return entry.code;
        known += known.empty() ? "" : ", ";
        known += entry.name;
    }
    throw UsageError(Tr("%1: unknown '%2' (one of %3)").arg(what).arg(text).arg(known));
}

// Keeps the text as typed for the caption, as the filter page does.
float Edge(BatchArgs& args, const std::string& name, std::string& text) {
    text = args.required(name);
    const double value = ParseNumber(text, "--" + name);
    if (value < 0) throw UsageError(Tr("--%1: a frequency cannot be negative").arg(name));
    return static_cast<float>(value);
}

}  // namespace

Help TransformHelp() {
    return {
        Option("--preset NAME", ZEL_TR_NOOP("a stored filter preset")),
        Option("--type lowpass|highpass|bandpass|bandstop --low HZ --high HZ [--order N] [--causal]",
               ZEL_TR_NOOP("a Butterworth filter (lowpass uses --high, highpass --low; order 3, zero phase "
                           "unless --causal)")),
        Option(
            "--simulate NAME",
            ZEL_TR_NOOP("a seismograph: displacement, velocity, kirnos, wwssn-lp, wwssn-sp, wood-anderson, "
                        "lpsro, vegik, skm (add -fap to use the amplitude table)")),
        Option("--formula TEXT",
               ZEL_TR_NOOP("a channel formula: 'current' is the channel it is applied to, d0, "
                           "d1, ... the channels in the order named"))};
}

std::optional<PaneTransform> ReadTransform(BatchArgs& args) {
    const int given = args.has("preset") + args.has("type") + args.has("simulate") + args.has("formula");
    PaneTransform t;
    if (given == 0) {
        for (const char* option : {"low", "high", "order"})
            if (args.has(option)) throw UsageError(Tr("--%1 needs --type").arg(option));
        if (args.flag("causal")) throw UsageError(Tr("--%1 needs --type").arg("causal"));
        return std::nullopt;
    }
    if (given > 1) throw UsageError(Tr("give one of --preset, --type, --simulate and --formula"));
    if (args.has("preset")) {
        t.preset = args.option("preset");  // looked up once the registry store is open
        return t;
    }
    if (args.has("simulate")) {
        t.how = Transformation::Simulated(CodeOf(kSimulations, args.option("simulate"), "--simulate"));
        return t;
    }
    if (args.has("formula")) {
        t.how = Transformation::ByFormula(args.option("formula"));
        if (t.how.formula.find_first_not_of(" \t") == std::string::npos)
            throw UsageError(Tr("--formula is empty"));
        return t;
    }
    ChannelFilterSettings& f = t.how.filter;
    f.type = CodeOf(kFilterTypes, args.option("type"), "--type");
    const bool lowUsed = f.type != static_cast<int>(FilterType::LowPass);
    const bool highUsed = f.type != static_cast<int>(FilterType::HighPass);
    if (lowUsed) f.low = Edge(args, "low", f.lowText);
    else if (args.has("low"))
        throw UsageError(Tr("--low has no meaning for a lowpass (its corner is --high)"));
    else f.low = 0, f.lowText = "0";
    if (highUsed) f.high = Edge(args, "high", f.highText);
    else if (args.has("high"))
        throw UsageError(Tr("--high has no meaning for a highpass (its corner is --low)"));
    else f.high = 0, f.highText = "0";
    const long order = args.integer("order", 3);
    if (order < 1 || order > kMaxFilterOrder)
        throw UsageError(
            Tr("--order: %1 is outside 1..%2").arg(static_cast<long long>(order)).arg(kMaxFilterOrder));
    f.order = static_cast<int>(order);
    f.zeroPhase = !args.flag("causal");
    if (auto fault = ValidateFilterPage(f)) throw UsageError(*fault);
    return t;
}

void ResolvePreset(BatchSession& session, PaneTransform& transform) {
    if (transform.preset.empty()) return;
    const std::string& name = transform.preset;
    const std::vector<std::string> names = FilterPresetNames(session.context().registry());
    if (std::find(names.begin(), names.end(), name) == names.end()) {
        std::string known;
        for (const std::string& n : names) known += (known.empty() ? "" : ", ") + n;
        throw ZelError(known.empty() ? Tr("no filter preset '%1'").arg(name)
                                    : Tr("no filter preset '%1' (stored: %2)").arg(name).arg(known));
    }
    const ChannelFilterSettings stored = LoadFilterPreset(session.context().registry(), name);
    transform.how = Transformation::OfFilterSettings(stored);
}

void CheckGridLength(const TracePane& pane, double rate) {
    constexpr double kMaxGridSamples = 1e8;  // 400 MB of floats, some eleven days at 100 Hz
    const double samples = pane.duration() * rate;
    if (samples > kMaxGridSamples)
        throw ZelError(Tr("the window holds %1 samples at %2 Hz, more than %3: take a shorter one")
                          .arg(FormatText("%.0f", samples))
                          .arg(FormatText("%g", rate))
                          .arg(FormatText("%.0f", kMaxGridSamples)));
}

namespace {

double CheckTransformable(const TracePane& pane) {
    if (pane.data().blocks.empty())
        throw ZelError(Tr("%1: no samples in the window").arg(ChannelName(pane.channel())));
    const double rate = PaneRate(pane);
    CheckGridLength(pane, rate);
    return rate;
}

}  // namespace

void ApplyTransform(BatchSession& session, const PaneSet& panes, TracePane& pane,
                    const PaneTransform& transform) {
    CheckTransformable(pane);
    ApplyPaneTransformation(session.context(), pane, transform.how, &panes);
}

TransformedSignal TransformGivingUpSamples(BatchSession& session, const PaneSet& panes, TracePane& pane,
                                           const PaneTransform& transform) {
    const double rate = CheckTransformable(pane);
    if (transform.how.kind != Transformation::Kind::Filter)
        return TransformPane(session.context(), pane, transform.how, &panes);
    return FilterPaneSignal(pane.takeData(), pane.start(), pane.duration(), rate, transform.how.filter);
}

}  // namespace zel::batch
