#include "dsp/CascadeRun.h"

#include <algorithm>
#include <cmath>

namespace zel {
namespace {

constexpr int kLanes = 4;
// The shortest stretch a lane takes: correcting a stretch costs about as many samples as the
// sections' response takes to die away, which must stay small beside the stretch.
constexpr std::ptrdiff_t kMinStretch = std::ptrdiff_t{1} << 16;
// A response below this share of where it started has died away: what it would still add lies
// far below float32 rounding, whatever the sections' gain.
constexpr double kNegligible = 1e-18;

using Lanes4 = double __attribute__((vector_size(32)));

template <int N, class V>
struct Coefficients {
    V b0[N], b1[N], b2[N], a1[N], a2[N];
};

// w1[k], w2[k] hold the last two inputs of section k (w*[N] the last two outputs of the cascade):
// section k's outputs are section k+1's inputs.
template <int N, class V>
struct State {
    V w1[N + 1] = {}, w2[N + 1] = {};
};

// The coefficients as doubles, or the same in every lane (V{} + c broadcasts).
template <int N, class V>
void Load(const SectionCascade& s, Coefficients<N, V>& c) {
    for (int k = 0; k < N; ++k) {
        c.b0[k] = V{} + s.b[k][0];
        c.b1[k] = V{} + s.b[k][1];
        c.b2[k] = V{} + s.b[k][2];
        c.a1[k] = V{} + s.a[k][1];
        c.a2[k] = V{} + s.a[k][2];
    }
}

// One sample through every section; x becomes the cascade's output.
template <int N, class V>
[[gnu::always_inline]] inline void Step(V& x, const Coefficients<N, V>& c, State<N, V>& s) {
    for (int k = 0; k < N; ++k) {
        // Everything but b0 * x is known before x arrives: the cascade's chain per sample is one
        // multiply and one add per section.
        const V known =
            (c.b1[k] * s.w1[k] + c.b2[k] * s.w2[k]) - (c.a1[k] * s.w1[k + 1] + c.a2[k] * s.w2[k + 1]);
        const V y = known + c.b0[k] * x;
        s.w2[k] = s.w1[k];
        s.w1[k] = x;
        x = y;
    }
    s.w2[N] = s.w1[N];
    s.w1[N] = x;
}

template <int N, class T>
void Serial(T* p, std::ptrdiff_t count, int step, const Coefficients<N, double>& c, State<N, double>& s) {
    for (std::ptrdiff_t i = 0; i < count; ++i, p += step) {
        double x = static_cast<double>(*p);
        Step(x, c, s);
        *p = static_cast<T>(x);
    }
}

bool HasVectorLanes() {
    static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return has;
}

// count samples of each of four stretches side by side, all from a zero state; ends receives the
// state each stretch ended in.
template <int N, class T>
__attribute__((target("avx2,fma"))) void FourStretches(T* const (&starts)[kLanes], std::ptrdiff_t count,
                                                       int step, const SectionCascade& sections,
                                                       State<N, double> (&ends)[kLanes]) {
    Coefficients<N, Lanes4> c;
    Load(sections, c);
    State<N, Lanes4> s;
    T *p0 = starts[0], *p1 = starts[1], *p2 = starts[2], *p3 = starts[3];
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        Lanes4 x = {static_cast<double>(*p0), static_cast<double>(*p1), static_cast<double>(*p2),
                    static_cast<double>(*p3)};
        Step(x, c, s);
        *p0 = static_cast<T>(x[0]);
        *p1 = static_cast<T>(x[1]);
        *p2 = static_cast<T>(x[2]);
        *p3 = static_cast<T>(x[3]);
        p0 += step;
        p1 += step;
        p2 += step;
        p3 += step;
    }
    for (int j = 0; j < kLanes; ++j)
        for (int k = 0; k <= N; ++k) {
            ends[j].w1[k] = s.w1[k][j];
            ends[j].w2[k] = s.w2[k][j];
        }
}

// The largest magnitude in the state; infinity when a value is not finite.
template <int N>
double Largest(const State<N, double>& s) {
    double m = 0;
    for (int k = 0; k <= N; ++k)
        for (const double v : {s.w1[k], s.w2[k]}) {
            if (!std::isfinite(v)) return HUGE_VAL;
            m = std::max(m, std::fabs(v));
        }
    return m;
}

// Adds to the count samples from p on the cascade's response to no input from the state `from`,
// for as long as it lasts; what is left of it after them is added to the state `end`. A state
// that is not finite never dies away, as in one plain run it spoils every later sample.
template <int N, class T>
void AddFreeResponse(T* p, std::ptrdiff_t count, int step, const Coefficients<N, double>& c,
                     State<N, double> from, State<N, double>& end) {
    const double start = Largest(from);
    if (start == 0) return;
    const double negligible = std::isfinite(start) ? start * kNegligible : -1.0;
    for (std::ptrdiff_t i = 0; i < count; ++i, p += step) {
        double x = 0;
        Step(x, c, from);
        *p = static_cast<T>(static_cast<double>(*p) + x);
        if (i % 64 == 63 && Largest(from) <= negligible) return;
    }
    for (int k = 0; k <= N; ++k) {
        end.w1[k] += from.w1[k];
        end.w2[k] += from.w2[k];
    }
}

template <int N, class T>
void Run(T* first, std::ptrdiff_t count, int step, const SectionCascade& sections) {
    Coefficients<N, double> c;
    Load(sections, c);
    if (count < kLanes * kMinStretch || !HasVectorLanes()) {
        State<N, double> s;
        Serial(first, count, step, c, s);
        return;
    }
    // The sections are linear: each stretch's output is its response from a zero state plus
    // the response to the state the stretch before it truly ended in.
    const std::ptrdiff_t length = count / kLanes;
    T* const starts[kLanes] = {first, first + length * step, first + 2 * length * step,
                               first + 3 * length * step};
    State<N, double> ends[kLanes];
    FourStretches<N, T>(starts, length, step, sections, ends);
    for (int j = 1; j < kLanes; ++j) AddFreeResponse(starts[j], length, step, c, ends[j - 1], ends[j]);
    // The few samples past the fourth stretch continue it.
    Serial(first + kLanes * length * step, count - kLanes * length, step, c, ends[kLanes - 1]);
}

template <class T>
void Dispatch(T* first, std::ptrdiff_t count, int step, const SectionCascade& s) {
    switch (s.count) {
        case 1:
            return Run<1>(first, count, step, s);
        case 2:
            return Run<2>(first, count, step, s);
        case 3:
            return Run<3>(first, count, step, s);
        case 4:
            return Run<4>(first, count, step, s);
        case 5:
            return Run<5>(first, count, step, s);
        case 6:
            return Run<6>(first, count, step, s);
        case 7:
            return Run<7>(first, count, step, s);
        case 8:
            return Run<8>(first, count, step, s);
        case 9:
            return Run<9>(first, count, step, s);
        case 10:
            return Run<10>(first, count, step, s);
        default:
            return;
    }
}

}  // namespace

void RunSections(float* first, std::ptrdiff_t count, int step, const SectionCascade& sections) {
    Dispatch(first, count, step, sections);
}

void RunSections(double* first, std::ptrdiff_t count, int step, const SectionCascade& sections) {
    Dispatch(first, count, step, sections);
}

}  // namespace zel
