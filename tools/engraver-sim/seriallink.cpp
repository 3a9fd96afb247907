#include "seriallink.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// Enough credit for about 10 ms of line time: a paced side never bursts more
// than a real UART would deliver between two of our timer ticks.
constexpr double burstBytes = 128.0;
constexpr int readChunk = 4096;

} // namespace

void SerialLink::Rate::start()
{
    mClock.start();
    mLastNs = 0;
    mCredit = 0.0;
}

double SerialLink::Rate::available()
{
    const qint64 now = mClock.nsecsElapsed();
    mCredit = std::min(burstBytes, mCredit + double(now - mLastNs) * bytesPerSecond / 1e9);
    mLastNs = now;
    return mCredit;
}

int SerialLink::Rate::millisecondsUntil(double bytes)
{
    const double missing = bytes - available();
    if (missing <= 0.0)
        return 0;
    return std::max(1, int(missing * 1000.0 / bytesPerSecond + 0.999));
}

SerialLink::SerialLink(int descriptor, const Pacing &pacing, QObject *parent)
    : QObject(parent)
    , mDescriptor(descriptor)
    , mPacing(pacing)
    , mRandom(pacing.splitSeed)
    , mReadTimer(new QTimer(this))
    , mDrainTimer(new QTimer(this))
{
    mReadRate.start();
    mWriteRate.start();
    mReadTimer->setSingleShot(true);
    mDrainTimer->setSingleShot(true);
    mReadTimer->setTimerType(Qt::PreciseTimer);
    mDrainTimer->setTimerType(Qt::PreciseTimer);
    connect(mReadTimer, &QTimer::timeout, this, [this] {
        if (mReadNotifier)
            mReadNotifier->setEnabled(true);
        readAvailable();
    });
    connect(mDrainTimer, &QTimer::timeout, this, &SerialLink::drain);
    mDescriptor = -1;
    attach(descriptor);
}

void SerialLink::attach(int descriptor)
{
    shutDown();
    // Called from the notifiers' own signals at times: never delete them there.
    if (mReadNotifier)
        mReadNotifier->deleteLater();
    if (mWriteNotifier)
        mWriteNotifier->deleteLater();
    mReadNotifier = nullptr;
    mWriteNotifier = nullptr;
    mDescriptor = descriptor;
    if (descriptor < 0)
        return;
    mReadNotifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    mWriteNotifier = new QSocketNotifier(descriptor, QSocketNotifier::Write, this);
    mWriteNotifier->setEnabled(false);
    connect(mReadNotifier, &QSocketNotifier::activated, this, &SerialLink::readAvailable);
    connect(mWriteNotifier, &QSocketNotifier::activated, this, [this] {
        mWriteNotifier->setEnabled(false);
        drain();
    });
    mWrittenTotal = 0;
    mQueuedTotal = 0;
}

void SerialLink::write(const QByteArray &bytes, int answers)
{
    if (mDescriptor < 0)
        return;
    mPending.append(bytes);
    mQueuedTotal += bytes.size();
    if (answers > 0)
        mSegments.append({mQueuedTotal, answers});
    if (!mDrainTimer->isActive())
        scheduleDrain(0);
}

void SerialLink::scheduleDrain(int delayMs)
{
    mDrainTimer->start(delayMs);
}

void SerialLink::readAvailable()
{
    if (mDescriptor < 0)
        return;
    qint64 limit = readChunk;
    if (mPacing.throttle) {
        // Reading no faster than the line delivers makes the host's writes
        // back up in the pty, just as they would behind a real UART.
        limit = qint64(mReadRate.available());
        if (limit < 1) {
            // Waking for a few bytes at a time keeps the timer rate sane.
            mReadNotifier->setEnabled(false);
            mReadTimer->start(mReadRate.millisecondsUntil(32.0));
            return;
        }
    }
    char buffer[readChunk];
    const ssize_t n = ::read(mDescriptor, buffer, size_t(std::min<qint64>(limit, readChunk)));
    if (n <= 0) {
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        // Cannot happen on the pty while the slave keeper is open; a network
        // client that left ends its input here.
        mReadNotifier->setEnabled(false);
        emit inputEnded();
        return;
    }
    if (mPacing.throttle)
        mReadRate.consume(n);
    emit received(QByteArray(buffer, int(n)));
}

qint64 SerialLink::writeSome(qint64 limit)
{
    const ssize_t n = ::write(mDescriptor, mPending.constData(), size_t(std::min<qint64>(limit, mPending.size())));
    if (n <= 0)
        return 0;
    mPending.remove(0, int(n));
    mWrittenTotal += n;
    int delivered = 0;
    while (!mSegments.isEmpty() && mSegments.first().end <= mWrittenTotal)
        delivered += mSegments.takeFirst().answers;
    if (delivered > 0)
        emit answersDelivered(delivered);
    return n;
}

void SerialLink::drain()
{
    if (mDescriptor < 0 || mPending.isEmpty())
        return;
    qint64 limit = mPending.size();
    if (mPacing.splitSeed != 0)
        limit = std::uniform_int_distribution<int>(1, 7)(mRandom);
    if (mPacing.throttle) {
        const qint64 credit = qint64(mWriteRate.available());
        if (credit < 1) {
            scheduleDrain(mWriteRate.millisecondsUntil(1.0));
            return;
        }
        limit = std::min(limit, credit);
    }
    const qint64 n = writeSome(limit);
    if (n == 0) {
        // The host is not reading: wait until the pty has room again.
        if (mWriteNotifier)
            mWriteNotifier->setEnabled(true);
        return;
    }
    if (mPacing.throttle)
        mWriteRate.consume(n);
    if (mPending.isEmpty())
        return;
    if (mPacing.splitSeed != 0)
        scheduleDrain(std::uniform_int_distribution<int>(0, 2)(mRandom));
    else if (mPacing.throttle)
        scheduleDrain(mWriteRate.millisecondsUntil(std::min<double>(burstBytes, mPending.size())));
    else
        scheduleDrain(0);
}

int SerialLink::unreadInput() const
{
    int queued = 0;
    if (mDescriptor < 0 || ::ioctl(mDescriptor, FIONREAD, &queued) != 0)
        return 0;
    return queued;
}

void SerialLink::flushNow()
{
    for (int idle = 0; mDescriptor >= 0 && !mPending.isEmpty() && idle < 50;) {
        if (writeSome(mPending.size()) <= 0) {
            ++idle;
            ::usleep(2000);
        }
    }
}

void SerialLink::shutDown()
{
    if (mReadNotifier)
        mReadNotifier->setEnabled(false);
    if (mWriteNotifier)
        mWriteNotifier->setEnabled(false);
    mReadTimer->stop();
    mDrainTimer->stop();
    mDescriptor = -1;
    mPending.clear();
    mSegments.clear();
}
