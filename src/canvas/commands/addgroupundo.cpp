#include "canvas/commands/addgroupundo.h"

#include "canvas/commands/grouphost.h"

#include <QTextStream>

AddGroupUndo::AddGroupUndo(GraphicsGroupItem *group, GroupHost *host)
    : Undo(UndoKind::AddGroup)
    , mGroup(group)
    , mHost(host)
{
}

AddGroupUndo::~AddGroupUndo()
{
    if (!mApplied)
        mHost->deleteTakenGroup(mGroup);
}

void AddGroupUndo::doSomething()
{
    if (undoing()) {
        mHost->releaseGroup(mGroup);
        mHost->takeGroup(mGroup);
    } else {
        mHost->attachGroup(mGroup);
        mHost->putBackGroup(mGroup);
    }
    mApplied = !undoing();
    QTextStream(stdout) << (undoing() ? "Redo" : "Undo") << "::AddGroupUndo::doSomething\n";
}
