#include "document/fontresolver.h"

#include "document/svgnumbers.h"
#include "document/svgstyle.h"

#include <QFontDatabase>
#include <functional>

namespace {

// Walks declarations, attribute, then ancestors until `accept` takes a value.
bool lookUp(const QDomElement &element, const SvgGrammar::StyleMap &declarations, const QString &name,
            const std::function<bool(const QString &)> &accept)
{
    const auto declared = declarations.constFind(name);
    if (declared != declarations.constEnd() && accept(*declared))
        return true;
    QDomElement current = element;
    bool first = true;
    while (!current.isNull()) {
        if (!first) {
            const SvgGrammar::StyleMap style = SvgGrammar::parseStyleDeclarations(current);
            const auto inherited = style.constFind(name);
            if (inherited != style.constEnd() && accept(*inherited))
                return true;
        }
        if (current.hasAttribute(name) && accept(current.attribute(name)))
            return true;
        first = false;
        current = current.parentNode().toElement();
    }
    return false;
}

} // namespace

double resolveFontSize(const QDomElement &element, const SvgGrammar::StyleMap &declarations)
{
    double size = QFont().pointSizeF();
    lookUp(element, declarations, QStringLiteral("font-size"), [&size](const QString &value) {
        bool ok = false;
        const double length = SvgGrammar::parseLength(value, &ok);
        if (!ok || length < 0 || !qIsFinite(length))
            return false;
        size = length;
        return true;
    });
    return size;
}

QString resolveFontFamily(const QDomElement &element, const SvgGrammar::StyleMap &declarations)
{
    QString family = QFont().family();
    lookUp(element, declarations, QStringLiteral("font-family"), [&family](const QString &value) {
        if (value.isEmpty() || value == QLatin1String("inherit"))
            return false;
        family = value;
        return true;
    });
    return SvgGrammar::installedFontFamily(family);
}

int resolveFontStyle(const QDomElement &element, const SvgGrammar::StyleMap &declarations)
{
    int style = 0;
    lookUp(element, declarations, QStringLiteral("font-style"), [&style](const QString &value) {
        if (value.isEmpty())
            return false;
        if (value == QLatin1String("italic"))
            style = 1;
        else if (value == QLatin1String("oblique"))
            style = 2;
        else
            style = 0;
        return true;
    });
    return style;
}

int resolveFontWeight(const QDomElement &element, const SvgGrammar::StyleMap &declarations)
{
    int weight = 50;
    lookUp(element, declarations, QStringLiteral("font-weight"), [&weight](const QString &value) {
        if (value.isEmpty())
            return false;
        if (value == QLatin1String("light") || value == QLatin1String("lighter"))
            weight = 25;
        else if (value == QLatin1String("bold") || value == QLatin1String("bolder"))
            weight = 75;
        else
            weight = 50;
        return true;
    });
    return weight;
}

QFont resolveFont(const QDomElement &element, const SvgGrammar::StyleMap &declarations)
{
    QFont font(resolveFontFamily(element, declarations));
    const double size = resolveFontSize(element, declarations);
    // QFont refuses a point size of 0 with a warning; keep its default then.
    if (size > 0)
        font.setPointSizeF(size);
    switch (resolveFontStyle(element, declarations)) {
    case 1:
        font.setStyle(QFont::StyleItalic);
        break;
    case 2:
        font.setStyle(QFont::StyleOblique);
        break;
    default:
        font.setStyle(QFont::StyleNormal);
        break;
    }
    font.setWeight(resolveFontWeight(element, declarations));
    return font;
}
