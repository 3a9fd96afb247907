#pragma once

#include "gcode/gcodebuffer.h"

#include <QPainterPath>
#include <QVector>

// Turns a group of ordered outlines into G0/G1 records in millimetres, with
// per-axis backlash take-up. The position, the compensation and the axis
// directions carry over from one outline to the next within the group.
class OutlineMoves
{
public:
    // The scale from design units to millimetres, held in single precision
    // as the engraver's firmware was calibrated with (0.0799999982).
    static constexpr float scale = 0.08f;

    // fullPower and fullSpeed are the S and F values of 100 %.
    OutlineMoves(double fullPower, double fullSpeed);

    // Appends the moves of one outline; power and speed in percent, backlash in mm.
    void append(const QPainterPath &path, double power, double speed, double xBacklash,
                double yBacklash, QVector<GCodeBuffer> &out);

private:
    enum class Direction { Undecided, Negative, Positive };

    struct Axis
    {
        double last = 0;
        double offset = 0;
        double pending = 0; // take-up position to visit first; 0 means none
        Direction direction = Direction::Undecided;

        // Updates the direction for a move to `value` and returns the
        // compensated value.
        double update(double value, double backlash);
    };

    double mFullPower;
    double mFullSpeed;
    Axis mX;
    Axis mY;
    double mPendingS = GCodeBuffer::absent;
    double mPendingF = GCodeBuffer::absent;
};
