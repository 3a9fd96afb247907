#include "document/engravingattributes.h"

#include <QDomDocument>
#include <QtTest>

namespace A = EngravingAttributes;

using AttributeMap = QMap<QString, QString>;
Q_DECLARE_METATYPE(AttributeMap)
Q_DECLARE_METATYPE(PaintParameter)

class TestEngravingAttributes : public QObject
{
    Q_OBJECT

private slots:
    void formatsSixSignificantDigits_data();
    void formatsSixSignificantDigits();
    void readsEngraveMode_data();
    void readsEngraveMode();
    void outlineFallbacks_data();
    void outlineFallbacks();
    void fillFallbacks_data();
    void fillFallbacks();
    void completesMissingDefaults();
    void listKeepsDistinctRecordsInFirstOrder();

private:
    QDomElement element(const AttributeMap &attributes);
    QDomDocument mDocument;
};

QDomElement TestEngravingAttributes::element(const AttributeMap &attributes)
{
    QDomElement e = mDocument.createElement(QStringLiteral("rect"));
    for (auto it = attributes.constBegin(); it != attributes.constEnd(); ++it)
        e.setAttribute(it.key(), it.value());
    return e;
}

// A default set whose every value differs from the outline fallbacks, so a
// fallback taken from the wrong table shows.
static DefaultParameters distinctDefaults()
{
    DefaultParameters d;
    d.scanTimes = 2;
    d.scanBuffer = 6;
    d.scanAccuracy = 0.05;
    d.scanAngle = 45;
    d.scanError = -0.15;
    d.XMotorMovementError = -0.02;
    d.YMotorMovementError = -0.03;
    return d;
}

void TestEngravingAttributes::formatsSixSignificantDigits_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("spacing") << 0.025 << "0.025";
    QTest::newRow("whole") << 100.0 << "100";
    QTest::newRow("negative") << -0.15 << "-0.15";
    QTest::newRow("angle") << 180.0 << "180";
    QTest::newRow("rounded to six digits") << 1.23456789 << "1.23457";
    QTest::newRow("large uses exponent") << 1234567.0 << "1.23457e+06";
}

void TestEngravingAttributes::formatsSixSignificantDigits()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(formatParameter(value), text);
}

void TestEngravingAttributes::readsEngraveMode_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<int>("mode");

    QTest::newRow("none is outline") << "fill:none;stroke:#000000" << int(EngraveMode::Outline);
    QTest::newRow("trimmed") << " stroke:#000 ; fill : none " << int(EngraveMode::Outline);
    QTest::newRow("panel fill") << "fill:#80000000" << int(EngraveMode::Fill);
    QTest::newRow("both is fill") << "fill:both" << int(EngraveMode::Fill);
    QTest::newRow("no fill declaration") << "stroke:#000000" << int(EngraveMode::None);
    QTest::newRow("no style") << QString() << int(EngraveMode::None);
}

void TestEngravingAttributes::readsEngraveMode()
{
    QFETCH(QString, style);
    QFETCH(int, mode);
    AttributeMap attributes;
    if (!style.isNull())
        attributes.insert(QStringLiteral("style"), style);
    // A fill attribute is not the engrave mode; only the style declaration is.
    attributes.insert(QStringLiteral("fill"), QStringLiteral("red"));
    QCOMPARE(int(engraveMode(element(attributes))), mode);
}

void TestEngravingAttributes::outlineFallbacks_data()
{
    QTest::addColumn<AttributeMap>("attributes");
    QTest::addColumn<double>("times");
    QTest::addColumn<double>("power");
    QTest::addColumn<double>("speed");
    QTest::addColumn<double>("xError");
    QTest::addColumn<double>("yError");

    QTest::newRow("nothing") << AttributeMap() << 1.0 << 100.0 << 100.0 << 0.1 << 0.1;
    QTest::newRow("all given")
            << AttributeMap{ { A::scanTimes, "3" }, { A::scanPower, "40" }, { A::scanSpeed, "25.5" },
                             { A::XMotorMovementError, "-0.08" }, { A::YMotorMovementError, "0" } }
            << 3.0 << 40.0 << 25.5 << -0.08 << 0.0;
    QTest::newRow("zero passes count as one") << AttributeMap{ { A::scanTimes, "0" } }
                                              << 1.0 << 100.0 << 100.0 << 0.1 << 0.1;
    QTest::newRow("negative passes count as one") << AttributeMap{ { A::scanTimes, "-3" } }
                                                  << 1.0 << 100.0 << 100.0 << 0.1 << 0.1;
    QTest::newRow("unparsable is absent")
            << AttributeMap{ { A::scanPower, "strong" }, { A::XMotorMovementError, "" } }
            << 1.0 << 100.0 << 100.0 << 0.1 << 0.1;
    QTest::newRow("infinity is absent") << AttributeMap{ { A::scanSpeed, "1e999" } }
                                        << 1.0 << 100.0 << 100.0 << 0.1 << 0.1;
    // The capital Y is the attribute; the lower-case spelling is someone else's.
    QTest::newRow("lower-case y is not the attribute")
            << AttributeMap{ { QStringLiteral("tolvenrik:yMotorMovementError"), "0.5" } }
            << 1.0 << 100.0 << 100.0 << 0.1 << 0.1;
}

void TestEngravingAttributes::outlineFallbacks()
{
    QFETCH(AttributeMap, attributes);
    QFETCH(double, times);
    QFETCH(double, power);
    QFETCH(double, speed);
    QFETCH(double, xError);
    QFETCH(double, yError);

    const OutlineParameters p = readOutlineParameters(element(attributes));
    QCOMPARE(p.scanTimes, times);
    QCOMPARE(p.scanPower, power);
    QCOMPARE(p.scanSpeed, speed);
    QCOMPARE(p.XMotorMovementError, xError);
    QCOMPARE(p.YMotorMovementError, yError);
}

void TestEngravingAttributes::fillFallbacks_data()
{
    QTest::addColumn<AttributeMap>("attributes");
    QTest::addColumn<PaintParameter>("expected");

    const DefaultParameters d = distinctDefaults();
    PaintParameter fromDefaults;
    fromDefaults.scanTimes = d.scanTimes;
    fromDefaults.scanBuffer = d.scanBuffer;
    fromDefaults.scanAccuracy = d.scanAccuracy;
    fromDefaults.scanAngle = d.scanAngle;
    fromDefaults.scanError = d.scanError;
    fromDefaults.scanPower = 100;
    fromDefaults.scanSpeed = 100;
    fromDefaults.XMotorMovementError = d.XMotorMovementError;
    fromDefaults.YMotorMovementError = d.YMotorMovementError;

    QTest::newRow("nothing takes the default set") << AttributeMap() << fromDefaults;

    PaintParameter given;
    given.scanTimes = 3;
    given.scanBuffer = 1.5;
    given.scanAccuracy = 0.1;
    given.scanAngle = -90;
    given.scanError = 0.05;
    given.scanPower = 30;
    given.scanSpeed = 60;
    given.XMotorMovementError = 0.2;
    given.YMotorMovementError = -0.2;
    QTest::newRow("all given")
            << AttributeMap{ { A::scanTimes, "3" }, { A::scanBuffer, "1.5" }, { A::scanAccuracy, "0.1" },
                             { A::scanAngle, "-90" }, { A::scanError, "0.05" }, { A::scanPower, "30" },
                             { A::scanSpeed, "60" }, { A::XMotorMovementError, "0.2" },
                             { A::YMotorMovementError, "-0.2" } }
            << given;

    // On a fill element the pass count stays as written: no raster pass at all.
    PaintParameter zeroPasses = fromDefaults;
    zeroPasses.scanTimes = 0;
    QTest::newRow("zero passes kept") << AttributeMap{ { A::scanTimes, "0" } } << zeroPasses;
    PaintParameter negativePasses = fromDefaults;
    negativePasses.scanTimes = -3;
    QTest::newRow("negative passes kept") << AttributeMap{ { A::scanTimes, "-3" } } << negativePasses;

    QTest::newRow("unparsable takes the default set")
            << AttributeMap{ { A::scanAngle, "diagonal" }, { A::scanAccuracy, "" },
                             { A::scanPower, "full" } }
            << fromDefaults;
}

void TestEngravingAttributes::fillFallbacks()
{
    QFETCH(AttributeMap, attributes);
    QFETCH(PaintParameter, expected);

    const PaintParameter p = readPaintParameter(element(attributes), distinctDefaults());
    QCOMPARE(p.scanTimes, expected.scanTimes);
    QCOMPARE(p.scanBuffer, expected.scanBuffer);
    QCOMPARE(p.scanAccuracy, expected.scanAccuracy);
    QCOMPARE(p.scanAngle, expected.scanAngle);
    QCOMPARE(p.scanError, expected.scanError);
    QCOMPARE(p.scanPower, expected.scanPower);
    QCOMPARE(p.scanSpeed, expected.scanSpeed);
    QCOMPARE(p.XMotorMovementError, expected.XMotorMovementError);
    QCOMPARE(p.YMotorMovementError, expected.YMotorMovementError);
}

void TestEngravingAttributes::completesMissingDefaults()
{
    QDomElement e = element({ { A::scanAngle, "90" }, { A::scanAccuracy, "fine" } });
    const PaintParameter p = completeElementParameters(e, distinctDefaults());

    QCOMPARE(p.scanAngle, 90.0);
    QCOMPARE(p.scanAccuracy, 0.05);
    QCOMPARE(e.attribute(A::scanAngle), QStringLiteral("90"));
    // An unreadable value is replaced like an absent one.
    QCOMPARE(e.attribute(A::scanAccuracy), QStringLiteral("0.05"));
    QCOMPARE(e.attribute(A::scanTimes), QStringLiteral("2"));
    QCOMPARE(e.attribute(A::scanBuffer), QStringLiteral("6"));
    QCOMPARE(e.attribute(A::scanError), QStringLiteral("-0.15"));
    QCOMPARE(e.attribute(A::XMotorMovementError), QStringLiteral("-0.02"));
    QCOMPARE(e.attribute(A::YMotorMovementError), QStringLiteral("-0.03"));
    // Power and speed take 100 without being written.
    QCOMPARE(p.scanPower, 100.0);
    QCOMPARE(p.scanSpeed, 100.0);
    QVERIFY(!e.hasAttribute(A::scanPower));
    QVERIFY(!e.hasAttribute(A::scanSpeed));
}

void TestEngravingAttributes::listKeepsDistinctRecordsInFirstOrder()
{
    PaintParameter first;
    PaintParameter second = first;
    second.scanAngle = 45;
    // The smallest difference still makes a set of its own.
    PaintParameter third = first;
    third.YMotorMovementError = std::nextafter(first.YMotorMovementError, 1.0);

    QVERIFY(first == PaintParameter());
    QVERIFY(first != third);

    PaintParameterList list;
    QTest::ignoreMessage(QtDebugMsg, "PaintParameterList 180 0");
    QVERIFY(list.append(first));
    QVERIFY(list.append(second));
    QVERIFY(!list.append(first));
    QVERIFY(list.append(third));
    QVERIFY(!list.append(second));
    QVERIFY(!list.append(third));

    QCOMPARE(list.size(), 3);
    QVERIFY(list.at(0) == first);
    QVERIFY(list.at(1) == second);
    QVERIFY(list.at(2) == third);

    list.clear();
    QVERIFY(list.isEmpty());
    QVERIFY(list.append(second));
    QVERIFY(list.at(0) == second);
}

QTEST_GUILESS_MAIN(TestEngravingAttributes)
#include "tst_engravingattributes.moc"
