#include "gcode/previewimage.h"

#include "gcode/previewpaths.h"

#include <QPainter>

#include <cmath>

QImage PreviewImage::render(const PreviewPaths &paths, int width)
{
    width = qBound(minimumWidth, width, maximumWidth);
    const QRectF bounds = paths.bounds();
    const double inner = width - 2 * margin;
    const int maximumHeight = 4 * width;
    double scale = 0;
    int height = width;
    if (bounds.width() > 0 || bounds.height() > 0) {
        scale = bounds.width() > 0 ? inner / bounds.width() : inner / bounds.height();
        // A tall, narrow job is shrunk to keep the picture's height in bounds.
        if (bounds.height() * scale > maximumHeight - 2 * margin)
            scale = (maximumHeight - 2 * margin) / bounds.height();
        height = qMax(minimumWidth, int(std::ceil(bounds.height() * scale)) + 2 * margin);
    }

    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (scale <= 0)
        return image;

    QPainter painter(&image);
    // Centre the job horizontally when it was shrunk for its height.
    const double offsetX = (width - bounds.width() * scale) / 2;
    painter.translate(offsetX, margin);
    painter.scale(scale, scale);
    painter.translate(-bounds.topLeft());
    painter.setBrush(Qt::NoBrush);
    // Travel first: drawn last, the returns between scan lines covered the
    // areas a raster burns.
    for (int step = 0; step < PreviewPaths::pathCount; ++step) {
        const int index = step == 0 ? PreviewPaths::travelIndex : step - 1;
        const QPainterPath &path = paths.path(index);
        if (path.isEmpty())
            continue;
        QPen pen(PreviewPaths::colour(index), 0);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawPath(path);
    }
    return image;
}
