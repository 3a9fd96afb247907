#include "import/bitmapprocessing.h"

#include "import/opencvimage.h"

#include "document/inputlimits.h"
#include "document/picturereader.h"

#include <QBuffer>
#include <QDebug>
#include <QImageReader>
#include <QPainter>

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace {

constexpr int halftoneLevels = 10;

// Level 7 is not a repeat of level 6: it adds the middle row's left cell, one
// of the two cells by which level 8 exceeds level 6, so that every level
// whitens exactly one more cell than the one below it.
constexpr uchar halftonePatterns[halftoneLevels][9] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 1, 0, 0, 0, 0, 0, 0, 0},
    {0, 1, 0, 0, 0, 0, 0, 0, 1},
    {1, 1, 0, 0, 0, 0, 0, 0, 1},
    {1, 1, 0, 0, 0, 0, 1, 0, 1},
    {1, 1, 1, 0, 0, 0, 1, 0, 1},
    {1, 1, 1, 0, 0, 1, 1, 0, 1},
    {1, 1, 1, 1, 0, 1, 1, 0, 1},
    {1, 1, 1, 1, 0, 1, 1, 1, 1},
    {1, 1, 1, 1, 1, 1, 1, 1, 1},
};

// The factor (at most 1) that keeps a picture within the pixel and side limits.
double shrinkFactor(double columns, double rows)
{
    return std::min({1.0, std::sqrt(double(BitmapProcessing::pixelLimit) / (columns * rows)),
                     BitmapProcessing::sideLimit / columns, BitmapProcessing::sideLimit / rows});
}

// Reads a picture, shrinking it on the way when it exceeds the pixel limit
// (a few bytes of PNG can declare gigapixels).
QImage readPicture(QImageReader &reader, const QString &what)
{
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    // Scaled reading still decodes a PNG whole first: beyond this, refused.
    if (size.isValid() && qint64(size.width()) * size.height() > InputLimits::maxPicturePixels) {
        qDebug() << what << "picture of" << size << "is larger than the limit, not read";
        return QImage();
    }
    const double factor = size.isEmpty() ? 1 : shrinkFactor(size.width(), size.height());
    if (factor < 1) {
        const QSize scaled(std::max(1, int(size.width() * factor)),
                           std::max(1, int(size.height() * factor)));
        reader.setScaledSize(scaled);
        qDebug() << what << "picture of" << size << "read at" << scaled;
    }
    QImage image = reader.read();
    if (image.isNull())
        qDebug() << what << "load image err!" << reader.errorString();
    return image;
}

// The picture as it looks on the canvas, in a format the matrix conversion
// takes: transparent parts become white (they show white and must not burn),
// grey, indexed and other formats become 32-bit RGB.
QImage opaqueRgb(const QImage &image)
{
    if (image.hasAlphaChannel()) {
        QImage opaque(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
        return opaque;
    }
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_RGB888)
        return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

// A picture at int(width) x int(height) pixels, as one grey channel. The
// RGB-to-grey weights are applied to the samples in memory order (blue,
// green, red), so grey = 0.299 blue + 0.587 green + 0.114 red.
cv::Mat greyMatrix(const QImage &picture, double width, double height)
{
    if (!std::isfinite(width) || !std::isfinite(height) || width < 1 || height < 1) {
        qDebug() << "image size invalid:" << width << height;
        return cv::Mat();
    }
    double columns = std::floor(width);
    double rows = std::floor(height);
    const double factor = shrinkFactor(columns, rows);
    if (factor < 1) {
        const double clampedColumns = std::max(1.0, std::floor(columns * factor));
        const double clampedRows = std::max(1.0, std::floor(rows * factor));
        qDebug() << "image size" << columns << "x" << rows << "clamped to" << clampedColumns
                 << "x" << clampedRows;
        columns = clampedColumns;
        rows = clampedRows;
    }
    if (picture.isNull())
        return cv::Mat();
    const QImage scaled = opaqueRgb(picture.scaled(int(columns), int(rows), Qt::IgnoreAspectRatio,
                                                   Qt::FastTransformation));
    const cv::Mat matrix = OpenCvImage::toMatrix(scaled);
    if (matrix.empty()) {
        qDebug() << "image to matrix err!" << scaled.format();
        return cv::Mat();
    }
    cv::Mat grey;
    cv::cvtColor(matrix, grey, cv::COLOR_RGB2GRAY);
    return grey;
}

QString encodeMatrix(const cv::Mat &matrix)
{
    const QByteArray png = OpenCvImage::encodePng(matrix);
    if (png.isEmpty())
        return QString();
    return QString::fromLatin1(BitmapProcessing::base64Lines(png));
}

} // namespace

bool BitmapProcessing::importFile(const QString &fileName, Imported *imported)
{
    QImageReader reader(fileName);
    const QImage image = readPicture(reader, fileName);
    if (image.isNull())
        return false;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        qDebug() << "save png err!" << fileName;
        return false;
    }
    imported->base64 = QString::fromLatin1(png.toBase64());
    imported->width = image.width();
    imported->height = image.height();
    return true;
}

QImage BitmapProcessing::decodeHref(const QString &href)
{
    const int comma = href.indexOf(QLatin1Char(','));
    // The decoder skips the comma with every other character outside the
    // alphabet, such as the line breaks of processed pictures.
    QByteArray bytes = QByteArray::fromBase64(href.mid(std::max(comma, 0)).toLatin1());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return readPicture(reader, QStringLiteral("embedded"));
}

QImage BitmapProcessing::decodeFile(const QString &path, QString *problem)
{
    // Checked before opening: open() on a pipe waits for a writer.
    const QString why = PictureReader::fileProblem(path);
    if (problem)
        *problem = why;
    if (!why.isEmpty()) {
        qDebug().noquote() << path << "is not read:" << why;
        return QImage();
    }
    QImageReader reader(path);
    const QImage image = readPicture(reader, path);
    if (image.isNull() && problem)
        *problem = reader.errorString();
    return image;
}

QString BitmapProcessing::threshold(const QString &href, double width, double height)
{
    return threshold(decodeHref(href), width, height);
}

QString BitmapProcessing::threshold(const QImage &picture, double width, double height)
{
    cv::Mat grey = greyMatrix(picture, width, height);
    if (grey.empty())
        return QString();
    cv::Mat blackWhite;
    cv::threshold(grey, blackWhite, 128, 255, cv::THRESH_BINARY);
    const int middle = std::min(int(height * 0.5), blackWhite.rows - 1);
    qDebug().noquote() << QStringLiteral("width: %1 cols: %2 height: %3 rows: %4")
                                  .arg(width).arg(blackWhite.cols).arg(height).arg(blackWhite.rows);
    qDebug().noquote() << QStringLiteral("pix: %1")
                                  .arg(blackWhite.at<uchar>(middle, blackWhite.cols - 1));
    return encodeMatrix(blackWhite);
}

QString BitmapProcessing::gray(const QString &href, double width, double height)
{
    return gray(decodeHref(href), width, height);
}

QString BitmapProcessing::gray(const QImage &picture, double width, double height)
{
    const cv::Mat grey = greyMatrix(picture, width, height);
    if (grey.empty())
        return QString();
    return encodeMatrix(grey);
}

QString BitmapProcessing::halftone(const QString &href, double width, double height)
{
    return halftone(decodeHref(href), width, height);
}

QString BitmapProcessing::halftone(const QImage &picture, double width, double height)
{
    const cv::Mat grey = greyMatrix(picture, width, height);
    if (grey.empty())
        return QString();
    cv::Mat shrunk;
    if (grey.cols >= 2 && grey.rows >= 2)
        cv::resize(grey, shrunk, cv::Size(), 1.0 / 3, 1.0 / 3, cv::INTER_LINEAR);
    else  // a third of one pixel rounds to none: keep one cell
        cv::resize(grey, shrunk, cv::Size(std::max(1, (grey.cols + 1) / 3),
                                          std::max(1, (grey.rows + 1) / 3)),
                   0, 0, cv::INTER_LINEAR);
    cv::Mat dots(shrunk.rows * 3, shrunk.cols * 3, CV_8UC1);
    for (int i = 0; i < shrunk.rows; ++i) {
        const uchar *source = shrunk.ptr<uchar>(i);
        for (int j = 0; j < shrunk.cols; ++j) {
            const uchar *cells = halftonePattern(int(source[j] / 25.6));
            for (int row = 0; row < 3; ++row) {
                uchar *target = dots.ptr<uchar>(3 * i + row) + 3 * j;
                for (int column = 0; column < 3; ++column)
                    target[column] = cells[3 * row + column] ? 255 : 0;
            }
        }
    }
    return encodeMatrix(dots);
}

QString BitmapProcessing::process(const QString &mode, const QString &href, double width,
                                  double height)
{
    if (mode != QLatin1String("bw") && mode != QLatin1String("halftone") && mode != QLatin1String("gray"))
        return QString();
    return process(mode, decodeHref(href), width, height);
}

QString BitmapProcessing::process(const QString &mode, const QImage &picture, double width,
                                  double height)
{
    if (mode == QLatin1String("bw"))
        return threshold(picture, width, height);
    if (mode == QLatin1String("halftone"))
        return halftone(picture, width, height);
    if (mode == QLatin1String("gray"))
        return gray(picture, width, height);
    return QString();
}

const uchar *BitmapProcessing::halftonePattern(int level)
{
    return halftonePatterns[std::clamp(level, 0, halftoneLevels - 1)];
}

QString BitmapProcessing::encodePng(const QImage &image)
{
    return encodeMatrix(OpenCvImage::toMatrix(image));
}

QByteArray BitmapProcessing::base64Lines(const QByteArray &bytes)
{
    static const char alphabet[] =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const int size = bytes.size();
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    QByteArray text;
    text.reserve((size + 2) / 3 * 4 + (size / 57 + 1) * 2);
    int lineLength = 0;
    int i = 0;
    for (; i + 2 < size; i += 3) {
        const uint group = (uint(data[i]) << 16) | (uint(data[i + 1]) << 8) | data[i + 2];
        text.append(alphabet[(group >> 18) & 63]);
        text.append(alphabet[(group >> 12) & 63]);
        text.append(alphabet[(group >> 6) & 63]);
        text.append(alphabet[group & 63]);
        lineLength += 4;
        if (lineLength == 76) {
            text.append("\r\n");
            lineLength = 0;
        }
    }
    if (i < size) {
        const uint group = (uint(data[i]) << 16) | (i + 1 < size ? uint(data[i + 1]) << 8 : 0u);
        text.append(alphabet[(group >> 18) & 63]);
        text.append(alphabet[(group >> 12) & 63]);
        if (i + 1 < size) {
            text.append(alphabet[(group >> 6) & 63]);
            text.append('=');
        } else {
            text.append("==");
        }
    }
    return text;
}
