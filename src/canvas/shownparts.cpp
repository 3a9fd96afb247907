#include "canvas/shownparts.h"

#include "document/svgpaint.h"
#include "gcode/useinstance.h"

#include <QPainter>

namespace {

// A paint value as the canvas draws it: a plain colour, else `otherwise`
// (a gradient or pattern reference is shown in it, "none" is no paint).
QBrush paintBrush(const QString &value, bool set, const QBrush &otherwise)
{
    if (!set || value == QLatin1String("none"))
        return otherwise;
    bool isColor = false;
    const QBrush brush = SvgGrammar::parseColor(value, &isColor);
    return isColor ? brush : otherwise;
}

// The brush and pen of a shape as the job engraves it: a fill shows
// filled, in its stroke where it has one; an outline shows as its cut line,
// black where it has no stroke colour of its own.
void paintFor(const UseInstance::Piece &piece, QBrush *brush, QPen *pen)
{
    const StyleResolver::Paint &paint = piece.paint;
    const bool stroked = paint.strokeSet && paint.stroke != QLatin1String("none");
    if (piece.mode == EngraveMode::Fill) {
        *brush = paintBrush(paint.fill, paint.fillSet, QBrush(Qt::black));
        *pen = stroked ? QPen(paintBrush(paint.stroke, true, QBrush(Qt::black)), 0) : QPen(Qt::NoPen);
    } else {
        *brush = Qt::NoBrush;
        *pen = QPen(stroked ? paintBrush(paint.stroke, true, QBrush(Qt::black)) : QBrush(Qt::black), 0);
    }
}

bool samePaintOf(const UseInstance::Piece &piece, const UseInstance::Piece *other)
{
    const StyleResolver::Paint &a = piece.paint;
    const StyleResolver::Paint &b = other->paint;
    return piece.mode == other->mode && a.fillSet == b.fillSet && a.strokeSet == b.strokeSet
            && a.fill == b.fill && a.stroke == b.stroke;
}

bool samePaint(const ShownParts::Part &a, const QBrush &brush, const QPen &pen)
{
    return a.picture.isNull() && a.brush == brush && a.pen == pen;
}

} // namespace

void ShownParts::build(const UseInstance &instance, const PictureLoader &loadPicture)
{
    mParts.clear();
    mParts.reserve(instance.pieces().size());
    QBrush brush;
    QPen pen;
    const UseInstance::Piece *lastPiece = nullptr;
    for (const UseInstance::Piece &piece : instance.pieces()) {
        // What the job leaves out is not drawn either.
        if (piece.mode == EngraveMode::None && !piece.isPicture)
            continue;
        if (piece.isPicture) {
            if (piece.mode == EngraveMode::Outline || !loadPicture)
                continue;
            const QSize shown(int(qAbs(piece.box.width())), int(qAbs(piece.box.height())));
            Part part;
            part.picture = loadPicture(piece.href, shown);
            if (part.picture.isNull())
                continue;
            part.box = piece.box;
            part.transform = piece.transform;
            mParts.push_back(std::move(part));
            continue;
        }
        // Shapes of a copy mostly share one paint: its brush and pen are made
        // once and shared, not allocated again for every shape.
        if (!lastPiece || !samePaintOf(piece, lastPiece)) {
            paintFor(piece, &brush, &pen);
            lastPiece = &piece;
        }
        // Outlines in one pen in a row are one path: nothing fills, so
        // joining them changes nothing drawn and saves a draw call each.
        if (brush.style() == Qt::NoBrush && !mParts.empty() && samePaint(mParts.back(), brush, pen)) {
            mParts.back().path.addPath(piece.path);
            continue;
        }
        Part part;
        part.path = piece.path;
        part.brush = brush;
        part.pen = pen;
        mParts.push_back(std::move(part));
    }
}

QRectF ShownParts::bounds() const
{
    QRectF united;
    for (const Part &part : mParts)
        united |= part.picture.isNull() ? part.path.boundingRect() : part.transform.mapRect(part.box);
    return united;
}

void ShownParts::paint(QPainter *painter) const
{
    for (const Part &part : mParts) {
        if (!part.picture.isNull()) {
            painter->save();
            painter->setTransform(part.transform, true);
            painter->drawImage(part.box, part.picture, QRectF(part.picture.rect()));
            painter->restore();
            continue;
        }
        painter->setPen(part.pen);
        painter->setBrush(part.brush);
        painter->drawPath(part.path);
    }
}
