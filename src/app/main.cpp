#include "common/language.h"
#include "app/mainwindow.h"
#include "common/messagelog.h"
#include "common/userdata.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QStyleFactory>
#include <QTextCodec>
#include <QThread>
#include <QTimer>
#include <QTranslator>

namespace {

void showLogWarning(const QString &text)
{
    // A modal box can only be shown from the GUI thread; other threads queue it.
    auto show = [text] {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("WARNING"), text);
        box.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint
                           | Qt::WindowCloseButtonHint);
        box.exec();
    };
    if (QThread::currentThread() == qApp->thread())
        show();
    else
        QMetaObject::invokeMethod(qApp, show, Qt::QueuedConnection);
}

// For headless runs: PLIMB_SCREENSHOT=FILE saves the drawn window and quits.
void scheduleScreenshot(QWidget *window)
{
    const QString target = qEnvironmentVariable("PLIMB_SCREENSHOT");
    if (target.isEmpty())
        return;
    QTimer::singleShot(1500, window, [window, target] {
        window->grab().save(target, "PNG");
        QApplication::quit();
    });
}

} // namespace

int main(int argc, char *argv[])
{
    // Text outlines are built from font point sizes; pinning the resolution
    // keeps a design's text, and the G-code made from it, the same on every
    // screen and in the command-line tool.
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/image/qx_ico.png")));
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));

    ensureUserDataFolder();
    MessageLog::setLogFilePath(logFilePath());
    MessageLog::truncateLogFile();
    MessageLog::setOpenFailureHook(showLogWarning);
    MessageLog::install();

    QTranslator translator;
    const QString catalogue = Language::chooseTranslation(&translator);
    QCoreApplication::installTranslator(&translator);
    // Qt's own dialogs and buttons in the same language.
    QTranslator qtTranslator;
    if (Language::loadQtTranslation(&qtTranslator, catalogue))
        QCoreApplication::installTranslator(&qtTranslator);

    // Deleted on close, which also ends the device thread before the loop returns.
    auto *window = new MainWindow;
    window->setApplication(&app);
    scheduleScreenshot(window);

    QPointer<MainWindow> guard(window);
    const int status = app.exec();
    // A loop ended by quit() rather than by closing leaves the window alive.
    delete guard.data();
    return status;
}
