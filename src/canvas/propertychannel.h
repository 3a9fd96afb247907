#pragma once

#include <QList>
#include <QString>

class Scene;

// The property panel's changes applied by name to the selection: position
// and size of the selection frame, rotation, paint, text settings and
// engraving parameters, and the document's default parameter set.
class PropertyChannel
{
public:
    explicit PropertyChannel(Scene *scene);

    void setItemProperty(const QList<QString> &names, const QList<QString> &values);

private:
    Scene *mScene = nullptr;
};
