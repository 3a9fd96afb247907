#pragma once

#include "canvas/commands/undo.h"

class GraphicsGroupItem;
class Scene;

// A user group was made. While undone the command holds the released group
// and deletes it when it is dropped.
class AddGroupUndo : public Undo
{
public:
    AddGroupUndo(GraphicsGroupItem *group, Scene *scene);
    ~AddGroupUndo() override;

    void doSomething() override;

private:
    GraphicsGroupItem *mGroup = nullptr;
    Scene *mScene = nullptr;
    bool mApplied = true;
};
