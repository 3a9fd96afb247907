// plimb-cli send: finds the engraver, streams a job to it and waits for the
// end of the program, with a progress bar on the terminal. A job cut off by a
// lost link or stopped by the engraver names the row or outline it can be
// taken up at, and --resume-row / --resume-outline send it from there.
// Homing and unlocking happen only when asked for (--home, --unlock). The
// port is a serial port name or path, or tcp://HOST:PORT for a board on the
// network; the exit codes are the same over both.
#include "commands.h"
#include "jobfile.h"

#include "device/lowergrbl.h"
#include "device/panelmessage.h"
#include "device/serialaccess.h"
#include "gcode/jobmap.h"
#include "gcode/resumejob.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

// The controller's diagnostics would bury the progress bar; --verbose shows them.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    QTextStream(stderr) << text << '\n';
}

enum ExitCode {
    Done = 0, Usage = 2, NotFound = 3, Lost = 4, TimedOut = 5, BadJob = 6,
    Refused = 7,    // nothing was sent: alarm lock, homing failed, a line too long
    Failed = 8,     // the engraver refused lines or raised an alarm during the job
};

const char *const usage = "usage: plimb-cli send JOB.gc [--port NAME|PATH|tcp://HOST:PORT] [--timeout SECONDS]\n"
                          "                      [--verbose]\n"
                          "                      [--home | --unlock] [--continue-on-error]\n"
                          "                      [--resume-row N | --resume-outline K]\n";

// What the user allowed before the job: homing, or unlocking without it.
enum class Preparation { None, Home, Unlock };

// Where a job sent from part of a job file starts: the rows and outlines of
// the file before it, so what the controller counts from the start of the
// job it was given is told in the file's numbers.
struct FileOffset
{
    int rows = 0;
    int outlines = 0;
    // The records the resume puts before the file's, and the file's line
    // that follows them: errors name the line in the file.
    int setupRecords = 0;
    qint64 firstLine = 1;
};

class SendSession : public QObject
{
    Q_OBJECT
public:
    SendSession(const QList<GCodeBuffer> &job, const QString &jobPath, const FileOffset &offset,
                const QString &port, int idleTimeoutS, Preparation preparation, bool continuePastErrors)
        : mJob(job)
        , mJobPath(jobPath)
        , mOffset(offset)
        , mPreparation(preparation)
        , mIdleTimeoutMs(idleTimeoutS * 1000)
        , mTerminal(::isatty(STDERR_FILENO))
    {
        if (!port.isEmpty())
            mGrbl.restrictSearchTo({port});
        mGrbl.setContinuePastErrors(continuePastErrors);
        // The controller's own stall watch (two periods) ends a silent link
        // at about the idle time-out, with the resume point named.
        mGrbl.setStallPeriod(qMax(100, mIdleTimeoutMs / 2 - 100));
        // Queued as in the program: the job starts after the controller has
        // finished accepting the port (homing, settings dump).
        connect(&mGrbl, &LowerGrbl::sendPanelMessage, this, &SendSession::panelMessage,
                Qt::QueuedConnection);
        connect(&mTick, &QTimer::timeout, this, &SendSession::tick);
    }

    void start()
    {
        mClock.start();
        mTick.start(250);
        mGrbl.getPanelMessage({PanelMessage::make(PanelCommand::SearchDevice, 1)});
    }

private:
    void panelMessage(const QStringList &messages)
    {
        for (const QString &message : messages) {
            const QStringList tokens = PanelMessage::splitNumbers(message);
            if (tokens.isEmpty())
                continue;
            const auto id = static_cast<PanelNotice>(tokens.first().toInt());
            const QString value = PanelMessage::textValue(message);
            switch (id) {
            case PanelNotice::PortList:
                if (value == QLatin1String("none"))
                    finish(NotFound, QStringLiteral("no serial port found"));
                break;
            case PanelNotice::Connected:
                connected(value);
                break;
            case PanelNotice::Disconnected: {
                // The controller names the resume point right after this.
                const QString text = QStringLiteral("lost the engraver on %1").arg(value);
                QTimer::singleShot(0, this, [this, text] { finish(Lost, text); });
                break;
            }
            case PanelNotice::ResumeRow:
                mResumeOption = QStringLiteral("--resume-row");
                mResumeNumber = mOffset.rows + value.toInt();
                break;
            case PanelNotice::ResumeOutline:
                mResumeOption = QStringLiteral("--resume-outline");
                mResumeNumber = mOffset.outlines + value.toInt();
                break;
            case PanelNotice::JobProgress:
                progress(value.toDouble());
                break;
            case PanelNotice::JobFinished:
                if (!mLinesFailed.isEmpty()) {
                    const int space = mLinesFailed.indexOf(QLatin1Char(' '));
                    finish(Failed, QStringLiteral("job ended with %1 lines refused by the engraver, the first: %2")
                                           .arg(mLinesFailed.left(space), mLinesFailed.mid(space + 1)));
                    break;
                }
                progress(100);
                finish(Done, QString());
                break;
            case PanelNotice::LinkFailed:
                linkFailed(value);
                break;
            case PanelNotice::PortDenied: {
                const QString node = SerialAccess::deviceNode(value);
                note(SerialAccess::advice(node, SerialAccess::nodeGroup(node)));
                break;
            }
            case PanelNotice::JobLinesFailed:
                mLinesFailed = value;
                break;
            case PanelNotice::JobFailed:
                finish(Failed, QStringLiteral("the engraver stopped the job: %1").arg(value));
                break;
            case PanelNotice::JobRefused:
                finish(Refused, QStringLiteral("the job was not started: %1%2").arg(value, lockAdvice()));
                break;
            case PanelNotice::MachineReady:
                if (mPreparing) {
                    note(value.toInt() == 1 ? QStringLiteral("homed") : QStringLiteral("unlocked"));
                    startJob();
                }
                break;
            case PanelNotice::LockNotLifted:
            case PanelNotice::MachineLocked:
                if (mPreparing)
                    finish(Refused, QStringLiteral("%1 failed: %2")
                                            .arg(mPreparation == Preparation::Home ? QStringLiteral("homing")
                                                                                   : QStringLiteral("unlocking"),
                                                 value));
                break;
            case PanelNotice::FirmwareOutdated:
                note(QStringLiteral("the engraver's firmware is older than the one Plimb ships"));
                break;
            default:
                break;
            }
            mLastActivity = mClock.elapsed();
        }
    }

    // "<why> <name>" from the controller.
    void linkFailed(const QString &value)
    {
        const int space = value.indexOf(QLatin1Char(' '));
        const QString why = value.left(space);
        const QString name = value.mid(space + 1);
        if (why == QLatin1String("silent") && mConnected) {
            const QString text = QStringLiteral("no answer from the engraver for %1 s").arg(mIdleTimeoutMs / 1000);
            // The resume point follows the loss; let it arrive first.
            QTimer::singleShot(0, this, [this, text] { finish(TimedOut, text); });
        } else if (why == QLatin1String("refused")) {
            finish(NotFound, QStringLiteral("%1 refused the connection").arg(name));
        } else if (why == QLatin1String("unknown-host")) {
            finish(NotFound, QStringLiteral("unknown host in %1").arg(name));
        } else if (why == QLatin1String("timeout")) {
            finish(NotFound, QStringLiteral("no connection to %1: timed out").arg(name));
        } else if (why == QLatin1String("missing")) {
            finish(NotFound, QStringLiteral("no such port: %1").arg(name));
        } else if (why == QLatin1String("silent")) {
            finish(NotFound, QStringLiteral("no engraver answered on %1").arg(name));
        } else {
            finish(NotFound, QStringLiteral("could not open %1").arg(name));
        }
    }

    void connected(const QString &port)
    {
        if (mConnected)
            return;
        mConnected = true;
        if (mGrbl.isGenericGrbl())
            note(QStringLiteral("generic GRBL controller on %1, firmware %2, line mode, %3-byte buffer")
                         .arg(port, mGrbl.firmware().toString())
                         .arg(mGrbl.account().size()));
        else
            note(QStringLiteral("engraver on %1, hardware %2, firmware %3, %4 mode")
                         .arg(port, mGrbl.hardware().toString(), mGrbl.firmware().toString(),
                              mGrbl.takesParts() ? QStringLiteral("part") : QStringLiteral("line")));
    }

    // Once the settings dump is answered: whether the board homes and whether
    // it is locked are known.
    void settled()
    {
        mSettled = true;
        const MachineLock &lock = mGrbl.machineLock();
        if (mPreparation == Preparation::Home) {
            if (lock.homingKnown() && !lock.homingEnabled()) {
                finish(Refused, QStringLiteral("--home: homing is not enabled on the engraver ($22=0)"));
                return;
            }
            note(QStringLiteral("homing"));
            mPreparing = true;
            mGrbl.getPanelMessage({PanelMessage::make(PanelCommand::Home, 1)});
        } else if (mPreparation == Preparation::Unlock) {
            mPreparing = true;
            mGrbl.getPanelMessage({PanelMessage::make(PanelCommand::Unlock, 1)});
        } else if (lock.isLocked()) {
            finish(Refused, QStringLiteral("the engraver is locked: %1%2").arg(lock.reason(), lockAdvice()));
        } else {
            startJob();
        }
    }

    QString lockAdvice() const
    {
        if (!mGrbl.machineLock().isLocked())
            return QString();
        return mGrbl.machineLock().homingEnabled() || !mGrbl.machineLock().homingKnown()
                ? QStringLiteral("; send again with --home to home it first, or with --unlock to unlock it "
                                 "without homing (only when the head's position is known)")
                : QStringLiteral("; send again with --unlock to unlock it (only when the head's position is known)");
    }

    void startJob()
    {
        if (mStarted)
            return;
        mStarted = true;
        mPreparing = false;
        progress(0);
        mGrbl.grblGcodePrint(mJob);
        mGrbl.numberJobLines(mOffset.setupRecords, mOffset.firstLine);
    }

    void tick()
    {
        const qint64 now = mClock.elapsed();
        if (mConnected && !mSettled) {
            if (mGrbl.isSettled())
                settled();
            else if (now - mLastActivity > mIdleTimeoutMs)
                finish(TimedOut, QStringLiteral("no answer from the engraver for %1 s").arg(mIdleTimeoutMs / 1000));
            return;
        }
        if (!mConnected) {
            const int rx = mGrbl.account().size();
            if (rx > 0 && rx < LowerGrbl::minimumRxSize) {
                finish(NotFound, QStringLiteral("the device refused: it reports a receive buffer of %1 "
                                                "bytes, at least %2 are needed")
                                         .arg(rx).arg(LowerGrbl::minimumRxSize));
            } else if (mGrbl.isSearching()) {
                mSearchEndedAt = -1;
            } else if (mSearchEndedAt < 0) {
                mSearchEndedAt = now;
            } else if (now - mSearchEndedAt > identifyGraceMs) {
                // The search ends at the banner too: identification gets a
                // moment before the port counts as silent.
                finish(NotFound, QStringLiteral("no engraver answered on %1")
                                         .arg(mGrbl.searchedPorts().join(QStringLiteral(", "))));
            }
            return;
        }
        if (mGrbl.account().inFlight().size() != mLastInFlight || mGrbl.pendingRecords() != mLastPending) {
            mLastInFlight = mGrbl.account().inFlight().size();
            mLastPending = mGrbl.pendingRecords();
            mLastActivity = now;
        }
        if (now - mLastActivity > mIdleTimeoutMs)
            finish(TimedOut, QStringLiteral("no answer from the engraver for %1 s").arg(mIdleTimeoutMs / 1000));
    }

    void progress(double percent)
    {
        const int width = 40;
        const int filled = qBound(0, int(percent * width / 100 + 0.5), width);
        const QString bar = QString(filled, QLatin1Char('#')) + QString(width - filled, QLatin1Char('.'));
        const QString line = QStringLiteral("[%1] %2%").arg(bar).arg(percent, 5, 'f', 1);
        if (mTerminal) {
            mErr << '\r' << line;
            mErr.flush();
            mBarShown = true;
        } else if (int(percent) / 10 != mLastDecile || percent >= 100) {
            mLastDecile = int(percent) / 10;
            mErr << line << '\n';
            mErr.flush();
        }
    }

    void note(const QString &text)
    {
        if (mBarShown) {
            mErr << '\n';
            mBarShown = false;
        }
        mErr << "plimb-cli send: " << text << '\n';
        mErr.flush();
    }

    void finish(ExitCode code, const QString &text)
    {
        if (mFinished)
            return;
        mFinished = true;
        mTick.stop();
        if (mBarShown)
            mErr << '\n';
        mBarShown = false;
        if (mGrbl.errorReplies() > 0 && code != Failed)
            note(QStringLiteral("%1 lines were answered with an error, the last with %2")
                         .arg(mGrbl.errorReplies())
                         .arg(mGrbl.lastError()));
        if (code == Done)
            note(QStringLiteral("job done (%1 records, %2 s)")
                         .arg(mJob.size()).arg(mClock.elapsed() / 1000.0, 0, 'f', 1));
        else
            note(text);
        // Never taken up by itself: the head may have been moved meanwhile.
        if (code != Done && !mResumeOption.isEmpty())
            note(QStringLiteral("the job can be taken up at %1 %2: home the head or put it back in "
                                "place, then run: plimb-cli send %3 %4 %2")
                         .arg(mResumeOption == QLatin1String("--resume-row") ? QStringLiteral("row")
                                                                            : QStringLiteral("outline"))
                         .arg(mResumeNumber)
                         .arg(mJobPath, mResumeOption));
        QCoreApplication::exit(code);
    }

    LowerGrbl mGrbl;
    QList<GCodeBuffer> mJob;
    QString mJobPath;
    FileOffset mOffset;
    QString mResumeOption;
    int mResumeNumber = 0;
    Preparation mPreparation;
    QString mLinesFailed;
    QTimer mTick;
    QElapsedTimer mClock;
    QTextStream mErr{stderr};
    int mIdleTimeoutMs;
    bool mTerminal;
    bool mConnected = false;
    bool mSettled = false;
    bool mPreparing = false;
    bool mStarted = false;
    bool mFinished = false;
    bool mBarShown = false;
    int mLastDecile = -1;
    qint64 mLastActivity = 0;
    qint64 mSearchEndedAt = -1;
    static constexpr int identifyGraceMs = 3000;
    int mLastInFlight = 0;
    int mLastPending = 0;
};

} // namespace

int runSendCommand(const QStringList &arguments)
{
    QTextStream err(stderr);
    QString jobPath;
    QString port;
    int timeout = 60;
    bool verbose = false;
    Preparation preparation = Preparation::None;
    bool continuePastErrors = false;
    JobMap::Kind resumeKind = JobMap::Kind::Row;
    int resumeNumber = 0;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool resumeRow = argument == QLatin1String("--resume-row");
        if ((resumeRow || argument == QLatin1String("--resume-outline")) && i + 1 < arguments.size()) {
            bool ok = false;
            resumeNumber = arguments.at(++i).toInt(&ok);
            resumeKind = resumeRow ? JobMap::Kind::Row : JobMap::Kind::Outline;
            if (!ok || resumeNumber <= 0) {
                err << "plimb-cli send: " << argument << " needs a number from 1\n";
                return Usage;
            }
        } else if (argument == QLatin1String("--port") && i + 1 < arguments.size()) {
            port = arguments.at(++i);
        } else if (argument == QLatin1String("--timeout") && i + 1 < arguments.size()) {
            bool ok = false;
            timeout = arguments.at(++i).toInt(&ok);
            if (!ok || timeout <= 0) {
                err << "plimb-cli send: --timeout needs a number of seconds\n";
                return Usage;
            }
        } else if (argument == QLatin1String("--verbose")) {
            verbose = true;
        } else if (argument == QLatin1String("--home") || argument == QLatin1String("--unlock")) {
            const Preparation asked = argument == QLatin1String("--home") ? Preparation::Home : Preparation::Unlock;
            if (preparation != Preparation::None && preparation != asked) {
                err << "plimb-cli send: --home and --unlock exclude each other\n";
                return Usage;
            }
            preparation = asked;
        } else if (argument == QLatin1String("--continue-on-error")) {
            continuePastErrors = true;
        } else if (jobPath.isEmpty() && !argument.startsWith(QLatin1String("--"))) {
            jobPath = argument;
        } else {
            err << usage;
            return Usage;
        }
    }
    if (jobPath.isEmpty()) {
        err << usage;
        return Usage;
    }

    QList<GCodeBuffer> job;
    QString error;
    if (!readJobFile(jobPath, &job, &error)) {
        err << "plimb-cli send: " << error << '\n';
        return BadJob;
    }
    if (job.isEmpty()) {
        err << "plimb-cli send: " << jobPath << " holds no G-code\n";
        return BadJob;
    }

    FileOffset offset;
    if (resumeNumber > 0) {
        const JobMap map(job);
        const JobMap::Unit *from = nullptr;
        for (const JobMap::Unit &unit : map.units()) {
            if (unit.kind == resumeKind && unit.number == resumeNumber) {
                from = &unit;
                break;
            }
            ++(unit.kind == JobMap::Kind::Row ? offset.rows : offset.outlines);
        }
        const QString kind = resumeKind == JobMap::Kind::Row ? QStringLiteral("row") : QStringLiteral("outline");
        if (!from) {
            err << "plimb-cli send: " << jobPath << " has no " << kind << ' ' << resumeNumber << '\n';
            return BadJob;
        }
        err << "plimb-cli send: taking the job up at " << kind << ' ' << resumeNumber << " (record "
            << from->first + 1 << " of " << job.size() << ")\n";
        const int fileRecords = job.size();
        offset.firstLine = from->first + 1;
        job = ResumeJob::build(job, *from);
        offset.setupRecords = job.size() - (fileRecords - from->first);
    }

    if (!verbose)
        qInstallMessageHandler(quietMessages);
    registerGCodeBufferMetaTypes();
    SendSession session(job, jobPath, offset, port, timeout, preparation, continuePastErrors);
    QTimer::singleShot(0, &session, &SendSession::start);
    return QCoreApplication::exec();
}

#include "sendcommand.moc"
