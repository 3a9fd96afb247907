#include "import/bitmaptracer.h"

#include <potracelib.h>

#include <QDebug>
#include <QPainter>
#include <QSet>
#include <QTransform>
#include <array>
#include <climits>
#include <memory>
#include <vector>

namespace {

constexpr int wordBits = int(sizeof(potrace_word) * CHAR_BIT);

struct StateDeleter
{
    void operator()(potrace_state_t *state) const { potrace_state_free(state); }
};
struct ParamDeleter
{
    void operator()(potrace_param_t *param) const { potrace_param_free(param); }
};
using TraceState = std::unique_ptr<potrace_state_t, StateDeleter>;

// The picture on white, 32-bit: grey, mono and indexed pictures, and
// transparent ones, all come out as the same four-channel samples.
QImage flattened(const QImage &picture, double *scale)
{
    *scale = 1;
    QImage source = picture;
    if (source.width() > BitmapTracer::sideLimit || source.height() > BitmapTracer::sideLimit) {
        source = source.scaled(qMin(source.width(), BitmapTracer::sideLimit),
                               qMin(source.height(), BitmapTracer::sideLimit),
                               Qt::KeepAspectRatio, Qt::FastTransformation);
        *scale = double(picture.width()) / source.width();
    }
    if (source.format() == QImage::Format_RGB32)
        return source;
    QImage flat(source.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, source);
    return flat;
}

// Sets the pixels whose grey is 128 or darker. The grey is OpenCV's RGB to
// grey conversion applied to the samples in memory order (blue first), as
// the bitmap processings compute it, in its 14-bit fixed point.
std::vector<potrace_word> thresholded(const QImage &flat, int *wordsPerLine)
{
    const int width = flat.width();
    const int height = flat.height();
    *wordsPerLine = (width + wordBits - 1) / wordBits;
    std::vector<potrace_word> map(size_t(*wordsPerLine) * size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(flat.constScanLine(y));
        potrace_word *line = map.data() + size_t(y) * size_t(*wordsPerLine);
        // Each word is gathered in a register, leftmost pixel in the top bit.
        for (int w = 0; w < *wordsPerLine; ++w) {
            const int first = w * wordBits;
            const int end = qMin(width, first + wordBits);
            potrace_word word = 0;
            for (int x = first; x < end; ++x) {
                const QRgb pixel = row[x];
                const unsigned grey = (qBlue(pixel) * 4899u + qGreen(pixel) * 9617u + qRed(pixel) * 1868u
                                       + (1u << 13)) >> 14;
                word = (word << 1) | potrace_word(grey <= 128);
            }
            if (end - first < wordBits)
                word <<= wordBits - (end - first);
            line[w] = word;
        }
    }
    return map;
}

bool isDark(QRgb colour)
{
    return ((qBlue(colour) * 4899u + qGreen(colour) * 9617u + qRed(colour) * 1868u + (1u << 13)) >> 14) <= 128;
}

// A 1-bit picture goes straight into potrace's words, eight bytes at a
// time, instead of being painted into 32 bits and thresholded pixel by
// pixel: the same bitmap at a fraction of the cost. False for pictures
// this cannot take (transparent, too large, no two-colour table).
bool monoBitmap(const QImage &picture, std::vector<potrace_word> *map, int *wordsPerLine)
{
    const bool lsbFirst = picture.format() == QImage::Format_MonoLSB;
    if ((picture.format() != QImage::Format_Mono && !lsbFirst) || picture.hasAlphaChannel()
        || picture.colorCount() < 2 || picture.width() > BitmapTracer::sideLimit
        || picture.height() > BitmapTracer::sideLimit)
        return false;
    const bool dark0 = isDark(picture.color(0));
    const bool dark1 = isDark(picture.color(1));
    const int width = picture.width();
    const int height = picture.height();
    const int bytesPerWord = int(sizeof(potrace_word));
    *wordsPerLine = (width + wordBits - 1) / wordBits;
    map->assign(size_t(*wordsPerLine) * size_t(height), 0);
    const int bytesPerLine = (width + 7) / 8;
    // Bits past the right edge must stay clear.
    const int tail = width % wordBits;
    const potrace_word tailMask = tail == 0 ? ~potrace_word(0) : ~potrace_word(0) << (wordBits - tail);
    static const auto reversed = [] {
        std::array<uchar, 256> table{};
        for (int b = 0; b < 256; ++b) {
            uchar r = 0;
            for (int i = 0; i < 8; ++i)
                r |= uchar(((b >> i) & 1) << (7 - i));
            table[size_t(b)] = r;
        }
        return table;
    }();
    for (int y = 0; y < height; ++y) {
        const uchar *bits = picture.constScanLine(y);
        potrace_word *line = map->data() + size_t(y) * size_t(*wordsPerLine);
        for (int w = 0; w < *wordsPerLine; ++w) {
            potrace_word word = 0;
            for (int k = 0; k < bytesPerWord; ++k) {
                const int at = w * bytesPerWord + k;
                const uchar byte = at < bytesPerLine ? bits[at] : 0;
                word |= potrace_word(lsbFirst ? reversed[byte] : byte) << (8 * (bytesPerWord - 1 - k));
            }
            // Set bits are colour 1.
            if (dark0 && dark1)
                word = ~potrace_word(0);
            else if (dark0)
                word = ~word;
            else if (!dark1)
                word = 0;
            if (w == *wordsPerLine - 1)
                word &= tailMask;
            line[w] = word;
        }
    }
    return true;
}

TraceState trace(const QImage &picture, double *scale)
{
    if (picture.isNull() || picture.width() < 1 || picture.height() < 1)
        return nullptr;
    int wordsPerLine = 0;
    std::vector<potrace_word> map;
    int width = picture.width();
    int height = picture.height();
    *scale = 1;
    if (!monoBitmap(picture, &map, &wordsPerLine)) {
        const QImage flat = flattened(picture, scale);
        width = flat.width();
        height = flat.height();
        map = thresholded(flat, &wordsPerLine);
    }
    potrace_bitmap_t bitmap{width, height, wordsPerLine, map.data()};
    std::unique_ptr<potrace_param_t, ParamDeleter> param(potrace_param_default());
    if (!param)
        return nullptr;
    TraceState state(potrace_trace(param.get(), &bitmap));
    if (!state || state->status != POTRACE_STATUS_OK) {
        qDebug() << "potrace_trace failed";
        return nullptr;
    }
    return state;
}

// Walks the traced tree: each path, then its children, then its next
// sibling. A path starting where an earlier one started is left out with
// its children, as is an empty one.
class Writer
{
public:
    Writer(double scale, bool shortest)
        : mScale(scale)
        , mShortest(shortest)
    {
    }

    void walk(const potrace_path_t *path)
    {
        for (; path; path = path->sibling) {
            const potrace_curve_t &curve = path->curve;
            if (curve.n < 1)
                continue;
            const potrace_dpoint_t &start = curve.c[curve.n - 1][2];
            const QPair<double, double> key(start.x, start.y);
            if (mStarts.contains(key))
                continue;
            mStarts.insert(key);
            QString text = QStringLiteral("M ") + point(start);
            for (int i = 0; i < curve.n; ++i) {
                if (curve.tag[i] == POTRACE_CURVETO) {
                    text += QStringLiteral("C ") + point(curve.c[i][0]) + point(curve.c[i][1])
                            + point(curve.c[i][2]);
                } else {
                    // A corner is two lines: to the corner and on to the end.
                    text += QStringLiteral("L ") + point(curve.c[i][1]) + QStringLiteral("L ")
                            + point(curve.c[i][2]);
                }
            }
            if (mShortest)
                text += QStringLiteral("z ");
            mPaths.append(text);
            walk(path->childlist);
        }
    }

    const QStringList &paths() const { return mPaths; }

private:
    QString number(double value) const
    {
        return mShortest ? QString::number(value * mScale, 'g', 6)
                         : QString::asprintf("%f", value * mScale);
    }
    QString point(const potrace_dpoint_t &p) const
    {
        return number(p.x) + QLatin1Char(',') + number(p.y) + QLatin1Char(' ');
    }

    double mScale;
    bool mShortest;
    QSet<QPair<double, double>> mStarts;
    QStringList mPaths;
};

} // namespace

QStringList BitmapTracer::tracePathList(const QImage &picture)
{
    double scale = 1;
    const TraceState state = trace(picture, &scale);
    if (!state)
        return {};
    Writer writer(scale, true);
    writer.walk(state->plist);
    return writer.paths();
}

QString BitmapTracer::traceOutline(const QImage &picture)
{
    double scale = 1;
    const TraceState state = trace(picture, &scale);
    if (!state)
        return QStringLiteral("err!!! no img");
    Writer writer(scale, false);
    writer.walk(state->plist);
    return writer.paths().join(QString());
}
