#include "panels/machinelockprompt.h"

#include <QMessageBox>
#include <QPushButton>

MachineLockPrompt::MachineLockPrompt(QWidget *parent)
    : QObject(parent)
    , mParent(parent)
{
}

QMessageBox *MachineLockPrompt::newBox(const QString &title, const QString &text)
{
    clear();
    mBox = new QMessageBox(QMessageBox::Question, title, text, QMessageBox::NoButton, mParent);
    mBox->setAttribute(Qt::WA_DeleteOnClose);
    mBox->setWindowModality(Qt::ApplicationModal);
    return mBox;
}

void MachineLockPrompt::offerHoming()
{
    QMessageBox *box = newBox(tr("回原点"), tr("设备已启用回原点。现在回原点吗？机头将会移动。"));
    QPushButton *home = box->addButton(tr("回原点"), QMessageBox::AcceptRole);
    box->addButton(tr("取消"), QMessageBox::RejectRole);
    connect(home, &QPushButton::clicked, this, &MachineLockPrompt::homeRequested);
    box->open();
}

void MachineLockPrompt::showLock(const QString &reason, bool canHome)
{
    QMessageBox *box = newBox(tr("警报"), tr("设备处于警报锁定：%1").arg(reason));
    box->setIcon(QMessageBox::Warning);
    if (canHome) {
        QPushButton *home = box->addButton(tr("回原点"), QMessageBox::AcceptRole);
        connect(home, &QPushButton::clicked, this, &MachineLockPrompt::homeRequested);
    }
    QPushButton *unlock = box->addButton(tr("解锁"), QMessageBox::ActionRole);
    box->addButton(tr("取消"), QMessageBox::RejectRole);
    // Queued: the confirmation replaces this box once it has closed.
    connect(unlock, &QPushButton::clicked, this, &MachineLockPrompt::confirmUnlock, Qt::QueuedConnection);
    box->open();
}

void MachineLockPrompt::confirmUnlock()
{
    QMessageBox *box = newBox(tr("解锁"), tr("解锁后设备不知道机头的实际位置。只有在机头位置正确时才解锁。现在解锁吗？"));
    box->setIcon(QMessageBox::Warning);
    QPushButton *unlock = box->addButton(tr("解锁"), QMessageBox::AcceptRole);
    box->addButton(tr("取消"), QMessageBox::RejectRole);
    connect(unlock, &QPushButton::clicked, this, &MachineLockPrompt::unlockRequested);
    box->open();
}

void MachineLockPrompt::clear()
{
    if (mBox)
        mBox->close();
    mBox = nullptr;
}
