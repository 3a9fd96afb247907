#pragma once

#include <QFlags>
#include <QtGlobal>

class Node;

// What a view of the element tree hears of it. The tree never draws: the
// canvas implements this to make, update and drop each element's item.
class NodeObserver
{
public:
    // What of an element changed, so the view updates only that.
    enum Change {
        Geometry = 0x1,  // position, size, shape; the transform follows the position
        Transform = 0x2, // the "transform" attribute
        Paint = 0x4,     // resolved brush and pen
        Text = 0x8,      // text content, font or layout
        Bitmap = 0x10,   // the image or its displayed size
        Children = 0x20, // children added or built: a container refits them
    };
    Q_DECLARE_FLAGS(Changes, Change)

    virtual ~NodeObserver() = default;

    // `node` exists with its attributes read; its parent's item, if any,
    // exists already, its children not yet.
    virtual void nodeCreated(Node *node) = 0;
    virtual void nodeChanged(Node *node, Changes changes) = 0;
    // Called from the node's destructor, after its children have gone.
    virtual void nodeDestroyed(Node *node) = 0;
    // `node` was taken out of its parent, keeping its object and subtree
    // (an undo command holds it), or was put back at its row.
    virtual void nodeDetached(Node *node) { Q_UNUSED(node) }
    virtual void nodeReattached(Node *node) { Q_UNUSED(node) }
    // The whole tree is about to be replaced by a newly parsed document.
    virtual void treeAboutToBeReplaced() = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(NodeObserver::Changes)
