#include "import/bitmapprocessing.h"

#include "messagecapture.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

class TestBitmapProcessing : public QObject
{
    Q_OBJECT

private slots:
    void base64Lines_data();
    void base64Lines();
    void threshold_data();
    void threshold();
    void gray();
    void pictureFormats_data();
    void pictureFormats();
    void halftone_data();
    void halftone();
    void processedSize_data();
    void processedSize();
    void badPicture_data();
    void badPicture();
    void badSize_data();
    void badSize();
    void absurdSizeIsClamped();
    void importFile_data();
    void importFile();
    void encodePng();
};

namespace {

QImage uniform(const QColor &colour, QImage::Format format = QImage::Format_RGB32,
               QSize size = QSize(10, 4))
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image.convertToFormat(format);
}

// How the canvas stores an imported picture: PNG, Base64 without line breaks.
QString href(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

QImage decoded(const QString &base64)
{
    return BitmapProcessing::decodeHref(QStringLiteral("data:image/png;base64,") + base64);
}

// The distinct grey values of a processed picture.
QSet<int> greys(const QImage &image)
{
    QSet<int> values;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            values.insert(qGray(image.pixel(x, y)));
    return values;
}

} // namespace

void TestBitmapProcessing::base64Lines_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("layout");  // line lengths; "|" for each "\r\n"

    QTest::newRow("empty") << 0 << "";
    QTest::newRow("one byte") << 1 << "4";
    QTest::newRow("56 bytes fill the line with padding") << 56 << "76";
    QTest::newRow("57 bytes are one full line") << 57 << "76|";
    QTest::newRow("58 bytes") << 58 << "76|4";
    QTest::newRow("114 bytes") << 114 << "76|76|";
    QTest::newRow("200 bytes") << 200 << "76|76|76|40";
}

void TestBitmapProcessing::base64Lines()
{
    QFETCH(int, size);
    QFETCH(QString, layout);
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes.append(char(i * 37 + 11));
    const QByteArray text = BitmapProcessing::base64Lines(bytes);

    QStringList lengths;
    for (const QByteArray &line : text.split('\n'))
        lengths.append(line.endsWith('\r') ? QString::number(line.size() - 1) + "|"
                                           : (line.isEmpty() ? QString() : QString::number(line.size())));
    QCOMPARE(lengths.join(QString()), layout);
    // Apart from the line breaks it is standard Base64.
    QCOMPARE(QByteArray(text).replace("\r\n", ""), bytes.toBase64());
}

void TestBitmapProcessing::threshold_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("grey");

    // The grey weights meet the samples in memory order (blue, green, red).
    QTest::newRow("red") << QColor(255, 0, 0) << 0;      // 0.114 * 255 = 29
    QTest::newRow("blue") << QColor(0, 0, 255) << 0;     // 0.299 * 255 = 76
    QTest::newRow("green") << QColor(0, 255, 0) << 255;  // 0.587 * 255 = 150
    QTest::newRow("grey 128") << QColor(128, 128, 128) << 0;
    QTest::newRow("grey 129") << QColor(129, 129, 129) << 255;
    // Fault: transparent pixels (black underneath, as many PNGs store them)
    // were burned although the canvas shows them white.
    QTest::newRow("transparent") << QColor(0, 0, 0, 0) << 255;
}

void TestBitmapProcessing::threshold()
{
    QFETCH(QColor, colour);
    QFETCH(int, grey);
    QTest::ignoreMessage(QtDebugMsg, "width: 100 cols: 100 height: 40 rows: 40");
    QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("pix: %1").arg(grey)));
    const QImage result = decoded(BitmapProcessing::threshold(href(uniform(colour, QImage::Format_ARGB32)), 100, 40));
    QCOMPARE(result.size(), QSize(100, 40));
    QCOMPARE(greys(result), QSet<int>{grey});
}

void TestBitmapProcessing::gray()
{
    QImage picture(4, 1, QImage::Format_RGB32);
    const QVector<QRgb> colours{qRgb(77, 77, 77), qRgb(0, 255, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)};
    for (int x = 0; x < 4; ++x)
        picture.setPixel(x, 0, colours[x]);
    const QImage result = decoded(BitmapProcessing::gray(href(picture), 4, 1));
    QCOMPARE(result.format(), QImage::Format_Grayscale8);
    const uchar *row = result.constScanLine(0);
    QCOMPARE((QVector<int>{row[0], row[1], row[2], row[3]}), (QVector<int>{77, 150, 29, 76}));
}

void TestBitmapProcessing::pictureFormats_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<int>("grey");

    // Fault: grey and indexed pictures (grey PNGs, GIFs) gave an empty matrix
    // that the grey conversion cannot take.
    QTest::newRow("grey") << uniform(QColor(77, 77, 77), QImage::Format_Grayscale8) << 77;
    QImage indexed(10, 4, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(77, 77, 77)});
    indexed.fill(1);
    QTest::newRow("indexed") << indexed << 77;
    QImage mono(10, 4, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(1);
    QTest::newRow("mono") << mono << 255;
    QTest::newRow("24-bit") << uniform(QColor(77, 77, 77), QImage::Format_RGB888) << 77;
    QTest::newRow("premultiplied")
            << uniform(QColor(77, 77, 77), QImage::Format_ARGB32_Premultiplied) << 77;
}

void TestBitmapProcessing::pictureFormats()
{
    QFETCH(QImage, picture);
    QFETCH(int, grey);
    QCOMPARE(greys(decoded(BitmapProcessing::gray(href(picture), 20, 8))), QSet<int>{grey});
}

void TestBitmapProcessing::halftone_data()
{
    QTest::addColumn<int>("grey");
    QTest::addColumn<QString>("cells");  // rows top to bottom, '1' white

    QTest::newRow("level 0") << 20 << "000000000";
    QTest::newRow("level 1") << 30 << "010000000";
    QTest::newRow("level 2") << 60 << "010000001";
    QTest::newRow("level 3") << 80 << "110000001";
    QTest::newRow("level 4") << 110 << "110000101";
    QTest::newRow("level 5 at mid grey") << 128 << "111000101";
    QTest::newRow("level 6") << 160 << "111001101";
    // Level 7 adds the middle row's left cell to level 6, one of the two
    // cells by which level 8 exceeds it.
    QTest::newRow("level 7") << 190 << "111101101";
    QTest::newRow("level 8") << 210 << "111101111";
    QTest::newRow("level 9") << 255 << "111111111";
}

void TestBitmapProcessing::halftone()
{
    QFETCH(int, grey);
    QFETCH(QString, cells);
    const QImage picture = uniform(QColor(grey, grey, grey), QImage::Format_RGB32, QSize(9, 6));
    const QImage result = decoded(BitmapProcessing::halftone(href(picture), 9, 6));
    QCOMPARE(result.size(), QSize(9, 6));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x)
            QCOMPARE(qGray(result.pixel(x, y)),
                     cells[(y % 3) * 3 + x % 3] == QLatin1Char('1') ? 255 : 0);
}

void TestBitmapProcessing::processedSize_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<QSize>("size");

    QTest::newRow("bw") << "bw" << 100.0 << 40.0 << QSize(100, 40);
    QTest::newRow("gray, fractions dropped") << "gray" << 100.9 << 40.2 << QSize(100, 40);
    QTest::newRow("halftone") << "halftone" << 100.0 << 40.0 << QSize(99, 39);
    QTest::newRow("halftone of one pixel") << "halftone" << 1.0 << 1.0 << QSize(3, 3);
}

void TestBitmapProcessing::processedSize()
{
    QFETCH(QString, mode);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(QSize, size);
    const QString result = BitmapProcessing::process(mode, href(uniform(Qt::gray)), width, height);
    QCOMPARE(decoded(result).size(), size);
    // Processed pictures break their Base64 into lines of 76 characters.
    QVERIFY(result.size() <= 76 || result.indexOf(QLatin1String("\r\n")) == 76);
}

void TestBitmapProcessing::badPicture_data()
{
    QTest::addColumn<QString>("href");

    QTest::newRow("empty") << QString();
    QTest::newRow("not Base64 of a picture") << "data:image/png;base64,aGVsbG8gd29ybGQ=";
    QTest::newRow("truncated PNG") << href(uniform(Qt::red)).left(60);
    QTest::newRow("other scheme") << "file:///nowhere.png";
}

void TestBitmapProcessing::badPicture()
{
    QFETCH(QString, href);
    for (const char *mode : {"bw", "halftone", "gray"}) {
        MessageCapture log;
        QVERIFY(BitmapProcessing::process(QLatin1String(mode), href, 100, 40).isEmpty());
        QVERIFY2(log.count(QtDebugMsg) >= 1, mode);
    }
}

void TestBitmapProcessing::badSize_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");

    QTest::newRow("zero") << 0.0 << 40.0;
    QTest::newRow("below one pixel") << 100.0 << 0.5;
    QTest::newRow("negative") << -100.0 << 40.0;
    QTest::newRow("NaN") << qQNaN() << 40.0;
    QTest::newRow("infinite") << 100.0 << qInf();
}

void TestBitmapProcessing::badSize()
{
    QFETCH(double, width);
    QFETCH(double, height);
    MessageCapture log;
    QVERIFY(BitmapProcessing::gray(href(uniform(Qt::red)), width, height).isEmpty());
    QCOMPARE(log.count(QtDebugMsg), 1);
}

// A 10 m wide image must not ask for gigapixels.
void TestBitmapProcessing::absurdSizeIsClamped()
{
    MessageCapture log;
    const QImage result = decoded(BitmapProcessing::gray(href(uniform(Qt::black)), 1e12, 10));
    QVERIFY2(log.count(QtDebugMsg) >= 1, "the clamp is logged");
    QCOMPARE(result.size(), QSize(65536, 1));
}

void TestBitmapProcessing::importFile_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<bool>("ok");

    QTest::newRow("png") << "a.png" << QByteArray("PNG") << true;
    QTest::newRow("bmp") << "a.bmp" << QByteArray("BMP") << true;
    // The format comes from the contents, not the name.
    QTest::newRow("png named jpg") << "a.jpg" << QByteArray("PNG") << true;
    QTest::newRow("text") << "a.png" << QByteArray() << false;
    QTest::newRow("missing") << "" << QByteArray() << false;
}

void TestBitmapProcessing::importFile()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, format);
    QFETCH(bool, ok);
    QTemporaryDir folder;
    const QString path = folder.filePath(fileName.isEmpty() ? QStringLiteral("none.png") : fileName);
    QImage picture(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            picture.setPixel(x, y, qRgb(x * 30, y * 50, 90));
    if (!format.isEmpty()) {
        QVERIFY(picture.save(path, format.constData()));
    } else if (!fileName.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture\n");
    }

    BitmapProcessing::Imported imported;
    MessageCapture log;
    QCOMPARE(BitmapProcessing::importFile(path, &imported), ok);
    if (!ok) {
        // A refused file is logged, not dropped in silence.
        QVERIFY(log.count(QtDebugMsg) >= 1);
        return;
    }
    QCOMPARE(imported.width, 7.0);
    QCOMPARE(imported.height, 5.0);
    QVERIFY(!imported.base64.contains(QLatin1Char('\n')));
    const QImage back = BitmapProcessing::decodeHref(QStringLiteral("data:image/png;base64,")
                                                     + imported.base64);
    QCOMPARE(back.convertToFormat(QImage::Format_RGB32), picture);
}

void TestBitmapProcessing::encodePng()
{
    QImage grey(80, 30, QImage::Format_Grayscale8);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x)
            grey.scanLine(y)[x] = uchar(x * 3 + y);
    const QString text = BitmapProcessing::encodePng(grey);
    for (const QString &line : text.split(QStringLiteral("\r\n")).mid(0, text.count("\r\n")))
        QCOMPARE(line.size(), 76);
    QCOMPARE(decoded(text), grey);
}

QTEST_GUILESS_MAIN(TestBitmapProcessing)
#include "tst_bitmapprocessing.moc"
