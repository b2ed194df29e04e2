// The twelve zodiac animals: one tile each, the animal from the colour emoji face, the branch
// character in a badge at the top left.

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <iterator>

#include "canvas.h"
#include "pictures.h"
#include "yorvane/sexagenary.h"

namespace art {

const std::vector<Animal>& animals() {
    // The engine's branch table names each picture and its branch, in its order (the year mod
    // 12 picks the row); here only how each one looks.
    struct Look {
        char32_t glyph;
        QRgb tile;
    };
    static const Look looks[] = {
        {U'\U0001F412', qRgb(0xcf, 0xe6, 0xf7)}, {U'\U0001F413', qRgb(0xdc, 0xde, 0xf6)},
        {U'\U0001F415', qRgb(0xd8, 0xef, 0xcf)}, {U'\U0001F417', qRgb(0xf4, 0xea, 0xc0)},
        {U'\U0001F400', qRgb(0xf9, 0xdc, 0xcb)}, {U'\U0001F402', qRgb(0xd3, 0xed, 0xe4)},
        {U'\U0001F405', qRgb(0xcd, 0xe6, 0xee)}, {U'\U0001F407', qRgb(0xf6, 0xd9, 0xe4)},
        {U'\U0001F409', qRgb(0xf7, 0xe5, 0xc4)}, {U'\U0001F40D', qRgb(0xe4, 0xda, 0xf3)},
        {U'\U0001F40E', qRgb(0xd3, 0xe2, 0xf5)}, {U'\U0001F411', qRgb(0xd6, 0xec, 0xcb)},
    };
    static_assert(std::size(looks) == std::size(yorvane::kBranchTable));
    static const std::vector<Animal> list = [] {
        std::vector<Animal> out;
        for (std::size_t i = 0; i < std::size(looks); ++i)
            out.push_back({qs(yorvane::kBranchTable[i].picture),
                           qs(yorvane::kBranches.substr(i, 1)), looks[i].glyph, looks[i].tile});
        return out;
    }();
    return list;
}

namespace {

// The emoji at the face's own bitmap size, cropped to its ink. Scaling that bitmap ourselves
// with a smooth filter gives a cleaner result than asking the face for an odd size.
QImage emojiBitmap(char32_t codePoint) {
    QFont f(QStringLiteral("Noto Color Emoji"));
    f.setPixelSize(109);
    QImage canvas(220, 220, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        p.setFont(f);
        p.drawText(QRect(0, 0, 220, 220), Qt::AlignCenter, QString::fromUcs4(&codePoint, 1));
    }
    int left = canvas.width(), top = canvas.height(), right = -1, bottom = -1;
    for (int y = 0; y < canvas.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            if (qAlpha(line[x]) < 8) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0) qFatal("draw: the emoji U+%X drew nothing", unsigned(codePoint));
    return canvas.copy(QRect(QPoint(left, top), QPoint(right, bottom)));
}

}  // namespace

QImage animalPicture(const Animal& a) {
    constexpr int kSize = 160;
    QImage img(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    const QColor tile = QColor::fromRgb(a.tile);
    const QColor rim = tile.darker(135);

    // The tile: a soft vertical gradient with a darker rim.
    const QRectF frame(2.5, 2.5, kSize - 5, kSize - 5);
    QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
    fill.setColorAt(0, tile.lighter(109));
    fill.setColorAt(1, tile.darker(106));
    p.setPen(QPen(rim, 2));
    p.setBrush(fill);
    p.drawRoundedRect(frame, 18, 18);

    // A blurred oval under the animal, as if it stood on the tile.
    {
        QImage shadow(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
        shadow.fill(Qt::transparent);
        QPainter s(&shadow);
        s.setRenderHint(QPainter::Antialiasing);
        s.setPen(Qt::NoPen);
        QColor c = tile.darker(150);
        c.setAlpha(150);
        s.setBrush(c);
        s.drawEllipse(QPointF(kSize / 2.0 + 2, 138), 50, 7);
        s.end();
        p.drawImage(0, 0, blurred(shadow, 3));
    }

    // The animal, fitted into a box that leaves the badge corner free.
    const QImage glyph = emojiBitmap(a.glyph);
    const QSizeF box(118, 108);
    const qreal scale = std::min(box.width() / glyph.width(), box.height() / glyph.height());
    const QSizeF drawn(glyph.width() * scale, glyph.height() * scale);
    const QRectF target(kSize / 2.0 + 4 - drawn.width() / 2, 140 - drawn.height(), drawn.width(),
                        drawn.height());
    p.drawImage(target, glyph.scaled(qRound(drawn.width()), qRound(drawn.height()),
                                     Qt::IgnoreAspectRatio, Qt::SmoothTransformation));

    // The branch character in a white badge.
    const QPointF badge(24, 24);
    p.setPen(QPen(rim, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(badge, 15, 15);
    drawCentred(p, badge + QPointF(0, 0.5), a.branch, gothic(20, false), tile.darker(330));
    return img;
}

}  // namespace art
