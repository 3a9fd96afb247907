#pragma once

class GraphicsGroupItem;

// What the group commands need of the canvas, which alone knows user groups.
class GroupHost
{
public:
    // The group's members point to it (attach) or no longer (release).
    virtual void attachGroup(GraphicsGroupItem *group) = 0;
    virtual void releaseGroup(GraphicsGroupItem *group) = 0;
    // The group leaves the canvas or comes back; its members stay where
    // they are. Only a group that is out can be deleted.
    virtual void takeGroup(GraphicsGroupItem *group) = 0;
    virtual void putBackGroup(GraphicsGroupItem *group) = 0;
    virtual void deleteTakenGroup(GraphicsGroupItem *group) = 0;

protected:
    ~GroupHost() = default;
};
