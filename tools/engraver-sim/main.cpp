// plimb-engraver-sim: an engraver on a pseudo-terminal or a loopback TCP port,
// so Plimb and its tests can drive a GRBL-style machine without hardware.
#include "controlchannel.h"
#include "engraver.h"
#include "pseudoterminal.h"
#include "seriallink.h"
#include "tcplistener.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onTerminate(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

int intValue(const QCommandLineParser &parser, const QString &name, int fallback, bool *ok)
{
    if (!parser.isSet(name))
        return fallback;
    bool valid = false;
    const int value = parser.value(name).toInt(&valid);
    if (!valid) {
        QTextStream(stderr) << "plimb-engraver-sim: --" << name << " needs a whole number\n";
        *ok = false;
    }
    return value;
}

// "N:CODE" or, where `parts` is 3, "N:CODE:COUNT"; leaves the options
// alone when the option is not given.
bool lineFault(const QCommandLineParser &parser, const QString &name, int parts, int *line, int *code,
               int *count)
{
    if (!parser.isSet(name))
        return true;
    const QStringList fields = parser.value(name).split(QLatin1Char(':'));
    QList<int> numbers;
    for (const QString &field : fields) {
        bool valid = false;
        const int n = field.toInt(&valid);
        if (valid && n > 0)
            numbers.append(n);
    }
    if (numbers.size() < 2 || numbers.size() > parts || numbers.size() != fields.size()) {
        QTextStream(stderr) << "plimb-engraver-sim: --" << name << " needs "
                            << (parts == 3 ? "N:CODE[:COUNT]" : "N:CODE") << " with whole numbers from 1\n";
        return false;
    }
    *line = numbers.at(0);
    *code = numbers.at(1);
    if (count && numbers.size() == 3)
        *count = numbers.at(2);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("plimb-engraver-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
            "Emulates a GRBL-style laser engraver on a pseudo-terminal. Prints \"PTY <path>\" first\n"
            "(with --tcp \"TCP 127.0.0.1:<port>\"), then answers control commands on standard input:\n"
            "state, send <text>, quit."));
    parser.addHelpOption();
    parser.addOptions({
            {QStringLiteral("hardware"), QStringLiteral("Hardware version in [HARDVER:...]."), QStringLiteral("version"), QStringLiteral("3.0.0")},
            {QStringLiteral("firmware"), QStringLiteral("Firmware version in [VER:...]."), QStringLiteral("version"), QStringLiteral("1.0.0")},
            {QStringLiteral("rx-buffer"), QStringLiteral("Receive buffer size reported and enforced."), QStringLiteral("bytes"), QStringLiteral("1024")},
            {QStringLiteral("throttle"), QStringLiteral("Pace both directions at 115200 baud (11520 bytes/s).")},
            {QStringLiteral("hardver-first"), QStringLiteral("Print [HARDVER:...] before [VER:...].")},
            {QStringLiteral("generic"), QStringLiteral("Play a standard GRBL 1.1 controller: no [HARDVER:...], no $@ commands, no M106/M107, homing off; 128-byte buffer unless --rx-buffer is given.")},
            {QStringLiteral("no-opt"), QStringLiteral("Leave [OPT:...] out of the build information.")},
            {QStringLiteral("alarm"), QStringLiteral("Start in the alarm lock; only $X lifts it.")},
            {QStringLiteral("homing-required"), QStringLiteral("Homing enabled ($22=1): start in the alarm lock until $H (or $X).")},
            {QStringLiteral("error-at"), QStringLiteral("Answer the N-th line (and COUNT-1 more) with error:CODE instead of carrying it out."), QStringLiteral("N:CODE[:COUNT]")},
            {QStringLiteral("alarm-at"), QStringLiteral("Raise ALARM:CODE and lock when the N-th line arrives."), QStringLiteral("N:CODE")},
            {QStringLiteral("noise"), QStringLiteral("Text of the lines --garbage-every inserts, e.g. okay."), QStringLiteral("text")},
            {QStringLiteral("vanish-after"), QStringLiteral("Close the pty and exit when line N arrives."), QStringLiteral("N")},
            {QStringLiteral("mute-after"), QStringLiteral("Answer nothing after line N (a stalled link)."), QStringLiteral("N")},
            {QStringLiteral("tcp"), QStringLiteral("Listen on 127.0.0.1 at this port (0: any free port) instead of a pty; one client at a time, reconnections welcome."), QStringLiteral("port")},
            {QStringLiteral("reset-after"), QStringLiteral("With --tcp: reset the connection when line N arrives; the board forgets what it held."), QStringLiteral("N")},
            {QStringLiteral("half-close-after"), QStringLiteral("With --tcp: close the sending half of the connection when line N arrives."), QStringLiteral("N")},
            {QStringLiteral("split-seed"), QStringLiteral("Write replies in random small chunks (seeded, non-zero)."), QStringLiteral("S")},
            {QStringLiteral("garbage-every"), QStringLiteral("Insert a garbage line after every N reply lines."), QStringLiteral("N")},
            {QStringLiteral("ota-chunk-delay"), QStringLiteral("Wait before each [MSG:OTA OK]."), QStringLiteral("ms")},
            {QStringLiteral("job-run-time"), QStringLiteral("How long a stored job runs (default 200)."), QStringLiteral("ms")},
            {QStringLiteral("raw-timeout"), QStringLiteral("Abandon a stalled part or firmware transfer (default 3000)."), QStringLiteral("ms")},
            {QStringLiteral("no-stdin"), QStringLiteral("Ignore standard input; run until SIGTERM.")},
            {QStringLiteral("save-job"), QStringLiteral("Write each job received in parts to this file."), QStringLiteral("file")},
            {QStringLiteral("executed-log"), QStringLiteral("Append each G-code line the machine carries out to this file."), QStringLiteral("file")},
            {QStringLiteral("verbose"), QStringLiteral("Show the traffic on standard error (status reports left out).")},
            {QStringLiteral("measure-feed"), QStringLiteral("Sample every millisecond whether the receive buffer holds a whole line (state: fedShare).")},
    });
    parser.process(app);

    bool ok = true;
    Engraver::Options options;
    options.hardwareVersion = parser.value(QStringLiteral("hardware")).toLatin1();
    options.generic = parser.isSet(QStringLiteral("generic"));
    options.noOptions = parser.isSet(QStringLiteral("no-opt"));
    options.firmwareVersion = parser.value(QStringLiteral("firmware")).toLatin1();
    if (options.generic && !parser.isSet(QStringLiteral("firmware")))
        options.firmwareVersion = "1.1h.20190825:";
    if (options.generic)
        options.rxBufferSize = 128;
    options.rxBufferSize = intValue(parser, QStringLiteral("rx-buffer"), options.rxBufferSize, &ok);
    options.hardVerFirst = parser.isSet(QStringLiteral("hardver-first"));
    options.verbose = parser.isSet(QStringLiteral("verbose"));
    options.measureFeed = parser.isSet(QStringLiteral("measure-feed"));
    options.saveJobPath = parser.value(QStringLiteral("save-job"));
    options.executedLogPath = parser.value(QStringLiteral("executed-log"));
    options.alarmAtStart = parser.isSet(QStringLiteral("alarm"));
    options.homingRequired = parser.isSet(QStringLiteral("homing-required"));
    options.noiseText = parser.value(QStringLiteral("noise")).toLatin1();
    if (!lineFault(parser, QStringLiteral("error-at"), 3, &options.errorAtLine, &options.errorCode,
                   &options.errorCount)
        || !lineFault(parser, QStringLiteral("alarm-at"), 2, &options.alarmAtLine, &options.alarmCode, nullptr))
        ok = false;
    options.vanishAfterLines = intValue(parser, QStringLiteral("vanish-after"), -1, &ok);
    options.muteAfterLines = intValue(parser, QStringLiteral("mute-after"), -1, &ok);
    options.resetAfterLines = intValue(parser, QStringLiteral("reset-after"), -1, &ok);
    options.halfCloseAfterLines = intValue(parser, QStringLiteral("half-close-after"), -1, &ok);
    const bool tcp = parser.isSet(QStringLiteral("tcp"));
    const int tcpPort = intValue(parser, QStringLiteral("tcp"), 0, &ok);
    if (tcp && (tcpPort < 0 || tcpPort > 65535)) {
        QTextStream(stderr) << "plimb-engraver-sim: --tcp needs a port from 0 to 65535\n";
        ok = false;
    }
    if (!tcp && (options.resetAfterLines > 0 || options.halfCloseAfterLines > 0)) {
        QTextStream(stderr) << "plimb-engraver-sim: --reset-after and --half-close-after need --tcp\n";
        ok = false;
    }
    options.garbageEvery = intValue(parser, QStringLiteral("garbage-every"), 0, &ok);
    options.otaChunkDelayMs = intValue(parser, QStringLiteral("ota-chunk-delay"), 0, &ok);
    options.jobRunMs = intValue(parser, QStringLiteral("job-run-time"), options.jobRunMs, &ok);
    options.rawTimeoutMs = intValue(parser, QStringLiteral("raw-timeout"), options.rawTimeoutMs, &ok);
    SerialLink::Pacing pacing;
    pacing.throttle = parser.isSet(QStringLiteral("throttle"));
    pacing.splitSeed = quint32(parser.value(QStringLiteral("split-seed")).toULong());
    if (!ok)
        return 2;

    PseudoTerminal pty;
    TcpListener listener;
    QString errorText;
    int descriptor = -1;
    if (tcp) {
        if (!listener.listen(QHostAddress::LocalHost, quint16(tcpPort))) {
            QTextStream(stderr) << "plimb-engraver-sim: " << listener.errorString() << '\n';
            return 1;
        }
        ControlChannel::writeLine("TCP 127.0.0.1:" + QByteArray::number(listener.serverPort()));
    } else {
        if (!pty.open(&errorText)) {
            QTextStream(stderr) << "plimb-engraver-sim: " << errorText << '\n';
            return 1;
        }
        ControlChannel::writeLine("PTY " + pty.slavePath().toLocal8Bit());
        descriptor = pty.masterDescriptor();
    }

    SerialLink link(descriptor, pacing);
    Engraver engraver(options, &link);
    // A network client: one at a time, as the boards serve it; the engraver
    // keeps its state between clients, so a host can reconnect and resume.
    auto dropClient = [&link](bool reset) {
        const int client = link.descriptor();
        if (client < 0)
            return;
        if (reset) {
            // A zero linger makes close() send a reset instead of an orderly end.
            const struct linger abortive = {1, 0};
            ::setsockopt(client, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
        }
        link.attach(-1);
        ::close(client);
    };
    QObject::connect(&listener, &TcpListener::accepted, &app, [&link](int client) {
        if (link.descriptor() >= 0) {
            ::close(client);
            return;
        }
        link.attach(client);
    });
    QObject::connect(&link, &SerialLink::inputEnded, &app, [&dropClient, tcp] {
        if (tcp)
            dropClient(false);
    });
    QObject::connect(&engraver, &Engraver::dropConnection, &app, [&dropClient, &link](bool reset) {
        if (reset)
            dropClient(true);
        else if (link.descriptor() >= 0)
            ::shutdown(link.descriptor(), SHUT_WR);
    });
    QObject::connect(&engraver, &Engraver::vanished, &app, [&pty, &dropClient, tcp] {
        if (tcp)
            dropClient(false);
        else
            pty.close();
        QCoreApplication::exit(0);
    });

    ControlChannel *control = nullptr;
    if (!parser.isSet(QStringLiteral("no-stdin"))) {
        control = new ControlChannel(&engraver, &app);
        QObject::connect(control, &ControlChannel::quitRequested, &app, &QCoreApplication::quit);
    }

    // SIGTERM and SIGINT end the event loop so the pty is closed in order.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
        std::signal(SIGTERM, onTerminate);
        std::signal(SIGINT, onTerminate);
    }
    std::signal(SIGPIPE, SIG_IGN);

    return app.exec();
}
