#include "device/silencewatch.h"

#include <QTimer>

SilenceWatch::SilenceWatch(QObject *parent)
    : QObject(parent)
    , mTimer(new QTimer(this))
{
    mTimer->setSingleShot(true);
    mTimer->setInterval(5000);
    connect(mTimer, &QTimer::timeout, this, &SilenceWatch::elapsed);
}

void SilenceWatch::setPeriod(int ms)
{
    mTimer->setInterval(ms);
}

void SilenceWatch::setExpecting(bool expecting)
{
    if (!expecting)
        stop();
    else if (!mTimer->isActive())
        mTimer->start();
}

void SilenceWatch::heard()
{
    mProbed = false;
    if (mTimer->isActive())
        mTimer->start();
}

void SilenceWatch::stop()
{
    mProbed = false;
    mTimer->stop();
}

bool SilenceWatch::isWatching() const
{
    return mTimer->isActive();
}

void SilenceWatch::elapsed()
{
    if (!mProbed) {
        mProbed = true;
        mTimer->start();
        emit probe();
        return;
    }
    mProbed = false;
    emit stalled();
}
