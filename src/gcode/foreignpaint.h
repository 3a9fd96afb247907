#pragma once

#include "document/styleresolver.h"

#include <QColor>
#include <QDomDocument>
#include <QString>

// The paint of a drawing from another program, brought to values both the
// outline walk and the raster renderer read alike: references with their
// fallback colours, unknown or invisible paint as "none", and in fill mode
// every area that is not white once composited over white (colour alpha,
// fill-opacity, opacity of the element and its groups) as solid black,
// white as white and fully transparent as nothing.
namespace ForeignPaint {

// A colour as CSS writes it ("#rgb", "#rrggbbaa", names, rgb()/rgba() with
// clamped numbers or percentages, hsl(), "transparent"); invalid otherwise.
QColor parseColour(const QString &text);

// The colour `colour` at `alpha` over white, as grey 0 (black) to 255.
int compositeGrey(const QColor &colour, double alpha);

void resolve(QDomDocument &document, const StyleResolver &styles);

} // namespace ForeignPaint
