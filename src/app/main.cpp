#include "common/language.h"
#include "app/mainwindow.h"
#include "app/filecommands.h"
#include "common/installlayout.h"
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

#include <cstdio>
#include <cstring>

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

// --help and --version are answered before any window or display is needed
// (the manual page is made from this text at build time). Returns -1 to go on.
int answerInformationOptions(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs("Usage: plimb [FILE]...\n"
                       "Lays out laser engraving jobs on a canvas and runs them on a GRBL-based\n"
                       "diode laser engraver over USB serial.\n"
                       "\n"
                       "Each FILE is opened as the Open command opens it: an SVG or SVGZ design\n"
                       "replaces the design, DXF and PLT drawings and bitmaps are added to it.\n"
                       "\n"
                       "Options:\n"
                       "  -h, --help     show this help\n"
                       "  -V, --version  show the version\n"
                       "\n"
                       "The standard Qt options (such as -platform NAME) are accepted too.\n",
                       stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--version") || !std::strcmp(argv[i], "-V")) {
            std::printf("plimb %s\n", qPrintable(InstallLayout::version()));
            return 0;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Text outlines are built from font point sizes; pinning the resolution
    // keeps a design's text, and the G-code made from it, the same on every
    // screen and in the command-line tool.
    const int answered = answerInformationOptions(argc, argv);
    if (answered >= 0)
        return answered;
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
    // Files named on the command line (the desktop's "open with") once the
    // window runs, so that any message box has a running window behind it.
    const QStringList files = app.arguments().mid(1);
    QTimer::singleShot(0, window, [window, files] {
        for (const QString &file : files)
            window->fileCommands()->openPath(file);
    });

    QPointer<MainWindow> guard(window);
    const int status = app.exec();
    // A loop ended by quit() rather than by closing leaves the window alive.
    delete guard.data();
    return status;
}
