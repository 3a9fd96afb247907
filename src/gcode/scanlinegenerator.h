#pragma once

#include "gcode/gcodebuffer.h"
#include "gcode/gcodesink.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QTransform>
#include <QVector>

#include <atomic>

// What one raster group is scanned with. Lengths are millimetres.
struct ScanLineParameters
{
    float pixelSize = 0.08f;  // bitmap pixel = scan-line spacing (single precision on purpose)
    double overscan = 0;      // power-off lead-in before the first run of a row
    QString imageMode;        // the job image mode; "gray" keeps grey levels, others threshold
    double feed = 1500;       // F of the first burning move of each pass
    double fullPower = 1000;  // S of a black run
    double rowOffset = 0;     // added to every right-to-left row
    double angle = 0;         // degrees; positive turns clockwise on screen (Y down)
    double passCount = 1;     // whole copies while h < passCount: 2.5 gives three, 0 none
};

// Turns a grey bitmap whose pixel (i, j) sits at (i, j) * pixelSize on the
// machine into serpentine scan lines: the bitmap is turned by the scan angle,
// each row becomes run-length G1 moves with power per run, rows alternate in
// direction and each row after a burning row starts with a power-off lead-in.
//
// Records are kept in a QVector: Qt 5's QList would allocate every 56-byte
// record on its own, and a photograph in grey levels makes millions of them.
// Use QVector::toList() where a QList<GCodeBuffer> is needed.
class ScanLineGenerator
{
public:
    // The largest rotated raster scanned as it is; larger bitmaps are shrunk
    // (coarser lines) so that a design with an absurd work area cannot exhaust
    // memory.
    static constexpr qint64 defaultRasterPixelLimit = qint64(1) << 28;
    // The most records a group may produce over all its passes (about 1.1 GB).
    static constexpr qint64 defaultRecordLimit = 20000000;

    explicit ScanLineGenerator(const ScanLineParameters &parameters);

    // Records of all passes, each pass starting with "M9". Empty, with a log
    // line, when the bitmap is null or not grey (8-bit indexed, 8-bit grey or
    // 24-bit RGB, which is converted to grey), when a parameter is not a
    // finite number, the pixel size is not positive, or the record limit is
    // exceeded.
    QVector<GCodeBuffer> generate(const QImage &bitmap);
    // The same for a bitmap of `fullSize` that is white but for `window`,
    // placed at `origin`: the records are those of the whole bitmap, and
    // only the window's reach is turned and scanned. A null window with a
    // size that is not empty stands for an all-white bitmap.
    QVector<GCodeBuffer> generate(const QImage &window, const QSize &fullSize, const QPoint &origin);
    // The same records appended to `out` as they are made, so that a group
    // of any size needs no memory for them. False, with `out` as it was,
    // where the others give nothing (and when the pass count gives no copy).
    bool generate(const QImage &window, const QSize &fullSize, const QPoint &origin, GCodeSink &out);

    // The factor (at most 1) by which a width x height raster must shrink so
    // that its copy turned by `angle` stays within `pixelLimit`. Renderers use
    // it to size the group bitmap before drawing into it.
    static double rasterScaleLimit(double width, double height, double angle,
                                   qint64 pixelLimit = defaultRasterPixelLimit);

    void setRasterPixelLimit(qint64 pixels) { mRasterPixelLimit = pixels; }
    // Whether the last generate() gave nothing because the group makes more
    // records than the limit.
    bool exceededRecordLimit() const { return mOverflow; }
    void setRecordLimit(qint64 records) { mRecordLimit = records; }
    // Set from another thread: generate() stops between rows and returns nothing.
    void setCancelFlag(const std::atomic<bool> *flag) { mCancelFlag = flag; }

private:
    // Each returns whether the row had a pixel that is not white.
    // `row` holds columns [first, end) of a row whose other pixels are white.
    bool scanLeftToRight(const uchar *row, int first, int end, float y);
    bool scanRightToLeft(const uchar *row, int first, int end, float y);
    void emitPoint(double x, float y, double power, double rowOffset);
    double runPower(int value) const;

    ScanLineParameters mParameters;
    qint64 mRasterPixelLimit = defaultRasterPixelLimit;
    qint64 mRecordLimit = defaultRecordLimit;

    // State of one pass.
    GCodeSink *mOut = nullptr;
    qint64 mMark = 0;  // the sink's size when the group began
    QTransform mBackTransform;
    float mPixelSize = 0;  // after clamping
    bool mLeftToRight = true;
    bool mLeadInNeeded = false;
    bool mFirstPoint = true;
    double mLastX = 0;
    double mLastY = 0;
    double mPendingFeed = 0;
    bool mOverflow = false;
    const std::atomic<bool> *mCancelFlag = nullptr;
};
