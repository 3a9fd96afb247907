#pragma once

#include "document/undo.h"

#include <QList>


// Paths were merged into one. The command holds whichever side is out of
// the design: the merged paths while in effect, the new path while undone.
class AddPathGroupUndo : public Undo
{
public:
    AddPathGroupUndo(const QList<Node *> &removed, Node *path);
    ~AddPathGroupUndo() override;

    void doSomething() override;

private:
    QList<Node *> mRemoved;
    Node *mPath = nullptr;
    bool mApplied = true;
};
