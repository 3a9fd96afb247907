#pragma once

#include "document/attributerecord.h"
#include "document/defaultparameters.h"
#include "document/nodehost.h"
#include "document/styleresolver.h"

#include <QAbstractItemModel>
#include <QBrush>
#include <QDomDocument>
#include <QHash>
#include <QStringList>

#include <optional>

class Node;
class NodeObserver;
class SVGElement;

// The design: the DOM, which is authoritative, and the tree of element
// objects over it, offered as an item model with two columns (tag and id).
// An observer (the canvas) hears of every element object made, changed and
// deleted; without one the tree stands on its own.
class SVGDocument : public QAbstractItemModel, public NodeHost
{
    Q_OBJECT

public:
    explicit SVGDocument(const QString &svgText = QString(), QObject *parent = nullptr);
    ~SVGDocument() override;

    // Replaces the DOM by the parsed text and builds every element object and
    // item at once, in document order. Returns the parse result; whatever
    // the parser built is used either way.
    bool setSvgText(const QString &text);
    // What the last setSvgText() left out of the design (elements nested
    // too deep), one sentence each; empty when it took everything.
    QStringList loadNotes() const { return mLoadNotes; }
    // Deletes every element object (the DOM stays).
    void releaseTree();

    SVGDocument *svgDocument() override { return this; }
    NodeObserver *observer() const override { return mObserver; }
    // Set before the first text: objects made earlier have no items.
    void setObserver(NodeObserver *observer) { mObserver = observer; }

    // The first g on the canvas since the tree was last built; new elements
    // from the drawing tools and importers go there.
    Node *currentLayer() const override { return mCurrentLayer; }
    void setCurrentLayer(Node *layer) override { mCurrentLayer = layer; }

    // The parameter set a drawable element without its own attributes gets.
    const DefaultParameters &defaultParameters() const override { return mDefaultParameters; }
    void setDefaultParameters(const DefaultParameters &parameters) { mDefaultParameters = parameters; }

    // Creates the objects of `node`'s whole subtree, depth first, without
    // recursion; containers are fitted to their children afterwards.
    void buildSubtree(Node *node);
    bool isBuilding() const { return mBuilding; }

    // Takes an element out of its parent (DOM and object tree) and puts it
    // back at its former row, telling the model's views. The object
    // survives in between; whoever detached it owns it.
    // The observer hears of both, and the parent container refits.
    bool detachNode(Node *node);
    bool reattachNode(Node *node);

    // Sets one attribute through the element's own rules ("style" as a whole
    // text, so an undo restores the declarations exactly as written); the
    // observer updates the item. The record undoes it; none for kinds that
    // take no changes.
    static std::optional<AttributeRecord> applyAttribute(Node *element, const QString &name,
                                                         const QString &value);

    // The object of the document element when it is an svg element; null
    // otherwise, after a message on standard output.
    SVGElement *svgElement() const;

    QDomDocument &domDocument() { return mDocument; }
    const QDomDocument &domDocument() const { return mDocument; }
    Node *rootNode() const { return mRoot; }
    // The object that wraps `element`, or null.
    Node *nodeForElement(const QDomElement &element) const;

    // The first element in document order with this id; cached while the
    // tree is being built, where every paint reference would walk the document.
    QDomElement elementById(const QString &id) const override;

    // Gradient brushes made while the tree is being built, by id and
    // opacity; nothing is cached outside a build.
    const CachedPaint *cachedPaint(const QString &key) const override;
    void cachePaint(const QString &key, const CachedPaint &paint) override;

    // The folder of the design file; pictures referenced by a relative path
    // are found from it. Set before the text; the working folder when empty.
    QString baseFolder() const override { return mBaseFolder; }
    void setBaseFolder(const QString &folder) { mBaseFolder = folder; }

    // Fill, stroke and display as the design's style sheets, presentation
    // attributes and style declarations give them; read when the text is set.
    const StyleResolver &styles() const override { return mStyles; }

    // Element objects are made by the element factory, for every kind.
    Node *createNode(const QDomElement &element, int row, Node *parent) override;

    // The design as saved: indent 2, no XML declaration.
    QString toSvgText() const;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void createRoot();
    // Removes elements nested deeper than maxNestingDepth.
    void cutDeepNesting();
    Node *nodeOf(const QModelIndex &index) const;
    QModelIndex indexOf(Node *node) const;

    QDomDocument mDocument;
    Node *mRoot = nullptr;
    NodeObserver *mObserver = nullptr;
    Node *mCurrentLayer = nullptr;
    DefaultParameters mDefaultParameters;
    StyleResolver mStyles;
    QStringList mLoadNotes;
    QString mBaseFolder;
    bool mBuilding = false;
    mutable QHash<QString, QDomElement> mIdCache;
    mutable bool mIdCacheValid = false;
    QHash<QString, CachedPaint> mPaintCache;
};
