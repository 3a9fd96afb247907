#pragma once

#include <QMetaType>
#include <QString>

#include <array>

// The nine numeric engraving parameters of an element, named as their
// attributes (EngravingAttributes) are, with the one set of defaults that
// everything without a value of its own starts from: the default set of the
// canvas, the panel's fields, the generator's reading of an element.
struct EngravingParameters
{
    double scanTimes = 1;
    double scanBuffer = 0;
    double scanAccuracy = 0.025;
    double scanAngle = 180;
    double scanError = 0;
    double scanPower = 100;
    double scanSpeed = 100;
    double XMotorMovementError = 0;
    double YMotorMovementError = 0;

    struct Field
    {
        const QString &attribute;           // "tolvenrik:scanTimes"
        double EngravingParameters::*value;
    };
    // The nine in the order of the fields above.
    static const std::array<Field, 9> &fields();
    // The field an attribute names; null for any other name.
    static const Field *fieldOf(const QString &attribute);
    // An attribute's name without its prefix: "scanTimes" for
    // "tolvenrik:scanTimes", the name the panel's field and the canvas's
    // selection report go by.
    static QString nameOf(const QString &attribute);

    // Exact comparison of all nine fields.
    bool operator==(const EngravingParameters &other) const;
    bool operator!=(const EngravingParameters &other) const { return !(*this == other); }
};

Q_DECLARE_TYPEINFO(EngravingParameters, Q_PRIMITIVE_TYPE);
