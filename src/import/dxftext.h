#pragma once

#include "import/dxfsource.h"

#include <QPainterPath>

// The outlines of DXF texts (TEXT, ATTRIB and MTEXT), in the file's
// coordinates (y up). MTEXT formatting codes are read for fonts, heights,
// widths, slant, stacked fractions, Unicode escapes, paragraphs and column
// breaks; the others are dropped.
namespace DxfText {

// The family to draw a text style with: `wanted` when it is installed
// (in any case), else the default family.
QString installedFamily(const QString &wanted);

// TEXT or ATTRIB (invisible attributes draw nothing), in `family`.
QPainterPath text(const DxfRawEntity &entity, const QString &family);
// MTEXT in `family` unless its codes name another font.
QPainterPath mtext(const DxfRawEntity &entity, const QString &family);

// What an MTEXT string shows: codes resolved, lines joined by "\n".
QString plainMText(const QString &source);

// Glyph outlines of `text` in `family` with the baseline at y = 0, y up,
// `height` tall from baseline to cap; `advance` receives its width.
QPainterPath textOutline(const QString &text, const QString &family, double height,
                         double *advance = nullptr);

// DXF text bytes: UTF-8, or GBK as Chinese CAD programs write.
QString decode(const QByteArray &bytes);

} // namespace DxfText
