#pragma once

#include "document/styleresolver.h"

#include <QDomDocument>
#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <QTransform>

// Brings the working copy of a job to the elements an SVG renderer draws, in
// forms both the outline walk and the raster renderer read alike: "use"
// instances become groups holding a copy of what they show, nested "svg"
// viewports become groups with their viewport transform, lengths relative to
// a viewport become numbers, and elements an SVG renderer would not draw
// (display:none, lengths in error) leave the copy.
namespace RenderTree {

// Nested "use" references deeper than this are not followed.
constexpr int maxUseDepth = 32;
// Elements all "use" instances of one job may copy together.
constexpr qint64 maxUseElements = 500000;

// Expands every "use" in place; what cannot be expanded (a missing target,
// a cycle, too deep, too many) is removed and noted once per kind.
void expandUses(QDomDocument &document, QStringList *notes);

// Nested svg viewports, percentages and viewport units, lengths in error
// and negative radii, as described above.
void resolveViewports(QDomDocument &document, QStringList *notes);

// Removes every element whose own "display" is "none", and the symbols,
// clip paths, masks, markers and patterns (their content is drawn only
// through what refers to it), each with its content.
void removeHidden(QDomDocument &document, const StyleResolver &styles);

// The user-space size of the root viewport: its numeric width and height,
// else the size of its viewBox.
QSizeF rootViewport(const QDomElement &root);

// The transform that shows `viewBox` in `viewport` by "preserveAspectRatio".
QTransform viewBoxTransform(const QRectF &viewBox, const QRectF &viewport,
                            const QString &preserveAspectRatio);

// A drawing from another program whose root gives a physical size
// (SvgFile::physicalSize) is scaled so it engraves at that size: its content
// goes into a group mapping its user space onto the size in design units,
// which become the root's width and height. False, and nothing changed, for
// any other design.
bool scaleToTrueSize(QDomDocument &document);

// The four numbers of a "viewBox", or an empty rectangle.
QRectF viewBox(const QDomElement &element);

} // namespace RenderTree
