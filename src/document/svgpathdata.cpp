#include "document/svgpathdata.h"

#include "document/svgscanner.h"

#include <QDebug>

#include <cmath>
#include <vector>

using namespace SvgScanner;

namespace SvgGrammar {

namespace {

bool isCommandLetter(QChar c)
{
    switch (c.unicode()) {
    case 'M': case 'L': case 'H': case 'V': case 'Z': case 'C': case 'S': case 'Q': case 'T': case 'A':
    case 'm': case 'l': case 'h': case 'v': case 'z': case 'c': case 's': case 'q': case 't': case 'a':
        return true;
    default:
        return false;
    }
}

// Reads the arguments of one command up to the next command letter: numbers
// separated by white space or one comma. Anything else (a stray character, a
// number that does not fit a double, a bad arc flag) is an error: `error` is
// set and the arguments end before it, for the path stops there as SVG
// renderers stop. Arc flags are single characters, so "1010" after the
// rotation is two flags and the number 10.
const QChar *readArguments(const QChar *p, const QChar *end, bool arc, std::vector<double> &args,
                           bool *error)
{
    bool comma = false;
    while (p < end) {
        while (p < end && isSpace(*p))
            ++p;
        if (p < end && p->unicode() == ',') {
            if (comma || args.empty()) {
                *error = true;
                return p;
            }
            comma = true;
            ++p;
            continue;
        }
        if (p >= end || isCommandLetter(*p)) {
            if (comma)
                *error = true;
            return p;
        }
        comma = false;
        const size_t slot = args.size() % 7;
        if (arc && (slot == 3 || slot == 4)) {
            if (p->unicode() == '0' || p->unicode() == '1') {
                args.push_back(p->unicode() - '0');
                ++p;
                continue;
            }
            *error = true;
            return p;
        }
        double value = 0;
        NumberScan scan;
        const QChar *next = scanNumber(p, end, &value, &scan);
        if (scan != NumberScan::Ok) {
            *error = true;
            return p;
        }
        args.push_back(value);
        p = next;
    }
    return p;
}

// Arguments per repetition of a command.
size_t groupSize(ushort command)
{
    switch (command) {
    case 'M': case 'L': case 'T':
        return 2;
    case 'H': case 'V':
        return 1;
    case 'C':
        return 6;
    case 'S': case 'Q':
        return 4;
    case 'A':
        return 7;
    default:
        return 0;
    }
}

bool isFinite(const QPointF &p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

class PathBuilder
{
public:
    PathBuilder() { path.moveTo(0, 0); }

    QPainterPath path;
    QPointF current;
    QPointF subpathStart;
    QPointF cubicReflection;
    QPointF quadReflection;
    bool cubicValid = false;
    bool quadValid = false;

    // Points that overflowed (huge relative sums) are dropped, leaving the
    // current point where it was.
    void moveTo(const QPointF &p)
    {
        if (!isFinite(p))
            return;
        path.moveTo(p);
        current = subpathStart = p;
    }
    void lineTo(const QPointF &p)
    {
        if (!isFinite(p))
            return;
        path.lineTo(p);
        current = p;
    }
    void cubicTo(const QPointF &c1, const QPointF &c2, const QPointF &p)
    {
        if (!isFinite(c1) || !isFinite(c2) || !isFinite(p))
            return;
        path.cubicTo(c1, c2, p);
        current = p;
    }
    void quadTo(const QPointF &c, const QPointF &p)
    {
        if (!isFinite(c) || !isFinite(p))
            return;
        path.quadTo(c, p);
        current = p;
    }
    void close()
    {
        path.closeSubpath();
        current = subpathStart;
    }
    void arcTo(double rx, double ry, double angle, bool largeArc, bool sweep, const QPointF &end);
};

// Elliptical arc from the current point to `end`, by the endpoint to centre
// conversion of the SVG implementation notes, drawn as cubic curves of at
// most 90 degrees each.
void PathBuilder::arcTo(double rx, double ry, double angle, bool largeArc, bool sweep, const QPointF &end)
{
    if (!isFinite(end))
        return;
    const QPointF start = current;
    if (start == end)
        return;
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx == 0 || ry == 0) {
        lineTo(end);
        return;
    }
    const double phi = std::fmod(angle, 360.0) * M_PI / 180.0;
    const double cosPhi = std::cos(phi);
    const double sinPhi = std::sin(phi);
    const double hx = (start.x() - end.x()) / 2;
    const double hy = (start.y() - end.y()) / 2;
    const double x1 = cosPhi * hx + sinPhi * hy;
    const double y1 = -sinPhi * hx + cosPhi * hy;

    // Radii too small to reach the end point are scaled up just enough; the
    // centre is then the midpoint. Written with lambda so that this exact
    // case gives exactly zero instead of the square root of a rounding error.
    const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (!std::isfinite(lambda) || lambda <= 0) {
        lineTo(end);
        return;
    }
    double coefficient = 0;
    if (lambda >= 1) {
        const double s = std::sqrt(lambda);
        rx *= s;
        ry *= s;
    } else {
        coefficient = std::sqrt(1 / lambda - 1);
    }
    if (largeArc == sweep)
        coefficient = -coefficient;
    const double cxp = coefficient * rx * y1 / ry;
    const double cyp = -coefficient * ry * x1 / rx;
    const double cx = cosPhi * cxp - sinPhi * cyp + (start.x() + end.x()) / 2;
    const double cy = sinPhi * cxp + cosPhi * cyp + (start.y() + end.y()) / 2;

    const double theta1 = std::atan2((y1 - cyp) / ry, (x1 - cxp) / rx);
    const double theta2 = std::atan2((-y1 - cyp) / ry, (-x1 - cxp) / rx);
    double delta = theta2 - theta1;
    if (!sweep && delta > 0)
        delta -= 2 * M_PI;
    else if (sweep && delta < 0)
        delta += 2 * M_PI;
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(delta)) {
        lineTo(end);
        return;
    }

    const int segments = qBound(1, int(std::ceil(std::fabs(delta) / (M_PI / 2) - 1e-9)), 4);
    const double step = delta / segments;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    auto map = [&](double ux, double uy) {
        return QPointF(cx + rx * cosPhi * ux - ry * sinPhi * uy, cy + rx * sinPhi * ux + ry * cosPhi * uy);
    };
    double a = theta1;
    for (int i = 0; i < segments; ++i) {
        const double b = (i == segments - 1) ? theta1 + delta : a + step;
        const double cosA = std::cos(a), sinA = std::sin(a);
        const double cosB = std::cos(b), sinB = std::sin(b);
        const QPointF c1 = map(cosA - k * sinA, sinA + k * cosA);
        const QPointF c2 = map(cosB + k * sinB, sinB - k * cosB);
        const QPointF p = (i == segments - 1) ? end : map(cosB, sinB);
        cubicTo(c1, c2, p);
        a = b;
    }
    current = end;
}

void drawCommand(PathBuilder &b, QChar letter, const std::vector<double> &v)
{
    const bool relative = letter.isLower();
    const ushort command = letter.toUpper().unicode();
    const size_t n = v.size();
    auto point = [&](size_t i) {
        return relative ? QPointF(b.current.x() + v[i], b.current.y() + v[i + 1]) : QPointF(v[i], v[i + 1]);
    };
    if (command != 'C' && command != 'S')
        b.cubicValid = false;
    if (command != 'Q' && command != 'T')
        b.quadValid = false;

    switch (command) {
    case 'M':
        if (n == 0 || n % 2)
            return;
        b.moveTo(point(0));
        // Further pairs are implicit line commands.
        for (size_t i = 2; i < n; i += 2)
            b.lineTo(point(i));
        return;
    case 'Z':
        b.close();
        return;
    case 'L':
        if (n % 2)
            return;
        for (size_t i = 0; i < n; i += 2)
            b.lineTo(point(i));
        return;
    case 'H':
        for (size_t i = 0; i < n; ++i)
            b.lineTo(QPointF(relative ? b.current.x() + v[i] : v[i], b.current.y()));
        return;
    case 'V':
        for (size_t i = 0; i < n; ++i)
            b.lineTo(QPointF(b.current.x(), relative ? b.current.y() + v[i] : v[i]));
        return;
    case 'C':
        if (n % 6)
            return;
        for (size_t i = 0; i < n; i += 6) {
            const QPointF c1 = point(i), c2 = point(i + 2), end = point(i + 4);
            b.cubicTo(c1, c2, end);
            b.cubicReflection = 2 * end - c2;
            b.cubicValid = true;
        }
        return;
    case 'S':
        if (n % 4)
            return;
        for (size_t i = 0; i < n; i += 4) {
            const QPointF c1 = b.cubicValid ? b.cubicReflection : b.current;
            const QPointF c2 = point(i), end = point(i + 2);
            b.cubicTo(c1, c2, end);
            b.cubicReflection = 2 * end - c2;
            b.cubicValid = true;
        }
        return;
    case 'Q':
        if (n % 4)
            return;
        for (size_t i = 0; i < n; i += 4) {
            const QPointF c = point(i), end = point(i + 2);
            b.quadTo(c, end);
            b.quadReflection = 2 * end - c;
            b.quadValid = true;
        }
        return;
    case 'T':
        if (n % 2)
            return;
        for (size_t i = 0; i < n; i += 2) {
            const QPointF c = b.quadValid ? b.quadReflection : b.current;
            const QPointF end = point(i);
            b.quadTo(c, end);
            b.quadReflection = 2 * end - c;
            b.quadValid = true;
        }
        return;
    case 'A':
        if (n % 7)
            return;
        for (size_t i = 0; i < n; i += 7)
            b.arcTo(v[i], v[i + 1], v[i + 2], v[i + 3] != 0, v[i + 4] != 0, point(i + 5));
        return;
    default:
        return;
    }
}

} // namespace

QPainterPath parsePath(const QString &text, bool *found)
{
    const QChar *end = text.constData() + text.size();
    const QChar *p = skipSpaces(text.constData(), end);
    if (p >= end || (p->unicode() != 'M' && p->unicode() != 'm')) {
        qDebug() << "ERROR in path parsing";
        if (found)
            *found = false;
        return QPainterPath();
    }

    PathBuilder builder;
    std::vector<double> args;
    bool error = false;
    while (p < end && !error) {
        const QChar letter = *p++;
        args.clear();
        p = readArguments(p, end, letter.unicode() == 'A' || letter.unicode() == 'a', args, &error);
        // Complete argument groups are drawn; an incomplete one, or a
        // command that needs arguments and has none, ends the path.
        const size_t group = groupSize(letter.toUpper().unicode());
        if (group == 0 && !args.empty()) {
            error = true;
            args.clear();
        } else if (group > 0 && (args.empty() || args.size() % group)) {
            error = true;
            args.resize(args.size() - args.size() % group);
        }
        if (!args.empty() || group == 0)
            drawCommand(builder, letter, args);
    }
    if (found)
        *found = true;
    return builder.path;
}

QPainterPath pathFromAttribute(const QDomElement &element, const QString &name, bool *found)
{
    if (element.isNull() || !element.hasAttribute(name)) {
        if (found)
            *found = false;
        return QPainterPath();
    }
    return parsePath(element.attribute(name), found);
}

} // namespace SvgGrammar
