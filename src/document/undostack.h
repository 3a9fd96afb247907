#pragma once

#include "document/undo.h"

#include <memory>
#include <vector>

// A linear history of commands. Pushing records a change that has already
// been made, so push runs nothing; it drops the commands that were undone.
class UndoStack
{
public:
    void push(std::unique_ptr<Undo> command);
    // Nothing at the bottom or the top, and nothing reported; true when a
    // command ran.
    bool undo();
    bool redo();
    // When a document is replaced: no command may reach into the old one.
    void clear();
    // Forgets the command in effect when it is the add command of `element`,
    // so a drawing that was taken back leaves nothing to redo. True when
    // one was dropped.
    bool dropAdd(const Node *element);

    int count() const { return int(mCommands.size()); }
    // The command in effect, the one the next undo runs; null when none is.
    Undo *current() const { return mPosition >= 0 ? mCommands[size_t(mPosition)].get() : nullptr; }
    // Index of the last command in effect; -1 when none is.
    int position() const { return mPosition; }

private:
    std::vector<std::unique_ptr<Undo>> mCommands;
    int mPosition = -1;
};
