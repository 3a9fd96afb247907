#include "gcode/gcodebuffer.h"

#include <cmath>
#include <cstdio>

namespace {

// Fixed notation with exactly four decimals, as printf("%.4f") gives it: the
// binary value rounded to nearest, ties to even. A job of a photograph has
// millions of words, so the common case is done with integers; a value whose
// fifth decimal is too close to a tie to decide that way, or that is too
// large for it, goes through snprintf.
void appendWord(QByteArray &out, char letter, double value)
{
    const double magnitude = std::fabs(value * 10000.0);
    if (magnitude < 9e15) {
        const double whole = std::floor(magnitude);
        const double fraction = magnitude - whole;
        // The product is off the exact value by at most half an ulp.
        const double error = magnitude * 2.3e-16;
        if (std::fabs(fraction - 0.5) > error) {
            const qint64 units = qint64(whole) + (fraction > 0.5 ? 1 : 0);
            char text[32];
            char *end = text + sizeof text;
            char *p = end;
            qint64 rest = units;
            for (int digit = 0; digit < 4; ++digit) {
                *--p = char('0' + rest % 10);
                rest /= 10;
            }
            *--p = '.';
            do {
                *--p = char('0' + rest % 10);
                rest /= 10;
            } while (rest > 0);
            if (std::signbit(value))
                *--p = '-';
            *--p = letter;
            out.append(p, int(end - p));
            return;
        }
    }
    char text[400];
    const int length = std::snprintf(text, sizeof text, "%c%.4f", letter, value);
    out.append(text, qMin(length, int(sizeof text) - 1));
}

void appendInteger(QByteArray &out, char letter, double value)
{
    out.append(letter);
    if (std::fabs(value) < 1e15 && value > -1) {
        // The integer part of a small non-negative number, without a temporary array.
        char text[24];
        char *end = text + sizeof text;
        char *p = end;
        qint64 rest = static_cast<qint64>(value);
        do {
            *--p = char('0' + rest % 10);
            rest /= 10;
        } while (rest > 0);
        out.append(p, int(end - p));
        return;
    }
    out.append(QByteArray::number(static_cast<qlonglong>(value)));
}

} // namespace

void GCodeBuffer::appendTo(QByteArray &out) const
{
    if (G == emptyLine) {
        out.append('\n');
        return;
    }
    if (G == wordG00)
        out.append("G00");
    else if (G != absent)
        appendInteger(out, 'G', G);
    if (M != absent)
        appendInteger(out, 'M', M);
    const double missing = absolute ? absent : 0.0;
    if (X != missing)
        appendWord(out, 'X', X);
    if (Y != missing)
        appendWord(out, 'Y', Y);
    if (S != absent)
        appendWord(out, 'S', S);
    if (F != absent)
        appendWord(out, 'F', F);
    out.append('\n');
}

QString GCodeBuffer::toString() const
{
    QByteArray line;
    appendTo(line);
    return QString::fromLatin1(line);
}

GCodeBuffer GCodeBuffer::g(double g)
{
    GCodeBuffer record;
    record.G = g;
    return record;
}

GCodeBuffer GCodeBuffer::m(double m)
{
    GCodeBuffer record;
    record.M = m;
    return record;
}

GCodeBuffer GCodeBuffer::g00()
{
    return g(wordG00);
}

bool GCodeBuffer::operator==(const GCodeBuffer &other) const
{
    return G == other.G && X == other.X && Y == other.Y && S == other.S && F == other.F
            && M == other.M && absolute == other.absolute;
}

void registerGCodeBufferMetaTypes()
{
    qRegisterMetaType<GCodeBuffer>("GCodeBuffer");
    qRegisterMetaType<QList<GCodeBuffer>>("QList<GCodeBuffer>");
}
