#pragma once

#include "gcode/gcodebuffer.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QRectF>
#include <QStringList>

class SVGView;

// Between the window and its two panels: what the property panel and the
// operate panel are to show arrives here as signals they connect to, and
// the job and frame they ask for are taken from the view.
class PanelRelay : public QObject
{
    Q_OBJECT

public:
    PanelRelay(SVGView *view, QObject *parent);

    // A copy of the view's job, record by record, so the device thread never
    // shares records with the GUI; the view's list is emptied.
    QList<GCodeBuffer> takeJob();
    // The selection's bounds in scene units, or those of every item.
    QRectF frame() const;

signals:
    // To the property panel: the selection's attributes and bounds, and
    // messages from the operate panel.
    void itemSelection(QMap<QString, QString> attributes, QRectF bounds);
    void itemPropertyMessage(QStringList message);
    // To the operate panel: the device controller's messages.
    void operateMessage(QStringList message);
    // From the property panel to the scene's property channel.
    void scenePropertyRequest(QStringList names, QStringList values);

private:
    SVGView *mView = nullptr;
};
