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
    , mSearchTimer(new QTimer(this))
{
    connect(mSearchTimer, &QTimer::timeout, this, &Serial::startAutoSend);
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
    return mSearchTimer->isActive();
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
    mInterval = timInterval;
    mProbeBytes = send;
    mAttempt = 0;
    mPortList.clear();
    mSearchTimer->stop();
}

void Serial::startAutoSend()
{
    if (!mSearchTimer->isActive()) {
        mAttempt = 0;
        mPortList = searchList();
        if (!mPortList.isEmpty()) {
            mSearchTimer->start(mInterval);
            qDebug() << "get ports" << mPortList;
        }
    }
    qDebug() << "times" << mAttempt << mPortList.size();
    if (mAttempt < mPortList.size()) {
        close();
        qDebug() << "port name" << mPortList.at(mAttempt);
        mCurrentName = mPortList.at(mAttempt);
        setPortName(mCurrentName);
        ++mAttempt;
        if (open(QIODevice::ReadWrite)) {
            qDebug() << "opened" << portName() << mProbeBytes;
            write(mProbeBytes);
            return;
        }
        const SerialPortError failure = error();
        close();
        qDebug() << "serial err" << errorName(failure);
        return;
    }
    mSearchTimer->stop();
    qDebug() << "find none";
}

void Serial::stopAutoSend()
{
    mSearchTimer->stop();
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
