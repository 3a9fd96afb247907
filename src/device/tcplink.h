#pragma once

#include "device/devicelink.h"

#include <QAbstractSocket>

class QTcpSocket;
class QTimer;

// The link over a TCP socket, for engravers whose boards speak GRBL on a
// network port. Opening is asynchronous: opened() or failed() follows.
class TcpLink : public DeviceLink
{
    Q_OBJECT
public:
    explicit TcpLink(QObject *parent = nullptr);

    // "host:port" or "tcp://host:port" (an IPv6 host in brackets); false for
    // anything else, which is taken as a serial port name.
    static bool parseAddress(const QString &text, QString *host, quint16 *port);

    void setConnectTimeout(int ms);
    void open(const QString &host, quint16 port);
    // Being opened, or open.
    bool isBusy() const;

    QString name() const override;
    bool isOpen() const override;
    void close() override;
    qint64 write(const QByteArray &data) override;
    QByteArray readAll() override;
    qint64 bytesToWrite() const override;
    qint64 lineRate() const override;

private:
    void socketError(QAbstractSocket::SocketError error);
    void fail(Failure failure);

    QTcpSocket *mSocket;
    QTimer *mConnectTimer;
    QString mHost;
    quint16 mPort = 0;
    bool mConnected = false;
};
