#include "document/engravingattributes.h"

#include "document/svgnumbers.h"
#include "document/svgstyle.h"

#include <QtGlobal>

namespace A = EngravingAttributes;

namespace {

double readOr(const QDomElement &element, const QString &name, double fallback, bool *found = nullptr)
{
    bool ok = false;
    const double value = SvgGrammar::attributeLength(element, name, &ok);
    // "1e999" reads as infinity, which no engraver setting can take.
    ok = ok && qIsFinite(value);
    if (found)
        *found = ok;
    return ok ? value : fallback;
}

// The seven attributes of the default set, each with its field in both records.
struct DefaultField
{
    const QString &name;
    double PaintParameter::*paint;
    double DefaultParameters::*fallback;
};

const DefaultField defaultFields[] = {
    { A::scanTimes, &PaintParameter::scanTimes, &DefaultParameters::scanTimes },
    { A::scanBuffer, &PaintParameter::scanBuffer, &DefaultParameters::scanBuffer },
    { A::scanAccuracy, &PaintParameter::scanAccuracy, &DefaultParameters::scanAccuracy },
    { A::scanAngle, &PaintParameter::scanAngle, &DefaultParameters::scanAngle },
    { A::scanError, &PaintParameter::scanError, &DefaultParameters::scanError },
    { A::XMotorMovementError, &PaintParameter::XMotorMovementError, &DefaultParameters::XMotorMovementError },
    { A::YMotorMovementError, &PaintParameter::YMotorMovementError, &DefaultParameters::YMotorMovementError },
};

} // namespace

QStringList numericEngravingAttributes()
{
    return { A::scanTimes, A::scanBuffer, A::scanAccuracy, A::scanAngle, A::scanError,
             A::scanPower, A::scanSpeed, A::XMotorMovementError, A::YMotorMovementError };
}

QString formatParameter(double value)
{
    return QString::number(value, 'g', 6);
}

QString formatFixed(double value)
{
    return QString::number(value, 'f', 6);
}

EngraveMode engraveMode(const QDomElement &element)
{
    const SvgGrammar::StyleMap style = SvgGrammar::parseStyleDeclarations(element);
    const auto fill = style.constFind(QStringLiteral("fill"));
    if (fill == style.constEnd())
        return EngraveMode::None;
    return *fill == A::engraveModeOutline ? EngraveMode::Outline : EngraveMode::Fill;
}

OutlineParameters readOutlineParameters(const QDomElement &element)
{
    OutlineParameters p;
    p.scanTimes = qMax(1.0, readOr(element, A::scanTimes, p.scanTimes));
    p.scanPower = readOr(element, A::scanPower, p.scanPower);
    p.scanSpeed = readOr(element, A::scanSpeed, p.scanSpeed);
    p.XMotorMovementError = readOr(element, A::XMotorMovementError, p.XMotorMovementError);
    p.YMotorMovementError = readOr(element, A::YMotorMovementError, p.YMotorMovementError);
    return p;
}

PaintParameter readPaintParameter(const QDomElement &element, const DefaultParameters &defaults)
{
    PaintParameter p;
    p.scanPower = readOr(element, A::scanPower, 100);
    p.scanSpeed = readOr(element, A::scanSpeed, 100);
    for (const DefaultField &field : defaultFields)
        p.*(field.paint) = readOr(element, field.name, defaults.*(field.fallback));
    return p;
}

PaintParameter completeElementParameters(QDomElement element, const DefaultParameters &defaults)
{
    PaintParameter p;
    p.scanPower = readOr(element, A::scanPower, 100);
    p.scanSpeed = readOr(element, A::scanSpeed, 100);
    for (const DefaultField &field : defaultFields) {
        bool found = false;
        const double fallback = defaults.*(field.fallback);
        p.*(field.paint) = readOr(element, field.name, fallback, &found);
        if (!found && !element.isNull())
            element.setAttribute(field.name, formatParameter(fallback));
    }
    return p;
}
