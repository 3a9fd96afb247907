// The only test of this program that starts a process: the peak resident size
// of its children is then that of the one plimb-cli run.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

class TestCliJobMemory : public QObject
{
    Q_OBJECT

private slots:
    void largePictureInBoundedMemory();
};

namespace {

// A 3000 x 3000 pixel grey picture whose tone changes every few pixels, as a
// photograph's does: engraved in grey levels at 0.05 mm it makes millions of
// lines, which in memory took over a gigabyte.
QString pictureDesign()
{
    const int side = 3000;
    QImage image(side, side, QImage::Format_Grayscale8);
    for (int j = 0; j < side; ++j) {
        uchar *row = image.scanLine(j);
        for (int i = 0; i < side; ++i)
            row[i] = uchar((i * 3 / 7 + j * 5 / 9 + ((i ^ j) & 15)) & 255);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                          "xmlns:tolvenrik='urn:tolvenrik' width='2000' height='2000'><g>"
                          "<image x='0' y='0' width='1875' height='1875' tolvenrik:image='gray' "
                          "tolvenrik:scanAccuracy='0.05' tolvenrik:scanAngle='180' tolvenrik:scanTimes='1' "
                          "xlink:href='data:image/png;base64,%1'/></g></svg>")
            .arg(QString::fromLatin1(png.toBase64()));
}

} // namespace

void TestCliJobMemory::largePictureInBoundedMemory()
{
#ifdef PLIMB_ADDRESS_SANITIZER
    // The sanitizer's shadow memory and quarantine swell the resident size
    // several times over; the figure means something only in a plain build.
    QSKIP("peak memory is not measured under the address sanitizer");
#endif
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString design = dir.filePath(QStringLiteral("photo.svg"));
    const QString job = dir.filePath(QStringLiteral("photo.gc"));
    QFile file(design);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(pictureDesign().toUtf8());
    file.close();

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(QString::fromLatin1(name));
    // Settings, documents and the job file stay in the test's folder.
    environment.insert(QStringLiteral("HOME"), dir.path());
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), dir.filePath(QStringLiteral("cache")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PLIMB_CLI), { QStringLiteral("gcode"), design, QStringLiteral("-o"), job });
    QVERIFY(process.waitForFinished(300000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());

    struct rusage usage;
    QCOMPARE(getrusage(RUSAGE_CHILDREN, &usage), 0);
    const double peakMegabytes = usage.ru_maxrss / 1024.0;
    qInfo("plimb-cli gcode peak %.0f MB", peakMegabytes);

    // Every line of the picture is in the job...
    QFile written(job);
    QVERIFY(written.open(QIODevice::ReadOnly));
    qint64 lines = 0;
    QByteArray block;
    while (!(block = written.read(1 << 20)).isEmpty())
        lines += block.count('\n');
    QVERIFY2(lines > 5000000, qPrintable(QString::number(lines)));
    // ...and the job never was in memory: 56 bytes a line would be 280 MB.
    QVERIFY2(peakMegabytes < 200, qPrintable(QString::number(peakMegabytes)));
    // The job file in the cache is gone.
    QCOMPARE(QDir(dir.filePath(QStringLiteral("cache/plimb-cli/jobs"))).entryList(QDir::Files), QStringList());
}

QTEST_GUILESS_MAIN(TestCliJobMemory)
#include "tst_clijobmemory.moc"
