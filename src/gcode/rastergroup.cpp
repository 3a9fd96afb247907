#include "gcode/rastergroup.h"

#include "document/engravingattributes.h"
#include "gcode/boundspaintdevice.h"
#include "gcode/rendertree.h"

#include <QDebug>
#include <QPainter>
#include <QSvgRenderer>

#include <climits>
#include <vector>

namespace RasterGroup {

namespace {

// Whether the element leaves this group's copy.
bool belongsElsewhere(const QDomElement &element, const StyleResolver::Paint &paint,
                      const PaintParameter &record, const DefaultParameters &defaults,
                      const StyleResolver &styles)
{
    const bool isImage = element.tagName() == QLatin1String("image");
    if (!isImage && styles.engraveMode(element, paint) != EngraveMode::Fill)
        return false;
    return readPaintParameter(element, defaults) != record;
}

double numberPart(const QString &text)
{
    QString digits;
    for (const QChar c : text) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.')
            || c == QLatin1Char('-'))
            digits.append(c);
    }
    return digits.toDouble();
}

} // namespace

void filter(QDomDocument &copy, const PaintParameter &record, const DefaultParameters &defaults,
            const StyleResolver &styles)
{
    const QDomElement root = copy.elementsByTagName(QStringLiteral("svg")).item(0).toElement();
    if (root.isNull())
        return;
    // Depth first with an explicit stack: imported drawings can nest deeply.
    // Each entry carries its element's paint, inherited by its children.
    std::vector<std::pair<QDomElement, StyleResolver::Paint>> stack{ { root, styles.paint(root) } };
    while (!stack.empty()) {
        const QDomElement element = stack.back().first;
        const StyleResolver::Paint inherited = stack.back().second;
        stack.pop_back();
        std::vector<std::pair<QDomElement, StyleResolver::Paint>> kept;
        QDomElement child = element.firstChildElement();
        while (!child.isNull()) {
            const QDomElement next = child.nextSiblingElement();
            const StyleResolver::Paint paint = styles.paint(child, inherited);
            if (belongsElsewhere(child, paint, record, defaults, styles))
                child.parentNode().removeChild(child);
            else
                kept.emplace_back(child, paint);
            child = next;
        }
        stack.insert(stack.end(), kept.rbegin(), kept.rend());
    }
}

QSizeF designSize(const QDomDocument &document)
{
    const QDomElement root = document.elementsByTagName(QStringLiteral("svg")).item(0).toElement();
    const QRectF box = RenderTree::viewBox(root);
    const auto side = [&](const QString &name, double boxExtent) {
        const QString text = root.attribute(name).trimmed();
        if ((text.isEmpty() || text.endsWith(QLatin1Char('%'))) && boxExtent > 0)
            return boxExtent;
        return numberPart(text.isEmpty() ? QStringLiteral("0") : text);
    };
    return QSizeF(side(QStringLiteral("width"), box.isEmpty() ? 0 : box.right()),
                  side(QStringLiteral("height"), box.isEmpty() ? 0 : box.bottom()));
}

QImage render(const QByteArray &svgText, const QSizeF &designSize, double ratio)
{
    const double width = ratio * designSize.width();
    const double height = ratio * designSize.height();
    if (!(width >= 1) || !(height >= 1) || width > INT_MAX || height > INT_MAX)
        return QImage();
    QSvgRenderer renderer;
    if (!renderer.load(svgText)) {
        qDebug() << "raster group does not render";
        return QImage();
    }
    QImage image(int(width), int(height), QImage::Format_Grayscale8);
    if (image.isNull()) {
        qDebug() << "no memory for a raster of" << int(width) << "x" << int(height);
        return QImage();
    }
    image.fill(255);
    // User units map straight onto the raster, as they do for the outlines
    // and on the canvas, whatever "viewBox" or unit the root carries.
    renderer.setViewBox(QRectF(QPointF(0, 0), designSize));
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    // Grey8 pixels already are the grey levels the scan lines read.
    return image;
}

MarkedRaster renderMarked(const QByteArray &svgText, const QSizeF &designSize, double ratio)
{
    MarkedRaster result;
    const double width = ratio * designSize.width();
    const double height = ratio * designSize.height();
    if (!(width >= 1) || !(height >= 1) || width > INT_MAX || height > INT_MAX)
        return result;
    QSvgRenderer renderer;
    if (!renderer.load(svgText)) {
        qDebug() << "raster group does not render";
        return result;
    }
    result.fullSize = QSize(int(width), int(height));
    renderer.setViewBox(QRectF(QPointF(0, 0), designSize));

    // A dry run finds where the marks fall; only that part is rendered.
    BoundsPaintDevice bounds(result.fullSize.width(), result.fullSize.height());
    {
        QPainter painter(&bounds);
        renderer.render(&painter);
    }
    const QRect marked = bounds.bounds();
    result.ok = true;
    if (marked.isEmpty())
        return result;
    QImage image(marked.size(), QImage::Format_Grayscale8);
    if (image.isNull()) {
        qDebug() << "no memory for a raster of" << marked.width() << "x" << marked.height();
        result.ok = false;
        return result;
    }
    image.fill(255);
    QPainter painter(&image);
    // The whole raster's frame, moved so that the window falls on the image.
    renderer.render(&painter, QRectF(QPointF(-marked.left(), -marked.top()), QSizeF(result.fullSize)));
    painter.end();
    result.image = image;
    result.origin = marked.topLeft();
    return result;
}

} // namespace RasterGroup
