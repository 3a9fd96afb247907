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

private:
    void apply(Node *element, const QString &name, const QString &value);

    QList<AttributeRecord> mRecords;
};
