#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QThread>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

// The engraver's end of a pseudo-terminal, scripted by the test: the
// controller opens the slave path with QSerialPort as it would open hardware,
// and the test reads what it sent and writes replies byte by byte.
class PtyPeer
{
public:
    PtyPeer()
    {
        mFd = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (mFd < 0 || ::grantpt(mFd) != 0 || ::unlockpt(mFd) != 0)
            return;
        termios tio;
        if (::tcgetattr(mFd, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(mFd, TCSANOW, &tio);
        }
        ::fcntl(mFd, F_SETFL, ::fcntl(mFd, F_GETFL) | O_NONBLOCK);
        mPath = QString::fromLocal8Bit(::ptsname(mFd));
    }
    ~PtyPeer() { close(); }

    bool isOpen() const { return mFd >= 0 && !mPath.isEmpty(); }
    QString path() const { return mPath; }
    void close()
    {
        if (mFd >= 0)
            ::close(mFd);
        mFd = -1;
    }

    void write(const QByteArray &bytes)
    {
        qint64 done = 0;
        while (mFd >= 0 && done < bytes.size()) {
            const ssize_t n = ::write(mFd, bytes.constData() + done, size_t(bytes.size() - done));
            if (n > 0)
                done += n;
            else
                pump();     // the reader may run in this thread
        }
    }

    // Everything received so far, including what arrives while events run
    // for `ms` milliseconds.
    QByteArray received(int ms = 0)
    {
        QElapsedTimer clock;
        clock.start();
        do {
            pump();
        } while (clock.elapsed() < ms);
        return mReceived;
    }

    // Runs events until the received bytes contain `needle` (after `from`).
    bool waitFor(const QByteArray &needle, int timeoutMs = 5000, int from = 0)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            pump();
            if (mReceived.indexOf(needle, from) >= 0)
                return true;
        }
        return false;
    }

    QByteArray takeReceived(int settleMs = 50)
    {
        received(settleMs);
        const QByteArray bytes = mReceived;
        mReceived.clear();
        return bytes;
    }

private:
    void pump()
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        char chunk[65536];
        ssize_t n;
        while (mFd >= 0 && (n = ::read(mFd, chunk, sizeof chunk)) > 0)
            mReceived.append(chunk, int(n));
        QThread::usleep(200);
    }

    int mFd = -1;
    QString mPath;
    QByteArray mReceived;
};
