#pragma once

#include "gcode/gcodebuffer.h"

#include <QList>
#include <QString>

// Reads a ".gc" job written by Plimb back into its records. Every line must
// come out of its record exactly as it is in the file, so what reaches the
// engraver is the file byte for byte; anything else is refused with the line
// number in `error`.
bool readJobFile(const QString &path, QList<GCodeBuffer> *records, QString *error);
