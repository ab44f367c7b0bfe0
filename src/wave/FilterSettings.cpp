#include "wave/FilterSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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

std::vector<float> PaneSamples(const ZELDataBlockArray& data, double start, double duration, double sps) {
    if (!(sps > 0) || !(duration > 0)) throw ZelError("Нет данных в окне");
    const double wanted = std::trunc(std::trunc(duration) * sps);
    if (wanted < 1 || wanted > 2e9) throw ZelError("Нет данных в окне");
    const auto count = static_cast<std::size_t>(wanted);
    std::vector<float> out(count);
    std::vector<bool> have(count, false);
    double sum = 0;
    std::size_t covered = 0;
    for (const ZELDataBlock& b : data.blocks) {
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
    return out;
}

TransformedSignal FilterPaneSignal(const ZELDataBlockArray& data, double start, double duration, double sps,
                                   const ChannelFilterSettings& s) {
    if (s.type == 4) throw ZelError("Фильтр типа SPWWSS не поддерживается: выберите другой тип фильтра");
    std::vector<float> x = PaneSamples(data, start, duration, sps);
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
    double mean = 0;
    for (float v : x) mean += v;
    mean /= static_cast<double>(x.size());
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
