#pragma once

#include "import/importeddrawing.h"

#include <QString>

class QWidget;
class CanvasContext;

// Brings DXF and PLT drawings into the canvas's design, one path element per
// drawing path, each added through CanvasContext::addNode.
namespace DrawingPlacer {

// Adds the drawing read in `unit`; false when the design has no layer.
bool addDrawing(CanvasContext *canvas, const ImportedDrawing &drawing, ImportUnit unit);

// Files this large are read in another thread behind a progress dialog.
constexpr qint64 backgroundSize = 2 * 1024 * 1024;

// Reads the file; from `backgroundFrom` bytes on in another thread while a
// progress dialog with Cancel keeps the window alive. `cancelled` turns
// true when the user gave up.
ImportedDrawing readDrawing(const QString &path, QWidget *parent, bool *cancelled,
                            qint64 backgroundFrom = backgroundSize);

// Open and drops: reads the file, asks for its unit, adds it. Returns the
// message for a warning box, or an empty string when the drawing was added
// or the user cancelled.
QString importDrawing(CanvasContext *canvas, const QString &path, QWidget *parent);

} // namespace DrawingPlacer
