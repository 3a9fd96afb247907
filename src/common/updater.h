#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

class QEventLoop;
class QNetworkAccessManager;
class QNetworkReply;

// One update check: fetches the version file by FTP, keeps the last good copy
// in "UpdaterNew.xml" and compares its "version" with the program's own.
// checkUpdate() waits in a local event loop, so the object must live in the
// thread that calls it.
class Updater : public QObject
{
    Q_OBJECT

public:
    // CouldNotCheck: the server answered with something that is no version
    // file (malformed, without a version, too large); the last good file stays.
    enum class Outcome { NoNetwork, Latest, Newer, CouldNotCheck };
    Q_ENUM(Outcome)

    // Replies beyond this are refused: a version file is a few hundred bytes.
    static constexpr qint64 maximumReplySize = 64 * 1024;
    static constexpr int defaultTimeoutMs = 15000;

    explicit Updater(const QString &currentVersion, QObject *parent = nullptr);

    // The request; by default the configured server (UpdateServer::versionFileUrl()).
    void setUrl(const QUrl &url);
    QUrl url() const { return mUrl; }
    // How long a check waits for the server before it counts as unreachable.
    void setTimeout(int milliseconds);
    void setVersionFilePath(const QString &path);
    QString versionFilePath() const { return mVersionFilePath; }

    // Runs one check to its end: the download, bounded by the time-out, then
    // the reading of the version file. Ends early when the thread is told to
    // quit (QThread::quit exits the loop it waits in).
    void checkUpdate();
    void downloadVersionFile();
    bool isNewer() const;

    bool isReachable() const { return reachable; }
    bool isCheckDone() const { return checkDone; }
    Outcome outcome() const;
    QString urlVersion() const { return mUrlVersion; }
    QString updateContent() const { return mUpdateContent; }

    // Dot-separated decimal parts compared up to the longer length; missing
    // or non-numeric parts count as 0.
    static bool isNewerVersion(const QString &remote, const QString &own);

    // programDir + "/UpdaterNew.xml" when that folder can be written, else the
    // same name in the user data folder.
    static QString versionFileLocation(const QString &programDir);

public slots:
    void replyFinished(QNetworkReply *reply);

private:
    void readReply(QNetworkReply *reply);
    void saveVersionFile(const QByteArray &data);
    void readVersionFile();
    // True when `data` is a version file: XML whose root has a "version"
    // of dot-separated whole numbers.
    static bool isVersionFile(const QByteArray &data);

    QNetworkAccessManager *mNetwork = nullptr;
    QNetworkReply *mReply = nullptr;
    QEventLoop *mWait = nullptr;
    QUrl mUrl;
    int mTimeout = defaultTimeoutMs;
    QString mVersionFilePath;
    QByteArray mReceived;
    bool mTooLarge = false;
    bool mBadAnswer = false;

    bool downloadDone = false;
    const QString currentVersion;
    QString mUrlVersion;
    QString mUpdateContent;
    bool checkDone = false;
    bool reachable = true;
};
