#include "canvas/graphicstextitem.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "designfixture.h"
#include "document/attributeundo.h"
#include "document/node.h"
#include "document/svgdocument.h"
#include "document/undostack.h"
#include "stdoutcapture.h"

#include <QDomNamedNodeMap>
#include <functional>
#include <QtTest>

using DesignFixture::nodeById;
using DesignFixture::svg;

namespace {

QString exact(double value)
{
    return QString::number(value, 'g', 17);
}

// The element's attributes and text, and the item's geometry, written out
// with every digit so that "restored" means exactly restored.
QStringList snapshot(const SVGView &view, const Node *node)
{
    QStringList lines;
    const QDomNamedNodeMap attributes = node->element().attributes();
    for (int i = 0; i < attributes.count(); ++i) {
        const QDomAttr attribute = attributes.item(i).toAttr();
        lines << attribute.name() + "=" + attribute.value();
    }
    lines.sort();
    lines << "text=" + node->element().text();
    const QGraphicsItem *item = view.itemOf(node);
    const QTransform t = item->sceneTransform();
    lines << QString("scene transform %1 %2 %3 %4 %5 %6")
                     .arg(exact(t.m11()), exact(t.m12()), exact(t.m21()), exact(t.m22()),
                          exact(t.dx()), exact(t.dy()));
    const QRectF r = item->sceneBoundingRect();
    lines << QString("bounds %1 %2 %3 %4")
                     .arg(exact(r.x()), exact(r.y()), exact(r.width()), exact(r.height()));
    if (item->type() == GraphicsTextItem::Type)
        lines << "item text=" + static_cast<const GraphicsTextItem *>(item)->toPlainText();
    return lines;
}

} // namespace

class TestUndoCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void attributeUndoRestoresTextAndGeometryExactly_data();
    void attributeUndoRestoresTextAndGeometryExactly();
};

void TestUndoCommands::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestUndoCommands::attributeUndoRestoresTextAndGeometryExactly_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("values");

    // What a drag writes back, plus a fill that changes the hit shape. The
    // style is in the form a declaration change writes it back in.
    QTest::newRow("rect moved")
            << "<rect id='t' x='10' y='20' width='30' height='40' transform='rotate(30)' "
               "style='fill:red;stroke:#000000;'/>"
            << QStringList{"x", "y", "transform", "fill"}
            << QStringList{"15.000000", "20.000000",
                           "matrix(0.866025,0.500000,-0.500000,0.866025,2.500000,-1.339746)", "none"};
    // The left of the box is kept as cx = left + rx, so it depends on the radius.
    QTest::newRow("ellipse radius and left")
            << "<ellipse id='t' cx='50.000000' cy='60' rx='10' ry='5' transform='translate(3,4)'/>"
            << QStringList{"rx", "ry", "x"} << QStringList{"20", "8", "100"};
    // "x" and "y" of a path are shifts merged into its transform, so the
    // record names "transform" twice.
    QTest::newRow("path shifted") << "<path id='t' d='M0,0 L10,10' transform='translate(1,2)'/>"
                                  << QStringList{"x", "y"} << QStringList{"5", "7"};
    QTest::newRow("text edited and moved")
            << "<text id='t' x='5' y='6' tolvenRik:Alignment='AlignLeft'>abc</text>"
            << QStringList{"word", "tolvenRik:Alignment", "x"}
            << QStringList{"abcdef", "AlignRight", "40"};
}

void TestUndoCommands::attributeUndoRestoresTextAndGeometryExactly()
{
    QFETCH(QString, element);
    QFETCH(QStringList, names);
    QFETCH(QStringList, values);
    SVGView view;
    view.document()->setSvgText(svg("<g>" + element + "</g>"));
    Scene *scene = view.scene();
    Node *node = nodeById(view, "t");
    const QStringList before = snapshot(view, node);

    // One record with all the names, as a gesture collects them.
    AttributeRecord record{node, {}, {}, {}};
    for (int i = 0; i < names.size(); ++i) {
        const std::optional<AttributeRecord> step = scene->applyAttribute(node, names.at(i), values.at(i));
        QVERIFY2(step, qPrintable(names.at(i)));
        record.names += step->names;
        record.oldValues += step->oldValues;
        record.newValues += step->newValues;
    }
    const QStringList after = snapshot(view, node);
    QVERIFY(after != before);
    auto command = std::make_unique<AttributeUndo>();
    command->addRecord(record);
    UndoStack stack;
    stack.push(std::move(command));
    QCOMPARE(snapshot(view, node), after);

    // The trace line would end up in the test log.
    const auto quietly = [](const std::function<void()> &step) {
        StdoutCapture quiet;
        step();
    };
    quietly([&] { stack.undo(); });
    QCOMPARE(snapshot(view, node), before);
    quietly([&] { stack.redo(); });
    QCOMPARE(snapshot(view, node), after);
    quietly([&] { stack.undo(); });
    QCOMPARE(snapshot(view, node), before);
}

QTEST_MAIN(TestUndoCommands)
#include "tst_undocommands.moc"
