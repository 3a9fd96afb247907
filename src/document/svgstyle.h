#pragma once

#include <QDomElement>
#include <QFont>
#include <QMap>
#include <QString>

namespace SvgGrammar {

using StyleMap = QMap<QString, QString>;

// From "preserveAspectRatio": none, meet (the default) or slice.
Qt::AspectRatioMode aspectRatioMode(const QDomElement &element);

// The "style" attribute as a map of trimmed names to trimmed values.
StyleMap parseStyleDeclarations(const QDomElement &element);
StyleMap parseStyleText(const QString &style);

// "name:value;" for every entry in key order.
QString styleToString(const StyleMap &style);

// The installed family a "font-family" value names: the first installed
// entry of its comma-separated list, quotes removed; when none is
// installed, the family fontconfig matches for the first entry (a generic
// name such as "sans-serif" or a missing family ends at the default sans).
QString installedFontFamily(const QString &value);

// Font properties of a style map, without inheritance.
QString styleFontFamily(const StyleMap &style);
double styleFontSize(const StyleMap &style);
QFont::Style styleFontStyle(const StyleMap &style);
int styleFontWeight(const StyleMap &style);

} // namespace SvgGrammar
