#include "gcode/rastergroupsplit.h"

#include "document/engravingattributes.h"

#include <algorithm>
#include <utility>

RasterGroupSplit::RasterGroupSplit(const QDomDocument &working, const PaintParameterList &groups,
                                   const DefaultParameters &defaults, const StyleResolver &styles)
    : mWorking(working)
{
    const QDomElement root = working.elementsByTagName(QStringLiteral("svg")).item(0).toElement();
    if (root.isNull())
        return;
    // Depth first in document order, below the root, carrying the paint each
    // element's children inherit, as RasterGroup::filter walks.
    struct Entry
    {
        QDomElement element;
        StyleResolver::Paint inherited;
        int parent;
    };
    std::vector<Entry> stack;
    std::vector<int> parents;
    const auto pushChildren = [&](const QDomElement &element, const StyleResolver::Paint &paint,
                                  int parent) {
        const size_t mark = stack.size();
        for (QDomElement child = element.firstChildElement(); !child.isNull();
             child = child.nextSiblingElement())
            stack.push_back({ child, paint, parent });
        std::reverse(stack.begin() + long(mark), stack.end());
    };
    pushChildren(root, styles.paint(root), -1);
    while (!stack.empty()) {
        Entry entry = std::move(stack.back());
        stack.pop_back();
        const StyleResolver::Paint paint = styles.paint(entry.element, entry.inherited);
        Node node;
        node.element = entry.element;
        const bool isImage = entry.element.tagName() == QLatin1String("image");
        if (isImage || styles.engraveMode(entry.element, paint) == EngraveMode::Fill) {
            const int index = groups.indexOf(readPaintParameter(entry.element, defaults));
            node.group = index < 0 ? nowhere : index;
        }
        const int self = int(mNodes.size());
        mNodes.push_back(node);
        parents.push_back(entry.parent);
        pushChildren(entry.element, paint, self);
    }
    // Descendants follow their element in document order.
    for (int i = int(mNodes.size()) - 1; i >= 0; --i) {
        mNodes[size_t(i)].end = std::max(mNodes[size_t(i)].end, i + 1);
        if (parents[size_t(i)] >= 0) {
            Node &parent = mNodes[size_t(parents[size_t(i)])];
            parent.end = std::max(parent.end, mNodes[size_t(i)].end);
        }
    }
}

QDomDocument RasterGroupSplit::copy(int index) const
{
    struct SetAside
    {
        QDomElement element;
        QDomNode parent;
        QDomNode next;
    };
    std::vector<SetAside> aside;
    for (size_t i = 0; i < mNodes.size();) {
        const Node &node = mNodes[i];
        if (node.group == stays || node.group == index) {
            ++i;
            continue;
        }
        QDomNode parent = node.element.parentNode();
        aside.push_back({ node.element, parent, node.element.nextSibling() });
        parent.removeChild(node.element);
        i = size_t(node.end);
    }
    QDomDocument copy = mWorking.cloneNode(true).toDocument();
    // Back in reverse order: every element's next sibling is in place again
    // by the time the element returns.
    for (auto it = aside.rbegin(); it != aside.rend(); ++it) {
        if (it->next.isNull())
            it->parent.appendChild(it->element);
        else
            it->parent.insertBefore(it->element, it->next);
    }
    return copy;
}
