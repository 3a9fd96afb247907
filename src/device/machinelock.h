#pragma once

#include <QByteArray>
#include <QString>

// Whether the engraver is locked in alarm and whether it can home, as its own
// replies tell. Only the user lifts a lock, by homing ("$H") or, after a
// confirmation, by unlocking ("$X"): the controller never does it alone.
class MachineLock
{
public:
    // A new connection knows nothing yet.
    void reset();

    // $22 as the settings dump reports it.
    void setHomingEnabled(bool enabled);
    bool homingEnabled() const { return mHomingEnabled; }
    bool homingKnown() const { return mHomingKnown; }

    // Each returns true when the lock, or its reason, is new to us.
    bool alarmRaised(int code);     // "ALARM:N"
    bool lockNoticed();             // "[MSG:'$H'|'$X' to unlock]"
    // The state field of a status report ("Alarm", "Idle", "Hold:0", ...).
    bool statusState(const QByteArray &state);

    // The banner after a reset: a machine still locked says so again next.
    void restarted() { mLocked = false; }
    // "ok" of "$H" or "$X".
    void lifted();

    bool isLocked() const { return mLocked; }
    int alarmCode() const { return mAlarmCode; }
    // "ALARM:1 Hard limit triggered. ..." or, without a code, the lock itself.
    QString reason() const;

private:
    bool mHomingEnabled = false;
    bool mHomingKnown = false;
    bool mLocked = false;
    int mAlarmCode = 0;
};
