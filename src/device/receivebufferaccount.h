#pragma once

#include <QList>

// GRBL character counting: the bytes of counted commands that the engraver
// has not yet answered must never exceed its receive buffer. Space is given
// back only when the oldest command is answered ("ok" or "error:").
class ReceiveBufferAccount
{
public:
    // A new buffer size empties the account (also after a soft reset, which
    // empties the engraver's buffer).
    void setBufferSize(int size);

    // Takes `size` bytes when they fit (strictly less than what is free).
    // Uncounted data only has to fit; it is not recorded.
    bool take(int size, bool counted);

    // Gives back the oldest counted command's bytes; false when none is out.
    bool acknowledgeOldest();

    int size() const { return mSize; }
    int freeBytes() const { return mFree; }
    const QList<int> &inFlight() const { return mInFlight; }

private:
    int mSize = 0;
    int mFree = 0;
    QList<int> mInFlight;
};
