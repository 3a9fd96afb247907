#pragma once

#include <QDomElement>
#include <QFont>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QString>

// Values of the "tolvenRik:Alignment" and "tolvenRik:TextDirection" attributes as numbers.
enum TextAlignment { TextAlignLeft = 0, TextAlignRight = 1, TextAlignCenter = 2 };
enum TextDirection { TextVertical = 0, TextHorizontal = 1 };

// The layout fields of a text element.
struct TextLayoutAttributes
{
    double x = 0;
    double y = 0;
    double lineSpacing = 5;
    double wordSpacing = 3;
    int alignment = TextAlignLeft;
    int direction = TextHorizontal;
};

// Reads "x", "y" and the four text layout attributes; absent, unreadable or
// unknown values keep the defaults above.
TextLayoutAttributes readTextLayoutAttributes(const QDomElement &textElement);

// The attribute texts of the two choices ("AlignLeft", "H", ...).
QString alignmentName(int alignment);
QString directionName(int direction);

struct TextLayout
{
    // The glyph outlines, origin at the top left of the first line.
    QPainterPath outline;
    // One position per character (both halves of a surrogate pair get the
    // same one) and one per line end, in layout order.
    QList<QPointF> glyphPositions;
};

// Lays each character out on its own: horizontally in lines (direction 1) or
// vertically in columns (direction 0), with `wordSpacing` between characters
// and `lineSpacing` between lines, lines aligned by `alignment` (0 left or
// top, 1 right or bottom, 2 centre) against the widest line.
TextLayout layoutText(const QString &text, const QFont &font, double lineSpacing,
                      double wordSpacing, int alignment, int direction);
