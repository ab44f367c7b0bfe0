#!/usr/bin/python3
"""Reference values for the travel-time spline tests, from SciPy's natural cubic spline.

Run from this folder with Debian's python3 (numpy, scipy):
    /usr/bin/python3 make_spline_reference.py ../../../resources/traveltimes/iasp91/P > spline_reference.txt

For every depth row, each run of existing values (between gaps, -1) gets its own
scipy.interpolate.CubicSpline(bc_type='natural'). A lookup at (depth, distance) uses the distance
bracket [x[k], x[k+1]] with x[k] <= d < x[k+1] (the last bracket at the last distance). On a
tabulated distance a row gives its tabulated value when there is one; elsewhere a row gives -1 when
either end of the bracket is a gap. Between two depth rows both must give a value and they are
interpolated linearly in depth; on a tabulated depth only that row is used. Outside the table: -1.
Columns: curve depth distance expected_seconds.
"""
import sys
import numpy as np
from scipy.interpolate import CubicSpline


def load(path):
    lines = open(path).read().split('\n')[1:]
    toks = ' '.join(l.split('#')[0] for l in lines).split()
    n = int(toks[0]); dep = np.array(toks[1:1 + n], float)
    m = int(toks[1 + n]); dist = np.array(toks[2 + n:2 + n + m], float)
    t = np.array(toks[2 + n + m:2 + n + m + n * m], float).reshape(n, m)
    return dep, dist, t


def row_value(x, y, d):
    k = int(np.clip(np.searchsorted(x, d, side='right') - 1, 0, len(x) - 2))
    for knot in (k, k + 1):
        if d == x[knot] and y[knot] != -1:
            return float(y[knot])
    if y[k] == -1 or y[k + 1] == -1:
        return -1.0
    lo = k
    while lo > 0 and y[lo - 1] != -1:
        lo -= 1
    hi = k + 1
    while hi < len(x) - 1 and y[hi + 1] != -1:
        hi += 1
    return float(CubicSpline(x[lo:hi + 1], y[lo:hi + 1], bc_type='natural')(d))


def lookup(table, depth, d):
    dep, x, t = table
    if not (dep[0] <= depth <= dep[-1]) or not (x[0] <= d <= x[-1]):
        return -1.0
    lo = int(np.clip(np.searchsorted(dep, depth, side='right') - 1, 0, len(dep) - 2))
    hi = lo + 1
    w = (depth - dep[lo]) / (dep[hi] - dep[lo])
    a = row_value(x, t[lo], d) if w < 1 else 0.0
    b = row_value(x, t[hi], d) if w > 0 else 0.0
    if a < 0 or b < 0:
        return -1.0
    return a + w * (b - a)


def main():
    out = []
    synth = load('spline_gaps')
    for depth in (0.0, 4.0, 10.0, -0.5, 10.5):
        for d in list(np.round(np.linspace(-0.25, 15.25, 63), 4)) + list(synth[1]):
            out.append(('spline_gaps', depth, d, lookup(synth, depth, d)))
    p = load(sys.argv[1])
    for depth in (33.0, 41.5, 700.0):
        for d in list(np.round(np.arange(0.13, 99.5, 1.37), 4)) + [0.0, 97.999, 98.0, 98.25]:
            out.append(('P', depth, d, lookup(p, depth, d)))
    for curve, depth, d, v in out:
        print(f'{curve} {depth:g} {d:.4f} {v:.6f}')


main()
