#include "panels/scrolltext.h"

#include <QLabel>
#include <QPropertyAnimation>
#include <QResizeEvent>

namespace {
constexpr int animationMs = 300;
}

ScrollText::ScrollText(QWidget *parent)
    : QFrame(parent)
    , mOldLabel(new QLabel(this))
    , mNewLabel(new QLabel(this))
    , mOldAnimation(new QPropertyAnimation(mOldLabel, "geometry", this))
    , mNewAnimation(new QPropertyAnimation(mNewLabel, "geometry", this))
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    for (QLabel *label : {mOldLabel, mNewLabel}) {
        label->setContentsMargins(10, 0, 10, 0);
        label->hide();
    }
    mOldAnimation->setDuration(animationMs);
    mNewAnimation->setDuration(animationMs);
    setAnimationGeometry();
}

QString ScrollText::text() const
{
    return mNewLabel->text();
}

void ScrollText::setText(const QString &text)
{
    if (mNewLabel->text().isEmpty()) {
        mNewLabel->setGeometry(0, 0, width(), height());
        mOldLabel->setText(text);
        mNewLabel->setText(text);
        mNewLabel->show();
        return;
    }
    mOldLabel->setText(mNewLabel->text());
    mNewLabel->setText(text);
    mOldLabel->show();
    mNewLabel->show();
    mOldAnimation->stop();
    mNewAnimation->stop();
    mOldAnimation->start();
    mNewAnimation->start();
}

void ScrollText::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    setAnimationGeometry();
    if (mNewAnimation->state() != QAbstractAnimation::Running)
        mNewLabel->setGeometry(0, 0, width(), height());
}

void ScrollText::setAnimationGeometry()
{
    const int w = width();
    const int h = height();
    mOldAnimation->setStartValue(QRect(0, 0, w, h));
    mOldAnimation->setEndValue(QRect(0, -h, w, h));
    mNewAnimation->setStartValue(QRect(0, 2 * h, w, h));
    mNewAnimation->setEndValue(QRect(0, 0, w, h));
}
