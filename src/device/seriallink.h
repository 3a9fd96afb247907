#pragma once

#include "device/devicelink.h"

class Serial;

// The link over the engraver's serial port. The port and its search stay
// reachable through port(): only a serial line is searched for.
class SerialLink : public DeviceLink
{
    Q_OBJECT
public:
    explicit SerialLink(QObject *parent = nullptr);

    Serial *port() const { return mPort; }

    QString name() const override;
    bool isOpen() const override;
    void close() override;
    qint64 write(const QByteArray &data) override;
    QByteArray readAll() override;
    qint64 bytesToWrite() const override;
    qint64 lineRate() const override;

private:
    Serial *mPort;
};
