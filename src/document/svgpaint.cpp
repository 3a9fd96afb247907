#include "document/svgpaint.h"

#include "document/svgnumbers.h"
#include "document/svgscanner.h"
#include "document/svgstyle.h"

#include <QColor>
#include <QDebug>
#include <QRegularExpression>

#include <cmath>

using namespace SvgScanner;

namespace SvgGrammar {

namespace {

// Longer chains than this are not written by any drawing program; cutting
// them keeps the recursion and the id look-ups bounded.
const int maxGradientReferences = 32;

// A small cursor for the fixed shapes of rgb() values.
struct Cursor
{
    const QChar *p;
    const QChar *end;

    bool atEnd() const { return p >= end; }
    bool take(char c)
    {
        if (p < end && p->unicode() == ushort(c)) {
            ++p;
            return true;
        }
        return false;
    }
    bool takeText(const char *text)
    {
        const QChar *q = p;
        for (; *text; ++text, ++q) {
            if (q >= end || q->unicode() != ushort(*text))
                return false;
        }
        p = q;
        return true;
    }
    void skipSpaces() { p = SvgScanner::skipSpaces(p, end); }
};

// One colour component as an integer of one to three digits in 0..255.
bool readIntegerComponent(Cursor &c, int *component)
{
    int digits = 0;
    int value = 0;
    while (!c.atEnd() && isDigit(*c.p) && digits < 4) {
        value = value * 10 + (c.p->unicode() - '0');
        ++digits;
        ++c.p;
    }
    if (digits == 0 || digits > 3 || value > 255)
        return false;
    *component = value;
    return true;
}

// One colour component as an unsigned percentage in 0..100.
bool readPercentComponent(Cursor &c, int *component)
{
    if (c.atEnd() || !isDigit(*c.p))
        return false;
    double value = 0;
    NumberScan scan;
    c.p = scanNumber(c.p, c.end, &value, &scan);
    if (scan != NumberScan::Ok || value > 100.0 || !c.take('%'))
        return false;
    *component = int(value / 100.0 * 255.0);
    return true;
}

// "rgb(" with three components of one form, separated by commas with
// optional spaces, and ")" with nothing after it.
bool parseRgb(const QString &text, bool (*readComponent)(Cursor &, int *), QColor *color)
{
    Cursor c{text.constData(), text.constData() + text.size()};
    if (!c.takeText("rgb("))
        return false;
    int rgb[3];
    for (int i = 0; i < 3; ++i) {
        c.skipSpaces();
        if (!readComponent(c, &rgb[i]))
            return false;
        if (i < 2) {
            c.skipSpaces();
            if (!c.take(','))
                return false;
        }
    }
    if (!c.take(')') || !c.atEnd())
        return false;
    *color = QColor(rgb[0], rgb[1], rgb[2]);
    return true;
}

bool isIdChar(QChar c)
{
    const ushort u = c.unicode();
    return isWordChar(c) || u == '-' || u == '.' || u == ':';
}

// The element name without a namespace prefix.
QString localTagName(const QDomElement &element)
{
    const QString tag = element.tagName();
    const int colon = tag.indexOf(QLatin1Char(':'));
    return colon < 0 ? tag : tag.mid(colon + 1);
}

// Converts a gradient coordinate the way the attribute is written ("0.5", "1e-1");
// values that are absent, unreadable or not finite leave `value` alone.
bool readCoordinate(const QDomElement &element, const QString &name, double *value)
{
    if (!element.hasAttribute(name))
        return false;
    bool ok = false;
    const double v = element.attribute(name).toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

void readUnitsAndSpread(const QDomElement &element, QGradient *gradient)
{
    if (element.attribute(QStringLiteral("gradientUnits")) == QLatin1String("userSpaceOnUse"))
        gradient->setCoordinateMode(QGradient::LogicalMode);
    const QString spread = element.attribute(QStringLiteral("spreadMethod"));
    if (spread == QLatin1String("reflect"))
        gradient->setSpread(QGradient::ReflectSpread);
    else if (spread == QLatin1String("repeat"))
        gradient->setSpread(QGradient::RepeatSpread);
}

// The id of "xlink:href" when it begins with "#" and a word character.
QString gradientReference(const QDomElement &element)
{
    const QString href = element.attribute(QStringLiteral("xlink:href"));
    if (href.size() < 2 || href.at(0) != QLatin1Char('#') || !isWordChar(href.at(1)))
        return QString();
    return href.mid(1);
}

enum class Reference { None, Linear, Radial };

// Follows the reference of a gradient: reports circles, missing ids, long
// chains and wrong element kinds, and returns the kind found with its element.
Reference resolveReference(const QDomElement &element, QStringList &visited, QDomElement *target, QString *id)
{
    *id = gradientReference(element);
    if (id->isEmpty())
        return Reference::None;
    if (visited.contains(*id)) {
        qDebug().noquote() << QStringLiteral("Error!  Circular reference detected with gradient '%1'").arg(*id);
        return Reference::None;
    }
    if (visited.size() >= maxGradientReferences) {
        qDebug().noquote() << QStringLiteral("Error!  Gradient reference chain too long at '%1'").arg(*id);
        return Reference::None;
    }
    *target = elementById(element.ownerDocument().documentElement(), *id);
    if (target->isNull()) {
        qDebug().noquote() << QStringLiteral("Error!  Gradient reference '%1' not found").arg(*id);
        return Reference::None;
    }
    const QString tag = localTagName(*target);
    if (tag == QLatin1String("linearGradient"))
        return Reference::Linear;
    if (tag == QLatin1String("radialGradient"))
        return Reference::Radial;
    qDebug().noquote() << QStringLiteral("Error! Reference '%1' is not a linear/radial gradient").arg(*id);
    return Reference::None;
}

// What a referenced gradient passes on whatever its kind.
void inheritCommon(QGradient *gradient, const QGradient &from)
{
    gradient->setCoordinateMode(from.coordinateMode());
    gradient->setSpread(from.spread());
    gradient->setStops(from.stops());
}

// Units, spread and stops given on the element itself win over inherited ones.
void readOwnSettings(const QDomElement &element, double opacity, QGradient *gradient)
{
    readUnitsAndSpread(element, gradient);
    const QGradientStops stops = parseStops(element, opacity);
    if (!stops.isEmpty())
        gradient->setStops(stops);
}

struct RadialResult
{
    QRadialGradient gradient{QPointF(0.5, 0.5), 0.5, QPointF(0.5, 0.5)};
    bool focalX = false; // whether fx / fy were given here or inherited
    bool focalY = false;
};

QLinearGradient linearGradient(const QDomElement &element, double opacity, QStringList &visited);

RadialResult radialGradient(const QDomElement &element, double opacity, QStringList &visited)
{
    RadialResult result;
    QRadialGradient &gradient = result.gradient;
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setSpread(QGradient::PadSpread);

    QDomElement target;
    QString id;
    switch (resolveReference(element, visited, &target, &id)) {
    case Reference::Linear: {
        visited.append(id);
        inheritCommon(&gradient, linearGradient(target, opacity, visited));
        break;
    }
    case Reference::Radial: {
        visited.append(id);
        const RadialResult ref = radialGradient(target, opacity, visited);
        gradient.setCenter(ref.gradient.center());
        gradient.setRadius(ref.gradient.radius());
        gradient.setFocalPoint(ref.gradient.focalPoint());
        inheritCommon(&gradient, ref.gradient);
        result.focalX = ref.focalX;
        result.focalY = ref.focalY;
        break;
    }
    case Reference::None:
        break;
    }

    QPointF center = gradient.center();
    QPointF focal = gradient.focalPoint();
    double radius = gradient.radius();
    double v = 0;
    if (readCoordinate(element, QStringLiteral("cx"), &v))
        center.setX(v);
    if (readCoordinate(element, QStringLiteral("cy"), &v))
        center.setY(v);
    if (readCoordinate(element, QStringLiteral("r"), &v))
        radius = v;
    if (readCoordinate(element, QStringLiteral("fx"), &v)) {
        focal.setX(v);
        result.focalX = true;
    }
    if (readCoordinate(element, QStringLiteral("fy"), &v)) {
        focal.setY(v);
        result.focalY = true;
    }
    // An unspecified focal point coincides with the centre.
    if (!result.focalX)
        focal.setX(center.x());
    if (!result.focalY)
        focal.setY(center.y());
    gradient.setCenter(center);
    gradient.setRadius(radius);
    gradient.setFocalPoint(focal);

    readOwnSettings(element, opacity, &gradient);
    return result;
}

QLinearGradient linearGradient(const QDomElement &element, double opacity, QStringList &visited)
{
    QLinearGradient gradient(0, 0, 1, 0);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setSpread(QGradient::PadSpread);

    QDomElement target;
    QString id;
    switch (resolveReference(element, visited, &target, &id)) {
    case Reference::Linear: {
        visited.append(id);
        const QLinearGradient ref = linearGradient(target, opacity, visited);
        qDebug().noquote() << QStringLiteral("refGrad.end = %1,%2").arg(ref.finalStop().x()).arg(ref.finalStop().y());
        gradient.setStart(ref.start());
        gradient.setFinalStop(ref.finalStop());
        inheritCommon(&gradient, ref);
        break;
    }
    case Reference::Radial: {
        visited.append(id);
        inheritCommon(&gradient, radialGradient(target, opacity, visited).gradient);
        break;
    }
    case Reference::None:
        break;
    }

    QPointF start = gradient.start();
    QPointF end = gradient.finalStop();
    double v = 0;
    if (readCoordinate(element, QStringLiteral("x1"), &v))
        start.setX(v);
    if (readCoordinate(element, QStringLiteral("y1"), &v))
        start.setY(v);
    const bool bx2 = readCoordinate(element, QStringLiteral("x2"), &v);
    if (bx2)
        end.setX(v);
    const bool by2 = readCoordinate(element, QStringLiteral("y2"), &v);
    if (by2)
        end.setY(v);
    qDebug().noquote() << QStringLiteral("Parsed x2,y2 = %1,%2").arg(end.x()).arg(end.y());
    qDebug().noquote() << QStringLiteral("Flags bx2, by2 = %1,%2").arg(int(bx2)).arg(int(by2));
    gradient.setStart(start);
    gradient.setFinalStop(end);

    readOwnSettings(element, opacity, &gradient);
    return gradient;
}

} // namespace

QBrush parseColor(const QString &text, bool *found)
{
    QColor color;
    if (QColor::isValidColor(text))
        color = QColor(text);
    else if (!parseRgb(text, readIntegerComponent, &color)
             && !parseRgb(text, readPercentComponent, &color))
        return QBrush();
    if (found)
        *found = true;
    return QBrush(color);
}

QBrush attributeColor(const QDomElement &element, const QString &name, bool *found)
{
    bool present = false;
    const QString value = attributeString(element, name, &present);
    if (!present) {
        if (found)
            *found = false;
        return QBrush();
    }
    return parseColor(value, found);
}

QString referencedId(const QString &value)
{
    static const QRegularExpression url(QStringLiteral("^\\s*url\\(\\s*['\"]?#([^'\")\\s]+)['\"]?\\s*\\)"));
    const QRegularExpressionMatch match = url.match(value);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString paintReferenceId(const QString &paint)
{
    static const QLatin1String prefix("url(#");
    if (!paint.startsWith(prefix) || !paint.endsWith(QLatin1Char(')')))
        return QString();
    const int idLength = paint.size() - prefix.size() - 1;
    if (idLength <= 0)
        return QString();
    const QChar *p = paint.constData() + prefix.size();
    for (int i = 0; i < idLength; ++i) {
        if (!isIdChar(p[i]))
            return QString();
    }
    return QString(p, idLength);
}

QDomElement elementById(const QDomElement &start, const QString &id)
{
    if (start.isNull() || id.isEmpty())
        return QDomElement();
    const QString idName = QStringLiteral("id");
    // Pre-order walk without recursion, so deeply nested documents cannot exhaust the stack.
    QDomElement e = start;
    for (;;) {
        if (e.attribute(idName) == id)
            return e;
        QDomElement next = e.firstChildElement();
        while (next.isNull()) {
            if (e == start)
                return QDomElement();
            next = e.nextSiblingElement();
            if (next.isNull())
                e = e.parentNode().toElement();
        }
        e = next;
    }
}

QLinearGradient parseLinearGradient(const QDomElement &element, double opacity, QStringList &visited)
{
    return linearGradient(element, opacity, visited);
}

QRadialGradient parseRadialGradient(const QDomElement &element, double opacity, QStringList &visited)
{
    return radialGradient(element, opacity, visited).gradient;
}

QGradientStops parseStops(const QDomElement &gradient, double opacity)
{
    QGradientStops stops;
    double previous = 0.0;
    for (QDomElement stop = gradient.firstChildElement(); !stop.isNull(); stop = stop.nextSiblingElement()) {
        if (localTagName(stop) != QLatin1String("stop"))
            continue;

        bool ok = false;
        double offset = stop.attribute(QStringLiteral("offset"), QStringLiteral("0")).toDouble(&ok);
        if (!ok || !std::isfinite(offset) || offset < 0.0 || offset > 1.0)
            offset = 0.0;

        // Drawing programs often put the stop properties into "style"; a style
        // declaration wins over the attribute.
        const StyleMap style = parseStyleDeclarations(stop);
        const QString colorText = style.contains(QStringLiteral("stop-color"))
                                      ? style.value(QStringLiteral("stop-color"))
                                      : stop.attribute(QStringLiteral("stop-color"));
        const bool hasColor = style.contains(QStringLiteral("stop-color")) || stop.hasAttribute(QStringLiteral("stop-color"));
        QColor color(Qt::black);
        if (hasColor) {
            bool found = false;
            const QBrush brush = parseColor(colorText, &found);
            if (found && brush.style() != Qt::NoBrush)
                color = brush.color();
        }

        double stopOpacity = 1.0;
        const bool hasOpacity = style.contains(QStringLiteral("stop-opacity")) || stop.hasAttribute(QStringLiteral("stop-opacity"));
        if (hasOpacity) {
            const QString opacityText = style.contains(QStringLiteral("stop-opacity"))
                                            ? style.value(QStringLiteral("stop-opacity"))
                                            : stop.attribute(QStringLiteral("stop-opacity"));
            bool lengthOk = false;
            const double value = parseLength(opacityText, &lengthOk);
            if (lengthOk && value >= 0.0 && value <= 1.0)
                stopOpacity = value;
        }
        double alpha = stopOpacity * opacity * 255.0;
        alpha = std::isfinite(alpha) ? qBound(0.0, alpha, 255.0) : 255.0;
        color.setAlpha(int(alpha));

        offset = qMax(offset, previous);
        previous = offset;
        stops.append(QGradientStop(offset, color));
    }
    return stops;
}

} // namespace SvgGrammar
