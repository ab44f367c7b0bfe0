#!/usr/bin/python3
"""Reference outputs for the formula functions, worked out with NumPy and SciPy.

Run with Debian's Python (it has numpy and scipy):

    /usr/bin/python3 make_reference.py > reference.tsv

Every line is tab-separated:

    input  <name>  <dx>  <samples>
    case   <formula>  <scale>  <rtol>  <atol>  <dx>  <samples>

<samples> are blank-separated, printed with 17 significant digits. An "input" line defines a
workspace signal (w0, w1, ...) that the formulas of the "case" lines use. A case passes when the
interval matches and every sample is within atol + rtol * S of the expected value, S being
max|expected| when <scale> is "max" and the sample's own |expected| when it is "each".
Two cases are not formulas: "besseli0" holds ten arguments x followed by I0(x), and
"rand(10,0.5)" expects the generator freshly seeded with 1.

The oracles are NumPy's FFT, gradient, diff, convolve, polyfit and histogram, SciPy's
cumulative_trapezoid, resample, uniform moving average and modified Bessel function i0, and
numpy.linalg.eigh for the polarization measures. Where the formula language defines its own
variant (the sign of the exponent of spectrum/refft/imfft, the Hann and Kaiser windows laid over
the padded length, the polarization windows) the variant is written out below with those
library functions; nothing here copies the C++ code.
"""
import sys

import numpy as np
from scipy import integrate, signal, special

out = sys.stdout


def fmt(values):
    return " ".join("%.17g" % v for v in values)


def emit_input(name, dx, x):
    out.write("input\t%s\t%.17g\t%s\n" % (name, dx, fmt(x)))


def emit_case(formula, rtol, atol, dx, y, scale="max"):
    out.write("case\t%s\t%s\t%g\t%g\t%.17g\t%s\n" % (formula, scale, rtol, atol, dx, fmt(np.asarray(y, dtype=float))))


def pow2(n):
    p = 2
    while p < n:
        p *= 2
    return p


rng = np.random.default_rng(11)

# w0: 300 samples at 100 sps, two tones, a trend and noise. w1: the same law, 299 samples (odd).
dx0 = 0.01
i = np.arange(300)
x0 = np.sin(2 * np.pi * 0.05 * i) + 0.3 * np.cos(2 * np.pi * 0.21 * i + 0.4) + 0.01 * i + 0.2 * rng.standard_normal(300)
x1 = x0[:299].copy()
# w2: a short filter kernel; w3: 100 samples for interpolation; w4: 99 samples.
x2 = np.array([0.25, 0.5, -0.125, 1.0, 0.0625])
x3 = x0[:100].copy()
x4 = x0[:99].copy()
emit_input("w0", dx0, x0)
emit_input("w1", dx0, x1)
emit_input("w2", dx0, x2)
emit_input("w3", dx0, x3)
emit_input("w4", dx0, x4)

# Integral and derivatives.
emit_case("integ(w0)", 1e-13, 1e-13, dx0, integrate.cumulative_trapezoid(x0, dx=dx0, initial=0))
emit_case("deriv(w0)", 1e-12, 1e-12, dx0, np.gradient(x0, dx0))
emit_case("lderiv(w0)", 1e-12, 1e-12, dx0, np.diff(x0) / dx0)

# Spectra. The language's transform is X_k = sum x_j exp(+2 pi i j k / N), that is N * ifft; the
# power-of-two spectra are computed in single precision, hence the looser tolerance.
for name, x in (("w0", x0), ("w1", x1)):
    n = pow2(len(x))
    X = n * np.fft.ifft(np.concatenate([x, np.zeros(n - len(x))]))
    emit_case("spectrum(%s)" % name, 2e-6, 0, 1 / (n * dx0), np.abs(X[: n // 2]) / (len(x) // 2))
    emit_case("refft(%s)" % name, 2e-6, 0, 1 / (n * dx0), X[: n // 2].real)
    emit_case("imfft(%s)" % name, 2e-6, 0, 1 / (n * dx0), X[: n // 2].imag)
    m = len(x) + len(x) % 2
    Y = np.fft.fft(np.concatenate([x, np.zeros(m - len(x))]))
    emit_case("spectrum2(%s)" % name, 1e-12, 0, 1 / (m * dx0), np.abs(Y[: m // 2]) / (m // 2))
    c = len(x)
    Z = np.fft.fft(x)
    emit_case("dspectrum(%s)" % name, 1e-10, 0, 1 / (c * dx0), np.concatenate([np.abs(Z[: c // 2]) / (c * 0.5), [0.0]]))

# Averaged spectrum: windows of 64 samples every 40 samples while the start is below count - 64.
pts, shift = 64, 40
starts = range(0, len(x0) - pts, shift)
acc = np.zeros(pts // 2)
for s in starts:
    X = pts * np.fft.ifft(x0[s : s + pts])
    acc += np.abs(X[: pts // 2]) / (pts // 2)
emit_case("avspectrum(w0,64,40)", 2e-6, 0, 1 / (pts * dx0), acc / len(starts))

# Windows over the padded length N.
n = pow2(len(x0))
hann = 0.5 * (1 - np.cos(2 * np.pi * np.arange(len(x0)) / (n - 1)))
emit_case("hanning(w0)", 1e-13, 1e-15, dx0, np.concatenate([x0 * hann, np.zeros(n - len(x0))]))
for beta in (7.865, 3.0, 40.0):
    c = np.arange(len(x0)) - n / 2
    arg = np.pi * beta * np.sqrt(1 - (2 * c / n) ** 2)
    win = special.i0(arg) / special.i0(np.pi * beta)
    y = np.concatenate([x0 * win, np.zeros(n - len(x0))])
    # The Abramowitz-Stegun polynomials are good to 1.9e-7 absolute on a value near 0.4, about 5e-7
    # relative, and a window sample is the ratio of two of them: compare each sample relative to
    # its own size with 1e-6, down to the tiny edge values of a large beta.
    formula = "kaiser(w0)" if beta == 7.865 else "kaiser(w0,%g)" % beta
    emit_case(formula, 1e-6, 1e-300, dx0, y, scale="each")

# Band-limited interpolation.
for name, x in (("w3", x3), ("w4", x4)):
    for k in (2, 5):
        emit_case("interpolate(%s,%d)" % (name, k), 1e-12, 1e-12, dx0 / k, signal.resample(x, len(x) * k))

# Convolution, straight line, moving average, histogram.
emit_case("conv(w0,w2)", 1e-13, 1e-13, dx0, np.convolve(x0, x2))
p = np.polyfit(np.arange(len(x0)) * dx0, x0, 1)
emit_case("linreg(w0)", 1e-12, 1e-12, dx0, np.polyval(p, np.arange(len(x0)) * dx0))
half = 3
avg = np.convolve(x0, np.ones(2 * half + 1) / (2 * half + 1), mode="same")
sm = x0.copy()
sm[half : len(x0) - half - 1] = avg[half : len(x0) - half - 1]
emit_case("smooth(w0,3)", 1e-12, 1e-12, dx0, sm)
counts, _ = np.histogram(x0, bins=7, range=(-1.0, 3.5))
emit_case("dpv(w0,-1,3.5,7)", 0, 1e-15, 1.0, counts / len(x0))

# Generators.
emit_case("gsin(50,0.02,3.5,0.25)", 0, 1e-12, 0.02, np.sin(2 * np.pi * 3.5 * 0.02 * np.arange(50) + 0.25))
emit_case("gcos(50,0.02,3.5,0.25)", 0, 1e-12, 0.02, np.cos(2 * np.pi * 3.5 * 0.02 * np.arange(50) + 0.25))

# Polarization: a rectilinear wave arriving from azimuth 60 degrees, with some noise, then an
# elliptical one. Windows of N samples from s = N on, zero beyond the shortest component.
L, N = 160, 16
t = np.arange(L) * 0.05
wave = np.sin(2 * np.pi * 1.3 * t)
az = np.radians(60.0)
zc = 0.8 * wave + 0.05 * rng.standard_normal(L)
xc = 0.6 * wave * np.cos(az) + 0.05 * rng.standard_normal(L)
yc = 0.6 * wave * np.sin(az) + 0.3 * np.cos(2 * np.pi * 1.3 * t) * (t > 4) + 0.05 * rng.standard_normal(L)
emit_input("w5", 0.05, zc)
emit_input("w6", 0.05, xc)
emit_input("w7", 0.05, yc)
rect = np.zeros(L)
plan = np.zeros(L)
azim = np.zeros(L)
pad = lambda v: np.concatenate([v, np.zeros(N)])
Z, X, Yc = pad(zc), pad(xc), pad(yc)
for s in range(N, L):
    m = np.vstack([Z[s : s + N], X[s : s + N], Yc[s : s + N]])
    m = m - m.mean(axis=1, keepdims=True)
    cov = m @ m.T / N
    vals, vecs = np.linalg.eigh(cov)
    l3, l2, l1 = vals
    v1 = vecs[:, 2]
    rect[s] = 1 - (l2 + l3) / (2 * l1)
    plan[s] = 1 - 2 * l3 / (l1 + l2)
    a = np.degrees(np.arctan2(-v1[2], -v1[1]))
    azim[s] = a + 360 if a < 0 else a
emit_case("rectilin(w5,w6,w7,16)", 1e-9, 1e-9, 0.05, rect)
emit_case("planar(w5,w6,w7,16)", 1e-9, 1e-9, 0.05, plan)
# The sign of an eigenvector is arbitrary, so the test compares azimuths modulo 180 degrees. The
# rotations stop once the off-diagonal elements sum to 1e-6, which leaves the eigenvector good to
# about 1e-6 divided by the gap between the two largest eigenvalues: hence 1e-3 degrees.
emit_case("azimuth(w5,w6,w7,16)", 0, 1e-3, 0.05, azim)

# I0 itself at points on both sides of 3.75 (x, then I0(x)), and the C standard's example
# generator from seed 1 (values / 32767).
xs = np.array([0.0, 0.5, 1.0, 2.5, 3.75, 3.7500001, 5.0, 10.0, 24.7, 100.0])
emit_case("besseli0", 5e-7, 0, 1.0, np.concatenate([xs, special.i0(xs)]), scale="each")
state = 1
vals = []
for _ in range(10):
    state = (state * 1103515245 + 12345) % 2**32
    vals.append((state // 65536) % 32768)
emit_case("rand(10,0.5)", 0, 0, 0.5, np.array(vals) / 32767.0)
