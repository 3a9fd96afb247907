#pragma once

#include <QDomElement>
#include <QString>
#include <QStringList>
#include <QVector>

namespace SvgGrammar {

// Numbers, number lists and lengths of SVG attribute values. Numbers follow
// the SVG number grammar: sign, leading dot, exponent, and numbers written
// back to back ("10-5", "0.5.5").

// Length units are recognised anywhere in the text ("mm", "Mm", "MM"):
// px 1, in 96, mm 96/25.4, cm 96/2.54, pt 1, pc 16, em 150; none 1.
double parseLength(const QString &text, bool *ok = nullptr);

QVector<double> parseNumberList(const QString &text, bool *ok = nullptr);

// The attribute's value; "" and found = false for a null element or a missing attribute.
QString attributeString(const QDomElement &element, const QString &name, bool *found = nullptr);

// parseLength of the attribute; 0 and found = false when absent or unreadable.
double attributeLength(const QDomElement &element, const QString &name, bool *found = nullptr);

// The number of a value that is exactly a percentage ("50%" gives 50); 0 otherwise.
double attributePercent(const QDomElement &element, const QString &name, bool *found = nullptr);

// The attribute trimmed and split at commas or white space ("viewBox", "points");
// numbers written back to back ("10-5") become pieces of their own.
QStringList splitValueList(const QDomElement &element, const QString &name, bool *found = nullptr);

// True when the text is empty or only spaces.
bool isBlank(const QString &text);

} // namespace SvgGrammar
