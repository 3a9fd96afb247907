#include "app/actionset.h"
#include "app/filecommands.h"
#include "app/mainwindow.h"
#include "app/scrollcontext.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "gcode/gcodegenerator.h"
#include "document/node.h"
#include "designfixture.h"
#include "panels/loweroperatepanel.h"
#include "device/lowergrbl.h"
#include "windowdriver.h"
#include "document/svgdocument.h"
#include "common/settingsnames.h"
#include "common/userdata.h"
#include "canvas/previewdialog.h"
#include "canvas/generationnotesdialog.h"
#include "gcode/jobtimeestimator.h"
#include "device/panelmessageid.h"

#include <QAction>
#include <QActionGroup>
#include <QDesktopServices>
#include <QDockWidget>
#include <QGraphicsItem>
#include <QGraphicsView>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSettings>
#include <QTabBar>
#include <QToolBar>
#include <QTranslator>
#include <QTemporaryDir>
#include <QTimer>
#include <QSemaphore>
#include <QStatusBar>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void opensAtItsSizeWithTheDesignArea();
    void showsTheTemplateAtTheDefaultWorkArea();
    void developmentBuildShowsTheNamedDesign();
    void developmentBuildAddsTheNamedDrawing();
    void generatesTheJobOfTheLiveDesign();
    void previewPlansWithTheReportedSettings();
    void generatorNotesShowInOneDialog_data();
    void generatorNotesShowInOneDialog();
    void linkedPictureBesideTheOpenedDesignIsEngraved();
    void actionsCarryTheirTextShortcutTipAndIcon_data();
    void actionsCarryTheirTextShortcutTipAndIcon();
    void menusListTheirCommands_data();
    void menusListTheirCommands();
    void toolBarsListTheirCommands_data();
    void toolBarsListTheirCommands();
    void docksAreTabbedOnTheRightWithTheConsoleInFront();
    void actionsFollowTheSelectionAndTheModifiedState();
    void toolActionsChooseTheSceneTool_data();
    void toolActionsChooseTheSceneTool();
    void droppedDesignMarksTheDesignModified();
    void deviceControllerRunsInItsOwnThread();
    void closingStopsTheDeviceThreadEvenWhenItIsBusy();
    void languageActionsStoreTheChoice_data();
    void languageActionsStoreTheChoice();
    void aboutAndLogFolderOpenTheirAddresses();
    void chosenCatalogueTranslatesTheTips();
    void operatePanelSlotsReachTheDeviceAndTheView();
};

// Receives the URLs the window hands to the desktop.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

namespace {

// "|" for a separator, else the action's text.
QStringList itemTexts(const QList<QAction *> &actions)
{
    QStringList texts;
    for (QAction *action : actions)
        texts << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return texts;
}

QAction *actionByText(MainWindow &window, const QString &text)
{
    for (QAction *action : window.findChildren<QAction *>()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

void TestMainWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestMainWindow::opensAtItsSizeWithTheDesignArea()
{
    MainWindow window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(1250, 800));
    auto *view = qobject_cast<QGraphicsView *>(window.centralWidget());
    QVERIFY(view);
    QCOMPARE(view->objectName(), QStringLiteral("designView"));
    QVERIFY(view->scene());
}

void TestMainWindow::showsTheTemplateAtTheDefaultWorkArea()
{
    MainWindow window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *view = qobject_cast<QGraphicsView *>(window.centralWidget());
    QCOMPARE(view->scene(), window.svgView()->scene());
    // 150 mm at 12.5 units per millimetre.
    QCOMPARE(view->scene()->sceneRect(), QRectF(0, 0, 1875, 1875));
    const QDomElement root = window.svgView()->document()->domDocument().documentElement();
    QCOMPARE(root.attribute("width"), QStringLiteral("1875.000"));
    QVERIFY(window.svgView()->currentLayer());
    // Fitted once shown: the work area and its margin fill the view.
    QTRY_VERIFY(view->transform().m11() < 1.0);
    const QRect area = view->mapFromScene(view->scene()->sceneRect()).boundingRect();
    QVERIFY(view->viewport()->rect().contains(area));
}

void TestMainWindow::developmentBuildShowsTheNamedDesign()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("design.svg");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<svg xmlns='http://www.w3.org/2000/svg'><g id='layer'><rect id='r' width='10' "
               "height='10'/></g></svg>");
    file.close();
    qputenv("PLIMB_OPEN_DESIGN", path.toUtf8());
    MainWindow window;
    qunsetenv("PLIMB_OPEN_DESIGN");
    QTRY_COMPARE(window.svgView()->filePath(), path);
    QCOMPARE(window.svgView()->currentLayer()->element().attribute("id"), QStringLiteral("layer"));
    QCOMPARE(window.svgView()->document()->domDocument().documentElement().attribute("height"),
             QStringLiteral("1875.000"));
}

// A drawing opens as Open adds it: its unit dialog comes up once the window
// runs, not from inside the constructor, where it blocked for ever.
void TestMainWindow::developmentBuildAddsTheNamedDrawing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("drawing.plt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("IN;SP1;PU0,0;PD400,0,400,400;");
    file.close();
    // Accepts whatever box comes up; had it come up inside the constructor,
    // it would be answered before the constructor returns.
    bool asked = false;
    QTimer answer;
    connect(&answer, &QTimer::timeout, [&asked] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            asked = true;
            QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
        }
    });
    answer.start(20);
    qputenv("PLIMB_OPEN_DESIGN", path.toUtf8());
    MainWindow window;
    qunsetenv("PLIMB_OPEN_DESIGN");
    QVERIFY(!asked);
    QTRY_VERIFY(asked);
    QTRY_COMPARE(window.svgView()->document()->domDocument().elementsByTagName("path").count(), 1);
}

// The view's job must be what the generator makes of the saved text, with the
// canvas's default set and the panel's full-scale values, and must leave the
// design as it was.
void TestMainWindow::generatesTheJobOfTheLiveDesign()
{
    MainWindow window;
    SVGView *view = window.svgView();
    QVERIFY(view->addNode(QStringLiteral("rect"), {"x", "y", "width", "height", "style"},
                          {"10", "10", "125", "125", "fill:none;stroke:#000000"}));
    QVERIFY(view->addNode(QStringLiteral("rect"), {"x", "y", "width", "height", "style"},
                          {"200", "10", "50", "50", "fill:#000000"}));
    DefaultParameters defaults = view->scene()->defaultParameters();
    defaults.scanAngle = 90;
    view->scene()->setDefaultParameters(defaults);
    view->setSvgPaintProperty({"paintPower", "paintSpeed"}, {500, 3000});

    const QString before = view->document()->toSvgText();
    window.gcodeGenerate();
    QCOMPARE(view->document()->toSvgText(), before);

    GCodeGenerator reference;
    reference.setDefaultParameters(view->scene()->defaultParameters());
    reference.setPaintProperty({"paintPower", "paintSpeed"}, {500, 3000});
    QCOMPARE(view->gcode(), reference.generate(before));
    QCOMPARE(view->generator().summary().outlines, 1);
    QCOMPARE(view->generator().summary().rasterGroups, 1);

    // A second generation starts from an empty list.
    const int size = view->gcode().size();
    window.gcodeGenerate();
    QCOMPARE(view->gcode().size(), size);
}

void TestMainWindow::previewPlansWithTheReportedSettings()
{
    MainWindow window;
    SVGView *view = window.svgView();
    QVERIFY(view->addNode(QStringLiteral("rect"), {"x", "y", "width", "height", "style"},
                          {"10", "10", "400", "400", "fill:none;stroke:#000000"}));
    const auto notice = [](PanelNotice id, const QString &value) {
        return QStringLiteral("set:%1 value:%2").arg(int(id)).arg(value);
    };
    window.operatePanel()->applyDeviceMessage(notice(PanelNotice::Connected, "ttyTest0"));
    for (const char *setting : {"120=50", "121=50"})
        window.operatePanel()->applyDeviceMessage(notice(PanelNotice::MotionSetting, setting));
    window.gcodeGenerate();
    const QVector<GCodeBuffer> job = view->gcode();
    view->clearGcode();
    JobTimeEstimator::Machine slow;
    slow.accelerationX = slow.accelerationY = 50;
    const QString expected = JobTimeEstimator::formatDuration(JobTimeEstimator::estimate(job, slow).seconds);
    QVERIFY(expected != JobTimeEstimator::formatDuration(JobTimeEstimator::estimate(job).seconds));

    actionByText(window, QStringLiteral("打印预览"))->trigger();
    auto *dialog = window.findChild<PreviewDialog *>();
    QVERIFY(dialog);
    QVERIFY2(dialog->estimateText().contains(expected), qPrintable(dialog->estimateText() + " / " + expected));
    dialog->close();
}

void TestMainWindow::generatorNotesShowInOneDialog_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("start") << "start";
    QTest::newRow("save G-code") << "save";
    QTest::newRow("preview") << "preview";
}

// What the generator clamped or left out went to the log only.
void TestMainWindow::generatorNotesShowInOneDialog()
{
    QFETCH(QString, command);
    QTemporaryDir folder;
    MainWindow window;
    window.fileCommands()->setFileChooser(std::make_unique<ScriptedChooser>(
            QList<QStringList>(), QStringList{ folder.filePath("a.gc"), folder.filePath("b.gc"),
                                               folder.filePath("c.gc") }));
    SVGView *view = window.svgView();
    QVERIFY(view->addNode(QStringLiteral("rect"), {"x", "y", "width", "height", "style"},
                          {"10", "10", "125", "125", "fill:none;stroke:#000000"}));
    QList<Node *> images;
    for (const char *name : { "gone.png", "lost.png" })
        images << view->addNode(QStringLiteral("image"), {"x", "y", "width", "height", "xlink:href"},
                                {"200", "10", "50", "50", name});
    QVERIFY(images.first() && images.last());
    const auto run = [&] {
        if (command == QLatin1String("start"))
            window.sendLowerGcode();
        else if (command == QLatin1String("save"))
            actionByText(window, QStringLiteral("保存Gcode"))->trigger();
        else
            actionByText(window, QStringLiteral("打印预览"))->trigger();
        if (auto *preview = window.findChild<PreviewDialog *>())
            preview->close();
    };

    run();
    QList<GenerationNotesDialog *> dialogs = window.findChildren<GenerationNotesDialog *>();
    QCOMPARE(dialogs.size(), 1);
    QVERIFY(dialogs.first()->isVisible());
    const QStringList notes = dialogs.first()->notes();
    QCOMPARE(notes.filter(QRegularExpression("image \"(gone|lost).png\" is not found")).size(), 2);

    // The next job's notes replace these in the same dialog...
    run();
    QCOMPARE(window.findChildren<GenerationNotesDialog *>().size(), 1);
    QCOMPARE(dialogs.first()->notes(), notes);
    // ...and a job without notes hides it.
    view->scene()->clearSelection();
    for (Node *image : images)
        view->itemOf(image)->setSelected(true);
    view->scene()->deleteSelection();
    run();
    QVERIFY(!dialogs.first()->isVisible());
}

// The window's jobs looked for a linked picture in the working folder.
void TestMainWindow::linkedPictureBesideTheOpenedDesignIsEngraved()
{
    QTemporaryDir folder;
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QVERIFY(picture.save(folder.filePath("dark.png")));
    const QString design = folder.filePath("design.svg");
    QFile file(design);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
               "xmlns:tolvenrik='urn:tolvenrik' width='200' height='200'><g>"
               "<image x='10' y='10' width='60' height='40' tolvenrik:image='bw' xlink:href='dark.png'/>"
               "</g></svg>");
    file.close();
    QVERIFY(QDir::currentPath() != folder.path());

    MainWindow window;
    SVGView *view = window.svgView();
    QVERIFY(view->openFile(design));
    view->setSvgPaintProperty({"paintPower", "paintSpeed"}, {500, 3000});
    window.gcodeGenerate();
    QCOMPARE(view->generator().summary().notes, QStringList());
    QCOMPARE(view->generator().summary().rasterGroups, 1);
    GCodeGenerator beside;
    beside.setDesignFile(design);
    beside.setDefaultParameters(view->scene()->defaultParameters());
    beside.setPaintProperty({"paintPower", "paintSpeed"}, {500, 3000});
    QCOMPARE(view->gcode(), beside.generate(view->document()->toSvgText()));
}

void TestMainWindow::actionsCarryTheirTextShortcutTipAndIcon_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<bool>("icon");
    auto row = [](const char *text, const char *shortcut, const char *tip, bool icon) {
        QTest::newRow(text) << QString::fromUtf8(text) << QString::fromUtf8(shortcut)
                            << QString::fromUtf8(tip) << icon;
    };
    row("新建", "Ctrl+N", "新建一个文件", true);
    row("打开", "Ctrl+O", "打开一个文件", true);
    row("添加图像", "", "添加图像", true);
    row("保存", "Ctrl+S", "保存文件", true);
    row("另存为", "Ctrl+Shift+S", "文件另存为", true);
    row("保存Gcode", "", "保存gcode", true);
    row("关闭程序", "Ctrl+Q", "退出程序", false);
    row("撤销", "Ctrl+Z", "撤销一步", true);
    row("重做", "Ctrl+Y", "重做上一步", true);
    row("剪切", "Ctrl+X", "剪切选中的元素", true);
    row("复制", "Ctrl+C", "复制选中的元素", true);
    row("粘贴", "Ctrl+V", "粘贴元素", true);
    row("删除", "Del", "删除选中的元素", true);
    row("水平镜像", "Ctrl+Shift+H", "选中的元素进行水平镜像", true);
    row("垂直镜像", "Ctrl+Shift+V", "选中的元素进行垂直镜像", true);
    row("旋转", "Ctrl+Shift+R", "选中的元素进行顺时针旋转90°", true);
    row("向左对齐", "", "选中的元素向左对齐", true);
    row("向右对齐", "", "选中的元素向右对齐", true);
    row("向上对齐", "", "选中的元素向上对齐", true);
    row("向下对齐", "", "选中的元素向下对齐", true);
    row("组合", "", "组合选中的元素为一个元素", true);
    row("分解", "", "分解选中的元素为单个元素", true);
    row("选择", "", "可选择单个或者多个图形元素", true);
    row("画笔", "", "画笔工具", true);
    row("直线", "", "直线工具", true);
    row("矩形", "", "矩形工具", true);
    row("椭圆", "", "椭圆工具", true);
    row("文字", "", "文字工具", true);
    row("追踪边缘", "", "提取图像边缘", true);
    row("打印预览", "", "打印预览", true);
    row("中文简体", "", "中文简体", false);
    row("English", "", "English", false);
    row("한국어", "", "한국어", false);
    row("日本", "", "日本", false);
    row("检查更新", "", "检查软件版本", false);
    row("关于我们", "", "关于我们", false);
    row("打开日志文件夹", "", "打开日志文件夹", false);
}

// Every icon must come from the built resources and stay drawable at the
// sizes the toolbars and menus use.
void TestMainWindow::actionsCarryTheirTextShortcutTipAndIcon()
{
    QFETCH(QString, text);
    QFETCH(QString, shortcut);
    QFETCH(QString, tip);
    QFETCH(bool, icon);
    MainWindow window;
    QAction *action = actionByText(window, text);
    QVERIFY(action);
    QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), shortcut);
    QCOMPARE(action->statusTip(), tip);
    // The pointer over a menu entry or tool button shows the tip below.
    action->showStatusText(&window);
    QCOMPARE(window.statusBar()->currentMessage(), tip);
    QCOMPARE(!action->icon().isNull(), icon);
    if (icon) {
        for (int size : {16, 24}) {
            const QImage image = action->icon().pixmap(size).toImage();
            QCOMPARE(image.width(), size);
            int inked = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    inked += qAlpha(image.pixel(x, y)) > 128;
            QVERIFY2(inked > size, qPrintable(QString("%1 px inked at %2").arg(inked).arg(size)));
        }
    }
}

void TestMainWindow::menusListTheirCommands_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("file") << "文件(&F)"
                          << QStringList{"新建", "打开", "添加图像", "|", "保存", "另存为",
                                         "保存Gcode", "|", "关闭程序"};
    QTest::newRow("edit") << "编辑(&E)"
                          << QStringList{"撤销", "重做", "|", "剪切", "复制", "粘贴", "|", "删除"};
    QTest::newRow("tools") << "工具(&T)"
                           << QStringList{"选择", "|", "画笔", "直线", "文字", "矩形", "椭圆",
                                          "|", "追踪边缘", "材料测试网格…"};
    QTest::newRow("arrange") << "排列(&A)"
                             << QStringList{"水平镜像", "垂直镜像", "|", "向左对齐", "向上对齐",
                                            "向右对齐", "向下对齐", "|", "组合", "分解"};
    QTest::newRow("language") << "语言(&L)"
                              << QStringList{"中文简体", "English", "한국어", "日本"};
    QTest::newRow("help") << "帮助(&H)"
                          << QStringList{"打开日志文件夹", "检查更新", "关于我们"};
}

void TestMainWindow::menusListTheirCommands()
{
    QFETCH(QString, title);
    QFETCH(QStringList, items);
    MainWindow window;
    QStringList titles;
    QMenu *menu = nullptr;
    for (QAction *entry : window.menuBar()->actions()) {
        titles << entry->text();
        if (entry->text() == title)
            menu = entry->menu();
    }
    QCOMPARE(titles, (QStringList{"文件(&F)", "编辑(&E)", "工具(&T)", "排列(&A)", "语言(&L)",
                                  "帮助(&H)"}));
    QVERIFY(menu);
    QCOMPARE(itemTexts(menu->actions()), items);
}

void TestMainWindow::toolBarsListTheirCommands_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("area");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("file") << "fileTool" << int(Qt::TopToolBarArea)
                          << QStringList{"新建", "打开", "添加图像", "|", "保存", "保存Gcode", "|"};
    QTest::newRow("edit") << "editTool" << int(Qt::TopToolBarArea)
                          << QStringList{"撤销", "重做", "|", "剪切", "复制", "粘贴", "删除", "|",
                                         "打印预览", "|"};
    QTest::newRow("arrange") << "arrangeTool" << int(Qt::TopToolBarArea)
                             << QStringList{"水平镜像", "垂直镜像", "|", "向左对齐", "向上对齐",
                                            "向右对齐", "向下对齐", "|", "组合", "分解"};
    QTest::newRow("graph") << "graphTool" << int(Qt::LeftToolBarArea)
                           << QStringList{"|", "选择", "|", "画笔", "直线", "矩形", "椭圆",
                                          "文字", "|", "追踪边缘"};
}

void TestMainWindow::toolBarsListTheirCommands()
{
    QFETCH(QString, name);
    QFETCH(int, area);
    QFETCH(QStringList, items);
    MainWindow window;
    auto *bar = window.findChild<QToolBar *>(name);
    QVERIFY(bar);
    QCOMPARE(bar->windowTitle(), name);
    QCOMPARE(int(window.toolBarArea(bar)), area);
    QVERIFY(!bar->isMovable());
    QVERIFY(bar->isVisible());
    QCOMPARE(itemTexts(bar->actions()), items);
    QCOMPARE(window.findChildren<QToolBar *>().size(), 4);
}

void TestMainWindow::docksAreTabbedOnTheRightWithTheConsoleInFront()
{
    MainWindow window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QDockWidget *property = window.propertyDock();
    QDockWidget *console = window.consoleDock();
    QCOMPARE(property->windowTitle(), QStringLiteral("图元属性"));
    QCOMPARE(console->windowTitle(), QStringLiteral("控制台"));
    for (QDockWidget *dock : {property, console}) {
        QCOMPARE(window.dockWidgetArea(dock), Qt::RightDockWidgetArea);
        auto *context = qobject_cast<ScrollContext *>(dock->widget());
        QVERIFY(context);
        QVERIFY(context->widgetResizable());
        QCOMPARE(context->widget()->objectName(), QStringLiteral("techarea"));
        // An empty title bar widget: no title bar is drawn.
        QVERIFY(dock->titleBarWidget());
    }
    QCOMPARE(window.tabifiedDockWidgets(property), QList<QDockWidget *>{console});
    QVERIFY(!property->isEnabled());
    QCOMPARE(console->maximumWidth(), 520);
    // The console tab is the one in front.
    const QList<QTabBar *> tabBars = window.findChildren<QTabBar *>();
    QCOMPARE(tabBars.size(), 1);
    QTabBar *tabs = tabBars.first();
    QCOMPARE(tabs->shape(), QTabBar::RoundedNorth);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("控制台"));

    // A panel placed in the context lines up at its top.
    auto *panel = new QWidget;
    panel->setMinimumHeight(40);
    window.consoleContext()->addWidget(panel);
    QTRY_COMPARE(panel->y(), 0);
}

void TestMainWindow::actionsFollowTheSelectionAndTheModifiedState()
{
    MainWindow window;
    ActionSet *actions = window.actions();
    const QList<QAction *> needSelection = actions->selectionActions();
    const QList<QAction *> history{actions->undoAction, actions->redoAction, actions->pasteAction};
    auto enabled = [](const QList<QAction *> &list) {
        int n = 0;
        for (QAction *action : list)
            n += action->isEnabled();
        return n;
    };
    QCOMPARE(needSelection.size(), 12);
    QCOMPARE(enabled(needSelection), 0);
    QCOMPARE(enabled(history), 0);
    QVERIFY(!actions->saveAction->isEnabled());
    QVERIFY(actions->newAction->isEnabled());
    QVERIFY(actions->saveGcodeAction->isEnabled());

    Node *node = window.svgView()->addNode(
            QStringLiteral("rect"), {"x", "y", "width", "height"}, {"10", "10", "50", "50"});
    QVERIFY(node);
    QVERIFY(actions->saveAction->isEnabled());
    // Undo and Redo follow the history, not the selection.
    QVERIFY(actions->undoAction->isEnabled());
    QVERIFY(!actions->redoAction->isEnabled());
    QGraphicsItem *item = window.svgView()->itemOf(node);
    QVERIFY(item);
    item->setSelected(true);
    window.svgView()->scene()->selectNode();
    QCOMPARE(enabled(needSelection), needSelection.size());
    QVERIFY(actions->pasteAction->isEnabled());
    QVERIFY(!actions->redoAction->isEnabled());
    QVERIFY(window.propertyDock()->isEnabled());

    window.svgView()->scene()->clearSelection();
    window.svgView()->scene()->selectNode();
    QCOMPARE(enabled(needSelection), 0);
    QVERIFY(actions->undoAction->isEnabled());
    QVERIFY(!window.propertyDock()->isEnabled());

    // A successful save clears the modified state.
    QTemporaryDir dir;
    window.fileCommands()->setFileChooser(
            std::make_unique<ScriptedChooser>(QList<QStringList>{}, QStringList{dir.filePath("a.svg")}));
    actions->saveAction->trigger();
    QVERIFY(!actions->saveAction->isEnabled());
}

void TestMainWindow::toolActionsChooseTheSceneTool_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("tool");
    QTest::newRow("pen") << "画笔" << int(DoodleTool::Path);
    QTest::newRow("line") << "直线" << int(DoodleTool::Line);
    QTest::newRow("rectangle") << "矩形" << int(DoodleTool::Rectangle);
    QTest::newRow("ellipse") << "椭圆" << int(DoodleTool::Ellipse);
    QTest::newRow("text") << "文字" << int(DoodleTool::Text);
}

void TestMainWindow::toolActionsChooseTheSceneTool()
{
    QFETCH(QString, text);
    QFETCH(int, tool);
    MainWindow window;
    ActionSet *actions = window.actions();
    Scene *scene = window.svgView()->scene();
    QVERIFY(actions->selectToolAction->isChecked());
    QVERIFY(actions->toolGroup->isExclusive());
    QCOMPARE(actions->toolGroup->actions(),
             (QList<QAction *>{actions->selectToolAction, actions->penToolAction,
                               actions->lineToolAction, actions->rectangleToolAction,
                               actions->ellipseToolAction, actions->textToolAction}));

    QAction *action = actionByText(window, text);
    action->trigger();
    QCOMPARE(int(scene->tool()), tool);
    QVERIFY(action->isChecked());
    QVERIFY(!actions->selectToolAction->isChecked());

    // The scene asks to go back to Select, e.g. after a text was placed.
    emit scene->RequestToChangeToSelect();
    QVERIFY(actions->selectToolAction->isChecked());
    QVERIFY(!action->isChecked());
    actions->selectToolAction->trigger();
    QCOMPARE(scene->tool(), DoodleTool::Select);
}

// The old fault: a dropped SVG changed the design without enabling Save.
void TestMainWindow::droppedDesignMarksTheDesignModified()
{
    MainWindow window;
    QVERIFY(!window.actions()->saveAction->isEnabled());
    emit window.addSvg(DesignFixture::svg("<g><rect id='dropped' width='20' height='20'/></g>"));
    QVERIFY(DesignFixture::nodeById(window.svgView()->document(), "dropped"));
    QVERIFY(window.actions()->saveAction->isEnabled());
}

void TestMainWindow::deviceControllerRunsInItsOwnThread()
{
    MainWindow window;
    QThread *thread = window.deviceThread();
    LowerGrbl *lower = window.lowerGrbl();
    QVERIFY(thread->isRunning());
    QVERIFY(thread != QThread::currentThread());
    QCOMPARE(lower->thread(), thread);
    QVERIFY(!lower->parent());

    // Messages from the controller reach the operate panel queued, on the GUI thread.
    QVERIFY(!window.operatePanel()->isConnected());
    QMetaObject::invokeMethod(lower, [lower] {
        emit lower->sendPanelMessage({QStringLiteral("set:1 value:/dev/ttyUSB0")});
    });
    QTRY_VERIFY(window.operatePanel()->isConnected());

    // One road to the panel: a second wiring would deliver every notice twice,
    // and the first one's copy would come before the second notice.
    QSignalSpy forwarded(window.operatePanel(), &LowerOperatePanel::propertyMessage);
    QMetaObject::invokeMethod(lower, [lower] {
        emit lower->sendPanelMessage({QStringLiteral("set:26 value:V1")});
        emit lower->sendPanelMessage({QStringLiteral("set:26 value:V2")});
    });
    QTRY_VERIFY(!forwarded.isEmpty() && forwarded.last().first().toStringList().join(' ').endsWith("V2"));
    QCOMPARE(forwarded.size(), 2);
}

// The old fault: a thread still running when the window went aborted the program.
void TestMainWindow::closingStopsTheDeviceThreadEvenWhenItIsBusy()
{
    QPointer<MainWindow> window = new MainWindow;
    QPointer<QThread> thread = window->deviceThread();
    QPointer<LowerGrbl> lower = window->lowerGrbl();
    QSignalSpy finished(thread.data(), &QThread::finished);
    QSemaphore started;
    QMetaObject::invokeMethod(lower.data(), [&started] {
        started.release();
        QThread::msleep(300);
    });
    started.acquire();
    QVERIFY(window->close());
    QTRY_VERIFY(window.isNull());
    QCOMPARE(finished.size(), 1);
    QVERIFY(thread.isNull());
    QVERIFY(lower.isNull());
}

void TestMainWindow::languageActionsStoreTheChoice_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    QTest::newRow("chinese") << "中文简体" << "Chinese";
    QTest::newRow("english") << "English" << "English";
    QTest::newRow("korean") << "한국어" << "Korean";
    QTest::newRow("japanese") << "日本" << "Japanese";
}

void TestMainWindow::languageActionsStoreTheChoice()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    MainWindow window;
    actionByText(window, text)->trigger();
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::languagesGroup);
    QCOMPARE(settings.value(SettingsNames::languageKey).toString(), stored);
    settings.endGroup();
    // The interface keeps its language until the next start, and says so.
    QCOMPARE(window.actions()->newAction->text(), QStringLiteral("新建"));
    auto *notice = window.findChild<QMessageBox *>(QStringLiteral("languageNotice"));
    QVERIFY(notice);
    QVERIFY(notice->isVisible());
    QCOMPARE(notice->text(), QStringLiteral("新的语言将在下次启动程序时生效。"));
    notice->button(QMessageBox::Ok)->click();
}

void TestMainWindow::aboutAndLogFolderOpenTheirAddresses()
{
    UrlRecorder recorder;
    for (const char *scheme : {"http", "https", "file"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &recorder, "open");
    {
        QSettings settings(SettingsNames::organization, SettingsNames::application);
        settings.remove(SettingsNames::languagesGroup);
    }
    MainWindow window;
    window.actions()->aboutAction->trigger();
    // No language chosen yet: nothing is opened.
    QCOMPARE(recorder.urls.size(), 0);
    window.actions()->chineseAction->trigger();
    window.actions()->aboutAction->trigger();
    window.actions()->englishAction->trigger();
    window.actions()->aboutAction->trigger();
    QCOMPARE(recorder.urls.size(), 2);
    QVERIFY(recorder.urls.at(0).isValid() && recorder.urls.at(1).isValid());
    QVERIFY(recorder.urls.at(0) != recorder.urls.at(1));

    window.actions()->openLogFolderAction->trigger();
    QCOMPARE(recorder.urls.size(), 3);
    QCOMPARE(recorder.urls.last(), QUrl::fromLocalFile(userDataFolder()));
    for (const char *scheme : {"http", "https", "file"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

// What a restart in English shows: translated texts, while the edit and
// arrange tips stay as written.
void TestMainWindow::chosenCatalogueTranslatesTheTips()
{
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/translations/qx_language_en.qm")));
    QCoreApplication::installTranslator(&translator);
    {
        MainWindow window;
        ActionSet *actions = window.actions();
        QCOMPARE(window.menuBar()->actions().first()->text(), QStringLiteral("File(&F)"));
        QCOMPARE(actions->newAction->text(), QStringLiteral("New"));
        QCOMPARE(actions->newAction->statusTip(), QStringLiteral("New file"));
        QCOMPARE(actions->groupAction->statusTip(),
                 QStringLiteral("Group the selected elements into one element"));
        QCOMPARE(actions->undoAction->text(), QStringLiteral("Undo"));
        QCOMPARE(actions->undoAction->statusTip(), QStringLiteral("Undo one step"));
        QCOMPARE(actions->alignLeftAction->statusTip(),
                 QStringLiteral("Align the selected elements to the left"));
        QCOMPARE(actions->koreanAction->text(), QStringLiteral("한국어"));
        QCOMPARE(window.consoleDock()->windowTitle(), QStringLiteral("Control"));
    }
    QCoreApplication::removeTranslator(&translator);
}

void TestMainWindow::operatePanelSlotsReachTheDeviceAndTheView()
{
    MainWindow window;
    SVGView *view = window.svgView();
    Node *node = view->addNode(QStringLiteral("rect"), {"x", "y", "width", "height", "style"},
                               {"100", "50", "200", "100", "fill:none;stroke:#000000"});
    QVERIFY(node);
    QSignalSpy jobs(&window, &MainWindow::lowerSetGcode);
    QSignalSpy frames(&window, &MainWindow::lowerSetFrame);
    QSignalSpy messages(&window, &MainWindow::lowerSetMessage);

    window.sendLowerGcode();
    QCOMPARE(jobs.size(), 1);
    const auto job = jobs.first().first().value<QList<GCodeBuffer>>();
    window.gcodeGenerate();
    QCOMPARE(job.toVector(), view->gcode());
    // The view keeps nothing once the job has gone to the device thread.
    window.sendLowerGcode();
    QVERIFY(view->gcode().isEmpty());

    // With nothing selected the frame is that of every item.
    window.sendLowerFrame();
    QCOMPARE(frames.size(), 1);
    QCOMPARE(frames.first().first().toRectF(), view->scene()->jobBounds());
    QVERIFY(frames.first().first().toRectF().contains(QRectF(110, 60, 180, 80)));

    window.sendLowerMessage({QStringLiteral("set:3 value:1")});
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().first().toStringList(), QStringList{"set:3 value:1"});

    // The work area comes in millimetres.
    window.setSceneBound(200, 100);
    QCOMPARE(view->workArea(), QSizeF(2500, 1250));
    QCOMPARE(view->scene()->sceneRect(), QRectF(0, 0, 2500, 1250));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
