#pragma once

#include "document/defaultparameters.h"

#include <QString>

class JobController;
class QWidget;

// Generates a job in the controller's worker thread while a modal progress
// dialog with Cancel keeps the window painting and answering.
class JobGenerationDialog
{
public:
    // True with the controller holding the job once generated; false when
    // the user cancelled (the job is then empty: nothing to save or send).
    static bool run(JobController &jobs, const QString &svgText, const DefaultParameters &defaults,
                    QWidget *parent);
};
