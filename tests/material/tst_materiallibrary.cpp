#include "common/userdata.h"
#include "material/materiallibrary.h"

#include <QDomDocument>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The library file: what is saved comes back, old files still read, and
// what is not a library is refused without touching the presets held.
class TestMaterialLibrary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void savedLibraryReadsBackWhole();
    void exportedFileImportsIntoAnotherLibrary();
    void versionOneFileTakesScanSettingsFromDefaults();
    void refusesWhatIsNotALibrary_data();
    void refusesWhatIsNotALibrary();
    void valuesOutOfRangeAreClamped();
    void presetFromElementReadsItsParameters_data();
    void presetFromElementReadsItsParameters();
    void riskyMeansHighPowerAtACrawl_data();
    void riskyMeansHighPowerAtACrawl();

private:
    static MaterialPreset preset(const QString &material, const QString &thickness, const QString &name,
                                 double power, double speed);
};

MaterialPreset TestMaterialLibrary::preset(const QString &material, const QString &thickness,
                                           const QString &name, double power, double speed)
{
    MaterialPreset p;
    p.material = material;
    p.thickness = thickness;
    p.name = name;
    p.power = power;
    p.speed = speed;
    return p;
}

void TestMaterialLibrary::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestMaterialLibrary::savedLibraryReadsBackWhole()
{
    MaterialLibrary library;
    MaterialPreset cut = preset(QStringLiteral("Plywood"), QStringLiteral("3 mm"), QStringLiteral("cut"), 100, 8);
    cut.passes = 3;
    MaterialPreset fill = preset(QStringLiteral("Anodised aluminium"), QString(), QStringLiteral("fill"), 85.5, 60);
    fill.fill = true;
    fill.lineInterval = 0.05;
    fill.scanAngle = -45;
    fill.overscan = 2.5;
    library.add(cut);
    library.add(fill);
    // Same material, thickness and name: replaces, never duplicates.
    cut.power = 95;
    library.add(cut);
    QCOMPARE(library.presets().size(), 2);
    QCOMPARE(library.presets().at(0).title(), QStringLiteral("Anodised aluminium / fill"));
    QCOMPARE(library.presets().at(1).title(), QStringLiteral("Plywood 3 mm / cut"));

    const QString path = MaterialLibrary::defaultPath();
    QVERIFY(path.startsWith(userDataFolder()));
    QString error;
    QVERIFY2(library.save(path, &error), qPrintable(error));
    MaterialLibrary read;
    QVERIFY2(read.load(path, DefaultParameters(), &error), qPrintable(error));
    QCOMPARE(read.readVersion(), MaterialLibrary::formatVersion);
    QCOMPARE(read.presets(), library.presets());
    QCOMPARE(read.presets().at(1).power, 95.0);
}

void TestMaterialLibrary::exportedFileImportsIntoAnotherLibrary()
{
    QTemporaryDir dir;
    MaterialLibrary mine;
    mine.add(preset(QStringLiteral("Cork"), QStringLiteral("2 mm"), QStringLiteral("cut"), 60, 20));
    mine.add(preset(QStringLiteral("Leather"), QString(), QStringLiteral("mark"), 30, 80));
    const QString shared = dir.filePath(QStringLiteral("shared.json"));
    QString error;
    QVERIFY(mine.save(shared, &error));

    MaterialLibrary theirs;
    theirs.add(preset(QStringLiteral("Cork"), QStringLiteral("2 mm"), QStringLiteral("cut"), 90, 10));
    theirs.add(preset(QStringLiteral("Slate"), QString(), QStringLiteral("fill"), 70, 50));
    MaterialLibrary imported;
    QVERIFY(imported.load(shared, DefaultParameters(), &error));
    QCOMPARE(theirs.merge(imported), 2);
    QCOMPARE(theirs.presets().size(), 3);
    // The imported preset wins over the one of the same name.
    QCOMPARE(theirs.presets().at(0).title(), QStringLiteral("Cork 2 mm / cut"));
    QCOMPARE(theirs.presets().at(0).power, 60.0);
    QCOMPARE(theirs.materials(), QStringList({"Cork", "Leather", "Slate"}));
}

void TestMaterialLibrary::versionOneFileTakesScanSettingsFromDefaults()
{
    const QByteArray versionOne = R"({
        "format": "plimb-material-library",
        "version": 1,
        "presets": [
            {"material": "Birch", "thickness": "4 mm", "name": "cut", "mode": "outline",
             "power": 100, "speed": 6, "passes": 2},
            {"material": "Birch", "thickness": "4 mm", "name": "shade", "mode": "fill",
             "power": 40, "speed": 70, "passes": 1}
        ]})";
    DefaultParameters defaults;
    defaults.scanAccuracy = 0.08;
    defaults.scanAngle = 90;
    defaults.scanBuffer = 3;
    MaterialLibrary library;
    QString error;
    QVERIFY2(library.fromJson(versionOne, defaults, &error), qPrintable(error));
    QCOMPARE(library.readVersion(), 1);
    QCOMPARE(library.presets().size(), 2);
    const MaterialPreset shade = library.presets().at(1);
    QCOMPARE(shade.title(), QStringLiteral("Birch 4 mm / shade"));
    QVERIFY(shade.fill);
    QCOMPARE(shade.lineInterval, 0.08);
    QCOMPARE(shade.scanAngle, 90.0);
    QCOMPARE(shade.overscan, 3.0);
    QCOMPARE(library.presets().at(0).passes, 2);
    QVERIFY(!library.presets().at(0).fill);

    // Written again, it is a file of the current version.
    MaterialLibrary again;
    QVERIFY(again.fromJson(library.toJson(), DefaultParameters(), &error));
    QCOMPARE(again.readVersion(), MaterialLibrary::formatVersion);
    QCOMPARE(again.presets(), library.presets());
}

void TestMaterialLibrary::refusesWhatIsNotALibrary_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("not JSON") << QByteArray("{\"format\": ");
    QTest::newRow("another program's JSON") << QByteArray(R"({"version": 2, "presets": []})");
    QTest::newRow("no version") << QByteArray(R"({"format": "plimb-material-library", "presets": []})");
    QTest::newRow("an array") << QByteArray("[1, 2]");
}

void TestMaterialLibrary::refusesWhatIsNotALibrary()
{
    QFETCH(QByteArray, json);
    MaterialLibrary library;
    library.add(preset(QStringLiteral("Cork"), QString(), QStringLiteral("cut"), 60, 20));
    QString error;
    QVERIFY(!library.fromJson(json, DefaultParameters(), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(library.presets().size(), 1);
}

void TestMaterialLibrary::valuesOutOfRangeAreClamped()
{
    const QByteArray json = R"({"format": "plimb-material-library", "version": 2, "presets": [
        {"material": "Felt", "name": "cut", "power": 400, "speed": -5, "passes": 0,
         "lineInterval": "fine", "scanAngle": 720},
        {"material": "", "name": ""}
    ]})";
    MaterialLibrary library;
    QString error;
    QVERIFY(library.fromJson(json, DefaultParameters(), &error));
    // A preset with neither material nor name cannot be told apart: skipped.
    QCOMPARE(library.presets().size(), 1);
    const MaterialPreset felt = library.presets().first();
    QCOMPARE(felt.power, 100.0);
    QCOMPARE(felt.speed, 0.1);
    QCOMPARE(felt.passes, 1);
    QCOMPARE(felt.lineInterval, DefaultParameters().scanAccuracy);
    QCOMPARE(felt.scanAngle, 180.0);
}

void TestMaterialLibrary::presetFromElementReadsItsParameters_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<bool>("fill");
    QTest::addColumn<double>("power");
    QTest::addColumn<int>("passes");
    QTest::addColumn<double>("lineInterval");

    QTest::newRow("fill cell") << "<rect style='fill:#000000' tolvenrik:scanPower='62.5' "
                                  "tolvenrik:scanSpeed='30' tolvenrik:scanTimes='2' tolvenrik:scanAccuracy='0.15'/>"
                               << true << 62.5 << 2 << 0.15;
    QTest::newRow("outline without attributes") << "<rect style='fill:none'/>" << false << 100.0 << 1 << 0.025;
    QTest::newRow("grey picture") << "<image tolvenrik:scanPower='40' tolvenrik:scanTimes='0'/>" << true << 40.0
                                  << 1 << 0.025;
}

void TestMaterialLibrary::presetFromElementReadsItsParameters()
{
    QFETCH(QString, element);
    QFETCH(bool, fill);
    QFETCH(double, power);
    QFETCH(int, passes);
    QFETCH(double, lineInterval);
    QDomDocument document;
    QVERIFY(document.setContent(QStringLiteral("<svg xmlns:tolvenrik='urn:tolvenrik'>%1</svg>").arg(element)));
    const MaterialPreset p =
            MaterialPreset::fromElement(document.documentElement().firstChildElement(), DefaultParameters());
    QCOMPARE(p.fill, fill);
    QCOMPARE(p.power, power);
    QCOMPARE(p.passes, passes);
    QCOMPARE(p.lineInterval, lineInterval);

    // Applying the preset writes back what it read.
    QDomElement target = document.createElement(QStringLiteral("rect"));
    const QStringList names = p.attributeNames();
    const QStringList values = p.attributeValues();
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i) == QLatin1String("fill"))
            target.setAttribute(QStringLiteral("style"), QStringLiteral("fill:") + values.at(i));
        else
            target.setAttribute(names.at(i), values.at(i));
    }
    QCOMPARE(MaterialPreset::fromElement(target, DefaultParameters()), p);
}

void TestMaterialLibrary::riskyMeansHighPowerAtACrawl_data()
{
    QTest::addColumn<double>("power");
    QTest::addColumn<double>("speed");
    QTest::addColumn<bool>("risky");
    // Full scale 1500 mm/min: 10 mm/s is 40 %.
    QTest::newRow("90 % at 5 mm/s") << 90.0 << 20.0 << true;
    QTest::newRow("90 % at 10 mm/s") << 90.0 << 40.0 << false;
    QTest::newRow("80 % at 1 mm/s") << 80.0 << 4.0 << false;
    QTest::newRow("81 % just under 10 mm/s") << 81.0 << 39.0 << true;
}

void TestMaterialLibrary::riskyMeansHighPowerAtACrawl()
{
    QFETCH(double, power);
    QFETCH(double, speed);
    QFETCH(bool, risky);
    QCOMPARE(preset(QStringLiteral("Card"), QString(), QStringLiteral("cut"), power, speed).isRisky(1500), risky);
}

QTEST_MAIN(TestMaterialLibrary)
#include "tst_materiallibrary.moc"
