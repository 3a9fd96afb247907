#include "designfixture.h"
#include "document/documentwriter.h"
#include "document/gelement.h"
#include "document/node.h"
#include "document/nodeobserver.h"
#include "document/svgdocument.h"
#include "document/svgelement.h"
#include "stdoutcapture.h"

#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

using DesignFixture::nodeById;
using DesignFixture::svg;

class TestSvgDocument : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void numericPropertiesInheritAndAreLimited_data();
    void numericPropertiesInheritAndAreLimited();
    void fontAndLinePropertiesResolve_data();
    void fontAndLinePropertiesResolve();
    void fillAndStrokeResolve_data();
    void fillAndStrokeResolve();
    void strokePenTakesCapsFromGradientOrNode();
    void parseStyleKeepsWellFormedDeclarations();

    void svgElementReportsWhyItIsMissing_data();
    void svgElementReportsWhyItIsMissing();
    void modelCountsTextChildrenButIndexesOnlyElements();
    void treeIsBuiltInDocumentOrder();
    void firstGroupCreatedIsTheCurrentLayer();
    void addChildElementRowsNeverCollide();
    void missingEngravingAttributesAreWrittenFromTheDefaultSet();
    void observerHearsTheTreeInDocumentOrder();
    void observerHearsWhatAnAttributeChanged_data();
    void observerHearsWhatAnAttributeChanged();
};

void TestSvgDocument::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSvgDocument::numericPropertiesInheritAndAreLimited_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("property");
    QTest::addColumn<double>("expected");

    QTest::newRow("fill-opacity above 1") << "<rect id='t' fill-opacity='1.5'/>" << "fill-opacity" << 1.0;
    QTest::newRow("fill-opacity below 0 is 1, not 0")
            << "<rect id='t' style='fill-opacity:-0.2'/>" << "fill-opacity" << 1.0;
    QTest::newRow("fill-opacity in range") << "<rect id='t' fill-opacity='0.4'/>" << "fill-opacity" << 0.4;
    QTest::newRow("fill-opacity not a number") << "<rect id='t' style='fill-opacity:nan'/>"
                                               << "fill-opacity" << 1.0;
    QTest::newRow("fill-opacity inherited") << "<g style='fill-opacity:0.3'><rect id='t'/></g>"
                                            << "fill-opacity" << 0.3;
    QTest::newRow("stroke-opacity inherited through two groups")
            << "<g stroke-opacity='0.25'><g><rect id='t'/></g></g>" << "stroke-opacity" << 0.25;
    QTest::newRow("stroke-width style with unit gives way to the attribute")
            << "<rect id='t' style='stroke-width:2px' stroke-width='3'/>" << "stroke-width" << 3.0;
    QTest::newRow("stroke-width plain style wins")
            << "<rect id='t' style='stroke-width:2' stroke-width='3'/>" << "stroke-width" << 2.0;
    QTest::newRow("stroke-width negative") << "<rect id='t' stroke-width='-4'/>" << "stroke-width" << 1.0;
    QTest::newRow("stroke-width from the root") << "<rect id='t'/>" << "stroke-width" << 1.0;
    QTest::newRow("stroke-width inherited") << "<g stroke-width='7'><rect id='t'/></g>"
                                            << "stroke-width" << 7.0;
    QTest::newRow("font-size negative is inherited")
            << "<g font-size='30'><text id='t' font-size='-5'>a</text></g>" << "font-size" << 30.0;
}

void TestSvgDocument::numericPropertiesInheritAndAreLimited()
{
    QFETCH(QString, body);
    QFETCH(QString, property);
    QFETCH(double, expected);
    SVGDocument document;
    document.setSvgText(svg(body));
    Node *node = nodeById(document, QStringLiteral("t"));
    QVERIFY(node);
    double actual = 0;
    if (property == QLatin1String("fill-opacity"))
        actual = node->fillOpacity();
    else if (property == QLatin1String("stroke-opacity"))
        actual = node->strokeOpacity();
    else if (property == QLatin1String("stroke-width"))
        actual = node->strokeWidth();
    else
        actual = node->fontSize();
    QCOMPARE(actual, expected);
}

void TestSvgDocument::fontAndLinePropertiesResolve_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("expected");

    QTest::newRow("bold") << "<text id='t' font-weight='bold'>a</text>" << "font-weight" << 75;
    QTest::newRow("600 is not bold") << "<text id='t' style='font-weight:600'>a</text>"
                                     << "font-weight" << 50;
    QTest::newRow("lighter") << "<text id='t' font-weight='lighter'>a</text>" << "font-weight" << 25;
    QTest::newRow("weight inherited") << "<g font-weight='bold'><text id='t'>a</text></g>"
                                      << "font-weight" << 75;
    QTest::newRow("italic") << "<text id='t' font-style='italic'>a</text>" << "font-style" << 1;
    QTest::newRow("oblique inherited") << "<g style='font-style:oblique'><text id='t'>a</text></g>"
                                       << "font-style" << 2;
    QTest::newRow("unknown style") << "<text id='t' font-style='slanted'>a</text>" << "font-style" << 0;
    QTest::newRow("round cap") << "<path id='t' d='M0,0 L1,1' stroke-linecap='round'/>"
                               << "linecap" << int(Qt::RoundCap);
    QTest::newRow("cap inherit") << "<g stroke-linecap='square'><path id='t' d='M0,0' "
                                    "stroke-linecap='inherit'/></g>"
                                 << "linecap" << int(Qt::SquareCap);
    QTest::newRow("butt is flat") << "<path id='t' d='M0,0' stroke-linecap='butt'/>" << "linecap"
                                  << int(Qt::FlatCap);
    QTest::newRow("cap from style is not read")
            << "<path id='t' d='M0,0' style='stroke-linecap:round'/>" << "linecap" << int(Qt::FlatCap);
    QTest::newRow("bevel join") << "<path id='t' d='M0,0' stroke-linejoin='bevel'/>" << "linejoin"
                                << int(Qt::BevelJoin);
    QTest::newRow("default join") << "<path id='t' d='M0,0'/>" << "linejoin" << int(Qt::SvgMiterJoin);
}

void TestSvgDocument::fontAndLinePropertiesResolve()
{
    QFETCH(QString, body);
    QFETCH(QString, property);
    QFETCH(int, expected);
    SVGDocument document;
    document.setSvgText(svg(body));
    Node *node = nodeById(document, QStringLiteral("t"));
    QVERIFY(node);
    int actual = -1;
    if (property == QLatin1String("font-weight"))
        actual = node->fontWeight();
    else if (property == QLatin1String("font-style"))
        actual = node->fontStyle();
    else if (property == QLatin1String("linecap"))
        actual = int(node->lineCap());
    else
        actual = int(node->lineJoin());
    QCOMPARE(actual, expected);
}

void TestSvgDocument::fillAndStrokeResolve_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("brushStyle");
    QTest::addColumn<QColor>("brushColor");
    QTest::addColumn<bool>("strokeDrawn");
    QTest::addColumn<bool>("hollow");

    const QString grad = QStringLiteral(
            "<defs><linearGradient id='two'><stop offset='0' stop-color='red'/>"
            "<stop offset='1' stop-color='blue'/></linearGradient>"
            "<linearGradient id='one'><stop offset='0' stop-color='lime'/></linearGradient>"
            "<linearGradient id='none'/>"
            "<linearGradient id='a' xlink:href='#b'/><linearGradient id='b' xlink:href='#a'/>"
            "<solidColor id='solid' solid-color='#0000ff'/></defs>");
    QTest::newRow("fill inherited from g") << "<g fill='red'><rect id='t' width='5' height='5'/></g>"
                                           << int(Qt::SolidPattern) << QColor(Qt::red) << false << false;
    QTest::newRow("no fill anywhere is black")
            << "<rect id='t' width='5' height='5'/>" << int(Qt::SolidPattern) << QColor(Qt::black)
            << false << false;
    QTest::newRow("style fill wins over attribute")
            << "<rect id='t' fill='red' style='fill:#00ff00'/>" << int(Qt::SolidPattern)
            << QColor(0, 255, 0) << false << false;
    QTest::newRow("fill none is hollow") << "<g fill='red'><rect id='t' style='fill:none'/></g>"
                                         << int(Qt::NoBrush) << QColor(Qt::black) << false << true;
    QTest::newRow("stroke inherited") << "<g stroke='blue'><rect id='t'/></g>" << int(Qt::SolidPattern)
                                      << QColor(Qt::black) << true << false;
    QTest::newRow("missing reference is inherited")
            << "<g fill='red'><rect id='t' fill='url(#nothing)'/></g>" << int(Qt::SolidPattern)
            << QColor(Qt::red) << false << false;
    QTest::newRow("gradient with two stops") << grad + "<rect id='t' fill='url(#two)'/>"
                                             << int(Qt::LinearGradientPattern) << QColor(Qt::black)
                                             << false << false;
    QTest::newRow("gradient with one stop is solid")
            << grad + "<rect id='t' fill='url(#one)'/>" << int(Qt::SolidPattern) << QColor(Qt::green)
            << false << false;
    QTest::newRow("gradient without stops is no brush")
            << grad + "<rect id='t' fill='url(#none)'/>" << int(Qt::NoBrush) << QColor(Qt::black)
            << false << true;
    QTest::newRow("circular gradients end") << grad + "<rect id='t' fill='url(#a)'/>"
                                            << int(Qt::NoBrush) << QColor(Qt::black) << false << true;
    QTest::newRow("solidColor") << grad + "<rect id='t' fill='url(#solid)'/>" << int(Qt::SolidPattern)
                                << QColor(Qt::blue) << false << false;
    QString chain = "<defs>";
    for (int i = 0; i < 40; ++i)
        chain += QString("<linearGradient id='c%1' xlink:href='#c%2'/>").arg(i).arg(i + 1);
    chain += "<linearGradient id='c40'><stop offset='0'/><stop offset='1'/></linearGradient></defs>";
    QTest::newRow("reference chain too long to follow")
            << chain + "<rect id='t' fill='url(#c0)'/>" << int(Qt::NoBrush) << QColor(Qt::black)
            << false << true;
    QTest::newRow("reference chain within reach")
            << chain + "<rect id='t' fill='url(#c20)'/>" << int(Qt::LinearGradientPattern)
            << QColor(Qt::black) << false << false;
    QTest::newRow("fill opacity on a colour")
            << "<rect id='t' fill='red' fill-opacity='0.5'/>" << int(Qt::SolidPattern)
            << QColor(255, 0, 0, 127) << false << false;
}

void TestSvgDocument::fillAndStrokeResolve()
{
    QFETCH(QString, body);
    QFETCH(int, brushStyle);
    QFETCH(QColor, brushColor);
    QFETCH(bool, strokeDrawn);
    QFETCH(bool, hollow);
    SVGDocument document;
    document.setSvgText(svg(body));
    Node *node = nodeById(document, QStringLiteral("t"));
    QVERIFY(node);
    QCOMPARE(int(node->itemBrush().style()), brushStyle);
    if (brushStyle == Qt::SolidPattern)
        QCOMPARE(node->itemBrush().color(), brushColor);
    const QPen pen = node->itemPen();
    const bool drawn = pen.style() != Qt::NoPen && pen.brush().style() != Qt::NoBrush;
    QCOMPARE(drawn, strokeDrawn);
    QCOMPARE(node->isHollow(), hollow);
}

void TestSvgDocument::strokePenTakesCapsFromGradientOrNode()
{
    SVGDocument document;
    document.setSvgText(svg(
            "<defs><linearGradient id='two'><stop offset='0'/><stop offset='1' stop-color='red'/>"
            "</linearGradient><linearGradient id='one'><stop stop-color='blue'/></linearGradient></defs>"
            "<g stroke='#00ff00' stroke-linecap='square'>"
            "<path id='grad' d='M0,0' stroke='url(#two)' stroke-width='4' stroke-linecap='round'/>"
            "<path id='single' d='M0,0' stroke='url(#one)' stroke-linecap='round'/>"
            "<path id='inherited' d='M0,0' stroke-linejoin='round' stroke-opacity='0.5'/></g>"));
    const QPen gradient = nodeById(document, "grad")->strokePen(nullptr, -1, -1);
    QCOMPARE(gradient.brush().style(), Qt::LinearGradientPattern);
    QCOMPARE(gradient.widthF(), 4.0);
    QCOMPARE(gradient.capStyle(), Qt::SquareCap);
    QCOMPARE(gradient.joinStyle(), Qt::BevelJoin);
    const QPen single = nodeById(document, "single")->strokePen(nullptr, -1, -1);
    QCOMPARE(single.color(), QColor(Qt::blue));
    QCOMPARE(single.capStyle(), Qt::RoundCap);
    // Taken from the parent, then given the node's own cap and join.
    const QPen inherited = nodeById(document, "inherited")->strokePen(nullptr, -1, -1);
    QCOMPARE(inherited.color(), QColor(0, 255, 0, 127));
    QCOMPARE(inherited.capStyle(), Qt::SquareCap);
    QCOMPARE(inherited.joinStyle(), Qt::RoundJoin);
}

void TestSvgDocument::parseStyleKeepsWellFormedDeclarations()
{
    SVGDocument document;
    document.setSvgText(svg("<rect id='t' style=' fill : red ;;a:b:c; bad ;stroke:; x:1;x:2'/>"));
    Node *node = nodeById(document, QStringLiteral("t"));
    QVERIFY(node);
    const QMap<QString, QString> expected{{"fill", "red"}, {"stroke", ""}, {"x", "2"}};
    QCOMPARE(node->style(), expected);
    QCOMPARE(node->attributes().value("fill"), QStringLiteral("red"));
}

void TestSvgDocument::svgElementReportsWhyItIsMissing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing parsed") << QString("not xml at all") << "Error!  Doc root did not have one child!";
    QTest::newRow("html root") << QString("<html><body/></html>") << "Error!  Root of document was not of type <svg>";
    // A prefix bound to the SVG namespace is as good as none.
    QTest::newRow("prefixed svg root") << QString("<s:svg xmlns:s='http://www.w3.org/2000/svg'/>") << QString();
    QTest::newRow("prefix of another namespace") << QString("<s:svg xmlns:s='urn:other'/>")
                                                 << "Error!  Root of document was not of type <svg>";
    QTest::newRow("svg root") << svg(QString()) << QString();
}

void TestSvgDocument::svgElementReportsWhyItIsMissing()
{
    // The third message ("Could not find the <svg> node") needs an svg-typed
    // object that is no SVGElement, which element creation never makes.
    QFETCH(QString, text);
    QFETCH(QString, message);
    SVGDocument document;
    document.setSvgText(text);
    StdoutCapture capture;
    SVGElement *element = document.svgElement();
    const QString printed = QString::fromUtf8(capture.text()).trimmed();
    QCOMPARE(element == nullptr, !message.isEmpty());
    QCOMPARE(printed, message);
}



void TestSvgDocument::modelCountsTextChildrenButIndexesOnlyElements()
{
    SVGDocument document;
    document.setSvgText(svg("<g id='g'>one<rect id='r1'/>two<!--c--><rect id='r2'/></g>"));
    SVGDocument *model = &document;
    QCOMPARE(model->rowCount(), 1);
    const QModelIndex root = model->index(0, 0);
    QCOMPARE(model->data(root).toString(), QStringLiteral("svg"));
    QCOMPARE(model->rowCount(root), 1);
    const QModelIndex g = model->index(0, 0, root);
    QCOMPARE(model->data(model->index(0, 1, root)).toString(), QStringLiteral("g"));
    QCOMPARE(model->rowCount(g), 5);
    QCOMPARE(model->rowCount(model->index(0, 1, root)), 0);
    QVERIFY(!model->index(0, 0, g).isValid());
    QVERIFY(!model->index(2, 0, g).isValid());
    QVERIFY(!model->index(3, 0, g).isValid());
    const QModelIndex r2 = model->index(4, 0, g);
    QVERIFY(r2.isValid());
    QCOMPARE(model->data(model->index(4, 1, g)).toString(), QStringLiteral("r2"));
    QCOMPARE(model->parent(r2), g);
    QVERIFY(!model->parent(root).isValid());
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Element"));
    QCOMPARE(model->flags(r2), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
}

void TestSvgDocument::treeIsBuiltInDocumentOrder()
{
    SVGDocument document;
    document.setSvgText(svg("<defs/><g id='g'><rect id='a'/><g id='inner'>"
                                    "<circle id='b' r='5'/></g>text<path id='c' d='M0,0 L5,5'/></g>"));
    Node *g = nodeById(document, "g");
    QVERIFY(g);
    QCOMPARE(g->row(), 1);
    QCOMPARE(nodeById(document, "a")->row(), 0);
    QCOMPARE(nodeById(document, "c")->row(), 3);
    QCOMPARE(nodeById(document, "b")->parent(), nodeById(document, "inner"));
    QCOMPARE(nodeById(document, "inner")->parent(), g);
}

void TestSvgDocument::firstGroupCreatedIsTheCurrentLayer()
{
    SVGDocument document;
    document.setSvgText(svg("<g id='outer'><g id='inner'/></g><g id='later'/>"));
    QCOMPARE(document.currentLayer(), nodeById(document, "outer"));
    document.setSvgText(svg("<rect/>"));
    QCOMPARE(document.currentLayer(), nullptr);
    // A group under defs is not drawn: new elements must not go there.
    document.setSvgText(svg("<defs><g id='symbol'/></defs><g id='drawing'/>"));
    QCOMPARE(document.currentLayer(), nodeById(document, "drawing"));
}


void TestSvgDocument::addChildElementRowsNeverCollide()
{
    // Counting cached children would give the new element row 3 here, the
    // row of the second rect: the cache would lose that object.
    SVGDocument document;
    document.setSvgText(svg("<g id='g'>a<rect id='r1'/>b<rect id='r2'/></g>"));
    Node *g = nodeById(document, "g");
    Node *added = g->addChildElement("rect", {"id"}, {"r3"});
    QVERIFY(added);
    QCOMPARE(added->row(), 4);
    QCOMPARE(g->cachedChild(3), nodeById(document, "r2"));
    QCOMPARE(g->child(4), added);
    QCOMPARE(document.index(4, 0, document.index(0, 0, document.index(0, 0)))
                     .internalPointer(),
             static_cast<void *>(added));

    Node *label = g->addTextChildElement("text", {"x", "y"}, {"1", "2"}, "label");
    QCOMPARE(label->element().text(), QStringLiteral("label"));
    QCOMPARE(label->row(), 5);
    Node *group = g->addChildElement("g", {"id", "empty"}, {"inner", ""});
    QVERIFY(!group->element().hasAttribute("empty"));
    QCOMPARE(group->element().text(), QString());
}

void TestSvgDocument::missingEngravingAttributesAreWrittenFromTheDefaultSet()
{
    SVGDocument document;
    DefaultParameters defaults;
    defaults.scanAngle = 45;
    defaults.scanAccuracy = 0.05;
    document.setDefaultParameters(defaults);
    document.setSvgText(svg("<g><rect id='t' tolvenrik:scanAngle='90' "
                                    "tolvenrik:scanTimes='abc'/></g>"));
    Node *node = nodeById(document, "t");
    const QDomElement element = node->element();
    QCOMPARE(element.attribute("tolvenrik:scanAngle"), QStringLiteral("90"));
    QCOMPARE(element.attribute("tolvenrik:scanAccuracy"), QStringLiteral("0.05"));
    QCOMPARE(element.attribute("tolvenrik:scanTimes"), QStringLiteral("1"));
    QCOMPARE(element.attribute("tolvenrik:XMotorMovementError"), QStringLiteral("0"));
    QVERIFY(!element.hasAttribute("tolvenrik:scanPower"));
    QVERIFY(!element.hasAttribute("tolvenrik:scanSpeed"));
    QCOMPARE(node->engraving().scanAngle, 90.0);
    QCOMPARE(node->engraving().scanPower, 100.0);
    // Containers carry no engraving attributes.
    QVERIFY(!node->parent()->element().hasAttribute("tolvenrik:scanAngle"));
}








namespace {

// Writes down what the tree tells its view, one line per call.
class RecordingObserver : public NodeObserver
{
public:
    QStringList events;

    void nodeCreated(Node *node) override
    {
        events.append(QStringLiteral("created %1%2").arg(name(node), node->isOnCanvas() ? "" : " hidden"));
    }
    void nodeChanged(Node *node, Changes changes) override
    {
        events.append(QStringLiteral("changed %1 %2").arg(name(node)).arg(int(changes)));
    }
    void nodeDestroyed(Node *node) override { events.append("destroyed " + name(node)); }
    void treeAboutToBeReplaced() override { events.append("replaced"); }

private:
    static QString name(const Node *node)
    {
        const QString id = node->element().attribute("id");
        return id.isEmpty() ? node->element().tagName() : id;
    }
};

} // namespace

void TestSvgDocument::observerHearsTheTreeInDocumentOrder()
{
    RecordingObserver observer;
    SVGDocument document;
    document.setObserver(&observer);
    document.setSvgText(svg("<defs><rect id='hidden'/></defs><g id='g'><rect id='a'/>"
                            "<g id='inner'><circle id='b' r='1'/></g></g>"));
    // Parents before children, siblings in order; containers are told to fit
    // their children once each subtree is complete.
    const QStringList built{"replaced",         "created svg",       "created defs hidden",
                            "created hidden hidden", "created g",    "created a",
                            "created inner",    "created b",         "changed inner 32",
                            "changed g 32"};
    QCOMPARE(observer.events.join(" / "), built.join(" / "));

    observer.events.clear();
    document.setSvgText(svg("<rect id='only'/>"));
    QCOMPARE(observer.events.first(), QStringLiteral("replaced"));
    // Children go before their parents, so no view is left holding a child item.
    const auto at = [&](const char *id) { return observer.events.indexOf(QString("destroyed ") + id); };
    for (const char *id : {"hidden", "defs", "a", "b", "inner", "g", "svg"})
        QVERIFY2(at(id) > 0, id);
    QVERIFY(at("b") < at("inner") && at("inner") < at("g") && at("a") < at("g"));
    QVERIFY(at("hidden") < at("defs") && at("g") < at("svg") && at("defs") < at("svg"));
}

void TestSvgDocument::observerHearsWhatAnAttributeChanged_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("changes");

    const QString rect = "<rect id='t' width='5' height='5'/>";
    QTest::newRow("rect position") << rect << "x" << "3" << int(NodeObserver::Geometry);
    QTest::newRow("rect fill") << rect << "fill" << "red" << int(NodeObserver::Paint);
    QTest::newRow("rect transform") << rect << "transform" << "rotate(5)" << int(NodeObserver::Transform);
    QTest::newRow("ellipse radius") << "<ellipse id='t' rx='2' ry='2'/>" << "rx" << "4"
                                    << int(NodeObserver::Geometry);
    QTest::newRow("path x goes into the transform") << "<path id='t' d='M0,0 L1,1'/>" << "x" << "2"
                                                    << int(NodeObserver::Transform);
    QTest::newRow("image width") << "<image id='t' width='4' height='4'/>" << "width" << "8"
                                 << int(NodeObserver::Geometry | NodeObserver::Bitmap);
    QTest::newRow("text word") << "<text id='t'>a</text>" << "word" << "bc" << int(NodeObserver::Text);
    QTest::newRow("text size") << "<text id='t'>a</text>" << "font-size" << "20"
                               << int(NodeObserver::Text);
    QTest::newRow("text fill") << "<text id='t'>a</text>" << "fill" << "blue" << int(NodeObserver::Paint);
}

void TestSvgDocument::observerHearsWhatAnAttributeChanged()
{
    QFETCH(QString, body);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(int, changes);
    RecordingObserver observer;
    SVGDocument document;
    document.setObserver(&observer);
    document.setSvgText(svg("<g>" + body + "</g>"));
    observer.events.clear();
    QVERIFY(nodeById(document, "t")->applyAttribute(name, value));
    QCOMPARE(observer.events, QStringList{QStringLiteral("changed t %1").arg(changes)});
}

QTEST_MAIN(TestSvgDocument)
#include "tst_svgdocument.moc"
