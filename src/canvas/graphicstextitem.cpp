#include "canvas/graphicstextitem.h"

#include "document/textlayout.h"

#include <QTextCursor>
#include <QTextDocument>

GraphicsTextItem::GraphicsTextItem(SVGView *view, QGraphicsItem *parent)
    : DesignItem(view, parent)
    , mPen(Qt::NoPen)
    , mBrush(Qt::black)
{
}

QRectF GraphicsTextItem::boundingRect() const
{
    return mOutline.boundingRect();
}

QPainterPath GraphicsTextItem::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void GraphicsTextItem::setPen(const QPen &pen)
{
    mPen = pen;
    update();
}

void GraphicsTextItem::setBrush(const QBrush &brush)
{
    mBrush = brush;
    update();
}

void GraphicsTextItem::layout()
{
    prepareGeometryChange();
    const TextLayout result = layoutText(toPlainText(), font(), mLineSpacing, mWordSpacing,
                                         mAlignment, mDirection);
    mOutline = result.outline;
    mGlyphPositions = result.glyphPositions;
    update();
}

void GraphicsTextItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    ItemSupport::setCosmeticPen(painter, mPen, mBrush);
    painter->drawPath(mOutline);
}

void GraphicsTextItem::startEditing()
{
    setTextInteractionFlags(Qt::TextEditorInteraction);
    setFocus(Qt::OtherFocusReason);
    QTextCursor cursor = textCursor();
    cursor.setPosition(qMin(4, document()->characterCount() - 1));
    setTextCursor(cursor);
    mEditing = true;
    update();
}

void GraphicsTextItem::stopEditing()
{
    setTextInteractionFlags(Qt::NoTextInteraction);
    clearFocus();
    mEditing = false;
    update();
}

void GraphicsTextItem::keyPressEvent(QKeyEvent *event)
{
    QGraphicsTextItem::keyPressEvent(event);
    layout();
}

void GraphicsTextItem::inputMethodEvent(QInputMethodEvent *event)
{
    QGraphicsTextItem::inputMethodEvent(event);
    layout();
}

void GraphicsTextItem::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *)
{
    startEditing();
}
