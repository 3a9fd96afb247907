#include "app/mainwindow.h"

#include "app/actionset.h"
#include "app/filecommands.h"
#include "app/scrollcontext.h"
#include "app/updatecheck.h"
#include "canvas/designview.h"
#include "canvas/domtreeview.h"
#include "canvas/materialcanvas.h"
#include "canvas/previewdialog.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "common/settingsnames.h"
#include "common/userdata.h"
#include "device/lowergrbl.h"
#include "document/svgdocument.h"
#include "panels/itemproperty.h"
#include "panels/jobtimedisplay.h"
#include "panels/loweroperatepanel.h"
#include "panels/materiallibrarypanel.h"
#include "panels/panelrelay.h"
#include "panels/testgriddialog.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QDesktopServices>
#include <QDockWidget>
#include <QFont>
#include <QGraphicsView>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace {

// The work area until the operate panel reports the engraver's: 150 mm square.
constexpr double defaultWorkAreaMm = 150;
constexpr double unitsPerMm = 12.5;
// How long closing waits for a thread to end before leaving it behind.
constexpr int threadStopMs = 3000;

void storeLanguage(const QString &language)
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::languagesGroup);
    settings.setValue(SettingsNames::languageKey, language);
    settings.endGroup();
}

// Asks the thread to stop and waits a bounded time. A thread still running
// then is left to the process's end instead of going with the window:
// destroying a running QThread aborts the program.
void stopThread(QThread *thread)
{
    thread->requestInterruption();
    thread->quit();
    if (thread->wait(threadStopMs))
        return;
    qWarning() << "thread did not stop in time:" << thread->objectName();
    thread->setParent(nullptr);
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    registerGCodeBufferMetaTypes();
    setWindowTitle(QStringLiteral("Plimb"));

    mUpdateCheck = new UpdateCheck(this);

    mDesignView = new DesignView(this);
    mDesignView->setObjectName(QStringLiteral("designView"));
    mDesignView->setMinimumSize(200, 200);

    mSvgView = new SVGView(this);
    mSvgView->setDesignView(mDesignView);

    createDeviceThread();
    createPanels();

    mDomTreeView = std::make_unique<DomTreeView>(QSize(256, 256));
    refreshTree();

    mDesignView->setScene(mSvgView->scene());
    mDesignView->setUp(mSvgView);
    setCentralWidget(mDesignView);
    mSvgView->setSceneBound(defaultWorkAreaMm * unitsPerMm, defaultWorkAreaMm * unitsPerMm);

    mActions = new ActionSet(this);
    mActions->buildMenus(this);
    mActions->buildToolBars(this);
    // Where the actions' tips show as the pointer passes over them.
    statusBar()->setSizeGripEnabled(true);
    // Rotate is in no menu or toolbar; its shortcut needs a widget to live on.
    addAction(mActions->rotateAction);
    mFiles = new FileCommands(this, mSvgView, mActions->saveAction);
    connectActions();
    createDocks();
    mActions->undoAction->setEnabled(false);
    mActions->redoAction->setEnabled(false);
    mActions->pasteAction->setEnabled(false);
    mActions->setSelectionActionsEnabled(false);

    connect(this, &MainWindow::addImage, mSvgView->scene(), &Scene::addImage);
    connect(this, &MainWindow::addSvg, mSvgView->scene(), &Scene::addSvg);
    connect(mFiles, &FileCommands::imageReady, this, [this](QString text, qreal w, qreal h) {
        emit addImage(text, w, h);
        mActions->selectToolAction->trigger();
    });
    connect(mFiles, &FileCommands::designReplaced, this, &MainWindow::refreshTree);
    connect(mFiles, &FileCommands::designReplaced, mOperatePanel->jobTime(), &JobTimeDisplay::designChanged);
    connect(mRelay, &PanelRelay::designLoaded, this, &MainWindow::refreshTree);
    // Dropped files are added to the current design.
    connect(mDesignView, &DesignView::imageDropped, mFiles, &FileCommands::addImageFile);
    connect(mDesignView, &DesignView::svgDropped, mFiles, &FileCommands::addSvgFile);
    connect(mDesignView, &DesignView::dxfDropped, mFiles, &FileCommands::addDrawingFile);
    connect(mDesignView, &DesignView::pltDropped, mFiles, &FileCommands::addDrawingFile);
    connect(mDesignView, &DesignView::deleteRequested, this, &MainWindow::deleteClicked);

    resize(1250, 800);
    show();
    // Tabs exist only once the window is laid out.
    mConsoleDock->raise();

    connect(mSvgView, &SVGView::itemModified, this, &MainWindow::itemModefied);
    connect(mSvgView, &SVGView::historyChanged, this, &MainWindow::historyChanged);
    Scene *scene = mSvgView->scene();
    connect(scene, &Scene::selectOneNode, this, &MainWindow::selectOneNode);
    connect(scene, &Scene::selectPluralNode, this, &MainWindow::selectPluralNode);
    connect(scene, &Scene::selectNoneNode, this, &MainWindow::selectNoneNode);
    connect(scene, &Scene::RequestToChangeToSelect, this, &MainWindow::requestToChangeToSelect);

    mActions->selectToolAction->trigger();
    mDeviceThread->start(QThread::InheritPriority);

    mFiles->setModified(false);
    mOperatePanel->restoreSavedValues();
    mItemProperty->pushDefaultParameters();
    mUpdateCheck->checkAtStartup();

    // Development aid: PLIMB_OPEN_DESIGN=FILE opens that file at start-up as
    // Open would, once the event loop runs: opening may ask for a unit or
    // warn, and a modal box inside the constructor blocks for ever.
    const QString design = qEnvironmentVariable("PLIMB_OPEN_DESIGN");
    if (!design.isEmpty())
        QTimer::singleShot(0, this, [this, design] { mFiles->openPath(design); });
}

MainWindow::~MainWindow()
{
    qDebug() << "run end";
    stopThread(mDeviceThread);
    // The tree view watches the document's model, which goes with the SVGView.
    mDomTreeView.reset();
}

void MainWindow::createDeviceThread()
{
    qDebug() << "lower qthread";
    mDeviceThread = new QThread(this);
    mDeviceThread->setObjectName(QStringLiteral("lower qthread"));
    qDebug() << "new lower";
    mLowerGrbl = new LowerGrbl();
    mLowerGrbl->moveToThread(mDeviceThread);
    // The controller goes with its thread's last events, in its own thread.
    // The panel relay makes the connections to it.
    connect(mDeviceThread, &QThread::finished, mLowerGrbl, &QObject::deleteLater);
}

void MainWindow::createDocks()
{
    auto dock = [this](const QString &title, ScrollContext **context) {
        auto *d = new QDockWidget(title, this);
        d->setTitleBarWidget(new QWidget(d));
        *context = new ScrollContext(d);
        d->setWidget(*context);
        addDockWidget(Qt::RightDockWidgetArea, d);
        return d;
    };
    mPropertyDock = dock(tr("图元属性"), &mPropertyContext);
    mPropertyContext->addWidget(mItemProperty);
    mMaterials = new MaterialLibraryPanel(mSvgView, this);
    mPropertyContext->addWidget(mMaterials);
    mPropertyDock->setObjectName(QStringLiteral("propertyDock"));
    mConsoleDock = dock(tr("控制台"), &mConsoleContext);
    mConsoleContext->addWidget(mOperatePanel);
    mConsoleDock->setObjectName(QStringLiteral("consoleDock"));
    mConsoleDock->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    mConsoleDock->setMaximumWidth(520);
    setTabPosition(Qt::RightDockWidgetArea, QTabWidget::North);
    tabifyDockWidget(mPropertyDock, mConsoleDock);
    mPropertyDock->setEnabled(false);
}

void MainWindow::createPanels()
{
    mItemProperty = new ItemProperty(this);
    mOperatePanel = new LowerOperatePanel(this);
    // The relay makes the four connections to the device thread; the
    // window's lower* signals only repeat what goes through them.
    mRelay = new PanelRelay(mSvgView, mItemProperty, mOperatePanel, mLowerGrbl, this);
    mRelay->setPendingEditCommit([this] { mSvgView->commitPendingText(); });
    connect(mRelay, &PanelRelay::lowerSetGcode, this, &MainWindow::lowerSetGcode);
    connect(mRelay, &PanelRelay::lowerSetFrame, this, &MainWindow::lowerSetFrame);
    connect(mRelay, &PanelRelay::lowerSetMessage, this, &MainWindow::lowerSetMessage);
    connect(mRelay, &PanelRelay::sceneItemProperty, this,
            [this](QStringList names, QStringList values) {
                mSvgView->scene()->setItemProperty(names, values);
            });
}

void MainWindow::connectActions()
{
    ActionSet *a = mActions;
    connect(a->newAction, &QAction::triggered, this, &MainWindow::newFileClicked);
    connect(a->openAction, &QAction::triggered, this, &MainWindow::showOpenFile);
    connect(a->addImageAction, &QAction::triggered, this, &MainWindow::showImageFile);
    connect(a->saveAction, &QAction::triggered, this, &MainWindow::saveFileClicked);
    connect(a->saveAsAction, &QAction::triggered, this, &MainWindow::saveFileAsClicked);
    connect(a->saveGcodeAction, &QAction::triggered, this, &MainWindow::saveGcodeClicked);
    connect(a->quitAction, &QAction::triggered, this, &QWidget::close);
    connect(a->undoAction, &QAction::triggered, this, &MainWindow::undoClicked);
    connect(a->redoAction, &QAction::triggered, this, &MainWindow::redoClicked);
    connect(a->rotateAction, &QAction::triggered, this, &MainWindow::rotateClicked);
    connect(a->copyAction, &QAction::triggered, this, &MainWindow::copyClicked);
    connect(a->pasteAction, &QAction::triggered, this, &MainWindow::pasteClicked);
    connect(a->deleteAction, &QAction::triggered, this, &MainWindow::deleteClicked);
    connect(a->mirrorHAction, &QAction::triggered, this, &MainWindow::mirrorHClicked);
    connect(a->mirrorVAction, &QAction::triggered, this, &MainWindow::mirrorVClicked);
    connect(a->alignLeftAction, &QAction::triggered, this, &MainWindow::alignLeftClicked);
    connect(a->alignRightAction, &QAction::triggered, this, &MainWindow::alignRightClicked);
    connect(a->alignTopAction, &QAction::triggered, this, &MainWindow::alignTopClicked);
    connect(a->alignBottomAction, &QAction::triggered, this, &MainWindow::alignBottomClicked);
    connect(a->groupAction, &QAction::triggered, this, &MainWindow::partGroupClicked);
    connect(a->ungroupAction, &QAction::triggered, this, &MainWindow::partUnGroupClicked);
    connect(a->traceAction, &QAction::triggered, this, &MainWindow::potraceClicked);
    connect(a->previewAction, &QAction::triggered, this, &MainWindow::previewClicked);
    connect(a->testGridAction, &QAction::triggered, this, &MainWindow::testGridClicked);
    connect(a->checkUpdateAction, &QAction::triggered, this, &MainWindow::updateActionClicked);
    connect(a->selectToolAction, &QAction::triggered, this, &MainWindow::graphSelectClicked);
    connect(a->penToolAction, &QAction::triggered, this, &MainWindow::graphPathClicked);
    connect(a->lineToolAction, &QAction::triggered, this, &MainWindow::graphLineClicked);
    connect(a->rectangleToolAction, &QAction::triggered, this, &MainWindow::graphRectangleClicked);
    connect(a->ellipseToolAction, &QAction::triggered, this, &MainWindow::graphEllipseClicked);
    connect(a->textToolAction, &QAction::triggered, this, &MainWindow::graphTextClicked);
    connect(a->chineseAction, &QAction::triggered, this, &MainWindow::chLanguageActionClicked);
    connect(a->englishAction, &QAction::triggered, this, &MainWindow::enLanguageActionClicked);
    connect(a->koreanAction, &QAction::triggered, this, &MainWindow::koreanLanguageActionClicked);
    connect(a->japaneseAction, &QAction::triggered, this, &MainWindow::jpLanguageActionClicked);
    connect(a->aboutAction, &QAction::triggered, this, &MainWindow::aboutUsActionClicked);
    connect(a->openLogFolderAction, &QAction::triggered, this,
            &MainWindow::openLogFolderActionClicked);
}

void MainWindow::refreshTree()
{
    mDomTreeView->setSVGView(mSvgView);
    mDomTreeView->expandAll();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Text still being typed belongs to the design that may be saved.
    mSvgView->commitPendingText();
    if (mFiles->maybeSave())
        event->accept();
    else
        event->ignore();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (mFitted)
        return;
    mFitted = true;
    // Fit once the view has its final size, with the work area in the middle.
    QTimer::singleShot(0, this, [this] {
        mSvgView->fitView();
        // The view scrolls only when told to.
        mDesignView->setScrollEnabled(true);
        mDesignView->centerOn(mSvgView->scene()->sceneRect().center());
        mDesignView->setScrollEnabled(false);
        mDesignView->updateRuler();
    });
}

void MainWindow::setApplication(QApplication *application)
{
    mApplication = application;
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(12);
    mApplication->setFont(font);
}

void MainWindow::itemModefied()
{
    mFiles->setModified(true);
}

void MainWindow::historyChanged()
{
    const UndoStack &history = mSvgView->undoStack();
    mActions->undoAction->setEnabled(history.position() >= 0);
    mActions->redoAction->setEnabled(history.position() + 1 < history.count());
    if (mSvgView->scene()->copiedItems().isEmpty())
        mActions->pasteAction->setEnabled(false);
}

void MainWindow::selectionMade(const QMap<QString, QString> &atts, const QRectF &bound)
{
    Q_UNUSED(atts)
    Q_UNUSED(bound)
    mPropertyDock->setEnabled(true);
    mPropertyDock->raise();
    mActions->setSelectionActionsEnabled(true);
    mActions->pasteAction->setEnabled(true);
}

void MainWindow::selectOneNode(QMap<QString, QString> atts, QRectF bound)
{
    selectionMade(atts, bound);
}

void MainWindow::selectPluralNode(QMap<QString, QString> atts, QRectF bound)
{
    selectionMade(atts, bound);
}

void MainWindow::selectNoneNode()
{
    mConsoleDock->raise();
    mPropertyDock->setEnabled(false);
    mActions->setSelectionActionsEnabled(false);
}

void MainWindow::requestToChangeToSelect()
{
    mActions->selectToolAction->setChecked(true);
}

void MainWindow::selectItemsBound(QRectF bound)
{
    mItemProperty->setSelectItemParms({}, bound);
}

void MainWindow::setItemPropertyWidgetValue(QStringList message)
{
    mRelay->setItemPropertyWidgetValue(message);
}

void MainWindow::setLowerOperateWidgetValue(QStringList message)
{
    mRelay->setLowerOperateWidgetValue(message);
}

void MainWindow::setSceneItemProperty(QStringList names, QStringList values)
{
    mRelay->setSceneItemProperty(names, values);
}

void MainWindow::setSvgPaintProperty(QStringList names, QList<double> values)
{
    mSvgView->setSvgPaintProperty(names, values);
}

void MainWindow::setSceneBound(double width, double height)
{
    mSvgView->setSceneBound(width * unitsPerMm, height * unitsPerMm);
}

void MainWindow::sendLowerMessage(QStringList message)
{
    mRelay->sendLowerMessage(message);
}

void MainWindow::sendLowerGcode()
{
    mRelay->sendLowerGcode();
}

void MainWindow::sendLowerFrame()
{
    mRelay->sendLowerFrame();
}

bool MainWindow::gcodeGenerate()
{
    return mFiles->generateJob();
}

void MainWindow::svgClicked(QString path)
{
    mFiles->openDesign(path, false);
}

void MainWindow::imageClicked(QString path)
{
    mFiles->addImageFile(path);
}

void MainWindow::newFileClicked()
{
    mFiles->newFile();
}

void MainWindow::showOpenFile()
{
    mFiles->showOpenFile();
}

void MainWindow::showImageFile()
{
    mFiles->showImageFile();
}

void MainWindow::saveFileClicked()
{
    mFiles->save();
}

void MainWindow::saveFileAsClicked()
{
    mFiles->saveAs();
}

void MainWindow::saveGcodeClicked()
{
    mFiles->saveGcode();
}

void MainWindow::undoClicked()
{
    mSvgView->undo();
}

void MainWindow::redoClicked()
{
    mSvgView->redo();
}

void MainWindow::rotateClicked() {}

void MainWindow::copyClicked()
{
    mSvgView->scene()->copySelection();
}

void MainWindow::pasteClicked()
{
    mSvgView->scene()->pasteCopied();
}

void MainWindow::deleteClicked()
{
    mSvgView->scene()->deleteSelection();
}

void MainWindow::mirrorHClicked()
{
    mSvgView->scene()->mirrorSelection(EditOperations::Direction::Horizontal);
}

void MainWindow::mirrorVClicked()
{
    mSvgView->scene()->mirrorSelection(EditOperations::Direction::Vertical);
}

void MainWindow::alignLeftClicked()
{
    mSvgView->scene()->alignSelection(EditOperations::Side::Left);
}

void MainWindow::alignRightClicked()
{
    mSvgView->scene()->alignSelection(EditOperations::Side::Right);
}

void MainWindow::alignTopClicked()
{
    mSvgView->scene()->alignSelection(EditOperations::Side::Top);
}

void MainWindow::alignBottomClicked()
{
    mSvgView->scene()->alignSelection(EditOperations::Side::Bottom);
}

void MainWindow::partGroupClicked()
{
    mSvgView->scene()->groupSelection();
}

void MainWindow::partUnGroupClicked()
{
    mSvgView->scene()->ungroupSelection();
}

void MainWindow::potraceClicked()
{
    mSvgView->scene()->traceSelectedImage();
}

void MainWindow::previewClicked()
{
    qDebug() << "preview started";
    mSvgView->commitPendingText();
    // Cancelled: no preview of an empty job.
    if (!gcodeGenerate())
        return;
    // The same machine the operate panel's estimate plans with.
    PreviewDialog::openFor(mSvgView, mOperatePanel->jobTime()->machine(), this);
}

void MainWindow::testGridClicked()
{
    GCodeGenerator generator = mSvgView->generator();
    generator.setDefaultParameters(mSvgView->scene()->defaultParameters());
    TestGridDialog dialog(generator, mOperatePanel->jobTime()->machine(), this);
    if (dialog.exec() == QDialog::Accepted && MaterialCanvas::addTestGrid(mSvgView, dialog.settings()))
        mActions->selectToolAction->trigger();
}

void MainWindow::updateActionClicked()
{
    mUpdateCheck->checkFromMenu(mActions->checkUpdateAction);
}

void MainWindow::setDrawingTool(DoodleTool tool)
{
    mSvgView->setDoodleTool(tool);
    // The line tool keeps its polyline open across clicks of its own button.
    if (tool != DoodleTool::Line)
        mSvgView->finishPolyline();
}

void MainWindow::graphSelectClicked()
{
    setDrawingTool(DoodleTool::Select);
}

void MainWindow::graphPathClicked()
{
    setDrawingTool(DoodleTool::Path);
}

void MainWindow::graphLineClicked()
{
    setDrawingTool(DoodleTool::Line);
}

void MainWindow::graphRectangleClicked()
{
    setDrawingTool(DoodleTool::Rectangle);
}

void MainWindow::graphEllipseClicked()
{
    setDrawingTool(DoodleTool::Ellipse);
}

void MainWindow::graphTextClicked()
{
    setDrawingTool(DoodleTool::Text);
}

void MainWindow::chLanguageActionClicked()
{
    qDebug() << "install ch";
    storeLanguage(QStringLiteral("Chinese"));
    showRestartNotice();
}

void MainWindow::enLanguageActionClicked()
{
    qDebug() << "install english";
    storeLanguage(QStringLiteral("English"));
    showRestartNotice();
}

void MainWindow::koreanLanguageActionClicked()
{
    storeLanguage(QStringLiteral("Korean"));
    showRestartNotice();
}

void MainWindow::jpLanguageActionClicked()
{
    storeLanguage(QStringLiteral("Japanese"));
    showRestartNotice();
}

void MainWindow::showRestartNotice()
{
    // Not blocking: the choice is already stored, the box only tells so.
    auto *box = new QMessageBox(QMessageBox::Information, tr("语言"),
                                tr("新的语言将在下次启动程序时生效。"), QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("languageNotice"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MainWindow::aboutUsActionClicked()
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::languagesGroup);
    const QVariant language = settings.value(SettingsNames::languageKey);
    settings.endGroup();
    if (!language.isValid())
        return;
    QDesktopServices::openUrl(language.toString() == QLatin1String("Chinese")
                                      ? QUrl(QStringLiteral("https://www.tolvenrik.cn/"))
                                      : QUrl(QStringLiteral("https://www.tolvenrik.com/")));
}

void MainWindow::openLogFolderActionClicked()
{
    qDebug() << "open log folder";
    QDesktopServices::openUrl(QUrl::fromLocalFile(userDataFolder()));
}
