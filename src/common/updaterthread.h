#pragma once

#include "common/updater.h"

#include <QString>
#include <QThread>

// Runs one update check per start() on its own thread. The Updater is made
// inside run(), so its network objects and flags belong to the worker alone;
// results leave only through the queued signals.
class UpdaterThread : public QThread
{
    Q_OBJECT

public:
    explicit UpdaterThread(const QString &currentVersion, QObject *parent = nullptr);
    // Stops a running check at once and waits for the thread.
    ~UpdaterThread() override;

    // Settings for the next check; change them only while no check runs.
    void setTimeout(int milliseconds) { mTimeout = milliseconds; }
    void setVersionFilePath(const QString &path) { mVersionFilePath = path; }

    // Ends a running check without a report and returns when the thread has.
    void stop();

signals:
    // A newer version exists; versionInfo is its "content" text.
    void checkUpdateFinish(QString versionInfo);
    // Every check that was not stopped ends with this.
    void checkEnded(Updater::Outcome outcome, QString content);

protected:
    void run() override;

private:
    const QString mCurrentVersion;
    int mTimeout = Updater::defaultTimeoutMs;
    QString mVersionFilePath;
};
