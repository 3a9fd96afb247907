#pragma once

#include "import/dxfblockrecord.h"

#include <QPainterPath>

// The outlines of MTEXT entities, in the file's coordinates (y up). The
// formatting codes are read for the font family (a font group "{\fArial|b0|
// ...;text}"), height factors ("\H2x;") and paragraph breaks ("\P"); the
// others are removed.
namespace DxfText {

QPainterPath outline(const DxfBlockRecord::MText &text);

// Glyph outlines of `text` in `family` (the default family when empty) with
// the baseline at y = 0, y up, `height` tall from baseline to cap.
QPainterPath textOutline(const QString &text, const QString &family, double height);

} // namespace DxfText
