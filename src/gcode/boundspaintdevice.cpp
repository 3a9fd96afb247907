#include "gcode/boundspaintdevice.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>

class BoundsPaintEngine : public QPaintEngine
{
public:
    BoundsPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyTransform)
            mTransform = state.transform();
        if (state.state() & DirtyPen)
            mPen = state.pen();
    }

    void drawPath(const QPainterPath &path) override { add(path.controlPointRect(), true); }
    void drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode) override
    {
        add(QPolygonF(QVector<QPointF>(points, points + pointCount)).boundingRect(), true);
    }
    void drawPixmap(const QRectF &r, const QPixmap &, const QRectF &) override { add(r, false); }
    void drawImage(const QRectF &r, const QImage &, const QRectF &, Qt::ImageConversionFlags) override
    {
        add(r, false);
    }
    void drawTiledPixmap(const QRectF &r, const QPixmap &, const QPointF &) override { add(r, false); }
    void drawTextItem(const QPointF &, const QTextItem &) override { mEverywhere = true; }

    QRectF marked;
    bool mEverywhere = false;

private:
    void add(const QRectF &rect, bool stroked)
    {
        QRectF device = mTransform.mapRect(rect.normalized());
        double margin = 2;  // anti-aliasing and smooth image scaling
        if (stroked && mPen.style() != Qt::NoPen) {
            double width = mPen.widthF();
            if (!mPen.isCosmetic()) {
                const double scale = std::max(std::hypot(mTransform.m11(), mTransform.m12()),
                                              std::hypot(mTransform.m21(), mTransform.m22()));
                width *= scale;
            }
            // Miter joins reach out up to the miter limit, square caps by half
            // the width along a diagonal.
            margin += std::max(width, 1.0) * std::max(mPen.miterLimit(), 1.5);
        }
        if (!std::isfinite(device.left()) || !std::isfinite(device.right())
            || !std::isfinite(device.top()) || !std::isfinite(device.bottom())) {
            mEverywhere = true;
            return;
        }
        marked |= device.adjusted(-margin, -margin, margin, margin);
    }

    QTransform mTransform;
    QPen mPen;
};

BoundsPaintDevice::BoundsPaintDevice(int width, int height)
    : mWidth(width), mHeight(height), mEngine(new BoundsPaintEngine)
{
}

BoundsPaintDevice::~BoundsPaintDevice() = default;

QPaintEngine *BoundsPaintDevice::paintEngine() const
{
    return mEngine.data();
}

QRect BoundsPaintDevice::bounds() const
{
    const QRect whole(0, 0, mWidth, mHeight);
    if (mEngine->mEverywhere)
        return whole;
    const QRectF &marked = mEngine->marked;
    if (marked.isEmpty())
        return QRect();
    const QRectF clipped = marked & QRectF(whole);
    if (clipped.isEmpty())
        return QRect();
    const int left = int(std::floor(clipped.left()));
    const int top = int(std::floor(clipped.top()));
    const int right = int(std::ceil(clipped.right()));
    const int bottom = int(std::ceil(clipped.bottom()));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & whole;
}

int BoundsPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return mWidth;
    case PdmHeight:
        return mHeight;
    default:
        break;
    }
    // Resolution and depth as the raster image the group is rendered into.
    static const QImage reference(1, 1, QImage::Format_Grayscale8);
    switch (metric) {
    case PdmWidthMM:
        return int(mWidth * 1000.0 / reference.dotsPerMeterX());
    case PdmHeightMM:
        return int(mHeight * 1000.0 / reference.dotsPerMeterY());
    case PdmNumColors:
        return reference.colorCount();
    case PdmDepth:
        return reference.depth();
    case PdmDpiX:
        return reference.logicalDpiX();
    case PdmDpiY:
        return reference.logicalDpiY();
    case PdmPhysicalDpiX:
        return reference.physicalDpiX();
    case PdmPhysicalDpiY:
        return reference.physicalDpiY();
    case PdmDevicePixelRatio:
        return reference.devicePixelRatio();
    case PdmDevicePixelRatioScaled:
        return int(reference.devicePixelRatioF() * devicePixelRatioFScale());
    default:
        return 0;
    }
}
