#include "document/addundo.h"

#include <QTextStream>

AddUndo::AddUndo(Node *element)
    : Undo(UndoKind::Add)
    , mElement(element)
{
}

AddUndo::~AddUndo()
{
    if (!mApplied)
        destroyDetached(mElement);
}

void AddUndo::doSomething()
{
    if (undoing())
        detach(mElement);
    else
        reattach(mElement);
    mApplied = !undoing();
    // The line names the opposite direction: "Redo::" is written while undoing.
    QTextStream(stdout) << (undoing() ? "Redo" : "Undo") << "::AddUndo::doSomething\n";
}
