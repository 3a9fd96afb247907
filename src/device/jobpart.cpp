#include "device/jobpart.h"

JobPart JobPart::take(QList<GCodeBuffer> &pending, int minimum)
{
    int next = 0;
    const JobPart part = take(pending, &next, minimum);
    pending.erase(pending.begin(), pending.begin() + next);
    return part;
}

JobPart JobPart::take(const QList<GCodeBuffer> &job, int *next, int minimum)
{
    JobPart part;
    part.text.reserve(minimum + 64);
    while (*next < job.size()) {
        job.at((*next)++).appendTo(part.text);
        ++part.records;
        if (part.text.size() >= minimum)
            break;
    }
    return part;
}
