#include "app/updatecheck.h"
#include "common/settingsnames.h"
#include "common/updaterthread.h"

#include "loopbackftpserver.h"

#include <QAction>
#include <QDesktopServices>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QDialogButtonBox>
#include <QtTest>

namespace {

const QByteArray newerFile = QByteArrayLiteral(
        "<Updater version=\"0.3.7\" content=\"&lt;b&gt;新版&lt;/b&gt; 0.3.7\"/>");
const QString newerText = QStringLiteral("<b>新版</b> 0.3.7");
const QByteArray sameFile = QByteArrayLiteral("<Updater version=\"0.3.6\" content=\"same\"/>");

QList<QDialog *> dialogsOf(QWidget *window)
{
    return window->findChildren<QDialog *>();
}

QStringList labelTexts(QDialog *dialog)
{
    QStringList texts;
    for (QLabel *label : dialog->findChildren<QLabel *>())
        texts << label->text();
    return texts;
}

QPushButton *updateButton(QDialog *dialog)
{
    for (QPushButton *button : dialog->findChildren<QPushButton *>())
        if (button->text() == QStringLiteral("更新"))
            return button;
    return nullptr;
}

} // namespace

// Stands in for the browser: records what the "更新" button opens.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TestUpdateCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void menuDialogReportsTheCheck_data();
    void menuDialogReportsTheCheck();
    void startupCheckShowsOnlyANewerVersion_data();
    void startupCheckShowsOnlyANewerVersion();
    void updateButtonOpensTheDownloadPage_data();
    void updateButtonOpensTheDownloadPage();
    void closingTheWindowDuringACheckEndsAtOnce();

private:
    void serveFrom(const QString &what, QTcpServer *silent);
    void configure(UpdateCheck *check, int timeout = 5000);

    std::unique_ptr<QTemporaryDir> mServed;
    std::unique_ptr<LoopbackFtpServer> mServer;
    std::unique_ptr<QTemporaryDir> mFiles;
    UrlRecorder mBrowser;
};

void TestUpdateCheck::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &mBrowser, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &mBrowser, "open");
    mServed = std::make_unique<QTemporaryDir>();
    mServer = std::make_unique<LoopbackFtpServer>(mServed->path());
}

void TestUpdateCheck::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void TestUpdateCheck::init()
{
    mFiles = std::make_unique<QTemporaryDir>();
    mBrowser.opened.clear();
    QFile::remove(mServed->filePath("Updater.xml"));
    qunsetenv("PLIMB_UPDATE_SERVER");
    QSettings settings(SettingsNames::organization, SettingsNames::application);
    settings.clear();
}

// "newer"/"same"/"malformed": that file on the FTP server; "silent": a server that never
// answers; "default": nothing configured.
void TestUpdateCheck::serveFrom(const QString &what, QTcpServer *silent)
{
    if (what == QLatin1String("default"))
        return;
    if (what == QLatin1String("silent")) {
        QVERIFY(silent->listen(QHostAddress::LocalHost));
        qputenv("PLIMB_UPDATE_SERVER", QByteArray("127.0.0.1:") + QByteArray::number(silent->serverPort()));
        return;
    }
    QFile file(mServed->filePath("Updater.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    if (what == QLatin1String("malformed"))
        file.write("<Updater version=\"0.4.0\"");
    else
        file.write(what == QLatin1String("newer") ? newerFile : sameFile);
    qputenv("PLIMB_UPDATE_SERVER", mServer->address().toUtf8());
}

void TestUpdateCheck::configure(UpdateCheck *check, int timeout)
{
    check->updaterThread()->setVersionFilePath(mFiles->filePath("UpdaterNew.xml"));
    check->updaterThread()->setTimeout(timeout);
}

void TestUpdateCheck::menuDialogReportsTheCheck_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("button");

    QTest::newRow("newer") << "newer" << newerText << true;
    QTest::newRow("same") << "same" << "已经是最新版本" << false;
    QTest::newRow("malformed answer") << "malformed" << "无法检查更新" << false;
    QTest::newRow("silent server") << "silent" << "未链接网络" << false;
    QTest::newRow("nothing configured") << "default" << "未链接网络" << false;
}

void TestUpdateCheck::menuDialogReportsTheCheck()
{
    QFETCH(QString, server);
    if (server == QLatin1String("newer") || server == QLatin1String("same")
        || server == QLatin1String("malformed"))
        PLIMB_START_FTP_SERVER(*mServer);
    QFETCH(QString, text);
    QFETCH(bool, button);

    QTcpServer silent;
    serveFrom(server, &silent);
    QWidget window;
    window.show();
    QAction entry(QStringLiteral("检查更新"), &window);
    UpdateCheck check(&window);
    configure(&check, 500);

    check.checkFromMenu(&entry);
    QCOMPARE(dialogsOf(&window).size(), 1);
    QPointer<QDialog> dialog = dialogsOf(&window).first();
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(labelTexts(dialog), QStringList{"更新检测中"});
    QVERIFY(!entry.isEnabled());
    // A second request while one runs opens nothing more.
    check.checkFromMenu(&entry);
    QCOMPARE(dialogsOf(&window).size(), 1);

    QTRY_VERIFY(entry.isEnabled());
    QVERIFY(dialog);
    QCOMPARE(labelTexts(dialog), QStringList{text});
    QCOMPARE(updateButton(dialog) != nullptr, button);
    if (button) {
        // Server text is shown as it is, never as markup.
        QCOMPARE(dialog->findChild<QLabel *>()->textFormat(), Qt::PlainText);
        QVERIFY(dialog->minimumWidth() >= 500);
    } else {
        // A report-only box is closed by its own button.
        auto *buttons = dialog->findChild<QDialogButtonBox *>();
        QVERIFY(buttons);
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QTRY_VERIFY(!dialog || !dialog->isVisible());
        return;
    }
    QCOMPARE(dialogsOf(&window).size(), 1);
}

void TestUpdateCheck::startupCheckShowsOnlyANewerVersion_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("shown");

    QTest::newRow("newer") << "newer" << true;
    QTest::newRow("same") << "same" << false;
    QTest::newRow("silent server") << "silent" << false;
    QTest::newRow("nothing configured") << "default" << false;
}

void TestUpdateCheck::startupCheckShowsOnlyANewerVersion()
{
    QFETCH(QString, server);
    if (server == QLatin1String("newer") || server == QLatin1String("same"))
        PLIMB_START_FTP_SERVER(*mServer);
    QFETCH(bool, shown);

    QTcpServer silent;
    serveFrom(server, &silent);
    QWidget window;
    UpdateCheck check(&window);
    configure(&check, 500);
    check.checkAtStartup();

    QTRY_VERIFY(check.updaterThread()->isFinished());
    QCoreApplication::processEvents();
    const QList<QDialog *> dialogs = dialogsOf(&window);
    QCOMPARE(dialogs.size(), shown ? 1 : 0);
    if (shown) {
        QVERIFY(dialogs.first()->isVisible());
        QCOMPARE(labelTexts(dialogs.first()), QStringList{newerText});
        QVERIFY(updateButton(dialogs.first()));
    }
}

void TestUpdateCheck::updateButtonOpensTheDownloadPage_data()
{
    QTest::addColumn<QString>("language"); // null: never chosen
    QTest::addColumn<QString>("host");

    // The key is absent until a language is picked; the button must still work.
    QTest::newRow("no language chosen") << QString() << "www.plimb.invalid";
    QTest::newRow("English") << "English" << "www.plimb.invalid";
    QTest::newRow("Japanese") << "Japanese" << "www.plimb.invalid";
    QTest::newRow("Chinese") << "Chinese" << "cn.plimb.invalid";
}

void TestUpdateCheck::updateButtonOpensTheDownloadPage()
{
    QFETCH(QString, language);
    QFETCH(QString, host);

    if (!language.isNull()) {
        QSettings settings(SettingsNames::organization, SettingsNames::application);
        settings.setValue(SettingsNames::languagesGroup + "/" + SettingsNames::languageKey, language);
    }
    PLIMB_START_FTP_SERVER(*mServer);
    serveFrom(QStringLiteral("newer"), nullptr);
    QWidget window;
    QAction entry(&window);
    UpdateCheck check(&window);
    configure(&check);
    check.checkFromMenu(&entry);
    QTRY_VERIFY(entry.isEnabled());
    QPushButton *button = updateButton(dialogsOf(&window).first());
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);

    QCOMPARE(mBrowser.opened.size(), 1);
    const QUrl page = mBrowser.opened.first();
    QCOMPARE(page.host(), host);
    QCOMPARE(page.path(), QStringLiteral("/Download/downloadWin-en.html"));
    QCOMPARE(page.query(), QStringLiteral("page=page_download"));
}

void TestUpdateCheck::closingTheWindowDuringACheckEndsAtOnce()
{
    QTcpServer silent;
    serveFrom(QStringLiteral("silent"), &silent);
    auto *window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    QAction *entry = new QAction(window);
    auto *check = new UpdateCheck(window);
    configure(check, 600000);
    check->checkAtStartup();
    check->checkFromMenu(entry);
    QPointer<UpdaterThread> thread = check->updaterThread();
    QTRY_VERIFY(silent.hasPendingConnections());
    QVERIFY(thread->isRunning());

    QElapsedTimer clock;
    clock.start();
    QVERIFY(window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!thread);
    QVERIFY(clock.elapsed() < 5000);
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
