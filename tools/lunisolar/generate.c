/* Writes the table the lunisolar calendar (旧暦) is built from: every new moon and every 中気
 * (the Sun at a multiple of 30° of apparent longitude: 冬至 270°, 大寒 300°, 雨水 330°, 春分 0°
 * ...) from the autumn of 1843 to the summer of 2101, each moment as whole minutes of Japan
 * Standard Time counted from 1843-01-01 00:00 JST, rounded to the nearest minute.
 *
 * The Sun is computed as for the table of 節 (tools/sekki/generate.c): VSOP87's geometric
 * longitude with precession, nutation and aberration, and ΔT from the polynomials of Espenak and
 * Meeus (2006). The Moon is ELP 2000-82B (libnova), whose geocentric position is referred to the
 * ecliptic and equinox of J2000, as VSOP87's is: at a new moon the two longitudes are compared in
 * that frame, where precession and nutation fall out, with the Sun's aberration and the Moon's
 * light time (0.7″) applied.
 *
 * Before 1888 the day was reckoned in local time; the table lists the moments whose local day
 * differs from their JST day (see local_day_shift).
 *
 * The months built from this table are checked (tools/check-dates/lunisolar_vs_ephem.py) against
 * months built the same way from PyEphem, and against published month starts: the almanacs'
 * lunisolar columns of 1907 to 2006 as collected in the manakai/data-locale calendar data
 * (kyuureki-sources.json), a published list of the leap months of 1846 to 2031, the days of the
 * era proclamations of 1844 to 1868, and the points the
 * almanacs and the calendar publishers print where the rules are close run (1850-10-06,
 * 1866-05-15, 1872-01-10, 1884-04-26, the 2033 leap month, 2097-01-14).
 *
 * Built and run by tools/lunisolar/generate, which writes engine/lunisolar_table.inc.
 */
#include <libnova/julian_day.h>
#include <libnova/lunar.h>
#include <libnova/nutation.h>
#include <libnova/solar.h>
#include <math.h>
#include <stdio.h>

#include "../common/delta_t.h"

/* The first 中気 written is the 秋分 (180°) of 1843, the first new moon the one before it. */
enum { FIRST_YEAR = 1843, LAST_YEAR = 2101 };

static double wrap180(double d) {
    d = fmod(d, 360.0);
    if (d <= -180.0) d += 360.0;
    if (d > 180.0) d -= 360.0;
    return d;
}

/* Geometric longitude of the Sun (J2000 ecliptic), degrees, and its distance in AU. */
static double sun_j2000(double jde, double* distance) {
    struct ln_helio_posn sun;
    ln_get_solar_geom_coords(jde, &sun);
    *distance = sun.R;
    return sun.L - 0.09033 / 3600.0; /* FK5 correction */
}

/* Apparent longitude of the Sun in degrees, at the dynamical Julian day jde. */
static double sun_apparent(double jde) {
    struct ln_nutation nut;
    double r;
    const double lon = sun_j2000(jde, &r);
    ln_get_nutation(jde, &nut);
    /* General precession in longitude from J2000 (Lieske 1977), in arc seconds. */
    const double t = (jde - 2451545.0) / 36525.0;
    const double precession = (5029.0966 + (1.11113 - 0.000006 * t) * t) * t;
    return lon + precession / 3600.0 + nut.longitude - 20.4898 / 3600.0 / r;
}

/* The Moon's apparent longitude less the Sun's, degrees within (-180, 180]. */
static double elongation(double jde) {
    struct ln_rect_posn moon;
    double r;
    ln_get_lunar_geo_posn(jde, &moon, 0.0);
    const double moon_lon = atan2(moon.Y, moon.X) * 180.0 / M_PI - 0.7 / 3600.0;
    const double sun_lon = sun_j2000(jde, &r) - 20.4898 / 3600.0 / r;
    return wrap180(moon_lon - sun_lon);
}

static double sun_past(double jde, double target) { return wrap180(sun_apparent(jde) - target); }

/* The equation of time in minutes (apparent less mean solar time), Meeus (28.3). */
static double equation_of_time(double jde) {
    struct ln_nutation nut;
    ln_get_nutation(jde, &nut);
    const double tau = (jde - 2451545.0) / 365250.0;
    const double mean = 280.4664567 + tau * (360007.6982779 + tau * (0.03032028 + tau / 49931.0));
    const double lambda = sun_apparent(jde) * M_PI / 180.0;
    const double eps = (nut.ecliptic + nut.obliquity) * M_PI / 180.0;
    const double alpha = atan2(cos(eps) * sin(lambda), cos(lambda)) * 180.0 / M_PI;
    return wrap180(mean - 0.0057183 - alpha + nut.longitude * cos(eps)) * 4.0;
}

static double to_ut(double jde) {
    return jde - delta_t(2000.0 + (jde - 2451544.5) / 365.2425) / 86400.0;
}

/* The dynamical Julian day within [lo, hi] where f(jde, arg) turns from negative to not. */
static double root(double (*f)(double, double), double arg, double lo, double hi) {
    while (hi - lo > 1e-7) {
        const double mid = (lo + hi) / 2.0;
        if (f(mid, arg) < 0)
            lo = mid;
        else
            hi = mid;
    }
    return (lo + hi) / 2.0;
}

/* The dynamical Julian day, near `guess`, at which the elongation is zero (secant steps: the
 * Moon gains about 12° a day on the Sun). */
static double new_moon(double guess) {
    double a = guess - 0.5, b = guess + 0.5;
    double fa = elongation(a), fb = elongation(b);
    while (fabs(b - a) > 1e-8) {
        const double c = b - fb * (b - a) / (fb - fa);
        a = b, fa = fb;
        b = c, fb = elongation(c);
    }
    return b;
}

static double jd_of(int y, int m, int d, double hour_ut) {
    struct ln_date date = {y, m, d, 0, 0, 0.0};
    return ln_get_julian_day(&date) + hour_ut / 24.0;
}

/* Until 1888 the day was reckoned in the apparent solar time of Kyoto, whose meridian (135°46′E)
 * the calendar of the time was computed for: JST + 3 min + the equation of time, between 11 min
 * earlier and 19 min later than JST. */
enum { LOCAL_TIME_UNTIL = 1888 };
static const double kyoto_minutes_east_of_jst = (135.0 + 46.0 / 60.0 - 135.0) * 4.0;

/* The days (-1, 0 or +1) by which the local day of a moment differs from its JST day. */
static int local_day_shift(double jde, double jst_minutes) {
    const double local = jst_minutes + kyoto_minutes_east_of_jst + equation_of_time(jde);
    return (int)(floor(local / 1440.0) - floor(jst_minutes / 1440.0));
}

struct shift {
    long minutes;
    int days;
};
static struct shift shifts[64];
static int shift_count = 0;

/* Writes a moment and keeps it aside if its local day is not its JST day. */
static void moment(double jde, double epoch, double local_until);

static long column = 0;
static void put(long minutes) {
    printf(column % 10 == 0 ? "\n   " : "");
    printf(" %ld,", minutes);
    ++column;
}

static void moment(double jde, double epoch, double local_until) {
    const double jst = (to_ut(jde) - epoch) * 1440.0;
    const long minutes = lround(jst);
    put(minutes);
    if (jst < local_until) {
        const int days = local_day_shift(jde, jst);
        if (days != 0 && shift_count < 64) shifts[shift_count++] = (struct shift){minutes, days};
    }
}

int main(void) {
    /* 1843-01-01 00:00 JST is 1842-12-31 15:00 UT. */
    const double epoch = jd_of(1842, 12, 31, 15.0);
    const double end = jd_of(LAST_YEAR, 7, 1, 0.0);
    const double local_until = (jd_of(LOCAL_TIME_UNTIL, 1, 1, -9.0) - epoch) * 1440.0;
    printf(
        "// Generated by tools/lunisolar/generate (libnova's VSOP87 and ELP 2000-82B): do not\n");
    printf("// edit. Minutes of JST from 1843-01-01 00:00 JST.\n");
    printf("\n// Every new moon from the autumn of 1843 to the summer of %d.\n", LAST_YEAR);
    printf("constexpr std::int32_t kNewMoonMinutes[] = {");
    /* From a new moon, the next is about a mean lunation later. */
    for (double nm = new_moon(jd_of(FIRST_YEAR, 8, 25, 0.0)); nm < end;
         nm = new_moon(nm + 29.530589)) {
        moment(nm, epoch, local_until);
    }
    printf("\n};\n");
    printf("\n// Every 中気 from the 秋分 of %d to the summer of %d, 30° of the Sun apart.\n",
           FIRST_YEAR, LAST_YEAR);
    printf("constexpr std::int32_t kChukiMinutes[] = {");
    column = 0;
    /* 秋分 falls near 23 September; each 中気 about 30.44 days after the one before. */
    const double first = jd_of(FIRST_YEAR, 9, 23, 0.0);
    for (int k = 0;; ++k) {
        const double guess = first + 30.436875 * k;
        if (guess > end) break;
        const double target = fmod(180.0 + 30.0 * k, 360.0);
        moment(root(sun_past, target, guess - 12.0, guess + 12.0), epoch, local_until);
    }
    printf("\n};\n");
    printf(
        "\n// The moments before %d whose day in the apparent solar time of Kyoto is not their\n"
        "// day in JST, and by how many days it differs.\n",
        LOCAL_TIME_UNTIL);
    printf("constexpr LocalDay kLocalDays[] = {\n");
    for (int i = 0; i < shift_count; ++i)
        printf("    {%ld, %d},\n", shifts[i].minutes, shifts[i].days);
    printf("};\n");
    return 0;
}
