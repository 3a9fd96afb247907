#include "common/settingsnames.h"
#include "document/defaultparameters.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

#include <sys/stat.h>
#include <zlib.h>

// Bad and hostile input through plimb-cli as a user runs it. Every run is
// bounded by the harness: a time-out and an address-space limit, so a hang
// or a runaway allocation fails the row instead of the machine.
class TestCliHostile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void hostileInputEndsCleanly_data();
    void hostileInputEndsCleanly();
    void corruptStoredSettingsGiveASoundJob();
    void saveNeverReplacesADevice();
    void fullDiskKeepsTheOldFileAndNamesTheCause();

private:
    QString path(const QString &name) const { return mDir.filePath(name); }
    void write(const QString &name, const QByteArray &bytes);

    QTemporaryDir mDir;
};

namespace {

constexpr int timeLimitMs = 60000;
// Address space in KiB: what Qt, OpenCV and a fair design need, far below the
// gigabytes the faults ran into.
constexpr int memoryLimitKiB = 3 * 1024 * 1024;

struct Run
{
    int exitCode = -1; // stays -1 when the program hung, crashed or ran out
    QString err;
    qint64 ms = 0;
};

// `shellPrefix` runs before the program in the same shell (more limits).
Run runBounded(const QStringList &arguments, const QString &shellPrefix = QString())
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
#ifdef PLIMB_ADDRESS_SANITIZER
    // The sanitizer maps terabytes of shadow memory, so an address-space
    // limit stops it at start; it bounds the resident size itself instead.
    const QString options = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       options + (options.isEmpty() ? "" : ":")
                               + QStringLiteral("hard_rss_limit_mb=%1").arg(memoryLimitKiB / 1024));
    process.setProcessEnvironment(environment);
    const QString script = QStringLiteral("%1 exec \"$0\" \"$@\"").arg(shellPrefix);
#else
    const QString script = QStringLiteral("ulimit -v %1; %2 exec \"$0\" \"$@\"").arg(memoryLimitKiB).arg(shellPrefix);
#endif
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral("/bin/sh"), QStringList{ "-c", script, QStringLiteral(PLIMB_CLI) } + arguments);
    Run run;
    if (!process.waitForFinished(timeLimitMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.ms = clock.elapsed();
    run.err = QString::fromUtf8(process.readAllStandardError());
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    return run;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray svgHead = "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                           "xmlns:tolvenrik=\"urn:plimb\" width=\"5000\" height=\"5000\">";

QByteArray outlineRect(const QByteArray &attributes = QByteArray())
{
    return "<rect x=\"100\" y=\"100\" width=\"200\" height=\"100\" style=\"fill:none\" " + attributes + "/>";
}

QByteArray design(const QByteArray &body)
{
    return svgHead + body + "</svg>";
}

// Gzip of `size` spaces, deflated piecewise so the test never holds them.
QByteArray gzipOfSpaces(qint64 size)
{
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, 16 + MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    const QByteArray chunk(1 << 20, ' ');
    QByteArray out;
    char buffer[1 << 16];
    for (qint64 done = 0; done < size; done += chunk.size()) {
        const bool last = done + chunk.size() >= size;
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(chunk.constData()));
        stream.avail_in = uInt(chunk.size());
        do {
            stream.next_out = reinterpret_cast<Bytef *>(buffer);
            stream.avail_out = sizeof buffer;
            deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
            out.append(buffer, int(sizeof buffer - stream.avail_out));
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    return out;
}

// A PNG that is only a header declaring width x height: a few bytes that
// would decode to gigabytes.
QByteArray pngHeader(quint32 width, quint32 height)
{
    QByteArray ihdr("IHDR");
    for (quint32 v : { width, height })
        for (int shift = 24; shift >= 0; shift -= 8)
            ihdr.append(char((v >> shift) & 0xff));
    ihdr.append("\x08\x00\x00\x00\x00", 5); // 8-bit grey, no interlace
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    const auto chunk = [&png](const QByteArray &typeAndData) {
        const int length = typeAndData.size() - 4;
        for (int shift = 24; shift >= 0; shift -= 8)
            png.append(char((length >> shift) & 0xff));
        png.append(typeAndData);
        const quint32 crc = quint32(
                crc32(0, reinterpret_cast<const Bytef *>(typeAndData.constData()), uInt(typeAndData.size())));
        for (int shift = 24; shift >= 0; shift -= 8)
            png.append(char((crc >> shift) & 0xff));
    };
    chunk(ihdr);
    // The reader takes the size once it meets the image data.
    chunk(QByteArray("IDAT\x78\x9c\x03\x00\x00\x00\x00\x01", 12));
    chunk("IEND");
    return png;
}

// Each level shows the one below twice: 2^levels copies of a path of `points` points.
QByteArray useBomb(int levels, int points)
{
    QByteArray d = "M0,0";
    for (int i = 1; i < points; ++i)
        d += " L" + QByteArray::number(i % 50) + "," + QByteArray::number(i % 7);
    // Neither cut nor filled: what is measured is the expansion, not the
    // ordering of thousands of outlines on one spot.
    QByteArray body = "<defs><path id=\"l0\" d=\"" + d + "\"/>";
    for (int i = 1; i <= levels; ++i)
        body += "<g id=\"l" + QByteArray::number(i) + "\"><use xlink:href=\"#l" + QByteArray::number(i - 1)
                + "\"/><use xlink:href=\"#l" + QByteArray::number(i - 1) + "\" x=\"1\"/></g>";
    body += "</defs><use xlink:href=\"#l" + QByteArray::number(levels) + "\"/>";
    return design(body + outlineRect());
}

QByteArray nested(int depth)
{
    QByteArray open;
    QByteArray close;
    for (int i = 0; i < depth; ++i) {
        open += "<g>";
        close += "</g>";
    }
    return design(outlineRect() + open + outlineRect() + close);
}

} // namespace

void TestCliHostile::initTestCase()
{
    QVERIFY(mDir.isValid());
}

void TestCliHostile::init()
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.clear();
}

void TestCliHostile::write(const QString &name, const QByteArray &bytes)
{
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TestCliHostile::hostileInputEndsCleanly_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    // Expected on standard error (a regular expression).
    QTest::addColumn<QString>("message");

    const auto gcode = [this](const QString &input) {
        return QStringList{ "gcode", path(input), "-o", path(input + ".gc") };
    };
    const auto addDesign = [&](const char *row, const QString &name, const QByteArray &bytes, int code,
                               const QString &message, const QStringList &extra = QStringList()) {
        write(name, bytes);
        QTest::newRow(row) << gcode(name) + extra << code << message;
    };

    // Refused designs: nothing sensible can be made of them.
    addDesign("30 000 levels deep", "deep.svg", nested(30000), 1, "nested more than 20000 levels");
    addDesign("svgz unpacking to 300 MB", "bomb.svgz", gzipOfSpaces(300 << 20), 1,
              "unpacks to more than 256 MB");
    addDesign("text of 30 000 characters", "longtext.svg",
              design("<text x=\"10\" y=\"50\" style=\"fill:none\">" + QByteArray(30000, 'W') + "</text>"), 1,
              "more than 20000 characters");
    {
        // 4 000 characters referenced 2 000 times: 8 M characters from 10 KB.
        QByteArray body;
        for (int i = 0; i < 2000; ++i)
            body += "&a;";
        const QByteArray text = "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY a \"" + QByteArray(4000, 'x')
                + "\">]>" + design("<desc>" + body + "</desc>" + outlineRect());
        addDesign("quadratic entity expansion", "entities.svg", text, 1, "entities expand to more than");
    }
    QFile::remove(path("design-fifo.svg"));
    QVERIFY(mkfifo(QFile::encodeName(path("design-fifo.svg")).constData(), 0600) == 0);
    QTest::newRow("design is a pipe") << gcode("design-fifo.svg") << 1 << "not a regular file";

    // Designs that give a job, with what was left out or clamped noted.
    addDesign("300 levels deep", "deep300.svg", nested(300), 0, "note: elements nested deeper than 256");
    QFile::remove(path("picture-fifo"));
    QVERIFY(mkfifo(QFile::encodeName(path("picture-fifo")).constData(), 0600) == 0);
    addDesign("picture is a pipe", "fifohref.svg",
              design("<image x=\"0\" y=\"0\" width=\"100\" height=\"100\" xlink:href=\"picture-fifo\"/>"
                     + outlineRect()),
              0, "note: image \"picture-fifo\" is not engraved: not a regular file");
    addDesign("picture of 20 000 x 20 000 pixels", "bigpicture.svg",
              design("<image x=\"0\" y=\"0\" width=\"100\" height=\"100\" xlink:href=\"data:image/png;base64,"
                     + pngHeader(20000, 20000).toBase64() + "\"/>" + outlineRect()),
              0, "note: image \"data:\" is not engraved: a picture of 20000 x 20000 pixels");
    addDesign("use doubling 20 levels", "usebomb.svg", useBomb(20, 4), 0,
              "note: \"use\" instances beyond 500000 copied elements are left out");
    addDesign("use of long paths doubling 12 levels", "usesegments.svg", useBomb(12, 3000), 0,
              "note: \"use\" instances beyond 5000000 copied path segments are left out");
    addDesign("power 1e308", "power.svg", design(outlineRect("tolvenrik:scanPower=\"1e308\"")), 0,
              "note: tolvenrik:scanPower 1e\\+308 is out of range \\(0 to 100\\); 100 is used");
    addDesign("power 2^32", "power32.svg", design(outlineRect("tolvenrik:scanPower=\"4294967296\"")), 0,
              "note: tolvenrik:scanPower 4.29497e\\+09 is out of range");
    addDesign("speed -5", "speed.svg", design(outlineRect("tolvenrik:scanSpeed=\"-5\"")), 0,
              "note: tolvenrik:scanSpeed -5 is out of range \\(1 to 100\\); 1 is used");
    addDesign("speed 0", "speed0.svg", design(outlineRect("tolvenrik:scanSpeed=\"0\"")), 0,
              "note: tolvenrik:scanSpeed 0 is out of range");
    addDesign("backlash 1e308", "backlash.svg",
              design(outlineRect("tolvenrik:XMotorMovementError=\"1e308\"")), 0,
              "note: tolvenrik:XMotorMovementError 1e\\+308 is out of range \\(-100 to 100\\)");
    addDesign("overscan 1e308 on a fill", "overscan.svg",
              design("<rect x=\"100\" y=\"100\" width=\"50\" height=\"50\" style=\"fill:#000000\" "
                     "tolvenrik:scanBuffer=\"1e308\" tolvenrik:scanAccuracy=\"0.1\"/>"),
              0, "note: tolvenrik:scanBuffer 1e\\+308 is out of range \\(0 to 100\\)");
    addDesign("passes 1e9", "passes.svg", design(outlineRect("tolvenrik:scanTimes=\"1e9\"")), 0,
              "note: tolvenrik:scanTimes 1e\\+09 is out of range \\(at most 100\\)");
    addDesign("full-scale power 1e308", "cliPower.svg", design(outlineRect()), 0,
              "note: paintPower 1e\\+308 is out of range", { "--power", "1e308" });
    {
        QByteArray d = "M2500,1000 L";
        for (int i = 1; i < 300000; ++i) {
            const double a = 6.283185307 * i / 300000;
            d += QByteArray::number(2500 + 1500 * std::sin(a), 'f', 1) + ","
                    + QByteArray::number(2500 - 1500 * std::cos(a), 'f', 1) + " ";
        }
        // Filled whole, in bounded memory; nothing to note.
        addDesign("filled path of 300 000 segments", "longpath.svg",
                  design("<path style=\"fill:#000000\" tolvenrik:scanAccuracy=\"1\" d=\"" + d + "Z\"/>"), 0,
                  "^(?![\\s\\S]*filled only in part)");
    }
    addDesign("outline beyond the machine", "far.svg",
              design("<rect x=\"1e30\" y=\"0\" width=\"10\" height=\"10\" style=\"fill:none\"/>" + outlineRect()),
              0, "note: an outline beyond 10000 mm from the origin is left out");

    // Job files: streamed, with bounded lines; binary refused.
    write("binary.gc", QByteArray("G00\nG17\n") + QByteArray("\x7f" "ELF\x02\x01\x01\0\0\0", 10) + "\n");
    QTest::newRow("estimate binary") << QStringList{ "estimate", path("binary.gc") } << 1 << "binary data";
    QTest::newRow("preview binary") << QStringList{ "preview", path("binary.gc"), "-o", path("b.png") } << 1
                                    << "binary data";
    write("longline.gc", "G00\n" + QByteArray(100000, '1') + "\n");
    QTest::newRow("preview long line") << QStringList{ "preview", path("longline.gc"), "-o", path("l.png") }
                                       << 1 << "longer than 4096 bytes";
    QTest::newRow("send long line") << QStringList{ "send", path("longline.gc"), "--port", "/dev/null" } << 6
                                    << "longer than 4096 bytes";
    {
        // 3 GiB, sparse: over the 2 GiB a byte array can hold, and nothing on disk.
        QFile sparse(path("huge.gc"));
        QVERIFY(sparse.open(QIODevice::WriteOnly));
        sparse.write("G00\nG17\n");
        QVERIFY(sparse.resize(qint64(3) << 30));
    }
    QTest::newRow("estimate 3 GiB") << QStringList{ "estimate", path("huge.gc") } << 1 << "huge.gc:3: binary data";
}

void TestCliHostile::hostileInputEndsCleanly()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    const Run run = runBounded(arguments);
    QVERIFY2(run.exitCode >= 0, "hung, crashed or ran out of memory");
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
    QVERIFY2(run.err.contains(QRegularExpression(message)), qPrintable(run.err));
    if (arguments.first() != QLatin1String("gcode"))
        return;
    const QString job = arguments.at(3);
    if (exitCode != 0) {
        QVERIFY(!QFileInfo::exists(job));
        return;
    }
    // Whatever gcode writes, the job readers take: every number finite and sound.
    const QByteArray text = readAll(job);
    QVERIFY(!text.contains("inf") && !text.contains("nan"));
    QVERIFY(!text.contains("F0.0000") && !text.contains("F-"));
    const Run preview = runBounded({ "preview", job, "-o", job + ".png" });
    QVERIFY2(preview.exitCode == 0, qPrintable(preview.err));
}

// The operate panel's and property panel's stored values come from a file
// anyone can edit.
void TestCliHostile::corruptStoredSettingsGiveASoundJob()
{
    {
        QSettings settings(SettingsNames::organization, SettingsNames::application);
        settings.setValue(SettingsNames::lowerOperatePanelGroup + "/" + SettingsNames::printPowerKey, 1e308);
        settings.setValue(SettingsNames::lowerOperatePanelGroup + "/" + SettingsNames::printSpeedKey, 0);
        settings.setValue(SettingsNames::itemPropertyGroup + "/" + ItemPropertyKeys::overScanSize, 1e308);
        settings.setValue(SettingsNames::itemPropertyGroup + "/" + ItemPropertyKeys::scanGap, -5);
    }
    write("settings.svg", design("<rect x=\"100\" y=\"100\" width=\"50\" height=\"50\" style=\"fill:#000000\"/>"
                                 + outlineRect()));
    const Run run = runBounded({ "gcode", path("settings.svg"), "-o", path("settings.gc") });
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    for (const QString &clamped : { SettingsNames::printPowerKey, SettingsNames::printSpeedKey,
                                    QStringLiteral("scanBuffer"), QStringLiteral("scanAccuracy") })
        QVERIFY2(run.err.contains("note: stored " + clamped) || run.err.contains("tolvenrik:" + clamped),
                 qPrintable(run.err));
    const QByteArray job = readAll(path("settings.gc"));
    // Full power at most S1000 (100 %), feed at least 1 mm/s.
    const QRegularExpression word(QStringLiteral("([SF])(-?[0-9.]+)"));
    auto it = word.globalMatch(QString::fromLatin1(job));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const double value = m.captured(2).toDouble();
        if (m.captured(1) == QLatin1String("S"))
            QVERIFY2(value >= 0 && value <= 1000, qPrintable(m.captured(0)));
        else
            QVERIFY2(value >= 60, qPrintable(m.captured(0)));
    }
}

void TestCliHostile::saveNeverReplacesADevice()
{
    write("save.svg", design(outlineRect()));
    QVERIFY(QDir(mDir.path()).mkdir("saves"));
    const QString pipe = path("saves/out-fifo.gc");
    QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    // Only a pipe of the test's own: a failing run must not replace a
    // device the machine shares.
    for (const QString &output : { pipe }) {
        const Run run = runBounded({ "gcode", path("save.svg"), "-o", output });
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("not a regular file"), qPrintable(run.err));
        struct stat info {};
        QCOMPARE(stat(QFile::encodeName(output).constData(), &info), 0);
        QVERIFY(!S_ISREG(info.st_mode));
    }
    // No temporary file left beside it either.
    QCOMPARE(QDir(path("saves")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{ "out-fifo.gc" });
}

// A file size limit makes the disk "full" for the program without root:
// the write fails with EFBIG as it would with ENOSPC.
void TestCliHostile::fullDiskKeepsTheOldFileAndNamesTheCause()
{
    QByteArray body;
    for (int i = 0; i < 400; ++i)
        body += "<rect x=\"" + QByteArray::number(i * 10) + "\" y=\"10\" width=\"5\" height=\"4000\" style=\"fill:none\"/>";
    write("big.svg", design(body));
    write("kept.gc", "G00\n");
    const Run run = runBounded({ "gcode", path("big.svg"), "-o", path("kept.gc") },
                               QStringLiteral("ulimit -f 8; trap '' XFSZ;"));
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("cannot write") && run.err.contains("File too large"), qPrintable(run.err));
    QCOMPARE(readAll(path("kept.gc")), QByteArray("G00\n"));
    QCOMPARE(QDir(mDir.path()).entryList({ "kept.gc*" }, QDir::Files | QDir::Hidden).size(), 1);
}

QTEST_GUILESS_MAIN(TestCliHostile)
#include "tst_clihostile.moc"
