#include "common/settingsnames.h"
#include "document/defaultparameters.h"
#include "document/svgdocument.h"
#include "document/svgfile.h"
#include "gcode/gcodefile.h"
#include "gcode/gcodegenerator.h"
#include "gcode/rendertree.h"
#include "gcode/storedfullscale.h"

#include "clirun.h"

#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

// plimb-cli gcode as a user runs it: a separate process with no display.
class TestCliGcode : public QObject
{
    Q_OBJECT

private slots:
    void matchesSaveGcode_data();
    void matchesSaveGcode();
    void rejectsBadInput_data();
    void rejectsBadInput();
    void drawingsComeInAtTheirSize_data();
    void drawingsComeInAtTheirSize();
    void foreignDrawingMatchesOpenAndSave_data();
    void foreignDrawingMatchesOpenAndSave();
    void missingImageIsNoted();
    void hatchBurnsItsAreaNotItsIsland();
};

namespace {

using Run = CliRun::Result;

Run runCli(const QStringList &arguments)
{
    return CliRun::run(QStringList{ "gcode" } + arguments);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString sample()
{
    return QStringLiteral(PLIMB_SAMPLES "/demo.svg");
}

} // namespace

void TestCliGcode::matchesSaveGcode_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<double>>("values");

    QTest::addColumn<double>("storedSpeed");

    // Without options, the operate panel's stored power and speed: 100 % and
    // 150 mm/s unless changed.
    QTest::newRow("full-scale defaults") << QStringList() << QStringList{ "paintPower", "paintSpeed" }
                                         << QList<double>{ 1000, 12000 } << 0.0;
    QTest::newRow("stored print speed") << QStringList() << QStringList{ "paintPower", "paintSpeed" }
                                        << QList<double>{ 1000, 4000 } << 50.0;
    QTest::newRow("power and speed") << QStringList{ "--power", "500", "--speed", "3000" }
                                     << QStringList{ "paintPower", "paintSpeed" }
                                     << QList<double>{ 500, 3000 } << 0.0;
}

// The bundled sample becomes the very file the program's own writer makes.
void TestCliGcode::matchesSaveGcode()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, names);
    QFETCH(QList<double>, values);
    QFETCH(double, storedSpeed);

    {
        QSettings settings(SettingsNames::organization, SettingsNames::application);
        settings.beginGroup(SettingsNames::lowerOperatePanelGroup);
        if (storedSpeed > 0)
            settings.setValue(SettingsNames::printSpeedKey, storedSpeed);
        else
            settings.remove(SettingsNames::printSpeedKey);
    }
    QTemporaryDir dir;
    const QString job = dir.filePath("demo.gc");
    const Run run = runCli(QStringList{ sample(), "-o", job } + options);
    QCOMPARE(run.exitCode, 0);

    QFile design(sample());
    QVERIFY(design.open(QIODevice::ReadOnly));
    GCodeGenerator generator;
    generator.setDefaultParameters(StoredDefaults::load().defaultParameters());
    generator.setPaintProperty(names, values);
    const QString expectedPath = dir.filePath("expected.gc");
    QVERIFY(writeGCodeFile(expectedPath, generator.generate(QString::fromUtf8(design.readAll()))));
    QCOMPARE(readAll(job), readAll(expectedPath));

    // One summary line: records, raster groups, outlines, time.
    const QRegularExpression summary(
            "^(.+): (\\d+) records, (\\d+) raster groups, (\\d+) outlines, \\d+ ms, "
            "about (\\d+ h \\d\\d min \\d\\d s|\\d+ min \\d\\d s|\\d+ s) to engrave\\n$");
    const QRegularExpressionMatch match = summary.match(run.out);
    QVERIFY2(match.hasMatch(), qPrintable(run.out));
    QCOMPARE(match.captured(1), job);
    QCOMPARE(match.captured(2).toInt(), readAll(job).count('\n'));
    QCOMPARE(match.captured(3).toInt(), 1);
    QCOMPARE(match.captured(4).toInt(), 5);
}

void TestCliGcode::rejectsBadInput_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("unreadable design") << "missing.svg" << QStringList() << 1 << "cannot read";
    QTest::newRow("not XML") << "<svg width='10'" << QStringList() << 1 << "is not a design";
    QTest::newRow("no svg element") << "<html/>" << QStringList() << 1 << "no svg element";
    QTest::newRow("no output") << "<svg/>" << QStringList{ "--no-o" } << 2 << "unknown option";
    QTest::newRow("power not a number") << "<svg/>" << QStringList{ "--power", "full" } << 2
                                        << "--power must be a number";
    QTest::newRow("negative speed") << "<svg/>" << QStringList{ "--speed", "-5" } << 2
                                    << "--speed must be a number";
    QTest::newRow("unknown unit") << "<svg/>" << QStringList{ "--unit", "furlong" } << 2 << "--unit must be";
    QTest::newRow("unit for a design") << "<svg/>" << QStringList{ "--unit", "mm" } << 2 << "--unit is for";
    QTest::newRow("unreadable drawing") << "missing.dxf" << QStringList() << 1 << "cannot read";
    // As the window says: an import with nothing to draw is an error.
    QTest::newRow("drawing with nothing to draw")
            << "dxf:0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n67\n1\n10\n0\n20\n0\n11\n1\n21\n0\n"
               "0\nENDSEC\n0\nEOF\n"
            << QStringList() << 1 << "holds no drawing";
    QTest::newRow("svg renamed .dxf") << "dxf:<svg/>" << QStringList() << 1 << "cannot read";
    // A FIFO never ends: reading it would block for ever.
    QTest::newRow("fifo named .dxf") << "fifo:dxf" << QStringList() << 1 << "not a regular file";
    QTest::newRow("plotter file of random bytes") << "plt:\x01\x02\x7f;;" << QStringList() << 1
                                                  << "holds no drawing";
    QTest::newRow("unwritable output") << "<svg/>" << QStringList{ "-o", "missing/dir/job.gc" } << 1
                                       << "cannot write";
}

void TestCliGcode::rejectsBadInput()
{
    QFETCH(QString, design);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QString designPath = dir.filePath(design);
    // "<...": a design's text; "dxf:..." and "plt:...": a drawing's.
    if (design.startsWith("fifo:")) {
        designPath = dir.filePath("pipe." + design.mid(5));
        QVERIFY(mkfifo(QFile::encodeName(designPath).constData(), 0600) == 0);
    }
    const bool drawing = design.startsWith("dxf:") || design.startsWith("plt:");
    if (design.startsWith('<') || drawing) {
        designPath = drawing ? dir.filePath("drawing." + design.left(3)) : dir.filePath("design.svg");
        QFile file(designPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(drawing ? design.mid(4).toUtf8() : design.toUtf8());
    }
    const QString job = dir.filePath("job.gc");
    QStringList arguments{ designPath };
    if (!options.contains("-o") && !options.contains("--no-o"))
        arguments << "-o" << job;
    for (const QString &option : options)
        arguments << (option.startsWith("missing/") ? dir.filePath(option) : option);

    const Run run = runCli(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFile::exists(job));
}

void TestCliGcode::drawingsComeInAtTheirSize_data()
{
    QTest::addColumn<QString>("drawing");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<double>("millimetres");

    QTest::newRow("dxf in its header's millimetres") << "line.dxf" << QStringList() << 10.0;
    QTest::newRow("dxf read as centimetres") << "line.dxf" << QStringList{ "--unit", "cm" } << 100.0;
    QTest::newRow("dxf in its header's inches") << "inches.dxf" << QStringList() << 50.8;
    QTest::newRow("plt in design units") << "square.plt" << QStringList{ "--unit", "design" } << 8.0;
    QTest::newRow("plt in its plotter units") << "square.plt" << QStringList() << 2.5;
    // Relative pairs over several lines without terminators.
    QTest::newRow("plt as plotters write it") << "relative.plt" << QStringList() << 100.0;
    // Readers once wrote debug lines for every spline.
    QTest::newRow("dxf spline") << "spline.dxf" << QStringList() << 60.0;
}

// The width of the cut, from the X words of the job's moves.
void TestCliGcode::drawingsComeInAtTheirSize()
{
    QFETCH(QString, drawing);
    QFETCH(QStringList, options);
    QFETCH(double, millimetres);

    QTemporaryDir dir;
    const QString job = dir.filePath("drawing.gc");
    const QString data = QString::fromLocal8Bit(qgetenv("PLIMB_TEST_DATA")) + "/import/" + drawing;
    const Run run = runCli(QStringList{ data, "-o", job } + options);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    // Nothing but notes on standard error: no debug text of the readers.
    for (const QString &line : run.err.split('\n', Qt::SkipEmptyParts)) {
        // Qt's own warning about the test machine's environment aside.
        if (!line.startsWith("QStandardPaths:"))
            QVERIFY2(line.startsWith("plimb-cli gcode: note:"), qPrintable(run.err));
    }
    // Each cutting move spans from the position before it to its own X.
    const QRegularExpression move("^G([01])X(-?[0-9.]+)");
    double left = 1e9, right = -1e9;
    double previous = 0;
    for (const QByteArray &line : readAll(job).split('\n')) {
        const QRegularExpressionMatch match = move.match(QString::fromLatin1(line));
        if (!match.hasMatch())
            continue;
        const double x = match.captured(2).toDouble();
        if (match.captured(1) == QLatin1String("1")) {
            left = qMin(left, qMin(previous, x));
            right = qMax(right, qMax(previous, x));
        }
        previous = x;
    }
    QVERIFY2(right >= left, qPrintable(QString::fromLatin1(readAll(job))));
    QVERIFY2(qAbs(right - left - millimetres) < 0.01, qPrintable(QString::number(right - left)));
}

void TestCliGcode::foreignDrawingMatchesOpenAndSave_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("trueSize");

    QTest::newRow("without engraving attributes") << "no-attributes.svg" << false;
    QTest::newRow("compressed") << "compressed.svgz" << false;
    QTest::newRow("true size") << "true-size-mm.svg" << true;
}

// A drawing without engraving attributes gets the stored default set, the
// same the program writes into it when it opens it, so the CLI's job is the
// program's Open + Save G-code.
void TestCliGcode::foreignDrawingMatchesOpenAndSave()
{
    QFETCH(QString, file);
    QFETCH(bool, trueSize);

    StoredDefaults stored;
    stored.scanGap = 0.05;
    stored.scanAngle = 0;
    stored.overScanSize = 1.5;
    stored.engraveXErr = 0.02;
    stored.save();

    const QString path = qEnvironmentVariable("PLIMB_TEST_DATA") + "/svg/" + file;
    QTemporaryDir dir;
    const QString job = dir.filePath("job.gc");
    QStringList arguments{ path, "-o", job };
    if (trueSize)
        arguments << "--true-size";
    const Run run = runCli(arguments);
    QCOMPARE(run.exitCode, 0);

    QString text;
    QVERIFY(SvgFile::readDesign(path, &text));
    if (trueSize) {
        // The program scales such a drawing when it adds it (the import dialog).
        QDomDocument raw;
        QVERIFY(raw.setContent(text));
        QVERIFY(RenderTree::scaleToTrueSize(raw));
        text = raw.toString(2);
        QVERIFY(run.err.contains("100 x 50 mm"));
    }
    SVGDocument opened;
    opened.setDefaultParameters(StoredDefaults::load().defaultParameters());
    opened.setSvgText(text);
    GCodeGenerator generator;
    generator.setDefaultParameters(StoredDefaults::load().defaultParameters());
    const StoredFullScale scale = StoredFullScale::load();
    generator.setPaintProperty({ "paintPower", "paintSpeed" }, { scale.paintPower, scale.paintSpeed });
    const QString expectedPath = dir.filePath("expected.gc");
    const QVector<GCodeBuffer> expected = generator.generate(opened.toSvgText());
    QVERIFY(generator.summary().rasterGroups + generator.summary().outlines > 0);
    QVERIFY(writeGCodeFile(expectedPath, expected));
    QCOMPARE(readAll(job), readAll(expectedPath));
}

// A DXF hatch (a 100 x 60 mm rectangle with a round island of radius 10)
// came out empty. Its burn, read back from the job's moves, must cover the
// rectangle less the island: burned length times the scan spacing.
void TestCliGcode::hatchBurnsItsAreaNotItsIsland()
{
    QTemporaryDir dir;
    const QString job = dir.filePath("hatch.gc");
    const QString data = QString::fromLocal8Bit(qgetenv("PLIMB_TEST_DATA")) + "/import/hatchisland.dxf";
    const Run run = runCli(QStringList{ data, "-o", job });
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    bool absolute = true;
    bool cutting = false;
    double s = 0, x = 0, y = 0;
    double burned = 0;
    QMap<double, int> steps;
    const QRegularExpression word("([GXYS])(-?[0-9.]+)");
    for (const QByteArray &line : readAll(job).split('\n')) {
        double nx = absolute ? x : 0, ny = absolute ? y : 0;
        bool moves = false;
        auto words = word.globalMatch(QString::fromLatin1(line));
        while (words.hasNext()) {
            const QRegularExpressionMatch m = words.next();
            const double value = m.captured(2).toDouble();
            switch (m.captured(1).at(0).toLatin1()) {
            case 'G':
                if (value == 90 || value == 91) {
                    absolute = value == 90;
                    nx = absolute ? x : 0;
                    ny = absolute ? y : 0;
                } else if (value == 0 || value == 1) {
                    cutting = value == 1;
                }
                break;
            case 'X': nx = value; moves = true; break;
            case 'Y': ny = value; moves = true; break;
            case 'S': s = value; break;
            }
        }
        if (!moves)
            continue;
        const QPointF to = absolute ? QPointF(nx, ny) : QPointF(x + nx, y + ny);
        if (cutting && s > 0)
            burned += QLineF(QPointF(x, y), to).length();
        else if (qAbs(to.y() - y) > 1e-9)
            ++steps[qRound(qAbs(to.y() - y) * 1e4) / 1e4];
        x = to.x();
        y = to.y();
    }
    QVERIFY(!steps.isEmpty());
    // The scan spacing: the step between rows that occurs most.
    double spacing = 0;
    int most = 0;
    for (auto it = steps.cbegin(); it != steps.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            spacing = it.key();
        }
    }
    const double expected = 100 * 60 - M_PI * 10 * 10;
    QVERIFY2(qAbs(burned * spacing - expected) < expected * 0.01,
             qPrintable(QStringLiteral("%1 mm² burned at spacing %2").arg(burned * spacing).arg(spacing)));
}

void TestCliGcode::missingImageIsNoted()
{
    QTemporaryDir dir;
    const QString designPath = dir.filePath("design.svg");
    QFile file(designPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<svg xmlns='http://www.w3.org/2000/svg' width='100' height='100'>"
               "<image width='50' height='50' href='photo.png'/></svg>");
    file.close();
    const Run run = runCli({ designPath, "-o", dir.filePath("job.gc") });
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.contains("note: image \"photo.png\" is not found"), qPrintable(run.err));
}

QTEST_MAIN(TestCliGcode)
#include "tst_cligcode.moc"
