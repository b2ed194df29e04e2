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

QColor periodColour(int index) {
    return index < 0 ? kModern : QColor::fromRgb(kPeriodColours[static_cast<std::size_t>(index)]);
}

const auto& kTable = yorvane::kHistoricalEras;
constexpr int kColumnWidth = (kWidth - 2 * kMargin - (kColumns - 1) * kGap) / kColumns;
constexpr int kTableBottom = kTableTop + 24 + kRowsPerColumn * kRowHeight;

// The title line: the picture's name and what it spans.
void drawTitle(QPainter& p) {
    QFont title = gothic(30);
    title.setBold(true);
    p.setFont(title);
    p.setPen(kInk);
    p.drawText(QPointF(kMargin, 48), QStringLiteral("元号表"));
    int named = 0;
    for (const auto& row : kTable)
        if (row.caption != yorvane::kGapCaption) ++named;
    p.setFont(gothic(16));
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.drawText(QPointF(kMargin + 112, 47),
               QStringLiteral("%1（%2年）から%3（%4年）まで　%5の元号と西暦の対照")
                   .arg(qs(kTable.front().caption))
                   .arg(kTable.front().firstYear)
                   .arg(qs(kTable.back().caption))
                   .arg(kTable.back().firstYear)
                   .arg(named));
    p.setPen(QPen(QColor(0x99, 0x99, 0x99), 1));
    p.drawLine(QPointF(kMargin, 62.5), QPointF(kWidth - kMargin, 62.5));
}

// Where the texts of a column stand.
struct ColumnEdges {
    qreal left, caption, yearsRight, countRight;
    explicit ColumnEdges(int col)
        : left(kMargin + col * (kColumnWidth + kGap)),
          caption(left + 12),
          yearsRight(left + 150),
          countRight(left + kColumnWidth - 8) {}
};

void drawHeading(QPainter& p, const ColumnEdges& x) {
    p.fillRect(QRectF(x.left, kTableTop, kColumnWidth, 22), QColor(0x4a, 0x55, 0x68));
    p.setFont(gothic(13, false));
    p.setPen(Qt::white);
    p.drawText(QRectF(x.caption, kTableTop, 60, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("元号"));
    p.drawText(QRectF(x.yearsRight - 90, kTableTop, 90, 22), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("西暦"));
    p.drawText(QRectF(x.countRight - 50, kTableTop, 50, 22), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("年数"));
}

// The line's ground: its period's colour in alternating shades, the colour itself as a strip
// down the left edge, and years without an era hatched in red.
void drawRowGround(QPainter& p, const QRectF& line, int r, int period, bool gap) {
    QColor shade = periodColour(period);
    if (r % 2 == 1) shade = shade.darker(106);
    p.fillRect(line, r % 2 == 0 ? shade.lighter(106) : shade);
    p.fillRect(QRectF(line.left(), line.top(), 5, kRowHeight), periodColour(period).darker(130));
    if (!gap) return;
    p.save();
    p.setClipRect(line.adjusted(5, 0, 0, 0));
    p.fillRect(line.adjusted(5, 0, 0, 0), QColor(0xfb, 0xe4, 0xe4));
    p.setPen(QPen(QColor(0xf0, 0xb8, 0xb8), 1));
    for (qreal hx = line.left() - kRowHeight; hx < line.right(); hx += 7)
        p.drawLine(QPointF(hx, line.bottom()), QPointF(hx + kRowHeight, line.top()));
    p.restore();
}

// One row of the table: the era, its years and how many they are.
void drawRow(QPainter& p, const ColumnEdges& x, int r, std::size_t i) {
    const auto& row = kTable[i];
    const bool last = i + 1 == kTable.size();
    const std::int32_t lastYear = last ? 0 : kTable[i + 1].firstYear - 1;
    const bool gap = row.caption == yorvane::kGapCaption;
    const qreal top = kTableTop + 24 + r * kRowHeight;
    drawRowGround(p, QRectF(x.left, top, kColumnWidth, kRowHeight), r,
                  yorvane::periodIndex(row.firstYear), gap);

    const QFont cell = gothic(14, false);
    const QFontMetricsF cm(cell);
    const qreal baseline = top + (kRowHeight + cm.ascent() - cm.descent()) / 2;
    p.setFont(cell);
    p.setPen(gap ? kGapInk : kInk);
    p.drawText(QPointF(x.caption, baseline), qs(row.caption));
    const QString years = last ? QStringLiteral("%1〜").arg(row.firstYear)
                               : QStringLiteral("%1〜%2").arg(row.firstYear).arg(lastYear);
    p.drawText(QPointF(x.yearsRight - cm.horizontalAdvance(years), baseline), years);
    if (last) return;
    const QString count = QStringLiteral("%1年").arg(lastYear - row.firstYear + 1);
    p.setPen(gap ? kGapInk : QColor(0x55, 0x55, 0x55));
    p.drawText(QPointF(x.countRight - cm.horizontalAdvance(count), baseline), count);
}

void drawColumn(QPainter& p, int col) {
    const ColumnEdges x(col);
    drawHeading(p, x);
    for (int r = 0; r < kRowsPerColumn; ++r)
        drawRow(p, x, r, static_cast<std::size_t>(col * kRowsPerColumn + r));
    p.setPen(QPen(QColor(0xa0, 0xa0, 0xa8), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(x.left + 0.5, kTableTop + 0.5, kColumnWidth - 1,
                      24 + kRowsPerColumn * kRowHeight - 1));
}

// The legend of the periods, wrapped to the width; the baseline of its last line.
qreal drawLegend(QPainter& p) {
    const QFont legend = gothic(14);
    const QFontMetricsF lm(legend);
    qreal lx = kMargin, ly = kTableBottom + 22;
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
    for (std::size_t i = 0; i < yorvane::kPeriods.size(); ++i)
        swatch(periodColour(static_cast<int>(i)), QStringLiteral("%1 %2〜%3")
                                                      .arg(qs(yorvane::kPeriods[i].name))
                                                      .arg(yorvane::kPeriods[i].firstYear)
                                                      .arg(yorvane::periodLastYear(i)));
    swatch(kModern, QStringLiteral("明治以降 %1〜").arg(yorvane::kLastPeriodYear + 1));
    return ly;
}

void drawNotes(QPainter& p, qreal ny) {
    p.setFont(gothic(14));
    p.setPen(QColor(0x44, 0x44, 0x44));
    p.drawText(QPointF(kMargin, ny),
               QStringLiteral("・行の色は、その元号が始まった年の時代です。赤い斜線の「%1」は、"
                              "元号の置かれなかった年です。")
                   .arg(qs(yorvane::kGapCaption)));
    p.drawText(
        QPointF(kMargin, ny + 22),
        QStringLiteral("・改元の年は新しい元号に数えます。ただし大正と昭和だけは前の元号に数えます"
                       "（1912年は明治45年、1926年は大正15年）。"));
    p.drawText(QPointF(kMargin, ny + 44), QStringLiteral("・1332〜1393年は北朝の元号です。"));
}

}  // namespace

QString eraTableHtml() {
    QString html = QStringLiteral(
        "<table class=\"eras\">\n<tr><th>元号</th><th>西暦</th><th>年数</th></tr>\n");
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        const auto& row = kTable[i];
        const bool last = i + 1 == kTable.size();
        const std::int32_t lastYear = last ? 0 : kTable[i + 1].firstYear - 1;
        const QString years = last ? QStringLiteral("%1〜").arg(row.firstYear)
                                   : QStringLiteral("%1〜%2").arg(row.firstYear).arg(lastYear);
        const QString count =
            last ? QString() : QStringLiteral("%1年").arg(lastYear - row.firstYear + 1);
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>\n")
                    .arg(qs(row.caption), years, count);
    }
    return html + QStringLiteral("</table>\n");
}

QImage eraTable() {
    QImage img(kWidth, kTableBottom + 150, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawTitle(p);
    for (int col = 0; col < kColumns; ++col) drawColumn(p, col);
    drawNotes(p, drawLegend(p) + 34);
    return img;
}

}  // namespace art
