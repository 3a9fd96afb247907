#pragma once

#include "document/undo.h"
#include "document/attributerecord.h"

#include <QList>

class Scene;

// Engraving attributes and engrave modes set on several elements at once
// (a material preset), replayed exactly. The panel's own edits of these
// numbers keep no record; a preset replaces a whole set, so it does.
class ParameterUndo : public Undo
{
public:
    explicit ParameterUndo(Scene *scene);

    void addRecord(const AttributeRecord &record) { mRecords.append(record); }
    const QList<AttributeRecord> &records() const { return mRecords; }

    // Sets `names` to `values` on the element ("style" through the scene,
    // so its item repaints) and returns the record of the change.
    static AttributeRecord apply(Scene *scene, Node *element, const QStringList &names,
                                 const QStringList &values);

    void doSomething() override;

private:
    Scene *mScene = nullptr;
    QList<AttributeRecord> mRecords;
};
