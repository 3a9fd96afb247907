#pragma once

#include "document/paintparameter.h"

#include <QBrush>
#include <QDomElement>
#include <QHash>
#include <QMap>
#include <QPen>
#include <QString>
#include <QStringList>
#include <QTransform>

class QGraphicsItem;
class SVGView;

// Codes of the element kinds; stored in every element object.
enum class NodeType {
    Other = 0,
    Svg = 1,
    G = 2,
    Rect = 3,
    Circle = 4,
    Ellipse = 5,
    Line = 6,
    Polyline = 7,
    Polygon = 8,
    Path = 9,
    Text = 10,
    A = 11,
    Image = 12,
    LinearGradient = 13,
    RadialGradient = 14,
    Stop = 15,
    Defs = 16,
};

// Nesting beyond this depth is not kept: Qt walks both the DOM (when writing
// it) and the item hierarchy recursively, and real designs stay far below.
constexpr int maxNestingDepth = 256;

// One object per DOM element of the design. It wraps the element (a shared
// handle: writes go into the document), caches its children by row, resolves
// the presentation properties with inheritance from its ancestors and, for
// drawable kinds, owns the link to the element's graphics item.
class Node
{
public:
    Node(const QDomElement &element, int row, SVGView *view, Node *parent,
         NodeType type = NodeType::Other);
    virtual ~Node();

    Node(const Node &) = delete;
    Node &operator=(const Node &) = delete;

    // The object for the element's child node `row`, created and cached on
    // first use; null when that child node is not an element.
    Node *child(int row);
    // Creates and caches the object for `element`, the child node `row`;
    // null beyond the supported nesting depth.
    Node *createChild(const QDomElement &element, int row);
    // The cached child for `row` without creating one.
    Node *cachedChild(int row) const { return mChildren.value(row, nullptr); }
    int cachedChildCount() const { return mChildren.size(); }
    QList<Node *> cachedChildren() const;

    // The common step once a drawable subclass has created its item.
    void attachItem(QGraphicsItem *item);

    // The item transform for an item positioned at `origin`: the element's
    // "transform" M conjugated so that T(p) + origin = M(p + origin).
    QTransform itemTransform(const QPointF &origin) const;
    // Sets a g, a or text container's rectangle to its children's bounds.
    void fitContainerToChildren();

    void setAttribute(const QString &name, const QString &value);
    void setAttributes(const QStringList &names, const QStringList &values);
    Node *addChildElement(const QString &tag, const QStringList &names, const QStringList &values);
    Node *addTextChildElement(const QString &tag, const QStringList &names,
                              const QStringList &values, const QString &text);

    QBrush fillBrush(bool *found, double opacity);
    QPen strokePen(bool *found, double opacity, double width);
    double fillOpacity();
    double strokeOpacity();
    double strokeWidth();
    Qt::PenCapStyle lineCap();
    Qt::PenJoinStyle lineJoin();
    QString fontFamily();
    double fontSize();
    int fontStyle();
    int fontWeight();
    void parseStyle();

    NodeType type() const { return mType; }
    QDomElement element() const { return mElement; }
    int row() const { return mRow; }
    Node *parent() const { return mParent; }
    SVGView *view() const { return mView; }
    QGraphicsItem *item() const { return mItem; }
    QGraphicsItem *groupItem() const { return mGroupItem; }
    void setGroupItem(QGraphicsItem *item) { mGroupItem = item; }
    const QMap<QString, QString> &attributes() const { return mAttributes; }
    const QMap<QString, QString> &style() const { return mStyle; }
    const PaintParameter &engraving() const { return mEngraving; }
    PaintParameter &engraving() { return mEngraving; }

    // Pen width, cap and join as resolved at creation.
    double resolvedStrokeWidth() const { return mStrokeWidth; }

    // Rereads the style, fill and stroke and applies them to the item.
    virtual void refreshPaint() {}
    // Recomputes the item transform from the "transform" attribute.
    void refreshItemTransform();
    // Replaces or adds one declaration of "style"; returns the old value.
    QString setStyleDeclaration(const QString &name, const QString &value);
    QString styleDeclaration(const QString &name) const;

    // The object's graphics item as the canvas sees it: the group item when
    // set, else the own item.
    QGraphicsItem *containerItem() const { return mGroupItem ? mGroupItem : mItem; }

    // Finds the object that wraps `element` among this node and its cached
    // descendants; null when there is none.
    Node *findNode(const QDomElement &element);

    // A length usable as item geometry: not a number becomes 0, and values
    // are kept within a range the canvas can draw and index.
    static double safeLength(double value);

    static NodeType typeForTag(const QString &tag);
    // Creates the object of the right class for `element` (no children).
    static Node *create(const QDomElement &element, int row, SVGView *view, Node *parent);

protected:
    // Reads the nine engraving attributes; a missing one of the default set
    // is written with the default value so every drawable carries it.
    void readEngravingAttributes();
    // Resolves opacity, caps, joins and width, then sets brush and pen of
    // the shape item; returns true when the fill is the empty brush.
    bool resolvePaint(QBrush *brush, QPen *pen);
    // Links the item to this object (data key 0) and connects its signals.
    void registerItem(QGraphicsItem *item);

    QGraphicsItem *mGroupItem = nullptr;
    QGraphicsItem *mItem = nullptr;
    SVGView *mView = nullptr;
    NodeType mType = NodeType::Other;
    QDomElement mElement;
    int mRow = 0;
    Node *mParent = nullptr;
    QHash<int, Node *> mChildren;
    QMap<QString, QString> mAttributes;
    QMap<QString, QString> mStyle;
    double mFillOpacity = 1;
    double mStrokeOpacity = 1;
    double mStrokeWidth = 1;
    Qt::PenCapStyle mLineCap = Qt::FlatCap;
    Qt::PenJoinStyle mLineJoin = Qt::SvgMiterJoin;
    double mFontSize = 0;
    QString mFontFamily;
    int mFontStyle = 0;
    int mFontWeight = 50;
    PaintParameter mEngraving;

private:
    Node *appendChildElement(QDomElement element, const QStringList &names,
                             const QStringList &values);
};
