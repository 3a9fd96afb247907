#include "import/designimport.h"

#include "document/engravingattributes.h"

namespace DesignImport {

QDomElement svgAsGroup(QDomDocument &design, const QString &svgText)
{
    QDomDocument imported;
    imported.setContent(svgText, false);
    const QDomElement source = imported.elementsByTagName(QStringLiteral("svg")).item(0).toElement();
    if (source.isNull())
        return QDomElement();
    static const QStringList drawable{"circle", "ellipse", "image", "line", "path",
                                      "polygon", "polyline", "rect", "text"};
    int groups = 0;
    bool hasDrawable = false;
    QDomElement onlyGroup;
    for (QDomNode child = source.firstChild(); !child.isNull(); child = child.nextSibling()) {
        const QString tag = child.nodeName();
        if (tag == QLatin1String("g")) {
            ++groups;
            onlyGroup = child.toElement();
        } else if (drawable.contains(tag)) {
            hasDrawable = true;
        }
    }
    if (!hasDrawable && groups == 1)
        return design.importNode(onlyGroup, true).toElement();
    QDomElement group = design.createElement(QStringLiteral("g"));
    for (QDomNode child = source.firstChild(); !child.isNull(); child = child.nextSibling()) {
        const QString tag = child.nodeName();
        if (tag == QLatin1String("g") || drawable.contains(tag))
            group.appendChild(design.importNode(child, true));
    }
    return group;
}

ImageAttributes imageAttributes(const QString &pngBase64, const QPointF &origin, double width,
                                double height)
{
    return {{"x", "y", "width", "height", "tolvenrik:image", "xlink:href"},
            {formatFixed(origin.x()), formatFixed(origin.y()), formatFixed(width),
             formatFixed(height), EngravingAttributes::imageBw,
             QStringLiteral("data:image/png;base64,") + pngBase64}};
}

bool declareXlink(QDomDocument &design)
{
    QDomElement svg = design.documentElement();
    if (svg.isNull() || svg.tagName() != QLatin1String("svg"))
        return false;
    if (!svg.hasAttribute(QStringLiteral("xmlns:xlink")))
        svg.setAttribute(QStringLiteral("xmlns:xlink"), QStringLiteral("http://www.w3.org/1999/xlink"));
    return true;
}

} // namespace DesignImport
