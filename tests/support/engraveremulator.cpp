#include "engraveremulator.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

namespace {

constexpr int queryTimeoutMs = 5000;

// Reads one whole line from the process, waiting at most until the deadline.
QByteArray readLine(QProcess *process, const QDeadlineTimer &deadline)
{
    while (!process->canReadLine()) {
        if (process->state() != QProcess::Running || deadline.hasExpired())
            return QByteArray();
        process->waitForReadyRead(int(qMax<qint64>(1, qMin<qint64>(deadline.remainingTime(), 200))));
    }
    QByteArray line = process->readLine();
    if (line.endsWith('\n'))
        line.chop(1);
    return line;
}

} // namespace

EngraverEmulator::EngraverEmulator(const Options &options, QObject *parent)
    : QObject(parent)
    , mOptions(options)
    , mProcess(new QProcess(this))
{
    // Diagnostics go to the test's own output; standard output is the channel.
    mProcess->setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

EngraverEmulator::~EngraverEmulator()
{
    stop();
}

QString EngraverEmulator::programPath()
{
    return QStringLiteral(PLIMB_ENGRAVER_SIM);
}

QStringList EngraverEmulator::arguments() const
{
    QStringList arguments{QStringLiteral("--hardware"), mOptions.hardwareVersion,
                          QStringLiteral("--firmware"), mOptions.firmwareVersion,
                          QStringLiteral("--rx-buffer"), QString::number(mOptions.rxBufferSize)};
    if (mOptions.throttle)
        arguments << QStringLiteral("--throttle");
    if (mOptions.hardVerFirst)
        arguments << QStringLiteral("--hardver-first");
    if (mOptions.alarmAtStart)
        arguments << QStringLiteral("--alarm");
    if (mOptions.vanishAfterLines >= 0)
        arguments << QStringLiteral("--vanish-after") << QString::number(mOptions.vanishAfterLines);
    if (mOptions.muteAfterLines >= 0)
        arguments << QStringLiteral("--mute-after") << QString::number(mOptions.muteAfterLines);
    if (mOptions.splitSeed != 0)
        arguments << QStringLiteral("--split-seed") << QString::number(mOptions.splitSeed);
    if (mOptions.garbageEvery > 0)
        arguments << QStringLiteral("--garbage-every") << QString::number(mOptions.garbageEvery);
    if (mOptions.tcp)
        arguments << QStringLiteral("--tcp") << QStringLiteral("0");
    return arguments + mOptions.extraArguments;
}

bool EngraverEmulator::start(int timeoutMs)
{
    stop();
    mPortName.clear();
    mProcess->start(programPath(), arguments());
    if (!mProcess->waitForStarted(timeoutMs)) {
        qDebug() << "engraver emulator did not start:" << mProcess->errorString();
        return false;
    }
    const QByteArray line = readLine(mProcess, QDeadlineTimer(timeoutMs));
    if (line.startsWith("TCP ")) {
        mPortName = QString::fromLatin1(line.mid(4));
        return true;
    }
    if (!line.startsWith("PTY ")) {
        qDebug() << "engraver emulator gave no pty:" << line;
        stop();
        return false;
    }
    mPortName = QString::fromLocal8Bit(line.mid(4));
    return true;
}

QString EngraverEmulator::portName() const
{
    return mPortName;
}

bool EngraverEmulator::isRunning() const
{
    return mProcess->state() == QProcess::Running;
}

void EngraverEmulator::stop()
{
    if (mProcess->state() == QProcess::NotRunning)
        return;
    mProcess->write("quit\n");
    mProcess->closeWriteChannel();
    if (!mProcess->waitForFinished(2000)) {
        mProcess->kill();
        mProcess->waitForFinished(2000);
    }
}

QJsonObject EngraverEmulator::query(const QByteArray &command)
{
    if (!isRunning())
        return QJsonObject();
    // Anything left over belongs to an earlier query that timed out.
    mProcess->readAll();
    mProcess->write(command + '\n');
    const QByteArray line = readLine(mProcess, QDeadlineTimer(queryTimeoutMs));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError) {
        qDebug() << "engraver emulator answered" << line.left(200) << "to" << command;
        return QJsonObject();
    }
    return document.object();
}

QJsonObject EngraverEmulator::state()
{
    return query("state");
}

QStringList EngraverEmulator::receivedLines()
{
    QStringList lines;
    const QJsonArray array = state().value(QStringLiteral("lines")).toArray();
    for (const QJsonValue &value : array)
        lines.append(value.toString());
    return lines;
}

QByteArray EngraverEmulator::receivedRealtime()
{
    return QByteArray::fromHex(state().value(QStringLiteral("realtime")).toString().toLatin1());
}

QByteArray EngraverEmulator::jobText()
{
    return QByteArray::fromBase64(state().value(QStringLiteral("job")).toString().toLatin1());
}

int EngraverEmulator::partCount()
{
    return state().value(QStringLiteral("parts")).toInt(-1);
}

int EngraverEmulator::overflowCount()
{
    return state().value(QStringLiteral("overflows")).toInt(-1);
}

int EngraverEmulator::maxOutstanding()
{
    return state().value(QStringLiteral("maxOutstanding")).toInt(-1);
}

int EngraverEmulator::partErrorCount()
{
    return state().value(QStringLiteral("partErrors")).toInt(-1);
}

QByteArray EngraverEmulator::firmwareReceived()
{
    return QByteArray::fromBase64(state().value(QStringLiteral("firmware")).toString().toLatin1());
}

QPointF EngraverEmulator::position()
{
    const QJsonObject object = state();
    return QPointF(object.value(QStringLiteral("x")).toDouble(), object.value(QStringLiteral("y")).toDouble());
}

bool EngraverEmulator::sendLine(const QString &text)
{
    return query("send " + text.toUtf8()).value(QStringLiteral("ok")).toBool();
}
