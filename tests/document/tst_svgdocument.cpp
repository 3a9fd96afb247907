#include "canvas/graphicsellipseitem.h"
#include "canvas/graphicspathitem.h"
#include "canvas/graphicsrectitem.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "designfixture.h"
#include "document/documentwriter.h"
#include "document/gelement.h"
#include "document/node.h"
#include "document/svgdocument.h"
#include "document/svgelement.h"
#include "stdoutcapture.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
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
    void unreadableFileLeavesTheDocumentUntouched();
    void loadingRewritesTheRootToTheWorkArea();
    void modelCountsTextChildrenButIndexesOnlyElements();
    void treeIsBuiltInDocumentOrder();
    void firstGroupCreatedIsTheCurrentLayer();
    void addNodeNeedsACurrentLayer();
    void addChildElementRowsNeverCollide();
    void missingEngravingAttributesAreWrittenFromTheDefaultSet();
    void saveAndReloadKeepsEveryAttribute();
    void replacingTheDocumentDropsEveryReferenceIntoIt();
    void badInputLoadsIntoAUsableDocument_data();
    void badInputLoadsIntoAUsableDocument();
    void checkedInFixturesLoad_data();
    void checkedInFixturesLoad();

private:
    QTemporaryDir mDir;
    QString writeFile(const QString &name, const QByteArray &content);
};

void TestSvgDocument::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(mDir.isValid());
}

QString TestSvgDocument::writeFile(const QString &name, const QByteArray &content)
{
    const QString path = mDir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(content);
    return path;
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
    SVGView view;
    view.document()->setSvgText(svg(body));
    Node *node = nodeById(view, QStringLiteral("t"));
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
    SVGView view;
    view.document()->setSvgText(svg(body));
    Node *node = nodeById(view, QStringLiteral("t"));
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
    SVGView view;
    view.document()->setSvgText(svg(body));
    Node *node = nodeById(view, QStringLiteral("t"));
    QVERIFY(node);
    auto *item = qgraphicsitem_cast<GraphicsRectItem *>(node->item());
    QVERIFY(item);
    QCOMPARE(int(item->brush().style()), brushStyle);
    if (brushStyle == Qt::SolidPattern)
        QCOMPARE(item->brush().color(), brushColor);
    const QPen pen = item->pen();
    const bool drawn = pen.style() != Qt::NoPen && pen.brush().style() != Qt::NoBrush;
    QCOMPARE(drawn, strokeDrawn);
    QCOMPARE(item->hollow(), hollow ? 1 : 0);
}

void TestSvgDocument::strokePenTakesCapsFromGradientOrNode()
{
    SVGView view;
    view.document()->setSvgText(svg(
            "<defs><linearGradient id='two'><stop offset='0'/><stop offset='1' stop-color='red'/>"
            "</linearGradient><linearGradient id='one'><stop stop-color='blue'/></linearGradient></defs>"
            "<g stroke='#00ff00' stroke-linecap='square'>"
            "<path id='grad' d='M0,0' stroke='url(#two)' stroke-width='4' stroke-linecap='round'/>"
            "<path id='single' d='M0,0' stroke='url(#one)' stroke-linecap='round'/>"
            "<path id='inherited' d='M0,0' stroke-linejoin='round' stroke-opacity='0.5'/></g>"));
    const QPen gradient = nodeById(view, "grad")->strokePen(nullptr, -1, -1);
    QCOMPARE(gradient.brush().style(), Qt::LinearGradientPattern);
    QCOMPARE(gradient.widthF(), 4.0);
    QCOMPARE(gradient.capStyle(), Qt::SquareCap);
    QCOMPARE(gradient.joinStyle(), Qt::BevelJoin);
    const QPen single = nodeById(view, "single")->strokePen(nullptr, -1, -1);
    QCOMPARE(single.color(), QColor(Qt::blue));
    QCOMPARE(single.capStyle(), Qt::RoundCap);
    // Taken from the parent, then given the node's own cap and join.
    const QPen inherited = nodeById(view, "inherited")->strokePen(nullptr, -1, -1);
    QCOMPARE(inherited.color(), QColor(0, 255, 0, 127));
    QCOMPARE(inherited.capStyle(), Qt::SquareCap);
    QCOMPARE(inherited.joinStyle(), Qt::RoundJoin);
}

void TestSvgDocument::parseStyleKeepsWellFormedDeclarations()
{
    SVGView view;
    view.document()->setSvgText(svg("<rect id='t' style=' fill : red ;;a:b:c; bad ;stroke:; x:1;x:2'/>"));
    Node *node = nodeById(view, QStringLiteral("t"));
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
    QTest::newRow("prefixed svg root") << QString("<s:svg xmlns:s='http://www.w3.org/2000/svg'/>")
                                       << "Error!  Root of document was not of type <svg>";
    QTest::newRow("svg root") << svg(QString()) << QString();
}

void TestSvgDocument::svgElementReportsWhyItIsMissing()
{
    // The third message ("Could not find the <svg> node") needs an svg-typed
    // object that is no SVGElement, which element creation never makes.
    QFETCH(QString, text);
    QFETCH(QString, message);
    SVGView view;
    view.document()->setSvgText(text);
    StdoutCapture capture;
    SVGElement *element = view.document()->svgElement();
    const QString printed = QString::fromUtf8(capture.text()).trimmed();
    QCOMPARE(element == nullptr, !message.isEmpty());
    QCOMPARE(printed, message);
}

void TestSvgDocument::unreadableFileLeavesTheDocumentUntouched()
{
    SVGView view;
    view.setSceneBound(1875, 1875);
    Node *layer = view.currentLayer();
    QVERIFY(layer);
    view.addNode("rect", {"x", "width", "height"}, {"5", "10", "10"});
    const QString before = view.document()->toSvgText();
    const int items = view.scene()->items().size();

    QTest::ignoreMessage(QtDebugMsg, "load file err!");
    QVERIFY(!view.openFile(mDir.filePath("no such file.svg")));
    QTest::ignoreMessage(QtDebugMsg, "load file err!");
    QVERIFY(!view.openFile(mDir.path()));

    QCOMPARE(view.document()->toSvgText(), before);
    QCOMPARE(view.scene()->items().size(), items);
    QCOMPARE(view.currentLayer(), layer);
    QVERIFY(view.filePath().isEmpty());
}

void TestSvgDocument::loadingRewritesTheRootToTheWorkArea()
{
    SVGView view;
    view.setSceneBound(1234.5678, 800);
    const QString path = writeFile("sized.svg", svg("<g/>", "width='100mm' height='50mm'").toUtf8());
    QVERIFY(view.openFile(path));
    const QDomElement root = view.document()->domDocument().documentElement();
    QCOMPARE(root.attribute("width"), QStringLiteral("1234.568"));
    QCOMPARE(root.attribute("height"), QStringLiteral("800.000"));
    QCOMPARE(view.scene()->sceneRect(), QRectF(0, 0, 1234.5678, 800));
    QCOMPARE(view.document()->svgElement()->pageRect()->rect(), QRectF(0, 0, 1234.5678, 800));

    QVERIFY(view.newDocument());
    QCOMPARE(view.document()->domDocument().documentElement().attribute("width"),
             QStringLiteral("1234.568"));
    QVERIFY(view.currentLayer());
}

void TestSvgDocument::modelCountsTextChildrenButIndexesOnlyElements()
{
    SVGView view;
    view.document()->setSvgText(svg("<g id='g'>one<rect id='r1'/>two<!--c--><rect id='r2'/></g>"));
    SVGDocument *model = view.document();
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
    SVGView view;
    view.document()->setSvgText(svg("<defs/><g id='g'><rect id='a'/><g id='inner'>"
                                    "<circle id='b' r='5'/></g>text<path id='c' d='M0,0 L5,5'/></g>"));
    Node *g = nodeById(view, "g");
    QVERIFY(g);
    QCOMPARE(g->row(), 1);
    QCOMPARE(g->item()->zValue(), 1.0);
    QCOMPARE(nodeById(view, "a")->row(), 0);
    QCOMPARE(nodeById(view, "c")->row(), 3);
    QCOMPARE(nodeById(view, "c")->item()->zValue(), 3.0);
    QCOMPARE(nodeById(view, "b")->item()->parentItem(), nodeById(view, "inner")->item());
    QCOMPARE(nodeById(view, "inner")->item()->parentItem(), g->item());
    // Containers enclose their children once the load is complete.
    auto *groupRect = static_cast<GraphicsRectItem *>(g->item());
    QVERIFY(groupRect->rect().contains(QRectF(0, 0, 5, 5)));
}

void TestSvgDocument::firstGroupCreatedIsTheCurrentLayer()
{
    SVGView view;
    view.document()->setSvgText(svg("<g id='outer'><g id='inner'/></g><g id='later'/>"));
    QCOMPARE(view.currentLayer(), nodeById(view, "outer"));
    view.document()->setSvgText(svg("<rect/>"));
    QCOMPARE(view.currentLayer(), nullptr);
    // A group under defs is not drawn: new elements must not go there.
    view.document()->setSvgText(svg("<defs><g id='symbol'/></defs><g id='drawing'/>"));
    QCOMPARE(view.currentLayer(), nodeById(view, "drawing"));
}

void TestSvgDocument::addNodeNeedsACurrentLayer()
{
    SVGView view;
    QSignalSpy modified(&view, &SVGView::itemModified);
    view.document()->setSvgText(svg("<rect/>"));
    QCOMPARE(view.addNode("rect", {}, {}), nullptr);
    QCOMPARE(modified.count(), 0);

    view.document()->setSvgText(svg("<g id='layer'><rect/></g>"));
    Node *node = view.addNode("text", {"x", "y"}, {"10", "20"});
    QVERIFY(node);
    QCOMPARE(modified.count(), 1);
    QCOMPARE(node->parent(), nodeById(view, "layer"));
    QCOMPARE(node->element().text(), QStringLiteral("Text"));
    QCOMPARE(node->item()->parentItem(), nodeById(view, "layer")->item());
    QCOMPARE(node->item()->pos(), QPointF(10, 20));
}

void TestSvgDocument::addChildElementRowsNeverCollide()
{
    // Counting cached children would give the new element row 3 here, the
    // row of the second rect: the cache would lose that object.
    SVGView view;
    view.document()->setSvgText(svg("<g id='g'>a<rect id='r1'/>b<rect id='r2'/></g>"));
    Node *g = nodeById(view, "g");
    Node *added = g->addChildElement("rect", {"id"}, {"r3"});
    QVERIFY(added);
    QCOMPARE(added->row(), 4);
    QCOMPARE(g->cachedChild(3), nodeById(view, "r2"));
    QCOMPARE(g->child(4), added);
    QVERIFY(added->item()->zValue() > nodeById(view, "r2")->item()->zValue());
    QCOMPARE(view.document()->index(4, 0, view.document()->index(0, 0, view.document()->index(0, 0)))
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
    SVGView view;
    DefaultParameters defaults;
    defaults.scanAngle = 45;
    defaults.scanAccuracy = 0.05;
    view.scene()->setDefaultParameters(defaults);
    view.document()->setSvgText(svg("<g><rect id='t' tolvenrik:scanAngle='90' "
                                    "tolvenrik:scanTimes='abc'/></g>"));
    Node *node = nodeById(view, "t");
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

// Every element with its attributes, in document order, attributes sorted.
QStringList canonical(const QDomDocument &document)
{
    QStringList lines;
    QList<QDomNode> pending{document.documentElement()};
    while (!pending.isEmpty()) {
        const QDomNode node = pending.takeFirst();
        QStringList attributes;
        const QDomNamedNodeMap map = node.attributes();
        for (int i = 0; i < map.count(); ++i)
            attributes.append(map.item(i).nodeName() + "=" + map.item(i).nodeValue());
        attributes.sort();
        lines.append(node.nodeName() + " " + node.nodeValue() + " " + attributes.join(' '));
        QList<QDomNode> children;
        for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling())
            children.append(child);
        pending = children + pending;
    }
    return lines;
}

} // namespace

void TestSvgDocument::saveAndReloadKeepsEveryAttribute()
{
    const QString design = svg(
            "<sodipodi:namedview xmlns:sodipodi='urn:s' pagecolor='#fff' sodipodi:zoom='2'/>"
            "<g tolvenrik:label='label 1' inkscape:groupmode='layer'>/n"
            "<rect id='r' x='1' y='2' width='3' height='4' data-editor='kept' "
            "style='fill:none;stroke:#000'/><unknown a='1'><path d='M0,0 L1,1'/></unknown>"
            "<text x='5' y='6' tolvenRik:Alignment='AlignCenter'>中文 text</text>"
            "<!-- note --></g>",
            "width='1875.000' height='1875.000' version='1.2'");
    SVGView view;
    view.setSceneBound(1875, 1875);
    const QString path = writeFile("first.svg", design.toUtf8());
    QVERIFY(view.openFile(path));
    const QStringList first = canonical(view.document()->domDocument());
    QVERIFY(first.join('\n').contains("data-editor=kept"));
    QVERIFY(first.join('\n').contains("sodipodi:zoom=2"));
    QVERIFY(first.join('\n').contains("中文 text"));

    const QString saved = mDir.filePath("saved.svg");
    QVERIFY(writeDesign(view.document()->toSvgText(), saved));
    SVGView second;
    second.setSceneBound(1875, 1875);
    QVERIFY(second.openFile(saved));
    QCOMPARE(canonical(second.document()->domDocument()), first);
    QCOMPARE(second.document()->toSvgText(), view.document()->toSvgText());
}

void TestSvgDocument::replacingTheDocumentDropsEveryReferenceIntoIt()
{
    SVGView view;
    Scene *scene = view.scene();
    Node *rect = view.addNode("rect", {"width", "height"}, {"10", "10"});
    QVERIFY(rect);
    scene->setCopiedItems({rect->item()}, QRectF(0, 0, 10, 10));
    scene->setDrawingNode(rect);
    scene->leftSelected(rect->item());
    QCOMPARE(scene->selectedItemList().size(), 1);

    const QString path = writeFile("other.svg", svg("<g id='other'/>").toUtf8());
    QVERIFY(view.openFile(path));
    QVERIFY(scene->copiedItems().isEmpty());
    QCOMPARE(scene->drawingNode(), nullptr);
    QVERIFY(scene->selectedItemList().isEmpty());
    QCOMPARE(view.currentLayer(), nodeById(view, "other"));
    // The new document works: elements go into its layer and are measured.
    Node *added = view.addNode("rect", {"width", "height"}, {"4", "4"});
    QVERIFY(added);
    QCOMPARE(scene->selectionBounds({added->item()}), added->item()->sceneBoundingRect());

    scene->setCopiedItems({added->item()}, QRectF());
    scene->setDrawingNode(added);
    QVERIFY(view.newDocument());
    QVERIFY(scene->copiedItems().isEmpty());
    QCOMPARE(scene->drawingNode(), nullptr);
    QCOMPARE(scene->propertySummary(scene->copiedItems()).value("fill"), QString());
}

void TestSvgDocument::badInputLoadsIntoAUsableDocument_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("hasSvgElement");

    QByteArray deep = "<svg xmlns='http://www.w3.org/2000/svg'>";
    for (int i = 0; i < 10000; ++i)
        deep += "<g>";
    deep += "<rect width='5' height='5'/>";
    for (int i = 0; i < 10000; ++i)
        deep += "</g>";
    deep += "</svg>";

    QByteArray many = "<svg xmlns='http://www.w3.org/2000/svg'><g>";
    for (int i = 0; i < 100000; ++i)
        many += "<rect x='" + QByteArray::number(i % 1000) + "' width='2' height='2'/>";
    many += "</g></svg>";

    // Every reference walked the whole chain, searching the document at each hop.
    QByteArray chain = "<svg xmlns:xlink='http://www.w3.org/1999/xlink'><defs>";
    for (int i = 0; i < 3000; ++i)
        chain += "<linearGradient id='g" + QByteArray::number(i) + "' xlink:href='#g"
                 + QByteArray::number(i + 1) + "'/>";
    chain += "</defs><g>";
    for (int i = 0; i < 500; ++i)
        chain += "<rect width='5' height='5' fill='url(#g" + QByteArray::number(i) + ")'/>";
    chain += "</g></svg>";

    QTest::newRow("malformed") << QByteArray("<svg><g><rect width='5'></g") << true;
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11) << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("not svg") << QByteArray("<html><g><rect/></g></html>") << false;
    QTest::newRow("unknown and namespaced")
            << QByteArray("<svg xmlns:x='urn:x'><x:rect width='5'/><blink><rect width='1' "
                          "height='1'/></blink><x:g><path d='M0,0 L1,1'/></x:g><g/></svg>")
            << true;
    QTest::newRow("deep nesting") << deep << true;
    QTest::newRow("many elements") << many << true;
    QTest::newRow("broken references")
            << QByteArray("<svg><g fill='url(#nope)' stroke='url(#)'><rect fill='url(#x' "
                          "width='5' height='5'/><linearGradient id='l' xlink:href='#missing'/>"
                          "<rect fill='url(#l)'/><use xlink:href='#nothing'/></g></svg>")
            << true;
    QTest::newRow("circular gradients")
            << QByteArray("<svg><defs><radialGradient id='a' xlink:href='#b'/><linearGradient "
                          "id='b' xlink:href='#a'/><linearGradient id='c' xlink:href='#c'/></defs>"
                          "<g><rect fill='url(#a)' stroke='url(#b)'/><rect fill='url(#c)'/></g></svg>")
            << true;
    QTest::newRow("long gradient chain") << chain << true;
    QTest::newRow("odd sizes")
            << QByteArray("<svg width='-5' height='NaN'><g><rect width='-10' height='0'/>"
                          "<rect width='1e300' height='1e308' x='-1e308'/><circle r='NaN'/>"
                          "<ellipse rx='inf' ry='-inf'/><image width='-3' height='1e9' "
                          "xlink:href='data:image/png;base64,iVBORw0KGgo='/>"
                          "<text font-size='1e30'>big</text><path d='M 1e308 1e308 L -1e308 0'/>"
                          "<polygon points='1,2,3'/><line x1='1e400'/></g></svg>")
            << true;
    QTest::newRow("broken images")
            << QByteArray("<svg><g><image width='10' height='10' xlink:href='data:image/png;base64,@@@'/>"
                          "<image xlink:href='no comma'/><image width='5' height='5'/></g></svg>")
            << true;
}

void TestSvgDocument::badInputLoadsIntoAUsableDocument()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, hasSvgElement);
    SVGView view;
    view.setSceneBound(1875, 1875);
    const QString path = writeFile("bad.svg", content);
    StdoutCapture quiet;
    QVERIFY(view.openFile(path));
    QCOMPARE(view.document()->svgElement() != nullptr, hasSvgElement);
    // Measuring, summarising, serialising and painting the result must work.
    const QList<QGraphicsItem *> items = view.scene()->items();
    view.scene()->selectionBounds(items);
    view.scene()->jobBounds();
    QVERIFY(!view.document()->toSvgText().isNull() || content.isEmpty() || !hasSvgElement);
    QImage image(200, 200, QImage::Format_ARGB32);
    QPainter painter(&image);
    view.scene()->render(&painter);
    painter.end();
    // And the user can go on with a new design.
    QVERIFY(view.newDocument());
    QVERIFY(view.addNode("rect", {"width", "height"}, {"1", "1"}));
}

void TestSvgDocument::checkedInFixturesLoad_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("drawables");
    const QString data = qEnvironmentVariable("PLIMB_TEST_DATA") + "/document/";
    // A line item asked Qt for its bounds, which asked the item for its shape: endless recursion.
    QTest::newRow("wide line") << data + "wide-line.svg" << 1;
    // Drawables under defs are not shown and do not count for the job.
    QTest::newRow("drawables in defs") << data + "drawables-in-defs.svg" << 1;
}

void TestSvgDocument::checkedInFixturesLoad()
{
    QFETCH(QString, file);
    QFETCH(int, drawables);
    SVGView view;
    QVERIFY(view.openFile(file));
    int count = 0;
    for (QGraphicsItem *item : view.scene()->items()) {
        Node *node = DesignFixture::nodeOfItem(item);
        if (node && node->type() != NodeType::Svg && node->type() != NodeType::G)
            ++count;
    }
    QCOMPARE(count, drawables);
    QImage image(100, 100, QImage::Format_ARGB32);
    QPainter painter(&image);
    view.scene()->render(&painter);
}

QTEST_MAIN(TestSvgDocument)
#include "tst_svgdocument.moc"
