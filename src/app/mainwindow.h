#pragma once

#include "canvas/tools/doodletool.h"
#include "gcode/gcodebuffer.h"

#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QRectF>
#include <QStringList>

#include <memory>

class ActionSet;
class DesignView;
class DomTreeView;
class FileCommands;
class LowerGrbl;
class ItemProperty;
class LowerOperatePanel;
class MaterialLibraryPanel;
class PanelRelay;
class UpdateCheck;
class QApplication;
class QDockWidget;
class QGraphicsView;
class QThread;
class SVGView;
class ScrollContext;

// The one window: it creates the view, the device controller in its
// thread, the docks and the commands, and wires them together. The work is
// done by ActionSet, FileCommands and PanelRelay.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Keeps the application object and sets the interface-wide font.
    void setApplication(QApplication *application);

    SVGView *svgView() const { return mSvgView; }
    ActionSet *actions() const { return mActions; }
    FileCommands *fileCommands() const { return mFiles; }
    PanelRelay *panelRelay() const { return mRelay; }
    ItemProperty *itemProperty() const { return mItemProperty; }
    LowerOperatePanel *operatePanel() const { return mOperatePanel; }
    MaterialLibraryPanel *materialLibrary() const { return mMaterials; }
    UpdateCheck *updateCheck() const { return mUpdateCheck; }
    QThread *deviceThread() const { return mDeviceThread; }
    LowerGrbl *lowerGrbl() const { return mLowerGrbl; }
    QDockWidget *propertyDock() const { return mPropertyDock; }
    QDockWidget *consoleDock() const { return mConsoleDock; }
    // Where the property panel and the operate panel go.
    ScrollContext *propertyContext() const { return mPropertyContext; }
    ScrollContext *consoleContext() const { return mConsoleContext; }

signals:
    // Repeat what the panel relay sends to the device controller.
    void lowerSetGcode(QList<GCodeBuffer> gcode);
    void lowerSetFrame(QRectF bound);
    void lowerSetMessage(QStringList message);
    void addImage(QString fileBase64, qreal width, qreal height);
    void addSvg(QString svgText);

public slots:
    void itemModefied();
    // Undo and Redo follow the history, whatever is selected.
    void historyChanged();
    void selectOneNode(QMap<QString, QString> atts, QRectF bound);
    void selectPluralNode(QMap<QString, QString> atts, QRectF bound);
    void selectNoneNode();
    void requestToChangeToSelect();
    void selectItemsBound(QRectF bound);
    void setItemPropertyWidgetValue(QStringList message);
    void setLowerOperateWidgetValue(QStringList message);
    void setSceneItemProperty(QStringList names, QStringList values);
    void setSvgPaintProperty(QStringList names, QList<double> values);
    void setSceneBound(double width, double height);
    void sendLowerMessage(QStringList message);
    void sendLowerGcode();
    void sendLowerFrame();
    // Empties the view's job list and fills it from the current design.
    bool gcodeGenerate();
    // The property panel's test pattern: replaces the design, keeps no path.
    void svgClicked(QString path);
    void imageClicked(QString path);

    void newFileClicked();
    void showOpenFile();
    void showImageFile();
    void saveFileClicked();
    void saveFileAsClicked();
    void saveGcodeClicked();
    void undoClicked();
    void redoClicked();
    void rotateClicked();
    void copyClicked();
    void pasteClicked();
    void deleteClicked();
    void mirrorHClicked();
    void mirrorVClicked();
    void alignLeftClicked();
    void alignRightClicked();
    void alignTopClicked();
    void alignBottomClicked();
    void partGroupClicked();
    void partUnGroupClicked();
    void potraceClicked();
    void previewClicked();
    // Tools > material test grid: the dialog, then the grid as one undo step.
    void testGridClicked();
    void updateActionClicked();
    void graphSelectClicked();
    void graphPathClicked();
    void graphLineClicked();
    void graphRectangleClicked();
    void graphEllipseClicked();
    void graphTextClicked();
    void chLanguageActionClicked();
    void enLanguageActionClicked();
    void koreanLanguageActionClicked();
    void jpLanguageActionClicked();
    void aboutUsActionClicked();
    void openLogFolderActionClicked();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createDeviceThread();
    void createDocks();
    void createPanels();
    void setDrawingTool(DoodleTool tool);
    void connectActions();
    void selectionMade(const QMap<QString, QString> &atts, const QRectF &bound);
    void refreshTree();
    // The language chosen in the menu applies from the next start.
    void showRestartNotice();

    QApplication *mApplication = nullptr;
    SVGView *mSvgView = nullptr;
    DesignView *mDesignView = nullptr;
    // Created without a parent and never shown; it follows the document's model.
    std::unique_ptr<DomTreeView> mDomTreeView;
    QThread *mDeviceThread = nullptr;
    LowerGrbl *mLowerGrbl = nullptr;
    ActionSet *mActions = nullptr;
    FileCommands *mFiles = nullptr;
    PanelRelay *mRelay = nullptr;
    ItemProperty *mItemProperty = nullptr;
    LowerOperatePanel *mOperatePanel = nullptr;
    MaterialLibraryPanel *mMaterials = nullptr;
    UpdateCheck *mUpdateCheck = nullptr;
    QDockWidget *mPropertyDock = nullptr;
    QDockWidget *mConsoleDock = nullptr;
    ScrollContext *mPropertyContext = nullptr;
    ScrollContext *mConsoleContext = nullptr;
    bool mFitted = false;
};
