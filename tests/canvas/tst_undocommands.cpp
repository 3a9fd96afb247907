#include "canvas/commands/attributeundo.h"
#include "canvas/commands/undostack.h"
#include "canvas/graphicstextitem.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "designfixture.h"
#include "document/node.h"
#include "document/svgdocument.h"
#include "stdoutcapture.h"

#include <QDomNamedNodeMap>
#include <functional>
#include <QtTest>

using DesignFixture::nodeById;
using DesignFixture::svg;

namespace {

// Notes each replay as "u<n>" or "r<n>" (n counts pushes from 1) and its
// own destruction, so the stack's order and ownership both show.
class ScriptedUndo : public Undo
{
public:
    ScriptedUndo(int number, QStringList *log, int *destroyed)
        : Undo(UndoKind::Attribute)
        , mNumber(number)
        , mLog(log)
        , mDestroyed(destroyed)
    {
    }
    ~ScriptedUndo() override { ++*mDestroyed; }

    void doSomething() override { *mLog << QString(undoing() ? "u%1" : "r%1").arg(mNumber); }

private:
    int mNumber;
    QStringList *mLog;
    int *mDestroyed;
};

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

    void stackReplaysInPushOrder_data();
    void stackReplaysInPushOrder();
    void attributeUndoRestoresTextAndGeometryExactly_data();
    void attributeUndoRestoresTextAndGeometryExactly();
    void attributeUndoTracesEachStep();
};

void TestUndoCommands::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestUndoCommands::stackReplaysInPushOrder_data()
{
    QTest::addColumn<QString>("script"); // p push, u undo, r redo, c clear
    QTest::addColumn<QStringList>("replays");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("destroyed");

    // A command records a change already made.
    QTest::newRow("push runs nothing") << "pp" << QStringList() << 1 << 2 << 0;
    QTest::newRow("undo at the bottom does nothing")
            << "ppuuu" << QStringList{"u2", "u1"} << -1 << 2 << 0;
    QTest::newRow("redo at the top does nothing")
            << "ppuurrr" << QStringList{"u2", "u1", "r1", "r2"} << 1 << 2 << 0;
    QTest::newRow("push drops what was undone")
            << "ppuprr" << QStringList{"u2"} << 1 << 2 << 1;
    QTest::newRow("undo after a drop skips the dropped")
            << "ppupuu" << QStringList{"u2", "u3", "u1"} << -1 << 2 << 1;
    QTest::newRow("push after undoing everything")
            << "ppuupu" << QStringList{"u2", "u1", "u3"} << -1 << 1 << 2;
    QTest::newRow("clear") << "ppucur" << QStringList{"u2"} << -1 << 0 << 2;
}

void TestUndoCommands::stackReplaysInPushOrder()
{
    QFETCH(QString, script);
    QFETCH(QStringList, replays);
    QFETCH(int, position);
    QFETCH(int, count);
    QFETCH(int, destroyed);
    QStringList log;
    int gone = 0;
    {
        UndoStack stack;
        int pushed = 0;
        for (const QChar step : script) {
            if (step == 'p')
                stack.push(std::make_unique<ScriptedUndo>(++pushed, &log, &gone));
            else if (step == 'u')
                stack.undo();
            else if (step == 'r')
                stack.redo();
            else
                stack.clear();
        }
        QCOMPARE(log, replays);
        QCOMPARE(stack.position(), position);
        QCOMPARE(stack.count(), count);
        QCOMPARE(gone, destroyed);
    }
    QCOMPARE(gone, script.count('p'));
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
    auto command = std::make_unique<AttributeUndo>(scene);
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

void TestUndoCommands::attributeUndoTracesEachStep()
{
    SVGView view;
    view.document()->setSvgText(svg("<g><rect id='r' x='1' y='2' width='10' height='10'/>"
                                    "<line id='c' x1='5' y1='5' x2='9' y2='9'/></g>"));
    Scene *scene = view.scene();
    Node *rect = nodeById(view, "r");
    Node *line = nodeById(view, "c");
    auto command = std::make_unique<AttributeUndo>(scene);
    AttributeUndo *attributes = command.get();
    scene->applyAttribute(rect, "x", "3");
    scene->applyAttribute(rect, "y", "4");
    command->addRecord(AttributeRecord{rect, {"x", "y"}, {"1", "2"}, {"3", "4"}});
    // A change applyAttribute refused gives no record, and adds none.
    command->addRecord(scene->applyAttribute(line, "x1", "9"));
    // A name applyAttribute does not take is passed over when replayed.
    command->addRecord(AttributeRecord{line, {"x1"}, {"5"}, {"9"}});
    QCOMPARE(attributes->records().size(), 2);
    QCOMPARE(command->kind(), UndoKind::Attribute);
    UndoStack stack;
    stack.push(std::move(command));

    QTest::ignoreMessage(QtDebugMsg, "name: x1 value: 5");
    QTest::ignoreMessage(QtDebugMsg, "name: y value: 2");
    QTest::ignoreMessage(QtDebugMsg, "name: x value: 1");
    StdoutCapture undone;
    stack.undo();
    const QByteArray undoTrace = undone.text();
    // The trace names the opposite direction.
    QCOMPARE(undoTrace, QByteArray("Redo::Attribute::doSomething, operating size:2\n"));
    QCOMPARE(rect->element().attribute("x"), QStringLiteral("1"));
    QCOMPARE(view.itemOf(rect)->pos(), QPointF(1, 2));
    QCOMPARE(line->element().attribute("x1"), QStringLiteral("5"));

    QTest::ignoreMessage(QtDebugMsg, "name: x value: 3");
    QTest::ignoreMessage(QtDebugMsg, "name: y value: 4");
    QTest::ignoreMessage(QtDebugMsg, "name: x1 value: 9");
    StdoutCapture redone;
    stack.redo();
    const QByteArray redoTrace = redone.text();
    QCOMPARE(redoTrace, QByteArray("Undo::Attribute::doSomething, operating size:2\n"));
    QCOMPARE(view.itemOf(rect)->pos(), QPointF(3, 4));
    QCOMPARE(line->element().attribute("x1"), QStringLiteral("5"));
}

QTEST_MAIN(TestUndoCommands)
#include "tst_undocommands.moc"
