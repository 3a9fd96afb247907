#pragma once

#include <QPaintDevice>
#include <QRect>
#include <QScopedPointer>

class BoundsPaintEngine;

// A paint device that draws nothing and only gathers where drawing would
// leave marks, in device pixels: lets a raster group be rendered over the
// part of the work area its shapes and images cover instead of all of it.
// Stroke widths, miter joins and anti-aliasing are allowed for generously;
// text, whose extent the engine is not told, makes the bounds the whole device.
class BoundsPaintDevice : public QPaintDevice
{
public:
    BoundsPaintDevice(int width, int height);
    ~BoundsPaintDevice() override;

    QPaintEngine *paintEngine() const override;
    // The device pixels that may hold a mark, within the device; empty when
    // nothing was drawn.
    QRect bounds() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int mWidth;
    int mHeight;
    QScopedPointer<BoundsPaintEngine> mEngine;
};
