#include "canvas/transformwriter.h"

#include "canvas/canvascontext.h"
#include "document/ellipseelement.h"
#include "document/imageelement.h"
#include "document/node.h"
#include "document/rectelement.h"
#include "document/svggrammar.h"
#include "document/textelement.h"

#include <QGraphicsItem>

namespace {

QString fixed(double value)
{
    return QString::number(value, 'f', 6);
}

// Adds one applied attribute to the gesture's record of the element.
void append(AttributeRecord &into, const std::optional<AttributeRecord> &record)
{
    if (!record)
        return;
    into.names += record->names;
    into.oldValues += record->oldValues;
    into.newValues += record->newValues;
}

} // namespace

TransformWriter::TransformWriter(CanvasContext *canvas)
    : mCanvas(canvas)
{
}

QPointF TransformWriter::positionShift(const QGraphicsItem *item, const QPointF &from, const QPointF &to)
{
    return item->mapToParent(item->mapFromScene(to)) - item->mapToParent(item->mapFromScene(from));
}

QTransform TransformWriter::inParentOf(const QGraphicsItem *item, const QTransform &sceneMatrix)
{
    const QGraphicsItem *parent = item ? item->parentItem() : nullptr;
    if (!parent)
        return sceneMatrix;
    const QTransform toScene = parent->sceneTransform();
    bool invertible = false;
    const QTransform fromScene = toScene.inverted(&invertible);
    if (!invertible)
        return sceneMatrix;
    return toScene * sceneMatrix * fromScene;
}

QString TransformWriter::matrixText(const QTransform &m)
{
    return QStringLiteral("matrix(%1,%2,%3,%4,%5,%6)")
            .arg(fixed(m.m11()), fixed(m.m12()), fixed(m.m21()), fixed(m.m22()), fixed(m.dx()),
                 fixed(m.dy()));
}

QString TransformWriter::normalised(const QString &text, const QString &matrix)
{
    QString result = text.trimmed().isEmpty() ? QStringLiteral("matrix(1,0,0,1,0,0)") : text;
    SvgGrammar::prependTransformAsMatrix(result, matrix);
    return result;
}

QString TransformWriter::withLeadingTranslate(const QString &text, double dx, double dy)
{
    QString result = text;
    SvgGrammar::prependTranslate(result, QStringLiteral("translate(%1,%2)").arg(fixed(dx), fixed(dy)));
    return result;
}

std::optional<AttributeRecord> TransformWriter::commitMove(Node *element) const
{
    QGraphicsItem *item = element ? mCanvas->itemOf(element) : nullptr;
    if (!item)
        return std::nullopt;
    const QPointF p = item->pos();
    const QString oldTransform = element->element().attribute(QStringLiteral("transform"));
    AttributeRecord record{element, {}, {}, {}};
    // The conjugated transform translate(d) * M * translate(-d) keeps what
    // the user saw: M applied at the new origin equals the old image moved by d.
    auto conjugated = [&](const QPointF &d) {
        const QTransform m = SvgGrammar::transformFromAttribute(element->element());
        return matrixText(QTransform::fromTranslate(-d.x(), -d.y()) * m
                          * QTransform::fromTranslate(d.x(), d.y()));
    };
    switch (element->type()) {
    case NodeType::Rect:
    case NodeType::Image:
    case NodeType::Text: {
        QPointF old;
        if (element->type() == NodeType::Rect)
            old = static_cast<RectElement *>(element)->position();
        else if (element->type() == NodeType::Image)
            old = static_cast<ImageElement *>(element)->position();
        else
            old = static_cast<TextElement *>(element)->position();
        const QString transform = conjugated(p - old);
        append(record, element->applyAttribute(QStringLiteral("x"), fixed(p.x())));
        append(record, element->applyAttribute(QStringLiteral("y"), fixed(p.y())));
        append(record, element->applyAttribute(QStringLiteral("transform"), transform));
        break;
    }
    case NodeType::Circle:
    case NodeType::Ellipse: {
        const QRectF box = item->boundingRect();
        const QPointF centre = p + QPointF(box.width() / 2, box.height() / 2);
        const QString transform =
                conjugated(centre - static_cast<EllipseElement *>(element)->center());
        append(record, element->applyAttribute(QStringLiteral("cx"), fixed(centre.x())));
        append(record, element->applyAttribute(QStringLiteral("cy"), fixed(centre.y())));
        append(record, element->applyAttribute(QStringLiteral("transform"), transform));
        break;
    }
    case NodeType::Path:
    case NodeType::Polyline:
    case NodeType::Polygon:
    case NodeType::Line:
    case NodeType::Use: {
        // Outlines sit at the origin: the move becomes one leading translation.
        const QString base = oldTransform.isEmpty() ? QStringLiteral("translate(0,0)") : oldTransform;
        const QString transform = withLeadingTranslate(base, p.x(), p.y());
        item->setPos(0, 0);
        append(record, element->applyAttribute(QStringLiteral("transform"), transform));
        break;
    }
    default:
        return std::nullopt;
    }
    if (record.names.isEmpty())
        return std::nullopt;
    return record;
}

std::optional<AttributeRecord> TransformWriter::commitSceneMatrix(Node *element,
                                                                  const QTransform &sceneMatrix,
                                                                  const QString &oldText) const
{
    QGraphicsItem *item = element ? mCanvas->itemOf(element) : nullptr;
    if (!item)
        return std::nullopt;
    const QString current = element->element().attribute(QStringLiteral("transform"));
    const QString text = normalised(current, matrixText(inParentOf(item, sceneMatrix)));
    std::optional<AttributeRecord> record = element->applyAttribute(QStringLiteral("transform"), text);
    if (!record)
        return std::nullopt;
    record->oldValues = QStringList{oldText};
    return record;
}
