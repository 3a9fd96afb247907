#include "document/attributeundo.h"

#include "document/engravingattributes.h"
#include "document/node.h"
#include "document/svgdocument.h"

#include <QDebug>
#include <QTextStream>

AttributeUndo::AttributeUndo()
    : Undo(UndoKind::Attribute)
{
}

void AttributeUndo::addRecord(const std::optional<AttributeRecord> &record)
{
    if (record)
        mRecords.append(*record);
}

void AttributeUndo::doSomething()
{
    if (undoing()) {
        // Backwards: a name set twice (a path shifted in x, then in y) ends at
        // its first old value, and a value computed from an earlier one (an
        // ellipse's left from its radius) meets that one as it was.
        for (int r = mRecords.size() - 1; r >= 0; --r) {
            const AttributeRecord &record = mRecords.at(r);
            for (int i = qMin(record.names.size(), record.oldValues.size()) - 1; i >= 0; --i)
                apply(record.element, record.names.at(i), record.oldValues.at(i));
        }
    } else {
        for (const AttributeRecord &record : qAsConst(mRecords)) {
            for (int i = 0; i < qMin(record.names.size(), record.newValues.size()); ++i)
                apply(record.element, record.names.at(i), record.newValues.at(i));
        }
    }
    // The line names the opposite direction: "Redo::" is written while undoing.
    QTextStream(stdout) << (undoing() ? "Redo" : "Undo")
                        << "::Attribute::doSomething, operating size:" << mRecords.size() << '\n';
}

bool AttributeUndo::absorb(const AttributeUndo &next)
{
    if (mRecords.isEmpty() || mRecords.size() != next.mRecords.size())
        return false;
    const QStringList parameters = numericEngravingAttributes();
    for (int r = 0; r < mRecords.size(); ++r) {
        const AttributeRecord &mine = mRecords.at(r);
        const AttributeRecord &theirs = next.mRecords.at(r);
        if (mine.element != theirs.element || mine.names.size() != 1 || mine.names != theirs.names
            || !parameters.contains(mine.names.first()))
            return false;
    }
    for (int r = 0; r < mRecords.size(); ++r)
        mRecords[r].newValues = next.mRecords.at(r).newValues;
    return true;
}

void AttributeUndo::apply(Node *element, const QString &name, const QString &value)
{
    qDebug().noquote().nospace() << "name: " << name << " value: " << value;
    // Kinds applyAttribute does not accept are passed over without a word.
    SVGDocument::applyAttribute(element, name, value);
}
