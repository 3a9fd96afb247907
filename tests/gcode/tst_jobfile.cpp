#include "gcode/gcodegenerator.h"
#include "gcode/jobfile.h"
#include "jobfixtures.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QStandardPaths>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

class TestJobFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recordsReadBackExactly();
    void indexAccessAcrossBlocks();
    void truncateAndRepeat();
    void streamedJobEqualsMemoryJob_data();
    void streamedJobEqualsMemoryJob();
    void fileLivesInCacheAndGoes();
    void fullDiskIsReported();
};

namespace {

using JobFixtures::record;

// Every kind of word a job holds, and values that the compact form must not
// round: absent markers of both modes, wide codes, odd fractions.
QVector<GCodeBuffer> variety()
{
    return {
        GCodeBuffer::g00(),
        GCodeBuffer::g(17),
        record(GCodeBuffer::emptyLine, -1, -1, -1, -1, -1, true),
        record(90, 0, 0, -1, -1, -1, false),
        record(91, 0, 0, -1, -1, -1, true),
        record(0, 12.5, 3, -1, -1, -1, true),
        record(1, 0.1 + 0.2, 0, 1000, 1500, -1, false),
        record(1, -1e-17, 1e300, 0, -1, -1, false),
        record(1, -1, -1, 999.999, 0.5, -1, true),
        record(-1, -1, -1, -1, -1, 107, true),
        record(1000.5, 1, 2, 3, 4, 300, true),
        record(-1, 5, -1, -1, -1, -1, true),
    };
}

QString design(const QString &body)
{
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                          "xmlns:tolvenrik='urn:tolvenrik' width='800' height='600'><g>%1</g></svg>")
            .arg(body);
}

QString parameters(const QString &angle, const QString &passes = QStringLiteral("1"))
{
    return QStringLiteral("tolvenrik:scanAngle='%1' tolvenrik:scanTimes='%2' tolvenrik:scanAccuracy='0.1' "
                          "tolvenrik:scanBuffer='1.5' tolvenrik:scanError='0.05'")
            .arg(angle, passes);
}

QString greyPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i)
            image.scanLine(j)[i] = uchar((i * 37 + j * 11) % 256);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(bytes.toBase64());
}

} // namespace

void TestJobFile::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestJobFile::recordsReadBackExactly()
{
    JobFile file;
    QVERIFY(file.open());
    const QVector<GCodeBuffer> records = variety();
    for (const GCodeBuffer &r : records)
        file.append(r);
    QCOMPARE(file.size(), qint64(records.size()));
    const QVector<GCodeBuffer> back = file.toVector();
    QCOMPARE(back.size(), records.size());
    for (int i = 0; i < records.size(); ++i) {
        QCOMPARE(back.at(i).toString(), records.at(i).toString());
        QVERIFY2(back.at(i) == records.at(i), qPrintable(records.at(i).toString()));
        QCOMPARE(back.at(i).absolute, records.at(i).absolute);
    }
    // Far smaller than the records in memory.
    QVERIFY(file.bytes() < qint64(records.size() * sizeof(GCodeBuffer)) / 2);
}

void TestJobFile::indexAccessAcrossBlocks()
{
    JobFile file;
    QVERIFY(file.open());
    const int count = 3000;  // three index blocks and a part
    for (int i = 0; i < count; ++i)
        file.append(record(1, i * 0.25, -i, i % 7 ? 500 : -1, -1, -1, false));
    for (const int index : { 0, 1, 1023, 1024, 1025, 2047, 2048, 2999 })
        QCOMPARE(file.at(index).X, index * 0.25);
    JobFile::Reader reader = file.reader(1500);
    GCodeBuffer r;
    int read = 0;
    while (reader.next(r)) {
        QCOMPARE(r.Y, -double(1500 + read));
        ++read;
    }
    QCOMPARE(read, count - 1500);
    QVERIFY(!file.reader(count).next(r));
}

void TestJobFile::truncateAndRepeat()
{
    JobFile file;
    QVERIFY(file.open());
    for (int i = 0; i < 2500; ++i)
        file.append(record(1, i, 0, -1, -1, -1, false));
    file.truncate(1100);
    QCOMPARE(file.size(), qint64(1100));
    file.append(record(0, -7, -7, -1, -1, -1, true));
    file.repeat(1000, 101);  // ten plain records and the one just added, again
    QCOMPARE(file.size(), qint64(1202));
    const QVector<GCodeBuffer> back = file.toVector();
    QCOMPARE(back.at(1099).X, 1099.0);
    QCOMPARE(back.at(1100).X, -7.0);
    QCOMPARE(back.at(1101).X, 1000.0);
    QCOMPARE(back.at(1201).X, -7.0);
    QCOMPARE(file.at(1150).X, 1049.0);
}

void TestJobFile::streamedJobEqualsMemoryJob_data()
{
    QTest::addColumn<QString>("body");
    QTest::newRow("empty design") << QString();
    QTest::newRow("outlines only")
            << "<rect x='10' y='10' width='100' height='50' style='fill:none'/><circle cx='300' cy='200' r='40' style='fill:none'/>";
    QTest::newRow("raster turned, passes 2.5")
            << "<rect x='100' y='80' width='120' height='60' style='fill:#000' " + parameters("180", "2.5") + "/>";
    QTest::newRow("two groups and outlines")
            << "<rect x='100' y='80' width='120' height='60' style='fill:#000' " + parameters("30") + "/>"
               "<circle cx='500' cy='300' r='50' style='fill:#444' " + parameters("0", "2") + "/>"
               "<rect x='10' y='10' width='100' height='50' style='fill:none'/>";
    QTest::newRow("group without passes first")
            << "<rect x='100' y='80' width='120' height='60' style='fill:#000' " + parameters("0", "0") + "/>"
               "<rect x='300' y='80' width='20' height='60' style='fill:#000' " + parameters("90") + "/>"
               "<rect x='10' y='10' width='100' height='50' style='fill:none'/>";
    QTest::newRow("grey picture")
            << QStringLiteral("<image x='50' y='40' width='300' height='200' tolvenrik:image='gray' xlink:href='%1' %2/>")
                       .arg(greyPicture(60, 40), parameters("180"));
}

// The job made into a file is record for record the job made in memory.
void TestJobFile::streamedJobEqualsMemoryJob()
{
    QFETCH(QString, body);
    GCodeGenerator generator;
    const QVector<GCodeBuffer> memory = generator.generate(design(body));
    const GCodeGenerator::Summary inMemory = generator.summary();
    JobFile file;
    QVERIFY(file.open());
    QVERIFY(generator.generate(design(body), file));
    QVERIFY(generator.job().isEmpty());
    QVERIFY(!file.failed());
    const QVector<GCodeBuffer> streamed = file.toVector();
    QCOMPARE(streamed.size(), memory.size());
    for (int i = 0; i < memory.size(); ++i)
        QCOMPARE(streamed.at(i).toString(), memory.at(i).toString());
    QCOMPARE(generator.summary().records, inMemory.records);
    QCOMPARE(generator.summary().rasterGroups, inMemory.rasterGroups);
}

void TestJobFile::fileLivesInCacheAndGoes()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QString name;
    {
        JobFile file;
        QVERIFY(file.open());
        name = file.fileName();
        QVERIFY2(name.startsWith(cache + "/"), qPrintable(name));
        QVERIFY(QFileInfo::exists(name));
    }
    QVERIFY(!QFileInfo::exists(name));
}

// A disk that takes no more bytes fails the job; it is never a shorter job.
void TestJobFile::fullDiskIsReported()
{
    const QString body = "<rect x='0' y='0' width='800' height='600' style='fill:#000' " + parameters("0", "3") + "/>";
    GCodeGenerator generator;
    JobFile file;
    QVERIFY(file.open());

    struct rlimit old;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 8192;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    generator.generate(design(body), file);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(file.failed());
    QVERIFY2(file.errorString().contains("cannot write the job file"), qPrintable(file.errorString()));
    QVERIFY(!generator.jobError().isEmpty());
    QCOMPARE(generator.summary().rasterGroups, 0);
}

QTEST_GUILESS_MAIN(TestJobFile)
#include "tst_jobfile.moc"
