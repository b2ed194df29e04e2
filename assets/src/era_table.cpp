// The era-table picture that the menu hands to the desktop's viewer: every row of the engine's
// own historical table, with its years in the Western calendar, coloured by period.

#include <QFontMetricsF>
#include <QPainter>

#include <array>

#include "canvas.h"
#include "pictures.h"
#include "yorvane/eras.h"
#include "yorvane/periods.h"

namespace art {

namespace {

constexpr int kWidth = 1400;
constexpr int kColumns = 6;
constexpr int kRowsPerColumn = 40;
constexpr int kMargin = 24;
constexpr int kGap = 14;
constexpr int kRowHeight = 20;
constexpr int kTableTop = 78;

static_assert(kColumns * kRowsPerColumn == yorvane::kHistoricalEras.size(),
              "every row of the era table gets a line");

// One pale colour per period, in the order of the period table; years after the last period
// (明治 on) get a neutral grey.
constexpr std::array<QRgb, yorvane::kPeriods.size()> kPeriodColours = {
    qRgb(0xf6, 0xe3, 0xc7),  // 飛鳥
    qRgb(0xe9, 0xdb, 0xf2),  // 奈良
    qRgb(0xf7, 0xd9, 0xe3),  // 平安
    qRgb(0xd8, 0xe7, 0xf6),  // 鎌倉
    qRgb(0xe6, 0xe6, 0xc8),  // 南北朝
    qRgb(0xd6, 0xef, 0xdb),  // 室町
    qRgb(0xf4, 0xd8, 0xcc),  // 戦国
    qRgb(0xf5, 0xec, 0xb8),  // 安土桃山
    qRgb(0xd4, 0xec, 0xec),  // 江戸
};
const QColor kModern(0xe4, 0xe4, 0xe8);
const QColor kGapInk(0xb0, 0x1e, 0x1e);

int periodIndex(std::int32_t year) {
    if (year > yorvane::kLastPeriodYear) return -1;
    int index = -1;
    for (std::size_t i = 0; i < yorvane::kPeriods.size(); ++i)
        if (yorvane::kPeriods[i].firstYear <= year) index = static_cast<int>(i);
    return index;
}

QColor periodColour(int index) {
    return index < 0 ? kModern : QColor::fromRgb(kPeriodColours[static_cast<std::size_t>(index)]);
}

}  // namespace

QImage eraTable() {
    const auto& table = yorvane::kHistoricalEras;
    const int columnWidth = (kWidth - 2 * kMargin - (kColumns - 1) * kGap) / kColumns;
    const int tableBottom = kTableTop + 24 + kRowsPerColumn * kRowHeight;
    const int height = tableBottom + 150;

    QImage img(kWidth, height, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QFont cell = gothic(14, false);
    QFont head = gothic(13, false);
    QFont title = gothic(30);
    title.setBold(true);
    const QFont note = gothic(14);

    // Title line.
    p.setFont(title);
    p.setPen(kInk);
    p.drawText(QPointF(kMargin, 48), QStringLiteral("元号表"));
    int named = 0;
    for (const auto& row : table)
        if (row.caption != yorvane::kGapCaption) ++named;
    p.setFont(gothic(16));
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.drawText(QPointF(kMargin + 112, 47),
               QStringLiteral("%1（%2年）から%3（%4年）まで　%5の元号と西暦の対照")
                   .arg(qs(table.front().caption))
                   .arg(table.front().firstYear)
                   .arg(qs(table.back().caption))
                   .arg(table.back().firstYear)
                   .arg(named));
    p.setPen(QPen(QColor(0x99, 0x99, 0x99), 1));
    p.drawLine(QPointF(kMargin, 62.5), QPointF(kWidth - kMargin, 62.5));

    const QFontMetricsF cm(cell);
    for (int col = 0; col < kColumns; ++col) {
        const qreal x0 = kMargin + col * (columnWidth + kGap);
        const qreal captionX = x0 + 12, yearsRight = x0 + 150, countRight = x0 + columnWidth - 8;

        // Column heading.
        const QRectF headRect(x0, kTableTop, columnWidth, 22);
        p.fillRect(headRect, QColor(0x4a, 0x55, 0x68));
        p.setFont(head);
        p.setPen(Qt::white);
        p.drawText(QRectF(captionX, kTableTop, 60, 22), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("元号"));
        p.drawText(QRectF(yearsRight - 90, kTableTop, 90, 22), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("西暦"));
        p.drawText(QRectF(countRight - 50, kTableTop, 50, 22), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("年数"));

        for (int r = 0; r < kRowsPerColumn; ++r) {
            const std::size_t i = static_cast<std::size_t>(col * kRowsPerColumn + r);
            const auto& row = table[i];
            const bool last = i + 1 == table.size();
            const std::int32_t lastYear = last ? 0 : table[i + 1].firstYear - 1;
            const bool gap = row.caption == yorvane::kGapCaption;
            const int period = periodIndex(row.firstYear);

            const qreal top = kTableTop + 24 + r * kRowHeight;
            const QRectF line(x0, top, columnWidth, kRowHeight);
            QColor shade = periodColour(period);
            if (r % 2 == 1) shade = shade.darker(106);
            p.fillRect(line, r % 2 == 0 ? shade.lighter(106) : shade);
            // The period's own colour, full strength, as a strip down the left edge.
            p.fillRect(QRectF(x0, top, 5, kRowHeight), periodColour(period).darker(130));

            if (gap) {
                // Years without an era: hatched, in red.
                p.save();
                p.setClipRect(line.adjusted(5, 0, 0, 0));
                p.fillRect(line.adjusted(5, 0, 0, 0), QColor(0xfb, 0xe4, 0xe4));
                p.setPen(QPen(QColor(0xf0, 0xb8, 0xb8), 1));
                for (qreal hx = x0 - kRowHeight; hx < x0 + columnWidth; hx += 7)
                    p.drawLine(QPointF(hx, top + kRowHeight), QPointF(hx + kRowHeight, top));
                p.restore();
            }

            const qreal baseline = top + (kRowHeight + cm.ascent() - cm.descent()) / 2;
            p.setFont(cell);
            p.setPen(gap ? kGapInk : kInk);
            p.drawText(QPointF(captionX, baseline), qs(row.caption));

            const QString years = last ? QStringLiteral("%1〜").arg(row.firstYear)
                                       : QStringLiteral("%1〜%2").arg(row.firstYear).arg(lastYear);
            p.drawText(QPointF(yearsRight - cm.horizontalAdvance(years), baseline), years);
            if (!last) {
                const QString count = QStringLiteral("%1年").arg(lastYear - row.firstYear + 1);
                p.setPen(gap ? kGapInk : QColor(0x55, 0x55, 0x55));
                p.drawText(QPointF(countRight - cm.horizontalAdvance(count), baseline), count);
            }
        }
        p.setPen(QPen(QColor(0xa0, 0xa0, 0xa8), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(x0 + 0.5, kTableTop + 0.5, columnWidth - 1,
                          24 + kRowsPerColumn * kRowHeight - 1));
    }

    // Legend of the periods.
    const QFont legend = gothic(14);
    const QFontMetricsF lm(legend);
    qreal lx = kMargin, ly = tableBottom + 22;
    p.setFont(legend);
    auto swatch = [&](const QColor& c, const QString& label) {
        if (lx + 28 + lm.horizontalAdvance(label) > kWidth - kMargin) {
            lx = kMargin;
            ly += 24;
        }
        p.setPen(QPen(c.darker(130), 1));
        p.setBrush(c);
        p.drawRect(QRectF(lx + 0.5, ly - 6.5, 22, 14));
        p.setPen(kInk);
        p.drawText(QPointF(lx + 28, ly + 5), label);
        lx += 28 + lm.horizontalAdvance(label) + 20;
    };
    for (std::size_t i = 0; i < yorvane::kPeriods.size(); ++i) {
        const std::int32_t end = i + 1 < yorvane::kPeriods.size()
                                     ? yorvane::kPeriods[i + 1].firstYear - 1
                                     : yorvane::kLastPeriodYear;
        swatch(periodColour(static_cast<int>(i)), QStringLiteral("%1 %2〜%3")
                                                      .arg(qs(yorvane::kPeriods[i].name))
                                                      .arg(yorvane::kPeriods[i].firstYear)
                                                      .arg(end));
    }
    swatch(kModern, QStringLiteral("明治以降 %1〜").arg(yorvane::kLastPeriodYear + 1));

    // Notes.
    p.setFont(note);
    p.setPen(QColor(0x44, 0x44, 0x44));
    const qreal ny = ly + 34;
    p.drawText(QPointF(kMargin, ny),
               QStringLiteral("・行の色は、その元号が始まった年の時代です。赤い斜線の「%1」は、"
                              "元号の置かれなかった年です。")
                   .arg(qs(yorvane::kGapCaption)));
    p.drawText(
        QPointF(kMargin, ny + 22),
        QStringLiteral("・改元の年は新しい元号に数えます。ただし大正と昭和だけは前の元号に数えます"
                       "（1912年は明治45年、1926年は大正15年）。"));
    p.drawText(QPointF(kMargin, ny + 44), QStringLiteral("・1332〜1393年は北朝の元号です。"));
    return img;
}

}  // namespace art
