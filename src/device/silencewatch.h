#pragma once

#include <QObject>

class QTimer;

// Notices a link that went quiet while answers are owed. After one period
// without a byte it asks for a probe (a status query, which GRBL answers at
// once even while its planner is full or held); after a second one the link
// counts as stalled. A slow move therefore never looks like a stall: only a
// peer that answers not even the probe does.
class SilenceWatch : public QObject
{
    Q_OBJECT
public:
    explicit SilenceWatch(QObject *parent = nullptr);

    void setPeriod(int ms);

    // Whether answers are owed; the watch runs only while they are.
    void setExpecting(bool expecting);
    // Bytes arrived: the peer is alive.
    void heard();
    void stop();
    bool isWatching() const;

signals:
    void probe();
    void stalled();

private:
    void elapsed();

    QTimer *mTimer;
    bool mProbed = false;
};
