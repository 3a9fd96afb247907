#include "canvas/commands/removegroupundo.h"

#include "canvas/commands/grouphost.h"

RemoveGroupUndo::RemoveGroupUndo(GraphicsGroupItem *group, GroupHost *host)
    : Undo(UndoKind::RemoveGroup)
    , mGroup(group)
    , mHost(host)
{
}

RemoveGroupUndo::~RemoveGroupUndo()
{
    if (mApplied)
        mHost->deleteTakenGroup(mGroup);
}

void RemoveGroupUndo::doSomething()
{
    if (undoing()) {
        mHost->attachGroup(mGroup);
        mHost->putBackGroup(mGroup);
    } else {
        mHost->releaseGroup(mGroup);
        mHost->takeGroup(mGroup);
    }
    mApplied = !undoing();
}
