#include "document/viewportgeometry.h"

#include "document/styleresolver.h"
#include "document/svggrammar.h"

#include <QStringList>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ViewportGeometry {

QRectF viewBox(const QDomElement &element)
{
    const QStringList pieces = SvgGrammar::splitValueList(element, QStringLiteral("viewBox"));
    if (pieces.size() != 4)
        return QRectF();
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = pieces.at(i).toDouble(&ok);
        if (!ok || !std::isfinite(v[i]))
            return QRectF();
    }
    if (!(v[2] > 0) || !(v[3] > 0))
        return QRectF();
    return QRectF(v[0], v[1], v[2], v[3]);
}

QSizeF rootViewport(const QDomElement &root)
{
    const QRectF box = viewBox(root);
    if (!box.isEmpty())
        return box.size();
    bool okW = false;
    bool okH = false;
    const double w = SvgGrammar::parseLength(root.attribute(QStringLiteral("width")), &okW);
    const double h = SvgGrammar::parseLength(root.attribute(QStringLiteral("height")), &okH);
    return QSizeF(okW ? w : 0, okH ? h : 0);
}

QTransform viewBoxTransform(const QRectF &box, const QRectF &viewport, const QString &aspect)
{
    if (box.isEmpty() || viewport.isEmpty())
        return QTransform::fromTranslate(viewport.x(), viewport.y());
    const QStringList words = aspect.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString align = words.value(0, QStringLiteral("xMidYMid"));
    const bool slice = words.value(1) == QLatin1String("slice");
    double sx = viewport.width() / box.width();
    double sy = viewport.height() / box.height();
    double tx = viewport.x() - box.x() * sx;
    double ty = viewport.y() - box.y() * sy;
    if (align != QLatin1String("none")) {
        const double s = slice ? std::max(sx, sy) : std::min(sx, sy);
        const double spareX = viewport.width() - box.width() * s;
        const double spareY = viewport.height() - box.height() * s;
        const double fx = align.contains(QLatin1String("xMax")) ? 1
                : align.contains(QLatin1String("xMin"))        ? 0
                                                               : 0.5;
        const double fy = align.contains(QLatin1String("YMax")) ? 1
                : align.contains(QLatin1String("YMin"))        ? 0
                                                               : 0.5;
        sx = sy = s;
        tx = viewport.x() - box.x() * s + spareX * fx;
        ty = viewport.y() - box.y() * s + spareY * fy;
    }
    return QTransform(sx, 0, 0, sy, tx, ty);
}

QRectF nestedViewport(const QDomElement &svg, const QSizeF &outer)
{
    const auto length = [&](const char *name, Qt::Orientations axis, double fallback) {
        if (!svg.hasAttribute(QLatin1String(name)))
            return fallback;
        bool ok = false;
        const double v = SvgGrammar::parseViewportLength(svg.attribute(QLatin1String(name)), outer, axis, &ok);
        return ok ? v : fallback;
    };
    return QRectF(length("x", Qt::Horizontal, 0), length("y", Qt::Vertical, 0),
                  length("width", Qt::Horizontal, outer.width()), length("height", Qt::Vertical, outer.height()));
}

bool clipsToViewport(const QDomElement &element, const StyleResolver &styles)
{
    bool found = false;
    const QString overflow = styles.ownValue(element, QStringLiteral("overflow"), &found).trimmed();
    return !found || (overflow != QLatin1String("visible") && overflow != QLatin1String("auto"));
}

QTransform nestedPlacement(const QDomElement &svg, const QSizeF &outer, QSizeF *inner)
{
    const auto length = [&](const char *name, Qt::Orientations axis, bool *ok) {
        return SvgGrammar::parseViewportLength(svg.attribute(QLatin1String(name)), outer, axis, ok);
    };
    bool ok = false;
    const double x = svg.hasAttribute(QStringLiteral("x")) ? length("x", Qt::Horizontal, &ok) : 0;
    const double y = svg.hasAttribute(QStringLiteral("y")) ? length("y", Qt::Vertical, &ok) : 0;
    double w = outer.width();
    double h = outer.height();
    if (svg.hasAttribute(QStringLiteral("width")))
        w = length("width", Qt::Horizontal, &ok);
    if (svg.hasAttribute(QStringLiteral("height")))
        h = length("height", Qt::Vertical, &ok);
    const QRectF box = viewBox(svg);
    if (inner)
        *inner = box.isEmpty() ? QSizeF(w, h) : box.size();
    return box.isEmpty() ? QTransform::fromTranslate(x, y)
                         : viewBoxTransform(box, QRectF(x, y, w, h),
                                            svg.attribute(QStringLiteral("preserveAspectRatio")));
}

QSizeF viewportAround(const QDomElement &element)
{
    std::vector<QDomElement> nested;
    QDomElement root;
    for (QDomNode n = element.parentNode(); n.isElement(); n = n.parentNode()) {
        const QDomElement e = n.toElement();
        root = e;
        if (e.tagName() == QLatin1String("svg"))
            nested.push_back(e);
    }
    if (root.isNull())
        return QSizeF();
    // The outermost element measures against the root's own viewport.
    if (!nested.empty() && nested.back() == root)
        nested.pop_back();
    QSizeF size = rootViewport(root);
    for (auto it = nested.rbegin(); it != nested.rend(); ++it)
        nestedPlacement(*it, size, &size);
    return size;
}

bool cssLength(const QString &text, double fontSize, double *value)
{
    double number = 0;
    QString unit;
    if (!SvgGrammar::splitLength(text, &number, &unit))
        return false;
    unit = unit.toLower();
    static const QHash<QString, double> factors{
        { "", 1 }, { "px", 1 }, { "in", 96 }, { "cm", 96 / 2.54 }, { "mm", 96 / 25.4 },
        { "q", 96 / 101.6 }, { "pt", 96.0 / 72 }, { "pc", 16 },
    };
    double factor = 0;
    if (unit == QLatin1String("em"))
        factor = fontSize;
    else if (unit == QLatin1String("ex"))
        factor = fontSize / 2;
    else if (factors.contains(unit))
        factor = factors.value(unit);
    else
        return false;
    const double length = number * factor;
    if (!std::isfinite(length))
        return false;
    *value = length;
    return true;
}

double cssFontSize(const QString &text, double parent)
{
    const QString value = text.trimmed().toLower();
    static const QHash<QString, double> keywords{
        { "xx-small", 9 }, { "x-small", 10 }, { "small", 13 }, { "medium", 16 },
        { "large", 18 }, { "x-large", 24 }, { "xx-large", 32 }, { "xxx-large", 48 },
    };
    if (keywords.contains(value))
        return keywords.value(value);
    if (value == QLatin1String("larger"))
        return parent * 1.2;
    if (value == QLatin1String("smaller"))
        return parent / 1.2;
    double number = 0;
    QString unit;
    if (SvgGrammar::splitLength(value, &number, &unit) && unit == QLatin1String("%"))
        return number >= 0 ? parent * number / 100 : parent;
    double size = 0;
    return cssLength(value, parent, &size) && size >= 0 ? size : parent;
}

bool resolveGeometry(const QDomElement &element, const std::function<QSizeF()> &viewport,
                     QHash<QString, double> *resolved, const std::function<double()> &fontSize)
{
    struct Geometry
    {
        const char *name;
        Qt::Orientations axis;
        bool nonNegative;
    };
    static const QHash<QString, QVector<Geometry>> geometry{
        { "rect", { { "x", Qt::Horizontal, false }, { "y", Qt::Vertical, false },
                    { "width", Qt::Horizontal, true }, { "height", Qt::Vertical, true },
                    { "rx", Qt::Horizontal, false }, { "ry", Qt::Vertical, false } } },
        // An image of no size still joins its raster pass, as it always did.
        { "image", { { "x", Qt::Horizontal, false }, { "y", Qt::Vertical, false },
                     { "width", Qt::Horizontal, false }, { "height", Qt::Vertical, false } } },
        { "circle", { { "cx", Qt::Horizontal, false }, { "cy", Qt::Vertical, false },
                      { "r", Qt::Horizontal | Qt::Vertical, true } } },
        { "ellipse", { { "cx", Qt::Horizontal, false }, { "cy", Qt::Vertical, false },
                       { "rx", Qt::Horizontal, false }, { "ry", Qt::Vertical, false } } },
        { "line", { { "x1", Qt::Horizontal, false }, { "y1", Qt::Vertical, false },
                    { "x2", Qt::Horizontal, false }, { "y2", Qt::Vertical, false } } },
    };
    const QString tag = element.tagName();
    const auto fields = geometry.constFind(tag);
    if (fields == geometry.constEnd())
        return true;
    QSizeF size;
    bool sizeKnown = false;
    for (const Geometry &g : *fields) {
        const QString name = QLatin1String(g.name);
        if (!element.hasAttribute(name))
            continue;
        const QString text = element.attribute(name);
        bool plain = false;
        double value = SvgGrammar::parseLength(text, &plain);
        bool ok = plain;
        bool withUnit = false;
        if (fontSize) {
            double number = 0;
            QString unit;
            withUnit = SvgGrammar::splitLength(text, &number, &unit) && !unit.trimmed().isEmpty();
            plain = cssLength(text, withUnit ? fontSize() : 0, &value);
            ok = plain;
        }
        if (!plain) {
            if (!sizeKnown) {
                size = viewport ? viewport() : QSizeF();
                sizeKnown = true;
            }
            value = SvgGrammar::parseViewportLength(text, size, g.axis, &ok);
        }
        const bool radius = (tag == QLatin1String("rect") || tag == QLatin1String("ellipse")) && g.name[0] == 'r';
        if (ok && radius && value < 0) {
            // A negative corner or ellipse radius counts as 0 (for an
            // ellipse that draws nothing).
            resolved->insert(name, 0);
            continue;
        }
        if (!ok || (g.nonNegative && value < 0))
            return false;
        if (!plain || withUnit)
            resolved->insert(name, value);
    }
    return true;
}

double geometryLength(const QDomElement &element, const QString &name, const QString &text)
{
    bool plain = false;
    const double value = SvgGrammar::parseLength(text, &plain);
    if (plain)
        return value;
    static const QStringList horizontal{ "x", "cx", "x1", "x2", "width", "rx" };
    static const QStringList vertical{ "y", "cy", "y1", "y2", "height", "ry" };
    if (name != QLatin1String("r") && !horizontal.contains(name) && !vertical.contains(name))
        return 0;
    const Qt::Orientations axis = horizontal.contains(name) ? Qt::Horizontal
            : vertical.contains(name)                     ? Qt::Vertical
                                                          : Qt::Horizontal | Qt::Vertical;
    bool ok = false;
    const double relative = SvgGrammar::parseViewportLength(text, viewportAround(element), axis, &ok);
    return ok ? relative : 0;
}

} // namespace ViewportGeometry
