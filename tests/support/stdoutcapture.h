#pragma once

#include <QByteArray>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

// Collects what the code under test writes to standard output (some parsers
// report there) while the object lives.
class StdoutCapture
{
public:
    StdoutCapture()
    {
        std::fflush(stdout);
        mFile.open();
        mSaved = dup(fileno(stdout));
        dup2(mFile.handle(), fileno(stdout));
    }
    ~StdoutCapture() { restore(); }

    QByteArray text()
    {
        restore();
        mFile.seek(0);
        return mFile.readAll();
    }

private:
    void restore()
    {
        if (mSaved < 0)
            return;
        std::fflush(stdout);
        dup2(mSaved, fileno(stdout));
        close(mSaved);
        mSaved = -1;
    }

    QTemporaryFile mFile;
    int mSaved = -1;
};
