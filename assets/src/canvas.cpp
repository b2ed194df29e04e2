#include "canvas.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace art {

void requireFamily(const QString& family) {
    if (!QFontDatabase::families().contains(family)) {
        std::fprintf(stderr, "draw: the font family \"%s\" is not installed\n", qPrintable(family));
        std::exit(2);
    }
}

QFont gothic(int pixelSize, bool proportional, bool antialias) {
    QFont f(proportional ? QStringLiteral("IPAPGothic") : QStringLiteral("IPAGothic"));
    f.setPixelSize(pixelSize);
    f.setHintingPreference(QFont::PreferFullHinting);
    if (!antialias) f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

namespace {
// One horizontal or vertical box-blur pass over the four channels of a premultiplied image.
void boxPass(const QImage& src, QImage& dst, int radius, bool horizontal) {
    const int w = src.width(), h = src.height();
    const int lines = horizontal ? h : w, length = horizontal ? w : h;
    const int window = 2 * radius + 1;
    std::vector<int> sum(4);
    for (int line = 0; line < lines; ++line) {
        auto at = [&](int i) -> QRgb {
            i = std::clamp(i, 0, length - 1);
            return horizontal ? reinterpret_cast<const QRgb*>(src.constScanLine(line))[i]
                              : reinterpret_cast<const QRgb*>(src.constScanLine(i))[line];
        };
        std::fill(sum.begin(), sum.end(), 0);
        for (int i = -radius; i <= radius; ++i) {
            const QRgb c = at(i);
            sum[0] += qAlpha(c);
            sum[1] += qRed(c);
            sum[2] += qGreen(c);
            sum[3] += qBlue(c);
        }
        for (int i = 0; i < length; ++i) {
            const QRgb c =
                qRgba(sum[1] / window, sum[2] / window, sum[3] / window, sum[0] / window);
            if (horizontal)
                reinterpret_cast<QRgb*>(dst.scanLine(line))[i] = c;
            else
                reinterpret_cast<QRgb*>(dst.scanLine(i))[line] = c;
            const QRgb out = at(i - radius), in = at(i + radius + 1);
            sum[0] += qAlpha(in) - qAlpha(out);
            sum[1] += qRed(in) - qRed(out);
            sum[2] += qGreen(in) - qGreen(out);
            sum[3] += qBlue(in) - qBlue(out);
        }
    }
}
}  // namespace

QImage blurred(const QImage& image, int radius) {
    QImage a = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage b(a.size(), a.format());
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(a, b, radius, true);
        boxPass(b, a, radius, false);
    }
    return a;
}

QPainterPath fourWayArrow(QPointF c, qreal reach, qreal shaft, qreal headWidth, qreal headLength) {
    // Built as one outline, going round the plus shape clockwise from the top head.
    const qreal s = shaft / 2, hw = headWidth / 2, r = reach, n = reach - headLength;
    const QPointF pts[] = {
        {0, -r}, {hw, -n}, {s, -n}, {s, -s},   {n, -s},  {n, -hw}, {r, 0},   {n, hw},
        {n, s},  {s, s},   {s, n},  {hw, n},   {0, r},   {-hw, n}, {-s, n},  {-s, s},
        {-n, s}, {-n, hw}, {-r, 0}, {-n, -hw}, {-n, -s}, {-s, -s}, {-s, -n}, {-hw, -n},
    };
    QPainterPath path;
    path.moveTo(c + pts[0]);
    for (std::size_t i = 1; i < std::size(pts); ++i) path.lineTo(c + pts[i]);
    path.closeSubpath();
    return path;
}

void drawInfoSheet(QPainter& p, const InfoSheet& s) {
    p.save();
    const QRectF r = s.paper;
    const qreal f = s.fold;
    const QColor edge(0x70, 0x70, 0x78);

    QPainterPath paper;
    paper.moveTo(r.left(), r.top());
    paper.lineTo(r.right() - f, r.top());
    paper.lineTo(r.right(), r.top() + f);
    paper.lineTo(r.right(), r.bottom());
    paper.lineTo(r.left(), r.bottom());
    paper.closeSubpath();

    QLinearGradient paperFill(r.topLeft(), r.bottomRight());
    paperFill.setColorAt(0, Qt::white);
    paperFill.setColorAt(1, QColor(0xee, 0xf0, 0xf4));
    p.setPen(QPen(edge, s.outline, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(paperFill);
    p.drawPath(paper);

    // The folded-over corner: a small triangle in the shade of the paper's back.
    QPainterPath flap;
    flap.moveTo(r.right() - f, r.top());
    flap.lineTo(r.right() - f, r.top() + f);
    flap.lineTo(r.right(), r.top() + f);
    flap.closeSubpath();
    p.setBrush(QColor(0xd2, 0xd6, 0xde));
    p.drawPath(flap);

    // The disc: a blue sphere-like gradient with a darker rim.
    const qreal R = s.discRadius;
    QRadialGradient disc(s.discCentre + QPointF(-R * 0.35, -R * 0.4), R * 1.4);
    disc.setColorAt(0, QColor(0x5a, 0x96, 0xf0));
    disc.setColorAt(0.55, QColor(0x22, 0x62, 0xd0));
    disc.setColorAt(1, QColor(0x12, 0x3f, 0x9c));
    p.setPen(R >= 12 ? QPen(QColor(0x0e, 0x33, 0x80), R / 16) : Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(s.discCentre, R, R);

    // The letter i, drawn as shapes so it stays sharp at 32 pixels.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const qreal stem = R * 0.26;
    const QPointF c = s.discCentre;
    const qreal dotR = stem * 0.68;
    p.drawEllipse(QPointF(c.x(), c.y() - R * 0.47), dotR, dotR);
    const qreal top = c.y() - R * 0.17, bottom = c.y() + R * 0.62;
    p.drawRect(QRectF(c.x() - stem / 2, top, stem, bottom - top));
    if (s.serifs) {
        p.drawRect(QRectF(c.x() - stem * 1.25, bottom - stem * 0.42, stem * 2.5, stem * 0.42));
        p.drawRect(QRectF(c.x() - stem * 1.05, top, stem * 0.6, stem * 0.38));
    }
    p.restore();
}

void drawCentred(QPainter& p, QPointF centre, const QString& text, const QFont& font,
                 const QColor& colour) {
    p.save();
    p.setFont(font);
    p.setPen(colour);
    const QFontMetricsF fm(font);
    const qreal w = fm.horizontalAdvance(text);
    // Centre on the ink of the em box rather than on ascent+descent: kanji sit high otherwise.
    const qreal baseline = centre.y() + (fm.ascent() - fm.descent()) / 2;
    p.drawText(QPointF(centre.x() - w / 2, baseline), text);
    p.restore();
}

}  // namespace art
