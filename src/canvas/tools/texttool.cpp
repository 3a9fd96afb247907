#include "canvas/tools/texttool.h"

#include "canvas/graphicstextitem.h"
#include "canvas/canvascontext.h"
#include "document/documenttemplate.h"
#include "document/engravingattributes.h"
#include "document/node.h"

#include <QDebug>
#include <QGraphicsSceneMouseEvent>
#include <QTextCursor>

void TextTool::mousePress(QGraphicsSceneMouseEvent *event)
{
    // The view needs to know the canvas took the press.
    event->accept();
    QPointF p;
    if (event->button() != Qt::LeftButton || !layerPoint(event, &p))
        return;
    startElement(QStringLiteral("text"),
                 {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("style"),
                  QStringLiteral("rotate")},
                 {shortNumber(p.x()), shortNumber(p.y()), ElementStyles::text, QStringLiteral("0")});
}

void TextTool::mouseRelease(QGraphicsSceneMouseEvent *)
{
    Node *node = drawingNode(NodeType::Text);
    if (!node)
        return;
    scene()->setDrawingNode(nullptr);
    auto *item = static_cast<GraphicsTextItem *>(itemOf(node));
    const QPointF position = item->pos();
    node->applyAttribute(QStringLiteral("x"), formatFixed(position.x()));
    node->applyAttribute(QStringLiteral("y"), formatFixed(position.y()));
    node->setAttribute(QStringLiteral("style"), ElementStyles::text);
    completed(node);
    scene()->setPressState(PressedOnEmpty);
    item->setSelected(true);
    item->startEditing();
    // The placeholder is selected, so the first key typed replaces it.
    QTextCursor cursor = item->textCursor();
    cursor.select(QTextCursor::Document);
    item->setTextCursor(cursor);
    qDebug() << "1111111    mSelectedItemList" << scene()->selectedItemList().size();
    scene()->appendSelectedItem(item);
    qDebug() << "2222222    mSelectedItemList" << scene()->selectedItemList().size();
    scene()->setDoodleTool(DoodleTool::Select);
    scene()->requestSelectTool();
}

void TextTool::finish()
{
    // A text pressed but not yet released stays as placed, with its default text.
    if (drawingNode(NodeType::Text))
        scene()->setDrawingNode(nullptr);
}
