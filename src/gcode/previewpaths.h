#pragma once

#include "gcode/gcodebuffer.h"
#include "gcode/gcodesink.h"

#include <QColor>
#include <QPainterPath>
#include <QRectF>
#include <QVector>

// The moves of a job as 257 line paths in design units: index 0 to 255 hold
// the burning moves at grey level 0 (black, full power) to 255, index 256 the
// travel. The preview dialog and the command line draw the same paths.
class PreviewPaths
{
public:
    static constexpr int travelIndex = 256;
    static constexpr int pathCount = 257;

    // `fullPower` is the S value drawn black.
    explicit PreviewPaths(double fullPower = 1000);

    // Follows the records from the origin in absolute mode; an empty line
    // ends the drawing.
    template <typename Records>
    void draw(const Records &records)
    {
        for (const GCodeBuffer &record : records)
            if (!follow(record))
                break;
    }

    // The same for a job read in passing from a sink (a job file).
    void drawJob(const GCodeSink &job)
    {
        job.forEach([this](const GCodeBuffer &record) { return follow(record); });
    }

    const QPainterPath &path(int index) const { return mPaths[index]; }
    // Red for travel, grey (i, i, i) for burning path i.
    static QColor colour(int index);
    // Where a move with power `power` is drawn: grey by its share of full
    // power, powers outside the scale at the nearest end of the greys.
    int burnIndex(double power) const;
    // Union of the non-empty paths; empty for a job that never moves.
    QRectF bounds() const;

private:
    bool follow(const GCodeBuffer &record);

    double mFullPower;
    QVector<QPainterPath> mPaths;
    bool mAbsolute = true;
    QPointF mCurrent;
    double mPower = GCodeBuffer::absent;
};
