#include "document/undostack.h"

void UndoStack::push(std::unique_ptr<Undo> command)
{
    if (!command)
        return;
    mCommands.resize(size_t(mPosition + 1));
    mCommands.push_back(std::move(command));
    mPosition = int(mCommands.size()) - 1;
}

bool UndoStack::undo()
{
    if (mPosition < 0)
        return false;
    Undo *command = mCommands[size_t(mPosition)].get();
    command->setUndoing(true);
    command->doSomething();
    --mPosition;
    return true;
}

bool UndoStack::redo()
{
    if (mPosition + 1 >= count())
        return false;
    ++mPosition;
    Undo *command = mCommands[size_t(mPosition)].get();
    command->setUndoing(false);
    command->doSomething();
    return true;
}

void UndoStack::clear()
{
    mCommands.clear();
    mPosition = -1;
}

bool UndoStack::dropAdd(const Node *element)
{
    if (!element || mPosition < 0)
        return false;
    const auto top = mCommands.begin() + mPosition;
    if ((*top)->addedElement() != element)
        return false;
    mCommands.erase(top);
    --mPosition;
    return true;
}
