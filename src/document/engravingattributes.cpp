#include "document/engravingattributes.h"

#include "document/parameterrange.h"
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

// Read as above, then brought within the attribute's range; what had to be
// clamped goes to `notes` once.
double readClamped(const QDomElement &element, const QString &name, double fallback, QStringList *notes)
{
    const double value = readOr(element, name, fallback);
    bool clamped = false;
    const double used = ParameterRange::of(name).clamp(value, &clamped);
    if (clamped && notes) {
        const QString note = clampNote(name, value, used);
        if (!notes->contains(note))
            notes->append(note);
    }
    return used;
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

OutlineParameters readOutlineParameters(const QDomElement &element, QStringList *notes)
{
    OutlineParameters p;
    p.scanTimes = qMax(1.0, readClamped(element, A::scanTimes, p.scanTimes, notes));
    p.scanPower = readClamped(element, A::scanPower, p.scanPower, notes);
    p.scanSpeed = readClamped(element, A::scanSpeed, p.scanSpeed, notes);
    p.XMotorMovementError = readClamped(element, A::XMotorMovementError, p.XMotorMovementError, notes);
    p.YMotorMovementError = readClamped(element, A::YMotorMovementError, p.YMotorMovementError, notes);
    return p;
}

PaintParameter readPaintParameter(const QDomElement &element, const DefaultParameters &defaults,
                                  QStringList *notes)
{
    PaintParameter p;
    p.scanPower = readClamped(element, A::scanPower, 100, notes);
    p.scanSpeed = readClamped(element, A::scanSpeed, 100, notes);
    for (const DefaultField &field : defaultFields)
        p.*(field.paint) = readClamped(element, field.name, defaults.*(field.fallback), notes);
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
