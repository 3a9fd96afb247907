#include "device/zlibstream.h"

#include <zlib.h>

namespace ZlibStream {

bool compress(const QByteArray &input, QByteArray *output)
{
    uLongf length = compressBound(static_cast<uLong>(input.size()));
    QByteArray buffer(static_cast<int>(length), Qt::Uninitialized);
    const int result = ::compress(reinterpret_cast<Bytef *>(buffer.data()), &length,
                                  reinterpret_cast<const Bytef *>(input.constData()),
                                  static_cast<uLong>(input.size()));
    if (result != Z_OK)
        return false;
    buffer.truncate(static_cast<int>(length));
    *output = buffer;
    return true;
}

bool uncompress(const QByteArray &input, int expectedSize, QByteArray *output)
{
    if (expectedSize < 0)
        return false;
    // One spare byte shows a stream that is longer than announced.
    QByteArray buffer(expectedSize + 1, Qt::Uninitialized);
    uLongf length = static_cast<uLongf>(buffer.size());
    const int result = ::uncompress(reinterpret_cast<Bytef *>(buffer.data()), &length,
                                    reinterpret_cast<const Bytef *>(input.constData()),
                                    static_cast<uLong>(input.size()));
    if (result != Z_OK || length != static_cast<uLongf>(expectedSize))
        return false;
    buffer.truncate(expectedSize);
    *output = buffer;
    return true;
}

} // namespace ZlibStream
