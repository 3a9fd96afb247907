#include "document/engravingparameters.h"

#include "document/engravingattributenames.h"

const std::array<EngravingParameters::Field, 9> &EngravingParameters::fields()
{
    namespace A = EngravingAttributes;
    static const std::array<Field, 9> all{{
        {A::scanTimes, &EngravingParameters::scanTimes},
        {A::scanBuffer, &EngravingParameters::scanBuffer},
        {A::scanAccuracy, &EngravingParameters::scanAccuracy},
        {A::scanAngle, &EngravingParameters::scanAngle},
        {A::scanError, &EngravingParameters::scanError},
        {A::scanPower, &EngravingParameters::scanPower},
        {A::scanSpeed, &EngravingParameters::scanSpeed},
        {A::XMotorMovementError, &EngravingParameters::XMotorMovementError},
        {A::YMotorMovementError, &EngravingParameters::YMotorMovementError},
    }};
    return all;
}

const EngravingParameters::Field *EngravingParameters::fieldOf(const QString &attribute)
{
    for (const Field &field : fields()) {
        if (field.attribute == attribute)
            return &field;
    }
    return nullptr;
}

QString EngravingParameters::nameOf(const QString &attribute)
{
    return attribute.mid(attribute.indexOf(QLatin1Char(':')) + 1);
}

bool EngravingParameters::operator==(const EngravingParameters &other) const
{
    for (const Field &field : fields()) {
        if (this->*(field.value) != other.*(field.value))
            return false;
    }
    return true;
}
