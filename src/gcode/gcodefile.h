#pragma once

#include "gcode/gcodebuffer.h"
#include "gcode/gcodesink.h"

#include <QString>
#include <QVector>

// Writes a job as a ".gc" file: every record's line in order, nothing before
// or after. The text is streamed in blocks, and the file is replaced only once
// everything is written, so a failed save leaves any earlier file intact.
// False, with a reason in `errorString`, when the file cannot be written.
bool writeGCodeFile(const QString &path, const QVector<GCodeBuffer> &job,
                    QString *errorString = nullptr);
// The same for a job read in passing from a sink (a job file).
bool writeGCodeFile(const QString &path, const GCodeSink &job, QString *errorString = nullptr);
