#include "document/svgpathdata.h"
#include "import/bitmaptracer.h"
#include "pathprobe.h"

#include <QPainter>
#include <QtTest>

// Pictures traced into outlines with Potrace.
class TestBitmapTracer : public QObject
{
    Q_OBJECT

private slots:
    void filledCircleIsOneOutline();
    void ringHasOuterAndInnerOutline();
    void cornersKeepTheirShape();
    void everyPictureFormatTraces_data();
    void everyPictureFormatTraces();
    void oneBitPicturesTraceAsTheirColourForm_data();
    void oneBitPicturesTraceAsTheirColourForm();
    void nothingToTrace_data();
    void nothingToTrace();
    void outlineWriterUsesSixDecimals();
};

namespace {

QImage drawn(int size, const std::function<void(QPainter &)> &draw)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    draw(painter);
    return image;
}

QImage disc(int size, double radius)
{
    return drawn(size, [&](QPainter &p) { p.drawEllipse(QPointF(size / 2.0, size / 2.0), radius, radius); });
}

} // namespace

void TestBitmapTracer::filledCircleIsOneOutline()
{
    const double r = 100;
    const QStringList paths = BitmapTracer::tracePathList(disc(240, r));
    QCOMPARE(paths.size(), 1);
    QVERIFY(paths.first().startsWith(QLatin1String("M ")));
    QVERIFY(paths.first().endsWith(QLatin1String("z ")));
    const double area = PathProbe::area(SvgGrammar::parsePath(paths.first()));
    QVERIFY2(qAbs(area - M_PI * r * r) < M_PI * r * r * 0.01, qPrintable(QString::number(area)));
}

void TestBitmapTracer::ringHasOuterAndInnerOutline()
{
    const QImage ring = drawn(120, [](QPainter &p) {
        QPainterPath path;
        path.addEllipse(QPointF(60, 60), 50, 50);
        path.addEllipse(QPointF(60, 60), 25, 25);
        p.drawPath(path);
    });
    const QStringList paths = BitmapTracer::tracePathList(ring);
    QCOMPARE(paths.size(), 2);
    const double outer = PathProbe::area(SvgGrammar::parsePath(paths.at(0)));
    const double inner = PathProbe::area(SvgGrammar::parsePath(paths.at(1)));
    QVERIFY(qAbs(outer - M_PI * 2500) < M_PI * 2500 * 0.01);
    QVERIFY(qAbs(inner - M_PI * 625) < M_PI * 625 * 0.02);
}

// A corner segment gave only its corner point, so the curve after it
// started from the wrong place: a half disc lost its shape.
void TestBitmapTracer::cornersKeepTheirShape()
{
    const QImage halfDisc = drawn(120, [](QPainter &p) { p.drawPie(QRectF(10, 10, 100, 100), 0, 180 * 16); });
    const QStringList paths = BitmapTracer::tracePathList(halfDisc);
    QCOMPARE(paths.size(), 1);
    QVERIFY(paths.first().contains(QLatin1String("L ")));
    const double expected = M_PI * 2500 / 2;
    const QPainterPath outline = SvgGrammar::parsePath(paths.first());
    QVERIFY2(qAbs(PathProbe::area(outline) - expected) < expected * 0.01,
             qPrintable(QString::number(PathProbe::area(outline))));
    // Both ends of the flat side are on the outline.
    QVERIFY(PathProbe::distance(outline, QPointF(10, 60)) < 1.5);
    QVERIFY(PathProbe::distance(outline, QPointF(110, 60)) < 1.5);
}

// Grey, mono and indexed pictures crashed the trace.
void TestBitmapTracer::oneBitPicturesTraceAsTheirColourForm_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("swapColours");
    QTest::addColumn<int>("width");
    QTest::newRow("most significant bit first") << int(QImage::Format_Mono) << false << 150;
    QTest::newRow("least significant bit first") << int(QImage::Format_MonoLSB) << false << 150;
    // Colour 0 black: the set bits are the white ones.
    QTest::newRow("black as colour 0") << int(QImage::Format_Mono) << true << 150;
    // Shapes touch the right edge, which is no multiple of 64 pixels nor
    // of 8: no bit past it may count.
    QTest::newRow("odd width") << int(QImage::Format_Mono) << false << 133;
    QTest::newRow("exactly one word") << int(QImage::Format_MonoLSB) << true << 64;
}

// 1-bit pictures take a faster road to the tracer; the outlines must be
// those of the same picture in 32 bits.
void TestBitmapTracer::oneBitPicturesTraceAsTheirColourForm()
{
    QFETCH(int, format);
    QFETCH(bool, swapColours);
    QFETCH(int, width);
    QImage colour(width, 90, QImage::Format_RGB32);
    colour.fill(Qt::white);
    {
        QPainter painter(&colour);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawEllipse(QPointF(width * 0.2, 45), width * 0.15, 30);
        painter.drawRect(QRectF(width * 0.45, 0, 5, 90));
        painter.drawRect(QRectF(width - 12, 10, 12, 30));
    }
    QImage mono = colour.convertToFormat(QImage::Format(format), Qt::ThresholdDither);
    if (swapColours) {
        mono.invertPixels();
        const QVector<QRgb> table = mono.colorTable();
        mono.setColorTable({table.at(1), table.at(0)});
    }
    QCOMPARE(int(mono.format()), format);
    // The 1-bit form shows the same picture.
    QCOMPARE(mono.convertToFormat(QImage::Format_RGB32), colour);
    const QStringList expected = BitmapTracer::tracePathList(colour);
    QCOMPARE(expected.size(), 3);
    QCOMPARE(BitmapTracer::tracePathList(mono), expected);
    QCOMPARE(BitmapTracer::traceOutline(mono), BitmapTracer::traceOutline(colour));
}

void TestBitmapTracer::everyPictureFormatTraces_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("grey") << int(QImage::Format_Grayscale8);
    QTest::newRow("mono") << int(QImage::Format_Mono);
    QTest::newRow("indexed") << int(QImage::Format_Indexed8);
    QTest::newRow("24-bit") << int(QImage::Format_RGB888);
    QTest::newRow("premultiplied") << int(QImage::Format_ARGB32_Premultiplied);
}

void TestBitmapTracer::everyPictureFormatTraces()
{
    QFETCH(int, format);
    const QImage picture = disc(60, 20).convertToFormat(QImage::Format(format));
    QCOMPARE(int(picture.format()), format);
    QCOMPARE(BitmapTracer::tracePathList(picture).size(), 1);
    QVERIFY(BitmapTracer::traceOutline(picture).startsWith(QLatin1String("M ")));
}

void TestBitmapTracer::nothingToTrace_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QString>("outline");

    QImage white(40, 30, QImage::Format_RGB32);
    white.fill(Qt::white);
    QImage transparent(40, 30, QImage::Format_ARGB32);
    transparent.fill(Qt::transparent);
    QTest::newRow("null picture") << QImage() << "err!!! no img";
    QTest::newRow("zero width") << QImage(0, 10, QImage::Format_RGB32) << "err!!! no img";
    QTest::newRow("white") << white << "";
    // Transparent pixels are background, whatever colour they store.
    QTest::newRow("transparent") << transparent << "";
}

void TestBitmapTracer::nothingToTrace()
{
    QFETCH(QImage, picture);
    QFETCH(QString, outline);
    QVERIFY(BitmapTracer::tracePathList(picture).isEmpty());
    QCOMPARE(BitmapTracer::traceOutline(picture), outline);
}

void TestBitmapTracer::outlineWriterUsesSixDecimals()
{
    const QImage square = drawn(20, [](QPainter &p) { p.fillRect(5, 5, 10, 10, Qt::black); });
    const QString outline = BitmapTracer::traceOutline(square);
    QVERIFY(outline.startsWith(QLatin1String("M ")));
    QVERIFY(!outline.contains(QLatin1String("z")));
    QVERIFY(QRegularExpression(QStringLiteral("^M \\d+\\.\\d{6},\\d+\\.\\d{6} ")).match(outline).hasMatch());
    QCOMPARE(SvgGrammar::parsePath(outline).boundingRect(), QRectF(5, 5, 10, 10));
}

QTEST_MAIN(TestBitmapTracer)
#include "tst_bitmaptracer.moc"
