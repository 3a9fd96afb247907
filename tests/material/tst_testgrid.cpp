#include "gcodeinterpreter.h"
#include "jobfixtures.h"

#include "gcode/gcodegenerator.h"
#include "material/testgrid.h"

#include <QDomDocument>
#include <QtTest>

#include <algorithm>
#include <cmath>

Q_DECLARE_METATYPE(TestGrid::Axes)
Q_DECLARE_METATYPE(TestGrid::Mode)
Q_DECLARE_METATYPE(TestGrid::Range)

// The grid read back from its job: what each cell burns is what it was made for.
class TestTestGrid : public QObject
{
    Q_OBJECT

private slots:
    void cellsBurnTheirOwnValues_data();
    void cellsBurnTheirOwnValues();
    void stepsAreEvenAndPassesWhole_data();
    void stepsAreEvenAndPassesWhole();
    void refusesSettingsThatMakeNoGrid_data();
    void refusesSettingsThatMakeNoGrid();

private:
    static constexpr double fullPower = 1000;
    static constexpr double fullSpeed = 1500;
};

void TestTestGrid::cellsBurnTheirOwnValues_data()
{
    QTest::addColumn<TestGrid::Axes>("axes");
    QTest::addColumn<TestGrid::Mode>("mode");
    QTest::addColumn<TestGrid::Range>("rows");
    QTest::addColumn<TestGrid::Range>("columns");
    QTest::addColumn<bool>("frame");

    QTest::newRow("power x speed, fill") << TestGrid::Axes::PowerSpeed << TestGrid::Mode::Fill
                                         << TestGrid::Range{20, 80, 2} << TestGrid::Range{30, 90, 2} << false;
    QTest::newRow("power x passes, outline, frame")
            << TestGrid::Axes::PowerPasses << TestGrid::Mode::Outline << TestGrid::Range{40, 100, 3}
            << TestGrid::Range{1, 3, 2} << true;
    QTest::newRow("speed x passes, fill") << TestGrid::Axes::SpeedPasses << TestGrid::Mode::Fill
                                          << TestGrid::Range{20, 60, 2} << TestGrid::Range{1, 2, 2} << false;
    QTest::newRow("power x interval, fill")
            << TestGrid::Axes::PowerLineInterval << TestGrid::Mode::Fill << TestGrid::Range{30, 60, 2}
            << TestGrid::Range{0.1, 0.3, 2} << false;
    QTest::newRow("speed x interval, grey picture")
            << TestGrid::Axes::SpeedLineInterval << TestGrid::Mode::GreyPicture
            << TestGrid::Range{40, 80, 2} << TestGrid::Range{0.1, 0.2, 2} << false;
}

void TestTestGrid::cellsBurnTheirOwnValues()
{
    QFETCH(TestGrid::Axes, axes);
    QFETCH(TestGrid::Mode, mode);
    QFETCH(TestGrid::Range, rows);
    QFETCH(TestGrid::Range, columns);
    QFETCH(bool, frame);

    TestGrid::Settings settings;
    settings.axes = axes;
    settings.mode = mode;
    settings.rows = rows;
    settings.columns = columns;
    settings.power = 45;
    settings.speed = 35;
    settings.passes = 2;
    settings.lineInterval = 0.2;
    settings.cellSize = 5;
    settings.gap = 2;
    settings.labelPower = 12;
    settings.labelSpeed = 90;
    settings.frame = frame;
    settings.framePower = 70;
    settings.frameSpeed = 20;
    settings.defaults.scanAngle = 0;
    QVERIFY(TestGrid::problem(settings).isEmpty());

    const QString design = TestGrid::designText(settings);
    GCodeGenerator generator;
    generator.setDefaultParameters(settings.defaults);
    GCodeInterpreter job;
    job.run(JobFixtures::linesOf(generator.generate(design)));
    QVERIFY(generator.isValidInput());

    const QList<TestGrid::Cell> cells = TestGrid::cells(settings);
    QCOMPARE(cells.size(), rows.count * columns.count);
    auto inCell = [](const QLineF &line, const QRectF &rect) {
        const QRectF area = rect.adjusted(-0.35, -0.35, 0.35, 0.35);
        return area.contains(line.p1()) && area.contains(line.p2());
    };
    for (const TestGrid::Cell &cell : cells) {
        const QString where = QStringLiteral("cell %1,%2").arg(cell.row).arg(cell.column);
        double length = 0;
        double strongest = 0;
        QList<double> rowsBurned;
        for (const GCodeInterpreter::Burn &burn : job.burnMoves) {
            if (!inCell(burn.line, cell.rect))
                continue;
            QVERIFY2(qFuzzyCompare(burn.feed, cell.speed / 100 * fullSpeed), qPrintable(where));
            if (mode == TestGrid::Mode::GreyPicture)
                QVERIFY2(burn.power <= cell.power / 100 * fullPower + 1e-6, qPrintable(where));
            else
                QVERIFY2(qFuzzyCompare(burn.power, cell.power / 100 * fullPower), qPrintable(where));
            strongest = std::max(strongest, burn.power);
            length += burn.line.length();
            const double y = std::round(burn.line.y1() * 1000) / 1000;
            if (!rowsBurned.contains(y))
                rowsBurned.append(y);
        }
        QVERIFY2(length > 0, qPrintable(where));
        // The picture's darkest band burns at the cell's full power.
        QVERIFY2(qFuzzyCompare(strongest, cell.power / 100 * fullPower), qPrintable(where));

        const double onePass = mode == TestGrid::Mode::Outline
                ? 4 * cell.rect.width()
                : cell.rect.width() * cell.rect.height() / cell.lineInterval;
        QCOMPARE(int(std::lround(length / onePass)), cell.passes);
        if (mode != TestGrid::Mode::Outline) {
            std::sort(rowsBurned.begin(), rowsBurned.end());
            QVERIFY(rowsBurned.size() > 2);
            const double spacing = (rowsBurned.last() - rowsBurned.first()) / (rowsBurned.size() - 1);
            QVERIFY2(std::fabs(spacing - cell.lineInterval) < 0.01,
                     qPrintable(QStringLiteral("%1: rows %2 mm apart").arg(where).arg(spacing)));
        }
    }

    // Everything outside the cells is a label, or the frame on the edge of the whole.
    const QRectF bounds = TestGrid::bounds(settings);
    int labelBurns = 0;
    int frameBurns = 0;
    for (const GCodeInterpreter::Burn &burn : job.burnMoves) {
        if (std::any_of(cells.begin(), cells.end(),
                        [&](const TestGrid::Cell &cell) { return inCell(burn.line, cell.rect); }))
            continue;
        if (frame && burn.power == settings.framePower / 100 * fullPower) {
            const QRectF inner = bounds.adjusted(0.2, 0.2, -0.2, -0.2);
            QVERIFY(!inner.contains(burn.line.p1()) || !inner.contains(burn.line.p2()));
            QCOMPARE(burn.feed, settings.frameSpeed / 100 * fullSpeed);
            ++frameBurns;
            continue;
        }
        QCOMPARE(burn.power, settings.labelPower / 100 * fullPower);
        QCOMPARE(burn.feed, settings.labelSpeed / 100 * fullSpeed);
        QVERIFY2(bounds.contains(burn.line.p1()),
                 qPrintable(QStringLiteral("label burn at %1,%2 outside %3,%4 %5 x %6")
                                    .arg(burn.line.x1())
                                    .arg(burn.line.y1())
                                    .arg(bounds.x())
                                    .arg(bounds.y())
                                    .arg(bounds.width())
                                    .arg(bounds.height())));
        ++labelBurns;
    }
    QVERIFY(labelBurns > 0);
    QCOMPARE(frameBurns > 0, frame);

    // Every row and column value is written, as text.
    QDomDocument document;
    QVERIFY(document.setContent(design));
    const QDomNodeList texts = document.elementsByTagName(QStringLiteral("text"));
    QCOMPARE(texts.size(), rows.count + columns.count);
    QCOMPARE(texts.at(0).toElement().text(),
             TestGrid::valueLabel(TestGrid::rowParameter(axes),
                                  TestGrid::value(rows, 0, TestGrid::rowParameter(axes))));
}

void TestTestGrid::stepsAreEvenAndPassesWhole_data()
{
    QTest::addColumn<TestGrid::Range>("range");
    QTest::addColumn<int>("parameter");
    QTest::addColumn<QList<double>>("values");

    QTest::newRow("power") << TestGrid::Range{10, 100, 4} << int(TestGrid::Parameter::Power)
                           << QList<double>{10, 40, 70, 100};
    QTest::newRow("falling speed") << TestGrid::Range{90, 10, 3} << int(TestGrid::Parameter::Speed)
                                   << QList<double>{90, 50, 10};
    QTest::newRow("thirds to a tenth") << TestGrid::Range{0, 10, 4} << int(TestGrid::Parameter::Power)
                                       << QList<double>{0, 3.3, 6.7, 10};
    QTest::newRow("passes rounded") << TestGrid::Range{1, 4, 3} << int(TestGrid::Parameter::Passes)
                                    << QList<double>{1, 3, 4};
    QTest::newRow("one value") << TestGrid::Range{25, 80, 1} << int(TestGrid::Parameter::Power)
                               << QList<double>{25};
    QTest::newRow("interval") << TestGrid::Range{0.05, 0.2, 4} << int(TestGrid::Parameter::LineInterval)
                              << QList<double>{0.05, 0.1, 0.15, 0.2};
}

void TestTestGrid::stepsAreEvenAndPassesWhole()
{
    QFETCH(TestGrid::Range, range);
    QFETCH(int, parameter);
    QFETCH(QList<double>, values);
    for (int i = 0; i < range.count; ++i)
        QCOMPARE(TestGrid::value(range, i, TestGrid::Parameter(parameter)), values.at(i));
}

void TestTestGrid::refusesSettingsThatMakeNoGrid_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("problem");

    QTest::newRow("no rows") << "rowCount" << 0.0 << "row count";
    QTest::newRow("power above 100") << "rowTo" << 120.0 << "row values";
    QTest::newRow("speed of 0 never moves") << "columnFrom" << 0.0 << "column values";
    QTest::newRow("line interval too fine") << "interval" << 0.001 << "line interval";
    QTest::newRow("no cell") << "cell" << 0.0 << "cell size";
    QTest::newRow("label power not a number") << "labelPower" << double(NAN) << "power";
}

void TestTestGrid::refusesSettingsThatMakeNoGrid()
{
    QFETCH(QString, field);
    QFETCH(double, value);
    QFETCH(QString, problem);
    TestGrid::Settings settings;
    QVERIFY(TestGrid::problem(settings).isEmpty());
    if (field == QLatin1String("rowCount"))
        settings.rows.count = int(value);
    else if (field == QLatin1String("rowTo"))
        settings.rows.to = value;
    else if (field == QLatin1String("columnFrom"))
        settings.columns.from = value;
    else if (field == QLatin1String("interval"))
        settings.lineInterval = value;
    else if (field == QLatin1String("cell"))
        settings.cellSize = value;
    else if (field == QLatin1String("labelPower"))
        settings.labelPower = value;
    QVERIFY2(TestGrid::problem(settings).contains(problem), qPrintable(TestGrid::problem(settings)));
}

QTEST_MAIN(TestTestGrid)
#include "tst_testgrid.moc"
