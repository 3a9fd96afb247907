#include "gcode/jobcontroller.h"

#include <QDebug>

const QVector<GCodeBuffer> &JobController::generate(const QString &svgText,
                                                   const DefaultParameters &defaults)
{
    mGenerator.setDefaultParameters(defaults);
    mJob = mGenerator.generate(svgText);
    qDebug() << "mGcode" << mJob.size();
    return mJob;
}

void JobController::clearJob()
{
    mJob.clear();
    mGenerator.clearJob();
}
