#pragma once

#include "document/undo.h"

class GraphicsGroupItem;
class GroupHost;

// A user group was ungrouped. While in effect the command holds the released
// group and deletes it when it is dropped.
class RemoveGroupUndo : public Undo
{
public:
    RemoveGroupUndo(GraphicsGroupItem *group, GroupHost *host);
    ~RemoveGroupUndo() override;

    void doSomething() override;

private:
    GraphicsGroupItem *mGroup = nullptr;
    GroupHost *mHost = nullptr;
    bool mApplied = true;
};
