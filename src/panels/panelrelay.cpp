#include "panels/panelrelay.h"

#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "device/lowergrbl.h"
#include "document/defaultparameters.h"
#include "document/svgdocument.h"
#include "panels/itemproperty.h"
#include "panels/jobtimedisplay.h"
#include "panels/loweroperatepanel.h"

#include <QDebug>

namespace {
constexpr double unitsPerMillimetre = 12.5;
}

PanelRelay::PanelRelay(SVGView *view, ItemProperty *properties, LowerOperatePanel *operate,
                       LowerGrbl *grbl, QObject *parent)
    : QObject(parent)
    , mView(view)
    , mProperties(properties)
    , mOperate(operate)
{
    registerGCodeBufferMetaTypes();

    // The four connections across the device thread; a relay without a
    // controller (a panel test) keeps its lower* signals to itself.
    if (grbl) {
        connect(this, &PanelRelay::lowerSetGcode, grbl, &LowerGrbl::grblGcodePrint, Qt::QueuedConnection);
        connect(this, &PanelRelay::lowerSetFrame, grbl, &LowerGrbl::grblFrameLoc, Qt::QueuedConnection);
        connect(this, &PanelRelay::lowerSetMessage, grbl, &LowerGrbl::getPanelMessage,
                Qt::QueuedConnection);
        connect(grbl, &LowerGrbl::sendPanelMessage, this, &PanelRelay::setLowerOperateWidgetValue,
                Qt::QueuedConnection);
    }

    connect(operate, &LowerOperatePanel::lowerMessage, this, &PanelRelay::sendLowerMessage);
    connect(operate, &LowerOperatePanel::propertyMessage, this, &PanelRelay::setItemPropertyWidgetValue);
    connect(operate, &LowerOperatePanel::svgPaintPropertyChanged, this, &PanelRelay::setSvgPaintProperty);
    connect(operate, &LowerOperatePanel::sceneBoundChanged, this, &PanelRelay::setSceneBound);
    connect(operate, &LowerOperatePanel::gcodeRequested, this, &PanelRelay::sendLowerGcode);
    connect(operate, &LowerOperatePanel::frameRequested, this, &PanelRelay::sendLowerFrame);

    connect(properties, &ItemProperty::sceneItemPropertyChanged, this, &PanelRelay::setSceneItemProperty);
    connect(properties, &ItemProperty::svgPaintPropertyChanged, this, &PanelRelay::setSvgPaintProperty);
    connect(properties, &ItemProperty::designRequested, this, &PanelRelay::svgClicked);

    // The job time before Start follows the design and its parameters.
    JobTimeDisplay *jobTime = operate->jobTime();
    jobTime->setDesignSource([view] {
        GCodeGenerator generator = view->generator();
        generator.setDefaultParameters(view->document()->defaultParameters());
        // The worker writes the text: for a big photo that takes far longer than the copy.
        return std::make_pair(generator, view->document()->domDocument().cloneNode(true).toDocument());
    });
    connect(view, &SVGView::itemModified, jobTime, &JobTimeDisplay::designChanged);
    connect(operate, &LowerOperatePanel::lowerMessage, jobTime, &JobTimeDisplay::applyPanelCommands);
    connect(this, &PanelRelay::designLoaded, jobTime, &JobTimeDisplay::designChanged);

    Scene *scene = view->scene();
    connect(scene, &Scene::selectionAngleChanged, properties, &ItemProperty::setSelectionAngle);
    connect(scene, &Scene::selectOneNode, properties, &ItemProperty::selectOneNode);
    connect(scene, &Scene::selectPluralNode, properties, &ItemProperty::selectPluralNode);
    connect(scene, &Scene::selectNoneNode, properties, &ItemProperty::selectNoneNode);
}

void PanelRelay::setLowerOperateWidgetValue(QStringList message)
{
    mOperate->setLowerOperateWidgetValue(message);
}

void PanelRelay::setItemPropertyWidgetValue(QStringList message)
{
    mProperties->setItemPropertyWidgetValue(message);
}

void PanelRelay::sendLowerMessage(QStringList message)
{
    emit lowerSetMessage(message);
}

void PanelRelay::sendLowerGcode()
{
    if (mCommitPendingEdit)
        mCommitPendingEdit();
    qDebug() << "gcodeGenerate";
    mView->clearGcode();
    mOperate->jobTime()->jobStarting();
    // Cancelled: the engraver gets no job.
    if (!mView->generateGcodeWithProgress(mView->document()->toSvgText())) {
        mOperate->jobTime()->jobEnded();
        return;
    }
    const QVector<GCodeBuffer> job = mView->gcode();
    QList<GCodeBuffer> copy(job.begin(), job.end());
    mView->clearGcode();
    emit lowerSetGcode(copy);
    mOperate->jobTime()->jobStarted(job);
}

void PanelRelay::sendLowerFrame()
{
    emit lowerSetFrame(mView->scene()->jobBounds());
}

void PanelRelay::setSceneItemProperty(QStringList names, QStringList values)
{
    DefaultParameters defaults = mView->scene()->defaultParameters();
    bool defaultsChanged = false;
    QStringList otherNames;
    QStringList otherValues;
    for (int i = 0; i < names.size() && i < values.size(); ++i) {
        if (DefaultParameters::isDefaultParameterName(names.at(i))) {
            defaultsChanged |= defaults.setNamed(names.at(i), values.at(i));
        } else {
            otherNames.append(names.at(i));
            otherValues.append(values.at(i));
        }
    }
    if (defaultsChanged) {
        mView->scene()->setDefaultParameters(defaults);
        mOperate->jobTime()->designChanged();
    }
    if (!otherNames.isEmpty())
        emit sceneItemProperty(otherNames, otherValues);
}

void PanelRelay::setSvgPaintProperty(QStringList names, QList<double> values)
{
    mView->setSvgPaintProperty(names, values);
    mOperate->jobTime()->designChanged();
}

void PanelRelay::setSceneBound(double width, double height)
{
    mView->setSceneBound(width * unitsPerMillimetre, height * unitsPerMillimetre);
}

void PanelRelay::svgClicked(QString path)
{
    if (mView->openFile(path))
        emit designLoaded(path);
}
