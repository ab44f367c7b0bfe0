#!/usr/bin/python3
"""Reference for the poles-zeros tests, from SciPy (Debian's python3-scipy).

Run from this folder: /usr/bin/python3 make_response_oracle.py. Writes sacpz_inverse.txt:
f_Hz, |1e9 / H(i 2 pi f)|, phase of 1e9 / H in degrees, for SAC_PZs_NZ_CRLZ_HHZ (zeros not
listed are at the origin), H evaluated by scipy.signal.freqs_zpk.
"""
import numpy as np
from scipy import signal

zeros = [867.0788 + 904.7779j, 867.0788 - 904.7779j, 0, 0, 0]
poles = [-0.1593 + 0.1593j, -0.1593 - 0.1593j, -314.1590 + 202.3184j, -314.1590 - 202.3184j]
k = 7.459202e+07
f = np.geomspace(0.01, 40, 25)
_, h = signal.freqs_zpk(zeros, poles, k, worN=2 * np.pi * f)
inv = 1e9 / h
with open("sacpz_inverse.txt", "w") as out:
    out.write("# SAC_PZs_NZ_CRLZ_HHZ through scipy.signal.freqs_zpk: f_Hz abs(1e9/H) phase_deg(1e9/H)\n")
    for fi, v in zip(f, inv):
        out.write(f"{fi:.9g} {abs(v):.9g} {np.degrees(np.angle(v)):.9g}\n")
