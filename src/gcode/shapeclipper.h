#pragma once

#include "document/styleresolver.h"

#include <QDomDocument>
#include <QDomElement>
#include <QHash>
#include <QPainterPath>
#include <QStringList>
#include <QTransform>

// Clip paths and dashes in the working copy of a job, applied to the
// geometry itself so that the outline walk and the raster renderer (which
// knows neither) engrave the same thing: a clipped shape becomes a path of
// what lies inside its clip (the area of a fill, the pieces of an outline),
// a clipped picture keeps only its pixels inside, and a dashed outline
// becomes its dashes.
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

private:
    struct Walk;
    QPainterPath clipRegion(const QDomElement &clip, const QDomElement &target, const QTransform &ctm,
                            const StyleResolver &styles, int depth) const;

    QHash<QString, QDomElement> mClips;
};
