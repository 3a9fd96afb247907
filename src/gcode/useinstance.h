#pragma once

#include "document/styleresolver.h"

#include <QDomElement>
#include <QPainterPath>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// What one "use" element shows, worked out the way the job expands it
// (RenderTree), for the canvas: the outline of every shape of its copy in
// the use's own coordinates (x and y applied, its "transform" not: the
// canvas item carries that), and the targets it copied, so a change to one
// of them redraws the instance.
class UseInstance
{
public:
    // `lookup` finds an element of the design by id; `styles` are the design's.
    UseInstance(const QDomElement &use, const StyleResolver &styles,
                const std::function<QDomElement(const QString &id)> &lookup);

    const QPainterPath &outline() const { return mOutline; }
    // True when some shape of the copy is engraved as a fill.
    bool isFilled() const { return mFilled; }
    // Ids of the elements the copy was made from, nested targets included.
    const QSet<QString> &originals() const { return mOriginals; }
    // Why part of it is not shown (a cycle, a missing target, too deep).
    const QStringList &notes() const { return mNotes; }

private:
    void collect(const QDomElement &root, const StyleResolver &styles, const StyleResolver::Paint &inherited);

    QPainterPath mOutline;
    bool mFilled = false;
    QSet<QString> mOriginals;
    QStringList mNotes;
};
