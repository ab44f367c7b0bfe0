#!/usr/bin/python3
"""ZEL against the reference an analyst would pick instead, or against a physical limit: one table.

Usage: /usr/bin/python3 bench/compare/zel_table.py [BUILD_DIR] [--repeats N]
(default build/default; its bench targets must be built). Each row runs the ZEL benchmark and its
reference N times, interleaved, and reports medians, so a load that comes and goes hits both
sides alike. The references run here, in this process:

- STA/LTA: a NumPy transcription of ObsPy's classic_sta_lta (its documented algorithm: cumulative
  sums of squares, the ratio of the window means, the first nlta samples zero), since ObsPy
  itself is not installable here;
- reading: pread of exactly the bytes ZEL reads on one core, measured inside the ZEL benchmark,
  warm and with the files evicted from the page cache; into a buffer kept for each piece (the
  goal's reference: a reader that hands its samples on must keep them) and, in brackets, into one
  reused buffer that never leaves the processor's cache;
- F-K: a NumPy delay-and-sum grid search (each channel moved by its rounded plane-wave delay,
  the beam's energy per grid point), row by row as a NumPy user would vectorise it;
- Butterworth: SciPy's sosfilt forward and backward on the same samples (butter_vs_scipy.py);
- drawing: the 60 frames per second budget (16.7 ms) and 1 ms for a cached repaint;
- formulas: the same expressions in NumPy on the same channel-day;
- both cores: the filter sheet's band-pass over 24 active panes of an hour each, side by side
  against the same panes one after another;
- zelbatch: its peak resident memory filtering and applying formulas to a channel-day (imported
  from a SAC file into a scratch disk loop) above the same command over one second, in units of
  the raw samples (8.64 M float32, 34.6 MB).

Ratios are "reference / ZEL" for times (above 1: ZEL is faster) and "ZEL / reference" for rates.
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import butter_vs_scipy  # noqa: E402

SPS = 100.0
DAY = 8_640_000


def zel_runs(binary, name_filter, cwd=None, env=None):
    """One run of the benchmarks matching name_filter: {name: (real ms, counters)}."""
    out = subprocess.run([binary, f"--benchmark_filter={name_filter}", "--benchmark_format=json"],
                         cwd=cwd, env=dict(os.environ, **(env or {})), check=True,
                         capture_output=True, text=True).stdout
    result = {}
    for b in json.loads(out)["benchmarks"]:
        scale = {"ms": 1.0, "us": 1e-3, "ns": 1e-6, "s": 1e3}[b["time_unit"]]
        result[b["name"]] = (b["real_time"] * scale, b)
    return result


def seconds(fn, *args):
    """Wall time of one call, after one call that is not counted (first-touch of memory)."""
    fn(*args)
    start = time.perf_counter()
    fn(*args)
    return time.perf_counter() - start


# ---- references ----

def classic_sta_lta(a, nsta, nlta):
    """ObsPy's classic_sta_lta as documented, in NumPy."""
    sta = np.cumsum(a ** 2, dtype=np.float64)
    lta = sta.copy()
    sta[nsta:] = sta[nsta:] - sta[:-nsta]
    sta /= nsta
    lta[nlta:] = lta[nlta:] - lta[:-nlta]
    lta /= nlta
    sta[:nlta - 1] = 0
    lta[lta < np.finfo(0.0).tiny] = np.finfo(0.0).tiny
    return sta / lta


def fk_delay_and_sum(x, offsets, grid, sps, n):
    """Delay-and-sum power over a square slowness grid; x: channels x samples, marks from sample
    len/2 - n/2. Returns the power grid."""
    channels = x.shape[0]
    first = (x.shape[1] - n) // 2
    power = np.empty((grid.size, grid.size))
    idx = np.arange(n)
    for i, px in enumerate(grid):
        # delays of every channel for every py of this row: (py, channel)
        delay = px * offsets[:, 1][None, :] + grid[:, None] * offsets[:, 0][None, :]
        shift = np.rint(delay * sps).astype(np.int64)
        take = first + shift[:, :, None] + idx[None, None, :]
        beams = x[np.arange(channels)[None, :, None], take].sum(axis=1)
        power[i] = np.einsum("ij,ij->i", beams, beams)
    return power


def several_functions(x, dx):
    """sqrt(abs(deriv(current-mean(current))*0.5+integ(center(current))/sizeof(current)))
    +smooth(current,5)^2, as NumPy would write it."""
    c = x - x.mean()
    deriv = np.gradient(c, dx)
    integ = np.cumsum(x - x.mean()) * dx
    smooth = np.convolve(x, np.full(5, 0.2), mode="same")
    return np.sqrt(np.abs(deriv * 0.5 + integ / x.size)) + smooth ** 2


def channel_day_blocks():
    t = np.arange(DAY) / SPS
    x = (1000.0 * np.sin(0.7 * t) + 300.0 * np.sin(13.1 * t) + 50.0).astype(np.float32)
    return np.split(x, 24)


# ---- rows ----

class Table:
    def __init__(self):
        self.rows = []

    def add(self, work, zel, reference, ratio, goal, met):
        self.rows.append((work, zel, reference, ratio, goal, "yes" if met else "no"))

    def print(self):
        head = ("work", "ZEL", "reference", "ratio", "goal", "met")
        print("| " + " | ".join(head) + " |")
        print("|" + "|".join("---" for _ in head) + "|")
        for r in self.rows:
            print("| " + " | ".join(r) + " |")


def median(values):
    return statistics.median(values)


def detector_row(table, bench, repeats):
    x = np.random.default_rng(1).uniform(-2048, 2048, DAY).astype(np.float32)
    zel = {10: [], 999: []}
    ref = {10: [], 999: []}
    for _ in range(repeats):
        runs = zel_runs(bench + "/StaLta_bench", "BM_ZelDetectorDay")
        for tlta in zel:
            zel[tlta].append(runs[f"BM_ZelDetectorDay/{tlta}"][0])
            ref[tlta].append(1e3 * seconds(classic_sta_lta, x, int(SPS), int(tlta * SPS)))
    z = [median(zel[t]) for t in (10, 999)]
    r = [median(ref[t]) for t in (10, 999)]
    ratios = [r[i] / z[i] for i in range(2)]
    table.add("STA/LTA over a channel-day, Tlta 10 / 999 s", f"{z[0]:.0f} / {z[1]:.0f} ms",
              f"NumPy classic_sta_lta {r[0]:.0f} / {r[1]:.0f} ms", f"{ratios[0]:.2f} / {ratios[1]:.2f}",
              "ref/ZEL >= 1, flat in Tlta", min(ratios) >= 1 and z[1] < 1.25 * z[0])


def reading_row(table, bench, repeats):
    cwd = os.path.dirname(bench)  # the benchmark finds resources/ relative to the build folder
    ratios = {(kind, ref): [] for kind in ("warm", "cold") for ref in ("kept", "plain")}
    zel = {"warm": [], "cold": []}
    for _ in range(repeats):
        runs = zel_runs(bench + "/LoadSegments_bench", "LoadSegmentsAgainstPlainRead", cwd=cwd)
        for name, (ms, b) in runs.items():
            kind = "cold" if "cold" in name else "warm"
            for ref in ("kept", "plain"):
                ratios[(kind, ref)].append(b[f"ratio_to_{ref}_read"])
            zel[kind].append(ms)
    r = {key: median(values) for key, values in ratios.items()}
    table.add("read 24 channel-hours from the disk loop, warm / cold",
              f"{median(zel['warm']):.1f} / {median(zel['cold']):.1f} ms",
              "pread of the same bytes into kept buffers (into one reused buffer)",
              f"ZEL/pread {r[('warm', 'kept')]:.2f} / {r[('cold', 'kept')]:.2f} "
              f"({r[('warm', 'plain')]:.2f} / {r[('cold', 'plain')]:.2f})",
              "<= 1.25 either way", max(r[("warm", "kept")], r[("cold", "kept")]) <= 1.25)


def fk_row(table, bench, repeats):
    rng = np.random.default_rng(2)
    n = 400
    x = rng.uniform(-0.5, 0.5, (10, 1400))
    offsets = rng.uniform(-3, 3, (10, 2))
    grid = -0.5 + np.arange(200) * (1.0 / 200)
    zel, ref = [], []
    for _ in range(repeats):
        runs = zel_runs(bench + "/Fk_bench", "BM_FkGridSearch/4")
        zel.append(runs["BM_FkGridSearch/4/real_time"][1]["points_per_s"])
        ref.append(grid.size ** 2 / seconds(fk_delay_and_sum, x, offsets, grid, SPS, n))
    z, r = median(zel), median(ref)
    table.add("F-K grid search, 200x200 grid, 10 stations, 4 s", f"{z / 1e3:.0f} k points/s",
              f"NumPy delay-and-sum {r / 1e3:.0f} k points/s", f"ZEL/ref {z / r:.2f}", "ZEL/ref >= 2", z / r >= 2)


def butterworth_row(table, bench, repeats):
    x = butter_vs_scipy.make_signal()
    with tempfile.NamedTemporaryFile(suffix=".f32", delete=False) as f:
        x.tofile(f)
        path = f.name
    zel = {4: [], 10: []}
    ref = {4: [], 10: []}
    try:
        for _ in range(repeats):
            runs = zel_runs(bench + "/Butterworth_bench", "BM_ZeroPhaseBandPass", env={"ZEL_BENCH_SIGNAL": path})
            for order in zel:
                zel[order].append(runs[f"BM_ZeroPhaseBandPass/{order}"][0])
                ref[order].append(1e3 * butter_vs_scipy.scipy_seconds(x, order, repeats=2))
    finally:
        os.unlink(path)
    z = [median(zel[o]) for o in (4, 10)]
    r = [median(ref[o]) for o in (4, 10)]
    ratios = [r[i] / z[i] for i in range(2)]
    table.add("zero-phase Butterworth band-pass, channel-day, order 4 / 10", f"{z[0]:.0f} / {z[1]:.0f} ms",
              f"SciPy sosfilt x2 {r[0]:.0f} / {r[1]:.0f} ms", f"{ratios[0]:.2f} / {ratios[1]:.2f}",
              "ref/ZEL >= 2", min(ratios) >= 2)


def drawing_row(table, bench, repeats):
    out = {"BM_FullRedraw24PanesZoomedOut": [], "BM_FullRedraw24PanesZoomedIn": [], "BM_RepaintFromCache": []}
    for _ in range(repeats):
        runs = zel_runs(bench + "/PaneDrawing_bench", "FullRedraw|RepaintFromCache")
        for name in out:
            out[name].append(runs[name][0])
    zo, zi, cache = (median(out[k]) for k in out)
    table.add("full redraw, 24 panes x 1 h, 1920x1080, zoomed out / in; cached repaint",
              f"{zo:.1f} / {zi:.1f} ms; {cache:.2f} ms", "60 fps: 16.7 ms; 1 ms",
              f"{16.7 / zo:.2f} / {16.7 / zi:.2f}; {1 / cache:.1f}", "< 16 ms; < 1 ms",
              max(zo, zi) < 16 and cache < 1)


def both_cores_row(table, bench, repeats):
    both, one = [], []
    for _ in range(repeats):
        runs = zel_runs(bench + "/PaneFilters_bench", "BM_FilterActivePanes")
        both.append(runs["BM_FilterActivePanesSideBySide/real_time"][0])
        one.append(runs["BM_FilterActivePanesOneByOne/real_time"][0])
    b, o = median(both), median(one)
    table.add("band-pass of 24 active panes x 1 h, on both cores", f"{b:.0f} ms", f"one core {o:.0f} ms",
              f"{o / b:.2f}", "one/both > 1", o > b)


def formula_row(table, bench, repeats):
    blocks = channel_day_blocks()

    def times_two():
        return (np.concatenate(blocks).astype(np.float64) * 2).astype(np.float32)

    def several():
        return several_functions(np.concatenate(blocks).astype(np.float64), 1 / SPS).astype(np.float32)

    zel = {"one_operator": [], "several_functions": []}
    ref = {"one_operator": [], "several_functions": []}
    for _ in range(repeats):
        runs = zel_runs(bench + "/Formula_bench", "BM_ChannelFormula")
        for key, fn in (("one_operator", times_two), ("several_functions", several)):
            zel[key].append(runs[f"BM_ChannelFormula/{key}/iterations:3"][0])
            ref[key].append(1e3 * seconds(fn))
    z = [median(zel[k]) for k in zel]
    r = [median(ref[k]) for k in ref]
    ratios = [r[i] / z[i] for i in range(2)]
    table.add("formula current*2 / several functions over a channel-day", f"{z[0]:.0f} / {z[1]:.0f} ms",
              f"NumPy {r[0]:.0f} / {r[1]:.0f} ms", f"{ratios[0]:.2f} / {ratios[1]:.2f}", "ref/ZEL >= 1",
              min(ratios) >= 1)


def write_sac(path, station, channel, x, sps):
    """A binary SAC file (little-endian): the header's unset fields -12345, then the samples."""
    floats = np.full(70, -12345.0, dtype="<f4")
    ints = np.full(40, -12345, dtype="<i4")
    chars = bytearray(b"-12345  " * 24)
    floats[0], floats[5], floats[6] = 1 / sps, 0.0, (x.size - 1) / sps  # DELTA, B, E
    ints[:6] = (2013, 166, 0, 0, 0, 0)  # 2013-06-15 00:00:00.000
    ints[6], ints[9], ints[15], ints[35] = 6, x.size, 1, 1  # NVHDR, NPTS, IFTYPE time series, LEVEN
    chars[0:8] = station.ljust(8).encode()
    chars[160:168] = channel.ljust(8).encode()
    with open(path, "wb") as f:
        f.write(floats.tobytes() + ints.tobytes() + bytes(chars) + x.astype("<f4").tobytes())


# The peak a child reports includes the memory of the process it was started from (the kernel
# carries the old image's high-water mark across exec), and this script holds hundreds of MB. So a
# small interpreter without NumPy starts the measured program and reports its peak.
PEAK_OF_CHILD = ("import os, subprocess, sys\n"
                 "child = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL)\n"
                 "_, status, usage = os.wait4(child.pid, 0)\n"
                 "print(usage.ru_maxrss if status == 0 else -1)\n")


def peak_rss_mb(argv, env):
    """Peak resident memory of one run of argv, in MB."""
    out = subprocess.run([sys.executable, "-c", PEAK_OF_CHILD, *argv], env=env, check=True,
                         capture_output=True, text=True)
    kb = int(out.stdout)
    if kb < 0:
        raise RuntimeError(f"{' '.join(argv)} failed: {out.stderr}")
    return kb / 1024


def zelbatch_row(table, build, repeats):
    zelbatch = os.path.join(build, "src", "zelbatch")
    raw_mb = DAY * 4 / 1e6
    transforms = {
        "filter": ["--type", "bandpass", "--low", "1", "--high", "5", "--order", "4"],
        "formula current*2": ["--formula", "current*2"],
        "several functions": ["--formula", "sqrt(abs(deriv(current-mean(current))*0.5+integ(center(current))"
                              "/sizeof(current)))+smooth(current,5)^2"],
    }
    with tempfile.TemporaryDirectory() as scratch:
        env = dict(os.environ, XDG_CONFIG_HOME=scratch + "/config", XDG_DATA_HOME=scratch + "/data")
        env.pop("ZEL_INI", None)
        os.mkdir(scratch + "/in")
        write_sac(scratch + "/in/day.sac", "ARS", "SHZ", np.concatenate(channel_day_blocks()), SPS)
        subprocess.run([zelbatch, "import", scratch + "/in"], env=env, check=True, capture_output=True)
        window = ["filter", "--station", "ARS", "--channel", "SHZ", "--from", "2013-06-15T00:00:00"]
        out = ["--output", scratch + "/out.zel", "--format", "zel"]
        ratios = {}
        for name, how in transforms.items():
            above = []
            for _ in range(repeats):
                idle = peak_rss_mb([zelbatch, *window, "--to", "2013-06-15T00:00:01", *how, *out], env)
                busy = peak_rss_mb([zelbatch, *window, "--to", "2013-06-16T00:00:00", *how, *out], env)
                above.append(busy - idle)
            ratios[name] = median(above) / raw_mb
    table.add("zelbatch RSS above idle on a channel-day: " + " / ".join(ratios),
              " / ".join(f"{r:.2f}x" for r in ratios.values()) + " the raw samples", "-", "-", "<= 2x",
              max(ratios.values()) <= 2)


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    repeats = 5
    if "--repeats" in sys.argv:
        repeats = int(sys.argv[sys.argv.index("--repeats") + 1])
        args = [a for a in args if a != str(repeats)]
    build = os.path.abspath(args[0] if args else "build/default")
    bench = os.path.join(build, "bench")
    print(f"load average before: {os.getloadavg()[0]:.2f} on {os.cpu_count()} cores; medians of {repeats} "
          "interleaved runs")
    table = Table()
    for row in (detector_row, reading_row, fk_row, butterworth_row, drawing_row, formula_row,
                both_cores_row):
        row(table, bench, repeats)
    zelbatch_row(table, build, repeats)
    table.print()
    print(f"load average after: {os.getloadavg()[0]:.2f}")


if __name__ == "__main__":
    main()
