#include "gcode/scanlinegenerator.h"

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

struct RotatedSize
{
    int width = 0;
    int height = 0;
};

RotatedSize rotatedSize(double columns, double rows, float angle)
{
    const double radians = angle * CV_PI / 180;
    const double c = std::abs(std::cos(radians));
    const double s = std::abs(std::sin(radians));
    return {static_cast<int>(columns * c + rows * s), static_cast<int>(rows * c + columns * s)};
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
    const ScanLineParameters &p = mParameters;
    if (!isFinite(p.pixelSize) || p.pixelSize <= 0 || !isFinite(p.overscan) || !isFinite(p.feed)
        || !isFinite(p.fullPower) || !isFinite(p.rowOffset) || !isFinite(p.angle)
        || std::isnan(p.passCount)) {
        qDebug() << "scan line parameters invalid: pixel size" << p.pixelSize << "overscan"
                 << p.overscan << "feed" << p.feed << "power" << p.fullPower << "offset"
                 << p.rowOffset << "angle" << p.angle << "passes" << p.passCount;
        return {};
    }

    cv::Mat grey;
    if (bitmap.format() == QImage::Format_RGB888)
        cv::cvtColor(OpenCvImage::toMatrix(bitmap), grey, cv::COLOR_BGR2GRAY);
    else
        grey = OpenCvImage::wrapGrey(bitmap);
    if (grey.empty()) {
        qDebug() << "scan bitmap not grey or empty, format" << bitmap.format() << "size"
                 << bitmap.size();
        return {};
    }

    float pixelSize = p.pixelSize;
    const double shrink = rasterScaleLimit(grey.cols, grey.rows, p.angle, mRasterPixelLimit);
    if (shrink < 1) {
        const int columns = std::max(1, static_cast<int>(grey.cols * shrink));
        const int rows = std::max(1, static_cast<int>(grey.rows * shrink));
        cv::Mat smaller;
        cv::resize(grey, smaller, cv::Size(columns, rows), 0, 0, cv::INTER_AREA);
        grey = smaller;
        pixelSize = static_cast<float>(pixelSize / shrink);
        qDebug() << "scan raster clamped to" << columns << "x" << rows << "pixel size"
                 << pixelSize << "to stay within" << mRasterPixelLimit << "pixels";
    }

    // Rotation about the bitmap centre, enlarged so that the turned bitmap
    // fits whole; the border is white so it burns nothing.
    const float angle = reducedAngle(p.angle);
    const RotatedSize size = rotatedSize(grey.cols, grey.rows, angle);
    const int newWidth = std::max(1, size.width);
    const int newHeight = std::max(1, size.height);
    const double xExpansion = (newWidth - grey.cols) * 0.5;
    const double yExpansion = (newHeight - grey.rows) * 0.5;
    cv::Mat rotated;
    if (angle == 0) {
        // The identity warp copies the bitmap exactly; skip it.
        rotated = grey;
    } else {
        const cv::Point2f centre(grey.cols * 0.5f, grey.rows * 0.5f);
        cv::Mat matrix = cv::getRotationMatrix2D(centre, angle, 1);
        matrix.at<double>(0, 2) += xExpansion;
        matrix.at<double>(1, 2) += yExpansion;
        cv::warpAffine(grey, rotated, matrix, cv::Size(newWidth, newHeight), cv::INTER_LINEAR,
                       cv::BORDER_CONSTANT, cv::Scalar(white));
    }
    grey.release();

    if (p.imageMode != QLatin1String("gray")) {
        // In place unless `rotated` still shares the caller's bitmap.
        cv::Mat thresholded = angle == 0 ? cv::Mat() : rotated;
        cv::threshold(rotated, thresholded, 128, white, cv::THRESH_BINARY);
        rotated = thresholded;
    }

    // From rotated-bitmap millimetres back to the machine; the last step
    // written applies first to a point.
    mBackTransform = QTransform();
    mBackTransform.translate(-pixelSize * xExpansion, -pixelSize * yExpansion);
    mBackTransform.translate(newWidth * pixelSize * 0.5, newHeight * pixelSize * 0.5);
    mBackTransform.rotate(p.angle);
    mBackTransform.translate(-newWidth * pixelSize * 0.5, -newHeight * pixelSize * 0.5);

    mRecords.clear();
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
    mRecords.append(start);

    for (int j = 0; j < rotated.rows && !mOverflow; ++j) {
        if (mCancelFlag && (j & 63) == 0 && mCancelFlag->load(std::memory_order_relaxed)) {
            mRecords = QVector<GCodeBuffer>();
            return {};
        }
        const uchar *row = rotated.ptr<uchar>(j);
        const float y = j * pixelSize;
        const bool burning = mLeftToRight ? scanLeftToRight(row, rotated.cols, y)
                                          : scanRightToLeft(row, rotated.cols, y);
        // A white row moves nothing and keeps the direction.
        if (!burning)
            continue;
        mLeftToRight = !mLeftToRight;
        mLeadInNeeded = true;
    }

    const qint64 passRecords = mRecords.size();
    qint64 copies = 0;
    for (double h = 0; h < p.passCount && !mOverflow; ++h) {
        ++copies;
        if (copies * passRecords > mRecordLimit)
            mOverflow = true;
    }
    if (mOverflow) {
        qDebug() << "scan lines exceed" << mRecordLimit << "records, raster group dropped";
        mRecords.clear();
        return {};
    }

    QVector<GCodeBuffer> result;
    if (copies == 1) {
        result.swap(mRecords);
        result.squeeze();
        return result;
    }
    result.reserve(static_cast<int>(copies * passRecords));
    for (qint64 h = 0; h < copies; ++h)
        result.append(mRecords);
    mRecords = QVector<GCodeBuffer>();
    return result;
}

double ScanLineGenerator::runPower(int value) const
{
    return (white - value) / 255.0 * mParameters.fullPower;
}

// A row is scanned as if a white pixel came before its first one, so a run
// that starts at the row's edge is burned from its start like any other, and
// a row with any pixel that is not white changes value at least once.
bool ScanLineGenerator::scanLeftToRight(const uchar *row, int columns, float y)
{
    const float pixelSize = mPixelSize;
    int run = white;
    bool changed = false;
    for (int i = 0; i < columns; ++i) {
        const int value = row[i];
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
        emitPoint((columns - 1) * pixelSize, y, runPower(run), 0);
    return changed;
}

bool ScanLineGenerator::scanRightToLeft(const uchar *row, int columns, float y)
{
    const float pixelSize = mPixelSize;
    const double offset = mParameters.rowOffset;
    int run = white;
    bool changed = false;
    for (int i = columns - 1; i >= 0; --i) {
        const int value = row[i];
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
    if (run != white)
        emitPoint(0, y, runPower(run), offset);
    return changed;
}

void ScanLineGenerator::emitPoint(double x, float y, double power, double rowOffset)
{
    if (mRecords.size() >= mRecordLimit) {
        mOverflow = true;
        return;
    }
    double mappedX = 0;
    double mappedY = 0;
    if (mFirstPoint) {
        // The pass starts from an absolute position; everything after it is
        // relative, so every pass copy begins from the same point.
        mBackTransform.map(x, double(y), &mappedX, &mappedY);
        mRecords.append(GCodeBuffer::g(90));
        GCodeBuffer position = GCodeBuffer::g(0);
        position.X = mappedX;
        position.Y = mappedY;
        mRecords.append(position);
        GCodeBuffer relative = GCodeBuffer::g(91);
        relative.X = 0;
        relative.Y = 0;
        mRecords.append(relative);
        mFirstPoint = false;
    } else {
        mBackTransform.map(x + rowOffset, double(y), &mappedX, &mappedY);
        mRecords.append(relativeMove(mappedX - mLastX, mappedY - mLastY, power, mPendingFeed));
        mPendingFeed = GCodeBuffer::absent;
    }
    mLastX = mappedX;
    mLastY = mappedY;
}
