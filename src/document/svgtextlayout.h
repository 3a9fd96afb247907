#pragma once

#include "document/styleresolver.h"

#include <QDomElement>
#include <QFont>
#include <QPainterPath>
#include <QString>

// Text of drawings from other programs laid out as SVG does it: "x" and "y"
// on the baseline, "font-size" in user units, "text-anchor" per chunk,
// "tspan" with its own x, y, dx and dy, "letter-spacing", "word-spacing",
// weight and style, "font-family" lists with the generic families found
// through fontconfig, and white space by "xml:space".
namespace SvgTextLayout {

// The glyph outlines of a text element in its own user space (its
// "transform" not applied).
QPainterPath outline(const QDomElement &text, const StyleResolver &styles);

// The font the element's properties ask for, at a fixed design size; the
// caller scales its outlines to the font size.
QFont font(const QDomElement &element, const StyleResolver &styles);

// A font-weight value on Qt's scale (CSS 400 is 50, 700 is 75), given the
// parent's.
int fontWeight(const QString &value, int parent);

} // namespace SvgTextLayout
