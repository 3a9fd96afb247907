// A serial port refused for lack of permission on its device node: the
// controller says so and the explanation names the node's group and the
// command that adds the user to it. Root opens any node whatever its mode,
// so a test run as root first becomes "nobody" (see main) and every refusal
// below is the kernel's own. Plain files stand in for device nodes: the
// kernel checks their permissions the same way.
#include "clirun.h"
#include "device/lowergrbl.h"
#include "device/serialaccess.h"
#include "jobfixtures.h"
#include "panelspy.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

using namespace PanelSpy;

Q_DECLARE_METATYPE(QFileDevice::Permissions)

namespace {

const QFileDevice::Permissions readWrite = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// A node in `dir` with the given mode; an empty name stands for no node.
QString makeNode(const QTemporaryDir &dir, const QString &name, QFileDevice::Permissions mode)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.close();
    return file.setPermissions(mode) ? path : QString();
}

} // namespace

class TestSerialAccess : public QObject
{
    Q_OBJECT
private slots:
    void deniedNodes_data();
    void deniedNodes();
    void searchReportsDeniedPort_data();
    void searchReportsDeniedPort();
    void cliNamesGroupAndCommand();
};

void TestSerialAccess::deniedNodes_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QFileDevice::Permissions>("mode");
    QTest::addColumn<bool>("denied");

    QTest::newRow("no access") << true << QFileDevice::Permissions() << true;
    // The port is opened for reading and writing: half is not enough.
    QTest::newRow("read only") << true << QFileDevice::Permissions(QFileDevice::ReadOwner) << true;
    QTest::newRow("write only") << true << QFileDevice::Permissions(QFileDevice::WriteOwner) << true;
    QTest::newRow("read and write") << true << readWrite << false;
    // A vanished device is not a permission problem.
    QTest::newRow("missing") << false << readWrite << false;
}

void TestSerialAccess::deniedNodes()
{
    QFETCH(bool, exists);
    QFETCH(QFileDevice::Permissions, mode);
    QFETCH(bool, denied);

    QTemporaryDir dir;
    const QString node = exists ? makeNode(dir, QStringLiteral("ttyTEST0"), mode)
                                : dir.filePath(QStringLiteral("ttyGONE0"));
    QVERIFY(!node.isEmpty());
    QCOMPARE(SerialAccess::isDenied(node), denied);
    // The group is the node's own, never a guessed "dialout".
    QCOMPARE(SerialAccess::nodeGroup(node), exists ? QFileInfo(node).group() : QString());
}

void TestSerialAccess::searchReportsDeniedPort_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QFileDevice::Permissions>("mode");
    QTest::addColumn<bool>("reported");

    QTest::newRow("no access") << true << QFileDevice::Permissions() << true;
    QTest::newRow("read only") << true << QFileDevice::Permissions(QFileDevice::ReadOwner) << true;
    // Fails too (not a terminal, or no such device), but not for permission.
    QTest::newRow("accessible") << true << readWrite << false;
    QTest::newRow("missing") << false << readWrite << false;
}

void TestSerialAccess::searchReportsDeniedPort()
{
    QFETCH(bool, exists);
    QFETCH(QFileDevice::Permissions, mode);
    QFETCH(bool, reported);

    QTemporaryDir dir;
    const QString node = exists ? makeNode(dir, QStringLiteral("ttyTEST0"), mode)
                                : dir.filePath(QStringLiteral("ttyGONE0"));
    QVERIFY(!node.isEmpty());

    LowerGrbl grbl;
    grbl.setSearchPeriod(100);
    grbl.restrictSearchTo({node});
    QSignalSpy spy(&grbl, &LowerGrbl::sendPanelMessage);
    grbl.getPanelMessage(message(PanelCommand::SearchDevice, QStringLiteral("1")));
    // The one port is tried at once; the search ends at the next period.
    QTRY_VERIFY(!grbl.isSearching());

    QCOMPARE(valuesFor(spy, PanelNotice::PortDenied), reported ? QStringList{node} : QStringList());
    // A port that never opened was not lost.
    QCOMPARE(valuesFor(spy, PanelNotice::Disconnected), QStringList());
    QVERIFY(!grbl.isConnected());
}

void TestSerialAccess::cliNamesGroupAndCommand()
{
    QTemporaryDir dir;
    const QString node = makeNode(dir, QStringLiteral("ttyTEST0"), QFileDevice::Permissions());
    QVERIFY(!node.isEmpty());
    const QString job = dir.filePath(QStringLiteral("job.gc"));
    QFile file(job);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(JobFixtures::textOf(JobFixtures::numberedJob(10)));
    file.close();

    const CliRun::Result result = CliRun::run({QStringLiteral("send"), job, QStringLiteral("--port"), node});
    QCOMPARE(result.exitCode, 3);
    const QString group = QFileInfo(node).group();
    QVERIFY2(result.err.contains(QStringLiteral("no permission to open %1").arg(node)), qPrintable(result.err));
    QVERIFY2(result.err.contains(QStringLiteral("sudo usermod -aG %1 $USER").arg(group)), qPrintable(result.err));
    QVERIFY2(result.err.contains(QStringLiteral("log out")), qPrintable(result.err));
}

int main(int argc, char *argv[])
{
    if (::geteuid() == 0) {
        const struct passwd *nobody = ::getpwnam("nobody");
        if (!nobody || ::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0
            || ::setuid(nobody->pw_uid) != 0) {
            std::fprintf(stderr, "tst_serialaccess: cannot give up root privileges\n");
            return 1;
        }
    }
    QCoreApplication app(argc, argv);
    TestSerialAccess test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_serialaccess.moc"
