#pragma once

#include "canvas/commands/undo.h"

#include <QList>

class Scene;

// A path was split into one path per subpath. The command holds whichever
// side is out of the design: the split path while in effect, the parts
// while undone.
class RemovePathGroupUndo : public Undo
{
public:
    RemovePathGroupUndo(const QList<Node *> &parts, Node *path, Scene *scene);
    ~RemovePathGroupUndo() override;

    void doSomething() override;

private:
    QList<Node *> mParts;
    Node *mPath = nullptr;
    Scene *mScene = nullptr;
    bool mApplied = true;
};
