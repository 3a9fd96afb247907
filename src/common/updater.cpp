#include "common/updater.h"

#include "common/updateserver.h"
#include "common/userdata.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QDomDocument>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>
#include <QTimer>

namespace {
const QString versionFileName = QStringLiteral("UpdaterNew.xml");
} // namespace

Updater::Updater(const QString &currentVersion, QObject *parent)
    : QObject(parent)
    , mNetwork(new QNetworkAccessManager(this))
    , mUrl(UpdateServer::versionFileUrl())
    , mVersionFilePath(versionFileLocation(QCoreApplication::applicationDirPath()))
    , currentVersion(currentVersion)
{
    connect(mNetwork, &QNetworkAccessManager::finished, this, &Updater::replyFinished);
}

void Updater::setUrl(const QUrl &url)
{
    mUrl = url;
}

void Updater::setTimeout(int milliseconds)
{
    mTimeout = milliseconds;
}

void Updater::setVersionFilePath(const QString &path)
{
    mVersionFilePath = path;
}

void Updater::checkUpdate()
{
    checkDone = false;
    reachable = true;
    mBadAnswer = false;
    mUrlVersion.clear();
    mUpdateContent.clear();

    if (UpdateServer::neverResolves(mUrl.host())) {
        qDebug() << "update server" << mUrl.host() << "is a reserved name, not asked";
        reachable = false;
        downloadDone = true;
    } else {
        downloadVersionFile();
        QEventLoop wait;
        QTimer timeout;
        timeout.setSingleShot(true);
        connect(&timeout, &QTimer::timeout, &wait, &QEventLoop::quit);
        timeout.start(mTimeout);
        mWait = &wait;
        if (!downloadDone)
            wait.exec();
        mWait = nullptr;
        if (!downloadDone) {
            // Timed out, or the thread was told to quit: a server that says
            // nothing counts as no network.
            qDebug() << "update server did not answer within" << mTimeout << "ms";
            reachable = false;
            if (mReply)
                mReply->abort();
        }
    }

    if (reachable && !mBadAnswer)
        readVersionFile();
    checkDone = true;
}

void Updater::downloadVersionFile()
{
    downloadDone = false;
    mTooLarge = false;
    mReceived.clear();
    qDebug() << "update url" << mUrl.toString(QUrl::RemovePassword);
    QNetworkRequest request(mUrl);
    request.setRawHeader("User-Agent", "RT-Thread ART");
    mReply = mNetwork->get(request);
    QNetworkReply *reply = mReply;
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { readReply(reply); });
    connect(reply, &QNetworkReply::downloadProgress, this, [this, reply](qint64, qint64 total) {
        if (total > maximumReplySize && !mTooLarge) {
            mTooLarge = true;
            reply->abort();
        }
    });
}

void Updater::readReply(QNetworkReply *reply)
{
    if (mTooLarge || !reply->isOpen())
        return;
    mReceived += reply->read(maximumReplySize + 1 - mReceived.size());
    if (mReceived.size() > maximumReplySize) {
        mTooLarge = true;
        reply->abort();
    }
}

void Updater::replyFinished(QNetworkReply *reply)
{
    if (reply != mReply)
        return;
    readReply(reply);
    mReply = nullptr;
    reply->deleteLater();

    if (mTooLarge) {
        qDebug() << "version file larger than" << maximumReplySize << "bytes, refused";
        mBadAnswer = true;
    } else if (reply->error() != QNetworkReply::NoError) {
        // Qt's FTP error texts carry the whole URL; keep the password out of the log.
        QString why = reply->errorString();
        why.replace(QLatin1Char(':') + mUrl.password() + QLatin1Char('@'), QStringLiteral("@"));
        qDebug() << "version file request failed:" << reply->error() << why;
        // Below the content errors (missing file, refused login) the server
        // itself was not reached.
        if (reply->error() < QNetworkReply::ContentAccessDenied)
            reachable = false;
    } else {
        qDebug() << "读取接收到的数据" << QString::fromUtf8(mReceived);
        // Only a good answer replaces the last good file.
        if (isVersionFile(mReceived)) {
            saveVersionFile(mReceived);
        } else {
            qDebug() << "the answer is no version file; the last good one is kept";
            mBadAnswer = true;
        }
    }
    downloadDone = true;
    if (mWait)
        mWait->quit();
}

void Updater::saveVersionFile(const QByteArray &data)
{
    qDebug() << "version file" << mVersionFilePath;
    QSaveFile file(mVersionFilePath);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        qDebug() << "文件保存成功!" << QFileInfo(mVersionFilePath).absolutePath();
    else
        qDebug() << "错误! 文件打开失败，信息未写入" << file.errorString();
}

void Updater::readVersionFile()
{
    QFile file(mVersionFilePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    const QByteArray text = file.read(maximumReplySize + 1);
    if (text.size() > maximumReplySize) {
        qDebug() << "version file too large, ignored";
        return;
    }
    qDebug() << "version file:" << QString::fromUtf8(text);
    QDomDocument document;
    if (!document.setContent(text))
        return;
    const QDomElement root = document.documentElement();
    mUrlVersion = root.attribute(QStringLiteral("version"));
    mUpdateContent = root.attribute(QStringLiteral("content"));
    qDebug() << "mUrlVersion" << mUrlVersion;
    qDebug() << "mUpdateContent" << mUpdateContent;
}

bool Updater::isVersionFile(const QByteArray &data)
{
    QDomDocument document;
    if (!document.setContent(data))
        return false;
    static const QRegularExpression whole(QStringLiteral("^[0-9]+(\\.[0-9]+)*$"));
    return whole.match(document.documentElement().attribute(QStringLiteral("version"))).hasMatch();
}

bool Updater::isNewer() const
{
    return isNewerVersion(mUrlVersion, currentVersion);
}

Updater::Outcome Updater::outcome() const
{
    if (!reachable)
        return Outcome::NoNetwork;
    if (mBadAnswer)
        return Outcome::CouldNotCheck;
    return isNewer() ? Outcome::Newer : Outcome::Latest;
}

bool Updater::isNewerVersion(const QString &remote, const QString &own)
{
    if (remote.isEmpty())
        return false;
    const QStringList ownParts = own.split(QLatin1Char('.'));
    const QStringList remoteParts = remote.split(QLatin1Char('.'));
    const int length = qMax(ownParts.size(), remoteParts.size());
    for (int i = 0; i < length; ++i) {
        const int a = i < ownParts.size() ? ownParts.at(i).toInt() : 0;
        const int b = i < remoteParts.size() ? remoteParts.at(i).toInt() : 0;
        if (b != a)
            return b > a;
    }
    return false;
}

QString Updater::versionFileLocation(const QString &programDir)
{
    const QFileInfo dir(programDir);
    if (dir.isDir() && dir.isWritable())
        return QDir(programDir).filePath(versionFileName);
    ensureUserDataFolder();
    return QDir(userDataFolder()).filePath(versionFileName);
}
