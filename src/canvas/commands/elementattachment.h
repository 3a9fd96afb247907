#pragma once

class GraphicsGroupItem;
class Node;
class Scene;

// Takes elements out of the design and puts them back for the undo
// commands: the DOM element, the object in its parent's child cache (the
// tree view hears of both) and the item in the scene. A detached element
// keeps its object and item; the command that detached it owns them and
// deletes them with itself.
namespace ElementAttachment {

bool detach(Scene *scene, Node *element);
// Back at the row it left; its item returns under the parent's item.
bool reattach(Scene *scene, Node *element);
// Deletes an element that is out of the design, with its subtree and items.
void destroyDetached(Scene *scene, Node *element);

// A user group leaves or joins the scene; its members stay where they are.
void removeGroup(Scene *scene, GraphicsGroupItem *group);
void addGroup(Scene *scene, GraphicsGroupItem *group);
void destroyGroup(Scene *scene, GraphicsGroupItem *group);

} // namespace ElementAttachment
