#!/usr/bin/python3
"""Decodes the CM6-compressed GSE2 trace loc_RJOB20050831023349.z (RJOB Z, 200 Hz, 12000 counts)
into one integer per line, checking the file's CHK2 checksum, so the detector tests read plain
text. Usage: make_samples.py GSE2_FILE > rjob_z_counts.txt"""
import sys

ALPHABET = "+-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"


def cm6(text):
    values, value, first, sign = [], 0, True, 1
    for ch in text:
        code = ALPHABET.index(ch)
        if first:
            sign = -1 if code & 16 else 1
            value = code & 15
        else:
            value = value * 32 + (code & 31)
        first = not (code & 32)
        if first:
            values.append(sign * value)
            value = 0
    return values


def main(path):
    lines = open(path).read().splitlines()
    start = lines.index("DAT2") + 1
    end = next(i for i in range(start, len(lines)) if lines[i].startswith("CHK2"))
    count = int(lines[0][48:56])
    second = cm6("".join(l.strip() for l in lines[start:end]))[:count]
    first, samples = 0, []
    acc = 0
    for d2 in second:  # DIF2: integrate twice
        first += d2
        acc += first
        samples.append(acc)
    checksum = 0
    for s in samples:  # GSE2 CHK2
        s = s % 100000000 if s >= 0 else -((-s) % 100000000)
        checksum = (checksum + s) % 100000000
    assert abs(checksum) == int(lines[end].split()[1]), (checksum, lines[end])
    assert len(samples) == count
    sys.stdout.write("".join(f"{s}\n" for s in samples))


main(sys.argv[1])
