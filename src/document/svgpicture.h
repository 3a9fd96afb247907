#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// Pictures of image elements, SVG drawings among them. Qt's SVG reader would
// load a picture inside an SVG picture by itself, and one that shows itself
// (or a chain that shows each other) would recurse until the stack runs out;
// here every picture inside a drawing is resolved first, with a depth limit
// and the chain of files already open, and what is refused is left out with
// a note.
class SvgPicture
{
public:
    // Drawings inside drawings deeper than this are left out.
    static constexpr int maxDepth = 8;
    // Longest side a drawing is drawn at, in pixels, when it gives no size.
    static constexpr int maxSide = 4096;

    // Whether the bytes (plain or gzip-compressed) are an SVG drawing.
    static bool isSvg(const QByteArray &bytes);

    // The bytes an href names: a "data:" picture, or a file found from
    // `baseFolder`; `file` receives the absolute path of a file (empty for
    // inline data). False when there is nothing to read.
    static bool read(const QString &href, const QString &baseFolder, QByteArray *bytes,
                     QString *file = nullptr);

    // The picture an href names, drawings drawn at their own size. `chain`
    // holds the absolute paths of the drawings it is inside (the design
    // first); refused pictures inside it are noted in `notes` when set.
    // Null when nothing can be decoded.
    static QImage load(const QString &href, const QString &baseFolder, QStringList *notes = nullptr,
                       const QStringList &chain = QStringList());

    // Picture bytes as a bitmap: a drawing through render() (inline, so its
    // level counts without a file), anything else through the bitmap readers
    // only, never Qt's own SVG reader.
    static QImage decode(const QByteArray &bytes, const QString &folder, QStringList *notes = nullptr,
                         const QStringList &chain = QStringList());

    // An SVG drawing as a bitmap at its own size, its pictures resolved as
    // above. `folder` is where its relative references start.
    static QImage render(const QByteArray &bytes, const QString &folder, QStringList *notes,
                         const QStringList &chain);

    // The design text with every SVG picture of its image elements replaced
    // by an embedded PNG, and every picture refused (a cycle, too deep) left
    // out, so a renderer reading it never loads a drawing by itself.
    static void embedDrawings(class QDomDocument &document, const QString &folder, QStringList *notes,
                              const QStringList &chain);

    // For drawings from other programs, after embedDrawings(): pictures that
    // cannot be decoded leave with a note; a missing width or height comes
    // from the picture's own size; "preserveAspectRatio" (align, meet,
    // slice) is applied to the picture itself, so a renderer that stretches
    // pictures over their box shows what SVG shows.
    static void fitPictures(class QDomDocument &document, QStringList *notes);
};
