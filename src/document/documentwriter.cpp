#include "document/documentwriter.h"

#include "common/userdata.h"
#include "common/usersavefile.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>

QString toSvgText(const QDomDocument &document)
{
    return document.toString(2);
}

bool writeDesign(const QString &svgText, const QString &path, QString *error)
{
    UserSaveFile file(path);
    if (!file.open() || !file.write(svgText.toUtf8()) || !file.commit()) {
        qDebug() << "save design failed" << path << file.errorString();
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool writeDesign(const QDomDocument &document, const QString &path)
{
    return writeDesign(toSvgText(document), path);
}

QString logSvgPath()
{
    return userDataFolder() + QStringLiteral("/log.svg");
}

QString writeLogSvg(const QString &svgText)
{
    const QString path = logSvgPath();
    ensureUserDataFolder();
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(svgText.toLatin1());
    return path;
}
