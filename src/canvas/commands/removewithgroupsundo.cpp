#include "canvas/commands/removewithgroupsundo.h"

#include "canvas/commands/grouphost.h"

RemoveWithGroupsUndo::RemoveWithGroupsUndo(const QList<Node *> &elements,
                                           const QList<GraphicsGroupItem *> &groups, GroupHost *host)
    : RemoveUndo(elements)
    , mGroups(groups)
    , mHost(host)
{
}

RemoveWithGroupsUndo::~RemoveWithGroupsUndo()
{
    if (!applied())
        return;
    // The elements' items may still hang in a group: the elements go first,
    // the groups with whatever items they still hold after.
    destroyElements();
    for (GraphicsGroupItem *group : qAsConst(mGroups))
        mHost->deleteTakenGroup(group);
}

void RemoveWithGroupsUndo::removeCompanions()
{
    for (GraphicsGroupItem *group : qAsConst(mGroups))
        mHost->takeGroup(group);
}

void RemoveWithGroupsUndo::restoreCompanions()
{
    for (GraphicsGroupItem *group : qAsConst(mGroups))
        mHost->putBackGroup(group);
}
