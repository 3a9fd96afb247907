#include "document/paintparameter.h"

#include <QDebug>

bool PaintParameter::operator==(const PaintParameter &other) const
{
    return scanTimes == other.scanTimes && scanBuffer == other.scanBuffer
            && scanAccuracy == other.scanAccuracy && scanAngle == other.scanAngle
            && scanError == other.scanError && scanPower == other.scanPower
            && scanSpeed == other.scanSpeed
            && XMotorMovementError == other.XMotorMovementError
            && YMotorMovementError == other.YMotorMovementError;
}

bool PaintParameterList::append(const PaintParameter &parameter)
{
    if (mList.contains(parameter))
        return false;
    mList.append(parameter);
    qDebug() << "PaintParameterList" << parameter.scanAngle << parameter.scanBuffer;
    return true;
}
