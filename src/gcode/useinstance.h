#pragma once

#include "document/styleresolver.h"

#include <QDomElement>
#include <QPainterPath>
#include <QRectF>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <functional>
#include <vector>

// What one "use" element shows, worked out the way the job expands it
// (RenderTree), for the canvas: the outline of every shape of its copy in
// the use's own coordinates (x and y applied, its "transform" not: the
// canvas item carries that), each shape and picture of it with the paint it
// is engraved with, and the targets it copied, so a change to one of them
// redraws the instance.
class UseInstance
{
public:
    // `lookup` finds an element of the design by id; `styles` are the design's.
    UseInstance(const QDomElement &use, const StyleResolver &styles,
                const std::function<QDomElement(const QString &id)> &lookup);

    // One shape or picture of the copy, in document order.
    struct Piece
    {
        // A shape's outline in the use's coordinates; empty for a picture.
        QPainterPath path;
        // How the job engraves it: a picture whose mode is Outline leaves the job.
        EngraveMode mode = EngraveMode::None;
        // The fill and stroke it resolves to, inherited through the copy.
        StyleResolver::Paint paint;
        // A picture: its reference as written, its box in its own
        // coordinates and what maps them to the use's.
        bool isPicture = false;
        QString href;
        QRectF box;
        QTransform transform;
    };

    const QPainterPath &outline() const { return mOutline; }
    const std::vector<Piece> &pieces() const { return mPieces; }
    // True when some shape of the copy is engraved as a fill.
    bool isFilled() const { return mFilled; }
    // Ids of the elements the copy was made from, nested targets included.
    const QSet<QString> &originals() const { return mOriginals; }
    // Why part of it is not shown (a cycle, a missing target, too deep).
    const QStringList &notes() const { return mNotes; }

private:
    void collect(const QDomElement &root, const StyleResolver &styles, const StyleResolver::Paint &inherited);

    QPainterPath mOutline;
    std::vector<Piece> mPieces;
    bool mFilled = false;
    QSet<QString> mOriginals;
    QStringList mNotes;
};
