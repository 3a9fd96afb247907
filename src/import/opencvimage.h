#pragma once

#include <opencv2/core.hpp>

class QByteArray;
class QImage;

// The bridge between Qt images and OpenCV matrices. Only implementation files
// that call OpenCV include this header, so cv types stay out of the interfaces
// the rest of the program sees.
namespace OpenCvImage {

// 8-bit indexed and 8-bit grey images give one channel (the samples are the
// stored values, not palette colours); the three 32-bit RGB formats give four
// channels in memory order (blue, green, red, alpha); 24-bit RGB gives three
// channels in blue, green, red order; any other format gives an empty matrix.
// The matrix owns its samples.
cv::Mat toMatrix(const QImage &image);

// Wraps the samples of a one-channel 8-bit image without copying them; the
// image must outlive the matrix and stay unmodified. Empty for other formats.
cv::Mat wrapGrey(const QImage &image);

// An 8-bit grey image holding a copy of a one-channel matrix (null otherwise).
QImage toGreyImage(const cv::Mat &grey);

// PNG file bytes of the matrix; empty when OpenCV cannot encode it.
QByteArray encodePng(const cv::Mat &matrix);

} // namespace OpenCvImage
