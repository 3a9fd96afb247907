#pragma once

#include "document/styleresolver.h"

#include <QDomDocument>
#include <QDomElement>
#include <QHash>
#include <QPainterPath>
#include <QStringList>
#include <QTransform>

#include <functional>

// Clip paths, masks and dashes in the working copy of a job, applied to the
// geometry itself so that the outline walk and the raster renderer (which
// knows neither) engrave the same thing: a clipped shape becomes a path of
// what lies inside its clip (the area of a fill, the pieces of an outline),
// a clipped picture keeps only its pixels inside, and a dashed outline
// becomes its dashes. A mask counts as the clip of the area it lets show:
// everywhere its content is not black (luminance) or not transparent
// ("mask-type: alpha"); partly shown areas are engraved whole.
class ShapeClipper
{
public:
    // Indexes the clip paths of the document; take it before the clip paths
    // leave the working copy.
    explicit ShapeClipper(const QDomDocument &document);

    void apply(QDomDocument &document, const StyleResolver &styles, QStringList *notes) const;

    // The pieces of the polylines of `path` that lie inside `region`.
    static QPainterPath clipLines(const QPainterPath &path, const QPainterPath &region);
    // The polylines of `path` cut into dashes by the pattern (lengths along
    // the path, alternately on and off) starting `offset` into it.
    static QPainterPath dashLines(const QPainterPath &path, const QVector<double> &pattern, double offset);

    using Lookup = std::function<QDomElement(const QString &id)>;
    // The area the element's own "clip-path" and "mask" let show, in its
    // user space (its "transform" applied); false when it names neither,
    // or only what `lookup` does not find. The canvas shows items through it.
    static bool ownRegion(const QDomElement &element, const StyleResolver &styles, const Lookup &lookup,
                          QPainterPath *region);

    // A "stroke-dasharray" value as lengths, doubled to an even count; empty
    // for "none", a negative or unreadable length or an all-zero pattern.
    static QVector<double> dashPattern(const QString &text, double fontSize = 16);

private:
    static QPainterPath clipRegion(const QDomElement &clip, const QDomElement &target, const QTransform &ctm,
                                   const StyleResolver &styles, const Lookup &lookup, int depth);
    static QPainterPath maskRegion(const QDomElement &mask, const QDomElement &target, const QTransform &ctm,
                                   const StyleResolver &styles);
    // The element's clip and mask regions under `ctm`, intersected.
    static bool regionOf(const QDomElement &element, const QTransform &ctm, const StyleResolver &styles,
                         const Lookup &lookup, QPainterPath *region);

    // Clip paths and masks by id.
    QHash<QString, QDomElement> mClips;
};
