#pragma once

class Node;

// The kind code of each undo command class.
enum class UndoKind {
    Attribute = 0,
    Add = 1,
    Remove = 2,
    AddGroup = 3,
    RemoveGroup = 4,
    AddPathGroup = 5,
    RemovePathGroup = 6,
};

// One recorded change of the design that can be replayed in either
// direction. A command is made after its change is done, so the first
// doSomething() it sees is always an undo.
class Undo
{
public:
    explicit Undo(UndoKind kind)
        : mKind(kind)
    {
    }
    virtual ~Undo() = default;
    Undo(const Undo &) = delete;
    Undo &operator=(const Undo &) = delete;

    UndoKind kind() const { return mKind; }
    // Set by the stack just before doSomething(): true while undoing, false
    // while doing the change again.
    bool undoing() const { return mUndoing; }
    void setUndoing(bool undoing) { mUndoing = undoing; }

    virtual void doSomething() = 0;
    // The element an add command put into the design; null for every other
    // kind. Lets the maker of an element that turned out empty drop its command.
    virtual Node *addedElement() const { return nullptr; }

protected:
    // Commands change the design only through its document, whose observer
    // (the canvas) moves the items along. Detach takes an element out
    // (DOM, object tree, views) keeping its object; reattach puts it back at
    // the row it left; both are false when there is nothing to do.
    static bool detach(Node *element);
    static bool reattach(Node *element);
    // Deletes an element that is out of the design, with its subtree; one
    // still in the design is left alone.
    static void destroyDetached(Node *element);

private:
    UndoKind mKind;
    bool mUndoing = false;
};
