#include "device/jobpart.h"

JobPart JobPart::take(QList<GCodeBuffer> &pending, int minimum)
{
    JobPart part;
    part.text.reserve(minimum + 64);
    while (!pending.isEmpty()) {
        pending.constFirst().appendTo(part.text);
        pending.removeFirst();
        ++part.records;
        if (part.text.size() >= minimum)
            break;
    }
    return part;
}
