#include "gcode/rendertree.h"

#include "document/idindex.h"
#include "document/svgfile.h"
#include "document/svggrammar.h"
#include "document/viewportgeometry.h"
#include "gcode/outlineshape.h"

#include <QHash>
#include <QLocale>
#include <QSet>

#include <cmath>
#include <vector>

namespace RenderTree {

namespace {

QString hrefOf(const QDomElement &element)
{
    QString href = element.attribute(QStringLiteral("xlink:href"));
    if (href.isEmpty())
        href = element.attribute(QStringLiteral("href"));
    return href.trimmed();
}

QString numberText(double value)
{
    return QString::number(value, 'g', 12);
}

double lengthOr(const QDomElement &element, const QString &name, double fallback,
                const QSizeF &viewport, Qt::Orientations axis)
{
    if (!element.hasAttribute(name))
        return fallback;
    bool ok = false;
    const double value = SvgGrammar::parseViewportLength(element.attribute(name), viewport, axis, &ok);
    return ok ? value : fallback;
}

QString matrixText(const QTransform &t)
{
    return QStringLiteral("matrix(%1,%2,%3,%4,%5,%6)")
            .arg(numberText(t.m11()), numberText(t.m12()), numberText(t.m21()), numberText(t.m22()),
                 numberText(t.dx()), numberText(t.dy()));
}

// Sets "transform" to `extra` applied first, then the element's own transform.
void prependToTransform(QDomElement &element, const QTransform &extra)
{
    if (extra.isIdentity())
        return;
    const QTransform own = SvgGrammar::transformFromAttribute(element);
    element.setAttribute(QStringLiteral("transform"), matrixText(extra * own));
}

// What one copy of an element costs: its elements, and its path segments
// (numbers in "d" and "points" taken in pairs, a cheap count that never
// parses).
struct CopySize
{
    qint64 elements = 0;
    qint64 segments = 0;
};

qint64 numberCount(const QString &data)
{
    qint64 count = 0;
    bool inNumber = false;
    for (const QChar c : data) {
        const bool part = c.isDigit() || c == QLatin1Char('.');
        count += part && !inNumber;
        inNumber = part;
    }
    return count;
}

CopySize copySize(const QDomElement &root)
{
    CopySize size;
    std::vector<QDomElement> stack{ root };
    while (!stack.empty()) {
        const QDomElement e = stack.back();
        stack.pop_back();
        ++size.elements;
        for (const char *name : { "d", "points" }) {
            if (e.hasAttribute(QLatin1String(name)))
                size.segments += numberCount(e.attribute(QLatin1String(name))) / 2;
        }
        for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
            stack.push_back(c);
    }
    return size;
}

bool hasAncestorWithId(const QDomElement &element, const QString &id)
{
    for (QDomNode n = element.parentNode(); n.isElement(); n = n.parentNode()) {
        if (n.toElement().attribute(QStringLiteral("id")) == id)
            return true;
    }
    return false;
}

// The bounds of the shapes inside `container` in its own user space; an
// invalid rectangle when it holds anything else (text, pictures, uses),
// whose extent is not known here.
QRectF shapeBounds(const QDomElement &container)
{
    static const QSet<QString> shapes{ "rect", "circle", "ellipse", "line", "polyline", "polygon", "path" };
    static const QSet<QString> silent{ "title", "desc", "metadata", "defs", "style", "linearGradient",
                                       "radialGradient" };
    QRectF bounds;
    bool any = false;
    std::vector<std::pair<QDomElement, QTransform>> stack{ { container, QTransform() } };
    while (!stack.empty()) {
        const auto [element, transform] = stack.back();
        stack.pop_back();
        for (QDomElement c = element.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
            const QString tag = c.tagName();
            if (silent.contains(tag))
                continue;
            if (tag == QLatin1String("g")) {
                stack.push_back({ c, SvgGrammar::transformFromAttribute(c) * transform });
                continue;
            }
            if (!shapes.contains(tag))
                return QRectF();
            const QRectF r = OutlineShape::elementPath(c, 1, transform).boundingRect();
            bounds = any ? bounds.united(r) : r;
            any = true;
        }
    }
    return any ? bounds : QRectF();
}

// Moves `element` into a new group in its place whose clip path is `port`
// (in the parent's user space).
void clipTo(QDomElement &element, const QRectF &port, const QString &id)
{
    QDomDocument document = element.ownerDocument();
    QDomElement group = document.createElement(QStringLiteral("g"));
    QDomElement clip = document.createElement(QStringLiteral("clipPath"));
    clip.setAttribute(QStringLiteral("id"), id);
    QDomElement rect = document.createElement(QStringLiteral("rect"));
    rect.setAttribute(QStringLiteral("x"), numberText(port.x()));
    rect.setAttribute(QStringLiteral("y"), numberText(port.y()));
    rect.setAttribute(QStringLiteral("width"), numberText(port.width()));
    rect.setAttribute(QStringLiteral("height"), numberText(port.height()));
    clip.appendChild(rect);
    group.setAttribute(QStringLiteral("clip-path"), QStringLiteral("url(#%1)").arg(id));
    element.parentNode().replaceChild(group, element);
    group.appendChild(clip);
    group.appendChild(element);
}

// The root viewBox's top-left corner is the design's origin.
void moveRootOrigin(QDomElement &root)
{
    const QRectF box = viewBox(root);
    if (box.isEmpty() || (box.x() == 0 && box.y() == 0))
        return;
    const QTransform shift = QTransform::fromTranslate(-box.x(), -box.y());
    // Clip paths, gradients and markers work in the space of what uses them,
    // which moves with it.
    for (QDomElement c = root.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        if (!StyleResolver::isUnrendered(c.tagName()))
            prependToTransform(c, shift);
    }
    root.setAttribute(QStringLiteral("viewBox"),
                      QStringLiteral("0 0 %1 %2").arg(numberText(box.width()), numberText(box.height())));
}

// "transform-origin" becomes part of the transform, which is what the
// outline walk and the raster renderer both read.
void resolveOrigin(QDomElement &element, const StyleResolver &styles, const QSizeF &viewport, double fontSize)
{
    bool found = false;
    const QString origin = styles.ownValue(element, QStringLiteral("transform-origin"), &found).simplified();
    element.removeAttribute(QStringLiteral("transform-origin"));
    if (!found || !element.hasAttribute(QStringLiteral("transform")))
        return;
    QStringList words = origin.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // One keyword of the vertical axis alone names y.
    if (words.size() == 1 && (words.at(0) == QLatin1String("top") || words.at(0) == QLatin1String("bottom")))
        words.prepend(QStringLiteral("center"));
    // "top left" names y first.
    if (words.size() >= 2
        && (words.at(0) == QLatin1String("top") || words.at(0) == QLatin1String("bottom")
            || words.at(1) == QLatin1String("left") || words.at(1) == QLatin1String("right")))
        words.swapItemsAt(0, 1);
    const auto coordinate = [&](const QString &word, double extent) {
        static const QHash<QString, double> keywords{ { "left", 0 },    { "top", 0 },     { "center", 50 },
                                                      { "right", 100 }, { "bottom", 100 } };
        if (keywords.contains(word))
            return keywords.value(word) / 100 * extent;
        double number = 0;
        QString unit;
        if (SvgGrammar::splitLength(word, &number, &unit) && unit == QLatin1String("%"))
            return number / 100 * extent;
        double value = 0;
        return ViewportGeometry::cssLength(word, fontSize, &value) ? value : 0.0;
    };
    const double x = coordinate(words.value(0, QStringLiteral("center")), viewport.width());
    const double y = coordinate(words.value(1, QStringLiteral("center")), viewport.height());
    if (x == 0 && y == 0)
        return;
    const QTransform own = SvgGrammar::transformFromAttribute(element);
    const QTransform about = QTransform::fromTranslate(-x, -y) * own * QTransform::fromTranslate(x, y);
    element.setAttribute(QStringLiteral("transform"), matrixText(about));
}

// Stroke widths and font sizes with units become user units, so the raster
// renderer (90 user units to the inch) and the outlines read them alike.
void resolveUnits(QDomElement &element, double fontSize)
{
    if (element.hasAttribute(QStringLiteral("stroke-width"))) {
        double value = 0;
        const QString text = element.attribute(QStringLiteral("stroke-width"));
        double number = 0;
        QString unit;
        if (SvgGrammar::splitLength(text, &number, &unit) && !unit.trimmed().isEmpty()
            && unit != QLatin1String("%") && ViewportGeometry::cssLength(text, fontSize, &value)) {
            element.setAttribute(QStringLiteral("stroke-width"), numberText(value));
        }
    }
    if (element.hasAttribute(QStringLiteral("font-size")))
        element.setAttribute(QStringLiteral("font-size"), numberText(fontSize));
}

void noteOnce(QStringList *notes, const QString &text)
{
    if (notes && !notes->contains(text))
        notes->append(text);
}

} // namespace

bool scaleToTrueSize(QDomDocument &document)
{
    const QSizeF millimetres = SvgFile::physicalSize(document);
    if (millimetres.isEmpty())
        return false;
    QDomElement root = document.documentElement();
    constexpr double unitsPerMillimetre = 12.5;
    const QSizeF size = millimetres * unitsPerMillimetre;
    const QRectF box = viewBox(root);
    // Without a viewBox a user unit is a CSS pixel, 1/96 in.
    const QTransform map = box.isEmpty()
            ? QTransform::fromScale(unitsPerMillimetre * 25.4 / 96, unitsPerMillimetre * 25.4 / 96)
            : viewBoxTransform(box, QRectF(QPointF(0, 0), size),
                               root.attribute(QStringLiteral("preserveAspectRatio")));
    QDomElement group = document.createElement(QStringLiteral("g"));
    group.setAttribute(QStringLiteral("transform"), matrixText(map));
    // Sheets and definitions stay where they are; they are found by name.
    QDomNode child = root.firstChild();
    while (!child.isNull()) {
        const QDomNode next = child.nextSibling();
        group.appendChild(child);
        child = next;
    }
    root.appendChild(group);
    root.setAttribute(QStringLiteral("width"), numberText(size.width()));
    root.setAttribute(QStringLiteral("height"), numberText(size.height()));
    root.removeAttribute(QStringLiteral("viewBox"));
    root.removeAttribute(QStringLiteral("preserveAspectRatio"));
    return true;
}

void expandUses(QDomDocument &document, QStringList *notes)
{
    if (document.elementsByTagName(QStringLiteral("use")).isEmpty())
        return;
    // Copies come from the document as written, so an instance holds the
    // uses of its original unexpanded and each is counted and guarded.
    const QDomDocument pristine = document.cloneNode(true).toDocument();
    const QHash<QString, QDomElement> byId = SvgGrammar::idIndex(pristine.documentElement());
    UseTargets targets;
    targets.lookup = [&byId](const QString &id) { return byId.value(id); };
    expandUses(document, targets, notes);
}

void expandUses(QDomDocument &document, const UseTargets &targets, QStringList *notes)
{
    QHash<QString, CopySize> sizes;
    QHash<QString, QRectF> contentBounds;
    qint64 copied = 0;
    qint64 copiedSegments = 0;
    int clips = 0;

    struct Entry
    {
        QDomElement element;
        int depth;
    };
    std::vector<Entry> stack{ { document.documentElement(), 0 } };
    while (!stack.empty()) {
        Entry entry = stack.back();
        stack.pop_back();
        QDomElement element = entry.element;
        if (element.tagName() != QLatin1String("use")) {
            for (QDomElement c = element.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
                stack.push_back({ c, entry.depth });
            continue;
        }
        const QString href = hrefOf(element);
        const QString id = href.startsWith(QLatin1Char('#')) ? href.mid(1) : QString();
        const QDomElement target = id.isEmpty() ? QDomElement() : targets.lookup(id);
        QString problem;
        if (target.isNull())
            problem = QStringLiteral("a \"use\" refers to nothing in the design and is left out");
        else if (hasAncestorWithId(element, id) || targets.enclosingIds.contains(id)
                 || target.attribute(QStringLiteral("id")) == element.attribute(QStringLiteral("id")))
            problem = QStringLiteral("a \"use\" that shows itself is left out");
        else if (entry.depth >= maxUseDepth)
            problem = QStringLiteral("\"use\" nested deeper than %1 levels is left out").arg(maxUseDepth);
        if (problem.isEmpty()) {
            auto size = sizes.constFind(id);
            if (size == sizes.constEnd())
                size = sizes.insert(id, copySize(target));
            copied += size->elements;
            copiedSegments += size->segments;
            if (targets.copied)
                targets.copied->insert(id);
            // One budget for the whole document, not per level: nested
            // uses that double at each level reach it long before any
            // depth limit would.
            if (copied > maxUseElements)
                problem = QStringLiteral("\"use\" instances beyond %1 copied elements are left out")
                                  .arg(maxUseElements);
            else if (copiedSegments > maxUseSegments)
                problem = QStringLiteral("\"use\" instances beyond %1 copied path segments are left out")
                                  .arg(maxUseSegments);
        }
        QDomNode parent = element.parentNode();
        if (!problem.isEmpty()) {
            noteOnce(notes, problem);
            parent.removeChild(element);
            continue;
        }

        // The group takes the use's presentation (inherited by the copy)
        // and its place: its transform, then x and y.
        QDomElement group = document.createElement(QStringLiteral("g"));
        const QDomNamedNodeMap attributes = element.attributes();
        static const QSet<QString> consumed{ "x", "y", "width", "height", "href", "xlink:href", "id" };
        for (int i = 0; i < attributes.count(); ++i) {
            const QDomAttr a = attributes.item(i).toAttr();
            if (!consumed.contains(a.name()))
                group.setAttribute(a.name(), a.value());
        }
        // Percentages and viewport units measure against the viewport
        // around the use; plain numbers need none.
        bool relative = false;
        for (const char *name : { "x", "y", "width", "height" }) {
            bool plain = true;
            if (element.hasAttribute(QLatin1String(name)))
                SvgGrammar::parseLength(element.attribute(QLatin1String(name)), &plain);
            relative = relative || !plain;
        }
        const QSizeF viewport = relative ? ViewportGeometry::viewportAround(element) : QSizeF(0, 0);
        const double x = lengthOr(element, QStringLiteral("x"), 0, viewport, Qt::Horizontal);
        const double y = lengthOr(element, QStringLiteral("y"), 0, viewport, Qt::Vertical);
        prependToTransform(group, QTransform::fromTranslate(x, y));

        QDomElement copy = document.importNode(target, true).toElement();
        const QString kind = copy.tagName();
        if (kind == QLatin1String("symbol")) {
            // A symbol draws like a group; its viewBox fills the use's size.
            const QRectF box = viewBox(copy);
            const double w = lengthOr(element, QStringLiteral("width"), box.width(), viewport, Qt::Horizontal);
            const double h = lengthOr(element, QStringLiteral("height"), box.height(), viewport, Qt::Vertical);
            const QTransform fit = viewBoxTransform(box, QRectF(0, 0, w, h),
                                                    copy.attribute(QStringLiteral("preserveAspectRatio")));
            copy.setTagName(QStringLiteral("g"));
            for (const char *name : { "viewBox", "preserveAspectRatio", "refX", "refY", "x", "y", "width", "height" })
                copy.removeAttribute(QLatin1String(name));
            prependToTransform(copy, box.isEmpty() ? QTransform() : fit);
            const QRectF shown = box.isEmpty() ? QRectF(0, 0, w, h) : box;
            auto bounds = contentBounds.constFind(id);
            if (bounds == contentBounds.constEnd())
                bounds = contentBounds.insert(id, shapeBounds(target));
            // A symbol whose shapes all lie inside what it shows needs no
            // clip (most do); a sliced viewBox shows less than it holds.
            // Without a viewBox, a size of its own or a use that gives one
            // the symbol has no viewport to clip to.
            const bool sized = w > 0 && h > 0
                    && (!box.isEmpty()
                        || (element.hasAttribute(QStringLiteral("width")) && element.hasAttribute(QStringLiteral("height"))));
            const bool inside = !sized
                    || (bounds->isValid() && shown.contains(*bounds)
                        && !copy.attribute(QStringLiteral("preserveAspectRatio")).contains(QLatin1String("slice")));
            if (!inside && ViewportGeometry::clipsToViewport(copy, StyleResolver())) {
                group.appendChild(copy);
                clipTo(copy, QRectF(0, 0, w, h), QStringLiteral("plimb-symbol-clip-%1").arg(++clips));
                parent.replaceChild(group, element);
                stack.push_back({ copy, entry.depth + 1 });
                continue;
            }
        } else if (kind == QLatin1String("svg")) {
            for (const char *name : { "width", "height" }) {
                if (element.hasAttribute(QLatin1String(name)))
                    copy.setAttribute(QLatin1String(name), element.attribute(QLatin1String(name)));
            }
        }
        group.appendChild(copy);
        parent.replaceChild(group, element);
        stack.push_back({ copy, entry.depth + 1 });
    }
}

void resolveViewports(QDomDocument &document, QStringList *notes)
{
    QDomElement root = document.documentElement();
    if (root.isNull())
        return;
    // Drawings from other programs read units as CSS does; Plimb's own keep
    // their described lengths.
    const bool foreign = !StyleResolver::declaresPlimbNamespace(root);
    const StyleResolver styles = foreign ? StyleResolver(document) : StyleResolver();
    const QSizeF rootSize = rootViewport(root);
    moveRootOrigin(root);
    struct Entry
    {
        QDomElement element;
        QSizeF viewport;
        double fontSize;
    };
    constexpr double defaultFontSize = 16;
    std::vector<Entry> stack;
    for (QDomElement c = root.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        stack.push_back({ c, rootSize, defaultFontSize });
    std::vector<QDomElement> broken;
    int clips = 0;
    while (!stack.empty()) {
        Entry entry = stack.back();
        stack.pop_back();
        QDomElement element = entry.element;
        const QString tag = element.tagName();
        QSizeF inner = entry.viewport;
        double fontSize = entry.fontSize;
        if (foreign) {
            const QString style = element.attribute(QStringLiteral("style"));
            const auto mayHave = [&](const QString &property) {
                return element.hasAttribute(property) || style.contains(property)
                        || styles.declaresInSheet(property);
            };
            bool found = false;
            if (mayHave(QStringLiteral("font-size"))) {
                const QString size = styles.ownValue(element, QStringLiteral("font-size"), &found);
                if (found)
                    fontSize = ViewportGeometry::cssFontSize(size, entry.fontSize);
            }
            if (element.hasAttribute(QStringLiteral("transform")) && mayHave(QStringLiteral("transform-origin")))
                resolveOrigin(element, styles, entry.viewport, fontSize);
            element.removeAttribute(QStringLiteral("transform-origin"));
            resolveUnits(element, fontSize);
        }
        if (tag == QLatin1String("svg")) {
            // A nested viewport is a group placed at x, y, its viewBox fitted
            // into its width and height, inside a group clipped to the viewport.
            const QRectF port = ViewportGeometry::nestedViewport(element, entry.viewport);
            const QTransform place = ViewportGeometry::nestedPlacement(element, entry.viewport, &inner);
            if (ViewportGeometry::clipsToViewport(element, foreign ? styles : StyleResolver()))
                clipTo(element, port, QStringLiteral("plimb-svg-clip-%1").arg(++clips));
            element.setTagName(QStringLiteral("g"));
            for (const char *name : { "x", "y", "width", "height", "viewBox", "preserveAspectRatio" })
                element.removeAttribute(QLatin1String(name));
            prependToTransform(element, place);
        } else {
            QHash<QString, double> resolved;
            const QSizeF viewport = entry.viewport;
            const std::function<double()> em = [fontSize] { return fontSize; };
            if (!ViewportGeometry::resolveGeometry(element, [viewport] { return viewport; }, &resolved,
                                                   foreign ? em : std::function<double()>())) {
                broken.push_back(element);
                continue;
            }
            for (auto it = resolved.constBegin(); it != resolved.constEnd(); ++it)
                element.setAttribute(it.key(), numberText(it.value()));
        }
        for (QDomElement c = element.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
            stack.push_back({ c, inner, fontSize });
    }
    if (!broken.empty())
        noteOnce(notes, QStringLiteral("%1 elements with a length in error are not drawn").arg(broken.size()));
    for (QDomElement &e : broken)
        e.parentNode().removeChild(e);
}

void applyCascade(QDomDocument &document, const StyleResolver &styles)
{
    if (styles.isPlimbDesign())
        return;
    const bool rules = styles.hasRules();
    static const QStringList known{ "fill", "stroke", "fill-opacity", "stroke-opacity", "opacity",
                                         "stroke-width", "fill-rule", "display", "visibility",
                                         "stroke-linecap", "stroke-linejoin", "stroke-dasharray",
                                         "stroke-dashoffset", "clip-path", "clip-rule", "mask", "mask-type", "font-size",
                                         "font-family", "font-weight", "font-style", "text-anchor",
                                         "letter-spacing", "word-spacing", "transform-origin", "overflow" };
    // Only what some rule declares can differ from what the element says.
    QStringList properties;
    for (const QString &property : known) {
        if (styles.declaresInSheet(property))
            properties << property;
    }
    // When the rules look at an element alone, elements alike in tag, id,
    // class and the attributes read get the same style: copies of one
    // symbol are resolved once.
    const bool local = rules && styles.rulesSeeElementOnly();
    QHash<QString, QString> outcomes;
    std::vector<QDomElement> stack{ document.documentElement() };
    while (!stack.empty()) {
        QDomElement e = stack.back();
        stack.pop_back();
        for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
            stack.push_back(c);
        const QString tag = e.tagName();
        const QString text = e.attribute(QStringLiteral("style"));
        // "display" does not apply to paint servers and what holds them.
        if (tag == QLatin1String("defs") || tag == QLatin1String("linearGradient")
            || tag == QLatin1String("radialGradient") || tag == QLatin1String("stop")) {
            e.removeAttribute(QStringLiteral("display"));
            SvgGrammar::StyleMap style = SvgGrammar::parseStyleText(text);
            if (style.remove(QStringLiteral("display")) > 0)
                e.setAttribute(QStringLiteral("style"), SvgGrammar::styleToString(style));
            continue;
        }
        const bool important = text.contains(QLatin1Char('!'));
        // No rule for it: its own values stand as they are read.
        if (!important && (!rules || !styles.anyRuleMatches(e)))
            continue;
        QString key;
        if (local && !important) {
            key = tag + QLatin1Char('\x1f') + e.attribute(QStringLiteral("id")) + QLatin1Char('\x1f')
                    + e.attribute(QStringLiteral("class")) + QLatin1Char('\x1f') + text;
            for (const QString &property : qAsConst(properties)) {
                key += QLatin1Char('\x1e');
                if (e.hasAttribute(property))
                    key += QLatin1Char('=') + e.attribute(property);
            }
            const auto known = outcomes.constFind(key);
            if (known != outcomes.constEnd()) {
                if (*known != text)
                    e.setAttribute(QStringLiteral("style"), *known);
                continue;
            }
        }
        SvgGrammar::StyleMap style = SvgGrammar::parseStyleText(text);
        bool changed = false;
        for (const QString &property : important ? known : properties) {
            bool found = false;
            const QString value = styles.ownValue(e, property, &found);
            if (found && style.value(property) != value) {
                style.insert(property, value);
                changed = true;
            }
        }
        const QString result = changed ? SvgGrammar::styleToString(style) : text;
        if (changed)
            e.setAttribute(QStringLiteral("style"), result);
        if (!key.isNull())
            outcomes.insert(key, result);
    }
    // The renderer must not apply the sheets again by its own rules.
    const QDomNodeList sheets = document.elementsByTagName(QStringLiteral("style"));
    for (int i = sheets.size() - 1; i >= 0; --i) {
        QDomNode sheet = sheets.item(i);
        sheet.parentNode().removeChild(sheet);
    }
}

static bool conditionsPass(const QDomElement &element)
{
    if (element.hasAttribute(QStringLiteral("requiredExtensions")))
        return false;
    if (element.hasAttribute(QStringLiteral("requiredFeatures"))
        && element.attribute(QStringLiteral("requiredFeatures")).trimmed().isEmpty())
        return false;
    if (!element.hasAttribute(QStringLiteral("systemLanguage")))
        return true;
    const QString system = QLocale().bcp47Name().toLower();
    const QString language = system.section(QLatin1Char('-'), 0, 0);
    for (QString tag : element.attribute(QStringLiteral("systemLanguage")).split(QLatin1Char(','))) {
        tag = tag.trimmed().toLower().replace(QLatin1Char('_'), QLatin1Char('-'));
        if (tag.isEmpty())
            continue;
        // "en" matches an English locale of any country, "en-US" that one.
        if (tag == system || tag == language || system.startsWith(tag + QLatin1Char('-')))
            return true;
    }
    return false;
}

void removeHidden(QDomDocument &document, const StyleResolver &styles)
{
    QDomElement root = document.documentElement();
    std::vector<QDomElement> stack{ root };
    std::vector<QDomElement> hidden;
    while (!stack.empty()) {
        const QDomElement e = stack.back();
        stack.pop_back();
        // The renderer would draw a symbol's content where it stands; what
        // defs hold (gradients) stays for the shapes that refer to it, and
        // "display" does not apply to it.
        const QString tag = e.tagName();
        const bool unrendered = tag == QLatin1String("symbol") || tag == QLatin1String("clipPath")
                || tag == QLatin1String("mask") || tag == QLatin1String("marker")
                || tag == QLatin1String("pattern");
        const bool paintServer = tag == QLatin1String("defs") || tag == QLatin1String("linearGradient")
                || tag == QLatin1String("radialGradient") || tag == QLatin1String("stop");
        // Path data that does not begin with a move draws nothing.
        const bool badPath = tag == QLatin1String("path")
                && !e.attribute(QStringLiteral("d")).trimmed().startsWith(QLatin1Char('M'), Qt::CaseInsensitive);
        if (unrendered || badPath || (!paintServer && (!styles.isDisplayed(e) || !conditionsPass(e)))) {
            hidden.push_back(e);
            continue;
        }
        // The renderer would weigh the conditions again, by its own locale.
        QDomElement kept = e;
        for (const char *name : { "systemLanguage", "requiredFeatures", "requiredExtensions" })
            kept.removeAttribute(QLatin1String(name));
        if (tag == QLatin1String("switch"))
            kept.setTagName(QStringLiteral("g"));
        // A switch renders its first child whose conditions hold, even when
        // that child then draws nothing.
        bool chosen = false;
        for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
            if (tag == QLatin1String("switch")) {
                if (chosen || !conditionsPass(c)) {
                    hidden.push_back(c);
                    continue;
                }
                chosen = true;
            }
            stack.push_back(c);
        }
    }
    for (QDomElement &e : hidden) {
        if (e != root)
            e.parentNode().removeChild(e);
    }
}

bool rendersNothing(const QDomDocument &document, const StyleResolver &styles)
{
    const QDomElement root = document.documentElement();
    if (root.isNull())
        return false;
    bool nothing = !styles.isDisplayed(root) || !conditionsPass(root);
    for (const char *name : { "width", "height" }) {
        bool ok = false;
        const double side = SvgGrammar::parseLength(root.attribute(QLatin1String(name)), &ok);
        nothing = nothing || (ok && !(side > 0));
    }
    return nothing;
}

} // namespace RenderTree
