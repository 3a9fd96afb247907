#pragma once

#include "gcode/gcodebuffer.h"

#include <QFile>
#include <QList>
#include <QString>

// Reads a ".gc" job written by Plimb, one line at a time. Every line must come
// out of its record exactly as it is in the file, so what reaches the
// engraver is the file byte for byte; anything else is refused with the line
// number: a line longer than InputLimits::maxJobLineLength (never read
// whole), binary data, or text that is not Plimb's G-code. Files of any size
// are read; nothing is counted in 32 bits.
class JobFileReader
{
public:
    explicit JobFileReader(const QString &path);

    // False, with error() set, when the path is not a readable regular file.
    bool open();
    // Off: any text line is taken (G-code of other programs), only long
    // lines and binary data are refused, and next() leaves `record` alone.
    void setPlimbOnly(bool plimbOnly) { mPlimbOnly = plimbOnly; }
    // The next record and its line (without the line end); false at the end
    // of the file or on a bad line (then error() is set).
    bool next(GCodeBuffer *record, QByteArray *line = nullptr);
    QString error() const { return mError; }
    qint64 lineNumber() const { return mNumber; }

private:
    bool fail(const QString &why);

    QString mPath;
    QFile mFile;
    QString mError;
    qint64 mNumber = 0;
    bool mAbsolute = true;
    bool mPlimbOnly = true;
    QByteArray mLine;
    QByteArray mWritten;
};

// The whole job into `records`; false with the reader's error.
bool readJobFile(const QString &path, QList<GCodeBuffer> *records, QString *error);
