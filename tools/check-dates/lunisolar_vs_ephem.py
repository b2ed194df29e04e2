#!/usr/bin/python3
"""Checks the table the lunisolar calendar is built from (engine/lunisolar_table.inc): every new
moon and 中気 against an independent ephemeris (PyEphem, Debian's python3-ephem); the lunisolar
date and 六曜 of every day from 1844 to 2100 built from the table against the same built from
PyEphem's moments; and the months against published month starts. The months are built by the
calendar's rules (the same as the engine's): a month from the day of a new moon, numbered by the
中気 of its day, 冬至 春分 夏至 秋分 fixing 11, 2, 5 and 8, the first month without a 中気 the
leap month where one month too many lies between two fixed ones; before 1888 the day in the
apparent solar time of Kyoto; 2033's 秋分 fixing nothing and 2097's 12月 from the 14th, as the
calendar publishers print them. Given the program's date_query_driver too, it also asks the
program itself for the 旧暦 and 六曜 of every ninth day from 1844 to 2100 (`--query --json`) and
compares them with the calendar built from PyEphem.
Usage: lunisolar_vs_ephem.py engine/lunisolar_table.inc [BUILD/tests/date_query_driver]"""
import datetime as dt
import json
import math
import re
import subprocess
import sys

import ephem

EPOCH = dt.datetime(1843, 1, 1)  # JST
LOCAL_UNTIL = dt.datetime(1888, 1, 1)
FIRST, LAST = dt.date(1844, 1, 1), dt.date(2100, 12, 31)
KYOTO_LONGITUDE = "135:46"
UNFIXED = dt.date(2033, 9, 23)
PAST_MIDNIGHT = (dt.date(2097, 1, 13), dt.date(2097, 1, 14))
ROKUYO = ["先勝", "友引", "先負", "仏滅", "大安", "赤口"]

# Month starts as the almanacs printed them (manakai/data-locale, data/calendar/
# kyuureki-sources.json: the 1907, 1914-1917, 1920-1923, 1927, 1934-1945, 1956-1957 and 2006
# almanacs): the 1st of each month of the lunisolar year in order, 閏 before a leap month.
PUBLISHED_MONTHS = {
    1907: "02-13 03-14 04-13 05-12 06-11 07-10 08-09 09-08 10-07 11-06 12-05 01-04",
    1914: "01-26 02-25 03-27 04-25 05-25 閏06-23 07-23 08-21 09-20 10-19 11-17 12-17 01-15",
    1915: "02-14 03-16 04-14 05-14 06-13 07-12 08-11 09-09 10-09 11-07 12-07 01-05",
    1916: "02-03 03-04 04-03 05-02 06-01 06-30 07-30 08-29 09-27 10-27 11-25 12-25",
    1917: "01-23 02-22 閏03-23 04-21 05-21 06-19 07-19 08-18 09-16 10-16 11-15 12-14",
    1920: "02-20 03-20 04-19 05-18 06-16 07-16 08-14 09-12 10-12 11-10 12-10 01-09",
    1921: "02-08 03-10 04-08 05-08 06-06 07-05 08-04 09-02 10-01 10-31 11-29 12-29",
    1922: "01-28 02-27 03-28 04-27 05-27 閏06-25 07-24 08-23 09-21 10-20 11-19 12-18",
    1923: "02-16 03-17 04-16 05-16 06-14 07-14 08-12 09-11 10-10 11-09 12-08 01-06",
    1927: "02-02 03-04 04-02 05-01 05-31 06-29 07-29 08-27 09-26 10-26 11-24 12-24",
    1934: "02-14 03-15 04-14 05-13 06-12 07-12 08-10 09-09 10-08 11-07 12-07 01-05",
    1935: "02-04 03-05 04-03 05-03 06-01 07-01 07-30 08-29 09-28 10-27 11-26 12-26",
    1936: "01-24 02-23 03-23 閏04-21 05-21 06-19 07-18 08-17 09-16 10-15 11-14 12-14 01-13",
    1937: "02-11 03-13 04-11 05-10 06-09 07-08 08-06 09-05 10-04 11-03 12-03 01-02",
    1938: "01-31 03-02 04-01 04-30 05-29 06-28 07-27 閏08-25 09-24 10-23 11-22 12-22 01-20",
    1939: "02-19 03-21 04-20 05-19 06-17 07-17 08-15 09-13 10-13 11-11 12-11 01-09",
    1940: "02-08 03-09 04-08 05-07 06-06 07-05 08-04 09-02 10-01 10-31 11-29 12-29",
    1941: "01-27 02-26 03-28 04-26 05-26 06-25 閏07-24 08-23 09-21 10-20 11-19 12-18 01-17",
    1942: "02-15 03-17 04-15 05-15 06-14 07-13 08-12 09-11 10-10 11-09 12-08 01-06",
    1943: "02-05 03-06 04-05 05-04 06-03 07-02 08-01 08-31 09-29 10-29 11-28 12-27",
    1944: "01-26 02-24 03-24 04-23 閏05-22 06-21 07-20 08-19 09-17 10-17 11-16 12-15 01-14",
    1945: "02-13 03-14 04-12 05-12 06-10 07-09 08-08 09-06 10-06 11-05 12-05 01-03",
    1956: "02-12 03-12 04-11 05-10 06-09 07-08 08-06 09-05 10-04 11-03 12-02 01-01",
    1957: "01-31 03-02 03-31 04-30 05-29 06-28 07-27 08-25 閏09-24 10-23 11-22 12-21 01-20",
    2006: "01-29 02-28 03-29 04-28 05-27 06-26 07-25 閏08-24 09-22 10-22 11-21 12-20",
}
# The leap months of 1846 to 2031 as a published list gives them (lunisolar year/month).
PUBLISHED_LEAPS = """1846/5 1849/4 1852/2 1854/7 1857/5 1860/3 1862/8 1865/5 1868/4 1870/10 1873/6
1876/5 1879/3 1881/7 1884/5 1887/4 1889/12 1892/6 1895/5 1898/3 1900/8 1903/5 1906/4 1909/2 1911/6
1914/5 1917/2 1919/7 1922/5 1925/4 1928/2 1930/6 1933/5 1936/3 1938/7 1941/6 1944/4 1947/2 1949/7
1952/5 1955/3 1957/8 1960/6 1963/4 1966/3 1968/7 1971/5 1974/4 1976/8 1979/6 1982/4 1984/10 1987/6
1990/5 1993/3 1995/8 1998/5 2001/4 2004/2 2006/7 2009/5 2012/3 2014/9 2017/5 2020/4 2023/2 2025/6
2028/5 2031/3""".split()
# Single days: where the day of a new moon lies close to midnight or the rules conflict (the
# national observatory's tables, the 21st-century almanac), and the era proclamations of
# 1844 to 1868 (lunisolar year, month, leap, day).
PUBLISHED_DAYS = {
    "1850-10-06": (1850, 9, False, 1), "1866-05-15": (1866, 4, False, 1),
    "1884-04-26": (1884, 4, False, 1), "1872-01-10": (1871, 12, False, 1),
    "2033-12-22": (2033, 11, True, 1), "2097-01-14": (2096, 12, False, 1),
    "1868-01-25": (1868, 1, False, 1), "1872-12-31": (1872, 12, False, 2),
    "1845-01-09": (1844, 12, False, 2), "1848-04-01": (1848, 2, False, 28),
    "1855-01-15": (1854, 11, False, 27), "1860-04-08": (1860, 3, False, 18),
    "1861-03-29": (1861, 2, False, 19), "1864-03-27": (1864, 2, False, 20),
    "1865-05-01": (1865, 4, False, 7), "1868-10-23": (1868, 9, False, 8),
}


def read_table(path):
    text = open(path, encoding="utf-8").read()

    def numbers(name):
        body = re.search(name + r"\[\] = \{(.*?)\};", text, re.S).group(1)
        return [int(v) for v in re.findall(r"-?\d+", body)]
    locals_ = dict(zip(*[iter(numbers("kLocalDays"))] * 2))
    return numbers("kNewMoonMinutes"), numbers("kChukiMinutes"), locals_


def jst(minutes):
    return EPOCH + dt.timedelta(minutes=minutes)


def ephem_new_moon(near):
    utc = ephem.Date(near - dt.timedelta(hours=9) - dt.timedelta(days=3))
    return ephem.next_new_moon(utc).datetime() + dt.timedelta(hours=9)


def sun_longitude(when):
    sun = ephem.Sun(when)
    return math.degrees(ephem.Ecliptic(ephem.Equatorial(sun.ra, sun.dec, epoch=when), epoch=when).lon)


def ephem_chuki(near, target):
    def past(d):
        x = (sun_longitude(ephem.Date(d)) - target) % 360.0
        return x - 360.0 if x > 180.0 else x
    lo = ephem.Date(near - dt.timedelta(hours=9)) - 2
    hi = lo + 4
    while hi - lo > 1e-6:
        mid = (lo + hi) / 2
        lo, hi = (mid, hi) if past(mid) < 0 else (lo, mid)
    return ephem.Date(lo).datetime() + dt.timedelta(hours=9)


def kyoto_day(moment):
    """The day of a JST moment in the apparent solar time of Kyoto."""
    kyoto = ephem.Observer()
    kyoto.lon, kyoto.lat, kyoto.pressure = KYOTO_LONGITUDE, "35:00", 0
    kyoto.date = ephem.Date(moment - dt.timedelta(hours=9))
    sun = ephem.Sun(kyoto)
    hour_angle = (kyoto.sidereal_time() - sun.g_ra) / (2 * math.pi) * 24
    mean = moment - dt.timedelta(hours=9) + dt.timedelta(hours=(135 + 46 / 60) / 15)
    mean_hours = mean.hour + mean.minute / 60 + mean.second / 3600
    diff = (hour_angle + 12 - mean_hours + 12) % 24 - 12
    return (mean + dt.timedelta(hours=diff)).date()


def day_of(moment, exact):
    return kyoto_day(exact) if moment < LOCAL_UNTIL else moment.date()


def build_months(new_moons, chuki):
    """Lists of (first day, lunisolar year, month, leap) from moments (JST datetimes, each with
    the day it counts on)."""
    starts = [d for _, d in new_moons]
    starts = [PAST_MIDNIGHT[1] if d == PAST_MIDNIGHT[0] else d for d in starts]
    has = [False] * len(starts)
    fixed, i = [], 0
    for k, (_, d) in enumerate(chuki):
        while i + 1 < len(starts) and starts[i + 1] <= d:
            i += 1
        has[i] = True
        number = {270: 11, 0: 2, 90: 5, 180: 8}.get((180 + 30 * k) % 360)
        if number and d != UNFIXED:
            fixed.append((i, number))
    number, leap = [0] * len(starts), [False] * len(starts)
    for (a, na), (b, nb) in zip(fixed, fixed[1:]):
        number[a], between, names = na, b - a - 1, (nb - na - 1) % 12
        assert between in (names, names + 1), f"months do not fit at {starts[a]}"
        place, n = between == names + 1, na
        for j in range(a + 1, b):
            leap[j] = place and not has[j]
            place = place and not leap[j]
            n = n if leap[j] else n % 12 + 1
            number[j] = n
    number[fixed[-1][0]] = fixed[-1][1]
    return [(s, s.year - (number[j] >= 11 and s.month <= 2), number[j], leap[j])
            for j, s in enumerate(starts[:fixed[-1][0] + 1]) if number[j]]


def lunisolar_days(months):
    days = {}
    for (first, y, m, leap), nxt in zip(months, months[1:]):
        for k in range((nxt[0] - first).days):
            days[first + dt.timedelta(days=k)] = (y, m, leap, k + 1)
    return days


def published_starts():
    starts = {}
    for year, text in PUBLISHED_MONTHS.items():
        month, last, greg_year = 0, 0, year
        for item in text.split():
            leap = item.startswith("閏")
            mm, dd = map(int, item.lstrip("閏").split("-"))
            greg_year += mm < last
            last = mm
            month += not leap
            starts[(year, month, leap)] = dt.date(greg_year, mm, dd)
    return starts


def compare_published(months, days, new_moons):
    """Counts the differences from the published months. Seven months of the 1907-1936 almanacs
    begin a day before the table's, each where the new moon falls in the first hour of the day
    (00:05 to 01:05 JST), which those almanacs put before midnight: such a day is listed and
    allowed, any other difference is not."""
    bad = early = 0
    index = {(y, m, leap): first for first, y, m, leap in months}
    first_hour = {t.date() for t, _ in new_moons if t.hour == 0 or (t.hour, t.minute) <= (1, 10)}
    for key, day in published_starts().items():
        ours = index.get(key)
        if ours == day:
            continue
        if ours in first_hour and ours - day == dt.timedelta(days=1):
            early += 1
            print(f"published month {key} from {day}, a day before the new moon's day {ours}")
            continue
        bad += 1
        print(f"published month {key} from {day}: the table has {ours}")
    leaps = {f"{y}/{m}" for _, y, m, leap in months if leap and 1846 <= y <= 2031}
    for text in set(PUBLISHED_LEAPS) ^ leaps:
        bad += 1
        print(f"leap month {text}: {'only published' if text in PUBLISHED_LEAPS else 'only in the table'}")
    for text, expected in PUBLISHED_DAYS.items():
        if days.get(dt.date.fromisoformat(text)) != expected:
            bad += 1
            print(f"{text}: published {expected}, the table {days.get(dt.date.fromisoformat(text))}")
    print(f"published: {len(published_starts())} month starts ({early} a day early), "
          f"{len(PUBLISHED_LEAPS)} leap months, {len(PUBLISHED_DAYS)} days; {bad} differ")
    return bad


def compare_program(driver, their_days):
    """The program's 旧暦 and 六曜 of every ninth day against the calendar built from PyEphem."""
    days = [FIRST + dt.timedelta(days=k) for k in range(0, (LAST - FIRST).days + 1, 9)]
    lines = [f"{d.isoformat()}\t{d.isoformat()}" for d in days]
    run = subprocess.run([driver], input="\n".join(lines) + "\n", capture_output=True,
                         text=True, check=True)
    answers = run.stdout.splitlines()
    if len(answers) != len(days):
        print(f"the program gave {len(answers)} answers for {len(days)} days")
        return len(days)
    differ = 0
    for d, line in zip(days, answers):
        y, m, leap, day = their_days[d]
        want = ({"年": y, "月": m, "閏": leap, "日": day}, ROKUYO[(m + day + 4) % 6])
        got = json.loads(line) if not line.startswith("ERROR") else {}
        if (got.get("旧暦"), got.get("六曜")) != want:
            differ += 1
            print(f"{d}: program {got.get('旧暦')} {got.get('六曜')}, PyEphem {want}")
    print(f"{len(days)} days asked of the program: its 旧暦 and 六曜 differ from PyEphem's on {differ}")
    return differ


def main():
    new_minutes, chuki_minutes, local_days = read_table(sys.argv[1])

    def table_moment(m):
        t = jst(m)
        return t, t.date() + dt.timedelta(days=local_days.get(m, 0))
    ours_new = [table_moment(m) for m in new_minutes]
    ours_chuki = [table_moment(m) for m in chuki_minutes]
    theirs_new = [(t, day_of(t, t)) for t in (ephem_new_moon(o) for o, _ in ours_new)]
    theirs_chuki = [(t, day_of(t, t)) for t in
                    (ephem_chuki(o, (180 + 30 * k) % 360) for k, (o, _) in enumerate(ours_chuki))]
    worst = max((abs((o - t).total_seconds()) / 60, o) for (o, _), (t, _) in
                zip(ours_new + ours_chuki, theirs_new + theirs_chuki))
    print(f"largest difference from PyEphem: {worst[0]:.2f} min (at {worst[1]:%Y-%m-%d %H:%M} JST)")
    ours, theirs = build_months(ours_new, ours_chuki), build_months(theirs_new, theirs_chuki)
    our_days, their_days = lunisolar_days(ours), lunisolar_days(theirs)
    walked = differ = 0
    day = FIRST
    while day <= LAST:
        a, b = our_days[day], their_days[day]
        walked += 1
        if a != b or ROKUYO[(a[1] + a[3] + 4) % 6] != ROKUYO[(b[1] + b[3] + 4) % 6]:
            differ += 1
            print(f"{day}: table {a}, PyEphem {b}")
        day += dt.timedelta(days=1)
    print(f"{walked} days from {FIRST} to {LAST}: lunisolar date and 六曜 differ on {differ}")
    bad = compare_published(ours, our_days, ours_new)
    if len(sys.argv) > 2:
        bad += compare_program(sys.argv[2], their_days)
    sys.exit(1 if worst[0] > 2.0 or differ or bad else 0)


if __name__ == "__main__":
    main()
