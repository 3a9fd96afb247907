#include "document/svgtextlayout.h"

#include "document/svgnumbers.h"
#include "document/viewportgeometry.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTransform>
#include <QVector>

#include <cmath>
#include <optional>

namespace SvgTextLayout {

namespace {

// Glyphs are drawn at this size and scaled to the font size, so sizes below
// a pixel and fractional sizes keep their shapes.
constexpr int designPixels = 256;
constexpr double defaultFontSize = 16;

struct Style
{
    double fontSize = defaultFontSize;
    QString family;
    int weight = QFont::Normal;
    QFont::Style italic = QFont::StyleNormal;
    QString anchor = QStringLiteral("start");
    double letterSpacing = 0;
    double wordSpacing = 0;
    bool preserve = false;
};

Style styleOf(const QDomElement &element, const StyleResolver &styles, const Style &parent)
{
    Style s = parent;
    bool found = false;
    QString value = styles.ownValue(element, QStringLiteral("font-size"), &found);
    if (found)
        s.fontSize = ViewportGeometry::cssFontSize(value, parent.fontSize);
    value = styles.ownValue(element, QStringLiteral("font-family"), &found);
    if (found && !value.trimmed().isEmpty())
        s.family = value;
    value = styles.ownValue(element, QStringLiteral("font-weight"), &found);
    if (found)
        s.weight = fontWeight(value, parent.weight);
    value = styles.ownValue(element, QStringLiteral("font-style"), &found).trimmed();
    if (found)
        s.italic = value == QLatin1String("italic") ? QFont::StyleItalic
                : value == QLatin1String("oblique") ? QFont::StyleOblique
                                                    : QFont::StyleNormal;
    value = styles.ownValue(element, QStringLiteral("text-anchor"), &found).trimmed();
    if (found)
        s.anchor = value;
    double length = 0;
    value = styles.ownValue(element, QStringLiteral("letter-spacing"), &found).trimmed();
    if (found)
        s.letterSpacing = ViewportGeometry::cssLength(value, s.fontSize, &length) ? length : 0;
    value = styles.ownValue(element, QStringLiteral("word-spacing"), &found).trimmed();
    if (found)
        s.wordSpacing = ViewportGeometry::cssLength(value, s.fontSize, &length) ? length : 0;
    if (element.hasAttribute(QStringLiteral("xml:space")))
        s.preserve = element.attribute(QStringLiteral("xml:space")) == QLatin1String("preserve");
    return s;
}

Style inheritedStyle(const QDomElement &element, const StyleResolver &styles)
{
    QVector<QDomElement> chain;
    for (QDomElement e = element; !e.isNull(); e = e.parentNode().toElement())
        chain.prepend(e);
    Style s;
    for (const QDomElement &e : chain)
        s = styleOf(e, styles, s);
    return s;
}

QFont fontFor(const Style &style)
{
    static const QHash<QString, QFont::StyleHint> generic{
        { "serif", QFont::Serif },         { "sans-serif", QFont::SansSerif }, { "monospace", QFont::Monospace },
        { "cursive", QFont::Cursive },     { "fantasy", QFont::Fantasy },      { "system-ui", QFont::SansSerif },
    };
    QFont font;
    QString chosen;
    QFont::StyleHint hint = QFont::Serif;    // a renderer's initial family
    const QStringList installed = QFontDatabase().families();
    for (QString name : style.family.split(QLatin1Char(','))) {
        name = name.trimmed();
        if (name.size() >= 2 && (name.startsWith(QLatin1Char('"')) || name.startsWith(QLatin1Char('\''))))
            name = name.mid(1, name.size() - 2);
        if (name.isEmpty())
            continue;
        if (generic.contains(name.toLower())) {
            // fontconfig knows the system's choice for the generic names.
            chosen = name.toLower();
            hint = generic.value(chosen);
            break;
        }
        const auto match = std::find_if(installed.cbegin(), installed.cend(), [&name](const QString &family) {
            return family.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (match != installed.cend()) {
            chosen = *match;
            hint = QFont::AnyStyle;
            break;
        }
    }
    if (chosen.isEmpty())
        chosen = QStringLiteral("serif");
    font.setFamily(chosen);
    font.setStyleHint(hint == QFont::AnyStyle ? QFont::AnyStyle : hint);
    font.setPixelSize(designPixels);
    font.setWeight(style.weight);
    font.setStyle(style.italic);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QVector<double> numbers(const QDomElement &element, const char *name, double fontSize)
{
    QVector<double> values;
    if (!element.hasAttribute(QLatin1String(name)))
        return values;
    const QString text = element.attribute(QLatin1String(name)).trimmed();
    for (const QString &piece : text.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts)) {
        double value = 0;
        if (!ViewportGeometry::cssLength(piece, fontSize, &value))
            break;
        values.append(value);
    }
    return values;
}

struct Positioned
{
    QDomElement element;
    int start = 0;
    QVector<double> x, y, dx, dy;
};

struct Glyph
{
    QChar c;
    Style style;
    std::optional<double> x, y;
    double dx = 0;
    double dy = 0;
};

class Collector
{
public:
    explicit Collector(const StyleResolver &styles) : mStyles(styles) {}

    void walk(const QDomElement &element, const Style &style)
    {
        Positioned p;
        p.element = element;
        p.start = mGlyphs.size() + int(mPending.size());
        p.x = numbers(element, "x", style.fontSize);
        p.y = numbers(element, "y", style.fontSize);
        p.dx = numbers(element, "dx", style.fontSize);
        p.dy = numbers(element, "dy", style.fontSize);
        mStack.append(p);
        for (QDomNode n = element.firstChild(); !n.isNull(); n = n.nextSibling()) {
            if (n.isText()) {
                addText(n.nodeValue(), style);
            } else if (n.isElement()) {
                const QDomElement child = n.toElement();
                const QString tag = child.tagName();
                if ((tag == QLatin1String("tspan") || tag == QLatin1String("a")) && mStyles.isDisplayed(child))
                    walk(child, styleOf(child, mStyles, style));
            }
        }
        mStack.removeLast();
    }

    QVector<Glyph> finish()
    {
        // Trailing white space of the whole text goes, unless preserved.
        while (!mGlyphs.isEmpty() && mGlyphs.last().c == QLatin1Char(' ') && !mGlyphs.last().style.preserve)
            mGlyphs.removeLast();
        return mGlyphs;
    }

private:
    void addText(const QString &raw, const Style &style)
    {
        for (QChar c : raw) {
            if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
                if (!style.preserve)
                    continue;
                c = QLatin1Char(' ');
            }
            if (c == QLatin1Char('\t'))
                c = QLatin1Char(' ');
            if (!style.preserve && c == QLatin1Char(' ') && mLastSpace)
                continue;
            mLastSpace = c == QLatin1Char(' ');
            Glyph g;
            g.c = c;
            g.style = style;
            const int index = mGlyphs.size();
            // The deepest element with a value for this character gives it.
            for (int i = mStack.size() - 1; i >= 0; --i) {
                const Positioned &p = mStack.at(i);
                const int k = index - p.start;
                if (!g.x && k < p.x.size())
                    g.x = p.x.at(k);
                if (!g.y && k < p.y.size())
                    g.y = p.y.at(k);
            }
            for (int i = mStack.size() - 1; i >= 0; --i) {
                const Positioned &p = mStack.at(i);
                const int k = index - p.start;
                if (k < p.dx.size()) {
                    g.dx = p.dx.at(k);
                    break;
                }
            }
            for (int i = mStack.size() - 1; i >= 0; --i) {
                const Positioned &p = mStack.at(i);
                const int k = index - p.start;
                if (k < p.dy.size()) {
                    g.dy = p.dy.at(k);
                    break;
                }
            }
            mGlyphs.append(g);
        }
    }

    const StyleResolver &mStyles;
    QVector<Positioned> mStack;
    QVector<Glyph> mGlyphs;
    QVector<Glyph> mPending;
    bool mLastSpace = true;    // leading white space goes
};

} // namespace

int fontWeight(const QString &value, int parent)
{
    const QString v = value.trimmed().toLower();
    if (v == QLatin1String("normal"))
        return QFont::Normal;
    if (v == QLatin1String("bold"))
        return QFont::Bold;
    if (v == QLatin1String("bolder"))
        return parent < QFont::Normal ? QFont::Normal : parent < QFont::Bold ? QFont::Bold : QFont::Black;
    if (v == QLatin1String("lighter"))
        return parent > QFont::Bold ? QFont::Bold : parent > QFont::Normal ? QFont::Normal : QFont::Thin;
    bool ok = false;
    const int number = v.toInt(&ok);
    if (!ok || number < 1 || number > 1000)
        return parent;
    static const int scale[] = { QFont::Thin, QFont::ExtraLight, QFont::Light, QFont::Normal, QFont::Medium,
                                 QFont::DemiBold, QFont::Bold, QFont::ExtraBold, QFont::Black };
    return scale[std::clamp((number + 50) / 100, 1, 9) - 1];
}

QFont font(const QDomElement &element, const StyleResolver &styles)
{
    return fontFor(inheritedStyle(element, styles));
}

QPainterPath outline(const QDomElement &text, const StyleResolver &styles)
{
    Collector collector(styles);
    collector.walk(text, inheritedStyle(text, styles));
    const QVector<Glyph> glyphs = collector.finish();

    QPainterPath result;
    QPainterPath chunk;
    double chunkStart = 0;
    QString anchor;
    double x = 0;
    double y = 0;
    const auto closeChunk = [&]() {
        const double width = x - chunkStart;
        const double shift = anchor == QLatin1String("middle") ? -width / 2
                : anchor == QLatin1String("end")             ? -width
                                                              : 0;
        result.addPath(QTransform::fromTranslate(shift, 0).map(chunk));
        chunk = QPainterPath();
    };
    QHash<QString, QFont> fonts;
    for (int i = 0; i < glyphs.size(); ++i) {
        const Glyph &g = glyphs.at(i);
        if (i == 0 || g.x || g.y) {
            if (i > 0)
                closeChunk();
            if (g.x)
                x = *g.x;
            if (g.y)
                y = *g.y;
            chunkStart = x;
            anchor = g.style.anchor;
        }
        x += g.dx;
        y += g.dy;
        const QString key = QStringLiteral("%1|%2|%3").arg(g.style.family).arg(g.style.weight).arg(int(g.style.italic));
        auto f = fonts.find(key);
        if (f == fonts.end())
            f = fonts.insert(key, fontFor(g.style));
        const double scale = g.style.fontSize / designPixels;
        QPainterPath glyph;
        glyph.addText(QPointF(0, 0), *f, QString(g.c));
        chunk.addPath(QTransform(scale, 0, 0, scale, x, y).map(glyph));
        x += QFontMetricsF(*f).horizontalAdvance(g.c) * scale + g.style.letterSpacing;
        if (g.c == QLatin1Char(' '))
            x += g.style.wordSpacing;
    }
    if (!glyphs.isEmpty())
        closeChunk();
    return result;
}

} // namespace SvgTextLayout
