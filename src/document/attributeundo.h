#pragma once

#include "document/attributerecord.h"
#include "document/undo.h"

#include <QList>
#include <optional>

class Node;

// The attribute changes of one gesture or property edit, replayed through
// SVGDocument::applyAttribute so that each item follows its element.
class AttributeUndo : public Undo
{
public:
    AttributeUndo();

    // An operation that changed nothing returns no record; that adds nothing.
    void addRecord(const std::optional<AttributeRecord> &record);
    const QList<AttributeRecord> &records() const { return mRecords; }

    void doSomething() override;
    // Takes over the new values of `next` when both set the same single
    // engraving parameter of the same elements: typing a number into a
    // field is one step, however many keys it takes. False when it cannot.
    bool absorb(const AttributeUndo &next);

private:
    void apply(Node *element, const QString &name, const QString &value);

    QList<AttributeRecord> mRecords;
};
