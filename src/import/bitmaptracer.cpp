#include "import/bitmaptracer.h"

#include <potracelib.h>

#include <QDebug>
#include <QPainter>
#include <QSet>
#include <QTransform>
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
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = row[x];
            const unsigned grey = (qBlue(pixel) * 4899u + qGreen(pixel) * 9617u + qRed(pixel) * 1868u
                                   + (1u << 13)) >> 14;
            if (grey <= 128)
                line[x / wordBits] |= potrace_word(1) << (wordBits - 1 - x % wordBits);
        }
    }
    return map;
}

TraceState trace(const QImage &picture, double *scale)
{
    if (picture.isNull() || picture.width() < 1 || picture.height() < 1)
        return nullptr;
    const QImage flat = flattened(picture, scale);
    const int width = flat.width();
    const int height = flat.height();
    int wordsPerLine = 0;
    std::vector<potrace_word> map = thresholded(flat, &wordsPerLine);
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
