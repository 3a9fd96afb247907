#include "device/serialaccess.h"

#include <QFile>

#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SerialAccess {

QString deviceNode(const QString &portName)
{
    return portName.startsWith(QLatin1Char('/')) ? portName : QStringLiteral("/dev/") + portName;
}

bool isDenied(const QString &node)
{
    // access() checks with the real ids, which is what open() uses for an
    // ordinary program.
    const QByteArray path = QFile::encodeName(node);
    return ::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES;
}

QString nodeGroup(const QString &node)
{
    struct stat status;
    if (::stat(QFile::encodeName(node).constData(), &status) != 0)
        return QString();
    if (const struct group *entry = ::getgrgid(status.st_gid))
        return QString::fromLocal8Bit(entry->gr_name);
    return QString::number(status.st_gid);
}

QString advice(const QString &node, const QString &group)
{
    if (group.isEmpty())
        return QStringLiteral("no permission to open %1").arg(node);
    return QStringLiteral("no permission to open %1: it belongs to the group %2. Add yourself to "
                          "that group with\n    sudo usermod -aG %2 $USER\nthen log out and log in "
                          "again (the new group counts from the next login).")
            .arg(node, group);
}

} // namespace SerialAccess
