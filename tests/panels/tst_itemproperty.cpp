// The property panel driven as a user would: what it sends to the canvas's
// property channel, what it shows for a selection, and its stored defaults.
#include "panelfixture.h"
#include "panels/itemproperty.h"

#include "common/settingsnames.h"
#include "document/defaultparameters.h"
#include "document/engravingparameters.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDomDocument>
#include <QFile>
#include <QSet>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

using PanelFixture::child;
using PanelFixture::enter;

namespace {



// The requests caught by `spy` as "name=value" texts, one list per request.
QList<QStringList> requests(const QSignalSpy &spy)
{
    QList<QStringList> all;
    for (const QList<QVariant> &arguments : spy) {
        const QStringList names = arguments.at(0).toStringList();
        const QStringList values = arguments.at(1).toStringList();
        QStringList pairs;
        for (int i = 0; i < names.size(); ++i)
            pairs << names.at(i) + '=' + values.value(i);
        all << pairs;
    }
    return all;
}

void storeSetting(const QString &key, const QVariant &value)
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::itemPropertyGroup);
    settings.setValue(key, value);
}

} // namespace

class TestItemProperty : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void positionFollowsReferencePoint_data();
    void positionFollowsReferencePoint();
    void lockedWidthScalesHeight();
    void lineKeepsSizesApart_data();
    void lineKeepsSizesApart();
    void positionEditSendsOnlyPosition();
    void rotationFieldSetsTheAngle();
    void choicesSendTheirValues_data();
    void choicesSendTheirValues();
    void printFieldsSendWhileTyping();
    void selectionFillsQuietly();
    void parameterFieldsGoByTheirAttribute_data();
    void parameterFieldsGoByTheirAttribute();
    void operateReportsUpdateLabelsOnly();
    void hardwareVersionRestoresFactoryValues_data();
    void hardwareVersionRestoresFactoryValues();
    void saveAndPushDefaults();
    void unusableRatioFallsBack_data();
    void unusableRatioFallsBack();
    void helpPageFollowsLanguage();
    void testDesign();
    void wheelChangesNothing();
};

void TestItemProperty::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestItemProperty::init()
{
    QSettings(SettingsNames::organization, SettingsNames::application).clear();
}

void TestItemProperty::positionFollowsReferencePoint_data()
{
    QTest::addColumn<int>("point");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("0 top left") << 0 << 8.0 << 4.0;
    QTest::newRow("4 centre") << 4 << 8.8 << 4.4;
    QTest::newRow("5 right middle") << 5 << 9.6 << 4.4;
    QTest::newRow("8 bottom right") << 8 << 9.6 << 4.8;
}

void TestItemProperty::positionFollowsReferencePoint()
{
    QFETCH(int, point);
    QFETCH(double, x);
    QFETCH(double, y);
    ItemProperty panel;
    QSignalSpy spy(&panel, &ItemProperty::sceneItemPropertyChanged);
    panel.setSelectItemParms({}, QRectF(100, 50, 20, 10));
    panel.findChild<QWidget *>("referencePoint")->findChildren<QPushButton *>().at(point)->click();
    QCOMPARE(child<QDoubleSpinBox>(&panel, "x")->value(), x);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "y")->value(), y);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "width")->value(), 1.6);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "height")->value(), 0.8);
    QVERIFY(spy.isEmpty());
    QCOMPARE(panel.storedDefaults().referencePoint, point);
}

void TestItemProperty::lockedWidthScalesHeight()
{
    ItemProperty panel;
    panel.show();
    QVERIFY(child<QPushButton>(&panel, "whLock")->isChecked());
    // 20 by 10 mm at the top-left reference point.
    panel.findChild<QWidget *>("referencePoint")->findChildren<QPushButton *>().at(0)->click();
    panel.setSelectItemParms({}, QRectF(0, 0, 250, 125));
    QSignalSpy spy(&panel, &ItemProperty::sceneItemPropertyChanged);
    enter(child<QDoubleSpinBox>(&panel, "width"), 30);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "height")->value(), 15.0);
    QCOMPARE(requests(spy), (QList<QStringList>{{"x=0", "y=0", "width=375", "height=187.5"}}));

    // Unlocked, the height stays.
    child<QPushButton>(&panel, "whLock")->click();
    spy.clear();
    enter(child<QDoubleSpinBox>(&panel, "width"), 40);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "height")->value(), 15.0);
    QCOMPARE(requests(spy), (QList<QStringList>{{"x=0", "y=0", "width=500", "height=187.5"}}));
}

void TestItemProperty::lineKeepsSizesApart_data()
{
    QTest::addColumn<QRectF>("bound");
    QTest::addColumn<QString>("field");
    QTest::newRow("horizontal line, width") << QRectF(0, 0, 250, 0) << "width";
    QTest::newRow("horizontal line, height") << QRectF(0, 0, 250, 0) << "height";
    QTest::newRow("vertical line, width") << QRectF(0, 0, 0, 250) << "width";
    QTest::newRow("vertical line, height") << QRectF(0, 0, 0, 250) << "height";
}

void TestItemProperty::lineKeepsSizesApart()
{
    QFETCH(QRectF, bound);
    QFETCH(QString, field);
    ItemProperty panel;
    panel.show();
    panel.findChild<QWidget *>("referencePoint")->findChildren<QPushButton *>().at(0)->click();
    panel.setSelectItemParms({}, bound);
    QSignalSpy spy(&panel, &ItemProperty::sceneItemPropertyChanged);
    enter(panel.findChild<QDoubleSpinBox *>(field), 30);
    QCOMPARE(spy.size(), 1);
    const QStringList values = spy.at(0).at(1).toStringList();
    for (const QString &value : values) {
        bool ok = false;
        QVERIFY2(std::isfinite(value.toDouble(&ok)) && ok, qPrintable(value));
    }
    const QString other = field == "width" ? "height" : "width";
    QCOMPARE(panel.findChild<QDoubleSpinBox *>(other)->value(),
             other == "width" ? bound.width() * 0.08 : bound.height() * 0.08);
}

void TestItemProperty::positionEditSendsOnlyPosition()
{
    ItemProperty panel;
    panel.show();
    // Centre reference: X shows the middle of a 1.6 mm wide selection.
    panel.setSelectItemParms({}, QRectF(100, 50, 20, 10));
    QSignalSpy spy(&panel, &ItemProperty::sceneItemPropertyChanged);
    enter(child<QDoubleSpinBox>(&panel, "x"), 20);
    enter(child<QDoubleSpinBox>(&panel, "y"), 10);
    QCOMPARE(requests(spy), (QList<QStringList>{{"x=240", "y=50"}, {"x=240", "y=120"}}));
}

// The old fault: the field always showed 0 and each entry turned the
// selection further. It shows the selection's angle and sets an absolute
// one; the canvas turns by the difference, the short way round.
void TestItemProperty::rotationFieldSetsTheAngle()
{
    ItemProperty panel;
    panel.show();
    QSignalSpy spy(&panel, &ItemProperty::sceneItemPropertyChanged);
    auto *rotate = child<QDoubleSpinBox>(&panel, "rotate");
    panel.setSelectionAngle(30);
    QCOMPARE(rotate->value(), 30.0);
    enter(rotate, 45);
    QCOMPARE(rotate->value(), 45.0);
    enter(rotate, 45);
    enter(rotate, -170);
    QCOMPARE(requests(spy), (QList<QStringList>{{"rotate=15"}, {"rotate=145"}}));
}

void TestItemProperty::choicesSendTheirValues_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");
    QTest::newRow("edge") << "fill" << 0 << "fill=none";
    QTest::newRow("filling") << "fill" << 1 << "fill=#80000000";
    QTest::newRow("halftone") << "image" << 1 << "tolvenrik:image=halftone";
    QTest::newRow("gray") << "image" << 2 << "tolvenrik:image=gray";
    QTest::newRow("bw") << "image" << 0 << "tolvenrik:image=bw";
    QTest::newRow("italic") << "fontStyle" << 1 << "font-style=italic";
    QTest::newRow("normal") << "fontStyle" << 0 << "font-style=normal";
    QTest::newRow("centre") << "alignment" << 1 << "tolvenRik:Alignment=AlignCenter";
    QTest::newRow("right") << "alignment" << 2 << "tolvenRik:Alignment=AlignRight";
    QTest::newRow("vertical") << "textDirection" << 1 << "tolvenRik:TextDirection=V";
}

void TestItemProperty::choicesSendTheirValues()
{
    QFETCH(QString, combo);
    QFETCH(int, index);
    QFETCH(QString, expected);
    ItemProperty panel;
    auto *box = panel.findChild<QComboBox *>(combo);
    QVERIFY(box);
    // Start from another entry so that choosing `index` is a change.
    {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(index == 0 ? 1 : 0);
    }
    QSignalSpy spy(&panel, &ItemProperty::sceneItemPropertyChanged);
    box->setCurrentIndex(index);
    QCOMPARE(requests(spy), (QList<QStringList>{{expected}}));
}

void TestItemProperty::printFieldsSendWhileTyping()
{
    ItemProperty panel;
    panel.show();
    child<QPushButton>(&panel, "printAdvanced")->click();
    QCOMPARE(child<QPushButton>(&panel, "printAdvanced")->text(), QStringLiteral("隐藏设置"));
    QSignalSpy spy(&panel, &ItemProperty::sceneItemPropertyChanged);
    auto *power = child<QDoubleSpinBox>(&panel, "scanPower");
    power->setFocus();
    power->findChild<QLineEdit *>()->selectAll();
    QTest::keyClicks(power->findChild<QLineEdit *>(), "45");
    QCOMPARE(requests(spy), (QList<QStringList>{{"tolvenrik:scanPower=4"}, {"tolvenrik:scanPower=45"}}));
    // 45 % of the default 100 % print power.
    QCOMPARE(child<QLabel>(&panel, "powerValue")->text(), QStringLiteral("45%"));

    spy.clear();
    child<QDoubleSpinBox>(&panel, "YMotorMovementError")->setValue(-0.15);
    child<QDoubleSpinBox>(&panel, "scanAccuracy")->setValue(0.0513);
    child<QDoubleSpinBox>(&panel, "scanBuffer")->setValue(2.5);
    QCOMPARE(requests(spy), (QList<QStringList>{{"tolvenrik:YMotorMovementError=-0.15"},
                                                {"tolvenrik:scanAccuracy=0.0513"},
                                                {"tolvenrik:scanBuffer=2.5"}}));
}

void TestItemProperty::selectionFillsQuietly()
{
    ItemProperty panel;
    panel.show();
    QSignalSpy spy(&panel, &ItemProperty::sceneItemPropertyChanged);
    panel.setSelectItemParms({{"fill", "#80000000"}, {"scanPower", "30"}, {"scanTimes", "3"},
                              {"image", "gray"}, {"YMotorMovementError", "-0.25"}},
                             QRectF(0, 0, 100, 100));
    QCOMPARE(child<QComboBox>(&panel, "fill")->currentIndex(), 1);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "scanPower")->value(), 30.0);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "scanTimes")->value(), 3.0);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "YMotorMovementError")->value(), -0.25);
    QCOMPARE(child<QComboBox>(&panel, "image")->currentIndex(), 2);
    QVERIFY(panel.findChildren<QGroupBox *>().at(2)->isVisible());
    QVERIFY(!panel.findChildren<QGroupBox *>().at(1)->isVisible());

    // Keys that are absent or empty leave their controls as they were.
    panel.setSelectItemParms({{"fill", ""}, {"word", "abc"}}, QRectF(0, 0, 10, 10));
    QCOMPARE(child<QComboBox>(&panel, "fill")->currentIndex(), 1);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "scanPower")->value(), 30.0);
    QVERIFY(panel.findChildren<QGroupBox *>().at(1)->isVisible());
    QVERIFY(!panel.findChildren<QGroupBox *>().at(2)->isVisible());
    QVERIFY(spy.isEmpty());

    panel.selectNoneNode();
    QVERIFY(!panel.isEnabled());
    panel.selectOneNode({{"fill", "none"}}, QRectF(0, 0, 10, 10));
    QVERIFY(panel.isEnabled());
    QCOMPARE(child<QComboBox>(&panel, "fill")->currentIndex(), 0);
}

void TestItemProperty::parameterFieldsGoByTheirAttribute_data()
{
    QTest::addColumn<QString>("attribute");
    for (const EngravingParameters::Field &field : EngravingParameters::fields())
        QTest::newRow(qPrintable(field.attribute)) << field.attribute;
}

void TestItemProperty::parameterFieldsGoByTheirAttribute()
{
    // Each parameter's field shows the selection's value reported under the
    // attribute's name and writes its edits to that same attribute.
    QFETCH(QString, attribute);
    ItemProperty panel;
    panel.show();
    const QString name = EngravingParameters::nameOf(attribute);
    panel.setSelectItemParms({{name, "3"}}, QRectF(0, 0, 10, 10));
    auto *field = child<QDoubleSpinBox>(&panel, name.toLatin1().constData());
    QCOMPARE(field->value(), 3.0);
    QSignalSpy spy(&panel, &ItemProperty::sceneItemPropertyChanged);
    field->setValue(4);
    QCOMPARE(requests(spy), (QList<QStringList>{{attribute + "=4"}}));
}

void TestItemProperty::operateReportsUpdateLabelsOnly()
{
    ItemProperty panel;
    panel.setSelectItemParms({{"scanPower", "50"}, {"scanSpeed", "20"}}, QRectF(0, 0, 10, 10));
    QSignalSpy spy(&panel, &ItemProperty::sceneItemPropertyChanged);
    panel.setItemPropertyWidgetValue({"set:1 value:80", "set:0 value:200", "set:7", "set:x"});
    QCOMPARE(child<QLabel>(&panel, "powerValue")->text(), QStringLiteral("40%"));
    QCOMPARE(child<QLabel>(&panel, "speedValue")->text(), QStringLiteral("40mm/s"));
    QVERIFY(spy.isEmpty());
}

void TestItemProperty::hardwareVersionRestoresFactoryValues_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("reported");
    QTest::addColumn<QString>("version");
    QTest::addColumn<double>("overScan");
    QTest::addColumn<bool>("pushed");
    QTest::newRow("1.0.0 replaces 0.0.0") << "0.0.0" << "1.0.0" << "1.0.0" << 6.0 << true;
    QTest::newRow("2.0.0 replaces 1.0.0") << "1.0.0" << "2.0.0" << "2.0.0" << 6.0 << true;
    QTest::newRow("same version") << "1.0.0" << "1.0" << "1.0.0" << 1.5 << false;
    QTest::newRow("garbled") << "1.0.0" << "1.0.0\x01garbage" << "1.0.0" << 1.5 << false;
    QTest::newRow("not a version") << "2.0.0" << "abc" << "2.0.0" << 1.5 << false;
}

void TestItemProperty::hardwareVersionRestoresFactoryValues()
{
    QFETCH(QString, stored);
    QFETCH(QString, reported);
    QFETCH(QString, version);
    QFETCH(double, overScan);
    QFETCH(bool, pushed);
    storeSetting(ItemPropertyKeys::lowerHardWareVersion, stored);
    storeSetting(ItemPropertyKeys::overScanSize, 1.5);
    storeSetting(ItemPropertyKeys::scanGap, 0.1);
    ItemProperty panel;
    panel.pushDefaultParameters();
    QSignalSpy spy(&panel, &ItemProperty::sceneItemPropertyChanged);
    panel.setItemPropertyWidgetValue({"set:2 value:" + reported});
    QCOMPARE(panel.storedDefaults().lowerHardWareVersion, version);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "scanBuffer")->value(), overScan);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "scanAccuracy")->value(), pushed ? 0.025 : 0.1);
    QCOMPARE(spy.isEmpty(), !pushed);
    if (pushed) {
        // Power and speed back to 100 on the selection, then the default set.
        const QList<QStringList> sent = requests(spy);
        QCOMPARE(sent.last().size(), 7);
        QVERIFY(sent.last().contains("DefaultParameters:scanBuffer=6"));
        QVERIFY(sent.last().contains("DefaultParameters:scanAccuracy=0.025"));
    }
}

void TestItemProperty::saveAndPushDefaults()
{
    {
        ItemProperty panel;
        child<QDoubleSpinBox>(&panel, "scanAngle")->setValue(45);
        child<QDoubleSpinBox>(&panel, "scanTimes")->setValue(3);
        child<QDoubleSpinBox>(&panel, "scanError")->setValue(-0.1);
        QSignalSpy spy(&panel, &ItemProperty::sceneItemPropertyChanged);
        child<QPushButton>(&panel, "printSave")->click();
        QCOMPARE(requests(spy), (QList<QStringList>{{"DefaultParameters:scanTimes=3",
                                                    "DefaultParameters:scanAccuracy=100",
                                                    "DefaultParameters:scanAngle=45",
                                                    "DefaultParameters:scanBuffer=100",
                                                    "DefaultParameters:scanError=-0.1",
                                                    "DefaultParameters:XMotorMovementError=100",
                                                    "DefaultParameters:YMotorMovementError=100"}}));
    }
    // Written back when the panel goes.
    QCOMPARE(StoredDefaults::load().scanAngle, 45);
    QCOMPARE(StoredDefaults::load().scanErr, -0.1);

    ItemProperty again;
    QSignalSpy spy(&again, &ItemProperty::sceneItemPropertyChanged);
    again.pushDefaultParameters();
    QCOMPARE(child<QDoubleSpinBox>(&again, "scanAngle")->value(), 45.0);
    QCOMPARE(child<QDoubleSpinBox>(&again, "scanPower")->value(), 100.0);
    QCOMPARE(spy.size(), 1);

    // Factory values keep the stored version's unchanged fields.
    spy.clear();
    child<QPushButton>(&again, "printRestore")->click();
    QCOMPARE(child<QDoubleSpinBox>(&again, "scanAngle")->value(), 180.0);
    QCOMPARE(child<QDoubleSpinBox>(&again, "scanError")->value(), -0.1);
}

void TestItemProperty::unusableRatioFallsBack_data()
{
    QTest::addColumn<QVariant>("ratio");
    QTest::newRow("zero") << QVariant(0.0);
    QTest::newRow("negative") << QVariant(-1.0);
    QTest::newRow("infinite") << QVariant(qInf());
}

void TestItemProperty::unusableRatioFallsBack()
{
    QFETCH(QVariant, ratio);
    storeSetting(ItemPropertyKeys::sceneRealRatio, ratio);
    ItemProperty panel;
    panel.show();
    panel.setSelectItemParms({}, QRectF(100, 50, 20, 10));
    QCOMPARE(child<QDoubleSpinBox>(&panel, "width")->value(), 1.6);
    QSignalSpy spy(&panel, &ItemProperty::sceneItemPropertyChanged);
    enter(child<QDoubleSpinBox>(&panel, "x"), 9.6);
    QCOMPARE(requests(spy), (QList<QStringList>{{"x=110", "y=50"}}));
}

void TestItemProperty::helpPageFollowsLanguage()
{
    ItemProperty panel;
    panel.show();
    child<QPushButton>(&panel, "printAdvanced")->click();
    QList<QUrl> opened;
    panel.setUrlOpener([&opened](const QUrl &url) { opened << url; });
    auto *help = child<QPushButton>(&panel, "printHelp");
    help->click();
    QVERIFY(opened.isEmpty());
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.setValue(SettingsNames::languagesGroup + '/' + SettingsNames::languageKey, "Chinese");
    settings.sync();
    help->click();
    settings.setValue(SettingsNames::languagesGroup + '/' + SettingsNames::languageKey, "English");
    settings.sync();
    help->click();
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened.at(0).path(), QStringLiteral("/Manual/ParameterDescription.html"));
    QCOMPARE(opened.at(1).path(), QStringLiteral("/Manual/ParameterDescription.html"));
    QVERIFY(opened.at(0).host() != opened.at(1).host());
}

void TestItemProperty::testDesign()
{
    ItemProperty panel;
    panel.show();
    child<QPushButton>(&panel, "printAdvanced")->click();
    QSignalSpy spy(&panel, &ItemProperty::designRequested);
    child<QPushButton>(&panel, "printTest")->click();
    QCOMPARE(spy.size(), 1);
    const QString path = spy.at(0).at(0).toString();
    QCOMPARE(path, QStringLiteral(":/parameter_svg/interpolation_v0.1.svg"));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QDomDocument design;
    QVERIFY(design.setContent(&file));
    QCOMPARE(design.documentElement().attribute("width"), QStringLiteral("2000"));
    QCOMPARE(design.documentElement().attribute("height"), QStringLiteral("1875"));
    const QDomNodeList ellipses = design.elementsByTagName("ellipse");
    QCOMPARE(ellipses.size(), 36);
    QSet<QString> pairs;
    for (int i = 0; i < ellipses.size(); ++i) {
        const QDomElement e = ellipses.at(i).toElement();
        pairs << e.attribute("tolvenrik:XMotorMovementError") + ',' + e.attribute("tolvenrik:YMotorMovementError");
        QCOMPARE(e.attribute("tolvenrik:scanPower"), QStringLiteral("30"));
    }
    QCOMPARE(pairs.size(), 36);
    QVERIFY(pairs.contains("-0.25,-0.05"));
    QCOMPARE(design.elementsByTagName("path").size(), 36);
    const QDomNodeList images = design.elementsByTagName("image");
    QCOMPARE(images.size(), 8);
    QCOMPARE(images.at(7).toElement().attribute("tolvenrik:scanError"), QStringLiteral("-0.35"));
    QCOMPARE(images.at(7).toElement().attribute("tolvenrik:image"), QStringLiteral("bw"));
}

void TestItemProperty::wheelChangesNothing()
{
    ItemProperty panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    auto *times = child<QDoubleSpinBox>(&panel, "scanTimes");
    auto *mode = child<QComboBox>(&panel, "fill");
    QSignalSpy spy(&panel, &ItemProperty::sceneItemPropertyChanged);
    for (QWidget *w : {static_cast<QWidget *>(times), static_cast<QWidget *>(mode)}) {
        QWheelEvent wheel(QPointF(5, 5), w->mapToGlobal(QPoint(5, 5)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w, &wheel);
    }
    QCOMPARE(times->value(), 100.0);
    QCOMPARE(mode->currentIndex(), 0);
    QVERIFY(spy.isEmpty());
}

QTEST_MAIN(TestItemProperty)
#include "tst_itemproperty.moc"
