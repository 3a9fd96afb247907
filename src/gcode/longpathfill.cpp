#include "gcode/longpathfill.h"

#include "document/styleresolver.h"
#include "document/svgnumbers.h"
#include "document/svgpathdata.h"
#include "document/svgtransform.h"
#include "gcode/rastergroup.h"

#include <QDebug>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include <cmath>
#include <vector>

namespace LongPathFill {

namespace {

using Polygons = std::vector<QPolygonF>;

// Cuts below this size (raster pixels) would not lower the count any more.
constexpr double smallestCell = 1;
constexpr int deepestCut = 48;

// Sutherland-Hodgman against one axis-parallel line: keeps the side where
// coordinate `axis` is below `at` (or above it, `keepBelow` false). The
// result winds like the input inside the kept side, so either fill rule
// gives the same area there; the edges it adds lie on the line and cover
// nothing.
QPolygonF clipped(const QPolygonF &polygon, Qt::Orientation axis, double at, bool keepBelow)
{
    QPolygonF out;
    const int n = polygon.size();
    if (n < 3)
        return out;
    const auto value = [axis](const QPointF &p) { return axis == Qt::Horizontal ? p.x() : p.y(); };
    const auto inside = [&](const QPointF &p) { return keepBelow ? value(p) <= at : value(p) >= at; };
    const auto crossing = [&](const QPointF &a, const QPointF &b) {
        const double t = (at - value(a)) / (value(b) - value(a));
        return axis == Qt::Horizontal ? QPointF(at, a.y() + t * (b.y() - a.y()))
                                      : QPointF(a.x() + t * (b.x() - a.x()), at);
    };
    out.reserve(n + 4);
    QPointF previous = polygon.at(n - 1);
    bool previousInside = inside(previous);
    for (const QPointF &point : polygon) {
        const bool pointInside = inside(point);
        if (pointInside != previousInside)
            out.append(crossing(previous, point));
        if (pointInside)
            out.append(point);
        previous = point;
        previousInside = pointInside;
    }
    return out.size() >= 3 ? out : QPolygonF();
}

qint64 pointCount(const Polygons &polygons)
{
    qint64 count = 0;
    for (const QPolygonF &polygon : polygons)
        count += polygon.size() + 1;  // the close adds a line
    return count;
}

// Halves the cell along its longer side, on a whole pixel, until each
// piece is short enough for the renderer.
void cut(Polygons polygons, const QRectF &cell, int depth, std::vector<Polygons> *pieces)
{
    if (polygons.empty())
        return;
    const bool wide = cell.width() >= cell.height();
    const double length = wide ? cell.width() : cell.height();
    if (pointCount(polygons) <= pieceLimit || length <= smallestCell || depth >= deepestCut) {
        pieces->push_back(std::move(polygons));
        return;
    }
    const double start = wide ? cell.left() : cell.top();
    double at = std::floor(start + length / 2);
    if (at <= start || at >= start + length)
        at = start + length / 2;
    const Qt::Orientation axis = wide ? Qt::Horizontal : Qt::Vertical;
    Polygons below;
    Polygons above;
    for (const QPolygonF &polygon : polygons) {
        QPolygonF part = clipped(polygon, axis, at, true);
        if (!part.isEmpty())
            below.push_back(std::move(part));
        part = clipped(polygon, axis, at, false);
        if (!part.isEmpty())
            above.push_back(std::move(part));
    }
    polygons.clear();
    QRectF low = cell;
    QRectF high = cell;
    if (wide) {
        low.setRight(at);
        high.setLeft(at);
    } else {
        low.setBottom(at);
        high.setTop(at);
    }
    cut(std::move(below), low, depth + 1, pieces);
    cut(std::move(above), high, depth + 1, pieces);
}

QString pointText(const QPointF &point)
{
    return QString::number(point.x(), 'g', 10) + QLatin1Char(',') + QString::number(point.y(), 'g', 10);
}

QString polygonData(const Polygons &polygons, const QTransform &map, bool close)
{
    QString data;
    for (const QPolygonF &polygon : polygons) {
        for (int i = 0; i < polygon.size(); ++i) {
            data += (i == 0 ? QStringLiteral("M") : QStringLiteral(" L")) + pointText(map.map(polygon.at(i)));
        }
        data += close ? QStringLiteral(" Z ") : QStringLiteral(" ");
    }
    return data;
}

// The shape as the renderer would read it, without its limit.
QPainterPath shapeOf(const QDomElement &element)
{
    const QString tag = element.tagName();
    if (tag == QLatin1String("path"))
        return SvgGrammar::parsePath(element.attribute(QStringLiteral("d")));
    const QVector<double> numbers = SvgGrammar::parseNumberList(element.attribute(QStringLiteral("points")));
    QPainterPath path;
    for (int i = 0; i + 1 < numbers.size(); i += 2) {
        const QPointF point(numbers.at(i), numbers.at(i + 1));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    if (tag == QLatin1String("polygon"))
        path.closeSubpath();
    return path;
}

// Whether the data text may hold more elements than the renderer reads:
// every element needs at least two characters.
bool mayBeLong(const QDomElement &element)
{
    const QString name = element.tagName() == QLatin1String("path") ? QStringLiteral("d") : QStringLiteral("points");
    return element.attribute(name).size() >= 2 * rendererLimit;
}

// The element's own transform, then its ancestors', to design units.
QTransform designTransform(const QDomElement &element)
{
    QTransform transform;
    for (QDomNode node = element; node.isElement(); node = node.parentNode())
        transform *= SvgGrammar::transformFromAttribute(node.toElement());
    return transform;
}

// A piece: the shape's attributes without what the group now carries, and
// with `paint` ("fill" or "stroke") turned off.
QDomElement pieceOf(QDomDocument &document, const QDomElement &shape, const QString &off, const QString &data)
{
    QDomElement piece = document.createElement(QStringLiteral("path"));
    const QDomNamedNodeMap attributes = shape.attributes();
    for (int i = 0; i < attributes.size(); ++i) {
        const QDomAttr attribute = attributes.item(i).toAttr();
        const QString name = attribute.name();
        if (name == QLatin1String("id") || name == QLatin1String("transform") || name == QLatin1String("d")
            || name == QLatin1String("points"))
            continue;
        piece.setAttribute(name, attribute.value());
    }
    // The last declaration of the style wins over what came before.
    const QString style = piece.attribute(QStringLiteral("style")).trimmed();
    piece.setAttribute(QStringLiteral("style"),
                       style + (style.isEmpty() || style.endsWith(QLatin1Char(';')) ? "" : ";") + off + ":none");
    piece.setAttribute(off, QStringLiteral("none"));
    piece.setAttribute(QStringLiteral("d"), data);
    return piece;
}

// The outline in open runs of at most pieceLimit points, each run starting
// where the last ended.
std::vector<Polygons> strokeRuns(const QList<QPolygonF> &outline)
{
    std::vector<Polygons> runs(1);
    qint64 points = 0;
    for (const QPolygonF &polygon : outline) {
        for (int first = 0; first + 1 < polygon.size(); first += pieceLimit - 1) {
            const int size = std::min<int>(pieceLimit, polygon.size() - first);
            if (points + size > pieceLimit) {
                runs.emplace_back();
                points = 0;
            }
            runs.back().push_back(polygon.mid(first, size));
            points += size;
        }
    }
    return runs;
}

bool replace(QDomDocument &document, QDomElement shape, const StyleResolver &styles,
             const QSizeF &rasterScale)
{
    const QPainterPath path = shapeOf(shape);
    if (path.elementCount() <= rendererLimit)
        return false;
    const QTransform toRaster = designTransform(shape) * QTransform::fromScale(rasterScale.width(), rasterScale.height());
    if (!toRaster.isInvertible())
        return false;
    const QTransform back = toRaster.inverted();
    const StyleResolver::Paint paint = styles.paint(shape);

    QDomElement group = document.createElement(QStringLiteral("g"));
    if (shape.hasAttribute(QStringLiteral("id")))
        group.setAttribute(QStringLiteral("id"), shape.attribute(QStringLiteral("id")));
    if (shape.hasAttribute(QStringLiteral("transform")))
        group.setAttribute(QStringLiteral("transform"), shape.attribute(QStringLiteral("transform")));

    // A polyline is filled as if closed, like every subpath.
    const QList<QPolygonF> outline = path.toSubpathPolygons();
    Polygons polygons;
    QRectF bounds;
    for (const QPolygonF &polygon : outline) {
        QPolygonF mapped = toRaster.map(polygon);
        if (mapped.size() > 1 && mapped.first() == mapped.last())
            mapped.removeLast();
        if (mapped.size() < 3)
            continue;
        bounds = bounds.isNull() ? mapped.boundingRect() : bounds.united(mapped.boundingRect());
        polygons.push_back(std::move(mapped));
    }
    std::vector<Polygons> pieces;
    cut(std::move(polygons), bounds, 0, &pieces);
    for (const Polygons &piece : pieces)
        group.appendChild(pieceOf(document, shape, QStringLiteral("stroke"), polygonData(piece, back, true)));

    if (paint.strokeSet && paint.stroke.trimmed() != QLatin1String("none")) {
        for (const Polygons &run : strokeRuns(outline))
            group.appendChild(pieceOf(document, shape, QStringLiteral("fill"),
                                      polygonData(run, QTransform(), false)));
    }
    qDebug() << "filled shape of" << path.elementCount() << "elements rendered as" << pieces.size() << "pieces";
    shape.parentNode().replaceChild(group, shape);
    return true;
}

} // namespace

int splitLongPaths(QDomDocument &copy, const StyleResolver &styles, double ratio)
{
    const QSizeF size = RasterGroup::designSize(copy);
    if (!(ratio > 0) || !std::isfinite(ratio) || !(size.width() > 0) || !(size.height() > 0))
        return 0;
    // The renderer draws the design area over a whole number of pixels.
    const QSizeF rasterScale(std::floor(ratio * size.width()) / size.width(),
                             std::floor(ratio * size.height()) / size.height());
    std::vector<QDomElement> shapes;
    for (const char *tag : { "path", "polygon", "polyline" }) {
        const QDomNodeList list = copy.elementsByTagName(QLatin1String(tag));
        for (int i = 0; i < list.size(); ++i) {
            const QDomElement element = list.item(i).toElement();
            if (mayBeLong(element))
                shapes.push_back(element);
        }
    }
    int replaced = 0;
    for (const QDomElement &shape : shapes)
        replaced += replace(copy, shape, styles, rasterScale);
    return replaced;
}

} // namespace LongPathFill
