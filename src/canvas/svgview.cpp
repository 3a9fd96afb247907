#include "canvas/svgview.h"

#include "canvas/designview.h"
#include "canvas/itemfactory.h"
#include "canvas/jobgenerationdialog.h"
#include "canvas/scene.h"
#include "canvas/tools/ellipsetool.h"
#include "canvas/tools/linetool.h"
#include "canvas/tools/pentool.h"
#include "canvas/tools/rectangletool.h"
#include "canvas/tools/texttool.h"
#include "document/addundo.h"
#include "document/attributeundo.h"
#include "document/documenttemplate.h"
#include "document/node.h"
#include "document/svgdocument.h"
#include "document/svgelement.h"
#include "document/svgfile.h"

#include <QDebug>
#include <QFileInfo>
#include <QGraphicsItem>
#include <QGraphicsView>
#include <QGuiApplication>

SVGView::SVGView(QObject *parent)
    : QObject(parent)
{
    mScene = new Scene(this);
    mItemFactory = new ItemFactory(this, mScene);
    mScene->installTool(DoodleTool::Text, std::make_unique<TextTool>(mScene));
    mScene->installTool(DoodleTool::Path, std::make_unique<PenTool>(mScene));
    mScene->installTool(DoodleTool::Line, std::make_unique<LineTool>(mScene));
    mScene->installTool(DoodleTool::Rectangle, std::make_unique<RectangleTool>(mScene));
    mScene->installTool(DoodleTool::Ellipse, std::make_unique<EllipseTool>(mScene));
    // The text is set once the factory listens, so every element gets its item.
    mDocument = new SVGDocument();
    mDocument->setObserver(mItemFactory);
    mDocument->setSvgText(newDocumentText());
}

SVGView::~SVGView()
{
    // Commands delete the elements they detached; the factory must hear of it.
    mUndoStack.clear();
    // Element objects first: the factory hears of each, and looks at its
    // item's scene.
    delete mDocument;
    mDocument = nullptr;
    delete mItemFactory;
    mItemFactory = nullptr;
    delete mScene;
    mScene = nullptr;
}

QGraphicsItem *SVGView::itemOf(const Node *node) const
{
    return mItemFactory->item(node);
}

void SVGView::setDoodleTool(DoodleTool tool)
{
    mScene->setTool(tool);
    if (tool == DoodleTool::Select) {
        qDebug() << "setDoodleTool(DoodleTool tool)    Select";
        return;
    }
    qDebug() << "setDoodleTool(DoodleTool tool)    default";
    const bool suppressed = mScene->suppressSelectionSignals();
    mScene->setSuppressSelectionSignals(true);
    mScene->clearUpSelected();
    mScene->setSuppressSelectionSignals(suppressed);
}

DoodleTool SVGView::doodleTool() const
{
    return mScene->tool();
}

void SVGView::finishPolyline()
{
    mScene->finishPolyline();
}

void SVGView::commitPendingText()
{
    mScene->commitPendingText();
}

Node *SVGView::drawingLayer()
{
    if (Node *layer = currentLayer())
        return layer;
    SVGElement *svg = mDocument->svgElement();
    if (!svg || !svg->isOnCanvas())
        return nullptr;
    // The element makes itself the current layer as it is created.
    svg->addChildElement(QStringLiteral("g"), {QStringLiteral("tolvenrik:label")},
                         {QStringLiteral("label 1")});
    return currentLayer();
}

void SVGView::discardNode(Node *node)
{
    if (!node || !node->parent())
        return;
    if (mScene->drawingNode() == node)
        mScene->setDrawingNode(nullptr);
    if (mUndoStack.dropAdd(node))
        emit historyChanged();
    // The way undo takes an element out, so the tree view and the frame hear
    // of it too; nothing can bring this one back.
    if (mDocument->detachNode(node))
        delete node;
}

void SVGView::pushUndo(std::unique_ptr<Undo> command)
{
    Undo *top = mUndoStack.current();
    const bool merged = command && top && command->kind() == UndoKind::Attribute
            && top->kind() == UndoKind::Attribute
            && static_cast<AttributeUndo *>(top)->absorb(static_cast<const AttributeUndo &>(*command));
    if (!merged)
        mUndoStack.push(std::move(command));
    emit itemModified();
    emit historyChanged();
    // Every change of the design may have moved the selection.
    mScene->emitSelectionOf(mScene->selectFrame());
}

void SVGView::undo()
{
    if (mUndoStack.undo())
        afterReplay();
}

void SVGView::redo()
{
    if (mUndoStack.redo())
        afterReplay();
}

void SVGView::afterReplay()
{
    emit itemModified();
    emit historyChanged();
    // A new frame around the (flattened) selection, and the panel's values.
    if (mScene->selectFrame())
        mScene->selectNode();
}

Node *SVGView::currentLayer() const
{
    return mDocument ? mDocument->currentLayer() : nullptr;
}

QString SVGView::generateGcode(const QString &svgText)
{
    mJobs.generate(svgText, mDocument->defaultParameters());
    return QString();
}

bool SVGView::generateGcodeWithProgress(const QString &svgText)
{
    return JobGenerationDialog::run(mJobs, svgText, mDocument->defaultParameters(),
                                    mDesignView ? mDesignView->window() : nullptr);
}

void SVGView::setSvgPaintProperty(const QStringList &names, const QList<double> &values)
{
    mJobs.setPaintProperty(names, values);
}

bool SVGView::openFile(const QString &path)
{
    // Plain or gzip-compressed (.svgz) text, read whole before anything goes.
    QString text;
    if (!SvgFile::readDesign(path, &text)) {
        qDebug() << "load file err!";
        return false;
    }
    openText(path, text);
    return true;
}

void SVGView::openText(const QString &path, const QString &text)
{
    mFilePath = path;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    clearDocument();
    // Pictures referenced by a relative path lie beside the design.
    mDocument->setBaseFolder(QFileInfo(path).absolutePath());
    mJobs.setDesignFile(path);
    mDocument->setSvgText(text);
    QGuiApplication::restoreOverrideCursor();
    setSceneBound(mWidth, mHeight);
}

bool SVGView::newDocument()
{
    const QString text = newDocumentText();
    clearDocument();
    mDocument->setSvgText(text);
    QGuiApplication::restoreOverrideCursor();
    setSceneBound(mWidth, mHeight);
    return true;
}

void SVGView::clearDocument()
{
    // Nothing may keep pointing into the old tree once it is gone.
    mScene->forgetDocument();
    mUndoStack.clear();
    emit historyChanged();
    mDocument->releaseTree();
    mScene->clear();
}

Node *SVGView::makeNode(const QString &tag, const QStringList &names, const QStringList &values)
{
    mScene->clearSelectionQuietly();
    Node *layer = currentLayer();
    return layer ? layer->addChildElement(tag, names, values) : nullptr;
}

Node *SVGView::createNode(const QString &tag, const QStringList &names, const QStringList &values)
{
    Node *node = makeNode(tag, names, values);
    if (node)
        emit itemModified();
    return node;
}

Node *SVGView::addNode(const QString &tag, const QStringList &names, const QStringList &values)
{
    Node *node = makeNode(tag, names, values);
    // pushUndo tells the window, once.
    if (node)
        pushUndo(std::make_unique<AddUndo>(node));
    return node;
}

Node *SVGView::pasteTextItem(const QString &tag, const QStringList &names,
                             const QStringList &values, Node *parent, const QString &text)
{
    qDebug() << "pasteTextItem";
    if (!parent)
        return nullptr;
    Node *node = parent->addTextChildElement(tag, names, values, text);
    if (node)
        pushUndo(std::make_unique<AddUndo>(node));
    return node;
}

void SVGView::setSceneBound(double width, double height)
{
    mWidth = width;
    mHeight = height;
    mScene->setSceneRect(0, 0, width, height);
    SVGElement *svg = mDocument->svgElement();
    if (!svg)
        return;
    svg->setRects(QRectF(0, 0, width, height));
    svg->setAttribute(QStringLiteral("width"), QString::number(width, 'f', 3));
    svg->setAttribute(QStringLiteral("height"), QString::number(height, 'f', 3));
}

void SVGView::fitView()
{
    if (!mDesignView)
        return;
    const double viewWidth = mDesignView->width();
    const double viewHeight = mDesignView->height();
    if (viewWidth <= 0 || viewHeight <= 0)
        return;
    const double ratio = qMax((mHeight + 100) / viewHeight, (mWidth + 100) / viewWidth);
    if (ratio <= 0)
        return;
    // The design view ignores scroll requests unless told to take them.
    auto *designView = qobject_cast<DesignView *>(mDesignView);
    if (designView)
        designView->setScrollEnabled(true);
    mDesignView->scale(1 / ratio, 1 / ratio);
    mDesignView->viewport()->update();
    if (designView)
        designView->setScrollEnabled(false);
}
