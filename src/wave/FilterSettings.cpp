#include "wave/FilterSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

#include "base/FormatText.h"
#include "base/PrivateProfile.h"
#include "base/Strings.h"
#include "base/ZelError.h"
#include "dsp/Butterworth.h"
#include "dsp/Simulation.h"

namespace zel {
namespace {

std::string PresetSection(const std::string& name) { return std::string(kFilterPresetKey) + "\\" + name; }

double TextValue(const std::string& text) { return std::atof(text.c_str()); }

}  // namespace

std::vector<std::string> FilterPresetNames(const PrivateProfile& registry) {
    const std::string prefix = LowerAscii(std::string(kFilterPresetKey) + "\\");
    std::vector<std::string> names;
    for (const std::string& section : registry.sections()) {
        if (section.size() <= prefix.size() || LowerAscii(section.substr(0, prefix.size())) != prefix) continue;
        const std::string name = section.substr(prefix.size());
        if (name.find('\\') == std::string::npos) names.push_back(name);
    }
    return names;
}

void SaveDefaultFilterPresets(PrivateProfile& registry) {
    struct Preset {
        const char* name;
        int type;
        const char* lowText;
        const char* highText;
        float low, high;
    };
    constexpr Preset kPresets[] = {
        {"ППФ 1-10 Гц", 0, "1", "10", 1, 10},       {"ППФ 2-8 Гц", 0, "2", "8", 2, 8},
        {"ППФ 0.5-5 Гц", 0, "0.5", "5", 0.5f, 5},   {"ППФ 0.7-2 Гц", 0, "0.7", "2", 0.7f, 2},
        {"ФВЧ 1 Гц", 3, "1", "10", 1, 10},          {"ФНЧ 1 Гц", 1, "0.1", "1", 0.1f, 1},
    };
    for (const Preset& p : kPresets) {
        ChannelFilterSettings s;
        s.type = p.type;
        s.lowText = p.lowText;
        s.highText = p.highText;
        s.low = p.low;
        s.high = p.high;
        s.order = 4;
        SaveFilterPreset(registry, p.name, s);
    }
}

int FilterTypeFromText(const std::string& text) {
    if (text == "LP") return 1;
    if (text == "BR") return 2;
    if (text == "HP") return 3;
    if (text == "SPWWSS") return 4;
    return 0;
}

ChannelFilterSettings LoadFilterPreset(const PrivateProfile& registry, const std::string& name) {
    const std::string section = PresetSection(name);
    auto value = [&](const char* key, const char* fallback) {
        std::string v = registry.getString(section, key, fallback);
        if (v.size() > 63) v.resize(63);
        return v;
    };
    ChannelFilterSettings s;
    s.lowText = value("Low", "0.7");
    s.highText = value("High", "1.4");
    s.low = static_cast<float>(TextValue(s.lowText));
    s.high = static_cast<float>(TextValue(s.highText));
    s.type = FilterTypeFromText(value("FilterType", "BP"));
    s.zeroPhase = value("ZeroPhase", "TRUE") == "TRUE";
    s.order = ParseLeadingInt(value("FilterOrder", "3"));
    return s;
}

void SaveFilterPreset(PrivateProfile& registry, const std::string& name, const ChannelFilterSettings& s) {
    if (name.empty()) throw ZelError("Введите имя фильтра");
    if (name.size() > kMaxPresetName) throw ZelError("Имя фильтра длиннее 128 символов");
    if (name.find_first_of("\\[]\r\n") != std::string::npos)
        throw ZelError("Имя фильтра не может содержать символы \\ [ ] и переводы строк");
    const std::string section = PresetSection(name);
    const std::string type(FilterTypeText(s.type).empty() ? "BP" : FilterTypeText(s.type));
    registry.write({{section, "Low", s.lowText},
                    {section, "High", s.highText},
                    {section, "FilterType", type},
                    {section, "ZeroPhase", s.zeroPhase ? "TRUE" : "FALSE"},
                    {section, "FilterOrder", std::to_string(s.order)}});
}

void DeleteFilterPreset(PrivateProfile& registry, const std::string& name) {
    registry.deleteSection(PresetSection(name));
}

std::string TransformationCaption(const ChannelFilterSettings& s) {
    if (s.type >= 1000) return SimulationCaption(s.type);
    const std::string low = FormatText("%g", static_cast<double>(s.low));
    const std::string high = FormatText("%g", static_cast<double>(s.high));
    std::string text;
    switch (s.type) {
        case 0:
            text = Tr("Полосовой %1-%2 Гц, порядок %3").arg(low).arg(high).arg(s.order);
            break;
        case 2:
            text = Tr("Режекторный %1-%2 Гц, порядок %3").arg(low).arg(high).arg(s.order);
            break;
        case 1:
            text = Tr("ФНЧ %1 Гц, порядок %2").arg(high).arg(s.order);
            break;
        case 3:
            text = Tr("ФВЧ %1 Гц, порядок %2").arg(low).arg(s.order);
            break;
        default:
            return "";
    }
    if (s.zeroPhase) text = Tr("%1, нулевая фаза").arg(text);
    return text;
}

std::optional<std::string> ValidateFilterPage(const ChannelFilterSettings& s) {
    if (s.order < 1 || s.order > kMaxFilterOrder) return Tr("Введите целое число от 1 до 10");
    if (s.low < 0 || s.high < 0) return Tr("Частоты фильтра не могут быть отрицательными");
    // Band edges compare as numbers: 0.9 above 0.5 is refused, not only whole parts.
    if ((s.type == 0 || s.type == 2) && !(s.low < s.high))
        return Tr("Нижняя частота полосы должна быть меньше верхней");
    return std::nullopt;
}

namespace {

std::size_t GridCount(double duration, double sps) {
    if (!(sps > 0) || !(duration > 0)) throw ZelError("Нет данных в окне");
    const double wanted = std::trunc(std::trunc(duration) * sps);
    if (wanted < 1 || wanted > 2e9) throw ZelError("Нет данных в окне");
    return static_cast<std::size_t>(wanted);
}

// The grid index k of a block's first sample when placing it sample by sample puts every sample
// j on index j + k: its start lies near a grid point and its rate drifts from the grid's by less
// than a quarter sample over the block (a SAC file's float delta makes 100 Hz 100.0000002).
std::optional<std::ptrdiff_t> GridOffset(const ZELDataBlock& b, double start, double sps) {
    if (!(b.sps > 0)) return std::nullopt;
    const double offset = (b.begin - start) * sps;
    const double k = std::round(offset);
    const double drift = std::abs(1 - sps / b.sps) * static_cast<double>(b.samples.size());
    if (!(std::abs(offset - k) + drift < 0.25) || std::abs(k) > 4e9) return std::nullopt;
    return static_cast<std::ptrdiff_t>(k);
}

// Places the blocks on the grid in `out`; the first block to reach an index wins it. When `taken`
// is not 0, the first block's leading run already fills out[0, taken) and the others follow.
void PlaceBlocks(const std::vector<ZELDataBlock>& blocks, double start, double sps, std::vector<float>& out,
                 std::size_t taken) {
    const std::size_t count = out.size();
    if (taken > 0 && taken == count) return;  // the run fills the window: no gap, no other block
    const auto wanted = static_cast<double>(count);
    std::vector<bool> have(count, false);
    std::fill(have.begin(), have.begin() + static_cast<std::ptrdiff_t>(taken), true);
    double sum = 0;
    for (std::size_t i = 0; i < taken; ++i) sum += out[i];
    std::size_t covered = taken;
    for (std::size_t n = taken > 0 ? 1 : 0; n < blocks.size(); ++n) {
        const ZELDataBlock& b = blocks[n];
        if (!(b.sps > 0)) continue;
        for (std::size_t j = 0; j < b.samples.size(); ++j) {
            const double index = std::round((b.begin + static_cast<double>(j) / b.sps - start) * sps);
            if (index < 0 || index >= wanted) continue;
            const auto i = static_cast<std::size_t>(index);
            if (have[i]) continue;
            out[i] = b.samples[j];
            have[i] = true;
            sum += b.samples[j];
            ++covered;
        }
    }
    if (covered == 0) throw ZelError("Нет данных в окне");
    const auto mean = static_cast<float>(sum / static_cast<double>(covered));
    for (std::size_t i = 0; i < count; ++i)
        if (!have[i]) out[i] = mean;
}

// The samples of the first block that fall in the window when it starts at or before the window
// start on the grid: they are the leading run of the result. nullopt otherwise.
struct LeadingRun {
    std::size_t from = 0, length = 0;
};
std::optional<LeadingRun> LeadingRunOf(const std::vector<ZELDataBlock>& blocks, double start, double sps,
                                       std::size_t count) {
    if (blocks.empty()) return std::nullopt;
    const std::optional<std::ptrdiff_t> k = GridOffset(blocks[0], start, sps);
    if (!k || *k > 0) return std::nullopt;
    const auto from = static_cast<std::size_t>(-*k);
    const std::size_t size = blocks[0].samples.size();
    if (from >= size) return std::nullopt;
    return LeadingRun{from, std::min(size - from, count)};
}

}  // namespace

std::vector<float> PaneSamples(const ZELDataBlockArray& data, double start, double duration, double sps) {
    const std::size_t count = GridCount(duration, sps);
    std::vector<float> out;
    const std::optional<LeadingRun> run = LeadingRunOf(data.blocks, start, sps, count);
    if (run) {
        // Copied straight into fresh storage: not zeroed first.
        const float* first = data.blocks[0].samples.data() + run->from;
        out.reserve(count);
        out.assign(first, first + run->length);
    }
    out.resize(count);
    PlaceBlocks(data.blocks, start, sps, out, run ? run->length : 0);
    return out;
}

std::vector<float> PaneSamples(ZELDataBlockArray&& data, double start, double duration, double sps) {
    const std::size_t count = GridCount(duration, sps);
    const std::optional<LeadingRun> run = LeadingRunOf(data.blocks, start, sps, count);
    if (!run) {
        std::vector<float> out = PaneSamples(std::as_const(data), start, duration, sps);
        data.blocks.clear();
        return out;
    }
    // The first block's storage becomes the result: a channel-day is then held once.
    std::vector<float> out = std::move(data.blocks[0].samples);
    out.erase(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(run->from));
    out.resize(count);
    PlaceBlocks(data.blocks, start, sps, out, run->length);
    data.blocks.clear();
    return out;
}

namespace {

TransformedSignal FilterGridSamples(std::vector<float> x, double sps, const ChannelFilterSettings& s) {
    double high = s.high;
    const double limit = sps / 2 - 0.1;
    if (high > sps / 2) high = limit;
    const bool band = s.type == 0 || s.type == 2;
    if ((band && !(s.low < high)) || (s.type == 3 && !(s.low < limit)) || (s.type == 1 && !(high > 0))) {
        throw ZelError(
            Tr("Полоса фильтра пуста: при частоте дискретизации %1 Гц верхняя частота не может быть "
               "выше %2 Гц, а нижняя задана %3 Гц")
                .arg(FormatText("%g", sps))
                .arg(FormatText("%g", limit))
                .arg(FormatText("%g", static_cast<double>(s.low))));
    }
    // Four partial sums: one chain of additions would bound the whole pass.
    double sums[4] = {};
    const std::size_t whole = x.size() / 4 * 4;
    for (std::size_t i = 0; i < whole; i += 4)
        for (std::size_t k = 0; k < 4; ++k) sums[k] += x[i + k];
    for (std::size_t i = whole; i < x.size(); ++i) sums[0] += x[i];
    const double mean = (sums[0] + sums[1] + sums[2] + sums[3]) / static_cast<double>(x.size());
    for (float& v : x) v = static_cast<float>(v - mean);
    FilterSamples(x, 1 / sps, s.type, s.order, s.low, high, s.zeroPhase);
    TransformedSignal t;
    const auto [lo, hi] = std::minmax_element(x.begin(), x.end());
    t.min = *lo;
    t.max = *hi;
    t.samples = std::move(x);
    t.sps = sps;
    t.how = Transformation::Filtered(s);
    return t;
}

void CheckFilterType(const ChannelFilterSettings& s) {
    if (s.type == 4) throw ZelError("Фильтр типа SPWWSS не поддерживается: выберите другой тип фильтра");
}

}  // namespace

TransformedSignal FilterPaneSignal(const ZELDataBlockArray& data, double start, double duration, double sps,
                                   const ChannelFilterSettings& s) {
    CheckFilterType(s);
    return FilterGridSamples(PaneSamples(data, start, duration, sps), sps, s);
}

TransformedSignal FilterPaneSignal(ZELDataBlockArray&& data, double start, double duration, double sps,
                                   const ChannelFilterSettings& s) {
    CheckFilterType(s);
    return FilterGridSamples(PaneSamples(std::move(data), start, duration, sps), sps, s);
}

std::string FilterWizardFormula(int type, double lower, double upper, int order, bool zeroPhase) {
    auto branch = [&](double lo, double hi) {
        char text[256];
        if (zeroPhase)
            std::snprintf(text, sizeof text,
                          "revers(butter(revers(butter((current-mean(current)),%f,%f,%d)),%f,%f,%d))", lo, hi,
                          order, lo, hi, order);
        else
            std::snprintf(text, sizeof text, "butter((current-mean(current)),%f,%f,%d)", lo, hi, order);
        return std::string(text);
    };
    if (type == 1) lower = 0;
    if (type == 3) upper = 0;
    if (type == 2) return "(" + branch(0, lower) + "+" + branch(upper, 0) + ")";
    return branch(lower, upper);
}

}  // namespace zel
