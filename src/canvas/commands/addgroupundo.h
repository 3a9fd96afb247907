#pragma once

#include "document/undo.h"

class GraphicsGroupItem;
class GroupHost;

// A user group was made. While undone the command holds the released group
// and deletes it when it is dropped.
class AddGroupUndo : public Undo
{
public:
    AddGroupUndo(GraphicsGroupItem *group, GroupHost *host);
    ~AddGroupUndo() override;

    void doSomething() override;

private:
    GraphicsGroupItem *mGroup = nullptr;
    GroupHost *mHost = nullptr;
    bool mApplied = true;
};
