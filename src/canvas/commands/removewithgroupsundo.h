#pragma once

#include "document/removeundo.h"

#include <QList>

class GraphicsGroupItem;
class GroupHost;

// Elements and the user groups around them were deleted from the canvas.
// The groups exist only on the canvas, so they go and come back here,
// after the elements; while in effect the command holds both.
class RemoveWithGroupsUndo : public RemoveUndo
{
public:
    RemoveWithGroupsUndo(const QList<Node *> &elements, const QList<GraphicsGroupItem *> &groups,
                         GroupHost *host);
    ~RemoveWithGroupsUndo() override;

protected:
    void removeCompanions() override;
    void restoreCompanions() override;

private:
    QList<GraphicsGroupItem *> mGroups;
    GroupHost *mHost = nullptr;
};
