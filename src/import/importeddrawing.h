#pragma once

#include "import/importunit.h"

#include <QList>
#include <QPainterPath>
#include <QString>

// A vector drawing read from a file, before it is placed in a design: one
// path per element to add, in the file's own coordinates and orientation.
struct ImportedDrawing
{
    enum class Format { Dxf, Plt };

    Format format = Format::Dxf;
    QList<QPainterPath> paths;
    // Filled areas (DXF hatches), even-odd so that islands stay holes.
    QList<QPainterPath> fills;
    // The unit the file's header names, or the reader's best guess.
    ImportUnit unit = ImportUnit::Millimetre;
    // True when the file names its unit (DXF $INSUNITS), so the guess of an
    // earlier import must not override it.
    bool unitStated = false;
    // Empty when the file was read; the reason for the user otherwise.
    QString error;

    bool ok() const { return error.isEmpty(); }
    // True when there is nothing to draw.
    bool isEmpty() const { return paths.isEmpty() && fills.isEmpty(); }
    // Union of the paths' and fills' bounds, in file units.
    QRectF bounds() const;
};
