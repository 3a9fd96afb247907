// The operate panel driven as a user would: what leaves for the controller,
// the property panel and the generator, and how controller messages change
// the widgets without sending anything back.
#include "panelfixture.h"
#include "panels/loweroperatepanel.h"
#include "panels/scrolltext.h"

#include "common/settingsnames.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QFileInfo>
#include <QMessageBox>
#include "panels/machinelockprompt.h"
#include <QProgressBar>
#include <QPushButton>
#include <QPropertyAnimation>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using PanelFixture::child;
using PanelFixture::enter;

namespace {

QStringList messagesOf(const QSignalSpy &spy)
{
    QStringList all;
    for (const QList<QVariant> &arguments : spy)
        all += arguments.at(0).toStringList();
    return all;
}



QStringList boxTexts(QWidget *panel)
{
    QStringList texts;
    for (QMessageBox *box : panel->findChildren<QMessageBox *>())
        texts << box->windowTitle() + '|' + box->text();
    return texts;
}

void clearSettings()
{
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.clear();
}

} // namespace

class TestOperatePanel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void commands_data();
    void commands();
    void directionsCombineBothMotors();
    void printPowerReachesAllThree();
    void sliderSendsOnlyOnRelease();
    void engraverSpeedsSetTheRange();
    void clampedSpeedIsApplied();
    void unusableEngraverValuesIgnored_data();
    void unusableEngraverValuesIgnored();
    void quietUpdates_data();
    void quietUpdates();
    void messagesWithoutValueIgnored();
    void portListFilledQuietly();
    void typedPortListedFirstNextTime();
    void linkFailureSaysWhy_data();
    void linkFailureSaysWhy();
    void startNeedsConnection();
    void connectIgnoredWhilePrinting();
    void jobEndAndStop();
    void jobEndsByTheEngraversWord_data();
    void jobEndsByTheEngraversWord();
    void homingAndUnlockWaitForTheUser();
    void disconnectResetsPanel();
    void genericControllerDisablesEngraverFunctions();
    void informationBoxes_data();
    void informationBoxes();
    void deniedPortExplainedOncePerGroup();
    void hardwareVersionGoesToProperties();
    void restoredValuesReachEveryone();
    void valuesStoredBetweenRuns();
    void wheelChangesNothing();
    void statusTextScrolls();
};

void TestOperatePanel::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestOperatePanel::init()
{
    clearSettings();
}

void TestOperatePanel::commands_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("rollerAxis");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("home") << "home" << 0 << QStringList{"set:4 value:0"};
    QTest::newRow("up") << "up" << 0 << QStringList{"set:5 value:1"};
    QTest::newRow("down") << "down" << 0 << QStringList{"set:5 value:2"};
    QTest::newRow("left") << "left" << 0 << QStringList{"set:5 value:3"};
    QTest::newRow("right") << "right" << 0 << QStringList{"set:5 value:4"};
    QTest::newRow("laser on, off") << "laser" << 0 << QStringList{"set:2 value:1", "set:2 value:0"};
    QTest::newRow("locating tool") << "locTool" << 0 << QStringList{"set:24 value:1", "set:24 value:0"};
    QTest::newRow("roller on Y") << "roller" << 1 << QStringList{"set:25 value:1", "set:25 value:10"};
    QTest::newRow("roller on X") << "roller" << 0 << QStringList{"set:25 value:0", "set:25 value:10"};
    QTest::newRow("pause, continue") << "pause" << 0 << QStringList{"set:14 value:1", "set:14 value:0"};
    QTest::newRow("stop") << "stop" << 0 << QStringList{"set:13 value:0"};
    QTest::newRow("get position") << "getPosition" << 0 << QStringList{"set:20 value:0"};
    QTest::newRow("factory defaults") << "factoryDefaults" << 0 << QStringList{"set:23 value:0"};
    QTest::newRow("firmware upgrade") << "upgrade" << 0 << QStringList{"set:19 value:0"};
    QTest::newRow("connect") << "connect" << 0 << QStringList{"set:9 value:0"};
    // The real-time overrides.
    QTest::newRow("feed +10 %") << "override26_10" << 0 << QStringList{"set:26 value:10"};
    QTest::newRow("feed back to 100 %") << "override26_0" << 0 << QStringList{"set:26 value:0"};
    QTest::newRow("power -10 %") << "override28_-10" << 0 << QStringList{"set:28 value:-10"};
    QTest::newRow("rapid 25 %") << "override27_25" << 0 << QStringList{"set:27 value:25"};
}

void TestOperatePanel::commands()
{
    QFETCH(QString, button);
    QFETCH(int, rollerAxis);
    QFETCH(QStringList, expected);
    LowerOperatePanel panel;
    panel.show();
    child<QComboBox>(&panel, "rollerAxis")->setCurrentIndex(rollerAxis);
    child<QPushButton>(&panel, "advanced")->click();
    QSignalSpy spy(&panel, &LowerOperatePanel::lowerMessage);
    auto *target = panel.findChild<QPushButton *>(button);
    QVERIFY(target);
    for (int i = 0; i < expected.size(); ++i)
        QTest::mouseClick(target, Qt::LeftButton);
    QCOMPARE(messagesOf(spy), expected);
}

void TestOperatePanel::directionsCombineBothMotors()
{
    LowerOperatePanel panel;
    QSignalSpy spy(&panel, &LowerOperatePanel::lowerMessage);
    child<QComboBox>(&panel, "motorX")->setCurrentIndex(1);
    child<QComboBox>(&panel, "motorY")->setCurrentIndex(1);
    QCOMPARE(messagesOf(spy), (QStringList{"set:22 value:value:direction1", "set:22 value:value:direction3"}));

    spy.clear();
    child<QDoubleSpinBox>(&panel, "positionX")->setValue(12.5);
    child<QDoubleSpinBox>(&panel, "positionY")->setValue(40);
    child<QPushButton>(&panel, "setPosition")->click();
    child<QDoubleSpinBox>(&panel, "maxSpeedX")->setValue(300);
    child<QDoubleSpinBox>(&panel, "accY")->setValue(1500);
    QCOMPARE(messagesOf(spy), (QStringList{"set:21 value:value:x12.5,y40", "set:22 value:value:speedX300",
                                           "set:22 value:value:accY1500"}));
}

void TestOperatePanel::printPowerReachesAllThree()
{
    LowerOperatePanel panel;
    panel.show();
    QSignalSpy device(&panel, &LowerOperatePanel::lowerMessage);
    QSignalSpy properties(&panel, &LowerOperatePanel::propertyMessage);
    QSignalSpy paint(&panel, &LowerOperatePanel::svgPaintPropertyChanged);
    enter(child<QDoubleSpinBox>(&panel, "printPower"), 55.5);
    enter(child<QDoubleSpinBox>(&panel, "printSpeed"), 120.3);
    QCOMPARE(messagesOf(device), (QStringList{"set:0 value:55.5", "set:1 value:120.3"}));
    QCOMPARE(messagesOf(properties), (QStringList{"set:1 value:55.5", "set:0 value:120.3"}));
    QCOMPARE(paint.size(), 2);
    QCOMPARE(paint.at(0).at(0).toStringList(), QStringList{"paintPower"});
    QCOMPARE(paint.at(0).at(1).value<QList<double>>(), QList<double>{555});
    QCOMPARE(paint.at(1).at(0).toStringList(), QStringList{"paintSpeed"});
    QCOMPARE(paint.at(1).at(1).value<QList<double>>().value(0), 120.3 * 80);
    QCOMPARE(child<QSlider>(&panel, "printPowerSlider")->value(), 5550);
    QCOMPARE(child<QSlider>(&panel, "printSpeedSlider")->value(), 12030);
}

void TestOperatePanel::sliderSendsOnlyOnRelease()
{
    LowerOperatePanel panel;
    auto *slider = child<QSlider>(&panel, "printPowerSlider");
    QSignalSpy device(&panel, &LowerOperatePanel::lowerMessage);
    // A drag as the slider sees it: pressed, moved through two positions, released.
    slider->setSliderDown(true);
    slider->setSliderPosition(2000);
    slider->setSliderPosition(3275);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "printPower")->value(), 32.8);
    QVERIFY(device.isEmpty());
    slider->setSliderDown(false);
    QCOMPARE(messagesOf(device), QStringList{"set:0 value:32.75"});
}

void TestOperatePanel::engraverSpeedsSetTheRange()
{
    LowerOperatePanel panel;
    QSignalSpy device(&panel, &LowerOperatePanel::lowerMessage);
    // $110=16000, $100=80 and $111=12000, $101=80 as the controller reports them.
    panel.setLowerOperateWidgetValue({"set:13 value:200", "set:14 value:150"});
    auto *speed = child<QDoubleSpinBox>(&panel, "printSpeed");
    QCOMPARE(speed->minimum(), 0.0);
    QCOMPARE(speed->maximum(), 200.0);
    QCOMPARE(child<QSlider>(&panel, "printSpeedSlider")->maximum(), 20000);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "maxSpeedX")->value(), 200.0);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "maxSpeedY")->value(), 150.0);
    QCOMPARE(panel.maxPrintSpeed(), 200.0);
    QVERIFY(device.isEmpty());
}

void TestOperatePanel::clampedSpeedIsApplied()
{
    LowerOperatePanel panel;
    panel.restoreSavedValues();
    child<QDoubleSpinBox>(&panel, "printSpeed")->setValue(240);
    QSignalSpy device(&panel, &LowerOperatePanel::lowerMessage);
    QSignalSpy properties(&panel, &LowerOperatePanel::propertyMessage);
    QSignalSpy paint(&panel, &LowerOperatePanel::svgPaintPropertyChanged);
    panel.setLowerOperateWidgetValue({"set:13 value:100", "set:14 value:90"});
    QCOMPARE(child<QDoubleSpinBox>(&panel, "printSpeed")->value(), 100.0);
    QCOMPARE(child<QSlider>(&panel, "printSpeedSlider")->value(), 10000);
    QCOMPARE(messagesOf(device), QStringList{"set:1 value:100"});
    QCOMPARE(messagesOf(properties), QStringList{"set:0 value:100"});
    QCOMPARE(paint.size(), 1);
    QCOMPARE(paint.at(0).at(1).value<QList<double>>(), QList<double>{8000});

    // A speed inside the new range is left alone and nothing is sent.
    device.clear();
    panel.setLowerOperateWidgetValue({"set:13 value:300", "set:14 value:300"});
    QCOMPARE(child<QDoubleSpinBox>(&panel, "printSpeed")->value(), 100.0);
    QVERIFY(device.isEmpty());
}

void TestOperatePanel::unusableEngraverValuesIgnored_data()
{
    QTest::addColumn<QString>("message");
    QTest::newRow("speed X zero") << "set:13 value:0";
    QTest::newRow("speed X inf") << "set:13 value:inf";
    QTest::newRow("speed Y nan") << "set:14 value:nan";
    QTest::newRow("speed Y negative") << "set:14 value:-5";
    QTest::newRow("speed Y zero") << "set:14 value:0";
    QTest::newRow("width zero") << "set:11 value:0";
}

void TestOperatePanel::unusableEngraverValuesIgnored()
{
    QFETCH(QString, message);
    LowerOperatePanel panel;
    panel.restoreSavedValues();
    QSignalSpy device(&panel, &LowerOperatePanel::lowerMessage);
    QSignalSpy bound(&panel, &LowerOperatePanel::sceneBoundChanged);
    panel.applyDeviceMessage(message);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "printSpeed")->maximum(), 245.0);
    QCOMPARE(child<QSlider>(&panel, "printSpeedSlider")->maximum(), 24500);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "printSpeed")->value(), 150.0);
    QCOMPARE(child<QDoubleSpinBox>(&panel, "workWidth")->value(), 150.0);
    QCOMPARE(panel.maxPrintSpeed(), 100.0);
    QVERIFY(device.isEmpty());
    QVERIFY(bound.isEmpty());
}

void TestOperatePanel::quietUpdates_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<double>("value");

    QTest::newRow("3 power") << "set:3 value:42.5" << "printPower" << 42.5;
    QTest::newRow("4 speed") << "set:4 value:88" << "printSpeed" << 88.0;
    QTest::newRow("6 move speed") << "set:6 value:321" << "moveSpeed" << 321.0;
    QTest::newRow("7 move distance") << "set:7 value:12.5" << "moveDistance" << 12.5;
    QTest::newRow("9 position power") << "set:9 value:3.5" << "idlePower" << 3.5;
    QTest::newRow("11 width") << "set:11 value:300" << "workWidth" << 300.0;
    QTest::newRow("12 height") << "set:12 value:250" << "workHeight" << 250.0;
    QTest::newRow("15 acc X") << "set:15 value:2500" << "accX" << 2500.0;
    QTest::newRow("16 acc Y") << "set:16 value:1800" << "accY" << 1800.0;
    QTest::newRow("19 position") << "set:19 value:x12.5,y7" << "positionX" << 12.5;
}

void TestOperatePanel::quietUpdates()
{
    QFETCH(QString, message);
    QFETCH(QString, widget);
    QFETCH(double, value);
    LowerOperatePanel panel;
    QSignalSpy device(&panel, &LowerOperatePanel::lowerMessage);
    QSignalSpy properties(&panel, &LowerOperatePanel::propertyMessage);
    QSignalSpy paint(&panel, &LowerOperatePanel::svgPaintPropertyChanged);
    panel.applyDeviceMessage(message);
    QCOMPARE(panel.findChild<QDoubleSpinBox *>(widget)->value(), value);
    QVERIFY(device.isEmpty());
    QVERIFY(properties.isEmpty());
    QVERIFY(paint.isEmpty());
}

void TestOperatePanel::messagesWithoutValueIgnored()
{
    LowerOperatePanel panel;
    panel.restoreSavedValues();
    child<QPushButton>(&panel, "laser")->setChecked(true);
    QSignalSpy device(&panel, &LowerOperatePanel::lowerMessage);
    QSignalSpy bound(&panel, &LowerOperatePanel::sceneBoundChanged);
    for (const char *message : {"set:3", "set:10 value:", "set:19 value:x5", "set:31 value:1", "set:-1 value:4"})
        panel.applyDeviceMessage(QLatin1String(message));
    QCOMPARE(child<QDoubleSpinBox>(&panel, "printPower")->value(), 100.0);
    QVERIFY(child<QPushButton>(&panel, "laser")->isChecked());
    QCOMPARE(child<QDoubleSpinBox>(&panel, "positionX")->value(), 0.0);
    // Height without a value still sends the canvas size.
    panel.applyDeviceMessage("set:12");
    QCOMPARE(bound.size(), 1);
    QCOMPARE(bound.at(0).at(0).toDouble(), 150.0);
    QVERIFY(device.isEmpty());

    panel.applyDeviceMessage("set:10 value:0");
    QVERIFY(!child<QPushButton>(&panel, "laser")->isChecked());
    panel.applyDeviceMessage("set:17 value:2");
    QCOMPARE(child<QComboBox>(&panel, "motorX")->currentIndex(), 0);
    QCOMPARE(child<QComboBox>(&panel, "motorY")->currentIndex(), 1);
    QVERIFY(device.isEmpty());
}

void TestOperatePanel::portListFilledQuietly()
{
    LowerOperatePanel panel;
    QSignalSpy device(&panel, &LowerOperatePanel::lowerMessage);
    panel.applyDeviceMessage("set:0 value:COM3 COM4 ");
    auto *ports = child<QComboBox>(&panel, "port");
    QCOMPARE(ports->count(), 2);
    QCOMPARE(ports->itemText(0), QStringLiteral("COM3"));
    QCOMPARE(ports->itemText(1), QStringLiteral("COM4"));
    QVERIFY(device.isEmpty());

    ports->setCurrentIndex(1);
    QCOMPARE(messagesOf(device), QStringList{"set:10 value:COM4"});

    // A port the system does not list is typed; Enter chooses it, and once
    // connected the list shows the port in use.
    device.clear();
    ports->lineEdit()->selectAll();
    QTest::keyClicks(ports->lineEdit(), "/dev/pts/7");
    QVERIFY(device.isEmpty());
    QTest::keyClick(ports->lineEdit(), Qt::Key_Return);
    QCOMPARE(messagesOf(device), QStringList{"set:10 value:/dev/pts/7"});
    ports->setCurrentIndex(0);
    panel.applyDeviceMessage("set:1 value:/dev/pts/7");
    QCOMPARE(ports->currentText(), QStringLiteral("/dev/pts/7"));

    // With nothing found, the typed port that connected is still offered.
    panel.applyDeviceMessage("set:0 value:none");
    QCOMPARE(ports->count(), 1);
    QCOMPARE(ports->itemText(0), QStringLiteral("/dev/pts/7"));
    QCOMPARE(child<ScrollText>(&panel, "status")->text(), QStringLiteral("未找到端口.请检查连接..."));
}

void TestOperatePanel::typedPortListedFirstNextTime()
{
    {
        LowerOperatePanel panel;
        auto *ports = child<QComboBox>(&panel, "port");
        ports->lineEdit()->selectAll();
        QTest::keyClicks(ports->lineEdit(), "tcp://192.168.4.1:23");
        QTest::keyClick(ports->lineEdit(), Qt::Key_Return);
        // Remembered once it connects, under the name the controller gives.
        panel.applyDeviceMessage("set:1 value:192.168.4.1:23");
        // A port picked from the list is not a typed one.
        panel.applyDeviceMessage("set:0 value:COM3 COM4 ");
        ports->setCurrentIndex(2);
        panel.applyDeviceMessage("set:1 value:COM4");
    }
    LowerOperatePanel panel;
    auto *ports = child<QComboBox>(&panel, "port");
    QCOMPARE(ports->count(), 1);
    QCOMPARE(ports->itemText(0), QStringLiteral("192.168.4.1:23"));
    panel.applyDeviceMessage("set:0 value:COM3 192.168.4.1:23 ");
    QCOMPARE(ports->count(), 2);
    QCOMPARE(ports->itemText(0), QStringLiteral("192.168.4.1:23"));
    QCOMPARE(ports->itemText(1), QStringLiteral("COM3"));
    // A typed port that fails is not remembered.
    ports->lineEdit()->selectAll();
    QTest::keyClicks(ports->lineEdit(), "10.0.0.9:23");
    QTest::keyClick(ports->lineEdit(), Qt::Key_Return);
    panel.applyDeviceMessage("set:48 value:refused 10.0.0.9:23");
    panel.applyDeviceMessage("set:0 value:none");
    QCOMPARE(ports->count(), 1);
}

void TestOperatePanel::linkFailureSaysWhy_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("status");
    QTest::newRow("refused") << "refused 10.0.0.9:23" << "10.0.0.9:23 拒绝了连接";
    QTest::newRow("unknown host") << "unknown-host laser.lan:23" << "找不到主机：laser.lan:23";
    QTest::newRow("timeout") << "timeout 10.0.0.9:23" << "连接 10.0.0.9:23 超时";
    QTest::newRow("silent") << "silent 10.0.0.9:23" << "10.0.0.9:23 没有应答";
    QTest::newRow("missing path") << "missing /dev/serial/by-id/usb-x" << "没有这个端口：/dev/serial/by-id/usb-x";
}

void TestOperatePanel::linkFailureSaysWhy()
{
    QFETCH(QString, value);
    QFETCH(QString, status);
    LowerOperatePanel panel;
    panel.applyDeviceMessage("set:48 value:" + value);
    QCOMPARE(child<ScrollText>(&panel, "status")->text(), status);
    const QStringList boxes = boxTexts(&panel);
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes.first().startsWith("连接失败|" + status + "\n\n"), qPrintable(boxes.first()));
}

void TestOperatePanel::startNeedsConnection()
{
    LowerOperatePanel panel;
    panel.show();
    QSignalSpy job(&panel, &LowerOperatePanel::gcodeRequested);
    auto *start = child<QPushButton>(&panel, "start");
    start->click();
    QVERIFY(job.isEmpty());
    QVERIFY(start->isEnabled());
    QVERIFY(!panel.isPrinting());
    QCOMPARE(boxTexts(&panel), QStringList{"开始|未连接设备，请先连接设备"});

    panel.applyDeviceMessage("set:1 value:none");
    start->click();
    QVERIFY(job.isEmpty());

    panel.applyDeviceMessage("set:1 value:/dev/ttyUSB0");
    QCOMPARE(child<ScrollText>(&panel, "status")->text(), QStringLiteral("已连接到/dev/ttyUSB0"));
    start->click();
    QCOMPARE(job.size(), 1);
    QVERIFY(!start->isEnabled());
    QVERIFY(panel.isPrinting());
}

void TestOperatePanel::connectIgnoredWhilePrinting()
{
    LowerOperatePanel panel;
    panel.applyDeviceMessage("set:1 value:COM3");
    child<QPushButton>(&panel, "start")->click();
    QSignalSpy device(&panel, &LowerOperatePanel::lowerMessage);
    QSignalSpy job(&panel, &LowerOperatePanel::gcodeRequested);
    child<QPushButton>(&panel, "connect")->click();
    child<QPushButton>(&panel, "start")->click();
    QVERIFY(device.isEmpty());
    QVERIFY(job.isEmpty());
}

void TestOperatePanel::jobEndAndStop()
{
    LowerOperatePanel panel;
    auto *start = child<QPushButton>(&panel, "start");
    auto *pause = child<QPushButton>(&panel, "pause");
    panel.applyDeviceMessage("set:1 value:COM3");
    start->click();
    panel.applyDeviceMessage("set:5 value:37.86");
    QCOMPARE(child<QProgressBar>(&panel, "transfer")->value(), 378);
    QCOMPARE(child<QProgressBar>(&panel, "transfer")->text(), QStringLiteral("37%"));
    panel.applyDeviceMessage("set:18 value:1");
    QVERIFY(start->isEnabled());
    QVERIFY(!panel.isPrinting());

    start->click();
    pause->click();
    QCOMPARE(pause->text(), QStringLiteral("继续"));
    child<QPushButton>(&panel, "stop")->click();
    QVERIFY(start->isEnabled());
    QVERIFY(!pause->isChecked());
    QCOMPARE(pause->text(), QStringLiteral("暂停"));
}

void TestOperatePanel::jobEndsByTheEngraversWord_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("box");
    QTest::newRow("refused") << "set:45 value:Line 6 is 140 bytes long" << "开始|无法开始作业：Line 6 is 140 bytes long";
    QTest::newRow("stopped") << "set:46 value:line 12: error:22 Feed rate"
                             << "作业已停止|作业已停止：line 12: error:22 Feed rate";
    // Never a plain end: the count of refused lines and the first of them.
    QTest::newRow("lines failed") << "set:47 value:3 line 12: error:22 Feed rate"
                                  << "作业已结束|作业已结束，但有 3 行被设备拒绝。第一处：line 12: error:22 Feed rate";
}

void TestOperatePanel::jobEndsByTheEngraversWord()
{
    QFETCH(QString, message);
    QFETCH(QString, box);
    LowerOperatePanel panel;
    panel.show();
    auto *start = child<QPushButton>(&panel, "start");
    panel.applyDeviceMessage("set:1 value:COM3");
    start->click();
    QVERIFY(!start->isEnabled());
    panel.applyDeviceMessage(message);
    QCOMPARE(boxTexts(&panel), QStringList{box});
    if (!message.startsWith("set:47"))
        QVERIFY(start->isEnabled());
}

// Homing moves the head and unlocking forgets where it is: each goes to the
// engraver only after the user's click, the unlock after a confirmation.
void TestOperatePanel::homingAndUnlockWaitForTheUser()
{
    LowerOperatePanel panel;
    panel.show();
    QSignalSpy device(&panel, &LowerOperatePanel::lowerMessage);
    panel.applyDeviceMessage("set:1 value:COM3");
    panel.applyDeviceMessage("set:41 value:1");
    QCOMPARE(messagesOf(device), QStringList());
    QMessageBox *offer = panel.lockPrompt()->openBox();
    QVERIFY(offer && offer->isVisible());
    for (QAbstractButton *button : offer->buttons())
        if (offer->buttonRole(button) == QMessageBox::AcceptRole)
            button->click();
    QCOMPARE(messagesOf(device), QStringList{"set:4 value:0"});

    device.clear();
    panel.applyDeviceMessage("set:42 value:ALARM:1 Hard limit triggered.");
    QMessageBox *lock = panel.lockPrompt()->openBox();
    QVERIFY(lock && lock->text().contains("ALARM:1 Hard limit triggered."));
    QPushButton *unlock = nullptr;
    for (QAbstractButton *button : lock->buttons())
        if (button->text() == QStringLiteral("解锁"))
            unlock = qobject_cast<QPushButton *>(button);
    QVERIFY(unlock);
    unlock->click();
    QTRY_VERIFY(panel.lockPrompt()->openBox() && panel.lockPrompt()->openBox() != lock);
    QCOMPARE(messagesOf(device), QStringList());
    QMessageBox *confirm = panel.lockPrompt()->openBox();
    QCOMPARE(confirm->buttons().size(), 2);
    for (QAbstractButton *button : confirm->buttons())
        if (confirm->buttonRole(button) == QMessageBox::AcceptRole)
            button->click();
    QCOMPARE(messagesOf(device), QStringList{"set:31 value:1"});
    panel.applyDeviceMessage("set:43 value:2");
    QVERIFY(!panel.lockPrompt()->openBox());
}

void TestOperatePanel::disconnectResetsPanel()
{
    LowerOperatePanel panel;
    panel.show();
    panel.applyDeviceMessage("set:1 value:COM3");
    child<QPushButton>(&panel, "start")->click();
    for (const char *name : {"pause", "laser", "locTool", "roller"})
        child<QPushButton>(&panel, name)->click();
    panel.applyDeviceMessage("set:5 value:60");
    QSignalSpy device(&panel, &LowerOperatePanel::lowerMessage);

    panel.applyDeviceMessage("set:2 value:COM3");
    QCOMPARE(messagesOf(device), QStringList{"set:13 value:0"});
    QCOMPARE(child<ScrollText>(&panel, "status")->text(), QStringLiteral("已断开链接：COM3"));
    QVERIFY(child<QPushButton>(&panel, "start")->isEnabled());
    QVERIFY(!panel.isPrinting());
    QVERIFY(!panel.isConnected());
    auto *pause = child<QPushButton>(&panel, "pause");
    QVERIFY(!pause->isChecked());
    QCOMPARE(pause->text(), QStringLiteral("暂停"));
    for (const char *name : {"laser", "locTool", "roller"})
        QVERIFY2(!child<QPushButton>(&panel, name)->isChecked(), name);
    QCOMPARE(child<QProgressBar>(&panel, "transfer")->value(), 0);
    QVERIFY(boxTexts(&panel).isEmpty());
}

// A standard GRBL board connected after an engraver, then the engraver again.
void TestOperatePanel::genericControllerDisablesEngraverFunctions()
{
    LowerOperatePanel panel;
    panel.show();
    const QList<const char *> engraverOnly{"locTool", "roller", "upgrade"};
    const QString tip = child<QPushButton>(&panel, "roller")->toolTip();
    panel.applyDeviceMessage("set:1 value:/dev/ttyUSB0");
    panel.applyDeviceMessage("set:31 value:1");
    for (const char *name : engraverOnly) {
        auto *button = child<QPushButton>(&panel, name);
        QVERIFY2(!button->isEnabled(), name);
        QCOMPARE(button->toolTip(), QStringLiteral("标准 GRBL 控制器没有此功能"));
    }
    panel.applyDeviceMessage("set:32 value:1");
    QCOMPARE(boxTexts(&panel), QStringList{"提示|控制器的激光模式已关闭（$32=0），激光会在每个拐角停下。"});

    panel.applyDeviceMessage("set:1 value:/dev/ttyUSB1");
    for (const char *name : engraverOnly)
        QVERIFY2(child<QPushButton>(&panel, name)->isEnabled(), name);
    QCOMPARE(child<QPushButton>(&panel, "roller")->toolTip(), tip);
}

void TestOperatePanel::informationBoxes_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("text");
    QTest::newRow("21") << "set:21 value:1" << "已是最新版本，无需升级";
    QTest::newRow("22") << "set:22 value:1" << "未知硬件，无法升级";
    QTest::newRow("23") << "set:23 value:1" << "正在升级，请等待...";
    QTest::newRow("24") << "set:24 value:1" << "已完成升级，请重新连接";
    QTest::newRow("25") << "set:25 value:1" << "发现新固件，请点击固件升级按钮手动升级固件";
    QTest::newRow("27") << "set:27 value:1" << "此版本未内置该设备的固件，无法升级";
}

void TestOperatePanel::informationBoxes()
{
    QFETCH(QString, message);
    QFETCH(QString, text);
    LowerOperatePanel panel;
    panel.show();
    panel.applyDeviceMessage(message);
    QCOMPARE(boxTexts(&panel), QStringList{"升级|" + text});
    QMessageBox *box = panel.findChild<QMessageBox *>();
    QVERIFY(box->isVisible());
    QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));

    panel.applyDeviceMessage("set:20 value:0.456");
    QCOMPARE(child<QProgressBar>(&panel, "upgradeBar")->value(), 45);
}

// A port refused for lack of permission: the box names the node's own group
// and the command that joins it. The search tries the ports one by one, and
// the other ports of that group add no second box.
void TestOperatePanel::deniedPortExplainedOncePerGroup()
{
    QTemporaryDir dir;
    QStringList nodes;
    for (const char *name : {"ttyS0", "ttyUSB0"}) {
        QFile node(dir.filePath(QLatin1String(name)));
        QVERIFY(node.open(QIODevice::WriteOnly));
        nodes << node.fileName();
    }
    const QString group = QFileInfo(nodes.first()).group();
    LowerOperatePanel panel;
    panel.show();
    panel.applyDeviceMessage("set:28 value:" + nodes.at(0));
    panel.applyDeviceMessage("set:28 value:" + nodes.at(1));

    const QStringList texts = boxTexts(&panel);
    QCOMPARE(texts.size(), 1);
    QVERIFY2(texts.first().contains(nodes.at(0)), qPrintable(texts.first()));
    QVERIFY2(texts.first().contains("sudo usermod -aG " + group + " $USER"), qPrintable(texts.first()));
    QCOMPARE(child<ScrollText>(&panel, "status")->text(), QStringLiteral("没有权限打开%1").arg(nodes.at(1)));
}

void TestOperatePanel::hardwareVersionGoesToProperties()
{
    LowerOperatePanel panel;
    QSignalSpy properties(&panel, &LowerOperatePanel::propertyMessage);
    panel.applyDeviceMessage("set:26 value:2.0.0");
    QCOMPARE(messagesOf(properties), QStringList{"set:2 value:2.0.0"});
}

void TestOperatePanel::restoredValuesReachEveryone()
{
    {
        QSettings settings(SettingsNames::organization, SettingsNames::application);
        settings.beginGroup(SettingsNames::lowerOperatePanelGroup);
        settings.setValue("printLaserPowerSave", 30);
        settings.setValue("idleLaserButtonCheckedSave", true);
        settings.setValue("workWidthSave", 400);
    }
    LowerOperatePanel panel;
    QSignalSpy device(&panel, &LowerOperatePanel::lowerMessage);
    QSignalSpy bound(&panel, &LowerOperatePanel::sceneBoundChanged);
    QSignalSpy paint(&panel, &LowerOperatePanel::svgPaintPropertyChanged);
    panel.restoreSavedValues();
    const QStringList sent = messagesOf(device);
    QCOMPARE(sent, (QStringList{"set:0 value:30", "set:1 value:150", "set:3 value:5", "set:2 value:1",
                                "set:6 value:200", "set:7 value:5", "set:22 value:value:workWidth400",
                                "set:22 value:value:workHeight150", "set:32 value:0"}));
    QVERIFY(child<QPushButton>(&panel, "laser")->isChecked());
    QCOMPARE(bound.last().at(0).toDouble(), 400.0);
    QCOMPARE(bound.last().at(1).toDouble(), 150.0);
    QCOMPARE(paint.size(), 2);
}

void TestOperatePanel::valuesStoredBetweenRuns()
{
    {
        LowerOperatePanel panel;
        panel.restoreSavedValues();
        child<QDoubleSpinBox>(&panel, "printPower")->setValue(44);
        child<QDoubleSpinBox>(&panel, "moveDistance")->setValue(2.5);
        panel.applyDeviceMessage("set:11 value:320");
        panel.applyDeviceMessage("set:12 value:280");
    }
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.beginGroup(SettingsNames::lowerOperatePanelGroup);
    QCOMPARE(settings.value("printLaserPowerSave").toDouble(), 44.0);
    QCOMPARE(settings.value("moveRangeSave").toDouble(), 2.5);
    QCOMPARE(settings.value("workWidthSave").toDouble(), 320.0);
    QCOMPARE(settings.value("workHeightSave").toDouble(), 280.0);
    settings.endGroup();

    LowerOperatePanel again;
    again.restoreSavedValues();
    QCOMPARE(child<QDoubleSpinBox>(&again, "printPower")->value(), 44.0);
    QCOMPARE(child<QDoubleSpinBox>(&again, "workHeight")->value(), 280.0);
}

void TestOperatePanel::wheelChangesNothing()
{
    LowerOperatePanel panel;
    panel.restoreSavedValues();
    panel.applyDeviceMessage("set:0 value:COM3 COM4 ");
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    auto *spin = child<QDoubleSpinBox>(&panel, "printPower");
    auto *ports = child<QComboBox>(&panel, "port");
    QSignalSpy device(&panel, &LowerOperatePanel::lowerMessage);
    for (QWidget *w : {static_cast<QWidget *>(spin), static_cast<QWidget *>(ports)}) {
        QWheelEvent wheel(QPointF(5, 5), w->mapToGlobal(QPoint(5, 5)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w, &wheel);
    }
    QCOMPARE(spin->value(), 100.0);
    QCOMPARE(ports->currentIndex(), 0);
    QVERIFY(device.isEmpty());
}

void TestOperatePanel::statusTextScrolls()
{
    ScrollText text;
    text.resize(200, 30);
    text.show();
    text.setText("first");
    QVERIFY(text.newLabel()->isVisible());
    QVERIFY(!text.oldLabel()->isVisible());
    QCOMPARE(text.newLabel()->geometry(), QRect(0, 0, 200, 30));
    text.setText("second");
    QCOMPARE(text.oldLabel()->text(), QStringLiteral("first"));
    QCOMPARE(text.newLabel()->text(), QStringLiteral("second"));
    QVERIFY(text.oldLabel()->isVisible());
    QCOMPARE(text.newAnimation()->state(), QAbstractAnimation::Running);
    QCOMPARE(text.oldAnimation()->endValue().toRect(), QRect(0, -30, 200, 30));
    QCOMPARE(text.newAnimation()->startValue().toRect(), QRect(0, 60, 200, 30));
    // The two animations end on their own timer ticks: wait for each.
    QTRY_COMPARE(text.newLabel()->geometry(), QRect(0, 0, 200, 30));
    QTRY_COMPARE(text.oldLabel()->geometry(), QRect(0, -30, 200, 30));
}

QTEST_MAIN(TestOperatePanel)
#include "tst_operatepanel.moc"
