#include "canvas/commands/parameterundo.h"

#include "canvas/scene.h"
#include "document/engravingattributes.h"
#include "document/node.h"
#include "document/svgdocument.h"

#include <QTextStream>

ParameterUndo::ParameterUndo(Scene *scene)
    : Undo(UndoKind::Attribute)
    , mScene(scene)
{
}

AttributeRecord ParameterUndo::apply(Scene *scene, Node *element, const QStringList &names,
                                     const QStringList &values)
{
    AttributeRecord record{element, names, {}, values};
    for (const QString &name : names)
        record.oldValues << element->element().attribute(name);
    for (int i = 0; i < names.size() && i < values.size(); ++i) {
        if (names.at(i) == QLatin1String("style"))
            scene->applyAttribute(element, names.at(i), values.at(i));
        else
            element->setAttribute(names.at(i), values.at(i)); // empty removes it
    }
    // The element's stored parameters follow its attributes, as after a panel edit.
    const DefaultParameters defaults =
            element->document() ? element->document()->defaultParameters() : DefaultParameters();
    element->engraving() = readPaintParameter(element->element(), defaults);
    return record;
}

void ParameterUndo::doSomething()
{
    for (const AttributeRecord &record : qAsConst(mRecords))
        apply(mScene, record.element, record.names, undoing() ? record.oldValues : record.newValues);
    // The line names the opposite direction: "Redo::" is written while undoing.
    QTextStream(stdout) << (undoing() ? "Redo" : "Undo")
                        << "::Parameter::doSomething, operating size:" << mRecords.size() << '\n';
}
