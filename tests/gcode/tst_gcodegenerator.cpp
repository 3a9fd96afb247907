#include "gcode/gcodegenerator.h"

#include "document/documentwriter.h"
#include "gcode/rastergroup.h"
#include "gcode/rastergroupsplit.h"
#include "document/engravingattributes.h"

#include "gcodeinterpreter.h"
#include "messagecapture.h"

#include <QBuffer>
#include <QDomDocument>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

class TestGCodeGenerator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void emptyDesign_data();
    void emptyDesign();
    void outlineOnlyDesign();
    void paintProperty();
    void outlineShapesAreCut_data();
    void outlineShapesAreCut();
    void groupTransformsReachOutlines();
    void outlineModeGroupKeepsItsChildren();
    void pathPasses();
    void textIsCutAsOutlines();
    void rasterGroups_data();
    void rasterGroups();
    void emptyRasterGroupKeepsTheJob();
    void rasterIgnoresViewBox_data();
    void rasterIgnoresViewBox();
    void groupCopiesMatchFilter_data();
    void groupCopiesMatchFilter();
    void markedRasterMatchesWholeRender_data();
    void markedRasterMatchesWholeRender();
    void outlinesFollowRasterAfterG90();
    void logCopyIsLatin1AndFiltered();
    void imageReprocessedAtShownSize();
    void jobImageModeFromLastImage();
    void outlineModeImageIsNotEngraved();
    void linkedPictureEngravesLikeEmbedded_data();
    void linkedPictureEngravesLikeEmbedded();
    void longFilledPathBurnsItsWholeArea_data();
    void longFilledPathBurnsItsWholeArea();
    void badInput_data();
    void badInput();
    void absurdWorkAreaIsClamped();
    void oversizedGroupRefusesTheJob();
    void manyElements();
};

namespace {

const QStringList head{ "G00", "G17", "G40", "G21", "G54", "M106" };
const QStringList frame{ "G90", "M4", "M8" };
const QStringList tail{ "M107", "G90", "M9", "G1S0.0000", "M5", "G90", "G0X0.0000Y0.0000", "M2" };

QString design(const QString &body, const QString &width = "2000", const QString &height = "2700")
{
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' "
                          "xmlns:xlink='http://www.w3.org/1999/xlink' "
                          "xmlns:tolvenrik='urn:tolvenrik' width='%1' height='%2'>"
                          "<g tolvenrik:label='label 1'>%3</g></svg>")
            .arg(width, height, body);
}

// Engraving attributes that make positions easy to check: no backlash, no overscan.
QString exact(const QString &extra = QString())
{
    return QStringLiteral("tolvenrik:XMotorMovementError='0' tolvenrik:YMotorMovementError='0' "
                          "tolvenrik:scanBuffer='0' tolvenrik:scanError='0' %1")
            .arg(extra);
}

QStringList lines(const QVector<GCodeBuffer> &records)
{
    QStringList out;
    for (const GCodeBuffer &record : records)
        out << record.toString().trimmed();
    return out;
}

QStringList generate(GCodeGenerator &generator, const QString &text)
{
    return lines(generator.generate(text));
}

QString pngHref(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(bytes.toBase64());
}

QImage greyImage(int width, int height, int grey)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(grey, grey, grey));
    return image;
}

} // namespace

void TestGCodeGenerator::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestGCodeGenerator::emptyDesign_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");

    QTest::newRow("empty design") << design(QString()) << true;
    QTest::newRow("no svg element") << "<html><body/></html>" << false;
    QTest::newRow("not XML") << "<svg width='10'" << false;
    QTest::newRow("empty text") << "" << false;
    QTest::newRow("outline of an unknown element") << design("<use style='fill:none'/>") << true;
}

void TestGCodeGenerator::emptyDesign()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);

    GCodeGenerator generator;
    QCOMPARE(generate(generator, text), head + frame + tail);
    QCOMPARE(generator.isValidInput(), valid);
    QCOMPARE(generator.errorString().isEmpty(), valid);
    QCOMPARE(generator.summary().records, head.size() + frame.size() + tail.size());
    QCOMPARE(generator.summary().outlines, 0);
}

void TestGCodeGenerator::outlineOnlyDesign()
{
    GCodeGenerator generator;
    const QStringList job = generate(
            generator,
            design("<rect x='0' y='0' width='10' height='10' style='fill:none' " + exact() + "/>"));
    const QStringList moves{ "M4", "M8", "G0X0.0000Y0.0000", "G1Y0.8000S1000.0000F1500.0000",
                             "G1X0.8000", "G0X0.8000Y0.8000", "G1Y0.0000",
                             "G0X0.8000Y0.0000", "G1X0.0000" };
    QCOMPARE(job, head + frame + moves + tail);
    QCOMPARE(generator.summary().outlines, 1);
    QCOMPARE(generator.summary().rasterGroups, 0);
}

void TestGCodeGenerator::paintProperty()
{
    GCodeGenerator generator;
    QCOMPARE(generator.paintPower(), 1000.0);
    QCOMPARE(generator.paintSpeed(), 1500.0);
    QCOMPARE(generator.rasterRatio(), 1.0);
    generator.setPaintProperty({ "paintPower", "paintSpeed", "printingAccuracy", "unknown", "paintNum" },
                               { 500, 3000, 0.04, 7 });
    QCOMPARE(generator.paintPower(), 500.0);
    QCOMPARE(generator.paintSpeed(), 3000.0);
    QCOMPARE(generator.rasterRatio(), 2.0);

    const QStringList job = generate(
            generator, design("<path d='M 0 0 L 100 0' style='fill:none' tolvenrik:scanPower='50' "
                              "tolvenrik:scanSpeed='10' "
                              + exact() + "/>"));
    QVERIFY(job.contains("G1X8.0000S250.0000F300.0000"));
}

void TestGCodeGenerator::outlineShapesAreCut_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("firstMove");

    QTest::newRow("circle") << "<circle cx='50' cy='25' r='25'" << "G0X6.0000Y2.0000";
    QTest::newRow("line") << "<line x1='12.5' y1='25' x2='100' y2='25'" << "G0X1.0000Y2.0000";
    QTest::newRow("polyline") << "<polyline points='25,50 100,50 100,100'" << "G0X2.0000Y4.0000";
    QTest::newRow("polygon") << "<polygon points='25,50 100,50 100,100'" << "G0X2.0000Y4.0000";
    QTest::newRow("ellipse") << "<ellipse cx='50' cy='25' rx='25' ry='10'" << "G0X6.0000Y2.0000";
}

void TestGCodeGenerator::outlineShapesAreCut()
{
    QFETCH(QString, shape);
    QFETCH(QString, firstMove);

    GCodeGenerator generator;
    const QStringList job = generate(generator, design(shape + " style='fill:none' " + exact() + "/>"));
    QCOMPARE(generator.summary().outlines, 1);
    QCOMPARE(job.mid(head.size() + frame.size(), 3), QStringList({ "M4", "M8", firstMove }));
    QVERIFY(!job.filter(QRegularExpression("^G1X|^G1Y")).isEmpty());
}

void TestGCodeGenerator::groupTransformsReachOutlines()
{
    // The rect lands at x = (0 + 5) * 2 + 125 = 135 units, 10.8 mm.
    GCodeGenerator generator;
    const QStringList job = generate(
            generator,
            design("<g transform='translate(125,0)'><g transform='scale(2)'>"
                   "<rect width='10' height='10' transform='translate(5,0)' style='fill:none' "
                   + exact() + "/></g></g>"));
    QCOMPARE(job.at(head.size() + frame.size() + 2), QStringLiteral("G0X10.8000Y0.0000"));
    QVERIFY(job.contains("G1Y1.6000S1000.0000F1500.0000"));
}

// A group styled "fill:none" (as editors write them) is no shape to cut; its
// children are cut, not dropped with it.
void TestGCodeGenerator::outlineModeGroupKeepsItsChildren()
{
    GCodeGenerator generator;
    generate(generator, design("<g style='fill:none;stroke:#000'>"
                               "<rect width='10' height='10' style='fill:none' "
                               + exact() + "/><circle r='5' style='fill:none' " + exact() + "/></g>"));
    QCOMPARE(generator.summary().outlines, 2);
}

void TestGCodeGenerator::pathPasses()
{
    GCodeGenerator generator;
    const QStringList job = generate(
            generator, design("<path d='M 0 0 L 100 0' style='fill:none' tolvenrik:scanTimes='3' "
                              + exact() + "/>"));
    QCOMPARE(job.filter(QRegularExpression("^G1X8\\.0000")).size(), 3);
}

void TestGCodeGenerator::textIsCutAsOutlines()
{
    GCodeGenerator generator;
    const QStringList job = generate(
            generator, design("<text x='100' y='100' style='font-size:50px;font-family:sans-serif;"
                              "fill:none' tolvenrik:scanPower='40' "
                              + exact() + ">Hi</text>"));
    QVERIFY(generator.summary().outlines >= 1);
    QVERIFY(job.filter(QRegularExpression("S400\\.0000")).size() >= 1);
    QVERIFY(job.filter(QRegularExpression("S1000\\.0000")).isEmpty());
}

void TestGCodeGenerator::rasterGroups_data()
{
    QTest::addColumn<QString>("secondAngle");
    QTest::addColumn<int>("groups");

    QTest::newRow("identical parameters share a pass") << "0" << 1;
    QTest::newRow("another angle is another pass") << "90" << 2;
}

void TestGCodeGenerator::rasterGroups()
{
    QFETCH(QString, secondAngle);
    QFETCH(int, groups);

    GCodeGenerator generator;
    const QString common = exact("tolvenrik:scanAccuracy='0.1' style='fill:#000000'");
    const QStringList job = generate(
            generator,
            design("<rect x='10' y='10' width='50' height='20' tolvenrik:scanAngle='0' " + common
                           + "/><rect x='100' y='10' width='50' height='20' tolvenrik:scanAngle='"
                           + secondAngle + "' " + common + "/>",
                   "200", "100"));
    QCOMPARE(generator.summary().rasterGroups, groups);
    QCOMPARE(generator.paintParameterList().size(), groups);
    QCOMPARE(generator.paintParameterList().at(0).scanAngle, 0.0);
    QCOMPARE(job.count("M9"), groups + 1);
    QCOMPARE(job.mid(head.size() + frame.size(), 3), QStringList({ "M4", "M8", "M9" }));
    QCOMPARE(generator.rasterRatio(), 0.08 / 0.1);
}

void TestGCodeGenerator::emptyRasterGroupKeepsTheJob()
{
    // The first group has no passes; the second group and the outline still go out.
    GCodeGenerator generator;
    const QStringList job = generate(
            generator,
            design("<rect x='10' y='10' width='50' height='20' style='fill:#000' "
                   "tolvenrik:scanTimes='0' "
                   + exact("tolvenrik:scanAccuracy='0.1'")
                   + "/><rect x='100' y='10' width='50' height='20' style='fill:#000' "
                   + exact("tolvenrik:scanAccuracy='0.1'")
                   + "/><path d='M 0 80 L 100 80' style='fill:none' " + exact() + "/>",
                   "200", "100"));
    QCOMPARE(generator.summary().rasterGroups, 1);
    QCOMPARE(generator.summary().outlines, 1);
    QCOMPARE(job.count("M9"), 2);
    QVERIFY(job.contains("G1X8.0000S1000.0000F1500.0000"));
}

void TestGCodeGenerator::rasterIgnoresViewBox_data()
{
    QTest::addColumn<QString>("rootAttributes");
    QTest::newRow("plain") << "width='400' height='300'";
    QTest::newRow("viewBox of half the size") << "width='400' height='300' viewBox='0 0 200 150'";
    QTest::newRow("sizes with units") << "width='400mm' height='300mm'";
}

// The fill lands where the outline of the same rectangle is cut.
void TestGCodeGenerator::rasterIgnoresViewBox()
{
    QFETCH(QString, rootAttributes);
    const QString rect = "<rect x='100' y='50' width='100' height='50' ";
    const QString text = QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' "
                                        "xmlns:tolvenrik='urn:tolvenrik' %1>%2</svg>")
                                 .arg(rootAttributes,
                                      rect + "style='fill:#000' "
                                              + exact("tolvenrik:scanAccuracy='0.1' tolvenrik:scanAngle='0'")
                                              + "/>" + rect + "style='fill:none' " + exact() + "/>");
    GCodeGenerator generator;
    const QStringList job = generate(generator, text);
    QCOMPARE(generator.summary().rasterGroups, 1);
    // Raster runs start a pixel early: 7.9 mm for the edge at 8 mm.
    const QStringList moves = job.filter(QRegularExpression("^G0X"));
    QVERIFY(moves.size() >= 2);
    QCOMPARE(moves.at(0), QStringLiteral("G0X7.9000Y4.0000"));
    QCOMPARE(moves.at(1), QStringLiteral("G0X8.0000Y4.0000"));
}

void TestGCodeGenerator::groupCopiesMatchFilter_data()
{
    QTest::addColumn<QString>("body");
    const QString a = "tolvenrik:scanPower='10'";
    const QString b = "tolvenrik:scanPower='20'";
    QTest::newRow("siblings") << QStringLiteral("<rect width='5' height='5' style='fill:#000' %1/>"
                                                "<rect width='6' height='6' style='fill:#000' %2/>"
                                                "<rect width='7' height='7' style='fill:#000' %1/>").arg(a, b);
    QTest::newRow("nested fill groups")
            << QStringLiteral("<g style='fill:#000' %1><rect width='5' height='5' %2/><g><circle r='3' %1/>"
                              "<circle r='4' %2/></g></g><rect width='1' height='1' style='fill:#000' %2/>")
                       .arg(a, b);
    QTest::newRow("images, outline-mode group, defs")
            << QStringLiteral("<defs><rect id='d' width='2' height='2' style='fill:#000' %1/></defs>"
                              "<g style='fill:none'><image width='4' height='4' %2/><rect width='3' height='3' %1 "
                              "style='fill:#111'/></g><image width='4' height='4' %1/><text>keep</text>")
                       .arg(a, b);
}

// One walk for all groups leaves each group the very copy that filtering a
// whole clone leaves, and the working document as it was.
void TestGCodeGenerator::groupCopiesMatchFilter()
{
    QFETCH(QString, body);
    QDomDocument working;
    QVERIFY(working.setContent(design(body), false));
    const QString before = working.toString(2);
    const StyleResolver styles(working);
    const DefaultParameters defaults;
    PaintParameterList groups;
    for (const char *tag : { "rect", "circle", "image" }) {
        const QDomNodeList shapes = working.elementsByTagName(QLatin1String(tag));
        for (int i = 0; i < shapes.size(); ++i)
            groups.append(readPaintParameter(shapes.item(i).toElement(), defaults));
    }
    QVERIFY(groups.size() >= 2);

    const RasterGroupSplit split(working, groups, defaults, styles);
    for (int g = 0; g < groups.size(); ++g) {
        QDomDocument filtered = working.cloneNode(true).toDocument();
        RasterGroup::filter(filtered, groups.at(g), defaults, styles);
        QCOMPARE(split.copy(g).toString(2), filtered.toString(2));
        QCOMPARE(working.toString(2), before);
    }
}

void TestGCodeGenerator::markedRasterMatchesWholeRender_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<double>("ratio");
    QTest::newRow("filled rectangle") << "<rect x='100.3' y='50.7' width='100' height='50' style='fill:#000'/>" << 0.8;
    QTest::newRow("miter-joined thick stroke")
            << "<path d='M 300 300 L 600 310 L 310 330' style='fill:none;stroke:#000;stroke-width:25;"
               "stroke-linejoin:miter;stroke-miterlimit:10'/>" << 1.6;
    QTest::newRow("square caps")
            << "<polyline points='50,600 350,650' style='fill:none;stroke:#444;stroke-width:30;"
               "stroke-linecap:square'/>" << 1.0;
    QTest::newRow("hairline") << "<line x1='10' y1='10' x2='700' y2='11' style='stroke:#000;stroke-width:0.01'/>"
                              << 0.8;
    QTest::newRow("turned group")
            << "<g transform='rotate(33 400 300) scale(1.5)'><rect x='200' y='100' width='80' height='40' "
               "style='fill:#000'/><circle cx='150' cy='150' r='30' style='fill:#888;stroke:#000;stroke-width:4'/></g>"
            << 1.2;
    QTest::newRow("gradient")
            << "<defs><linearGradient id='g'><stop offset='0' stop-color='#000'/><stop offset='1' "
               "stop-color='#fff'/></linearGradient></defs><rect x='20' y='20' width='300' height='90' "
               "style='fill:url(#g)'/>" << 0.8;
    QTest::newRow("picture")
            << QStringLiteral("<image x='210.5' y='100.25' width='90' height='60' transform='rotate(5)' "
                              "xlink:href='%1'/>").arg(pngHref(greyImage(9, 6, 90))) << 2.0;
    QTest::newRow("partly outside") << "<rect x='-50' y='700' width='200' height='200' style='fill:#000'/>" << 0.8;
    QTest::newRow("wholly outside") << "<rect x='900' y='100' width='50' height='50' style='fill:#000'/>" << 0.8;
}

// Rendering only where marks fall gives the pixels of the whole raster there,
// and leaves nothing but white outside.
void TestGCodeGenerator::markedRasterMatchesWholeRender()
{
    QFETCH(QString, body);
    QFETCH(double, ratio);
    const QByteArray text = design(body, "800", "750").toUtf8();
    const QSizeF size(800, 750);
    const QImage whole = RasterGroup::render(text, size, ratio);
    QVERIFY(!whole.isNull());
    const RasterGroup::MarkedRaster marked = RasterGroup::renderMarked(text, size, ratio);
    QVERIFY(marked.ok);
    QCOMPARE(marked.fullSize, whole.size());
    QImage rebuilt(whole.size(), QImage::Format_Grayscale8);
    rebuilt.fill(255);
    if (!marked.image.isNull()) {
        QVERIFY(marked.image.width() < whole.width() || marked.image.height() < whole.height());
        for (int j = 0; j < marked.image.height(); ++j)
            memcpy(rebuilt.scanLine(marked.origin.y() + j) + marked.origin.x(),
                   marked.image.constScanLine(j), size_t(marked.image.width()));
    }
    for (int j = 0; j < whole.height(); ++j) {
        if (memcmp(rebuilt.constScanLine(j), whole.constScanLine(j), size_t(whole.width())) != 0)
            QFAIL(qPrintable(QStringLiteral("row %1 differs").arg(j)));
    }
}

void TestGCodeGenerator::outlinesFollowRasterAfterG90()
{
    GCodeGenerator generator;
    const QStringList job = generate(
            generator,
            design("<path d='M 0 80 L 100 80' style='fill:none' " + exact()
                           + "/><rect x='10' y='10' width='50' height='20' style='fill:#000' "
                           + exact("tolvenrik:scanAccuracy='0.1'") + "/>",
                   "200", "100"));
    const int cut = job.indexOf("G0X0.0000Y6.4000");
    QVERIFY(cut > 0);
    QCOMPARE(job.at(cut - 1), QStringLiteral("G90"));
    QVERIFY(job.at(cut - 2).startsWith("G1"));
    QCOMPARE(job.mid(head.size() + frame.size(), 3), QStringList({ "M4", "M8", "M9" }));
    QCOMPARE(job.mid(cut + 1, 1), QStringList({ "G1X8.0000S1000.0000F1500.0000" }));
}

void TestGCodeGenerator::logCopyIsLatin1AndFiltered()
{
    GCodeGenerator generator;
    generate(generator,
             design("<desc>\u96d5\u523b caf\u00e9</desc>"
                    "<rect id='kept' x='10' y='10' width='50' height='20' style='fill:#000' "
                    + exact("tolvenrik:scanAccuracy='0.1'")
                    + "/><rect id='other' x='100' y='10' width='50' height='20' style='fill:#000' "
                    + exact("tolvenrik:scanAccuracy='0.2'") + "/>",
                    "200", "100"));
    QFile file(logSvgPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // The last group rendered is the one at 0.2 mm.
    QVERIFY(bytes.contains("?? caf\xe9"));
    QVERIFY(bytes.contains("id=\"other\""));
    QVERIFY(!bytes.contains("id=\"kept\""));
}

void TestGCodeGenerator::imageReprocessedAtShownSize()
{
    // A 20 x 10 picture shown at 40 x 30 units and doubled by its transform
    // is reprocessed into 80 x 60 pixels.
    GCodeGenerator generator;
    generate(generator,
             design("<image width='40' height='30' transform='scale(2)' tolvenrik:image='bw' "
                    "xlink:href='"
                    + pngHref(greyImage(20, 10, 0)) + "' "
                    + exact("tolvenrik:scanAccuracy='0.1'") + "/>",
                    "200", "100"));
    QFile file(logSvgPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QDomDocument copy;
    QVERIFY(copy.setContent(&file));
    const QString href = copy.elementsByTagName("image").item(0).toElement().attribute("xlink:href");
    QVERIFY(href.startsWith("data:image/png;base64,"));
    const QImage picture = QImage::fromData(
            QByteArray::fromBase64(href.mid(href.indexOf(',') + 1).toLatin1()), "PNG");
    QCOMPARE(picture.size(), QSize(80, 60));
    QCOMPARE(generator.summary().rasterGroups, 1);
    QCOMPARE(generator.imageMode(), QStringLiteral("bw"));
}

void TestGCodeGenerator::jobImageModeFromLastImage()
{
    GCodeGenerator generator;
    const QString picture = pngHref(greyImage(8, 8, 100));
    generate(generator, design("<image width='8' height='8' tolvenrik:image='gray' xlink:href='" + picture
                               + "'/><image x='20' width='8' height='8' tolvenrik:image='bw' xlink:href='"
                               + picture + "'/><image x='40' width='8' height='8' xlink:href='"
                               + picture + "'/>",
                               "100", "100"));
    QCOMPARE(generator.imageMode(), QStringLiteral("bw"));
    generate(generator, design(QString()));
    QCOMPARE(generator.imageMode(), QString());
}

void TestGCodeGenerator::outlineModeImageIsNotEngraved()
{
    // Its parameter set still makes a (white) pass: "M9" and nothing burned.
    GCodeGenerator generator;
    const QStringList job = generate(
            generator, design("<image width='40' height='30' style='fill:none' xlink:href='"
                                      + pngHref(greyImage(8, 8, 0)) + "' "
                                      + exact("tolvenrik:scanAccuracy='0.1'") + "/>",
                              "200", "100"));
    QCOMPARE(generator.summary().outlines, 0);
    QCOMPARE(generator.summary().rasterGroups, 1);
    const QStringList pass{ "M4", "M8", "M9" };
    QCOMPARE(job, head + frame + pass + tail);
}

void TestGCodeGenerator::linkedPictureEngravesLikeEmbedded_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("bw") << "bw";
    QTest::newRow("halftone") << "halftone";
    QTest::newRow("gray") << "gray";
    QTest::newRow("as stored") << "";
}

// A picture beside the design was rendered as stored, skipping the processing.
void TestGCodeGenerator::linkedPictureEngravesLikeEmbedded()
{
    QFETCH(QString, mode);
    // Grey steps, so that each mode gives a different job.
    QImage steps(24, 12, QImage::Format_RGB32);
    for (int x = 0; x < steps.width(); ++x)
        for (int y = 0; y < steps.height(); ++y)
            steps.setPixel(x, y, qRgb(x * 10, (x * 10 + y * 7) % 256, 200 - x * 5));
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(QDir(folder.path()).mkdir("pictures"));
    QVERIFY(steps.save(folder.filePath("pictures/steps.png")));

    const QString element = QStringLiteral("<image x='5' y='3' width='48' height='36' transform='rotate(10)' "
                                           "%1 xlink:href='%2' %3/>")
                                    .arg(mode.isEmpty() ? QString() : "tolvenrik:image='" + mode + "'");
    const QString attributes = exact("tolvenrik:scanAccuracy='0.05' tolvenrik:scanAngle='0'");
    GCodeGenerator embedded;
    const QStringList expected =
            generate(embedded, design(element.arg(pngHref(steps), attributes), "100", "100"));
    GCodeGenerator linked;
    linked.setDesignFile(folder.filePath("design.svg"));
    const QStringList job = generate(linked, design(element.arg("pictures/steps.png", attributes), "100", "100"));

    QCOMPARE(linked.summary().notes, embedded.summary().notes);
    QCOMPARE(linked.imageMode(), mode);
    QVERIFY(job.filter(QRegularExpression("^G1.*S[1-9]")).size() > 20);
    QCOMPARE(job, expected);
}

namespace {

// A wavy closed outline of `points` points around (800, 800), clockwise or not.
QPolygonF wavyLoop(int points, double radius, double ripple, bool clockwise)
{
    QPolygonF loop;
    loop.reserve(points);
    for (int i = 0; i < points; ++i) {
        const double a = (clockwise ? 1 : -1) * 2 * M_PI * i / points;
        const double r = radius + ripple * std::sin(40 * a);
        loop << QPointF(800 + r * std::cos(a), 800 + r * std::sin(a));
    }
    return loop;
}

double area(const QPolygonF &loop)
{
    double twice = 0;
    for (int i = 0; i < loop.size(); ++i) {
        const QPointF &a = loop.at(i);
        const QPointF &b = loop.at((i + 1) % loop.size());
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return std::fabs(twice) / 2;
}

QString pointList(const QPolygonF &loop)
{
    QString text;
    text.reserve(loop.size() * 16);
    for (const QPointF &point : loop)
        text += QString::number(point.x(), 'f', 3) + QLatin1Char(',') + QString::number(point.y(), 'f', 3)
                + QLatin1Char(' ');
    return text;
}

} // namespace

void TestGCodeGenerator::longFilledPathBurnsItsWholeArea_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<double>("area");  // mm²

    const double mm2 = 0.08 * 0.08;
    const QPolygonF outer = wavyLoop(240000, 560, 25, true);
    const QPolygonF hole = wavyLoop(60000, 300, 10, true);
    const QPolygonF reversedHole = wavyLoop(60000, 300, 10, false);
    const QString fill = exact("tolvenrik:scanAngle='0' tolvenrik:scanAccuracy='0.1' style='fill:#000000'");
    QTest::newRow("300 000 segments, even-odd ring")
            << QStringLiteral("<path fill-rule='evenodd' %1 d='M%2Z M%3Z'/>").arg(fill, pointList(outer), pointList(hole))
            << (area(outer) - area(hole)) * mm2;
    QTest::newRow("300 000 segments, nonzero, hole wound the same way")
            << QStringLiteral("<path %1 d='M%2Z M%3Z'/>").arg(fill, pointList(outer), pointList(hole))
            << area(outer) * mm2;
    QTest::newRow("300 000 segments, nonzero, hole wound the other way")
            << QStringLiteral("<path %1 d='M%2Z M%3Z'/>").arg(fill, pointList(outer), pointList(reversedHole))
            << (area(outer) - area(reversedHole)) * mm2;
    // Turned, so the cuts are not along the shape's own axes.
    const QPolygonF polygon = wavyLoop(100000, 400, 30, false);
    QTest::newRow("100 000-point polygon in a turned group")
            << QStringLiteral("<g transform='rotate(30 800 800)'><polygon %1 points='%2'/></g>")
                       .arg(fill, pointList(polygon))
            << area(polygon) * mm2;
}

// The renderer filled only the first 32767 elements of a path: a sliver,
// or nothing at all, of a shape the canvas showed whole.
void TestGCodeGenerator::longFilledPathBurnsItsWholeArea()
{
    QFETCH(QString, shape);
    QFETCH(double, area);

    GCodeGenerator generator;
    const QStringList job = generate(
            generator,
            design(shape, "1600", "1600"));
    QVERIFY2(generator.summary().notes.isEmpty(), qPrintable(generator.summary().notes.join('\n')));
    GCodeInterpreter interpreter;
    interpreter.run(job);
    double burned = 0;
    for (const QLineF &line : interpreter.segments) {
        QCOMPARE(line.dy(), 0.0);
        burned += line.length() * 0.1;
    }
    QVERIFY2(std::fabs(burned - area) < 0.01 * area,
             qPrintable(QStringLiteral("burned %1 mm², the shape has %2 mm²").arg(burned).arg(area)));
}

void TestGCodeGenerator::badInput_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("rasterGroups");

    const QString filled = "<rect x='10' y='10' width='50' height='20' style='fill:#000' ";
    QTest::newRow("zero size") << design(filled + exact() + "/>", "0", "0") << 0;
    QTest::newRow("negative size") << design(filled + exact() + "/>", "-200", "-100") << 0;
    QTest::newRow("size without digits") << design(filled + exact() + "/>", "wide", "tall") << 0;
    // Spacings below the range are clamped to its 0.02 mm, never a line
    // that never ends.
    QTest::newRow("scanAccuracy 0") << design(filled + exact("tolvenrik:scanAccuracy='0'") + "/>", "200", "100")
                                    << 1;
    QTest::newRow("scanAccuracy negative")
            << design(filled + exact("tolvenrik:scanAccuracy='-0.1'") + "/>", "200", "100") << 1;
    // Not a number reads as absent: the default set's 0.025 mm.
    QTest::newRow("scanAccuracy NaN")
            << design(filled + exact("tolvenrik:scanAccuracy='NaN'") + "/>", "200", "100") << 1;
    QTest::newRow("scanAccuracy huge")
            << design(filled + exact("tolvenrik:scanAccuracy='1e30'") + "/>", "200", "100") << 0;
    QTest::newRow("undecodable image")
            << design("<image width='40' height='30' tolvenrik:image='halftone' "
                      "xlink:href='data:image/png;base64,bm90IGEgcGljdHVyZQ==' "
                      + exact("tolvenrik:scanAccuracy='0.1'") + "/>",
                      "200", "100")
            << 1;
    QTest::newRow("image of no size")
            << design("<image width='0' height='-5' tolvenrik:image='gray' xlink:href='"
                      + pngHref(greyImage(4, 4, 0)) + "' " + exact("tolvenrik:scanAccuracy='0.1'") + "/>",
                      "200", "100")
            << 1;
    QTest::newRow("outline with absurd coordinates")
            << design("<path d='M 0 0 L 1e308 1e308 L -1e308 0' style='fill:none'/>", "200", "100")
            << 0;
    // Clamped to 100 passes.
    QTest::newRow("absurd pass count")
            << design(filled + exact("tolvenrik:scanAccuracy='0.1' tolvenrik:scanTimes='1e12'") + "/>",
                      "200", "100")
            << 1;
}

void TestGCodeGenerator::badInput()
{
    QFETCH(QString, text);
    QFETCH(int, rasterGroups);

    GCodeGenerator generator;
    const QStringList job = generate(generator, text);
    QCOMPARE(job.mid(0, head.size()), head);
    QCOMPARE(job.mid(job.size() - tail.size()), tail);
    QCOMPARE(generator.summary().rasterGroups, rasterGroups);
    QVERIFY(generator.isValidInput());
}

void TestGCodeGenerator::absurdWorkAreaIsClamped()
{
    // 10 m by 10 m: at 0.025 mm that is 400 000 pixels a side.
    GCodeGenerator generator;
    generator.setRasterPixelLimit(qint64(1) << 22);
    MessageCapture log;
    const QStringList job = generate(
            generator, design("<rect x='0' y='0' width='125000' height='125000' style='fill:#000' "
                              + exact("tolvenrik:scanAngle='0'") + "/>",
                              "125000", "125000"));
    // The coarser raster is no silent choice.
    QVERIFY2(log.count(QtDebugMsg) >= 1, qPrintable(log.text()));
    QCOMPARE(generator.summary().rasterGroups, 1);
    QVERIFY(generator.rasterRatio() < 0.08 / 0.025);
    QVERIFY(generator.rasterRatio() * 125000 <= 2048.001);
    QVERIFY(job.size() > head.size() + tail.size() + 2048);
}

// A group with more lines than a job may hold is no reason to send the rest
// as if it were the whole job.
void TestGCodeGenerator::oversizedGroupRefusesTheJob()
{
    const QString body = "<rect x='0' y='0' width='200' height='100' style='fill:#000' "
                         + exact("tolvenrik:scanAngle='0' tolvenrik:scanAccuracy='0.08'") + "/>"
                         "<rect x='300' y='0' width='50' height='50' style='fill:none' " + exact() + "/>";
    GCodeGenerator generator;
    const QStringList whole = generate(generator, design(body));
    QVERIFY(generator.jobError().isEmpty());
    QVERIFY(whole.size() > 200);

    generator.setRecordLimit(150);
    MessageCapture log;
    const QStringList refused = generate(generator, design(body));
    QVERIFY2(generator.jobError().contains("raster group 1 makes more than 150 lines"),
             qPrintable(generator.jobError()));
    QCOMPARE(refused, head + frame + tail);
    QCOMPARE(generator.summary().rasterGroups, 0);
    QCOMPARE(generator.summary().outlines, 0);
}

void TestGCodeGenerator::manyElements()
{
    // 100 000 small outlines on a grid, every tenth inside a frame.
    QString body;
    body.reserve(100000 * 120);
    for (int i = 0; i < 100000; ++i) {
        const int x = (i % 400) * 5;
        const int y = (i / 400) * 5;
        body += QStringLiteral("<rect x='%1' y='%2' width='3' height='3' style='fill:none'/>")
                        .arg(x + 1)
                        .arg(y + 1);
        if (i % 10 == 0)
            body += QStringLiteral("<rect x='%1' y='%2' width='5' height='5' style='fill:none'/>")
                            .arg(x)
                            .arg(y);
    }
    GCodeGenerator generator;
    const QVector<GCodeBuffer> job = generator.generate(design(body));
    QCOMPARE(generator.summary().outlines, 110000);
    QVERIFY(job.size() > 110000 * 5);
}

QTEST_MAIN(TestGCodeGenerator)
#include "tst_gcodegenerator.moc"
