#include "common/userdata.h"

#include <QDir>
#include <QStandardPaths>

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
            + QStringLiteral("/tolvenrik");
}

QString logFilePath()
{
    return userDataFolder() + QStringLiteral("/logInfo.txt");
}

bool ensureUserDataFolder()
{
    return QDir().mkpath(userDataFolder());
}
