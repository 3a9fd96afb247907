#include "device/devicelink.h"

QString DeviceLink::failureWord(Failure failure)
{
    switch (failure) {
    case Failure::Refused:
        return QStringLiteral("refused");
    case Failure::UnknownHost:
        return QStringLiteral("unknown-host");
    case Failure::TimedOut:
        return QStringLiteral("timeout");
    case Failure::Silent:
        return QStringLiteral("silent");
    case Failure::Missing:
        return QStringLiteral("missing");
    case Failure::Other:
        break;
    }
    return QStringLiteral("failed");
}
