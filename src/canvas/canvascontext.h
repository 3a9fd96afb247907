#pragma once

#include "canvas/commands/grouphost.h"
#include "canvas/tools/doodletool.h"
#include "canvas/tools/scenepressstate.h"
#include "document/attributerecord.h"

#include <QGraphicsScene>
#include <QList>
#include <QMap>
#include <QObject>
#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <memory>
#include <optional>

class DefaultParameters;
class ItemFactory;
class Node;
class QGraphicsSceneMouseEvent;
class QKeyEvent;
class SelectItem;
class SVGDocument;
class SVGView;
class Undo;

// What the tools, the editing commands, the selection frame and the item
// factory need of the canvas and of the design behind it. The scene provides
// it; they hold this interface instead of the scene and its document
// controller, so that neither has to know them.
class CanvasContext : public GroupHost
{
public:
    // The graphics scene itself: items, Qt's selection, the scene rectangle.
    virtual QGraphicsScene *graphicsScene() = 0;

    // The picking order and the selection frame.
    virtual QList<QGraphicsItem *> selectedItemList() const = 0;
    virtual void appendSelectedItem(QGraphicsItem *item) = 0;
    virtual void clearSelectedItemList() = 0;
    virtual void setSelectedItemList(const QList<QGraphicsItem *> &items) = 0;
    // Deselects everything without selection notifications.
    virtual void clearSelectionQuietly() = 0;
    virtual void clearUpSelected() = 0;
    virtual void selectNode() = 0;
    virtual SelectItem *selectFrame() const = 0;
    virtual void removeSelectFrame() = 0;
    virtual bool suppressSelectionSignals() const = 0;
    virtual void setSuppressSelectionSignals(bool suppress) = 0;
    // Drops an item that leaves the scene from the picking order and frame.
    virtual void forgetItem(QGraphicsItem *item) = 0;

    // Measures of items, as the scene counts them.
    virtual QRectF selectionBounds(const QList<QGraphicsItem *> &items) const = 0;
    virtual std::optional<QRectF> drawnBounds(const QGraphicsItem *item) const = 0;
    virtual QRectF itemBounds(const QGraphicsItem *item) const = 0;
    virtual double selectionAngle(const QList<QGraphicsItem *> &items) const = 0;
    virtual QMap<QString, QString> propertySummary(const QList<QGraphicsItem *> &items) const = 0;

    // Tells the panels what is selected: nothing, or the frame's items
    // (`flat`) in `bounds`, one item or several.
    virtual void announceNoSelection() = 0;
    virtual void announceSelection(const QList<QGraphicsItem *> &flat, const QRectF &bounds,
                                   bool plural) = 0;
    // Asks the window to show the Select tool as chosen.
    virtual void requestSelectTool() = 0;

    // The presses the design items report.
    virtual void rightSelected(QGraphicsItem *item) = 0;
    virtual void leftSelected(QGraphicsItem *item) = 0;
    virtual void leftCtlSelected(QGraphicsItem *item) = 0;
    // A handle of the frame was pressed.
    virtual void resize() = 0;

    // Connects an item's three press signals to the reports above.
    template <typename Item>
    void connectItem(Item *item)
    {
        QObject *receiver = graphicsScene();
        QObject::connect(item, &Item::rightSelected, receiver,
                         [this](QGraphicsItem *pressed) { rightSelected(pressed); });
        QObject::connect(item, &Item::leftSelected, receiver,
                         [this](QGraphicsItem *pressed) { leftSelected(pressed); });
        QObject::connect(item, &Item::leftCtlSelected, receiver,
                         [this](QGraphicsItem *pressed) { leftCtlSelected(pressed); });
    }

    // The state of the gesture in progress.
    virtual Node *drawingNode() const = 0;
    virtual void setDrawingNode(Node *node) = 0;
    virtual void setPressState(ScenePressState state) = 0;
    virtual QPointF lastScenePos() const = 0;
    // QGraphicsScene's own handling of the event, as if there were no tools.
    virtual void deliver(QGraphicsSceneMouseEvent *event) = 0;
    virtual void deliver(QKeyEvent *event) = 0;

    // The design: its parameter set, its elements and their undo records.
    virtual const DefaultParameters &defaultParameters() const = 0;
    virtual void setDefaultParameters(const DefaultParameters &parameters) = 0;
    virtual std::optional<AttributeRecord> applyAttribute(Node *element, const QString &name,
                                                          const QString &value) = 0;
    // The document controller, only to hand to new items.
    virtual SVGView *view() const = 0;
    virtual SVGDocument *document() const = 0;
    virtual ItemFactory *itemFactory() const = 0;
    virtual QGraphicsItem *itemOf(const Node *node) const = 0;
    virtual Node *currentLayer() const = 0;
    // The layer new drawings go into, made when the design has none.
    virtual Node *drawingLayer() = 0;
    virtual Node *addNode(const QString &tag, const QStringList &names, const QStringList &values) = 0;
    virtual Node *createNode(const QString &tag, const QStringList &names,
                             const QStringList &values) = 0;
    virtual Node *pasteTextItem(const QString &tag, const QStringList &names,
                                const QStringList &values, Node *parent, const QString &text) = 0;
    virtual void discardNode(Node *node) = 0;
    virtual void pushUndo(std::unique_ptr<Undo> command) = 0;
    virtual QSizeF workArea() const = 0;
    virtual void setDoodleTool(DoodleTool tool) = 0;
    // The design is about to be replaced: the canvas lets go of it.
    virtual void clearDocument() = 0;

protected:
    ~CanvasContext() = default;
};
