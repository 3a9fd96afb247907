#pragma once

#include <QString>

// A pseudo-terminal pair in raw mode. The host program opens the slave path
// exactly as it would open a USB serial port; the emulator talks on the master.
class PseudoTerminal
{
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool open(QString *errorText);
    void close();

    int masterDescriptor() const { return mMaster; }
    QString slavePath() const { return mSlavePath; }

private:
    int mMaster = -1;
    // Held open so the master never reads EIO while no host has the port open,
    // which happens between the host's searches and reconnects.
    int mSlaveKeeper = -1;
    QString mSlavePath;
};
