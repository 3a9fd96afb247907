#pragma once

#include "gcode/gcodebuffer.h"
#include "gcode/gcodesink.h"

#include "document/defaultparameters.h"
#include "document/paintparameter.h"
#include "document/styleresolver.h"

#include <QDomDocument>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <functional>

// Turns a design (its SVG text) into a job: the head, the raster passes of
// the fill-mode shapes and images, the outlines cut in containment and
// nearest-neighbour order, and the tail. The design text is parsed into a
// working copy, so the caller's document never changes.
//
// The job is a QVector: Qt 5's QList would allocate each 56-byte record on its
// own. Callers that hand it to the device thread convert it with toList().
class RasterGroupSplit;
class StyleResolver;

class GCodeGenerator
{
public:
    // What the last generate() produced, for summaries and "nothing to engrave" checks.
    struct Summary
    {
        int records = 0;
        int rasterGroups = 0;   // parameter sets that produced raster records
        int outlines = 0;       // outlines cut
        qint64 milliseconds = 0;
        // What was left out or made coarser, one sentence each (also logged).
        QStringList notes;
    };

    GCodeGenerator();

    // Stores the values of the known names ("paintPower", "paintSpeed",
    // "printingAccuracy", "scanBuffer", "scanErr", "paintNum",
    // "paintDirection"); other names are ignored, as are extra values.
    void setPaintProperty(const QStringList &names, const QList<double> &values);

    double paintPower() const { return mPaintPower; }
    double paintSpeed() const { return mPaintSpeed; }
    // Raster pixels per design unit: set through "printingAccuracy" as
    // 0.08 / value, and to the ratio of each raster group as it is rendered.
    double rasterRatio() const { return mRasterRatio; }

    // The default parameter set for fill-mode and image elements that lack an attribute.
    void setDefaultParameters(const DefaultParameters &defaults) { mDefaults = defaults; }
    const DefaultParameters &defaultParameters() const { return mDefaults; }

    // Largest group bitmap in pixels (after turning by the scan angle); larger
    // groups are rendered coarser and the log says so.
    void setRasterPixelLimit(qint64 pixels) { mRasterPixelLimit = pixels; }
    // Most records one raster group may make over its passes; a group with
    // more refuses the whole job (jobError()).
    void setRecordLimit(qint64 records) { mRecordLimit = records; }
    // The limit for jobs made into a job file, where memory is no bound.
    static constexpr qint64 streamedRecordLimit = 500000000;

    // Drawings from other programs whose root gives a physical size are
    // engraved at that size (RenderTree::scaleToTrueSize); off by default.
    void setTrueSize(bool trueSize) { mTrueSize = trueSize; }
    bool trueSize() const { return mTrueSize; }

    // The folder relative image references are resolved against (the
    // design file's); the working folder when empty.
    void setBaseFolder(const QString &folder) { mBaseFolder = folder; }
    // The design's own file, when it has one: its folder becomes the base
    // folder, and a picture that shows the design itself is left out.
    void setDesignFile(const QString &path);

    // Replaces the job by the one of `svgText` and returns it. Input that is
    // not an SVG document gives the job of an empty design and isValidInput() false.
    QVector<GCodeBuffer> generate(const QString &svgText);
    // The same job appended to `out` (emptied first) as it is made, for jobs
    // too large for memory; job() stays empty. False when cancelled.
    bool generate(const QString &svgText, GCodeSink &out);

    // A generation running in a worker thread stops at its next check once
    // `flag` is set: generate() then returns an empty job and wasCancelled()
    // is true. The flag must outlive the generation; null for none.
    void setCancelFlag(const std::atomic<bool> *flag) { mCancelFlag = flag; }
    bool wasCancelled() const { return mCancelled; }
    // Called with 0..100 as the stages of generate() are done, on the
    // generating thread.
    void setProgressCallback(std::function<void(int)> callback) { mProgress = std::move(callback); }

    const QVector<GCodeBuffer> &job() const { return mGcode; }
    void clearJob() { mGcode.clear(); }

    bool isValidInput() const { return mErrorString.isEmpty(); }
    // Why the last input was not an SVG document; empty when it was.
    QString errorString() const { return mErrorString; }

    // Why the last design gave no job although it was read: a number the
    // engraver cannot take (not finite, beyond its reach). The job is then
    // that of an empty design. Empty when the job is sound.
    QString jobError() const { return mJobError; }

    const Summary &summary() const { return mSummary; }
    const PaintParameterList &paintParameterList() const { return mPaintParameterList; }
    // "gray" when the job's grey levels reach the scan lines unthresholded.
    QString imageMode() const { return mImageMode; }

private:
    void note(const QString &text);
    // `value` within [minimum, maximum], noted under `name` when it was not.
    double fullScale(const QString &name, double value, double minimum, double maximum, double previous);
    bool cancelRequested() const { return mCancelFlag && mCancelFlag->load(std::memory_order_relaxed); }
    bool cancelJob();
    void reportProgress(int percent) const
    {
        if (mProgress)
            mProgress(percent);
    }
    void appendHead();
    void appendTail();
    void reprocessImages(QDomDocument &working);
    // Appends the group's records to the job; false, with nothing appended,
    // when it makes none. `tooLarge` is set when the group has marks but
    // makes more records than a job may hold.
    bool rasterGroup(const RasterGroupSplit &split, const StyleResolver &styles,
                     const PaintParameter &record, bool *tooLarge);

    double mPaintPower = 1000;
    double mPaintSpeed = 1500;
    double mRasterRatio = 1;
    double mScanBuffer = 15;
    double mScanErr = 0;
    double mPaintNum = 1;
    double mPaintDirection = 0;
    // What setPaintProperty() had to clamp, noted by every generation.
    QMap<QString, QString> mPropertyNotes;
    DefaultParameters mDefaults;
    qint64 mRasterPixelLimit;
    qint64 mRecordLimit;
    bool mTrueSize = false;
    QString mBaseFolder;
    QString mDesignFile;
    const std::atomic<bool> *mCancelFlag = nullptr;
    std::function<void(int)> mProgress;
    bool mCancelled = false;

    QVector<GCodeBuffer> mGcode;
    GCodeSink *mOut = nullptr;  // where the running generation writes
    PaintParameterList mPaintParameterList;
    QString mImageMode;
    QString mErrorString;
    QString mJobError;
    Summary mSummary;
};
