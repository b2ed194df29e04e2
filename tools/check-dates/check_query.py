#!/usr/bin/python3
"""Checks the answers of `yorvane --query ... --json` on thousands of days from 1873 to 2100
against independent sources: ICU's Japanese calendar for the era (python3-icu), Python's date
arithmetic for the ages, the birthdays and the school years, and PyEphem (python3-ephem) for
立春 and the 節入り. Days: every change of era ±1 day, every 節 day and the day before it,
2月29日 births on the days around their birthdays, and random days, typed in every notation.

Usage: check_query.py BUILD/tests/date_query_driver   (scripts/install-deps --check-dates)"""
import datetime as dt
import random
import subprocess
import sys
import json

try:
    import icu
    sys.path.insert(0, __file__.rsplit("/", 1)[0])
    from sekki_vs_ephem import ephem_moment
except ImportError as e:  # the check is opt-in: 77 tells CTest it was skipped
    print(f"check_query: {e}; run scripts/install-deps --check-dates", file=sys.stderr)
    sys.exit(77)

STEMS, BRANCHES = "甲乙丙丁戊己庚辛壬癸", "子丑寅卯辰巳午未申酉戌亥"
STARS = ["", "一白水星", "二黒土星", "三碧木星", "四緑木星", "五黄土星", "六白金星", "七赤金星",
         "八白土星", "九紫火星"]
LETTERS = {"明治": "M", "大正": "T", "昭和": "S", "平成": "H", "令和": "R"}
TZ = icu.TimeZone.createTimeZone("Asia/Tokyo")
JAPANESE = icu.Locale("ja_JP@calendar=japanese")
ERA_FORMAT = icu.SimpleDateFormat("GGGG", JAPANESE)
ERA_FORMAT.setTimeZone(TZ)


def cycle(n):
    return STEMS[n % 10] + BRANCHES[n % 12]


def icu_era(d):
    """(era name, year in era) by ICU's Japanese calendar, at noon JST of the day."""
    g = icu.GregorianCalendar(TZ)
    g.clear()
    g.set(d.year, d.month - 1, d.day, 12, 0, 0)
    t = g.getTime()
    j = icu.Calendar.createInstance(TZ, JAPANESE)
    j.setTime(t)
    return ERA_FORMAT.format(t), j.get(icu.UCalendarDateFields.YEAR)


def wareki(d):
    era, n = icu_era(d)
    return f"{era}{'元' if n == 1 else n}年{d.month}月{d.day}日"


def day_before_birthday(b, year):
    """The day at whose end a year of age is reached in `year` (Japanese law)."""
    try:
        return dt.date(year, b.month, b.day) - dt.timedelta(days=1)
    except ValueError:  # 2月29日 in a common year: the day before is 2月28日
        return dt.date(year, 2, 28)


def age_on(b, ref):
    n = ref.year - b.year
    return n if ref > day_before_birthday(b, ref.year) else n - 1


def next_birthday(b, ref):
    for y in (ref.year, ref.year + 1):
        day = day_before_birthday(b, y) + dt.timedelta(days=1)
        if day >= ref:
            return day


def elementary_entry(b):
    reached = day_before_birthday(b, b.year + 6)  # 6 is reached at the end of this day
    return reached.year if reached < dt.date(reached.year, 4, 1) else reached.year + 1


class Sekki:
    """The days (JST) of the twelve 節 of each year, 小寒 first, by PyEphem."""

    def __init__(self):
        self.moments = {}
        for y in range(1872, 2101):
            row = []
            for k in range(12):
                guess = dt.datetime(y, 1, 5) + dt.timedelta(days=30.44 * k)
                row.append(ephem_moment(guess, (285 + 30 * k) % 360, span=8))
            self.moments[y] = row

    def place(self, d):
        """(year by 立春, month 0 = 寅 .. 11 = 丑) of a day."""
        days = [m.date() for m in self.moments[d.year]]
        last = max((k for k in range(12) if days[k] <= d), default=-1)
        year = d.year if last >= 1 else d.year - 1
        return year, 10 if last < 0 else (last + 11) % 12


def near_midnight(m):
    minute = m.hour * 60 + m.minute + m.second / 60
    return minute <= 2 or minute >= 1438


def notations(d):
    era, n = icu_era(d)
    w = (d.year, d.month, d.day)
    yield "%d/%d/%d" % w
    yield "%04d-%02d-%02d" % w
    yield "%d年%d月%d日" % w
    yield "%d%02d%02d" % w
    if d >= dt.date(1873, 1, 1):
        yield f"{era}{'元' if n == 1 else n}年{d.month}月{d.day}日"
        yield f"{LETTERS[era].lower()}{n}.{d.month}.{d.day}"
        yield "".join(chr(ord(c) + 0xFEE0) if c.isdigit() else c for c in f"{LETTERS[era]}{n}/{d.month}/{d.day}")


def days_to_check(sekki):
    rnd = random.Random(18)
    one = dt.timedelta(days=1)
    days = set()
    for start in (dt.date(1873, 1, 1), dt.date(1912, 7, 30), dt.date(1926, 12, 25),
                  dt.date(1989, 1, 8), dt.date(2019, 5, 1)):
        days.update({start - one, start, start + one})
    for y in range(1873, 2101):
        for m in sekki.moments[y]:
            days.update({m.date() - one, m.date(), m.date() + one})
    first, last = dt.date(1873, 1, 1).toordinal(), dt.date(2100, 12, 31).toordinal()
    days.update(dt.date.fromordinal(rnd.randint(first, last)) for _ in range(2000))
    pairs = []
    for d in sorted(days):
        if d.year > 2100 or d < dt.date(1873, 1, 1):
            continue
        ref = dt.date.fromordinal(rnd.randint(d.toordinal(), last))
        pairs.append((d, ref))
    for y in range(1876, 2100, 4):
        if y % 100 == 0 and y % 400:
            continue
        b = dt.date(y, 2, 29)
        for ry in (y + 1, y + 3, y + 4, y + 100):
            for md in ((2, 28), (3, 1)):
                pairs.append((b, dt.date(ry, *md)))
    return pairs


def expected(d, ref, sekki):
    year, month = sekki.place(d)
    b = (year - 4) % 12
    first = {0: 8, 1: 5, 2: 2}[b % 3]
    entry = elementary_entry(d)
    return {
        "西暦": d.isoformat(), "曜日": "月火水木金土日"[d.weekday()], "和暦": wareki(d),
        "満年齢": age_on(d, ref), "数え年": ref.year - d.year + 1,
        "次の誕生日まで": (next_birthday(d, ref) - ref).days,
        "干支": cycle(year - 4), "九星": STARS[(11 - year % 9) % 9 or 9],
        "月命星": STARS[(first - 1 - month) % 9 + 1],
        "日干支": cycle((d - dt.date(1949, 10, 1)).days),  # 1949-10-01 was 甲子
        "早生まれ": (d.month, d.day) <= (4, 1),
        "小学校入学": entry, "中学校入学": entry + 6, "高校入学": entry + 9,
        "高校卒業": entry + 12, "大学卒業": entry + 16,
    }, month, year


def month_sign(year, month):
    stem = ((year - 4) % 10 * 2 + 2 + month) % 10  # 甲己 years begin with 丙寅
    return STEMS[stem] + BRANCHES[(2 + month) % 12]


def main():
    sekki = Sekki()
    pairs = days_to_check(sekki)
    lines, meta = [], []
    for i, (d, ref) in enumerate(pairs):
        texts = list(notations(d))
        lines.append(f"{texts[i % len(texts)]}\t{ref.isoformat()}")
        meta.append((d, ref))
    run = subprocess.run([sys.argv[1]], input="\n".join(lines) + "\n", capture_output=True,
                         text=True, check=True)
    answers = run.stdout.splitlines()
    assert len(answers) == len(pairs), (len(answers), len(pairs))
    bad, midnight, worst = 0, 0, 0.0
    for line, (d, ref), answer in zip(lines, meta, answers):
        if answer.startswith("ERROR"):
            print("no answer:", line, answer)
            bad += 1
            continue
        got = json.loads(answer)
        want, month, year = expected(d, ref, sekki)
        want["月干支"] = month_sign(year, month)
        risshun = sekki.moments[d.year][1]
        ours = dt.datetime.fromisoformat(got["立春"]).replace(tzinfo=None)
        worst = max(worst, abs((ours - risshun).total_seconds()) / 60)
        # A 節 within two minutes of midnight may fall on the other day by the other ephemeris.
        boundary = any(near_midnight(m) and abs((m.date() - d).days) <= 1
                       for m in sekki.moments[d.year] + sekki.moments[d.year - 1][-1:])
        diffs = [k for k, v in want.items() if got[k] != v]
        if diffs and boundary and set(diffs) <= {"干支", "九星", "月干支", "月命星"}:
            midnight += 1
            print("at a 節 near midnight:", line, {k: (got[k], want[k]) for k in diffs})
            continue
        if diffs:
            bad += 1
            if bad <= 20:
                print(line, {k: (got[k], want[k]) for k in diffs})
    print(f"{len(pairs)} days checked; {bad} disagree; {midnight} differ only at a 節 within two "
          f"minutes of midnight; 立春 within {worst:.2f} minutes of PyEphem")
    sys.exit(1 if bad or worst > 2 else 0)


if __name__ == "__main__":
    main()
