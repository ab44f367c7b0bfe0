#!/usr/bin/python3
"""Reference outputs for the Butterworth tests, from SciPy (Debian's python3-scipy).

Run from this folder with /usr/bin/python3 make_filter_oracle.py; it rewrites the *.txt files.
"""
import numpy as np
from scipy import signal

# name, order, btype, edges (Hz), sampling rate (Hz)
CASES = [
    ("lp", 4, "lowpass", 5.0, 100.0),
    ("hp", 3, "highpass", 2.0, 100.0),
    ("bp", 4, "bandpass", [1.0, 5.0], 100.0),
    ("br", 4, "bandstop", [2.0, 8.0], 100.0),
    ("bp_low_order8", 8, "bandpass", [0.2, 0.5], 20.0),
]

for name, order, btype, wn, fs in CASES:
    sos = signal.butter(order, wn, btype=btype, fs=fs, output="sos")
    edges = np.atleast_1d(wn)
    f = np.unique(np.concatenate([np.geomspace(0.01, 0.49 * fs, 80), edges]))
    _, h = signal.sosfreqz(sos, worN=f, fs=fs)
    with open(f"freqresp_{name}.txt", "w") as out:
        out.write(f"# scipy.signal.butter({order}, {list(edges)}, btype='{btype}', fs={fs}, output='sos')\n")
        out.write("# sosfreqz at the listed frequencies: f_Hz abs_H\n")
        out.write(f"# order {order} type {btype} fs {fs} edges {' '.join(str(e) for e in edges)}\n")
        for fi, hi in zip(f, h):
            out.write(f"{fi:.9g} {abs(hi):.9g}\n")

# The real trace of ../../../../shared/fixtures/oracle/rjob_input.txt (200 Hz), filtered by SciPy.
x = np.loadtxt("rjob_input.txt", comments="#")
for name, order, btype, wn in [("bp_1_5_n4", 4, "bandpass", [1.0, 5.0]), ("lp_5_n4", 4, "lowpass", 5.0),
                               ("hp_1_n4", 4, "highpass", 1.0)]:
    sos = signal.butter(order, wn, btype=btype, fs=200.0, output="sos")
    fwd = signal.sosfilt(sos, x)
    both = signal.sosfilt(sos, fwd[::-1])[::-1]  # zero state each way, no padding (not sosfiltfilt)
    with open(f"rjob_{name}.txt", "w") as out:
        out.write(f"# rjob_input.txt through scipy.signal.butter({order}, {wn}, btype='{btype}', fs=200, "
                  "output='sos')\n# columns: sosfilt forward, sosfilt forward then backward (zero state)\n")
        for a, b in zip(fwd, both):
            out.write(f"{a:.9g} {b:.9g}\n")
