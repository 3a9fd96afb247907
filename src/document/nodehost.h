#pragma once

#include <QBrush>
#include <QDomElement>
#include <QString>

class Node;
class NodeObserver;
class StyleResolver;
class SVGDocument;
struct DefaultParameters;

// What an element object needs of the design it belongs to. The design
// implements it; the element classes see only this, so they need not know
// the design, nor the design's factory that knows every element class.
class NodeHost
{
public:
    // Gradient brushes made while the tree is being built, by id and opacity.
    struct CachedPaint
    {
        QBrush brush;
        int stopCount = 0;
    };

    virtual SVGDocument *svgDocument() = 0;
    virtual NodeObserver *observer() const = 0;
    virtual Node *currentLayer() const = 0;
    virtual void setCurrentLayer(Node *layer) = 0;
    virtual const DefaultParameters &defaultParameters() const = 0;
    virtual QDomElement elementById(const QString &id) const = 0;
    virtual const CachedPaint *cachedPaint(const QString &key) const = 0;
    virtual void cachePaint(const QString &key, const CachedPaint &paint) = 0;
    virtual QString baseFolder() const = 0;
    virtual const StyleResolver &styles() const = 0;
    // The object of the right class for `element`, the child node `row` of
    // `parent`; no children yet.
    virtual Node *createNode(const QDomElement &element, int row, Node *parent) = 0;

protected:
    ~NodeHost() = default;
};
