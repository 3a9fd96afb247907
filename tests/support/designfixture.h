#pragma once

#include "canvas/svgview.h"
#include "document/node.h"
#include "document/svgdocument.h"

#include <QGraphicsItem>

// Helpers for tests that load a design into an SVGView.
namespace DesignFixture {

// The design text with the usual namespaces around `body`.
inline QString svg(const QString &body, const QString &rootAttributes = QString())
{
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' "
                          "xmlns:xlink='http://www.w3.org/1999/xlink' "
                          "xmlns:tolvenrik='urn:tolvenrik' %1>%2</svg>")
            .arg(rootAttributes, body);
}

// The element object whose element has this id, or null.
inline Node *nodeById(SVGView &view, const QString &id)
{
    Node *root = view.document()->rootNode();
    QList<Node *> pending{root};
    while (!pending.isEmpty()) {
        Node *node = pending.takeFirst();
        if (!node)
            continue;
        if (!node->element().isNull() && node->element().attribute(QStringLiteral("id")) == id)
            return node;
        pending.append(node->cachedChildren());
    }
    return nullptr;
}

inline Node *nodeOfItem(const QGraphicsItem *item)
{
    return static_cast<Node *>(item->data(0).value<void *>());
}

} // namespace DesignFixture
