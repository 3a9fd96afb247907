#include "document/svgnumbers.h"

#include "document/svgscanner.h"

#include <algorithm>
#include <cmath>

using namespace SvgScanner;

namespace SvgGrammar {

namespace {

struct LengthUnit
{
    const char *lower;
    const char *capital;
    const char *upper;
    double factor;
};

// A unit is the whole rest of the value, in lower case, with a capital first
// letter or in upper case ("mm", "Mm", "MM"; "mM" and "mmx" are no unit).
const LengthUnit lengthUnits[] = {
    {"px", "Px", "PX", 1.0},
    {"in", "In", "IN", 96.0},
    {"mm", "Mm", "MM", 96.0 / 25.4},
    {"cm", "Cm", "CM", 96.0 / 2.54},
    {"pt", "Pt", "PT", 1.0},
    {"pc", "Pc", "PC", 16.0},
    {"em", "Em", "EM", 150.0},
};

void setFlag(bool *flag, bool value)
{
    if (flag)
        *flag = value;
}

// A piece that is only numbers written back to back ("10-5", ".5.5") becomes
// one piece per number, so callers converting each piece read it as SVG does.
// Anything else stays one piece for the caller to reject.
void appendPiece(QStringList &pieces, const QChar *begin, const QChar *end)
{
    QVector<const QChar *> starts;
    const QChar *p = begin;
    while (p < end) {
        double value = 0;
        NumberScan scan;
        const QChar *next = scanNumber(p, end, &value, &scan);
        if (scan == NumberScan::None)
            break;
        starts.append(p);
        p = next;
    }
    if (p < end || starts.size() < 2) {
        pieces.append(QString(begin, int(end - begin)));
        return;
    }
    starts.append(end);
    for (int i = 0; i + 1 < starts.size(); ++i)
        pieces.append(QString(starts.at(i), int(starts.at(i + 1) - starts.at(i))));
}

} // namespace

bool splitLength(const QString &text, double *number, QString *unit)
{
    const QChar *p = skipSpaces(text.constData(), text.constData() + text.size());
    const QChar *end = text.constData() + text.size();
    while (end > p && isSpace(*(end - 1)))
        --end;
    NumberScan scan;
    const QChar *next = scanNumber(p, end, number, &scan);
    if (scan != NumberScan::Ok)
        return false;
    *unit = QString(next, int(end - next));
    return true;
}

double parseLength(const QString &text, bool *ok)
{
    double value = 0;
    QString unit;
    if (splitLength(text, &value, &unit)) {
        double factor = unit.isEmpty() ? 1.0 : 0.0;
        for (const LengthUnit &u : lengthUnits) {
            if (unit == QLatin1String(u.lower) || unit == QLatin1String(u.capital)
                || unit == QLatin1String(u.upper))
                factor = u.factor;
        }
        const double length = value * factor;
        if (factor != 0.0 && std::isfinite(length)) {
            setFlag(ok, true);
            return length;
        }
    }
    setFlag(ok, false);
    return 0.0;
}

double parseViewportLength(const QString &text, const QSizeF &viewport, Qt::Orientations axis,
                           bool *ok)
{
    double value = 0;
    QString unit;
    if (splitLength(text, &value, &unit)) {
        const double w = viewport.width();
        const double h = viewport.height();
        // Percentages of a length along neither axis (a radius) use the
        // normalised diagonal, as SVG does.
        const double reference = axis == Qt::Horizontal ? w
                : axis == Qt::Vertical                  ? h
                                                        : std::sqrt((w * w + h * h) / 2);
        double length = 0;
        bool known = true;
        if (unit == QLatin1String("%"))
            length = value / 100 * reference;
        else if (unit == QLatin1String("vw"))
            length = value / 100 * w;
        else if (unit == QLatin1String("vh"))
            length = value / 100 * h;
        else if (unit == QLatin1String("vmin"))
            length = value / 100 * std::min(w, h);
        else if (unit == QLatin1String("vmax"))
            length = value / 100 * std::max(w, h);
        else
            known = false;
        if (known) {
            const bool finite = std::isfinite(length);
            setFlag(ok, finite);
            return finite ? length : 0.0;
        }
    }
    return parseLength(text, ok);
}

QVector<double> parseNumberList(const QString &text, bool *ok)
{
    QVector<double> numbers;
    const QChar *p = skipSpaces(text.constData(), text.constData() + text.size());
    const QChar *end = text.constData() + text.size();
    while (p < end) {
        // One piece between separators; it counts only if it is numbers alone,
        // possibly written back to back ("10-5").
        const QChar *pieceEnd = p;
        while (pieceEnd < end && !isSpace(*pieceEnd) && pieceEnd->unicode() != ',')
            ++pieceEnd;
        const int sizeBefore = numbers.size();
        const QChar *q = p;
        while (q < pieceEnd) {
            double value = 0;
            NumberScan scan;
            const QChar *next = scanNumber(q, pieceEnd, &value, &scan);
            if (scan == NumberScan::OutOfRange) {
                setFlag(ok, false);
                return {};
            }
            if (scan == NumberScan::None)
                break;
            numbers.append(value);
            q = next;
        }
        if (q < pieceEnd)
            numbers.resize(sizeBefore);
        p = pieceEnd;
        while (p < end && (isSpace(*p) || p->unicode() == ','))
            ++p;
    }
    setFlag(ok, true);
    return numbers;
}

QString attributeString(const QDomElement &element, const QString &name, bool *found)
{
    if (element.isNull() || !element.hasAttribute(name)) {
        setFlag(found, false);
        return QString();
    }
    setFlag(found, true);
    return element.attribute(name);
}

double attributeLength(const QDomElement &element, const QString &name, bool *found)
{
    bool present = false;
    const QString value = attributeString(element, name, &present);
    if (!present) {
        setFlag(found, false);
        return 0.0;
    }
    bool ok = false;
    const double length = parseLength(value, &ok);
    setFlag(found, ok);
    return ok ? length : 0.0;
}

double attributePercent(const QDomElement &element, const QString &name, bool *found)
{
    bool present = false;
    const QString value = attributeString(element, name, &present).trimmed();
    const QChar *p = value.constData();
    const QChar *end = p + value.size();
    if (present && p < end && p->unicode() != '+' && p->unicode() != '-') {
        double number = 0;
        NumberScan scan;
        const QChar *next = scanNumber(p, end, &number, &scan);
        if (scan == NumberScan::Ok && next + 1 == end && next->unicode() == '%') {
            setFlag(found, true);
            return number;
        }
    }
    setFlag(found, false);
    return 0.0;
}

QStringList splitValueList(const QDomElement &element, const QString &name, bool *found)
{
    const QString value = attributeString(element, name, found).trimmed();
    QStringList pieces;
    if (value.isEmpty())
        return pieces;
    const QChar *begin = value.constData();
    const QChar *end = begin + value.size();
    const QChar *pieceStart = begin;
    const QChar *p = begin;
    while (p < end) {
        if (isSpace(*p) || p->unicode() == ',') {
            appendPiece(pieces, pieceStart, p);
            // A comma with spaces around it, or spaces alone, is one separator;
            // two commas in a row leave an empty piece between them.
            p = skipSeparator(p, end);
            pieceStart = p;
        } else {
            ++p;
        }
    }
    appendPiece(pieces, pieceStart, end);
    return pieces;
}

bool isBlank(const QString &text)
{
    for (const QChar c : text) {
        if (!isSpace(c))
            return false;
    }
    return true;
}

} // namespace SvgGrammar
