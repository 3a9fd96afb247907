#include "common/usersavefile.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>

UserSaveFile::UserSaveFile(const QString &path) : mFile(path)
{
}

QString UserSaveFile::targetProblem(const QString &path)
{
    // QFileInfo follows links and stats without opening.
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("it is a folder");
    if (info.exists() && !info.isFile())
        return QStringLiteral("it is a device, pipe or socket, not a regular file; nothing is written to it");
    return QString();
}

bool UserSaveFile::fail(const QString &qtError, int systemError)
{
    mFailed = true;
    // Qt loses the reason on some paths (buffer flushes, commit); the
    // system's own text names it.
    if (systemError != 0 && (qtError.isEmpty() || qtError.contains(QLatin1String("Unknown error"))))
        mError = QString::fromLocal8Bit(std::strerror(systemError));
    else
        mError = qtError.isEmpty() ? QString::fromLocal8Bit(std::strerror(systemError)) : qtError;
    mFile.cancelWriting();
    return false;
}

bool UserSaveFile::open()
{
    mError = targetProblem(mFile.fileName());
    if (!mError.isEmpty()) {
        mFailed = true;
        return false;
    }
    errno = 0;
    // Unbuffered: a write that fails reports it at once, with its errno.
    if (!mFile.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(mFile.errorString(), errno);
    return true;
}

bool UserSaveFile::write(const QByteArray &data)
{
    if (mFailed)
        return false;
    errno = 0;
    if (mFile.write(data) != data.size())
        return fail(mFile.errorString(), errno);
    return true;
}

bool UserSaveFile::commit()
{
    if (mFailed)
        return false;
    errno = 0;
    if (!mFile.commit()) {
        const int systemError = errno;
        mFailed = true;
        mError = mFile.errorString();
        if (systemError != 0 && (mError.isEmpty() || mError.contains(QLatin1String("Unknown error"))))
            mError = QString::fromLocal8Bit(std::strerror(systemError));
        return false;
    }
    return true;
}

void UserSaveFile::cancel()
{
    mFailed = true;
    mFile.cancelWriting();
}
