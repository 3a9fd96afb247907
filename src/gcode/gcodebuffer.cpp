#include "gcodebuffer.h"

#include <cmath>
#include <cstdio>

namespace {

// Fixed notation with exactly four decimals, as QString::number(v, 'f', 4).
void appendWord(QByteArray &out, char letter, double value)
{
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%c%.4f", letter, value);
    out.append(text, length);
}

void appendInteger(QByteArray &out, char letter, double value)
{
    out.append(letter);
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
