#include "document/textlayout.h"

#include "document/engravingattributes.h"
#include "document/svgnumbers.h"

#include <QFontMetricsF>
#include <QHash>
#include <QtMath>

namespace A = EngravingAttributes;

namespace {

double lengthOr(const QDomElement &element, const QString &name, double fallback)
{
    bool ok = false;
    const double value = SvgGrammar::attributeLength(element, name, &ok);
    return ok && qIsFinite(value) ? value : fallback;
}

// One line (or column) while it is being laid out.
struct Line
{
    QPainterPath path;
    QList<QPointF> positions;
    bool hasInk = false; // a character with an outline
};

// The characters of a line: a surrogate pair stays together, but reports
// both of its halves so positions follow the string's indices.
struct Glyph
{
    QString text;
    int units;
};

QList<Glyph> glyphsOf(const QString &line)
{
    QList<Glyph> glyphs;
    for (int i = 0; i < line.size(); ++i) {
        if (line.at(i).isHighSurrogate() && i + 1 < line.size() && line.at(i + 1).isLowSurrogate()) {
            glyphs.append({ line.mid(i, 2), 2 });
            ++i;
        } else {
            glyphs.append({ QString(line.at(i)), 1 });
        }
    }
    return glyphs;
}

void shift(Line &line, QPointF offset)
{
    line.path.translate(offset);
    for (QPointF &p : line.positions)
        p += offset;
}

void align(QList<Line> &lines, int alignment, bool horizontal)
{
    if (alignment != TextAlignRight && alignment != TextAlignCenter)
        return;
    // Lines start at 0, so the far edge is the extent of each line.
    auto extent = [horizontal](const Line &line) {
        if (line.path.isEmpty())
            return 0.0;
        const QRectF bounds = line.path.boundingRect();
        return horizontal ? bounds.right() : bounds.bottom();
    };
    double longest = 0;
    for (const Line &line : lines)
        longest = qMax(longest, extent(line));
    for (Line &line : lines) {
        double move = longest - extent(line);
        if (alignment == TextAlignCenter)
            move /= 2;
        shift(line, horizontal ? QPointF(move, 0) : QPointF(0, move));
    }
}

} // namespace

TextLayoutAttributes readTextLayoutAttributes(const QDomElement &textElement)
{
    TextLayoutAttributes a;
    a.x = lengthOr(textElement, QStringLiteral("x"), a.x);
    a.y = lengthOr(textElement, QStringLiteral("y"), a.y);
    a.lineSpacing = lengthOr(textElement, A::lineSpacing, a.lineSpacing);
    a.wordSpacing = lengthOr(textElement, A::wordSpacing, a.wordSpacing);
    const QString alignment = textElement.attribute(A::alignment);
    if (alignment == QLatin1String("AlignRight"))
        a.alignment = TextAlignRight;
    else if (alignment == QLatin1String("AlignCenter"))
        a.alignment = TextAlignCenter;
    const QString direction = textElement.attribute(A::textDirection);
    if (direction == QLatin1String("V"))
        a.direction = TextVertical;
    return a;
}

QString alignmentName(int alignment)
{
    switch (alignment) {
    case TextAlignRight:
        return QStringLiteral("AlignRight");
    case TextAlignCenter:
        return QStringLiteral("AlignCenter");
    default:
        return QStringLiteral("AlignLeft");
    }
}

QString directionName(int direction)
{
    return direction == TextVertical ? QStringLiteral("V") : QStringLiteral("H");
}

TextLayout layoutText(const QString &text, const QFont &font, double lineSpacing,
                      double wordSpacing, int alignment, int direction)
{
    const QFontMetricsF metrics(font);
    const double ascent = metrics.ascent();
    const bool horizontal = direction != TextVertical;
    const QStringList lineTexts = text.split(QLatin1Char('\n'));

    // Shaping a character is the costly part, and texts repeat their characters.
    QHash<QString, QPainterPath> glyphCache;
    QList<Line> lines;
    double across = 0; // y of the current line, or x of the current column
    for (const QString &lineText : lineTexts) {
        Line line;
        double along = 0;
        for (const Glyph &glyph : glyphsOf(lineText)) {
            auto cached = glyphCache.find(glyph.text);
            if (cached == glyphCache.end()) {
                QPainterPath outline;
                outline.addText(0, ascent, font, glyph.text);
                cached = glyphCache.insert(glyph.text, outline);
            }
            const QPainterPath path = cached->translated(horizontal ? QPointF(along, 0) : QPointF(0, along));
            const QPointF position = horizontal ? QPointF(along, across) : QPointF(across, along);
            for (int i = 0; i < glyph.units; ++i)
                line.positions.append(position);
            // A space, or a character without an outline (a tab), has no edge to
            // measure from: it advances like a space instead of jumping back to 0.
            if (path.isEmpty()) {
                const double advance = glyph.units == 1
                        ? metrics.horizontalAdvance(glyph.text.at(0))
                        : metrics.horizontalAdvance(glyph.text);
                along += (horizontal ? advance : ascent) + wordSpacing;
            } else {
                const QRectF bounds = path.boundingRect();
                along = qAbs(horizontal ? bounds.right() : bounds.bottom()) + wordSpacing;
                line.hasInk = true;
            }
            line.path.addPath(path);
        }
        line.positions.append(horizontal ? QPointF(along, across) : QPointF(across, along));
        // Recorded positions already carry the offset across; only the glyphs move.
        line.path.translate(horizontal ? QPointF(0, across) : QPointF(across, 0));
        if (line.hasInk) {
            const QRectF bounds = line.path.boundingRect();
            across = qAbs(horizontal ? bounds.bottom() : bounds.right()) + lineSpacing;
        } else {
            across += (horizontal ? ascent : metrics.horizontalAdvance(QLatin1Char('w'))) + lineSpacing;
        }
        lines.append(line);
    }

    align(lines, alignment, horizontal);

    TextLayout layout;
    for (const Line &line : lines) {
        layout.outline.addPath(line.path);
        layout.glyphPositions.append(line.positions);
    }
    return layout;
}
