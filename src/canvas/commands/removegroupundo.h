#pragma once

#include "canvas/commands/undo.h"

class GraphicsGroupItem;
class Scene;

// A user group was ungrouped. While in effect the command holds the released
// group and deletes it when it is dropped.
class RemoveGroupUndo : public Undo
{
public:
    RemoveGroupUndo(GraphicsGroupItem *group, Scene *scene);
    ~RemoveGroupUndo() override;

    void doSomething() override;

private:
    GraphicsGroupItem *mGroup = nullptr;
    Scene *mScene = nullptr;
    bool mApplied = true;
};
