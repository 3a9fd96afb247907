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
    mDeclared.clear();
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
        const QString selectors = sheet.mid(start, open - start).trimmed();
        // At-rules (@media, @font-face) are not ours to follow; their blocks
        // may nest one level.
        int close = sheet.indexOf(QLatin1Char('}'), open);
        if (close < 0)
            break;
        if (selectors.startsWith(QLatin1Char('@'))) {
            const int inner = sheet.indexOf(QLatin1Char('{'), open + 1);
            if (inner >= 0 && inner < close) {
                close = sheet.indexOf(QLatin1Char('}'), close + 1);
                if (close < 0)
                    break;
            }
            start = close + 1;
            continue;
        }
        start = close + 1;
        QHash<QString, QString> declarations;
        QSet<QString> important;
        const SvgGrammar::StyleMap map = SvgGrammar::parseStyleText(sheet.mid(open + 1, close - open - 1));
        for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
            QString value = it.value();
            static const QRegularExpression bang(QStringLiteral("!\\s*important\\s*$"),
                                                 QRegularExpression::CaseInsensitiveOption);
            if (value.contains(bang)) {
                value.remove(bang);
                important.insert(it.key());
            }
            declarations.insert(it.key(), value.trimmed());
        }
        for (const QString &selector : selectors.split(QLatin1Char(',')))
            addRule(selector.trimmed(), declarations, important);
    }
}

void StyleResolver::addRule(const QString &selector, const QHash<QString, QString> &declarations,
                            const QSet<QString> &important)
{
    // A selector we cannot read (pseudo-elements, most pseudo-classes) would
    // select what we cannot tell, so its rule is left out.
    Rule rule;
    Compound current;
    bool inCompound = false;
    QChar pending;
    int ids = 0;
    int classes = 0;
    int types = 0;
    const auto isNameChar = [](QChar c) {
        return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_') || c.unicode() > 127;
    };
    const auto finish = [&]() {
        if (!inCompound)
            return;
        if (!rule.parts.isEmpty())
            rule.combinators.append(pending.isNull() ? QLatin1Char(' ') : pending);
        rule.parts.append(current);
        current = Compound();
        inCompound = false;
        pending = QChar();
    };
    int i = 0;
    const int n = selector.size();
    const auto readName = [&]() {
        const int from = i;
        while (i < n && (isNameChar(selector.at(i)) || selector.at(i) == QLatin1Char('|')
                         || selector.at(i) == QLatin1Char(':')))
            ++i;
        return selector.mid(from, i - from);
    };
    while (i < n) {
        const QChar c = selector.at(i);
        if (c.isSpace()) {
            finish();
            ++i;
            continue;
        }
        if (c == QLatin1Char('>') || c == QLatin1Char('+') || c == QLatin1Char('~')) {
            if (c != QLatin1Char('>'))
                return;    // sibling combinators: not followed
            finish();
            if (rule.parts.isEmpty())
                return;
            pending = c;
            ++i;
            continue;
        }
        if (c == QLatin1Char('*')) {
            inCompound = true;
            ++i;
            continue;
        }
        if (c == QLatin1Char('.') || c == QLatin1Char('#')) {
            ++i;
            const int from = i;
            while (i < n && isNameChar(selector.at(i)))
                ++i;
            if (i == from)
                return;
            const QString name = selector.mid(from, i - from);
            if (c == QLatin1Char('.')) {
                current.classes << name;
                ++classes;
            } else {
                current.id = name;
                ++ids;
            }
            inCompound = true;
            continue;
        }
        if (c == QLatin1Char('[')) {
            const int closeAt = selector.indexOf(QLatin1Char(']'), i);
            if (closeAt < 0)
                return;
            const QString body = selector.mid(i + 1, closeAt - i - 1).trimmed();
            i = closeAt + 1;
            static const QRegularExpression test(QStringLiteral(
                    "^([\\w:|-]+)\\s*(?:([~^$*|]?)=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s\"']+)))?\\s*$"));
            const QRegularExpressionMatch m = test.match(body);
            if (!m.hasMatch())
                return;
            AttributeTest attribute;
            attribute.name = m.captured(1);
            if (m.capturedStart(3) >= 0 || m.capturedStart(4) >= 0 || m.capturedStart(5) >= 0) {
                attribute.op = m.captured(2).isEmpty() ? QLatin1Char('=') : m.captured(2).at(0);
                attribute.value = m.captured(3) + m.captured(4) + m.captured(5);
            }
            current.attributes.append(attribute);
            ++classes;
            inCompound = true;
            continue;
        }
        if (c == QLatin1Char(':')) {
            ++i;
            const QString pseudo = readName();
            if (pseudo != QLatin1String("first-child"))
                return;
            current.firstChild = true;
            ++classes;
            inCompound = true;
            continue;
        }
        if (isNameChar(c)) {
            const int from = i;
            while (i < n && (isNameChar(selector.at(i)) || selector.at(i) == QLatin1Char('|')))
                ++i;
            QString tag = selector.mid(from, i - from);
            const int bar = tag.indexOf(QLatin1Char('|'));
            if (bar >= 0)
                tag = tag.mid(bar + 1);
            current.tag = localTag(tag);
            ++types;
            inCompound = true;
            continue;
        }
        return;
    }
    finish();
    if (rule.parts.isEmpty() || !pending.isNull())
        return;
    rule.specificity = ids * 10000 + classes * 100 + types;
    rule.order = mRules.size();
    rule.declarations = declarations;
    rule.important = important;
    for (auto it = declarations.constBegin(); it != declarations.constEnd(); ++it)
        mDeclared.insert(it.key());
    mRules.append(rule);
}

bool StyleResolver::matchesCompound(const Compound &compound, const QDomElement &element)
{
    if (!compound.tag.isEmpty() && localTag(element.tagName()) != compound.tag)
        return false;
    if (!compound.id.isEmpty() && element.attribute(QStringLiteral("id")) != compound.id)
        return false;
    if (!compound.classes.isEmpty()) {
        if (!element.hasAttribute(QStringLiteral("class")))
            return false;
        const QString names = element.attribute(QStringLiteral("class")).simplified();
        const QVector<QStringRef> classes = names.splitRef(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString &name : compound.classes) {
            if (!classes.contains(QStringRef(&name)))
                return false;
        }
    }
    for (const AttributeTest &test : compound.attributes) {
        if (!element.hasAttribute(test.name))
            return false;
        const QString value = element.attribute(test.name);
        switch (test.op.unicode()) {
        case 0:
            break;
        case '=':
            if (value != test.value)
                return false;
            break;
        case '~':
            if (!value.simplified().split(QLatin1Char(' ')).contains(test.value))
                return false;
            break;
        case '^':
            if (test.value.isEmpty() || !value.startsWith(test.value))
                return false;
            break;
        case '$':
            if (test.value.isEmpty() || !value.endsWith(test.value))
                return false;
            break;
        case '*':
            if (test.value.isEmpty() || !value.contains(test.value))
                return false;
            break;
        case '|':
            if (value != test.value && !value.startsWith(test.value + QLatin1Char('-')))
                return false;
            break;
        default:
            return false;
        }
    }
    if (compound.firstChild) {
        const QDomNode parent = element.parentNode();
        if (!parent.isElement() || parent.firstChildElement() != element)
            return false;
    }
    return true;
}

bool StyleResolver::matchesFrom(const Rule &rule, int part, const QDomElement &element)
{
    if (!matchesCompound(rule.parts.at(part), element))
        return false;
    if (part == 0)
        return true;
    const QChar combinator = rule.combinators.at(part - 1);
    QDomNode ancestor = element.parentNode();
    if (combinator == QLatin1Char('>'))
        return ancestor.isElement() && matchesFrom(rule, part - 1, ancestor.toElement());
    for (; ancestor.isElement(); ancestor = ancestor.parentNode()) {
        if (matchesFrom(rule, part - 1, ancestor.toElement()))
            return true;
    }
    return false;
}

bool StyleResolver::anyRuleMatches(const QDomElement &element) const
{
    for (const Rule &rule : mRules) {
        if (matches(rule, element))
            return true;
    }
    return false;
}

bool StyleResolver::rulesSeeElementOnly() const
{
    for (const Rule &rule : mRules) {
        if (rule.parts.size() != 1 || !rule.parts.first().attributes.isEmpty() || rule.parts.first().firstChild)
            return false;
    }
    return true;
}

bool StyleResolver::matches(const Rule &rule, const QDomElement &element)
{
    return matchesFrom(rule, rule.parts.size() - 1, element);
}

QString StyleResolver::sheetValue(const QDomElement &element, const QString &property, bool important,
                                  bool *found) const
{
    const Rule *best = nullptr;
    for (const Rule &rule : mRules) {
        if (!rule.declarations.contains(property) || rule.important.contains(property) != important)
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
    QString styleValue;
    bool inStyle = false;
    if (element.hasAttribute(QStringLiteral("style"))) {
        const SvgGrammar::StyleMap style = SvgGrammar::parseStyleDeclarations(element);
        const auto it = style.constFind(property);
        if (it != style.constEnd()) {
            inStyle = true;
            styleValue = *it;
            static const QRegularExpression bang(QStringLiteral("!\\s*important\\s*$"),
                                                 QRegularExpression::CaseInsensitiveOption);
            if (styleValue.contains(bang)) {
                styleValue.remove(bang);
                styleValue = styleValue.trimmed();
                present = true;
                value = styleValue;
            }
        }
    }
    if (!present && !mRules.isEmpty())
        value = sheetValue(element, property, true, &present);
    if (!present && inStyle) {
        present = true;
        value = styleValue;
    }
    if (!present && !mRules.isEmpty())
        value = sheetValue(element, property, false, &present);
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

QString StyleResolver::imageMode(const QDomElement &image, bool plimbDesign)
{
    if (!plimbDesign && !image.hasAttribute(EngravingAttributes::image))
        return EngravingAttributes::imageGray;
    return image.attribute(EngravingAttributes::image);
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
