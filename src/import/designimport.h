#pragma once

#include <QDomDocument>
#include <QPointF>
#include <QStringList>

// Turns material brought into a design into what the design stores; the
// canvas only places the result under the current layer.
namespace DesignImport {

// The drawing of `svgText` as one g element of `design`: its only top-level
// g when it has nothing else to draw, else a new g holding its top-level
// groups and drawable elements. A null element when the text has no svg.
QDomElement svgAsGroup(QDomDocument &design, const QString &svgText);

// The attributes of an "image" element showing a PNG (Base64) at `origin`
// with the given size, in "bw" mode.
struct ImageAttributes
{
    QStringList names;
    QStringList values;
};
ImageAttributes imageAttributes(const QString &pngBase64, const QPointF &origin, double width,
                                double height);

// Declares the xlink namespace on the design's svg root, which an embedded
// image's reference needs. False when the document element is no svg.
bool declareXlink(QDomDocument &design);

} // namespace DesignImport
