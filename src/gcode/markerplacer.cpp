#include "gcode/markerplacer.h"

#include "document/styleresolver.h"
#include "document/svggrammar.h"
#include "document/svgpaint.h"
#include "document/viewportgeometry.h"

#include <QHash>
#include <QLineF>
#include <QPainterPath>
#include <QTransform>

#include <cmath>
#include <vector>

namespace MarkerPlacer {

namespace {

struct Vertex
{
    QPointF point;
    double in = 0;     // direction of the segment arriving, degrees
    double out = 0;    // direction of the segment leaving
    bool hasIn = false;
    bool hasOut = false;
};

double angleOf(const QPointF &from, const QPointF &to)
{
    return std::atan2(to.y() - from.y(), to.x() - from.x()) * 180 / M_PI;
}

QPainterPath geometry(const QDomElement &element)
{
    const QString tag = element.tagName();
    QPainterPath path;
    if (tag == QLatin1String("path"))
        return SvgGrammar::pathFromAttribute(element, QStringLiteral("d"));
    if (tag == QLatin1String("line")) {
        path.moveTo(SvgGrammar::attributeLength(element, QStringLiteral("x1")),
                    SvgGrammar::attributeLength(element, QStringLiteral("y1")));
        path.lineTo(SvgGrammar::attributeLength(element, QStringLiteral("x2")),
                    SvgGrammar::attributeLength(element, QStringLiteral("y2")));
        return path;
    }
    const QStringList pieces = SvgGrammar::splitValueList(element, QStringLiteral("points"));
    for (int i = 0; i + 1 < pieces.size(); i += 2) {
        const QPointF p(pieces.at(i).toDouble(), pieces.at(i + 1).toDouble());
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    if (tag == QLatin1String("polygon") && path.elementCount() > 1)
        path.lineTo(path.elementAt(0));
    return path;
}

// The vertices of a path with the directions at them; curves count by
// their end points and the tangents there.
std::vector<Vertex> verticesOf(const QPainterPath &path)
{
    std::vector<Vertex> vertices;
    QPointF current;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            vertices.push_back({ e, 0, 0, false, false });
            current = e;
            continue;
        }
        QPointF end = e;
        QPointF startTangent = e;
        QPointF endTangent = current;
        if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPointF c2 = path.elementAt(i + 1);
            end = path.elementAt(i + 2);
            startTangent = e == current ? c2 : QPointF(e);
            endTangent = c2 == end ? QPointF(e) : c2;
            i += 2;
        }
        if (!vertices.empty()) {
            vertices.back().out = angleOf(current, startTangent);
            vertices.back().hasOut = true;
        }
        vertices.push_back({ end, angleOf(endTangent, end), 0, true, false });
        current = end;
    }
    return vertices;
}

double bisector(const Vertex &v)
{
    if (!v.hasIn)
        return v.out;
    if (!v.hasOut)
        return v.in;
    double difference = v.out - v.in;
    while (difference > 180)
        difference -= 360;
    while (difference < -180)
        difference += 360;
    return v.in + difference / 2;
}

QString matrixText(const QTransform &t)
{
    const auto n = [](double v) { return QString::number(v, 'g', 12); };
    return QStringLiteral("matrix(%1,%2,%3,%4,%5,%6)").arg(n(t.m11()), n(t.m12()), n(t.m21()), n(t.m22()),
                                                           n(t.dx()), n(t.dy()));
}

// The transform from a marker's content to the user space of its shape.
QTransform markerTransform(const QDomElement &marker, const QPointF &at, double angle, double strokeWidth)
{
    bool ok = false;
    double width = SvgGrammar::parseLength(marker.attribute(QStringLiteral("markerWidth"), QStringLiteral("3")), &ok);
    if (!ok)
        width = 3;
    double height = SvgGrammar::parseLength(marker.attribute(QStringLiteral("markerHeight"), QStringLiteral("3")), &ok);
    if (!ok)
        height = 3;
    const QRectF box = ViewportGeometry::viewBox(marker);
    const QTransform fit = box.isEmpty() ? QTransform()
                                         : ViewportGeometry::viewBoxTransform(
                                                   box, QRectF(0, 0, width, height),
                                                   marker.attribute(QStringLiteral("preserveAspectRatio")));
    const QPointF ref = fit.map(QPointF(SvgGrammar::attributeLength(marker, QStringLiteral("refX")),
                                        SvgGrammar::attributeLength(marker, QStringLiteral("refY"))));
    const bool userSpace = marker.attribute(QStringLiteral("markerUnits")).trimmed() == QLatin1String("userSpaceOnUse");
    const double scale = userSpace ? 1 : strokeWidth;
    QTransform rotate;
    rotate.rotate(angle);
    return fit * QTransform::fromTranslate(-ref.x(), -ref.y()) * QTransform::fromScale(scale, scale) * rotate
            * QTransform::fromTranslate(at.x(), at.y());
}

} // namespace

void placeMarkers(QDomDocument &document)
{
    QHash<QString, QDomElement> markers;
    const QDomNodeList list = document.elementsByTagName(QStringLiteral("marker"));
    for (int i = 0; i < list.size(); ++i) {
        const QDomElement marker = list.item(i).toElement();
        const QString id = marker.attribute(QStringLiteral("id"));
        if (!id.isEmpty() && !markers.contains(id))
            markers.insert(id, marker);
    }
    if (markers.isEmpty())
        return;
    const StyleResolver styles(document);
    std::vector<QDomElement> shapes;
    std::vector<QDomElement> stack{ document.documentElement() };
    while (!stack.empty()) {
        const QDomElement e = stack.back();
        stack.pop_back();
        const QString tag = e.tagName();
        if (StyleResolver::isUnrendered(tag))
            continue;
        if (tag == QLatin1String("path") || tag == QLatin1String("line") || tag == QLatin1String("polyline")
            || tag == QLatin1String("polygon"))
            shapes.push_back(e);
        for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
            stack.push_back(c);
    }
    for (QDomElement &shape : shapes) {
        QString ids[3];
        bool any = false;
        const char *names[3] = { "marker-start", "marker-mid", "marker-end" };
        for (int k = 0; k < 3; ++k) {
            ids[k] = SvgGrammar::referencedId(styles.inheritedValue(shape, QLatin1String(names[k])));
            any = any || markers.contains(ids[k]);
        }
        if (!any)
            continue;
        const std::vector<Vertex> vertices = verticesOf(geometry(shape));
        if (vertices.empty())
            continue;
        bool found = false;
        double strokeWidth = 1;
        const QString widthText = styles.inheritedValue(shape, QStringLiteral("stroke-width"), &found);
        if (found && !ViewportGeometry::cssLength(widthText, 16, &strokeWidth))
            strokeWidth = 1;
        const QTransform own = SvgGrammar::transformFromAttribute(shape);
        QDomNode after = shape;
        for (size_t i = 0; i < vertices.size(); ++i) {
            const int kind = i == 0 ? 0 : i + 1 == vertices.size() ? 2 : 1;
            const QDomElement marker = markers.value(ids[kind]);
            if (marker.isNull())
                continue;
            const Vertex &v = vertices[i];
            const QString orient = marker.attribute(QStringLiteral("orient")).trimmed();
            double angle = 0;
            if (orient == QLatin1String("auto") || orient == QLatin1String("auto-start-reverse")) {
                angle = bisector(v);
                if (kind == 0 && orient == QLatin1String("auto-start-reverse"))
                    angle += 180;
            } else {
                QString degrees = orient;
                degrees.remove(QStringLiteral("deg"));
                angle = degrees.toDouble();
            }
            QDomElement group = document.createElement(QStringLiteral("g"));
            // The content inherits from the marker, not from the shape.
            for (const char *property : { "fill", "stroke" }) {
                bool set = false;
                const QString value = styles.inheritedValue(marker, QLatin1String(property), &set);
                group.setAttribute(QLatin1String(property),
                                   set ? value : property[0] == 'f' ? QStringLiteral("black") : QStringLiteral("none"));
            }
            group.setAttribute(QStringLiteral("transform"),
                               matrixText(markerTransform(marker, v.point, angle, strokeWidth) * own));
            for (QDomElement c = marker.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
                group.appendChild(c.cloneNode(true));
            after = shape.parentNode().insertAfter(group, after);
        }
    }
}

} // namespace MarkerPlacer
