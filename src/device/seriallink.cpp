#include "device/seriallink.h"

#include "device/serial.h"

SerialLink::SerialLink(QObject *parent)
    : DeviceLink(parent)
    , mPort(new Serial(this))
{
    connect(mPort, &QIODevice::readyRead, this, &DeviceLink::readyRead);
    connect(mPort, &QIODevice::bytesWritten, this, &DeviceLink::bytesWritten);
}

QString SerialLink::name() const
{
    return mPort->currentName();
}

bool SerialLink::isOpen() const
{
    return mPort->isOpen();
}

void SerialLink::close()
{
    mPort->close();
}

qint64 SerialLink::write(const QByteArray &data)
{
    return mPort->write(data);
}

QByteArray SerialLink::readAll()
{
    return mPort->readAll();
}

qint64 SerialLink::bytesToWrite() const
{
    return mPort->bytesToWrite();
}

qint64 SerialLink::lineRate() const
{
    return mPort->baudRate() > 0 ? mPort->baudRate() : 115200;
}
