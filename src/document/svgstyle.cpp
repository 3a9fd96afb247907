#include "document/svgstyle.h"

#include "document/svgnumbers.h"
#include "document/svgscanner.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>

using namespace SvgScanner;

namespace SvgGrammar {

namespace {

bool isAspectChar(QChar c)
{
    switch (c.unicode()) {
    case 'x': case 'Y': case 'M': case 'i': case 'n': case 'd': case 'a': case 'o': case 'e':
        return true;
    default:
        return false;
    }
}

} // namespace

Qt::AspectRatioMode aspectRatioMode(const QDomElement &element)
{
    const QString value = element.attribute(QStringLiteral("preserveAspectRatio"));
    const QChar *begin = value.constData();
    const QChar *end = begin + value.size();
    // The first run of at least four alignment characters ("xMidYMid", "none").
    const QChar *p = begin;
    const QChar *runStart = nullptr;
    const QChar *runEnd = nullptr;
    while (p < end) {
        if (!isAspectChar(*p)) {
            ++p;
            continue;
        }
        const QChar *q = p;
        while (q < end && isAspectChar(*q))
            ++q;
        if (q - p >= 4) {
            runStart = p;
            runEnd = q;
            break;
        }
        p = q;
    }
    if (!runStart)
        return Qt::KeepAspectRatio;
    if (runEnd - runStart == 4 && QStringView(runStart, 4) == QLatin1String("none"))
        return Qt::IgnoreAspectRatio;
    // "slice" after white space anywhere behind the run.
    const QStringView rest(runEnd, end - runEnd);
    static const QLatin1String slice("slice");
    for (int i = rest.indexOf(slice); i >= 0; i = rest.indexOf(slice, i + 1)) {
        if (i > 0 && isSpace(rest.at(i - 1)))
            return Qt::KeepAspectRatioByExpanding;
    }
    return Qt::KeepAspectRatio;
}

StyleMap parseStyleDeclarations(const QDomElement &element)
{
    return parseStyleText(element.attribute(QStringLiteral("style")));
}

StyleMap parseStyleText(const QString &style)
{
    StyleMap map;
    const QVector<QStringRef> parts = style.splitRef(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QStringRef &part : parts) {
        const QVector<QStringRef> pieces = part.trimmed().split(QLatin1Char(':'));
        if (pieces.size() == 2)
            map.insert(pieces.at(0).trimmed().toString(), pieces.at(1).trimmed().toString());
    }
    return map;
}

QString styleToString(const StyleMap &style)
{
    QString text;
    for (auto it = style.constBegin(); it != style.constEnd(); ++it)
        text += it.key() + QLatin1Char(':') + it.value() + QLatin1Char(';');
    return text;
}

QString installedFontFamily(const QString &value)
{
    const QStringList families = QFontDatabase().families();
    if (families.isEmpty())
        return value;
    // Editors write lists with fallbacks and quote names with spaces:
    // "'DejaVu Sans', Arial, sans-serif".
    const QStringList entries = value.split(QLatin1Char(','));
    QString wanted;
    for (QString entry : entries) {
        entry = entry.trimmed();
        if (entry.size() >= 2 && (entry.startsWith(QLatin1Char('\'')) || entry.startsWith(QLatin1Char('"')))
            && entry.endsWith(entry.at(0)))
            entry = entry.mid(1, entry.size() - 2);
        if (families.contains(entry, Qt::CaseSensitive))
            return entry;
        if (wanted.isEmpty())
            wanted = entry;
    }
    // A generic name or a family that is not installed is matched the way
    // the desktop matches it (fontconfig), which ends at its default sans,
    // never at whatever family happens to sort first.
    static const QHash<QString, QFont::StyleHint> generic{
            {QStringLiteral("sans-serif"), QFont::SansSerif}, {QStringLiteral("serif"), QFont::Serif},
            {QStringLiteral("monospace"), QFont::Monospace}, {QStringLiteral("cursive"), QFont::Cursive},
            {QStringLiteral("fantasy"), QFont::Fantasy}};
    QFont font(wanted.isEmpty() ? QStringLiteral("sans-serif") : wanted);
    font.setStyleHint(generic.value(wanted.toLower(), QFont::SansSerif));
    const QString matched = QFontInfo(font).family();
    return families.contains(matched) ? matched : families.first();
}

QString styleFontFamily(const StyleMap &style)
{
    return installedFontFamily(style.contains(QStringLiteral("font-family"))
                                       ? style.value(QStringLiteral("font-family"))
                                       : QFont().family());
}

double styleFontSize(const StyleMap &style)
{
    if (!style.contains(QStringLiteral("font-size")))
        return QFont().pointSizeF();
    bool ok = false;
    const double size = parseLength(style.value(QStringLiteral("font-size")), &ok);
    // An unreadable size would give invisible text; the default keeps it usable.
    return ok ? size : QFont().pointSizeF();
}

QFont::Style styleFontStyle(const StyleMap &style)
{
    const QString value = style.value(QStringLiteral("font-style"));
    if (value == QLatin1String("italic"))
        return QFont::StyleItalic;
    if (value == QLatin1String("oblique"))
        return QFont::StyleOblique;
    return QFont::StyleNormal;
}

int styleFontWeight(const StyleMap &style)
{
    const QString value = style.value(QStringLiteral("font-weight"));
    if (value == QLatin1String("light") || value == QLatin1String("lighter"))
        return 25;
    if (value == QLatin1String("bold") || value == QLatin1String("bolder"))
        return 75;
    return 50;
}

} // namespace SvgGrammar
