#include "canvas/propertychannel.h"

#include "canvas/canvascontext.h"
#include "canvas/itemfactory.h"
#include "canvas/selectitem.h"
#include "canvas/transformwriter.h"
#include "document/attributeundo.h"
#include "document/defaultparameters.h"
#include "document/engravingattributes.h"
#include "document/node.h"

#include <cmath>

namespace {

const QStringList &textNames()
{
    using namespace EngravingAttributes;
    static const QStringList names{"font-size", "font-style", "font-weight", "font-family",
                                   "line-height", lineSpacing, wordSpacing, alignment, textDirection,
                                   "word"};
    return names;
}

} // namespace

PropertyChannel::PropertyChannel(CanvasContext *canvas)
    : mCanvas(canvas)
{
}

void PropertyChannel::setItemProperty(const QList<QString> &names, const QList<QString> &values)
{
    SelectItem *frame = mCanvas->selectFrame();
    const QList<QGraphicsItem *> items = frame ? frame->items()
                                               : SelectItem::flatten(mCanvas->graphicsScene()->selectedItems());
    // Checked before anything changes, so a message is applied whole or not at all.
    for (const QGraphicsItem *item : items) {
        if (!ItemFactory::nodeOf(item))
            return;
    }
    auto command = std::make_unique<AttributeUndo>();
    const TransformWriter writer(mCanvas);
    const int count = qMin(names.size(), values.size());
    for (int n = 0; n < count; ++n) {
        const QString &name = names.at(n);
        const QString &value = values.at(n);
        bool isNumber = false;
        const double number = value.toDouble(&isNumber);
        if (name == QLatin1String("x") || name == QLatin1String("y")) {
            if (!isNumber || !std::isfinite(number))
                continue;
            const QRectF s = frame ? frame->sceneBoundingRect() : mCanvas->selectionBounds(items);
            const QPointF shift = name == QLatin1String("x") ? QPointF(number - s.left(), 0)
                                                             : QPointF(0, number - s.top());
            for (QGraphicsItem *item : items) {
                item->setPos(item->pos() + TransformWriter::positionShift(item, s.topLeft(), s.topLeft() + shift));
                command->addRecord(writer.commitMove(ItemFactory::nodeOf(item)));
            }
            if (frame)
                frame->moveBy(shift.x(), shift.y());
        } else if (name == QLatin1String("width") || name == QLatin1String("height")) {
            if (!frame || !isNumber || !std::isfinite(number))
                continue;
            const bool horizontal = name == QLatin1String("width");
            const QRectF s = frame->sceneBoundingRect();
            const double extent = horizontal ? s.width() : s.height();
            // A frame without extent on that axis cannot be scaled to a size.
            const double f = extent < 1e-6 ? 1 : number / extent;
            frame->saveTransforms();
            frame->scalePreview(horizontal ? f : 1, horizontal ? 1 : f, s.topLeft());
            QRectF r = frame->rect();
            if (horizontal)
                r.setWidth(extent < 1e-6 ? r.width() : number);
            else
                r.setHeight(extent < 1e-6 ? r.height() : number);
            frame->setRect(r);
            frame->layoutHandles();
            frame->commitScale(command.get());
        } else if (name == QLatin1String("rotate")) {
            if (!frame || !isNumber || !std::isfinite(number))
                continue;
            // Saved first, so the undo restores the transforms before this rotation.
            frame->saveTransforms();
            frame->commitRotation(number, command.get());
            frame->refit();
        } else if (name == QLatin1String("fill")) {
            for (QGraphicsItem *item : items) {
                // Recorded as the style text before and after, for an exact undo.
                Node *node = ItemFactory::nodeOf(item);
                const QString oldStyle = node->element().attribute(QStringLiteral("style"));
                if (mCanvas->applyAttribute(node, name, value))
                    command->addRecord(AttributeRecord{node, {QStringLiteral("style")}, {oldStyle},
                                                       {node->element().attribute(QStringLiteral("style"))}});
            }
            if (frame)
                frame->refit();
        } else if (name == EngravingAttributes::image) {
            for (QGraphicsItem *item : items) {
                Node *node = ItemFactory::nodeOf(item);
                if (node->type() == NodeType::Image)
                    command->addRecord(mCanvas->applyAttribute(node, name, value));
            }
            if (frame)
                frame->refit();
        } else if (textNames().contains(name)) {
            for (QGraphicsItem *item : items) {
                Node *node = ItemFactory::nodeOf(item);
                if (node->type() == NodeType::Text)
                    command->addRecord(mCanvas->applyAttribute(node, name, value));
            }
            if (frame)
                frame->refit();
        } else if (DefaultParameters::isDefaultParameterName(name)) {
            DefaultParameters parameters = mCanvas->defaultParameters();
            if (parameters.setNamed(name, value))
                mCanvas->setDefaultParameters(parameters);
        } else if (numericEngravingAttributes().contains(name)) {
            for (QGraphicsItem *item : items)
                command->addRecord(mCanvas->applyAttribute(ItemFactory::nodeOf(item), name, value));
        }
    }
    // One message, one undo step; an empty one would be a step that does nothing.
    if (!command->records().isEmpty())
        mCanvas->pushUndo(std::move(command));
}
