#include "document/svgtransform.h"

#include "document/svgnumbers.h"
#include "document/svgscanner.h"

#include <QDebug>

#include <cmath>

using namespace SvgScanner;

namespace SvgGrammar {

namespace {

const double pi = 3.14159265358979;

enum class Function { Translate, Scale, Rotate, SkewX, SkewY, Matrix };

struct FunctionMatch
{
    Function function;
    int begin;     // index of the name
    int end;       // index after ")"
    int argsBegin; // the text between the parentheses
    int argsEnd;
};

bool isArgumentChar(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || u == '-' || u == '+' || u == '.' || u == ',' || u == 'e' || u == 'E'
           || isSpace(c);
}

bool nameAt(const QChar *p, const QChar *end, const char *name)
{
    for (; *name; ++name, ++p) {
        if (p >= end || p->unicode() != ushort(*name))
            return false;
    }
    return true;
}

// Finds the next transform function at or after `from`: a whole-word name,
// optional spaces, "(", at least one argument character and ")". Each
// character is looked at a bounded number of times, so a search over the
// whole text is linear.
bool findFunction(const QString &text, int from, bool translateOnly, FunctionMatch *match)
{
    static const struct
    {
        const char *name;
        int length;
        Function function;
    } names[] = {
        {"translate", 9, Function::Translate}, {"scale", 5, Function::Scale}, {"rotate", 6, Function::Rotate},
        {"skewX", 5, Function::SkewX},         {"skewY", 5, Function::SkewY}, {"matrix", 6, Function::Matrix},
    };
    const QChar *begin = text.constData();
    const QChar *end = begin + text.size();
    const QChar *p = begin + from;
    while (p < end) {
        const ushort u = p->unicode();
        const bool wordStart = (p == begin || !isWordChar(p[-1]));
        if (wordStart && (u == 't' || u == 's' || u == 'r' || u == 'm')) {
            for (const auto &n : names) {
                if (translateOnly && n.function != Function::Translate)
                    continue;
                if (!nameAt(p, end, n.name))
                    continue;
                const QChar *q = p + n.length;
                if (q < end && isWordChar(*q))
                    continue;
                q = skipSpaces(q, end);
                if (q >= end || q->unicode() != '(')
                    continue;
                const QChar *argsBegin = q + 1;
                const QChar *a = argsBegin;
                while (a < end && isArgumentChar(*a))
                    ++a;
                if (a > argsBegin && a < end && a->unicode() == ')') {
                    match->function = n.function;
                    match->begin = int(p - begin);
                    match->end = int(a + 1 - begin);
                    match->argsBegin = int(argsBegin - begin);
                    match->argsEnd = int(a - begin);
                    return true;
                }
                // No function can start inside a run of argument characters
                // (they hold no name letters), so the search resumes after it.
                p = a > p ? a - 1 : p;
                break;
            }
        }
        ++p;
    }
    return false;
}

QVector<double> argumentsOf(const QString &text, const FunctionMatch &match)
{
    return parseNumberList(text.mid(match.argsBegin, match.argsEnd - match.argsBegin).trimmed());
}

bool isFinite(const QTransform &t)
{
    return std::isfinite(t.m11()) && std::isfinite(t.m12()) && std::isfinite(t.m13()) && std::isfinite(t.m21())
           && std::isfinite(t.m22()) && std::isfinite(t.m23()) && std::isfinite(t.m31()) && std::isfinite(t.m32())
           && std::isfinite(t.m33());
}

QString fixed6(double value)
{
    return QString::number(value, 'f', 6);
}

} // namespace

namespace {

// The product of the accepted functions, not checked for overflow.
QTransform composeTransform(const QString &text, bool *accepted)
{
    *accepted = false;
    QTransform result;
    FunctionMatch match;
    int from = 0;
    while (findFunction(text, from, false, &match)) {
        from = match.end;
        const QVector<double> a = argumentsOf(text, match);
        QTransform t;
        bool known = true;
        switch (match.function) {
        case Function::Translate:
            if (a.size() == 2)
                t.translate(a[0], a[1]);
            else if (a.size() == 1)
                t.translate(a[0], 0);
            else
                known = false;
            break;
        case Function::Scale:
            if (a.size() == 2)
                t.scale(a[0], a[1]);
            else if (a.size() == 1)
                t.scale(a[0], a[0]);
            else
                known = false;
            break;
        case Function::Rotate:
            if (a.size() == 3)
                t.translate(a[1], a[2]).rotate(a[0]).translate(-a[1], -a[2]);
            else if (a.size() == 1)
                t.rotate(a[0]);
            else
                known = false;
            break;
        case Function::SkewX:
            if (a.size() == 1)
                t = QTransform(1, 0, 0, std::tan(a[0] * pi / 180.0), 1, 0, 0, 0, 1);
            else
                known = false;
            break;
        case Function::SkewY:
            if (a.size() == 1)
                t = QTransform(1, std::tan(a[0] * pi / 180.0), 0, 0, 1, 0, 0, 0, 1);
            else
                known = false;
            break;
        case Function::Matrix:
            if (a.size() == 6)
                t = QTransform(a[0], a[1], 0, a[2], a[3], 0, a[4], a[5], 1);
            else
                known = false;
            break;
        }
        if (!known)
            continue;
        *accepted = true;
        // The function written last acts on a point first.
        result = t * result;
    }
    return result;
}

} // namespace

QTransform parseTransform(const QString &text, bool *found)
{
    bool accepted = false;
    const QTransform result = composeTransform(text, &accepted);
    // Huge factors can overflow; an infinite transform would poison every
    // coordinate derived from it.
    if (!isFinite(result)) {
        if (found)
            *found = false;
        return QTransform();
    }
    if (found)
        *found = accepted;
    return result;
}

QTransform transformFromAttribute(const QDomElement &element, bool *found)
{
    if (element.isNull() || !element.hasAttribute(QStringLiteral("transform"))) {
        if (found)
            *found = false;
        return QTransform();
    }
    return parseTransform(element.attribute(QStringLiteral("transform")), found);
}

void prependTransformAsMatrix(QString &text, const QString &function)
{
    bool accepted = false;
    const QTransform t = composeTransform(function + text, &accepted);
    // An overflowing product cannot be written; the old text keeps the element where it was.
    if (!isFinite(t))
        return;
    text = QStringLiteral("matrix(%1,%2,%3,%4,%5,%6)")
               .arg(fixed6(t.m11()), fixed6(t.m12()), fixed6(t.m21()), fixed6(t.m22()), fixed6(t.dx()), fixed6(t.dy()));
}

void prependTranslate(QString &text, const QString &translate)
{
    FunctionMatch match;
    // Only a translate can be merged; anything else goes in front unchanged.
    if (startsWithTranslate(translate) && findFunction(text, 0, true, &match) && match.begin == 0) {
        const QPointF a = translateOf(text);
        const QPointF b = translateOf(translate);
        const double x = a.x() + b.x();
        const double y = a.y() + b.y();
        if (std::isfinite(x) && std::isfinite(y)) {
            text.replace(0, match.end, QStringLiteral("translate(%1,%2)").arg(fixed6(x), fixed6(y)));
            return;
        }
    }
    text.prepend(translate);
}

QPointF translateOf(const QString &text)
{
    FunctionMatch match;
    if (!findFunction(text, 0, true, &match))
        return QPointF(0, 0);
    const QVector<double> a = argumentsOf(text, match);
    if (a.size() == 2)
        return QPointF(a[0], a[1]);
    if (a.size() == 1)
        return QPointF(a[0], 0);
    return QPointF(0, 0);
}

bool startsWithTranslate(const QString &text)
{
    FunctionMatch match;
    return findFunction(text, 0, true, &match) && match.begin == 0;
}

bool startsWithMatrix(const QString &text)
{
    FunctionMatch match;
    return findFunction(text, 0, false, &match) && match.begin == 0 && match.function == Function::Matrix;
}

} // namespace SvgGrammar
