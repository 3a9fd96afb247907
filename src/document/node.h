#pragma once

#include "document/attributerecord.h"
#include "document/nodehost.h"
#include "document/nodeobserver.h"
#include "document/paintparameter.h"
#include "document/styleresolver.h"

#include <QBrush>
#include <QDomElement>
#include <QHash>
#include <QMap>
#include <QPen>
#include <QString>
#include <QStringList>
#include <QTransform>
#include <optional>

class SVGDocument;

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
    Use = 17,
};

// Nesting beyond this depth is not kept: Qt walks both the DOM (when writing
// it) and the item hierarchy recursively, and real designs stay far below.
constexpr int maxNestingDepth = 256;

// One object per DOM element of the design. It wraps the element (a shared
// handle: writes go into the document), caches its children by row and
// resolves the presentation properties with inheritance from its ancestors.
// It draws nothing: the document's observer (the canvas) keeps an item for
// every element that is on the canvas and hears of each change.
class Node
{
public:
    Node(const QDomElement &element, int row, NodeHost *host, Node *parent,
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
    // Takes a cached child's element out of this element and the child out
    // of the cache; later siblings move up a row. The child keeps this node
    // as its parent so it can come back. False when it is not a child here.
    bool detachChild(Node *child);
    // Puts a detached child's element back at the row it was taken from
    // (the end when there are fewer rows now); later siblings move down.
    bool reattachChild(Node *child);
    bool hasCachedChild(const Node *child) const { return mChildren.value(child->mRow) == child; }

    // The item transform for an item positioned at `origin`: the element's
    // "transform" M conjugated so that T(p) + origin = M(p + origin).
    QTransform itemTransform(const QPointF &origin) const;
    // Tells the view that a g, a or text container's children changed, so
    // its rectangle encloses them again.
    void fitContainerToChildren();

    void setAttribute(const QString &name, const QString &value);
    void setAttributes(const QStringList &names, const QStringList &values);
    Node *addChildElement(const QString &tag, const QStringList &names, const QStringList &values);
    Node *addTextChildElement(const QString &tag, const QStringList &names,
                              const QStringList &values, const QString &text);

    // Sets one attribute through the element's own rules and tells the view;
    // the record undoes it. Nothing for kinds that take no changes.
    virtual std::optional<AttributeRecord> applyAttribute(const QString &name, const QString &value);

    // The fill the generator engraves the element by: "none" for an outline,
    // the fill value for a fill, empty for neither.
    QString engraveModeValue() const;
    // The fill and stroke this element inherits as the generator reads
    // them, kept until the paint of the element or an ancestor is written.
    const StyleResolver::Paint &resolvedPaint() const;

    QBrush fillBrush(bool *found, double opacity) const;
    QPen strokePen(bool *found, double opacity, double width) const;
    double fillOpacity() const;
    double strokeOpacity() const;
    double strokeWidth() const;
    Qt::PenCapStyle lineCap() const;
    Qt::PenJoinStyle lineJoin() const;
    QString fontFamily() const;
    double fontSize() const;
    int fontStyle() const;
    int fontWeight() const;
    void parseStyle();

    NodeType type() const { return mType; }
    QDomElement element() const { return mElement; }
    int row() const { return mRow; }
    Node *parent() const { return mParent; }
    SVGDocument *document() const { return mDocument; }
    NodeHost *host() const { return mHost; }
    const QMap<QString, QString> &attributes() const { return mAttributes; }
    const QMap<QString, QString> &style() const { return mStyle; }
    const PaintParameter &engraving() const { return mEngraving; }
    PaintParameter &engraving() { return mEngraving; }

    // True when the element is drawn: a kind with an item whose ancestors
    // all have one, up to the document's svg element.
    bool isOnCanvas() const { return mOnCanvas; }
    // The brush and pen the element's item is drawn with, and whether the
    // fill is empty (the canvas then picks the item by its outline only).
    QBrush itemBrush() const { return mItemBrush; }
    QPen itemPen() const { return mItemPen; }
    bool isHollow() const { return mItemBrush.style() == Qt::NoBrush; }

    // Pen width, cap and join as resolved at creation.
    double resolvedStrokeWidth() const { return mStrokeWidth; }

    // Rereads the style, fill and stroke into the item brush and pen.
    virtual void refreshPaint();
    // Replaces or adds one declaration of "style"; returns the old value.
    QString setStyleDeclaration(const QString &name, const QString &value);
    QString styleDeclaration(const QString &name) const;

    // Finds the object that wraps `element` among this node and its cached
    // descendants; null when there is none.
    Node *findNode(const QDomElement &element);

    // A length usable as item geometry: not a number becomes 0, and values
    // are kept within a range the canvas can draw and index.
    static double safeLength(double value);

    static NodeType typeForTag(const QString &tag);

protected:
    // The steps every drawable kind takes once it has read its geometry:
    // engraving attributes, style, and the item's brush and pen.
    void prepareDrawable();
    // Reads the nine engraving attributes; a missing one of the default set
    // is written with the default value so every drawable carries it.
    void readEngravingAttributes();
    // Resolves opacity, caps, joins and width, then the fill brush and the
    // stroke pen, keeping the resolved values.
    void resolvePaint(QBrush *brush, QPen *pen);
    // Tells the document's observer what changed.
    void notifyChanged(NodeObserver::Changes changes);
    // The geometry lengths that are no plain numbers ("10%", "5vmin"), read
    // against the viewport around the element as the job reads them, and
    // negative radii as 0. A length in error takes the element off the
    // canvas, as it is left out of the job.
    QHash<QString, double> readViewportLengths();
    // The resolved length, else the attribute as a plain length.
    double lengthOf(const QHash<QString, double> &resolved, const QString &name) const;
    // A style declaration written by the paint rows: the record, the item
    // brush and pen.
    AttributeRecord applyPaintDeclaration(const QString &name, const QString &value);
    // A "transform" written as is, for kinds whose moves write nothing else.
    std::optional<AttributeRecord> applyTransformOnly(const QString &name, const QString &value);

    NodeHost *mHost = nullptr;
    SVGDocument *mDocument = nullptr;
    NodeType mType = NodeType::Other;
    QDomElement mElement;
    int mRow = 0;
    Node *mParent = nullptr;
    bool mOnCanvas = false;
    QHash<int, Node *> mChildren;
    QMap<QString, QString> mAttributes;
    QMap<QString, QString> mStyle;
    double mFillOpacity = 1;
    double mStrokeOpacity = 1;
    double mStrokeWidth = 1;
    Qt::PenCapStyle mLineCap = Qt::FlatCap;
    Qt::PenJoinStyle mLineJoin = Qt::SvgMiterJoin;
    QBrush mItemBrush;
    QPen mItemPen;
    PaintParameter mEngraving;

private:
    const StyleResolver &styles() const;
    // The brush and pen for the element's own fill or stroke value.
    QBrush fillBrushOf(const QString &value, bool *found, double opacity) const;
    QPen strokePenOf(const QString &value, bool *found, double opacity, double width) const;
    // Drops the kept paint of this element and its cached descendants.
    void forgetPaint();
    // Moves the cached children at row `from` and after by `delta` rows.
    void shiftRows(int from, int delta);

    mutable StyleResolver::Paint mPaint;
    mutable bool mPaintKnown = false;

    Node *appendChildElement(QDomElement element, const QStringList &names,
                             const QStringList &values);
    // The number `name` as the opacity and width properties read it, else
    // the parent's; 1 at the top and for a value `accept` refuses.
    double inheritedNumber(const QString &name, bool (*accept)(double)) const;
};
