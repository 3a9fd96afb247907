#pragma once

#include "gcode/gcodebuffer.h"

#include <functional>

// Where a job's records go as they are made: a list in memory for small
// callers and tests, a job file on disk for jobs of any size.
class GCodeSink
{
public:
    virtual ~GCodeSink() = default;

    virtual void append(const GCodeBuffer &record) = 0;
    virtual qint64 size() const = 0;
    // Drops the records from `count` on (a raster group that failed half way).
    virtual void truncate(qint64 count) = 0;
    // Appends again the `count` records from `from` on (a pass repeated).
    virtual void repeat(qint64 from, qint64 count) = 0;
    // Calls `visit` with each record in order until it returns false.
    virtual void forEach(const std::function<bool(const GCodeBuffer &)> &visit) const = 0;
    // True once a write failed; records appended after that are lost.
    virtual bool failed() const { return false; }
};
