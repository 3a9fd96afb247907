#include "document/documentwriter.h"

#include "common/userdata.h"

#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

QString toSvgText(const QDomDocument &document)
{
    return document.toString(2);
}

bool writeDesign(const QString &svgText, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qDebug() << "save design failed" << path << file.errorString();
        return false;
    }
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    stream << svgText;
    stream.flush();
    if (stream.status() != QTextStream::Ok) {
        file.cancelWriting();
        qDebug() << "save design failed" << path << file.errorString();
        return false;
    }
    if (!file.commit()) {
        qDebug() << "save design failed" << path << file.errorString();
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
