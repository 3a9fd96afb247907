#pragma once

#include "document/undo.h"

#include <QList>

// Elements were deleted. While in effect the command holds them, detached,
// and deletes them when it is dropped.
class RemoveUndo : public Undo
{
public:
    explicit RemoveUndo(const QList<Node *> &elements);
    ~RemoveUndo() override;

    void doSomething() override;

protected:
    // What a view deleted along with the elements and keeps itself (the
    // canvas's user groups) goes and comes back after them.
    virtual void removeCompanions() {}
    virtual void restoreCompanions() {}
    // True while the deletion is in effect.
    bool applied() const { return mApplied; }
    // Deletes the held elements now; a subclass whose companions hold the
    // elements' items calls it before deleting them.
    void destroyElements();

private:
    QList<Node *> mElements;
    bool mApplied = true;
};
