#include "events/TravelTimeTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <functional>

namespace zel {
namespace {

// Far beyond any real curve set (15 x 361 for the shipped ones), small enough that a damaged
// count cannot ask for gigabytes.
constexpr long long kMaxCells = 5'000'000;
constexpr std::size_t kMaxFileBytes = 128u << 20;
constexpr int kHalvings = 50;

bool IsGap(float value) { return value == kNoTravelTime; }

bool ParseDouble(std::string_view token, double& value) {
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    const char* end = token.data() + token.size();
    auto [ptr, ec] = std::from_chars(token.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

// The curve file's lines with comments cut off, read token by token.
class CurveReader {
  public:
    explicit CurveReader(std::string_view text) {
        std::size_t start = 0;
        bool first = true;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(start, end - start);
            if (!first) {  // the title line is ignored whatever it holds
                if (std::size_t hash = line.find('#'); hash != std::string_view::npos)
                    line = line.substr(0, hash);
                lines_.push_back(Split(line));
            }
            first = false;
            start = end + 1;
        }
    }

    // The next line with anything on it must hold just the count.
    bool Count(const char* what, long long limit, int& count, std::string& error) {
        while (line_ < lines_.size() && lines_[line_].empty()) ++line_;
        if (line_ >= lines_.size()) {
            error = std::string("no line with the number of ") + what;
            return false;
        }
        const std::vector<std::string_view>& tokens = lines_[line_];
        long long value = 0;
        auto [ptr, ec] = std::from_chars(tokens[0].data(), tokens[0].data() + tokens[0].size(), value);
        if (tokens.size() != 1 || ec != std::errc() || ptr != tokens[0].data() + tokens[0].size() ||
            value < 1 || value > limit) {
            error = "line " + std::to_string(line_ + 2) + ": bad number of " + what;
            return false;
        }
        count = static_cast<int>(value);
        ++line_;
        return true;
    }

    // `count` numbers from the following lines; the last of them must end its line.
    bool Numbers(const char* what, long long count, std::vector<float>& out, std::string& error) {
        out.clear();
        out.reserve(static_cast<std::size_t>(count));
        while (static_cast<long long>(out.size()) < count) {
            if (line_ >= lines_.size()) {
                error = std::string("the file ends inside the ") + what;
                return false;
            }
            const std::vector<std::string_view>& tokens = lines_[line_];
            if (static_cast<long long>(out.size() + tokens.size()) > count) {
                error = "line " + std::to_string(line_ + 2) + ": more " + what + " than counted";
                return false;
            }
            for (std::string_view token : tokens) {
                double value = 0.0;
                if (!ParseDouble(token, value)) {
                    error = "line " + std::to_string(line_ + 2) + ": '" + std::string(token) +
                            "' is not a number";
                    return false;
                }
                out.push_back(static_cast<float>(value));
            }
            ++line_;
        }
        return true;
    }

  private:
    static std::vector<std::string_view> Split(std::string_view line) {
        std::vector<std::string_view> tokens;
        std::size_t i = 0;
        auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
        while (i < line.size()) {
            while (i < line.size() && blank(line[i])) ++i;
            std::size_t begin = i;
            while (i < line.size() && !blank(line[i])) ++i;
            if (i > begin) tokens.push_back(line.substr(begin, i - begin));
        }
        return tokens;
    }

    std::vector<std::vector<std::string_view>> lines_;
    std::size_t line_ = 0;
};

bool StrictlyAscending(const std::vector<float>& values) {
    return std::adjacent_find(values.begin(), values.end(), std::greater_equal<float>()) == values.end();
}

// Second derivatives of a natural cubic spline along every depth row. Next to a gap the sweep
// restarts, so each run of existing values gets its own natural spline and nothing reaches
// across the gap.
void ComputeCoefficients(PHASEDATA& t) {
    const int m = t.distanceCount;
    const std::vector<float>& x = t.distances;
    t.secondDerivatives.assign(t.times.size(), 0.0f);
    std::vector<double> y2(m), u(m);
    for (int row = 0; row < t.depthCount; ++row) {
        const float* y = &t.times[static_cast<std::size_t>(row) * m];
        y2[0] = u[0] = 0.0;
        for (int i = 1; i < m - 1; ++i) {
            if (IsGap(y[i - 1]) || IsGap(y[i]) || IsGap(y[i + 1])) {
                y2[i] = u[i] = 0.0;
                continue;
            }
            const double sig = (double(x[i]) - x[i - 1]) / (double(x[i + 1]) - x[i - 1]);
            const double p = sig * y2[i - 1] + 2.0;
            y2[i] = (sig - 1.0) / p;
            const double slopes = (double(y[i + 1]) - y[i]) / (double(x[i + 1]) - x[i]) -
                                  (double(y[i]) - y[i - 1]) / (double(x[i]) - x[i - 1]);
            u[i] = (6.0 * slopes / (double(x[i + 1]) - x[i - 1]) - sig * u[i - 1]) / p;
        }
        y2[m - 1] = 0.0;
        for (int k = m - 2; k >= 0; --k) y2[k] = y2[k] * y2[k + 1] + u[k];
        float* out = &t.secondDerivatives[static_cast<std::size_t>(row) * m];
        for (int i = 0; i < m; ++i) out[i] = static_cast<float>(y2[i]);
    }
}

struct DepthBracket {
    int lo = 0;
    int hi = 0;
    double weight = 0.0;  // of the deeper row
};

bool FindDepth(const PHASEDATA& t, double depth, DepthBracket& b) {
    if (!t.loaded || t.depthCount < 1 || t.distanceCount < 2) return false;
    if (!(depth >= t.depths.front() && depth <= t.depths.back())) return false;  // NaN too
    int lo = 0, hi = t.depthCount - 1;
    while (hi - lo > 1) {
        const int mid = (hi + lo) / 2;
        if (t.depths[mid] > depth)
            hi = mid;
        else
            lo = mid;
    }
    b.lo = lo;
    b.hi = hi;
    const double span = double(t.depths[hi]) - t.depths[lo];
    b.weight = span > 0.0 ? (depth - t.depths[lo]) / span : 0.0;
    return true;
}

// Index k of the distance bracket [x[k], x[k+1]].
int FindSegment(const PHASEDATA& t, double distance) {
    int lo = 0, hi = t.distanceCount - 1;
    while (hi - lo > 1) {
        const int mid = (hi + lo) / 2;
        if (t.distances[mid] > distance)
            hi = mid;
        else
            lo = mid;
    }
    return lo;
}

double RowValue(const PHASEDATA& t, int row, int k, double d) {
    const std::size_t base = static_cast<std::size_t>(row) * t.distanceCount;
    const float ylo = t.times[base + k], yhi = t.times[base + k + 1];
    if (IsGap(ylo) || IsGap(yhi)) return kNoTravelTime;
    double h = double(t.distances[k + 1]) - t.distances[k];
    if (h == 0.0) h = 1e-7;
    const double a = (double(t.distances[k + 1]) - d) / h;
    const double b = (d - double(t.distances[k])) / h;
    return a * ylo + b * yhi +
           ((a * a * a - a) * t.secondDerivatives[base + k] +
            (b * b * b - b) * t.secondDerivatives[base + k + 1]) *
               (h * h) / 6.0;
}

// The time at distance d evaluated on bracket k (d may be either end of it), or -1.
// On a tabulated depth only that row counts.
double SegmentTime(const PHASEDATA& t, const DepthBracket& b, int k, double d) {
    const double tlo = b.weight == 1.0 ? 0.0 : RowValue(t, b.lo, k, d);
    const double thi = b.weight == 0.0 ? 0.0 : RowValue(t, b.hi, k, d);
    if (tlo < 0.0 || thi < 0.0) return kNoTravelTime;
    if (b.weight == 0.0) return tlo;
    if (b.weight == 1.0) return thi;
    return tlo + b.weight * (thi - tlo);
}

// Halves [lo, hi] (g changes sign over it) 50 times, stopping at an exact zero; the last midpoint.
template <class G>
double Bisect(double lo, double hi, double glo, const G& g) {
    double mid = lo;
    for (int i = 0; i < kHalvings; ++i) {
        mid = 0.5 * (lo + hi);
        const double gm = g(mid);
        if (gm == 0.0) return mid;
        if ((gm < 0.0) == (glo < 0.0)) {
            lo = mid;
            glo = gm;
        } else {
            hi = mid;
        }
    }
    return mid;
}

// Over the consecutive knots, the first interval where g exists at both ends and reaches 0.
// g(u, v, d) evaluates inside the interval [u, v]; a negative `valid` result means no value.
template <class G>
float FirstRoot(const std::vector<double>& knots, const G& g) {
    for (std::size_t i = 0; i + 1 < knots.size(); ++i) {
        const double u = knots[i], v = knots[i + 1];
        double gu = 0.0, gv = 0.0;
        auto inside = [&](double d, double& value) { return g(u, v, d, value); };
        if (!inside(u, gu) || !inside(v, gv)) continue;
        if (gu == 0.0) return static_cast<float>(u);
        if (gv == 0.0) return static_cast<float>(v);
        if ((gu < 0.0) == (gv < 0.0)) continue;
        const double root = Bisect(u, v, gu, [&](double d) {
            double value = 0.0;
            inside(d, value);
            return value;
        });
        return static_cast<float>(root);
    }
    return kNoTravelTime;
}

}  // namespace

bool ParseCurveText(std::string_view text, PHASEDATA& table, std::string* error) {
    std::string why;
    CurveReader reader(text);
    int n = 0, m = 0;
    std::vector<float> depths, distances, times;
    bool ok = reader.Count("depths", kMaxCells, n, why) && reader.Numbers("depths", n, depths, why) &&
              reader.Count("distances", kMaxCells, m, why) && reader.Numbers("distances", m, distances, why);
    if (ok && m < 2) {
        why = "a curve needs at least two distances";
        ok = false;
    }
    if (ok && (!StrictlyAscending(depths) || !StrictlyAscending(distances))) {
        why = "depths and distances must be strictly ascending";
        ok = false;
    }
    if (ok && static_cast<long long>(n) * m > kMaxCells) {
        why = "the table is too large";
        ok = false;
    }
    ok = ok && reader.Numbers("travel times", static_cast<long long>(n) * m, times, why);
    if (!ok) {
        if (error) *error = why;
        return false;
    }
    table.depthCount = n;
    table.distanceCount = m;
    table.depths = std::move(depths);
    table.distances = std::move(distances);
    table.times = std::move(times);
    ComputeCoefficients(table);
    table.loaded = true;
    return true;
}

bool ReadCurveFile(const std::string& path, PHASEDATA& table, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = "cannot open " + path;
        return false;
    }
    std::string text;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxFileBytes) {
            if (error) *error = path + " is too large for a curve file";
            return false;
        }
    }
    if (in.bad()) {
        if (error) *error = "cannot read " + path;
        return false;
    }
    return ParseCurveText(text, table, error);
}

void FreeTable(PHASEDATA& table) {
    table.depthCount = table.distanceCount = 0;
    table.depths = {};
    table.distances = {};
    table.times = {};
    table.secondDerivatives = {};
    table.loaded = false;
}

std::string CurveFilePath(std::string_view directory, std::string_view curveName) {
    if (curveName.empty() || curveName == "." || curveName == ".." ||
        curveName.find_first_of("/\\") != std::string_view::npos)
        return {};
    std::string path(directory);
    std::replace(path.begin(), path.end(), '\\', '/');
    if (!path.empty() && path.back() != '/') path += '/';
    path += curveName;
    return path;
}

float TravelTime(const PHASEDATA& table, float depth, float distance) {
    DepthBracket b;
    if (!FindDepth(table, depth, b)) return kNoTravelTime;
    if (!(distance >= table.distances.front() && distance <= table.distances.back())) return kNoTravelTime;
    const int k = FindSegment(table, distance);
    // A lookup on a tabulated distance or depth needs no value beyond it: the last time before
    // a gap, and a depth row whose deeper neighbour is all gap, are still answers.
    auto row = [&](int r) {
        for (int knot : {k, k + 1})
            if (distance == table.distances[knot] && !IsGap(table.Time(r, knot)))
                return double(table.Time(r, knot));
        return RowValue(table, r, k, distance);
    };
    const double tlo = b.weight == 1.0 ? 0.0 : row(b.lo);
    const double thi = b.weight == 0.0 ? 0.0 : row(b.hi);
    if (tlo < 0.0 || thi < 0.0) return kNoTravelTime;
    return static_cast<float>(b.weight == 0.0 ? tlo : b.weight == 1.0 ? thi : tlo + b.weight * (thi - tlo));
}

float DistanceForTime(const PHASEDATA& table, float time, float depth) {
    DepthBracket b;
    if (!std::isfinite(time) || !FindDepth(table, depth, b)) return kNoTravelTime;
    const std::vector<double> knots(table.distances.begin(), table.distances.end());
    return FirstRoot(knots, [&](double u, double v, double d, double& value) {
        const double t = SegmentTime(table, b, FindSegment(table, 0.5 * (u + v)), d);
        value = t - time;
        return t >= 0.0;
    });
}

float DistanceForDifference(const PHASEDATA& a, const PHASEDATA& b, float difference, float depth) {
    DepthBracket ba, bb;
    if (!std::isfinite(difference) || !FindDepth(a, depth, ba) || !FindDepth(b, depth, bb))
        return kNoTravelTime;
    const double first = std::max(a.distances.front(), b.distances.front());
    const double last = std::min(a.distances.back(), b.distances.back());
    if (!(first < last)) return kNoTravelTime;
    // Between consecutive knots of either grid both curves are single spline pieces.
    std::vector<double> knots{first, last};
    for (const PHASEDATA* t : {&a, &b})
        for (float x : t->distances)
            if (x > first && x < last) knots.push_back(x);
    std::sort(knots.begin(), knots.end());
    knots.erase(std::unique(knots.begin(), knots.end()), knots.end());
    return FirstRoot(knots, [&](double u, double v, double d, double& value) {
        const double mid = 0.5 * (u + v);
        const double ta = SegmentTime(a, ba, FindSegment(a, mid), d);
        const double tb = SegmentTime(b, bb, FindSegment(b, mid), d);
        value = ta - tb - difference;
        return ta >= 0.0 && tb >= 0.0;
    });
}

float DistanceForSlowness(const PHASEDATA& table, float slowness, float depth) {
    if (!table.loaded || table.distanceCount < 2) return 0.0f;
    const float start = table.distances.front() + 0.01f;
    const float end = table.distances.back() - 0.01f;
    const float step = (end - start) / 200.0f;
    if (!(step > 0.0f)) return 0.0f;
    float best = 999999.0f, found = 0.0f;
    for (int i = 0; i < 200; ++i) {
        const float d = start + static_cast<float>(i) * step;
        const float t0 = TravelTime(table, depth, d);
        const float t1 = TravelTime(table, depth, d + step);
        // A gap is no time: a difference with it is no slowness.
        if (t0 < 0.0f || t1 < 0.0f) continue;
        const float apparent = (t1 - t0) / (step * 111.0f);
        if (apparent > 0.0f && std::fabs(apparent - slowness) < best) {
            best = std::fabs(apparent - slowness);
            found = d;
        }
    }
    return found;
}

}  // namespace zel
