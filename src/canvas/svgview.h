#pragma once

#include "canvas/tools/doodletool.h"
#include "document/undostack.h"
#include "gcode/jobcontroller.h"

#include <QObject>
#include <QSizeF>
#include <QStringList>

class ItemFactory;
class Node;
class QGraphicsItem;
class QGraphicsView;
class SVGDocument;
class Scene;

// The document controller: owns the design, its canvas and the factory
// that keeps one item per element, and replaces, extends and sizes the
// design as a whole.
class SVGView : public QObject
{
    Q_OBJECT

public:
    explicit SVGView(QObject *parent = nullptr);
    ~SVGView() override;

    SVGDocument *document() const { return mDocument; }
    Scene *scene() const { return mScene; }
    ItemFactory *itemFactory() const { return mItemFactory; }
    // The element's graphics item, or null when it has none.
    QGraphicsItem *itemOf(const Node *node) const;
    QGraphicsView *designView() const { return mDesignView; }
    void setDesignView(QGraphicsView *view) { mDesignView = view; }

    // Loads a design file. False, with the current design untouched, when the
    // file cannot be opened.
    bool openFile(const QString &path);
    // The same with the file's text already read (and perhaps prepared).
    void openText(const QString &path, const QString &text);
    bool newDocument();
    void clearDocument();
    // Adds an element under the current layer and records it for undo;
    // null when there is no layer.
    Node *addNode(const QString &tag, const QStringList &names, const QStringList &values);
    // The same without an undo record, for operations that record the
    // element in a command of their own.
    Node *createNode(const QString &tag, const QStringList &names, const QStringList &values);
    // A text element with its text under `parent`, recorded for undo.
    Node *pasteTextItem(const QString &tag, const QStringList &names, const QStringList &values,
                        Node *parent, const QString &text);
    // The work area in units; rewrites the root's width and height.
    void setSceneBound(double width, double height);
    QSizeF workArea() const { return {mWidth, mHeight}; }
    // Scales the design view so the work area fits with a margin.
    void fitView();

    // The drawing tool; every code but Select also clears the selection.
    void setDoodleTool(DoodleTool tool);
    DoodleTool doodleTool() const;
    // Ends a polyline in progress.
    void finishPolyline();
    // Writes text typed into items into their elements, as one undo
    // command; Save, Save G-code, Start and closing call it first.
    void commitPendingText();
    // The layer new drawings go into. A design without one (many opened
    // files have no g) gets a g under its svg element; null only without svg.
    Node *drawingLayer();
    // Takes back an element just drawn that came to nothing: its add
    // command, its item, its DOM element and its object.
    void discardNode(Node *node);

    // Records a change already made to the design and enables saving.
    void pushUndo(std::unique_ptr<Undo> command);
    // After a step that changed something: itemModified() and the
    // selection signals again, so the panel shows the restored values.
    void undo();
    void redo();
    const UndoStack &undoStack() const { return mUndoStack; }

    // The first g created since the document was last cleared.
    Node *currentLayer() const;
    QString filePath() const { return mFilePath; }

    // Turns the design text into the job list with the document's default
    // parameter set; returns an empty string.
    QString generateGcode(const QString &svgText);
    // "paintPower", "paintSpeed" and the other generator values by name.
    void setSvgPaintProperty(const QStringList &names, const QList<double> &values);
    // As generateGcode, in a worker thread behind a modal progress dialog
    // with Cancel; false when the user cancelled (the job is then empty).
    bool generateGcodeWithProgress(const QString &svgText);
    const QVector<GCodeBuffer> &gcode() const { return mJobs.job(); }
    void clearGcode() { mJobs.clearJob(); }
    const GCodeGenerator &generator() const { return mJobs.generator(); }

signals:
    void itemModified();
    // The undo history gained, replayed, dropped or lost a step.
    void historyChanged();

private:
    void afterReplay();
    Node *makeNode(const QString &tag, const QStringList &names, const QStringList &values);

    SVGDocument *mDocument = nullptr;
    Scene *mScene = nullptr;
    ItemFactory *mItemFactory = nullptr;
    QGraphicsView *mDesignView = nullptr;
    double mWidth = 2000;
    double mHeight = 2700;
    QString mFilePath;
    JobController mJobs;
    UndoStack mUndoStack;
};
