#include "gcode/gcodegenerator.h"

#include "canvasfixture.h"
#include "burnpath.h"
#include "drawnbounds.h"
#include "pinnedfonts.h"

#include <QBuffer>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QtTest>

// What the canvas shows of a drawing is what the laser burns: the drawn
// shapes' box on the scene against the burned box of the generated G-code,
// read by an independent interpreter (0.08 mm per design unit).
class TestCanvasMatchesJob : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void drawnAsBurned_data();
    void drawnAsBurned();
    void movedInstanceMovesItsBurn();
    void changedOriginalRedrawsItsInstances();
    void undoneMoveRestoresRelativeLengths();
    void instanceDrawnAsEngraved_data();
    void instanceDrawnAsEngraved();
    void repaintedInstanceFollowsPaintEdits();
    void shownAsEngraved_data();
    void shownAsEngraved();
};

namespace {

constexpr double tolerance = 0.05;
using DrawnBounds::describe;
using DrawnBounds::mmPerUnit;

QString foreign(const QString &body, const QString &root = QStringLiteral("width='200' height='100'"))
{
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' "
                          "xmlns:xlink='http://www.w3.org/1999/xlink' %1>%2</svg>")
            .arg(root, body);
}

QRectF burnedBounds(const QString &design)
{
    GCodeGenerator generator;
    return DrawnBounds::burned(generator.generate(design));
}

bool near(const QRectF &a, const QRectF &b)
{
    return DrawnBounds::near(a, b, tolerance);
}

// A point of the design, the colour the canvas draws there (invalid:
// nothing) and whether the job burns there.
struct Sample
{
    QPointF at;
    QColor drawn;
    bool burned = false;
};
using Samples = QVector<Sample>;

constexpr int pixelsPerUnit = 4;

// The use instances of the scene painted alone, as their paint() draws them.
QImage paintedInstances(const QGraphicsScene *scene, const QSize &designSize)
{
    QImage image(designSize * pixelsPerUnit, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QStyleOptionGraphicsItem option;
    for (QGraphicsItem *item : scene->items(Qt::AscendingOrder)) {
        if (item->type() != GraphicsUseItem::Type)
            continue;
        painter.setTransform(item->sceneTransform() * QTransform::fromScale(pixelsPerUnit, pixelsPerUnit));
        item->paint(&painter, &option, nullptr);
    }
    return image;
}

// Within a few pixels of the point: some pixel of the colour, or, for an
// invalid colour, no pixel drawn at all.
bool drawnNear(const QImage &image, const QPointF &at, const QColor &color)
{
    const QPoint centre = (at * pixelsPerUnit).toPoint();
    bool found = false;
    for (int y = centre.y() - 3; y <= centre.y() + 3; ++y) {
        for (int x = centre.x() - 3; x <= centre.x() + 3; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (!color.isValid() && pixel.alpha() != 0)
                return false;
            found = found || (color.isValid() && pixel == color);
        }
    }
    return !color.isValid() || found;
}

QVector<QLineF> burnedMoves(const QString &design)
{
    GCodeGenerator generator;
    return BurnPath::segmentsOf(BurnPath::linesOf(generator.generate(design)));
}

bool burnedNear(const QVector<QLineF> &moves, const QPointF &at)
{
    const QPointF point = at * mmPerUnit;
    for (const QLineF &segment : moves) {
        const QPointF d = segment.p2() - segment.p1();
        const double length2 = QPointF::dotProduct(d, d);
        const double t = length2 > 0 ? qBound(0.0, QPointF::dotProduct(point - segment.p1(), d) / length2, 1.0) : 0;
        const QPointF nearest = segment.p1() + t * d;
        if (QLineF(nearest, point).length() < 0.2)
            return true;
    }
    return false;
}

// A picture 2 x 1 pixels: black on the left, white on the right.
QString halvesPicture()
{
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    picture.setPixel(1, 0, qRgb(255, 255, 255));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return "data:image/png;base64," + QString::fromLatin1(png.toBase64());
}

} // namespace

Q_DECLARE_METATYPE(Sample)

void TestCanvasMatchesJob::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestCanvasMatchesJob::drawnAsBurned_data()
{
    QTest::addColumn<QString>("design");

    // Filled shapes: their burned box is the shape's, without the take-up
    // an outline gets at its reversals.
    const QString original = "<defs><rect id='r' width='20' height='10'/></defs>";
    QTest::newRow("use at x, y") << foreign(original + "<use xlink:href='#r' x='100' y='50'/>");
    QTest::newRow("use with transform")
            << foreign(original + "<use href='#r' transform='translate(40,10) rotate(30) scale(2)' x='10'/>");
    QTest::newRow("use in a moved group")
            << foreign(original + "<g transform='translate(30,20)'><use href='#r' x='5'/></g>");
    QTest::newRow("nested use")
            << foreign(original + "<defs><use id='u' xlink:href='#r' x='5'/></defs>"
                                  "<use xlink:href='#u' transform='translate(10,20)'/>");
    QTest::newRow("use of a shown original")
            << foreign("<rect id='r' x='10' y='10' width='20' height='10'/><use href='#r' x='150' y='60'/>");
    QTest::newRow("use of a group")
            << foreign("<defs><g id='g'><rect width='10' height='10'/><circle cx='40' cy='5' r='5'/></g></defs>"
                       "<use href='#g' x='20' y='30'/>");
    QTest::newRow("uses that show each other")
            << foreign("<g id='a'><rect width='10' height='10'/><use href='#b'/></g>"
                       "<g id='b'><use href='#a' x='100'/></g><use id='self' href='#self'/>");
    // Each level adds a bar and moves the next one on by 2, up to the depth
    // the job follows.
    QString chain = "<defs><rect id='u0' width='1' height='10'/>";
    for (int level = 1; level <= 40; ++level)
        chain += QStringLiteral("<g id='u%1'><rect width='1' height='10'/><use href='#u%2' x='2'/></g>")
                         .arg(level)
                         .arg(level - 1);
    QTest::newRow("uses nested beyond the depth limit") << foreign(chain + "</defs><use href='#u40'/>");
    QTest::newRow("symbol with viewBox")
            << foreign("<symbol id='s' viewBox='0 0 10 10'><rect width='10' height='10'/></symbol>"
                       "<use href='#s' x='100' y='25' width='50' height='50'/>");
    QTest::newRow("use of a duplicated id")
            << foreign("<defs><rect id='d' width='10' height='10'/><rect id='d' x='100' width='10' height='10'/></defs>"
                       "<use href='#d' y='50'/>");
    QTest::newRow("use of a missing element") << foreign("<rect width='10' height='10'/><use href='#gone' x='100'/>");

    QTest::newRow("nested svg with viewBox")
            << foreign("<svg x='100' y='50' width='100' height='50' viewBox='0 0 10 5'>"
                       "<rect width='10' height='5'/></svg>");
    QTest::newRow("nested svg keeps its aspect")
            << foreign("<svg width='100' height='50' viewBox='0 0 10 10'><rect width='10' height='10'/></svg>");
    QTest::newRow("nested svg sliced at its end")
            << foreign("<svg x='20' y='40' width='100' height='50' viewBox='0 0 10 10' preserveAspectRatio='xMaxYMax slice'>"
                       "<rect x='2' y='2' width='6' height='6'/></svg>");

    QTest::newRow("percentages of the root")
            << foreign("<rect x='10%' y='50%' width='25%' height='20%'/>");
    QTest::newRow("percentages of a nested viewport")
            << foreign("<svg x='100' width='50' height='50'><rect width='50%' height='100%'/></svg>");
    QTest::newRow("vmin radius") << foreign("<circle cx='100' cy='50' r='10vmin'/>");
    QTest::newRow("use placed in percentages")
            << foreign("<svg x='20' width='100' height='50'>" + original + "<use href='#r' x='50%' y='20%'/></svg>");
    QTest::newRow("nested svg placed in percentages")
            << foreign("<svg x='50%' y='10%' width='25%' height='50%' viewBox='0 0 10 10'>"
                       "<rect width='10' height='10'/></svg>");
    QTest::newRow("percentages inside a used element")
            << foreign("<defs><rect id='p' width='10%' height='10%'/></defs><use href='#p' x='50'/>");
    QTest::newRow("negative ellipse radius draws nothing")
            << foreign("<ellipse cx='10' cy='10' rx='-5' ry='90'/><rect x='50' y='25' width='100' height='50'/>");
    QTest::newRow("length in error is not drawn")
            << foreign("<rect width='44mmx' height='90'/><circle cx='0' cy='0' r='-5'/>"
                       "<rect x='50' y='25' width='100' height='50'/>");

    QTest::newRow("clip path on a shape")
            << foreign("<clipPath id='c'><circle cx='100' cy='50' r='30'/></clipPath>"
                       "<rect x='20' y='10' width='100' height='80' clip-path='url(#c)'/>");
    QTest::newRow("clip path on a group, in its user space")
            << foreign("<clipPath id='c'><rect x='10' y='10' width='40' height='20'/></clipPath>"
                       "<g transform='translate(60,30)' clip-path='url(#c)'><circle cx='30' cy='20' r='25'/></g>");
    QTest::newRow("mask on a shape")
            << foreign("<mask id='m'><rect x='40' y='20' width='60' height='50' fill='#fff'/></mask>"
                       "<rect x='20' y='10' width='160' height='80' mask='url(#m)'/>");
    QTest::newRow("text on its baseline")
            << foreign("<text x='30' y='60' style='font-family:DejaVu Sans;font-size:40px'>Hx</text>");
    QTest::newRow("text anchored at its end, in spans")
            << foreign("<text x='180' y='40' text-anchor='end' font-family='DejaVu Sans' font-size='30'>"
                       "A<tspan dy='20'>b</tspan></text>");
}

void TestCanvasMatchesJob::drawnAsBurned()
{
    QFETCH(QString, design);

    SVGView view;
    view.document()->setSvgText(design);
    const QRectF drawn = DrawnBounds::drawn(view.scene());
    const QRectF burned = burnedBounds(view.document()->toSvgText());
    QVERIFY2(!burned.isNull(), "nothing burned");
    QVERIFY2(near(drawn, burned), qPrintable("drawn " + describe(drawn) + ", burned " + describe(burned)));
}

// The instance is dragged as one piece; its use element's transform takes
// the move, so the saved design and the job move it by as much.
void TestCanvasMatchesJob::movedInstanceMovesItsBurn()
{
    CanvasFixture canvas("<defs><rect id='r' width='40' height='20' style='fill:#000000'/></defs>"
                         "<g><use id='u' href='#r' x='100' y='50' transform='rotate(10)'/></g>");
    const QRectF burnedBefore = burnedBounds(canvas.text());
    QGraphicsItem *item = canvas.item("u");
    QVERIFY(item);
    const QRectF drawnBefore = item->sceneBoundingRect();

    canvas.drag(canvas.toView(item->sceneBoundingRect().center()), QPoint(60, 30));

    QVERIFY2(canvas.attribute("u", "transform").startsWith("translate(60.000000,30.000000)"),
             qPrintable(canvas.attribute("u", "transform")));
    QCOMPARE(canvas.attribute("u", "x"), QString("100"));
    const QPointF moved(60 * mmPerUnit, 30 * mmPerUnit);
    const QRectF burnedAfter = burnedBounds(canvas.text());
    QVERIFY2(near(burnedAfter, burnedBefore.translated(moved)),
             qPrintable(describe(burnedBefore) + " moved to " + describe(burnedAfter)));
    const QRectF drawnAfter = item->sceneBoundingRect();
    QVERIFY2(near(drawnAfter, drawnBefore.translated(60, 30)), qPrintable(describe(drawnAfter)));
    QVERIFY2(near(DrawnBounds::drawn(canvas.scene()), burnedAfter),
             qPrintable(describe(DrawnBounds::drawn(canvas.scene())) + " against " + describe(burnedAfter)));
    // The job's frame, with nothing selected, is the instance's too.
    canvas.scene()->clearSelection();
    const QRectF frame = canvas.scene()->jobBounds();
    QVERIFY2(near(QRectF(frame.topLeft() * mmPerUnit, frame.bottomRight() * mmPerUnit), burnedAfter),
             qPrintable(describe(frame)));
}

// Instances copy their original with all it holds: a change to it, or to
// anything inside it, shows in every instance, and so do its deletion and
// the undo that brings it back.
void TestCanvasMatchesJob::changedOriginalRedrawsItsInstances()
{
    CanvasFixture canvas("<g><g id='g'><rect id='r' width='40' height='20' style='fill:#000000'/>"
                         "<rect id='s' x='50' y='30' width='10' height='20' style='fill:#000000'/></g>"
                         "<use id='u1' href='#g' x='100'/><use id='u2' href='#u1' y='100'/>"
                         "<use id='u3' href='#s' y='200'/></g>");
    const auto sizes = [&canvas] {
        QList<QSizeF> out;
        for (const char *id : { "u1", "u2" })
            out << static_cast<const GraphicsUseItem *>(canvas.item(id))->path().boundingRect().size();
        return out;
    };
    QCOMPARE(sizes(), (QList<QSizeF>{ { 60, 50 }, { 60, 50 } }));
    QVERIFY(canvas.node("r")->applyAttribute("width", "80"));
    QCOMPARE(sizes(), (QList<QSizeF>{ { 80, 50 }, { 80, 50 } }));
    QVERIFY2(near(DrawnBounds::drawn(canvas.scene()), burnedBounds(canvas.text())),
             qPrintable(describe(DrawnBounds::drawn(canvas.scene()))));

    const auto *direct = static_cast<const GraphicsUseItem *>(canvas.item("u3"));
    QCOMPARE(direct->path().boundingRect().size(), QSizeF(10, 20));
    canvas.click(canvas.toView(QPointF(55, 40)));
    canvas.scene()->deleteSelection();
    QVERIFY(!canvas.text().contains("id=\"s\""));
    QCOMPARE(sizes(), (QList<QSizeF>{ { 80, 20 }, { 80, 20 } }));
    QVERIFY(direct->path().isEmpty());
    canvas.click(canvas.toView(QPointF(10, 10)));
    canvas.scene()->deleteSelection();
    QCOMPARE(sizes(), (QList<QSizeF>{ { 0, 0 }, { 0, 0 } }));
    canvas.view().undo();
    QCOMPARE(sizes(), (QList<QSizeF>{ { 80, 20 }, { 80, 20 } }));
}

// Undoing a move writes "10%" back: the canvas must read it as the job
// does, not as a plain number.
void TestCanvasMatchesJob::undoneMoveRestoresRelativeLengths()
{
    CanvasFixture canvas("<g><rect id='r' x='10%' y='5%' width='10%' height='5%' style='fill:#000000'/>"
                         "<circle id='c' cx='50%' cy='50%' r='2%' style='fill:#000000'/></g>");
    const QRectF before = DrawnBounds::drawn(canvas.scene());
    QVERIFY2(near(before, burnedBounds(canvas.text())), qPrintable(describe(before)));
    for (const char *id : { "r", "c" }) {
        canvas.drag(canvas.toView(canvas.item(id)->sceneBoundingRect().center()), QPoint(30, 20));
        canvas.view().undo();
    }
    QCOMPARE(canvas.attribute("r", "x"), QString("10%"));
    QCOMPARE(canvas.attribute("c", "cx"), QString("50%"));
    const QRectF after = DrawnBounds::drawn(canvas.scene());
    QVERIFY2(near(after, before), qPrintable(describe(after) + " after the undo, " + describe(before) + " before"));
}

void TestCanvasMatchesJob::instanceDrawnAsEngraved_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<Samples>("samples");

    const QColor none;
    const QColor red(255, 0, 0), blue(0, 0, 255), green(0, 128, 0), black(0, 0, 0), white(255, 255, 255);
    // A symbol of a shape with no fill of its own beside one only cut as an
    // outline; the two uses give it different fills.
    const auto twoUses = [](const QString &filled, const QString &outline, const QString &sheet = QString()) {
        return sheet + "<defs><symbol id='s'>" + filled
                + "<rect x='30' width='20' height='20' " + outline + "/></symbol></defs>"
                  "<use href='#s' x='10' y='10' style='fill:#ff0000'/>"
                  "<use href='#s' x='10' y='50' style='fill:#0000ff'/>";
    };
    const QString plain = "<rect width='20' height='20'/>";
    const QString cut = "style='fill:none;stroke:#008000'";
    const Samples inherited{ { { 20, 20 }, red, true },   { { 50, 20 }, none, false },
                             { { 20, 60 }, blue, true },  { { 50, 60 }, none, false },
                             { { 40, 20 }, green, true }, { { 40, 60 }, green, true } };
    QTest::newRow("fill inherited from each use") << foreign(twoUses(plain, cut)) << inherited;
    QTest::newRow("own fill of a group in the symbol")
            << foreign(twoUses("<g style='fill:#008000'>" + plain + "</g>", cut))
            << Samples{ { { 20, 20 }, green, true }, { { 20, 60 }, green, true }, { { 50, 20 }, none, false } };
    QTest::newRow("outline by a style-sheet rule")
            << foreign(twoUses(plain, "class='cut'", "<style>.cut { fill: none; stroke: #008000 }</style>"))
            << inherited;
    // In this program's own designs a shape without any fill is neither cut
    // nor filled, and an outline without a stroke is still cut.
    QTest::newRow("own design: unpainted shape left out")
            << DesignFixture::svg("<defs><symbol id='s'>" + plain
                                          + "<rect x='30' width='20' height='20' style='fill:none'/></symbol></defs>"
                                            "<use href='#s' x='10' y='10'/>",
                                  "width='200' height='100'")
            << Samples{ { { 20, 20 }, none, false }, { { 50, 20 }, none, false }, { { 40, 20 }, black, true } };

    const QString picture = halvesPicture();
    const auto image = [&picture](const QString &style) {
        return foreign("<defs><symbol id='p'><image width='40' height='20' " + style + " xlink:href='" + picture
                       + "'/></symbol></defs><use href='#p' x='100' y='20' transform='translate(0,30)'/>");
    };
    QTest::newRow("picture in a symbol")
            << image(QString()) << Samples{ { { 110, 60 }, black, true }, { { 130, 60 }, white, false } };
    QTest::newRow("picture the job leaves out")
            << image("style='fill:none'") << Samples{ { { 110, 60 }, none, false }, { { 130, 60 }, none, false } };
}

// An instance shows each copied shape filled or as an outline, in its own
// resolved colours, and its pictures as pictures: where the job burns.
void TestCanvasMatchesJob::instanceDrawnAsEngraved()
{
    QFETCH(QString, design);
    QFETCH(Samples, samples);

    SVGView view;
    view.document()->setSvgText(design);
    const QImage painted = paintedInstances(view.scene(), QSize(200, 100));
    const QVector<QLineF> burned = burnedMoves(view.document()->toSvgText());
    for (const Sample &sample : samples) {
        const QString where = QStringLiteral("at %1,%2").arg(sample.at.x()).arg(sample.at.y());
        QVERIFY2(drawnNear(painted, sample.at, sample.drawn),
                 qPrintable(where + ": drawn " + painted.pixelColor((sample.at * pixelsPerUnit).toPoint()).name(QColor::HexArgb)));
        QVERIFY2(burnedNear(burned, sample.at) == sample.burned, qPrintable(where + ": burn differs"));
    }
}

// A new fill on the use, or on a shape it copies, shows in the instance at
// once, as it would on any other element.
void TestCanvasMatchesJob::repaintedInstanceFollowsPaintEdits()
{
    SVGView view;
    view.document()->setSvgText(foreign("<defs><symbol id='s'><rect id='r' width='20' height='20'/></symbol></defs>"
                                        "<use id='u' href='#s' x='10' y='10' style='fill:#ff0000'/>"));
    const auto drawnAt = [&view](const QPointF &at) {
        const QImage painted = paintedInstances(view.scene(), QSize(200, 100));
        return painted.pixelColor((at * pixelsPerUnit).toPoint());
    };
    QCOMPARE(drawnAt({ 20, 20 }), QColor(255, 0, 0));
    QVERIFY(DesignFixture::nodeById(view, "u")->applyAttribute("fill", "#0000ff"));
    QCOMPARE(drawnAt({ 20, 20 }), QColor(0, 0, 255));
    QVERIFY(DesignFixture::nodeById(view, "r")->applyAttribute("fill", "none"));
    QCOMPARE(drawnAt({ 20, 20 }).alpha(), 0);
}

void TestCanvasMatchesJob::shownAsEngraved_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<Samples>("samples");

    // Samples: drawn on the canvas (any dark pixel) and burned, or neither.
    const QColor ink(0, 0, 0);
    const QColor none;
    const auto both = [&ink](double x, double y) { return Sample{ { x, y }, ink, true }; };
    const auto neither = [&none](double x, double y) { return Sample{ { x, y }, none, false }; };

    const QString clipBand = "<clipPath id='c'><rect x='30' y='0' width='40' height='100'/></clipPath>";
    QTest::newRow("outlines of a clipped group")
            << foreign(clipBand + "<g clip-path='url(#c)'>"
                                  "<rect x='10' y='10' width='80' height='80' fill='none' stroke='#000'/>"
                                  "<line x1='0' y1='50' x2='200' y2='50' stroke='#000'/></g>")
            << Samples{ both(50, 50), neither(150, 50), neither(15, 50), both(50, 10), neither(20, 10) };
    QTest::newRow("clipped fill")
            << foreign("<clipPath id='c'><circle cx='50' cy='50' r='20'/></clipPath>"
                       "<rect x='10' y='10' width='80' height='80' clip-path='url(#c)'/>")
            << Samples{ both(50, 50), neither(15, 15), neither(82, 50) };
    QTest::newRow("dashed cut line")
            << foreign("<line x1='10' y1='50' x2='190' y2='50' fill='none' stroke='#000' stroke-dasharray='20'/>")
            << Samples{ both(20, 50), neither(40, 50), both(60, 50), neither(80, 50) };
    QTest::newRow("dashed cut line, offset")
            << foreign("<line x1='10' y1='50' x2='190' y2='50' fill='none' stroke='#000' stroke-dasharray='20 20'"
                       " stroke-dashoffset='20'/>")
            << Samples{ neither(20, 50), both(40, 50), neither(60, 50), both(80, 50) };
    QTest::newRow("dashes that are all gap")
            << foreign("<line x1='10' y1='50' x2='190' y2='50' fill='none' stroke='#000' stroke-dasharray='0 20'/>")
            << Samples{ neither(20, 50), neither(100, 50) };
    QTest::newRow("dashed stroke of a filled shape")
            << foreign("<line x1='10' y1='50' x2='190' y2='50' stroke='#000' stroke-width='2'"
                       " stroke-dasharray='20'/>")
            << Samples{ both(20, 50), neither(40, 50), both(60, 50), neither(80, 50) };
    // The dashes run as SVG walks a rect: from its top-left corner to the
    // right, and up its left side last (280 around, 20 a period).
    QTest::newRow("dashed rectangle outline")
            << foreign("<rect x='20' y='20' width='100' height='40' fill='none' stroke='#000'"
                       " stroke-dasharray='10'/>")
            << Samples{ both(25, 20), neither(35, 20), both(20, 55), neither(20, 45) };
    // A square on the middle vertex as it stands, a bar at the end turned
    // along the last segment.
    QTest::newRow("markers")
            << foreign("<marker id='m' markerWidth='10' markerHeight='10' refX='5' refY='5'"
                       " markerUnits='userSpaceOnUse'><rect width='10' height='10'/></marker>"
                       "<marker id='bar' markerWidth='20' markerHeight='2' refY='1' orient='auto'"
                       " markerUnits='userSpaceOnUse'><rect width='20' height='2'/></marker>"
                       "<polyline points='20,50 100,50 180,80' fill='none' stroke='#000'"
                       " marker-mid='url(#m)' marker-end='url(#bar)'/>")
            << Samples{ both(102, 46), neither(22, 46), both(193.1, 84.9), neither(196, 80) };
    QTest::newRow("masked fill")
            << foreign("<mask id='m'><rect width='100' height='100' fill='#fff'/>"
                       "<rect x='40' width='20' height='100' fill='#000'/></mask>"
                       "<rect x='10' y='10' width='180' height='80' mask='url(#m)'/>")
            << Samples{ both(20, 50), neither(50, 50), both(80, 50), neither(150, 50) };
}

// Clips, masks, dashes and markers are drawn where the job engraves and
// left out where it does not: the whole scene rendered as the view shows it.
void TestCanvasMatchesJob::shownAsEngraved()
{
    QFETCH(QString, design);
    QFETCH(Samples, samples);

    SVGView view;
    view.document()->setSvgText(design);
    QImage painted(QSize(200, 100) * pixelsPerUnit, QImage::Format_ARGB32);
    painted.fill(Qt::white);
    {
        QPainter painter(&painted);
        view.scene()->render(&painter, QRectF(painted.rect()), QRectF(0, 0, 200, 100));
    }
    const QVector<QLineF> burned = burnedMoves(view.document()->toSvgText());
    // The grid and the page edge are light grey; what is drawn is dark.
    const auto inkNear = [&painted](const QPointF &at) {
        const QPoint centre = (at * pixelsPerUnit).toPoint();
        for (int y = centre.y() - 3; y <= centre.y() + 3; ++y) {
            for (int x = centre.x() - 3; x <= centre.x() + 3; ++x) {
                if (qGray(painted.pixel(x, y)) < 128)
                    return true;
            }
        }
        return false;
    };
    for (const Sample &sample : samples) {
        const QString where = QStringLiteral("at %1,%2").arg(sample.at.x()).arg(sample.at.y());
        QVERIFY2(inkNear(sample.at) == sample.drawn.isValid(), qPrintable(where + ": drawn differs"));
        QVERIFY2(burnedNear(burned, sample.at) == sample.burned, qPrintable(where + ": burn differs"));
    }
}

PLIMB_TEST_MAIN_WITH_PINNED_FONTS(TestCanvasMatchesJob)
#include "tst_canvasmatchesjob.moc"
