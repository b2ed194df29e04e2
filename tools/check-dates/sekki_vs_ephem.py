#!/usr/bin/python3
"""Checks the table of 節 against an independent ephemeris (PyEphem, Debian's python3-ephem)
and against 立春 moments published by almanacs. Prints the largest difference and every moment
within two minutes of midnight. Usage: sekki_vs_ephem.py engine/sekki_table.inc"""
import datetime as dt
import math
import re
import sys

import ephem

EPOCH = dt.datetime(1872, 1, 1)  # JST
NAMES = ["小寒", "立春", "啓蟄", "清明", "立夏", "芒種", "小暑", "立秋", "白露", "寒露", "立冬", "大雪"]
# 立春 as published (JST, to the minute).
PUBLISHED = {
    2017: "2017-02-04 00:34", 2018: "2018-02-04 06:28", 2019: "2019-02-04 12:14",
    2020: "2020-02-04 18:03", 2021: "2021-02-03 23:59", 2022: "2022-02-04 05:51",
    2023: "2023-02-04 11:43", 2024: "2024-02-04 17:27", 2025: "2025-02-03 23:10",
}


def read_table(path):
    rows = {}
    for line in open(path, encoding="utf-8"):
        m = re.match(r"/\* (\d+) \*/(.*)", line)
        if m:
            rows[int(m.group(1))] = [int(v) for v in m.group(2).split(",") if v.strip()]
    return rows


def apparent_longitude(when):
    sun = ephem.Sun(when)
    ecl = ephem.Ecliptic(ephem.Equatorial(sun.ra, sun.dec, epoch=when), epoch=when)
    return math.degrees(ecl.lon)


def ephem_moment(guess_jst, target, span=2):
    """The JST moment at which PyEphem's Sun reaches `target` degrees, within `span` days of
    guess_jst."""
    def past(d):
        x = (apparent_longitude(d) - target) % 360.0
        return x - 360.0 if x > 180.0 else x
    lo = ephem.Date(guess_jst - dt.timedelta(hours=9)) - span
    hi = lo + 2 * span
    while hi - lo > 1e-7:
        mid = (lo + hi) / 2
        if past(ephem.Date(mid)) < 0:
            lo = mid
        else:
            hi = mid
    return ephem.Date((lo + hi) / 2).datetime() + dt.timedelta(hours=9)


def main():
    rows = read_table(sys.argv[1])
    worst = (0.0, None)
    near_midnight = []
    for year, minutes in sorted(rows.items()):
        for k, m in enumerate(minutes):
            ours = EPOCH + dt.timedelta(minutes=m)
            theirs = ephem_moment(ours, (285 + 30 * k) % 360)
            diff = abs((ours - theirs).total_seconds()) / 60
            if diff > worst[0]:
                worst = (diff, f"{year} {NAMES[k]} table {ours:%Y-%m-%d %H:%M} ephem {theirs:%Y-%m-%d %H:%M:%S}")
            minute_of_day = ours.hour * 60 + ours.minute
            if year >= 1873 and (minute_of_day <= 2 or minute_of_day >= 1438):
                near_midnight.append(f"{NAMES[k]} {ours:%Y-%m-%d %H:%M}")
    print(f"largest difference from PyEphem: {worst[0]:.2f} min ({worst[1]})")
    bad = 0
    for year, text in PUBLISHED.items():
        ours = EPOCH + dt.timedelta(minutes=rows[year][1])
        ok = f"{ours:%Y-%m-%d %H:%M}" == text
        bad += not ok
        print(f"立春 {year}: table {ours:%Y-%m-%d %H:%M}, published {text}: {'agrees' if ok else 'DIFFERS'}")
    print(f"within two minutes of midnight ({len(near_midnight)}):")
    for line in near_midnight:
        print("  " + line)
    sys.exit(1 if worst[0] > 2.0 or bad else 0)


if __name__ == "__main__":
    main()
