#pragma once

#include "canvas/commands/undo.h"

#include <QList>

class GraphicsGroupItem;
class Scene;

// Elements and user groups were deleted. While in effect the command holds
// them, detached, and deletes them when it is dropped.
class RemoveUndo : public Undo
{
public:
    RemoveUndo(const QList<Node *> &elements, const QList<GraphicsGroupItem *> &groups, Scene *scene);
    ~RemoveUndo() override;

    void doSomething() override;

private:
    QList<Node *> mElements;
    QList<GraphicsGroupItem *> mGroups;
    Scene *mScene = nullptr;
    bool mApplied = true;
};
