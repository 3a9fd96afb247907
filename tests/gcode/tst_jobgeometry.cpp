#include "gcode/gcodegenerator.h"

#include "document/svggrammar.h"
#include "document/textoutline.h"

#include "gcodeinterpreter.h"

#include <QDomDocument>
#include <QtMath>
#include <QtTest>

#include <cmath>

// Runs generated jobs through an independent G-code interpreter: whatever
// the ordering, backlash bookkeeping or scan-line rotation did, the laser
// must burn exactly over the element, within one scan-line spacing.
class TestJobGeometry : public QObject
{
    Q_OBJECT

private slots:
    void burnedAreaMatchesElement_data();
    void burnedAreaMatchesElement();
};

namespace {

constexpr double spacing = 0.1;  // mm, the scan-line spacing of the fill rows

QString design(const QString &element)
{
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' xmlns:tolvenrik='urn:tolvenrik' "
                          "width='400' height='300'><g transform='translate(20,10)'>%1</g></svg>")
            .arg(element);
}

// The element's own bounds in design units.
QRectF ownBounds(const QDomElement &e)
{
    if (e.tagName() == QLatin1String("text")) {
        QRectF bounds;
        for (const QDomElement &path : textToOutline(e))
            bounds |= SvgGrammar::transformFromAttribute(path)
                              .map(SvgGrammar::pathFromAttribute(path, QStringLiteral("d")))
                              .boundingRect();
        return bounds;
    }
    if (e.tagName() == QLatin1String("rect"))
        return QRectF(SvgGrammar::attributeLength(e, "x"), SvgGrammar::attributeLength(e, "y"), SvgGrammar::attributeLength(e, "width"),
                      SvgGrammar::attributeLength(e, "height"));
    if (e.tagName() == QLatin1String("ellipse")) {
        const QPointF centre(SvgGrammar::attributeLength(e, "cx"), SvgGrammar::attributeLength(e, "cy"));
        const QPointF radii(SvgGrammar::attributeLength(e, "rx"), SvgGrammar::attributeLength(e, "ry"));
        return QRectF(centre - radii, centre + radii);
    }
    return SvgGrammar::pathFromAttribute(e, QStringLiteral("d")).boundingRect();
}

// The element's bounds in design units as the design shows them.
QRectF elementBounds(const QString &element)
{
    QDomDocument document;
    if (!document.setContent(design(element)))
        return QRectF();
    QDomElement e = document.documentElement().firstChildElement().firstChildElement();
    // Inside the group's translate(20,10).
    return ownBounds(e).translated(20, 10);
}

} // namespace

void TestJobGeometry::burnedAreaMatchesElement_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("fill");
    QTest::addColumn<QString>("angle");

    const QStringList shapes{
        "<rect x='100' y='60' width='150' height='90'",
        "<ellipse cx='200' cy='150' rx='120' ry='60'",
        "<path d='M 60 200 C 60 40 300 40 300 200 Q 180 290 60 200 Z'",
        "<text x='40' y='60' style='font-size:60px;font-family:DejaVu Sans;fill:%1'>Plimb</text",
    };
    const QStringList names{ "rect", "ellipse", "curves", "text" };
    for (int i = 0; i < shapes.size(); ++i) {
        for (const QString fill : { "none", "#000000" }) {
            for (const QString angle : { "0", "45", "90", "180" }) {
                const QString row = QStringLiteral("%1 %2 %3°")
                                            .arg(names.at(i), fill == "none" ? "outline" : "fill", angle);
                QTest::newRow(qPrintable(row)) << shapes.at(i) << fill << angle;
            }
        }
    }
}

void TestJobGeometry::burnedAreaMatchesElement()
{
    QFETCH(QString, shape);
    QFETCH(QString, fill);
    QFETCH(QString, angle);

    const QString attributes = QStringLiteral(
            " tolvenrik:scanAngle='%1' tolvenrik:scanAccuracy='%2' tolvenrik:scanBuffer='2'"
            " tolvenrik:scanError='0' tolvenrik:XMotorMovementError='0'"
            " tolvenrik:YMotorMovementError='0'")
            .arg(angle)
            .arg(spacing);
    QString element;
    if (shape.startsWith("<text")) {
        element = shape.arg(fill);
        element.insert(element.indexOf('>'), attributes);
        element += '>';
    } else {
        element = shape + QStringLiteral(" style='fill:%1'").arg(fill) + attributes + "/>";
    }

    GCodeGenerator generator;
    QStringList lines;
    for (const GCodeBuffer &record : generator.generate(design(element)))
        lines << record.toString().trimmed();
    GCodeInterpreter interpreter;
    interpreter.run(lines);

    const QRectF units = elementBounds(element);
    QVERIFY(!units.isEmpty());
    const QRectF expected(units.topLeft() * 0.08, units.bottomRight() * 0.08);
    const QRectF burned = interpreter.burnedBounds();
    QVERIFY(!burned.isNull());
    double tolerance = 0.02;  // outlines follow the element up to curve flattening
    if (fill != "none") {
        // One line spacing, as the scan lines see it: runs are burned up to
        // one pixel early along the turned row (from pixel a - 1 to pixel b),
        // and an edge pixel counts as black from half coverage.
        const double radians = qDegreesToRadians(angle.toDouble());
        tolerance = spacing * (std::abs(std::cos(radians)) + std::abs(std::sin(radians)))
                + spacing / 2 + 1e-6;
    }
    const QString message = QStringLiteral("burned %1,%2 - %3,%4; element %5,%6 - %7,%8")
                                    .arg(burned.left())
                                    .arg(burned.top())
                                    .arg(burned.right())
                                    .arg(burned.bottom())
                                    .arg(expected.left())
                                    .arg(expected.top())
                                    .arg(expected.right())
                                    .arg(expected.bottom());
    QVERIFY2(qAbs(burned.left() - expected.left()) <= tolerance
                     && qAbs(burned.top() - expected.top()) <= tolerance
                     && qAbs(burned.right() - expected.right()) <= tolerance
                     && qAbs(burned.bottom() - expected.bottom()) <= tolerance,
             qPrintable(message));
}

QTEST_MAIN(TestJobGeometry)
#include "tst_jobgeometry.moc"
