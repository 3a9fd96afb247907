#include "canvasfixture.h"
#include "clirun.h"

#include "canvas/materialcanvas.h"
#include "document/defaultparameters.h"
#include "document/engravingattributes.h"
#include "panels/materiallibrarypanel.h"
#include "panels/testgriddialog.h"

#include <QDomDocument>
#include <QFile>
#include <QGraphicsItem>
#include <QTemporaryDir>
#include <QtTest>

// Grids and presets on the canvas: each is one undo step, and the dialog,
// the command line and the panel agree on what they make.
class TestMaterialCanvas : public QObject
{
    Q_OBJECT

private slots:
    void gridIsOneUndoStep();
    void dialogMakesTheCommandLineGrid();
    void dialogWarnsAboutCellsTooFastOrTooHeavy_data();
    void dialogWarnsAboutCellsTooFastOrTooHeavy();
    void presetAppliesAsOneUndoStep();
    void clickedCellBecomesAStoredPreset();

private:
    static TestGrid::Settings smallGrid();
    // Tags, sorted attributes and texts in document order: the writer keeps
    // no attribute order, so two equal designs can differ as text.
    static QStringList canonical(const QString &design);
};

QStringList TestMaterialCanvas::canonical(const QString &design)
{
    QDomDocument document;
    document.setContent(design);
    QStringList lines;
    QList<QDomNode> pending{document.documentElement()};
    while (!pending.isEmpty()) {
        const QDomNode node = pending.takeFirst();
        if (node.isText()) {
            lines << QStringLiteral("text ") + node.nodeValue();
            continue;
        }
        if (!node.isElement())
            continue;
        QStringList attributes;
        const QDomNamedNodeMap map = node.attributes();
        for (int i = 0; i < map.count(); ++i)
            attributes << map.item(i).nodeName() + QLatin1Char('=') + map.item(i).nodeValue();
        attributes.sort();
        lines << node.nodeName() + QLatin1Char(' ') + attributes.join(QLatin1Char(' '));
        QList<QDomNode> children;
        for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling())
            children << child;
        pending = children + pending;
    }
    return lines;
}

TestGrid::Settings TestMaterialCanvas::smallGrid()
{
    TestGrid::Settings s;
    s.rows = {20, 60, 2};
    s.columns = {30, 90, 3};
    s.mode = TestGrid::Mode::Outline;
    return s;
}

void TestMaterialCanvas::gridIsOneUndoStep()
{
    CanvasFixture canvas(QStringLiteral("<g id='layer'/>"));
    const QString before = canvas.text();
    const int steps = canvas.view().undoStack().count();

    Node *grid = MaterialCanvas::addTestGrid(&canvas.view(), smallGrid());
    QVERIFY(grid);
    QCOMPARE(canvas.view().undoStack().count(), steps + 1);
    const QList<Node *> children = grid->cachedChildren();
    QCOMPARE(children.size(), 6 + 2 + 3);
    QGraphicsItem *cell = canvas.view().itemOf(children.first());
    QVERIFY(cell && cell->scene() == canvas.scene());
    const QString after = canvas.text();
    QCOMPARE(after.count(QStringLiteral("<rect")), 6);

    canvas.view().undo();
    QCOMPARE(canvas.text(), before);
    QVERIFY(!cell->scene());
    canvas.view().redo();
    QCOMPARE(canvas.text(), after);
    QCOMPARE(cell->scene(), canvas.scene());
}

void TestMaterialCanvas::dialogMakesTheCommandLineGrid()
{
    TestGrid::Settings s;
    s.axes = TestGrid::Axes::SpeedPasses;
    s.mode = TestGrid::Mode::Fill;
    s.rows = {15, 75, 4};
    s.columns = {1, 3, 3};
    s.power = 35.5;
    s.lineInterval = 0.12;
    s.cellSize = 4;
    s.gap = 1.5;
    s.left = 10;
    s.top = 20;
    s.labelPower = 8;
    s.labelSpeed = 95;
    s.frame = true;
    s.framePower = 90;
    s.frameSpeed = 12;
    s.framePasses = 2;
    // The command line takes the stored default set, as the program does.
    s.defaults = StoredDefaults::load().defaultParameters();

    GCodeGenerator generator;
    TestGridDialog dialog(generator, JobTimeEstimator::Machine());
    dialog.setSettings(s);
    const QString fromDialog = TestGrid::designText(dialog.settings());
    // OK keeps the grid, so the next test of the material starts from it.
    dialog.accept();
    TestGridDialog again(generator, JobTimeEstimator::Machine());
    QCOMPARE(canonical(TestGrid::designText(again.settings())), canonical(fromDialog));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.svg"));
    const CliRun::Result run = CliRun::run(
            {"test-grid", "-o", path, "--axes", "speed-passes", "--mode", "fill", "--rows", "15:75:4",
             "--columns", "1:3:3", "--power", "35.5", "--interval", "0.12", "--cell", "4", "--gap", "1.5",
             "--position", "10,20", "--label-power", "8", "--label-speed", "95", "--frame", "--frame-power",
             "90", "--frame-speed", "12", "--frame-passes", "2"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList written = canonical(QString::fromUtf8(file.readAll()));
    QVERIFY(written.size() > 30);
    QCOMPARE(written, canonical(fromDialog));

    const CliRun::Result wrong = CliRun::run({"test-grid", "-o", path, "--rows", "10:120:3"});
    QCOMPARE(wrong.exitCode, 2);
    QVERIFY2(wrong.err.contains(QStringLiteral("row values")), qPrintable(wrong.err));
}

void TestMaterialCanvas::dialogWarnsAboutCellsTooFastOrTooHeavy_data()
{
    QTest::addColumn<int>("axes");
    QTest::addColumn<double>("maxRate");
    QTest::addColumn<QString>("figure");

    // Full-scale speed 1500 mm/min: 90 % is 1350.
    QTest::newRow("nothing to warn of") << int(TestGrid::Axes::PowerSpeed) << 16000.0 << QString();
    QTest::newRow("faster than the engraver") << int(TestGrid::Axes::PowerSpeed) << 1000.0 << "1350";
    QTest::newRow("three passes at full power") << int(TestGrid::Axes::PowerPasses) << 16000.0 << "300";
}

void TestMaterialCanvas::dialogWarnsAboutCellsTooFastOrTooHeavy()
{
    QFETCH(int, axes);
    QFETCH(double, maxRate);
    QFETCH(QString, figure);
    JobTimeEstimator::Machine machine;
    machine.maxRateX = maxRate;
    GCodeGenerator generator;
    TestGridDialog dialog(generator, machine);
    TestGrid::Settings s = smallGrid();
    s.axes = TestGrid::Axes(axes);
    s.rows = {20, 100, 2};
    s.columns = TestGrid::Axes(axes) == TestGrid::Axes::PowerPasses ? TestGrid::Range{1, 3, 3}
                                                                     : TestGrid::Range{30, 90, 3};
    dialog.setSettings(s);
    if (figure.isEmpty())
        QVERIFY2(dialog.warningText().isEmpty(), qPrintable(dialog.warningText()));
    else
        QVERIFY2(dialog.warningText().contains(figure), qPrintable(dialog.warningText()));
    // The estimate of the grid's job arrives once the fields have settled.
    QTRY_VERIFY_WITH_TIMEOUT(dialog.estimateText().contains(QLatin1String(" s")), 30000);
}

void TestMaterialCanvas::presetAppliesAsOneUndoStep()
{
    CanvasFixture canvas(QStringLiteral(
            "<g><rect id='a' x='10' y='10' width='50' height='40' style='fill:none;stroke:#000000' "
            "tolvenrik:scanPower='30'/><path id='b' d='M 100 100 L 200 150' style='stroke:#000000'/>"
            "<rect id='other' x='300' y='300' width='20' height='20' style='fill:none'/></g>"));
    canvas.item(QStringLiteral("a"))->setSelected(true);
    canvas.item(QStringLiteral("b"))->setSelected(true);
    const QString before = canvas.text();
    const int steps = canvas.view().undoStack().count();

    MaterialPreset preset;
    preset.fill = true;
    preset.power = 70;
    preset.speed = 25;
    preset.passes = 3;
    preset.lineInterval = 0.05;
    preset.scanAngle = 45;
    preset.overscan = 2;
    QVERIFY(MaterialCanvas::applyPreset(&canvas.view(), preset));
    QCOMPARE(canvas.view().undoStack().count(), steps + 1);
    const QString after = canvas.text();
    for (const QString &id : {QStringLiteral("a"), QStringLiteral("b")}) {
        Node *node = canvas.node(id);
        QCOMPARE(node->element().attribute(EngravingAttributes::scanPower), QStringLiteral("70"));
        QCOMPARE(node->element().attribute(EngravingAttributes::scanAccuracy), QStringLiteral("0.05"));
        QCOMPARE(engraveMode(node->element()), EngraveMode::Fill);
        QCOMPARE(node->engraving().scanTimes, 3.0);
        QCOMPARE(MaterialPreset::fromElement(node->element(), DefaultParameters()), preset);
    }
    QCOMPARE(canvas.attribute(QStringLiteral("other"), EngravingAttributes::scanPower), QString());

    canvas.view().undo();
    QCOMPARE(canvas.text(), before);
    QCOMPARE(canvas.node(QStringLiteral("a"))->engraving().scanPower, 30.0);
    QCOMPARE(engraveMode(canvas.node(QStringLiteral("a"))->element()), EngraveMode::Outline);
    canvas.view().redo();
    QCOMPARE(canvas.text(), after);
}

void TestMaterialCanvas::clickedCellBecomesAStoredPreset()
{
    QFile::remove(MaterialLibrary::defaultPath());
    CanvasFixture canvas(QStringLiteral("<g id='layer'/>"));
    TestGrid::Settings s = smallGrid();
    s.mode = TestGrid::Mode::Fill;
    Node *grid = MaterialCanvas::addTestGrid(&canvas.view(), s);
    QVERIFY(grid);
    // Row 1, column 2: power 60, speed 90.
    canvas.view().itemOf(grid->cachedChildren().at(5))->setSelected(true);

    MaterialLibraryPanel panel(&canvas.view());
    QVERIFY(panel.library().isEmpty());
    MaterialPreset preset;
    QString cell;
    QVERIFY(panel.selectionPreset(&preset, &cell));
    QCOMPARE(cell, QStringLiteral("P60 F90"));
    QVERIFY(preset.fill);
    QCOMPARE(preset.power, 60.0);
    QCOMPARE(preset.speed, 90.0);
    QCOMPARE(preset.lineInterval, s.lineInterval);
    preset.material = QStringLiteral("Cork");
    preset.name = cell;
    QVERIFY(panel.addPreset(preset));
    QCOMPARE(panel.currentIndex(), 0);

    // The next session finds it in the user data folder.
    MaterialLibraryPanel next(&canvas.view());
    QCOMPARE(next.library().presets(), QList<MaterialPreset>{preset});
}

QTEST_MAIN(TestMaterialCanvas)
#include "tst_materialcanvas.moc"
