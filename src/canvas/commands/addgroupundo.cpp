#include "canvas/commands/addgroupundo.h"

#include "canvas/commands/elementattachment.h"
#include "canvas/graphicsgroupitem.h"
#include "canvas/scene.h"

#include <QTextStream>

AddGroupUndo::AddGroupUndo(GraphicsGroupItem *group, Scene *scene)
    : Undo(UndoKind::AddGroup)
    , mGroup(group)
    , mScene(scene)
{
}

AddGroupUndo::~AddGroupUndo()
{
    if (!mApplied)
        ElementAttachment::destroyGroup(mScene, mGroup);
}

void AddGroupUndo::doSomething()
{
    if (undoing()) {
        mScene->releaseGroup(mGroup);
        ElementAttachment::removeGroup(mScene, mGroup);
    } else {
        mScene->attachGroup(mGroup);
        ElementAttachment::addGroup(mScene, mGroup);
    }
    mApplied = !undoing();
    QTextStream(stdout) << (undoing() ? "Redo" : "Undo") << "::AddGroupUndo::doSomething\n";
}
