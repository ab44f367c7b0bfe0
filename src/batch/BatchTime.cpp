#include "batch/BatchTime.h"

#include <cctype>
#include <cstdio>
#include <optional>

#include "base/TimeConversions.h"
#include "base/UserText.h"
#include "batch/BatchArgs.h"

namespace zel::batch {

namespace {

// Reads exactly `digits` digits at pos.
bool Digits(const std::string& text, std::size_t& pos, int digits, int& value) {
    value = 0;
    for (int i = 0; i < digits; ++i, ++pos) {
        if (pos >= text.size() || !std::isdigit(static_cast<unsigned char>(text[pos]))) return false;
        value = value * 10 + (text[pos] - '0');
    }
    return true;
}

bool Char(const std::string& text, std::size_t& pos, char c) {
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

// YYYY-MM-DD[(T| )HH:MM[:SS[.fff]]][Z]
std::optional<double> ParseIso(const std::string& text) {
    std::size_t pos = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    double fraction = 0.0;
    if (!Digits(text, pos, 4, year) || !Char(text, pos, '-') || !Digits(text, pos, 2, month) || !Char(text, pos, '-') ||
        !Digits(text, pos, 2, day))
        return std::nullopt;
    if (year < 1 || !IsValidDate(year, month, day)) return std::nullopt;
    if (Char(text, pos, 'T') || Char(text, pos, ' ')) {
        if (!Digits(text, pos, 2, hour) || !Char(text, pos, ':') || !Digits(text, pos, 2, minute)) return std::nullopt;
        if (Char(text, pos, ':')) {
            if (!Digits(text, pos, 2, second)) return std::nullopt;
            if (Char(text, pos, '.')) {
                double scale = 0.1;
                std::size_t start = pos;
                for (; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])); ++pos, scale /= 10.0)
                    fraction += (text[pos] - '0') * scale;
                if (pos == start) return std::nullopt;
            }
        }
        if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    }
    Char(text, pos, 'Z');
    if (pos != text.size()) return std::nullopt;
    return CalendarToEpoch(year, month, day, hour, minute, second + fraction);
}

}  // namespace

double ParseBatchTime(const std::string& text, const std::string& what) {
    if (auto epoch = ParseIso(text)) return *epoch;
    if (text.find('/') != std::string::npos) {
        if (auto epoch = ParseUiDateTime(text)) return *epoch;
    } else if (text.find(':') == std::string::npos && text.find('-', 1) == std::string::npos) {
        try {
            double epoch = ParseNumber(text, what);
            if (epoch >= kFirstEpoch && epoch < kEndEpoch) return epoch;
        } catch (const UsageError&) {
        }
    }
    throw UsageError(
        Tr("%1: '%2' is not a time (e.g. 2026-12-08T10:00:00, 08/12/2026 10:00:00 or epoch seconds)")
            .arg(what)
            .arg(text));
}

std::string FormatBatchTime(double epoch) {
    auto t = EpochToYdhms(epoch, 3);
    if (!t) return "?";
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", t->year, t->month, t->day, t->hour, t->minute,
                  t->wholeSecond(), t->fraction);
    return text;
}

}  // namespace zel::batch
