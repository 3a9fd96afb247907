#pragma once

#include "import/dxfsource.h"

#include <QPainterPath>

// The area of a DXF HATCH, solid or patterned, in the file's coordinates
// (y up): one closed subpath per boundary path, to be filled even-odd so
// that islands stay holes.
namespace DxfHatch {

QPainterPath area(const DxfRawEntity &entity);

} // namespace DxfHatch
