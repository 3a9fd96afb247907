#include "document/parameterrange.h"

#include "document/engravingattributenames.h"

#include <QtMath>

#include <limits>

ParameterRange ParameterRange::of(const QString &attribute)
{
    namespace A = EngravingAttributes;
    if (attribute == A::scanPower)
        return { 0, 100 };
    if (attribute == A::scanSpeed)
        return { 1, 100 };
    // Fewer than one pass is kept: a fill element then has no raster pass.
    if (attribute == A::scanTimes)
        return { std::numeric_limits<double>::lowest(), 100 };
    if (attribute == A::scanAccuracy)
        return { 0.02, 100 };
    if (attribute == A::scanBuffer)
        return { 0, 100 };
    if (attribute == A::scanError || attribute == A::XMotorMovementError
        || attribute == A::YMotorMovementError)
        return { -100, 100 };
    if (attribute == A::scanAngle)
        return { -360, 360 };
    return { std::numeric_limits<double>::lowest(), std::numeric_limits<double>::max() };
}

double ParameterRange::clamp(double value, bool *clamped) const
{
    const double result = qIsNaN(value) ? minimum : qBound(minimum, value, maximum);
    if (clamped)
        *clamped = !(result == value);
    return result;
}

QString clampNote(const QString &attribute, double value, double used)
{
    const ParameterRange range = ParameterRange::of(attribute);
    const QString bounds = range.minimum == std::numeric_limits<double>::lowest()
            ? QStringLiteral("at most %1").arg(range.maximum)
            : QStringLiteral("%1 to %2").arg(range.minimum).arg(range.maximum);
    return QStringLiteral("%1 %2 is out of range (%3); %4 is used").arg(attribute).arg(value).arg(bounds).arg(used);
}
