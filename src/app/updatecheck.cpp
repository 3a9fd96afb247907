#include "app/updatecheck.h"

#include "common/installlayout.h"
#include "common/settingsnames.h"
#include "common/updaterthread.h"
#include "common/updateserver.h"

#include <QAction>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

UpdateCheck::UpdateCheck(QWidget *window)
    : QObject(window)
    , mWindow(window)
    , mThread(new UpdaterThread(InstallLayout::version(), this))
{
    connect(mThread, &UpdaterThread::checkUpdateFinish, this, &UpdateCheck::updaterCallback);
    connect(mThread, &UpdaterThread::checkEnded, this, &UpdateCheck::checkEnded);
}

void UpdateCheck::checkAtStartup()
{
    if (!mThread->isRunning())
        mThread->start(QThread::InheritPriority);
}

void UpdateCheck::checkFromMenu(QAction *entry)
{
    if (mMenuWaiting)
        return;
    mMenuWaiting = true;
    mEntry = entry;
    if (entry)
        entry->setEnabled(false);
    mMenuDialog = makeDialog();
    mMenuLabel = new QLabel(tr("更新检测中"), mMenuDialog);
    mMenuLabel->setAlignment(Qt::AlignCenter);
    mMenuDialog->layout()->addWidget(mMenuLabel);
    mMenuDialog->show();
    // A start-up check still under way answers the menu too.
    if (!mThread->isRunning())
        mThread->start(QThread::InheritPriority);
}

void UpdateCheck::updaterCallback(QString versionInfo)
{
    // The menu's own dialog shows the text when it is waiting for this check.
    if (mMenuWaiting)
        return;
    QDialog *dialog = makeDialog();
    showUpdateText(dialog, versionInfo);
    dialog->show();
}

void UpdateCheck::checkEnded(Updater::Outcome outcome, const QString &content)
{
    if (!mMenuWaiting)
        return;
    mMenuWaiting = false;
    if (mEntry)
        mEntry->setEnabled(true);
    if (!mMenuDialog)
        return;
    switch (outcome) {
    case Updater::Outcome::NoNetwork:
        mMenuLabel->setText(tr("未链接网络"));
        addCloseButton(mMenuDialog);
        break;
    case Updater::Outcome::Latest:
        mMenuLabel->setText(tr("已经是最新版本"));
        addCloseButton(mMenuDialog);
        break;
    case Updater::Outcome::CouldNotCheck:
        mMenuLabel->setText(tr("无法检查更新"));
        addCloseButton(mMenuDialog);
        break;
    case Updater::Outcome::Newer:
        delete mMenuLabel;
        showUpdateText(mMenuDialog, content);
        break;
    }
}

void UpdateCheck::addCloseButton(QDialog *dialog)
{
    // A box that only reports must still be closable without the title bar.
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
    connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    dialog->layout()->addWidget(buttons);
}

QDialog *UpdateCheck::makeDialog()
{
    auto *dialog = new QDialog(mWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setMinimumSize(300, 100);
    new QVBoxLayout(dialog);
    return dialog;
}

void UpdateCheck::showUpdateText(QDialog *dialog, const QString &content)
{
    // The text comes from the server: never let it be read as markup.
    auto *label = new QLabel(dialog);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setText(content);
    label->setAlignment(Qt::AlignCenter);
    dialog->layout()->addWidget(label);

    auto *row = new QHBoxLayout;
    auto *button = new QPushButton(tr("更新"), dialog);
    connect(button, &QPushButton::clicked, this, &UpdateCheck::updateButtonClicked);
    row->addWidget(button, 0, Qt::AlignCenter);
    static_cast<QVBoxLayout *>(dialog->layout())->addLayout(row);
    dialog->setMinimumSize(500, 300);
}

void UpdateCheck::updateButtonClicked(bool checked)
{
    Q_UNUSED(checked)
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::languagesGroup);
    const QString stored = settings.contains(SettingsNames::languageKey)
            ? settings.value(SettingsNames::languageKey).toString()
            : QString();
    settings.endGroup();
    QDesktopServices::openUrl(UpdateServer::downloadPageUrl(stored));
}
