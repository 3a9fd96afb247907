#include "document/pathdatawriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

enum class Command { None, Move, Line, Curve };

// The same text as QString::number(value, 'f', 6), several times faster.
// to_chars rounds an exact tie (x.xxxxxx5, common in glyph outlines) to even
// where Qt rounds it away from zero, so ties are rounded here by hand.
void appendFixed(QString &out, double value)
{
    if (!std::isfinite(value) || std::abs(value) >= 1e11) {
        out += QString::number(value, 'f', 6);
        return;
    }
    char buffer[32];
    const double scaled = value * 1e7;
    const bool exactTie = std::fma(value, 1e7, -scaled) == 0 && scaled == std::trunc(scaled)
            && std::abs(std::fmod(scaled, 10.0)) == 5.0;
    if (exactTie) {
        const long long tenths = std::llabs(std::llround(scaled));
        const long long micro = (tenths + 5) / 10;
        const int length = std::snprintf(buffer, sizeof buffer, "%s%lld.%06lld", value < 0 ? "-" : "",
                                          micro / 1000000, micro % 1000000);
        out += QLatin1String(buffer, length);
        return;
    }
    if (value == 0)
        value = 0; // Qt writes -0.0 without its sign
    const std::to_chars_result written =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    out += QLatin1String(buffer, int(written.ptr - buffer));
}

void appendPair(QString &out, QPointF delta)
{
    appendFixed(out, delta.x());
    out += QLatin1Char(',');
    appendFixed(out, delta.y());
    out += QLatin1Char(' ');
}

void appendCommand(QString &out, Command &state, Command command, const char *letter)
{
    if (state == command)
        return;
    out += QLatin1String(letter);
    state = command;
}

QString writeData(const QPainterPath &path, bool absoluteStart)
{
    QString out;
    QPointF current(0, 0);
    Command state = Command::None;
    const int count = path.elementCount();
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QPointF point(e.x, e.y);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            if (absoluteStart && i == 0) {
                out += QLatin1String("M ");
                state = Command::Move;
                appendPair(out, point);
            } else {
                appendCommand(out, state, Command::Move, "m ");
                appendPair(out, point - current);
            }
            current = point;
            break;
        case QPainterPath::LineToElement:
            appendCommand(out, state, Command::Line, "l ");
            appendPair(out, point - current);
            current = point;
            break;
        case QPainterPath::CurveToElement: {
            // A cubic is its control point followed by two data elements.
            if (i + 2 >= count)
                return out;
            const QPointF c2(path.elementAt(i + 1).x, path.elementAt(i + 1).y);
            const QPointF end(path.elementAt(i + 2).x, path.elementAt(i + 2).y);
            appendCommand(out, state, Command::Curve, "c ");
            appendPair(out, point - current);
            appendPair(out, c2 - current);
            appendPair(out, end - current);
            current = end;
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    return out;
}

} // namespace

QString pathToData(const QPainterPath &path)
{
    return writeData(path, false);
}

QString pathToClosedData(const QPainterPath &path)
{
    QString out = writeData(path, true);
    if (path.elementCount() == 0)
        return out;
    // "z" returns to the start of the last subpath, so it is only written where
    // that is also where the path ends; anywhere else it would add a segment.
    QPointF subpathStart;
    for (int i = path.elementCount() - 1; i >= 0; --i) {
        if (path.elementAt(i).isMoveTo()) {
            subpathStart = path.elementAt(i);
            break;
        }
    }
    if (path.currentPosition() == subpathStart)
        out += QLatin1String("z ");
    return out;
}
