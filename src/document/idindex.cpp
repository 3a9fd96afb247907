#include "document/idindex.h"

#include <vector>

namespace SvgGrammar {

QHash<QString, QDomElement> idIndex(const QDomElement &root)
{
    QHash<QString, QDomElement> index;
    if (root.isNull())
        return index;
    // Depth first in document order without recursion, so deeply nested
    // documents cannot exhaust the stack.
    std::vector<QDomElement> pending{ root };
    while (!pending.empty()) {
        const QDomElement e = pending.back();
        pending.pop_back();
        const QString id = e.attribute(QStringLiteral("id"));
        if (!id.isEmpty() && !index.contains(id))
            index.insert(id, e);
        for (QDomElement c = e.lastChildElement(); !c.isNull(); c = c.previousSiblingElement())
            pending.push_back(c);
    }
    return index;
}

} // namespace SvgGrammar
