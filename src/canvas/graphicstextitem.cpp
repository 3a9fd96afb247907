#include "canvas/graphicstextitem.h"

#include "document/textlayout.h"

#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace {

// Paints of editing text items, shared by all of them: the caret shows
// while the count is below a bound that shrinks with the text's length, and
// the count starts again a few paints after it.
int caretPaints = 0;

constexpr int blinkInterval = 16; // milliseconds between caret repaints

double caretBound(int textLength)
{
    return 5000.0 / (textLength + 1);
}

} // namespace

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
    return clippedShape(path);
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
    // While an edit changes the text, the typed text shows in the item's own layout.
    mOutline = mHasGlyphs && toPlainText() == mGlyphsText ? mGlyphs : result.outline;
    mGlyphPositions = result.glyphPositions;
    update();
}

void GraphicsTextItem::setGlyphs(const QPainterPath &glyphs, const QString &text)
{
    mGlyphs = glyphs;
    mGlyphsText = text;
    mHasGlyphs = true;
}

void GraphicsTextItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    ItemSupport::setCosmeticPen(painter, mPen, mBrush);
    painter->drawPath(mOutline);
    if (mEditing)
        drawCaret(painter);
}

QPainterPath GraphicsTextItem::caretPath() const
{
    QPainterPath caret;
    if (mGlyphPositions.isEmpty())
        return caret;
    const int i = textCursor().position();
    const QPointF at = i < mGlyphPositions.size() ? mGlyphPositions.at(i) : mGlyphPositions.last();
    const double ascent = QFontMetricsF(font()).ascent();
    // The character before the cursor, laid out as the layout lays it out,
    // gives the caret its top and height; a short one (a dot, a dash) or
    // none at all gives the ascent.
    const QString text = toPlainText();
    QRectF glyph;
    if (i > 0 && i <= text.size()) {
        const int from = i >= 2 && text.at(i - 1).isLowSurrogate() ? i - 2 : i - 1;
        QPainterPath path;
        path.addText(0, ascent, font(), text.mid(from, i - from));
        glyph = path.boundingRect();
    }
    const double top = glyph.top() + (at.y() - mGlyphPositions.first().y()) - 5;
    const double height = i == 0 || glyph.height() < 0.3 * ascent ? ascent : glyph.height();
    const double x = at.x();
    const double bottom = top + height + 10;
    caret.moveTo(x - 5, top);
    caret.lineTo(x + 5, top);
    caret.moveTo(x, top);
    caret.lineTo(x, bottom);
    caret.moveTo(x - 5, bottom);
    caret.lineTo(x + 5, bottom);
    return caret;
}

void GraphicsTextItem::drawCaret(QPainter *painter)
{
    ++caretPaints;
    const double bound = caretBound(toPlainText().size());
    if (caretPaints < bound) {
        painter->save();
        painter->setPen(QPen(QColor(0xc7, 0x06, 0x40), 5, Qt::SolidLine, Qt::RoundCap));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(caretPath());
        painter->restore();
    }
    if (caretPaints > bound + 10)
        caretPaints = 0;
}

void GraphicsTextItem::startEditing(int position)
{
    setTextInteractionFlags(Qt::TextEditorInteraction);
    setFocus(Qt::OtherFocusReason);
    QTextCursor cursor = textCursor();
    cursor.setPosition(qBound(0, position, document()->characterCount() - 1));
    setTextCursor(cursor);
    mEditing = true;
    // The caret shows at once when editing starts.
    caretPaints = 0;
    if (!mBlinkTimer) {
        mBlinkTimer = new QTimer(this);
        mBlinkTimer->setInterval(blinkInterval);
        connect(mBlinkTimer, &QTimer::timeout, this, &GraphicsTextItem::updateCaretArea);
    }
    mBlinkTimer->start();
    update();
}

void GraphicsTextItem::stopEditing()
{
    setTextInteractionFlags(Qt::NoTextInteraction);
    clearFocus();
    mEditing = false;
    if (mBlinkTimer)
        mBlinkTimer->stop();
    updateCaretArea();
    update();
}

void GraphicsTextItem::updateCaretArea()
{
    if (QGraphicsScene *s = scene())
        s->update(mapRectToScene(boundingRect().united(caretPath().boundingRect()).adjusted(-5, -5, 5, 5)));
}

int GraphicsTextItem::cursorPositionAt(const QPointF &point) const
{
    int last = -1;
    for (int i = 0; i < mGlyphPositions.size(); ++i) {
        const QPointF &p = mGlyphPositions.at(i);
        const bool beyond = mDirection == TextVertical ? (p.y() > point.y() || p.x() > point.x())
                                                       : (p.x() > point.x() || p.y() > point.y());
        if (!beyond)
            last = i;
    }
    return last + 1;
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

void GraphicsTextItem::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event)
{
    startEditing(cursorPositionAt(event->pos()));
}
