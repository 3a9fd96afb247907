#include "gcode/rotatedraster.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace {

// The fixed-point steps of cv::warpAffine's bilinear mapping: source
// positions in 1/1024 pixel, reduced to 1/32 pixel for the weights.
constexpr int abBits = 10;
constexpr int abScale = 1 << abBits;
constexpr int interBits = 5;
constexpr int interTabSize = 1 << interBits;
constexpr int roundDelta = abScale / interTabSize / 2;
// Samples beyond the reach of the window's corners that the turned window
// still takes in, for the rounding of the fixed-point positions.
constexpr int margin = 3;

} // namespace

RotatedRaster::RotatedRaster(const cv::Mat &window, const QSize &fullSize, const QPoint &origin,
                             float angle)
    : mSource(window), mOrigin(origin), mAngle(angle)
{
    const double radians = angle * CV_PI / 180;
    const double c = std::abs(std::cos(radians));
    const double s = std::abs(std::sin(radians));
    const int columns = fullSize.width();
    const int rows = fullSize.height();
    mSize = QSize(std::max(1, int(columns * c + rows * s)), std::max(1, int(rows * c + columns * s)));
    mXExpansion = (mSize.width() - columns) * 0.5;
    mYExpansion = (mSize.height() - rows) * 0.5;
    const QRect whole(QPoint(0, 0), mSize);
    if (window.empty()) {
        mWindow = QRect();
        return;
    }
    if (angle == 0) {
        mWindow = QRect(origin, QSize(window.cols, window.rows)) & whole;
        return;
    }

    const cv::Point2f centre(columns * 0.5f, rows * 0.5f);
    const cv::Mat forward = cv::getRotationMatrix2D(centre, angle, 1);
    double m[6];
    for (int i = 0; i < 6; ++i)
        m[i] = forward.at<double>(i / 3, i % 3);
    m[2] += mXExpansion;
    m[5] += mYExpansion;

    // Where the window's corners land, widened for the bilinear neighbours.
    double left = HUGE_VAL, right = -HUGE_VAL, top = HUGE_VAL, bottom = -HUGE_VAL;
    for (const double x : { double(origin.x() - 1), double(origin.x() + window.cols + 1) }) {
        for (const double y : { double(origin.y() - 1), double(origin.y() + window.rows + 1) }) {
            const double u = m[0] * x + m[1] * y + m[2];
            const double v = m[3] * x + m[4] * y + m[5];
            left = std::min(left, u);
            right = std::max(right, u);
            top = std::min(top, v);
            bottom = std::max(bottom, v);
        }
    }
    const QRect reached(QPoint(int(std::floor(left)) - margin, int(std::floor(top)) - margin),
                        QPoint(int(std::ceil(right)) + margin, int(std::ceil(bottom)) + margin));
    mWindow = reached & whole;

    // The inverse exactly as cv::warpAffine computes it.
    double d = m[0] * m[4] - m[1] * m[3];
    d = d != 0 ? 1. / d : 0;
    const double a11 = m[4] * d;
    const double a22 = m[0] * d;
    m[0] = a11;
    m[1] *= -d;
    m[3] *= -d;
    m[4] = a22;
    const double b1 = -m[0] * m[2] - m[1] * m[5];
    const double b2 = -m[3] * m[2] - m[4] * m[5];
    m[2] = b1;
    m[5] = b2;
    std::copy(m, m + 6, mInverse);

    mXDelta.resize(size_t(std::max(0, mWindow.width())));
    mYDelta.resize(mXDelta.size());
    for (int i = 0; i < mWindow.width(); ++i) {
        const int x = mWindow.left() + i;
        mXDelta[size_t(i)] = cv::saturate_cast<int>(mInverse[0] * x * abScale);
        mYDelta[size_t(i)] = cv::saturate_cast<int>(mInverse[3] * x * abScale);
    }
}

void RotatedRaster::rows(int first, int count, cv::Mat &band) const
{
    const int width = mWindow.width();
    if (mAngle == 0) {
        // The identity turn copies the bitmap: rows straight from the window.
        mSource.rowRange(first - mOrigin.y(), first - mOrigin.y() + count).copyTo(band);
        return;
    }
    cv::Mat positions(count, width, CV_16SC2);
    cv::Mat weights(count, width, CV_16UC1);
    const double *m = mInverse;
    for (int j = 0; j < count; ++j) {
        const int y = first + j;
        const int x0 = cv::saturate_cast<int>((m[1] * y + m[2]) * abScale) + roundDelta;
        const int y0 = cv::saturate_cast<int>((m[4] * y + m[5]) * abScale) + roundDelta;
        short *xy = positions.ptr<short>(j);
        ushort *alpha = weights.ptr<ushort>(j);
        for (int i = 0; i < width; ++i) {
            const int sx = (x0 + mXDelta[size_t(i)]) >> (abBits - interBits);
            const int sy = (y0 + mYDelta[size_t(i)]) >> (abBits - interBits);
            // Positions within the window: what lies outside it is white,
            // which is the border value.
            xy[2 * i] = cv::saturate_cast<short>((sx >> interBits) - mOrigin.x());
            xy[2 * i + 1] = cv::saturate_cast<short>((sy >> interBits) - mOrigin.y());
            alpha[i] = ushort((sy & (interTabSize - 1)) * interTabSize + (sx & (interTabSize - 1)));
        }
    }
    cv::remap(mSource, band, positions, weights, cv::INTER_LINEAR, cv::BORDER_CONSTANT,
              cv::Scalar(255));
}
