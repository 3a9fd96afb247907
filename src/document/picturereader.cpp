#include "document/picturereader.h"

#include "document/inputlimits.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

namespace PictureReader {

namespace {

QString sizeProblem(QImageReader &reader)
{
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > InputLimits::maxPicturePixels)
        return QStringLiteral("a picture of %1 x %2 pixels is larger than %3 megapixels")
                .arg(size.width())
                .arg(size.height())
                .arg(InputLimits::maxPicturePixels / 1000000);
    return QString();
}

QImage read(QImageReader &reader, QString *problem)
{
    QString why = sizeProblem(reader);
    QImage image;
    if (why.isEmpty()) {
        image = reader.read();
        if (image.isNull())
            why = reader.errorString();
    }
    if (problem)
        *problem = why;
    return image;
}

} // namespace

QString fileProblem(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("not found");
    // Checked without opening: open() on a pipe waits for a writer.
    if (!info.isFile())
        return QStringLiteral("not a regular file");
    QImageReader reader(path);
    return sizeProblem(reader);
}

QString dataProblem(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return sizeProblem(reader);
}

QImage readFile(const QString &path, QString *problem)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        if (problem)
            *problem = info.exists() ? QStringLiteral("not a regular file") : QStringLiteral("not found");
        return QImage();
    }
    QImageReader reader(path);
    return read(reader, problem);
}

QImage readData(const QByteArray &bytes, QString *problem)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return read(reader, problem);
}

QByteArray inlineBytes(const QString &href)
{
    const int comma = href.indexOf(QLatin1Char(','));
    return QByteArray::fromBase64(href.mid(comma + 1).toLatin1());
}

} // namespace PictureReader
