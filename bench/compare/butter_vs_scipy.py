#!/usr/bin/python3
"""Zero-phase Butterworth band-pass over a channel-day: ZEL's benchmark against SciPy's sosfilt.

Usage: /usr/bin/python3 bench/compare/butter_vs_scipy.py [path/to/Butterworth_bench]
(default build/flt-rel/bench/Butterworth_bench). Both filter the same 8.64 M float32 samples
(100 sps): forward then backward from zero state, band 1-5 Hz, orders 4 and 10. Prints the times
and the ratio SciPy / ZEL (above 1: ZEL is faster).
"""
import json
import os
import subprocess
import sys
import tempfile
import time

import numpy as np
from scipy import signal

FS = 100.0
N = 8_640_000


def make_signal():
    rng = np.random.default_rng(12345)
    t = np.arange(N)
    return (rng.uniform(-1000, 1000, N) + 500 * np.sin(0.02 * t)).astype(np.float32)


def scipy_seconds(x, order, repeats=3):
    sos = signal.butter(order, [1.0, 5.0], btype="bandpass", fs=FS, output="sos")
    best = float("inf")
    for _ in range(repeats):
        start = time.perf_counter()
        y = signal.sosfilt(sos, x)
        y = signal.sosfilt(sos, y[::-1])[::-1]
        best = min(best, time.perf_counter() - start)
    return best


def zel_seconds(binary, path):
    env = dict(os.environ, ZEL_BENCH_SIGNAL=path)
    out = subprocess.run([binary, "--benchmark_filter=BM_ZeroPhaseBandPass", "--benchmark_format=json",
                          "--benchmark_repetitions=3", "--benchmark_report_aggregates_only=true"],
                         env=env, check=True, capture_output=True, text=True).stdout
    result = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        scale = {"ms": 1e-3, "us": 1e-6, "ns": 1e-9, "s": 1.0}[b["time_unit"]]
        result[int(b["run_name"].split("/")[-1])] = b["real_time"] * scale
    return result


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else "build/flt-rel/bench/Butterworth_bench"
    x = make_signal()
    with tempfile.NamedTemporaryFile(suffix=".f32", delete=False) as f:
        x.tofile(f)
        path = f.name
    try:
        ours = zel_seconds(binary, path)
    finally:
        os.unlink(path)
    print(f"channel-day {N} samples at {FS:g} sps, zero-phase band-pass 1-5 Hz")
    for order in (4, 10):
        theirs = scipy_seconds(x, order)
        print(f"order {order:2d}: ZEL {ours[order] * 1e3:8.1f} ms   SciPy sosfilt x2 {theirs * 1e3:8.1f} ms   "
              f"ratio SciPy/ZEL {theirs / ours[order]:.2f}")


if __name__ == "__main__":
    main()
