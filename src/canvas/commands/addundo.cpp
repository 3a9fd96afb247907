#include "canvas/commands/addundo.h"

#include "canvas/commands/elementattachment.h"

#include <QTextStream>

AddUndo::AddUndo(Node *element, Scene *scene)
    : Undo(UndoKind::Add)
    , mElement(element)
    , mScene(scene)
{
}

AddUndo::~AddUndo()
{
    if (!mApplied)
        ElementAttachment::destroyDetached(mScene, mElement);
}

void AddUndo::doSomething()
{
    if (undoing())
        ElementAttachment::detach(mScene, mElement);
    else
        ElementAttachment::reattach(mScene, mElement);
    mApplied = !undoing();
    // The line names the opposite direction: "Redo::" is written while undoing.
    QTextStream(stdout) << (undoing() ? "Redo" : "Undo") << "::AddUndo::doSomething\n";
}
