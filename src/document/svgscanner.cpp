#include "svgscanner.h"

#include <charconv>
#include <cmath>
#include <string>

namespace SvgScanner {

const QChar *skipSeparator(const QChar *p, const QChar *end)
{
    p = skipSpaces(p, end);
    if (p < end && p->unicode() == ',')
        p = skipSpaces(p + 1, end);
    return p;
}

const QChar *scanNumber(const QChar *p, const QChar *end, double *value, NumberScan *result)
{
    *result = NumberScan::None;
    const QChar *q = p;
    bool negative = false;
    if (q < end && (q->unicode() == '+' || q->unicode() == '-')) {
        negative = q->unicode() == '-';
        ++q;
    }
    const QChar *intStart = q;
    while (q < end && isDigit(*q))
        ++q;
    const QChar *intEnd = q;
    const QChar *fracStart = q;
    const QChar *fracEnd = q;
    if (q < end && q->unicode() == '.') {
        fracStart = q + 1;
        fracEnd = fracStart;
        while (fracEnd < end && isDigit(*fracEnd))
            ++fracEnd;
        // "5." is a number, a lone "." is not.
        if (intEnd > intStart || fracEnd > fracStart)
            q = fracEnd;
        else
            fracStart = fracEnd = q;
    }
    if (intEnd == intStart && fracEnd == fracStart)
        return p;

    // The exponent belongs to the number only when digits follow, so "2em" is 2 and a unit.
    long exponent = 0;
    if (q < end && (q->unicode() == 'e' || q->unicode() == 'E')) {
        const QChar *e = q + 1;
        bool expNegative = false;
        if (e < end && (e->unicode() == '+' || e->unicode() == '-')) {
            expNegative = e->unicode() == '-';
            ++e;
        }
        if (e < end && isDigit(*e)) {
            while (e < end && isDigit(*e)) {
                if (exponent < 100000000)
                    exponent = exponent * 10 + (e->unicode() - '0');
                ++e;
            }
            if (expNegative)
                exponent = -exponent;
            q = e;
        }
    }

    // std::from_chars is locale independent and rounds correctly; it takes
    // no leading "+", so the sign is written back only when negative.
    char small[64];
    std::string large;
    const int length = int(q - p) + 1;
    char *buffer = small;
    if (length > int(sizeof(small))) {
        large.resize(size_t(length));
        buffer = &large[0];
    }
    char *w = buffer;
    if (negative)
        *w++ = '-';
    for (const QChar *c = (p->unicode() == '+' || p->unicode() == '-') ? p + 1 : p; c < q; ++c)
        *w++ = char(c->unicode());

    double v = 0;
    const std::from_chars_result converted = std::from_chars(buffer, w, v);
    if (converted.ec == std::errc::result_out_of_range) {
        // Tell underflow (a harmless zero) from overflow by the decimal magnitude.
        long magnitude = 0;
        const QChar *firstSignificant = intStart;
        while (firstSignificant < intEnd && firstSignificant->unicode() == '0')
            ++firstSignificant;
        if (firstSignificant < intEnd) {
            magnitude = long(intEnd - firstSignificant);
        } else {
            const QChar *f = fracStart;
            while (f < fracEnd && f->unicode() == '0')
                ++f;
            magnitude = -long(f - fracStart);
        }
        if (magnitude + exponent < 0) {
            *value = negative ? -0.0 : 0.0;
            *result = NumberScan::Ok;
        } else {
            *result = NumberScan::OutOfRange;
        }
        return q;
    }
    if (converted.ec != std::errc() || converted.ptr != w || !std::isfinite(v)) {
        *result = NumberScan::OutOfRange;
        return q;
    }
    *value = v;
    *result = NumberScan::Ok;
    return q;
}

} // namespace SvgScanner
