#pragma once

#include <QString>

// The range each numeric engraving attribute is engraved with: the property
// panel's range, except that a speed below 1 % would stop the head (F0).
// Values outside are clamped where the generator and the stored defaults read
// them, so S, F and coordinates on the wire stay sound whatever a file says.
struct ParameterRange
{
    double minimum;
    double maximum;

    // The range of a qualified attribute name ("tolvenrik:scanPower"); an
    // unbounded range for names without one.
    static ParameterRange of(const QString &attribute);

    // `value` within the range; `clamped` tells whether it moved.
    double clamp(double value, bool *clamped = nullptr) const;
};

// "tolvenrik:scanPower 1e+308 is out of range (0 to 100); 100 is used".
QString clampNote(const QString &attribute, double value, double used);
