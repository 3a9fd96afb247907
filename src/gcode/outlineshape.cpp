#include "gcode/outlineshape.h"

#include "document/svggrammar.h"

#include <QDebug>
#include <QStringList>
#include <QtMath>

namespace OutlineShape {

namespace {

double number(const QDomElement &element, const char *name)
{
    return SvgGrammar::attributeLength(element, QLatin1String(name));
}

QPainterPath rectPass(const QDomElement &element, bool svgOrder)
{
    const double x = number(element, "x");
    const double y = number(element, "y");
    const double width = number(element, "width");
    const double height = number(element, "height");
    // A negative radius is an error in SVG: that corner radius is 0.
    double rx = qMax(0.0, number(element, "rx"));
    double ry = qMax(0.0, number(element, "ry"));
    if (width < 2 * rx)
        rx = width / 2;
    if (height < 2 * ry)
        ry = height / 2;
    const double right = x + width;
    const double bottom = y + height;

    if (svgOrder) {
        // Clockwise on the screen from the end of the top-left corner.
        QPainterPath pass;
        pass.moveTo(x + rx, y);
        pass.lineTo(right - rx, y);
        pass.arcTo(QRectF(right - 2 * rx, y, 2 * rx, 2 * ry), 90, -90);
        pass.lineTo(right, bottom - ry);
        pass.arcTo(QRectF(right - 2 * rx, bottom - 2 * ry, 2 * rx, 2 * ry), 0, -90);
        pass.lineTo(x + rx, bottom);
        pass.arcTo(QRectF(x, bottom - 2 * ry, 2 * rx, 2 * ry), 270, -90);
        pass.lineTo(x, y + ry);
        pass.arcTo(QRectF(x, y, 2 * rx, 2 * ry), 180, -90);
        return pass;
    }

    // Counter-clockwise on the screen from the top of the left edge; the last
    // arc ends where the pass began, so the subpath is not closed explicitly.
    QPainterPath pass;
    pass.moveTo(x, y + ry);
    pass.lineTo(x, bottom - ry);
    pass.arcTo(QRectF(x, bottom - 2 * ry, 2 * rx, 2 * ry), 180, 90);
    pass.lineTo(right - rx, bottom);
    pass.arcTo(QRectF(right - 2 * rx, bottom - 2 * ry, 2 * rx, 2 * ry), 270, 90);
    pass.lineTo(right, y + ry);
    pass.arcTo(QRectF(right - 2 * rx, y, 2 * rx, 2 * ry), 0, 90);
    pass.lineTo(x + rx, y);
    pass.arcTo(QRectF(x, y, 2 * rx, 2 * ry), 90, 90);
    return pass;
}

QPainterPath ellipsePass(const QPointF &centre, double rx, double ry, bool svgOrder)
{
    QPainterPath pass;
    if (svgOrder) {
        // From the rightmost point towards +y, clockwise on the screen.
        pass.moveTo(centre.x() + rx, centre.y());
        pass.arcTo(QRectF(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry), 0, -360);
        return pass;
    }
    pass.addEllipse(centre, rx, ry);
    return pass;
}

// "points" as pairs: the first a move, the others lines; empty as soon as a
// piece is not a number or the count is odd.
QPainterPath pointsPass(const QDomElement &element, bool close)
{
    const QStringList pieces = SvgGrammar::splitValueList(element, QStringLiteral("points"));
    QPainterPath pass;
    if (pieces.isEmpty() || pieces.size() % 2 != 0)
        return pass;
    QVector<QPointF> points;
    points.reserve(pieces.size() / 2);
    for (int i = 0; i + 1 < pieces.size(); i += 2) {
        bool okX = false;
        bool okY = false;
        const QPointF point(pieces.at(i).toDouble(&okX), pieces.at(i + 1).toDouble(&okY));
        if (!okX || !okY)
            return QPainterPath();
        points.append(point);
    }
    pass.moveTo(points.first());
    for (int i = 1; i < points.size(); ++i)
        pass.lineTo(points.at(i));
    if (close)
        pass.closeSubpath();
    return pass;
}

QPainterPath singlePass(const QDomElement &element, bool *known, bool svgOrder = false)
{
    const QString tag = element.tagName();
    *known = true;
    if (tag == QLatin1String("rect"))
        return rectPass(element, svgOrder);
    if (tag == QLatin1String("ellipse"))
        return ellipsePass(QPointF(number(element, "cx"), number(element, "cy")),
                           number(element, "rx"), number(element, "ry"), svgOrder);
    if (tag == QLatin1String("circle")) {
        const double r = number(element, "r");
        return ellipsePass(QPointF(number(element, "cx"), number(element, "cy")), r, r, svgOrder);
    }
    if (tag == QLatin1String("line")) {
        QPainterPath pass;
        pass.moveTo(number(element, "x1"), number(element, "y1"));
        pass.lineTo(number(element, "x2"), number(element, "y2"));
        return pass;
    }
    if (tag == QLatin1String("polyline"))
        return pointsPass(element, false);
    if (tag == QLatin1String("polygon"))
        return pointsPass(element, true);
    if (tag == QLatin1String("path"))
        return SvgGrammar::pathFromAttribute(element, QStringLiteral("d"));
    *known = false;
    return QPainterPath();
}

QPointF bezierPoint(const QPointF &p0, const QPointF &p1, const QPointF &p2, const QPointF &p3,
                    double t)
{
    const double u = 1 - t;
    return u * u * u * p0 + 3 * t * u * u * p1 + 3 * t * t * u * p2 + t * t * t * p3;
}

// The pass `passes` times over, mapped and flattened; empty when the result
// is not finite.
QPainterPath repeatAndMap(const QDomElement &element, const QPainterPath &pass, int passes,
                          const QTransform &enclosing)
{
    if (pass.isEmpty())
        return QPainterPath();

    passes = qBound(1, passes, maxPasses);
    QPainterPath path = pass;
    for (int i = 1; i < passes; ++i)
        path.addPath(pass);
    const QTransform transform = SvgGrammar::transformFromAttribute(element) * enclosing;
    const QPainterPath mapped = transform.map(path);
    const QRectF bounds = mapped.controlPointRect();
    if (!qIsFinite(bounds.left()) || !qIsFinite(bounds.top()) || !qIsFinite(bounds.right())
        || !qIsFinite(bounds.bottom())) {
        qDebug() << "outline with non-finite coordinates skipped" << element.tagName();
        return QPainterPath();
    }
    return flattenCurves(mapped);
}

} // namespace

QPainterPath elementPath(const QDomElement &element, int passes, const QTransform &enclosing,
                         bool *known)
{
    bool isKnown = false;
    const QPainterPath pass = element.isNull() ? QPainterPath() : singlePass(element, &isKnown);
    if (known)
        *known = isKnown;
    if (!isKnown) {
        qDebug() << "can't switch this shap" << element.tagName();
        return QPainterPath();
    }
    return repeatAndMap(element, pass, passes, enclosing);
}

QPainterPath dashPath(const QDomElement &element, const QTransform &enclosing)
{
    bool known = false;
    const QPainterPath pass = element.isNull() ? QPainterPath() : singlePass(element, &known, true);
    return known ? repeatAndMap(element, pass, 1, enclosing) : QPainterPath();
}

QPainterPath flattenCurves(const QPainterPath &path)
{
    QPainterPath flat;
    const int count = path.elementCount();
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            flat.moveTo(e);
        } else if (e.isLineTo()) {
            flat.lineTo(e);
        } else if (e.isCurveTo() && i + 2 < count) {
            const QPointF p0 = i > 0 ? QPointF(path.elementAt(i - 1)) : QPointF();
            const QPointF p1 = e;
            const QPointF p2 = path.elementAt(i + 1);
            const QPointF p3 = path.elementAt(i + 2);
            QPainterPath curve(p0);
            curve.cubicTo(p1, p2, p3);
            const double length = curve.length();
            double step = qMin(0.1, 15 / length);
            // A curve of absurd length or with non-finite points would never
            // finish; no real design comes near 1e-5 of a curve per step.
            if (!(step >= 1e-5))
                step = length > 0 ? 1e-5 : 0.1;
            flat.lineTo(p0);
            for (double t = step; t < 1; t += step)
                flat.lineTo(bezierPoint(p0, p1, p2, p3, t));
            flat.lineTo(p3);
            i += 2;
        }
    }
    return flat;
}

} // namespace OutlineShape
