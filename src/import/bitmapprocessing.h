#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Pictures embedded in image elements as "data:image/png;base64," hrefs: the
// import of bitmap files and the processings that turn a picture into what is
// engraved ("bw", "halftone", "gray"). Every processing returns the Base64
// text of a PNG without the "data:" prefix, broken into lines of 76
// characters, or an empty string (with a log line) when the picture cannot be
// decoded or the target size is not usable.
class BitmapProcessing
{
public:
    // Decoded and processed pictures above this many pixels are scaled down
    // (keeping their aspect ratio) so that an absurd size cannot exhaust memory.
    static constexpr qint64 pixelLimit = qint64(1) << 26;
    static constexpr double sideLimit = 65536;  // pixels along either side

    struct Imported
    {
        QString base64;  // PNG file, Base64 without line breaks
        double width = 0;  // pixels
        double height = 0;
    };

    // Reads a bitmap file, detecting the format from its contents. False, with
    // a log line, when the file is not a readable picture.
    static bool importFile(const QString &fileName, Imported *imported);

    // The picture of an href: everything up to its first "," is dropped and
    // the rest decoded as Base64, skipping characters outside the alphabet.
    // Null when it is not a picture.
    static QImage decodeHref(const QString &href);
    // The picture of a file beside the design, read as an embedded one is
    // (same size limits). Null, with `problem` set, for anything but a
    // regular picture file.
    static QImage decodeFile(const QString &path, QString *problem = nullptr);

    // Each decodes the href, scales it to int(width) x int(height) pixels
    // (fast, ignoring the aspect ratio) and makes it grey (see greyMatrix in
    // the implementation for the channel weights), then:
    // samples above 128 become white, the others black;
    static QString threshold(const QString &href, double width, double height);
    // grey levels unchanged;
    static QString gray(const QString &href, double width, double height);
    // a 3 x 3 pattern dither of the picture shrunk to a third.
    static QString halftone(const QString &href, double width, double height);
    // The processing named by an image mode; empty for any other mode.
    static QString process(const QString &mode, const QString &href, double width, double height);

    // The same processings of a picture already decoded (a linked file).
    static QString threshold(const QImage &picture, double width, double height);
    static QString gray(const QImage &picture, double width, double height);
    static QString halftone(const QImage &picture, double width, double height);
    static QString process(const QString &mode, const QImage &picture, double width, double height);

    // The halftone pattern of a grey level 0 to 9, row by row, 1 = white.
    static const uchar *halftonePattern(int level);

    // PNG of a picture in Base64 lines; 8-bit grey and indexed pictures are
    // written as one grey channel.
    static QString encodePng(const QImage &image);
    // Standard Base64 with "\r\n" after every 76 characters; the padding of a
    // final partial group follows without a line break.
    static QByteArray base64Lines(const QByteArray &bytes);
};
