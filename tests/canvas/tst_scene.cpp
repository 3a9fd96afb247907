#include "canvas/domtreeview.h"
#include "canvas/graphicsellipseitem.h"
#include "canvas/graphicsgroupitem.h"
#include "canvas/graphicsimageitem.h"
#include "canvas/graphicslineitem.h"
#include "canvas/graphicspathitem.h"
#include "canvas/graphicsrectitem.h"
#include "canvas/graphicstextitem.h"
#include "canvas/itemfactory.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "designfixture.h"
#include "document/node.h"
#include "document/svgdocument.h"

#include <QBuffer>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionGraphicsItem>
#include <QtTest>

using DesignFixture::nodeById;
using DesignFixture::svg;

Q_DECLARE_METATYPE(Qt::MouseButton)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

class TestScene : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void itemTypesAndTransforms();
    void outlineShapesArePicked_data();
    void outlineShapesArePicked();
    void cornerRadiiAreClampedToHalfTheSide_data();
    void cornerRadiiAreClampedToHalfTheSide();
    void pressesReportTheButtonAndControlAlone_data();
    void pressesReportTheButtonAndControlAlone();
    void selectionBounds_data();
    void selectionBounds();
    void jobBoundsCountsDrawableElementsOnly();
    void propertySummaryMergesMixedValuesToErr();
    void applyAttributeRecordsEachKind_data();
    void applyAttributeRecordsEachKind();
    void applyAttributeReplaysToTheOldState();
    void addSvgKeepsASingleGroupOrWrapsTheRest();
    void addImageGoesIntoTheLayerAtTheOrigin();
    void backgroundShowsTheCentimetreGrid();
    void domTreeViewFollowsReplacedDocuments();
};

void TestScene::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    qRegisterMetaType<QGraphicsItem *>();
}

void TestScene::itemTypesAndTransforms()
{
    SVGView view;
    view.document()->setSvgText(svg(
            "<g id='g'><rect id='rect' x='10' y='20' width='5' height='5' transform='rotate(90)'/>"
            "<circle id='circle' cx='50' cy='50' r='10' transform='translate(5,0)'/>"
            "<ellipse id='ellipse' cx='0' cy='0' rx='4' ry='2'/>"
            "<line id='line' x1='0' y1='0' x2='4' y2='4'/>"
            "<polyline id='polyline' points='0,0 5,5 10,0'/><polygon id='polygon' points='0,0 5,5 10,0'/>"
            "<path id='path' d='M0,0 L10,0'/><text id='text'>T</text><a id='a'><rect/></a>"
            "<image id='image'/></g>"));
    const QList<QPair<QString, int>> expected{
            {"g", GraphicsRectItem::Type},          {"rect", GraphicsRectItem::Type},
            {"circle", GraphicsEllipseItem::Type},  {"ellipse", GraphicsEllipseItem::Type},
            {"line", GraphicsLineItem::Type},       {"polyline", GraphicsPathItem::Type},
            {"polygon", GraphicsPathItem::Type},    {"path", GraphicsPathItem::Type},
            {"text", GraphicsTextItem::Type},       {"a", GraphicsRectItem::Type},
            {"image", GraphicsImageItem::Type}};
    for (const auto &entry : expected) {
        Node *node = nodeById(view, entry.first);
        QVERIFY2(node && view.itemOf(node), qPrintable(entry.first));
        QCOMPARE(view.itemOf(node)->type(), entry.second);
        QCOMPARE(ItemFactory::nodeOf(view.itemOf(node)), node);
    }
    QCOMPARE(GraphicsGroupItem(&view).type(), QGraphicsItem::UserType + 1);
    QCOMPARE(GraphicsTextItem::Type, QGraphicsItem::UserType + 7);

    // The item shows M applied to the element's own coordinates.
    QGraphicsItem *rect = view.itemOf(nodeById(view, "rect"));
    const QPointF corner = rect->mapToScene(QPointF(0, 0));
    QVERIFY(qAbs(corner.x() + 20) < 1e-9 && qAbs(corner.y() - 10) < 1e-9);
    QGraphicsItem *circle = view.itemOf(nodeById(view, "circle"));
    QCOMPARE(circle->mapToScene(QPointF(10, 10)), QPointF(55, 50));
    QVERIFY(view.itemOf(nodeById(view, "polygon"))->shape().contains(QPointF(5, 2)));
    auto *polyline = static_cast<GraphicsPathItem *>(view.itemOf(nodeById(view, "polyline")));
    QCOMPARE(polyline->path().elementCount(), 3);

    QGraphicsItem *group = view.itemOf(nodeById(view, "g"));
    QVERIFY(!(group->flags() & QGraphicsItem::ItemIsSelectable));
    QVERIFY(view.itemOf(nodeById(view, "a"))->flags() & QGraphicsItem::ItemIsSelectable);
}

namespace {

// Paints the item under a view zoom so that it learns the zoom, as on screen.
void paintAtZoom(QGraphicsItem *item, double zoom)
{
    QImage image(10, 10, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.scale(zoom, zoom);
    QStyleOptionGraphicsItem option;
    item->paint(&painter, &option, nullptr);
}

} // namespace

void TestScene::outlineShapesArePicked_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<double>("inside");
    QTest::addColumn<double>("outside");

    const QString rect = "<rect id='t' width='400' height='400' style='fill:none'/>";
    const QString ellipse = "<ellipse id='t' cx='200' cy='200' rx='200' ry='200' fill='none'/>";
    const QString path = "<path id='t' d='M0,0 L400,0 L400,400 L0,400 Z' fill='none'/>";
    // At 4x zoom 20 pixels are 5 units: the band reaches 2.5 units in.
    QTest::newRow("rect 4x") << rect << 4.0 << 2.4 << 2.6;
    QTest::newRow("rect 1x") << rect << 1.0 << 9.9 << 10.1;
    // At 0.1x zoom 20 pixels are 200 units, capped at 100: 50 units in.
    QTest::newRow("rect 0.1x") << rect << 0.1 << 49.0 << 51.0;
    QTest::newRow("ellipse 4x") << ellipse << 4.0 << 2.4 << 2.6;
    QTest::newRow("ellipse 0.1x") << ellipse << 0.1 << 49.0 << 51.0;
    QTest::newRow("path 4x") << path << 4.0 << 2.4 << 2.6;
    QTest::newRow("path 0.1x") << path << 0.1 << 49.0 << 51.0;
}

void TestScene::outlineShapesArePicked()
{
    QFETCH(QString, element);
    QFETCH(double, zoom);
    QFETCH(double, inside);
    QFETCH(double, outside);
    SVGView view;
    view.document()->setSvgText(svg("<g>" + element + "</g>"));
    QGraphicsItem *item = view.itemOf(nodeById(view, "t"));
    paintAtZoom(item, zoom);
    const QPainterPath shape = item->shape();
    QVERIFY(shape.contains(QPointF(inside, 200)));
    // An outline rectangle or ellipse is picked inside too (the old fault:
    // only along its edge); a path keeps the band.
    const bool closedShape = !element.startsWith(QLatin1String("<path"));
    QCOMPARE(shape.contains(QPointF(outside, 200)), closedShape);
    QCOMPARE(shape.contains(QPointF(200, 200)), closedShape);

    // Filled, the same shape is picked anywhere inside.
    view.document()->setSvgText(svg("<g>" + QString(element).replace("none", "red") + "</g>"));
    item = view.itemOf(nodeById(view, "t"));
    paintAtZoom(item, zoom);
    QVERIFY(item->shape().contains(QPointF(200, 200)));
}

void TestScene::cornerRadiiAreClampedToHalfTheSide_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<double>("rx");
    QTest::addColumn<double>("ry");
    QTest::addColumn<QPointF>("topEdgeStart");
    QTest::addColumn<QPointF>("leftEdgeStart");

    QTest::newRow("rx 30 on width 40 is 20") << QRectF(0, 0, 40, 100) << 30.0 << 10.0
                                             << QPointF(20, 0) << QPointF(0, 10);
    QTest::newRow("ry 80 on height 100 is 50") << QRectF(0, 0, 300, 100) << 10.0 << 80.0
                                               << QPointF(10, 0) << QPointF(0, 50);
    QTest::newRow("within limits") << QRectF(5, 5, 100, 100) << 10.0 << 20.0 << QPointF(15, 5)
                                   << QPointF(5, 25);
}

void TestScene::cornerRadiiAreClampedToHalfTheSide()
{
    QFETCH(QRectF, rect);
    QFETCH(double, rx);
    QFETCH(double, ry);
    QFETCH(QPointF, topEdgeStart);
    QFETCH(QPointF, leftEdgeStart);
    const QPainterPath path = GraphicsRectItem::roundedPath(rect, rx, ry);
    QCOMPARE(QPointF(path.elementAt(0)), leftEdgeStart);
    bool found = false;
    for (int i = 0; i < path.elementCount(); ++i)
        found = found || QPointF(path.elementAt(i)) == topEdgeStart;
    QVERIFY(found);
    QCOMPARE(path.boundingRect(), rect);
}

void TestScene::pressesReportTheButtonAndControlAlone_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("signal");

    QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers() << "left";
    QTest::newRow("control") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ControlModifier) << "ctl";
    QTest::newRow("control and shift")
            << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier) << "left";
    QTest::newRow("right with control") << Qt::RightButton
                                        << Qt::KeyboardModifiers(Qt::ControlModifier) << "right";
    QTest::newRow("middle") << Qt::MiddleButton << Qt::KeyboardModifiers() << "right";
}

void TestScene::pressesReportTheButtonAndControlAlone()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, signal);
    SVGView view;
    view.document()->setSvgText(svg("<g><rect id='t' width='10' height='10'/></g>"));
    auto *item = static_cast<GraphicsRectItem *>(view.itemOf(nodeById(view, "t")));
    QSignalSpy left(item, &GraphicsRectItem::leftSelected);
    QSignalSpy ctl(item, &GraphicsRectItem::leftCtlSelected);
    QSignalSpy right(item, &GraphicsRectItem::rightSelected);

    QGraphicsSceneMouseEvent press(QEvent::GraphicsSceneMousePress);
    press.setButton(button);
    press.setButtons(button);
    press.setModifiers(modifiers);
    press.setScenePos(QPointF(5, 5));
    view.scene()->sendEvent(item, &press);

    QCOMPARE(left.count(), signal == "left" ? 1 : 0);
    QCOMPARE(ctl.count(), signal == "ctl" ? 1 : 0);
    QCOMPARE(right.count(), signal == "right" ? 1 : 0);
    const QList<QVariant> arguments = (signal == "left" ? left : signal == "ctl" ? ctl : right).first();
    QCOMPARE(arguments.first().value<QGraphicsItem *>(), static_cast<QGraphicsItem *>(item));
    // The scene picked it up: a left press selects, the right one clears.
    QCOMPARE(item->isSelected(), signal != "right");
}

void TestScene::selectionBounds_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<QRectF>("expected");

    QTest::newRow("nothing") << "<g/>" << QStringList() << QRectF(0, 0, 0, 0);
    // The union starts at right = bottom = 0.
    QTest::newRow("negative item") << "<g><rect id='a' x='-50' y='-50' width='20' height='20' "
                                      "stroke='none'/></g>"
                                   << QStringList{"a"} << QRectF(-50, -50, 50, 50);
    QTest::newRow("path without pen width")
            << "<g><path id='p' d='M100,100 L200,150' stroke='black' stroke-width='10'/></g>"
            << QStringList{"p"} << QRectF(100, 100, 100, 50);
    QTest::newRow("two items") << "<g><path id='p' d='M100,100 L200,150'/>"
                                  "<path id='q' d='M300,50 L310,60' transform='translate(10,0)'/></g>"
                               << QStringList{"p", "q"} << QRectF(100, 50, 220, 100);
}

void TestScene::selectionBounds()
{
    QFETCH(QString, body);
    QFETCH(QStringList, ids);
    QFETCH(QRectF, expected);
    SVGView view;
    view.document()->setSvgText(svg(body));
    QList<QGraphicsItem *> items;
    for (const QString &id : ids)
        items.append(view.itemOf(nodeById(view, id)));
    QCOMPARE(view.scene()->selectionBounds(items), expected);
}

void TestScene::jobBoundsCountsDrawableElementsOnly()
{
    SVGView view;
    view.setSceneBound(1875, 1875);
    view.document()->setSvgText(svg("<g><path id='p' d='M100,100 L200,150'/><g>"
                                    "<path id='q' d='M300,300 L400,400'/></g></g>"));
    view.setSceneBound(1875, 1875);
    Scene *scene = view.scene();
    QCOMPARE(scene->jobBounds(), QRectF(100, 100, 300, 300));
    view.itemOf(nodeById(view, "p"))->setSelected(true);
    QCOMPARE(scene->jobBounds(), QRectF(100, 100, 100, 50));
    QGraphicsItem *item = view.itemOf(nodeById(view, "p"));
    const QRectF r = item->sceneBoundingRect();
    QCOMPARE(scene->itemBounds(item), QRectF(r.x() + 0.5, r.y() + 0.5, r.width() - 1, r.height() - 1));
}

void TestScene::propertySummaryMergesMixedValuesToErr()
{
    SVGView view;
    view.document()->setSvgText(svg(
            "<g><text id='a' style='font-family:Serif;fill:none' tolvenrik:scanPower='40'>one</text>"
            "<text id='b' style='font-family:Serif;fill:none' tolvenRik:Alignment='AlignCenter'>two</text>"
            "<text id='c' style='font-family:Mono;fill:red' tolvenrik:scanPower='60'>two</text></g>"));
    Scene *scene = view.scene();
    QGraphicsItem *a = view.itemOf(nodeById(view, "a"));
    QGraphicsItem *b = view.itemOf(nodeById(view, "b"));
    QGraphicsItem *c = view.itemOf(nodeById(view, "c"));

    QMap<QString, QString> same = scene->propertySummary({a, b});
    QCOMPARE(same.size(), 17);
    QCOMPARE(same.value("textFamily"), QStringLiteral("Serif"));
    QCOMPARE(same.value("fill"), QStringLiteral("none"));
    QCOMPARE(same.value("word"), QStringLiteral("err"));
    QCOMPARE(same.value("alignment"), QStringLiteral("AlignCenter"));
    QCOMPARE(same.value("scanPower"), QStringLiteral("100"));
    QCOMPARE(same.value("image"), QString());

    QMap<QString, QString> mixed = scene->propertySummary({a, c});
    QCOMPARE(mixed.value("textFamily"), QStringLiteral("err"));
    QCOMPARE(mixed.value("fill"), QStringLiteral("err"));
    QCOMPARE(mixed.value("scanPower"), QStringLiteral("60"));

    // A group contributes its stored summary under the same rule.
    GraphicsGroupItem group(&view);
    group.setProperties(scene->propertySummary({b}));
    QCOMPARE(scene->propertySummary({&group, b}).value("word"), QStringLiteral("two"));
    QCOMPARE(scene->propertySummary({a, &group}).value("word"), QStringLiteral("err"));

    // An item without element empties the whole summary.
    QGraphicsRectItem stray;
    QTest::ignoreMessage(QtDebugMsg, "con't reinterpret_cast node");
    QVERIFY(scene->propertySummary({a, &stray}).isEmpty());
}

void TestScene::applyAttributeRecordsEachKind_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("record"); // name, old, new; empty for no record
    QTest::addColumn<QString>("attribute");  // attribute=value expected afterwards

    const QString rect = "<rect id='t' x='1' y='2' width='10' height='20' style='fill:none'/>";
    const QString ellipse = "<ellipse id='t' cx='50' cy='60' rx='10' ry='5'/>";
    const QString path = "<path id='t' d='M0,0 L10,10' transform='translate(1,2)'/>";
    const QString image = "<image id='t' x='3' y='4' width='8' height='8'/>";
    const QString text = "<text id='t' x='5' y='6' tolvenRik:Alignment='AlignLeft'>abc</text>";
    QTest::newRow("rect x") << rect << "x" << "7" << QStringList{"x", "1", "7"} << "x=7";
    QTest::newRow("rect fill in style") << rect << "fill" << "#80000000"
                                        << QStringList{"fill", "none", "#80000000"}
                                        << "style=fill:#80000000;";
    // An empty value is an undo back to a missing attribute: it removes it.
    QTest::newRow("rect empty value") << rect << "width" << "" << QStringList{"width", "10", ""} << "width=";
    QTest::newRow("rect unknown name") << rect << "cx" << "3" << QStringList() << "width=10";
    QTest::newRow("ellipse left") << ellipse << "x" << "100" << QStringList{"x", "40.000000", "100"}
                                  << "cx=110.000000";
    QTest::newRow("ellipse stroke") << ellipse << "stroke" << "red" << QStringList{"stroke", "", "red"}
                                    << "style=stroke:red;";
    QTest::newRow("path x into transform")
            << path << "x" << "5" << QStringList{"transform", "translate(1,2)", "translate(6.000000,2.000000)"}
            << "transform=translate(6.000000,2.000000)";
    QTest::newRow("path d refused") << path << "d" << "M0,0" << QStringList() << "d=M0,0 L10,10";
    QTest::newRow("image width") << image << "width" << "16" << QStringList{"width", "8", "16"}
                                 << "width=16";
    QTest::newRow("image mode") << image << "tolvenrik:image" << "gray"
                                << QStringList{"tolvenrik:image", "", "gray"} << "tolvenrik:image=gray";
    QTest::newRow("text word") << text << "word" << "xyz" << QStringList{"word", "abc", "xyz"} << "";
    QTest::newRow("text alignment") << text << "tolvenRik:Alignment" << "AlignRight"
                                    << QStringList{"tolvenRik:Alignment", "AlignLeft", "AlignRight"}
                                    << "tolvenRik:Alignment=AlignRight";
    QTest::newRow("text font-size in style")
            << text << "font-size" << "80px" << QStringList{"font-size", "", "80px"} << "style=font-size:80px;";
    QTest::newRow("circle centre") << "<circle id='t' r='5'/>" << "cx" << "3" << QStringList{"cx", "", "3"} << "cx=3";
    QTest::newRow("circle fill refused") << "<circle id='t' r='5'/>" << "fill" << "red" << QStringList() << "r=5";
    QTest::newRow("line refused") << "<line id='t' x1='1'/>" << "x1" << "3" << QStringList() << "x1=1";
}

void TestScene::applyAttributeRecordsEachKind()
{
    QFETCH(QString, element);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QStringList, record);
    QFETCH(QString, attribute);
    SVGView view;
    view.document()->setSvgText(svg("<g>" + element + "</g>"));
    Node *node = nodeById(view, "t");
    const std::optional<AttributeRecord> result = view.scene()->applyAttribute(node, name, value);
    QCOMPARE(result.has_value(), !record.isEmpty());
    if (result) {
        QCOMPARE(result->element, node);
        QCOMPARE(result->names, QStringList{record.at(0)});
        QCOMPARE(result->oldValues, QStringList{record.at(1)});
        QCOMPARE(result->newValues, QStringList{record.at(2)});
    }
    if (!attribute.isEmpty()) {
        const QString attributeName = attribute.section('=', 0, 0);
        QCOMPARE(node->element().attribute(attributeName), attribute.section('=', 1));
    }
}

void TestScene::applyAttributeReplaysToTheOldState()
{
    SVGView view;
    view.document()->setSvgText(svg("<g><rect id='r' x='1' y='2' width='10' height='20' "
                                    "style='fill:none'/><path id='p' d='M0,0 L10,10'/>"
                                    "<ellipse id='e' cx='50' cy='60' rx='10' ry='5'/>"
                                    "<text id='t' x='0' y='0'>abc</text></g>"));
    Scene *scene = view.scene();
    auto *rect = static_cast<GraphicsRectItem *>(view.itemOf(nodeById(view, "r")));

    auto fill = scene->applyAttribute(nodeById(view, "r"), "fill", "red");
    QCOMPARE(rect->hollow(), 0);
    QCOMPARE(rect->brush().color(), QColor(Qt::red));
    scene->applyAttribute(fill->element, fill->names.first(), fill->oldValues.first());
    QCOMPARE(rect->hollow(), 1);

    scene->applyAttribute(nodeById(view, "r"), "rx", "30");
    QCOMPARE(rect->cornerRadiusX(), 30.0);
    scene->applyAttribute(nodeById(view, "r"), "x", "15");
    QCOMPARE(rect->pos(), QPointF(15, 2));

    // Replaying a path move restores the transform instead of moving again.
    Node *path = nodeById(view, "p");
    auto move = scene->applyAttribute(path, "y", "4");
    QCOMPARE(view.itemOf(path)->mapToScene(QPointF(0, 0)), QPointF(0, 4));
    scene->applyAttribute(move->element, move->names.first(), move->oldValues.first());
    QCOMPARE(view.itemOf(path)->mapToScene(QPointF(0, 0)), QPointF(0, 0));
    QVERIFY(!path->element().hasAttribute("transform"));

    Node *ellipse = nodeById(view, "e");
    auto radius = scene->applyAttribute(ellipse, "rx", "20");
    QCOMPARE(view.itemOf(ellipse)->sceneBoundingRect(), QRectF(30, 55, 40, 10));
    scene->applyAttribute(ellipse, "rx", radius->oldValues.first());
    QCOMPARE(view.itemOf(ellipse)->sceneBoundingRect(), QRectF(40, 55, 20, 10));

    Node *text = nodeById(view, "t");
    auto *textItem = static_cast<GraphicsTextItem *>(view.itemOf(text));
    const QRectF before = textItem->boundingRect();
    auto word = scene->applyAttribute(text, "word", "abcdef");
    QCOMPARE(text->element().text(), QStringLiteral("abcdef"));
    QVERIFY(textItem->boundingRect().width() > before.width());
    scene->applyAttribute(text, "word", word->oldValues.first());
    QCOMPARE(textItem->toPlainText(), QStringLiteral("abc"));
}

void TestScene::addSvgKeepsASingleGroupOrWrapsTheRest()
{
    SVGView view;
    Node *layer = view.currentLayer();
    QVERIFY(layer);
    const int before = layer->element().childNodes().count();

    view.scene()->addSvg(svg("<defs/><g id='only'><rect width='5' height='5'/></g>"));
    QDomElement added = layer->element().lastChildElement();
    QCOMPARE(added.attribute("id"), QStringLiteral("only"));
    Node *group = layer->findNode(added);
    QVERIFY(group && view.itemOf(group));
    QCOMPARE(group->cachedChildCount(), 1);

    view.scene()->addSvg(svg("<g id='a'/><rect id='r' width='3' height='3'/><g id='b'/><title>x</title>"));
    added = layer->element().lastChildElement();
    QCOMPARE(added.tagName(), QStringLiteral("g"));
    QVERIFY(!added.hasAttribute("id"));
    QStringList ids;
    for (QDomElement child = added.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        ids.append(child.attribute("id"));
    QCOMPARE(ids, (QStringList{"a", "r", "b"}));
    QVERIFY(nodeById(view, "r") && view.itemOf(nodeById(view, "r"))->scene() == view.scene());
    QCOMPARE(layer->element().childNodes().count(), before + 2);

    view.scene()->addSvg("<html/>");
    QCOMPARE(layer->element().childNodes().count(), before + 2);
}

void TestScene::addImageGoesIntoTheLayerAtTheOrigin()
{
    SVGView view;
    view.document()->setSvgText(svg("<g transform='translate(100,50)'/>").remove("xmlns:xlink='http://www.w3.org/1999/xlink' "));
    QImage bitmap(4, 2, QImage::Format_RGB32);
    bitmap.fill(Qt::black);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    bitmap.save(&buffer, "PNG");
    QSignalSpy modified(&view, &SVGView::itemModified);

    view.scene()->addImage(QString::fromLatin1(png.toBase64()), 40, 20);
    QCOMPARE(modified.count(), 1);
    Node *image = view.scene()->drawingNode();
    QVERIFY(image);
    QCOMPARE(image->type(), NodeType::Image);
    QCOMPARE(image->element().attribute("x"), QStringLiteral("-100.000000"));
    QCOMPARE(image->element().attribute("width"), QStringLiteral("40.000000"));
    QCOMPARE(image->element().attribute("tolvenrik:image"), QStringLiteral("bw"));
    QCOMPARE(view.document()->domDocument().documentElement().attribute("xmlns:xlink"),
             QStringLiteral("http://www.w3.org/1999/xlink"));
    QVERIFY(view.itemOf(image)->isSelected());
    QCOMPARE(view.itemOf(image)->mapToScene(QPointF(0, 0)), QPointF(0, 0));
    QCOMPARE(static_cast<GraphicsImageItem *>(view.itemOf(image))->pixmap().size(), QSize(40, 20));
}

void TestScene::backgroundShowsTheCentimetreGrid()
{
    SVGView view;
    view.setSceneBound(500, 300);
    QImage image(500, 300, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter painter(&image);
    view.scene()->render(&painter, QRectF(0, 0, 500, 300), QRectF(0, 0, 500, 300));
    painter.end();
    QCOMPARE(image.pixelColor(125, 60), QColor(Qt::lightGray));
    QCOMPARE(image.pixelColor(60, 250), QColor(Qt::lightGray));
    QCOMPARE(image.pixelColor(60, 60), QColor(Qt::white));
    QCOMPARE(image.pixelColor(0, 60), QColor(Qt::black));
}

void TestScene::domTreeViewFollowsReplacedDocuments()
{
    SVGView view;
    DomTreeView tree(QSize(256, 256));
    tree.setSVGView(&view);
    tree.setSVGView(nullptr);
    QCOMPARE(tree.model(), view.document());
    QCOMPARE(tree.sizeHint(), QSize(256, 256));
    tree.expandAll();
    view.document()->setSvgText(svg("<g id='a'><rect/><rect/></g>"));
    tree.expandAll();
    const QModelIndex root = tree.model()->index(0, 0);
    QCOMPARE(tree.model()->rowCount(tree.model()->index(0, 0, root)), 2);
    QVERIFY(view.newDocument());
    tree.expandAll();
    QCOMPARE(tree.model()->data(tree.model()->index(0, 0)).toString(), QStringLiteral("svg"));
}

QTEST_MAIN(TestScene)
#include "tst_scene.moc"
