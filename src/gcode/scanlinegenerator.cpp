#include "gcode/scanlinegenerator.h"

#include "gcode/rotatedraster.h"
#include "gcode/vectorsink.h"
#include "import/opencvimage.h"

#include <QDebug>

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace {

constexpr int white = 255;

bool isFinite(double value)
{
    return std::isfinite(value);
}

// (angle + 360) modulo 360 in single precision, the angle OpenCV turns by.
float reducedAngle(double angle)
{
    double reduced = std::fmod(angle + 360.0, 360.0);
    if (reduced < 0)
        reduced += 360.0;
    return static_cast<float>(reduced);
}

double rotatedArea(double width, double height, float angle)
{
    const double radians = angle * CV_PI / 180;
    const double c = std::abs(std::cos(radians));
    const double s = std::abs(std::sin(radians));
    return (width * c + height * s) * (height * c + width * s);
}

GCodeBuffer relativeMove(double x, double y, double power, double feed)
{
    GCodeBuffer record;
    record.G = 1;
    record.X = x;
    record.Y = y;
    record.S = power;
    record.F = feed;
    record.absolute = false;
    return record;
}

} // namespace

ScanLineGenerator::ScanLineGenerator(const ScanLineParameters &parameters)
    : mParameters(parameters)
{
}

double ScanLineGenerator::rasterScaleLimit(double width, double height, double angle,
                                           qint64 pixelLimit)
{
    if (!isFinite(width) || !isFinite(height) || !isFinite(angle))
        return 0;  // no raster fits
    if (width <= 0 || height <= 0 || pixelLimit < 1)
        return 1;
    const double area = rotatedArea(width, height, reducedAngle(angle));
    if (area <= double(pixelLimit))
        return 1;
    return std::sqrt(double(pixelLimit) / area);
}

QVector<GCodeBuffer> ScanLineGenerator::generate(const QImage &bitmap)
{
    return generate(bitmap, bitmap.size(), QPoint(0, 0));
}

QVector<GCodeBuffer> ScanLineGenerator::generate(const QImage &window, const QSize &fullSize,
                                                 const QPoint &origin)
{
    QVector<GCodeBuffer> records;
    VectorSink sink(records);
    if (!generate(window, fullSize, origin, sink))
        return {};
    records.squeeze();
    return records;
}

bool ScanLineGenerator::generate(const QImage &window, const QSize &fullSize, const QPoint &origin,
                                 GCodeSink &out)
{
    const ScanLineParameters &p = mParameters;
    mOverflow = false;
    if (!isFinite(p.pixelSize) || p.pixelSize <= 0 || !isFinite(p.overscan) || !isFinite(p.feed)
        || !isFinite(p.fullPower) || !isFinite(p.rowOffset) || !isFinite(p.angle)
        || std::isnan(p.passCount)) {
        qDebug() << "scan line parameters invalid: pixel size" << p.pixelSize << "overscan"
                 << p.overscan << "feed" << p.feed << "power" << p.fullPower << "offset"
                 << p.rowOffset << "angle" << p.angle << "passes" << p.passCount;
        return false;
    }

    // A null window over a bitmap of some size is a bitmap that is all white.
    const bool allWhite = window.isNull() && !fullSize.isEmpty();
    cv::Mat grey;
    if (window.format() == QImage::Format_RGB888)
        cv::cvtColor(OpenCvImage::toMatrix(window), grey, cv::COLOR_BGR2GRAY);
    else if (!allWhite)
        grey = OpenCvImage::wrapGrey(window);
    if ((grey.empty() && !allWhite) || fullSize.isEmpty()
        || (!allWhite && !QRect(QPoint(0, 0), fullSize).contains(QRect(origin, window.size())))) {
        qDebug() << "scan bitmap not grey or empty, format" << window.format() << "size"
                 << window.size() << "in" << fullSize << "at" << origin;
        return false;
    }

    float pixelSize = p.pixelSize;
    QSize size = fullSize;
    QPoint at = origin;
    const double shrink = rasterScaleLimit(size.width(), size.height(), p.angle, mRasterPixelLimit);
    if (shrink < 1) {
        if (size != QSize(grey.cols, grey.rows)) {
            cv::Mat whole(size.height(), size.width(), CV_8UC1, cv::Scalar(white));
            if (!grey.empty())
                grey.copyTo(whole(cv::Rect(at.x(), at.y(), grey.cols, grey.rows)));
            grey = whole;
            at = QPoint(0, 0);
        }
        const int columns = std::max(1, static_cast<int>(grey.cols * shrink));
        const int rows = std::max(1, static_cast<int>(grey.rows * shrink));
        cv::Mat smaller;
        cv::resize(grey, smaller, cv::Size(columns, rows), 0, 0, cv::INTER_AREA);
        grey = smaller;
        size = QSize(columns, rows);
        pixelSize = static_cast<float>(pixelSize / shrink);
        qDebug() << "scan raster clamped to" << columns << "x" << rows << "pixel size"
                 << pixelSize << "to stay within" << mRasterPixelLimit << "pixels";
    }

    // Rotation about the bitmap centre, enlarged so that the turned bitmap
    // fits whole; the border is white so it burns nothing. Only the part the
    // marks can reach is turned, a band of rows at a time.
    const float angle = reducedAngle(p.angle);
    const RotatedRaster rotated(grey, size, at, angle);
    const int newWidth = rotated.size().width();
    const int newHeight = rotated.size().height();
    const double xExpansion = rotated.xExpansion();
    const double yExpansion = rotated.yExpansion();
    const bool threshold = p.imageMode != QLatin1String("gray");

    // From rotated-bitmap millimetres back to the machine; the last step
    // written applies first to a point.
    mBackTransform = QTransform();
    mBackTransform.translate(-pixelSize * xExpansion, -pixelSize * yExpansion);
    mBackTransform.translate(newWidth * pixelSize * 0.5, newHeight * pixelSize * 0.5);
    mBackTransform.rotate(p.angle);
    mBackTransform.translate(-newWidth * pixelSize * 0.5, -newHeight * pixelSize * 0.5);

    mOut = &out;
    mMark = out.size();
    mLeftToRight = true;
    mLeadInNeeded = false;
    mFirstPoint = true;
    mLastX = 0;
    mLastY = 0;
    mPendingFeed = p.feed;
    mOverflow = false;
    mPixelSize = pixelSize;

    GCodeBuffer start = GCodeBuffer::m(9);
    start.X = 0;
    start.Y = 0;
    start.absolute = false;
    out.append(start);

    // Rows and columns outside the window are white: they move nothing and
    // keep the direction, so scanning the window alone gives the same lines.
    const QRect marked = rotated.window();
    const int firstColumn = marked.left();
    const int endColumn = marked.left() + marked.width();
    constexpr int bandRows = 64;
    cv::Mat band;
    for (int first = marked.top(); first <= marked.bottom() && !mOverflow; first += bandRows) {
        const int count = std::min(bandRows, marked.bottom() + 1 - first);
        rotated.rows(first, count, band);
        if (threshold)
            cv::threshold(band, band, 128, white, cv::THRESH_BINARY);
        for (int k = 0; k < count && !mOverflow; ++k) {
            const int j = first + k;
            if (mCancelFlag && (j & 63) == 0 && mCancelFlag->load(std::memory_order_relaxed)) {
                out.truncate(mMark);
                return false;
            }
            const uchar *row = band.ptr<uchar>(k);
            const float y = j * pixelSize;
            const bool burning = mLeftToRight ? scanLeftToRight(row, firstColumn, endColumn, y)
                                              : scanRightToLeft(row, firstColumn, endColumn, y);
            // A white row moves nothing and keeps the direction.
            if (!burning)
                continue;
            mLeftToRight = !mLeftToRight;
            mLeadInNeeded = true;
        }
    }

    const qint64 passRecords = out.size() - mMark;
    qint64 copies = 0;
    for (double h = 0; h < p.passCount && !mOverflow; ++h) {
        ++copies;
        if (copies * passRecords > mRecordLimit)
            mOverflow = true;
    }
    if (mOverflow) {
        qDebug() << "scan lines exceed" << mRecordLimit << "records, raster group dropped";
        out.truncate(mMark);
        return false;
    }
    if (copies == 0) {
        out.truncate(mMark);
        return false;
    }
    // Every further pass is the first one again, read back from the sink.
    for (qint64 h = 1; h < copies && !out.failed(); ++h)
        out.repeat(mMark, passRecords);
    return !out.failed();
}

double ScanLineGenerator::runPower(int value) const
{
    return (white - value) / 255.0 * mParameters.fullPower;
}

// A row is scanned as if a white pixel came before its first one, so a run
// that starts at the row's edge is burned from its start like any other, and
// a row with any pixel that is not white changes value at least once.
bool ScanLineGenerator::scanLeftToRight(const uchar *row, int first, int end, float y)
{
    const float pixelSize = mPixelSize;
    int run = white;
    bool changed = false;
    for (int i = first; i < end; ++i) {
        const int value = row[i - first];
        if (value == run)
            continue;
        if (mLeadInNeeded) {
            emitPoint(((i - 1) - mParameters.overscan / pixelSize) * pixelSize, y, 0, 0);
            mLeadInNeeded = false;
        }
        emitPoint((i - 1) * pixelSize, y, runPower(run), 0);
        run = value;
        changed = true;
    }
    if (run != white)
        emitPoint((end - 1) * pixelSize, y, runPower(run), 0);
    return changed;
}

bool ScanLineGenerator::scanRightToLeft(const uchar *row, int first, int end, float y)
{
    const float pixelSize = mPixelSize;
    const double offset = mParameters.rowOffset;
    int run = white;
    bool changed = false;
    for (int i = end - 1; i >= first; --i) {
        const int value = row[i - first];
        if (value == run)
            continue;
        if (mLeadInNeeded) {
            emitPoint((mParameters.overscan / pixelSize + i) * pixelSize, y, 0, offset);
            mLeadInNeeded = false;
        }
        emitPoint(i * pixelSize, y, runPower(run), offset);
        run = value;
        changed = true;
    }
    // The white pixel left of the window ends the run, as it would in the
    // whole row; at the bitmap's edge the run ends at x = 0.
    if (run != white)
        emitPoint(first > 0 ? (first - 1) * pixelSize : 0.0f, y, runPower(run), offset);
    return changed;
}

void ScanLineGenerator::emitPoint(double x, float y, double power, double rowOffset)
{
    if (mOut->size() - mMark >= mRecordLimit) {
        mOverflow = true;
        return;
    }
    double mappedX = 0;
    double mappedY = 0;
    if (mFirstPoint) {
        // The pass starts from an absolute position; everything after it is
        // relative, so every pass copy begins from the same point.
        mBackTransform.map(x, double(y), &mappedX, &mappedY);
        mOut->append(GCodeBuffer::g(90));
        GCodeBuffer position = GCodeBuffer::g(0);
        position.X = mappedX;
        position.Y = mappedY;
        mOut->append(position);
        GCodeBuffer relative = GCodeBuffer::g(91);
        relative.X = 0;
        relative.Y = 0;
        mOut->append(relative);
        mFirstPoint = false;
    } else {
        mBackTransform.map(x + rowOffset, double(y), &mappedX, &mappedY);
        mOut->append(relativeMove(mappedX - mLastX, mappedY - mLastY, power, mPendingFeed));
        mPendingFeed = GCodeBuffer::absent;
    }
    mLastX = mappedX;
    mLastY = mappedY;
}
