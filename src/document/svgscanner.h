#pragma once

#include <QChar>

// Character-level helpers shared by the grammar parsers. They walk raw QChar
// ranges so that every parser stays a single linear pass.
namespace SvgScanner {

inline bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

inline bool isSpace(QChar c)
{
    const ushort u = c.unicode();
    return u == ' ' || u == '\t' || u == '\n' || u == '\r' || u == '\f' || u == '\v' || (u > 127 && c.isSpace());
}

// A word character in the regular-expression sense (letters, digits, marks, "_").
inline bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c.unicode() == '_';
}

inline const QChar *skipSpaces(const QChar *p, const QChar *end)
{
    while (p < end && isSpace(*p))
        ++p;
    return p;
}

// White space with at most one comma inside it.
const QChar *skipSeparator(const QChar *p, const QChar *end);

// Could an SVG number start here? (sign, digit or dot)
inline bool startsNumber(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || u == '.' || u == '-' || u == '+';
}

enum class NumberScan {
    None,       // no number starts at p
    Ok,         // *value holds a finite number
    OutOfRange, // the number does not fit a double ("1e999")
};

// Reads one number of the SVG grammar at p: optional sign, digits with an
// optional fraction or a fraction alone, optional exponent. The number ends
// where the grammar ends, so "10-5" and "0.5.5" hold two numbers each.
// Returns the end of the number (p when there is none).
const QChar *scanNumber(const QChar *p, const QChar *end, double *value, NumberScan *result);

} // namespace SvgScanner
