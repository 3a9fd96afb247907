#pragma once

#include "import/importeddrawing.h"

class QByteArray;

// Reads a DXF drawing with dxflib: one path for each block that is inserted,
// drawn at every insertion, then one for the ENTITIES section's own
// entities, in the file's coordinates (y up). The unit comes from the
// header's $INSUNITS.
namespace DxfReader {

// Any path the platform can name, whatever its code page.
ImportedDrawing read(const QString &path);
ImportedDrawing readData(const QByteArray &data);

} // namespace DxfReader
