#pragma once

#include <QDomElement>
#include <QPainterPath>
#include <QString>

namespace SvgGrammar {

// Path data ("d"). Arcs are converted to cubic curves.
QPainterPath parsePath(const QString &text, bool *found = nullptr);
QPainterPath pathFromAttribute(const QDomElement &element, const QString &name, bool *found = nullptr);

} // namespace SvgGrammar
