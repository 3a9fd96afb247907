#include "gcode/outlineitem.h"
#include "gcode/outlinemoves.h"
#include "gcode/outlineshape.h"
#include "gcode/sortitemlist.h"

#include <QDomDocument>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

#include <cmath>

class TestOutlineCutting : public QObject
{
    Q_OBJECT

private slots:
    void rectangleGolden();
    void moves_data();
    void moves();
    void shapes_data();
    void shapes();
    void unknownShapeIsLogged();
    void passes_data();
    void passes();
    void enclosingTransforms();
    void curveFlattening_data();
    void curveFlattening();
    void reversedPath();
    void reversedPathDrawsOnlyWhatWasDrawn_data();
    void reversedPathDrawsOnlyWhatWasDrawn();
    void innerOutlinesFirst_data();
    void innerOutlinesFirst();
    void nearerEndReverses();
    void orderingMatchesReference();
    void spentBudgetKeepsEveryOutline();
    void sortItemListConversion_data();
    void sortItemListConversion();
};

namespace {

QDomDocument gDocument;

// The first element of an SVG fragment.
QDomElement element(const QString &fragment)
{
    const QString text = QStringLiteral("<svg xmlns:tolvenrik='urn:tolvenrik'>%1</svg>").arg(fragment);
    if (!gDocument.setContent(text))
        qFatal("bad fixture %s", qPrintable(fragment));
    return gDocument.documentElement().firstChildElement();
}

QStringList lines(const QVector<GCodeBuffer> &records)
{
    QStringList out;
    for (const GCodeBuffer &record : records)
        out << record.toString().trimmed();
    return out;
}

struct Outline
{
    QString d;
    double power;
    double speed;
    double xBacklash;
    double yBacklash;
};

} // namespace

Q_DECLARE_METATYPE(QVector<Outline>)

namespace {

QStringList cut(const QVector<Outline> &outlines)
{
    QVector<GCodeBuffer> out;
    OutlineMoves moves(1000, 1500);
    for (const Outline &o : outlines) {
        const QPainterPath path = OutlineShape::elementPath(
                element(QStringLiteral("<path d='%1'/>").arg(o.d)), 1, QTransform());
        moves.append(path, o.power, o.speed, o.xBacklash, o.yBacklash, out);
    }
    return lines(out);
}

QPainterPath polyline(const QVector<QPointF> &points)
{
    QPainterPath path(points.first());
    for (int i = 1; i < points.size(); ++i)
        path.lineTo(points.at(i));
    return path;
}

OutlineItem item(const QPainterPath &path, double power = 100)
{
    OutlineItem o;
    o.path = path;
    o.power = power;
    return o;
}

QPainterPath square(double x, double y, double side, bool clockwise = true)
{
    QVector<QPointF> points{ { x, y }, { x + side, y }, { x + side, y + side }, { x, y + side },
                             { x, y } };
    if (!clockwise)
        std::reverse(points.begin(), points.end());
    return polyline(points);
}

// The ordering exactly as it reads, quadratic: the yardstick for the pruned one.
QVector<OutlineItem> referenceNearest(QVector<OutlineItem> items)
{
    QVector<OutlineItem> out;
    if (items.isEmpty())
        return out;
    QPointF candidate(1000000, 1000000);
    for (const OutlineItem &o : items) {
        const QPointF s = o.path.pointAtPercent(0);
        if (s.x() < candidate.x() || s.y() < candidate.y())
            candidate = s;
    }
    int first = 0;
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).path.pointAtPercent(0) == candidate) {
            first = i;
            break;
        }
    }
    out << items.takeAt(first);
    QPointF current = out.last().path.pointAtPercent(1);
    while (!items.isEmpty()) {
        int best = 0;
        int kept = 100000000;
        bool reverse = false;
        for (int i = 0; i < items.size(); ++i) {
            // Not QLineF::length(): its rounding differs in the last bit,
            // which decides the direction of a closed curve whose two ends
            // differ only there.
            const auto length = [&current](const QPointF &p) {
                return std::sqrt((p.x() - current.x()) * (p.x() - current.x())
                                 + (p.y() - current.y()) * (p.y() - current.y()));
            };
            const double ds = length(items.at(i).path.pointAtPercent(0));
            const double de = length(items.at(i).path.pointAtPercent(1));
            const double d = qMin(ds, de);
            if (d < kept) {
                kept = int(d);
                best = i;
                reverse = de <= ds;
            }
        }
        OutlineItem next = items.takeAt(best);
        if (reverse) {
            current = next.path.pointAtPercent(0);
            next.path = OutlineOrdering::reversedPath(next.path);
        } else {
            current = next.path.pointAtPercent(1);
        }
        out << next;
    }
    return out;
}

QVector<OutlineItem> referenceContainment(QVector<OutlineItem> list)
{
    for (int i = 0; i < list.size(); ++i) {
        QVector<OutlineItem> contained;
        for (int j = 0; j < list.size(); ++j) {
            if (list.at(i).path.contains(list.at(j).path)) {
                contained << list.takeAt(j);
                if (j <= i)
                    --i;
                --j;
            }
        }
        if (!contained.isEmpty()) {
            const QVector<OutlineItem> ordered = referenceContainment(contained);
            list[i].children.assign(ordered.cbegin(), ordered.cend());
        }
    }
    return referenceNearest(list);
}

void referenceFlatten(const std::vector<OutlineItem> &items, QVector<OutlineItem> &out)
{
    for (const OutlineItem &o : items) {
        referenceFlatten(o.children, out);
        out << o;
    }
}

} // namespace

void TestOutlineCutting::rectangleGolden()
{
    const QPainterPath path = OutlineShape::elementPath(
            element("<rect x='0' y='0' width='10' height='10'/>"), 1, QTransform());
    QVector<GCodeBuffer> out;
    OutlineMoves(1000, 1500).append(path, 100, 100, 0, 0, out);
    QCOMPARE(lines(out), QStringList({ "G0X0.0000Y0.0000", "G1Y0.8000S1000.0000F1500.0000",
                                       "G1X0.8000", "G0X0.8000Y0.8000", "G1Y0.0000",
                                       "G0X0.8000Y0.0000", "G1X0.0000" }));
}

void TestOutlineCutting::moves_data()
{
    QTest::addColumn<QVector<Outline>>("outlines");
    QTest::addColumn<QStringList>("expected");

    // The reversal to positive takes up 0.1 mm beyond the turning point and
    // shifts every later X by +0.1.
    QTest::newRow("X backlash -0.1, left then right")
            << QVector<Outline>{ { "M 0 0 L -100 0 L 0 0 L 50 0", 100, 100, -0.1, 0 } }
            << QStringList{ "G0X0.0000Y0.0000", "G1X-8.0000S1000.0000F1500.0000",
                            "G0X-7.9000Y0.0000", "G1X0.1000", "G1X4.1000" };
    QTest::newRow("offset carries to the next outline")
            << QVector<Outline>{ { "M 0 0 L -100 0 L 0 0", 100, 100, -0.1, 0 },
                                 { "M 100 100 L 200 100", 100, 100, -0.1, 0 } }
            << QStringList{ "G0X0.0000Y0.0000", "G1X-8.0000S1000.0000F1500.0000",
                            "G0X-7.9000Y0.0000", "G1X0.1000", "G0X8.1000Y8.0000",
                            "G1X16.1000S1000.0000F1500.0000" };
    QTest::newRow("Y backlash on the way back up")
            << QVector<Outline>{ { "M 0 0 L 0 100 L 0 50", 100, 100, 0, 0.2 } }
            << QStringList{ "G0X0.0000Y0.0000", "G1Y8.0000S1000.0000F1500.0000",
                            "G0X0.0000Y8.2000", "G1Y4.2000" };
    QTest::newRow("power and feed on the first line of each outline")
            << QVector<Outline>{ { "M 0 0 L 10 0 L 20 0", 50, 20, 0, 0 },
                                 { "M 0 10 L 10 10", 50, 20, 0, 0 },
                                 { "M 0 20 L 10 20", 100, 100, 0, 0 } }
            << QStringList{ "G0X0.0000Y0.0000", "G1X0.8000S500.0000F300.0000", "G1X1.6000",
                            "G0X1.6000Y0.0000", "G0X0.0000Y0.8000",
                            "G1X0.8000S500.0000F300.0000", "G0X0.8000Y0.8000",
                            "G0X0.0000Y1.6000", "G1X0.8000S1000.0000F1500.0000" };
    // 0.08 in single precision is 0.0799999982: 1/64 unit is 0.00124999998 mm.
    QTest::newRow("single-precision scale")
            << QVector<Outline>{ { "M 0.015625 0 L 1000 0", 100, 100, 0, 0 } }
            << QStringList{ "G0X0.0012Y0.0000", "G1X80.0000S1000.0000F1500.0000" };
}

void TestOutlineCutting::moves()
{
    QFETCH(QVector<Outline>, outlines);
    QFETCH(QStringList, expected);
    QCOMPARE(cut(outlines), expected);
}

void TestOutlineCutting::shapes_data()
{
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<int>("elements");
    QTest::addColumn<bool>("closed");

    QTest::newRow("rect") << "<rect x='10' y='20' width='30' height='40'/>"
                          << QRectF(10, 20, 30, 40) << 5 << true;
    QTest::newRow("rounded rect") << "<rect x='0' y='0' width='30' height='40' rx='5' ry='8'/>"
                                  << QRectF(0, 0, 30, 40) << -1 << true;
    QTest::newRow("rx beyond half the width") << "<rect width='10' height='40' rx='20'/>"
                                              << QRectF(0, 0, 10, 40) << -1 << true;
    QTest::newRow("ellipse") << "<ellipse cx='50' cy='40' rx='20' ry='10'/>"
                             << QRectF(30, 30, 40, 20) << -1 << true;
    QTest::newRow("circle") << "<circle cx='50' cy='40' r='10'/>" << QRectF(40, 30, 20, 20)
                            << -1 << true;
    QTest::newRow("line") << "<line x1='1' y1='2' x2='30' y2='40'/>" << QRectF(1, 2, 29, 38)
                          << 2 << false;
    QTest::newRow("polyline") << "<polyline points='0,0 10,0 10,10'/>" << QRectF(0, 0, 10, 10)
                              << 3 << false;
    QTest::newRow("polygon") << "<polygon points='0,0 10,0 10,10'/>" << QRectF(0, 0, 10, 10)
                             << 4 << true;
    QTest::newRow("polygon with odd count") << "<polygon points='0,0 10,0 10'/>" << QRectF()
                                            << 0 << false;
    QTest::newRow("path") << "<path d='M 5 5 L 25 5 L 25 15 Z'/>" << QRectF(5, 5, 20, 10) << 4
                          << true;
}

void TestOutlineCutting::shapes()
{
    QFETCH(QString, fragment);
    QFETCH(QRectF, bounds);
    QFETCH(int, elements);
    QFETCH(bool, closed);

    bool known = false;
    const QPainterPath path = OutlineShape::elementPath(element(fragment), 1, QTransform(), &known);
    QVERIFY(known);
    if (elements >= 0)
        QCOMPARE(path.elementCount(), elements);
    if (bounds.isNull()) {
        QVERIFY(path.isEmpty());
        return;
    }
    const QRectF actual = path.boundingRect();
    QVERIFY2(qAbs(actual.left() - bounds.left()) < 1e-9 && qAbs(actual.top() - bounds.top()) < 1e-9
                     && qAbs(actual.right() - bounds.right()) < 1e-9
                     && qAbs(actual.bottom() - bounds.bottom()) < 1e-9,
             qPrintable(QStringLiteral("%1 %2 %3 %4")
                                .arg(actual.left())
                                .arg(actual.top())
                                .arg(actual.right())
                                .arg(actual.bottom())));
    for (int i = 0; i < path.elementCount(); ++i)
        QVERIFY(!path.elementAt(i).isCurveTo());
    QCOMPARE(QPointF(path.elementAt(path.elementCount() - 1)) == QPointF(path.elementAt(0)), closed);
}

void TestOutlineCutting::unknownShapeIsLogged()
{
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("can't switch this shap"));
    bool known = true;
    const QPainterPath path =
            OutlineShape::elementPath(element("<use href='#a'/>"), 1, QTransform(), &known);
    QVERIFY(!known);
    QVERIFY(path.isEmpty());
}

void TestOutlineCutting::passes_data()
{
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<int>("passes");
    QTest::addColumn<int>("moves");

    QTest::newRow("path three times") << "<path d='M 0 0 L 10 0 L 10 10'/>" << 3 << 3;
    QTest::newRow("rect twice") << "<rect width='10' height='10'/>" << 2 << 2;
    QTest::newRow("ellipse four times") << "<ellipse rx='10' ry='5'/>" << 4 << 4;
    QTest::newRow("no pass counts as one") << "<circle r='3'/>" << 0 << 1;
    QTest::newRow("absurd count is capped") << "<line x2='1'/>" << 100000000
                                            << OutlineShape::maxPasses;
}

void TestOutlineCutting::passes()
{
    QFETCH(QString, fragment);
    QFETCH(int, passes);
    QFETCH(int, moves);

    const QPainterPath path = OutlineShape::elementPath(element(fragment), passes, QTransform());
    int count = 0;
    for (int i = 0; i < path.elementCount(); ++i)
        count += path.elementAt(i).isMoveTo();
    QCOMPARE(count, moves);
}

void TestOutlineCutting::enclosingTransforms()
{
    // Own transform first, then the ancestors': translate(5,0), scale(2), translate(125,0).
    QTransform enclosing;
    enclosing.translate(125, 0);
    enclosing.scale(2, 2);
    const QPainterPath path = OutlineShape::elementPath(
            element("<rect width='10' height='10' transform='translate(5,0)'/>"), 1, enclosing);
    QCOMPARE(path.boundingRect(), QRectF(135, 0, 20, 20));
}

void TestOutlineCutting::curveFlattening_data()
{
    QTest::addColumn<QString>("d");
    QTest::addColumn<int>("lines");

    // Up to 150 units a curve is cut in tenths; beyond, in steps of at most 15 units.
    QTest::newRow("short curve in tenths") << "M 0 0 C 0 30 60 30 60 0" << 10;
    QTest::newRow("straight 300-unit curve") << "M 0 0 C 100 0 200 0 300 0" << 20;
    QTest::newRow("line then curve") << "M 0 0 L 10 0 C 10 20 40 20 40 0" << 11;
}

void TestOutlineCutting::curveFlattening()
{
    QFETCH(QString, d);
    QFETCH(int, lines);

    QPainterPath curved;
    curved.moveTo(0, 0);
    const QPainterPath source =
            OutlineShape::elementPath(element(QStringLiteral("<path d='%1'/>").arg(d)), 1, QTransform());
    QCOMPARE(source.elementCount(), lines + 1);
    QVERIFY(source.elementAt(0).isMoveTo());
    for (int i = 1; i < source.elementCount(); ++i) {
        QVERIFY(source.elementAt(i).isLineTo());
        QVERIFY(QLineF(source.elementAt(i - 1), source.elementAt(i)).length() <= 15.0001);
    }
    const QPainterPath::Element last = source.elementAt(source.elementCount() - 1);
    QVERIFY(!QStringList({ "M 0 0 C 0 30 60 30 60 0" }).contains(d) || QPointF(last) == QPointF(60, 0));
}

void TestOutlineCutting::reversedPath()
{
    QPainterPath path;
    path.moveTo(0, 0);  // a
    path.lineTo(1, 0);  // b
    path.lineTo(2, 0);  // c
    path.moveTo(3, 0);  // d
    path.lineTo(4, 0);  // e
    const QPainterPath reversed = OutlineOrdering::reversedPath(path);
    QCOMPARE(reversed.elementCount(), 5);
    const QVector<QPointF> points{ { 4, 0 }, { 3, 0 }, { 2, 0 }, { 1, 0 }, { 0, 0 } };
    const QVector<bool> moves{ true, false, true, false, false };
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(QPointF(reversed.elementAt(i)), points.at(i));
        QCOMPARE(reversed.elementAt(i).isMoveTo(), moves.at(i));
    }
}

// The drawn segments of a path: every line with the point before it.
static QList<QLineF> drawnSegments(const QPainterPath &path)
{
    QList<QLineF> segments;
    for (int i = 1; i < path.elementCount(); ++i) {
        if (path.elementAt(i).isLineTo())
            segments.append(QLineF(path.elementAt(i - 1), path.elementAt(i)));
    }
    return segments;
}

void TestOutlineCutting::reversedPathDrawsOnlyWhatWasDrawn_data()
{
    QTest::addColumn<QVector<QPointF>>("points");
    QTest::addColumn<QVector<bool>>("moves");

    // A plotter file's path that ends with a pen-up move back to the origin.
    QTest::newRow("trailing pen-up move")
            << QVector<QPointF>{{10, 10}, {60, 10}, {60, 40}, {0, 0}}
            << QVector<bool>{true, false, false, true};
    QTest::newRow("two trailing moves")
            << QVector<QPointF>{{10, 10}, {60, 10}, {5, 5}, {0, 0}}
            << QVector<bool>{true, false, true, true};
    QTest::newRow("move inside and at the end")
            << QVector<QPointF>{{0, 0}, {10, 0}, {20, 20}, {30, 20}, {0, 50}}
            << QVector<bool>{true, false, true, false, true};
}

// Reversing must give the same cuts, backwards: no pen-up move may turn
// into a burn.
void TestOutlineCutting::reversedPathDrawsOnlyWhatWasDrawn()
{
    QFETCH(QVector<QPointF>, points);
    QFETCH(QVector<bool>, moves);
    QPainterPath path;
    for (int i = 0; i < points.size(); ++i) {
        if (moves.at(i))
            path.moveTo(points.at(i));
        else
            path.lineTo(points.at(i));
    }
    QList<QLineF> expected;
    for (int i = 1; i < points.size(); ++i) {
        if (!moves.at(i))
            expected.prepend(QLineF(points.at(i), points.at(i - 1)));
    }
    const QPainterPath reversed = OutlineOrdering::reversedPath(path);
    QCOMPARE(drawnSegments(reversed), expected);
    QCOMPARE(QPointF(reversed.elementAt(0)), expected.first().p1());
}

void TestOutlineCutting::innerOutlinesFirst_data()
{
    QTest::addColumn<bool>("innerFirst");
    QTest::newRow("outer listed first") << false;
    QTest::newRow("inner listed first") << true;
}

void TestOutlineCutting::innerOutlinesFirst()
{
    QFETCH(bool, innerFirst);
    const OutlineItem outer = item(square(0, 0, 100), 10);
    const OutlineItem inner = item(square(40, 40, 20), 20);
    const OutlineItem beside = item(square(200, 0, 10), 30);
    QVector<OutlineItem> items = innerFirst ? QVector<OutlineItem>{ inner, beside, outer }
                                            : QVector<OutlineItem>{ outer, beside, inner };
    const QVector<OutlineItem> flat =
            OutlineOrdering::flattenTree(OutlineOrdering::orderByContainment(items));
    QCOMPARE(flat.size(), 3);
    QCOMPARE(flat.at(0).power, 20.0);
    QCOMPARE(flat.at(1).power, 10.0);
    QCOMPARE(flat.at(2).power, 30.0);
}

void TestOutlineCutting::nearerEndReverses()
{
    // After the square at the origin (ending at (0, 0)), the open arc's end
    // at (20, 0) is nearer than its start at (60, 0).
    QPainterPath arc(QPointF(60, 0));
    arc.cubicTo(60, 30, 20, 30, 20, 0);
    const QVector<OutlineItem> ordered = OutlineOrdering::orderNearestNeighbour(
            { item(square(0, 0, 10)), item(OutlineShape::flattenCurves(arc)) });
    QCOMPARE(ordered.size(), 2);
    QCOMPARE(ordered.at(1).path.pointAtPercent(0), QPointF(20, 0));
    QCOMPARE(ordered.at(1).path.pointAtPercent(1), QPointF(60, 0));
}

void TestOutlineCutting::orderingMatchesReference()
{
    // Whole-number coordinates give ties in distance and shared points.
    for (int round = 0; round < 60; ++round) {
        QRandomGenerator random(1000 + round);
        QVector<OutlineItem> items;
        const int count = random.bounded(1, 40);
        for (int i = 0; i < count; ++i) {
            const double x = random.bounded(0, 300);
            const double y = random.bounded(0, 300);
            const double side = random.bounded(2, 120);
            QPainterPath path;
            switch (random.bounded(6)) {
            case 0:
                path = square(x, y, side, random.bounded(2) == 0);
                break;
            case 1: {
                QPainterPath ellipse;
                ellipse.addEllipse(QRectF(x, y, side, side / 2));
                path = OutlineShape::flattenCurves(ellipse);
                break;
            }
            case 2:
                path = polyline({ { x, y }, { x + side, y + side / 3 }, { x, y + side }, { x, y } });
                break;
            case 3:
                path = polyline({ { x, y }, { x + side, y } });
                break;
            case 4:
                // Exact copies stacked on one spot: they tie on every
                // distance, and each contains what the others contain.
                path = random.bounded(2) == 0 ? square(x, y, side, random.bounded(2) == 0)
                                              : polyline({ { x, y }, { x + side, y } });
                for (int copies = random.bounded(0, 6); copies > 0; --copies, ++i)
                    items << item(path, i);
                break;
            default:
                // Nested in, or equal to, an earlier outline.
                if (!items.isEmpty()) {
                    const QRectF outer = items.at(random.bounded(items.size())).path.boundingRect();
                    const double inset = random.bounded(0, 3) * outer.width() / 8;
                    path = square(outer.left() + inset, outer.top() + inset,
                                  qMax(1.0, outer.width() - 2 * inset));
                } else {
                    path = square(x, y, side);
                }
            }
            items << item(path, i);
        }
        QVector<OutlineItem> expected;
        referenceFlatten(
                [&] {
                    const QVector<OutlineItem> top = referenceContainment(items);
                    return std::vector<OutlineItem>(top.cbegin(), top.cend());
                }(),
                expected);
        const QVector<OutlineItem> actual =
                OutlineOrdering::flattenTree(OutlineOrdering::orderByContainment(items));
        QCOMPARE(actual.size(), expected.size());
        for (int i = 0; i < actual.size(); ++i) {
            QCOMPARE(actual.at(i).power, expected.at(i).power);
            QVERIFY(actual.at(i).path == expected.at(i).path);
        }
    }
}

// Once the containment budget is spent the rest is left unsorted, but no
// outline is lost or cut twice.
void TestOutlineCutting::spentBudgetKeepsEveryOutline()
{
    QVector<OutlineItem> rings;
    for (int i = 0; i < 30; ++i)
        rings << item(square(100 - 3 * i, 100 - 3 * i, 6 * i + 2), i);
    for (const qint64 start : { qint64(0), qint64(100), qint64(1) << 40 }) {
        qint64 budget = start;
        const QVector<OutlineItem> flat =
                OutlineOrdering::flattenTree(OutlineOrdering::orderByContainment(rings, &budget));
        QCOMPARE(flat.size(), rings.size());
        QSet<double> seen;
        for (const OutlineItem &o : flat)
            seen.insert(o.power);
        QCOMPARE(seen.size(), rings.size());
        if (start > 100) {
            QVERIFY(budget > 0);
            for (int i = 0; i < flat.size(); ++i)
                QCOMPARE(flat.at(i).power, double(i));  // innermost first
        } else {
            QVERIFY(budget <= 0);
        }
    }
}

void TestOutlineCutting::sortItemListConversion_data()
{
    QTest::addColumn<QString>("entries");  // R raster, O outline, X malformed
    QTest::addColumn<QStringList>("expected");

    const QStringList raster{ "M9", "G1X1.0000" };
    const QStringList cut{ "G0X0.0000Y0.0000", "G1X0.8000S1000.0000F1500.0000" };
    const QStringList g90{ "G90" };
    QTest::newRow("nothing") << "" << QStringList();
    QTest::newRow("only a malformed entry") << "X" << QStringList();
    QTest::newRow("raster only") << "R" << QStringList{ "M4", "M8" } + raster;
    QTest::newRow("outline only, no G90") << "O" << QStringList{ "M4", "M8" } + cut;
    QTest::newRow("raster then outline") << "RO" << QStringList{ "M4", "M8" } + raster + g90 + cut;
    // An empty raster pass in front no longer ends the job there.
    QTest::newRow("malformed first") << "XRO" << QStringList{ "M4", "M8" } + raster + g90 + cut;
    QTest::newRow("malformed between") << "RXO" << QStringList{ "M4", "M8" } + raster + g90 + cut;
    // Each run of outlines is one group: the position starts again at the origin.
    QTest::newRow("outline, raster, outline")
            << "ORO" << QStringList{ "M4", "M8" } + cut + raster + g90 + cut;
}

void TestOutlineCutting::sortItemListConversion()
{
    QFETCH(QString, entries);
    QFETCH(QStringList, expected);

    GCodeBuffer relativeMove = GCodeBuffer::g(1);
    relativeMove.X = 1;
    relativeMove.Y = 0;
    relativeMove.absolute = false;
    QPainterPath line(QPointF(0, 0));
    line.lineTo(10, 0);
    SortItemList list;
    for (const QChar kind : entries) {
        if (kind == 'R')
            list.append(SortItem::raster({ GCodeBuffer::m(9), relativeMove }));
        else if (kind == 'O')
            list.append(SortItem::outline(line, 100, 100, 0, 0));
        else
            list.append(SortItem());
    }
    if (entries.contains('X'))
        QTest::ignoreMessage(QtDebugMsg, "SortItemList::toGcode() err!!!");
    QVector<GCodeBuffer> out;
    list.toGcode(out, 1000, 1500);
    QCOMPARE(lines(out), expected);
}

QTEST_MAIN(TestOutlineCutting)
#include "tst_outlinecutting.moc"
