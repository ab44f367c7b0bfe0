#include "dsp/Response.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <numbers>
#include <sstream>

#include "base/Strings.h"
#include "base/ZelError.h"
#include "db/Odbc.h"

namespace zel {
namespace {

using Complex = std::complex<double>;

// Reads a double at the front of `s` (after blanks); advances past it.
bool ReadNumber(std::string_view& s, double& value) {
    std::size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    if (i == s.size()) return false;
    const std::string token(s.substr(i, std::min<std::size_t>(64, s.size() - i)));
    char* end = nullptr;
    value = std::strtod(token.c_str(), &end);
    if (end == token.c_str() || !std::isfinite(value)) return false;
    s.remove_prefix(i + static_cast<std::size_t>(end - token.c_str()));
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text, std::string_view breaks) {
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || breaks.find(text[i]) != std::string_view::npos) {
            lines.push_back(text.substr(from, i - from));
            from = i + 1;
        }
    }
    return lines;
}

Complex Response(const PolesZeros& pz, double f) {
    const Complex s(0.0, 2 * std::numbers::pi * f);
    Complex h = pz.constant;
    for (const Complex& z : pz.zeros) h *= s - z;
    for (const Complex& p : pz.poles) h /= s - p;
    return h;
}

}  // namespace

Complex PolesZeros::InverseResponse(double f) const {
    if (!loaded) return 0.0;
    const Complex h = Response(*this, f);
    if (std::abs(h) == 0 || !std::isfinite(std::abs(h))) return -1.0;
    return 1e9 / h;
}

std::pair<double, double> PolesZeros::AmplitudePhase(double f) const {
    const Complex h = Response(*this, f);
    if (std::abs(h) == 0) return {-1.0, 0.0};
    const Complex r = 1.0 / h;
    return {std::abs(r) * 1e9, std::arg(r) * 180 / std::numbers::pi};
}

std::optional<PolesZeros> ParsePolesZeros(std::string_view text) {
    PolesZeros pz;
    std::vector<Complex>* list = nullptr;
    std::size_t next = 0;
    bool any = false;
    for (std::string_view line : SplitLines(text, "\r\n|;")) {
        line = TrimmedView(line);
        if (line.empty() || line.front() == '*') continue;  // SAC comment lines
        const std::size_t blank = line.find_first_of(" \t");
        const std::string word = UpperAscii(line.substr(0, blank));
        std::string_view rest = blank == std::string_view::npos ? std::string_view{} : line.substr(blank);
        const bool zeros = word.find("ZEROS") != std::string::npos;
        const bool poles = word.find("POLES") != std::string::npos;
        if (zeros || poles) {
            double n = 0;
            if (!ReadNumber(rest, n) || n < 0 || n > kMaxPolesZeros || n != std::trunc(n))
                return std::nullopt;
            list = zeros ? &pz.zeros : &pz.poles;
            list->assign(static_cast<std::size_t>(n), Complex{});
            next = 0;
            any = true;
        } else if (word.find("CONSTANT") != std::string::npos) {
            if (!ReadNumber(rest, pz.constant)) return std::nullopt;
            any = true;
        } else if (list != nullptr) {
            double re = 0, im = 0;
            if (!ReadNumber(line, re) || !ReadNumber(line, im)) return std::nullopt;
            if (next < list->size()) (*list)[next++] = Complex(re, im);
        }
    }
    if (!any) return std::nullopt;
    pz.loaded = true;
    return pz;
}

double ApResponse::Value(double f) const {
    if (frequency.empty() || f < frequency.front() || f > frequency.back()) return 0;
    const auto it = std::lower_bound(frequency.begin(), frequency.end(), static_cast<float>(f));
    const std::size_t i = static_cast<std::size_t>(it - frequency.begin());
    if (i < frequency.size() && frequency[i] == static_cast<float>(f)) return amplitude[i];
    if (i == 0) return amplitude.front();
    if (i >= frequency.size()) return amplitude.back();
    const double f0 = frequency[i - 1], f1 = frequency[i];
    return amplitude[i - 1] + (amplitude[i] - amplitude[i - 1]) * (f - f0) / (f1 - f0);
}

namespace {

// A table is usable when it has points and its frequencies rise.
bool Ascending(const ApResponse& r) {
    if (r.frequency.empty()) return false;
    for (std::size_t i = 1; i < r.frequency.size(); ++i)
        if (!(r.frequency[i] > r.frequency[i - 1])) return false;
    return true;
}

}  // namespace

ApResponse ReadFapFile(const std::string& path) {
    if (path.empty()) throw ZelError("Не задан файл АЧХ канала");
    std::string name = path;
    std::replace(name.begin(), name.end(), '\\', '/');
    std::ifstream in(name);
    if (!in) throw ZelError(Tr("Не удалось открыть файл АЧХ '%1'").arg(name));
    long long n = 0;
    if (!(in >> n)) throw ZelError(Tr("Файл АЧХ '%1' испорчен: нет числа точек").arg(name));
    if (n <= 0 || n > kMaxFapPoints)
        throw ZelError(Tr("Файл АЧХ '%1' испорчен: число точек %2").arg(name).arg(n));
    ApResponse r;
    r.frequency.reserve(static_cast<std::size_t>(n));
    r.amplitude.reserve(static_cast<std::size_t>(n));
    for (long long i = 0; i < n; ++i) {
        double f = 0, a = 0;
        if (!(in >> f >> a) || !std::isfinite(f) || !std::isfinite(a))
            throw ZelError(Tr("Файл АЧХ '%1' испорчен: прочитано %2 точек из %3").arg(name).arg(i).arg(n));
        r.frequency.push_back(static_cast<float>(f));
        r.amplitude.push_back(static_cast<float>(a));
    }
    if (!Ascending(r)) throw ZelError(Tr("Файл АЧХ '%1' испорчен: частоты не возрастают").arg(name));
    return r;
}

std::optional<ApResponse> ParseFapText(std::string_view text) {
    ApResponse r;
    for (std::string_view line : SplitLines(text, "\r\n|;")) {
        line = TrimmedView(line);
        if (line.empty()) continue;
        const std::string head = UpperAscii(line.substr(0, 3));
        if (head == "FAP" || head == "CAL") continue;
        double f = 0, a = 0;
        if (!ReadNumber(line, f) || !ReadNumber(line, a)) return std::nullopt;
        if (r.frequency.size() >= static_cast<std::size_t>(kMaxFapPoints)) return std::nullopt;
        r.frequency.push_back(static_cast<float>(f));
        r.amplitude.push_back(static_cast<float>(a));
    }
    if (!Ascending(r)) return std::nullopt;
    return r;
}

std::pair<std::string, std::vector<std::string>> CalibrationQuery(std::string_view column,
                                                                  const CalibrationKey& key) {
    std::vector<std::string> params;
    auto given = [](const std::string& v) { return !v.empty() && v != "??"; };
    std::string extra;
    auto addExtra = [&] {
        if (given(key.network)) extra += " AND (NETWORK=?)", params.push_back(key.network);
        if (given(key.location)) extra += " AND (LOCATION=?)", params.push_back(key.location);
    };
    std::string sql = "SELECT " + std::string(column) + " FROM CALIBRATION WHERE ((STA=?) AND (CHAN=?)";
    params = {key.station, key.channel};
    if (key.time) {
        char stamp[64] = "1970-01-01 00:00:00";
        const std::time_t t = static_cast<std::time_t>(std::floor(*key.time));
        std::tm tm{};
        if (gmtime_r(&t, &tm)) std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &tm);
        const std::string ts = std::string("{ts '") + stamp + "'}";
        sql += " AND (STARTDATE<=" + ts + ") AND (ENDDATE>" + ts + ")";
        addExtra();
        sql += extra + ") OR ((STA=?) AND (CHAN=?) AND (STARTDATE<=" + ts + ") AND (ENDDATE IS NULL)";
        params.push_back(key.station);
        params.push_back(key.channel);
        extra.clear();
        addExtra();
        sql += extra + ")";
    } else {
        sql += " AND (ENDDATE IS NULL)";
        addExtra();
        sql += extra + ")";
    }
    // Several open rows: the newest calibration wins, whatever order the back-end returns.
    sql += " ORDER BY STARTDATE DESC";
    return {sql, params};
}

std::optional<std::string> ReadCalibrationText(Db::Connection& work, std::string_view column,
                                               const CalibrationKey& key) {
    auto [sql, params] = CalibrationQuery(column, key);
    std::vector<Db::Value> values(params.begin(), params.end());
    Db::Statement st(work);
    st.execute(sql, values);
    if (!st.fetch()) return std::nullopt;
    std::optional<std::string> text = st.text(0);
    st.closeCursor();
    if (text && text->size() > 65535) text->resize(65535);
    return text;
}

std::optional<PolesZeros> LoadPolesZeros(Db::Connection& work, const CalibrationKey& key) {
    const std::optional<std::string> text = ReadCalibrationText(work, "SAC", key);
    if (!text || TrimmedView(*text).empty()) return std::nullopt;
    return ParsePolesZeros(*text);
}

std::optional<ApResponse> LoadFapTable(Db::Connection& work, const CalibrationKey& key) {
    const std::optional<std::string> text = ReadCalibrationText(work, "FAP", key);
    if (!text) return std::nullopt;
    return ParseFapText(*text);
}

double RecorderAmplitude(Db::Connection& work, const std::string& station, const std::string& channel,
                         const std::string& location, double time, double f) {
    const std::optional<PolesZeros> pz = LoadPolesZeros(work, {station, channel, "", location, time});
    if (!pz) return -1;
    return std::abs(pz->InverseResponse(f));
}

}  // namespace zel
