#pragma once
// Shared drawing helpers of the picture generator: fonts, colours, a blur, the arrow and the
// "sheet with an i" motif that several pictures share.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QString>

#include <string_view>

#include "u16text.h"

class QPainter;

namespace art {

// The greens of the key-guide family of pictures (key guide, both scenes).
inline const QColor kGreen{0x2f, 0x9e, 0x44};
inline const QColor kGreenDark{0x1c, 0x6b, 0x2c};
inline const QColor kGreenLight{0xe6, 0xf4, 0xe8};
inline const QColor kInk{0x22, 0x22, 0x22};

using yorvane::qs;

// Makes sure a face is installed under `family`; stops the generator otherwise, because a
// silently substituted face would put wrong glyphs into committed pictures.
void requireFamily(const QString& family);

// IPAPGothic (proportional) or IPAGothic (fixed pitch) at a pixel size.
QFont gothic(int pixelSize, bool proportional = true, bool antialias = true);

// Three box-blur passes (close to a Gaussian) over a premultiplied ARGB image.
QImage blurred(const QImage& image, int radius);

// A plus-shaped arrow with a head at each of its four ends.
QPainterPath fourWayArrow(QPointF centre, qreal reach, qreal shaftWidth, qreal headWidth,
                          qreal headLength);

// A sheet of paper with its top-right corner folded over, bearing a blue disc with a white
// letter i. All measures are in pixels of the target picture; `crisp` keeps the paper's outer
// edges on whole pixels (for a picture with one-bit transparency).
struct InfoSheet {
    QRectF paper;  // outer edge of the sheet
    qreal fold;    // side of the folded corner
    QPointF discCentre;
    qreal discRadius;
    qreal outline = 1.0;  // pen width of the paper's edge
    bool serifs = true;   // the i with a foot and a flag, for the larger sizes
};
void drawInfoSheet(QPainter& p, const InfoSheet& s);

// Text centred on a point (both axes), in one colour.
void drawCentred(QPainter& p, QPointF centre, const QString& text, const QFont& font,
                 const QColor& colour);

}  // namespace art
