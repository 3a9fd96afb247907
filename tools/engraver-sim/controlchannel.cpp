#include "controlchannel.h"

#include "engraver.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>

#include <cerrno>
#include <unistd.h>

ControlChannel::ControlChannel(Engraver *engraver, QObject *parent)
    : QObject(parent)
    , mEngraver(engraver)
    , mNotifier(new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this))
{
    connect(mNotifier, &QSocketNotifier::activated, this, &ControlChannel::readInput);
}

void ControlChannel::writeLine(const QByteArray &line)
{
    const QByteArray out = line + '\n';
    qint64 written = 0;
    while (written < out.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, out.constData() + written, size_t(out.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        written += n;
    }
}

void ControlChannel::readInput()
{
    char buffer[4096];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (n <= 0) {
        mNotifier->setEnabled(false);
        emit quitRequested();
        return;
    }
    mInput.append(buffer, int(n));
    int end;
    while ((end = mInput.indexOf('\n')) >= 0) {
        QByteArray command = mInput.left(end);
        mInput.remove(0, end + 1);
        if (command.endsWith('\r'))
            command.chop(1);
        execute(command);
    }
}

void ControlChannel::execute(const QByteArray &command)
{
    QJsonObject reply;
    if (command == "state") {
        reply = mEngraver->state();
    } else if (command.startsWith("send ") || command == "send") {
        mEngraver->printLine(command.mid(5));
        reply.insert(QStringLiteral("ok"), true);
    } else if (command == "quit") {
        writeLine(R"({"ok":true})");
        emit quitRequested();
        return;
    } else if (command.trimmed().isEmpty()) {
        return;
    } else {
        reply.insert(QStringLiteral("error"), QStringLiteral("unknown command"));
    }
    writeLine(QJsonDocument(reply).toJson(QJsonDocument::Compact));
}
