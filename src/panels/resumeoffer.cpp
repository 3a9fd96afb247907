#include "panels/resumeoffer.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ResumeOffer::ResumeOffer(QWidget *parent)
    : QWidget(parent)
    , mText(new QLabel(tr("任务已中断。"), this))
    , mConfirm(new QCheckBox(tr("激光头已回原点或已重新定位"), this))
    , mResume(new QPushButton(this))
    , mDismiss(new QPushButton(tr("放弃"), this))
{
    mConfirm->setObjectName(QStringLiteral("resumeConfirm"));
    mResume->setObjectName(QStringLiteral("resumeButton"));
    mDismiss->setObjectName(QStringLiteral("resumeDismiss"));
    mConfirm->setToolTip(tr("恢复前请先连接设备，并让激光头回原点或移回原来的位置。"));
    mText->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mText);
    layout->addWidget(mConfirm);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(mResume, 1);
    buttons->addWidget(mDismiss);
    layout->addLayout(buttons);

    connect(mConfirm, &QCheckBox::toggled, this, &ResumeOffer::updateButton);
    connect(mResume, &QPushButton::clicked, this, [this] {
        if (!mOffered || !mConnected || !mConfirm->isChecked())
            return;
        clear();
        emit resumeRequested();
    });
    connect(mDismiss, &QPushButton::clicked, this, [this] {
        clear();
        emit dismissed();
    });
    setVisible(false);
    updateButton();
}

void ResumeOffer::offerRow(int row)
{
    present(tr("从第 %1 行恢复").arg(row));
}

void ResumeOffer::offerOutline(int outline)
{
    present(tr("从第 %1 个轮廓恢复").arg(outline));
}

void ResumeOffer::present(const QString &text)
{
    mOffered = true;
    mResume->setText(text);
    // The head may have moved since the job stopped: always confirm anew.
    mConfirm->setChecked(false);
    setVisible(true);
    updateButton();
}

void ResumeOffer::clear()
{
    mOffered = false;
    mConfirm->setChecked(false);
    setVisible(false);
    updateButton();
}

void ResumeOffer::setConnected(bool connected)
{
    mConnected = connected;
    if (!connected)
        mConfirm->setChecked(false);
    updateButton();
}

void ResumeOffer::updateButton()
{
    mConfirm->setEnabled(mOffered && mConnected);
    mResume->setEnabled(mOffered && mConnected && mConfirm->isChecked());
}
