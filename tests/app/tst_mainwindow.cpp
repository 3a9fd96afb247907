#include "app/mainwindow.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "gcode/gcodegenerator.h"
#include "document/node.h"
#include "document/svgdocument.h"

#include <QGraphicsView>
#include <QTemporaryDir>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void opensAtItsSizeWithTheDesignArea();
    void showsTheTemplateAtTheDefaultWorkArea();
    void developmentBuildShowsTheNamedDesign();
    void generatesTheJobOfTheLiveDesign();
};

void TestMainWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestMainWindow::opensAtItsSizeWithTheDesignArea()
{
    MainWindow window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(1250, 800));
    auto *view = qobject_cast<QGraphicsView *>(window.centralWidget());
    QVERIFY(view);
    QCOMPARE(view->objectName(), QStringLiteral("designView"));
    QVERIFY(view->scene());
}

void TestMainWindow::showsTheTemplateAtTheDefaultWorkArea()
{
    MainWindow window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *view = qobject_cast<QGraphicsView *>(window.centralWidget());
    QCOMPARE(view->scene(), window.svgView()->scene());
    // 150 mm at 12.5 units per millimetre.
    QCOMPARE(view->scene()->sceneRect(), QRectF(0, 0, 1875, 1875));
    const QDomElement root = window.svgView()->document()->domDocument().documentElement();
    QCOMPARE(root.attribute("width"), QStringLiteral("1875.000"));
    QVERIFY(window.svgView()->currentLayer());
    // Fitted once shown: the work area and its margin fill the view.
    QTRY_VERIFY(view->transform().m11() < 1.0);
    const QRect area = view->mapFromScene(view->scene()->sceneRect()).boundingRect();
    QVERIFY(view->viewport()->rect().contains(area));
}

void TestMainWindow::developmentBuildShowsTheNamedDesign()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("design.svg");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<svg xmlns='http://www.w3.org/2000/svg'><g id='layer'><rect id='r' width='10' "
               "height='10'/></g></svg>");
    file.close();
    qputenv("PLIMB_OPEN_DESIGN", path.toUtf8());
    MainWindow window;
    qunsetenv("PLIMB_OPEN_DESIGN");
    QCOMPARE(window.svgView()->filePath(), path);
    QCOMPARE(window.svgView()->currentLayer()->element().attribute("id"), QStringLiteral("layer"));
    QCOMPARE(window.svgView()->document()->domDocument().documentElement().attribute("height"),
             QStringLiteral("1875.000"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

// The view's job must be what the generator makes of the saved text, with the
// canvas's default set and the panel's full-scale values, and must leave the
// design as it was.
void TestMainWindow::generatesTheJobOfTheLiveDesign()
{
    MainWindow window;
    SVGView *view = window.svgView();
    QVERIFY(view->addNode(QStringLiteral("rect"), {"x", "y", "width", "height", "style"},
                          {"10", "10", "125", "125", "fill:none;stroke:#000000"}));
    QVERIFY(view->addNode(QStringLiteral("rect"), {"x", "y", "width", "height", "style"},
                          {"200", "10", "50", "50", "fill:#000000"}));
    DefaultParameters defaults = view->scene()->defaultParameters();
    defaults.scanAngle = 90;
    view->scene()->setDefaultParameters(defaults);
    view->setSvgPaintProperty({"paintPower", "paintSpeed"}, {500, 3000});

    const QString before = view->document()->toSvgText();
    window.gcodeGenerate();
    QCOMPARE(view->document()->toSvgText(), before);

    GCodeGenerator reference;
    reference.setDefaultParameters(view->scene()->defaultParameters());
    reference.setPaintProperty({"paintPower", "paintSpeed"}, {500, 3000});
    QCOMPARE(view->gcode(), reference.generate(before));
    QCOMPARE(view->generator().summary().outlines, 1);
    QCOMPARE(view->generator().summary().rasterGroups, 1);

    // A second generation starts from an empty list.
    const int size = view->gcode().size();
    window.gcodeGenerate();
    QCOMPARE(view->gcode().size(), size);
}
