#include "gcode/resumejob.h"

namespace {

GCodeBuffer word(double g, double m)
{
    GCodeBuffer record;
    record.G = g;
    record.M = m;
    // No axis words: relative records leave X and Y out at 0.
    record.absolute = false;
    record.X = 0;
    record.Y = 0;
    return record;
}

template<class Records>
Records buildResume(const Records &job, const JobMap::Unit &unit)
{
    const JobMap::State &state = unit.state;
    Records out;
    out.reserve(job.size() - unit.first + 10);
    out.append(word(state.inches ? 20 : 21, GCodeBuffer::absent));
    out.append(word(90, GCodeBuffer::absent));
    out.append(word(GCodeBuffer::absent, 5));
    GCodeBuffer position = GCodeBuffer::g(0);
    position.X = state.x;
    position.Y = state.y;
    out.append(position);
    if (state.fan)
        out.append(word(GCodeBuffer::absent, 106));
    out.append(word(GCodeBuffer::absent, state.coolant));
    const bool constantPower = state.laserMode == 3;
    if (state.laserMode != 5)
        out.append(word(GCodeBuffer::absent, state.laserMode));
    // Power and feed without a move. In M4 the laser stays dark at rest; in
    // M3 it would burn a dot at the start, so there the power goes with the
    // first cutting move instead.
    GCodeBuffer modal = word(state.motion == 1 && state.feed > 0 ? 1 : GCodeBuffer::absent,
                             GCodeBuffer::absent);
    modal.S = constantPower ? 0 : state.power;
    if (state.feed > 0)
        modal.F = state.feed;
    out.append(modal);
    if (state.relative)
        out.append(word(91, GCodeBuffer::absent));

    bool powerPending = constantPower && state.power > 0;
    for (int i = unit.first; i < job.size(); ++i) {
        GCodeBuffer record = job.at(i);
        if (powerPending && record.S != GCodeBuffer::absent) {
            powerPending = false;
        } else if (powerPending && record.G == 1 && JobMap::hasAxisWords(record)) {
            record.S = state.power;
            powerPending = false;
        }
        out.append(record);
    }
    return out;
}

} // namespace

QList<GCodeBuffer> ResumeJob::build(const QList<GCodeBuffer> &job, const JobMap::Unit &unit)
{
    return buildResume(job, unit);
}

QVector<GCodeBuffer> ResumeJob::build(const QVector<GCodeBuffer> &job, const JobMap::Unit &unit)
{
    return buildResume(job, unit);
}
