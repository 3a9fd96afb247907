#include "device/serial.h"

#include <QDebug>
#include <QMetaEnum>
#include <QSerialPortInfo>
#include <QTimer>

namespace {

const char *errorName(QSerialPort::SerialPortError error)
{
    return QMetaEnum::fromType<QSerialPort::SerialPortError>().valueToKey(error);
}

} // namespace

Serial::Serial(QObject *parent)
    : QSerialPort(parent)
    , searchTimer(new QTimer(this))
{
    connect(searchTimer, &QTimer::timeout, this, &Serial::startAutoSend);
}

void Serial::applyLineSettings()
{
    setBaudRate(QSerialPort::Baud115200, QSerialPort::AllDirections);
    setDataBits(QSerialPort::Data8);
    setParity(QSerialPort::NoParity);
    setStopBits(QSerialPort::OneStop);
    setFlowControl(QSerialPort::NoFlowControl);
}

bool Serial::isSearching() const
{
    return searchTimer->isActive();
}

QStringList Serial::extraPortNames()
{
    const QString listed = qEnvironmentVariable("PLIMB_SERIAL_PORTS");
    return listed.split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

QStringList Serial::searchList()
{
    return mCandidatePorts.isEmpty() ? getSerialPortList() : mCandidatePorts;
}

void Serial::setAutoSend(const QByteArray &send, int timInterval)
{
    interval = timInterval;
    probeBytes = send;
    attempt = 0;
    portList.clear();
    searchTimer->stop();
}

void Serial::startAutoSend()
{
    if (!searchTimer->isActive()) {
        attempt = 0;
        portList = searchList();
        if (!portList.isEmpty()) {
            searchTimer->start(interval);
            qDebug() << "get ports" << portList;
        }
    }
    qDebug() << "times" << attempt << portList.size();
    if (attempt < portList.size()) {
        close();
        qDebug() << "port name" << portList.at(attempt);
        mCurrentName = portList.at(attempt);
        setPortName(mCurrentName);
        ++attempt;
        if (open(QIODevice::ReadWrite)) {
            qDebug() << "opened" << portName() << probeBytes;
            write(probeBytes);
            return;
        }
        const SerialPortError failure = error();
        close();
        qDebug() << "serial err" << errorName(failure);
        return;
    }
    searchTimer->stop();
    qDebug() << "find none";
}

void Serial::stopAutoSend()
{
    searchTimer->stop();
}

void Serial::sendInfo(const char *data)
{
    write(data, qstrlen(data));
}

QList<QString> Serial::getSerialPortList()
{
    QList<QString> names;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        names.append(info.portName());
    for (const QString &name : extraPortNames()) {
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}

bool Serial::openByName(const QString &portName)
{
    if (isOpen())
        close();
    mCurrentName = portName;
    setPortName(portName);
    return open(QIODevice::ReadWrite);
}
