#include "document/svgscanner.h"

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

namespace {

// Powers of ten that a double holds exactly.
const double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

} // namespace

const QChar *scanNumber(const QChar *p, const QChar *end, double *value, NumberScan *result)
{
    *result = NumberScan::None;
    const QChar *q = p;
    bool negative = false;
    if (q < end && (q->unicode() == '+' || q->unicode() == '-')) {
        negative = q->unicode() == '-';
        ++q;
    }
    // The significant digits are gathered on the way; most numbers in
    // drawings are short enough to be converted exactly without a library call.
    quint64 mantissa = 0;
    int significant = 0;
    bool dropped = false;
    long decimalExponent = 0;
    auto addDigit = [&](ushort d, bool fraction) {
        if (mantissa == 0 && d == 0) {
            if (fraction)
                --decimalExponent;
            return;
        }
        if (significant < 19) {
            mantissa = mantissa * 10 + d;
            ++significant;
            if (fraction)
                --decimalExponent;
        } else {
            dropped = true;
            if (!fraction)
                ++decimalExponent;
        }
    };

    const QChar *intStart = q;
    while (q < end && isDigit(*q)) {
        addDigit(q->unicode() - '0', false);
        ++q;
    }
    const QChar *intEnd = q;
    const QChar *fracStart = q;
    const QChar *fracEnd = q;
    if (q < end && q->unicode() == '.') {
        fracStart = q + 1;
        fracEnd = fracStart;
        while (fracEnd < end && isDigit(*fracEnd)) {
            addDigit(fracEnd->unicode() - '0', true);
            ++fracEnd;
        }
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

    // Exact: the mantissa and the power of ten are both exact doubles, so one
    // multiplication or division rounds correctly.
    if (mantissa == 0) {
        *value = negative ? -0.0 : 0.0;
        *result = NumberScan::Ok;
        return q;
    }
    const long totalExponent = decimalExponent + exponent;
    if (!dropped && mantissa <= (quint64(1) << 53) && totalExponent >= -22 && totalExponent <= 22) {
        double v = double(mantissa);
        v = totalExponent < 0 ? v / exactPowersOfTen[-totalExponent] : v * exactPowersOfTen[totalExponent];
        *value = negative ? -v : v;
        *result = NumberScan::Ok;
        return q;
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
        // Underflow is a harmless zero; overflow is a failure.
        if (significant + decimalExponent + exponent < 0) {
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
