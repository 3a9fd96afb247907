#pragma once

#include <QObject>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QToolBar;

// Every command of the main window as a QAction with its text, icon,
// shortcut and status tip, and the menus and toolbars that show them. The
// window connects the triggers; this class only builds and enables.
class ActionSet : public QObject
{
    Q_OBJECT

public:
    explicit ActionSet(QMainWindow *window);

    // Six menus on the window's menu bar and four toolbars around the view.
    void buildMenus(QMainWindow *window);
    void buildToolBars(QMainWindow *window);

    // Cut, Copy, Delete, the mirrors, Rotate, the aligns, Group and Ungroup:
    // the commands that need a selection.
    void setSelectionActionsEnabled(bool enabled);
    QList<QAction *> selectionActions() const;

    QList<QToolBar *> toolBars() const { return mToolBars; }
    QList<QMenu *> menus() const { return mMenus; }

    QAction *newAction = nullptr;
    QAction *openAction = nullptr;
    QAction *addImageAction = nullptr;
    QAction *saveAction = nullptr;
    QAction *saveAsAction = nullptr;
    QAction *saveGcodeAction = nullptr;
    QAction *quitAction = nullptr;
    QAction *undoAction = nullptr;
    QAction *redoAction = nullptr;
    QAction *cutAction = nullptr;
    QAction *copyAction = nullptr;
    QAction *pasteAction = nullptr;
    QAction *deleteAction = nullptr;
    QAction *mirrorHAction = nullptr;
    QAction *mirrorVAction = nullptr;
    QAction *rotateAction = nullptr;
    QAction *alignLeftAction = nullptr;
    QAction *alignRightAction = nullptr;
    QAction *alignTopAction = nullptr;
    QAction *alignBottomAction = nullptr;
    QAction *groupAction = nullptr;
    QAction *ungroupAction = nullptr;
    QAction *selectToolAction = nullptr;
    QAction *penToolAction = nullptr;
    QAction *lineToolAction = nullptr;
    QAction *rectangleToolAction = nullptr;
    QAction *ellipseToolAction = nullptr;
    QAction *textToolAction = nullptr;
    QAction *traceAction = nullptr;
    QAction *previewAction = nullptr;
    QAction *testGridAction = nullptr;
    QAction *chineseAction = nullptr;
    QAction *englishAction = nullptr;
    QAction *koreanAction = nullptr;
    QAction *japaneseAction = nullptr;
    QAction *checkUpdateAction = nullptr;
    QAction *aboutAction = nullptr;
    QAction *openLogFolderAction = nullptr;

    // The six drawing tools, exclusive, in the order select, pen, line,
    // rectangle, ellipse, text.
    QActionGroup *toolGroup = nullptr;

private:
    QAction *make(const QString &text, const QString &icon, const QString &shortcut,
                  const QString &tip);
    QToolBar *addToolBar(QMainWindow *window, const QString &name, Qt::ToolBarArea area,
                         const QString &styleSheet, const QList<QAction *> &items);

    QList<QToolBar *> mToolBars;
    QList<QMenu *> mMenus;
};
