#pragma once

#include <QByteArray>
#include <QList>
#include <QSerialPort>
#include <QString>
#include <QStringList>

class QTimer;

// The engraver's serial port, with the automatic search: one port after the
// other is opened at a fixed period and sent a probe; the device controller
// listens for the answer and stops the search.
class Serial : public QSerialPort
{
    Q_OBJECT
public:
    explicit Serial(QObject *parent = nullptr);

    // 115200 baud, 8 data bits, no parity, 1 stop bit, no flow control.
    void applyLineSettings();

    // When not empty, the search tries only these names instead of listing
    // the machine's ports (a port named on the command line).
    void setCandidatePorts(const QStringList &names) { mCandidatePorts = names; }
    QStringList candidatePorts() const { return mCandidatePorts; }

    bool isSearching() const;

    // The ports a search tries: the candidates, or every port found.
    QStringList searchList();

    // The ports of the last search, in the order tried.
    QStringList searchedPorts() const { return mPortList; }

    // The name last set, as it was given (QSerialPort::portName() drops
    // the "/dev/" of a path).
    QString currentName() const { return mCurrentName; }

    // Names the search also tries besides the ports the system lists: the
    // variable PLIMB_SERIAL_PORTS, separated by ":" (pseudo-terminals, which
    // the system does not list as serial ports).
    static QStringList extraPortNames();

public slots:
    void setAutoSend(const QByteArray &send, int timInterval);
    void startAutoSend();
    void stopAutoSend();
    void sendInfo(const char *data);
    QList<QString> getSerialPortList();
    bool openByName(const QString &portName);

private:
    QStringList mPortList;
    QByteArray mProbeBytes;
    int mAttempt = 0;
    int mInterval = 2500;
    QTimer *mSearchTimer = nullptr;
    QStringList mCandidatePorts;
    QString mCurrentName;
};
