#include "common/installlayout.h"
#include "installpaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace InstallLayout {

QString version()
{
    return QStringLiteral(PLIMB_VERSION);
}

QString dataFolderFor(const QString &programFolder)
{
    return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(PLIMB_DATA_FROM_BIN)));
}

QString samplesFolder()
{
    const QString folder = dataFolderFor(QCoreApplication::applicationDirPath()) + QStringLiteral("/samples");
    return QFileInfo(folder).isDir() ? folder : QString();
}

} // namespace InstallLayout
