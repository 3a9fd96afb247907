#pragma once

#include "canvas/designitem.h"

#include <QBrush>
#include <QGraphicsTextItem>
#include <QPainterPath>
#include <QPen>

class QTimer;

// The item of text elements: its Qt document holds the plain text, which is
// shown as laid-out glyph outlines rather than as Qt's own text.
class GraphicsTextItem : public DesignItem<GraphicsTextItem, QGraphicsTextItem>
{
    Q_OBJECT

public:
    enum { Type = UserType + 7 };

    explicit GraphicsTextItem(SVGView *view, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

    // Lays the plain text out with the item's font and layout fields.
    void layout();
    // Glyphs laid out elsewhere for `text` (text from other programs, as
    // SVG lays it out), shown in place of this item's own layout from the
    // next layout() while the item holds that text.
    void setGlyphs(const QPainterPath &glyphs, const QString &text);
    // Edits with the cursor at `position` (4 is the end of the default "Text").
    void startEditing(int position = 4);
    void stopEditing();
    // The cursor position a double click at `point` (item coordinates)
    // gives: after the last character that is neither right of nor below it.
    int cursorPositionAt(const QPointF &point) const;
    // The caret's I-beam for the current cursor, in item coordinates.
    QPainterPath caretPath() const;

    QPainterPath outline() const { return mOutline; }
    QList<QPointF> glyphPositions() const { return mGlyphPositions; }
    double lineSpacing() const { return mLineSpacing; }
    void setLineSpacing(double spacing) { mLineSpacing = spacing; }
    double wordSpacing() const { return mWordSpacing; }
    void setWordSpacing(double spacing) { mWordSpacing = spacing; }
    int alignment() const { return mAlignment; }
    void setAlignment(int alignment) { mAlignment = alignment; }
    int direction() const { return mDirection; }
    void setDirection(int direction) { mDirection = direction; }
    bool isEditing() const { return mEditing; }
    QPen pen() const { return mPen; }
    void setPen(const QPen &pen);
    QBrush brush() const { return mBrush; }
    void setBrush(const QBrush &brush);

signals:
    void rightSelected(QGraphicsItem *item);
    void leftSelected(QGraphicsItem *item);
    void leftCtlSelected(QGraphicsItem *item);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    void drawCaret(QPainter *painter);
    // The caret reaches beyond the outline: repaints around both.
    void updateCaretArea();

    QPainterPath mOutline;
    QPainterPath mGlyphs;
    QString mGlyphsText;
    bool mHasGlyphs = false;
    double mLineSpacing = 5;
    double mWordSpacing = 3;
    int mAlignment = 0;
    int mDirection = 1;
    QList<QPointF> mGlyphPositions;
    bool mEditing = false;
    QPen mPen;
    QBrush mBrush;
    // Repaints the caret while editing, so that it blinks without input.
    QTimer *mBlinkTimer = nullptr;
};
