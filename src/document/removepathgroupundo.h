#pragma once

#include "document/undo.h"

#include <QList>


// A path was split into one path per subpath. The command holds whichever
// side is out of the design: the split path while in effect, the parts
// while undone.
class RemovePathGroupUndo : public Undo
{
public:
    RemovePathGroupUndo(const QList<Node *> &parts, Node *path);
    ~RemovePathGroupUndo() override;

    void doSomething() override;

private:
    QList<Node *> mParts;
    Node *mPath = nullptr;
    bool mApplied = true;
};
