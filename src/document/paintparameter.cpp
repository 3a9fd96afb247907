#include "document/paintparameter.h"

#include <QDebug>

bool PaintParameterList::append(const PaintParameter &parameter)
{
    if (mList.contains(parameter))
        return false;
    mList.append(parameter);
    qDebug() << "PaintParameterList" << parameter.scanAngle << parameter.scanBuffer;
    return true;
}
