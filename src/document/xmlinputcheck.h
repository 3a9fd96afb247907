#pragma once

#include <QByteArray>
#include <QString>

// Looks over a design's text before a DOM parser sees it, for what would
// crash or exhaust that parser: nesting deeper than the parser's stack takes,
// entity references that expand to gigabytes, a text element of a million
// characters. One linear pass over the bytes; it parses nothing and leaves
// malformed XML to the parser.
namespace XmlInputCheck {

// Why the text must not be parsed, or an empty string when it may.
QString problem(const QByteArray &text);

} // namespace XmlInputCheck
