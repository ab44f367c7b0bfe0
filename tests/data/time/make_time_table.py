#!/usr/bin/env python3
"""Writes time_table.tsv: epoch seconds and what they are in the calendar, worked out by Python's
datetime (proleptic Gregorian, exact integer arithmetic) rather than by ZEL's own formulas.

    python3 make_time_table.py > time_table.tsv

Standard library only. The seed is fixed, so the output is the same on every run.

Rows: for every year 1800..2200 a random instant, the last instant of the year (23:59:59.999x,
which rounds into the next year at millisecond precision) and 1 March 00:00:00 plus a random
fraction (which tells leap years apart), then a few hand-picked epochs. Fractions have four
decimals and never end in 5, so rounding to milliseconds never meets a tie that binary floating
point could break either way.

Columns (tab separated):
  epoch                 decimal text
  year month day doy hour minute second weekday
                        calendar of floor(epoch); weekday 0 = Sunday
  ryear rdoy rhour rminute rsecond rms
                        the epoch rounded half up to whole milliseconds, as calendar fields
  code10                "yyyy:ddd-hh:mm:ss.mmm" of the rounded time
  code1                 "Mon dd, yyyy hh:mm:ss.mmm" of the rounded time; 25 blanks before 1970
  code5                 "Www mm/dd/yy" (yy = year - 1900) of the rounded time; 12 blanks before 1970
  uims                  "dd/mm/yyyy hh:mm:ss.mmm" of the rounded time
"""

import datetime
import random
from decimal import ROUND_HALF_UP, Decimal

EPOCH = datetime.datetime(1970, 1, 1)
MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
WEEKDAYS_FROM_MONDAY = ["Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"]


def seconds_since_epoch(dt):
    return (dt - EPOCH) // datetime.timedelta(seconds=1)


def row(epoch):
    whole = int(epoch.to_integral_value(rounding="ROUND_FLOOR"))
    t = EPOCH + datetime.timedelta(seconds=whole)
    rounded = epoch.quantize(Decimal("0.001"), rounding=ROUND_HALF_UP)
    rms = int(rounded * 1000)
    r = EPOCH + datetime.timedelta(milliseconds=rms)
    ms = r.microsecond // 1000
    doy = t.timetuple().tm_yday
    rdoy = r.timetuple().tm_yday
    weekday = (t.weekday() + 1) % 7
    code10 = f"{r.year:04d}:{rdoy:03d}-{r.hour:02d}:{r.minute:02d}:{r.second:02d}.{ms:03d}"
    if r.year < 1970:
        code1 = " " * 25
        code5 = " " * 12
    else:
        code1 = f"{MONTHS[r.month - 1]} {r.day:02d}, {r.year:04d} {r.hour:02d}:{r.minute:02d}:{r.second:02d}.{ms:03d}"
        code5 = f"{WEEKDAYS_FROM_MONDAY[r.weekday()]} {r.month:02d}/{r.day:02d}/{r.year - 1900:02d}"
    uims = f"{r.day:02d}/{r.month:02d}/{r.year:04d} {r.hour:02d}:{r.minute:02d}:{r.second:02d}.{ms:03d}"
    fields = [str(epoch), t.year, t.month, t.day, doy, t.hour, t.minute, t.second, weekday,
              r.year, rdoy, r.hour, r.minute, r.second, ms, code10, code1, code5, uims]
    return "\t".join(str(f) for f in fields)


def fraction(rng, low=0, high=9999):
    while True:
        f = rng.randint(low, high)
        if f % 10 != 5:
            return Decimal(f) / 10000


def main():
    rng = random.Random(19680101)
    epochs = []
    for year in range(1800, 2201):
        start = seconds_since_epoch(datetime.datetime(year, 1, 1))
        end = seconds_since_epoch(datetime.datetime(year + 1, 1, 1))
        epochs.append(Decimal(rng.randrange(start, end)) + fraction(rng))
        epochs.append(Decimal(end - 1) + fraction(rng, 9996, 9999))
        epochs.append(Decimal(seconds_since_epoch(datetime.datetime(year, 3, 1))) + fraction(rng))
    for text in ["0", "86399.9996", "951782400", "1293839999.5", "1371212423.5", "-63158400",
                 "-1.5", "-0.0004", "-0.0006", "-86400.0001", "4102444799.9999"]:
        epochs.append(Decimal(text))
    print("\t".join(["epoch", "year", "month", "day", "doy", "hour", "minute", "second", "weekday",
                     "ryear", "rdoy", "rhour", "rminute", "rsecond", "rms",
                     "code10", "code1", "code5", "uims"]))
    for e in epochs:
        print(row(e))


if __name__ == "__main__":
    main()
