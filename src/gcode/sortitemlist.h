#pragma once

#include "gcode/gcodebuffer.h"

#include <QPainterPath>
#include <QPointF>
#include <QVector>

// One piece of ordered work: an outline to cut (a path in design units with
// what it is cut with) or a raster pass (ready records, empty path).
struct SortItem
{
    QPainterPath path;
    QPointF start;
    QPointF end;
    double power = 100;
    double speed = 100;
    double xBacklash = 0.1;
    double yBacklash = 0.1;
    QVector<GCodeBuffer> records;

    static SortItem outline(const QPainterPath &path, double power, double speed,
                            double xBacklash, double yBacklash);
    static SortItem raster(const QVector<GCodeBuffer> &records);

    bool isOutline() const { return !path.isEmpty() && records.isEmpty(); }
    bool isRaster() const { return path.isEmpty() && !records.isEmpty(); }
    // Both empty or both filled.
    bool isMalformed() const { return !isOutline() && !isRaster(); }
};

// The ordered work of a job, turned into records by toGcode().
class SortItemList
{
public:
    void append(const SortItem &item) { mItems.append(item); }
    int size() const { return mItems.size(); }
    bool isEmpty() const { return mItems.isEmpty(); }
    const SortItem &at(int index) const { return mItems.at(index); }

    // Appends "M4", "M8" and the work: raster records as they are, each run
    // of consecutive outlines as one group of moves, and "G90" where outlines
    // follow a raster pass. A malformed entry (a raster pass that produced no
    // records) is logged and skipped wherever it stands; it never stops the job.
    void toGcode(QVector<GCodeBuffer> &out, double fullPower, double fullSpeed) const;

private:
    QVector<SortItem> mItems;
};
