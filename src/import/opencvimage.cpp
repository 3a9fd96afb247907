#include "import/opencvimage.h"

#include <QByteArray>
#include <QDebug>
#include <QImage>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <vector>

namespace OpenCvImage {

cv::Mat toMatrix(const QImage &image)
{
    if (image.isNull())
        return cv::Mat();
    uchar *bits = const_cast<uchar *>(image.constBits());
    const size_t step = static_cast<size_t>(image.bytesPerLine());
    switch (image.format()) {
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
        return cv::Mat(image.height(), image.width(), CV_8UC1, bits, step).clone();
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return cv::Mat(image.height(), image.width(), CV_8UC4, bits, step).clone();
    case QImage::Format_RGB888: {
        cv::Mat bgr;
        cv::cvtColor(cv::Mat(image.height(), image.width(), CV_8UC3, bits, step), bgr,
                     cv::COLOR_RGB2BGR);
        return bgr;
    }
    default:
        return cv::Mat();
    }
}

cv::Mat wrapGrey(const QImage &image)
{
    if (image.isNull()
        || (image.format() != QImage::Format_Indexed8
            && image.format() != QImage::Format_Grayscale8))
        return cv::Mat();
    return cv::Mat(image.height(), image.width(), CV_8UC1,
                   const_cast<uchar *>(image.constBits()),
                   static_cast<size_t>(image.bytesPerLine()));
}

QImage toGreyImage(const cv::Mat &grey)
{
    if (grey.empty() || grey.type() != CV_8UC1)
        return QImage();
    QImage image(grey.cols, grey.rows, QImage::Format_Grayscale8);
    if (image.isNull())
        return image;
    for (int row = 0; row < grey.rows; ++row)
        memcpy(image.scanLine(row), grey.ptr(row), static_cast<size_t>(grey.cols));
    return image;
}

QByteArray encodePng(const cv::Mat &matrix)
{
    if (matrix.empty())
        return QByteArray();
    std::vector<uchar> png;
    // {1, 90} is a JPEG quality that the PNG writer ignores; kept so both
    // encoders can share one parameter list.
    const std::vector<int> parameters{1, 90};
    bool encoded = false;
    try {
        encoded = cv::imencode(".png", matrix, png, parameters);
    } catch (const cv::Exception &error) {
        qDebug() << "png encode err!" << error.what();
    }
    if (!encoded || png.empty())
        return QByteArray();
    return QByteArray(reinterpret_cast<const char *>(png.data()), static_cast<int>(png.size()));
}

} // namespace OpenCvImage
