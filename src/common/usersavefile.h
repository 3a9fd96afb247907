#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// A file the user keeps: written whole or not at all, like QSaveFile, but
// never in place of something that is not a regular file. A rename would
// replace a device or a pipe by a plain file (and opening a pipe waits for a
// reader), so such a path is refused before anything is opened. Errors name
// their cause ("No space left on device", "Permission denied", "Read-only
// file system") instead of Qt's "Unknown error".
class UserSaveFile
{
public:
    explicit UserSaveFile(const QString &path);

    bool open();
    bool write(const QByteArray &data);
    // Replaces the file with what was written; false (and the old file
    // intact) when anything failed.
    bool commit();
    void cancel();

    QString errorString() const { return mError; }

    // Why `path` cannot be saved to without opening it, or an empty string.
    static QString targetProblem(const QString &path);

private:
    bool fail(const QString &qtError, int systemError);

    QSaveFile mFile;
    QString mError;
    bool mFailed = false;
};
