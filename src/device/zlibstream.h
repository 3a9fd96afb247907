#pragma once

#include <QByteArray>

// The one place that talks to zlib: whole buffers in, a zlib-format stream
// (RFC 1950: header, deflate data, Adler-32) out, at zlib's default level.
namespace ZlibStream {

bool compress(const QByteArray &input, QByteArray *output);

// `expectedSize` is the uncompressed size announced beside the stream; a
// stream that inflates to any other size is rejected.
bool uncompress(const QByteArray &input, int expectedSize, QByteArray *output);

} // namespace ZlibStream
