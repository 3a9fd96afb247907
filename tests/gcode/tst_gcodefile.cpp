#include "gcode/gcodefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestGCodeFile : public QObject
{
    Q_OBJECT

private slots:
    void writesEveryLine_data();
    void writesEveryLine();
    void replacesLongerFile();
    void failureLeavesNoFile();
};

namespace {

QVector<GCodeBuffer> job(int records)
{
    QVector<GCodeBuffer> out;
    for (int i = 0; i < records; ++i) {
        GCodeBuffer record = GCodeBuffer::g(1);
        record.X = i * 0.125;
        record.S = i % 7 == 0 ? 1000 : GCodeBuffer::absent;
        out << record;
    }
    return out;
}

QByteArray text(const QVector<GCodeBuffer> &records)
{
    QByteArray out;
    for (const GCodeBuffer &record : records)
        out += record.toString().toLatin1();
    return out;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

void TestGCodeFile::writesEveryLine_data()
{
    QTest::addColumn<int>("records");
    QTest::newRow("empty job") << 0;
    QTest::newRow("one line") << 1;
    // Several blocks of the streamed writer, the last one partial.
    QTest::newRow("many blocks") << 50001;
}

void TestGCodeFile::writesEveryLine()
{
    QFETCH(int, records);
    QTemporaryDir dir;
    const QString path = dir.filePath("job.gc");
    const QVector<GCodeBuffer> written = job(records);
    QString error;
    QVERIFY(writeGCodeFile(path, written, &error));
    QVERIFY(error.isEmpty());
    QCOMPARE(readAll(path), text(written));
}

void TestGCodeFile::replacesLongerFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("job.gc");
    QVERIFY(writeGCodeFile(path, job(1000)));
    QVERIFY(writeGCodeFile(path, job(3)));
    QCOMPARE(readAll(path), text(job(3)));
}

void TestGCodeFile::failureLeavesNoFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/job.gc");
    QString error;
    QVERIFY(!writeGCodeFile(path, job(10), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(path));
    // A directory in the way is not replaced.
    QVERIFY(!writeGCodeFile(dir.path(), job(10), &error));
    QVERIFY(QFileInfo(dir.path()).isDir());
}

QTEST_MAIN(TestGCodeFile)
#include "tst_gcodefile.moc"
