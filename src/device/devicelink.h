#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// The byte channel under the device controller: a serial port or a network
// socket. The controller's protocol (character counting, real-time bytes,
// replies) is the same over both; only opening, naming and how a loss shows
// differ, and those stay in the implementations.
class DeviceLink : public QObject
{
    Q_OBJECT
public:
    // Why a link could not be opened, or (Silent) stopped answering.
    enum class Failure { Refused, UnknownHost, TimedOut, Silent, Missing, Other };
    Q_ENUM(Failure)

    using QObject::QObject;

    // The name the user knows the link by: a port name or path, or "host:port".
    virtual QString name() const = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    virtual qint64 write(const QByteArray &data) = 0;
    virtual QByteArray readAll() = 0;
    virtual qint64 bytesToWrite() const = 0;
    // Bits per second the line carries, for the progress of bulk uploads.
    virtual qint64 lineRate() const = 0;

    // The word a failure travels as in the controller's notices.
    static QString failureWord(Failure failure);

signals:
    void readyRead();
    void bytesWritten(qint64 bytes);
    // An open link whose peer went away (socket closed or reset).
    void lost();
    // Opening did not succeed; `name` is the address tried.
    void failed(DeviceLink::Failure failure, const QString &name);
    void opened();
};
