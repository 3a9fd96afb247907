#include "gcode/rendertree.h"

#include "document/idindex.h"
#include "document/svgfile.h"
#include "document/svggrammar.h"
#include "document/viewportgeometry.h"

#include <QHash>
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
    qint64 copied = 0;
    qint64 copiedSegments = 0;

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
    const QDomElement root = document.documentElement();
    if (root.isNull())
        return;
    const QSizeF rootSize = rootViewport(root);
    struct Entry
    {
        QDomElement element;
        QSizeF viewport;
    };
    std::vector<Entry> stack;
    for (QDomElement c = root.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        stack.push_back({ c, rootSize });
    std::vector<QDomElement> broken;
    while (!stack.empty()) {
        Entry entry = stack.back();
        stack.pop_back();
        QDomElement element = entry.element;
        const QString tag = element.tagName();
        QSizeF inner = entry.viewport;
        if (tag == QLatin1String("svg")) {
            // A nested viewport is a group placed at x, y, its viewBox fitted
            // into its width and height. Its clip is not kept.
            const QTransform place = ViewportGeometry::nestedPlacement(element, entry.viewport, &inner);
            element.setTagName(QStringLiteral("g"));
            for (const char *name : { "x", "y", "width", "height", "viewBox", "preserveAspectRatio" })
                element.removeAttribute(QLatin1String(name));
            prependToTransform(element, place);
        } else {
            QHash<QString, double> resolved;
            const QSizeF viewport = entry.viewport;
            if (!ViewportGeometry::resolveGeometry(element, [viewport] { return viewport; }, &resolved)) {
                broken.push_back(element);
                continue;
            }
            for (auto it = resolved.constBegin(); it != resolved.constEnd(); ++it)
                element.setAttribute(it.key(), numberText(it.value()));
        }
        for (QDomElement c = element.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
            stack.push_back({ c, inner });
    }
    if (!broken.empty())
        noteOnce(notes, QStringLiteral("%1 elements with a length in error are not drawn").arg(broken.size()));
    for (QDomElement &e : broken)
        e.parentNode().removeChild(e);
}

void removeHidden(QDomDocument &document, const StyleResolver &styles)
{
    std::vector<QDomElement> stack{ document.documentElement() };
    std::vector<QDomElement> hidden;
    while (!stack.empty()) {
        const QDomElement e = stack.back();
        stack.pop_back();
        // The renderer would draw a symbol's content where it stands; what
        // defs hold (gradients) stays for the shapes that refer to it.
        const QString tag = e.tagName();
        const bool unrendered = tag == QLatin1String("symbol") || tag == QLatin1String("clipPath")
                || tag == QLatin1String("mask") || tag == QLatin1String("marker")
                || tag == QLatin1String("pattern");
        if (unrendered || !styles.isDisplayed(e)) {
            hidden.push_back(e);
            continue;
        }
        for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
            stack.push_back(c);
    }
    for (QDomElement &e : hidden) {
        if (e != document.documentElement())
            e.parentNode().removeChild(e);
    }
}

} // namespace RenderTree
