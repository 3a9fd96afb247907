#include "document/svgnumbers.h"

#include "document/svgscanner.h"

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

// Tried in this order; the first unit found anywhere in the text wins.
const LengthUnit lengthUnits[] = {
    {"px", "Px", "PX", 1.0},
    {"in", "In", "IN", 96.0},
    {"mm", "Mm", "MM", 96.0 / 25.4},
    {"cm", "Cm", "CM", 96.0 / 2.54},
    {"pt", "Pt", "PT", 1.0},
    {"pc", "Pc", "PC", 16.0},
    {"em", "Em", "EM", 150.0},
};

double unitFactor(const QString &text)
{
    for (const LengthUnit &unit : lengthUnits) {
        if (text.contains(QLatin1String(unit.lower)) || text.contains(QLatin1String(unit.capital))
            || text.contains(QLatin1String(unit.upper)))
            return unit.factor;
    }
    return 1.0;
}

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

double parseLength(const QString &text, bool *ok)
{
    const QChar *p = text.constData();
    const QChar *end = p + text.size();
    // The first number anywhere in the text; the unit is found separately.
    while (p < end) {
        double value = 0;
        NumberScan scan;
        const QChar *next = scanNumber(p, end, &value, &scan);
        if (scan == NumberScan::Ok) {
            const double length = value * unitFactor(text);
            const bool finite = std::isfinite(length);
            setFlag(ok, finite);
            return finite ? length : 0.0;
        }
        if (scan == NumberScan::OutOfRange)
            break;
        p = next > p ? next : p + 1;
    }
    setFlag(ok, false);
    return 0.0;
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
