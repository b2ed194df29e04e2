/* ΔT, the difference between terrestrial time and universal time, shared by the generators of
 * the 節 table and the lunisolar table so that both tables count their moments alike. */
#ifndef YORVANE_TOOLS_DELTA_T_H
#define YORVANE_TOOLS_DELTA_T_H

/* TT - UT in seconds for a decimal year between 1800 and 2150 (Espenak and Meeus, 2006). */
static double delta_t(double y) {
    double t;
    if (y < 1860) {
        t = y - 1800;
        return 13.72 +
               t * (-0.332447 +
                    t * (0.0068612 +
                         t * (0.0041116 +
                              t * (-0.00037436 + t * (0.0000121272 +
                                                      t * (-0.0000001699 + t * 0.000000000875))))));
    }
    if (y < 1900) {
        t = y - 1860;
        return 7.62 + t * (0.5737 +
                           t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174.0))));
    }
    if (y < 1920) {
        t = y - 1900;
        return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - 0.000197 * t)));
    }
    if (y < 1941) {
        t = y - 1920;
        return 21.20 + t * (0.84493 + t * (-0.076100 + 0.0020936 * t));
    }
    if (y < 1961) {
        t = y - 1950;
        return 29.07 + t * (0.407 + t * (-1.0 / 233.0 + t / 2547.0));
    }
    if (y < 1986) {
        t = y - 1975;
        return 45.45 + t * (1.067 + t * (-1.0 / 260.0 - t / 718.0));
    }
    if (y < 2005) {
        t = y - 2000;
        return 63.86 + t * (0.3345 + t * (-0.060374 +
                                          t * (0.0017275 + t * (0.000651814 + 0.00002373599 * t))));
    }
    if (y < 2050) {
        t = y - 2000;
        return 62.92 + t * (0.32217 + 0.005589 * t);
    }
    t = (y - 1820) / 100.0;
    return -20 + 32 * t * t - 0.5628 * (2150 - y);
}

#endif
