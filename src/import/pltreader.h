#pragma once

#include <QList>
#include <QPainterPath>

class QIODevice;

// Reads HPGL plotter files: each pen selection ("SP") starts a path, "PU"
// moves and "PD" draws straight lines through every coordinate pair given.
// Commands end at ";", any number to a line; other commands are ignored.
// Coordinates are taken as they are (design units, y down).
class PltReader
{
public:
    // Reads the device to its end; returns the number of pen selections.
    int read(QIODevice &device);
    // The paths of the last read, one per pen selection (a drawing before
    // the first selection gets a path of its own); some may be empty.
    const QList<QPainterPath> &paths() const { return mPaths; }

private:
    void runCommand(const QString &command);
    QPainterPath &currentPath();

    QList<QPainterPath> mPaths;
    int mSelections = 0;
};
