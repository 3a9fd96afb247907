#pragma once

#include <QDomElement>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVector>

namespace SvgGrammar {

// Numbers, number lists and lengths of SVG attribute values. Numbers follow
// the SVG number grammar: sign, leading dot, exponent, and numbers written
// back to back ("10-5", "0.5.5").

// A number followed by nothing or by a whole unit token ("mm", "Mm", "MM"):
// px 1, in 96, mm 96/25.4, cm 96/2.54, pt 1, pc 16, em 150; none 1. Anything
// else ("44mmx", "10%", "5vw") is no length: 0 and ok = false.
double parseLength(const QString &text, bool *ok = nullptr);

// The number and the rest of a length ("10", "%"); false without a leading number.
bool splitLength(const QString &text, double *number, QString *unit);

// parseLength, and also "%" of the viewport along `axis` (both axes: the
// normalised diagonal) and vw, vh, vmin, vmax of the viewport.
double parseViewportLength(const QString &text, const QSizeF &viewport, Qt::Orientations axis,
                           bool *ok = nullptr);

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
