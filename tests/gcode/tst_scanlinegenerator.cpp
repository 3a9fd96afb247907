#include "gcode/rotatedraster.h"
#include "gcode/scanlinegenerator.h"

#include "messagecapture.h"

#include <QPainter>
#include <QRegularExpression>
#include <QtTest>

#include <opencv2/imgproc.hpp>

#include <cmath>

class TestScanLineGenerator : public QObject
{
    Q_OBJECT

private slots:
    void golden_data();
    void golden();
    void greyLevels_data();
    void greyLevels();
    void passes_data();
    void passes();
    void bitmapFormats_data();
    void bitmapFormats();
    void badInput_data();
    void badInput();
    void burnedAreaMatchesShape_data();
    void burnedAreaMatchesShape();
    void windowMatchesWholeBitmap_data();
    void windowMatchesWholeBitmap();
    void rotationMatchesWarpAffine_data();
    void rotationMatchesWarpAffine();
    void clampsAbsurdRaster();
    void recordLimit();
    void rasterScaleLimit_data();
    void rasterScaleLimit();
};

namespace {

// Rows of '.' (white) and '#' (black) as an 8-bit indexed image whose palette
// maps index i to grey i, the form the group rendering hands over.
QImage pattern(const QStringList &rows)
{
    QImage image(rows.first().size(), rows.size(), QImage::Format_Indexed8);
    QVector<QRgb> palette;
    for (int i = 0; i < 256; ++i)
        palette.append(qRgb(i, i, i));
    image.setColorTable(palette);
    for (int j = 0; j < rows.size(); ++j)
        for (int i = 0; i < rows[j].size(); ++i)
            image.setPixel(i, j, rows[j][i] == QLatin1Char('#') ? 0 : 255);
    return image;
}

QImage greyRow(const QVector<int> &values)
{
    QImage image(values.size(), 1, QImage::Format_Grayscale8);
    for (int i = 0; i < values.size(); ++i)
        image.scanLine(0)[i] = static_cast<uchar>(values[i]);
    return image;
}

ScanLineParameters parameters(double angle = 0, double overscan = 0, double rowOffset = 0,
                              double passCount = 1, const QString &mode = QString())
{
    ScanLineParameters p;
    p.pixelSize = 0.1f;
    p.overscan = overscan;
    p.rowOffset = rowOffset;
    p.angle = angle;
    p.passCount = passCount;
    p.imageMode = mode;
    p.feed = 1500;
    p.fullPower = 1000;
    return p;
}

QStringList lines(const QVector<GCodeBuffer> &records)
{
    QStringList text;
    for (const GCodeBuffer &record : records)
        text.append(record.toString().chopped(1));
    return text;
}

// Replays G-code text the way the engraver would and returns the box of all
// moves made with the laser on (S > 0).
QRectF burnedBox(const QStringList &gcode)
{
    static const QRegularExpression word(QStringLiteral("([GXYSFM])(-?[0-9.]+)"));
    bool relative = false;
    double x = 0;
    double y = 0;
    double power = 0;
    double left = qInf(), top = qInf(), right = -qInf(), bottom = -qInf();
    for (const QString &line : gcode) {
        int g = -1;
        double nx = relative ? 0 : x, ny = relative ? 0 : y;
        bool hasX = false, hasY = false;
        auto it = word.globalMatch(line);
        while (it.hasNext()) {
            const auto m = it.next();
            const double v = m.captured(2).toDouble();
            switch (m.captured(1)[0].toLatin1()) {
            case 'G': g = int(v); break;
            case 'X': nx = v; hasX = true; break;
            case 'Y': ny = v; hasY = true; break;
            case 'S': power = v; break;
            default: break;
            }
        }
        if (g == 90)
            relative = false;
        if (g == 91)
            relative = true;
        if (g != 0 && g != 1)
            continue;
        const double tx = relative ? x + nx : (hasX ? nx : x);
        const double ty = relative ? y + ny : (hasY ? ny : y);
        if (g == 1 && power > 0) {
            left = std::min({left, x, tx});
            right = std::max({right, x, tx});
            top = std::min({top, y, ty});
            bottom = std::max({bottom, y, ty});
        }
        x = tx;
        y = ty;
    }
    if (left > right)
        return QRectF();
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

// A white 57 x 43 bitmap with a patch of grey levels (white among them, and
// both sides of the threshold) filling `patch`.
QImage patchedBitmap(const QRect &patch)
{
    QImage image(57, 43, QImage::Format_Grayscale8);
    image.fill(255);
    static const uchar levels[] = { 0, 255, 60, 128, 129, 200, 0, 255, 17 };
    quint32 state = 12345;
    for (int j = patch.top(); j <= patch.bottom(); ++j) {
        for (int i = patch.left(); i <= patch.right(); ++i) {
            state = state * 1103515245u + 12345u;
            image.scanLine(j)[i] = levels[(state >> 16) % 9];
        }
    }
    return image;
}

} // namespace

Q_DECLARE_METATYPE(ScanLineParameters)

void TestScanLineGenerator::golden_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<ScanLineParameters>("parameters");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("run at columns 4 to 6")
            << QStringList{"....###...", ".........."} << parameters()
            << QStringList{"M9", "G90", "G0X0.3000Y0.0000", "G91X0.0000Y0.0000",
                           "G1X0.3000S1000.0000F1500.0000"};
    QTest::newRow("all white") << QStringList{"......", "......"} << parameters()
                               << QStringList{"M9"};
    // Row 1 is white and keeps the direction; row 2 runs right to left with
    // the lead-in and the row offset, row 3 left to right with its lead-in.
    QTest::newRow("serpentine with lead-in and row offset")
            << QStringList{"..###.....", "..........", "...###....", "......##.."}
            << parameters(0, 0.2, 0.05)
            << QStringList{"M9", "G90", "G0X0.1000Y0.0000", "G91X0.0000Y0.0000",
                           "G1X0.3000S1000.0000F1500.0000",
                           "G1X0.3500Y0.2000S0.0000", "G1X-0.2000S0.0000",
                           "G1X-0.3000S1000.0000",
                           "G1X0.0500Y0.1000S0.0000", "G1X0.2000S0.0000",
                           "G1X0.2000S1000.0000"};
    // The design's bottom row comes first, burned from right to left on the
    // machine.
    QTest::newRow("angle 180 starts at the bottom row")
            << QStringList{"..........", "..........", "....###..."} << parameters(180)
            << QStringList{"M9", "G90", "G0X0.7000Y0.2000", "G91X0.0000Y0.0000",
                           "G1X-0.3000S1000.0000F1500.0000"};
    QTest::newRow("right to left run reaching column 0 ends at 0")
            << QStringList{"........#.", "###......."} << parameters(0, 0, 0.05)
            << QStringList{"M9", "G90", "G0X0.7000Y0.0000", "G91X0.0000Y0.0000",
                           "G1X0.1000S1000.0000F1500.0000",
                           "G1X-0.5500Y0.1000S0.0000", "G1S0.0000", "G1X-0.2000S1000.0000"};
    // Fault: a run starting at the row's first pixel was taken as the row's
    // starting value and never burned (here the whole first row).
    QTest::newRow("run at the row's first pixel burns")
            << QStringList{"###.......", ".........."} << parameters()
            << QStringList{"M9", "G90", "G0X-0.1000Y0.0000", "G91X0.0000Y0.0000",
                           "G1X0.3000S1000.0000F1500.0000"};
}

void TestScanLineGenerator::golden()
{
    QFETCH(QStringList, rows);
    QFETCH(ScanLineParameters, parameters);
    QFETCH(QStringList, expected);
    ScanLineGenerator generator(parameters);
    QCOMPARE(lines(generator.generate(pattern(rows))), expected);
}

void TestScanLineGenerator::greyLevels_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("expected");

    // Grey levels 200 and 100: each change of value ends a run, burned with
    // (255 - v) / 255 of the full power.
    QTest::newRow("gray") << "gray"
                          << QStringList{"M9", "G90", "G0X0.1000Y0.0000", "G91X0.0000Y0.0000",
                                         "G1X0.2000S215.6863F1500.0000", "G1X0.1000S607.8431"};
    // Any other mode thresholds at 128: 200 becomes white, 100 black.
    QTest::newRow("bw") << "bw"
                        << QStringList{"M9", "G90", "G0X0.3000Y0.0000", "G91X0.0000Y0.0000",
                                       "G1X0.1000S1000.0000F1500.0000"};
    QTest::newRow("no image") << QString()
                              << QStringList{"M9", "G90", "G0X0.3000Y0.0000",
                                             "G91X0.0000Y0.0000",
                                             "G1X0.1000S1000.0000F1500.0000"};
}

void TestScanLineGenerator::greyLevels()
{
    QFETCH(QString, mode);
    QFETCH(QStringList, expected);
    ScanLineGenerator generator(parameters(0, 0, 0, 1, mode));
    QCOMPARE(lines(generator.generate(greyRow({255, 255, 200, 200, 100, 255, 255}))), expected);
}

void TestScanLineGenerator::passes_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<double>("passCount");
    QTest::addColumn<int>("copies");

    const QStringList run{"..##.", "....."};
    const QStringList white{".....", "....."};
    QTest::newRow("0") << run << 0.0 << 0;
    QTest::newRow("negative") << run << -2.0 << 0;
    QTest::newRow("1") << run << 1.0 << 1;
    QTest::newRow("2.5") << run << 2.5 << 3;
    QTest::newRow("3") << run << 3.0 << 3;
    QTest::newRow("white 3") << white << 3.0 << 3;
}

void TestScanLineGenerator::passes()
{
    QFETCH(QStringList, rows);
    QFETCH(double, passCount);
    QFETCH(int, copies);
    const QStringList once = lines(ScanLineGenerator(parameters()).generate(pattern(rows)));
    const QStringList all
            = lines(ScanLineGenerator(parameters(0, 0, 0, passCount)).generate(pattern(rows)));
    QStringList expected;
    for (int i = 0; i < copies; ++i)
        expected += once;
    // Each copy repositions absolutely and carries its own feed.
    QCOMPARE(all, expected);
    QCOMPARE(all.count(QStringLiteral("M9")), copies);
}

void TestScanLineGenerator::bitmapFormats_data()
{
    QTest::addColumn<QImage>("bitmap");
    QTest::addColumn<bool>("scanned");

    const QImage indexed = pattern({"....###...", ".........."});
    QTest::newRow("indexed") << indexed << true;
    QTest::newRow("grey") << indexed.convertToFormat(QImage::Format_Grayscale8) << true;
    QTest::newRow("24-bit colour") << indexed.convertToFormat(QImage::Format_RGB888) << true;
    QTest::newRow("32-bit colour") << indexed.convertToFormat(QImage::Format_RGB32) << false;
    QTest::newRow("mono") << indexed.convertToFormat(QImage::Format_Mono) << false;
    QTest::newRow("null") << QImage() << false;
}

void TestScanLineGenerator::bitmapFormats()
{
    QFETCH(QImage, bitmap);
    QFETCH(bool, scanned);
    const QStringList expected{"M9", "G90", "G0X0.3000Y0.0000", "G91X0.0000Y0.0000",
                               "G1X0.3000S1000.0000F1500.0000"};
    QCOMPARE(lines(ScanLineGenerator(parameters()).generate(bitmap)),
             scanned ? expected : QStringList());
}

void TestScanLineGenerator::badInput_data()
{
    QTest::addColumn<ScanLineParameters>("parameters");

    ScanLineParameters p = parameters();
    p.pixelSize = 0;
    QTest::newRow("pixel size 0") << p;
    p.pixelSize = -0.1f;
    QTest::newRow("negative pixel size") << p;
    p.pixelSize = qQNaN();
    QTest::newRow("NaN pixel size") << p;
    p = parameters(qQNaN());
    QTest::newRow("NaN angle") << p;
    p = parameters(0, qInf());
    QTest::newRow("infinite overscan") << p;
    p = parameters(0, 0, qQNaN());
    QTest::newRow("NaN row offset") << p;
    p = parameters(0, 0, 0, qQNaN());
    QTest::newRow("NaN passes") << p;
}

void TestScanLineGenerator::badInput()
{
    QFETCH(ScanLineParameters, parameters);
    MessageCapture log;
    QVERIFY(ScanLineGenerator(parameters).generate(pattern({"..##.."})).isEmpty());
    // Refused, and said so.
    QCOMPARE(log.count(QtDebugMsg), 1);
}

void TestScanLineGenerator::burnedAreaMatchesShape_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<QRect>("shape");

    const QRect inside(23, 11, 30, 17);
    const QRect atOrigin(0, 0, 30, 17);
    for (double angle : {0.0, 45.0, 90.0, 180.0, 270.0, -90.0, 30.0, -135.0}) {
        QTest::newRow(qPrintable(QStringLiteral("inside %1").arg(angle))) << angle << inside;
        QTest::newRow(qPrintable(QStringLiteral("at origin %1").arg(angle))) << angle << atOrigin;
    }
}

// Independent of the records' arithmetic: the G-code is replayed and the area
// the laser burned must be the black rectangle, at every scan angle.
void TestScanLineGenerator::burnedAreaMatchesShape()
{
    QFETCH(double, angle);
    QFETCH(QRect, shape);
    QImage bitmap(80, 50, QImage::Format_Grayscale8);
    bitmap.fill(255);
    for (int y = shape.top(); y <= shape.bottom(); ++y)
        memset(bitmap.scanLine(y) + shape.left(), 0, size_t(shape.width()));

    ScanLineParameters p = parameters(angle, 0.5);
    p.pixelSize = 0.05f;
    const QRectF burned = burnedBox(lines(ScanLineGenerator(p).generate(bitmap)));
    const double spacing = 0.05;
    const QRectF expected(shape.left() * spacing, shape.top() * spacing, shape.width() * spacing,
                          shape.height() * spacing);
    // Runs are burned one pixel early along the turned row (from a - 1 to b),
    // which moves the box by up to one spacing along each of its axes.
    const double radians = qDegreesToRadians(angle);
    const double tolerance = spacing * (std::abs(std::cos(radians)) + std::abs(std::sin(radians)))
            + 1e-4;
    QVERIFY2(std::abs(burned.left() - expected.left()) <= tolerance
                     && std::abs(burned.right() - expected.right()) <= tolerance
                     && std::abs(burned.top() - expected.top()) <= tolerance
                     && std::abs(burned.bottom() - expected.bottom()) <= tolerance,
             qPrintable(QStringLiteral("burned %1,%2 %3,%4 expected %5,%6 %7,%8")
                                .arg(burned.left()).arg(burned.top())
                                .arg(burned.right()).arg(burned.bottom())
                                .arg(expected.left()).arg(expected.top())
                                .arg(expected.right()).arg(expected.bottom())));
}

void TestScanLineGenerator::windowMatchesWholeBitmap_data()
{
    QTest::addColumn<QRect>("patch");
    QTest::addColumn<double>("angle");
    QTest::addColumn<QString>("mode");

    const QList<QPair<const char *, QRect>> patches{
        { "inside", QRect(10, 8, 20, 15) },
        { "top left corner", QRect(0, 0, 12, 9) },
        { "bottom right corner", QRect(45, 34, 12, 9) },
        { "full width", QRect(0, 20, 57, 3) },
        { "small", QRect(30, 30, 3, 3) },
    };
    for (const auto &patch : patches) {
        for (const double angle : { 0.0, 180.0, 90.0, 270.0, 30.0, -15.0, 359.5 }) {
            for (const QString &mode : { QString(), QStringLiteral("gray") }) {
                QTest::addRow("%s, %g degrees, %s", patch.first, angle,
                              mode.isEmpty() ? "threshold" : "grey levels")
                        << patch.second << angle << mode;
            }
        }
    }
}

// Scanning only the part of a bitmap that holds marks must give the very
// records of the whole bitmap, whatever the angle and wherever the part lies.
void TestScanLineGenerator::windowMatchesWholeBitmap()
{
    QFETCH(QRect, patch);
    QFETCH(double, angle);
    QFETCH(QString, mode);

    const QImage whole = patchedBitmap(patch);
    const ScanLineParameters p = parameters(angle, 1.5, 0.05, 1, mode);
    const QStringList expected = lines(ScanLineGenerator(p).generate(whole));
    QVERIFY(expected.size() > 4);
    const QStringList windowed =
            lines(ScanLineGenerator(p).generate(whole.copy(patch), whole.size(), patch.topLeft()));
    QCOMPARE(windowed, expected);

    // A window with white around the patch gives them too.
    const QRect wider = patch.adjusted(-2, -1, 3, 2) & whole.rect();
    QCOMPARE(lines(ScanLineGenerator(p).generate(whole.copy(wider), whole.size(), wider.topLeft())),
             expected);
    // Nothing marked: only the start of the pass.
    QCOMPARE(lines(ScanLineGenerator(p).generate(QImage(), whole.size(), QPoint())), QStringList{ "M9" });
}

void TestScanLineGenerator::rotationMatchesWarpAffine_data()
{
    QTest::addColumn<QRect>("patch");
    QTest::addColumn<double>("angle");
    for (const double angle : { 180.0, 90.0, 270.0, 30.0, 33.3, 359.5, 0.001 }) {
        QTest::addRow("whole, %g degrees", angle) << QRect(0, 0, 57, 43) << angle;
        QTest::addRow("patch, %g degrees", angle) << QRect(21, 5, 13, 30) << angle;
    }
}

// The band-wise turn samples exactly as one cv::warpAffine over the whole
// bitmap, and is white outside the window it reports.
void TestScanLineGenerator::rotationMatchesWarpAffine()
{
    QFETCH(QRect, patch);
    QFETCH(double, angle);

    const QImage image = patchedBitmap(patch);
    const cv::Mat whole(image.height(), image.width(), CV_8UC1, const_cast<uchar *>(image.constBits()),
                        size_t(image.bytesPerLine()));
    const float a = float(angle);
    const double radians = a * CV_PI / 180;
    const double c = std::abs(std::cos(radians));
    const double s = std::abs(std::sin(radians));
    const int width = int(whole.cols * c + whole.rows * s);
    const int height = int(whole.rows * c + whole.cols * s);
    cv::Mat matrix = cv::getRotationMatrix2D(cv::Point2f(whole.cols * 0.5f, whole.rows * 0.5f), a, 1);
    matrix.at<double>(0, 2) += (width - whole.cols) * 0.5;
    matrix.at<double>(1, 2) += (height - whole.rows) * 0.5;
    cv::Mat expected;
    cv::warpAffine(whole, expected, matrix, cv::Size(width, height), cv::INTER_LINEAR,
                   cv::BORDER_CONSTANT, cv::Scalar(255));

    const cv::Mat window = whole(cv::Rect(patch.x(), patch.y(), patch.width(), patch.height())).clone();
    const RotatedRaster rotated(window, image.size(), patch.topLeft(), a);
    QCOMPARE(rotated.size(), QSize(width, height));
    const QRect w = rotated.window();
    QVERIFY(!w.isEmpty());
    cv::Mat band;
    rotated.rows(w.top(), w.height(), band);
    const cv::Mat inside = expected(cv::Rect(w.x(), w.y(), w.width(), w.height()));
    QCOMPARE(cv::countNonZero(band != inside), 0);
    cv::Mat outside = expected.clone();
    outside(cv::Rect(w.x(), w.y(), w.width(), w.height())).setTo(255);
    QCOMPARE(cv::countNonZero(outside != 255), 0);
}

// A bitmap beyond the pixel limit is scanned coarser over the same area.
void TestScanLineGenerator::clampsAbsurdRaster()
{
    QImage bitmap(400, 200, QImage::Format_Grayscale8);
    bitmap.fill(255);
    for (int y = 40; y < 160; ++y)
        memset(bitmap.scanLine(y) + 100, 0, 200);
    ScanLineParameters p = parameters();
    ScanLineGenerator generator(p);
    generator.setRasterPixelLimit(400 * 200 / 16);
    MessageCapture log;
    const QStringList gcode = lines(generator.generate(bitmap));
    QCOMPARE(log.count(QtDebugMsg), 1);
    // 120 black rows become 30 scan lines 0.4 mm apart.
    QCOMPARE(gcode.filter(QStringLiteral("S1000")).size(), 30);
    const QRectF burned = burnedBox(gcode);
    const double spacing = 0.4 + 1e-4;
    QVERIFY2(std::abs(burned.left() - 10) <= spacing && std::abs(burned.right() - 30) <= spacing
                     && std::abs(burned.top() - 4) <= spacing
                     && std::abs(burned.bottom() - 16) <= spacing,
             qPrintable(QStringLiteral("%1 %2 %3 %4").arg(burned.left()).arg(burned.right())
                                .arg(burned.top()).arg(burned.bottom())));
}

void TestScanLineGenerator::recordLimit()
{
    // Each refusal is logged once.
    MessageCapture log;
    ScanLineGenerator generator(parameters(0, 0, 0, 1e12));
    generator.setRecordLimit(1000);
    QVERIFY(generator.generate(pattern({"..##..", "......"})).isEmpty());
    QCOMPARE(log.count(QtDebugMsg), 1);

    ScanLineGenerator endless(parameters(0, 0, 0, qInf()));
    endless.setRecordLimit(1000);
    QVERIFY(endless.generate(pattern({"......"})).isEmpty());
    QCOMPARE(log.count(QtDebugMsg), 2);

    // A noisy grey row that needs more records than allowed in a single pass.
    QVector<int> noise;
    for (int i = 0; i < 3000; ++i)
        noise.append(i % 2 ? 0 : 200);
    ScanLineGenerator noisy(parameters(0, 0, 0, 1, QStringLiteral("gray")));
    noisy.setRecordLimit(1000);
    QVERIFY(noisy.generate(greyRow(noise)).isEmpty());
    QCOMPARE(log.count(QtDebugMsg), 3);
}

void TestScanLineGenerator::rasterScaleLimit_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("limit");
    QTest::addColumn<double>("expected");

    QTest::newRow("fits") << 100.0 << 100.0 << 0.0 << 10000.0 << 1.0;
    QTest::newRow("too large") << 200.0 << 100.0 << 180.0 << 5000.0 << 0.5;
    // Turned by 90 the raster swaps its sides and keeps its area.
    QTest::newRow("quarter turn") << 200.0 << 100.0 << -90.0 << 5000.0 << 0.5;
    // Turned by 45 a square needs twice its area.
    QTest::newRow("diagonal") << 100.0 << 100.0 << 45.0 << 10000.0 << std::sqrt(0.5);
    QTest::newRow("10 m at 0.025 mm") << 400000.0 << 400000.0 << 0.0 << double(1 << 28)
                                      << std::sqrt(double(1 << 28)) / 400000.0;
    QTest::newRow("infinite") << qInf() << 100.0 << 0.0 << 10000.0 << 0.0;
}

void TestScanLineGenerator::rasterScaleLimit()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(double, angle);
    QFETCH(double, limit);
    QFETCH(double, expected);
    const double factor = ScanLineGenerator::rasterScaleLimit(width, height, angle, qint64(limit));
    QVERIFY2(std::abs(factor - expected) < 1e-6, qPrintable(QString::number(factor)));
}

QTEST_GUILESS_MAIN(TestScanLineGenerator)
#include "tst_scanlinegenerator.moc"
