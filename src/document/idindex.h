#pragma once

#include <QDomElement>
#include <QHash>
#include <QString>

namespace SvgGrammar {

// Every element below and including `root` by its "id"; where ids repeat,
// the first in document order wins, as a lookup by walking would find it.
QHash<QString, QDomElement> idIndex(const QDomElement &root);

} // namespace SvgGrammar
