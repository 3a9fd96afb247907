#include "document/textoutline.h"

#include "document/documenttemplate.h"
#include "document/engravingattributes.h"
#include "document/fontresolver.h"
#include "document/pathdatawriter.h"
#include "document/svgstyle.h"
#include "document/textlayout.h"

namespace {

struct OutlineSource
{
    QString transform;
    TextLayoutAttributes layout;
    PaintParameter parameters;
};

QString outlineStyle(const SvgGrammar::StyleMap &declarations)
{
    const auto fill = declarations.constFind(QStringLiteral("fill"));
    if (fill != declarations.constEnd())
        return ElementStyles::textOutline(*fill);
    // Without a "fill" declaration the text is engraved in neither mode; an
    // empty "fill:" would turn its outline into a fill.
    QString style = ElementStyles::textOutline(QString());
    return style.mid(style.indexOf(QLatin1Char(';')) + 1);
}

QDomElement emitPath(QDomNode parent, const OutlineSource &source, const QString &text,
                     const QFont &font, const SvgGrammar::StyleMap &declarations)
{
    const TextLayout layout = layoutText(text, font, source.layout.lineSpacing,
                                         source.layout.wordSpacing, source.layout.alignment,
                                         source.layout.direction);
    if (layout.outline.isEmpty())
        return QDomElement();

    QDomElement path = parent.ownerDocument().createElement(QStringLiteral("path"));
    path.setAttribute(QStringLiteral("style"), outlineStyle(declarations));
    path.setAttribute(QStringLiteral("d"), pathToData(layout.outline));
    path.setAttribute(QStringLiteral("transform"),
                      source.transform
                              + QStringLiteral("translate(%1,%2)")
                                        .arg(formatFixed(source.layout.x), formatFixed(source.layout.y)));
    const PaintParameter &p = source.parameters;
    const double values[] = { p.scanTimes, p.scanBuffer, p.scanAccuracy, p.scanAngle, p.scanError,
                              p.scanPower, p.scanSpeed, p.XMotorMovementError, p.YMotorMovementError };
    const QStringList names = numericEngravingAttributes();
    for (int i = 0; i < names.size(); ++i)
        path.setAttribute(names.at(i), formatFixed(values[i]));
    parent.appendChild(path);
    return path;
}

} // namespace

QList<QDomElement> textToOutline(const QDomElement &textElement, const DefaultParameters &defaults)
{
    QList<QDomElement> paths;
    QDomNode parent = textElement.parentNode();
    // A document holds one root element: a text at the root has nowhere to put its paths.
    if (textElement.isNull() || !parent.isElement())
        return paths;

    OutlineSource source;
    source.transform = textElement.attribute(QStringLiteral("transform"));
    source.layout = readTextLayoutAttributes(textElement);
    // The outline paths are read back by the generator, so they carry what the
    // text itself would have been engraved with.
    source.parameters = readPaintParameter(textElement, defaults);
    if (engraveMode(textElement) == EngraveMode::Outline) {
        const OutlineParameters outline = readOutlineParameters(textElement);
        source.parameters.scanTimes = outline.scanTimes;
        source.parameters.scanPower = outline.scanPower;
        source.parameters.scanSpeed = outline.scanSpeed;
        source.parameters.XMotorMovementError = outline.XMotorMovementError;
        source.parameters.YMotorMovementError = outline.YMotorMovementError;
    }
    const SvgGrammar::StyleMap textStyle = SvgGrammar::parseStyleDeclarations(textElement);

    const QDomNodeList children = textElement.childNodes();
    for (int i = 0; i < children.size(); ++i) {
        const QDomNode child = children.at(i);
        QDomElement path;
        if (child.isElement() && child.nodeName() == QLatin1String("tspan")) {
            const QDomElement tspan = child.toElement();
            SvgGrammar::StyleMap declarations = SvgGrammar::parseStyleDeclarations(tspan);
            for (auto it = textStyle.constBegin(); it != textStyle.constEnd(); ++it) {
                if (!declarations.contains(it.key()))
                    declarations.insert(it.key(), it.value());
            }
            path = emitPath(parent, source, tspan.text(), resolveFont(tspan, declarations), declarations);
        } else if (i == 0 && child.isText()) {
            // The element's own text once, however many children follow it.
            path = emitPath(parent, source, child.nodeValue(), resolveFont(textElement, textStyle),
                            textStyle);
        }
        if (!path.isNull())
            paths.append(path);
    }
    return paths;
}
