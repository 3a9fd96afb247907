#pragma once

#include <QDomElement>
#include <QPointF>
#include <QString>
#include <QTransform>

namespace SvgGrammar {

// The "transform" attribute: parsing, and the rewriting done when the canvas
// moves or reshapes an element.

QTransform parseTransform(const QString &text, bool *found = nullptr);

// parseTransform of "transform"; identity when absent.
QTransform transformFromAttribute(const QDomElement &element, bool *found = nullptr);

// Inserts `function` in front of `text` and rewrites the whole as one
// "matrix(a,b,c,d,e,f)" with six decimals.
void prependTransformAsMatrix(QString &text, const QString &function);

// Merges `translate` into a leading translate of `text`, or puts it in front.
void prependTranslate(QString &text, const QString &translate);

// The arguments of the first translate in the text; (0, 0) when there is none.
QPointF translateOf(const QString &text);

bool startsWithTranslate(const QString &text);
bool startsWithMatrix(const QString &text);

} // namespace SvgGrammar
