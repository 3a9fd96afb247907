#pragma once

#include "gcode/gcodebuffer.h"
#include "gcode/jobmap.h"

#include <QList>
#include <QVector>

// The job that takes an interrupted one up again at the start of a unit (a
// raster row or an outline). The engraver may have been reset, powered off
// or moved by hand in between, so nothing of its state is trusted: with the
// laser off the head goes in absolute coordinates to where the unit starts,
// then the unit's laser mode, air, fan, power, feed and distance mode are
// set, and the original records follow unchanged from the unit's first one.
class ResumeJob
{
public:
    static QList<GCodeBuffer> build(const QList<GCodeBuffer> &job, const JobMap::Unit &unit);
    static QVector<GCodeBuffer> build(const QVector<GCodeBuffer> &job, const JobMap::Unit &unit);
};
