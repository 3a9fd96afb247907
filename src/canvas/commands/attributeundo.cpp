#include "canvas/commands/attributeundo.h"

#include "canvas/scene.h"

#include <QDebug>
#include <QTextStream>

AttributeUndo::AttributeUndo(Scene *scene)
    : Undo(UndoKind::Attribute)
    , mScene(scene)
{
}

void AttributeUndo::addRecord(const std::optional<AttributeRecord> &record)
{
    if (record)
        mRecords.append(*record);
}

void AttributeUndo::doSomething()
{
    for (const AttributeRecord &record : qAsConst(mRecords)) {
        const QStringList &values = undoing() ? record.oldValues : record.newValues;
        for (int i = 0; i < record.names.size() && i < values.size(); ++i) {
            qDebug().noquote().nospace() << "name: " << record.names.at(i) << " value: " << values.at(i);
            // Kinds applyAttribute does not accept are skipped without a word.
            mScene->applyAttribute(record.element, record.names.at(i), values.at(i));
        }
    }
    // The line names the opposite direction: "Redo::" is written while undoing.
    QTextStream(stdout) << (undoing() ? "Redo" : "Undo")
                        << "::Attribute::doSomething, operating size:" << mRecords.size() << '\n';
}
