#include "loopbackftpserver.h"

namespace {

// Debian's own interpreter first: a python3 earlier on PATH (pyenv and the
// like) does not see the Debian package.
QString pythonWithPyftpdlib()
{
    for (const QString &candidate : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        QProcess probe;
        probe.start(candidate, {QStringLiteral("-c"), QStringLiteral("import pyftpdlib")});
        if (probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit
            && probe.exitCode() == 0)
            return candidate;
    }
    return QString();
}

} // namespace

LoopbackFtpServer::LoopbackFtpServer(const QString &root)
    : mRoot(root)
{
}

LoopbackFtpServer::~LoopbackFtpServer()
{
    if (mProcess.state() != QProcess::NotRunning) {
        mProcess.closeWriteChannel();
        if (!mProcess.waitForFinished(3000)) {
            mProcess.kill();
            mProcess.waitForFinished(3000);
        }
    }
}

QString LoopbackFtpServer::start()
{
    if (mPort != 0 && mProcess.state() == QProcess::Running)
        return QString();
    if (mModuleMissing)
        return QStringLiteral("no python3 with the pyftpdlib module");
    const QString python = pythonWithPyftpdlib();
    if (python.isEmpty()) {
        mModuleMissing = true;
        return QStringLiteral("no python3 with the pyftpdlib module");
    }
    mProcess.start(python, {QStringLiteral(PLIMB_FTP_SERVER_SCRIPT), mRoot});
    if (!mProcess.waitForStarted(10000))
        return QStringLiteral("cannot start the FTP server: ") + mProcess.errorString();
    while (!mProcess.canReadLine()) {
        if (!mProcess.waitForReadyRead(10000))
            return QStringLiteral("the FTP server printed no port: ")
                    + QString::fromUtf8(mProcess.readAllStandardError());
    }
    bool ok = false;
    mPort = QString::fromLatin1(mProcess.readLine()).trimmed().toUShort(&ok);
    return ok ? QString() : QStringLiteral("the FTP server printed no port");
}

QString LoopbackFtpServer::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(mPort);
}

QByteArray LoopbackFtpServer::log()
{
    mLog += mProcess.readAllStandardError();
    return mLog;
}
