#include "canvas/svgview.h"

#include "canvas/designview.h"
#include "canvas/itemfactory.h"
#include "canvas/scene.h"
#include "document/documenttemplate.h"
#include "document/node.h"
#include "document/svgdocument.h"
#include "document/svgelement.h"

#include <QDebug>
#include <QFile>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QTextStream>

SVGView::SVGView(QObject *parent)
    : QObject(parent)
{
    mScene = new Scene(this);
    mItemFactory = new ItemFactory(this, mScene);
    // The text is set once the factory listens, so every element gets its item.
    mDocument = new SVGDocument();
    mDocument->setObserver(mItemFactory);
    mDocument->setSvgText(newDocumentText());
}

SVGView::~SVGView()
{
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

void SVGView::pushUndo(std::unique_ptr<Undo> command)
{
    mUndoStack.push(std::move(command));
    emit itemModified();
}

void SVGView::undo()
{
    mUndoStack.undo();
}

void SVGView::redo()
{
    mUndoStack.redo();
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

void SVGView::setSvgPaintProperty(const QStringList &names, const QList<double> &values)
{
    mJobs.setPaintProperty(names, values);
}

bool SVGView::openFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "load file err!";
        return false;
    }
    mFilePath = path;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    clearDocument();
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    mDocument->setSvgText(stream.readAll());
    QGuiApplication::restoreOverrideCursor();
    setSceneBound(mWidth, mHeight);
    return true;
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
    mDocument->releaseTree();
    mScene->clear();
}

Node *SVGView::addNode(const QString &tag, const QStringList &names, const QStringList &values)
{
    mScene->clearSelectionQuietly();
    Node *layer = currentLayer();
    if (!layer)
        return nullptr;
    Node *node = layer->addChildElement(tag, names, values);
    emit itemModified();
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
