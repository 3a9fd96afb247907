#pragma once

#include <QBrush>
#include <QDomElement>
#include <QGradient>
#include <QString>
#include <QStringList>

namespace SvgGrammar {

// Colours, paint references and gradients.

// A solid brush for a colour name, #rgb, #rrggbb, rgb(r,g,b) or rgb(r%,g%,b%);
// the empty brush (found untouched) otherwise.
QBrush parseColor(const QString &text, bool *found = nullptr);
QBrush attributeColor(const QDomElement &element, const QString &name, bool *found = nullptr);

// The id of a paint value that is exactly "url(#id)"; empty otherwise.
QString paintReferenceId(const QString &paint);

// The id of a "url(#id)" reference as other programs write it (clip-path,
// mask, markers): quoted or not, with spaces, anything after it ignored;
// empty for anything else.
QString referencedId(const QString &value);

// Depth-first search from `start` (itself included) for the element with this "id".
QDomElement elementById(const QDomElement &start, const QString &id);

// `visited` holds the ids already followed through "xlink:href"; a reference
// to one of them is reported and ignored instead of recursing.
QLinearGradient parseLinearGradient(const QDomElement &element, double opacity, QStringList &visited);
QRadialGradient parseRadialGradient(const QDomElement &element, double opacity, QStringList &visited);
QGradientStops parseStops(const QDomElement &gradient, double opacity);

} // namespace SvgGrammar
