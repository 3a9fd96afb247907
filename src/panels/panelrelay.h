#pragma once

#include "gcode/gcodebuffer.h"

#include <QList>
#include <QObject>
#include <QRectF>
#include <QStringList>

#include <functional>

class ItemProperty;
class LowerGrbl;
class LowerOperatePanel;
class SVGView;

// Wires the two panels to the design and to the engraver controller. The
// controller lives in another thread: the four connections to it are queued,
// so nothing here ever waits on the port.
class PanelRelay : public QObject
{
    Q_OBJECT

public:
    // `grbl` may already live in its thread; the relay neither owns nor moves
    // it, and makes the only connections to it.
    PanelRelay(SVGView *view, ItemProperty *properties, LowerOperatePanel *operate,
               LowerGrbl *grbl, QObject *parent = nullptr);

    // Called before a job is generated, to commit a text still being edited.
    void setPendingEditCommit(std::function<void()> commit) { mCommitPendingEdit = std::move(commit); }

signals:
    void lowerSetGcode(QList<GCodeBuffer> job);
    void lowerSetFrame(QRectF bound);
    void lowerSetMessage(QStringList message);
    // Attribute changes for the selection, for the canvas's property channel.
    // The default-set names are applied here and never appear in it.
    void sceneItemProperty(QStringList names, QStringList values);
    // After a design was loaded in place of the current one.
    void designLoaded(QString path);

public slots:
    void setLowerOperateWidgetValue(QStringList message);
    void setItemPropertyWidgetValue(QStringList message);
    void sendLowerMessage(QStringList message);
    void sendLowerGcode();
    void sendLowerFrame();
    void setSceneItemProperty(QStringList names, QStringList values);
    void setSvgPaintProperty(QStringList names, QList<double> values);
    // The work area in millimetres.
    void setSceneBound(double width, double height);
    void svgClicked(QString path);

private:
    SVGView *mView;
    ItemProperty *mProperties;
    LowerOperatePanel *mOperate;
    std::function<void()> mCommitPendingEdit;
};
