#pragma once

#include "common/updater.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class QDialog;
class QLabel;
class QWidget;
class UpdaterThread;

// The update check of the main window: the silent check at start-up and the
// dialog of the menu entry. Both run on the worker thread, so the window never
// waits for the server and can always close; destroying this object stops a
// running check.
class UpdateCheck : public QObject
{
    Q_OBJECT

public:
    explicit UpdateCheck(QWidget *window);

    // Shows the update text only when the server names a newer version.
    void checkAtStartup();
    // Opens the dialog that reports the result; the entry stays disabled
    // until the check has ended.
    void checkFromMenu(QAction *entry);

    UpdaterThread *updaterThread() const { return mThread; }

public slots:
    void updaterCallback(QString versionInfo);
    void updateButtonClicked(bool checked);

private:
    void checkEnded(Updater::Outcome outcome, const QString &content);
    QDialog *makeDialog();
    void addCloseButton(QDialog *dialog);
    void showUpdateText(QDialog *dialog, const QString &content);

    QWidget *mWindow;
    UpdaterThread *mThread;
    bool mMenuWaiting = false;
    QPointer<QDialog> mMenuDialog;
    QPointer<QLabel> mMenuLabel;
    QPointer<QAction> mEntry;
};
