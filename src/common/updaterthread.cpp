#include "common/updaterthread.h"

UpdaterThread::UpdaterThread(const QString &currentVersion, QObject *parent)
    : QThread(parent)
    , mCurrentVersion(currentVersion)
{
    qRegisterMetaType<Updater::Outcome>();
}

UpdaterThread::~UpdaterThread()
{
    stop();
}

void UpdaterThread::stop()
{
    requestInterruption();
    // Exits every event loop of the thread, the check's wait included.
    quit();
    wait();
}

void UpdaterThread::run()
{
    Updater updater(mCurrentVersion);
    updater.setTimeout(mTimeout);
    if (!mVersionFilePath.isEmpty())
        updater.setVersionFilePath(mVersionFilePath);
    updater.checkUpdate();
    if (isInterruptionRequested())
        return;
    if (updater.isNewer())
        emit checkUpdateFinish(updater.updateContent());
    emit checkEnded(updater.outcome(), updater.updateContent());
}
