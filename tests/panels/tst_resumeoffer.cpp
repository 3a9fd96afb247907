// The operate panel's offer to resume an interrupted job: never enabled
// before the engraver is connected again and the user confirmed the head's
// position, never sent by itself, and gone with a new job or a refusal.
#include "panelfixture.h"
#include "panels/loweroperatepanel.h"
#include "panels/resumeoffer.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

using PanelFixture::child;

class TestResumeOffer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void offerNeedsLinkAndConfirmation_data();
    void offerNeedsLinkAndConfirmation();
};

void TestResumeOffer::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestResumeOffer::offerNeedsLinkAndConfirmation_data()
{
    // Steps: "connect", "disconnect", "row N" / "outline N" (the controller's
    // offer), "confirm", "resume", "dismiss", "start".
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("sent");     // the resume commands that left, in order

    QTest::newRow("link lost: waits for the link")
            << QStringList{"connect", "disconnect", "row 12", "confirm", "resume"}
            << true << false << "从第 12 行恢复" << QStringList{};
    QTest::newRow("link back: waits for the confirmation")
            << QStringList{"connect", "disconnect", "row 12", "connect", "resume"}
            << true << false << "从第 12 行恢复" << QStringList{};
    QTest::newRow("link back and confirmed")
            << QStringList{"connect", "disconnect", "row 12", "connect", "confirm"}
            << true << true << "从第 12 行恢复" << QStringList{};
    QTest::newRow("confirmed before the link dropped again")
            << QStringList{"connect", "row 3", "confirm", "disconnect", "connect"}
            << true << false << "从第 3 行恢复" << QStringList{};
    QTest::newRow("stopped, confirmed, resumed")
            << QStringList{"connect", "outline 7", "confirm", "resume"}
            << false << false << "从第 7 个轮廓恢复" << QStringList{"set:29 value:1"};
    QTest::newRow("a new offer asks again")
            << QStringList{"connect", "row 3", "confirm", "outline 2"}
            << true << false << "从第 2 个轮廓恢复" << QStringList{};
    QTest::newRow("dismissed")
            << QStringList{"connect", "row 3", "dismiss"}
            << false << false << "从第 3 行恢复" << QStringList{"set:30 value:1"};
    QTest::newRow("start clears it")
            << QStringList{"connect", "row 3", "confirm", "start"}
            << false << false << "从第 3 行恢复" << QStringList{};
}

void TestResumeOffer::offerNeedsLinkAndConfirmation()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, shown);
    QFETCH(bool, enabled);
    QFETCH(QString, text);
    QFETCH(QStringList, sent);

    LowerOperatePanel panel;
    panel.show();
    auto *offer = panel.findChild<ResumeOffer *>();
    QVERIFY(offer);
    auto *resume = child<QPushButton>(&panel, "resumeButton");
    auto *confirm = child<QCheckBox>(&panel, "resumeConfirm");
    QVERIFY(!offer->isVisible());
    QSignalSpy device(&panel, &LowerOperatePanel::lowerMessage);
    QSignalSpy job(&panel, &LowerOperatePanel::gcodeRequested);

    for (const QString &step : steps) {
        const QStringList words = step.split(' ');
        if (step == "connect")
            panel.applyDeviceMessage("set:1 value:/dev/ttyUSB0");
        else if (step == "disconnect")
            panel.applyDeviceMessage("set:2 value:/dev/ttyUSB0");
        else if (words.first() == "row")
            panel.applyDeviceMessage("set:33 value:" + words.last());
        else if (words.first() == "outline")
            panel.applyDeviceMessage("set:34 value:" + words.last());
        else if (step == "confirm")
            QTest::mouseClick(confirm, Qt::LeftButton, {}, QPoint(5, confirm->height() / 2));
        else if (step == "resume")
            QTest::mouseClick(resume, Qt::LeftButton);
        else if (step == "dismiss")
            QTest::mouseClick(child<QPushButton>(&panel, "resumeDismiss"), Qt::LeftButton);
        else if (step == "start")
            QTest::mouseClick(child<QPushButton>(&panel, "start"), Qt::LeftButton);
    }

    QCOMPARE(offer->isVisible(), shown);
    QCOMPARE(resume->isEnabled(), enabled);
    QCOMPARE(resume->text(), text);
    QStringList resumeCommands;
    for (const QList<QVariant> &arguments : device) {
        for (const QString &m : arguments.at(0).toStringList()) {
            if (m.startsWith("set:29 ") || m.startsWith("set:30 "))
                resumeCommands << m;
        }
    }
    QCOMPARE(resumeCommands, sent);
    // Only Start generates a job; a resume is the controller's own job.
    QCOMPARE(job.size(), steps.contains("start") ? 1 : 0);
    QCOMPARE(panel.isPrinting(), steps.contains("start") || !sent.filter("set:29").isEmpty());
}

QTEST_MAIN(TestResumeOffer)
#include "tst_resumeoffer.moc"
