#include "common/settingsnames.h"
#include "document/defaultparameters.h"

#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

class TestDefaultParameters : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void setsNamedDefaults_data();
    void setsNamedDefaults();
    void pushesSevenNamesInOrder();
    void loadsDefaultsWhenNothingStored();
    void storedDefaultsRoundTrip();
    void readsStoredValuesCarefully();
    void restoresFactoryDefaults_data();
    void restoresFactoryDefaults();
    void comparesVersionNumbers_data();
    void comparesVersionNumbers();
};

void TestDefaultParameters::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestDefaultParameters::init()
{
    QSettings(SettingsNames::organization, SettingsNames::application).clear();
}

void TestDefaultParameters::setsNamedDefaults_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("known");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("passes") << "DefaultParameters:scanTimes" << "3" << true << true;
    QTest::newRow("spacing") << "DefaultParameters:scanAccuracy" << "0.05" << true << true;
    QTest::newRow("angle") << "DefaultParameters:scanAngle" << "-45" << true << true;
    QTest::newRow("overscan") << "DefaultParameters:scanBuffer" << "6" << true << true;
    QTest::newRow("offset") << "DefaultParameters:scanError" << "-0.15" << true << true;
    QTest::newRow("x backlash") << "DefaultParameters:XMotorMovementError" << "-0.02" << true << true;
    QTest::newRow("y backlash") << "DefaultParameters:YMotorMovementError" << "0.3" << true << true;
    QTest::newRow("attribute name is not a default") << "tolvenrik:scanTimes" << "3" << false << false;
    QTest::newRow("power has no default") << "DefaultParameters:scanPower" << "50" << false << false;
    QTest::newRow("lower-case y") << "DefaultParameters:yMotorMovementError" << "0.3" << false << false;
    QTest::newRow("not a number") << "DefaultParameters:scanAngle" << "steep" << true << false;
    QTest::newRow("not finite") << "DefaultParameters:scanAccuracy" << "inf" << true << false;
}

void TestDefaultParameters::setsNamedDefaults()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(bool, known);
    QFETCH(bool, accepted);

    DefaultParameters set;
    const DefaultParameters before = set;
    QCOMPARE(DefaultParameters::isDefaultParameterName(name), known);
    QCOMPARE(set.setNamed(name, value), accepted);
    if (!accepted) {
        QVERIFY(set == before);
        return;
    }
    // Exactly the named field changed, to the value given.
    const int index = DefaultParameters::names().indexOf(name);
    QVERIFY(index >= 0);
    const QStringList values = set.values();
    const QStringList old = before.values();
    for (int i = 0; i < values.size(); ++i)
        QCOMPARE(values.at(i), i == index ? value : old.at(i));
}

void TestDefaultParameters::pushesSevenNamesInOrder()
{
    QCOMPARE(DefaultParameters::names(),
             QStringList({ "DefaultParameters:scanTimes", "DefaultParameters:scanAccuracy",
                           "DefaultParameters:scanAngle", "DefaultParameters:scanBuffer",
                           "DefaultParameters:scanError", "DefaultParameters:XMotorMovementError",
                           "DefaultParameters:YMotorMovementError" }));

    StoredDefaults stored;
    stored.scanGap = 0.03;
    stored.scanTimes = 2;
    stored.scanAngle = 90;
    stored.overScanSize = 6;
    stored.scanErr = -0.2;
    stored.engraveXErr = -0.08;
    stored.engraveYErr = -0.05;
    const DefaultParameters set = stored.defaultParameters();
    QCOMPARE(set.values(), QStringList({ "2", "0.03", "90", "6", "-0.2", "-0.08", "-0.05" }));

    // What the panel pushes is what the canvas ends up holding.
    DefaultParameters received;
    for (int i = 0; i < 7; ++i)
        QVERIFY(received.setNamed(DefaultParameters::names().at(i), set.values().at(i)));
    QVERIFY(received == set);
}

void TestDefaultParameters::loadsDefaultsWhenNothingStored()
{
    const StoredDefaults stored = StoredDefaults::load();
    QCOMPARE(stored.lowerHardWareVersion, QStringLiteral("0.0.0"));
    QCOMPARE(stored.lengthUnit, QStringLiteral("mm"));
    QCOMPARE(stored.whLock, true);
    QCOMPARE(stored.sceneRealRatio, 0.08);
    QCOMPARE(stored.referencePoint, 4);
    QCOMPARE(stored.scanGap, 0.025);
    QCOMPARE(stored.scanTimes, 1);
    QCOMPARE(stored.scanAngle, 180);
    QCOMPARE(stored.overScanSize, 0.0);
    QCOMPARE(stored.scanErr, 0.0);
    QCOMPARE(stored.engraveXErr, 0.0);
    QCOMPARE(stored.engraveYErr, 0.0);
}

void TestDefaultParameters::storedDefaultsRoundTrip()
{
    StoredDefaults stored;
    stored.lowerHardWareVersion = QStringLiteral("2.0.0");
    stored.lengthUnit = QStringLiteral("inch");
    stored.whLock = false;
    stored.sceneRealRatio = 0.1;
    stored.referencePoint = 0;
    stored.scanGap = 0.05;
    stored.scanTimes = 4;
    stored.scanAngle = -45;
    stored.overScanSize = 6;
    stored.scanErr = -0.15;
    stored.engraveXErr = -0.02;
    stored.engraveYErr = -0.03;
    stored.save();

    // The keys are the panel's own, inside its group.
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    QCOMPARE(settings.value(QStringLiteral("itemProperty/scanGap")).toDouble(), 0.05);
    QCOMPARE(settings.value(QStringLiteral("itemProperty/overScanSize")).toDouble(), 6.0);
    QCOMPARE(settings.value(QStringLiteral("itemProperty/engraveYErr")).toDouble(), -0.03);
    QCOMPARE(settings.value(QStringLiteral("itemProperty/lowerHardWareVersion")).toString(),
             QStringLiteral("2.0.0"));

    const StoredDefaults loaded = StoredDefaults::load();
    QCOMPARE(loaded.lowerHardWareVersion, stored.lowerHardWareVersion);
    QCOMPARE(loaded.lengthUnit, stored.lengthUnit);
    QCOMPARE(loaded.whLock, stored.whLock);
    QCOMPARE(loaded.sceneRealRatio, stored.sceneRealRatio);
    QCOMPARE(loaded.referencePoint, stored.referencePoint);
    QCOMPARE(loaded.scanGap, stored.scanGap);
    QCOMPARE(loaded.scanTimes, stored.scanTimes);
    QCOMPARE(loaded.scanAngle, stored.scanAngle);
    QCOMPARE(loaded.overScanSize, stored.overScanSize);
    QCOMPARE(loaded.scanErr, stored.scanErr);
    QCOMPARE(loaded.engraveXErr, stored.engraveXErr);
    QCOMPARE(loaded.engraveYErr, stored.engraveYErr);
}

void TestDefaultParameters::readsStoredValuesCarefully()
{
    // A value stored by hand (or by an older release) as a fraction reads back whole.
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.setValue(QStringLiteral("itemProperty/scanAngle"), 45.5);
    settings.setValue(QStringLiteral("itemProperty/scanTimes"), QStringLiteral("2"));
    // Damaged values keep their defaults: a scan gap of 0 would never finish a fill.
    settings.setValue(QStringLiteral("itemProperty/scanGap"), QStringLiteral("fine"));
    settings.setValue(QStringLiteral("itemProperty/overScanSize"), QStringLiteral("nan"));
    settings.setValue(QStringLiteral("itemProperty/referencePoint"), QStringLiteral("1e99"));
    settings.sync();

    const StoredDefaults loaded = StoredDefaults::load();
    QCOMPARE(loaded.scanAngle, 45);
    QCOMPARE(loaded.scanTimes, 2);
    QCOMPARE(loaded.defaultParameters().values().at(2), QStringLiteral("45"));
    QCOMPARE(loaded.scanGap, 0.025);
    QCOMPARE(loaded.overScanSize, 0.0);
    QCOMPARE(loaded.referencePoint, 4);
}

void TestDefaultParameters::restoresFactoryDefaults_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<double>("overScan");
    QTest::addColumn<double>("scanErr");
    QTest::addColumn<double>("xErr");
    QTest::addColumn<double>("yErr");

    // Unknown versions keep the user's values (1, 2, 3, 4 below).
    QTest::newRow("1.0.0") << "1.0.0" << 6.0 << -0.2 << -0.08 << -0.05;
    QTest::newRow("2.0.0") << "2.0.0" << 6.0 << -0.15 << -0.02 << -0.02;
    QTest::newRow("0.0.0 keeps") << "0.0.0" << 1.0 << 2.0 << 3.0 << 4.0;
    QTest::newRow("3.0.0 keeps") << "3.0.0" << 1.0 << 2.0 << 3.0 << 4.0;
    QTest::newRow("1.0 is 1.0.0") << "1.0" << 6.0 << -0.2 << -0.08 << -0.05;
    QTest::newRow("leading zeros") << "02.00.0" << 6.0 << -0.15 << -0.02 << -0.02;
    QTest::newRow("1.0.0.1 keeps") << "1.0.0.1" << 1.0 << 2.0 << 3.0 << 4.0;
    QTest::newRow("10.0.0 keeps") << "10.0.0" << 1.0 << 2.0 << 3.0 << 4.0;
    QTest::newRow("suffix keeps") << "1.0.0-beta" << 1.0 << 2.0 << 3.0 << 4.0;
    QTest::newRow("empty keeps") << "" << 1.0 << 2.0 << 3.0 << 4.0;
}

void TestDefaultParameters::restoresFactoryDefaults()
{
    QFETCH(QString, version);
    QFETCH(double, overScan);
    QFETCH(double, scanErr);
    QFETCH(double, xErr);
    QFETCH(double, yErr);

    StoredDefaults stored;
    stored.lowerHardWareVersion = version;
    stored.scanGap = 0.5;
    stored.scanTimes = 7;
    stored.scanAngle = 30;
    stored.overScanSize = 1;
    stored.scanErr = 2;
    stored.engraveXErr = 3;
    stored.engraveYErr = 4;

    stored.restoreFactoryDefaults();

    QCOMPARE(stored.scanGap, 0.025);
    QCOMPARE(stored.scanTimes, 1);
    QCOMPARE(stored.scanAngle, 180);
    QCOMPARE(stored.overScanSize, overScan);
    QCOMPARE(stored.scanErr, scanErr);
    QCOMPARE(stored.engraveXErr, xErr);
    QCOMPARE(stored.engraveYErr, yErr);
    QCOMPARE(stored.lowerHardWareVersion, version);
}

void TestDefaultParameters::comparesVersionNumbers_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");

    QTest::newRow("equal text") << "1.0.0" << "1.0.0" << true;
    QTest::newRow("trailing zeros") << "1.0" << "1.0.0" << true;
    QTest::newRow("numbers, not text") << "1.10.0" << "1.9.0" << false;
    QTest::newRow("leading zeros") << "01.2.3" << "1.2.3" << true;
    QTest::newRow("surrounding blanks") << " 2.0.0\n" << "2.0.0" << true;
    QTest::newRow("garbage") << "v1" << "v1" << false;
}

void TestDefaultParameters::comparesVersionNumbers()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    QCOMPARE(sameVersion(a, b), same);
    QCOMPARE(sameVersion(b, a), same);
}

QTEST_GUILESS_MAIN(TestDefaultParameters)
#include "tst_defaultparameters.moc"
