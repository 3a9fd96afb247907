#include "gcode/previewpaths.h"

#include <cmath>

namespace {

// Millimetres in the job, design units in the picture.
constexpr double millimetresPerUnit = 0.08;

} // namespace

PreviewPaths::PreviewPaths(double fullPower)
    : mFullPower(fullPower > 0 ? fullPower : 1000)
    , mPaths(pathCount)
{
}

QColor PreviewPaths::colour(int index)
{
    if (index == travelIndex)
        return Qt::red;
    return QColor(index, index, index);
}

int PreviewPaths::burnIndex(double power) const
{
    // Above about twice full power the level would run past the greys into
    // the travel path and beyond the table.
    const double level = std::fabs(255.0 - power * 255.0 / mFullPower);
    if (!(level < 255))
        return 255;
    return int(level);
}

bool PreviewPaths::follow(const GCodeBuffer &record)
{
    if (record.M != GCodeBuffer::absent || record.G == GCodeBuffer::absent)
        return true;
    if (record.G == GCodeBuffer::emptyLine)
        return false;
    if (record.G == 91) {
        mAbsolute = false;
        return true;
    }
    if (record.G == 90) {
        mAbsolute = true;
        return true;
    }
    if (record.G != 0 && record.G != 1)
        return true;

    QPointF target = mCurrent;
    if (mAbsolute) {
        if (record.X != GCodeBuffer::absent)
            target.setX(record.X / millimetresPerUnit);
        if (record.Y != GCodeBuffer::absent)
            target.setY(record.Y / millimetresPerUnit);
    } else {
        if (record.X != 0)
            target.setX(mCurrent.x() + record.X / millimetresPerUnit);
        if (record.Y != 0)
            target.setY(mCurrent.y() + record.Y / millimetresPerUnit);
    }

    // S is modal: a cutting move without it burns at the last power given.
    // A rapid move without it is travel whatever the power.
    const bool hasPower = record.S != GCodeBuffer::absent;
    if (hasPower)
        mPower = record.S;
    int index = travelIndex;
    if (record.G == 0 && !hasPower)
        index = travelIndex;
    else if (mPower == GCodeBuffer::absent)
        index = 0;
    else if (mPower != 0)
        index = burnIndex(mPower);

    QPainterPath &path = mPaths[index];
    if (path.elementCount() == 0 || path.currentPosition() != mCurrent)
        path.moveTo(mCurrent);
    path.lineTo(target);
    mCurrent = target;
    return true;
}

QRectF PreviewPaths::bounds() const
{
    // By corners, not QRectF::united, which drops a path that is a single point.
    QPointF low;
    QPointF high;
    bool any = false;
    for (const QPainterPath &path : mPaths) {
        if (path.isEmpty())
            continue;
        const QRectF rect = path.controlPointRect();
        if (!any) {
            low = rect.topLeft();
            high = rect.bottomRight();
            any = true;
            continue;
        }
        low = QPointF(qMin(low.x(), rect.left()), qMin(low.y(), rect.top()));
        high = QPointF(qMax(high.x(), rect.right()), qMax(high.y(), rect.bottom()));
    }
    return any ? QRectF(low, high) : QRectF();
}
