#include "gcode/outlinemoves.h"

OutlineMoves::OutlineMoves(double fullPower, double fullSpeed)
    : mFullPower(fullPower), mFullSpeed(fullSpeed)
{
}

double OutlineMoves::Axis::update(double value, double backlash)
{
    const double d = value - last;
    switch (direction) {
    case Direction::Undecided:
        if (d > 0.01)
            direction = Direction::Positive;
        else if (d < -0.01)
            direction = Direction::Negative;
        break;
    case Direction::Negative:
        if (d > 0.0001) {
            direction = Direction::Positive;
            offset -= backlash;
            pending = last - backlash;
            value -= backlash;
        }
        break;
    case Direction::Positive:
        if (d < -0.0001) {
            direction = Direction::Negative;
            value += backlash;
            offset += backlash;
            pending = last + backlash;
        }
        break;
    }
    return value;
}

void OutlineMoves::append(const QPainterPath &path, double power, double speed, double xBacklash,
                          double yBacklash, QVector<GCodeBuffer> &out)
{
    // Power and feed go with the first line of the outline; a value still
    // pending unwritten is dropped instead. (Only a path of moves alone leaves
    // one pending, and the job never cuts such a path.)
    const double s0 = power / 100 * mFullPower;
    const double f0 = speed / 100 * mFullSpeed;
    mPendingS = mPendingS == s0 ? GCodeBuffer::absent : s0;
    mPendingF = mPendingF == f0 ? GCodeBuffer::absent : f0;

    const double s = scale;
    const int count = path.elementCount();
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (!e.isMoveTo() && !e.isLineTo())
            continue;
        const double x = mX.update(s * e.x + mX.offset, xBacklash);
        const double y = mY.update(s * e.y + mY.offset, yBacklash);

        if (mX.pending != 0 || mY.pending != 0) {
            GCodeBuffer takeUp = GCodeBuffer::g(0);
            takeUp.X = mX.pending != 0 ? mX.pending : mX.last;
            takeUp.Y = mY.pending != 0 ? mY.pending : mY.last;
            out.append(takeUp);
            mX.pending = 0;
            mY.pending = 0;
        }

        if (e.isMoveTo()) {
            GCodeBuffer move = GCodeBuffer::g(0);
            move.X = x;
            move.Y = y;
            out.append(move);
        } else {
            GCodeBuffer line = GCodeBuffer::g(1);
            if (x != mX.last)
                line.X = x;
            if (y != mY.last)
                line.Y = y;
            line.S = mPendingS;
            line.F = mPendingF;
            out.append(line);
            mPendingS = GCodeBuffer::absent;
            mPendingF = GCodeBuffer::absent;
        }
        mX.last = x;
        mY.last = y;
    }
}
