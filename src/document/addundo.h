#pragma once

#include "document/undo.h"


// An element was put into the design. While undone the command holds the
// detached element and deletes it when it is dropped.
class AddUndo : public Undo
{
public:
    AddUndo(Node *element);
    ~AddUndo() override;

    Node *addedElement() const override { return mElement; }
    void doSomething() override;

private:
    Node *mElement = nullptr;
    bool mApplied = true;
};
