#pragma once

#include "gcode/gcodebuffer.h"

#include <QByteArray>
#include <QList>

// The text of whole records cut from the front of a job for part transfer.
struct JobPart
{
    QByteArray text;    // Latin-1, one line per record
    int records = 0;

    // A part ends with the record that brings its text to this size or more.
    static constexpr int minimumSize = 153600;

    // Removes the records it takes from `pending`; an empty part when nothing
    // is pending.
    static JobPart take(QList<GCodeBuffer> &pending, int minimum = minimumSize);
    // The same from `job` at `*next`, which moves past the records taken.
    static JobPart take(const QList<GCodeBuffer> &job, int *next, int minimum = minimumSize);
};
