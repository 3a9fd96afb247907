#pragma once

#include <QList>
#include <QString>

class CanvasContext;

// The property panel's changes applied by name to the selection: position
// and size of the selection frame, rotation, paint, text settings and
// engraving parameters, and the document's default parameter set.
class PropertyChannel
{
public:
    explicit PropertyChannel(CanvasContext *canvas);

    void setItemProperty(const QList<QString> &names, const QList<QString> &values);

private:
    CanvasContext *mCanvas = nullptr;
};
