#pragma once

#include <QDomElement>
#include <QHash>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QTransform>

#include <functional>

class StyleResolver;

// Viewports as an SVG renderer sets them up: the root's and those of nested
// "svg" elements, and the geometry lengths measured against them ("10%",
// "5vmin"). The canvas and the job both ask here, so a shape stands in the
// same place in both.
namespace ViewportGeometry {

// The four numbers of a "viewBox", or an empty rectangle.
QRectF viewBox(const QDomElement &element);

// The user-space size of the root viewport: its numeric width and height,
// else the size of its viewBox.
QSizeF rootViewport(const QDomElement &root);

// The transform that shows `viewBox` in `viewport` by "preserveAspectRatio".
QTransform viewBoxTransform(const QRectF &viewBox, const QRectF &viewport,
                            const QString &preserveAspectRatio);

// The rectangle a nested svg element shows its content in, in its
// parent's user space: what it clips to.
QRectF nestedViewport(const QDomElement &svg, const QSizeF &outer);

// Whether a nested viewport clips what it holds: unless "overflow" lets it show.
bool clipsToViewport(const QDomElement &svg, const StyleResolver &styles);

// Where a nested svg element inside a viewport of size `outer` puts its
// content: at x, y, its viewBox fitted into its width and height. `inner`
// receives the viewport its content measures against.
QTransform nestedPlacement(const QDomElement &svg, const QSizeF &outer, QSizeF *inner);

// The viewport an element's lengths measure against: the nearest enclosing
// svg element's, the root's at the top.
QSizeF viewportAround(const QDomElement &element);

// A length as CSS reads it in a drawing from another program: a number,
// an absolute unit at 96 user units per inch ("pt" is 1/72 in), or "em"
// and "ex" of `fontSize`. False for anything else ("%", "vw", "44mmx").
bool cssLength(const QString &text, double fontSize, double *value);

// A "font-size" value in user units, given the parent's; keywords and
// percentages as CSS reads them. `parent` when it is no size.
double cssFontSize(const QString &text, double parent);

// The geometry lengths of a rect, image, circle, ellipse or line that are
// not plain numbers, as numbers in the viewport `viewport()` gives (asked
// for only when needed); a negative corner or ellipse radius counts as 0.
// False when a length is in error (the element is then not drawn); other
// kinds always succeed with nothing to resolve. With `fontSize` set (drawings
// from other programs), every length with a unit is resolved as cssLength()
// reads it, "em" and "ex" from fontSize().
bool resolveGeometry(const QDomElement &element, const std::function<QSizeF()> &viewport,
                     QHash<QString, double> *resolved,
                     const std::function<double()> &fontSize = std::function<double()>());

// One geometry length `name` of `element` written as `text`, as the job
// reads it: a plain length, else against the viewport around the element;
// 0 when it is no length.
double geometryLength(const QDomElement &element, const QString &name, const QString &text);

} // namespace ViewportGeometry
