#include "app/actionset.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

ActionSet::ActionSet(QMainWindow *window)
    : QObject(window)
{
    newAction = make(tr("新建"), "new", "Ctrl+N", tr("新建一个文件"));
    openAction = make(tr("打开"), "folder", "Ctrl+O", tr("打开一个文件"));
    addImageAction = make(tr("添加图像"), "picture", QString(), tr("添加图像"));
    saveAction = make(tr("保存"), "save", "Ctrl+S", tr("保存文件"));
    saveAsAction = make(tr("另存为"), "save_as", "Ctrl+Shift+S", tr("文件另存为"));
    saveGcodeAction = make(tr("保存Gcode"), "save_gcode", QString(), tr("保存gcode"));
    quitAction = make(tr("关闭程序"), QString(), "Ctrl+Q", tr("退出程序"));

    undoAction = make(tr("撤销"), "undo", "Ctrl+Z", tr("撤销一步"));
    redoAction = make(tr("重做"), "redo", "Ctrl+Y", tr("重做上一步"));
    redoAction->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")),
                              QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    cutAction = make(tr("剪切"), "cut", "Ctrl+X", tr("剪切选中的元素"));
    copyAction = make(tr("复制"), "copy", "Ctrl+C", tr("复制选中的元素"));
    pasteAction = make(tr("粘贴"), "paste", "Ctrl+V", tr("粘贴元素"));
    deleteAction = make(tr("删除"), "delete", "Delete", tr("删除选中的元素"));
    mirrorHAction = make(tr("水平镜像"), "mirror_h", "Ctrl+Shift+H",
                         tr("选中的元素进行水平镜像"));
    mirrorVAction = make(tr("垂直镜像"), "mirror_v", "Ctrl+Shift+V",
                         tr("选中的元素进行垂直镜像"));
    rotateAction = make(tr("旋转"), "rotate_right", "Ctrl+Shift+R",
                        tr("选中的元素进行顺时针旋转90°"));
    alignLeftAction = make(tr("向左对齐"), "align_left", QString(),
                           tr("选中的元素向左对齐"));
    alignRightAction = make(tr("向右对齐"), "align_right", QString(),
                            tr("选中的元素向右对齐"));
    alignTopAction = make(tr("向上对齐"), "align_top", QString(),
                          tr("选中的元素向上对齐"));
    alignBottomAction = make(tr("向下对齐"), "align_bottom", QString(),
                             tr("选中的元素向下对齐"));

    groupAction = make(tr("组合"), "group", QString(), tr("组合选中的元素为一个元素"));
    ungroupAction = make(tr("分解"), "ungroup", QString(), tr("分解选中的元素为单个元素"));

    selectToolAction = make(tr("选择"), "mouse_arrow", QString(),
                            tr("可选择单个或者多个图形元素"));
    penToolAction = make(tr("画笔"), "pen", QString(), tr("画笔工具"));
    lineToolAction = make(tr("直线"), "pen_line", QString(), tr("直线工具"));
    rectangleToolAction = make(tr("矩形"), "rectangle", QString(), tr("矩形工具"));
    ellipseToolAction = make(tr("椭圆"), "ellipse", QString(), tr("椭圆工具"));
    textToolAction = make(tr("文字"), "text", QString(), tr("文字工具"));
    toolGroup = new QActionGroup(this);
    toolGroup->setExclusive(true);
    for (QAction *tool : {selectToolAction, penToolAction, lineToolAction, rectangleToolAction,
                          ellipseToolAction, textToolAction}) {
        tool->setCheckable(true);
        toolGroup->addAction(tool);
    }

    traceAction = make(tr("追踪边缘"), "potrace", QString(), tr("提取图像边缘"));
    previewAction = make(tr("打印预览"), "preview", QString(), tr("打印预览"));
    testGridAction = make(tr("材料测试网格…"), QString(), QString(),
                          tr("生成不同功率、速度、遍数或线距的测试格子"));

    // Each language names itself, untranslated.
    chineseAction = make(QStringLiteral("中文简体"), QString(), QString(), QStringLiteral("中文简体"));
    englishAction = make(QStringLiteral("English"), QString(), QString(), QStringLiteral("English"));
    koreanAction = make(QStringLiteral("한국어"), QString(), QString(), QStringLiteral("한국어"));
    japaneseAction = make(QStringLiteral("日本"), QString(), QString(), QStringLiteral("日本"));

    checkUpdateAction = make(tr("检查更新"), QString(), QString(), tr("检查软件版本"));
    aboutAction = make(tr("关于我们"), QString(), QString(), tr("关于我们"));
    openLogFolderAction = make(tr("打开日志文件夹"), QString(), QString(), tr("打开日志文件夹"));
}

QAction *ActionSet::make(const QString &text, const QString &icon, const QString &shortcut,
                         const QString &tip)
{
    auto *action = new QAction(text, this);
    if (!icon.isEmpty())
        action->setIcon(QIcon(QStringLiteral(":/image/%1.png").arg(icon)));
    if (!shortcut.isEmpty())
        action->setShortcut(QKeySequence(shortcut));
    action->setStatusTip(tip);
    return action;
}

void ActionSet::buildMenus(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    bar->setStyleSheet(QStringLiteral("QMenuItem{margin:20px;}"));
    auto menu = [this, bar](const QString &title, const QList<QAction *> &items) {
        QMenu *m = bar->addMenu(title);
        for (QAction *item : items) {
            if (item)
                m->addAction(item);
            else
                m->addSeparator();
        }
        mMenus.append(m);
    };
    menu(tr("文件(&F)"), {newAction, openAction, addImageAction, nullptr, saveAction,
                        saveAsAction, saveGcodeAction, nullptr, quitAction});
    menu(tr("编辑(&E)"), {undoAction, redoAction, nullptr, cutAction, copyAction, pasteAction,
                        nullptr, deleteAction});
    menu(tr("工具(&T)"), {selectToolAction, nullptr, penToolAction, lineToolAction,
                        textToolAction, rectangleToolAction, ellipseToolAction, nullptr,
                        traceAction, testGridAction});
    menu(tr("排列(&A)"), {mirrorHAction, mirrorVAction, nullptr, alignLeftAction, alignTopAction,
                        alignRightAction, alignBottomAction, nullptr, groupAction, ungroupAction});
    menu(tr("语言(&L)"), {chineseAction, englishAction, koreanAction, japaneseAction});
    menu(tr("帮助(&H)"), {openLogFolderAction, checkUpdateAction, aboutAction});
}

QToolBar *ActionSet::addToolBar(QMainWindow *window, const QString &name, Qt::ToolBarArea area,
                                const QString &styleSheet, const QList<QAction *> &items)
{
    auto *bar = new QToolBar(name, window);
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setStyleSheet(styleSheet);
    for (QAction *item : items) {
        if (item)
            bar->addAction(item);
        else
            bar->addSeparator();
    }
    window->addToolBar(area, bar);
    mToolBars.append(bar);
    return bar;
}

void ActionSet::buildToolBars(QMainWindow *window)
{
    const QString horizontal =
            QStringLiteral("QToolBar { border-top-style: none; border-bottom-style: none; }");
    const QString vertical =
            QStringLiteral("QToolBar { border-left-style: none; border-right-style: none; }");
    addToolBar(window, QStringLiteral("fileTool"), Qt::TopToolBarArea, horizontal,
               {newAction, openAction, addImageAction, nullptr, saveAction, saveGcodeAction,
                nullptr});
    addToolBar(window, QStringLiteral("editTool"), Qt::TopToolBarArea, horizontal,
               {undoAction, redoAction, nullptr, cutAction, copyAction, pasteAction,
                deleteAction, nullptr, previewAction, nullptr});
    addToolBar(window, QStringLiteral("arrangeTool"), Qt::TopToolBarArea, horizontal,
               {mirrorHAction, mirrorVAction, nullptr, alignLeftAction, alignTopAction,
                alignRightAction, alignBottomAction, nullptr, groupAction, ungroupAction});
    addToolBar(window, QStringLiteral("graphTool"), Qt::LeftToolBarArea, vertical,
               {nullptr, selectToolAction, nullptr, penToolAction, lineToolAction,
                rectangleToolAction, ellipseToolAction, textToolAction, nullptr, traceAction});
}

QList<QAction *> ActionSet::selectionActions() const
{
    return {cutAction,        copyAction,        deleteAction,      mirrorHAction,
            mirrorVAction,    rotateAction,      alignLeftAction,   alignRightAction,
            alignTopAction,   alignBottomAction, groupAction,       ungroupAction};
}

void ActionSet::setSelectionActionsEnabled(bool enabled)
{
    for (QAction *action : selectionActions())
        action->setEnabled(enabled);
}
