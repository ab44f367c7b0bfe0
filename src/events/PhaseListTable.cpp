#include "events/PhaseListTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <tuple>

#include "base/TimeConversions.h"
#include "base/UserText.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

std::string Format(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string_view Trim(std::string_view text) {
    const char* blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::optional<double> ParseNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

std::vector<std::string_view> SplitOn(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find_first_of(separators, start);
        parts.push_back(
            text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

// Seconds of the day from "h:m:s[.f]"; nullopt for anything else.
std::optional<double> ParseClock(std::string_view text) {
    std::vector<std::string_view> parts = SplitOn(Trim(text), ":");
    if (parts.size() != 3) return std::nullopt;
    std::optional<int> h = ParseInt(parts[0]), m = ParseInt(parts[1]);
    std::string_view secondText = parts[2];
    // Digits with an optional fraction, nothing else (no sign, no exponent).
    if (secondText.empty() || secondText.find_first_not_of("0123456789.") != std::string_view::npos ||
        std::count(secondText.begin(), secondText.end(), '.') > 1 || secondText.front() == '.')
        return std::nullopt;
    std::optional<double> s = ParseNumber(secondText);
    if (!h || !m || !s || *h < 0 || *h > 23 || *m < 0 || *m > 59 || *s < 0.0 || *s >= 60.0)
        return std::nullopt;
    return *h * 3600.0 + *m * 60.0 + *s;
}

struct Date {
    int year, month, day;
};

std::optional<Date> ParseDate(std::string_view text) {
    std::vector<std::string_view> parts = SplitOn(Trim(text), "-./");
    if (parts.size() != 3) return std::nullopt;
    for (std::string_view part : parts)
        if (part.empty() || part.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
    std::optional<int> d = ParseInt(parts[0]), m = ParseInt(parts[1]), y = ParseInt(parts[2]);
    if (!d || !m || !y) return std::nullopt;
    int year = *y;
    if (parts[2].size() <= 2)
        year += year < 70 ? 2000 : 1900;
    else if (parts[2].size() != 4)
        return std::nullopt;
    if (!IsValidDate(year, *m, *d)) return std::nullopt;
    return Date{year, *m, *d};
}

// A value that is there, then its number: missing values sort after every present one.
std::pair<int, double> Presence(bool present, double value) {
    return present && !std::isnan(value) ? std::pair{0, value} : std::pair{1, 0.0};
}

}  // namespace

std::string StationNameTable::StationName(int station) const {
    return station >= 0 && station < StationCount() ? stations[station].name : std::string();
}

std::string StationNameTable::ChannelName(int station, int slot) const {
    if (station < 0 || station >= StationCount() || slot < 0 || slot >= kChannelSlots) return {};
    return stations[station].channels[slot];
}

std::string StationNameTable::LocationCode(int station, int slot) const {
    if (station < 0 || station >= StationCount() || slot < 0 || slot >= kChannelSlots) return {};
    return stations[station].locationCodes[slot];
}

const std::array<const char*, kPhaseListColumnCount>& PhaseListTitles() {
    static const std::array<const char*, kPhaseListColumnCount> titles = {
        ZEL_TR_NOOP("Станция"),
        ZEL_TR_NOOP("Канал"),
        ZEL_TR_NOOP("Код расп."),
        ZEL_TR_NOOP("Фаза"),
        ZEL_TR_NOOP("Вступление"),
        ZEL_TR_NOOP("Время"),
        ZEL_TR_NOOP("Невязка"),
        ZEL_TR_NOOP("Амплитуда"),
        ZEL_TR_NOOP("Период"),
        ZEL_TR_NOOP("Азимут"),
        ZEL_TR_NOOP("Обр.Азим."),
        ZEL_TR_NOOP("Расст. до эпицентра(град.)"),
        "Mb",
        "Ms",
        "MPLP",
        "MPSP",
        "ML",
        ZEL_TR_NOOP("Класс"),
        "CODA",
        "Mcoda"};
    return titles;
}

std::string FormatPickTime(double time) {
    std::optional<CalendarTime> t = EpochToYdhms(time, 2);
    if (!t) return {};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d.%02d %02d/%02d/%04d", t->hour, t->minute, t->wholeSecond(),
                  t->fraction, t->day, t->month, t->year);
    return buffer;
}

std::string PhaseCellText(const SEISMIC_PHASE& p, int column, const PhaseCatalogue& catalogue,
                          const PhaseStations* stations) {
    auto positive = [](double value, const char* format) { return value > 0.0 ? Format(format, value) : ""; };
    switch (column) {
        case kColStation:
            return stations ? stations->StationName(p.stationIndex) : std::string();
        case kColChannel:
            return stations ? stations->ChannelName(p.stationIndex, p.channelIndex) : std::string();
        case kColLocation:
            return stations ? stations->LocationCode(p.stationIndex, p.channelIndex) : std::string();
        case kColPhase:
            return catalogue.Name(p.phaseIndex);
        case kColOnset:
            return OnsetCodeText(p);
        case kColTime:
            return FormatPickTime(p.time);
        case kColResidual:
            return p.hasResidual ? Format("%.3f", p.residual) : "";
        case kColAmplitude:
            return p.hasAmplitude ? Format("%.4f", p.amplitude) : "";
        case kColPeriod:
            return p.hasAmplitude ? Format("%.2f", p.period) : "";
        case kColAzimuth:
            return p.hasAzimuth ? Format("%.1f", p.azimuth) : "";
        case kColBackAzimuth:
            return p.backAzimuth > -1.0f ? Format("%.03f", p.backAzimuth) : "";
        case kColDistance:
            return positive(p.distance, "%.03f");
        case kColMb:
            return positive(p.mb, "%.1f");
        case kColMs:
            return positive(p.ms, "%.1f");
        case kColMplp:
            return positive(p.mplp, "%.1f");
        case kColMpsp:
            return positive(p.mpsp, "%.1f");
        case kColMl:
            return positive(p.ml, "%.1f");
        case kColClass:
            return positive(p.energyClass, "%.03f");
        case kColCoda:
            return positive(p.coda, "%.1f");
        case kColMcoda:
            return positive(p.mcoda, "%.1f");
        default:
            return {};
    }
}

bool IsEditableColumn(int column) {
    return column >= kColAmplitude && column <= kColCoda && column != kColBackAzimuth;
}

CellEdit ApplyCellEdit(SEISMIC_PHASE& p, int column, std::string_view text) {
    if (!IsEditableColumn(column)) return CellEdit::Rejected;
    text = Trim(text);
    std::optional<double> value;
    if (!text.empty()) {
        value = ParseNumber(text);
        if (!value) return CellEdit::Rejected;
    }
    switch (column) {
        case kColAmplitude:
        case kColPeriod:
            if (!value) {
                p.hasAmplitude = 0;
                return CellEdit::Changed;
            }
            if (column == kColAmplitude) {
                if (*value <= 0.0) return CellEdit::Ignored;
                p.amplitude = static_cast<float>(*value);
                if (!p.hasAmplitude) p.period = 1.0f;
            } else {
                p.period = static_cast<float>(*value);
                if (!p.hasAmplitude) p.amplitude = 1.0f;
            }
            p.hasAmplitude = 1;
            return CellEdit::Changed;
        case kColAzimuth:
            p.azimuth = value ? static_cast<float>(*value) : -1.0f;
            p.hasAzimuth = value ? 1 : 0;
            return CellEdit::Changed;
        case kColDistance:
            p.distance = static_cast<float>(value.value_or(-1.0));
            return CellEdit::Changed;
        case kColMb:
            p.mb = static_cast<float>(value.value_or(-1.0));
            return CellEdit::Changed;
        case kColMs:
            p.ms = static_cast<float>(value.value_or(-1.0));
            return CellEdit::Changed;
        case kColMplp:
            p.mplp = static_cast<float>(value.value_or(-1.0));
            return CellEdit::Changed;
        case kColMpsp:
            p.mpsp = static_cast<float>(value.value_or(-1.0));
            return CellEdit::Changed;
        case kColMl:
            p.ml = static_cast<float>(value.value_or(-1.0));
            return CellEdit::Changed;
        case kColClass:
            p.energyClass = value.value_or(-1.0);
            return CellEdit::Changed;
        case kColCoda:
            p.coda = value.value_or(-1.0);
            return CellEdit::Changed;
        default:
            return CellEdit::Rejected;
    }
}

PickCheck CheckStateOf(const SEISMIC_PHASE& p) {
    if (p.included) return PickCheck::Included;
    if (p.outlier) return PickCheck::Outlier;
    return p.savable ? PickCheck::Excluded : PickCheck::NotSaved;
}

void ToggleIncluded(SEISMIC_PHASE& p, bool phaseHasCurve) {
    if (p.included) {
        p.included = 0;
        p.keptByAnalyst = 0;
    } else if (phaseHasCurve) {
        p.included = 1;
        p.keptByAnalyst = p.outlier;
    }
    p.outlier = 0;
    p.savable = 1;
}

bool IsSortableColumn(int column) {
    switch (column) {
        case kColStation:
        case kColChannel:
        case kColPhase:
        case kColTime:
        case kColResidual:
        case kColAzimuth:
        case kColBackAzimuth:
        case kColDistance:
            return true;
        default:
            return false;
    }
}

void SortPhaseRows(std::vector<SEISMIC_PHASE*>& rows, int column, bool descending,
                   const PhaseCatalogue& catalogue, const PhaseStations* stations) {
    if (!IsSortableColumn(column)) return;
    auto station = [&](const SEISMIC_PHASE* p) {
        return stations ? stations->StationName(p->stationIndex) : std::string();
    };
    auto channel = [&](const SEISMIC_PHASE* p) {
        return stations ? stations->ChannelName(p->stationIndex, p->channelIndex) : std::string();
    };
    // Every key is a tuple compared lexicographically, so the order is a strict weak ordering
    // whatever the values (NaN times included: they count as missing).
    auto less = [&](const SEISMIC_PHASE* a, const SEISMIC_PHASE* b) {
        auto time = [](const SEISMIC_PHASE* p) { return Presence(true, p->time); };
        switch (column) {
            case kColStation:
                return std::tuple(station(a), time(a)) < std::tuple(station(b), time(b));
            case kColChannel:
                return std::tuple(channel(a), station(a), time(a)) <
                       std::tuple(channel(b), station(b), time(b));
            case kColPhase:
                return catalogue.Name(a->phaseIndex) < catalogue.Name(b->phaseIndex);
            case kColTime:
                return time(a) < time(b);
            case kColResidual:
                return Presence(a->hasResidual, a->residual) < Presence(b->hasResidual, b->residual);
            case kColAzimuth:
                return Presence(a->hasAzimuth, a->azimuth) < Presence(b->hasAzimuth, b->azimuth);
            case kColBackAzimuth:
                return Presence(a->backAzimuth > -1.0f, a->backAzimuth) <
                       Presence(b->backAzimuth > -1.0f, b->backAzimuth);
            case kColDistance:
                return Presence(a->distance > 0.0f, a->distance) < Presence(b->distance > 0.0f, b->distance);
            default:
                return false;
        }
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const SEISMIC_PHASE* a, const SEISMIC_PHASE* b) {
        return descending ? less(b, a) : less(a, b);
    });
}

ManualPickResult BuildManualPick(const ManualPick& in, const PhaseCatalogue& catalogue) {
    ManualPickResult result;
    if (in.station < 0) {
        result.error = Tr("Выберите сейсмическую станцию");
        return result;
    }
    if (in.channel < 0 || in.channel >= kChannelSlots) {
        result.error = Tr("Выберите канал");
        return result;
    }
    if (in.phase < 0 || in.phase >= catalogue.Count()) {
        result.error = Tr("Выберите фазу");
        return result;
    }
    std::optional<Date> date = ParseDate(in.date);
    if (!date) {
        result.error = Tr("Введите правильную дату");
        return result;
    }
    std::optional<double> clock = ParseClock(in.time);
    if (!clock) {
        result.error = Tr("Введите правильное время");
        return result;
    }
    SEISMIC_PHASE pick;
    SetPickTime(pick, CalendarToEpoch(date->year, date->month, date->day, 0, 0, 0.0) + *clock);
    pick.stationIndex = in.station;
    pick.channelIndex = in.channel;
    pick.phaseIndex = in.phase;
    pick.firstMotion = static_cast<std::uint8_t>(std::clamp(in.firstMotion, 0, kFirstMotionCount - 1));
    pick.weight = static_cast<std::uint8_t>(std::clamp(in.weight, 0, kMaxWeight));
    pick.onset = static_cast<std::uint8_t>(std::clamp(in.onset, 0, 3));
    pick.included = catalogue.HasCurve(in.phase) ? 1 : 0;
    result.pick = pick;
    return result;
}

std::optional<std::string> ApplyPhaseEdit(ZELPhases& list, SEISMIC_PHASE& pick, const PhaseEdit& edit,
                                          const PhaseCatalogue& catalogue) {
    if (edit.phase < 0 || edit.phase >= catalogue.Count()) return std::string(Tr("Выберите фазу"));
    if (edit.phase != pick.phaseIndex) {
        const SEISMIC_PHASE* other = list.Find(pick.stationIndex, pick.channelIndex, edit.phase);
        if (other && other != &pick) return std::string(Tr("Выбранная фаза уже существует"));
    }
    pick.firstMotion = static_cast<std::uint8_t>(std::clamp(edit.firstMotion, 0, kFirstMotionCount - 1));
    pick.weight = static_cast<std::uint8_t>(std::clamp(edit.weight, 0, kMaxWeight));
    pick.onset = static_cast<std::uint8_t>(std::clamp(edit.onset, 0, 3));
    pick.phaseIndex = edit.phase;
    pick.chanType = edit.chanType;
    pick.remark = CutToCharacters(edit.remark, kRemarkLength);
    pick.savable = 1;
    if (!catalogue.HasCurve(pick.phaseIndex)) pick.included = 0;
    return std::nullopt;
}

std::string CutToCharacters(std::string_view text, std::size_t count) {
    std::size_t bytes = 0, characters = 0;
    while (bytes < text.size() && characters < count) {
        ++bytes;
        // Continuation bytes belong to the character already counted.
        while (bytes < text.size() && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) ++bytes;
        ++characters;
    }
    return std::string(text.substr(0, bytes));
}

}  // namespace zel
