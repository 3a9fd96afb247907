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

// Power and speed have no default set of the user's: they take the
// parameters' own defaults.
bool inDefaultSet(const EngravingParameters::Field &field)
{
    return field.value != &EngravingParameters::scanPower && field.value != &EngravingParameters::scanSpeed;
}

} // namespace

QStringList numericEngravingAttributes()
{
    QStringList names;
    for (const EngravingParameters::Field &field : EngravingParameters::fields())
        names << field.attribute;
    return names;
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
    p.XMotorMovementError = readClamped(element, A::XMotorMovementError, outlineBacklashFallback, notes);
    p.YMotorMovementError = readClamped(element, A::YMotorMovementError, outlineBacklashFallback, notes);
    return p;
}

PaintParameter readPaintParameter(const QDomElement &element, const DefaultParameters &defaults,
                                  QStringList *notes)
{
    PaintParameter p;
    // Power and speed first: their notes come before the others'.
    p.scanPower = readClamped(element, A::scanPower, p.scanPower, notes);
    p.scanSpeed = readClamped(element, A::scanSpeed, p.scanSpeed, notes);
    for (const EngravingParameters::Field &field : EngravingParameters::fields()) {
        if (inDefaultSet(field))
            p.*(field.value) = readClamped(element, field.attribute, defaults.*(field.value), notes);
    }
    return p;
}

PaintParameter completeElementParameters(QDomElement element, const DefaultParameters &defaults)
{
    PaintParameter p;
    for (const EngravingParameters::Field &field : EngravingParameters::fields()) {
        const bool defaultSet = inDefaultSet(field);
        bool found = false;
        const double fallback = defaultSet ? defaults.*(field.value) : p.*(field.value);
        p.*(field.value) = readOr(element, field.attribute, fallback, &found);
        if (defaultSet && !found && !element.isNull())
            element.setAttribute(field.attribute, formatParameter(fallback));
    }
    return p;
}
