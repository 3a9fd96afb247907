// The whole road of a job without the main window: a design in an SVGView,
// the two panels and the relay in this thread, the controller in a device
// thread, and the engraver emulator on a real pseudo-terminal.
#include "canvas/svgview.h"
#include "device/lowergrbl.h"
#include "document/svgdocument.h"
#include "panels/itemproperty.h"
#include "panels/jobtimedisplay.h"
#include "panels/loweroperatepanel.h"
#include "panels/panelrelay.h"
#include "panels/scrolltext.h"

#include "designfixture.h"
#include "engraveremulator.h"
#include "jobfixtures.h"
#include "panelfixture.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QThread>
#include <QtTest>

#include <memory>

using PanelFixture::child;
using PanelFixture::enter;

namespace {

// Outline rectangles: a short job of a few dozen lines.
const QString outlineDesign = DesignFixture::svg(
        "<g><rect x='100' y='100' width='400' height='300' style='fill:none;stroke:#000'/>"
        "<rect x='600' y='150' width='200' height='200' style='fill:none;stroke:#000'/></g>",
        "width='2000' height='2000'");

// A filled square scanned line by line: a job long enough to pause and stop.
const QString filledDesign = DesignFixture::svg(
        "<g><rect x='100' y='100' width='300' height='300' style='fill:#000000;stroke:#000'/></g>",
        "width='2000' height='2000'");

// The texts of the message boxes the panel has open.
QStringList boxTexts(QWidget *panel)
{
    QStringList texts;
    for (QMessageBox *box : panel->findChildren<QMessageBox *>())
        texts << box->text();
    return texts;
}

QStringList messagesOf(const QSignalSpy &spy)
{
    QStringList all;
    for (const QList<QVariant> &arguments : spy)
        all += arguments.at(0).toStringList();
    return all;
}

// Everything of a program that takes part in a job, wired as the window does.
struct Rig
{
    explicit Rig(const EngraverEmulator::Options &options,
                 const LowerGrbl::FirmwareImageProvider &images = {})
        : emulator(options)
    {
        started = emulator.start();
        grbl = new LowerGrbl;
        grbl->restrictSearchTo({emulator.portName()});
        if (images)
            grbl->setFirmwareImageProvider(images);
        grbl->moveToThread(&thread);
        QObject::connect(&thread, &QThread::finished, grbl, &QObject::deleteLater);
        thread.start();
        relay = std::make_unique<PanelRelay>(&view, &properties, &operate, grbl);
        operate.resize(420, 1200);
        operate.show();
        properties.pushDefaultParameters();
        operate.restoreSavedValues();
    }

    ~Rig()
    {
        relay.reset();
        thread.quit();
        thread.wait(5000);
    }

    // Through the search button, or the port typed into the list and Enter.
    bool connect(const QString &typed = QString())
    {
        if (typed.isEmpty()) {
            child<QPushButton>(&operate, "connect")->click();
        } else {
            QLineEdit *edit = child<QComboBox>(&operate, "port")->lineEdit();
            edit->selectAll();
            QTest::keyClicks(edit, typed);
            QTest::keyClick(edit, Qt::Key_Return);
        }
        QElapsedTimer clock;
        clock.start();
        // Connected, and the settings dump has filled the settings group.
        while (clock.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            if (operate.isConnected() && child<QDoubleSpinBox>(&operate, "maxSpeedX")->value() == 200)
                return true;
        }
        return false;
    }

    void loadDesign(const QString &text)
    {
        view.document()->setSvgText(text);
    }

    QPushButton *start() { return child<QPushButton>(&operate, "start"); }
    // Whole per cents of the bar (it holds tenths).
    int transfer() { return child<QProgressBar>(&operate, "transfer")->value() / 10; }

    // The text of the job the design gives now, with the panel's power and speed.
    QList<GCodeBuffer> expectedJob()
    {
        view.clearGcode();
        view.generateGcode(view.document()->toSvgText());
        QList<GCodeBuffer> job(view.gcode().begin(), view.gcode().end());
        view.clearGcode();
        return job;
    }

    EngraverEmulator emulator;
    bool started = false;
    QThread thread;
    LowerGrbl *grbl = nullptr;
    SVGView view;
    ItemProperty properties;
    LowerOperatePanel operate;
    std::unique_ptr<PanelRelay> relay;
};

bool containsRun(const QStringList &lines, const QStringList &run)
{
    if (run.isEmpty())
        return false;
    for (int i = lines.indexOf(run.first()); i >= 0; i = lines.indexOf(run.first(), i + 1)) {
        if (lines.mid(i, run.size()) == run)
            return true;
    }
    return false;
}

} // namespace

class TestPanelsJob : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void wholeJob_data();
    void wholeJob();
    void pauseContinueStop();
    void disconnectMidJob();
    void settingsReadAndWritten();
    void firmwareUpgrade();
    void firmwareMissing();
};

void TestPanelsJob::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    registerGCodeBufferMetaTypes();
}

void TestPanelsJob::wholeJob_data()
{
    QTest::addColumn<QString>("hardware");
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<bool>("parts");
    QTest::addColumn<bool>("tcp");
    QTest::addColumn<QString>("typed");     // typed before the emulator's port name
    QTest::newRow("line mode") << "2.0.0" << "0.1.6" << false << false << "";
    QTest::newRow("part mode") << "3.0.0" << "0.3.0" << true << false << "";
    // Neither a pty nor a network port is listed by the system: typed.
    QTest::newRow("line mode, typed pty path") << "2.0.0" << "0.1.6" << false << false << "-";
    QTest::newRow("part mode, typed tcp://host:port") << "3.0.0" << "0.3.0" << true << true << "tcp://";
}

void TestPanelsJob::wholeJob()
{
    QFETCH(QString, hardware);
    QFETCH(QString, firmware);
    QFETCH(bool, parts);
    QFETCH(bool, tcp);
    QFETCH(QString, typed);
    EngraverEmulator::Options options;
    options.hardwareVersion = hardware;
    options.firmwareVersion = firmware;
    options.tcp = tcp;
    Rig rig(options);
    QVERIFY(rig.started);
    rig.loadDesign(outlineDesign);
    if (!typed.isEmpty()) {
        // The typed port alone reaches the engraver: nothing else is searched.
        QMetaObject::invokeMethod(rig.grbl, [&rig] { rig.grbl->restrictSearchTo({"/dev/plimb-no-such-port"}); },
                                  Qt::BlockingQueuedConnection);
        typed = typed == QLatin1String("-") ? rig.emulator.portName() : typed + rig.emulator.portName();
    }
    QVERIFY(rig.connect(typed));
    QCOMPARE(child<ScrollText>(&rig.operate, "status")->text(), "已连接到" + rig.emulator.portName());
    // The hardware version reached the property panel through the operate panel.
    QTRY_COMPARE(rig.properties.storedDefaults().lowerHardWareVersion, hardware);

    child<QDoubleSpinBox>(&rig.operate, "printPower")->setValue(40);
    rig.start()->click();
    QVERIFY(!rig.start()->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(rig.start()->isEnabled(), 30000);
    QCOMPARE(rig.transfer(), 100);
    QVERIFY(!rig.operate.isPrinting());

    const QList<GCodeBuffer> job = rig.expectedJob();
    QVERIFY(job.size() > 10);
    // 40 % of the full-scale 1000 reaches the S words.
    QVERIFY(JobFixtures::textOf(job).contains("S400"));
    if (parts) {
        QCOMPARE(rig.emulator.jobText(), JobFixtures::textOf(job));
        QVERIFY(rig.emulator.partCount() >= 1);
    } else {
        QVERIFY(containsRun(rig.emulator.receivedLines(), JobFixtures::linesOf(job)));
    }
}

void TestPanelsJob::pauseContinueStop()
{
    EngraverEmulator::Options options;
    options.hardwareVersion = QStringLiteral("2.0.0");
    options.firmwareVersion = QStringLiteral("0.1.6");
    options.throttle = true;
    Rig rig(options);
    QVERIFY(rig.started);
    rig.loadDesign(filledDesign);
    QVERIFY(rig.connect());
    QVERIFY(rig.expectedJob().size() > 1000);
    rig.start()->click();
    QTRY_VERIFY_WITH_TIMEOUT(rig.transfer() >= 5, 20000);

    auto *pause = child<QPushButton>(&rig.operate, "pause");
    pause->click();
    QCOMPARE(pause->text(), QStringLiteral("继续"));
    QTRY_VERIFY(rig.emulator.receivedRealtime().contains('!'));
    QTRY_COMPARE(rig.emulator.state().value("state").toString(), QStringLiteral("Hold:0"));

    pause->click();
    QCOMPARE(pause->text(), QStringLiteral("暂停"));
    QTRY_VERIFY(rig.emulator.receivedRealtime().contains('~'));
    QTRY_VERIFY(rig.emulator.state().value("state").toString() != QLatin1String("Hold:0"));
    const int resumedAt = rig.transfer();
    QTRY_VERIFY_WITH_TIMEOUT(rig.transfer() > resumedAt, 20000);

    pause->click();
    const int resets = rig.emulator.receivedRealtime().count('\x18');
    child<QPushButton>(&rig.operate, "stop")->click();
    QVERIFY(rig.start()->isEnabled());
    QVERIFY(!pause->isChecked());
    QCOMPARE(pause->text(), QStringLiteral("暂停"));
    QTRY_COMPARE(rig.emulator.receivedRealtime().count('\x18'), resets + 1);
    QVERIFY(rig.transfer() < 100);
}

void TestPanelsJob::disconnectMidJob()
{
    EngraverEmulator::Options options;
    options.hardwareVersion = QStringLiteral("2.0.0");
    options.firmwareVersion = QStringLiteral("0.1.6");
    options.vanishAfterLines = 300;
    Rig rig(options);
    QVERIFY(rig.started);
    rig.loadDesign(filledDesign);
    QVERIFY(rig.connect());
    child<QPushButton>(&rig.operate, "laser")->click();
    QSignalSpy sent(&rig.operate, &LowerOperatePanel::lowerMessage);
    rig.start()->click();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.operate.isConnected(), 10000);
    QTest::qWait(500);
    QCOMPARE(child<ScrollText>(&rig.operate, "status")->text(), "已断开链接：" + rig.emulator.portName());
    QCOMPARE(messagesOf(sent).count("set:13 value:0"), 1);
    QVERIFY(rig.start()->isEnabled());
    QVERIFY(!child<QPushButton>(&rig.operate, "laser")->isChecked());
    QCOMPARE(rig.transfer(), 0);
    QVERIFY(rig.operate.findChildren<QMessageBox *>().isEmpty());
}

void TestPanelsJob::settingsReadAndWritten()
{
    EngraverEmulator::Options options;
    Rig rig(options);
    QVERIFY(rig.started);
    QVERIFY(rig.connect());
    // $110 / $100 and $111 / $101 of the emulator set the print speed range.
    QCOMPARE(child<QDoubleSpinBox>(&rig.operate, "printSpeed")->maximum(), rig.operate.maxPrintSpeed());
    const double width = child<QDoubleSpinBox>(&rig.operate, "workWidth")->value();
    QVERIFY(width > 10);

    child<QPushButton>(&rig.operate, "advanced")->click();
    enter(child<QDoubleSpinBox>(&rig.operate, "accX"), 2345);
    enter(child<QDoubleSpinBox>(&rig.operate, "workWidth"), 321);
    QTRY_VERIFY(rig.emulator.receivedLines().filter(QRegularExpression("^\\$120=2345")).size() == 1);
    // The job time estimate plans with what the engraver now holds.
    QCOMPARE(rig.operate.jobTime()->machine().accelerationX, 2345.0);
    QTRY_VERIFY(rig.emulator.receivedLines().filter(QRegularExpression("^\\$130=321")).size() == 1);
    // The canvas follows the work area: 321 mm at 12.5 units per millimetre.
    QCOMPARE(rig.view.workArea().width(), 321 * 12.5);
}

void TestPanelsJob::firmwareUpgrade()
{
    EngraverEmulator::Options options;
    options.hardwareVersion = QStringLiteral("3.0.0");
    options.firmwareVersion = QStringLiteral("0.2.1");
    const QByteArray image = JobFixtures::generatedImage(200 * 1024);
    Rig rig(options, [image](const QString &, QByteArray *bytes) {
        *bytes = image;
        return true;
    });
    QVERIFY(rig.started);
    QVERIFY(rig.connect());
    child<QPushButton>(&rig.operate, "advanced")->click();
    child<QPushButton>(&rig.operate, "upgrade")->click();
    const auto boxes = [&rig] { return boxTexts(&rig.operate); };
    QTRY_VERIFY_WITH_TIMEOUT(boxes().contains("已完成升级，请重新连接"), 30000);
    QVERIFY(boxes().contains("正在升级，请等待..."));
    QCOMPARE(child<QProgressBar>(&rig.operate, "upgradeBar")->value(), 100);
    QCOMPARE(rig.emulator.firmwareReceived(), image);
}

void TestPanelsJob::firmwareMissing()
{
    EngraverEmulator::Options options;
    options.hardwareVersion = QStringLiteral("3.0.0");
    options.firmwareVersion = QStringLiteral("0.2.1");
    Rig rig(options);
    QVERIFY(rig.started);
    QVERIFY(rig.connect());
    child<QPushButton>(&rig.operate, "advanced")->click();
    child<QPushButton>(&rig.operate, "upgrade")->click();
    const auto boxes = [&rig] { return boxTexts(&rig.operate); };
    QTRY_VERIFY(boxes().contains("此版本未内置该设备的固件，无法升级"));
    QVERIFY(!boxes().contains("正在升级，请等待..."));
    QCOMPARE(child<QProgressBar>(&rig.operate, "upgradeBar")->value(), 0);
}

QTEST_MAIN(TestPanelsJob)
#include "tst_panelsjob.moc"
