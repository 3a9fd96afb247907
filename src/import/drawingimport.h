#pragma once

#include "import/importeddrawing.h"

#include <QSizeF>
#include <QStringList>
#include <atomic>

class QDomDocument;
class QIODevice;

// Reading DXF and PLT drawings and placing them in a design at their true
// size; shared by the canvas and the command line.
namespace DrawingImport {

// True for the suffixes ".dxf" and ".plt", in any case.
bool isDrawingFile(const QString &path);
// Reads by the file's suffix; `error` says why nothing can be added. A
// reader in another thread gives up soon after `cancel` turns true.
ImportedDrawing read(const QString &path, const std::atomic<bool> *cancel = nullptr);
ImportedDrawing readPlt(QIODevice &device);

// The drawing's width and height in millimetres when read in `unit`.
QSizeF physicalSize(const ImportedDrawing &drawing, ImportUnit unit);

// One "path" element to add: its attribute names and values.
struct PlacedElement
{
    QStringList names;
    QStringList values;
};

// The elements that show the drawing in `unit`: y-up units are mirrored
// about the drawing's horizontal centre line, DXF drawings are centred in
// the work area (design units), plotter files stay where they are.
QList<PlacedElement> place(const ImportedDrawing &drawing, ImportUnit unit, const QSizeF &workArea);

// Appends the elements to the first g of `design`; false when it has none.
bool appendToDesign(QDomDocument &design, const QList<PlacedElement> &elements);

} // namespace DrawingImport
