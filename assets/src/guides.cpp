// The pictures of the main window's picture box that explain the window: the key guide it
// starts with, the scene shown while the birth-year box is empty, and the key-operation guide a
// click on the picture brings up. They share a white ground, one green and the gothic faces.

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas.h"
#include "pictures.h"

namespace art {

namespace {

constexpr int kSize = 160;

QImage whiteCanvas() {
    QImage img(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    return img;
}

void fillArrow(QPainter& p, const QPainterPath& arrow, const QRectF& bounds) {
    QLinearGradient g(bounds.topLeft(), bounds.bottomRight());
    g.setColorAt(0, kGreen.lighter(118));
    g.setColorAt(1, kGreen.darker(108));
    p.setPen(QPen(kGreenDark, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
    p.setBrush(g);
    p.drawPath(arrow);
}

// A key cap: a small rounded key with its legend.
void keyCap(QPainter& p, const QRectF& r, const QString& legend, const QFont& font) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    p.setBrush(QColor(0xf2, 0xf2, 0xf2));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    p.restore();
    p.save();
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(r, Qt::AlignCenter, legend);
    p.restore();
}

}  // namespace

QImage keyGuide() {
    QImage img = whiteCanvas();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    const QPointF centre(80, 69);
    const QPainterPath arrow = fourWayArrow(centre, 40, 13, 31, 17);
    fillArrow(p, arrow, arrow.boundingRect());

    const QFont era = gothic(17);
    drawCentred(p, {80, 15}, QStringLiteral("昭和"), era, kInk);
    drawCentred(p, {80, 124}, QStringLiteral("明治"), era, kInk);
    drawCentred(p, {20.5, 69}, QStringLiteral("大正"), era, kInk);
    drawCentred(p, {139.5, 69}, QStringLiteral("平成"), era, kInk);

    // The rule for Western years, on a pale green strip.
    p.setPen(Qt::NoPen);
    p.setBrush(kGreenLight);
    p.drawRoundedRect(QRectF(14, 137, 132, 20), 5, 5);
    drawCentred(p, {80, 147}, QStringLiteral("３桁以上で西暦"), gothic(15), kGreenDark);
    return img;
}

namespace {

// A wall calendar: a green header with two rings and a grid of days, one of them marked.
void wallCalendar(QPainter& p) {
    const QRectF cal(38, 16, 74, 70);
    p.setPen(QPen(kGreenDark, 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(cal, 5, 5);
    QPainterPath header;
    header.addRoundedRect(QRectF(cal.left(), cal.top(), cal.width(), 18), 5, 5);
    header.addRect(QRectF(cal.left(), cal.top() + 9, cal.width(), 9));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPath(header.simplified());
    p.setPen(QPen(kGreenDark, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(cal, 5, 5);
    for (qreal x : {cal.left() + 18, cal.right() - 18}) {
        p.setPen(QPen(QColor(0x55, 0x55, 0x55), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, cal.top() - 5), QPointF(x, cal.top() + 6));
    }
    const int cols = 5, rows = 4;
    const qreal cell = 11.5, gx = cal.left() + (cal.width() - cols * cell) / 2, gy = cal.top() + 23;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const QRectF box(gx + c * cell + 1.5, gy + r * cell + 1.5, cell - 3, cell - 3);
            const bool marked = (r == 2 && c == 1);
            p.setPen(Qt::NoPen);
            p.setBrush(marked ? QColor(0xe0, 0x3c, 0x31) : QColor(0xdd, 0xe4, 0xdd));
            if (marked)
                p.drawEllipse(box.center(), 4.6, 4.6);
            else
                p.drawRect(box);
        }
}

// A pencil leaning on the calendar's lower right corner.
void pencil(QPainter& p) {
    p.save();
    p.translate(112, 72);
    p.rotate(45);
    const qreal w = 9, len = 42;
    p.setPen(QPen(QColor(0x7a, 0x55, 0x10), 1));
    p.setBrush(QColor(0xf2, 0xb6, 0x32));
    p.drawRect(QRectF(-w / 2, -len / 2, w, len));
    p.setBrush(QColor(0xf4, 0x9a, 0xa8));  // eraser
    p.drawRect(QRectF(-w / 2, -len / 2 - 7, w, 7));
    p.setBrush(QColor(0xb8, 0xb8, 0xb8));  // ferrule
    p.drawRect(QRectF(-w / 2, -len / 2 - 1.5, w, 3));
    QPainterPath tip;
    tip.moveTo(-w / 2, len / 2);
    tip.lineTo(w / 2, len / 2);
    tip.lineTo(0, len / 2 + 12);
    tip.closeSubpath();
    p.setBrush(QColor(0xf3, 0xd9, 0xae));  // bare wood
    p.drawPath(tip);
    QPainterPath lead;
    lead.moveTo(-w / 6, len / 2 + 8);
    lead.lineTo(w / 6, len / 2 + 8);
    lead.lineTo(0, len / 2 + 12);
    lead.closeSubpath();
    p.setBrush(QColor(0x33, 0x33, 0x33));
    p.drawPath(lead);
    p.restore();
}

// The era keys, two to a row like a compass: up/down, then left/right, and the rule for
// Western years under them.
void eraKeys(QPainter& p, const QFont& text, const QFont& small) {
    struct EraKey {
        QString arrow;
        QString era;
    };
    const EraKey eras[] = {{QStringLiteral("↑"), QStringLiteral("昭和")},
                           {QStringLiteral("↓"), QStringLiteral("明治")},
                           {QStringLiteral("←"), QStringLiteral("大正")},
                           {QStringLiteral("→"), QStringLiteral("平成")}};
    for (int i = 0; i < 4; ++i) {
        const int x = 8 + (i % 2) * 78, y = 23 + (i / 2) * 16;
        keyCap(p, QRectF(x, y, 15, 14), eras[i].arrow, small);
        p.setFont(text);
        p.setPen(kInk);
        p.drawText(QPointF(x + 19, y + 11.5), eras[i].era);
    }
    p.setFont(small);
    p.setPen(kGreenDark);
    p.drawText(QRect(0, 55, kSize, 13), Qt::AlignCenter,
               QStringLiteral("続けて数字、３桁以上で西暦"));
}

// The other keys, one row each from `top`: their caps, then what they do.
void otherKeys(QPainter& p, const QFont& text, const QFont& legend, int top) {
    struct Row {
        std::vector<QString> keys;
        QString what;
    };
    const Row rows[] = {
        {{QStringLiteral("Enter")}, QStringLiteral("数字を全選択")},
        {{QStringLiteral("Space"), QStringLiteral("Del")}, QStringLiteral("欄を空にする")},
        {{QStringLiteral("Shift")}, QStringLiteral("生まれ年⇔指定年")},
        {{QStringLiteral("Ctrl")}, QStringLiteral("今年⇔指定年")},
        {{QStringLiteral("Insert")}, QStringLiteral("二つの年を交換")},
    };
    const QFontMetricsF lm(legend);
    auto capWidth = [&](const QString& k) { return std::ceil(lm.horizontalAdvance(k)) + 6; };
    // The descriptions line up after the widest set of keys.
    qreal column = 0;
    for (const Row& r : rows) {
        qreal w = 5;
        for (const QString& k : r.keys) w += capWidth(k) + 2;
        column = std::max(column, w + 1);
    }
    int y = top;
    for (const Row& r : rows) {
        qreal x = 5;
        for (const QString& k : r.keys) {
            const qreal w = capWidth(k);
            keyCap(p, QRectF(x, y, w, 14), k, legend);
            x += w + 2;
        }
        p.setFont(text);
        p.setPen(kInk);
        p.drawText(QPointF(column, y + 11.5), r.what);
        y += 17;
    }
}

}  // namespace

QImage sceneEmpty() {
    QImage img = whiteCanvas();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    wallCalendar(p);
    pencil(p);
    QFont title = gothic(19);
    drawCentred(p, {80, 112}, QStringLiteral("生まれ年を入力"), title, kGreenDark);
    drawCentred(p, {80, 137}, QStringLiteral("干支・九星・年齢が"), gothic(12), kInk);
    drawCentred(p, {80, 151}, QStringLiteral("わかります"), gothic(12), kInk);
    return img;
}

QImage sceneKeys() {
    QImage img = whiteCanvas();
    QPainter p(&img);

    // Crisp, unsmoothed text: at 12 pixels it reads better than grey-edged glyphs.
    const QFont text = gothic(12, false, false);
    const QFont small = gothic(11, false, false);
    QFont heading = gothic(13, false, false);
    heading.setBold(true);
    QFont legend = gothic(10, false, false);

    p.fillRect(QRect(0, 0, kSize, 19), kGreen);
    p.setFont(heading);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, kSize, 19), Qt::AlignCenter, QStringLiteral("キー操作説明"));

    eraKeys(p, text, small);
    p.setPen(QColor(0xbb, 0xbb, 0xbb));
    p.drawLine(6, 71, kSize - 7, 71);
    otherKeys(p, text, legend, 75);
    return img;
}

}  // namespace art
