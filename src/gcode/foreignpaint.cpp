#include "gcode/foreignpaint.h"

#include "document/svggrammar.h"
#include "document/viewportgeometry.h"

#include <QHash>
#include <QRegularExpression>

#include <cstring>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ForeignPaint {

namespace {

double component(const QString &text, double full)
{
    const QString t = text.trimmed();
    bool ok = false;
    double value = 0;
    if (t.endsWith(QLatin1Char('%')))
        value = t.chopped(1).toDouble(&ok) / 100 * full;
    else
        value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return -1;
    return std::clamp(value, 0.0, full);
}

// Opacity values: a number or a percentage, clamped to 0..1.
double opacityValue(const QString &text, double fallback)
{
    const double value = component(text, 1);
    return value < 0 ? fallback : value;
}

bool isPaintServer(const QString &tag)
{
    return tag == QLatin1String("linearGradient") || tag == QLatin1String("radialGradient")
            || tag == QLatin1String("pattern") || tag == QLatin1String("solidColor")
            || tag == QLatin1String("solidcolor");
}

bool isLeaf(const QString &tag)
{
    static const QStringList leaves{ "rect", "circle", "ellipse", "line", "polyline", "polygon", "path", "text" };
    return leaves.contains(tag);
}

QString hex(const QColor &colour)
{
    return colour.name(QColor::HexRgb);
}

void setDeclaration(SvgGrammar::StyleMap &style, QDomElement &element, const QString &name, const QString &value)
{
    style.insert(name, value);
    element.removeAttribute(name);
}

} // namespace

QColor parseColour(const QString &text)
{
    const QString value = text.trimmed();
    const QString lower = value.toLower();
    if (lower == QLatin1String("transparent"))
        return QColor(0, 0, 0, 0);
    if (lower.startsWith(QLatin1Char('#'))) {
        const QString digits = lower.mid(1);
        static const QRegularExpression hexDigits(QStringLiteral("^[0-9a-f]+$"));
        if (!hexDigits.match(digits).hasMatch())
            return QColor();
        QString full = digits;
        if (digits.size() == 3 || digits.size() == 4) {
            full.clear();
            for (const QChar c : digits)
                full += QString(2, c);
        }
        if (full.size() != 6 && full.size() != 8)
            return QColor();
        const uint number = full.left(6).toUInt(nullptr, 16);
        const int alpha = full.size() == 8 ? full.mid(6, 2).toInt(nullptr, 16) : 255;
        return QColor(int(number >> 16 & 0xff), int(number >> 8 & 0xff), int(number & 0xff), alpha);
    }
    static const QRegularExpression function(QStringLiteral("^(rgba?|hsla?)\\s*\\((.*)\\)$"));
    const QRegularExpressionMatch match = function.match(lower);
    if (match.hasMatch()) {
        QStringList parts = match.captured(2).split(QRegularExpression(QStringLiteral("[\\s,/]+")), Qt::SkipEmptyParts);
        if (parts.size() != 3 && parts.size() != 4)
            return QColor();
        const double alpha = parts.size() == 4 ? component(parts.at(3), 1) : 1;
        if (alpha < 0)
            return QColor();
        if (match.captured(1).startsWith(QLatin1String("rgb"))) {
            double rgb[3];
            for (int i = 0; i < 3; ++i) {
                rgb[i] = component(parts.at(i), 255);
                if (rgb[i] < 0)
                    return QColor();
            }
            return QColor(qRound(rgb[0]), qRound(rgb[1]), qRound(rgb[2]), qRound(alpha * 255));
        }
        bool ok = false;
        double hue = parts.at(0).trimmed().remove(QStringLiteral("deg")).toDouble(&ok);
        const double saturation = component(parts.at(1), 1);
        const double lightness = component(parts.at(2), 1);
        if (!ok || saturation < 0 || lightness < 0)
            return QColor();
        hue = std::fmod(std::fmod(hue, 360) + 360, 360) / 360;
        return QColor::fromHslF(hue, saturation, lightness, alpha);
    }
    const QColor named(value);
    return named.isValid() ? named : QColor();
}

int compositeGrey(const QColor &colour, double alpha)
{
    const double a = std::clamp(alpha * colour.alphaF(), 0.0, 1.0);
    double darkest = 255;
    for (const int c : { colour.red(), colour.green(), colour.blue() })
        darkest = std::min(darkest, c * a + 255 * (1 - a));
    return int(std::lround(darkest));
}

void resolve(QDomDocument &document, const StyleResolver &styles)
{
    // Only whether the design is Plimb's own is asked of the resolver.
    if (styles.isPlimbDesign())
        return;
    const QDomElement root = document.documentElement();
    if (root.isNull())
        return;
    QHash<QString, QString> kinds;    // id -> tag, first of each id
    {
        std::vector<QDomElement> stack{ root };
        while (!stack.empty()) {
            const QDomElement e = stack.back();
            stack.pop_back();
            const QString id = e.attribute(QStringLiteral("id"));
            if (!id.isEmpty() && !kinds.contains(id))
                kinds.insert(id, e.tagName());
            for (QDomElement c = e.lastChildElement(); !c.isNull(); c = c.previousSiblingElement())
                stack.push_back(c);
        }
    }

    struct State
    {
        QString fill = QStringLiteral("black");
        QString stroke = QStringLiteral("none");
        QString colour = QStringLiteral("black");
        double fillOpacity = 1;
        double strokeOpacity = 1;
        double strokeWidth = 1;
        double opacity = 1;    // of the groups around, multiplied
    };
    // A paint value as one the renderer reads: references to paint servers
    // kept, their fallback or "none" otherwise; colours as #rrggbb with
    // their alpha returned apart.
    const auto paintOf = [&kinds](const QString &value, const QString &currentColour, double *alpha) {
        *alpha = 1;
        QString text = value.trimmed();
        if (text.startsWith(QLatin1String("url("), Qt::CaseInsensitive)) {
            static const QRegularExpression url(QStringLiteral("^url\\(\\s*['\"]?#([^'\")\\s]+)['\"]?\\s*\\)\\s*(.*)$"),
                                                QRegularExpression::CaseInsensitiveOption);
            const QRegularExpressionMatch m = url.match(text);
            if (m.hasMatch() && isPaintServer(kinds.value(m.captured(1))))
                return QStringLiteral("url(#%1)").arg(m.captured(1));
            text = m.hasMatch() ? m.captured(2).trimmed() : QString();
            if (text.isEmpty())
                return QStringLiteral("none");
        }
        if (text == QLatin1String("none") || text.startsWith(QLatin1String("context-")))
            return QStringLiteral("none");
        if (text.compare(QLatin1String("currentColor"), Qt::CaseInsensitive) == 0)
            text = currentColour;
        const QColor colour = parseColour(text);
        if (!colour.isValid())
            return QString();
        *alpha = colour.alphaF();
        return hex(colour);
    };

    struct Entry
    {
        QDomElement element;
        State state;
    };
    // Drawings repeat the same shape in the same paint many times over (use
    // instances, exports): a leaf whose inherited state and own paint
    // values were met before gets the result worked out then.
    struct Outcome
    {
        QString style;
        QStringList removed;
    };
    QHash<QString, Outcome> outcomes;
    static const QStringList ownNames{ "color", "fill", "stroke", "fill-opacity", "stroke-opacity", "stroke-width",
                                       "opacity" };
    const auto keyOf = [](const QDomElement &element, const State &state) {
        QString key = state.fill;
        for (const QString *part : { &state.stroke, &state.colour })
            key += QLatin1Char('\x1f') + *part;
        // The numbers go in bit for bit: formatting them costs more than
        // the work the key saves.
        for (const double number :
             { state.fillOpacity, state.strokeOpacity, state.strokeWidth, state.opacity }) {
            quint64 bits = 0;
            std::memcpy(&bits, &number, sizeof bits);
            for (int shift = 0; shift < 64; shift += 16)
                key += QChar(ushort(bits >> shift));
        }
        key += QLatin1Char('\x1f') + element.tagName();
        key += QLatin1Char('\x1f') + element.attribute(QStringLiteral("style"));
        for (const QString &name : ownNames) {
            key += QLatin1Char('\x1e');
            if (element.hasAttribute(name))
                key += QLatin1Char('=') + element.attribute(name);
        }
        return key;
    };
    std::vector<Entry> stack{ { root, State() } };
    while (!stack.empty()) {
        Entry entry = stack.back();
        stack.pop_back();
        QDomElement element = entry.element;
        const QString tag = element.tagName();
        if (StyleResolver::isUnrendered(tag) && tag != QLatin1String("defs"))
            continue;
        const bool memo = isLeaf(tag) && element.firstChildElement().isNull();
        QString key;
        if (memo) {
            key = keyOf(element, entry.state);
            const auto known = outcomes.constFind(key);
            if (known != outcomes.constEnd()) {
                for (const QString &name : known->removed)
                    element.removeAttribute(name);
                element.setAttribute(QStringLiteral("style"), known->style);
                continue;
            }
        }
        State state = entry.state;
        SvgGrammar::StyleMap style = SvgGrammar::parseStyleDeclarations(element);
        // The cascade is already written into "style" (applyCascade), so
        // the declaration, else the attribute, is the element's own value.
        const auto own = [&style, &element](const QString &name, bool *present) {
            QString v;
            const auto it = style.constFind(name);
            if (it != style.constEnd()) {
                v = *it;
                static const QRegularExpression bang(QStringLiteral("\\s*!\\s*important\\s*$"),
                                                     QRegularExpression::CaseInsensitiveOption);
                if (v.contains(QLatin1Char('!')))
                    v.remove(bang);
            } else if (element.hasAttribute(name)) {
                v = element.attribute(name).trimmed();
            } else {
                *present = false;
                return QString();
            }
            *present = v != QLatin1String("inherit");
            return *present ? v : QString();
        };
        bool found = false;
        QString value = own(QStringLiteral("color"), &found);
        if (found && parseColour(value).isValid())
            state.colour = value;
        value = own(QStringLiteral("fill"), &found);
        if (found)
            state.fill = value;
        value = own(QStringLiteral("stroke"), &found);
        if (found)
            state.stroke = value;
        value = own(QStringLiteral("fill-opacity"), &found);
        if (found)
            state.fillOpacity = opacityValue(value, state.fillOpacity);
        value = own(QStringLiteral("stroke-opacity"), &found);
        if (found)
            state.strokeOpacity = opacityValue(value, state.strokeOpacity);
        value = own(QStringLiteral("stroke-width"), &found);
        double width = 0;
        if (found && ViewportGeometry::cssLength(value, 16, &width) && width >= 0)
            state.strokeWidth = width;
        value = own(QStringLiteral("opacity"), &found);
        if (found)
            state.opacity *= opacityValue(value, 1);

        const bool hadOpacity = style.remove(QStringLiteral("opacity")) > 0
                || element.hasAttribute(QStringLiteral("opacity"));
        element.removeAttribute(QStringLiteral("opacity"));
        if (isLeaf(tag)) {
            double alpha = 1;
            QString fill = paintOf(state.fill, state.colour, &alpha);
            if (fill.isEmpty())
                fill = QStringLiteral("none");    // a paint in error draws nothing
            if (fill.startsWith(QLatin1Char('#'))) {
                // Fill mode burns what is not white: grey levels would be cut
                // off at mid-grey by the scan lines.
                const double total = alpha * state.fillOpacity * state.opacity;
                if (total <= 0) {
                    setDeclaration(style, element, QStringLiteral("fill-opacity"), QStringLiteral("0"));
                } else {
                    const int grey = compositeGrey(parseColour(fill), total);
                    fill = grey >= 255 ? QStringLiteral("#ffffff") : QStringLiteral("#000000");
                    setDeclaration(style, element, QStringLiteral("fill-opacity"), QStringLiteral("1"));
                }
            }
            setDeclaration(style, element, QStringLiteral("fill"), fill);
            QString stroke = paintOf(state.stroke, state.colour, &alpha);
            if (stroke.isEmpty() || !(state.strokeWidth > 0) || alpha * state.strokeOpacity * state.opacity <= 0)
                stroke = QStringLiteral("none");
            setDeclaration(style, element, QStringLiteral("stroke"), stroke);
            if (stroke.startsWith(QLatin1Char('#'))) {
                const int grey = compositeGrey(parseColour(stroke), alpha * state.strokeOpacity * state.opacity);
                setDeclaration(style, element, QStringLiteral("stroke"),
                               grey >= 255 ? QStringLiteral("#ffffff") : QStringLiteral("#000000"));
                setDeclaration(style, element, QStringLiteral("stroke-opacity"), QStringLiteral("1"));
            }
            const QString text = SvgGrammar::styleToString(style);
            element.setAttribute(QStringLiteral("style"), text);
            if (memo) {
                Outcome outcome;
                outcome.style = text;
                for (const QString &name : ownNames) {
                    if (!element.hasAttribute(name))
                        outcome.removed << name;
                }
                outcomes.insert(key, outcome);
            }
        } else if (hadOpacity) {
            element.setAttribute(QStringLiteral("style"), SvgGrammar::styleToString(style));
        }
        for (QDomElement c = element.lastChildElement(); !c.isNull(); c = c.previousSiblingElement())
            stack.push_back({ c, state });
    }
}

} // namespace ForeignPaint
