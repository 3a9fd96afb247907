#include "engraver.h"

#include "seriallink.h"

#include <QJsonArray>
#include <QSaveFile>
#include <QRegularExpression>
#include <QTextStream>
#include <QTimer>

#include <zlib.h>

namespace {

// GRBL 1.1 reports 15 free planner blocks in "[OPT:V,15,...]"; a feed hold
// stops answering motion lines once they are all taken.
constexpr int plannerBlocks = 15;
constexpr int firmwarePieceBytes = 4096;
constexpr qint64 largestTransfer = 64 * 1024 * 1024;

const char banner[] = "\r\nGrbl 1.1h ['$' for help]\r\n";
const char unlockNotice[] = "[MSG:'$H'|'$X' to unlock]\r\n";

QByteArray error(int status)
{
    return "error:" + QByteArray::number(status) + "\r\n";
}

bool isRealtime(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    // GRBL picks these out of the stream wherever they occur; bytes from 0x80
    // up are its extended real-time commands and never reach the line buffer.
    return c == '?' || c == '!' || c == '~' || byte == 0x18 || byte >= 0x80;
}

} // namespace

Engraver::Engraver(const Options &options, SerialLink *link, QObject *parent)
    : QObject(parent)
    , mOptions(options)
    , mLink(link)
    , mMachine(options.generic)
    , mAlarm(options.alarmAtStart || options.homingRequired)
    , mMuted(options.muteAfterLines == 0)
    , mRawTimer(new QTimer(this))
    , mJobTimer(new QTimer(this))
{
    if (options.homingRequired)
        mMachine.storeSetting("$22=1");
    mRawTimer->setSingleShot(true);
    mRawTimer->setInterval(options.rawTimeoutMs);
    mJobTimer->setInterval(10);
    connect(mRawTimer, &QTimer::timeout, this, &Engraver::abandonRawTransfer);
    connect(mJobTimer, &QTimer::timeout, this, &Engraver::runJobSlice);
    connect(mLink, &SerialLink::received, this, &Engraver::receive);
    connect(mLink, &SerialLink::answersDelivered, this, &Engraver::answersDelivered);
    if (options.measureFeed) {
        mFeedSampler = new QTimer(this);
        mFeedSampler->setTimerType(Qt::PreciseTimer);
        mFeedSampler->setInterval(1);
        connect(mFeedSampler, &QTimer::timeout, this, &Engraver::sampleFeed);
        mFeedSampler->start();
    }
    if (!options.executedLogPath.isEmpty()) {
        mExecutedLog = new QFile(options.executedLogPath, this);
        if (!mExecutedLog->open(QIODevice::WriteOnly | QIODevice::Append))
            QTextStream(stderr) << "plimb-engraver-sim: cannot write " << options.executedLogPath << '\n';
    }
}

void Engraver::logExecuted(const QByteArray &line)
{
    if (!mExecutedLog || !mExecutedLog->isOpen())
        return;
    // Unbuffered: the process may be gone a moment later.
    mExecutedLog->write(line + '\n');
    mExecutedLog->flush();
}

QJsonObject Engraver::state() const
{
    QJsonObject state;
    state.insert(QStringLiteral("lines"), QJsonArray::fromStringList(mLines));
    state.insert(QStringLiteral("lineCount"), mLines.size());
    state.insert(QStringLiteral("jobBytes"), mJob.size());
    state.insert(QStringLiteral("realtime"), QString::fromLatin1(mRealtime.toHex()));
    state.insert(QStringLiteral("overflows"), mOverflows);
    state.insert(QStringLiteral("fedShare"), fedShare());
    state.insert(QStringLiteral("maxOutstanding"), mMaxOutstanding);
    state.insert(QStringLiteral("outstanding"), mOutstanding);
    state.insert(QStringLiteral("job"), QString::fromLatin1(mJob.toBase64()));
    state.insert(QStringLiteral("parts"), mParts);
    state.insert(QStringLiteral("partErrors"), mPartErrors);
    state.insert(QStringLiteral("firmware"), QString::fromLatin1(mFirmware.toBase64()));
    state.insert(QStringLiteral("x"), mPosition.x);
    state.insert(QStringLiteral("y"), mPosition.y);
    const QByteArray report = statusReport();
    state.insert(QStringLiteral("state"), QString::fromLatin1(report.mid(1, report.indexOf('|') - 1)));
    return state;
}

void Engraver::printLine(const QByteArray &text)
{
    trace(">>", text);
    mLink->write(text + "\r\n");
}

void Engraver::receive(const QByteArray &bytes)
{
    // Throttled reading leaves the host's bytes waiting in the pty, like bytes
    // still on the wire; the host has sent them all the same, so they count.
    mUnreadInput = mRawMode == RawMode::None ? mLink->unreadInput() : 0;
    const char *data = bytes.constData();
    int left = bytes.size();
    while (left > 0 && !mGone) {
        if (mRawMode != RawMode::None) {
            const int used = receiveRaw(data, left);
            data += used;
            left -= used;
            continue;
        }
        const char c = *data++;
        --left;
        if (isRealtime(c)) {
            receiveRealtime(c);
            continue;
        }
        mPartialLine.append(c);
        countOutstanding(1);
        if (c == '\n')
            completeLine();
    }
    if (mRawMode != RawMode::None)
        mUnreadInput = 0;
    countOutstanding(0);
    mUnreadInput = 0;
}

void Engraver::sampleFeed()
{
    const int held = mOutstanding + (mRawMode == RawMode::None ? mLink->unreadInput() : 0);
    if (held == 0) {
        // Half a second without traffic ends a stretch; the next one starts afresh.
        if (++mIdleSamples < 500 && mFeedSamples > 0)
            ++mFeedSamples;
        return;
    }
    if (mIdleSamples >= 500) {
        mFeedSamples = 0;
        mFedSamples = 0;
    }
    mIdleSamples = 0;
    ++mFeedSamples;
    if (mLastLineSize > 0 && held >= mLastLineSize)
        ++mFedSamples;
}

double Engraver::fedShare() const
{
    return mFeedSamples > 0 ? double(mFedSamples) / double(mFeedSamples) : 0.0;
}

void Engraver::countOutstanding(int delta)
{
    mOutstanding += delta;
    const int sent = mOutstanding + mUnreadInput;
    mMaxOutstanding = qMax(mMaxOutstanding, sent);
    // A real GRBL would drop the bytes that do not fit; we keep them so the
    // run goes on, and count each time the host pushes past the buffer.
    if (sent > mOptions.rxBufferSize) {
        if (!mOverfull)
            ++mOverflows;
        mOverfull = true;
    } else {
        mOverfull = false;
    }
}

void Engraver::answersDelivered(int count)
{
    for (int i = 0; i < count && !mAwaitingDelivery.isEmpty(); ++i)
        countOutstanding(-mAwaitingDelivery.takeFirst());
}

void Engraver::completeLine()
{
    const QByteArray line = mPartialLine;
    mPartialLine.clear();
    mLastLineSize = line.size();
    mLines.append(QString::fromLatin1(line.left(line.size() - 1)));
    trace("<<", line);
    const int received = mLines.size();
    if (mOptions.vanishAfterLines > 0 && received >= mOptions.vanishAfterLines) {
        vanish();
        return;
    }
    if (received == mOptions.resetAfterLines || received == mOptions.halfCloseAfterLines) {
        dropLink(received == mOptions.resetAfterLines);
        return;
    }
    if (mMuted)
        return;
    mQueue.append(line);
    mQueueNumbers.append(received);
    processQueue();
    if (mOptions.muteAfterLines > 0 && received >= mOptions.muteAfterLines)
        mMuted = true;
}

void Engraver::processQueue()
{
    while (!mQueue.isEmpty() && !mGone) {
        mCurrentLineSize = mQueue.first().size();
        if (processLine(mQueue.first(), mQueueNumbers.first()) == Outcome::Stall)
            return;
        mQueue.removeFirst();
        mQueueNumbers.removeFirst();
    }
}

Engraver::Outcome Engraver::processLine(const QByteArray &line, int number)
{
    // A stored job and a program end waiting on a hold keep the main loop
    // busy, as in GRBL: later lines wait in the receive buffer.
    if (mJobRunning || mEndAfterHold)
        return Outcome::Stall;
    if (mOptions.errorAtLine > 0 && number >= mOptions.errorAtLine
        && number < mOptions.errorAtLine + mOptions.errorCount) {
        answer(error(mOptions.errorCode));
        return Outcome::Done;
    }
    if (number == mOptions.alarmAtLine) {
        mAlarm = true;
        print("ALARM:" + QByteArray::number(mOptions.alarmCode) + "\r\n");
        refuseLocked();
        return Outcome::Done;
    }
    QByteArray text = line;
    while (text.endsWith('\n') || text.endsWith('\r'))
        text.chop(1);
    if (text.startsWith('$'))
        return processSystemCommand(text);
    return processGcode(text);
}

Engraver::Outcome Engraver::processGcode(const QByteArray &line)
{
    if (line.trimmed().isEmpty()) {
        // GRBL answers empty lines so hosts can synchronise on them.
        answer("ok\r\n");
        return Outcome::Done;
    }
    if (mAlarm) {
        refuseLocked();
        return Outcome::Done;
    }
    if (mHeld && mPlanner.size() >= plannerBlocks)
        return Outcome::Stall;
    Machine::Block block;
    if (const int status = mMachine.parseLine(line, &block)) {
        answer(error(status));
        return Outcome::Done;
    }
    // Lines planned during a hold run only after "~"; a reset drops them.
    if (mHeld)
        mHeldLines.append(line);
    else
        logExecuted(line);
    if (block.moves) {
        if (mHeld)
            mPlanner.append(block.target);
        else
            mPosition = block.target;
    }
    if (block.programEnd && mHeld && !mPlanner.isEmpty()) {
        // M2 waits for the planned moves; they only run after "~".
        mEndAfterHold = true;
        mDeferredAnswerSize = mCurrentLineSize;
        return Outcome::Done;
    }
    answer(block.programEnd ? "[MSG:Pgm End]\r\nok\r\n" : "ok\r\n");
    return Outcome::Done;
}

Engraver::Outcome Engraver::processSystemCommand(const QByteArray &line)
{
    if (line == "$$") {
        answer(mMachine.settingsDump() + "ok\r\n");
    } else if (line == "$I") {
        const QByteArray version = "[VER:" + mOptions.firmwareVersion + "]\r\n";
        const QByteArray hardware =
                mOptions.generic ? QByteArray() : "[HARDVER:" + mOptions.hardwareVersion + "]\r\n";
        const QByteArray options = mOptions.noOptions
                ? QByteArray()
                : "[OPT:V," + QByteArray::number(plannerBlocks) + ','
                          + QByteArray::number(mOptions.rxBufferSize) + "]\r\n";
        answer((mOptions.hardVerFirst ? hardware + version : version + hardware) + options
               + "ok\r\n");
    } else if (mOptions.generic && line.startsWith("$@")) {
        answer(error(Machine::BadNumberFormat));
    } else if (line == "$X") {
        if (mAlarm) {
            mAlarm = false;
            answer("[MSG:Caution: Unlocked]\r\nok\r\n");
        } else {
            answer("ok\r\n");
        }
    } else if (line == "$H") {
        // Homing lifts the lock only on a machine that requires it; otherwise
        // the emulated machine has no limit switches to find and only "$X"
        // unlocks it.
        if (mAlarm && !mOptions.homingRequired) {
            refuseLocked();
        } else if (mMachine.setting(22) == 0) {
            answer(error(Machine::HomingNotEnabled));
        } else if (mHeld) {
            answer(error(8));
        } else {
            mMachine.home();
            mPosition = {0.0, 0.0};
            mAlarm = false;
            answer("ok\r\n");
        }
    } else if (line.startsWith("$J=")) {
        Machine::Block block;
        if (mAlarm) {
            refuseLocked();
        } else if (mHeld) {
            answer(error(8));
        } else if (const int status = mMachine.parseJog(line.mid(3), &block)) {
            answer(error(status));
        } else {
            mMachine.moveTo(block.target);
            mPosition = block.target;
            answer("ok\r\n");
        }
    } else if (line.startsWith("$RST=")) {
        const QByteArray what = line.mid(5);
        if (what == "*" || what == "$") {
            mMachine.restoreDefaultSettings();
            answer("[MSG:Restoring defaults]\r\nok\r\n");
        } else if (what == "#") {
            answer("ok\r\n");
        } else {
            answer(error(Machine::InvalidStatement));
        }
    } else if (line.startsWith("$@print@storage=")) {
        // The replies of the private job-part exchange are not GRBL's; hosts
        // look for "msg@printing" and the step name in them.
        mJob.clear();
        mParts = 0;
        mNextPart = 1;
        answer("msg@printing:receive storage_mode\r\nmsg@printing:ask pack_info\r\n");
    } else if (line.startsWith("$@file@name=")) {
        announcePart(line);
    } else if (line == "$@file@done") {
        // No reply: the engraver just starts the stored job; its bytes leave
        // the receive buffer all the same.
        countOutstanding(-mCurrentLineSize);
        startStoredJob();
    } else if (line.startsWith("$@OTA=")) {
        startFirmware(line);
    } else if (line.startsWith("$@LOC=") || line.startsWith("$@STEX=")) {
        bool ok = false;
        line.mid(line.indexOf('=') + 1).toInt(&ok);
        answer(ok ? QByteArray("ok\r\n") : error(Machine::BadNumberFormat));
    } else if (line == "$") {
        answer("[HLP:$$ $# $G $I $N $x=val $Nx=line $J=line $SLP $C $X $H ~ ! ? ctrl-x]\r\nok\r\n");
    } else if (line.size() > 1 && line.at(1) >= '0' && line.at(1) <= '9') {
        const int status = mMachine.storeSetting(line);
        answer(status ? error(status) : QByteArray("ok\r\n"));
    } else {
        answer(error(Machine::InvalidStatement));
    }
    return Outcome::Done;
}

void Engraver::answer(const QByteArray &text)
{
    if (mMuted || mGone)
        return;
    mAwaitingDelivery.append(mCurrentLineSize);
    send(text, 1);
}

void Engraver::print(const QByteArray &text)
{
    if (mMuted || mGone)
        return;
    send(text, 0);
}

void Engraver::trace(const char *direction, const QByteArray &text) const
{
    if (!mOptions.verbose)
        return;
    QTextStream err(stderr);
    for (const QByteArray &line : text.split('\n')) {
        const QByteArray shown = line.trimmed();
        // Status reports would drown everything else while a host polls.
        if (!shown.isEmpty() && !shown.startsWith('<'))
            err << direction << ' ' << QString::fromLatin1(shown) << '\n';
    }
}

void Engraver::send(const QByteArray &text, int answers)
{
    trace(">>", text);
    if (mOptions.garbageEvery <= 0) {
        mLink->write(text, answers);
        return;
    }
    // The answer counts as delivered with the text's last line, never only
    // after the noise that follows it, or the buffer would look fuller than
    // the host's accounting says.
    QByteArray out;
    bool answered = answers == 0;
    int start = 0;
    while (start < text.size()) {
        int end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end + 1;
        out.append(text.mid(start, end - start));
        start = end;
        if (++mReplyLines % mOptions.garbageEvery == 0) {
            const bool last = start >= text.size();
            mLink->write(out, last ? answers : 0);
            answered = answered || last;
            out.clear();
            mLink->write(noiseLine());
        }
    }
    if (!out.isEmpty())
        mLink->write(out, answered ? 0 : answers);
}

QByteArray Engraver::noiseLine()
{
    if (!mOptions.noiseText.isEmpty())
        return mOptions.noiseText + "\r\n";
    // Line noise that matches nothing a host looks for.
    mGarbageCounter = mGarbageCounter * 1664525u + 1013904223u;
    return "#%&noise " + QByteArray::number(mGarbageCounter, 16) + "\r\n";
}

void Engraver::refuseLocked()
{
    answer(error(9) + unlockNotice);
}

void Engraver::receiveRealtime(char byte)
{
    mRealtime.append(byte);
    if (mOptions.verbose && byte != '?')
        trace("<<", "0x" + QByteArray(1, byte).toHex());
    if (mMuted)
        return;
    switch (byte) {
    case '?':
        print(statusReport() + "\r\n");
        break;
    case '!':
        if (!mAlarm)
            mHeld = true;
        break;
    case '~':
        if (mHeld)
            resumeFromHold();
        break;
    case 0x18:
        softReset();
        break;
    default:
        break;
    }
}

QByteArray Engraver::statusReport() const
{
    const char *name = mAlarm ? "Alarm" : mHeld ? "Hold:0" : mJobRunning ? "Run" : "Idle";
    return QByteArray("<") + name + "|MPos:" + QByteArray::number(mPosition.x, 'f', 3) + ','
           + QByteArray::number(mPosition.y, 'f', 3) + ",0.000|FS:0,0>";
}

void Engraver::resumeFromHold()
{
    mHeld = false;
    if (!mPlanner.isEmpty())
        mPosition = mPlanner.last();
    mPlanner.clear();
    for (const QByteArray &line : qAsConst(mHeldLines))
        logExecuted(line);
    mHeldLines.clear();
    if (mEndAfterHold) {
        mEndAfterHold = false;
        const int held = mCurrentLineSize;
        mCurrentLineSize = mDeferredAnswerSize;
        answer("[MSG:Pgm End]\r\nok\r\n");
        mCurrentLineSize = held;
    }
    processQueue();
}

void Engraver::softReset()
{
    // Resetting while a stored job moves the head loses the position, so GRBL
    // raises alarm 3 and locks until "$X".
    const bool inMotion = mJobRunning && !mHeld;
    mRawMode = RawMode::None;
    mRawTimer->stop();
    mRawBytes.clear();
    mJobRunning = false;
    mJobTimer->stop();
    mJobLines.clear();

    // The reset empties the receive buffer: those lines are never answered.
    int discarded = mPartialLine.size();
    for (const QByteArray &line : qAsConst(mQueue))
        discarded += line.size();
    if (mEndAfterHold)
        discarded += mDeferredAnswerSize;
    mPartialLine.clear();
    mQueue.clear();
    mQueueNumbers.clear();
    countOutstanding(-discarded);

    mPlanner.clear();
    mHeldLines.clear();
    mHeld = false;
    mEndAfterHold = false;
    mMachine.moveTo(mPosition);
    mMachine.resetModalState();

    QByteArray text;
    if (inMotion) {
        mAlarm = true;
        text += "ALARM:3\r\n";
    }
    text += banner;
    if (mAlarm)
        text += unlockNotice;
    print(text);
}

void Engraver::announcePart(const QByteArray &line)
{
    static const QRegularExpression pattern(
            QStringLiteral("^\\$@file@name=part(\\d+)\\.gzip@size=(\\d+)@uncompress_size=(\\d+)$"));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(line));
    const int part = match.captured(1).toInt();
    const qint64 size = match.captured(2).toLongLong();
    const qint64 uncompressed = match.captured(3).toLongLong();
    if (!match.hasMatch() || part != mNextPart || size <= 0 || size > largestTransfer
        || uncompressed > largestTransfer) {
        ++mPartErrors;
        answer("msg@printing:package error\r\n");
        return;
    }
    mPartUncompressedSize = int(uncompressed);
    mRawMode = RawMode::Package;
    mRawExpected = size;
    mRawBytes.clear();
    mRawTimer->start();
    answer("msg@printing:ask package\r\n");
}

int Engraver::receiveRaw(const char *data, int size)
{
    QByteArray &target = mRawMode == RawMode::Package ? mRawBytes : mFirmware;
    const int used = int(qMin<qint64>(size, mRawExpected - target.size()));
    target.append(data, used);
    mRawTimer->start();
    if (mRawMode == RawMode::Package) {
        if (mRawBytes.size() == mRawExpected)
            finishPart();
        return used;
    }
    mFirmwarePiece += used;
    if (mOptions.verbose && mFirmware.size() % (64 * 1024) < used)
        trace("<<", "(firmware: " + QByteArray::number(mFirmware.size()) + " bytes)");
    if (mFirmware.size() == mRawExpected) {
        mRawMode = RawMode::None;
        mRawTimer->stop();
        print("[MSG:OTA done]\r\n");
        return used;
    }
    while (mFirmwarePiece >= firmwarePieceBytes) {
        mFirmwarePiece -= firmwarePieceBytes;
        askFirmwarePiece();
    }
    return used;
}

void Engraver::finishPart()
{
    mRawMode = RawMode::None;
    mRawTimer->stop();
    QByteArray text(mPartUncompressedSize, '\0');
    uLongf textLength = uLongf(text.size());
    uLong sourceLength = uLong(mRawBytes.size());
    // A zlib stream (RFC 1950) that fills exactly the announced size and ends
    // exactly with the announced bytes; anything else is a broken part.
    const int result = uncompress2(reinterpret_cast<Bytef *>(text.data()), &textLength,
                                   reinterpret_cast<const Bytef *>(mRawBytes.constData()), &sourceLength);
    const bool whole = result == Z_OK && textLength == uLongf(mPartUncompressedSize)
                       && sourceLength == uLong(mRawBytes.size());
    mRawBytes.clear();
    if (!whole) {
        ++mPartErrors;
        print("msg@printing:package error\r\n");
        return;
    }
    mJob.append(text);
    ++mParts;
    trace("<<", "(part " + QByteArray::number(mNextPart) + ": " + QByteArray::number(text.size()) + " bytes of G-code)");
    ++mNextPart;
    print("msg@printing:receive package\r\nmsg@printing:ask pack_info\r\n");
}

void Engraver::startStoredJob()
{
    if (!mOptions.saveJobPath.isEmpty()) {
        QSaveFile file(mOptions.saveJobPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(mJob) != mJob.size() || !file.commit())
            QTextStream(stderr) << "plimb-engraver-sim: cannot write " << mOptions.saveJobPath << '\n';
    }
    mJobLines = mJob.split('\n');
    if (!mJobLines.isEmpty() && mJobLines.last().isEmpty())
        mJobLines.removeLast();
    mJobIndex = 0;
    if (mJobLines.isEmpty())
        return;
    mJobRunning = true;
    mJobTimer->start();
}

void Engraver::runJobSlice()
{
    if (mHeld)
        return;
    const int ticks = qMax(1, mOptions.jobRunMs / mJobTimer->interval());
    const int batch = (mJobLines.size() + ticks - 1) / ticks;
    for (int i = 0; i < batch && mJobIndex < mJobLines.size(); ++i) {
        Machine::Block block;
        // A stored line that fails is skipped: there is no host line to answer.
        if (mMachine.parseLine(mJobLines.at(mJobIndex), &block) != Machine::Ok) {
            ++mJobIndex;
            continue;
        }
        logExecuted(mJobLines.at(mJobIndex++));
        if (block.moves)
            mPosition = block.target;
        if (block.programEnd) {
            print("[MSG:Pgm End]\r\n");
            finishStoredJob();
            return;
        }
    }
    if (mJobIndex >= mJobLines.size())
        finishStoredJob();
}

void Engraver::finishStoredJob()
{
    mJobRunning = false;
    mJobTimer->stop();
    mJobLines.clear();
    processQueue();
}

void Engraver::startFirmware(const QByteArray &line)
{
    bool ok = false;
    const qint64 size = line.mid(6).toLongLong(&ok);
    if (!ok || size <= 0 || size > largestTransfer) {
        answer(error(Machine::InvalidStatement));
        return;
    }
    mFirmware.clear();
    mFirmwarePiece = 0;
    mRawMode = RawMode::Firmware;
    mRawExpected = size;
    mRawTimer->start();
    answer("ok\r\n");
    askFirmwarePiece();
}

void Engraver::askFirmwarePiece()
{
    if (mOptions.otaChunkDelayMs <= 0) {
        print("[MSG:OTA OK]\r\n");
        return;
    }
    QTimer::singleShot(mOptions.otaChunkDelayMs, this, [this] {
        if (mRawMode != RawMode::Firmware)
            return;
        mRawTimer->start();
        print("[MSG:OTA OK]\r\n");
    });
}

void Engraver::abandonRawTransfer()
{
    if (mRawMode == RawMode::Package) {
        ++mPartErrors;
        print("msg@printing:package error\r\n");
    } else if (mRawMode == RawMode::Firmware) {
        print("[MSG:OTA error]\r\n");
    }
    mRawMode = RawMode::None;
    mRawBytes.clear();
}

void Engraver::dropLink(bool reset)
{
    if (reset) {
        // The board restarts: what it held in its buffers is lost unanswered.
        mQueue.clear();
        mQueueNumbers.clear();
        mAwaitingDelivery.clear();
        mOutstanding = 0;
    } else {
        // Answers already made still go out before the half-close; nothing after.
        mLink->flushNow();
        mMuted = true;
    }
    emit dropConnection(reset);
}

void Engraver::vanish()
{
    // Whatever was already answered goes out; then the device is unplugged.
    mGone = true;
    mRawTimer->stop();
    mJobTimer->stop();
    mLink->flushNow();
    mLink->shutDown();
    emit vanished();
}
