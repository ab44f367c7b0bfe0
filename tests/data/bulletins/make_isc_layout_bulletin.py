"""Assembles isc_layout_1967.txt and isc_layout_1967_stations.csv, the ISC-layout test bulletin.

The lines follow the ISC's IMS1.0 bulletins of the 1960s (times to 0.1 s, ISC phase names PN, SN,
PG, SG, P*, S*, PCP, PKPDF, PKIKP, unassociated arrivals without a phase name such as the quoted
"TAB     3.40                01:21:28.0"); the event is assumed for the test: 1967-01-10
01:20:38.0, 41.40 N 45.80 E, 15 km, in the Caucasus. Arrival times are the shipped IASP91 curves
(../../../resources/traveltimes/iasp91, a natural cubic spline through each depth row, SciPy's
CubicSpline, linear in depth; geocentric distances) plus a fixed scatter, rounded to 0.1 s. On top:
six arrivals without a phase name, one of a station the table does not hold (LJU), one phase name
the catalogue does not know (PDIFF), a P at 100.35 degrees where the P curve has ended, a PKP
before its branch begins, and an S 289 s late.

    /usr/bin/python3 make_isc_layout_bulletin.py    (SciPy 1.10.1, NumPy 1.24.2 from Debian)
"""
import bisect, math, os
from scipy.interpolate import CubicSpline

HERE = os.path.dirname(os.path.abspath(__file__))
CURVES = os.path.join(HERE, '../../../resources/traveltimes/iasp91')
ORIGIN = (1 * 3600 + 20 * 60 + 38.0)  # seconds of 1967-01-10
EPI, DEPTH = (41.40, 45.80), 15.0

STATIONS = {'TIF': (41.72, 44.80), 'ERE': (40.18, 44.50), 'MAK': (42.98, 47.50), 'BAK': (40.38, 49.89),
            'TAB': (38.07, 46.33), 'KIV': (43.96, 42.69), 'SOC': (43.58, 39.72), 'TEH': (35.74, 51.38),
            'SIM': (44.95, 34.12), 'MSH': (36.31, 59.59), 'IST': (41.06, 29.06), 'JER': (31.77, 35.20),
            'SHI': (29.64, 52.52), 'HLW': (29.86, 31.34), 'ATH': (37.97, 23.72), 'QUE': (30.19, 66.95),
            'NUR': (60.51, 24.65), 'PRU': (49.99, 14.54), 'MOX': (50.65, 11.62), 'UPP': (59.86, 17.63),
            'COP': (55.68, 12.43), 'STU': (48.77, 9.19), 'NDI': (28.68, 77.22), 'KEV': (69.76, 27.01),
            'AAE': (9.03, 38.77), 'TOL': (39.88, -4.05), 'VAL': (51.94, -10.24), 'SHL': (25.57, 91.88),
            'BUL': (-20.14, 28.61), 'COL': (64.90, -147.79), 'SJG': (18.11, -66.15), 'GOL': (39.70, -105.37),
            'MUN': (-31.98, 116.21), 'BKS': (37.88, -122.24), 'PMG': (-9.41, 147.15), 'LPB': (-16.53, -68.10),
            'RIV': (-33.83, 151.16), 'NNA': (-11.99, -76.84), 'TAU': (-42.91, 147.32), 'WEL': (-41.29, 174.77)}
# (station, bulletin phase, curve, scatter s, defining); curve None: no time is computed (see below)
ARRIVALS = [('TIF', 'PG', 'P_g', 0.2, 'T'), ('TIF', 'SG', 'S_g', -0.3, 'T'), ('ERE', 'PG', 'P_g', -0.2, 'T'),
            ('ERE', 'SG', 'S_g', 0.4, 'T'), ('MAK', 'P*', 'P_g', 0.9, 'T'), ('MAK', 'SG', 'S_g', -0.4, 'T'),
            ('BAK', 'PN', 'P_n', 0.3, 'T'), ('BAK', 'SN', 'S_n', -0.6, 'T'), ('TAB', 'PN', 'P_n', -0.4, 'T'),
            ('KIV', 'PN', 'P_n', 0.5, 'T'), ('KIV', 'S*', 'S_g', 1.2, 'T'), ('SOC', 'PN', 'P_n', -0.1, 'T'),
            ('SOC', 'SN', 'S_n', 0.8, 'T'), ('TEH', 'PN', 'P_n', 0.6, 'T'), ('TEH', 'SN', 'S_n', -1.0, 'T'),
            ('SIM', 'PN', 'P_n', -0.7, 'T'), ('MSH', 'PN', 'P_n', 0.4, 'T'), ('IST', 'PN', 'P_n', -0.3, 'T'),
            ('JER', 'PN', 'P_n', 1.1, 'T'), ('SHI', 'PN', 'P_n', -0.9, 'T'), ('HLW', 'P', 'P', 0.5, 'T'),
            ('ATH', 'P', 'P', -0.6, 'T'), ('ATH', 'S', 'S', 1.3, 'T'), ('QUE', 'P', 'P', 0.2, 'T'),
            ('NUR', 'P', 'P', -0.4, 'T'), ('NUR', 'S', 'S', -1.2, 'T'), ('PRU', 'P', 'P', 0.7, 'T'),
            ('MOX', 'P', 'P', -0.2, 'T'), ('UPP', 'P', 'P', 0.3, 'T'), ('UPP', 'S', 'S', 289.0, 'T'),
            ('COP', 'P', 'P', -0.8, 'T'), ('STU', 'P', 'P', 0.1, 'T'), ('NDI', 'P', 'P', 1.0, 'T'),
            ('KEV', 'P', 'P', -0.5, 'T'), ('KEV', 'S', 'S', 0.9, 'T'), ('AAE', 'P', 'P', 0.6, 'T'),
            ('TOL', 'P', 'P', -1.1, 'T'), ('VAL', 'P', 'P', 0.4, 'T'), ('SHL', 'P', 'P', -0.3, 'T'),
            ('BUL', 'P', 'P', 0.8, 'T'), ('BUL', 'PCP', 'P_cP', -0.7, '_'), ('COL', 'P', 'P', -0.6, 'T'),
            ('SJG', 'P', 'P', 0.5, 'T'), ('GOL', 'P', 'P', -0.4, 'T'), ('MUN', 'P', 'P', 0.9, 'T'),
            ('BKS', 'P', None, 0.0, 'T'), ('PMG', 'PDIFF', None, 0.0, '_'), ('LPB', 'PKIKP', 'PKP(df)', 0.6, 'T'),
            ('RIV', 'PKPDF', 'PKP(df)', -0.5, 'T'), ('NNA', 'PKPDF', 'PKP(df)', 0.3, 'T'),
            ('TAU', 'PKPDF', 'PKP(df)', -0.9, 'T'), ('WEL', 'PKP', None, 0.0, 'T'), ('LJU', 'P', 'P', 0.2, 'T')]
# Times of arrivals no curve gives here: as the ISC would have them (a diffracted P, an early PKP).
FIXED = {('BKS', 'P'): 13.0 * 60 + 52.4, ('PMG', 'PDIFF'): 14.0 * 60 + 3.1, ('WEL', 'PKP'): 19.0 * 60 + 21.7}
# Arrivals no phase was given to (seconds after the origin); the first is the ISC's own line.
UNNAMED = [('TIF', 24.5), ('NUR', 367.2), ('PRU', 394.8), ('KEV', 505.9), ('COL', 772.0)]
QUOTED = (ORIGIN + 50.0, 'TAB     3.40                01:21:28.0')
STATION_EXTRA = {'LJU': (46.04, 14.53)}  # in the bulletin, not in the station table


def geocentric(lat):
    return math.degrees(math.atan(0.993277 * math.tan(math.radians(lat))))


def distance_azimuth(a, b):
    la1, lo1 = math.radians(geocentric(a[0])), math.radians(a[1])
    la2, lo2 = math.radians(geocentric(b[0])), math.radians(b[1])
    c = math.sin(la1) * math.sin(la2) + math.cos(la1) * math.cos(la2) * math.cos(lo2 - lo1)
    d = math.degrees(math.acos(max(-1.0, min(1.0, c))))
    az = math.degrees(math.atan2(math.sin(lo2 - lo1) * math.cos(la2),
                                 math.cos(la1) * math.sin(la2) - math.sin(la1) * math.cos(la2) * math.cos(lo2 - lo1)))
    return d, az % 360.0


def load(curve):
    text = open(os.path.join(CURVES, curve)).read().split('\n')[1:]
    nums = [float(x) for line in text for x in line.split('#')[0].split()]
    n = int(nums[0]); depths = nums[1:1 + n]; m = int(nums[1 + n]); dist = nums[2 + n:2 + n + m]
    times = nums[2 + n + m:]
    return depths, dist, [times[i * m:(i + 1) * m] for i in range(n)]


def travel_time(curve, depth, delta):
    depths, dist, rows = load(curve)
    lo = bisect.bisect_right(depths, depth) - 1
    values = []
    for row in (rows[lo], rows[lo + 1]):
        k = bisect.bisect_right(dist, delta) - 1
        a = b = k
        while a > 0 and row[a - 1] != -1: a -= 1
        while b + 1 < len(row) and row[b + 1] != -1: b += 1
        values.append(float(CubicSpline(dist[a:b + 1], row[a:b + 1], bc_type='natural')(delta)))
    return values[0] + (depth - depths[lo]) * (values[1] - values[0]) / (depths[lo + 1] - depths[lo])


def clock(seconds):
    seconds = round(seconds, 1)
    h, rest = divmod(seconds, 3600)
    m, s = divmod(rest, 60)
    return '%02d:%02d:%04.1f' % (h, m, s)


def line(sta, delta, az, phase, seconds, defining):
    text = '%-5s %6.2f %5.1f %-8s %-12s' % (sta, delta, az, phase, clock(seconds))
    return (text.ljust(73) + defining + '__').ljust(100) + 'm__'


def origin_line():
    # The ISC's own solution, a little off the assumed source, by the IMS1.0 columns.
    text = list(' ' * 136)
    for first, value in ((1, '1967/01/10'), (12, '01:20:39.00'), (37, ' 41.5000'), (46, '  45.7000'),
                         (72, ' 33.0'), (112, 'm i ke'), (119, 'ISC'), (129, ' 1234567')):
        text[first - 1:first - 1 + len(value)] = value
    return ''.join(text).rstrip()


def main():
    rows = []
    for sta, phase, curve, scatter, defining in ARRIVALS:
        where = STATIONS.get(sta) or STATION_EXTRA[sta]
        delta, az = distance_azimuth(EPI, where)
        t = ORIGIN + FIXED[(sta, phase)] if curve is None else ORIGIN + travel_time(curve, DEPTH, delta) + scatter
        rows.append((t, line(sta, delta, az, phase, t, defining)))
    for sta, after in UNNAMED:
        delta, _ = distance_azimuth(EPI, STATIONS[sta])
        t = ORIGIN + after
        rows.append((t, ('%-5s %6.2f %5s %-8s %s' % (sta, delta, '', '', clock(t))).rstrip()))
    rows.append(QUOTED)
    rows.sort(key=lambda r: r[0])
    out = ['BEGIN IMS1.0', 'MSG_TYPE DATA', 'DATA_TYPE BULLETIN IMS1.0:SHORT',
           'Assembled for the tests in the layout of the ISC bulletin', '',
           'EVENT 861234 CAUCASUS', '',
           '   Date       Time        Err   RMS Latitude Longitude  Smaj  Smin  Az Depth   Err Ndef Nsta Gap  mdist  '
           'Mdist Qual   Author      OrigID',
           origin_line(), '',
           'Sta     Dist  EvAz Phase        Time      TRes  Azim AzRes   Slow   SRes Def   SNR       Amp   Per Qual '
           'Magnitude    ArrID']
    out += [text for _, text in rows]
    out += ['', 'STOP']
    open(os.path.join(HERE, 'isc_layout_1967.txt'), 'w').write('\n'.join(out) + '\n')
    with open(os.path.join(HERE, 'isc_layout_1967_stations.csv'), 'w') as f:
        f.write('sta,lat,lon\n')
        for sta, (lat, lon) in STATIONS.items():
            f.write('%s,%.2f,%.2f\n' % (sta, lat, lon))


main()
