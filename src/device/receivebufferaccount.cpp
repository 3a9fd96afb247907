#include "device/receivebufferaccount.h"

void ReceiveBufferAccount::setBufferSize(int size)
{
    mSize = size;
    mFree = size;
    mInFlight.clear();
}

bool ReceiveBufferAccount::take(int size, bool counted)
{
    if (size >= mFree)
        return false;
    if (counted) {
        mInFlight.append(size);
        mFree -= size;
    }
    return true;
}

bool ReceiveBufferAccount::acknowledgeOldest()
{
    if (mInFlight.isEmpty())
        return false;
    mFree += mInFlight.takeFirst();
    return true;
}
