// The small pictures of the windows: the main window's icon, and the banner, sheet and rocket
// pointer of the version window.

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "canvas.h"
#include "pictures.h"

namespace art {

QImage windowIcon(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Laid out on a 32-pixel grid. The paper's border is a whole number of pixels wide at every
    // size, and its edges are moved to the nearest place where that border covers whole pixels,
    // so it stays sharp at the sizes that are no multiple of 32 too (16, 24 and 48 for the
    // desktop's icon theme). At 32 and 64 the edges already lie there.
    const qreal k = size / 32.0;
    const qreal border = std::max(1, qRound(k));  // in pixels
    const auto snap = [&](qreal v) {
        return (std::floor(v * k - border / 2 + 0.5) + border / 2) / k;
    };
    p.scale(k, k);
    const QRectF paper(QPointF(snap(5.5), snap(1.5)), QPointF(snap(26.5), snap(30.5)));
    drawInfoSheet(p, InfoSheet{paper, 7, QPointF(16, 18.5), 8.2, border / k, size >= 64});
    return img;
}

QImage versionSheet() {
    QImage img(60, 75, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        drawInfoSheet(p, InfoSheet{QRectF(4.5, 2.5, 50, 69), 14, QPointF(29.5, 43), 19, 1.0, true});
    }
    // GIF keeps one bit of transparency: make every pixel either paper or background, so the
    // folded edge reads as a clean step instead of a grey fringe.
    img = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = line[x];
            line[x] = qAlpha(c) < 110 ? qRgba(0, 0, 0, 0) : qRgb(qRed(c), qGreen(c), qBlue(c));
        }
    }
    return img;
}

QImage banner() {
    const int w = 212, h = 45;
    QFont font = gothic(36);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    const QString name = QStringLiteral("ヨルヴァネ");
    const QFontMetricsF fm(font);
    const qreal textWidth = fm.horizontalAdvance(name);
    const QPointF origin((w - textWidth) / 2, (h + fm.ascent() - fm.descent()) / 2);
    QPainterPath letters;
    letters.addText(origin, font, name);

    // The glow: the letters, widened a little, in blue-grey, then blurred.
    QImage glow(w, h, QImage::Format_ARGB32_Premultiplied);
    glow.fill(Qt::transparent);
    {
        QPainter g(&glow);
        g.setRenderHint(QPainter::Antialiasing);
        const QColor blueGrey(0x5f, 0x74, 0x94);
        g.setPen(QPen(blueGrey, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        g.setBrush(blueGrey);
        g.drawPath(letters);
    }
    glow = blurred(glow, 2);

    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(0, 0, glow);
    p.drawImage(0, 0, glow);  // twice: a denser halo right at the letters' edges
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(letters);
    return img;
}

namespace {

// The sixteen colours of the classic desktop palette; the rocket uses nothing else.
constexpr std::array<QRgb, 16> kVga = {
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff};
constexpr QRgb kBlack = kVga[0], kMaroon = kVga[1], kNavy = kVga[4], kSilver = kVga[7],
               kGrey = kVga[8], kRed = kVga[9], kYellow = kVga[11], kBlue = kVga[12],
               kWhite = kVga[15];
// The tip of the nose, which is also the pointer's hot spot.
constexpr QPoint kRocketNose(2, 2);

}  // namespace

QImage rocket() {
    // Pixel art on the diagonal: u = x + y runs along the rocket from the nose (top left) to
    // the flame, v = x - y across it. A pixel belongs to a part when |v| lies within that part's
    // half-width at its u, so every edge is a clean 45-degree step.
    constexpr int kSize = 32;
    const int noseU = kRocketNose.x() + kRocketNose.y();
    QImage img(kSize, kSize, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const int u = x + y - noseU, v = x - y, av = std::abs(v);
            QRgb c = 0;
            // Nose cone (u 0-13), widening like an ogive, then the hull up to u 37.
            static constexpr int kNose[] = {0, 1, 0, 1, 2, 1, 2, 3, 2, 3, 4, 3, 4, 5};
            const int hull = u < 0 ? -1 : u < int(std::size(kNose)) ? kNose[u] : 5;
            if (u >= 0 && u <= 37 && av <= hull) {
                c = kSilver;
                if (v <= -4) c = kGrey;                       // the side away from the light
                if (v == 3 && u >= 6 && u <= 33) c = kWhite;  // a highlight along the hull
                if (u >= 31 && u <= 32) c = v <= -4 ? kMaroon : kRed;  // band round the tail
            }
            // Nozzle.
            if (u >= 38 && u <= 39 && av <= 3) c = kGrey;
            // Swept fins beside the tail.
            if (u >= 26 && u <= 42 && av >= 6 && av <= 6 + (u - 26) * 5 / 12 + (u >= 38 ? 1 : 0))
                c = av >= 6 + (u - 26) * 5 / 12 && u >= 34 ? kMaroon : kRed;
            // Flame: white-hot at the nozzle, then a yellow plume narrowing to a point.
            if (u >= 40 && u <= 54) {
                const int half = u <= 44 ? 4 : 4 - (u - 44) * 4 / 10;
                if (av <= half) c = (av <= 1 && u <= 45) ? kWhite : kYellow;
            }
            // Porthole, centred on the axis a third of the way down.
            const double d = std::hypot(x - (kRocketNose.x() + 8), y - (kRocketNose.y() + 8));
            if (d <= 2.3) c = d <= 1.5 ? kBlue : kNavy;
            if (x == kRocketNose.x() + 7 && y == kRocketNose.y() + 7) c = kWhite;
            if (c) img.setPixel(x, y, c);
        }

    // A one-pixel black outline round the whole shape, so the pointer shows on any ground.
    QImage outlined = img;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            if (qAlpha(img.pixel(x, y)) != 0) continue;
            bool touches = false;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int nx = x + dx, ny = y + dy;
                if (nx >= 0 && ny >= 0 && nx < kSize && ny < kSize && qAlpha(img.pixel(nx, ny)))
                    touches = true;
            }
            if (touches) outlined.setPixel(x, y, kBlack);
        }
    // Stored as a palette picture: the sixteen colours and a transparent entry.
    QList<QRgb> table(kVga.begin(), kVga.end());
    table.append(qRgba(0, 0, 0, 0));
    return outlined.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
}

QPoint rocketHotSpot() { return kRocketNose; }

}  // namespace art
