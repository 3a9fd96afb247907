#include "document/documenttemplate.h"
#include "document/engravingattributes.h"
#include "document/fontresolver.h"
#include "document/pathdatawriter.h"
#include "document/svgtransform.h"
#include "document/textlayout.h"
#include "document/textoutline.h"

#include <QDomDocument>
#include <QFontDatabase>
#include <QFontInfo>
#include <QtTest>

class TestTextOutline : public QObject
{
    Q_OBJECT

private slots:
    void replacesTextByPathWithItsAttributes();
    void transformsLandAtTextPosition_data();
    void transformsLandAtTextPosition();
    void convertsOwnTextOnceAndEachTspan();
    void parametersFollowEngraveMode_data();
    void parametersFollowEngraveMode();
    void usesLayoutAttributes();
    void resolvesFontThroughAncestors_data();
    void resolvesFontThroughAncestors();

private:
    static QDomElement textIn(QDomDocument &document, const QString &svg);
    static QFont font(double size);
};

// Parses `svg` (without namespace processing, as the program does) and returns its first "text".
QDomElement TestTextOutline::textIn(QDomDocument &document, const QString &svg)
{
    if (!document.setContent(svg, false))
        return QDomElement();
    return document.elementsByTagName(QStringLiteral("text")).at(0).toElement();
}

QFont TestTextOutline::font(double size)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(size);
    return f;
}

void TestTextOutline::replacesTextByPathWithItsAttributes()
{
    QDomDocument document;
    QDomElement text = textIn(document, QStringLiteral(
            "<svg><g id='layer'>"
            "<text x='10' y='20' transform='rotate(30)'"
            " style='font-family:DejaVu Sans;font-size:40;fill:#80000000'"
            " tolvenrik:scanPower='50' tolvenrik:scanSpeed='75.5' tolvenrik:scanTimes='2'"
            " tolvenrik:scanBuffer='6' tolvenrik:scanAccuracy='0.025' tolvenrik:scanAngle='-45'"
            " tolvenrik:scanError='-0.15' tolvenrik:XMotorMovementError='-0.02'"
            " tolvenrik:YMotorMovementError='0.3'>AB</text>"
            "<rect/></g></svg>"));
    QVERIFY(!text.isNull());

    const QList<QDomElement> paths = textToOutline(text);
    QCOMPARE(paths.size(), 1);
    const QDomElement path = paths.first();
    const QDomElement layer = text.parentNode().toElement();
    // Appended after everything the layer held; the text itself stays.
    QCOMPARE(layer.lastChildElement(), path);
    QCOMPARE(layer.firstChildElement(), text);
    QCOMPARE(path.tagName(), QStringLiteral("path"));

    QCOMPARE(path.attribute("style"), ElementStyles::textOutline(QStringLiteral("#80000000")));
    QCOMPARE(path.attribute("d"),
             pathToData(layoutText(QStringLiteral("AB"), font(40), 5, 3, TextAlignLeft, TextHorizontal).outline));
    QCOMPARE(path.attribute("transform"), QStringLiteral("rotate(30)translate(10.000000,20.000000)"));

    namespace A = EngravingAttributes;
    QCOMPARE(path.attribute(A::scanPower), QStringLiteral("50.000000"));
    QCOMPARE(path.attribute(A::scanSpeed), QStringLiteral("75.500000"));
    QCOMPARE(path.attribute(A::scanTimes), QStringLiteral("2.000000"));
    QCOMPARE(path.attribute(A::scanBuffer), QStringLiteral("6.000000"));
    QCOMPARE(path.attribute(A::scanAccuracy), QStringLiteral("0.025000"));
    QCOMPARE(path.attribute(A::scanAngle), QStringLiteral("-45.000000"));
    QCOMPARE(path.attribute(A::scanError), QStringLiteral("-0.150000"));
    QCOMPARE(path.attribute(A::XMotorMovementError), QStringLiteral("-0.020000"));
    QCOMPARE(path.attribute(A::YMotorMovementError), QStringLiteral("0.300000"));
    QCOMPARE(path.attributes().size(), 12);
}

void TestTextOutline::transformsLandAtTextPosition_data()
{
    QTest::addColumn<QString>("attributes");
    QTest::addColumn<QString>("transform");
    QTest::addColumn<QPointF>("origin"); // where the outline's (0, 0) lands

    QTest::newRow("no position, no transform") << "" << "translate(0.000000,0.000000)" << QPointF(0, 0);
    QTest::newRow("position only") << "x='-2.5' y='1e2'" << "translate(-2.500000,100.000000)"
                                   << QPointF(-2.5, 100);
    QTest::newRow("matrix kept as written")
            << "x='1' y='2' transform='matrix(1,0,0,1,5,6)'"
            << "matrix(1,0,0,1,5,6)translate(1.000000,2.000000)" << QPointF(6, 8);
    QTest::newRow("inside a rotation")
            << "x='10' y='0' transform='rotate(90)'"
            << "rotate(90)translate(10.000000,0.000000)" << QPointF(0, 10);
}

void TestTextOutline::transformsLandAtTextPosition()
{
    QFETCH(QString, attributes);
    QFETCH(QString, transform);
    QFETCH(QPointF, origin);

    QDomDocument document;
    const QDomElement text = textIn(document, QStringLiteral(
            "<svg><text %1 style='font-family:DejaVu Sans;fill:none'>T</text></svg>").arg(attributes));
    const QList<QDomElement> paths = textToOutline(text);
    QCOMPARE(paths.size(), 1);
    QCOMPARE(paths.first().attribute("transform"), transform);
    // The written text reads back as the text's transform around its position.
    bool found = false;
    const QPointF landed = SvgGrammar::transformFromAttribute(paths.first(), &found).map(QPointF(0, 0));
    QVERIFY(found);
    QVERIFY2(qAbs(landed.x() - origin.x()) < 1e-9 && qAbs(landed.y() - origin.y()) < 1e-9,
             qPrintable(QStringLiteral("(%1, %2)").arg(landed.x()).arg(landed.y())));
}

// The own text used to be converted once for every child of the text
// element, so a text with tspans engraved its own words several times.
void TestTextOutline::convertsOwnTextOnceAndEachTspan()
{
    QDomDocument document;
    const QDomElement text = textIn(document, QStringLiteral(
            "<svg><g><text style='font-family:DejaVu Sans;font-size:20;fill:none'>Own"
            "<tspan style='font-size:30'>One</tspan>"
            "<tspan style='fill:#000000'>Two</tspan>"
            "</text></g></svg>"));

    const QList<QDomElement> paths = textToOutline(text);
    QCOMPARE(paths.size(), 3);
    const QDomNodeList children = text.parentNode().childNodes();
    QCOMPARE(children.size(), 4);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(children.at(i + 1).toElement(), paths.at(i));

    auto data = [](const QString &words, double size) {
        return pathToData(layoutText(words, font(size), 5, 3, TextAlignLeft, TextHorizontal).outline);
    };
    QCOMPARE(paths.at(0).attribute("d"), data("Own", 20));
    QCOMPARE(paths.at(1).attribute("d"), data("One", 30));
    QCOMPARE(paths.at(2).attribute("d"), data("Two", 20));
    // A tspan's own declaration wins; what it lacks comes from the text.
    QCOMPARE(paths.at(0).attribute("style"), ElementStyles::textOutline("none"));
    QCOMPARE(paths.at(1).attribute("style"), ElementStyles::textOutline("none"));
    QCOMPARE(paths.at(2).attribute("style"), ElementStyles::textOutline("#000000"));

    // Without text as its first child, only the tspans are converted.
    QDomDocument second;
    const QDomElement tspanFirst = textIn(second, QStringLiteral(
            "<svg><text style='fill:none'><tspan>One</tspan>tail</text></svg>"));
    QCOMPARE(textToOutline(tspanFirst).size(), 1);

    // Blank text gives no path, and a text at the root has no parent to take one.
    QDomDocument third;
    QCOMPARE(textToOutline(textIn(third, QStringLiteral("<svg><text style='fill:none'> </text></svg>"))).size(), 0);
    QDomDocument fourth;
    QVERIFY(fourth.setContent(QStringLiteral("<text style='fill:none'>T</text>"), false));
    QCOMPARE(textToOutline(fourth.documentElement()).size(), 0);
    QCOMPARE(fourth.childNodes().size(), 1);
}

void TestTextOutline::parametersFollowEngraveMode_data()
{
    QTest::addColumn<QString>("fill");
    QTest::addColumn<QStringList>("expected"); // times, buffer, accuracy, angle, error, power, speed, x, y
    QTest::addColumn<QString>("style");

    // The paths carry what the generator would have read from the text itself.
    QTest::newRow("outline")
            << "fill:none;"
            << QStringList{ "1.000000", "6.000000", "0.050000", "45.000000", "-0.200000",
                            "100.000000", "100.000000", "0.100000", "0.100000" }
            << ElementStyles::textOutline("none");
    QTest::newRow("fill")
            << "fill:#80000000;"
            << QStringList{ "2.000000", "6.000000", "0.050000", "45.000000", "-0.200000",
                            "100.000000", "100.000000", "-0.080000", "-0.050000" }
            << ElementStyles::textOutline("#80000000");
    // No "fill" declaration: the text is engraved in neither mode, and so is its outline.
    QTest::newRow("neither")
            << ""
            << QStringList{ "2.000000", "6.000000", "0.050000", "45.000000", "-0.200000",
                            "100.000000", "100.000000", "-0.080000", "-0.050000" }
            << QStringLiteral("stroke:#000000;stroke-width:0.26px;stroke-linecap:butt;"
                              "stroke-linejoin:miter;stroke-opacity:1");
}

void TestTextOutline::parametersFollowEngraveMode()
{
    QFETCH(QString, fill);
    QFETCH(QStringList, expected);
    QFETCH(QString, style);

    DefaultParameters defaults;
    defaults.scanTimes = 2;
    defaults.scanBuffer = 6;
    defaults.scanAccuracy = 0.05;
    defaults.scanAngle = 45;
    defaults.scanError = -0.2;
    defaults.XMotorMovementError = -0.08;
    defaults.YMotorMovementError = -0.05;

    QDomDocument document;
    const QDomElement text = textIn(document, QStringLiteral(
            "<svg><text style='%1font-family:DejaVu Sans'>W</text></svg>").arg(fill));
    const QList<QDomElement> paths = textToOutline(text, defaults);
    QCOMPARE(paths.size(), 1);
    const QDomElement path = paths.first();

    namespace A = EngravingAttributes;
    const QStringList names{ A::scanTimes, A::scanBuffer, A::scanAccuracy, A::scanAngle, A::scanError,
                             A::scanPower, A::scanSpeed, A::XMotorMovementError, A::YMotorMovementError };
    QStringList values;
    for (const QString &name : names)
        values << path.attribute(name);
    QCOMPARE(values, expected);
    QCOMPARE(path.attribute("style"), style);
    QCOMPARE(engraveMode(path), engraveMode(text));
}

void TestTextOutline::usesLayoutAttributes()
{
    QDomDocument document;
    const QDomElement text = textIn(document, QStringLiteral(
            "<svg><text style='font-family:DejaVu Sans;font-size:12;fill:none'"
            " tolvenRik:TextDirection='V' tolvenRik:Alignment='AlignRight'"
            " tolvenRik:WordSpacing='10' tolvenRik:LineSpacing='-4'>AB\nC</text></svg>"));
    const QList<QDomElement> paths = textToOutline(text);
    QCOMPARE(paths.size(), 1);
    QCOMPARE(paths.first().attribute("d"),
             pathToData(layoutText(QStringLiteral("AB\nC"), font(12), -4, 10, TextAlignRight, TextVertical).outline));
}

void TestTextOutline::resolvesFontThroughAncestors_data()
{
    QTest::addColumn<QString>("attributes");
    QTest::addColumn<QString>("declarations");
    QTest::addColumn<double>("size");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("weight");

    const QString serif = QStringLiteral("DejaVu Serif");
    QTest::newRow("all inherited") << "" << "" << 30.0 << serif << 2 << 75;
    QTest::newRow("declarations first")
            << "font-size='18' font-family='DejaVu Sans Mono'"
            << "font-size:12px;font-family:DejaVu Sans;font-style:italic;font-weight:lighter"
            << 12.0 << "DejaVu Sans" << 1 << 25;
    QTest::newRow("then the attribute")
            << "font-size='18' font-weight='normal' font-family='DejaVu Sans'" << ""
            << 18.0 << "DejaVu Sans" << 2 << 50;
    QTest::newRow("negative size is passed over") << "" << "font-size:-5" << 30.0 << serif << 2 << 75;
    QTest::newRow("inherit and empty are passed over")
            << "" << "font-family:inherit;font-style:;font-weight:" << 30.0 << serif << 2 << 75;
    QTest::newRow("numeric weight is normal") << "" << "font-weight:600" << 30.0 << serif << 2 << 50;
    QTest::newRow("unknown style is normal") << "" << "font-style:slanted" << 30.0 << serif << 0 << 75;
    // The desktop's default sans, not the first installed family.
    QFont sans(QStringLiteral("sans-serif"));
    sans.setStyleHint(QFont::SansSerif);
    QTest::newRow("unknown family is the default sans")
            << "" << "font-family:No Such Font" << 30.0 << QFontInfo(sans).family() << 2 << 75;
}

void TestTextOutline::resolvesFontThroughAncestors()
{
    QFETCH(QString, attributes);
    QFETCH(QString, declarations);
    QFETCH(double, size);
    QFETCH(QString, family);
    QFETCH(int, style);
    QFETCH(int, weight);

    QDomDocument document;
    const QDomElement text = textIn(document, QStringLiteral(
            "<svg style='font-size:30;font-weight:bold'>"
            "<g font-family='DejaVu Serif' font-style='oblique' font-weight=''><text %1/></g></svg>")
            .arg(attributes));
    const SvgGrammar::StyleMap map = SvgGrammar::parseStyleText(declarations);

    QCOMPARE(resolveFontSize(text, map), size);
    QCOMPARE(resolveFontFamily(text, map), family);
    QCOMPARE(resolveFontStyle(text, map), style);
    QCOMPARE(resolveFontWeight(text, map), weight);

    const QFont font = resolveFont(text, map);
    QCOMPARE(font.pointSizeF(), size);
    QCOMPARE(font.family(), family);
    QCOMPARE(int(font.style()), style);
    QCOMPARE(font.weight(), weight);
}

QTEST_MAIN(TestTextOutline)
#include "tst_textoutline.moc"
