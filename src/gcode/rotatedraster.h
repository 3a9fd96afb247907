#pragma once

#include <opencv2/core.hpp>

#include <QPoint>
#include <QRect>
#include <QSize>

// A grey bitmap turned about its centre by a scan angle, enlarged so that it
// fits whole, with a white border, produced band by band. The bitmap is given
// as the window of it that may hold marks, the rest being white; only the part
// of the turned bitmap that window can reach is computed, and every sample is
// the one cv::warpAffine (bilinear, constant white border) gives at the same
// place of the whole turned bitmap, so a job does not depend on the window.
class RotatedRaster
{
public:
    // `window` (8-bit, one channel) sits at `origin` in a bitmap of `fullSize`.
    // `angle` in degrees within [0, 360), as OpenCV turns it.
    RotatedRaster(const cv::Mat &window, const QSize &fullSize, const QPoint &origin, float angle);

    // The whole turned bitmap and how much it grew each way, halved.
    QSize size() const { return mSize; }
    double xExpansion() const { return mXExpansion; }
    double yExpansion() const { return mYExpansion; }
    // The part of the turned bitmap outside which every sample is white.
    QRect window() const { return mWindow; }

    // Rows [first, first + count) of the turned bitmap, clipped to window()'s
    // columns, into `band` (count x window().width()).
    void rows(int first, int count, cv::Mat &band) const;

private:
    cv::Mat mSource;
    QPoint mOrigin;
    float mAngle;
    QSize mSize;
    double mXExpansion = 0;
    double mYExpansion = 0;
    QRect mWindow;
    double mInverse[6] = {};  // turned bitmap -> source, as cv::warpAffine inverts it
    std::vector<int> mXDelta;
    std::vector<int> mYDelta;
};
