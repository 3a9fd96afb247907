#include "document/styleresolver.h"

#include "document/svgstyle.h"

#include <QRegularExpression>

namespace {

QString localTag(const QString &tag)
{
    const int colon = tag.indexOf(QLatin1Char(':'));
    return colon < 0 ? tag : tag.mid(colon + 1);
}

} // namespace

StyleResolver::StyleResolver(const QDomDocument &document)
{
    reset(document);
}

void StyleResolver::reset(const QDomDocument &document)
{
    mRules.clear();
    const QDomElement root = document.documentElement();
    mPlimbDesign = declaresPlimbNamespace(root);
    const QDomNodeList sheets = document.elementsByTagName(QStringLiteral("style"));
    for (int i = 0; i < sheets.size(); ++i) {
        const QDomElement sheet = sheets.item(i).toElement();
        const QString type = sheet.attribute(QStringLiteral("type"), QStringLiteral("text/css"));
        if (type.trimmed() != QLatin1String("text/css"))
            continue;
        parseSheet(sheet.text());
    }
}

bool StyleResolver::declaresPlimbNamespace(const QDomElement &root)
{
    return root.hasAttribute(QStringLiteral("xmlns:tolvenrik"));
}

bool StyleResolver::isUnrendered(const QString &tag)
{
    const QString name = localTag(tag);
    return name == QLatin1String("defs") || name == QLatin1String("symbol")
            || name == QLatin1String("clipPath") || name == QLatin1String("mask")
            || name == QLatin1String("marker") || name == QLatin1String("pattern")
            || name == QLatin1String("linearGradient") || name == QLatin1String("radialGradient")
            || name == QLatin1String("filter") || name == QLatin1String("style")
            || name == QLatin1String("metadata") || name == QLatin1String("title")
            || name == QLatin1String("desc") || name == QLatin1String("script");
}

bool StyleResolver::isContainer(const QString &tag)
{
    return tag == QLatin1String("g") || tag == QLatin1String("svg") || tag == QLatin1String("a")
            || tag == QLatin1String("switch");
}

void StyleResolver::parseSheet(const QString &text)
{
    QString sheet = text;
    static const QRegularExpression comments(QStringLiteral("/\\*.*?\\*/"),
                                             QRegularExpression::DotMatchesEverythingOption);
    sheet.remove(comments);
    int start = 0;
    while (start < sheet.size()) {
        const int open = sheet.indexOf(QLatin1Char('{'), start);
        if (open < 0)
            break;
        const int close = sheet.indexOf(QLatin1Char('}'), open);
        if (close < 0)
            break;
        const QString selectors = sheet.mid(start, open - start).trimmed();
        start = close + 1;
        // At-rules (@media, @font-face) are not ours to follow.
        if (selectors.startsWith(QLatin1Char('@')))
            continue;
        QHash<QString, QString> declarations;
        const SvgGrammar::StyleMap map = SvgGrammar::parseStyleText(sheet.mid(open + 1, close - open - 1));
        for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
            QString value = it.value();
            value.remove(QStringLiteral("!important"));
            declarations.insert(it.key(), value.trimmed());
        }
        for (const QString &selector : selectors.split(QLatin1Char(',')))
            addRule(selector.trimmed(), declarations);
    }
}

void StyleResolver::addRule(const QString &selector, const QHash<QString, QString> &declarations)
{
    // Simple selectors only: a name, classes and an id, or "*". A rule with
    // combinators or pseudo-classes selects what we cannot tell, so it is left out.
    static const QRegularExpression simple(
            QStringLiteral("^(\\*|[A-Za-z_][\\w:-]*)?((?:[.#][A-Za-z_-][\\w-]*)*)$"));
    const QRegularExpressionMatch match = simple.match(selector);
    if (selector.isEmpty() || !match.hasMatch())
        return;
    Rule rule;
    rule.tag = match.captured(1) == QLatin1String("*") ? QString() : localTag(match.captured(1));
    static const QRegularExpression part(QStringLiteral("([.#])([A-Za-z_-][\\w-]*)"));
    auto parts = part.globalMatch(match.captured(2));
    int ids = 0;
    while (parts.hasNext()) {
        const QRegularExpressionMatch p = parts.next();
        if (p.captured(1) == QLatin1String("#")) {
            rule.id = p.captured(2);
            ++ids;
        } else {
            rule.classes << p.captured(2);
        }
    }
    rule.specificity = ids * 10000 + rule.classes.size() * 100 + (rule.tag.isEmpty() ? 0 : 1);
    rule.order = mRules.size();
    rule.declarations = declarations;
    mRules.append(rule);
}

bool StyleResolver::matches(const Rule &rule, const QDomElement &element)
{
    if (!rule.tag.isEmpty() && localTag(element.tagName()) != rule.tag)
        return false;
    if (!rule.id.isEmpty() && element.attribute(QStringLiteral("id")) != rule.id)
        return false;
    if (!rule.classes.isEmpty()) {
        const QString names = element.attribute(QStringLiteral("class")).simplified();
        const QVector<QStringRef> classes = names.splitRef(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString &name : rule.classes) {
            if (!classes.contains(QStringRef(&name)))
                return false;
        }
    }
    return true;
}

QString StyleResolver::sheetValue(const QDomElement &element, const QString &property, bool *found) const
{
    const Rule *best = nullptr;
    for (const Rule &rule : mRules) {
        if (!rule.declarations.contains(property))
            continue;
        if (best && (rule.specificity < best->specificity))
            continue;
        if (matches(rule, element))
            best = &rule;
    }
    *found = best != nullptr;
    return best ? best->declarations.value(property) : QString();
}

QString StyleResolver::ownValue(const QDomElement &element, const QString &property, bool *found) const
{
    bool present = false;
    QString value;
    if (element.hasAttribute(QStringLiteral("style"))) {
        const SvgGrammar::StyleMap style = SvgGrammar::parseStyleDeclarations(element);
        const auto it = style.constFind(property);
        if (it != style.constEnd()) {
            present = true;
            value = *it;
        }
    }
    if (!present && !mRules.isEmpty())
        value = sheetValue(element, property, &present);
    if (!present && element.hasAttribute(property)) {
        present = true;
        value = element.attribute(property).trimmed();
    }
    if (present && value == QLatin1String("inherit"))
        present = false;
    if (found)
        *found = present;
    return present ? value : QString();
}

QString StyleResolver::inheritedValue(const QDomElement &element, const QString &property,
                                      bool *found) const
{
    for (QDomElement e = element; !e.isNull(); e = e.parentNode().toElement()) {
        bool present = false;
        const QString value = ownValue(e, property, &present);
        if (present) {
            if (found)
                *found = true;
            return value;
        }
    }
    if (found)
        *found = false;
    return QString();
}

StyleResolver::Paint StyleResolver::paint(const QDomElement &element, const Paint &parent) const
{
    Paint p = parent;
    bool found = false;
    const QString fill = ownValue(element, QStringLiteral("fill"), &found);
    if (found) {
        p.fill = fill;
        p.fillSet = true;
    }
    const QString stroke = ownValue(element, QStringLiteral("stroke"), &found);
    if (found) {
        p.stroke = stroke;
        p.strokeSet = true;
    }
    return p;
}

StyleResolver::Paint StyleResolver::paint(const QDomElement &element) const
{
    QVector<QDomElement> chain;
    for (QDomElement e = element; !e.isNull(); e = e.parentNode().toElement())
        chain.append(e);
    Paint p;
    for (int i = chain.size() - 1; i >= 0; --i)
        p = paint(chain.at(i), p);
    return p;
}

EngraveMode StyleResolver::engraveMode(const QDomElement &element) const
{
    const QString tag = element.tagName();
    if (tag == QLatin1String("image") || isContainer(tag))
        return engraveMode(element, Paint());
    return engraveMode(element, paint(element));
}

EngraveMode StyleResolver::engraveMode(const QDomElement &element, const Paint &paint) const
{
    const QString tag = element.tagName();
    // Plimb's own rule for images and containers: their own declaration.
    if (tag == QLatin1String("image") || (mPlimbDesign && isContainer(tag)))
        return ::engraveMode(element);
    if (isContainer(tag))
        return EngraveMode::None;
    if (!paint.fillSet)
        return mPlimbDesign ? EngraveMode::None : EngraveMode::Fill;
    if (paint.fill != EngravingAttributes::engraveModeOutline)
        return EngraveMode::Fill;
    // An outline nobody sees (no stroke either) is not cut from a foreign drawing.
    if (!mPlimbDesign && (!paint.strokeSet || paint.stroke == QLatin1String("none")))
        return EngraveMode::None;
    return EngraveMode::Outline;
}

bool StyleResolver::isDisplayed(const QDomElement &element) const
{
    bool found = false;
    const QString display = ownValue(element, QStringLiteral("display"), &found);
    return !found || display != QLatin1String("none");
}
