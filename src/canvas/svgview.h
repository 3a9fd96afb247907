#pragma once

#include "gcode/gcodegenerator.h"

#include <QObject>
#include <QSizeF>
#include <QStringList>

class MainWindow;
class Node;
class QGraphicsView;
class SVGDocument;
class Scene;

// The document controller: owns the design and its canvas, and replaces,
// extends and sizes the design as a whole.
class SVGView : public QObject
{
    Q_OBJECT

public:
    explicit SVGView(MainWindow *mainWindow = nullptr, QObject *parent = nullptr);
    ~SVGView() override;

    SVGDocument *document() const { return mDocument; }
    Scene *scene() const { return mScene; }
    QGraphicsView *designView() const { return mDesignView; }
    void setDesignView(QGraphicsView *view) { mDesignView = view; }

    // Loads a design file. False, with the current design untouched, when the
    // file cannot be opened.
    bool openFile(const QString &path);
    bool newDocument();
    void clearDocument();
    // Adds an element under the current layer; null when there is none.
    Node *addNode(const QString &tag, const QStringList &names, const QStringList &values);
    // The work area in units; rewrites the root's width and height.
    void setSceneBound(double width, double height);
    QSizeF workArea() const { return {mWidth, mHeight}; }
    // Scales the design view so the work area fits with a margin.
    void fitView();

    // The first g created since the document was last cleared.
    Node *currentLayer() const { return mCurrentLayer; }
    void setCurrentLayer(Node *layer) { mCurrentLayer = layer; }
    QString filePath() const { return mFilePath; }

    // Turns the design text into the job list with the scene's default
    // parameter set; returns an empty string.
    QString generateGcode(const QString &svgText);
    // "paintPower", "paintSpeed" and the other generator values by name.
    void setSvgPaintProperty(const QStringList &names, const QList<double> &values);
    const QVector<GCodeBuffer> &gcode() const { return mGenerator.job(); }
    void clearGcode() { mGenerator.clearJob(); }
    const GCodeGenerator &generator() const { return mGenerator; }

signals:
    void itemModified();

private:
    void setDocumentText(const QString &text);

    SVGDocument *mDocument = nullptr;
    Scene *mScene = nullptr;
    QGraphicsView *mDesignView = nullptr;
    double mWidth = 2000;
    double mHeight = 2700;
    Node *mCurrentLayer = nullptr;
    QString mFilePath;
    GCodeGenerator mGenerator;
};
