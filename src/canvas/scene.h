#pragma once

#include "canvas/tools/doodletool.h"
#include "canvas/tools/selecttool.h"
#include "document/attributerecord.h"
#include "document/defaultparameters.h"

#include <QGraphicsScene>
#include <QMap>
#include <QSizeF>
#include <map>
#include <memory>
#include <optional>

class Node;
class SVGView;

// The canvas: one graphics item per drawable element of the design, the work
// area with its grid, and the operations that measure and summarise items.
class Scene : public QGraphicsScene
{
    Q_OBJECT

public:
    explicit Scene(SVGView *view);
    ~Scene() override;

    // The document's parameter set for new elements.
    const DefaultParameters &defaultParameters() const;
    void setDefaultParameters(const DefaultParameters &parameters);

    // Connects an item's three press signals to the slots of the same names.
    template <typename Item>
    void connectItem(Item *item)
    {
        connect(item, &Item::rightSelected, this, &Scene::rightSelected);
        connect(item, &Item::leftSelected, this, &Scene::leftSelected);
        connect(item, &Item::leftCtlSelected, this, &Scene::leftCtlSelected);
    }

    // Union of the items' bounds, starting from left = top = 100000 and
    // right = bottom = 0; (0, 0, 0, 0) for no items.
    QRectF selectionBounds(const QList<QGraphicsItem *> &items) const;
    // The scene bounding rectangle without the margin of a one-unit pen.
    QRectF itemBounds(const QGraphicsItem *item) const;
    // The selection's bounds, or with nothing selected those of every drawable element.
    QRectF jobBounds() const;
    // The 17 properties the property panel shows; mixed values read "err".
    QMap<QString, QString> propertySummary(const QList<QGraphicsItem *> &items) const;
    // Sets one attribute of a rect, ellipse, path, image or text element,
    // whose item follows; the record undoes it. Nothing for other kinds.
    std::optional<AttributeRecord> applyAttribute(Node *element, const QString &name,
                                                  const QString &value);

    void clearUpSelected();
    // Ends the active tool's gesture and drops every reference into the
    // current document before it is replaced: selection, copy buffer and
    // drawing node.
    void forgetDocument();

    // The tool the mouse and key events go to. Changing it ends the old
    // tool's gesture.
    void setTool(DoodleTool tool);
    DoodleTool tool() const { return mTool; }
    // Codes without a tool object of their own (for now every drawing tool)
    // keep the Select tool's behaviour.
    CanvasTool *activeTool();
    // Gives a code its tool object, replacing an earlier one. False for
    // Select, whose tool the item slots forward to.
    bool installTool(DoodleTool code, std::unique_ptr<CanvasTool> tool);
    // QGraphicsScene's own handling of the event, as if there were no tools:
    // mouse events reach the item under the pointer, keys the focused item.
    void deliver(QGraphicsSceneMouseEvent *event);
    void deliver(QKeyEvent *event);

    QList<QGraphicsItem *> selectedItemList() const { return mSelectedItemList; }
    // Adds to the picking order. The item need not be the one that is
    // selected: a group member is picked while its group is selected.
    void appendSelectedItem(QGraphicsItem *item) { mSelectedItemList.append(item); }
    QList<QGraphicsItem *> copiedItems() const { return mCopiedItems; }
    void setCopiedItems(const QList<QGraphicsItem *> &items, const QRectF &bounds);
    Node *drawingNode() const { return mDrawingNode; }
    void setDrawingNode(Node *node) { mDrawingNode = node; }
    ScenePressState pressState() const { return mSelectTool.pressState(); }
    bool suppressSelectionSignals() const { return mSuppressSelectionSignals; }
    void setSuppressSelectionSignals(bool suppress) { mSuppressSelectionSignals = suppress; }
    // Deselects everything without selection notifications.
    void clearSelectionQuietly();
    QSizeF gridCell() const { return mGridCell; }
    // Set by the design view while the right button pans the canvas; an empty
    // left press then starts no rubber band.
    bool handDragging() const { return mHandDragging; }
    void setHandDragging(bool dragging) { mHandDragging = dragging; }

signals:
    void selectOneNode(QMap<QString, QString> atts, QRectF bound);
    void selectPluralNode(QMap<QString, QString> atts, QRectF bound);
    void selectNoneNode();
    void RequestToChangeToSelect();

public slots:
    void selectNode();
    void rightSelected(QGraphicsItem *item);
    void leftSelected(QGraphicsItem *item);
    void leftCtlSelected(QGraphicsItem *item);
    void resize();
    void addImage(QString fileBase64, qreal width, qreal height);
    void addSvg(QString svgText);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QGraphicsSceneWheelEvent *event) override;
    void drawBackground(QPainter *painter, const QRectF &rect) override;

private:
    QList<QGraphicsItem *> mSelectedItemList;
    SVGView *mView = nullptr;
    Node *mDrawingNode = nullptr;
    bool mSuppressSelectionSignals = false;
    QSizeF mGridSize{3200, 2400};
    QSizeF mGridCell{125, 125};
    QList<QGraphicsItem *> mCopiedItems;
    QRectF mCopiedBounds;
    bool mInSelectNode = false;
    bool mHandDragging = false;
    SelectTool mSelectTool{this};
    std::map<DoodleTool, std::unique_ptr<CanvasTool>> mTools;
    DoodleTool mTool = DoodleTool::Select;
};
