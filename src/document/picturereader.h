#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Reads the pictures a design refers to without ever blocking or running out
// of memory: a file must be a regular file (a pipe or device is never
// opened), and a picture whose header declares more pixels than
// InputLimits::maxPicturePixels is refused before it is decoded.
namespace PictureReader {

// Why the picture file at `path` must not be read, or an empty string.
QString fileProblem(const QString &path);
// Why the picture in `bytes` must not be decoded, or an empty string.
QString dataProblem(const QByteArray &bytes);

// The decoded picture, or a null image with `problem` set.
QImage readFile(const QString &path, QString *problem = nullptr);
QImage readData(const QByteArray &bytes, QString *problem = nullptr);

// The bytes of an inline "data:...;base64," reference (the text after the first comma).
QByteArray inlineBytes(const QString &href);

} // namespace PictureReader
