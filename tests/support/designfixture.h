#pragma once

#include "document/node.h"
#include "document/svgdocument.h"

// Helpers for tests that load a design, into a document alone or into an
// SVGView with its canvas.
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
inline Node *nodeById(const SVGDocument *document, const QString &id)
{
    QList<Node *> pending{document->rootNode()};
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

inline Node *nodeById(const SVGDocument &document, const QString &id)
{
    return nodeById(&document, id);
}

inline Node *nodeById(SVGDocument &document, const QString &id)
{
    return nodeById(&document, id);
}

// The same for anything holding a document, such as an SVGView; a template
// so that core tests need no canvas header.
template <typename View>
Node *nodeById(View &view, const QString &id)
{
    return nodeById(view.document(), id);
}

} // namespace DesignFixture
