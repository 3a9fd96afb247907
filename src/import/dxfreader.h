#pragma once

#include "import/importeddrawing.h"

#include <atomic>

class QByteArray;

// Reads a DXF drawing with dxflib: one path for each block that is inserted,
// drawn at every insertion, then one for the ENTITIES section's own
// entities, in the file's coordinates (y up). The unit comes from the
// header's $INSUNITS.
namespace DxfReader {

// Any path the platform can name, whatever its code page.
// Conversion stops soon after `cancel` turns true.
ImportedDrawing read(const QString &path, const std::atomic<bool> *cancel = nullptr);
ImportedDrawing readData(const QByteArray &data, const std::atomic<bool> *cancel = nullptr);

} // namespace DxfReader
