#pragma once

#include "document/svgstyle.h"

#include <QDomElement>
#include <QFont>
#include <QString>

// Font properties of an element. Each is looked up in `declarations`, then in
// the element's attribute of the same name, then in each ancestor's "style"
// and attribute; the default QFont supplies what nobody sets.

// "font-size" as a length; negative values are passed over.
double resolveFontSize(const QDomElement &element, const SvgGrammar::StyleMap &declarations);
// "font-family"; "" and "inherit" are passed over. A family the font database
// does not know is matched as the desktop matches it (installedFontFamily).
QString resolveFontFamily(const QDomElement &element, const SvgGrammar::StyleMap &declarations);
// "font-style": 0 normal, 1 italic, 2 oblique; anything else 0.
int resolveFontStyle(const QDomElement &element, const SvgGrammar::StyleMap &declarations);
// "font-weight" on the QFont scale: 25 light or lighter, 75 bold or bolder, anything else 50.
int resolveFontWeight(const QDomElement &element, const SvgGrammar::StyleMap &declarations);

// The four together; the size becomes the point size.
QFont resolveFont(const QDomElement &element, const SvgGrammar::StyleMap &declarations);
