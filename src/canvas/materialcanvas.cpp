#include "canvas/materialcanvas.h"

#include "canvas/commands/parameterundo.h"
#include "canvas/itemfactory.h"
#include "canvas/scene.h"
#include "canvas/selectitem.h"
#include "canvas/svgview.h"
#include "document/addundo.h"
#include "document/node.h"

namespace MaterialCanvas {

Node *addTestGrid(SVGView *view, const TestGrid::Settings &settings)
{
    const QList<TestGrid::Element> elements = TestGrid::elements(settings);
    if (elements.isEmpty() || !view->drawingLayer())
        return nullptr;
    const TestGrid::Element &group = elements.first();
    Node *node = view->createNode(group.tag, group.names, group.values);
    if (!node)
        return nullptr;
    for (int i = 1; i < elements.size(); ++i) {
        const TestGrid::Element &e = elements.at(i);
        if (e.text.isEmpty())
            node->addChildElement(e.tag, e.names, e.values);
        else
            node->addTextChildElement(e.tag, e.names, e.values, e.text);
    }
    node->fitContainerToChildren();
    // One step: undoing takes the group out with every cell and label in it.
    view->pushUndo(std::make_unique<AddUndo>(node));
    return node;
}

QList<Node *> selectedElements(SVGView *view)
{
    Scene *scene = view->scene();
    SelectItem *frame = scene->selectFrame();
    const QList<QGraphicsItem *> items = frame ? frame->items() : SelectItem::flatten(scene->selectedItems());
    QList<Node *> nodes;
    for (const QGraphicsItem *item : items) {
        Node *node = ItemFactory::nodeOf(item);
        if (!node || nodes.contains(node))
            continue;
        switch (node->type()) {
        case NodeType::Rect:
        case NodeType::Circle:
        case NodeType::Ellipse:
        case NodeType::Line:
        case NodeType::Path:
        case NodeType::Polyline:
        case NodeType::Polygon:
        case NodeType::Text:
        case NodeType::Image:
            nodes.append(node);
            break;
        default:
            break;
        }
    }
    return nodes;
}

bool applyPreset(SVGView *view, const MaterialPreset &preset)
{
    const QList<Node *> nodes = selectedElements(view);
    if (nodes.isEmpty())
        return false;
    Scene *scene = view->scene();
    QStringList names = preset.attributeNames();
    QStringList values = preset.attributeValues();
    const int fillAt = names.indexOf(QStringLiteral("fill"));
    const QString mode = values.at(fillAt);
    names.removeAt(fillAt);
    values.removeAt(fillAt);

    auto command = std::make_unique<ParameterUndo>(scene);
    for (Node *node : nodes) {
        AttributeRecord record = ParameterUndo::apply(scene, node, names, values);
        if (node->type() != NodeType::Image) {
            // The mode is the style's fill declaration; kept as the whole
            // style text before and after, for an exact undo.
            const QString oldStyle = node->element().attribute(QStringLiteral("style"));
            scene->applyAttribute(node, QStringLiteral("fill"), mode);
            record.names << QStringLiteral("style");
            record.oldValues << oldStyle;
            record.newValues << node->element().attribute(QStringLiteral("style"));
        }
        command->addRecord(record);
    }
    view->pushUndo(std::move(command));
    return true;
}

} // namespace MaterialCanvas
