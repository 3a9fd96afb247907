#include "gcode/gcodegenerator.h"

#include "document/svgfile.h"

#include "gcodeinterpreter.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QFontDatabase>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

// Drawings written by other programs: what an SVG renderer shows is what the
// laser burns, checked on the G-code through an independent interpreter.
// Every expected box below is worked out by hand from the fixture, in mm
// (0.08 mm per user unit).
class TestForeignDesigns : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void nothingEngraved_data();
    void nothingEngraved();
    void burnedArea_data();
    void burnedArea();
    void textAsSvgLaysItOut_data();
    void textAsSvgLaysItOut();
    void useCycleEnds();
    void dashedOutlines_data();
    void dashedOutlines();
    void dashesStartWhereSvgStarts_data();
    void dashesStartWhereSvgStarts();
    void useInstancesAreCounted();
    void relativeImage_data();
    void pictureFits_data();
    void pictureFits();
    void pictureCycleEnds_data();
    void pictureCycleEnds();
    void relativeImage();
    void prefixedAndCompressedFiles_data();
    void prefixedAndCompressedFiles();
    void declaredEncoding_data();
    void declaredEncoding();
    void trueSize_data();
    void trueSize();
    void ownDesignsKeepTheirRules();
    void picturesBurnTheirGreyLevels_data();
    void picturesBurnTheirGreyLevels();
};

namespace {

// The line spacing of the default set the foreign rows get.
constexpr double spacing = 0.025;
// The take-up an outline without engraving attributes is cut with.
constexpr double backlash = 0.1;
// Pictures from other programs burn their grey levels: a pixel at their
// edge that they cover in part burns faintly, a line beyond where a
// thresholded picture stops.
constexpr double pictureTolerance = 2.5 * spacing + 1e-6;

QString foreign(const QString &body, const QString &root = QStringLiteral("width='200' height='100'"))
{
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' "
                          "xmlns:xlink='http://www.w3.org/1999/xlink' %1>%2</svg>")
            .arg(root, body);
}

QStringList lines(const QVector<GCodeBuffer> &records)
{
    QStringList out;
    for (const GCodeBuffer &record : records)
        out << record.toString().trimmed();
    return out;
}

QRectF burned(const QVector<GCodeBuffer> &records)
{
    GCodeInterpreter interpreter;
    interpreter.run(lines(records));
    return interpreter.burnedBounds();
}

QRectF mm(double x1, double y1, double x2, double y2)
{
    return QRectF(QPointF(x1, y1), QPointF(x2, y2));
}

bool near(const QRectF &a, const QRectF &b, double tolerance)
{
    return qAbs(a.left() - b.left()) <= tolerance && qAbs(a.top() - b.top()) <= tolerance
            && qAbs(a.right() - b.right()) <= tolerance && qAbs(a.bottom() - b.bottom()) <= tolerance;
}

QString describe(const QRectF &r)
{
    return QStringLiteral("%1,%2 - %3,%4").arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom());
}

QString dataPath(const QString &name)
{
    return qEnvironmentVariable("PLIMB_TEST_DATA") + QStringLiteral("/svg/") + name;
}

QByteArray png(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

void TestForeignDesigns::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    // The language "switch" picks by.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
}

void TestForeignDesigns::nothingEngraved_data()
{
    QTest::addColumn<QString>("text");

    const QString shapes = "<rect width='100' height='50'/><rect width='10' height='10' fill='none' stroke='#000'/>";
    QTest::newRow("root display none") << foreign(shapes, "width='200' height='100' display='none'");
    QTest::newRow("root in another language") << foreign(shapes, "width='200' height='100' systemLanguage='xx'");
    QTest::newRow("root of no width") << foreign(shapes, "width='0' height='100'");
    QTest::newRow("root of negative height") << foreign(shapes, "width='200' height='-100'");
    QTest::newRow("path without a leading move")
            << foreign("<path d='L 10 10 L 100 100' fill='none' stroke='#000'/><path d='L 0 0 100 0 100 50 z'/>");
}

// What an SVG renderer shows nothing of is not engraved.
void TestForeignDesigns::nothingEngraved()
{
    QFETCH(QString, text);

    GCodeGenerator generator;
    const QRectF area = burned(generator.generate(text));
    QVERIFY2(area.isNull(), qPrintable(describe(area)));
    QCOMPARE(generator.summary().outlines, 0);
}

void TestForeignDesigns::burnedArea_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("outlines");
    QTest::addColumn<int>("rasterGroups");
    QTest::addColumn<QRectF>("expected");

    const QString stroke = QStringLiteral(" stroke='#000'");
    const QString box = QStringLiteral("x='50' y='25' width='100' height='50'");
    const QRectF boxMm = mm(4, 2, 12, 6);

    // Fill and stroke as SVG resolves them.
    QTest::newRow("fill attribute fills") << foreign("<rect " + box + " fill='green'/>") << 0 << 1 << boxMm;
    QTest::newRow("no fill at all fills black") << foreign("<rect " + box + "/>") << 0 << 1 << boxMm;
    QTest::newRow("style beats the attribute")
            << foreign("<rect " + box + " fill='green' style='fill:none'" + stroke + "/>") << 1 << 0 << boxMm;
    QTest::newRow("fill inherited from the group")
            << foreign("<g fill='none' stroke='#000'><rect " + box + "/></g>") << 1 << 0 << boxMm;
    QTest::newRow("inherit takes the parent's")
            << foreign("<g style='fill:none' stroke='#000'><rect " + box + " fill='inherit'/></g>") << 1 << 0
            << boxMm;
    QTest::newRow("sheet class beats the attribute")
            << foreign("<style>.cut { fill: none; stroke: black }</style><rect class='a cut' " + box
                       + " fill='red'/>")
            << 1 << 0 << boxMm;
    QTest::newRow("sheet id beats the class")
            << foreign("<style>#solid { fill: red } .cut { fill: none }</style>"
                       "<rect id='solid' class='cut' "
                       + box + "/>")
            << 0 << 1 << boxMm;
    QTest::newRow("sheet element name hides")
            << foreign("<style>circle { display: none }</style><circle cx='10' cy='10' r='5'/><rect " + box + "/>")
            << 0 << 1 << boxMm;
    QTest::newRow("unstroked outline is invisible")
            << foreign("<rect x='0' y='0' width='10' height='10' fill='none'/><rect " + box + "/>") << 0 << 1
            << boxMm;

    // Only what is rendered.
    const QString small = "<rect x='0' y='0' width='10' height='10' fill='none'" + stroke + "/>";
    for (const QString container : { "defs", "symbol", "clipPath", "mask", "marker", "pattern" }) {
        QTest::newRow(qPrintable(container + " content"))
                << foreign("<" + container + " id='hidden'>" + small + "<rect width='200' height='100'/></"
                           + container + "><rect " + box + stroke + " fill='none'/>")
                << 1 << 0 << boxMm;
    }
    QTest::newRow("display none") << foreign("<rect width='200' height='100' style='display:none'/>"
                                             "<g display='none'>" + small + "</g><rect " + box + "/>")
                                  << 0 << 1 << boxMm;

    // use instances at their place.
    const QString original = "<defs><rect id='r' width='20' height='10' fill='none'" + stroke + "/></defs>";
    QTest::newRow("use at x, y") << foreign(original + "<use xlink:href='#r' x='100' y='50'/>") << 1 << 0
                                 << mm(8, 4, 9.6, 4.8);
    QTest::newRow("use at percentages of the viewport")
            << foreign(original + "<use xlink:href='#r' x='50%' y='50%'/>") << 1 << 0 << mm(8, 4, 9.6, 4.8);
    QTest::newRow("use of a symbol sized in percentages")
            << foreign("<symbol id='s' viewBox='0 0 10 10'><rect width='10' height='10'/></symbol>"
                       "<use href='#s' x='50%' width='25%' height='50%'/>")
            << 0 << 1 << mm(8, 0, 12, 4);
    QTest::newRow("use of a duplicated id takes the first")
            << foreign("<defs><rect id='d' width='10' height='10' fill='none' stroke='#000'/>"
                       "<rect id='d' x='100' width='10' height='10' fill='none' stroke='#000'/></defs>"
                       "<use href='#d' y='50'/>")
            << 1 << 0 << mm(0, 4, 0.8, 4.8);
    QTest::newRow("use with transform and href")
            << foreign(original + "<use href='#r' transform='scale(2)' x='10'/>") << 1 << 0 << mm(1.6, 0, 4.8, 1.6);
    QTest::newRow("nested use")
            << foreign(original + "<defs><use id='u' xlink:href='#r' x='5'/></defs>"
                                  "<use xlink:href='#u' transform='translate(10,20)'/>")
            << 1 << 0 << mm(1.2, 1.6, 2.8, 2.4);
    QTest::newRow("use of a symbol with viewBox")
            << foreign("<symbol id='s' viewBox='0 0 10 10'><rect width='10' height='10'/></symbol>"
                       "<use href='#s' x='100' y='25' width='50' height='50'/>")
            << 0 << 1 << mm(8, 2, 12, 6);
    QTest::newRow("use gives its fill to the copy")
            << foreign("<defs><rect id='p' width='20' height='10'/></defs>"
                       "<use href='#p' fill='none' stroke='#000' x='50' y='25'/>")
            << 1 << 0 << mm(4, 2, 5.6, 2.8);

    // Geometry.
    QTest::newRow("nested svg with viewBox")
            << foreign("<svg x='100' y='50' width='100' height='50' viewBox='0 0 10 5'>"
                       "<rect width='10' height='5' fill='none' stroke='#000'/></svg>")
            << 1 << 0 << mm(8, 4, 16, 8);
    QTest::newRow("nested svg keeps its aspect")
            << foreign("<svg width='100' height='50' viewBox='0 0 10 10'>"
                       "<rect width='10' height='10' fill='none' stroke='#000'/></svg>")
            << 1 << 0 << mm(2, 0, 6, 4);
    QTest::newRow("percentages of the root")
            << foreign("<rect x='10%' y='50%' width='25%' height='20%' fill='none' stroke='#000'/>") << 1 << 0
            << mm(1.6, 4, 5.6, 5.6);
    QTest::newRow("percentages of a nested viewport")
            << foreign("<svg x='100' width='50' height='50'><rect width='50%' height='100%'/></svg>") << 0 << 1
            << mm(8, 0, 10, 4);
    QTest::newRow("percentage radius")
            << foreign("<circle cx='100' cy='50' r='10%' fill='none' stroke='#000'/>",
                       "width='100' height='100'")
            << 1 << 0 << mm(7.2, 3.2, 8.8, 4.8);

    // Units at 96 user units per inch, em and ex of the font size, in
    // outlines and fills alike.
    const struct
    {
        const char *unit;
        double units;
    } units[] = { { "10", 10 },       { "10px", 10 },   { "1in", 96 },     { "10mm", 96 / 2.54 },
                  { "1cm", 96 / 2.54 }, { "12pt", 16 }, { "1pc", 16 },     { "4Q", 96 / 25.4 },
                  { "1em", 16 },      { "2ex", 16 },    { "50vw", 100 },   { "50vh", 50 },
                  { "50vmin", 50 },   { "50vmax", 100 } };
    for (const auto &u : units) {
        QTest::newRow(qPrintable(QStringLiteral("width %1").arg(u.unit)))
                << foreign(QStringLiteral("<rect width='%1' height='10' fill='none' stroke='#000'/>").arg(u.unit),
                           "width='200' height='100'")
                << 1 << 0 << mm(0, 0, u.units * 0.08, 0.8);
    }
    QTest::newRow("filled at x 1in")
            << foreign("<rect x='1in' y='0.5in' width='10' height='10'/>") << 0 << 1
            << mm(7.68, 3.84, 8.48, 4.64);
    QTest::newRow("em of the element's font size")
            << foreign("<g style='font-size:20px'><rect width='2em' height='10' fill='none' stroke='#000'"
                       " font-size='5'/></g>")
            << 1 << 0 << mm(0, 0, 0.8, 0.8);
    QTest::newRow("em of the inherited font size")
            << foreign("<g font-size='20'><rect width='2em' height='10' fill='none' stroke='#000'/></g>") << 1
            << 0 << mm(0, 0, 3.2, 0.8);

    // Viewports: the root's origin, nested ones clip.
    QTest::newRow("root viewBox origin is the design origin")
            << foreign("<rect x='-50' y='-50' width='100' height='50'/>", "width='200' height='100' viewBox='-50 -50 200 100'")
            << 0 << 1 << mm(0, 0, 8, 4);
    QTest::newRow("root viewBox origin moves clips with their shapes")
            << foreign("<clipPath id='c'><rect x='-50' y='-50' width='100' height='50'/></clipPath>"
                       "<rect x='-50' y='-50' width='200' height='100' clip-path='url(#c)'/>",
                       "width='200' height='100' viewBox='-50 -50 200 100'")
            << 0 << 1 << mm(0, 0, 8, 4);
    QTest::newRow("nested svg clips a fill")
            << foreign("<svg x='50' width='50' height='50'><rect x='-100' width='300' height='300'/></svg>") << 0
            << 1 << mm(4, 0, 8, 4);
    QTest::newRow("nested svg clips an outline")
            << foreign("<svg width='50' height='50'><line x1='-10' y1='25' x2='100' y2='25' fill='none' stroke='#000'/></svg>")
            << 1 << 0 << mm(0, 2, 4, 2);
    QTest::newRow("overflow visible does not clip")
            << foreign("<svg width='50' height='50' overflow='visible'><rect width='100' height='50'/></svg>") << 0
            << 1 << mm(0, 0, 8, 4);
    QTest::newRow("symbol clips to the use's size")
            << foreign("<symbol id='s' viewBox='0 0 10 10'><rect x='-10' y='-10' width='30' height='30'/></symbol>"
                       "<use href='#s' x='100' y='25' width='50' height='50'/>")
            << 0 << 1 << mm(8, 2, 12, 6);
    QTest::newRow("transform-origin")
            << foreign("<rect x='90' y='45' width='20' height='10' transform='scale(2)' transform-origin='100 50'/>")
            << 0 << 1 << mm(6.4, 3.2, 9.6, 4.8);
    QTest::newRow("transform-origin in the style, keywords")
            << foreign("<rect x='0' y='0' width='100' height='50' style='transform-origin:right bottom'"
                       " transform='scale(0.5)'/>",
                       "width='100' height='50'")
            << 0 << 1 << mm(4, 2, 8, 4);

    // Paint as SVG resolves it.
    const QString blackGradient = "<linearGradient id='g'><stop offset='0' stop-color='#000'/>"
                                  "<stop offset='1' stop-color='#000'/></linearGradient>";
    QTest::newRow("fallback colour of a missing paint")
            << foreign("<rect " + box + " fill='url(#missing) green'/>") << 0 << 1 << boxMm;
    QTest::newRow("missing paint without fallback is none")
            << foreign("<rect " + box + " fill='url(#missing)'" + stroke + "/>") << 1 << 0 << boxMm;
    QTest::newRow("quoted url") << foreign(blackGradient + "<rect " + box + " fill=\"url('#g')\"/>") << 0 << 1
                                << boxMm;
    QTest::newRow("rgb out of range is clamped")
            << foreign("<rect " + box + " fill='rgb(-10%, 50%, 120%)'/>") << 0 << 1 << boxMm;
    QTest::newRow("display none on defs keeps its gradient")
            << foreign("<defs style='display:none'>" + blackGradient + "</defs><rect " + box + " fill='url(#g)'/>")
            << 0 << 1 << boxMm;
    QTest::newRow("context-fill without a context")
            << foreign("<rect " + box + " fill='context-fill'" + stroke + "/>") << 1 << 0 << boxMm;
    QTest::newRow("stroke of width 0 is not cut")
            << foreign("<rect width='10' height='10' fill='none' stroke='#000' stroke-width='0'/><rect " + box
                       + "/>")
            << 0 << 1 << boxMm;
    QTest::newRow("stroke of no paint server is not cut")
            << foreign("<rect width='10' height='10' fill='none' stroke='url(#p)'/><rect id='p' " + box + "/>") << 0
            << 1 << boxMm;
    // Fill mode burns what is not white over white.
    QTest::newRow("light colour burns") << foreign("<rect " + box + " fill='yellow'/>") << 0 << 1 << boxMm;
    QTest::newRow("faint black burns")
            << foreign("<g opacity='0.5'><rect " + box + " fill-opacity='0.3'/></g>") << 0 << 1 << boxMm;
    QTest::newRow("transparent burns nothing")
            << foreign("<rect width='200' height='100' fill='rgba(0,0,0,0)'/><rect width='200' height='100'"
                       " fill='#000' opacity='0'/><rect " + box + "/>")
            << 0 << 1 << boxMm;
    QTest::newRow("white covers what is under it")
            << foreign("<rect " + box + "/><rect x='100' y='25' width='50' height='50' fill='#fff'/>") << 0 << 1
            << mm(4, 2, 8, 6);

    // Structure.
    QTest::newRow("switch takes the child of the system language")
            << foreign("<switch><rect width='200' height='100' systemLanguage='xx'/>"
                       "<g systemLanguage='de, en'><rect " + box + "/></g><rect width='10' height='10'/></switch>")
            << 0 << 1 << boxMm;
    QTest::newRow("switch takes its first child even when it shows nothing")
            << foreign("<switch><rect width='10' height='10' display='none'/><rect width='200' height='100'/></switch>"
                       "<rect " + box + "/>")
            << 0 << 1 << boxMm;
    QTest::newRow("switch passes over required extensions")
            << foreign("<switch><rect width='200' height='100' requiredExtensions='urn:x'/><rect " + box
                       + "/></switch>")
            << 0 << 1 << boxMm;

    // Markers.
    const QString square = "<rect width='10' height='10'/></marker>";
    QTest::newRow("marker at the end")
            << foreign("<marker id='m' markerWidth='10' markerHeight='10' refY='5' viewBox='0 0 10 10'"
                       " markerUnits='userSpaceOnUse'>" + square
                       + "<line x1='0' y1='50' x2='100' y2='50' fill='none' stroke='#000' marker-end='url(#m)'/>")
            << 1 << 1 << mm(0, 3.6, 8.8, 4.4);
    QTest::newRow("marker turned along the line")
            << foreign("<marker id='m' markerWidth='10' markerHeight='10' refY='5' orient='auto'"
                       " markerUnits='userSpaceOnUse'>" + square
                       + "<path d='M 50 0 V 50' fill='none' stroke='#000' style='marker-end:url(#m)'/>")
            << 1 << 1 << mm(3.6, 0, 4.4, 4.8);
    QTest::newRow("marker in stroke widths, on every vertex")
            << foreign("<marker id='m' markerWidth='5' markerHeight='5' refX='5' refY='5' viewBox='0 0 10 10'>"
                       "<rect width='10' height='10'/></marker>"
                       "<polyline points='20 20 100 20 100 80' fill='none' stroke='#000' stroke-width='2'"
                       " marker-start='url(#m)' marker-mid='url(#m)' marker-end='url(#m)'/>")
            << 1 << 1 << mm(1.2, 1.2, 8.4, 6.8);

    // Clip paths.
    const QString clipRect = "<clipPath id='c'><rect x='50' y='25' width='100' height='50'/></clipPath>";
    QTest::newRow("clip path on a fill")
            << foreign(clipRect + "<rect width='200' height='100' clip-path='url(#c)'/>") << 0 << 1 << boxMm;
    QTest::newRow("clip path quoted, on a group")
            << foreign(clipRect + "<g clip-path=\"url('#c')\"><circle cx='100' cy='50' r='200'/></g>") << 0 << 1
            << boxMm;
    QTest::newRow("clip path on an outline")
            << foreign(clipRect + "<line x1='0' y1='50' x2='200' y2='50' fill='none' stroke='#000' clip-path='url(#c)'/>")
            << 1 << 0 << mm(4, 4, 12, 4);
    QTest::newRow("clip path in bounding box units")
            << foreign("<clipPath id='b' clipPathUnits='objectBoundingBox'><rect width='0.5' height='1'/></clipPath>"
                       "<rect x='50' y='25' width='200' height='50' clip-path='url(#b)'/>")
            << 0 << 1 << boxMm;
    QTest::newRow("clip path in the user space of the element")
            << foreign(clipRect + "<g transform='translate(50,25)'><rect x='-50' y='-25' width='200' height='100'"
                                  " clip-path='url(#c)'/></g>")
            << 0 << 1 << mm(8, 4, 16, 8);
    QTest::newRow("clip path clipped by another")
            << foreign("<clipPath id='outer'><rect width='100' height='100'/></clipPath>"
                       "<clipPath id='inner' clip-path='url(#outer)'><rect x='50' y='25' width='150' height='50'/>"
                       "</clipPath><rect width='200' height='100' clip-path='url(#inner)'/>")
            << 0 << 1 << mm(4, 2, 8, 6);
    QTest::newRow("nested clips intersect")
            << foreign(clipRect + "<clipPath id='d'><rect width='100' height='100'/></clipPath>"
                                  "<g clip-path='url(#d)'><rect width='200' height='100' clip-path='url(#c)'/></g>")
            << 0 << 1 << mm(4, 2, 8, 6);
    QTest::newRow("clip rule evenodd leaves the hole")
            << foreign("<clipPath id='e'><path clip-rule='evenodd' d='M 0 0 H 200 V 100 H 0 Z M 10 10 H 190 V 90 H 10 Z'/>"
                       "</clipPath><rect x='50' width='100' height='50' clip-path='url(#e)'/>")
            << 0 << 1 << mm(4, 0, 12, 0.8);
    QTest::newRow("clip path on a picture")
            << foreign(clipRect + "<image width='200' height='100' clip-path='url(#c)' href='data:image/png;base64,"
                       + QString::fromLatin1(png(20, 10).toBase64()) + "'/>")
            << 0 << 1 << boxMm;

    // Masks: what lies under black (or, for an alpha mask, under nothing)
    // is not engraved.
    const QString white = "<rect " + box + " fill='#fff'/>";
    QTest::newRow("mask on a fill")
            << foreign("<mask id='m'>" + white + "</mask><rect width='200' height='100' mask='url(#m)'/>") << 0 << 1
            << boxMm;
    QTest::newRow("black painted over a mask hides")
            << foreign("<mask id='m'><rect width='200' height='100' fill='white'/><rect x='100' width='100'"
                       " height='100'/></mask><rect " + box + " mask='url(#m)'/>")
            << 0 << 1 << mm(4, 2, 8, 6);
    QTest::newRow("faint grey in a mask shows")
            << foreign("<mask id='m'><rect " + box + " fill='#fff' opacity='0.2'/></mask>"
                       "<rect width='200' height='100' mask='url(#m)'/>")
            << 0 << 1 << boxMm;
    QTest::newRow("alpha mask shows under black")
            << foreign("<mask id='m' style='mask-type:alpha'><rect " + box + " fill='#000'/></mask>"
                       "<rect width='200' height='100' mask='url(#m)'/>")
            << 0 << 1 << boxMm;
    QTest::newRow("mask on a group of outlines")
            << foreign("<mask id='m' maskUnits='userSpaceOnUse' x='0' y='0' width='200' height='100'>" + white
                       + "</mask><g mask='url(#m)'><line x1='0' y1='50' x2='200' y2='50' fill='none'" + stroke
                       + "/></g>")
            << 1 << 0 << mm(4, 4, 12, 4);
    QTest::newRow("mask content in bounding box units")
            << foreign("<mask id='m' maskContentUnits='objectBoundingBox'><rect width='0.5' height='1' fill='#fff'/>"
                       "</mask><rect x='50' y='25' width='200' height='50' mask='url(#m)'/>")
            << 0 << 1 << boxMm;
    QTest::newRow("mask region limits its content")
            << foreign("<mask id='m' x='0' y='0' width='0.5' height='1'><rect width='200' height='100' fill='#fff'/>"
                       "</mask><rect x='50' y='25' width='200' height='50' mask='url(#m)'/>")
            << 0 << 1 << boxMm;
    QTest::newRow("mask on a picture")
            << foreign("<mask id='m'>" + white + "</mask><image width='200' height='100' mask='url(#m)'"
                       " href='data:image/png;base64," + QString::fromLatin1(png(20, 10).toBase64()) + "'/>")
            << 0 << 1 << boxMm;
    QTest::newRow("malformed length is not drawn")
            << foreign("<rect width='44mmx' height='10' fill='none' stroke='#000'/>" + small) << 1 << 0
            << mm(0, 0, 0.8, 0.8);
    QTest::newRow("negative radius is square")
            << foreign("<rect " + box + " rx='-10' ry='-10' fill='none' stroke='#000'/>") << 1 << 0 << boxMm;
    QTest::newRow("path stops at its first error")
            << foreign("<path d='M 10 10 L 110 10 L 110 # 60 L 300 300' fill='none' stroke='#000'/>") << 1 << 0
            << mm(0.8, 0.8, 8.8, 0.8);
    QTest::newRow("path stops at an incomplete curve")
            << foreign("<path d='M 10 10 H 60 C 70 10 80 90' fill='none' stroke='#000'/>") << 1 << 0
            << mm(0.8, 0.8, 4.8, 0.8);
    QTest::newRow("viewBox without width and height")
            << foreign("<rect " + box + "/>", "viewBox='0 0 200 100'") << 0 << 1 << boxMm;
    QTest::newRow("width and height in percent")
            << foreign("<rect " + box + "/>", "width='100%' height='100%' viewBox='0 0 200 100'") << 0 << 1
            << boxMm;
}

void TestForeignDesigns::burnedArea()
{
    QFETCH(QString, text);
    QFETCH(int, outlines);
    QFETCH(int, rasterGroups);
    QFETCH(QRectF, expected);

    GCodeGenerator generator;
    const QRectF area = burned(generator.generate(text));
    QCOMPARE(generator.summary().outlines, outlines);
    QCOMPARE(generator.summary().rasterGroups, rasterGroups);
    // Outlines follow the element up to curve flattening, and closed ones
    // are cut with the 0.1 mm backlash take-up after each reversal;
    // scan runs start a pixel early and an edge pixel is black from half coverage.
    const double tolerance = text.contains("<image") ? pictureTolerance
            : rasterGroups                              ? 1.5 * spacing + 1e-6
                                                        : 0.05;
    if (!rasterGroups && expected.width() > 0 && expected.height() > 0)
        expected.adjust(0, 0, backlash, backlash);
    QVERIFY2(!area.isNull(), "nothing burned");
    QVERIFY2(near(area, expected, tolerance),
             qPrintable("burned " + describe(area) + ", drawn " + describe(expected)));
}

void TestForeignDesigns::textAsSvgLaysItOut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("shift");     // of the start, in advances of "H"
    QTest::addColumn<double>("gap");       // extra user units before the second "H"
    QTest::addColumn<double>("raise");     // of the second "H"

    const QString font = "font-family='DejaVu Sans' font-size='50'";
    QTest::newRow("baseline and advance") << "<text x='20' y='100' " + font + ">HH</text>" << 0.0 << 0.0 << 0.0;
    // Anchored one and two advances of "H" to the right ("@1", "@2"), so
    // that they start where the others do.
    QTest::newRow("anchor middle") << "<text x='@1' y='100' text-anchor='middle' " + font + ">HH</text>" << 0.0
                                   << 0.0 << 0.0;
    QTest::newRow("anchor end, in the style")
            << "<text x='@2' y='100' style='text-anchor:end' " + font + ">HH</text>" << 0.0 << 0.0 << 0.0;
    QTest::newRow("letter spacing") << "<text x='20' y='100' letter-spacing='10' " + font + ">HH</text>" << 0.0
                                    << 10.0 << 0.0;
    QTest::newRow("tspan dx and dy") << "<text x='20' y='100' " + font + ">H<tspan dx='10' dy='-20'>H</tspan></text>"
                                     << 0.0 << 10.0 << 20.0;
    QTest::newRow("tspan x and y lists")
            << "<text x='20 90' y='100 100' " + font + ">H<tspan>H</tspan></text>" << 0.0 << -1.0 << 0.0;
    QTest::newRow("size in points, first family that exists")
            << "<text x='20' y='100' font-family=\"'No Such Font', DejaVu Sans\" font-size='37.5pt'>HH</text>"
            << 0.0 << 0.0 << 0.0;
    QTest::newRow("white space collapses")
            << "<text x='20' y='100' " + font + ">\n   H\n   H  </text>" << 0.0 << -2.0 << 0.0;
}

// Text from other programs: "x" and "y" are the baseline, the font size is
// in user units; checked against the font file's own metrics.
void TestForeignDesigns::textAsSvgLaysItOut()
{
    QFETCH(QString, text);
    QFETCH(double, shift);
    QFETCH(double, gap);
    QFETCH(double, raise);

    const QString fontFile = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    QVERIFY2(QFontDatabase::addApplicationFont(fontFile) >= 0, "fonts-dejavu-core is needed");
    const QRawFont raw(fontFile, 50);
    const QVector<quint32> glyphs = raw.glyphIndexesForString("H");
    const QRectF h = raw.boundingRect(glyphs.first());
    const double advance = raw.advancesForGlyphIndexes(glyphs).first().x();
    const double space = raw.advancesForGlyphIndexes(raw.glyphIndexesForString(" ")).first().x();
    // A collapsed space stands between the two letters ("gap" -2 marks it,
    // -1 the second letter at x = 90).
    const double second = gap == -1 ? 90 - 20 : gap == -2 ? advance + space : advance + gap;
    const double x = 20 + shift * advance;
    const QRectF expected = QRectF(QPointF(x + h.left(), 100 + h.top() - raise),
                                   QPointF(x + second + h.right(), 100))
            | QRectF(QPointF(x + h.left(), 100 + h.top()), QPointF(x + h.right(), 100));

    text.replace("@1", QString::number(20 + advance)).replace("@2", QString::number(20 + 2 * advance));
    GCodeGenerator generator;
    const QRectF area = burned(generator.generate(foreign(text, "width='300' height='200'")));
    const QRectF expectedMm(expected.topLeft() * 0.08, expected.bottomRight() * 0.08);
    QVERIFY2(near(area, expectedMm, 0.1), qPrintable("burned " + describe(area) + ", laid out " + describe(expectedMm)));
}

void TestForeignDesigns::dashedOutlines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("dashes");
    QTest::addColumn<double>("burnedMm");

    const QString line = "<line x1='0' y1='50' x2='100' y2='50' fill='none' stroke='#000' ";
    QTest::newRow("solid") << line + "/>" << 1 << 8.0;
    QTest::newRow("even pattern") << line + "stroke-dasharray='10 10'/>" << 5 << 4.0;
    QTest::newRow("odd pattern repeats") << line + "stroke-dasharray='30'/>" << 2 << 4.8;
    QTest::newRow("offset") << line + "stroke-dasharray='10,10' stroke-dashoffset='5'/>" << 6 << 4.0;
    QTest::newRow("scaled with its element")
            << "<g transform='scale(2)'>" + QString(line).replace("x2='100'", "x2='50'")
                    + "style='stroke-dasharray:5 5'/></g>"
            << 5 << 4.0;
    QTest::newRow("inherited") << "<g stroke-dasharray='25 25'>" + line + "/></g>" << 2 << 4.0;
    QTest::newRow("negative is solid") << line + "stroke-dasharray='10 -1'/>" << 1 << 8.0;
}

// Dashed outlines are cut as their dashes only (perforations, fold lines).
void TestForeignDesigns::dashedOutlines()
{
    QFETCH(QString, line);
    QFETCH(int, dashes);
    QFETCH(double, burnedMm);

    GCodeGenerator generator;
    GCodeInterpreter interpreter;
    interpreter.run(lines(generator.generate(foreign(line))));
    double length = 0;
    int runs = 0;
    QPointF end(-1, -1);
    for (const QLineF &segment : qAsConst(interpreter.segments)) {
        length += segment.length();
        if ((segment.p1() - end).manhattanLength() > 1e-6)
            ++runs;
        end = segment.p2();
    }
    QString cuts;
    for (const QLineF &segment : qAsConst(interpreter.segments))
        cuts += QStringLiteral("%1,%2-%3,%4 ").arg(segment.x1()).arg(segment.y1()).arg(segment.x2()).arg(segment.y2());
    QVERIFY2(runs == dashes, qPrintable(cuts));
    QVERIFY2(qAbs(length - burnedMm) < 0.01, qPrintable(cuts));
}

void TestForeignDesigns::dashesStartWhereSvgStarts_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QRectF>("firstDash");
    QTest::addColumn<double>("takeUpX");

    // One dash of 10 and a long gap: only the first dash is cut. Rows are
    // in user units, 0.08 mm each; a dash walking towards -x is cut with the
    // backlash take-up.
    const QString dashed = " fill='none' stroke='#000' stroke-dasharray='10 1000'/>";
    QTest::newRow("rect: along the top, rightwards")
            << "<rect x='20' y='20' width='50' height='30'" + dashed << mm(20, 20, 30, 20) << 0.0;
    QTest::newRow("rounded rect: after the corner")
            << "<rect x='20' y='20' width='50' height='30' rx='5'" + dashed << mm(25, 20, 35, 20) << 0.0;
    QTest::newRow("circle: from the right, downwards")
            << "<circle cx='50' cy='50' r='40'" + dashed << mm(88.76, 50, 90, 59.9) << backlash;
    QTest::newRow("ellipse: from the right, downwards")
            << "<ellipse cx='50' cy='50' rx='40' ry='30'" + dashed << mm(87.86, 50, 90, 59.69) << backlash;
}

// A dash pattern starts where SVG starts the shape and runs its way, so
// perforations fall where the drawing program showed them.
void TestForeignDesigns::dashesStartWhereSvgStarts()
{
    QFETCH(QString, shape);
    QFETCH(QRectF, firstDash);
    QFETCH(double, takeUpX);

    GCodeGenerator generator;
    const QRectF cut = burned(generator.generate(foreign(shape)));
    const QRectF expected = QRectF(firstDash.topLeft() * 0.08, firstDash.bottomRight() * 0.08)
                                    .translated(takeUpX, 0);
    QVERIFY2(near(cut, expected, 0.05), qPrintable("cut " + describe(cut) + ", expected " + describe(expected)));
}

// Two groups that show each other: each is drawn once, the loop is noted.
void TestForeignDesigns::useCycleEnds()
{
    GCodeGenerator generator;
    const QRectF area = burned(generator.generate(
            foreign("<g id='a'><rect width='10' height='10' fill='none' stroke='#000'/><use href='#b'/></g>"
                    "<g id='b'><use href='#a' x='100'/></g><use id='self' href='#self'/>")));
    QCOMPARE(generator.summary().outlines, 2);
    QVERIFY2(near(area, mm(0, 0, 8.8 + backlash, 0.8 + backlash), 0.05), qPrintable(describe(area)));
    QVERIFY(generator.summary().notes.join('\n').contains("shows itself"));
}

// Ten uses of ten uses of ... (10^7 copies) stops at the copy limit instead of exhausting memory.
void TestForeignDesigns::useInstancesAreCounted()
{
    // The copies draw nothing, so the test times the expansion alone.
    QString body = "<defs><path id='l0' d='M 0 0 L 1 0' fill='none'/>";
    for (int level = 1; level <= 7; ++level) {
        body += QStringLiteral("<g id='l%1'>").arg(level);
        for (int i = 0; i < 10; ++i)
            body += QStringLiteral("<use href='#l%1'/>").arg(level - 1);
        body += "</g>";
    }
    body += "</defs><use href='#l7'/>";
    GCodeGenerator generator;
    generator.generate(foreign(body));
    QVERIFY(generator.summary().notes.join('\n').contains("copied elements are left out"));
}

void TestForeignDesigns::relativeImage_data()
{
    QTest::addColumn<QString>("href");
    QTest::addColumn<bool>("found");

    QTest::newRow("beside the design") << "photo.png" << true;
    QTest::newRow("in a subfolder") << "pictures/photo.png" << true;
    QTest::newRow("missing") << "gone.png" << false;
}

// The job renders a copy written elsewhere; the picture must still be found
// from the design's folder, or be reported.
void TestForeignDesigns::relativeImage()
{
    QFETCH(QString, href);
    QFETCH(bool, found);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("pictures"));
    for (const QString name : { "photo.png", "pictures/photo.png" }) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(png(20, 10));    // the aspect of its box
    }
    GCodeGenerator generator;
    generator.setBaseFolder(dir.path());
    const QRectF area = burned(
            generator.generate(foreign("<image x='50' y='25' width='100' height='50' xlink:href='" + href + "'/>")));
    const bool reported = generator.summary().notes.join('\n').contains(href);
    QCOMPARE(reported, !found);
    QCOMPARE(area.isNull(), !found);
    if (found)
        QVERIFY2(near(area, mm(4, 2, 12, 6), 1.5 * spacing + 1e-6), qPrintable(describe(area)));
}

void TestForeignDesigns::pictureFits_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<QRectF>("expected");    // empty: reported, nothing burned

    // A black picture twice as wide as high in a square box of 50.
    const QString square = "x='50' y='25' width='50' height='50'";
    QTest::newRow("meet centres it") << "<image " + square + " href='wide.png'/>" << mm(4, 3, 8, 5);
    QTest::newRow("meet at the top") << "<image " + square + " preserveAspectRatio='xMinYMin meet' href='wide.png'/>"
                                     << mm(4, 2, 8, 4);
    QTest::newRow("slice fills the box")
            << "<image " + square + " preserveAspectRatio='xMidYMid slice' href='wide.png'/>" << mm(4, 2, 8, 6);
    QTest::newRow("none stretches") << "<image " + square + " preserveAspectRatio='none' href='wide.png'/>"
                                    << mm(4, 2, 8, 6);
    QTest::newRow("own size without width and height") << "<image x='50' y='25' href='wide.png'/>"
                                                        << mm(4, 2, 7.2, 3.6);
    QTest::newRow("height from the width") << "<image x='50' y='25' width='20' href='wide.png'/>"
                                           << mm(4, 2, 5.6, 2.8);
    QTest::newRow("WebP") << "<image " + square + " preserveAspectRatio='none' href='wide.webp'/>" << mm(4, 2, 8, 6);
    QTest::newRow("undecodable") << "<image " + square + " href='broken.png'/>" << QRectF();
}

// Pictures are placed as SVG places them, whatever format Qt's plugins read.
void TestForeignDesigns::pictureFits()
{
    QFETCH(QString, image);
    QFETCH(QRectF, expected);

    QTemporaryDir dir;
    QImage wide(40, 20, QImage::Format_RGB32);
    wide.fill(Qt::black);
    QVERIFY(wide.save(dir.filePath("wide.png")));
    QVERIFY2(wide.save(dir.filePath("wide.webp"), "WEBP", 100), "qt5-image-formats-plugins is needed");
    QFile broken(dir.filePath("broken.png"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("\x89PNG\r\n\x1a\n not a picture");
    broken.close();

    GCodeGenerator generator;
    generator.setBaseFolder(dir.path());
    const QRectF area = burned(generator.generate(foreign("<rect width='10' height='10' fill='none' stroke='#000'/>"
                                                          + image)));
    const QRectF outline = mm(0, 0, 0.8 + backlash, 0.8 + backlash);
    if (expected.isEmpty()) {
        QVERIFY2(near(area, outline, 0.05), qPrintable(describe(area)));
        QVERIFY(generator.summary().notes.join('\n').contains("broken.png"));
        return;
    }
    QVERIFY2(near(area, outline | expected, pictureTolerance), qPrintable(describe(area)));
}

void TestForeignDesigns::pictureCycleEnds_data()
{
    QTest::addColumn<QString>("designPicture");
    QTest::addColumn<int>("rasterGroups");
    QTest::addColumn<QRectF>("expected");

    // The design's outline alone: its picture is the design itself.
    QTest::newRow("the design shows itself") << "design.svg" << 0 << mm(0, 0, 0.8 + backlash, 0.8 + backlash);
    // The design shows a black drawing that shows the design again: the
    // drawing burns, the way back is left out.
    QTest::newRow("two drawings show each other") << "other.svg" << 1 << mm(0, 0, 16, 8);
    QTest::newRow("a drawing shows itself") << "self.svg" << 1 << mm(0, 0, 16, 8);
}

// Pictures that are drawings showing themselves used to recurse in the SVG
// reader until the stack ran out.
void TestForeignDesigns::pictureCycleEnds()
{
    QFETCH(QString, designPicture);
    QFETCH(int, rasterGroups);
    QFETCH(QRectF, expected);

    QTemporaryDir dir;
    const auto write = [&dir](const QString &name, const QString &text) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    };
    const QString design = foreign("<rect width='10' height='10' fill='none' stroke='#000'/>"
                                   "<image x='100' y='50' width='100' height='50' href='"
                                   + designPicture + "'/>");
    write("design.svg", design);
    write("other.svg", foreign("<rect width='20' height='10'/><image width='20' height='10' href='design.svg'/>",
                               "width='20' height='10'"));
    write("self.svg", foreign("<rect width='20' height='10'/><image width='20' height='10' href='self.svg'/>",
                              "width='20' height='10'"));
    GCodeGenerator generator;
    generator.setDesignFile(dir.filePath("design.svg"));
    const QRectF area = burned(generator.generate(design));
    QCOMPARE(generator.summary().rasterGroups, rasterGroups);
    QVERIFY2(near(area, expected, 1.5 * spacing + 1e-6), qPrintable(describe(area)));
    QVERIFY2(generator.summary().notes.join('\n').contains("shows itself"),
             qPrintable(generator.summary().notes.join('\n')));
}

void TestForeignDesigns::prefixedAndCompressedFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QRectF>("expected");

    QTest::newRow("svg:svg root") << "prefixed-root.svg" << mm(4, 2, 12, 6);
    // An outline, with the backlash take-up.
    QTest::newRow("svgz") << "compressed.svgz" << mm(4, 2, 12 + backlash, 6 + backlash);
}

void TestForeignDesigns::prefixedAndCompressedFiles()
{
    QFETCH(QString, file);
    QFETCH(QRectF, expected);

    QString text;
    QString error;
    QVERIFY2(SvgFile::readDesign(dataPath(file), &text, &error), qPrintable(error));
    GCodeGenerator generator;
    const QRectF area = burned(generator.generate(text));
    QVERIFY(generator.isValidInput());
    QVERIFY2(near(area, expected, 1.5 * spacing + 1e-6), qPrintable(describe(area)));
}

void TestForeignDesigns::declaredEncoding_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<bool>("declared");

    QTest::newRow("windows-1251") << QByteArray("windows-1251") << true;
    QTest::newRow("ISO-8859-5") << QByteArray("ISO-8859-5") << true;
    QTest::newRow("UTF-16 with its mark") << QByteArray("UTF-16") << false;
    QTest::newRow("UTF-8 undeclared") << QByteArray("UTF-8") << false;
}

// Text written in the encoding the XML declaration names reads as that text.
void TestForeignDesigns::declaredEncoding()
{
    QFETCH(QByteArray, codec);
    QFETCH(bool, declared);

    const QString title = QStringLiteral("\u041f\u0440\u0438\u0432\u0435\u0442");
    const QString text = (declared ? "<?xml version='1.0' encoding='" + QString::fromLatin1(codec) + "'?>" : QString())
            + foreign("<title>" + title + "</title>");
    QTemporaryDir dir;
    QFile file(dir.filePath("design.svg"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QTextCodec *encoder = QTextCodec::codecForName(codec);
    QVERIFY(encoder);
    file.write(encoder->fromUnicode(text));    // UTF-16 gets its byte order mark
    file.close();

    QString read;
    QVERIFY(SvgFile::readDesign(file.fileName(), &read));
    QDomDocument document;
    QVERIFY(document.setContent(read));
    QCOMPARE(document.elementsByTagName("title").item(0).toElement().text(), title);
}

void TestForeignDesigns::trueSize_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSizeF>("millimetres");

    QTest::newRow("mm") << "true-size-mm.svg" << QSizeF(100, 50);
    QTest::newRow("in") << "true-size-in.svg" << QSizeF(101.6, 50.8);
    QTest::newRow("pt") << "true-size-pt.svg" << QSizeF(100, 50);
}

// The root says how large the drawing is; with true size on, that is the
// size burned, whatever its viewBox.
void TestForeignDesigns::trueSize()
{
    QFETCH(QString, file);
    QFETCH(QSizeF, millimetres);

    QString text;
    QVERIFY(SvgFile::readDesign(dataPath(file), &text));
    QDomDocument document;
    QVERIFY(document.setContent(text));
    const QSizeF detected = SvgFile::physicalSize(document);
    QVERIFY2(qAbs(detected.width() - millimetres.width()) < 0.01
                     && qAbs(detected.height() - millimetres.height()) < 0.01,
             qPrintable(QStringLiteral("%1 x %2").arg(detected.width()).arg(detected.height())));

    GCodeGenerator generator;
    generator.setTrueSize(true);
    const QRectF area = burned(generator.generate(text));
    QVERIFY2(near(area, mm(0, 0, millimetres.width() + backlash, millimetres.height() + backlash), 0.05),
             qPrintable(describe(area)));

    generator.setTrueSize(false);
    QVERIFY2(near(burned(generator.generate(text)), mm(0, 0, 16 + backlash, 8 + backlash), 0.05),
             "without true size: user units");
}

// A design of this program: sizes in user units, shapes that declare no
// fill are neither cut nor filled, and a physical root is not rescaled.
void TestForeignDesigns::ownDesignsKeepTheirRules()
{
    const QString own = QStringLiteral(
            "<svg xmlns='http://www.w3.org/2000/svg' xmlns:tolvenrik='urn:tolvenrik' width='100mm' height='50mm'>"
            "<g><rect x='10' y='10' width='20' height='20'/>"
            "<rect x='50' y='25' width='100' height='50' style='fill:none'/></g></svg>");
    QDomDocument document;
    QVERIFY(document.setContent(own));
    QVERIFY(SvgFile::physicalSize(document).isEmpty());
    GCodeGenerator generator;
    generator.setTrueSize(true);
    const QRectF area = burned(generator.generate(own));
    QCOMPARE(generator.summary().rasterGroups, 0);
    QCOMPARE(generator.summary().outlines, 1);
    QVERIFY2(near(area, mm(4, 2, 12 + backlash, 6 + backlash), 0.05), qPrintable(describe(area)));
}

void TestForeignDesigns::picturesBurnTheirGreyLevels_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<bool>("grey");

    // A picture black on the left, grey 100 on the right.
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(qRgb(100, 100, 100));
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 0));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    const QString href = "href='data:image/png;base64," + QString::fromLatin1(bytes.toBase64()) + "'";
    const QString image = "<image x='20' y='20' width='100' height='50' " + href;

    QTest::newRow("picture from another program") << foreign(image + "/>") << true;
    QTest::newRow("picture that names its mode") << foreign(image + " tolvenrik:image='bw'/>") << false;
    QTest::newRow("picture in an own design")
            << "<svg xmlns='http://www.w3.org/2000/svg' xmlns:tolvenrik='urn:tolvenrik' width='200' height='100'>"
               "<g>" + QString(image).replace("href=", "xlink:href=") + " style='fill:#000000'/></g></svg>"
            << false;
}

// A picture from another program burns with power following its darkness,
// not cut off at mid-grey; one that names a mode, or one in a design of
// this program, keeps that mode.
void TestForeignDesigns::picturesBurnTheirGreyLevels()
{
    QFETCH(QString, design);
    QFETCH(bool, grey);

    GCodeGenerator generator;
    const QVector<GCodeBuffer> records = generator.generate(design);
    QCOMPARE(generator.summary().rasterGroups, 1);
    QVector<double> powers;
    for (const GCodeBuffer &record : records) {
        if (record.S > 0)
            powers << record.S;
    }
    QVERIFY(!powers.isEmpty());
    const double full = *std::max_element(powers.cbegin(), powers.cend());
    // Grey 100 of 255 burns at (255 - 100) / 255 of the black's power.
    const bool greyHalf = std::any_of(powers.cbegin(), powers.cend(),
                                      [full](double s) { return qAbs(s / full - 155.0 / 255) < 0.03; });
    QCOMPARE(greyHalf, grey);
    if (!grey)
        QVERIFY(std::all_of(powers.cbegin(), powers.cend(), [full](double s) { return s == full; }));
}

QTEST_MAIN(TestForeignDesigns)
#include "tst_foreigndesigns.moc"
