#include "gcode/shapeclipper.h"

#include "document/svggrammar.h"
#include "document/svgpaint.h"
#include "document/svgpicture.h"
#include "document/viewportgeometry.h"
#include "gcode/foreignpaint.h"
#include "gcode/outlineshape.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPathStroker>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const QStringList geometryAttributes{ "x", "y", "width", "height", "rx", "ry", "cx", "cy", "r",
                                      "x1", "y1", "x2", "y2", "points", "d" };

bool isShape(const QString &tag)
{
    return tag == QLatin1String("rect") || tag == QLatin1String("circle") || tag == QLatin1String("ellipse")
            || tag == QLatin1String("line") || tag == QLatin1String("polyline")
            || tag == QLatin1String("polygon") || tag == QLatin1String("path");
}

QString numberText(double value)
{
    return QString::number(value, 'g', 10);
}

QString matrixText(const QTransform &t)
{
    return QStringLiteral("matrix(%1,%2,%3,%4,%5,%6)")
            .arg(numberText(t.m11()), numberText(t.m12()), numberText(t.m21()), numberText(t.m22()),
                 numberText(t.dx()), numberText(t.dy()));
}

QString pathText(const QPainterPath &path)
{
    QString d;
    d.reserve(path.elementCount() * 16);
    const auto point = [&d](double x, double y) {
        d += numberText(x);
        d += QLatin1Char(' ');
        d += numberText(y);
        d += QLatin1Char(' ');
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            d += QLatin1String("M ");
            point(e.x, e.y);
        } else if (e.isLineTo()) {
            d += QLatin1String("L ");
            point(e.x, e.y);
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            d += QLatin1String("C ");
            point(e.x, e.y);
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            point(c2.x, c2.y);
            point(end.x, end.y);
            i += 2;
        }
    }
    return d.trimmed();
}

// The rectangle a region is, when it is one with sides along the axes.
bool rectangleOf(const QPainterPath &region, QRectF *rect)
{
    const QRectF bounds = region.boundingRect();
    for (int i = 0; i < region.elementCount(); ++i) {
        const QPainterPath::Element e = region.elementAt(i);
        if (!e.isMoveTo() && !e.isLineTo())
            return false;
        if ((e.x != bounds.left() && e.x != bounds.right()) || (e.y != bounds.top() && e.y != bounds.bottom()))
            return false;
    }
    *rect = bounds;
    return region.elementCount() > 0;
}

// Bounds overlap, counting a line of no width or height.
bool overlaps(const QRectF &a, const QRectF &b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}

// The stroke width in user units; 1 when unset or unreadable.
double strokeWidth(const StyleResolver &styles, const QDomElement &element)
{
    bool found = false;
    double width = 1;
    const QString text = styles.inheritedValue(element, QStringLiteral("stroke-width"), &found);
    if (found && !ViewportGeometry::cssLength(text, 16, &width))
        width = 1;
    return width;
}

double scaleOf(const QTransform &t)
{
    return std::sqrt(std::abs(t.determinant()));
}

bool onEdge(const QPointF &point, const QVector<QLineF> &edges)
{
    constexpr double tolerance = 1e-6;
    for (const QLineF &edge : edges) {
        const QPointF d = edge.p2() - edge.p1();
        const double length2 = d.x() * d.x() + d.y() * d.y();
        if (length2 <= 0)
            continue;
        const double t = std::clamp(QPointF::dotProduct(point - edge.p1(), d) / length2, 0.0, 1.0);
        const QPointF nearest = edge.p1() + d * t;
        if (QLineF(point, nearest).length() < tolerance)
            return true;
    }
    return false;
}

// The pieces of the segment a-b inside `region`, as parameters along it.
void insideIntervals(const QPointF &a, const QPointF &b, const QVector<QLineF> &edges,
                     const QPainterPath &region, std::vector<std::pair<double, double>> *out)
{
    std::vector<double> ts{ 0, 1 };
    const QLineF segment(a, b);
    for (const QLineF &edge : edges) {
        QPointF hit;
        if (segment.intersects(edge, &hit) != QLineF::BoundedIntersection)
            continue;
        const double length2 = segment.dx() * segment.dx() + segment.dy() * segment.dy();
        if (length2 <= 0)
            continue;
        const double t = ((hit.x() - a.x()) * segment.dx() + (hit.y() - a.y()) * segment.dy()) / length2;
        if (t > 0 && t < 1)
            ts.push_back(t);
    }
    std::sort(ts.begin(), ts.end());
    for (size_t i = 0; i + 1 < ts.size(); ++i) {
        if (ts[i + 1] - ts[i] < 1e-12)
            continue;
        const double mid = (ts[i] + ts[i + 1]) / 2;
        const QPointF point = a + (b - a) * mid;
        // A cut along the clip's own edge is kept: half its line shows.
        if (region.contains(point) || onEdge(point, edges))
            out->emplace_back(ts[i], ts[i + 1]);
    }
}

void setPresentation(QDomElement &element, const QString &name, const QString &value)
{
    SvgGrammar::StyleMap style = SvgGrammar::parseStyleDeclarations(element);
    if (style.contains(name)) {
        style.insert(name, value);
        element.setAttribute(QStringLiteral("style"), SvgGrammar::styleToString(style));
    }
    element.setAttribute(name, value);
}

// Turns a shape into a path of `designPath` (design coordinates), keeping
// its presentation and engraving attributes.
bool becomePath(QDomElement &element, const QPainterPath &designPath, const QTransform &enclosing)
{
    bool invertible = false;
    const QTransform back = enclosing.inverted(&invertible);
    if (designPath.isEmpty() || !invertible) {
        element.parentNode().removeChild(element);
        return false;
    }
    element.setTagName(QStringLiteral("path"));
    for (const QString &name : geometryAttributes)
        element.removeAttribute(name);
    element.setAttribute(QStringLiteral("d"), pathText(designPath));
    if (back.isIdentity())
        element.removeAttribute(QStringLiteral("transform"));
    else
        element.setAttribute(QStringLiteral("transform"), matrixText(back));
    element.removeAttribute(QStringLiteral("clip-path"));
    return true;
}

QImage pictureOf(const QDomElement &image)
{
    QString href = image.attribute(QStringLiteral("xlink:href"));
    if (href.isEmpty())
        href = image.attribute(QStringLiteral("href"));
    return SvgPicture::load(href, QString());
}

QByteArray pngBase64(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toBase64();
}

// Keeps only the pixels of a picture inside `region` (the picture's user space).
void clipPicture(QDomElement &image, const QPainterPath &region, double scale)
{
    const QRectF box(SvgGrammar::attributeLength(image, QStringLiteral("x")),
                     SvgGrammar::attributeLength(image, QStringLiteral("y")),
                     SvgGrammar::attributeLength(image, QStringLiteral("width")),
                     SvgGrammar::attributeLength(image, QStringLiteral("height")));
    if (box.isEmpty() || region.contains(box))
        return;
    if (!region.intersects(box)) {
        image.parentNode().removeChild(image);
        return;
    }
    const QImage original = pictureOf(image);
    if (original.isNull())
        return;
    // Enough pixels that the clip's edge falls within a design unit, each
    // pixel of the picture kept sharp.
    const QSizeF shown = scale * box.size();
    int factor = int(std::ceil(std::max(shown.width() / original.width(), shown.height() / original.height())));
    factor = std::clamp(factor, 1, std::max(1, int(4096 / std::max(original.width(), original.height()))));
    const QImage picture = factor == 1 ? original
                                       : original.scaled(original.size() * factor, Qt::IgnoreAspectRatio,
                                                         Qt::FastTransformation);
    QImage clipped(picture.size(), QImage::Format_ARGB32_Premultiplied);
    clipped.fill(Qt::transparent);
    QPainter painter(&clipped);
    const QTransform toPixels = QTransform::fromTranslate(-box.x(), -box.y())
            * QTransform::fromScale(picture.width() / box.width(), picture.height() / box.height());
    painter.setClipPath(toPixels.map(region));
    painter.drawImage(0, 0, picture);
    painter.end();
    image.setAttribute(QStringLiteral("xlink:href"),
                       QStringLiteral("data:image/png;base64,") + QString::fromLatin1(pngBase64(clipped)));
    image.removeAttribute(QStringLiteral("href"));
    image.removeAttribute(QStringLiteral("clip-path"));
}

// The bounding box of what `target` draws, in its user space, where `ctm`
// maps that space to the design.
QRectF boundingBox(const QDomElement &target, const QTransform &ctm)
{
    QRectF box;
    const QTransform own = SvgGrammar::transformFromAttribute(target);
    if (isShape(target.tagName()))
        return OutlineShape::elementPath(target, 1, own.inverted()).boundingRect();
    if (target.tagName() == QLatin1String("image"))
        return QRectF(SvgGrammar::attributeLength(target, QStringLiteral("x")),
                      SvgGrammar::attributeLength(target, QStringLiteral("y")),
                      SvgGrammar::attributeLength(target, QStringLiteral("width")),
                      SvgGrammar::attributeLength(target, QStringLiteral("height")));
    bool invertible = false;
    const QTransform back = ctm.inverted(&invertible);
    std::vector<std::pair<QDomElement, QTransform>> stack{ { target, ctm } };
    while (!stack.empty()) {
        const auto [element, transform] = stack.back();
        stack.pop_back();
        for (QDomElement c = element.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
            if (isShape(c.tagName()))
                box |= back.map(OutlineShape::elementPath(c, 1, transform)).boundingRect();
            else if (!StyleResolver::isUnrendered(c.tagName()))
                stack.push_back({ c, SvgGrammar::transformFromAttribute(c) * transform });
        }
    }
    return box;
}

// A number, or a percentage as a fraction.
double fractionOrNumber(const QString &text, double fallback)
{
    QString value = text.trimmed();
    if (value.isEmpty())
        return fallback;
    const bool percent = value.endsWith(QLatin1Char('%'));
    if (percent)
        value.chop(1);
    bool ok = false;
    const double number = value.toDouble(&ok);
    return !ok ? fallback : percent ? number / 100 : number;
}

double opacityValue(const StyleResolver &styles, const QDomElement &element, const QString &property)
{
    bool found = false;
    const QString text = styles.ownValue(element, property, &found);
    return found ? std::clamp(fractionOrNumber(text, 1), 0.0, 1.0) : 1.0;
}

// How much of a paint a mask lets through: its luminance (or, for an alpha
// mask, its opacity) at `opacity`; 1 for a gradient or pattern, which is
// taken as shown.
double maskValue(const QString &paint, double opacity, bool alphaOnly)
{
    const QString value = paint.trimmed();
    if (value.isEmpty() || value == QLatin1String("none"))
        return 0;
    if (value.startsWith(QLatin1String("url(")))
        return opacity;
    const QColor colour = ForeignPaint::parseColour(value);
    if (!colour.isValid())
        return 0;
    const double alpha = colour.alphaF() * opacity;
    if (alphaOnly)
        return alpha;
    return alpha * (0.2125 * colour.redF() + 0.7154 * colour.greenF() + 0.0721 * colour.blueF());
}

} // namespace

ShapeClipper::ShapeClipper(const QDomDocument &document)
{
    // One walk finds both kinds, first of each id in document order.
    std::vector<QDomElement> stack{ document.documentElement() };
    while (!stack.empty()) {
        const QDomElement e = stack.back();
        stack.pop_back();
        const QString tag = e.tagName();
        if (tag == QLatin1String("clipPath") || tag == QLatin1String("mask")) {
            const QString id = e.attribute(QStringLiteral("id"));
            if (!id.isEmpty() && !mClips.contains(id))
                mClips.insert(id, e);
        }
        for (QDomElement c = e.lastChildElement(); !c.isNull(); c = c.previousSiblingElement())
            stack.push_back(c);
    }
}

QPainterPath ShapeClipper::clipLines(const QPainterPath &path, const QPainterPath &region)
{
    QVector<QLineF> edges;
    for (const QPolygonF &polygon : region.toSubpathPolygons()) {
        for (int i = 0; i + 1 < polygon.size(); ++i)
            edges.append(QLineF(polygon.at(i), polygon.at(i + 1)));
        if (polygon.size() > 2 && polygon.first() != polygon.last())
            edges.append(QLineF(polygon.last(), polygon.first()));
    }
    QPainterPath out;
    bool drawing = false;
    QPointF last;
    std::vector<std::pair<double, double>> pieces;
    for (int i = 1; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QPainterPath::Element p = path.elementAt(i - 1);
        if (e.isMoveTo()) {
            drawing = false;
            continue;
        }
        const QPointF a(p.x, p.y);
        const QPointF b(e.x, e.y);
        pieces.clear();
        insideIntervals(a, b, edges, region, &pieces);
        for (const auto &piece : pieces) {
            const QPointF from = a + (b - a) * piece.first;
            const QPointF to = a + (b - a) * piece.second;
            if (!drawing || QLineF(last, from).length() > 1e-9)
                out.moveTo(from);
            out.lineTo(to);
            last = to;
            drawing = true;
        }
        if (pieces.empty() || pieces.back().second < 1)
            drawing = false;
    }
    return out;
}

QPainterPath ShapeClipper::dashLines(const QPainterPath &path, const QVector<double> &pattern, double offset)
{
    QPainterPath out;
    if (pattern.isEmpty())
        return path;
    double period = 0;
    for (double d : pattern)
        period += d;
    for (const QPolygonF &line : path.toSubpathPolygons()) {
        // Each subpath starts the pattern afresh, `offset` into it.
        double phase = std::fmod(offset, period);
        if (phase < 0)
            phase += period;
        int index = 0;
        while (phase >= pattern.at(index)) {
            phase -= pattern.at(index);
            index = (index + 1) % pattern.size();
        }
        double left = pattern.at(index) - phase;
        bool on = index % 2 == 0;
        bool drawing = false;
        for (int i = 0; i + 1 < line.size(); ++i) {
            QPointF a = line.at(i);
            const QPointF b = line.at(i + 1);
            double length = QLineF(a, b).length();
            while (length > 0) {
                const double step = std::min(left, length);
                const QPointF next = a + (b - a) * (step / length);
                if (on) {
                    if (!drawing)
                        out.moveTo(a);
                    out.lineTo(next);
                    drawing = true;
                }
                a = next;
                length -= step;
                left -= step;
                if (left <= 1e-12) {
                    index = (index + 1) % pattern.size();
                    left = pattern.at(index);
                    on = index % 2 == 0;
                    drawing = false;
                }
            }
        }
    }
    return out;
}

QPainterPath ShapeClipper::clipRegion(const QDomElement &clip, const QDomElement &target, const QTransform &ctm,
                                      const StyleResolver &styles, const Lookup &lookup, int depth)
{
    QTransform units;
    if (clip.attribute(QStringLiteral("clipPathUnits")).trimmed() == QLatin1String("objectBoundingBox")) {
        const QRectF box = boundingBox(target, ctm);
        if (box.isEmpty())
            return QPainterPath();
        units = QTransform(box.width(), 0, 0, box.height(), box.x(), box.y());
    }
    const QTransform base = SvgGrammar::transformFromAttribute(clip) * units * ctm;
    QPainterPath region;
    region.setFillRule(Qt::WindingFill);
    bool first = true;
    std::vector<std::pair<QDomElement, QTransform>> stack{ { clip, base } };
    while (!stack.empty()) {
        const auto [element, transform] = stack.back();
        stack.pop_back();
        for (QDomElement c = element.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
            if (!styles.isDisplayed(c))
                continue;
            const QString tag = c.tagName();
            if (tag == QLatin1String("g")) {
                stack.push_back({ c, SvgGrammar::transformFromAttribute(c) * transform });
                continue;
            }
            if (!isShape(tag))
                continue;
            QPainterPath shape = OutlineShape::elementPath(c, 1, transform);
            bool found = false;
            const QString rule = styles.inheritedValue(c, QStringLiteral("clip-rule"), &found);
            shape.setFillRule(rule.trimmed() == QLatin1String("evenodd") ? Qt::OddEvenFill : Qt::WindingFill);
            if (first) {
                region = shape;
                first = false;
            } else {
                region = region.united(shape);
            }
        }
    }
    // A clip path may be clipped itself.
    const QString nested = SvgGrammar::referencedId(styles.ownValue(clip, QStringLiteral("clip-path")));
    const QDomElement outerClip = nested.isEmpty() || depth >= 16 ? QDomElement() : lookup(nested);
    if (outerClip.tagName() == QLatin1String("clipPath")) {
        const QPainterPath outer = clipRegion(outerClip, target, ctm, styles, lookup, depth + 1);
        region = region.intersected(outer);
    }
    return region;
}

QPainterPath ShapeClipper::maskRegion(const QDomElement &mask, const QDomElement &target, const QTransform &ctm,
                                      const StyleResolver &styles)
{
    const bool boxUnits = mask.attribute(QStringLiteral("maskUnits")).trimmed() != QLatin1String("userSpaceOnUse");
    const bool boxContent =
            mask.attribute(QStringLiteral("maskContentUnits")).trimmed() == QLatin1String("objectBoundingBox");
    const QRectF box = boxUnits || boxContent ? boundingBox(target, ctm) : QRectF();
    if ((boxUnits || boxContent) && box.isEmpty())
        return QPainterPath();
    // The mask's own rectangle; by default the box with a tenth around it.
    QRectF area;
    if (boxUnits) {
        const auto part = [&mask](const char *name, double fallback) {
            return fractionOrNumber(mask.attribute(QLatin1String(name)), fallback);
        };
        area = QRectF(box.x() + part("x", -0.1) * box.width(), box.y() + part("y", -0.1) * box.height(),
                      part("width", 1.2) * box.width(), part("height", 1.2) * box.height());
    } else {
        const auto length = [&mask](const char *name, double fallback) {
            return mask.hasAttribute(QLatin1String(name)) ? SvgGrammar::attributeLength(mask, QLatin1String(name))
                                                          : fallback;
        };
        area = QRectF(length("x", -1e7), length("y", -1e7), length("width", 2e7), length("height", 2e7));
    }
    const bool alphaOnly = styles.ownValue(mask, QStringLiteral("mask-type")).trimmed() == QLatin1String("alpha");
    const QTransform content = boxContent ? QTransform(box.width(), 0, 0, box.height(), box.x(), box.y()) : QTransform();
    QPainterPath region;
    region.setFillRule(Qt::WindingFill);
    struct Entry
    {
        QDomElement element;
        QTransform transform;
        double opacity;
    };
    // Painted in document order: what shows adds to the region, opaque
    // black (or nothing, for an alpha mask) painted over it takes away.
    std::vector<Entry> stack{ { mask, content * ctm, 1.0 } };
    std::vector<Entry> shapes;
    while (!stack.empty()) {
        const Entry entry = stack.back();
        stack.pop_back();
        const size_t mark = stack.size();
        for (QDomElement c = entry.element.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
            if (!styles.isDisplayed(c))
                continue;
            const QString tag = c.tagName();
            const double opacity = entry.opacity * opacityValue(styles, c, QStringLiteral("opacity"));
            const QTransform transform = SvgGrammar::transformFromAttribute(c) * entry.transform;
            if (tag == QLatin1String("g") || isShape(tag) || tag == QLatin1String("image"))
                stack.push_back({ c, transform, opacity });
        }
        std::reverse(stack.begin() + long(mark), stack.end());
        if (entry.element != mask && entry.element.tagName() != QLatin1String("g"))
            shapes.push_back(entry);
    }
    for (const Entry &entry : shapes) {
        const QDomElement &c = entry.element;
        if (c.tagName() == QLatin1String("image")) {
            QPainterPath picture;
            picture.addPolygon(entry.transform.map(QPolygonF(QRectF(
                    SvgGrammar::attributeLength(c, QStringLiteral("x")), SvgGrammar::attributeLength(c, QStringLiteral("y")),
                    SvgGrammar::attributeLength(c, QStringLiteral("width")),
                    SvgGrammar::attributeLength(c, QStringLiteral("height"))))));
            if (entry.opacity > 0)
                region = region.united(picture);
            continue;
        }
        const QTransform enclosing = SvgGrammar::transformFromAttribute(c).inverted() * entry.transform;
        QPainterPath shape = OutlineShape::elementPath(c, 1, enclosing);
        const QString rule = styles.inheritedValue(c, QStringLiteral("fill-rule")).trimmed();
        shape.setFillRule(rule == QLatin1String("evenodd") ? Qt::OddEvenFill : Qt::WindingFill);
        const StyleResolver::Paint paint = styles.paint(c);
        const auto inheritedOpacity = [&](const QString &property) {
            bool found = false;
            const QString text = styles.inheritedValue(c, property, &found);
            return found ? std::clamp(fractionOrNumber(text, 1), 0.0, 1.0) : 1.0;
        };
        const auto paintArea = [&](const QPainterPath &area, const QString &value, double opacity) {
            const double shown = maskValue(value, opacity, alphaOnly);
            if (shown > 1e-3)
                region = region.united(area);
            else if (!alphaOnly && opacity >= 1 && value.trimmed() != QLatin1String("none"))
                region = region.subtracted(area);
        };
        // An unpainted shape fills black.
        paintArea(shape, paint.fillSet ? paint.fill : QStringLiteral("black"),
                  entry.opacity * inheritedOpacity(QStringLiteral("fill-opacity")));
        if (paint.strokeSet && paint.stroke.trimmed() != QLatin1String("none")) {
            const double width = strokeWidth(styles, c);
            if (width > 0) {
                QPainterPathStroker stroker;
                stroker.setWidth(width * scaleOf(entry.transform));
                paintArea(stroker.createStroke(shape), paint.stroke,
                          entry.opacity * inheritedOpacity(QStringLiteral("stroke-opacity")));
            }
        }
    }
    QPainterPath limit;
    limit.addPolygon(ctm.map(QPolygonF(area)));
    limit.closeSubpath();
    return region.intersected(limit);
}

bool ShapeClipper::regionOf(const QDomElement &element, const QTransform &ctm, const StyleResolver &styles,
                            const Lookup &lookup, QPainterPath *region)
{
    const QString style = element.attribute(QStringLiteral("style"));
    bool any = false;
    for (const QString &property : { QStringLiteral("clip-path"), QStringLiteral("mask") }) {
        if (!element.hasAttribute(property) && !style.contains(property) && !styles.declaresInSheet(property))
            continue;
        const QString id = SvgGrammar::referencedId(styles.ownValue(element, property));
        if (id.isEmpty())
            continue;
        const QDomElement source = lookup(id);
        const bool isClip = property == QLatin1String("clip-path");
        if (source.tagName() != (isClip ? QLatin1String("clipPath") : QLatin1String("mask")))
            continue;
        const QPainterPath own = isClip ? clipRegion(source, element, ctm, styles, lookup, 0)
                                        : maskRegion(source, element, ctm, styles);
        *region = any ? region->intersected(own) : own;
        any = true;
    }
    return any;
}

bool ShapeClipper::ownRegion(const QDomElement &element, const StyleResolver &styles, const Lookup &lookup,
                             QPainterPath *region)
{
    return regionOf(element, QTransform(), styles, lookup, region);
}

QVector<double> ShapeClipper::dashPattern(const QString &text, double fontSize)
{
    QVector<double> pattern;
    const QString value = text.trimmed();
    if (value.isEmpty() || value == QLatin1String("none"))
        return pattern;
    for (const QString &piece : value.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts)) {
        double length = 0;
        if (!ViewportGeometry::cssLength(piece, fontSize, &length) || length < 0)
            return {};
        pattern.append(length);
    }
    double sum = 0;
    for (double d : pattern)
        sum += d;
    if (!(sum > 0))
        return {};
    if (pattern.size() % 2 != 0)
        pattern += pattern;
    return pattern;
}

void ShapeClipper::apply(QDomDocument &document, const StyleResolver &styles, QStringList *notes) const
{
    Q_UNUSED(notes)
    const QDomElement root = document.documentElement();
    if (root.isNull())
        return;
    struct Entry
    {
        QDomElement element;
        QTransform enclosing;
        StyleResolver::Paint paint;
        QPainterPath region;
        bool clipped;
        QRectF rect;          // the region, when it is a rectangle
        bool isRect;
        QString dashes;       // inherited stroke-dasharray
    };
    const Lookup lookup = [this](const QString &id) { return mClips.value(id); };
    std::vector<Entry> stack{ { root, QTransform(), StyleResolver::Paint(), QPainterPath(), false, QRectF(), false,
                                QString() } };
    std::vector<Entry> leaves;
    while (!stack.empty()) {
        Entry entry = stack.back();
        stack.pop_back();
        QDomElement element = entry.element;
        const QString tag = element.tagName();
        if (StyleResolver::isUnrendered(tag))
            continue;
        const QTransform ctm = SvgGrammar::transformFromAttribute(element) * entry.enclosing;
        // The cascade is written into "style" already: only an element
        // that says so can be clipped or dashed.
        const QString style = element.attribute(QStringLiteral("style"));
        const bool mayClip = !mClips.isEmpty()
                && (element.hasAttribute(QStringLiteral("clip-path")) || element.hasAttribute(QStringLiteral("mask"))
                    || style.contains(QLatin1String("clip-path")) || style.contains(QLatin1String("mask")));
        if (element.hasAttribute(QStringLiteral("stroke-dasharray"))
            || style.contains(QLatin1String("stroke-dasharray"))) {
            bool found = false;
            const QString dash = styles.ownValue(element, QStringLiteral("stroke-dasharray"), &found);
            if (found)
                entry.dashes = dash;
        }
        QPainterPath own;
        if (mayClip && regionOf(element, ctm, styles, lookup, &own)) {
            QRectF ownRect;
            const bool ownIsRect = rectangleOf(own, &ownRect);
            if (!entry.clipped) {
                entry.region = own;
                entry.rect = ownRect;
                entry.isRect = ownIsRect;
            } else if (entry.isRect && ownIsRect) {
                entry.rect = entry.rect.intersected(ownRect);
                entry.region = QPainterPath();
                entry.region.addRect(entry.rect);
            } else {
                entry.region = entry.region.intersected(own);
                entry.isRect = false;
            }
            entry.clipped = true;
        }
        if (isShape(tag) || tag == QLatin1String("image")) {
            if (entry.clipped || !entry.dashes.isEmpty())
                leaves.push_back(entry);
            continue;
        }
        const size_t mark = stack.size();
        for (QDomElement c = element.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
            stack.push_back({ c, ctm, entry.paint, entry.region, entry.clipped, entry.rect, entry.isRect,
                              entry.dashes });
        std::reverse(stack.begin() + long(mark), stack.end());
    }

    for (Entry &leaf : leaves) {
        QDomElement element = leaf.element;
        const QTransform ctm = SvgGrammar::transformFromAttribute(element) * leaf.enclosing;
        if (leaf.clipped) {
            // Most clips (viewports, PDF page boxes) hold their shape whole,
            // or miss it: nothing to cut then.
            const QRectF bounds = element.tagName() == QLatin1String("image")
                    ? ctm.mapRect(QRectF(SvgGrammar::attributeLength(element, QStringLiteral("x")),
                                         SvgGrammar::attributeLength(element, QStringLiteral("y")),
                                         SvgGrammar::attributeLength(element, QStringLiteral("width")),
                                         SvgGrammar::attributeLength(element, QStringLiteral("height"))))
                    : OutlineShape::elementPath(element, 1, leaf.enclosing).boundingRect();
            if (!overlaps(bounds, leaf.isRect ? leaf.rect : leaf.region.boundingRect())) {
                element.parentNode().removeChild(element);
                continue;
            }
            if (leaf.isRect && leaf.rect.contains(bounds))
                leaf.clipped = false;
        }
        if (element.tagName() == QLatin1String("image")) {
            if (leaf.clipped) {
                bool invertible = false;
                const QTransform back = ctm.inverted(&invertible);
                if (invertible)
                    clipPicture(element, back.map(leaf.region), scaleOf(ctm));
            }
            continue;
        }
        // Few leaves get here: their paint is looked up whole.
        leaf.paint = styles.paint(element);
        const EngraveMode mode = styles.engraveMode(element, leaf.paint);
        if (mode == EngraveMode::Outline) {
            const QVector<double> pattern = dashPattern(leaf.dashes, 16);
            if (!leaf.clipped && pattern.isEmpty())
                continue;
            QPainterPath path = pattern.isEmpty() ? OutlineShape::elementPath(element, 1, leaf.enclosing)
                                                  : OutlineShape::dashPath(element, leaf.enclosing);
            if (!pattern.isEmpty()) {
                const double scale = scaleOf(ctm);
                QVector<double> scaled = pattern;
                for (double &d : scaled)
                    d *= scale;
                bool found = false;
                double offset = 0;
                const QString offsetText = styles.inheritedValue(element, QStringLiteral("stroke-dashoffset"), &found);
                if (found && !ViewportGeometry::cssLength(offsetText, 16, &offset))
                    offset = 0;
                path = dashLines(path, scaled, offset * scale);
            }
            if (leaf.clipped)
                path = clipLines(path, leaf.region);
            if (becomePath(element, path, leaf.enclosing)) {
                element.removeAttribute(QStringLiteral("stroke-dasharray"));
                element.removeAttribute(QStringLiteral("stroke-dashoffset"));
            }
            continue;
        }
        if (mode != EngraveMode::Fill || !leaf.clipped)
            continue;
        QPainterPath area = OutlineShape::elementPath(element, 1, leaf.enclosing);
        const QString rule = styles.inheritedValue(element, QStringLiteral("fill-rule")).trimmed();
        area.setFillRule(rule == QLatin1String("evenodd") ? Qt::OddEvenFill : Qt::WindingFill);
        const bool stroked = leaf.paint.strokeSet && leaf.paint.stroke.trimmed() != QLatin1String("none");
        if (stroked) {
            const double width = strokeWidth(styles, element);
            if (width > 0) {
                QPainterPathStroker stroker;
                stroker.setWidth(width * scaleOf(ctm));
                area = area.united(stroker.createStroke(area));
            }
        }
        const QPainterPath inside = area.intersected(leaf.region);
        if (becomePath(element, inside, leaf.enclosing)) {
            setPresentation(element, QStringLiteral("fill-rule"), QStringLiteral("evenodd"));
            if (stroked)
                setPresentation(element, QStringLiteral("stroke"), QStringLiteral("none"));
        }
    }
}
