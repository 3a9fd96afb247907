// The undo commands on a design without any canvas: they change the
// document, and the document's observer hears each step.
#include "document/addpathgroupundo.h"
#include "document/addundo.h"
#include "document/attributeundo.h"
#include "document/node.h"
#include "document/nodeobserver.h"
#include "document/removepathgroupundo.h"
#include "document/removeundo.h"
#include "document/svgdocument.h"
#include "document/undostack.h"

#include "designfixture.h"
#include "stdoutcapture.h"

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

// What the canvas would be told, one line per call, by element id.
class RecordingObserver : public NodeObserver
{
public:
    QStringList events;

    void nodeCreated(Node *node) override { events.append("created " + name(node)); }
    void nodeChanged(Node *node, Changes changes) override
    {
        events.append(QStringLiteral("changed %1 %2").arg(name(node)).arg(int(changes)));
    }
    void nodeDestroyed(Node *node) override { events.append("destroyed " + name(node)); }
    void nodeDetached(Node *node) override { events.append("detached " + name(node)); }
    void nodeReattached(Node *node) override { events.append("reattached " + name(node)); }
    void treeAboutToBeReplaced() override {}

    // The lines naming one of `ids`, in order.
    QStringList about(const QStringList &ids) const
    {
        QStringList found;
        for (const QString &event : events) {
            if (ids.contains(event.section(' ', 1, 1)))
                found.append(event);
        }
        return found;
    }

private:
    static QString name(const Node *node)
    {
        const QString id = node->element().attribute("id");
        return id.isEmpty() ? node->element().tagName() : id;
    }
};

// A design with the observer set before the text, as the canvas sets it.
struct Design
{
    explicit Design(const QString &body)
    {
        document.setObserver(&observer);
        document.setSvgText(svg(body));
        observer.events.clear();
    }
    Node *node(const QString &id) { return nodeById(document, id); }
    // The ids of the layer's children in DOM order.
    QStringList order(const QString &layer)
    {
        QStringList ids;
        for (QDomElement e = node(layer)->element().firstChildElement(); !e.isNull();
             e = e.nextSiblingElement())
            ids.append(e.attribute("id"));
        return ids;
    }

    RecordingObserver observer;
    SVGDocument document;
};

void replay(UndoStack &stack, bool undo)
{
    // The trace lines on standard output would end up in the test log.
    StdoutCapture quiet;
    QVERIFY(undo ? stack.undo() : stack.redo());
}

} // namespace

class TestUndoCommandsCore : public QObject
{
    Q_OBJECT

private slots:
    void stackReplaysInPushOrder_data();
    void stackReplaysInPushOrder();
    void attributeUndoTracesEachStep();
    void elementCommandsRestoreRowsExactly_data();
    void elementCommandsRestoreRowsExactly();
    void droppedCommandsDeleteWhatTheyHold_data();
    void droppedCommandsDeleteWhatTheyHold();
    void containerRefitsAfterEachMove();
};

void TestUndoCommandsCore::stackReplaysInPushOrder_data()
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

void TestUndoCommandsCore::stackReplaysInPushOrder()
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

void TestUndoCommandsCore::attributeUndoTracesEachStep()
{
    Design design("<g><rect id='r' x='1' y='2' width='10' height='10'/>"
                  "<line id='c' x1='5' y1='5' x2='9' y2='9'/></g>");
    Node *rect = design.node("r");
    Node *line = design.node("c");
    auto command = std::make_unique<AttributeUndo>();
    AttributeUndo *attributes = command.get();
    SVGDocument::applyAttribute(rect, "x", "3");
    SVGDocument::applyAttribute(rect, "y", "4");
    command->addRecord(AttributeRecord{rect, {"x", "y"}, {"1", "2"}, {"3", "4"}});
    // A change applyAttribute refused gives no record, and adds none.
    command->addRecord(SVGDocument::applyAttribute(line, "x1", "9"));
    // A name applyAttribute does not take is passed over when replayed.
    command->addRecord(AttributeRecord{line, {"x1"}, {"5"}, {"9"}});
    QCOMPARE(attributes->records().size(), 2);
    QCOMPARE(command->kind(), UndoKind::Attribute);
    UndoStack stack;
    stack.push(std::move(command));
    design.observer.events.clear();

    QTest::ignoreMessage(QtDebugMsg, "name: x1 value: 5");
    QTest::ignoreMessage(QtDebugMsg, "name: y value: 2");
    QTest::ignoreMessage(QtDebugMsg, "name: x value: 1");
    StdoutCapture undone;
    stack.undo();
    const QByteArray undoTrace = undone.text();
    // The trace names the opposite direction.
    QCOMPARE(undoTrace, QByteArray("Redo::Attribute::doSomething, operating size:2\n"));
    QCOMPARE(rect->element().attribute("x"), QStringLiteral("1"));
    QCOMPARE(rect->element().attribute("y"), QStringLiteral("2"));
    QCOMPARE(line->element().attribute("x1"), QStringLiteral("5"));
    // Without a canvas, the observer is what moves the item back.
    QVERIFY2(design.observer.about({"r"}).size() >= 2, qPrintable(design.observer.events.join('\n')));
    QVERIFY(design.observer.about({"c"}).isEmpty());

    QTest::ignoreMessage(QtDebugMsg, "name: x value: 3");
    QTest::ignoreMessage(QtDebugMsg, "name: y value: 4");
    QTest::ignoreMessage(QtDebugMsg, "name: x1 value: 9");
    StdoutCapture redone;
    stack.redo();
    const QByteArray redoTrace = redone.text();
    QCOMPARE(redoTrace, QByteArray("Undo::Attribute::doSomething, operating size:2\n"));
    QCOMPARE(rect->element().attribute("x"), QStringLiteral("3"));
    QCOMPARE(rect->element().attribute("y"), QStringLiteral("4"));
    QCOMPARE(line->element().attribute("x1"), QStringLiteral("5"));
}

void TestUndoCommandsCore::elementCommandsRestoreRowsExactly_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("after");     // the layer's ids with the change in effect
    QTest::addColumn<QStringList>("undoEvents"); // what the observer hears on undo

    // The layer starts as a b c d; the command's change is made by hand
    // first, as the editing operations make it before they push.
    QTest::newRow("add") << "add" << QStringList{"a", "b", "c", "d", "n"}
                         << QStringList{"detached n"};
    // Removing from the middle and the end: each returns to its own row.
    QTest::newRow("remove") << "remove" << QStringList{"a", "c"}
                            << QStringList{"reattached d", "reattached b"};
    // Paths merged into a new one at the end.
    QTest::newRow("merge") << "merge" << QStringList{"a", "d", "n"}
                           << QStringList{"reattached c", "reattached b", "detached n"};
    // A path split into parts at the end.
    QTest::newRow("split") << "split" << QStringList{"a", "c", "d", "n", "m"}
                           << QStringList{"detached n", "detached m", "reattached b"};
}

void TestUndoCommandsCore::elementCommandsRestoreRowsExactly()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, after);
    QFETCH(QStringList, undoEvents);
    Design design("<g id='layer'><path id='a' d='M0,0 L1,1'/><path id='b' d='M2,2 L3,3'/>"
                  "<path id='c' d='M4,4 L5,5'/><path id='d' d='M6,6 L7,7'/></g>");
    const QStringList before = design.order("layer");
    const QString text = design.document.toSvgText();
    Node *layer = design.node("layer");
    const auto add = [&](const QString &id) {
        return layer->addChildElement("path", {"id", "d"}, {id, "M9,9 L8,8"});
    };

    std::unique_ptr<Undo> command;
    if (kind == "add") {
        command = std::make_unique<AddUndo>(add("n"));
    } else if (kind == "remove") {
        const QList<Node *> removed{design.node("b"), design.node("d")};
        for (Node *node : removed)
            QVERIFY(design.document.detachNode(node));
        command = std::make_unique<RemoveUndo>(removed);
    } else if (kind == "merge") {
        Node *merged = add("n");
        const QList<Node *> removed{design.node("b"), design.node("c")};
        for (Node *node : removed)
            QVERIFY(design.document.detachNode(node));
        command = std::make_unique<AddPathGroupUndo>(removed, merged);
    } else {
        Node *split = design.node("b");
        const QList<Node *> parts{add("n"), add("m")};
        QVERIFY(design.document.detachNode(split));
        command = std::make_unique<RemovePathGroupUndo>(parts, split);
    }
    QCOMPARE(design.order("layer"), after);
    const QString changed = design.document.toSvgText();
    UndoStack stack;
    stack.push(std::move(command));

    for (int round = 0; round < 2; ++round) {
        design.observer.events.clear();
        replay(stack, true);
        QCOMPARE(design.order("layer"), before);
        QCOMPARE(design.document.toSvgText(), text);
        QStringList moves = design.observer.events.filter(QRegularExpression("^(detached|reattached) "));
        QVERIFY2(moves == undoEvents, qPrintable(design.observer.events.join(" / ")));
        // The layer's item refits to its children after every move.
        QVERIFY(design.observer.events.contains("changed layer 32"));
        // The object tree answers for the rows as the DOM has them.
        for (int row = 0; row < before.size(); ++row)
            QCOMPARE(layer->child(row)->element().attribute("id"), before.at(row));

        replay(stack, false);
        QCOMPARE(design.order("layer"), after);
        QCOMPARE(design.document.toSvgText(), changed);
    }
}

void TestUndoCommandsCore::droppedCommandsDeleteWhatTheyHold_data()
{
    QTest::addColumn<bool>("undone");
    QTest::addColumn<QStringList>("destroyed");

    // In effect, a removal holds the removed elements; undone, it holds
    // nothing: they are back in the design.
    QTest::newRow("in effect") << false << QStringList{"destroyed b"};
    QTest::newRow("undone") << true << QStringList();
}

void TestUndoCommandsCore::droppedCommandsDeleteWhatTheyHold()
{
    QFETCH(bool, undone);
    QFETCH(QStringList, destroyed);
    Design design("<g id='layer'><rect id='a' width='1' height='1'/>"
                  "<rect id='b' width='2' height='2'/></g>");
    Node *b = design.node("b");
    QVERIFY(design.document.detachNode(b));
    {
        UndoStack stack;
        stack.push(std::make_unique<RemoveUndo>(QList<Node *>{b}));
        if (undone)
            replay(stack, true);
        design.observer.events.clear();
    }
    QCOMPARE(design.observer.events.filter("destroyed"), destroyed);
    QCOMPARE(design.order("layer"), undone ? QStringList({"a", "b"}) : QStringList({"a"}));
}

void TestUndoCommandsCore::containerRefitsAfterEachMove()
{
    // A detach that fails (the element is not in the design) tells no one.
    Design design("<g id='layer'><rect id='a' width='1' height='1'/></g>");
    Node *a = design.node("a");
    QVERIFY(design.document.detachNode(a));
    design.observer.events.clear();
    QVERIFY(!design.document.detachNode(a));
    QVERIFY(design.observer.events.isEmpty());
    QVERIFY(design.document.reattachNode(a));
    QCOMPARE(design.observer.events, QStringList({"reattached a", "changed layer 32"}));
    design.observer.events.clear();
    QVERIFY(!design.document.reattachNode(a));
    QVERIFY(design.observer.events.isEmpty());
}

QTEST_MAIN(TestUndoCommandsCore)
#include "tst_undocommandscore.moc"
