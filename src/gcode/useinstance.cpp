#include "gcode/useinstance.h"

#include "gcode/outlineshape.h"
#include "gcode/rendertree.h"

#include "document/svggrammar.h"
#include "document/textoutline.h"
#include "document/viewportgeometry.h"

#include <QDomDocument>

#include <vector>

namespace {

QString numberText(double value)
{
    return QString::number(value, 'g', 12);
}

} // namespace

UseInstance::UseInstance(const QDomElement &use, const StyleResolver &styles,
                         const std::function<QDomElement(const QString &id)> &lookup)
{
    // A document of its own holding the use alone, in a root of the size of
    // the viewport around it, so its lengths measure against the same box.
    QDomDocument scratch;
    QDomElement root = scratch.createElement(QStringLiteral("svg"));
    const QSizeF viewport = ViewportGeometry::viewportAround(use);
    root.setAttribute(QStringLiteral("width"), numberText(viewport.width()));
    root.setAttribute(QStringLiteral("height"), numberText(viewport.height()));
    scratch.appendChild(root);
    QDomElement copy = scratch.importNode(use, true).toElement();
    copy.removeAttribute(QStringLiteral("transform"));
    root.appendChild(copy);

    RenderTree::UseTargets targets;
    targets.lookup = lookup;
    targets.copied = &mOriginals;
    for (QDomNode n = use.parentNode(); n.isElement(); n = n.parentNode()) {
        const QString id = n.toElement().attribute(QStringLiteral("id"));
        if (!id.isEmpty())
            targets.enclosingIds.insert(id);
    }
    RenderTree::expandUses(scratch, targets, &mNotes);
    RenderTree::resolveViewports(scratch, &mNotes);
    RenderTree::removeHidden(scratch, styles);
    collect(root, styles, styles.paint(use.parentNode().toElement()));
}

void UseInstance::collect(const QDomElement &root, const StyleResolver &styles,
                          const StyleResolver::Paint &inherited)
{
    struct Entry
    {
        QDomElement element;
        QTransform enclosing;
        StyleResolver::Paint inherited;
    };
    std::vector<Entry> stack;
    for (QDomElement c = root.lastChildElement(); !c.isNull(); c = c.previousSiblingElement())
        stack.push_back({ c, QTransform(), inherited });
    while (!stack.empty()) {
        const Entry entry = stack.back();
        stack.pop_back();
        const QDomElement &element = entry.element;
        const QString tag = element.tagName();
        if (StyleResolver::isUnrendered(tag))
            continue;
        const StyleResolver::Paint paint = styles.paint(element, entry.inherited);
        const QTransform own = SvgGrammar::transformFromAttribute(element);
        if (tag == QLatin1String("text")) {
            // The outline the job cuts; its paths land beside the text.
            const EngraveMode mode = styles.engraveMode(element, paint);
            for (const QDomElement &path : textToOutline(element)) {
                Piece piece;
                piece.path = OutlineShape::elementPath(path, 1, entry.enclosing);
                piece.mode = mode;
                piece.paint = paint;
                mOutline.addPath(piece.path);
                path.parentNode().removeChild(path);
                mPieces.push_back(std::move(piece));
            }
            mFilled = mFilled || mode == EngraveMode::Fill;
            continue;
        }
        if (tag == QLatin1String("image")) {
            const QRectF box(SvgGrammar::attributeLength(element, QStringLiteral("x")),
                             SvgGrammar::attributeLength(element, QStringLiteral("y")),
                             SvgGrammar::attributeLength(element, QStringLiteral("width")),
                             SvgGrammar::attributeLength(element, QStringLiteral("height")));
            QPainterPath frame;
            frame.addRect(box);
            Piece piece;
            piece.isPicture = true;
            piece.mode = styles.engraveMode(element, paint);
            piece.href = element.attribute(QStringLiteral("xlink:href"));
            if (piece.href.isEmpty())
                piece.href = element.attribute(QStringLiteral("href"));
            piece.box = box;
            piece.transform = own * entry.enclosing;
            mOutline.addPath(piece.transform.map(frame));
            mFilled = mFilled || piece.mode != EngraveMode::Outline;
            mPieces.push_back(std::move(piece));
            continue;
        }
        bool known = false;
        const QPainterPath shape = OutlineShape::elementPath(element, 1, entry.enclosing, &known);
        if (known) {
            mOutline.addPath(shape);
            Piece piece;
            piece.path = shape;
            piece.mode = styles.engraveMode(element, paint);
            piece.paint = paint;
            mFilled = mFilled || piece.mode == EngraveMode::Fill;
            mPieces.push_back(std::move(piece));
            continue;
        }
        const QTransform inner = own * entry.enclosing;
        for (QDomElement c = element.lastChildElement(); !c.isNull(); c = c.previousSiblingElement())
            stack.push_back({ c, inner, paint });
    }
}
