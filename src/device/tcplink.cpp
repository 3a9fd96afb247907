#include "device/tcplink.h"

#include <QDebug>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

TcpLink::TcpLink(QObject *parent)
    : DeviceLink(parent)
    , mSocket(new QTcpSocket(this))
    , mConnectTimer(new QTimer(this))
{
    mConnectTimer->setSingleShot(true);
    mConnectTimer->setInterval(5000);
    connect(mConnectTimer, &QTimer::timeout, this, [this] { fail(Failure::TimedOut); });
    connect(mSocket, &QIODevice::readyRead, this, &DeviceLink::readyRead);
    connect(mSocket, &QIODevice::bytesWritten, this, &DeviceLink::bytesWritten);
    connect(mSocket, &QAbstractSocket::connected, this, [this] {
        mConnectTimer->stop();
        mConnected = true;
        // Lines are short and each waits for room in the engraver's buffer:
        // Nagle's delay would leave that buffer empty between replies.
        mSocket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        mSocket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
        qDebug() << "tcp connected" << name();
        emit opened();
    });
    connect(mSocket, &QAbstractSocket::errorOccurred, this, &TcpLink::socketError);
    connect(mSocket, &QAbstractSocket::disconnected, this, [this] {
        // A peer that closes, half-closes or resets: the link is gone. Our
        // own close() clears mConnected first and reports nothing.
        if (!mConnected)
            return;
        mConnected = false;
        qDebug() << "tcp link lost" << name();
        emit lost();
    });
}

bool TcpLink::parseAddress(const QString &text, QString *host, quint16 *port)
{
    static const QRegularExpression pattern(
            QStringLiteral("^(?:tcp://)?(\\[[0-9A-Fa-f:.]+\\]|[A-Za-z0-9._-]+):(\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    const int number = match.captured(2).toInt();
    if (number < 1 || number > 65535)
        return false;
    QString name = match.captured(1);
    if (name.startsWith(QLatin1Char('[')))
        name = name.mid(1, name.size() - 2);
    *host = name;
    *port = quint16(number);
    return true;
}

void TcpLink::setConnectTimeout(int ms)
{
    mConnectTimer->setInterval(ms);
}

void TcpLink::open(const QString &host, quint16 port)
{
    close();
    mHost = host;
    mPort = port;
    mConnectTimer->start();
    mSocket->connectToHost(host, port);
}

bool TcpLink::isBusy() const
{
    return mSocket->state() != QAbstractSocket::UnconnectedState;
}

QString TcpLink::name() const
{
    const QString host = mHost.contains(QLatin1Char(':')) ? QLatin1Char('[') + mHost + QLatin1Char(']') : mHost;
    return host + QLatin1Char(':') + QString::number(mPort);
}

bool TcpLink::isOpen() const
{
    return mConnected && mSocket->state() == QAbstractSocket::ConnectedState;
}

void TcpLink::close()
{
    mConnected = false;
    mConnectTimer->stop();
    mSocket->abort();
}

qint64 TcpLink::write(const QByteArray &data)
{
    return isOpen() ? mSocket->write(data) : -1;
}

QByteArray TcpLink::readAll()
{
    return mSocket->readAll();
}

qint64 TcpLink::bytesToWrite() const
{
    return mSocket->bytesToWrite();
}

qint64 TcpLink::lineRate() const
{
    // Far above any serial line: the upload's progress follows the bytes
    // the socket has taken.
    return 100000000;
}

void TcpLink::socketError(QAbstractSocket::SocketError error)
{
    qDebug() << "tcp error" << name() << error << mSocket->errorString();
    if (mConnected)
        return;    // disconnected() reports the loss
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        fail(Failure::Refused);
        break;
    case QAbstractSocket::HostNotFoundError:
        fail(Failure::UnknownHost);
        break;
    case QAbstractSocket::SocketTimeoutError:
        fail(Failure::TimedOut);
        break;
    default:
        fail(Failure::Other);
        break;
    }
}

void TcpLink::fail(Failure failure)
{
    if (!mConnectTimer->isActive() && failure != Failure::TimedOut)
        return;    // already reported, or not opening
    mConnectTimer->stop();
    mSocket->abort();
    emit failed(failure, name());
}
