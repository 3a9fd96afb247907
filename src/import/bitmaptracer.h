#pragma once

#include <QImage>
#include <QPainterPath>
#include <QStringList>

// Traces the dark areas of a picture into outlines with Potrace at its
// default parameters. Coordinates are picture pixels, y down. Potrace's
// types stay inside the implementation.
class BitmapTracer
{
public:
    // Pictures are traced at most this many pixels a side; larger ones are
    // traced scaled down and the outlines scaled back.
    static constexpr int sideLimit = 20000;

    // One path data text per traced path, "M ... z ", numbers in the
    // shortest form of six significant digits. Empty for an empty or white
    // picture.
    static QStringList tracePathList(const QImage &picture);
    // All traced paths in one text, numbers with six decimals; "err!!! no img"
    // when the bitmap cannot be made.
    static QString traceOutline(const QImage &picture);
};
