#include "canvas/graphicsrectitem.h"
#include "canvas/itemfactory.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "designfixture.h"
#include "document/attributeundo.h"
#include "document/documentwriter.h"
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

// The design as the window holds it: the document, its canvas and the item
// of each element.
class TestSvgView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void itemsFollowTheTreeInDocumentOrder();
    void hiddenElementsGetNoItem();
    void undoHistoryBelongsToTheDocument();
    void unreadableFileLeavesTheDocumentUntouched();
    void loadingRewritesTheRootToTheWorkArea();
    void addNodeNeedsACurrentLayer();
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

void TestSvgView::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(mDir.isValid());
}

QString TestSvgView::writeFile(const QString &name, const QByteArray &content)
{
    const QString path = mDir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(content);
    return path;
}

void TestSvgView::itemsFollowTheTreeInDocumentOrder()
{
    SVGView view;
    view.document()->setSvgText(svg("<defs/><g id='g'><rect id='a'/><g id='inner'>"
                                    "<circle id='b' r='5'/></g>text<path id='c' d='M0,0 L5,5'/></g>"));
    Node *g = nodeById(view, "g");
    QVERIFY(g && view.itemOf(g));
    QCOMPARE(view.itemOf(g)->zValue(), 1.0);
    QCOMPARE(view.itemOf(nodeById(view, "c"))->zValue(), 3.0);
    QCOMPARE(view.itemOf(nodeById(view, "b"))->parentItem(), view.itemOf(nodeById(view, "inner")));
    QCOMPARE(view.itemOf(nodeById(view, "inner"))->parentItem(), view.itemOf(g));
    QCOMPARE(ItemFactory::nodeOf(view.itemOf(nodeById(view, "c"))), nodeById(view, "c"));
    // Containers enclose their children once the load is complete.
    auto *groupRect = static_cast<GraphicsRectItem *>(view.itemOf(g));
    QVERIFY(groupRect->rect().contains(QRectF(0, 0, 5, 5)));

    // An element added later stacks above its siblings and refits its layer.
    Node *added = g->addChildElement("rect", {"x", "y", "width", "height"}, {"40", "40", "5", "5"});
    QVERIFY(view.itemOf(added)->zValue() > view.itemOf(nodeById(view, "c"))->zValue());
    QVERIFY(groupRect->rect().contains(QRectF(40, 40, 5, 5)));
}

void TestSvgView::hiddenElementsGetNoItem()
{
    SVGView view;
    view.document()->setSvgText(svg("<defs><rect id='d' width='5' height='5'/><g id='dg'>"
                                    "<rect id='dr'/></g></defs><g id='layer'><rect id='r'/></g>"));
    for (const char *id : {"d", "dg", "dr"})
        QVERIFY2(!view.itemOf(nodeById(view, id)), id);
    QVERIFY(view.itemOf(nodeById(view, "r"))->scene() == view.scene());
    QCOMPARE(view.currentLayer(), nodeById(view, "layer"));
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

void TestSvgView::undoHistoryBelongsToTheDocument()
{
    SVGView view;
    QSignalSpy modified(&view, &SVGView::itemModified);
    view.document()->setSvgText(svg("<g><rect id='r' x='1' width='5' height='5'/></g>"));
    auto command = std::make_unique<AttributeUndo>();
    command->addRecord(view.scene()->applyAttribute(nodeById(view, "r"), "x", "7"));
    view.pushUndo(std::move(command));
    QCOMPARE(modified.count(), 1);
    view.undo();
    QCOMPARE(nodeById(view, "r")->element().attribute("x"), QStringLiteral("1"));
    view.redo();
    QCOMPARE(nodeById(view, "r")->element().attribute("x"), QStringLiteral("7"));
    // A command of the old design must not reach into the new one.
    QVERIFY(view.newDocument());
    QCOMPARE(view.undoStack().count(), 0);
}

void TestSvgView::unreadableFileLeavesTheDocumentUntouched()
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

void TestSvgView::loadingRewritesTheRootToTheWorkArea()
{
    SVGView view;
    view.setSceneBound(1234.5678, 800);
    const QString path = writeFile("sized.svg", svg("<g/>", "width='100mm' height='50mm'").toUtf8());
    QVERIFY(view.openFile(path));
    const QDomElement root = view.document()->domDocument().documentElement();
    QCOMPARE(root.attribute("width"), QStringLiteral("1234.568"));
    QCOMPARE(root.attribute("height"), QStringLiteral("800.000"));
    QCOMPARE(view.scene()->sceneRect(), QRectF(0, 0, 1234.5678, 800));
    QCOMPARE(view.itemFactory()->pageRect(view.document()->svgElement())->rect(), QRectF(0, 0, 1234.5678, 800));

    QVERIFY(view.newDocument());
    QCOMPARE(view.document()->domDocument().documentElement().attribute("width"),
             QStringLiteral("1234.568"));
    QVERIFY(view.currentLayer());
}

void TestSvgView::addNodeNeedsACurrentLayer()
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
    QCOMPARE(view.itemOf(node)->parentItem(), view.itemOf(nodeById(view, "layer")));
    QCOMPARE(view.itemOf(node)->pos(), QPointF(10, 20));
}

void TestSvgView::saveAndReloadKeepsEveryAttribute()
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

void TestSvgView::replacingTheDocumentDropsEveryReferenceIntoIt()
{
    SVGView view;
    Scene *scene = view.scene();
    Node *rect = view.addNode("rect", {"width", "height"}, {"10", "10"});
    QVERIFY(rect);
    scene->setCopiedItems({view.itemOf(rect)}, QRectF(0, 0, 10, 10));
    scene->setDrawingNode(rect);
    scene->leftSelected(view.itemOf(rect));
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
    QCOMPARE(scene->selectionBounds({view.itemOf(added)}), view.itemOf(added)->sceneBoundingRect());

    scene->setCopiedItems({view.itemOf(added)}, QRectF());
    scene->setDrawingNode(added);
    QVERIFY(view.newDocument());
    QVERIFY(scene->copiedItems().isEmpty());
    QCOMPARE(scene->drawingNode(), nullptr);
    QCOMPARE(scene->propertySummary(scene->copiedItems()).value("fill"), QString());
}

void TestSvgView::badInputLoadsIntoAUsableDocument_data()
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

void TestSvgView::badInputLoadsIntoAUsableDocument()
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

void TestSvgView::checkedInFixturesLoad_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("drawables");
    const QString data = qEnvironmentVariable("PLIMB_TEST_DATA") + "/document/";
    // A line item asked Qt for its bounds, which asked the item for its shape: endless recursion.
    QTest::newRow("wide line") << data + "wide-line.svg" << 1;
    // Drawables under defs are not shown and do not count for the job.
    QTest::newRow("drawables in defs") << data + "drawables-in-defs.svg" << 1;
}

void TestSvgView::checkedInFixturesLoad()
{
    QFETCH(QString, file);
    QFETCH(int, drawables);
    SVGView view;
    QVERIFY(view.openFile(file));
    int count = 0;
    for (QGraphicsItem *item : view.scene()->items()) {
        Node *node = ItemFactory::nodeOf(item);
        if (node && node->type() != NodeType::Svg && node->type() != NodeType::G)
            ++count;
    }
    QCOMPARE(count, drawables);
    QImage image(100, 100, QImage::Format_ARGB32);
    QPainter painter(&image);
    view.scene()->render(&painter);
}

QTEST_MAIN(TestSvgView)
#include "tst_svgview.moc"
