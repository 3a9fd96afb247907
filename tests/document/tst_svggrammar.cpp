#include "document/pathdatawriter.h"
#include "document/svggrammar.h"

#include <QDomDocument>
#include <QFontDatabase>
#include <QFontInfo>
#include <QtTest>

#include <charconv>
#include <cmath>

using Numbers = QVector<double>;

class TestSvgGrammar : public QObject
{
    Q_OBJECT

private slots:
    void parseLength_data();
    void parseLength();
    void parseNumberList_data();
    void parseNumberList();
    void numbersRoundCorrectly();
    void attributes();
    void splitValueList_data();
    void splitValueList();
    void parseColor_data();
    void parseColor();
    void paintReferenceId_data();
    void paintReferenceId();
    void elementByIdSearchesDepthFirst();

    void parseTransform_data();
    void parseTransform();
    void prependTranslate_data();
    void prependTranslate();
    void prependTransformAsMatrix_data();
    void prependTransformAsMatrix();
    void translateOf_data();
    void translateOf();

    void parsePath_data();
    void parsePath();
    void relativeAndAbsoluteSpellingsAgree_data();
    void relativeAndAbsoluteSpellingsAgree();
    void writtenPathReadsBack_data();
    void writtenPathReadsBack();
    void arcFollowsTheCircle_data();
    void arcFollowsTheCircle();
    void arcSpellingsAgree_data();
    void arcSpellingsAgree();

    void linearGradient();
    void gradientReferences_data();
    void gradientReferences();
    void radialGradient();
    void stops_data();
    void stops();

    void styleRoundTrip_data();
    void styleRoundTrip();
    void styleFont_data();
    void styleFont();
    void styleFontFamily();
    void aspectRatioMode_data();
    void aspectRatioMode();

    void pathologicalInputs_data();
    void pathologicalInputs();
    void fuzz();
};

namespace {

QDomElement element(const QString &xml)
{
    static QList<QDomDocument> keep; // elements die with their document
    QDomDocument doc;
    if (!doc.setContent(xml))
        qFatal("bad fixture: %s", qPrintable(xml));
    keep.append(doc);
    return doc.documentElement();
}

double clean(double v)
{
    return std::fabs(v) < 1e-9 ? 0.0 : v;
}

// "M0,0 L10,10 C1,1 2,2 3,3": a cubic is "C" and its three points.
QString describe(const QPainterPath &path)
{
    QStringList parts;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const char *type = e.type == QPainterPath::MoveToElement   ? "M"
                           : e.type == QPainterPath::LineToElement ? "L"
                           : e.type == QPainterPath::CurveToElement ? "C"
                                                                    : "";
        parts << QStringLiteral("%1%2,%3").arg(QLatin1String(type)).arg(clean(e.x), 0, 'g', 10).arg(clean(e.y), 0, 'g', 10);
    }
    return parts.join(QLatin1Char(' '));
}

bool sameGeometry(const QPainterPath &a, const QPainterPath &b, double tolerance)
{
    if (a.elementCount() != b.elementCount())
        return false;
    for (int i = 0; i < a.elementCount(); ++i) {
        const QPainterPath::Element ea = a.elementAt(i);
        const QPainterPath::Element eb = b.elementAt(i);
        if (ea.type != eb.type || std::fabs(ea.x - eb.x) > tolerance || std::fabs(ea.y - eb.y) > tolerance)
            return false;
    }
    return true;
}

// Gradients referring to each other at random, with random attribute values;
// the stops that come out must be usable.
void fuzzGradients(QRandomGenerator &random, const QString &text)
{
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("svg"));
    doc.appendChild(root);
    const QStringList names = {"x1", "y2", "cx", "r", "fx", "offset", "gradientUnits", "spreadMethod"};
    for (int i = 0; i < 4; ++i) {
        QDomElement g = doc.createElement(random.bounded(2) ? QStringLiteral("linearGradient") : QStringLiteral("radialGradient"));
        g.setAttribute(QStringLiteral("id"), QStringLiteral("g%1").arg(i));
        const QStringList hrefs = {"#g0", "#g1", "#g2", "#g3", "#", "#missing", "", "#" + text};
        g.setAttribute(QStringLiteral("xlink:href"), hrefs.at(int(random.bounded(hrefs.size()))));
        g.setAttribute(names.at(int(random.bounded(names.size()))), text);
        for (int k = int(random.bounded(3)); k > 0; --k) {
            QDomElement stop = doc.createElement(QStringLiteral("stop"));
            stop.setAttribute(QStringLiteral("offset"), random.bounded(2) ? text : QString::number(random.bounded(3.0) - 1));
            stop.setAttribute(QStringLiteral("stop-color"), text);
            stop.setAttribute(QStringLiteral("stop-opacity"), text);
            g.appendChild(stop);
        }
        root.appendChild(g);
    }
    for (QDomElement g = root.firstChildElement(); !g.isNull(); g = g.nextSiblingElement()) {
        QStringList visited;
        const QGradientStops stops = g.tagName() == QLatin1String("linearGradient")
                                         ? SvgGrammar::parseLinearGradient(g, 1.0, visited).stops()
                                         : SvgGrammar::parseRadialGradient(g, 1.0, visited).stops();
        double previous = 0;
        for (const QGradientStop &stop : stops) {
            QVERIFY(stop.first >= previous && stop.first <= 1.0);
            previous = stop.first;
        }
    }
}

bool isFinite(const QPainterPath &path)
{
    for (int i = 0; i < path.elementCount(); ++i) {
        if (!std::isfinite(path.elementAt(i).x) || !std::isfinite(path.elementAt(i).y))
            return false;
    }
    return true;
}

// Collects debug output, so diagnostics can be checked and noisy loops kept quiet.
class MessageCollector
{
public:
    MessageCollector()
    {
        messages().clear();
        previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
            messages().append(text);
        });
    }
    ~MessageCollector() { qInstallMessageHandler(previous); }
    static QStringList &messages()
    {
        static QStringList list;
        return list;
    }

private:
    QtMessageHandler previous;
};

} // namespace

void TestSvgGrammar::parseLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("ok");

    QTest::newRow("millimetres") << "25.4mm" << 96.0 << true;
    QTest::newRow("centimetres") << "2.54cm" << 96.0 << true;
    QTest::newRow("points like pixels") << "12pt" << 12.0 << true;
    QTest::newRow("em") << "2em" << 300.0 << true;
    QTest::newRow("inch") << "1in" << 96.0 << true;
    QTest::newRow("pica") << "1pc" << 16.0 << true;
    QTest::newRow("pixel") << "1px" << 1.0 << true;
    QTest::newRow("no unit") << "42" << 42.0 << true;
    QTest::newRow("upper-case unit") << "25.4MM" << 96.0 << true;
    QTest::newRow("capital unit") << "25.4Mm" << 96.0 << true;
    QTest::newRow("mixed case is no unit") << "25.4mM" << 0.0 << false;
    QTest::newRow("unit is a whole token") << "44mmx" << 0.0 << false;
    QTest::newRow("unit found only at the end") << "5vmin" << 0.0 << false;
    QTest::newRow("percentage needs a viewport") << "10%" << 0.0 << false;
    QTest::newRow("space before the unit") << "10 mm" << 0.0 << false;
    QTest::newRow("exponent") << "1e2" << 100.0 << true;
    QTest::newRow("negative exponent") << "1.5e-3" << 0.0015 << true;
    QTest::newRow("exponent and unit") << "+2.5e1mm" << 25 * 96 / 25.4 << true;
    QTest::newRow("leading dot") << ".5in" << 48.0 << true;
    QTest::newRow("negative leading dot") << "-.5" << -0.5 << true;
    QTest::newRow("spaces around") << "  7 " << 7.0 << true;
    QTest::newRow("underflow is zero") << "1e-999" << 0.0 << true;
    QTest::newRow("empty") << "" << 0.0 << false;
    QTest::newRow("blank") << "   " << 0.0 << false;
    QTest::newRow("garbage") << "abc" << 0.0 << false;
    QTest::newRow("nan") << "nan" << 0.0 << false;
    QTest::newRow("inf") << "inf" << 0.0 << false;
    QTest::newRow("overflow") << "1e999" << 0.0 << false;
    QTest::newRow("overflow by unit") << "1.7e308in" << 0.0 << false;
}

void TestSvgGrammar::parseLength()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, ok);
    bool converted = !ok;
    QCOMPARE(SvgGrammar::parseLength(text, &converted), value);
    QCOMPARE(converted, ok);
}

void TestSvgGrammar::parseNumberList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Numbers>("numbers");
    QTest::addColumn<bool>("ok");

    QTest::newRow("mixed separators, empty piece skipped") << "1, 2 3,,4" << Numbers{1, 2, 3, 4} << true;
    QTest::newRow("exponent") << "1e2" << Numbers{100} << true;
    QTest::newRow("signed exponent") << "1E+2 -2.5e-1" << Numbers{100, -0.25} << true;
    QTest::newRow("back to back signs") << "10-5" << Numbers{10, -5} << true;
    QTest::newRow("back to back dots") << "0.5.5" << Numbers{0.5, 0.5} << true;
    QTest::newRow("leading dots") << "-.5,.5 +.25" << Numbers{-0.5, 0.5, 0.25} << true;
    QTest::newRow("garbage piece skipped") << "1 abc 2 3px" << Numbers{1, 2} << true;
    QTest::newRow("nan and inf skipped") << "nan 1 inf" << Numbers{1} << true;
    QTest::newRow("empty") << "" << Numbers{} << true;
    QTest::newRow("overflow fails") << "1 1e999 2" << Numbers{} << false;
}

void TestSvgGrammar::parseNumberList()
{
    QFETCH(QString, text);
    QFETCH(Numbers, numbers);
    QFETCH(bool, ok);
    bool converted = !ok;
    QCOMPARE(SvgGrammar::parseNumberList(text, &converted), numbers);
    QCOMPARE(converted, ok);
}

// Short numbers take an exact shortcut instead of the library conversion;
// both must give the correctly rounded double.
void TestSvgGrammar::numbersRoundCorrectly()
{
    QRandomGenerator random(7);
    for (int i = 0; i < 20000; ++i) {
        QByteArray text;
        if (random.bounded(2))
            text += '-';
        const int intDigits = int(random.bounded(12));
        const int fracDigits = int(random.bounded(intDigits ? 12 : 11)) + (intDigits ? 0 : 1);
        for (int d = 0; d < intDigits; ++d)
            text += char('0' + random.bounded(10));
        if (fracDigits) {
            text += '.';
            for (int d = 0; d < fracDigits; ++d)
                text += char('0' + random.bounded(10));
        }
        if (random.bounded(3) == 0)
            text += 'e' + QByteArray::number(int(random.bounded(61)) - 30);
        double expected = 0;
        std::from_chars(text.constData(), text.constData() + text.size(), expected);
        bool ok = false;
        const Numbers numbers = SvgGrammar::parseNumberList(QString::fromLatin1(text), &ok);
        QVERIFY2(ok && numbers.size() == 1 && numbers.first() == expected, text.constData());
    }
}

void TestSvgGrammar::attributes()
{
    const QDomElement e = element(QStringLiteral("<rect width='25.4mm' height='x' opacity='50%' ratio='50' s='' />"));
    bool found = false;
    QCOMPARE(SvgGrammar::attributeString(e, QStringLiteral("width"), &found), QStringLiteral("25.4mm"));
    QVERIFY(found);
    QCOMPARE(SvgGrammar::attributeString(e, QStringLiteral("nope"), &found), QString());
    QVERIFY(!found);
    QCOMPARE(SvgGrammar::attributeString(QDomElement(), QStringLiteral("width"), &found), QString());
    QVERIFY(!found);

    QCOMPARE(SvgGrammar::attributeLength(e, QStringLiteral("width"), &found), 96.0);
    QVERIFY(found);
    QCOMPARE(SvgGrammar::attributeLength(e, QStringLiteral("height"), &found), 0.0);
    QVERIFY(!found);
    QCOMPARE(SvgGrammar::attributeLength(e, QStringLiteral("nope"), &found), 0.0);
    QVERIFY(!found);

    QCOMPARE(SvgGrammar::attributePercent(e, QStringLiteral("opacity"), &found), 50.0);
    QVERIFY(found);
    QCOMPARE(SvgGrammar::attributePercent(e, QStringLiteral("ratio"), &found), 0.0);
    QVERIFY(!found);

    QVERIFY(SvgGrammar::isBlank(QString()));
    QVERIFY(SvgGrammar::isBlank(QStringLiteral("  \t")));
    QVERIFY(!SvgGrammar::isBlank(QStringLiteral(" a ")));
}

void TestSvgGrammar::splitValueList_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("pieces");

    QTest::newRow("spaces") << " 0 0  100 50 " << QStringList{"0", "0", "100", "50"};
    QTest::newRow("commas with spaces") << "1,2 , 3" << QStringList{"1", "2", "3"};
    QTest::newRow("empty piece kept") << "1,,2" << QStringList{"1", "", "2"};
    QTest::newRow("numbers back to back") << "10-5 .5.5,1e2-1" << QStringList{"10", "-5", ".5", ".5", "1e2", "-1"};
    QTest::newRow("garbage stays one piece") << "10-5x 3" << QStringList{"10-5x", "3"};
    QTest::newRow("empty") << "" << QStringList{};
}

void TestSvgGrammar::splitValueList()
{
    QFETCH(QString, value);
    QFETCH(QStringList, pieces);
    QDomDocument doc;
    QDomElement e = doc.createElement(QStringLiteral("polygon"));
    e.setAttribute(QStringLiteral("points"), value);
    bool found = false;
    QCOMPARE(SvgGrammar::splitValueList(e, QStringLiteral("points"), &found), pieces);
    QVERIFY(found);
    SvgGrammar::splitValueList(e, QStringLiteral("viewBox"), &found);
    QVERIFY(!found);
}

void TestSvgGrammar::parseColor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QColor>("color");

    QTest::newRow("keyword") << "red" << true << QColor(255, 0, 0);
    QTest::newRow("short hex") << "#f80" << true << QColor(255, 136, 0);
    QTest::newRow("hex") << "#102030" << true << QColor(16, 32, 48);
    QTest::newRow("transparent") << "transparent" << true << QColor(0, 0, 0, 0);
    QTest::newRow("rgb") << "rgb(255,0,0)" << true << QColor(255, 0, 0);
    QTest::newRow("rgb with spaces") << "rgb( 1 , 2 ,3)" << true << QColor(1, 2, 3);
    QTest::newRow("rgb percent") << "rgb(100%,50%,0%)" << true << QColor(255, 127, 0);
    QTest::newRow("rgb component too large") << "rgb(256,0,0)" << false << QColor();
    QTest::newRow("rgb four digits") << "rgb(0255,0,0)" << false << QColor();
    QTest::newRow("rgb space before paren") << "rgb(1,2,3 )" << false << QColor();
    QTest::newRow("rgb trailing text") << "rgb(1,2,3)x" << false << QColor();
    QTest::newRow("rgb percent too large") << "rgb(101%,0%,0%)" << false << QColor();
    QTest::newRow("rgb mixed forms") << "rgb(100%,0,0)" << false << QColor();
    QTest::newRow("rgb unterminated") << "rgb(1,2,3" << false << QColor();
    QTest::newRow("none") << "none" << false << QColor();
    QTest::newRow("empty") << "" << false << QColor();
    QTest::newRow("reference") << "url(#a)" << false << QColor();
}

void TestSvgGrammar::parseColor()
{
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(QColor, color);
    bool flag = false;
    const QBrush brush = SvgGrammar::parseColor(text, &flag);
    QCOMPARE(flag, found);
    if (found) {
        QCOMPARE(brush.style(), Qt::SolidPattern);
        QCOMPARE(brush.color(), color);
    } else {
        QCOMPARE(brush.style(), Qt::NoBrush);
    }
    // found is only ever set, never cleared.
    bool untouched = true;
    SvgGrammar::parseColor(text, &untouched);
    QVERIFY(untouched);

    QDomDocument doc;
    QDomElement e = doc.createElement(QStringLiteral("solidColor"));
    e.setAttribute(QStringLiteral("solid-color"), text);
    flag = false;
    QCOMPARE(SvgGrammar::attributeColor(e, QStringLiteral("solid-color"), &flag).style(), brush.style());
    QCOMPARE(flag, found);
}

void TestSvgGrammar::paintReferenceId_data()
{
    QTest::addColumn<QString>("paint");
    QTest::addColumn<QString>("id");

    QTest::newRow("reference") << "url(#linearGradient12)" << "linearGradient12";
    QTest::newRow("name characters") << "url(#grad-1.a)" << "grad-1.a";
    QTest::newRow("unterminated") << "url(#" << "";
    QTest::newRow("unterminated id") << "url(#abc" << "";
    QTest::newRow("empty id") << "url(#)" << "";
    QTest::newRow("trailing fallback") << "url(#a) red" << "";
    QTest::newRow("space in id") << "url(#a b)" << "";
    QTest::newRow("colour") << "#ff0000" << "";
}

void TestSvgGrammar::paintReferenceId()
{
    QFETCH(QString, paint);
    QFETCH(QString, id);
    QCOMPARE(SvgGrammar::paintReferenceId(paint), id);
}

void TestSvgGrammar::elementByIdSearchesDepthFirst()
{
    const QDomElement root = element(QStringLiteral(
        "<svg id='root'><g><rect id='a' n='deep'/></g><rect id='a' n='late'/><g id='b'><circle id='c'/></g></svg>"));
    QCOMPARE(SvgGrammar::elementById(root, QStringLiteral("root")), root);
    QCOMPARE(SvgGrammar::elementById(root, QStringLiteral("a")).attribute(QStringLiteral("n")), QStringLiteral("deep"));
    QCOMPARE(SvgGrammar::elementById(root, QStringLiteral("c")).tagName(), QStringLiteral("circle"));
    // The search stays inside the start element.
    QVERIFY(SvgGrammar::elementById(SvgGrammar::elementById(root, QStringLiteral("b")), QStringLiteral("a")).isNull());
    QVERIFY(SvgGrammar::elementById(root, QStringLiteral("zz")).isNull());
    QVERIFY(SvgGrammar::elementById(root, QString()).isNull());
    QVERIFY(SvgGrammar::elementById(QDomElement(), QStringLiteral("a")).isNull());

    // Deep nesting must not exhaust the stack. Built from the bottom up,
    // because appending below a deep parent costs its depth in QDom.
    QDomDocument doc;
    QDomElement bottom = doc.createElement(QStringLiteral("g"));
    bottom.setAttribute(QStringLiteral("id"), QStringLiteral("bottom"));
    QDomElement top = bottom;
    for (int i = 0; i < 50000; ++i) {
        QDomElement g = doc.createElement(QStringLiteral("g"));
        g.appendChild(top);
        top = g;
    }
    doc.appendChild(top);
    QCOMPARE(SvgGrammar::elementById(doc.documentElement(), QStringLiteral("bottom")), bottom);
}

void TestSvgGrammar::parseTransform_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QPointF>("mapped");

    QTest::newRow("translate one argument") << "translate(10)" << true << QPointF(1, 1) << QPointF(11, 1);
    QTest::newRow("translate") << "translate(10, 20)" << true << QPointF(1, 1) << QPointF(11, 21);
    QTest::newRow("scale one argument") << "scale(2)" << true << QPointF(1, 3) << QPointF(2, 6);
    QTest::newRow("scale") << "scale(2 3)" << true << QPointF(1, 1) << QPointF(2, 3);
    QTest::newRow("rotate") << "rotate(90)" << true << QPointF(1, 0) << QPointF(0, 1);
    QTest::newRow("rotate about a point") << "rotate(90 10 10)" << true << QPointF(20, 10) << QPointF(10, 20);
    QTest::newRow("skewX") << "skewX(45)" << true << QPointF(0, 1) << QPointF(1, 1);
    QTest::newRow("skewY") << "skewY(45)" << true << QPointF(1, 0) << QPointF(1, 1);
    QTest::newRow("matrix") << "matrix(1,2,3,4,5,6)" << true << QPointF(1, 1) << QPointF(9, 12);
    QTest::newRow("last written acts first") << "translate(10,20) scale(2)" << true << QPointF(1, 1) << QPointF(12, 22);
    QTest::newRow("other order") << "scale(2) translate(10,20)" << true << QPointF(1, 1) << QPointF(22, 42);
    QTest::newRow("no separator between functions") << "translate(1,2)rotate(180)" << true << QPointF(1, 0) << QPointF(0, 2);
    QTest::newRow("svg numbers") << "translate(1e1-.5)" << true << QPointF(0, 0) << QPointF(10, -0.5);
    QTest::newRow("spaces before paren") << "translate  (3 4)" << true << QPointF(0, 0) << QPointF(3, 4);
    QTest::newRow("wrong count ignored") << "translate(1,2,3) scale(2)" << true << QPointF(1, 1) << QPointF(2, 2);
    QTest::newRow("only wrong counts") << "matrix(1,2)" << false << QPointF(1, 1) << QPointF(1, 1);
    QTest::newRow("not a word") << "xtranslate(5)" << false << QPointF(1, 1) << QPointF(1, 1);
    QTest::newRow("unknown function") << "shear(5)" << false << QPointF(1, 1) << QPointF(1, 1);
    QTest::newRow("empty") << "" << false << QPointF(1, 1) << QPointF(1, 1);
    QTest::newRow("unterminated") << "translate(5" << false << QPointF(1, 1) << QPointF(1, 1);
    QTest::newRow("overflowing argument") << "translate(1e999)" << false << QPointF(1, 1) << QPointF(1, 1);
    QTest::newRow("overflowing product") << "scale(1e200) scale(1e200)" << false << QPointF(1, 1) << QPointF(1, 1);
}

void TestSvgGrammar::parseTransform()
{
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(QPointF, point);
    QFETCH(QPointF, mapped);
    bool flag = !found;
    const QPointF result = SvgGrammar::parseTransform(text, &flag).map(point);
    QCOMPARE(flag, found);
    QVERIFY2(std::fabs(result.x() - mapped.x()) < 1e-9 && std::fabs(result.y() - mapped.y()) < 1e-9,
             qPrintable(QStringLiteral("(%1, %2)").arg(result.x()).arg(result.y())));

    QDomDocument doc;
    QDomElement e = doc.createElement(QStringLiteral("g"));
    e.setAttribute(QStringLiteral("transform"), text);
    QCOMPARE(SvgGrammar::transformFromAttribute(e, &flag).map(point), SvgGrammar::parseTransform(text).map(point));
    QCOMPARE(flag, found);
    e.removeAttribute(QStringLiteral("transform"));
    QVERIFY(SvgGrammar::transformFromAttribute(e, &flag).isIdentity());
    QVERIFY(!flag);
}

void TestSvgGrammar::prependTranslate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("translate");
    QTest::addColumn<QString>("result");

    QTest::newRow("merged") << "translate(1,2)" << "translate(3,4)" << "translate(4.000000,6.000000)";
    QTest::newRow("merged, rest kept") << "translate(1,2) rotate(5)" << "translate(3,4)"
                                       << "translate(4.000000,6.000000) rotate(5)";
    QTest::newRow("one argument each") << "translate(1)" << "translate(.5)" << "translate(1.500000,0.000000)";
    QTest::newRow("put in front") << "rotate(5)" << "translate(3,4)" << "translate(3,4)rotate(5)";
    QTest::newRow("translate not leading") << "rotate(5) translate(1,1)" << "translate(3,4)"
                                           << "translate(3,4)rotate(5) translate(1,1)";
    QTest::newRow("empty") << "" << "translate(3,4)" << "translate(3,4)";
    QTest::newRow("not a translate to merge") << "translate(1,2)" << "rotate(5)" << "rotate(5)translate(1,2)";
}

void TestSvgGrammar::prependTranslate()
{
    QFETCH(QString, text);
    QFETCH(QString, translate);
    QFETCH(QString, result);
    SvgGrammar::prependTranslate(text, translate);
    QCOMPARE(text, result);
    QCOMPARE(SvgGrammar::startsWithTranslate(text), SvgGrammar::startsWithTranslate(translate));
    // Moving again keeps one leading translate.
    if (SvgGrammar::startsWithTranslate(text)) {
        SvgGrammar::prependTranslate(text, QStringLiteral("translate(1,1)"));
        QCOMPARE(text.count(QStringLiteral("translate")), result.count(QStringLiteral("translate")));
    }
}

void TestSvgGrammar::prependTransformAsMatrix_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("result");

    QTest::newRow("scale before translate") << "translate(10,20)" << "scale(2)"
                                            << "matrix(2.000000,0.000000,0.000000,2.000000,20.000000,40.000000)";
    QTest::newRow("onto nothing") << "" << "rotate(90)"
                                  << "matrix(0.000000,1.000000,-1.000000,0.000000,0.000000,0.000000)";
    QTest::newRow("onto a matrix") << "matrix(1,0,0,1,5,5)" << "translate(1,2)"
                                   << "matrix(1.000000,0.000000,0.000000,1.000000,6.000000,7.000000)";
    QTest::newRow("overflow keeps the text") << "scale(1e200)" << "scale(1e200)" << "scale(1e200)";
}

void TestSvgGrammar::prependTransformAsMatrix()
{
    QFETCH(QString, text);
    QFETCH(QString, function);
    QFETCH(QString, result);
    SvgGrammar::prependTransformAsMatrix(text, function);
    QCOMPARE(text, result);
    QCOMPARE(SvgGrammar::startsWithMatrix(text), result.startsWith(QLatin1String("matrix")));
}

void TestSvgGrammar::translateOf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPointF>("offset");

    QTest::newRow("first translate anywhere") << "rotate(5) translate(3 4) translate(9,9)" << QPointF(3, 4);
    QTest::newRow("one argument") << "translate(7)" << QPointF(7, 0);
    QTest::newRow("none") << "scale(2)" << QPointF(0, 0);
    QTest::newRow("empty") << "" << QPointF(0, 0);
}

void TestSvgGrammar::translateOf()
{
    QFETCH(QString, text);
    QFETCH(QPointF, offset);
    QCOMPARE(SvgGrammar::translateOf(text), offset);
}

void TestSvgGrammar::parsePath_data()
{
    QTest::addColumn<QString>("d");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("elements");

    QTest::newRow("later move pairs are lines") << "M 0 0 10 10" << true << "M0,0 L10,10";
    QTest::newRow("relative move and line") << "m10,10 l5,5" << true << "M10,10 L15,15";
    QTest::newRow("relative implicit lines") << "m1 1 2 0 0 2" << true << "M1,1 L3,1 L3,3";
    QTest::newRow("no initial move") << "L 1 1" << false << "";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("blank") << "  " << false << "";
    QTest::newRow("leading spaces") << "  M1 2" << true << "M1,2";
    QTest::newRow("horizontal and vertical") << "M0,0 H10 V10 h-5 v-5" << true << "M0,0 L10,0 L10,10 L5,10 L5,5";
    QTest::newRow("H and V repeat") << "M0 0 H1 2 V3 4" << true << "M0,0 L1,0 L2,0 L2,3 L2,4";
    QTest::newRow("Z then continue from the start")
        << "M1 1 L10 1 L10 10 Z L 20 20" << true << "M1,1 L10,1 L10,10 L1,1 M1,1 L20,20";
    QTest::newRow("relative after z") << "m1 1 l9 0 z m5 5 l1 1" << true << "M1,1 L10,1 L1,1 M6,6 L7,7";
    QTest::newRow("cubic then smooth reflects")
        << "M0 0 C 0 10 10 10 10 0 S 20 -10 20 0" << true << "M0,0 C0,10 10,10 10,0 C10,-10 20,-10 20,0";
    QTest::newRow("smooth repeated reflects the previous group")
        << "M0 0 s 0 10 10 10 0 10 10 10" << true << "M0,0 C0,0 0,10 10,10 C20,10 10,20 20,20";
    QTest::newRow("smooth after a line starts at the point")
        << "M0 0 L5 0 S 10 10 10 0" << true << "M0,0 L5,0 C5,0 10,10 10,0";
    QTest::newRow("quadratic then smooth reflects")
        << "M0 0 Q 3 6 6 0 T 12 0" << true << "M0,0 C2,4 4,4 6,0 C8,-4 10,-4 12,0";
    QTest::newRow("smooth quadratic after a cubic uses the point")
        << "M0 0 C 0 0 6 0 6 0 T 12 0" << true << "M0,0 C0,0 6,0 6,0 C6,0 8,0 12,0";
    QTest::newRow("relative cubic") << "m1 1 c 1 1 2 2 3 3" << true << "M1,1 C2,2 3,3 4,4";
    QTest::newRow("leading dots") << "M.5.5L-.5-.5" << true << "M0.5,0.5 L-0.5,-0.5";
    QTest::newRow("exponents") << "M1e1 1E1 l1.5e1,-1e+1" << true << "M10,10 L25,0";
    QTest::newRow("back to back") << "M10-5L0.5.5" << true << "M10,-5 L0.5,0.5";
    QTest::newRow("plus signs") << "M+1+2" << true << "M1,2";
    // An error ends the path; the complete groups before it are drawn.
    QTest::newRow("incomplete pair ends the path") << "M0,0 L 10 10 20 L 5 5" << true << "M0,0 L10,10";
    QTest::newRow("incomplete cubic ends the path") << "M0,0 L1 0 C1 1 2 2 L 5 5" << true << "M0,0 L1,0";
    QTest::newRow("stray character ends the path") << "M0 0 L 10 10 L 5 x 10 L 1 1" << true << "M0,0 L10,10";
    QTest::newRow("overflow ends the path") << "M0 0 L 2 2 1e999 5 L 3 3" << true << "M0,0 L2,2";
    QTest::newRow("double comma ends the path") << "M0 0 L 2,,2 L 3 3" << true << "M0,0";
    QTest::newRow("command without arguments ends the path") << "M0 0 L L 3 3" << true << "M0,0";
    QTest::newRow("zero radius arc is a line") << "M0 0 A0 5 0 0 1 10 0" << true << "M0,0 L10,0";
    QTest::newRow("arc to the same point is nothing") << "M1 1 A5 5 0 0 1 1 1 L2 2" << true << "M1,1 L2,2";
    QTest::newRow("bad arc flag ends the path") << "M0 0 L1 1 A5 5 0 2 1 10 0 L1 1" << true << "M0,0 L1,1";
}

void TestSvgGrammar::parsePath()
{
    QFETCH(QString, d);
    QFETCH(bool, found);
    QFETCH(QString, elements);
    bool flag = !found;
    const QPainterPath path = SvgGrammar::parsePath(d, &flag);
    QCOMPARE(flag, found);
    QCOMPARE(describe(path), elements);

    QDomDocument doc;
    QDomElement e = doc.createElement(QStringLiteral("path"));
    e.setAttribute(QStringLiteral("d"), d);
    QCOMPARE(describe(SvgGrammar::pathFromAttribute(e, QStringLiteral("d"), &flag)), elements);
    QCOMPARE(flag, found);
    QVERIFY(SvgGrammar::pathFromAttribute(e, QStringLiteral("nope"), &flag).isEmpty());
    QVERIFY(!flag);
}

void TestSvgGrammar::relativeAndAbsoluteSpellingsAgree_data()
{
    QTest::addColumn<QString>("absolute");
    QTest::addColumn<QString>("relative");

    QTest::newRow("lines") << "M10 10 L20 10 L20 20 L10 20 Z" << "m10 10 l10 0 0 10 -10 0 z";
    QTest::newRow("H and V") << "M5 5 H15 V25 H5 Z" << "m5 5 h10 v20 h-10 z";
    QTest::newRow("curves") << "M0 0 C10 0 20 10 20 20 S30 40 40 40" << "m0 0 c10 0 20 10 20 20 s10 20 20 20";
    QTest::newRow("quadratics") << "M1 1 Q5 9 9 1 T17 1 25 1" << "m1 1 q4 8 8 0 t8 0 8 0";
    QTest::newRow("arcs") << "M0 0 A10 5 30 0 1 20 10 A5 5 0 1 0 30 0" << "m0 0 a10 5 30 0 1 20 10 5 5 0 1 0 10 -10";
    QTest::newRow("two subpaths") << "M0 0 L10 0 L10 10 Z M20 20 L30 20" << "m0 0 l10 0 0 10 z m20 20 l10 0";
    QTest::newRow("compact") << "M0,0L10,0L10,10L0,10Z" << "m0,0l10,0,0,10-10,0z";
}

void TestSvgGrammar::relativeAndAbsoluteSpellingsAgree()
{
    QFETCH(QString, absolute);
    QFETCH(QString, relative);
    const QPainterPath a = SvgGrammar::parsePath(absolute);
    const QPainterPath r = SvgGrammar::parsePath(relative);
    QVERIFY2(sameGeometry(a, r, 1e-9), qPrintable(describe(a) + QLatin1String("\n") + describe(r)));
}

void TestSvgGrammar::writtenPathReadsBack_data()
{
    QTest::addColumn<QString>("d");

    QTest::newRow("lines") << "M10.25 10.5 L20.125 10 20 20.333333 Z";
    QTest::newRow("H and V, relative") << "m5.1 5.2 h10.3 v20.4 h-10.5 z";
    QTest::newRow("curves") << "M0 0 C10 0 20 10 20 20 S30 40 40 40 s7.7 -3.3 1.1 -9.9";
    QTest::newRow("quadratics") << "M1 1 Q5 9 9 1 T17 1 25 1 q-3.3 4.4 -7.7 1.1 t-2 2";
    QTest::newRow("arcs") << "M0 0 A10 5 30 0 1 20 10 A5 5 0 1 0 30 0 a7.5 2.5 -45 1 1 -3 -30";
    QTest::newRow("closed subpaths, continued") << "M0 0 L10 0 L10 10 Z L-5 -5 Z m20 20 l10 0 0 10 z";
    QTest::newRow("compact numbers") << "M.5.5l1e1-2.5e-1.25.75c.1.2.3.4.5.6";
    QTest::newRow("traced") << "M183.4 92.7c-1.2.4-2.6 1.9-3.1 3.3l-.6 1.8 1.4-.9c2.2-1.4 5.1-1.8 6.3-.8"
                               "c.9.8.8 1.1-.6 2.2-2.3 1.8-3.1 4.6-1.9 6.5.9 1.4 1.1 1.4 3.1.2l2.1-1.3z";
}

// What the writers produce must read back as the same geometry.
void TestSvgGrammar::writtenPathReadsBack()
{
    QFETCH(QString, d);
    const QPainterPath path = SvgGrammar::parsePath(d);
    QVERIFY(path.elementCount() > 2);
    const QString written = pathToData(path);
    QVERIFY2(sameGeometry(SvgGrammar::parsePath(written), path, 1e-6), qPrintable(written + QLatin1String("\n") + describe(path)));
    const QString closed = pathToClosedData(path);
    QVERIFY2(sameGeometry(SvgGrammar::parsePath(closed), path, 1e-6), qPrintable(closed + QLatin1String("\n") + describe(path)));
}

void TestSvgGrammar::arcFollowsTheCircle_data()
{
    QTest::addColumn<QString>("d");
    QTest::addColumn<QPointF>("center");
    QTest::addColumn<double>("radius");
    QTest::addColumn<int>("curves");
    QTest::addColumn<QPointF>("midpoint");
    QTest::addColumn<QPointF>("end");

    QTest::newRow("half circle, sweep") << "M0,0 A5,5 0 0 1 10,0" << QPointF(5, 0) << 5.0 << 2 << QPointF(5, -5) << QPointF(10, 0);
    QTest::newRow("half circle, no sweep") << "M0,0 A5,5 0 0 0 10,0" << QPointF(5, 0) << 5.0 << 2 << QPointF(5, 5) << QPointF(10, 0);
    QTest::newRow("radii scaled up") << "M0,0 A1,1 0 0 1 10,0" << QPointF(5, 0) << 5.0 << 2 << QPointF(5, -5) << QPointF(10, 0);
    QTest::newRow("negative radii") << "M0,0 A-5,-5 0 0 1 10,0" << QPointF(5, 0) << 5.0 << 2 << QPointF(5, -5) << QPointF(10, 0);
    QTest::newRow("quarter") << "M10,0 A10,10 0 0 1 0,10" << QPointF(0, 0) << 10.0 << 1
                             << QPointF(10 * std::sqrt(0.5), 10 * std::sqrt(0.5)) << QPointF(0, 10);
    QTest::newRow("three quarters, large arc") << "M10,0 A10,10 0 1 0 0,10" << QPointF(0, 0) << 10.0 << 3
                                               << QPointF(-10 * std::sqrt(0.5), -10 * std::sqrt(0.5)) << QPointF(0, 10);
    QTest::newRow("compact flags") << "M0 0a5 5 0 1010 0" << QPointF(5, 0) << 5.0 << 2 << QPointF(5, 5) << QPointF(10, 0);
}

// Checks centre distance along the whole curve, the end point, the number of
// cubic pieces (at most 90 degrees each) and the side the arc bulges to.
void TestSvgGrammar::arcFollowsTheCircle()
{
    QFETCH(QString, d);
    QFETCH(QPointF, center);
    QFETCH(double, radius);
    QFETCH(int, curves);
    QFETCH(QPointF, midpoint);
    QFETCH(QPointF, end);
    const QPainterPath path = SvgGrammar::parsePath(d);
    QCOMPARE(path.elementCount(), 1 + 3 * curves);
    for (int i = 0; i <= 200; ++i) {
        const QPointF p = path.pointAtPercent(i / 200.0);
        const double distance = QLineF(center, p).length();
        QVERIFY2(std::fabs(distance - radius) < radius * 1e-3, qPrintable(QString::number(distance)));
    }
    const QPointF mid = path.pointAtPercent(0.5);
    QVERIFY2(QLineF(mid, midpoint).length() < radius * 1e-3, qPrintable(QStringLiteral("%1,%2").arg(mid.x()).arg(mid.y())));
    QCOMPARE(path.currentPosition(), end);
    // Drawing goes on after an arc.
    QCOMPARE(SvgGrammar::parsePath(d + QLatin1String(" l5 0")).currentPosition(), end + QPointF(5, 0));
}

void TestSvgGrammar::arcSpellingsAgree_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");

    QTest::newRow("rotation by 90 swaps the radii") << "M0 0 A10 5 90 0 1 6 4" << "M0 0 A5 10 0 0 1 6 4";
    QTest::newRow("rotation by 180 changes nothing") << "M0 0 A10 5 180 1 1 8 3" << "M0 0 A10 5 0 1 1 8 3";
    QTest::newRow("rotation modulo 360") << "M0 0 A10 5 390 0 0 8 3" << "M0 0 A10 5 30 0 0 8 3";
    QTest::newRow("separators") << "M0 0 A 10,5,30,1,0,8,3" << "M0,0a10 5 30 108 3";
}

void TestSvgGrammar::arcSpellingsAgree()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    const QPainterPath pa = SvgGrammar::parsePath(a);
    const QPainterPath pb = SvgGrammar::parsePath(b);
    QVERIFY(pa.elementCount() > 1);
    QVERIFY2(sameGeometry(pa, pb, 1e-9), qPrintable(describe(pa) + QLatin1String("\n") + describe(pb)));
}

void TestSvgGrammar::linearGradient()
{
    const QDomElement g = element(QStringLiteral(
        "<linearGradient id='g' x1='0.25' y1='.5' x2='1e1' y2='nan' gradientUnits='userSpaceOnUse' spreadMethod='reflect'>"
        "<stop offset='0' stop-color='red'/><stop offset='1' stop-color='#0000ff'/></linearGradient>"));
    QStringList visited;
    const QLinearGradient gradient = SvgGrammar::parseLinearGradient(g, 1.0, visited);
    QCOMPARE(gradient.start(), QPointF(0.25, 0.5));
    QCOMPARE(gradient.finalStop(), QPointF(10, 0));
    QCOMPARE(gradient.coordinateMode(), QGradient::LogicalMode);
    QCOMPARE(gradient.spread(), QGradient::ReflectSpread);
    QCOMPARE(gradient.stops().size(), 2);
    QCOMPARE(gradient.stops().at(1).second, QColor(Qt::blue));

    const QLinearGradient plain = SvgGrammar::parseLinearGradient(element(QStringLiteral("<linearGradient/>")), 1.0, visited);
    QCOMPARE(plain.start(), QPointF(0, 0));
    QCOMPARE(plain.finalStop(), QPointF(1, 0));
    QCOMPARE(plain.coordinateMode(), QGradient::ObjectBoundingMode);
    QCOMPARE(plain.spread(), QGradient::PadSpread);
}

void TestSvgGrammar::gradientReferences_data()
{
    QTest::addColumn<QString>("defs");
    QTest::addColumn<QString>("diagnostic");
    QTest::addColumn<int>("diagnosticCount");
    QTest::addColumn<QPointF>("finalStop");
    QTest::addColumn<int>("stopCount"); // a gradient without stops reports Qt's black-to-white pair

    QTest::newRow("inherits geometry and stops")
        << "<linearGradient id='base' x2='5' y2='6'><stop offset='0'/><stop offset='1'/></linearGradient>"
           "<linearGradient id='use' xlink:href='#base' x1='1'/>"
        << "" << 0 << QPointF(5, 6) << 2;
    QTest::newRow("own stops replace inherited ones")
        << "<linearGradient id='base'><stop offset='0'/><stop offset='1'/></linearGradient>"
           "<linearGradient id='use' xlink:href='#base'><stop offset='0.5'/></linearGradient>"
        << "" << 0 << QPointF(1, 0) << 1;
    QTest::newRow("stops through a radial gradient")
        << "<radialGradient id='base' cx='9'><stop offset='0'/><stop offset='1'/></radialGradient>"
           "<linearGradient id='use' xlink:href='#base'/>"
        << "" << 0 << QPointF(1, 0) << 2;
    QTest::newRow("self reference")
        << "<linearGradient id='use' xlink:href='#use' x2='3'><stop offset='0'/></linearGradient>"
        << "Error!  Circular reference detected with gradient 'use'" << 1 << QPointF(3, 0) << 1;
    QTest::newRow("circle of two")
        << "<linearGradient id='a' xlink:href='#use' x2='4'/>"
           "<linearGradient id='use' xlink:href='#a'><stop offset='0'/></linearGradient>"
        << "Error!  Circular reference detected with gradient 'a'" << 1 << QPointF(4, 0) << 1;
    QTest::newRow("missing")
        << "<linearGradient id='use' xlink:href='#nothere'/>"
        << "Error!  Gradient reference 'nothere' not found" << 1 << QPointF(1, 0) << 2;
    QTest::newRow("not a gradient")
        << "<rect id='r'/><linearGradient id='use' xlink:href='#r'/>"
        << "Error! Reference 'r' is not a linear/radial gradient" << 1 << QPointF(1, 0) << 2;
    QString chain = QStringLiteral("<linearGradient id='use' xlink:href='#g0'/>");
    for (int i = 0; i < 100; ++i)
        chain += QStringLiteral("<linearGradient id='g%1' xlink:href='#g%2'/>").arg(i).arg(i + 1);
    chain += QStringLiteral("<linearGradient id='g100' x2='7'/>");
    QTest::newRow("long chain is cut") << chain << "Error!  Gradient reference chain too long at 'g32'" << 1
                                       << QPointF(1, 0) << 2;
    QTest::newRow("not a fragment") << "<linearGradient id='use' xlink:href='other.svg#a'/>" << "" << 0
                                    << QPointF(1, 0) << 2;
}

void TestSvgGrammar::gradientReferences()
{
    QFETCH(QString, defs);
    QFETCH(QString, diagnostic);
    QFETCH(int, diagnosticCount);
    QFETCH(QPointF, finalStop);
    QFETCH(int, stopCount);
    const QDomElement root = element(
        QStringLiteral("<svg xmlns:xlink='http://www.w3.org/1999/xlink'><defs>%1</defs></svg>").arg(defs));
    QStringList visited;
    MessageCollector messages;
    const QLinearGradient gradient = SvgGrammar::parseLinearGradient(SvgGrammar::elementById(root, QStringLiteral("use")), 1.0, visited);
    QCOMPARE(gradient.finalStop(), finalStop);
    QCOMPARE(gradient.stops().size(), stopCount);
    const QStringList errors = MessageCollector::messages().filter(QStringLiteral("Error!"));
    QCOMPARE(errors.size(), diagnosticCount);
    if (diagnosticCount)
        QCOMPARE(errors.first(), diagnostic);
}

void TestSvgGrammar::radialGradient()
{
    const QDomElement root = element(QStringLiteral(
        "<svg xmlns:xlink='http://www.w3.org/1999/xlink'>"
        "<linearGradient id='stops'><stop offset='0'/><stop offset='1' stop-color='lime'/></linearGradient>"
        "<radialGradient id='base' xlink:href='#stops' cx='100' cy='50' r='20' fx='90' spreadMethod='repeat'/>"
        "<radialGradient id='use' xlink:href='#base' cy='60' gradientUnits='userSpaceOnUse'/>"
        "<radialGradient id='plain' cx='10' cy='20'/>"
        "</svg>"));
    QStringList visited;
    const QRadialGradient use = SvgGrammar::parseRadialGradient(SvgGrammar::elementById(root, QStringLiteral("use")), 1.0, visited);
    QCOMPARE(use.center(), QPointF(100, 60));
    QCOMPARE(use.radius(), 20.0);
    // fx is inherited; fy was never given, so it follows the centre.
    QCOMPARE(use.focalPoint(), QPointF(90, 60));
    QCOMPARE(use.spread(), QGradient::RepeatSpread);
    QCOMPARE(use.coordinateMode(), QGradient::LogicalMode);
    QCOMPARE(use.stops().size(), 2);
    QCOMPARE(use.stops().at(1).second, QColor(0, 255, 0));

    visited.clear();
    const QRadialGradient plain = SvgGrammar::parseRadialGradient(SvgGrammar::elementById(root, QStringLiteral("plain")), 1.0, visited);
    QCOMPARE(plain.center(), QPointF(10, 20));
    QCOMPARE(plain.focalPoint(), QPointF(10, 20));
    QCOMPARE(plain.radius(), 0.5);
    QCOMPARE(plain.coordinateMode(), QGradient::ObjectBoundingMode);
}

void TestSvgGrammar::stops_data()
{
    QTest::addColumn<QString>("stops");
    QTest::addColumn<double>("opacity");
    QTest::addColumn<QString>("expected"); // offset:#aarrggbb per stop

    QTest::newRow("colours and offsets") << "<stop offset='0' stop-color='red'/><stop offset='1' stop-color='#00f'/>" << 1.0
                                         << "0:#ffff0000 1:#ff0000ff";
    QTest::newRow("out of range offsets give 0") << "<stop offset='-1'/><stop offset='1.5'/><stop offset='x'/>" << 1.0
                                                  << "0:#ff000000 0:#ff000000 0:#ff000000";
    QTest::newRow("percentage offset gives 0") << "<stop offset='50%'/>" << 1.0 << "0:#ff000000";
    QTest::newRow("offsets never decrease") << "<stop offset='0.5'/><stop offset='0.2'/>" << 1.0
                                            << "0.5:#ff000000 0.5:#ff000000";
    QTest::newRow("stop and element opacity") << "<stop stop-color='white' stop-opacity='0.5'/>" << 0.5
                                              << "0:#3fffffff";
    QTest::newRow("opacity out of range is 1") << "<stop stop-opacity='2'/><stop stop-opacity='x'/>" << 1.0
                                               << "0:#ff000000 0:#ff000000";
    QTest::newRow("bad colour is black") << "<stop stop-color='nonsense'/><stop stop-color='none'/>" << 1.0
                                         << "0:#ff000000 0:#ff000000";
    QTest::newRow("properties in style win") << "<stop stop-color='red' style='stop-color:#00ff00;stop-opacity:0'/>"
                                             << 1.0 << "0:#0000ff00";
    QTest::newRow("other children ignored") << "<rect/><stop offset='1'/>" << 1.0 << "1:#ff000000";
    QTest::newRow("element opacity above 1 stays opaque") << "<stop/>" << 3.0 << "0:#ff000000";
}

void TestSvgGrammar::stops()
{
    QFETCH(QString, stops);
    QFETCH(double, opacity);
    QFETCH(QString, expected);
    const QGradientStops result =
        SvgGrammar::parseStops(element(QStringLiteral("<linearGradient>%1</linearGradient>").arg(stops)), opacity);
    QStringList texts;
    for (const QGradientStop &stop : result)
        texts << QStringLiteral("%1:%2").arg(stop.first).arg(stop.second.name(QColor::HexArgb));
    QCOMPARE(texts.join(QLatin1Char(' ')), expected);
}

void TestSvgGrammar::styleRoundTrip_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("written");

    QTest::newRow("sorted and terminated") << "stroke:#000; fill : none" << "fill:none;stroke:#000;";
    QTest::newRow("empty parts dropped") << ";;fill:red;;" << "fill:red;";
    QTest::newRow("malformed parts dropped") << "a:b:c;novalue;font-size:12px" << "font-size:12px;";
    QTest::newRow("empty") << "" << "";
}

void TestSvgGrammar::styleRoundTrip()
{
    QFETCH(QString, style);
    QFETCH(QString, written);
    QDomDocument doc;
    QDomElement e = doc.createElement(QStringLiteral("rect"));
    e.setAttribute(QStringLiteral("style"), style);
    const SvgGrammar::StyleMap map = SvgGrammar::parseStyleDeclarations(e);
    QCOMPARE(map, SvgGrammar::parseStyleText(style));
    QCOMPARE(SvgGrammar::styleToString(map), written);
    QCOMPARE(SvgGrammar::parseStyleText(written), map);
}

void TestSvgGrammar::styleFont_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("fontStyle");
    QTest::addColumn<int>("weight");

    const double defaultSize = QFont().pointSizeF();
    QTest::newRow("defaults") << "" << defaultSize << int(QFont::StyleNormal) << 50;
    QTest::newRow("italic bold") << "font-size:12pt;font-style:italic;font-weight:bold" << 12.0 << int(QFont::StyleItalic) << 75;
    QTest::newRow("oblique bolder") << "font-size:2em;font-style:oblique;font-weight:bolder" << 300.0
                                    << int(QFont::StyleOblique) << 75;
    QTest::newRow("light") << "font-size:1in;font-style:normal;font-weight:light" << 96.0 << int(QFont::StyleNormal) << 25;
    QTest::newRow("lighter, unknown style") << "font-style:wavy;font-weight:lighter" << defaultSize
                                            << int(QFont::StyleNormal) << 25;
    QTest::newRow("numeric weight") << "font-weight:700" << defaultSize << int(QFont::StyleNormal) << 50;
    QTest::newRow("unreadable size") << "font-size:large" << defaultSize << int(QFont::StyleNormal) << 50;
}

void TestSvgGrammar::styleFont()
{
    QFETCH(QString, style);
    QFETCH(double, size);
    QFETCH(int, fontStyle);
    QFETCH(int, weight);
    const SvgGrammar::StyleMap map = SvgGrammar::parseStyleText(style);
    QCOMPARE(SvgGrammar::styleFontSize(map), size);
    QCOMPARE(int(SvgGrammar::styleFontStyle(map)), fontStyle);
    QCOMPARE(SvgGrammar::styleFontWeight(map), weight);
}

void TestSvgGrammar::styleFontFamily()
{
    const QStringList families = QFontDatabase().families();
    if (families.isEmpty())
        QSKIP("no fonts installed");
    const QString known = families.last();
    QCOMPARE(SvgGrammar::styleFontFamily(SvgGrammar::parseStyleText(QStringLiteral("font-family:") + known)), known);
    // A missing family ends at the desktop's default sans (the old fault:
    // the first installed family, a math font on some machines).
    QFont sans(QStringLiteral("sans-serif"));
    sans.setStyleHint(QFont::SansSerif);
    QCOMPARE(SvgGrammar::styleFontFamily(SvgGrammar::parseStyleText(QStringLiteral("font-family:No Such Family 123"))),
             QFontInfo(sans).family());
    const QString byDefault = SvgGrammar::styleFontFamily(SvgGrammar::StyleMap());
    QVERIFY(families.contains(byDefault));

    // Quoted names and fallback lists, as editors write them.
    const QStringList written{"'" + known + "'", "\"" + known + "\"",
                              "No Such Family 123, '" + known + "', sans-serif",
                              " " + known + " ,Another Missing"};
    for (const QString &value : written)
        QCOMPARE(SvgGrammar::installedFontFamily(value), known);
    QCOMPARE(SvgGrammar::installedFontFamily(QStringLiteral("'No Such Family 123'")), QFontInfo(sans).family());
}

void TestSvgGrammar::aspectRatioMode_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("mode");

    QTest::newRow("absent") << QString() << int(Qt::KeepAspectRatio);
    QTest::newRow("none") << "none" << int(Qt::IgnoreAspectRatio);
    QTest::newRow("meet") << "xMidYMid meet" << int(Qt::KeepAspectRatio);
    QTest::newRow("slice") << "xMinYMax  slice " << int(Qt::KeepAspectRatioByExpanding);
    QTest::newRow("slice without space") << "xMidYMidslice" << int(Qt::KeepAspectRatio);
    QTest::newRow("no alignment") << "abc slice" << int(Qt::KeepAspectRatio);
}

void TestSvgGrammar::aspectRatioMode()
{
    QFETCH(QString, value);
    QFETCH(int, mode);
    QDomDocument doc;
    QDomElement e = doc.createElement(QStringLiteral("image"));
    if (!value.isNull())
        e.setAttribute(QStringLiteral("preserveAspectRatio"), value);
    QCOMPARE(int(SvgGrammar::aspectRatioMode(e)), mode);
}

void TestSvgGrammar::pathologicalInputs_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("nested transforms") << QStringLiteral("translate(").repeated(100000) + QStringLiteral("1)").repeated(100000);
    QTest::newRow("many transforms") << QStringLiteral("rotate(1)").repeated(100000);
    QTest::newRow("long argument run") << QStringLiteral("translate(") + QStringLiteral("1 ").repeated(500000);
    QTest::newRow("long number") << QStringLiteral("9").repeated(1000000);
    QTest::newRow("long fraction") << QStringLiteral("0.") + QStringLiteral("0").repeated(1000000) + QStringLiteral("1");
    QTest::newRow("unterminated url") << QStringLiteral("url(#") + QStringLiteral("a").repeated(100000);
    QTest::newRow("long path") << QStringLiteral("M0 0") + QStringLiteral("l1 1-1-1").repeated(200000);
    QTest::newRow("signs only") << QStringLiteral("M").append(QStringLiteral("-+.").repeated(300000));
    QTest::newRow("long rgb") << QStringLiteral("rgb(") + QStringLiteral("1").repeated(500000) + QStringLiteral("%");
    QTest::newRow("huge arcs") << QStringLiteral("M0 0 a1e300 1e300 0 0 1 1e300 1e300 a1e-300 1e-300 7 1 1 1e308 0 h1e308 1e308");
}

// Every parser must return, with finite results, on input built to hurt.
void TestSvgGrammar::pathologicalInputs()
{
    QFETCH(QString, text);
    MessageCollector quiet;
    QVERIFY(std::isfinite(SvgGrammar::parseLength(text)));
    for (double v : SvgGrammar::parseNumberList(text))
        QVERIFY(std::isfinite(v));
    SvgGrammar::parseColor(text);
    SvgGrammar::paintReferenceId(text);
    QVERIFY(std::isfinite(SvgGrammar::parseTransform(text).m11()));
    QString moved = text;
    SvgGrammar::prependTranslate(moved, QStringLiteral("translate(1,1)"));
    SvgGrammar::translateOf(text);
    QVERIFY(isFinite(SvgGrammar::parsePath(text)));
    SvgGrammar::parseStyleText(text);
}

void TestSvgGrammar::fuzz()
{
    const QStringList corpus = {
        QStringLiteral("M 10,20 L 30 40 h5 v-5 z m1 1 c 1 2 3 4 5 6 s 1 2 3 4 q 1 1 2 2 t 3 3 a 5 5 30 1 0 10 10 Z"),
        QStringLiteral("translate(10,20) rotate(45 5 5) scale(2) skewX(10) skewY(-10) matrix(1 0 0 1 5 5)"),
        QStringLiteral("rgb(10%,20%,30%)"),
        QStringLiteral("rgb(1,2,3)"),
        QStringLiteral("url(#grad-1)"),
        QStringLiteral("fill:none;stroke:#000;font-size:12pt;font-family:Sans"),
        QStringLiteral("1.5e-3mm"),
        QStringLiteral("0,0 10-5 .5.5 1e2"),
        QStringLiteral("xMidYMid slice"),
    };
    const QString alphabet = QStringLiteral("0123456789+-.eE ,()#%;:MLHVZCSQTAmlhvzcsqtaurgbx\t\n");
    QRandomGenerator random(20261210);
    MessageCollector quiet;
    QDomDocument doc;
    QDomElement e = doc.createElement(QStringLiteral("g"));
    doc.appendChild(e);

    for (int round = 0; round < 4000; ++round) {
        QString text;
        if (round % 2) {
            text = corpus.at(int(random.bounded(corpus.size())));
            const int edits = 1 + int(random.bounded(6));
            for (int i = 0; i < edits && !text.isEmpty(); ++i) {
                const int at = int(random.bounded(text.size()));
                const QChar c = alphabet.at(int(random.bounded(alphabet.size())));
                switch (random.bounded(4)) {
                case 0: text.insert(at, c); break;
                case 1: text.remove(at, 1); break;
                case 2: text[at] = c; break;
                default: text.insert(at, text.mid(at, int(random.bounded(20)))); break;
                }
            }
        } else {
            const int length = int(random.bounded(60));
            for (int i = 0; i < length; ++i)
                text += alphabet.at(int(random.bounded(alphabet.size())));
        }

        bool ok = false;
        QVERIFY(std::isfinite(SvgGrammar::parseLength(text, &ok)));
        for (double v : SvgGrammar::parseNumberList(text, &ok))
            QVERIFY(std::isfinite(v));
        SvgGrammar::parseColor(text, &ok);
        SvgGrammar::paintReferenceId(text);
        const QTransform t = SvgGrammar::parseTransform(text, &ok);
        QVERIFY2(std::isfinite(t.m11()) && std::isfinite(t.dx()) && std::isfinite(t.dy()), qPrintable(text));
        QString transform = text;
        SvgGrammar::prependTranslate(transform, QStringLiteral("translate(1,2)"));
        QVERIFY(transform.endsWith(text) || SvgGrammar::startsWithTranslate(text));
        transform = text;
        SvgGrammar::prependTransformAsMatrix(transform, QStringLiteral("scale(2)"));
        SvgGrammar::translateOf(text);
        QVERIFY2(isFinite(SvgGrammar::parsePath(text, &ok)), qPrintable(text));
        const SvgGrammar::StyleMap style = SvgGrammar::parseStyleText(text);
        QCOMPARE(SvgGrammar::parseStyleText(SvgGrammar::styleToString(style)), style);
        SvgGrammar::styleFontSize(style);
        e.setAttribute(QStringLiteral("preserveAspectRatio"), text);
        e.setAttribute(QStringLiteral("points"), text);
        SvgGrammar::aspectRatioMode(e);
        SvgGrammar::splitValueList(e, QStringLiteral("points"), &ok);

        if (round % 8 == 0)
            fuzzGradients(random, text);
    }
}

QTEST_MAIN(TestSvgGrammar)
#include "tst_svggrammar.moc"
