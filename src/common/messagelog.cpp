#include "common/messagelog.h"

#include <QDateTime>
#include <QFile>
#include <QMutex>
#include <QTextStream>
#include <QThread>
#include <cstdio>
#include <cstdlib>

namespace MessageLog {
namespace {

struct Config
{
    QString path;
    Destination destination = shippedDestination;
    int threshold = shippedThreshold;
    OpenFailureHook openFailureHook;
};

Config &config()
{
    static Config instance;
    return instance;
}

// Lines of different threads must not interleave within one append.
QMutex &appendMutex()
{
    static QMutex mutex;
    return mutex;
}

QString levelWord(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return QStringLiteral("Debug");
    case QtWarningMsg:
        return QStringLiteral("Warning");
    case QtCriticalMsg:
        return QStringLiteral("Critical");
    case QtInfoMsg:
        return QStringLiteral("Info");
    case QtFatalMsg:
        return QStringLiteral("Fatal");
    }
    return QString();
}

} // namespace

QString formatLine(QtMsgType type, const QMessageLogContext &context, const QString &message,
                   const QString &timeText, quintptr threadId)
{
    return QStringLiteral("[%1] <%2> %3 (%4) | %5:%6 (%7) '%8'")
            .arg(timeText)
            .arg(QString::number(threadId))
            .arg(levelWord(type))
            .arg(QString::fromUtf8(context.category))
            .arg(QString::fromUtf8(context.file))
            .arg(context.line)
            .arg(QString::fromUtf8(context.function))
            .arg(message);
}

bool passesThreshold(QtMsgType type, int threshold)
{
    switch (type) {
    case QtFatalMsg:
        return threshold >= 1;
    case QtCriticalMsg:
        return threshold >= 2;
    case QtWarningMsg:
        return threshold >= 3;
    case QtInfoMsg:
        return threshold >= 4;
    case QtDebugMsg:
        return threshold >= 5;
    }
    return false;
}

void setLogFilePath(const QString &path)
{
    config().path = path;
}

QString logFilePath()
{
    return config().path;
}

void truncateLogFile()
{
    QFile file(config().path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.close();
}

void setDestination(Destination destination)
{
    config().destination = destination;
}

void setThreshold(int threshold)
{
    config().threshold = threshold;
}

void setOpenFailureHook(OpenFailureHook hook)
{
    config().openFailureHook = std::move(hook);
}

void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg)
        std::abort();

    const QString line = formatLine(type, context, message,
                                    QDateTime::currentDateTime().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss.zzz")),
                                    reinterpret_cast<quintptr>(QThread::currentThreadId()));
    const Config &cfg = config();
    if (cfg.destination == Destination::StandardOutput) {
        std::fprintf(stdout, "%s\n", line.toLocal8Bit().constData());
        std::fflush(stdout);
        return;
    }
    if (!passesThreshold(type, cfg.threshold))
        return;

    QMutexLocker locker(&appendMutex());
    QFile file(cfg.path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        const QString text = file.errorString() + cfg.path;
        locker.unlock();
        // The warning box may itself log; do not warn again from inside it.
        static thread_local bool warning = false;
        if (cfg.openFailureHook && !warning) {
            warning = true;
            cfg.openFailureHook(text);
            warning = false;
        }
        return;
    }
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    stream << line << '\n';
}

void install()
{
    qInstallMessageHandler(messageHandler);
}

} // namespace MessageLog
