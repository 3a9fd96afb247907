#include "gcode/jobmap.h"

#include <algorithm>
#include <cmath>

namespace {

// Moves along a scan line leave it by the rounding of their words only
// (well under a thousandth of a millimetre); the move to the next row
// crosses at least one line spacing.
constexpr double offLineTolerance = 0.001;
// Backlash take-up is a short rapid back along the axis that reverses, and
// may come in the middle of an outline; a rapid this short or shorter on both
// axes starts nothing by itself.
constexpr double takeUpLimit = 1.0;

bool burns(const JobMap::State &before, const JobMap::State &after)
{
    return after.motion == 1 && (after.laserMode == 3 || after.laserMode == 4) && after.power > 0
           && (after.x != before.x || after.y != before.y);
}

} // namespace

JobMap::JobMap(const QList<GCodeBuffer> &job)
{
    build(job);
}

JobMap::JobMap(const QVector<GCodeBuffer> &job)
{
    build(job);
}

double JobMap::written(double value)
{
    return std::nearbyint(value * 10000.0) / 10000.0;
}

bool JobMap::hasAxisWords(const GCodeBuffer &record)
{
    if (record.G == GCodeBuffer::emptyLine)
        return false;
    const double missing = record.absolute ? GCodeBuffer::absent : 0.0;
    return record.X != missing || record.Y != missing;
}

bool JobMap::apply(const GCodeBuffer &record, State &state)
{
    if (record.G == GCodeBuffer::emptyLine)
        return false;
    // One word of each letter per record, so the order within it is G, M,
    // then the values, as GRBL applies a block.
    if (record.G == GCodeBuffer::wordG00 || record.G == 0)
        state.motion = 0;
    else if (record.G == 1)
        state.motion = 1;
    else if (record.G == 90)
        state.relative = false;
    else if (record.G == 91)
        state.relative = true;
    else if (record.G == 20)
        state.inches = true;
    else if (record.G == 21)
        state.inches = false;
    if (record.M == 3 || record.M == 4 || record.M == 5)
        state.laserMode = int(record.M);
    else if (record.M == 2 || record.M == 30)
        state.laserMode = 5;
    else if (record.M == 7 || record.M == 8 || record.M == 9)
        state.coolant = int(record.M);
    else if (record.M == 106)
        state.fan = true;
    else if (record.M == 107)
        state.fan = false;
    if (record.S != GCodeBuffer::absent)
        state.power = written(record.S);
    if (record.F != GCodeBuffer::absent)
        state.feed = written(record.F);
    if (!hasAxisWords(record))
        return false;
    const double missing = record.absolute ? GCodeBuffer::absent : 0.0;
    const bool hasX = record.X != missing;
    const bool hasY = record.Y != missing;
    if (state.relative) {
        if (hasX)
            state.x += written(record.X);
        if (hasY)
            state.y += written(record.Y);
    } else {
        if (hasX)
            state.x = written(record.X);
        if (hasY)
            state.y = written(record.Y);
    }
    return true;
}

template<class Records>
void JobMap::build(const Records &job)
{
    State state;
    int candidate = -1;         // where the next unit starts, once something burns
    State candidateState;
    int takeUp = -1;            // a short rapid that may open the travel to the next outline
    State takeUpState;
    bool lineKnown = false;     // the scan direction of the raster pass under way
    double lineX = 0;
    double lineY = 0;
    int rows = 0;
    int outlines = 0;
    for (int i = 0; i < job.size(); ++i) {
        const State before = state;
        if (!apply(job.at(i), state))
            continue;
        const double dx = state.x - before.x;
        const double dy = state.y - before.y;
        if (state.motion == 0) {
            // A rapid starts an outline or a raster pass; a pass learns its
            // scan direction again from its first cutting move.
            lineKnown = false;
            if (candidate >= 0)
                continue;
            if (std::fabs(dx) <= takeUpLimit && std::fabs(dy) <= takeUpLimit) {
                if (takeUp < 0) {
                    takeUp = i;
                    takeUpState = before;
                }
                continue;
            }
            candidate = takeUp >= 0 ? takeUp : i;
            candidateState = takeUp >= 0 ? takeUpState : before;
            takeUp = -1;
            continue;
        }
        takeUp = -1;
        const bool burning = burns(before, state);
        if (state.relative && (dx != 0 || dy != 0)) {
            const double length = std::hypot(dx, dy);
            if (!lineKnown) {
                lineKnown = true;
                lineX = dx / length;
                lineY = dy / length;
            } else if (!burning && std::fabs(dx * lineY - dy * lineX) > offLineTolerance) {
                // Across to the next row: the row starts where this move ends.
                candidate = i + 1;
                candidateState = state;
                continue;
            }
        }
        if (!burning)
            continue;
        if (candidate < 0 && mUnits.isEmpty()) {
            candidate = 0;
            candidateState = State();
        }
        if (candidate < 0)
            continue;
        Unit unit;
        unit.kind = state.relative ? Kind::Row : Kind::Outline;
        unit.number = unit.kind == Kind::Row ? ++rows : ++outlines;
        unit.first = candidate;
        unit.state = candidateState;
        mUnits.append(unit);
        candidate = -1;
    }
}

int JobMap::unitOf(int record) const
{
    if (mUnits.isEmpty())
        return -1;
    const auto after = std::upper_bound(mUnits.cbegin(), mUnits.cend(), record,
                                        [](int r, const Unit &unit) { return r < unit.first; });
    return after == mUnits.cbegin() ? 0 : int(after - mUnits.cbegin()) - 1;
}

int JobMap::resumeUnit(const QList<GCodeBuffer> &job, int acknowledged, int plannerBlocks) const
{
    int record = qMin(acknowledged, job.size()) - 1;
    int moves = 0;
    while (record > 0 && moves < plannerBlocks) {
        if (hasAxisWords(job.at(record)))
            ++moves;
        if (moves < plannerBlocks)
            --record;
    }
    return unitOf(qMax(record, 0));
}
