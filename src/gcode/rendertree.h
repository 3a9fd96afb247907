#pragma once

#include "document/inputlimits.h"
#include "document/styleresolver.h"
#include "document/viewportgeometry.h"

#include <QDomDocument>
#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <QSet>
#include <QTransform>

#include <functional>

// Brings the working copy of a job to the elements an SVG renderer draws, in
// forms both the outline walk and the raster renderer read alike: "use"
// instances become groups holding a copy of what they show, nested "svg"
// viewports become groups with their viewport transform, lengths relative to
// a viewport become numbers, and elements an SVG renderer would not draw
// (display:none, lengths in error) leave the copy.
namespace RenderTree {

// Nested "use" references deeper than this are not followed.
constexpr int maxUseDepth = 32;
// Elements and path segments all "use" instances of one job may copy together.
constexpr qint64 maxUseElements = InputLimits::maxUseElements;
constexpr qint64 maxUseSegments = InputLimits::maxUseSegments;

// Expands every "use" in place; what cannot be expanded (a missing target,
// a cycle, too deep, too many) is removed and noted once per kind.
void expandUses(QDomDocument &document, QStringList *notes);

// Where the expansion finds what a "use" shows, for a document that holds
// only part of a design (the canvas expands one instance at a time).
struct UseTargets
{
    // The element with this id in the design as written, or a null element.
    std::function<QDomElement(const QString &id)> lookup;
    // Ids of the elements around the document's content in the design: a
    // use of one of them shows itself.
    QSet<QString> enclosingIds;
    // Receives the ids of the targets copied, when set.
    QSet<QString> *copied = nullptr;
};
void expandUses(QDomDocument &document, const UseTargets &targets, QStringList *notes);

// Nested svg viewports, percentages and viewport units, lengths in error
// and negative radii, as described above.
void resolveViewports(QDomDocument &document, QStringList *notes);

// Removes every element whose own "display" is "none", and the symbols,
// clip paths, masks, markers and patterns (their content is drawn only
// through what refers to it), each with its content.
// Also keeps only the first child of a "switch" whose conditions
// (systemLanguage against the locale, requiredFeatures, requiredExtensions)
// hold, and removes elements whose conditions fail.
void removeHidden(QDomDocument &document, const StyleResolver &styles);

// A root that is not displayed, fails its conditions or has no area draws
// nothing at all.
bool rendersNothing(const QDomDocument &document, const StyleResolver &styles);

// In a drawing from another program, writes the presentation properties the
// cascade gives each element (style sheet rules, "!important") into its
// "style", where the raster renderer, which knows neither, reads them too.
void applyCascade(QDomDocument &document, const StyleResolver &styles);

using ViewportGeometry::rootViewport;
using ViewportGeometry::viewBox;
using ViewportGeometry::viewBoxTransform;

// A drawing from another program whose root gives a physical size
// (SvgFile::physicalSize) is scaled so it engraves at that size: its content
// goes into a group mapping its user space onto the size in design units,
// which become the root's width and height. False, and nothing changed, for
// any other design.
bool scaleToTrueSize(QDomDocument &document);

} // namespace RenderTree
