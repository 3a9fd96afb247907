#include "app/panelrelay.h"

#include "canvas/scene.h"
#include "canvas/svgview.h"

PanelRelay::PanelRelay(SVGView *view, QObject *parent)
    : QObject(parent)
    , mView(view)
{
}

QList<GCodeBuffer> PanelRelay::takeJob()
{
    QList<GCodeBuffer> copy;
    copy.reserve(mView->gcode().size());
    for (const GCodeBuffer &record : mView->gcode())
        copy.append(record);
    mView->clearGcode();
    return copy;
}

QRectF PanelRelay::frame() const
{
    return mView->scene()->jobBounds();
}
