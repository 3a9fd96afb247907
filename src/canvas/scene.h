#pragma once

#include "canvas/canvascontext.h"
#include "canvas/editoperations.h"
#include "canvas/propertychannel.h"
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

class GraphicsGroupItem;
class Node;
class QFile;
class SelectItem;
class SVGView;

// The canvas: one graphics item per drawable element of the design, the work
// area with its grid, and the operations that measure and summarise items.
class Scene : public QGraphicsScene, public CanvasContext
{
    Q_OBJECT

public:
    explicit Scene(SVGView *view);
    ~Scene() override;

    // The document's parameter set for new elements.
    const DefaultParameters &defaultParameters() const override;
    void setDefaultParameters(const DefaultParameters &parameters) override;

    // Union of the items' bounds, starting from left = top = 100000 and
    // right = bottom = 0; (0, 0, 0, 0) for no items.
    QRectF selectionBounds(const QList<QGraphicsItem *> &items) const override;
    // What one item draws, as selectionBounds counts it (a path's curve,
    // a traced picture's outline); none for a picture without element.
    std::optional<QRectF> drawnBounds(const QGraphicsItem *item) const override;
    // The scene bounding rectangle without the margin of a one-unit pen.
    QRectF itemBounds(const QGraphicsItem *item) const override;
    // The selection's bounds, or with nothing selected those of every drawable element.
    QRectF jobBounds() const;
    // The 17 properties the property panel shows; mixed values read "err".
    QMap<QString, QString> propertySummary(const QList<QGraphicsItem *> &items) const override;
    // Sets one attribute of a rect, ellipse, path, image or text element,
    // whose item follows; the record undoes it. Nothing for other kinds.
    // The document does it; the canvas keeps the name.
    std::optional<AttributeRecord> applyAttribute(Node *element, const QString &name,
                                                  const QString &value) override;

    void clearUpSelected() override;
    // Writes the text typed into the picked text items into their elements;
    // one attribute command holds every changed text. Editing goes on.
    void commitPendingText();
    // Ends a polyline in progress (the Line tool's gesture).
    void finishPolyline();
    // Ends the active tool's gesture and drops every reference into the
    // current document before it is replaced: selection, copy buffer and
    // drawing node.
    void forgetDocument();

    // The tool the mouse and key events go to. Changing it ends the old
    // tool's gesture.
    void setTool(DoodleTool tool);
    DoodleTool tool() const { return mTool; }
    // A code without a tool object of its own keeps the Select tool's behaviour.
    CanvasTool *activeTool();
    // Gives a code its tool object, replacing an earlier one. False for
    // Select, whose tool the item slots forward to.
    bool installTool(DoodleTool code, std::unique_ptr<CanvasTool> tool);
    // QGraphicsScene's own handling of the event, as if there were no tools:
    // mouse events reach the item under the pointer, keys the focused item.
    void deliver(QGraphicsSceneMouseEvent *event) override;
    void deliver(QKeyEvent *event) override;

    QList<QGraphicsItem *> selectedItemList() const override { return mSelectedItemList; }
    // Adds to the picking order. The item need not be the one that is
    // selected: a group member is picked while its group is selected.
    void appendSelectedItem(QGraphicsItem *item) override { mSelectedItemList.append(item); }
    void clearSelectedItemList() override { mSelectedItemList.clear(); }
    void setSelectedItemList(const QList<QGraphicsItem *> &items) override { mSelectedItemList = items; }
    // Drops an item that leaves the scene from the picking order and frame.
    void forgetItem(QGraphicsItem *item) override;
    QList<QGraphicsItem *> copiedItems() const { return mEditOperations.copiedItems(); }
    void setCopiedItems(const QList<QGraphicsItem *> &items, const QRectF &bounds);
    SVGView *view() const override { return mView; }

    // The selection frame while something is selected, else null.
    SelectItem *selectFrame() const override { return mSelectTool.frame(); }
    void removeSelectFrame() override { mSelectTool.removeFrame(); }
    // Refits the frame to its items and sends selectOneNode with their
    // bounds, as after any change of the design.
    void emitSelectionOf(SelectItem *frame);
    // While the right button pans the canvas by hand.
    bool handDragging() const { return mSelectTool.handDragging(); }
    void setHandDragging(bool dragging) { mSelectTool.setHandDragging(dragging); }

    // Writes the move of the element's item into its attributes.
    std::optional<AttributeRecord> commitMove(Node *element);
    // The property panel's changes to the selection, by name.
    void setItemProperty(const QList<QString> &names, const QList<QString> &values);

    // A user group's members point to it (attach) or no longer (release).
    void attachGroup(GraphicsGroupItem *group) override;
    void releaseGroup(GraphicsGroupItem *group) override;
    // A user group leaves the scene (out of the picking order and frame) or
    // comes back; its members stay where they are. A group that is out of
    // the scene can be deleted.
    void takeGroup(GraphicsGroupItem *group) override;
    void putBackGroup(GraphicsGroupItem *group) override;
    void deleteTakenGroup(GraphicsGroupItem *group) override;

    // The editing commands on the selection.
    void copySelection() { mEditOperations.copySelection(); }
    void pasteCopied() { mEditOperations.pasteCopied(); }
    void deleteSelection() { mEditOperations.deleteSelection(); }
    void groupSelection() { mEditOperations.groupSelection(); }
    void ungroupSelection() { mEditOperations.ungroupSelection(); }
    void alignSelection(EditOperations::Side side) { mEditOperations.alignSelection(side); }
    void mirrorSelection(EditOperations::Direction direction) { mEditOperations.mirrorSelection(direction); }
    void nudgeSelection() { mEditOperations.nudgeSelection(); }
    Node *drawingNode() const override { return mDrawingNode; }
    void setDrawingNode(Node *node) override { mDrawingNode = node; }
    ScenePressState pressState() const { return mSelectTool.pressState(); }
    void setPressState(ScenePressState state) override { mSelectTool.setPressState(state); }
    bool suppressSelectionSignals() const override { return mSuppressSelectionSignals; }
    void setSuppressSelectionSignals(bool suppress) override { mSuppressSelectionSignals = suppress; }
    // Deselects everything without selection notifications.
    void clearSelectionQuietly() override;
    QSizeF gridCell() const { return mGridCell; }
    // Where the pointer last moved, whatever the tool: the paste target.
    QPointF lastScenePos() const override { return mLastScenePos; }

    // The rest of the canvas context: the scene itself, the selection
    // notices, and the document controller's operations on the design.
    QGraphicsScene *graphicsScene() override { return this; }
    void announceNoSelection() override;
    void announceSelection(const QList<QGraphicsItem *> &flat, const QRectF &bounds,
                           bool plural) override;
    void requestSelectTool() override;
    SVGDocument *document() const override;
    ItemFactory *itemFactory() const override;
    QGraphicsItem *itemOf(const Node *node) const override;
    Node *currentLayer() const override;
    Node *drawingLayer() override;
    Node *addNode(const QString &tag, const QStringList &names, const QStringList &values) override;
    Node *createNode(const QString &tag, const QStringList &names, const QStringList &values) override;
    Node *pasteTextItem(const QString &tag, const QStringList &names, const QStringList &values,
                        Node *parent, const QString &text) override;
    void discardNode(Node *node) override;
    void pushUndo(std::unique_ptr<Undo> command) override;
    QSizeF workArea() const override;
    void setDoodleTool(DoodleTool tool) override;
    void clearDocument() override;

    // The rotation the items share on the canvas, in degrees (-180 to 180];
    // 0 when they differ or there are none.
    double selectionAngle(const QList<QGraphicsItem *> &items) const override;

signals:
    // Sent just before each selectOneNode or selectPluralNode.
    void selectionAngleChanged(double degrees);
    void selectOneNode(QMap<QString, QString> atts, QRectF bound);
    void selectPluralNode(QMap<QString, QString> atts, QRectF bound);
    void selectNoneNode();
    void RequestToChangeToSelect();

public slots:
    void selectNode() override;
    void rightSelected(QGraphicsItem *item) override;
    void leftSelected(QGraphicsItem *item) override;
    void leftCtlSelected(QGraphicsItem *item) override;
    void resize() override;
    void addImage(QString fileBase64, qreal width, qreal height);
    void addSvg(QString svgText);
    // Drawings in their detected unit, one path element each; false when
    // the file cannot be read (the reason goes to standard error or the log).
    bool addDxf(QString dxfFile);
    bool addPlt(QFile &file);
    // The selected image's outline as a path element (ImageTracer).
    void traceSelectedImage();

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QGraphicsSceneContextMenuEvent *event) override;
    void wheelEvent(QGraphicsSceneWheelEvent *event) override;
    void drawBackground(QPainter *painter, const QRectF &rect) override;

private:
    QList<QGraphicsItem *> mSelectedItemList;
    SVGView *mView = nullptr;
    Node *mDrawingNode = nullptr;
    bool mSuppressSelectionSignals = false;
    QSizeF mGridSize{3200, 2400};
    QSizeF mGridCell{125, 125};
    SelectTool mSelectTool{this};
    EditOperations mEditOperations{this};
    PropertyChannel mPropertyChannel{this};
    std::map<DoodleTool, std::unique_ptr<CanvasTool>> mTools;
    DoodleTool mTool = DoodleTool::Select;
    QPointF mLastScenePos;
};
