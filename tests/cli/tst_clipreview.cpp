#include "clirun.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

// plimb-cli preview and gcode --preview as a user runs them: a separate
// process with no display.
class TestCliPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rectangleIsGreyWhereItIs();
    void pictureJobsReadBack_data();
    void pictureJobsReadBack();
    void exitCodes_data();
    void exitCodes();

private:
    QTemporaryDir mDir;
    QString mJob;
};

namespace {

using Run = CliRun::Result;

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// The bounding box of the pixels for which `match` holds.
template <typename Match>
QRect pixelsWhere(const QImage &image, Match match, int *count = nullptr)
{
    QRect box;
    int found = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(image.pixel(x, y))) {
                box |= QRect(x, y, 1, 1);
                ++found;
            }
    if (count)
        *count = found;
    return box;
}

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
}

} // namespace

// A 10 x 10 mm outline at half power, 10 mm from each edge of the work area.
void TestCliPreview::initTestCase()
{
    QVERIFY(mDir.isValid());
    const QString design = mDir.filePath("square.svg");
    QVERIFY(writeFile(design,
                      "<svg xmlns='http://www.w3.org/2000/svg' xmlns:tolvenrik='urn:tolvenrik' "
                      "width='2000' height='2700'><g>"
                      "<rect x='125' y='125' width='125' height='125' style='fill:none' "
                      "tolvenrik:scanPower='50' tolvenrik:XMotorMovementError='0' "
                      "tolvenrik:YMotorMovementError='0'/></g></svg>"));
    mJob = mDir.filePath("square.gc");
    const QString picture = mDir.filePath("square-gcode.png");
    const Run run = CliRun::run({ "gcode", design, "-o", mJob, "--preview", picture });
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QImage withJob(picture);
    QCOMPARE(withJob.width(), 1000);
    QVERIFY(!pixelsWhere(withJob, [](QRgb p) { return p == qRgb(127, 127, 127); }).isEmpty());
}

void TestCliPreview::rectangleIsGreyWhereItIs()
{
    const QString picture = mDir.filePath("square.png");
    const Run run = CliRun::run({ "preview", mJob, "-o", picture, "--width", "200" });
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QImage image(picture);
    QCOMPARE(image.width(), 200);

    int greyCount = 0;
    const QRect grey = pixelsWhere(image, [](QRgb p) { return p == qRgb(127, 127, 127); }, &greyCount);
    const QRect red = pixelsWhere(image, isRed);
    QVERIFY(!grey.isEmpty());
    QVERIFY(!red.isEmpty());
    // Travel starts at the machine's origin, the job's top-left corner; the
    // square fills the lower right quarter of what the job covers.
    const QRect job = grey | red;
    QCOMPARE(job.topLeft(), red.topLeft());
    QVERIFY2(qAbs(grey.left() - job.center().x()) <= 2, qPrintable(QString::number(grey.left())));
    QVERIFY2(qAbs(grey.top() - job.center().y()) <= 2, qPrintable(QString::number(grey.top())));
    QCOMPARE(grey.bottomRight(), job.bottomRight());
    QVERIFY(qAbs(grey.width() - grey.height()) <= 1);
    // An outline, not a filled square: about four sides' worth of pixels.
    QVERIFY2(greyCount >= 4 * (grey.width() - 2) && greyCount <= 4 * grey.width(),
             qPrintable(QString::number(greyCount)));
    QCOMPARE(image.pixel(grey.center()), qRgb(255, 255, 255));
}

void TestCliPreview::pictureJobsReadBack_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("angle");
    for (const char *mode : { "gray", "halftone", "bw" })
        for (const char *angle : { "0", "45" })
            QTest::newRow(qPrintable(QStringLiteral("%1 at %2").arg(mode, angle))) << mode << angle;
}

// A picture's rows step back and forth in relative moves; a step that rounds
// to nothing is still written ("X-0.0000"), and the job must be read back as
// written, or preview and send refuse the job gcode has just made.
void TestCliPreview::pictureJobsReadBack()
{
    QFETCH(QString, mode);
    QFETCH(QString, angle);
    QImage picture(120, 90, QImage::Format_Grayscale8);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.scanLine(y)[x] = uchar((x * 7 + y * 3) % 256);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    QVERIFY(picture.save(&png, "PNG"));
    const QString design = mDir.filePath(QStringLiteral("picture-%1-%2.svg").arg(mode, angle));
    QVERIFY(writeFile(design,
                      "<svg xmlns='http://www.w3.org/2000/svg' xmlns:tolvenrik='urn:tolvenrik' "
                      "xmlns:xlink='http://www.w3.org/1999/xlink' width='100mm' height='100mm' "
                      "viewBox='0 0 100 100'><image x='10.3' y='7.7' width='33.3' height='21.1' "
                      "tolvenrik:image='" + mode.toLatin1() + "' tolvenrik:scanAngle='"
                      + angle.toLatin1() + "' xlink:href='data:image/png;base64,"
                      + png.data().toBase64() + "'/></svg>"));
    const QString job = mDir.filePath(QStringLiteral("picture-%1-%2.gc").arg(mode, angle));
    const Run made = CliRun::run({ "gcode", design, "-o", job });
    QVERIFY2(made.exitCode == 0, qPrintable(made.err));
    const Run read = CliRun::run({ "preview", job, "-o", mDir.filePath("picture.png") });
    QVERIFY2(read.exitCode == 0, qPrintable(read.err));
}

void TestCliPreview::exitCodes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("no job") << QStringList{ "-o", "out.png" } << 2 << "no job given";
    QTest::newRow("no output") << QStringList{ "JOB" } << 2 << "no output file";
    QTest::newRow("width not a number") << QStringList{ "JOB", "-o", "out.png", "--width", "wide" }
                                        << 2 << "--width must be";
    QTest::newRow("width too small") << QStringList{ "JOB", "-o", "out.png", "--width", "4" } << 2
                                     << "--width must be";
    QTest::newRow("width without value") << QStringList{ "JOB", "-o", "out.png", "--width" } << 2
                                         << "needs a value";
    QTest::newRow("unknown option") << QStringList{ "JOB", "-o", "out.png", "--height", "5" } << 2
                                    << "unknown option";
    QTest::newRow("unreadable job") << QStringList{ "missing.gc", "-o", "out.png" } << 1
                                    << "cannot read";
    QTest::newRow("not Plimb's G-code") << QStringList{ "NOTGCODE", "-o", "out.png" } << 1
                                        << "not a line of Plimb's G-code";
    QTest::newRow("unwritable picture") << QStringList{ "JOB", "-o", "missing/dir/out.png" } << 1
                                        << "cannot write";
    QTest::newRow("written") << QStringList{ "JOB", "-o", "out.png", "--width", "64" } << 0 << "";
    QTest::newRow("job that never moves") << QStringList{ "STILL", "-o", "out.png", "--width", "64" }
                                          << 0 << "note: the job does not move";
}

void TestCliPreview::exitCodes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    QTemporaryDir dir;
    const QString notGcode = dir.filePath("notes.gc");
    QVERIFY(writeFile(notGcode, "G1 X1 ; hand-written\n"));
    const QString still = dir.filePath("still.gc");
    QVERIFY(writeFile(still, "G00\nG17\nG90\nM4\nG1S0.0000\nG0X0.0000Y0.0000\nM2\n"));
    for (QString &argument : arguments) {
        if (argument == "JOB")
            argument = mJob;
        else if (argument == "NOTGCODE")
            argument = notGcode;
        else if (argument == "STILL")
            argument = still;
        else if (argument.endsWith(".png") || argument.endsWith(".gc"))
            argument = dir.filePath(argument);
    }
    const Run run = CliRun::run(QStringList{ "preview" } + arguments);
    QCOMPARE(run.exitCode, exitCode);
    const QString output = dir.filePath("out.png");
    if (exitCode == 0) {
        if (message.isEmpty())
            QVERIFY2(!run.err.contains("plimb-cli"), qPrintable(run.err));
        else
            QVERIFY2(run.err.contains(message), qPrintable(run.err));
        const QImage picture(output);
        QCOMPARE(picture.width(), 64);
        const bool blank = pixelsWhere(picture, [](QRgb p) { return p != qRgb(255, 255, 255); }).isEmpty();
        QCOMPARE(blank, !message.isEmpty());
    } else {
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(output));
    }
}

QTEST_GUILESS_MAIN(TestCliPreview)
#include "tst_clipreview.moc"
