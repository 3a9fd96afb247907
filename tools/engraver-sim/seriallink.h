#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>

#include <random>

class QSocketNotifier;
class QTimer;

// Moves bytes over the pty master, optionally paced like a 115 200 baud line
// and optionally cut into random chunks (a host must cope with replies that
// arrive in pieces). Writes are always delivered from the event loop, never
// inside write(), so everything one read produces is queued before any of it
// counts as delivered.
class SerialLink : public QObject
{
    Q_OBJECT
public:
    struct Pacing {
        bool throttle = false;
        quint32 splitSeed = 0;
    };

    // 8N1 at 115 200 baud: ten bit times per byte.
    static constexpr double bytesPerSecond = 11520.0;

    // A negative descriptor makes a link that waits for attach().
    SerialLink(int descriptor, const Pacing &pacing, QObject *parent = nullptr);

    // Carries on over another descriptor (the next network client); what
    // was queued for the previous one is dropped.
    void attach(int descriptor);
    int descriptor() const { return mDescriptor; }

    // Queues bytes for the host; `answers` is the number of command lines these
    // bytes answer, reported by answersDelivered once the last byte is out.
    void write(const QByteArray &bytes, int answers = 0);
    // Best effort, ignoring pacing: used just before the emulator vanishes.
    void flushNow();
    void shutDown();
    qint64 pendingBytes() const { return mPending.size(); }
    // Bytes the host has written that are still waiting in the pty, not yet read.
    int unreadInput() const;

signals:
    void received(const QByteArray &bytes);
    void answersDelivered(int count);
    // The other side closed its end (a network client left); never on a pty,
    // whose slave stays open.
    void inputEnded();

private:
    // A token bucket over real time.
    class Rate
    {
    public:
        void start();
        double available();
        void consume(qint64 bytes) { mCredit -= double(bytes); }
        int millisecondsUntil(double bytes);

    private:
        QElapsedTimer mClock;
        qint64 mLastNs = 0;
        double mCredit = 0.0;
    };

    void readAvailable();
    void drain();
    void scheduleDrain(int delayMs);
    qint64 writeSome(qint64 limit);

    int mDescriptor;
    Pacing mPacing;
    std::mt19937 mRandom;
    QSocketNotifier *mReadNotifier = nullptr;
    QSocketNotifier *mWriteNotifier = nullptr;
    QTimer *mReadTimer;
    QTimer *mDrainTimer;
    Rate mReadRate;
    Rate mWriteRate;
    QByteArray mPending;
    qint64 mWrittenTotal = 0;
    qint64 mQueuedTotal = 0;
    struct Segment {
        qint64 end;
        int answers;
    };
    QList<Segment> mSegments;
};
