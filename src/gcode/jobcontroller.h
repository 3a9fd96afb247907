#pragma once

#include "gcode/gcodegenerator.h"

// The job of the design in the window: generates it from the design text
// with the document's default parameter set, and keeps it until it is sent,
// saved or previewed.
class JobController
{
public:
    // "paintPower", "paintSpeed" and the other generator values by name.
    void setPaintProperty(const QStringList &names, const QList<double> &values)
    {
        mGenerator.setPaintProperty(names, values);
    }

    // Replaces the job by the one of `svgText`.
    const QVector<GCodeBuffer> &generate(const QString &svgText, const DefaultParameters &defaults);
    const QVector<GCodeBuffer> &job() const { return mJob; }
    void clearJob();

    // The generator of the last job, for its summary and settings.
    const GCodeGenerator &generator() const { return mGenerator; }

private:
    GCodeGenerator mGenerator;
    QVector<GCodeBuffer> mJob;
};
