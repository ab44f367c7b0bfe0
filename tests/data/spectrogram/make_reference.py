#!/usr/bin/python3
"""Reference spectrograms for tests/dsp/Spectrogram_test.cpp, worked out with SciPy.

Run with Debian's Python (NumPy 1.24, SciPy 1.10) in this folder:

    /usr/bin/python3 make_reference.py > reference.txt

The signal: 500 samples at 50 Hz of a linear chirp from 1 to 20 Hz, a 12.5 Hz sine of half
amplitude and a slow trend (so that every segment has a mean of its own to remove):

    x(t) = cos(2 pi (t + 19 t^2 / 20)) + 0.5 sin(2 pi 12.5 t + 0.3) + 0.2 t + 0.1,  t = i / 50

Every line is a keyword and blank-separated numbers (17 significant digits):

    input  dx  count  x...
    case   nperseg  noverlap  segments  bins  df
    t      the segment centres (SciPy's t)
    f      the frequencies
    p      the power, segment by segment (segments x bins)
    band   nperseg  noverlap  f1  f2  mean PSD of each segment over f1 <= f <= f2

A "t", "f" or "p" line belongs to the case before it.
"""
import numpy as np
from scipy import signal

FS = 50.0
N = 500
t = np.arange(N) / FS
x = np.cos(2 * np.pi * (t + 19 * t**2 / 20)) + 0.5 * np.sin(2 * np.pi * 12.5 * t + 0.3) + 0.2 * t + 0.1


def fmt(values):
    return " ".join("%.17g" % v for v in values)


def spectrogram(nperseg, noverlap):
    return signal.spectrogram(x, fs=FS, window="hann", nperseg=nperseg, noverlap=noverlap,
                              detrend="constant", scaling="density", mode="psd")


print("input", fmt([1 / FS, N]), fmt(x))
# 64/32: the last 20 samples do not fill a segment and are dropped; 100/75: a length that is not
# a power of two, the segments end exactly at the last sample; 45/0: odd, no Nyquist bin, no overlap.
for nperseg, noverlap in [(64, 32), (100, 75), (45, 0)]:
    f, ts, sxx = spectrogram(nperseg, noverlap)
    print("case", nperseg, noverlap, len(ts), len(f), fmt([f[1] - f[0]]))
    print("t", fmt(ts))
    print("f", fmt(f))
    print("p", fmt(sxx.T.ravel()))  # SciPy's Sxx is bins x segments

# The 12.5 Hz sine's band; every bin (the default of the formula); three bins of the odd length.
for nperseg, noverlap, f1, f2 in [(64, 32, 10.0, 15.0), (100, 75, 0.0, 25.0), (45, 0, 2.0, 4.5)]:
    f, ts, sxx = spectrogram(nperseg, noverlap)
    inside = (f >= f1) & (f <= f2)
    print("band", nperseg, noverlap, fmt([f1, f2]), fmt(sxx[inside, :].mean(axis=0)))
