#include "common/settingsnames.h"
#include "common/updater.h"
#include "common/updaterthread.h"
#include "common/updateserver.h"
#include "common/userdata.h"

#include "loopbackftpserver.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

namespace {

const QByteArray newerFile = QByteArrayLiteral(
        "<Updater version=\"0.3.7\" content=\"修复 &lt;b&gt;导入&lt;/b&gt;\"/>");
const QByteArray keptFile = QByteArrayLiteral("<Updater version=\"0.3.8\" content=\"kept\"/>");

QByteArray tenMegabyteFile()
{
    return QByteArrayLiteral("<Updater version=\"0.3.9\" content=\"") + QByteArray(10 << 20, 'x')
            + QByteArrayLiteral("\"/>");
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), data.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Accepts connections and never says a word, like a server that hangs.
class SilentServer : public QTcpServer
{
public:
    SilentServer() { listen(QHostAddress::LocalHost); }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(serverPort()); }
};

} // namespace

class TestUpdater : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void comparesVersionsToTheLongerLength_data();
    void comparesVersionsToTheLongerLength();
    void readsTheServerAddressInOnePlace_data();
    void readsTheServerAddressInOnePlace();
    void versionFileGoesToTheUserDataFolderWhenTheProgramFolderIsNotWritable();

    void eachVersionFileGivesItsAnswer_data();
    void eachVersionFileGivesItsAnswer();
    void silentOrClosedServerIsNoNetwork_data();
    void silentOrClosedServerIsNoNetwork();
    void defaultServerIsNoNetworkWithoutAsking();

    void workerThreadReportsTheResult_data();
    void workerThreadReportsTheResult();
    void stoppingTheThreadEndsAHangingCheckAtOnce();

private:
    QString versionFile() const { return mFiles->filePath("UpdaterNew.xml"); }
    void serve(const QByteArray &data);

    std::unique_ptr<QTemporaryDir> mServed;
    std::unique_ptr<LoopbackFtpServer> mServer;
    std::unique_ptr<QTemporaryDir> mFiles;
};

void TestUpdater::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    mServed = std::make_unique<QTemporaryDir>();
    QVERIFY(mServed->isValid());
    mServer = std::make_unique<LoopbackFtpServer>(mServed->path());
}

void TestUpdater::init()
{
    mFiles = std::make_unique<QTemporaryDir>();
    QFile::remove(mServed->filePath("Updater.xml"));
    qunsetenv("PLIMB_UPDATE_SERVER");
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.remove(SettingsNames::updateGroup);
}

void TestUpdater::cleanup()
{
    qunsetenv("PLIMB_UPDATE_SERVER");
}

void TestUpdater::serve(const QByteArray &data)
{
    if (!data.isNull())
        writeFile(mServed->filePath("Updater.xml"), data);
}

void TestUpdater::comparesVersionsToTheLongerLength_data()
{
    QTest::addColumn<QString>("remote");
    QTest::addColumn<QString>("own");
    QTest::addColumn<bool>("newer");

    QTest::newRow("third part") << "0.3.7" << "0.3.6" << true;
    QTest::newRow("second part") << "0.4.0" << "0.3.6" << true;
    QTest::newRow("first part, shorter") << "1.0" << "0.3.6" << true;
    QTest::newRow("same") << "0.3.6" << "0.3.6" << false;
    QTest::newRow("older, second part decides") << "0.2.9" << "0.3.6" << false;
    // The remote runs out of parts: they count as 0, not as whatever lies beyond.
    QTest::newRow("shorter remote") << "0.3" << "0.3.6" << false;
    // An extra remote part is a newer release.
    QTest::newRow("extra remote part") << "0.3.6.1" << "0.3.6" << true;
    QTest::newRow("extra zero part") << "0.3.6.0" << "0.3.6" << false;
    QTest::newRow("shorter own") << "0.3.1" << "0.3" << true;
    QTest::newRow("multi-digit part") << "0.3.10" << "0.3.9" << true;
    QTest::newRow("empty remote") << "" << "0.3.6" << false;
    QTest::newRow("non-numeric part counts as 0") << "0.3.x" << "0.3.6" << false;
}

void TestUpdater::comparesVersionsToTheLongerLength()
{
    QFETCH(QString, remote);
    QFETCH(QString, own);
    QFETCH(bool, newer);
    QCOMPARE(Updater::isNewerVersion(remote, own), newer);
}

void TestUpdater::readsTheServerAddressInOnePlace_data()
{
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");

    QTest::newRow("nothing configured") << "" << "" << "update.invalid" << 21;
    QTest::newRow("environment host:port") << "127.0.0.1:2121" << "" << "127.0.0.1" << 2121;
    QTest::newRow("environment host only") << "ftp.example.test" << "" << "ftp.example.test" << 21;
    QTest::newRow("setting") << "" << "10.0.0.5:990" << "10.0.0.5" << 990;
    QTest::newRow("environment over setting") << "127.0.0.1:2121" << "10.0.0.5" << "127.0.0.1" << 2121;
    QTest::newRow("port out of range") << "host.test:70000" << "" << "update.invalid" << 21;
    QTest::newRow("port not a number") << "host.test:ftp" << "" << "update.invalid" << 21;
    QTest::newRow("no host") << ":2121" << "" << "update.invalid" << 21;
    QTest::newRow("a whole URL") << "ftp://host.test" << "" << "update.invalid" << 21;
}

void TestUpdater::readsTheServerAddressInOnePlace()
{
    QFETCH(QString, environment);
    QFETCH(QString, setting);
    QFETCH(QString, host);
    QFETCH(int, port);

    if (!environment.isEmpty())
        qputenv("PLIMB_UPDATE_SERVER", environment.toUtf8());
    if (!setting.isEmpty()) {
        QSettings settings(SettingsNames::organization, SettingsNames::application);
        settings.setValue(SettingsNames::updateGroup + "/" + SettingsNames::updateServerKey, setting);
    }

    const QUrl url = Updater(QStringLiteral("0.3.6")).url();
    QCOMPARE(url.scheme(), QStringLiteral("ftp"));
    QCOMPARE(url.host(), host);
    QCOMPARE(url.port(), port);
    QCOMPARE(url.path(), QStringLiteral("/Updater.xml"));
    QCOMPARE(url.userName(), QStringLiteral("ovrak"));
    QCOMPARE(url.password(), QStringLiteral("mirasolva"));
}

void TestUpdater::versionFileGoesToTheUserDataFolderWhenTheProgramFolderIsNotWritable()
{
    QCOMPARE(Updater::versionFileLocation(mFiles->path()), mFiles->filePath("UpdaterNew.xml"));
    const QString inUserData = userDataFolder() + "/UpdaterNew.xml";
    QCOMPARE(Updater::versionFileLocation(mFiles->filePath("not-there")), inUserData);
    QVERIFY(QFileInfo(userDataFolder()).isDir());
    if (geteuid() != 0) {
        const QString locked = mFiles->filePath("locked");
        QVERIFY(QDir().mkdir(locked));
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QCOMPARE(Updater::versionFileLocation(locked), inUserData);
    }
}

void TestUpdater::eachVersionFileGivesItsAnswer_data()
{
    QTest::addColumn<QByteArray>("served");    // null: no file on the server
    QTest::addColumn<QByteArray>("earlier");   // the file a previous run left; null: none
    QTest::addColumn<Updater::Outcome>("outcome");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QByteArray>("fileAfter"); // null: no version file

    const QByteArray none;
    const auto latest = Updater::Outcome::Latest;
    const auto newer = Updater::Outcome::Newer;
    QTest::newRow("newer") << newerFile << none << newer << "修复 <b>导入</b>" << newerFile;
    QTest::newRow("newer replaces an earlier file") << newerFile << keptFile << newer
                                                    << "修复 <b>导入</b>" << newerFile;
    const QByteArray same("<Updater version=\"0.3.6\" content=\"same\"/>");
    QTest::newRow("same") << same << none << latest << "same" << same;
    const QByteArray older("<Updater version=\"0.2.9\" content=\"older\"/>");
    QTest::newRow("older") << older << none << latest << "older" << older;
    QTest::newRow("no file") << none << none << latest << "" << none;
    // A failed request must not wipe the last good answer.
    QTest::newRow("no file keeps the earlier file") << none << keptFile << newer << "kept" << keptFile;
    // An answer that is no version file is never saved and never "latest".
    const auto couldNot = Updater::Outcome::CouldNotCheck;
    const QByteArray malformed("<Updater version=\"0.3.7\" content=\"broken\">");
    QTest::newRow("malformed XML") << malformed << none << couldNot << "" << none;
    QTest::newRow("malformed keeps the earlier file") << malformed << keptFile << couldNot << ""
                                                      << keptFile;
    QTest::newRow("no version") << QByteArray("<Updater content=\"x\"/>") << keptFile << couldNot
                                << "" << keptFile;
    QTest::newRow("version not a number") << QByteArray("<Updater version=\"latest\"/>") << none
                                          << couldNot << "" << none;
    QTest::newRow("empty") << QByteArray("") << keptFile << couldNot << "" << keptFile;
    QTest::newRow("10 MB refused") << tenMegabyteFile() << none << couldNot << "" << none;
    QTest::newRow("10 MB keeps the earlier file") << tenMegabyteFile() << keptFile << couldNot << ""
                                                  << keptFile;
}

void TestUpdater::eachVersionFileGivesItsAnswer()
{
    PLIMB_START_FTP_SERVER(*mServer);
    QFETCH(QByteArray, served);
    QFETCH(QByteArray, earlier);
    QFETCH(Updater::Outcome, outcome);
    QFETCH(QString, content);
    QFETCH(QByteArray, fileAfter);

    serve(served);
    if (!earlier.isNull())
        writeFile(versionFile(), earlier);
    qputenv("PLIMB_UPDATE_SERVER", mServer->address().toUtf8());

    Updater updater(QStringLiteral("0.3.6"));
    updater.setVersionFilePath(versionFile());
    updater.checkUpdate();

    QVERIFY(updater.isCheckDone());
    QCOMPARE(updater.outcome(), outcome);
    QCOMPARE(updater.updateContent(), content);
    QCOMPARE(QFileInfo::exists(versionFile()), !fileAfter.isNull());
    QCOMPARE(readFile(versionFile()), fileAfter);
    // The request reached the loopback server with the update account.
    QTRY_VERIFY(mServer->log().contains("USER 'ovrak' logged in"));
}

void TestUpdater::silentOrClosedServerIsNoNetwork_data()
{
    QTest::addColumn<bool>("listening");
    QTest::newRow("accepts and never answers") << true;
    QTest::newRow("refuses the connection") << false;
}

void TestUpdater::silentOrClosedServerIsNoNetwork()
{
    QFETCH(bool, listening);
    SilentServer silent;
    QVERIFY(silent.isListening());
    const QString address = silent.address();
    if (!listening)
        silent.close();
    writeFile(versionFile(), keptFile);
    qputenv("PLIMB_UPDATE_SERVER", address.toUtf8());

    Updater updater(QStringLiteral("0.3.6"));
    updater.setVersionFilePath(versionFile());
    updater.setTimeout(300);
    QElapsedTimer clock;
    clock.start();
    updater.checkUpdate();

    QVERIFY(clock.elapsed() < 10000);
    QCOMPARE(updater.outcome(), Updater::Outcome::NoNetwork);
    QCOMPARE(readFile(versionFile()), keptFile);
    if (listening)
        QVERIFY(silent.hasPendingConnections());
}

void TestUpdater::defaultServerIsNoNetworkWithoutAsking()
{
    Updater updater(QStringLiteral("0.3.6"));
    QCOMPARE(updater.url().host(), QStringLiteral("update.invalid"));
    updater.setVersionFilePath(versionFile());
    // A long time-out: the reserved name must end the check without waiting.
    updater.setTimeout(600000);
    updater.checkUpdate();
    QCOMPARE(updater.outcome(), Updater::Outcome::NoNetwork);
    QVERIFY(!QFileInfo::exists(versionFile()));
}

void TestUpdater::workerThreadReportsTheResult_data()
{
    QTest::addColumn<QByteArray>("served");
    QTest::addColumn<Updater::Outcome>("outcome");
    QTest::addColumn<QString>("content");

    QTest::newRow("newer") << newerFile << Updater::Outcome::Newer << "修复 <b>导入</b>";
    QTest::newRow("same") << QByteArray("<Updater version=\"0.3.6\" content=\"same\"/>")
                          << Updater::Outcome::Latest << "same";
}

void TestUpdater::workerThreadReportsTheResult()
{
    PLIMB_START_FTP_SERVER(*mServer);
    QFETCH(QByteArray, served);
    QFETCH(Updater::Outcome, outcome);
    QFETCH(QString, content);

    serve(served);
    qputenv("PLIMB_UPDATE_SERVER", mServer->address().toUtf8());
    UpdaterThread thread(QStringLiteral("0.3.6"));
    thread.setVersionFilePath(versionFile());
    QSignalSpy newer(&thread, &UpdaterThread::checkUpdateFinish);
    QSignalSpy ended(&thread, &UpdaterThread::checkEnded);
    thread.start();

    QTRY_COMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).value<Updater::Outcome>(), outcome);
    QCOMPARE(ended.at(0).at(1).toString(), content);
    QCOMPARE(newer.count(), outcome == Updater::Outcome::Newer ? 1 : 0);
    if (!newer.isEmpty())
        QCOMPARE(newer.at(0).at(0).toString(), content);
    QVERIFY(thread.wait(5000));
}

void TestUpdater::stoppingTheThreadEndsAHangingCheckAtOnce()
{
    SilentServer silent;
    qputenv("PLIMB_UPDATE_SERVER", silent.address().toUtf8());
    UpdaterThread thread(QStringLiteral("0.3.6"));
    thread.setVersionFilePath(versionFile());
    thread.setTimeout(600000);
    QSignalSpy ended(&thread, &UpdaterThread::checkEnded);
    thread.start();
    QTRY_VERIFY(silent.hasPendingConnections());

    QElapsedTimer clock;
    clock.start();
    thread.stop();
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY(thread.isFinished());
    QCoreApplication::processEvents();
    QCOMPARE(ended.count(), 0);
}

QTEST_GUILESS_MAIN(TestUpdater)
#include "tst_updater.moc"
