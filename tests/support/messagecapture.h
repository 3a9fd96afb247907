#pragma once

#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Records the messages logged while it lives, so a test can check that a
// diagnostic was written (a limit hit, a file refused) without pinning its
// wording, which is free to change. Every message still goes on to the
// handler that was installed before (the test framework's), so warnings
// and expected-message checks keep working and nothing is hidden from the
// test log. Messages from worker threads are recorded too.
class MessageCapture
{
public:
    MessageCapture()
    {
        QMutexLocker lock(&mutex());
        mOuter = current();
        current() = this;
        mPrevious = qInstallMessageHandler(&MessageCapture::handle);
    }
    ~MessageCapture()
    {
        QMutexLocker lock(&mutex());
        qInstallMessageHandler(mPrevious);
        current() = mOuter;
    }
    MessageCapture(const MessageCapture &) = delete;
    MessageCapture &operator=(const MessageCapture &) = delete;

    // Messages of `type` logged so far.
    int count(QtMsgType type) const
    {
        QMutexLocker lock(&mutex());
        int n = 0;
        for (const Entry &entry : mEntries)
            n += entry.type == type;
        return n;
    }
    // Everything logged so far, one message a line, for failure reports.
    QString text() const
    {
        QMutexLocker lock(&mutex());
        QStringList lines;
        for (const Entry &entry : mEntries)
            lines.append(entry.text);
        return lines.join(QLatin1Char('\n'));
    }
    void clear()
    {
        QMutexLocker lock(&mutex());
        mEntries.clear();
    }

private:
    struct Entry {
        QtMsgType type;
        QString text;
    };

    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        QtMessageHandler previous = nullptr;
        {
            QMutexLocker lock(&mutex());
            if (MessageCapture *capture = current()) {
                capture->mEntries.append({type, text});
                previous = capture->mPrevious;
            }
        }
        if (previous)
            previous(type, context, text);
    }
    static QMutex &mutex()
    {
        static QMutex instance;
        return instance;
    }
    static MessageCapture *&current()
    {
        static MessageCapture *instance = nullptr;
        return instance;
    }

    QList<Entry> mEntries;
    QtMessageHandler mPrevious = nullptr;
    MessageCapture *mOuter = nullptr;
};
